#pragma once
// The GEDCOM export job: decides which individuals and marriages are
// exported (the document's selection, narrowed to who needs an ordinance for
// a Rosterly submission, or the web generator's ancestor and descendant
// walks), marks them all before anything is written, then writes the header
// and submitter, the INDI and FAM records, event definitions, SOUR and REPO
// records and the trailer through GedcomLineWriter and GedcomOutput.
// Submission stamps and the Rosterly summary follow only a whole file.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "GedcomLineWriter.h"
#include "GedcomOutput.h"

class CIndividualRecord;
class CMarriageRecord;
class CEventValue;
class COrdinanceValue;

namespace gedcom {

enum ExportMode : int {
  kExportGedcom40 = 0,
  kExportStirpbank = 1,
  kExportRosterly = 2,
  kExportStandard = 3,
  kExportLineroll = 4,
};

struct ExportOptions {
  int mode = kExportStandard;
  bool form55 = true;
  bool ansel = true;
  bool zel = false;
  bool submitAllSelected = false;
  bool fullLiving = false;
  int notesAndSources = 0;  // bit 0 notes, bit 1 sources
  bool confidential = false;
  bool namesOnLiving = false;
  bool contact = false;
  bool multimedia = false;
  bool submitter = false;
  // Rosterly: the submission report and marking the ordinances submitted.
  bool submissionReport = false;
  bool markSubmitted = false;
};

// What the header says about the program.
struct ExportProgram {
  std::string title = "Korvane";
  std::string version = "1.0.0.0";
  std::string language = "EN";  // interface language code
};

// The document's filter set, as the export sees it: which individuals it
// holds.
class ExportFilterSet {
 public:
  virtual ~ExportFilterSet() = default;
  virtual bool Contains(std::int32_t rin) const = 0;
};

// A web generator's entry: the individual and generations of descendants
// (kind 3) or ancestors (kind 4).
struct SelectionEntry {
  static constexpr int kDescendants = 3;
  static constexpr int kAncestors = 4;
  std::int32_t rin = 0;
  int kind = 0;
  int generations = 0;
};

// The export's progress window: the type line, the two counters and Cancel.
// The default shows them through the platform's progress port.
class ExportProgress {
 public:
  virtual ~ExportProgress() = default;
  virtual void Begin(const std::string& source);
  virtual void SetSource(const std::string& text);
  virtual void SetCounts(long individuals, long marriages);
  virtual bool CancelRequested();
  virtual void End();
};

inline constexpr const char* kCouldNotCreate = "Could not create GEDCOM file.";
inline constexpr const char* kExportFailedCaption = "EXPORT FAILED";
inline constexpr const char* kQuitQuestion =
    "%s is not complete.\n\nIf you quit now, you will likely have problems with your "
    "file.\n\nAre you sure you want to quit?";
inline constexpr const char* kExportedSummary = "%1 individuals exported\n%2 marriages exported";

class CGedcomExporter {
 public:
  explicit CGedcomExporter(GedcomDrive& drive) : drive_(drive) {}
  CGedcomExporter(const CGedcomExporter&) = delete;
  CGedcomExporter& operator=(const CGedcomExporter&) = delete;

  ExportOptions options;
  ExportProgram program;

  // Creates the output file; shows "Could not create GEDCOM file." and
  // answers false when it cannot. fileName is the header's "1 FILE" value.
  bool Open(const std::string& path);
  void SetFileName(const std::string& name) { fileName_ = name; }
  // The window that shows progress; null (the default) uses the progress port.
  void SetProgress(ExportProgress* progress) { progress_ = progress ? progress : &portProgress_; }
  // The open family file; the Rosterly report is written beside it.
  void SetFamilyPath(const std::string& path) { familyPath_ = path; }
  std::string ReportPath() const;

  // The whole export: with a selection list its walks choose, else the
  // filter set (none: nothing is selected). True when "0 TRLR" was written.
  bool Export(const std::vector<SelectionEntry>* selection, const ExportFilterSet* filter);

  bool Complete() const { return complete_; }
  long IndividualsWritten() const { return individualsWritten_; }
  long MarriagesWritten() const { return marriagesWritten_; }
  // The closing message: the two counts, and when the export did not end,
  // that it is incomplete; then the values that had to be cut.
  std::string Summary() const;
  const std::vector<std::string>& CutValues() const;
  // Closes the output and the progress window; false when the output's last
  // bytes could not be written.
  bool Close();
  // Shows Summary() under "GEDCOM Export" (the progress window's last word).
  void ShowSummary() const;
  bool Cancelled() const { return cancelled_; }

 private:
  // Pumps messages between records; on Cancel asks whether to quit. False
  // when the user quits.
  bool KeepGoing();

  // ---- marking ----
  // Rosterly submission of the selected individuals who need an ordinance:
  // fills the need sets, narrows the selection to them, and marks them
  // with the families whose sealings qualify. False on a cancel.
  bool QualifyRosterly(const ExportFilterSet& filter);
  void MarkRosterlyFamilies(std::int32_t rin);
  bool Rosterly() const { return options.mode == kExportRosterly && !options.submitAllSelected; }
  void MarkIndividual(std::int32_t rin, std::uint8_t how = kMarked);
  void MarkFamiliesAmongSelected(std::int32_t rin, const ExportFilterSet& filter);
  void WalkDescendants(std::int32_t rin, int generations);
  void WalkAncestors(std::int32_t rin, int generations);
  bool IndividualMarked(std::int32_t rin) const;
  bool MarriageMarked(std::int32_t mrin) const;

  // ---- records ----
  bool WriteHeader();
  bool WriteSubmitter();
  bool WriteIndividual(std::int32_t rin);
  bool WriteFamily(std::int32_t mrin);
  bool WriteNameLines(const CIndividualRecord& person, bool shortForm);
  bool WriteEvent(int level, const char* tag, const CEventValue& event, std::int32_t owner,
                  char kind, bool* wrote = nullptr);
  bool WriteCitations(int level, std::int32_t owner, char kind);
  // The date or status and temple lines of an ordinance under its tag line;
  // false in wrote when the ordinance is empty and nothing was written.
  bool WriteOrdinance(const char* tag, const COrdinanceValue& ordinance, std::int32_t owner,
                      char kind, const std::string& familyPointer, bool temple, bool* wrote);
  bool WriteUserEvents(int level, std::int32_t owner, char ownerKind, char citationKind);
  bool WriteChristeningSlot(const CIndividualRecord& p, std::int32_t rin);
  bool WriteEventDefinition(std::int32_t number);
  bool WriteMultimedia(std::int32_t rin);
  void DontDoIt(const char* tag, const CIndividualRecord& p, std::int32_t rin, int kind,
                bool tagWritten);
  bool WriteCitationNotes40(int level, std::int32_t rin);
  bool WriteSource(std::int32_t number);
  bool WriteRepository(std::int32_t number);
  bool WriteParentLinks(const CIndividualRecord& person, bool full);
  // The record's notes (bit 0 of the notes-and-sources word) and its own
  // citations (bit 1), filed under kind.
  bool WriteNotes(int level, std::int32_t rin, int type, char kind);
  std::string Line(int level, std::string_view rest) const;

  static constexpr std::uint8_t kMarked = 1;
  static constexpr std::uint8_t kWalked = 2;
  static constexpr std::uint8_t kAddedSpouse = 4;

  GedcomDrive& drive_;
  std::unique_ptr<GedcomOutput> output_;
  std::unique_ptr<GedcomLineWriter> writer_;
  std::string path_, fileName_, familyPath_;
  std::vector<std::uint8_t> rinMarks_, mrinMarks_;
  // Rosterly: the narrowed selection and what each individual needs.
  std::vector<bool> rosterlySelected_, needsBaptism_, needsEndowment_, needsSealingToParents_,
      needsSealingToSpouse_, neededFamilies_;
  std::vector<std::pair<std::int32_t, std::int32_t>> conflicts_;  // RIN, first family
  std::vector<std::int32_t> written_;
  std::set<std::int32_t> sources_, repositories_, eventTypes_;  // met while writing
  long individualsWritten_ = 0, marriagesWritten_ = 0;
  bool complete_ = false;
  bool cancelled_ = false;
  bool progressShown_ = false;
  ExportProgress portProgress_;
  ExportProgress* progress_ = &portProgress_;
  bool reportWritten_ = false;
};

}  // namespace gedcom
