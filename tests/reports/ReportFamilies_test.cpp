// The fixture families of the report tests hold what they promise, read back
// through the database calls.
#include "ReportFamilies.h"

#include <algorithm>

#include "ZelQualification.h"

namespace {

class ReportFamiliesTest : public ReportFamiliesFixture {};

// The first parent family of rin with its husband and wife.
std::vector<std::int32_t> Parents(std::int32_t rin) {
  std::vector<std::int32_t> families, spouses;
  DbGetRelation(rin, db::kRelParents, 1, families);
  if (families.empty() || families[0] == 0) return {0, 0, 0};
  DbGetRelation(families[0], db::kRelSpouses, 2, spouses);
  spouses.resize(2);
  return {families[0], spouses[0], spouses[1]};
}

TEST_F(ReportFamiliesTest, CousinMarriageCollapsesThePedigree) {
  const Collapse f = BuildPedigreeCollapse();
  const struct {
    std::int32_t child, family, father, mother;
  } links[] = {
      {f.kevin, f.cousins, f.frank, f.helen},
      {f.frank, f.charlesEdith, f.charles, f.edith},
      {f.helen, f.dianaGeorge, f.george, f.diana},
      {f.charles, f.grandparents, f.arthur, f.beatrice},
      {f.diana, f.grandparents, f.arthur, f.beatrice},
  };
  for (const auto& l : links)
    EXPECT_EQ(Parents(l.child), (std::vector<std::int32_t>{l.family, l.father, l.mother}))
        << l.child;
  // Kevin's eight great-grandparents hold Arthur and Beatrice twice.
  std::vector<std::int32_t> greats;
  for (std::int32_t parent : {f.frank, f.helen})
    for (std::int32_t grand : {Parents(parent)[1], Parents(parent)[2]})
      for (std::int32_t great : {Parents(grand)[1], Parents(grand)[2]}) greats.push_back(great);
  EXPECT_EQ(std::count(greats.begin(), greats.end(), f.arthur), 2);
  EXPECT_EQ(std::count(greats.begin(), greats.end(), f.beatrice), 2);
}

TEST_F(ReportFamiliesTest, CouplesLivingPeopleAndNotes) {
  const Couples c = BuildCouples();
  for (const auto& [mrin, status] : {std::pair{c.divorced, 'D'}, {c.married, 'M'}}) {
    CMarriageRecord record;
    ASSERT_EQ(family::Read(record, mrin), 1);
    EXPECT_EQ(record.status, status);
  }
  const Collapse f = BuildPedigreeCollapse();
  for (const auto& [rin, living] : {std::pair{f.kevin, true}, {f.arthur, false}}) {
    CIndividualRecord person;
    ASSERT_EQ(family::Read(person, rin), 1);
    EXPECT_EQ(!IsPresumedDeceased(person), living) << rin;
  }
  AddNotes(f.kevin);
  const std::string marked = DbGetNotes(f.kevin, 0, db::kIndividual, 1, 0, 0);
  EXPECT_NE(marked.find("Marked paragraph"), std::string::npos);
  EXPECT_EQ(marked.find("Plain paragraph"), std::string::npos);
  const std::string open = DbGetNotes(f.kevin, 0, db::kIndividual, 0, 0, 0);
  EXPECT_EQ(open.find("Confidential"), std::string::npos);
  EXPECT_NE(DbGetNotes(f.kevin, 0, db::kIndividual, 0, 1, 0).find("Confidential"),
            std::string::npos);
}

TEST_F(ReportFamiliesTest, CitationsSitOnTheirOwners) {
  const Citations c = BuildCitations();
  const struct {
    std::int32_t owner;
    char letter;
    std::int32_t citation;
  } cases[] = {{c.person, db::kOwnerBirth, c.onBirth},
               {c.marriage, db::kOwnerMarriageEvent, c.onMarriage},
               {c.person, db::kOwnerIndividual, c.onPerson},
               {c.person, db::kOwnerDeath, c.onDeathWithPicture},
               {c.person, db::kOwnerBurial, c.onBurialWithPicture},
               {c.person, db::kOwnerChristening, 0}};
  for (const auto& k : cases) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kCitation, k.owner, k.letter);
    EXPECT_EQ(list,
              k.citation != 0 ? std::vector<std::int32_t>{k.citation} : std::vector<std::int32_t>{})
        << k.letter;
  }
}

TEST_F(ReportFamiliesTest, TwoCitationsShowOnePicture) {
  const Citations c = BuildCitations();
  const struct {
    std::int32_t citation;
    const char* picture;  // null: none
  } cases[] = {{c.onDeathWithPicture, kRegisterPicture},
               {c.onBurialWithPicture, kRegisterPicture},
               {c.onBirth, nullptr}};
  for (const auto& k : cases) {
    CCitationRecord citation;
    ASSERT_EQ(DbGetRecord(k.citation, db::kCitation, &citation), 1);
    if (k.picture == nullptr) {
      EXPECT_EQ(citation.image, nullptr) << k.citation;
    } else {
      ASSERT_NE(citation.image, nullptr) << k.citation;
      EXPECT_EQ(citation.image->fileName, k.picture);
    }
  }
}

TEST_F(ReportFamiliesTest, UserEventsReadBackWithTheirValues) {
  const UserEvents u = BuildUserEvents();
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kUserEvent, u.person, db::kOwnerIndividual);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_NE(std::find(list.begin(), list.end(), u.immigration), list.end());
  EXPECT_NE(std::find(list.begin(), list.end(), u.occupation), list.end());
  CUserEventRecord immigration, occupation;
  ASSERT_EQ(family::Read(immigration, u.immigration), 1);
  ASSERT_EQ(family::Read(occupation, u.occupation), 1);
  EXPECT_EQ(immigration.GetEvent()->date.year, 1906);
  EXPECT_EQ(immigration.GetEvent()->place[0], "Boston");
  EXPECT_EQ(occupation.description, "Cooper");
  EXPECT_FALSE(CDateValue::IsSet(&occupation.GetEvent()->date));
}

TEST_F(ReportFamiliesTest, EveryBaptismStatusIsStored) {
  const Ordinances o = BuildOrdinances();
  ASSERT_EQ(o.byStatus.size(), std::size_t{CDateValue::kLastStatus - CDateValue::kFirstStatus + 1});
  for (std::size_t i = 0; i < o.byStatus.size(); ++i) {
    CIndividualRecord person;
    ASSERT_EQ(family::Read(person, o.byStatus[i]), 1);
    EXPECT_EQ(person.baptism.date.month, CDateValue::kFirstStatus + static_cast<int>(i));
  }
  CIndividualRecord dated, none;
  ASSERT_EQ(family::Read(dated, o.dated), 1);
  ASSERT_EQ(family::Read(none, o.none), 1);
  EXPECT_EQ(CDateValue::GetOrdinanceState(&dated.baptism.date, 'B'), CDateValue::kOrdinanceDone);
  EXPECT_EQ(dated.baptism.templeCode, "SLAKE");
  EXPECT_EQ(CDateValue::GetOrdinanceState(&none.baptism.date, 'B'), CDateValue::kOrdinanceNothing);
}

}  // namespace
