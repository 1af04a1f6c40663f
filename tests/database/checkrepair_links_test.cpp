// Check/Repair of links that only one side knows, as a change stopped
// between its writes leaves them: a report-only check names each, one
// repair gives the missing side the link (nobody leaves a family the other
// side still shows), and a second check finds nothing.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyWorkout.h"
#include "KilledCalls.h"
#include "OpenFamilyFixture.h"
#include "TestHelpers.h"

using orv::RecordKind;

namespace {

// Fields of the stored records.
constexpr int kPersonFirstMarriage = 218, kPersonFirstParentLink = 222;
constexpr int kMarriageWife = 9, kMarriageHusbandNext = 77;
constexpr int kLinkMarriage = 1, kLinkNextInMarriage = 5;

struct OneSided {
  const char* name;
  // Makes the fault in the open family (sample family plus marriage 4 of 1
  // and 8, second in 1's chain); the line a check writes for it.
  std::function<std::string(ORV3&)> make;
};

std::int32_t I32(ORV3& e, RecordKind kind, std::int32_t r, int offset) {
  std::vector<std::uint8_t> buf(orv::LayoutOf(kind).size);
  e.Records().ReadRaw(kind, r, buf.data());
  return orv::GetI32(buf.data() + offset);
}

void Poke(ORV3& e, RecordKind kind, std::int32_t r, int offset, std::int32_t value) {
  std::vector<std::uint8_t> buf(orv::LayoutOf(kind).size);
  ASSERT_EQ(e.Records().ReadRaw(kind, r, buf.data()), 1);
  orv::PutI32(buf.data() + offset, value);
  ASSERT_EQ(e.Records().WriteRaw(kind, r, buf.data()), 1);
}

// The family link of individual 6 (the last child of marriage 1).
std::int32_t LinkOfSix(ORV3& e) {
  return I32(e, RecordKind::Individual, 6, kPersonFirstParentLink);
}

const std::vector<OneSided>& Faults() {
  static const std::vector<OneSided> faults = {
      {"a parent link that its family does not list",
       [](ORV3& e) {
         // Marriage 1's children ring closes after child 5.
         const std::int32_t first = I32(e, RecordKind::Marriage, 1, 13);
         Poke(e, RecordKind::FamilyLink, first, kLinkNextInMarriage, first);
         return "Individual 6 has marriage 1 as parents (family link " +
                std::to_string(LinkOfSix(e)) + ") but the marriage does not list the child.";
       }},
      {"a family listing a child whose parent links lack it",
       [](ORV3& e) {
         const std::int32_t link = LinkOfSix(e);
         Poke(e, RecordKind::Individual, 6, kPersonFirstParentLink, 0);
         return "Marriage 1 lists child 6 (family link " + std::to_string(link) +
                ") but the child's parent links do not name the marriage.";
       }},
      {"a family listing a child whose link names another family",
       [](ORV3& e) {
         Poke(e, RecordKind::FamilyLink, LinkOfSix(e), kLinkMarriage, 2);
         return std::string(
             "Marriage 1 points to family link for child 6 but the link doesn't "
             "point to marriage.");
       }},
      {"a wife whose marriages lack her marriage",
       [](ORV3& e) {
         Poke(e, RecordKind::Individual, 4, kPersonFirstMarriage, 0);
         return std::string("Marriage 2 points to wife but wife doesn't point to marriage.");
       }},
      {"a husband whose second marriage is off his chain",
       [](ORV3& e) {
         Poke(e, RecordKind::Marriage, 1, kMarriageHusbandNext, 0);
         return std::string("Marriage 4 points to husband but husband doesn't point to marriage.");
       }},
      {"a marriage chain reaching a marriage that does not name the wife",
       [](ORV3& e) {
         Poke(e, RecordKind::Marriage, 2, kMarriageWife, 0);
         return std::string("Individual 4 marriage chain bad in MRIN 2.");
       }},
  };
  return faults;
}

class OneSidedLinkTest : public OpenFamilyFixture, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    ASSERT_TRUE(workout::BuildSmallFamily(Engine()));
    ASSERT_EQ(Engine().Families().DLLSETORV3RELATION(1, 8, db::kRelHusband, 0), 4);
  }
  ORV3& Engine() { return *CurrentDatabase->engine; }
  unsigned long Check(int repair) {
    CDatabaseChecker checker(family, report, *CurrentDatabase, repair);
    EXPECT_EQ(checker.Run(), 1);
    checker.Finish();
    return checker.ProblemCount();
  }
  std::string report = dir.File("family.rpt");
};

TEST_P(OneSidedLinkTest, IsFoundAndOneRepairGivesBothSidesTheLink) {
  const OneSided& fault = Faults()[static_cast<std::size_t>(GetParam())];
  const std::string before = killed::FamilyState(Engine());
  const std::string line = fault.make(Engine());
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_NE(killed::FamilyState(Engine()), before) << "the fault changes nothing";

  EXPECT_GE(Check(0), 1u);
  EXPECT_NE(ReadAll(report).find(line), std::string::npos) << ReadAll(report);
  EXPECT_GE(Check(1), 1u);
  EXPECT_EQ(Check(0), 0u) << ReadAll(report);
  EXPECT_EQ(killed::FamilyState(Engine()), before);
}

std::string FaultName(const ::testing::TestParamInfo<int>& info) {
  return killed::TestName(Faults()[static_cast<std::size_t>(info.param)].name);
}

INSTANTIATE_TEST_SUITE_P(EachKind, OneSidedLinkTest,
                         ::testing::Range(0, static_cast<int>(Faults().size())), FaultName);

}  // namespace
