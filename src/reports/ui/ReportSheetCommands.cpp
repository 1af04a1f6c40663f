#include "ReportSheetCommands.h"

#include <QAction>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>

#include "AncDescPages.h"
#include "CommandIds.h"
#include "FilterSet.h"
#include "FindRecordDialog.h"
#include "IndividualListDialog.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "ListCommands.h"
#include "ListsPage.h"
#include "MainFrame.h"
#include "PersonReportPages.h"
#include "Ports.h"
#include "ReportCommands.h"
#include "ReportPrinting.h"
#include "ReportSheetPages.h"
#include "ReportsPropSheet.h"
#include "ScrapbookCalendarReports.h"
#include "SmallRecordDialogs.h"
#include "StartupLogic.h"
#include "StringIds.h"
#include "StringTable.h"
#include "SummaryReports.h"

namespace {

// The active main view as the sheet's target: its current person and
// marriage, and the report set-up of the views' printing.
class AppSheetTarget : public rpt::ReportSheetTarget {
 public:
  explicit AppSheetTarget(CKorApp& app) : app_(app) {}
  int ViewKind() const override { return app_.m_currentViewType; }
  std::int32_t CurrentRin() override { return app_.ActiveViewRin(); }
  std::int32_t CurrentMrin() override { return app_.ActiveViewMrin(); }
  void SetRtfOutput(bool toFile) override {
    if (CReportPrinting* printing = ReportPrintingOf(app_))
      printing->View().Setup().AttachRtfOutput(toFile);
  }
  void SetReportKind(int kind) override {
    if (CReportPrinting* printing = ReportPrintingOf(app_))
      printing->View().Setup().SetReportKind(kind);
  }
  void PostCommand(unsigned id) override {
    CMainFrame* frame = app_.GetMainFrame();
    if (frame == nullptr) return;
    QTimer::singleShot(0, frame, [frame, id] {
      if (QAction* action = frame->CommandAction(id)) action->trigger();
    });
  }

 private:
  CKorApp& app_;
};

// The document's filter set: the chosen individuals of the reports that
// print a set.
const CFilterSet* DocumentFilter(CKorApp& app) {
  const CKorDoc* document = app.GetCurrentDocument();
  return document != nullptr ? document->m_filterSet.get() : nullptr;
}

const CBitSet* DocumentChosenSet(CKorApp& app) {
  const CFilterSet* filter = DocumentFilter(app);
  return filter != nullptr ? filter->GetBitSet(CFilterSet::kCombinedSet) : nullptr;
}

// The Family Group marriages list typed in the sheet, for the whole run.
std::string& MarriagesListText() {
  static std::string text;
  return text;
}

void ShowSheet(CKorApp& app, QPrinter& fallbackPrinter) {
  for (;;) {
    AppSheetTarget target(app);
    QWidget* frame = app.GetMainFrame();
    CReportsPropSheet::Environment env;
    env.options = &app.m_options;
    env.extendedCharts = app.m_extendedCharts;
    env.languageUi = shell::GetLanguageUI(plat::Profile());
    CReportPrinting* printing = ReportPrintingOf(app);
    env.printer = printing != nullptr ? &printing->Printer() : &fallbackPrinter;
    env.saveOptions = [&app] { app.m_options.Save(); };
    env.findPerson = [frame](std::int32_t current, const std::string& hint) -> std::int32_t {
      CFindRecordDialog find(frame);
      find.find.marriageAllowed = false;
      find.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
      find.find.number = current > 0 ? current : 1;
      find.find.searchText = hint;
      return find.exec() == fw::kIdOk ? find.find.number : 0;
    };
    env.findMarriage = [frame](std::int32_t current, const std::string& hint) -> std::int32_t {
      CFindRecordDialog find(frame);
      find.find.marriageMode = true;
      find.find.number = current > 0 ? current : 1;
      find.find.searchText = hint;
      if (find.exec() != fw::kIdOk || !find.find.marriageMode) return 0;
      return find.find.number;
    };
    env.chooseMarriage = [frame](std::int32_t rin) -> std::int32_t {
      editui::CMarriagesForDialog dialog(frame, rin);
      dialog.selectionOnly = true;
      return dialog.exec() == fw::kIdOk ? dialog.result : 0;
    };
    env.filterSummary = [&app] {
      rpt::FilterSummary summary;
      if (const CFilterSet* filter = DocumentFilter(app)) {
        summary.present = true;
        summary.name = filter->name;
        summary.count = std::max(0, filter->GetCount(CFilterSet::kCombinedSet));
      }
      return summary;
    };
    env.selectIndividuals = [&app, frame](std::int32_t startRin) {
      SelectIndividuals(app, frame, startRin, false);
      return true;
    };
    env.marriagesList = &MarriagesListText();
    env.browseMarriage = [frame](std::int32_t low, std::int32_t high) -> std::int32_t {
      CMarriageSearchListDialog dialog(frame);
      dialog.lowestMrin = low;
      dialog.highestMrin = high;
      dialog.startMrin = low;
      dialog.titleWord = res::LoadString(res::kIdsMarriage);
      return dialog.exec() == fw::kIdOk ? dialog.chosenMrin : 0;
    };
    {
      CReportsPropSheet sheet(target, std::move(env), rpt::NextReportSheetPage(), frame);
      sheet.exec();
    }
    if (rpt::CurrentReportRunState().printState != 6) return;
  }
}

}  // namespace

void RegisterReportSheetCommands(CKorApp& app) {
  RegisterPedigreeAndFamilyGroupPages();
  RegisterAncestryAndDescendantsPages();
  RegisterPersonReportPages();
  RegisterListsPage();
  CKorApp* owner = &app;
  rpt::SetSummaryListSetSource([owner] { return DocumentChosenSet(*owner); });
  rpt::SetScrapbookCalendarSetSource([owner] { return DocumentChosenSet(*owner); });
  auto printer = std::make_shared<std::unique_ptr<QPrinter>>();
  app.SetToolCommand(
      shell::kIdFilePrintReports,
      [owner, printer] {
        if (!*printer) *printer = std::make_unique<QPrinter>();
        ShowSheet(*owner, **printer);
      },
      true);
}
