#pragma once
// The program's file dialogs on Qt's own (non-native) file dialog, so that a
// panel of the program's can stand beside the file list. Filters come in the
// program's form ("Text|pattern|...||").
//
// CTemplateFileDialog is the open-mode base with such a panel: on every
// change of the selection it asks the derived dialog to describe a selected
// regular file and shows the panel state it answers (1, "unavailable", for
// anything else).

#include <QFileDialog>
#include <string>
#include <vector>

#include "SaveName.h"

// Sets up dialog as the program's file dialogs are: Qt's own dialog, the
// filter entries as name filters, the starting folder (when not empty) and
// the starting file name (unless it is a pattern).
void SetUpFileDialog(QFileDialog& dialog, const std::vector<FileFilterEntry>& filter,
                     const std::string& folder, const std::string& fileName);
// The 0-based entry of the selected name filter (-1 when none is selected).
int SelectedFilterEntry(const QFileDialog& dialog);
// Registers a control of a panel under its id, as fw::CDialogBase does.
void SetControlId(QWidget* control, int id);

class CTemplateFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  // Panel states every derived dialog knows; a derived one may add its own.
  static constexpr int kStateUnavailable = 1;

  CTemplateFileDialog(int panelTemplateId, const std::string& defaultExt,
                      const std::string& fileName, unsigned flags, const std::string& filter,
                      QWidget* parent);

  void SetTitle(const std::string& title);
  void SetFolder(const std::string& folder);
  // The OK button's text; empty keeps the dialog's own.
  void SetOkButtonText(const std::string& text);

  int PanelTemplateId() const { return panelTemplateId_; }
  int PanelState() const { return panelState_; }

  // Describes the selection and shows the panel state for path (what a
  // change of the selection does).
  void SelectionChanged(const QString& path);

 protected:
  // Places the panel to the right of the file list.
  void SetPanel(QWidget* panel);
  // The panel state for a selected regular file.
  virtual int DescribeFile(const std::string& path) = 0;
  virtual void ShowPanelState(int state) = 0;

  void showEvent(QShowEvent* event) override;

 private:
  void SetPanelState(int state);

  int panelTemplateId_;
  int panelState_ = kStateUnavailable;
  bool initialised_ = false;
};
