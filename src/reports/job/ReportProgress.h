#pragma once
// The logic of the report progress windows: a bar over a range stepped by a
// fixed amount, a whole percentage shown, and a Cancel flag that the loop
// polls. The windows on screen forward to it.

#include <functional>
#include <string>

class CReportProgress {
 public:
  void SetRange(int low, int high);
  void SetStep(int step);
  // Advances by the step; true only when the shown percentage changed (the
  // bar then moves and waiting events are dispatched).
  bool StepIt();
  // Dispatches waiting events, then answers and clears the cancel flag.
  bool CheckCancel();
  // The Cancel button.
  void Cancel() { cancel_ = true; }

  int Low() const { return low_; }
  int High() const { return high_; }
  int Step() const { return step_; }
  int Position() const { return position_; }
  const std::string& PercentText() const { return percentText_; }

  // Called when the bar moves and when the percentage text changes.
  std::function<void(int)> onBarPosition;
  std::function<void(const std::string&)> onPercentText;

 private:
  int low_ = 0;
  int high_ = 100;
  int step_ = 10;
  int position_ = 0;
  int lastPercent_ = -1;
  bool cancel_ = false;
  std::string percentText_ = " 0 %";
};

// The "Preparing pages" window of a two-pass generator.
class CPreparingPages {
 public:
  static constexpr const char* kPagesLabel = "# Pages";
  // Moves the bar only forward; true when it moved.
  bool AdvanceProgress(int position);
  void SetPageCount(int n);
  int Position() const { return position_; }
  const std::string& StatusText() const { return status_; }
  void Cancel() { cancel_ = true; }
  bool Cancelled() const { return cancel_; }

  std::function<void(int)> onBarPosition;
  std::function<void(const std::string&)> onStatusText;

 private:
  int position_ = 0;
  bool cancel_ = false;
  std::string status_;
};
