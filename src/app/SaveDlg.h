#pragma once
// The program's Save As dialog: appends the selected filter entry's
// extension to a typed name, refuses the files that are open and asks before
// replacing a file (the rules are CSaveNameRules).

#include <QFileDialog>
#include <string>
#include <vector>

#include "SaveName.h"

class CSaveDlg : public QFileDialog {
  Q_OBJECT

 public:
  // flags: the kOfn... values of SaveName.h. A fileName that is a pattern
  // ("*.bak") leaves the name empty.
  CSaveDlg(const std::string& defaultExt, const std::string& fileName, unsigned flags,
           const std::string& filter, QWidget* parent);

  void SetTitle(const std::string& title);
  void SetFolder(const std::string& folder);
  void SetForbiddenPaths(std::vector<std::string> paths);
  // The OK button's text; empty keeps the dialog's own.
  void SetOkButtonText(const std::string& text);

  // fw::kIdOk with the accepted name in GetPathName, or fw::kIdCancel.
  int DoModal();
  std::string GetPathName() const { return pathName_; }

  // OK: a folder is entered; a name is accepted only when the rules pass.
  void accept() override;

 private:
  CSaveNameRules rules_;
  unsigned flags_;
  std::string pathName_;
};
