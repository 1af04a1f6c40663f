// A merge of two individuals killed at any of its writes, before the write
// or after half of it: the family opens again with both individuals as they
// were, or with the merge done; never a parent link or marriage lost on the
// way.

#include <gtest/gtest.h>

#include "DbCalls.h"
#include "FamilyWorkout.h"
#include "KilledCalls.h"
#include "MergeIndividuals.h"
#include "OpenFamilyFixture.h"

namespace {

class MergeKilledTest : public OpenFamilyFixture {};

TEST_F(MergeKilledTest, LeavesBothAsTheyWereOrTheMergeDone) {
  // The sample family, and 8 (a child of marriage 2 and wife in marriage 3)
  // also the wife of 1 in marriage 4: merged into 6, a child of marriage 1.
  ASSERT_TRUE(workout::BuildSmallFamily(*CurrentDatabase->engine));
  ASSERT_EQ(DbSetRelation(1, 8, db::kRelHusband, 0), 4);
  ASSERT_EQ(DbSetNotes(8, "Notes of the duplicate.", 0, 0, db::kIndividual) != 0, true);
  DbCloseCurrent();
  const MemoryFile base = MemoryFile::FromFile(family);
  MergeChoices choices;
  choices.parents = true;
  MatchOptions options;
  options.mrgCitations = true;
  killed::ExpectDbCallsOldOrNew(family, base,
                                [&] { return MergeIndividuals(6, 8, choices, options) == 1; });
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
}

}  // namespace
