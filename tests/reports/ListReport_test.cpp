// The list-report writer: line breaking, paging through the page map,
// printing a page by seeking, and the RTF lines; and the list rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "ListItems.h"
#include "ListReport.h"
#include "PersistentFile.h"
#include "RTFDocument.h"
#include "RTFElements.h"
#include "RTFFile.h"
#include "RecordingDevice.h"
#include "ScopedCodePage.h"
#include "TempObjectFile.h"

namespace {

// Every line a breaker gives for a width in characters of the device.
std::vector<std::string> Lines(const std::string& text, int chars) {
  RecordingDevice dc;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CLineBreaker breaker(text);
  std::vector<std::string> out;
  bool more = false;
  rpt::Size size;
  for (std::string line = breaker.GetFirstLine(&dc, chars * dc.charWidth, more, size);
       !line.empty() && out.size() < 20;
       line = breaker.GetNextLine(&dc, chars * dc.charWidth, more, size))
    out.push_back(line);
  return out;
}

TEST(ListLineBreaker, BreaksAtBlanksAndLineFeeds) {
  struct Case {
    std::string text;
    int chars;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"alpha beta gamma", 11, {"alpha beta ", "gamma"}},
      {"alpha beta gamma", 40, {"alpha beta gamma"}},
      {"one\ntwo", 40, {"one", "two"}},
      {"ends with CR LF\r\n", 40, {"ends with CR LF"}},
      {"\n\nx", 40, {" ", " ", "x"}},
      {"   ", 40, {"   "}},
      {"", 40, {}},
      // A word wider than the column still takes a line (and the text moves
      // on), both before a blank and at the end of the text.
      {"Supercalifragilistic x", 5, {"Supercalifragilistic ", "x"}},
      {"Supercalifragilistic", 5, {"Supercalifragilistic"}},
      {"ab Supercalifragilistic", 5, {"ab ", "Supercalifragilistic"}},
      {"first line is long\nnext", 8, {"first ", "line is ", "long", "next"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.text, c.chars), c.lines) << c.text;
}

// A record-order list of the given rows on paper of the given height.
class RowsReport : public CListReport {
 public:
  explicit RowsReport(std::vector<std::string> rows) : CListReport(109), rows_(std::move(rows)) {}
  using CListReport::PageStart;

 protected:
  void BuildColumns() override {
    AddColumn(CReportColumn{{}, DrawRect().left, DrawRect().left + 2000, 0, DrawRect().left, 0});
  }
  int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                  bool*) override {
    int pages = 0;
    for (const std::string& r : rows_)
      AddRow(dc, info, progress, &pages, std::make_unique<CIndivNotesObject>(r));
    return pages;
  }
  unsigned GetTitleId() const override { return 7313; }

 private:
  std::vector<std::string> rows_;
};

// The row texts DrawText printed (header lines left out).
std::vector<std::string> RowTexts(const RecordingDevice& dc) {
  std::vector<std::string> out;
  for (const std::string& call : dc.calls) {
    if (call.rfind("DrawText", 0) != 0) continue;
    const std::size_t at = call.find(" row");
    if (at != std::string::npos) out.push_back(call.substr(at + 1));
  }
  return out;
}

class ListReportPaging : public ::testing::Test {
 protected:
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
};

TEST_F(ListReportPaging, EveryRowPrintsOnceOnItsMappedPage) {
  std::vector<std::string> rows;
  for (int i = 0; i < 40; ++i) rows.push_back("row" + std::to_string(i));
  // One row is three lines long in a column of 40 characters.
  rows[17] = "row17 with a long text that wraps onto more lines than one in its column";
  RowsReport report(rows);
  // 3 inches of paper, 0.5 inch margins: 2 inches less the header.
  report.SetPaper(8500, 3000, false);
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  ASSERT_EQ(report.Paginate(&measure, &info, &progress), 1);
  const int pages = report.PageCount();
  ASSERT_GT(pages, 3);
  EXPECT_EQ(info.maxPage, pages);
  EXPECT_FALSE(progress.texts.empty());

  std::vector<std::string> printed;
  int lastRowPage = 0;
  for (int page = 1; page <= pages; ++page) {
    RecordingDevice dc;
    info.currentPage = page;
    report.BeginPrinting(&dc, &info);
    report.PrintPageOn(&dc, &info);
    const auto texts = RowTexts(dc);
    ASSERT_FALSE(texts.empty()) << page;
    for (const std::string& t : texts) {
      printed.push_back(t);
      if (t == rows.back()) lastRowPage = page;
    }
    // The page header shows "Page n of m" on every page.
    const std::string pageText = "Page " + std::to_string(page) + " of " + std::to_string(pages);
    EXPECT_TRUE(std::any_of(dc.calls.begin(), dc.calls.end(), [&](const std::string& c) {
      return c.find(pageText) != std::string::npos;
    })) << pageText;
  }
  // The rows come out once each, in order; the last page runs to the end.
  std::vector<std::string> firstWords;
  for (const std::string& t : printed)
    if (t.rfind("row", 0) == 0) firstWords.push_back(t.substr(0, t.find(' ')));
  std::vector<std::string> expected;
  for (const std::string& r : rows) expected.push_back(r.substr(0, r.find(' ')));
  EXPECT_EQ(firstWords, expected);
  EXPECT_EQ(lastRowPage, pages);
}

TEST_F(ListReportPaging, ARowThatDoesNotFitMovesWholeAndThePageMapPointsAtIt) {
  // The page runs from -550 (under the header rule) to -2500: after 9
  // single-line rows of 175 (to -2125) a 3-line row does not fit.
  std::vector<std::string> rows;
  for (int i = 0; i < 9; ++i) rows.push_back("row" + std::to_string(i));
  rows.push_back(
      "rowX aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn oooo pppp qqqq");
  rows.push_back("rowY");
  RowsReport report(rows);
  report.SetPaper(8500, 3000, false);
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  ASSERT_EQ(report.Paginate(&measure, &info, &progress), 1);
  ASSERT_EQ(report.PageCount(), 2);
  RecordingDevice second;
  info.currentPage = 2;
  report.PrintPageOn(&second, &info);
  const auto texts = RowTexts(second);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts.front().substr(0, 4), "rowX");
  EXPECT_EQ(texts.back(), "rowY");
  RecordingDevice first;
  info.currentPage = 1;
  report.PrintPageOn(&first, &info);
  const auto firstTexts = RowTexts(first);
  EXPECT_EQ(firstTexts.back(), "row8");
  EXPECT_GT(report.PageStart(2), report.PageStart(1));
}

TEST_F(ListReportPaging, NoRowsNoPagesAndNoWindowNoPages) {
  RowsReport empty({});
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  EXPECT_EQ(empty.Paginate(&measure, &info, &progress), 0);
  EXPECT_EQ(info.maxPage, 0);
  RowsReport some({"row1"});
  EXPECT_EQ(some.Paginate(&measure, &info, nullptr), 0);
}

TEST_F(ListReportPaging, CancelCountsNoPages) {
  class Cancelling : public RowsReport {
   public:
    using RowsReport::RowsReport;

   protected:
    int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                    bool* cancelled) override {
      const int pages = RowsReport::WalkRecords(dc, info, progress, cancelled);
      *cancelled = true;
      return pages;
    }
  } report({"row1", "row2"});
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  EXPECT_EQ(report.Paginate(&measure, &info, &progress), 0);
  EXPECT_EQ(report.PageCount(), 0);
}

TEST_F(ListReportPaging, LandscapeAndOtherPaperSetThePageRectangle) {
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  struct Case {
    int width, height;
    bool portrait;
    rpt::Rect rect;
  };
  const Case cases[] = {
      {8500, 11000, true, {500, -500, 8000, -10500}},
      {8500, 11000, false, {500, -500, 10500, -8000}},
      {8268, 11693, true, {500, -500, 7768, -11193}},  // A4
  };
  for (const Case& c : cases) {
    RowsReport report({"row1"});
    report.SetPaper(c.width, c.height, c.portrait);
    ASSERT_EQ(report.Paginate(&measure, &info, &progress), 1);
    EXPECT_EQ(report.DrawRect(), c.rect) << c.width << " " << c.portrait;
    EXPECT_EQ(
        report.GetDocument().PageWidth(),
        (c.portrait ? std::min(c.width, c.height) : std::max(c.width, c.height)) * 1440 / 1000);
  }
}

// The RTF of a report printed page after page into its document.
std::string RtfRun(CListReport& report) {
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  if (report.Paginate(&measure, &info, &progress) == 0) return {};
  report.SetRTFOutput(true);
  for (int page = 1; page <= report.PageCount(); ++page) {
    info.currentPage = page;
    RecordingDevice dc;
    report.PrintPageOn(&dc, &info);
  }
  CRTFFile file;
  file.OpenMemory();
  report.GetDocument().Write(file);
  return file.MemoryContents();
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(ListReportPaging, RtfHasOneHeaderNoPageBreaksAndNoRepeatedTabSets) {
  std::vector<std::string> rows;
  for (int i = 0; i < 30; ++i) rows.push_back("row" + std::to_string(i));
  RowsReport report(rows);
  report.SetPaper(8500, 3000, false);
  const std::string rtf = RtfRun(report);
  ASSERT_FALSE(rtf.empty());
  EXPECT_GT(report.PageCount(), 2);
  EXPECT_EQ(Count(rtf, "\\chpgn"), 1) << rtf;
  EXPECT_EQ(Count(rtf, "Individuals with Notes"), 1);
  EXPECT_EQ(Count(rtf, "\\page "), 0);
  EXPECT_EQ(Count(rtf, "\\brdrb\\brdrs\\brdrw15\\brsp50"), 1);
  for (const std::string& r : rows) EXPECT_EQ(Count(rtf, "\\fs20 " + r + "\\par"), 1) << r;
}

// ---------------------------------------------------------------- rows

template <class T>
std::unique_ptr<T> RoundTrip(const T& object) {
  CTempObjectFile file;
  EXPECT_TRUE(file.Write(&object));
  auto back = file.ReadAt(-1);
  auto* typed = dynamic_cast<T*>(back.get());
  EXPECT_NE(typed, nullptr);
  if (typed == nullptr) return nullptr;
  back.release();
  return std::unique_ptr<T>(typed);
}

TEST(ListRows, StoreAndLoadEveryField) {
  const auto notes = RoundTrip(CIndivNotesObject("Ann Smith-12"));
  ASSERT_TRUE(notes);
  EXPECT_EQ(notes->Text(), "Ann Smith-12");
  const auto citation = RoundTrip(CRSCitationObject(3, "Ann Smith", "Birth", "page 4"));
  ASSERT_TRUE(citation);
  EXPECT_EQ(citation->Text(), "3. Ann Smith (Birth). page 4");
  const auto source = RoundTrip(CSourceObject(-7, "Parish register"));
  ASSERT_TRUE(source);
  EXPECT_EQ(source->Number(), -7);
  EXPECT_EQ(source->Title(), "Parish register");
  CMarriageObject marriage;
  marriage.number = 41;
  for (int i = 0; i < 6; ++i) marriage.texts[i] = "m" + std::to_string(i);
  const auto m = RoundTrip(marriage);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->number, 41);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(m->texts[i], marriage.texts[i]);
  CUnlinkedObject unlinked;
  unlinked.number = 9;
  for (int i = 0; i < 3; ++i) unlinked.texts[i] = "u" + std::to_string(i);
  const auto u = RoundTrip(unlinked);
  ASSERT_TRUE(u);
  EXPECT_EQ(u->number, 9);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(u->texts[i], unlinked.texts[i]);
}

TEST(ListRows, CitationTextWithEmptyPageEndsInFullStopAndBlank) {
  EXPECT_EQ(CRSCitationObject(1, "Bo Lee", "Death", "").Text(), "1. Bo Lee (Death). ");
}

TEST(ListRows, CompareIsCaseInsensitiveAndEqualKeysAnswerMinusOne) {
  struct Case {
    std::string a, b;
    int sign;  // of a.Compare(b)
  };
  const Case cases[] = {{"smith", "SMITH", -1}, {"Adams", "baker", -1}, {"baker", "Adams", 1}};
  for (const Case& c : cases) {
    const CIndivNotesObject a(c.a), b(c.b);
    const int r = a.Compare(&b);
    EXPECT_EQ(r < 0 ? -1 : 1, c.sign) << c.a << " " << c.b;
    const CSourceObject sa(1, c.a), sb(2, c.b);
    const int s = sa.Compare(&sb);
    EXPECT_EQ(s < 0 ? -1 : 1, c.sign) << c.a << " " << c.b;
  }
  const CIndivNotesObject a("Same"), b("same");
  EXPECT_EQ(a.Compare(&b), -1);
  EXPECT_EQ(b.Compare(&a), -1);
  // Accented letters sort in the family file's collation: case folds for
  // them too, and A ring sorts with A, not after Z.
  ScopedCodePage page(plat::kCodePageWestern);
  const CIndivNotesObject upper("\xC9mile"), lower("\xE9mile");
  EXPECT_EQ(upper.Compare(&lower), -1);
  EXPECT_EQ(lower.Compare(&upper), -1);
  const CIndivNotesObject ring(
      "\xC5"
      "berg"),
      adams("Adams"), zander("Zander");
  EXPECT_LT(ring.Compare(&adams), 0);
  EXPECT_GT(zander.Compare(&ring), 0);
  CPlaceNameObject inRing("x", "", "", 0,
                          "\xC5"
                          "rhus",
                          0),
      inZ("x", "", "", 0, "Zug", 0);
  EXPECT_LT(inRing.Compare(&inZ), 0);
  EXPECT_EQ(a.Compare(nullptr), -1);
  CMarriageObject ma, mb;
  ma.texts[0] = "Key";
  mb.texts[0] = "KEY";
  EXPECT_EQ(ma.Compare(&mb), -1);
  EXPECT_EQ(mb.Compare(&ma), -1);
  CUnlinkedObject ua, ub;
  ua.texts[0] = "b";
  ub.texts[0] = "A";
  EXPECT_GT(ua.Compare(&ub), 0);
  EXPECT_EQ(CRSCitationObject(1, "a", "b", "c").Compare(&a), -1);
}

TEST(ListRows, MarriageRowWritesNothingToRtfAndUnlinkedRowWritesOneLine) {
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  RowsReport report({"row1"});
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  ASSERT_EQ(report.Paginate(&measure, &info, &progress), 1);
  report.SetRTFOutput(true);
  CRTFDocument document;
  CMarriageObject marriage;
  marriage.number = 5;
  marriage.texts[1] = "Married";
  RecordingDevice dc;
  EXPECT_EQ(marriage.PrintRow(report, &dc, &info, &document, false), 0);
  CUnlinkedObject unlinked;
  unlinked.number = 12;
  unlinked.texts[0] = "Doe, Jane";
  unlinked.texts[1] = "1900";
  unlinked.texts[2] = "Ohio";
  EXPECT_EQ(unlinked.PrintRow(report, &dc, &info, &document, false), 0);
  EXPECT_TRUE(dc.calls.empty());
  CRTFFile file;
  file.OpenMemory();
  document.Write(file);
  const std::string rtf = file.MemoryContents();
  EXPECT_EQ(rtf.find("Married"), std::string::npos);
  EXPECT_NE(rtf.find("12\\tab Doe, Jane\\tab 1900\\tab Ohio"), std::string::npos) << rtf;
}

}  // namespace
