#pragma once
// The application's file dialogs answered without a window: every question
// cancelled, nothing shown; the backup reminders are counted. For tests that
// start the whole application.

#include <string>
#include <vector>

#include "FamilyFileRoads.h"

class NoFileDialogs : public shell::FileDialogs {
 public:
  std::string AskOpenPath(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  std::string AskSavePath(const std::string&, const std::string&, const std::string&,
                          const std::string&, const std::vector<std::string>&) override {
    return {};
  }
  int AskWelcome(std::string&) override { return shell::kWelcomeCancel; }
  void ShowSplash() override {}
  void ShowAbout() override {}
  void RunBackup() override { ++reminderBackups; }
  void RunCheckRepair(const std::string&) override {}
  void ShowPreparerPreferences() override {}
  void ImportGedcom(const std::string&) override {}
  bool AskConversionOptions(const std::string&, const std::string&, long,
                            orv2::ConversionOptions&) override {
    return false;
  }
  int RunConverter(CFamilyDatabase&, const orv2::ConversionOptions&, const std::string&) override {
    return 0;
  }
  int reminderBackups = 0;
};

using NoDialogs = NoFileDialogs;
