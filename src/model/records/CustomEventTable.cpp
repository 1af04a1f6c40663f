#include "CustomEventTable.h"

#include <string>

#include "Ports.h"
#include "StartupTables.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

void ReportBadField(int rowIndex, int fieldIndex) {
  plat::MessageBox("Invalid custom event string " + std::to_string(rowIndex) +
                       " in resource (field " + std::to_string(fieldIndex) + ")",
                   "", plat::kMbOk);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

const CEventTypeRecord* CCustomEventTable::GetAt(int index) const {
  if (index < 0 || index >= GetSize()) return nullptr;
  return records_[static_cast<std::size_t>(index)].get();
}

void CCustomEventTable::RemoveAll() {
  while (!records_.empty()) records_.pop_back();
}

bool ParseCustomEventRow(std::string_view row, int rowIndex, CEventTypeRecord& record) {
  TableRowReader reader(row);
  record.SetTitle(reader.Next());
  record.SetShortTitle(reader.Next());
  record.SetAbbreviation(reader.Next());
  const std::string tag = reader.Next();
  record.SetTag(tag);
  record.hasTag = tag.empty() ? 0 : 1;
  record.SetVerbPhrase(reader.Next());
  record.SetPlacePreposition(reader.Next());

  // Fields 7-9 (indexes 6-8): date kind, description flag, owner kind.
  for (int field = 6; field <= 8; ++field) {
    const std::string text = reader.Next();
    const bool digitField = field < 8;
    if (text.size() != 1 || (digitField && !IsDigit(text[0]))) {
      ReportBadField(rowIndex, field);
      return false;
    }
    if (field == 6) record.dateKind = static_cast<std::uint8_t>(text[0] - '0');
    if (field == 7) record.hasDescription = static_cast<std::uint8_t>(text[0] - '0');
    if (field == 8) record.ownerKind = text[0];
  }
  return true;
}

CCustomEventTable& CustomEventTable() {
  static CCustomEventTable table;
  return table;
}

void LoadCustomEventTable() {
  CCustomEventTable& table = CustomEventTable();
  table.RemoveAll();
  for (int row = 0; row < kMaxCustomEvents; ++row) {
    const unsigned id = res::kIdsFirstCustomEvent + static_cast<unsigned>(row);
    if (!res::HasString(id)) break;
    auto record = std::make_unique<CEventTypeRecord>();
    ParseCustomEventRow(res::LoadString(id), row, *record);
    table.Add(std::move(record));
  }
}

void FreeCustomEventTable() { CustomEventTable().RemoveAll(); }
