#pragma once
// Starts an outside program from a stored command line (an add-on or a
// companion program) in a start folder, on its own: no shell is involved,
// and the program runs on after the call returns.

#include <string>

// -1 for a command line without a program, 0 when the program was started,
// else 2 (the program could not be started).
int LaunchCommandLine(const std::string& commandLine, const std::string& startFolder);
