#include "NumberListParser.h"

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr int kMaxDigits = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void ShowInvalidList() { plat::MessageBox(res::LoadString(res::kIdsInvalidList), "", plat::kMbOk); }

// Reads the number at pos (a digit); false when it has too many digits.
bool ReadNumber(std::string_view text, std::size_t& pos, std::int32_t& value) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  if (pos - start > kMaxDigits) return false;
  value = 0;
  for (std::size_t i = start; i < pos; ++i) value = value * 10 + (text[i] - '0');
  return true;
}

}  // namespace

int ParseNumberListItem(int& position, int& kind, std::int32_t& first, std::int32_t& last,
                        std::string_view text) {
  std::size_t pos = position < 0 ? 0 : static_cast<std::size_t>(position);
  while (pos < text.size() && !IsDigit(text[pos])) ++pos;
  if (pos >= text.size()) {
    position = static_cast<int>(pos);
    return 1;
  }
  std::int32_t value = 0;
  if (!ReadNumber(text, pos, value)) {
    ShowInvalidList();
    return 1;
  }
  position = static_cast<int>(pos);
  bool comma = false, dash = false;
  for (; pos < text.size() && !IsDigit(text[pos]); ++pos) {
    const char c = text[pos];
    if (c == ' ') continue;
    if (c == ',' && !dash) {
      comma = true;
    } else if (c == '-' && !comma) {
      dash = true;
    } else {
      ShowInvalidList();
      return 1;
    }
  }
  first = value;
  position = static_cast<int>(pos);
  if (!dash) {
    kind = kNumberItem;
    return 0;
  }
  if (pos >= text.size()) {
    ShowInvalidList();
    return 1;
  }
  if (!ReadNumber(text, pos, last)) {
    ShowInvalidList();
    return 1;
  }
  position = static_cast<int>(pos);
  kind = kRangeItemThenStop;
  for (; pos < text.size() && !IsDigit(text[pos]); ++pos) {
    if (text[pos] != ',' && text[pos] != ' ') {
      ShowInvalidList();
      return 0;
    }
  }
  position = static_cast<int>(pos);
  kind = kRangeItem;
  return 0;
}

}  // namespace rpt
