// The Progress window: texts and range from the constructor, the bar's
// position rules, Cancel that only raises a flag, and a caller's loop that
// sees a click on Cancel only through the message pump.
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "Ports.h"
#include "ProgressWindow.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QProgressBar* Bar(const CProgressWindow& w) {
  return w.Dialog()->Control<QProgressBar>(CProgressDialog::kIdcProgress);
}
QPushButton* CancelButton(const CProgressWindow& w) {
  return w.Dialog()->Control<QPushButton>(fw::kIdCancel);
}

// A click as the window system delivers it: queued, seen only when events
// are dispatched.
void PostClick(QWidget* target) {
  const QPointF at = QRectF(target->rect()).center();
  const QPointF global = target->mapToGlobal(at);
  QCoreApplication::postEvent(
      target, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier));
  QCoreApplication::postEvent(
      target, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                              Qt::NoModifier));
}

}  // namespace

class ProgressWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithItsTextsAndRange() {
    CProgressWindow window(res::kIdsFind, res::kIdsInvalidMrin, 5, 50);
    CProgressDialog* dialog = window.Dialog();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Find"));
    QCOMPARE(dialog->GetControlText(CProgressDialog::kIdcStatus), std::string("Invalid MRIN"));
    QCOMPARE(Bar(window)->minimum(), 5);
    QCOMPARE(Bar(window)->maximum(), 50);
    QCOMPARE(Bar(window)->value(), 5);
    QVERIFY(dialog->parentWidget() == nullptr);

    QCOMPARE(window.Show(), 0);
    QVERIFY(dialog->isVisible());
    QCOMPARE(window.Show(), 1);
    window.SetStatusText("Changing places...");
    QCOMPARE(dialog->GetControlText(CProgressDialog::kIdcStatus),
             std::string("Changing places..."));
    window.SetStatusTextId(res::kIdsFind);
    QCOMPARE(dialog->GetControlText(CProgressDialog::kIdcStatus), std::string("Find"));
    auto* status = dialog->Control<QLabel>(CProgressDialog::kIdcStatus);
    QVERIFY(status->width() >= status->sizeHint().width());
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS")) {
      window.SetStatusText("Changing multimedia items...");
      window.SetPos(20);
      dialog->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/progress.png"));
    }
    window.Hide();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(window.Show(), 0);
  }

  void barPositionStaysInItsRange() {
    CProgressWindow window(res::kIdsFind, res::kIdsInvalidMrin, 0, 100);
    window.SetRange(10, 20);
    struct {
      const char* what;
      void (*step)(CProgressWindow&);
      int pos;
    } steps[] = {
        {"range sets the low end", [](CProgressWindow&) {}, 10},
        {"past the high end", [](CProgressWindow& w) { w.SetPos(25); }, 20},
        {"below the low end", [](CProgressWindow& w) { w.SetPos(5); }, 10},
        {"advance", [](CProgressWindow& w) { w.Advance(3); }, 13},
        {"advance past the end", [](CProgressWindow& w) { w.Advance(30); }, 20},
        {"step",
         [](CProgressWindow& w) {
           w.SetPos(12);
           w.SetStep(4);
           w.StepIt();
         },
         16},
        {"step to the end", [](CProgressWindow& w) { w.StepIt(); }, 20},
        {"a step past the end starts again", [](CProgressWindow& w) { w.StepIt(); }, 10},
        {"new range", [](CProgressWindow& w) { w.SetRange(-5, 5); }, -5},
    };
    for (const auto& s : steps) {
      s.step(window);
      QVERIFY2(Bar(window)->value() == s.pos, s.what);
      QVERIFY2(window.Dialog()->GetPos() == s.pos, s.what);
    }
  }

  void cancelOnlyRaisesTheFlag() {
    CProgressWindow window(res::kIdsFind, res::kIdsInvalidMrin, 0, 10);
    window.Show();
    QPushButton* cancel = CancelButton(window);
    QCOMPARE(window.IsCancelled(), 0);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(window.IsCancelled(), 1);
    QVERIFY(!cancel->isEnabled());
    QVERIFY(window.Dialog()->isVisible());
    // The second press, Escape and closing the window change nothing.
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTest::keyClick(window.Dialog(), Qt::Key_Escape);
    window.Dialog()->close();
    QCOMPARE(window.IsCancelled(), 1);
    QVERIFY(window.Dialog()->isVisible());

    // Escape alone cancels as the button does.
    CProgressWindow escaped(res::kIdsFind, res::kIdsInvalidMrin, 0, 10);
    escaped.Show();
    QTest::keyClick(escaped.Dialog(), Qt::Key_Escape);
    QCOMPARE(escaped.IsCancelled(), 1);
    QVERIFY(!CancelButton(escaped)->isEnabled());
    QVERIFY(escaped.Dialog()->isVisible());

    // A step that must not be interrupted: the button is off, no flag.
    CProgressWindow fixed(res::kIdsFind, res::kIdsInvalidMrin, 0, 10);
    fixed.Show();
    fixed.DisableCancel();
    QTest::mouseClick(CancelButton(fixed), Qt::LeftButton);
    QCOMPARE(fixed.IsCancelled(), 0);
  }

  void aPumpingLoopSeesTheCancel() {
    fw::QtMessagePump pump;
    plat::MessagePumpPort* previous = plat::SetMessagePumpPort(&pump);
    CProgressWindow window(res::kIdsFind, res::kIdsInvalidMrin, 0, 1000);
    window.SetStep(1);
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(window.Dialog()));

    PostClick(CancelButton(window));
    // Without the pump the click waits in the queue.
    window.StepIt();
    QCOMPARE(window.IsCancelled(), 0);

    int steps = 0;
    while (steps < 1000) {
      window.StepIt();
      ++steps;
      plat::PumpWaitingMessages();
      if (window.IsCancelled()) break;
    }
    plat::SetMessagePumpPort(previous);
    QCOMPARE(window.IsCancelled(), 1);
    QCOMPARE(steps, 1);
    QCOMPARE(Bar(window)->value(), 2);
    QVERIFY(window.Dialog()->isVisible());
  }
};

QTEST_MAIN(ProgressWindowTest)
#include "progresswindow_qtest.moc"
