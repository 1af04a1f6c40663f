// The editing commands in the application: Edit > Individual, Marriage,
// Parents and the two order lists are enabled with a family file open and
// open their screens on the active view's person and marriage.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditCommands.h"
#include "EditIndividualDialog.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyViewLayout.h"
#include "FamilyViewModel.h"
#include "FieldListTyping.h"
#include "IndividualListDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "MarriageDialog.h"
#include "OrderDialogs.h"
#include "ParentsOfDialog.h"
#include "RecordAccess.h"

class EditCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(h_.Start([this] { mrin_ = AddLindCouple(father_); },
                     [](CKorApp& app) { RegisterEditCommands(app); }));
    QVERIFY(mrin_ > 0);
  }
  void cleanup() { h_.Stop(); }

  void editCommandsOpenTheirScreens() {
    CMainFrame* frame = h_.app->GetMainFrame();
    for (unsigned id : {shell::kIdEditIndividual, shell::kIdEditMarriage})
      QVERIFY2(frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
    const std::int32_t current = h_.app->ActiveViewRin();
    QCOMPARE(current, father_);
    // Leaving the screen makes the individual the remembered ditto one.
    frame->OnSetDittoRin(0, 0);
    QVERIFY(TriggerAndInspect<CEditIndividualDialog>(
        frame->CommandAction(shell::kIdEditIndividual), [current](CEditIndividualDialog& d) {
          QCOMPARE(d.windowTitle(), QStringLiteral("Edit Individual"));
          QCOMPARE(d.Session().GetRin(), current);
          QVERIFY(!d.Session().IsNew());
          QCOMPARE(d.GetControlText(CEditIndividualDialog::kIdcHeading), std::string("Dag Lind"));
        }));
    QCOMPARE(frame->OnGetDittoRin(0), static_cast<LRESULT>(current));
    QCOMPARE(h_.app->ActiveViewMrin(), mrin_);
    const std::int32_t mrin = mrin_;
    QVERIFY(TriggerAndInspect<CMarriageDialog>(
        frame->CommandAction(shell::kIdEditMarriage), [mrin](CMarriageDialog& d) {
          QCOMPARE(d.Session().GetMrin(), mrin);
          QCOMPARE(d.GetControlText(CMarriageDialog::kIdcWife), std::string("Gun Lind"));
        }));
    // Nothing was asked and nothing deleted on the way out.
    QVERIFY(h_.boxes.Calls().empty());
    CIndividualRecord back;
    QCOMPARE(family::Read(back, father_), 1);
  }

  // Seal to Spouse Status: &Edit opens the selected marriage in the Marriage
  // screen, and the line is built again from what was saved there.
  void sealToSpouseStatusEditsTheMarriage() {
    CSealToSpouseStatusDialog status(father_, nullptr, false, h_.app->GetMainFrame());
    status.show();
    QCoreApplication::processEvents();
    QCOMPARE(status.Mrins(), std::vector<std::int32_t>{mrin_});
    QVERIFY(status.IsControlEnabled(CSealToSpouseStatusDialog::kIdcEdit));
    auto* list = status.Control<QListWidget>(CSealToSpouseStatusDialog::kIdcList);
    QVERIFY(!list->item(0)->text().contains(QStringLiteral("Leeds")));
    std::int32_t edited = 0;
    QTimer::singleShot(0, [&edited] {
      auto* marriage = qobject_cast<CMarriageDialog*>(QApplication::activeModalWidget());
      if (!marriage) return;
      edited = marriage->Session().GetMrin();
      TypeInto(marriage->List(), 7159, "Leeds", 1);
      marriage->Control<QPushButton>(fw::kIdOk)->click();
    });
    QTest::mouseClick(status.GetControl(CSealToSpouseStatusDialog::kIdcEdit), Qt::LeftButton);
    QCOMPARE(edited, mrin_);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentRow(), 0);
    QVERIFY2(list->item(0)->text().contains(QStringLiteral("Leeds")),
             qPrintable(list->item(0)->text()));
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      status.grab().save(qEnvironmentVariable("KORVANE_SHOTS") +
                         QStringLiteral("/seal-to-spouse-status.png"));
  }

  void parentsAndOrderCommandsOpenTheirScreens() {
    CMainFrame* frame = h_.app->GetMainFrame();
    // Each command needs what it orders: Dag gets parents, a second wife
    // and two children in the first marriage, shown in the family view.
    for (unsigned id :
         {shell::kIdEditParents, shell::kIdEditOrderSpouses, shell::kIdEditOrderChildren})
      QVERIFY2(!frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
    const std::int32_t parents = DbSetRelation(AddLind("Arne", 'M'), 0, db::kRelHusband, 0);
    QVERIFY(DbSetRelation(father_, 0, db::kRelParents, parents) > 0);
    const std::int32_t second = DbSetRelation(father_, AddLind("Eva", 'F'), db::kRelHusband, 0);
    QVERIFY(second > 0);
    for (const char* child : {"Per", "Siv"})
      QVERIFY(DbSetRelation(AddLind(child, 'U'), 0, db::kRelParents, mrin_) > 0);
    frame->CommandAction(shell::kIdViewFamily)->trigger();
    h_.app->ShowInActiveView(father_);
    h_.app->UpdateCommandStates();
    for (unsigned id :
         {shell::kIdEditParents, shell::kIdEditOrderSpouses, shell::kIdEditOrderChildren})
      QVERIFY2(frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
    const std::int32_t rin = father_;
    QVERIFY(TriggerAndInspect<editui::CParentsOfDialog>(
        frame->CommandAction(shell::kIdEditParents), [rin](editui::CParentsOfDialog& d) {
          QCOMPARE(d.windowTitle(), QStringLiteral("Parents of Dag Lind"));
          QCOMPARE(d.Links().Rin(), rin);
        }));
    // Add > Parents opens the same screen once the password gate lets it.
    QVERIFY(frame->CommandAction(shell::kIdAddParents)->isEnabled());
    QVERIFY(TriggerAndInspect<editui::CParentsOfDialog>(
        frame->CommandAction(shell::kIdAddParents),
        [rin](editui::CParentsOfDialog& d) { QCOMPARE(d.Links().Rin(), rin); }));
    const std::vector<std::int32_t> marriages = {mrin_, second};
    QVERIFY(TriggerAndInspect<editui::CSpouseChildOrderDialog>(
        frame->CommandAction(shell::kIdEditOrderSpouses),
        [marriages](editui::CSpouseChildOrderDialog& d) {
          QCOMPARE(d.windowTitle(), QStringLiteral("Spouse Order"));
          QCOMPARE(d.Order().Numbers(), marriages);
        }));
    QVERIFY(TriggerAndInspect<editui::CSpouseChildOrderDialog>(
        frame->CommandAction(shell::kIdEditOrderChildren), [](editui::CSpouseChildOrderDialog& d) {
          QCOMPARE(d.windowTitle(), QStringLiteral("Child Order"));
          QCOMPARE(d.Order().GetMode(), COrderList::kChildren);
        }));
  }

  // The order lists start on the family view's current marriage and
  // current child, not on the first entry.
  void orderListsStartOnTheCurrentEntry() {
    CMainFrame* frame = h_.app->GetMainFrame();
    const std::int32_t second = DbSetRelation(father_, AddLind("Eva", 'F'), db::kRelHusband, 0);
    QVERIFY(second > 0);
    std::vector<std::int32_t> children;
    for (const char* child : {"Per", "Siv", "Tor"}) {
      children.push_back(AddLind(child, 'U'));
      QVERIFY(DbSetRelation(children.back(), 0, db::kRelParents, second) > 0);
    }
    frame->CommandAction(shell::kIdViewFamily)->trigger();
    h_.app->ShowInActiveView(father_);
    CKorView2* view = h_.app->ActiveFamilyView();
    QVERIFY(view);
    // "+" shows the next marriage; a click on the children pane's third row
    // makes Tor the current child, and back on Dag's pane the marriage is
    // the focus again with Tor still the current child. (Each order list
    // shows the individual again when it closes.)
    const auto centre = [view](const shell::famview::LRect& logical) {
      const shell::famview::LRect r =
          shell::famview::Mapping(view->width(), view->height()).ToDevice(logical);
      return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    const auto showTor = [&] {
      QTest::qWait(50);
      if (h_.app->ActiveViewMrin() != second) QTest::keyClick(view, Qt::Key_Plus);
      QCOMPARE(h_.app->ActiveViewMrin(), second);
      QTest::mouseClick(view, Qt::LeftButton, {}, centre(shell::famview::ChildRowRect(2)));
      QCOMPARE(view->Model()->GetPaneContent(shell::famview::kPaneChildren)->GetRin(), children[2]);
      QTest::mouseClick(view, Qt::LeftButton, {},
                        centre(shell::famview::kPaneRects[shell::famview::kPanePrimary]));
      QCOMPARE(h_.app->ActiveViewMrin(), second);
    };
    const struct {
      unsigned command;
      int current;  // Eva's marriage; Tor
    } cases[] = {{shell::kIdEditOrderSpouses, 1}, {shell::kIdEditOrderChildren, 2}};
    for (const auto& c : cases) {
      showTor();
      const int current = c.current;
      QVERIFY(TriggerAndInspect<editui::CSpouseChildOrderDialog>(
          frame->CommandAction(c.command), [current](editui::CSpouseChildOrderDialog& d) {
            QCOMPARE(d.Order().Current(), current);
            QCOMPARE(
                d.Control<QListWidget>(editui::CSpouseChildOrderDialog::kIdcList)->currentRow(),
                current);
          }));
    }
  }

 private:
  AppCommandHarness h_;
  std::int32_t father_ = 0;
  std::int32_t mrin_ = 0;
};

QTEST_MAIN(EditCommandsTest)
#include "editcommands_qtest.moc"
