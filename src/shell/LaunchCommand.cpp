#include "LaunchCommand.h"

namespace shell {

std::optional<LaunchCommand> SplitLaunchCommandLine(const std::string& commandLine) {
  const std::string line = commandLine.substr(0, kMaxLaunchCommandLine);
  LaunchCommand command;
  if (!line.empty() && line.front() == '"') {
    const std::size_t close = line.find('"', 1);
    if (close == std::string::npos) {
      command.program = line.substr(1);
    } else {
      command.program = line.substr(1, close - 1);
      command.parameters = line.substr(close + 1);
    }
  } else {
    const std::size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    const std::size_t end = line.find_first_of(" \t", begin);
    if (end == std::string::npos) {
      command.program = line.substr(begin);
    } else {
      command.program = line.substr(begin, end - begin);
      command.parameters = line.substr(end + 1);
    }
  }
  if (command.program.empty()) return std::nullopt;
  return command;
}

}  // namespace shell
