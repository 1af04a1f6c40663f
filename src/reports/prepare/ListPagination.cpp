#include "ListPagination.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <deque>
#include <vector>

#include "AlphaNameRecord.h"
#include "DateValue.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "EventValue.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MergeWorkFile.h"
#include "OrdinanceNeeds.h"
#include "PaginationRun.h"
#include "PaginatorState.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMatch.h"
#include "ZelQualification.h"

namespace rpt {

namespace {

struct ListPageEntry : PageEntry {
  std::int32_t firstRecord = 0;
};

// The Missing Marriage Sealings list names its work file so in file errors.
constexpr const char* kSealingsFileName = "Incomplete ZEL Sealings";
constexpr int kExaminedPerBatch = 101;
constexpr int kWrittenPerBatch = 31;
constexpr std::size_t kKeyOffset = 24;
constexpr std::size_t kKeyLength = 34;

// The disk sort of the program behind the pass's sort interface.
class DiskListSort : public ListSort {
 public:
  bool Open() override { return sort_.Open(kListSortRecordSize, false, CompareListNameKeys) >= 0; }
  bool Add(const std::uint8_t* record) override { return sort_.Add(record) == 1; }
  void End() override { sort_.End(); }
  const std::uint8_t* Next() override { return static_cast<const std::uint8_t*>(sort_.Next()); }
  void Close() override { sort_.Close(); }

 private:
  CDiskSort sort_;
};

ListSortFactory& SortFactory() {
  static ListSortFactory factory;
  return factory;
}

std::unique_ptr<ListSort> MakeSort() {
  if (SortFactory()) return SortFactory()();
  return std::make_unique<DiskListSort>();
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The year of an event that has a date with a year; 0 otherwise.
int EventYear(const CEventValue& event) {
  if (IsEventValueEmpty(event) || !event.date.IsSet() || event.date.IsStatus()) return 0;
  return event.date.year;
}

bool OutsideYears(int year) {
  const ListPaginationParams& p = ListParams();
  if (year == 0) return false;
  if (p.startYear != 0 && year < p.startYear) return true;
  if (p.endYear != 0 && year > p.endYear) return true;
  return false;
}

// The shared side of a list pass: the work-file writes, the sort with its
// fallbacks, and the page rule of the kinds that make page entries.
class ListWriter {
 public:
  ListWriter(PaginatorState& state, PaginatorWindow& window, std::string caption)
      : state_(state), window_(window), caption_(std::move(caption)) {}

  // Opens the sort; unsorted (with a message) when that fails.
  void OpenSort() {
    sort_ = MakeSort();
    if (sort_->Open()) {
      ListParams().sorting = 1;
      return;
    }
    sort_.reset();
    ListParams().sorting = 0;
    plat::MessageBox(res::LoadString(res::kIdsUnableToSortFile), caption_,
                     plat::kMbOk | plat::kMbIconExclamation);
  }

  // A selected record: to the sort, or straight to the file.
  bool Select(const std::uint8_t* record) {
    if (sort_ != nullptr) {
      if (sort_->Add(record)) return true;
      plat::MessageBox(res::LoadString(res::kIdsSortDiskFull), caption_,
                       plat::kMbOk | plat::kMbIconExclamation);
      if (!FlushSort()) return false;
    }
    std::int32_t number = 0;
    std::memcpy(&number, record, 4);
    return Write(number);
  }

  bool Write(std::int32_t number) {
    std::array<std::uint8_t, 4> bytes{};
    PutInt32LE(bytes, 0, number);
    if (!state_.workFile.WriteRecord(written_, bytes)) return false;
    ++written_;
    return true;
  }

  bool WriteDuplicate(std::int32_t rin, bool continuation) {
    std::array<std::uint8_t, 8> bytes{};
    PutInt32LE(bytes, 0, rin);
    PutInt32LE(bytes, 4, continuation ? 1 : 0);
    if (!state_.workFile.WriteRecord(written_, bytes)) return false;
    ++written_;
    return true;
  }

  // Writes what the sort holds, in order, and closes it.
  bool FlushSort() {
    if (sort_ == nullptr) return true;
    sort_->End();
    bool ok = true;
    while (const std::uint8_t* record = sort_->Next()) {
      std::int32_t number = 0;
      std::memcpy(&number, record, 4);
      if (!Write(number)) {
        ok = false;
        break;
      }
    }
    sort_->Close();
    sort_.reset();
    ListParams().sorting = 0;
    return ok;
  }

  // The page rule of kinds 100, 112 and 113: a page entry whenever the line
  // counter has reached the lines per page; then one more line.
  void CountLine() {
    if (lines_ >= state_.linesPerPage) StartPage();
    ++lines_;
    ++listed_;
  }

  void StartPage() {
    lines_ = 0;
    auto entry = std::make_unique<ListPageEntry>();
    const auto page = static_cast<std::int32_t>(state_.pageEntries.size()) + 1;
    entry->key = page;
    entry->page = page;
    entry->firstRecord = static_cast<std::int32_t>(written_ > listed_ ? written_ : listed_);
    state_.pageEntries.push_back(std::move(entry));
    window_.SetNumber(page);
  }

  int& Lines() { return lines_; }
  std::uint32_t Written() const { return written_; }
  void Finish() { state_.recordCounter = written_; }

 private:
  PaginatorState& state_;
  PaginatorWindow& window_;
  std::string caption_;
  std::unique_ptr<ListSort> sort_;
  std::uint32_t written_ = 0;
  std::uint32_t listed_ = 0;
  int lines_ = 0;
};

std::int32_t NextIndividual(std::int32_t after) {
  return DbGetRIN(after, db::kQueryIndividuals, db::kWalkNext);
}
std::int32_t NextMarriage(std::int32_t after) {
  return DbGetRIN(after, db::kQueryMarriages, db::kWalkNext);
}

std::uint64_t Positive(std::int64_t n) { return n > 0 ? static_cast<std::uint64_t>(n) : 0; }

// Runs a pass over a work file named file with the batch given; answers
// what count answers, 0 on failure.
int RunListPass(const std::string& caption, const std::string& fileErrorName,
                const std::string& file, std::uint64_t needed,
                const std::function<BatchResult()>& prepare,
                const std::function<BatchResult()>& batch, const std::function<int()>& count) {
  PaginatorState& state = Paginator();
  PaginationPass pass;
  pass.title = caption;
  pass.fileErrorName = fileErrorName;
  pass.neededBytes = needed;
  pass.files = {{&state.workFile, file}};
  pass.cleanup = [] { CleanupListPages(); };
  pass.prepare = prepare;
  pass.batch = batch;
  pass.pageCount = count;
  return RunPagination(state, CurrentPaginatorWindow(), pass);
}

// A pass that examines records in number order, a batch at a time.
struct WalkState {
  std::int32_t current = 0;
  bool done = false;
};

}  // namespace

ListPaginationParams& ListParams() {
  static ListPaginationParams params;
  return params;
}

ListSortFactory SetListSortFactory(ListSortFactory factory) {
  ListSortFactory previous = std::move(SortFactory());
  SortFactory() = std::move(factory);
  return previous;
}

void BuildNameSortKey(const CIndividualRecord& record, std::int32_t number, std::uint8_t* out) {
  std::memset(out, ' ', kListSortRecordSize);
  PutInt32LE(std::span<std::uint8_t>(out, kListSortRecordSize), 0, number);
  char key[kKeyLength];
  std::memset(key, ' ', kKeyLength);
  const std::string surname = Upper(record.surname).substr(0, 16);
  const std::string given = Upper(record.givenNames[0]).substr(0, 16);
  const std::string second = Upper(record.givenNames[1]).substr(0, 2);
  std::memcpy(key, surname.data(), surname.size());
  std::memcpy(key + 16, given.data(), given.size());
  std::memcpy(key + 32, second.data(), second.size());
  // Collapse runs of blanks: a blank followed by another blank is dropped.
  std::size_t n = 0;
  char* dest = reinterpret_cast<char*>(out + kKeyOffset);
  for (std::size_t i = 0; i < 33; ++i) {
    if (key[i] == ' ' && key[i + 1] == ' ') continue;
    dest[n++] = key[i];
  }
  dest[n++] = key[33];
  while (n < kKeyLength) dest[n++] = ' ';
}

std::string NameKeyOf(const std::uint8_t* record) {
  return std::string(reinterpret_cast<const char*>(record + kKeyOffset), kKeyLength);
}

bool IsCompletedStatus(const CDateValue& date) {
  return date.month == CDateValue::kStatusCompleted || date.month == CDateValue::kStatusDone ||
         date.month == CDateValue::kStatusPre1970;
}

std::int32_t ReadListEntry4(std::int64_t n) {
  PaginatorState& state = Paginator();
  if (n < 0 || n >= static_cast<std::int64_t>(state.recordCounter) || !state.workFile.IsOpen())
    return 0;
  std::array<std::uint8_t, 4> bytes{};
  if (!state.workFile.ReadRecord(static_cast<std::uint64_t>(n), bytes)) return 0;
  return GetInt32LE(bytes, 0);
}

bool ReadListEntry8(std::int64_t n, DuplicatesListEntry& out) {
  PaginatorState& state = Paginator();
  if (n < 0 || n >= static_cast<std::int64_t>(state.recordCounter) || !state.workFile.IsOpen())
    return false;
  std::array<std::uint8_t, 8> bytes{};
  if (!state.workFile.ReadRecord(static_cast<std::uint64_t>(n), bytes)) return false;
  out.rin = GetInt32LE(bytes, 0);
  out.continuation = GetInt32LE(bytes, 4);
  return true;
}

bool FindListPage(int page, ListPageStart& out) {
  const auto* entry = dynamic_cast<const ListPageEntry*>(FindPageEntryByPage(Paginator(), page));
  if (entry == nullptr) return false;
  out.page = entry->page;
  out.firstRecord = entry->firstRecord;
  return true;
}

std::int64_t ListRecordCount() { return Paginator().recordCounter; }

int CleanupListPages() {
  PaginatorState& state = Paginator();
  state.pageEntries.clear();
  state.jobQueue.clear();
  const bool open = state.workFile.IsOpen();
  state.workFile.CloseAndDelete();
  state.recordCounter = 0;
  return open ? 0 : -1;
}

int CloseListWorkFile() {
  PaginatorState& state = Paginator();
  const bool open = state.workFile.IsOpen();
  state.workFile.CloseAndDelete();
  return open ? 0 : -1;
}

// ------------------------------------------------------------ Unlinked (100)

int PaginateUnlinkedList(int lines) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  const std::int32_t highest = DbGetMaxRecordCount(db::kIndividual);
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(),
                                             res::LoadString(res::kIdsUnlinkedCaption));
  auto walk = std::make_shared<WalkState>();
  auto batch = [=]() -> BatchResult {
    for (int examined = 0; examined < kExaminedPerBatch; ++examined) {
      const std::int32_t rin = NextIndividual(walk->current);
      if (rin == 0) {
        if (!writer->FlushSort()) return BatchResult::DiskFull;
        writer->Finish();
        return BatchResult::Done;
      }
      walk->current = rin;
      if (DbGetRelationCount(rin, db::kRelFather, 0, 1) != 0 ||
          DbGetRelationCount(rin, db::kRelMother, 0, 1) != 0 ||
          DbGetRelationCount(rin, db::kRelSpouses, 0, 1) != 0 ||
          DbGetRelationCount(rin, db::kRelChildren, 0, 1) != 0)
        continue;
      CIndividualRecord record;
      if (family::Read(record, rin) != 1) continue;
      std::uint8_t sortRecord[kListSortRecordSize];
      BuildNameSortKey(record, rin, sortRecord);
      writer->CountLine();
      if (!writer->Select(sortRecord)) return BatchResult::DiskFull;
    }
    return BatchResult::More;
  };
  return RunListPass(
      res::LoadString(res::kIdsUnlinkedIndividualsList), res::LoadString(res::kIdsUnlinkedCaption),
      "~KorUNLNK.TMP", Positive(highest) * 4,
      [=] {
        writer->Lines() = lines + 1;
        writer->OpenSort();
        return BatchResult::Done;
      },
      batch, [&state] { return static_cast<int>(state.pageEntries.size()); });
}

// ----------------------------------------------------------- Duplicates (101)

int PaginateDuplicatesList(const MatchOptions& options, int lines) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  const std::int32_t highest = DbGetMaxRecordCount(db::kIndividual);
  const std::string caption = res::LoadString(res::kIdsDuplicatesList);
  struct Context {
    std::unique_ptr<CMatchCursor> cursor;
    std::vector<std::uint8_t> seen, group;
    bool pending = false;
    std::int32_t primary = 0, duplicate = 0;
    bool ended = false;
  };
  auto ctx = std::make_shared<Context>();
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(), caption);
  auto prepare = [=]() -> BatchResult {
    ctx->cursor = std::make_unique<CMatchCursor>(CMergeWorkFile::kNameMode, options);
    ctx->seen.assign(static_cast<std::size_t>(highest) + 2, 0);
    ctx->group.assign(static_cast<std::size_t>(highest) + 2, 0);
    ctx->ended = !ctx->cursor->Start();
    if (!ctx->ended) ctx->pending = ctx->cursor->Next(ctx->primary, ctx->duplicate);
    writer->Lines() = lines + 1;
    return BatchResult::Done;
  };
  auto batch = [=]() -> BatchResult {
    int written = 0;
    for (int examined = 0; examined < kExaminedPerBatch && written < kWrittenPerBatch;) {
      if (ctx->ended || !ctx->pending) {
        writer->Finish();
        ctx->cursor.reset();
        return BatchResult::Done;
      }
      // One group: the head and every candidate the cursor pairs with it.
      const std::int32_t head = ctx->primary;
      std::vector<std::int32_t> members{head};
      while (ctx->pending && ctx->primary == head) {
        members.push_back(ctx->duplicate);
        ctx->pending = ctx->cursor->Next(ctx->primary, ctx->duplicate);
        ++examined;
      }
      CIndividualRecord record;
      if (head <= 0 || head > highest || family::Read(record, head) != 1) continue;
      bool fresh = false;
      for (std::size_t i = 1; i < members.size(); ++i) {
        const auto r = static_cast<std::size_t>(members[i]);
        if (r >= ctx->seen.size()) continue;
        if (ctx->seen[r] == 0) {
          ctx->seen[r] = 1;
          fresh = true;
        }
      }
      ctx->seen[static_cast<std::size_t>(head)] = 1;
      if (!fresh) continue;
      std::sort(members.begin(), members.end());
      members.erase(std::unique(members.begin(), members.end()), members.end());
      int& lineCounter = writer->Lines();
      ++lineCounter;  // the blank line before a group
      bool first = true;
      for (const std::int32_t rin : members) {
        if (rin <= 0 || static_cast<std::size_t>(rin) >= ctx->seen.size()) continue;
        if (first ? lineCounter > lines - 3 : lineCounter >= lines) writer->StartPage();
        if (!writer->WriteDuplicate(rin, !first)) return BatchResult::DiskFull;
        ++lineCounter;
        ++written;
        first = false;
      }
    }
    return BatchResult::More;
  };
  return RunListPass(caption, caption, "~KorDUPLS.TMP", Positive(highest - 1) * 8, prepare, batch,
                     [&state] { return static_cast<int>(state.pageEntries.size()); });
}

// ---------------------------------------------------- Sorted by RIN (102)

int PaginateSortedRINList(std::int32_t first, std::int32_t last, int lines) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  ListParams().first = first;
  ListParams().last = last;
  const std::int64_t live = DbGetActiveRecordCount(db::kIndividual);
  const std::string caption = res::LoadString(res::kIdsSortedRinList);
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(), caption);
  auto walk = std::make_shared<WalkState>();
  walk->current = first - 1;
  auto batch = [=]() -> BatchResult {
    for (int n = 0; n < kRecordsPerBatch; ++n) {
      const std::int32_t rin = NextIndividual(walk->current);
      if (rin == 0 || rin > last) {
        writer->Finish();
        return BatchResult::Done;
      }
      walk->current = rin;
      if (!writer->Write(rin)) return BatchResult::DiskFull;
      if (lines > 0 && writer->Written() % static_cast<std::uint32_t>(lines) == 0)
        CurrentPaginatorWindow().SetNumber(static_cast<int>(writer->Written()) / lines + 1);
    }
    return BatchResult::More;
  };
  return RunListPass(caption, caption, "~KorDUPLS.TMP",
                     Positive(std::min<std::int64_t>(live, std::int64_t{last} - first + 1)) * 4,
                     nullptr, batch, [&state] { return static_cast<int>(state.recordCounter); });
}

// ---------------------------------------------------- Alphabetical (103)

int PaginateAlphaList(const std::string& startName, const std::string& endName, int lines) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  ListParams().startName = startName;
  ListParams().endName = endName;
  const std::string caption = res::LoadString(res::kIdsAlphaList);
  const std::int64_t live = DbGetActiveRecordCount(db::kIndividual);
  std::int32_t firstPos = DbGetRIN(startName, db::kQueryNameText, db::kWalkNextOrSame);
  std::int32_t lastPos = 0;
  if (endName.empty()) {
    lastPos = static_cast<std::int32_t>(live);
  } else {
    lastPos = DbGetRIN(endName, db::kQueryNameText, db::kWalkPreviousOrSame);
  }
  if (startName.empty()) firstPos = live > 0 ? 1 : 0;
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(), caption);
  auto walk = std::make_shared<WalkState>();
  walk->current = firstPos;
  auto batch = [=]() -> BatchResult {
    for (int n = 0; n < kRecordsPerBatch; ++n) {
      if (firstPos <= 0 || walk->current > lastPos) {
        writer->Finish();
        return BatchResult::Done;
      }
      CAlphaNameRecord entry;
      const std::int32_t position = walk->current++;
      if (DbGetRecord(position, db::kAlphaName, &entry) != 1 || entry.rin <= 0) continue;
      if (!writer->Write(entry.rin)) return BatchResult::DiskFull;
    }
    return BatchResult::More;
  };
  const std::int64_t span = lastPos >= firstPos ? std::int64_t{lastPos} - firstPos + 1 : 0;
  return RunListPass(caption, caption, "~KorDUPLS.TMP",
                     Positive(std::min<std::int64_t>(live, span)) * 4, nullptr, batch,
                     [&state] { return static_cast<int>(state.recordCounter); });
}

// ---------------------------------------------------------- Marriages (104)

int PaginateMarriageList(int sortOrder, std::int32_t first, std::int32_t last,
                         const std::string& startName, const std::string& endName, int lines) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  ListParams().mode = sortOrder;
  ListParams().startName = startName;
  ListParams().endName = endName;
  const std::string caption = res::LoadString(res::kIdsMarriageList);
  const bool byName = sortOrder == 1 || sortOrder == 2;
  const std::int32_t from = byName ? 1 : first;
  const std::int32_t to = byName ? DbGetMaxRecordCount(db::kMarriage) : last;
  const std::int64_t live = DbGetActiveRecordCount(db::kMarriage);
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(), caption);
  auto walk = std::make_shared<WalkState>();
  walk->current = from - 1;
  auto inRange = [startName, endName](const std::string& key) {
    if (!startName.empty()) {
      const std::size_t n = std::min<std::size_t>(startName.size(), 16);
      if (CompareTextPrefixNoCase(key, startName, n) < 0) return false;
    }
    if (!endName.empty()) {
      const std::size_t n = std::min<std::size_t>(endName.size(), 16);
      if (CompareTextPrefixNoCase(key, endName, n) > 0) return false;
    }
    return true;
  };
  auto batch = [=]() -> BatchResult {
    for (int n = 0; n < kRecordsPerBatch; ++n) {
      const std::int32_t mrin = NextMarriage(walk->current);
      if (mrin == 0 || mrin > to) {
        if (!writer->FlushSort()) return BatchResult::DiskFull;
        writer->Finish();
        return BatchResult::Done;
      }
      walk->current = mrin;
      if (!byName) {
        if (!writer->Write(mrin)) return BatchResult::DiskFull;
        continue;
      }
      CMarriageRecord marriage;
      if (family::Read(marriage, mrin) != 1) continue;
      const std::int32_t spouse = sortOrder == 1 ? marriage.husband : marriage.wife;
      std::uint8_t sortRecord[kListSortRecordSize];
      std::memset(sortRecord, ' ', sizeof sortRecord);
      CIndividualRecord person;
      if (spouse > 0 && family::Read(person, spouse) == 1)
        BuildNameSortKey(person, mrin, sortRecord);
      else
        PutInt32LE(std::span<std::uint8_t>(sortRecord, kListSortRecordSize), 0, mrin);
      if (!inRange(NameKeyOf(sortRecord))) continue;
      if (!writer->Select(sortRecord)) return BatchResult::DiskFull;
    }
    return BatchResult::More;
  };
  const std::int64_t span = std::int64_t{to} - from + 1;
  return RunListPass(
      caption, caption, "~KorDUPLS.TMP", Positive(std::min<std::int64_t>(live, span)) * 4,
      [=] {
        if (byName) writer->OpenSort();
        return BatchResult::Done;
      },
      batch, [&state] { return static_cast<int>(state.recordCounter); });
}

// -------------------------------------------------------- End of line (106)

int PaginateEndOfLineList(int mode, std::int32_t startRin, int lines) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  ListParams().mode = mode;
  ListParams().first = startRin;
  const std::string caption = res::LoadString(res::kIdsEndOfLineList);
  const std::int32_t highest = DbGetMaxRecordCount(db::kIndividual);
  const std::int64_t live = DbGetActiveRecordCount(db::kIndividual);
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(), caption);
  auto walk = std::make_shared<WalkState>();
  auto queue = std::make_shared<std::deque<std::int32_t>>();

  auto addIfEnd = [writer](const CIndividualRecord& record, std::int32_t rin) {
    std::uint8_t sortRecord[kListSortRecordSize];
    BuildNameSortKey(record, rin, sortRecord);
    return writer->Select(sortRecord);
  };
  // The ancestors: every queued RIN has its slot (RIN x 4) set, so nobody
  // is queued twice; the sorted list then overwrites the slots from 0.
  auto slotOf = [&state](std::int32_t rin) {
    std::array<std::uint8_t, 4> bytes{};
    state.workFile.ReadRecord(static_cast<std::uint64_t>(rin), bytes);
    return GetInt32LE(bytes, 0);
  };
  auto setSlot = [&state](std::uint64_t index, std::int32_t value) {
    std::array<std::uint8_t, 4> bytes{};
    PutInt32LE(bytes, 0, value);
    return state.workFile.WriteRecord(index, bytes);
  };
  auto prepare = [=, &state]() -> BatchResult {
    writer->OpenSort();
    if (mode != 1) return BatchResult::Done;
    if (!state.workFile.ZeroFill(static_cast<std::uint64_t>(highest / 50 + 1), 200))
      return BatchResult::DiskFull;
    if (startRin <= 0 || startRin > highest) return BatchResult::Done;
    queue->push_back(startRin);
    if (!setSlot(0, startRin) || !setSlot(static_cast<std::uint64_t>(startRin), startRin))
      return BatchResult::DiskFull;
    return BatchResult::Done;
  };
  auto finish = [=]() -> BatchResult {
    if (!writer->FlushSort()) return BatchResult::DiskFull;
    writer->Finish();
    return BatchResult::Done;
  };
  auto batch = [=]() -> BatchResult {
    if (mode == 1) {
      if (queue->empty()) return finish();
      const std::int32_t rin = queue->front();
      queue->pop_front();
      CIndividualRecord record;
      if (family::Read(record, rin) != 1) return BatchResult::More;
      CMarriageRecord parents;
      const std::int32_t mrin = record.numbers[CIndividualRecord::kParentsMrin];
      if (mrin > 0 && family::Read(parents, mrin) == 1 &&
          (parents.husband != 0 || parents.wife != 0)) {
        for (const std::int32_t parent : {parents.husband, parents.wife}) {
          if (parent <= 0 || parent > highest || slotOf(parent) != 0) continue;
          if (!setSlot(static_cast<std::uint64_t>(parent), parent)) return BatchResult::DiskFull;
          queue->push_back(parent);
        }
      } else if (!addIfEnd(record, rin)) {
        return BatchResult::DiskFull;
      }
      return BatchResult::More;
    }
    for (int n = 0; n < kRecordsPerBatch; ++n) {
      const std::int32_t rin = NextIndividual(walk->current);
      if (rin == 0) return finish();
      walk->current = rin;
      CIndividualRecord record;
      if (family::Read(record, rin) != 1 || IsEndOfLine(record) == 0) continue;
      if (!addIfEnd(record, rin)) return BatchResult::DiskFull;
    }
    return BatchResult::More;
  };
  const std::uint64_t needed =
      mode == 1 ? Positive(highest + 51) * 4 : Positive(live) * 2 + kListSortRecordSize;
  return RunListPass(caption, caption, "~KorDUPLS.TMP", needed, prepare, batch,
                     [&state] { return static_cast<int>(state.recordCounter); });
}

// ----------------------------------------------- Incomplete ordinances (112)

namespace {

// The choices the two ordinance lists share. The field filter and the
// custom report count ordinances as this run did.
ListPaginationParams& SetOrdinanceListParams(int startYear, int endYear, int deceasedOnly,
                                             int includeSubmitted, int includeCompleted,
                                             int templeStatus) {
  ListPaginationParams& p = ListParams();
  p.startYear = static_cast<std::int16_t>(startYear);
  p.endYear = static_cast<std::int16_t>(endYear);
  p.deceasedOnly = static_cast<std::int16_t>(deceasedOnly);
  p.includeSubmitted = static_cast<std::int16_t>(includeSubmitted);
  p.includeCompleted = static_cast<std::int16_t>(includeCompleted);
  GetIncompleteOrdinanceOptions() = {includeSubmitted != 0, includeCompleted != 0};
  p.templeStatus = static_cast<std::int16_t>(templeStatus);
  return p;
}

}  // namespace

int PaginateIncompleteOrdinances(int lines, int startYear, int endYear,
                                 const std::string& startName, const std::string& endName,
                                 int deceasedOnly, int includeEndOfLine, int includeSubmitted,
                                 int includeCompleted, int templeStatus) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  ListPaginationParams& p = SetOrdinanceListParams(
      startYear, endYear, deceasedOnly, includeSubmitted, includeCompleted, templeStatus);
  p.startName = startName;
  p.endName = endName;
  p.includeEndOfLine = static_cast<std::int16_t>(includeEndOfLine);
  const std::string caption = res::LoadString(res::kIdsIncompleteOrdinances);
  const std::int32_t highest = DbGetMaxRecordCount(db::kIndividual);
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(), caption);
  auto walk = std::make_shared<WalkState>();

  auto qualifies = [](const CIndividualRecord& record, std::int32_t rin) {
    const ListPaginationParams& p = ListParams();
    int year = EventYear(record.birth);
    if (year == 0) year = EventYear(record.christening);
    if (OutsideYears(year)) return false;
    std::uint8_t sortRecord[kListSortRecordSize];
    BuildNameSortKey(record, rin, sortRecord);
    const std::string key = NameKeyOf(sortRecord);
    if (!p.startName.empty() &&
        CompareTextPrefixNoCase(p.startName, key, std::min<std::size_t>(p.startName.size(), 16)) >
            0)
      return false;
    if (!p.endName.empty() &&
        CompareTextPrefixNoCase(p.endName, key, std::min<std::size_t>(p.endName.size(), 16)) < 0)
      return false;
    if (p.deceasedOnly != 0 && !IsPresumedDeceased(record)) return false;
    const COrdinanceValue* ordinances[3] = {&record.baptism, &record.endowment,
                                            &record.sealingToParents};
    bool needed = false;
    for (int kind = 0; kind < 3 && !needed; ++kind) {
      if (NeedsOrdinance(ordinances[kind]) == 0) continue;
      if (p.templeStatus == 2) {
        needed = true;
        break;
      }
      int reason = 0;
      const std::int32_t mrin =
          kind == 2 ? record.numbers[CIndividualRecord::kParentsMrin] : std::int32_t{0};
      const int status = GetZelStatus(rin, mrin, kind, reason);
      needed = p.templeStatus == 0 ? status == kZelQualified : status == kZelNotQualified;
    }
    if (!needed) return false;
    if (p.includeEndOfLine == 0 && IsEndOfLine(record) != 0) return false;
    return true;
  };
  auto batch = [=]() -> BatchResult {
    for (int examined = 0; examined < kExaminedPerBatch; ++examined) {
      const std::int32_t rin = NextIndividual(walk->current);
      if (rin == 0) {
        if (!writer->FlushSort()) return BatchResult::DiskFull;
        writer->Finish();
        return BatchResult::Done;
      }
      walk->current = rin;
      CIndividualRecord record;
      if (family::Read(record, rin) != 1 || !qualifies(record, rin)) continue;
      std::uint8_t sortRecord[kListSortRecordSize];
      BuildNameSortKey(record, rin, sortRecord);
      writer->CountLine();
      if (!writer->Select(sortRecord)) return BatchResult::DiskFull;
    }
    return BatchResult::More;
  };
  return RunListPass(
      caption, caption, "~KorUNLNK.TMP", Positive(highest) * 4,
      [=] {
        writer->Lines() = lines + 1;
        writer->OpenSort();
        return BatchResult::Done;
      },
      batch, [&state] { return static_cast<int>(state.pageEntries.size()); });
}

// -------------------------------------------------- Missing sealings (113)

int PaginateMissingSealings(int lines, int startYear, int endYear, std::int32_t firstMrin,
                            std::int32_t lastMrin, int deceasedOnly, int includeSubmitted,
                            int includeCompleted, int templeStatus) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  ListPaginationParams& p = SetOrdinanceListParams(
      startYear, endYear, deceasedOnly, includeSubmitted, includeCompleted, templeStatus);
  p.first = firstMrin;
  p.last = lastMrin;
  const std::string caption = res::LoadString(res::kIdsMissingSealings);
  const std::int32_t highest = DbGetMaxRecordCount(db::kMarriage);
  const std::int32_t last = lastMrin <= 0 ? highest : std::min(lastMrin, highest);
  auto writer = std::make_shared<ListWriter>(state, CurrentPaginatorWindow(), caption);
  auto walk = std::make_shared<WalkState>();
  walk->current = std::max(firstMrin, 1) - 1;

  auto qualifies = [](const CMarriageRecord& marriage) {
    const ListPaginationParams& p = ListParams();
    if (OutsideYears(EventYear(marriage.marriage))) return false;
    const CDateValue& sealing = marriage.sealingToSpouse.date;
    switch (CDateValue::GetOrdinanceState(&sealing, 'S')) {
      case CDateValue::kOrdinanceNotToBeDone:
        return false;
      case CDateValue::kOrdinanceDone:
        if (!IsCompletedStatus(sealing) || p.includeCompleted == 0) return false;
        break;
      case CDateValue::kOrdinanceClearedOrSubmitted:
        if (p.includeSubmitted == 0) return false;
        break;
      default:
        break;
    }
    if (p.templeStatus != 2) {
      const std::int32_t asked = marriage.husband != 0 ? marriage.husband : marriage.wife;
      if (asked == 0) return false;
      int reason = 0;
      const int status =
          GetZelStatus(asked, static_cast<std::int32_t>(marriage.GetRecordNumber()), 3, reason);
      if (p.templeStatus == 0 ? status != kZelQualified : status < kZelNotQualified) return false;
    }
    if (p.deceasedOnly != 0) {
      for (const std::int32_t spouse : {marriage.husband, marriage.wife}) {
        if (spouse == 0) continue;
        CIndividualRecord person;
        if (family::Read(person, spouse) != 1 || !IsPresumedDeceased(person)) return false;
      }
    }
    return true;
  };
  auto batch = [=]() -> BatchResult {
    for (int examined = 0; examined < kExaminedPerBatch; ++examined) {
      const std::int32_t mrin = NextMarriage(walk->current);
      if (mrin == 0 || mrin > last) {
        writer->Finish();
        return BatchResult::Done;
      }
      walk->current = mrin;
      CMarriageRecord marriage;
      if (family::Read(marriage, mrin) != 1 || !qualifies(marriage)) continue;
      writer->CountLine();
      if (!writer->Write(mrin)) return BatchResult::DiskFull;
    }
    return BatchResult::More;
  };
  return RunListPass(
      caption, kSealingsFileName, "~KorUNLNK.TMP", Positive(highest) * 4,
      [=] {
        writer->Lines() = lines + 1;
        return BatchResult::Done;
      },
      batch, [&state] { return static_cast<int>(state.pageEntries.size()); });
}

}  // namespace rpt
