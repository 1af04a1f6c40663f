// Logical lines: CONC and CONT joins, unassociated and mis-levelled runs,
// trailing white space, the length cap, push-back and the level walks.

#include <string>
#include <vector>

#include "GedcomHeader.h"
#include "ReaderFixture.h"

namespace {

using Lines = std::vector<std::string>;
using Reports = std::vector<Report>;

struct JoinCase {
  const char* name;
  std::uint32_t quirks;
  std::string body;  // the lines between "0 HEAD" and "0 TRLR"
  Lines lines;       // the logical lines between them
  Reports reports;
};

class JoinTest : public ReaderTest, public ::testing::WithParamInterface<JoinCase> {};

TEST_P(JoinTest, JoinsAndReports) {
  const JoinCase& c = GetParam();
  OpenText("0 HEAD\n" + c.body + "0 TRLR\n");
  reader_.SetQuirkFlags(c.quirks);
  Lines lines = ReadAll();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(Lines(lines.begin() + 1, lines.end() - 1), c.lines);
  EXPECT_EQ(sink_.reports, c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, JoinTest,
    ::testing::Values(
        JoinCase{"ContAndConc",
                 0,
                 "1 NOTE a\n2 CONC bc\n2 CONT  d\n2 CONC e\n",
                 {"1 NOTE|abc\r\n de"},
                 {}},
        JoinCase{"ConcBlankQuirk",
                 0x800,
                 "1 NOTE a\n2 CONC bc\n2 CONT d\n2 CONC e\n",
                 {"1 NOTE|a bc\r\nd e"},
                 {}},
        JoinCase{"EveryConcBlankBit", 0x20 | 0x4, "1 NOTE a\n2 CONC b\n", {"1 NOTE|a b"}, {}},
        JoinCase{"NoBlankForOtherBits",
                 0x1 | 0x2 | 0x4 | 0x8 | 0x10,
                 "1 NOTE a\n2 CONC b\n",
                 {"1 NOTE|ab"},
                 {}},
        JoinCase{
            "PointerPiecesKeepTheirAts", 0, "1 NOTE @N1@\n2 CONC @N2@\n", {"1 NOTE|@N1@@N2@"}, {}},
        JoinCase{"EmptyContLinesAndTrailingWhiteSpace",
                 0,
                 "1 NOTE a\n2 CONT\n2 CONT   \n",
                 {"1 NOTE|a"},
                 {}},
        JoinCase{"Unassociated",
                 0,
                 "1 NAME a\n2 GIVN b\n1 CONC x\n1 CONT y\n1 SEX M\n",
                 {"1 NAME|a", "2 GIVN|b", "1 SEX|M"},
                 {Error("test.GED, line 5", "Skipped unassociated CONT/CONC lines.")}},
        JoinCase{"RunChangesLevel",
                 0,
                 "1 NOTE a\n2 CONT b\n3 CONC x\n2 CONT y\n1 CONT z\n1 SEX M\n",
                 {"1 NOTE|a\r\nb", "1 SEX|M"},
                 {Error("test.GED, line 4",
                        "Level number '3' for CONC is not the same as the preceding line.")}}),
    [](const ::testing::TestParamInfo<JoinCase>& info) { return std::string(info.param.name); });

TEST_F(ReaderTest, ThistlegrangeVersionsDifferInTheirConcBlank) {
  for (const char* version : {"8.0", "9.0"}) {
    sink_.reports.clear();
    OpenText(std::string("0 HEAD\n1 SOUR Thistlegrange\n2 VERS ") + version +
             "\n0 @N1@ NOTE Thistle\n1 CONC grange\n0 TRLR\n");
    ASSERT_NE(reader_.FindNextAtLevel(0, gedcom::kTagHead), nullptr);
    gedcom::CGedcomHeaderInfo info;
    gedcom::ReadHeader(reader_, info);
    const gedcom::CGedcomLine* note = reader_.FindNextAtLevel(0, gedcom::kTagNote);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->value, std::string(version) == "8.0" ? "Thistle grange" : "Thistlegrange");
  }
}

TEST_F(ReaderTest, OverlongLogicalLineIsCappedWithReports) {
  std::string piece(250, 'p');
  // With the NOTE line's own piece, the last two CONC lines do not fit.
  std::size_t pieces = gedcom::kMaxLogicalLineLength / 250;
  std::string text = "0 HEAD\n1 NOTE " + piece + "\n";
  for (std::size_t i = 0; i < pieces + 1; ++i) text += "2 CONC " + piece + "\n";
  text += "1 SEX M\n0 TRLR\n";
  Lines lines = ReadAllOf(text);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].size(), std::string("1 NOTE|").size() + pieces * 250);
  EXPECT_EQ(lines[2], "1 SEX|M");
  std::string first = "test.GED, line " + std::to_string(2 + pieces);
  std::string second = "test.GED, line " + std::to_string(3 + pieces);
  EXPECT_EQ(
      sink_.reports,
      (Reports{Error(first, "Item too long, truncated: " + piece),
               Error(second, "Item too long, truncated: " + piece),
               Error(first, "Too many CONC/CONT lines.  Truncating additional CONC/CONT lines.")}));
}

TEST_F(ReaderTest, PushBackReturnsTheSameLineOnce) {
  OpenText("0 HEAD\n1 SOUR s\n0 TRLR\n");
  const gedcom::CGedcomLine* head = reader_.Next();
  ASSERT_NE(head, nullptr);
  reader_.PushBack();
  EXPECT_EQ(Show(*reader_.Next()), "0 HEAD|");
  EXPECT_EQ(Show(*reader_.Next()), "1 SOUR|s");
  EXPECT_EQ(Show(*reader_.Next()), "0 TRLR|");
  EXPECT_EQ(reader_.Next(), nullptr);
  reader_.PushBack();
  EXPECT_EQ(reader_.Next(), nullptr);
}

TEST_F(ReaderTest, NextAtLevelSkipsDeeperAndStopsAtShallower) {
  for (bool report : {false, true}) {
    sink_.reports.clear();
    OpenText("0 @I1@ INDI\n1 NAME a\n2 GIVN g\n3 X y\n1 SEX M\n0 TRLR\n");
    ASSERT_NE(reader_.NextAtLevel(0, report), nullptr);
    EXPECT_EQ(Show(*reader_.NextAtLevel(1, report)), "1 NAME|a");
    EXPECT_EQ(Show(*reader_.NextAtLevel(1, report)), "1 SEX|M");
    EXPECT_EQ(reader_.NextAtLevel(1, report), nullptr);  // TRLR is pushed back
    EXPECT_EQ(Show(*reader_.NextAtLevel(0, report)), "0 TRLR|");
    Reports expected;
    if (report)
      expected = {Error("test.GED, line 3", "Ignoring unexpected tag 'GIVN'.\n\n\t2 GIVN g"),
                  Error("test.GED, line 4", "Ignoring unexpected tag 'X'.\n\n\t3 X y")};
    EXPECT_EQ(sink_.reports, expected) << "report " << report;
  }
}

TEST_F(ReaderTest, FindNextAtLevelPassesOverOtherLinesOfItsLevel) {
  OpenText("1 X\n0 @S1@ SOUR a\n1 TITL t\n0 HEAD\n1 CHAR ANSI\n0 TRLR\n");
  const gedcom::CGedcomLine* head = reader_.FindNextAtLevel(0, gedcom::kTagHead);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->position.line, 4);
  EXPECT_EQ(sink_.reports,
            (Reports{Error("", "Level number doesn't increment by one. Skipped lines 1 through 1."),
                     Error("test.GED, line 3", "Ignoring unexpected tag 'TITL'.\n\n\t1 TITL t")}));
  EXPECT_EQ(reader_.FindNextAtLevel(0, gedcom::kTagHead), nullptr);
}

}  // namespace
