// A family of 10,000 individuals, each with a birth citation, two user
// events, a marriage and a paragraph of notes. Times the Individual
// Summary's pass over all of them as a chosen set (on the recording
// device), then the drawing of one page, and prints both.
#include <chrono>
#include <cstdio>
#include <string>

#include "BitSet.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "IndividualSummaryGenerator.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "SourceRecord.h"
#include "TempDir.h"
#include "UserEventRecord.h"

namespace {

constexpr int kPeople = 10000;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

bool Build(const std::string& path, CBitSet& set) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CSourceRecord source;
  source.title = "County Register";
  const std::int32_t src = DbAddRecord(db::kSource, 0, &source);
  CEventTypeRecord type;
  type.title = "Residence";
  type.shortTitle = "Resi";
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  CIndividualRecord person;
  std::int32_t previous = 0;
  for (int i = 0; i < kPeople; ++i) {
    person.Clear();
    person.surname = "Surname" + std::to_string(i % 500);
    person.givenNames[0] = "P" + std::to_string(i);
    person.sex = i % 2 ? 'F' : 'M';
    person.birth.date.Set(1700 + i % 300, 1 + i % 12, 1 + i % 28);
    const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
    if (rin <= 0) return false;
    set.SetBit(rin, 1);
    for (int e = 0; e < 2; ++e) {
      CUserEventRecord event(rin, db::kOwnerIndividual, typeNumber, 0);
      event.GetEvent()->date.Set(1720 + i % 300 + e, 1, 1);
      const auto number = static_cast<std::int32_t>(family::Add(event, 0));
      if (number <= 0 || DbLinkRecord(number, db::kUserEvent, rin, db::kOwnerIndividual) <= 0)
        return false;
    }
    CCitationRecord citation;
    citation.sourceRin = src;
    citation.ownerLetter = db::kOwnerBirth;
    citation.ownerNumber = rin;
    citation.pageText = "folio " + std::to_string(i);
    if (DbAddRecord(db::kCitation, 0, &citation) <= 0 ||
        DbSetNotes(rin, "Lived and worked in the parish all of a long life.", 0, 0,
                   db::kIndividual) <= 0 ||
        (i % 2 == 1 && DbSetRelation(previous, rin, db::kRelHusband, 0) <= 0))
      return false;
    previous = rin;
  }
  return DbEndBatch() == 1;
}

}  // namespace

int main() {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  TempDir dir;
  CBitSet set;
  auto start = std::chrono::steady_clock::now();
  if (!Build(dir.Path() + "summary.fam", set)) {
    std::fprintf(stderr, "could not build the family\n");
    return 1;
  }
  std::printf("built %d individuals in %.0f ms\n", kPeople, Ms(start));

  rpt::IndividualSummaryOptions options;
  RecordingDevice dc;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  const rpt::SummaryWalkSetup setup = rpt::MakeSummaryWalkSetup(&dc, options);
  rpt::SummaryRunRequest request;
  request.set = &set;
  rpt::HeadlessPaginatorWindow window;
  start = std::chrono::steady_clock::now();
  const int pages = rpt::PaginateIndividualSummary(request, setup, window);
  const double pass = Ms(start);
  std::printf("pagination of %d individuals: %d pages in %.0f ms (%.3f ms an individual)\n",
              kPeople, pages, pass, pass / kPeople);

  rpt::CIndividualSummaryGenerator generator(options);
  generator.CreateSummaryFonts(&dc);
  const int page = pages / 2 > 0 ? pages / 2 : 1;
  start = std::chrono::steady_clock::now();
  constexpr int kDraws = 20;
  for (int i = 0; i < kDraws; ++i) {
    dc.calls.clear();
    generator.PrintSummaryPage(&dc, page, true);
  }
  std::printf("drawing page %d: %.2f ms (%zu drawing calls)\n", page, Ms(start) / kDraws,
              dc.calls.size());
  rpt::CleanupIndividualSummaryPages();
  DbCloseCurrent();
  return 0;
}
