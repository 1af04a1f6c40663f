#pragma once
// A field list without a window: editors that keep their text and where
// they were placed, lines 20 pixels high under a 20-pixel header, a page
// of five lines, and the moves that leave the list counted.

#include <memory>
#include <string>
#include <vector>

#include "EditModel.h"
#include "FieldListCtrl.h"
#include "StringListEx.h"

class FakeEditor : public CFieldEditor {
 public:
  explicit FakeEditor(const FieldEditorSetup& setup) : setup(setup), text(setup.text) {}
  std::string GetText() const override { return text; }
  void SetText(const std::string& t) override { text = t; }
  void SelectChoice(const std::string& t) override {
    if (setup.choices != nullptr && setup.choices->Find(t) >= 0) text = t;
  }
  void Place(const FieldRect& r, bool v) override {
    rect = r;
    visible = v;
  }
  void Focus() override { ++focused; }
  bool IsShown() const override { return visible; }
  int LostCharacters() const override { return lost; }

  FieldEditorSetup setup;
  std::string text;
  FieldRect rect;
  bool visible = true;
  int focused = 0;
  int lost = 0;  // characters of the typed text given as '?'
};

class FakePlatform : public CFieldListPlatform {
 public:
  static constexpr int kLine = 20;
  static constexpr int kHeader = 20;

  std::unique_ptr<CFieldEditor> CreateEditor(const FieldEditorSetup& setup) override {
    auto editor = std::make_unique<FakeEditor>(setup);
    last = editor.get();
    ++created;
    return editor;
  }
  FieldRect GetLineRect(int line, bool ensureVisible) override {
    if (ensureVisible) {
      if (line < scrolled) scrolled = line;
      if (line >= scrolled + page) scrolled = line - page + 1;
    }
    const int top = kHeader + (line - scrolled) * kLine;
    return FieldRect{0, top, 300, top + kLine};
  }
  int GetLineHeight() const override { return kLine; }
  int GetItemsPerPage() const override { return page; }
  void LeaveForward() override { ++leftForward; }
  void LeaveBackward() override { ++leftBackward; }
  int GetWindowHeight() const override { return kHeader + page * kLine; }

  FakeEditor* last = nullptr;
  int created = 0;
  int scrolled = 0;  // the first line in view
  int page = 5;
  int leftForward = 0;
  int leftBackward = 0;
};

// An owner that accepts everything except the texts it is told to refuse.
class FakeOwner : public CFieldListOwner {
 public:
  int OnCellDone(const FieldCellDone& done) override {
    ++calls;
    lastText = done.cell->PeekText();
    return refuse ? 1 : 0;
  }
  int OnButton(int, int, int count) override { return count + 1; }
  bool refuse = false;
  int calls = 0;
  std::string lastText;
};

// A list of three columns on the fake platform.
struct FakeList {
  FakeList() {
    list.SetPlatform(&platform);
    list.SetOwner(&owner);
    list.InsertColumn("", 120);
    list.InsertColumn("", 200);
    list.InsertColumn("", 30);
  }
  FakePlatform platform;
  FakeOwner owner;
  CFieldListCtrl list;
};
