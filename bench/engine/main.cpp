// Writes a family file of 100,000 individuals and 40,000 marriages record by
// record through the engine, reopens it and reads every record back; prints
// records per second and peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "FileSystem.h"
#include "ORV3.h"

namespace {

constexpr int kIndividuals = 100000;
constexpr int kMarriages = 40000;
constexpr int kUnbatched = 1000;

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

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : plat::TempFolder() + "korvane-engine-bench.orv";
  auto host = std::make_unique<EngineHost>();
  if (host->file.Create(path) != 0) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return 1;
  }
  auto engine = std::make_unique<ORV3>(host.get());
  engine->Create(path);

  auto start = std::chrono::steady_clock::now();
  engine->BeginBatch();
  for (int i = 1; i <= kIndividuals; ++i)
    if (engine->NewRecord(orv::RecordKind::Individual, false, FillIndividual) != i) return 2;
  for (int i = 1; i <= kMarriages; ++i)
    if (engine->NewRecord(orv::RecordKind::Marriage, false, FillMarriage) != i) return 2;
  engine->EndBatch();
  const double writeSeconds = Seconds(start);

  // Outside batch mode every new record flushes the file to disk.
  start = std::chrono::steady_clock::now();
  for (int i = 1; i <= kUnbatched; ++i)
    if (engine->NewRecord(orv::RecordKind::Marriage, false, FillMarriage) != kMarriages + i)
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
    if (!engine->Read(i, p) || p.names[0] != i * 16 || p.created != 1700000000 + i) ++bad;
  }
  for (int i = 1; i <= kMarriages; ++i) {
    orv::MarriageRec m;
    if (!engine->Read(i, m) || m.husband != 2 * i - 1 || m.wife != 2 * i) ++bad;
  }
  const double readSeconds = Seconds(start);
  engine.reset();
  host.reset();
  plat::DeleteFile(path);

  const double records = kIndividuals + kMarriages;
  std::printf("family file: %d individuals, %d marriages, %lld bytes\n", kIndividuals, kMarriages,
              size);
  std::printf("write (batch mode): %.3f s, %.0f records/s\n", writeSeconds, records / writeSeconds);
  std::printf("write (no batch, flush per record): %d records, %.3f s, %.0f records/s\n",
              kUnbatched, unbatchedSeconds, kUnbatched / unbatchedSeconds);
  std::printf("open: %.4f s\n", openSeconds);
  std::printf("read back: %.3f s, %.0f records/s, %ld mismatches\n", readSeconds,
              records / readSeconds, bad);
  std::printf("peak memory: %ld KB\n", PeakKilobytes());
  return bad == 0 ? 0 : 4;
}
