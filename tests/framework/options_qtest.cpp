// The options store on the Qt side: what lands in the INI file, with which
// texts, and the desktop palette as the colours' defaults.
#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include "AppOptions.h"
#include "Clock.h"
#include "FakePorts.h"
#include "QtPorts.h"
#include "QtSystemColors.h"

namespace {

using ScopedSystemColors = plat::ScopedPortT<plat::SystemColorsPort, plat::SetSystemColorsPort>;

QString IniPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Quenmoor/Seekwell.conf");
}

QStringList IniLines() {
  QFile file(IniPath());
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

// Options as a start-up reading profile has them.
CAppOptions LoadedFrom(plat::ProfilePort& profile) {
  plat::ScopedProfile scoped(&profile);
  CAppOptions o;
  o.Load();
  return o;
}

}  // namespace

class OptionsQtTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QFile::remove(IniPath());
    plat::SetFixedTime(0);
  }

  void optionsLandInTheIniFileAsTheirTexts() {
    fw::QtProfile profile;
    plat::ScopedProfile scoped(&profile);
    plat::FixedSystemColors colors;
    ScopedSystemColors scopedColors(&colors);

    CAppOptions o;
    o.floaterOpt = 2;
    o.infoTimeOut = 60000;
    o.colorNameText = 0x000000FF;  // red
    o.fonts[kFontPedSized] = "Times New Roman;Bold Italic;9pt";
    o.Save();
    o.SetPassword("a;b, c");
    SetNoteTag(2, "Research:");

    const QStringList lines = IniLines();
    QVERIFY2(lines.contains(QStringLiteral("[Korvane]")), qPrintable(lines.join('\n')));
    // Integers are plain decimal numbers, colours too (red in the low byte).
    QVERIFY(lines.contains(QStringLiteral("Options\\FloaterOpt=2")));
    QVERIFY(lines.contains(QStringLiteral("Options\\InfoTimeOut=60000")));
    QVERIFY(lines.contains(QStringLiteral("Options\\ColorNameText=255")));
    QVERIFY(lines.contains(QStringLiteral("Options\\ColorBackground=%1")
                               .arg(colors.Color(plat::SystemColor::kButtonFace))));
    // Texts with the INI file's separators are quoted, so they read back whole.
    QVERIFY(lines.contains(
        QStringLiteral("Options\\FontPedSized=\"Times New Roman;Bold Italic;9pt\"")));
    QVERIFY(lines.contains(QStringLiteral("Options\\Pwd=\"a;b, c\"")));
    QVERIFY(lines.contains(QStringLiteral("Note%20Tags\\Tag2=Research:")));
    QVERIFY(!lines.join('\n').contains(QStringLiteral("Allow3PSearch")));

    // Another program reading the same file sees the same texts.
    QSettings ini(IniPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Korvane/Options/FontNotesRpt")).toString(),
             QStringLiteral("Times New Roman;Normal;9pt"));
    QCOMPARE(ini.value(QStringLiteral("Korvane/Options/Pwd")).toString(), QStringLiteral("a;b, c"));

    // A new run reads them all back.
    fw::QtProfile next;
    const CAppOptions again = LoadedFrom(next);
    QCOMPARE(again.floaterOpt, 2);
    QCOMPARE(again.infoTimeOut, 60000);
    QCOMPARE(again.colorNameText, 0x000000FF);
    QCOMPARE(again.fonts[kFontPedSized], std::string("Times New Roman;Bold Italic;9pt"));
    QCOMPARE(again.password, std::string("a;b, c"));
    std::string tag;
    plat::ScopedProfile scopedNext(&next);
    GetNoteTag(2, tag);
    QCOMPARE(tag, std::string("Research:"));
  }

  void textInAnIntegerValueGivesTheDefault() {
    {
      QSettings ini(IniPath(), QSettings::IniFormat);
      ini.setValue(QStringLiteral("Korvane/Options/MrgYears"), QStringLiteral("ten"));
      ini.setValue(QStringLiteral("Korvane/Options/SelectOpt"), QStringLiteral(""));
      ini.setValue(QStringLiteral("Korvane/Options/FPos"), 9);  // out of range, kept
    }
    fw::QtProfile profile;
    const CAppOptions o = LoadedFrom(profile);
    QCOMPARE(o.mrgYears, 10);
    QCOMPARE(o.selectOpt, 2);
    QCOMPARE(o.placeLevels, 9);
  }

  void desktopPaletteGivesTheColorDefaults() {
    QPalette saved = QGuiApplication::palette();
    QPalette p = saved;
    p.setColor(QPalette::HighlightedText, QColor(1, 2, 3));
    p.setColor(QPalette::Highlight, QColor(10, 20, 30));
    p.setColor(QPalette::Text, QColor(0x11, 0x22, 0x33));
    p.setColor(QPalette::Base, QColor(250, 251, 252));
    p.setColor(QPalette::Button, QColor(200, 100, 50));
    QApplication::setPalette(p);

    fw::QtSystemColors desktop;
    ScopedSystemColors scoped(&desktop);
    plat::MemoryProfile store;
    CAppOptions o = LoadedFrom(store);
    QCOMPARE(o.colorSelectedNameText, 0x030201);
    QCOMPARE(o.colorSelectedNameBackground, 0x1E140A);
    QCOMPARE(o.colorNameText, 0x332211);
    QCOMPARE(o.colorNameBackground, 0xFCFBFA);
    QCOMPARE(o.colorBackground, 0x3264C8);
    QCOMPARE(fw::FromColorValue(o.colorBackground), QColor(200, 100, 50));
    // Equal to the desktop: nothing stored.
    plat::ScopedProfile scopedStore(&store);
    o.Save();
    QVERIFY(!store.Has("Options", "ColorBackground"));

    QApplication::setPalette(saved);
  }

  void portSetInstallsTheDesktopColors() {
    {
      fw::QtPortSet set;
      QVERIFY(dynamic_cast<fw::QtSystemColors*>(&plat::SystemColors()) != nullptr);
    }
    QVERIFY(dynamic_cast<fw::QtSystemColors*>(&plat::SystemColors()) == nullptr);
  }
};

QTEST_MAIN(OptionsQtTest)
#include "options_qtest.moc"
