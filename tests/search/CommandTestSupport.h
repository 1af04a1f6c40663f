#pragma once
// What the Qt tests of the application's commands share: file dialogs that
// answer nothing, and a look at the modal dialog a command opens.

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "KorApp.h"

namespace {

class NoDialogs : public shell::FileDialogs {
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
  void RunBackup() override {}
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
};

// Runs check on the modal dialog the command opens, then closes it.
template <class Dialog>
bool TriggerAndInspect(QAction* action, const std::function<void(Dialog&)>& check) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = true;
    check(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  action->trigger();
  return seen;
}

}  // namespace
