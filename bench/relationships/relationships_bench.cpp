// A connected family of 100,000 individuals in ten generations of 10,000:
// in every generation couple k (individuals 2k and 2k + 1) has two children,
// a son who marries the daughter of couple k + 1 in the next generation, so
// each person's ancestry folds back on itself (pedigree collapse) and two
// people far apart in the last generation are 8th cousins through the
// founders. Times the relationship search between two such people and Set
// Relationship Indicators from one of them.
#include <chrono>
#include <cstdio>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "RelationshipCalculator.h"
#include "RelationshipIndicators.h"
#include "TempDir.h"

namespace {

constexpr int kGenerations = 10;
constexpr int kWidth = 10000;  // individuals per generation
constexpr int kCouples = kWidth / 2;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

// RIN of individual i (0-based) of generation g.
std::int32_t Rin(int g, int i) { return g * kWidth + i + 1; }

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CIndividualRecord person;
  for (int g = 0; g < kGenerations; ++g)
    for (int i = 0; i < kWidth; ++i) {
      person.Clear();
      person.surname = "Gen" + std::to_string(g);
      person.givenNames[0] = "P" + std::to_string(i);
      person.sex = (i & 1) ? 'F' : 'M';
      if (family::Add(person, 0) != Rin(g, i)) return false;
    }
  for (int g = 0; g < kGenerations; ++g)
    for (int k = 0; k < kCouples; ++k) {
      const std::int32_t mrin = DbSetRelation(Rin(g, 2 * k), Rin(g, 2 * k + 1), db::kRelHusband, 0);
      if (mrin <= 0) return false;
      if (g + 1 == kGenerations) continue;
      // The son becomes husband of couple k, the daughter wife of couple k - 1.
      const std::int32_t son = Rin(g + 1, 2 * k);
      const std::int32_t daughter = Rin(g + 1, 2 * ((k + 1) % kCouples) + 1);
      if (DbSetRelation(son, 0, db::kRelParents, mrin) <= 0) return false;
      if (DbSetRelation(daughter, 0, db::kRelParents, mrin) <= 0) return false;
    }
  DbEndBatch();
  return true;
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

  auto start = std::chrono::steady_clock::now();
  if (!Build(dir.File("big.orv"))) {
    std::printf("could not build the family file\n");
    return 1;
  }
  std::printf("built %d individuals in %.0f ms\n", kGenerations * kWidth, Ms(start));

  // Couple k of a generation descends from couples k - 1 and k of the one
  // before, so sons of couples 100 and 108 of the last generation share
  // only founder couple 100, nine generations up: 8th cousins.
  const std::int32_t one = Rin(kGenerations - 1, 2 * 100);
  const std::int32_t two = Rin(kGenerations - 1, 2 * 108);
  plat::FixedWidthTextMeasure measure;
  kin::CRelationshipCalculator calc(&measure, 0, {});
  calc.SetPerson(1, one);
  calc.SetPerson(2, two);
  const int pumpsBefore = pump.pumps;
  start = std::chrono::steady_clock::now();
  const int count = calc.Calculate();
  const double searchMs = Ms(start);
  std::printf("relationship search: %d results", count);
  if (count > 0) {
    std::printf(", first %s (%d, %d)", calc.ResultLines()[0].c_str(), calc.Results()[0].count1,
                calc.Results()[0].count2);
  }
  std::printf(" in %.1f ms (%s 1000 ms), %d messages dispatched\n", searchMs,
              searchMs < 1000 ? "under" : "NOT under", pump.pumps - pumpsBefore);

  start = std::chrono::steady_clock::now();
  kin::SetRelationshipIndicators({one, true, false});
  const double indicatorsMs = Ms(start);
  std::printf("Set Relationship Indicators: %.0f ms (%s 10000 ms)\n", indicatorsMs,
              indicatorsMs < 10000 ? "under" : "NOT under");
  DbCloseCurrent();
  return 0;
}
