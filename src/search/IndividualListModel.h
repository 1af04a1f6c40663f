#pragma once
// What the Individual List and the Marriages Search List decide, without
// the screen: the key range in RIN or name order, the page through
// CListPager, positioning on a start individual, the incremental RIN and
// name searches, the members shown with "show results only", and the line
// texts.

#include <cstdint>
#include <string>

#include "ListPager.h"
#include "TextMeasure.h"

class CBitSet;
class CFilterSet;

// Keys read through DbGetRIN with one query kind.
class CDbKeySource : public CListKeySource {
 public:
  explicit CDbKeySource(int queryKind) : kind_(queryKind) {}
  std::int32_t Walk(std::int32_t key, int mode) override;
  void SetKind(int queryKind) { kind_ = queryKind; }

 private:
  int kind_;
};

// A name search text split into surname and given names: at the first '|',
// else the first ','; leading blanks dropped, runs of blanks made one and
// trailing blanks cut in each part.
struct SearchNameParts {
  std::string surname;
  std::string given;
};
SearchNameParts SplitSearchName(const std::string& text);

class CIndividualListModel {
 public:
  static constexpr int kPageLines = 16;
  enum Order { kRinOrder = 0, kNameOrder = 1 };
  // The mark of a member of the combined set.
  static constexpr char kMemberMark = '\xBB';

  CIndividualListModel();

  // The RIN range of the RIN order; a lowest of 0 or less, or a highest
  // below the lowest, is replaced by the first and last live individual.
  // False when no individual can be read.
  bool SetRinRange(std::int32_t lowest, std::int32_t highest);
  std::int32_t LowestRin() const { return lowestRin_; }
  std::int32_t HighestRin() const { return highestRin_; }

  // Switches the order and its key range; name order with an empty name
  // index is refused (false) and RIN order kept. The page is not rebuilt.
  bool SetOrder(int order);
  int GetOrder() const { return order_; }
  // Forgets the name index's first and last positions (after deletes), so
  // that the next switch to name order fetches them again.
  void ResetNamePositions() { firstPosition_ = lastPosition_ = 0; }

  CListPager& Pager() { return pager_; }
  const CListPager& Pager() const { return pager_; }

  std::int32_t RinOfKey(std::int32_t key) const;
  // The key of a RIN in the current order; 0 when it has none.
  std::int32_t KeyOfRin(std::int32_t rin) const;
  // The RIN of the selected line, 0 without one.
  std::int32_t SelectedRin() const;
  // The RIN of the current key (selected or not).
  std::int32_t CurrentRin() const;

  // Opens the page on startRin (0: none) or, in name order when the RIN has
  // no entry, on startName ("Surname, Given"); centred; the start's line, the
  // last line when it is not on the page, or the first without a start is
  // selected. False when a name search finds nothing (the list gives up).
  bool Start(std::int32_t startRin, const std::string& startName);
  // Rebuilds the page in the order given around the current individual.
  // False when the order is refused.
  bool SwitchOrder(int order);

  // "Show results only" over the members of a combined set; false, and the
  // filter off, when the set has no live member in the range.
  bool SetResultsOnly(const CBitSet* combined);
  void ResultsOff();

  // The search field takes a RIN of up to kRinSearchChars digits in RIN
  // order and a name of up to kNameSearchChars characters in name order.
  static constexpr int kRinSearchChars = 6;
  static constexpr int kNameSearchChars = 40;
  // What the field says when anything but a digit is typed in RIN order.
  static constexpr const char* kRinSearchHint =
      "In RIN order the list is searched by RIN: type a number, or choose Alphabetical to "
      "search by name.";
  int SearchLimit() const { return order_ == kNameOrder ? kNameSearchChars : kRinSearchChars; }

  // The search text typed in RIN order: the line of that RIN (clamped to
  // the range, empty as 1) is selected, refilling the page from it.
  void SearchRin(const std::string& text);
  // The search text typed in name order; false when the name index has no
  // entry before or after it.
  bool SearchName(const std::string& text);

  // "mark TAB RIN TAB name TAB key event" for a line.
  std::string LineText(int line, const CFilterSet* filter, const plat::TextMeasure* dc) const;
  // What the search field shows for a RIN: the number, or in name order
  // the name surname first.
  std::string SearchTextFor(std::int32_t rin, const plat::TextMeasure* dc) const;

 private:
  // Name-order line i compared with the typed parts (>0 typed after it).
  int CompareLine(const SearchNameParts& name, std::int32_t key) const;
  std::int32_t FindName(const SearchNameParts& name) const;
  void SelectStart(std::int32_t key, bool hadStart);

  CDbKeySource source_;
  CListPager pager_;
  int order_ = kRinOrder;
  std::int32_t lowestRin_ = 0;
  std::int32_t highestRin_ = 0;
  std::int32_t firstPosition_ = 0;
  std::int32_t lastPosition_ = 0;
  const CBitSet* members_ = nullptr;
};

// The Marriages Search List: 21 lines in MRIN order.
class CMarriageListModel {
 public:
  static constexpr int kPageLines = 21;

  CMarriageListModel();
  // As SetRinRange of the individuals, for marriages.
  bool SetRange(std::int32_t lowest, std::int32_t highest);
  std::int32_t Lowest() const { return lowest_; }
  std::int32_t Highest() const { return highest_; }
  // Opens on the marriage at or after max(lowest, start - 10); selects the
  // start's line, else the first. False without a readable marriage.
  bool Start(std::int32_t startMrin);
  // Incremental search by MRIN (empty as 1, clamped).
  void Search(const std::string& text);
  CListPager& Pager() { return pager_; }
  const CListPager& Pager() const { return pager_; }
  // "MRIN TAB husband TAB wife TAB date [(Div)|(nm)]".
  std::string LineText(int line, const plat::TextMeasure* dc) const;

 private:
  CDbKeySource source_;
  CListPager pager_;
  std::int32_t lowest_ = 0;
  std::int32_t highest_ = 0;
};
