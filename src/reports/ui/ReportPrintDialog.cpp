#include "ReportPrintDialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QScreen>

CReportPrintDialog::CReportPrintDialog(QPrinter* printer, int maxPage, bool hidePrintToFile,
                                       QWidget* parent)
    : QPrintDialog(printer, parent) {
  setOption(QAbstractPrintDialog::PrintSelection, false);
  setOption(QAbstractPrintDialog::PrintPageRange, true);
  setOption(QAbstractPrintDialog::PrintToFile, !hidePrintToFile);
  setMinMax(1, maxPage);
}

void CReportPrintDialog::showEvent(QShowEvent* event) {
  QPrintDialog::showEvent(event);
  // Qt's own dialog names its printer list and Properties button.
  if (auto* printers = findChild<QComboBox*>("printers")) printers->setEnabled(false);
  if (auto* properties = findChild<QPushButton*>("properties")) properties->hide();
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}
