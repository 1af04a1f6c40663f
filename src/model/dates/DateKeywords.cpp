#include "DateKeywords.h"

#include <memory>

#include "CodePage.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr std::string_view kEnglishStatus =
    "BIC|Cancelled|Child|Cleared|Completed|Dead|Deceased|Done|DNS|DNS/CAN|Infant|Not "
    "Married|Pre-1970|Stillborn|Uncleared|BC|Submitted";
constexpr std::string_view kEnglishMonths =
    "Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec|January|February|March|April|May|June|"
    "July|August|September|October|November|December";
constexpr std::string_view kEnglishQualifiers =
    "|Aft|Bef|Abt|Cal|Sub|Est||After|Before|About|Calculated|Submitted|Estimated";

struct Keywords {
  DateKeywordSet english;
  DateKeywordSet interface;
};

std::unique_ptr<Keywords>& Store() {
  static std::unique_ptr<Keywords> store;
  return store;
}

// The interface list of id, or the English one when the table lacks it or
// it has another number of entries (so every index stays in range).
DateKeywordList InterfaceList(unsigned id, const DateKeywordList& english) {
  const std::string text = res::LoadString(id);
  if (text.empty()) return english;
  DateKeywordList list = SplitKeywordList(text);
  if (list.written.size() != english.written.size()) return english;
  return list;
}

const Keywords& Loaded() {
  if (!Store()) LoadDateKeywords();
  return *Store();
}

}  // namespace

DateKeywordList SplitKeywordList(std::string_view text) {
  DateKeywordList list;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = text.find('|', start);
    const std::string_view entry =
        text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
    list.written.emplace_back(entry);
    list.upper.push_back(plat::AnsiUpper(entry));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return list;
}

void LoadDateKeywords() {
  auto keywords = std::make_unique<Keywords>();
  keywords->english.status = SplitKeywordList(kEnglishStatus);
  keywords->english.months = SplitKeywordList(kEnglishMonths);
  keywords->english.qualifiers = SplitKeywordList(kEnglishQualifiers);
  keywords->interface.status = InterfaceList(res::kIdsStatusWords, keywords->english.status);
  keywords->interface.months = InterfaceList(res::kIdsMonthNames, keywords->english.months);
  keywords->interface.qualifiers =
      InterfaceList(res::kIdsQualifierWords, keywords->english.qualifiers);
  Store() = std::move(keywords);
}

void ReleaseDateKeywords() { Store().reset(); }

const DateKeywordSet& EnglishDateKeywords() { return Loaded().english; }
const DateKeywordSet& InterfaceDateKeywords() { return Loaded().interface; }

int MatchKeyword(std::string_view text, std::size_t& pos, const std::vector<std::string>& list,
                 std::string_view terminators, std::size_t minimum) {
  if (pos > text.size() || text.size() - pos < minimum) return -1;
  const std::string_view rest = text.substr(pos);
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& entry = list[i];
    if (entry.empty()) continue;
    std::size_t k = 0;
    while (k < entry.size() && k < rest.size() && entry[k] == rest[k]) ++k;
    const bool whole = k == entry.size() && k == rest.size();
    const bool prefix =
        k >= minimum && (k == rest.size() || terminators.find(rest[k]) != std::string_view::npos);
    if (whole || prefix) {
      pos += k;
      return static_cast<int>(i);
    }
  }
  return -1;
}
