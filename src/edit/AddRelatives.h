#pragma once
// What the Add menu's flows decide and write once the new or chosen relative
// is known: the sex a new relative is given, the sex refusals, and the links
// that put a father, mother, spouse or child into the focus individual's
// families. Screens ask the user; these functions only link.

#include <cstdint>
#include <string>

namespace addrelative {

enum class Relative { kFather, kMother, kSpouse, kChild };

// 0 when an individual of stored sex `sex` may be given the relative, else
// the message id: spouses and children need a parent known as 'M' or 'F'.
int SexRefusal(Relative kind, char sex);

// The sex preset on a new relative: male for a father, female for a mother,
// the opposite of the focus individual's for a spouse, none for a child.
char PresetSex(Relative kind, char focusSex);

// The result of a link: the marriage the relative went into, and whether
// that marriage was made by the link (then the Marriage screen may follow).
struct LinkResult {
  std::int32_t mrin = 0;
  bool created = false;
  bool ok() const { return mrin > 0; }
};

// The child's parent marriage a parent goes into: `shown` when the child has
// it as a parent family, else the child's first parent marriage; 0 for none.
std::int32_t ParentMarriageOf(std::int32_t child, std::int32_t shown);

// True when the child may get a father (or mother): it has no parent
// marriage, or that marriage has no husband (no wife).
bool CanAddParent(std::int32_t child, std::int32_t shownParentMarriage, bool father);

// Puts parent into the child's parent marriage (as husband or wife) when the
// child has one; else makes a new marriage with the parent and the child as
// its child. Fails (mrin 0) when that side of the marriage is taken.
LinkResult LinkParent(std::int32_t child, std::int32_t shownParentMarriage, std::int32_t parent,
                      bool father);

// Gives individual (stored sex 'M' or 'F') the spouse: into freeMarriage when
// it is a marriage of the individual whose other side is empty, else a new
// marriage with the individual on its own side.
LinkResult LinkSpouse(std::int32_t individual, std::int32_t spouse, std::int32_t freeMarriage);

// Makes child a child of marriage, or with marriage 0 of a new marriage of
// the parent (stored sex 'M' or 'F').
LinkResult LinkChild(std::int32_t parent, std::int32_t marriage, std::int32_t child);

// Who gets a child and where it goes, from the view's focus individual and
// focus marriage. The child goes into `marriage`; without one, the parent
// picks one of its marriages first when it has any (chooseMarriage), and a
// new marriage of the parent is made when none is picked.
struct ChildRoad {
  std::int32_t parent = 0;  // 0: the child of the marriage alone
  std::int32_t marriage = 0;
  bool chooseMarriage = false;
  bool ok() const { return parent > 0 || marriage > 0; }
};

// focusMarriage counts only when the parent is one of its spouses (or there
// is no parent); fallbackParent (the family view's primary individual)
// stands in when the view focuses neither an individual nor a marriage.
ChildRoad DecideChildRoad(std::int32_t focusIndividual, std::int32_t focusMarriage,
                          std::int32_t fallbackParent);

// The caption for the road: the parent's name after "Add child for" (new)
// or "Child for" (existing), or the marriage's number.
std::string ChildCaption(const ChildRoad& road, bool existing, const std::string& parentName);

// The individual whose surname a new child gets: the parent when male,
// else the marriage's husband; 0 for none.
std::int32_t ChildSurnameSource(const ChildRoad& road);

// The Marriage screen follows a link that made a marriage, with the
// "EditMarr" option on.
bool OpensMarriageScreen(const LinkResult& result, bool editMarriageOption);

}  // namespace addrelative
