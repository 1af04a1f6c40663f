#pragma once
// What the in-place editors do with a key before the control sees it, and
// how the combo editor completes typed text from its choices. The Qt
// editors call these from their event filters and change handlers.

#include <functional>
#include <string>
#include <vector>

#include "FieldCell.h"

enum class EditorKey {
  kTab,
  kEnter,
  kPageUp,
  kPageDown,
  kHome,
  kEnd,
  kUp,
  kDown,
  kDelete,
  kEscape,
  kSpace,
  kCharacter,  // a key that types a character
  kOther
};

struct EditorKeyAction {
  enum Kind {
    kPass,          // the control handles the key itself
    kNavigate,      // post kNavigate with code
    kButton,        // the citation button is pressed
    kDeleteChoice,  // remove the selected choice of the open drop-down
    kSwallow,       // nothing happens
    kTypeInValue,   // the key is typed into the value cell of the button's line
  };
  Kind kind = kPass;
  int code = 0;
  bool operator==(const EditorKeyAction&) const = default;
};

// returnAsTab tells whether Enter moves to the next field; it is asked for
// the Enter key only, since it may first put its question to the user.
EditorKeyAction TranslateEditorKey(CellKind kind, EditorKey key, bool shift, bool ctrl,
                                   bool dropDownOpen, const std::function<bool()>& returnAsTab);

// One edit change of the combo editor.
struct ComboTyping {
  std::string text;          // the edit text after the change
  int caret = 0;             // caret position (end of the selection)
  bool deleted = false;      // the last key was Backspace or Delete
  char lastChar = 0;         // the character of the last key
  std::string lastAccepted;  // the text after the previous change
};

struct ComboTypingResult {
  std::string text;
  int selectionStart = 0;
  int selectionEnd = 0;
  int selectedIndex = -1;    // the choice selected, -1 none
  std::string lastAccepted;  // what the next change compares with
  bool changed = false;      // text or selection differ from what was typed
};

// The first choice that begins with prefix (case-sensitive with exact,
// else ignoring case), or -1.
int FindChoicePrefix(const std::vector<std::string>& choices, const std::string& prefix,
                     bool exact);
ComboTypingResult CompleteComboText(const ComboTyping& typing, const ComboOptions& options,
                                    const std::vector<std::string>& choices);
