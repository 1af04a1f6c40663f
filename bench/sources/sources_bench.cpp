// A family file of 10,000 sources (every tenth a duplicate of its
// neighbour) and 200,000 citations on 20,000 individuals, ten each over
// birth, death and the record itself, with a duplicate in every fifth
// individual. Times Merge Duplicate Sources and Citations over it.
#include <chrono>
#include <cstdio>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "SourceEditing.h"
#include "TempDir.h"

namespace {

constexpr int kSources = 10000;
constexpr int kIndividuals = 20000;
constexpr int kCitationsEach = 10;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  std::vector<std::int32_t> sources;
  for (int i = 0; i < kSources; ++i) {
    CSourceRecord s;
    const int n = (i % 10 == 9) ? i - 1 : i;  // every tenth repeats the one before
    s.title = "Register " + std::to_string(n);
    s.author = "Parish " + std::to_string(n % 97);
    const std::int32_t rin = DbAddRecord(db::kSource, 1, &s);
    if (rin <= 0) return false;
    sources.push_back(rin);
  }
  const char letters[] = {'B', 'D', 'I'};
  for (int p = 0; p < kIndividuals; ++p) {
    CIndividualRecord person;
    person.surname = "Family" + std::to_string(p % 500);
    person.givenNames[0] = "P" + std::to_string(p);
    const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
    if (rin <= 0) return false;
    for (int c = 0; c < kCitationsEach; ++c) {
      CCitationRecord citation;
      citation.sourceRin = sources[(p * 7 + c) % kSources];
      citation.ownerLetter = letters[c % 3];
      citation.ownerNumber = rin;
      // In every fifth individual the last citation repeats the first.
      const int page = (p % 5 == 0 && c == kCitationsEach - 1) ? 0 : c;
      if (page == 0) citation.sourceRin = sources[(p * 7) % kSources];
      citation.ownerLetter = letters[page % 3];
      citation.pageText = "p. " + std::to_string(page);
      if (DbAddRecord(db::kCitation, 1, &citation) <= 0) return false;
    }
  }
  return DbEndBatch() == 1;
}

}  // namespace

int main() {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes(&boxes);
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump(&pump);
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress(&progress);
  TempDir dir;
  const std::string path = dir.File("sources.orv");

  auto start = std::chrono::steady_clock::now();
  if (!Build(path)) {
    std::printf("building the family file failed\n");
    return 1;
  }
  std::printf("build: %d sources, %d citations in %.0f ms\n", kSources,
              kIndividuals * kCitationsEach, Ms(start));

  start = std::chrono::steady_clock::now();
  const sources::MergeCounts counts = sources::MergeDuplicateSources(false);
  std::printf(
      "merge duplicate sources and citations: %.0f ms (%lu repositories, %lu sources, "
      "%lu citations merged)\n",
      Ms(start), counts.repositories, counts.sources, counts.citations);
  DbCloseCurrent();
  return 0;
}
