#include "MarriageDialog.h"
#include "NotesDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "CharacterMapPopup.h"
#include "DbCodes.h"
#include "EventTypeDialogs.h"
#include "FieldListRow.h"
#include "FieldListWidget.h"
#include "IndividualNode.h"
#include "KorApp.h"
#include "MarriageNode.h"
#include "QtPorts.h"
#include "RowCitations.h"
#include "SourceDialogs.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"

namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }
// Code page text, private pairs included.
QString Str(const std::string& text) { return fw::ToQString(text); }

}  // namespace

CMarriageDialog::CMarriageDialog(QWidget* parent, CMarriageNode* marriage)
    : fw::CResizableDialog(parent),
      session_(marriage),
      owner_(&session_.Model(), [this] { session_.SetChanged(); }),
      hooks_(editui::ApplicationHooks(this)) {
  setWindowTitle(Text("Marriage"));
  list_ = AddControl(kIdcList, new CFieldListWidget);
  list_->SetupColumns(QString(), editui::kLabelWidth, QString(), editui::kValueWidth,
                      editui::kMarkerWidth);
  list_->List().SetOwner(&owner_);
  owner_.onButton = [this](int row, int count) { return OnRowCitations(row, count); };
  list_->setMinimumSize(editui::kLabelWidth + editui::kValueWidth + editui::kMarkerWidth + 24,
                        DialogUnitsToPixels(0, 150).height());

  auto* names = new QGridLayout;
  auto* husband = AddControl(kIdcHusband, new QLabel);
  auto* wife = AddControl(kIdcWife, new QLabel);
  QFont bold = husband->font();
  bold.setBold(true);
  husband->setFont(bold);
  wife->setFont(bold);
  names->addWidget(new QLabel(Text("Husband:")), 0, 0);
  names->addWidget(husband, 0, 1);
  names->addWidget(new QLabel(Text("Wife:")), 1, 0);
  names->addWidget(wife, 1, 1);
  names->setColumnStretch(1, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(AddControl(kIdcMrin, new QLabel(Text("MRIN:"))));
  bottom->addWidget(AddControl(kIdcDivorced, new QCheckBox(Text("&Divorced"))));
  bottom->addStretch();

  auto* buttons = new QVBoxLayout;
  const struct {
    int id;
    const char* text;
  } entries[] = {{fw::kIdOk, "&Save"},    {fw::kIdCancel, "Cancel"}, {kIdcOptions, "&Options"},
                 {kIdcSource, "So&urce"}, {kIdcDelete, "Delete"},    {kIdcHelp, "&Help"},
                 {kIdcNotes, "&Notes"},   {kIdcSources, "Sou&rces"}};
  for (const auto& s : entries) buttons->addWidget(AddControl(s.id, new QPushButton(Text(s.text))));
  buttons->addStretch();
  buttons->addWidget(AddControl(kIdcLegend, new QLabel(Text("s = sources"))));
  Control<QPushButton>(fw::kIdOk)->setDefault(true);
  EnableControl(kIdcHelp, false);
  connect(Control<QPushButton>(kIdcSource), &QPushButton::clicked, this,
          &CMarriageDialog::OnSource);
  Control<QPushButton>(kIdcNotes)->setIcon(editui::ButtonPicture(2, false));
  // Alt+N and Alt+R are the Notes and Sources buttons' mnemonics.
  connect(Control<QPushButton>(kIdcNotes), &QPushButton::clicked, this, &CMarriageDialog::OnNotes);
  connect(Control<QPushButton>(kIdcSources), &QPushButton::clicked, this,
          &CMarriageDialog::OnSources);
  Control<QPushButton>(kIdcNotes)->setToolTip(Str(res::LoadString(res::kIdsNotesTip)));
  Control<QPushButton>(kIdcSources)->setToolTip(Str(res::LoadString(res::kIdsViewAllSourcesTip)));

  auto* left = new QVBoxLayout;
  left->addLayout(names);
  left->addWidget(list_, 1);
  left->addLayout(bottom);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(buttons);
  setLayout(top);

  connect(Control<QPushButton>(fw::kIdOk), &QPushButton::clicked, this, &CMarriageDialog::accept);
  connect(Control<QPushButton>(fw::kIdCancel), &QPushButton::clicked, this,
          &CMarriageDialog::reject);
  connect(Control<QPushButton>(kIdcDelete), &QPushButton::clicked, this,
          &CMarriageDialog::OnDelete);
  connect(Control<QPushButton>(kIdcOptions), &QPushButton::clicked, this, [this] {
    QPushButton* button = Control<QPushButton>(kIdcOptions);
    button->setFocus();
    OptionsMenu()->exec(button->mapToGlobal(QPoint(0, button->height())));
  });
  connect(list_, &CFieldListWidget::resized, this, [this] { editui::FitValueColumn(list_); });
  const struct {
    QKeySequence keys;
    int section;
  } sections[] = {{QKeySequence(Text("Alt+E")), res::kIdsEvents},
                  {QKeySequence(Text("Alt+L")), res::kIdsOrdinances},
                  {QKeySequence(Text("Alt+V")), res::kIdsOtherEvents}};
  for (const auto& s : sections) {
    const int section = s.section;
    connect(new QShortcut(s.keys, this), &QShortcut::activated, this,
            [this, section] { GoToSection(section); });
  }
  editui::AddEditingKeys(this, list_);
}

CMarriageDialog::~CMarriageDialog() {
  owner_.dropping = true;
  editui::ReleaseScreen(this, list_);
}

std::string CMarriageDialog::SpouseName(bool husband) const {
  CMarriageNode* node = session_.Node();
  CIndividualNode* spouse = node == nullptr ? nullptr
                            : husband       ? node->GetHusband()
                                            : node->GetWife();
  return spouse ? spouse->FormatName(0, CIndividualNode::kMaxNameChars, 0, nullptr) : std::string();
}

std::string CMarriageDialog::BuildMarriageTitle() const {
  std::string husband = SpouseName(true), wife = SpouseName(false);
  if (husband.empty()) husband = res::LoadString(res::kIdsUnknown);
  if (wife.empty()) wife = res::LoadString(res::kIdsUnknown);
  return res::LoadString(res::kIdsMarriageOf) + " " + husband + " " +
         res::LoadString(res::kIdsAnd) + " " + wife;
}

QMenu* CMarriageDialog::OptionsMenu() {
  if (menu_ == nullptr) {
    menu_ = new QMenu(this);
    menu_->addAction(Text("New &Event/Attribute..."), this, &CMarriageDialog::OnNewEvent);
    removeAction_ =
        menu_->addAction(Text("Remo&ve Event/Attribute"), this, &CMarriageDialog::OnRemoveEvent);
    menu_->addSeparator();
    menu_->addAction(Text("&Notes\tAlt+N"), this, &CMarriageDialog::OnNotes);
    menu_->addAction(Text("Sou&rces\tAlt+R"), this, &CMarriageDialog::OnSources);
    menu_->addSeparator();
    menu_->addAction(Text("&Character Map\tF7"), this,
                     [this] { list_->List().ShowCharacterMapForCell(); });
    menu_->addAction(Text("&Date Calculator\tShift+F7"), this,
                     [this] { editui::RunDateCalculator(this); });
  }
  removeAction_->setEnabled(editui::UserEventOfRow(session_.Model(), CurrentRow()) != nullptr);
  return menu_;
}

// Notes are written by their own dialog at once; the stored marriage keeps
// its note link whatever this screen saves.
void CMarriageDialog::OnNotes() {
  if (session_.GetMrin() <= 0) return;
  notesui::CNotesDialog dialog('M', session_.GetMrin(), "", BuildMarriageTitle(), this);
  dialog.exec();
}

void CMarriageDialog::OnSources() {
  if (session_.GetMrin() <= 0) return;
  notesui::RunViewSources(this, 'M', session_.GetMrin(), BuildMarriageTitle());
  UpdateSourceButtons();
}

// The marriage record's own citations, titled with both names around a "/"
// (a missing spouse leaves the "/" alone at that end).
void CMarriageDialog::OnSource() {
  const std::int32_t mrin = session_.GetMrin();
  if (mrin <= 0) return;
  RowCitationOwner target;
  target.owner = mrin;
  target.letter = db::kOwnerMarriage;
  target.first = session_.Model().GetOwnFirstCitation();
  editui::RunRowSourcesFor(this, target, SpouseName(true) + "/" + SpouseName(false), "");
  const std::int32_t first = FirstCitationOf(mrin, db::kOwnerMarriage);
  session_.Model().SetOwnFirstCitation(first);
  if (CMarriageNode* node = session_.Node()) node->numbers[3] = first;
  UpdateSourceButtons();
}

void CMarriageDialog::UpdateSourceButtons() {
  Control<QPushButton>(kIdcSources)
      ->setIcon(editui::ButtonPicture(3, session_.Model().HasCitations() != 0));
  // A "*" tells that the marriage record itself has citations.
  const QString source =
      (session_.Model().GetOwnFirstCitation() > 0 ? Text("*") : QString()) + Text("So&urce");
  auto* button = Control<QPushButton>(kIdcSource);
  if (button->text() != source) button->setText(source);
}

int CMarriageDialog::OnRowCitations(int line, int count) {
  RowCitationOwner target;
  if (!MarriageRowCitations(session_.Model(), session_.GetMrin(), list_->List().GetRowObject(line),
                            target))
    return count;
  editui::RunRowSourcesFor(this, target, SpouseName(true), SpouseName(false));
  const std::int32_t first = TakeRowCitations(target);
  UpdateSourceButtons();
  return first;
}

CFieldListRow* CMarriageDialog::CurrentRow() const {
  return list_->List().GetRowObject(list_->List().GetCurrentLine());
}

void CMarriageDialog::OnInitDialog() {
  fw::CResizableDialog::OnInitDialog();
  CKorApp* app = CKorApp::Instance();
  if (app != nullptr) app->SetAcceleratorWindow(this);
  SetControlText(kIdcMrin, "MRIN: " + std::to_string(session_.GetMrin()));
  SetControlText(kIdcHusband, SpouseName(true));
  SetControlText(kIdcWife, SpouseName(false));
  SetCheck(kIdcDivorced, session_.Model().IsDivorced() ? 1 : 0);
  UpdateSourceButtons();
  list_->List().Reload(&session_.Model(), nullptr);
  list_->Refresh();
}

void CMarriageDialog::resizeEvent(QResizeEvent* event) {
  if (list_ != nullptr) list_->List().EndCurrentEdit(1, 1);
  fw::CResizableDialog::resizeEvent(event);
}

void CMarriageDialog::showEvent(QShowEvent* event) {
  fw::CResizableDialog::showEvent(event);
  editui::PlaceOnFirstShow(this, "Marriage", placed_);
}

void CMarriageDialog::OnNewEvent() {
  if (!hooks_.CheckPassword()) return;
  const std::string insert =
      SpouseName(true) + " " + res::LoadString(res::kIdsAnd) + " " + SpouseName(false);
  CSelectEventDialog select(insert, 'M', this, -1);
  if (select.exec() != fw::kIdOk) return;
  list_->List().EndCurrentEdit(1, 1);
  CFieldListRow* row = session_.AddUserEvent(select.chosen, hooks_);
  if (row == nullptr) return;
  list_->List().Reload(&session_.Model(), row);
  list_->Refresh();
}

void CMarriageDialog::OnRemoveEvent() {
  if (!list_->List().EndCurrentEdit(1, 1)) return;
  if (!hooks_.CheckPassword()) return;
  CUserEventRecord* event = editui::UserEventOfRow(session_.Model(), CurrentRow());
  if (event == nullptr) return;
  if (!ConfirmRemoveEvent(event->GetLabel())) return;
  session_.Model().RemoveUserEvent(event);
  list_->List().Reload(&session_.Model(), nullptr);
  list_->Refresh();
}

void CMarriageDialog::OnDelete() {
  const int result = session_.Delete(hooks_);
  if (result != editsession::kStayOpen) {
    owner_.dropping = true;
    EndDialog(result);
  }
}

void CMarriageDialog::GoToSection(int labelId) { editui::GoToSection(list_, labelId); }

void CMarriageDialog::OnOK() {
  if (!list_->List().EndCurrentEdit(1, 1)) return;
  const int result = session_.Save(GetCheck(kIdcDivorced) == 1, hooks_);
  if (result != editsession::kStayOpen) EndDialog(result);
}

void CMarriageDialog::OnCancel() {
  owner_.dropping = true;
  list_->List().EndCurrentEdit(0, 0);
  owner_.dropping = false;
  const int result = session_.Cancel(GetCheck(kIdcDivorced) == 1, hooks_);
  if (result == editsession::kStayOpen) return;
  owner_.dropping = true;
  EndDialog(result);
}

void CMarriageDialog::done(int result) {
  SavePlacement("Marriage", editui::RectOf(this), isMinimized() || isMaximized());
  CKorApp* app = CKorApp::Instance();
  if (app != nullptr && app->GetAcceleratorWindow() == this) app->SetAcceleratorWindow(nullptr);
  fw::CResizableDialog::done(result);
}
