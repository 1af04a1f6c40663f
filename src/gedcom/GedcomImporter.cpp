#include "GedcomImporter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "Clock.h"
#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OrdinanceObject.h"
#include "Ports.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "TempleTable.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"

namespace gedcom {

namespace {

constexpr int kNoteType = db::kNoteBlock;
constexpr std::size_t kMaxDateLength = 50;
constexpr std::size_t kMaxPlaceLength = 120;

std::string Format(const char* pattern, std::initializer_list<std::string> args) {
  std::string out;
  auto it = args.begin();
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 's' && it != args.end()) {
      out += *it++;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

// A Y/N flag's value: yes when it starts with Y or y.
bool IsYes(std::string_view value) {
  return !value.empty() && (value[0] == 'Y' || value[0] == 'y');
}

std::string Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return std::string(text.substr(b, e - b));
}

// A note text with CR LF line ends; a paragraph goes after a blank line.
void AddParagraph(std::string& notes, std::string_view text) {
  if (Trim(text).empty()) return;
  if (!notes.empty()) notes += "\r\n\r\n";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) notes += '\r';
    notes += text[i];
  }
}

// Adds an empty record of type; its record number, or 0 or less when full.
template <class Record>
std::int32_t AddBlankRecord(int type, int reuse) {
  Record record;
  return DbAddRecord(type, reuse, &record);
}

// Puts text as the first paragraph of a text field of a stored record.
template <class Record>
void PutNoteFirst(std::int32_t rin, int type, std::string Record::*field, const std::string& text) {
  Record record;
  if (DbGetRecord(rin, type, &record) != 1) return;
  std::string merged = text;
  AddParagraph(merged, record.*field);
  record.*field = merged;
  DbUpdateRecord(rin, type, &record);
}

const char* KindName(int type) {
  switch (type) {
    case db::kIndividual:
      return "an individual";
    case db::kMarriage:
      return "a family";
    case db::kSource:
      return "a source";
    case db::kRepository:
      return "a repository";
    case kNoteType:
      return "a note";
  }
  return "a record";
}

int KindIndex(int type) {
  switch (type) {
    case db::kIndividual:
      return CGedcomImporter::kIndividuals;
    case db::kMarriage:
      return CGedcomImporter::kFamilies;
    case db::kSource:
      return CGedcomImporter::kSources;
    case db::kRepository:
      return CGedcomImporter::kRepositories;
  }
  return CGedcomImporter::kNotes;
}

// The relationship letter of a pedigree word; 0 for an unknown word.
char PedigreeLetter(std::string_view word) {
  const std::string w = Upper(Trim(word));
  if (w == "ADOPTED") return 'a';
  if (w == "FOSTER" || w == "STEP") return 'g';
  if (w == "SEALING") return 's';
  if (w == "CHALLENGED") return 'c';
  if (w == "DISPROVED") return 'd';
  if (w == "BIRTH" || w == "NATURAL") return 'b';
  return 0;
}

// Given names: trimmed, tabs as blanks, runs of blanks as one; first word,
// second word, the rest.
void SetGivenNames(CIndividualRecord& record, std::string_view text) {
  std::string clean;
  for (char c : Trim(text)) {
    if (c == '\t') c = ' ';
    if (c == ' ' && !clean.empty() && clean.back() == ' ') continue;
    clean += c;
  }
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

bool IsEmptyEvent(const CEventValue& v) {
  return v.date.ToString().empty() && CEventValue::IsPlaceEmpty(&v) && v.firstCitation == 0;
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

bool IsFamilyEvent(TagCode tag) {
  switch (tag) {
    case kTagAnul:
    case kTagCens:
    case kTagDiv:
    case kTagDivf:
    case kTagEnga:
    case kTagEven:
    case kTagMarb:
    case kTagMarc:
    case kTagMarl:
    case kTagMars:
    case kTagMarr:
      return true;
    default:
      return false;
  }
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

}  // namespace

CGedcomImporter::CGedcomImporter(std::string path, std::string logPath, ImportOptions options,
                                 ImportProgress* progress)
    : path_(std::move(path)),
      logPath_(std::move(logPath)),
      options_(options),
      progress_(progress ? progress : &defaultProgress_),
      reader_(*this) {}

CGedcomImporter::~CGedcomImporter() { reader_.Close(); }

std::string CGedcomImporter::LogPathFor(const std::string& familyPath,
                                        const std::string& gedcomPath) {
  const std::size_t slash = familyPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : familyPath.substr(0, slash + 1);
  std::string name = gedcomPath.substr(gedcomPath.rfind('/') + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return folder + name + ".lst";
}

std::int32_t CGedcomImporter::RecordOf(const std::string& xref) const {
  const auto it = xrefs_.find(xref);
  return it == xrefs_.end() ? 0 : it->second.rin;
}

// ---- reporting ---------------------------------------------------------

std::string CGedcomImporter::Position(const LinePosition& pos) const {
  if (pos.line <= 0) return "";
  return reader_.PositionText(pos);
}

void CGedcomImporter::ReportError(const std::string& position, const std::string& message) {
  ++errors_;
  errorText_ += "ERROR " + std::to_string(errors_) + ": ";
  if (!position.empty()) errorText_ += position + ": ";
  errorText_ += message + "\n\n";
}

void CGedcomImporter::ReportWarning(const std::string& position, const std::string& message) {
  errorText_ += "WARNING: ";
  if (!position.empty()) errorText_ += position + ": ";
  errorText_ += message + "\n\n";
}

void CGedcomImporter::PartOpened(const std::string& name) {
  lastPart_ = name;
  progress_->SetFile(name);
}

void CGedcomImporter::Error(const LinePosition& pos, const std::string& message) {
  ReportError(Position(pos), message);
}

void CGedcomImporter::Warning(const LinePosition& pos, const std::string& message) {
  ReportWarning(Position(pos), message);
}

void CGedcomImporter::SkipDeeper(int level) {
  while (const CGedcomLine* l = reader_.Next()) {
    if (l->level <= level) {
      reader_.PushBack();
      return;
    }
  }
}

void CGedcomImporter::ReportUnexpected(const CGedcomLine& line, const char* context,
                                       Pending* pending) {
  if (line.tagCode == kTagChan || line.tagCode == kTagQuay || line.tagCode == kTagRfn ||
      line.tagCode == kTagRin) {
    SkipDeeper(line.level);
    return;
  }
  Error(line.position, Format("Unexpected tag '%s' in %s.", {line.tag, context}));
  DumpLines(line, pending);
}

void CGedcomImporter::DumpLines(const CGedcomLine& line, Pending* pending) {
  std::string listing;
  auto dump = [&](const CGedcomLine& l) {
    std::string text = std::to_string(l.level) + " ";
    if (!l.xref.empty()) text += "@" + l.xref + "@ ";
    text += l.tag;
    if (!l.value.empty()) text += " " + (l.pointer ? "@" + l.value + "@" : l.value);
    std::string indented = "\t";
    for (char c : text) {
      indented += c;
      if (c == '\n') indented += '\t';  // a CONT line stays inside the listing
    }
    errorText_ += indented + "\n";
    listing += text + "\n";
  };
  dump(line);
  while (const CGedcomLine* l = reader_.Next()) {
    if (l->level <= line.level) {
      reader_.PushBack();
      break;
    }
    dump(*l);
  }
  errorText_ += "\n";
  if (options_.listingInNotes && pending) AddParagraph(pending->notes, listing);
}

// ---- cross-references --------------------------------------------------

CGedcomImporter::Xref* CGedcomImporter::Entry(const std::string& xref) {
  const auto it = xrefs_.find(xref);
  return it == xrefs_.end() ? nullptr : &it->second;
}

std::int32_t CGedcomImporter::ResolveXref(int type, const std::string& id, const LinePosition& pos,
                                          bool defining) {
  // A record without an identifier cannot be referred to: it gets a key of
  // its own that no identifier of the file can have.
  const std::string xref = id.empty() && defining ? "\x01" + std::to_string(xrefOrder_.size()) : id;
  if (Xref* e = Entry(xref)) {
    if (e->type != type) {
      Error(pos, Format("'@%s@' is %s here, but it names %s.",
                        {xref, KindName(type), KindName(e->type)}));
      return -1;
    }
    if (defining) {
      if (e->defined)
        Error(pos, Format("%s is multiply defined at %s and %s.",
                          {xref, Position(e->position), Position(pos)}));
      else
        e->position = pos;
      e->defined = true;
    }
    return e->rin;
  }
  std::int32_t rin = 0;
  const int reuse = options_.reuseDeletedRecords ? 1 : 0;
  switch (type) {
    case db::kIndividual:
      rin = AddBlankRecord<CIndividualRecord>(type, reuse);
      break;
    case db::kMarriage:
      rin = AddBlankRecord<CMarriageRecord>(type, reuse);
      break;
    case db::kSource:
      rin = AddBlankRecord<CSourceRecord>(type, reuse);
      break;
    case db::kRepository:
      rin = AddBlankRecord<CRepositoryRecord>(type, reuse);
      break;
  }
  if (rin <= 0) {
    if (type == db::kIndividual)
      Error(pos, "Can't add individual: Maxed out");
    else if (type == db::kMarriage)
      Error(pos, "Can't add family: Maxed out");
    else
      Error(pos, Format("Can't add %s for '@%s@'.", {KindName(type), xref}));
    return -1;
  }
  ++made_[KindIndex(type)];
  Xref& e = xrefs_[xref];
  e.type = type;
  e.rin = rin;
  e.defined = defining;
  e.position = pos;
  xrefOrder_.push_back(xref);
  return rin;
}

// ---- shared structures -------------------------------------------------

void CGedcomImporter::ReadDate(const CGedcomLine& line, CDateValue& date, int dateKind,
                               Pending& pending, std::vector<PendingCitation>* citations) {
  if (!line.value.empty() && !line.pointer) {
    std::string text = line.value;
    if (text.size() >= kMaxDateLength) {
      Warning(line.position, "Date too long: Truncating to 50 characters.\n\n\t" +
                                 std::to_string(line.level) + " " + line.tag + " " +
                                 text.substr(0, kMaxDateLength) + "...");
      text.resize(kMaxDateLength);
    }
    if (dateKind > 0)
      date.ParseForCategory(text, dateKind, false, true);
    else
      date.Parse(text, false, true);
  }
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagTime)
      SkipDeeper(sub.level);
    else if (citations && sub.tagCode == kTagSour)
      ReadCitation(sub, 0, *citations, pending);
    else if (citations && sub.tagCode == kTagNote)
      ReadNoteStructure(sub, pending);
    else
      ReportUnexpected(sub, citations ? "Event Date Structure" : "Date Structure", &pending);
  }
}

void CGedcomImporter::ReadNoteStructure(const CGedcomLine& line, Pending& pending) {
  if (!options_.importNotes) {
    if (!notesSkippedSaid_)
      Warning({}, "Notes are not imported (\"Import notes\" is off); every note is skipped.");
    notesSkippedSaid_ = true;
    SkipDeeper(line.level);
    return;
  }
  if (line.pointer) {
    noteLinks_.push_back(
        {pending.ownerKind, pending.owner, pending.xref, line.value, line.position});
    SkipDeeper(line.level);
    return;
  }
  AddParagraph(pending.notes, line.value);
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    ReportUnexpected(sub, "Note Structure", &pending);
  }
}

void CGedcomImporter::ReadCitation(const CGedcomLine& line, char ownerKind,
                                   std::vector<PendingCitation>& out, Pending& pending) {
  PendingCitation c;
  c.position = line.position;
  c.record.ownerLetter = ownerKind;
  if (line.pointer) {
    const std::int32_t source = ResolveXref(db::kSource, line.value, line.position, false);
    if (source < 0) {
      SkipDeeper(line.level);
      return;
    }
    c.record.sourceRin = source;
  } else {
    c.sourceTitle = line.value;
  }
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagData:
        while (const CGedcomLine* d = reader_.NextAtLevel(level + 2, true)) {
          const CGedcomLine data = *d;
          if (data.tagCode == kTagDate) {
            ReadDate(data, c.record.entryDate, 0, pending);
          } else if (data.tagCode == kTagText) {
            AddParagraph(c.record.actualText, data.value);
            SkipDeeper(data.level);
          } else {
            ReportUnexpected(data, "Citation Data Structure", &pending);
          }
        }
        break;
      case kTagNote:
        if (!options_.importNotes) {
          ReadNoteStructure(sub, pending);
        } else if (sub.pointer) {
          c.notes.push_back(sub.value);
          SkipDeeper(sub.level);
        } else {
          AddParagraph(c.record.comments, sub.value);
          SkipDeeper(sub.level);
        }
        break;
      case kTagPage:
        c.record.pageText = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagRefn:
        c.record.detailText = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagQuay: {
        const int q = std::atoi(sub.value.c_str());
        if (q >= 0 && q <= 3) c.record.quality = static_cast<std::uint8_t>(q);
        SkipDeeper(sub.level);
        break;
      }
      case kTagXAppliesTo:
        // The family file keeps no applies-to mark on a citation; a value
        // outside the three words is still told to the user.
        if (sub.value != "DATE" && sub.value != "PLACE" && sub.value != "DATE_AND_PLACE")
          Error(sub.position,
                Format("Invalid value '%s'.  Use DATE, PLACE, or DATE_AND_PLACE.", {sub.value}));
        SkipDeeper(sub.level);
        break;
      case kTagXRin:
        // A citation identifier: a family file of the current format makes
        // a new citation for each structure, so it needs none.
        SkipDeeper(sub.level);
        break;
      default:
        ReportUnexpected(sub, "Citation Structure", &pending);
    }
  }
  out.push_back(std::move(c));
}

std::string CGedcomImporter::CheckTempleCode(const CGedcomLine& line, const char* context) {
  std::string code = Trim(line.value);
  const std::size_t cut = code.find_first_of(" \t-/");
  if (cut != std::string::npos) code.resize(cut);
  code = Upper(code);
  if (TempleTable().Lookup(code) || TempleTable().FindShortCode(code)) return code;
  Warning(line.position, Format("Unknown temple code '%s' used in %s.\n\n\t%s",
                                {line.value, context,
                                 std::to_string(line.level) + " " + line.tag + " " + line.value}));
  return line.value;
}

std::int32_t CGedcomImporter::FindOrAddEventType(char kind, const std::string& tag,
                                                 const LinePosition& pos) {
  (void)pos;
  auto& map = eventTypes_[kind == db::kOwnerMarriage ? 1 : 0];
  const std::string key = Upper(tag);
  if (const auto it = map.find(key); it != map.end()) return it->second;
  CEventTypeRecord type;
  type.SetTitle(tag);
  type.ownerKind = kind;
  type.hasDescription = 1;
  const std::int32_t rin = DbAddRecord(db::kEventType, options_.reuseDeletedRecords, &type);
  if (rin <= 0) {
    Error(pos, Format("Can't add the event type '%s'.", {tag}));
    return 0;
  }
  map[key] = rin;
  addedEventTypes_.insert(rin);
  Warning({}, Format("Custom event '%s' added; edit this event to add missing fields.", {tag}));
  return rin;
}

void CGedcomImporter::ReadEventDetail(const CGedcomLine& line, char kind, int dateKind,
                                      EventRead& event, Pending& pending) {
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagDate:
        ReadDate(sub, event.value.date, dateKind, pending, &event.citations);
        break;
      case kTagPlac: {
        std::string place = sub.value;
        if (place.size() > kMaxPlaceLength) {
          Warning(sub.position, Format("Place too long: '%s'.", {place}));
          place.resize(kMaxPlaceLength);
        }
        SplitPlaceParts(place, event.value.place);
        while (const CGedcomLine* p = reader_.NextAtLevel(sub.level + 1, true)) {
          const CGedcomLine pl = *p;
          if (pl.tagCode == kTagNote)
            ReadNoteStructure(pl, pending);
          else if (pl.tagCode == kTagSour)
            ReadCitation(pl, 0, event.citations, pending);
          else
            ReportUnexpected(pl, "Event Place Structure", &pending);
        }
        break;
      }
      case kTagCaus:
        event.cause = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagType:
        // Under EVEN the type names the event; under a tag of its own it
        // describes it.
        if (!sub.value.empty()) {
          if (event.tag == "EVEN") {
            event.eventType = FindOrAddEventType(kind, sub.value, sub.position);
            event.typeGiven = true;
          } else if (event.description.empty()) {
            event.description = sub.value;
          }
        }
        SkipDeeper(sub.level);
        break;
      case kTagXConfidential:
        if (IsYes(sub.value)) event.confidential = 'Y';
        SkipDeeper(sub.level);
        break;
      case kTagXAltBirth:
        event.alternateBirth = IsYes(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagXDate2:
        ReadDate(sub, event.secondDate, 0, pending);
        break;
      case kTagSour:
        ReadCitation(sub, 0, event.citations, pending);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagAge:
      case kTagAgnc:
        // Kept in the notes of the owner: the family file has no field for them.
        AddParagraph(pending.notes, sub.tag + " " + sub.value);
        SkipDeeper(sub.level);
        break;
      default:
        ReportUnexpected(sub, "Event Detail Structure", &pending);
    }
  }
}

void CGedcomImporter::ReadOrdinance(const CGedcomLine& line, COrdinanceValue& value,
                                    char citationKind, int dateKind, const char* context,
                                    Pending& pending, CIndividualRecord* baptized) {
  if ((header_.quirkFlags == 0x4) && !line.value.empty()) {
    value.date.ParseForCategory(line.value.substr(0, 40) + " ", dateKind, false, true);
    return;
  }
  std::vector<PendingCitation> citations;
  ordinanceFamily_ = 0;
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagDate:
        ReadDate(sub, value.date, dateKind, pending);
        break;
      case kTagStat: {
        std::string text = sub.value;
        const bool live = EqualNoCase(Trim(text), "LIVE");
        while (const CGedcomLine* d = reader_.NextAtLevel(sub.level + 1, true)) {
          const CGedcomLine date = *d;
          if (date.tagCode == kTagDate) {
            text += " " + date.value;
            SkipDeeper(date.level);
          } else {
            ReportUnexpected(date, context, &pending);
          }
        }
        if (live) {
          if (baptized) baptized->flags |= 1;
        } else {
          if (text.size() > 40) text.resize(40);
          value.date.ParseForCategory(text, dateKind, false, true);
        }
        break;
      }
      case kTagTemp:
      case kTagPlac: {
        // A source system with quirk 0x20 writes short temple codes as PLAC.
        const bool templePlace = header_.quirkFlags == 0x20 && sub.value.size() <= 5;
        if (EqualNoCase(Trim(sub.value), "LIVE")) {
          if (baptized) baptized->flags |= 1;
        } else if (sub.tagCode == kTagPlac && baptized && !templePlace) {
          baptized->flags |= 1;
          SplitPlaceParts(sub.value, baptized->fifthEvent.place);
        } else {
          value.templeCode = CheckTempleCode(sub, context);
        }
        SkipDeeper(sub.level);
        break;
      }
      case kTagFamc:
        if (sub.pointer)
          ordinanceFamily_ =
              std::max(0, ResolveXref(db::kMarriage, sub.value, sub.position, false));
        SkipDeeper(sub.level);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagSour:
        ReadCitation(sub, citationKind, citations, pending);
        break;
      default:
        ReportUnexpected(sub, context, &pending);
    }
  }
  for (auto& c : citations) {
    if (citationKind == db::kOwnerSealingToParents) {
      // A sealing to parents is cited through its family link, which is made
      // only when the families are linked: the citation goes to the
      // individual itself, with a warning, rather than being lost.
      Warning(c.position,
              "A citation of a sealing to parents is kept as a citation of the individual.");
      c.record.ownerLetter = db::kOwnerIndividual;
    }
    pending.citations.push_back(std::move(c));
  }
}

// ---- individuals -------------------------------------------------------

void CGedcomImporter::ParseSealingDate(const CGedcomLine& line, COrdinanceValue& sealing) {
  CDateValue date;
  if (date.ParseText(line.value, false, true) != CDateValue::kParseStandard) {
    Warning(line.position, Format("Invalid SLGC date '%s'", {line.value}));
    return;
  }
  sealing.date = date;
}

void CGedcomImporter::ReadPersonalName(const CGedcomLine& line, CIndividualRecord& record,
                                       Pending& pending) {
  std::string given;
  if (!line.value.empty() && !line.pointer) {
    std::string value = line.value;
    std::replace(value.begin(), value.end(), '_', ' ');
    const std::size_t s1 = value.find('/');
    if (s1 == std::string::npos) {
      given = value;
    } else {
      given = value.substr(0, s1);
      const std::size_t s2 = value.find('/', s1 + 1);
      record.surname = Trim(value.substr(s1 + 1, s2 == std::string::npos ? s2 : s2 - s1 - 1));
      if (s2 != std::string::npos && !Trim(value.substr(s2 + 1)).empty())
        given += " " + value.substr(s2 + 1);
    }
  }
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    const bool has = !sub.value.empty() && !sub.pointer;
    switch (sub.tagCode) {
      case kTagGivn:
        if (has) given = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagSurn:
        if (has) record.surname = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagNpfx:
        if (has) record.title = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagNsfx:
        if (has) record.suffix = sub.value;
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
  SetGivenNames(record, given);
}

void CGedcomImporter::ReadChildToFamilyLink(const CGedcomLine& line, Xref& entry,
                                            Pending& pending) {
  FamcLink link;
  bool primary = false;
  auto setBoth = [&](const CGedcomLine& l, char letter) {
    link.father = link.mother = letter;
    if (letter == 'c' || letter == 'd') link.status = letter;
    (void)l;
  };
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagPedi: {
        if (const char letter = PedigreeLetter(sub.value))
          setBoth(sub, letter);
        else if (!sub.value.empty())
          Error(sub.position, Format("Unknown pedigree '%s'.", {sub.value}));
        while (const CGedcomLine* p = reader_.NextAtLevel(sub.level + 1, false)) {
          const CGedcomLine pl = *p;
          const char letter = PedigreeLetter(pl.value);
          if (pl.tagCode == kTagType && EqualNoCase(Trim(pl.value), "step")) {
            // The step relationship that our own export writes under PEDI.
            link.father = link.mother = 't';
          } else if (pl.tagCode == kTagStat && letter) {
            link.status = letter;
          } else if (pl.tagCode == kTagXHusb && letter) {
            link.father = letter;
          } else if (pl.tagCode == kTagXWife && letter) {
            link.mother = letter;
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
        SkipDeeper(sub.level);
    }
  }
  if (!line.pointer) return;
  const std::int32_t family = ResolveXref(db::kMarriage, line.value, line.position, false);
  if (family < 0) return;
  link.family = family;
  // The primary parents come first: they are the family the individual is
  // shown as a child of.
  if (primary)
    entry.parentFamilies.insert(entry.parentFamilies.begin(), link);
  else
    entry.parentFamilies.push_back(link);
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

namespace {

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

std::int32_t CGedcomImporter::ReadChangeDate(const CGedcomLine& line, Pending& pending) {
  std::int32_t stamp = 0;
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagDate) {
      CDateValue date;
      date.Parse(sub.value, false, true);
      int hours = 0, minutes = 0, seconds = 0;
      while (const CGedcomLine* t = reader_.NextAtLevel(sub.level + 1, true)) {
        const CGedcomLine time = *t;
        if (time.tagCode == kTagTime)
          std::sscanf(time.value.c_str(), "%d:%d:%d", &hours, &minutes, &seconds);
        else
          ReportUnexpected(time, "Date Structure", &pending);
        SkipDeeper(time.level);
      }
      if (date.year != 0 && date.month >= 1 && date.month <= 12 && date.day != 0 &&
          !date.textOnly && date.qualifier == 0) {
        const std::time_t midnight = date.ToTime();
        const bool timeOk = hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 &&
                            seconds >= 0 && seconds < 60;
        if (midnight > 0)
          stamp = TimeToStamp(midnight + (timeOk ? hours * 3600 + minutes * 60 + seconds : 0));
      }
    } else if (sub.tagCode == kTagNote) {
      ReadNoteStructure(sub, pending);
    } else {
      ReportUnexpected(sub, "Change Date Structure", &pending);
    }
  }
  return stamp;
}

void CGedcomImporter::ReadIndividual(const CGedcomLine& line) {
  // An individual met here for the first time is added once, whole, after
  // its lines are read: a placeholder first would cost a second write and a
  // second name-index update.
  const bool first = !line.xref.empty() && !Entry(line.xref);
  std::int32_t rin = 0;
  if (first) {
    Xref& e = xrefs_[line.xref];
    e.type = db::kIndividual;
    e.defined = true;
    e.position = line.position;
    xrefOrder_.push_back(line.xref);
  } else {
    rin = DefineRecord(db::kIndividual, line);
    if (rin < 0) return;
  }
  const std::string key = line.xref.empty() ? xrefOrder_.back() : line.xref;
  // Entries stay where they are while others are added: one look-up will do.
  Xref& self = xrefs_[key];
  const std::size_t firstNoteLink = noteLinks_.size();
  CIndividualRecord record;
  if (!first && !ReadBack(rin, db::kIndividual, &record, line, "individual")) return;
  Pending pending(db::kOwnerIndividual, rin, line.xref);
  std::int32_t changeStamp = 0;
  bool named = !record.surname.empty();
  char sex = 0;
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
      const std::string v = Upper(Trim(sub.value));
      if (v.empty()) {
      } else if (v[0] == 'U' || v[0] == '?') {
        record.sex = 'U';
      } else if (v[0] == 'M' || v[0] == 'F') {
        record.sex = v[0];
        sex = v[0];
      } else {
        Warning(sub.position, Format("Unknown sex '%s'.", {sub.value}));
      }
      SkipDeeper(1);
    } else if (tag == kTagSbn || (tag == kTagRefn && IsSbnShaped(sub.value))) {
      record.texts1[1] = sub.value;
      SkipDeeper(1);
    } else if (tag == kTagRefn || tag == kTagIdno) {
      record.texts1[0] = sub.value;
      SkipDeeper(1);
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
      if (!sub.pointer) field = sub.value;
      SkipDeeper(1);
    } else if (IsIndividualEvent(tag)) {
      EventRead event;
      event.tag = tag == kTagEven ? "EVEN" : sub.tag;
      event.description = sub.value;
      char letter = 0;
      CEventValue* own = OwnEvent(record, tag, letter);
      if (own && !IsEmptyEvent(*own)) own = nullptr;
      ReadEventDetail(sub, db::kOwnerIndividual, tag == kTagDeat || tag == kTagBuri ? 5 : 0, event,
                      pending);
      if (own) {
        *own = event.value;
        if (tag == kTagDeat && !event.cause.empty()) record.texts2[0] = event.cause;
        for (auto& c : event.citations) {
          c.record.ownerLetter = letter;
          pending.citations.push_back(std::move(c));
        }
      } else {
        if (tag == kTagEven && !event.typeGiven) {
          const std::string name = event.description.empty() ? "Event" : event.description;
          Error(sub.position,
                Format("'EVEN' tag missing subordinate 'TYPE' tag; using '%s'", {name}));
          event.eventType = FindOrAddEventType(db::kOwnerIndividual, name, sub.position);
        } else if (tag != kTagEven) {
          event.eventType = FindOrAddEventType(db::kOwnerIndividual, sub.tag, sub.position);
        }
        if (event.alternateBirth && event.eventType > 0 && IsEmptyEvent(record.christening)) {
          // An alternate birth (a baptism, say) takes the christening slot,
          // labelled with its event type.
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
    } else if (tag == kTagBapl) {
      record.flags &= static_cast<std::uint8_t>(~1u);
      ReadOrdinance(sub, record.baptism, db::kOwnerBaptism, 1, "ZEL Ordinance", pending, &record);
    } else if (tag == kTagEndl) {
      ReadOrdinance(sub, record.endowment, db::kOwnerEndowment, 1, "ZEL Ordinance", pending,
                    nullptr);
    } else if (tag == kTagSlgc) {
      ReadOrdinance(sub, record.sealingToParents, db::kOwnerSealingToParents, 2, "ZEL Ordinance",
                    pending, nullptr);
      // With a FAMC line the sealing belongs to the link to that family.
      if (ordinanceFamily_ > 0) {
        auto it = std::find_if(self.parentFamilies.begin(), self.parentFamilies.end(),
                               [&](const FamcLink& f) { return f.family == ordinanceFamily_; });
        if (it == self.parentFamilies.end()) {
          self.parentFamilies.emplace_back();
          it = self.parentFamilies.end() - 1;
          it->family = ordinanceFamily_;
        }
        it->sealed = true;
        it->sealing = record.sealingToParents;
      }
    } else if (tag == kTagFamc) {
      ReadChildToFamilyLink(sub, self, pending);
    } else if (tag == kTagFams) {
      if (sub.pointer) {
        const std::int32_t family = ResolveXref(db::kMarriage, sub.value, sub.position, false);
        if (family > 0) self.spouseFamilies.push_back(family);
      }
      SkipDeeper(1);
    } else if (tag == kTagNote) {
      ReadNoteStructure(sub, pending);
    } else if (tag == kTagSour) {
      ReadCitation(sub, db::kOwnerIndividual, pending.citations, pending);
    } else if (tag == kTagObje) {
      pending.media.emplace_back();
      ReadMultimedia(sub, pending.media.back(), pending);
    } else if (tag == kTagAnci || tag == kTagDesi || tag == kTagResn) {
      SkipDeeper(1);
    } else {
      ReportUnexpected(sub, "Individual Record", &pending);
    }
  }
  if (record.surname.empty() && record.givenNames[0].empty() && record.givenNames[1].empty() &&
      record.givenNames[2].empty())
    record.surname = "<Living>";
  Xref& entry = self;
  if (sex)
    entry.sex = sex;
  else if (entry.sex && record.sex == 'U')
    record.sex = entry.sex;
  if (first) {
    rin = DbAddRecord(db::kIndividual, options_.reuseDeletedRecords ? 1 : 0, &record);
    if (rin <= 0) {
      Error(line.position, "Can't add individual: Maxed out");
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

// ---- families ----------------------------------------------------------

void CGedcomImporter::ReadFamily(const CGedcomLine& line) {
  const std::int32_t mrin = DefineRecord(db::kMarriage, line);
  if (mrin < 0) return;
  const std::string key = line.xref.empty() ? xrefOrder_.back() : line.xref;
  Xref& family = xrefs_[key];  // entries stay where they are while others are added
  CMarriageRecord record;
  if (!ReadBack(mrin, db::kMarriage, &record, line, "family")) return;
  Pending pending(db::kOwnerMarriage, mrin, line.xref);
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    const TagCode tag = sub.tagCode;
    if (tag == kTagHusb || tag == kTagWife) {
      const bool husband = tag == kTagHusb;
      std::int32_t rin = -1;
      if (sub.pointer)
        rin = ResolveXref(db::kIndividual, sub.value, sub.position, false);
      else
        Error(sub.position, Format("'%s' line is missing its pointer.", {sub.tag}));
      if (rin > 0) {
        Xref& person = *Entry(sub.value);
        const char role = husband ? 'M' : 'F';
        if (person.sex == 0) {
          person.sex = role;
          CIndividualRecord ind;
          if (DbGetRecord(rin, db::kIndividual, &ind) == 1 && ind.sex != role) {
            ind.sex = role;
            DbUpdateRecord(rin, db::kIndividual, &ind);
          }
        } else if (person.sex != role) {
          Error(sub.position, Format("A %s individual (%s) has been defined as the %s in a family.",
                                     {person.sex == 'M' ? "male" : "female", sub.value,
                                      husband ? "husband" : "wife"}));
        }
        Xref& fam = family;
        (husband ? fam.husband : fam.wife) = rin;
      }
      SkipDeeper(1);
    } else if (tag == kTagChil) {
      std::int32_t child = -1;
      if (sub.pointer) child = ResolveXref(db::kIndividual, sub.value, sub.position, false);
      if (child > 0) {
        Xref& fam = family;
        fam.children.push_back(child);
        FamcLink link;
        link.family = mrin;
        bool relation = false;
        while (const CGedcomLine* c = reader_.NextAtLevel(2, true)) {
          const CGedcomLine cl = *c;
          if (cl.tagCode == kTagAdop) {
            link.father = link.mother = 'a';
            relation = true;
            SkipDeeper(cl.level);
          } else if (cl.tagCode == kTagXFrel || cl.tagCode == kTagXMrel) {
            const char letter = PedigreeLetter(cl.value);
            if (!letter)
              Error(cl.position,
                    Format(cl.tagCode == kTagXFrel ? "Unknown child-to-father relationship '%s'."
                                                   : "Unknown child-to-mother relationship '%s'.",
                           {cl.value}));
            else
              (cl.tagCode == kTagXFrel ? link.father : link.mother) = letter;
            relation = true;
            SkipDeeper(cl.level);
          } else if (cl.tagCode == kTagSlgc) {
            link.sealed = relation = true;
            if (!cl.value.empty()) ParseSealingDate(cl, link.sealing);
            while (const CGedcomLine* d = reader_.NextAtLevel(3, true)) {
              const CGedcomLine dl = *d;
              if (dl.tagCode == kTagDate || dl.tagCode == kTagStat) {
                ParseSealingDate(dl, link.sealing);
                SkipDeeper(dl.level);
              } else if (dl.tagCode == kTagTemp) {
                link.sealing.templeCode = dl.value;
                SkipDeeper(dl.level);
              } else {
                ReportUnexpected(dl, "Child-to-Family sealing with Family Record", &pending);
              }
            }
          } else {
            ReportUnexpected(cl, "Family Child Record", &pending);
          }
        }
        if (relation) {
          Xref& person = *Entry(sub.value);
          bool found = false;
          for (auto& p : person.parentFamilies)
            if (p.family == mrin) {
              if (link.father != 'b' || link.mother != 'b') {
                p.father = link.father;
                p.mother = link.mother;
              }
              if (link.sealed) {
                p.sealed = true;
                p.sealing = link.sealing;
              }
              found = true;
            }
          if (!found) person.parentFamilies.push_back(link);
        }
      } else {
        if (!sub.pointer) Error(sub.position, "'CHIL' line is missing its pointer.");
        SkipDeeper(1);
      }
    } else if (tag == kTagMarr && IsEmptyEvent(record.marriage)) {
      EventRead event;
      event.tag = sub.tag;
      ReadEventDetail(sub, db::kOwnerMarriage, 4, event, pending);
      record.marriage = event.value;
      for (auto& c : event.citations) {
        c.record.ownerLetter = db::kOwnerMarriageEvent;
        pending.citations.push_back(std::move(c));
      }
    } else if (tag == kTagDiv && !reader_.NextAtLevel(2, false)) {
      record.status = EqualNoCase(Trim(sub.value), "N") ? 'M' : 'D';
    } else if (IsFamilyEvent(tag)) {
      if (tag == kTagDiv) {
        reader_.PushBack();  // the level-2 line the test above read
        record.status = 'D';
      }
      EventRead event;
      event.tag = tag == kTagEven ? "EVEN" : sub.tag;
      event.description = sub.value;
      ReadEventDetail(sub, db::kOwnerMarriage, tag == kTagMarr ? 4 : 0, event, pending);
      if (tag == kTagEven && !event.typeGiven) {
        const std::string name = event.description.empty() ? "Event" : event.description;
        Error(sub.position,
              Format("'EVEN' tag missing subordinate 'TYPE' tag; using '%s'", {name}));
        event.eventType = FindOrAddEventType(db::kOwnerMarriage, name, sub.position);
      } else if (tag != kTagEven) {
        event.eventType = FindOrAddEventType(db::kOwnerMarriage, sub.tag, sub.position);
      }
      pending.userEvents.push_back(std::move(event));
    } else if (tag == kTagSlgs) {
      ReadOrdinance(sub, record.sealingToSpouse, db::kOwnerSealingToSpouse, 3, "ZEL Spouse Sealing",
                    pending, nullptr);
    } else if (tag == kTagNchi) {
      record.childCount = static_cast<std::int16_t>(std::atoi(sub.value.c_str()));
      SkipDeeper(1);
    } else if (tag == kTagXStat) {
      if (EqualNoCase(sub.value, "Married"))
        record.status = 'M';
      else if (EqualNoCase(sub.value, "Not_Married"))
        record.status = 'N';
      else
        Error(sub.position, Format("Unknown Marriage Status '%s'", {sub.value}));
      SkipDeeper(1);
    } else if (tag == kTagSour) {
      ReadCitation(sub, db::kOwnerMarriage, pending.citations, pending);
    } else if (tag == kTagNote) {
      ReadNoteStructure(sub, pending);
    } else if (tag == kTagObje) {
      pending.media.emplace_back();
      ReadMultimedia(sub, pending.media.back(), pending);
    } else if (tag == kTagResn) {
      SkipDeeper(1);
    } else {
      ReportUnexpected(sub, "Family Record", &pending);
    }
  }
  UpdateRecord(mrin, db::kMarriage, &record, line, "family");
  StorePending(pending);
}

// ---- sources, repositories, notes, event types ---------------------------

void CGedcomImporter::ReadCallNumberMedia(int level, Pending& pending) {
  while (const CGedcomLine* l = reader_.NextAtLevel(level, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagMedi) {
      AddParagraph(pending.notes, "Source Media Type: " + sub.value);
      SkipDeeper(level);
    } else {
      ReportUnexpected(sub, "Source Call Number Structure", &pending);
    }
  }
}

void CGedcomImporter::ReadSource(const CGedcomLine& line) {
  const std::int32_t rin = DefineRecord(db::kSource, line);
  if (rin < 0) return;
  CSourceRecord record;
  DbGetRecord(rin, db::kSource, &record);
  Pending pending('3', rin, line.xref);
  bool abbreviated = false;
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagAbbr:
        record.abbreviatedTitle = sub.value;
        abbreviated = true;
        SkipDeeper(1);
        break;
      case kTagTitl:
        record.title = sub.value;
        if (!abbreviated) record.abbreviatedTitle = sub.value;
        SkipDeeper(1);
        break;
      case kTagAuth:
        record.author = sub.value;
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          if (al.tagCode == kTagAbbr) {
            record.abbreviatedAuthor = al.value;
            SkipDeeper(2);
          } else {
            ReportUnexpected(al, "Source Author Structure", &pending);
          }
        }
        break;
      case kTagCaln:
        record.callNumber = sub.value;
        ReadCallNumberMedia(2, pending);
        break;
      case kTagPubl:
        record.publication = sub.value;
        SkipDeeper(1);
        break;
      case kTagText:
        record.actualText = sub.value;
        SkipDeeper(1);
        break;
      case kTagRepo: {
        if (sub.pointer) {
          const std::int32_t repo = ResolveXref(db::kRepository, sub.value, sub.position, false);
          if (repo > 0) record.repositoryRin = repo;
        } else if (!sub.value.empty()) {
          AddParagraph(pending.notes, "Repository: " + sub.value);
        }
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          if (al.tagCode == kTagCaln) {
            if (record.callNumber.empty()) record.callNumber = al.value;
            ReadCallNumberMedia(3, pending);
          } else if (al.tagCode == kTagNote) {
            if (options_.importNotes)
              AddParagraph(pending.notes, al.value);
            else
              ReadNoteStructure(al, pending);
            SkipDeeper(2);
          } else {
            ReportUnexpected(al, "Source Repository Citation", &pending);
          }
        }
        break;
      }
      case kTagXItalic:
        record.italicTitle = IsYes(sub.value);
        SkipDeeper(1);
        break;
      case kTagXParen:
        record.parenthesizeFacts = IsYes(sub.value);
        SkipDeeper(1);
        break;
      case kTagXOther:
        record.titleSupplement = sub.value;
        SkipDeeper(1);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      default:
        ReportUnexpected(sub, "Source Record", &pending);
    }
  }
  if (!pending.notes.empty()) AddParagraph(record.comments, pending.notes);
  pending.notes.clear();
  if (record.title.empty()) record.title = record.abbreviatedTitle;
  UpdateRecord(rin, db::kSource, &record, line, "source");
  StorePending(pending);
}

void CGedcomImporter::ReadRepository(const CGedcomLine& line) {
  const std::int32_t rin = DefineRecord(db::kRepository, line);
  if (rin < 0) return;
  CRepositoryRecord record;
  DbGetRecord(rin, db::kRepository, &record);
  Pending pending('2', rin, line.xref);
  std::string lines, place, phones[3];
  int phoneCount = 0;
  bool haveAddress = false;
  auto addPhone = [&](const CGedcomLine& p) {
    if (p.value.empty() || p.pointer) return;
    if (phoneCount == 3) {
      Warning(p.position, "Too many phones defined.");
      return;
    }
    phones[phoneCount++] = p.value;
  };
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagName:
        record.name = sub.value;
        SkipDeeper(1);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagPhon:
        addPhone(sub);
        SkipDeeper(1);
        break;
      case kTagXEmail:
      case kTagXUrl:
        Warning(sub.position, Format("A repository has no field for '%s'; '%s' is not kept.",
                                     {sub.tag, sub.value}));
        SkipDeeper(1);
        break;
      case kTagAddr: {
        if (haveAddress) {
          Warning(sub.position, "A repository keeps one address; this further ADDR is not kept.");
          SkipDeeper(1);
          break;
        }
        haveAddress = true;
        std::string parts[8];  // ADDR, ADR1, ADR2, CITY, STAE, POST, CTRY
        bool seen[8] = {};
        if (!sub.pointer) parts[0] = sub.value;
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          int index = -1;
          switch (al.tagCode) {
            case kTagAdr1:
              index = 1;
              break;
            case kTagAdr2:
              index = 2;
              break;
            case kTagCity:
              index = 3;
              break;
            case kTagStae:
              index = 4;
              break;
            case kTagPost:
              index = 5;
              break;
            case kTagCtry:
              index = 6;
              break;
            default:
              break;
          }
          if (al.tagCode == kTagPhon) {
            addPhone(al);
          } else if (al.tagCode == kTagXEmail || al.tagCode == kTagXUrl) {
            Warning(al.position, Format("A repository has no field for '%s'; '%s' is not kept.",
                                        {al.tag, al.value}));
          } else if (index < 0) {
            Error(al.position, Format("Ignoring invalid tag '%s'.", {al.tag}));
          } else if (seen[index]) {
            Error(al.position, Format("'%s' is already defined.", {al.tag}));
          } else if (al.value.empty() || al.pointer) {
            Error(al.position, Format("'%s' line is missing its value.", {al.tag}));
          } else {
            seen[index] = true;
            parts[index] = al.value;
          }
          SkipDeeper(2);
        }
        for (int i = 0; i < 3; ++i)
          if (!parts[i].empty()) lines += (lines.empty() ? "" : "\r\n") + parts[i];
        for (int i = 3; i < 7; ++i)
          if (!parts[i].empty()) place += (place.empty() ? "" : ", ") + parts[i];
        break;
      }
      default:
        ReportUnexpected(sub, "Repository Record", &pending);
    }
  }
  std::string text = lines;
  if (!place.empty()) text += (text.empty() ? "" : "\r\n") + place;
  for (auto& a : record.address) a.clear();
  for (int i = 0; !text.empty(); ++i) {
    const std::size_t end = text.find("\r\n");
    if (i == 3 || end == std::string::npos) {
      record.address[i] = text;
      break;
    }
    record.address[i] = text.substr(0, end);
    text.erase(0, end + 2);
  }
  if (phoneCount > 0) record.phone = phones[0];
  if (!pending.notes.empty()) AddParagraph(record.note, pending.notes);
  pending.notes.clear();
  UpdateRecord(rin, db::kRepository, &record, line, "repository");
  StorePending(pending);
}

void CGedcomImporter::ReadNoteRecord(const CGedcomLine& line) {
  if (!options_.importNotes) {
    Pending none;
    ReadNoteStructure(line, none);
    return;
  }
  std::string text;
  AddParagraph(text, line.value);
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    Pending none;
    ReportUnexpected(sub, "Note Structure", &none);
  }
  if (line.xref.empty()) {
    Error(line.position, "A NOTE record without an identifier cannot be referred to.");
    return;
  }
  if (Xref* e = Entry(line.xref)) {
    if (e->type != kNoteType) {
      Error(line.position,
            Format("The XrefId '@%s@' is already in use for something other than a note",
                   {line.xref}));
      return;
    }
  } else {
    Xref& n = xrefs_[line.xref];
    n.type = kNoteType;
    n.defined = true;
    n.position = line.position;
    xrefOrder_.push_back(line.xref);
    ++made_[kNotes];
  }
  AddParagraph(noteTexts_[line.xref], text.empty() ? std::string(" ") : text);
}

void CGedcomImporter::ReadEventDefinition(const CGedcomLine& line) {
  CEventTypeRecord def;
  char kind = db::kOwnerIndividual;
  bool dateKind = false, desc = false;
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagAbbr:
        def.abbreviation = sub.value;
        SkipDeeper(1);
        break;
      case kTagTitl:
        def.title = sub.value;
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          Pending none;
          if (al.tagCode == kTagAbbr)
            def.shortTitle = al.value;
          else
            ReportUnexpected(al, "Event Type Record", &none);
        }
        break;
      case kTagType:
        if (!sub.value.empty()) kind = sub.value[0];
        SkipDeeper(1);
        break;
      case kTagXDateType:
        def.dateKind = static_cast<std::uint8_t>(std::atoi(sub.value.c_str()));
        dateKind = true;
        SkipDeeper(1);
        break;
      case kTagXDescFlag:
        def.hasDescription = static_cast<std::uint8_t>(std::atoi(sub.value.c_str()));
        desc = true;
        SkipDeeper(1);
        break;
      case kTagXPrep:
        def.placePreposition = sub.value;
        SkipDeeper(1);
        break;
      case kTagXShortTitle:
        def.shortTitle = sub.value;
        SkipDeeper(1);
        break;
      case kTagXVerb:
        def.verbPhrase = sub.value;
        SkipDeeper(1);
        break;
      default: {
        Pending none;
        ReportUnexpected(sub, "Event Type Record", &none);
      }
    }
  }
  if (line.value.empty()) return;
  // A type met in an event earlier in this file is new in this import too.
  const std::int32_t rin = FindOrAddEventType(kind, line.value, line.position);
  if (rin <= 0 || !addedEventTypes_.contains(rin)) return;
  CEventTypeRecord stored;
  if (DbGetRecord(rin, db::kEventType, &stored) != 1) return;
  if (!def.title.empty()) stored.title = def.title;
  stored.abbreviation = def.abbreviation;
  stored.shortTitle = def.shortTitle;
  stored.placePreposition = def.placePreposition;
  stored.verbPhrase = def.verbPhrase;
  // The definition leaves out a number of 0.
  stored.dateKind = dateKind ? def.dateKind : 0;
  stored.hasDescription = desc ? def.hasDescription : 0;
  DbUpdateRecord(rin, db::kEventType, &stored);
}

// ---- multimedia ----------------------------------------------------------

void CGedcomImporter::ReadMultimedia(const CGedcomLine& line, PendingMedia& media,
                                     Pending& pending) {
  media.position = line.position;
  if (line.pointer) {
    media.object = line.value;
    SkipDeeper(line.level);
    return;
  }
  auto flag = [](const std::string& v) { return v.empty() || (v[0] != 'N' && v[0] != 'n'); };
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagFile:
        media.file = sub.value;
        // The FORM and TITL that newer files put under FILE.
        while (const CGedcomLine* f = reader_.NextAtLevel(sub.level + 1, true)) {
          const CGedcomLine fl = *f;
          if (fl.tagCode == kTagTitl)
            media.title = fl.value;
          else if (fl.tagCode != kTagForm)
            ReportUnexpected(fl, "Multimedia Object", &pending);
          SkipDeeper(fl.level);
        }
        break;
      case kTagTitl:
        media.title = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagNote:
        AddParagraph(media.note, sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagForm:
        SkipDeeper(sub.level);
        break;
      case kTagXPrim:
        media.primary = flag(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagXScbk:
        media.scrapbook = flag(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagXType:
        if (EqualNoCase(sub.value, "PHOTO"))
          media.kind = 'P';
        else if (EqualNoCase(sub.value, "SOUND"))
          media.kind = 'S';
        else if (EqualNoCase(sub.value, "VIDEO"))
          media.kind = 'V';
        else
          ReportUnexpected(sub, "Multimedia Object Type", &pending);
        SkipDeeper(sub.level);
        break;
      default:
        ReportUnexpected(sub, "Multimedia Object", &pending);
    }
  }
}

void CGedcomImporter::ReadMultimediaRecord(const CGedcomLine& line) {
  PendingMedia media;
  Pending none;
  ReadMultimedia(CGedcomLine{0, "", line.tag, line.tagCode, "", false, line.position}, media, none);
  if (line.xref.empty()) {
    Warning(line.position, "An OBJE record without an identifier cannot be referred to.");
    return;
  }
  if (mediaObjects_.count(line.xref))
    Error(line.position, Format("%s is multiply defined at %s and %s.",
                                {line.xref, Position(mediaObjects_[line.xref].position),
                                 Position(line.position)}));
  mediaObjects_[line.xref] = media;
}

void CGedcomImporter::LinkMultimedia() {
  for (MediaOwner& owner : mediaOwners_) {
    std::unique_ptr<CMultimediaItem> head;
    CMultimediaItem* tail = nullptr;
    for (PendingMedia& m : owner.media) {
      PendingMedia media = m;
      if (!m.object.empty()) {
        const auto it = mediaObjects_.find(m.object);
        if (it == mediaObjects_.end()) {
          Error(m.position, Format("The multimedia object '%s' was not defined.", {m.object}));
          continue;
        }
        media = it->second;
        media.position = m.position;
      }
      if (media.file.empty()) {
        Warning(media.position,
                Format("A multimedia link of '%s' has no FILE and is skipped.", {owner.xref}));
        continue;
      }
      auto item = std::make_unique<CMultimediaItem>();
      item->fileName = media.file;
      item->caption = media.title;
      item->description = media.note;
      item->kind = media.kind;
      if (media.scrapbook) item->flags |= CMultimediaItem::kFlagScrapbook;
      if (media.primary) item->flags |= CMultimediaItem::kFlagDefault;
      CMultimediaItem* raw = item.get();
      if (tail)
        tail->next = std::move(item);
      else
        head = std::move(item);
      tail = raw;
    }
    if (head && DbSaveMultimediaChain(owner.rin, head.get(), owner.type) <= 0)
      Error({}, Format("Can't store the multimedia links of '%s'.", {owner.xref}));
  }
}

// ---- storing what a record left ------------------------------------------

std::int32_t CGedcomImporter::DefineRecord(int type, const CGedcomLine& line) {
  const std::int32_t rin = ResolveXref(type, line.xref, line.position, true);
  if (rin < 0) SkipDeeper(0);
  return rin;
}

bool CGedcomImporter::ReadBack(std::int32_t rin, int type, RecordRef record,
                               const CGedcomLine& line, const char* what) {
  if (DbGetRecord(rin, type, record) == 1) return true;
  Error(line.position, std::string("Can't read back ") + what + " '" + line.xref + "'.");
  SkipDeeper(0);
  return false;
}

void CGedcomImporter::UpdateRecord(std::int32_t rin, int type, RecordRef record,
                                   const CGedcomLine& line, const char* what) {
  if (DbUpdateRecord(rin, type, record) != 1)
    Error(line.position, std::string("Can't store ") + what + " '" + line.xref + "'.");
}

std::int32_t CGedcomImporter::StoreCitation(PendingCitation& c) {
  if (c.record.sourceRin == 0) {
    CSourceRecord source;
    source.title = source.abbreviatedTitle = c.sourceTitle;
    c.record.sourceRin = DbAddRecord(db::kSource, options_.reuseDeletedRecords, &source);
    if (c.record.sourceRin <= 0) {
      Error(c.position, "Can't add the source of a citation.");
      return 0;
    }
    ++made_[kSources];
  }
  const std::int32_t rin = DbAddRecord(db::kCitation, options_.reuseDeletedRecords, &c.record);
  if (rin <= 0) {
    Error(c.position, "Can't add a citation.");
    return 0;
  }
  for (const auto& note : c.notes) noteLinks_.push_back({'1', rin, "CIT", note, c.position});
  return rin;
}

void CGedcomImporter::StorePending(Pending& p) {
  for (auto& ev : p.userEvents) {
    const char owner = p.ownerKind;
    CUserEventRecord record(p.owner, owner, ev.eventType, 0);
    record.SetDescription(ev.description);
    if (ev.confidential == 'Y') record.yesNo = 'Y';
    if (CPlaceEventObject* object = record.GetEvent()) {
      object->date = ev.value.date;
      for (int i = 0; i < 4; ++i) object->place[i] = ev.value.place[i];
    }
    *record.GetSecondDate() = ev.secondDate;
    const std::int32_t rin = DbAddRecord(db::kUserEvent, options_.reuseDeletedRecords, &record);
    if (rin <= 0 || DbLinkRecord(rin, db::kUserEvent, p.owner, owner) <= 0) {
      Error({}, "Can't add the " + ev.tag + " event of '" + p.xref + "'.");
      continue;
    }
    if (!ev.cause.empty()) AddParagraph(p.notes, ev.tag + " cause: " + ev.cause);
    for (auto& c : ev.citations) {
      c.record.ownerLetter = owner == db::kOwnerIndividual ? db::kOwnerIndividualUserEvent
                                                           : db::kOwnerMarriageUserEvent;
      c.record.ownerNumber = rin;
      StoreCitation(c);
    }
  }
  if ((p.ownerKind == db::kOwnerIndividual || p.ownerKind == db::kOwnerMarriage) &&
      !p.notes.empty()) {
    const int type = p.ownerKind == db::kOwnerIndividual ? db::kIndividual : db::kMarriage;
    if (DbSetNotes(p.owner, p.notes, 0, 0, type) <= 0)
      Error({}, "Can't store the notes of '" + p.xref + "'.");
  }
  for (auto& c : p.citations) {
    c.record.ownerNumber = p.owner;
    StoreCitation(c);
  }
  if (!p.media.empty())
    mediaOwners_.push_back({p.ownerKind == db::kOwnerIndividual ? db::kIndividual : db::kMarriage,
                            p.owner, p.xref, std::move(p.media)});
}

// ---- the closing passes --------------------------------------------------

std::string CGedcomImporter::FamilyXref(std::int32_t mrin) const {
  for (const auto& [key, e] : xrefs_)
    if (e.type == db::kMarriage && e.rin == mrin) return key;
  return std::to_string(mrin);
}

void CGedcomImporter::LinkRecords() {
  progress_->SetStatus("Linking records");
  // The entries in the order they were met, looked up once for all passes.
  std::vector<std::pair<const std::string*, Xref*>> ordered;
  ordered.reserve(xrefOrder_.size());
  for (const std::string& key : xrefOrder_) {
    auto& [mapKey, entry] = *xrefs_.try_emplace(key).first;
    ordered.emplace_back(&mapKey, &entry);
  }
  // Undefined records first: every kind is named in the log.
  for (const auto& [keyOf, entry] : ordered) {
    const std::string& key = *keyOf;
    Xref& e = *entry;
    if (e.defined || e.rin <= 0) continue;
    switch (e.type) {
      case db::kIndividual: {
        Error(e.position, Format("The individual '%s' was not defined.", {key}));
        CIndividualRecord r;
        if (DbGetRecord(e.rin, db::kIndividual, &r) == 1) {
          r.surname = "<Unknown>";
          DbUpdateRecord(e.rin, db::kIndividual, &r);
        }
        break;
      }
      case db::kMarriage:
        Error(e.position, Format("The family '%s' was not defined.", {key}));
        break;
      case db::kSource:
        Error(e.position, Format("The source '%s' was not defined.", {key}));
        break;
      case db::kRepository:
        Error(e.position, Format("The repository '%s' was not defined.", {key}));
        break;
    }
  }
  // Spouses, in the order the families were met.
  for (const auto& [keyOf, entry] : ordered) {
    const Xref& f = *entry;
    if (f.type != db::kMarriage) continue;
    if (f.husband > 0) DbSetRelation(f.husband, 0, db::kRelHusband, f.rin);
    if (f.wife > 0) DbSetRelation(f.wife, 0, db::kRelWife, f.rin);
  }
  // Children: a family's CHIL list in file order, then those linked only by
  // their own FAMC line.
  std::unordered_map<std::int64_t, std::int32_t> links;  // (family, child) -> family link
  auto pairKey = [](std::int32_t family, std::int32_t child) {
    return (static_cast<std::int64_t>(family) << 32) | static_cast<std::uint32_t>(child);
  };
  auto makeChild = [&](std::int32_t family, std::int32_t child) {
    const auto k = pairKey(family, child);
    if (links.count(k)) return;
    const std::int32_t link = DbSetRelation(child, 0, db::kRelParents, family);
    if (link > 0) links[k] = link;
  };
  for (const auto& [keyOf, entry] : ordered) {
    const Xref& f = *entry;
    if (f.type == db::kMarriage)
      for (std::int32_t child : f.children) makeChild(f.rin, child);
  }
  for (const auto& [keyOf, entry] : ordered) {
    const std::string& key = *keyOf;
    const Xref& p = *entry;
    if (p.type != db::kIndividual || p.rin <= 0) continue;
    for (const FamcLink& famc : p.parentFamilies) {
      makeChild(famc.family, p.rin);
      const auto it = links.find(pairKey(famc.family, p.rin));
      if (it == links.end()) continue;
      // The family file keeps one relationship for both parents and no status.
      if (famc.father != famc.mother)
        Warning(p.position, Format("The child '%s' has the relationships '%s' and '%s' to the "
                                   "parents of family '%s'; '%s' is kept for both.",
                                   {key, std::string(1, famc.father), std::string(1, famc.mother),
                                    FamilyXref(famc.family), std::string(1, famc.father)}));
      if (famc.status != 'V')
        Warning(p.position, Format("The status '%s' of the child '%s' in family '%s' is not kept.",
                                   {std::string(1, famc.status), key, FamilyXref(famc.family)}));
      if (famc.father == 'b' && !famc.sealed) continue;
      CFamilyLinkRecord link;
      if (DbGetRecord(it->second, db::kFamilyLink, &link) != 1) continue;
      link.firstParentRelation = link.secondParentRelation = famc.father;
      if (famc.sealed) link.SetSealingEvent(std::make_unique<COrdinanceObject>(&famc.sealing, 'S'));
      DbUpdateRecord(it->second, db::kFamilyLink, &link);
    }
    if (!p.parentFamilies.empty()) {
      CIndividualRecord r;
      if (DbGetRecord(p.rin, db::kIndividual, &r) == 1 &&
          r.numbers[CIndividualRecord::kParentsMrin] != p.parentFamilies.front().family) {
        r.numbers[CIndividualRecord::kParentsMrin] = p.parentFamilies.front().family;
        DbUpdateRecord(p.rin, db::kIndividual, &r);
      }
    }
    // The marriages in the order of the individual's FAMS lines.
    if (p.spouseFamilies.size() >= 2) {
      if (p.sex == 0)
        Error(p.position, Format("Can't determine the sex of individual '%s'.", {key}));
      DbSetOrder(p.rin, p.spouseFamilies, db::kRelMarriages,
                 static_cast<int>(p.spouseFamilies.size()));
    }
  }
}

void CGedcomImporter::LinkNotes() {
  progress_->SetStatus("Linking notes");
  for (const NoteLink& link : noteLinks_) {
    const char* kind = link.kind == '1'   ? "Citation"
                       : link.kind == '2' ? "Repository"
                       : link.kind == '3' ? "Source"
                       : link.kind == 'I' ? "Individual"
                       : link.kind == 'M' ? "Marriage"
                                          : "UNKNOWN";
    const Xref* e = Entry(link.note);
    if (!e) {
      Error(link.position,
            Format("%s '%s' referenced undefined note '%s'.", {kind, link.owner, link.note}));
      continue;
    }
    if (e->type != kNoteType) {
      Error(link.position,
            Format("%s '%s' referenced non-note pointer '%s'.", {kind, link.owner, link.note}));
      continue;
    }
    const std::string& text = noteTexts_[link.note];
    switch (link.kind) {
      case 'I':
        DbSetNotes(link.rin, text, 2, 0, db::kIndividual);
        break;
      case 'M':
        DbSetNotes(link.rin, text, 2, 0, db::kMarriage);
        break;
      case '1':
        PutNoteFirst(link.rin, db::kCitation, &CCitationRecord::comments, text);
        break;
      case '2':
        PutNoteFirst(link.rin, db::kRepository, &CRepositoryRecord::note, text);
        break;
      case '3':
        PutNoteFirst(link.rin, db::kSource, &CSourceRecord::comments, text);
        break;
    }
  }
}

void CGedcomImporter::WriteLog() {
  const std::time_t now = plat::Now();
  std::tm tm{};
  localtime_r(&now, &tm);
  char today[32];
  std::strftime(today, sizeof today, "%d %b %Y", &tm);
  std::string day = today;
  if (day.size() > 1 && day[0] == '0') day.erase(0, 1);
  std::string log = "GEDCOM Import Log - " + day + "\n\n";
  const std::string file = lastPart_.empty() ? reader_.PartFileName(0) : lastPart_;
  log += "    File:         " + file +
         (header_.headerDate.empty() ? "" : " (" + header_.headerDate + ")") + "\n";
  log += "    Created by:   " + header_.sourceSystem + " " + header_.productName + " " +
         header_.version + "\n";
  log += "    Submitted by: " +
         (header_.submitterName.empty() ? std::string("<UNKNOWN>") : header_.submitterName) + "\n";
  log += "    Individuals:  " + std::to_string(made_[kIndividuals]) + "\n";
  log += "    Marriages:    " + std::to_string(made_[kFamilies]) + "\n";
  log += "    Sources:      " + std::to_string(made_[kSources]) + "\n";
  log += "    Repositories: " + std::to_string(made_[kRepositories]) + "\n";
  log += "    Errors:       " + std::to_string(errors_) + "\n\n";
  if (errors_ > 0)
    log +=
        "The following lines in the GEDCOM file could not be processed due to\nunrecognizable "
        "tags or invalid data:\n\n";
  log += errorText_;
  std::FILE* f = std::fopen(logPath_.c_str(), "wb");
  if (!f) {
    plat::MessageBox("Can't write the import log " + logPath_ + ": " + std::strerror(errno),
                     "GEDCOM Import");
    return;
  }
  std::fwrite(log.data(), 1, log.size(), f);
  std::fclose(f);
}

void CGedcomImporter::Refresh() {
  progress_->SetDefined(defined_);
  progress_->SetCounts(made_, errors_);
  if (progress_->CancelRequested()) cancelled_ = true;
}

// ---- the driver ----------------------------------------------------------

void CGedcomImporter::ReadRecords() {
  while (const CGedcomLine* l = reader_.NextAtLevel(0, false)) {
    const CGedcomLine line = *l;
    if (line.tagCode == kTagTrlr) break;
    switch (line.tagCode) {
      case kTagHead:
        ReadHeader(reader_, header_);
        break;
      case kTagSubm:
        ReadSubmitter(reader_, header_);
        break;
      case kTagIndi:
        ++defined_[kIndividuals];
        ReadIndividual(line);
        break;
      case kTagFam:
        ++defined_[kFamilies];
        ReadFamily(line);
        break;
      case kTagSour:
        ++defined_[kSources];
        ReadSource(line);
        break;
      case kTagRepo:
        ++defined_[kRepositories];
        ReadRepository(line);
        break;
      case kTagNote:
        ++defined_[kNotes];
        ReadNoteRecord(line);
        break;
      case kTagXEventDefn:
        ReadEventDefinition(line);
        break;
      case kTagObje:
        ReadMultimediaRecord(line);
        break;
      case kTagSubn:
        SkipDeeper(0);
        break;
      default:
        ReportUnexpected(line, "Top Level Record", nullptr);
    }
    if (++recordsRead_ % 32 == 0) {
      Refresh();
      if (cancelled_) return;
    }
  }
}

int CGedcomImporter::Import() {
  if (DbGetFormatVersion().empty()) {
    plat::MessageBox("GEDCOM import needs an open family file.", "GEDCOM Import");
    return 0;
  }
  if (!reader_.Open(path_)) {
    plat::MessageBox("Can't open " + path_ + ": " + std::strerror(errno), "GEDCOM Import");
    return 0;
  }
  // Room for the identifiers up front, about one record per 128 bytes of a
  // typical file, rather than growing the table again and again.
  std::error_code sizeError;
  const auto bytes = std::filesystem::file_size(path_, sizeError);
  if (!sizeError)
    xrefs_.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(bytes / 128, 1 << 22)));
  std::vector<CEventTypeRecord> types;
  DbGetRecord(0, db::kEventTypeList, &types);
  for (const CEventTypeRecord& t : types) {
    if (t.ownerKind != db::kOwnerIndividual && t.ownerKind != db::kOwnerMarriage) continue;
    auto& map = eventTypes_[t.ownerKind == db::kOwnerMarriage ? 1 : 0];
    map.emplace(Upper(t.tag.empty() ? t.title : t.tag), t.recordNumber);
  }
  progress_->SetFile(reader_.PartFileName(0));
  progress_->SetListingPath(logPath_);
  progress_->SetStatus("Reading GEDCOM file");
  if (const CGedcomLine* head = reader_.FindNextAtLevel(0, kTagHead)) {
    (void)head;
    headFound_ = true;
    ReadHeader(reader_, header_);
    ReadRecords();
  } else {
    Error({}, "Can't find HEAD record at the beginning of the file.");
  }
  progress_->SetDefined(defined_);
  progress_->SetCounts(made_, errors_);
  // What was read is linked also after a cancel, so no record is left
  // without its family.
  if (headFound_) LinkRecords();
  LinkMultimedia();
  LinkNotes();
  // Last, so that no later store stamps the records again.
  for (const auto& [rin, stamp] : changeStamps_)
    DbSetIndividualUpdateTime(rin, db::kIndividual, stamp);
  WriteLog();
  progress_->SetStatus("");
  plat::Shell().Open(logPath_);
  // Records whose writes failed (a full disk) are not in the family file.
  if (DbWriteFailures() > 0) {
    plat::MessageBox(
        "The family file could not be written (the disk may be full). The import "
        "is incomplete: " +
            std::to_string(made_[kIndividuals]) + " individuals and " +
            std::to_string(made_[kFamilies]) + " families were stored.",
        "GEDCOM Import", plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
  return headFound_ && !cancelled_ ? 1 : 0;
}

}  // namespace gedcom
