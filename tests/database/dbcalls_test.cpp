// The database calls: the notes filter and note tags, dispatch on the
// database type with the unknown-type numbers, relations through the calls
// with their change-log lines, string stores and name comparison.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ChangeLog.h"
#include "Clock.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "TempDir.h"
#include "TestHelpers.h"
#include "UserEventRecord.h"
#include "WriteFaultRun.h"

namespace fs = std::filesystem;

namespace {

using List = std::vector<std::int32_t>;

}  // namespace

// ---- the notes rules on texts ----

TEST(NotesFilter, ParagraphsByMark) {
  const std::string stored = "Plain one\r\nsecond line\r\n\r\n~hidden\r\n\r\n!marked\r\n\r\nlast";
  const struct {
    bool onlyBang, withTilde, stripMarks;
    const char* result;
  } cases[] = {
      {false, true, false, "Plain one\r\nsecond line\r\n\r\n~hidden\r\n\r\n!marked\r\n\r\nlast"},
      {false, false, false, "Plain one\r\nsecond line\r\n\r\n!marked\r\n\r\nlast"},
      {false, true, true, "Plain one\r\nsecond line\r\n\r\nhidden\r\n\r\nmarked\r\n\r\nlast"},
      {false, false, true, "Plain one\r\nsecond line\r\n\r\nmarked\r\n\r\nlast"},
      {true, false, false, "!marked\r\n\r\n"},
      {true, true, true, "marked\r\n\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FilterNotesText(stored, c.onlyBang, c.withTilde, c.stripMarks), c.result)
        << c.onlyBang << c.withTilde << c.stripMarks;
}

TEST(NotesFilter, NothingLeftGivesEmpty) {
  EXPECT_EQ(FilterNotesText("~only hidden\r\nstill hidden", false, false, false), "");
  EXPECT_EQ(FilterNotesText("no marks\r\n\r\n~x", true, true, false), "");
  // Blank lines before a paragraph go with the decision on the one before.
  EXPECT_EQ(FilterNotesText("A\r\n\r\n~h\r\n\r\n\r\n\r\nB", false, false, false), "A\r\n\r\nB");
}

TEST(NoteTags, TagsAndTaggedParagraphs) {
  const std::string notes =
      "BIOGRAPHY: Born in a mill.\r\n\r\nplain text: no tag\r\n\r\nMILITARY:\r\nServed "
      "1914.\r\n\r\nBIOGRAPHY: Moved to town.\r\nMarried there.\r\n\r\nNOTAG:x";
  EXPECT_EQ(NoteTagsOf(notes), (std::vector<std::string>{"BIOGRAPHY:", "MILITARY:", "BIOGRAPHY:"}));
  EXPECT_EQ(TaggedParagraphs(notes, "BIOGRAPHY:", false),
            "Born in a mill.\r\n\r\nMoved to town.\r\nMarried there.");
  EXPECT_EQ(TaggedParagraphs(notes, "BIOGRAPHY:", true),
            "BIOGRAPHY: Born in a mill.\r\n\r\nBIOGRAPHY: Moved to town.\r\nMarried there.");
  EXPECT_EQ(TaggedParagraphs(notes, "MILITARY:", false), "Served 1914.");
  EXPECT_EQ(TaggedParagraphs(notes, "NOTAG:", false), "");
  EXPECT_EQ(TaggedParagraphs(notes, "BIO", false), "");
}

TEST(NoteTags, ReplaceTaggedParagraphs) {
  const std::string tag = "BIOGRAPHY:";
  const struct {
    const char* notes;
    const char* newText;
    const char* result;
  } cases[] = {
      // The first removed paragraph's place takes the new text.
      {"A\r\n\r\nBIOGRAPHY: old\r\n\r\nB\r\n\r\nBIOGRAPHY: older", "new",
       "A\r\n\r\nBIOGRAPHY: new\r\n\r\nB"},
      {"BIOGRAPHY: old\r\n\r\nB", "new", "BIOGRAPHY: new\r\n\r\nB"},
      {"A\r\n\r\nBIOGRAPHY: old", "new", "A\r\n\r\nBIOGRAPHY: new"},
      // No such paragraph: appended after an empty line.
      {"A", "one\r\n\r\ntwo", "A\r\n\r\nBIOGRAPHY: one\r\n\r\nBIOGRAPHY: two"},
      {"", "new", "BIOGRAPHY: new"},
      // An empty new text only removes.
      {"A\r\n\r\nBIOGRAPHY: old\r\n\r\nB", "", "A\r\n\r\nB"},
      {"BIOGRAPHY: old\r\n\r\nBIOGRAPHY: older", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceTaggedParagraphs(c.notes, c.newText, tag), c.result) << c.notes;
}

TEST(DbHelpers, CapitalizeIfNoCapitals) {
  EXPECT_EQ(CapitalizeIfNoCapitals("smith family"), "Smith family");
  EXPECT_EQ(CapitalizeIfNoCapitals("mcDonald"), "mcDonald");
  EXPECT_EQ(CapitalizeIfNoCapitals(""), "");
}

// ---- dispatch on the database type ----

class DbDispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DbCloseCurrent();
    savedType = CurrentDatabase->type;
  }
  void TearDown() override {
    CurrentDatabase->type = savedType;
    CurrentDatabase->host.logChanges = false;
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (const auto& c : boxes.Calls()) out.push_back(c.text);
    boxes.Clear();
    return out;
  }
  static std::string Unknown(int n) {
    return "File Error\nUnknown File Type (" + std::to_string(n) + ")";
  }

  int savedType = 0;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
};

TEST_F(DbDispatchTest, NoDatabaseGetsTheUnknownTypeBoxAndTheFailureValue) {
  CurrentDatabase->type = CFamilyDatabase::kNoDatabase;
  CIndividualRecord person;
  List list{7, 8};
  std::string text = "x";
  const struct {
    const char* call;
    std::function<long()> run;
    long result;
    int number;
  } cases[] = {
      {"DbGetRecord", [&] { return long{DbGetRecord(1, db::kIndividual, &person)}; }, 0, 15},
      {"DbGetRecordCount", [] { return long{DbGetRecordCount(db::kIndividual)}; }, 0, 6},
      {"DbGetRIN", [] { return long{DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame)}; }, 0,
       5},
      {"DbGetMaxRecordCount", [] { return long{DbGetMaxRecordCount(db::kIndividual)}; }, 0, 5},
      {"DbGetRelationList", [&] { return long{DbGetRelationList(list, db::kRelSpouses, 0, 1, 0)}; },
       0, 8},
      {"DbGetRinList",
       [&] { return long{DbGetRinList(list, db::kCitation, 1, db::kOwnerIndividual)}; }, 0, 9},
      {"DbSetRinList",
       [&] { return long{DbSetRinList(list, db::kUserEvent, 1, db::kOwnerIndividual)}; }, 0, 10},
      {"DbLinkRecord", [] { return long{DbLinkRecord(1, db::kMarriage, 1, db::kOwnerIndividual)}; },
       0, 11},
      {"DbUnLinkRecord",
       [] { return long{DbUnLinkRecord(1, db::kCitation, 1, db::kOwnerIndividual)}; }, 0, 12},
      {"DbGetIndividualRecord", [&] { return long{DbGetIndividualRecord(1, person, 1)}; }, 0, 13},
      {"DbGetUserEventTitle", [&] { return long{DbGetUserEventTitle(1, text)}; }, 0, 16},
      {"DbGetRelation", [&] { return long{DbGetRelation(1, db::kRelSpouses, 2, list)}; }, 0, 17},
      {"DbHasChildren", [] { return long{DbHasChildren(1, db::kIndividual)}; }, 0, 20},
      {"DbAddRecord", [&] { return long{DbAddRecord(db::kIndividual, 0, &person)}; }, 0, 22},
      {"DbUpdateRecord", [&] { return long{DbUpdateRecord(1, db::kIndividual, &person)}; }, 0, 24},
      {"DbDeleteRecord", [] { return long{DbDeleteRecord(1, db::kIndividual)}; }, 0, 25},
      {"DbSetRelation", [] { return long{DbSetRelation(1, 2, db::kRelHusband, 0)}; }, 0, 26},
      {"DbUnSetRelation", [] { return long{DbUnSetRelation(1, 2, db::kRelHusband)}; }, 0, 27},
      {"DbUnlinkRIN", [] { return long{DbUnlinkRIN(1, db::kIndividual)}; }, 0, 29},
      {"DbSetNotes", [] { return long{DbSetNotes(1, "x", 0, 0, db::kIndividual)}; }, 0, 31},
      {"DbSetOrder", [&] { return long{DbSetOrder(1, list, db::kRelChildren, 2)}; }, 0, 36},
      {"DbFindOrAddString", [&] { return long{DbFindOrAddString("x", 0, text)}; }, 0, 38},
      {"DbAlphaCompare", [] { return long{DbAlphaCompare("a", "a", 0)}; }, -1, 45},
      {"GetFileOption", [] { return long{CurrentDatabase->GetFileOption(1)}; }, 0, 48},
      {"DbGetNameTreeLinks",
       [] {
         std::int32_t lesser = 7, greater = 7;
         const int r = DbGetNameTreeLinks(1, lesser, greater);
         return lesser == 0 && greater == 0 ? long{r} : -99L;
       },
       0, 50},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.run(), c.result) << c.call;
    EXPECT_EQ(Texts(), std::vector<std::string>{Unknown(c.number)}) << c.call;
  }
  EXPECT_EQ(DbGetNotes(1, 0, db::kIndividual, 0, 1, 0), "");
  EXPECT_EQ(Texts(), std::vector<std::string>{Unknown(30)});
  EXPECT_EQ(DbGetFormatVersion(), "");
  EXPECT_EQ(Texts(), std::vector<std::string>{Unknown(6)});

  // Silent ones.
  EXPECT_EQ(DbGetRelationCount(1, db::kRelSpouses, 0, 1), -1);
  CEventTypeRecord eventType;
  EXPECT_EQ(DbFindEventType("Immigration", eventType), 0);
  EXPECT_EQ(DbSetIndividualUpdateTime(1, db::kIndividual, 5), 0);
  DbFlush();
  EXPECT_TRUE(Texts().empty());
}

TEST_F(DbDispatchTest, OldFormatRefusals) {
  CurrentDatabase->type = CFamilyDatabase::kOldFormat;
  CurrentDatabase->host.logChanges = true;
  CIndividualRecord person;
  EXPECT_EQ(DbSetRinList({1}, db::kRelChildren, 1, db::kOwnerMarriage), -1);
  EXPECT_EQ(DbGetRelationCount(1, db::kRelChildren, 0, 0), -1);
  FileOptions settings;
  EXPECT_EQ(CurrentDatabase->GetFileSettings(settings), 0);
  EXPECT_TRUE(Texts().empty());

  // An add on the old format gives 0 and no log line, logging or not.
  EXPECT_EQ(DbAddRecord(db::kIndividual, 0, &person), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{Unknown(22)});

  CurrentDatabase->host.highestIndividual = 42;
  EXPECT_EQ(DbGetMaxRecordCount(db::kIndividual), 42);
  EXPECT_EQ(DbGetMaxRecordCount('x'), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Bad Type");
  EXPECT_EQ(boxes.Calls()[0].caption, "DllGetMaxRecordCount");
  boxes.Clear();
  CurrentDatabase->host.highestIndividual = 0;

  // No type dispatch: the same answer on either format.
  for (int type : {CFamilyDatabase::kOldFormat, CFamilyDatabase::kCurrentFormat}) {
    CurrentDatabase->type = type;
    EXPECT_EQ(DbGetActiveRecordCount(db::kSource), -1);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].caption, "DllGetActiveRecordCount");
    boxes.Clear();
  }
}

// ---- calls on an open family file ----

class DbCallsTest : public OpenFamilyFixture {
 protected:
  // A new empty individual made by the engine.
  std::int32_t NewPerson() {
    return CurrentDatabase->engine->Records().NewRecord(orv::RecordKind::Individual, false);
  }
};

TEST_F(DbCallsTest, RelationsThroughTheCallsWithTheirLogLines) {
  const std::int32_t husband = NewPerson(), wife = NewPerson(), child = NewPerson(),
                     orphan = NewPerson();
  CurrentDatabase->host.logChanges = true;

  const std::int32_t m = DbSetRelation(husband, wife, db::kRelHusband, 0);
  ASSERT_GT(m, 0);
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, m), 0);
  // A family link without parents.
  ASSERT_GT(DbSetRelation(orphan, 0, db::kRelParents, -1), 0);

  List out;
  EXPECT_EQ(DbGetRelation(m, db::kRelSpouses, 2, out), 1);
  EXPECT_EQ(out, (List{husband, wife}));
  EXPECT_EQ(DbGetRelation(m, db::kRelChildren, 5, out), 1);
  EXPECT_EQ(out, (List{child}));
  EXPECT_EQ(DbGetRelationCount(husband, db::kRelMarriages, 0, 1), 1);
  EXPECT_EQ(DbGetRelationCount(m, db::kRelChildren, 0, 0), 1);
  EXPECT_EQ(DbHasChildren(wife, db::kIndividual), 1);
  EXPECT_EQ(DbFindChildWithChildren(husband, m), child);

  List parents{99};
  EXPECT_EQ(DbGetRelationList(parents, db::kRelParents, 4, child, 0), 1);
  EXPECT_EQ(parents, (List{m}));
  EXPECT_EQ(DbGetRelationList(parents, db::kRelParents, 4, orphan, 0), 0);
  EXPECT_TRUE(parents.empty());

  EXPECT_EQ(Log(), Line("Lnk Sp  " + std::to_string(husband) + " " + std::to_string(m)) +
                       Line("Lnk Sp  " + std::to_string(wife) + " " + std::to_string(m)) +
                       Line("Lnk Ch  " + std::to_string(child) + " " + std::to_string(m)));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(DbCallsTest, RelationChainsComeWithoutThePaddingOfACount) {
  const std::int32_t husband = NewPerson(), first = NewPerson(), second = NewPerson(),
                     child = NewPerson(), orphan = NewPerson();
  const std::int32_t m1 = DbSetRelation(husband, first, db::kRelHusband, 0);
  const std::int32_t m2 = DbSetRelation(husband, second, db::kRelHusband, 0);
  ASSERT_GT(m1, 0);
  ASSERT_GT(m2, 0);
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, m1), 0);
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, m2), 0);
  ASSERT_GT(DbSetRelation(orphan, 0, db::kRelParents, -1), 0);

  // A count pads the marriages with zeros; the chain is just the marriages.
  List padded;
  ASSERT_EQ(DbGetRelation(husband, db::kRelMarriages, 4, padded), 1);
  EXPECT_EQ(padded, (List{m1, m2, 0, 0}));

  const std::int32_t absent = orphan + 100;
  const struct {
    std::int32_t rin;
    int relation;
    List chain;
  } cases[] = {
      {husband, db::kRelMarriages, {m1, m2}},
      {second, db::kRelMarriages, {m2}},
      {child, db::kRelMarriages, {}},
      {absent, db::kRelMarriages, {}},
      {child, db::kRelParents, {m1, m2}},
      {orphan, db::kRelParents, {}},  // a link without parents names no family
      {absent, db::kRelParents, {}},
      {m1, db::kRelChildren, {child}},
      {m2, db::kRelChildren, {child}},
      {m2 + 100, db::kRelChildren, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DbGetRelationChain(c.rin, c.relation), c.chain)
        << "record " << c.rin << ", relation " << c.relation;
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(DbCallsTest, LinkAndUnlinkLogOnlyWhatSucceeded) {
  const std::int32_t a = NewPerson(), b = NewPerson(), c = NewPerson();
  const std::int32_t m = DbSetRelation(a, b, db::kRelHusband, 0);
  ASSERT_GT(m, 0);
  CurrentDatabase->host.logChanges = true;

  // The marriage goes into c's spouse chain: the engine's spouse line, then
  // the call's marriage line with the owner.
  EXPECT_GT(DbLinkRecord(m, db::kMarriage, c, db::kOwnerIndividual, 0, 1), 0);
  const std::string linked = Log();
  EXPECT_NE(linked.find("Lnk Mar " + std::to_string(m) + " " + std::to_string(c) + "\r\n"),
            std::string::npos)
      << linked;

  // A citation that is in no chain cannot be unlinked: no line.
  EXPECT_EQ(DbUnLinkRecord(1, db::kCitation, a, db::kOwnerIndividual), 0);
  // Nothing to unlink for another type (the engine says so).
  EXPECT_EQ(DbUnLinkRecord(m, db::kMarriage, a, db::kOwnerIndividual), 0);
  EXPECT_EQ(Log(), linked);
}

// A user event moved to another owner answers 1 only when it has left the
// old owner's chain for the new one's; an owner or event that is not live
// answers 0 and leaves the chains, and so does a write that fails.
TEST_F(DbCallsTest, MoveUserEventAnswersWhetherTheEventMoved) {
  const std::int32_t from = NewPerson(), to = NewPerson();
  CUserEventRecord record(from, db::kOwnerIndividual, 0, 0);
  const std::int32_t event = DbAddRecord(db::kUserEvent, 0, &record);
  ASSERT_GT(event, 0);
  ASSERT_GT(DbLinkRecord(event, db::kUserEvent, from, db::kOwnerIndividual), 0);
  const auto chains = [&] {
    List a, b;
    DbGetRinList(a, db::kUserEvent, from, db::kOwnerIndividual);
    DbGetRinList(b, db::kUserEvent, to, db::kOwnerIndividual);
    return std::make_pair(a, b);
  };
  ASSERT_EQ(chains(), std::make_pair(List{event}, List{}));
  const auto move = [&] { return DbMoveUserEvent(event, 0, to, from, db::kOwnerIndividual); };
  ExpectDoneIsOnTheFile(family, move, 1, [&] {
    const auto [a, b] = chains();
    return ::testing::PrintToString(a) + " " + ::testing::PrintToString(b);
  });

  const struct {
    const char* what;
    std::int32_t event, owner;
    int answer;
    List fromChain, toChain;
  } cases[] = {
      {"to an owner that is not live", event, to + 100, 0, {event}, {}},
      {"an event that is not live", event + 100, to, 0, {event}, {}},
      {"to a live owner", event, to, 1, {}, {event}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DbMoveUserEvent(c.event, 0, c.owner, from, db::kOwnerIndividual), c.answer);
    EXPECT_EQ(chains(), std::make_pair(c.fromChain, c.toChain));
  }
}

TEST_F(DbCallsTest, OrderOfChildren) {
  const std::int32_t a = NewPerson(), b = NewPerson();
  const std::int32_t m = DbSetRelation(a, b, db::kRelHusband, 0);
  List kids;
  for (int i = 0; i < 3; ++i) {
    kids.push_back(NewPerson());
    ASSERT_GT(DbSetRelation(kids.back(), 0, db::kRelParents, m), 0);
  }
  List out;
  const List reversed{kids[2], kids[1], kids[0]};
  EXPECT_EQ(DbSetOrder(m, reversed, db::kRelChildren, 3), 1);
  DbGetRelation(m, db::kRelChildren, 10, out);
  EXPECT_EQ(out, reversed);
  // count limits the list: two of three is not a permutation, nothing changes.
  EXPECT_EQ(DbSetOrder(m, kids, db::kRelChildren, 2), 0);
  DbGetRelation(m, db::kRelChildren, 10, out);
  EXPECT_EQ(out, reversed);
  // Moving a child of another marriage is refused.
  const std::int32_t other = DbSetRelation(NewPerson(), NewPerson(), db::kRelHusband, 0);
  EXPECT_EQ(DbMoveChildLink(kids[0], other, m), -1);
  EXPECT_EQ(DbMoveChildLink(kids[0], m, other), 1);
  DbGetRelation(other, db::kRelChildren, 10, out);
  EXPECT_EQ(out, List{kids[0]});
}

TEST_F(DbCallsTest, StringStoresAndNameOrder) {
  std::string stored;
  EXPECT_EQ(DbFindOrAddString("", 2, stored), 0);
  const std::int32_t boston = DbFindOrAddString("Boston", 2, stored);
  ASSERT_GT(boston, 0);
  EXPECT_EQ(stored, "Boston");
  EXPECT_EQ(DbFindOrAddString("Boston", 2, stored), boston);
  EXPECT_EQ(DbGetString(boston, stored), 1);
  EXPECT_EQ(stored, "Boston");
  EXPECT_EQ(DbFindString("Boston", 2, stored), 1);
  EXPECT_EQ(DbFindString("Salem", 2, stored), 0);
  EXPECT_EQ(DbGetString(0, stored), 0);
  EXPECT_EQ(stored, "");

  EXPECT_LT(DbAlphaCompare("Adams", "Baker", 0), 0);
  EXPECT_GT(DbAlphaCompare("Baker", "Adams", 0), 0);
  EXPECT_EQ(DbAlphaCompare("  Adams\t", "Adams", 1), 0);
  EXPECT_NE(DbAlphaCompare("  Adams\t", "Adams", 0), 0);
}

TEST_F(DbCallsTest, CountsBatchAndVersion) {
  EXPECT_EQ(DbGetFormatVersion(), "400");
  EXPECT_EQ(DbGetRecordCount(db::kIndividual), 0);
  NewPerson();
  NewPerson();
  EXPECT_EQ(DbGetRecordCount(db::kIndividual), 2);
  EXPECT_EQ(DbGetMaxRecordCount(db::kIndividual), 2);
  DbBeginBatch();
  EXPECT_TRUE(CurrentDatabase->engine->Blocks().InBatch());
  DbFlush();
  EXPECT_EQ(DbEndBatch(), 1);
  EXPECT_FALSE(CurrentDatabase->engine->Blocks().InBatch());
  EXPECT_EQ(CurrentDatabase->GetFamilyName(), family);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(DbCallsTest, FileSettingsSwitchLogging) {
  FileOptions settings;
  CurrentDatabase->host.logChanges = true;
  ASSERT_EQ(CurrentDatabase->GetFileSettings(settings), 1);
  EXPECT_FALSE(settings.logChanges);
  EXPECT_FALSE(CurrentDatabase->host.logChanges);
  NewPerson();
  EXPECT_GT(DbSetRelation(1, 0, db::kRelParents, 0), 0);
  EXPECT_FALSE(fs::exists(log));

  settings.logChanges = true;
  settings.optionA = 12;  // the home person
  ASSERT_EQ(CurrentDatabase->SetFileSettings(settings), 1);
  EXPECT_TRUE(CurrentDatabase->host.logChanges);
  DbCloseCurrent();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  FileOptions again;
  ASSERT_EQ(CurrentDatabase->GetFileSettings(again), 1);
  EXPECT_TRUE(again.logChanges);
  EXPECT_EQ(again.optionA, 12);
  EXPECT_TRUE(CurrentDatabase->host.logChanges);

  EXPECT_EQ(CurrentDatabase->GetFileOption(1), 0);
  EXPECT_EQ(CurrentDatabase->SetFileOption(1, 1), 1);
  EXPECT_EQ(CurrentDatabase->GetFileOption(1), 1);
}

// Whether changes are logged is the open file's own setting, whichever file
// was open before it.
TEST_F(DbCallsTest, EachOpenLogsAsItsOwnFileSays) {
  FileOptions on;
  on.logChanges = true;
  ASSERT_EQ(CurrentDatabase->SetFileSettings(on), 1);
  DbCloseCurrent();
  const std::string other = dir.File("other.orv");
  const std::string otherLog = dir.File("other.orl");
  ASSERT_EQ(DbCreate(other, CFamilyDatabase::kCurrentFormat), 1);

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_EQ(DbOpen(other, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_FALSE(CurrentDatabase->host.logChanges);
    EXPECT_GT(DbSetRelation(NewPerson(), 0, db::kRelParents, 0), 0);
    DbCloseCurrent();
    EXPECT_FALSE(fs::exists(otherLog));

    const std::string before = fs::exists(log) ? Log() : std::string();
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_TRUE(CurrentDatabase->host.logChanges);
    EXPECT_GT(DbSetRelation(NewPerson(), 0, db::kRelParents, 0), 0);
    DbCloseCurrent();
    ASSERT_TRUE(fs::exists(log));
    EXPECT_GT(Log().size(), before.size());
  }
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
}

TEST_F(DbCallsTest, NotesCallsOnRecordsAndBlocks) {
  const std::int32_t rin = NewPerson();
  EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0), "");
  EXPECT_EQ(DbGetNoteBlock(rin, db::kIndividual), 0);
  // Mode 2 on a record without notes acts as an append to nothing.
  const std::int32_t block = DbSetNotes(rin, "~Only hidden.", 2, 0, db::kIndividual);
  ASSERT_GT(block, 0);
  EXPECT_EQ(DbGetNoteBlock(rin, db::kIndividual), block);
  EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0), "~Only hidden.");
  EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 0, 0), "");
  EXPECT_EQ(DbSetNotes(block, "!Marked.", 2, 1, db::kIndividual), block);
  EXPECT_EQ(DbGetNotes(block, 1, db::kIndividual, 1, 0, 1), "Marked.");
  EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0), "~Only hidden.\r\n\r\n!Marked.");

  // Tagged paragraphs replaced until nothing is left: the notes go.
  EXPECT_EQ(DbReplaceTaggedNote(rin, "First.\r\n\r\nSecond.", "MILITARY:", 0, db::kIndividual),
            block);
  EXPECT_EQ(DbGetTaggedNote(rin, "MILITARY:", 1, 0, db::kIndividual),
            "MILITARY: First.\r\n\r\nMILITARY: Second.");
  EXPECT_EQ(DbReplaceTaggedNote(rin, "", "MILITARY:", 0, db::kIndividual), block);
  EXPECT_EQ(DbGetNoteTagList(rin, 0, db::kIndividual), std::vector<std::string>{});
  ASSERT_GT(DbSetNotes(rin, "BIOGRAPHY: One.\r\n\r\nBIOGRAPHY: Two.", 0, 0, db::kIndividual), 0);
  EXPECT_EQ(DbReplaceTaggedNote(rin, "", "BIOGRAPHY:", 0, db::kIndividual), 0);
  EXPECT_EQ(DbGetNoteBlock(rin, db::kIndividual), 0);
  EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0), "");

  EXPECT_GT(DbSetNotes(rin, "Again.", 0, 0, db::kIndividual), 0);
  EXPECT_EQ(DbDeleteNotes(rin, db::kIndividual), 1);
  EXPECT_EQ(DbGetNoteBlock(rin, db::kIndividual), 0);
  EXPECT_TRUE(boxes.Calls().empty());
}
