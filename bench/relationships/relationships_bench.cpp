// A connected family of 100,000 individuals in ten generations of 10,000:
// in every generation couple k (individuals 2k and 2k + 1) has two children,
// a son who is the husband of couple k and a daughter who is the wife of
// couple k + 1 in the next generation, so every ancestry folds back on
// itself. A founder of that lattice also has a second marriage whose two
// children start two lines nine generations long; twice on each line two
// first cousins marry (pedigree collapse), so the two people at the ends are
// 8th cousins through four lines of descent on each side. Times the
// relationship search between them and Set Relationship Indicators from one
// of them.
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
  return DbEndBatch() == 1;
}

std::int32_t NewPerson(const char* given, char sex) {
  CIndividualRecord person;
  person.surname = "Line";
  person.givenNames[0] = given;
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

std::int32_t ChildOf(std::int32_t mrin, const char* given, char sex) {
  const std::int32_t rin = NewPerson(given, sex);
  return DbSetRelation(rin, 0, db::kRelParents, mrin) > 0 ? rin : 0;
}

// Three generations below top (a man) in which his grandchildren, first
// cousins, marry: the child of that marriage, two lines below top.
std::int32_t Diamond(std::int32_t top) {
  const std::int32_t family = DbSetRelation(top, NewPerson("Wife", 'F'), db::kRelHusband, 0);
  const std::int32_t son = ChildOf(family, "Son", 'M');
  const std::int32_t daughter = ChildOf(family, "Daughter", 'F');
  const std::int32_t left = DbSetRelation(son, NewPerson("Wife", 'F'), db::kRelHusband, 0);
  const std::int32_t right = DbSetRelation(NewPerson("Husband", 'M'), daughter, db::kRelHusband, 0);
  const std::int32_t cousins = DbSetRelation(ChildOf(left, "Cousin", 'M'),
                                             ChildOf(right, "Cousin", 'F'), db::kRelHusband, 0);
  return ChildOf(cousins, "Heir", 'M');
}

// From a child of the common couple down to generation nine below it.
std::int32_t Line(std::int32_t child) {
  std::int32_t rin = Diamond(Diamond(child));  // generation 7
  for (int g = 0; g < 2; ++g)
    rin = ChildOf(DbSetRelation(rin, NewPerson("Wife", 'F'), db::kRelHusband, 0), "Heir", 'M');
  return rin;
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

  const std::int32_t common =
      DbSetRelation(Rin(0, 0), NewPerson("Second", 'F'), db::kRelHusband, 0);
  const std::int32_t one = Line(ChildOf(common, "Elder", 'M'));
  const std::int32_t two = Line(ChildOf(common, "Younger", 'M'));
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
