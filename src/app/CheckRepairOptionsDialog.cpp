#include "CheckRepairOptionsDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "FamilyFileRoads.h"
#include "KorApp.h"
#include "OpenFamilyFileDialog.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QPushButton* Button(const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CCheckRepairOptionsDialog::CCheckRepairOptionsDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Check/Repair"));
  auto* check = AddControl(kIdcCheck, Button("Chec&k"));
  check->setDefault(true);
  auto* repair = AddControl(kIdcCheckRepair, Button("Check/&Repair"));
  auto* cancel = AddControl(fw::kIdCancel, Button("Cancel"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  help->setEnabled(false);
  auto* note = new QLabel(QStringLiteral(
      "Selecting the Check/Repair option may change your file if a repair needs to be made. You "
      "may wish to make a backup before proceeding with Check/Repair."));
  note->setWordWrap(true);
  note->setMinimumWidth(DialogUnitsToPixels(190, 0).width());
  auto* backupButton = AddControl(kIdcBackup, Button("&Backup"));
  auto* pathLabel = AddControl(kIdcPath, new QLabel);
  pathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* browse = AddControl(kIdcBrowse, Button("Bro&wse..."));

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {check, repair, cancel, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* noteRow = new QHBoxLayout;
  noteRow->addWidget(note, 1);
  noteRow->addWidget(backupButton, 0, Qt::AlignTop);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(new QLabel(QStringLiteral("Check File:")));
  pathRow->addWidget(pathLabel, 1);
  pathRow->addWidget(browse);
  auto* left = new QVBoxLayout;
  left->addLayout(noteRow);
  left->addLayout(pathRow);
  left->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);

  connect(check, &QPushButton::clicked, this, &CCheckRepairOptionsDialog::accept);
  connect(repair, &QPushButton::clicked, this, &CCheckRepairOptionsDialog::CheckAndRepair);
  connect(cancel, &QPushButton::clicked, this, &CCheckRepairOptionsDialog::reject);
  connect(backupButton, &QPushButton::clicked, this, &CCheckRepairOptionsDialog::Backup);
  connect(browse, &QPushButton::clicked, this, &CCheckRepairOptionsDialog::Browse);
}

void CCheckRepairOptionsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  SetControlPath(kIdcPath, path);
}

void CCheckRepairOptionsDialog::Backup() {
  if (backup) {
    backup();
  } else if (CKorApp* app = CKorApp::Instance()) {
    app->BackupFamilyFile();
  }
  madeBackup = true;
}

void CCheckRepairOptionsDialog::Browse() {
  const std::string filter = res::LoadString(res::kIdsBrowseFilter);
  const std::string title = res::LoadString(res::kIdsOpenTitle);
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  std::string chosen;
  if (files != nullptr) {
    chosen = files->AskOpenPath(filter, title, folder);
  } else {
    COpenFamilyFileDialog dialog(filter, title, folder, this);
    if (dialog.DoModal() == fw::kIdOk) chosen = dialog.GetPathName();
  }
  if (chosen.empty()) return;
  path = chosen;
  SetControlPath(kIdcPath, path);
}
