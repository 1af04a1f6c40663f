#pragma once
// How a stored command line of an add-on or companion program splits into
// the program to start and the parameters it gets.

#include <optional>
#include <string>

namespace shell {

struct LaunchCommand {
  std::string program;
  std::string parameters;  // the text after the program name, as written
};

// The longest command line taken; the rest is cut.
inline constexpr std::size_t kMaxLaunchCommandLine = 519;

// A command line that begins with a double quote names the program up to
// the next double quote (to the end without one); otherwise the program
// name runs from the first character that is not a blank or tab to the next
// blank or tab. Nothing for a command line without a program name.
std::optional<LaunchCommand> SplitLaunchCommandLine(const std::string& commandLine);

}  // namespace shell
