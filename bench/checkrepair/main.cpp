// Times Check and Check/Repair of the engine bench's family file (100,000
// individuals with names, a birth and a place; 40,000 marriages with spouses
// and children, built through the record calls). Without an argument the
// engine bench is run to write the file; with one, that family file is
// checked (a copy of it is repaired). Prints the times, the problems found
// and peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "Ports.h"

namespace {

bool TimeCheck(const std::string& path, const std::string& report, int repair) {
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  const auto start = std::chrono::steady_clock::now();
  CDatabaseChecker checker(path, report, *CurrentDatabase, repair);
  const int completed = checker.Run();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  checker.Finish();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%s: %.3f s (%s 5 s), %lu problems, %s, peak %ld KB\n",
              repair ? "check/repair" : "check", seconds, seconds < 5.0 ? "under" : "NOT under",
              checker.ProblemCount(), completed ? "completed" : "STOPPED", usage.ru_maxrss);
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

void RemoveFamily(const std::string& path) {
  for (const char letter : {'a', 'x', 'l', 's', 'r'})
    plat::DeleteFile(SetExtensionLastCharStr(path, letter));
  plat::DeleteFile(path);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = plat::TempFolder() + "korvane-check-bench-" + std::to_string(getpid());
  if (!plat::MakeDirectory(folder)) return 1;
  std::string family;
  if (argc > 1) {
    family = argv[1];
  } else {
    const std::string command = std::string("KORVANE_BENCH_KEEP='") + folder + "' '" +
                                ENGINE_BENCH + "' '" + folder + "/bench.orv' > /dev/null";
    if (std::system(command.c_str()) != 0) {
      std::printf("engine bench: FAILED\n");
      return 1;
    }
    family = folder + "/record-calls.orv";
  }
  const std::string copy = folder + "/checked.orv";
  const std::string report = folder + "/checkfix.rpt";
  if (CopyFileRaw(family, copy, false) != 0) {
    std::printf("cannot copy %s\n", family.c_str());
    return 1;
  }
  SilentBoxes boxes;
  NoShell shell;
  plat::SetMessageBoxPort(&boxes);
  plat::SetShellPort(&shell);
  const bool ok = TimeCheck(copy, report, 0) && TimeCheck(copy, report, 1);
  plat::SetMessageBoxPort(nullptr);
  plat::SetShellPort(nullptr);
  RemoveFamily(copy);
  if (argc <= 1)
    for (const char* kept : {"record-calls", "records", "name-tree-random", "name-tree-sorted"})
      RemoveFamily(folder + "/" + kept + ".orv");
  plat::DeleteFile(report);
  plat::RemoveDirectory(folder);
  return ok ? 0 : 2;
}
