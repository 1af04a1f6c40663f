// The sample family opened at start-up, as from the command line, offers the
// default event types in Select Event.
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "CustomEventTable.h"
#include "DbCalls.h"
#include "EventTypeDialogs.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "KorApp.h"
#include "SampleFamilyRun.h"

class StartupEventTypesTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::string path_;

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    std::string error;
    path_ = PrepareSampleRun(dir_, error);
    QVERIFY2(!path_.empty(), error.c_str());
  }

  void theSampleOpenedAtStartUpOffersTheDefaultEventTypes() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    auto app = std::make_unique<CKorApp>();
    QVERIFY(app->InitInstance("-s \"" + path_ + "\""));
    QCOMPARE(DbGetFilePath(), path_);

    QStringList defaults;
    for (int i = 0; i < CustomEventTable().GetSize(); ++i) {
      const CEventTypeRecord* row = CustomEventTable().GetAt(i);
      if (row->ownerKind == db::kOwnerIndividual) defaults << QString::fromStdString(row->title);
    }
    QVERIFY(!defaults.isEmpty());
    {
      CSelectEventDialog dialog("Anders Berg", db::kOwnerIndividual);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      auto* list = dialog.Control<QListWidget>(CSelectEventDialog::kIdcList);
      for (const QString& title : defaults)
        QVERIFY2(!list->findItems(title, Qt::MatchExactly).isEmpty(), qPrintable(title));
      dialog.reject();
    }
    app->ExitInstance();
    app.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
  }
};

QTEST_MAIN(StartupEventTypesTest)
#include "startupevents_qtest.moc"
