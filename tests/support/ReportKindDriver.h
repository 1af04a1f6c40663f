#pragma once
// Runs a report kind the way a print job does, for tests: paginate, set the
// fonts up, draw every page, clean up. Three outputs: the recording device
// (the drawing calls of each page), an RTF file through the generator's RTF
// mode, and (ReportKindPdf.h, Qt tests only) a PDF printer.

#include <functional>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "RecordingDevice.h"
#include "ReportGenerator.h"

// A report kind as the print job sees it.
struct ReportKindUnderTest {
  // The pass: the page count, 0 on failure or Cancel.
  std::function<int(rpt::ReportDevice& dc)> paginate;
  // The generator's font set-up, once before the first page.
  std::function<void(CReportGenerator& g, rpt::ReportDevice& dc)> setUpFonts;
  // Draws page (from 1) through the generator.
  std::function<void(CReportGenerator& g, rpt::ReportDevice& dc, int page)> drawPage;
  // The kind's clean-up at the end of printing.
  std::function<void()> cleanup;
};

// Paginates and draws every page on dc; answers the page count. The
// generator is in whatever mode the caller set.
inline int DriveReportKind(const ReportKindUnderTest& kind, CReportGenerator& g,
                           rpt::ReportDevice& dc,
                           const std::function<void(int page)>& betweenPages) {
  const int pages = kind.paginate(dc);
  if (pages > 0) {
    if (kind.setUpFonts) kind.setUpFonts(g, dc);
    for (int page = 1; page <= pages; ++page) {
      if (page > 1 && betweenPages) betweenPages(page);
      kind.drawPage(g, dc, page);
    }
  }
  if (kind.cleanup) kind.cleanup();
  return pages;
}

// The drawing calls of each page on the recording device (thousandths of an
// inch, at dpi).
inline std::vector<std::vector<std::string>> RecordReportKind(const ReportKindUnderTest& kind,
                                                              int dpi = 1200) {
  RecordingDevice dc(dpi);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CReportGenerator g;
  std::vector<std::vector<std::string>> pages(1);
  DriveReportKind(kind, g, dc, [&](int) {
    pages.back() = dc.calls;
    dc.calls.clear();
    pages.emplace_back();
  });
  pages.back() = dc.calls;
  if (pages.size() == 1 && pages[0].empty()) pages.clear();
  return pages;
}

// Writes the report as RTF at path, measuring on dc; answers the page count.
// The document is "opened" through a fake shell.
inline int WriteReportKindRtf(const ReportKindUnderTest& kind, rpt::ReportDevice& dc,
                              const std::string& path, int paperWidthTwips = 12240,
                              int paperHeightTwips = 15840) {
  plat::FakeShell shell;
  plat::ScopedShell scoped{&shell};
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CReportGenerator g;
  g.SetRTFOutput(true);
  g.SetOutputFileName(path);
  g.SetPaperSize(paperWidthTwips, paperHeightTwips);
  const int pages = DriveReportKind(kind, g, dc, [&](int) { g.EndRTFPage(); });
  if (pages > 0) {
    CPrintInfo info;
    info.maxPage = pages;
    g.FinishRTFDocument(&dc, &info);
  }
  return pages;
}
