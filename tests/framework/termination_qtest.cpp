// A termination request while a dialog of the start-up runs its own event
// loop: the dialog closes and the main event loop does not start, so that
// no process is left running without a window.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <csignal>

#include "TerminationWatch.h"

class TerminationTest : public QObject {
  Q_OBJECT

 private slots:
  void aRequestDuringAStartUpDialogEndsTheProgram() {
    auto& app = *static_cast<QApplication*>(QCoreApplication::instance());
    fw::TerminationWatch watch(app);
    QDialog welcome;
    QTimer::singleShot(50, [] { std::raise(SIGTERM); });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &welcome, &QDialog::accept);
    guard.start(3000);
    QCOMPARE(welcome.exec(), int(QDialog::Rejected));
    QVERIFY(watch.Requested());

    // The main loop would run forever with no window: it does not start.
    QTimer stuck;
    stuck.setSingleShot(true);
    connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    stuck.start(2000);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(watch.Exec(), 0);
    QVERIFY(clock.elapsed() < 1500);
  }

  void withoutARequestTheMainLoopRunsUntilQuit() {
    auto& app = *static_cast<QApplication*>(QCoreApplication::instance());
    fw::TerminationWatch watch(app);
    QTimer::singleShot(50, [] { QCoreApplication::exit(7); });
    QCOMPARE(watch.Exec(), 7);
    QVERIFY(!watch.Requested());
  }
};

QTEST_MAIN(TerminationTest)
#include "termination_qtest.moc"
