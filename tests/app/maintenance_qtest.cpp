// The File Properties dialog over a real family file, the volume prompt of
// a backup that fills its medium as the Qt message box shows it, and the
// storage port's reading of file system types.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "Backup.h"
#include "CheckRepairCommand.h"
#include "CheckRepairOptionsDialog.h"
#include "ChosenFile.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FilePropertiesDialog.h"
#include "IndividualRecord.h"
#include "NoFileDialogs.h"
#include "QtPorts.h"
#include "QtStorageMedium.h"
#include "Records.h"
#include "StorageMedium.h"

namespace {

// Browse's file dialog answered with a fixed path; what it was asked is kept.
class BrowseAnswer : public NoFileDialogs {
 public:
  explicit BrowseAnswer(std::string answer) : answer_(std::move(answer)) {}
  std::string AskOpenPath(const std::string& filter, const std::string& title,
                          const std::string& folder) override {
    asked.push_back(filter + "|" + title + "|" + folder);
    return answer_;
  }
  std::vector<std::string> asked;

 private:
  std::string answer_;
};

}  // namespace

class MaintenanceDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    family = dir->filePath(QStringLiteral("properties-sample.orv")).toStdString();
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    for (int i = 0; i < 120; ++i) {
      CIndividualRecord person;
      person.surname = "Marlowe" + std::to_string(i);
      person.sex = i % 2 ? 'F' : 'M';
      QVERIFY(DbAddRecord(db::kIndividual, 0, &person) > 0);
    }
    QCOMPARE(DbDeleteRecord(7, db::kIndividual), 1);
    DbFlush();
  }
  void cleanup() {
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    dir.reset();
  }

  void propertiesShowTheFileAndItsCounts() {
    const shell::FileProperties properties = shell::ReadFileProperties(family, 10241ull * 1024);
    CFilePropertiesDialog dialog(properties, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("File Properties"));
    QCOMPARE(dialog.GetControlText(CFilePropertiesDialog::kIdcFreeSpace), std::string("10 MB"));
    QCOMPARE(dialog.GetControlText(CFilePropertiesDialog::kIdcIndividuals), std::string("120"));
    QCOMPARE(dialog.GetControlText(CFilePropertiesDialog::kIdcDeletedIndividuals),
             std::string("1"));
    QCOMPARE(dialog.GetControlText(CFilePropertiesDialog::kIdcSize),
             std::to_string(properties.size));
    const std::string shown = dialog.GetControlText(CFilePropertiesDialog::kIdcLocation);
    QVERIFY(!shown.empty());
    QVERIFY(shown.find("properties-sample.orv") != std::string::npos);
    // Every text fits its label.
    for (QLabel* label : dialog.findChildren<QLabel*>())
      QVERIFY2(label->sizeHint().width() <= label->width() + 1, qPrintable(label->text()));
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      dialog.grab().save(qEnvironmentVariable("KORVANE_SHOTS") +
                         QStringLiteral("/fileproperties.png"));
  }

  void fullMediumPromptsForTheNextDisk() {
    DbCloseCurrent();
    fw::QtMessageBox box;
    plat::ScopedMessageBox scopedBox{&box};
    plat::FakeStorageMedium medium;
    medium.freeBytes = 2000;
    plat::ScopedStorageMedium scopedMedium(&medium);
    QStringList prompts;
    bool saved = false;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
      auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!shown) return;
      prompts << shown->text();
      if (!saved && qEnvironmentVariableIsSet("KORVANE_SHOTS")) {
        shown->grab().save(qEnvironmentVariable("KORVANE_SHOTS") +
                           QStringLiteral("/volumeprompt.png"));
        saved = true;
      }
      shown->button(QMessageBox::Ok)->click();
    });
    answer.start(20);
    const std::string bak = dir->filePath(QStringLiteral("sample.bak")).toStdString();
    QCOMPARE(backup::CompressToBackup(family, bak), 0);
    answer.stop();
    QVERIFY(prompts.size() >= 1);
    QCOMPARE(prompts.front(), QStringLiteral("Backup disk is full.  Remove it and insert disk 2."));
    QVERIFY(QFile::exists(dir->filePath(QStringLiteral("sample.b00"))));
  }

  void checkRepairOffersCheckAndRepairAndCancelEndsIt() {
    QStringList buttons;
    QString shownPath;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
      auto* shown = qobject_cast<CCheckRepairOptionsDialog*>(QApplication::activeModalWidget());
      if (!shown) return;
      for (int id :
           {CCheckRepairOptionsDialog::kIdcCheck, CCheckRepairOptionsDialog::kIdcCheckRepair})
        buttons << QString::number(id) + QLatin1Char('=') +
                       fw::ToQString(shown->GetControlText(id));
      shownPath = fw::ToQString(shown->GetControlText(CCheckRepairOptionsDialog::kIdcPath));
      if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
        shown->grab().save(qEnvironmentVariable("KORVANE_SHOTS") +
                           QStringLiteral("/checkrepairchoice.png"));
      shown->reject();
    });
    answer.start(20);
    QCOMPARE(RunCheckRepairCommand(family, nullptr), 0);
    answer.stop();
    QCOMPARE(buttons,
             (QStringList{QStringLiteral("1=Chec&k"), QStringLiteral("1480=Check/&Repair")}));
    QCOMPARE(shownPath, fw::ToQString(family));
    QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("checkfix.rpt"))));
  }

  void checkRepairOptionsAnswerTheirButtonsAndBackupStaysOpen() {
    struct Case {
      int button;
      int result;
    };
    const Case cases[] = {{CCheckRepairOptionsDialog::kIdcCheck, fw::kIdOk},
                          {CCheckRepairOptionsDialog::kIdcCheckRepair, 1480},
                          {fw::kIdCancel, fw::kIdCancel}};
    for (const Case& c : cases) {
      CCheckRepairOptionsDialog dialog;
      dialog.path = "/data/family.orv";
      int backups = 0;
      dialog.backup = [&] { ++backups; };
      dialog.show();
      QCoreApplication::processEvents();
      dialog.Control<QPushButton>(CCheckRepairOptionsDialog::kIdcBackup)->click();
      QVERIFY(dialog.isVisible());
      QCOMPARE(backups, 1);
      QVERIFY(dialog.madeBackup);
      dialog.Control<QPushButton>(c.button)->click();
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.result(), c.result);
    }
  }

  void browseChoosesTheFileToCheck() {
    const std::string folder = dir->path().toStdString();
    const std::string other = dir->filePath(QStringLiteral("other.orv")).toStdString();
    struct Case {
      const char* what;
      std::string answer;  // "" cancels the file dialog
      std::string path;    // the path after Browse
    };
    const Case cases[] = {{"a file chosen", other, other}, {"cancelled", "", family}};
    for (const Case& c : cases) {
      BrowseAnswer files(c.answer);
      CCheckRepairOptionsDialog dialog;
      dialog.path = family;
      dialog.files = &files;
      dialog.show();
      QCoreApplication::processEvents();
      auto* browse = dialog.Control<QPushButton>(CCheckRepairOptionsDialog::kIdcBrowse);
      QVERIFY2(browse->isEnabled(), c.what);
      browse->click();
      QCOMPARE(files.asked,
               std::vector<std::string>{"ORV Files (*.orv)|*.orv|||Open Family File|" + folder});
      QCOMPARE(dialog.path, c.path);
      QCOMPARE(dialog.GetControlText(CCheckRepairOptionsDialog::kIdcPath), c.path);
      dialog.reject();
    }
  }

  void anotherFileIsCheckedAndTheOpenFileStaysOpen() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    // Another family file with one fault: an invalid sex letter.
    const std::string other = dir->filePath(QStringLiteral("other.orv")).toStdString();
    const std::string report = dir->filePath(QStringLiteral("other.rpt")).toStdString();
    DbCloseCurrent();
    QCOMPARE(DbCreate(other, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(other, CFamilyDatabase::kCurrentFormat), 1);
    for (int i = 0; i < 5; ++i) {
      CIndividualRecord person;
      person.surname = "Other";
      person.sex = 'M';
      QVERIFY(DbAddRecord(db::kIndividual, 0, &person) > 0);
    }
    std::vector<std::uint8_t> rec(orv::IndividualRec::kSize);
    auto& records = CurrentDatabase->engine->Records();
    QVERIFY(records.ReadRaw(orv::RecordKind::Individual, 3, rec.data()));
    rec[0] = 'X';
    QVERIFY(records.WriteRaw(orv::RecordKind::Individual, 3, rec.data()));
    DbCloseCurrent();
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    CFamilyDatabase* const open = CurrentDatabase;

    BrowseAnswer files(other);
    // The report goes where the save dialog is told.
    ChosenFile saveAs(QString::fromStdString(report));
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
      if (auto* options =
              qobject_cast<CCheckRepairOptionsDialog*>(QApplication::activeModalWidget())) {
        options->Control<QPushButton>(CCheckRepairOptionsDialog::kIdcBrowse)->click();
        options->Control<QPushButton>(CCheckRepairOptionsDialog::kIdcCheck)->click();
      }
    });
    answer.start(20);
    QCOMPARE(RunCheckRepairCommand(family, nullptr, &files), 1);
    answer.stop();
    QCOMPARE(saveAs.asked, 1);

    // The report is the other file's, with its fault.
    QFile written(QString::fromStdString(report));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(written.readAll());
    QVERIFY2(text.contains(QStringLiteral("other.orv")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("properties-sample")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("1 errors were found.")), qPrintable(text));
    // The open file is current and open as before, and reads.
    QCOMPARE(CurrentDatabase, open);
    QCOMPARE(DbGetFilePath(), family);
    CIndividualRecord person;
    QCOMPARE(DbGetRecord(1, db::kIndividual, &person), 1);
    QCOMPARE(person.surname, std::string("Marlowe0"));
    // The other file was closed: it opens again.
    DbCloseCurrent();
    QCOMPARE(DbOpen(other, CFamilyDatabase::kCurrentFormat), 1);
  }

  void networkFileSystemsCountAsRemovable() {
    for (const char* type : {"nfs", "nfs4", "cifs", "fuse.sshfs"})
      QVERIFY2(fw::QtStorageMedium::IsNetworkType(type), type);
    for (const char* type : {"ext4", "xfs", "tmpfs", "btrfs", "nfsd"})
      QVERIFY2(!fw::QtStorageMedium::IsNetworkType(type), type);
    fw::QtStorageMedium medium;
    // A file not made yet is measured on its folder.
    QVERIFY(medium.FreeBytes(dir->filePath(QStringLiteral("not-yet/x.bak")).toStdString()) > 0);
  }

 private:
  std::unique_ptr<QTemporaryDir> dir;
  std::string family;
};

QTEST_MAIN(MaintenanceDialogsTest)
#include "maintenance_qtest.moc"
