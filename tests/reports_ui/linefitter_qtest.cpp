// The line fitter on a real device: Liberation fonts on a 1200-dpi PDF
// printer. Every fitted line, printed piece by piece in the fonts its tags
// select, is no wider than the width it was fitted to, and the PDF holds the
// words that were printed.
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "LineFitter.h"
#include "QtReportDevice.h"
#include "TempDir.h"
#include "TextPagesKind.h"

namespace {

rpt::LogFont Font(int points, int weight, bool italic) {
  rpt::LogFont font;
  font.height = -(points * 1000 / 72);
  font.weight = weight;
  font.italic = italic;
  font.face = "Liberation Serif";
  return font;
}

}  // namespace

class LineFitterPdfTest : public QObject {
  Q_OBJECT
 private slots:
  void fittedLinesAreNoWiderThanTheDeviceMeasures() {
    TempDir dir;
    const std::string pdf = dir.File("fitted.pdf");
    const std::string text =
        "Johnson, Mary Elizabeth (Betsy) was born <I>about</I> 12 March 1850 in "
        "Springfield, Sangamon, Illinois, United States; she married "
        "<B>William Henry Harrison-Smith</B> [see the notes] on 3 June 1871.\r\n"
        "Sources: <I>Parish Register of St. Mary's, Springfield, Illinois, "
        "1840-1890 (microfilm), page 117</I> <S>and a family Bible</S>.\r\n\r\n"
        "Pneumonoultramicroscopicsilicovolcanoconiosis-and-more_words~joined "
        "!{braces} \"quoted\" a/b\\c d+e=f *g^h?";
    std::vector<std::string> printedWords;
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setResolution(1200);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setPageSize(QPageSize(QPageSize::Letter));
      QCOMPARE(printer.resolution(), 1200);
      fw::CQtReportDevice dc(&printer);
      dc.SetMapMode(rpt::MM_HIENGLISH);
      rpt::CStyleFontSet fonts;
      fonts.normal = Font(11, 400, false);
      fonts.italic = Font(11, 400, true);
      fonts.bold = Font(11, 700, false);
      fonts.small = Font(7, 400, false);
      dc.SelectFont(*fonts.normal);

      int y = -500;
      for (int width : {900, 1700, 2600, 4100, 6500}) {
        fonts.style = rpt::kStyleNormal;
        std::size_t pos = 0;
        while (pos < text.size()) {
          const int style = fonts.style;
          const std::size_t length =
              rpt::FitTextLine(std::string_view(text).substr(pos), dc, width, width / 80, &fonts);
          QVERIFY2(length > 0 || text.compare(pos, 2, "\r\n") == 0, "no progress");
          int x = 500, lineWidth = 0;
          for (const TaggedPiece& piece :
               TaggedPieces(std::string_view(text).substr(pos, length), style, fonts)) {
            dc.SelectFont(*fonts.FontFor(piece.style));
            const int pieceWidth = dc.GetTextExtent(piece.text).cx;
            dc.TextOut(x, y, piece.text);
            if (width == 6500) {
              std::istringstream words(piece.text);
              for (std::string w; words >> w;) printedWords.push_back(w);
            }
            x += pieceWidth;
            lineWidth += pieceWidth;
          }
          dc.SelectFont(*fonts.normal);
          QVERIFY2(lineWidth <= width,
                   qPrintable(QString("%1 > %2: %3")
                                  .arg(lineWidth)
                                  .arg(width)
                                  .arg(QString::fromStdString(text.substr(pos, length)))));
          pos += length;
          if (text.compare(pos, 2, "\r\n") == 0) pos += 2;
          y -= 200;
          if (y < -10000) {
            printer.newPage();
            y = -500;
          }
        }
        y -= 200;
      }
    }
    QVERIFY(std::filesystem::file_size(pdf) > 1000);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string txt = dir.File("fitted.txt");
    QCOMPARE(
        QProcess::execute("pdftotext", {QString::fromStdString(pdf), QString::fromStdString(txt)}),
        0);
    std::ifstream in(txt);
    const std::string extracted((std::istreambuf_iterator<char>(in)), {});
    for (const char* word : {"Johnson,", "Springfield,", "Harrison-Smith", "Bible", "(microfilm),"})
      QVERIFY2(extracted.find(word) != std::string::npos, word);
    QVERIFY(!printedWords.empty());
  }
};

QTEST_MAIN(LineFitterPdfTest)
#include "linefitter_qtest.moc"
