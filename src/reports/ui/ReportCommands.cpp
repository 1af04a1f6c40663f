#include "ReportCommands.h"

#include <QAction>
#include <algorithm>
#include <memory>

#include "CommandIds.h"
#include "FamilyDatabase.h"
#include "FilterSet.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "MainFrame.h"
#include "QtPorts.h"
#include "ReportKinds.h"
#include "ReportPrinting.h"

namespace {

using PrintingHolder = std::unique_ptr<CReportPrinting>;

// The holder that the print commands own (so the printing goes with the
// application); the report sheet reaches it here.
std::weak_ptr<PrintingHolder> currentHolder;

std::unique_ptr<CReportPrinting> MakePrinting(CKorApp* owner) {
  auto made = std::make_unique<CReportPrinting>(owner->GetMainFrame());
  // The report's title goes to the document, as its family name comes back
  // afterwards: the frame keeps its own title before the document's.
  made->onTitle = [owner](const QString& title) {
    if (CKorDoc* document = owner->GetCurrentDocument()) document->SetTitle(title);
  };
  made->familyTitle = [] {
    return CurrentDatabase ? CurrentDatabase->GetFamilyName() : std::string();
  };
  // The event calendar runs over the document's filter set.
  made->calendarSelection = [owner] {
    const CKorDoc* document = owner->GetCurrentDocument();
    if (document == nullptr || !document->m_filterSet) return 0;
    return std::max(0, document->m_filterSet->GetCount(CFilterSet::kCombinedSet));
  };
  made->reopenSheet = [owner] {
    if (CMainFrame* frame = owner->GetMainFrame())
      if (QAction* reports = frame->CommandAction(shell::kIdFilePrintReports)) reports->trigger();
  };
  return made;
}

}  // namespace

CReportPrinting* ReportPrintingOf(CKorApp& app) {
  const std::shared_ptr<PrintingHolder> holder = currentHolder.lock();
  if (!holder) return nullptr;
  if (!*holder) *holder = MakePrinting(&app);
  return holder->get();
}

void RegisterReportCommands(CKorApp& app) {
  if (!rpt::AnyReportKindAvailable()) return;
  CKorApp* owner = &app;
  auto printing = std::make_shared<PrintingHolder>();
  currentHolder = printing;
  auto get = [owner, printing]() -> CReportPrinting& {
    if (!*printing) *printing = MakePrinting(owner);
    return **printing;
  };
  app.SetToolCommand(
      shell::kIdFilePrint, [get] { get().Print(); }, true);
  app.SetToolCommand(
      shell::kIdFilePrintPreview, [get] { get().Preview(); }, true);
}
