#include "GedcomHeader.h"

#include <array>

#include "GedcomLineReader.h"

namespace gedcom {
namespace {

constexpr const char* kUnknownCharset = "Unknown character set: %s";
constexpr const char* kMarkWins =
    "The file begins with a Unicode byte-order mark, so it is read as Unicode, not as %s.";

struct QuirkRow {
  std::string_view id;
  std::string_view version;  // empty: any version
  std::uint32_t flags;
};

constexpr std::array<QuirkRow, 15> kQuirkRows = {{
    {"Kormund", "3.0", 0x1},
    {"Kormund", "2.2", 0x2},
    {"ORV 2.1", "", 0x4},
    {"ORV 2.2", "", 0x4},
    {"ORV 2.3", "", 0x4},
    {"ORV 2.31", "", 0x4},
    {"ORV", "3.0", 0x8},
    {"ORV", "4.0", kQuirkOrv40},
    {"ORV 4.0", "", 0x4},
    {"KVT", "5.00", 0x20},
    {"KVT", "6.00", 0x40},
    {"Marlok", "2.0", 0x100},
    {"Thistlegrange", "8.0", 0x800},
    {"Thistlegrange", "7.0", 0x400},
    {"Thistlegrange", "6.0", 0x200},
}};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}

std::string WithInsert(const char* format, const std::string& insert) {
  std::string text = format;
  text.replace(text.find("%s"), 2, insert);
  return text;
}

}  // namespace

std::uint32_t SourceSystemQuirks(std::string_view id, std::string_view version) {
  if (SameIgnoringCase(id, "ORV") && version.size() > 3 && version.substr(0, 3) == "4.0")
    return kQuirkOrv40;
  for (const QuirkRow& row : kQuirkRows) {
    if (SameIgnoringCase(row.id, id) &&
        (row.version.empty() || SameIgnoringCase(row.version, version)))
      return row.flags;
  }
  return 0;
}

void CGedcomHeaderInfo::SetSourceSystem(std::string_view id, std::string_view name,
                                        std::string_view vers) {
  sourceSystem = id;
  productName = name;
  version = vers;
  quirkFlags = SourceSystemQuirks(id, vers);
}

void ReadHeader(CGedcomLineReader& reader, CGedcomHeaderInfo& info) {
  while (const CGedcomLine* line = reader.NextAtLevel(1, false)) {
    switch (line->tagCode) {
      case kTagChar: {
        if (line->value.empty() || line->pointer) break;
        std::string position = reader.PositionText(line->position);
        CharacterSet set;
        if (!ParseCharacterSet(line->value, set))
          reader.Sink().ReportError(position, WithInsert(kUnknownCharset, line->value));
        else if (!reader.SetCharacterSet(set))
          reader.Sink().ReportWarning(position, WithInsert(kMarkWins, line->value));
        break;
      }
      case kTagDate:
        info.headerDate = line->value;
        break;
      case kTagGedc:
        while (const CGedcomLine* sub = reader.NextAtLevel(2, false)) {
          if (sub->tagCode == kTagVers) info.gedcomVersion = sub->value;
          if (sub->tagCode == kTagForm) info.gedcomForm = sub->value;
        }
        break;
      case kTagSour: {
        std::string id = line->value, name, vers;
        while (const CGedcomLine* sub = reader.NextAtLevel(2, false)) {
          if (sub->tagCode == kTagName) name = sub->value;
          if (sub->tagCode == kTagVers) vers = sub->value;
        }
        info.SetSourceSystem(id, name, vers);
        reader.SetQuirkFlags(info.quirkFlags);
        break;
      }
      default:
        break;
    }
  }
}

void ReadSubmitter(CGedcomLineReader& reader, CGedcomHeaderInfo& info) {
  while (const CGedcomLine* line = reader.NextAtLevel(1, false))
    if (line->tagCode == kTagName) info.submitterName = line->value;
}

}  // namespace gedcom
