// Two large charts: a standard Descendants chart of 20,000 descendants (each
// couple with three children, every descendant married to a spouse from
// outside) and an Ancestry wall chart of 14 full generations (16,383
// people). Each is paginated and every page (every tile of the wall chart)
// drawn to the recording device; prints the time of each step.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ChartPages.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "TempDir.h"

namespace {

constexpr int kDescendants = 20000;
constexpr int kAncestryGenerations = 14;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

std::int32_t Add(const std::string& given, const std::string& surname, char sex, int year) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  person.birth.date.Set(year, 4, 12);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

// Descendants in breadth-first order, three children a couple; answers the root.
std::int32_t BuildDescendants() {
  std::vector<std::int32_t> open{Add("D0", "Root", 'M', 1500)};
  const std::int32_t root = open.front();
  int made = 1;
  for (std::size_t i = 0; i < open.size() && made < kDescendants; ++i) {
    const std::int32_t spouse = Add("S" + std::to_string(i), "Spouse", 'F', 1500);
    const std::int32_t mrin = DbSetRelation(open[i], spouse, db::kRelHusband, 0);
    for (int c = 0; c < 3 && made < kDescendants; ++c, ++made) {
      const std::int32_t child = Add("D" + std::to_string(made), "Root", 'M', 1520);
      if (DbSetRelation(child, 0, db::kRelParents, mrin) <= 0) return 0;
      open.push_back(child);
    }
  }
  return root;
}

// A full pedigree, person n the child of 2n and 2n + 1; answers person 1.
std::int32_t BuildPedigree() {
  const int people = (1 << kAncestryGenerations) - 1;
  std::vector<std::int32_t> rins(people + 1, 0);
  for (int n = 1; n <= people; ++n)
    rins[n] = Add("P" + std::to_string(n), "Line", n % 2 == 0 || n == 1 ? 'M' : 'F', 1900);
  for (int n = 1; 2 * n + 1 <= people; ++n) {
    const std::int32_t mrin = DbSetRelation(rins[2 * n], rins[2 * n + 1], db::kRelHusband, 0);
    if (DbSetRelation(rins[n], 0, db::kRelParents, mrin) <= 0) return 0;
  }
  return rins[1];
}

// Paginates and draws; answers the pages drawn.
int Run(const char* what, bool ancestry, const rpt::ChartPageOptions& options, std::int32_t root) {
  RecordingDevice dc;
  rpt::CChartPagesGenerator g(ancestry, options);
  auto start = std::chrono::steady_clock::now();
  g.Measure(dc);
  int generations = 999, repeat = 0;
  const int rowPages =
      ancestry ? rpt::PaginateAncestryChart(&generations, &repeat, root, g.FirstPageRows(),
                                            g.OtherPageRows())
               : rpt::PaginateDescendantsChart(&generations, &repeat, root, g.FirstPageRows(),
                                               g.OtherPageRows(), options.wallChart);
  const double paginate = Ms(start);
  const int pages = options.wallChart
                        ? rowPages * rpt::WallChartTileColumns(generations, options.gensPerPage)
                        : rowPages;
  std::printf("%-44s %9.1f ms (%d row pages, %d pages, %d generations)\n",
              (std::string(what) + ": pagination").c_str(), paginate, rowPages, pages, generations);
  start = std::chrono::steady_clock::now();
  g.BeginChart(dc);
  std::size_t calls = 0;
  for (int page = 1; page <= pages; ++page) {
    dc.calls.clear();
    g.DrawChartPage(dc, page, page == pages);
    calls += dc.calls.size();
  }
  std::printf("%-44s %9.1f ms (%zu drawing calls)\n",
              (std::string(what) + ": drawing every page").c_str(), Ms(start), calls);
  rpt::CleanupChartPages();
  return pages;
}

}  // namespace

int main() {
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  const std::string path = dir.File("charts.orv");
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1 ||
      DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) {
    std::printf("could not create the family file\n");
    return 1;
  }
  std::printf("Building %d descendants and a pedigree of %d generations...\n", kDescendants,
              kAncestryGenerations);
  auto start = std::chrono::steady_clock::now();
  DbBeginBatch();
  const std::int32_t descendantsRoot = BuildDescendants();
  const std::int32_t ancestryRoot = BuildPedigree();
  if (DbEndBatch() != 1 || descendantsRoot <= 0 || ancestryRoot <= 0) {
    std::printf("could not build the family\n");
    return 1;
  }
  std::printf("%-44s %9.1f ms\n", "building", Ms(start));

  rpt::ChartPageOptions standard = rpt::ReadChartPageOptions(false);
  standard.wallChart = false;
  const int descendantPages = Run("descendants, standard", false, standard, descendantsRoot);

  rpt::ChartPageOptions wall = rpt::ReadChartPageOptions(true);
  wall.wallChart = true;
  wall.wall.box = true;
  wall.wall.birth = wall.wall.date = true;
  const int wallPages = Run("ancestry wall chart", true, wall, ancestryRoot);
  DbCloseCurrent();
  return descendantPages > 0 && wallPages > 0 ? 0 : 2;
}
