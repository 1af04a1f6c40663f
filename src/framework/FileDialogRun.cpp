#include "FileDialogRun.h"

#include <QFileDialog>
#include <utility>

namespace fw {
namespace {

FileDialogAnswerer& Answerer() {
  static FileDialogAnswerer answerer;
  return answerer;
}

}  // namespace

int RunFileDialog(QFileDialog& dialog) {
  if (!Answerer()) return dialog.exec();
  dialog.setResult(QDialog::Rejected);
  // A copy: the answerer may run a file dialog of its own.
  const FileDialogAnswerer answer = Answerer();
  answer(dialog);
  return dialog.result();
}

ScopedFileDialogAnswerer::ScopedFileDialogAnswerer(FileDialogAnswerer answer)
    : previous_(std::exchange(Answerer(), std::move(answer))) {}

ScopedFileDialogAnswerer::~ScopedFileDialogAnswerer() { Answerer() = std::move(previous_); }

}  // namespace fw
