// The book's RTF lines: one tab set and one indented paragraph a printed
// line, numbers hanging left of the text, index entries, page breaks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BookReportGenerator.h"
#include "RTFTestSupport.h"
#include "RecordingDevice.h"

using namespace rpt;

namespace {

// Each element of the generator's document as RTF.
std::vector<std::string> Elements(CBookReportGenerator& g) {
  std::vector<std::string> out;
  CRTFDocument& document = g.GetDocument();
  for (auto e = document.FirstElement(); e != nullptr; e = document.NextElement())
    out.push_back(RtfOf(*e));
  return out;
}

}  // namespace

class BookRtfLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dc.SetMapMode(MM_HIENGLISH);
    dc.SelectFont(LogFont{-150, 400, false, false, "Times New Roman"});
    g.SetRTFOutput(true);
  }
  RecordingDevice dc{1000};  // 50 units a character
  CBookReportGenerator g{false};
};

TEST_F(BookRtfLinesTest, ANumberHangsLeftOfItsLine) {
  // "12.  " (250 wide) right-aligned to end at 350; the text at 400.
  g.AddLinePrefix(&dc, 'r', 100, 0, "12.  ");
  g.TextOutString(&dc, 400, 0, "Anna ");
  g.TextOutString(&dc, 650, 0, "Bell");
  g.EndBookLine(&dc);
  const auto e = Elements(g);
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0], "\\pard\\tqr \\tx504\\tql \\tx576");
  EXPECT_EQ(e[1].rfind("\\li576\\fi-576 ", 0), 0u) << e[1];
  const std::size_t number = e[1].find("\\tab 12.  ");
  const std::size_t text = e[1].find("\\tab Anna ");
  ASSERT_NE(number, std::string::npos) << e[1];
  ASSERT_NE(text, std::string::npos) << e[1];
  EXPECT_LT(number, text);
  EXPECT_EQ(e[1].find("\\tab Bell"), std::string::npos) << "only the first run follows a tab";
  EXPECT_NE(e[1].find("Bell"), std::string::npos);
}

TEST_F(BookRtfLinesTest, EdgeCasesOfTheLine) {
  struct Case {
    const char* name;
    std::function<void()> build;
    std::vector<std::string> starts;  // how each element begins
  } cases[] = {
      {"a left prefix at 0 adds no tab stop and no tab",
       [&] {
         g.AddLinePrefix(&dc, 'l', 0, 0, "+");
         g.EndBookLine(&dc);
       },
       {"\\pard", "\\li0\\fi0 "}},
      {"a line without a prefix starts at its first run",
       [&] {
         g.TextOutString(&dc, 1400, 0, "text");
         g.TextOutString(&dc, 1400, 0, "");
         g.EndBookLine(&dc);
       },
       {"\\pard", "\\li2016\\fi0 "}},
      {"an empty line still sets its tabs", [&] { g.EndBookLine(&dc); }, {"\\pard"}},
      {"no index entry for RIN 0", [&] { g.AddIndexMark(&dc, 0); }, {}},
      {"a page break", [&] { g.AddPageBreak(&dc); }, {"\\par \\page \\par "}},
  };
  for (const Case& c : cases) {
    g.GetDocument().Clear();
    c.build();
    const auto e = Elements(g);
    ASSERT_EQ(e.size(), c.starts.size()) << c.name;
    for (std::size_t i = 0; i < e.size(); ++i)
      EXPECT_EQ(e[i].rfind(c.starts[i], 0), 0u) << c.name << ": " << e[i];
  }
}

TEST_F(BookRtfLinesTest, TheFooterIsWrittenOnTheFirstPageOnly) {
  CPrintInfo info;
  for (int page = 1; page <= 3; ++page) {
    info.currentPage = page;
    g.SetFooterText(&dc, 0, 0, "3 Jul 2001");
    g.SetFooterCentreText(&dc, 3000, 0, "Ancestors of Anna Bell");
    g.SetBookFooterPageNumber(&dc, 6000, 0, "Page 1");
    g.WriteRTFFooter(&info);
  }
  const auto e = Elements(g);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].rfind("{\\footer ", 0), 0u) << e[0];
  for (const char* part :
       {"3 Jul 2001", "\\tab Ancestors of Anna Bell", "\\chpgn", "\\tqc", "\\tqr"})
    EXPECT_NE(e[0].find(part), std::string::npos) << part << " in " << e[0];
}

// The word processor keeps each line where it was printed: a line is exactly
// one printed line (166 thousandths, 239 twips) high, and the space above a
// line lower on the page, or a paragraph break, is an empty paragraph of
// exactly that height (83 thousandths a half-line, 119 twips).
TEST_F(BookRtfLinesTest, LinesKeepTheirPrintedPlacesDownThePage) {
  const auto line = [&](int y, const char* text) {
    g.TextOutString(&dc, 400, y, text);
    g.EndBookLine(&dc);
  };
  line(0, "first");
  line(-2 * kBookHalfLine, "second, right below");
  line(-5 * kBookHalfLine, "third, a half-line further down");
  g.AddParagraphBreak(&dc, 2);
  line(-9 * kBookHalfLine, "fourth, after the break");
  const auto e = Elements(g);
  const std::vector<std::string> starts = {"\\pard",
                                           "\\li576\\fi0 \\sl-239\\slmult0 ",
                                           "\\pard",
                                           "\\li576\\fi0 \\sl-239\\slmult0 ",
                                           "\\pard\\sl-119\\slmult0\\par ",
                                           "\\pard",
                                           "\\li576\\fi0 \\sl-239\\slmult0 ",
                                           "\\pard\\sl-239\\slmult0\\par ",
                                           "\\pard",
                                           "\\li576\\fi0 \\sl-239\\slmult0 "};
  ASSERT_EQ(e.size(), starts.size());
  for (std::size_t i = 0; i < e.size(); ++i)
    EXPECT_EQ(e[i].rfind(starts[i], 0), 0u) << i << ": " << e[i];
}
