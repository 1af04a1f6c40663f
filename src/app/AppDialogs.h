#pragma once
// The dialogs the application object's roads and start-up open, on Qt: the
// Open Family File dialog, the save-file dialog, the welcome dialog, the
// splash window and the About box, and the screens of other commands that
// the roads lead to.

#include <QPointer>
#include <QWidget>

#include "FamilyFileRoads.h"

class CAppDialogs : public shell::FileDialogs {
 public:
  explicit CAppDialogs(CAppOptions& options) : options_(options) {}
  // The window the dialogs are centred on.
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::string AskOpenPath(const std::string& filter, const std::string& title,
                          const std::string& folder) override;
  std::string AskSavePath(const std::string& title, const std::string& filter,
                          const std::string& defaultExt, const std::string& folder,
                          const std::vector<std::string>& forbidden) override;
  int AskWelcome(std::string& path) override;
  void ShowSplash() override;
  void ShowAbout() override;
  void RunBackup() override;
  void RunCheckRepair(const std::string& path) override;
  void ShowPreparerPreferences() override;
  void ImportGedcom(const std::string& path) override;
  bool AskConversionOptions(const std::string& location, const std::string& title, long individuals,
                            orv2::ConversionOptions& options) override;
  int RunConverter(CFamilyDatabase& source, const orv2::ConversionOptions& options,
                   const std::string& destination) override;

 private:
  CAppOptions& options_;
  QPointer<QWidget> parent_;
};
