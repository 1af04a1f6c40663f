#pragma once
// What the Descendancy List shows: one individual in the frame of the
// immediate family (the parents, the individual among the brothers and
// sisters, each marriage's spouse and children, other parent families after
// a separator), one line per person with birth and death columns, and the
// back-and-forward history of the individuals visited.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TextMeasure.h"

namespace kin {

struct DescendancyLine {
  std::string text;
  std::int32_t rin = 0;  // 0 for a separator or a missing parent
};

// The lines around rin; current receives the index of rin's line (-1 when
// rin cannot be read, and then there are no lines).
std::vector<DescendancyLine> BuildDescendancyLines(std::int32_t rin, const plat::TextMeasure* dc,
                                                   int suffixKind, int& current);

// The visited individuals, at most 32; the oldest goes when a 33rd comes.
class CDescendancyHistory {
 public:
  static constexpr int kSize = 32;
  void Push(std::int32_t rin);
  bool CanGoBack() const { return index_ > 0; }
  bool CanGoForward() const { return index_ < last_; }
  std::int32_t Back();     // the previous entry (0 when none)
  std::int32_t Forward();  // the next entry (0 when none)
  std::int32_t Current() const { return index_ >= 0 ? entries_[index_] : 0; }
  int Index() const { return index_; }
  int Last() const { return last_; }
  std::int32_t At(int i) const { return entries_[static_cast<std::size_t>(i)]; }

 private:
  std::array<std::int32_t, kSize> entries_{};
  int index_ = -1;
  int last_ = -1;
};

// The dialog's decisions: the current individual, its lines, clicks and the
// choice made with OK.
class CDescendancyList {
 public:
  CDescendancyList(std::int32_t rin, const plat::TextMeasure* dc, int suffixKind);

  // The lines, and after the real ones blank filler lines (RIN 0) when the
  // line selected before a move lay beyond the new list, so that it still
  // exists.
  const std::vector<DescendancyLine>& Lines() const { return lines_; }
  int RealLineCount() const { return realCount_; }
  bool HasFiller() const { return static_cast<int>(lines_.size()) > realCount_; }
  int CurrentLine() const { return currentLine_; }
  std::int32_t Current() const { return rin_; }
  const CDescendancyHistory& History() const { return history_; }

  // A click (or the space bar) on line: a real person other than the current
  // one becomes current and is pushed on the history. True when it changed.
  bool GoToLine(int line);
  // The history's previous and next entries; selected is the line selected
  // before the move.
  void Previous(int selected = -1);
  void Next(int selected = -1);
  // OK or a double click on line (beyond the lines: the last line). The RIN
  // chosen, or 0 for a separator or missing parent ("Invalid Selection"
  // shown through the message box port).
  std::int32_t Choose(int line);

  // Keys of the list that could reach the filler lines.
  enum class ListKey { kPageDown, kEnd, kDown, kRight };
  // The line a key selects while filler lines follow the real ones: Page
  // Down and End go no further than the last real line, and Down and Right
  // stay there. -1 when the list moves as usual (no filler, or Down and
  // Right above the last real line). page: the lines of a page.
  int KeyTarget(ListKey key, int selected, int page) const;

 private:
  void Rebuild(int selected);

  std::int32_t rin_;
  const plat::TextMeasure* dc_;
  int suffixKind_;
  std::vector<DescendancyLine> lines_;
  int currentLine_ = -1;
  int realCount_ = 0;
  CDescendancyHistory history_;
};

}  // namespace kin
