// The Find Multimedia Object dialog over a family file (button layouts, an
// entry naming a folder, a read-only file, replacing every link of a
// folder, No to the first question) and the scrapbook full screen (pages,
// sound buttons, a missing photo).
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "DbCalls.h"
#include "FakeMediaPlayer.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileUtil.h"
#include "FindMultimediaDialog.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "MultimediaCollectionDialog.h"
#include "QtPorts.h"
#include "ScrapbookDialog.h"
#include "TestPictures.h"

using Find = CFindMultimediaDialog;

namespace {

std::string FileNameOf(std::int32_t item) {
  std::string out;
  CurrentDatabase->GetMultimediaFileName(item, out);
  return out;
}

}  // namespace

class FindScrapbookTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void buttonLayouts_data();
  void buttonLayouts();
  void entryNamingAFolderTakesTheOldFileName();
  void readOnlyFileChangesOnlyTheItemInMemory();
  void replaceAllLinksOfTheFolder();
  void foldersDifferingOnlyInCase();
  void noToTheFirstQuestionChangesNothing();
  void missingFileAndEmptyEntryKeepTheDialog();
  void scrapbookPages();

 private:
  // An individual with items in folder "old" of the family file's folder;
  // their record numbers.
  std::vector<std::int32_t> Items(const std::vector<std::string>& files) {
    CIndividualRecord person;
    person.surname = "Lund";
    person.givenNames[0] = "Ann";
    owner = DbAddRecord(db::kIndividual, 0, &person);
    CMultimediaList head;
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
      auto item = std::make_unique<CMultimediaItem>();
      item->kind = CMultimediaItem::kPhoto;
      item->fileName = *it;
      item->next = std::move(head);
      head = std::move(item);
    }
    if (DbSaveMultimediaChain(owner, head.get(), db::kIndividual) != 1)
      QTest::qFail("the items were not saved", __FILE__, __LINE__);
    std::vector<std::int32_t> numbers;
    for (const CMultimediaItem* i = head.get(); i; i = i->next.get())
      numbers.push_back(i->recordNumber);
    return numbers;
  }
  std::string Path(const std::string& name) {
    return dir->filePath(QString::fromStdString(name)).toStdString();
  }
  void Touch(const std::string& name) {
    std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
    testpic::CornerPicture(40, 30).save(QString::fromStdString(Path(name)));
  }
  // The dialog as the loader opens it for a missing file with an entry.
  std::unique_ptr<Find> Open(std::int32_t item, const std::string& oldPath, QWidget* owner) {
    auto d = std::make_unique<Find>(item);
    d->offerRetry = false;
    d->offerEntry = true;
    d->helpTopic = 145;
    d->oldPath = oldPath;
    d->message = "Cannot find image file:\n\n" + oldPath;
    d->ownerWindow = owner;
    d->show();
    return d;
  }

  std::unique_ptr<QTemporaryDir> dir;
  std::int32_t owner = 0;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
};

void FindScrapbookTest::init() {
  dir = std::make_unique<QTemporaryDir>();
  QCOMPARE(DbCreate(Path("family.orv"), CFamilyDatabase::kCurrentFormat), 1);
  QCOMPARE(DbOpen(Path("family.orv"), CFamilyDatabase::kCurrentFormat), 1);
  boxes.Clear();
  // The collections opened here preview nothing.
  profile.SetInt("Multimedia", "MMPrevState1", 0);
}

void FindScrapbookTest::cleanup() {
  DbCloseCurrent();
  dir.reset();
}

void FindScrapbookTest::buttonLayouts_data() {
  QTest::addColumn<bool>("retry");
  QTest::addColumn<int>("help");
  QTest::addColumn<bool>("entry");
  QTest::addColumn<QList<int>>("buttons");
  const int ok = fw::kIdOk, cancel = fw::kIdCancel, retry = Find::kIdcRetry, help = Find::kIdcHelp;
  QTest::newRow("only OK") << false << 0 << false << QList<int>{ok};
  QTest::newRow("OK and Help") << false << 145 << false << QList<int>{ok, help};
  QTest::newRow("Retry and Cancel") << true << 0 << false << QList<int>{cancel, retry};
  QTest::newRow("entry and Help") << false << 145 << true << QList<int>{ok, cancel, help};
  QTest::newRow("Retry and Help") << true << 145 << false << QList<int>{ok, cancel, retry, help};
  QTest::newRow("Retry and entry") << true << 145 << true << QList<int>{ok, cancel, retry, help};
}

void FindScrapbookTest::buttonLayouts() {
  QFETCH(bool, retry);
  QFETCH(int, help);
  QFETCH(bool, entry);
  QFETCH(QList<int>, buttons);
  Find d(0);
  d.offerRetry = retry;
  d.helpTopic = help;
  d.offerEntry = entry;
  d.message = "Cannot find image file:\n\n/x/a.jpg";
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
  const std::vector<int> shown = d.VisibleButtons();
  QCOMPARE(QList<int>(shown.begin(), shown.end()), buttons);
  QCOMPARE(d.GetControl(Find::kIdcEntry)->isVisible(), entry);
  QCOMPARE(d.GetControl(Find::kIdcBrowse)->isVisible(), entry);
  QCOMPARE(d.GetControlText(Find::kIdcMessage), d.message);
  if (retry) {
    d.Control<QPushButton>(Find::kIdcRetry)->click();
    QCOMPARE(d.result(), Find::kIdRetry);
  }
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS") && retry && entry)
    d.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + "/findmultimedia.png");
}

void FindScrapbookTest::entryNamingAFolderTakesTheOldFileName() {
  const std::vector<std::int32_t> items = Items({"old/ann.png", "old/bo.png"});
  Touch("moved/ann.png");
  media::CMultimediaCollection* collection = nullptr;
  CMultimediaCollectionDialog owner(this->owner, "Ann Lund");
  owner.show();
  collection = &owner.Collection();
  auto d = Open(items[0], Path("old/ann.png"), &owner);
  d->SetControlText(Find::kIdcEntry, "moved");
  boxes.QueueAnswer(plat::kIdYes);  // replace this link
  boxes.QueueAnswer(plat::kIdNo);   // not all of them
  d->Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(d->result(), int(fw::kIdOk));
  QCOMPARE(boxes.Calls().size(), std::size_t{2});
  QCOMPARE(boxes.Calls()[0].text, "Replace link to multimedia object:\n" + Path("old/ann.png") +
                                      "\n\nWith new link:\n" + Path("moved/ann.png"));
  QCOMPARE(boxes.Calls()[1].flags & plat::kMbDefMask, unsigned(plat::kMbDefButton2));
  QCOMPARE(FileNameOf(items[0]), std::string("moved/ann.png"));
  QCOMPARE(FileNameOf(items[1]), std::string("old/bo.png"));
  // The collection that was active shows the new name.
  QCOMPARE(collection->Item(0)->fileName, std::string("moved/ann.png"));
}

void FindScrapbookTest::readOnlyFileChangesOnlyTheItemInMemory() {
  const std::vector<std::int32_t> items = Items({"old/ann.png"});
  Touch("moved/ann.png");
  CMultimediaCollectionDialog owner(this->owner, "Ann Lund");
  owner.show();
  CurrentDatabase->host.readOnly = true;
  auto d = Open(items[0], Path("old/ann.png"), &owner);
  d->SetControlText(Find::kIdcEntry, Path("moved/ann.png"));
  d->Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(d->result(), int(fw::kIdOk));
  QVERIFY(boxes.Calls().empty());
  QCOMPARE(owner.Collection().Item(0)->fileName, std::string("moved/ann.png"));
  CurrentDatabase->host.readOnly = false;
  QCOMPARE(FileNameOf(items[0]), std::string("old/ann.png"));
}

void FindScrapbookTest::replaceAllLinksOfTheFolder() {
  const std::vector<std::int32_t> items = Items({"old/ann.png", "old/bo.png", "other/cy.png"});
  Touch("new/ann.png");
  CMultimediaCollectionDialog owner(this->owner, "Ann Lund");
  owner.show();
  auto d = Open(items[0], Path("old/ann.png"), &owner);
  d->SetControlText(Find::kIdcEntry, "new/ann.png");
  boxes.QueueAnswer(plat::kIdYes);
  boxes.QueueAnswer(plat::kIdYes);
  d->Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(boxes.Calls()[1].text, "Replace ALL links to multimedia objects with the path:\n" +
                                      Path("old") + "\n\nWith the new path:\n" + Path("new"));
  QCOMPARE(FileNameOf(items[0]), std::string("new/ann.png"));
  QCOMPARE(FileNameOf(items[1]), std::string("new/bo.png"));
  QCOMPARE(FileNameOf(items[2]), std::string("other/cy.png"));
  // The collection reloaded every name from the file.
  QCOMPARE(owner.Collection().Item(1)->fileName, std::string("new/bo.png"));
}

void FindScrapbookTest::foldersDifferingOnlyInCase() {
  // On Linux these are two folders: moving every link is offered.
  const std::vector<std::int32_t> items = Items({"photos/ann.png"});
  Touch("Photos/ann.png");
  auto d = Open(items[0], Path("photos/ann.png"), nullptr);
  d->SetControlText(Find::kIdcEntry, "Photos");
  boxes.QueueAnswer(plat::kIdYes);
  boxes.QueueAnswer(plat::kIdNo);
  d->Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(boxes.Calls().size(), std::size_t{2});
  QCOMPARE(FileNameOf(items[0]), std::string("Photos/ann.png"));
}

void FindScrapbookTest::noToTheFirstQuestionChangesNothing() {
  const std::vector<std::int32_t> items = Items({"old/ann.png"});
  Touch("new/ann.png");
  CMultimediaCollectionDialog owner(this->owner, "Ann Lund");
  owner.show();
  auto d = Open(items[0], Path("old/ann.png"), &owner);
  d->SetControlText(Find::kIdcEntry, "new");
  boxes.QueueAnswer(plat::kIdNo);
  d->Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(d->result(), int(fw::kIdOk));
  QCOMPARE(boxes.Calls().size(), std::size_t{1});
  QCOMPARE(FileNameOf(items[0]), std::string("old/ann.png"));
  QCOMPARE(owner.Collection().Item(0)->fileName, std::string("old/ann.png"));
}

void FindScrapbookTest::missingFileAndEmptyEntryKeepTheDialog() {
  const std::vector<std::int32_t> items = Items({"old/ann.png"});
  auto d = Open(items[0], Path("old/ann.png"), nullptr);
  d->Control<QPushButton>(fw::kIdOk)->click();  // empty entry
  QVERIFY(d->isVisible());
  QVERIFY(boxes.Calls().empty());
  d->SetControlText(Find::kIdcEntry, "nowhere/ann.png");
  d->Control<QPushButton>(fw::kIdOk)->click();
  QVERIFY(d->isVisible());
  QCOMPARE(boxes.Calls().size(), std::size_t{1});
  QCOMPARE(boxes.Calls()[0].text, "Cannot find image file:\n\n" + Path("nowhere/ann.png"));
  // An existing file for an item that has no record: the dialog stays.
  Touch("new/ann.png");
  auto unsaved = Open(0, Path("old/ann.png"), nullptr);
  unsaved->SetControlText(Find::kIdcEntry, "new/ann.png");
  unsaved->Control<QPushButton>(fw::kIdOk)->click();
  QVERIFY(unsaved->isVisible());
}

void FindScrapbookTest::scrapbookPages() {
  plat::FakeMediaPlayer player;
  plat::ScopedMediaPlayer scopedPlayer{&player};
  std::vector<CMultimediaItem> items(8);
  for (int i = 0; i < 8; ++i) {
    CMultimediaItem& item = items[i];
    item.kind = CMultimediaItem::kPhoto;
    item.flags = CMultimediaItem::kFlagScrapbook;
    const std::string name = "p" + std::to_string(i) + ".png";
    if (i != 2) testpic::Quadrants(120, 90).save(QString::fromStdString(Path(name)));
    item.fileName = Path(name);
    item.caption = "Caption " + std::to_string(i);
    item.description = "About " + std::to_string(i);
  }
  items[1].soundFile = Path("voice.wav");
  items[7].flags = 0;  // not in the scrapbook: seven photos remain
  std::vector<const CMultimediaItem*> pointers;
  for (const CMultimediaItem& i : items) pointers.push_back(&i);

  CScrapbookDialog d(pointers);
  d.ownerCaption = "Ann Lund";
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
  QCOMPARE(d.windowTitle(), QStringLiteral("Scrapbook for Ann Lund"));
  QCOMPARE(d.PhotoCount(), 7);
  QVERIFY(d.IsControlEnabled(CScrapbookDialog::kIdcNext));
  QVERIFY(!d.IsControlEnabled(CScrapbookDialog::kIdcPrevious));
  for (int k = 0; k < 6; ++k) {
    // A sound button only where a sound is attached.
    QCOMPARE(d.GetControl(CScrapbookDialog::kIdcFirstSound + k)->isVisible(), k == 1);
    QCOMPARE(d.GetControlText(CScrapbookDialog::kIdcFirstCaption + k),
             "Caption " + std::to_string(k));
    // The missing photo: empty frame, caption and description kept.
    QCOMPARE(d.SlotPicture(k).IsLoaded(), k != 2);
  }
  QCOMPARE(d.Control<QPlainTextEdit>(CScrapbookDialog::kIdcFirstDescription + 2)->toPlainText(),
           QStringLiteral("About 2"));
  d.Control<QToolButton>(CScrapbookDialog::kIdcFirstSound + 1)->click();
  QVERIFY(!player.calls.empty());
  // The whole work area of the screen, title bar and frame included, so
  // that the bottom row is on the screen; laid out by the formulas.
  const QRect area = d.screen()->availableGeometry();
  QCOMPARE(d.frameGeometry(), area);
  for (int id : {CScrapbookDialog::kIdcPrevious, CScrapbookDialog::kIdcNext, int(fw::kIdOk),
                 int(fw::kIdHelp)}) {
    const QWidget* button = d.GetControl(id);
    QVERIFY(area.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
  }
  const int u = d.width() / 48;
  QCOMPARE(d.GetControl(CScrapbookDialog::kIdcPrevious)->x(), u);
  QCOMPARE(d.GetControl(CScrapbookDialog::kIdcFirstCaption + 1)->x(),
           u + ((d.width() - 6 * u) / 3 + 2 * u));
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    d.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + "/scrapbook.png");

  d.Control<QToolButton>(CScrapbookDialog::kIdcNext)->click();
  QCOMPARE(d.First(), 6);
  QVERIFY(!d.IsControlEnabled(CScrapbookDialog::kIdcNext));
  QVERIFY(d.IsControlEnabled(CScrapbookDialog::kIdcPrevious));
  QCOMPARE(d.GetControlText(CScrapbookDialog::kIdcFirstCaption), std::string("Caption 6"));
  QVERIFY(d.SlotPicture(0).IsLoaded());
  for (int k = 1; k < 6; ++k) {
    QVERIFY(!d.SlotPicture(k).IsLoaded());
    QCOMPARE(d.GetControlText(CScrapbookDialog::kIdcFirstCaption + k), std::string());
    QVERIFY(!d.GetControl(CScrapbookDialog::kIdcFirstSound + k)->isVisible());
  }
  d.Control<QToolButton>(CScrapbookDialog::kIdcPrevious)->click();
  QCOMPARE(d.First(), 0);
  QVERIFY(!d.IsControlEnabled(CScrapbookDialog::kIdcPrevious));
  QVERIFY(d.IsControlEnabled(CScrapbookDialog::kIdcNext));
}

QTEST_MAIN(FindScrapbookTest)
#include "findscrapbook_qtest.moc"
