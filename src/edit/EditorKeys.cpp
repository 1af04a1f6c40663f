#include "EditorKeys.h"

#include "CodePage.h"

EditorKeyAction TranslateEditorKey(CellKind kind, EditorKey key, bool shift, bool ctrl,
                                   bool dropDownOpen, const std::function<bool()>& returnAsTab) {
  using A = EditorKeyAction;
  const auto nav = [](int code) { return A{A::kNavigate, code}; };
  switch (key) {
    case EditorKey::kTab:
      return nav(shift ? fln::kNavShiftTab : fln::kNavTab);
    case EditorKey::kEnter:
      if (returnAsTab && returnAsTab()) return nav(fln::kNavEnter);
      return kind == CellKind::kButton ? A{A::kButton, 0} : A{};
    case EditorKey::kHome:
      if (ctrl) return nav(fln::kNavCtrlHome);
      return A{};
    case EditorKey::kEnd:
      if (ctrl) return nav(fln::kNavCtrlEnd);
      return A{};
    case EditorKey::kPageUp:
    case EditorKey::kPageDown:
    case EditorKey::kUp:
    case EditorKey::kDown: {
      if (kind == CellKind::kCombo && dropDownOpen) return A{};
      const int code = key == EditorKey::kPageUp     ? fln::kNavPageUp
                       : key == EditorKey::kPageDown ? fln::kNavPageDown
                       : key == EditorKey::kUp       ? fln::kNavUp
                                                     : fln::kNavDown;
      return nav(code);
    }
    case EditorKey::kDelete:
      if (kind == CellKind::kCombo && dropDownOpen) return A{A::kDeleteChoice, 0};
      return kind == CellKind::kButton ? A{A::kSwallow, 0} : A{};
    case EditorKey::kSpace:
      return kind == CellKind::kButton ? A{A::kButton, 0} : A{};
    case EditorKey::kEscape:
      return A{};
    case EditorKey::kCharacter:
      return kind == CellKind::kButton ? A{A::kTypeInValue, 0} : A{};
    case EditorKey::kOther:
      return kind == CellKind::kButton ? A{A::kSwallow, 0} : A{};
  }
  return A{};
}

namespace {

bool StartsWith(const std::string& text, const std::string& prefix, bool exact) {
  if (prefix.size() > text.size()) return false;
  if (exact) return text.compare(0, prefix.size(), prefix) == 0;
  return plat::AnsiLower(text.substr(0, prefix.size())) == plat::AnsiLower(prefix);
}

}  // namespace

int FindChoicePrefix(const std::vector<std::string>& choices, const std::string& prefix,
                     bool exact) {
  if (prefix.empty()) return -1;
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (StartsWith(choices[i], prefix, exact)) return static_cast<int>(i);
  return -1;
}

ComboTypingResult CompleteComboText(const ComboTyping& typing, const ComboOptions& options,
                                    const std::vector<std::string>& choices) {
  ComboTypingResult result;
  result.text = typing.text;
  result.selectionStart = result.selectionEnd = typing.caret;
  result.lastAccepted = typing.lastAccepted;
  const int length = static_cast<int>(typing.text.size());
  const bool exact = options.exactPrefix != 0;
  if (options.completeMode) {
    if (typing.deleted) return result;
    if (!options.completionAllowed) {
      result.lastAccepted = result.text;
      return result;
    }
    if (options.keepLength > 0 && typing.caret > options.keepLength) {
      result.text = typing.lastAccepted;
      result.selectionStart = std::min<int>(options.keepLength, result.text.size());
      result.selectionEnd = static_cast<int>(result.text.size());
      result.changed = true;
    } else if (typing.caret == length) {
      const int found = FindChoicePrefix(choices, typing.text, exact);
      if (found >= 0) {
        result.text = options.keepTyped ? typing.text + choices[found].substr(typing.text.size())
                                        : choices[found];
        result.selectedIndex = found;
        result.selectionStart = length;
        result.selectionEnd = static_cast<int>(result.text.size());
        result.changed = true;
      }
    }
  } else {
    const int found = typing.lastChar != 0
                          ? FindChoicePrefix(choices, std::string(1, typing.lastChar), exact)
                          : -1;
    if (found >= 0) {
      result.text = choices[found];
      result.selectedIndex = found;
    } else {
      result.text = typing.lastAccepted;
    }
    result.selectionStart = 0;
    result.selectionEnd = static_cast<int>(result.text.size());
    result.changed = true;
  }
  result.lastAccepted = result.text;
  return result;
}
