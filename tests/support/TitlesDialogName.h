// The person's name the sheet's Titles dialog shows, read by pressing the
// sheet's Titles button and closing the dialog at once.
#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "ChartOptionDialogs.h"
#include "ReportsPropSheet.h"

inline std::string TitlesDialogName(CReportsPropSheet& sheet) {
  std::string shown;
  QTimer::singleShot(0, [&shown] {
    if (auto* title = qobject_cast<CReportTitleDialog*>(QApplication::activeModalWidget())) {
      shown = title->personName;
      title->reject();
    }
  });
  auto* titles = sheet.Control<QPushButton>(CReportsPropSheet::kIdcTitles);
  if (titles == nullptr) qFatal("the sheet has no Titles button");
  titles->click();
  return shown;
}
