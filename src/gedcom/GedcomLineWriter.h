#pragma once
// The line writers of the GEDCOM export: plain lines, tag-and-value lines and
// long texts split over continuation lines, in the 5.5 or the 4.0 form. Each
// hands finished lines (without line end) to a GedcomLineSink; the first
// failed write makes every later write fail too, so a record writer may
// write a whole record and test once.

#include <string>
#include <string_view>
#include <vector>

#include "GedcomTags.h"

namespace gedcom {

// Where finished lines go: the export's output file (GedcomOutput) or, in
// tests, a list. False when the line could not be written.
class GedcomLineSink {
 public:
  virtual ~GedcomLineSink() = default;
  virtual bool WriteLine(std::string_view line) = 0;
};

enum class GedcomForm { k40, k55 };

// The longest plain line, the longest tag-and-value line, and the longest
// long-text line (prefix included) of each form.
inline constexpr std::size_t kMaxPlainLength = 260;
inline constexpr std::size_t kMaxLineLength = 255;
inline constexpr std::size_t kLongTextLine55 = 100;
inline constexpr std::size_t kLongTextLine40 = 86;
// A 4.0 line is not shortened below this many characters to end at a blank.
inline constexpr std::size_t kLongTextMinimum40 = 40;

class GedcomLineWriter {
 public:
  GedcomLineWriter(GedcomLineSink& sink, GedcomForm form) : sink_(sink), form_(form) {}

  GedcomForm Form() const { return form_; }
  bool Ok() const { return ok_; }

  // The text cut to 260 characters, each CR or LF in it written as '~'.
  bool Plain(std::string_view text);
  // "tag value" (tag holds the level, "1 NAME"); nothing when value is empty.
  // "@" in the value is doubled. A line longer than 255 characters is split
  // as a long text in the 5.5 form (CONC lines); in the 4.0 form the value
  // is cut to fit and remembered in CutValues().
  bool TagValue(std::string_view tag, std::string_view value);
  // Level and tag make the first line's prefix ("1 NOTE "); the text is split
  // into continuation lines by the form's rules. Empty text writes nothing.
  bool LongText(int level, std::string_view tag, std::string_view text);

  // The first line of each value that TagValue had to cut, as "tag value...",
  // for the closing message.
  const std::vector<std::string>& CutValues() const { return cut_; }

 private:
  bool Emit(std::string_view line);
  void LongText55(int level, const std::string& prefix, std::string_view text);
  void LongText40(const std::string& prefix, int level, std::string_view text);

  GedcomLineSink& sink_;
  GedcomForm form_;
  bool ok_ = true;
  std::vector<std::string> cut_;
};

// "@" doubled, as GEDCOM values require; an escape ("@#DJULIAN@") is kept.
std::string DoubleAt(std::string_view text);

// The word of a parent-link relationship letter ("adopted", "foster" ...);
// the mother's letter is also read in capitals C and D.
const char* RelationshipWord(char letter, bool mother);
// The PEDI word of a parent link from the father's and mother's relationship
// letters and the link's status letter.
const char* PedigreeWord(char father, char mother, char status);

}  // namespace gedcom
