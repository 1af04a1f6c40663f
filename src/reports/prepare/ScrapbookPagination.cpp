#include "ScrapbookPagination.h"

#include <algorithm>

#include "BitSet.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr std::uint64_t kScrapbookNeededBytes = 63000;

// What the pass and the entry calls share; the entries live in the work file
// of the one paginator state.
struct ScrapbookRun {
  int entries = 0;
  int picturesPerPage = 1;
};

ScrapbookRun& Run() {
  static ScrapbookRun run;
  return run;
}

// The scrapbook pictures of an individual's chain.
int CountPicturesOf(std::int32_t rin) {
  if (CurrentDatabase == nullptr) return 0;
  const std::int32_t head = DbGetMultimediaHead(rin, db::kIndividual);
  if (head <= 0) return 0;
  CMultimediaList chain = CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1);
  const int count = CountScrapbookPictures(chain.get());
  DbFreeMultimediaList(chain);
  return count;
}

// Writes the pages of one individual; false when a write came short.
bool AddScrapbookPages(PaginatorState& state, std::int32_t rin) {
  if (DbGetRIN(rin, db::kQueryIndividuals, db::kWalkExact) != rin) return true;
  const int count = CountPicturesOf(rin);
  ScrapbookRun& run = Run();
  for (int page = 1; page == 1 || (page - 1) * run.picturesPerPage < count; ++page) {
    CScrapbookEntry entry;
    entry.rin = rin;
    entry.page = static_cast<std::uint8_t>(std::min(page, 255));
    if (!state.workFile.WriteRecord(static_cast<std::uint64_t>(run.entries), entry.Encode()))
      return false;
    ++run.entries;
  }
  return true;
}

}  // namespace

std::array<std::uint8_t, CScrapbookEntry::kSize> CScrapbookEntry::Encode() const {
  std::array<std::uint8_t, kSize> bytes{};
  PutInt32LE(bytes, 0, rin);
  PutInt32LE(bytes, 4, photoWidth);
  PutInt32LE(bytes, 8, photoHeight);
  bytes[12] = page;
  bytes[13] = computed;
  bytes[14] = fileName;
  bytes[15] = captionLines;
  bytes[16] = descriptionLines;
  return bytes;
}

CScrapbookEntry CScrapbookEntry::Decode(const std::array<std::uint8_t, kSize>& bytes) {
  CScrapbookEntry e;
  e.rin = GetInt32LE(bytes, 0);
  e.photoWidth = GetInt32LE(bytes, 4);
  e.photoHeight = GetInt32LE(bytes, 8);
  e.page = bytes[12];
  e.computed = bytes[13];
  e.fileName = bytes[14];
  e.captionLines = bytes[15];
  e.descriptionLines = bytes[16];
  return e;
}

bool IsScrapbookPicture(const CMultimediaItem& item) {
  return (item.kind == CMultimediaItem::kPhoto || item.kind == 'K') &&
         (item.flags & CMultimediaItem::kFlagScrapbook) != 0;
}

int CountScrapbookPictures(const CMultimediaItem* chain) {
  int count = 0;
  for (const CMultimediaItem* item = chain; item != nullptr; item = item->next.get())
    if (IsScrapbookPicture(*item)) ++count;
  return count;
}

int PaginateScrapbook(std::int32_t person, int picturesPerPage, const CBitSet* set,
                      PaginatorWindow& window, const WorkFileCreator& createFile) {
  PaginatorState& state = Paginator();
  ScrapbookRun& run = Run();
  run.entries = 0;
  run.picturesPerPage = std::max(1, picturesPerPage);

  PaginationPass pass;
  pass.title = res::LoadString(res::kIdsScrapbook);
  pass.fileErrorName = "ScrapBook";
  pass.neededBytes = kScrapbookNeededBytes;
  pass.files = {{&state.workFile, "~KorSB.TMP"}};
  pass.pictureCache = true;
  pass.createFile = createFile;
  pass.cleanup = [] { CleanupScrapbookPages(); };
  // The whole pass in one batch, pumping the window before each person.
  const std::int32_t last = set != nullptr ? static_cast<std::int32_t>(set->BitCount()) - 1 : 0;
  std::int32_t next = 1;
  pass.batch = [&]() -> BatchResult {
    if (set == nullptr) {
      if (!AddScrapbookPages(state, person)) return BatchResult::DiskFull;
      window.SetNumber(run.entries);
      return BatchResult::Done;
    }
    // One person a batch, so that the window is pumped before each.
    while (next <= last && set->Test(next) == 0) ++next;
    if (next > last) return BatchResult::Done;
    if (!AddScrapbookPages(state, next++)) return BatchResult::DiskFull;
    window.SetNumber(run.entries);
    return BatchResult::More;
  };
  pass.pageCount = [] { return Run().entries; };
  const int pages = RunPagination(state, window, pass);
  if (pages == 0) run.entries = 0;
  return pages;
}

int ReadScrapbookEntry(int n, CScrapbookEntry& out) {
  if (n < 0 || n >= Run().entries) return 0;
  std::array<std::uint8_t, CScrapbookEntry::kSize> bytes{};
  if (!Paginator().workFile.ReadRecord(static_cast<std::uint64_t>(n), bytes)) return 0;
  out = CScrapbookEntry::Decode(bytes);
  return 1;
}

void WriteScrapbookEntry(int n, const CScrapbookEntry& entry) {
  if (n < 0 || n >= Run().entries) return;
  Paginator().workFile.WriteRecord(static_cast<std::uint64_t>(n), entry.Encode());
}

int ScrapbookEntryCount() { return Run().entries; }

void CleanupScrapbookPages() {
  Paginator().Clear();
  Run().entries = 0;
  if (CurrentDatabase != nullptr) SetReportImageMode(0);
}

}  // namespace rpt
