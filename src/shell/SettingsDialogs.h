#pragma once
// What the small settings dialogs decide: the font list of the Fonts dialog,
// and the five name-display colours of the Colors dialog with the layout of
// its sample and where a click in the sample lands.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "AppOptions.h"

namespace shell {

// ---- Fonts ----

// Font chooser flags an entry may carry.
inline constexpr unsigned kFontScreen = 0x1;
inline constexpr unsigned kFontPrinter = 0x2;
inline constexpr unsigned kFontTrueTypeOnly = 0x40000;
inline constexpr unsigned kFontLimitSize = 0x2000;

struct FontEntry {
  std::string label;        // shown in the list
  std::string description;  // the font, "face;style;size"
  std::string defaultDescription;
  unsigned flags = kFontScreen;
  int minSize = 0;  // points, with kFontLimitSize
  int maxSize = 0;
};

class FontListModel {
 public:
  std::string caption;  // empty: the dialog's own
  int showDefaults = 1;
  std::vector<FontEntry> entries;

  bool Empty() const { return entries.empty(); }
  int Current() const { return current_; }
  void Select(int index);
  // The current entry's description in words.
  std::string ShownDescription() const;
  // Every entry back to its default.
  void SetDefaults();
  // Choosing a font for the current entry needs the default printer: the
  // chooser lists screen or printer fonts on its device.
  bool NeedsPrinter() const;
  // The chooser's answer for the current entry: its size is kept within the
  // entry's limits.
  void SetChosen(const std::string& face, double points, int weight, bool italic);

 private:
  int current_ = 0;
};

// ---- Colors ----

class ColorsModel {
 public:
  // In the order of the dialog's list.
  enum Which : int {
    kNameText,
    kNameBackground,
    kSelectedNameText,
    kSelectedNameBackground,
    kWindowBackground,
    kColorCount
  };

  void Load(const CAppOptions& options);
  // The desktop's window-text, window, highlight-text, highlight and
  // button-face colours.
  void UseSystemColors();
  // OK: the stored colours are removed, the five set, and written only when
  // one differs from its desktop colour.
  void Store(CAppOptions& options) const;

  std::array<std::uint32_t, kColorCount> colors{};
  int selected = kNameText;
};

struct SampleRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The sample drawn in a rectangle cut into 8 columns and 7 rows: a "name"
// box and a "selected name" box joined as in a pedigree chart.
struct ColorsSample {
  SampleRect whole, nameBox, selectedBox;
  int nameTextX = 0, nameTextY = 0;
  int selectedTextX = 0, selectedTextY = 0;
  // The two joining lines: the name box's right edge to the selected box's
  // left edge, through a vertical at the middle.
  int lineX = 0, lineTopY = 0, lineBottomY = 0;

  static ColorsSample Layout(const SampleRect& r);
  // The colour a click at (x, y) selects, or -1 outside the sample.
  int Hit(int x, int y) const;

 private:
  int w_ = 0;
};

}  // namespace shell
