// Creation and change stamps of individuals written after 2038 read back as
// the times they were written and order after earlier ones.
#include <gtest/gtest.h>

#include "DbCalls.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "TimeStamp.h"

namespace {

class StampsAfter2038Test : public OpenFamilyFixture {
 protected:
  std::time_t Today() const override { return LocalTimeOf(2050, 6, 15, 9, 30); }
};

TEST_F(StampsAfter2038Test, IndividualStampsRoundTrip) {
  CIndividualRecord person;
  person.surname = "Late";
  const std::int32_t rin = DbAddRecord(db::kIndividual, 0, &person);
  ASSERT_GT(rin, 0);
  CIndividualRecord read;
  ASSERT_EQ(DbGetIndividualRecord(rin, read, 1), 1);
  EXPECT_EQ(StampToTime(read.numbers[CIndividualRecord::kCreatedStamp]), Today());
  EXPECT_EQ(StampToTime(read.numbers[CIndividualRecord::kUpdatedStamp]), Today());

  // An update in 2051 keeps the creation stamp and moves the change stamp on.
  const std::time_t later = LocalTimeOf(2051, 1, 2, 10, 0);
  plat::SetFixedTime(later);
  read.surname = "Later";
  ASSERT_EQ(DbUpdateRecord(rin, db::kIndividual, &read), 1);
  CIndividualRecord again;
  ASSERT_EQ(DbGetIndividualRecord(rin, again, 1), 1);
  EXPECT_EQ(StampToTime(again.numbers[CIndividualRecord::kCreatedStamp]), Today());
  EXPECT_EQ(StampToTime(again.numbers[CIndividualRecord::kUpdatedStamp]), later);
  const std::int32_t in2030 = TimeToStamp(LocalTimeOf(2030, 1, 1, 0, 0));
  EXPECT_EQ(CompareStamps(again.numbers[CIndividualRecord::kUpdatedStamp], in2030), 1);
}

}  // namespace
