// The Event Calendar: sorting, collecting and distributing a month's events,
// the page geometry, and the pages drawn on the recording device.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "BitSet.h"
#include "DbCalls.h"
#include "EventCalendarGenerator.h"
#include "EventCalendarLayout.h"
#include "EventCalendarPagination.h"
#include "FakePaginatorWindow.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"

namespace {

using rpt::CalendarEventRecord;
using rpt::CalendarListFigures;

CalendarEventRecord Birthday(int rin, int day, int years = 30) {
  return {rin, day, years, CalendarEventRecord::kBirthday};
}
CalendarEventRecord Anniversary(int mrin, int day, int years = 10) {
  return {mrin, day, years, CalendarEventRecord::kAnniversary};
}
CalendarEventRecord Marker(int day) { return {0, day, 0, CalendarEventRecord::kMarker}; }

std::vector<CalendarEventRecord> Sorted(std::vector<CalendarEventRecord> v) {
  std::sort(v.begin(), v.end(), [](const CalendarEventRecord& a, const CalendarEventRecord& b) {
    return rpt::CompareCalendarEvents(a.Encode().data(), b.Encode().data()) < 0;
  });
  return v;
}

TEST(EventCalendarRecords, SortByDayKindYearsAndRecord) {
  const std::vector<CalendarEventRecord> sorted =
      Sorted({Anniversary(4, 3), Birthday(9, 3, 40), Birthday(2, 3, 40), Birthday(1, 3, 12),
              Birthday(5, 0), Anniversary(3, 2)});
  const std::vector<CalendarEventRecord> expected = {Birthday(5, 0),     Anniversary(3, 2),
                                                     Birthday(1, 3, 12), Birthday(2, 3, 40),
                                                     Birthday(9, 3, 40), Anniversary(4, 3)};
  EXPECT_EQ(sorted, expected);
  const CalendarEventRecord r{-7, 31, 250, 'M'};
  EXPECT_EQ(CalendarEventRecord::Decode(r.Encode().data()), r);
}

TEST(EventCalendarDistribution, BoxesMarkersAndTheAdditionalList) {
  const CalendarListFigures roomy{2, 20, 3, 40};
  struct Case {
    const char* name;
    std::vector<CalendarEventRecord> events;
    int linesPerBox;
    std::vector<CalendarEventRecord> boxes, additional;
  };
  const Case cases[] = {
      {"three birthdays, two lines",
       {Birthday(1, 5), Birthday(2, 5), Birthday(3, 5)},
       2,
       {Birthday(1, 5), Birthday(2, 5), Marker(5)},
       {Birthday(3, 5)}},
      {"anniversary of two chosen spouses once",
       {Anniversary(8, 9), Anniversary(8, 9), Birthday(1, 9)},
       4,
       {Birthday(1, 9), Anniversary(8, 9)},
       {}},
      {"a birthday without a day is listed",
       {Birthday(4, 0), Birthday(5, 12)},
       4,
       {Birthday(5, 12)},
       {Birthday(4, 0)}},
      {"an anniversary needs two lines",
       {Birthday(1, 7), Anniversary(6, 7)},
       2,
       {Birthday(1, 7), Marker(7)},
       {Anniversary(6, 7)}},
  };
  for (const Case& c : cases) {
    const rpt::CalendarDistribution d =
        rpt::DistributeCalendarEvents(Sorted(c.events), c.linesPerBox, roomy);
    EXPECT_EQ(d.boxes, c.boxes) << c.name;
    EXPECT_EQ(d.additional, c.additional) << c.name;
    EXPECT_EQ(d.pageStarts, std::vector<int>{c.additional.empty() ? -1 : 0}) << c.name;
  }
}

TEST(EventCalendarDistribution, TheListRunsOverColumnsAndPages) {
  struct Case {
    const char* name;
    CalendarListFigures figures;
    int events;  // birthdays without a day, each one line; the first opens the day
    std::vector<int> pageStarts;
  };
  // The first event takes 1 (list heading) + 2 (day heading) + 1 lines.
  const Case cases[] = {
      {"all on page 1", {1, 10, 2, 5}, 7, {0}},
      {"page 1 full, then two columns", {1, 10, 2, 5}, 18, {0, 7, 17}},
      {"no free cell on page 1", {0, 10, 2, 5}, 3, {-1, 0}},
      {"a free cell too low for the first event", {2, 3, 1, 10}, 2, {-1, 0}},
      {"nothing to list", {1, 10, 2, 5}, 0, {-1}},
  };
  for (const Case& c : cases) {
    std::vector<CalendarEventRecord> events;
    for (int i = 1; i <= c.events; ++i) events.push_back(Birthday(i, 0));
    const rpt::CalendarDistribution d = rpt::DistributeCalendarEvents(events, 3, c.figures);
    EXPECT_EQ(d.pageStarts, c.pageStarts) << c.name;
  }
}

class EventCalendarTest : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CleanupCalendarPages();
    ReportFamiliesFixture::TearDown();
  }

  static std::int32_t Born(const std::string& given, char sex, int year, int month, int day) {
    const std::int32_t rin = Person(given, "Tester", sex);
    CIndividualRecord record;
    EXPECT_EQ(family::Read(record, rin), 1);
    record.birth.date.Set(year, month, day);
    EXPECT_EQ(family::Update(record, 0), 1);
    return rin;
  }
  static void MarriedOn(std::int32_t mrin, int year, int month, int day) {
    CMarriageRecord record;
    ASSERT_EQ(family::Read(record, mrin), 1);
    record.marriage.date.Set(year, month, day);
    ASSERT_EQ(family::Update(record, 0), 1);
  }
  static rpt::CalendarRunSettings Settings(const CBitSet* set, int year, int month) {
    rpt::CalendarRunSettings s;
    s.chosen = set;
    s.year = year;
    s.month = month;
    s.livingOnly = false;
    s.linesPerBox = 4;
    s.list = {2, 10, 3, 40};
    return s;
  }
  static std::vector<CalendarEventRecord> File(int which) {
    std::vector<CalendarEventRecord> out;
    CalendarEventRecord r;
    for (int i = 0; rpt::GetCalendarEntry(which, i, r) != 0; ++i) out.push_back(r);
    return out;
  }

  rpt::HeadlessPaginatorWindow window;
};

TEST_F(EventCalendarTest, NobodyChosenGivesOneEmptyPage) {
  Born("Ann", 'F', 1950, 3, 4);
  for (const bool emptySet : {false, true}) {
    CBitSet set;
    EXPECT_EQ(rpt::PaginateEventCalendar(Settings(emptySet ? &set : nullptr, 2001, 3), window), 1);
    EXPECT_TRUE(File(0).empty());
    EXPECT_TRUE(File(1).empty());
    EXPECT_EQ(rpt::CalendarPageStart(1), -1);
  }
}

TEST_F(EventCalendarTest, CollectsTheMonthOfTheChosen) {
  const std::int32_t leo = Born("Leo", 'M', 1970, 6, 12);
  const std::int32_t mia = Born("Mia", 'F', 1972, 6, 12);
  const std::int32_t later = Born("Later", 'F', 2005, 6, 1);  // after the calendar year
  const std::int32_t other = Born("Other", 'M', 1960, 7, 1);  // another month
  const std::int32_t noDay = Born("NoDay", 'M', 1961, 6, 0);
  const std::int32_t leap = Born("Leap", 'F', 1980, 2, 29);
  const std::int32_t mrin = Marry(leo, mia);
  MarriedOn(mrin, 1995, 6, 20);
  const std::int32_t ivan = Born("Ivan", 'M', 1960, 1, 1);
  const std::int32_t jane = Born("Jane", 'F', 1962, 1, 1);
  const std::int32_t divorced = Marry(ivan, jane);
  MarriedOn(divorced, 1985, 6, 3);
  SetMarriageStatus(divorced, 'D');

  CBitSet set;
  for (std::int32_t rin : {leo, mia, later, other, noDay, leap, ivan, jane}) set.SetBit(rin, 1);

  ASSERT_EQ(rpt::PaginateEventCalendar(Settings(&set, 2001, 6), window), 1);
  EXPECT_EQ(File(0), (std::vector<CalendarEventRecord>{Birthday(mia, 12, 29), Birthday(leo, 12, 31),
                                                       Anniversary(mrin, 20, 6)}))
      << "the couple's anniversary once, the divorce left out, 2005 not yet born";
  EXPECT_EQ(File(1), std::vector<CalendarEventRecord>{Birthday(noDay, 0, 40)});

  rpt::CalendarRunSettings withDivorced = Settings(&set, 2001, 6);
  withDivorced.divorced = true;
  ASSERT_EQ(rpt::PaginateEventCalendar(withDivorced, window), 1);
  const auto boxes = File(0);
  EXPECT_NE(std::find(boxes.begin(), boxes.end(), Anniversary(divorced, 3, 16)), boxes.end());

  // A day the month lacks goes to the month's last day.
  EXPECT_EQ(rpt::CollectCalendarEvents(leap, Settings(&set, 2001, 2)),
            std::vector<CalendarEventRecord>{Birthday(leap, 28, 21)});
  EXPECT_EQ(rpt::CollectCalendarEvents(leap, Settings(&set, 2004, 2)),
            std::vector<CalendarEventRecord>{Birthday(leap, 29, 24)});
  const std::int32_t thirtyFirst = Born("Stored", 'M', 1990, 4, 31);
  EXPECT_EQ(rpt::CollectCalendarEvents(thirtyFirst, Settings(&set, 2001, 4)),
            std::vector<CalendarEventRecord>{Birthday(thirtyFirst, 30, 11)});
}

TEST_F(EventCalendarTest, LivingOnlyLeavesTheDeadOut) {
  const std::int32_t dead = Person("Old", "Timer", 'M', 1850, 1920);  // born 14 May
  const std::int32_t young = Person("Young", "Timer", 'M', 1990);
  CBitSet set;
  set.SetBit(dead, 1);
  set.SetBit(young, 1);
  rpt::CalendarRunSettings s = Settings(&set, 2001, 5);
  s.livingOnly = true;
  ASSERT_EQ(rpt::PaginateEventCalendar(s, window), 1);
  EXPECT_EQ(File(0), std::vector<CalendarEventRecord>{Birthday(young, 14, 11)});
}

TEST_F(EventCalendarTest, ASparseSetStillPumpsTheWindow) {
  CBitSet set;
  for (int i = 0; i < 3 * rpt::kCalendarPersonsPerBatch; ++i)
    set.SetBit(Person("P" + std::to_string(i), "Sparse", 'M'), 1);
  CancellingPaginatorWindow counting;
  ASSERT_EQ(rpt::PaginateEventCalendar(Settings(&set, 2001, 6), counting), 1);
  EXPECT_GE(counting.pumps, 2) << "no events, yet the window is pumped between batches";

  CancellingPaginatorWindow cancelling;
  cancelling.cancelOnPump = 1;
  EXPECT_EQ(rpt::PaginateEventCalendar(Settings(&set, 2001, 6), cancelling), 0);
  EXPECT_TRUE(rpt::Paginator().pageEntries.empty());
}

TEST_F(EventCalendarTest, AFullDiskEndsThePassWithNothingLeft) {
  CBitSet set;
  for (int i = 0; i < 30; ++i) set.SetBit(Born("N" + std::to_string(i), 'M', 1960, 6, 0), 1);
  boxes.Clear();
  // The work files take 13 bytes and then refuse.
  EXPECT_EQ(
      rpt::PaginateEventCalendar(Settings(&set, 2001, 6), window, ShortWritingFile::Creator(13)),
      0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, "Event Calendar");
  EXPECT_NE(boxes.Calls()[0].text.find("insufficient space"), std::string::npos);
  EXPECT_FALSE(rpt::Paginator().workFile.IsOpen());
  EXPECT_FALSE(rpt::Paginator().indexFile.IsOpen());
  EXPECT_TRUE(rpt::Paginator().pageEntries.empty());
  EXPECT_EQ(rpt::CalendarEntryCount(1), 0);
  // One PAGINATOR window for the whole pass.
  EXPECT_EQ(window.caption, "Event Calendar");
  EXPECT_EQ(window.numbers, std::vector<int>{1});
}

TEST(EventCalendarGeometry, WeekRowsAndFirstColumn) {
  RecordingDevice dc;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  rpt::PrintableArea area{300, 300, 7900, 10400};
  struct Case {
    int year, month, startDay;  // month 0-11
    int rows, firstColumn;
  };
  const Case cases[] = {
      {2000, 0, 0, 6, 6},  // 1 January 2000 a Saturday: last column, 31 days
      {2000, 0, 1, 6, 5},  // weeks from Monday
      {2015, 1, 0, 4, 0},  // February 2015 from Sunday: four rows
      {2001, 5, 0, 5, 5},  // June 2001 from a Friday
  };
  for (const Case& c : cases) {
    rpt::EventCalendarOptions o;
    o.year = c.year;
    o.month = c.month;
    o.startDay = c.startDay;
    rpt::EventCalendarGeometry g;
    ASSERT_TRUE(rpt::LayoutEventCalendar(o, area, dc, g));
    EXPECT_EQ(g.month.rows, c.rows) << c.year << "/" << c.month;
    EXPECT_EQ(g.month.firstColumn, c.firstColumn) << c.year << "/" << c.month;
    // Day 1 and the last day sit in the grid's first and last rows.
    EXPECT_EQ(g.DayBox(1).top, g.rowsTop);
    EXPECT_EQ(g.DayBox(g.month.monthLength).bottom, g.rowsTop - c.rows * g.month.rowHeight);
  }
  rpt::EventCalendarOptions bad;
  bad.year = 2200;
  rpt::EventCalendarGeometry g;
  EXPECT_FALSE(rpt::LayoutEventCalendar(bad, area, dc, g));
}

class EventCalendarPagesTest : public EventCalendarTest {
 protected:
  std::vector<std::vector<std::string>> Draw(const rpt::EventCalendarOptions& o, const CBitSet* set,
                                             int linesPerBox = -1, int page1Columns = -1) {
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::CEventCalendarGenerator g(o);
    g.BeginEventCalendar(&dc);
    rpt::CalendarRunSettings s = rpt::MakeCalendarRunSettings(o, g.Geometry(), set);
    if (linesPerBox >= 0) s.linesPerBox = linesPerBox;
    if (page1Columns >= 0) s.list.page1Columns = page1Columns;
    geometry = g.Geometry();
    const int pages = rpt::PaginateEventCalendar(s, window);
    std::vector<std::vector<std::string>> out;
    for (int page = 1; page <= pages; ++page) {
      dc.calls.clear();
      g.DrawEventCalendarPage(&dc, page, pages);
      out.push_back(dc.calls);
    }
    return out;
  }
  static std::vector<std::string> Texts(const std::vector<std::string>& calls) {
    std::vector<std::string> out;
    for (const std::string& c : calls) {
      if (c.rfind("TextOut ", 0) == 0) {
        const std::size_t a = c.find(' ', 8);
        out.push_back(c.substr(c.find(' ', a + 1) + 1));
      } else if (c.rfind("ExtTextOut ", 0) == 0) {
        // "ExtTextOut x y options l t r b text"
        std::size_t at = 0;
        for (int blank = 0; blank < 8 && at != std::string::npos; ++blank) at = c.find(' ', at + 1);
        if (at != std::string::npos) out.push_back(c.substr(at + 1));
      }
    }
    return out;
  }
  // The words of text, split at blanks.
  static std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
      const std::size_t end = std::min(text.find(' ', at), text.size());
      words.push_back(text.substr(at, end - at));
      at = end;
    }
    return words;
  }
  static int Count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
  }
  static rpt::EventCalendarOptions June2001() {
    rpt::EventCalendarOptions o;
    o.year = 2001;
    o.month = 5;
    o.living = false;
    return o;
  }
  rpt::EventCalendarGeometry geometry;
};

TEST_F(EventCalendarPagesTest, PageOneShowsTheMonthBoxesAndMarkers) {
  CBitSet set;
  for (const char* given : {"Amy", "Bea", "Cal"}) set.SetBit(Born(given, 'F', 1980, 7, 5), 1);
  const std::int32_t husband = Born("Hal", 'M', 1950, 1, 2);
  const std::int32_t mrin = Marry(husband, 0 + Born("Wyn", 'F', 1951, 1, 3));
  MarriedOn(mrin, 1971, 7, 18);
  set.SetBit(husband, 1);
  const std::int32_t alone = DbSetRelation(Born("Sol", 'M', 1949, 1, 4), 0, db::kRelHusband, 0);
  ASSERT_GT(alone, 0);
  MarriedOn(alone, 1981, 7, 19);
  CMarriageRecord soloRecord;
  ASSERT_EQ(family::Read(soloRecord, alone), 1);
  set.SetBit(soloRecord.husband, 1);

  rpt::EventCalendarOptions july = June2001();
  july.month = 6;  // July 2001 ends on a Tuesday: free cells follow
  const auto pages = Draw(july, &set, 2);
  ASSERT_EQ(pages.size(), 1u);
  const auto texts = Texts(pages[0]);
  EXPECT_EQ(Count(texts, "July 2001"), 1);
  EXPECT_EQ(Count(texts, "Sunday"), 1);
  for (int day = 1; day <= 31; ++day) EXPECT_EQ(Count(texts, std::to_string(day)), 1) << day;
  EXPECT_EQ(Count(texts, "32"), 0);
  EXPECT_EQ(Count(texts, " *"), 1) << "day 5 holds two of three birthdays";
  EXPECT_EQ(Count(texts, "* Additional Events"), 1);
  EXPECT_EQ(Count(texts, "21 Amy Tester"), 1);
  EXPECT_EQ(Count(texts, "21 Cal Tester"), 1) << "the third, in the list";
  EXPECT_EQ(Count(texts, "30 Hal and"), 1);
  EXPECT_EQ(Count(texts, "Wyn Tester"), 1);
  EXPECT_EQ(Count(texts, "20 Sol and"), 1);
  EXPECT_EQ(Count(texts, "UNKNOWN"), 1) << "the missing wife";
}

// A month without events says so, naming the living-only choice when it
// left everybody out; a month that ends on its grid's last cell says it at
// the foot of the frame.
TEST_F(EventCalendarPagesTest, AMonthWithoutEventsSaysSo) {
  const std::int32_t dead = Person("Old", "Timer", 'M', 1850, 1920);  // born 14 May
  CBitSet set;
  set.SetBit(dead, 1);
  const char* const none = "No events this month.";
  const char* const noLiving = "No events this month for living individuals.";
  const struct {
    int month;
    bool living;
    const CBitSet* set;
    const char* message;
  } cases[] = {
      {4, true, &set, noLiving},  // May 2001: only the dead man's birthday
      {4, false, &set, nullptr},  // his birthday shows
      {5, false, nullptr, none},  // June 2001 ends on its last cell: nobody chosen
      {5, false, &set, none},     // June: no event of the chosen
      {1, false, nullptr, none},  // February: free cells after the 28th
  };
  for (const auto& c : cases) {
    rpt::EventCalendarOptions o = June2001();
    o.month = c.month;
    o.living = c.living;
    const auto pages = Draw(o, c.set);
    ASSERT_EQ(pages.size(), 1u);
    const auto texts = Texts(pages[0]);
    EXPECT_EQ(Count(texts, none), c.message == none ? 1 : 0) << c.month << c.living;
    EXPECT_EQ(Count(texts, noLiving), c.message == noLiving ? 1 : 0) << c.month << c.living;
  }
}

// The "no events" text lies inside the frame and crosses no line of the
// grid, whether it stands in the free cells or below the grid.
TEST_F(EventCalendarPagesTest, TheNoEventsTextCrossesNoLine) {
  const struct {
    int month;
    bool living;
    const char* message;
  } cases[] = {
      {5, false, "No events this month."},  // June 2001 ends on its grid's last cell
      {1, false, "No events this month."},  // February: three free cells after the 28th
      {4, true, "No events this month for living individuals."},  // May: one free cell
      {6, true, "No events this month for living individuals."},  // July: four free cells
  };
  const RecordingDevice measure;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.month);
    rpt::EventCalendarOptions o = June2001();
    o.month = c.month;
    o.living = c.living;
    const auto pages = Draw(o, nullptr);
    ASSERT_EQ(pages.size(), 1u);
    const std::string suffix = std::string(" ") + c.message;
    const std::string* call = nullptr;
    for (const std::string& line : pages[0])
      if (line.rfind("TextOut ", 0) == 0 && line.size() > suffix.size() &&
          line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0)
        call = &line;
    ASSERT_NE(call, nullptr);
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(call->c_str(), "TextOut %d %d", &x, &y), 2);
    const int right = x + measure.charWidth * static_cast<int>(std::string(c.message).size());
    const int bottom = y - (-rpt::CalendarFont(o.textFont).height + measure.leading);
    const rpt::Rect& frame = geometry.frame;
    EXPECT_TRUE(x > frame.left && right < frame.right && y < frame.top && bottom > frame.bottom);
    for (int day = 1; day <= geometry.month.monthLength; ++day) {
      const rpt::Rect box = geometry.DayBox(day);
      for (const int lineY : {box.top, box.bottom})
        EXPECT_FALSE(lineY > bottom && lineY < y && box.left < right && box.right > x)
            << "the line at y " << lineY << " of day " << day;
      for (const int lineX : {box.left, box.right})
        EXPECT_FALSE(lineX > x && lineX < right && box.bottom < y && box.top > bottom)
            << "the line at x " << lineX << " of day " << day;
    }
  }
}

// Names in the day boxes and the list are fitted at word boundaries: each
// word drawn is a whole word of the name or the initial of a given name,
// and only a surname too long for the room alone is cut, with "...".
TEST_F(EventCalendarPagesTest, NamesAreFittedAtWordBoundaries) {
  struct Name {
    const char* given;
    const char* surname;
  };
  const Name names[] = {
      {"Bartholomew Maximilian", "Worthington"},
      {"Christabel Philippa Rosamund", "Fairweather"},
      {"Al", "Featherstonehaugh-Cholmondeley-Marjoribanks"},
      {"Ann", "Lee"},
  };
  CBitSet set;
  std::vector<std::int32_t> people;
  int day = 3;
  for (const Name& n : names) {
    const std::int32_t rin = Person(n.given, n.surname, 'M');
    CIndividualRecord record;
    ASSERT_EQ(family::Read(record, rin), 1);
    record.birth.date.Set(1980, 7, day++);
    ASSERT_EQ(family::Update(record, 0), 1);
    set.SetBit(rin, 1);
  }
  const std::int32_t husband = Person("Maximilian Bartholomew", "Worthington", 'M');
  const std::int32_t wife = Person("Rosamund", "Fairweather", 'F');
  MarriedOn(Marry(husband, wife), 1975, 7, 9);
  set.SetBit(husband, 1);

  rpt::EventCalendarOptions july = June2001();
  july.month = 6;
  const auto pages = Draw(july, &set, 4);
  ASSERT_EQ(pages.size(), 1u);
  std::vector<std::string> words;
  for (const Name& n : names)
    for (const char* text : {n.given, n.surname})
      for (const std::string& word : Words(text)) words.push_back(word);
  for (const char* w :
       {"Maximilian", "Bartholomew", "Rosamund", "Worthington", "Fairweather", "and"})
    words.push_back(w);
  const RecordingDevice measure;
  int drawn = 0, ellipses = 0;
  for (const std::string& call : pages[0]) {
    if (call.rfind("ExtTextOut ", 0) != 0) continue;
    int left = 0, right = 0;
    ASSERT_EQ(std::sscanf(call.c_str(), "ExtTextOut %*d %*d %*u %d %*d %d", &left, &right), 2);
    const std::vector<std::string> texts = Texts({call});
    ASSERT_EQ(texts.size(), 1u);
    const std::string& text = texts[0];
    ++drawn;
    EXPECT_LT(measure.charWidth * static_cast<int>(text.size()), right - left) << text;
    for (const std::string& word : Words(text)) {
      if (std::all_of(word.begin(), word.end(), ::isdigit)) continue;  // the age
      if (word.size() > 3 && word.compare(word.size() - 3, 3, "...") == 0) {
        ++ellipses;
        EXPECT_EQ(std::string(names[2].surname).rfind(word.substr(0, word.size() - 3), 0), 0u)
            << text;
        continue;
      }
      const bool whole = std::count(words.begin(), words.end(), word) > 0;
      const bool initial =
          word.size() == 1 && std::any_of(words.begin(), words.end(),
                                          [&](const std::string& w) { return w[0] == word[0]; });
      EXPECT_TRUE(whole || initial) << "\"" << word << "\" in \"" << text << "\"";
    }
  }
  EXPECT_EQ(drawn, 6) << "four birthdays and an anniversary's two lines";
  EXPECT_EQ(ellipses, 1) << "the surname that is too long alone";
}

TEST_F(EventCalendarPagesTest, StartDayOfWeekShiftsNamesAndDays) {
  int dayOneX[2] = {};
  for (const int startDay : {0, 1}) {
    rpt::EventCalendarOptions o = June2001();
    o.startDay = startDay;
    const auto pages = Draw(o, nullptr);
    ASSERT_EQ(pages.size(), 1u);
    std::vector<std::string> weekdays;
    for (const std::string& c : pages[0]) {
      for (const char* name :
           {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}) {
        const std::string n = name;
        if (c.size() > n.size() && c.compare(c.size() - n.size() - 1, n.size() + 1, " " + n) == 0)
          weekdays.push_back(n);
      }
      if (c.rfind("TextOut ", 0) == 0 && c.size() > 2 && c.compare(c.size() - 2, 2, " 1") == 0)
        dayOneX[startDay] = std::atoi(c.c_str() + 8);
    }
    ASSERT_EQ(weekdays.size(), 7u);
    EXPECT_EQ(weekdays.front(), startDay == 0 ? "Sunday" : "Monday");
    EXPECT_EQ(weekdays.back(), startDay == 0 ? "Saturday" : "Sunday");
  }
  // 1 June 2001 is a Friday: one column further left when weeks start on Monday.
  EXPECT_EQ(dayOneX[0] - dayOneX[1], geometry.month.columnWidth);
}

TEST_F(EventCalendarPagesTest, TheListContinuesOnFurtherPagesWithoutASecondHeading) {
  CBitSet set;
  for (int i = 0; i < 40; ++i) set.SetBit(Born("N" + std::to_string(i), 'M', 1960, 6, 0), 1);
  // Every birthday goes to the list (no day); no free cell on page 1.
  const auto pages = Draw(June2001(), &set, 2, 0);
  ASSERT_GE(pages.size(), 2u);
  const auto first = Texts(pages[0]);
  EXPECT_EQ(Count(first, "* Additional Events"), 0) << "page 1 has no free cell";
  const auto second = Texts(pages[1]);
  EXPECT_EQ(Count(second, "* Additional Events"), 1);
  EXPECT_EQ(Count(second, "June 2001 - Page 2"), 1);
  EXPECT_EQ(Count(second, "1"), 0) << "no grid on further pages";
  int headings = 0;
  for (const auto& page : pages) headings += Count(Texts(page), "Jun 2001");
  EXPECT_EQ(headings, 1) << "one day, one heading, however many pages it spans";
  int names = 0;
  for (const auto& page : pages)
    for (const std::string& t : Texts(page)) names += t.find(" Tester") != std::string::npos;
  EXPECT_EQ(names, 40);
}

}  // namespace
