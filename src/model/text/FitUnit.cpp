#include "FitUnit.h"

#include <algorithm>
#include <vector>

namespace {

PlaceFitOptions& Options() {
  static PlaceFitOptions options;
  return options;
}

bool IsWordSeparator(char c) {
  switch (c) {
    case ' ':
    case '"':
    case '\'':
    case '(':
    case ')':
    case '/':
    case '<':
    case '>':
    case '[':
    case ']':
    case '{':
    case '}':
      return true;
    default:
      return false;
  }
}

int Width(const plat::TextMeasure* dc, std::string_view text) {
  return dc != nullptr ? dc->TextWidth(text) : 0;
}

constexpr int kMaxPlaceChars = 81;

// How much of a unit is shown.
enum class Form { kHidden, kInitial, kInitials, kFull };

struct Shown {
  CFitUnit* unit;
  Form form = Form::kHidden;
  std::string Text() const {
    switch (form) {
      case Form::kInitial:
        return unit->initials.substr(0, 1);
      case Form::kInitials:
        return unit->initials;
      case Form::kFull:
        return unit->text;
      case Form::kHidden:
        break;
    }
    return {};
  }
  int TextWidth() const {
    switch (form) {
      case Form::kInitial:
        return unit->initialWidth;
      case Form::kInitials:
        return unit->initialsWidth;
      case Form::kFull:
        return unit->width;
      case Form::kHidden:
        break;
    }
    return 0;
  }
};

// The room left while units are added. Separators are paid for up to the
// highest level shown, since every level below it keeps its slot.
class Room {
 public:
  Room(int chars, int pixels, int separatorChars, int separatorPixels)
      : chars_(chars),
        pixels_(pixels),
        separatorChars_(separatorChars),
        separatorPixels_(separatorPixels) {}

  void Open(int level) {
    chars_ -= (level - 1) * separatorChars_;
    pixels_ -= (level - 1) * separatorPixels_;
    highest_ = level;
  }
  // The separators a unit of level would add.
  int ExtraChars(int level) const { return std::max(0, level - highest_) * separatorChars_; }
  int ExtraPixels(int level) const { return std::max(0, level - highest_) * separatorPixels_; }
  bool Fits(int level, int chars, int pixels) const {
    return chars + ExtraChars(level) <= chars_ && pixels + ExtraPixels(level) <= pixels_;
  }
  void Take(int level, int chars, int pixels) {
    chars_ -= chars + ExtraChars(level);
    pixels_ -= pixels + ExtraPixels(level);
    highest_ = std::max(highest_, level);
  }
  int CharsFor(int level) const { return chars_ - ExtraChars(level); }
  int PixelsFor(int level) const { return pixels_ - ExtraPixels(level); }

 private:
  int chars_;
  int pixels_;
  int separatorChars_;
  int separatorPixels_;
  int highest_ = 1;
};

// The other units in the order the place option takes them.
std::vector<int> TakingOrder(int option, int count) {
  std::vector<int> order;
  const int last = count - 1;
  switch (option) {
    case 1:  // the last, then upward from the second
      order.push_back(last);
      for (int i = 1; i < last; ++i) order.push_back(i);
      break;
    case 2:  // the last, then downward
      for (int i = last; i >= 1; --i) order.push_back(i);
      break;
    case 3:  // downward from the next to last
      for (int i = last - 1; i >= 0; --i) order.push_back(i);
      break;
    case 4:  // the first, then downward
      order.push_back(0);
      for (int i = last - 1; i >= 1; --i) order.push_back(i);
      break;
    case 5:  // the first, then upward
      for (int i = 0; i < last; ++i) order.push_back(i);
      break;
    default:  // the next levels upward
      for (int i = 1; i <= last; ++i) order.push_back(i);
      break;
  }
  return order;
}

}  // namespace

void SetPlaceFitOptions(const PlaceFitOptions& options) { Options() = options; }
const PlaceFitOptions& GetPlaceFitOptions() { return Options(); }

std::string MakeInitials(std::string_view text) {
  std::string initials;
  bool atWordStart = true;
  for (char c : text) {
    if (IsWordSeparator(c)) {
      atWordStart = true;
    } else if (atWordStart) {
      initials += c;
      atWordStart = false;
    }
  }
  return initials;
}

CFitUnit::CFitUnit(int level, std::string_view text, const plat::TextMeasure* dc)
    : level(level), text(text), width(Width(dc, text)), initials(MakeInitials(text)) {
  if (initials.empty() && !this->text.empty()) initials = this->text.substr(0, 1);
  initialsWidth = Width(dc, initials);
  initialWidth = Width(dc, std::string_view(initials).substr(0, 1));
}

void CFitUnit::Truncate(int chars, const plat::TextMeasure* dc, int maxWidth) {
  const bool keepsBlank = level >= 101 && level <= 199;
  auto cutTo = [&](std::size_t n) {
    text.resize(n);
    if (keepsBlank && !text.empty() && text.back() != ' ') text += ' ';
  };
  const std::size_t count = static_cast<std::size_t>(std::max(chars, 0));
  if (text.size() > count) cutTo(count);
  if (dc != nullptr) {
    const int limit = std::max(maxWidth, 0);
    while (!text.empty() && dc->TextWidth(text) > limit) {
      std::size_t n = text.size() - 1;
      if (keepsBlank && text.back() == ' ' && n > 0) --n;  // the blank comes back
      cutTo(n);
    }
  }
  width = Width(dc, text);
}

std::string FitPlaceParts(const std::string (&parts)[4], int charLimit, std::string_view separator,
                          const plat::TextMeasure* dc, int pixelWidth) {
  charLimit = std::min(charLimit, kMaxPlaceChars);
  if (pixelWidth > 10) pixelWidth -= 2;

  std::vector<CFitUnit> units;
  for (int i = 0; i < 4; ++i)
    if (!parts[i].empty()) units.emplace_back(i + 1, parts[i], dc);
  if (units.empty()) return {};
  const int count = static_cast<int>(units.size());

  std::vector<Shown> shown;
  for (CFitUnit& unit : units) shown.push_back(Shown{&unit});

  const PlaceFitOptions& options = Options();
  const int option = std::clamp(options.placeLevelImportance, 0, 5);
  const int keyIndex = option <= 2 ? 0 : count - 1;
  CFitUnit& key = units[keyIndex];

  // The text is kept below the character limit.
  Room room(charLimit - 1, pixelWidth, static_cast<int>(separator.size()),
            Width(dc, separator) + 1);
  room.Open(key.level);

  const int keyChars = static_cast<int>(key.text.size());
  if (count == 1 || !room.Fits(key.level, keyChars, key.width)) {
    key.Truncate(room.CharsFor(key.level), dc, room.PixelsFor(key.level));
    if (!key.text.empty()) shown[keyIndex].form = Form::kFull;
  } else {
    room.Take(key.level, keyChars, key.width);
    shown[keyIndex].form = Form::kFull;
    const std::vector<int> order = TakingOrder(option, count);

    if (options.clipping == 0) {
      for (int index : order) {
        CFitUnit& unit = units[index];
        const int chars = static_cast<int>(unit.text.size());
        if (room.Fits(unit.level, chars, unit.width)) {
          room.Take(unit.level, chars, unit.width);
          shown[index].form = Form::kFull;
          continue;
        }
        unit.Truncate(room.CharsFor(unit.level), dc, room.PixelsFor(unit.level));
        if (!unit.text.empty()) shown[index].form = Form::kFull;
        break;
      }
    } else {
      std::vector<int> initialled;
      for (int index : order) {
        CFitUnit& unit = units[index];
        if (!room.Fits(unit.level, 1, unit.initialWidth)) break;
        room.Take(unit.level, 1, unit.initialWidth);
        shown[index].form = Form::kInitial;
        initialled.push_back(index);
      }
      for (int index : initialled) {
        CFitUnit& unit = units[index];
        Shown& s = shown[index];
        if (unit.initials.size() > 1) {
          const int moreChars = static_cast<int>(unit.initials.size()) - 1;
          const int morePixels = unit.initialsWidth - unit.initialWidth;
          if (room.Fits(unit.level, moreChars, morePixels)) {
            room.Take(unit.level, moreChars, morePixels);
            s.form = Form::kInitials;
          }
        }
        const int moreChars = static_cast<int>(unit.text.size() - s.Text().size());
        const int morePixels = unit.width - s.TextWidth();
        if (room.Fits(unit.level, moreChars, morePixels)) {
          room.Take(unit.level, moreChars, morePixels);
          s.form = Form::kFull;
        }
      }
    }
  }

  std::string out;
  int previousLevel = 1;
  for (const Shown& s : shown) {
    if (s.form == Form::kHidden) continue;
    for (int level = previousLevel; level < s.unit->level; ++level) out += separator;
    out += s.Text();
    previousLevel = s.unit->level;
  }
  return out;
}
