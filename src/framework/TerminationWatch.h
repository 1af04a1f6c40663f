#pragma once
// A termination request (SIGTERM at logout or from kill, SIGINT) closes the
// windows the normal way, so that nothing is left half written, and ends the
// program. A request that comes while a dialog of the start-up runs its own
// event loop is remembered: the dialog and every dialog shown after it are
// cancelled, and the main event loop then does not start.

#include <QObject>

class QApplication;

namespace fw {

class TerminationWatch : public QObject {
  Q_OBJECT
 public:
  // One per program: the signals' handler writes to this object's pipe.
  explicit TerminationWatch(QApplication& app);
  ~TerminationWatch() override;
  TerminationWatch(const TerminationWatch&) = delete;
  TerminationWatch& operator=(const TerminationWatch&) = delete;

  // A request came.
  bool Requested() const { return requested_; }
  // Runs the main event loop, or returns 0 at once after a request.
  int Exec();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnRequest();

  bool requested_ = false;
  bool installed_ = false;
  void (*previousTerm_)(int) = nullptr;
  void (*previousInt_)(int) = nullptr;
};

}  // namespace fw
