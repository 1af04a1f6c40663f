// A full pedigree of 16 generations (65,535 people, person n the child of
// 2n and 2n + 1) paginated as cascading 4-generation charts with an index,
// then the index sorted, every page drawn to the recording device and the
// index read through. Prints the time of each step; the
// whole should stay well under 5 s.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "PedigreeChartGenerator.h"
#include "PedigreePagination.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "TempDir.h"

namespace {

constexpr int kGenerations = 16;
constexpr int kPeople = (1 << kGenerations) - 1;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

bool Build(const std::string& path, std::vector<std::int32_t>& rins) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  rins.assign(kPeople + 1, 0);
  CIndividualRecord person;
  for (int n = 1; n <= kPeople; ++n) {
    person.Clear();
    // Scrambled surnames so that the index sort has work to do.
    const unsigned v = (static_cast<unsigned>(n) * 2654435761u) % 17576u;
    person.surname = std::string(1, static_cast<char>('A' + v % 26)) +
                     static_cast<char>('a' + (v / 26) % 26) +
                     static_cast<char>('a' + (v / 676) % 26) + "sen";
    person.givenNames[0] = "P" + std::to_string(n);
    person.sex = n % 2 == 0 || n == 1 ? 'M' : 'F';
    rins[n] = static_cast<std::int32_t>(family::Add(person, 0));
    if (rins[n] <= 0) return false;
  }
  for (int n = 1; 2 * n + 1 <= kPeople; ++n) {
    const std::int32_t mrin = DbSetRelation(rins[2 * n], rins[2 * n + 1], db::kRelHusband, 0);
    if (mrin <= 0 || DbSetRelation(rins[n], 0, db::kRelParents, mrin) <= 0) return false;
  }
  return DbEndBatch() == 1;
}

}  // namespace

int main() {
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  std::vector<std::int32_t> rins;
  std::printf("Building %d individuals...\n", kPeople);
  if (!Build(dir.File("bench.orv"), rins)) {
    std::printf("could not build the family file\n");
    return 1;
  }
  rpt::PedigreeRunParameters run;
  run.runType = rpt::PedigreeRunParameters::kCascading;
  run.indexWanted = true;
  run.totalGenerations = kGenerations;
  run.generationsPerChart = 4;
  run.numbering = rpt::PedigreeRunParameters::kFixed;
  run.startPerson = rins[1];

  auto start = std::chrono::steady_clock::now();
  const int pages = rpt::PaginatePedigreeChart(run, 60);
  const double paginate = Ms(start);
  std::printf("%-36s %9.1f ms (%d pages, %u index rows)\n", "pagination", paginate, pages,
              rpt::PedigreeIndexCount());

  start = std::chrono::steady_clock::now();
  int firstIndexPage = 0;
  for (int page = 1; page <= pages && firstIndexPage == 0; ++page) {
    const rpt::PedigreePageEntry* entry = rpt::FindPedigreePageEntry(page);
    if (entry != nullptr && entry->kind == rpt::PedigreePageEntry::kIndex) firstIndexPage = page;
  }
  const double sort = Ms(start);
  std::printf("%-36s %9.1f ms (%s)\n", "index sort", sort,
              rpt::PedigreeIndexSorted() ? "sorted" : "NOT sorted");

  start = std::chrono::steady_clock::now();
  RecordingDevice dc;
  rpt::CPedigreeChartGenerator g(run, {});
  g.BeginPrinting(dc);
  std::size_t calls = 0;
  for (int page = 1; page <= pages; ++page) {
    dc.calls.clear();
    g.DrawPage(dc, page);
    calls += dc.calls.size();
  }
  const double draw = Ms(start);
  std::printf("%-36s %9.1f ms (%zu drawing calls)\n", "drawing every page", draw, calls);

  start = std::chrono::steady_clock::now();
  rpt::PedigreeIndexEntry entry;
  std::uint32_t rows = 0;
  while (rpt::GetPedigreeIndexEntry(rows, entry)) ++rows;
  std::printf("%-36s %9.1f ms (%u rows)\n", "index read", Ms(start), rows);
  std::printf("%-36s %9.1f ms\n", "total", paginate + sort + draw + Ms(start));
  rpt::CleanupPedigreePages();
  DbCloseCurrent();
  return pages > 0 && rows == static_cast<std::uint32_t>(kPeople) ? 0 : 2;
}
