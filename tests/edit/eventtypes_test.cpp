// Event types as Select Event and Define Custom Event handle them: the
// sample sentence, the checks of OK, and the list's New, Edit and Delete
// over a family file.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "EventTypes.h"
#include "StringIds.h"

namespace {

TEST(EventSample, SentenceFollowsKindDateAndDescription) {
  struct Case {
    char kind;
    const char* verb;
    const char* prep;
    bool description;
    int dateKind;
    const char* sample;
  } cases[] = {
      {'I', "immigrated", "to", false, 1, "He immigrated 29 Feb 1980 to Yuma, Arizona."},
      {'M', "moved", "to", false, 0, "They moved to Yuma, Arizona."},
      {'I', "served", "in", true, 2,
       "He served [DESCRIPTION] 15 Mar 1980 - 14 Apr 1982 in Yuma, Arizona."},
      {'M', "", "", false, 0, "They   Yuma, Arizona."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BuildEventSample(c.kind, c.verb, c.prep, c.description, c.dateKind), c.sample);
}

EventTypeFields Complete() {
  EventTypeFields f;
  f.title = "Immigration";
  f.shortTitle = "Immig";
  f.abbreviation = "Im";
  f.verb = "immigrated";
  f.preposition = "to";
  return f;
}

TEST(EventTypeCheck, FirstFailingCheckWins) {
  EventTypeNames names;
  names.titles = {"emigration", "census"};
  names.shortTitles = {"emig", "cens"};
  struct Case {
    const char* what;
    void (*change)(EventTypeFields&);
    const char* oldTitle;
    const char* oldShort;
    int message;
    EventTypeField field;
  } cases[] = {
      {"complete", [](EventTypeFields&) {}, "", "", 0, EventTypeField::kNone},
      {"title used but for case", [](EventTypeFields& f) { f.title = "EMIGRATION"; }, "", "",
       res::kIdsTitleUsed, EventTypeField::kTitle},
      {"own title kept", [](EventTypeFields& f) { f.title = "Census"; }, "census", "", 0,
       EventTypeField::kNone},
      {"predefined title is not tested",
       [](EventTypeFields& f) {
         f.title = "Census";
         f.predefined = true;
       },
       "", "", 0, EventTypeField::kNone},
      {"title used before empty short title",
       [](EventTypeFields& f) {
         f.title = "census";
         f.shortTitle = "";
       },
       "", "", res::kIdsTitleUsed, EventTypeField::kTitle},
      {"no title", [](EventTypeFields& f) { f.title = ""; }, "", "", res::kIdsNoTitle,
       EventTypeField::kTitle},
      {"no short title", [](EventTypeFields& f) { f.shortTitle = ""; }, "", "",
       res::kIdsNoShortTitle, EventTypeField::kShortTitle},
      {"no abbreviation", [](EventTypeFields& f) { f.abbreviation = ""; }, "", "",
       res::kIdsNoAbbreviation, EventTypeField::kAbbreviation},
      {"no verb", [](EventTypeFields& f) { f.verb = ""; }, "", "", res::kIdsNoVerb,
       EventTypeField::kVerb},
      {"no preposition", [](EventTypeFields& f) { f.preposition = ""; }, "", "",
       res::kIdsNoPreposition, EventTypeField::kPreposition},
      {"short title used", [](EventTypeFields& f) { f.shortTitle = "Cens"; }, "", "",
       res::kIdsShortTitleUsed, EventTypeField::kShortTitle},
      {"own short title kept", [](EventTypeFields& f) { f.shortTitle = "Cens"; }, "", "cens", 0,
       EventTypeField::kNone},
      {"empty fields before a used short title",
       [](EventTypeFields& f) {
         f.shortTitle = "Cens";
         f.verb = "";
       },
       "", "", res::kIdsNoVerb, EventTypeField::kVerb},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EventTypeFields f = Complete();
    c.change(f);
    const EventTypeCheck check = CheckEventTypeFields(f, c.oldTitle, c.oldShort, names);
    EXPECT_EQ(check.messageId, c.message);
    EXPECT_EQ(check.field, c.field);
    EXPECT_EQ(check.Passed(), c.message == 0);
  }
  EventTypeFields f = Complete();
  f.title = "Census";
  const EventTypeCheck used = CheckEventTypeFields(f, "", "", names);
  EXPECT_EQ(used.message, "The title \"Census\" has already been used. Enter another title.");
  EXPECT_EQ(used.flags & plat::kMbIconMask, 0u);
  f = Complete();
  f.abbreviation = "";
  EXPECT_EQ(CheckEventTypeFields(f, "", "", names).flags & plat::kMbIconMask,
            plat::kMbIconExclamation);
}

class EventTypeListTest : public EditFamilyFixture {
 protected:
  static std::int32_t AddType(const char* title, const char* shortTitle, char kind,
                              bool predefined = false) {
    CEventTypeRecord type;
    type.title = title;
    type.shortTitle = shortTitle;
    type.ownerKind = kind;
    if (predefined) {
      type.tag = "CENS";
      type.hasTag = 1;
    }
    return DbAddRecord(db::kEventType, 0, &type);
  }
};

TEST_F(EventTypeListTest, LoadsOneKindInTitleOrderWithThePreselection) {
  AddType("Residence", "Resid", 'I');
  const std::int32_t banns = AddType("Banns", "Banns", 'M');
  const std::int32_t census = AddType("census", "", 'I');
  AddType("Adoption", "Adopt", 'I');
  CEventTypeList list;
  list.Load('I', census);
  EXPECT_EQ(list.Titles(), (std::vector<std::string>{"Adoption", "census", "Residence"}));
  EXPECT_EQ(list.SelectedNumber(), census);
  // An empty short title is in use under the title, and Edit shows the title.
  EXPECT_EQ(list.Names().shortTitles.count("census"), 1u);
  EXPECT_EQ(list.FieldsOf(1).shortTitle, "census");
  list.Load('M', -1);
  EXPECT_EQ(list.Titles(), (std::vector<std::string>{"Banns"}));
  EXPECT_EQ(list.SelectedNumber(), banns);
  EXPECT_EQ(list.Names().titles, (std::set<std::string>{"banns"}));
}

TEST_F(EventTypeListTest, NewEditDelete) {
  AddType("Residence", "Resid", 'I');
  CEventTypeList list;
  list.Load('I', -1);
  EventTypeFields f = Complete();
  const int added = list.Add(f);
  ASSERT_EQ(added, 0);
  EXPECT_EQ(list.GetSelection(), 0);
  const std::int32_t number = list.SelectedNumber();
  CEventTypeRecord stored;
  ASSERT_EQ(family::Read(stored, number), 1);
  EXPECT_EQ(stored.title, "Immigration");
  EXPECT_EQ(stored.verbPhrase, "immigrated");
  EXPECT_EQ(stored.ownerKind, 'I');
  EXPECT_EQ(stored.tag, "");
  EXPECT_EQ(list.Names().titles.count("immigration"), 1u);

  // A new title re-sorts the line; the old title leaves the titles in use.
  f.title = "Walkabout";
  f.verb = "walked";
  const int moved = list.Update(0, f);
  EXPECT_EQ(moved, 1);
  EXPECT_EQ(list.Titles(), (std::vector<std::string>{"Residence", "Walkabout"}));
  EXPECT_EQ(list.Names().titles.count("immigration"), 0u);
  ASSERT_EQ(family::Read(stored, number), 1);
  EXPECT_EQ(stored.title, "Walkabout");
  EXPECT_EQ(stored.verbPhrase, "walked");

  // Retyped in another letter case the title stays as it was.
  f.title = "WALKABOUT";
  EXPECT_EQ(list.Update(1, f), 1);
  ASSERT_EQ(family::Read(stored, number), 1);
  EXPECT_EQ(stored.title, "Walkabout");

  // Delete removes the type; its titles stay in use until the list goes.
  EXPECT_TRUE(list.CanDelete(1, false));
  EXPECT_FALSE(list.CanDelete(1, true));
  ASSERT_TRUE(list.Delete(1));
  EXPECT_EQ(list.GetSelection(), 0);
  EXPECT_NE(family::Read(stored, number), 1);
  EventTypeFields again = Complete();
  again.title = "walkabout";
  EXPECT_EQ(CheckEventTypeFields(again, "", "", list.Names()).messageId, res::kIdsTitleUsed);
}

// A new type never takes a deleted type's number, so that user events of
// the deleted type do not turn into the new one.
TEST_F(EventTypeListTest, NewTypeDoesNotReuseADeletedNumber) {
  CEventTypeList list;
  list.Load('I', -1);
  ASSERT_EQ(list.Add(Complete()), 0);
  const std::int32_t first = list.SelectedNumber();
  ASSERT_TRUE(list.Delete(0));
  EventTypeFields f = Complete();
  f.title = "Census";
  f.shortTitle = "Cens";
  ASSERT_EQ(list.Add(f), 0);
  EXPECT_NE(list.SelectedNumber(), first);
}

TEST_F(EventTypeListTest, PredefinedTypeCannotBeDeleted) {
  AddType("Census", "Cens", 'I', true);
  CEventTypeList list;
  list.Load('I', -1);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_FALSE(list.CanDelete(0, false));
  EXPECT_TRUE(list.FieldsOf(0).predefined);
}

}  // namespace
