#include "DescendancyList.h"

#include <algorithm>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "Ports.h"
#include "RelationshipCalculator.h"
#include "RelationshipSearch.h"
#include "StringIds.h"
#include "StringTable.h"

namespace kin {
namespace {

constexpr int kNameWidth = 275;

std::string DateColumns(const CEventValue& main, const CEventValue& alternative) {
  if (!main.date.IsSet() && alternative.date.IsSet())
    return "\t*\t" + alternative.date.FormatColumns(false, 0, false);
  if (main.date.IsSet()) return "\t\t" + main.date.FormatColumns(false, 0, false);
  return "\t\t\t\t\t";
}

std::string PersonLine(std::int32_t rin, int level, const plat::TextMeasure* dc, int suffixKind) {
  static const char* const kIndent[] = {"", "", "   ", "      ", "         "};
  std::string text = kIndent[level];
  const bool childLine = level == 2 || level == 4;
  CIndividualRecord record;
  const bool read = rin > 0 && DbGetIndividualRecord(rin, record, 10) == 1;
  if (childLine) text += read && DbHasChildren(rin, db::kIndividual) == 1 ? "<\t" : "\t";
  if (!read) return text + res::LoadString(res::kIdsUnknownUpper);
  text += FittedName(rin, kNameWidth, dc, suffixKind);
  text += DateColumns(record.birth, record.christening);
  text += DateColumns(record.death, record.burial);
  return text;
}

std::vector<std::int32_t> ListOf(int relation, std::int32_t rin) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, relation, relation == db::kRelParents ? 4 : 0, rin, 0);
  return list;
}

}  // namespace

std::vector<DescendancyLine> BuildDescendancyLines(std::int32_t rin, const plat::TextMeasure* dc,
                                                   int suffixKind, int& current) {
  std::vector<DescendancyLine> lines;
  current = -1;
  CIndividualRecord record;
  if (rin <= 0 || DbGetIndividualRecord(rin, record, 10) != 1) return lines;
  const auto add = [&](std::int32_t who, int level) {
    lines.push_back(DescendancyLine{PersonLine(who, level, dc, suffixKind), who > 0 ? who : 0});
  };
  const auto family = [&](std::int32_t mrin) {
    std::int32_t father = 0, mother = 0;
    SpousesOf(mrin, father, mother);
    add(father, 1);
    add(mother, 1);
    for (std::int32_t child : ListOf(db::kRelChildren, mrin)) {
      add(child, 2);
      if (child == rin && current < 0) current = static_cast<int>(lines.size()) - 1;
    }
  };
  const std::int32_t parents = record.numbers[CIndividualRecord::kParentsMrin];
  if (parents > 0) {
    family(parents);
  }
  if (current < 0) {
    add(rin, 1);
    current = static_cast<int>(lines.size()) - 1;
  }
  // The individual's marriages go right after the individual's own line.
  std::vector<DescendancyLine> own;
  std::swap(lines, own);
  for (std::int32_t mrin : ListOf(db::kRelSpouses, rin)) {
    std::int32_t husband = 0, wife = 0;
    SpousesOf(mrin, husband, wife);
    add(husband == rin ? wife : husband, 3);
    for (std::int32_t child : ListOf(db::kRelChildren, mrin)) add(child, 4);
  }
  own.insert(own.begin() + current + 1, lines.begin(), lines.end());
  lines = std::move(own);
  for (std::int32_t mrin : ListOf(db::kRelParents, rin)) {
    if (mrin == parents) continue;
    lines.push_back(DescendancyLine{std::string(300, '-'), 0});
    const int saved = current;
    family(mrin);
    current = saved;
  }
  return lines;
}

void CDescendancyHistory::Push(std::int32_t rin) {
  if (index_ == kSize - 1) {
    for (int i = 0; i + 1 < kSize; ++i) entries_[i] = entries_[i + 1];
    entries_[kSize - 1] = rin;
  } else {
    entries_[++index_] = rin;
  }
  last_ = index_;
}

std::int32_t CDescendancyHistory::Back() {
  if (!CanGoBack()) return 0;
  return entries_[--index_];
}

std::int32_t CDescendancyHistory::Forward() {
  if (!CanGoForward()) return 0;
  return entries_[++index_];
}

CDescendancyList::CDescendancyList(std::int32_t rin, const plat::TextMeasure* dc, int suffixKind)
    : rin_(rin), dc_(dc), suffixKind_(suffixKind) {
  Rebuild(-1);
  history_.Push(rin);
}

void CDescendancyList::Rebuild(int selected) {
  lines_ = BuildDescendancyLines(rin_, dc_, suffixKind_, currentLine_);
  realCount_ = static_cast<int>(lines_.size());
  while (selected >= static_cast<int>(lines_.size())) lines_.push_back(DescendancyLine{});
}

bool CDescendancyList::GoToLine(int line) {
  if (line < 0 || line >= realCount_) return false;
  const std::int32_t rin = lines_[static_cast<std::size_t>(line)].rin;
  if (rin == 0 || rin == rin_) return false;
  rin_ = rin;
  Rebuild(line);
  history_.Push(rin);
  return true;
}

void CDescendancyList::Previous(int selected) {
  if (!history_.CanGoBack()) return;
  rin_ = history_.Back();
  Rebuild(selected);
}

void CDescendancyList::Next(int selected) {
  if (!history_.CanGoForward()) return;
  rin_ = history_.Forward();
  Rebuild(selected);
}

std::int32_t CDescendancyList::Choose(int line) {
  if (realCount_ == 0) return 0;
  // A selection beyond the real lines counts as the last real line.
  if (line < 0 || line >= realCount_) line = realCount_ - 1;
  const std::int32_t rin = lines_[static_cast<std::size_t>(line)].rin;
  if (rin == 0)
    plat::MessageBox(res::LoadString(res::kIdsInvalidSelection), {},
                     plat::kMbOk | plat::kMbIconExclamation);
  return rin;
}

int CDescendancyList::KeyTarget(ListKey key, int selected, int page) const {
  if (!HasFiller() || realCount_ <= 0) return -1;
  const int last = realCount_ - 1;
  switch (key) {
    case ListKey::kPageDown:
      return std::min(std::max(selected, 0) + std::max(page, 1), last);
    case ListKey::kEnd:
      return last;
    case ListKey::kDown:
    case ListKey::kRight:
      return selected >= last ? last : -1;
  }
  return -1;
}

}  // namespace kin
