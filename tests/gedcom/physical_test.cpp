// The grammar of one physical line: its errors, its limits, the delimiters
// and the "@" rules.

#include <string>
#include <vector>

#include "ReaderFixture.h"

namespace {

using Lines = std::vector<std::string>;

struct GrammarCase {
  const char* name;
  std::string line;   // the second line of "0 HEAD\n<line>\n0 TRLR\n"
  const char* error;  // nullptr: the line is read
  std::string shown;  // how the line reads when it is read
};

class GrammarTest : public ReaderTest, public ::testing::WithParamInterface<GrammarCase> {};

TEST_P(GrammarTest, LineIsReadOrRejectedWithItsMessage) {
  const GrammarCase& c = GetParam();
  Lines lines = ReadAllOf("0 HEAD\n" + c.line + "\n0 TRLR\n");
  if (c.error) {
    EXPECT_EQ(lines, (Lines{"0 HEAD|", "0 TRLR|"}));
    EXPECT_EQ(sink_.reports, (std::vector<Report>{Error("test.GED, line 2", c.error)}));
  } else {
    EXPECT_EQ(lines, (Lines{"0 HEAD|", c.shown, "0 TRLR|"}));
    EXPECT_TRUE(sink_.reports.empty()) << sink_.reports.front();
  }
}

const std::string k30(30, 'A'), k31(31, 'A'), k255(255, 'x'), k256(256, 'x');

INSTANTIATE_TEST_SUITE_P(
    Lines, GrammarTest,
    ::testing::Values(
        GrammarCase{"NotADigit", "X SOUR a", "Bad level number.", ""},
        GrammarCase{"Level100", "100 SOUR a", "Bad level number.", ""},
        GrammarCase{"NoDelimiterAfterLevel", "1SOUR a", "Missing delimiter.", ""},
        GrammarCase{"NoDelimiterAfterXref", "1 @S1@SOUR a", "Missing delimiter.", ""},
        GrammarCase{"XrefNotClosed", "1 @S1 SOUR a", "Bad XrefId pointer.", ""},
        GrammarCase{"EmptyXref", "1 @@ SOUR a", "Bad XrefId pointer.", ""},
        GrammarCase{"Xref255", "1 @" + k255 + "@ SOUR a", nullptr, "1 @" + k255 + "@ SOUR|a"},
        GrammarCase{"Xref256", "1 @" + k255 + "x@ SOUR a", "Bad XrefId pointer.", ""},
        GrammarCase{"EmptyTag", "1 @S1@ ", "Bad tag.", ""},
        GrammarCase{"TagBadCharacter", "1 SO-UR a", "Bad tag.", ""},
        GrammarCase{"TagFormFeed", "1 SOUR\fa", "Missing delimiter.", ""},
        GrammarCase{"Tag30", "1 " + k30 + " a", nullptr, "1 " + k30 + "|a"},
        GrammarCase{"Tag31", "1 " + k31 + " a", "Bad tag.", ""},
        GrammarCase{"Value255", "1 SOUR " + k255, nullptr, "1 SOUR|" + k255},
        GrammarCase{"TabsAndBlanks", "\t 1 \t@S1@\t SOUR \t a b \t", nullptr, "1 @S1@ SOUR|a b"},
        GrammarCase{"NoValue", "1 SOUR", nullptr, "1 SOUR|"},
        GrammarCase{"AtRunsBecomeOne", "1 SOUR a@@b@@@c", nullptr, "1 SOUR|a@b@c"},
        GrammarCase{"Pointer", "1 SOUR @S1@", nullptr, "1 SOUR|@S1@"},
        GrammarCase{"DoubledAtPointer", "1 SOUR @@S1@@", nullptr, "1 SOUR|@S1@"},
        GrammarCase{"ThreeAtsNotPointer", "1 SOUR @S1@x@", nullptr, "1 SOUR|@S1@x@"},
        GrammarCase{"TextAfterPointer", "1 NOTE @N1@ more", nullptr, "1 NOTE|@N1@ more"},
        GrammarCase{"LoneAt", "1 SOUR @", nullptr, "1 SOUR|@"},
        GrammarCase{"Pointer255", "1 SOUR @" + k255 + "@", nullptr, "1 SOUR|@" + k255 + "@"},
        GrammarCase{"Pointer256", "1 SOUR @" + k256 + "@", "Bad XrefId pointer.", ""}),
    [](const ::testing::TestParamInfo<GrammarCase>& info) { return std::string(info.param.name); });

TEST_F(ReaderTest, DeepestLevelIsRead) {
  std::string text = "0 HEAD\n";
  for (int level = 1; level <= 99; ++level) text += std::to_string(level) + " NOTE\n";
  Lines lines = ReadAllOf(text + "0 TRLR\n");
  ASSERT_EQ(lines.size(), 101u);
  EXPECT_EQ(lines[99], "99 NOTE|");
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ReaderTest, OverlongValueIsCutReportedAndUsed) {
  Lines lines = ReadAllOf("0 HEAD\n1 SOUR " + k256 + "yz\n0 TRLR\n");
  EXPECT_EQ(lines, (Lines{"0 HEAD|", "1 SOUR|" + k255, "0 TRLR|"}));
  EXPECT_EQ(sink_.reports,
            (std::vector<Report>{Error("test.GED, line 2", "Value too long, value truncated.")}));
}

TEST_F(ReaderTest, NulBytesInAValueAreLeftOutAndReported) {
  Lines lines = ReadAllOf(std::string("0 HEAD\n1 NOTE before", 20) + std::string(1, '\0') +
                          "after\n1 SOUR x" + std::string(2, '\0') + "\n0 TRLR\n");
  EXPECT_EQ(lines, (Lines{"0 HEAD|", "1 NOTE|beforeafter", "1 SOUR|x", "0 TRLR|"}));
  EXPECT_EQ(sink_.reports,
            (std::vector<Report>{
                Error("test.GED, line 2", "The value holds a NUL byte, which is left out."),
                Error("test.GED, line 3", "The value holds a NUL byte, which is left out.")}));
}

TEST_F(ReaderTest, OnlyTextTagsKeepLeadingBlanks) {
  Lines lines = ReadAllOf(
      "0 @N1@ NOTE   three\n1 CONT  two\n0 INDI\n1 NAME   Ann\n1 NOTE\t x\n2 CONC   y\n"
      "1 TEXT  t\n2 CONTINUED  c\n0 TRLR\n");
  EXPECT_EQ(lines, (Lines{"0 @N1@ NOTE|  three\r\n two", "0 INDI|", "1 NAME|Ann", "1 NOTE| xy",
                          "1 TEXT| t\r\n c", "0 TRLR|"}));
}

TEST_F(ReaderTest, LineEndsOfEveryKindCountOneLineEach) {
  // CR only, LF CR, CR LF, LF; blank and empty lines count too.
  OpenText("0 HEAD\r1 SOUR a\n\r1 DATE\r\n \t\n\n1 X @\r1 NAME b\n0 TRLR");
  Lines lines = ReadAll();
  EXPECT_EQ(lines, (Lines{"0 HEAD|", "1 SOUR|a", "1 DATE|", "1 X|@", "1 NAME|b", "0 TRLR|"}));
  EXPECT_TRUE(sink_.reports.empty());
  OpenText("0 HEAD\r1 @I1 NAME b\r1 BAD-\r1 SEX M\r0 TRLR\r");
  EXPECT_EQ(ReadAll(), (Lines{"0 HEAD|", "1 SEX|M", "0 TRLR|"}));
  EXPECT_EQ(sink_.reports, (std::vector<Report>{Error("test.GED, line 2", "Bad XrefId pointer."),
                                                Error("test.GED, line 3", "Bad tag.")}));
}

// A rejected line takes the lines under it along: they are reported and never
// reach the record before it.
TEST_F(ReaderTest, LinesUnderARejectedLineAreSkippedAndReported) {
  Lines lines = ReadAllOf(
      "0 HEAD\n0 @I1@ INDI\n1 NAME Ann\n1 B@D NAME\n2 GIVN Bo\n3 NOTE n\n1 SEX F\n"
      "0 @" +
      std::string(300, 'I') + "@ INDI\n1 NAME Cy\n1 FAMC @F1@\n0 @I3@ INDI\n0 TRLR\n");
  EXPECT_EQ(lines,
            (Lines{"0 HEAD|", "0 @I1@ INDI|", "1 NAME|Ann", "1 SEX|F", "0 @I3@ INDI|", "0 TRLR|"}));
  EXPECT_EQ(sink_.reports,
            (std::vector<Report>{
                Error("test.GED, line 4", "Bad tag."),
                Error("test.GED, line 5", "Ignoring unexpected tag 'GIVN'.\n\n\t2 GIVN Bo"),
                Error("test.GED, line 6", "Ignoring unexpected tag 'NOTE'.\n\n\t3 NOTE n"),
                Error("test.GED, line 8", "Bad XrefId pointer."),
                Error("test.GED, line 9", "Ignoring unexpected tag 'NAME'.\n\n\t1 NAME Cy"),
                Error("test.GED, line 10", "Ignoring unexpected tag 'FAMC'.\n\n\t1 FAMC @F1@"),
            }));
}

TEST_F(ReaderTest, LevelJumpIsReportedOncePerRun) {
  Lines lines = ReadAllOf(
      "1 SOUR x\n2 VERS y\n0 HEAD\n0 @I1@ INDI\n2 GIVN a\n3 X\n2 SURN b\n1 NAME c\n3 Y\n1 SEX M\n"
      "0 TRLR\n");
  EXPECT_EQ(lines, (Lines{"0 HEAD|", "0 @I1@ INDI|", "1 NAME|c", "1 SEX|M", "0 TRLR|"}));
  EXPECT_EQ(sink_.reports,
            (std::vector<Report>{
                Error("", "Level number doesn't increment by one. Skipped lines 1 through 2."),
                Error("", "Level number doesn't increment by one. Skipped lines 5 through 7."),
                Error("", "Level number doesn't increment by one. Skipped lines 9 through 9."),
            }));
}

TEST_F(ReaderTest, FileOfOnlyATrailer) {
  EXPECT_EQ(ReadAllOf("0 TRLR"), (Lines{"0 TRLR|"}));
  EXPECT_TRUE(reader_.TrailerSeen());
  EXPECT_TRUE(sink_.reports.empty());
  EXPECT_TRUE(messages_.Calls().empty());
}

}  // namespace
