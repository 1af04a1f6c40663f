// Writes a family file of 100,000 individuals and 40,000 marriages record by
// record through the engine, reopens it and reads every record back; then
// inserts 100,000 individuals into the name tree in random and in sorted name
// order and walks both orders. First of all it builds the same family
// through the record calls (individuals with names, a birth and notes
// fields; marriages with spouses and children), reopens it and walks every
// individual in name order. Prints the times and peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numeric>
#include <random>
#include <string>

#include "AlphaNameRecord.h"
#include "Clock.h"
#include "DbCodes.h"
#include "FileSystem.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ORV3.h"

namespace {

constexpr int kIndividuals = 100000;
constexpr int kMarriages = 40000;
constexpr int kUnbatched = 1000;

// Removes a family file the bench wrote; with KORVANE_BENCH_KEEP naming a
// folder, moves it there as label.orv instead, so that the bytes the engine
// writes can be compared between builds.
void Finish(const std::string& path, const std::string& label) {
  if (const char* keep = std::getenv("KORVANE_BENCH_KEEP")) {
    std::error_code ec;
    std::filesystem::rename(path, std::filesystem::path(keep) / (label + ".orv"), ec);
    if (!ec) return;
  }
  plat::DeleteFile(path);
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void FillIndividual(std::int32_t r, std::uint8_t* rec) {
  orv::IndividualRec p;
  p.Decode(rec);
  p.sex = (r & 1) ? 'M' : 'F';
  p.names[0] = r * 16;
  p.birth.date.bytes = {static_cast<std::uint8_t>(r), 0x3A, 0x40, 0x50, 0, 0};
  p.created = 1700000000 + r;
  p.updated = p.created;
  p.Encode(rec);
}

void FillMarriage(std::int32_t r, std::uint8_t* rec) {
  orv::MarriageRec m;
  m.Decode(rec);
  m.husband = 2 * r - 1;
  m.wife = 2 * r;
  m.Encode(rec);
}

// A fixed-width name whose byte order is its collation order: a capital
// and lower-case letters spelling n in base 20.
std::string NameOf(int n, int width) {
  std::string s(static_cast<std::size_t>(width), 'a');
  for (int i = width - 1; i >= 0; --i, n /= 20)
    s[static_cast<std::size_t>(i)] = static_cast<char>('a' + n % 20);
  s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

struct TreeFigures {
  double insertSeconds = 0, alphaWalkSeconds = 0, numberWalkSeconds = 0;
  std::size_t alphaCount = 0, numberCount = 0;
  bool ordered = false;
};

// Creates individuals with the names of `order` (indexes into the sorted
// name list) in that order, as an import would, inserting each into the name
// tree; then walks the tree in name order and the records in number order.
bool NameTreeRun(const std::string& path, const char* label, const std::vector<int>& order,
                 TreeFigures& out) {
  constexpr int kSurnames = 5000;
  constexpr int kGivens = 20;
  auto host = std::make_unique<EngineHost>();
  if (host->file.Create(path) != 0) return false;
  auto engine = std::make_unique<ORV3>(host.get());
  engine->Create(path);
  engine->Blocks().BeginBatch();
  // The name store is filled in a shuffled order, so that its own
  // (unbalanced) tree does not become a list.
  std::vector<std::int32_t> surnameRef(kSurnames), givenRef(kGivens);
  std::vector<int> fill(kSurnames);
  std::iota(fill.begin(), fill.end(), 0);
  std::shuffle(fill.begin(), fill.end(), std::mt19937(7));
  for (int i : fill) surnameRef[i] = engine->Strings().FindOrAddString(NameOf(i, 4), 0);
  for (int g = 0; g < kGivens; ++g)
    givenRef[g] = engine->Strings().FindOrAddString(NameOf(g, 3), 0);

  auto start = std::chrono::steady_clock::now();
  std::vector<std::int32_t> rinOfName(order.size());
  for (int name : order) {
    const std::int32_t rin = engine->Records().NewRecord(
        orv::RecordKind::Individual, false, [&](std::int32_t, std::uint8_t* rec) {
          orv::PutI32(rec + 1, surnameRef[name / kGivens]);
          orv::PutI32(rec + 5, givenRef[name % kGivens]);
        });
    if (rin == 0 || !engine->Trees().InsertInTree(orv::RecordKind::Individual, rin)) return false;
    rinOfName[name] = rin;
  }
  if (!engine->Blocks().EndBatch()) return false;
  out.insertSeconds = Seconds(start);

  start = std::chrono::steady_clock::now();
  const std::vector<std::int32_t> alpha = engine->Trees().TreeInOrder(orv::RecordKind::Individual);
  out.alphaWalkSeconds = Seconds(start);
  out.alphaCount = alpha.size();
  out.ordered = alpha == rinOfName;

  start = std::chrono::steady_clock::now();
  out.numberCount = 0;
  for (std::int32_t r =
           engine->Trees().WalkByNumber(orv::RecordKind::Individual, 0, db::kWalkNextOrSame);
       r != 0; r = engine->Trees().WalkByNumber(orv::RecordKind::Individual, r, db::kWalkNext))
    ++out.numberCount;
  out.numberWalkSeconds = Seconds(start);
  engine.reset();
  host.reset();
  Finish(path, std::string("name-tree-") + label);
  return true;
}

// The family through the record calls: AddRecord of individuals and of
// marriages naming their spouses, children through the relation call.
// Marriage i joins individuals 2i-1 and 2i; the husband of marriage i is a
// child of marriage i/2, and individual 80000+i a child of marriage i.
bool RecordCallRun(const std::string& path) {
  auto host = std::make_unique<EngineHost>();
  if (host->file.Create(path) != 0) return false;
  auto engine = std::make_unique<ORV3>(host.get());
  engine->Create(path);
  std::vector<int> surnames(5000);
  std::iota(surnames.begin(), surnames.end(), 0);
  std::shuffle(surnames.begin(), surnames.end(), std::mt19937(3));

  auto start = std::chrono::steady_clock::now();
  engine->Blocks().BeginBatch();
  CIndividualRecord person;
  for (int i = 1; i <= kIndividuals; ++i) {
    person.Clear();
    person.surname = NameOf(surnames[static_cast<std::size_t>(i) % surnames.size()], 4);
    person.givenNames[0] = NameOf(i % 97, 3);
    person.sex = (i & 1) ? 'M' : 'F';
    person.birth.date.year = static_cast<std::uint16_t>(1800 + i % 200);
    person.birth.place[0] = NameOf(i % 300, 5);
    if (engine->Calls().AddRecord(db::kIndividual, false, &person) != i) return false;
  }
  const double individualSeconds = Seconds(start);
  std::printf("record calls: %d individuals added: %.3f s, peak %ld KB\n", kIndividuals,
              individualSeconds, PeakKilobytes());

  start = std::chrono::steady_clock::now();
  long children = 0;
  CMarriageRecord marriage;
  for (int i = 1; i <= kMarriages; ++i) {
    marriage.Clear();
    marriage.husband = 2 * i - 1;
    marriage.wife = 2 * i;
    marriage.marriage.date.year = static_cast<std::uint16_t>(1820 + i % 180);
    if (engine->Calls().AddRecord(db::kMarriage, false, &marriage) != i) return false;
    if (i >= 2) {
      if (engine->Families().DLLSETORV3RELATION(2 * i - 1, 0, db::kRelParents, i / 2) <= 0)
        return false;
      ++children;
    }
    if (2 * kMarriages + i <= kIndividuals) {
      if (engine->Families().DLLSETORV3RELATION(2 * kMarriages + i, 0, db::kRelParents, i) <= 0)
        return false;
      ++children;
    }
  }
  if (!engine->Blocks().EndBatch()) return false;
  std::printf("record calls: %d marriages with %ld children: %.3f s, peak %ld KB\n", kMarriages,
              children, Seconds(start), PeakKilobytes());
  engine.reset();
  host.reset();

  start = std::chrono::steady_clock::now();
  host = std::make_unique<EngineHost>();
  host->path = path;
  if (host->file.Open(path, plat::FileHandle::Access::ReadWrite) != 0) return false;
  engine = std::make_unique<ORV3>(host.get());
  if (engine->Open(false) != 1) return false;
  const double openSeconds = Seconds(start);
  std::printf("record calls: open %.4f s (%s a second), peak %ld KB\n", openSeconds,
              openSeconds < 1.0 ? "under" : "NOT under", PeakKilobytes());

  start = std::chrono::steady_clock::now();
  CAlphaNameRecord entry;
  long walked = 0, outOfOrder = 0;
  std::string last;
  for (std::int32_t pos = engine->Calls().GetRIN(0, db::kQueryNamePositions, db::kWalkNextOrSame);
       pos != 0; pos = engine->Calls().GetRIN(pos, db::kQueryNamePositions, db::kWalkNext)) {
    if (engine->Calls().O3_GetRecord(pos, db::kAlphaName, &entry, 0, db::kWalkExact) != 1)
      return false;
    const std::string key = entry.surname + "," + entry.givenNames[0];
    if (key < last) ++outOfOrder;
    last = key;
    ++walked;
  }
  std::printf(
      "record calls: walk in name order %.3f s (%ld individuals, %ld out of order), "
      "peak %ld KB\n",
      Seconds(start), walked, outOfOrder, PeakKilobytes());
  engine.reset();
  host.reset();
  Finish(path, "record-calls");
  plat::DeleteFile(AlphaIndexFile::PathFor(path, 'a'));
  return walked == kIndividuals && outOfOrder == 0 && openSeconds < 1.0;
}

}  // namespace

int main(int argc, char** argv) {
  // One file name per run, so that runs side by side do not share a file.
  const std::string path =
      argc > 1 ? argv[1]
               : plat::TempFolder() + "korvane-engine-bench-" + std::to_string(getpid()) + ".orv";
  // Kept files are compared byte for byte between builds: stamp a fixed time.
  if (std::getenv("KORVANE_BENCH_KEEP")) plat::SetFixedTime(1700000000);
  const bool recordCallsOk = RecordCallRun(path);
  if (!recordCallsOk) std::printf("record calls: FAILED\n");
  auto host = std::make_unique<EngineHost>();
  if (host->file.Create(path) != 0) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return 1;
  }
  auto engine = std::make_unique<ORV3>(host.get());
  engine->Create(path);

  auto start = std::chrono::steady_clock::now();
  engine->Blocks().BeginBatch();
  for (int i = 1; i <= kIndividuals; ++i)
    if (engine->Records().NewRecord(orv::RecordKind::Individual, false, FillIndividual) != i)
      return 2;
  for (int i = 1; i <= kMarriages; ++i)
    if (engine->Records().NewRecord(orv::RecordKind::Marriage, false, FillMarriage) != i) return 2;
  if (!engine->Blocks().EndBatch()) return 2;
  const double writeSeconds = Seconds(start);

  // Outside batch mode every new record flushes the file to disk.
  start = std::chrono::steady_clock::now();
  for (int i = 1; i <= kUnbatched; ++i)
    if (engine->Records().NewRecord(orv::RecordKind::Marriage, false, FillMarriage) !=
        kMarriages + i)
      return 2;
  const double unbatchedSeconds = Seconds(start);

  engine.reset();
  host->file.Close();
  const long long size = plat::FileSize(path);

  start = std::chrono::steady_clock::now();
  host = std::make_unique<EngineHost>();
  if (host->file.Open(path, plat::FileHandle::Access::ReadWrite) != 0) return 3;
  engine = std::make_unique<ORV3>(host.get());
  if (engine->OpenStructures() != 1) return 3;
  const double openSeconds = Seconds(start);

  start = std::chrono::steady_clock::now();
  long bad = 0;
  for (int i = 1; i <= kIndividuals; ++i) {
    orv::IndividualRec p;
    if (!engine->Records().Read(i, p) || p.names[0] != i * 16 || p.created != 1700000000 + i) ++bad;
  }
  for (int i = 1; i <= kMarriages; ++i) {
    orv::MarriageRec m;
    if (!engine->Records().Read(i, m) || m.husband != 2 * i - 1 || m.wife != 2 * i) ++bad;
  }
  const double readSeconds = Seconds(start);
  engine.reset();
  host.reset();
  Finish(path, "records");

  const double records = kIndividuals + kMarriages;
  std::printf("family file: %d individuals, %d marriages, %lld bytes\n", kIndividuals, kMarriages,
              size);
  std::printf("write (batch mode): %.3f s, %.0f records/s\n", writeSeconds, records / writeSeconds);
  std::printf("write (no batch, flush per record): %d records, %.3f s, %.0f records/s\n",
              kUnbatched, unbatchedSeconds, kUnbatched / unbatchedSeconds);
  std::printf("open: %.4f s\n", openSeconds);
  std::printf("read back: %.3f s, %.0f records/s, %ld mismatches\n", readSeconds,
              records / readSeconds, bad);

  std::vector<int> sorted(kIndividuals);
  std::iota(sorted.begin(), sorted.end(), 0);
  std::vector<int> shuffled = sorted;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(42));
  bool treesOk = true;
  for (const auto& [label, order] :
       {std::pair<const char*, const std::vector<int>*>{"random", &shuffled},
        std::pair<const char*, const std::vector<int>*>{"sorted", &sorted}}) {
    TreeFigures f;
    if (!NameTreeRun(path, label, *order, f)) {
      std::printf("name tree (%s order): failed\n", label);
      treesOk = false;
      continue;
    }
    treesOk = treesOk && f.ordered && f.alphaCount == static_cast<std::size_t>(kIndividuals) &&
              f.numberCount == static_cast<std::size_t>(kIndividuals);
    std::printf(
        "name tree, %d individuals in %s name order: insert %.3f s; walk in name order "
        "%.3f s (%zu, %s); walk in number order %.3f s (%zu)\n",
        kIndividuals, label, f.insertSeconds, f.alphaWalkSeconds, f.alphaCount,
        f.ordered ? "in order" : "OUT OF ORDER", f.numberWalkSeconds, f.numberCount);
  }
  std::printf("peak memory: %ld KB\n", PeakKilobytes());
  return bad == 0 && treesOk && recordCallsOk ? 0 : 4;
}
