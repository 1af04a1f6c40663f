#include "TerminationWatch.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>

namespace fw {
namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminate(int) {
  char c = 1;
  [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

}  // namespace

TerminationWatch::TerminationWatch(QApplication& app) : QObject(&app) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char c;
    [[maybe_unused]] ssize_t n = ::read(g_signalPipe[0], &c, 1);
    OnRequest();
  });
  previousTerm_ = std::signal(SIGTERM, OnTerminate);
  previousInt_ = std::signal(SIGINT, OnTerminate);
  installed_ = true;
}

TerminationWatch::~TerminationWatch() {
  if (!installed_) return;
  std::signal(SIGTERM, previousTerm_);
  std::signal(SIGINT, previousInt_);
  ::close(g_signalPipe[0]);
  ::close(g_signalPipe[1]);
  g_signalPipe[0] = g_signalPipe[1] = -1;
}

void TerminationWatch::OnRequest() {
  if (!requested_) {
    requested_ = true;
    // Start-up goes on after its box is gone: the dialogs it shows from now
    // on are cancelled as soon as they show.
    qApp->installEventFilter(this);
  }
  // Cancelling a dialog ends its own loop, a message box without a Cancel
  // button too (which ignores a close); the other windows close the normal
  // way. Quitting ends the main loop when it runs, and Exec does not start it
  // when it does not.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
      dialog->reject();
  QApplication::closeAllWindows();
  QApplication::quit();
}

bool TerminationWatch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show)
    if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
      // Once its exec runs its loop.
      QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
  return QObject::eventFilter(watched, event);
}

int TerminationWatch::Exec() {
  if (requested_) return 0;
  return QApplication::exec();
}

}  // namespace fw
