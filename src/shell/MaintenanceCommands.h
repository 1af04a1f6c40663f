#pragma once
// The File menu's maintenance commands as decisions over the open-file
// roads: Backup, Restore, Delete and Tools > Change Names to Mixed Case.
// File names are asked through MaintenanceScreens, which the application
// implements with its file dialogs and tests with a fake; messages go
// through the message-box port.

#include <string>

#include "FamilyFileRoads.h"

namespace shell {

// String ids of the commands' dialogs and messages.
inline constexpr unsigned kIdsChangeNamesQuestion = 3386;
inline constexpr unsigned kIdsDeleteError = 3470;
inline constexpr unsigned kIdsDeleteTitle = 3609;
inline constexpr unsigned kIdsCheckFilter = 5275;
inline constexpr unsigned kIdsBackupFilter = 5282;
inline constexpr unsigned kIdsReportFilter = 5283;
inline constexpr unsigned kIdsBackupTitle = 5302;
inline constexpr unsigned kIdsRestoreTitle = 5303;
inline constexpr unsigned kIdsReplaceOpenFile = 5363;
inline constexpr unsigned kIdsBackupButton = 5366;
inline constexpr unsigned kIdsCheckButton = 5368;
inline constexpr unsigned kIdsDeleteButton = 5369;
inline constexpr unsigned kIdsRestoreButton = 5370;
inline constexpr unsigned kIdsCheckTitle = 5379;
inline constexpr unsigned kIdsReplaceOtherFile = 5470;
// File > Import and the GEDCOM road of File > Open.
inline constexpr unsigned kIdsImportNeedsFile = 3270;
inline constexpr unsigned kIdsGedcomNeedsFile = 3998;
inline constexpr unsigned kIdsReadOnlyDevice = 3411;
inline constexpr unsigned kIdsGedcomFilter = 5279;
inline constexpr unsigned kIdsImportTitle = 5328;
inline constexpr unsigned kIdsImportButton = 5371;

class MaintenanceScreens {
 public:
  virtual ~MaintenanceScreens() = default;
  // The save dialog for a backup, proposing fileName in folder; "" on Cancel.
  virtual std::string AskBackupPath(const std::string& fileName, const std::string& folder) = 0;
  // The open dialogs for a backup to restore and a family file to delete.
  virtual std::string AskRestorePath(const std::string& folder) = 0;
  virtual std::string AskDeletePath(const std::string& folder) = 0;
  // Around work on a closed database: the views draw nothing meanwhile, and
  // are repainted after.
  virtual void BeginClosedWork() = 0;
  virtual void EndClosedWork() = 0;
};

class MaintenanceCommands {
 public:
  MaintenanceCommands(FamilyFileRoads& roads, DocumentWindows& windows, MaintenanceScreens& screens)
      : roads_(roads), windows_(windows), screens_(&screens) {}
  // Replaces the screens (tests of the application).
  void SetScreens(MaintenanceScreens& screens) { screens_ = &screens; }

  // Each answers the engine's result code, or -1 when the user stopped the
  // command before any work.
  int BackupFamilyFile();
  int OnFileRestore();
  int OnFileDelete();
  int ChangeNamesToMixedCase();

  // Enabling: Backup needs an open file that holds individuals.
  bool CanBackup() const;

  // The family file a backup restores to: the backup's base name with
  // ".orv", in the data folder, else the open file's folder, else the
  // documents folder.
  static std::string RestoreTarget(const std::string& backupPath, const std::string& dataFolder,
                                   const std::string& openFolder,
                                   const std::string& documentsFolder);

 private:
  bool Logging() const;

  FamilyFileRoads& roads_;
  DocumentWindows& windows_;
  MaintenanceScreens* screens_;
};

}  // namespace shell
