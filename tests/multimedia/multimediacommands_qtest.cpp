// The multimedia commands in the application: Edit > Multimedia opens the
// collection of the active view's individual, Edit > Photo shows the
// default photo in its own window, both follow the open file, and the
// missing-file port shows the Find Multimedia Object dialog.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "CommandIds.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FindMultimediaDialog.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MultimediaChain.h"
#include "MultimediaCollectionDialog.h"
#include "MultimediaCommands.h"
#include "NoFileDialogs.h"
#include "PhotoWindow.h"
#include "RecordAccess.h"
#include "TestPictures.h"

class MultimediaCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(&profile_);
    path_ = dir_.filePath(QStringLiteral("family.orv")).toStdString();
    photo_ = dir_.filePath(QStringLiteral("ann.png"));
    testpic::Quadrants(240, 160).save(photo_);
    QCOMPARE(DbCreate(path_, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
    CIndividualRecord person;
    person.surname = "Lind";
    person.givenNames[0] = "Ann";
    person.sex = 'F';
    rin_ = static_cast<std::int32_t>(family::Add(person, 0));
    auto item = std::make_unique<CMultimediaItem>();
    item->kind = CMultimediaItem::kPhoto;
    item->fileName = "ann.png";  // beside the family file
    item->caption = "Ann in May";
    item->flags = CMultimediaItem::kFlagDefault;
    QCOMPARE(DbSaveMultimediaChain(rin_, item.get(), db::kIndividual), 1);
    DbCloseCurrent();
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(&dialogs_);
    previousHost_ = fw::SetPictureHostPort(nullptr);
    RegisterMultimediaCommands(*app_);
    QVERIFY(app_->InitInstance("-s " + path_));
  }
  void cleanup() {
    app_.reset();
    fw::SetPictureHostPort(previousHost_);
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    scopedProfile_.reset();
    scopedBoxes_.reset();
  }

  void commandsOpenTheScreens() {
    QVERIFY(dynamic_cast<CFindMultimediaHost*>(&fw::PictureHost()));
    CMainFrame* frame = app_->GetMainFrame();
    QAction* multimedia = frame->CommandAction(shell::kIdEditMultimedia);
    QAction* photo = frame->CommandAction(shell::kIdEditPhoto);
    QVERIFY(multimedia->isEnabled());
    QVERIFY(photo->isEnabled());
    QCOMPARE(app_->ActiveViewRin(), rin_);

    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<CMultimediaCollectionDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      seen = true;
      QCOMPARE(d->windowTitle(), QStringLiteral("Multimedia Collection - Ann Lind"));
      auto* list = d->Control<QListWidget>(CMultimediaCollectionDialog::kIdcList);
      QCOMPARE(list->count(), 1);
      QCOMPARE(list->item(0)->text(), QStringLiteral("*\tPhoto\tAnn in May"));
      QVERIFY(d->PreviewPicture().IsLoaded());
      if (qEnvironmentVariableIsSet("KORVANE_SHOTS") && QTest::qWaitForWindowExposed(d)) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(qEnvironmentVariable("KORVANE_SHOTS") +
                                                             "/app-collection.png");
      }
      d->reject();
    });
    multimedia->trigger();
    QVERIFY(seen);

    photo->trigger();
    CPhotoWindow* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<CPhotoWindow*>(w); p && p->isVisible()) window = p;
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Ann in May"));
    QCOMPARE(window->Picture().Width(), 240);
    window->close();

    frame->CommandAction(shell::kIdFileClose)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!multimedia->isEnabled());
    QVERIFY(!photo->isEnabled());
  }

 private:
  QTemporaryDir dir_;
  std::string path_;
  QString photo_;
  std::int32_t rin_ = 0;
  NoFileDialogs dialogs_;
  plat::FakeMessageBox boxes_;
  plat::FakeProfile profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  std::unique_ptr<CKorApp> app_;
  fw::PictureHostPort* previousHost_ = nullptr;
};

QTEST_MAIN(MultimediaCommandsTest)
#include "multimediacommands_qtest.moc"
