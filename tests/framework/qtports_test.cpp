// The Qt side of the ports: settings land in the INI file where the program
// keeps them, texts cross into Qt through the code page, and the pump answers.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include "CodePage.h"
#include "QtPorts.h"

class QtPortsTest : public QObject {
  Q_OBJECT

 private slots:
  void profileWritesTheSharedIniFile() {
    fw::QtProfile profile;
    QVERIFY(profile.SetString("Start Up", "FamilyFile", "/home/a/M\xFCller.orv"));
    QVERIFY(profile.SetInt("Options", "NoteTool", 1));
    QCOMPARE(profile.GetInt("Options", "NoteTool", 0), 1);
    QCOMPARE(profile.GetInt("Options", "Missing", 42), 42);
    QCOMPARE(profile.GetString("Start Up", "FamilyFile", ""), std::string("/home/a/M\xFCller.orv"));

    QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/Quenmoor/Seekwell.conf");
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QSettings ini(path, QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Korvane/Start Up/FamilyFile")).toString(),
             QStringLiteral("/home/a/M\u00fcller.orv"));
    QVERIFY(profile.Remove("Options", "NoteTool"));
    QCOMPARE(profile.GetInt("Options", "NoteTool", 7), 7);
  }

  // A colour is kept as "0X%lX" text, which the store reads as no integer:
  // colours are read back only as colours.
  void profileKeepsColoursAsText() {
    fw::QtProfile profile;
    QVERIFY(profile.SetColor("Reports", "ShadeClr", 0xA0B0C0));
    QCOMPARE(profile.GetString("Reports", "ShadeClr", ""), std::string("0XA0B0C0"));
    QCOMPARE(profile.GetColor("Reports", "ShadeClr", 0), 0xA0B0C0u);
    QCOMPARE(profile.GetInt("Reports", "ShadeClr", 7), 7);
    QVERIFY(profile.SetInt("Reports", "ShadeClr", 0x102030));
    QCOMPARE(profile.GetColor("Reports", "ShadeClr", 0), 0x102030u);
    QVERIFY(profile.Remove("Reports", "ShadeClr"));
  }

  void textsCrossThroughTheCodePage() {
    plat::SetActiveCodePage(1250);
    QCOMPARE(fw::ToQString("\x8A\xA3"), QStringLiteral("\u0160\u0141"));
    QCOMPARE(fw::FromQString(QStringLiteral("\u0160\u0141\u4e2d")), std::string("\x8A\xA3?"));
    plat::SetActiveCodePage(1252);
  }

  void messageBoxMapsButtonsToAnswers() {
    fw::QtMessageBox port;
    // Press "No" on the box as soon as it is shown.
    QTimer::singleShot(0, [] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      QCOMPARE(box->windowTitle(), QStringLiteral("Yo"));
      box->button(QMessageBox::No)->click();
    });
    QCOMPARE(port.Show("Delete it?", "Yo", plat::kMbYesNo | plat::kMbIconQuestion),
             int(plat::kIdNo));
  }

  void portSetInstallsAndRemovesItself() {
    {
      fw::QtPortSet set;
      QVERIFY(dynamic_cast<fw::QtProfile*>(&plat::Profile()) != nullptr);
      QVERIFY(plat::PumpWaitingMessages());
    }
    QVERIFY(dynamic_cast<fw::QtProfile*>(&plat::Profile()) == nullptr);
  }
};

QTEST_MAIN(QtPortsTest)
#include "qtports_test.moc"
