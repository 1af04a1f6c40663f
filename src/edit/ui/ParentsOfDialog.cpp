#include "ParentsOfDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "AddParentsDialog.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DialogParts.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "NotesDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "RowCitations.h"
#include "SourceDialogs.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TabbedListDelegate.h"
#include "TempleTable.h"

namespace editui {

namespace {

// A parent's name in the list, in dialog units: between the last two stops.
constexpr int kNameUnits = 155 - 31 - 2;

}  // namespace

std::vector<RelationshipItem> RelationshipItems(bool includeSealing) {
  const std::string text = res::LoadString(res::kIdsRelationships);
  std::vector<RelationshipItem> items;
  std::size_t letter = 0, at = 0;
  while (at <= text.size() && letter < std::size(CParentLinkList::kRelationLetters)) {
    std::size_t end = text.find_first_of(",|", at);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(at, end - at);
    const std::size_t equals = item.find('=');
    const char code = CParentLinkList::kRelationLetters[letter++];
    if (code != 's' || includeSealing)
      items.push_back({equals == std::string::npos ? item : item.substr(equals + 1), code});
    at = end + 1;
  }
  return items;
}

CParentsOfDialog::CParentsOfDialog(std::int32_t rin, bool viewOnly, QWidget* parent,
                                   CIndividualNode* individual)
    : fw::CDialogBase(parent), gate(notesui::AppGate()), viewOnly_(viewOnly) {
  // The family the views show for the individual, when not the primary
  // one, is the current line.
  const bool held = individual != nullptr && individual->GetRin() == rin;
  const CIndividualLinks* shown = held ? individual->GetLinks() : nullptr;
  links_.Load(rin, shown != nullptr ? shown->chosenParentsMrin : 0);
  if (held) links_.SetIndividual(individual);
  auto* heading = new QHBoxLayout;
  heading->addWidget(new QLabel(QStringLiteral("MRIN")));
  auto* parentsLabel = new QLabel(QStringLiteral("&Parents"));
  heading->addWidget(parentsLabel, 1);
  list_ = AddControl(kIdcList, new QListWidget);
  list_->setMinimumSize(DialogUnitsToPixels(200, 60));
  // Mark, MRIN, father and mother; a name may take the room between the
  // last two stops.
  ShowAtTabStops(list_, *this, {7, 31, 155}, kNameUnits);
  parentsLabel->setBuddy(list_);
  auto* up = AddControl(kIdcUp, new QToolButton);
  up->setArrowType(Qt::UpArrow);
  auto* down = AddControl(kIdcDown, new QToolButton);
  down->setArrowType(Qt::DownArrow);
  auto* spin = new QVBoxLayout;
  spin->addWidget(up);
  spin->addWidget(down);
  spin->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(list_, 1);
  listRow->addLayout(spin);

  auto* add = AddControl(kIdcAdd, PlainButton("&Add..."));
  auto* unlink = AddControl(kIdcUnlink, PlainButton("&Unlink..."));
  auto* primary = AddControl(kIdcMakePrimary, PlainButton("&Make Primary"));
  auto* actions = new QHBoxLayout;
  for (QPushButton* b : {add, unlink, primary}) actions->addWidget(b);
  actions->addStretch();

  auto* relationLabel = AddControl(
      kIdcRelationLabel, new QLabel(fw::ToQString(res::LoadString(res::kIdsRelationToParents))));
  relation_ = AddControl(kIdcRelation, new QComboBox);
  relationLabel->setBuddy(relation_);
  for (const RelationshipItem& item : RelationshipItems(GetNodeOptions().showZel))
    relation_->addItem(fw::ToQString(item.text), QVariant(static_cast<int>(item.letter)));
  auto* relationRow = new QGridLayout;
  relationRow->addWidget(relationLabel, 0, 0);
  relationRow->addWidget(relation_, 0, 1, 1, 3);

  auto* sealingLabel =
      AddControl(kIdcSealingLabel, new QLabel(QStringLiteral("&Sealing to parents:")));
  sealingDate_ = AddControl(kIdcSealingDate, new QLineEdit);
  sealingDate_->setMaxLength(35);
  sealingLabel->setBuddy(sealingDate_);
  sealingTemple_ = AddControl(kIdcSealingTemple, new QComboBox);
  sealingTemple_->setEditable(true);
  for (const std::string& entry : TempleComboEntries())
    sealingTemple_->addItem(fw::ToQString(entry));
  sealingTemple_->setMinimumContentsLength(5);
  auto* sealingSources = AddControl(kIdcSealingSources, PlainButton("S"));
  relationRow->addWidget(sealingLabel, 1, 0);
  relationRow->addWidget(sealingDate_, 1, 1);
  relationRow->addWidget(sealingTemple_, 1, 2);
  relationRow->addWidget(sealingSources, 1, 3);
  relationRow->setColumnStretch(1, 1);

  auto* ok = AddControl(fw::kIdOk, PlainButton("OK"));
  ok->setDefault(true);
  auto* cancel = AddControl(fw::kIdCancel, PlainButton("Cancel"));
  auto* notes = AddControl(kIdcNotes, PlainButton("N&otes"));
  auto* help = AddControl(fw::kIdHelp, PlainButton("Help"));
  help->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel, notes, help}) buttons->addWidget(b);

  auto* top = new QVBoxLayout(this);
  top->addLayout(heading);
  top->addLayout(listRow, 1);
  top->addLayout(actions);
  top->addLayout(relationRow);
  top->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &CParentsOfDialog::accept);
  connect(notes, &QPushButton::clicked, this, &CParentsOfDialog::OnNotes);
  connect(sealingSources, &QPushButton::clicked, this, &CParentsOfDialog::OnSealingSources);
  connect(cancel, &QPushButton::clicked, this, &CParentsOfDialog::reject);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { Select(row); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
  connect(up, &QToolButton::clicked, this, [this] { Spin(-1); });
  connect(down, &QToolButton::clicked, this, [this] { Spin(+1); });
  connect(unlink, &QPushButton::clicked, this, &CParentsOfDialog::Unlink);
  connect(add, &QPushButton::clicked, this, &CParentsOfDialog::Add);
  connect(primary, &QPushButton::clicked, this, &CParentsOfDialog::MakePrimary);
  connect(relation_, &QComboBox::activated, this, [this] {
    // Choosing the entry already shown again is no change.
    const char letter = ComboLetter();
    if (letter == shownLetter_) return;
    shownLetter_ = letter;
    ChooseRelationship(letter);
  });
}

void CParentsOfDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  if (gate.IsReadOnly()) viewOnly_ = true;
  CIndividualRecord person;
  std::string name;
  if (DbGetRecord(links_.Rin(), db::kIndividual, &person) == 1)
    name = person.GetName(0, false, 0, false);
  setWindowTitle(QStringLiteral("Parents of ") + fw::ToQString(name));
  for (int id : {kIdcUp, kIdcDown, kIdcUnlink, kIdcMakePrimary, kIdcAdd})
    ShowControl(id, !viewOnly_);
  for (int id : {kIdcSealingLabel, kIdcSealingDate, kIdcSealingTemple, kIdcSealingSources})
    ShowControl(id, SealingShown());
  if (auto* edit = sealingTemple_->lineEdit()) edit->setMaxLength(5);
  Fill();
  MarkNotes();
  // Hidden controls give their room back: the window closes in around the
  // list and what remains.
  if (layout() != nullptr) layout()->activate();
  adjustSize();
}

bool CParentsOfDialog::SealingShown() const { return GetNodeOptions().showZel; }

std::string CParentsOfDialog::TypedDate() const { return fw::FromQString(sealingDate_->text()); }

// The combo's entries start with the temple code.
std::string CParentsOfDialog::TypedTemple() const {
  const std::string text = fw::FromQString(sealingTemple_->currentText());
  return text.substr(0, text.find(' '));
}

bool CParentsOfDialog::CurrentChanged() const {
  const char letter = ComboLetter();
  if (letter != 0 && links_.RelationshipDiffers(letter)) return true;
  return SealingShown() && links_.SealingDiffers(TypedDate(), TypedTemple());
}

void CParentsOfDialog::TakeCurrent() {
  const char letter = ComboLetter();
  if (letter != 0) links_.SetRelationship(letter);
  if (SealingShown()) links_.SetSealing(TypedDate(), TypedTemple());
}

void CParentsOfDialog::OnSealingSources() {
  const int current = links_.Current();
  if (current < 0) return;
  const std::int32_t link = links_.Link(current).linkNumber;
  CIndividualRecord person;
  std::string name;
  if (DbGetRecord(links_.Rin(), db::kIndividual, &person) == 1)
    name = person.GetName(0, false, 0, false);
  const int result = notesui::RunSourcesFor(this, link, db::kOwnerFamilyLink, links_.Rin(),
                                            res::LoadString(res::kIdsSealing), name, "",
                                            links_.SealingFirstCitation());
  const std::int32_t first = FirstCitationOf(link, db::kOwnerFamilyLink);
  if (result == fw::kIdOk || first == 0) links_.SetSealingFirstCitation(first);
  SetControlText(kIdcSealingSources, links_.SealingFirstCitation() != 0 ? "*S" : "S");
}

void CParentsOfDialog::OnNotes() {
  notesui::RunNotesDialog(this, 'I', links_.Rin());
  MarkNotes();
}

void CParentsOfDialog::MarkNotes() {
  CIndividualRecord person;
  const bool any = DbGetRecord(links_.Rin(), db::kIndividual, &person) == 1 &&
                   person.numbers[CIndividualRecord::kFirstNote] != 0;
  SetControlText(kIdcNotes, any ? "*N&otes" : "N&otes");
}

bool CParentsOfDialog::CanEdit() const { return !viewOnly_ && !gate.IsReadOnly(); }

char CParentsOfDialog::ComboLetter() const {
  return relation_->currentIndex() < 0 ? 0 : static_cast<char>(relation_->currentData().toInt());
}

void CParentsOfDialog::Fill() {
  QSignalBlocker block(list_);
  list_->clear();
  const fw::QtTextMeasure measure(list_->font());
  const int nameWidth = DialogUnitsToPixels(kNameUnits, 0).width();
  for (int i = 0; i < links_.Count(); ++i)
    AddTabbedLine(list_, links_.LineText(i, &measure, nameWidth));
  list_->setCurrentRow(links_.Current());
  ShowCurrent();
}

void CParentsOfDialog::ShowCurrent() {
  const int current = links_.Current();
  const bool any = current >= 0;
  if (any) {
    relation_->setCurrentIndex(
        relation_->findData(static_cast<int>(links_.Link(current).firstParentRelation)));
  } else {
    relation_->setCurrentIndex(-1);
  }
  shownLetter_ = ComboLetter();
  sealingDate_->setText(fw::ToQString(links_.SealingDateText()));
  sealingTemple_->setEditText(fw::ToQString(links_.SealingTemple()));
  SetControlText(kIdcSealingSources, any && links_.SealingFirstCitation() != 0 ? "*S" : "S");
  for (int id : {kIdcSealingLabel, kIdcSealingDate, kIdcSealingTemple, kIdcSealingSources})
    EnableControl(id, any);
  EnableControl(kIdcMakePrimary, CanEdit() && links_.CanMakePrimary(current));
  EnableControl(kIdcUnlink, CanEdit() && any);
  EnableControl(kIdcAdd, CanEdit());
  EnableControl(kIdcRelation, any);
  EnableControl(kIdcRelationLabel, any);
  EnableControl(kIdcUp, CanEdit() && current > 0);
  EnableControl(kIdcDown, CanEdit() && any && current + 1 < links_.Count());
  EnableControl(fw::kIdCancel, any);
}

void CParentsOfDialog::AskAndStore() {
  if (!CurrentChanged()) return;
  if (plat::MessageBox(res::LoadString(res::kIdsLinkChanged), "Parents of", plat::kMbYesNo) ==
      plat::kIdNo)
    return;
  if (gate.checkPassword && !gate.checkPassword()) return;
  TakeCurrent();
  links_.StoreCurrent();
}

void CParentsOfDialog::Select(int row) {
  if (row == links_.Current() || row < 0) return;
  AskAndStore();
  links_.SetCurrent(row);
  ShowCurrent();
}

void CParentsOfDialog::ChooseRelationship(char letter) {
  if (links_.WarnsSecondBiological(letter))
    plat::MessageBox(res::LoadString(res::kIdsSecondBiological), "Parents of",
                     plat::kMbOk | plat::kMbIconExclamation);
}

void CParentsOfDialog::MakePrimary() {
  if (!CanEdit() || (gate.checkPassword && !gate.checkPassword())) return;
  const char letter = ComboLetter();
  const QString date = sealingDate_->text(), temple = sealingTemple_->currentText();
  links_.MakePrimary(links_.Current());
  Fill();
  // The moved link keeps what was typed for it.
  relation_->setCurrentIndex(relation_->findData(static_cast<int>(letter)));
  shownLetter_ = letter;
  sealingDate_->setText(date);
  sealingTemple_->setEditText(temple);
}

void CParentsOfDialog::Spin(int step) {
  if (!CanEdit() || (gate.checkPassword && !gate.checkPassword())) return;
  const char letter = ComboLetter();
  const QString date = sealingDate_->text(), temple = sealingTemple_->currentText();
  if (!links_.MoveCurrent(step)) return;
  Fill();
  relation_->setCurrentIndex(relation_->findData(static_cast<int>(letter)));
  shownLetter_ = letter;
  sealingDate_->setText(date);
  sealingTemple_->setEditText(temple);
}

void CParentsOfDialog::Unlink() {
  if (!CanEdit() || links_.Current() < 0) return;
  if (gate.checkPassword && !gate.checkPassword()) return;
  if (plat::MessageBox(res::LoadString(res::kIdsUnlinkChild), "Parents of", plat::kMbYesNo) !=
      plat::kIdYes)
    return;
  links_.UnlinkCurrent();
  Fill();
}

void CParentsOfDialog::Add() {
  if (!CanEdit()) return;
  AskAndStore();
  const int current = links_.Current();
  CAddParentsDialog dialog(links_.Rin(), current >= 0 ? links_.Link(current).mrin : 0, this);
  if (runAddParents ? runAddParents(dialog) != fw::kIdOk : dialog.exec() != fw::kIdOk) return;
  if (dialog.resultLink <= 0 || !links_.AppendLink(dialog.resultLink)) return;
  Fill();
}

void CParentsOfDialog::OnOK() {
  if (gate.checkPassword && !gate.checkPassword()) return;
  if (links_.Current() >= 0 && CanEdit()) {
    TakeCurrent();
    links_.Save();
  }
  done(fw::kIdOk);
}

}  // namespace editui
