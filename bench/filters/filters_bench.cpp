// A connected family of 100,000 individuals in ten generations of 10,000:
// couple k of a generation has a son who is the husband of couple k and a
// daughter who is the wife of couple k + 1 in the next generation. Everyone
// has a birth date and place. Times a field filter pass on Name and Birth
// Date, one on Any Place, and the relationship filter's All Related and
// Ancestors with 999 generations from the last generation.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FieldFilter.h"
#include "FilterSet.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "RelationshipFilter.h"
#include "TempDir.h"

namespace {

constexpr int kGenerations = 10;
constexpr int kWidth = 10000;
constexpr int kCouples = kWidth / 2;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::int32_t Rin(int g, int i) { return g * kWidth + i + 1; }

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CIndividualRecord person;
  const char* towns[] = {"Oslo", "Bergen", "Trondheim", "Stavanger"};
  for (int g = 0; g < kGenerations; ++g)
    for (int i = 0; i < kWidth; ++i) {
      person.Clear();
      person.surname = i % 7 == 0 ? "Berg" : "Gen" + std::to_string(g);
      person.givenNames[0] = "P" + std::to_string(i);
      person.sex = (i & 1) ? 'F' : 'M';
      person.birth.date.Set(1700 + g * 25 + i % 20, 1 + i % 12, 1 + i % 28);
      person.birth.place[0] = towns[i % 4];
      person.birth.place[3] = "Norway";
      if (family::Add(person, 0) != Rin(g, i)) return false;
    }
  for (int g = 0; g < kGenerations; ++g)
    for (int k = 0; k < kCouples; ++k) {
      const std::int32_t mrin = DbSetRelation(Rin(g, 2 * k), Rin(g, 2 * k + 1), db::kRelHusband, 0);
      if (mrin <= 0) return false;
      if (g + 1 == kGenerations) continue;
      if (DbSetRelation(Rin(g + 1, 2 * k), 0, db::kRelParents, mrin) <= 0) return false;
      if (DbSetRelation(Rin(g + 1, 2 * ((k + 1) % kCouples) + 1), 0, db::kRelParents, mrin) <= 0)
        return false;
    }
  return DbEndBatch() == 1;
}

std::unique_ptr<CFilterCriterion> Criterion(int field, int kind, int op, const char* text) {
  auto c = std::make_unique<CFilterCriterion>(static_cast<std::uint16_t>(field),
                                              static_cast<std::uint16_t>(kind));
  c->op = static_cast<std::uint16_t>(op);
  if (text) c->text1 = std::make_unique<std::string>(text);
  return c;
}

void Pass(const char* what, std::vector<std::unique_ptr<CFilterCriterion>> list, double target) {
  CFilterSet set;
  set.criteria = std::move(list);
  const auto start = std::chrono::steady_clock::now();
  CFieldFilter::RunPass(set);
  const double s = Seconds(start);
  std::printf("%-34s %8.3f s (target under %.0f s), %d selected\n", what, s, target,
              set.GetCount(CFilterSet::kFieldSet));
}

void Walk(const char* what, int kind, std::int32_t rin) {
  CFilterSet set;
  RelationshipFilterHooks hooks;
  hooks.askGenerations = [](std::int32_t, bool, GenerationChoice& c) {
    c.generations = 999;
    c.descendantGenerations = 0;
    c.spouses = false;
    c.allParents = false;
    return true;
  };
  hooks.dispatch = [] {};
  CRelationshipFilter filter(set, hooks);
  const auto start = std::chrono::steady_clock::now();
  filter.Run(kind, rin, 1);
  const double s = Seconds(start);
  std::printf("%-34s %8.3f s (target under 1 s), %d selected\n", what, s,
              set.GetCount(CFilterSet::kRelationSet));
}

}  // namespace

int main() {
  TempDir dir;
  plat::FakeMessageBox boxes;  // All Related asks about all parents: No
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  const auto built = std::chrono::steady_clock::now();
  if (!Build(dir.File("bench.orv"))) {
    std::fprintf(stderr, "could not build the family file\n");
    return 1;
  }
  std::printf("built %d individuals in %.1f s\n", kGenerations * kWidth, Seconds(built));

  {
    std::vector<std::unique_ptr<CFilterCriterion>> list;
    list.push_back(Criterion(ffield::kName, fkind::kName, 2, "berg"));
    list.push_back(std::make_unique<CFilterCriterion>(CFilterCriterion::kAnd, fkind::kToken));
    auto date = Criterion(ffield::kBirthDate, fkind::kDate, 6, nullptr);
    date->date1 = std::make_unique<CDateValue>();
    date->date1->Set(1850, 0);
    list.push_back(std::move(date));
    Pass("Name and Birth Date", std::move(list), 1);
  }
  {
    std::vector<std::unique_ptr<CFilterCriterion>> list;
    list.push_back(Criterion(ffield::kAnyPlace, fkind::kPlace, 2, "bergen"));
    Pass("Any Place", std::move(list), 2);
  }
  Walk("All Related", relkind::kAllRelated, Rin(kGenerations - 1, 0));
  Walk("Ancestors 999", relkind::kAncestors, Rin(kGenerations - 1, 0));
  DbCloseCurrent();
  return 0;
}
