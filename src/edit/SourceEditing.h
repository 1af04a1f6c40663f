#pragma once
// What the source screens decide without Qt: the View Sources text of a
// record, the application's source list cache, the Edit Source and
// Repository stores, the repository address text, and the merge of
// duplicate repositories, sources and citations.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"

namespace sources {

// ---- View Sources ----
struct CitedItem {
  std::int32_t citation = 0;
  char ownerLetter = ' ';
  std::int32_t owner = 0;  // the record, the user event or the family link
};
// Every citation of individual ('I') or marriage ('M') rin in display order;
// baptism, endowment and the sealings only with showZel.
std::vector<CitedItem> CollectCitations(std::int32_t rin, char kind, bool showZel);
// The footnotes numbered from 1 under upper-case owner headings, CR LF line ends.
std::string ViewSourcesText(const std::vector<CitedItem>& items);

// ---- the source list cache ----
struct SourceCacheEntry {
  std::int32_t rin = 0;  // 0: a cleared entry
  std::array<std::uint8_t, 3> flags{};
};
// One list for the whole run, in the family file's source order.
class CSourceListCache {
 public:
  static CSourceListCache& Instance();
  // Builds the list when it is empty; false (and 5468 shown when report is
  // set) when the family file's source list cannot be read.
  bool Fill(bool report = true);
  void Clear() { entries_.clear(); }
  bool Empty() const { return entries_.empty(); }
  std::vector<SourceCacheEntry>& Entries() { return entries_; }
  void Append(std::int32_t rin, std::array<std::uint8_t, 3> flags = {1, 0, 0});
  // Removes entry index.
  void Erase(std::size_t index);
  // An edited entry whose title changed: removed when last, else cleared.
  void Retire(std::size_t index);

 private:
  std::vector<SourceCacheEntry> entries_;
};
std::array<std::uint8_t, 3> CacheFlags(const CSourceRecord& source);

// ---- Edit Source ----
// The fields the Edit Source dialog shows.
struct SourceFields {
  std::string title, author, publication, callNumber, actualText, comments;
  std::int32_t repositoryRin = 0;
  bool italics = false, parentheses = false;
};
SourceFields FieldsOf(const CSourceRecord& source);
// Writes the shown fields over record, keeping every other field as read.
void ApplyFields(const SourceFields& fields, CSourceRecord& record);
// The sample footnote: short form with italics marks.
std::string SampleFootnote(const CSourceRecord& record);
// Opening: a repository link that cannot be read is dropped (true: message
// 5388 is due).
bool DropLostRepository(CSourceRecord& record);
// Stores source record (rin 0: a new one is added first). The stored number,
// or 0 when the record could not be created (5391 shown) or written (told by
// the engine).
std::int32_t StoreSource(CSourceRecord& record);
// A copy of source rin added as a new source; 0 and 5384 shown on a failure.
std::int32_t CopySource(std::int32_t rin);

// ---- Repository ----
// The four address lines as one text: empty lines between filled ones kept,
// those at the end dropped; lines joined by CR LF.
std::string JoinAddress(const std::string (&lines)[4]);
// The text split at its first three line breaks (CR LF or LF); line 4 keeps
// the rest with its line breaks.
std::array<std::string, 4> SplitAddress(const std::string& text);
// Stores the repository (rin 0: added first), its note kept as read. The
// number, or 0 when it could not be created (5396 shown) or written (told by
// the engine).
std::int32_t StoreRepository(CRepositoryRecord& record, const std::string& name,
                             const std::string& address, const std::string& phone);

// ---- Merge Duplicate Sources and Citations ----
struct MergeCounts {
  unsigned long repositories = 0, sources = 0, citations = 0;
  bool cancelled = false;
};
// Runs the four passes under the progress port and shows the summary 7246.
MergeCounts MergeDuplicateSources(bool showSummary = true);
std::string MergeSummary(const MergeCounts& counts);

}  // namespace sources
