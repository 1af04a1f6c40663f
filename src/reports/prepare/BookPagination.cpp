#include "BookPagination.h"

#include <unistd.h>

#include <algorithm>
#include <array>

#include "CitationNumbers.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileUtil.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "PaginationRun.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

int BookOptions::IndexColumnsFor(int textWidth, bool notesColumn) {
  const int n = notesColumn ? (textWidth - 3150) / 3400 + 1 : (textWidth - 2900) / 3150 + 1;
  return std::max(n, 1);
}

BookOptions ReadBookOptions(plat::ProfilePort& profile, bool modifiedRegister,
                            std::int32_t startRin, int width, int height) {
  auto flag = [&profile](const char* key, int def) {
    return profile.GetInt("BkRpt", key, def) != 0;
  };
  BookOptions o;
  o.mode = 0;
  o.startRin = startRin;
  o.sourceNotes = flag("SourceNotes", 0);
  o.generalNotes = flag("OtherNotes", 0);
  o.embedNotes = flag("EmbedNotes", 1);
  o.endChapter = flag("EndChap", 0);
  o.index = flag("Index", 1);
  o.newPagePerGeneration = flag("NewPg", 0);
  o.suppressRin = flag("SuppressRIN", 1);
  o.appendVal = o.suppressRin ? 0 : profile.GetInt("Options", "AppendVal", 0);
  o.capitalSurnames = profile.GetInt("Options", "CapSurname", 0) != 0;
  o.zel = flag("ZEL", 0);
  o.generations = profile.GetInt("BkRpt", "Gens", 32);
  o.repeat = std::clamp(profile.GetInt("BkRpt", "Repeat", 1), 0, 2);
  o.otherEvents = flag("OtherEvents", 0);
  o.multipleParents = flag("ParInd", 0);
  o.parentLinks = flag("RelInd", 0);
  o.actualText = flag("ActText", 0);
  o.comments = flag("Comments", 0);
  o.titleOnly = flag("TitleOnly", 0);
  o.confidential = flag("Confident", 0);
  o.markedOnly = flag("MarkedOnly", 0);
  o.photos = flag("PhotoOpt", 0);
  o.photoLeft = profile.GetInt("BkRpt", "PhotoPlace", 0) == 0;
  o.photoReserve = flag("PhotoRsrv", 0);
  o.photoWidth = std::max(profile.GetInt("BkRpt", "PhotoX", 1000), 0);
  o.photoHeight = std::max(profile.GetInt("BkRpt", "PhotoY", 1250), 0);
  o.notesFont = profile.GetString("Options", "FontNotesRpt", "Times New Roman;Normal;9pt");
  // A hand-edited profile may ask for more generations than the numbers hold.
  if (!modifiedRegister)
    o.generations = std::clamp(o.generations, 1, kMaxAhnentafelGenerations);
  else
    o.generations = std::max(o.generations, 1);
  o.textWidth = width;
  o.pageHalfLines = (height - 180) / kBookHalfLine;
  o.indexColumns = BookOptions::IndexColumnsFor(width, o.generalNotes && !o.embedNotes);
  const char* section = modifiedRegister ? "MRRpt" : "AhnRpt";
  o.titlePrefix = profile.GetString(section, "TitlePrefix", "");
  o.titleSuffix = profile.GetString(section, "TitleSuffix", "");
  o.titleUseName = profile.GetInt(section, "UseName", 1) != 0;
  return o;
}

BookRun& CurrentBook() {
  static BookRun run;
  return run;
}

const BookPerson* GetBookPerson(int n) {
  const BookRun& run = CurrentBook();
  if (n < 0 || static_cast<std::size_t>(n) >= run.persons.size()) return nullptr;
  return &run.persons[static_cast<std::size_t>(n)];
}

BookPageEntry* FindBookPage(int page) {
  return static_cast<BookPageEntry*>(FindPageEntryByPage(Paginator(), page));
}

std::pair<std::size_t, std::size_t> ChapterCitations(const BookRun& run, int generation) {
  const std::size_t count = run.citations.size();
  if (!run.options.endChapter) return {0, count};
  const auto g = static_cast<std::size_t>(std::max(generation, 1));
  // A chapter begins where the one before it ended; when that end is not
  // recorded the chapter has no citations of its own (none is listed twice).
  const std::size_t first = g < 2                           ? 0
                            : g - 2 < run.boundaries.size() ? run.boundaries[g - 2]
                                                            : count;
  const std::size_t last = g - 1 < run.boundaries.size() ? run.boundaries[g - 1] : count;
  return {std::min(first, count), std::min(std::max(first, last), count)};
}

void CleanupBookPages() {
  PaginatorState& state = Paginator();
  state.Clear();
  state.pageCounter = 1;
  state.recordCounter = 0;
  BookIndex().Reset();
  BookRun& run = CurrentBook();
  const std::string folder = run.folder;
  run = BookRun{};
  if (!folder.empty()) ::rmdir(folder.c_str());
  if (CurrentDatabase != nullptr) SetReportImageMode(0);
}

bool OpenBookWorkFiles(BookRun& run, const std::string& title, const std::string& slotFile) {
  const std::uint64_t blocks = static_cast<std::uint64_t>(run.highestRin) / 50 + 1;
  const std::uint64_t slotBytes = slotFile.empty() ? 0 : blocks * 50 * kBookSlotSize;
  std::string base;
  const std::uint64_t needed = std::max<std::uint64_t>(slotBytes, 65535);
  if (GetTempPathWithSpace(base, needed) < needed) {
    plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport), title,
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  run.folder = PaginationWorkFolder(base);
  BookIndex().Reset();
  if (!slotFile.empty()) {
    const std::string path = run.folder + slotFile;
    auto file = std::make_unique<plat::FileHandle>();
    const int error = file->Create(path);
    if (error != plat::kFileOk) {
      ShowFileError(error, title, "Temp File");
      return false;
    }
    Paginator().workFile.Adopt(std::move(file), path);
    if (!Paginator().workFile.ZeroFill(blocks, 50 * kBookSlotSize)) {
      plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport), title,
                       plat::kMbOk | plat::kMbIconExclamation);
      return false;
    }
  }
  if (!run.options.index) return true;
  const std::string path = run.folder + kBookIndexFileName;
  auto file = std::make_unique<plat::FileHandle>();
  const int error = file->Create(path);
  if (error != plat::kFileOk) {
    ShowFileError(error, title, "Index File");
    run.options.index = false;
    return true;
  }
  Paginator().indexFile.Adopt(std::move(file), path);
  return true;
}

bool StartBookRun(const BookOptions& options, int generations, bool modifiedRegister,
                  const std::string& title, const std::string& slotFile) {
  BookRun& run = CurrentBook();
  run.modifiedRegister = modifiedRegister;
  run.options = options;
  run.options.generations = generations;
  run.fonts = BookFonts::Make(options.notesFont);
  run.highestRin = std::max<std::int32_t>(DbGetMaxRecordCount(db::kIndividual), 0);
  if (!OpenBookWorkFiles(run, title, slotFile)) {
    CleanupBookPages();
    return false;
  }
  if (CurrentDatabase != nullptr) SetReportImageMode(1);
  DiscardCitationNumberLists();
  return true;
}

BookPersonSlot ReadBookPersonSlot(std::int32_t slot) {
  std::array<std::uint8_t, kBookSlotSize> bytes{};
  if (slot < 0 || !Paginator().workFile.IsOpen()) return {};
  Paginator().workFile.ReadRecord(static_cast<std::uint64_t>(slot), bytes);
  return {static_cast<std::uint32_t>(GetInt32LE(bytes, 0)), GetInt32LE(bytes, 4),
          GetInt32LE(bytes, 8), GetInt32LE(bytes, 12)};
}

bool WriteBookPersonSlot(std::int32_t slot, const BookPersonSlot& value) {
  if (slot < 0 || !Paginator().workFile.IsOpen()) return false;
  std::array<std::uint8_t, kBookSlotSize> bytes{};
  PutInt32LE(bytes, 0, static_cast<std::int32_t>(value.number));
  PutInt32LE(bytes, 4, value.generation);
  PutInt32LE(bytes, 8, value.page);
  PutInt32LE(bytes, 12, value.notesPage);
  return Paginator().workFile.WriteRecord(static_cast<std::uint64_t>(slot), bytes);
}

namespace {

// The paginator's side of the walk: a page entry at every break.
class Pager : public BookLayoutSink {
 public:
  Pager(BookRun& run, const std::function<void(int)>& pageAdded)
      : run_(run), pageAdded_(pageAdded) {
    run_.blockPage.assign(run_.blocks.size(), 0);
  }

  void Start(const BookPosition& pos) { Add(pos); }
  bool NewPage(const BookPosition& pos) override {
    Add(pos);
    return true;
  }
  void BlockStart(std::size_t b, const BookBlock&, int) override {
    run_.blockPage[b] = static_cast<int>(Paginator().pageEntries.size());
  }

 private:
  void Add(const BookPosition& pos) {
    auto entry = std::make_unique<BookPageEntry>();
    entry->position = pos;
    entry->offset = static_cast<std::int32_t>(pos.offset);
    if (pos.block < run_.blocks.size()) {
      const BookBlock& block = run_.blocks[pos.block];
      entry->key = std::max(block.person, 0);
      entry->section = block.section;
      entry->part = block.part;
      const bool opens = pos.offset == 0 && (block.kind == BookBlockKind::kTitle ||
                                             block.kind == BookBlockKind::kChapterHeading ||
                                             block.kind == BookBlockKind::kNotesAppendixHeading ||
                                             block.kind == BookBlockKind::kSourcesHeading ||
                                             block.kind == BookBlockKind::kSourcesAppendixHeading);
      entry->startKind = opens ? 0 : 1;
    }
    Paginator().AddPage(std::move(entry));
    if (pageAdded_) pageAdded_(static_cast<int>(Paginator().pageEntries.size()));
  }

  BookRun& run_;
  const std::function<void(int)>& pageAdded_;
};

}  // namespace

int PaginateBookBlocks(BookRun& run, ReportDevice& dc, const std::function<void(int)>& pageAdded) {
  const int lines = run.options.pageHalfLines;
  BookLayout layout(run.blocks, run.fonts, dc, lines);
  Pager pager(run, pageAdded);
  const BookPosition start{0, 0, lines, 0};
  pager.Start(start);
  layout.Walk(start, pager);
  // The pages of the persons and their appendix notes.
  for (BookPerson& person : run.persons)
    if (person.block < run.blockPage.size()) person.page = run.blockPage[person.block];
  for (std::size_t b = 0; b < run.blocks.size(); ++b) {
    const BookBlock& block = run.blocks[b];
    if (block.kind == BookBlockKind::kNotesHeading && block.person >= 0 &&
        static_cast<std::size_t>(block.person) < run.persons.size())
      run.persons[static_cast<std::size_t>(block.person)].notesPage = run.blockPage[b];
  }
  if (run.options.index && BookIndex().Count() > 0) {
    const auto starts = BookIndexPageStarts(lines, run.options.indexColumns, BookIndex().Count());
    for (std::size_t i = 0; i < starts.size(); ++i) {
      auto entry = std::make_unique<BookPageEntry>();
      entry->key = static_cast<std::int32_t>(starts[i]);
      entry->section = BookPageEntry::kIndex;
      entry->startKind = i == 0 ? 0 : 1;
      entry->indexStart = starts[i];
      entry->indexFirst = i == 0;
      Paginator().AddPage(std::move(entry));
    }
  }
  return static_cast<int>(Paginator().pageEntries.size());
}

std::string BookPersonName(std::int32_t rin, bool surnameFirst) {
  CIndividualRecord record;
  if (rin <= 0 || DbGetRecord(rin, db::kIndividual, &record) != 1) return {};
  CIndividualNode node(record, 0, 0, 0, nullptr);
  return surnameFirst ? node.FormatNameSurnameFirst(90, 0, nullptr)
                      : node.FormatName(0, CIndividualNode::kMaxNameChars, 0, nullptr);
}

}  // namespace rpt

#include "AhnentafelPagination.h"
#include "BookKinds.h"
#include "RegisterPagination.h"

namespace rpt {

int PaginateBookKind(bool modifiedRegister, ReportDevice* dc, int width, int height,
                     std::int32_t startRin) {
  const BookOptions options =
      ReadBookOptions(plat::Profile(), modifiedRegister, startRin, width, height);
  return modifiedRegister ? PaginateModifiedRegister(options, dc) : PaginateAhnentafel(options, dc);
}

}  // namespace rpt
