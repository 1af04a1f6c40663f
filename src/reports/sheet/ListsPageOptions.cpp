#include "ListsPageOptions.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <locale>

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

int GetInt(const char* section, const char* key, int def) {
  return plat::Profile().GetInt(section, key, def);
}
void PutInt(const char* section, const char* key, int value) {
  plat::Profile().SetInt(section, key, value);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

int& ChosenListIndex() {
  static int index = 0;
  return index;
}

CListsPageOptions::CListsPageOptions(bool zel, CReportChoiceState* kept, const LiveNumbers& l,
                                     bool reportPending)
    : showZel(zel), choices(kept), live(l) {
  const std::string lastName = res::LoadString(res::kIdsListRangeEnd);
  texts = {"", lastName, "", lastName, "", lastName};
  numbers = {-1, -1, -1, -1, -1, -1};
  if (choices != nullptr) {
    texts = choices->rangeTexts;
    numbers = choices->rangeNumbers;
  }
  // -1: the first live record for a start, the last for an end.
  const std::int32_t lows[] = {live.firstRin, live.firstMrin, live.firstRin};
  const std::int32_t highs[] = {live.lastRin, live.lastMrin, live.lastRin};
  for (int pair = 0; pair < 3; ++pair) {
    if (numbers[2 * pair] == -1) numbers[2 * pair] = lows[pair];
    if (numbers[2 * pair + 1] == -1) numbers[2 * pair + 1] = highs[pair];
  }

  if (reportPending) {
    const ZelListOptions z = ReadZelListOptions();
    zelNameStart = z.startName;
    zelNameEnd = z.endName;
    zelStartYear = sealStartYear = z.startYear;
    zelEndYear = sealEndYear = z.endYear;
    sealMrinStart = z.startMrin;
    sealMrinEnd = z.endMrin;
  } else {
    zelNameEnd = lastName;
    sealMrinStart = live.firstMrin;
    sealMrinEnd = live.lastMrin;
  }

  listIndex = ChosenListIndex();
  if (listIndex < 0 || listIndex >= ListCount()) listIndex = 0;
  ChosenListIndex() = listIndex;
  marriageSort = ReadMarriageSort();

  ProblemSettings& p = problems;
  p.moLowest = GetInt(kProblemsSection, "MoLowest", p.moLowest);
  p.moHighest = GetInt(kProblemsSection, "MoHighest", p.moHighest);
  p.faLowest = GetInt(kProblemsSection, "FaLowest", p.faLowest);
  p.faHighest = GetInt(kProblemsSection, "FaHighest", p.faHighest);
  p.hwSpan = GetInt(kProblemsSection, "HWSpan", p.hwSpan);
  p.checkZel = GetInt(kProblemsSection, "CheckZEL", p.checkZel);
  p.checkMcOrder = GetInt(kProblemsSection, "CheckMCOrder", p.checkMcOrder);
  p.sort = GetInt(kProblemsSection, "Sort", p.sort);
  margins.left = GetInt(kMarginSection, "PageLM", margins.left);
  margins.right = GetInt(kMarginSection, "PageRM", margins.right);
  margins.top = GetInt(kMarginSection, "PageTM", margins.top);
  margins.bottom = GetInt(kMarginSection, "PageBM", margins.bottom);
}

void CListsPageOptions::SelectList(int index) {
  if (index < 0 || index >= ListCount()) return;
  listIndex = index;
  ChosenListIndex() = index;
}

bool CListsPageOptions::HasOptionsDialog(int index) {
  switch (index) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 12:
    case 13:
      return true;
    default:
      return false;
  }
}

bool CListsPageOptions::UsesStartingPerson(int index) {
  return index == kEndOfLineList || index == kReunionList || index == 14;
}

CListsPageOptions::Enabled CListsPageOptions::EnabledStates() const {
  Enabled e;
  e.options = HasOptionsDialog(listIndex);
  e.startingPerson = UsesStartingPerson(listIndex);
  e.preview = listIndex != kReunionList;
  e.okReadsOk = listIndex == kReunionList;
  return e;
}

void CListsPageOptions::WriteSettings() {
  ChosenListIndex() = listIndex;
  PutInt(kMarginSection, "PageLM", margins.left);
  PutInt(kMarginSection, "PageRM", margins.right);
  PutInt(kMarginSection, "PageTM", margins.top);
  PutInt(kMarginSection, "PageBM", margins.bottom);
  if (listIndex == kProblemsList) {
    const ProblemSettings& p = problems;
    PutInt(kProblemsSection, "MoLowest", p.moLowest);
    PutInt(kProblemsSection, "MoHighest", p.moHighest);
    PutInt(kProblemsSection, "FaLowest", p.faLowest);
    PutInt(kProblemsSection, "FaHighest", p.faHighest);
    PutInt(kProblemsSection, "HWSpan", p.hwSpan);
    PutInt(kProblemsSection, "CheckZEL", p.checkZel);
    PutInt(kProblemsSection, "CheckMCOrder", p.checkMcOrder);
    PutInt(kProblemsSection, "Sort", p.sort);
  }
  if (choices != nullptr) {
    choices->rangeTexts = texts;
    choices->rangeNumbers = numbers;
  }
}

bool CListsPageOptions::FillRequest(ReportRequest& request) {
  if (listIndex == kReunionList) {
    CurrentReportRunState().printState = 0;
    if (writeReunionList) writeReunionList();
    return false;
  }
  ListsChoice c;
  c.listIndex = listIndex;
  c.rinStart = numbers[0];
  c.rinEnd = numbers[1];
  c.nameStart = texts[0];
  c.nameEnd = texts[1];
  c.marriageSort = marriageSort;
  c.mrinStart = numbers[2];
  c.mrinEnd = numbers[3];
  c.marriageNameStart = texts[2];
  c.marriageNameEnd = texts[3];
  c.problemsByName = problems.sort != 0;
  c.problemsNameStart = texts[0];
  c.problemsNameEnd = texts[1];
  c.endOfLine = endOfLineType;
  c.startingRin = startingRin;
  if (listIndex == kCitationsList && chooseSource) c.sourceRin = chooseSource();
  c.zelMode = zelStartYear;
  c.zelCount = zelEndYear;
  c.zelNameStart = zelNameStart;
  c.zelNameEnd = zelNameEnd;
  c.sealMode = sealStartYear;
  c.sealCount = sealEndYear;
  c.sealMrinStart = sealMrinStart;
  c.sealMrinEnd = sealMrinEnd;
  return FillListsRequest(c, request);
}

unsigned CheckRinOrder(std::int32_t start, std::int32_t end) { return end < start ? 3241 : 0; }

unsigned CheckNameOrder(const std::string& start, const std::string& end) {
  return std::strcmp(Upper(start).c_str(), Upper(end).c_str()) > 0 ? 3242 : 0;
}

unsigned CheckMarriageNameOrder(const std::string& start, const std::string& end) {
  const std::string a = Upper(start), b = Upper(end);
  return std::strcoll(a.c_str(), b.c_str()) > 0 ? 3242 : 0;
}

unsigned CheckProblemsRins(std::int32_t start, std::int32_t end, std::int32_t firstLive,
                           std::int32_t lastLive) {
  if (end < start) return 3241;
  if (start < firstLive || start > lastLive || end < firstLive || end > lastLive) return 3243;
  return 0;
}

std::string CheckMessage(unsigned id, std::int32_t firstLive, std::int32_t lastLive) {
  const std::string text = res::LoadString(id);
  if (id != 3243) return text;
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, text.c_str(), static_cast<long>(firstLive),
                static_cast<long>(lastLive));
  return buffer;
}

void WriteEndOfLineType(int type) { PutInt("EOLRpt", "Type", type); }
int ReadEndOfLineType() { return GetInt("EOLRpt", "Type", 1); }
int ReadMarriageSort() { return GetInt("MarLst", "Sort", 1); }
void WriteMarriageSort(int sort) { PutInt("MarLst", "Sort", sort); }

ZelListOptions ReadZelListOptions() {
  const char* s = CListsPageOptions::kZelSection;
  ZelListOptions o;
  o.deceased = GetInt(s, "Deceased", o.deceased);
  o.endOfLine = GetInt(s, "EOL", o.endOfLine);
  o.submitted = GetInt(s, "Sub", o.submitted);
  o.completed = GetInt(s, "Complete", o.completed);
  o.temple = GetInt(s, "Temple", o.temple);
  o.startYear = GetInt(s, "StartYr", o.startYear);
  o.endYear = GetInt(s, "EndYr", o.endYear);
  o.startName = plat::Profile().GetString(s, "StartNm", "");
  o.endName = plat::Profile().GetString(s, "EndNm", "");
  o.startMrin = GetInt(s, "StartId", 0);
  o.endMrin = GetInt(s, "EndId", 0);
  return o;
}

namespace {

// The choices both ZEL lists keep; the ordinances list keeps its end-of-line
// choice among them.
void WriteZelShared(const char* s, const ZelListOptions& o, bool endOfLine) {
  PutInt(s, "Deceased", o.deceased);
  if (endOfLine) PutInt(s, "EOL", o.endOfLine);
  PutInt(s, "Sub", o.submitted);
  PutInt(s, "Complete", o.completed);
  PutInt(s, "Temple", o.temple);
  PutInt(s, "StartYr", o.startYear);
  PutInt(s, "EndYr", o.endYear);
}

}  // namespace

void WriteZelOrdinances(const ZelListOptions& o) {
  const char* s = CListsPageOptions::kZelSection;
  WriteZelShared(s, o, true);
  plat::Profile().SetString(s, "StartNm", o.startName);
  plat::Profile().SetString(s, "EndNm", o.endName);
}

void WriteZelSealings(const ZelListOptions& o) {
  const char* s = CListsPageOptions::kZelSection;
  WriteZelShared(s, o, false);
  PutInt(s, "StartId", o.startMrin);
  PutInt(s, "EndId", o.endMrin);
}

}  // namespace rpt
