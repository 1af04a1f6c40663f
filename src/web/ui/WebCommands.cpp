#include "WebCommands.h"

#include <QStandardPaths>
#include <filesystem>

#include <algorithm>

#include "AppOptions.h"
#include "AppScreens.h"
#include "CalendarMonth.h"
#include "CommandIds.h"
#include "FileSystem.h"
#include "FilterSet.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "MainFrame.h"
#include "Ports.h"
#include "WebWizardDialogs.h"

namespace {

// The wizard's view of the application and the open document.
WebWizardContext MakeContext(CKorApp& app) {
  WebWizardContext c;
  c.startRin = app.ActiveViewRin();
  c.showZel = app.m_options.showZel != 0;
  c.capSurname = app.m_options.capSurname != 0;
  c.familyPath = app.m_openFilePath;
  c.familyFolder = std::filesystem::path(app.m_openFilePath).parent_path().string();
  GetWebFolder(c.webFolder);
  c.dataFolder = plat::Profile().GetPath("Folders", "Data", "");
  c.documentsFolder =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  c.programWebFolder = (std::filesystem::path(plat::ProgramPath()).parent_path() / "web").string();
  FormatToday(c.today);
  if (CKorDoc* doc = app.GetCurrentDocument()) {
    const CFamilyFileInfo& info = doc->m_fileInfo;
    c.preparer = {info.GetPreparerName(), info.address1, info.address2,
                  info.address3,          info.phone,    info.email};
    if (doc->m_filterSet) {
      const CFilterSet& set = *doc->m_filterSet;
      c.hasFilterSet = true;
      c.filterName = set.name;
      if (set.HasSet(CFilterSet::kCombinedSet)) {
        const int highest = set.GetMaxIndex(CFilterSet::kCombinedSet);
        c.selection.assign(static_cast<std::size_t>(std::max(highest, 0)) + 1, false);
        for (int rin = 1; rin <= highest; ++rin)
          c.selection[static_cast<std::size_t>(rin)] =
              set.IsInSet(CFilterSet::kCombinedSet, rin) == 1;
      }
    }
  }
  CKorApp* owner = &app;
  c.checkEditPassword = [owner] { return owner->CheckEditPassword() == 1; };
  c.showPreferences = [owner](int page) { owner->ShowPreferences(page); };
  c.selectIndividuals = [owner](QWidget* parent, WebWizardContext& context) {
    if (!AppScreens().selectIndividuals) return;
    AppScreens().selectIndividuals(parent, context.startRin, false);
    WebWizardContext fresh = MakeContext(*owner);
    context.hasFilterSet = fresh.hasFilterSet;
    context.filterName = fresh.filterName;
    context.selection = fresh.selection;
  };
  return c;
}

}  // namespace

void RegisterWebCommands(CKorApp& app) {
  CKorApp* owner = &app;
  app.SetToolCommand(
      shell::kIdToolsWebPage,
      [owner] {
        WebWizardContext context = MakeContext(*owner);
        RunCreateWebPage(owner->GetMainFrame(), context);
      },
      true);
}
