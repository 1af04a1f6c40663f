#include "GedcomLineReader.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "Ansel.h"
#include "CodePage.h"
#include "FileUtil.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace gedcom {
namespace {

constexpr const char* kBadLevel = "Bad level number.";
constexpr const char* kMissingDelimiter = "Missing delimiter.";
constexpr const char* kBadXref = "Bad XrefId pointer.";
constexpr const char* kBadTag = "Bad tag.";
constexpr const char* kValueTooLong = "Value too long, value truncated.";
constexpr const char* kNulInValue = "The value holds a NUL byte, which is left out.";
constexpr const char* kControlsInValue =
    "The value holds control characters, which are left out: %d.";
constexpr const char* kLevelJump =
    "Level number doesn't increment by one. Skipped lines %ld through %ld.";
constexpr const char* kUnassociated = "Skipped unassociated CONT/CONC lines.";
constexpr const char* kItemTooLong = "Item too long, truncated: %s";
constexpr const char* kTooManyPieces =
    "Too many CONC/CONT lines.  Truncating additional CONC/CONT lines.";
constexpr const char* kLevelMismatch =
    "Level number '%d' for %s is not the same as the preceding line.";
constexpr const char* kIgnoringTag = "Ignoring unexpected tag '%s'.\n\n\t%s";
constexpr const char* kUnmappable =
    "Characters that the family file cannot hold were replaced by '?': %d.";
constexpr const char* kNotAnsel = "Bytes that are not ANSEL text were left out or read as '?': %d.";
constexpr const char* kNoCharLine = " The file has no CHAR line, so it was read as ANSEL.";
constexpr const char* kNoFurtherPart =
    "The file ends without a TRLR line, and there is no further part %s.";
constexpr const char* kStrayPart =
    "%s begins with its own HEAD record and was not read as a further part.";

constexpr const char* kImportCaption = "GEDCOM Import";
constexpr const char* kInsertDisk = "Insert disk #%1!d!\n\nFile: %2";
constexpr const char* kNotComplete = "Import is not complete.\nAre you sure you want to quit?";
constexpr const char* kCantOpen = "Can't open %s: %s";
constexpr const char* kImportFailed = "IMPORT FAILED";

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
  va_end(args);
  return out;
}

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(int c) { return c == '\r' || c == '\n' || c < 0; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsTagChar(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsDigit(c) || c == '_';
}

void TrimTrailing(std::string& s, std::string_view chars) {
  std::size_t end = s.find_last_not_of(chars);
  s.erase(end == std::string::npos ? 0 : end + 1);
}

bool IsPointerForm(std::string_view v) {
  return v.size() > 1 && v.front() == '@' && v.back() == '@' && v.find('@', 1) == v.size() - 1;
}

}  // namespace

CGedcomLineReader::CGedcomLineReader(GedcomReportSink& sink, DriveTypeQuery driveType)
    : sink_(sink), driveType_(std::move(driveType)) {
  if (!driveType_) driveType_ = [](const std::string& path) { return GetPathDriveType(path); };
}

bool CGedcomLineReader::Open(const std::string& path) {
  Close();
  if (!source_.Open(path)) return false;
  std::string file;
  std::string folder = GetPathDirectory(path, &file);
  std::size_t dot = file.rfind('.');
  name_ = dot == std::string::npos ? file : file.substr(0, dot);
  basePath_ = folder + name_;
  part_ = 0;
  lineNumber_ = 1;
  charset_ = source_.IsUnicode() ? kCharsetUnicode : kCharsetAnsel;
  quirks_ = 0;
  haveCurrent_ = haveLookAhead_ = pushBack_ = false;
  ended_ = false;
  trailerSeen_ = false;
  lastLevel_ = rejectedLevel_ = -1;
  jumpFirst_ = jumpLast_ = 0;
  lostInRecord_ = notAnselInRecord_ = 0;
  charsetGiven_ = false;
  return true;
}

void CGedcomLineReader::Close() {
  source_.Close();
  ended_ = true;
  haveCurrent_ = haveLookAhead_ = pushBack_ = false;
}

std::string CGedcomLineReader::PartFileName(int part) const {
  return part == 0 ? name_ + ".GED" : name_ + Format(".G%02d", part - 1);
}

std::string CGedcomLineReader::PartPath(int part) const {
  return part == 0 ? basePath_ + ".GED" : basePath_ + Format(".G%02d", part - 1);
}

std::string CGedcomLineReader::PositionText(const LinePosition& pos) const {
  return PartFileName(pos.part) + Format(", line %ld", pos.line);
}

bool CGedcomLineReader::SetCharacterSet(CharacterSet set) {
  charsetGiven_ = true;
  if (source_.IsUnicode() && set != kCharsetUnicode) return false;
  charset_ = set;
  if (pushBack_ && haveCurrent_) Finish(false);
  return true;
}

std::string CGedcomLineReader::Convert(std::string_view raw, int& unmappable) const {
  return ToCodePage(raw, charset_, plat::ActiveCodePage(), unmappable);
}

bool CGedcomLineReader::IsContinuation(const CGedcomLine& line) {
  return line.tagCode == kTagConc || line.tagCode == kTagCont;
}

// --- Physical lines ---

// Line ends are CR, LF, CR LF or LF CR, each one line.
void CGedcomLineReader::EndLine(int c) {
  if (c == '\r') {
    if (source_.Peek() == '\n') source_.Get();
  } else if (c == '\n') {
    if (source_.Peek() == '\r') source_.Get();
  } else {
    return;  // the end of the file
  }
  ++lineNumber_;
}

CGedcomLineReader::Physical CGedcomLineReader::Fail(int c, const char* message, int level,
                                                    const char*& error, int& errorLevel) {
  while (!IsLineEnd(c)) c = source_.Get();
  EndLine(c);
  error = message;
  errorLevel = level;
  return Physical::kError;
}

CGedcomLineReader::Physical CGedcomLineReader::ReadPhysical(CGedcomLine& out, const char*& error,
                                                            int& errorLevel) {
  error = nullptr;
  truncated_ = false;
  nulInValue_ = false;
  controlsInValue_ = 0;
  int c;
  for (;;) {
    c = source_.Get();
    while (IsBlank(c)) c = source_.Get();
    if (c < 0) return Physical::kEnd;
    if (!IsLineEnd(c)) break;
    EndLine(c);  // an empty line
  }
  out = CGedcomLine{};
  out.position = {part_, lineNumber_};

  if (!IsDigit(c)) return Fail(c, kBadLevel, -1, error, errorLevel);
  int level = 0;
  for (; IsDigit(c); c = source_.Get())
    if (level <= kMaxLevel) level = level * 10 + (c - '0');
  if (level > kMaxLevel) return Fail(c, kBadLevel, -1, error, errorLevel);
  out.level = level;
  if (!IsBlank(c)) return Fail(c, kMissingDelimiter, level, error, errorLevel);
  while (IsBlank(c)) c = source_.Get();

  if (c == '@') {
    for (c = source_.Get(); c != '@'; c = source_.Get()) {
      if (IsLineEnd(c) || out.xref.size() == kMaxXrefLength)
        return Fail(c, kBadXref, level, error, errorLevel);
      out.xref += static_cast<char>(c);
    }
    if (out.xref.empty()) return Fail(source_.Get(), kBadXref, level, error, errorLevel);
    c = source_.Get();
    if (!IsBlank(c)) return Fail(c, kMissingDelimiter, level, error, errorLevel);
    while (IsBlank(c)) c = source_.Get();
  }

  for (; IsTagChar(c); c = source_.Get())
    if (out.tag.size() <= kMaxTagLength) out.tag += static_cast<char>(c);
  if (out.tag.empty() || out.tag.size() > kMaxTagLength)
    return Fail(c, kBadTag, level, error, errorLevel);
  if (!IsBlank(c) && !IsLineEnd(c)) {
    bool space = c == '\v' || c == '\f';
    return Fail(c, space ? kMissingDelimiter : kBadTag, level, error, errorLevel);
  }
  out.tagCode = LookupTag(out.tag);

  std::string raw;
  if (IsBlank(c)) {
    // Text tags keep the leading blanks of their text: one delimiter only.
    bool oneDelimiter =
        out.tagCode == kTagCont || out.tagCode == kTagNote || out.tagCode == kTagText;
    c = source_.Get();
    for (int n = 1; !oneDelimiter && IsBlank(c) && n < 255; ++n) c = source_.Get();
    bool afterAt = false;
    // The value's bytes are gathered in runs, not appended one at a time.
    char run[256];
    std::size_t runLength = 0;
    for (; !IsLineEnd(c); c = source_.Get()) {
      if (c == '@' && afterAt) continue;  // a run of "@" is one "@"
      if (c == 0) {
        // Stored, a NUL would end the text there: it is left out instead.
        nulInValue_ = true;
        continue;
      }
      // No text field shows or keeps other control characters either.
      if ((c < 0x20 && c != '\t') || c == 0x7F) {
        ++controlsInValue_;
        continue;
      }
      afterAt = c == '@';
      run[runLength++] = static_cast<char>(c);
      if (runLength == sizeof run) {
        raw.append(run, runLength);
        runLength = 0;
      }
    }
    raw.append(run, runLength);
  }
  EndLine(c);

  std::string_view trimmed = raw;
  trimmed = trimmed.substr(0, trimmed.find_last_not_of(" \t") + 1);  // npos + 1 is 0
  if (IsPointerForm(trimmed)) {
    if (trimmed.size() - 2 > kMaxXrefLength) {
      error = kBadXref;
      errorLevel = level;
      return Physical::kError;
    }
    out.value = trimmed.substr(1, trimmed.size() - 2);
    out.pointer = true;
    return Physical::kLine;
  }
  // The limit counts the characters of the file's own character set: an
  // accented letter is one, however many bytes it takes.
  const CharacterSet set = source_.IsUnicode() ? kCharsetUnicode : charset_;
  if (const std::size_t cut = CharacterCut(raw, set, kMaxValueLength);
      cut != std::string::npos) {
    // A name cut in its given names keeps its "/surname/" part.
    const std::size_t slash = out.tagCode == kTagName ? raw.find('/') : std::string::npos;
    std::string surname;
    if (slash != std::string::npos && slash > cut) {
      surname = raw.substr(slash);
      if (const std::size_t end = CharacterCut(surname, set, kMaxValueLength);
          end != std::string::npos)
        surname.resize(end);
      surname.insert(0, " ");
    }
    raw.resize(cut);
    raw += surname;
    truncated_ = true;  // reported once the line is known to be used
  }
  TrimTrailing(raw, " \t");
  out.value = std::move(raw);
  return Physical::kLine;
}

// --- Level discipline and file sets ---

void CGedcomLineReader::FlushJumpRun() {
  if (jumpFirst_ == 0) return;
  sink_.ReportError("", Format(kLevelJump, jumpFirst_, jumpLast_));
  jumpFirst_ = jumpLast_ = 0;
}

void CGedcomLineReader::ReportUnexpected(const CGedcomLine& line, bool converted) {
  std::string value = line.pointer ? "@" + line.value + "@" : line.value;
  if (!converted) {
    int unused = 0;
    value = Convert(value, unused);
  }
  std::string text = line.xref.empty()
                         ? Format("%d %s ", line.level, line.tag.c_str())
                         : Format("%d @%s@ %s ", line.level, line.xref.c_str(), line.tag.c_str());
  text += value;
  if (text.size() > 255) text.resize(255);
  sink_.ReportError(PositionText(line.position),
                    Format(kIgnoringTag, line.tag.c_str(), text.c_str()));
}

bool CGedcomLineReader::ReadAccepted(CGedcomLine& out) {
  while (!ended_) {
    const char* error = nullptr;
    int errorLevel = -1;
    Physical r = ReadPhysical(out, error, errorLevel);
    if (r == Physical::kEnd) {
      FlushJumpRun();
      if (!OpenNextPart()) {
        ended_ = true;
        source_.Close();
      }
      continue;
    }
    if (r == Physical::kError) {
      FlushJumpRun();
      sink_.ReportError(PositionText(out.position), error);
      // The lines under a rejected line belong to it, not to the line before.
      if (errorLevel >= 0 && (rejectedLevel_ < 0 || errorLevel < rejectedLevel_))
        rejectedLevel_ = errorLevel;
      continue;
    }
    if (rejectedLevel_ >= 0) {
      if (out.level > rejectedLevel_) {
        FlushJumpRun();
        ReportUnexpected(out, false);
        continue;
      }
      rejectedLevel_ = -1;
    }
    if (out.level > lastLevel_ + 1) {
      if (jumpFirst_ == 0) jumpFirst_ = out.position.line;
      jumpLast_ = out.position.line;
      continue;
    }
    FlushJumpRun();
    if (truncated_) sink_.ReportError(PositionText(out.position), kValueTooLong);
    if (nulInValue_) sink_.ReportError(PositionText(out.position), kNulInValue);
    if (controlsInValue_ > 0)
      sink_.ReportWarning(PositionText(out.position), Format(kControlsInValue, controlsInValue_));
    lastLevel_ = out.level;
    if (out.level == 0 && out.tagCode == kTagTrlr) trailerSeen_ = true;
    return true;
  }
  return false;
}

bool CGedcomLineReader::PartBeginsWithHead(const std::string& path) {
  GedcomByteSource probe;
  if (!probe.Open(path)) return false;
  std::string first;
  for (int c = probe.Get(); c >= 0; c = probe.Get()) {
    if (IsLineEnd(c)) {
      if (first.find_first_not_of(" \t") != std::string::npos) break;
      first.clear();
      continue;
    }
    first += static_cast<char>(c);
    if (first.size() > 64) break;
  }
  std::size_t p = first.find_first_not_of(" \t");
  if (p == std::string::npos || first[p] != '0') return false;
  std::size_t t = first.find_first_not_of(" \t", p + 1);
  if (t == p + 1 || t == std::string::npos) return false;
  std::size_t e = t;
  while (e < first.size() && IsTagChar(first[e])) ++e;
  return LookupTag(std::string_view(first).substr(t, e - t)) == kTagHead &&
         (e == first.size() || IsBlank(first[e]));
}

bool CGedcomLineReader::OpenNextPart() {
  if (trailerSeen_) return false;
  int next = part_ + 1;
  std::string path = PartPath(next);
  if (driveType_(GetPathDirectory(basePath_)) == kDriveRemovable) {
    for (;;) {
      std::string prompt = res::FormatInserts(kInsertDisk, {std::to_string(next + 1), path});
      if (plat::MessageBox(prompt, kImportCaption, plat::kMbOkCancel | plat::kMbIconInformation) ==
              plat::kIdCancel &&
          plat::MessageBox(kNotComplete, kImportCaption,
                           plat::kMbYesNo | plat::kMbIconExclamation) == plat::kIdYes)
        return false;
      if (source_.Open(path)) break;
      std::string text = res::LoadString(res::kIdsCouldNotOpenFile);
      std::size_t at = text.find("%s");
      if (at != std::string::npos) text.replace(at, 2, path);
      plat::MessageBox(text, kImportCaption, plat::kMbOk | plat::kMbIconExclamation);
    }
  } else {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
      sink_.ReportWarning("", Format(kNoFurtherPart, plat::Utf8ToAnsi(PartFileName(next)).c_str()));
      return false;
    }
    if (!source_.Open(path)) {
      plat::MessageBox(Format(kCantOpen, path.c_str(), std::strerror(errno)), kImportFailed,
                       plat::kMbOk | plat::kMbIconExclamation);
      return false;
    }
  }
  if (PartBeginsWithHead(path)) {
    sink_.ReportWarning("", Format(kStrayPart, plat::Utf8ToAnsi(PartFileName(next)).c_str()));
    return false;
  }
  part_ = next;
  lineNumber_ = 1;
  sink_.PartOpened(path);
  return true;
}

long CGedcomLineReader::SkipRest() {
  long lines = haveLookAhead_ ? 1 : 0;
  haveLookAhead_ = pushBack_ = false;
  bool text = false;
  for (int c = source_.Get();; c = source_.Get()) {
    if (IsLineEnd(c)) {
      if (text) ++lines;
      text = false;
      if (c < 0) break;
      continue;
    }
    // The end-of-file mark of old DOS files is no text.
    if (!IsBlank(c) && c != 0x1A) text = true;
  }
  source_.Close();
  ended_ = true;
  return lines;
}

// --- Logical lines ---

bool CGedcomLineReader::TakeLine(CGedcomLine& out) {
  if (haveLookAhead_) {
    haveLookAhead_ = false;
    out = std::move(lookAhead_);
    return true;
  }
  return ReadAccepted(out);
}

const CGedcomLine* CGedcomLineReader::Next() {
  if (pushBack_) {
    pushBack_ = false;
    return haveCurrent_ ? &current_ : nullptr;
  }
  haveCurrent_ = false;
  for (;;) {
    if (!TakeLine(current_)) {
      FlushLostCharacters();
      return nullptr;
    }
    if (!IsContinuation(current_)) break;
    // Continuation lines that continue nothing: one report for the run.
    LinePosition last = current_.position;
    while ((haveLookAhead_ = ReadAccepted(lookAhead_)) && IsContinuation(lookAhead_))
      last = lookAhead_.position;
    sink_.ReportError(PositionText(last), kUnassociated);
  }
  haveCurrent_ = true;
  if (current_.level == 0) FlushLostCharacters();
  concAt_.clear();

  if (!haveLookAhead_) haveLookAhead_ = ReadAccepted(lookAhead_);
  const int pieceLevel = current_.level + 1;
  if (haveLookAhead_ && IsContinuation(lookAhead_) && lookAhead_.level == pieceLevel) {
    std::string text = current_.pointer ? "@" + current_.value + "@" : current_.value;
    bool dropped = false;
    LinePosition firstDropped;
    const std::size_t blank = (quirks_ & kQuirkConcBlank) != 0 ? 1 : 0;
    do {
      const bool conc = lookAhead_.tagCode == kTagConc;
      std::string piece = conc ? "" : "\r\n";
      piece += lookAhead_.pointer ? "@" + lookAhead_.value + "@" : lookAhead_.value;
      std::size_t blanks = conc ? (concAt_.size() + 1) * blank : concAt_.size() * blank;
      if (text.size() + blanks + piece.size() > kMaxLogicalLineLength) {
        int unused = 0;
        const std::string shown = Convert((conc && blank ? " " : "") + piece, unused);
        sink_.ReportError(PositionText(lookAhead_.position), Format(kItemTooLong, shown.c_str()));
        if (!dropped) firstDropped = lookAhead_.position;
        dropped = true;
      } else {
        if (conc) concAt_.push_back(text.size());
        text += piece;
      }
      haveLookAhead_ = ReadAccepted(lookAhead_);
    } while (haveLookAhead_ && IsContinuation(lookAhead_) && lookAhead_.level == pieceLevel);
    if (dropped) {
      sink_.ReportError(PositionText(firstDropped), kTooManyPieces);
    } else if (haveLookAhead_ && IsContinuation(lookAhead_)) {
      sink_.ReportError(PositionText(lookAhead_.position),
                        Format(kLevelMismatch, lookAhead_.level, lookAhead_.tag.c_str()));
      while ((haveLookAhead_ = ReadAccepted(lookAhead_)) && IsContinuation(lookAhead_)) {
      }
    }
    current_.value = std::move(text);
    current_.pointer = false;
  }
  currentRaw_ = current_.value;
  Finish(true);
  return &current_;
}

// The value of the current line from its raw text: the blanks of the CONC
// quirk, the conversion of the character set and the trailing white space.
void CGedcomLineReader::Finish(bool warn) {
  std::string text;
  if ((quirks_ & kQuirkConcBlank) != 0 && !concAt_.empty()) {
    std::size_t from = 0;
    for (std::size_t at : concAt_) {
      text.append(currentRaw_, from, at - from);
      text += ' ';
      from = at;
    }
    text.append(currentRaw_, from);
  } else {
    text = currentRaw_;
  }
  int unmappable = 0;
  current_.value = Convert(text, unmappable);
  TrimTrailing(current_.value, " \t\r\n\v\f");
  // Characters the family file cannot hold, and bytes that are no ANSEL,
  // are counted for the record, and the counts are logged when it ends.
  const int lost = unmappable + AnselLossCount(current_.value);
  const int notAnsel = charset_ == kCharsetAnsel
                           ? AnselUnreadableCount(text, plat::ActiveCodePage(), !charsetGiven_)
                           : 0;
  if (warn && lost > 0) {
    if (lostInRecord_ == 0) lostAt_ = current_.position;
    lostInRecord_ += lost;
  }
  if (warn && notAnsel > 0) {
    if (notAnselInRecord_ == 0) notAnselAt_ = current_.position;
    notAnselInRecord_ += notAnsel;
  }
}

void CGedcomLineReader::FlushLostCharacters() {
  if (lostInRecord_ > 0)
    sink_.ReportWarning(PositionText(lostAt_), Format(kUnmappable, lostInRecord_));
  if (notAnselInRecord_ > 0)
    sink_.ReportWarning(PositionText(notAnselAt_),
                        Format(kNotAnsel, notAnselInRecord_) + (charsetGiven_ ? "" : kNoCharLine));
  lostInRecord_ = notAnselInRecord_ = 0;
}

// A line waiting in the push-back was made before the header changed how
// lines are made: it is made again.
void CGedcomLineReader::SetQuirkFlags(std::uint32_t flags) {
  quirks_ = flags;
  if (pushBack_ && haveCurrent_) Finish(false);
}

const CGedcomLine* CGedcomLineReader::NextAtLevel(int level, bool report) {
  for (;;) {
    const CGedcomLine* line = Next();
    if (!line) return nullptr;
    if (line->level == level) return line;
    if (line->level < level) {
      PushBack();
      return nullptr;
    }
    if (report) ReportUnexpected(*line, true);
  }
}

const CGedcomLine* CGedcomLineReader::FindNextAtLevel(int level, TagCode tag) {
  for (;;) {
    const CGedcomLine* line = NextAtLevel(level, true);
    if (!line || line->tagCode == tag) return line;
  }
}

}  // namespace gedcom
