// The program korvane.
#include <QApplication>
#include <QFile>

#include "AddOnCommands.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MediaPlayer.h"
#include "PlainText.h"
#include "ProgramCommands.h"
#include "QtPorts.h"
#include "StartupLogic.h"
#include "TerminationWatch.h"
#include "WindowTitles.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  fw::QtPortSet ports;
  fw::TerminationWatch termination(app);
  fw::ShowLabelsAsPlainText(app);
  fw::KeepWindowTitlesWhole(app);

  CKorApp korApp;
  RegisterProgramCommands(korApp);
  // The arguments as one command-line text, as start-up reads it.
  std::vector<std::string> args;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i)
    args.push_back(QFile::encodeName(arguments[i]).toStdString());
  if (!korApp.InitInstance(shell::JoinCommandLine(args)) || termination.Requested()) {
    // Asked to end during start-up: a family file it opened closes the
    // normal way with the main window.
    if (CMainFrame* frame = korApp.GetMainFrame()) frame->close();
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
  int result = termination.Exec();
  int exit = korApp.ExitInstance();
  return result != 0 ? result : exit;
}
