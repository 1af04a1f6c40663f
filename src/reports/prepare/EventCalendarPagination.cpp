#include "EventCalendarPagination.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "BitSet.h"
#include "CalendarMonth.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "ZelQualification.h"

namespace rpt {

namespace {

// The counters of the two work files of the last pass.
struct CalendarRun {
  int boxes = 0;
  int additional = 0;
};

CalendarRun& Run() {
  static CalendarRun run;
  return run;
}

void Warn(unsigned id) {
  plat::MessageBox(res::LoadString(id), res::LoadString(res::kIdsEventCalendar),
                   plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace

// ---------------------------------------------------------------- records

std::array<std::uint8_t, CalendarEventRecord::kSize> CalendarEventRecord::Encode() const {
  std::array<std::uint8_t, kSize> bytes{};
  PutInt32LE(bytes, 0, record);
  PutInt32LE(bytes, 4, day);
  PutInt32LE(bytes, 8, years);
  bytes[12] = static_cast<std::uint8_t>(kind);
  return bytes;
}

CalendarEventRecord CalendarEventRecord::Decode(const std::uint8_t* bytes) {
  std::span<const std::uint8_t> s(bytes, kSize);
  CalendarEventRecord r;
  r.record = GetInt32LE(s, 0);
  r.day = GetInt32LE(s, 4);
  r.years = GetInt32LE(s, 8);
  r.kind = static_cast<char>(bytes[12]);
  return r;
}

int CompareCalendarEvents(const void* a, const void* b) {
  const CalendarEventRecord x = CalendarEventRecord::Decode(static_cast<const std::uint8_t*>(a));
  const CalendarEventRecord y = CalendarEventRecord::Decode(static_cast<const std::uint8_t*>(b));
  auto cmp = [](auto p, auto q) { return p < q ? -1 : (q < p ? 1 : 0); };
  if (int c = cmp(x.day, y.day)) return c;
  if (int c = cmp(static_cast<unsigned char>(x.kind), static_cast<unsigned char>(y.kind))) return c;
  if (int c = cmp(x.years, y.years)) return c;
  return cmp(x.record, y.record);
}

// ---------------------------------------------------------------- list cursor

CalendarListCursor::CalendarListCursor(const CalendarListFigures& figures) : figures_(figures) {
  figures_.columnsPerPage = std::max(1, figures_.columnsPerPage);
  figures_.linesPerColumn = std::max(1, figures_.linesPerColumn);
  figures_.page1Columns = std::max(0, figures_.page1Columns);
  figures_.page1Lines = std::max(0, figures_.page1Lines);
}

int CalendarListCursor::LinesOf(int page) const {
  return page == 1 ? figures_.page1Lines : figures_.linesPerColumn;
}

int CalendarListCursor::ColumnsOf(int page) const {
  return page == 1 ? figures_.page1Columns : figures_.columnsPerPage;
}

CalendarListSlot CalendarListCursor::Place(int lines, bool opensDay) {
  const int need = lines + (opensDay ? 2 : 0) + (first_ ? 1 : 0);
  if (first_ && slot_.page == 1 && ColumnsOf(1) == 0) {
    // Page 1 has no free cell: the list starts on page 2.
    slot_ = {2, 1, 0};
    used_ = 0;
  }
  first_ = false;
  // Moves on until a column takes the event; a fresh column of a further
  // page takes it even when it is taller, so that every event finds a place.
  while (used_ + need > LinesOf(slot_.page) && !(used_ == 0 && slot_.page > 1)) {
    if (slot_.column >= ColumnsOf(slot_.page))
      slot_ = {slot_.page + 1, 1, 0};
    else
      ++slot_.column;
    used_ = 0;
  }
  slot_.line = used_;
  used_ += need;
  return slot_;
}

// ---------------------------------------------------------------- distribution

CalendarDistributor::CalendarDistributor(int linesPerBox, const CalendarListFigures& figures)
    : linesPerBox_(linesPerBox), cursor_(figures) {}

bool CalendarDistributor::AddAdditional(const CalendarEventRecord& record) {
  const bool opensDay = additionalCount_ == 0 || record.day != lastAdditionalDay_;
  lastAdditionalDay_ = record.day;
  const int before = cursor_.Page();
  const CalendarListSlot slot = cursor_.Place(record.Lines(), opensDay);
  if (slot.page == 1) {
    if (pageStarts_[0] == -1) pageStarts_[0] = additionalCount_;
  } else if (additionalCount_ == 0 || slot.page != before) {
    // A new page begins with this event.
    while (static_cast<int>(pageStarts_.size()) < slot.page)
      pageStarts_.push_back(additionalCount_);
  }
  ++additionalCount_;
  return !toAdditional || toAdditional(record);
}

bool CalendarDistributor::Add(const CalendarEventRecord& record) {
  if (record.kind == CalendarEventRecord::kAnniversary &&
      previousKind_ == CalendarEventRecord::kAnniversary && record.record == previousRecord_ &&
      record.day == previousDay_) {
    return true;  // the second spouse's copy
  }
  previousKind_ = record.kind;
  previousRecord_ = record.record;
  if (record.day != previousDay_) {
    previousDay_ = record.day;
    linesUsed_ = 0;
  }
  if (record.day == 0) return AddAdditional(record);
  const int need = record.Lines();
  if (linesUsed_ + need <= linesPerBox_) {
    linesUsed_ += need;
    ++boxCount_;
    return !toBoxes || toBoxes(record);
  }
  CalendarEventRecord marker;
  marker.day = record.day;
  marker.kind = CalendarEventRecord::kMarker;
  ++boxCount_;
  if (toBoxes && !toBoxes(marker)) return false;
  return AddAdditional(record);
}

CalendarDistribution DistributeCalendarEvents(const std::vector<CalendarEventRecord>& sorted,
                                              int linesPerBox, const CalendarListFigures& figures) {
  CalendarDistribution out;
  CalendarDistributor distributor(linesPerBox, figures);
  distributor.toBoxes = [&](const CalendarEventRecord& r) {
    out.boxes.push_back(r);
    return true;
  };
  distributor.toAdditional = [&](const CalendarEventRecord& r) {
    out.additional.push_back(r);
    return true;
  };
  for (const CalendarEventRecord& r : sorted) distributor.Add(r);
  out.pageStarts = distributor.PageStarts();
  return out;
}

// ---------------------------------------------------------------- collection

std::vector<CalendarEventRecord> CollectCalendarEvents(std::int32_t rin,
                                                       const CalendarRunSettings& settings) {
  std::vector<CalendarEventRecord> out;
  CIndividualRecord person;
  if (family::Read(person, rin) != 1) return out;
  if (settings.livingOnly && IsPresumedDeceased(person)) return out;
  const int lastDay = std::max(1, CalendarMonthLength(settings.month, settings.year));
  auto dayOf = [&](const CDateValue& date) { return std::min<int>(date.day, lastDay); };
  const CDateValue& birth = person.birth.date;
  if (settings.birthdays && birth.textOnly == 0 && birth.month == settings.month &&
      settings.year >= birth.year) {
    out.push_back({rin, dayOf(birth), settings.year - birth.year, CalendarEventRecord::kBirthday});
  }
  if (!settings.anniversaries) return out;
  std::vector<std::int32_t> marriages;
  const int count = DbGetRelationCount(rin, db::kRelMarriages, 0, 1);
  if (count <= 0 || DbGetRelation(rin, db::kRelMarriages, count, marriages) <= 0) return out;
  for (const std::int32_t mrin : marriages) {
    CMarriageRecord marriage;
    if (mrin <= 0 || family::Read(marriage, mrin) != 1) continue;
    if (marriage.status == 'D' && !settings.divorced) continue;
    const CDateValue& date = marriage.marriage.date;
    if (date.textOnly == 0 && date.month == settings.month && settings.year >= date.year)
      out.push_back(
          {mrin, dayOf(date), settings.year - date.year, CalendarEventRecord::kAnniversary});
  }
  return out;
}

// ---------------------------------------------------------------- the pass

int PaginateEventCalendar(const CalendarRunSettings& settings, PaginatorWindow& window,
                          const WorkFileCreator& createFile) {
  PaginatorState& state = Paginator();
  CleanupCalendarPages();
  CDiskSort sort;
  if (sort.Open(CalendarEventRecord::kSize, false, CompareCalendarEvents) < 0) {
    Warn(res::kIdsUnableToSortFile);
    return 0;
  }
  CalendarRun& run = Run();
  CalendarDistributor distributor(settings.linesPerBox, settings.list);
  distributor.toBoxes = [&](const CalendarEventRecord& r) {
    return state.workFile.WriteRecord(static_cast<std::uint64_t>(run.boxes++), r.Encode());
  };
  distributor.toAdditional = [&](const CalendarEventRecord& r) {
    return state.indexFile.WriteRecord(static_cast<std::uint64_t>(run.additional++), r.Encode());
  };

  // Collecting: the individuals of the set in batches, each ending after
  // kCalendarEventsPerBatch events or kCalendarPersonsPerBatch individuals,
  // so that a set with few events pumps the window as often as a rich one.
  const std::int32_t last =
      settings.chosen != nullptr ? static_cast<std::int32_t>(settings.chosen->BitCount()) - 1 : 0;
  std::int32_t rin = 0;
  std::uint64_t events = 0;
  bool collecting = true;
  auto collect = [&]() -> BatchResult {
    int added = 0, stepped = 0;
    for (int examined = 0; examined < kCalendarPersonsPerBatch && rin < last;) {
      ++rin;
      if (settings.chosen->Test(rin) == 0) {
        if (++stepped >= kCalendarRinsPerBatch) break;
        continue;
      }
      ++examined;
      for (const CalendarEventRecord& r : CollectCalendarEvents(rin, settings)) {
        const auto bytes = r.Encode();
        if (sort.Add(bytes.data()) == 0) {
          Warn(res::kIdsSortDiskFull);  // the calendar shows what was collected
          rin = last;
          break;
        }
        ++events;
        ++added;
      }
      if (added > kCalendarEventsPerBatch) break;
    }
    if (rin < last) return BatchResult::More;
    collecting = false;
    sort.End();
    // The work files are about to hold every event once.
    std::string folder;
    const std::uint64_t needed = events * CalendarEventRecord::kSize;
    if (GetTempPathWithSpace(folder, needed) < needed) return BatchResult::DiskFull;
    return BatchResult::More;
  };
  // Distributing the sorted events into the two work files.
  auto distribute = [&]() -> BatchResult {
    const std::size_t pagesBefore = distributor.PageStarts().size();
    for (int n = 0; n < kCalendarPersonsPerBatch; ++n) {
      const void* next = sort.Next();
      if (next == nullptr) return sort.Failed() ? BatchResult::DiskFull : BatchResult::Done;
      if (!distributor.Add(CalendarEventRecord::Decode(static_cast<const std::uint8_t*>(next))))
        return BatchResult::DiskFull;
    }
    if (distributor.PageStarts().size() != pagesBefore)
      window.SetNumber(static_cast<int>(distributor.PageStarts().size()));
    return BatchResult::More;
  };

  PaginationPass pass;
  pass.title = res::LoadString(res::kIdsEventCalendar);
  pass.fileErrorName = pass.title;
  pass.neededBytes = CalendarEventRecord::kSize;
  pass.files = {{&state.workFile, "~KorDUPLS.TMP"}, {&state.indexFile, "~KorIDXLS.TMP"}};
  pass.initialNumber = std::string(1, '1');  // not = "1": GCC 12 warns of an overlapping copy
  pass.createFile = createFile;
  pass.cleanup = [] { CleanupCalendarPages(); };
  pass.batch = [&] { return collecting ? collect() : distribute(); };
  pass.pageCount = [&] {
    for (const int start : distributor.PageStarts())
      state.AddPage(std::make_unique<PageEntry>()).key = start;
    return static_cast<int>(state.pageEntries.size());
  };
  const int pages = RunPagination(state, window, pass);
  sort.Close();
  return pages;
}

int GetCalendarEntry(int which, int index, CalendarEventRecord& out) {
  const int count = CalendarEntryCount(which);
  if (index < 0 || index >= count) return 0;
  std::array<std::uint8_t, CalendarEventRecord::kSize> bytes{};
  PaginatorWorkFile& file = which == 0 ? Paginator().workFile : Paginator().indexFile;
  if (!file.ReadRecord(static_cast<std::uint64_t>(index), bytes)) return 0;
  out = CalendarEventRecord::Decode(bytes.data());
  return 1;
}

int CalendarEntryCount(int which) { return which == 0 ? Run().boxes : Run().additional; }

int CalendarPageStart(int page) {
  PageEntry* entry = GetPageEntry(Paginator(), static_cast<std::size_t>(page - 1));
  return entry != nullptr ? entry->key : -1;
}

void CleanupCalendarPages() {
  Paginator().Clear();
  Run() = CalendarRun{};
}

}  // namespace rpt
