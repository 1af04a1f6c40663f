// Relationship codes read from a family file: a child in two families,
// adopted into the second.

#include <gtest/gtest.h>

#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "ReportJob.h"

namespace {

class RelationshipCodesInAFile : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    const std::int32_t father = Add("Ahl", "Gustav", 'M');
    const std::int32_t mother = Add("Berg", "Hanna", 'F');
    const std::int32_t stepFather = Add("Cole", "Per", 'M');
    const std::int32_t stepMother = Add("Dahl", "Ruth", 'F');
    child = Add("Ahl", "John", 'M');
    single = Add("Eck", "Tim", 'M');
    natural = DbSetRelation(father, mother, db::kRelHusband, 0);
    adoptive = DbSetRelation(stepFather, stepMother, db::kRelHusband, 0);
    other = DbSetRelation(single, 0, db::kRelHusband, 0);
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, natural), 0);
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, adoptive), 0);
    ASSERT_GT(DbSetRelation(single, 0, db::kRelParents, natural), 0);
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, child, 0);
    ASSERT_EQ(links.size(), 2u);
    for (std::int32_t n : links) {
      CFamilyLinkRecord link;
      ASSERT_EQ(DbGetRecord(n, db::kFamilyLink, &link), 1);
      if (link.mrin != adoptive) continue;
      link.firstParentRelation = 'a';
      link.secondParentRelation = 'a';
      ASSERT_EQ(family::Update(link, 0), 1);
    }
  }
  static std::int32_t Add(const char* surname, const char* given, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  std::int32_t child = 0, single = 0, natural = 0, adoptive = 0, other = 0;
};

TEST_F(RelationshipCodesInAFile, CodesFollowTheChosenFamily) {
  const struct {
    const char* name;
    std::int32_t* person;
    std::int32_t* marriage;
    int result;
    const char* text;
    int flags;
  } cases[] = {
      {"adoptive family", &child, &adoptive, 3, "{+}{A}", 0x11},
      {"natural family", &child, &natural, 1, "{+}", 0x1},
      {"a family the child is not in", &child, &other, 1, "{+}", 0x1},
      {"one family only", &single, &natural, 0, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text;
    int flags = 0;
    EXPECT_EQ(CReportJob::GetRelationshipCodes(text, flags, DatabaseRelationshipLinks(), *c.person,
                                               true, true, *c.marriage),
              c.result);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(flags, c.flags);
  }
}

}  // namespace
