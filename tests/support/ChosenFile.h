// Answers to the program's file dialogs in Qt tests.
#pragma once

#include <QFileDialog>
#include <QString>
#include <functional>

#include "FileDialogRun.h"

// Answers the file dialogs run while it lives as a user who picks path
// (absolute, or relative to the dialog's folder) and presses the accept
// button: the dialog's own accept decides. The dialog is never shown, so the
// name reaches its name box whatever has the keyboard focus. Before the pick,
// look (when given) sees the dialog as the program set it up and may change
// it as the user would (another file type).
class ChosenFile {
 public:
  explicit ChosenFile(QString path, std::function<void(QFileDialog&)> look = nullptr)
      : scoped_([this, path, look](QFileDialog& dialog) {
          ++asked;
          if (look) look(dialog);
          dialog.selectFile(path);
          static_cast<QDialog&>(dialog).accept();  // the accept button
        }) {}
  int asked = 0;  // the file dialogs answered

 private:
  fw::ScopedFileDialogAnswerer scoped_;
};
