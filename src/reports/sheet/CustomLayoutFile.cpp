#include "CustomLayoutFile.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "CustomFieldCatalog.h"
#include "NamedFiles.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

constexpr std::int32_t kOldFieldBase = 6000;

void PutWord(std::string& out, std::size_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutCounted(std::string& out, const std::string& text) {
  if (text.empty()) {
    PutWord(out, 0);
    return;
  }
  PutWord(out, text.size() + 1);
  out += text;
  out.push_back('\0');
}

// Reads the body (and the header in front of it) from a byte range; every
// read checks that the bytes are there.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Word(std::uint16_t& value) {
    if (bytes_.size() - pos_ < 2) return false;
    value = static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes_[pos_]) |
                                       (static_cast<std::uint8_t>(bytes_[pos_ + 1]) << 8));
    pos_ += 2;
    return true;
  }
  bool Byte(std::uint8_t& value) {
    if (pos_ >= bytes_.size()) return false;
    value = static_cast<std::uint8_t>(bytes_[pos_++]);
    return true;
  }
  // length bytes; the text ends at its first zero byte.
  bool Text(std::uint16_t length, std::string& text) {
    if (bytes_.size() - pos_ < length) return false;
    const std::string_view raw = bytes_.substr(pos_, length);
    text = std::string(raw.substr(0, raw.find('\0')));
    pos_ += length;
    return true;
  }
  bool Counted(std::string& text) {
    std::uint16_t length = 0;
    return Word(length) && Text(length, text);
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string EncodeCustomLayoutBody(const CCustomReportLayout& layout) {
  std::string out;
  PutCounted(out, layout.secondText);
  PutWord(out, layout.columns.size());
  for (const auto& column : layout.columns) {
    PutWord(out, static_cast<std::uint32_t>(column->fieldId));
    PutWord(out, static_cast<std::uint32_t>(column->width));
    PutCounted(out, column->heading);
    PutCounted(out, column->option);
  }
  PutWord(out, layout.sortKeys.size());
  for (const auto& key : layout.sortKeys) {
    PutWord(out, static_cast<std::uint32_t>(key->fieldId));
    PutWord(out, static_cast<std::uint32_t>(key->ascending));
    out.push_back(static_cast<char>(key->kind));
    PutCounted(out, key->option);
  }
  return out;
}

std::string EncodeCustomLayoutFile(const CCustomReportLayout& layout) {
  CNamedFileHeader header;
  header.name = layout.title;
  return header.Encode() + EncodeCustomLayoutBody(layout);
}

bool DecodeCustomLayoutFile(std::string_view bytes, CCustomReportLayout& out, int* version) {
  Reader in(bytes);
  CCustomReportLayout layout;
  int fileVersion = CNamedFileHeader::kVersion;
  std::uint16_t first = 0;
  if (!in.Word(first)) return false;
  if (first < CNamedFileHeader::kFirstMarker) {
    fileVersion = CNamedFileHeader::kOldVersion;
    std::string skipped;
    if (!in.Text(first, layout.title) || !in.Counted(skipped)) return false;
  } else {
    fileVersion = first & 0xFF;
    std::string owner;
    if (!in.Counted(layout.title) || !in.Counted(owner)) return false;
  }
  const std::int32_t idBase = fileVersion < CNamedFileHeader::kVersion ? kOldFieldBase : 0;

  std::uint16_t count = 0;
  if (!in.Counted(layout.secondText) || !in.Word(count)) return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    auto column = std::make_unique<CCustomReportColumn>();
    std::uint16_t id = 0, width = 0;
    if (!in.Word(id) || !in.Word(width) || !in.Counted(column->heading) ||
        !in.Counted(column->option))
      return false;
    column->fieldId = id + idBase;
    column->width = std::clamp<int>(width, kCustomLayoutMinWidth, kCustomLayoutMaxWidth);
    layout.columns.push_back(std::move(column));
  }
  if (!in.Word(count)) return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    auto key = std::make_unique<CCustomReportSortKey>();
    std::uint16_t id = 0, ascending = 0;
    if (!in.Word(id) || !in.Word(ascending) || !in.Byte(key->kind) || !in.Counted(key->option))
      return false;
    key->fieldId = id + idBase;
    key->ascending = ascending;
    // The paginator keeps three key slots; later keys are read past and dropped.
    if (layout.sortKeys.size() < kCustomLayoutMaxSortKeys)
      layout.sortKeys.push_back(std::move(key));
  }
  out = std::move(layout);
  if (version) *version = fileVersion;
  return true;
}

bool LoadCustomLayout(const std::string& path, CCustomReportLayout& out, int* version) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return false;
  return DecodeCustomLayoutFile(bytes, out, version);
}

int SaveCustomLayout(const std::string& path, const CCustomReportLayout& layout) {
  return WriteNamedFile(path, layout.title, std::string(), EncodeCustomLayoutBody(layout));
}

void ResetCustomLayout(CCustomReportLayout& layout) {
  layout.title = res::LoadString(res::kIdsCustomReport);
  layout.secondText.clear();
  layout.columns.clear();
  layout.sortKeys.clear();
}

}  // namespace rpt
