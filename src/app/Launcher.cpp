#include "Launcher.h"

#include <QProcess>
#include <QString>

#include "LaunchCommand.h"

int LaunchCommandLine(const std::string& commandLine, const std::string& startFolder) {
  const auto command = shell::SplitLaunchCommandLine(commandLine);
  if (!command) return -1;
  // The parameters split as a command line does: blanks separate, double
  // quotes hold a parameter with blanks together.
  const QStringList arguments =
      QProcess::splitCommand(QString::fromStdString(command->parameters).trimmed());
  const bool started = QProcess::startDetached(QString::fromStdString(command->program), arguments,
                                               QString::fromStdString(startFolder));
  return started ? 0 : 2;
}
