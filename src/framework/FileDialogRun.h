#pragma once
// Every file dialog of the program runs through RunFileDialog. A test puts an
// answerer in its place: the answerer gets the dialog as the program set it
// up, never shown, and answers as the user would (chooses a file, accepts or
// rejects), so that the answer depends on no window focus or timing.

#include <functional>

class QFileDialog;

namespace fw {

using FileDialogAnswerer = std::function<void(QFileDialog&)>;

// Runs the dialog modally and gives its result (QDialog::Accepted or
// QDialog::Rejected); with an answerer in place, what the answerer left.
int RunFileDialog(QFileDialog& dialog);

// Puts answer in place of the user for the file dialogs run while it lives.
class ScopedFileDialogAnswerer {
 public:
  explicit ScopedFileDialogAnswerer(FileDialogAnswerer answer);
  ~ScopedFileDialogAnswerer();
  ScopedFileDialogAnswerer(const ScopedFileDialogAnswerer&) = delete;
  ScopedFileDialogAnswerer& operator=(const ScopedFileDialogAnswerer&) = delete;

 private:
  FileDialogAnswerer previous_;
};

}  // namespace fw
