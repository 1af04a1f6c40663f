// Builds the engine bench's family through the record calls (100,000
// individuals with names, a birth and a place; 40,000 marriages with spouses
// and children), opens it as the current database and times a Check and a
// Check/Repair of it. Prints the times, the problems found and peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <random>
#include <string>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ORV3.h"
#include "Ports.h"

namespace {

constexpr int kIndividuals = 100000;
constexpr int kMarriages = 40000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::string NameOf(int n, int width) {
  std::string s(static_cast<std::size_t>(width), 'a');
  for (int i = width - 1; i >= 0; --i, n /= 20)
    s[static_cast<std::size_t>(i)] = static_cast<char>('a' + n % 20);
  s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

bool Build(const std::string& path) {
  auto host = std::make_unique<EngineHost>();
  if (host->file.Create(path) != 0) return false;
  auto engine = std::make_unique<ORV3>(host.get());
  if (engine->Create(path) != 1) return false;
  std::vector<int> surnames(5000);
  std::iota(surnames.begin(), surnames.end(), 0);
  std::shuffle(surnames.begin(), surnames.end(), std::mt19937(3));
  engine->Blocks().BeginBatch();
  CIndividualRecord person;
  for (int i = 1; i <= kIndividuals; ++i) {
    person.Clear();
    person.surname = NameOf(surnames[static_cast<std::size_t>(i) % surnames.size()], 4);
    person.givenNames[0] = NameOf(i % 97, 3);
    person.sex = (i & 1) ? 'M' : 'F';
    person.birth.date.year = static_cast<std::uint16_t>(1800 + i % 200);
    person.birth.place[0] = NameOf(i % 300, 5);
    if (engine->Calls().AddRecord(db::kIndividual, false, &person) != i) return false;
  }
  CMarriageRecord marriage;
  for (int i = 1; i <= kMarriages; ++i) {
    marriage.Clear();
    marriage.husband = 2 * i - 1;
    marriage.wife = 2 * i;
    if (engine->Calls().AddRecord(db::kMarriage, false, &marriage) != i) return false;
    if (i >= 2 && engine->Families().DLLSETORV3RELATION(2 * i - 1, 0, db::kRelParents, i / 2) <= 0)
      return false;
    if (2 * kMarriages + i <= kIndividuals &&
        engine->Families().DLLSETORV3RELATION(2 * kMarriages + i, 0, db::kRelParents, i) <= 0)
      return false;
  }
  return engine->Blocks().EndBatch();
}

bool TimeCheck(const std::string& path, const std::string& report, int repair) {
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  const auto start = std::chrono::steady_clock::now();
  CDatabaseChecker checker(path, report, *CurrentDatabase, repair);
  const int completed = checker.Run();
  const double seconds = Seconds(start);
  checker.Finish();
  std::printf("%s: %.3f s (%s 5 s), %lu problems, %s, peak %ld KB\n",
              repair ? "check/repair" : "check", seconds, seconds < 5.0 ? "under" : "NOT under",
              checker.ProblemCount(), completed ? "completed" : "STOPPED", PeakKilobytes());
  DbCloseCurrent();
  return completed == 1;
}

// Answers every box with its default button and shows nothing.
class SilentBoxes : public plat::MessageBoxPort {
 public:
  int Show(const std::string&, const std::string&, unsigned flags) override {
    return plat::DefaultAnswer(flags);
  }
};
class NoShell : public plat::ShellPort {
 public:
  bool Open(const std::string&) override { return true; }
  bool MoveToTrash(const std::string&) override { return true; }
  bool RegisterFileTypes(const std::string&) override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
  const std::string base =
      argc > 1 ? argv[1] : plat::TempFolder() + "korvane-check-bench-" + std::to_string(getpid());
  const std::string path = base + ".orv";
  const std::string report = base + ".rpt";
  SilentBoxes boxes;
  NoShell shell;
  plat::SetMessageBoxPort(&boxes);
  plat::SetShellPort(&shell);
  auto start = std::chrono::steady_clock::now();
  if (!Build(path)) {
    std::printf("building the family: FAILED\n");
    return 1;
  }
  std::printf("family of %d individuals and %d marriages built: %.3f s\n", kIndividuals, kMarriages,
              Seconds(start));
  const bool ok = TimeCheck(path, report, 0) && TimeCheck(path, report, 1);
  for (const char letter : {'a', 'x', 'l'}) plat::DeleteFile(SetExtensionLastCharStr(path, letter));
  plat::DeleteFile(path);
  plat::DeleteFile(report);
  plat::SetMessageBoxPort(nullptr);
  plat::SetShellPort(nullptr);
  return ok ? 0 : 2;
}
