#pragma once
// The program file's version text and the system family.

namespace plat {

// Empties the buffer when a size is given; when the file carries a version and
// the buffer holds at least 16 characters, writes "%d.%d.%d.%d" into it.
// Returns the text's length. Only the program's own file carries a version
// (the build's); other files answer an empty text and 0.
int GetFileVersion(const char* path, char* buffer, int size);

// GetFileVersion of the program's own file.
int GetProgramVersion(char* buffer, int size);

// 1: the program behaves as on the NT family (no 64 KB limits of the older one).
int IsWindowsNT();

}  // namespace plat
