// Sorts 1,000,000 objects of 40 bytes through CObjectSorter (runs of 1000),
// 1,000,000 records of 58 bytes through the disk sort, and makes 1,000,000
// inserts and finds in a B+tree index (2048-byte pages, 4-byte keys and
// values). Each runs in a child process of its own, so that the peak memory
// printed is that piece's alone. With an argument (objects, disk, btree) only
// that piece runs.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "BTreeIndex.h"
#include "DiskSort.h"
#include "FileSystem.h"
#include "ObjectSorter.h"
#include "PersistentFile.h"

namespace {

constexpr int kCount = 1000000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A pseudo-random permutation of 0 .. 2^32-1, so keys are unique and need no table.
std::uint32_t Scramble(std::uint32_t i) {
  i ^= i >> 16;
  i *= 0x7feb352dU;
  i ^= i >> 15;
  i *= 0x846ca68bU;
  i ^= i >> 16;
  return i;
}

// A list-report row: a key and a 32-character text (a dword length and the
// characters), 40 bytes in all.
class BenchRow : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(BenchRow)

 public:
  int Compare(const CPersistentObject* other) const override {
    const auto* o = static_cast<const BenchRow*>(other);
    if (key != o->key) return key < o->key ? -1 : 1;
    return 1;  // as the report rows do: never 0
  }
  void Store(CPersistentFile* file) const override {
    file->WriteDword(key);
    file->WriteString(text);
  }
  void Load(CPersistentFile* file) override {
    key = file->ReadDword();
    file->ReadString(text);
  }
  std::uint32_t key = 0;
  std::string text;
};
KOR_IMPLEMENT_DYNCREATE(BenchRow, 1)

int BenchObjects() {
  auto start = std::chrono::steady_clock::now();
  CObjectSorter sorter(1000);
  for (int i = 0; i < kCount; ++i) {
    auto row = std::make_unique<BenchRow>();
    row->key = Scramble(static_cast<std::uint32_t>(i)) % 500000;
    char text[40];
    std::snprintf(text, sizeof text, "Row %08d of the bench, some text", i);
    row->text.assign(text, 32);
    sorter.Add(std::move(row));
  }
  double added = Seconds(start);
  if (sorter.Sort() != 1) return 1;
  double sorted = Seconds(start);
  int n = 0;
  std::uint32_t last = 0;
  for (auto o = sorter.ReadAt(-1); o; o = sorter.GetNext(), ++n) {
    auto* row = static_cast<BenchRow*>(o.get());
    if (row->key < last) return 2;
    last = row->key;
  }
  if (n != kCount) return 3;
  std::printf(
      "object sort: %d objects of 40 bytes, add %.2f s, merge %.2f s, total with read %.2f s\n",
      kCount, added, sorted - added, Seconds(start));
  return 0;
}

// An index record of 58 bytes: a name key of 24 characters, then fields.
struct IndexRecord {
  char name[24];
  char fields[34];
};
static_assert(sizeof(IndexRecord) == 58);

int ByName(const void* a, const void* b) {
  int c = std::memcmp(static_cast<const IndexRecord*>(a)->name,
                      static_cast<const IndexRecord*>(b)->name, 24);
  return c != 0 ? c : 1;  // as the report indexes do: never 0
}

int BenchDisk(bool distribution) {
  auto start = std::chrono::steady_clock::now();
  CDiskSort sort;
  int capacity = sort.Open(sizeof(IndexRecord), distribution, ByName);
  if (capacity < 0) return 1;
  IndexRecord rec{};
  for (int i = 0; i < kCount; ++i) {
    std::uint32_t r = Scramble(static_cast<std::uint32_t>(i));
    for (int k = 0; k < 8; ++k) rec.name[k] = static_cast<char>('A' + (r >> (k * 4)) % 26);
    std::snprintf(rec.fields, sizeof rec.fields, "%d", i);
    std::uint32_t hint =
        distribution ? SortKeyPosition(static_cast<std::uint32_t>(capacity), 0, rec.name) : 0;
    if (sort.Add(&rec, hint) != 1) return 2;
  }
  double added = Seconds(start);
  int n = 0;
  IndexRecord last{};
  for (const void* p = sort.Next(); p; p = sort.Next(), ++n) {
    if (n > 0 && std::memcmp(last.name, static_cast<const IndexRecord*>(p)->name, 24) > 0) return 3;
    std::memcpy(&last, p, sizeof last);
  }
  if (n != kCount || sort.Failed()) return 4;
  std::printf(
      "disk sort%s: %d records of 58 bytes, add %.2f s, total %.2f s (%d runs, %d on disk)\n",
      distribution ? " (distribution)" : "", kCount, added, Seconds(start), sort.RunCount(),
      sort.DiskRunCount());
  return 0;
}

int BenchBTree() {
  const std::string path = plat::TempFolder() + "korvane-btree-bench.idx";
  auto start = std::chrono::steady_clock::now();
  CBTreeIndex index;
  if (!index.Create(path, 2048, 4, 4)) return 1;
  auto keyOf = [](std::uint32_t i, std::uint8_t* key) {
    std::uint32_t k = Scramble(i);
    for (int b = 0; b < 4; ++b) key[b] = static_cast<std::uint8_t>(k >> (24 - 8 * b));
  };
  std::uint8_t key[4];
  for (std::uint32_t i = 0; i < kCount; ++i) {
    keyOf(i, key);
    if (index.Insert(key, &i) != 1) return 2;
  }
  double inserted = Seconds(start);
  for (std::uint32_t i = 0; i < kCount; ++i) {
    keyOf((i * 7919u) % kCount, key);
    std::uint32_t value = 0;
    if (!index.Find(key, &value) || value != (i * 7919u) % kCount) return 3;
  }
  double found = Seconds(start);
  std::uint32_t pages = index.PageCount();
  index.Close();
  plat::DeleteFile(path);
  std::printf("b+tree: %d random inserts %.2f s, %d finds %.2f s, %u pages of 2048 bytes\n", kCount,
              inserted, kCount, found - inserted, pages);
  return 0;
}

int Run(const std::string& piece) {
  if (piece == "btree") return BenchBTree();
  if (piece == "objects") return BenchObjects();
  if (piece == "disk") return BenchDisk(false);
  if (piece == "distribution") return BenchDisk(true);
  return 9;
}

}  // namespace

int main(int argc, char** argv) {
  const char* pieces[] = {"objects", "disk", "distribution", "btree"};
  for (const char* piece : pieces) {
    if (argc > 1 && piece != std::string(argv[1])) continue;
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
      int code = Run(piece);
      std::fflush(stdout);
      _exit(code);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::printf("  %s: peak memory %.1f MB%s\n", piece, usage.ru_maxrss / 1024.0,
                code == 0 ? "" : " (FAILED)");
  }
  return 0;
}
