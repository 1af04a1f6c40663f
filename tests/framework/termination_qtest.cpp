// A termination request while a dialog of the start-up runs its own event
// loop: the dialog closes and the main event loop does not start, so that
// no process is left running without a window.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
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

  // A question box has no Cancel button and ignores a close; the start-up
  // goes on after it to the next dialog. Both are cancelled, none waits for
  // an answer that never comes.
  void aQuestionBoxAndTheDialogsAfterItAreCancelled() {
    auto& app = *static_cast<QApplication*>(QCoreApplication::instance());
    fw::TerminationWatch watch(app);
    bool guardFired = false;
    QMessageBox question(QMessageBox::Question, QStringLiteral("Korvane"), QStringLiteral("Go on?"),
                         QMessageBox::Yes | QMessageBox::No);
    QTimer::singleShot(50, [] { std::raise(SIGTERM); });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [&] {
      guardFired = true;
      if (QWidget* open = QApplication::activeModalWidget()) open->close();
      question.done(QMessageBox::Yes);
    });
    guard.start(3000);
    QElapsedTimer clock;
    clock.start();
    const int answer = question.exec();
    QVERIFY(!guardFired);
    QVERIFY(answer != QMessageBox::Yes && answer != QMessageBox::No);
    QVERIFY(watch.Requested());

    QDialog welcome;
    connect(&guard, &QTimer::timeout, &welcome, &QDialog::accept);
    QCOMPARE(welcome.exec(), int(QDialog::Rejected));
    QVERIFY(!guardFired);
    QVERIFY(clock.elapsed() < 2000);
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
