#pragma once
// CReportPrintDialog: the print dialog of generator reports. The printer is
// the one chosen for the run, so its list is disabled and its properties
// are not offered; printing to a file is offered only when allowed.

#include <QPrintDialog>

class CReportPrintDialog : public QPrintDialog {
  Q_OBJECT

 public:
  CReportPrintDialog(QPrinter* printer, int maxPage, bool hidePrintToFile,
                     QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};
