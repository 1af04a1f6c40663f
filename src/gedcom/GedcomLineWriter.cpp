#include "GedcomLineWriter.h"

#include <algorithm>

#include "CodePage.h"

namespace gedcom {

namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

std::string LevelPrefix(int level, std::string_view tag) {
  std::string prefix = std::to_string(level);
  prefix += ' ';
  prefix += tag;
  prefix += ' ';
  return prefix;
}

// Index of the first CR or LF in text[from, to), or to.
std::size_t FindBreak(std::string_view text, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i)
    if (IsBreak(text[i])) return i;
  return to;
}

}  // namespace

std::string DoubleAt(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    // An escape such as "@#DJULIAN@" is GEDCOM, not text: written as it is.
    if (c == '@' && i + 1 < text.size() && text[i + 1] == '#') {
      const std::size_t close = text.find('@', i + 2);
      if (close != std::string_view::npos) {
        out.append(text.substr(i, close + 1 - i));
        i = close;
        continue;
      }
    }
    out += c;
    if (c == '@') out += '@';
  }
  return out;
}

bool GedcomLineWriter::Emit(std::string_view line) {
  if (ok_ && !sink_.WriteLine(line)) ok_ = false;
  return ok_;
}

bool GedcomLineWriter::Plain(std::string_view text) {
  std::string line(text.substr(0, kMaxPlainLength));
  for (char& c : line)
    if (IsBreak(c)) c = '~';
  return Emit(line);
}

bool GedcomLineWriter::TagValue(std::string_view tag, std::string_view value) {
  if (value.empty()) return ok_;
  std::string text(value);
  for (char& c : text)
    if (IsBreak(c)) c = '~';
  const std::size_t room = kMaxLineLength > tag.size() + 1 ? kMaxLineLength - tag.size() - 1 : 0;
  std::string doubled = DoubleAt(text);
  if (doubled.size() > room) {
    // The 5.5 form continues a value too long for one line on CONC lines, as
    // it does a long text; the level is the tag's first word.
    const std::size_t blank = tag.find(' ');
    int level = 0;
    bool numbered = blank != 0 && blank != std::string_view::npos;
    for (std::size_t i = 0; numbered && i < blank; ++i) {
      numbered = tag[i] >= '0' && tag[i] <= '9';
      level = level * 10 + (tag[i] - '0');
    }
    if (form_ == GedcomForm::k55 && numbered) {
      LongText55(level, std::string(tag) + ' ', text);
      return ok_;
    }
    // The 4.0 form has no CONC: the value is cut between characters of the
    // stored value, so that a doubled "@" stays whole, and remembered.
    std::size_t kept = 0, length = 0;
    while (kept < text.size() && length + (text[kept] == '@' ? 2 : 1) <= room)
      length += text[kept++] == '@' ? 2 : 1;
    while (kept > 0 && !plat::IsCharacterBoundary(text, kept)) --kept;
    doubled = DoubleAt(std::string_view(text).substr(0, kept));
    std::string note(tag);
    note += ' ';
    note += value.substr(0, 40);
    note += "...";
    cut_.push_back(note);
  }
  std::string line(tag);
  line += ' ';
  line += doubled;
  return Emit(line);
}

bool GedcomLineWriter::LongText(int level, std::string_view tag, std::string_view text) {
  if (text.empty()) return ok_;
  const std::string prefix = LevelPrefix(level, tag);
  if (form_ == GedcomForm::k55)
    LongText55(level, prefix, text);
  else
    LongText40(prefix, level, text);
  return ok_;
}

// Lines of at most 100 characters; a break ends a line early and the next is
// a CONT, a cut continues with CONC. A cut never leaves a blank at the end of
// one line or the start of the next, unless the whole line is blanks.
void GedcomLineWriter::LongText55(int level, const std::string& prefix, std::string_view text) {
  const std::string cont = LevelPrefix(level + 1, "CONT");
  const std::string conc = LevelPrefix(level + 1, "CONC");
  std::string current = prefix;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t room =
        kLongTextLine55 > current.size() ? kLongTextLine55 - current.size() : 1;
    const std::size_t limit = std::min(text.size(), pos + room);
    // A break right after a full line ends that line, rather than a cut.
    const std::size_t scan = std::min(text.size(), limit + 1);
    const std::size_t brk = FindBreak(text, pos, scan);
    if (brk < scan) {
      Emit(current + DoubleAt(text.substr(pos, brk - pos)));
      pos = brk + ((text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1);
      current = cont;
      continue;
    }
    if (limit == text.size()) {
      Emit(current + DoubleAt(text.substr(pos)));
      return;
    }
    // Nor does it part a letter beyond the code page from its pair's bytes
    // or its accents.
    std::size_t cut = limit;
    while (cut > pos &&
           (text[cut] == ' ' || text[cut - 1] == ' ' || !plat::IsCharacterBoundary(text, cut)))
      --cut;
    if (cut == pos) {
      cut = limit;
      while (cut > pos + 1 && !plat::IsCharacterBoundary(text, cut)) --cut;
    }
    Emit(current + DoubleAt(text.substr(pos, cut - pos)));
    pos = cut;
    current = conc;
  }
}

// Lines of at most 86 characters without leading blanks; a cut falls back to
// the last blank but keeps at least 40 characters, and continues with CONT; a
// break (any run of CR and LF) starts a new line with the first prefix.
void GedcomLineWriter::LongText40(const std::string& prefix, int level, std::string_view text) {
  const std::string cont = LevelPrefix(level + 1, "CONT");
  std::string current = prefix;
  std::size_t pos = 0;
  while (true) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos >= text.size()) return;
    const std::size_t room =
        kLongTextLine40 > current.size() ? kLongTextLine40 - current.size() : 1;
    const std::size_t limit = std::min(text.size(), pos + room);
    const std::size_t scan = std::min(text.size(), limit + 1);
    const std::size_t brk = FindBreak(text, pos, scan);
    if (brk < scan) {
      Emit(current + DoubleAt(text.substr(pos, brk - pos)));
      pos = brk;
      while (pos < text.size() && IsBreak(text[pos])) ++pos;
      current = prefix;
      continue;
    }
    if (limit == text.size()) {
      Emit(current + DoubleAt(text.substr(pos)));
      return;
    }
    std::size_t end = limit;
    if (text[limit] != ' ') {
      const std::size_t floor = current.size() < kLongTextMinimum40
                                    ? pos + (kLongTextMinimum40 - current.size())
                                    : pos + 1;
      std::size_t k = limit;
      while (k > floor && text[k] != ' ') --k;
      end = k;
    }
    while (end > pos + 1 && !plat::IsCharacterBoundary(text, end)) --end;
    Emit(current + DoubleAt(text.substr(pos, end - pos)));
    pos = end;  // a blank here is skipped as the next line's leading blank
    current = cont;
  }
}

const char* RelationshipWord(char letter, bool mother) {
  if (mother) {
    if (letter == 'C') return "challenged";
    if (letter == 'D') return "disproved";
  }
  switch (letter) {
    case 'a':
      return "adopted";
    case 'c':
      return "challenged";
    case 'd':
      return "disproved";
    case 'g':
    case 't':
      return "foster";
    case 's':
      return "sealing";
    default:
      return "birth";
  }
}

// Step children ('t') read "foster" here too, as in the word table: a step
// link is not a sealing.
const char* PedigreeWord(char father, char mother, char status) {
  if (status == 'C' || status == 'c') return "challenged";
  if (status == 'D' || status == 'd') return "disproved";
  if (mother == 'C' || mother == 'c') return "challenged";
  if (mother == 'D' || mother == 'd') return "disproved";
  if (father == 'c') return "challenged";
  if (father == 'd') return "disproved";
  for (char word : {'b', 'a', 'g'})
    if (father == word || mother == word) return RelationshipWord(word, false);
  if (father == 't' || mother == 't') return "foster";
  return "sealing";
}

}  // namespace gedcom
