#include "NameFit.h"

#include <algorithm>
#include <memory>

#include "FitUnit.h"

namespace {

int Width(const plat::TextMeasure* dc, const std::string& text) {
  return dc != nullptr ? dc->TextWidth(text) : 0;
}

int Len(const std::string& text) { return static_cast<int>(text.size()); }

// Fit-unit levels of name parts: a trailing blank, or a leading blank.
constexpr int kTrailingBlankLevel = 101;
constexpr int kLeadingBlankLevel = 201;

// One name part in its three forms (initial letter, initials, full text),
// each with its blank.
struct Piece {
  enum Form { kHidden, kInitial, kInitials, kFull };

  Piece(const std::string& text, bool leadingBlank, const plat::TextMeasure* dc)
      : level(leadingBlank ? kLeadingBlankLevel : kTrailingBlankLevel),
        initialsLength(0),
        textLength(Len(text)) {
    const std::string initials = MakeInitials(text);
    const std::string letter = initials.empty() ? text.substr(0, 1) : initials.substr(0, 1);
    initialsLength = Len(initials);
    auto dress = [&](const std::string& s) { return leadingBlank ? " " + s : s + " "; };
    form[kInitial] = dress(letter);
    form[kInitials] = dress(initials);
    form[kFull] = dress(text);
    for (int f = kInitial; f <= kFull; ++f) width[f] = Width(dc, form[f]);
  }

  std::string Text() const { return cut ? cutText : form[shown]; }
  int TextWidth() const { return width[shown]; }

  int level;
  int initialsLength;
  int textLength;
  std::string form[4];
  int width[4] = {};
  int shown = kHidden;
  bool cut = false;
  std::string cutText;
};

// What is used of the room so far.
struct Budget {
  int chars;
  int width;
  int room;   // the text stays below this many characters
  int limit;  // and within this many pixels (with a measure)
  const plat::TextMeasure* dc;

  bool Fits(int moreChars, int moreWidth) const {
    return chars + moreChars < room && (dc == nullptr || width + moreWidth <= limit);
  }
  void Take(int moreChars, int moreWidth) {
    chars += moreChars;
    width += moreWidth;
  }
  // Raises a piece to form f when the text still fits.
  bool Raise(Piece& p, int f) {
    const int moreChars = Len(p.form[f]) - Len(p.form[p.shown]);
    const int moreWidth = p.width[f] - (p.shown == Piece::kHidden ? 0 : p.width[p.shown]);
    if (!Fits(moreChars, moreWidth)) return false;
    Take(moreChars, moreWidth);
    p.shown = f;
    return true;
  }
};

// Condensing by initials: every part gets its initial (or the text ends
// before the first that does not), then parts are raised to initials and
// full text in order where they fit, and last the suffix.
void FitByInitials(std::vector<Piece>& parts, Piece* suffix, Budget& b) {
  for (Piece& p : parts)
    if (!b.Raise(p, Piece::kInitial)) return;
  for (Piece& p : parts) {
    if (p.initialsLength > 1) b.Raise(p, Piece::kInitials);
    if (p.textLength > p.initialsLength) b.Raise(p, Piece::kFull);
  }
  if (suffix == nullptr) return;
  for (int f = Piece::kInitial; f <= Piece::kFull; ++f)
    if (f == Piece::kInitial || Len(suffix->form[f]) > Len(suffix->Text())) b.Raise(*suffix, f);
}

// A cut piece is shown only when something but its blank is left.
void ShowCut(Piece& p, CFitUnit& unit, Budget& b) {
  if (unit.text.find_first_not_of(' ') == std::string::npos) return;
  p.cut = true;
  p.cutText = unit.text;
  p.shown = Piece::kFull;
  b.Take(Len(unit.text), unit.width);
}

// Condensing by cutting: parts in full from the left; the first that does
// not fit is cut and ends the text.
void FitByCutting(std::vector<Piece*>& list, Budget& b) {
  for (Piece* p : list) {
    if (!b.Fits(Len(p->form[Piece::kInitial]), p->width[Piece::kInitial])) return;
    const std::string& full = p->form[Piece::kFull];
    if (Len(full) > 2 && b.chars + Len(full) >= b.room) {
      CFitUnit unit(p->level, full, b.dc);
      unit.Truncate(b.room - b.chars - 4, b.dc, b.limit - b.width);
      ShowCut(*p, unit, b);
      return;
    }
    if (b.dc != nullptr && b.width + p->width[Piece::kFull] > b.limit) {
      CFitUnit unit(p->level, full, b.dc);
      unit.Truncate(Len(full), b.dc, b.limit - b.width);
      ShowCut(*p, unit, b);
      return;
    }
    b.Take(Len(full), p->width[Piece::kFull]);
    p->shown = Piece::kFull;
  }
}

// Shortens a text one character at a time, never below one, until it is
// within limit pixels.
std::string Shorten(std::string text, int limit, const plat::TextMeasure* dc) {
  if (dc == nullptr) return text;
  while (text.size() > 1 && dc->TextWidth(text) > limit) text.pop_back();
  return text;
}

struct Fitted {
  std::vector<Piece> parts;
  std::unique_ptr<Piece> suffix;
};

void FitPieces(const NameFitInput& in, bool leadingBlanks, Budget& b, Fitted& out) {
  for (const std::string& part : in.parts)
    if (!part.empty()) out.parts.emplace_back(part, leadingBlanks, in.dc);
  if (!in.suffix.empty()) out.suffix = std::make_unique<Piece>(in.suffix, true, in.dc);
  if (in.trim) {
    FitByInitials(out.parts, out.suffix.get(), b);
  } else {
    std::vector<Piece*> list;
    for (Piece& p : out.parts) list.push_back(&p);
    if (out.suffix) list.push_back(out.suffix.get());
    FitByCutting(list, b);
  }
}

}  // namespace

std::string FitNameGivenFirst(const NameFitInput& in) {
  const int room = in.maxChars - Len(in.tail);
  const int limit = in.pixelWidth - Width(in.dc, in.tail);
  std::string surname = in.surname;
  if (Len(surname) >= room) {
    surname.resize(static_cast<std::size_t>(std::clamp(room, 0, Len(surname))));
    return Shorten(surname, limit, in.dc) + in.tail;
  }
  if (in.dc != nullptr && in.dc->TextWidth(surname) > limit)
    return Shorten(surname, limit, in.dc) + in.tail;

  Budget b{Len(surname), Width(in.dc, surname), room, limit, in.dc};
  Fitted fitted;
  FitPieces(in, false, b, fitted);
  std::string out;
  for (const Piece& p : fitted.parts)
    if (p.shown != Piece::kHidden) out += p.Text();
  out += surname;
  if (fitted.suffix && fitted.suffix->shown != Piece::kHidden) out += fitted.suffix->Text();
  return out + in.tail;
}

std::string FitNameSurnameFirst(const NameFitInput& in) {
  if (in.maxChars <= 0) return {};
  std::string surname = in.surname;
  if (Len(surname) > in.maxChars || Width(in.dc, surname) > in.pixelWidth) {
    if (Len(surname) > in.maxChars) surname.resize(static_cast<std::size_t>(in.maxChars));
    return Shorten(surname, in.pixelWidth, in.dc);
  }
  std::string out = surname + ",";
  if (Len(out) >= in.maxChars + 1 || (in.dc != nullptr && in.dc->TextWidth(out) >= in.pixelWidth))
    return out;
  Budget b{Len(out), Width(in.dc, out), in.maxChars + 1, in.pixelWidth, in.dc};
  Fitted fitted;
  FitPieces(in, true, b, fitted);
  for (const Piece& p : fitted.parts)
    if (p.shown != Piece::kHidden) out += p.Text();
  if (fitted.suffix && fitted.suffix->shown != Piece::kHidden) out += fitted.suffix->Text();
  return out;
}
