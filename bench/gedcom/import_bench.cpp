// gedcom_bench [FILE.ged]: imports FILE into a new family file in a
// temporary folder and prints the time and the peak memory of the import.
// Without FILE it imports two seeded files of 100,000 individuals (or
// GEDCOM_BENCH_INDIVIDUALS): a regular tree with families, events, notes,
// sources and citations, and a family shaped as researched over years
// (RealisticFamily.h). Each import runs in a process of its own, so that
// its peak memory is its own. gedcom_bench --sizes imports both kinds at
// 10,000, 50,000, 100,000 and 200,000 individuals and prints the time per
// individual, which stays about the same when the import grows linearly.
// gedcom_bench --write seeded|realistic FILE [N] only writes that file.
// gedcom_bench --shapes imports files of a single lopsided shape (one
// family with many children, one person with many events, one person with
// many marriages) at two sizes each and prints the times: an import linear
// in its lines takes about twice as long at twice the size. With
// KORVANE_BENCH_KEEP naming a folder, the clock is fixed and the family
// files are kept there as import.orv and import-realistic.orv, so that the
// bytes the import writes can be compared between builds.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "Clock.h"
#include "CustomEventTable.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "GedcomImporter.h"
#include "RealisticFamily.h"

namespace {

int kIndividuals = 100000;
constexpr std::uint32_t kRealisticSeed = 1877;

// A family tree of couples with two to four children, each person with a
// birth, some with a death, an occupation, a note and a citation.
bool WriteSample(const std::string& path) {
  std::mt19937 random(17);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "0 HEAD\n1 SOUR BENCH\n1 CHAR ANSI\n");
  const char* given[] = {"Ann", "Bert", "Cora", "Dirk", "Eva", "Finn", "Gert", "Hanna"};
  const char* surname[] = {"Smit", "Jansen", "de Vries", "Bakker", "Visser", "Mulder"};
  const char* town[] = {"Ely, Cambs, England", "Delft, Zuid-Holland, Netherlands",
                        "Gent, Oost-Vlaanderen, Belgium"};
  for (int s = 1; s <= 50; ++s)
    std::fprintf(f, "0 @S%d@ SOUR\n1 TITL Register %d\n1 AUTH Clerk %d\n", s, s, s);
  int person = 0, family = 0;
  // Families: husband 2k+1 and wife 2k+2 of generation g have children
  // numbered after all parents of the generation.
  std::string families;
  std::vector<int> famsOf(kIndividuals + 1, 0), famcOf(kIndividuals + 1, 0);
  int nextChild = 1001;
  for (int parent = 1; parent + 1 <= kIndividuals && nextChild <= kIndividuals; parent += 2) {
    ++family;
    famsOf[parent] = famsOf[parent + 1] = family;
    families += "0 @F" + std::to_string(family) + "@ FAM\n1 HUSB @I" + std::to_string(parent) +
                "@\n1 WIFE @I" + std::to_string(parent + 1) + "@\n1 MARR\n2 DATE " +
                std::to_string(1700 + parent % 250) + "\n2 PLAC " + town[family % 3] + "\n";
    const int children = 2 + static_cast<int>(random() % 3);
    for (int c = 0; c < children && nextChild <= kIndividuals; ++c, ++nextChild) {
      famcOf[nextChild] = family;
      families += "1 CHIL @I" + std::to_string(nextChild) + "@\n";
    }
  }
  for (person = 1; person <= kIndividuals; ++person) {
    std::fprintf(f,
                 "0 @I%d@ INDI\n1 NAME %s %s /%s/\n1 SEX %c\n1 BIRT\n2 DATE %d %s %d\n2 PLAC %s\n",
                 person, given[random() % 8], given[random() % 8], surname[random() % 6],
                 person % 2 ? 'M' : 'F', 1 + static_cast<int>(random() % 28),
                 random() % 2 ? "JAN" : "JUL", 1700 + person % 250, town[random() % 3]);
    std::fprintf(f, "2 SOUR @S%d@\n3 PAGE p. %d\n", 1 + person % 50, person % 300);
    if (person % 3 == 0) std::fprintf(f, "1 DEAT\n2 DATE %d\n", 1760 + person % 250);
    if (person % 4 == 0) std::fprintf(f, "1 OCCU Farmer\n2 DATE 1800\n");
    if (person % 5 == 0)
      std::fprintf(f, "1 NOTE Remembered as a kind person.\n2 CONT Moved twice.\n");
    if (person % 10 == 0) std::fprintf(f, "1 NOTE @N%d@\n", person / 10);
    if (famsOf[person]) std::fprintf(f, "1 FAMS @F%d@\n", famsOf[person]);
    if (famcOf[person]) std::fprintf(f, "1 FAMC @F%d@\n", famcOf[person]);
  }
  std::fputs(families.c_str(), f);
  for (int n = 1; n <= kIndividuals / 10; ++n)
    std::fprintf(f, "0 @N%d@ NOTE Shared note %d.\n", n, n);
  std::fprintf(f, "0 TRLR\n");
  const bool written = !std::ferror(f);
  return std::fclose(f) == 0 && written;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// One family with n children.
std::string ManyChildren(int n) {
  std::string text = "0 HEAD\n1 CHAR ANSI\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n";
  for (int i = 0; i < n; ++i) text += "1 CHIL @C" + std::to_string(i) + "@\n";
  text += "0 @I1@ INDI\n1 NAME Far /Berg/\n1 SEX M\n1 FAMS @F1@\n";
  text += "0 @I2@ INDI\n1 NAME Mor /Berg/\n1 SEX F\n1 FAMS @F1@\n";
  for (int i = 0; i < n; ++i)
    text += "0 @C" + std::to_string(i) + "@ INDI\n1 NAME Barn" + std::to_string(i) +
            " /Berg/\n1 FAMC @F1@\n";
  return text + "0 TRLR\n";
}

// One person with n events of their own kinds.
std::string ManyEvents(int n) {
  std::string text = "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ola /Vik/\n1 SEX M\n";
  for (int i = 0; i < n; ++i)
    text += "1 RESI\n2 DATE " + std::to_string(1 + i % 28) + " JAN " +
            std::to_string(1800 + i % 200) + "\n2 PLAC Town" + std::to_string(i) + "\n";
  return text + "0 TRLR\n";
}

// One person with n marriages, each to a wife of their own.
std::string ManyMarriages(int n) {
  std::string text = "0 HEAD\n1 CHAR ANSI\n0 @I0@ INDI\n1 NAME Per /Holm/\n1 SEX M\n";
  for (int i = 1; i <= n; ++i) text += "1 FAMS @F" + std::to_string(i) + "@\n";
  for (int i = 1; i <= n; ++i) {
    const std::string k = std::to_string(i);
    text += "0 @W" + k + "@ INDI\n1 NAME Wife" + k + " /Lund/\n1 SEX F\n1 FAMS @F" + k + "@\n";
    text += "0 @F" + k + "@ FAM\n1 HUSB @I0@\n1 WIFE @W" + k + "@\n1 MARR\n2 DATE " +
            std::to_string(1800 + i % 200) + "\n";
  }
  return text + "0 TRLR\n";
}

// Imports text into a new family file in dir; the seconds it took, or -1.
double TimeImport(const std::filesystem::path& dir, const std::string& text) {
  const std::string gedcom = (dir / "shape.ged").string();
  const std::string family = (dir / "shape.orv").string();
  std::FILE* f = std::fopen(gedcom.c_str(), "wb");
  if (!f) return -1;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !written) return -1;
  std::filesystem::remove(family);
  if (DbCreate(family, CFamilyDatabase::kCurrentFormat) != 1 ||
      DbOpen(family, CFamilyDatabase::kCurrentFormat) != 1)
    return -1;
  const auto start = std::chrono::steady_clock::now();
  DbBeginBatch();
  gedcom::CGedcomImporter importer(gedcom, (dir / "shape.lst").string(), {});
  const int result = importer.Import();
  const bool ended = DbEndBatch() == 1;
  const double seconds = Seconds(start);
  DbCloseCurrent();
  return result == 1 && ended ? seconds : -1;
}

int RunShapes(const std::filesystem::path& dir) {
  const struct {
    const char* name;
    std::string (*make)(int);
    int size;
  } shapes[] = {
      {"one family, children", ManyChildren, 10000},
      {"one person, events", ManyEvents, 5000},
      {"one person, marriages", ManyMarriages, 3000},
  };
  for (const auto& shape : shapes) {
    const double once = TimeImport(dir, shape.make(shape.size));
    const double twice = TimeImport(dir, shape.make(2 * shape.size));
    if (once < 0 || twice < 0) {
      std::fprintf(stderr, "%s: the import failed\n", shape.name);
      return 1;
    }
    std::printf("%-24s %6d: %7.3f s   %6d: %7.3f s   ratio %.2f\n", shape.name, shape.size, once,
                2 * shape.size, twice, once > 0 ? twice / once : 0.0);
  }
  return 0;
}

// Prints the time at which each phase of the import begins.
class PhaseTimes : public gedcom::ImportProgress {
 public:
  void SetStatus(const std::string& text) override {
    std::printf("  %6.2f s  %s\n", Seconds(start_), text.c_str());
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// What one import took.
struct ImportFigures {
  double seconds = -1;
  long peakKilobytes = 0;
};

// Runs step in a child process and hands back the result it filled in;
// false when the step or the child failed.
template <class Result, class Step>
bool InChild(Result& out, Step step) {
  int ends[2];
  if (pipe(ends) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(ends[0]);
    close(ends[1]);
    return false;
  }
  if (child == 0) {
    close(ends[0]);
    Result result{};
    const bool ok = step(result);
    const bool sent = write(ends[1], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    _exit(ok && sent ? 0 : 1);
  }
  close(ends[1]);
  const bool got = read(ends[0], &out, sizeof out) == static_cast<ssize_t>(sizeof out);
  close(ends[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Imports gedcom into a new family file in dir, in a process of its own;
// with keepAs and KORVANE_BENCH_KEEP the family file is kept under that
// name. With report, prints the phases and the counts.
bool ImportInChild(const std::filesystem::path& dir, const std::string& gedcom, const char* keepAs,
                   bool report, ImportFigures& out) {
  return InChild(out, [&](ImportFigures& figures) {
    const std::string family = (dir / "bench.orv").string();
    std::filesystem::remove(family);
    if (DbCreate(family, CFamilyDatabase::kCurrentFormat) != 1 ||
        DbOpen(family, CFamilyDatabase::kCurrentFormat) != 1) {
      std::fprintf(stderr, "cannot make the family file %s\n", family.c_str());
      return false;
    }
    const auto start = std::chrono::steady_clock::now();
    DbBeginBatch();
    PhaseTimes phases;
    gedcom::CGedcomImporter importer(gedcom, (dir / "bench.lst").string(), {},
                                     report ? &phases : nullptr);
    const int imported = importer.Import();
    const int result = DbEndBatch() == 1 ? imported : 0;
    figures.seconds = Seconds(start);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    figures.peakKilobytes = usage.ru_maxrss;
    if (report)
      std::printf("import %s: result %d, %ld individuals, %ld families, %d errors\n",
                  gedcom.c_str(), result, importer.Made(gedcom::CGedcomImporter::kIndividuals),
                  importer.Made(gedcom::CGedcomImporter::kFamilies), importer.Errors());
    DbCloseCurrent();
    const char* keep = std::getenv("KORVANE_BENCH_KEEP");
    if (keep && keepAs) {
      std::error_code ec;
      std::filesystem::rename(family, std::filesystem::path(keep) / keepAs, ec);
    }
    return result == 1;
  });
}

// Writes the seeded file of the kind asked with n individuals, in a process
// of its own (the bench's own memory stays small for the imports it forks).
bool WriteKind(bool realistic, int n, const std::string& path) {
  int done = 0;
  return InChild(done, [&](int& ok) {
    kIndividuals = n;
    ok = realistic ? WriteRealisticFamily(path, n, kRealisticSeed) : WriteSample(path);
    return ok != 0;
  });
}

// Both kinds at four sizes: the time per individual, and how it grows.
int RunSizes(const std::filesystem::path& dir) {
  const int sizes[] = {10000, 50000, 100000, 200000};
  for (const bool realistic : {false, true}) {
    const char* kind = realistic ? "realistic" : "seeded";
    double firstPerPerson = 0;
    for (const int n : sizes) {
      const std::string gedcom = (dir / "sizes.ged").string();
      ImportFigures figures;
      if (!WriteKind(realistic, n, gedcom) ||
          !ImportInChild(dir, gedcom, nullptr, false, figures)) {
        std::fprintf(stderr, "%s %d: the import failed\n", kind, n);
        return 1;
      }
      std::filesystem::remove(gedcom);
      const double perPerson = figures.seconds / n * 1e6;
      if (firstPerPerson == 0) firstPerPerson = perPerson;
      std::printf(
          "%-9s %7d individuals: import %7.3f s, %6.1f us each (%.2fx the first), "
          "peak memory %.1f MB\n",
          kind, n, figures.seconds, perPerson, perPerson / firstPerPerson,
          figures.peakKilobytes / 1024.0);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (const char* n = std::getenv("GEDCOM_BENCH_INDIVIDUALS")) kIndividuals = std::atoi(n);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "--write" && argc > 3) {
    if (argc > 4) kIndividuals = std::atoi(argv[4]);
    const std::string kind = argv[2];
    if (kind == "seeded") return WriteSample(argv[3]) ? 0 : 1;
    if (kind == "realistic")
      return WriteRealisticFamily(argv[3], kIndividuals, kRealisticSeed) ? 0 : 1;
    std::fprintf(stderr, "--write seeded|realistic FILE [N]\n");
    return 1;
  }
  if (std::getenv("KORVANE_BENCH_KEEP")) plat::SetFixedTime(1700000000);
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("gedcom_bench." + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  LoadCustomEventTable();
  int result = 0;
  if (mode == "--shapes") {
    result = RunShapes(dir);
  } else if (mode == "--sizes") {
    result = RunSizes(dir);
  } else {
    struct Kind {
      const char* label;
      bool realistic;
      const char* keepAs;
    };
    std::vector<Kind> kinds;
    if (argc > 1)
      kinds.push_back({argv[1], false, "import.orv"});
    else
      kinds = {{"seeded", false, "import.orv"}, {"realistic", true, "import-realistic.orv"}};
    for (const Kind& kind : kinds) {
      std::string gedcom = argc > 1 ? argv[1] : (dir / (std::string(kind.label) + ".ged")).string();
      if (argc <= 1) {
        const auto start = std::chrono::steady_clock::now();
        if (!WriteKind(kind.realistic, kIndividuals, gedcom)) {
          std::fprintf(stderr, "cannot write %s\n", gedcom.c_str());
          result = 1;
          break;
        }
        std::printf("wrote %s (%.0f MB) in %.2f s\n", gedcom.c_str(),
                    std::filesystem::file_size(gedcom) / 1e6, Seconds(start));
      }
      ImportFigures figures;
      const bool imported = ImportInChild(dir, gedcom, kind.keepAs, true, figures);
      std::printf("%s: time %.2f s, peak memory %.1f MB%s\n", kind.label, figures.seconds,
                  figures.peakKilobytes / 1024.0, imported ? "" : " (the import FAILED)");
      if (!imported) result = 1;
      if (argc <= 1) std::filesystem::remove(gedcom);
    }
  }
  std::filesystem::remove_all(dir);
  return result;
}
