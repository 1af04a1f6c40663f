#include "CheckRepairCommand.h"

#include "CheckRepairOptionsDialog.h"
#include "CheckRepairWindow.h"
#include "DbCalls.h"
#include "DialogBase.h"
#include "FamilyDatabase.h"
#include "FileSystem.h"
#include "MaintenanceCommands.h"
#include "OpenFamilyFileDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SaveDlg.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr const char* kCaption = "Check/Repair";
constexpr const char* kReportName = "checkfix.rpt";

void CannotCheck(const std::string& path) {
  plat::MessageBox(res::FormatString(res::kIdsCannotCheck, {plat::PathText(path)}), kCaption,
                   plat::kMbOk | plat::kMbIconExclamation);
}

// 0 Cancel, else kIdcCheckOnly or kIdcCheckAndRepair; path becomes the
// file chosen.
int AskCheckOrRepair(std::string& path, QWidget* parent, shell::FileDialogs* files) {
  CCheckRepairOptionsDialog dialog(parent);
  dialog.path = path;
  dialog.files = files;
  const int result = dialog.exec();
  path = dialog.path;
  if (result == CCheckRepairOptionsDialog::kIdcCheckRepair) return kIdcCheckAndRepair;
  if (result == fw::kIdOk) return kIdcCheckOnly;
  return 0;
}

// Checks a family file other than the open one: it is opened into a
// database object of its own, which is current only for the run.
int CheckOtherFamilyFile(const std::string& path, const std::string& report, int repair,
                         QWidget* parent) {
  CFamilyDatabase other;
  if (DbGetFileType(path) != CFamilyDatabase::kCurrentFormat ||
      other.OpenForCheck(path, repair != 0) <= 0) {
    CannotCheck(path);
    return 0;
  }
  CFamilyDatabase* saved = CurrentDatabase;
  CurrentDatabase = &other;
  const int completed = RunCheckRepair(path, report, repair, parent);
  DbFlush();
  CurrentDatabase = saved;
  other.Close();
  return completed;
}

}  // namespace

int RunCheckRepairCommand(const std::string& openPath, QWidget* parent, shell::FileDialogs* files,
                          bool open) {
  std::string path = openPath;
  const int choice = AskCheckOrRepair(path, parent, files);
  if (choice == 0) return 0;
  const std::size_t slash = path.find_last_of('/');
  CSaveDlg dialog(".rpt", kReportName, kOfnPathMustExist | kOfnHideReadOnly,
                  res::LoadString(res::kIdsReportFilter), parent);
  dialog.SetFolder(slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
  if (dialog.DoModal() != fw::kIdOk) return 0;
  const int repair = choice == kIdcCheckAndRepair ? 1 : 0;
  if (!open || (path != openPath && !plat::IsSameFile(path, openPath)))
    return CheckOtherFamilyFile(path, dialog.GetPathName(), repair, parent);
  const int completed = RunCheckRepair(path, dialog.GetPathName(), repair, parent);
  DbFlush();
  return completed;
}

void CheckUnopenedFamilyFile(const std::string& folder, QWidget* parent) {
  COpenFamilyFileDialog dialog(res::LoadString(res::kIdsCheckFilter),
                               res::LoadString(res::kIdsCheckTitle), folder, parent);
  dialog.SetOkButtonText(res::LoadString(res::kIdsCheckButton));
  if (dialog.DoModal() != fw::kIdOk) return;
  const std::string path = dialog.GetPathName();
  if (DbGetFileType(path) != CFamilyDatabase::kCurrentFormat) {
    CannotCheck(path);
    return;
  }
  RunCheckRepairCommand(path, parent, nullptr, false);
}
