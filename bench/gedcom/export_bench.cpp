// Builds a family of 100,000 individuals (names, a birth with a place, a
// death for the older half) and 40,000 marriages with two children each
// through the database calls, then exports it all as standard GEDCOM 5.5 in
// ANSEL. Prints the time of the export, its size and the peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "GedcomExporter.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"

namespace {

constexpr int kIndividuals = 100000;
constexpr int kMarriages = 40000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct Everyone : gedcom::ExportFilterSet {
  bool Contains(std::int32_t) const override { return true; }
};

}  // namespace

int main() {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvane-gedcom-bench";
  std::filesystem::create_directories(dir);
  const std::string family = (dir / "bench.orv").string();
  const std::string out = (dir / "bench.ged").string();
  if (DbCreate(family, CFamilyDatabase::kCurrentFormat) != 1 ||
      DbOpen(family, CFamilyDatabase::kCurrentFormat) != 1) {
    std::fprintf(stderr, "cannot create %s\n", family.c_str());
    return 1;
  }
  auto start = std::chrono::steady_clock::now();
  DbBeginBatch();
  for (int i = 1; i <= kIndividuals; ++i) {
    CIndividualRecord p;
    p.surname = "Surname" + std::to_string(i % 997);
    p.givenNames[0] = "Given" + std::to_string(i % 311);
    p.sex = (i & 1) ? 'M' : 'F';
    p.birth.date.Parse(std::to_string(1700 + i % 300));
    p.birth.place[0] = "Town" + std::to_string(i % 500);
    if (i % 2 == 0) p.death.date.Parse(std::to_string(1790 + i % 200));
    if (family::Add(p, 0) <= 0) return 1;
  }
  for (int m = 0; m < kMarriages; ++m) {
    const std::int32_t husband = 2 * m + 1, wife = 2 * m + 2;
    const std::int32_t mrin = DbSetRelation(husband, wife, db::kRelHusband, 0);
    for (int c = 0; c < 2; ++c)
      if (DbSetRelation(80001 + (2 * m + c) % 20000, 0, db::kRelParents, mrin) <= 0) return 1;
  }
  if (DbEndBatch() != 1) return 1;
  std::printf("build: %.2f s\n", Seconds(start));

  gedcom::SystemDrive drive;
  Everyone everyone;
  start = std::chrono::steady_clock::now();
  {
    gedcom::CGedcomExporter exporter(drive);
    exporter.options.fullLiving = true;
    exporter.options.notesAndSources = 1;
    if (!exporter.Open(out) || !exporter.Export(nullptr, &everyone)) {
      std::fprintf(stderr, "export failed\n");
      return 1;
    }
    exporter.Close();
    std::printf("export: %.2f s, %ld individuals, %ld marriages, %ju bytes\n", Seconds(start),
                exporter.IndividualsWritten(), exporter.MarriagesWritten(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(out)));
  }
  std::printf("peak memory: %ld KB\n", PeakKilobytes());
  DbCloseCurrent();
  std::filesystem::remove_all(dir);
  return 0;
}
