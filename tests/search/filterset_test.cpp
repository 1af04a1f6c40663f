// The filter set: the combination of the field and relationship sets, its
// file form byte for byte, and loading against the open family file.

#include <gtest/gtest.h>

#include <string>

#include "FilterSet.h"
#include "KinFixture.h"
#include "NamedFiles.h"

namespace {

std::string U16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string U32(unsigned v) { return U16(v & 0xFFFF) + U16(v >> 16); }
std::string Str(const char* s, std::size_t n) { return std::string(s, n); }

// Header 0xFF1E with item name "Mine" and no owner.
std::string Header() { return U16(0xFF1E) + U16(5) + Str("Mine\0", 5) + U16(0); }

// The combined bit for one RIN with the set states given: -1 absent.
struct CombineCase {
  int op, fieldFlag, relFlag, fieldBit, relBit, expected;
};

}  // namespace

TEST(FilterSetCombine, UpdateCombinedFollowsOperatorFlagsAndBits) {
  const CombineCase cases[] = {
      // AND: both filters must hold; a filter without its flag holds for all.
      {0, 1, 1, 1, 1, 1},
      {0, 1, 1, 1, 0, 0},
      {0, 1, 1, 0, 1, 0},
      {0, 0, 1, 0, 1, 1},
      {0, 1, 0, 1, 0, 1},
      {0, 0, 0, 1, 1, 0},
      {0, 1, 1, 1, -1, 0},
      {0, 1, 1, -1, 1, 0},
      // OR: either filter.
      {1, 1, 1, 0, 1, 1},
      {1, 1, 1, 1, 0, 1},
      {1, 1, 1, 0, 0, 0},
      {1, 0, 1, 1, 0, 0},
      {1, 1, 0, 0, 1, 0},
      {1, 1, 1, -1, 1, 1},
      // NOT: related but outside the field set.
      {2, 1, 1, 0, 1, 1},
      {2, 1, 1, 1, 1, 0},
      {2, 1, 1, 0, 0, 0},
      {2, 1, 1, -1, 1, 1},
      {2, 0, 1, 1, 1, 1},
      {2, 0, 1, 0, 0, 0},
      {2, 1, 0, 1, 0, 1},
      {2, 1, 0, 0, 1, 0},
  };
  for (const CombineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "op " << c.op << " flags " << c.fieldFlag << c.relFlag
                                    << " bits " << c.fieldBit << c.relBit);
    CFilterSet set;
    set.combineOp = c.op;
    set.fieldFilterPresent = c.fieldFlag;
    set.relationFilterPresent = c.relFlag;
    if (c.fieldBit >= 0) {
      set.CreateSet(CFilterSet::kFieldSet, 10);
      set.GetBitSet(CFilterSet::kFieldSet)->SetBit(5, c.fieldBit);
    }
    if (c.relBit >= 0) {
      set.CreateSet(CFilterSet::kRelationSet, 10);
      set.GetBitSet(CFilterSet::kRelationSet)->SetBit(5, c.relBit);
    }
    EXPECT_EQ(set.UpdateCombined(5), c.expected);
    EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, 5), c.expected);
  }
}

TEST(FilterSetCombine, NoSourceSetChangesNothingAndBadNumbersAnswerMinusOne) {
  CFilterSet set;
  EXPECT_EQ(set.UpdateCombined(3), 0);
  EXPECT_EQ(set.HasSet(CFilterSet::kCombinedSet), 0);
  EXPECT_EQ(set.IsInSet(3, 1), -1);
  EXPECT_EQ(set.IsInSet(CFilterSet::kRelationSet, 1), -1);
  EXPECT_EQ(set.GetCount(3), -1);
  EXPECT_EQ(set.GetMaxIndex(-1), -1);
  EXPECT_EQ(set.GetMaxIndex(CFilterSet::kCombinedSet), 0);
  EXPECT_EQ(set.GetSetByte(5, 0), 255);
  EXPECT_EQ(set.SetInSet(CFilterSet::kRelationSet, 2, 1), -1);
  set.CreateSet(CFilterSet::kRelationSet, 20);
  EXPECT_EQ(set.GetMaxIndex(CFilterSet::kRelationSet), 23);  // 21 bits round up to 24
  EXPECT_EQ(set.SetInSet(CFilterSet::kRelationSet, 0, 1), -1);
}

TEST(FilterSetCombine, SettingARelationBitRecombinesThatRin) {
  CFilterSet set;
  set.relationFilterPresent = 1;
  set.CreateSet(CFilterSet::kRelationSet, 30);
  ASSERT_EQ(set.SetInSet(CFilterSet::kRelationSet, 7, 1), 0);
  EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, 7), 1);
  EXPECT_EQ(set.GetMaxIndex(CFilterSet::kCombinedSet), set.GetMaxIndex(CFilterSet::kRelationSet));
  ASSERT_EQ(set.SetInSet(CFilterSet::kRelationSet, 7, 0), 0);
  EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, 7), 0);
  EXPECT_EQ(set.GetCount(CFilterSet::kCombinedSet), 0);
}

TEST(FilterSetCombine, NotMarksExactlyTheRelatedOutsideTheFieldSet) {
  CFilterSet set;
  set.combineOp = CFilterSet::kNot;
  set.fieldFilterPresent = set.relationFilterPresent = 1;
  set.CreateSet(CFilterSet::kFieldSet, 16);
  set.CreateSet(CFilterSet::kRelationSet, 16);
  set.CreateSet(CFilterSet::kCombinedSet, 16);
  for (int rin : {2, 3, 4, 9}) set.GetBitSet(CFilterSet::kRelationSet)->SetBit(rin, 1);
  for (int rin : {3, 9, 11}) set.GetBitSet(CFilterSet::kFieldSet)->SetBit(rin, 1);
  set.RecomputeCombined();
  for (int rin = 1; rin <= 16; ++rin)
    EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, rin), rin == 2 || rin == 4) << rin;
  EXPECT_EQ(set.GetCount(CFilterSet::kCombinedSet), 2);
}

TEST(FilterSetCombine, CopyCarriesSetsCriteriaAndVersion) {
  CFilterSet set;
  set.name = "Kin";
  set.combineOp = CFilterSet::kOr;
  set.relationFilterPresent = 1;
  set.formatVersion = 30;
  set.CreateSet(CFilterSet::kRelationSet, 40);
  set.SetInSet(CFilterSet::kRelationSet, 33, 1);
  auto c = std::make_unique<CFilterCriterion>(4800, 2);
  c->text1 = std::make_unique<std::string>("Lind");
  set.criteria.push_back(std::move(c));

  const CFilterSet copy(set);
  EXPECT_EQ(copy.name, "Kin");
  EXPECT_EQ(copy.combineOp, CFilterSet::kOr);
  EXPECT_EQ(copy.formatVersion, 30);
  EXPECT_EQ(copy.IsInSet(CFilterSet::kRelationSet, 33), 1);
  EXPECT_EQ(copy.IsInSet(CFilterSet::kCombinedSet, 33), 1);
  EXPECT_EQ(copy.HasSet(CFilterSet::kFieldSet), 0);
  ASSERT_EQ(copy.criteria.size(), 1u);
  EXPECT_TRUE(copy.criteria[0]->Equals(*set.criteria[0]));
  // The copy owns its own bits.
  set.SetInSet(CFilterSet::kRelationSet, 33, 0);
  EXPECT_EQ(copy.IsInSet(CFilterSet::kRelationSet, 33), 1);
}

TEST(FilterSetCombine, ReplaceWithCombinedMovesSet2IntoSet1AndDropsSet0) {
  CFilterSet set;
  set.fieldFilterPresent = set.relationFilterPresent = 1;
  set.CreateSet(CFilterSet::kFieldSet, 8);
  set.CreateSet(CFilterSet::kRelationSet, 8);
  set.SetInSet(CFilterSet::kFieldSet, 3, 1);
  set.SetInSet(CFilterSet::kRelationSet, 3, 1);
  set.SetInSet(CFilterSet::kRelationSet, 5, 1);
  set.ReplaceWithCombined();
  EXPECT_EQ(set.HasSet(CFilterSet::kFieldSet), 0);
  EXPECT_EQ(set.IsInSet(CFilterSet::kRelationSet, 3), 1);
  EXPECT_EQ(set.IsInSet(CFilterSet::kRelationSet, 5), 0);
}

TEST(FilterCriterion, OldFieldIdsMapToCurrentOnes) {
  const std::pair<unsigned, unsigned> cases[] = {
      {1800, 4800}, {1812, 4812}, {1813, 4814}, {1814, 4816}, {1815, 4822},
      {1816, 4824}, {1817, 4826}, {1818, 4830}, {1821, 4833}, {1822, 4845},
      {1823, 4846}, {1824, 4848}, {1870, 4870}, {1871, 4871}, {1872, 4873},
      {1882, 4883}, {0, 0},       {1, 1},       {4798, 4798}, {4799, 4799}};
  for (auto [from, to] : cases)
    EXPECT_EQ(CFilterCriterion::MapOldFieldId(static_cast<std::uint16_t>(from)), to) << from;
}

class FilterSetFileTest : public KinFamilyFixture {
 protected:
  void SetUp() override {
    KinFamilyFixture::SetUp();
    for (const char* given : {"Ada", "Bo", "Cy", "Di", "Ed"}) Person(given, 'F');
  }
  std::string file = dir.File("famil001.ort");
};

TEST_F(FilterSetFileTest, SaveAppendsSetsAndCriteriaByteForByte) {
  ASSERT_EQ(WriteNamedFile(file, "Mine", ""), 0);
  CFilterSet set;
  set.relationFilterPresent = 1;
  set.CreateSet(CFilterSet::kRelationSet, 5);
  set.SetInSet(CFilterSet::kRelationSet, 1, 1);
  set.SetInSet(CFilterSet::kRelationSet, 4, 1);
  auto name = std::make_unique<CFilterCriterion>(4800, 2);
  name->op = 1;
  name->text1 = std::make_unique<std::string>("Ann");
  auto born = std::make_unique<CFilterCriterion>(4803, 1);
  born->op = 2;
  born->date1 = std::make_unique<CDateValue>();
  born->date1->Set(1901, 2, 3);
  born->value2 = -2;
  set.criteria.push_back(std::move(name));
  set.criteria.push_back(std::move(born));
  ASSERT_EQ(set.Save(file), 0);

  const std::string expected =
      Header() + U32(8) + U32(2) + Str("\x12", 1)  // set 1: RINs 1 and 4
      + U32(0)                                     // set 0 absent
      + Str("\x01", 1)                             // criteria follow
      + U16(4800) + U16(2) + U16(0) + U16(1) + Str("\x04", 1) + U16(3) + "Ann" + U32(0) + U32(0) +
      Str("\x01", 1)  // first criterion, another follows
      + U16(4803) + U16(1) + U16(0) + U16(2) + Str("\x01", 1) + U16(1901) +
      Str("\x00\x00\x02\x03\x00\x00", 6) + U32(0) + U32(0xFFFFFFFE) + Str("\x00", 1);
  EXPECT_EQ(ReadAll(file), expected);

  CFilterSet back;
  ASSERT_EQ(back.Load(file), 0);
  EXPECT_EQ(back.name, "Mine");
  EXPECT_EQ(back.formatVersion, 30);
  ASSERT_EQ(back.criteria.size(), 2u);
  EXPECT_TRUE(back.criteria[0]->Equals(*set.criteria[0]));
  EXPECT_TRUE(back.criteria[1]->Equals(*set.criteria[1]));
  ASSERT_TRUE(back.criteria[1]->date1);
  EXPECT_TRUE(back.criteria[1]->date1->Equals(*set.criteria[1]->date1));
}

TEST_F(FilterSetFileTest, LoadResizesClearsDeletedAndRebuildsTheCombination) {
  ASSERT_EQ(DbDeleteRecord(3, db::kIndividual), 1);
  // Set 1 holds RINs 2, 3 and 20 in 24 bits; set 0 RIN 2 and 3 in 8 bits.
  const std::string bytes = Header() + U32(24) + U32(99) + Str("\x0C\x00\x10", 3) + U32(8) +
                            U32(1) + Str("\x0C", 1) + Str("\x00", 1);
  WriteAll(file, bytes);
  CFilterSet set;
  set.combineOp = CFilterSet::kOr;
  ASSERT_EQ(set.Load(file), 0);
  EXPECT_EQ(set.path, file);
  EXPECT_EQ(set.combineOp, CFilterSet::kOr);  // not stored, kept
  EXPECT_EQ(set.relationFilterPresent, 1);
  EXPECT_EQ(set.fieldFilterPresent, 0);
  // Highest RIN 5: sets of 6 bits, rounded to 8.
  EXPECT_EQ(set.GetMaxIndex(CFilterSet::kRelationSet), 7);
  EXPECT_EQ(set.GetMaxIndex(CFilterSet::kFieldSet), 7);
  EXPECT_EQ(set.GetMaxIndex(CFilterSet::kCombinedSet), 7);
  EXPECT_EQ(set.IsInSet(CFilterSet::kRelationSet, 3), 0);  // deleted
  EXPECT_EQ(set.IsInSet(CFilterSet::kFieldSet, 3), 0);
  EXPECT_EQ(set.GetCount(CFilterSet::kRelationSet), 1);  // recounted, not 99
  EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, 2), 1);
  EXPECT_EQ(set.GetCount(CFilterSet::kCombinedSet), 1);
}

TEST_F(FilterSetFileTest, EmptyRelationSetLoadsAbsentWithItsFlagClear) {
  WriteAll(file, Header() + U32(0) + U32(8) + U32(1) + Str("\x04", 1) + Str("\x00", 1));
  CFilterSet set;
  ASSERT_EQ(set.Load(file), 0);
  EXPECT_EQ(set.HasSet(CFilterSet::kRelationSet), 0);
  EXPECT_EQ(set.relationFilterPresent, 0);
  EXPECT_EQ(set.HasSet(CFilterSet::kFieldSet), 1);
  EXPECT_EQ(set.HasSet(CFilterSet::kCombinedSet), 1);
  // Neither flag: the combination is empty.
  EXPECT_EQ(set.GetCount(CFilterSet::kCombinedSet), 0);
}

TEST_F(FilterSetFileTest, OldHeaderReadsOldCriteriaThroughTheIdTable) {
  const std::string bytes =
      U16(4) + Str("Old\0", 4)  // version 29 header: name only
      + U32(0) + U32(0) + Str("\x01", 1) +
      // A text criterion on old field 1815 with text "Smith" (length counts the zero).
      U16(1815) + U16(5) + U16(0) + U16(3) + U16(6) + Str("Smith\0", 6) + U16(0) + Str("\x01", 1) +
      // A count criterion on old field 1872.
      U16(1872) + U16(4) + U16(0) + U16(1) + U32(2) + U32(7) + Str("\x01", 1) +
      // A date criterion on old field 1801: two 10-byte dates.
      U16(1801) + U16(1) + U16(0) + U16(0) + U16(5) + U16(6) + U16(1850) + U16(0) + U16(0) +
      U16(0) + U16(0) + U16(1900) + U16(0) + U16(0) + Str("\x00", 1);
  WriteAll(file, bytes);
  CFilterSet set;
  ASSERT_EQ(set.Load(file), 0);
  EXPECT_EQ(set.name, "Old");
  EXPECT_EQ(set.formatVersion, 29);
  EXPECT_EQ(set.fieldFilterPresent, 1);
  ASSERT_EQ(set.criteria.size(), 3u);
  EXPECT_EQ(set.criteria[0]->fieldId, 4822);
  ASSERT_TRUE(set.criteria[0]->text1);
  EXPECT_EQ(*set.criteria[0]->text1, "Smith");
  EXPECT_FALSE(set.criteria[0]->text2);
  EXPECT_EQ(set.criteria[1]->fieldId, 4873);
  EXPECT_EQ(set.criteria[1]->value1, 2);
  EXPECT_EQ(set.criteria[1]->value2, 7);
  EXPECT_EQ(set.criteria[2]->fieldId, 4801);
  ASSERT_TRUE(set.criteria[2]->date1 && set.criteria[2]->date2);
  EXPECT_EQ(set.criteria[2]->date1->year, 1850);
  EXPECT_EQ(set.criteria[2]->date1->month, 5);
  EXPECT_EQ(set.criteria[2]->date2->year, 1900);
}

TEST_F(FilterSetFileTest, EveryTruncationFailsAndLeavesTheSetWhole) {
  const std::string whole = Header() + U32(8) + U32(1) + Str("\x04", 1) + U32(0) + Str("\x01", 1) +
                            U16(4800) + U16(2) + U16(0) + U16(1) + Str("\x04", 1) + U16(3) + "Ann" +
                            U32(0) + U32(0) + Str("\x00", 1);
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    WriteAll(file, whole.substr(0, cut));
    CFilterSet set;
    set.name = "before";
    set.relationFilterPresent = 1;
    set.CreateSet(CFilterSet::kRelationSet, 5);
    set.SetInSet(CFilterSet::kRelationSet, 5, 1);
    EXPECT_EQ(set.Load(file), -1);
    EXPECT_EQ(set.name, "before");
    EXPECT_EQ(set.IsInSet(CFilterSet::kRelationSet, 5), 1);
    EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, 5), 1);
  }
  WriteAll(file, whole);
  CFilterSet set;
  EXPECT_EQ(set.Load(file), 0);
}

TEST_F(FilterSetFileTest, LengthsPastTheEndAndHugeBitCountsAreRefused) {
  const std::string cases[] = {
      Header() + U32(0x1000008) + U32(0),     // bit count above the limit
      Header() + U32(800) + U32(1) + "\x01",  // bits past the end
      Header() + U32(0) + U32(0) + "\x01" + U16(4800) + U16(2) + U16(0) + U16(0) + "\x04" +
          U16(500) + "Ann",  // text past the end
  };
  for (const std::string& bytes : cases) {
    WriteAll(file, bytes);
    CFilterSet set;
    EXPECT_EQ(set.Load(file), -1);
  }
  CFilterSet set;
  EXPECT_EQ(set.Load(dir.File("missing.ort")), -1);
}

TEST_F(FilterSetFileTest, SavedFieldFilterHoldsOnlyTheCriteria) {
  const std::string fld = dir.File("Mylist01.fld");
  ASSERT_EQ(WriteNamedFile(fld, "My list", ""), 0);
  CFilterSet set;
  set.criteria.push_back(std::make_unique<CFilterCriterion>(CFilterCriterion::kOpenParen, 0));
  set.criteria.push_back(std::make_unique<CFilterCriterion>(4801, 4));
  set.criteria[1]->value1 = 3;
  ASSERT_EQ(set.SaveCriteria(fld), 0);
  EXPECT_EQ(ReadAll(fld), U16(0xFF1E) + U16(8) + Str("My list\0", 8) + U16(0) + U16(0) + U16(0) +
                              U16(0) + U16(0) + Str("\0", 1) + U32(0) + U32(0) + "\x01" +
                              U16(4801) + U16(4) + U16(0) + U16(0) + Str("\0", 1) + U32(3) +
                              U32(0) + Str("\0", 1));
  CFilterSet back;
  ASSERT_EQ(back.LoadCriteria(fld), 0);
  EXPECT_EQ(back.name, "My list");
  ASSERT_EQ(back.criteria.size(), 2u);
  EXPECT_TRUE(back.criteria[1]->Equals(*set.criteria[1]));
}
