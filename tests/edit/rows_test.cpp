// Rows against a recording model: which model operation a commit calls with
// which event and text, what IsChanged compares, and the cells rows make.
#include <gtest/gtest.h>

#include "EditEnvironment.h"
#include "EditModel.h"
#include "EventKinds.h"
#include "FakeFieldList.h"
#include "FieldListRow.h"
#include "SystemColors.h"
#include "UserEventRecord.h"

namespace {

// Records what the rows hand over; answers as told.
class RecordingModel : public CEditModel {
 public:
  int SetEventDescription(CEventObject* event, const std::string& text) override {
    return Record("description", event, text);
  }
  int SetEventDate(CEventObject* event, const std::string& text, std::string& message,
                   int check) override {
    CEditModel::SetEventDate(event, text, message, 0);
    return Record(check ? "date checked" : "date", event, text);
  }
  int SetEventEndDate(CEventObject* event, const std::string& text, std::string&) override {
    return Record("end date", event, text);
  }
  int SetEventPlace(CEventObject* event, const std::string& text, std::string&) override {
    return Record("place", event, text);
  }
  int SetEventFlag(CEventObject* event, int value) override {
    return Record("flag", event, std::to_string(value));
  }

  int Record(const std::string& what, CEventObject* event, const std::string& text) {
    calls.push_back(what + ":" + text);
    lastEvent = event;
    return answer;
  }
  std::vector<std::string> calls;
  CEventObject* lastEvent = nullptr;
  int answer = 1;
};

class RowCommits : public ::testing::Test {
 protected:
  void TearDown() override { EditEnvironment().dates.RemoveAll(); }

  // Puts the row on a line and types text into its value cell.
  int Commit(CFieldListRow& row, const std::string& text) {
    f.list.AddRow(&row);
    CFieldCell* cell = f.list.GetCell(1, f.list.GetLineCount() - 1);
    cell->SetText(text);
    return row.Commit(&model, &f.list, cell);
  }
  int Changed(CFieldListRow& row, const std::string& text) {
    CFieldCell* cell = row.GetValueCell();
    cell->SetText(text);
    return row.IsChanged(&model, &f.list, cell);
  }

  FakeList f;
  RecordingModel model;
  CDittoList dates;
};

TEST_F(RowCommits, EachRowCallsItsModelOperation) {
  CBirthEvent birth;
  CUserEventRecord user(1, 'I', 0, 0);
  CDateRow date(&birth, &dates);
  CDescriptionRow description(&user);
  CEndDateRow endDate(&user);
  CYesNoRow confidential(&user, &model.YesNoChoices(), 0);
  CPlaceRow place(&birth, nullptr);
  struct Case {
    CFieldListRow* row;
    const char* typed;
    const char* call;
  } cases[] = {
      {&date, " 3  Mar 1901", "date checked:3 Mar 1901"},
      {&description, "as a  miller", "description:as a miller"},
      {&endDate, "1905", "end date:1905"},
      {&confidential, "yES", "flag:1"},
      {&confidential, "no", "flag:0"},
      {&place, "Salem, Essex", "place:Salem, Essex"},
  };
  for (const Case& c : cases) {
    model.calls.clear();
    EXPECT_EQ(Commit(*c.row, c.typed), 1) << c.call;
    ASSERT_EQ(model.calls.size(), 1u) << c.call;
    EXPECT_EQ(model.calls[0], c.call);
    EXPECT_EQ(model.lastEvent, c.row->GetLinked()) << c.call;
  }
}

TEST_F(RowCommits, TheModelsAnswerIsTheCommitsAndGatesTheRecentDates) {
  CBirthEvent birth;
  CEventDateRow date(&birth, &EditEnvironment().dates);
  model.answer = 0;
  EXPECT_EQ(Commit(date, "1901"), 0);
  EXPECT_TRUE(EditEnvironment().dates.IsEmpty());
  EXPECT_EQ(date.GetText(), "1901");
  model.answer = 1;
  EXPECT_EQ(Commit(date, "1902"), 1);
  EXPECT_EQ(EditEnvironment().dates.GetHead(), "1902");
  CDescriptionRow unlinked(nullptr);
  EXPECT_EQ(Commit(unlinked, "x"), 0) << "a description without an event is refused";
}

TEST_F(RowCommits, IsChangedComparesWithTheEvent) {
  CBirthEvent birth;
  birth.place[0] = "Salem";
  CPlaceRow place(&birth, nullptr);
  CDateRow date(&birth, &dates);
  CTextRow text(3738, "A1", 0, 0, nullptr);
  f.list.AddRow(&place);
  f.list.AddRow(&date);
  f.list.AddRow(&text);
  EXPECT_EQ(Changed(place, "SALEM"), 1) << "a change of case alone is a change";
  EXPECT_EQ(Changed(place, "Lynn"), 1);
  EXPECT_EQ(Changed(date, ""), 0);
  EXPECT_EQ(Changed(date, "1900"), 1);
  EXPECT_EQ(Changed(text, "A1"), 0);
  EXPECT_EQ(Changed(text, "a1"), 1) << "texts compare with case";
}

TEST_F(RowCommits, RowsMakeTheirCells) {
  CSectionHeadingRow heading(3721);
  f.list.AddRow(&heading);
  const unsigned face = plat::GetSystemColor(plat::SystemColor::kButtonFace);
  for (int column = 0; column < 3; ++column) {
    CFieldCell* cell = f.list.GetCell(column, 0);
    EXPECT_EQ(cell->backgroundColor, face) << column;
    EXPECT_EQ(cell->IsReadOnly(), 1) << column;
  }
  EXPECT_EQ(f.list.GetCell(0, 0)->PeekText(), "OTHER E&VENTS");
  EXPECT_EQ(f.list.GetCell(0, 0)->IsBold(), 1);

  CBirthEvent birth;
  CDateRow date(&birth, &dates);
  CDateRow undated(&birth, &dates, 1);
  f.list.AddRow(&date);
  f.list.AddRow(&undated);
  EXPECT_EQ(f.list.GetCell(0, 1)->PeekText(), "Birth:");
  EXPECT_EQ(f.list.GetCell(0, 1)->GetTextColor(), CDateRow::kLabelColor);
  EXPECT_EQ(f.list.GetCell(0, 2)->PeekText(), "Birth") << "read-only: no colon";
  EXPECT_EQ(f.list.BeginEdit(1, 2, false), 0) << "read-only date cannot be entered";
  EXPECT_EQ(f.list.BeginEdit(1, 1, false), 1);
  EXPECT_EQ(f.list.GetCell(1, 1)->GetCompletionAllowed(), 0);
  EXPECT_EQ(f.list.GetCell(1, 1)->GetTextLimit(), 35);

  CYesNoRow confidential(nullptr, &model.YesNoChoices(), 2);
  f.list.AddRow(&confidential);
  EXPECT_EQ(f.list.GetCell(0, 3)->PeekText(), "Confidential:");
  EXPECT_EQ(f.list.GetCell(0, 3)->GetIndent(), 10);
  EXPECT_EQ(f.list.GetCell(0, 3)->IsBold(), 0);
  EXPECT_EQ(f.list.GetCell(1, 3)->GetCompleteMode(), 0);
  EXPECT_EQ(f.list.GetCell(2, 3)->PeekText(), "*s");
  EXPECT_EQ(confidential.GetText(), "No");
}

}  // namespace
