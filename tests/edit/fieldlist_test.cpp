// The grid: which cell each move lands on, skipping cells that open no
// editor, leaving the list at its ends, and keeping a refused edit open.
#include <gtest/gtest.h>

#include "EditEnvironment.h"
#include "FakeFieldList.h"
#include "FieldListRow.h"
#include "SourcedTextRow.h"

namespace {

class FieldListGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    Add(std::make_unique<CSectionHeadingRow>(3718));                       // 0
    Add(std::make_unique<CTextRow>(3733, "Anna", 0, 0, nullptr));          // 1
    Add(std::make_unique<CTextRow>(3738, "id", 0, 1, nullptr));            // 2 read-only
    Add(std::make_unique<SourcedTextRow>(4777, "Boston", 0, 0, nullptr));  // 3 button opens
    Add(std::make_unique<CTextRow>(4818, "Nan", 0, 0, nullptr));           // 4
    Add(std::make_unique<CTextRow>(4819, "", 0, 0, nullptr));              // 5
    Add(std::make_unique<CTextRow>(4820, "", 0, 0, nullptr));              // 6
    Add(std::make_unique<CSectionHeadingRow>(3722));                       // 7
    Add(std::make_unique<CTextRow>(4821, "", 0, 1, nullptr));              // 8 read-only
    saved_ = EditEnvironment().returnAsTab;
  }
  void TearDown() override { EditEnvironment().returnAsTab = saved_; }

  void Add(std::unique_ptr<CFieldListRow> row) {
    ASSERT_EQ(f.list.AddRow(row.get()), 1);
    rows.push_back(std::move(row));
  }
  void StartAt(int column, int line) { ASSERT_EQ(f.list.BeginEdit(column, line, true), 1); }
  std::pair<int, int> Current() const {
    return {f.list.GetCurrentColumn(), f.list.GetCurrentLine()};
  }

  std::vector<std::unique_ptr<CFieldListRow>> rows;  // outlive the list's lines
  FakeList f;
  std::function<bool()> saved_;
};

TEST_F(FieldListGrid, EveryNavigateCodeLandsOnAnEditableCell) {
  struct Case {
    const char* name;
    int column, line, code;
    int toColumn, toLine;
  } cases[] = {
      {"Tab skips read-only cells", 1, 1, fln::kNavTab, 1, 3},
      {"Tab passes over a sources button", 1, 3, fln::kNavTab, 1, 4},
      {"Tab from a sources button", 2, 3, fln::kNavTab, 1, 4},
      {"Shift+Tab", 1, 3, fln::kNavShiftTab, 1, 1},
      {"Shift+Tab passes back over a sources button", 1, 4, fln::kNavShiftTab, 1, 3},
      {"Shift+Tab from a sources button", 2, 3, fln::kNavShiftTab, 1, 3},
      {"Enter moves as Tab", 1, 1, fln::kNavEnter, 1, 3},
      {"Enter passes over a sources button", 1, 3, fln::kNavEnter, 1, 4},
      {"Down skips a read-only value", 1, 1, fln::kNavDown, 1, 3},
      {"Up skips a read-only value", 1, 3, fln::kNavUp, 1, 1},
      {"Page Down one page", 1, 1, fln::kNavPageDown, 1, 6},
      {"Page Down stops at the last line, then up", 1, 6, fln::kNavPageDown, 1, 6},
      {"Page Up one page", 1, 6, fln::kNavPageUp, 1, 1},
      {"Page Up to a heading, then down", 1, 3, fln::kNavPageUp, 1, 1},
      {"Ctrl+Home onto a heading, then down", 1, 6, fln::kNavCtrlHome, 1, 1},
      {"Ctrl+End onto a read-only line, then up", 1, 1, fln::kNavCtrlEnd, 1, 6},
  };
  for (const Case& c : cases) {
    StartAt(c.column, c.line);
    f.list.OnNavigate(c.code);
    EXPECT_EQ(Current(), std::make_pair(c.toColumn, c.toLine)) << c.name;
    EXPECT_TRUE(f.list.GetCurrentCell()->HasEditor()) << c.name;
  }
}

TEST_F(FieldListGrid, MovesPastTheEndsLeaveTheList) {
  StartAt(1, 6);
  f.list.OnNavigate(fln::kNavTab);
  EXPECT_EQ(f.platform.leftForward, 1);
  StartAt(1, 6);
  f.list.OnNavigate(fln::kNavDown);
  EXPECT_EQ(f.platform.leftForward, 2);
  StartAt(1, 1);
  f.list.OnNavigate(fln::kNavShiftTab);
  EXPECT_EQ(f.platform.leftBackward, 1);
  StartAt(1, 1);
  f.list.OnNavigate(fln::kNavUp);
  EXPECT_EQ(f.platform.leftBackward, 2);
}

TEST_F(FieldListGrid, TypingOnASourcesButtonGoesToTheValueOfItsLine) {
  StartAt(2, 3);
  f.list.MoveToValue();
  EXPECT_EQ(Current(), std::make_pair(1, 3));
  EXPECT_TRUE(f.list.GetCurrentCell()->HasEditor());
}

TEST_F(FieldListGrid, ARefusedEditKeepsTheEditorAndBlocksMovesAndClicks) {
  StartAt(1, 1);
  FakeEditor* editor = f.platform.last;
  editor->text = "Anna 2";
  f.owner.refuse = true;
  f.list.OnNavigate(fln::kNavTab);
  EXPECT_EQ(Current(), std::make_pair(1, 1));
  EXPECT_EQ(f.list.OnLButtonDown(1, 4), 0);
  EXPECT_EQ(Current(), std::make_pair(1, 1));
  EXPECT_TRUE(f.list.GetCell(1, 1)->HasEditor());
  EXPECT_GT(editor->focused, 0);
  f.owner.refuse = false;
  EXPECT_EQ(f.list.OnLButtonDown(1, 4), 1);
  EXPECT_EQ(Current(), std::make_pair(1, 4));
  EXPECT_EQ(f.list.GetCell(1, 1)->PeekText(), "Anna 2");
}

TEST_F(FieldListGrid, AClickOnALabelOpensTheValue) {
  EXPECT_EQ(f.list.OnLButtonDown(0, 4), 1);
  EXPECT_EQ(Current(), std::make_pair(1, 4));
}

TEST_F(FieldListGrid, FocusOpensTheFirstEditableCell) {
  f.list.OnSetFocus();
  EXPECT_EQ(Current(), std::make_pair(1, 1));
}

TEST_F(FieldListGrid, AScrolledAwayEditorHides) {
  StartAt(1, 1);
  FakeEditor* editor = f.platform.last;
  f.platform.scrolled = 2;  // line 1 now lies above the view
  f.list.MoveCurrentEditor();
  EXPECT_FALSE(editor->visible);
  f.platform.scrolled = 0;
  f.list.MoveCurrentEditor();
  EXPECT_TRUE(editor->visible);
  EXPECT_EQ(editor->rect, (FieldRect{120, 40, 317, 60}));
}

TEST_F(FieldListGrid, TheButtonTakesTheOwnersCount) {
  f.list.OnButton(2, 3);
  EXPECT_EQ(f.list.GetCell(2, 3)->GetCount(), 1);
  EXPECT_EQ(f.list.GetCell(2, 3)->PeekText(), "*s");
}

TEST_F(FieldListGrid, RowsAreFoundByLabelAndIndex) {
  EXPECT_EQ(f.list.FindRowIndexById(4777), 3);
  EXPECT_EQ(f.list.FindRowById(4777), rows[3].get());
  EXPECT_EQ(f.list.FindRowIndex(rows[4].get()), 4);
  EXPECT_EQ(f.list.GetRowObject(9), nullptr);
  EXPECT_EQ(f.list.GetCell(3, 1), nullptr);
  EXPECT_EQ(f.list.FindRowIndexById(1), -1);
}

TEST_F(FieldListGrid, CharacterMapOpensUnderTheCellOrAboveIt) {
  StartAt(1, 1);
  int x = 0, y = 0;
  ASSERT_EQ(f.list.CharacterMapPosition(x, y), 1);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 40 - CFieldListCtrl::kCharacterMapHeight) << "no room under it in 120 pixels";
  f.platform.page = 20;
  StartAt(1, 3);
  ASSERT_EQ(f.list.CharacterMapPosition(x, y), 1);
  EXPECT_EQ(y, 100);
}

}  // namespace
