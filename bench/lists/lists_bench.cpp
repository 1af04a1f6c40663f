// A family of 100,000 individuals with names in scrambled order. Times what
// the Individual List does on a key or a thumb move: filling a page and
// building its line texts in RIN and name order, a line down, the Down key
// with the detail pane the dialog reads for the line it selects, a page
// down, a thumb jump to the middle and a name search; then the same with
// "show results only" over 1,000 scattered members. Prints the median and
// the worst of each; every step should stay under 20 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BitSet.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DetailPane.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualListModel.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "TempDir.h"

namespace {

constexpr int kPeople = 100000;
constexpr int kRuns = 25;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

std::string Surname(int i) {
  // A scramble of i, so that name order differs from RIN order.
  const unsigned v = (static_cast<unsigned>(i) * 2654435761u) % 17576u;
  std::string s = "A";
  s[0] = static_cast<char>('A' + v % 26);
  s += static_cast<char>('a' + (v / 26) % 26);
  s += static_cast<char>('a' + (v / 676) % 26);
  return s + "sen";
}

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CIndividualRecord person;
  for (int i = 0; i < kPeople; ++i) {
    person.Clear();
    person.surname = Surname(i);
    person.givenNames[0] = "P" + std::to_string(i);
    person.birth.date.Set(1700 + i % 300, 1 + i % 12, 1 + i % 28);
    if (family::Add(person, 0) <= 0) return false;
  }
  return DbEndBatch() == 1;
}

// Runs step kRuns times after prepare and prints median and worst.
bool Time(const char* what, const std::function<void()>& prepare,
          const std::function<void()>& step) {
  std::vector<double> times;
  for (int r = 0; r < kRuns; ++r) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    step();
    times.push_back(Ms(start));
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2], worst = times.back();
  std::printf("%-44s median %7.3f ms  worst %7.3f ms%s\n", what, median, worst,
              worst < 20.0 ? "" : "  OVER 20 ms");
  return worst < 20.0;
}

// The page's line texts, as the list shows them.
void Lines(const CIndividualListModel& model) {
  for (int i = 0; i < static_cast<int>(model.Pager().Keys().size()); ++i)
    (void)model.LineText(i, nullptr, nullptr);
}

bool RunOrder(CIndividualListModel& model, const char* order, bool filtered) {
  CListPager& pager = model.Pager();
  const std::string tag = std::string(order) + (filtered ? ", results only" : "");
  bool ok = true;
  const auto noPrep = [] {};
  ok &= Time((tag + ": fill a page").c_str(), noPrep, [&] {
    pager.FillForward(pager.FirstKey());
    Lines(model);
  });
  ok &= Time((tag + ": line down").c_str(), [&] { pager.FillForward(pager.FirstKey()); },
             [&] {
               pager.LineDown();
               Lines(model);
             });
  // The Down key in the dialog moves the selection a line and reads the
  // detail pane of the line selected.
  ok &= Time((tag + ": Down key and its detail pane").c_str(),
             [&] {
               pager.FillForward(pager.FirstKey());
               pager.Select(3);
             },
             [&] {
               pager.HandleKey(CListPager::Key::Down);
               Lines(model);
               if (ReadDetailPane(model.SelectedRin(), nullptr).name.empty())
                 std::printf("no detail pane read\n");
             });
  ok &= Time((tag + ": page down").c_str(), [&] { pager.FillForward(pager.FirstKey()); },
             [&] {
               pager.Select(3);
               pager.HandleKey(CListPager::Key::PageDown);
               Lines(model);
             });
  ok &= Time((tag + ": thumb to the middle").c_str(), [&] { pager.FillForward(pager.FirstKey()); },
             [&] {
               const CListPager::ScrollBar bar = pager.Scroll();
               pager.ThumbTo((bar.minimum + bar.maximum) / 2);
               Lines(model);
             });
  if (model.GetOrder() == CIndividualListModel::kNameOrder)
    ok &= Time((tag + ": name search").c_str(), [&] { pager.FillForward(pager.FirstKey()); },
               [&] {
                 model.SearchName("Mq, P5");
                 Lines(model);
               });
  else
    ok &= Time((tag + ": RIN search").c_str(), [&] { pager.FillForward(pager.FirstKey()); },
               [&] {
                 model.SearchRin("61234");
                 Lines(model);
               });
  return ok;
}

}  // namespace

int main() {
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  std::printf("Building %d individuals...\n", kPeople);
  if (!Build(dir.File("bench.orv"))) {
    std::printf("could not build the family file\n");
    return 1;
  }
  CIndividualListModel model;
  if (!model.SetRinRange(0, 0)) return 1;
  bool ok = RunOrder(model, "RIN order", false);
  if (!model.SetOrder(CIndividualListModel::kNameOrder)) return 1;
  ok &= RunOrder(model, "name order", false);

  CBitSet members;
  members.Init(kPeople + 1);
  for (int i = 0; i < 1000; ++i) members.SetBit(1 + (i * 7919) % kPeople, 1);
  const auto start = std::chrono::steady_clock::now();
  if (!model.SetResultsOnly(&members)) return 1;
  std::printf("%-44s %7.3f ms\n", "name order: gather 1,000 members", Ms(start));
  ok &= RunOrder(model, "name order", true);
  model.SetOrder(CIndividualListModel::kRinOrder);
  ok &= RunOrder(model, "RIN order", true);
  DbCloseCurrent();
  return ok ? 0 : 2;
}
