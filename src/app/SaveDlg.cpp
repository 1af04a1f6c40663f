#include "SaveDlg.h"

#include <QFileInfo>

#include "DialogBase.h"
#include "FileDialogRun.h"
#include "QtPorts.h"
#include "TemplateFileDialog.h"

CSaveDlg::CSaveDlg(const std::string& defaultExt, const std::string& fileName, unsigned flags,
                   const std::string& filter, QWidget* parent)
    : QFileDialog(parent), rules_(defaultExt, filter), flags_(flags | kOfnHideReadOnly) {
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  // The replace question is the program's own.
  setOption(QFileDialog::DontConfirmOverwrite, true);
  SetUpFileDialog(*this, rules_.Entries(), "", fileName);
  setSizeGripEnabled(true);
}

void CSaveDlg::SetTitle(const std::string& title) { setWindowTitle(fw::ToQString(title)); }

void CSaveDlg::SetFolder(const std::string& folder) {
  if (folder.empty()) return;
  setDirectory(fw::ToQPath(folder));
  rules_.folder = folder;
}

void CSaveDlg::SetForbiddenPaths(std::vector<std::string> paths) {
  rules_.forbiddenPaths = std::move(paths);
}

void CSaveDlg::SetOkButtonText(const std::string& text) {
  if (!text.empty()) setLabelText(QFileDialog::Accept, fw::ToQString(text));
}

int CSaveDlg::DoModal() {
  return fw::RunFileDialog(*this) == QDialog::Accepted ? fw::kIdOk : fw::kIdCancel;
}

void CSaveDlg::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return;
  if (QFileInfo(files.first()).isDir()) {
    QFileDialog::accept();  // goes into the folder
    return;
  }
  std::string chosen;
  if (!rules_.Accept(fw::FromQPath(files.first()), SelectedFilterEntry(*this),
                     (flags_ & kOfnPathMustExist) != 0, chosen))
    return;
  pathName_ = chosen;
  QDialog::accept();
}
