// A GEDCOM import into a family file on a disk that fills part way: the
// import reports failure, says how far it got, and each failure is told
// once.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "ImportFixture.h"
#include "MemoryFile.h"

namespace {

class ImportFullDiskTest : public ImportFixture {};

TEST_F(ImportFullDiskTest, ImportOnAFullDiskReportsFailureAndHowFarItGot) {
  std::string text = "0 HEAD\n1 CHAR ASCII\n";
  for (int i = 1; i <= 400; ++i)
    text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Ann /Fill" + std::to_string(i) +
            "/\n1 NOTE A note long enough to take a little room in the note blocks.\n";
  text += "0 TRLR\n";
  plat::RandomAccessFile& file = CurrentDatabase->host.file;
  FullDiskFile full(file, static_cast<std::uint64_t>(file.Size()) + 12 * 8192);
  CurrentDatabase->host.io = &full;
  boxes.Clear();
  const int result = ImportText(text);
  const int failedWrites = DbWriteFailures();
  EXPECT_EQ(result, 0);
  int writeErrors = 0, incomplete = 0;
  for (const auto& call : boxes.Calls()) {
    writeErrors += call.text.rfind("Write Error\n\n", 0) == 0;
    incomplete += call.text.find("The import is incomplete") != std::string::npos;
  }
  EXPECT_EQ(writeErrors, 1);
  EXPECT_EQ(incomplete, 1);
  EXPECT_LT(CountLive(db::kQueryIndividuals), 400);
  EXPECT_LE(boxes.Calls().size(), 12u);
  // Closing counts up what was told once: one box, a line per repeated kind.
  EXPECT_GT(failedWrites, 1);
  boxes.Clear();
  CurrentDatabase->Close();
  CurrentDatabase->host.io = nullptr;
  ASSERT_EQ(boxes.Calls().size(), 1u);
  const std::string summary = boxes.Calls()[0].text;
  EXPECT_NE(summary.find("Write Error: " + std::to_string(failedWrites) + " times"),
            std::string::npos)
      << summary;
  // A file closed without failures says nothing.
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  boxes.Clear();
  CurrentDatabase->Close();
  EXPECT_TRUE(boxes.Calls().empty());
}

// A disk that fills at any point of an import of a small family: the box
// and the log name how many individuals and families the family file holds
// when it is opened again, and no internal failure box is shown.
TEST_F(ImportFullDiskTest, ImportCutAnywhereNamesWhatWasStored) {
  std::string text = "0 HEAD\n1 CHAR ASCII\n";
  for (int i = 1; i <= 24; ++i)
    text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Ann /Kin" + std::to_string(i) +
            "/\n1 SEX " + (i % 2 ? "M" : "F") + "\n1 NOTE Notes of " + std::to_string(i) + "\n";
  for (int f = 1; f <= 8; ++f)
    text += "0 @F" + std::to_string(f) + "@ FAM\n1 HUSB @I" + std::to_string(2 * f - 1) +
            "@\n1 WIFE @I" + std::to_string(2 * f) + "@\n1 CHIL @I" + std::to_string(16 + f) +
            "@\n1 NOTE Family " + std::to_string(f) + "\n";
  text += "0 TRLR\n";
  DbCloseCurrent();
  const std::string empty = ReadAll(family);
  for (const std::uint64_t limit : {0, 3000, 9000, 20000, 40000, 60000}) {
    SCOPED_TRACE("limit " + std::to_string(limit));
    WriteAll(family, empty);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    FailingFile failing(CurrentDatabase->host.file, limit);
    CurrentDatabase->host.io = &failing;
    boxes.Clear();
    EXPECT_EQ(ImportText(text), 0);
    const std::vector<plat::FakeMessageBox::Call> shown = boxes.Calls();
    CurrentDatabase->Close();
    CurrentDatabase->host.io = nullptr;
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    const std::string stored = std::to_string(CountLive(db::kQueryIndividuals)) +
                               " individuals and " +
                               std::to_string(CountLive(db::kQueryMarriages)) + " families";
    int named = 0;
    for (const auto& call : shown) {
      named += call.text.find("incomplete: " + stored + " were stored") != std::string::npos;
      EXPECT_EQ(call.text.find("Failed"), std::string::npos) << call.text;
    }
    EXPECT_EQ(named, 1) << stored;
    EXPECT_NE(importLog_.find("incomplete: " + stored + " were stored"), std::string::npos)
        << importLog_;
    EXPECT_EQ(importLog_.find("Maxed out"), std::string::npos) << importLog_;
    DbCloseCurrent();
  }
}

}  // namespace
