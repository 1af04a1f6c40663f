#include "ReportProgress.h"

#include <cstdio>

#include "Ports.h"

void CReportProgress::SetRange(int low, int high) {
  low_ = low;
  high_ = high;
}

void CReportProgress::SetStep(int step) { step_ = step; }

bool CReportProgress::StepIt() {
  position_ += step_;
  // An empty range has no percentage to show.
  if (high_ == low_) return false;
  int percent = static_cast<int>(static_cast<long long>(position_ - low_) * 100 / (high_ - low_));
  if (percent != 100) percent %= 100;
  char text[16];
  std::snprintf(text, sizeof text, "%d%c", percent, '%');
  if (percentText_ != text) {
    percentText_ = text;
    if (onPercentText) onPercentText(percentText_);
  }
  if (percent == lastPercent_) return false;
  if (onBarPosition) onBarPosition(position_);
  plat::PumpWaitingMessages();
  lastPercent_ = percent;
  return true;
}

bool CReportProgress::CheckCancel() {
  plat::PumpWaitingMessages();
  const bool cancelled = cancel_;
  cancel_ = false;
  return cancelled;
}

bool CPreparingPages::AdvanceProgress(int position) {
  if (position <= position_) return false;
  position_ = position;
  if (onBarPosition) onBarPosition(position_);
  return true;
}

void CPreparingPages::SetPageCount(int n) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %d", kPagesLabel, n);
  status_ = text;
  if (onStatusText) onStatusText(status_);
}
