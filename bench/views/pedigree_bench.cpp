// Moves through the pedigree view of a family file of 100,000 individuals
// and times each move with its redraw into an offscreen image: 1,000 jumps
// to another individual, then 1,000 steps along the tree (arrow button to
// the father's line, descend back). Every individual j has the parents of
// marriage j (father 2j, mother 2j + 1), so the first thousands have full
// five-generation pedigrees. Prints the median and the worst of each.
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "KorDoc.h"
#include "KorView.h"
#include "RecordAccess.h"

namespace {

constexpr int kIndividuals = 100000;
constexpr int kMoves = 1000;
constexpr double kTargetMs = 50.0;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2], worst = times.back();
  std::printf("%s: %zu moves, median %.2f ms, worst %.2f ms (%s %.0f ms)\n", what, times.size(),
              median, worst, worst < kTargetMs ? "under" : "NOT under", kTargetMs);
}

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  const auto start = std::chrono::steady_clock::now();
  DbBeginBatch();
  CIndividualRecord person;
  for (int i = 1; i <= kIndividuals; ++i) {
    person.Clear();
    person.surname = "Line" + std::to_string(i % 997);
    person.givenNames[0] = "Person" + std::to_string(i);
    person.sex = (i & 1) ? 'F' : 'M';
    person.birth.date.year = static_cast<std::uint16_t>(2000 - 25 * (31 - __builtin_clz(i)));
    if (family::Add(person, 0) != i) return false;
  }
  for (int j = 1; 2 * j + 1 <= kIndividuals; ++j) {
    const std::int32_t mrin = DbSetRelation(2 * j, 2 * j + 1, db::kRelHusband, 0);
    if (mrin <= 0 || DbSetRelation(j, 0, db::kRelParents, mrin) <= 0) return false;
  }
  if (DbEndBatch() != 1) return false;
  std::printf("built %d individuals in %.1f s\n", kIndividuals, Ms(start) / 1000.0);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes(&boxes);
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("bench.orv")).toStdString();
  if (!Build(path)) {
    std::printf("building the family FAILED\n");
    return 1;
  }

  CKorDoc document;
  document.m_bAutoDelete = false;
  auto* view = new CKorView;
  view->SetDocument(&document);
  view->resize(1280, 800);
  QImage image(view->size(), QImage::Format_RGB32);
  auto redraw = [&] { view->render(&image); };
  view->OnShowIndividual(1, 0);
  redraw();

  // Jumps to individuals with full pedigrees, as from a list.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(1, 3000);
  std::vector<double> jumps;
  for (int i = 0; i < kMoves; ++i) {
    const auto start = std::chrono::steady_clock::now();
    view->OnShowIndividual(pick(random), 0);
    redraw();
    jumps.push_back(Ms(start));
  }
  Report("pedigree view: show another individual and redraw", jumps);

  // Steps along the tree: the father's line through arrow button 1, then
  // descend back through the Back history.
  view->OnShowIndividual(1, 0);
  std::vector<double> steps;
  for (int i = 0; i < kMoves; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (i % 2 == 0) {
      view->OnArrowButton(1);
    } else {
      view->OnDescend();
      QCoreApplication::sendPostedEvents(view);
    }
    redraw();
    steps.push_back(Ms(start));
  }
  Report("pedigree view: arrow button or descend and redraw", steps);
  const bool ok = view->Tree().RinOf(0) == 1 && document.m_visitedRins.empty();
  std::printf("pedigree view: tree back on its root: %s\n", ok ? "yes" : "NO");
  delete view;
  DbCloseCurrent();
  return ok ? 0 : 1;
}
