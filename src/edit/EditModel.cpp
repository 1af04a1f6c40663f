#include "EditModel.h"

#include <algorithm>

#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditEnvironment.h"
#include "EventKinds.h"
#include "FieldListCtrl.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "LiveBaptismRule.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "NameChecks.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempleTable.h"
#include "UserEventRecord.h"

namespace {

constexpr int kTextLimit = 120;
constexpr int kSbnLimit = 12;
constexpr int kCustomIdLimit = 10;
constexpr int kTempleLimit = 50;
constexpr int kPlaceLimit = 120;

CDateValue Years(int years) {
  CDateValue span;
  span.Set(years, 0, 0);
  return span;
}

CDateValue Months(int months) {
  CDateValue span;
  span.Set(0, months, 0);
  return span;
}

CDateValue Year(int year) {
  CDateValue date;
  date.Set(year, 0, 0);
  return date;
}

CDateValue Today() {
  CDateValue today;
  today.SetToday();
  return today;
}

// The rules a list gets, written the way the tables read.
class RuleAdder {
 public:
  explicit RuleAdder(CDateRuleList& rules) : rules_(rules) {}
  void Order(const CEventObject* first, const CEventObject* second, int message = 0) {
    rules_.Add(std::make_unique<CDateOrderRule>(first, second, message, message));
  }
  // first + span not after second.
  void SpanAfter(const CEventObject* first, const CDateValue& span, const CEventObject* second,
                 int message) {
    rules_.Add(std::make_unique<CDateSpanRule>(first, span, second, message));
  }
  // first not after second + span.
  void NotAfterPlus(const CEventObject* first, const CEventObject* second, const CDateValue& span,
                    int message) {
    rules_.Add(CDateSpanRule::DateSpanRuleReverse(first, second, span, message));
  }
  void NotAfterToday(const CEventObject* event) {
    rules_.Add(CFixedDateRule::FixedDateRuleFromId(event, Today(), res::kIdsAfterToday));
  }
  void NotBeforeYear(const CEventObject* event, int year) {
    rules_.Add(std::make_unique<CFixedDateRule>(Year(year), event));
  }
  void TempleOpen(const CEventObject* ordinance, const CPlaceIfLivingGate* gate) {
    rules_.Add(std::make_unique<CTempleOpenRule>(ordinance, gate));
  }

 private:
  CDateRuleList& rules_;
};

CEventValue ValueOf(const CEventObject* event) {
  CEventValue value;
  const auto* place = dynamic_cast<const CPlaceEventObject*>(event);
  if (place == nullptr) return value;
  value.date = place->date;
  for (int i = 0; i < 4; ++i) value.place[i] = place->place[i];
  value.firstCitation = place->firstCitation;
  value.secondNumber = place->secondNumber;
  return value;
}

COrdinanceValue OrdinanceValueOf(const CEventObject* event) {
  COrdinanceValue value;
  if (const auto* ordinance = dynamic_cast<const COrdinanceObject*>(event))
    value.SetFromObject(*ordinance);
  return value;
}

// The marriage of mrin as a new node, or null for 0 or an unreadable one.
CMarriageNode* ReadMarriageNode(std::int32_t mrin) {
  if (mrin == 0) return nullptr;
  CMarriageRecord record;
  if (family::Read(record, mrin) != 1) return nullptr;
  return CMarriageNode::New(record);
}

template <class Kind>
std::unique_ptr<Kind> WorkingCopy(const Kind* original) {
  return original != nullptr ? std::make_unique<Kind>(*original, true) : std::make_unique<Kind>();
}

}  // namespace

// ---- base ----

CEditModel::CEditModel() {
  yesNo_.AddTail(res::LoadString(res::kIdsYes));
  yesNo_.AddTail(res::LoadString(res::kIdsNo));
}

CEditModel::~CEditModel() {
  // Rows point at the events; the rules too: both go before the events.
  headings_.clear();
  eventRows_.clear();
  ordinanceRows_.clear();
  otherEventRows_.clear();
  rules_.DeleteAll();
  for (CIndividualNode* node : related_) node->Release();
  related_.clear();
}

void CEditModel::Warn(const std::string& message) {
  plat::MessageBox(message, res::LoadString(res::kIdsAppName),
                   plat::kMbOk | plat::kMbIconExclamation);
}

int CEditModel::SetEventDescription(CEventObject* event, const std::string& text) {
  if (event != nullptr) event->SetDescription(text);
  return 1;
}

int CEditModel::SetEventDate(CEventObject* event, const std::string& text, std::string& message,
                             int check) {
  if (event == nullptr) return 1;
  std::string error;
  const int valid = event->ValidateDate(text, error);
  auto* user = dynamic_cast<CUserEventRecord*>(event);
  CEventObject* target = user != nullptr ? static_cast<CEventObject*>(user->GetEvent()) : event;
  if (target != nullptr) target->SetDateText(text, true, event->GetCategory(), true);
  if (!check) return 1;
  if (!valid && !error.empty()) {
    message = error;
    Warn(message);
  } else if (!rules_.CheckAll(event, message)) {
    Warn(message);
  }
  return 1;
}

int CEditModel::SetEventEndDate(CEventObject* event, const std::string& text,
                                std::string& message) {
  if (event == nullptr) return 1;
  std::string error;
  if (!event->ValidateSecondDate(text, error) && !error.empty()) {
    message = error;
    Warn(message);
  }
  CPlaceEventObject parsed;
  parsed.SetDateText(text, true, event->GetCategory(), true);
  *event->GetSecondDate() = parsed.date;
  return 1;
}

int CEditModel::SetEventPlace(CEventObject* event, const std::string& text, std::string& message) {
  if (event == nullptr) return 1;
  if (auto* ordinance = dynamic_cast<COrdinanceObject*>(event)) {
    if (text.empty()) {
      ordinance->templeCode.clear();
      return 1;
    }
    // An invalid code is refused whole: the ordinance keeps its temple.
    const std::string previous = ordinance->templeCode;
    std::string error;
    if (!ordinance->SetTempleCode(text, &TempleTable(), error)) {
      ordinance->templeCode = previous;
      message = error;
      Warn(message);
      return 0;
    }
    return 1;
  }
  std::string error;
  event->SetPlaceText(text, nullptr, error);
  if (!CPlaceRow::CheckText(text, message)) Warn(message);
  return 1;
}

int CEditModel::SetEventFlag(CEventObject* event, int value) {
  if (event != nullptr) event->SetYesNo(value);
  return 1;
}

CEventObject* CEditModel::FindEventByLabel(int labelId) const {
  for (const auto& event : events_)
    if (event->labelId == labelId) return event.get();
  return nullptr;
}

CFieldListRow* CEditModel::FindRow(int labelId) const {
  for (const auto* rows : {&eventRows_, &ordinanceRows_, &otherEventRows_}) {
    if (CFieldListRow* row = FindRowInList(*rows, labelId)) return row;
  }
  return nullptr;
}

CFieldListRow* CEditModel::Own(std::vector<std::unique_ptr<CFieldListRow>>& rows,
                               std::unique_ptr<CFieldListRow> row) {
  row->SetModel(this);
  rows.push_back(std::move(row));
  return rows.back().get();
}

void CEditModel::RebuildTempleChoices() {
  templeChoices_.RemoveAll();
  for (const std::string& entry : TempleComboEntries()) templeChoices_.AddTail(entry);
}

void CEditModel::AddEventRows(CPlaceEventObject* event) {
  CEditEnvironment& env = EditEnvironment();
  Own(eventRows_, std::make_unique<CDateRow>(event, &env.dates));
  auto place = std::make_unique<CPlaceRow>(event, &env.places);
  place->SetTextLimit(kPlaceLimit);
  Own(eventRows_, std::move(place));
}

void CEditModel::AddOrdinanceRows(COrdinanceObject* ordinance) {
  Own(ordinanceRows_, std::make_unique<CEventDateRow>(ordinance, &EditEnvironment().dates));
  auto temple = std::make_unique<CTempleOrdinanceRow>(ordinance, &templeChoices_);
  temple->SetTextLimit(kTempleLimit);
  Own(ordinanceRows_, std::move(temple));
}

CFieldListRow* CEditModel::AddUserEventRow(std::unique_ptr<CUserEventRecord> event) {
  if (!event) return nullptr;
  CUserEventRecord* e = event.get();
  userEvents_.push_back(std::move(event));
  CEditEnvironment& env = EditEnvironment();
  const CEventTypeRecord* type = e->GetEventType();
  int dateKind = type != nullptr ? type->dateKind : 1;
  if (dateKind >= '0') dateKind -= '0';
  CFieldListRow* first =
      Own(otherEventRows_, std::make_unique<CUserEventDateRow>(e, &env.dates, dateKind == 0));
  if (dateKind == 2) Own(otherEventRows_, std::make_unique<CEndDateRow>(e));
  Own(otherEventRows_, std::make_unique<CUserEventPlaceRow>(e, &env.places));
  if (type != nullptr && type->hasDescription)
    Own(otherEventRows_, std::make_unique<CDescriptionRow>(e));
  Own(otherEventRows_,
      std::make_unique<CYesNoRow>(e, &yesNo_, static_cast<int>(e->GetFirstCitation())));
  return first;
}

void CEditModel::RemoveUserEvent(CUserEventRecord* event) {
  if (event != nullptr) removed_.insert(event);
}

bool CEditModel::IsEventRemoved(const CEventObject* event) const {
  return removed_.count(event) != 0;
}

void CEditModel::LoadUserEvents(char ownerKind, bool sorted) {
  std::vector<std::int32_t> numbers;
  DbGetRinList(numbers, db::kUserEvent, recordNumber_, ownerKind);
  std::vector<std::unique_ptr<CUserEventRecord>> events;
  for (const std::int32_t number : numbers) {
    auto event = std::make_unique<CUserEventRecord>();
    if (family::Read(*event, number) != 1) continue;
    events.push_back(std::move(event));
  }
  if (sorted) {
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a->Compare(b.get()) < 0; });
  }
  for (auto& event : events) AddUserEventRow(std::move(event));
}

int CEditModel::StoreUserEvents() {
  std::vector<CUserEventRecord*> sorted;
  for (const auto& event : userEvents_) sorted.push_back(event.get());
  std::stable_sort(
      sorted.begin(), sorted.end(),
      [](const CUserEventRecord* a, const CUserEventRecord* b) { return a->Compare(b) < 0; });
  std::vector<std::int32_t> kept;
  for (CUserEventRecord* event : sorted) {
    if (IsEventRemoved(event)) continue;
    // Stopped before the removed events are deleted by the list below.
    if (family::Update(*event, 0) != 1) return -1;
    kept.push_back(event->recordNumber);
  }
  if (DbSetRinList(kept, db::kUserEvent, recordNumber_, GetOwnerKind()) < 0) return -1;
  return static_cast<int>(kept.size());
}

CUserEventRecord* CEditModel::KeptUserEvent(const CEventObject* event) const {
  if (event == nullptr) return nullptr;
  for (const auto& kept : userEvents_)
    if (kept.get() == event && !IsEventRemoved(kept.get())) return kept.get();
  return nullptr;
}

int CEditModel::HasCitations() const {
  if (firstCitation_ != 0) return 1;
  for (const auto& event : events_)
    if (event->GetFirstCitation() != 0) return 1;
  for (const auto& event : userEvents_)
    if (event->GetFirstCitation() != 0) return 1;
  return 0;
}

void CEditModel::AddHeadings(const std::vector<int>& ids) {
  headings_.clear();
  for (const int id : ids) Own(headings_, std::make_unique<CSectionHeadingRow>(id));
}

CFieldListRow* CEditModel::Heading(int labelId) const { return FindRowInList(headings_, labelId); }

void CEditModel::AddRows(CFieldListCtrl& list,
                         const std::vector<std::unique_ptr<CFieldListRow>>& rows) {
  for (const auto& row : rows) list.AddRow(row.get());
}

void CEditModel::AddOtherEventRows(CFieldListCtrl& list) {
  bool headed = false;
  for (const auto& row : otherEventRows_) {
    if (!headed && !row->IsLinkRemoved()) {
      list.AddRow(Heading(res::kIdsOtherEvents));
      headed = true;
    }
    list.AddRow(row.get());
  }
}

// ---- individual ----

CIndividualEditModel::CIndividualEditModel() {
  for (const int id : {res::kIdsSexUnknown, res::kIdsSexMale, res::kIdsSexFemale})
    sexChoices_.AddTail(res::LoadString(id));
}

CIndividualEditModel::~CIndividualEditModel() {
  ReleaseRelatives();
  if (node_ != nullptr) node_->Release();
}

void CIndividualEditModel::ReleaseRelatives() {
  if (parents_ != nullptr) ReleaseMarriageRef(parents_);
  if (marriage_ != nullptr) ReleaseMarriageRef(marriage_);
}

void CIndividualEditModel::LoadFromIndividual(CIndividualNode* node) {
  if (node == nullptr) return;
  node->AddRef();
  if (node_ != nullptr) node_->Release();
  node_ = node;
  CEditEnvironment& env = EditEnvironment();
  const CIndividualLinks* links = node->GetLinks();

  // 1. numbers
  recordNumber_ = node->GetRin();
  noteNumber_ = node->GetNoteLink();
  parentMrin_ = links != nullptr ? links->ParentsMrin() : 0;
  firstCitation_ = links != nullptr ? links->recordNumber4 : 0;
  sealingFamilyLink_ = links != nullptr ? links->parentLink : 0;
  std::vector<std::int32_t> marriages;
  firstMarriageMrin_ = 0;
  const int marriageCount =
      recordNumber_ != 0 ? DbGetRelationCount(recordNumber_, db::kRelMarriages, 0, 1) : 0;
  if (marriageCount > 0 &&
      DbGetRelation(recordNumber_, db::kRelMarriages, marriageCount, marriages) > 0 &&
      !marriages.empty())
    firstMarriageMrin_ = marriages.front();

  // 3. PERSONAL
  personalRows_.clear();
  Own(personalRows_, std::make_unique<CFullNameRow>(node->GetGivenNames(), &env.givenNames));
  Own(personalRows_, std::make_unique<CSurnameRow>(node->GetSurname(), &env.surnames));
  Own(personalRows_, std::make_unique<CTitlePrefixRow>(node->GetTitle()));
  Own(personalRows_, std::make_unique<CTitleSuffixRow>(node->GetSuffix(), firstCitation_));
  SetSex(node->GetSexLetter());

  // 4. EVENTS
  events_.clear();
  eventRows_.clear();
  auto birth = WorkingCopy(node->GetBirth());
  auto christening = WorkingCopy(node->GetChristening());
  auto death = WorkingCopy(node->GetDeath());
  auto burial = WorkingCopy(node->GetBurial());
  for (CPlaceEventObject* event : std::initializer_list<CPlaceEventObject*>{
           birth.get(), christening.get(), death.get(), burial.get()})
    AddEventRows(event);
  events_.push_back(std::move(birth));
  events_.push_back(std::move(christening));
  events_.push_back(std::move(death));
  events_.push_back(std::move(burial));

  // 5. ZEL ORDINANCES
  ordinanceRows_.clear();
  showZelAtLoad_ = env.options.showZel;
  if (showZelAtLoad_) {
    const CPlaceEventObject* live = node->GetOtherEvent();
    livePlace_ = live != nullptr ? std::make_unique<CPlaceEventObject>(*live, true)
                                 : std::make_unique<CPlaceEventObject>(nullptr, 'O');
    auto baptism = WorkingCopy(node->GetBaptism());
    auto endowment = WorkingCopy(node->GetEndowment());
    auto sealing = WorkingCopy(node->GetSealingToParents());
    const bool templeButtonReadOnly =
        links != nullptr && (links->ordinanceFlags & CIndividualLinks::kRecordFlagBit) != 0;
    AddBaptismRows(baptism.get(), templeButtonReadOnly);
    AddOrdinanceRows(endowment.get());
    AddOrdinanceRows(sealing.get());
    events_.push_back(std::move(baptism));
    events_.push_back(std::move(endowment));
    events_.push_back(std::move(sealing));
  }

  // 6. OTHER
  otherRows_.clear();
  std::string texts[5];
  for (int i = 0; i < 5; ++i) node->GetDetailText(i, texts[i]);
  const auto addText = [&](int id, const std::string& text, int limit, bool namePart) {
    std::unique_ptr<CFieldListRow> row;
    if (namePart)
      row = std::make_unique<CNamePartRow>(id, text, 0, 0, nullptr);
    else
      row = std::make_unique<CTextRow>(id, text, 0, 0, nullptr);
    row->SetTextLimit(limit);
    if (CFieldListRow* existing = FindRowInList(otherRows_, id))
      existing->SetText(text);
    else
      Own(otherRows_, std::move(row));
  };
  addText(res::kIdsMarriedName, texts[3], kTextLimit, false);
  addText(res::kIdsAlsoKnownAs, node->GetNameExtension(1), kTextLimit, false);
  addText(res::kIdsNickname, node->GetNameExtension(0), kTextLimit, true);
  addText(res::kIdsCauseOfDeath, texts[1], kTextLimit, false);
  addText(res::kIdsPhysicalDescription, texts[4], kTextLimit, false);
  sbn_ = texts[2];
  if (env.options.allowSbnEdit) addText(res::kIdsStirpbankNumber, texts[2], kSbnLimit, false);
  addText(res::kIdsCustomId, texts[0], kCustomIdLimit, false);

  // 8. headings
  AddHeadings({res::kIdsPersonal, res::kIdsEvents, res::kIdsOrdinances, res::kIdsOtherEvents,
               res::kIdsOther});

  // 9. OTHER EVENTS
  otherEventRows_.clear();
  userEvents_.clear();
  removed_.clear();
  if (recordNumber_ != 0) LoadUserEvents(db::kOwnerIndividual, false);

  // 10. temples
  RebuildTempleChoices();

  // 11. relatives
  if (marriage_ != nullptr) ReleaseMarriageRef(marriage_);
  if (CMarriageNode* own = ReadMarriageNode(firstMarriageMrin_)) SetMarriageRef(marriage_, own);
  LoadParentFamily();

  // 12.
  BuildDateRules();
}

void CIndividualEditModel::LoadParentFamily() {
  // The rules hold the parents' and the siblings' events: they go first.
  rules_.DeleteAll();
  if (parents_ != nullptr) ReleaseMarriageRef(parents_);
  for (CIndividualNode* sibling : related_) sibling->Release();
  related_.clear();
  if (CMarriageNode* parents = ReadMarriageNode(parentMrin_)) SetMarriageRef(parents_, parents);
  if (parentMrin_ == 0) return;
  std::vector<std::int32_t> children;
  DbGetRelationList(children, db::kRelChildren, 0, parentMrin_, 0);
  for (const std::int32_t rin : children) {
    CIndividualRecord record;
    if (family::Read(record, rin) != 1) continue;
    CIndividualNode* sibling = CIndividualNode::New(record, 3, 0, 0, nullptr);
    sibling->AddRef();
    related_.push_back(sibling);
  }
}

void CIndividualEditModel::AddBaptismRows(COrdinanceObject* baptism, bool templeButtonReadOnly) {
  CEditEnvironment& env = EditEnvironment();
  const int count = static_cast<int>(baptism->GetFirstCitation());
  Own(ordinanceRows_, std::make_unique<CEventDateRow>(baptism, &env.dates));
  auto temple = std::make_unique<CTempleRow>(baptism, &templeChoices_, templeButtonReadOnly);
  temple->SetTextLimit(kTempleLimit);
  Own(ordinanceRows_, std::move(temple));
  auto live = std::make_unique<CPlaceIfLivingRow>(livePlace_.get(), &env.places, count,
                                                  templeButtonReadOnly ? 0 : 1);
  live->SetTextLimit(kPlaceLimit);
  Own(ordinanceRows_, std::move(live));
}

void CIndividualEditModel::SetSex(char letter) {
  const int id = letter == 'M'   ? res::kIdsSexMale
                 : letter == 'F' ? res::kIdsSexFemale
                                 : res::kIdsSexUnknown;
  const std::string text = res::LoadString(id);
  if (CFieldListRow* row = FindRowInList(personalRows_, res::kIdsSex)) {
    row->SetText(text);
    row->SetReadOnly(hasMarriages_);
    return;
  }
  Own(personalRows_, std::make_unique<CSexRow>(text, &sexChoices_, hasMarriages_));
}

void CIndividualEditModel::SetHasMarriages(int flag) {
  hasMarriages_ = flag;
  SetSex(GetSex());
}

CFieldListRow* CIndividualEditModel::FindOwnRow(int labelId) const {
  for (const auto* rows : {&personalRows_, &otherRows_}) {
    if (CFieldListRow* row = FindRowInList(*rows, labelId)) return row;
  }
  return FindRow(labelId);
}

std::string CIndividualEditModel::RowText(int labelId) const {
  const CFieldListRow* row = FindOwnRow(labelId);
  return row != nullptr ? row->GetText() : std::string();
}

template <class Make>
void CIndividualEditModel::SetOrCreate(std::vector<std::unique_ptr<CFieldListRow>>& rows,
                                       int labelId, const std::string& text, Make make) {
  if (CFieldListRow* row = FindRowInList(rows, labelId)) {
    row->SetText(text);
    return;
  }
  Own(rows, make());
}

int CIndividualEditModel::SetGivenName(const std::string& text, int check) {
  std::string message;
  if (check && !CheckNameText(CCheckedText(text), message)) Warn(message);
  SetOrCreate(personalRows_, res::kIdsGivenName, text,
              [&] { return std::make_unique<CFullNameRow>(text, &EditEnvironment().givenNames); });
  return 1;
}

CIndividualNode* CIndividualEditModel::Spouse() const {
  if (relatedIndividual_ != nullptr) return relatedIndividual_;
  if (marriage_ == nullptr) return nullptr;
  return GetSex() == 'M' ? marriage_->GetWife() : marriage_->GetHusband();
}

int CIndividualEditModel::SetSurname(const std::string& text, int check) {
  if (check) {
    std::string message;
    if (!CheckNameText(CCheckedText(text), message)) Warn(message);
    const CIndividualNode* spouse = Spouse();
    if (spouse != nullptr && !text.empty() && spouse->GetSurname() == text)
      plat::MessageBox(res::LoadString(res::kIdsSurnamesSame), res::LoadString(res::kIdsAppName),
                       plat::kMbOk);
  }
  SetOrCreate(personalRows_, res::kIdsSurname, text,
              [&] { return std::make_unique<CSurnameRow>(text, &EditEnvironment().surnames); });
  return 1;
}

int CIndividualEditModel::SetTitlePrefix(const std::string& text) {
  SetOrCreate(personalRows_, res::kIdsTitlePrefix, text,
              [&] { return std::make_unique<CTitlePrefixRow>(text); });
  return 1;
}

int CIndividualEditModel::SetTitleSuffix(const std::string& text) {
  SetOrCreate(personalRows_, res::kIdsTitleSuffix, text,
              [&] { return std::make_unique<CTitleSuffixRow>(text, firstCitation_); });
  return 1;
}

int CIndividualEditModel::SetOrdinancePlace(CEventObject* event, const std::string& text) {
  std::string message;
  if (IsPlaceIfLivingEmpty()) return SetEventPlace(event, text, message);
  return SetEventPlace(livePlace_.get(), text, message);
}

int CIndividualEditModel::GivenNameDiffers(const std::string& text) const {
  return text != RowText(res::kIdsGivenName) ? 1 : 0;
}
int CIndividualEditModel::SurnameDiffers(const std::string& text) const {
  return text != RowText(res::kIdsSurname) ? 1 : 0;
}
int CIndividualEditModel::TitlePrefixDiffers(const std::string& text) const {
  return text != RowText(res::kIdsTitlePrefix) ? 1 : 0;
}
int CIndividualEditModel::TitleSuffixDiffers(const std::string& text) const {
  return text != RowText(res::kIdsTitleSuffix) ? 1 : 0;
}

int CIndividualEditModel::PlaceDiffers(CEventObject* event, const std::string& text) const {
  if (!IsPlaceIfLivingEmpty() && livePlace_) return livePlace_->GetPlace() != text ? 1 : 0;
  if (event == nullptr) return 0;
  return event->GetPlace() != text ? 1 : 0;
}

char CIndividualEditModel::GetSex() const {
  const std::string text = plat::AnsiLower(RowText(res::kIdsSex));
  if (text == plat::AnsiLower(res::LoadString(res::kIdsSexMale))) return 'M';
  if (text == plat::AnsiLower(res::LoadString(res::kIdsSexFemale))) return 'F';
  return 'U';
}

std::string CIndividualEditModel::GetSBN() {
  if (EditEnvironment().options.allowSbnEdit) {
    if (const CFieldListRow* row = FindOwnRow(res::kIdsStirpbankNumber)) sbn_ = row->GetText();
  }
  return sbn_;
}

int CIndividualEditModel::IsPlaceIfLivingEmpty() const {
  const CFieldListRow* row = FindRow(res::kIdsPlaceIfLiving);
  return row == nullptr || row->GetText().empty() ? 1 : 0;
}

void CIndividualEditModel::FillList(CFieldListCtrl& list) {
  list.AddRow(Heading(res::kIdsPersonal));
  AddRows(list, personalRows_);
  list.AddRow(Heading(res::kIdsEvents));
  AddRows(list, eventRows_);
  if (EditEnvironment().options.showZel) {
    list.AddRow(Heading(res::kIdsOrdinances));
    AddRows(list, ordinanceRows_);
  }
  AddOtherEventRows(list);
  list.AddRow(Heading(res::kIdsOther));
  AddRows(list, otherRows_);
}

void CIndividualEditModel::SetOwnFirstCitation(std::int32_t citation) {
  firstCitation_ = citation;
  if (node_ != nullptr)
    if (CIndividualLinks* links = node_->GetLinks()) links->recordNumber4 = citation;
}

void CIndividualEditModel::TakeParentLinks() {
  if (node_ == nullptr) return;
  const CIndividualLinks* links = node_->GetLinks();
  sealingFamilyLink_ = links != nullptr ? links->parentLink : 0;
  if (auto* sealing = dynamic_cast<COrdinanceObject*>(GetSealingToParentsOrdinance())) {
    const CSealingToParentsOrdinance* stored = node_->GetSealingToParents();
    sealing->date = stored != nullptr ? stored->date : CDateValue();
    sealing->templeCode = stored != nullptr ? stored->templeCode : std::string();
    sealing->firstCitation = stored != nullptr ? stored->firstCitation : 0;
    sealing->secondNumber = stored != nullptr ? stored->secondNumber : 0;
  }
  // The parents, their marriage and the siblings the rules check against
  // are those of the parent family now in use.
  parentMrin_ = links != nullptr ? links->ParentsMrin() : 0;
  LoadParentFamily();
  BuildDateRules();
}

CIndividualEditValues CIndividualEditModel::GetValues() {
  CIndividualEditValues values;
  values.surname = GetSurname();
  values.givenNames = GetGivenName();
  values.title = GetTitlePrefix();
  values.suffix = GetTitleSuffix();
  values.rin = recordNumber_;
  values.parentLink = sealingFamilyLink_;
  values.firstNote = noteNumber_;
  values.sex = GetSex();
  values.detailTexts[0] = GetCustomId();
  values.detailTexts[1] = GetCauseOfDeath();
  values.detailTexts[2] = GetSBN();
  values.detailTexts[3] = GetMarriedName();
  values.detailTexts[4] = GetPhysicalDescription();
  values.nameExtensions[0] = GetNickname();
  values.nameExtensions[1] = GetAlsoKnownAs();
  if (node_ != nullptr) {
    if (const CIndividualDetails* details = node_->GetDetails()) {
      values.recordNumber7 = details->numbers[0];
      values.recordNumber8 = details->numbers[1];
      values.contactNumber = details->numbers[3];
    }
    if (const CIndividualLinks* links = node_->GetLinks()) {
      values.editFlag = (links->flags & CIndividualLinks::kEditedBit) != 0;
      values.flagByteClear = (links->ordinanceFlags & CIndividualLinks::kRecordFlagBit) == 0;
    }
  }
  values.birth = ValueOf(GetBirthEvent());
  values.christening = ValueOf(GetChristeningEvent());
  values.death = ValueOf(GetDeathEvent());
  values.burial = ValueOf(GetBurialEvent());
  values.fifthEvent = ValueOf(livePlace_.get());
  values.baptism = OrdinanceValueOf(GetBaptismOrdinance());
  values.endowment = OrdinanceValueOf(GetEndowmentOrdinance());
  values.sealingToParents = OrdinanceValueOf(GetSealingToParentsOrdinance());
  return values;
}

void CIndividualEditModel::BuildDateRules() {
  rules_.DeleteAll();
  RuleAdder add(rules_);
  const CEventObject* birth = GetBirthEvent();
  const CEventObject* christening = GetChristeningEvent();
  const CEventObject* death = GetDeathEvent();
  const CEventObject* burial = GetBurialEvent();
  const CEventObject* baptism = GetBaptismOrdinance();
  const CEventObject* endowment = GetEndowmentOrdinance();
  const CEventObject* sealing = GetSealingToParentsOrdinance();

  // 1.
  rules_.Add(std::make_unique<CDualDateRule>());
  // 2.
  if (parents_ != nullptr) {
    const CEventObject* married = parents_->GetMarriageEventIfAny();
    add.Order(married, birth, res::kIdsParentsMarriedAfter);
    add.Order(married, christening, res::kIdsParentsMarriedAfter);
  }
  // 3-7.
  const auto parentRules = [&](CIndividualNode* parent, int years, int tooOld, bool father) {
    if (parent == nullptr) return;
    const CEventObject* pBirth = parent->GetBirth();
    const CEventObject* pChristening = parent->GetChristening();
    for (const CEventObject* p : {pBirth, pChristening})
      for (const CEventObject* own : {birth, christening})
        add.Order(p, own, res::kIdsParentBornAfter);
    add.SpanAfter(pBirth, Years(12), birth, res::kIdsParentTooYoung);
    add.SpanAfter(pChristening, Years(12), birth, res::kIdsParentTooYoung);
    if (father) {
      for (const CEventObject* own : {birth, christening})
        for (const CEventObject* p : {pBirth, pChristening})
          add.NotAfterPlus(own, p, Years(years), tooOld);
      add.NotAfterPlus(birth, parent->GetDeath(), Months(9), res::kIdsAfterFatherDeath);
    } else {
      for (const CEventObject* own : {birth, christening})
        for (const CEventObject* p : {pBirth, pChristening})
          add.NotAfterPlus(own, p, Years(years), tooOld);
    }
  };
  if (parents_ != nullptr) {
    parentRules(parents_->GetHusband(), 70, res::kIdsFatherTooOld, true);
    parentRules(parents_->GetWife(), 52, res::kIdsMotherTooOld, false);
  }
  const CEventObject* married = marriage_ != nullptr ? marriage_->GetMarriageEventIfAny() : nullptr;
  // 8.
  add.NotAfterToday(birth);
  for (const CEventObject* later : {christening, death, burial, baptism, endowment, sealing})
    add.Order(birth, later);
  add.Order(birth, sealing);
  if (married != nullptr) add.Order(birth, married);
  // 9.
  add.NotAfterToday(christening);
  add.NotAfterPlus(christening, birth, Years(8), res::kIdsChristeningLate);
  for (const CEventObject* later : {death, burial, baptism, endowment, sealing})
    add.Order(christening, later);
  if (married != nullptr) add.Order(christening, married);
  // 10.
  add.NotAfterToday(death);
  add.NotAfterPlus(death, birth, Years(110), res::kIdsDeathAge);
  add.NotAfterPlus(death, christening, Years(110), res::kIdsDeathAge);
  add.Order(death, burial);
  // 11.
  add.NotAfterToday(burial);
  add.NotAfterPlus(burial, birth, Years(110), res::kIdsBurialAge);
  add.NotAfterPlus(burial, christening, Years(110), res::kIdsBurialAge);
  add.NotAfterPlus(burial, death, Years(1), res::kIdsBurialAfterDeath);
  // 12-14.
  if (baptism != nullptr) {
    add.NotAfterToday(baptism);
    add.TempleOpen(baptism, this);
    add.SpanAfter(birth, Years(8), baptism, res::kIdsBaptismTooEarly);
    add.Order(baptism, endowment);
    add.NotBeforeYear(baptism, 1829);
    // A live baptism beside a child's or infant's status, paired with the
    // death and the burial.
    rules_.Add(std::make_unique<CLiveBaptismRule>(this, baptism, death, 0));
    rules_.Add(std::make_unique<CLiveBaptismRule>(this, baptism, burial, 0));
  }
  if (endowment != nullptr) {
    add.NotAfterToday(endowment);
    add.TempleOpen(endowment, this);
    add.NotBeforeYear(endowment, 1845);
  }
  if (sealing != nullptr) {
    add.NotAfterToday(sealing);
    add.TempleOpen(sealing, this);
    add.NotBeforeYear(sealing, 1846);
  }
  // 15. the next older and the next younger sibling
  const auto self = std::find_if(related_.begin(), related_.end(), [&](CIndividualNode* node) {
    return node->GetRin() == recordNumber_;
  });
  if (self != related_.end()) {
    if (self != related_.begin()) {
      const CEventObject* older = (*(self - 1))->GetBirth();
      add.Order(older, birth, res::kIdsOlderSiblingAfter);
      add.SpanAfter(older, Months(9), birth, res::kIdsOlderSiblingClose);
    }
    if (self + 1 != related_.end()) {
      const CEventObject* younger = (*(self + 1))->GetBirth();
      add.Order(birth, younger, res::kIdsYoungerSiblingBefore);
      add.SpanAfter(birth, Months(9), younger, res::kIdsYoungerSiblingClose);
    }
  }
}

// ---- marriage ----

CMarriageEditModel::CMarriageEditModel() = default;

CMarriageEditModel::~CMarriageEditModel() {
  if (husband_ != nullptr) husband_->Release();
  if (wife_ != nullptr) wife_->Release();
}

void CMarriageEditModel::LoadFromMarriage(CMarriageNode* marriage) {
  if (marriage == nullptr) return;
  CEditEnvironment& env = EditEnvironment();
  recordNumber_ = marriage->GetMrin();
  husbandRin_ = marriage->GetHusbandRin();
  wifeRin_ = marriage->GetWifeRin();
  firstUserEvent_ = marriage->numbers[1];
  firstNote_ = marriage->numbers[2];
  firstCitation_ = marriage->numbers[3];
  divorced_ = marriage->status == 'D';

  events_.clear();
  eventRows_.clear();
  auto event = WorkingCopy(marriage->GetMarriageEventIfAny());
  AddEventRows(event.get());
  events_.push_back(std::move(event));

  ordinanceRows_.clear();
  if (env.options.showZel) {
    auto sealing = WorkingCopy(marriage->GetSealingEventIfAny());
    AddOrdinanceRows(sealing.get());
    events_.push_back(std::move(sealing));
  }

  otherEventRows_.clear();
  userEvents_.clear();
  removed_.clear();
  if (recordNumber_ != 0) LoadUserEvents(db::kOwnerMarriage, true);
  AddHeadings({res::kIdsEvents, res::kIdsOrdinances, res::kIdsOtherEvents});
  RebuildTempleChoices();

  const auto readSpouse = [](std::int32_t rin) -> CIndividualNode* {
    if (rin == 0) return nullptr;
    CIndividualRecord record;
    if (family::Read(record, rin) != 1) return nullptr;
    CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
    node->AddRef();
    return node;
  };
  husband_ = readSpouse(husbandRin_);
  wife_ = readSpouse(wifeRin_);
  for (CIndividualNode* child : related_) child->Release();
  related_.clear();
  std::vector<std::int32_t> children;
  if (recordNumber_ != 0) DbGetRelationList(children, db::kRelChildren, 0, recordNumber_, 0);
  for (const std::int32_t rin : children) {
    if (CIndividualNode* child = readSpouse(rin)) related_.push_back(child);
  }
  BuildDateRules();
}

void CMarriageEditModel::FillList(CFieldListCtrl& list) {
  list.AddRow(Heading(res::kIdsEvents));
  AddRows(list, eventRows_);
  if (EditEnvironment().options.showZel) {
    list.AddRow(Heading(res::kIdsOrdinances));
    AddRows(list, ordinanceRows_);
  }
  AddOtherEventRows(list);
}

CMarriageEditValues CMarriageEditModel::GetValues() const {
  CMarriageEditValues values;
  values.divorced = divorced_;
  values.marriage = ValueOf(GetMarriageEvent());
  values.sealingToSpouse = OrdinanceValueOf(GetSealingToSpouseOrdinance());
  values.firstUserEvent = firstUserEvent_;
  values.firstNote = firstNote_;
  return values;
}

void CMarriageEditModel::BuildDateRules() {
  rules_.DeleteAll();
  RuleAdder add(rules_);
  const CEventObject* married = GetMarriageEvent();
  const CEventObject* sealing = GetSealingToSpouseOrdinance();
  const CEventObject* hBirth = husband_ != nullptr ? husband_->GetBirth() : nullptr;
  const CEventObject* hChristening = husband_ != nullptr ? husband_->GetChristening() : nullptr;
  const CEventObject* hDeath = husband_ != nullptr ? husband_->GetDeath() : nullptr;
  const CEventObject* wBirth = wife_ != nullptr ? wife_->GetBirth() : nullptr;
  const CEventObject* wChristening = wife_ != nullptr ? wife_->GetChristening() : nullptr;
  const CEventObject* wDeath = wife_ != nullptr ? wife_->GetDeath() : nullptr;
  const std::initializer_list<const CEventObject*> spouseDates = {hBirth, hChristening, wBirth,
                                                                  wChristening};

  rules_.Add(std::make_unique<CDualDateRule>());
  add.NotAfterToday(married);
  add.Order(sealing, married);
  for (const CEventObject* d : spouseDates) add.Order(d, married, res::kIdsSpouseBornAfterMarriage);
  add.Order(married, hDeath, res::kIdsMarriageAfterDeath);
  add.Order(married, wDeath, res::kIdsMarriageAfterDeath);
  for (const CEventObject* d : spouseDates)
    add.SpanAfter(d, Years(12), married, res::kIdsSpouseTooYoung);
  for (const CEventObject* d : spouseDates)
    add.NotAfterPlus(married, d, Years(60), res::kIdsSpouseTooOld);
  if (sealing != nullptr) {
    add.NotAfterToday(sealing);
    for (const CEventObject* d : spouseDates)
      add.Order(d, sealing, res::kIdsSpouseBornAfterSealing);
    add.NotBeforeYear(sealing, 1845);
    add.TempleOpen(sealing, nullptr);
    add.SpanAfter(hBirth, Years(12), sealing, res::kIdsSealingTooYoung);
    add.SpanAfter(wBirth, Years(12), sealing, res::kIdsSealingTooYoung);
  }
  for (CIndividualNode* child : related_) {
    add.Order(married, child->GetBirth(), res::kIdsParentsMarriedAfter);
    add.Order(married, child->GetChristening(), res::kIdsParentsMarriedAfter);
  }
}
