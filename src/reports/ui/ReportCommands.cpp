#include "ReportCommands.h"

#include <QAction>
#include <memory>

#include "CommandIds.h"
#include "FamilyDatabase.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "ReportKinds.h"
#include "ReportPrinting.h"

void RegisterReportCommands(CKorApp& app) {
  if (!rpt::AnyReportKindAvailable()) return;
  CKorApp* owner = &app;
  auto printing = std::make_shared<std::unique_ptr<CReportPrinting>>();
  auto get = [owner, printing]() -> CReportPrinting& {
    if (!*printing) {
      auto made = std::make_unique<CReportPrinting>(owner->GetMainFrame());
      made->onTitle = [owner](const std::string& title) {
        if (CMainFrame* frame = owner->GetMainFrame())
          frame->setWindowTitle(QString::fromStdString(title));
      };
      made->familyTitle = [] {
        return CurrentDatabase ? CurrentDatabase->GetFamilyName() : std::string();
      };
      made->reopenSheet = [owner] {
        if (CMainFrame* frame = owner->GetMainFrame())
          if (QAction* reports = frame->CommandAction(shell::kIdFilePrintReports))
            reports->trigger();
      };
      *printing = std::move(made);
    }
    return **printing;
  };
  app.SetToolCommand(
      shell::kIdFilePrint, [get] { get().Print(); }, true);
  app.SetToolCommand(
      shell::kIdFilePrintPreview, [get] { get().Preview(); }, true);
}
