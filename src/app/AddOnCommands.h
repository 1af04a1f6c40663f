#pragma once
// The commands that reach outside the program: the add-ons of the Tools
// menu (32900-32919), the publisher's pages, the getting-started document
// and the web searches for the current individual.

#include <QObject>
#include <cstdint>
#include <memory>
#include <string>

#include "AddOns.h"
#include "KeyStore.h"

class CKorApp;
class QSettings;

// A KeyStore on a settings file: keys are groups below prefix, the default
// value is named "Default".
class CSettingsKeyStore : public shell::KeyStore {
 public:
  CSettingsKeyStore(std::unique_ptr<QSettings> settings, const std::string& prefix);
  ~CSettingsKeyStore() override;
  std::vector<std::string> SubKeys(const std::string& path) override;
  std::optional<std::string> ReadString(const std::string& path, const std::string& name) override;
  std::optional<int> ReadInt(const std::string& path, const std::string& name) override;
  bool WriteString(const std::string& path, const std::string& name,
                   const std::string& text) override;
  bool WriteInt(const std::string& path, const std::string& name, int value) override;

  // The user's settings (the file of the options) and the system-wide ones.
  static std::unique_ptr<CSettingsKeyStore> User();
  static std::unique_ptr<CSettingsKeyStore> System(const std::string& prefix);

 private:
  QString Key(const std::string& path, const std::string& name) const;
  std::unique_ptr<QSettings> settings_;
  std::string prefix_;
};

class CAddOnCommands : public QObject {
  Q_OBJECT

 public:
  // Reads the add-on list from user and system (null: none) and wires the
  // commands into app, whose main frame must exist.
  CAddOnCommands(CKorApp& app, shell::KeyStore& user, shell::KeyStore* system);

  shell::CAddOnList& List() { return *list_; }
  // The Tools menu's add-on items take the add-ons' menu texts; the items
  // beyond the count are hidden.
  void UpdateAddOnMenu();
  // Runs add-on id - 32900 with the family file closed, then reopens it.
  void OnToolsAddOn(unsigned id);
  // Looks the active view's current individual up on the web (kind 0-4).
  void OnWebSearch(int kind);
  // The web-search items are enabled while the active view has a current
  // individual.
  void UpdateWebSearchItems();
  // The getting-started document beside the program.
  void OnGettingStarted();

  // The program's folder, where the getting-started document is.
  std::string programFolder;

 private:
  CKorApp& app_;
  std::unique_ptr<shell::CAddOnList> list_;
};

// Starts or calls an add-on with the family file's path and the current
// individual and marriage; returns at once for a program.
void RunAddOn(const shell::CAddOnEntry& entry, const std::string& path, std::int32_t rin,
              std::int32_t mrin);

// The program's add-on and web commands: the add-on list from the user's and
// the system-wide settings, and the companion programs found installed. Call
// once the main window is shown.
void RegisterAddOnCommands(CKorApp& app);
