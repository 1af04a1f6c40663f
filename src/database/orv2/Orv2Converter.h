#pragma once
// The converter from an old-format (ORV 2.x) family to a new current-format
// family file. It reads the open old family through the database calls,
// creates the new file and copies the records pass by pass while keeping
// tables from old to new record numbers; tagged note paragraphs become
// contact fields, the cause of death, and (with the user's consent) sources,
// repositories and citations; multimedia moves along with its file names
// made to work from the new file's folder. A second set of passes makes the
// spouse, child and parent links in the new file from the old chains.
//
// The new file is built under a temporary name beside the destination and
// renamed over it only when every pass succeeded: a conversion that fails or
// is cancelled leaves no new file behind, and the old family's files are
// only read.

#include <cstdint>
#include <string>
#include <vector>

class CFamilyDatabase;
class CIndividualRecord;

namespace orv2 {

// The counter is shown every this many steps.
inline constexpr long kCounterStep = 31;

struct ConversionOptions {
  bool wrap = true;                // the notes reader joins stored lines
  bool preserveNumbers = false;    // individuals and marriages keep their numbers
  bool convertSourceNotes = true;  // '!' paragraphs may become citations
};

// Old record number -> new record number, in chunks of 8192 entries; index
// n holds the new number of old record n, 0 for a deleted or skipped one.
class CRecordNumberMap {
 public:
  static constexpr std::size_t kChunk = 8192;
  void Append(std::int32_t value);
  // 0 for an index outside 0 .. Count() - 1.
  std::int32_t Lookup(std::int64_t index) const;
  std::size_t Count() const { return count_; }
  void Clear() {
    chunks_.clear();
    count_ = 0;
  }

 private:
  std::vector<std::vector<std::int32_t>> chunks_;
  std::size_t count_ = 0;
};

// 1 when text has the form of a Stirpbank number: characters 0-3 digits or
// upper-case consonants (not A E I O U Y; character 0 not '0'), character 4
// '-', characters 5-6 digits or such consonants.
int LooksLikeStirpbankNumber(const std::string& text);
// The part of path that follows folder when path lies inside it (case
// ignored, whole components, repeated separators skipped); else path.
std::string MakeRelativePath(const std::string& folder, const std::string& path);

// The note tags that fill fields, and the event tags a source note may cite.
inline constexpr const char* kNoteTags[] = {"MAILADDRESS", "TELEPHONE", "EMAIL", "CONTACT_NAME",
                                            "CAUSE_OF_DEATH"};
inline constexpr const char* kEventTags[] = {"BIRTH",           "CHRISTENING", "DEATH",
                                             "BURIAL",          "BAPTISM",     "ENDOWMENT",
                                             "SEALING_PARENTS", "MARRIAGE",    "SEALING_SPOUSE"};

// A source-note paragraph split into the fields of the Convert Source Notes
// dialog.
struct SourceNote {
  std::string original;  // the paragraph as it stands in the notes
  std::string title, author, publication, page, comments, repository, callNumber;
  std::vector<std::string> cited;     // tags of the event-tag list
  std::vector<std::string> notCited;  // the other tags
  std::string rest;                   // the text after the tag list's ':'
};
// Splits a paragraph beginning with '!'; false when it has no ':'.
bool ParseSourceNote(const std::string& paragraph, SourceNote& out);

// What the Convert Source Notes dialog answered.
enum class SourceNoteChoice { kConvert, kConvertAll, kDontConvert, kDontConvertAny };
struct SourceNoteAnswer {
  SourceNoteChoice choice = SourceNoteChoice::kDontConvert;
  bool retain = false;
  SourceNote note;  // the fields as the user left them
};

// The paragraphs of CR LF notes text, each without its closing line ends
// (lines inside a paragraph keep their CR LF).
std::vector<std::string> NoteParagraphs(const std::string& notes);
// Paragraphs joined back into notes text; "" for none.
std::string JoinParagraphs(const std::vector<std::string>& paragraphs);
// When the paragraph begins with a note tag and a colon, its text fills the
// tag's field of record (MAILADDRESS the address lines, city, state and
// postal code; TELEPHONE, EMAIL, CONTACT_NAME, CAUSE_OF_DEATH one field
// each) and true is returned: the paragraph leaves the notes.
bool TakeNoteTag(const std::string& paragraph, CIndividualRecord& record);

// What the converter shows while it runs.
class ConverterView {
 public:
  virtual ~ConverterView() = default;
  virtual void ShowPass(const std::string& label) = 0;
  // "31 / 120": steps done and steps of the pass.
  virtual void ShowCounter(const std::string& text) = 0;
  // Lets the screen process its waiting input; false when the user
  // cancelled.
  virtual bool Pump() = 0;
  // The Convert Source Notes dialog for one paragraph of an individual.
  virtual SourceNoteAnswer AskSourceNote(const std::string& individualName,
                                         const SourceNote& note) = 0;
};

// What a conversion read of the old family, for its summary: records read
// and converted, records that are not deleted but could not be read, and
// the damaged links, chains and notes the reader met and left out.
struct ConversionTally {
  long individualsRead = 0, individualsLost = 0;
  long marriagesRead = 0, marriagesLost = 0;
  long damaged = 0;
};

class COrv2Converter {
 public:
  // source: the old family, open as type 100 (not necessarily current).
  COrv2Converter(CFamilyDatabase& source, const ConversionOptions& options, ConverterView& view);

  // Converts into destination. 1 done; 0 failed (with its message) or
  // cancelled, the destination as it was before. CurrentDatabase is the
  // same object afterwards as before. A conversion that met damage says so
  // in one message at its end, with the tally; one that could read no
  // individual fails.
  int Run(const std::string& destination);

  bool Cancelled() const { return cancelled_; }
  // The table of a record kind after a run: individuals, marriages.
  const CRecordNumberMap& Individuals() const { return individuals_; }
  const CRecordNumberMap& Marriages() const { return marriages_; }
  const ConversionTally& Tally() const { return tally_; }

 private:
  struct Impl;
  friend struct Impl;

  CFamilyDatabase& source_;
  ConversionOptions options_;
  ConverterView& view_;
  // Old number -> new number of the individuals and the marriages; an old
  // family has no other record kinds to number.
  CRecordNumberMap individuals_, marriages_;
  ConversionTally tally_;
  // The one message of a conversion that met damage or read nobody.
  void ShowSummary() const;
  bool convertAll_ = false, convertNone_ = false, cancelled_ = false;
  long step_ = 0, total_ = 0;
  bool sameFolder_ = false;
  std::string relativeSourceFolder_;
};

}  // namespace orv2
