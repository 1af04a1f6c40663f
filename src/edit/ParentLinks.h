#pragma once
// An individual's parent families as the Parents of screen edits them: the
// family links in the order of the individual's chain (the first is the
// primary parent set), with the edits the screen makes on them and the
// writing back of the new order.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FamilyLinkRecord.h"
#include "TextMeasure.h"

class CIndividualNode;

class CParentLinkList {
 public:
  // The relationship letters in the order of the relationship list.
  static constexpr char kRelationLetters[] = {'b', 'a', 'g', 's', 'c', 'd'};

  // Reads the individual's links in chain order; false when the individual
  // cannot be read. The current link is the one of shownMrin (or, when that
  // is 0, of the primary parents), else the first.
  bool Load(std::int32_t rin, std::int32_t shownMrin = 0);

  // The in-memory individual the screen works for (not owned; may be
  // null). What is stored reaches it at once: its first link, primary
  // parents and parent-family count, and the primary sealing with its
  // ordinance state in the link flags, so the views agree with the file
  // without reading the individual again.
  void SetIndividual(CIndividualNode* node);

  std::int32_t Rin() const { return rin_; }
  int Count() const { return static_cast<int>(links_.size()); }
  const CFamilyLinkRecord& Link(int i) const { return *links_[i].link; }
  bool IsChanged(int i) const { return links_[i].changed; }
  bool OrderChanged() const { return orderChanged_; }
  int Current() const { return current_; }
  void SetCurrent(int i) { current_ = (i >= 0 && i < Count()) ? i : -1; }

  // Make Primary is offered for a link that is not already the first.
  bool CanMakePrimary(int i) const { return Count() > 1 && i > 0 && i < Count(); }
  // Moves link i to the head; it becomes current.
  void MakePrimary(int i);
  // Moves the current link one place towards the head (step < 0) or the end
  // (step > 0); false at that end.
  bool MoveCurrent(int step);

  // True when choosing letter for the current link gives the individual a
  // second biological parent family.
  bool WarnsSecondBiological(char letter) const;
  // The relationship shown serves both parents: a new choice is stored for
  // both; choosing the letter already stored for the father keeps both.
  void SetRelationship(char letter);
  bool RelationshipDiffers(char letter) const;
  // The sealing to the current link's parents as the screen shows it: its
  // date text, temple code, and whether it has citations.
  std::string SealingDateText() const;
  std::string SealingTemple() const;
  std::int32_t SealingFirstCitation() const;
  // True when the typed date (once parsed) or the typed temple code (upper
  // case, five characters) differs from the current link's sealing.
  bool SealingDiffers(const std::string& dateText, const std::string& temple) const;
  // Puts the typed date and temple code into the current link's sealing and
  // marks the link changed when they differ.
  void SetSealing(const std::string& dateText, const std::string& temple);
  // After Sources for: the first citation of the current link's sealing.
  void SetSealingFirstCitation(std::int32_t citation);
  // Writes the current link when it is marked changed; false on a failure.
  bool StoreCurrent();

  // Removes the child from the current link's family, which also takes the
  // link out of the stored chain (the next link becomes primary when it was
  // the first; none is left primary after the last).
  bool UnlinkCurrent();
  // Appends a link just made (by Add Parents); it becomes current.
  bool AppendLink(std::int32_t linkNumber);

  // Writes every changed link, then the order when it changed: the chain
  // runs in list order and closes on the first link, which becomes the
  // primary parent set. False on a failure.
  bool Save();

  // The list line of link i: mark ("*" first, else a blank), MRIN, father
  // and mother given names first (with a measure, each fitted into
  // namePixels); a link without a family has the mark and the number only.
  std::string LineText(int i, const plat::TextMeasure* measure = nullptr, int namePixels = 0) const;

 private:
  struct Entry {
    std::unique_ptr<CFamilyLinkRecord> link;
    bool changed = false;
  };
  // The entry of link number n, or null.
  const Entry* Find(std::int32_t n) const;
  // Brings the in-memory individual in step with the stored chain.
  void SyncIndividual();

  std::int32_t rin_ = 0;
  std::int32_t storedHead_ = 0;  // the first link of the stored chain, 0 none
  CIndividualNode* node_ = nullptr;
  std::vector<Entry> links_;
  // Links without parents (marriage 0: the holder of a sealing of an
  // individual without parent families): not a parent family, not listed,
  // kept at the end of the stored order.
  std::vector<std::int32_t> lone_;
  int current_ = -1;
  bool orderChanged_ = false;
};

// The street address of the contact fields in one text: line 1, and "\r\n"
// and line 2 when line 2 is not empty.
std::string JoinStreetAddress(const std::string& line1, const std::string& line2);
// Splits it back at the first "\r\n" found after the first character; a text
// without one (or starting with one) is line 1 whole, line 2 empty.
void SplitStreetAddress(const std::string& text, std::string& line1, std::string& line2);
