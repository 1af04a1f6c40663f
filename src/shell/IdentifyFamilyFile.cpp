#include "IdentifyFamilyFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "CodePage.h"
#include "FamilyDatabase.h"
#include "FileHandle.h"
#include "FileSystem.h"
#include "SaveName.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// Sizes of one record of the old format's two data files; the first record
// of each is a header, not a person or a marriage.
constexpr long long kOldIndividualSize = 92;
constexpr long long kOldMarriageSize = 28;

bool EqualNoCase(const std::string& a, const std::string& b) {
  return plat::CompareAnsi(a, b, true) == 0;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Regular files only: opening a pipe or a device could block or have effects.
bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::int32_t RecordsIn(long long fileSize, long long recordSize) {
  if (fileSize <= recordSize) return 0;
  return static_cast<std::int32_t>(fileSize / recordSize - 1);
}

int IdentifyOldFormat(const std::string& folder, const std::string& indivPath,
                      std::int32_t* individuals, std::int32_t* marriages, std::string* familyName,
                      std::uint64_t* fileSize) {
  const long long indivSize = plat::FileSize(indivPath);
  if (indivSize < 0) return kNoFamilyFile;
  const long long marrSize = plat::FileSize(folder + "marr2.dat");
  if (marrSize < 0) return kNoFamilyFile;
  if (familyName) {
    *familyName = ReadIniValue(folder + "family.ini", "Family", "FamilyName");
    if (familyName->empty()) *familyName = res::LoadString(res::kIdsUntitled);
  }
  if (individuals) *individuals = RecordsIn(indivSize, kOldIndividualSize);
  if (marriages) *marriages = RecordsIn(marrSize, kOldMarriageSize);
  if (fileSize) *fileSize = static_cast<std::uint64_t>(indivSize);
  return kOldFormatFamily;
}

}  // namespace

int IdentifyFamilyFile(const std::string& path, std::int32_t* individuals, std::int32_t* marriages,
                       std::string* familyName, std::uint64_t* fileSize, int* fileError) {
  if (fileError) *fileError = plat::kFileOk;
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = path.substr(folder.size());
  if (EqualNoCase(name, "indiv2.dat"))
    return IdentifyOldFormat(folder, path, individuals, marriages, familyName, fileSize);

  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos || !EqualNoCase(name.substr(dot), ".orv")) return kNoFamilyFile;
  if (!IsRegularFile(path)) return kNoFamilyFile;
  std::int32_t rin = 0, mrin = 0;
  std::string title;
  std::uint64_t length = 0;
  int cause = plat::kFileOk;
  const int type = DbProbeFamilyFile(path, rin, mrin, title, length, &cause);
  if (fileError) *fileError = cause;
  if (type != kCurrentFormatFamily) return kNoFamilyFile;
  if (individuals) *individuals = rin;
  if (marriages) *marriages = mrin;
  if (familyName) *familyName = title;
  if (fileSize) *fileSize = length;
  return kCurrentFormatFamily;
}

std::string ReadIniValue(const std::string& iniPath, const std::string& section,
                         const std::string& key) {
  std::ifstream in(iniPath, std::ios::binary);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const auto close = line.find(']');
      inSection =
          close != std::string::npos && EqualNoCase(Trim(line.substr(1, close - 1)), section);
      continue;
    }
    if (!inSection) continue;
    const auto equals = line.find('=');
    if (equals == std::string::npos || !EqualNoCase(Trim(line.substr(0, equals)), key)) continue;
    std::string value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return "";
}

bool IsDescribableFile(const std::string& path) {
  return !path.empty() && path.find_first_of("*?") == std::string::npos && IsRegularFile(path);
}

FamilyFilePanel DescribeFamilyFilePanel(const std::string& path,
                                        const std::vector<std::string>& openPaths) {
  FamilyFilePanel panel;
  if (!IsDescribableFile(path)) return panel;
  for (const std::string& open : openPaths) {
    if (CSaveNameRules::SamePath(path, open)) {
      panel.state = kPanelAlreadyOpen;
      return panel;
    }
  }
  std::int32_t individuals = 0, marriages = 0;
  std::string name;
  int cause = plat::kFileOk;
  if (IdentifyFamilyFile(path, &individuals, &marriages, &name, nullptr, &cause) == kNoFamilyFile) {
    panel.state = cause == plat::kFileSharingViolation ? kPanelAlreadyOpen : kPanelUnavailable;
    return panel;
  }
  panel.state = kPanelFileInfo;
  panel.familyName = name;
  panel.individuals = std::to_string(individuals);
  panel.marriages = std::to_string(marriages);
  return panel;
}
