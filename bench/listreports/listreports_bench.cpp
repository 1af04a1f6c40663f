// A family of 100,000 individuals in 25,000 couples with two children each,
// names in scrambled order and one duplicate in every hundred people. Times
// the passes of the Possible Record Problems, alphabetical, missing
// ordinance and Duplicates lists and of a Custom Report with two name keys
// and a date key, and the drawing of each list's last page;
// aims at under 10 s a pass and 50 ms a page.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CustomReport.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "ListPages.h"
#include "ListPagination.h"
#include "MergeWorkFile.h"
#include "RecordAccess.h"
#include "RecordProblems.h"
#include "RecordingDevice.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "TempDir.h"

namespace {

constexpr int kPeople = 100000;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

std::string Surname(int i) {
  const unsigned v = (static_cast<unsigned>(i) * 2654435761u) % 17576u;
  std::string s(1, static_cast<char>('A' + v % 26));
  s += static_cast<char>('a' + (v / 26) % 26);
  s += static_cast<char>('a' + (v / 676) % 26);
  return s + "ton";
}

// A given name of letters, so that name codes spread over many groups.
std::string Given(int i) {
  static const char* const kFirst[] = {"Anna", "Bert", "Carl", "Dora", "Emil", "Fay", "Gus",
                                       "Hugo", "Ida",  "Jon",  "Kurt", "Lena", "Max", "Nora",
                                       "Otto", "Paul", "Rosa", "Saul", "Tina", "Uwe"};
  std::string s = kFirst[i % 20];
  const unsigned v = (static_cast<unsigned>(i) * 40503u) % 676u;
  s += static_cast<char>('a' + v % 26);
  s += static_cast<char>('a' + v / 26);
  return s;
}

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CIndividualRecord person;
  std::int32_t husband = 0;
  for (int i = 0; i < kPeople; ++i) {
    person.Clear();
    // Every hundredth person repeats the one before: a duplicate pair.
    const int n = i % 100 == 99 ? i - 1 : i;
    person.surname = Surname(n);
    person.givenNames[0] = Given(n);
    person.sex = i % 2 == 0 ? 'M' : 'F';
    person.birth.date.Set(1700 + n % 250, 1 + n % 12, 1 + n % 28);
    if (i % 7 == 0) person.christening.date.Set(1690 + n % 250, 2, 2);  // a problem
    const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
    if (rin <= 0) return false;
    if (i % 4 == 0) husband = rin;
    if (i % 4 == 1 && DbSetRelation(husband, rin, db::kRelHusband, 0) <= 0) return false;
  }
  return DbEndBatch() == 1;
}

// The custom report with two name keys and a date key over everyone: the
// pass, then its last page drawn by the list-page generator.
bool RunCustom() {
  CCustomReportLayout layout;
  layout.title = "Bench";
  for (const int id : {6000, 6004, 6009, 6010}) {
    auto c = std::make_unique<CCustomReportColumn>();
    c->fieldId = id;
    c->width = 20;
    layout.columns.push_back(std::move(c));
  }
  const std::pair<int, std::uint8_t> keys[] = {{6000, CCustomReportSortKey::kText},
                                               {6001, CCustomReportSortKey::kText},
                                               {6009, CCustomReportSortKey::kDate}};
  for (const auto& [id, kind] : keys) {
    auto k = std::make_unique<CCustomReportSortKey>();
    k->fieldId = id;
    k->kind = kind;
    layout.sortKeys.push_back(std::move(k));
  }
  std::vector<std::int32_t> rins;
  for (std::int32_t rin = DbGetRIN(0, db::kQueryIndividuals, db::kWalkNext); rin != 0;
       rin = DbGetRIN(rin, db::kQueryIndividuals, db::kWalkNext))
    rins.push_back(rin);
  auto start = std::chrono::steady_clock::now();
  const int pages = rpt::PaginateCustomReport(rins, layout, 50);
  const double passMs = Ms(start);
  RecordingDevice dc(600);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CListPagesGenerator g(rpt::kCustomReport, 0);
  g.SetCustomLayout(&layout);
  CPrintInfo info;
  g.BeginPrinting(&dc, &info);
  info.currentPage = pages;
  start = std::chrono::steady_clock::now();
  g.DrawPage(&dc, &info, nullptr);
  const double pageMs = Ms(start);
  std::printf("%-28s %6d pages  pass %8.1f ms%s  last page %6.2f ms%s\n", "Custom Report", pages,
              passMs, passMs < 10000 ? "" : " OVER 10 s", pageMs, pageMs < 50 ? "" : " OVER 50 ms");
  rpt::CleanupCustomReportPages();
  return passMs < 10000 && pageMs < 50 && pages > 0;
}

// Times a pass, then the drawing of its last page.
bool Run(const char* what, int kind, const std::function<int(int lines)>& pass) {
  RecordingDevice dc(600);
  const rpt::Rect m = rpt::ReportMarginsOf(kind);
  const int lines = CListPagesGenerator::LinesPerPage(dc.paperHeight - m.top - m.bottom);
  auto start = std::chrono::steady_clock::now();
  const int result = pass(lines);
  const double passMs = Ms(start);
  const bool counts = kind == rpt::kIndividualsByAlpha;
  const int pages = counts ? (result - 1) / lines + 1 : result;
  CReportJob job(kind);
  CPrintInfo info;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  job.BeginPrinting(&dc, &info);
  info.currentPage = pages;
  start = std::chrono::steady_clock::now();
  job.PrintPage(&dc, &info);
  const double pageMs = Ms(start);
  std::printf("%-28s %6d pages  pass %8.1f ms%s  last page %6.2f ms%s\n", what, pages, passMs,
              passMs < 10000 ? "" : " OVER 10 s", pageMs, pageMs < 50 ? "" : " OVER 50 ms");
  rpt::CleanupListPages();
  return passMs < 10000 && pageMs < 50 && pages > 0;
}

}  // namespace

int main() {
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  const auto start = std::chrono::steady_clock::now();
  if (!Build(dir.File("bench.orv"))) {
    std::printf("could not build the family\n");
    return 1;
  }
  std::printf("family of %d built in %.0f ms\n", kPeople, Ms(start));
  rpt::RegisterMoreListReports();
  bool ok = true;
  ok &= Run("Possible Record Problems", rpt::kRecordProblems, [](int lines) {
    return rpt::PaginateRecordProblems(1, kPeople, rpt::RecordProblemOptions{}, lines);
  });
  ok &= Run("Alphabetical list", rpt::kIndividualsByAlpha,
            [](int lines) { return rpt::PaginateAlphaList("", "", lines); });
  ok &= Run("Missing ordinances", rpt::kIncompleteOrdinances, [](int lines) {
    return rpt::PaginateIncompleteOrdinances(lines, 0, 0, "", "", 0, 1, 0, 0, 2);
  });
  ok &= Run("Duplicates List", rpt::kDuplicatesList, [](int lines) {
    MatchOptions m;
    m.mrgParents = 0;
    return rpt::PaginateDuplicatesList(m, lines);
  });
  ok &= RunCustom();
  DbCloseCurrent();
  return ok ? 0 : 1;
}
