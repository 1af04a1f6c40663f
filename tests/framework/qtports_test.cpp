// The Qt side of the ports: settings land in the INI file where the program
// keeps them, texts cross into Qt through the code page, and the pump answers.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <thread>

#include "CodePage.h"
#include "PlainText.h"
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

  // Screens store some values at every opening: a value already stored is
  // not written again, so it never waits for the settings file's lock that
  // another process holds.
  void unchangedValuesDoNotWaitForTheSettingsLock() {
    fw::QtProfile profile;
    QVERIFY(profile.SetInt("Search", "FilterResults", 0));
    QVERIFY(profile.SetString("Start Up", "FamilyFile", "/home/a/b.orv"));
    const QString lock = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/Quenmoor/Seekwell.conf.lock");
    {
      QFile held(lock);
      QVERIFY(held.open(QIODevice::WriteOnly));
      held.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                 QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n' +
                 QSysInfo::machineHostName().toUtf8() + '\n');
    }
    std::thread release([&lock] {
      std::this_thread::sleep_for(std::chrono::seconds(3));
      QFile::remove(lock);
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(profile.SetInt("Search", "FilterResults", 0));
    QVERIFY(profile.SetString("Start Up", "FamilyFile", "/home/a/b.orv"));
    const qint64 took = clock.elapsed();
    release.join();
    QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    QVERIFY(profile.SetInt("Search", "FilterResults", 1));
    QCOMPARE(profile.GetInt("Search", "FilterResults", 0), 1);
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
      QCOMPARE(box->textFormat(), Qt::PlainText);
      box->button(QMessageBox::No)->click();
    });
    QCOMPARE(port.Show("Delete it?", "Yo", plat::kMbYesNo | plat::kMbIconQuestion),
             int(plat::kIdNo));
  }

  void labelsAndTooltipsShowTextsAsTyped() {
    fw::ShowLabelsAsPlainText(*static_cast<QApplication*>(QCoreApplication::instance()));
    QWidget window;
    auto* typed = new QLabel(QStringLiteral("Anna <b>\"Nan\"</b> <Jones>"), &window);
    auto* rich = new QLabel(&window);
    rich->setTextFormat(Qt::RichText);
    window.show();
    QCOMPARE(typed->textFormat(), Qt::PlainText);
    QCOMPARE(rich->textFormat(), Qt::RichText);
    QTextDocument tip;
    tip.setHtml(fw::PlainToolTip(QStringLiteral("/home/<b>ann</b> & co")));
    QCOMPARE(tip.toPlainText(), QStringLiteral("/home/<b>ann</b> & co"));
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
