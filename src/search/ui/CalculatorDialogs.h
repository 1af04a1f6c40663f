#pragma once
// The Soundex Code Calculator, the Date Calculator with its month calendars
// and the Solver that asks which portion to compute.

#include <functional>
#include "DateCalculator.h"

#include "DialogBase.h"

class QCalendarWidget;
class QStackedWidget;

class CSoundexCalculatorDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 365;
  static constexpr int kIdcName = 1113;
  static constexpr int kIdcCode = 1369;
  explicit CSoundexCalculatorDialog(QWidget* parent = nullptr);

 private:
  void OnNameChanged();
};

class CDateCalculatorSolverDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 443;
  static constexpr int kIdcStart = 1001;
  static constexpr int kIdcDifference = 1002;
  static constexpr int kIdcEnd = 1003;
  explicit CDateCalculatorSolverDialog(QWidget* parent = nullptr);
};

class CDateCalculatorDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 366;
  static constexpr int kIdcStart = 1113;
  static constexpr int kIdcYears = 1320;
  static constexpr int kIdcMonths = 1323;
  static constexpr int kIdcDays = 1129;
  static constexpr int kIdcEnd = 1327;
  static constexpr int kIdcStartCalendar = 1482;
  static constexpr int kIdcEndCalendar = 1483;
  static constexpr int kIdcStartNote = 1484;
  static constexpr int kIdcEndNote = 1485;
  static constexpr int kIdcCalculate = 1264;
  static constexpr int kIdcClear = 1318;

  explicit CDateCalculatorDialog(QWidget* parent = nullptr);

  kin::CDateCalculatorLogic logic;
  // The Solver's answer in place of the dialog (tests); null asks the user.
  std::function<int()> solver;

  void Calculate();
  void ClearFields();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnCancel() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowCalendars();
  void OnCalendarChanged(bool start);
  void OnEditLeft(bool start);

  QCalendarWidget* calendars_[2] = {};
  QStackedWidget* stacks_[2] = {};
  bool refreshing_ = false;
};
