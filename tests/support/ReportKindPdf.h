#pragma once
// Prints a report kind to a PDF file on a Qt PDF printer (Qt tests only).

#include <QPrinter>

#include "QtReportDevice.h"
#include "ReportKindDriver.h"

// Answers the page count; the PDF is at path, on paper of size.
inline int PrintReportKindPdf(const ReportKindUnderTest& kind, const std::string& path,
                              int dpi = 1200,
                              const QPageSize& size = QPageSize(QPageSize::Letter)) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setResolution(dpi);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path));
  printer.setPageSize(size);
  fw::CQtReportDevice dc(&printer);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CReportGenerator g;
  return DriveReportKind(kind, g, dc, [&](int) {
    printer.newPage();
    dc.SetMapMode(rpt::MM_HIENGLISH);
  });
}
