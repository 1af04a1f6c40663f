#include "AddCommands.h"

#include <string>

#include "AddRelatives.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DialogBase.h"
#include "EditIndividualDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView.h"
#include "MainFrame.h"
#include "MarriageDialog.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "PickerDialogs.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "SmallRecordDialogs.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

using addrelative::Relative;

// Whom the active family view's add commands mean; empty (primary 0,
// partnerless 0) in the pedigree view.
shell::famview::CommandFocus FamilyFocus(CKorApp* app, bool& familyView) {
  shell::famview::CommandFocus focus;
  familyView = app->ActiveFamilyFocus(focus);
  return focus;
}

bool AskYesNo(unsigned id) {
  return plat::MessageBox(res::LoadString(id), res::LoadString(res::kIdsAppName),
                          plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdYes;
}

std::string Fill(unsigned id, const std::string& name) {
  std::string text = res::LoadString(id);
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

// A counted node of a live individual; release with Release().
CIndividualNode* NodeOf(std::int32_t rin) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return nullptr;
  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();
  return node;
}

std::string NameOf(const CIndividualNode* node) {
  return node ? node->FormatName(0, 60, 480, nullptr) : std::string();
}

// Add New (0), Select Existing (1), Unknown (2) or cancelled (-1); with one
// individual or none the new road at once.
int ChooseRoad(CKorApp* app, const CIndividualNode* node, unsigned promptId, bool unknown) {
  if (DbGetActiveRecordCount(db::kIndividual) <= 1) return CAddOrSelectIndividualDialog::kAddNew;
  CAddOrSelectIndividualDialog dialog(node, promptId, unknown, app->GetMainFrame());
  return dialog.exec();
}

// The Edit Individual screen in add mode; the new RIN after OK, else 0.
std::int32_t AddNewIndividual(CKorApp* app, const std::string& caption, const std::string& surname,
                              char sex, std::int32_t childMrin) {
  CEditIndividualDialog dialog(app->GetMainFrame(), nullptr, nullptr, 1);
  dialog.caption = caption;
  dialog.presetSurname = surname;
  dialog.presetSex = sex == 'M' || sex == 'F' ? sex : 0;
  dialog.childMrin = childMrin;
  if (dialog.exec() != fw::kIdOk) return 0;
  return dialog.Session().GetRin();
}

std::int32_t PickExisting(CKorApp* app, const CIndividualNode* node, unsigned titleId, char sex) {
  int message = 0;
  const std::int32_t chosen =
      SelectExistingRelative(node, res::LoadString(titleId) + " " + NameOf(node), sex, message,
                             true, 0, app->GetMainFrame());
  return message == 0 ? chosen : 0;
}

void OpenMarriage(CKorApp* app, std::int32_t mrin) {
  CMarriageRecord record;
  if (family::Read(record, mrin) != 1) return;
  CMarriageNode* node = nullptr;
  SetMarriageRef(node, CMarriageNode::New(record));
  {
    CMarriageDialog dialog(app->GetMainFrame(), node);
    dialog.exec();
  }
  ReleaseMarriageRef(node);
}

void Finish(CKorApp* app, std::int32_t rin, const addrelative::LinkResult& result) {
  if (!result.ok()) return;
  DbFlush();
  app->ShowInActiveView(rin);
  if (addrelative::OpensMarriageScreen(result, app->m_options.editMarr != 0)) {
    OpenMarriage(app, result.mrin);
    app->ShowInActiveView(rin);
  }
}

// The individual a father or mother is added to, and the parents' marriage
// the view shows for it: in the pedigree view the child of the empty parent
// box the user chose, else the view's individual.
struct ParentTarget {
  std::int32_t child = 0;
  std::int32_t shownParents = 0;
};

ParentTarget ParentTargetOf(CKorApp* app) {
  if (const CKorView* pedigree = app->ActivePedigreeView())
    return {pedigree->AddTargetRin(), pedigree->AddTargetParentsMrin()};
  // The family view adds parents to its primary individual.
  bool familyView = false;
  const shell::famview::CommandFocus focus = FamilyFocus(app, familyView);
  if (familyView) return {focus.primary, focus.parents};
  return {app->ActiveViewRin(), 0};
}

void AddParentTo(CKorApp* app, const ParentTarget& target, bool father, int road) {
  if (!app->CheckEditPassword()) return;
  const std::int32_t child = target.child;
  if (!addrelative::CanAddParent(child, target.shownParents, father)) return;
  CIndividualNode* node = NodeOf(child);
  if (!node) return;
  if (road < 0)
    road = ChooseRoad(app, node, father ? res::kIdsAskFather : res::kIdsAskMother, false);
  std::int32_t parent = 0;
  const char sex = addrelative::PresetSex(father ? Relative::kFather : Relative::kMother, 0);
  if (road == CAddOrSelectIndividualDialog::kSelectExisting)
    parent = PickExisting(app, node, father ? res::kIdsFatherFor : res::kIdsMotherFor, sex);
  else if (road == CAddOrSelectIndividualDialog::kAddNew)
    parent =
        AddNewIndividual(app,
                         res::LoadString(father ? res::kIdsAddFatherFor : res::kIdsAddMotherFor) +
                             " " + NameOf(node),
                         father ? node->GetSurname() : std::string(), sex, 0);
  node->Release();
  if (parent > 0)
    Finish(app, child, addrelative::LinkParent(child, target.shownParents, parent, father));
}

// road: 0 new, 1 existing, -1 ask.
void AddParent(CKorApp* app, bool father, int road) {
  const ParentTarget target = ParentTargetOf(app);
  // The relative an empty box chose serves this one command, however it ends.
  if (CKorView* pedigree = app->ActivePedigreeView()) pedigree->ClearPendingRelative();
  AddParentTo(app, target, father, road);
}

// Stops with the sex message when the individual is neither male nor female.
bool SexAllows(Relative kind, std::int32_t rin, const CIndividualNode* node) {
  const int refusal = addrelative::SexRefusal(kind, static_cast<char>(DbGetSex(rin)));
  if (refusal == 0) return true;
  plat::MessageBox(Fill(static_cast<unsigned>(refusal), NameOf(node)),
                   res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
  return false;
}

// One of the marriages of rin with spouse, picked by the user; 0 when
// they have none or none was picked.
std::int32_t ChooseMarriageWith(CKorApp* app, std::int32_t rin, std::int32_t spouse) {
  editui::CMarriagesForDialog dialog(app->GetMainFrame(), rin);
  dialog.selectionOnly = true;
  dialog.onlyWith = spouse;
  return dialog.exec() == fw::kIdOk ? dialog.result : 0;
}

void AddSpouse(CKorApp* app, int road) {
  if (!app->CheckEditPassword()) return;
  // The family view gives the spouse to the selected individual, else to
  // its primary one.
  bool familyView = false;
  const shell::famview::CommandFocus focus = FamilyFocus(app, familyView);
  const std::int32_t rin = familyView ? focus.spouseFor : app->ActiveViewRin();
  CIndividualNode* node = NodeOf(rin);
  if (!node) return;
  if (!SexAllows(Relative::kSpouse, rin, node)) {
    node->Release();
    return;
  }
  const char sex = static_cast<char>(DbGetSex(rin));
  if (road < 0) road = ChooseRoad(app, node, res::kIdsAskSpouse, true);
  std::int32_t spouse = 0;
  const char other = addrelative::PresetSex(Relative::kSpouse, sex);
  if (road == CAddOrSelectIndividualDialog::kUnknown) {
    node->Release();
    const std::int32_t mrin = DbSetRelation(rin, 0, sex == 'M' ? db::kRelHusband : db::kRelWife, 0);
    if (mrin <= 0) return;
    DbFlush();
    app->ShowInActiveView(rin);
    OpenMarriage(app, mrin);
    app->ShowInActiveView(rin);
    return;
  }
  if (road == CAddOrSelectIndividualDialog::kSelectExisting)
    spouse = PickExisting(app, node, res::kIdsSpouseFor, other);
  else if (road == CAddOrSelectIndividualDialog::kAddNew)
    spouse = AddNewIndividual(app, res::LoadString(res::kIdsAddSpouseFor) + " " + NameOf(node),
                              std::string(), other, 0);
  node->Release();
  if (spouse <= 0) return;
  // A spouse the individual is already married to: one of their marriages
  // may be taken instead of making another.
  if (ChooseMarriageWith(app, rin, spouse) > 0) {
    app->ShowInActiveView(rin);
    return;
  }
  // The pedigree view's current marriage takes the spouse when its other
  // side is free; the family view asks before it fills the marriage shown.
  std::int32_t free = 0;
  if (!familyView)
    free = app->ActiveViewMrin();
  else if (focus.partnerless > 0 && focus.spouseFor == rin &&
           AskYesNo(res::kIdsSpouseToCurrentMarriage))
    free = focus.partnerless;
  Finish(app, rin, addrelative::LinkSpouse(rin, spouse, free));
}

// A marriage of the parent picked by the user; 0 when none was picked.
std::int32_t PickMarriageOf(CKorApp* app, std::int32_t parent) {
  editui::CMarriagesForDialog dialog(app->GetMainFrame(), parent);
  dialog.selectionOnly = true;
  return dialog.exec() == fw::kIdOk ? dialog.result : 0;
}

// A partner of the marriage, the husband first; 0 for none.
std::int32_t PartnerOf(std::int32_t mrin) {
  CMarriageRecord marriage;
  if (mrin <= 0 || family::Read(marriage, mrin) != 1) return 0;
  return marriage.husband > 0 ? marriage.husband : marriage.wife;
}

// The child road of the active view's focus.
addrelative::ChildRoad FocusChildRoad(CKorApp* app, std::int32_t& primary) {
  bool familyView = false;
  const shell::famview::CommandFocus focus = FamilyFocus(app, familyView);
  primary = focus.primary;
  return addrelative::DecideChildRoad(
      app->ActiveViewRin(), familyView ? focus.marriage : app->ActiveViewMrin(), focus.primary);
}

// Adds one new or existing child on road child (road -1 asks which); the
// marriage it went into stays in child for the next one. True when a child
// was added.
bool AddChildTo(CKorApp* app, addrelative::ChildRoad& child, std::int32_t primary, int road) {
  if (!child.ok()) return false;
  CIndividualNode* node = child.parent > 0 ? NodeOf(child.parent) : nullptr;
  if (child.parent > 0 && !node) return false;
  if (node && !SexAllows(Relative::kChild, child.parent, node)) {
    node->Release();
    return false;
  }
  std::string surname;
  if (const std::int32_t from = addrelative::ChildSurnameSource(child); from > 0) {
    CIndividualRecord father;
    if (family::Read(father, from) == 1) surname = father.surname;
  }
  if (road < 0) {
    if (node)
      road = ChooseRoad(app, node, res::kIdsAskChild, false);
    else if (DbGetActiveRecordCount(db::kIndividual) <= 1)
      road = CAddOrSelectIndividualDialog::kAddNew;
    else
      road = CAddOrSelectIndividualDialog(static_cast<const CIndividualNode*>(nullptr), 0, false,
                                          app->GetMainFrame())
                 .exec();
  }
  const std::string name = NameOf(node);
  std::int32_t added = 0;
  int message = 0;
  if (road == CAddOrSelectIndividualDialog::kSelectExisting && node)
    added = SelectExistingRelative(node, addrelative::ChildCaption(child, true, name), 0, message,
                                   true, 0, app->GetMainFrame());
  else if (road == CAddOrSelectIndividualDialog::kSelectExisting)
    added = PickRelativeByFind(PartnerOf(child.marriage), std::string(),
                               addrelative::ChildCaption(child, true, name), 0, message, true, 0,
                               app->GetMainFrame());
  else if (road == CAddOrSelectIndividualDialog::kAddNew)
    added = AddNewIndividual(app, addrelative::ChildCaption(child, false, name), surname, 0,
                             child.marriage);
  if (node) node->Release();
  if (added <= 0 || message != 0) return false;
  // A parent without a marriage in focus picks one of its marriages; none
  // picked makes a new one.
  if (child.chooseMarriage) child.marriage = PickMarriageOf(app, child.parent);
  const addrelative::LinkResult result =
      addrelative::LinkChild(child.parent, child.marriage, added);
  if (!result.ok()) return false;
  child.marriage = result.mrin;
  child.chooseMarriage = false;
  const std::int32_t shown = child.parent > 0 ? child.parent
                             : primary > 0    ? primary
                                              : PartnerOf(result.mrin);
  Finish(app, shown, result);
  return true;
}

// Adds children on road child until the user wants no more; only a child
// of a parent asks for another one.
void AddChildren(CKorApp* app, addrelative::ChildRoad child, std::int32_t primary, int road) {
  while (AddChildTo(app, child, primary, road)) {
    CIndividualNode* node = NodeOf(child.parent);
    const std::string name = NameOf(node);
    if (node) node->Release();
    if (name.empty() ||
        plat::MessageBox(Fill(res::kIdsAnotherChild, name), res::LoadString(res::kIdsAppName),
                         plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
      return;
    road = -1;
  }
}

void AddChild(CKorApp* app, int road) {
  if (!app->CheckEditPassword()) return;
  std::int32_t primary = 0;
  const addrelative::ChildRoad child = FocusChildRoad(app, primary);
  AddChildren(app, child, primary, road);
}

void AddUnlinked(CKorApp* app) {
  if (!app->CheckEditPassword()) return;
  // A family view that shows a marriage without a primary individual offers
  // the new individual to it as a child.
  bool familyView = false;
  const shell::famview::CommandFocus focus = FamilyFocus(app, familyView);
  if (familyView && focus.asksToLinkChild() && AskYesNo(res::kIdsLinkToMarriage)) {
    addrelative::ChildRoad child;
    child.marriage = focus.lone;
    AddChildren(app, child, 0, CAddOrSelectIndividualDialog::kAddNew);
    return;
  }
  const std::int32_t rin =
      AddNewIndividual(app, res::LoadString(res::kIdsAddNewIndividual), std::string(), 0, 0);
  if (rin <= 0) return;
  DbFlush();
  app->ShowInActiveView(rin);
}

void AddIndividual(CKorApp* app) {
  if (app->ActiveViewRin() <= 0) return AddUnlinked(app);
  if (!app->CheckEditPassword()) return;
  const std::int32_t rin = app->ActiveViewRin();
  CAddOrFindIndividualDialog dialog(addrelative::CanAddParent(rin, 0, true),
                                    addrelative::CanAddParent(rin, 0, false), app->GetMainFrame());
  if (dialog.exec() != fw::kIdOk) return;
  const int choice = dialog.selection;
  const int road = choice >= 5 ? CAddOrSelectIndividualDialog::kSelectExisting
                               : CAddOrSelectIndividualDialog::kAddNew;
  switch (choice % 5) {
    case 0:
      return AddParent(app, true, road);
    case 1:
      return AddParent(app, false, road);
    case 2:
      return AddSpouse(app, road);
    case 3:
      return AddChild(app, road);
    default:
      if (choice == CAddOrFindIndividualDialog::kNewUnlinked) AddUnlinked(app);
  }
}

}  // namespace

void RegisterAddCommands(CKorApp& app) {
  CKorApp* owner = &app;
  app.SetToolCommand(
      shell::kIdAddIndividual, [owner] { AddIndividual(owner); }, true);
  app.SetToolCommand(
      shell::kIdAddFather, [owner] { AddParent(owner, true, -1); }, true);
  app.SetToolCommand(
      shell::kIdAddMother, [owner] { AddParent(owner, false, -1); }, true);
  app.SetToolCommand(
      shell::kIdAddSpouse, [owner] { AddSpouse(owner, -1); }, true);
  app.SetToolCommand(
      shell::kIdAddChild, [owner] { AddChild(owner, -1); }, true);
  // The pedigree view's empty boxes.
  app.SetToolCommand(
      shell::kIdAddFatherBox, [owner] { AddParent(owner, true, -1); }, true);
  app.SetToolCommand(
      shell::kIdAddMotherBox, [owner] { AddParent(owner, false, -1); }, true);
  app.SetToolCommand(
      shell::kIdAddUnlinkedIndividual, [owner] { AddUnlinked(owner); }, true);
}
