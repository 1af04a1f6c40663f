#include "SaveName.h"

#include <algorithm>
#include <filesystem>

#include "CodePage.h"
#include "FileSystem.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  return plat::CompareAnsi(a, b, true) == 0;
}

// The extension of the path's file name with its point; "" when it has none.
std::string ExtensionOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  if (dot + 1 == path.size() || dot == (slash == std::string::npos ? 0 : slash + 1)) return "";
  return path.substr(dot);
}

std::string Absolute(const std::string& path, const std::string& folder) {
  std::filesystem::path p(path);
  if (p.is_relative()) {
    std::filesystem::path base(folder.empty() ? plat::CurrentDirectory() : folder);
    p = base / p;
  }
  return p.lexically_normal().string();
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter) {
  std::vector<FileFilterEntry> entries;
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start <= filter.size()) {
    const auto bar = filter.find('|', start);
    fields.push_back(
        filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    if (fields[i].empty()) break;
    FileFilterEntry entry{fields[i], fields[i + 1], ""};
    const auto dot = entry.pattern.find('.');
    if (dot != std::string::npos && entry.pattern.find_first_of("*;?", dot) == std::string::npos)
      entry.extension = entry.pattern.substr(dot);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<std::string> ToNameFilters(const std::vector<FileFilterEntry>& entries) {
  std::vector<std::string> filters;
  for (const FileFilterEntry& entry : entries) {
    std::string patterns;
    std::size_t start = 0;
    while (start <= entry.pattern.size()) {
      auto semi = entry.pattern.find(';', start);
      if (semi == std::string::npos) semi = entry.pattern.size();
      std::string one = entry.pattern.substr(start, semi - start);
      if (one == "*.*") one = "*";
      if (!one.empty()) patterns += (patterns.empty() ? "" : " ") + one;
      start = semi + 1;
    }
    // The description's own "(...)" gives way to the patterns in the
    // dialog's form, which is where the dialog reads them.
    std::string text = entry.text;
    if (!text.empty() && text.back() == ')') {
      const auto open = text.rfind('(');
      if (open != std::string::npos) text = text.substr(0, open);
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    filters.push_back(text + " (" + patterns + ")");
  }
  return filters;
}

CSaveNameRules::CSaveNameRules(const std::string& defaultExt, const std::string& filter)
    : entries_(ParseFileFilter(filter)) {
  if (!defaultExt.empty()) defaultExt_ = defaultExt[0] == '.' ? defaultExt : "." + defaultExt;
}

std::string CSaveNameRules::WithExtension(const std::string& path, int selectedEntry) const {
  const std::string selected =
      selectedEntry >= 0 && selectedEntry < static_cast<int>(entries_.size())
          ? entries_[static_cast<std::size_t>(selectedEntry)].extension
          : std::string();
  const std::string extension = ExtensionOf(path);
  if (extension.empty()) return path + selected;
  if (forceExtension && !defaultExt_.empty() && !EqualNoCase(extension, defaultExt_) &&
      std::none_of(entries_.begin(), entries_.end(), [&](const FileFilterEntry& e) {
        return !e.extension.empty() && EqualNoCase(e.extension, extension);
      }))
    return path + selected;
  return path;
}

bool CSaveNameRules::SamePath(const std::string& path, const std::string& other) {
  if (path.empty() || other.empty()) return false;
  if (plat::FileExists(path) && plat::FileExists(other) && plat::IsSameFile(path, other))
    return true;
  return Absolute(path, "") == Absolute(other, "");
}

bool CSaveNameRules::Accept(const std::string& path, int selectedEntry, bool pathMustExist,
                            std::string& chosen) const {
  chosen = Absolute(WithExtension(path, selectedEntry), folder);
  for (const std::string& open : forbiddenPaths) {
    if (!SamePath(chosen, open)) continue;
    plat::MessageBox(res::FormatString(res::kIdsFileAlreadyOpen, {plat::PathText(chosen)}),
                     res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  const std::string parent = std::filesystem::path(chosen).parent_path().string();
  if (pathMustExist && !plat::DirectoryExists(parent)) {
    plat::MessageBox(res::FormatString(res::kIdsFolderDoesNotExist, {plat::PathText(chosen)}),
                     res::LoadString(res::kIdsSaveAsCaption),
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  if (plat::FileExists(chosen)) {
    std::string text = res::LoadString(res::kIdsReplaceFile);
    const auto insert = text.find("%s");
    if (insert != std::string::npos) text.replace(insert, 2, plat::PathText(chosen));
    return plat::MessageBox(text, res::LoadString(res::kIdsSaveAsCaption),
                            plat::kMbYesNo | plat::kMbIconExclamation) == plat::kIdYes;
  }
  return true;
}
