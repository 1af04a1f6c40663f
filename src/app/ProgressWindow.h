#pragma once
// The "Progress" window of long operations: a caption, a status line, a bar
// and a Cancel button that only raises a flag. It has no message loop of its
// own: the operation advances the bar, lets waiting events through with
// plat::PumpWaitingMessages() and tests IsCancelled between its steps.

#include <memory>
#include <string>

#include "DialogBase.h"

// The modeless dialog inside the progress window.
class CProgressDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 422;  // the dialog's template number
  static constexpr int kIdcProgress = 1458;
  static constexpr int kIdcStatus = 1459;

  CProgressDialog();

  bool IsCancelled() const { return cancelled_; }
  void SetRange(int low, int high);
  // Positions outside the range are held at its ends.
  void SetPos(int pos);
  int GetPos() const { return pos_; }
  void SetStep(int step) { step_ = step; }
  // One step; past the end of the range the bar starts again at its other end.
  void StepIt();
  void Advance(int delta) { SetPos(pos_ + delta); }

 protected:
  // Cancel and Escape: the flag is set, the button disabled, the window stays.
  void OnCancel() override;
  void OnOK() override {}

 private:
  void ShowPos();

  bool cancelled_ = false;
  int low_ = 0, high_ = 100, pos_ = 0, step_ = 10;
};

class CProgressWindow {
 public:
  // The window (hidden) with the caption and status texts of two string ids
  // and the bar at low of low..high.
  CProgressWindow(unsigned captionId, unsigned messageId, int low, int high);
  ~CProgressWindow();
  CProgressWindow(const CProgressWindow&) = delete;
  CProgressWindow& operator=(const CProgressWindow&) = delete;

  // Shows the window; nonzero when it was visible before.
  int Show();
  void Hide();
  int IsCancelled() const;
  // For steps that must not be interrupted.
  void DisableCancel();
  void Advance(int delta);
  void SetRange(int low, int high);
  void SetPos(int pos);
  void SetStep(int step);
  void StepIt();
  void SetStatusText(const std::string& text);
  void SetStatusTextId(unsigned id);

  CProgressDialog* Dialog() const { return dialog_.get(); }

 private:
  std::unique_ptr<CProgressDialog> dialog_;
};
