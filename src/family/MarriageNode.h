#pragma once
// The in-memory marriage: MRIN, husband and wife, status, the marriage and
// sealing-to-spouse events, the spouses' nodes and the loaded children. With
// CIndividualNode it forms the family graph the views walk.
//
// Marriages are counted like individuals (a use count; New puts a marriage
// on the heap, owned by its count). Holders: an individual's loaded
// marriages, its parents' marriage and its current marriage.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "EventKinds.h"
#include "TextMeasure.h"

class CIndividualNode;
class CMarriageEditValues;
class CMarriageRecord;

class CMarriageNode {
 public:
  static CMarriageNode* New(const CMarriageRecord& record);

  explicit CMarriageNode(const CMarriageRecord& record);
  virtual ~CMarriageNode();
  CMarriageNode(const CMarriageNode&) = delete;
  CMarriageNode& operator=(const CMarriageNode&) = delete;

  // ---- counting ----
  void AddRef() { ++useCount_; }
  int GetUseCount() const { return useCount_; }

  std::int32_t GetMrin() const { return mrin; }
  std::int32_t GetHusbandRin() const { return husbandRin; }
  std::int32_t GetWifeRin() const { return wifeRin; }

  // The spouse nodes, loaded on first use (link mode 3, suffix kind of the
  // option AppendVal, width 480, no measure); null when the marriage has no
  // such spouse. The slot holds the node it loads.
  CIndividualNode* GetHusband();
  CIndividualNode* GetWife();
  // The nodes as loaded, without loading.
  CIndividualNode* HusbandNode() const { return husband_; }
  CIndividualNode* WifeNode() const { return wife_; }
  CIndividualNode* ChildOfOrigin() const { return childOfOrigin_; }
  // The slot of individual rin by the marriage's husband and wife numbers:
  // the husband slot when rin is the husband, else the wife slot.
  CIndividualNode*& SlotFor(std::int32_t rin);
  // The other spouse's RIN of individual rin (0 when none).
  std::int32_t SpouseRinOf(std::int32_t rin) const {
    return husbandRin == rin ? wifeRin : husbandRin;
  }

  // ---- children ----
  CIndividualNode* GetChild(int index) const;
  int GetLoadedChildCount() const { return static_cast<int>(children_.size()); }
  // Appends a child and raises its count.
  void AddChild(CIndividualNode* node);
  // Loads the children in the order of the marriage's child chain; positions
  // already loaded are kept; the child of origin is reused.
  void LoadChildren(int level, int suffixKind, int pixelWidth, const plat::TextMeasure* dc);
  // Releases the loaded children; the child count goes back to -1.
  void ReleaseLoadedChildren();

  // ---- events ----
  CMarriageEvent* GetMarriageEventIfAny() const { return marriage_.get(); }
  CSealingToSpouseOrdinance* GetSealingEventIfAny() const { return sealing_.get(); }
  // Created empty first when missing.
  CMarriageEvent* GetMarriageEvent();
  CSealingToSpouseOrdinance* GetSealingEvent();
  // "<date> - <place> -- <MRIN>" fitted; "" without a marriage event.
  std::string FormatMarriage(int maxChars, const plat::TextMeasure* dc, int pixelWidth) const;
  // The marriage date text; "" without a marriage event.
  std::string GetMarriageDateText() const;

  // Status 'D' or 'M', the marriage event, with ShowZEL the sealing, and the
  // two numbers of the Marriage screen.
  void SetFromScreen(const CMarriageEditValues& model);

  std::int32_t mrin = 0;
  std::int32_t husbandRin = 0;   // 0 = none
  std::int32_t wifeRin = 0;      // 0 = none
  std::int32_t numbers[4] = {};  // the record's second to fifth integers
  std::int16_t childCount = -1;  // -1 = not yet counted
  char status = 0;               // 'M' married, 'D' divorced
  std::uint8_t flags = 0;

 private:
  friend class CIndividualNode;
  friend class CIndividualLinks;
  friend void SetMarriageRef(CMarriageNode*& slot, CMarriageNode* marriage);
  friend void ReleaseMarriageRef(CMarriageNode*& slot);

  CIndividualNode* LoadSpouse(bool wantWife);
  // Gives up a marriage held as an individual's parents: the parents' hold
  // on it as their current marriage ends too. The marriage while still in
  // use, else null (it is deleted).
  static CMarriageNode* GiveUpAsParents(CMarriageNode*& slot);

  std::unique_ptr<CSealingToSpouseOrdinance> sealing_;
  std::unique_ptr<CMarriageEvent> marriage_;
  CIndividualNode* husband_ = nullptr;        // counted
  CIndividualNode* wife_ = nullptr;           // counted
  CIndividualNode* childOfOrigin_ = nullptr;  // counted
  std::vector<CIndividualNode*> children_;    // one count each
  int useCount_ = 0;
  int extraUses_ = 0;  // uses added by loading the same parents again with addRef
};

// Stores marriage in a counted slot: nothing when the slot holds it already;
// else the old marriage's use count is lowered (deleted at 0 or below) and
// the new one's raised.
void SetMarriageRef(CMarriageNode*& slot, CMarriageNode* marriage);
void ReleaseMarriageRef(CMarriageNode*& slot);

// Stores object in an owning slot; the one held before is deleted unless it
// is object itself. The slot takes ownership of object.
template <class T>
void ReplaceOwnedObject(std::unique_ptr<T>& slot, T* object) {
  if (slot.get() == object) return;
  slot.reset(object);
}
