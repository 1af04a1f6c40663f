#include "IndividualDelete.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyWorkout.h"
#include "IndividualRecord.h"
#include "KilledCalls.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"

using namespace shell;

namespace {

class IndividualDeleteTest : public OpenFamilyFixture {
 protected:
  static std::int32_t Person(const char* given) {
    CIndividualRecord person;
    person.surname = "Moss";
    person.givenNames[0] = given;
    person.sex = 'M';
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  static bool Live(std::int32_t rin) { return DbIsRecordDeleted(db::kIndividual, rin) != 1; }
};

TEST_F(IndividualDeleteTest, RootAfterDeletingTheRootIsTheNextLiveOneThenThePreviousThenNone) {
  const std::int32_t a = Person("Al"), b = Person("Bo"), c = Person("Cy"), d = Person("Di");
  // Another individual deleted: the root stays.
  DeleteIndividualRecord(c);
  EXPECT_EQ(PedigreeRootAfterDelete(c, a), a);
  // The root deleted: the next live one after it, skipping the deleted c.
  DeleteIndividualRecord(b);
  EXPECT_FALSE(Live(b));
  EXPECT_EQ(PedigreeRootAfterDelete(b, b), d);
  // The last one deleted: the one before it.
  DeleteIndividualRecord(d);
  EXPECT_EQ(PedigreeRootAfterDelete(d, d), a);
  // Nobody left: the empty chart, never a deleted record.
  DeleteIndividualRecord(a);
  EXPECT_EQ(PedigreeRootAfterDelete(a, a), 0);
}

TEST_F(IndividualDeleteTest, RecordAndLinksGoAndTheFamiliesAreReturned) {
  const std::int32_t father = Person("Ed"), child = Person("Fy"), wife = Person("Gi");
  const std::int32_t parents = DbSetRelation(father, 0, db::kRelHusband, 0);
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, parents), 0);
  const std::int32_t own = DbSetRelation(child, wife, db::kRelHusband, 0);
  ASSERT_GT(own, 0);
  std::vector<std::int32_t> families = DeleteIndividualRecord(child);
  std::sort(families.begin(), families.end());
  std::vector<std::int32_t> expected{parents, own};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(families, expected);
  EXPECT_FALSE(Live(child));
  EXPECT_EQ(DbGetRelationCount(parents, db::kRelChildren, 0, 0), 0);
  EXPECT_EQ(DbGetRelationCount(wife, db::kRelMarriages, 0, 1), 1);  // the marriage is kept
}

// Deleting an individual who is a child and married, killed at any write
// (before it or after half of it): the family opens with him whole and
// linked, or gone; never unlinked but there.
TEST_F(IndividualDeleteTest, KilledAtAnyWriteLeavesTheIndividualLinkedOrGone) {
  ASSERT_TRUE(workout::BuildSmallFamily(*CurrentDatabase->engine));
  DbCloseCurrent();
  const MemoryFile base = MemoryFile::FromFile(family);
  killed::ExpectDbCallsOldOrNew(family, base, [] {
    // 5: a child of marriage 1 and the husband in marriage 3.
    DeleteIndividualRecord(5);
    return DbIsRecordDeleted(db::kIndividual, 5) == 1;
  });
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
}

TEST(IndividualDeleteQuestion, LinesFollowTheLinks) {
  const std::string plain = DeleteIndividualQuestion("Tom Moss", false, 0);
  EXPECT_EQ(plain.rfind("Tom Moss\n\nThis individual will be removed", 0), 0u);
  EXPECT_EQ(plain.find("linked as a child"), std::string::npos);
  EXPECT_EQ(plain.find("marriage(s)"), std::string::npos);
  const std::string both = DeleteIndividualQuestion("Tom Moss", true, 2);
  EXPECT_NE(both.find("\nThe individual is linked as a child.\nThe individual is linked to 2 "
                      "marriage(s)."),
            std::string::npos);
}

}  // namespace
