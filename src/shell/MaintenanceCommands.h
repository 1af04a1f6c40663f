#pragma once
// The File menu's maintenance commands as decisions over the open-file
// roads: Backup, Restore, Delete and Tools > Change Names to Mixed Case.
// File names are asked through MaintenanceScreens, which the application
// implements with its file dialogs and tests with a fake; messages go
// through the message-box port.

#include <string>

#include "FamilyFileRoads.h"

namespace shell {

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
