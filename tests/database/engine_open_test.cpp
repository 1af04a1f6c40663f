// Opening a family file: default event types of a new file, file options,
// the probe of a family file.

#include <gtest/gtest.h>

#include "CustomEventTable.h"
#include "DbCodes.h"
#include "EngineFixture.h"
#include "EventTypeRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

class OpenTest : public EngineTest {
 protected:
  int OpenAgain(bool defaults) {
    engine.reset();
    host = std::make_unique<EngineHost>();
    if (host->file.Open(path, plat::FileHandle::Access::ReadWrite) != 0) return -2;
    engine = std::make_unique<ORV3>(host.get());
    return engine->Open(defaults);
  }
};

TEST_F(OpenTest, NewFileGetsTheDefaultEventTypesOnce) {
  LoadCustomEventTable();
  const int rows = CustomEventTable().GetSize();
  ASSERT_GT(rows, 0) << "strings 4300 on are missing";
  ASSERT_EQ(OpenAgain(true), 1);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kEventType), rows);
  EXPECT_FALSE(engine->Blocks().InBatch());
  EXPECT_EQ(FileI32(orv::kHeadHighestEventType), rows);  // the header reached the disk
  std::vector<CEventTypeRecord> types;
  ASSERT_EQ(engine->Calls().O3_GetRecord(0, db::kEventTypeList, &types), 1);
  ASSERT_EQ(static_cast<int>(types.size()), rows);
  for (std::size_t i = 1; i < types.size(); ++i)
    EXPECT_LE(types[i - 1].title.compare(0, 1, types[i].title, 0, 1), 0)
        << types[i - 1].title << " / " << types[i].title;
  const CEventTypeRecord* first = CustomEventTable().GetAt(0);
  CEventTypeRecord read;
  ASSERT_EQ(engine->Calls().O3_GetRecord(1, db::kEventType, &read), 1);
  EXPECT_EQ(read.title, first->title);
  EXPECT_EQ(read.tag, first->tag);
  EXPECT_EQ(read.ownerKind, first->ownerKind);

  ASSERT_EQ(OpenAgain(true), 1);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kEventType), rows);
  FreeCustomEventTable();
}

// A file opened before the table was loaded, and then given a type of the
// user's own, gets the default types at its next open; a default whose title
// the own type took is left out, and nothing comes twice.
TEST_F(OpenTest, AFileWithoutBuiltInKindsGetsTheDefaultsLater) {
  FreeCustomEventTable();
  ASSERT_EQ(OpenAgain(true), 1);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kEventType), 0);
  LoadCustomEventTable();
  const int rows = CustomEventTable().GetSize();
  ASSERT_GT(rows, 1);
  CEventTypeRecord own;
  own.SetTitle("Emigration to Sweden");
  ASSERT_GT(engine->Calls().AddRecord(db::kEventType, true, &own), 0);
  CEventTypeRecord sameTitle;
  sameTitle.SetTitle(CustomEventTable().GetAt(0)->title);
  ASSERT_GT(engine->Calls().AddRecord(db::kEventType, true, &sameTitle), 0);

  for (int open = 0; open < 2; ++open) {
    SCOPED_TRACE(open);
    ASSERT_EQ(OpenAgain(true), 1);
    std::vector<CEventTypeRecord> types;
    ASSERT_EQ(engine->Calls().O3_GetRecord(0, db::kEventTypeList, &types), 1);
    EXPECT_EQ(static_cast<int>(types.size()), rows + 1);
    int sameTitle = 0;
    for (const CEventTypeRecord& t : types)
      sameTitle += t.title == CustomEventTable().GetAt(0)->title ? 1 : 0;
    EXPECT_EQ(sameTitle, 1);
  }
  FreeCustomEventTable();
}

TEST_F(OpenTest, BuiltInKindsShowTheTableTextsAndOwnOnesTheirOwn) {
  LoadCustomEventTable();
  ASSERT_EQ(OpenAgain(true), 1);
  // A built-in kind stored with another title still shows the table's.
  orv::EventTypeRec stored;
  ASSERT_EQ(engine->Records().Read(1, stored), 1);
  engine->Strings().SetTextReference("Stored Title", 4, stored.title);
  ASSERT_EQ(engine->Records().Write(1, stored), 1);
  CEventTypeRecord read;
  ASSERT_EQ(engine->Calls().O3_GetRecord(1, db::kEventType, &read), 1);
  EXPECT_EQ(read.title, CustomEventTable().GetAt(0)->title);
  // Without a tag the stored title counts.
  stored.tag.fill(0);
  ASSERT_EQ(engine->Records().Write(1, stored), 1);
  ASSERT_EQ(engine->Calls().O3_GetRecord(1, db::kEventType, &read), 1);
  EXPECT_EQ(read.title, "Stored Title");
  FreeCustomEventTable();
}

TEST_F(OpenTest, FileOptionsAndFlag) {
  FileOptions o;
  o.logChanges = true;
  o.optionC = 7;
  o.optionE = 99;
  AppFileOptions app;
  app.appendValue = 2;
  app.capSurname = true;
  ASSERT_EQ(engine->Settings().SetFileOptions(o, app), 1);
  EXPECT_EQ(FileBytes(orv::kHeadAppendLetter, 1)[0], 'I');
  EXPECT_EQ(engine->Settings().SetFileOption(1, 1), 1);
  EXPECT_EQ(engine->Settings().GetFileOption(1), 1);
  EXPECT_EQ(engine->Settings().GetFileOption(2), 0);
  ASSERT_EQ(OpenAgain(false), 1);
  EXPECT_FALSE(host->logChanges);
  const FileOptions back = engine->Settings().GetFileOptions();
  EXPECT_TRUE(back.logChanges);
  EXPECT_TRUE(host->logChanges);
  EXPECT_EQ(back.optionC, 7);
  EXPECT_EQ(back.optionE, 99);
  EXPECT_EQ(back.optionD, 10);
  EXPECT_EQ(engine->Settings().GetFileOption(1), 1);
}

TEST_F(OpenTest, ProbeDescribesAFamilyFileWithoutOpeningIt) {
  ASSERT_GT(engine->Calls().AddRecord(db::kIndividual, false), 0);
  std::int32_t rin = -1, mrin = -1;
  std::string title;
  std::uint64_t length = 0;
  EXPECT_EQ(ORV3::ProbeFamilyFile(path, rin, mrin, title, length), 101);
  EXPECT_EQ(rin, 1);
  EXPECT_EQ(mrin, 0);
  EXPECT_EQ(title, "Family");
  EXPECT_GT(length, 20000u);
  int cause = 0;
  EXPECT_EQ(ORV3::ProbeFamilyFile(dir.File("none.orv"), rin, mrin, title, length, &cause), 0);
  EXPECT_NE(cause, 0);
}

TEST_F(OpenTest, NotAFamilyFileFailsWithTheMessage) {
  PokeFile(0, {'X', 'Y', 'Z', 0});
  EXPECT_EQ(OpenAgain(true), -1);
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls().back().text, res::LoadString(res::kIdsNotAnOrvFile));
}

}  // namespace
