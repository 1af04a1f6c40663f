#include "ListCommands.h"

#include "AppScreens.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "IndividualListDialog.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// The list opens on startRin, positioned by its name unless the caller
// gave one, with the application's options and edit password gate.
void PrepareList(CKorApp& app, CIndividualListDialog& dialog, std::int32_t startRin) {
  dialog.startRin = startRin;
  CIndividualRecord person;
  if (dialog.startName.empty() && startRin > 0 && DbGetIndividualRecord(startRin, person, 3) == 1)
    dialog.startName = person.surname + ", " + person.GetGivenNames();
  dialog.options = &app.m_options;
  dialog.checkEditPassword = [&app] { return app.CheckEditPassword() == 1; };
}

}  // namespace

void RunIndividualList(CKorApp& app, bool filterSide) {
  CIndividualListDialog dialog(app.GetCurrentDocument(), app.GetMainFrame());
  if (filterSide) dialog.showFilterSide = true;
  PrepareList(app, dialog, app.ActiveViewRin());
  const int result = dialog.exec();
  if (result == fw::kIdOk && dialog.chosenRin > 0) {
    app.ShowInActiveView(dialog.chosenRin);
  } else if (dialog.recordsChanged) {
    // The view's individual again from the file, or the first one left when
    // it was deleted.
    std::int32_t rin = dialog.startRin;
    if (rin <= 0 || DbGetRIN(rin, db::kQueryIndividuals, db::kWalkExact) != rin)
      rin = DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame);
    app.ShowInActiveView(rin);
  }
}

void RunMarriageList(CKorApp& app) {
  CMarriageSearchListDialog dialog(app.GetMainFrame());
  dialog.startMrin = app.ActiveViewMrin();
  if (dialog.exec() != fw::kIdOk || dialog.chosenMrin <= 0) return;
  // The family view shows the marriage itself; the pedigree view a spouse.
  if (CKorView2* family = app.ActiveFamilyView()) {
    family->ShowMarriage(dialog.chosenMrin);
    return;
  }
  CMarriageRecord marriage;
  if (DbGetRecord(dialog.chosenMrin, db::kMarriage, &marriage) != 1) {
    plat::MessageBox(res::LoadString(res::kIdsInvalidMrin), res::LoadString(res::kIdsAppName));
    return;
  }
  const std::int32_t rin = marriage.husband > 0 ? marriage.husband : marriage.wife;
  if (rin <= 0) {
    char text[128];
    std::snprintf(text, sizeof text, res::LoadString(res::kIdsNoSpouses).c_str(),
                  static_cast<long>(dialog.chosenMrin));
    plat::MessageBox(text, res::LoadString(res::kIdsAppName));
    return;
  }
  app.ShowInActiveView(rin);
}

std::int32_t SelectIndividuals(CKorApp& app, QWidget* parent, std::int32_t startRin,
                               bool templeNames) {
  CIndividualListDialog dialog(app.GetCurrentDocument(), parent);
  dialog.selectSetMode = true;
  dialog.templeNamesMode = templeNames;
  PrepareList(app, dialog, startRin);
  // A temple-names set is judged on the ordinances, ZEL data included, also
  // in the editing screens opened from the list.
  const int zel = app.m_options.showZel;
  if (templeNames) {
    app.m_options.showZel = 1;
    app.ApplyEditOptions();
  }
  const int result = dialog.exec();
  app.m_options.showZel = zel;
  app.ApplyEditOptions();
  return result == fw::kIdOk ? dialog.chosenRin : 0;
}

int FindInIndividualList(CKorApp& app, QWidget* parent, CFindListRequest& request) {
  CIndividualListDialog dialog(app.GetCurrentDocument(), parent);
  dialog.lowestRin = request.low;
  dialog.highestRin = request.high;
  dialog.titleWord = request.titleWord;
  dialog.startName = request.searchText;
  dialog.allowEditing = request.allowEditing;
  PrepareList(app, dialog, request.start);
  const int result = dialog.exec();
  request.chosen = result == fw::kIdOk ? dialog.chosenRin : 0;
  return result;
}

int FindInMarriageList(QWidget* parent, CFindListRequest& request) {
  CMarriageSearchListDialog dialog(parent);
  dialog.lowestMrin = request.low;
  dialog.highestMrin = request.high;
  dialog.startMrin = request.start;
  dialog.titleWord = request.titleWord;
  const int result = dialog.exec();
  request.chosen = result == fw::kIdOk ? dialog.chosenMrin : 0;
  return result;
}

void RegisterListCommands(CKorApp& app) {
  CKorApp* owner = &app;
  AppScreens().findIndividualList = [owner](QWidget* parent, CFindListRequest& request) {
    return FindInIndividualList(*owner, parent, request);
  };
  AppScreens().findMarriageList = FindInMarriageList;
  AppScreens().selectIndividuals = [owner](QWidget* parent, std::int32_t startRin,
                                           bool templeNames) {
    return SelectIndividuals(*owner, parent, startRin, templeNames);
  };
  app.SetToolCommand(
      shell::kIdSearchIndividualList, [owner] { RunIndividualList(*owner); }, true);
  app.SetToolCommand(
      shell::kIdSearchMarriageList, [owner] { RunMarriageList(*owner); }, true);
  // Advanced Focus/Filter: the same list with its filter side open.
  app.SetToolCommand(
      shell::kIdSearchAdvancedFilter, [owner] { RunIndividualList(*owner, true); }, true);
}
