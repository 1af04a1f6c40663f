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
// File dialog). 1 when a run completed, 0 otherwise.
int RunCheckRepairCommand(const std::string& path, QWidget* parent,
                          shell::FileDialogs* files = nullptr);

// With no family file open: asks for the file to check, opens it for the
// run and closes it again.
void CheckUnopenedFamilyFile(const std::string& folder, QWidget* parent);
