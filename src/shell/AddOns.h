#pragma once
// The add-ons of the Tools menu: outside programs started with the open
// family file's path on their command line, and shared libraries whose
// "ORV4AddOn" is called with the file, the current individual and marriage
// (AddOnCall.h). Each add-on is a key below "AddOn" with the values "Menu",
// "Target", "StartIn" and "PassFileName", in the user's settings or in the
// system-wide ones; the companion programs found installed are registered
// at start-up.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AddOnCall.h"
#include "KeyStore.h"

namespace shell {

// How the family file is passed to an add-on.
inline constexpr int kPassNone = 0;
inline constexpr int kPassQuoted = 1;  // the path in double quotes
inline constexpr int kPassPlain = 2;   // the path as it is

struct CAddOnEntry {
  // Longest texts kept from the settings.
  static constexpr std::size_t kMaxMenuText = 99;
  static constexpr std::size_t kMaxPath = 260;

  std::string menuText;
  std::string target;  // program, possibly with arguments, or library path
  std::string startFolder;
  int passMode = kPassNone;

  // True when the target is a shared library (extension ".so", any case).
  bool IsLibrary() const;
  // The file text for the pass mode: "" for 0, else the path.
  std::string FileText(const std::string& path) const;
  // A program's command line: the target, then for pass mode 1 a blank and
  // the quoted path, for 2 a blank and the path ("" path: nothing added).
  std::string CommandLine(const std::string& path) const;
};

// The call block a library add-on gets; file must outlive its use.
KorAddOnBlock MakeAddOnBlock(const std::string& file, std::int32_t rin, std::int32_t mrin);

class CAddOnList {
 public:
  static constexpr const char* kSection = "AddOn";
  // Tools menu items 32900 to 32919.
  static constexpr int kMenuLimit = 20;

  // Reads the add-ons of user and then of system (null: none); a key of
  // system whose name the user's settings also hold is the user's. Keys are
  // taken from the last to the first; a key missing a value is skipped.
  CAddOnList(KeyStore& user, KeyStore* system);

  // Writes the four values below "AddOn/<key>" of the user's settings,
  // stopping at the first failure. When all were written an entry with the
  // same menu text takes the new values, else one is appended; 1, else 0.
  int Register(const std::string& key, const std::string& menuText, const std::string& target,
               const std::string& startFolder, int passMode);
  // Registers each companion program whose install key machine holds.
  void RegisterCompanions(KeyStore& machine);

  int GetCount() const { return static_cast<int>(entries_.size()); }
  // The entry, or null when index is not below the count.
  const CAddOnEntry* GetAt(int index) const;
  // The texts of the Tools menu's add-on items: at most twenty.
  std::vector<std::string> MenuTexts() const;

 private:
  void ReadFrom(KeyStore& store, std::vector<std::string>& seen);

  KeyStore& user_;
  std::vector<std::unique_ptr<CAddOnEntry>> entries_;
};

// The companion programs' install keys and values.
struct CompanionKey {
  const char* name;     // menu text and key name
  const char* key;      // install key path
  const char* value;    // value name ("" the default value)
  const char* program;  // program file in the install folder; null: the value is the program
  int passMode;
};
const std::vector<CompanionKey>& CompanionKeys();

}  // namespace shell
