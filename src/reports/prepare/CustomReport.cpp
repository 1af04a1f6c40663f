#include "CustomReport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

#include "CustomFieldCatalog.h"
#include "DateValue.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "EventTypeRecord.h"
#include "EventValue.h"
#include "FamilyLinkRecord.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "ListPagination.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OrdinanceNeeds.h"
#include "PaginationRun.h"
#include "PaginatorState.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "RelationshipCode.h"
#include "ReportDevice.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMeasure.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"
#include "ZelQualification.h"

namespace rpt {

namespace {

constexpr std::size_t kMaxField = 255;

struct CustomPageEntry : PageEntry {
  std::int64_t offset = 0;
};

class DeviceMeasure : public plat::TextMeasure {
 public:
  explicit DeviceMeasure(ReportDevice* dc) : dc_(dc) {}
  int TextWidth(std::string_view text) const override { return dc_->GetTextExtent(text).cx; }
  int AverageCharWidth() const override { return dc_->GetTextExtent("x").cx; }
  int PixelsPerInchY() const override { return 1000; }

 private:
  ReportDevice* dc_;
};

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string FirstLetter(unsigned id) { return res::LoadString(id).substr(0, 1); }

// Four string-store positions, looked up only: a text not in the store
// gives 0, and nothing is added to the family file.
std::string PositionsKey(const std::string (&parts)[4], int kind) {
  std::string key(16, '\0');
  for (int i = 0; i < 4; ++i) {
    const std::int32_t position = DbFindStringPosition(parts[i], kind);
    PutInt32LE(std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(key.data()), 16),
               static_cast<std::size_t>(i) * 4, position);
  }
  return key;
}

std::string DateKey(const CDateValue& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2d%.2d%.4d%.2d%.2d", date.month, date.day, date.year,
                date.dualYear, date.qualifier);
  return buffer;
}

CDateValue DateOfKey(const std::string& key) {
  CDateValue d;
  auto num = [&](std::size_t at, std::size_t n) {
    return at + n <= key.size() ? std::atoi(key.substr(at, n).c_str()) : 0;
  };
  d.month = static_cast<std::uint8_t>(num(0, 2));
  d.day = static_cast<std::uint8_t>(num(2, 2));
  d.year = static_cast<std::uint16_t>(num(4, 4));
  d.dualYear = static_cast<std::uint8_t>(num(8, 2));
  d.qualifier = static_cast<std::uint8_t>(num(10, 2));
  return d;
}

std::string Fitted(const std::string& text, const CustomReportFieldRequest& r) {
  if (r.dc == nullptr || text.empty()) return text;
  std::string out = text;
  while (!out.empty() && r.dc->GetTextExtent(out).cx > r.widthUnits) out.pop_back();
  return out;
}

std::string NameOf(const CIndividualRecord& person, const CustomReportFieldRequest& r,
                   bool surnameFirst) {
  const CIndividualNode node(person, 0, 0, 0, nullptr);
  if (r.dc == nullptr)
    return surnameFirst ? node.FormatNameSurnameFirst(90, 0, nullptr)
                        : node.FormatName(0, 97, 0, nullptr);
  const DeviceMeasure measure(r.dc);
  return surnameFirst ? node.FormatNameSurnameFirst(90, r.widthUnits, &measure)
                      : node.FormatName(0, 97, r.widthUnits, &measure);
}

std::string NameField(const CIndividualRecord& person, const CustomReportFieldRequest& r,
                      bool surnameFirst) {
  if (!r.sortMode) return NameOf(person, r, surnameFirst);
  std::string parts[4];
  if (surnameFirst) {
    parts[0] = person.surname;
    for (int i = 0; i < 3; ++i) parts[i + 1] = person.givenNames[i];
  } else {
    for (int i = 0; i < 3; ++i) parts[i] = person.givenNames[i];
    parts[3] = person.surname;
  }
  return PositionsKey(parts, 0);
}

std::string DateField(const CDateValue& date, bool sortMode) {
  if (sortMode) return DateKey(date);
  return date.IsSet() ? date.Format() : std::string();
}

std::string PlaceField(const CEventValue& event, const CustomReportFieldRequest& r) {
  if (r.sortMode) {
    const std::string parts[4] = {event.place[3], event.place[2], event.place[1], event.place[0]};
    return PositionsKey(parts, 2);
  }
  if (CEventValue::IsPlaceEmpty(&event)) return {};
  return Fitted(event.FormatPlace(", "), r);
}

std::string Number(long n) { return std::to_string(n); }

std::string Age(const CDateValue& from, const CDateValue& to) {
  if (!from.IsSet() || !to.IsSet()) return {};
  const int years = from.YearsBetween(to, false);
  return years < 0 ? std::string() : Number(years);
}

std::string YesNoOf(int status) {
  if (status == 0) return FirstLetter(res::kIdsYesLetter);
  if (status == 2) return FirstLetter(res::kIdsNoLetter);
  return {};
}

// The individual's first user event whose type title is title.
bool FindUserEvent(std::int32_t rin, const std::string& title, CUserEventRecord& out) {
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
  for (const std::int32_t n : events)
    if (n > 0 && family::Read(out, n) == 1 && EqualNoCase(out.GetLabel(), title)) return true;
  return false;
}

// A baptism of the living is kept with the place it was done at.
bool IsLiveBaptism(const CIndividualRecord& p) { return !CEventValue::IsPlaceEmpty(&p.fifthEvent); }

bool HasCitationChain(std::int32_t owner, char kind) {
  std::vector<std::int32_t> chain;
  DbGetRinList(chain, db::kCitation, owner, kind);
  return !chain.empty();
}

// Any citation on the individual's name, events or ordinances, or on one of
// its user events.
bool HasCitations(std::int32_t rin) {
  for (const char kind :
       {db::kOwnerIndividual, db::kOwnerBirth, db::kOwnerChristening, db::kOwnerDeath,
        db::kOwnerBurial, db::kOwnerBaptism, db::kOwnerEndowment, db::kOwnerSealingToParents})
    if (HasCitationChain(rin, kind)) return true;
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
  for (const std::int32_t n : events) {
    if (n <= 0) continue;
    if (HasCitationChain(n, db::kOwnerIndividualUserEvent)) return true;
    CUserEventRecord event;
    if (family::Read(event, n) == 1 && event.GetFirstCitation() != 0) return true;
  }
  return false;
}

// The relationship letter of the individual to the father (or the mother)
// of its parents' family, from the family link to that family; without
// one, from its first link that names a family.
std::string ParentRelationLetter(const CIndividualRecord& p, bool father) {
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents,
                    static_cast<std::int32_t>(p.GetRecordNumber()), 0);
  const std::int32_t parents = p.numbers[CIndividualRecord::kParentsMrin];
  char letter = 0;
  for (const std::int32_t n : links) {
    CFamilyLinkRecord link;
    if (n <= 0 || DbGetRecord(n, db::kFamilyLink, &link) != 1 || !link.HasFamily()) continue;
    if (letter == 0 || link.mrin == parents)
      letter = father ? link.firstParentRelation : link.secondParentRelation;
    if (link.mrin == parents) break;
  }
  return letter > ' ' ? std::string(1, letter) : std::string();
}

// The label of the christening slot: its own event type's title, else
// "Christening".
std::string ChristeningLabel(const CIndividualRecord& p) {
  const std::int32_t type = p.numbers[CIndividualRecord::kChristeningType];
  CEventTypeRecord record;
  if (type > 0 && DbGetRecord(type, db::kEventType, &record) == 1 && !record.title.empty())
    return record.title;
  return res::LoadString(res::kIdsChristening);
}

CDateValue StampDate(std::int32_t stamp) {
  CDateValue date;
  if (stamp != 0) date.SetFromTime(StampToTime(stamp));
  return date;
}

std::string NotesOf(std::int32_t rin, const std::string& option) {
  if (EqualNoCase(option, res::LoadString(res::kIdsAllNoteTags)))
    return DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0);
  return DbGetTaggedNote(rin, option, 0, 0, db::kIndividual);
}

const CCustomReportLayout*& SortingLayout() {
  static const CCustomReportLayout* layout = nullptr;
  return layout;
}

// The sort's progress text goes to the PAGINATOR window's text.
class PaginatorTextPort : public plat::ProgressPort {
 public:
  explicit PaginatorTextPort(PaginatorWindow& window) : window_(window) {}
  void Begin(const std::string&, int) override {}
  void SetPosition(int) override {}
  void SetText(const std::string& text) override { window_.SetText(text); }
  bool CancelRequested() override { return false; }
  void End() override {}

 private:
  PaginatorWindow& window_;
};

int CompareForSortFile(const void* a, const void* b) {
  return CompareCustomReportLines(*SortingLayout(), static_cast<const std::uint8_t*>(a),
                                  static_cast<const std::uint8_t*>(b));
}

// One field of the individual p and the marriage m (null without one) as the
// request r asks for it.
struct FieldArgs {
  const CustomReportFieldRequest& r;
  const CIndividualRecord& p;
  const CMarriageRecord* m;
  std::int32_t rin;
};

// A field of the catalogue: its code (whose string is its name) and how its
// text or sort key is made.
struct CustomField {
  std::int32_t id;
  std::string (*format)(const FieldArgs&);
};

template <int kSlot>
std::string Contact(const FieldArgs& a) {
  return a.p.contact[kSlot];
}

std::string Count(std::int32_t owner, int relation, int which) {
  return Number(std::max(0, DbGetRelationCount(owner, relation, 0, which)));
}

// The date or place of the first event, else of the second marked with a
// star (not in a sort key).
std::string FirstOrSecond(const FieldArgs& a, const CEventValue& first, const CEventValue& second,
                          bool date) {
  const bool useFirst = !IsEventValueEmpty(first);
  const CEventValue& event = useFirst ? first : second;
  std::string out = date ? DateField(event.date, a.r.sortMode) : PlaceField(event, a.r);
  if (!a.r.sortMode && !useFirst && !out.empty()) out += "*";
  return out;
}

// The name of a relative: surname first as a sort key, given names first as
// text.
std::string RelativeName(const FieldArgs& a, std::int32_t rin) {
  CIndividualRecord person;
  if (rin <= 0 || family::Read(person, rin) != 1) return {};
  return a.r.sortMode ? NameField(person, a.r, true) : NameOf(person, a.r, false);
}

std::string ParentName(const FieldArgs& a, bool father) {
  CMarriageRecord parents;
  const std::int32_t mrin = a.p.numbers[CIndividualRecord::kParentsMrin];
  std::int32_t parent = 0;
  if (mrin > 0 && family::Read(parents, mrin) == 1)
    parent = father ? parents.husband : parents.wife;
  return RelativeName(a, parent);
}

std::string SpouseName(const FieldArgs& a) {
  if (a.m == nullptr) return {};
  return RelativeName(a, a.m->husband == a.r.currentRin ? a.m->wife : a.m->husband);
}

std::string MarriageStatusLetter(const CMarriageRecord* m) {
  if (m == nullptr) return {};
  switch (m->status) {
    case 'D':
      return FirstLetter(res::kIdsDivorcedLetter);
    case 'M':
      return FirstLetter(res::kIdsMarriedLetter);
    case 'N':
      return FirstLetter(res::kIdsNotMarriedLetter);
    default:
      return {};
  }
}

std::string QualifiedForBaptism(const FieldArgs& a) {
  if (NeedsOrdinance(&a.p.baptism) == 0 && NeedsOrdinance(&a.p.endowment) == 0) return {};
  int reason = 0;
  return YesNoOf(GetZelStatus(a.rin, 0, kZelEndowment, reason));
}

std::string QualifiedForSealingToParents(const FieldArgs& a) {
  if (NeedsOrdinance(&a.p.sealingToParents) == 0) return {};
  int reason = 0;
  return YesNoOf(GetZelStatus(a.rin, a.p.numbers[CIndividualRecord::kParentsMrin],
                              kZelSealingToParents, reason));
}

std::string QualifiedForSealingToSpouse(const FieldArgs& a) {
  if (a.m == nullptr || CDateValue::GetOrdinanceState(&a.m->sealingToSpouse.date, 'S') != 0)
    return {};
  int reason = 0;
  return YesNoOf(GetZelStatus(a.r.currentRin, static_cast<std::int32_t>(a.m->GetRecordNumber()),
                              kZelSealingToSpouse, reason));
}

// The temple of the baptism, or the place of a baptism of the living,
// marked; its key is the text.
std::string BaptismTemple(const FieldArgs& a) {
  if (!IsLiveBaptism(a.p)) return a.p.baptism.templeCode;
  CustomReportFieldRequest display = a.r;
  display.sortMode = false;
  return PlaceField(a.p.fifthEvent, display) + "*";
}

// The notes cut to the column; the key is the width, the comparison cuts
// the notes itself.
std::string Notes(const FieldArgs& a) {
  if (a.r.sortMode) return Number(a.r.widthChars);
  return CutNoteText(NotesOf(a.rin, a.r.option), a.r.widthChars);
}

std::string HasUserEvents(const FieldArgs& a) {
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, a.rin, db::kOwnerIndividual);
  return YesNoOf(events.empty() ? 2 : 0);
}

std::string HasUserEvent(const FieldArgs& a) {
  CUserEventRecord event;
  return YesNoOf(FindUserEvent(a.rin, a.r.option, event) ? 0 : 2);
}

// The date of the user event the option names, "%1 to %2" with a second
// date; the key is the first date.
std::string UserEventDate(const FieldArgs& a) {
  CUserEventRecord event;
  if (!FindUserEvent(a.rin, a.r.option, event)) return {};
  const CDateValue first = event.GetDate() != nullptr ? *event.GetDate() : CDateValue();
  if (a.r.sortMode) return DateKey(first);
  std::string out = first.IsSet() ? first.Format() : "";
  if (event.secondDate.IsSet())
    out = res::FormatString(res::kIdsDateRange, {out, event.secondDate.Format()}).substr(0, 254);
  return out;
}

std::string UserEventPlace(const FieldArgs& a) {
  CUserEventRecord event;
  if (!FindUserEvent(a.rin, a.r.option, event)) return {};
  CEventValue value;
  if (const CDateValue* d = event.GetDate()) value.date = *d;
  if (const auto* e = event.GetEvent())
    for (int i = 0; i < 4; ++i) value.place[i] = e->place[i];
  return PlaceField(value, a.r);
}

std::string UserEventDescription(const FieldArgs& a) {
  CUserEventRecord event;
  if (!FindUserEvent(a.rin, a.r.option, event)) return {};
  return event.description;
}

std::string UserEventConfidence(const FieldArgs& a) {
  CUserEventRecord event;
  if (!FindUserEvent(a.rin, a.r.option, event) || event.yesNo == 0) return {};
  return std::string(1, event.yesNo);
}

std::string RelationshipIndicator(const FieldArgs& a) {
  const CRelationshipCode code(a.p.linkText.c_str());
  return code.IsSet() ? code.GetName(true, false) : std::string();
}

using Args = const FieldArgs&;

// The catalogue in code order; each code's string is the field's name.
constexpr CustomField kCustomFields[] = {
    {kFieldSurnameGiven, [](Args a) { return NameField(a.p, a.r, true); }},   // Surname, Given
    {kFieldGivenSurname, [](Args a) { return NameField(a.p, a.r, false); }},  // Given, Surname
    {kFieldTitleSuffix, [](Args a) { return a.p.suffix; }},
    {kFieldSex,
     [](Args a) {
       return a.p.sex == 'M'   ? FirstLetter(res::kIdsMaleLetter)
              : a.p.sex == 'F' ? FirstLetter(res::kIdsFemaleLetter)
                               : " ";
     }},
    {kFieldRin, [](Args a) { return Number(a.rin); }},
    {kFieldCustomId, [](Args a) { return a.p.texts1[0]; }},  // Custom ID
    {kFieldParentsMrin,                                      // Parent's MRIN
     [](Args a) {
       const std::int32_t parents = a.p.numbers[CIndividualRecord::kParentsMrin];
       return parents != 0 ? Number(parents) : std::string();
     }},
    {kFieldFather, [](Args a) { return ParentName(a, true); }},
    {kFieldMother, [](Args a) { return ParentName(a, false); }},
    {kFieldBirthDate, [](Args a) { return DateField(a.p.birth.date, a.r.sortMode); }},
    {kFieldBirthPlace, [](Args a) { return PlaceField(a.p.birth, a.r); }},
    {kFieldBirthOrChristeningDate,
     [](Args a) { return FirstOrSecond(a, a.p.birth, a.p.christening, true); }},
    {kFieldBirthOrChristeningPlace,
     [](Args a) { return FirstOrSecond(a, a.p.birth, a.p.christening, false); }},
    {kFieldChristeningDate, [](Args a) { return DateField(a.p.christening.date, a.r.sortMode); }},
    {kFieldChristeningPlace, [](Args a) { return PlaceField(a.p.christening, a.r); }},
    {kFieldMrin,  // MRIN
     [](Args a) {
       return a.m != nullptr ? Number(static_cast<long>(a.m->GetRecordNumber())) : "";
     }},
    {kFieldMarriageStatus, [](Args a) { return MarriageStatusLetter(a.m); }},
    {kFieldMarriageDate,
     [](Args a) { return a.m != nullptr ? DateField(a.m->marriage.date, a.r.sortMode) : ""; }},
    {kFieldMarriagePlace,
     [](Args a) { return a.m != nullptr ? PlaceField(a.m->marriage, a.r) : ""; }},
    {kFieldSpouse, SpouseName},
    {kFieldDeathDate, [](Args a) { return DateField(a.p.death.date, a.r.sortMode); }},
    {kFieldDeathPlace, [](Args a) { return PlaceField(a.p.death, a.r); }},
    {kFieldDeathOrBurialDate, [](Args a) { return FirstOrSecond(a, a.p.death, a.p.burial, true); }},
    {kFieldDeathOrBurialPlace,
     [](Args a) { return FirstOrSecond(a, a.p.death, a.p.burial, false); }},
    {kFieldBurialDate, [](Args a) { return DateField(a.p.burial.date, a.r.sortMode); }},
    {kFieldBurialPlace, [](Args a) { return PlaceField(a.p.burial, a.r); }},
    {kFieldNotes, Notes},
    {kFieldHasMultimedia,  // Has Multimedia
     [](Args a) { return YesNoOf(DbGetMultimediaHead(a.rin, db::kIndividual) > 0 ? 0 : 2); }},
    {kFieldNumberOfMarriages,
     [](Args a) { return Count(a.rin, db::kRelSpouses, 1); }},  // Number of Marriages
    {kFieldNumberOfChildren,                                    // Number of Children
     [](Args a) {
       return a.m != nullptr
                  ? Count(static_cast<std::int32_t>(a.m->GetRecordNumber()), db::kRelChildren, 0)
                  : "";
     }},
    {kFieldAgeAtMarriage,  // Age at Marriage
     [](Args a) { return a.m != nullptr ? Age(a.p.birth.date, a.m->marriage.date) : ""; }},
    {kFieldAgeAtDeath, [](Args a) { return Age(a.p.birth.date, a.p.death.date); }},
    {kFieldBaptismDate, [](Args a) { return DateField(a.p.baptism.date, a.r.sortMode); }},
    {kFieldBaptismTemple, BaptismTemple},
    {kFieldEndowmentDate, [](Args a) { return DateField(a.p.endowment.date, a.r.sortMode); }},
    {kFieldEndowmentTemple, [](Args a) { return a.p.endowment.templeCode; }},
    {kFieldSealedToParentsDate,
     [](Args a) { return DateField(a.p.sealingToParents.date, a.r.sortMode); }},
    {kFieldSealedToParentsTemple, [](Args a) { return a.p.sealingToParents.templeCode; }},
    {kFieldSealedToSpouseDate,
     [](Args a) {
       return a.m != nullptr ? DateField(a.m->sealingToSpouse.date, a.r.sortMode) : "";
     }},
    {kFieldSealedToSpouseTemple,
     [](Args a) { return a.m != nullptr ? a.m->sealingToSpouse.templeCode : ""; }},
    {kFieldQualifiedForBaptismEndowment, QualifiedForBaptism},
    {kFieldQualifiedForSealToParents, QualifiedForSealingToParents},
    {kFieldQualifiedForSealToSpouse, QualifiedForSealingToSpouse},
    {kFieldZelLiveBaptism, [](Args a) { return YesNoOf(IsLiveBaptism(a.p) ? 0 : 2); }},
    {kFieldHasCitations, [](Args a) { return YesNoOf(HasCitations(a.rin) ? 0 : 2); }},
    {kFieldChristening, [](Args a) { return ChristeningLabel(a.p); }},
    {kFieldHasUserEvents, HasUserEvents},
    {kFieldHasSpecificUserEvent, HasUserEvent},
    {kFieldUserEventDate, UserEventDate},
    {kFieldUserEventPlace, UserEventPlace},
    {kFieldUserEventDescription, UserEventDescription},
    {kFieldUserEventConfidence, UserEventConfidence},
    {kFieldTitlePrefix, [](Args a) { return a.p.title; }},              // Title Prefix
    {kFieldAlsoKnownAs, [](Args a) { return a.p.nameExtensions[1]; }},  // Also Known As
    {kFieldNickname, [](Args a) { return a.p.nameExtensions[0]; }},     // Nickname
    {kFieldMarriedName, [](Args a) { return a.p.texts2[1]; }},          // Married Name
    {kFieldCauseOfDeath, [](Args a) { return a.p.texts2[0]; }},         // Cause of Death
    {kFieldPhysicalDescription, [](Args a) { return a.p.texts2[2]; }},  // Physical Description
    {kFieldSbn, [](Args a) { return a.p.texts1[1]; }},                  // SBN
    {kFieldCreateDate,
     [](Args a) {
       return DateField(StampDate(a.p.numbers[CIndividualRecord::kCreatedStamp]), a.r.sortMode);
     }},
    {kFieldModifyDate,
     [](Args a) {
       return DateField(StampDate(a.p.numbers[CIndividualRecord::kUpdatedStamp]), a.r.sortMode);
     }},
    {kFieldFatherRelationshipType, [](Args a) { return ParentRelationLetter(a.p, true); }},
    {kFieldMotherRelationshipType, [](Args a) { return ParentRelationLetter(a.p, false); }},
    {kFieldNumberOfParents,
     [](Args a) { return Count(a.rin, db::kRelFather, 1); }},  // Number of Parents
    {kFieldContactName, Contact<CIndividualRecord::kContactName>},
    {kFieldContactStreet, Contact<CIndividualRecord::kContactAddress1>},
    {kFieldContactCity, Contact<CIndividualRecord::kContactCity>},
    {kFieldContactState, Contact<CIndividualRecord::kContactState>},
    {kFieldContactZip, Contact<CIndividualRecord::kContactPostalCode>},
    {kFieldContactCountry, Contact<CIndividualRecord::kContactCountry>},
    {kFieldContactPhone, Contact<CIndividualRecord::kContactPhone>},
    {kFieldContactEmail, Contact<CIndividualRecord::kContactEmail>},
    {kFieldRelationshipIndicator, RelationshipIndicator},
};
static_assert(std::ranges::is_sorted(kCustomFields, {}, &CustomField::id));

}  // namespace

bool HoldsStorePositions(std::int32_t id) {
  switch (id) {
    case kFieldSurnameGiven:
    case kFieldGivenSurname:
    case kFieldFather:
    case kFieldMother:
    case kFieldSpouse:
    case kFieldBirthPlace:
    case kFieldBirthOrChristeningPlace:
    case kFieldChristeningPlace:
    case kFieldMarriagePlace:
    case kFieldDeathPlace:
    case kFieldDeathOrBurialPlace:
    case kFieldBurialPlace:
    case kFieldUserEventPlace:
      return true;
    default:
      return false;
  }
}

bool IsCustomMarriageField(std::int32_t id) {
  return (id >= kFieldMrin && id <= kFieldSpouse) || id == kFieldNumberOfChildren ||
         id == kFieldAgeAtMarriage || id == kFieldSealedToSpouseDate ||
         id == kFieldSealedToSpouseTemple || id == kFieldQualifiedForSealToSpouse;
}

std::string CutNoteText(const std::string& text, int width) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += '/';
    } else {
      out += text[i];
    }
  }
  if (width < 0) width = 0;
  const auto w = static_cast<std::size_t>(width);
  if (out.size() > w) out = w > 2 ? out.substr(0, w - 3) + "..." : out.substr(0, w);
  return out;
}

std::string FormatCustomReportField(const CustomReportFieldRequest& r, const CIndividualRecord& p,
                                    const CMarriageRecord* m) {
  const auto* field = std::ranges::lower_bound(kCustomFields, r.fieldId, {}, &CustomField::id);
  if (field == std::ranges::end(kCustomFields) || field->id != r.fieldId) return {};
  std::string out = field->format({r, p, m, static_cast<std::int32_t>(p.GetRecordNumber())});
  if (out.size() > kMaxField) out.resize(kMaxField);
  return out;
}

// ---------------------------------------------------------------- the pass

std::size_t CustomReportRecordSize(const CCustomReportLayout& layout) {
  return 9 + kCustomKeySlot * layout.sortKeys.size();
}

int CompareCustomReportLines(const CCustomReportLayout& layout, const std::uint8_t* a,
                             const std::uint8_t* b) {
  for (std::size_t k = 0; k < layout.sortKeys.size(); ++k) {
    const CCustomReportSortKey& key = *layout.sortKeys[k];
    const std::uint8_t* sa = a + 8 + k * kCustomKeySlot;
    const std::uint8_t* sb = b + 8 + k * kCustomKeySlot;
    auto text = [&](const std::uint8_t* slot, const std::uint8_t* record) {
      if (key.kind == CCustomReportSortKey::kText && HoldsStorePositions(key.fieldId)) {
        std::string joined;
        for (int i = 0; i < 4; ++i) {
          const std::int32_t position =
              GetInt32LE(std::span<const std::uint8_t>(slot, 16), static_cast<std::size_t>(i) * 4);
          std::string part;
          if (position == 0 || DbGetString(position, part) != 1) part = " ";
          joined += (i == 0 ? "" : " ") + part;
        }
        return joined;
      }
      if (key.kind == CCustomReportSortKey::kNotes) {
        const int width =
            std::atoi(std::string(reinterpret_cast<const char*>(slot),
                                  strnlen(reinterpret_cast<const char*>(slot), kCustomKeySlot))
                          .c_str());
        const std::int32_t rin = GetInt32LE(std::span<const std::uint8_t>(record, 4), 0);
        return CutNoteText(NotesOf(rin, key.option), width);
      }
      return std::string(reinterpret_cast<const char*>(slot),
                         strnlen(reinterpret_cast<const char*>(slot), kCustomKeySlot));
    };
    int result = 0;
    if (key.kind == CCustomReportSortKey::kDate) {
      const int c = DateOfKey(text(sa, a)).SortCompare(DateOfKey(text(sb, b)));
      result = c == 2 ? 0 : (c > 0) - (c < 0);
    } else if (key.kind == CCustomReportSortKey::kNumber) {
      const long x = std::atol(text(sa, a).c_str()), y = std::atol(text(sb, b).c_str());
      result = (x > y) - (x < y);
    } else if (key.kind > CCustomReportSortKey::kNotes) {
      result = 0;
    } else {
      const int c = Lower(text(sa, a)).compare(Lower(text(sb, b)));
      result = (c > 0) - (c < 0);
    }
    if (key.ascending == 0) result = -result;
    if (result != 0) return result;
  }
  const std::int32_t ma = GetInt32LE(std::span<const std::uint8_t>(a, 8), 4) % 100;
  const std::int32_t mb = GetInt32LE(std::span<const std::uint8_t>(b, 8), 4) % 100;
  return (ma > mb) - (ma < mb);
}

namespace {
int& LinesPerPage() {
  static int lines = 0;
  return lines;
}
const CCustomReportLayout*& PassLayout() {
  static const CCustomReportLayout* layout = nullptr;
  return layout;
}
}  // namespace

int CustomReportLinesPerPage() { return LinesPerPage(); }

std::vector<std::string> CustomReportLineTexts(const CCustomReportLayout& layout,
                                               const CustomReportLine& line, ReportDevice* dc,
                                               const std::vector<int>& widthUnits) {
  std::vector<std::string> texts(layout.columns.size());
  CIndividualRecord person;
  if (line.rin <= 0 || family::Read(person, line.rin) != 1) return texts;
  const std::int32_t mrin = line.marriageRef / 100;
  CMarriageRecord marriage;
  const bool marriageRead = mrin > 0 && family::Read(marriage, mrin) == 1;
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    const CCustomReportColumn& column = *layout.columns[i];
    const bool marriageField = IsCustomMarriageField(column.fieldId);
    if (marriageField && !marriageRead) continue;
    CustomReportFieldRequest request;
    request.fieldId = column.fieldId;
    request.option = column.option;
    request.widthChars = column.width;
    request.currentRin = marriageField ? line.rin : 0;
    if (i < widthUnits.size()) {
      request.dc = dc;
      request.widthUnits = widthUnits[i];
    }
    texts[i] = FormatCustomReportField(request, person, marriageField ? &marriage : nullptr);
  }
  return texts;
}

int CustomReportLineRows(const std::vector<std::string>& texts, const std::vector<int>& columnRows,
                         std::vector<int>* placed) {
  int rows = 0;
  for (int row : columnRows) rows = std::max(rows, row + 1);
  std::vector<bool> used(static_cast<std::size_t>(rows), false);
  for (std::size_t i = 0; i < texts.size() && i < columnRows.size(); ++i)
    if (!texts[i].empty() && columnRows[i] >= 0) used[static_cast<std::size_t>(columnRows[i])] = true;
  if (rows > 0 && std::find(used.begin(), used.end(), true) == used.end()) used[0] = true;
  int taken = 0;
  if (placed != nullptr) placed->assign(used.size(), -1);
  for (std::size_t row = 0; row < used.size(); ++row)
    if (used[row]) {
      if (placed != nullptr) (*placed)[row] = taken;
      ++taken;
    }
  return std::max(taken, 1);
}

int PaginateCustomReport(const std::vector<std::int32_t>& rins, const CCustomReportLayout& layout,
                         int lines, const CustomRowPlan* rows) {
  PaginatorState& state = Paginator();
  LinesPerPage() = lines;
  PassLayout() = &layout;
  const std::size_t size = CustomReportRecordSize(layout);
  bool marriageFields = false;
  for (const auto& c : layout.columns) marriageFields |= IsCustomMarriageField(c->fieldId);
  for (const auto& k : layout.sortKeys) marriageFields |= IsCustomMarriageField(k->fieldId);
  const std::int32_t highest = rins.empty() ? 0 : *std::max_element(rins.begin(), rins.end());
  const std::string caption = res::LoadString(res::kIdsCustomReport);

  struct Walk {
    std::size_t next = 0;
    std::uint32_t written = 0;
    int pages = 0;
    int lineCounter = 0;
  };
  auto walk = std::make_shared<Walk>();
  PaginationPass pass;
  pass.title = caption;
  pass.fileErrorName = caption;
  pass.neededBytes = static_cast<std::uint64_t>(std::max(highest, 0));
  pass.files = {{&state.workFile, "~KorDUPLS.TMP"}};
  pass.cleanup = [] { CleanupCustomReportPages(); };
  const CustomRowPlan rowPlan = rows != nullptr ? *rows : CustomRowPlan{};
  pass.batch = [=, &state, &layout]() -> BatchResult {
    if (walk->next >= rins.size()) {
      state.recordCounter = walk->written;
      if (!layout.sortKeys.empty() && walk->written > 1) {
        SortingLayout() = &layout;
        SortFileBlock block;
        block.file = state.workFile.File();
        block.count = walk->written;
        block.recordSize = size;
        block.compare = CompareForSortFile;
        PaginatorTextPort text(CurrentPaginatorWindow());
        block.progress = &text;
        block.restoreText = PaginatorWindow::PreparingText();
        const int sorted = SortFileInPlace(block);
        SortingLayout() = nullptr;
        if (sorted != 1) return BatchResult::DiskFull;
      }
      auto startPage = [&state, size](std::uint32_t i) {
        auto entry = std::make_unique<CustomPageEntry>();
        entry->page = static_cast<std::int32_t>(state.pageEntries.size()) + 1;
        entry->key = entry->page;
        entry->offset = static_cast<std::int64_t>(i) * static_cast<std::int64_t>(size);
        state.pageEntries.push_back(std::move(entry));
      };
      if (lines > 0 && rowPlan.rowsPerPage > 0) {
        // Each line record takes the rows that hold its texts.
        int used = 0;
        for (std::uint32_t i = 0; i < walk->written; ++i) {
          CustomReportLine line;
          if (!ReadCustomReportLine(i, line)) return BatchResult::DiskFull;
          const int taken = CustomReportLineRows(CustomReportLineTexts(layout, line, nullptr, {}),
                                                 rowPlan.columnRows);
          if (i == 0 || used + taken > rowPlan.rowsPerPage) {
            startPage(i);
            used = 0;
          }
          used += taken;
        }
      } else if (lines > 0) {
        for (std::uint32_t i = 0; i < walk->written; i += static_cast<std::uint32_t>(lines))
          startPage(i);
      }
      return BatchResult::Done;
    }
    const std::int32_t rin = rins[walk->next++];
    CIndividualRecord person;
    // An unreadable individual keeps its line with empty keys; the pass goes on.
    const bool read = family::Read(person, rin) == 1;
    std::vector<std::int32_t> marriages;
    if (read && marriageFields && DbGetRelationCount(rin, db::kRelSpouses, 0, 1) > 0)
      DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
    const std::size_t count = std::max<std::size_t>(marriages.size(), 1);
    std::int32_t lastMrin = 0;
    CMarriageRecord marriage;
    bool marriageRead = false;
    for (std::size_t j = 0; j < count; ++j) {
      std::vector<std::uint8_t> record(size, 0);
      PutInt32LE(record, 0, rin);
      const std::int32_t mrin = j < marriages.size() ? marriages[j] : 0;
      if (mrin > 0 && mrin != lastMrin) {
        marriageRead = family::Read(marriage, mrin) == 1;
        lastMrin = mrin;
      }
      if (mrin > 0) PutInt32LE(record, 4, mrin * 100 + static_cast<std::int32_t>(j));
      for (std::size_t k = 0; k < layout.sortKeys.size() && read; ++k) {
        const CCustomReportSortKey& key = *layout.sortKeys[k];
        const bool marriageKey = IsCustomMarriageField(key.fieldId);
        if (marriageKey && (mrin == 0 || !marriageRead)) continue;
        CustomReportFieldRequest request;
        request.fieldId = key.fieldId;
        request.option = key.option;
        request.sortMode = true;
        request.currentRin = marriageKey ? rin : 0;
        for (const auto& c : layout.columns)
          if (c->fieldId == key.fieldId) request.widthChars = c->width;
        const std::string text =
            FormatCustomReportField(request, person, marriageKey ? &marriage : nullptr);
        std::memcpy(record.data() + 8 + k * kCustomKeySlot, text.data(),
                    std::min(text.size(), kCustomKeySlot));
      }
      if (!state.workFile.WriteRecord(walk->written, record)) return BatchResult::DiskFull;
      ++walk->written;
      if (walk->lineCounter == 0) {
        ++walk->pages;
        CurrentPaginatorWindow().SetNumber(walk->pages);
      }
      if (lines > 0 && ++walk->lineCounter >= lines) walk->lineCounter = 0;
    }
    return BatchResult::More;
  };
  pass.pageCount = [&state, walk, lines] {
    return lines > 0 ? static_cast<int>(state.pageEntries.size()) : (walk->written > 0 ? 1 : 0);
  };
  return RunPagination(state, CurrentPaginatorWindow(), pass);
}

std::int64_t CustomReportLineCount() { return Paginator().recordCounter; }

bool ReadCustomReportLine(std::int64_t n, CustomReportLine& out) {
  PaginatorState& state = Paginator();
  const CCustomReportLayout* layout = PassLayout();
  if (layout == nullptr || n < 0 || n >= static_cast<std::int64_t>(state.recordCounter) ||
      !state.workFile.IsOpen())
    return false;
  std::vector<std::uint8_t> record(CustomReportRecordSize(*layout));
  if (!state.workFile.ReadRecord(static_cast<std::uint64_t>(n), record)) return false;
  out.rin = GetInt32LE(record, 0);
  out.marriageRef = GetInt32LE(record, 4);
  out.keys.assign(reinterpret_cast<const char*>(record.data() + 8), record.size() - 9);
  return true;
}

std::int64_t CustomReportPageStart(int page) {
  const auto* entry = page >= 1 ? dynamic_cast<const CustomPageEntry*>(
                                      GetPageEntry(Paginator(), static_cast<std::size_t>(page - 1)))
                                : nullptr;
  if (entry == nullptr || PassLayout() == nullptr) return -1;
  return entry->offset / static_cast<std::int64_t>(CustomReportRecordSize(*PassLayout()));
}

std::int64_t CustomReportPageEnd(int page) {
  const std::int64_t next = CustomReportPageStart(page + 1);
  return next >= 0 ? next : CustomReportLineCount();
}

void CleanupCustomReportPages() {
  PaginatorState& state = Paginator();
  state.pageEntries.clear();
  state.workFile.CloseAndDelete();
  state.recordCounter = 0;
}

}  // namespace rpt
