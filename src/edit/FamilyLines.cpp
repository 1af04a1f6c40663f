#include "FamilyLines.h"

#include <algorithm>
#include <utility>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// Given names first, or "UNKNOWN" when the individual cannot be read; with
// a measure, fitted into maxChars characters and pixels.
std::string NameOf(std::int32_t rin, int maxChars = 0, int pixels = 0,
                   const plat::TextMeasure* measure = nullptr) {
  CIndividualRecord person;
  if (rin <= 0 || DbGetRecord(rin, db::kIndividual, &person) != 1)
    return res::LoadString(res::kIdsUnknownUpper);
  if (measure == nullptr) return person.GetName(0, false, 0, false);
  return FittedName(person, maxChars, pixels, measure);
}

std::string Columns(const CDateValue& date) { return date.FormatColumns(false, 0, false); }

std::vector<std::int32_t> Relation(std::int32_t rin, int countRelation, int listRelation) {
  const int count = DbGetRelationCount(rin, countRelation, 0, 1);
  std::vector<std::int32_t> out;
  if (count <= 0) return out;
  if (listRelation == db::kRelParents)
    DbGetRelationList(out, db::kRelParents, 4, rin, 0);
  else
    DbGetRelation(rin, listRelation, count, out);
  return out;
}

}  // namespace

std::string FittedName(const CIndividualRecord& person, int maxChars, int pixels,
                       const plat::TextMeasure* measure) {
  CIndividualNode* node = CIndividualNode::New(person, 0, 0, 0, nullptr);
  node->AddRef();
  std::string name = node->FormatName(0, maxChars, pixels, measure);
  node->Release();
  return name;
}

std::int32_t PartnerOf(const CMarriageRecord& marriage, std::int32_t rin) {
  if (marriage.husband == rin) return marriage.wife;
  if (marriage.wife == rin) return marriage.husband;
  return marriage.husband != 0 ? marriage.husband : marriage.wife;
}

std::string SpouseLine(std::int32_t mrin, std::int32_t rin, const plat::TextMeasure* measure) {
  CMarriageRecord marriage;
  if (DbGetRecord(mrin, db::kMarriage, &marriage) != 1)
    return res::LoadString(res::kIdsUnknownUpper) + "\t";
  const std::int32_t spouse = PartnerOf(marriage, rin);
  std::string line = NameOf(spouse, 125, 200, measure) + "\t";
  if (marriage.marriage.date.IsSet()) line += Columns(marriage.marriage.date);
  if (marriage.status == 'D') line += res::LoadString(res::kIdsDivorcedShort);
  return line;
}

std::string ChildLine(std::int32_t childRin, const plat::TextMeasure* measure) {
  CIndividualRecord child;
  if (childRin <= 0 || DbGetRecord(childRin, db::kIndividual, &child) != 1)
    return res::LoadString(res::kIdsUnknownUpper) + "\t";
  std::string line = (measure != nullptr ? FittedName(child, 125, 200, measure)
                                         : child.GetName(0, false, 0, false)) +
                     "\t";
  if (!child.birth.date.IsSet() && child.christening.date.IsSet())
    line += "*\t" + Columns(child.christening.date);
  else if (child.birth.date.IsSet())
    line += "\t" + Columns(child.birth.date);
  return line;
}

std::vector<FamiliesForLine> FamiliesForLines(std::int32_t rin, const plat::TextMeasure* measure) {
  std::vector<FamiliesForLine> lines;
  const std::vector<std::int32_t> parents = Relation(rin, db::kRelFather, db::kRelParents);
  const std::vector<std::int32_t> marriages = Relation(rin, db::kRelMarriages, db::kRelMarriages);
  if (parents.empty() && marriages.empty()) return lines;
  lines.push_back({"\t" + res::LoadString(res::kIdsAllFamilies), 0});
  if (parents.size() > 1)
    lines.push_back({"\t" + res::LoadString(res::kIdsAllFamiliesAsChild), -2});
  for (std::int32_t mrin : parents) {
    CMarriageRecord marriage;
    std::string text =
        std::to_string(mrin) + "\t" + res::LoadString(res::kIdsAsChildWithParents) + " ";
    const bool read = DbGetRecord(mrin, db::kMarriage, &marriage) == 1;
    text += NameOf(read ? marriage.husband : 0, 60, 135, measure) + "/" +
            NameOf(read ? marriage.wife : 0, 60, 135, measure);
    if (read && marriage.marriage.date.IsSet()) text += "\t" + Columns(marriage.marriage.date);
    lines.push_back({std::move(text), mrin});
  }
  if (marriages.size() > 1)
    lines.push_back({"\t" + res::LoadString(res::kIdsAllFamiliesAsParent), -1});
  for (std::int32_t mrin : marriages) {
    if (mrin == 0) continue;
    CMarriageRecord marriage;
    std::string text =
        std::to_string(mrin) + "\t" + res::LoadString(res::kIdsAsParentWithSpouse) + " ";
    const bool read = DbGetRecord(mrin, db::kMarriage, &marriage) == 1;
    text += NameOf(read ? PartnerOf(marriage, rin) : 0, 125, 270, measure);
    if (read && marriage.marriage.date.IsSet()) text += "\t" + Columns(marriage.marriage.date);
    lines.push_back({std::move(text), mrin});
  }
  return lines;
}

std::vector<MarriageChoice> MarriageChoices(std::int32_t rin, bool onlyWithoutSpouse,
                                            const plat::TextMeasure* measure,
                                            std::int32_t onlyWith) {
  std::vector<MarriageChoice> choices;
  for (std::int32_t mrin : Relation(rin, db::kRelMarriages, db::kRelMarriages)) {
    CMarriageRecord marriage;
    if (mrin == 0 || DbGetRecord(mrin, db::kMarriage, &marriage) != 1) continue;
    const std::int32_t spouse = PartnerOf(marriage, rin);
    if (onlyWithoutSpouse && spouse != 0) continue;
    if (onlyWith != 0 && spouse != onlyWith) continue;
    std::string text = std::to_string(mrin) + "\t" + NameOf(spouse, 125, 280, measure);
    if (marriage.marriage.date.IsSet()) text += "\t" + Columns(marriage.marriage.date);
    choices.push_back({std::move(text), mrin});
  }
  return choices;
}

std::string AddMarriageLine() { return "\t" + res::LoadString(res::kIdsAddMarriage); }

std::vector<TabbedPiece> LayOutTabbedLine(std::string_view line, std::span<const int> stops,
                                          const plat::TextMeasure& measure) {
  std::vector<TabbedPiece> pieces;
  int x = 0;
  std::size_t at = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', at);
    const std::string_view text =
        line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at);
    if (!text.empty()) {
      pieces.push_back({x, std::string(text)});
      x += measure.TextWidth(text);
    }
    if (tab == std::string_view::npos) break;
    const auto stop = std::upper_bound(stops.begin(), stops.end(), x);
    x = stop != stops.end() ? *stop : x + measure.TextWidth(" ");
    at = tab + 1;
  }
  return pieces;
}

std::int32_t AddMarriageFor(std::int32_t rin) {
  const int relation = DbGetSex(rin) == 'F' ? db::kRelWife : db::kRelHusband;
  const std::int32_t mrin = DbSetRelation(rin, 0, relation, 0);
  return mrin > 0 ? mrin : 0;
}

void COrderList::Load(std::int32_t owner, Mode mode, int index) {
  owner_ = owner;
  mode_ = mode;
  numbers_.clear();
  if (mode == kSpouses) {
    numbers_ = Relation(owner, db::kRelMarriages, db::kRelMarriages);
    std::erase(numbers_, 0);
  } else {
    const int count = DbGetRelationCount(owner, db::kRelChildren, 0, 0);
    if (count > 0) DbGetRelation(owner, db::kRelChildren, count, numbers_);
  }
  current_ = -1;
  SetCurrent(index);
}

std::string COrderList::LineText(int i, const plat::TextMeasure* measure) const {
  return mode_ == kSpouses ? SpouseLine(numbers_[i], owner_, measure)
                           : ChildLine(numbers_[i], measure);
}

void COrderList::SetCurrent(int i) {
  if (i >= 0 && i < static_cast<int>(numbers_.size())) current_ = i;
}

int COrderList::IndexOf(std::int32_t number) const {
  const auto found = std::ranges::find(numbers_, number);
  return found == numbers_.end() ? -1 : static_cast<int>(found - numbers_.begin());
}

bool COrderList::MoveCurrent(int step) {
  if (current_ < 0 || step == 0) return false;
  const int to = current_ + (step > 0 ? 1 : -1);
  if (to < 0 || to >= static_cast<int>(numbers_.size())) return false;
  std::swap(numbers_[current_], numbers_[to]);
  current_ = to;
  return true;
}

int COrderList::Store() const {
  const int relation = mode_ == kSpouses ? db::kRelMarriages : db::kRelChildren;
  if (DbSetOrder(owner_, numbers_, relation, static_cast<int>(numbers_.size())) != 1) return 0;
  return 5 + (current_ < 0 ? 0 : current_);
}
