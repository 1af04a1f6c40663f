// The Multimedia Collection and Add/Modify Multimedia Object dialogs driven
// offscreen over a family file: list texts and buttons, the default photo
// through add, move and remove, Save read back, Close with changes, the
// preview only when asked for, and the item dialog's rules.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "ChosenFile.h"
#include "DbCalls.h"
#include "FakeMediaPlayer.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileUtil.h"
#include "ImageObject.h"
#include "IndividualRecord.h"
#include "MediaPlayer.h"
#include "MultimediaChain.h"
#include "MultimediaCollectionDialog.h"
#include "MultimediaItemDialog.h"
#include "PictureFileDialog.h"
#include "QtPorts.h"
#include "SlideShowWindow.h"
#include "TestPictures.h"

using Dialog = CMultimediaCollectionDialog;
using ItemDialog = CMultimediaItemDialog;

namespace {

class CountingHost : public fw::PictureHostPort {
 public:
  int FindMultimedia(const fw::FindMultimediaRequest& request) override {
    requests.push_back(request.path);
    return plat::kIdCancel;
  }
  std::string DiscIdentifier(const std::string&) override { return disc; }
  std::vector<std::string> requests;
  std::string disc;
};

struct ItemRow {
  char kind;
  std::string file;
  std::string caption;
  bool isDefault = false;
};

QStringList ListTexts(Dialog& d) {
  QStringList out;
  auto* list = d.Control<QListWidget>(Dialog::kIdcList);
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

std::vector<std::string> Stored(std::int32_t owner) {
  std::vector<std::string> out;
  const std::int32_t head = DbGetMultimediaHead(owner, db::kIndividual);
  if (head <= 0) return out;
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1);
  for (const CMultimediaItem* i = list.get(); i; i = i->next.get())
    out.push_back(i->fileName + (i->IsDefault() ? "*" : ""));
  return out;
}

QString Q(const char* s) { return QString::fromLatin1(s); }

}  // namespace

class CollectionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void openingTextsAndButtons_data();
  void openingTextsAndButtons();
  void firstPhotoAddedBecomesDefault();
  void slideShowTakesClicksAndKeysOverTheModalDialog();
  void movingAndRemovingKeepTheDefaults();
  void saveWritesTheListOrderAndAsksForARefresh();
  void readOnlyFileRefusesSave();
  void closeWithChangesAsks();
  void previewOnlyWhenChecked();
  void newIndividualHandsItsItemsOver();
  void soundClipsOnlyPlayAndShowOpensThePhoto();
  void photoCdItemsKeepTheDiscLabel();
  void itemDialogEditButton();
  void itemDialogRenameDropsEditsAndCancelRestores();
  void itemDialogNeedsAFileName();
  void itemDialogStoresPathsRelativeToTheFamilyFile();
  void photoChooserKeepsFolderAndFilter();
  void screenshots();

 private:
  std::int32_t Person(const std::vector<ItemRow>& items) {
    CIndividualRecord person;
    person.surname = "Lund";
    person.givenNames[0] = "Ann";
    const std::int32_t rin = DbAddRecord(db::kIndividual, 0, &person);
    CMultimediaList head;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
      auto item = std::make_unique<CMultimediaItem>();
      item->kind = it->kind;
      item->fileName = it->file;
      item->caption = it->caption;
      if (it->isDefault) item->flags |= CMultimediaItem::kFlagDefault;
      item->next = std::move(head);
      head = std::move(item);
    }
    if (head && DbSaveMultimediaChain(rin, head.get(), db::kIndividual) != 1)
      QTest::qFail("the items were not saved", __FILE__, __LINE__);
    return rin;
  }
  std::string Picture(const char* name, int w = 120, int h = 80) {
    const std::string path = dir->filePath(Q(name)).toStdString();
    testpic::CornerPicture(w, h).save(QString::fromStdString(path));
    return path;
  }
  // The item dialog answered by filling its controls and pressing OK.
  static std::function<int(ItemDialog&)> Answer(const char* type, std::string file,
                                                const char* caption) {
    return [type, file, caption](ItemDialog& d) {
      d.show();
      d.Control<QComboBox>(ItemDialog::kIdcType)->setCurrentText(Q(type));
      d.Control<QLineEdit>(ItemDialog::kIdcFileName)->setText(QString::fromStdString(file));
      d.Control<QLineEdit>(ItemDialog::kIdcCaption)->setText(Q(caption));
      d.Control<QPushButton>(fw::kIdOk)->click();
      return d.result();
    };
  }

  std::unique_ptr<QTemporaryDir> dir;
  std::string family;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  CountingHost host;
  fw::PictureHostPort* previousHost = nullptr;
};

void CollectionDialogTest::init() {
  dir = std::make_unique<QTemporaryDir>();
  family = dir->filePath(QStringLiteral("family.orv")).toStdString();
  QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
  QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  boxes.Clear();
  host.requests.clear();
  host.disc.clear();
  previousHost = fw::SetPictureHostPort(&host);
}

void CollectionDialogTest::cleanup() {
  fw::SetPictureHostPort(previousHost);
  DbCloseCurrent();
  dir.reset();
}

void CollectionDialogTest::openingTextsAndButtons_data() {
  QTest::addColumn<std::vector<ItemRow>>("items");
  QTest::addColumn<bool>("readOnly");
  QTest::addColumn<QStringList>("texts");
  // Enabled: add modify remove show default save slideshow preview.
  QTest::addColumn<QString>("enabled");
  QTest::addColumn<QString>("showText");
  QTest::addColumn<QString>("defaultText");
  QTest::newRow("empty") << std::vector<ItemRow>{} << false << QStringList{} << "A......."
                         << "S&how"
                         << "Make &Default";
  QTest::newRow("one photo") << std::vector<ItemRow>{{'P', "a.jpg", "Ann at ten"}} << false
                             << QStringList{" \tPhoto\tAnn at ten"} << "AMRSDS.P"
                             << "S&how"
                             << "Make &Default";
  QTest::newRow("default sound") << std::vector<ItemRow>{{'S', "v.wav", "Voice", true},
                                                         {'P', "b.jpg", ""}}
                                 << false << QStringList{"*\tSound Clip\tVoice", " \tPhoto"}
                                 << "AMRSDS.P"
                                 << "&Play"
                                 << "Clear &Default";
  QTest::newRow("read-only file") << std::vector<ItemRow>{{'P', "a.jpg", "Face", true}} << true
                                  << QStringList{"*\tPhoto\tFace"} << ".M.S.S.P"
                                  << "S&how"
                                  << "Clear &Default";
}

void CollectionDialogTest::openingTextsAndButtons() {
  QFETCH(std::vector<ItemRow>, items);
  QFETCH(bool, readOnly);
  QFETCH(QStringList, texts);
  QFETCH(QString, enabled);
  QFETCH(QString, showText);
  QFETCH(QString, defaultText);
  const std::int32_t rin = Person(items);
  CurrentDatabase->host.readOnly = readOnly;
  Dialog d(rin, "Ann Lund");
  d.show();
  QCOMPARE(d.windowTitle(), QStringLiteral("Multimedia Collection - Ann Lund"));
  QCOMPARE(ListTexts(d), texts);
  const int ids[] = {Dialog::kIdcAdd,       Dialog::kIdcModify,  Dialog::kIdcRemove,
                     Dialog::kIdcShow,      Dialog::kIdcDefault, fw::kIdOk,
                     Dialog::kIdcSlideShow, Dialog::kIdcPreview};
  QString seen;
  for (int i = 0; i < 8; ++i)
    seen += d.IsControlEnabled(ids[i]) ? QString(enabled[i] == '.' ? '?' : enabled[i]) : Q(".");
  QCOMPARE(seen, enabled);
  QCOMPARE(d.Control<QPushButton>(Dialog::kIdcShow)->text(), showText);
  QCOMPARE(d.Control<QPushButton>(Dialog::kIdcDefault)->text(), defaultText);
  QCOMPARE(d.Control<QPushButton>(fw::kIdCancel)->text(), QStringLiteral("&Close"));
  CurrentDatabase->host.readOnly = false;
}

void CollectionDialogTest::firstPhotoAddedBecomesDefault() {
  const std::int32_t rin = Person({});
  Dialog d(rin, "Ann Lund");
  d.show();
  d.runItemDialog = Answer("Photo", Picture("a.png", 120, 80), "First");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  QCOMPARE(ListTexts(d), QStringList{"*\tPhoto\tFirst"});
  QVERIFY(d.IsControlEnabled(Dialog::kIdcSlideShow));
  QVERIFY(d.IsControlEnabled(fw::kIdOk));
  QCOMPARE(d.Control<QPushButton>(fw::kIdCancel)->text(), QStringLiteral("Cancel"));
  QCOMPARE(d.Control<QPushButton>(Dialog::kIdcDefault)->text(), QStringLiteral("Clear &Default"));
  // The size comes from the picture file; the preview shows it.
  QCOMPARE(d.Collection().Item(0)->width, 120);
  QCOMPARE(d.Collection().Item(0)->height, 80);
  QCOMPARE(d.PreviewIndex(), 0);
  // A second photo is not made the default; an empty caption still gets
  // its tab.
  d.runItemDialog = Answer("Photo", Picture("b.png"), "");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  QCOMPARE(ListTexts(d), (QStringList{"*\tPhoto\tFirst", " \tPhoto\t"}));
  QCOMPARE(d.Selection(), 1);
  // Edit in add mode makes the item that is added, with its edits.
  d.runEditPhoto = [](CMultimediaItem& item) {
    item.cropLeft = 12;
    return int(fw::kIdOk);
  };
  d.runItemDialog = [this](ItemDialog& item) {
    item.show();
    item.Control<QLineEdit>(ItemDialog::kIdcFileName)
        ->setText(QString::fromStdString(Picture("c.png")));
    item.Control<QPushButton>(ItemDialog::kIdcEdit)->click();
    item.Control<QPushButton>(fw::kIdOk)->click();
    return item.result();
  };
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  QCOMPARE(d.Collection().Count(), 3);
  QCOMPARE(d.Collection().Item(2)->cropLeft, 12);
  // Cancel in the item dialog adds nothing.
  d.runItemDialog = [](ItemDialog&) { return int(fw::kIdCancel); };
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  QCOMPARE(d.Collection().Count(), 3);
}

// Started from the modal dialog, the show still ends on Escape or a click
// that reaches it through its window, as the user's would.
void CollectionDialogTest::slideShowTakesClicksAndKeysOverTheModalDialog() {
  plat::FakeMediaPlayer player;
  plat::ScopedMediaPlayer playerScope(&player);
  profile.SetInt("Multimedia", "MMSlideTime", 600);  // longer than any wait here
  const std::int32_t rin = Person({});
  Dialog d(rin, "Ann Lund");
  d.setWindowModality(Qt::ApplicationModal);
  d.show();
  d.runItemDialog = Answer("Photo", Picture("a.png", 120, 80), "First");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  for (const bool byKey : {true, false}) {
    d.Control<QPushButton>(Dialog::kIdcSlideShow)->click();
    QPointer<QWidget> show;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<CSlideShowWindow*>(w) && w->isVisible()) show = w;
    QVERIFY(show);
    QVERIFY(show->windowHandle());
    if (byKey)
      QTest::keyClick(show->windowHandle(), Qt::Key_Escape);
    else
      QTest::mouseClick(show->windowHandle(), Qt::LeftButton, {}, QPoint(10, 10));
    QTRY_VERIFY_WITH_TIMEOUT(show.isNull(), 2000);
  }
}

void CollectionDialogTest::movingAndRemovingKeepTheDefaults() {
  const std::int32_t rin =
      Person({{'P', "a.jpg", "A"}, {'P', "b.jpg", "B", true}, {'S', "c.wav", "C", true}});
  Dialog d(rin, "Ann Lund");
  d.show();
  auto* list = d.Control<QListWidget>(Dialog::kIdcList);
  auto* up = d.GetControl(Dialog::kIdcOrder)->findChild<QToolButton*>(QStringLiteral("up"));
  auto* down = d.GetControl(Dialog::kIdcOrder)->findChild<QToolButton*>(QStringLiteral("down"));
  list->setCurrentRow(1);
  up->click();
  QCOMPARE(ListTexts(d), (QStringList{"*\tPhoto\tB", " \tPhoto\tA", "*\tSound Clip\tC"}));
  QCOMPARE(d.Selection(), 0);
  QCOMPARE(d.Collection().DefaultPhoto(), 0);
  up->click();  // at the top: nothing
  QCOMPARE(d.Selection(), 0);
  down->click();
  down->click();
  QCOMPARE(ListTexts(d), (QStringList{" \tPhoto\tA", "*\tSound Clip\tC", "*\tPhoto\tB"}));
  QCOMPARE(d.Collection().DefaultPhoto(), 2);
  QCOMPARE(d.Collection().DefaultSound(), 1);

  // No to the question removes nothing.
  list->setCurrentRow(0);
  boxes.QueueAnswer(plat::kIdNo);
  d.Control<QPushButton>(Dialog::kIdcRemove)->click();
  QCOMPARE(d.Collection().Count(), 3);
  QCOMPARE(boxes.Calls().back().text, std::string("Remove link to this item?"));
  boxes.QueueAnswer(plat::kIdYes);
  d.Control<QPushButton>(Dialog::kIdcRemove)->click();
  QCOMPARE(ListTexts(d), (QStringList{"*\tSound Clip\tC", "*\tPhoto\tB"}));
  QCOMPARE(d.Collection().DefaultSound(), 0);
  QCOMPARE(d.Collection().DefaultPhoto(), 1);
  // Removing the last entry selects the new last one; removing all
  // disables the buttons that need an entry.
  list->setCurrentRow(1);
  boxes.QueueAnswer(plat::kIdYes);
  d.Control<QPushButton>(Dialog::kIdcRemove)->click();
  QCOMPARE(d.Selection(), 0);
  QCOMPARE(d.Collection().DefaultPhoto(), -1);
  boxes.QueueAnswer(plat::kIdYes);
  d.Control<QPushButton>(Dialog::kIdcRemove)->click();
  for (int id : {Dialog::kIdcModify, Dialog::kIdcRemove, Dialog::kIdcShow, Dialog::kIdcDefault,
                 Dialog::kIdcSlideShow, Dialog::kIdcPreview})
    QVERIFY2(!d.IsControlEnabled(id), qPrintable(QString::number(id)));
  QCOMPARE(d.GetControlText(Dialog::kIdcFileName), std::string());
}

void CollectionDialogTest::saveWritesTheListOrderAndAsksForARefresh() {
  const std::int32_t rin =
      Person({{'P', "a.jpg", "A", true}, {'S', "b.wav", "B"}, {'V', "c.avi", "C"}});
  Dialog d(rin, "Ann Lund");
  std::vector<std::pair<std::int32_t, bool>> saved;
  d.onSaved = [&](std::int32_t owner, bool hasItems) { saved.emplace_back(owner, hasItems); };
  d.show();
  d.Control<QListWidget>(Dialog::kIdcList)->setCurrentRow(2);
  d.GetControl(Dialog::kIdcOrder)->findChild<QToolButton*>(QStringLiteral("up"))->click();
  d.Control<QListWidget>(Dialog::kIdcList)->setCurrentRow(2);
  d.Control<QPushButton>(Dialog::kIdcDefault)->click();
  d.Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(d.result(), int(fw::kIdOk));
  QCOMPARE(Stored(rin), (std::vector<std::string>{"a.jpg*", "c.avi", "b.wav*"}));
  QCOMPARE(saved.size(), std::size_t{1});
  QCOMPARE(saved[0].first, rin);
  QVERIFY(saved[0].second);
}

void CollectionDialogTest::readOnlyFileRefusesSave() {
  const std::int32_t rin = Person({{'P', "a.jpg", "A"}});
  CurrentDatabase->host.readOnly = true;
  Dialog d(rin, "Ann Lund");
  bool refreshed = false;
  d.onSaved = [&](std::int32_t, bool) { refreshed = true; };
  d.show();
  d.Control<QPushButton>(fw::kIdOk)->click();
  QVERIFY(d.isVisible());
  QCOMPARE(boxes.Calls().size(), std::size_t{1});
  QCOMPARE(boxes.Calls()[0].text,
           std::string("This file has been saved on a read only device. The file must reside on a "
                       "writeable device in order to perform this function."));
  QVERIFY(!refreshed);
  CurrentDatabase->host.readOnly = false;
}

void CollectionDialogTest::closeWithChangesAsks() {
  const std::int32_t rin = Person({{'P', "a.jpg", "A"}, {'P', "b.jpg", "B"}});
  Dialog d(rin, "Ann Lund");
  d.show();
  // Without changes Close just closes.
  d.Control<QPushButton>(fw::kIdCancel)->click();
  QVERIFY(!d.isVisible());
  QVERIFY(boxes.Calls().empty());

  Dialog changed(rin, "Ann Lund");
  changed.show();
  changed.Control<QPushButton>(Dialog::kIdcDefault)->click();
  boxes.QueueAnswer(plat::kIdCancel);
  changed.Control<QPushButton>(fw::kIdCancel)->click();
  QVERIFY(changed.isVisible());
  QCOMPARE(boxes.Calls().back().text, std::string("Do you want to save your changes?"));
  QCOMPARE(boxes.Calls().back().flags & plat::kMbButtonMask, unsigned(plat::kMbYesNoCancel));
  boxes.QueueAnswer(plat::kIdNo);
  changed.Control<QPushButton>(fw::kIdCancel)->click();
  QVERIFY(!changed.isVisible());
  QCOMPARE(Stored(rin), (std::vector<std::string>{"a.jpg", "b.jpg"}));

  Dialog yes(rin, "Ann Lund");
  yes.show();
  yes.Control<QPushButton>(Dialog::kIdcDefault)->click();
  boxes.QueueAnswer(plat::kIdYes);
  yes.Control<QPushButton>(fw::kIdCancel)->click();
  QCOMPARE(yes.result(), int(fw::kIdOk));
  QCOMPARE(Stored(rin), (std::vector<std::string>{"a.jpg*", "b.jpg"}));
}

void CollectionDialogTest::previewOnlyWhenChecked() {
  const std::string there = Picture("there.png");
  const std::int32_t rin = Person({{'P', "missing.png", "Gone"}, {'P', there, "Here"}});
  profile.SetInt("Multimedia", "MMPrevState1", 0);
  {
    Dialog d(rin, "Ann Lund");
    d.show();
    d.Control<QListWidget>(Dialog::kIdcList)->setCurrentRow(1);
    QVERIFY(host.requests.empty());
    QVERIFY(!d.PreviewPicture().IsLoaded());
    // Checking the box loads the selected photo and is remembered.
    d.Control<QCheckBox>(Dialog::kIdcPreview)->setChecked(true);
    QVERIFY(d.PreviewPicture().IsLoaded());
    QCOMPARE(d.PreviewIndex(), 1);
    // The missing photo asks the missing-file port once.
    d.Control<QListWidget>(Dialog::kIdcList)->setCurrentRow(0);
    QCOMPARE(host.requests.size(), std::size_t{1});
    QVERIFY(!d.PreviewPicture().IsLoaded());
  }
  QCOMPARE(profile.GetInt("Multimedia", "MMPrevState1", -1), 1);
}

void CollectionDialogTest::newIndividualHandsItsItemsOver() {
  Dialog d(0, "");
  d.show();
  QCOMPARE(d.windowTitle(), QStringLiteral("Multimedia Collection - New Individual"));
  d.runItemDialog = Answer("Sound Clip", "voice.wav", "Voice");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  d.Control<QPushButton>(Dialog::kIdcDefault)->click();
  d.runItemDialog = Answer("Photo", "face.jpg", "Face");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  d.Control<QPushButton>(Dialog::kIdcDefault)->click();
  d.Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(d.result(), int(fw::kIdOk));
  CMultimediaItem* chosen = nullptr;
  CMultimediaList items = d.TakePendingItems(&chosen);
  QVERIFY(chosen);
  QCOMPARE(chosen->fileName, std::string("face.jpg"));
  // The caller stores them once the individual exists.
  const std::int32_t rin = Person({});
  QCOMPARE(DbSaveMultimediaChain(rin, items.get(), db::kIndividual), 1);
  QCOMPARE(Stored(rin), (std::vector<std::string>{"voice.wav*", "face.jpg*"}));
}

void CollectionDialogTest::soundClipsOnlyPlayAndShowOpensThePhoto() {
  plat::FakeMediaPlayer player;
  plat::ScopedMediaPlayer scopedPlayer{&player};
  const std::int32_t sounds = Person({{'S', "/sounds/a.wav", "A"}, {'S', "/sounds/b.mid", "B"}});
  {
    Dialog d(sounds, "Ann Lund");
    d.show();
    d.Control<QListWidget>(Dialog::kIdcList)->setCurrentRow(1);
    QCOMPARE(d.Control<QPushButton>(Dialog::kIdcShow)->text(), QStringLiteral("&Play"));
    QVERIFY(!d.IsControlEnabled(Dialog::kIdcEditPhoto));
    QVERIFY(!d.IsControlEnabled(Dialog::kIdcSlideShow));
    d.Control<QPushButton>(Dialog::kIdcDefault)->click();
    QCOMPARE(ListTexts(d), (QStringList{" \tSound Clip\tA", "*\tSound Clip\tB"}));
    d.Control<QPushButton>(Dialog::kIdcShow)->click();
    QVERIFY(std::find(player.calls.begin(), player.calls.end(),
                      std::string("OpenDevice sequencer /sounds/b.mid")) != player.calls.end());
  }
  // Closing the dialog ends our own playback.
  QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);

  const std::int32_t photos = Person({{'P', Picture("p.png", 90, 60), "Pic"}});
  Dialog d(photos, "Ann Lund");
  d.show();
  d.Control<QPushButton>(Dialog::kIdcShow)->click();
  QVERIFY(d.PhotoWindow());
  QCOMPARE(d.PhotoWindow()->windowTitle(), QStringLiteral("Pic"));
  QCOMPARE(d.PhotoWindow()->Picture().Width(), 90);
}

void CollectionDialogTest::photoCdItemsKeepTheDiscLabel() {
  profile.SetInt("Multimedia", "MMPrevState1", 0);
  host.disc = "FAMILY_PHOTOS_1999";
  Dialog d(Person({}), "Ann Lund");
  d.show();
  d.runItemDialog = Answer("Photo", "/media/cd/img0001.pcd", "Disc");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  QCOMPARE(d.Collection().Item(0)->fileName, std::string("/media/cd/img0001.pcd\nFAMILY_PHOTO"));
  // Only a name ending exactly in ".pcd" asks for the label; the location
  // shows the path alone.
  QCOMPARE(d.GetControlText(Dialog::kIdcFileName), std::string("/media/cd/img0001.pcd"));
  d.runItemDialog = Answer("Photo", "/media/cd/IMG0002.PCD", "Upper");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  QCOMPARE(d.Collection().Item(1)->fileName, std::string("/media/cd/IMG0002.PCD"));
  host.disc.clear();
  d.runItemDialog = Answer("Photo", "/media/cd/img0003.pcd", "No disc");
  d.Control<QPushButton>(Dialog::kIdcAdd)->click();
  QCOMPARE(d.Collection().Item(2)->fileName, std::string("/media/cd/img0003.pcd"));
}

void CollectionDialogTest::itemDialogEditButton() {
  ItemDialog d(nullptr);
  d.editPhoto = [](CMultimediaItem&) {};
  d.show();
  auto* type = d.Control<QComboBox>(ItemDialog::kIdcType);
  auto* file = d.Control<QLineEdit>(ItemDialog::kIdcFileName);
  QCOMPARE(type->currentText(), QStringLiteral("Photo"));
  QVERIFY(!d.IsControlEnabled(ItemDialog::kIdcEdit));
  file->setText(QStringLiteral("a.jpg"));
  QVERIFY(d.IsControlEnabled(ItemDialog::kIdcEdit));
  for (const char* kind : {"Sound Clip", "Video Clip"}) {
    type->setCurrentText(Q(kind));
    QVERIFY2(!d.IsControlEnabled(ItemDialog::kIdcEdit), kind);
  }
  type->setCurrentText(QStringLiteral("Photo"));
  QVERIFY(d.IsControlEnabled(ItemDialog::kIdcEdit));
  QCOMPARE(d.windowTitle(), QStringLiteral("Add Multimedia Object for "));
}

void CollectionDialogTest::itemDialogRenameDropsEditsAndCancelRestores() {
  CMultimediaItem item;
  item.kind = CMultimediaItem::kPhoto;
  item.fileName = "a.jpg";
  item.cropLeft = 3;
  item.cropBottom = 9;
  item.slideTime = 40;
  item.flags = CMultimediaItem::kFlagScrapbook | (1 << CMultimediaItem::kRotationShift);
  {
    // Modify mode; Edit Photo (faked) changes every saved field; Cancel.
    ItemDialog d(&item);
    d.ownerCaption = "Ann Lund";
    d.editPhoto = [](CMultimediaItem& i) {
      i.cropTop = 7;
      i.slideTime = 5;
      i.soundFile = "x.wav";
      i.flags = CMultimediaItem::kFlagSlideShow | (3 << CMultimediaItem::kFlipShift);
    };
    d.show();
    QCOMPARE(d.windowTitle(), QStringLiteral("Modify Multimedia Item for Ann Lund"));
    QCOMPARE(d.Control<QLineEdit>(ItemDialog::kIdcFileName)->text(), QStringLiteral("a.jpg"));
    d.Control<QPushButton>(ItemDialog::kIdcEdit)->click();
    QCOMPARE(item.cropTop, 7);
    d.Control<QPushButton>(fw::kIdCancel)->click();
  }
  QCOMPARE(item.cropTop, 0);
  QCOMPARE(item.cropLeft, 3);
  QCOMPARE(item.cropBottom, 9);
  QCOMPARE(item.slideTime, 40);
  QCOMPARE(item.soundFile, std::string());
  QCOMPARE(int(item.flags),
           CMultimediaItem::kFlagScrapbook | (1 << CMultimediaItem::kRotationShift));
  {
    // Leaving a changed file name drops crop, rotation and flip.
    ItemDialog d(&item);
    d.show();
    auto* file = d.Control<QLineEdit>(ItemDialog::kIdcFileName);
    file->setText(QStringLiteral("a.jpg"));
    d.FileNameLeft();
    QCOMPARE(item.cropLeft, 3);
    // Leaving the field by moving the focus.
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    file->setFocus();
    QTRY_VERIFY(file->hasFocus());
    file->setText(QStringLiteral("b.jpg"));
    QCOMPARE(item.cropLeft, 3);  // not while typing
    d.GetControl(ItemDialog::kIdcCaption)->setFocus();
    QCOMPARE(item.cropLeft + item.cropBottom, 0);
    QCOMPARE(item.GetRotation(), 0);
    QVERIFY(item.flags & CMultimediaItem::kFlagScrapbook);
    d.Control<QPushButton>(fw::kIdOk)->click();
    QCOMPARE(d.result(), int(fw::kIdOk));
    QCOMPARE(d.fileName, std::string("b.jpg"));
  }
}

void CollectionDialogTest::itemDialogNeedsAFileName() {
  ItemDialog d(nullptr);
  d.show();
  d.Control<QPushButton>(fw::kIdOk)->click();
  QVERIFY(d.isVisible());
  QCOMPARE(boxes.Calls().size(), std::size_t{1});
  QCOMPARE(boxes.Calls()[0].text, std::string("You must first type a file name for the item."));
  QCOMPARE(boxes.Calls()[0].flags & plat::kMbIconMask, unsigned(plat::kMbIconExclamation));
  // A read-only family file disables OK.
  CurrentDatabase->host.readOnly = true;
  ItemDialog readOnly(nullptr);
  readOnly.show();
  QVERIFY(!readOnly.IsControlEnabled(fw::kIdOk));
  CurrentDatabase->host.readOnly = false;
}

void CollectionDialogTest::itemDialogStoresPathsRelativeToTheFamilyFile() {
  const std::string folder = GetOpenFamilyFileFolder();
  QVERIFY(!folder.empty());
  ItemDialog d(nullptr);
  d.show();
  const std::string inside = (std::filesystem::path(folder) / "photos" / "a.jpg").string();
  d.UseChosenFile(inside);
  QCOMPARE(d.Control<QLineEdit>(ItemDialog::kIdcFileName)->text(), QStringLiteral("photos/a.jpg"));
  QCOMPARE(profile.GetString("Multimedia", "MMItemPath", ""),
           (std::filesystem::path(folder) / "photos").string());
  d.UseChosenFile("/elsewhere/b.wav");
  QCOMPARE(d.Control<QLineEdit>(ItemDialog::kIdcFileName)->text(),
           QStringLiteral("/elsewhere/b.wav"));
  QCOMPARE(profile.GetString("Multimedia", "MMItemPath", ""), std::string("/elsewhere"));
}

void CollectionDialogTest::photoChooserKeepsFolderAndFilter() {
  const std::string folder = GetOpenFamilyFileFolder();
  std::filesystem::create_directories(std::filesystem::path(folder) / "photos");
  const std::string chosen = (std::filesystem::path(folder) / "photos" / "c.png").string();
  testpic::CornerPicture(30, 20).save(QString::fromStdString(chosen));
  profile.SetInt("Multimedia", "MMPhFileExt", 3);
  profile.SetString("Multimedia", "MMItemPath", folder);
  QString filterAtStart, title;
  ChosenFile picked(QString::fromStdString(chosen), [&](QFileDialog& d) {
    QVERIFY(qobject_cast<CPictureFileDialog*>(&d));
    title = d.windowTitle();
    filterAtStart = d.selectedNameFilter();
    d.selectNameFilter(d.nameFilters()[4]);
  });
  std::string path;
  QCOMPARE(OpenPhotoFileDialog("Open Photo File for Ann Lund", path, nullptr), 1);
  QCOMPARE(picked.asked, 1);
  QCOMPARE(title, QStringLiteral("Open Photo File for Ann Lund"));
  QCOMPARE(filterAtStart, QStringLiteral("Compuserve PNG (*.png)"));
  QCOMPARE(path, std::string("photos/c.png"));
  QCOMPARE(profile.GetInt("Multimedia", "MMPhFileExt", 0), 5);
  QCOMPARE(profile.GetString("Multimedia", "MMItemPath", ""),
           (std::filesystem::path(folder) / "photos").string());
}

void CollectionDialogTest::screenshots() {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) QSKIP("KORVANE_SHOTS not set");
  const QString out = qEnvironmentVariable("KORVANE_SHOTS");
  const std::string quadrants = dir->filePath(QStringLiteral("q.png")).toStdString();
  testpic::Quadrants(300, 200).save(QString::fromStdString(quadrants));
  const std::int32_t rin = Person({{'P', quadrants, "Ann at ten", true},
                                   {'S', "voice.wav", "Her voice", true},
                                   {'V', "clip.avi", ""}});
  Dialog d(rin, "Ann Lund");
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
  d.LoadPreview();
  d.grab().save(out + "/multimediacollection.png");
  CMultimediaItem item;
  item.kind = 'P';
  item.fileName = "photos/ann.jpg";
  item.caption = "Ann at ten";
  item.description = "Taken at the farm.";
  ItemDialog m(&item);
  m.ownerCaption = "Ann Lund";
  m.show();
  QVERIFY(QTest::qWaitForWindowExposed(&m));
  m.grab().save(out + "/multimediaitem.png");
}

QTEST_MAIN(CollectionDialogTest)
#include "collection_qtest.moc"
