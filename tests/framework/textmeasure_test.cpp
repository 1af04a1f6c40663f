// The Qt text measure agrees with Qt's own layout and honours the code page.
#include <QImage>
#include <QtTest>

#include "CodePage.h"
#include "QtTextMeasure.h"

class TextMeasureTest : public QObject {
  Q_OBJECT

 private slots:
  void widthsFollowTheFontAndTheDevice() {
    QImage image(100, 100, QImage::Format_RGB32);
    image.setDotsPerMeterY(11811);  // 300 dpi
    QFont font(QStringLiteral("Arial"), 10);
    fw::QtTextMeasure measure(font, &image);
    QCOMPARE(measure.PixelsPerInchY(), 300);
    QCOMPARE(measure.TextWidth(""), 0);
    int one = measure.TextWidth("Smith");
    QVERIFY(one > 0);
    QCOMPARE(measure.TextWidth("SmithSmith"),
             QFontMetrics(font, &image).horizontalAdvance(QStringLiteral("SmithSmith")));
    QVERIFY(measure.TextWidth("W") > measure.TextWidth("i"));
    QVERIFY(measure.AverageCharWidth() > 0);
  }

  void eightBitTextIsMeasuredAsItsCharacters() {
    plat::SetActiveCodePage(1252);
    QFont font(QStringLiteral("Arial"), 12);
    fw::QtTextMeasure measure(font);
    QCOMPARE(measure.TextWidth("M\xFCller"),
             QFontMetrics(font).horizontalAdvance(QStringLiteral("M\u00fcller")));
  }
};

QTEST_MAIN(TextMeasureTest)
#include "textmeasure_test.moc"
