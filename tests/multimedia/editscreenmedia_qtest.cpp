// The multimedia screens reached from the editing screens. Edit Individual's
// Media button and Alt+M open the Multimedia Collection: an individual in
// the file keeps what the collection saves, and one not stored yet keeps the
// items chosen until its own Save writes them. Image for attaches through
// the Add Multimedia Object dialog and its picture file dialog, and View
// shows the photo window.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppCommandTest.h"
#include "ChosenFile.h"
#include "EditEnvironment.h"
#include "EditIndividualDialog.h"
#include "FieldListRow.h"
#include "FieldListTyping.h"
#include "FieldListWidget.h"
#include "ImageForDialog.h"
#include "IndividualNode.h"
#include "MultimediaChain.h"
#include "MultimediaCollectionDialog.h"
#include "MultimediaCommands.h"
#include "MultimediaItemDialog.h"
#include "PhotoWindow.h"
#include "PictureFileDialog.h"
#include "StringIds.h"
#include "TestPictures.h"

namespace {

// Runs act on the modal dialog of class D once it shows: a mnemonic key
// clicks its button only after a short delay.
template <class D>
void WhenModal(std::function<void(D*)> act) {
  auto* poll = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, [poll, tries, act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!dialog && ++*tries < 400) return;
    poll->stop();
    poll->deleteLater();
    if (dialog) act(dialog);
  });
  poll->start(5);
}

void Shot(QWidget* w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  w->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                 QString::fromLatin1(name) + QStringLiteral(".png"));
}

// What the collection saw when it opened.
struct Seen {
  bool opened = false;
  QString title;
};

// In the collection: Add a photo of file through the item dialog, then
// leave with the button close (Save, or Close and the answer to the
// question the test queued).
void AddPhotoInTheCollection(const QString& file, Seen& seen, int close, const char* shot) {
  WhenModal<CMultimediaCollectionDialog>(
      [file, &seen, close, shot](CMultimediaCollectionDialog* d) {
        seen.opened = true;
        seen.title = d->windowTitle();
        WhenModal<CMultimediaItemDialog>([file](CMultimediaItemDialog* item) {
          item->Control<QComboBox>(CMultimediaItemDialog::kIdcType)->setCurrentText("Photo");
          item->Control<QLineEdit>(CMultimediaItemDialog::kIdcFileName)->setText(file);
          item->Control<QLineEdit>(CMultimediaItemDialog::kIdcCaption)->setText("At the shore");
          QTest::mouseClick(item->GetControl(fw::kIdOk), Qt::LeftButton);
        });
        QTest::mouseClick(d->GetControl(CMultimediaCollectionDialog::kIdcAdd), Qt::LeftButton);
        Shot(d, shot);
        QTest::mouseClick(d->GetControl(close), Qt::LeftButton);
      });
}

std::vector<std::string> StoredFiles(std::int32_t rin) {
  std::vector<std::string> out;
  const std::int32_t head = DbGetMultimediaHead(rin, db::kIndividual);
  if (head <= 0) return out;
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1);
  for (const CMultimediaItem* i = list.get(); i; i = i->next.get()) out.push_back(i->fileName);
  return out;
}

bool Show(QWidget* dialog) {
  dialog->show();
  dialog->activateWindow();
  return QTest::qWaitForWindowActive(dialog);
}

}  // namespace

class EditScreenMediaTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(h_.Start([this] { ann_ = AddLind("Ann", 'F'); },
                     [](CKorApp& app) { RegisterMultimediaCommands(app); }));
    EditEnvironment().options = EditOptions{};
    photo_ = h_.dir.filePath(QStringLiteral("shore.png"));
    QVERIFY(testpic::Quadrants(120, 80).save(photo_));
  }
  void cleanup() { h_.Stop(); }

  // A new individual: Save in the collection keeps the photo pending; the
  // individual's Save stores it, first photo and default.
  void newIndividualStoresThePendingPhotoOnSave() {
    CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
    dialog.presetSex = 'M';
    const std::int32_t rin = dialog.Session().GetReservedRin();
    QVERIFY(Show(&dialog));
    QVERIFY(dialog.IsControlEnabled(CEditIndividualDialog::kIdcMedia));
    TypeInto(dialog.List(), res::kIdsGivenName, "Olof");
    TypeInto(dialog.List(), res::kIdsSurname, "Holm");
    Seen seen;
    AddPhotoInTheCollection(photo_, seen, fw::kIdOk, "media-new-individual");
    QTest::mouseClick(dialog.GetControl(CEditIndividualDialog::kIdcMedia), Qt::LeftButton);
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QStringLiteral("Multimedia Collection - New Individual"));
    QVERIFY(dialog.Session().PendingMedia() != nullptr);
    // Nothing is in the file before the individual is.
    QVERIFY(StoredFiles(rin).empty());
    Shot(&dialog, "editindividual-media-pending");
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    const std::vector<std::string> stored = StoredFiles(rin);
    QCOMPARE(stored.size(), std::size_t{1});
    QVERIFY2(QString::fromStdString(stored[0]).endsWith(QStringLiteral("shore.png")),
             stored[0].c_str());
    CMultimediaList defaults = DbGetDefaultMultimedia(rin, db::kIndividual);
    QVERIFY(defaults && defaults->kind == CMultimediaItem::kPhoto);
  }

  // Closing the collection without saving leaves the pending list as it
  // was, and a new individual discarded takes nothing into the file.
  void closingTheCollectionWithoutSaveKeepsNothing() {
    std::int32_t rin = 0;
    {
      CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
      rin = dialog.Session().GetReservedRin();
      QVERIFY(Show(&dialog));
      h_.boxes.QueueAnswer(plat::kIdNo);  // "Do you want to save your changes?"
      Seen seen;
      AddPhotoInTheCollection(photo_, seen, fw::kIdCancel, "media-closed");
      QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
      QTRY_VERIFY(seen.opened);
      QVERIFY(dialog.Session().PendingMedia() == nullptr);
      QTest::mouseClick(dialog.GetControl(fw::kIdCancel), Qt::LeftButton);
    }
    QVERIFY(StoredFiles(rin).empty());
  }

  // An individual in the file: Alt+M opens its collection, whose Save
  // stores the chain at once; the screen's own Save keeps it.
  void storedIndividualKeepsTheChainThroughSave() {
    CIndividualRecord record;
    QCOMPARE(family::Read(record, ann_), 1);
    CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
    node->AddRef();
    {
      CEditIndividualDialog dialog(nullptr, node, nullptr, 0);
      QVERIFY(Show(&dialog));
      Seen seen;
      AddPhotoInTheCollection(photo_, seen, fw::kIdOk, "media-stored-individual");
      QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
      QTRY_VERIFY(seen.opened);
      QCOMPARE(seen.title, QStringLiteral("Multimedia Collection - Ann Lind"));
      QCOMPARE(StoredFiles(ann_).size(), std::size_t{1});
      TypeInto(dialog.List(), res::kIdsGivenName, "Anna");
      QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
      QCOMPARE(dialog.result(), int(fw::kIdOk));
    }
    node->Release();
    QCOMPARE(family::Read(record, ann_), 1);
    QCOMPARE(record.givenNames[0], std::string("Anna"));
    QCOMPARE(StoredFiles(ann_).size(), std::size_t{1});
  }

  // Image for: Attach asks through the Add Multimedia Object dialog, whose
  // Browse opens the picture file dialog; View shows the photo window, which
  // takes input while Image for runs and goes with it.
  void imageForAttachesThroughTheItemDialogAndViews() {
    QPointer<QWidget> window;
    QString chooserTitle;
    bool photoActive = false;
    ChosenFile picked(photo_, [&chooserTitle](QFileDialog& files) {
      QVERIFY(qobject_cast<CPictureFileDialog*>(&files));
      chooserTitle = files.windowTitle();
    });
    WhenModal<notesui::CImageForDialog>([&](notesui::CImageForDialog* dialog) {
      QVERIFY(dialog->IsControlEnabled(notesui::CImageForDialog::kIdcAttach));
      WhenModal<CMultimediaItemDialog>([this](CMultimediaItemDialog* item) {
        QTest::mouseClick(item->GetControl(CMultimediaItemDialog::kIdcBrowse), Qt::LeftButton);
        item->Control<QLineEdit>(CMultimediaItemDialog::kIdcCaption)->setText("Page 12");
        Shot(item, "imagefor-item-dialog");
        QTest::mouseClick(item->GetControl(fw::kIdOk), Qt::LeftButton);
      });
      QTest::mouseClick(dialog->GetControl(notesui::CImageForDialog::kIdcAttach), Qt::LeftButton);
      QVERIFY(dialog->PreviewLoaded());
      QCOMPARE(dialog->GetControlText(notesui::CImageForDialog::kIdcAttach), std::string("Edit"));
      QTest::mouseClick(dialog->GetControl(notesui::CImageForDialog::kIdcView), Qt::LeftButton);
      CPhotoWindow* photo = nullptr;
      for (QWidget* w : QApplication::allWidgets())
        if (auto* p = qobject_cast<CPhotoWindow*>(w); p && p->isVisible()) photo = p;
      QVERIFY(photo != nullptr);
      QCOMPARE(photo->windowTitle(), QStringLiteral("Page 12"));
      window = photo;
      // Not blocked by the modal Image for: it can take the focus.
      photo->activateWindow();
      photoActive = QTest::qWaitForWindowActive(photo, 1000);
      Shot(dialog, "imagefor");
      Shot(photo, "imagefor-photo-window");
      // A second View uses the same window.
      QTest::mouseClick(dialog->GetControl(notesui::CImageForDialog::kIdcView), Qt::LeftButton);
      int shown = 0;
      for (QWidget* w : QApplication::allWidgets())
        if (qobject_cast<CPhotoWindow*>(w) && w->isVisible()) ++shown;
      QCOMPARE(shown, 1);
      QTest::mouseClick(dialog->GetControl(fw::kIdOk), Qt::LeftButton);
    });
    std::unique_ptr<CMultimediaItem> image;
    QVERIFY(notesui::RunImageFor(nullptr, "Ship list", image));
    QCOMPARE(picked.asked, 1);
    QCOMPARE(chooserTitle, QStringLiteral("Open Photo File for Ship list"));
    QVERIFY(photoActive);
    QVERIFY(image != nullptr);
    QCOMPARE(image->kind, CMultimediaItem::kPhoto);
    QCOMPARE(image->caption, std::string("Page 12"));
    QCOMPARE(int(image->width), 120);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
  }

 private:
  AppCommandHarness h_;
  std::int32_t ann_ = 0;
  QString photo_;
};

QTEST_MAIN(EditScreenMediaTest)
#include "editscreenmedia_qtest.moc"
