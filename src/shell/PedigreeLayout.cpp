#include "PedigreeLayout.h"

#include <algorithm>
#include <cctype>

#include "NumberWords.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell::pedigree {

namespace {

// Left edge and first box's top of each generation; the boxes of generation
// g follow each other downwards 29 * 2^(4-g) units apart.
constexpr int kGenerationX[kGenerationCount] = {20, 50, 145, 299, 550};
constexpr int kGenerationY[kGenerationCount] = {257, 373, 431, 460, 474};
constexpr int kBoxSpacing = 29;

// The logical-to-device scale with the rounding of a multiply-divide.
int Scale(int value, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

}  // namespace

int GenerationOf(int box) {
  int generation = 0;
  while (generation + 1 < kGenerationCount && box >= (1 << (generation + 1)) - 1) ++generation;
  return generation;
}

Rect BoxRect(int box) {
  const int g = GenerationOf(box);
  const int index = box - ((1 << g) - 1);
  const int x = kGenerationX[g];
  const int y = kGenerationY[g] - index * kBoxSpacing * (1 << (kGenerationCount - 1 - g));
  return {x, y, x + kBoxWidth, y - kBoxHeight};
}

int HeaderLabelX(int generation) {
  return generation == 0 ? kGenerationX[0]
                         : kGenerationX[generation] + 6 * (kGenerationCount - generation);
}

std::array<std::string, kGenerationCount> HeaderLabels(std::size_t historyLength) {
  std::array<std::string, kGenerationCount> labels;
  for (int g = 0; g < kGenerationCount; ++g)
    labels[g] = OrdinalSuffix(static_cast<int>(historyLength) + g + 1);
  return labels;
}

Rect ButtonRect(int button) {
  if (button == 0) {
    const Rect box = BoxRect(0);
    return {box.left - 16, box.top - 1, box.left - 3, box.top - kBoxHeight + 1};
  }
  const Rect box = BoxRect(BoxOfArrowButton(button));
  return {box.right + 4, box.top - 1, box.right + 17, box.top - kBoxHeight + 1};
}

std::vector<Line> ConnectingLines() {
  std::vector<Line> lines;
  for (int father = 1; father < kBoxCount; father += 2) {
    const Rect f = BoxRect(father), m = BoxRect(father + 1);
    const int fy = f.top - 12, my = m.top - 12;
    lines.push_back({{f.left, fy}, {f.left - 9, fy}});
    lines.push_back({{f.left - 9, fy}, {m.left - 9, my}});
    lines.push_back({{m.left - 9, my}, {m.left, my}});
    // The last generation's boxes sit lower than their child's right edge
    // reaches: a stub joins the pair's line to the child.
    if (father + 1 >= kFirstLastGeneration)
      lines.push_back({{m.left - 9, m.top + 3}, {m.left - 18, m.top + 3}});
  }
  return lines;
}

// ---- mapping ----------------------------------------------------------------

Point Mapping::ToDevice(Point logical) const {
  if (IsEmpty()) return {};
  return {Scale(logical.x, width_, kWindowWidth),
          height_ - Scale(logical.y, height_, kWindowHeight)};
}

Point Mapping::ToLogical(Point device) const {
  if (IsEmpty()) return {};
  return {Scale(device.x, kWindowWidth, width_), Scale(height_ - device.y, kWindowHeight, height_)};
}

Rect Mapping::ToDevice(const Rect& logical) const {
  const Point a = ToDevice(Point{logical.left, logical.top});
  const Point b = ToDevice(Point{logical.right, logical.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

int Mapping::HeightToLogical(int pixels) const {
  return IsEmpty() ? 0 : Scale(pixels, kWindowHeight, height_);
}

int Mapping::WidthToLogical(int pixels) const {
  return IsEmpty() ? 0 : Scale(pixels, kWindowWidth, width_);
}

int Mapping::FontHeight() const {
  if (IsEmpty()) return 0;
  return std::min(16, width_ * 12 / height_);
}

int Mapping::FontPixelHeight() const {
  return IsEmpty() ? 0 : Scale(FontHeight(), height_, kWindowHeight);
}

int HitTest(const Mapping& mapping, Point device) {
  if (mapping.IsEmpty()) return kNoBox;
  for (int box = 0; box < kBoxCount; ++box) {
    const Rect r = mapping.ToDevice(BoxRect(box));
    if (device.x >= r.left && device.x < r.right && device.y >= r.top && device.y < r.bottom)
      return box;
  }
  return kNoBox;
}

// ---- keyboard ---------------------------------------------------------------

NavResult Navigate(NavKey key, int current, const Occupancy& occupied) {
  if (current < 0 || current >= kBoxCount) current = 0;
  const bool lastGeneration = current >= kFirstLastGeneration;
  auto moveTo = [&](int box) {
    return box >= 0 && box < kBoxCount && occupied.test(box) ? NavResult{NavResult::kMove, box, 0}
                                                             : NavResult{};
  };
  const int arrow = lastGeneration ? ArrowButtonOfBox(current) : 0;
  switch (key) {
    case NavKey::kFather:
      return lastGeneration ? NavResult{NavResult::kPressArrow, kNoBox, arrow}
                            : moveTo(FatherOf(current));
    case NavKey::kMother:
      return lastGeneration ? NavResult{NavResult::kPressArrowDown, kNoBox, arrow}
                            : moveTo(MotherOf(current));
    case NavKey::kFatherOrMother:
      if (lastGeneration) return {NavResult::kPressArrow, kNoBox, arrow};
      return occupied.test(FatherOf(current)) ? moveTo(FatherOf(current))
                                              : moveTo(MotherOf(current));
    case NavKey::kLast:
      for (int box = kBoxCount - 1; box >= 0; --box)
        if (occupied.test(box)) return moveTo(box);
      return {};
    case NavKey::kRoot:
      return moveTo(0);
    case NavKey::kChild:
      return current == 0 ? NavResult{NavResult::kPressDescend, kNoBox, 0}
                          : moveTo(ChildOf(current));
    case NavKey::kPrevious:
      for (int box = current - 1; box >= 0; --box)
        if (occupied.test(box)) return moveTo(box);
      return {};
    case NavKey::kNext:
      for (int box = current + 1; box < kBoxCount; ++box)
        if (occupied.test(box)) return moveTo(box);
      return {};
  }
  return {};
}

// ---- moves along the tree ---------------------------------------------------

CursorPrep PrepareCursor(int current) {
  CursorPrep prep;
  const int value = current;
  if (value > kArrowPendingBase && value <= kArrowPendingBase + kArrowButtonCount)
    prep.arrowBase = value - 108 <= 14 ? value - 108 : value - 116;
  return prep;
}

int CursorAfterArrow(int arrowBase, const Occupancy& occupied) {
  if (arrowBase < 0) return 0;
  const int father = FatherOf(arrowBase);
  if (father >= kBoxCount) return 0;
  return occupied.test(father) ? father : MotherOf(arrowBase);
}

std::vector<int> PathFromRoot(int box) {
  std::vector<int> path;
  for (int b = ChildOf(box); b >= 0; b = ChildOf(b)) path.push_back(b);
  std::reverse(path.begin(), path.end());
  return path;
}

// ---- InfoBox ----------------------------------------------------------------

Point InfoBoxCorner(int box, int largeWidth, int largeHeight, int formWidth, int formHeight) {
  const Rect r = BoxRect(box);
  Point corner;
  // Below the box when the large form fits above the window's bottom (y 0).
  corner.y = r.bottom - largeHeight >= 0 ? r.bottom : r.top + formHeight;
  corner.x = r.left + largeWidth > kRightEdge ? r.right - formWidth : r.left;
  return corner;
}

std::string OrdinanceSummary(int baptism, int endowment, int sealingToParents, int sealingToSpouse,
                             int children) {
  std::string text = " - ";
  auto letter = [&text](unsigned id, int state) {
    const std::string word = res::LoadString(id);
    if (word.empty() || (state != 2 && state != 3)) return;
    const unsigned char c = static_cast<unsigned char>(word[0]);
    text += static_cast<char>(state == 2 ? std::toupper(c) : std::tolower(c));
  };
  letter(res::kIdsBaptismLetter, baptism);
  letter(res::kIdsEndowmentLetter, endowment);
  letter(res::kIdsSealingToParentsLetter, sealingToParents);
  letter(res::kIdsSealingToSpouseLetter, sealingToSpouse);
  // The children's combined status counts as done unless it is 3.
  if (children > 0) letter(res::kIdsChildrenLetter, children == 3 ? 3 : 2);
  return text;
}

std::string ChildLine(bool hasChildren, const std::string& name) {
  std::string line;
  line += hasChildren ? '<' : ' ';
  line += '\t';
  line += name;
  return line;
}

}  // namespace shell::pedigree
