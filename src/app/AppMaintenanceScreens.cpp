#include "AppMaintenanceScreens.h"

#include <QFileDialog>

#include "DialogBase.h"
#include "OpenFamilyFileDialog.h"
#include "QtPorts.h"
#include "SaveDlg.h"
#include "StringTable.h"
#include "TemplateFileDialog.h"

std::string CAppMaintenanceScreens::AskBackupPath(const std::string& fileName,
                                                  const std::string& folder) {
  CSaveDlg dialog(".bak", fileName, kOfnPathMustExist | kOfnHideReadOnly,
                  res::LoadString(shell::kIdsBackupFilter), parent_);
  dialog.SetTitle(res::LoadString(shell::kIdsBackupTitle));
  dialog.SetFolder(folder);
  dialog.SetOkButtonText(res::LoadString(shell::kIdsBackupButton));
  return dialog.DoModal() == fw::kIdOk ? dialog.GetPathName() : std::string();
}

std::string CAppMaintenanceScreens::AskRestorePath(const std::string& folder) {
  QFileDialog dialog(parent_);
  SetUpFileDialog(dialog, ParseFileFilter(res::LoadString(shell::kIdsBackupFilter)), folder,
                  "*.bak");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setWindowTitle(fw::ToQString(res::LoadString(shell::kIdsRestoreTitle)));
  dialog.setLabelText(QFileDialog::Accept,
                      fw::ToQString(res::LoadString(shell::kIdsRestoreButton)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return fw::FromQPath(dialog.selectedFiles().front());
}

std::string CAppMaintenanceScreens::AskDeletePath(const std::string& folder) {
  COpenFamilyFileDialog dialog(res::LoadString(5276), res::LoadString(shell::kIdsDeleteTitle),
                               folder, parent_);
  dialog.SetOkButtonText(res::LoadString(shell::kIdsDeleteButton));
  return dialog.DoModal() == fw::kIdOk ? dialog.GetPathName() : std::string();
}

std::string AskImportPath(QWidget* parent, const std::string& folder) {
  QFileDialog dialog(parent);
  SetUpFileDialog(dialog, ParseFileFilter(res::LoadString(shell::kIdsGedcomFilter)), folder,
                  "*.ged");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setWindowTitle(fw::ToQString(res::LoadString(shell::kIdsImportTitle)));
  dialog.setLabelText(QFileDialog::Accept, fw::ToQString(res::LoadString(shell::kIdsImportButton)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return fw::FromQPath(dialog.selectedFiles().front());
}
