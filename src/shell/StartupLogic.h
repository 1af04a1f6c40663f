#pragma once
// What start-up decides before any window exists: the command line, the
// interface language stored in the options, the file to open, the clock test
// and the Enter-key preference.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Ports.h"

namespace shell {

// The command line as start-up reads it.
struct CommandLine {
  bool languageGiven = false;   // "-l" was given
  std::string language;         // its code: up to two characters, blanks included
  bool splash = true;           // false after "-s" or a quoted file name
  bool extendedCharts = false;  // "-v"
  bool fileGiven = false;       // a file name was given, possibly empty
  std::string fileName;         // the last file name given
};

// Scans the command-line text once from left to right: blanks (only ' ')
// between tokens are skipped; "-l" takes the next two characters as the
// language code (as many as there are at the end), "-s" drops the splash
// window, "-v" sets the extended charts, any other option is ignored, and
// the scan goes on at the next blank after an option. A token in double
// quotes is a file name up to the next quote (and drops the splash window);
// any other token is a file name up to the next blank. The last file name
// counts; trailing blanks give an empty one.
CommandLine ParseCommandLine(std::string_view text);

// The arguments after the program name as one command-line text: each joined
// by a blank, an argument that holds a blank or is empty in double quotes.
std::string JoinCommandLine(const std::vector<std::string>& args);

// A file named on the command line is relative to the folder the program was
// started in: a relative name is made absolute against startFolder (with "."
// and ".." steps taken); an absolute or empty one stays as given.
void ResolveCommandLineFile(CommandLine& commandLine, const std::string& startFolder);
// The command line a second start hands over to the running program: the
// file it names (absolute after ResolveCommandLineFile), else nothing.
std::string HandOverLine(const CommandLine& commandLine);

// "Options"/"LanguageUI" upper-cased, "EN" when missing or empty.
std::string GetLanguageUI(plat::ProfilePort& profile);
void SetLanguageUI(plat::ProfilePort& profile, const std::string& code);

// "Start Up"/"FamilyFile", "" when missing.
std::string GetStartupFamilyFile(plat::ProfilePort& profile);
// The file start-up opens: the command line's when one was given (even an
// empty one), else the remembered one.
std::string ChooseStartupFile(const CommandLine& commandLine, plat::ProfilePort& profile);

// Time stamps are kept as unsigned 32-bit seconds since 1970, which reach
// into February 2106: the last whole year the program runs in.
inline constexpr int kLastClockYear = 2105;

struct ClockCheck {
  bool warnEarly = false;  // the clock is earlier than the program file's time
  bool expired = false;    // the year is after kLastClockYear: the program ends
};
// The clock test of start-up: now against the program file's last-write
// time (none when the program file was not found: nothing to report).
ClockCheck CheckClock(std::time_t now, std::optional<std::time_t> programFileTime);

// Whether the Enter key moves to the next field in editing screens: -1
// undecided, 0 no, 1 yes, kept in "Start Up"/"ReturnAsTab".
class ReturnAsTab {
 public:
  void Load(plat::ProfilePort& profile);
  // Asks while undecided (Yes stores 1, No 0, Cancel asks again next time);
  // true when the answer is yes.
  bool IsReturnAsTab(plat::ProfilePort& profile);
  int State() const { return state_; }

 private:
  int state_ = -1;
};

}  // namespace shell
