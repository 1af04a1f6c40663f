#pragma once
// The in-memory individual that views, screens, lists and reports work with.
// It holds the name parts and a display name fitted to a width, and grows on
// demand: a link part (birth, death, parents, loaded marriages) and inside it
// a detail part (the other events, the ordinances, texts and contact).
//
// Nodes are reference counted and always live on the heap (New): a node is
// owned by its count. The marriage slots that hold a node, a marriage's
// children and whoever keeps a node as its root (AddRef) count. The family
// graph has cycles (an individual counts its marriages, each marriage counts
// its husband and wife); ReleaseMarriages and ReleaseParents break them and
// are run before the last reference to a root is given up.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CheckedText.h"
#include "EventKinds.h"
#include "IndividualRecord.h"
#include "TextMeasure.h"

class CAlphaNameRecord;
class CIndividualEditValues;
class CMarriageNode;

// The display options the nodes use; the application copies its options
// ("CapSurname", "AppendVal", "ShowZEL") here at start-up and on change. The
// condensing option "Trim" is PlaceFitOptions::clipping (FitUnit.h).
struct NodeOptions {
  bool capSurname = false;
  int appendVal = 0;  // suffix kind of names built on demand: 0 none, 1 RIN, 2 ID, 3 SBN
  bool showZel = true;
};
void SetNodeOptions(const NodeOptions& options);
const NodeOptions& GetNodeOptions();

// An event without date, place and numbers, or an ordinance without date,
// temple and numbers: no object is built for it.
bool IsEventValueEmpty(const CEventValue& value);
bool IsOrdinanceValueEmpty(const COrdinanceValue& value);

// The remaining events, the ordinances, texts and contact of an individual
// (link mode 3).
class CIndividualDetails {
 public:
  CIndividualDetails() = default;
  explicit CIndividualDetails(const CIndividualRecord& record);
  CIndividualDetails(const CIndividualDetails&) = delete;
  CIndividualDetails& operator=(const CIndividualDetails&) = delete;

  // True when all ten contact fields are empty.
  bool IsContactEmpty() const;

  char sex = 'U';
  std::unique_ptr<CChristeningEvent> christening;
  std::unique_ptr<CBurialEvent> burial;
  std::unique_ptr<CPlaceEventObject> fifthEvent;  // kind 'O' when read
  std::unique_ptr<CBaptismOrdinance> baptism;
  std::unique_ptr<CEndowmentOrdinance> endowment;
  std::unique_ptr<CSealingToParentsOrdinance> sealingToParents;
  std::int32_t trailing[4] = {};  // the record's first four trailing integers
  std::int32_t firstNote = 0;     // the record's seventh integer
  std::int32_t numbers[5] = {};   // the record's eighth to twelfth integers
  // The record's eighth, eleventh, ninth, twelfth and thirteenth strings.
  std::string texts[5];
  std::string contact[CIndividualRecord::kContactFieldCount];
};

// Links of an individual (link modes 2 and 3). It holds one use count on
// each loaded marriage, on the parents' marriage and on the current marriage,
// and gives them up when it goes.
class CIndividualLinks {
 public:
  // Ordinance flag bits.
  static constexpr std::uint16_t kRecordFlagBit = 0x40;
  // Second flag bits.
  static constexpr std::uint16_t kEditedBit = 0x01;
  static constexpr std::uint16_t kHasNotesBit = 0x02;
  static constexpr std::uint16_t kTrailingBit = 0x04;

  CIndividualLinks(const CIndividualRecord& record, int linkMode);
  ~CIndividualLinks();
  CIndividualLinks(const CIndividualLinks&) = delete;
  CIndividualLinks& operator=(const CIndividualLinks&) = delete;

  // The number of the individual's parent families (family links that name
  // a marriage): the cache when it is known and no recount is asked, else
  // counted through the database calls and cached in links (may be null).
  // 0 without a RIN.
  static int GetParentFamilyCount(CIndividualLinks* links, std::int32_t rin, bool recount);

  // The parents' MRIN in use: the chosen one, else the record's.
  std::int32_t ParentsMrin() const {
    return chosenParentsMrin != 0 ? chosenParentsMrin : parentsMrin;
  }

  std::unique_ptr<CBirthEvent> birth;
  std::unique_ptr<CDeathEvent> death;
  std::int32_t recordNumber5 = 0;         // the record's fifth integer (creation stamp)
  std::int32_t recordNumber4 = 0;         // the record's fourth integer (first citation)
  std::vector<CMarriageNode*> marriages;  // loaded marriages, one use count each
  std::int16_t marriageCount = -1;        // -1 = not yet counted
  std::int16_t parentFamilyCount = -1;    // -1 = not yet counted
  std::int32_t parentLink = 0;            // family link to the parents, 0 = not looked up
  std::int32_t parentsMrin = 0;           // the record's parents' MRIN, 0 = none
  CMarriageNode* parents = nullptr;       // one use count
  std::int32_t chosenParentsMrin = 0;
  CMarriageNode* currentMarriage = nullptr;  // one use count
  std::string linkText;                      // the record's last string
  // Bits 0-1, 2-3, 4-5: states of baptism, endowment, sealing to parents
  // (CDateValue::GetOrdinanceState); bit 6 the record's flag byte.
  std::uint16_t ordinanceFlags = 0;
  std::uint16_t flags = 0;
  std::unique_ptr<CIndividualDetails> details;  // null in link mode 2
};

class CIndividualNode {
 public:
  // The longest display name FormatName makes.
  static constexpr int kMaxNameChars = 97;

  // New nodes start at count 0 and are owned by their count from here on.
  static CIndividualNode* New();
  static CIndividualNode* New(const CIndividualRecord& record, int linkMode, int suffixKind,
                              int pixelWidth, const plat::TextMeasure* dc);
  static CIndividualNode* New(const CAlphaNameRecord& entry, int suffixKind, int pixelWidth,
                              const plat::TextMeasure* dc);

  CIndividualNode() = default;
  // Names and display name from the record; link part for linkMode 2 or 3
  // (with the detail part for 3).
  CIndividualNode(const CIndividualRecord& record, int linkMode, int suffixKind, int pixelWidth,
                  const plat::TextMeasure* dc);
  // Names from a name-index entry; above suffix kind 1 the individual's
  // record is read for the name-extension texts. No link part.
  CIndividualNode(const CAlphaNameRecord& entry, int suffixKind, int pixelWidth,
                  const plat::TextMeasure* dc);
  virtual ~CIndividualNode();
  CIndividualNode(const CIndividualNode&) = delete;
  CIndividualNode& operator=(const CIndividualNode&) = delete;

  // ---- counting ----
  void AddRef() { ++refCount_; }
  // Lowers the count; deletes the node when the count was 1 (at 0 the count
  // goes to -1 and nothing is deleted).
  void Release();
  int GetRefCount() const { return refCount_; }

  // ---- parts ----
  // Builds the link part for linkMode 2 or 3 when missing, and for 3 the
  // detail part with the record's flag byte in bit 6. Other modes: nothing.
  void LoadLinks(const CIndividualRecord& record, int linkMode);
  CIndividualLinks* GetLinks() { return links_.get(); }
  const CIndividualLinks* GetLinks() const { return links_.get(); }
  CIndividualDetails* GetDetails() { return links_ ? links_->details.get() : nullptr; }
  const CIndividualDetails* GetDetails() const { return links_ ? links_->details.get() : nullptr; }

  // ---- names ----
  std::int32_t GetRin() const { return rin_; }
  void SetRin(std::int32_t rin) { rin_ = rin; }
  const std::string& GetSurname() const { return names_[0].GetText(); }
  // index 0-2
  const std::string& GetGivenName(int index) const { return names_[1 + index].GetText(); }
  const std::string& GetSuffix() const { return suffix_; }
  const std::string& GetTitle() const { return title_; }
  // index 0 the nickname, 1 the also-known-as name
  const std::string& GetNameExtension(int index) const { return nameExtensions_[index]; }
  // What suffix kinds 2 and 3 print after the name.
  const std::string& GetCustomId() const { return customId_; }
  const std::string& GetSbn() const { return sbn_; }
  const std::string& GetDisplayName() const { return displayName_; }

  void SetSurname(std::string text) { names_[0].SetText(std::move(text)); }
  // Splits a text into the three given names: words are separated by
  // characters 1-32; the third name takes the rest of the text from the
  // third word, trailing separators cut.
  void SetGivenNames(const std::string& text);
  void SetGivenName1(std::string text) { names_[1].SetText(std::move(text)); }
  void SetGivenName2(std::string text) { names_[2].SetText(std::move(text)); }
  void SetGivenName3(std::string text) { names_[3].SetText(std::move(text)); }
  void SetSuffix(std::string text) { suffix_ = std::move(text); }
  void SetTitle(std::string text) { title_ = std::move(text); }
  void SetNameExtension1(std::string text) { nameExtensions_[0] = std::move(text); }
  void SetNameExtension2(std::string text) { nameExtensions_[1] = std::move(text); }
  void UpdateDisplayName(int suffixKind, int pixelWidth, const plat::TextMeasure* dc);

  // The name fitted into maxChars (at most 97) and, with dc, pixelWidth:
  // title and given names, surname, suffix, then the tail of suffixKind
  // (1 "-RIN", 2 "-" custom ID, 3 "-" SBN; nothing for an empty one).
  std::string FormatName(int suffixKind, int maxChars, int pixelWidth,
                         const plat::TextMeasure* dc) const;
  // "SURNAME, Given Names Suffix" fitted into maxChars (at most 90) and,
  // with dc, pixelWidth.
  std::string FormatNameSurnameFirst(int maxChars, int pixelWidth,
                                     const plat::TextMeasure* dc) const;
  // "Surname, First S" with up to two letters of the second given name: the
  // key on which the individual list positions.
  std::string GetIndexName() const;
  // The non-empty given names joined by single blanks.
  std::string GetGivenNames() const;
  static void GetGivenNamesText(const CIndividualNode& node, std::string& out);
  static void GetNameParts(const CIndividualNode& node, std::string& surnameOut,
                           std::string& givenOut);
  // Compares a surname and given-name text with the node's names in the
  // family file's name order, letter case ignored.
  static int CompareName(const std::string& surname, const std::string& given,
                         const CIndividualNode& node);

  // ---- details ----
  // 'M' or 'F' (lower-case letters count as their capitals), else a blank.
  char GetSexLetter() const;
  void SetSexLetter(char sex);
  // index 0-4: the record's eighth, eleventh, ninth, twelfth, thirteenth string
  // (custom ID, cause of death, SBN, married name, physical description); the
  // custom ID and the SBN are also kept with the name for its suffix.
  void SetDetailText(int index, std::string text);
  void GetDetailText(int index, std::string& out) const;
  void SetNoteLink(std::int32_t firstNoteBlock);
  std::int32_t GetNoteLink() const;
  bool HasNotes() const;
  // index 0-3
  std::int32_t GetTrailing(int index) const;
  // The record's eighth to twelfth integers: index 0-4.
  std::int32_t GetRecordNumber(int index) const;
  bool GetRecordFlag() const;
  void SetContact(int field, std::string text);
  void GetContact(int field, std::string& out) const;
  bool IsContactEmpty() const;

  // ---- events ----
  CBirthEvent* GetBirth() const { return links_ ? links_->birth.get() : nullptr; }
  CDeathEvent* GetDeath() const { return links_ ? links_->death.get() : nullptr; }
  CChristeningEvent* GetChristening() const;
  CBurialEvent* GetBurial() const;
  CPlaceEventObject* GetOtherEvent() const;
  CBaptismOrdinance* GetBaptism() const;
  CEndowmentOrdinance* GetEndowment() const;
  CSealingToParentsOrdinance* GetSealingToParents() const;
  // Each creates an empty object when missing; null without the part that
  // holds it.
  CBirthEvent* GetOrCreateBirth();
  CChristeningEvent* GetOrCreateChristening();
  CDeathEvent* GetOrCreateDeath();
  CBurialEvent* GetOrCreateBurial();
  COrdinanceObject* GetOrCreateBaptism();
  COrdinanceObject* GetOrCreateEndowment();
  COrdinanceObject* GetOrCreateSealingToParents();
  CPlaceEventObject* GetOrCreateOtherEvent();
  // "<date> - <place>" fitted; "" without the event.
  std::string FormatBirth(int maxChars, const plat::TextMeasure* dc, int pixelWidth) const;
  std::string FormatDeath(int maxChars, const plat::TextMeasure* dc, int pixelWidth) const;

  // ---- marriages and parents ----
  // The index-th loaded marriage; null outside the range or without links.
  CMarriageNode* GetMarriage(int index) const;
  int GetLoadedMarriageCount() const;
  // Appends a loaded marriage and raises its use count (nothing without links).
  void AddMarriage(CMarriageNode* marriage);
  // Loads the marriages in the individual's order and their spouses
  // (nodes of link mode level); positions already loaded are kept.
  void LoadMarriages(int level, int suffixKind, int pixelWidth, const plat::TextMeasure* dc);
  // Loads the parents' marriage with father and mother. setCurrent makes
  // this node the marriage's child of origin and the marriage each parent's
  // current marriage; addRef counts a second use of what is already loaded.
  void LoadParents(int level, int suffixKind, bool setCurrent, bool addRef, int pixelWidth,
                   const plat::TextMeasure* dc);
  CMarriageNode* GetParents() const { return links_ ? links_->parents : nullptr; }
  // Releases the loaded marriages (the marriage count goes back to -1); the
  // number of marriages released.
  int ReleaseMarriages();
  // Gives up the parents' marriage: when more uses than this one hold it, one
  // use (with the parents' counts) is taken back and the marriage returned;
  // else it is released and null returned.
  CMarriageNode* ReleaseParents();

  // Takes over the values of the Edit Individual screen; with ShowZEL the
  // sealing to parents is also written to the parents' family link; false
  // when that write failed.
  bool SetFromScreen(const CIndividualEditValues& model);

 private:
  friend void SetIndividualRef(CIndividualNode*& slot, CIndividualNode* node);
  friend void ReleaseIndividualRef(CIndividualNode*& slot);
  friend class CMarriageNode;

  // A holder lets go: the node goes when the lowered count is 0 or below.
  static void LetGo(CIndividualNode* node);
  CIndividualDetails* Details() { return links_ ? links_->details.get() : nullptr; }
  const CIndividualDetails* Details() const { return links_ ? links_->details.get() : nullptr; }

  std::int32_t rin_ = 0;
  CCheckedText names_[4];  // surname, first, second, third given name
  std::string suffix_;
  std::string title_;
  std::string displayName_;
  std::string nameExtensions_[2];
  std::string customId_;
  std::string sbn_;
  std::unique_ptr<CIndividualLinks> links_;
  int refCount_ = 0;
};

// Stores node in a counted slot: nothing when the slot holds it already;
// else the old node is let go and node's count raised.
void SetIndividualRef(CIndividualNode*& slot, CIndividualNode* node);
// Empties a counted slot, letting its node go.
void ReleaseIndividualRef(CIndividualNode*& slot);
