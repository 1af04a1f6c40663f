// A GEDCOM import into a family file on a disk that fills part way: the
// import reports failure, says how far it got, and each failure is told
// once.

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
