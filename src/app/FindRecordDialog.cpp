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

#include "QtPorts.h"
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
      std::max(metrics.horizontalAdvance(fw::ToQString(res::LoadString(shell::kIdsRin) + ":")),
               metrics.horizontalAdvance(fw::ToQString(res::LoadString(shell::kIdsMrin) + ":"))));
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

void CFindRecordDialog::ShowState() {
  EnableControl(kIdcIndividualRadio, find.IndividualButtonEnabled());
  EnableControl(kIdcMarriageRadio, find.MarriageButtonEnabled());
  CheckRadio({kIdcIndividualRadio, kIdcMarriageRadio}, find.marriageMode ? 1 : 0);
  SetControlText(kIdcLabel, find.Label());
  SetControlText(kIdcRange, find.RangeText());
  EnableControl(kIdcLabel, find.NumberEnabled());
  EnableControl(kIdcNumber, find.NumberEnabled());
  setWindowTitle(fw::ToQString(find.Title()));
  // The Individual List, the Marriages Search List, the Descendancy List and
  // the help documents are screens not yet built: their buttons stay off.
  // Once they exist, the buttons follow IndividualListEnabled and
  // DescendancyListEnabled, and the lists' results go through the logic's
  // After...List calls.
  EnableControl(kIdcIndividualList, false);
  EnableControl(kIdcDescendancyList, false);
  EnableControl(fw::kIdHelp, false);
}
