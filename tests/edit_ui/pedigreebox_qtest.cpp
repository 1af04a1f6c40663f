// The pedigree view's empty boxes in the application: a click on the empty
// father box of a person adds the father to that person (not to the
// current box's individual), into the parents' marriage that has only a
// mother, and the chart shows him; the right-click menu of an empty mother
// box offers Add Mother for the box's child; the Add menu follows the
// current box.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>

#include "AddCommands.h"
#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditIndividualDialog.h"
#include "FieldListRow.h"
#include "FieldListTyping.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView.h"
#include "MainFrame.h"
#include "MarriageRecord.h"
#include "ModalDriving.h"
#include "PickerDialogs.h"
#include "RecordAccess.h"
#include "TestHelpers.h"

namespace {

void Shoot(QWidget* window, const char* name) {
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    window->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                        QLatin1String(name) + QStringLiteral(".png"));
}

// The chooser takes Add New; the Edit Individual screen gets the given name
// and is saved. caption receives the screen's caption.
void AddNewNamed(const char* given, QString& caption) {
  WhenModal<CAddOrSelectIndividualDialog>([given, &caption](CAddOrSelectIndividualDialog* chooser) {
    WhenModal<CEditIndividualDialog>([given, &caption](CEditIndividualDialog* d) {
      caption = d->windowTitle();
      TypeInto(d->List(), res::kIdsGivenName, given);
      d->Control<QPushButton>(fw::kIdOk)->click();
    });
    chooser->Control<QPushButton>(CAddOrSelectIndividualDialog::kIdcAddNew)->click();
  });
}

}  // namespace

class PedigreeBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // Ola Lind and his mother Gun, whose marriage has no husband.
  void init() {
    QVERIFY(h_.Start(
        [this] {
          mother_ = AddLind("Gun", 'F');
          ola_ = AddLind("Ola", 'M');
          mrin_ = DbSetRelation(mother_, 0, db::kRelWife, 0);
          Stored(DbSetRelation(ola_, 0, db::kRelParents, mrin_), "child link");
        },
        [](CKorApp& app) { RegisterAddCommands(app); }));
    // No Marriage screen after a new marriage: a wrong link then fails the
    // checks below instead of waiting on that screen.
    h_.app->m_options.editMarr = 0;
    h_.app->ShowPedigreeView();
    pedigree_ = h_.app->ActivePedigreeView();
    QVERIFY(pedigree_);
    h_.app->ShowInActiveView(ola_);
    QTRY_COMPARE(pedigree_->Tree().RinOf(0), ola_);
    QCOMPARE(pedigree_->Tree().RinOf(2), mother_);
    QVERIFY(!pedigree_->Tree().Box(1));
  }
  void cleanup() { h_.Stop(); }

  // The Add menu follows the current box; the empty father box of Ola adds
  // to Ola while the cursor stands on his mother.
  void emptyFatherBoxAddsToItsChild() {
    CMainFrame* frame = h_.app->GetMainFrame();
    struct Case {
      int box;
      bool father, mother;
    } cases[] = {{0, true, false}, {2, true, true}};
    for (const Case& c : cases) {
      pedigree_->OnSetCurrentBox(c.box);
      h_.app->UpdateCommandStates();
      QVERIFY2(frame->CommandAction(shell::kIdAddFather)->isEnabled() == c.father,
               qPrintable(QString::number(c.box)));
      QVERIFY2(frame->CommandAction(shell::kIdAddMother)->isEnabled() == c.mother,
               qPrintable(QString::number(c.box)));
    }

    QString caption;
    AddNewNamed("Per", caption);
    QTest::mouseClick(pedigree_, Qt::LeftButton, {}, pedigree_->BoxDeviceRect(1).center());
    QTRY_VERIFY(pedigree_->Tree().Box(1) != nullptr);
    QCOMPARE(caption, QStringLiteral("Add father for Ola Lind"));
    const std::int32_t father = pedigree_->Tree().RinOf(1);
    CIndividualRecord record;
    QCOMPARE(family::Read(record, father), 1);
    QCOMPARE(record.givenNames[0], std::string("Per"));
    QCOMPARE(record.surname, std::string("Lind"));
    QCOMPARE(record.sex, 'M');
    // He went into the marriage that had only the mother; Gun got nobody.
    CMarriageRecord marriage;
    QCOMPARE(family::Read(marriage, mrin_), 1);
    QCOMPARE(marriage.husband, father);
    QCOMPARE(marriage.wife, mother_);
    QCOMPARE(DbGetActiveRecordCount(db::kMarriage), 1);
    QCOMPARE(pedigree_->Tree().RinOf(0), ola_);
    QCOMPARE(pedigree_->Tree().RinOf(2), mother_);
    QVERIFY(!pedigree_->Tree().Box(5));
    QCOMPARE(pedigree_->PendingRelativeBox(), int(shell::pedigree::kNoBox));
    Shoot(h_.app->GetMainFrame(), "pedigree_father_added");
  }

  // The right-click menu of Gun's empty mother box holds Add Mother,
  // enabled for Gun although the cursor is on Ola, whose parents are both
  // shown after a father is added; a cancelled add leaves nothing pending.
  void emptyMotherBoxMenu() {
    const std::int32_t father = AddLind("Per", 'M');
    QVERIFY(DbSetRelation(father, 0, db::kRelHusband, mrin_) > 0);
    h_.app->ShowInActiveView(ola_);
    QTRY_VERIFY(pedigree_->Tree().Box(1) != nullptr);
    QCOMPARE(pedigree_->CurrentBox(), 0);
    h_.app->UpdateCommandStates();
    CMainFrame* frame = h_.app->GetMainFrame();
    QVERIFY(!frame->CommandAction(shell::kIdAddMother)->isEnabled());

    QStringList items;
    bool enabled = false;
    std::string prompt;
    WhenShown(
        [] { return QApplication::activePopupWidget(); },
        [&](QWidget* popup) {
          auto* menu = qobject_cast<QMenu*>(popup);
          QVERIFY(menu);
          for (QAction* action : menu->actions()) items << action->text();
          enabled = !menu->actions().isEmpty() && menu->actions().front()->isEnabled();
          QCOMPARE(menu->objectName(), QStringLiteral("menu110"));
          QCOMPARE(pedigree_->PendingRelativeBox(), 2);
          ShootWithMenu(frame, menu, "pedigree_empty_box_menu");
          // Cancel at the chooser: nothing is added.
          WhenModal<CAddOrSelectIndividualDialog>([&prompt](CAddOrSelectIndividualDialog* chooser) {
            prompt = chooser->Prompt();
            chooser->reject();
          });
          menu->actions().front()->trigger();
          menu->close();
        });
    const QPoint at = pedigree_->BoxDeviceRect(6).center();
    QTest::mousePress(pedigree_, Qt::RightButton, {}, at);
    QTest::mouseRelease(pedigree_, Qt::RightButton, {}, at);
    QCOMPARE(items, QStringList{QStringLiteral("Add Mother...")});
    QVERIFY(enabled);
    QCOMPARE(prompt, std::string("Add mother for\nGun Lind"));
    QCOMPARE(pedigree_->PendingRelativeBox(), int(shell::pedigree::kNoBox));
    QVERIFY(!pedigree_->Tree().Box(6));
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 3);
    // The Add menu is back on the current box.
    h_.app->UpdateCommandStates();
    QVERIFY(!frame->CommandAction(shell::kIdAddMother)->isEnabled());
  }

  // The empty chart's root box adds an unlinked individual, who is shown.
  void emptyRootBoxAddsAnIndividual() {
    pedigree_->OnShowIndividual(0, 0);
    QVERIFY(pedigree_->Tree().IsEmpty());
    QString caption;
    WhenModal<CEditIndividualDialog>([&caption](CEditIndividualDialog* d) {
      caption = d->windowTitle();
      TypeInto(d->List(), res::kIdsGivenName, "Eva");
      // Save asks the sex of a new individual without one.
      WhenModal<CSexDialog>([](CSexDialog* sex) {
        sex->Control<QRadioButton>(CSexDialog::kIdcFemale)->click();
        sex->Control<QPushButton>(fw::kIdOk)->click();
      });
      d->Control<QPushButton>(fw::kIdOk)->click();
    });
    QTest::mouseClick(pedigree_, Qt::LeftButton, {}, pedigree_->BoxDeviceRect(0).center());
    QTRY_VERIFY(!pedigree_->Tree().IsEmpty());
    QCOMPARE(caption, QStringLiteral("Add New Individual"));
    CIndividualRecord record;
    QCOMPARE(family::Read(record, pedigree_->Tree().RinOf(0)), 1);
    QCOMPARE(record.givenNames[0], std::string("Eva"));
    QCOMPARE(record.sex, 'F');
    QVERIFY(!pedigree_->Tree().Box(1) && !pedigree_->Tree().Box(2));
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 3);
  }

 private:
  AppCommandHarness h_;
  CKorView* pedigree_ = nullptr;
  std::int32_t mother_ = 0, ola_ = 0, mrin_ = 0;
};

QTEST_MAIN(PedigreeBoxTest)
#include "StringIds.h"
#include "pedigreebox_qtest.moc"
