// Field filters run over a small family file: each field family reads the
// right record values, the pass fills set 0 and recombines, a lone RIN
// criterion narrows the walk, Cancel stops it, and the nodes describe
// themselves as the expression list shows them.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "FieldFilter.h"
#include "FilterSet.h"
#include "KinFixture.h"
#include "MarriageRecord.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "UserEventRecord.h"

namespace {

using Rins = std::set<std::int32_t>;

std::unique_ptr<CFilterCriterion> Make(int field, int kind, int op, const char* t1 = nullptr,
                                       int sub = 0) {
  auto c = std::make_unique<CFilterCriterion>(static_cast<std::uint16_t>(field),
                                              static_cast<std::uint16_t>(kind));
  c->op = static_cast<std::uint16_t>(op);
  c->subField = static_cast<std::uint16_t>(sub);
  if (t1) c->text1 = std::make_unique<std::string>(t1);
  return c;
}

std::unique_ptr<CFilterCriterion> DateCrit(int field, int op, const CDateValue& date) {
  auto c = Make(field, fkind::kDate, op);
  c->date1 = std::make_unique<CDateValue>(date);
  return c;
}

std::unique_ptr<CFilterCriterion> Token(std::uint16_t id) {
  return std::make_unique<CFilterCriterion>(id, fkind::kToken);
}

CDateValue Year(int year, int month = 0, int day = 0, int qualifier = 0) {
  CDateValue d;
  d.Set(year, month, day, qualifier);
  return d;
}

class FieldFilterFamily : public KinFamilyFixture {
 protected:
  void SetUp() override {
    KinFamilyFixture::SetUp();
    plat::SetProgressPort(&progress);
    anna = Person("Anna", 'F', 1900);
    erik = Person("Erik", 'M', 1898, "Berg");
    sara = Person("Sara", 'F', 0, "Holm");
    m1 = Marry(erik, anna);
    m2 = Marry(erik, sara);
    nils = ChildOf(m1, "Nils", 'M', 1922);
    lone = Person("Lone", 'M', 0, "Strand");

    Change(anna, [](CIndividualRecord& p) {
      p.birth.place[0] = "Oslo";
      p.birth.place[3] = "Norway";
      p.baptism.date = Year(0, CDateValue::kStatusSubmitted);
    });
    Change(erik, [](CIndividualRecord& p) {
      p.baptism.date = Year(1899, 0, 0, CDateValue::kQualSub);
      p.endowment.templeCode = "SLAKE";
    });
    Change(nils, [](CIndividualRecord& p) { p.texts1[1] = "ABC-12"; });
    Change(lone, [](CIndividualRecord& p) { p.death.date = Year(1950, 5, 1); });
    ChangeMarriage(m1, [](CMarriageRecord& m) {
      m.marriage.date = Year(1920, 6, 1);
      m.marriage.place[0] = "Bergen";
      m.status = 'M';
    });
    ChangeMarriage(m2, [](CMarriageRecord& m) { m.status = 'D'; });

    ASSERT_GT(
        DbSetNotes(anna, "RESEARCH: checked the mill\r\n\r\nBorn at home.", 0, 0, db::kIndividual),
        0);
    CEventTypeRecord type;
    type.title = "Apprenticeship";
    type.shortTitle = "Apprent";
    type.hasDescription = 1;
    const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
    CUserEventRecord event(anna, db::kOwnerIndividual, typeNumber, 0);
    event.SetDescription("as a miller");
    const auto eventNumber = static_cast<std::int32_t>(family::Add(event, 0));
    ASSERT_GT(DbLinkRecord(eventNumber, db::kUserEvent, anna, db::kOwnerIndividual), 0);

    CRepositoryRecord archive;
    archive.name = "Town archive";
    repository = DbAddRecord(db::kRepository, 0, &archive);
    ASSERT_GT(repository, 0);
    CSourceRecord source;
    source.title = "Parish register";
    source.repositoryRin = repository;
    const std::int32_t src = DbAddRecord(db::kSource, 0, &source);
    CCitationRecord citation;
    citation.sourceRin = src;
    citation.ownerLetter = db::kOwnerBirth;
    citation.ownerNumber = anna;
    citation.pageText = "p. 12";
    const std::int32_t cit = DbAddRecord(db::kCitation, 0, &citation);
    ASSERT_GT(DbLinkRecord(cit, db::kCitation, anna, db::kOwnerBirth), 0);
  }
  void TearDown() override {
    plat::SetProgressPort(nullptr);
    KinFamilyFixture::TearDown();
  }

  template <class F>
  static void Change(std::int32_t rin, F f) {
    CIndividualRecord p;
    ASSERT_EQ(DbGetIndividualRecord(rin, p, 10), 1);
    f(p);
    ASSERT_EQ(DbUpdateRecord(rin, db::kIndividual, &p), 1);
  }
  template <class F>
  static void ChangeMarriage(std::int32_t mrin, F f) {
    CMarriageRecord m;
    ASSERT_EQ(DbGetRecord(mrin, db::kMarriage, &m), 1);
    f(m);
    ASSERT_EQ(DbUpdateRecord(mrin, db::kMarriage, &m), 1);
  }

  // The individuals the expression selects in a pass.
  static Rins Select(std::vector<std::unique_ptr<CFilterCriterion>> list) {
    CFilterSet set;
    set.criteria = std::move(list);
    EXPECT_EQ(CFieldFilter::RunPass(set), CFieldFilter::kPassDone);
    Rins rins;
    for (std::int32_t r = 1; r <= set.GetMaxIndex(CFilterSet::kFieldSet); ++r)
      if (set.IsInSet(CFilterSet::kFieldSet, r) == 1) rins.insert(r);
    return rins;
  }
  static Rins Select(std::unique_ptr<CFilterCriterion> c) {
    std::vector<std::unique_ptr<CFilterCriterion>> list;
    list.push_back(std::move(c));
    return Select(std::move(list));
  }

  plat::FakeProgress progress;
  std::int32_t repository = 0;
  std::int32_t anna = 0, erik = 0, sara = 0, nils = 0, lone = 0, m1 = 0, m2 = 0;
};

TEST_F(FieldFilterFamily, EachFieldReadsItsValues) {
  auto code = [](int field, int op, char letter) {
    auto c = Make(field, fkind::kCode, op);
    c->value1 = letter;
    return c;
  };
  auto count = [](int field, int op, int n) {
    auto c = Make(field, fkind::kNumber, op);
    c->value1 = n;
    return c;
  };
  auto mrins = [&](int op, std::int32_t a, std::int32_t b) {
    auto c = Make(ffield::kMrin, fkind::kNumber, op);
    c->value1 = a;
    c->value2 = b;
    return c;
  };
  struct Case {
    const char* what;
    std::unique_ptr<CFilterCriterion> criterion;
    Rins expected;
  };
  Case cases[] = {
      {"name contains", Make(ffield::kName, fkind::kName, 2, "berg"), {erik}},
      {"surname sounds like", Make(ffield::kName, fkind::kName, 4, "Lynd", 1), {anna, nils}},
      {"sex", code(ffield::kSex, 0, 'F'), {anna, sara}},
      {"birth before 1900", DateCrit(ffield::kBirthDate, 6, Year(1900)), {erik}},
      {"birth place", Make(ffield::kBirthPlace, fkind::kPlace, 2, "oslo"), {anna}},
      {"birth country", Make(ffield::kBirthPlace, fkind::kPlace, 0, "norway", 4), {anna}},
      {"any date equals the marriage date",
       DateCrit(ffield::kAnyDate, 0, Year(1920, 6, 1)),
       {anna, erik}},
      // Decided by real dates only: no member after the marriage dates.
      {"any date does not equal",
       DateCrit(ffield::kAnyDate, 1, Year(1920, 6, 1)),
       {sara, nils, lone}},
      {"any place", Make(ffield::kAnyPlace, fkind::kPlace, 2, "bergen"), {anna, erik}},
      {"user event description",
       [] {
         auto c = Make(ffield::kUserEvents, fkind::kText, 2, "MILLER", ffield::kUeDescription);
         return c;
       }(),
       {anna}},
      {"notes tag",
       [] {
         auto c = Make(ffield::kNotes, fkind::kNotes, 4, "RESEARCH:");
         c->text2 = std::make_unique<std::string>("mill");
         return c;
       }(),
       {anna}},
      {"source title", Make(ffield::kSources, 5, 2, "parish", ffield::kSrcTitle), {anna}},
      {"source title absent",
       Make(ffield::kSources, 5, 3, "parish", ffield::kSrcTitle),
       {erik, sara, nils, lone}},
      {"citation page via All", Make(ffield::kSources, 5, 2, "register", ffield::kSrcAll), {anna}},
      {"sources exist", Make(ffield::kSources, 5, 4, nullptr, ffield::kSrcAll), {anna}},
      {"source repository",
       [&] {
         auto c =
             Make(ffield::kSources, fkind::kRepository, 0, "Town archive", ffield::kSrcRepository);
         c->value1 = repository;
         return c;
       }(),
       {anna}},
      {"marriages > 1", count(ffield::kMarriageCount, 2, 1), {erik}},
      {"children = 1", count(ffield::kChildCount, 0, 1), {anna, erik}},
      {"parents = 1", count(ffield::kParentCount, 0, 1), {nils}},
      {"marriage status divorced", code(ffield::kMarriageStatus, 0, 'D'), {erik, sara}},
      {"marriage status not divorced",
       code(ffield::kMarriageStatus, 1, 'D'),
       {anna, erik, nils, lone}},
      {"parent relationship", code(ffield::kParentRelationship, 0, 'b'), {nils}},
      {"parent relationship not",
       code(ffield::kParentRelationship, 1, 'b'),
       {anna, erik, sara, lone}},
      {"end of line", Make(ffield::kEndOfLine, fkind::kYesNo, 0), {anna, erik, sara, lone}},
      {"deceased", Make(ffield::kDeceased, fkind::kYesNo, 0), {lone}},
      {"SBN", Make(ffield::kSbn, fkind::kText, 0, "abc*"), {nils}},
      {"MRIN range", mrins(2, m2, m2), {erik, sara}},
      {"baptism submitted", DateCrit(ffield::kBaptismDate, 0, Year(0, 29)), {anna, erik}},
      {"baptism not submitted", DateCrit(ffield::kBaptismDate, 1, Year(0, 29)), {sara, nils, lone}},
      {"endowment temple",
       Make(ffield::kEndowmentTemple, fkind::kTemple, 0, "SLAKE - Salt Lake"),
       {erik}},
      {"any temple", Make(ffield::kAnyTemple, fkind::kTemple, 4), {erik}},
  };
  for (Case& c : cases) EXPECT_EQ(Select(std::move(c.criterion)), c.expected) << c.what;
}

TEST_F(FieldFilterFamily, PassFillsSetZeroAndRecombines) {
  CFilterSet set;
  set.CreateSet(CFilterSet::kRelationSet, lone);
  set.relationFilterPresent = 1;
  set.SetInSet(CFilterSet::kRelationSet, anna, 1);
  set.SetInSet(CFilterSet::kRelationSet, nils, 1);
  set.CreateSet(CFilterSet::kCombinedSet, lone);
  set.RecomputeCombined();
  set.criteria.push_back(Make(ffield::kSex, fkind::kCode, 0));
  set.criteria.back()->value1 = 'M';
  // A stale mark in set 0 is cleared by the pass.
  set.CreateSet(CFilterSet::kFieldSet, lone);
  set.SetInSet(CFilterSet::kFieldSet, sara, 1);
  ASSERT_EQ(CFieldFilter::RunPass(set), CFieldFilter::kPassDone);
  EXPECT_EQ(set.fieldFilterPresent, 1);
  EXPECT_EQ(set.GetCount(CFilterSet::kFieldSet), 3);  // Erik, Nils, Lone
  EXPECT_EQ(set.IsInSet(CFilterSet::kFieldSet, sara), 0);
  // AND: related and male.
  EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, nils), 1);
  EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, anna), 0);
  EXPECT_EQ(set.IsInSet(CFilterSet::kCombinedSet, erik), 0);
  EXPECT_EQ(set.GetCount(CFilterSet::kCombinedSet), 1);
  EXPECT_EQ(progress.texts.back(), "Filtering records...");
  EXPECT_EQ(progress.ends, 1);
}

TEST_F(FieldFilterFamily, ARinCriterionNarrowsTheWalk) {
  struct Case {
    const char* what;
    int op, v1, v2;
    bool trailing;  // after "Sex Matches M AND"
    int read;
    Rins expected;
  };
  // RINs: anna 1, erik 2, sara 3, nils 4, lone 5.
  const Case cases[] = {
      // The first individual beyond the range is read, and ends the walk.
      {"less than 3 alone", 0, 3, 0, false, 4, {1, 2}},
      {"greater than 3 alone", 1, 3, 0, false, 3, {4, 5}},
      {"range 2-3 alone", 2, 2, 3, false, 3, {2, 3}},
      {"after AND", 0, 3, 0, true, 4, {2}},
  };
  for (const Case& c : cases) {
    CFilterSet set;
    if (c.trailing) {
      set.criteria.push_back(Make(ffield::kSex, fkind::kCode, 0));
      set.criteria.back()->value1 = 'M';
      set.criteria.push_back(Token(CFilterCriterion::kAnd));
    }
    auto rin = Make(ffield::kRin, fkind::kNumber, c.op);
    rin->value1 = c.v1;
    rin->value2 = c.v2;
    set.criteria.push_back(std::move(rin));
    int read = 0;
    ASSERT_EQ(CFieldFilter::RunPass(set, &read), CFieldFilter::kPassDone);
    Rins got;
    for (std::int32_t r = 1; r <= 5; ++r)
      if (set.IsInSet(CFilterSet::kFieldSet, r) == 1) got.insert(r);
    EXPECT_EQ(got, c.expected) << c.what;
    EXPECT_EQ(read, c.read) << c.what;
  }
}

TEST_F(FieldFilterFamily, ANarrowedPassKeepsRelativesOutsideItsRange) {
  CFilterSet set;
  set.combineOp = CFilterSet::kOr;
  set.CreateSet(CFilterSet::kRelationSet, lone);
  set.relationFilterPresent = 1;
  set.SetInSet(CFilterSet::kRelationSet, lone, 1);
  set.CreateSet(CFilterSet::kCombinedSet, lone);
  set.RecomputeCombined();
  auto rin = Make(ffield::kRin, fkind::kNumber, 0);
  rin->value1 = 3;
  set.criteria.push_back(std::move(rin));
  ASSERT_EQ(CFieldFilter::RunPass(set), CFieldFilter::kPassDone);
  Rins combined;
  for (std::int32_t r = 1; r <= lone; ++r)
    if (set.IsInSet(CFilterSet::kCombinedSet, r) == 1) combined.insert(r);
  EXPECT_EQ(combined, (Rins{1, 2, lone}));
}

TEST_F(FieldFilterFamily, CancelStopsThePass) {
  for (int i = 0; i < 250; ++i) Person("Filler", 'M');
  progress.cancelAfter = 1;
  CFilterSet set;
  set.criteria.push_back(Make(ffield::kSex, fkind::kCode, 0));
  set.criteria.back()->value1 = 'M';
  int read = 0;
  EXPECT_EQ(CFieldFilter::RunPass(set, &read), CFieldFilter::kPassCancelled);
  EXPECT_EQ(read, 100);
  EXPECT_EQ(progress.ends, 1);
  EXPECT_GE(pump.pumps, 1);
}

TEST_F(FieldFilterFamily, DescriptionsAsTheListShowsThem) {
  auto withValues = [](std::unique_ptr<CFilterCriterion> c, int v1, int v2) {
    c->value1 = v1;
    c->value2 = v2;
    return c;
  };
  auto withText2 = [](std::unique_ptr<CFilterCriterion> c, const char* t2) {
    c->text2 = std::make_unique<std::string>(t2);
    return c;
  };
  auto range = DateCrit(ffield::kDeathDate, 8, Year(1900));
  range->date2 = std::make_unique<CDateValue>(Year(1910));
  auto uePlace = Make(ffield::kUserEvents, fkind::kPlace, 2, "oslo", 1);
  uePlace->value1 = ffield::kUePlace;
  auto ueType = Make(ffield::kUserEvents, fkind::kCode, 0, "Apprenticeship", ffield::kUeType);
  struct Case {
    std::unique_ptr<CFilterCriterion> c;
    std::string text;
  };
  Case cases[] = {
      {Token(CFilterCriterion::kOpenParen), "("},
      {Token(CFilterCriterion::kAnd), "AND"},
      {Token(CFilterCriterion::kOr), "OR"},
      {Make(ffield::kName, fkind::kName, 2, "berg"), "Name Contains berg"},
      {Make(ffield::kName, fkind::kName, 0, "lind", 1), "Name (Surname only) Matches lind"},
      {withText2(Make(ffield::kName, fkind::kName, 10, "a", 2), "c"),
       "Name (Given names only) Range from a to c"},
      {Make(ffield::kName, fkind::kName, 6), "Name Exists"},
      {withValues(Make(ffield::kRin, fkind::kNumber, 0), 100, 0), "RIN Is less than 100"},
      {withValues(Make(ffield::kMrin, fkind::kNumber, 2), 3, 9), "MRIN Range from 3 to 9"},
      {Make(ffield::kSex, fkind::kCode, 0, "Female"), "Sex Matches Female"},
      {DateCrit(ffield::kBirthDate, 0, Year(1900, 3, 12)),
       "Birth Date Equals " + Year(1900, 3, 12).Format()},
      {std::move(range),
       "Death Date Range from " + Year(1900).Format() + " to " + Year(1910).Format()},
      {DateCrit(ffield::kBirthDate, 4, Year(0)), "Birth Date Exists"},
      {Make(ffield::kBirthPlace, fkind::kPlace, 0, "oslo", 1),
       "Birth Place (Level 1) Matches oslo"},
      {Make(ffield::kAnyPlace, fkind::kPlace, 2, "bergen"), "Any Place Contains bergen"},
      {Make(ffield::kNickname, fkind::kText, 4), "Nickname Exists"},
      {Make(ffield::kNickname, fkind::kText, 0, "Bo"), "Nickname Matches Bo"},
      {Make(ffield::kDeceased, fkind::kYesNo, 1), "Is not Deceased"},
      {Make(ffield::kLiveBaptism, fkind::kYesNo, 0), "Was baptized live"},
      {Make(ffield::kMultimedia, fkind::kYesNo, 1), "Multimedia Does not exist"},
      {withText2(Make(ffield::kNotes, fkind::kNotes, 0), "mill"), "Notes Contains mill"},
      {withText2(Make(ffield::kNotes, fkind::kNotes, 4, "RESEARCH:"), "mill"),
       "Notes (RESEARCH:) Tag contains mill"},
      {Make(ffield::kNotes, fkind::kNotes, 6, "RESEARCH:"), "Notes (RESEARCH:) Tag exists"},
      {Make(ffield::kSources, 5, 2, "parish", ffield::kSrcTitle),
       "Sources (Source Title) Contains parish"},
      {Make(ffield::kSources, 5, 0, "x", ffield::kSrcAdditional),
       "Sources (Source Additional Info) Matches x"},
      {withValues(Make(ffield::kChildCount, fkind::kNumber, 2), 3, 0), "Number of Children > 3"},
      {Make(ffield::kBaptismTemple, fkind::kTemple, 0, "SLAKE"),
       "ZEL Baptism Temple Matches SLAKE"},
      {Make(ffield::kUserEvents, fkind::kText, 2, "miller", ffield::kUeDescription),
       "User Events (Description) Contains miller"},
      {std::move(uePlace), "User Events (Place) (Level 1) Contains oslo"},
      {std::move(ueType), "User Events (Apprenticeship) Exists"},
  };
  for (Case& c : cases) EXPECT_EQ(c.c->GetDescription(), c.text);
}

}  // namespace
