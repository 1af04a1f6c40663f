#include "IndividualNode.h"

#include <algorithm>

#include "AlphaNameRecord.h"
#include "AnselCompare.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditModels.h"
#include "FamilyLinkRecord.h"
#include "FitUnit.h"
#include "MarriageNode.h"
#include "NameFit.h"
#include "RecordAccess.h"

namespace {

NodeOptions& Options() {
  static NodeOptions options;
  return options;
}

bool IsWordBreak(unsigned char c) { return c >= 1 && c <= 32; }

char UpperSex(char sex) {
  if (sex == 'm') return 'M';
  if (sex == 'f') return 'F';
  return sex;
}

template <class T, class V>
std::unique_ptr<T> ObjectIfAny(const V& value, bool empty) {
  return empty ? nullptr : std::make_unique<T>(&value);
}

bool IsEmptyEvent(const CEventValue& v) { return IsEventValueEmpty(v); }
bool IsEmptyOrdinance(const COrdinanceValue& v) { return IsOrdinanceValueEmpty(v); }

int StateOf(const COrdinanceValue& v, char kind) {
  return CDateValue::GetOrdinanceState(&v.date, kind);
}

}  // namespace

bool IsEventValueEmpty(const CEventValue& v) {
  return !v.date.IsSet() && CEventValue::IsPlaceEmpty(&v) && v.firstCitation == 0 &&
         v.secondNumber == 0;
}

bool IsOrdinanceValueEmpty(const COrdinanceValue& v) {
  return !v.date.IsSet() && v.templeCode.empty() && v.firstCitation == 0 && v.secondNumber == 0;
}

void SetNodeOptions(const NodeOptions& options) { Options() = options; }
const NodeOptions& GetNodeOptions() { return Options(); }

// ---- detail and link parts ------------------------------------------------

CIndividualDetails::CIndividualDetails(const CIndividualRecord& record)
    : sex(record.sex),
      christening(
          ObjectIfAny<CChristeningEvent>(record.christening, IsEmptyEvent(record.christening))),
      burial(ObjectIfAny<CBurialEvent>(record.burial, IsEmptyEvent(record.burial))),
      baptism(ObjectIfAny<CBaptismOrdinance>(record.baptism, IsEmptyOrdinance(record.baptism))),
      endowment(
          ObjectIfAny<CEndowmentOrdinance>(record.endowment, IsEmptyOrdinance(record.endowment))),
      sealingToParents(ObjectIfAny<CSealingToParentsOrdinance>(
          record.sealingToParents, IsEmptyOrdinance(record.sealingToParents))) {
  if (!IsEmptyEvent(record.fifthEvent))
    fifthEvent = std::make_unique<CPlaceEventObject>(&record.fifthEvent, 'O');
  for (int i = 0; i < 4; ++i) trailing[i] = record.trailing[i];
  firstNote = record.numbers[CIndividualRecord::kFirstNote];
  for (int i = 0; i < 5; ++i) numbers[i] = record.numbers[7 + i];
  texts[0] = record.texts1[0];
  texts[1] = record.texts2[0];
  texts[2] = record.texts1[1];
  texts[3] = record.texts2[1];
  texts[4] = record.texts2[2];
  std::copy(std::begin(record.contact), std::end(record.contact), std::begin(contact));
}

bool CIndividualDetails::IsContactEmpty() const {
  return std::all_of(std::begin(contact), std::end(contact),
                     [](const std::string& s) { return s.empty(); });
}

CIndividualLinks::CIndividualLinks(const CIndividualRecord& record, int linkMode)
    : birth(ObjectIfAny<CBirthEvent>(record.birth, IsEmptyEvent(record.birth))),
      death(ObjectIfAny<CDeathEvent>(record.death, IsEmptyEvent(record.death))),
      recordNumber5(record.numbers[4]),
      recordNumber4(record.numbers[3]),
      marriageCount(record.marriageCount),
      parentFamilyCount(record.parentFamilyCount),
      parentLink(record.numbers[CIndividualRecord::kParentLink]),
      parentsMrin(record.numbers[CIndividualRecord::kParentsMrin]),
      linkText(record.linkText) {
  ordinanceFlags = static_cast<std::uint16_t>(StateOf(record.baptism, 'B') |
                                              StateOf(record.endowment, 'E') << 2 |
                                              StateOf(record.sealingToParents, 'P') << 4);
  if (record.numbers[CIndividualRecord::kFirstNote] != 0) flags |= kHasNotesBit;
  if (record.trailing[CIndividualRecord::kTrailingCount - 1] & 1) flags |= kTrailingBit;
  if (linkMode == 3) {
    details = std::make_unique<CIndividualDetails>(record);
    if (record.flags != 0) ordinanceFlags |= kRecordFlagBit;
  }
}

CIndividualLinks::~CIndividualLinks() {
  std::vector<CMarriageNode*> loaded;
  loaded.swap(marriages);
  for (CMarriageNode*& m : loaded) ReleaseMarriageRef(m);
  // The parents' marriage goes as ReleaseParents gives it up, so that the
  // parents' hold on it as their current marriage does not keep it alive.
  if (parents != nullptr) CMarriageNode::GiveUpAsParents(parents);
  ReleaseMarriageRef(currentMarriage);
}

int CIndividualLinks::GetParentFamilyCount(CIndividualLinks* links, std::int32_t rin,
                                           bool recount) {
  if (links != nullptr && links->parentFamilyCount >= 0 && !recount)
    return links->parentFamilyCount;
  if (rin == 0) return 0;
  std::vector<std::int32_t> list;
  DbGetRelationList(list, db::kRelFamilyLinks, db::kRelParents, rin, 0);
  int count = 0;
  for (std::int32_t l : list) {
    CFamilyLinkRecord link;
    if (DbGetRecord(l, CFamilyLinkRecord::kRecordType, &link) == 1 && link.mrin != 0) ++count;
  }
  if (links != nullptr) links->parentFamilyCount = static_cast<std::int16_t>(count);
  return count;
}

// ---- construction and counting ------------------------------------------

CIndividualNode* CIndividualNode::New() { return std::make_unique<CIndividualNode>().release(); }

CIndividualNode* CIndividualNode::New(const CIndividualRecord& record, int linkMode, int suffixKind,
                                      int pixelWidth, const plat::TextMeasure* dc) {
  return std::make_unique<CIndividualNode>(record, linkMode, suffixKind, pixelWidth, dc).release();
}

CIndividualNode* CIndividualNode::New(const CAlphaNameRecord& entry, int suffixKind, int pixelWidth,
                                      const plat::TextMeasure* dc) {
  return std::make_unique<CIndividualNode>(entry, suffixKind, pixelWidth, dc).release();
}

CIndividualNode::CIndividualNode(const CIndividualRecord& record, int linkMode, int suffixKind,
                                 int pixelWidth, const plat::TextMeasure* dc)
    : rin_(record.numbers[CIndividualRecord::kRin]) {
  if (!record.surname.empty()) names_[0].SetText(record.surname);
  for (int i = 0; i < 3; ++i)
    if (!record.givenNames[i].empty()) names_[1 + i].SetText(record.givenNames[i]);
  if (!record.suffix.empty()) suffix_ = record.suffix;
  title_ = record.title;
  nameExtensions_[0] = record.nameExtensions[0];
  nameExtensions_[1] = record.nameExtensions[1];
  customId_ = record.CustomId();
  sbn_ = record.Sbn();
  displayName_ = FormatName(suffixKind, 100, pixelWidth, dc);
  if (linkMode == 2 || linkMode == 3) links_ = std::make_unique<CIndividualLinks>(record, linkMode);
}

CIndividualNode::CIndividualNode(const CAlphaNameRecord& entry, int suffixKind, int pixelWidth,
                                 const plat::TextMeasure* dc)
    : rin_(entry.rin) {
  names_[0].SetText(entry.surname);
  for (int i = 0; i < 3; ++i) names_[1 + i].SetText(entry.givenNames[i]);
  suffix_ = entry.suffix;
  if (suffixKind > 1) {
    CIndividualRecord record;
    if (DbGetRecord(rin_, CIndividualRecord::kRecordType, &record, 0) == 1) {
      nameExtensions_[0] = record.nameExtensions[0];
      nameExtensions_[1] = record.nameExtensions[1];
      customId_ = record.CustomId();
      sbn_ = record.Sbn();
    }
  }
  displayName_ = FormatName(suffixKind, 100, pixelWidth, dc);
}

CIndividualNode::~CIndividualNode() = default;

void CIndividualNode::Release() {
  const int was = refCount_--;
  if (was == 1) std::unique_ptr<CIndividualNode> owner(this);
}

void CIndividualNode::LetGo(CIndividualNode* node) {
  if (node == nullptr) return;
  if (--node->refCount_ <= 0) std::unique_ptr<CIndividualNode> owner(node);
}

void SetIndividualRef(CIndividualNode*& slot, CIndividualNode* node) {
  if (slot == node) return;
  CIndividualNode* old = slot;
  if (node != nullptr) node->AddRef();
  slot = node;
  CIndividualNode::LetGo(old);
}

void ReleaseIndividualRef(CIndividualNode*& slot) { SetIndividualRef(slot, nullptr); }

void CIndividualNode::LoadLinks(const CIndividualRecord& record, int linkMode) {
  if (linkMode != 2 && linkMode != 3) return;
  if (!links_) links_ = std::make_unique<CIndividualLinks>(record, 2);
  if (linkMode == 3 && !links_->details) {
    links_->details = std::make_unique<CIndividualDetails>(record);
    if (record.flags != 0)
      links_->ordinanceFlags |= CIndividualLinks::kRecordFlagBit;
    else
      links_->ordinanceFlags &= ~CIndividualLinks::kRecordFlagBit;
  }
}

// ---- names ----------------------------------------------------------------

void CIndividualNode::SetGivenNames(const std::string& text) {
  std::size_t pos = 0;
  auto skipBreaks = [&] {
    while (pos < text.size() && IsWordBreak(static_cast<unsigned char>(text[pos]))) ++pos;
  };
  auto word = [&] {
    const std::size_t start = pos;
    while (pos < text.size() && !IsWordBreak(static_cast<unsigned char>(text[pos]))) ++pos;
    return text.substr(start, pos - start);
  };
  skipBreaks();
  std::string first = word();
  skipBreaks();
  std::string second = word();
  skipBreaks();
  std::size_t end = text.size();
  while (end > pos && IsWordBreak(static_cast<unsigned char>(text[end - 1]))) --end;
  std::string rest = text.substr(pos, end - pos);
  names_[1].SetText(std::move(first));
  names_[2].SetText(std::move(second));
  names_[3].SetText(std::move(rest));
}

void CIndividualNode::UpdateDisplayName(int suffixKind, int pixelWidth,
                                        const plat::TextMeasure* dc) {
  displayName_ = FormatName(suffixKind, 100, pixelWidth, dc);
}

std::string CIndividualNode::FormatName(int suffixKind, int maxChars, int pixelWidth,
                                        const plat::TextMeasure* dc) const {
  std::string tail;
  if (suffixKind == 1)
    tail = "-" + std::to_string(rin_);
  else if (suffixKind == 2 && !customId_.empty())
    tail = "-" + customId_;
  else if (suffixKind == 3 && !sbn_.empty())
    tail = "-" + sbn_;
  const std::string surname = Options().capSurname ? plat::AnsiUpper(GetSurname()) : GetSurname();
  NameFitInput in;
  in.surname = surname;
  in.parts = {title_, GetGivenName(0), GetGivenName(1), GetGivenName(2)};
  in.suffix = suffix_;
  in.tail = tail;
  in.maxChars = std::min(maxChars, kMaxNameChars);
  in.pixelWidth = pixelWidth;
  in.dc = dc;
  in.trim = GetPlaceFitOptions().clipping != 0;
  return FitNameGivenFirst(in);
}

std::string CIndividualNode::FormatNameSurnameFirst(int maxChars, int pixelWidth,
                                                    const plat::TextMeasure* dc) const {
  NameFitInput in;
  in.surname = Options().capSurname ? plat::AnsiUpper(GetSurname()) : GetSurname();
  in.parts = {GetGivenName(0), GetGivenName(1), GetGivenName(2)};
  in.suffix = suffix_;
  in.maxChars = std::min(maxChars, 90);
  in.pixelWidth = pixelWidth;
  in.dc = dc;
  in.trim = GetPlaceFitOptions().clipping != 0;
  return FitNameSurnameFirst(in);
}

std::string CIndividualNode::GetIndexName() const {
  std::string out = GetSurname() + ", " + GetGivenName(0) + " ";
  out += GetGivenName(1).substr(0, 2);
  return out;
}

std::string CIndividualNode::GetGivenNames() const {
  std::string out;
  for (int i = 0; i < 3; ++i) {
    if (GetGivenName(i).empty()) continue;
    if (!out.empty()) out += ' ';
    out += GetGivenName(i);
  }
  return out;
}

void CIndividualNode::GetGivenNamesText(const CIndividualNode& node, std::string& out) {
  out = node.GetGivenNames();
}

void CIndividualNode::GetNameParts(const CIndividualNode& node, std::string& surnameOut,
                                   std::string& givenOut) {
  surnameOut = node.GetSurname();
  GetGivenNamesText(node, givenOut);
}

namespace {

// The name order with letter case ignored, as a sign: what is typed in a
// list finds a name whatever its case.
int CompareNameText(const std::string& typed, const std::string& name) {
  switch (DbCompareNames(typed, name, 1)) {
    case kAlphaAfter:
      return 1;
    case kAlphaBefore:
      return -1;
    default:
      return 0;
  }
}

}  // namespace

int CIndividualNode::CompareName(const std::string& surname, const std::string& given,
                                 const CIndividualNode& node) {
  if (!node.GetSurname().empty()) {
    const int r = CompareNameText(surname, node.GetSurname());
    if (r != 0) return r;
  } else if (!surname.empty()) {
    return 1;
  }
  const std::string nodeGiven = node.GetGivenNames();
  if (nodeGiven.empty()) return given.empty() ? 0 : 1;
  return CompareNameText(given, nodeGiven);
}

// ---- details --------------------------------------------------------------

char CIndividualNode::GetSexLetter() const {
  const CIndividualDetails* d = Details();
  if (d == nullptr) return ' ';
  const char sex = UpperSex(d->sex);
  return sex == 'M' || sex == 'F' ? sex : ' ';
}

void CIndividualNode::SetSexLetter(char sex) {
  if (CIndividualDetails* d = Details()) d->sex = sex;
}

void CIndividualNode::SetDetailText(int index, std::string text) {
  if (index == 0) customId_ = text;
  if (index == 2) sbn_ = text;
  if (CIndividualDetails* d = Details(); d != nullptr && index >= 0 && index < 5)
    d->texts[index] = std::move(text);
}

void CIndividualNode::GetDetailText(int index, std::string& out) const {
  const CIndividualDetails* d = Details();
  out = d != nullptr && index >= 0 && index < 5 ? d->texts[index] : std::string();
}

void CIndividualNode::SetNoteLink(std::int32_t firstNoteBlock) {
  CIndividualDetails* d = Details();
  if (d == nullptr) return;
  d->firstNote = firstNoteBlock;
  if (firstNoteBlock != 0)
    links_->flags |= CIndividualLinks::kHasNotesBit;
  else
    links_->flags &= ~CIndividualLinks::kHasNotesBit;
}

std::int32_t CIndividualNode::GetNoteLink() const {
  const CIndividualDetails* d = Details();
  return d != nullptr ? d->firstNote : 0;
}

bool CIndividualNode::HasNotes() const {
  return links_ && (links_->flags & CIndividualLinks::kHasNotesBit) != 0;
}

std::int32_t CIndividualNode::GetTrailing(int index) const {
  const CIndividualDetails* d = Details();
  return d != nullptr && index >= 0 && index < 4 ? d->trailing[index] : 0;
}

std::int32_t CIndividualNode::GetRecordNumber(int index) const {
  const CIndividualDetails* d = Details();
  return d != nullptr && index >= 0 && index < 5 ? d->numbers[index] : 0;
}

bool CIndividualNode::GetRecordFlag() const {
  return Details() != nullptr && (links_->ordinanceFlags & CIndividualLinks::kRecordFlagBit) != 0;
}

void CIndividualNode::SetContact(int field, std::string text) {
  if (CIndividualDetails* d = Details();
      d != nullptr && field >= 0 && field < CIndividualRecord::kContactFieldCount)
    d->contact[field] = std::move(text);
}

void CIndividualNode::GetContact(int field, std::string& out) const {
  const CIndividualDetails* d = Details();
  out = d != nullptr && field >= 0 && field < CIndividualRecord::kContactFieldCount
            ? d->contact[field]
            : std::string();
}

bool CIndividualNode::IsContactEmpty() const {
  const CIndividualDetails* d = Details();
  return d == nullptr || d->IsContactEmpty();
}

// ---- events ---------------------------------------------------------------

CChristeningEvent* CIndividualNode::GetChristening() const {
  const CIndividualDetails* d = Details();
  return d ? d->christening.get() : nullptr;
}
CBurialEvent* CIndividualNode::GetBurial() const {
  const CIndividualDetails* d = Details();
  return d ? d->burial.get() : nullptr;
}
CPlaceEventObject* CIndividualNode::GetOtherEvent() const {
  const CIndividualDetails* d = Details();
  return d ? d->fifthEvent.get() : nullptr;
}
CBaptismOrdinance* CIndividualNode::GetBaptism() const {
  const CIndividualDetails* d = Details();
  return d ? d->baptism.get() : nullptr;
}
CEndowmentOrdinance* CIndividualNode::GetEndowment() const {
  const CIndividualDetails* d = Details();
  return d ? d->endowment.get() : nullptr;
}
CSealingToParentsOrdinance* CIndividualNode::GetSealingToParents() const {
  const CIndividualDetails* d = Details();
  return d ? d->sealingToParents.get() : nullptr;
}

namespace {
template <class T, class... A>
T* GetOrCreate(std::unique_ptr<T>& slot, A&&... args) {
  if (!slot) slot = std::make_unique<T>(std::forward<A>(args)...);
  return slot.get();
}
}  // namespace

CBirthEvent* CIndividualNode::GetOrCreateBirth() {
  return links_ ? GetOrCreate(links_->birth) : nullptr;
}
CDeathEvent* CIndividualNode::GetOrCreateDeath() {
  return links_ ? GetOrCreate(links_->death) : nullptr;
}
CChristeningEvent* CIndividualNode::GetOrCreateChristening() {
  CIndividualDetails* d = Details();
  return d ? GetOrCreate(d->christening) : nullptr;
}
CBurialEvent* CIndividualNode::GetOrCreateBurial() {
  CIndividualDetails* d = Details();
  return d ? GetOrCreate(d->burial) : nullptr;
}
COrdinanceObject* CIndividualNode::GetOrCreateBaptism() {
  CIndividualDetails* d = Details();
  return d ? GetOrCreate(d->baptism) : nullptr;
}
COrdinanceObject* CIndividualNode::GetOrCreateEndowment() {
  CIndividualDetails* d = Details();
  return d ? GetOrCreate(d->endowment) : nullptr;
}
COrdinanceObject* CIndividualNode::GetOrCreateSealingToParents() {
  CIndividualDetails* d = Details();
  return d ? GetOrCreate(d->sealingToParents) : nullptr;
}
CPlaceEventObject* CIndividualNode::GetOrCreateOtherEvent() {
  CIndividualDetails* d = Details();
  return d ? GetOrCreate(d->fifthEvent, nullptr, '\0') : nullptr;
}

std::string CIndividualNode::FormatBirth(int maxChars, const plat::TextMeasure* dc,
                                         int pixelWidth) const {
  const CBirthEvent* e = GetBirth();
  return e ? e->FormatDatePlace(maxChars, dc, pixelWidth, 0) : std::string();
}

std::string CIndividualNode::FormatDeath(int maxChars, const plat::TextMeasure* dc,
                                         int pixelWidth) const {
  const CDeathEvent* e = GetDeath();
  return e ? e->FormatDatePlace(maxChars, dc, pixelWidth, 0) : std::string();
}

// ---- marriages ------------------------------------------------------------

CMarriageNode* CIndividualNode::GetMarriage(int index) const {
  if (!links_ || index < 0 || index >= static_cast<int>(links_->marriages.size())) return nullptr;
  return links_->marriages[index];
}

int CIndividualNode::GetLoadedMarriageCount() const {
  return links_ ? static_cast<int>(links_->marriages.size()) : 0;
}

void CIndividualNode::AddMarriage(CMarriageNode* marriage) {
  if (!links_ || marriage == nullptr) return;
  links_->marriages.push_back(marriage);
  marriage->AddRef();
}

// ---- the screen -----------------------------------------------------------

bool CIndividualNode::SetFromScreen(const CIndividualEditValues& model) {
  SetSurname(model.surname);
  SetGivenNames(model.givenNames);
  SetTitle(model.title);
  SetSuffix(model.suffix);
  rin_ = model.rin;
  if (CIndividualDetails* d = Details()) {
    d->numbers[1] = model.recordNumber8;
    d->numbers[0] = model.recordNumber7;
  }
  if (links_) links_->parentLink = model.parentLink;
  SetNoteLink(model.firstNote);
  for (int i = 0; i < 5; ++i) SetDetailText(i, model.detailTexts[i]);
  SetNameExtension1(model.nameExtensions[0]);
  SetNameExtension2(model.nameExtensions[1]);
  SetSexLetter(model.sex);
  if (CIndividualDetails* d = Details()) d->numbers[3] = model.contactNumber;
  if (links_) {
    if (model.editFlag)
      links_->flags |= CIndividualLinks::kEditedBit;
    else
      links_->flags &= ~CIndividualLinks::kEditedBit;
    if (model.flagByteClear)
      links_->ordinanceFlags &= ~CIndividualLinks::kRecordFlagBit;
    else
      links_->ordinanceFlags |= CIndividualLinks::kRecordFlagBit;
  }
  auto copyEvent = [](CPlaceEventObject* target, const CEventValue& value) {
    if (target == nullptr) return;
    target->date = value.date;
    for (int i = 0; i < 4; ++i) target->place[i] = value.place[i];
    target->firstCitation = value.firstCitation;
    target->secondNumber = value.secondNumber;
  };
  auto copyOrdinance = [](COrdinanceObject* target, const COrdinanceValue& value) {
    if (target == nullptr) return;
    target->date = value.date;
    target->templeCode = value.templeCode;
    target->firstCitation = value.firstCitation;
    target->secondNumber = value.secondNumber;
  };
  copyEvent(GetOrCreateBirth(), model.birth);
  copyEvent(GetOrCreateChristening(), model.christening);
  copyEvent(GetOrCreateDeath(), model.death);
  copyEvent(GetOrCreateBurial(), model.burial);
  if (!Options().showZel) return true;
  copyOrdinance(GetOrCreateBaptism(), model.baptism);
  copyEvent(GetOrCreateOtherEvent(), model.fifthEvent);
  copyOrdinance(GetOrCreateEndowment(), model.endowment);
  copyOrdinance(GetOrCreateSealingToParents(), model.sealingToParents);

  CSealingToParentsOrdinance* sealing = GetSealingToParents();
  if (sealing == nullptr || !links_ || rin_ == 0) return true;
  if (links_->parentLink == 0) {
    // No link is made for an individual that cannot have one; that is not
    // a failure, a failed write is.
    const int failures = DbWriteFailures();
    const std::int32_t link = DbSetRelation(rin_, 0, db::kRelParents, -1);
    if (link <= 0) return DbWriteFailures() == failures;
    links_->parentLink = link;
  }
  CFamilyLinkRecord link;
  if (family::Read(link, links_->parentLink) != 1) return true;
  // The link record carries the sealing only for the update; its own object
  // comes back afterwards.
  std::unique_ptr<COrdinanceObject> own(
      link.GetSealingEvent() ? std::make_unique<COrdinanceObject>(*link.GetSealingEvent())
                             : nullptr);
  link.SetSealingEvent(std::make_unique<COrdinanceObject>(*sealing));
  const bool written = family::Update(link, 0) == 1;
  link.SetSealingEvent(std::move(own));
  return written;
}

// ---- the record from a node -----------------------------------------------

void CIndividualRecord::SetFromIndividualNode(const CIndividualNode& node) {
  const CIndividualLinks* links = node.GetLinks();
  const CIndividualDetails* d = node.GetDetails();
  if (d == nullptr) return;
  Clear();
  numbers[kRin] = node.GetRin();
  surname = node.GetSurname();
  for (int i = 0; i < 3; ++i) givenNames[i] = node.GetGivenName(i);
  suffix = node.GetSuffix();
  title = node.GetTitle();
  numbers[kParentsMrin] = links->parentsMrin;
  numbers[3] = links->recordNumber4;
  numbers[4] = links->recordNumber5;
  numbers[kParentLink] = links->parentLink;
  marriageCount = links->marriageCount;
  parentFamilyCount = links->parentFamilyCount;
  numbers[kFirstNote] = d->firstNote;
  for (int i = 0; i < 5; ++i) numbers[7 + i] = d->numbers[i];
  nameExtensions[0] = node.GetNameExtension(0);
  nameExtensions[1] = node.GetNameExtension(1);
  sex = d->sex;
  if (links->birth) birth.SetFromObject(*links->birth);
  if (d->christening) christening.SetFromObject(*d->christening);
  if (links->death) death.SetFromObject(*links->death);
  if (d->burial) burial.SetFromObject(*d->burial);
  if (d->fifthEvent) fifthEvent.SetFromObject(*d->fifthEvent);
  if (d->baptism) baptism.SetFromObject(*d->baptism);
  if (d->endowment) endowment.SetFromObject(*d->endowment);
  if (d->sealingToParents) sealingToParents.SetFromObject(*d->sealingToParents);
  flags = (links->ordinanceFlags & CIndividualLinks::kRecordFlagBit) != 0 ? 1 : 0;
  for (int i = 0; i < 4; ++i) trailing[i] = d->trailing[i];
  if (links->flags & CIndividualLinks::kTrailingBit) trailing[kTrailingCount - 1] |= 1;
  texts1[0] = d->texts[0];
  texts2[0] = d->texts[1];
  texts1[1] = d->texts[2];
  texts2[1] = d->texts[3];
  texts2[2] = d->texts[4];
  std::copy(std::begin(d->contact), std::end(d->contact), std::begin(contact));
  linkText = links->linkText;
}
