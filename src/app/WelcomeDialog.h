#pragma once
// The welcome dialog of start-up, shown when no family file is open: search
// the computer for family files, open one, create a new one, and the switch
// for ZEL data on screens and reports.

#include <string>

#include "DialogBase.h"

class CAppOptions;

class CWelcomeDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 330;  // the dialog's template number
  // Control ids; Open and New are also the dialog's results.
  static constexpr int kIdcTitle = 1478;
  static constexpr int kIdcSearch = 1477;
  static constexpr int kIdcOpen = 1475;
  static constexpr int kIdcNew = 1476;
  static constexpr int kIdcUseZel = 1104;

  // The check box shows and sets options.showZel and options.showZelRpt.
  CWelcomeDialog(CAppOptions& options, QWidget* parent);

  // 1 after a search that chose a file (GetChosenPath), kIdcOpen, kIdcNew, or
  // fw::kIdCancel.
  int DoModal() { return exec(); }
  std::string GetChosenPath() const { return chosenPath_; }

 protected:
  void OnInitDialog() override;

 private:
  void OnSearch();
  void OnUseZel(bool checked);

  CAppOptions& options_;
  std::string chosenPath_;
};
