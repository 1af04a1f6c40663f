// The program korvane.
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QMainWindow>
#include <QSocketNotifier>
#include <csignal>

#include "QtPorts.h"

namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminate(int) {
  char c = 1;
  [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

// A termination request (logout, kill) closes the windows the normal way, so
// that nothing is left half written.
void CloseOnTerminate(QApplication& app) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
    char c;
    [[maybe_unused]] ssize_t n = ::read(g_signalPipe[0], &c, 1);
    QApplication::closeAllWindows();
    QApplication::quit();
  });
  std::signal(SIGTERM, OnTerminate);
  std::signal(SIGINT, OnTerminate);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  fw::QtPortSet ports;
  CloseOnTerminate(app);

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Korvane"));
  window.resize(900, 640);
  window.show();
  return app.exec();
}
