#include "CheckRepairCommand.h"

#include "CheckRepairOptionsDialog.h"
#include "CheckRepairWindow.h"
#include "DbCalls.h"
#include "DialogBase.h"
#include "FamilyDatabase.h"
#include "MaintenanceCommands.h"
#include "OpenFamilyFileDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SaveDlg.h"
#include "StringTable.h"

namespace {

constexpr const char* kCaption = "Check/Repair";
constexpr const char* kReportName = "checkfix.rpt";

// 0 Cancel, else kIdcCheckOnly or kIdcCheckAndRepair.
int AskCheckOrRepair(const std::string& path, QWidget* parent) {
  CCheckRepairOptionsDialog dialog(parent);
  dialog.path = path;
  const int result = dialog.exec();
  if (result == CCheckRepairOptionsDialog::kIdcCheckRepair) return kIdcCheckAndRepair;
  if (result == fw::kIdOk) return kIdcCheckOnly;
  return 0;
}

}  // namespace

int RunCheckRepairCommand(const std::string& path, QWidget* parent) {
  const int choice = AskCheckOrRepair(path, parent);
  if (choice == 0) return 0;
  const std::size_t slash = path.find_last_of('/');
  CSaveDlg dialog(".rpt", kReportName, kOfnPathMustExist | kOfnHideReadOnly,
                  res::LoadString(shell::kIdsReportFilter), parent);
  dialog.SetFolder(slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
  if (dialog.DoModal() != fw::kIdOk) return 0;
  const int completed =
      RunCheckRepair(path, dialog.GetPathName(), choice == kIdcCheckAndRepair ? 1 : 0, parent);
  DbFlush();
  return completed;
}

void CheckUnopenedFamilyFile(const std::string& folder, QWidget* parent) {
  COpenFamilyFileDialog dialog(res::LoadString(shell::kIdsCheckFilter),
                               res::LoadString(shell::kIdsCheckTitle), folder, parent);
  dialog.SetOkButtonText(res::LoadString(shell::kIdsCheckButton));
  if (dialog.DoModal() != fw::kIdOk) return;
  const std::string path = dialog.GetPathName();
  if (DbGetFileType(path) != CFamilyDatabase::kCurrentFormat ||
      DbOpen(path, CFamilyDatabase::kCurrentFormat) <= 0) {
    plat::MessageBox(path, kCaption, plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  RunCheckRepairCommand(path, parent);
  DbCloseCurrent();
}
