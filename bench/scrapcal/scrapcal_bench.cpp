// A family of 20,000 individuals, a third born in July, every tenth married
// in July, the first 200 with 25 scrapbook pictures each. Times the
// Scrapbook's pass over the 200 and the drawing of their pages, then the
// Event Calendar's pass over everybody and the drawing of its pages (on the
// recording device), and prints the figures.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "BitSet.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventCalendarGenerator.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "ScrapbookGenerator.h"
#include "TempDir.h"

namespace {

constexpr int kPeople = 20000;
constexpr int kAlbums = 200;
constexpr int kPicturesEach = 25;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

bool Build(const std::string& path, CBitSet& everybody, CBitSet& albums) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  std::int32_t previous = 0;
  for (int i = 0; i < kPeople; ++i) {
    CIndividualRecord person;
    person.givenNames[0] = "Person" + std::to_string(i);
    person.surname = "Family" + std::to_string(i % 97);
    person.sex = i % 2 == 0 ? 'M' : 'F';
    person.birth.date.Set(1900 + i % 100, i % 3 == 0 ? 7 : 1 + i % 12, 1 + i % 31);
    const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
    if (rin <= 0) return false;
    everybody.SetBit(rin, 1);
    if (i % 10 == 1) {
      const std::int32_t mrin = DbSetRelation(previous, rin, db::kRelHusband, 0);
      CMarriageRecord marriage;
      if (mrin > 0 && family::Read(marriage, mrin) == 1) {
        marriage.marriage.date.Set(1950 + i % 40, 7, 1 + i % 28);
        if (family::Update(marriage, 0) != 1) return false;
      }
    }
    if (i < kAlbums) {
      albums.SetBit(rin, 1);
      CMultimediaList head;
      CMultimediaItem* last = nullptr;
      for (int p = 0; p < kPicturesEach; ++p) {
        auto item = std::make_unique<CMultimediaItem>();
        item->kind = CMultimediaItem::kPhoto;
        item->flags = CMultimediaItem::kFlagScrapbook;
        item->fileName = "pictures/p" + std::to_string(p) + ".jpg";
        item->caption = "Picture " + std::to_string(p) + " of a long afternoon by the river";
        item->description = "Description of the picture, long enough to take several lines.";
        CMultimediaItem* raw = item.get();
        if (last == nullptr)
          head = std::move(item);
        else
          last->next = std::move(item);
        last = raw;
      }
      if (DbSaveMultimediaChain(rin, head.get(), db::kIndividual) != 1) return false;
    }
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
  CBitSet everybody, albums;
  auto start = std::chrono::steady_clock::now();
  if (!Build(dir.File("bench.fam"), everybody, albums)) {
    std::puts("could not build the family");
    return 1;
  }
  std::printf("build: %d individuals in %.0f ms\n", kPeople, Ms(start));

  RecordingDevice dc;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  rpt::HeadlessPaginatorWindow window;

  const rpt::ScrapbookOptions scrap;
  start = std::chrono::steady_clock::now();
  const int scrapPages = rpt::PaginateScrapbook(0, scrap.PicturesPerPage(), &albums, window);
  std::printf("scrapbook pass: %d pages in %.1f ms\n", scrapPages, Ms(start));
  start = std::chrono::steady_clock::now();
  {
    rpt::CScrapbookGenerator g(scrap);
    g.BeginScrapbook(&dc);
    for (int page = 1; page <= scrapPages; ++page) {
      dc.calls.clear();
      g.PrintScrapbookPage(&dc, page);
    }
  }
  std::printf("scrapbook pages: %.2f ms a page\n", Ms(start) / std::max(1, scrapPages));
  rpt::CleanupScrapbookPages();

  rpt::EventCalendarOptions cal;
  cal.year = 2001;
  cal.month = 6;
  cal.living = false;
  rpt::CEventCalendarGenerator g(cal);
  g.BeginEventCalendar(&dc);
  start = std::chrono::steady_clock::now();
  const int calPages = rpt::PaginateEventCalendar(
      rpt::MakeCalendarRunSettings(cal, g.Geometry(), &everybody), window);
  std::printf("calendar pass: %d pages, %d in boxes, %d listed, %d pumps in %.1f ms\n", calPages,
              rpt::CalendarEntryCount(0), rpt::CalendarEntryCount(1), window.pumps, Ms(start));
  start = std::chrono::steady_clock::now();
  for (int page = 1; page <= calPages; ++page) {
    dc.calls.clear();
    g.DrawEventCalendarPage(&dc, page, calPages);
  }
  std::printf("calendar pages: %.2f ms a page\n", Ms(start) / std::max(1, calPages));
  rpt::CleanupCalendarPages();
  DbCloseCurrent();
  return 0;
}
