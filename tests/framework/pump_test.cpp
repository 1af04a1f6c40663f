// The pump of long work: it delivers what waits, runs idle processing when
// nothing does, and answers false on a request to quit while leaving that
// request for the main loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <vector>

#include "QtPorts.h"

namespace {

constexpr int kGiveUpMs = 5000;

struct LongWork {
  bool lastAnswer = true;
  int pumps = 0;
};

// Runs `work` inside the main loop and answers what app.exec() returned; a
// main loop that never ends is cut off with 99.
int RunInMainLoop(const std::function<void()>& work) {
  QTimer::singleShot(0, work);
  QTimer cutOff;  // ends with this call, so it cannot cut off a later loop
  cutOff.setSingleShot(true);
  QObject::connect(&cutOff, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  cutOff.start(2 * kGiveUpMs);
  return QCoreApplication::exec();
}

// Pumps between steps until the pump answers false or the time is up.
void PumpUntilQuit(fw::QtMessagePump& pump, LongWork& work) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kGiveUpMs) {
    ++work.pumps;
    work.lastAnswer = pump.PumpWaitingMessages();
    if (!work.lastAnswer) return;
    QThread::msleep(2);
  }
}

}  // namespace

class PumpTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { fw::QtMessagePump::SetIdleHandler(nullptr); }

  void emptyQueueRunsIdleProcessingAndGoesOn() {
    fw::QtMessagePump pump;
    std::vector<long> counts;
    fw::QtMessagePump::SetIdleHandler([&](long count) {
      counts.push_back(count);
      return count < 2;  // wants three rounds
    });
    QVERIFY(pump.PumpWaitingMessages());
    QCOMPARE(counts, (std::vector<long>{0, 1, 2}));
    // Each call starts counting again.
    counts.clear();
    QVERIFY(pump.PumpWaitingMessages());
    QCOMPARE(counts.front(), 0L);
  }

  void queuedClickIsDeliveredDuringTheLoop() {
    fw::QtMessagePump pump;
    QPushButton button(QStringLiteral("Cancel"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    QPointF at = QPointF(button.rect().center());
    QPointF global = QPointF(button.mapToGlobal(button.rect().center()));
    QCoreApplication::postEvent(
        &button, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                 Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        &button, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                 Qt::NoButton, Qt::NoModifier));
    QCOMPARE(clicks, 0);
    QVERIFY(pump.PumpWaitingMessages());
    QCOMPARE(clicks, 1);
  }

  void quitDuringLongWorkStopsItAndStaysPending_data() {
    QTest::addColumn<bool>("byClosingTheMainWindow");
    QTest::newRow("quit requested") << false;
    QTest::newRow("main window closed") << true;
  }

  void quitDuringLongWorkStopsItAndStaysPending() {
    QFETCH(bool, byClosingTheMainWindow);
    fw::QtMessagePump pump;
    QWidget mainWindow;
    mainWindow.show();
    LongWork work;
    int idleRounds = 0;
    fw::QtMessagePump::SetIdleHandler([&](long) {
      ++idleRounds;
      return false;
    });
    int stepsAfterQuit = -1;
    int exitCode = RunInMainLoop([&] {
      QTimer::singleShot(100, [&] {
        if (byClosingTheMainWindow)
          mainWindow.close();
        else
          QCoreApplication::quit();
      });
      PumpUntilQuit(pump, work);
      // The caller stops; the main loop has not ended yet.
      stepsAfterQuit = 0;
    });
    QVERIFY(!work.lastAnswer);
    QVERIFY2(work.pumps > 1, "the quit came during the work, not before it");
    QCOMPARE(stepsAfterQuit, 0);
    QCOMPARE(idleRounds, work.pumps - 1);  // not after the quit was seen
    QCOMPARE(exitCode, 0);                 // the main loop saw the quit
  }

  void quitSeenByThePumpIsNotSwallowedForLater() {
    // Work that goes on pumping after the answer false (it does not test it)
    // sees the request again each time, and the main loop still ends.
    fw::QtMessagePump pump;
    int falseAnswers = 0;
    int exitCode = RunInMainLoop([&] {
      QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
      for (int i = 0; i < 3; ++i)
        if (!pump.PumpWaitingMessages()) ++falseAnswers;
    });
    QCOMPARE(falseAnswers, 3);
    QCOMPARE(exitCode, 0);
  }
};

QTEST_MAIN(PumpTest)
#include "pump_test.moc"
