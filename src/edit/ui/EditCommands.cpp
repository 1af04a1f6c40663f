#include "EditCommands.h"

#include <algorithm>

#include "AddRelatives.h"
#include "AppScreens.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditIndividualDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "MarriageDialog.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "OrderDialogs.h"
#include "ParentsOfDialog.h"
#include "RecordAccess.h"
#include "SmallRecordDialogs.h"
#include "SourceDialogs.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// Edit Individual on rin; true after Save.
bool EditIndividualRin(QWidget* parent, std::int32_t rin) {
  if (rin <= 0) return false;
  CIndividualRecord record;
  if (family::Read(record, rin) != 1) return false;
  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();
  bool saved = false;
  {
    CEditIndividualDialog dialog(parent, node, nullptr, 0);
    dialog.caption = res::LoadString(res::kIdsEditIndividual);
    saved = dialog.exec() == QDialog::Accepted;
  }
  node->Release();
  return saved;
}

void EditIndividual(CKorApp* app) {
  const std::int32_t rin = app->ActiveViewRin();
  if (rin <= 0) return;
  EditIndividualRin(app->GetMainFrame(), rin);
  app->ShowInActiveView(rin);
}

// The Marriage screen on mrin; false when the marriage cannot be read.
bool EditMarriageMrin(QWidget* parent, std::int32_t mrin) {
  CMarriageRecord record;
  if (mrin <= 0 || family::Read(record, mrin) != 1) return false;
  CMarriageNode* node = nullptr;
  SetMarriageRef(node, CMarriageNode::New(record));
  {
    CMarriageDialog dialog(parent, node);
    dialog.exec();
  }
  ReleaseMarriageRef(node);
  return true;
}

void EditMarriage(CKorApp* app) {
  const std::int32_t mrin = app->ActiveViewMrin();
  if (mrin <= 0) return;
  if (EditMarriageMrin(app->GetMainFrame(), mrin)) app->ShowInActiveView(app->ActiveViewRin());
}

// Edit > Parents: the parent families of the active view's person.
void EditParents(CKorApp* app) {
  const std::int32_t rin = app->ActiveViewRin();
  if (rin <= 0) return;
  {
    editui::CParentsOfDialog dialog(rin, false, app->GetMainFrame());
    dialog.exec();
  }
  app->ShowInActiveView(rin);
}

// Edit > Parents' Marriage (family view): the Marriage screen on the
// parents' marriage of the focus individual: the one the view shows for
// the primary individual, else the first of the selected individual's.
void EditParentsMarriage(CKorApp* app) {
  shell::famview::CommandFocus focus;
  if (!app->ActiveFamilyFocus(focus) || focus.individual <= 0) return;
  std::int32_t mrin = 0;
  if (focus.individual == focus.primary) {
    if (CKorView2* view = app->ActiveFamilyView())
      if (CMarriageNode* parents = view->Model()->ParentsMarriage()) mrin = parents->GetMrin();
  }
  if (mrin <= 0) mrin = addrelative::ParentMarriageOf(focus.individual, 0);
  if (EditMarriageMrin(app->GetMainFrame(), mrin)) app->ShowInActiveView(focus.primary);
}

// Edit > Order Spouses / Order Children: the active person's marriages (in
// the family view the primary individual's) or the active marriage's
// children.
void EditOrder(CKorApp* app, COrderList::Mode mode) {
  shell::famview::CommandFocus focus;
  const std::int32_t rin = app->ActiveFamilyFocus(focus) ? focus.primary : app->ActiveViewRin();
  const std::int32_t owner = mode == COrderList::kSpouses ? rin : app->ActiveViewMrin();
  if (owner <= 0) return;
  // The current marriage, or the family view's current child, is the entry
  // selected at first.
  std::int32_t current = app->ActiveViewMrin();
  if (mode == COrderList::kChildren) {
    const CKorView2* view = app->ActiveFamilyView();
    const CIndividualNode* child =
        view && view->Model() ? view->Model()->GetPaneContent(shell::famview::kPaneChildren)
                              : nullptr;
    current = child ? child->GetRin() : 0;
  }
  COrderList entries;
  entries.Load(owner, mode, 0);
  {
    editui::CSpouseChildOrderDialog dialog(app->GetMainFrame(), owner, mode,
                                           std::max(0, entries.IndexOf(current)));
    dialog.exec();
  }
  app->ShowInActiveView(rin);
}

}  // namespace

void RegisterEditCommands(CKorApp& app) {
  CKorApp* owner = &app;
  AppScreens().editIndividual = EditIndividualRin;
  AppScreens().editMarriage = EditMarriageMrin;
  AppScreens().otherMarriages = [](QWidget* parent, std::int32_t rin, int index) {
    editui::COtherMarriagesDialog dialog(parent, rin, index);
    const int result = dialog.exec();
    return result >= 5 ? result - 5 : -1;
  };
  AppScreens().spouseOrder = [](QWidget* parent, std::int32_t rin, int index) {
    editui::CSpouseChildOrderDialog dialog(parent, rin, COrderList::kSpouses, index);
    if (CKorApp* app = CKorApp::Instance())
      dialog.gate.checkPassword = [app] { return app->CheckEditPassword() == 1; };
    const int result = dialog.exec();
    const std::vector<std::int32_t>& numbers = dialog.Order().Numbers();
    const std::size_t chosen = static_cast<std::size_t>(result - 5);
    return result >= 5 && chosen < numbers.size() ? numbers[chosen] : 0;
  };
  AppScreens().marriagesFor = [](QWidget* parent, std::int32_t rin) {
    editui::CMarriagesForDialog dialog(parent, rin);
    dialog.selectionOnly = true;
    return dialog.exec() == fw::kIdOk ? dialog.result : 0;
  };
  AppScreens().familiesFor = [](QWidget* parent, std::int32_t rin, std::int32_t& value) {
    editui::CFamiliesForDialog dialog(parent, rin);
    if (dialog.exec() != fw::kIdOk) return false;
    value = dialog.value;
    return true;
  };
  AppScreens().selectRepository = [](QWidget* parent) {
    notesui::CSelectRepositoryDialog dialog(0, false, parent);
    return dialog.exec() == fw::kIdOk ? dialog.chosen : 0;
  };
  app.SetToolCommand(
      shell::kIdEditIndividual, [owner] { EditIndividual(owner); }, true);
  app.SetToolCommand(
      shell::kIdEditMarriage, [owner] { EditMarriage(owner); }, true);
  app.SetToolCommand(
      shell::kIdEditParents, [owner] { EditParents(owner); }, true);
  // Add > Parents: the same screen, behind the edit password.
  app.SetToolCommand(
      shell::kIdAddParents,
      [owner] {
        if (owner->CheckEditPassword() == 1) EditParents(owner);
      },
      true);
  app.SetToolCommand(
      shell::kIdEditParentsMarriage, [owner] { EditParentsMarriage(owner); }, true);
  app.SetToolCommand(
      shell::kIdEditOrderSpouses, [owner] { EditOrder(owner, COrderList::kSpouses); }, true);
  app.SetToolCommand(
      shell::kIdEditOrderChildren, [owner] { EditOrder(owner, COrderList::kChildren); }, true);
}
