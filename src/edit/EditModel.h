#pragma once
// The working copy of one individual or marriage while its editing screen
// is open: every editable value as a row of the field list, working copies
// of the events and ordinances, the relatives the date rules need, and the
// user events of the record. The screen fills its list from it; on Save the
// in-memory record takes the values (GetValues, then SetFromScreen).

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DateRule.h"
#include "EditModels.h"
#include "FieldListRow.h"
#include "StringIds.h"
#include "StringListEx.h"

class CFieldListCtrl;
class CIndividualNode;
class CMarriageNode;
class CPlaceEventObject;
class CUserEventRecord;

class CEditModel {
 public:
  virtual ~CEditModel();
  CEditModel(const CEditModel&) = delete;
  CEditModel& operator=(const CEditModel&) = delete;

  virtual void BuildDateRules() {}
  void ClearDateRules() { rules_.DeleteAll(); }
  // The values a row hands over; each answers 1 (a refusal is shown, not
  // returned) unless its comment says otherwise.
  virtual int SetEventDescription(CEventObject* event, const std::string& text);
  // The date goes to the event; with check, the event's own refusal or else
  // the first broken date rule is shown. The date is kept either way.
  virtual int SetEventDate(CEventObject* event, const std::string& text, std::string& message,
                           int check);
  virtual int SetEventEndDate(CEventObject* event, const std::string& text, std::string& message);
  // The place (or temple code) goes to the event; an invalid temple code is
  // shown and the ordinance keeps its temple (answer 0); a place with
  // numbers or punctuation is shown.
  virtual int SetEventPlace(CEventObject* event, const std::string& text, std::string& message);
  virtual int SetEventFlag(CEventObject* event, int value);
  virtual int SetGivenName(const std::string& /*text*/, int /*check*/) { return 0; }
  virtual int SetSurname(const std::string& /*text*/, int /*check*/) { return 0; }
  virtual int SetTitlePrefix(const std::string& /*text*/) { return 0; }
  virtual int SetTitleSuffix(const std::string& /*text*/) { return 0; }
  // The working event of a label id, or null.
  CEventObject* FindEventByLabel(int labelId) const;
  virtual int SetOrdinancePlace(CEventObject* /*event*/, const std::string& /*text*/) { return 0; }
  virtual char GetOwnerKind() const { return 0; }
  virtual int GivenNameDiffers(const std::string& /*text*/) const { return 0; }
  virtual int SurnameDiffers(const std::string& /*text*/) const { return 0; }
  virtual int TitlePrefixDiffers(const std::string& /*text*/) const { return 0; }
  virtual int TitleSuffixDiffers(const std::string& /*text*/) const { return 0; }
  virtual int PlaceDiffers(CEventObject* /*event*/, const std::string& /*text*/) const { return 0; }
  // Adds the sections' rows to the list in display order.
  virtual void FillList(CFieldListCtrl& /*list*/) {}

  // Adds a user event and its rows to the other events; the first row.
  CFieldListRow* AddUserEventRow(std::unique_ptr<CUserEventRecord> event);
  // Marks a user event removed: its rows leave the list at the next fill
  // and StoreUserEvents deletes it from the file.
  void RemoveUserEvent(CUserEventRecord* event);
  bool IsEventRemoved(const CEventObject* event) const;
  // The user event that event is, when the model keeps it and it is not
  // removed; null for the built-in events.
  CUserEventRecord* KeptUserEvent(const CEventObject* event) const;
  // Rewrites every user event not removed and makes the record's list of
  // user events the sorted kept ones (removed ones are deleted). The number
  // kept, or -1 when the file refused an event or the list.
  int StoreUserEvents();
  int HasCitations() const;

  std::int32_t GetRecordNumber() const { return recordNumber_; }
  CStringListEx& TempleChoices() { return templeChoices_; }
  CStringListEx& YesNoChoices() { return yesNo_; }
  const std::vector<std::unique_ptr<CUserEventRecord>>& UserEvents() const { return userEvents_; }
  CDateRuleList& Rules() { return rules_; }
  // All rows of the model, in no particular order (for lookups).
  CFieldListRow* FindRow(int labelId) const;
  const std::vector<std::unique_ptr<CFieldListRow>>& EventRows() const { return eventRows_; }
  const std::vector<std::unique_ptr<CFieldListRow>>& OrdinanceRows() const {
    return ordinanceRows_;
  }
  const std::vector<std::unique_ptr<CFieldListRow>>& OtherEventRows() const {
    return otherEventRows_;
  }

 protected:
  CEditModel();
  // Shows a warning (exclamation icon).
  static void Warn(const std::string& message);
  void RebuildTempleChoices();
  CFieldListRow* Own(std::vector<std::unique_ptr<CFieldListRow>>& rows,
                     std::unique_ptr<CFieldListRow> row);
  // Appends heading and rows; the user-event heading sits before the first
  // row whose event is not removed.
  void AddRows(CFieldListCtrl& list, const std::vector<std::unique_ptr<CFieldListRow>>& rows);
  void AddOtherEventRows(CFieldListCtrl& list);
  CFieldListRow* Heading(int labelId) const;
  // Adds an event's date and place rows.
  void AddEventRows(CPlaceEventObject* event);
  // Adds a date and a temple row of an ordinance.
  void AddOrdinanceRows(COrdinanceObject* ordinance);
  // Reads the owner's user events through the database calls.
  void LoadUserEvents(char ownerKind, bool sorted);
  void AddHeadings(const std::vector<int>& ids);

  std::int32_t recordNumber_ = 0;
  std::int32_t firstCitation_ = 0;
  CStringListEx templeChoices_;
  CStringListEx yesNo_;
  std::vector<std::unique_ptr<CEventObject>> events_;
  CDateRuleList rules_;
  std::vector<CIndividualNode*> related_;  // one count each
  std::vector<std::unique_ptr<CUserEventRecord>> userEvents_;
  std::set<const CEventObject*> removed_;
  std::vector<std::unique_ptr<CFieldListRow>> eventRows_;
  std::vector<std::unique_ptr<CFieldListRow>> ordinanceRows_;
  std::vector<std::unique_ptr<CFieldListRow>> otherEventRows_;
  std::vector<std::unique_ptr<CFieldListRow>> headings_;
};

class CIndividualEditModel : public CEditModel, public CPlaceIfLivingGate {
 public:
  CIndividualEditModel();
  ~CIndividualEditModel() override;

  // Builds the model from the node (read with link mode 3).
  void LoadFromIndividual(CIndividualNode* node);
  void BuildDateRules() override;
  int SetGivenName(const std::string& text, int check) override;
  int SetSurname(const std::string& text, int check) override;
  int SetTitlePrefix(const std::string& text) override;
  int SetTitleSuffix(const std::string& text) override;
  int SetOrdinancePlace(CEventObject* event, const std::string& text) override;
  char GetOwnerKind() const override { return 'I'; }
  int GivenNameDiffers(const std::string& text) const override;
  int SurnameDiffers(const std::string& text) const override;
  int TitlePrefixDiffers(const std::string& text) const override;
  int TitleSuffixDiffers(const std::string& text) const override;
  int PlaceDiffers(CEventObject* event, const std::string& text) const override;
  void FillList(CFieldListCtrl& list) override;

  void SetSex(char letter);
  void SetHasMarriages(int flag);
  void SetSealingFamilyLink(std::int32_t number) { sealingFamilyLink_ = number; }
  std::int32_t GetSealingFamilyLink() const { return sealingFamilyLink_; }
  // After Parents of changed the parent families: the first link and the
  // sealing to parents (the primary link's) are taken again from the
  // in-memory individual, so Save writes the sealing where it now belongs,
  // and the parents and siblings of the family now in use are read again
  // with the date rules built over them.
  void TakeParentLinks();
  // The first of the individual's own citations (the Title (suffix) row's
  // button); setting it keeps the individual in memory in step, so Save
  // writes the chain the file now holds.
  std::int32_t GetOwnFirstCitation() const { return firstCitation_; }
  void SetOwnFirstCitation(std::int32_t citation);
  // The individual handed in by the screen as the spouse.
  void SetRelatedIndividual(CIndividualNode* node) { relatedIndividual_ = node; }

  CEventObject* GetBirthEvent() const { return FindEventByLabel(res::kIdsBirth); }
  CEventObject* GetChristeningEvent() const { return FindEventByLabel(res::kIdsChristeningEvent); }
  CEventObject* GetDeathEvent() const { return FindEventByLabel(res::kIdsDeath); }
  CEventObject* GetBurialEvent() const { return FindEventByLabel(res::kIdsBurialEvent); }
  CEventObject* GetBaptismOrdinance() const { return FindEventByLabel(res::kIdsBaptism); }
  CEventObject* GetEndowmentOrdinance() const { return FindEventByLabel(res::kIdsEndowment); }
  CEventObject* GetSealingToParentsOrdinance() const {
    return FindEventByLabel(res::kIdsSealingToParents);
  }
  std::string GetGivenName() const { return RowText(res::kIdsGivenName); }
  std::string GetSurname() const { return RowText(res::kIdsSurname); }
  std::string GetTitlePrefix() const { return RowText(res::kIdsTitlePrefix); }
  std::string GetTitleSuffix() const { return RowText(res::kIdsTitleSuffix); }
  std::string GetCustomId() const { return RowText(res::kIdsCustomId); }
  std::string GetAlsoKnownAs() const { return RowText(res::kIdsAlsoKnownAs); }
  std::string GetCauseOfDeath() const { return RowText(res::kIdsCauseOfDeath); }
  std::string GetNickname() const { return RowText(res::kIdsNickname); }
  std::string GetMarriedName() const { return RowText(res::kIdsMarriedName); }
  std::string GetPhysicalDescription() const { return RowText(res::kIdsPhysicalDescription); }
  char GetSex() const;
  std::string GetSBN();
  int IsPlaceIfLivingEmpty() const override;
  CPlaceEventObject* GetLivePlaceEvent() const { return livePlace_.get(); }
  // What the in-memory individual takes over on Save.
  CIndividualEditValues GetValues();

  std::vector<std::unique_ptr<CFieldListRow>>& PersonalRows() { return personalRows_; }
  std::vector<std::unique_ptr<CFieldListRow>>& OtherRows() { return otherRows_; }

 private:
  std::string RowText(int labelId) const;
  CFieldListRow* FindOwnRow(int labelId) const;
  // Sets the text of the row of labelId, or makes it with make.
  template <class Make>
  void SetOrCreate(std::vector<std::unique_ptr<CFieldListRow>>& rows, int labelId,
                   const std::string& text, Make make);
  void AddBaptismRows(COrdinanceObject* baptism, bool templeButtonReadOnly);
  CIndividualNode* Spouse() const;
  void ReleaseRelatives();
  // Reads the parents' marriage and the siblings of parentMrin_ anew; the
  // date rules are dropped and must be built again.
  void LoadParentFamily();

  CStringListEx sexChoices_;
  std::vector<std::unique_ptr<CFieldListRow>> personalRows_;
  std::vector<std::unique_ptr<CFieldListRow>> otherRows_;
  std::int32_t noteNumber_ = 0;
  std::int32_t parentMrin_ = 0;
  std::int32_t firstMarriageMrin_ = 0;
  std::int32_t sealingFamilyLink_ = 0;
  CMarriageNode* parents_ = nullptr;   // counted
  CMarriageNode* marriage_ = nullptr;  // counted
  CIndividualNode* relatedIndividual_ = nullptr;
  int hasMarriages_ = 0;
  std::string sbn_;
  std::unique_ptr<CPlaceEventObject> livePlace_;
  bool showZelAtLoad_ = false;
  CIndividualNode* node_ = nullptr;  // counted while the model lives
};

class CMarriageEditModel : public CEditModel {
 public:
  CMarriageEditModel();
  ~CMarriageEditModel() override;

  void LoadFromMarriage(CMarriageNode* marriage);
  void BuildDateRules() override;
  char GetOwnerKind() const override { return 'M'; }
  void FillList(CFieldListCtrl& list) override;

  CEventObject* GetMarriageEvent() const { return FindEventByLabel(res::kIdsMarriage); }
  CEventObject* GetSealingToSpouseOrdinance() const {
    return FindEventByLabel(res::kIdsSealingToSpouse);
  }
  bool IsDivorced() const { return divorced_; }
  void SetDivorced(bool divorced) { divorced_ = divorced; }
  // What the in-memory marriage takes over on Save.
  CMarriageEditValues GetValues() const;
  // The first of the marriage record's own citations (the Source button).
  std::int32_t GetOwnFirstCitation() const { return firstCitation_; }
  void SetOwnFirstCitation(std::int32_t citation) { firstCitation_ = citation; }

 private:
  std::int32_t husbandRin_ = 0;
  std::int32_t wifeRin_ = 0;
  CIndividualNode* husband_ = nullptr;  // counted
  CIndividualNode* wife_ = nullptr;     // counted
  bool divorced_ = false;
  std::int32_t firstUserEvent_ = 0;
  std::int32_t firstNote_ = 0;
};
