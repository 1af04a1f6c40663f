// The measurement box: its stepping, clamping, display and scaling rules,
// and the box itself driven by keys, its spin buttons and leaving it.
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "MeasureEdit.h"

using fw::MeasureValue;

namespace {

MeasureValue Make(int decimals, int unit, int low, int high, int value) {
  MeasureValue m;
  m.SetDecimals(decimals);
  m.SetUnit(unit);
  m.SetScaledRange(low, high);
  m.SetScaledValue(value);
  return m;
}

}  // namespace

class MeasureEditTest : public QObject {
  Q_OBJECT

 private slots:
  void steps_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("start");  // scaled
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("scaled");
    // Down from between one and two steps above a minimum of 0: zero.
    QTest::newRow("down tenth") << 1 << 0 << 590 << 15 << false << "1.4" << 14;
    QTest::newRow("down one step to min") << 1 << 0 << 590 << 1 << false << "0.0" << 0;
    QTest::newRow("down at min") << 1 << 0 << 590 << 0 << false << "0.0" << 0;
    QTest::newRow("down above min") << 0 << 10 << 100 << 11 << false << "10" << 10;
    QTest::newRow("down below min") << 0 << 10 << 100 << 10 << false << "10" << 10;
    QTest::newRow("up to max") << 1 << 0 << 590 << 589 << true << "59.0" << 590;
    QTest::newRow("up past max") << 1 << 0 << 590 << 590 << true << "59.0" << 590;
    QTest::newRow("up tenth") << 1 << 0 << 590 << 20 << true << "2.1" << 21;
    QTest::newRow("up thousandth") << 3 << 0 << 5000 << 1999 << true << "2.000" << 2000;
  }
  void steps() {
    QFETCH(int, decimals);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    QFETCH(int, scaled);
    MeasureValue m = Make(decimals, 0, low, high, start);
    if (up)
      m.StepUp();
    else
      m.StepDown();
    QCOMPARE(QString::fromStdString(m.Text()), shown);
    QCOMPARE(m.GetScaledValue(), scaled);
  }

  void stepDownFromBetweenOneAndTwoStepsGivesZero() {
    MeasureValue m = Make(0, 0, 0, 100, 0);
    m.value = 1.5f;
    QVERIFY(m.StepDown());
    QCOMPARE(m.value, 0.0f);
    m.value = 1.5f;
    m.StepUp();
    QCOMPARE(m.value, 2.5f);  // up keeps what is between steps
  }

  void typedText_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("above max") << 0 << 2 << 10 << 100 << "250"
                               << "100%";
    QTest::newRow("below min") << 0 << 2 << 10 << 100 << "3"
                               << "10%";
    QTest::newRow("no number, min 0") << 1 << 0 << 0 << 590 << "abc"
                                      << "0.0";
    QTest::newRow("no number, min 10") << 0 << 2 << 10 << 100 << "abc"
                                       << "10%";
    QTest::newRow("unit typed along") << 0 << 2 << 10 << 100 << "55%"
                                      << "55%";
    QTest::newRow("integer box cuts decimals") << 0 << 0 << 0 << 100 << "12.9"
                                               << "12";
    QTest::newRow("real box") << 1 << 0 << 0 << 590 << "12.34"
                              << "12.3";
    QTest::newRow("inches") << 2 << 1 << 0 << 1000 << "2.5"
                            << "2.50\"";
  }
  void typedText() {
    QFETCH(int, decimals);
    QFETCH(int, unit);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    MeasureValue m = Make(decimals, unit, low, high, low);
    m.TakeText(typed.toStdString());
    QCOMPARE(QString::fromStdString(m.Text()), shown);
  }

  void scaling_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("scaled");
    QTest::newRow("half tenth up") << 1 << 2.25f << 23;
    QTest::newRow("below half tenth") << 1 << 2.24f << 22;
    QTest::newRow("whole") << 0 << 7.5f << 8;
    QTest::newRow("hundredths") << 2 << 1.006f << 101;
    QTest::newRow("decimals above 3 are 3") << 7 << 1.2346f << 1235;
  }
  void scaling() {
    QFETCH(int, decimals);
    QFETCH(float, value);
    QFETCH(int, scaled);
    MeasureValue m;
    m.SetDecimals(decimals);
    m.value = value;
    QCOMPARE(m.GetScaledValue(), scaled);
  }

  void unitsAndSteps() {
    MeasureValue m;
    QCOMPARE(m.step, 1.0f);
    QCOMPARE(m.maximum, 100.0f);
    m.SetDecimals(2);
    QCOMPARE(m.step, 0.01f);
    m.SetDecimals(0);
    m.SetUnit(2);
    m.SetScaledValue(50);
    QCOMPARE(QString::fromStdString(m.Text()), QStringLiteral("50%"));
    m.SetUnit(7);  // unknown kind: the sign stays
    QCOMPARE(m.unit, 7);
    QCOMPARE(QString::fromStdString(m.Text()), QStringLiteral("50%"));
    m.SetUnit(0);
    QCOMPARE(QString::fromStdString(m.Text()), QStringLiteral("50"));
  }

  void boxStepsByKeysAndButtonsAndClampsOnLeaving() {
    QWidget window;
    auto* box = new fw::CMeasureEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 60);
    box->SetDecimals(1);
    box->SetScaledRange(0, 590);
    box->SetScaledValue(20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(box->text(), QStringLiteral("2.0"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("2.1"));
    QTest::mouseClick(box->DownButton(), Qt::LeftButton);
    QTest::mouseClick(box->DownButton(), Qt::LeftButton);
    QCOMPARE(box->GetScaledValue(), 19);

    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("75"));
    other->setFocus();
    QCOMPARE(box->text(), QStringLiteral("59.0"));
    QCOMPARE(box->GetScaledValue(), 590);

    // Typed text is read before a step.
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("1.2"));
    QTest::mouseClick(box->UpButton(), Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("1.3"));

    box->setEnabled(false);
    QVERIFY(!box->UpButton()->isEnabled());
  }
};

QTEST_MAIN(MeasureEditTest)
#include "measureedit_test.moc"
