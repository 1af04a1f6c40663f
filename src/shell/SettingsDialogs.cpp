#include "SettingsDialogs.h"

#include <algorithm>
#include <cmath>

#include "FontDescription.h"
#include "SystemColors.h"

namespace shell {

// ---- Fonts ----

void FontListModel::Select(int index) {
  if (index >= 0 && index < static_cast<int>(entries.size())) current_ = index;
}

std::string FontListModel::ShownDescription() const {
  if (entries.empty()) return {};
  return FontDescriptionToText(entries[static_cast<std::size_t>(current_)].description);
}

void FontListModel::SetDefaults() {
  for (FontEntry& e : entries) e.description = e.defaultDescription;
}

bool FontListModel::NeedsPrinter() const {
  if (entries.empty()) return false;
  return (entries[static_cast<std::size_t>(current_)].flags & (kFontScreen | kFontPrinter)) != 0;
}

void FontListModel::SetChosen(const std::string& face, double points, int weight, bool italic) {
  if (entries.empty()) return;
  FontEntry& e = entries[static_cast<std::size_t>(current_)];
  int whole = static_cast<int>(std::lround(points));
  if (e.flags & kFontLimitSize) {
    if (e.minSize > 0) whole = std::max(whole, e.minSize);
    if (e.maxSize > 0) whole = std::min(whole, e.maxSize);
  }
  e.description = FormatFontDescription(face, whole * 10, weight, italic);
}

// ---- Colors ----

namespace {

using Field = int CAppOptions::*;
constexpr Field kFields[ColorsModel::kColorCount] = {
    &CAppOptions::colorNameText, &CAppOptions::colorNameBackground,
    &CAppOptions::colorSelectedNameText, &CAppOptions::colorSelectedNameBackground,
    &CAppOptions::colorBackground};
constexpr plat::SystemColor kSystem[ColorsModel::kColorCount] = {
    plat::SystemColor::kWindowText, plat::SystemColor::kWindow, plat::SystemColor::kHighlightText,
    plat::SystemColor::kHighlight, plat::SystemColor::kButtonFace};

}  // namespace

void ColorsModel::Load(const CAppOptions& options) {
  for (int i = 0; i < kColorCount; ++i) colors[i] = static_cast<std::uint32_t>(options.*kFields[i]);
}

void ColorsModel::UseSystemColors() {
  for (int i = 0; i < kColorCount; ++i) colors[i] = plat::GetSystemColor(kSystem[i]);
}

void ColorsModel::Store(CAppOptions& options) const {
  options.ResetColors();
  for (int i = 0; i < kColorCount; ++i) options.*kFields[i] = static_cast<int>(colors[i]);
  options.SaveColors();
}

ColorsSample ColorsSample::Layout(const SampleRect& r) {
  ColorsSample s;
  const int w = (r.right - r.left) / 8;
  const int h = (r.bottom - r.top) / 7;
  s.w_ = w;
  s.whole = r;
  s.nameBox = {r.left + w, r.top + 4 * h, r.left + 5 * w, r.top + 6 * h};
  s.selectedBox = {r.left + 3 * w, r.top + h, r.left + 7 * w, r.top + 3 * h};
  s.nameTextX = r.left + w + 10;
  s.nameTextY = r.top + 4 * h + 3;
  s.selectedTextX = r.left + 3 * w + 10;
  s.selectedTextY = r.top + h + 3;
  // From the middle of the name box's top edge up to the level of the
  // selected box's middle, then across to its left edge.
  s.lineX = r.left + 2 * w;
  s.lineTopY = r.top + 2 * h;
  s.lineBottomY = r.top + 4 * h;
  return s;
}

int ColorsSample::Hit(int x, int y) const {
  const int w = w_;
  if (nameBox.Contains(x, y))
    return x > whole.left + w + 4 * w / 3 ? ColorsModel::kNameBackground : ColorsModel::kNameText;
  if (selectedBox.Contains(x, y))
    return x > whole.left + 3 * w + 8 * w / 3 ? ColorsModel::kSelectedNameBackground
                                              : ColorsModel::kSelectedNameText;
  if (whole.Contains(x, y)) return ColorsModel::kWindowBackground;
  return -1;
}

}  // namespace shell
