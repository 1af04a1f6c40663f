#pragma once
// The Scrapbook (report kind 7): one page per grid of a person's pictures
// marked for the scrapbook, one person after another. The pass writes one
// 17-byte entry per page to the work file "~KorSB.TMP"; the page generator
// reads them and, on a person's first page, stores the caption layout it
// computed back into that person's first entry, so that all of the person's
// pages share it.

#include <array>
#include <cstddef>
#include <cstdint>

#include "PaginationRun.h"

class CBitSet;
class CMultimediaItem;

namespace rpt {

// One page of the Scrapbook as the work file keeps it (little-endian).
struct CScrapbookEntry {
  std::int32_t rin = 0;
  std::int32_t photoWidth = 0;   // 0 until the layout is computed
  std::int32_t photoHeight = 0;  // 0 also when the cells have no room for a picture
  std::uint8_t page = 0;         // page within the person, from 1
  std::uint8_t computed = 0;     // 1 once the layout fields are set (first entry)
  std::uint8_t fileName = 0;     // 1 when the file-name line is printed
  std::uint8_t captionLines = 0;
  std::uint8_t descriptionLines = 0;

  static constexpr std::size_t kSize = 17;
  std::array<std::uint8_t, kSize> Encode() const;
  static CScrapbookEntry Decode(const std::array<std::uint8_t, kSize>& bytes);
  bool operator==(const CScrapbookEntry&) const = default;
};

// A picture the scrapbook prints: kind 'P' or 'K' with the scrapbook mark.
bool IsScrapbookPicture(const CMultimediaItem& item);
// The scrapbook pictures of a loaded chain.
int CountScrapbookPictures(const CMultimediaItem* chain);

// Writes the pages of person, or with a set every live individual whose bit
// is set (person is then not used). picturesPerPage below 1 counts as 1.
// Answers the number of entries written; 0 on failure or Cancel.
int PaginateScrapbook(std::int32_t person, int picturesPerPage, const CBitSet* set,
                      PaginatorWindow& window, const WorkFileCreator& createFile = {});
// Entry n of the last pass: 1 and out set, 0 when n is outside the entries.
int ReadScrapbookEntry(int n, CScrapbookEntry& out);
// Rewrites entry n; nothing when n is outside the entries.
void WriteScrapbookEntry(int n, const CScrapbookEntry& entry);
// Entries written by the last pass.
int ScrapbookEntryCount();
// Closes and deletes the work file and ends the report picture mode.
void CleanupScrapbookPages();

}  // namespace rpt
