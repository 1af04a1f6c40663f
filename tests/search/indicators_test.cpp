// Set Relationship Indicators on a family built through the database calls:
// the codes stored, stale indicators cleared up to the highest RIN, and the
// change log switched off for the run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FamilyDatabase.h"
#include "KinFixture.h"
#include "RelationshipIndicators.h"

namespace {

// Records whether changes were being logged whenever the bar moves.
class LoggingProbe : public plat::FakeProgress {
 public:
  void SetPosition(int pos) override {
    FakeProgress::SetPosition(pos);
    loggingSeen.push_back(CurrentDatabase->host.logChanges);
  }
  std::vector<bool> loggingSeen;
};

class IndicatorTest : public KinFamilyFixture {
 protected:
  void SetUp() override {
    KinFamilyFixture::SetUp();
    stale = Person("Stig", 'M');  // unrelated, with an old indicator
    rootFather = Person("Rolf", 'M');
    rootMother = Person("Rut", 'F');
    const std::int32_t rootParents = Marry(rootFather, rootMother);
    root = ChildOf(rootParents, "Rune", 'M');
    brother = ChildOf(rootParents, "Bo", 'M');
    brothersWife = Person("Britt", 'F');
    Marry(brother, brothersWife);
    wifeFather = Person("Walter", 'M');
    wifeMother = Person("Wilma", 'F');
    const std::int32_t wifeParents = Marry(wifeFather, wifeMother);
    wife = ChildOf(wifeParents, "Vera", 'F');
    wifeSister = ChildOf(wifeParents, "Siv", 'F');
    sistersHusband = Person("Sune", 'M');
    const std::int32_t sisters = Marry(sistersHusband, wifeSister);
    sistersSon = ChildOf(sisters, "Sam", 'M');
    Marry(root, wife);
    lastStale = Person("Lasse", 'M');  // the highest RIN, unrelated
    for (std::int32_t rin : {stale, lastStale, root})
      ASSERT_EQ(DbSetRelationshipIndicator(rin, "5MN5"), 1);
  }

  std::int32_t stale = 0, rootFather = 0, rootMother = 0, root = 0, brother = 0, brothersWife = 0,
               wifeFather = 0, wifeMother = 0, wife = 0, wifeSister = 0, sistersHusband = 0,
               sistersSon = 0, lastStale = 0;
  LoggingProbe progress;
  plat::ScopedProgress scopedProgress{&progress};
};

TEST_F(IndicatorTest, CodesRelativeToTheRoot) {
  kin::SetRelationshipIndicators({root, true, false});
  const struct {
    std::int32_t rin;
    const char* code;
  } expected[] = {
      {root, "0MN0"},         {wife, "0FL0"},       {wifeFather, "0ML1"},     {wifeMother, "0FL1"},
      {wifeSister, "1FL1"},   {sistersSon, "2MN1"}, {sistersHusband, "1ML1"}, {brother, "1MN1"},
      {brothersWife, "1FL1"}, {rootFather, "0MN1"}, {rootMother, "0FN1"},     {stale, ""},
      {lastStale, ""},
  };
  for (const auto& e : expected) EXPECT_EQ(Indicator(e.rin), e.code) << "RIN " << e.rin;
  EXPECT_EQ(progress.titles, std::vector<std::string>{"Relationship Indicators"});
  EXPECT_EQ(progress.ends, 1);
}

TEST_F(IndicatorTest, RootWithoutMarriagesIsOfUnknownSex) {
  kin::SetRelationshipIndicators({brothersWife, true, false});
  // Britt's only marriage makes her 'F'; Lasse, without marriages, is 'U'.
  EXPECT_EQ(Indicator(brothersWife), "0FN0");
  EXPECT_EQ(Indicator(brother), "0ML0");
  kin::SetRelationshipIndicators({lastStale, true, false});
  EXPECT_EQ(Indicator(lastStale), "0UN0");
  EXPECT_EQ(Indicator(brothersWife), "");
}

TEST_F(IndicatorTest, NoRootOrCheckBoxOffClearsEveryIndicator) {
  kin::SetRelationshipIndicators({root, true, false});
  ASSERT_EQ(Indicator(wife), "0FL0");
  kin::SetRelationshipIndicators({root, false, false});
  for (std::int32_t rin = 1; rin <= lastStale; ++rin) EXPECT_EQ(Indicator(rin), "") << rin;
  ASSERT_EQ(DbSetRelationshipIndicator(lastStale, "1MN1"), 1);
  kin::SetRelationshipIndicators({0, true, false});
  EXPECT_EQ(Indicator(lastStale), "");
}

TEST_F(IndicatorTest, ChangeLoggingIsOffDuringTheRunAndOnAfter) {
  CurrentDatabase->host.logChanges = true;
  kin::SetRelationshipIndicators({root, true, true});
  ASSERT_FALSE(progress.loggingSeen.empty());
  for (bool logging : progress.loggingSeen) EXPECT_FALSE(logging);
  EXPECT_TRUE(CurrentDatabase->host.logChanges);
}

}  // namespace
