// The family view's Other Marriages button in the application: the primary
// individual's marriages are put in order there, the order is stored, and
// the marriage current at OK is the one shown; Alt+M then only chooses one.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <vector>

#include "AppCommandTest.h"
#include "CommandIds.h"
#include "EditCommands.h"
#include "FamilyViewLayout.h"
#include "FamilyViewModel.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "MarriageNode.h"
#include "OrderDialogs.h"

namespace {

// Runs drive on each modal dialog of class Dialog that opens while run runs;
// any other modal dialog is cancelled.
template <class Dialog>
int DriveModal(const std::function<void()>& run, const std::function<void(Dialog&)>& drive) {
  int seen = 0;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* dialog = qobject_cast<Dialog*>(modal)) {
      ++seen;
      drive(*dialog);
    } else if (auto* other = qobject_cast<QDialog*>(modal)) {
      other->reject();
    }
  });
  driver.start(20);
  run();
  return seen;
}

std::vector<std::int32_t> MarriagesOf(std::int32_t rin) {
  std::vector<std::int32_t> marriages;
  DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
  return marriages;
}

}  // namespace

class OtherMarriagesTest : public QObject {
  Q_OBJECT

 private slots:
  // Ola Lind married to Eva, then to Kim; the family view on Ola with the
  // marriage to Eva current.
  void init() {
    QVERIFY(h_.Start(
        [this] {
          ola_ = AddLind("Ola", 'M');
          eva_ = DbSetRelation(ola_, AddLind("Eva", 'F'), db::kRelHusband, 0);
          kim_ = DbSetRelation(ola_, AddLind("Kim", 'F'), db::kRelHusband, 0);
        },
        [](CKorApp& app) { RegisterEditCommands(app); }));
    view_ = h_.app->ActiveFamilyView();
    QVERIFY(view_);
    h_.app->ShowInActiveView(ola_);
    QTRY_COMPARE(h_.app->ActiveViewRin(), ola_);
    QCOMPARE(MarriagesOf(ola_), (std::vector<std::int32_t>{eva_, kim_}));
    QCOMPARE(view_->Model()->GetCurrentMarriage()->GetMrin(), eva_);
  }
  void cleanup() { h_.Stop(); }

  // The button opens Spouse Order on the current marriage; moved down and
  // OK, the new order is stored and the marriage to Eva stays shown.
  void buttonPutsTheMarriagesInOrder() {
    auto* button = view_->findChild<QPushButton*>(
        QStringLiteral("button%1").arg(shell::famview::kIdOtherMarriages));
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    int current = -1;
    const int seen = DriveModal<editui::CSpouseChildOrderDialog>(
        [button] { button->click(); },
        [&](editui::CSpouseChildOrderDialog& d) {
          current = d.Order().Current();
          d.Control<QToolButton>(editui::CSpouseChildOrderDialog::kIdcDown)->click();
          d.accept();
        });
    QCOMPARE(seen, 1);
    QCOMPARE(current, 0);
    QCOMPARE(MarriagesOf(ola_), (std::vector<std::int32_t>{kim_, eva_}));
    QCOMPARE(view_->Model()->GetCurrentMarriage()->GetMrin(), eva_);
    QCOMPARE(view_->Model()->CurrentMarriageIndex(), 1);

    // Alt+M only chooses: the first line, Kim, is shown and the order stays.
    QAction* action = h_.app->GetMainFrame()->CommandAction(shell::kIdViewOtherMarriages);
    QVERIFY(action);
    h_.app->UpdateCommandStates();
    QVERIFY(action->isEnabled());
    const int chosen = DriveModal<editui::COtherMarriagesDialog>(
        [action] { action->trigger(); },
        [](editui::COtherMarriagesDialog& d) {
          d.Control<QListWidget>(editui::COtherMarriagesDialog::kIdcList)->setCurrentRow(0);
          d.accept();
        });
    QCOMPARE(chosen, 1);
    QCOMPARE(MarriagesOf(ola_), (std::vector<std::int32_t>{kim_, eva_}));
    QCOMPARE(view_->Model()->GetCurrentMarriage()->GetMrin(), kim_);
  }

 private:
  AppCommandHarness h_;
  std::int32_t ola_ = 0, eva_ = 0, kim_ = 0;
  CKorView2* view_ = nullptr;
};

QTEST_MAIN(OtherMarriagesTest)
#include "othermarriages_qtest.moc"
