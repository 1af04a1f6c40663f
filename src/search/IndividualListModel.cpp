#include "IndividualListModel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "AlphaNameRecord.h"
#include "BitSet.h"
#include "DbCalls.h"
#include "FilterSet.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "StoredKeyEventDate.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMatch.h"

namespace {

constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
// Pixel widths the lines' names are fitted to.
constexpr int kLineNameWidth = 198;
constexpr int kSpouseWidth = 240;
constexpr int kSearchNameWidth = 300;

// The number typed in a RIN field: empty as 1, clamped to the range.
std::int32_t TypedNumber(const std::string& text, std::int32_t low, std::int32_t high) {
  long long n = 1;
  if (!text.empty()) n = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<std::int32_t>(std::clamp<long long>(n, low, high));
}

// First and last live record of a query kind within a range, replacing a
// bad range.
bool CheckRange(int kind, std::int32_t& lowest, std::int32_t& highest) {
  if (lowest <= 0 || highest < lowest) {
    lowest = DbGetRIN(1, kind, db::kWalkNextOrSame);
    highest = DbGetRIN(kHighest, kind, db::kWalkPreviousOrSame);
  }
  return lowest > 0 && highest >= lowest;
}

std::string NameOfRecord(const CIndividualRecord& record, int maxChars, int width,
                         const plat::TextMeasure* dc, bool surnameFirst) {
  CIndividualNode node(record, 0, GetNodeOptions().appendVal, width, dc);
  return surnameFirst ? node.FormatNameSurnameFirst(maxChars, width, dc) : node.GetDisplayName();
}

}  // namespace

std::int32_t CDbKeySource::Walk(std::int32_t key, int mode) { return DbGetRIN(key, kind_, mode); }

SearchNameParts SplitSearchName(const std::string& text) {
  SearchNameParts out;
  SplitNameAtSeparator(text, out.surname, out.given);
  return out;
}

// ---- the Individual List ----------------------------------------------------

CIndividualListModel::CIndividualListModel()
    : source_(db::kQueryIndividuals), pager_(source_, kPageLines, kPageLines) {}

bool CIndividualListModel::SetRinRange(std::int32_t lowest, std::int32_t highest) {
  if (!CheckRange(db::kQueryIndividuals, lowest, highest)) return false;
  lowestRin_ = lowest;
  highestRin_ = highest;
  if (order_ == kRinOrder) pager_.SetRange(lowest, highest);
  return true;
}

bool CIndividualListModel::SetOrder(int order) {
  if (order == kNameOrder) {
    if (firstPosition_ == 0) {
      firstPosition_ = DbGetRIN(1, db::kQueryNamePositions, db::kWalkNextOrSame);
      lastPosition_ = DbGetRIN(kHighest, db::kQueryNamePositions, db::kWalkPreviousOrSame);
    }
    if (firstPosition_ <= 0 || lastPosition_ < firstPosition_) {
      firstPosition_ = lastPosition_ = 0;
      return false;
    }
    order_ = kNameOrder;
    source_.SetKind(db::kQueryNamePositions);
    pager_.SetRange(firstPosition_, lastPosition_);
  } else {
    order_ = kRinOrder;
    source_.SetKind(db::kQueryIndividuals);
    pager_.SetRange(lowestRin_, highestRin_);
  }
  if (members_) SetResultsOnly(members_);
  return true;
}

std::int32_t CIndividualListModel::RinOfKey(std::int32_t key) const {
  if (order_ == kRinOrder || key <= 0) return key;
  CAlphaNameRecord entry;
  return DbGetRecord(key, db::kAlphaName, &entry) == 1 ? entry.rin : 0;
}

std::int32_t CIndividualListModel::KeyOfRin(std::int32_t rin) const {
  if (order_ == kRinOrder || rin <= 0) return rin;
  CAlphaNameRecord entry;
  return DbGetRecord(rin, db::kAlphaNameOfRin, &entry) == 1 ? entry.secondNumber : 0;
}

std::int32_t CIndividualListModel::SelectedRin() const {
  const int line = pager_.Selected();
  return line < 0 ? 0 : RinOfKey(pager_.Keys()[static_cast<std::size_t>(line)]);
}

std::int32_t CIndividualListModel::CurrentRin() const { return RinOfKey(pager_.CurrentKey()); }

std::int32_t CIndividualListModel::FindName(const SearchNameParts& name) const {
  const std::string text = name.given.empty() ? name.surname : name.surname + ", " + name.given;
  std::int32_t pos = DbGetRIN(text, db::kQueryNameText, db::kWalkNextOrSame);
  if (pos == 0) pos = DbGetRIN(text, db::kQueryNameText, db::kWalkPrevious);
  return pos;
}

void CIndividualListModel::SelectStart(std::int32_t key, bool hadStart) {
  const int line = pager_.LineOf(key);
  if (line >= 0)
    pager_.Select(line);
  else
    pager_.Select(hadStart ? static_cast<int>(pager_.Keys().size()) - 1 : 0);
}

bool CIndividualListModel::Start(std::int32_t startRin, const std::string& startName) {
  std::int32_t target = 0;
  if (startRin > 0) target = KeyOfRin(startRin);
  if (target == 0 && order_ == kNameOrder && !startName.empty()) {
    target = FindName(SplitSearchName(startName));
    if (target == 0) return false;
  }
  if (target == 0) {
    pager_.FillForward(pager_.FirstKey());
    pager_.Select(0);
    return !pager_.Keys().empty();
  }
  pager_.ShowKey(target, true);
  SelectStart(target, true);
  return !pager_.Keys().empty();
}

bool CIndividualListModel::SwitchOrder(int order) {
  const std::int32_t rin = CurrentRin();
  if (!SetOrder(order)) return false;
  std::int32_t key = KeyOfRin(rin);
  if (key == 0) key = pager_.FirstKey();
  pager_.ShowKey(key, true);
  SelectStart(key, true);
  return true;
}

bool CIndividualListModel::SetResultsOnly(const CBitSet* combined) {
  members_ = nullptr;
  pager_.ClearFilter();
  if (!combined) return false;
  std::vector<std::int32_t> keys;
  const auto bits = static_cast<std::int32_t>(combined->BitCount());
  for (std::int32_t byte = 0; byte * 8 < bits; ++byte) {
    if (combined->GetByte(byte) == 0) continue;
    for (int b = 0; b < 8; ++b) {
      const std::int32_t rin = byte * 8 + b;
      if (rin < lowestRin_ || rin > highestRin_ || !combined->Test(rin)) continue;
      const std::int32_t key = KeyOfRin(rin);
      if (key > 0 &&
          (order_ == kNameOrder || DbGetRIN(rin, db::kQueryIndividuals, db::kWalkExact) == rin))
        keys.push_back(key);
    }
  }
  if (keys.empty()) return false;
  members_ = combined;
  pager_.SetFilter(std::move(keys));
  return true;
}

void CIndividualListModel::ResultsOff() {
  members_ = nullptr;
  pager_.ClearFilter();
}

void CIndividualListModel::SearchRin(const std::string& text) {
  const std::int32_t rin = TypedNumber(text, lowestRin_, highestRin_);
  int line = pager_.LineOf(rin);
  if (line < 0) {
    pager_.FillForward(rin);
    line = pager_.LineOf(rin);
  }
  if (line >= 0) pager_.Select(line);
}

int CIndividualListModel::CompareLine(const SearchNameParts& name, std::int32_t key) const {
  CAlphaNameRecord entry;
  if (DbGetRecord(key, db::kAlphaName, &entry) != 1) return 0;
  const CIndividualNode node(entry, 0, 0, nullptr);
  return CIndividualNode::CompareName(name.surname, name.given, node);
}

bool CIndividualListModel::SearchName(const std::string& text) {
  const SearchNameParts name = SplitSearchName(text);
  const std::vector<std::int32_t>& keys = pager_.Keys();
  if (!keys.empty()) {
    const int last = static_cast<int>(keys.size()) - 1;
    if (CompareLine(name, keys.back()) > 0) {
      if (pager_.AtLast()) {
        pager_.Select(last);
        return true;
      }
    } else if (CompareLine(name, keys.front()) < 0) {
      if (pager_.AtFirst()) {
        pager_.Select(0);
        return true;
      }
      const std::int32_t before = pager_.PreviousKey(keys.front());
      if (before != 0 && CompareLine(name, before) > 0) {
        pager_.Select(0);
        return true;
      }
    } else {
      for (int i = 0; i <= last; ++i) {
        if (CompareLine(name, keys[static_cast<std::size_t>(i)]) <= 0) {
          pager_.Select(i);
          return true;
        }
      }
    }
  }
  const std::int32_t pos = FindName(name);
  if (pos == 0) return false;
  pager_.FillForward(pos);
  const int line = pager_.LineOf(pager_.Filtered() ? pager_.NearestMember(pos) : pos);
  pager_.Select(line >= 0 ? line : 0);
  return true;
}

std::string CIndividualListModel::LineText(int line, const CFilterSet* filter,
                                           const plat::TextMeasure* dc) const {
  if (line < 0 || line >= static_cast<int>(pager_.Keys().size())) return {};
  const std::int32_t rin = RinOfKey(pager_.Keys()[static_cast<std::size_t>(line)]);
  CIndividualRecord record;
  std::string name;
  if (DbGetIndividualRecord(rin, record, 3) == 1)
    name = NameOfRecord(record, 120, kLineNameWidth, dc, true);
  std::string event;
  GetKeyEventDate(rin, event, nullptr, false);
  const bool member = filter && filter->IsInSet(CFilterSet::kCombinedSet, rin) == 1;
  char number[16];
  std::snprintf(number, sizeof number, "%6ld", static_cast<long>(rin));
  return std::string(1, member ? kMemberMark : ' ') + '\t' + number + '\t' + name + '\t' + event;
}

std::string CIndividualListModel::SearchTextFor(std::int32_t rin,
                                                const plat::TextMeasure* dc) const {
  if (order_ == kRinOrder) return std::to_string(rin);
  CIndividualRecord record;
  if (DbGetIndividualRecord(rin, record, 3) != 1) return {};
  return NameOfRecord(record, 90, kSearchNameWidth, dc, true);
}

// ---- the Marriages Search List ----------------------------------------------

CMarriageListModel::CMarriageListModel()
    : source_(db::kQueryMarriages), pager_(source_, kPageLines, kPageLines - 1) {}

bool CMarriageListModel::SetRange(std::int32_t lowest, std::int32_t highest) {
  if (!CheckRange(db::kQueryMarriages, lowest, highest)) return false;
  lowest_ = lowest;
  highest_ = highest;
  pager_.SetRange(lowest, highest);
  return true;
}

bool CMarriageListModel::Start(std::int32_t startMrin) {
  const std::int32_t from = std::max(lowest_, startMrin - 10);
  const std::int32_t first = DbGetRIN(from, db::kQueryMarriages, db::kWalkNextOrSame);
  if (first == 0 || first > highest_) return false;
  pager_.FillForward(first);
  const int line = startMrin > 0 ? pager_.LineOf(startMrin) : -1;
  pager_.Select(line >= 0 ? line : 0);
  return true;
}

void CMarriageListModel::Search(const std::string& text) {
  const std::int32_t mrin = TypedNumber(text, lowest_, highest_);
  int line = pager_.LineOf(mrin);
  if (line < 0) {
    pager_.FillForward(mrin);
    line = pager_.LineOf(mrin);
  }
  if (line >= 0) pager_.Select(line);
}

std::string CMarriageListModel::LineText(int line, const plat::TextMeasure* dc) const {
  if (line < 0 || line >= static_cast<int>(pager_.Keys().size())) return {};
  const std::int32_t mrin = pager_.Keys()[static_cast<std::size_t>(line)];
  CMarriageRecord marriage;
  std::string spouses[2], date;
  if (DbGetRecord(mrin, db::kMarriage, &marriage) == 1) {
    const std::int32_t rins[2] = {marriage.husband, marriage.wife};
    for (int i = 0; i < 2; ++i) {
      CIndividualRecord person;
      if (rins[i] > 0 && DbGetIndividualRecord(rins[i], person, 3) == 1)
        spouses[i] = NameOfRecord(person, CIndividualNode::kMaxNameChars, kSpouseWidth, dc, false);
    }
    const bool hasEvent =
        marriage.marriage.date.IsSet() || !CEventValue::IsPlaceEmpty(&marriage.marriage);
    if (hasEvent) {
      date = marriage.marriage.date.Format();
      if (marriage.status == 'D') date += ' ' + res::LoadString(res::kIdsDivorced);
      if (marriage.status == 'N') date += ' ' + res::LoadString(res::kIdsNotMarried);
    }
  }
  char number[16];
  std::snprintf(number, sizeof number, "%6ld", static_cast<long>(mrin));
  return std::string(number) + '\t' + spouses[0] + '\t' + spouses[1] + '\t' + date;
}
