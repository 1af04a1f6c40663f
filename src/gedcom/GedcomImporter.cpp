// The GEDCOM import's driver: reading the level-0 records, the
// cross-reference map, storing what each record leaves, the closing passes
// that link records and notes, and the import log. The record readers are in
// GedcomImportIndividuals, GedcomImportFamilies, GedcomImportSources and
// GedcomImportShared.

#include "GedcomImporter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include <sys/stat.h>

#include "Clock.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "FileSystem.h"
#include "FamilyLinkRecord.h"
#include "GedcomImportSupport.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OrdinanceObject.h"
#include "Ports.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "StringStore.h"
#include "TempleTable.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"

namespace gedcom {

using namespace importing;

namespace {

constexpr const char* kNotWritten = "The family file could not be written (the disk may be full).";

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
  // A failed write is counted by the file, and the import ends as incomplete.
  (void)DbUpdateRecord(rin, type, &record);
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
  const auto* entry = xrefs_.find(xref);
  return entry ? entry->second.rin : 0;
}

// ---- reporting ---------------------------------------------------------

std::string CGedcomImporter::Position(const LinePosition& pos) const {
  if (pos.line <= 0) return "";
  return reader_.PositionText(pos);
}

// The log is UTF-8 for a person to read: messages, which hold code page
// text, are converted; positions name files, whose names are UTF-8 already.
void CGedcomImporter::ReportError(const std::string& position, const std::string& message) {
  ++errors_;
  errorText_ += "ERROR " + std::to_string(errors_) + ": ";
  if (!position.empty()) errorText_ += position + ": ";
  errorText_ += plat::AnsiToUtf8(message) + "\n\n";
}

void CGedcomImporter::ReportWarning(const std::string& position, const std::string& message) {
  errorText_ += "WARNING: ";
  if (!position.empty()) errorText_ += position + ": ";
  errorText_ += plat::AnsiToUtf8(message) + "\n\n";
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

void CGedcomImporter::NotKept(const std::string& kind, const CGedcomLine* line, Pending* pending) {
  auto it = std::find_if(notKept_.begin(), notKept_.end(),
                         [&](const auto& entry) { return entry.first == kind; });
  if (it == notKept_.end())
    notKept_.emplace_back(kind, 1);
  else
    ++it->second;
  if (line) DumpLines(*line, pending, false);
}

void CGedcomImporter::DumpLines(const CGedcomLine& line, Pending* pending, bool toLog) {
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
    if (toLog) errorText_ += plat::AnsiToUtf8(indented) + "\n";
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
  if (toLog) errorText_ += "\n";
  if (options_.listingInNotes && pending) AddParagraph(pending->notes, listing);
}

// ---- cross-references --------------------------------------------------

CGedcomImporter::Xref* CGedcomImporter::Entry(const std::string& xref) {
  auto* entry = xrefs_.find(xref);
  return entry ? &entry->second : nullptr;
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
      Error(pos, CannotAdd("individual"));
    else if (type == db::kMarriage)
      Error(pos, CannotAdd("family"));
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

void CGedcomImporter::StorePending(Pending& p) {
  for (auto& ev : p.userEvents) {
    const char owner = p.ownerKind;
    CUserEventRecord record(p.owner, owner, ev.eventType, 0);
    FitField(ev.description, orv::kEntryMaxText, "description of the " + ev.tag + " event",
             ev.position);
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
  // Here and in LinkNotes a failed write is counted by the file, and the
  // import ends as incomplete (Import); the linking goes on with the rest.
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
          (void)DbUpdateRecord(e.rin, db::kIndividual, &r);
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
    if (f.husband > 0) (void)DbSetRelation(f.husband, 0, db::kRelHusband, f.rin);
    if (f.wife > 0) (void)DbSetRelation(f.wife, 0, db::kRelWife, f.rin);
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
      // The link is written also for a birth: the family file makes a
      // second parent link adopted unless told otherwise.
      CFamilyLinkRecord link;
      if (DbGetRecord(it->second, db::kFamilyLink, &link) != 1) continue;
      if (link.firstParentRelation == famc.father && link.secondParentRelation == famc.father &&
          !famc.sealed)
        continue;
      link.firstParentRelation = link.secondParentRelation = famc.father;
      if (famc.sealed && famc.sealing >= 0)
        link.SetSealingEvent(std::make_unique<COrdinanceObject>(
            &sealings_[static_cast<std::size_t>(famc.sealing)], 'S'));
      (void)DbUpdateRecord(it->second, db::kFamilyLink, &link);
    }
    if (!p.parentFamilies.empty()) {
      CIndividualRecord r;
      if (DbGetRecord(p.rin, db::kIndividual, &r) == 1 &&
          r.numbers[CIndividualRecord::kParentsMrin] != p.parentFamilies.front().family) {
        r.numbers[CIndividualRecord::kParentsMrin] = p.parentFamilies.front().family;
        (void)DbUpdateRecord(p.rin, db::kIndividual, &r);
      }
    }
    // The marriages in the order of the individual's FAMS lines.
    if (p.spouseFamilies.size() >= 2) {
      if (p.sex == 0 || p.sex == 'U')
        Error(p.position, Format("Can't determine the sex of individual '%s'.", {key}));
      (void)DbSetOrder(p.rin, p.spouseFamilies, db::kRelMarriages,
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
        (void)DbSetNotes(link.rin, text, 2, 0, db::kIndividual);
        break;
      case 'M':
        (void)DbSetNotes(link.rin, text, 2, 0, db::kMarriage);
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

std::string CGedcomImporter::CannotAdd(const std::string& what) {
  return "Can't add " + what + ": " + (DbWriteFailures() > 0 ? kNotWritten : "Maxed out");
}

void CGedcomImporter::WriteLog(const std::string& failure) {
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
  log +=
      "    Created by:   " +
      plat::AnsiToUtf8(header_.sourceSystem + " " + header_.productName + " " + header_.version) +
      "\n";
  log += "    Submitted by: " +
         (header_.submitterName.empty() ? std::string("<UNKNOWN>")
                                        : plat::AnsiToUtf8(header_.submitterName)) +
         "\n";
  log += "    Individuals:  " + std::to_string(made_[kIndividuals]) + "\n";
  log += "    Marriages:    " + std::to_string(made_[kFamilies]) + "\n";
  log += "    Sources:      " + std::to_string(made_[kSources]) + "\n";
  log += "    Repositories: " + std::to_string(made_[kRepositories]) + "\n";
  log += "    Errors:       " + std::to_string(errors_) + "\n\n";
  if (!failure.empty()) log += failure + "\n\n";
  if (errors_ > 0)
    log +=
        "The following lines in the GEDCOM file could not be processed due to\nunrecognizable "
        "tags or invalid data:\n\n";
  log += errorText_;
  if (!notKept_.empty()) {
    log +=
        "These standard structures were read but are not kept: the family file has no place "
        "for them.\n\n";
    for (const auto& [kind, count] : notKept_)
      log += "    " + plat::AnsiToUtf8(kind) + ": " + std::to_string(count) + "\n";
  }
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
    if (line.tagCode == kTagTrlr) {
      if (const long rest = reader_.SkipRest(); rest > 0)
        Warning(line.position,
                Format("The file ends with this TRLR line; %s lines after it were not read.",
                       {std::to_string(rest)}));
      break;
    }
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

std::string CGedcomImporter::RefusalOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    return "Can't open " + plat::PathText(path) + ": " + std::strerror(errno);
  if (S_ISDIR(st.st_mode))
    return plat::PathText(path) + " is a folder, not a GEDCOM file.";
  if (!S_ISREG(st.st_mode))
    return plat::PathText(path) +
           " is not a file but a device, a named pipe or a socket: only a GEDCOM file can be "
           "imported.";
  if (st.st_size == 0) return plat::PathText(path) + " is empty: it holds nothing to import.";
  return {};
}

int CGedcomImporter::Import() {
  if (DbGetFormatVersion().empty()) {
    plat::MessageBox("GEDCOM import needs an open family file.", "GEDCOM Import");
    return 0;
  }
  // Only a regular file that holds something is read: a folder, a device
  // or a named pipe is refused before it is opened (a pipe would block the
  // open until someone writes to it).
  if (const std::string refusal = RefusalOf(path_); !refusal.empty()) {
    plat::MessageBox(refusal, "GEDCOM Import", plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
  if (!reader_.Open(path_)) {
    plat::MessageBox("Can't open " + plat::PathText(path_) + ": " + std::strerror(errno),
                     "GEDCOM Import");
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
  // After the families' own notes, which a family's record sets whole.
  for (Pending& details : spouseLinkDetails_) {
    if (!details.notes.empty() &&
        DbSetNotes(details.owner, details.notes, 2, 0, db::kMarriage) <= 0)
      Error({}, "Can't store the notes of '" + details.xref + "'.");
    details.notes.clear();
    StorePending(details);
  }
  LinkMultimedia();
  LinkNotes();
  // Last, so that no later store stamps the records again (a failed write
  // makes the import incomplete, below).
  for (const auto& [rin, stamp] : changeStamps_)
    (void)DbSetIndividualUpdateTime(rin, db::kIndividual, stamp);
  // Records whose writes failed (a full disk) are not in the family file:
  // the log and a box say what was stored.
  const bool incomplete = DbWriteFailures() > 0;
  const std::string stored = "The import is incomplete: " + std::to_string(made_[kIndividuals]) +
                             " individuals and " + std::to_string(made_[kFamilies]) +
                             " families were stored.";
  WriteLog(incomplete ? std::string(kNotWritten) + " " + stored : std::string());
  progress_->SetStatus("");
  plat::Shell().Open(logPath_);
  if (incomplete) {
    plat::MessageBox(std::string(kNotWritten) + " " + stored, "GEDCOM Import",
                     plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
  return headFound_ && !cancelled_ ? 1 : 0;
}

}  // namespace gedcom
