// The program korvane.
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <csignal>

#include "FramePlacement.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MediaPlayer.h"
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

  CKorApp korApp;
  korApp.m_options.Load();
  CMainFrame frame(&korApp);
  // The end of a sound or video clip stops playback, as the device's
  // notification to the main window does.
  frame.SetMediaStopHandler([] { plat::StopMediaPlayback(); });
  if (auto* player = fw::QtMediaPlayer::Installed())
    QObject::connect(player, &fw::QtMediaPlayer::clipEnded, &frame,
                     [&frame] { frame.OnMciNotify(); });
  // Placed where it was closed last: maximised unless a normal placement
  // was stored.
  QSize screen = QApplication::primaryScreen()->size();
  shell::StartPlacement place =
      shell::ReadStartPlacement(plat::Profile(), screen.width(), screen.height());
  if (place.maximized) {
    frame.showMaximized();
  } else {
    frame.move(place.rect.x, place.rect.y);
    frame.resize(place.rect.cx, place.rect.cy);
    frame.show();
  }
  return app.exec();
}
