#include "NarrativeBuilder.h"

#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "CitationNumbers.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "HtmlTags.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempleTable.h"
#include "TextRoutines.h"
#include "UserEventRecord.h"
#include "ZelQualification.h"

namespace {

std::string S(unsigned id) { return res::LoadString(id); }
// The female form of a paired template is the next id.
std::string Sx(unsigned id, bool female) { return res::LoadString(id + (female ? 1 : 0)); }

// Fills the numbered inserts of a template once; inserted texts stay as they are.
std::string Fill(const std::string& format, std::initializer_list<std::string_view> args) {
  return res::FormatInserts(format, args);
}

// Fills the sequential inserts ("%s", "%d", "%ld") of a template once;
// "%%" gives "%", any other '%' is kept.
std::string FillSequential(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out += format[i];
      continue;
    }
    std::size_t j = i + 1;
    if (format[j] == '%') {
      out += '%';
      i = j;
      continue;
    }
    if (format[j] == 'l') ++j;
    if (j < format.size() && (format[j] == 's' || format[j] == 'd' || format[j] == 'u')) {
      if (next != args.end()) out += *next++;
      i = j;
      continue;
    }
    out += format[i];
  }
  return out;
}

std::string Number(long n) { return std::to_string(n); }

std::string UpperFirst(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}
std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// 0 male or unknown, 1 female, for the paired templates.
bool FemaleForm(const CIndividualRecord& p) { return p.sex == 'F'; }
// He / She / He-She by sex.
unsigned PronounId(const CIndividualRecord& p, unsigned male) {
  return male + (p.sex == 'M' ? 0 : p.sex == 'F' ? 1 : 2);
}

const std::string& Nickname(const CIndividualRecord& p) { return p.nameExtensions[0]; }
const std::string& CauseOfDeath(const CIndividualRecord& p) { return p.texts2[0]; }

bool HasPlace(const CEventValue& e) { return !CEventValue::IsPlaceEmpty(&e); }

// The ordinance status of a date: the status code in its month, 29 for a
// date submitted by its qualifier, 0 for a real date or none.
int StatusOf(const CDateValue& d) {
  if (d.month >= CDateValue::kFirstStatus) return d.month;
  if (d.qualifier == CDateValue::kQualSub) return CDateValue::kStatusSubmitted;
  return 0;
}

bool OrdinanceEmpty(const COrdinanceValue& o) { return !o.date.IsSet() && o.templeCode.empty(); }

std::vector<std::int32_t> Citations(std::int32_t owner, char letter) {
  std::vector<std::int32_t> list;
  if (owner > 0) DbGetRinList(list, db::kCitation, owner, letter);
  return list;
}

std::string Phrase(const CDateValue& d) { return d.FormatPhrase(false, 0); }

bool IsHtml(HtmlMode mode) { return mode != HtmlMode::kBookText; }

}  // namespace

NarrativeSettings ReadNarrativeSettings(plat::ProfilePort& profile) {
  NarrativeSettings s;
  s.doName = profile.GetInt("Web", "DoName", 0) != 0;
  s.filePrefix = profile.GetString("Web", "FilePrefix", "orv");
  std::string language = profile.GetString("Options", "LanguageUI", "");
  for (char& c : language) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  s.french = language == "FR";
  return s;
}

// ---- names and values ----

std::string CNarrativeBuilder::Value(std::string_view text, HtmlMode htmlMode) const {
  return IsHtml(htmlMode) ? HtmlEscape(text) : std::string(text);
}

std::string CNarrativeBuilder::PersonName(const CIndividualRecord& person, int nameOption,
                                          bool capitals, HtmlMode htmlMode) const {
  const std::string name = Value(person.GetName(nameOption, capitals, 1, false), htmlMode);
  // On a web page a person without a name still gets a visible (and so
  // clickable) name.
  return IsHtml(htmlMode) && name.empty() ? kUnknownWebName : name;
}

std::string CNarrativeBuilder::ShortName(const CIndividualRecord& person, bool capitals,
                                         bool nickname, HtmlMode htmlMode) const {
  if (nickname && Nickname(person).size() >= 2) return Value(Nickname(person), htmlMode);
  const std::string& given = person.givenNames[0];
  if (given.size() < 2 || (given.size() == 2 && given[1] == '.'))
    return PersonName(person, 0, capitals, htmlMode);
  return Value(given, htmlMode);
}

bool CNarrativeBuilder::ShownAsLiving(const CIndividualRecord& person, bool livingCheck) const {
  return livingCheck && !IsPresumedDeceased(person);
}

std::string CNarrativeBuilder::NameAnchor(std::int32_t rin) const {
  return "<a name=\"" + Number(rin) + "\"></a>";
}

// ---- citation marks ----

void CNarrativeBuilder::FileCitationNumber(int appliesTo, std::int32_t number, bool hasDate,
                                           bool hasPlace, CitationMarkLists& lists) {
  switch (appliesTo) {
    case 0:
      InsertSortedNumber(number, hasDate ? lists.date : lists.event);
      break;
    case 1:
      InsertSortedNumber(number, hasPlace ? lists.place : lists.event);
      break;
    case 2:
      if (hasDate) InsertSortedNumber(number, lists.date);
      if (hasPlace) InsertSortedNumber(number, lists.place);
      if (!hasDate && !hasPlace) InsertSortedNumber(number, lists.event);
      break;
    default:
      InsertSortedNumber(number, lists.event);
  }
}

void CNarrativeBuilder::BuildCitationMarks(const std::vector<CitationUse>& citations, bool hasDate,
                                           bool hasPlace, std::string& eventMark,
                                           std::string& dateMark, std::string& placeMark,
                                           const CitationContext& context,
                                           HtmlMode htmlMode) const {
  eventMark.clear();
  dateMark.clear();
  placeMark.clear();
  if (!context.numbers || !context.seenFlags) return;
  CitationMarkLists lists;
  for (const CitationUse& use : citations) {
    const int n = NumberCitation(use.citation, *context.numbers, *context.seenFlags,
                                 context.boundaries, context.chapter);
    FileCitationNumber(use.appliesTo, n, hasDate, hasPlace, lists);
  }
  FormatCitationMarks(lists.event, eventMark, htmlMode, -1, 0);
  FormatCitationMarks(lists.date, dateMark, htmlMode, -1, 0);
  FormatCitationMarks(lists.place, placeMark, htmlMode, -1, 0);
}

void CNarrativeBuilder::BuildCitationMarks(const std::vector<std::int32_t>& citations, bool hasDate,
                                           bool hasPlace, std::string& eventMark,
                                           std::string& dateMark, std::string& placeMark,
                                           const CitationContext& context,
                                           HtmlMode htmlMode) const {
  std::vector<CitationUse> uses;
  uses.reserve(citations.size());
  for (std::int32_t c : citations) uses.push_back({c, 3});
  BuildCitationMarks(uses, hasDate, hasPlace, eventMark, dateMark, placeMark, context, htmlMode);
}

void CNarrativeBuilder::FormatCitationMarks(const std::vector<std::int32_t>& numbers,
                                            std::string& out, HtmlMode htmlMode, int page,
                                            std::int32_t anchor) const {
  if (numbers.empty()) return;
  if (!IsHtml(htmlMode)) {
    out += "<S>";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      if (i) out += ',';
      out += Number(numbers[i]);
    }
    out += "</S>";
    return;
  }
  out += "<SUP>";
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i) out += ',';
    const std::string n = Number(numbers[i]);
    out += "<b><a href=\"" + HtmlEscape(settings_.filePrefix);
    if (page != -1 && anchor != 0) {
      char pageText[16];
      std::snprintf(pageText, sizeof pageText, "%2.2d", page);
      out += "c" + std::string(pageText) + ".htm#" + Number(anchor) + "C" + n + "\"> " + n + "</a>";
    } else {
      out += "c" + std::string(kCitationPageSentinel) + ".htm#" + kCitationAnchorSentinel + "C" +
             n + "\"> " + n + "</a>";
    }
    out += "</b>";
  }
  out += "</SUP>";
}

std::string CNarrativeBuilder::EventMarks(std::int32_t owner, char letter, bool sourceNotes,
                                          bool hasDate, bool hasPlace, std::string& dateMark,
                                          std::string& placeMark, const CitationContext& citations,
                                          HtmlMode htmlMode) const {
  std::string eventMark;
  dateMark.clear();
  placeMark.clear();
  if (sourceNotes)
    BuildCitationMarks(Citations(owner, letter), hasDate, hasPlace, eventMark, dateMark, placeMark,
                       citations, htmlMode);
  return eventMark;
}

// ---- vital events ----

namespace {

// The classic sentence of an event by its case: date (1), place (2), both (3).
std::string EventTemplate(unsigned dateId, bool female, int eventCase, const std::string& mark,
                          const std::string& date, const std::string& place) {
  switch (eventCase) {
    case 1:
      return Fill(Sx(dateId, female), {mark, date});
    case 2:
      return Fill(Sx(dateId + 2, female), {mark, place});
    case 3:
      return Fill(Sx(dateId + 4, female), {mark, date, place});
    default:
      return {};
  }
}

int EventCase(const CEventValue& e) { return (e.date.IsSet() ? 1 : 0) + (HasPlace(e) ? 2 : 0); }

}  // namespace

std::string CNarrativeBuilder::BirthSentence(const CIndividualRecord& person, bool sourceNotes,
                                             const CitationContext& citations,
                                             HtmlMode htmlMode) const {
  const bool female = FemaleForm(person);
  const std::int32_t rin = person.GetRecordNumber();
  auto sentence = [&](const CEventValue& e, unsigned id, char letter, bool ownType) {
    const int c = EventCase(e);
    std::string dateMark, placeMark;
    const std::string mark = EventMarks(rin, letter, sourceNotes, e.date.IsSet(), HasPlace(e),
                                        dateMark, placeMark, citations, htmlMode);
    const std::string date = e.date.IsSet() ? Value(Phrase(e.date), htmlMode) + dateMark : "";
    const std::string place = HasPlace(e) ? Value(e.FormatPlace(", "), htmlMode) + placeMark : "";
    if (ownType) {
      // A christening kept under an event type of its own reads with that
      // type's verb phrase; built by joining, the phrase is user text.
      CEventTypeRecord type;
      if (DbGetRecord(person.numbers[CIndividualRecord::kChristeningType], db::kEventType, &type) &&
          !type.verbPhrase.empty()) {
        const std::string verb = " " + Value(type.verbPhrase, htmlMode);
        if (c == 1) return verb + mark + " " + date;
        if (c == 2) return verb + mark + " " + S(res::kIdsIn) + " " + place + " ";
        return verb + mark + " " + date + " " + S(res::kIdsIn) + " " + place;
      }
    }
    return EventTemplate(id, female, c, mark, date, place);
  };
  const bool ownType = person.numbers[CIndividualRecord::kChristeningType] != 0;
  std::string out;
  if (EventCase(person.birth)) {
    out = sentence(person.birth, res::kIdsBornDate, db::kOwnerBirth, false);
    if (EventCase(person.christening))
      out += GetAndWord() +
             sentence(person.christening, res::kIdsChristenedDate, db::kOwnerChristening, ownType);
  } else if (EventCase(person.christening)) {
    out = sentence(person.christening, res::kIdsChristenedDate, db::kOwnerChristening, ownType);
  }
  if (!out.empty()) out += '.';
  return out;
}

std::string CNarrativeBuilder::DeathSentence(const CIndividualRecord& person,
                                             const std::string& subject, bool sourceNotes,
                                             const CitationContext& citations,
                                             HtmlMode htmlMode) const {
  const bool female = FemaleForm(person);
  const std::int32_t rin = person.GetRecordNumber();
  std::string out;
  const CEventValue& death = person.death;
  if (EventCase(death)) {
    out += subject;
    bool hasDate = death.date.IsSet();
    const bool hasPlace = HasPlace(death);
    std::string dateText;
    bool diedAlone = false;
    switch (death.date.IsStatus() ? death.date.month : 0) {
      case 0:
        if (hasDate) dateText = Value(Phrase(death.date), htmlMode);
        break;
      case CDateValue::kStatusChild:
        dateText = S(res::kIdsAsAChild);
        break;
      case CDateValue::kStatusInfant:
        dateText = S(res::kIdsAsAnInfant);
        break;
      case CDateValue::kStatusStillborn:
        dateText = Sx(res::kIdsStillbornWord, female);
        break;
      default:
        hasDate = false;
        diedAlone = !hasPlace;
    }
    std::string dateMark, placeMark;
    const std::string mark = EventMarks(rin, db::kOwnerDeath, sourceNotes, hasDate, hasPlace,
                                        dateMark, placeMark, citations, htmlMode);
    if (diedAlone) {
      out += Sx(res::kIdsDiedAlone, female) + mark;
    } else {
      const std::string place =
          hasPlace ? Value(death.FormatPlace(", "), htmlMode) + placeMark : "";
      out += EventTemplate(res::kIdsDiedDate, female, (hasDate ? 1 : 0) + (hasPlace ? 2 : 0), mark,
                           dateText + dateMark, place);
    }
    if (!CauseOfDeath(person).empty())
      out += " " + S(res::kIdsFrom) + " " + Value(CauseOfDeath(person), htmlMode);
  }
  const CEventValue& burial = person.burial;
  if (const int c = EventCase(burial)) {
    if (out.empty())
      out += subject;
    else
      out += GetAndWord();
    std::string dateMark, placeMark;
    const std::string mark = EventMarks(rin, db::kOwnerBurial, sourceNotes, burial.date.IsSet(),
                                        HasPlace(burial), dateMark, placeMark, citations, htmlMode);
    out += EventTemplate(
        res::kIdsBuriedDate, female, c, mark,
        burial.date.IsSet() ? Value(Phrase(burial.date), htmlMode) + dateMark : "",
        HasPlace(burial) ? Value(burial.FormatPlace(", "), htmlMode) + placeMark : "");
  }
  if (!out.empty()) out += '.';
  return out;
}

std::string CNarrativeBuilder::ParentLinkSentence(const CIndividualRecord& person, char letter,
                                                  bool spouse, HtmlMode htmlMode) const {
  std::string word;
  switch (letter) {
    case 'a':
      word = S(res::kIdsAdoption);
      break;
    case 'g':
      word = S(res::kIdsGuardianship);
      break;
    case 's':
      word = S(res::kIdsSealing);
      break;
    case 'c':
      return spouse ? std::string() : S(res::kIdsChallengedRelationship);
    case 'd':
      return spouse ? std::string() : S(res::kIdsDisprovedRelationship);
    default:
      return {};
  }
  std::string subject;
  if (person.sex == 'M') {
    subject = S(res::kIdsRelatedMale);
  } else if (person.sex == 'F') {
    subject = S(res::kIdsRelatedFemale);
  } else {
    const std::string& nick = Nickname(person);
    const bool useNick = spouse ? nick.size() >= 2 : !nick.empty();
    subject = FillSequential(S(res::kIdsRelatedUnknown),
                             {Value(useNick ? nick : person.givenNames[0], htmlMode)});
  }
  return subject + " " + word;
}

// ---- ordinances ----

namespace {

bool IsLiveTemple(const std::string& code) { return Lower(code) == "live"; }

// The temple of an ordinance as it is named in a sentence: none when the
// status is Cancelled or Uncleared or the code is empty.
bool TempleUsed(int status, const std::string& code) {
  return !code.empty() && status != CDateValue::kStatusCancelled &&
         status != CDateValue::kStatusUncleared;
}

// The templates of the Cleared ... Submitted statuses of one ordinance:
// with a temple, with a place (0 when the ordinance has none) and without.
struct StatusTemplates {
  int status;
  unsigned withTemple;
  unsigned withPlace;
  unsigned without;
};

const StatusTemplates* FindStatus(const StatusTemplates* table, std::size_t n, int status) {
  for (std::size_t i = 0; i < n; ++i)
    if (table[i].status == status) return &table[i];
  return nullptr;
}

constexpr StatusTemplates kSealingParentStatuses[] = {
    {CDateValue::kStatusCancelled, 0, 0, res::kIdsSealingToParentsCancelled},
    {CDateValue::kStatusCleared, res::kIdsSealingToParentsClearedAt, 0,
     res::kIdsSealingToParentsCleared},
    {CDateValue::kStatusCompleted, res::kIdsSealingToParentsCompletedAt, 0,
     res::kIdsSealingToParentsCompleted},
    {CDateValue::kStatusDone, res::kIdsSealingToParentsDoneAt, 0, res::kIdsSealingToParentsDone},
    {CDateValue::kStatusPre1970, res::kIdsSealingToParentsPre1970At, 0,
     res::kIdsSealingToParentsPre1970},
    {CDateValue::kStatusUncleared, 0, 0, res::kIdsSealingToParentsUncleared},
    {CDateValue::kStatusSubmitted, res::kIdsSealingToParentsSubmittedTo, 0,
     res::kIdsSealingToParentsSubmitted}};
// The French sentences of the same statuses.
constexpr StatusTemplates kSealingParentStatusesFrench[] = {
    {CDateValue::kStatusCancelled, 0, 0, res::kIdsFrenchSealingToParentsCancelled},
    {CDateValue::kStatusCleared, res::kIdsFrenchSealingToParentsClearedAt, 0,
     res::kIdsFrenchSealingToParentsCleared},
    {CDateValue::kStatusCompleted, res::kIdsFrenchSealingToParentsCompletedAt, 0,
     res::kIdsFrenchSealingToParentsCompleted},
    {CDateValue::kStatusDone, res::kIdsFrenchSealingToParentsDoneAt, 0,
     res::kIdsFrenchSealingToParentsDone},
    {CDateValue::kStatusPre1970, res::kIdsFrenchSealingToParentsPre1970At, 0,
     res::kIdsFrenchSealingToParentsPre1970},
    {CDateValue::kStatusUncleared, 0, 0, res::kIdsFrenchSealingToParentsUncleared},
    {CDateValue::kStatusSubmitted, res::kIdsFrenchSealingToParentsSubmittedTo, 0,
     res::kIdsFrenchSealingToParentsSubmitted}};
constexpr StatusTemplates kBaptismStatuses[] = {
    {CDateValue::kStatusCleared, res::kIdsBaptismClearedAt, 0, res::kIdsBaptismCleared},
    {CDateValue::kStatusCompleted, res::kIdsBaptismCompletedAt, res::kIdsBaptismCompletedAtPlace,
     res::kIdsBaptismCompleted},
    {CDateValue::kStatusDone, res::kIdsBaptismDoneAt, res::kIdsBaptismDoneAtPlace,
     res::kIdsBaptismDone},
    {CDateValue::kStatusPre1970, res::kIdsBaptismPre1970At, 0, res::kIdsBaptismPre1970},
    {CDateValue::kStatusUncleared, 0, 0, res::kIdsBaptismUncleared},
    {CDateValue::kStatusSubmitted, res::kIdsBaptismSubmittedTo, 0, res::kIdsBaptismSubmitted}};
constexpr StatusTemplates kEndowmentStatuses[] = {
    {CDateValue::kStatusCleared, res::kIdsEndowmentClearedAt, 0, res::kIdsEndowmentCleared},
    {CDateValue::kStatusCompleted, res::kIdsEndowmentCompletedAt, 0, res::kIdsEndowmentCompleted},
    {CDateValue::kStatusDone, res::kIdsEndowmentDoneAt, 0, res::kIdsEndowmentDone},
    {CDateValue::kStatusPre1970, res::kIdsEndowmentPre1970At, 0, res::kIdsEndowmentPre1970},
    {CDateValue::kStatusUncleared, 0, 0, res::kIdsEndowmentUncleared},
    {CDateValue::kStatusSubmitted, res::kIdsEndowmentSubmittedTo, 0, res::kIdsEndowmentSubmitted}};
constexpr StatusTemplates kSealingSpouseStatuses[] = {
    {CDateValue::kStatusCancelled, 0, 0, res::kIdsTheirSealingUncleared},
    {CDateValue::kStatusUncleared, 0, 0, res::kIdsTheirSealingUncleared},
    {CDateValue::kStatusCleared, res::kIdsTheirSealingClearedAt, 0, res::kIdsTheirSealingCleared},
    {CDateValue::kStatusCompleted, res::kIdsTheirSealingCompletedAt, 0,
     res::kIdsTheirSealingCompleted},
    {CDateValue::kStatusDone, res::kIdsTheirSealingDoneAt, 0, res::kIdsTheirSealingDone},
    {CDateValue::kStatusPre1970, res::kIdsTheirSealingPre1970In, 0, res::kIdsTheirSealingPre1970},
    {CDateValue::kStatusSubmitted, res::kIdsTheirSealingSubmittedTo, 0,
     res::kIdsTheirSealingSubmitted},
    {CDateValue::kStatusDNS, 0, 0, res::kIdsTheirSealingNotToBeDone},
    {CDateValue::kStatusDNSCAN, 0, 0, res::kIdsTheirSealingCancelledNotToBeDone}};

bool IsDeathStatus(int status) {
  return status == CDateValue::kStatusChild || status == CDateValue::kStatusInfant ||
         status == CDateValue::kStatusStillborn;
}

std::vector<std::int32_t> Merge(std::initializer_list<std::vector<std::int32_t>> lists) {
  std::vector<std::int32_t> out;
  for (const auto& l : lists) out.insert(out.end(), l.begin(), l.end());
  return out;
}

}  // namespace

// What the ordinance sentences of one person share.
struct CNarrativeBuilder::OrdinanceStyle {
  const CIndividualRecord& person;
  bool capitalSurnames;
  bool sourceNotes;
  const CitationContext& citations;
  HtmlMode htmlMode;
};

namespace {

// "He" or "She"; nothing for a person of unknown sex.
std::string HeShe(const CIndividualRecord& person) {
  if (person.sex == 'M') return S(res::kIdsHe);
  if (person.sex == 'F') return S(res::kIdsShe);
  return {};
}

}  // namespace

std::string CNarrativeBuilder::OrdinanceMarks(const OrdinanceStyle& style,
                                              const std::vector<std::int32_t>& list, bool hasDate,
                                              bool hasPlace, std::string& dateMark,
                                              std::string& placeMark) const {
  std::string eventMark;
  dateMark.clear();
  placeMark.clear();
  if (style.sourceNotes)
    BuildCitationMarks(list, hasDate, hasPlace, eventMark, dateMark, placeMark, style.citations,
                       style.htmlMode);
  return eventMark;
}

std::string CNarrativeBuilder::SealingToParentsSentence(const OrdinanceStyle& style,
                                                        bool& skipBaptism,
                                                        bool& skipEndowment) const {
  const CIndividualRecord& person = style.person;
  const COrdinanceValue& sealing = person.sealingToParents;
  if (OrdinanceEmpty(sealing)) return {};
  const HtmlMode htmlMode = style.htmlMode;
  const bool female = FemaleForm(person);
  const std::int32_t rin = person.GetRecordNumber();
  const int status = StatusOf(sealing.date);
  const std::vector<std::int32_t> own = Citations(rin, db::kOwnerSealingToParents);
  std::string dateMark, placeMark;
  if (status == 0) {
    const bool hasDate = sealing.date.IsSet();
    const bool hasTemple = !sealing.templeCode.empty();
    const std::string mark = OrdinanceMarks(style, own, hasDate, hasTemple, dateMark, placeMark);
    std::string subject = HeShe(person);
    if (subject.empty()) subject = ShortName(person, style.capitalSurnames, true, htmlMode);
    const std::string pronoun = Lower(S(PronounId(person, res::kIdsHisSealedToParents)));
    const std::string date = hasDate ? Value(Phrase(sealing.date), htmlMode) + dateMark : "";
    const std::string temple =
        hasTemple ? Value(FormatTempleName(sealing.templeCode, false), htmlMode) + placeMark : "";
    const bool qualified = sealing.date.qualifier != CDateValue::kQualNone;
    if (hasDate && hasTemple)
      return subject + Fill(Sx(qualified ? res::kIdsWasSealedToParentsOnInTempleQualified
                                         : res::kIdsWasSealedToParentsOnInTemple,
                               female),
                            {mark, pronoun, date, temple});
    if (hasDate)
      return subject + Fill(Sx(qualified ? res::kIdsWasSealedToParentsOnQualified
                                         : res::kIdsWasSealedToParentsOn,
                               female),
                            {mark, pronoun, date});
    if (hasTemple)
      return subject + Fill(Sx(res::kIdsWasSealedToParents, female), {mark, pronoun, temple});
    return {};
  }
  if (status == CDateValue::kStatusBIC) {
    const std::string mark = OrdinanceMarks(style, own, true, false, dateMark, placeMark);
    std::string subject = HeShe(person);
    if (subject.empty()) subject = ShortName(person, style.capitalSurnames, true, htmlMode);
    return subject + " " + Fill(S(res::kIdsBornInCovenant), {mark, dateMark});
  }
  if (status == CDateValue::kStatusDNS) {
    const std::string mark = OrdinanceMarks(style, own, true, false, dateMark, placeMark);
    return Fill(S(res::kIdsSealingNotToBeDone),
                {mark, Lower(S(PronounId(person, res::kIdsHisSealingNotToBeDone))), dateMark});
  }
  if (status == CDateValue::kStatusStillborn) {
    // A stillborn child's baptism and endowment of the same status are told
    // in this one sentence.
    skipBaptism = StatusOf(person.baptism.date) == CDateValue::kStatusStillborn;
    skipEndowment = StatusOf(person.endowment.date) == CDateValue::kStatusStillborn;
    std::vector<std::int32_t> list = own;
    if (skipBaptism) list = Merge({list, Citations(rin, db::kOwnerBaptism)});
    if (skipEndowment) list = Merge({list, Citations(rin, db::kOwnerEndowment)});
    const std::string mark = OrdinanceMarks(style, list, true, false, dateMark, placeMark);
    const unsigned id = skipBaptism && skipEndowment ? res::kIdsStillbornNoOrdinances
                        : skipBaptism                ? res::kIdsStillbornNoSealingToParentsOrBaptism
                        : skipEndowment ? res::kIdsStillbornNoSealingToParentsOrEndowment
                                        : res::kIdsStillbornNoSealingToParents;
    return Fill(S(id), {Lower(S(PronounId(person, res::kIdsHe))), dateMark, mark});
  }
  const bool french = settings_.french;
  const StatusTemplates* t =
      french ? FindStatus(kSealingParentStatusesFrench, std::size(kSealingParentStatusesFrench),
                          status)
             : FindStatus(kSealingParentStatuses, std::size(kSealingParentStatuses), status);
  if (!t) return {};
  const bool useTemple = TempleUsed(status, sealing.templeCode) && t->withTemple;
  const std::string mark = OrdinanceMarks(style, own, true, useTemple, dateMark, placeMark);
  const std::string temple =
      useTemple ? Value(FormatTempleName(sealing.templeCode, false), htmlMode) : "";
  const std::string sentence =
      Fill(S(useTemple ? t->withTemple : t->without), {mark, dateMark, temple, placeMark});
  return french ? sentence : S(PronounId(person, res::kIdsHisSealingToParents)) + " " + sentence;
}

// The baptism, kept with a temple or, for a baptism of the living, a place.
std::string CNarrativeBuilder::BaptismSentence(const OrdinanceStyle& style,
                                               bool& skipEndowment) const {
  const CIndividualRecord& person = style.person;
  const COrdinanceValue& baptism = person.baptism;
  const bool withPlace = HasPlace(person.fifthEvent);
  if (OrdinanceEmpty(baptism) && !withPlace) return {};
  const HtmlMode htmlMode = style.htmlMode;
  const bool female = FemaleForm(person);
  const std::int32_t rin = person.GetRecordNumber();
  const int baptismStatus = StatusOf(baptism.date);
  const std::vector<std::int32_t> own = Citations(rin, db::kOwnerBaptism);
  std::string dateMark, placeMark;
  if (baptismStatus == 0) {
    const CDateValue& date = baptism.date;
    const bool hasDate = date.IsSet();
    std::string where;
    if (withPlace) {
      where = Value(person.fifthEvent.FormatPlace(", "), htmlMode);
    } else if (!baptism.templeCode.empty() && !IsLiveTemple(baptism.templeCode)) {
      where = Value(FormatTempleName(baptism.templeCode, false), htmlMode);
    }
    const bool hasWhere = !where.empty();
    const std::string mark = OrdinanceMarks(style, own, hasDate, hasWhere, dateMark, placeMark);
    const std::string dateText = hasDate ? Value(Phrase(date), htmlMode) + dateMark : "";
    if (hasWhere) where += placeMark;
    const std::string subject = ShortName(person, style.capitalSurnames, false, htmlMode);
    if (hasDate && hasWhere)
      return subject +
             Fill(Sx(withPlace ? res::kIdsWasBaptizedOnInPlace : res::kIdsWasBaptizedOnInTemple,
                     female),
                  {mark, dateText, where});
    if (hasDate) return subject + Fill(Sx(res::kIdsWasBaptized, female), {mark, dateText});
    if (hasWhere)
      return subject +
             Fill(
                 Sx(withPlace ? res::kIdsWasBaptizedInPlace : res::kIdsWasBaptizedInTemple, female),
                 {mark, where});
    return {};
  }
  if (IsDeathStatus(baptismStatus)) {
    // An endowment of the same status is told in this sentence.
    const bool fold = StatusOf(person.endowment.date) == baptismStatus;
    skipEndowment = skipEndowment || fold;
    const std::vector<std::int32_t> list =
        fold ? Merge({own, Citations(rin, db::kOwnerEndowment)}) : own;
    const std::string mark = OrdinanceMarks(style, list, true, false, dateMark, placeMark);
    std::string sentence;
    if (baptismStatus == CDateValue::kStatusChild)
      sentence = Sx(fold ? res::kIdsDiedAsChildNoBaptismOrEndowment : res::kIdsDiedAsChildNoBaptism,
                    female);
    else if (baptismStatus == CDateValue::kStatusInfant)
      sentence =
          Sx(fold ? res::kIdsDiedAsInfantNoBaptismOrEndowment : res::kIdsDiedAsInfantNoBaptism,
             female);
    else
      sentence = S(fold ? res::kIdsStillbornNoBaptismOrEndowment : res::kIdsStillbornNoBaptism);
    return Fill(sentence, {Lower(S(PronounId(person, res::kIdsHe))), dateMark, mark});
  }
  const StatusTemplates* t =
      FindStatus(kBaptismStatuses, std::size(kBaptismStatuses), baptismStatus);
  if (!t) return {};
  std::string where;
  unsigned id = t->without;
  if (withPlace && t->withPlace) {
    where = Value(person.fifthEvent.FormatPlace(", "), htmlMode);
    id = t->withPlace;
  } else if (!withPlace && TempleUsed(baptismStatus, baptism.templeCode) &&
             !IsLiveTemple(baptism.templeCode) && t->withTemple) {
    where = Value(FormatTempleName(baptism.templeCode, false), htmlMode);
    id = t->withTemple;
  }
  const std::string mark = OrdinanceMarks(style, own, true, !where.empty(), dateMark, placeMark);
  return S(PronounId(person, res::kIdsHisBaptism)) + " " +
         Fill(S(id), {mark, dateMark, where, placeMark});
}

std::string CNarrativeBuilder::EndowmentSentence(const OrdinanceStyle& style) const {
  const CIndividualRecord& person = style.person;
  const COrdinanceValue& endowment = person.endowment;
  if (OrdinanceEmpty(endowment)) return {};
  const HtmlMode htmlMode = style.htmlMode;
  const bool female = FemaleForm(person);
  const int endowmentStatus = StatusOf(endowment.date);
  const std::vector<std::int32_t> own = Citations(person.GetRecordNumber(), db::kOwnerEndowment);
  std::string dateMark, placeMark;
  if (endowmentStatus == 0) {
    const bool hasDate = endowment.date.IsSet();
    const bool hasTemple = !endowment.templeCode.empty();
    const std::string mark = OrdinanceMarks(style, own, hasDate, hasTemple, dateMark, placeMark);
    std::string subject = HeShe(person);
    if (subject.empty()) subject = ShortName(person, style.capitalSurnames, false, htmlMode);
    const std::string date = hasDate ? Value(Phrase(endowment.date), htmlMode) + dateMark : "";
    const std::string temple =
        hasTemple ? Value(FormatTempleName(endowment.templeCode, false), htmlMode) + placeMark : "";
    if (hasDate && hasTemple)
      return subject + " " + Fill(Sx(res::kIdsWasEndowedOnInTemple, female), {mark, date, temple});
    if (hasDate) return subject + " " + Fill(Sx(res::kIdsWasEndowedOn, female), {mark, date});
    if (hasTemple)
      return subject + " " + Fill(Sx(res::kIdsWasEndowedInTemple, female), {mark, temple});
    return {};
  }
  if (IsDeathStatus(endowmentStatus)) {
    const std::string mark = OrdinanceMarks(style, own, true, false, dateMark, placeMark);
    const std::string sentence = endowmentStatus == CDateValue::kStatusChild
                                     ? Sx(res::kIdsDiedAsChildNoEndowment, female)
                                 : endowmentStatus == CDateValue::kStatusInfant
                                     ? Sx(res::kIdsDiedAsInfantNoEndowment, female)
                                     : S(res::kIdsStillbornNoEndowment);
    return Fill(sentence, {Lower(S(PronounId(person, res::kIdsHe))), dateMark, mark});
  }
  const StatusTemplates* t =
      FindStatus(kEndowmentStatuses, std::size(kEndowmentStatuses), endowmentStatus);
  if (!t) return {};
  const bool useTemple = TempleUsed(endowmentStatus, endowment.templeCode) && t->withTemple;
  const std::string mark = OrdinanceMarks(style, own, true, useTemple, dateMark, placeMark);
  const std::string temple =
      useTemple ? Value(FormatTempleName(endowment.templeCode, false), htmlMode) : "";
  return S(PronounId(person, res::kIdsHisEndowment)) + " " +
         Fill(S(useTemple ? t->withTemple : t->without), {mark, dateMark, temple, placeMark});
}

void CNarrativeBuilder::BuildOrdinanceSentences(const CIndividualRecord& person, std::string& out,
                                                bool capitalSurnames, bool sourceNotes,
                                                const CitationContext& citations,
                                                HtmlMode htmlMode) const {
  out.clear();
  const OrdinanceStyle style{person, capitalSurnames, sourceNotes, citations, htmlMode};
  auto block = [&](const std::string& text) {
    if (text.empty()) return;
    if (!out.empty()) out += ' ';
    out += text;
  };
  bool skipBaptism = false;
  bool skipEndowment = false;
  block(SealingToParentsSentence(style, skipBaptism, skipEndowment));
  if (!skipBaptism) block(BaptismSentence(style, skipEndowment));
  if (!skipEndowment) block(EndowmentSentence(style));
}

void CNarrativeBuilder::BuildSealingToSpouse(const CMarriageRecord& marriage, std::string& out,
                                             bool sourceNotes, const CitationContext& citations,
                                             HtmlMode htmlMode) const {
  out.clear();
  const COrdinanceValue& sealing = marriage.sealingToSpouse;
  if (OrdinanceEmpty(sealing)) return;
  const int status = StatusOf(sealing.date);
  const std::vector<std::int32_t> own =
      Citations(marriage.GetRecordNumber(), db::kOwnerSealingToSpouse);
  std::string eventMark, dateMark, placeMark;
  auto marks = [&](bool hasDate, bool hasPlace) {
    if (sourceNotes)
      BuildCitationMarks(own, hasDate, hasPlace, eventMark, dateMark, placeMark, citations,
                         htmlMode);
  };
  if (status == 0) {
    const bool hasDate = sealing.date.IsSet();
    const bool hasTemple = !sealing.templeCode.empty();
    marks(hasDate, hasTemple);
    const std::string date = hasDate ? Value(Phrase(sealing.date), htmlMode) + dateMark : "";
    const std::string temple =
        hasTemple ? Value(FormatTempleName(sealing.templeCode, false), htmlMode) + placeMark : "";
    if (hasDate && hasTemple)
      out = Fill(S(res::kIdsTheyWereSealedOnIn), {eventMark, date, temple});
    else if (hasDate)
      out = Fill(S(res::kIdsTheyWereSealedOn), {eventMark, date});
    else if (hasTemple)
      out = Fill(S(res::kIdsTheyWereSealedIn), {eventMark, temple});
    return;
  }
  const StatusTemplates* t =
      FindStatus(kSealingSpouseStatuses, std::size(kSealingSpouseStatuses), status);
  if (!t) return;
  const bool useTemple = TempleUsed(status, sealing.templeCode) && t->withTemple;
  marks(true, useTemple);
  const std::string temple =
      useTemple ? Value(FormatTempleName(sealing.templeCode, false), htmlMode) : "";
  out = Fill(S(useTemple ? t->withTemple : t->without), {eventMark, dateMark, temple, placeMark});
}

// ---- the person's paragraph ----

namespace {

std::int32_t SpouseOf(const CMarriageRecord& m, std::int32_t rin) {
  return m.husband == rin ? m.wife : m.husband;
}

// The child's relationship letter to the parents: the first parent's, or
// the second's when the first is biological.
char ParentRelationLetter(const CFamilyLinkRecord& link) {
  return link.firstParentRelation == 'b' ? link.secondParentRelation : link.firstParentRelation;
}

bool HasOtherParents(std::int32_t rin) {
  std::vector<std::int32_t> links;
  return DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rin, 0) > 1;
}

std::string PageNumber(int page) {
  char text[16];
  std::snprintf(text, sizeof text, "%2.2d", page);
  return text;
}

}  // namespace

// The name in bold; in web text with its anchor, its links and what follows
// the name. A web paragraph starts its citation numbers afresh.
void CNarrativeBuilder::WritePersonName(const PersonNarrativeArgs& args,
                                        const CIndividualRecord& person, bool living,
                                        std::string& s) const {
  const HtmlMode html = args.htmlMode;
  const std::string name = PersonName(person, args.nameOption, args.capitalSurnames, html);
  if (!IsHtml(html)) {
    s += "<B>" + name + "</B>";
    return;
  }
  if (args.citations.numbers) args.citations.numbers->clear();
  if (args.citations.seenFlags) args.citations.seenFlags->clear();
  DiscardCitationNumberLists();
  const std::string prefix = HtmlEscape(settings_.filePrefix);
  s += "<b>" + NameAnchor(args.rin);
  const bool linked = html == HtmlMode::kDescendants && args.webItem;
  if (linked)
    s += "<a href=\"" + prefix + "g" + PageNumber(args.webItem->page) + ".htm#" + Number(args.rin) +
         "C\">";
  s += living && !settings_.doName ? S(res::kIdsLiving) : name;
  if (html == HtmlMode::kFamilyPages && args.parentsPage && !args.parentsAnchor.empty())
    s += "&nbsp;[<a href=\"" + prefix + "g" + PageNumber(args.parentsPage) + ".htm#" +
         args.parentsAnchor + "\">" + S(res::kIdsParents) + "</a>]";
  if (linked) s += "</a>";
  s += "</b>" + args.afterName;
}

// The web lineage: the person and the ancestors through the first parents.
void CNarrativeBuilder::WriteWebLineage(const PersonNarrativeArgs& args, std::string& s) const {
  struct Entry {
    const WebLineageItem* item;
    CIndividualRecord record;
  };
  std::vector<Entry> entries;
  for (const WebLineageItem* item = args.webItem; item; item = item->firstParent) {
    Entry e{item, {}};
    if (!DbGetRecord(item->rin, db::kIndividual, &e.record)) e.record.Clear();
    const bool ancestorLiving = !IsPresumedDeceased(e.record);
    if (ancestorLiving && !settings_.doName) continue;
    entries.push_back(std::move(e));
  }
  if (entries.empty()) return;
  s += " (";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const CIndividualRecord& r = entries[i].record;
    if (i) s += ", ";
    s += "<a href=\"" + HtmlEscape(settings_.filePrefix) + "g" + PageNumber(entries[i].item->page) +
         ".htm#" + Number(entries[i].item->rin) + "\">";
    // The second and third given names only of those no longer living.
    s += Value(IsPresumedDeceased(r) ? r.GetGivenNames() : r.givenNames[0], args.htmlMode);
    // The surname closes each run of equal surnames.
    if (i + 1 == entries.size() || entries[i + 1].record.surname != r.surname) {
      std::string surname = r.surname;
      if (args.capitalSurnames)
        for (char& c : surname) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (!surname.empty()) s += " " + Value(surname, args.htmlMode);
    }
    s += "</a>\n";
  }
  s += ")";
}

// The marriage sentence of the person's paragraph, after the vital
// sentences already written; false when the marriage tells nothing.
bool CNarrativeBuilder::WriteMarriageSentence(const PersonNarrativeArgs& args,
                                              const CIndividualRecord& person, int vitalWritten,
                                              std::string& s) const {
  const HtmlMode html = args.htmlMode;
  CMarriageRecord marriage;
  if (!DbGetRecord(args.marriage, db::kMarriage, &marriage)) marriage.Clear();
  const std::int32_t spouseRin = SpouseOf(marriage, args.rin);
  const CEventValue& event = marriage.marriage;
  const bool hasDate = event.date.IsSet();
  const bool hasPlace = HasPlace(event);
  if (!spouseRin && !hasDate && !hasPlace) return false;
  const bool female = FemaleForm(person);
  if (vitalWritten == 1 && person.sex == 'M')
    s += " " + S(res::kIdsHe);
  else if (vitalWritten == 1 && person.sex == 'F')
    s += " " + S(res::kIdsShe);
  else if (vitalWritten)
    s += " " + ShortName(person, args.capitalSurnames, true, html);
  std::string spouseName;
  if (spouseRin) {
    CIndividualRecord spouse;
    if (!DbGetRecord(spouseRin, db::kIndividual, &spouse)) spouse.Clear();
    spouseName = ShownAsLiving(spouse, args.livingCheck) && !settings_.doName
                     ? S(res::kIdsLiving)
                     : PersonName(spouse, args.nameOption, args.capitalSurnames, html);
  }
  const bool notMarried = event.date.month == CDateValue::kStatusNotMarried;
  std::string eventMark, dateMark, placeMark;
  if (args.sourceNotes)
    BuildCitationMarks(Merge({Citations(args.marriage, db::kOwnerMarriageEvent),
                              Citations(args.marriage, db::kOwnerMarriage)}),
                       hasDate && !notMarried, hasPlace, eventMark, dateMark, placeMark,
                       args.citations, html);
  const std::string date = hasDate && !notMarried ? Value(Phrase(event.date), html) + dateMark : "";
  const std::string place = hasPlace ? Value(event.FormatPlace(", "), html) + placeMark : "";
  const bool qualified = event.date.qualifier != CDateValue::kQualNone;
  switch ((spouseRin ? 1 : 0) + (hasDate ? 2 : 0) + (hasPlace ? 4 : 0)) {
    case 1:
      s += Fill(Sx(res::kIdsMarriedTo, female), {eventMark, spouseName});
      break;
    case 2:
      s += notMarried ? Fill(Sx(res::kIdsWasNotMarried, female), {eventMark})
                      : Fill(Sx(res::kIdsWasMarriedOn, female), {eventMark, date});
      break;
    case 3:
      s += notMarried
               ? Fill(Sx(res::kIdsNotMarriedTo, female), {eventMark, spouseName})
               : Fill(Sx(qualified ? res::kIdsMarriedToOnQualified : res::kIdsMarriedToOn, female),
                      {eventMark, spouseName, date});
      break;
    case 4:
      s += Fill(Sx(res::kIdsWasMarriedIn, female), {eventMark, place});
      break;
    case 5:
      s += Fill(Sx(res::kIdsMarriedToIn, female), {eventMark, spouseName, place});
      break;
    case 6:
      s += notMarried ? Fill(Sx(res::kIdsNotMarriedAt, female), {eventMark, place})
                      : Fill(Sx(res::kIdsWasMarriedOnIn, female), {eventMark, date, place});
      break;
    case 7:
      s += notMarried
               ? Fill(Sx(res::kIdsNotMarriedToAt, female), {eventMark, spouseName, place})
               : Fill(Sx(qualified ? res::kIdsMarriedToOnInQualified : res::kIdsMarriedToOnIn,
                         female),
                      {eventMark, spouseName, date, place});
      break;
  }
  if (!args.suppressMrin) s += " (MRIN:" + Number(args.marriage) + ")";
  s += '.';
  if (args.zel) {
    std::string sealing;
    BuildSealingToSpouse(marriage, sealing, args.sourceNotes, args.citations, html);
    if (!sealing.empty()) s += " " + sealing;
  }
  if (marriage.status == 'D' && !notMarried) s += S(res::kIdsDivorce);
  return true;
}

// The relationship to the parents and the note of other parents, led by two
// blanks; nothing when neither is told.
std::string CNarrativeBuilder::ParentsSentences(const CIndividualRecord& person, std::int32_t rin,
                                                bool parentLinks, bool multipleParents, bool spouse,
                                                HtmlMode htmlMode) const {
  std::string parents = "  ";
  bool relationWritten = false;
  if (parentLinks && person.numbers[CIndividualRecord::kParentLink]) {
    CFamilyLinkRecord link;
    if (DbGetRecord(person.numbers[CIndividualRecord::kParentLink], db::kFamilyLink, &link)) {
      const std::string sentence =
          ParentLinkSentence(person, ParentRelationLetter(link), spouse, htmlMode);
      parents += sentence;
      relationWritten = !sentence.empty();
    }
  }
  bool otherParents = false;
  if (multipleParents && HasOtherParents(rin)) {
    const std::string sentence = S(PronounId(person, res::kIdsOtherParentsMale));
    parents += relationWritten ? "; " + sentence : UpperFirst(sentence);
    otherParents = true;
  }
  if (relationWritten && !otherParents) parents += '.';
  return parents.size() > 2 ? parents : std::string();
}

void CNarrativeBuilder::BuildPersonNarrative(const PersonNarrativeArgs& args) const {
  if (!args.text) return;
  std::string& s = *args.text;
  s.clear();
  const HtmlMode html = args.htmlMode;
  CIndividualRecord person;
  if (!DbGetRecord(args.rin, db::kIndividual, &person)) person.Clear();
  const bool living = ShownAsLiving(person, args.livingCheck);
  WritePersonName(args, person, living, s);
  if (living) return;

  if (!Nickname(person).empty()) s += " \"" + Value(Nickname(person), html) + "\"";
  if (args.sourceNotes) {
    std::string eventMark, dateMark, placeMark;
    BuildCitationMarks(Citations(args.rin, db::kOwnerIndividual), false, false, eventMark, dateMark,
                       placeMark, args.citations, html);
    s += eventMark;
  }
  if (html == HtmlMode::kDescendants && args.webItem) WriteWebLineage(args, s);

  const std::string birth = BirthSentence(person, args.sourceNotes, args.citations, html);
  s += birth;
  const bool birthWritten = !birth.empty();
  std::string subject;
  if (birthWritten) {
    if (person.sex == 'M')
      subject = " " + S(res::kIdsHe);
    else if (person.sex == 'F')
      subject = " " + S(res::kIdsShe);
    else
      subject = " " + ShortName(person, args.capitalSurnames, true, html);
  }
  const std::string death = DeathSentence(person, subject, args.sourceNotes, args.citations, html);
  s += death;
  const bool deathWritten = !death.empty();
  bool anySentence = birthWritten || deathWritten;

  if (args.zel) {
    std::string ordinances;
    BuildOrdinanceSentences(person, ordinances, args.capitalSurnames, args.sourceNotes,
                            args.citations, html);
    if (!ordinances.empty()) {
      if (!anySentence) s += ". ";
      s += " " + ordinances;
      anySentence = true;
    }
  }
  if (args.marriage &&
      WriteMarriageSentence(args, person, (birthWritten ? 1 : 0) + (deathWritten ? 1 : 0), s))
    anySentence = true;
  if (!anySentence) s += '.';

  s += ParentsSentences(person, args.rin, args.parentLinks, args.multipleParents, false, html);
  if (args.otherEvents)
    BuildOtherEvents(args.rin, s, args.capitalSurnames, args.sourceNotes, args.confidential,
                     args.citations, html);
}

// ---- other events ----

void CNarrativeBuilder::BuildOtherEvents(std::int32_t rin, std::string& text, bool capitalSurnames,
                                         bool sourceNotes, bool confidential,
                                         const CitationContext& citations,
                                         HtmlMode htmlMode) const {
  CIndividualRecord person;
  if (!DbGetRecord(rin, db::kIndividual, &person)) return;
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
  bool first = true;
  bool previousHadDateOrPlace = false;
  for (std::int32_t number : events) {
    CUserEventRecord event;
    if (!DbGetRecord(number, db::kUserEvent, &event) || !event.GetEvent()) continue;
    if (event.yesNo == 'Y' && !confidential) continue;
    CEventTypeRecord type;
    if (!DbGetRecord(event.eventTypeNumber, db::kEventType, &type)) type.Clear();
    const CPlaceEventObject& value = *event.GetEvent();
    std::string date;
    if (type.dateKind == 1 && value.date.IsSet()) {
      date = Value(Phrase(value.date), htmlMode);
    } else if (type.dateKind == 2 && value.date.IsSet()) {
      date = Value(value.date.Format(), htmlMode);
      if (event.secondDate.IsSet()) date += " - " + Value(event.secondDate.Format(), htmlMode);
    }
    std::string place =
        JoinPlaceParts(value.place[0], value.place[1], value.place[2], value.place[3], ", ");
    if (place.size() > 60) place.resize(60);
    const bool hasDate = !date.empty();
    const bool hasPlace = !place.empty();
    if (!hasDate && !hasPlace && event.description.empty()) continue;

    if (first) {
      text += "\r\n\r\n" + ShortName(person, capitalSurnames, true, htmlMode);
      first = false;
    } else if (previousHadDateOrPlace) {
      if (person.sex == 'M')
        text += " " + S(res::kIdsHe);
      else if (person.sex == 'F')
        text += " " + S(res::kIdsShe);
      else
        text += " " + ShortName(person, capitalSurnames, true, htmlMode);
    }
    std::string mark, dateMark, placeMark;
    if (sourceNotes)
      BuildCitationMarks(Citations(number, db::kOwnerIndividualUserEvent), false, false, mark,
                         dateMark, placeMark, citations, htmlMode);
    // Joined piece by piece: the verb phrase, description and preposition
    // are the user's text and never a template.
    std::string sentence = " " + Value(type.verbPhrase, htmlMode);
    if (type.hasDescription && !event.description.empty())
      sentence += " " + Value(event.description, htmlMode);
    const std::string preposition = Value(type.placePreposition, htmlMode);
    const std::string placeText = Value(place, htmlMode);
    if (hasDate && hasPlace)
      sentence += mark + " " + date + " " + preposition + " " + placeText;
    else if (hasDate)
      sentence += mark + " " + date;
    else if (hasPlace)
      sentence += " " + mark + " " + preposition + " " + placeText;
    else
      sentence += mark;
    text += sentence + ".";
    previousHadDateOrPlace = hasDate || hasPlace;
  }
}

// ---- the spouse's paragraph ----

namespace {

// The word of the spouse's note of a relationship to the parents other
// than birth; 0 for none.
unsigned RelationNoteId(char letter) {
  switch (letter) {
    case 'a':
      return res::kIdsAdopted;
    case 'c':
      return res::kIdsChallenged;
    case 'd':
      return res::kIdsDisproved;
    case 'g':
      return res::kIdsGuardian;
    case 's':
      return res::kIdsSealing;
    default:
      return 0;
  }
}

}  // namespace

// The spouse in bold after the main person, with the marriage's label and
// marks; true when the spouse is shown as living, of whom nothing more is
// told.
bool CNarrativeBuilder::WriteSpouseName(const SpouseNarrativeArgs& args, std::int32_t spouseRin,
                                        const CIndividualRecord& spouse, bool mainFemale,
                                        bool notMarried, std::string& s) const {
  const HtmlMode html = args.htmlMode;
  const bool spouseLiving = ShownAsLiving(spouse, args.livingCheck);
  std::string label;
  if (args.suppressMrin) {
    if (args.ordinal) label = "(" + Number(args.ordinal) + ")";
  } else if (args.ordinal) {
    label = "(" + Number(args.ordinal) + "-MRIN:" + Number(args.marriage) + ")";
  } else {
    label = "(MRIN:" + Number(args.marriage) + ")";
  }
  const std::string shown = spouseLiving && !settings_.doName
                                ? S(res::kIdsLiving)
                                : PersonName(spouse, args.nameOption, args.capitalSurnames, html);
  std::string spouseText = IsHtml(html)
                               ? "<b>" + NameAnchor(spouseRin) + shown + "</b>" + args.afterName
                               : "<B>" + shown + "</B>";
  if (!spouseLiving) {
    if (!Nickname(spouse).empty()) spouseText += " \"" + Value(Nickname(spouse), html) + "\"";
    if (args.sourceNotes) {
      std::string nameMark, d, p;
      BuildCitationMarks(Citations(spouseRin, db::kOwnerIndividual), false, false, nameMark, d, p,
                         args.citations, html);
      spouseText += nameMark;
    }
  }
  std::string eventMark, dateMark, placeMark;
  if (args.sourceNotes)
    BuildCitationMarks(Merge({Citations(args.marriage, db::kOwnerMarriageEvent),
                              Citations(args.marriage, db::kOwnerMarriage)}),
                       false, false, eventMark, dateMark, placeMark, args.citations, html);
  const bool shortForm = args.suppressMrin && args.ordinal == 0;
  if (args.ordinal < 2) {
    if (notMarried)
      s += shortForm
               ? Fill(Sx(res::kIdsNotMarriedToShort, mainFemale), {eventMark, spouseText})
               : Fill(Sx(res::kIdsNotMarriedWithLabel, mainFemale), {eventMark, label, spouseText});
    else
      s += shortForm
               ? Fill(Sx(res::kIdsMarriedToShort, mainFemale), {eventMark, spouseText})
               : Fill(Sx(res::kIdsMarriedWithLabel, mainFemale), {eventMark, label, spouseText});
  } else {
    s += Fill(Sx(notMarried ? res::kIdsAlsoNotMarriedWithLabel : res::kIdsAlsoMarriedWithLabel,
                 mainFemale),
              {eventMark, label, spouseText});
  }
  return spouseLiving;
}

// "son of X and Y" and its forms for the spouse's parents; false when the
// spouse has none.
bool CNarrativeBuilder::WriteSpouseParents(const SpouseNarrativeArgs& args,
                                           const CIndividualRecord& spouse, std::string& s) const {
  if (!spouse.numbers[CIndividualRecord::kParentsMrin]) return false;
  CMarriageRecord parents;
  if (!DbGetRecord(spouse.numbers[CIndividualRecord::kParentsMrin], db::kMarriage, &parents) ||
      !(parents.husband || parents.wife))
    return false;
  std::string word = S(res::kIdsSonWord + (spouse.sex == 'M' ? 0 : spouse.sex == 'F' ? 1 : 2));
  if (args.parentLinks && spouse.numbers[CIndividualRecord::kParentLink]) {
    CFamilyLinkRecord link;
    if (DbGetRecord(spouse.numbers[CIndividualRecord::kParentLink], db::kFamilyLink, &link) &&
        !(link.firstParentRelation == 'b' && link.secondParentRelation == 'b')) {
      const unsigned note = RelationNoteId(ParentRelationLetter(link));
      if (note) word += " (" + Lower(S(note)) + ")";
    }
  }
  auto parentName = [&](std::int32_t rin) {
    CIndividualRecord p;
    if (!DbGetRecord(rin, db::kIndividual, &p)) p.Clear();
    return PersonName(p, args.nameOption, args.capitalSurnames, args.htmlMode);
  };
  const std::string mrin = Number(parents.GetRecordNumber());
  if (parents.husband && parents.wife) {
    const std::string father = parentName(parents.husband);
    const std::string mother = parentName(parents.wife);
    s += args.suppressMrin
             ? FillSequential(S(res::kIdsChildOfParents), {word, father, mother})
             : FillSequential(S(res::kIdsChildOfParentsMrin), {word, father, mother, mrin});
  } else {
    const std::string parent = parentName(parents.husband ? parents.husband : parents.wife);
    s += args.suppressMrin ? FillSequential(S(res::kIdsChildOfParent), {word, parent})
                           : FillSequential(S(res::kIdsChildOfParentMrin), {word, parent, mrin});
  }
  return true;
}

// The date and place of the marriage in the spouse's paragraph.
std::string CNarrativeBuilder::MarriageDatePlace(const CEventValue& event, bool notMarried,
                                                 bool mainFemale, HtmlMode html) const {
  const bool hasDate = event.date.IsSet();
  const bool hasPlace = HasPlace(event);
  const std::string date = hasDate && !notMarried ? Value(Phrase(event.date), html) : "";
  const std::string place = hasPlace ? Value(event.FormatPlace(", "), html) : "";
  const int c = (hasDate ? 1 : 0) + (hasPlace ? 2 : 0);
  if (c == 1 && !date.empty()) return " " + date;
  if (c == 2) return FillSequential(S(res::kIdsInPlace), {place});
  if (c == 3 && notMarried) return Fill(Sx(res::kIdsNotMarriedAt, mainFemale), {"", place});
  if (c == 3)
    return FillSequential(
        S(event.date.qualifier ? res::kIdsDateInPlaceQualified : res::kIdsDateInPlace),
        {date, place});
  return {};
}

// The spouse's own sentences, kept only when a vital event is told.
void CNarrativeBuilder::WriteSpouseOwnSentences(const SpouseNarrativeArgs& args,
                                                std::int32_t spouseRin,
                                                const CIndividualRecord& spouse,
                                                bool parentsWritten, std::string& s) const {
  const HtmlMode html = args.htmlMode;
  const std::size_t keep = s.size();
  const std::string shortName = ShortName(spouse, args.capitalSurnames, true, html);
  const std::string birth = BirthSentence(spouse, args.sourceNotes, args.citations, html);
  std::string subject;
  if (!birth.empty()) {
    if (spouse.sex == 'M')
      subject = " " + S(res::kIdsHe);
    else if (spouse.sex == 'F')
      subject = " " + S(res::kIdsShe);
    else
      subject = " " + shortName;
  }
  const std::string death = DeathSentence(spouse, subject, args.sourceNotes, args.citations, html);
  const bool vital = !birth.empty() || !death.empty();
  s += " " + shortName + birth + death;
  if (args.zel) {
    std::string ordinances;
    BuildOrdinanceSentences(spouse, ordinances, args.capitalSurnames, args.sourceNotes,
                            args.citations, html);
    if (!ordinances.empty()) s += " " + ordinances;
  }
  s += ParentsSentences(spouse, spouseRin, args.parentLinks && !parentsWritten,
                        args.multipleParents, true, html);
  if (args.otherEvents)
    BuildOtherEvents(spouseRin, s, args.capitalSurnames, args.sourceNotes, args.confidential,
                     args.citations, html);
  if (!vital) s.resize(keep);
}

int CNarrativeBuilder::BuildSpouseNarrative(const SpouseNarrativeArgs& args) const {
  if (!args.text) return 0;
  std::string& s = *args.text;
  s.clear();
  const HtmlMode html = args.htmlMode;
  if (IsHtml(html)) {
    if (args.citations.numbers) args.citations.numbers->clear();
    if (args.citations.seenFlags) args.citations.seenFlags->clear();
    DiscardCitationNumberLists();
  }
  if (!args.marriage) return -1;
  CMarriageRecord marriage;
  if (!DbGetRecord(args.marriage, db::kMarriage, &marriage)) marriage.Clear();
  CIndividualRecord main;
  if (!DbGetRecord(args.rin, db::kIndividual, &main)) main.Clear();
  const bool mainFemale = FemaleForm(main);
  const std::int32_t spouseRin = SpouseOf(marriage, args.rin);
  const CEventValue& event = marriage.marriage;
  const bool notMarried =
      marriage.status == 'N' || event.date.month == CDateValue::kStatusNotMarried;
  if (!spouseRin && !event.date.IsSet() && !HasPlace(event)) {
    s += '.';
    return 0;
  }

  // The main person as the subject.
  s += ShownAsLiving(main, args.livingCheck) && !settings_.doName
           ? S(res::kIdsLiving)
           : ShortName(main, args.capitalSurnames, true, html);
  CIndividualRecord spouse;
  if (spouseRin) {
    if (!DbGetRecord(spouseRin, db::kIndividual, &spouse)) spouse.Clear();
    if (WriteSpouseName(args, spouseRin, spouse, mainFemale, notMarried, s)) return spouseRin;
  }
  const bool parentsWritten = spouseRin && WriteSpouseParents(args, spouse, s);
  const std::string when = MarriageDatePlace(event, notMarried, mainFemale, html);
  if (!when.empty()) {
    if (parentsWritten) s += ',';
    if (!spouseRin) s += Sx(res::kIdsWasMarried, mainFemale);
  }
  s += when + '.';
  if (args.zel) {
    std::string sealing;
    BuildSealingToSpouse(marriage, sealing, args.sourceNotes, args.citations, html);
    if (!sealing.empty()) s += " " + sealing;
  }
  if (marriage.status == 'D' && !notMarried) s += S(res::kIdsDivorce);
  if (!spouseRin) return 0;
  WriteSpouseOwnSentences(args, spouseRin, spouse, parentsWritten, s);
  return spouseRin;
}

// ---- children lists ----

void CNarrativeBuilder::BuildChildrenHeading(std::int32_t mrin, bool useNames, std::string& out,
                                             int nameOption, bool lineBreaks,
                                             bool livingCheck) const {
  out.clear();
  CMarriageRecord marriage;
  if (!DbGetRecord(mrin, db::kMarriage, &marriage)) marriage.Clear();
  auto partner = [&](std::int32_t rin) {
    CIndividualRecord p;
    if (!DbGetRecord(rin, db::kIndividual, &p)) p.Clear();
    if (ShownAsLiving(p, livingCheck) && !settings_.doName) return S(res::kIdsLiving);
    return p.GetName(nameOption, false, 1, false);
  };
  if (useNames) {
    if (lineBreaks) out += "\r\n";
    if (marriage.husband && marriage.wife)
      out += FillSequential(S(res::kIdsCoupleHadChildren),
                            {partner(marriage.husband), partner(marriage.wife)});
    else if (marriage.husband)
      out += FillSequential(S(res::kIdsPersonAndSpouseHadChildren),
                            {partner(marriage.husband), Lower(S(res::kIdsHisWord))});
    else if (marriage.wife)
      out += FillSequential(S(res::kIdsPersonAndSpouseHadChildren),
                            {partner(marriage.wife), Lower(S(res::kIdsHerWord))});
    else
      out += S(res::kIdsTheyHadChildren);
  } else {
    if (marriage.husband && marriage.wife)
      out += S(res::kIdsTheyHadChildren);
    else if (!marriage.husband && !marriage.wife)
      out += S(res::kIdsTheyHadChildren);
    else
      out += FillSequential(S(res::kIdsPersonHadChildren),
                            {S(marriage.husband ? res::kIdsHe : res::kIdsShe)});
  }
  if (lineBreaks) out += "\r\n";
}

void CNarrativeBuilder::BuildChildEntry(const ChildEntryArgs& args) const {
  if (!args.text) return;
  std::string& s = *args.text;
  CIndividualRecord child;
  if (!DbGetRecord(args.rin, db::kIndividual, &child)) child.Clear();
  const HtmlMode html = args.web ? HtmlMode::kDescendants : HtmlMode::kBookText;
  const std::string name = ShownAsLiving(child, args.livingCheck) && !settings_.doName
                               ? S(res::kIdsLiving)
                               : PersonName(child, args.nameOption, args.capitalSurnames, html);
  if (args.web)
    s += name + "</b></a>";
  else
    s += "<B>" + name + "</B>";
  if (args.livingCheck) return;
  const bool female = FemaleForm(child);
  bool written = false;
  if (child.birth.date.IsSet()) {
    s += Fill(Sx(res::kIdsBornDate, female), {"", Value(Phrase(child.birth.date), html)});
    written = true;
  } else if (child.christening.date.IsSet()) {
    s += Fill(Sx(res::kIdsChristenedDate, female),
              {"", Value(Phrase(child.christening.date), html)});
    written = true;
  }
  const CDateValue& death = child.death.date;
  if (death.IsSet()) {
    if (written) s += GetAndWord();
    switch (death.IsStatus() ? death.month : 0) {
      case 0:
        s += Fill(Sx(res::kIdsDiedDate, female), {"", Value(Phrase(death), html)});
        break;
      case CDateValue::kStatusChild:
        s += Fill(Sx(res::kIdsDiedDate, female), {"", S(res::kIdsAsAChild)});
        break;
      case CDateValue::kStatusInfant:
        s += Fill(Sx(res::kIdsDiedDate, female), {"", S(res::kIdsAsAnInfant)});
        break;
      case CDateValue::kStatusStillborn:
        s += Fill(Sx(res::kIdsDiedDate, female), {"", Sx(res::kIdsStillbornWord, female)});
        break;
      default:
        s += Sx(res::kIdsDiedAlone, female);
    }
  } else if (child.burial.date.IsSet()) {
    if (written) s += GetAndWord();
    s += Fill(Sx(res::kIdsBuriedDate, female), {"", Value(Phrase(child.burial.date), html)});
  }
  s += '.';
}
