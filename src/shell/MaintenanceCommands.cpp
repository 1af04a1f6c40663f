#include "MaintenanceCommands.h"

#include "Backup.h"
#include "ChangeLog.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {
namespace {

int Ask(const std::string& text, unsigned flags) {
  return plat::MessageBox(text, res::LoadString(res::kIdsAppName), flags);
}

std::string Folder(const char* value) { return plat::Profile().GetPath("Folders", value, ""); }

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The file name between the last separator and the last point.
std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace

bool MaintenanceCommands::CanBackup() const {
  return roads_.fileOpen != 0 && DbGetActiveRecordCount(db::kIndividual) > 0;
}

bool MaintenanceCommands::Logging() const {
  if (roads_.fileInfo) return roads_.fileInfo->settings.logChanges != 0;
  return CurrentDatabase->host.logChanges;
}

std::string MaintenanceCommands::RestoreTarget(const std::string& backupPath,
                                               const std::string& dataFolder,
                                               const std::string& openFolder,
                                               const std::string& documentsFolder) {
  const std::string folder = !dataFolder.empty()   ? dataFolder
                             : !openFolder.empty() ? openFolder
                                                   : documentsFolder;
  return WithSlash(folder) + BaseName(backupPath) + ".orv";
}

int MaintenanceCommands::BackupFamilyFile() {
  if (!roads_.fileOpen) return -1;
  const std::string family = roads_.openPath;
  const std::string path = screens_->AskBackupPath(BaseName(family) + ".bak", Folder("Backup"));
  if (path.empty()) return -1;
  screens_->BeginClosedWork();
  DbCloseCurrent();
  const int result = backup::BackupWithMessage(family, path);
  if (DbReopen(family) <= 0) {
    // The file stays closed (a damaged file's question answered Cancel, or
    // it cannot be read any more): its windows go with it, so that no view
    // shows a family that is not open.
    roads_.fileOpen = 0;
    windows_.DestroyWindows(family);
  }
  // Only a backup that was made counts as one.
  if (result == backup::kBackupOk && roads_.fileOpen) {
    if (Logging()) DbLogChange(db::kLogBackup, 0, 0, 0, path.c_str());
    if (roads_.fileInfo) roads_.fileInfo->settings.closeCount = 0;
  }
  screens_->EndClosedWork();
  return result;
}

int MaintenanceCommands::OnFileRestore() {
  const std::string backupPath = screens_->AskRestorePath(Folder("Backup"));
  if (backupPath.empty()) return -1;
  const std::string target =
      RestoreTarget(backupPath, Folder("Data"), roads_.fileOpen ? roads_.openFolder : "",
                    GetSpecialFolderPath(kCsidlPersonal));
  if (roads_.fileOpen && RecentFileList::SamePath(target, roads_.openPath)) {
    if (Ask(res::LoadString(res::kIdsReplaceOpenFile), plat::kMbYesNo | plat::kMbIconQuestion) !=
        plat::kIdYes)
      return -1;
    // Closed without the backup reminder, whose backup would be the one
    // being restored.
    roads_.CloseFamilyFile(0);
    windows_.DestroyWindows(target);
  } else if (plat::FileExists(target)) {
    if (Ask(FormatInsertsAndArgs(res::LoadString(res::kIdsReplaceOtherFile),
                                 {plat::PathText(target)}, {plat::PathText(target)}),
            plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
      return -1;
    windows_.DestroyWindows(target);
  }
  const int result = backup::RestoreWithMessage(backupPath, target);
  if (result != backup::kRestoreOk) return result;
  roads_.OpenFamilyFile(target, CFamilyDatabase::kCurrentFormat);
  if (roads_.fileOpen) {
    roads_.Recent().Add(target);
    windows_.CreateWindow();
    if (Logging()) DbLogChange(db::kLogRestore, 0, 0, 0, target.c_str());
  }
  return result;
}

int MaintenanceCommands::OnFileDelete() {
  std::string folder = Folder("Data");
  if (folder.empty()) folder = roads_.fileOpen ? roads_.openFolder : "";
  if (folder.empty()) folder = GetSpecialFolderPath(kCsidlPersonal);
  plat::SetCurrentDirectory(folder);
  const std::string path = screens_->AskDeletePath(folder);
  if (path.empty() || !plat::FileExists(path)) return -1;
  if (roads_.fileOpen && RecentFileList::SamePath(path, roads_.openPath)) roads_.CloseFamilyFile(0);
  // No window may stay on a file that is gone.
  windows_.DestroyWindows(path);
  const int deleted = DbDeleteFamilyFile(path);
  if (!deleted) {
    // A file another program holds is left where it is; say who has it.
    const std::string shown = plat::PathText(path);
    Ask(plat::HoldOf(path) != plat::FileHold::None
            ? FormatInsertsAndArgs(res::LoadString(res::kIdsDeleteHeld), {shown}, {shown})
            : res::LoadString(res::kIdsDeleteError),
        plat::kMbOk | plat::kMbIconExclamation);
  }
  roads_.Recent().Remove(path);
  return deleted;
}

int MaintenanceCommands::ChangeNamesToMixedCase() {
  if (!roads_.fileOpen || !CurrentDatabase->engine) return -1;
  if (Ask(res::LoadString(res::kIdsChangeNamesQuestion), plat::kMbYesNo) != plat::kIdYes) return -1;
  CDatabaseChecker checker(roads_.openPath, "", *CurrentDatabase, 0);
  const int result = checker.ChangeNamesToMixedCase();
  windows_.RepaintCurrentView();
  return result;
}

}  // namespace shell
