#include "AppMaintenanceScreens.h"

#include <QFileDialog>

#include "DialogBase.h"
#include "FileDialogRun.h"
#include "OpenFamilyFileDialog.h"
#include "QtPorts.h"
#include "SaveDlg.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TemplateFileDialog.h"

std::string CAppMaintenanceScreens::AskBackupPath(const std::string& fileName,
                                                  const std::string& folder) {
  CSaveDlg dialog(".bak", fileName, kOfnPathMustExist | kOfnHideReadOnly,
                  res::LoadString(res::kIdsBackupFilter), parent_);
  dialog.SetTitle(res::LoadString(res::kIdsBackupTitle));
  dialog.SetFolder(folder);
  dialog.SetOkButtonText(res::LoadString(res::kIdsBackupButton));
  return dialog.DoModal() == fw::kIdOk ? dialog.GetPathName() : std::string();
}

std::string CAppMaintenanceScreens::AskRestorePath(const std::string& folder) {
  QFileDialog dialog(parent_);
  SetUpFileDialog(dialog, ParseFileFilter(res::LoadString(res::kIdsBackupFilter)), folder, "*.bak");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setWindowTitle(fw::ToQString(res::LoadString(res::kIdsRestoreTitle)));
  dialog.setLabelText(QFileDialog::Accept, fw::ToQString(res::LoadString(res::kIdsRestoreButton)));
  if (fw::RunFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return fw::FromQPath(dialog.selectedFiles().front());
}

std::string CAppMaintenanceScreens::AskDeletePath(const std::string& folder) {
  COpenFamilyFileDialog dialog(res::LoadString(res::kIdsNewFilter),
                               res::LoadString(res::kIdsDeleteTitle), folder, parent_);
  dialog.SetOkButtonText(res::LoadString(res::kIdsDeleteButton));
  return dialog.DoModal() == fw::kIdOk ? dialog.GetPathName() : std::string();
}

std::string AskImportPath(QWidget* parent, const std::string& folder) {
  QFileDialog dialog(parent);
  SetUpFileDialog(dialog, ParseFileFilter(res::LoadString(res::kIdsGedcomFilter)), folder, "*.ged");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setWindowTitle(fw::ToQString(res::LoadString(res::kIdsImportTitle)));
  dialog.setLabelText(QFileDialog::Accept, fw::ToQString(res::LoadString(res::kIdsImportButton)));
  if (fw::RunFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return fw::FromQPath(dialog.selectedFiles().front());
}
