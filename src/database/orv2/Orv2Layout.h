#pragma once
// The stored layout of an old-format (ORV 2.x) family: a folder of
// fixed-record data files. Numbers are little-endian unless said otherwise;
// record n of a file lies at n * record size and record 0 is its header.
// Record numbers inside records are 16-bit unsigned, 0 meaning none.

#include <cstddef>
#include <cstdint>
#include <string>

class CDateValue;

namespace orv2 {

inline constexpr const char* kIndivFile = "indiv2.dat";
inline constexpr const char* kMarrFile = "marr2.dat";
inline constexpr const char* kNameFile = "name2.dat";
inline constexpr const char* kNotesFile = "notes2.dat";
inline constexpr const char* kIndivexFile = "indivex2.dat";
inline constexpr const char* kMultimFile = "multim2.dat";
inline constexpr const char* kPreparerFile = "namadd2.dat";
inline constexpr const char* kIniFile = "family.ini";
inline constexpr const char* kAlphaFile = "alpha.dat";
inline constexpr const char* kMergeFile = "merge.dat";

inline constexpr std::size_t kIndivSize = 92;
inline constexpr std::size_t kMarrSize = 28;
inline constexpr std::size_t kNameSize = 21;
inline constexpr std::size_t kNoteBlockSize = 256;
inline constexpr std::size_t kIndivexSize = 8;

// Header fields: three decimal numbers as text, 10 characters each.
inline constexpr std::size_t kHeaderCountAt = 1;
inline constexpr std::size_t kHeaderDeletedAt = 11;
inline constexpr std::size_t kHeaderThirdAt = 21;
inline constexpr std::size_t kHeaderFieldWidth = 10;

// Individual record.
namespace indiv {
inline constexpr std::size_t kSurname = 0, kGiven1 = 2, kGiven2 = 4, kGiven3 = 6, kTitle = 8;
inline constexpr std::size_t kSex = 10;
inline constexpr std::size_t kBirthDate = 11, kBirthPlace = 15;
inline constexpr std::size_t kChrDate = 23, kChrPlace = 27;
inline constexpr std::size_t kDeathDate = 35, kDeathPlace = 39;
inline constexpr std::size_t kBurialDate = 47, kBurialPlace = 51;
inline constexpr std::size_t kBaptismDate = 59, kBaptismTemple = 62;
inline constexpr std::size_t kEndowDate = 64, kEndowTemple = 67;
inline constexpr std::size_t kSealParentsDate = 69, kSealParentsTemple = 72;
inline constexpr std::size_t kOlderSibling = 74, kFirstMarriage = 76, kParents = 78;
inline constexpr std::size_t kIdentifier = 80, kIdentifierSize = 10;
inline constexpr std::size_t kNotes = 90;
}  // namespace indiv

// Marriage record.
namespace marr {
inline constexpr std::size_t kHusband = 0, kWife = 2, kYoungestChild = 4;
inline constexpr std::size_t kDate = 6, kPlace = 10;
inline constexpr std::size_t kSealDate = 18, kSealTemple = 21;
inline constexpr std::size_t kHusbandNext = 23, kWifeNext = 25;
inline constexpr std::size_t kStatus = 27;
}  // namespace marr

// Name entry: the text in bytes 2-18, NUL-padded.
inline constexpr std::size_t kNameTextAt = 2;
inline constexpr std::size_t kNameTextSize = 17;

// Note block: the next block, then the text. Byte 0 ends a line, byte 1 a
// paragraph; a stored line holds at most 84 characters.
inline constexpr std::size_t kNoteTextAt = 2;
inline constexpr std::size_t kNoteTextSize = 254;
inline constexpr std::size_t kNoteLineMax = 84;
inline constexpr char kNoteLineEnd = 0;
inline constexpr char kNoteParagraphEnd = 1;

// Multimedia entry (multim2.dat, at offsets that indivex2.dat and the
// entries give).
namespace mm {
inline constexpr std::size_t kInUse = 3, kNext = 9, kKind = 17, kFlags = 18;
inline constexpr std::size_t kHeaderSize = 31;
inline constexpr std::size_t kPhotoExtra = 18;
}  // namespace mm

// "Prepared by" data in namadd2.dat.
inline constexpr std::size_t kPreparerAt = 224;
inline constexpr std::size_t kPreparerSize = 224;
inline constexpr std::size_t kPreparerName = 0, kPreparerAddress1 = 41, kPreparerAddress2 = 82,
                             kPreparerAddress3 = 123, kPreparerPhone = 164;

inline std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Packed dates: a 32-bit value stored most significant byte first: bits
// 31-20 year, 19-15 month or status code (above 12), 14-10 day, 9-8
// qualifier kind, 7-0 dual-year part. Ordinance dates keep only the first
// three bytes.
struct PackedDate {
  int year = 0, code = 0, day = 0, kind = 0, dual = 0;
};
PackedDate UnpackDate(const std::uint8_t* p, bool threeBytes);
void DecodeDate(const std::uint8_t* p, bool threeBytes, CDateValue& out);

// A header count field: up to 10 characters, leading blanks skipped, digits
// up to the first other character. 0 when there are none.
std::int32_t HeaderNumber(const std::uint8_t* header, std::size_t at);

// A text field of fixed size up to its first NUL.
std::string FixedText(const std::uint8_t* p, std::size_t size);

}  // namespace orv2
