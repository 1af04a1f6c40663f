// The relationship tools' commands in the application: enabled with a
// family file open (the calculators always), opened on the person of the
// active view, and the Descendancy List's choice moving the view.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "CalculatorDialogs.h"
#include "CommandIds.h"
#include "CommandTestSupport.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DescendancyListDialog.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "KinshipCommands.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "RecordAccess.h"
#include "RelationshipCalculatorDialog.h"

namespace {

std::int32_t AddPerson(const char* given, char sex) {
  CIndividualRecord person;
  person.surname = "Lind";
  person.givenNames[0] = given;
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

}  // namespace

class KinshipCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(&profile_);
    path_ = dir_.filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(path_, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
    father_ = AddPerson("Dag", 'M');
    const std::int32_t mrin = DbSetRelation(father_, AddPerson("Gun", 'F'), db::kRelHusband, 0);
    child_ = AddPerson("Ivar", 'M');
    QVERIFY(DbSetRelation(child_, 0, db::kRelParents, mrin) > 0);
    DbCloseCurrent();
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(&dialogs_);
    RegisterKinshipCommands(*app_);
    QVERIFY(app_->InitInstance("-s " + path_));
  }
  void cleanup() {
    app_.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    scopedProfile_.reset();
    scopedBoxes_.reset();
  }

  void commandsFollowTheOpenFile() {
    CMainFrame* frame = app_->GetMainFrame();
    for (unsigned id : {shell::kIdToolsRelationshipCalculator, shell::kIdToolsSoundexCalculator,
                        shell::kIdToolsDateCalculator, shell::kIdSearchDescendancy})
      QVERIFY2(frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
    const std::int32_t current = app_->ActiveViewRin();
    QVERIFY(current > 0);

    QVERIFY(TriggerAndInspect<CRelationshipCalculatorDialog>(
        frame->CommandAction(shell::kIdToolsRelationshipCalculator),
        [current](CRelationshipCalculatorDialog& d) {
          QCOMPARE(d.Model().Person(1).rin, current);
        }));
    QVERIFY(TriggerAndInspect<CSoundexCalculatorDialog>(
        frame->CommandAction(shell::kIdToolsSoundexCalculator), [](CSoundexCalculatorDialog&) {}));

    frame->CommandAction(shell::kIdFileClose)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(app_->ActiveViewRin(), 0);
    QVERIFY(!frame->CommandAction(shell::kIdToolsRelationshipCalculator)->isEnabled());
    QVERIFY(!frame->CommandAction(shell::kIdSearchDescendancy)->isEnabled());
    QVERIFY(frame->CommandAction(shell::kIdToolsSoundexCalculator)->isEnabled());
    QVERIFY(frame->CommandAction(shell::kIdToolsDateCalculator)->isEnabled());
  }

  void descendancyChoiceMovesTheView() {
    CMainFrame* frame = app_->GetMainFrame();
    app_->ShowInActiveView(child_);
    QCOMPARE(app_->ActiveViewRin(), child_);
    QVERIFY(TriggerAndInspect<CDescendancyListDialog>(
        frame->CommandAction(shell::kIdSearchDescendancy), [this](CDescendancyListDialog& d) {
          QCOMPARE(d.Model().Current(), child_);
          d.Control<QListWidget>(CDescendancyListDialog::kIdcList)->setCurrentRow(0);
          d.accept();
        }));
    QCOMPARE(app_->ActiveViewRin(), father_);
  }

 private:
  QTemporaryDir dir_;
  std::string path_;
  plat::FakeMessageBox boxes_;
  plat::FakeProfile profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  NoDialogs dialogs_;
  std::unique_ptr<CKorApp> app_;
  std::int32_t father_ = 0, child_ = 0;
};

QTEST_MAIN(KinshipCommandsTest)
#include "kinshipcommands_qtest.moc"
