#pragma once
// The file dialogs of the maintenance commands (Backup, Restore, Delete) on
// Qt, and the family views held blank while the database is closed for a
// backup.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "MaintenanceCommands.h"

class CAppMaintenanceScreens : public shell::MaintenanceScreens {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  // Called around closed work with true before and false after.
  std::function<void(bool)> closedWork;

  std::string AskBackupPath(const std::string& fileName, const std::string& folder) override;
  std::string AskRestorePath(const std::string& folder) override;
  std::string AskDeletePath(const std::string& folder) override;
  void BeginClosedWork() override {
    if (closedWork) closedWork(true);
  }
  void EndClosedWork() override {
    if (closedWork) closedWork(false);
  }

 private:
  QPointer<QWidget> parent_;
};

// File > Import's question for the GEDCOM file; "" for Cancel.
std::string AskImportPath(QWidget* parent, const std::string& folder);
