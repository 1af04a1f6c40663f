// The splash window (size, no focus, two seconds, a click) and the About
// box (the bold product name and the version line) with its Copyright and
// License dialog.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "AboutDialog.h"
#include "QtPorts.h"
#include "SplashWnd.h"

namespace {

CSplashWnd* OpenSplash() {
  ShowSplashWindow(nullptr);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* splash = qobject_cast<CSplashWnd*>(w)) return splash;
  return nullptr;
}

}  // namespace

class SplashAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void splashShowsTwoSecondsWithoutFocus() {
    QWidget main;
    main.show();
    main.activateWindow();
    QPointer<CSplashWnd> splash = OpenSplash();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->size(), QSize(CSplashWnd::kWidth, CSplashWnd::kHeight));
    QVERIFY(splash->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QVERIFY(splash->testAttribute(Qt::WA_ShowWithoutActivating));
    QCOMPARE(splash->x() % 8, 0);
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      splash->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/splash.png"));
    // Still there well before two seconds, gone (and deleted) after them.
    QTest::qWait(1500);
    QVERIFY(splash);
    QTRY_VERIFY_WITH_TIMEOUT(!splash, 1500);
  }

  void clickClosesTheSplash() {
    QPointer<CSplashWnd> splash = OpenSplash();
    QVERIFY(splash);
    QTest::mouseClick(splash, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!splash, 500);
  }

  void aboutShowsBoldNameAndVersion() {
    CAboutDialog about(nullptr);
    auto* name = about.Control<QLabel>(CAboutDialog::kIdcProductName);
    const int plain = QFontInfo(name->font()).pixelSize();
    about.show();
    QCOMPARE(name->text(), QStringLiteral("Korvane"));
    QVERIFY(name->font().bold());
    QCOMPARE(QFontInfo(name->font()).pixelSize(), plain + 3);
    const QString version = fw::ToQString(about.GetControlText(CAboutDialog::kIdcVersion));
    QVERIFY2(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+\\.\\d+$"))
                 .match(version)
                 .hasMatch(),
             qPrintable(version));
    // Shown twice, the version is added once.
    about.hide();
    about.show();
    QCOMPARE(fw::ToQString(about.GetControlText(CAboutDialog::kIdcVersion)), version);
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      about.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/about.png"));
    QTest::mouseClick(about.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(about.result(), fw::kIdOk);
  }

  void copyrightButtonShowsTheLicenceText() {
    CAboutDialog about(nullptr);
    about.show();
    QString shown;
    bool readOnly = false;
    QTimer::singleShot(0, [&] {
      auto* licence = qobject_cast<CCopyrightLicenseDialog*>(QApplication::activeModalWidget());
      QVERIFY(licence);
      QCOMPARE(licence->windowTitle(), QStringLiteral("Copyright and License"));
      auto* text = licence->Control<QPlainTextEdit>(CCopyrightLicenseDialog::kIdcText);
      shown = text->toPlainText();
      readOnly = text->isReadOnly();
      if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
        licence->grab().save(qEnvironmentVariable("KORVANE_SHOTS") +
                             QStringLiteral("/copyright.png"));
      QTest::mouseClick(licence->GetControl(fw::kIdOk), Qt::LeftButton);
    });
    QTest::mouseClick(about.GetControl(CAboutDialog::kIdcCopyright), Qt::LeftButton);
    QVERIFY(shown.startsWith(QStringLiteral("Korvane\nCopyright")));
    QVERIFY(shown.contains(QStringLiteral("NO WARRANTY")));
    QVERIFY(!shown.contains(QLatin1Char('\r')));
    QVERIFY(readOnly);
    QVERIFY(about.isVisible());  // back in the About box
    about.reject();
  }
};

QTEST_MAIN(SplashAboutTest)
#include "splashabout_qtest.moc"
