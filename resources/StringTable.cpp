#include "StringTable.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>

#include "CodePage.h"
#include "FileSystem.h"
#include "StringFile.h"
#include "StringTableData.h"

namespace res {
namespace {

std::unique_ptr<std::map<unsigned, std::string>> g_catalog;

const detail::StringEntry* FindBuiltIn(unsigned id) {
  const auto* begin = detail::kBuiltInStrings;
  const auto* end = begin + detail::kBuiltInStringCount;
  const auto* it = std::lower_bound(
      begin, end, id, [](const detail::StringEntry& e, unsigned key) { return e.id < key; });
  return it != end && it->id == id ? it : nullptr;
}

bool FindUtf8(unsigned id, std::string_view& text) {
  if (g_catalog) {
    auto it = g_catalog->find(id);
    if (it == g_catalog->end()) return false;
    text = it->second;
    return true;
  }
  const auto* e = FindBuiltIn(id);
  if (!e) return false;
  text = std::string_view(e->text, e->length);
  return true;
}

}  // namespace

std::string LoadString(unsigned id) {
  std::string_view text;
  if (!FindUtf8(id, text)) return {};
  return plat::Utf8ToAnsi(text);
}

bool HasString(unsigned id) {
  std::string_view text;
  return FindUtf8(id, text);
}

std::string FormatInserts(std::string_view text, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(text.size() + 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '%' || i + 1 >= text.size()) {
      out += c;
      continue;
    }
    char next = text[i + 1];
    if (next == '%') {
      out += '%';
      ++i;
      continue;
    }
    if (next < '1' || next > '9') {
      out += c;
      continue;
    }
    std::size_t j = i + 1;
    unsigned n = 0;
    while (j < text.size() && j < i + 3 && text[j] >= '0' && text[j] <= '9')
      n = n * 10 + (text[j++] - '0');
    if (j < text.size() && text[j] == '!') {
      std::size_t close = text.find('!', j + 1);
      if (close != std::string_view::npos) j = close + 1;
    }
    if (n >= 1 && n <= args.size()) out += *(args.begin() + (n - 1));
    i = j - 1;
  }
  return out;
}

std::string FormatString(unsigned id, std::initializer_list<std::string_view> args) {
  return FormatInserts(LoadString(id), args);
}

bool LoadCatalogFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  auto table = std::make_unique<std::map<unsigned, std::string>>();
  std::string line;
  while (std::getline(in, line)) {
    unsigned id = 0;
    std::string text, error;
    if (!ParseStringLine(line, id, text, error)) return false;
    if (id != 0) (*table)[id] = std::move(text);
  }
  g_catalog = std::move(table);
  return true;
}

void UnloadCatalog() { g_catalog.reset(); }

std::string CatalogPath(const std::string& programPath, const std::string& code) {
  return programPath + code + ".res";
}

bool LoadLanguageCatalog(const std::string& code) {
  std::string upper = plat::AnsiUpper(code);
  if (upper.empty() || upper == "EN") {
    UnloadCatalog();
    return true;
  }
  return LoadCatalogFile(CatalogPath(plat::ProgramPath(), code));
}

}  // namespace res
