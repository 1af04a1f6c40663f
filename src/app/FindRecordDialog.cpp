#include "FindRecordDialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "AppScreens.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

CFindRecordDialog::CFindRecordDialog(QWidget* parent) : fw::CDialogBase(parent) {
  auto* rinRadio =
      AddControl(kIdcIndividualRadio, new QRadioButton(QStringLiteral("Individual &RIN")));
  auto* mrinRadio =
      AddControl(kIdcMarriageRadio, new QRadioButton(QStringLiteral("&Marriage MRIN")));
  auto* label = AddControl(kIdcLabel, new QLabel);
  auto* number = AddControl(kIdcNumber, new QLineEdit);
  auto* range = AddControl(kIdcRange, new QLabel);
  auto* individualList =
      AddControl(kIdcIndividualList, new QPushButton(QStringLiteral("&Individual List")));
  auto* descendancyList =
      AddControl(kIdcDescendancyList, new QPushButton(QStringLiteral("&Descendancy List")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("Help")));

  label->setBuddy(number);
  // Wide enough for either word, so that the edit field does not jump when
  // the mode changes.
  const QFontMetrics metrics(label->font());
  label->setMinimumWidth(
      std::max(metrics.horizontalAdvance(fw::ToQString(res::LoadString(res::kIdsRin) + ":")),
               metrics.horizontalAdvance(fw::ToQString(res::LoadString(res::kIdsMrin) + ":"))));
  number->setMinimumWidth(DialogUnitsToPixels(60, 0).width());
  range->setMinimumWidth(DialogUnitsToPixels(110, 0).width());
  ok->setDefault(true);
  for (QPushButton* b : {individualList, descendancyList, cancel, help}) b->setAutoDefault(false);

  auto* modes = new QHBoxLayout;
  modes->addWidget(rinRadio);
  modes->addWidget(mrinRadio);
  modes->addStretch();

  auto* entry = new QHBoxLayout;
  entry->addWidget(label);
  entry->addWidget(number, 1);

  auto* lists = new QHBoxLayout;
  lists->addWidget(individualList);
  lists->addWidget(descendancyList);
  lists->addStretch();

  auto* left = new QVBoxLayout;
  left->addLayout(modes);
  left->addLayout(entry);
  left->addWidget(range);
  left->addStretch();
  left->addLayout(lists);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch();

  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addSpacing(DialogUnitsToPixels(7, 0).width());
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(rinRadio, &QRadioButton::clicked, this, &CFindRecordDialog::OnIndividualRadio);
  connect(mrinRadio, &QRadioButton::clicked, this, &CFindRecordDialog::OnMarriageRadio);
  connect(individualList, &QPushButton::clicked, this, &CFindRecordDialog::OnIndividualList);
  connect(descendancyList, &QPushButton::clicked, this, &CFindRecordDialog::OnDescendancyList);
  connect(ok, &QPushButton::clicked, this, &CFindRecordDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CFindRecordDialog::reject);
}

void CFindRecordDialog::OnInitDialog() {
  find.Open();
  ShowState();
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  if (auto* number = Control<QLineEdit>(kIdcNumber)) {
    number->setFocus();
    number->selectAll();
  }
}

bool CFindRecordDialog::DoDataExchange(bool save) {
  return ExchangeInt(save, kIdcNumber, find.number, find.currentLow, find.currentHigh);
}

void CFindRecordDialog::OnOK() {
  if (!UpdateData(true)) return;
  if (!find.Accept()) return;
  EndDialog(fw::kIdOk);
}

void CFindRecordDialog::OnIndividualRadio() {
  find.ChooseIndividualMode();
  SetControlText(kIdcNumber, std::to_string(find.number));
  ShowState();
}

void CFindRecordDialog::OnMarriageRadio() {
  find.ChooseMarriageMode(GetControlText(kIdcNumber));
  SetControlText(kIdcNumber, std::to_string(find.number));
  ShowState();
}

void CFindRecordDialog::OnIndividualList() {
  CFindListRequest request;
  if (find.marriageMode) {
    if (!AppScreens().findMarriageList) return;
    request.low = find.mrinLow;
    request.high = find.mrinHigh;
    request.start = find.number;
    request.titleWord = res::LoadString(res::kIdsMarriage);
    const int result = AppScreens().findMarriageList(this, request);
    Follow(find.AfterMarriageList(result, request.chosen));
    return;
  }
  if (!AppScreens().findIndividualList) return;
  request.low = find.rinLow;
  request.high = find.rinHigh;
  request.start = find.initialNumber;
  request.titleWord = find.kindLabel;
  request.searchText = find.searchText;
  request.allowEditing = find.firstListOption != 0;
  const int result = AppScreens().findIndividualList(this, request);
  Follow(find.AfterIndividualList(result, request.chosen, find.listState));
}

void CFindRecordDialog::OnDescendancyList() {
  if (!AppScreens().descendancyList) return;
  const std::int32_t chosen = AppScreens().descendancyList(this, find.DescendancyStart());
  // The list closes with a person only on OK; without one it is as if cancelled.
  Follow(find.AfterDescendancyList(chosen > 0 ? fw::kIdOk : fw::kIdCancel, chosen));
}

void CFindRecordDialog::Follow(shell::FindOutcome outcome) {
  switch (outcome) {
    case shell::FindOutcome::kStay:
      break;
    case shell::FindOutcome::kStayShow:
      SetControlText(kIdcNumber, std::to_string(find.number));
      break;
    case shell::FindOutcome::kEndOk:
      EndDialog(fw::kIdOk);
      break;
    case shell::FindOutcome::kEndCancel:
      EndDialog(fw::kIdCancel);
      break;
  }
}

void CFindRecordDialog::ShowState() {
  EnableControl(kIdcIndividualRadio, find.IndividualButtonEnabled());
  EnableControl(kIdcMarriageRadio, find.MarriageButtonEnabled());
  CheckRadio({kIdcIndividualRadio, kIdcMarriageRadio}, find.marriageMode ? 1 : 0);
  SetControlText(kIdcLabel, find.Label());
  SetControlText(kIdcRange, find.RangeText());
  EnableControl(kIdcLabel, find.NumberEnabled());
  EnableControl(kIdcNumber, find.NumberEnabled());
  setWindowTitle(fw::ToQString(find.Title()));
  // A list whose screen the program did not register leaves its button off.
  const auto& screens = AppScreens();
  const bool listScreen = find.marriageMode ? static_cast<bool>(screens.findMarriageList)
                                            : static_cast<bool>(screens.findIndividualList);
  EnableControl(kIdcIndividualList, find.IndividualListEnabled() && listScreen);
  EnableControl(kIdcDescendancyList,
                find.DescendancyListEnabled() && screens.descendancyList != nullptr);
  EnableControl(fw::kIdHelp, false);
}
