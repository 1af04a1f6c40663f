// Cells: the normalised text, button captions, the combo editor's
// completion and what each editor does with a key.
#include <gtest/gtest.h>

#include "EditorKeys.h"
#include "FakeFieldList.h"
#include "FakePorts.h"
#include "FieldCell.h"
#include "ScopedCodePage.h"

namespace {

TEST(FieldCell, GetTextTrimsAndCollapsesBlanks) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"  Anna   Maria ", "Anna Maria"}, {"Anna", "Anna"}, {"   ", ""},
      {"a b  c   d", "a b c d"},         {"", ""},
  };
  for (const Case& c : cases) {
    CEditFieldCell cell(c.in, 0);
    EXPECT_EQ(cell.GetText(), c.out) << c.in;
    EXPECT_EQ(cell.PeekText(), c.out) << "stored normalised: " << c.in;
  }
}

TEST(FieldCell, ButtonCaptionFollowsCountAndReadOnly) {
  struct Case {
    int count;
    int readOnly;
    const char* caption;
  } cases[] = {{3, 0, "*s"}, {0, 0, "s"}, {3, 1, ""}, {0, 1, ""}};
  for (const Case& c : cases) {
    CButtonFieldCell cell(c.count, c.readOnly);
    EXPECT_EQ(cell.PeekText(), c.caption) << c.count << "/" << c.readOnly;
    EXPECT_EQ(cell.GetCount(), c.count);
  }
  CButtonFieldCell cell(0, 0);
  cell.SetCount(2);
  EXPECT_EQ(cell.PeekText(), "*s");
}

TEST(FieldCell, ReadOnlyAndOpenCellsOpenNoEditor) {
  FakeList f;
  CButtonFieldCell readOnlyButton(3, 1);
  EXPECT_EQ(readOnlyButton.OpenEditor(&f.list, {0, 20, 30, 40}, 2, 0), 0);
  CEditFieldCell label("Name:", 1);
  EXPECT_EQ(label.OpenEditor(&f.list, {0, 20, 30, 40}, 0, 0), 0);
  CEditFieldCell value("x", 0);
  EXPECT_EQ(value.OpenEditor(nullptr, {0, 20, 30, 40}, 1, 0), 0) << "no list";
  EXPECT_EQ(value.OpenEditor(&f.list, {0, 20, 30, 40}, 1, 0), 1);
  EXPECT_EQ(value.OpenEditor(&f.list, {0, 20, 30, 40}, 1, 0), 0) << "second editor";
  EXPECT_EQ(f.platform.created, 1);
}

TEST(FieldCell, SetTextReachesTheOpenEditorByKind) {
  FakeList f;
  CStringListEx choices;
  choices.AddTail("Yes");
  choices.AddTail("No");
  CComboFieldCell combo("Yes", &choices, 0, 0);
  ASSERT_EQ(combo.OpenEditor(&f.list, {0, 20, 100, 40}, 1, 0), 1);
  FakeEditor* editor = f.platform.last;
  combo.SetText("No");
  EXPECT_EQ(editor->text, "No");
  combo.SetText("no");  // no choice of that exact text: the editor keeps its own
  EXPECT_EQ(editor->text, "No");
  EXPECT_EQ(combo.PeekText(), "no");

  CButtonFieldCell button(0, 0);
  ASSERT_EQ(button.OpenEditor(&f.list, {10, 20, 40, 40}, 2, 0), 1);
  EXPECT_EQ(f.platform.last->setup.rect, (FieldRect{8, 16, 42, 40})) << "grown 2, up 2";
  button.SetCount(1);
  EXPECT_EQ(f.platform.last->text, "*s");
}

TEST(FieldCell, CloseEditorAsksTheOwner) {
  FakeList f;
  CEditFieldCell cell("old", 0);
  ASSERT_EQ(cell.OpenEditor(&f.list, {0, 20, 100, 40}, 1, 4), 1);
  f.platform.last->text = "typed";
  f.owner.refuse = true;
  EXPECT_EQ(cell.CloseEditor(&f.list, 1, 1), 0);
  EXPECT_TRUE(cell.HasEditor());
  EXPECT_EQ(f.owner.lastText, "typed");
  f.owner.refuse = false;
  EXPECT_EQ(cell.CloseEditor(&f.list, 1, 1), 1);
  EXPECT_FALSE(cell.HasEditor());
  EXPECT_TRUE(cell.GetEditorRect().IsEmpty());
  EXPECT_EQ(cell.PeekText(), "typed");
  EXPECT_EQ(cell.CloseEditor(&f.list, 1, 1), 1) << "nothing to close";
}

// A changed text that would lose characters on the way to the family file
// asks first; a text the user left as it was is taken without a word.
TEST(FieldCell, CloseEditorWarnsBeforeATextLosesCharacters) {
  ScopedCodePage page(plat::kCodePageWestern);
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped(&boxes);
  struct Case {
    const char* name;
    const char* before;
    const char* typed;
    int lostInEditor;
    int answer;
    bool asked, closed;
  } cases[] = {
      {"unchanged", "1\xBD", "1\xBD", 0, plat::kIdNo, false, true},
      {"a letter the file holds", "x", "Lukas", 0, plat::kIdNo, false, true},
      {"a fraction ANSEL lacks, kept", "x", "1\xBD", 0, plat::kIdYes, true, true},
      {"a fraction ANSEL lacks, taken back", "x", "1\xBD", 0, plat::kIdNo, true, false},
      {"a letter the code page lacks", "x", "?", 1, plat::kIdNo, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Clear();
    boxes.QueueAnswer(c.answer);
    FakeList f;
    CEditFieldCell cell(c.before, 0);
    ASSERT_EQ(cell.OpenEditor(&f.list, {0, 20, 100, 40}, 1, 0), 1);
    FakeEditor* editor = f.platform.last;
    editor->text = c.typed;
    editor->lost = c.lostInEditor;
    EXPECT_EQ(cell.CloseEditor(&f.list, 1, 1), c.closed ? 1 : 0);
    EXPECT_EQ(boxes.Calls().size(), c.asked ? 1u : 0u);
    EXPECT_EQ(cell.PeekText(), c.closed ? c.typed : c.before);
    if (!c.closed) {
      EXPECT_TRUE(cell.HasEditor());
      EXPECT_EQ(editor->focused, 1);
    }
  }
}

TEST(FieldCell, MoveEditorHidesItUnderTheHeader) {
  FakeList f;
  CEditFieldCell cell("x", 0);
  ASSERT_EQ(cell.OpenEditor(&f.list, {0, 40, 100, 60}, 1, 1), 1);
  cell.MoveEditor({0, 0, 100, 20});
  EXPECT_FALSE(f.platform.last->visible);
  cell.MoveEditor({0, 20, 100, 40});
  EXPECT_TRUE(f.platform.last->visible);
}

// ---- completion ----

const std::vector<std::string> kNames = {"Smith", "Smithson", "Jones"};

TEST(ComboCompletion, CompletesFromTheChoices) {
  struct Case {
    const char* name;
    ComboTyping typing;
    ComboOptions options;
    std::vector<std::string> choices;
    std::string text;
    int selStart, selEnd, index;
  } cases[] = {
      {"case-insensitive completion", {"smi", 3, false, 0, ""}, {}, kNames, "Smith", 3, 5, 0},
      {"exact prefix finds nothing",
       {"smi", 3, false, 0, "sm"},
       {1, 1, 0, 1},
       kNames,
       "smi",
       3,
       3,
       -1},
      {"exact prefix finds",
       {"Smiths", 6, false, 0, ""},
       {1, 1, 0, 1},
       kNames,
       "Smithson",
       6,
       8,
       1},
      {"caret not at the end", {"smi", 2, false, 0, ""}, {}, kNames, "smi", 2, 2, -1},
      {"after Backspace", {"smi", 3, true, 0, "smit"}, {}, kNames, "smi", 3, 3, -1},
      {"completion not allowed", {"smi", 3, false, 0, ""}, {1, 0, 0, 0}, kNames, "smi", 3, 3, -1},
      {"no choice", {"Bro", 3, false, 0, ""}, {}, kNames, "Bro", 3, 3, -1},
      {"keep length takes back",
       {"SLAKEX", 6, false, 'X', "SLAKE"},
       {1, 1, 5, 0},
       {"SLAKE"},
       "SLAKE",
       5,
       5,
       -1},
      {"keep length within",
       {"SLA", 3, false, 0, ""},
       {1, 1, 5, 0},
       {"SLAKE - Salt Lake"},
       "SLAKE - Salt Lake",
       3,
       17,
       0},
      {"key mode: n picks No",
       {"n", 1, false, 'n', "Yes"},
       {0, 1, 0, 0},
       {"Yes", "No"},
       "No",
       0,
       2,
       1},
      {"key mode: x puts back",
       {"x", 1, false, 'x', "Yes"},
       {0, 1, 0, 0},
       {"Yes", "No"},
       "Yes",
       0,
       3,
       -1},
  };
  for (const Case& c : cases) {
    const ComboTypingResult r = CompleteComboText(c.typing, c.options, c.choices);
    EXPECT_EQ(r.text, c.text) << c.name;
    EXPECT_EQ(r.selectionStart, c.selStart) << c.name;
    EXPECT_EQ(r.selectionEnd, c.selEnd) << c.name;
    EXPECT_EQ(r.selectedIndex, c.index) << c.name;
  }
}

TEST(ComboCompletion, BackspaceKeepsTheLastAcceptedText) {
  const ComboTypingResult r = CompleteComboText({"Smit", 4, true, 0, "Smith"}, {}, kNames);
  EXPECT_EQ(r.lastAccepted, "Smith");
  const ComboTypingResult typed = CompleteComboText({"Bro", 3, false, 'o', "Br"}, {}, kNames);
  EXPECT_EQ(typed.lastAccepted, "Bro");
}

// ---- keys ----

TEST(EditorKeys, EachEditorTranslatesItsKeys) {
  using A = EditorKeyAction;
  const A pass{};
  const auto nav = [](int code) { return A{A::kNavigate, code}; };
  struct Case {
    CellKind kind;
    EditorKey key;
    bool shift, ctrl, open, returnAsTab;
    A action;
  } cases[] = {
      {CellKind::kEdit, EditorKey::kTab, false, false, false, false, nav(fln::kNavTab)},
      {CellKind::kEdit, EditorKey::kTab, true, false, false, false, nav(fln::kNavShiftTab)},
      {CellKind::kEdit, EditorKey::kEnter, false, false, false, false, pass},
      {CellKind::kEdit, EditorKey::kEnter, false, false, false, true, nav(fln::kNavEnter)},
      {CellKind::kEdit, EditorKey::kPageDown, false, false, false, false, nav(fln::kNavPageDown)},
      {CellKind::kEdit, EditorKey::kPageUp, false, false, false, false, nav(fln::kNavPageUp)},
      {CellKind::kEdit, EditorKey::kHome, false, false, false, false, pass},
      {CellKind::kEdit, EditorKey::kHome, false, true, false, false, nav(fln::kNavCtrlHome)},
      {CellKind::kEdit, EditorKey::kEnd, false, true, false, false, nav(fln::kNavCtrlEnd)},
      {CellKind::kEdit, EditorKey::kUp, false, false, false, false, nav(fln::kNavUp)},
      {CellKind::kEdit, EditorKey::kDown, false, false, false, false, nav(fln::kNavDown)},
      {CellKind::kEdit, EditorKey::kDelete, false, false, false, false, pass},
      {CellKind::kCombo, EditorKey::kDown, false, false, true, false, pass},
      {CellKind::kCombo, EditorKey::kDown, false, false, false, false, nav(fln::kNavDown)},
      {CellKind::kCombo, EditorKey::kPageDown, false, false, true, false, pass},
      {CellKind::kCombo, EditorKey::kDelete, false, false, true, false, A{A::kDeleteChoice, 0}},
      {CellKind::kCombo, EditorKey::kDelete, false, false, false, false, pass},
      {CellKind::kCombo, EditorKey::kEnd, false, true, true, false, nav(fln::kNavCtrlEnd)},
      {CellKind::kButton, EditorKey::kSpace, false, false, false, false, A{A::kButton, 0}},
      {CellKind::kButton, EditorKey::kEnter, false, false, false, false, A{A::kButton, 0}},
      {CellKind::kButton, EditorKey::kEnter, false, false, false, true, nav(fln::kNavEnter)},
      {CellKind::kButton, EditorKey::kOther, false, false, false, false, A{A::kSwallow, 0}},
      {CellKind::kButton, EditorKey::kCharacter, false, false, false, false, A{A::kTypeInValue, 0}},
      {CellKind::kEdit, EditorKey::kCharacter, false, false, false, false, pass},
      {CellKind::kCombo, EditorKey::kCharacter, false, false, false, false, pass},
      {CellKind::kButton, EditorKey::kEscape, false, false, false, false, pass},
      {CellKind::kButton, EditorKey::kHome, false, false, false, false, pass},
  };
  for (const Case& c : cases) {
    // The Enter-as-Tab setting, which may ask the user first, is looked up
    // for the Enter key only.
    int asked = 0;
    const auto returnAsTab = [&] {
      ++asked;
      return c.returnAsTab;
    };
    EXPECT_EQ(TranslateEditorKey(c.kind, c.key, c.shift, c.ctrl, c.open, returnAsTab), c.action)
        << static_cast<int>(c.kind) << " key " << static_cast<int>(c.key);
    EXPECT_EQ(asked, c.key == EditorKey::kEnter ? 1 : 0)
        << static_cast<int>(c.kind) << " key " << static_cast<int>(c.key);
  }
}

}  // namespace
