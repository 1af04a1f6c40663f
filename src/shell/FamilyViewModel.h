#pragma once
// What the family view shows and how the user moves through it, without
// Qt: the primary individual with the current marriage and its spouse, the
// primary's parents and the children of the current marriage (or a lone
// marriage without a primary individual), loaded through the database calls
// into in-memory nodes; the selected pane and the children cursor; the keys
// and moves that change them with the document's Back history; the texts of
// the panes and rows; the status-pane values; which buttons show.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FamilyViewLayout.h"
#include "TextMeasure.h"

class CIndividualNode;
class CMarriageNode;

namespace shell::famview {

// Commands the view hands on (to the main frame or to its own handlers).
inline constexpr unsigned kCmdEditIndividualFrame = 32793;
inline constexpr unsigned kCmdAddIndividualFrame = 32796;
inline constexpr unsigned kCmdHomePerson = 32875;
inline constexpr unsigned kCmdMoveToPrimary = 32830;
inline constexpr unsigned kCmdEditMarriage = 32844;
inline constexpr unsigned kCmdAddFather = 32840;
inline constexpr unsigned kCmdAddMother = 32841;
inline constexpr unsigned kCmdAddSpouse = 32842;
inline constexpr unsigned kCmdAddChild = 32843;

// Keys of the view after the interface language's letters are mapped.
enum class NavKey {
  kEnter,
  kPageUp,
  kPageDown,
  kEnd,
  kHome,
  kLeft,
  kUp,
  kRight,
  kDown,
  kDescend,  // C
  kFather,   // F
  kMother,   // M
  kSpouse,   // S
};

// What a key, click or move did.
struct Outcome {
  bool selectionChanged = false;  // selected pane or current child
  bool familyChanged = false;     // another family or marriage is shown
  bool scrolled = false;          // the first shown row moved
  unsigned command = 0;           // a command to run (kCmd...), 0 none
};

// The three lines of an individual's pane.
struct PaneText {
  bool empty = true;     // nobody and no "Unknown"
  std::string lines[3];  // name, birth line, death line ("Unknown" alone)
  bool notesMark = false;
  bool multimediaMark = false;
};

// The texts of one child row.
struct ChildRowText {
  std::string number;  // "%d" from 1
  std::string name;
  std::string birth;
  std::string parentLink;
  std::string ordinances;  // four columns separated by tabs
  bool notesMark = false;
  bool multimediaMark = false;
  int bitmap = 0;  // the row button's bitmap
};

// The status panes' values; -1 empties a pane.
struct StatusValues {
  std::intptr_t rin = -1;
  std::intptr_t mrin = -1;
  std::intptr_t marriages = -1;
  std::intptr_t children = -1;
};

// Whom the frame's commands act on, by the selected pane.
struct CommandFocus {
  std::int32_t primary = 0;
  std::int32_t lone = 0;  // the lone marriage shown without a primary individual
  // The selected pane's individual (the primary for the marriage pane);
  // Edit, Notes, Add Child and the parent commands act on it.
  std::int32_t individual = 0;
  // The marriage the focus means: the current marriage from panes 0 to 2,
  // the parents' marriage from the parents' panes, and from the children
  // pane the current marriage while no child is selected (0 when one is).
  std::int32_t marriage = 0;
  std::int32_t current = 0;  // the current marriage (the lone one without a primary)
  std::int32_t parents = 0;  // the primary individual's parents' marriage shown
  bool marriagePane = false;
  // An individual is selected in a pane other than the primary's and the
  // marriage's (unlink works on it).
  bool relativeSelected = false;
  // Add Spouse gives the spouse to the selected individual, else to the
  // primary; when that is the primary and the current marriage shows no
  // partner, the spouse may go into it (after the spouse question).
  std::int32_t spouseFor = 0;
  std::int32_t partnerless = 0;
  // Add Individual without a primary individual asks whether the new one
  // joins the lone marriage shown as its child.
  bool asksToLinkChild() const { return primary == 0 && lone > 0; }
};

// What Unlink removes for the selected pane: the relation of rin to mrin
// (for DbUnSetRelation) after the question; relation 0 when the pane holds
// nobody to unlink.
struct UnlinkPlan {
  std::int32_t rin = 0;
  std::int32_t mrin = 0;
  int relation = 0;
  unsigned question = 0;
};

struct ViewOptions {
  bool showZel = false;
  int appendVal = 0;  // after names: 0 nothing, 1 RIN, 2 ID, 3 SBN
  bool showSpsBullet = false;
  bool multimediaPhoto = true;  // "Multimedia"/"MMFamvwPhoto"
};

class FamilyViewModel {
 public:
  // history: the document's Back history (newest last); lastShown: the
  // per-file settings' person last shown (may be null).
  FamilyViewModel(std::vector<std::uint32_t>& history, std::int32_t* lastShown);
  ~FamilyViewModel();
  FamilyViewModel(const FamilyViewModel&) = delete;
  FamilyViewModel& operator=(const FamilyViewModel&) = delete;

  void SetOptions(const ViewOptions& options) { options_ = options; }
  const ViewOptions& Options() const { return options_; }

  // ---- showing ----
  // Reads individual rin and shows the family with preferredMrin as the
  // current marriage (0: the first) and parentsMrin as the displayed
  // parents' family when it is one of the individual's. Selects pane 0.
  // False (nothing changes) when the individual cannot be read.
  bool ShowIndividual(std::int32_t rin, std::int32_t preferredMrin = 0,
                      std::int32_t parentsMrin = 0);
  // Shows marriage mrin without a primary individual; selects the children
  // pane. False when it cannot be read.
  bool ShowLoneMarriage(std::int32_t mrin);
  // A marriage reached by its number: its husband, else its wife, becomes
  // primary with that marriage current; without partners a lone marriage.
  bool ShowMarriage(std::int32_t mrin);
  // Loads the same family again (after records changed).
  void Reload();
  // Shows nothing.
  void Clear();
  // The show message: a > 0 shows individual a; a < 0 the individual -a
  // was deleted (or is the start individual of a new view); 0 looks the
  // shown individual or marriage up again.
  void OnShowMessage(std::intptr_t a);
  // The list-choice flag: the next show message empties the Back history.
  void SetListChoice() { listChoice_ = true; }
  bool IsLoaded() const { return loaded_; }

  // ---- content ----
  CIndividualNode* Primary() const { return primary_; }
  CMarriageNode* LoneMarriage() const { return lone_; }
  // Pane 0 primary, 1 none (see GetCurrentMarriage), 2 spouse, 3 father,
  // 4 mother, 5 the child at childIndex (-1: the current child).
  CIndividualNode* GetPaneContent(int pane, int childIndex = -1) const;
  CIndividualNode* GetSelectedContent() const { return GetPaneContent(selected_); }
  CMarriageNode* GetCurrentMarriage() const;
  // The partner other than the primary individual in marriage index (-1:
  // the current one); null without a primary individual or marriage.
  CIndividualNode* GetSpouseOfMarriage(int index = -1) const;
  CIndividualNode* GetLastChild() const;
  CMarriageNode* ParentsMarriage() const;
  int CurrentMarriageIndex() const { return currentMarriage_; }
  int MarriageCount() const;
  int ParentFamilyCount() const;
  // The individual the status bar and the frame's commands mean: the
  // selected pane's, the primary individual for the marriage pane.
  CIndividualNode* FocusIndividual() const;
  // The focus marriage (see CommandFocus::marriage); null for none.
  CMarriageNode* FocusMarriage() const;
  CommandFocus Focus() const;
  UnlinkPlan PlanUnlink() const;

  // ---- selection ----
  int SelectedPane() const { return selected_; }
  const ChildCursor& Children() const { return cursor_; }
  // Selects a pane; in the children pane row 0-7 (or -1) makes the child
  // there current.
  Outcome Click(int pane, int row = -1);
  // A double-click (or Enter) on the selected pane.
  Outcome DoubleClick(bool ctrl);
  Outcome HandleKey(NavKey key, bool ctrl = false);
  // Descend opens the Descendancy List when the Back history is empty, a
  // marriage is current and throughList(children of the primary) says so:
  // the individual the list opens on, else 0 (Descend moves by itself).
  std::int32_t DescendListStart(const std::function<bool(int)>& throughList) const;
  // '+' and '-': the next or previous marriage in record order.
  Outcome ShowAdjacentMarriage(bool next);
  Outcome Scroll(ScrollAction action, int position = 0);

  // ---- moves ----
  bool MoveToFather();
  bool MoveToMother();
  bool MoveToSpouse();
  // Child index of the current marriage becomes primary.
  bool MoveToChild(int index);
  bool Descend();
  bool ShowOtherMarriage(int index);
  // After the primary individual's marriages were put in a new order:
  // the family read again with marriage mrin current (the Back history
  // emptied when that is another marriage).
  bool ShowReorderedMarriage(std::int32_t mrin);
  // The Move to Primary command on the selected pane.
  bool MoveToPrimary();

  // ---- texts ----
  // Pane 0, 2, 3 or 4 with names and lines fitted to pixelWidth of measure
  // (null: no measuring).
  PaneText IndividualPaneText(int pane, const plat::TextMeasure* measure, int pixelWidth) const;
  // The marriage pane's line.
  std::string MarriagePaneText(const plat::TextMeasure* measure, int pixelWidth) const;
  // Child index of the current marriage; widths for the name and the birth.
  ChildRowText ChildRow(int index, const plat::TextMeasure* measure, int nameWidth,
                        int birthWidth) const;
  // True when the pane shows "Unknown": someone is missing from a family
  // that exists.
  bool ShowsUnknown(int pane) const;
  // True when the primary pane keeps its right sixth for a photo.
  bool HasPhotoArea() const;

  // ---- status and controls ----
  StatusValues Status() const;
  bool ControlShown(int id) const;
  // The arrow buttons' bitmaps (0 while hidden).
  int ControlBitmap(int id) const;

 private:
  struct ChildInfo {
    int marriageCount = 0;
    bool hasChildren = false;
    std::string parentLink;
    std::string ordinances;
  };

  void Load();
  void Release();
  void LoadChildInfo();
  ChildInfo InfoOf(const CIndividualNode& child, std::int32_t mrin) const;
  bool HasMultimedia(const CIndividualNode* node) const;
  bool MoveToParent(bool mother);
  void ChildMoveHistory(std::int32_t childRin);

  std::vector<std::uint32_t>& history_;
  std::int32_t* lastShown_;
  ViewOptions options_;
  CIndividualNode* primary_ = nullptr;  // counted
  CMarriageNode* lone_ = nullptr;       // counted
  std::int32_t preferredMrin_ = 0;
  int currentMarriage_ = -1;
  int selected_ = kPanePrimary;
  ChildCursor cursor_;
  std::vector<ChildInfo> childInfo_;
  // The shown individuals that have multimedia, found as the family loads.
  std::vector<const CIndividualNode*> multimedia_;
  int parentButtonBitmap_[2] = {0, 0};
  bool listChoice_ = false;
  bool loaded_ = false;
};

// The parent families (MRINs) of individual rin, in the stored order.
std::vector<std::int32_t> ParentFamiliesOf(std::int32_t rin);

}  // namespace shell::famview
