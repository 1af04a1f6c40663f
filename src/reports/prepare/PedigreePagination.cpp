#include "PedigreePagination.h"

#include <unistd.h>

#include <cstring>
#include <deque>
#include <vector>

#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "PaginationRun.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr int kNamesLevel = 3;  // the individual read level that loads the names
constexpr const char* kTitle = "Pedigree Chart";

// A continuation chart whose ancestors are still to be placed.
struct ChartJob {
  std::int32_t generation = 0;
  std::int64_t chart = 0;
  std::int32_t root = 0;
};

// What one run keeps beside the shared paginator state.
struct PedigreeRun {
  PedigreeRunParameters params;
  std::deque<ChartJob> jobs;  // this pass's own work list
  std::int64_t continuation = 0;
  bool index = false;
  bool indexValid = false;          // rows are sorted entries
  std::uint64_t entriesOffset = 0;  // where the sorted entries start
  bool writeFailed = false;
  bool pumpEachPlacement = false;  // the first chart pumps the program's messages
  std::string folder;
};

PedigreeSortOpenFn& SortOpener() {
  static PedigreeSortOpenFn open = &SortOpen;
  return open;
}

PedigreeRun& Run() {
  static PedigreeRun run;
  return run;
}

void PutInt64LE(std::span<std::uint8_t> bytes, std::size_t offset, std::int64_t value) {
  const auto u = static_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) bytes[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int64_t GetInt64LE(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | bytes[offset + i];
  return static_cast<std::int64_t>(u);
}

void ReadEntryFields(std::span<const std::uint8_t> bytes, PedigreeIndexEntry& out) {
  out.rin = GetInt32LE(bytes, 0);
  out.chart = GetInt64LE(bytes, 4);
  out.position = GetInt32LE(bytes, 12);
}

void WriteIndexRecord(std::int32_t rin, std::int64_t chart, std::int32_t position) {
  PedigreeRun& run = Run();
  PaginatorState& state = Paginator();
  if (!run.index || !state.indexFile.IsOpen()) return;
  CIndividualRecord person;
  std::string surname, given1, given2;
  if (DbGetIndividualRecord(rin, person, kNamesLevel) == 1) {
    surname = person.surname;
    given1 = person.givenNames[0];
    given2 = person.givenNames[1];
  }
  std::array<std::uint8_t, kPedigreeIndexRecordSize> record{};
  const auto key = MakePedigreeIndexKey(surname, given1, given2);
  std::memcpy(record.data(), key.data(), kPedigreeKeySize);
  PutInt32LE(record, 56, rin);
  PutInt64LE(record, 60, chart);
  PutInt32LE(record, 68, position);
  if (!state.indexFile.WriteRecord(state.recordCounter, record)) {
    run.writeFailed = true;
    return;
  }
  ++state.recordCounter;
}

std::vector<std::int32_t> ParentFamily(std::int32_t rin) {
  std::vector<std::int32_t> family;
  DbGetRelation(rin, db::kRelParents, 0, family);
  family.resize(3, 0);
  return family;
}

void AddChartPage(const PedigreeChartRecord& chart) {
  auto entry = std::make_unique<PedigreePageEntry>();
  entry->kind = PedigreePageEntry::kChart;
  entry->chart = std::make_unique<PedigreeChartRecord>(chart);
  entry->key = chart.root;
  Paginator().AddPage(std::move(entry));
}

// Places person at (chart, position) and follows his ancestors.
void PlaceAncestor(std::int32_t person, std::int32_t otherParent, std::int32_t family,
                   std::int64_t chart, std::int32_t position, std::int32_t generation) {
  PedigreeRun& run = Run();
  PaginatorState& state = Paginator();
  if (run.pumpEachPlacement && !plat::PumpWaitingMessages()) state.running = 0;
  if (state.running == 0 || run.writeFailed || person <= 0) return;
  std::int64_t placedChart = 0;
  std::int32_t placedPosition = 0;
  if (GetPedigreeChartPlace(person, placedChart, placedPosition)) return;
  SetPedigreeChartPlace(person, chart, position);
  WriteIndexRecord(person, chart, position);
  const PedigreeRunParameters& p = run.params;
  if (generation >= p.totalGenerations) return;
  const std::vector<std::int32_t> parents = ParentFamily(person);
  if (parents[1] == 0 && parents[2] == 0) return;
  const int e = p.generationsPerChart - 1;
  if (generation % e != 1) {
    PlaceAncestor(parents[1], parents[2], parents[0], chart, 2 * position, generation + 1);
    if (state.running == 0) return;
    PlaceAncestor(parents[2], parents[1], parents[0], chart, 2 * position + 1, generation + 1);
    return;
  }
  // The last column: the person roots a continuation chart.
  if (p.numbering == PedigreeRunParameters::kFixed)
    run.continuation = FixedContinuationChart(chart, position, p.generationsPerChart);
  if (!p.indexOnly) {
    PedigreeChartRecord record;
    record.root = person;
    record.spouse = otherParent;
    record.marriage = family;
    record.chartNumber = run.continuation;
    record.previousChart = chart;
    record.firstContinuation = -1;
    record.previousPosition = position;
    record.generation = generation;
    AddChartPage(record);
  }
  run.jobs.push_back({generation, run.continuation, person});
  ++run.continuation;
}

// One job of the dialog's pass.
BatchResult ProcessChartJob(PaginatorWindow& window) {
  PedigreeRun& run = Run();
  PaginatorState& state = Paginator();
  if (run.jobs.empty()) {
    if (run.index) {
      window.SetNumber(state.pageCounter - 1);
      const int lines = state.linesPerPage > 0 ? state.linesPerPage : 1;
      for (std::uint32_t start = 0; start < state.recordCounter;
           start += static_cast<std::uint32_t>(lines)) {
        auto entry = std::make_unique<PedigreePageEntry>();
        entry->kind = PedigreePageEntry::kIndex;
        entry->firstIndexEntry = start;
        state.AddPage(std::move(entry));
      }
    }
    window.SetNumber(state.pageCounter - 1);
    return BatchResult::Done;
  }
  window.SetNumber(state.pageCounter);
  const ChartJob job = run.jobs.front();
  for (std::size_t i = 1; i < state.pageEntries.size(); ++i) {
    auto* entry = static_cast<PedigreePageEntry*>(state.pageEntries[i].get());
    if (entry->kind == PedigreePageEntry::kChart && entry->chart->root == job.root) {
      entry->chart->firstContinuation = run.continuation;
      break;
    }
  }
  const std::vector<std::int32_t> parents = ParentFamily(job.root);
  PlaceAncestor(parents[1], parents[2], parents[0], job.chart, 2, job.generation + 1);
  if (state.running != 0)
    PlaceAncestor(parents[2], parents[1], parents[0], job.chart, 3, job.generation + 1);
  run.jobs.pop_front();
  if (run.writeFailed) return BatchResult::DiskFull;
  return BatchResult::More;
}

std::unique_ptr<plat::RandomAccessFile> CreateFile(const std::string& path, int& error) {
  auto file = std::make_unique<plat::FileHandle>();
  error = file->Create(path);
  if (error != plat::kFileOk) return nullptr;
  return file;
}

void ShowNoSpace() {
  plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport), kTitle,
                   plat::kMbOk | plat::kMbIconExclamation);
}

// Sorts the index records by key and writes the 16-byte entries after them;
// the rows stay the unsorted records when the sort fails.
void SortIndex() {
  PedigreeRun& run = Run();
  PaginatorState& state = Paginator();
  state.sorted = 1;  // tried once per run
  if (!state.indexFile.IsOpen()) return;
  const int capacity = SortOpener()(kPedigreeIndexRecordSize, true, ComparePedigreeIndexKeys);
  if (capacity < 0) {
    plat::MessageBox(res::LoadString(res::kIdsUnableToSortIndex),
                     res::LoadString(res::kIdsIndexSortTitle),
                     plat::kMbOk | plat::kMbIconExclamation);
    SortClose();
    return;
  }
  std::array<std::uint8_t, kPedigreeIndexRecordSize> record{};
  for (std::uint32_t n = 0; n < state.recordCounter; ++n) {
    const auto* key = reinterpret_cast<const char*>(record.data());
    if (!state.indexFile.ReadRecord(n, record) ||
        SortAdd(record.data(), SortKeyPosition(static_cast<std::uint32_t>(capacity), 0, key)) !=
            1) {
      plat::MessageBox(res::LoadString(res::kIdsIndexSortTitle),
                       res::LoadString(res::kIdsPedigreeChart), plat::kMbOk);
      SortClose();
      return;
    }
  }
  SortEnd();
  // The entries go after the records, on a whole entry, so that the records
  // stay readable until every entry is written.
  const std::uint64_t recordBytes = std::uint64_t{state.recordCounter} * kPedigreeIndexRecordSize;
  const std::uint64_t base = (recordBytes + kPedigreeIndexEntrySize - 1) / kPedigreeIndexEntrySize *
                             kPedigreeIndexEntrySize;
  for (std::uint32_t n = 0; n < state.recordCounter; ++n) {
    const auto* next = static_cast<const std::uint8_t*>(SortNext());
    if (next == nullptr ||
        !state.indexFile.WriteAt(
            base + std::uint64_t{n} * kPedigreeIndexEntrySize,
            std::span<const std::uint8_t>(next + kPedigreeKeySize, kPedigreeIndexEntrySize))) {
      plat::MessageBox(res::LoadString(res::kIdsIndexSortTitle),
                       res::LoadString(res::kIdsPedigreeChart), plat::kMbOk);
      SortClose();
      return;
    }
  }
  const bool failed = SortFailed();
  SortClose();
  if (failed) return;
  run.entriesOffset = base;
  run.indexValid = true;
}

}  // namespace

std::array<char, kPedigreeKeySize> MakePedigreeIndexKey(const std::string& surname,
                                                        const std::string& given1,
                                                        const std::string& given2) {
  std::array<char, kPedigreeKeySize> raw;
  raw.fill(' ');
  auto put = [&raw](const std::string& text, std::size_t at, std::size_t width) {
    const std::string upper = plat::AnsiUpper(text.substr(0, width));
    std::memcpy(raw.data() + at, upper.data(), upper.size());
  };
  put(surname, 0, 30);
  put(given1, 30, 24);
  put(given2, 54, 2);
  std::array<char, kPedigreeKeySize> key;
  key.fill(' ');
  std::size_t out = 0;
  for (std::size_t i = 0; i + 1 < kPedigreeKeySize; ++i) {
    if (raw[i] == ' ' && raw[i + 1] == ' ') continue;
    key[out++] = raw[i];
  }
  if (raw[kPedigreeKeySize - 1] != ' ') key[out] = raw[kPedigreeKeySize - 1];
  return key;
}

std::int64_t FixedContinuationChart(std::int64_t chart, std::int32_t position,
                                    int generationsPerChart) {
  return (std::int64_t{1} << (generationsPerChart - 1)) * (chart - 2) + position + 2;
}

int ComparePedigreeIndexKeys(const void* a, const void* b) {
  return std::memcmp(a, b, kPedigreeKeySize);
}

void CleanupPedigreePages() {
  PedigreeRun& run = Run();
  PaginatorState& state = Paginator();
  state.Clear();
  run.jobs.clear();
  run.indexValid = false;
  run.entriesOffset = 0;
  if (!run.folder.empty()) {
    ::rmdir(run.folder.c_str());
    run.folder.clear();
  }
  if (CurrentDatabase != nullptr) SetReportImageMode(0);
}

int PaginatePedigreeChart(const PedigreeRunParameters& params, int indexLinesPerPage) {
  CleanupPedigreePages();
  PedigreeRun& run = Run();
  PaginatorState& state = Paginator();
  state.running = 0;
  run.params = params;
  run.writeFailed = false;
  run.pumpEachPlacement = false;
  if (params.runType == PedigreeRunParameters::kBlankForm) return 1;
  if (params.generationsPerChart < 2) return 0;

  const std::int32_t highest = std::max<std::int32_t>(DbGetMaxRecordCount(db::kIndividual), 0);
  const std::uint64_t blocks = static_cast<std::uint64_t>(highest) / kPedigreeSlotsPerBlock + 1;
  const std::size_t blockSize = kPedigreeSlotSize * kPedigreeSlotsPerBlock;
  std::string base;
  if (GetTempPathWithSpace(base, blocks * blockSize) < blocks * blockSize) {
    ShowNoSpace();
    return 0;
  }
  run.folder = PaginationWorkFolder(base);
  int error = plat::kFileOk;
  auto placement = CreateFile(run.folder + kPedigreePlacementFileName, error);
  if (placement == nullptr) {
    ShowFileError(error != plat::kFileOk ? error : plat::kFileGeneric, kTitle, "Temp File");
    CleanupPedigreePages();
    return 0;
  }
  state.workFile.Adopt(std::move(placement), run.folder + kPedigreePlacementFileName);
  if (!state.workFile.ZeroFill(blocks, blockSize)) {
    ShowNoSpace();
    CleanupPedigreePages();
    return 0;
  }
  run.index = false;
  if (params.indexWanted || params.indexOnly) {
    auto index = CreateFile(run.folder + kPedigreeIndexFileName, error);
    if (index == nullptr) {
      ShowFileError(error != plat::kFileOk ? error : plat::kFileGeneric, kTitle, "Index File");
      if (params.indexOnly) {
        CleanupPedigreePages();
        return 0;
      }
    } else {
      state.indexFile.Adopt(std::move(index), run.folder + kPedigreeIndexFileName);
      run.index = true;
    }
  }
  if (params.runType == PedigreeRunParameters::kSingleChart)
    run.params.totalGenerations = std::min(params.totalGenerations, params.generationsPerChart);
  const PedigreeRunParameters& p = run.params;

  if (CurrentDatabase != nullptr) SetReportImageMode(1);
  state.pageCounter = 1;
  state.recordCounter = 0;
  state.sorted = 0;
  state.linesPerPage = indexLinesPerPage;
  run.continuation = p.firstContinuation;

  std::int32_t spouse = 0;
  if (p.marriage != 0) {
    std::vector<std::int32_t> couple;
    DbGetRelation(p.marriage, db::kRelSpouses, 0, couple);
    couple.resize(2, 0);
    spouse = DbGetSex(p.startPerson) == 'F' ? couple[0] : couple[1];
  }
  if (!p.indexOnly) {
    PedigreeChartRecord first;
    first.root = p.startPerson;
    first.spouse = spouse;
    first.marriage = p.marriage;
    first.chartNumber = p.firstChart;
    first.previousChart = p.sameAsChart;
    first.firstContinuation = p.firstContinuation;
    first.previousPosition = p.sameAsPosition;
    first.generation = 1;
    AddChartPage(first);
  }
  WriteIndexRecord(p.startPerson, p.firstChart, 1);
  if (spouse != 0) WriteIndexRecord(spouse, p.firstChart, 0);
  SetPedigreeChartPlace(p.startPerson, p.firstChart, 1);

  if (p.totalGenerations > 1 && (run.index || p.runType == PedigreeRunParameters::kCascading)) {
    const std::vector<std::int32_t> parents = ParentFamily(p.startPerson);
    if (parents[1] != 0 || parents[2] != 0) {
      state.running = 1;
      run.pumpEachPlacement = true;
      PlaceAncestor(parents[1], parents[2], parents[0], p.firstChart, 2, 2);
      if (state.running != 0) PlaceAncestor(parents[2], parents[1], parents[0], p.firstChart, 3, 2);
      run.pumpEachPlacement = false;
      if (state.running == 0) {
        CleanupPedigreePages();
        return 0;
      }
    }
  }
  if (run.writeFailed) {
    ShowNoSpace();
    CleanupPedigreePages();
    return 0;
  }
  if (!run.jobs.empty() || run.index) {
    state.running = 1;
    PaginatorWindow& window = CurrentPaginatorWindow();
    BatchResult result =
        window.Run(state, kTitle, "1", true, [&window] { return ProcessChartJob(window); });
    if (result == BatchResult::Done && state.running == 0) result = BatchResult::Failed;
    state.running = 0;
    if (result != BatchResult::Done) {
      if (result == BatchResult::DiskFull) ShowNoSpace();
      CleanupPedigreePages();
      return 0;
    }
  }
  state.running = 0;
  return static_cast<int>(state.pageEntries.size());
}

PedigreePageEntry* FindPedigreePageEntry(int page) {
  PaginatorState& state = Paginator();
  auto* entry = static_cast<PedigreePageEntry*>(FindPageEntryByPage(state, page));
  if (entry != nullptr && entry->kind == PedigreePageEntry::kIndex && state.sorted == 0)
    SortIndex();
  return entry;
}

bool GetPedigreeIndexEntry(std::uint32_t n, PedigreeIndexEntry& out) {
  out = {};
  PedigreeRun& run = Run();
  PaginatorState& state = Paginator();
  if (n >= state.recordCounter || !state.indexFile.IsOpen()) return false;
  std::array<std::uint8_t, kPedigreeIndexEntrySize> entry{};
  if (run.indexValid) {
    if (!state.indexFile.ReadRecord(run.entriesOffset / kPedigreeIndexEntrySize + n, entry))
      return false;
  } else {
    std::array<std::uint8_t, kPedigreeIndexRecordSize> record{};
    if (!state.indexFile.ReadRecord(n, record)) return false;
    std::memcpy(entry.data(), record.data() + kPedigreeKeySize, kPedigreeIndexEntrySize);
  }
  ReadEntryFields(entry, out);
  return true;
}

bool PedigreeIndexSorted() { return Run().indexValid; }

PedigreeSortOpenFn SetPedigreeSortOpen(PedigreeSortOpenFn open) {
  PedigreeSortOpenFn previous = SortOpener();
  SortOpener() = open != nullptr ? open : &SortOpen;
  return previous;
}

std::uint32_t PedigreeIndexCount() { return Paginator().recordCounter; }

bool GetPedigreeChartPlace(std::int32_t rin, std::int64_t& chart, std::int32_t& position) {
  chart = 0;
  position = 0;
  PaginatorState& state = Paginator();
  if (rin <= 0 || !state.workFile.IsOpen()) return false;
  std::array<std::uint8_t, kPedigreeSlotSize> slot{};
  state.workFile.ReadRecord(static_cast<std::uint64_t>(rin), slot);
  chart = GetInt64LE(slot, 0);
  position = GetInt32LE(slot, 8);
  if (chart == 0) {
    position = 0;
    return false;
  }
  return true;
}

void SetPedigreeChartPlace(std::int32_t rin, std::int64_t chart, std::int32_t position) {
  std::int64_t placedChart = 0;
  std::int32_t placedPosition = 0;
  if (rin <= 0 || GetPedigreeChartPlace(rin, placedChart, placedPosition)) return;
  PaginatorState& state = Paginator();
  if (!state.workFile.IsOpen()) return;
  std::array<std::uint8_t, kPedigreeSlotSize> slot{};
  PutInt64LE(slot, 0, chart);
  PutInt32LE(slot, 8, position);
  if (!state.workFile.WriteRecord(static_cast<std::uint64_t>(rin), slot)) Run().writeFailed = true;
}

}  // namespace rpt
