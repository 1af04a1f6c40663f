#pragma once
// The list lines of the small family pickers and order lists: an
// individual's spouses, a marriage's children, and the families an
// individual belongs to. Names are given names first; dates in the column
// form.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "TextMeasure.h"

class CIndividualRecord;
class CMarriageRecord;

// The lines below name individuals given names first; with a measure (of
// the list's font) each name is fitted into the characters and pixels its
// column allows, without one it is whole.

// The name fitted into maxChars characters and pixels of measure.
std::string FittedName(const CIndividualRecord& person, int maxChars, int pixels,
                       const plat::TextMeasure* measure);

// The partner of rin in the marriage: the spouse who is not rin (0 when the
// marriage names no other).
std::int32_t PartnerOf(const CMarriageRecord& marriage, std::int32_t rin);

// The spouse's name (or "UNKNOWN"), a tab and the marriage date when the
// marriage has one; "(D)" follows for a divorced marriage.
std::string SpouseLine(std::int32_t mrin, std::int32_t rin,
                       const plat::TextMeasure* measure = nullptr);
// The child's name (or "UNKNOWN") and a tab; then "*\t" and the christening
// date when only that is set, else "\t" and the birth date when set.
std::string ChildLine(std::int32_t childRin, const plat::TextMeasure* measure = nullptr);

// One line of Families for and the value it gives: 0 all families, -1 all
// families as a parent, -2 all as a child, else an MRIN.
struct FamiliesForLine {
  std::string text;
  std::int32_t value = 0;
};
// Empty when the individual has neither parents nor marriages.
std::vector<FamiliesForLine> FamiliesForLines(std::int32_t rin,
                                              const plat::TextMeasure* measure = nullptr);

// The marriages of an individual offered by Marriages for: "MRIN\tspouse"
// and "\tdate" when the marriage has one; with onlyWithoutSpouse only the
// marriages that still lack a spouse; with onlyWith (a RIN) only the
// marriages with that spouse.
struct MarriageChoice {
  std::string text;
  std::int32_t mrin = 0;
};
std::vector<MarriageChoice> MarriageChoices(std::int32_t rin, bool onlyWithoutSpouse,
                                            const plat::TextMeasure* measure = nullptr,
                                            std::int32_t onlyWith = 0);
// Marriages for's last line, which makes a new marriage: a tab and "Add
// Marriage".
std::string AddMarriageLine();
// The tab stops of the Marriages for list, in pixels from where its text
// starts.
inline constexpr int kMarriagesForTabStops[] = {36, 303, 319, 336, 358};

// One piece of a tabbed line and where it starts, in pixels from the line's
// start.
struct TabbedPiece {
  int x = 0;
  std::string text;
  bool operator==(const TabbedPiece&) const = default;
};
// Lays out a line at tab stops (ascending, in pixels): the text after a tab
// starts at the first stop beyond where the text before it ends; past the
// last stop it follows after the width of a blank. Empty pieces are left
// out.
std::vector<TabbedPiece> LayOutTabbedLine(std::string_view line, std::span<const int> stops,
                                          const plat::TextMeasure& measure);

// A new marriage with the individual as wife (sex 'F') or husband; its MRIN,
// 0 on a failure.
std::int32_t AddMarriageFor(std::int32_t rin);

// The entries of Spouse Order (an individual's marriages) or Child Order (a
// marriage's children) with the current position, moved one place at a time
// and stored through the database calls.
class COrderList {
 public:
  enum Mode { kSpouses = 0, kChildren = 1 };
  // Reads the owner's marriages (kSpouses, owner an individual) or
  // children (kChildren, owner a marriage); index is the entry to select.
  void Load(std::int32_t owner, Mode mode, int index);

  Mode GetMode() const { return mode_; }
  const std::vector<std::int32_t>& Numbers() const { return numbers_; }
  // The list line of entry i.
  std::string LineText(int i, const plat::TextMeasure* measure = nullptr) const;
  int Current() const { return current_; }
  void SetCurrent(int i);
  // The entry of record number (MRIN or RIN) number, or -1.
  int IndexOf(std::int32_t number) const;
  // Moves the current entry one place later (step > 0) or earlier; false at
  // that end.
  bool MoveCurrent(int step);
  // Writes the order; the dialog's result on success (5 plus the current
  // index), 0 on a failure.
  int Store() const;

 private:
  std::int32_t owner_ = 0;
  Mode mode_ = kSpouses;
  std::vector<std::int32_t> numbers_;
  int current_ = -1;
};
