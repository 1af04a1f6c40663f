// The export's line output: CR LF, ANSEL, counting after conversion, the
// parts of a removable disk set and the stop on a full fixed disk.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CodePage.h"
#include "FakePorts.h"
#include "GedcomOutput.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using gedcom::GedcomOutput;

// A drive whose every disk holds `capacity` bytes; free bytes are read once
// per disk, as the output reads them.
struct SmallDrive : gedcom::GedcomDrive {
  bool IsRemovable(const std::string&) override { return removable; }
  std::uint64_t FreeBytes(const std::string&) override {
    ++reads;
    if (!emptyReads.empty()) {
      const std::uint64_t v = emptyReads.front();
      emptyReads.erase(emptyReads.begin());
      return v;
    }
    return capacity;
  }
  bool removable = false;
  std::uint64_t capacity = 1000;
  std::vector<std::uint64_t> emptyReads;
  int reads = 0;
};

class OutputTest : public ::testing::Test {
 protected:
  plat::FakeMessageBox boxes_;
  plat::ScopedMessageBox scopedBoxes_{&boxes_};
  TempDir dir_;
  SmallDrive drive_;
};

constexpr unsigned kPromptFlags = plat::kMbOkCancel | plat::kMbIconInformation;

std::string Prompt(int disk) {
  return "This disk is full.\n\nInsert a new disk labeled: #" + std::to_string(disk) +
         " and click OK to continue.";
}

TEST_F(OutputTest, LinesEndInCrLfAndAnselIsCountedAfterConversion) {
  GedcomOutput out(drive_, true);
  ASSERT_TRUE(out.Open(dir_.File("fam.ged")));
  EXPECT_TRUE(out.WriteLine("0 HEAD"));
  EXPECT_TRUE(out.WriteLine("1 NAME Ren\xE9"));  // e acute: two ANSEL bytes
  EXPECT_TRUE(out.Close());
  EXPECT_EQ(ReadAll(dir_.File("fam.ged")),
            "0 HEAD\r\n1 NAME Ren\xE2"
            "e\r\n");
  EXPECT_EQ(out.BytesOnDisk(), 8u + 14u);
}

// ANSEL output holds only ANSEL: the code page's quotes, dashes and euro
// get plain forms, counted for the export's summary; ANSI output gets
// look-alikes for the letters its code page lacks.
TEST_F(OutputTest, WhatTheCharacterSetLacksIsWrittenPlainAndCounted) {
  ScopedCodePage page(plat::kCodePageWestern);
  GedcomOutput ansel(drive_, true);
  ASSERT_TRUE(ansel.Open(dir_.File("ansel.ged")));
  EXPECT_TRUE(
      ansel.WriteLine("1 NOTE \x93Hi\x94 \x80 5 \x96 \x93"
                      "Bye\x94"));
  EXPECT_TRUE(ansel.Close());
  EXPECT_EQ(ReadAll(dir_.File("ansel.ged")), "1 NOTE \"Hi\" EUR 5 - \"Bye\"\r\n");
  ASSERT_EQ(ansel.ReplacedCharacters().size(), 4u);
  EXPECT_EQ(ansel.ReplacedCharacters()[0].original, "\x93");
  EXPECT_EQ(ansel.ReplacedCharacters()[0].written, "\"");
  EXPECT_EQ(ansel.ReplacedCharacters()[0].count, 2);

  GedcomOutput ansi(drive_, false);
  ASSERT_TRUE(ansi.Open(dir_.File("ansi.ged")));
  EXPECT_TRUE(ansi.WriteLine(plat::Utf8ToAnsi("1 NAME \u0141ukasz \u00C9mile")));
  EXPECT_TRUE(ansi.Close());
  EXPECT_EQ(ReadAll(dir_.File("ansi.ged")), "1 NAME Lukasz \xC9mile\r\n");
  ASSERT_EQ(ansi.ReplacedCharacters().size(), 1u);
  EXPECT_EQ(ansi.ReplacedCharacters()[0].written, "L");
}

TEST_F(OutputTest, RemovableDriveSplitsIntoG00AndG01AskingForDisks2And3) {
  drive_.removable = true;
  drive_.capacity = 20;  // two 8-byte lines per disk
  GedcomOutput out(drive_, false);
  ASSERT_TRUE(out.Open(dir_.File("fam.ged")));
  WriteAll(dir_.File("fam.G00"), "stale part of an older export");
  const std::vector<std::string> lines = {"0 HEAD", "1 AAAA", "1 BBBB", "1 CCCC", "1 DDDD"};
  for (const std::string& line : lines) ASSERT_TRUE(out.WriteLine(line)) << line;
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadAll(dir_.File("fam.ged")), "0 HEAD\r\n1 AAAA\r\n");
  EXPECT_EQ(ReadAll(dir_.File("fam.G00")), "1 BBBB\r\n1 CCCC\r\n");
  EXPECT_EQ(ReadAll(dir_.File("fam.G01")), "1 DDDD\r\n");
  EXPECT_EQ(out.Parts(), (std::vector<std::string>{dir_.File("fam.ged"), dir_.File("fam.G00"),
                                                   dir_.File("fam.G01")}));
  ASSERT_EQ(boxes_.Calls().size(), 2u);
  EXPECT_EQ(boxes_.Calls()[0].text, Prompt(2));
  EXPECT_EQ(boxes_.Calls()[0].caption, "GEDCOM Export");
  EXPECT_EQ(boxes_.Calls()[0].flags, kPromptFlags);
  EXPECT_EQ(boxes_.Calls()[1].text, Prompt(3));
}

TEST_F(OutputTest, NoFreeBytesOnTheNewDiskAsksAgain) {
  drive_.removable = true;
  drive_.capacity = 10;
  GedcomOutput out(drive_, false);
  ASSERT_TRUE(out.Open(dir_.File("fam.ged")));
  drive_.emptyReads = {0};
  ASSERT_TRUE(out.WriteLine("0 HEAD"));
  ASSERT_TRUE(out.WriteLine("0 TRLR"));
  ASSERT_EQ(boxes_.Calls().size(), 2u);
  EXPECT_EQ(boxes_.Calls()[1].text, Prompt(2));
}

TEST_F(OutputTest, CancelAtTheDiskPromptFailsForGood) {
  drive_.removable = true;
  drive_.capacity = 10;
  GedcomOutput out(drive_, false);
  ASSERT_TRUE(out.Open(dir_.File("fam.ged")));
  ASSERT_TRUE(out.WriteLine("0 HEAD"));
  boxes_.QueueAnswer(plat::kIdCancel);
  EXPECT_FALSE(out.WriteLine("0 TRLR"));
  EXPECT_TRUE(out.Failed());
  EXPECT_FALSE(out.WriteLine("0 TRLR"));
  EXPECT_EQ(boxes_.Calls().size(), 1u);
  EXPECT_FALSE(out.Close());
  EXPECT_EQ(ReadAll(dir_.File("fam.ged")), "0 HEAD\r\n");
}

TEST_F(OutputTest, FullFixedDiskStopsWithTheMessageAndNoMoreLines) {
  drive_.capacity = 16;
  GedcomOutput out(drive_, false);
  ASSERT_TRUE(out.Open(dir_.File("fam.ged")));
  EXPECT_TRUE(out.WriteLine("0 HEAD"));
  EXPECT_FALSE(out.WriteLine("1 NAME too long to fit"));
  EXPECT_FALSE(out.WriteLine("0 TRLR"));
  ASSERT_EQ(boxes_.Calls().size(), 1u);
  EXPECT_EQ(boxes_.Calls()[0].text, "Not enough disk space to complete.");
  EXPECT_EQ(boxes_.Calls()[0].flags, plat::kMbOk | plat::kMbIconExclamation);
  out.Close();
  EXPECT_EQ(ReadAll(dir_.File("fam.ged")), "0 HEAD\r\n");
}

TEST_F(OutputTest, DiscardDeletesEveryPart) {
  drive_.removable = true;
  drive_.capacity = 10;
  GedcomOutput out(drive_, false);
  ASSERT_TRUE(out.Open(dir_.File("fam.ged")));
  ASSERT_TRUE(out.WriteLine("0 HEAD"));
  ASSERT_TRUE(out.WriteLine("0 TRLR"));
  out.Discard();
  EXPECT_FALSE(std::filesystem::exists(dir_.File("fam.ged")));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("fam.G00")));
}

TEST_F(OutputTest, AFailedWriteIsReported) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  drive_.capacity = 1u << 30;
  GedcomOutput out(drive_, false);
  ASSERT_TRUE(out.Open("/dev/full"));
  // Buffered: the failure shows at the latest when the part is closed.
  bool ok = true;
  for (int i = 0; i < 10000 && ok; ++i) ok = out.WriteLine("1 NOTE some text to fill a buffer");
  if (ok) ok = out.Close();
  EXPECT_FALSE(ok);
  ASSERT_EQ(boxes_.Calls().size(), 1u);
  EXPECT_EQ(boxes_.Calls()[0].text, "Could not write to the GEDCOM file:\n\n/dev/full");
}

}  // namespace
