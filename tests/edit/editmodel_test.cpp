// The edit-record model over family files made through the database calls:
// the sections and rows it lists, its user events, what the date rules and
// the name, place and temple checks say, and what rows store back.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "EditModel.h"
#include "FakeFieldList.h"
#include "FamilyLinkRecord.h"
#include "FieldListRow.h"
#include "OrdinanceObject.h"
#include "ParentLinks.h"
#include "PlaceEventObject.h"

namespace {

class EditModelTest : public EditFamilyFixture {
 protected:
  void TearDown() override {
    for (CIndividualNode* node : nodes) node->Release();
    EditFamilyFixture::TearDown();
  }
  CIndividualEditModel& Load(std::int32_t rin) {
    nodes.push_back(Node(rin));
    model.LoadFromIndividual(nodes.back());
    return model;
  }
  std::vector<int> ListedLabels() {
    FakeList f;
    model.FillList(f.list);
    std::vector<int> ids;
    for (int i = 0; i < f.list.GetLineCount(); ++i)
      ids.push_back(f.list.GetRowObject(i)->GetLabelId());
    return ids;
  }
  // Commits typed text into the value cell of the row of labelId.
  int Type(CFieldListCtrl& list, int labelId, const std::string& text) {
    const int line = list.FindRowIndexById(labelId);
    EXPECT_GE(line, 0) << labelId;
    CFieldCell* cell = list.GetCell(1, line);
    cell->SetText(text);
    return list.GetRowObject(line)->Commit(&model, &list, cell);
  }

  std::vector<CIndividualNode*> nodes;
  CIndividualEditModel model;
};

const std::vector<int> kPersonal = {3718, 3733, 3734, 3735, 3736, 3737};
const std::vector<int> kEvents = {3719, 3710, 4777, 3711, 4777, 3712, 4777, 3713, 4777};
const std::vector<int> kOrdinances = {3720, 7101, 7316, 7315, 7207, 7186, 3715, 7186};
const std::vector<int> kOther = {3722, 4819, 3739, 4818, 4820, 4821, 3738};

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(EditModelTest, SectionsAndRowsInOrderWithAndWithoutZel) {
  const std::int32_t anna = Add("Hale", "Anna", 'F', 1900);
  EditEnvironment().options.showZel = true;
  Load(anna);
  EXPECT_EQ(ListedLabels(), Join({kPersonal, kEvents, kOrdinances, kOther}));
  EXPECT_NE(model.GetBaptismOrdinance(), nullptr);

  CIndividualEditModel plain;
  EditEnvironment().options.showZel = false;
  EditEnvironment().options.allowSbnEdit = true;
  nodes.push_back(Node(anna));
  plain.LoadFromIndividual(nodes.back());
  FakeList f;
  plain.FillList(f.list);
  std::vector<int> ids;
  for (int i = 0; i < f.list.GetLineCount(); ++i)
    ids.push_back(f.list.GetRowObject(i)->GetLabelId());
  EXPECT_EQ(ids, Join({kPersonal, kEvents, {3722, 4819, 3739, 4818, 4820, 4821, 3740, 3738}}));
  EXPECT_EQ(plain.GetBaptismOrdinance(), nullptr);
}

TEST_F(EditModelTest, UserEventsListRowsByTheirDateKind) {
  const std::int32_t anna = Add("Hale", "Anna", 'F');
  AddUserEvent(anna, "Census", 1);
  AddUserEvent(anna, "Residence", 2, true);
  AddUserEvent(anna, "Hobby", 0);
  EditEnvironment().options.showZel = false;
  Load(anna);
  EXPECT_EQ(ListedLabels(), Join({kPersonal,
                                  kEvents,
                                  {3721, 0, 4777, 3702, 0, 3703, 4777, 5233, 3702, 0, 4777, 3702},
                                  kOther}));
  const auto& rows = model.OtherEventRows();
  EXPECT_EQ(rows[0]->GetLabel(), "Census");
  EXPECT_EQ(rows[3]->GetLabel(), "Residence");
  EXPECT_EQ(rows[0]->IsReadOnly(), 0);
  EXPECT_EQ(rows[8]->GetLabel(), "Hobby");
  EXPECT_EQ(rows[8]->IsReadOnly(), 1) << "no date for date kind 0";
  EXPECT_EQ(rows[8]->CreateLabelCell()->PeekText(), "Hobby") << "read-only: no colon";
  EXPECT_EQ(rows[0]->CreateLabelCell()->PeekText(), "Census:");
}

TEST_F(EditModelTest, RemovedUserEventsLeaveTheListAndTheHeadingWithTheLast) {
  const std::int32_t anna = Add("Hale", "Anna", 'F');
  AddUserEvent(anna, "Census", 1);
  AddUserEvent(anna, "Hobby", 1);
  EditEnvironment().options.showZel = false;
  Load(anna);
  model.RemoveUserEvent(model.UserEvents()[0].get());
  EXPECT_EQ(ListedLabels(), Join({kPersonal, kEvents, {3721, 0, 4777, 3702}, kOther}));
  model.RemoveUserEvent(model.UserEvents()[1].get());
  EXPECT_EQ(ListedLabels(), Join({kPersonal, kEvents, kOther}));
}

TEST_F(EditModelTest, StoreUserEventsKeepsTheOthersInDateOrder) {
  const std::int32_t anna = Add("Hale", "Anna", 'F');
  const std::int32_t late = AddUserEvent(anna, "Census", 1, false, 1930);
  const std::int32_t gone = AddUserEvent(anna, "Hobby", 1, false, 1920);
  const std::int32_t early = AddUserEvent(anna, "Residence", 1, false, 1910);
  Load(anna);
  for (const auto& event : model.UserEvents())
    if (event->recordNumber == gone) model.RemoveUserEvent(event.get());
  EXPECT_EQ(model.StoreUserEvents(), 2);
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kUserEvent, anna, db::kOwnerIndividual);
  EXPECT_EQ(list, (std::vector<std::int32_t>{early, late}));
  CUserEventRecord removed;
  EXPECT_NE(family::Read(removed, gone), 1);
}

TEST_F(EditModelTest, TheFirstBrokenRuleInTableOrderSpeaksAndTheDateIsKept) {
  const std::int32_t father = Add("Hale", "Tom", 'M', 1900);
  const std::int32_t mother = Add("Quill", "Ada", 'F', 1950);
  const std::int32_t parents = Marry(father, mother);
  const std::int32_t child = Add("Hale", "Ben", 'M');
  AddChild(parents, child);
  Load(child);
  FakeList f;
  model.FillList(f.list);
  struct Case {
    int labelId;  // the date row's label
    const char* typed;
    const char* message;  // "" when no rule breaks
  } cases[] = {
      // father + 12 years (rule 4) comes before the mother's birth (rule 7)
      {3710, "1905", "A parent would have been younger than 12 at this individual's birth."},
      {3710, "1965", ""},
      {3712, "2030", "The date is after today."},
      {3712, "1990", ""},
      // the father's 70 years (row 5) before the 8 years after birth and
      // the death (row 9)
      {3711, "1995", "The father would have been older than 70 at this individual's birth."},
      {3711, "1966", ""},
      // the birth's order rule (row 8) before the death's (row 10)
      {3713, "1960", "The burial date is before the birth date."},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    const int line = f.list.FindRowIndexById(c.labelId);
    CFieldCell* cell = f.list.GetCell(1, line);
    cell->SetText(c.typed);
    EXPECT_EQ(f.list.GetRowObject(line)->Commit(&model, &f.list, cell), 1) << c.typed;
    EXPECT_EQ(LastMessage(), c.message) << c.labelId << " " << c.typed;
    EXPECT_EQ(model.FindEventByLabel(c.labelId)->GetDateText(), c.typed);
  }
  EXPECT_EQ(EditEnvironment().dates.GetHead(), "1960");
}

TEST_F(EditModelTest, TempleAndPlaceIfLivingClearEachOther) {
  const std::int32_t anna = Add("Hale", "Anna", 'F', 1900);
  Load(anna);
  FakeList f;
  model.FillList(f.list);
  const int templeLine = f.list.FindRowIndexById(7316);
  const int liveLine = f.list.FindRowIndexById(7315);
  EXPECT_EQ(Type(f.list, 7315, "Salem"), 1);
  EXPECT_EQ(model.IsPlaceIfLivingEmpty(), 0);
  EXPECT_EQ(model.GetLivePlaceEvent()->GetPlace(), "Salem");
  EXPECT_EQ(f.list.GetCell(2, liveLine)->IsReadOnly(), 0);
  EXPECT_EQ(f.list.GetCell(2, templeLine)->IsReadOnly(), 1);

  EXPECT_EQ(Type(f.list, 7316, "SALTB"), 1);
  auto* baptism = static_cast<COrdinanceObject*>(model.GetBaptismOrdinance());
  EXPECT_EQ(baptism->templeCode, "SALTB");
  EXPECT_EQ(model.IsPlaceIfLivingEmpty(), 1);
  EXPECT_EQ(model.GetLivePlaceEvent()->GetPlace(), "");
  EXPECT_EQ(f.list.GetCell(1, liveLine)->PeekText(), "");
  EXPECT_EQ(f.list.GetCell(2, liveLine)->IsReadOnly(), 1);
  EXPECT_EQ(f.list.GetCell(2, liveLine)->PeekText(), "");
  EXPECT_EQ(f.list.GetCell(2, templeLine)->PeekText(), "s");

  EXPECT_EQ(Type(f.list, 7315, "Lynn"), 1);
  EXPECT_EQ(baptism->templeCode, "");
  EXPECT_EQ(f.list.GetRowObject(templeLine)->GetText(), "");
}

TEST_F(EditModelTest, AnInvalidTempleIsShownAndTheOrdinanceKeepsItsTemple) {
  CIndividualRecord person;
  person.endowment.templeCode = "HARRO";
  const std::int32_t anna = Add(person, "Hale", "Anna", 'F');
  Load(anna);
  FakeList f;
  model.FillList(f.list);
  const int line = f.list.FindRowIndexById(7207) + 1;
  CFieldCell* cell = f.list.GetCell(1, line);
  cell->SetText("ZZZZZ");
  EXPECT_EQ(f.list.GetRowObject(line)->Commit(&model, &f.list, cell), 1);
  EXPECT_EQ(LastMessage(), "ZZZZZ is not a valid temple code");
  EXPECT_EQ(f.list.GetRowObject(line)->GetText(), "ZZZZZ");
  EXPECT_EQ(model.GetEndowmentOrdinance()->GetPlace(), "HARRO");
}

TEST_F(EditModelTest, ANewSecondGivenNamePromptsOnceWithTheWholeText) {
  Add("Hale", "Anna", 'F');
  Add("Hale", "Rose", 'F');
  const std::int32_t ben = Add("Hale", "Ben", 'M');
  EditEnvironment().options.verifyNew = true;
  Load(ben);
  FakeList f;
  model.FillList(f.list);
  std::string stored;
  ASSERT_EQ(DbFindString("Maria", 0, stored), 0);

  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(Type(f.list, 3733, "Anna Maria Rose"), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Anna Maria Rose\n\nIs this name correct?");
  EXPECT_EQ(model.GetGivenName(), "Ben");
  EXPECT_TRUE(EditEnvironment().givenNames.IsEmpty());
  EXPECT_EQ(DbFindString("Maria", 0, stored), 0);

  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(Type(f.list, 3733, "Anna Maria Rose"), 1);
  EXPECT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(model.GetGivenName(), "Anna Maria Rose");
  EXPECT_EQ(DbFindString("Maria", 0, stored), 1);
  EXPECT_EQ(EditEnvironment().givenNames.GetHead(), "Anna Maria Rose");

  EditEnvironment().options.verifyNew = false;
  boxes.Clear();
  EXPECT_EQ(Type(f.list, 4818, "Bessy"), 1);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(DbFindString("Bessy", 0, stored), 0);
  EXPECT_EQ(model.GetNickname(), "Bessy");
}

TEST_F(EditModelTest, NameChecksWarnAndStillSetTheName) {
  const std::int32_t tom = Add("Hale", "Tom", 'M');
  const std::int32_t ada = Add("Quill", "Ada", 'F');
  Marry(tom, ada);
  Load(ada);
  FakeList f;
  model.FillList(f.list);
  EXPECT_EQ(Type(f.list, 3734, "Hale"), 1);
  EXPECT_EQ(LastMessage(), "Surnames are the same.");
  EXPECT_EQ(EditEnvironment().surnames.GetHead(), "Hale");
  boxes.Clear();
  EXPECT_EQ(Type(f.list, 3734, "Dunkel"), 1);
  EXPECT_EQ(LastMessage().rfind("Relationships and special terms", 0), 0u);
  EXPECT_EQ(model.GetSurname(), "Dunkel");
}

TEST_F(EditModelTest, SexAndOtherTextsReadBack) {
  CIndividualRecord person;
  person.nameExtensions[0] = "Nan";
  person.texts2[0] = "fever";
  const std::int32_t anna = Add(person, "Hale", "Anna", 'F');
  Load(anna);
  FakeList f;
  model.FillList(f.list);
  EXPECT_EQ(model.GetSex(), 'F');
  EXPECT_EQ(Type(f.list, 3737, "male"), 1);
  EXPECT_EQ(model.GetSex(), 'M');
  EXPECT_EQ(model.GetNickname(), "Nan");
  EXPECT_EQ(model.GetCauseOfDeath(), "fever");
  EXPECT_EQ(Type(f.list, 4820, "old  age "), 1);
  const CIndividualEditValues values = model.GetValues();
  EXPECT_EQ(values.sex, 'M');
  EXPECT_EQ(values.detailTexts[1], "old age");
  EXPECT_EQ(values.nameExtensions[0], "Nan");
  EXPECT_EQ(values.givenNames, "Anna");
  EXPECT_EQ(values.rin, anna);
}

TEST_F(EditModelTest, YesNoRowTakesYesInAnyCase) {
  const std::int32_t anna = Add("Hale", "Anna", 'F');
  AddUserEvent(anna, "Census", 1);
  Load(anna);
  FakeList f;
  model.FillList(f.list);
  const int line = f.list.FindRowIndexById(3702);
  CFieldCell* cell = f.list.GetCell(1, line);
  CFieldListRow* row = f.list.GetRowObject(line);
  EXPECT_EQ(row->GetText(), "No");
  cell->SetText("yes");
  EXPECT_EQ(row->IsChanged(&model, &f.list, cell), 1);
  EXPECT_EQ(row->Commit(&model, &f.list, cell), 1);
  EXPECT_EQ(model.UserEvents()[0]->GetYesNo(), 1);
  EXPECT_EQ(row->IsChanged(&model, &f.list, cell), 0);
}

TEST_F(EditModelTest, MarriageModelListsItsSections) {
  const std::int32_t tom = Add("Hale", "Tom", 'M', 1900);
  const std::int32_t ada = Add("Quill", "Ada", 'F', 1902);
  const std::int32_t mrin = Marry(tom, ada);
  CMarriageRecord record;
  ASSERT_EQ(family::Read(record, mrin), 1);
  CMarriageNode* node = CMarriageNode::New(record);
  node->AddRef();
  CMarriageEditModel marriage;
  marriage.LoadFromMarriage(node);
  FakeList f;
  marriage.FillList(f.list);
  std::vector<int> ids;
  for (int i = 0; i < f.list.GetLineCount(); ++i)
    ids.push_back(f.list.GetRowObject(i)->GetLabelId());
  EXPECT_EQ(ids, (std::vector<int>{3719, 7159, 4777, 3720, 3714, 7186}));
  const int line = f.list.FindRowIndexById(7159);
  CFieldCell* cell = f.list.GetCell(1, line);
  cell->SetText("1920");
  EXPECT_EQ(f.list.GetRowObject(line)->Commit(&marriage, &f.list, cell), 1);
  EXPECT_EQ(LastMessage(), "");
  cell->SetText("1905");
  f.list.GetRowObject(line)->Commit(&marriage, &f.list, cell);
  EXPECT_EQ(LastMessage(), "A spouse would have been younger than 12 at the marriage.");
  EXPECT_EQ(marriage.GetValues().marriage.date.ToString(), "1905");
  ReleaseMarriageRef(node);
}

// Parents of, opened from the screen, stores a sealing or a new primary
// family; the screen takes them again, so its Save neither writes the old
// sealing back over the stored one nor takes the individual back to the old
// first link.
TEST_F(EditModelTest, SaveAfterParentsOfKeepsWhatParentsOfStored) {
  struct Case {
    const char* what;
    bool makeSecondPrimary;
  };
  for (const Case& c : {Case{"the primary sealing changed", false},
                        Case{"the second family made primary with a sealing", true}}) {
    SCOPED_TRACE(c.what);
    EditEnvironment().options.showZel = true;
    const std::int32_t child = Add("Lind", "Ada", 'F', 1900);
    std::vector<std::int32_t> links;
    for (const char* given : {"One", "Two"}) {
      const std::int32_t mrin = Marry(Add("Lind", given, 'M', 1870), Add("Berg", given, 'F', 1872));
      links.push_back(DbSetRelation(child, 0, db::kRelParents, mrin));
      ASSERT_GT(links.back(), 0);
    }
    {
      CParentLinkList before;
      ASSERT_TRUE(before.Load(child));
      before.SetCurrent(0);
      before.SetSealing("12 Mar 1901", "SLAKE");
      ASSERT_TRUE(before.StoreCurrent());
    }
    Load(child);
    CIndividualNode* node = nodes.back();

    CParentLinkList parentsOf;
    ASSERT_TRUE(parentsOf.Load(child));
    parentsOf.SetIndividual(node);
    if (c.makeSecondPrimary) parentsOf.MakePrimary(1);
    parentsOf.SetCurrent(0);
    parentsOf.SetSealing("Cleared", "LOGAN");
    ASSERT_TRUE(parentsOf.Save());
    const std::int32_t head = parentsOf.Link(0).linkNumber;

    model.TakeParentLinks();
    const CIndividualEditValues values = model.GetValues();
    EXPECT_EQ(values.parentLink, head);
    EXPECT_EQ(values.sealingToParents.templeCode, "LOGAN");
    node->SetFromScreen(values);
    EXPECT_EQ(node->GetLinks()->parentLink, head);

    auto storedTemple = [](std::int32_t link) {
      CFamilyLinkRecord record;
      EXPECT_EQ(DbGetRecord(link, db::kFamilyLink, &record), 1);
      return record.GetSealingEvent() != nullptr ? record.GetSealingEvent()->templeCode
                                                 : std::string();
    };
    EXPECT_EQ(storedTemple(head), "LOGAN");
    EXPECT_EQ(storedTemple(links[0]), c.makeSecondPrimary ? "SLAKE" : "LOGAN");
  }
}

// The date rules check a birth against the parents, their marriage and the
// siblings of the parent family in use; when Parents of changes which
// family that is, the screen's rules follow it.
TEST_F(EditModelTest, DateRulesFollowTheParentFamilyParentsOfLeavesInUse) {
  const std::string married =
      "The parents' marriage date is after this individual's birth or christening.";
  const std::string olderSibling = "The next older sibling's birth date is after this birth date.";
  const std::string fatherOld =
      "The father would have been older than 70 at this individual's birth.";
  struct Case {
    const char* what;
    bool showZel;
    // Applied to the list whose link 0 is the first family, 1 the second.
    void (*change)(CParentLinkList&);
    // The message for a birth typed as 1900, 1908 and 1931 afterwards.
    std::string after[3];
  };
  const Case cases[] = {
      {"the second family made primary",
       true,
       [](CParentLinkList& l) {
         l.MakePrimary(1);
         ASSERT_TRUE(l.Save());
       },
       {married, olderSibling, ""}},
      {"the first family unlinked, without ZEL data",
       false,
       [](CParentLinkList& l) {
         l.SetCurrent(0);
         ASSERT_TRUE(l.UnlinkCurrent());
       },
       {married, olderSibling, ""}},
      {"both families unlinked",
       true,
       [](CParentLinkList& l) {
         while (l.Count() > 0) {
           l.SetCurrent(0);
           ASSERT_TRUE(l.UnlinkCurrent());
         }
       },
       {"", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditEnvironment().options.showZel = c.showZel;
    // The first parents married in 1885 and had no other child; the second
    // married in 1905, younger, with a child born in 1911.
    const std::int32_t first =
        Marry(Add("Lind", "Olof", 'M', 1860), Add("Berg", "Stina", 'F', 1862));
    SetMarriageEvent(first, Year(1885), "Umea");
    const std::int32_t second = Marry(Add("Moss", "Karl", 'M', 1880), Add("Ek", "Lena", 'F', 1882));
    SetMarriageEvent(second, Year(1905), "Pitea");
    AddChild(second, Add("Moss", "Nils", 'M', 1911));
    const std::int32_t child = Add("Lind", "Ada", 'F');
    AddChild(first, child);
    AddChild(second, child);
    Load(child);
    FakeList f;
    model.FillList(f.list);
    const auto messageFor = [&](const char* birth) {
      boxes.Clear();
      EXPECT_EQ(Type(f.list, 3710, birth), 1);
      return LastMessage();
    };
    const char* const births[] = {"1900", "1908", "1931"};
    // With the first family in use nothing stands against 1900 and 1908,
    // while its father would have been 71 in 1931.
    const std::string before[3] = {"", "", fatherOld};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(messageFor(births[i]), before[i]) << births[i];

    CParentLinkList parentsOf;
    ASSERT_TRUE(parentsOf.Load(child));
    ASSERT_EQ(parentsOf.Count(), 2);
    ASSERT_EQ(parentsOf.Link(0).mrin, first);
    parentsOf.SetIndividual(nodes.back());
    c.change(parentsOf);
    model.TakeParentLinks();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(messageFor(births[i]), c.after[i]) << births[i];
  }
}

}  // namespace
