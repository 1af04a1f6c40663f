#pragma once
// What the program's Save As dialog decides about a name: the filter string
// of the program's form ("Text|pattern|Text|pattern||"), the extension each
// filter entry stands for, the extension appended to a typed name, the
// refusal of files that are open and the question before replacing a file.

#include <string>
#include <vector>

// Flags of the program's file dialogs, numbered as its callers pass them.
enum FileDialogFlags : unsigned {
  kOfnReadOnly = 0x1,
  kOfnOverwritePrompt = 0x2,
  kOfnHideReadOnly = 0x4,
  kOfnShowHelp = 0x10,
  kOfnPathMustExist = 0x800,
  kOfnFileMustExist = 0x1000,
};

// One entry of a filter string.
struct FileFilterEntry {
  std::string text;       // "ORV 3 or 4 (*.orv)"
  std::string pattern;    // "*.orv" or "*.orv;indiv2.dat"
  std::string extension;  // ".orv"; empty when the pattern is no plain "*.ext"
};

// The entries of a filter string, up to the empty entry that ends it.
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);

// The same entries as name filters of the desktop's file dialog:
// "Description (pattern pattern)", with "*.*" written as "*" (every name).
std::vector<std::string> ToNameFilters(const std::vector<FileFilterEntry>& entries);

class CSaveNameRules {
 public:
  // defaultExt is kept with a leading point ("orv" and ".orv" alike).
  CSaveNameRules(const std::string& defaultExt, const std::string& filter);

  const std::vector<FileFilterEntry>& Entries() const { return entries_; }
  const std::string& DefaultExtension() const { return defaultExt_; }

  // Set by default: a typed extension that is neither the default one nor
  // any of the filter's gets the selected entry's extension appended.
  bool forceExtension = true;
  // Paths that may not be chosen (the files already open).
  std::vector<std::string> forbiddenPaths;
  // Folder that names without a folder are taken in.
  std::string folder;

  // The name with the extension rules applied for the selected filter entry
  // (0-based; out of range means an entry without extension).
  std::string WithExtension(const std::string& path, int selectedEntry) const;

  // The whole OK step: the extension rules, then the refusal of a forbidden
  // path (message 5840), of a path whose folder is missing when
  // pathMustExist, and the question before replacing an existing file
  // (5277, caption 5278, Yes/No). True when the name is accepted; chosen
  // receives the final path either way.
  bool Accept(const std::string& path, int selectedEntry, bool pathMustExist,
              std::string& chosen) const;

  // True when path and other name the same file: the same existing file, or
  // the same absolute path once "." and ".." are resolved.
  static bool SamePath(const std::string& path, const std::string& other);

 private:
  std::string defaultExt_;
  std::vector<FileFilterEntry> entries_;
};
