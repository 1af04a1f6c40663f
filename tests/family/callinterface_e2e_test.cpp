// A family file built, changed and read back through the database calls and
// the record objects alone: individuals, a marriage with children, notes, a
// source with citations, a user event; relinked, reordered and pruned; closed
// and reopened; with the change log the calls and the engine wrote.
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "Clock.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "SourceRecord.h"
#include "TestHelpers.h"
#include "UserEventRecord.h"

namespace {

using List = std::vector<std::int32_t>;

std::string N(std::int32_t n) { return std::to_string(n); }

class CallInterfaceEndToEnd : public OpenFamilyFixture {
 protected:
  static std::int32_t AddPerson(const char* surname, const char* given, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return family::Add(person, 0);
  }
  static std::string NameOf(std::int32_t rin) {
    CIndividualRecord person;
    if (family::Read(person, rin) != 1) return "(none)";
    return person.givenNames[0] + " " + person.surname + " " + person.sex;
  }
  static List Children(std::int32_t mrin) {
    List out;
    DbGetRelation(mrin, db::kRelChildren, 20, out);
    return out;
  }
  static List Marriages(std::int32_t rin) {
    List out;
    DbGetRelationList(out, db::kRelSpouses, 0, rin, 0);
    return out;
  }
};

TEST_F(CallInterfaceEndToEnd, BuildChangeCloseReopen) {
  // Logging is the file's setting; reading the settings switches it.
  FileOptions settings;
  ASSERT_EQ(CurrentDatabase->GetFileSettings(settings), 1);
  EXPECT_FALSE(settings.logChanges);
  settings.logChanges = true;
  ASSERT_EQ(CurrentDatabase->SetFileSettings(settings), 1);
  ASSERT_TRUE(CurrentDatabase->host.logChanges);

  std::string expectedLog;
  auto logged = [&](const std::string& rest) { expectedLog += Line(rest); };

  // Individuals.
  const std::int32_t john = AddPerson("Miller", "John", 'M');
  const std::int32_t mary = AddPerson("Baker", "Mary", 'F');
  const std::int32_t anna = AddPerson("Miller", "Anna", 'F');
  const std::int32_t paul = AddPerson("Miller", "Paul", 'M');
  const std::int32_t carl = AddPerson("Miller", "Carl", 'M');
  const std::int32_t ruth = AddPerson("Stone", "Ruth", 'F');
  const std::int32_t temp = AddPerson("Gone", "Tom", 'M');
  ASSERT_EQ(List({john, mary, anna, paul, carl, ruth, temp}), List({1, 2, 3, 4, 5, 6, 7}));
  for (std::int32_t r = 1; r <= 7; ++r) logged("Add Ind " + N(r));

  // A marriage with three children.
  const std::int32_t m1 = DbSetRelation(john, mary, db::kRelHusband, 0);
  ASSERT_GT(m1, 0);
  logged("Lnk Sp  " + N(john) + " " + N(m1));
  logged("Lnk Sp  " + N(mary) + " " + N(m1));
  for (std::int32_t child : {anna, paul, carl}) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, m1), 0);
    logged("Lnk Ch  " + N(child) + " " + N(m1));
  }
  CMarriageRecord marriage;
  ASSERT_EQ(family::Read(marriage, m1), 1);
  marriage.status = 'D';
  EXPECT_EQ(family::Update(marriage, 0), 1);
  logged("Mod Mar " + N(m1));

  // Notes, with a tagged paragraph replaced and one hidden paragraph.
  EXPECT_GT(DbSetNotes(john, "BIOGRAPHY: Born in a mill.\r\n\r\n~Private.\r\n\r\nLater life.", 0, 0,
                       db::kIndividual),
            0);
  EXPECT_GT(DbReplaceTaggedNote(john, "Grew up in town.", "BIOGRAPHY:", 0, db::kIndividual), 0);
  EXPECT_GT(DbSetNotes(m1, "Married in church.", 0, 0, db::kMarriage), 0);
  EXPECT_GT(DbSetNotes(m1, "Witnesses: two.", 2, 0, db::kMarriage), 0);
  const std::int32_t tempNotes = DbSetNotes(temp, "To be deleted.", 0, 0, db::kIndividual);
  EXPECT_GT(tempNotes, 0);

  // A source with two citations for John.
  CSourceRecord source;
  source.title = "Parish register";
  source.author = "St. Mary";
  const std::int32_t src = DbAddRecord(db::kSource, 0, &source);
  ASSERT_GT(src, 0);
  logged("Add Src Parish register");
  List citations;
  for (const char* page : {"p. 12", "p. 13"}) {
    CCitationRecord citation;
    citation.sourceRin = src;
    citation.ownerLetter = db::kOwnerIndividual;
    citation.ownerNumber = john;
    citation.pageText = page;
    citations.push_back(DbAddRecord(db::kCitation, 0, &citation));
    ASSERT_GT(citations.back(), 0);
  }

  // A user event of a new event type.
  CEventTypeRecord kind;
  kind.title = "Apprenticeship";
  kind.shortTitle = "Apprent";
  const std::int32_t kindNumber = DbAddRecord(db::kEventType, 0, &kind);
  ASSERT_GT(kindNumber, 0);
  CUserEventRecord event(john, db::kOwnerIndividual, kindNumber, 0);
  event.SetDescription("as a miller");
  const long eventNumber = family::Add(event, 0);
  ASSERT_GT(eventNumber, 0);
  EXPECT_EQ(event.GetRecordNumber(), eventNumber);
  ASSERT_GT(DbLinkRecord(static_cast<std::int32_t>(eventNumber), db::kUserEvent, john,
                         db::kOwnerIndividual),
            0);
  EXPECT_EQ(event.GetLabel(), "Apprenticeship");

  // Relink: Carl goes to John's second marriage; reorder; delete.
  const std::int32_t m2 = DbSetRelation(john, ruth, db::kRelHusband, 0);
  ASSERT_GT(m2, 0);
  logged("Lnk Sp  " + N(john) + " " + N(m2));
  logged("Lnk Sp  " + N(ruth) + " " + N(m2));
  EXPECT_EQ(DbMoveChildLink(carl, m1, m2), 1);
  logged("Unl Ch  " + N(carl) + " " + N(m1));
  logged("Lnk Ch  " + N(carl) + " " + N(m2));
  EXPECT_EQ(DbSetOrder(m1, {paul, anna}, db::kRelChildren, 2), 1);
  EXPECT_EQ(DbSetOrder(john, {m2, m1}, db::kRelMarriages, 2), 1);

  CIndividualRecord gone;
  ASSERT_EQ(family::Read(gone, temp), 1);
  EXPECT_EQ(family::Delete(gone), 1);
  logged("Del Ind " + N(temp));
  // Deleting again changes nothing and logs nothing; updating a deleted
  // individual fails and logs nothing.
  EXPECT_EQ(DbDeleteRecord(temp, db::kIndividual), 1);
  EXPECT_EQ(family::Update(gone, 0), 0);
  boxes.Clear();

  const std::string written = Log();
  EXPECT_EQ(written, expectedLog);

  // ---- close and reopen ----
  ASSERT_EQ(DbClose(), 1);
  CurrentDatabase->host.logChanges = false;
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(CurrentDatabase->GetFileSettings(settings), 1);
  EXPECT_TRUE(settings.logChanges);
  EXPECT_TRUE(CurrentDatabase->host.logChanges);

  EXPECT_EQ(NameOf(john), "John Miller M");
  EXPECT_EQ(NameOf(mary), "Mary Baker F");
  EXPECT_EQ(NameOf(ruth), "Ruth Stone F");
  EXPECT_EQ(DbGetSex(anna), 'F');

  // 1 live, 0 deleted or beyond the highest number.
  CIndividualRecord probe;
  EXPECT_EQ(DbGetRecord(john, db::kIndividual, &probe), 1);
  EXPECT_EQ(DbGetRecord(temp, db::kIndividual, &probe), 0);
  EXPECT_EQ(DbGetRecord(99, db::kIndividual, &probe), 0);
  EXPECT_EQ(DbIsRecordDeleted(db::kIndividual, temp), 1);
  EXPECT_EQ(DbIsRecordDeleted(db::kIndividual, john), 0);
  EXPECT_EQ(DbGetRIN(temp, db::kQueryIndividuals, db::kWalkExact), 0);
  EXPECT_EQ(DbGetRIN(temp, db::kQueryIndividuals, db::kWalkPreviousOrSame), ruth);
  EXPECT_EQ(DbGetRIN(temp, db::kQueryIndividuals, db::kWalkNextOrSame), 0);
  EXPECT_EQ(DbGetRIN(1, db::kQueryIndividuals, db::kWalkNext), mary);
  EXPECT_EQ(DbGetRecordCount(db::kIndividual), 7);

  // Families in the orders left.
  List spouses;
  EXPECT_EQ(DbGetRelation(m1, db::kRelSpouses, 2, spouses), 1);
  EXPECT_EQ(spouses, List({john, mary}));
  EXPECT_EQ(DbGetRelation(m2, db::kRelSpouses, 2, spouses), 1);
  EXPECT_EQ(spouses, List({john, ruth}));
  EXPECT_EQ(Children(m1), List({paul, anna}));
  EXPECT_EQ(Children(m2), List({carl}));
  EXPECT_EQ(Marriages(john), List({m2, m1}));
  List parents;
  EXPECT_EQ(DbGetRelationList(parents, db::kRelParents, 4, carl, 0), 1);
  EXPECT_EQ(parents, List({m2}));
  EXPECT_EQ(DbHasParents(carl), 1);
  EXPECT_EQ(DbHasParents(john), 0);
  EXPECT_EQ(DbGetRelationCount(john, db::kRelChildren, 0, 1), 3);
  ASSERT_EQ(family::Read(marriage, m1), 1);
  EXPECT_EQ(marriage.status, 'D');

  // Notes.
  EXPECT_EQ(DbGetNotes(john, 0, db::kIndividual, 0, 1, 0),
            "BIOGRAPHY: Grew up in town.\r\n\r\n~Private.\r\n\r\nLater life.");
  EXPECT_EQ(DbGetNotes(john, 0, db::kIndividual, 0, 0, 0),
            "BIOGRAPHY: Grew up in town.\r\n\r\nLater life.");
  EXPECT_EQ(DbGetTaggedNote(john, "BIOGRAPHY:", 0, 0, db::kIndividual), "Grew up in town.");
  EXPECT_EQ(DbGetNoteTagList(john, 0, db::kIndividual), std::vector<std::string>{"BIOGRAPHY:"});
  const std::int32_t block = DbGetNoteBlock(m1, db::kMarriage);
  ASSERT_GT(block, 0);
  EXPECT_EQ(DbGetNotes(block, 1, db::kMarriage, 0, 1, 0),
            "Married in church.\r\n\r\nWitnesses: two.");
  EXPECT_EQ(DbGetNoteBlock(temp, db::kIndividual), 0);

  // The source and its citations.
  CSourceRecord readSource;
  ASSERT_EQ(DbGetRecord(src, db::kSource, &readSource), 1);
  EXPECT_EQ(readSource.title, "Parish register");
  EXPECT_EQ(readSource.author, "St. Mary");
  List cited;
  EXPECT_EQ(DbGetRinList(cited, db::kCitation, john, db::kOwnerIndividual), 2);
  EXPECT_EQ(cited, citations);
  CCitationRecord second;
  ASSERT_EQ(DbGetRecord(citations[1], db::kCitation, &second), 1);
  EXPECT_EQ(second.pageText, "p. 13");
  EXPECT_EQ(second.sourceRin, src);

  // The user event.
  List events;
  EXPECT_EQ(DbGetRinList(events, db::kUserEvent, john, db::kOwnerIndividual), 1);
  EXPECT_EQ(events, List{static_cast<std::int32_t>(eventNumber)});
  std::string title;
  EXPECT_EQ(DbGetUserEventTitle(events[0], title), 1);
  EXPECT_EQ(title, "Apprenticeship");
  CUserEventRecord readEvent;
  ASSERT_EQ(family::Read(readEvent, events[0]), 1);
  EXPECT_EQ(readEvent.GetDescription(), "as a miller");
  EXPECT_EQ(readEvent.ownerNumber, john);
  ASSERT_NE(readEvent.GetEventType(), nullptr);
  EXPECT_EQ(readEvent.GetEventType()->title, "Apprenticeship");
  std::unique_ptr<CEventTypeRecord> own;
  CEventTypeRecord* handed = readEvent.GetEventType(&own);
  EXPECT_EQ(handed, own.get());
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->shortTitle, "Apprent");
  CEventTypeRecord found;
  EXPECT_EQ(DbFindEventType("Apprenticeship", found), kindNumber);

  EXPECT_TRUE(boxes.Calls().empty());
  // Reading wrote nothing to the log.
  EXPECT_EQ(Log(), written);
}

}  // namespace
