#pragma once
// The list passes: each selects records of the family file, writes their
// numbers in list order to a work file of the paginator state and, for the
// kinds that count their pages, makes a page entry at every page boundary.
// The list page generators read the work file back by position.
//
// Names are ordered through a disk sort of 58-byte sort records (record
// number, then the name key at offset 24); when the sort cannot be opened
// the list is written unsorted, and when it runs out of room the records
// sorted so far come first, then the rest in selection order, each once.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CDateValue;
class CIndividualRecord;
class COrdinanceValue;
struct MatchOptions;

namespace rpt {

// The parameters of the current list pass; each entry point overwrites the
// fields it uses. The include fields keep their values between runs, since
// NeedsOrdinance also answers the field filter and the custom report.
struct ListPaginationParams {
  std::int32_t first = 0;
  std::int32_t last = 0;
  std::int32_t mode = 0;  // End-of-Line: 0 whole file, 1 ancestors; Marriages: sort order
  std::string startName;  // upper case; empty = no bound
  std::string endName;
  std::int16_t startYear = 0;  // 0 = no bound
  std::int16_t endYear = 0;
  std::int16_t deceasedOnly = 0;
  std::int16_t includeEndOfLine = 0;
  std::int16_t includeSubmitted = 0;
  std::int16_t includeCompleted = 0;
  std::int16_t templeStatus = 0;  // 0 qualified, 1 not qualified, 2 both
  int sorting = 0;                // 1 while the pass's sort is open and usable
};
ListPaginationParams& ListParams();

// A page of the kinds that make page entries: its page number and the
// index of its first work-file record.
struct ListPageStart {
  std::int32_t page = 0;
  std::int32_t firstRecord = 0;
};

// One record of the Duplicates List work file.
struct DuplicatesListEntry {
  std::int32_t rin = 0;
  std::int32_t continuation = 0;  // 0 first of a group, 1 a further member
};

// The sort under the name-ordered passes; tests put in one that fails.
class ListSort {
 public:
  virtual ~ListSort() = default;
  virtual bool Open() = 0;
  virtual bool Add(const std::uint8_t* record) = 0;
  virtual void End() = 0;
  // The next record in order, null after the last.
  virtual const std::uint8_t* Next() = 0;
  virtual void Close() = 0;
};
using ListSortFactory = std::function<std::unique_ptr<ListSort>()>;
// Empty: the disk sort. Answers the previous factory.
ListSortFactory SetListSortFactory(ListSortFactory factory);

// Fills a 58-byte sort record: number in bytes 0-3, spaces to byte 23, then
// the key: surname and first given name (16 characters each, upper case),
// two letters of the second given name, runs of blanks collapsed, padded
// with blanks to 34 characters.
void BuildNameSortKey(const CIndividualRecord& record, std::int32_t number, std::uint8_t* out);
// The 34-character key of a sort record.
std::string NameKeyOf(const std::uint8_t* record);

// Its status is Completed, Done or Pre-1970.
bool IsCompletedStatus(const CDateValue& date);

// The passes; 0 on failure or Cancel. Kinds 100, 101, 112 and 113 answer
// their page entries, the others their record count.
int PaginateUnlinkedList(int lines);
int PaginateDuplicatesList(const MatchOptions& options, int lines);
int PaginateSortedRINList(std::int32_t first, std::int32_t last, int lines);
int PaginateAlphaList(const std::string& startName, const std::string& endName, int lines);
int PaginateMarriageList(int sortOrder, std::int32_t first, std::int32_t last,
                         const std::string& startName, const std::string& endName, int lines);
int PaginateEndOfLineList(int mode, std::int32_t startRin, int lines);
int PaginateIncompleteOrdinances(int lines, int startYear, int endYear,
                                 const std::string& startName, const std::string& endName,
                                 int deceasedOnly, int includeEndOfLine, int includeSubmitted,
                                 int includeCompleted, int templeStatus);
int PaginateMissingSealings(int lines, int startYear, int endYear, std::int32_t firstMrin,
                            std::int32_t lastMrin, int deceasedOnly, int includeSubmitted,
                            int includeCompleted, int templeStatus);

// The n-th 4-byte record (from 0); 0 outside the records or without a file.
std::int32_t ReadListEntry4(std::int64_t n);
// The n-th Duplicates List record; false outside the records.
bool ReadListEntry8(std::int64_t n, DuplicatesListEntry& out);
// The page entry of a page (kinds 100, 101, 112, 113); false when none.
bool FindListPage(int page, ListPageStart& out);
// Records in the work file of the last pass.
std::int64_t ListRecordCount();
// Frees the page entries, closes and deletes the work file; -1 when none was open.
int CleanupListPages();
// Closes and deletes the work file only; -1 when none was open.
int CloseListWorkFile();

}  // namespace rpt
