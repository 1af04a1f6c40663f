// Record objects read, added, updated and deleted through the database calls
// by their own type and number, and what the change log keeps of it.
#include <gtest/gtest.h>

#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "UserEventRecord.h"

namespace {

class RecordAccessTest : public OpenFamilyFixture {
 protected:
};

TEST_F(RecordAccessTest, FailedChangesReportFailureAndWriteNoLine) {
  CurrentDatabase->host.logChanges = true;
  CMarriageRecord marriage;
  const std::int32_t m = static_cast<std::int32_t>(family::Add(marriage, 0));
  ASSERT_GT(m, 0);
  marriage.numbers[CMarriageRecord::kMrin] = m;
  const std::string added = Line("Add Mar " + std::to_string(m));
  EXPECT_EQ(Log(), added);

  // The family file can no longer be written underneath the engine.
  auto& file = CurrentDatabase->host.file;
  file.Close();
  ASSERT_EQ(file.Open(family, plat::FileHandle::Access::ReadOnly), 0);
  marriage.status = 'D';
  EXPECT_EQ(family::Update(marriage, 0), 0);
  EXPECT_EQ(family::Delete(marriage), 0);
  EXPECT_EQ(DbDeleteRecord(m, db::kMarriage), 0);
  EXPECT_EQ(Log(), added);
  EXPECT_FALSE(boxes.Calls().empty());
  boxes.Clear();
  file.Close();
  ASSERT_EQ(file.Open(family, plat::FileHandle::Access::ReadWrite), 0);

  // A record that is not live: the update fails, a delete changes nothing.
  CIndividualRecord nobody;
  nobody.numbers[CIndividualRecord::kRin] = 5;
  EXPECT_EQ(family::Update(nobody, 0), 0);
  EXPECT_EQ(family::Delete(nobody), 1);
  boxes.Clear();
  // A type the engine does not delete.
  EXPECT_EQ(DbDeleteRecord(1, db::kPreparer), 0);
  boxes.Clear();
  EXPECT_EQ(Log(), added);

  // What succeeds is logged.
  EXPECT_EQ(family::Update(marriage, 0), 1);
  EXPECT_EQ(family::Delete(marriage), 1);
  EXPECT_EQ(Log(),
            added + Line("Mod Mar " + std::to_string(m)) + Line("Del Mar " + std::to_string(m)));
  EXPECT_EQ(family::Read(marriage, m), 0);
}

TEST_F(RecordAccessTest, RecordObjectsAndTheirNumbers) {
  // An individual's Add hands the number back and leaves the object's own.
  CIndividualRecord person;
  person.surname = "Hall";
  person.numbers[CIndividualRecord::kRin] = 77;
  const long rin = family::Add(person, 0);
  EXPECT_EQ(rin, 1);
  EXPECT_EQ(person.numbers[CIndividualRecord::kRin], 77);

  // A family link keeps the number it was given.
  CFamilyLinkRecord link;
  const long number = family::Add(link, 0);
  ASSERT_GT(number, 0);
  EXPECT_EQ(link.GetRecordNumber(), number);

  // A user event without an event type is titled "Christening".
  CUserEventRecord event(rin, db::kOwnerIndividual, 0, 0);
  const long eventNumber = family::Add(event, 0);
  ASSERT_GT(eventNumber, 0);
  std::string title;
  EXPECT_EQ(DbGetUserEventTitle(static_cast<std::int32_t>(eventNumber), title), 1);
  EXPECT_EQ(title, "Christening");
  EXPECT_EQ(event.GetLabel(), "");
  EXPECT_EQ(event.GetEventType(), nullptr);
  EXPECT_EQ(DbGetUserEventTitle(static_cast<std::int32_t>(eventNumber) + 5, title), 0);
  EXPECT_EQ(title, "");
  EXPECT_TRUE(boxes.Calls().empty());
}

}  // namespace
