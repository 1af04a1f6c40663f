// Times the two books on families of 5,000: an Ahnentafel (person n the
// child of 2n and 2n + 1) and a Modified Register (person k the child of
// k / 3, each with a wife), every person with notes and a cited birth. For
// each book: pagination, the RTF file, and the PDF printed on a Qt printer.
// Aims: pagination under 3 s, RTF under 10 s, PDF under 30 s.
#include <QGuiApplication>
#include <QPrinter>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BookKinds.h"
#include "BookPagination.h"
#include "BookReportGenerator.h"
#include "ChartBox.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "SourceRecord.h"
#include "TempDir.h"

namespace {

constexpr int kPeople = 5000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::int32_t AddPerson(int n, char sex, std::int32_t source) {
  CIndividualRecord person;
  const unsigned v = (static_cast<unsigned>(n) * 2654435761u) % 17576u;
  person.surname = std::string(1, static_cast<char>('A' + v % 26)) +
                   static_cast<char>('a' + (v / 26) % 26) +
                   static_cast<char>('a' + (v / 676) % 26) + "sen";
  person.givenNames[0] = "P" + std::to_string(n);
  person.sex = sex;
  person.birth.date.Set(
      1990 - 20 * (n > 1 ? 1 + (31 - __builtin_clz(static_cast<unsigned>(n))) : 0), 3, 9);
  person.birth.place[0] = "Ashbourne";
  const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
  if (rin <= 0) return 0;
  if (DbSetNotes(rin,
                 "Notes of " + person.givenNames[0] +
                     ", told by a cousin and written down in the parish book, long enough to wrap "
                     "over a line or two of the page.\r\n\r\nA second paragraph of the notes.",
                 0, 0, db::kIndividual) <= 0)
    return 0;
  CCitationRecord c;
  c.sourceRin = source;
  c.ownerLetter = db::kOwnerBirth;
  c.ownerNumber = rin;
  c.pageText = "folio " + std::to_string(n % 400);
  if (DbAddRecord(db::kCitation, 0, &c) <= 0) return 0;
  return rin;
}

bool Build(const std::string& path, std::int32_t& ancestorsRoot, std::int32_t& descendantsRoot) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CSourceRecord source;
  source.title = "Parish Register of Saint Oswald";
  const std::int32_t s = DbAddRecord(db::kSource, 0, &source);
  std::vector<std::int32_t> a(kPeople + 1);
  for (int n = 1; n <= kPeople; ++n)
    if ((a[n] = AddPerson(n, n % 2 == 0 || n == 1 ? 'M' : 'F', s)) == 0) return false;
  for (int n = 1; 2 * n <= kPeople; ++n) {
    const std::int32_t mother = 2 * n + 1 <= kPeople ? a[2 * n + 1] : 0;
    const std::int32_t mrin = DbSetRelation(a[2 * n], mother, db::kRelHusband, 0);
    if (mrin <= 0 || DbSetRelation(a[n], 0, db::kRelParents, mrin) <= 0) return false;
  }
  // Descendants: man k and his wife have the men 3k - 1, 3k and 3k + 1.
  std::vector<std::int32_t> d(kPeople + 2), marriage(kPeople + 2);
  for (int k = 1; k <= kPeople; ++k) {
    if ((d[k] = AddPerson(100000 + k, 'M', s)) == 0) return false;
    if (3 * k - 1 <= kPeople) {
      const std::int32_t wife = AddPerson(200000 + k, 'F', s);
      marriage[k] = DbSetRelation(d[k], wife, db::kRelHusband, 0);
    }
  }
  for (int k = 2; k <= kPeople; ++k)
    if (DbSetRelation(d[k], 0, db::kRelParents, marriage[(k + 1) / 3]) <= 0) return false;
  if (DbEndBatch() != 1) return false;
  ancestorsRoot = a[1];
  descendantsRoot = d[1];
  return true;
}

void Time(const char* name, bool modifiedRegister, std::int32_t root, const std::string& folder) {
  // Pagination and RTF measure on a printer-like device.
  RecordingDevice dc(600);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  rpt::PrintableArea area;
  rpt::GetPrintableMargins(dc, 1000, 1000, 1000, 1000, area, false);
  auto start = std::chrono::steady_clock::now();
  const int pages = rpt::PaginateBookKind(modifiedRegister, &dc, area.width, area.height, root);
  std::printf("%-12s %-10s %8.2f s  (%d pages, %zu persons)\n", name, "pagination", Seconds(start),
              pages, rpt::CurrentBook().persons.size());

  start = std::chrono::steady_clock::now();
  {
    plat::FakeShell shell;
    plat::ScopedShell scoped{&shell};
    CBookReportGenerator g(modifiedRegister);
    g.SetRTFOutput(true);
    g.SetOutputFileName(folder + name + ".rtf");
    CPrintInfo info;
    info.maxPage = pages;
    for (int page = 1; page <= pages; ++page) {
      info.currentPage = page;
      g.DrawPage(&dc, &info);
    }
    g.FinishRTFDocument(&dc, &info);
  }
  std::printf("%-12s %-10s %8.2f s\n", name, "RTF", Seconds(start));
  rpt::CleanupBookPages();

  start = std::chrono::steady_clock::now();
  QPrinter printer(QPrinter::HighResolution);
  printer.setResolution(600);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(folder + name + ".pdf"));
  printer.setPageSize(QPageSize(QPageSize::Letter));
  fw::CQtReportDevice pdf(&printer);
  pdf.SetMapMode(rpt::MM_HIENGLISH);
  rpt::GetPrintableMargins(pdf, 1000, 1000, 1000, 1000, area, false);
  const int pdfPages = rpt::PaginateBookKind(modifiedRegister, &pdf, area.width, area.height, root);
  CBookReportGenerator g(modifiedRegister);
  CPrintInfo info;
  for (int page = 1; page <= pdfPages; ++page) {
    if (page > 1) printer.newPage();
    pdf.SetMapMode(rpt::MM_HIENGLISH);
    info.currentPage = page;
    g.DrawPage(&pdf, &info);
  }
  rpt::CleanupBookPages();
  std::printf("%-12s %-10s %8.2f s  (%d pages, paginated and printed)\n", name, "PDF",
              Seconds(start), pdfPages);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  for (const char* key : {"OtherNotes", "SourceNotes", "Index"}) profile.SetInt("BkRpt", key, 1);
  profile.SetInt("BkRpt", "EmbedNotes", 0);
  std::int32_t ancestors = 0, descendants = 0;
  std::printf("Building %d ancestors and %d descendants...\n", kPeople, kPeople);
  if (!Build(dir.File("books.orv"), ancestors, descendants)) {
    std::printf("could not build the family file\n");
    return 1;
  }
  Time("Ahnentafel", false, ancestors, dir.Path());
  Time("Register", true, descendants, dir.Path());
  DbCloseCurrent();
  return boxes.Calls().empty() ? 0 : 2;
}
