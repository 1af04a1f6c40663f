#pragma once
// The Possible Record Problems rules: for one individual, the dates and
// links that look wrong (events out of order, ordinances too early or in the
// future, temples not open, children born outside the parents' plausible
// ages, spouses far apart in age ...), one line per problem and, for the
// rules found in marriages, a second line listing those marriages. The pass
// stores only (RIN, line count) pairs; the page rebuilds the texts.

#include <cstdint>
#include <string>
#include <vector>

class CDateValue;
class CIndividualRecord;

namespace rpt {

struct RecordProblemOptions {
  std::int32_t motherLowest = 16;
  std::int32_t motherHighest = 45;
  std::int32_t fatherLowest = 16;
  std::int32_t fatherHighest = 45;
  std::int32_t span = 15;  // husband-wife age difference, years
  std::int32_t sortByName = 0;
  std::int32_t checkZel = 1;
  std::int32_t checkOrder = 1;
};
// The options as profile section "PrRpt" holds them.
RecordProblemOptions StoredRecordProblemOptions();

// -2 when the dates cannot be compared (a year missing; one has a month and
// the years are equal; one has a day and the months are equal), else 1 when
// a is later, -1 when earlier, 0 when equal.
int CompareProblemDates(const CDateValue& a, const CDateValue& b);
// 0 only when the temple is in the temple table and was not open on date.
int WasTempleOpen(const CDateValue& date, const std::string& templeCode);

class CRecordProblemChecker {
 public:
  static constexpr std::size_t kMaxLineChars = 150;
  static constexpr std::size_t kMrinListSize = 64;

  // The number of problem lines of the individual (read when record is
  // null). With lines, the lines from firstLine on (from 1; 0 all) are
  // appended to it.
  static int Check(std::int32_t rin, const RecordProblemOptions& options,
                   std::vector<std::string>* lines, const CIndividualRecord* record, int firstLine);
  // Adds an MRIN to a list: "%ld", then ", %ld"; "..." once it would no
  // longer fit in 64 characters, and nothing after that.
  static void AddMrin(std::string& list, std::int32_t mrin);
};

// The pass of kind 105 over RINs first to last (name-index positions with
// sortByName); answers the page count, 0 on failure or Cancel.
int PaginateRecordProblems(std::int32_t first, std::int32_t last,
                           const RecordProblemOptions& options, int lines);

// Where a page begins: the index of its problem entry and the line of that
// individual's lines (from 1).
struct ProblemPageStart {
  std::int32_t entry = 0;
  std::int32_t line = 1;
};
bool GetProblemPage(int page, ProblemPageStart& out);
// The n-th problem entry; false outside the entries.
bool ReadProblemEntry(std::int64_t n, std::int32_t& rin, std::int32_t& lineCount);

}  // namespace rpt
