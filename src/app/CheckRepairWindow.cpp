#include "CheckRepairWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "DatabaseChecker.h"
#include "FamilyDatabase.h"
#include "QtPorts.h"

CCheckRepairDialog::CCheckRepairDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Check/Repair"));
  setModal(false);
  auto* file = AddControl(kIdcFile, new QLabel);
  auto* stage = AddControl(kIdcStage, new QLabel);
  auto* count = AddControl(kIdcCount, new QLabel);
  auto* stageBar = AddControl(kIdcStageBar, new QProgressBar);
  auto* totalLabel = AddControl(kIdcTotalLabel, new QLabel(QStringLiteral("Total complete:")));
  auto* totalBar = AddControl(kIdcTotalBar, new QProgressBar);
  auto* errorsLabel = AddControl(kIdcErrorsLabel, new QLabel(QStringLiteral("Reported errors:")));
  auto* errors = AddControl(kIdcErrors, new QLabel(QStringLiteral("0")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  file->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  for (QProgressBar* bar : {stageBar, totalBar}) {
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
  }

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Checking file:")), 0, 0);
  grid->addWidget(file, 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Checking:")), 1, 0);
  grid->addWidget(stage, 1, 1);
  grid->addWidget(count, 1, 2);
  grid->addWidget(stageBar, 2, 0, 1, 3);
  grid->addWidget(totalLabel, 3, 0);
  grid->addWidget(totalBar, 4, 0, 1, 3);
  grid->addWidget(errorsLabel, 5, 0);
  grid->addWidget(errors, 5, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetMinimumSize);
  connect(cancel, &QPushButton::clicked, this, &CCheckRepairDialog::reject);
}

bool CCheckRepairDialog::Open(const std::string& filePath) {
  SetControlPath(kIdcFile, filePath);
  show();
  CenterWindow();
  return isVisible();
}

void CCheckRepairDialog::SetStage(const std::string& title) { SetControlText(kIdcStage, title); }

void CCheckRepairDialog::SetCount(const std::string& count) { SetControlText(kIdcCount, count); }

void CCheckRepairDialog::ResetStageBar() {
  if (auto* bar = Control<QProgressBar>(kIdcStageBar)) bar->setValue(0);
}

void CCheckRepairDialog::StepStageBar() {
  if (auto* bar = Control<QProgressBar>(kIdcStageBar))
    bar->setValue(std::min(bar->maximum(), bar->value() + 1));
}

void CCheckRepairDialog::SetTotalBar(int percent) {
  if (auto* bar = Control<QProgressBar>(kIdcTotalBar)) bar->setValue(percent);
}

void CCheckRepairDialog::SetErrorCount(const std::string& count) {
  SetControlText(kIdcErrors, count);
}

bool CCheckRepairDialog::TakeCancel() {
  const bool pressed = cancelPressed_;
  cancelPressed_ = false;
  return pressed;
}

void CCheckRepairDialog::Close() { hide(); }

int RunCheckRepair(const std::string& filePath, const std::string& reportPath, int repair,
                   QWidget* parent) {
  if (!CurrentDatabase || !CurrentDatabase->engine) return 0;
  CCheckRepairDialog window(parent);
  CDatabaseChecker checker(filePath, reportPath, *CurrentDatabase, repair, &window);
  const int completed = checker.Run();
  checker.Finish();
  return completed;
}
