// What the Report Fields, Column Options and Sort Order screens decide:
// which fields may be added, where they go, the limits of the lists, and
// that only OK changes the layout.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "CustomDialogModels.h"
#include "CustomFieldCatalog.h"

namespace {

// Answers the note-tag and event-type questions from a queue; an empty
// queue, or the answer "cancel", cancels.
struct Answers {
  std::deque<std::string> queue;
  int asked = 0;
  rpt::CustomFieldQuestions Questions() {
    auto answer = [this](std::string& out) {
      ++asked;
      if (queue.empty()) return false;
      out = queue.front();
      queue.pop_front();
      return out != "cancel";
    };
    return {answer, answer};
  }
};

void AddColumn(CCustomReportLayout& layout, int id, const std::string& option = {}) {
  auto column = std::make_unique<CCustomReportColumn>();
  column->fieldId = id;
  column->width = rpt::CustomFieldWidth(id);
  column->heading = "h" + std::to_string(id);
  column->option = option;
  layout.columns.push_back(std::move(column));
}

int IndexOf(const std::vector<rpt::CustomFieldChoice>& list, int id) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].id == id) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> Texts(const rpt::CCustomFieldsModel& model) {
  std::vector<std::string> out;
  for (int i = 0; i < model.ColumnCount(); ++i) out.push_back(model.EntryText(i));
  return out;
}

TEST(CustomFieldsModel, AddsOnlyWhatTheListMayHold) {
  struct Case {
    const char* name;
    std::vector<int> existing;
    std::vector<std::vector<int>> picks;  // one ">" per pick
    std::vector<std::string> answers;
    std::vector<std::string> texts;  // the whole list afterwards
  };
  const Case cases[] = {
      {"surname first", {}, {{rpt::kFieldSurnameGiven}}, {}, {"Surname, Given"}},
      {"the other name form",
       {rpt::kFieldSurnameGiven},
       {{rpt::kFieldGivenSurname}},
       {},
       {"Surname, Given"}},
      {"both name forms at once", {}, {{rpt::kFieldSurnameGiven, rpt::kFieldGivenSurname}}, {}, {}},
      {"short heading as text",
       {},
       {{rpt::kFieldTitlePrefix}, {rpt::kFieldRin}},
       {},
       {"Title Pre", "RIN"}},
      {"same field twice", {}, {{rpt::kFieldRin}, {rpt::kFieldRin}}, {}, {"RIN"}},
      {"notes with two tags",
       {},
       {{rpt::kFieldNotes}, {rpt::kFieldNotes}},
       {"!", "~"},
       {"Notes (!)", "Notes (~)"}},
      {"notes with one tag twice",
       {},
       {{rpt::kFieldNotes}, {rpt::kFieldNotes}},
       {"!", "!"},
       {"Notes (!)"}},
      {"user event", {}, {{rpt::kFieldUserEventDate}}, {"Graduation"}, {"Event Date (Graduation)"}},
      {"cancelled question", {}, {{rpt::kFieldNotes, rpt::kFieldRin}}, {"cancel"}, {"RIN"}},
      {"several at once in list order",
       {},
       {{rpt::kFieldBirthDate, rpt::kFieldSurnameGiven}},
       {},
       {"Surname, Given", "Birth Date"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CCustomReportLayout layout;
    for (int id : c.existing) AddColumn(layout, id);
    Answers answers{{c.answers.begin(), c.answers.end()}};
    rpt::CCustomFieldsModel model(layout, false, answers.Questions());
    for (const auto& pick : c.picks) {
      std::vector<int> indices;
      for (int id : pick) indices.push_back(IndexOf(model.Possible(), id));
      model.SetPossibleSelection(indices);
      model.Add();
    }
    EXPECT_EQ(Texts(model), c.texts);
  }
}

TEST(CustomFieldsModel, TheAddButtonFollowsTheSelection) {
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven);
  AddColumn(layout, rpt::kFieldRin);
  Answers answers;
  rpt::CCustomFieldsModel model(layout, false, answers.Questions());
  const auto& possible = model.Possible();
  struct Case {
    std::vector<int> ids;
    bool enabled;
  };
  const Case cases[] = {
      {{rpt::kFieldGivenSurname}, false},
      {{rpt::kFieldRin}, false},
      {{rpt::kFieldRin, rpt::kFieldBirthDate}, true},
      {{rpt::kFieldNotes}, true},
      {{rpt::kFieldUserEventDescription}, true},
      {{rpt::kFieldSurnameGiven, rpt::kFieldGivenSurname}, false},
      {{rpt::kFieldBirthDate}, true},
      {{}, false},
  };
  for (const Case& c : cases) {
    std::vector<int> indices;
    for (int id : c.ids) indices.push_back(IndexOf(possible, id));
    model.SetPossibleSelection(indices);
    EXPECT_EQ(model.CanAdd(), c.enabled) << ::testing::PrintToString(c.ids);
  }
}

TEST(CustomFieldsModel, NewColumnsTakeTheCatalogueAndGoBeforeTheSelection) {
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldRin);
  AddColumn(layout, rpt::kFieldBirthDate);
  Answers answers{{"Graduation"}};
  rpt::CCustomFieldsModel model(layout, false, answers.Questions());
  EXPECT_EQ(model.Selected(), 2);  // the empty entry
  EXPECT_EQ(Texts(model), (std::vector<std::string>{"RIN", "Birth Date"}));
  model.Select(1);
  model.SetPossibleSelection({IndexOf(model.Possible(), rpt::kFieldUserEventDate)});
  model.Add();
  EXPECT_EQ(model.Selected(), 2);
  model.Apply(layout);
  ASSERT_EQ(layout.columns.size(), 3u);
  const CCustomReportColumn& added = *layout.columns[1];
  EXPECT_EQ(added.fieldId, rpt::kFieldUserEventDate);
  EXPECT_EQ(added.width, 15);
  EXPECT_EQ(added.heading, "Event Date (Graduation)");
  EXPECT_EQ(added.option, "Graduation");
  EXPECT_EQ(layout.columns[2]->fieldId, rpt::kFieldBirthDate);
}

TEST(CustomFieldsModel, ThePossibleSelectionMovesOnSkippingTheOtherNameForm) {
  CCustomReportLayout layout;
  Answers answers;
  rpt::CCustomFieldsModel model(layout, false, answers.Questions());
  const int last = static_cast<int>(model.Possible().size()) - 1;
  struct Case {
    int picked, next;
  };
  for (const Case c : {Case{0, 2}, Case{5, 6}, Case{last, last}}) {
    model.SetPossibleSelection({c.picked});
    model.Add();
    EXPECT_EQ(model.PossibleSelection(), std::vector<int>{c.next}) << c.picked;
  }
  EXPECT_EQ(model.Possible().size(), 61u);
  rpt::CCustomFieldsModel zel(layout, true, answers.Questions());
  EXPECT_EQ(zel.Possible().size(), 73u);
}

TEST(CustomFieldsModel, UpDownStaysWithinTheColumns) {
  CCustomReportLayout layout;
  for (int id : {rpt::kFieldRin, rpt::kFieldBirthDate, rpt::kFieldDeathDate}) AddColumn(layout, id);
  Answers answers;
  rpt::CCustomFieldsModel model(layout, false, answers.Questions());
  struct Case {
    int select, delta, selected;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {0, -1, 0, {"RIN", "Birth Date", "Death Date"}},
      {0, 1, 1, {"Birth Date", "RIN", "Death Date"}},
      {2, 1, 2, {"Birth Date", "RIN", "Death Date"}},
      {2, -1, 1, {"Birth Date", "Death Date", "RIN"}},
      {3, -1, 3, {"Birth Date", "Death Date", "RIN"}},  // the empty entry never moves
  };
  for (const Case& c : cases) {
    model.Select(c.select);
    model.Move(c.delta);
    EXPECT_EQ(model.Selected(), c.selected);
    EXPECT_EQ(Texts(model), c.order);
  }
}

TEST(CustomFieldsModel, RemovingAndButtonStates) {
  CCustomReportLayout layout;
  for (int id : {rpt::kFieldRin, rpt::kFieldBirthDate}) AddColumn(layout, id);
  Answers answers;
  rpt::CCustomFieldsModel model(layout, false, answers.Questions());
  EXPECT_FALSE(model.CanRemove());  // the empty entry is selected
  EXPECT_FALSE(model.CanOptions());
  EXPECT_EQ(model.SelectedColumn(), nullptr);
  EXPECT_TRUE(model.CanRemoveAll());
  EXPECT_TRUE(model.CanOk());
  model.Remove();
  EXPECT_EQ(model.ColumnCount(), 2);
  model.Select(0);
  EXPECT_TRUE(model.CanRemove());
  ASSERT_NE(model.SelectedColumn(), nullptr);
  model.Remove();
  EXPECT_EQ(Texts(model), std::vector<std::string>{"Birth Date"});
  EXPECT_EQ(model.Selected(), 0);
  model.RemoveAll();
  EXPECT_EQ(model.ColumnCount(), 0);
  EXPECT_EQ(model.Selected(), 0);
  EXPECT_FALSE(model.CanRemoveAll());
  EXPECT_FALSE(model.CanOk());
  EXPECT_FALSE(model.CanRemove());
}

TEST(CustomFieldsModel, CancelLeavesTheLayoutAsItWas) {
  CCustomReportLayout layout;
  for (int id : {rpt::kFieldRin, rpt::kFieldBirthDate}) AddColumn(layout, id);
  const CCustomReportColumn* first = layout.columns[0].get();
  {
    Answers answers;
    rpt::CCustomFieldsModel model(layout, false, answers.Questions());
    model.SetPossibleSelection({IndexOf(model.Possible(), rpt::kFieldDeathDate)});
    model.Add();
    model.Select(0);
    model.SelectedColumn()->heading = "changed";
    model.Move(1);
    model.Select(0);
    model.Remove();
    // Dropped without OK.
  }
  ASSERT_EQ(layout.columns.size(), 2u);
  EXPECT_EQ(layout.columns[0].get(), first);
  EXPECT_EQ(layout.columns[0]->heading, "h6004");
  EXPECT_EQ(layout.columns[1]->fieldId, rpt::kFieldBirthDate);
}

TEST(CustomColumnOptions, WidthsOutsideTheRangeAreRefused) {
  struct Case {
    int width;
    bool taken;
  };
  for (const Case c :
       {Case{0, false}, Case{1, true}, Case{200, true}, Case{201, false}, Case{-5, false}}) {
    CCustomReportColumn column;
    column.heading = "old";
    column.width = 25;
    EXPECT_EQ(rpt::ApplyColumnOptions(column, "new", c.width), c.taken) << c.width;
    EXPECT_EQ(column.width, c.taken ? c.width : 25);
    EXPECT_EQ(column.heading, c.taken ? "new" : "old");
  }
  EXPECT_EQ(rpt::ColumnOptionsCaption("Column Options", rpt::kFieldBirthDate),
            "Column Options: Birth Date");
}

std::vector<std::string> Texts(const rpt::CCustomSortModel& model) {
  std::vector<std::string> out;
  for (int i = 0; i < model.KeyCount(); ++i) out.push_back(model.EntryText(i));
  return out;
}

TEST(CustomSortModel, AddsAtMostThreeKeysWithTheirKinds) {
  CCustomReportLayout layout;
  Answers answers{{"!"}};
  rpt::CCustomSortModel model(layout, false, answers.Questions());
  const auto& possible = model.Possible();
  EXPECT_TRUE(model.CanAdd());
  model.SelectPossible(IndexOf(possible, rpt::kFieldBirthDate));
  model.Add();
  model.SetAscending(false);  // no key selected: only the choice for new keys
  model.SelectPossible(IndexOf(possible, rpt::kFieldNotes));
  model.Add();
  EXPECT_EQ(Texts(model), (std::vector<std::string>{"A\tBirth Date", "D\tNotes (!)"}));
  model.SetAscending(true);
  model.SelectPossible(IndexOf(possible, rpt::kFieldBirthDate));
  model.Add();  // "A\tBirth Date" exists: nothing added
  EXPECT_EQ(model.KeyCount(), 2);
  model.SelectPossible(IndexOf(possible, rpt::kFieldRin));
  model.Add();
  EXPECT_EQ(model.KeyCount(), 3);
  EXPECT_FALSE(model.CanAdd());
  model.SelectPossible(IndexOf(possible, rpt::kFieldDeathDate));
  EXPECT_FALSE(model.CanAdd());
  model.Add();
  EXPECT_EQ(model.KeyCount(), 3);

  model.Apply(layout);
  ASSERT_EQ(layout.sortKeys.size(), 3u);
  struct Expected {
    int id, ascending, kind;
    const char* option;
  };
  const Expected expected[] = {
      {rpt::kFieldBirthDate, 1, 1, ""}, {rpt::kFieldNotes, 0, 4, "!"}, {rpt::kFieldRin, 1, 2, ""}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(layout.sortKeys[i]->fieldId, expected[i].id);
    EXPECT_EQ(layout.sortKeys[i]->ascending, expected[i].ascending);
    EXPECT_EQ(layout.sortKeys[i]->kind, expected[i].kind);
    EXPECT_EQ(layout.sortKeys[i]->option, expected[i].option);
  }
}

TEST(CustomSortModel, DirectionsRemovalAndTheLastField) {
  CCustomReportLayout layout;
  auto key = std::make_unique<CCustomReportSortKey>();
  key->fieldId = rpt::kFieldSurnameGiven;
  key->kind = 3;
  layout.sortKeys.push_back(std::move(key));
  Answers answers;
  rpt::CCustomSortModel model(layout, false, answers.Questions());
  EXPECT_FALSE(model.RadiosEnabled());  // the empty entry
  model.SelectEntry(0);
  EXPECT_TRUE(model.RadiosEnabled());
  EXPECT_TRUE(model.Ascending());
  model.SetAscending(false);
  EXPECT_EQ(model.EntryText(0), "D\tSurname, Given");
  model.Toggle(0);
  EXPECT_EQ(model.EntryText(0), "A\tSurname, Given");
  EXPECT_TRUE(model.Ascending());

  // The last field used: ">" is off until the selection changes.
  const int last = static_cast<int>(model.Possible().size()) - 1;
  model.SelectEntry(1);
  model.SelectPossible(last);
  model.Add();
  EXPECT_EQ(model.KeyCount(), 2);
  EXPECT_FALSE(model.CanAdd());
  model.SelectPossible(0);
  EXPECT_TRUE(model.CanAdd());
  model.Add();  // the first field: the next offered is the third
  EXPECT_EQ(model.PossibleSelected(), 2);

  model.SelectEntry(0);
  model.Remove();
  model.Remove();
  EXPECT_EQ(model.KeyCount(), 0);
  EXPECT_EQ(model.Selected(), 0);
  EXPECT_FALSE(model.CanRemove());
  EXPECT_TRUE(model.CanAdd());
  // Cancel: the layout still holds its key.
  ASSERT_EQ(layout.sortKeys.size(), 1u);
  EXPECT_EQ(layout.sortKeys[0]->ascending, 1);
}

}  // namespace
