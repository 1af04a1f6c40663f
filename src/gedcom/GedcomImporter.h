#pragma once
// The GEDCOM import: a GEDCOM file's individuals, families, sources,
// repositories, notes, citations, events and ordinances become new, linked
// records of the open family file. Records are made as they are read; the
// links between them (parents, spouses, marriage order, note texts) are
// made in closing passes, also after a cancel. Whatever cannot be stored is
// written to the import log, never dropped silently.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "CitationRecord.h"
#include "EventValue.h"
#include "GedcomHeader.h"
#include "GedcomLineReader.h"
#include "RecordRef.h"
#include "XrefTable.h"

class CIndividualRecord;

namespace gedcom {

// The options of the import options dialog.
struct ImportOptions {
  bool reuseDeletedRecords = false;
  bool listingInNotes = false;  // "Include listing file data in notes"
  bool importNotes = true;      // off: note structures are skipped
};

// The progress window as the import sees it; the default does nothing and
// never cancels.
class ImportProgress {
 public:
  virtual ~ImportProgress() = default;
  virtual void SetStatus(const std::string& text) { (void)text; }
  virtual void SetFile(const std::string& name) { (void)name; }
  // The records made so far of each kind, and the errors.
  virtual void SetCounts(const long (&made)[5], int errors) {
    (void)made;
    (void)errors;
  }
  // The level-0 records of each kind read so far (the window's first count).
  virtual void SetDefined(const long (&defined)[5]) { (void)defined; }
  // Where the import's log goes.
  virtual void SetListingPath(const std::string& path) { (void)path; }
  // Asked every 32 records while reading: true ends the reading (the records
  // read so far are still linked).
  virtual bool CancelRequested() { return false; }
};

class CGedcomImporter : public GedcomReportSink {
 public:
  // Kind indexes of the counts.
  enum Kind { kIndividuals, kFamilies, kSources, kRepositories, kNotes, kKindCount };

  // logPath: where the log is written (LogPathFor gives the usual place).
  CGedcomImporter(std::string path, std::string logPath, ImportOptions options,
                  ImportProgress* progress = nullptr);
  ~CGedcomImporter() override;
  CGedcomImporter(const CGedcomImporter&) = delete;
  CGedcomImporter& operator=(const CGedcomImporter&) = delete;

  // Runs the whole import into the open family file and writes the log.
  // 1 when it ran to the end; 0 when it could not start (the user is told),
  // the HEAD record was missing, or the user cancelled.
  int Import();

  // Records made of each kind (placeholders of records that were only
  // referred to included).
  long Made(Kind kind) const { return made_[kind]; }
  // Level-0 records of the kind that the file defines.
  long Defined(Kind kind) const { return defined_[kind]; }
  int Errors() const { return errors_; }
  bool Cancelled() const { return cancelled_; }
  const CGedcomHeaderInfo& Header() const { return header_; }
  const std::string& LogPath() const { return logPath_; }
  // The record number an identifier (without "@") got; 0 when none.
  std::int32_t RecordOf(const std::string& xref) const;

  // The log beside the family file: its folder, the GEDCOM file's name,
  // extension ".lst".
  static std::string LogPathFor(const std::string& familyPath, const std::string& gedcomPath);
  // Why the path cannot be imported, as the user is told: it is missing, a
  // folder, no regular file (a device, a named pipe) or empty. "" for a
  // regular file that holds something.
  static std::string RefusalOf(const std::string& path);

  // GedcomReportSink
  void ReportError(const std::string& position, const std::string& message) override;
  void ReportWarning(const std::string& position, const std::string& message) override;
  void PartOpened(const std::string& name) override;

 private:
  // One citation while its owner is being read; stored once the owner is.
  struct PendingCitation {
    CCitationRecord record;
    std::string sourceTitle;  // a SOUR value that is text, not a pointer
    std::vector<std::string> notes;
    LinePosition position;
  };
  // An event as read: its value, and for a user event its type and texts.
  struct EventRead {
    CEventValue value;
    std::string tag, description, cause;
    std::string typeText;  // a TYPE line's value under a tag of its own (it describes the event)
    LinePosition position;  // of the event's line
    std::int32_t eventType = 0;
    bool typeGiven = false;
    CDateValue secondDate;
    char confidential = 0;
    bool alternateBirth = false;  // _ALT_BIRTH Y: kept in the christening slot
    std::vector<PendingCitation> citations;
  };
  // A multimedia link or a level-0 OBJE record while it is read.
  struct PendingMedia {
    std::string object;  // the OBJE record a pointer names; "" for an inline link
    std::string file, title, note;
    std::string form;  // FORM: the file's format when its name lacks an extension
    char kind = 'P';
    bool typed = false;  // kind given by _TYPE
    bool primary = false, scrapbook = true;
    LinePosition position;
  };
  // What a record leaves to be stored after its own fields are written: the
  // citations of the record and of its own events, its user events, notes.
  struct Pending {
    Pending() = default;
    Pending(char kind, std::int32_t ownerRin, std::string ownerXref)
        : ownerKind(kind), owner(ownerRin), xref(std::move(ownerXref)) {}
    char ownerKind = 'I';  // 'I' individual, 'M' marriage, '3' source, '2' repository
    std::int32_t owner = 0;
    std::string xref;
    std::string notes;  // CR LF text
    std::vector<PendingCitation> citations;
    std::vector<EventRead> userEvents;
    std::vector<PendingMedia> media;
  };
  struct MediaOwner {
    int type;
    std::int32_t rin;
    std::string xref;
    std::vector<PendingMedia> media;
  };

  struct FamcLink {
    std::int32_t family = 0;
    char father = 'b', mother = 'b', status = 'V';
    bool given = false;         // the relationships were given by PEDI lines, not by default
    bool sealed = false;        // a sealing to these parents was read
    std::int32_t sealing = -1;  // its place in sealings_ (few links have one)
  };
  struct Xref {
    int type = 0;  // record type; db::kNoteBlock for a note
    std::int32_t rin = 0;
    bool defined = false;
    LinePosition position;
    char sex = 0;              // 'M', 'F', 'U' when the file says unknown, 0 when it says nothing
    bool sexFromRole = false;  // sex is a HUSB or WIFE line's, read before any SEX line
    std::vector<std::int32_t> spouseFamilies;
    std::vector<FamcLink> parentFamilies;
    std::vector<std::int32_t> children;  // of a family, in CHIL order
    std::int32_t husband = 0, wife = 0;
  };
  struct NoteLink {
    char kind;  // 'I', 'M', '1' citation, '2' repository, '3' source
    std::int32_t rin;
    std::string owner;
    std::string note;
    LinePosition position;
  };

  // Reading the records.
  void ReadRecords();
  void ReadIndividual(const CGedcomLine& line);
  // The steps of an individual record: a SEX line's letter (0 when it says
  // none), an event, the sealing to parents, and the sex the record keeps
  // against the roles its families gave it.
  char ReadSex(const CGedcomLine& line);
  // The event type of an event line: an EVEN line's TYPE (a missing one is
  // an error and the description or "Event" names it), else its tag's.
  void SetEventType(const CGedcomLine& line, char ownerKind, EventRead& event);
  void ReadIndividualEvent(const CGedcomLine& line, CIndividualRecord& record, Pending& pending);
  void ReadSealingToParents(const CGedcomLine& line, CIndividualRecord& record, Xref& self,
                            Pending& pending);
  // The sealing of a link to parents, made (empty) when it has none.
  COrdinanceValue& SealingOf(FamcLink& link);
  void SettleIndividualSex(Xref& entry, CIndividualRecord& record, char sex,
                           const LinePosition& sexLine, const std::string& key);
  // The text fields of an individual cut to what the family file holds, each
  // cut said in the log.
  void FitIndividualFields(CIndividualRecord& record, const LinePosition& pos);
  // A text cut to a field of the family file (anselBytes long); the cut is
  // said in the log, naming the field.
  void FitField(std::string& text, int anselBytes, const std::string& field,
                const LinePosition& pos);
  void ReadFamily(const CGedcomLine& line);
  // The steps of a family record: a CHIL line with the details of the
  // child's link, and a family event.
  void ReadFamilyChild(const CGedcomLine& line, std::int32_t mrin, Xref& family, Pending& pending);
  bool ReadChildLinkDetails(FamcLink& link, Pending& pending);
  void ReadFamilyEvent(const CGedcomLine& line, CMarriageRecord& record, Pending& pending);
  // The texts of an event kept in a slot of its record, which holds date,
  // place and citations only: a value other than the happened mark "Y", and
  // a TYPE, are counted as not kept.
  void CountSlotTexts(const CGedcomLine& line, const EventRead& event);
  void ReadSource(const CGedcomLine& line);
  void ReadRepository(const CGedcomLine& line);
  // The MEDI lines under a source's call number (at level) as notes.
  void ReadCallNumberMedia(int level, Pending& pending);
  void ReadNoteRecord(const CGedcomLine& line);
  void ReadEventDefinition(const CGedcomLine& line);
  // A level-0 OBJE record, or an OBJE link of a record.
  void ReadMultimediaRecord(const CGedcomLine& line);
  void ReadMultimedia(const CGedcomLine& line, PendingMedia& media, Pending& pending);

  // Shared structures.
  // The lines under an attribute whose value is a field of the individual
  // (DSCR, TITL, REFN ...): citations and notes go to the individual, the
  // rest, which the family file cannot keep, to the log.
  void ReadAttributeDetails(const CGedcomLine& line, Pending& pending);
  void ReadPersonalName(const CGedcomLine& line, CIndividualRecord& record, Pending& pending);
  // The value of an SLGC line under CHIL, or of its DATE or STAT line, as
  // the sealing date; a warning when it is not a complete date.
  void ParseSealingDate(const CGedcomLine& line, COrdinanceValue& sealing);
  void ReadChildToFamilyLink(const CGedcomLine& line, Xref& entry, Pending& pending);
  // The notes and citations under a FAMS line go to that family (family 0:
  // the line names none); the rest is logged as not kept.
  void ReadSpouseLinkDetails(const CGedcomLine& line, std::int32_t family, Pending& pending);
  void ReadContact(const CGedcomLine& line, CIndividualRecord& record, Pending& pending);
  // Quirk forms of a contact: an ADDR whose lines are the six address
  // fields, and an EVEN of type "Address".
  void ReadContactLines(const CGedcomLine& line, CIndividualRecord& record, Pending& pending);
  void ReadAddressEvent(const CGedcomLine& line, CIndividualRecord& record, Pending& pending);
  // Whether the line's first deeper line is "TYPE Address".
  bool FirstSubIsAddressType(const CGedcomLine& line);
  // CHAN: the change date and time as a stored stamp, 0 when none was read.
  std::int32_t ReadChangeDate(const CGedcomLine& line, Pending& pending);
  // BAPL, ENDL, SLGC, SLGS: date or status and temple into value.
  void ReadOrdinance(const CGedcomLine& line, COrdinanceValue& value, char citationKind,
                     int dateKind, const char* context, Pending& pending,
                     CIndividualRecord* baptized);
  // The lines under an event; kind 'I' or 'M' for the event types it names.
  void ReadEventDetail(const CGedcomLine& line, char kind, int dateKind, EventRead& event,
                       Pending& pending);
  void ReadCitation(const CGedcomLine& line, char ownerKind, std::vector<PendingCitation>& out,
                    Pending& pending);
  void ReadNoteStructure(const CGedcomLine& line, Pending& pending);
  // A DATE line into date; with citations, its SOUR and NOTE lines are read
  // too (the date of an event).
  void ReadDate(const CGedcomLine& line, CDateValue& date, int dateKind, Pending& pending,
                std::vector<PendingCitation>* citations = nullptr);
  std::string CheckTempleCode(const CGedcomLine& line, const char* context);
  // The event type named tag (a type's GEDCOM tag, or its title when it has
  // none), added when the file has none. A type added for an event's own
  // standard tag keeps that tag, so the export writes the event under it.
  std::int32_t FindOrAddEventType(char kind, const std::string& tag, const LinePosition& pos,
                                  bool standardTag = false);
  // Copies the line and every deeper line to the log after "Unexpected tag".
  void ReportUnexpected(const CGedcomLine& line, const char* context, Pending* pending);
  // Writes the line and its deeper lines to the log (and, with the listing
  // option, to the notes of the record being read).
  void DumpLines(const CGedcomLine& line, Pending* pending, bool toLog = true);
  // A standard structure that the family file has no place for: counted by
  // kind for one line each at the end of the log, rather than a log entry
  // each. line (when given) and its deeper lines are read and, with the
  // listing option, added to the notes of the record being read.
  void NotKept(const std::string& kind, const CGedcomLine* line = nullptr,
               Pending* pending = nullptr);
  // Skips the lines deeper than level.
  void SkipDeeper(int level);

  // Cross-references: the record number of the identifier for a record of
  // type, made when new; -1 when it cannot be made or the identifier names
  // a record of another kind (both reported).
  std::int32_t ResolveXref(int type, const std::string& xref, const LinePosition& pos,
                           bool defining);
  Xref* Entry(const std::string& xref);

  // The record number a level-0 record line defines; -1, with its lines
  // skipped, when it cannot be had.
  std::int32_t DefineRecord(int type, const CGedcomLine& line);
  // The stored record of a record line into record; false, with the error
  // logged and the record's lines skipped, when it cannot be read.
  bool ReadBack(std::int32_t rin, int type, RecordRef record, const CGedcomLine& line,
                const char* what);
  // Writes a record's own fields back; an error naming what when it fails.
  void UpdateRecord(std::int32_t rin, int type, RecordRef record, const CGedcomLine& line,
                    const char* what);
  // After a record's own fields are written: its citations, user events and
  // note links.
  void StorePending(Pending& pending);
  std::int32_t StoreCitation(PendingCitation& citation);

  // Closing passes.
  void LinkRecords();
  // The identifier of a family made by this import (for log lines).
  std::string FamilyXref(std::int32_t mrin) const;
  void LinkNotes();
  // The multimedia chains of the owners, pointer links filled from the
  // level-0 OBJE records.
  void LinkMultimedia();
  // The log; failure, when not empty, is said after the counts.
  void WriteLog(const std::string& failure);
  // The error of an add of what ("individual", "family") that failed: the
  // family file could not be written, or it is full.
  static std::string CannotAdd(const std::string& what);
  void Refresh();

  std::string Position(const LinePosition& pos) const;
  std::string PositionOf(const CGedcomLine& line) const { return Position(line.position); }
  void Error(const LinePosition& pos, const std::string& message);
  void Warning(const LinePosition& pos, const std::string& message);
  // An individual of sex (as its SEX line or an earlier role gave it) named
  // as the husband or wife of a family of the other role: kept as the file
  // says, and said in the log.
  void RoleSexError(const LinePosition& pos, char sex, const std::string& xref, bool husband);

  std::string path_, logPath_;
  ImportOptions options_;
  ImportProgress defaultProgress_;
  ImportProgress* progress_;
  CGedcomLineReader reader_;
  CGedcomHeaderInfo header_;

  XrefTable<Xref> xrefs_;
  std::vector<std::string> xrefOrder_;  // identifiers in the order they were met
  std::unordered_map<std::string, std::string> noteTexts_;
  std::vector<NoteLink> noteLinks_;
  std::unordered_map<std::string, PendingMedia> mediaObjects_;
  std::vector<MediaOwner> mediaOwners_;
  // Notes and citations read under FAMS lines, stored with their families
  // once every record is read (a family's own notes come first).
  std::vector<Pending> spouseLinkDetails_;
  std::map<std::string, std::int32_t> eventTypes_[2];  // 'I' and 'M', by upper-case tag
  std::set<std::int32_t> addedEventTypes_;             // the types this import made
  std::vector<std::pair<std::int32_t, std::int32_t>> changeStamps_;  // RIN, CHAN stamp
  std::vector<std::string> temples_;       // known codes, upper case, sorted
  std::vector<COrdinanceValue> sealings_;  // of the links to parents that have one

  long made_[kKindCount] = {};
  long defined_[kKindCount] = {};
  std::int32_t ordinanceFamily_ = 0;  // the family of the FAMC line of the last ordinance read
  int errors_ = 0;
  long recordsRead_ = 0;
  bool headFound_ = false;
  bool cancelled_ = false;
  bool notesSkippedSaid_ = false;
  std::string errorText_;
  std::vector<std::pair<std::string, long>> notKept_;  // kind, how often, in the order first met
  std::string lastPart_;
};

}  // namespace gedcom
