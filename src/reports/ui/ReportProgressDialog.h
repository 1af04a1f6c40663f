#pragma once
// CReportProgressDialog: the modeless progress window of long report steps
// (counting list pages, sorting rows, saving RTF, printing pages). Its owner
// is disabled while it is open so that no command re-enters the report code.

#include <QPointer>
#include <string>

#include "DialogBase.h"
#include "ReportProgress.h"

class QLabel;
class QProgressBar;

class CReportProgressDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kIdCancel = 2;
  static constexpr int kIdProgress = 1458;
  static constexpr int kIdPercent = 1607;
  static constexpr int kIdPreparing = 1089;
  static constexpr int kIdStatus = 827;

  explicit CReportProgressDialog(std::string caption);
  ~CReportProgressDialog() override;

  // Opens the window over owner (the active window when null), disabling
  // the owner; false when the window could not be made (owner enabled).
  bool Create(QWidget* owner);
  void SetRange(int low, int high);
  void SetStep(int step);
  bool StepIt();
  bool CheckCancel();
  void SetStatusText(const QString& text);
  CReportProgress& Model() { return model_; }

 protected:
  // Builds and shows the window; false when it cannot.
  virtual bool CreateWindow();

 private:
  std::string caption_;
  CReportProgress model_;
  QProgressBar* bar_ = nullptr;
  QLabel* percent_ = nullptr;
  QLabel* status_ = nullptr;
  QPointer<QWidget> owner_;
  bool ownerDisabled_ = false;
};

// CPreparingPagesDialog: the simpler progress window that a two-pass
// generator drives while it counts its pages.
class CPreparingPagesDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kIdPreparing = 1089;
  static constexpr int kIdStatus = 1075;
  static constexpr int kIdCancel = 2;
  static constexpr int kIdProgress = 1458;
  static constexpr int kIdExtra = 1095;

  explicit CPreparingPagesDialog(QWidget* parent);

  void SetPageCount(int n) { model_.SetPageCount(n); }
  // Moves the bar only forward.
  void AdvanceProgress(int position) { model_.AdvanceProgress(position); }
  void SetCaption(unsigned stringId);
  void SetRange(int low, int high);
  bool Cancelled() const { return model_.Cancelled(); }
  CPreparingPages& Model() { return model_; }

 private:
  CPreparingPages model_;
  QProgressBar* bar_ = nullptr;
  QLabel* status_ = nullptr;
};
