#include "AddParentsDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DbCalls.h"
#include "DbCodes.h"
#include "DialogParts.h"
#include "EditIndividualDialog.h"
#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "MarriageDialog.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "NotesDialogs.h"
#include "PickerDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "SmallRecordDialogs.h"
#include "StringIds.h"
#include "StringTable.h"

namespace editui {

namespace {

// A counted node of a live individual (detail level 3), or null.
CIndividualNode* NodeOf(std::int32_t rin) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return nullptr;
  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();
  return node;
}

void RunMarriageScreen(QWidget* parent, std::int32_t mrin) {
  CMarriageRecord record;
  if (family::Read(record, mrin) != 1) return;
  CMarriageNode* node = nullptr;
  SetMarriageRef(node, CMarriageNode::New(record));
  {
    CMarriageDialog dialog(parent, node);
    dialog.exec();
  }
  ReleaseMarriageRef(node);
}

}  // namespace

CAddParentsDialog::CAddParentsDialog(std::int32_t child, std::int32_t searchMrin, QWidget* parent)
    : fw::CDialogBase(parent), gate(notesui::AppGate()), model_(child), searchMrin_(searchMrin) {
  hooks.canEdit = [this] { return CanEdit(); };
  hooks.askYesNo = [](const std::string& text) {
    return plat::MessageBox(text, res::LoadString(res::kIdsAppName),
                            plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdYes;
  };
  hooks.show = [](const std::string& text) {
    plat::MessageBox(text, res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconExclamation);
  };
  hooks.marriagesFor = [this](std::int32_t rin) {
    CMarriagesForDialog dialog(this, rin, model_.Child());
    return dialog.exec() == fw::kIdOk ? dialog.result : std::int32_t{0};
  };
  hooks.openMarriage = [this](std::int32_t mrin) { RunMarriageScreen(this, mrin); };
  if (CKorApp* app = CKorApp::Instance()) hooks.editMarriageOption = app->m_options.editMarr != 0;

  auto* search = AddControl(kIdcSearch, PlainButton("&Search for Existing Parents"));
  auto* grid = new QGridLayout;
  const struct {
    const char* label;
    int add, find, name;
    const char* addText;
    const char* findText;
  } sides[] = {
      {"Father:", kIdcAddFather, kIdcFindFather, kIdcFatherName, "Add &Father", "Find F&ather"},
      {"Mother:", kIdcAddMother, kIdcFindMother, kIdcMotherName, "Add &Mother", "Find M&other"}};
  int row = 0;
  for (const auto& side : sides) {
    grid->addWidget(new QLabel(QString::fromLatin1(side.label)), row, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddControl(side.add, PlainButton(side.addText)));
    buttons->addWidget(AddControl(side.find, PlainButton(side.findText)));
    auto* name = AddControl(side.name, PlainButton(""));
    name->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
    buttons->addWidget(name, 1);
    grid->addLayout(buttons, row, 1);
    ++row;
  }
  auto* editMarriage = AddControl(kIdcEditMarriage, PlainButton("&Edit Marriage"));
  editMarriageCaption_ = editMarriage->text();

  auto* ok = AddControl(fw::kIdOk, PlainButton("OK"));
  ok->setDefault(true);
  auto* cancel = AddControl(fw::kIdCancel, PlainButton("Cancel"));
  auto* help = AddControl(fw::kIdHelp, PlainButton("&Help"));
  help->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);

  auto* top = new QVBoxLayout(this);
  top->addWidget(search, 0, Qt::AlignLeft);
  top->addLayout(grid);
  top->addWidget(editMarriage, 0, Qt::AlignLeft);
  top->addLayout(buttons);

  connect(search, &QPushButton::clicked, this, &CAddParentsDialog::Search);
  connect(Control<QPushButton>(kIdcAddFather), &QPushButton::clicked, this,
          [this] { AddParent(true); });
  connect(Control<QPushButton>(kIdcFindFather), &QPushButton::clicked, this,
          [this] { FindParent(true); });
  connect(Control<QPushButton>(kIdcFatherName), &QPushButton::clicked, this,
          [this] { EditParent(true); });
  connect(Control<QPushButton>(kIdcAddMother), &QPushButton::clicked, this,
          [this] { AddParent(false); });
  connect(Control<QPushButton>(kIdcFindMother), &QPushButton::clicked, this,
          [this] { FindParent(false); });
  connect(Control<QPushButton>(kIdcMotherName), &QPushButton::clicked, this,
          [this] { EditParent(false); });
  connect(editMarriage, &QPushButton::clicked, this, &CAddParentsDialog::EditMarriage);
  connect(ok, &QPushButton::clicked, this, &CAddParentsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CAddParentsDialog::reject);
}

bool CAddParentsDialog::CanEdit() const {
  return !gate.IsReadOnly() && (!gate.checkPassword || gate.checkPassword());
}

std::string CAddParentsDialog::ChildName() const {
  CIndividualRecord person;
  if (DbGetRecord(model_.Child(), db::kIndividual, &person) != 1) return std::string();
  std::string name = person.GetName(0, false, 0, false);
  if (name.size() > 60) name.resize(60);
  return name;
}

std::string CAddParentsDialog::ParentName(std::int32_t rin) const {
  CIndividualRecord person;
  if (rin <= 0 || DbGetRecord(rin, db::kIndividual, &person) != 1) return std::string();
  return person.GetName(0, false, 0, false);
}

void CAddParentsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  setWindowTitle(QStringLiteral("Add Parents for ") + fw::ToQString(ChildName()));
  const bool canEdit = !gate.IsReadOnly();
  EnableControl(kIdcAddFather, canEdit);
  EnableControl(kIdcAddMother, canEdit);
  Refresh();
  CenterWindow();
}

void CAddParentsDialog::Refresh() {
  const bool chosen = model_.ChosenMrin() > 0;
  const struct {
    std::int32_t rin;
    int add, find, name;
  } sides[] = {{model_.Husband(), kIdcAddFather, kIdcFindFather, kIdcFatherName},
               {model_.Wife(), kIdcAddMother, kIdcFindMother, kIdcMotherName}};
  for (const auto& side : sides) {
    const bool named = chosen && side.rin > 0;
    SetControlText(side.name, named ? ParentName(side.rin) : std::string());
    ShowControl(side.name, named);
    ShowControl(side.add, !named);
    ShowControl(side.find, !named);
  }
  QString caption = editMarriageCaption_;
  if (chosen) caption += QStringLiteral(" - %1").arg(model_.ChosenMrin());
  Control<QPushButton>(kIdcEditMarriage)->setText(caption);
  EnableControl(kIdcEditMarriage, chosen);
  EnableControl(fw::kIdOk, chosen);
}

void CAddParentsDialog::Search() {
  CFindRecordDialog find(this);
  find.find.marriageMode = true;
  find.find.number = searchMrin_;
  find.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
  if (find.exec() != fw::kIdOk) return;
  model_.TakeFound(find.find.number, find.find.marriageMode, hooks);
  Refresh();
}

void CAddParentsDialog::FindParent(bool father) {
  CIndividualNode* child = NodeOf(model_.Child());
  if (child == nullptr) return;
  int message = 0;
  const std::int32_t chosen = SelectExistingRelative(
      child, res::LoadString(father ? res::kIdsFatherFor : res::kIdsMotherFor) + " " + ChildName(),
      father ? 'M' : 'F', message, false, 0, this);
  child->Release();
  if (chosen <= 0 || !addparents::AcceptFoundParent(message, hooks)) return;
  model_.TakeParent(chosen, father, hooks);
  Refresh();
}

void CAddParentsDialog::AddParent(bool father) {
  CIndividualRecord child;
  if (DbGetRecord(model_.Child(), db::kIndividual, &child) != 1) return;
  CEditIndividualDialog dialog(this, nullptr, nullptr, 1);
  dialog.caption =
      res::LoadString(father ? res::kIdsAddFatherFor : res::kIdsAddMotherFor) + " " + ChildName();
  if (father) dialog.presetSurname = child.surname;
  dialog.presetSex = father ? 'M' : 'F';
  if (dialog.exec() != fw::kIdOk) return;
  model_.TakeParent(dialog.Session().GetRin(), father, hooks);
  Refresh();
}

void CAddParentsDialog::EditParent(bool father) {
  CIndividualNode* node = NodeOf(father ? model_.Husband() : model_.Wife());
  if (node == nullptr) return;
  {
    CEditIndividualDialog dialog(this, node, nullptr, 0);
    dialog.exec();
  }
  node->Release();
  Refresh();
}

void CAddParentsDialog::EditMarriage() {
  if (model_.ChosenMrin() <= 0) return;
  RunMarriageScreen(this, model_.ChosenMrin());
  model_.Reread();
  Refresh();
}

void CAddParentsDialog::OnOK() {
  resultLink = model_.Finish();
  done(resultLink > 0 ? fw::kIdOk : fw::kIdCancel);
}

}  // namespace editui
