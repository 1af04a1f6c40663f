// A descendants tree of 5,000 families: each family has two children, each
// child marries and founds a family of its own; every person has a birth,
// notes and a citation. Times the Family Group Record cascading down from
// the first family (the pass, then drawing every page on the recording
// device) and prints the figures and the peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <string>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyGroupGenerator.h"
#include "FamilyGroupRun.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "SourceRecord.h"
#include "TempDir.h"

namespace {

constexpr int kFamilies = 5000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::int32_t Person(int n, char sex, std::int32_t source) {
  CIndividualRecord person;
  person.surname = "Line" + std::to_string(n % 97);
  person.givenNames[0] = "P" + std::to_string(n);
  person.sex = sex;
  person.birth.date.Set(1700 + n % 250, 1 + n % 12, 1 + n % 28);
  person.birth.place[0] = "Town" + std::to_string(n % 300);
  const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
  if (rin <= 0) return 0;
  if (DbSetNotes(rin,
                 "Notes of person " + std::to_string(n) +
                     ". The parish register gives the baptism, the banns and the burial; the "
                     "census adds the household and the trade.",
                 0, 0, db::kIndividual) <= 0)
    return 0;
  CCitationRecord citation;
  citation.sourceRin = source;
  citation.ownerLetter = db::kOwnerBirth;
  citation.ownerNumber = rin;
  citation.pageText = "folio " + std::to_string(n);
  if (DbAddRecord(db::kCitation, 0, &citation) <= 0) return 0;
  return rin;
}

bool Build(const std::string& path, std::int32_t& root, std::int32_t& rootFamily) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CSourceRecord register_;
  register_.title = "Parish Register";
  const std::int32_t source = DbAddRecord(db::kSource, 0, &register_);
  int n = 0;
  root = Person(n++, 'M', source);
  rootFamily = DbSetRelation(root, Person(n++, 'F', source), db::kRelHusband, 0);
  std::deque<std::int32_t> open{rootFamily};
  int families = 1;
  while (!open.empty() && families < kFamilies) {
    const std::int32_t mrin = open.front();
    open.pop_front();
    for (int c = 0; c < 2 && families < kFamilies; ++c) {
      const std::int32_t child = Person(n++, c == 0 ? 'M' : 'F', source);
      if (child <= 0 || DbSetRelation(child, 0, db::kRelParents, mrin) <= 0) return false;
      const std::int32_t spouse = Person(n++, c == 0 ? 'F' : 'M', source);
      const std::int32_t m = c == 0 ? DbSetRelation(child, spouse, db::kRelHusband, 0)
                                    : DbSetRelation(spouse, child, db::kRelHusband, 0);
      if (m <= 0) return false;
      open.push_back(m);
      ++families;
    }
  }
  return DbEndBatch() == 1 && families == kFamilies;
}

}  // namespace

int main() {
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile(&profile);
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes(&boxes);
  TempDir dir;
  std::int32_t root = 0, rootFamily = 0;
  auto start = std::chrono::steady_clock::now();
  if (!Build(dir.File("fgr.orv"), root, rootFamily)) {
    std::fprintf(stderr, "could not build the family\n");
    return 1;
  }
  std::printf("built %d families in %.2f s\n", kFamilies, Seconds(start));

  rpt::FamilyGroupOptions options;
  options.type = 1;
  options.cascType = 1;
  options.sourceNotes = 3;
  RecordingDevice dc(1000);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  rpt::CFamilyGroupGenerator generator(options, {root, 1});
  generator.SetUp(dc);
  const rpt::FamilyGroupGeometry& g = generator.Geometry();
  rpt::FamilyGroupRunArgs args;
  args.mode = rpt::kFamilyGroupCascadeDown;
  args.notesOption = 3;
  args.startRin = root;
  args.chosenFamily = rootFamily;
  args.dc = &dc;
  args.notesWidth = g.notesWidth;
  args.bodyHeight = g.BodyHeight();
  args.notesLineHeight = rpt::FamilyGroupNotesLineHeight("Times New Roman;Normal;9pt");
  rpt::HeadlessPaginatorWindow window;
  start = std::chrono::steady_clock::now();
  const int pages = rpt::PaginateFamilyGroupRecord(args, options, window);
  const double paging = Seconds(start);
  std::printf("pass: %d pages in %.2f s\n", pages, paging);

  start = std::chrono::steady_clock::now();
  std::size_t calls = 0;
  for (int page = 1; page <= pages; ++page) {
    dc.calls.clear();
    generator.DrawPage(dc, page);
    calls += dc.calls.size();
  }
  std::printf("drawing: %d pages (%zu calls) in %.2f s, %d rows past a foot\n", pages, calls,
              Seconds(start), generator.OverflowRows());
  rpt::CleanupFamilyGroupPages();
  DbCloseCurrent();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory: %ld MB\n", usage.ru_maxrss / 1024);
  return pages > 0 ? 0 : 1;
}
