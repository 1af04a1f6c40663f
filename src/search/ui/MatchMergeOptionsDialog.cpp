#include "MatchMergeOptionsDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppOptions.h"

MatchOptions MatchOptionsOf(const CAppOptions& o) {
  MatchOptions m;
  m.mrgSurname = o.mrgSurname;
  m.mrgDOB = o.mrgDob;
  m.mrgYears = o.mrgYears;
  m.mrgIds = o.mrgIds;
  m.mrgMiddles = o.mrgMiddles;
  m.mrgParents = o.mrgParents;
  m.mrgNotes = o.mrgNotes;
  m.mrgCitations = o.mrgCitations;
  m.mrgMedia = o.mrgMedia;
  m.mrgVerify = o.mrgVerify;
  return m;
}

CMatchMergeOptionsDialog::CMatchMergeOptionsDialog(CAppOptions& options, bool restricted,
                                                   QWidget* parent)
    : fw::CDialogBase(parent), options_(options), values_(MatchOptionsOf(options)) {
  setWindowTitle(restricted ? QStringLiteral("Duplicate Individuals Report Options")
                            : QStringLiteral("Match/Merge Options"));
  auto* boxes = new QVBoxLayout;
  const auto box = [&](int id, const char* text) {
    boxes->addWidget(AddControl(id, new QCheckBox(QString::fromLatin1(text))));
  };
  box(kIdcSurname, "Include individuals with no &surname");
  box(kIdcDob, "Include individuals with no &birth date");
  box(kIdcIds, "Consider &Stirpbank Numbers (SBNs)");
  box(kIdcMiddles, "Consider &middle names");
  box(kIdcParents, "Consider &parents");
  box(kIdcNotes, "Combine &notes");
  box(kIdcCitations, "Combine source &citations");
  box(kIdcMedia, "Combine multime&dia objects");
  box(kIdcVerify, "Confirm &when Merge button pressed");
  auto* years = AddControl(kIdcYears, new QLineEdit);
  years->setMaxLength(3);
  years->setFixedWidth(DialogUnitsToPixels(24, 0).width());
  auto* yearsLabel = new QLabel(QStringLiteral("&Years between birth dates:"));
  yearsLabel->setBuddy(years);
  auto* yearsRow = new QHBoxLayout;
  yearsRow->addWidget(yearsLabel);
  yearsRow->addWidget(years);
  yearsRow->addStretch();
  boxes->addLayout(yearsRow);

  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  help->setAutoDefault(false);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(boxes, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &CMatchMergeOptionsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CMatchMergeOptionsDialog::reject);

  if (restricted)
    for (int id : {kIdcNotes, kIdcCitations, kIdcMedia, kIdcVerify}) EnableControl(id, false);
  UpdateData(false);
}

bool CMatchMergeOptionsDialog::DoDataExchange(bool save) {
  ExchangeCheck(save, kIdcSurname, values_.mrgSurname);
  ExchangeCheck(save, kIdcDob, values_.mrgDOB);
  ExchangeCheck(save, kIdcIds, values_.mrgIds);
  ExchangeCheck(save, kIdcMiddles, values_.mrgMiddles);
  ExchangeCheck(save, kIdcParents, values_.mrgParents);
  ExchangeCheck(save, kIdcNotes, values_.mrgNotes);
  ExchangeCheck(save, kIdcCitations, values_.mrgCitations);
  ExchangeCheck(save, kIdcMedia, values_.mrgMedia);
  ExchangeCheck(save, kIdcVerify, values_.mrgVerify);
  std::int32_t years = values_.mrgYears;
  if (!ExchangeInt(save, kIdcYears, years, 0, 999)) return false;
  values_.mrgYears = years;
  return true;
}

void CMatchMergeOptionsDialog::OnOK() {
  if (!UpdateData(true)) return;
  options_.mrgSurname = values_.mrgSurname;
  options_.mrgDob = values_.mrgDOB;
  options_.mrgYears = values_.mrgYears;
  options_.mrgIds = values_.mrgIds;
  options_.mrgMiddles = values_.mrgMiddles;
  options_.mrgParents = values_.mrgParents;
  options_.mrgNotes = values_.mrgNotes;
  options_.mrgCitations = values_.mrgCitations;
  options_.mrgMedia = values_.mrgMedia;
  options_.mrgVerify = values_.mrgVerify;
  options_.Save();
  EndDialog(fw::kIdOk);
}
