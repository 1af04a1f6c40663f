#pragma once
// The header record (HEAD) of a GEDCOM file: it sets the character set of the
// line reader and names the system that wrote the file, whose known quirks
// change how a few structures are read; and the submitter record (SUBM),
// whose name goes in the import log.

#include <cstdint>
#include <string>
#include <string_view>

namespace gedcom {

class CGedcomLineReader;

// Quirk flags of the known source systems (what each changes is stated where
// it is used).
inline constexpr std::uint32_t kQuirkOrv40 = 0x10;

struct CGedcomHeaderInfo {
  std::string sourceSystem;   // "1 SOUR" of HEAD
  std::string productName;    // "2 NAME" under it
  std::string version;        // "2 VERS" under it
  std::string headerDate;     // "1 DATE" of HEAD
  std::string gedcomVersion;  // "2 VERS" under "1 GEDC"
  std::string gedcomForm;     // "2 FORM" under "1 GEDC"
  std::string submitterName;  // "1 NAME" of the last SUBM record read
  std::uint32_t quirkFlags = 0;

  // Stores the three texts and sets the quirk flags from them.
  void SetSourceSystem(std::string_view id, std::string_view name, std::string_view vers);
};

// The quirk flags of a source system: the first row of the table whose
// identifier and version (or any version) match, case ignored; "ORV" with a
// version of more than three characters that begins with "4.0" gives
// kQuirkOrv40 whatever the rows say; 0 for an unknown system.
std::uint32_t SourceSystemQuirks(std::string_view id, std::string_view version);

// Reads the level-1 lines of HEAD (its level-0 line just returned by the
// reader) into info, sets the reader's character set and quirk flags, and
// reports an unknown CHAR value. Lines it does not ask for are skipped
// without a report.
void ReadHeader(CGedcomLineReader& reader, CGedcomHeaderInfo& info);
// Reads a SUBM record: the value of each level-1 NAME line becomes the
// submitter name; other lines are skipped without a report.
void ReadSubmitter(CGedcomLineReader& reader, CGedcomHeaderInfo& info);

}  // namespace gedcom
