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
      {6000, "Surname, Given", "Surname, Given", 25, 3, false},
      {6001, "Given, Surname", "Given, Surname", 25, 3, false},
      {6052, "Title Prefix", "Title Pre", 10, 3, false},
      {6002, "Title Suffix", "Title Suf", 10, 0, false},
      {6053, "Also Known As", "Also Known As", 20, 3, false},
      {6054, "Nickname", "Nickname", 20, 3, false},
      {6003, "Sex", "Sex", 8, 0, false},
      {6004, "RIN", "RIN", 8, 2, false},
      {6005, "Custom ID", "Custom ID", 10, 0, false},
      {6058, "SBN", "SBN", 20, 0, false},
      {6057, "Physical Description", "Physical Description", 20, 3, false},
      {6006, "Parent's MRIN", "Par MRIN", 12, 2, false},
      {6007, "Father", "Father", 25, 3, false},
      {6061, "Father Relationship Type", "Father Rel Type", 8, 0, false},
      {6008, "Mother", "Mother", 25, 3, false},
      {6062, "Mother Relationship Type", "Mother Rel Type", 8, 0, false},
      {6009, "Birth Date", "Birth Date", 15, 1, false},
      {6010, "Birth Place", "Birth Place", 40, 3, false},
      {6011, "Birth or *Chr Date", "Birth/*Chr Date", 18, 1, false},
      {6012, "Birth or *Chr Place", "Birth/*Chr Place", 40, 3, false},
      {6013, "Christening Date", "Christening Date", 15, 1, false},
      {6014, "Christening Place", "Christening Place", 40, 3, false},
      {6045, "Christening", "Christening", 20, 3, false},
      {6015, "MRIN", "MRIN", 8, 2, false},
      {6016, "Marriage Status", "Mar Stat", 12, 0, false},
      {6017, "Marriage Date", "Mar Date", 15, 1, false},
      {6018, "Marriage Place", "Mar Place", 40, 3, false},
      {6055, "Married Name", "Married Name", 20, 3, false},
      {6019, "Spouse", "Spouse", 25, 3, false},
      {6020, "Death Date", "Death Date", 15, 1, false},
      {6021, "Death Place", "Death Place", 40, 3, false},
      {6022, "Death or *Burial Date", "Death/*Bur Date", 18, 1, false},
      {6023, "Death or *Burial Place", "Death/*Bur Place", 40, 3, false},
      {6024, "Burial Date", "Bur Date", 15, 1, false},
      {6025, "Burial Place", "Bur Place", 40, 3, false},
      {6056, "Cause of Death", "Death Cause", 20, 3, false},
      {6026, "Notes", "Notes", 50, 4, false},
      {6027, "Has Multimedia", "MM", 8, 0, false},
      {6028, "Number of Marriages", "#Mars", 8, 2, false},
      {6029, "Number of Children", "#Child", 8, 2, false},
      {6063, "Number of Parents", "#Par", 8, 2, false},
      {6030, "Age at Marriage", "Mar Age", 12, 2, false},
      {6031, "Age at Death", "Death Age", 12, 2, false},
      {6044, "Has Citations", "Has Cit", 8, 0, false},
      {6046, "Has User Events", "Has UEV", 8, 0, false},
      {6047, "Has Specific User Event", "Has Event", 20, 0, false},
      {6048, "User Event Date", "Event Date", 15, 1, false},
      {6049, "User Event Place", "Event Place", 40, 3, false},
      {6050, "User Event Description", "Event Desc.", 20, 3, false},
      {6051, "User Event Confidence", "Event Conf.", 20, 0, false},
      {6064, "Contact Name", "Contact Name", 20, 3, false},
      {6065, "Contact Street", "Contact Street", 20, 3, false},
      {6066, "Contact City", "Contact City", 20, 3, false},
      {6067, "Contact State", "Contact State", 20, 3, false},
      {6068, "Contact Zip", "Contact Zip", 20, 3, false},
      {6069, "Contact Country", "Contact Country", 20, 3, false},
      {6070, "Contact Phone", "Contact Phone", 20, 3, false},
      {6071, "Contact E-mail", "Contact E-mail", 20, 3, false},
      {6073, "Relationship Indicator", "Relationship Indicator", 25, 0, false},
      {6059, "Create Date", "Create Date", 15, 1, false},
      {6060, "Modify Date", "Modify Date", 15, 1, false},
      {6043, "ZEL Live Baptism", "Live Bap", 8, 0, true},
      {6032, "Baptism Date", "Bap Date", 15, 1, true},
      {6033, "Baptism Temple", "Bap Temple/*Place", 14, 0, true},
      {6034, "Endowment Date", "End Date", 15, 1, true},
      {6035, "Endowment Temple", "End Temple", 14, 0, true},
      {6036, "Sealed to Parents Date", "SP Date", 15, 1, true},
      {6037, "Sealed to Parents Temple", "SP Temple", 14, 0, true},
      {6038, "Sealed to Spouse Date", "SS Date", 15, 1, true},
      {6039, "Sealed to Spouse Temple", "SS Temple", 14, 3, true},
      {6040, "Qualified for Baptism/Endowment", "Qual B/E", 14, 0, true},
      {6041, "Qualified for Seal to Parents", "Qual SP", 14, 0, true},
      {6042, "Qualified for Seal to Spouse", "Qual SS", 14, 0, true},
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
