// The report driver's printed outputs of a paginated text: a PDF whose pages
// pdftotext reads back, and an RTF document with the same words. With
// KORVANE_REPORT_KEEP set the files are kept there (tools/report-rtf-pdf
// converts the RTF with LibreOffice).
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "ReportKindPdf.h"
#include "TempDir.h"
#include "TextPagesKind.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::string SampleText() {
  std::string text;
  for (int p = 1; p <= 8; ++p) {
    if (p > 1) text += "\r\n\r\n";
    // Every word carries its paragraph's number, so no line repeats.
    const std::string n = std::to_string(p);
    text += "Paragraph" + n + " Harrington" + n + ", Eleanor" + n + " (Nell" + n +
            ") was christened <I>Ashbourne" + n + "</I> and buried <B>Wirksworth" + n +
            "</B> beside the Derwent" + n + " valley" + n + " chapel" + n + ".";
  }
  return text;
}

}  // namespace

class ReportDriverTest : public QObject {
  Q_OBJECT
 private slots:
  void printedPdfHoldsEachPagesText() {
    TempDir dir;
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    const std::string keep = keepEnv.isEmpty() ? dir.Path() : keepEnv.toStdString() + "/";
    const std::string pdf = keep + "textpages.pdf";
    TextPagesKind kind;
    kind.text = SampleText();
    kind.width = 3500;
    kind.linesPerPage = 6;
    const int pages = PrintReportKindPdf(kind.Kind(), pdf);
    QVERIFY(pages >= 3);
    QVERIFY(std::filesystem::file_size(pdf) > 1000);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
      QSKIP("pdftotext is not installed (tools/test installs poppler-utils)");
    // Page 2 alone: its first line is the line after page 1's last.
    const std::string txt = keep + "page2.txt";
    QCOMPARE(QProcess::execute("pdftotext", {"-f", "2", "-l", "2", QString::fromStdString(pdf),
                                             QString::fromStdString(txt)}),
             0);
    const std::string page2 = ReadAll(txt);
    QCOMPARE(kind.firstLineOfPage.size(), static_cast<std::size_t>(pages));
    const std::string& first = kind.printedLines[kind.firstLineOfPage[1]];
    const std::string& lastOfPage1 = kind.printedLines[kind.firstLineOfPage[1] - 1];
    for (const std::string& word :
         {first.substr(0, first.find(' ')), first.substr(first.rfind(' ') + 1)})
      QVERIFY2(page2.find(word) != std::string::npos, (page2 + " | " + word).c_str());
    QVERIFY2(page2.find(lastOfPage1) == std::string::npos, lastOfPage1.c_str());
    QVERIFY2(page2.find("Paragraph1 ") == std::string::npos, page2.c_str());
  }

  void rtfHoldsTheSameWords() {
    TempDir dir;
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    const std::string keep = keepEnv.isEmpty() ? dir.Path() : keepEnv.toStdString() + "/";
    const std::string rtf = keep + "textpages.rtf";
    TextPagesKind kind;
    kind.text = SampleText();
    kind.width = 3500;
    kind.linesPerPage = 6;
    fw::CQtReportDevice dc(600, fw::CQtReportDevice::DefaultPaper());
    const int pages = WriteReportKindRtf(kind.Kind(), dc, rtf);
    QVERIFY(pages >= 3);
    const std::string document = ReadAll(rtf);
    QVERIFY(document.starts_with("{\\rtf"));
    for (const char* word :
         {"Paragraph1", "Harrington1,", "Ashbourne2", "Wirksworth5", "Paragraph8"})
      QVERIFY2(document.find(word) != std::string::npos, word);
    QVERIFY(document.find("\\page") != std::string::npos);
  }
};

QTEST_MAIN(ReportDriverTest)
#include "reportdriver_qtest.moc"
