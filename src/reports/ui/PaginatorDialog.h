#pragma once
// The PAGINATOR window on Qt: the report's title as caption, "Preparing
// pages.  Please wait...", the page number the pass has reached (after a
// label of what it counts, when the pass gives one) and, unless
// the kind hides it, Cancel. The pass runs as queued calls on the dialog's
// own event loop, one batch at a time, so the window stays responsive; Cancel
// only clears the running flag and ends the dialog, and the runner cleans up
// after the pass has returned.

#include <QDialog>
#include <functional>

#include "PaginationRun.h"

class QLabel;
class QPushButton;

namespace rptui {

// Control ids of the window, as object names.
inline constexpr int kIdcPaginatorText = 1089;
inline constexpr int kIdcPaginatorNumber = 1075;

class CPaginatorDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CPaginatorDialog(QWidget* parent = nullptr);

  // Shows the window modally and runs batch until it answers other than More
  // or Cancel is pressed; answers as rpt::PaginatorWindow::Run.
  rpt::BatchResult RunPass(rpt::PaginatorState& state, const QString& caption,
                           const QString& number, bool cancelShown,
                           const std::function<rpt::BatchResult()>& batch);
  // The modeless form: shown while the caller drives its own loop, feeds the
  // number field and pumps; Cancel drops state.running and hides the window.
  void OpenModeless(rpt::PaginatorState& state, const QString& caption, const QString& number,
                    bool cancelShown);
  void SetNumber(const QString& number);
  QString Number() const;
  // The text above the number; shown at once, since a long step may follow.
  void SetText(const QString& text);
  QString Text() const;
  // The label before the number; "" hides it.
  void SetLabel(const QString& label);
  QString Label() const;
  bool CancelShown() const;

  // Escape and the close box act as Cancel while Cancel is shown.
  void reject() override;

 private:
  // Queues a call of the window: rpt::kPaginatorNextBatch runs the next
  // batch, rpt::kPaginatorPassDone ends the dialog.
  void Post(int message);
  void NextBatch();
  void PassDone();
  void Cancel();

  QLabel* text_ = nullptr;
  QLabel* label_ = nullptr;
  QLabel* number_ = nullptr;
  QPushButton* cancel_ = nullptr;
  rpt::PaginatorState* state_ = nullptr;
  std::function<rpt::BatchResult()> batch_;
  rpt::BatchResult result_ = rpt::BatchResult::Failed;
  bool running_ = false;
};

// The installed PAGINATOR window of the interface: each pass shows a dialog
// over the active window.
class CQtPaginatorWindow : public rpt::PaginatorWindow {
 public:
  rpt::BatchResult Run(rpt::PaginatorState& state, const std::string& caption,
                       const std::string& number, bool cancelShown,
                       const std::function<rpt::BatchResult()>& batch) override;
  void SetNumber(int number) override;
  void SetText(const std::string& text) override;
  void SetLabel(const std::string& label) override;

 private:
  CPaginatorDialog* dialog_ = nullptr;
};

// Installs the Qt window for the report passes (main calls it once).
void RegisterPaginatorWindow();

}  // namespace rptui
