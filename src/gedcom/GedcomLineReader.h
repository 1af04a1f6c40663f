#pragma once
// The line reader of the GEDCOM import: the bytes of a GEDCOM file, or of a
// set of files written over several disks, become logical lines (level,
// identifier, tag with its code, value with its CONC and CONT lines joined),
// converted to the active code page. Every malformed line is reported to the
// job that owns the reader and skipped together with the lines under it, so
// that it never spoils its neighbours; the parsers get a one-line push-back.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "GedcomByteSource.h"
#include "GedcomCharset.h"
#include "GedcomTags.h"

namespace gedcom {

// The longest identifier, in definitions and pointers alike.
inline constexpr std::size_t kMaxXrefLength = 255;
inline constexpr std::size_t kMaxTagLength = 30;
inline constexpr int kMaxLevel = 99;
// The longest logical line: far beyond any real note, well within the
// 32000 note blocks of 244 characters that a family file keeps for one text.
inline constexpr std::size_t kMaxLogicalLineLength = 4 * 1024 * 1024;

// The source systems that cut CONC lines at a blank: one blank goes back
// before the text of each CONC line.
inline constexpr std::uint32_t kQuirkConcBlank = 0x20 | 0x40 | 0x80 | 0x100 | 0x200 | 0x400 | 0x800;

// Where a line was read: the part of a multi-disk set (0 the chosen file)
// and its line number there (from 1).
struct LinePosition {
  int part = 0;
  long line = 0;
};

struct CGedcomLine {
  int level = 0;
  std::string xref;  // without its "@"s
  std::string tag;
  TagCode tagCode = kTagUnknown;
  std::string value;
  bool pointer = false;  // the value was one identifier between two "@"
  LinePosition position;
};

// What the reader reports to the job that owns it. The position is "" for a
// message that has none, else "x.GED, line n".
class GedcomReportSink {
 public:
  virtual ~GedcomReportSink() = default;
  virtual void ReportError(const std::string& position, const std::string& message) = 0;
  virtual void ReportWarning(const std::string& position, const std::string& message) = 0;
  // A further part was opened; name is its path as the progress window shows it.
  virtual void PartOpened(const std::string& name) { (void)name; }
};

class CGedcomLineReader {
 public:
  // The drive type (FileUtil's numbering) of the folder of a path; the real
  // one unless a test injects another.
  using DriveTypeQuery = std::function<int(const std::string& path)>;

  explicit CGedcomLineReader(GedcomReportSink& sink, DriveTypeQuery driveType = nullptr);
  CGedcomLineReader(const CGedcomLineReader&) = delete;
  CGedcomLineReader& operator=(const CGedcomLineReader&) = delete;

  // Opens the chosen file as part 0; false (errno set) when it does not open.
  bool Open(const std::string& path);
  void Close();

  // The next logical line, or nullptr at the end of the file set.
  const CGedcomLine* Next();
  // The next logical line if its level is level. A line of a lower level is
  // pushed back and nullptr returned; a deeper one is skipped, and reported
  // as an unexpected tag when report is set.
  const CGedcomLine* NextAtLevel(int level, bool report);
  // NextAtLevel with reporting until a line of the tag comes.
  const CGedcomLine* FindNextAtLevel(int level, TagCode tag);
  // The last line returned comes again.
  void PushBack() { pushBack_ = true; }

  // Sets the conversion of the logical lines returned from now on. A file
  // with a byte-order mark (or found to be UTF-16) stays Unicode: false when
  // set was refused for that reason.
  bool SetCharacterSet(CharacterSet set);
  CharacterSet GetCharacterSet() const { return charset_; }
  // The quirk flags of the source system (the CONC blank).
  void SetQuirkFlags(std::uint32_t flags);

  GedcomReportSink& Sink() { return sink_; }
  // "x.GED, line n" (the part's file name without folder).
  std::string PositionText(const LinePosition& pos) const;
  // The file name of a part without folder: the chosen name with ".GED" for
  // part 0, ".G00" for part 1 and so on.
  std::string PartFileName(int part) const;
  // The same with the chosen file's folder.
  std::string PartPath(int part) const;
  int CurrentPart() const { return part_; }
  bool TrailerSeen() const { return trailerSeen_; }
  // Ends the reading after a TRLR line: the lines that hold text and were
  // not read (the one read ahead included).
  long SkipRest();

 private:
  enum class Physical { kLine, kEnd, kError };

  Physical ReadPhysical(CGedcomLine& out, const char*& error, int& errorLevel);
  Physical Fail(int c, const char* message, int level, const char*& error, int& errorLevel);
  void EndLine(int c);
  bool ReadAccepted(CGedcomLine& out);
  bool TakeLine(CGedcomLine& out);
  bool OpenNextPart();
  bool PartBeginsWithHead(const std::string& path);
  void FlushJumpRun();
  void ReportUnexpected(const CGedcomLine& line, bool converted);
  std::string Convert(std::string_view raw, int& unmappable) const;
  void FlushLostCharacters();
  void Finish(bool warn);
  static bool IsContinuation(const CGedcomLine& line);

  GedcomReportSink& sink_;
  DriveTypeQuery driveType_;
  GedcomByteSource source_;
  std::string basePath_;  // folder and name without extension
  std::string name_;      // name without folder and extension
  int part_ = 0;
  long lineNumber_ = 1;

  CharacterSet charset_ = kCharsetAnsel;
  std::uint32_t quirks_ = 0;

  CGedcomLine current_, lookAhead_;
  std::string currentRaw_;           // the current value before Finish
  std::vector<std::size_t> concAt_;  // where its CONC pieces begin in currentRaw_
  bool haveCurrent_ = false, haveLookAhead_ = false;
  bool pushBack_ = false;
  bool ended_ = true;
  bool trailerSeen_ = false;
  int lastLevel_ = -1;
  int rejectedLevel_ = -1;             // lines deeper than a rejected line are skipped
  long jumpFirst_ = 0, jumpLast_ = 0;  // the run of lines skipped for a level jump
  int lostInRecord_ = 0;               // characters stored as '?' in the current record
  LinePosition lostAt_;                // the record's first line that lost one
  int notAnselInRecord_ = 0;           // bytes of an ANSEL value that are no ANSEL
  LinePosition notAnselAt_;
  bool charsetGiven_ = false;          // the header's CHAR line was read
  bool truncated_ = false;             // the last physical value was cut
  bool nulInValue_ = false;            // a NUL byte was left out of the last physical value
  int controlsInValue_ = 0;            // control characters left out of it
};

}  // namespace gedcom
