#include "RelationshipIndicatorsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "KorApp.h"
#include "QtTextMeasure.h"
#include "RelationshipCalculator.h"
#include "RelationshipIndicators.h"

CSetRelationshipIndicatorsDialog::CSetRelationshipIndicatorsDialog(std::int32_t root,
                                                                   QWidget* parent)
    : fw::CDialogBase(parent), root_(root) {
  setWindowTitle(QStringLiteral("Set Relationship Indicators"));
  auto* name = AddControl(kIdcRootName, new QLabel);
  name->setTextFormat(Qt::PlainText);
  name->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
  name->setFrameShape(QFrame::StyledPanel);
  name->setFrameShadow(QFrame::Sunken);
  auto* search = AddControl(kIdcSearch, new QPushButton(QStringLiteral("&Search")));
  auto* show =
      AddControl(kIdcShow, new QCheckBox(QStringLiteral("Show &relationships on status bar")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("Help")));
  ok->setDefault(true);
  for (QPushButton* b : {search, cancel, help}) b->setAutoDefault(false);

  auto* group = new QGroupBox(QStringLiteral("Select Root Person"));
  auto* groupLayout = new QHBoxLayout(group);
  groupLayout->addWidget(name, 1);
  groupLayout->addWidget(search);
  auto* left = new QVBoxLayout;
  left->addWidget(group);
  left->addWidget(show);
  left->addStretch();
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(search, &QPushButton::clicked, this, &CSetRelationshipIndicatorsDialog::OnSearch);
  connect(ok, &QPushButton::clicked, this, &CSetRelationshipIndicatorsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CSetRelationshipIndicatorsDialog::reject);
}

void CSetRelationshipIndicatorsDialog::OnInitDialog() {
  showAtOpening_ = showRelationships;
  fw::CDialogBase::OnInitDialog();
  SetRoot(root_);
  if (CurrentDatabase && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly)
    EnableControl(fw::kIdOk, false);
  CenterWindow();
}

bool CSetRelationshipIndicatorsDialog::DoDataExchange(bool save) {
  ExchangeCheck(save, kIdcShow, showRelationships);
  return true;
}

void CSetRelationshipIndicatorsDialog::SetRoot(std::int32_t rin) {
  root_ = rin;
  const fw::QtTextMeasure measure(GetControl(kIdcRootName)->font());
  SetControlText(kIdcRootName,
                 kin::FittedName(rin, GetControl(kIdcRootName)->contentsRect().width(), &measure,
                                 GetNodeOptions().appendVal));
}

void CSetRelationshipIndicatorsDialog::OnSearch() {
  CFindRecordDialog find(this);
  find.find.number = 1;
  find.find.marriageAllowed = false;
  find.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
  if (find.exec() != fw::kIdOk) return;
  SetCheck(kIdcShow, 1);
  SetRoot(find.find.number);
  GetControl(fw::kIdOk)->setFocus();
}

void CSetRelationshipIndicatorsDialog::OnOK() {
  if (running_) return;
  // A refused edit password leaves the dialog open and writes nothing.
  if (CKorApp* app = CKorApp::Instance(); app && !app->CheckEditPassword()) return;
  if (!UpdateData(true)) return;
  if (showRelationships || showAtOpening_) {
    running_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The file's change-log setting is the option that decides whether the
    // run turns logging off.
    kin::SetRelationshipIndicators(
        {root_, showRelationships != 0,
         CurrentDatabase != nullptr && CurrentDatabase->host.logChanges});
    QApplication::restoreOverrideCursor();
    running_ = false;
  }
  EndDialog(fw::kIdOk);
}

int RunSetRelationshipIndicators(QWidget* parent, std::int32_t root) {
  constexpr int kShowRelationshipsOption = 1;
  CSetRelationshipIndicatorsDialog dialog(root, parent);
  if (CurrentDatabase)
    dialog.showRelationships = CurrentDatabase->GetFileOption(kShowRelationshipsOption);
  const int result = dialog.exec();
  if (result == fw::kIdOk && CurrentDatabase)
    CurrentDatabase->SetFileOption(kShowRelationshipsOption, dialog.showRelationships);
  return result;
}
