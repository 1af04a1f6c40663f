#pragma once
// File > Check/Repair: the choice between a check and a check with repair,
// the report file's name, and the run under the Check/Repair window.

#include <string>

class QWidget;
namespace shell {
class FileDialogs;
}

// The choice's buttons, by their control ids.
inline constexpr int kIdcCheckOnly = 1;
inline constexpr int kIdcCheckAndRepair = 1480;

// Checks the open family file at path, or another family file chosen with
// Browse: asks Check or Check/Repair and where the report goes, then runs.
// Another file is opened only for the run and closed again; the open file
// stays open as it was. Browse asks through files (null: the Open Family
// File dialog). 1 when a run completed, 0 otherwise. With open false, path
// is a file that is not open: it is checked as another file.
int RunCheckRepairCommand(const std::string& path, QWidget* parent,
                          shell::FileDialogs* files = nullptr, bool open = true);

// With no family file open: asks for the file to check, then checks it as
// another file (opened for the run only, after the choice, so that a check
// of a damaged file writes nothing and asks nothing at its open).
void CheckUnopenedFamilyFile(const std::string& folder, QWidget* parent);
