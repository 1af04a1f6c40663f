// 100,000 individuals with names spread over many Soundex codes, each born
// in a town; 5,000 of them are planted duplicates of earlier ones (a name
// that sounds alike, the same sex, a birth year two apart and the same SBN).
// Times building each work file, the Next Match steps (median and worst)
// and replacing a town name across all places.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "GlobalReplace.h"
#include "IndividualRecord.h"
#include "MergeWorkFile.h"
#include "RecordAccess.h"
#include "TempDir.h"

namespace {

constexpr int kPeople = 100000;
constexpr int kPlanted = 5000;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

std::uint32_t state = 12345;
std::uint32_t Next() {
  state = state * 1103515245u + 12345u;
  return state >> 8;
}

std::string Word(int syllables) {
  static const char* kParts[] = {"ba",  "ko", "mi", "tu", "re", "sa",  "lin", "dor", "gar",
                                 "vel", "nu", "pe", "fi", "zo", "jan", "hek", "qui", "wy"};
  std::string w;
  for (int i = 0; i < syllables; ++i) w += kParts[Next() % (sizeof kParts / sizeof *kParts)];
  w[0] = static_cast<char>(w[0] - 'a' + 'A');
  return w;
}

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  std::vector<CIndividualRecord> originals;
  CIndividualRecord person;
  for (int i = 0; i < kPeople - kPlanted; ++i) {
    person.Clear();
    person.surname = Word(3);
    person.givenNames[0] = Word(2);
    person.sex = (i & 1) ? 'F' : 'M';
    person.birth.date.Set(1700 + static_cast<int>(Next() % 250), 1 + static_cast<int>(Next() % 12),
                          1);
    person.birth.place[0] = (i % 7 == 0) ? "Ulm" : "Town" + std::to_string(i % 500);
    person.texts1[1] = "S" + std::to_string(i);
    if (family::Add(person, 0) <= 0) return false;
    if (i % ((kPeople - kPlanted) / kPlanted) == 0 && static_cast<int>(originals.size()) < kPlanted)
      originals.push_back(person);
  }
  for (CIndividualRecord& twin : originals) {
    twin.givenNames[0].back() = twin.givenNames[0].back() == 'a' ? 'e' : 'a';
    twin.birth.date.Set(twin.birth.date.year + 2, 1, 1);
    if (family::Add(twin, 0) <= 0) return false;
  }
  return DbEndBatch() == 1;
}

}  // namespace

int main() {
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};

  auto t = std::chrono::steady_clock::now();
  if (!Build(dir.File("big.orv"))) {
    std::printf("building the family file failed\n");
    return 1;
  }
  std::printf("family file of %d individuals (%d planted duplicates): %.0f ms\n", kPeople, kPlanted,
              Ms(t));

  for (int mode : {CMergeWorkFile::kNameMode, CMergeWorkFile::kSbnMode}) {
    CMergeWorkFile work;
    t = std::chrono::steady_clock::now();
    const int built = work.Build(mode);
    std::printf("%s work file: %d records, %.0f ms (target under 2000)%s\n",
                mode == 0 ? "name" : "SBN", work.Count(), Ms(t), built == 1 ? "" : " FAILED");
  }

  MatchOptions options;
  CMatchCursor cursor(CMergeWorkFile::kNameMode, options);
  cursor.Start();
  std::vector<double> steps;
  std::int32_t p = 0, d = 0;
  for (;;) {
    t = std::chrono::steady_clock::now();
    const bool more = cursor.Next(p, d);
    steps.push_back(Ms(t));
    if (!more) break;
  }
  std::sort(steps.begin(), steps.end());
  std::printf("Next Match: %zu pairs found, median %.3f ms, worst %.3f ms (target under 50)\n",
              steps.size() - 1, steps[steps.size() / 2], steps.back());

  CGlobalReplaceJob job;
  job.target = CGlobalReplaceJob::kPlacesTarget;
  job.search = "Ulm";
  job.replacement = "Ulm, Germany";
  t = std::chrono::steady_clock::now();
  const std::uint32_t changed = job.ReplacePlaces(nullptr);
  std::printf("replacing across all places: %u changed, %.0f ms (target under 5000)\n", changed,
              Ms(t));
  DbCloseCurrent();
  return 0;
}
