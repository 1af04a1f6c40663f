#include "ProgramCommands.h"

#include <QApplication>

#include "AddCommands.h"
#include "BookRegistration.h"
#include "ChartKinds.h"
#include "CustomPage.h"
#include "EditCommands.h"
#include "FamilyGroupRegistration.h"
#include "FamilyOrdinanceSummary.h"
#include "GedcomCommands.h"
#include "KinshipCommands.h"
#include "KorApp.h"
#include "ListCommands.h"
#include "ListPages.h"
#include "ListRegistration.h"
#include "MergeCommands.h"
#include "MultimediaCommands.h"
#include "NotesCommands.h"
#include "PaginatorDialog.h"
#include "PedigreeRegistration.h"
#include "ReportCommands.h"
#include "ReportSheetCommands.h"
#include "ScrapbookCalendarReports.h"
#include "SmallRecordDialogs.h"
#include "SummaryReports.h"
#include "WebCommands.h"

namespace {

// The kinds after the Custom report's, in the order the sheet lists them.
void RegisterMoreReportKinds() {
  rpt::RegisterScrapbookAndCalendar();
  rpt::RegisterBookReports();
  rpt::RegisterSummaryReports();
  // The Family Ordinance Summary of an individual with several marriages
  // asks which one to show.
  rpt::SetFosMarriageChooser([](std::int32_t rin) -> std::int32_t {
    editui::CMarriagesForDialog dialog(QApplication::activeWindow(), rin);
    dialog.selectionOnly = true;
    return dialog.exec() != 0 ? dialog.result : 0;
  });
  rpt::RegisterAncestryDescendantsCharts();
  rpt::RegisterFamilyGroupRecord();
  rpt::RegisterPedigreeChart();
  rpt::RegisterMoreListReports();
}

}  // namespace

void RegisterProgramCommands(CKorApp& app) {
  static bool once = false;
  const bool first = !once;
  once = true;
  RegisterKinshipCommands(app);
  RegisterEditCommands(app);
  RegisterAddCommands(app);
  RegisterMultimediaCommands(app);
  RegisterNotesCommands(app);
  RegisterListCommands(app);
  RegisterMergeCommands(app);
  if (first) rpt::RegisterListReports();
  rptui::RegisterCustomReportScreens(app);
  if (first) RegisterMoreReportKinds();
  // The print commands are offered once a report kind can run.
  RegisterReportCommands(app);
  RegisterReportSheetCommands(app);
  RegisterWebCommands(app);
  if (first) {
    gedcomui::RegisterGedcomScreens();
    rptui::RegisterPaginatorWindow();
  }
}
