// File sets written over several disks: prompts on a removable drive, the
// quiet end on a fixed one, positions in every part.

#include <string>
#include <vector>

#include "ReaderFixture.h"

namespace {

using Lines = std::vector<std::string>;
using Reports = std::vector<Report>;

constexpr unsigned kPrompt = plat::kMbOkCancel | plat::kMbIconInformation;

class MultiDiskTest : public ReaderTest {
 protected:
  void WriteSet(bool withSecondPart = true) {
    WriteAll(dir_.File("fam.ged"), "0 HEAD\n0 @I1@ INDI\n1 NAME A\n");
    if (withSecondPart) WriteAll(dir_.File("fam.G00"), "1 SEX M\n0 @I2@ INDI\n1 B@D\n");
    WriteAll(dir_.File("fam.G01"), "0 @I3@ INDI\n0 TRLR\n");
    ASSERT_TRUE(reader_.Open(dir_.File("fam.ged")));
  }
  std::string Prompt(int disk, const std::string& file) {
    return "Insert disk #" + std::to_string(disk) + "\n\nFile: " + dir_.File(file);
  }
};

TEST_F(MultiDiskTest, RemovableDriveAsksForEachDisk) {
  driveType_ = kDriveRemovable;
  WriteSet();
  EXPECT_EQ(ReadAll(), (Lines{"0 HEAD|", "0 @I1@ INDI|", "1 NAME|A", "1 SEX|M", "0 @I2@ INDI|",
                              "0 @I3@ INDI|", "0 TRLR|"}));
  ASSERT_EQ(messages_.Calls().size(), 2u);
  EXPECT_EQ(messages_.Calls()[0].text, Prompt(2, "fam.G00"));
  EXPECT_EQ(messages_.Calls()[0].caption, "GEDCOM Import");
  EXPECT_EQ(messages_.Calls()[0].flags, kPrompt);
  EXPECT_EQ(messages_.Calls()[1].text, Prompt(3, "fam.G01"));
  EXPECT_EQ(sink_.reports, (Reports{Error("fam.G00, line 3", "Bad tag.")}));
  EXPECT_EQ(sink_.parts, (std::vector<std::string>{dir_.File("fam.G00"), dir_.File("fam.G01")}));
  EXPECT_EQ(reader_.PositionText({0, 7}), "fam.GED, line 7");
  EXPECT_EQ(reader_.PartPath(0), dir_.File("fam.GED"));
}

TEST_F(MultiDiskTest, CancelThenNoRetriesAndAMissingDiskAsksAgain) {
  driveType_ = kDriveRemovable;
  WriteSet(false);
  messages_.QueueAnswer(plat::kIdCancel);  // disk #2
  messages_.QueueAnswer(plat::kIdNo);      // not quitting: fam.G00 is missing
  messages_.QueueAnswer(plat::kIdOk);      // "Could not open file"
  messages_.QueueAnswer(plat::kIdCancel);  // disk #2 again
  messages_.QueueAnswer(plat::kIdYes);     // quit
  EXPECT_EQ(ReadAll(), (Lines{"0 HEAD|", "0 @I1@ INDI|", "1 NAME|A"}));
  const auto& calls = messages_.Calls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].text, Prompt(2, "fam.G00"));
  EXPECT_EQ(calls[1].text, "Import is not complete.\nAre you sure you want to quit?");
  EXPECT_EQ(calls[1].flags, plat::kMbYesNo | plat::kMbIconExclamation);
  EXPECT_EQ(calls[2].text, "Could not open file:\n\n" + dir_.File("fam.G00"));
  EXPECT_EQ(calls[2].caption, "GEDCOM Import");
  EXPECT_EQ(calls[3].text, Prompt(2, "fam.G00"));
  EXPECT_EQ(calls[4].text, calls[1].text);
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(MultiDiskTest, FixedDriveReadsExistingPartsWithoutAsking) {
  WriteSet();
  EXPECT_EQ(ReadAll().size(), 7u);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(sink_.reports, (Reports{Error("fam.G00, line 3", "Bad tag.")}));
}

TEST_F(MultiDiskTest, FixedDriveWithoutTrailerEndsWithAWarningAndNoBox) {
  OpenText("0 HEAD\n0 @I1@ INDI\n", "single.ged");
  EXPECT_EQ(ReadAll(), (Lines{"0 HEAD|", "0 @I1@ INDI|"}));
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(sink_.reports,
            (Reports{Warning("",
                             "The file ends without a TRLR line, and there is no further "
                             "part single.G00.")}));
}

TEST_F(MultiDiskTest, StrayPartThatBeginsWithHeadIsNotRead) {
  WriteAll(dir_.File("single.G00"), "\xEF\xBB\xBF  0 head\n1 CHAR UTF-8\n0 @X1@ INDI\n0 TRLR\n");
  OpenText("0 HEAD\n0 @I1@ INDI\n", "single.ged");
  EXPECT_EQ(ReadAll(), (Lines{"0 HEAD|", "0 @I1@ INDI|"}));
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(sink_.reports,
            (Reports{Warning("",
                             "single.G00 begins with its own HEAD record and was not read as "
                             "a further part.")}));
}

}  // namespace
