// 500 dense report pages (2,000 texts and 500 shapes in all) drawn through
// the generator base, once to a PDF through the printer and once to an RTF
// file with the measuring-only device. Prints ms per page, file sizes and
// the peak memory after each run.
// Usage: reportpage_bench [folder [texts-per-page [boxes-per-page]]]

#include <sys/resource.h>

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ChartBox.h"
#include "QtReportDevice.h"
#include "ReportGenerator.h"

namespace {

constexpr int kPages = 500;
int kTextsPerPage = 4;   // 2,000 texts
int kShapesPerPage = 1;  // 500 boxes

void DrawPage(CReportGenerator& g, rpt::ReportDevice& dc, int page) {
  dc.SetMapMode(rpt::MM_HIENGLISH);
  g.SetPageMargins(&dc, {500, -300, 300, -300});
  dc.SelectFont({-167, 400, false, false, "Arial"});
  for (int i = 0; i < kTextsPerPage; ++i) {
    g.TextOutString(&dc, 500, -600 - i % 40 * 250,
                    "Page " + std::to_string(page) + " line " + std::to_string(i) +
                        " Johannes Andersson, born 12 Mar 1850 in Uppsala");
  }
  for (int i = 0; i < kShapesPerPage; ++i) {
    rpt::ChartBox box;
    const int top = -2000 - (i % 8) * 1000;
    box.rect = {500 + (i / 8 % 2) * 3500, top, 3500 + (i / 8 % 2) * 3500, top - 900};
    box.corners = page % 3;
    box.lineStyle = 1 + page % 2;
    box.shadow = box.fill = true;
    box.brush = {0x00F0E0D0, false};
    box.shadowBrush = {0x00A0A0A0, false};
    rpt::DrawChartBox(dc, box, &g);
  }
}

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
  if (argc > 2) kTextsPerPage = std::max(1, std::atoi(argv[2]));
  if (argc > 3) kShapesPerPage = std::max(0, std::atoi(argv[3]));
  const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                           QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);

  const std::string pdf = folder + "/reportpage_bench.pdf";
  auto start = std::chrono::steady_clock::now();
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageLayout(layout);
    fw::CQtReportDevice dc(&printer);
    CReportGenerator g;
    for (int page = 1; page <= kPages; ++page) {
      if (page > 1) printer.newPage();
      DrawPage(g, dc, page);
    }
  }
  const double pdfMs = Ms(start);
  std::printf("%d texts and %d boxes per page\n", kTextsPerPage, kShapesPerPage);
  std::printf("PDF: %d pages, %.3f ms per page, %ju bytes, peak %ld KB\n", kPages, pdfMs / kPages,
              static_cast<std::uintmax_t>(std::filesystem::file_size(pdf)), PeakKb());

  const std::string rtf = folder + "/reportpage_bench.rtf";
  start = std::chrono::steady_clock::now();
  {
    fw::CQtReportDevice dc(600, layout);
    CReportGenerator g;
    g.SetRTFOutput(true);
    g.SetOutputFileName(rtf);
    CPrintInfo info;
    info.maxPage = kPages;
    for (info.currentPage = 1; info.currentPage <= kPages; ++info.currentPage) {
      DrawPage(g, dc, info.currentPage);
      if (info.currentPage < kPages) g.EndRTFPage();
    }
    g.FlushPage(false);
    if (g.GetDocument().WriteToFile(rtf) != 1) std::printf("RTF write FAILED\n");
  }
  const double rtfMs = Ms(start);
  std::printf("RTF: %d pages, %.3f ms per page, %ju bytes, peak %ld KB\n", kPages, rtfMs / kPages,
              static_cast<std::uintmax_t>(std::filesystem::file_size(rtf)), PeakKb());
  return 0;
}
