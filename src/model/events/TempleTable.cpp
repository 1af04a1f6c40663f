#include "TempleTable.h"

#include "CodePage.h"
#include "Ports.h"
#include "StartupTables.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// A date field longer than this is refused (French dates may use all 12).
constexpr std::size_t kMaxDateFieldLength = 12;

bool IsCodeCharacter(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         plat::IsAnsiAlpha(c);
}

void ReportBadField(int field, std::string_view row) {
  plat::MessageBox(
      "Invalid field " + std::to_string(field) + " in temple string " + std::string(row), "",
      plat::kMbOk);
}

bool DateFieldTooLong(const std::string& text) {
  if (text.size() > kMaxDateFieldLength) return true;
  if (text.size() < kMaxDateFieldLength) return false;
  return plat::AnsiUpper(plat::Profile().GetString("Options", "LanguageUI", "")) != "FR";
}

// The first "%s" of format replaced by text.
std::string InsertText(const std::string& format, std::string_view text) {
  std::string out = format;
  const std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, text);
  return out;
}

}  // namespace

// ---- entries ----

void CTempleEntry::Clear() {
  name.clear();
  place.clear();
  code.clear();
  shortCode.clear();
  openingDate.Reset();
  closingDate.reset();
}

void CTempleEntry::Parse(std::string_view row) {
  Clear();
  TableRowReader reader(row);

  name = reader.Next();
  place = reader.Next();

  code = reader.Next();
  if (code.size() != 4 && code.size() != 5) ReportBadField(2, row);
  if (code.size() > kCodeLength) code.resize(kCodeLength);

  const std::string opening = reader.Next();
  if (DateFieldTooLong(opening)) ReportBadField(3, row);
  const int parsed = openingDate.Parse(opening, true, true);
  if (parsed == CDateValue::kParseNotStandard || openingDate.textOnly) ReportBadField(3, row);

  shortCode = reader.Next();
  if (shortCode.size() > kShortCodeLength) {
    ReportBadField(4, row);
    shortCode.resize(kShortCodeLength);
  }

  const std::string closing = reader.Next();
  if (DateFieldTooLong(closing)) ReportBadField(5, row);
  if (!closing.empty()) {
    closingDate = std::make_unique<CDateValue>();
    closingDate->Parse(closing, false, true);
    if (closingDate->day == 0 || closingDate->month == 0 || closingDate->year == 0 ||
        closingDate->textOnly)
      ReportBadField(5, row);
  }
}

bool CTempleEntry::WasOpenOn(const CDateValue& date) const {
  if (openingDate.IsSet() && openingDate.CompareOrder(date) > 0) return false;
  return closingDate == nullptr || closingDate->CompareOrder(date) >= 0;
}

// ---- table ----

const CTempleEntry* CTempleTable::Lookup(std::string_view code) const {
  const auto it = entries_.find(std::string(code));
  return it == entries_.end() ? nullptr : it->second.get();
}

const CTempleEntry* CTempleTable::FindShortCode(std::string_view shortCode) const {
  for (const auto& [key, entry] : entries_)
    if (entry->shortCode == shortCode) return entry.get();
  return nullptr;
}

void CTempleTable::SetAt(std::unique_ptr<CTempleEntry> entry) {
  std::string key = entry->code;
  entries_[key] = std::move(entry);
}

CTempleTable& TempleTable() {
  static CTempleTable table;
  return table;
}

void LoadTempleTable() {
  CTempleTable& table = TempleTable();
  table.RemoveAll();
  for (unsigned id = res::kIdsFirstTemple; id < kTempleStringEnd && res::HasString(id); ++id) {
    auto entry = std::make_unique<CTempleEntry>();
    entry->Parse(res::LoadString(id));
    if (!entry->code.empty()) table.SetAt(std::move(entry));
  }
}

void FreeTempleTable() { TempleTable().RemoveAll(); }

std::vector<std::string> TempleComboEntries() {
  std::vector<std::string> entries;
  for (const auto& [code, entry] : TempleTable().Entries())
    entries.push_back(entry->code + " - " + entry->name);
  entries.insert(entries.begin(), std::string());
  return entries;
}

std::string FormatTempleName(std::string_view code, bool periodWhenClosed) {
  const CTempleTable& table = TempleTable();
  const CTempleEntry* entry = code.size() == CTempleEntry::kShortCodeLength
                                  ? table.FindShortCode(code)
                                  : table.Lookup(code);
  if (entry != nullptr && periodWhenClosed && entry->closingDate != nullptr)
    return entry->name + ".";
  return InsertText(res::LoadString(res::kIdsTempleName),
                    entry != nullptr ? std::string_view(entry->name) : code);
}

std::string NormalizeTempleCode(std::string_view text) {
  std::string code = plat::AnsiUpper(text);
  std::size_t run = 0;
  while (run < code.size() && IsCodeCharacter(static_cast<unsigned char>(code[run]))) ++run;
  if (run == 4 || run == 5) code.resize(run);
  return code;
}
