// The GEDCOM import of INDI records: names, attributes, events, ordinances,
// parent-family links and contact information.

#include "GedcomImporter.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "DbCalls.h"
#include "GedcomImportSupport.h"
#include "IndividualRecord.h"
#include "Records.h"
#include "StringStore.h"

namespace gedcom {

using namespace importing;

namespace {

// The text trimmed, tabs as blanks, runs of blanks as one.
std::string CleanBlanks(std::string_view text) {
  std::string clean;
  for (char c : Trim(text)) {
    if (c == '\t') c = ' ';
    if (c == ' ' && !clean.empty() && clean.back() == ' ') continue;
    clean += c;
  }
  return clean;
}

// Given names: the cleaned text's first word, second word, the rest.
void SetGivenNames(CIndividualRecord& record, std::string_view text) {
  const std::string clean = CleanBlanks(text);
  for (auto& g : record.givenNames) g.clear();
  const std::size_t first = clean.find(' ');
  record.givenNames[0] = clean.substr(0, first);
  if (first == std::string::npos) return;
  const std::size_t second = clean.find(' ', first + 1);
  record.givenNames[1] = clean.substr(first + 1, second - first - 1);
  if (second != std::string::npos) record.givenNames[2] = clean.substr(second + 1);
}

// Event tags an individual keeps in its own slots.
CEventValue* OwnEvent(CIndividualRecord& record, TagCode tag, char& letter) {
  switch (tag) {
    case kTagBirt:
      letter = db::kOwnerBirth;
      return &record.birth;
    case kTagChr:
      letter = db::kOwnerChristening;
      return &record.christening;
    case kTagDeat:
      letter = db::kOwnerDeath;
      return &record.death;
    case kTagBuri:
      letter = db::kOwnerBurial;
      return &record.burial;
    default:
      return nullptr;
  }
}

bool IsIndividualEvent(TagCode tag) {
  switch (tag) {
    case kTagBirt:
    case kTagChr:
    case kTagDeat:
    case kTagBuri:
    case kTagAdop:
    case kTagAnul:
    case kTagBapm:
    case kTagBarm:
    case kTagBasm:
    case kTagBles:
    case kTagCens:
    case kTagChra:
    case kTagConf:
    case kTagConl:
    case kTagCrem:
    case kTagDiv:
    case kTagDivf:
    case kTagEduc:
    case kTagEmig:
    case kTagEnga:
    case kTagFcom:
    case kTagGrad:
    case kTagImmi:
    case kTagMarb:
    case kTagMarc:
    case kTagMarl:
    case kTagMarr:
    case kTagMars:
    case kTagNatu:
    case kTagOccu:
    case kTagOrdi:
    case kTagOrdn:
    case kTagProb:
    case kTagReli:
    case kTagResi:
    case kTagReti:
    case kTagSsn:
    case kTagWill:
    case kTagEven:
      return true;
    default:
      return false;
  }
}

// NSFX and TITL both fill the suffix: a second, other text is kept after the
// first.
void AddToSuffix(std::string& suffix, const std::string& text) {
  if (suffix.empty())
    suffix = text;
  else if (!EqualNoCase(Trim(suffix), Trim(text)))
    suffix += ", " + text;
}

// An SBN: digits and letters only, 4 to 12 of them, with at least one digit.
bool IsSbnShaped(std::string_view text) {
  if (text.size() < 4 || text.size() > 12) return false;
  bool digit = false;
  for (char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c)))
      digit = true;
    else if (!std::isalpha(static_cast<unsigned char>(c)) && c != '-')
      return false;
  }
  return digit;
}

// The text's lines, split at CR LF or a lone LF.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(std::move(line));
    at = end + 1;
  }
  return out;
}

}  // namespace

char CGedcomImporter::ReadSex(const CGedcomLine& line) {
  const std::string v = Upper(Trim(line.value));
  char sex = 0;
  if (v.empty()) {
  } else if (v[0] == 'U' || v[0] == '?') {
    // Said to be unknown: a spouse role does not make it male or female.
    sex = 'U';
  } else if (v[0] == 'M' || v[0] == 'F') {
    sex = v[0];
  } else {
    Warning(line.position, Format("Unknown sex '%s'.", {line.value}));
  }
  SkipDeeper(1);
  return sex;
}

void CGedcomImporter::SetEventType(const CGedcomLine& sub, char ownerKind, EventRead& event) {
  const TagCode tag = sub.tagCode;
  if (tag == kTagEven && !event.typeGiven) {
    const std::string name = event.description.empty() ? "Event" : event.description;
    Error(sub.position, Format("'EVEN' tag missing subordinate 'TYPE' tag; using '%s'", {name}));
    event.eventType = FindOrAddEventType(ownerKind, name, sub.position);
  } else if (tag != kTagEven) {
    event.eventType = FindOrAddEventType(ownerKind, sub.tag, sub.position, true);
  }
}

void CGedcomImporter::ReadIndividualEvent(const CGedcomLine& sub, CIndividualRecord& record,
                                          Pending& pending) {
  const TagCode tag = sub.tagCode;
  EventRead event;
  event.tag = tag == kTagEven ? "EVEN" : sub.tag;
  event.description = sub.value;
  event.position = sub.position;
  char letter = 0;
  CEventValue* own = OwnEvent(record, tag, letter);
  if (own && !IsOpenSlot(*own)) own = nullptr;
  ReadEventDetail(sub, db::kOwnerIndividual, tag == kTagDeat || tag == kTagBuri ? 5 : 0, event,
                  pending);
  if (own) {
    CountSlotTexts(sub, event);
    *own = event.value;
    // A death stated without a date is kept as the status Deceased, which
    // the living rules, the reports and the export read as a death.
    if (tag == kTagDeat && !own->date.IsSet()) own->date.Set(0, CDateValue::kStatusDeceased);
    if (tag == kTagDeat && !event.cause.empty()) record.texts2[0] = event.cause;
    for (auto& c : event.citations) {
      c.record.ownerLetter = letter;
      pending.citations.push_back(std::move(c));
    }
    return;
  }
  SetEventType(sub, db::kOwnerIndividual, event);
  if (event.alternateBirth && event.eventType > 0 && IsEmptyEvent(record.christening)) {
    // An alternate birth (a baptism, say) takes the christening slot,
    // labelled with its event type.
    CountSlotTexts(sub, event);
    record.christening = event.value;
    record.numbers[CIndividualRecord::kChristeningType] = event.eventType;
    for (auto& c : event.citations) {
      c.record.ownerLetter = db::kOwnerChristening;
      pending.citations.push_back(std::move(c));
    }
  } else {
    pending.userEvents.push_back(std::move(event));
  }
}

void CGedcomImporter::ReadSealingToParents(const CGedcomLine& sub, CIndividualRecord& record,
                                           Xref& self, Pending& pending) {
  ReadOrdinance(sub, record.sealingToParents, db::kOwnerSealingToParents, 2, "ZEL Ordinance",
                pending, nullptr);
  // With a FAMC line the sealing belongs to the link to that family.
  if (ordinanceFamily_ <= 0) return;
  auto it = std::find_if(self.parentFamilies.begin(), self.parentFamilies.end(),
                         [&](const FamcLink& f) { return f.family == ordinanceFamily_; });
  if (it == self.parentFamilies.end()) {
    self.parentFamilies.emplace_back();
    it = self.parentFamilies.end() - 1;
    it->family = ordinanceFamily_;
  }
  it->sealed = true;
  SealingOf(*it) = record.sealingToParents;
}

COrdinanceValue& CGedcomImporter::SealingOf(FamcLink& link) {
  if (link.sealing < 0) {
    link.sealing = static_cast<std::int32_t>(sealings_.size());
    sealings_.emplace_back();
  }
  return sealings_[static_cast<std::size_t>(link.sealing)];
}

void CGedcomImporter::SettleIndividualSex(Xref& entry, CIndividualRecord& record, char sex,
                                          const LinePosition& sexLine, const std::string& key) {
  if (sex) {
    // A family read before gave the individual a role its SEX line
    // disagrees with: said as when the family comes after.
    if (entry.sexFromRole && sex != entry.sex) RoleSexError(sexLine, sex, key, entry.sex == 'M');
    entry.sex = sex;
    entry.sexFromRole = false;
  } else if (entry.sex && record.sex == 'U') {
    record.sex = entry.sex;
  }
}

void CGedcomImporter::FitField(std::string& text, int anselBytes, const std::string& field,
                               const LinePosition& pos) {
  const std::size_t whole = CharacterCount(text);
  if (!FitToField(text, anselBytes)) return;
  Warning(pos, Format("The %s is longer than the family file holds: %s of its %s characters are "
                      "kept, '%s'.",
                      {field, std::to_string(CharacterCount(text)), std::to_string(whole), text}));
}

void CGedcomImporter::FitIndividualFields(CIndividualRecord& r, const LinePosition& pos) {
  using R = CIndividualRecord;
  // The reference number and the SBN are kept in the record itself, the
  // other texts in the family file's string stores.
  constexpr int kReference = std::tuple_size_v<decltype(orv::IndividualRec::text270)> - 1;
  constexpr int kSbn = std::tuple_size_v<decltype(orv::IndividualRec::sbn)> - 1;
  const struct {
    std::string& text;
    int bytes;
    const char* name;
  } fields[] = {
      {r.surname, orv::kEntryMaxText, "surname"},
      {r.givenNames[0], orv::kEntryMaxText, "first given name"},
      {r.givenNames[1], orv::kEntryMaxText, "second given name"},
      {r.givenNames[2], orv::kEntryMaxText, "third given name"},
      {r.suffix, orv::kEntryMaxText, "suffix"},
      {r.title, orv::kEntryMaxText, "title"},
      {r.nameExtensions[0], orv::kEntryMaxText, "nickname"},
      {r.nameExtensions[1], orv::kEntryMaxText, "also-known-as name"},
      {r.texts2[0], orv::kEntryMaxText, "cause of death"},
      {r.texts2[1], orv::kEntryMaxText, "married name"},
      {r.texts2[2], orv::kEntryMaxText, "physical description"},
      {r.texts1[0], kReference, "reference number"},
      {r.texts1[1], kSbn, "SBN"},
      {r.contact[R::kContactName], orv::kEntryMaxText, "contact name"},
      {r.contact[R::kContactAddress1], orv::kEntryMaxText, "first address line"},
      {r.contact[R::kContactAddress2], orv::kEntryMaxText, "second address line"},
      {r.contact[R::kContactCity], orv::kEntryMaxText, "city"},
      {r.contact[R::kContactState], orv::kEntryMaxText, "state"},
      {r.contact[R::kContactPostalCode], orv::kEntryMaxText, "postal code"},
      {r.contact[R::kContactCountry], orv::kEntryMaxText, "country"},
      {r.contact[R::kContactPhone], orv::kEntryMaxText, "phone"},
      {r.contact[R::kContactEmail], orv::kEntryMaxText, "e-mail address"},
      {r.contact[R::kContactHomePage], orv::kEntryMaxText, "home page"},
      {r.fifthEvent.place[0], orv::kEntryMaxText, "place of the baptism"},
      {r.fifthEvent.place[1], orv::kEntryMaxText, "place of the baptism"},
      {r.fifthEvent.place[2], orv::kEntryMaxText, "place of the baptism"},
      {r.fifthEvent.place[3], orv::kEntryMaxText, "place of the baptism"},
  };
  for (const auto& f : fields) FitField(f.text, f.bytes, f.name, pos);
}

void CGedcomImporter::ReadIndividual(const CGedcomLine& line) {
  // An individual met here for the first time is added once, whole, after
  // its lines are read: a placeholder first would cost a second write and a
  // second name-index update.
  // Entries stay where they are while others are added: one look-up will do.
  Xref* known = nullptr;
  bool first = false;
  if (!line.xref.empty()) {
    const auto [at, added] = xrefs_.try_emplace(line.xref);
    known = &at->second;
    first = added;
  }
  std::int32_t rin = 0;
  if (first) {
    known->type = db::kIndividual;
    known->defined = true;
    known->position = line.position;
    xrefOrder_.push_back(line.xref);
  } else {
    rin = DefineRecord(db::kIndividual, line);
    if (rin < 0) return;
  }
  const std::string key = line.xref.empty() ? xrefOrder_.back() : line.xref;
  Xref& self = known ? *known : xrefs_[key];
  const std::size_t firstNoteLink = noteLinks_.size();
  CIndividualRecord record;
  if (!first && !ReadBack(rin, db::kIndividual, &record, line, "individual")) return;
  Pending pending(db::kOwnerIndividual, rin, line.xref);
  std::int32_t changeStamp = 0;
  bool named = !record.surname.empty();
  char sex = 0;
  LinePosition sexLine;
  // Our own 5.5 export writes the SBN under its own tag, so its REFN is
  // always the reference number, however it looks.
  const bool sbnHasItsOwnTag = header_.sourceSystem == "ORV" && header_.gedcomVersion == "5.5";
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    const TagCode tag = sub.tagCode;
    if (tag == kTagName) {
      if (!named) {
        named = true;
        ReadPersonalName(sub, record, pending);
      } else {
        Error(sub.position, "ORV cannot store more than one name per individual.");
        DumpLines(sub, &pending);
      }
    } else if (tag == kTagSex) {
      sexLine = sub.position;
      if (const char stated = ReadSex(sub)) record.sex = sex = stated;
    } else if (tag == kTagSbn || (tag == kTagRefn && !sbnHasItsOwnTag && IsSbnShaped(sub.value))) {
      record.texts1[1] = sub.value;
      ReadAttributeDetails(sub, pending);
    } else if (tag == kTagRefn || tag == kTagIdno) {
      record.texts1[0] = sub.value;
      ReadAttributeDetails(sub, pending);
    } else if (tag == kTagPhon) {
      record.contact[CIndividualRecord::kContactPhone] = sub.value;
      SkipDeeper(1);
    } else if (tag == kTagXEmail) {
      record.contact[CIndividualRecord::kContactEmail] = sub.value;
      SkipDeeper(1);
    } else if (tag == kTagXUrl) {
      record.contact[CIndividualRecord::kContactHomePage] = sub.value;
      SkipDeeper(1);
    } else if (tag == kTagAddr) {
      if (header_.quirkFlags == 0x20)
        ReadContactLines(sub, record, pending);
      else
        ReadContact(sub, record, pending);
    } else if (tag == kTagEven && header_.quirkFlags == 0x100 && FirstSubIsAddressType(sub)) {
      ReadAddressEvent(sub, record, pending);
    } else if (tag == kTagChan) {
      changeStamp = ReadChangeDate(sub, pending);
    } else if (tag == kTagAlia || tag == kTagDscr || tag == kTagTitl) {
      std::string& field = tag == kTagAlia   ? record.nameExtensions[1]
                           : tag == kTagDscr ? record.texts2[2]
                                             : record.suffix;
      if (!sub.pointer && tag == kTagTitl)
        AddToSuffix(field, sub.value);
      else if (!sub.pointer)
        field = sub.value;
      else  // an alias that names another individual's record
        NotKept(sub.tag + " pointing to a record");
      ReadAttributeDetails(sub, pending);
    } else if (IsIndividualEvent(tag)) {
      ReadIndividualEvent(sub, record, pending);
    } else if (tag == kTagBapl) {
      record.flags &= static_cast<std::uint8_t>(~1u);
      ReadOrdinance(sub, record.baptism, db::kOwnerBaptism, 1, "ZEL Ordinance", pending, &record);
    } else if (tag == kTagEndl) {
      ReadOrdinance(sub, record.endowment, db::kOwnerEndowment, 1, "ZEL Ordinance", pending,
                    nullptr);
    } else if (tag == kTagSlgc) {
      ReadSealingToParents(sub, record, self, pending);
    } else if (tag == kTagFamc) {
      ReadChildToFamilyLink(sub, self, pending);
    } else if (tag == kTagFams) {
      std::int32_t family = 0;
      if (sub.pointer) {
        family = ResolveXref(db::kMarriage, sub.value, sub.position, false);
        if (family > 0) self.spouseFamilies.push_back(family);
      }
      ReadSpouseLinkDetails(sub, family, pending);
    } else if (tag == kTagNote) {
      ReadNoteStructure(sub, pending);
    } else if (tag == kTagSour) {
      ReadCitation(sub, db::kOwnerIndividual, pending.citations, pending);
    } else if (tag == kTagObje) {
      pending.media.emplace_back();
      ReadMultimedia(sub, pending.media.back(), pending);
    } else if (tag == kTagAnci || tag == kTagDesi || tag == kTagResn) {
      SkipDeeper(1);
    } else if (tag == kTagCast || tag == kTagNati || tag == kTagNchi || tag == kTagNmr ||
               tag == kTagProp) {
      ReportUnexpected(sub, "Individual Attribute", &pending);
    } else {
      ReportUnexpected(sub, "Individual Record", &pending);
    }
  }
  if (record.surname.empty() && record.givenNames[0].empty() && record.givenNames[1].empty() &&
      record.givenNames[2].empty())
    record.surname = "<Living>";
  SettleIndividualSex(self, record, sex, sexLine, key);
  FitIndividualFields(record, line.position);
  Xref& entry = self;
  if (first) {
    rin = DbAddRecord(db::kIndividual, options_.reuseDeletedRecords ? 1 : 0, &record);
    if (rin <= 0) {
      Error(line.position, CannotAdd("individual"));
      return;
    }
    entry.rin = pending.owner = rin;
    ++made_[kIndividuals];
    for (std::size_t i = firstNoteLink; i < noteLinks_.size(); ++i)
      if (noteLinks_[i].kind == db::kOwnerIndividual && noteLinks_[i].rin == 0)
        noteLinks_[i].rin = rin;
  } else {
    UpdateRecord(rin, db::kIndividual, &record, line, "individual");
  }
  if (changeStamp != 0) changeStamps_.emplace_back(rin, changeStamp);
  StorePending(pending);
}

void CGedcomImporter::ReadAttributeDetails(const CGedcomLine& line, Pending& pending) {
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagSour) {
      // The family file keeps the text of an attribute alone: its citations
      // become the individual's.
      Warning(sub.position,
              Format("A citation of %s is kept as a citation of the individual.", {line.tag}));
      ReadCitation(sub, db::kOwnerIndividual, pending.citations, pending);
    } else if (sub.tagCode == kTagNote) {
      ReadNoteStructure(sub, pending);
    } else {
      ReportUnexpected(sub, "Individual Attribute", &pending);
    }
  }
}

void CGedcomImporter::ReadPersonalName(const CGedcomLine& line, CIndividualRecord& record,
                                       Pending& pending) {
  // The NAME line's parts: given names before the first "/", the surname
  // between the slashes, and text after the second "/" (a title such as
  // "de Clermont") that goes after the given names.
  std::string lineGiven, lineSurname, lineAfter;
  if (!line.value.empty() && !line.pointer) {
    std::string value = line.value;
    std::replace(value.begin(), value.end(), '_', ' ');
    const std::size_t s1 = value.find('/');
    lineGiven = CleanBlanks(value.substr(0, s1));
    if (s1 != std::string::npos) {
      const std::size_t s2 = value.find('/', s1 + 1);
      lineSurname = CleanBlanks(value.substr(s1 + 1, s2 == std::string::npos ? s2 : s2 - s1 - 1));
      if (s2 != std::string::npos) lineAfter = CleanBlanks(value.substr(s2 + 1));
    }
  }
  // The pieces under the line fill only what the line lacks.
  std::string pieceGiven, prefix, surname;
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    const bool has = !sub.value.empty() && !sub.pointer;
    switch (sub.tagCode) {
      case kTagGivn:
        if (has) pieceGiven = CleanBlanks(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagSpfx:
        if (has) prefix = CleanBlanks(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagSurn:
        if (has) surname = CleanBlanks(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagNpfx:
        if (has) record.title = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagNsfx:
        if (has) AddToSuffix(record.suffix, sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagNick:
        if (has) record.nameExtensions[0] = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagXAka:
        if (has) record.nameExtensions[1] = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagXMarnm:
        if (has) record.texts2[1] = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagSour:
        ReadCitation(sub, db::kOwnerIndividual, pending.citations, pending);
        break;
      default:
        ReportUnexpected(sub, "Personal Name Structure", &pending);
    }
  }
  const std::string pieceSurname = CleanBlanks(prefix + " " + surname);
  // A '/' inside a name part is written on the NAME line as a backslash
  // (our own export does so), and its GIVN or SURN line holds the part as it
  // is: that part is taken.
  auto slashedPart = [](const std::string& onLine, const std::string& piece) {
    std::string written = piece;
    std::replace(written.begin(), written.end(), '/', '\\');
    return piece.find('/') != std::string::npos && written == onLine;
  };
  if (lineAfter.empty() && slashedPart(lineGiven, pieceGiven)) lineGiven = pieceGiven;
  if (slashedPart(lineSurname, pieceSurname)) lineSurname = pieceSurname;
  if (!lineGiven.empty() && !pieceGiven.empty() && !EqualNoCase(lineGiven, pieceGiven))
    Warning(line.position,
            Format("The NAME line gives the given names '%s'; GIVN '%s' is not kept.",
                   {lineGiven, pieceGiven}));
  if (!lineSurname.empty() && !pieceSurname.empty() && !EqualNoCase(lineSurname, pieceSurname))
    Warning(line.position, Format("The NAME line gives the surname '%s'; '%s' is not kept.",
                                  {lineSurname, pieceSurname}));
  record.surname = lineSurname.empty() ? pieceSurname : lineSurname;
  SetGivenNames(record, (lineGiven.empty() ? pieceGiven : lineGiven) + " " + lineAfter);
}

void CGedcomImporter::ReadChildToFamilyLink(const CGedcomLine& line, Xref& entry,
                                            Pending& pending) {
  FamcLink link;
  bool primary = false;
  auto setBoth = [&](char letter) {
    link.father = link.mother = letter;
    if (letter == 'c' || letter == 'd') link.status = letter;
    link.given = true;
  };
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagPedi: {
        if (const char letter = PedigreeLetter(sub.value))
          setBoth(letter);
        else if (!sub.value.empty())
          Error(sub.position, Format("Unknown pedigree '%s'.", {sub.value}));
        while (const CGedcomLine* p = reader_.NextAtLevel(sub.level + 1, false)) {
          const CGedcomLine pl = *p;
          const char letter = PedigreeLetter(pl.value);
          if (pl.tagCode == kTagType && EqualNoCase(Trim(pl.value), "step")) {
            // The step relationship that our own export writes under PEDI:
            // the family file keeps it as a foster link.
            setBoth('g');
          } else if (pl.tagCode == kTagStat && letter) {
            link.status = letter;
          } else if (pl.tagCode == kTagXHusb && letter) {
            link.father = letter;
            link.given = true;
          } else if (pl.tagCode == kTagXWife && letter) {
            link.mother = letter;
            link.given = true;
          } else {
            NotKept(pl.tag + " of a PEDI line", &pl, &pending);
            continue;
          }
          SkipDeeper(pl.level);
        }
        break;
      }
      case kTagXPrim:
        primary = true;
        SkipDeeper(sub.level);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      default:
        // A citation, a status, custom tags: the family file's link to the
        // parents keeps none of them.
        NotKept(sub.tag + " of a FAMC line", &sub, &pending);
    }
  }
  if (!line.pointer) return;
  const std::int32_t family = ResolveXref(db::kMarriage, line.value, line.position, false);
  if (family < 0) return;
  link.family = family;
  auto& families = entry.parentFamilies;
  // The family's CHIL line or a sealing may have named this family first:
  // its relationships stand unless this FAMC gives its own.
  auto same = std::find_if(families.begin(), families.end(),
                           [&](const FamcLink& f) { return f.family == family; });
  if (same != families.end()) {
    if (link.given) {
      same->father = link.father;
      same->mother = link.mother;
      same->status = link.status;
      same->given = true;
    }
    // The primary parents come first: they are the family the individual is
    // shown as a child of.
    if (primary) std::rotate(families.begin(), same, same + 1);
    return;
  }
  if (primary)
    families.insert(families.begin(), link);
  else
    families.push_back(link);
}

void CGedcomImporter::ReadSpouseLinkDetails(const CGedcomLine& line, std::int32_t family,
                                            Pending& pending) {
  Pending details(db::kOwnerMarriage, family, line.value);
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    if (family > 0 && sub.tagCode == kTagNote)
      ReadNoteStructure(sub, details);
    else if (family > 0 && sub.tagCode == kTagSour)
      ReadCitation(sub, db::kOwnerMarriage, details.citations, details);
    else
      NotKept(sub.tag + " of a FAMS line", &sub, &pending);
  }
  if (!details.notes.empty() || !details.citations.empty())
    spouseLinkDetails_.push_back(std::move(details));
}

void CGedcomImporter::ReadContact(const CGedcomLine& line, CIndividualRecord& record,
                                  Pending& pending) {
  using R = CIndividualRecord;
  // The contact field each tag fills.
  static const std::pair<TagCode, int> kFields[] = {
      {kTagAdr1, R::kContactAddress1},   {kTagAdr2, R::kContactAddress2},
      {kTagCity, R::kContactCity},       {kTagStae, R::kContactState},
      {kTagPost, R::kContactPostalCode}, {kTagCtry, R::kContactCountry},
      {kTagPhon, R::kContactPhone},      {kTagXEmail, R::kContactEmail},
      {kTagXUrl, R::kContactHomePage},   {kTagName, R::kContactName},
      {kTagXName, R::kContactName}};
  if (!line.pointer) record.contact[R::kContactAddress1] = line.value;
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    int field = -1;
    for (const auto& [tag, f] : kFields)
      if (sub.tagCode == tag) field = f;
    if (field < 0) {
      ReportUnexpected(sub, "Contact Structure", &pending);
      continue;
    }
    record.contact[field] = sub.value;
    SkipDeeper(sub.level);
  }
}

void CGedcomImporter::ReadContactLines(const CGedcomLine& line, CIndividualRecord& record,
                                       Pending& pending) {
  using R = CIndividualRecord;
  static const int kOrder[] = {R::kContactAddress1, R::kContactAddress2,   R::kContactCity,
                               R::kContactState,    R::kContactPostalCode, R::kContactCountry};
  if (!line.pointer) {
    const std::vector<std::string> parts = SplitLines(line.value);
    for (std::size_t i = 0; i < parts.size() && i < std::size(kOrder); ++i)
      record.contact[kOrder[i]] = Trim(parts[i]);
  }
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagPhon) {
      record.contact[R::kContactPhone] = sub.value;
      SkipDeeper(sub.level);
    } else {
      ReportUnexpected(sub, "Contact Structure", &pending);
    }
  }
}

void CGedcomImporter::ReadAddressEvent(const CGedcomLine& line, CIndividualRecord& record,
                                       Pending& pending) {
  using R = CIndividualRecord;
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagType) {
      SkipDeeper(sub.level);
    } else if (sub.tagCode == kTagPhon) {
      record.contact[R::kContactPhone] = sub.value;
      SkipDeeper(sub.level);
    } else if (sub.tagCode == kTagAddr && !sub.pointer) {
      // Name, street, and "City, State Postal" on the last line.
      const std::vector<std::string> parts = SplitLines(sub.value);
      if (!parts.empty()) record.contact[R::kContactName] = Trim(parts[0]);
      if (parts.size() > 2) record.contact[R::kContactAddress1] = Trim(parts[1]);
      if (parts.size() > 1) {
        const std::string last = parts.back();
        const std::size_t comma = last.find(',');
        record.contact[R::kContactCity] = Trim(last.substr(0, comma));
        if (comma != std::string::npos) {
          const std::string rest = Trim(last.substr(comma + 1));
          const std::size_t blank = rest.rfind(' ');
          if (blank == std::string::npos) {
            record.contact[R::kContactState] = rest;
          } else {
            record.contact[R::kContactState] = Trim(rest.substr(0, blank));
            record.contact[R::kContactPostalCode] = Trim(rest.substr(blank + 1));
          }
        }
      }
      SkipDeeper(sub.level);
    } else {
      ReportUnexpected(sub, "Contact Information", &pending);
    }
  }
}

bool CGedcomImporter::FirstSubIsAddressType(const CGedcomLine& line) {
  const CGedcomLine* next = reader_.Next();
  if (!next) return false;
  const bool yes = next->level == line.level + 1 && next->tagCode == kTagType &&
                   EqualNoCase(Trim(next->value), "Address");
  reader_.PushBack();
  return yes;
}

}  // namespace gedcom
