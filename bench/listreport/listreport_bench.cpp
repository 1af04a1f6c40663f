// A family of 10,000 individuals, each with a birth and a death place and
// notes. Times the Place List (about 20,000 rows) and the Individuals with
// Notes list (10,000 rows): paging, printing every page into an RTF
// document and writing it, paging and printing every page to a PDF file on a
// Qt PDF printer, and page 400 (or the last) printed alone; then the peak
// memory. Each step should stay under 3 s.
#include <sys/resource.h>

#include <QGuiApplication>
#include <QPrinter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "ListReports.h"
#include "QtReportDevice.h"
#include "RTFDocument.h"
#include "RTFFile.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "TempDir.h"

namespace {

constexpr int kPeople = 10000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool Build(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CIndividualRecord person;
  for (int i = 0; i < kPeople; ++i) {
    person.Clear();
    person.surname = "S" + std::to_string((i * 7919) % kPeople);
    person.givenNames[0] = "P" + std::to_string(i);
    person.birth.date.Set(1700 + i % 300, 1 + i % 12, 1 + i % 28);
    person.birth.place[0] = "Town" + std::to_string(i % 500);
    person.birth.place[3] = "Land";
    person.death.date.Set(1760 + i % 300, 1 + i % 12, 1 + i % 28);
    person.death.place[0] = "City" + std::to_string(i % 300);
    person.death.place[3] = "Land";
    const long rin = family::Add(person, 0);
    if (rin <= 0) return false;
    if (DbSetNotes(static_cast<std::int32_t>(rin), "Notes of person " + std::to_string(i), 0, 0,
                   db::kIndividual) <= 0)
      return false;
  }
  return DbEndBatch() == 1;
}

// Pages the report on a Letter PDF printer and prints every page into the
// file; the page count, or 0. pagingTime gets the paging's share.
int PrintPdf(CListReport& report, const std::string& path, double& pagingTime) {
  const auto start = std::chrono::steady_clock::now();
  QPrinter printer(QPrinter::HighResolution);
  printer.setResolution(600);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path));
  printer.setPageSize(QPageSize(QPageSize::Letter));
  fw::CQtReportDevice dc(&printer);
  report.SetPaper(8500, 11000, true);
  CPrintInfo info;
  plat::FakeProgress progress;
  if (report.Paginate(&dc, &info, &progress) == 0) return 0;
  pagingTime = Seconds(start);
  for (int page = 1; page <= report.PageCount(); ++page) {
    if (page > 1) printer.newPage();
    dc.SetMapMode(rpt::MM_HIENGLISH);
    info.currentPage = page;
    report.PrintPageOn(&dc, &info);
  }
  return report.PageCount();
}

bool Run(const char* what, CListReport& paged, CListReport& rtf, CListReport& pdf,
         CListReport& alone, const std::string& pdfPath) {
  bool ok = true;
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  auto start = std::chrono::steady_clock::now();
  if (paged.Paginate(&measure, &info, &progress) == 0) return false;
  const double paging = Seconds(start);

  start = std::chrono::steady_clock::now();
  if (rtf.Paginate(&measure, &info, &progress) == 0) return false;
  rtf.SetRTFOutput(true);
  for (int page = 1; page <= rtf.PageCount(); ++page) {
    info.currentPage = page;
    rtf.PrintPageOn(&measure, &info);
  }
  CRTFFile file;
  file.OpenMemory();
  rtf.GetDocument().Write(file);
  const double rtfTime = Seconds(start);

  start = std::chrono::steady_clock::now();
  double pdfPaging = 0;
  const int pdfPages = PrintPdf(pdf, pdfPath, pdfPaging);
  const double pdfTime = Seconds(start);
  if (pdfPages == 0) return false;

  if (alone.Paginate(&measure, &info, &progress) == 0) return false;
  start = std::chrono::steady_clock::now();
  RecordingDevice page;
  // Page 400, or the last page of a shorter list.
  info.currentPage = std::min(400, alone.PageCount());
  alone.PrintPageOn(&page, &info);
  const double page400 = Seconds(start);
  if (page.calls.empty()) return false;

  std::printf(
      "%-24s %5d pages  paging %.3f s  RTF %.3f s (%zu bytes)  PDF %.3f s (%d pages, paging %.3f "
      "s)  "
      "page %d alone %.4f s\n",
      what, paged.PageCount(), paging, rtfTime, file.MemoryContents().size(), pdfTime, pdfPages,
      pdfPaging, info.currentPage, page400);
  for (double t : {paging, rtfTime, pdfTime, page400}) ok = ok && t < 3.0;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile(&profile);
  TempDir dir;
  const std::string path = dir.Path() + "bench.fam";
  auto start = std::chrono::steady_clock::now();
  if (!Build(path)) {
    std::fprintf(stderr, "could not build the family\n");
    return 1;
  }
  std::printf("family of %d built in %.2f s\n", kPeople, Seconds(start));
  bool ok = true;
  {
    CPlaceListReport a, b, c, d;
    ok = Run("Place List", a, b, c, d, dir.Path() + "places.pdf") && ok;
  }
  {
    CIndividualNotesListReport a, b, c, d;
    ok = Run("Individuals with Notes", a, b, c, d, dir.Path() + "notes.pdf") && ok;
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory %ld MB\n", usage.ru_maxrss / 1024);
  DbCloseCurrent();
  std::printf(ok ? "every step under 3 s\n" : "SOME STEP OVER 3 s\n");
  return ok ? 0 : 1;
}
