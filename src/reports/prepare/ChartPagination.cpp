#include "ChartPagination.h"

#include <array>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "MultimediaChain.h"
#include "PaginationRun.h"
#include "ReportJob.h"

namespace rpt {

namespace {
constexpr int kStepsPerBatch = 50;
}  // namespace

ChartRun& CurrentChartRun() {
  static ChartRun run;
  return run;
}

int ChartRowsOnPage(int page) {
  const ChartRun& run = CurrentChartRun();
  return page <= 1 ? run.firstPageRows : run.otherPageRows;
}

ChartSlot ReadChartSlot(std::int32_t rin) {
  ChartSlot slot;
  PaginatorState& state = Paginator();
  if (rin <= 0 || !state.workFile.IsOpen()) return slot;
  std::array<std::uint8_t, kChartSlotSize> bytes{};
  state.workFile.ReadRecord(static_cast<std::uint64_t>(rin), bytes);
  slot.first = GetInt32LE(bytes, 0);
  slot.second = GetInt32LE(bytes, 4);
  return slot;
}

void WriteChartSlot(std::int32_t rin, const ChartSlot& slot) {
  PaginatorState& state = Paginator();
  if (rin <= 0 || !state.workFile.IsOpen()) return;
  std::array<std::uint8_t, kChartSlotSize> bytes{};
  PutInt32LE(bytes, 0, slot.first);
  PutInt32LE(bytes, 4, slot.second);
  if (!state.workFile.WriteRecord(static_cast<std::uint64_t>(rin), bytes))
    CurrentChartRun().writeFailed = true;
}

std::uint16_t GetChartLegendFlags() { return CurrentChartRun().legend; }

void AddChartLegendFlags(std::int32_t rin) {
  if (rin <= 0) return;
  RelationshipLinks& links = DatabaseRelationshipLinks();
  const std::vector<std::int32_t> list = links.ParentLinks(rin);
  ChartRun& run = CurrentChartRun();
  if (list.size() > 1) run.legend |= kChartMultipleParents;
  if (list.empty()) return;
  CFamilyLinkRecord link;
  if (!links.ReadLink(list.front(), link)) return;
  auto add = [&run](char letter) {
    switch (letter) {
      case 'a':
        run.legend |= kChartAdopted;
        break;
      case 'g':
        run.legend |= kChartGuardian;
        break;
      case 's':
        run.legend |= kChartSealing;
        break;
      default:
        break;
    }
  };
  add(link.firstParentRelation);
  if (link.secondParentRelation != link.firstParentRelation) add(link.secondParentRelation);
}

bool OpenChartRow(const std::function<std::unique_ptr<CChartPageEntry>()>& snapshot) {
  ChartRun& run = CurrentChartRun();
  if (run.rowCounter < run.rowLimit) {
    ++run.rowCounter;
    return false;
  }
  PaginatorState& state = Paginator();
  state.AddPage(snapshot());
  const int pages = static_cast<int>(state.pageEntries.size());
  CurrentPaginatorWindow().SetNumber(pages);
  run.rowCounter = 1;
  if (pages == 2) run.rowLimit = run.otherPageRows;
  return true;
}

const CChartPageEntry* FindChartPage(int page) {
  return dynamic_cast<const CChartPageEntry*>(FindPageEntryByPage(Paginator(), page));
}

void CleanupChartPages() {
  Paginator().Clear();
  if (CurrentDatabase != nullptr) SetReportImageMode(0);
}

int RunChartPagination(const char* title, const char* fileErrorName,
                       const std::function<bool()>& start, const std::function<bool()>& step) {
  PaginatorState& state = Paginator();
  ChartRun& run = CurrentChartRun();
  run.legend = 0;
  run.deepest = 0;
  run.repeatDepth = 0;
  run.writeFailed = false;
  run.highestRin = std::max<std::int32_t>(DbGetMaxRecordCount(db::kIndividual), 0);
  run.highestMrin = std::max<std::int32_t>(DbGetMaxRecordCount(db::kMarriage), 0);
  const std::uint64_t blocks = static_cast<std::uint64_t>(run.highestRin) / kChartSlotsPerBlock + 1;
  const std::size_t blockSize = kChartSlotSize * kChartSlotsPerBlock;

  PaginationPass pass;
  pass.title = title;
  pass.fileErrorName = fileErrorName;
  pass.neededBytes = blocks * blockSize;
  pass.files = {{&state.workFile, kChartWorkFileName}};
  pass.pictureCache = true;
  pass.cleanup = CleanupChartPages;
  pass.prepare = [&] {
    if (!state.workFile.ZeroFill(blocks, blockSize)) return BatchResult::DiskFull;
    // The first box opens page 1.
    run.rowCounter = 8000;
    run.rowLimit = run.firstPageRows;
    return start() ? BatchResult::Done : BatchResult::Failed;
  };
  pass.batch = [&] {
    for (int i = 0; i < kStepsPerBatch; ++i) {
      if (!step()) return run.writeFailed ? BatchResult::DiskFull : BatchResult::Done;
      if (run.writeFailed) return BatchResult::DiskFull;
    }
    return BatchResult::More;
  };
  return RunPagination(state, CurrentPaginatorWindow(), pass);
}

}  // namespace rpt
