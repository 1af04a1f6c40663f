// The family view's right-button menus in the application: an empty
// father pane offers Add Father, which adds a father to the primary
// individual; a pane with an individual greys what that individual lacks;
// a read-only family file opens no menu.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>

#include "AddCommands.h"
#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditCommands.h"
#include "EditIndividualDialog.h"
#include "FamilyDatabase.h"
#include "FamilyViewLayout.h"
#include "FamilyViewMenus.h"
#include "FamilyViewModel.h"
#include "FieldListRow.h"
#include "FieldListTyping.h"
#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "ModalDriving.h"
#include "PickerDialogs.h"
#include "RecordAccess.h"
#include "SmallRecordDialogs.h"
#include "TestHelpers.h"

namespace {

using namespace shell::famview;

QMenu* ActiveMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

QAction* Entry(QMenu* menu, unsigned command) {
  return menu->findChild<QAction*>(QStringLiteral("command%1").arg(command));
}

}  // namespace

class FamilyMenuTest : public QObject {
  Q_OBJECT

 private slots:
  // Ola Lind married to Eva, no parents.
  void init() {
    QVERIFY(h_.Start(
        [this] {
          ola_ = AddLind("Ola", 'M');
          eva_ = AddLind("Eva", 'F');
          Stored(DbSetRelation(ola_, eva_, db::kRelHusband, 0), "marriage");
        },
        [](CKorApp& app) {
          RegisterEditCommands(app);
          RegisterAddCommands(app);
        }));
    h_.app->m_options.editMarr = 0;
    view_ = h_.app->ActiveFamilyView();
    QVERIFY(view_);
    h_.app->ShowInActiveView(ola_);
    QTRY_COMPARE(h_.app->ActiveViewRin(), ola_);
    QVERIFY(!view_->GetPaneContent(kPaneFather));
  }
  void cleanup() { h_.Stop(); }

  // The empty father pane's menu holds Add Father, enabled; it adds a new
  // father to Ola, and the view has the focus again.
  void emptyFatherPaneAddsAFather() {
    QString menuName;
    QStringList items;
    bool enabled = false;
    QString caption;
    WhenShown(ActiveMenu, [&](QWidget* popup) {
      auto* menu = static_cast<QMenu*>(popup);
      menuName = menu->objectName();
      for (QAction* action : menu->actions()) items << action->text();
      QAction* add = Entry(menu, shell::kIdAddFather);
      enabled = add && add->isEnabled();
      ShootWithMenu(h_.app->GetMainFrame(), menu, "family_empty_pane_menu");
      WhenModal<CAddOrSelectIndividualDialog>([&caption](CAddOrSelectIndividualDialog* chooser) {
        WhenModal<CEditIndividualDialog>([&caption](CEditIndividualDialog* d) {
          caption = d->windowTitle();
          TypeInto(d->List(), res::kIdsGivenName, "Per");
          d->Control<QPushButton>(fw::kIdOk)->click();
        });
        chooser->Control<QPushButton>(CAddOrSelectIndividualDialog::kIdcAddNew)->click();
      });
      if (add) add->trigger();
      menu->close();
    });
    RightClick(kPaneFather);
    QCOMPARE(menuName, QStringLiteral("menu%1_%2").arg(kMenuEmptyPane).arg(kPaneFather));
    QCOMPARE(items, QStringList{QStringLiteral("Add &Father...")});
    QVERIFY(enabled);
    QTRY_VERIFY(view_->GetPaneContent(kPaneFather) != nullptr);
    QCOMPARE(caption, QStringLiteral("Add father for Ola Lind"));
    const std::int32_t father = view_->GetPaneContent(kPaneFather)->GetRin();
    CIndividualRecord record;
    QCOMPARE(family::Read(record, father), 1);
    QCOMPARE(record.givenNames[0], std::string("Per"));
    QCOMPARE(record.sex, 'M');
    QCOMPARE(view_->GetPaneContent(kPanePrimary)->GetRin(), ola_);
    QCOMPARE(view_->window()->focusWidget(), static_cast<QWidget*>(view_));
  }

  // A double-click on the empty mother pane adds a mother to Ola as well:
  // the Add commands follow the primary individual from an empty pane.
  void emptyMotherPaneDoubleClickAddsAMother() {
    std::string prompt;
    WhenModal<CAddOrSelectIndividualDialog>([&prompt](CAddOrSelectIndividualDialog* chooser) {
      prompt = chooser->Prompt();
      chooser->reject();
    });
    const Mapping map(view_->width(), view_->height());
    const LRect r = map.ToDevice(kPaneRects[kPaneMother]);
    QTest::mouseDClick(view_, Qt::LeftButton, {},
                       QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    QTRY_COMPARE(prompt, std::string("Add mother for\nOla Lind"));
    QCOMPARE(view_->Model()->SelectedPane(), int(kPaneMother));
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 2);
  }

  // Ola's own pane: the menu of a pane with content, Photo and the parents'
  // commands greyed (no photo, no parent family), Edit Marriage not.
  void primaryPaneGreysWhatOlaLacks() {
    QString menuName;
    bool photo = true, parents = true, parentsMarriage = true, marriage = false, edit = false;
    WhenShown(ActiveMenu, [&](QWidget* popup) {
      auto* menu = static_cast<QMenu*>(popup);
      menuName = menu->objectName();
      const auto on = [menu](unsigned id) {
        QAction* a = Entry(menu, id);
        return a && a->isEnabled();
      };
      photo = on(shell::kIdEditPhoto);
      parents = on(shell::kIdAddParents);
      parentsMarriage = on(shell::kIdEditParentsMarriage);
      marriage = on(shell::kIdEditMarriage);
      edit = on(shell::kIdEditIndividual);
      ShootWithMenu(h_.app->GetMainFrame(), menu, "family_pane_menu");
      menu->close();
    });
    RightClick(kPanePrimary);
    QCOMPARE(menuName, QStringLiteral("menu%1_%2").arg(kMenuPaneContent).arg(kSubMenuPrimary));
    QVERIFY(!photo);
    QVERIFY(!parents);
    QVERIFY(!parentsMarriage);
    QVERIFY(marriage);
    QVERIFY(edit);
    // The main menu's own Edit Marriage is untouched by the menu's greying.
    h_.app->UpdateCommandStates();
    QVERIFY(h_.app->GetMainFrame()->CommandAction(shell::kIdEditMarriage)->isEnabled());
  }

  // Adding Eva, already Ola's wife, again as his spouse offers the marriages
  // with her alone; taking one adds nothing, declining makes a new marriage,
  // and the view counts it at once.
  void anExistingSpouseOffersTheirMarriages() {
    const std::int32_t kari = AddLind("Kari", 'F');
    QVERIFY(DbSetRelation(ola_, kari, db::kRelHusband, 0) > 0);
    for (bool take : {true, false}) {
      h_.app->ShowInActiveView(ola_);
      QTRY_COMPARE(h_.app->ActiveViewRin(), ola_);
      const std::int32_t marriages = DbGetActiveRecordCount(db::kMarriage);
      const std::intptr_t shownMarriages = view_->Model()->Status().marriages;
      int lines = -1;
      WhenModal<CAddOrSelectIndividualDialog>([this, take,
                                               &lines](CAddOrSelectIndividualDialog* c) {
        WhenModal<CFindRecordDialog>([this, take, &lines](CFindRecordDialog* find) {
          WhenModal<editui::CMarriagesForDialog>([take, &lines](editui::CMarriagesForDialog* d) {
            lines = d->Control<QListWidget>(editui::CMarriagesForDialog::kIdcList)->count();
            if (take)
              d->Control<QPushButton>(fw::kIdOk)->click();
            else
              d->reject();
          });
          find->SetControlText(CFindRecordDialog::kIdcNumber, std::to_string(eva_));
          find->accept();
        });
        c->done(CAddOrSelectIndividualDialog::kSelectExisting);
      });
      h_.app->UpdateCommandStates();
      h_.app->GetMainFrame()->CommandAction(shell::kIdAddSpouse)->trigger();
      QTRY_VERIFY(lines >= 0);
      QCOMPARE(lines, 1);  // the marriage with Kari is not offered
      QTRY_COMPARE(DbGetActiveRecordCount(db::kMarriage), marriages + (take ? 0 : 1));
      QCOMPARE(view_->Model()->Status().marriages, shownMarriages + (take ? 0 : 1));
    }
  }

  // On a read-only file no pane opens a menu; the pane is still selected.
  void readOnlyFileOpensNoMenu() {
    CurrentDatabase->host.readOnly = true;
    for (int pane : {kPaneFather, kPanePrimary}) {
      bool seen = false;
      QTimer* watch = WhenShown(ActiveMenu, [&seen](QWidget* popup) {
        seen = true;
        popup->close();
      });
      RightClick(pane);
      QTest::qWait(100);
      QVERIFY2(!seen, qPrintable(QString::number(pane)));
      QCOMPARE(view_->Model()->SelectedPane(), pane);
      delete watch;
    }
    CurrentDatabase->host.readOnly = false;
  }

 private:
  void RightClick(int pane) {
    const Mapping map(view_->width(), view_->height());
    const LRect r = map.ToDevice(kPaneRects[pane]);
    const QPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QTest::mousePress(view_, Qt::RightButton, {}, at);
    QTest::mouseRelease(view_, Qt::RightButton, {}, at);
  }

  AppCommandHarness h_;
  CKorView2* view_ = nullptr;
  std::int32_t ola_ = 0, eva_ = 0;
};

QTEST_MAIN(FamilyMenuTest)
#include "StringIds.h"
#include "familymenu_qtest.moc"
