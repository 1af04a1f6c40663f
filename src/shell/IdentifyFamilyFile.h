#pragma once
// Tells whether a file is a family file and reads what the file dialogs and
// the family-file search show of it: the family name and the numbers of
// individuals and marriages. Never reports anything to the user: unreadable
// or foreign files are simply no family files.

#include <cstdint>
#include <string>
#include <vector>

// What IdentifyFamilyFile answers.
inline constexpr int kNoFamilyFile = 0;
inline constexpr int kOldFormatFamily = 100;      // an ORV 2.x family folder
inline constexpr int kCurrentFormatFamily = 101;  // a current-format family file

// The kind of family file at path, with its facts in the outs that are given:
// "indiv2.dat" (any case) is an ORV 2.x family when "marr2.dat" lies beside
// it (name from "family.ini", counts from the two files' sizes); a ".orv" file
// is read through the database's header probe, DbProbeFamilyFile (highest
// RIN and MRIN, the title or the file's name). fileError, when given, receives the file-error cause of
// a file that could not be opened (0 otherwise).
int IdentifyFamilyFile(const std::string& path, std::int32_t* individuals, std::int32_t* marriages,
                       std::string* familyName, std::uint64_t* fileSize, int* fileError);

// The value of key in section of an INI file, compared without regard to
// case; surrounding blanks and one pair of double quotes are dropped. "" when
// the file, the section or the key is missing.
std::string ReadIniValue(const std::string& iniPath, const std::string& section,
                         const std::string& key);

// What the File Information panel of the Open Family File dialog shows.
enum FamilyFilePanelState : int {
  kPanelFileInfo = 0,     // the family name and the two counts
  kPanelUnavailable = 1,  // "Unavailable"
  kPanelAlreadyOpen = 2,  // "The file is already open."
};
struct FamilyFilePanel {
  int state = kPanelUnavailable;
  std::string familyName;
  std::string individuals = "0";
  std::string marriages = "0";
};

// True when path names an existing regular file and holds no "*" or "?":
// what a file dialog describes when it is selected.
bool IsDescribableFile(const std::string& path);

// The panel for the selected path: unavailable unless the path names an
// existing regular file (no "*" or "?"); already open when it is one of
// openPaths or another program holds it; else its facts when it is a family
// file, otherwise unavailable.
FamilyFilePanel DescribeFamilyFilePanel(const std::string& path,
                                        const std::vector<std::string>& openPaths);
