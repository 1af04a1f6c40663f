#pragma once
// Prints a report kind to a PDF file on a Qt PDF printer (Qt tests only).

#include <QPrinter>
#include <QTest>

#include "QtReportDevice.h"
#include "ReportKindDriver.h"

// A printer that writes path as a PDF on paper of size, at dpi.
inline void SetUpPdfPrinter(QPrinter& printer, const std::string& path, const QPageSize& size,
                            int dpi = 600) {
  printer.setResolution(dpi);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path));
  printer.setPageSize(size);
}

// The rows of a test that runs on both papers: column "paper" (a page size
// id), rows "letter" and "a4".
inline void AddPaperRows() {
  QTest::addColumn<int>("paper");
  QTest::newRow("letter") << int(QPageSize::Letter);
  QTest::newRow("a4") << int(QPageSize::A4);
}

// Answers the page count; the PDF is at path, on paper of size.
inline int PrintReportKindPdf(const ReportKindUnderTest& kind, const std::string& path,
                              int dpi = 1200,
                              const QPageSize& size = QPageSize(QPageSize::Letter)) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPdfPrinter(printer, path, size, dpi);
  fw::CQtReportDevice dc(&printer);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CReportGenerator g;
  return DriveReportKind(kind, g, dc, [&](int) {
    printer.newPage();
    dc.SetMapMode(rpt::MM_HIENGLISH);
  });
}
