// The custom report's field catalogue: every field with its label, column
// heading, default width, sort kind and whether it needs the ordinance
// option, in the order the Possible Fields lists offer them.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CustomFieldCatalog.h"

namespace {

struct Expected {
  int id;
  const char* label;
  const char* heading;  // the short heading, or the label without one
  int width;
  int kind;
  bool zelOnly;
};

TEST(CustomFieldCatalog, ListsEveryFieldInOrder) {
  const Expected expected[] = {
      {rpt::kFieldSurnameGiven, "Surname, Given", "Surname, Given", 25, 3, false},
      {rpt::kFieldGivenSurname, "Given, Surname", "Given, Surname", 25, 3, false},
      {rpt::kFieldTitlePrefix, "Title Prefix", "Title Pre", 10, 3, false},
      {rpt::kFieldTitleSuffix, "Title Suffix", "Title Suf", 10, 0, false},
      {rpt::kFieldAlsoKnownAs, "Also Known As", "Also Known As", 20, 3, false},
      {rpt::kFieldNickname, "Nickname", "Nickname", 20, 3, false},
      {rpt::kFieldSex, "Sex", "Sex", 8, 0, false},
      {rpt::kFieldRin, "RIN", "RIN", 8, 2, false},
      {rpt::kFieldCustomId, "Custom ID", "Custom ID", 10, 0, false},
      {rpt::kFieldSbn, "SBN", "SBN", 20, 0, false},
      {rpt::kFieldPhysicalDescription, "Physical Description", "Physical Description", 20, 3,
       false},
      {rpt::kFieldParentsMrin, "Parent's MRIN", "Par MRIN", 12, 2, false},
      {rpt::kFieldFather, "Father", "Father", 25, 3, false},
      {rpt::kFieldFatherRelationshipType, "Father Relationship Type", "Father Rel Type", 8, 0,
       false},
      {rpt::kFieldMother, "Mother", "Mother", 25, 3, false},
      {rpt::kFieldMotherRelationshipType, "Mother Relationship Type", "Mother Rel Type", 8, 0,
       false},
      {rpt::kFieldBirthDate, "Birth Date", "Birth Date", 15, 1, false},
      {rpt::kFieldBirthPlace, "Birth Place", "Birth Place", 40, 3, false},
      {rpt::kFieldBirthOrChristeningDate, "Birth or *Chr Date", "Birth/*Chr Date", 18, 1, false},
      {rpt::kFieldBirthOrChristeningPlace, "Birth or *Chr Place", "Birth/*Chr Place", 40, 3, false},
      {rpt::kFieldChristeningDate, "Christening Date", "Christening Date", 15, 1, false},
      {rpt::kFieldChristeningPlace, "Christening Place", "Christening Place", 40, 3, false},
      {rpt::kFieldChristening, "Christening", "Christening", 20, 3, false},
      {rpt::kFieldMrin, "MRIN", "MRIN", 8, 2, false},
      {rpt::kFieldMarriageStatus, "Marriage Status", "Mar Stat", 12, 0, false},
      {rpt::kFieldMarriageDate, "Marriage Date", "Mar Date", 15, 1, false},
      {rpt::kFieldMarriagePlace, "Marriage Place", "Mar Place", 40, 3, false},
      {rpt::kFieldMarriedName, "Married Name", "Married Name", 20, 3, false},
      {rpt::kFieldSpouse, "Spouse", "Spouse", 25, 3, false},
      {rpt::kFieldDeathDate, "Death Date", "Death Date", 15, 1, false},
      {rpt::kFieldDeathPlace, "Death Place", "Death Place", 40, 3, false},
      {rpt::kFieldDeathOrBurialDate, "Death or *Burial Date", "Death/*Bur Date", 18, 1, false},
      {rpt::kFieldDeathOrBurialPlace, "Death or *Burial Place", "Death/*Bur Place", 40, 3, false},
      {rpt::kFieldBurialDate, "Burial Date", "Bur Date", 15, 1, false},
      {rpt::kFieldBurialPlace, "Burial Place", "Bur Place", 40, 3, false},
      {rpt::kFieldCauseOfDeath, "Cause of Death", "Death Cause", 20, 3, false},
      {rpt::kFieldNotes, "Notes", "Notes", 50, 4, false},
      {rpt::kFieldHasMultimedia, "Has Multimedia", "MM", 8, 0, false},
      {rpt::kFieldNumberOfMarriages, "Number of Marriages", "#Mars", 8, 2, false},
      {rpt::kFieldNumberOfChildren, "Number of Children", "#Child", 8, 2, false},
      {rpt::kFieldNumberOfParents, "Number of Parents", "#Par", 8, 2, false},
      {rpt::kFieldAgeAtMarriage, "Age at Marriage", "Mar Age", 12, 2, false},
      {rpt::kFieldAgeAtDeath, "Age at Death", "Death Age", 12, 2, false},
      {rpt::kFieldHasCitations, "Has Citations", "Has Cit", 8, 0, false},
      {rpt::kFieldHasUserEvents, "Has User Events", "Has UEV", 8, 0, false},
      {rpt::kFieldHasSpecificUserEvent, "Has Specific User Event", "Has Event", 20, 0, false},
      {rpt::kFieldUserEventDate, "User Event Date", "Event Date", 15, 1, false},
      {rpt::kFieldUserEventPlace, "User Event Place", "Event Place", 40, 3, false},
      {rpt::kFieldUserEventDescription, "User Event Description", "Event Desc.", 20, 3, false},
      {rpt::kFieldUserEventConfidence, "User Event Confidence", "Event Conf.", 20, 0, false},
      {rpt::kFieldContactName, "Contact Name", "Contact Name", 20, 3, false},
      {rpt::kFieldContactStreet, "Contact Street", "Contact Street", 20, 3, false},
      {rpt::kFieldContactCity, "Contact City", "Contact City", 20, 3, false},
      {rpt::kFieldContactState, "Contact State", "Contact State", 20, 3, false},
      {rpt::kFieldContactZip, "Contact Zip", "Contact Zip", 20, 3, false},
      {rpt::kFieldContactCountry, "Contact Country", "Contact Country", 20, 3, false},
      {rpt::kFieldContactPhone, "Contact Phone", "Contact Phone", 20, 3, false},
      {rpt::kFieldContactEmail, "Contact E-mail", "Contact E-mail", 20, 3, false},
      {rpt::kFieldRelationshipIndicator, "Relationship Indicator", "Relationship Indicator", 25, 0,
       false},
      {rpt::kFieldCreateDate, "Create Date", "Create Date", 15, 1, false},
      {rpt::kFieldModifyDate, "Modify Date", "Modify Date", 15, 1, false},
      {rpt::kFieldZelLiveBaptism, "ZEL Live Baptism", "Live Bap", 8, 0, true},
      {rpt::kFieldBaptismDate, "Baptism Date", "Bap Date", 15, 1, true},
      {rpt::kFieldBaptismTemple, "Baptism Temple", "Bap Temple/*Place", 14, 0, true},
      {rpt::kFieldEndowmentDate, "Endowment Date", "End Date", 15, 1, true},
      {rpt::kFieldEndowmentTemple, "Endowment Temple", "End Temple", 14, 0, true},
      {rpt::kFieldSealedToParentsDate, "Sealed to Parents Date", "SP Date", 15, 1, true},
      {rpt::kFieldSealedToParentsTemple, "Sealed to Parents Temple", "SP Temple", 14, 0, true},
      {rpt::kFieldSealedToSpouseDate, "Sealed to Spouse Date", "SS Date", 15, 1, true},
      {rpt::kFieldSealedToSpouseTemple, "Sealed to Spouse Temple", "SS Temple", 14, 3, true},
      {rpt::kFieldQualifiedForBaptismEndowment, "Qualified for Baptism/Endowment", "Qual B/E", 14,
       0, true},
      {rpt::kFieldQualifiedForSealToParents, "Qualified for Seal to Parents", "Qual SP", 14, 0,
       true},
      {rpt::kFieldQualifiedForSealToSpouse, "Qualified for Seal to Spouse", "Qual SS", 14, 0, true},
  };
  const auto catalog = rpt::CustomFieldCatalog();
  ASSERT_EQ(catalog.size(), std::size(expected));
  for (std::size_t i = 0; i < catalog.size(); ++i) {
    const Expected& e = expected[i];
    SCOPED_TRACE(e.id);
    EXPECT_EQ(catalog[i].id, e.id);
    EXPECT_EQ(rpt::CustomFieldLabel(e.id), e.label);
    EXPECT_EQ(rpt::CustomFieldHeading(e.id), e.heading);
    EXPECT_EQ(rpt::CustomFieldWidth(e.id), e.width);
    EXPECT_EQ(rpt::CustomFieldSortKind(e.id), e.kind);
    EXPECT_EQ(catalog[i].zelOnly, e.zelOnly);
  }
  // The always-offered fields come first.
  for (std::size_t i = 0; i < catalog.size(); ++i) EXPECT_EQ(catalog[i].zelOnly, i >= 61) << i;
}

TEST(CustomFieldCatalog, IdsOutsideTheCatalogueTakeTheDefaults) {
  for (int id : {0, 9, 5999, 6072, 6074, 7000}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(rpt::FindCustomField(id), nullptr);
    EXPECT_EQ(rpt::CustomFieldWidth(id), 20);
    EXPECT_EQ(rpt::CustomFieldSortKind(id), 0);
  }
  std::set<int> ids;
  for (const auto& field : rpt::CustomFieldCatalog()) ids.insert(field.id);
  EXPECT_EQ(ids.size(), rpt::CustomFieldCatalog().size());
}

}  // namespace
