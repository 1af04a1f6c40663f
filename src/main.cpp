// The program korvane.
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>

#include "AddOnCommands.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MediaPlayer.h"
#include "ProgramCommands.h"
#include "QtPorts.h"
#include "StartupLogic.h"

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
  RegisterProgramCommands(korApp);
  // The arguments as one command-line text, as start-up reads it.
  std::vector<std::string> args;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i)
    args.push_back(QFile::encodeName(arguments[i]).toStdString());
  if (!korApp.InitInstance(shell::JoinCommandLine(args))) {
    korApp.ExitInstance();
    return korApp.ExitCode();
  }

  RegisterAddOnCommands(korApp);
  CMainFrame& frame = *korApp.GetMainFrame();
  // The end of a sound or video clip stops playback, as the device's
  // notification to the main window does.
  frame.SetMediaStopHandler([] { plat::StopMediaPlayback(); });
  if (auto* player = fw::QtMediaPlayer::Installed())
    QObject::connect(player, &fw::QtMediaPlayer::clipEnded, &frame,
                     [&frame] { frame.OnMciNotify(); });
  int result = app.exec();
  int exit = korApp.ExitInstance();
  return result != 0 ? result : exit;
}
