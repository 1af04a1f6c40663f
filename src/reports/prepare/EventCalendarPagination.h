#pragma once
// The Event Calendar (report kind 10): one month's birthdays and wedding
// anniversaries of the chosen individuals, sorted by day. The events that
// fit in their day box go to the list file "~KorDUPLS.TMP" (with a '*'
// marker for each one that did not fit); those that did not fit, and those
// without a day, go to the additional-events file "~KorIDXLS.TMP" and are
// listed after the grid, first in the free cells after the month's last day
// on page 1, then in columns on further pages. Each page entry holds the
// index of the first additional event of its page (-1 on a page 1 that
// lists none).

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "PaginationRun.h"

class CBitSet;

namespace rpt {

struct CalendarEventRecord {
  std::int32_t record = 0;  // RIN of a birthday, MRIN of an anniversary
  std::int32_t day = 0;     // 1-31; 0 when the date has no day
  std::int32_t years = 0;   // calendar year - year of the event
  char kind = 0;            // 'I' birthday, 'M' anniversary, '*' marker

  static constexpr char kBirthday = 'I';
  static constexpr char kAnniversary = 'M';
  static constexpr char kMarker = '*';
  static constexpr std::size_t kSize = 13;
  std::array<std::uint8_t, kSize> Encode() const;
  static CalendarEventRecord Decode(const std::uint8_t* bytes);
  // Lines the event takes in a box or the list.
  int Lines() const { return kind == kAnniversary ? 2 : 1; }
  bool operator==(const CalendarEventRecord&) const = default;
};

// Day, then kind letter, then years, then record number, all ascending, on
// two encoded records.
int CompareCalendarEvents(const void* a, const void* b);

// How the additional events fill the columns of the pages.
struct CalendarListFigures {
  int page1Columns = 0;    // free columns after the month's last day
  int page1Lines = 0;      // lines in each of them
  int columnsPerPage = 1;  // on further pages
  int linesPerColumn = 1;
};

// Where an additional event's block (its day heading, when it opens a day)
// begins: page from 1, column from 1, line from 0 within the column.
struct CalendarListSlot {
  int page = 1;
  int column = 1;
  int line = 0;
  bool operator==(const CalendarListSlot&) const = default;
};

// Places the additional events one after another. The pass counts the
// pages with it and the page drawing places each event with it, so both
// break the list at the same events. The list's first event also takes the
// line of the list heading; an event that opens a day takes two more lines
// for the day heading.
class CalendarListCursor {
 public:
  explicit CalendarListCursor(const CalendarListFigures& figures);
  CalendarListSlot Place(int lines, bool opensDay);
  int Page() const { return slot_.page; }

 private:
  int LinesOf(int page) const;
  int ColumnsOf(int page) const;

  CalendarListFigures figures_;
  CalendarListSlot slot_;
  int used_ = 0;  // lines used in the current column
  bool first_ = true;
};

// The outcome of the distribution of the sorted events.
struct CalendarDistribution {
  std::vector<CalendarEventRecord> boxes;       // the list file
  std::vector<CalendarEventRecord> additional;  // the additional-events file
  std::vector<int> pageStarts;                  // the page entries
};

// Distributes sorted events as the pass does (the second copy of an
// anniversary of two chosen spouses is dropped).
class CalendarDistributor {
 public:
  CalendarDistributor(int linesPerBox, const CalendarListFigures& figures);
  // Where the records go; false stops the distribution (a write failed).
  std::function<bool(const CalendarEventRecord&)> toBoxes, toAdditional;
  bool Add(const CalendarEventRecord& record);
  const std::vector<int>& PageStarts() const { return pageStarts_; }
  // Records given to each side.
  int BoxCount() const { return boxCount_; }
  int AdditionalCount() const { return additionalCount_; }

 private:
  bool AddAdditional(const CalendarEventRecord& record);

  int linesPerBox_;
  CalendarListCursor cursor_;
  std::vector<int> pageStarts_{-1};
  int previousDay_ = 32;
  int linesUsed_ = 0;
  char previousKind_ = 0;
  std::int32_t previousRecord_ = 0;
  int lastAdditionalDay_ = -1;
  int boxCount_ = 0, additionalCount_ = 0;
};

// Distributes a sorted vector in memory (tests and small runs).
CalendarDistribution DistributeCalendarEvents(const std::vector<CalendarEventRecord>& sorted,
                                              int linesPerBox, const CalendarListFigures& figures);

// The settings of one run.
struct CalendarRunSettings {
  const CBitSet* chosen = nullptr;  // none: nobody
  int year = 0;
  int month = 1;  // 1-12
  bool livingOnly = true;
  bool birthdays = true;
  bool anniversaries = true;
  bool divorced = false;
  int linesPerBox = 1;
  CalendarListFigures list;
};

// Individuals examined before the window is pumped, however few events
// they give; record numbers stepped over outside the set; and events added
// before it is pumped.
constexpr int kCalendarPersonsPerBatch = 50;
constexpr int kCalendarRinsPerBatch = 4096;
constexpr int kCalendarEventsPerBatch = 20;

// The events of one individual for the month of the run (each marriage once
// per chosen spouse). A day the month lacks (29 February of a common year,
// a 31st in a 30-day month) becomes the month's last day.
std::vector<CalendarEventRecord> CollectCalendarEvents(std::int32_t rin,
                                                       const CalendarRunSettings& settings);

// The pass: answers the page count, 0 on failure or Cancel.
int PaginateEventCalendar(const CalendarRunSettings& settings, PaginatorWindow& window,
                          const WorkFileCreator& createFile = {});
// which 0 the list file, 1 the additional-events file: 1 and out set, 0 when
// index is not below that file's record count.
int GetCalendarEntry(int which, int index, CalendarEventRecord& out);
int CalendarEntryCount(int which);
// The index of the first additional event of page (from 1); -1 for none.
int CalendarPageStart(int page);
// Empties the page entries and deletes both work files.
void CleanupCalendarPages();

}  // namespace rpt
