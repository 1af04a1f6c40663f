// Folders and files named with national letters, a space and an apostrophe,
// through the program's own file dialogs, lists and settings: a name stays
// the file system's own bytes from the dialog to the system call and back.
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "../support/OldFamilyWriter.h"
#include "AppMaintenanceScreens.h"
#include "Backup.h"
#include "ChosenFile.h"
#include "CodePage.h"
#include "ConversionDialogs.h"
#include "DbCalls.h"
#include "FakeMediaPlayer.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileListDialog.h"
#include "FileSearchDialog.h"
#include "FindMultimediaDialog.h"
#include "IdentifyFamilyFile.h"
#include "ImageObject.h"
#include "IndividualRecord.h"
#include "MediaPlayer.h"
#include "ModalDriving.h"
#include "MultimediaChain.h"
#include "MultimediaItemDialog.h"
#include "OpenFamilyFileDialog.h"
#include "PictureFileDialog.h"
#include "PreferencesSheet.h"
#include "QtMediaPlayer.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "SaveDlg.h"
#include "ScrapbookDialog.h"
#include "SettingsChoosers.h"
#include "TestPictures.h"

namespace {

const char kOpenFilter[] =
    "ORV Files (*.orv;indiv2.dat)|*.orv;indiv2.dat|ORV 3 or 4 (*.orv)|*.orv|All Files "
    "(*.*)|*.*||";

// Each name serves as a folder and as a file's base name.
void AddNames() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"Släkt Åsa", "Łódź", "Ærø", "O'Neil family"})
    QTest::newRow(name) << QString::fromUtf8(name);
}

// The names with letters beyond ASCII, for the roads where a name is family
// text (code page) on one side and the file system's bytes on the other.
void AddNationalNames() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"Släkt Åsa", "Łódź", "Ærø"})
    QTest::newRow(name) << QString::fromUtf8(name);
}

std::string P(const QString& path) { return path.toUtf8().toStdString(); }

// A family file of one individual, closed again.
void MakeFamily(const QString& path) {
  QCOMPARE(DbCreate(P(path), CFamilyDatabase::kCurrentFormat), 1);
  QCOMPARE(DbOpen(P(path), CFamilyDatabase::kCurrentFormat), 1);
  CIndividualRecord person;
  person.surname = "Lind";
  QVERIFY(family::Add(person, 0) > 0);
  DbCloseCurrent();
}

void Shot(QWidget& w, const QString& name) {
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') + name);
}

}  // namespace

class NationalFoldersTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    boxes.Clear();
    plat::SetMessageBoxPort(&boxes);
  }
  void cleanup() {
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    SetFamilyFileSearchRoots(nullptr);
    plat::SetMessageBoxPort(nullptr);
    dir.reset();
  }

  // File > New: the name typed into the folder, the file made there, and
  // the family titled after its name.
  void newFileInTheFolder_data() { AddNames(); }
  void newFileInTheFolder() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    QVERIFY(QDir().mkpath(folder));
    CSaveDlg dialog(".orv", "", kOfnPathMustExist | kOfnHideReadOnly, "ORV 3 or 4 (*.orv)|*.orv||",
                    nullptr);
    dialog.SetFolder(P(folder));
    ChosenFile typed(name);
    QCOMPARE(dialog.DoModal(), fw::kIdOk);
    QCOMPARE(typed.asked, 1);
    QVERIFY2(boxes.Calls().empty(), FirstBox().c_str());
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".orv");
    QCOMPARE(QString::fromStdString(dialog.GetPathName()), path);
    QCOMPARE(DbCreate(dialog.GetPathName(), CFamilyDatabase::kCurrentFormat), 1);
    QVERIFY(QFileInfo(path).isFile());
    std::string title;
    QCOMPARE(IdentifyFamilyFile(P(path), nullptr, nullptr, &title, nullptr, nullptr),
             int(kCurrentFormatFamily));
    QCOMPARE(fw::ToQString(title), name);
  }

  // File > Open: the panel describes the file and OK gives its path.
  void openDialogInTheFolder_data() { AddNames(); }
  void openDialogInTheFolder() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/f.orv");
    MakeFamily(path);
    // The program holds another family open meanwhile.
    const QString held = dir->filePath(QStringLiteral("held.orv"));
    MakeFamily(held);
    QCOMPARE(DbOpen(P(held), CFamilyDatabase::kCurrentFormat), 1);
    COpenFamilyFileDialog dialog(kOpenFilter, "Open Family File", P(folder), nullptr);
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ClickFile(dialog, path);
    QCOMPARE(dialog.PanelState(), 0);  // the file's information, not "Unavailable"
    QCOMPARE(dialog.PanelText(COpenFamilyFileDialog::kIdcIndividuals), std::string("1"));
    Shot(dialog, QStringLiteral("open-%1.png").arg(QTest::currentDataTag()));
    static_cast<QDialog&>(dialog).accept();
    QCOMPARE(QString::fromStdString(dialog.GetPathName()), path);
  }

  // File > Backup proposes the open file's folder and writes there; Restore
  // picks the backup there and makes the family again.
  void backupAndRestoreInTheFolder_data() { AddNames(); }
  void backupAndRestoreInTheFolder() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    QVERIFY(QDir().mkpath(folder));
    const QString family = folder + QLatin1Char('/') + name + QStringLiteral(".orv");
    MakeFamily(family);
    CAppMaintenanceScreens screens;
    std::string backup;
    {
      // The proposed name in the proposed folder.
      fw::ScopedFileDialogAnswerer accepted(
          [](QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); });
      backup = screens.AskBackupPath(P(name + QStringLiteral(".bak")), P(folder));
    }
    QVERIFY2(boxes.Calls().empty(), FirstBox().c_str());
    const QString bak = folder + QLatin1Char('/') + name + QStringLiteral(".bak");
    QCOMPARE(QString::fromStdString(backup), bak);
    QCOMPARE(backup::CompressToBackup(P(family), backup), 0);
    QVERIFY(QFileInfo(bak).isFile());

    std::string chosen;
    {
      ChosenFile picked(bak);
      chosen = screens.AskRestorePath(P(folder));
      QCOMPARE(picked.asked, 1);
    }
    QCOMPARE(QString::fromStdString(chosen), bak);
    const QString restored = folder + QStringLiteral("/again.orv");
    QCOMPARE(backup::RestoreFromBackup(chosen, P(restored)), 0);
    QCOMPARE(DbOpen(P(restored), CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbGetRecordCount(db::kIndividual), 1);
  }

  // The welcome dialog's search lists the file under its folder's own name.
  void searchListShowsTheFolder_data() { AddNames(); }
  void searchListShowsTheFolder() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".orv");
    MakeFamily(path);
    const std::vector<std::string> roots = {P(dir->path())};
    SetFamilyFileSearchRoots(&roots);
    QString shown, tip, title;
    WhenModal<CFamilyFileListDialog>([&](CFamilyFileListDialog* list) {
      list->resize(900, 300);
      auto* tree = list->Control<QTreeWidget>(CFamilyFileListDialog::kIdcList);
      QCOMPARE(tree->topLevelItemCount(), 1);
      shown = tree->topLevelItem(0)->text(0);
      title = tree->topLevelItem(0)->text(1);
      tip = tree->topLevelItem(0)->toolTip(0);
      Shot(*list, QStringLiteral("search-%1.png").arg(QTest::currentDataTag()));
      QTest::mouseClick(list->GetControl(fw::kIdOk), Qt::LeftButton);
    });
    std::string chosen;
    QCOMPARE(SearchForFamilyFile(chosen, nullptr, kSearchToOpen), 1);
    QCOMPARE(QString::fromStdString(chosen), path);
    // The path is shortened to its column; the file's own name stays whole.
    QVERIFY2(shown.endsWith(name + QStringLiteral(".orv")), qPrintable(shown));
    QCOMPARE(title, name);
    QVERIFY2(tip.contains(name.toHtmlEscaped()), qPrintable(tip));
  }

  // Preferences > Folders takes such a folder as it is: no question, no
  // second folder, and the setting names it.
  void preferencesFolderIsTakenAsItIs_data() { AddNames(); }
  void preferencesFolderIsTakenAsItIs() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    QVERIFY(QDir().mkpath(folder));
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    CAppOptions options;
    prefs::ResetDesktopChoosers();
    prefs::DesktopChoosers().hasPrinter = [] { return false; };
    COptionsPropSheet sheet(options, nullptr, shell::kPageFolders);
    sheet.show();
    auto* folders = sheet.Page(shell::kPageFolders);
    folders->Control<QLineEdit>(COptionsPropSheet::kIdcFolder[2])->setText(folder);
    QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("ctl%1").arg(fw::kIdOk)),
                      Qt::LeftButton);
    QVERIFY2(boxes.Calls().empty(), FirstBox().c_str());
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(profile.GetPath("Folders", "Backup", "")),
             folder + QLatin1Char('/'));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{name});
  }

  // The settings file holds the path in UTF-8 and gives it back; a path
  // stored before as code page text is read as the folder it named.
  void settingsHoldThePathInUtf8_data() { AddNames(); }
  void settingsHoldThePathInUtf8() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    QVERIFY(QDir().mkpath(folder));
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/Quenmoor/Seekwell.conf");
    {
      fw::QtProfile profile;
      QVERIFY(profile.SetPath("Start Up", "FamilyFile", P(folder + QStringLiteral("/f.orv"))));
      QVERIFY(profile.SetPath("Folders", "Backup", P(folder) + "/"));
    }
    QFile stored(file);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray bytes = stored.readAll();
    QVERIFY2(bytes.contains("FamilyFile=" + folder.toUtf8() + "/f.orv"), bytes.constData());
    QVERIFY2(bytes.contains("Backup=" + folder.toUtf8() + "/"), bytes.constData());
    fw::QtProfile profile;
    QCOMPARE(QString::fromStdString(profile.GetPath("Start Up", "FamilyFile", "")),
             folder + QStringLiteral("/f.orv"));
    QCOMPARE(QString::fromStdString(profile.GetPath("Folders", "Backup", "")),
             folder + QLatin1Char('/'));

    // The earlier form: the path's bytes taken as code page text.
    QVERIFY(profile.SetString("Folders", "Data", P(folder)));
    QCOMPARE(QString::fromStdString(profile.GetPath("Folders", "Data", "")), folder);
  }

  // The photo chooser in a family's folder stores the chosen picture's name
  // as family text that shows as the file is named and leads back to it; the
  // picture loads from there.
  void photoChooserStoresANameThatLeadsBack_data() { AddNationalNames(); }
  void photoChooserStoresANameThatLeadsBack() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    const QString relative = QStringLiteral("Bilder ") + name + QLatin1Char('/') + name + ".png";
    const QString picture = folder + QLatin1Char('/') + relative;
    QVERIFY(QDir().mkpath(QFileInfo(picture).path()));
    QVERIFY(testpic::CornerPicture(40, 30).save(picture));
    MakeFamily(folder + QStringLiteral("/f.orv"));
    QCOMPARE(DbOpen(P(folder + QStringLiteral("/f.orv")), CFamilyDatabase::kCurrentFormat), 1);
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    profile.SetPath("Multimedia", "MMItemPath", P(QFileInfo(picture).path()));
    ChosenFile picked(picture, [](QFileDialog& chooser) {
      QVERIFY(qobject_cast<CPictureFileDialog*>(&chooser));
      if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
      chooser.resize(900, 500);
      chooser.show();
      Shot(chooser, QStringLiteral("chooser-%1.png").arg(QTest::currentDataTag()));
      chooser.hide();
    });
    std::string stored;
    QCOMPARE(OpenPhotoFileDialog("Open Photo File for Ann Lund", stored, nullptr), 1);
    QCOMPARE(picked.asked, 1);
    QVERIFY2(boxes.Calls().empty(), FirstBox().c_str());
    QCOMPARE(fw::ToQString(stored), relative);
    CMultimediaItem item;
    item.kind = CMultimediaItem::kPhoto;
    item.fileName = stored;
    QCOMPARE(QString::fromStdString(item.GetFullPath()), picture);
    fw::CImageObject image;
    QCOMPARE(image.LoadFile(item.GetFullPath(), "", 0, nullptr, true), 1);
    QVERIFY2(boxes.Calls().empty(), FirstBox().c_str());
  }

  // A sound attached in such a folder plays from the scrapbook, and a clip
  // that the desktop's program plays is handed to it by its own name.
  void soundsAndClipsPlayFromTheFolder_data() { AddNationalNames(); }
  void soundsAndClipsPlayFromTheFolder() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name) + QStringLiteral("/Ljud ") + name;
    QVERIFY(QDir().mkpath(folder));
    const QString sound = folder + QStringLiteral("/röst.wav");
    const QString clip = folder + QStringLiteral("/film.mpg");
    for (const QString& file : {sound, clip}) {
      QFile out(file);
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write("clip");
    }
    const QString picture = folder + QStringLiteral("/foto.png");
    QVERIFY(testpic::CornerPicture(40, 30).save(picture));
    CMultimediaItem photo;
    photo.kind = CMultimediaItem::kPhoto;
    photo.flags = CMultimediaItem::kFlagScrapbook;
    QVERIFY(StoreMultimediaPath(P(picture), "", photo.fileName));
    QVERIFY(StoreChosenFile(P(sound), photo.soundFile, false));
    {
      plat::FakeMediaPlayer player;
      plat::ScopedMediaPlayer scopedPlayer{&player};
      CScrapbookDialog scrapbook({&photo});
      scrapbook.show();
      QVERIFY(scrapbook.SlotPicture(0).IsLoaded());
      scrapbook.Control<QToolButton>(CScrapbookDialog::kIdcFirstSound)->click();
      QVERIFY(!player.calls.empty());
      QCOMPARE(QString::fromStdString(player.calls.back()), "PlaySound " + sound);
    }
    CMultimediaItem video;
    video.kind = CMultimediaItem::kVideo;
    QVERIFY(StoreMultimediaPath(P(clip), "", video.fileName));
    fw::QtMediaPlayer player;
    player.SetOpener(QStringLiteral("true"));
    plat::ScopedMediaPlayer scopedPlayer{&player};
    QVERIFY(plat::PlayMediaFile(video.GetFullPath(), false) != 0);
    plat::StopMediaPlayback();
    QVERIFY2(boxes.Calls().empty(), FirstBox().c_str());
  }

  // The missing-object finder: a picture moved into another such folder is
  // found through the entry, and the item's stored name leads to it.
  void missingObjectFinderFindsTheMovedFile_data() { AddNationalNames(); }
  void missingObjectFinderFindsTheMovedFile() {
    QFETCH(QString, name);
    const QString folder = dir->filePath(name);
    const QString moved = folder + QStringLiteral("/Flyttad ") + name;
    QVERIFY(QDir().mkpath(moved));
    QVERIFY(testpic::CornerPicture(40, 30).save(moved + QStringLiteral("/foto.png")));
    MakeFamily(folder + QStringLiteral("/f.orv"));
    QCOMPARE(DbOpen(P(folder + QStringLiteral("/f.orv")), CFamilyDatabase::kCurrentFormat), 1);
    CMultimediaItem item;
    item.kind = CMultimediaItem::kPhoto;
    item.fileName = plat::Utf8ToAnsi(P(QStringLiteral("Bilder ") + name + "/foto.png"));
    QVERIFY(DbSaveMultimediaChain(1, &item, db::kIndividual) >= 0);
    QVERIFY(item.recordNumber > 0);
    CFindMultimediaDialog finder(item.recordNumber);
    finder.offerRetry = false;
    finder.offerEntry = true;
    finder.oldPath = item.GetFullPath();
    finder.show();
    finder.SetControlPath(CFindMultimediaDialog::kIdcEntry, P(QStringLiteral("Flyttad ") + name));
    boxes.QueueAnswer(plat::kIdYes);  // this link
    boxes.QueueAnswer(plat::kIdNo);   // not every link of the folder
    finder.Control<QPushButton>(fw::kIdOk)->click();
    QCOMPARE(finder.result(), int(fw::kIdOk));
    QCOMPARE(boxes.Calls().size(), std::size_t{2});
    QCOMPARE(fw::ToQString(boxes.Calls()[0].text),
             QStringLiteral("Replace link to multimedia object:\n") + folder + "/Bilder " + name +
                 "/foto.png\n\nWith new link:\n" + moved + "/foto.png");
    CMultimediaItem read;
    QCOMPARE(DbGetRecord(item.recordNumber, CMultimediaItem::kRecordType, &read), 1);
    QCOMPARE(fw::ToQString(read.fileName), QStringLiteral("Flyttad ") + name + "/foto.png");
    QCOMPARE(QString::fromStdString(read.GetFullPath()), moved + QStringLiteral("/foto.png"));
  }

  // A file whose name holds a letter the family file cannot store is
  // refused with a plain message rather than stored with a question mark.
  void unstorableLetterIsSaidPlainly() {
    const QString folder = dir->filePath(QString::fromUtf8("\u6C5F\u6238"));
    QVERIFY(QDir().mkpath(folder));
    MakeFamily(dir->filePath(QStringLiteral("f.orv")));
    QCOMPARE(DbOpen(P(dir->filePath(QStringLiteral("f.orv"))), CFamilyDatabase::kCurrentFormat), 1);
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    CMultimediaItemDialog item(nullptr);
    item.show();
    item.UseChosenFile(P(folder + QStringLiteral("/a.wav")));
    QCOMPARE(item.GetControlText(CMultimediaItemDialog::kIdcFileName), std::string());
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QVERIFY2(boxes.Calls()[0].text.find("cannot store") != std::string::npos,
             boxes.Calls()[0].text.c_str());
  }

  // The converter writes into such a folder, and the new family is titled
  // after the name it was given.
  void converterTargetInTheFolder_data() { AddNames(); }
  void converterTargetInTheFolder() {
    QFETCH(QString, name);
    const QString oldFolder =
        dir->filePath(QStringLiteral("Gammal ") + name + QStringLiteral("/old"));
    QVERIFY(QDir().mkpath(oldFolder));
    oldfamily::Writer w;
    oldfamily::Individual p;
    p.surname = "Pell";
    w.Add(p);
    w.Write(P(oldFolder) + "/");
    CFamilyDatabase source;
    CFamilyDatabase* saved = CurrentDatabase;
    CurrentDatabase = &source;
    const int opened = DbOpen(P(oldFolder) + "/", CFamilyDatabase::kOldFormat);
    CurrentDatabase = saved;
    QCOMPARE(opened, 1);

    const QString target = dir->filePath(name) + QLatin1Char('/') + name + QStringLiteral(".orv");
    QVERIFY(QDir().mkpath(dir->filePath(name)));
    CFileConverterDialog dialog(source, {}, P(target), nullptr);
    QTimer::singleShot(
        0, [&] { Shot(dialog, QStringLiteral("converter-%1.png").arg(QTest::currentDataTag())); });
    QCOMPARE(dialog.DoModal(), 1);
    source.Close();
    QVERIFY2(boxes.Calls().empty(), FirstBox().c_str());
    std::string title;
    QCOMPARE(IdentifyFamilyFile(P(target), nullptr, nullptr, &title, nullptr, nullptr),
             int(kCurrentFormatFamily));
    QCOMPARE(fw::ToQString(title), name);
    QCOMPARE(QDir(dir->filePath(name)).entryList(QDir::Files), QStringList{name + ".orv"});
  }

 private:
  // The first message shown, for a failure's account.
  std::string FirstBox() const {
    return boxes.Calls().empty() ? std::string() : boxes.Calls().front().text;
  }

  std::unique_ptr<QTemporaryDir> dir;
  plat::FakeMessageBox boxes;
};

QTEST_MAIN(NationalFoldersTest)
#include "nationalfolders_qtest.moc"
