#include "EditIndividualDialog.h"
#include "IndividualRecord.h"
#include "NotesDialogs.h"
#include "RecordAccess.h"

#include <QAction>
#include <QFont>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "AppScreens.h"
#include "CharacterMapPopup.h"
#include "DbCodes.h"
#include "EditEnvironment.h"
#include "EventTypeDialogs.h"
#include "FieldListRow.h"
#include "FieldListWidget.h"
#include "IndividualNode.h"
#include "KorApp.h"
#include "MultimediaChain.h"
#include "ParentsOfDialog.h"
#include "QtPorts.h"
#include "RowCitations.h"
#include "SmallRecordDialogs.h"
#include "SourceDialogs.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"

namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }
// Code page text, private pairs included.
QString Str(const std::string& text) { return fw::ToQString(text); }

}  // namespace

CEditIndividualDialog::CEditIndividualDialog(QWidget* parent, CIndividualNode* individual,
                                             CIndividualNode* related, int mode)
    : fw::CResizableDialog(parent),
      caption(res::LoadString(res::kIdsAddIndividual)),
      session_(individual, related, mode),
      owner_(&session_.Model(),
             [this] {
               session_.SetChanged();
               QTimer::singleShot(0, this, [this] { UpdateHeading(); });
             }),
      hooks_(editui::ApplicationHooks(this)) {
  auto* heading = AddControl(kIdcHeading, new QLabel);
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  heading->setFont(bold);
  heading->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  list_ = AddControl(kIdcList, new CFieldListWidget);
  list_->SetupColumns(QString(), editui::kLabelWidth, QString(), editui::kValueWidth,
                      editui::kMarkerWidth);
  list_->List().SetOwner(&owner_);
  owner_.onButton = [this](int row, int count) { return OnRowCitations(row, count); };
  list_->setMinimumSize(editui::kLabelWidth + editui::kValueWidth + editui::kMarkerWidth + 24,
                        DialogUnitsToPixels(0, 180).height());

  auto* buttons = new QVBoxLayout;
  const struct {
    int id;
    const char* text;
  } entries[] = {{fw::kIdOk, "&Save"},
                 {fw::kIdCancel, "Cancel"},
                 {kIdcOptions, "&Options"},
                 {kIdcHelp, "&Help"}};
  for (const auto& s : entries) buttons->addWidget(AddControl(s.id, new QPushButton(Text(s.text))));
  buttons->addSpacing(DialogUnitsToPixels(0, 8).height());
  const struct {
    int id;
    const char* text;
    int tip;
  } pictures[] = {{kIdcNotes, "&Notes", res::kIdsNotesTip},
                  {kIdcSources, "Sou&rces", res::kIdsViewAllSourcesTip},
                  {kIdcAddress, "&Address", res::kIdsAddressTip},
                  {kIdcMedia, "&Media", res::kIdsMultimediaTip}};
  for (const auto& s : pictures) {
    auto* button = AddControl(s.id, new QPushButton(Text(s.text)));
    button->setToolTip(Str(res::LoadString(s.tip)));
    buttons->addWidget(button);
  }
  buttons->addStretch();
  buttons->addWidget(AddControl(kIdcLegend, new QLabel(Text("s = sources"))));
  Control<QPushButton>(fw::kIdOk)->setDefault(true);
  Control<QPushButton>(kIdcHelp)->setEnabled(false);

  auto* statics = new QHBoxLayout;
  statics->addWidget(AddControl(kIdcRin, new QLabel(Text("RIN:"))));
  statics->addWidget(AddControl(kIdcSbn, new QLabel), 1);
  statics->addWidget(AddControl(kIdcLastChanged, new QLabel));

  auto* grid = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(heading);
  left->addWidget(list_, 1);
  left->addLayout(statics);
  grid->addLayout(left, 1);
  grid->addLayout(buttons);
  setLayout(grid);

  connect(Control<QPushButton>(fw::kIdOk), &QPushButton::clicked, this,
          &CEditIndividualDialog::accept);
  connect(Control<QPushButton>(fw::kIdCancel), &QPushButton::clicked, this,
          &CEditIndividualDialog::reject);
  connect(Control<QPushButton>(kIdcOptions), &QPushButton::clicked, this, [this] {
    QPushButton* button = Control<QPushButton>(kIdcOptions);
    button->setFocus();
    OptionsMenu()->exec(button->mapToGlobal(QPoint(0, button->height())));
  });
  connect(Control<QPushButton>(kIdcAddress), &QPushButton::clicked, this,
          &CEditIndividualDialog::OnAddress);
  connect(Control<QPushButton>(kIdcNotes), &QPushButton::clicked, this,
          &CEditIndividualDialog::OnNotes);
  connect(Control<QPushButton>(kIdcSources), &QPushButton::clicked, this,
          &CEditIndividualDialog::OnSources);
  // Alt+N, Alt+R, Alt+A and Alt+M are the picture buttons' mnemonics (a
  // second shortcut on the same key would make both ambiguous). The
  // collection is a screen the program registers; without it Media is off.
  EnableControl(kIdcMedia, AppScreens().multimediaCollection != nullptr);
  connect(Control<QPushButton>(kIdcMedia), &QPushButton::clicked, this,
          &CEditIndividualDialog::OnMultimedia);
  connect(list_, &CFieldListWidget::resized, this, [this] { editui::FitValueColumn(list_); });

  const struct {
    QKeySequence keys;
    int section;
  } sections[] = {{QKeySequence(Text("Alt+P")), res::kIdsPersonal},
                  {QKeySequence(Text("Alt+E")), res::kIdsEvents},
                  {QKeySequence(Text("Alt+L")), res::kIdsOrdinances},
                  {QKeySequence(Text("Alt+T")), res::kIdsOther},
                  {QKeySequence(Text("Alt+V")), res::kIdsOtherEvents}};
  for (const auto& s : sections) {
    const int section = s.section;
    connect(new QShortcut(s.keys, this), &QShortcut::activated, this,
            [this, section] { GoToSection(section); });
  }
  editui::AddEditingKeys(this, list_);
}

CEditIndividualDialog::~CEditIndividualDialog() {
  owner_.dropping = true;
  editui::ReleaseScreen(this, list_);
}

QMenu* CEditIndividualDialog::OptionsMenu() {
  if (menu_ == nullptr) {
    menu_ = new QMenu(this);
    menu_->addAction(Text("New &Event/Attribute..."), this, &CEditIndividualDialog::OnNewEvent);
    removeAction_ = menu_->addAction(Text("Remo&ve Event/Attribute"), this,
                                     &CEditIndividualDialog::OnRemoveEvent);
    parentsAction_ = menu_->addAction(Text("Edit &Parents"), this, [this] {
      CIndividualNode* node = session_.Node();
      if (node == nullptr || node->GetRin() <= 0) return;
      list_->List().EndCurrentEdit(1, 1);
      // What the screen holds of the parent families: the first link, the
      // parents in use and the primary sealing.
      auto held = [node] {
        const CIndividualLinks* links = node->GetLinks();
        const CSealingToParentsOrdinance* sealing = node->GetSealingToParents();
        std::string key = std::to_string(links != nullptr ? links->parentLink : 0) + "|" +
                          std::to_string(links != nullptr ? links->ParentsMrin() : 0);
        if (sealing != nullptr)
          key += "|" + sealing->GetDateString() + "|" + sealing->templeCode + "|" +
                 std::to_string(sealing->firstCitation);
        return key;
      };
      const std::string before = held();
      {
        editui::CParentsOfDialog dialog(node->GetRin(), false, this, node);
        dialog.exec();
      }
      if (held() == before) return;
      session_.Model().TakeParentLinks();
      list_->List().Reload(&session_.Model(), nullptr);
      list_->Refresh();
    });
    menu_->addSeparator();
    menu_->addAction(Text("&Notes\tAlt+N"), this, &CEditIndividualDialog::OnNotes);
    menu_->addAction(Text("Sou&rces\tAlt+R"), this, &CEditIndividualDialog::OnSources);
    menu_->addAction(Text("&Address\tAlt+A"), this, &CEditIndividualDialog::OnAddress);
    menu_->addAction(Text("&Multimedia\tAlt+M"), this, &CEditIndividualDialog::OnMultimedia)
        ->setEnabled(AppScreens().multimediaCollection != nullptr);
    menu_->addSeparator();
    menu_->addAction(Text("&Character Map\tF7"), this,
                     [this] { list_->List().ShowCharacterMapForCell(); });
    menu_->addAction(Text("&Date Calculator\tShift+F7"), this,
                     [this] { editui::RunDateCalculator(this); });
  }
  PrepareMenu();
  return menu_;
}

void CEditIndividualDialog::PrepareMenu() {
  removeAction_->setEnabled(editui::UserEventOfRow(session_.Model(), CurrentRow()) != nullptr);
  // Parent families belong to an individual already in the file.
  parentsAction_->setEnabled(session_.Node() != nullptr && session_.Node()->GetRin() > 0);
}

CFieldListRow* CEditIndividualDialog::CurrentRow() const {
  return list_->List().GetRowObject(list_->List().GetCurrentLine());
}

void CEditIndividualDialog::OnInitDialog() {
  fw::CResizableDialog::OnInitDialog();
  CKorApp* app = CKorApp::Instance();
  if (app != nullptr) app->SetAcceleratorWindow(this);
  CIndividualNode* node = session_.Node();
  const std::int32_t stamp = node ? node->GetRecordNumber(0) : 0;
  if (stamp != 0) {
    CTimeStamp time;
    time.SetStamp(stamp);
    SetControlText(kIdcLastChanged,
                   res::LoadString(res::kIdsLastChanged) + ": " + time.FormatDate());
  }
  if (!EditEnvironment().options.allowSbnEdit) {
    const std::string sbn = session_.Model().GetSBN();
    if (!sbn.empty())
      SetControlText(kIdcSbn, res::LoadString(res::kIdsStirpbankNumber) + ": " + sbn);
  }
  SetControlText(kIdcRin, "RIN: " + std::to_string(session_.GetRin()));
  if (!presetSurname.empty()) session_.Model().SetSurname(presetSurname, 0);
  if (presetSex == 'M' || presetSex == 'F') session_.Model().SetSex(presetSex);
  setWindowTitle(Str(caption));
  session_.Model().SetHasMarriages(session_.HasMarriages());
  list_->List().Reload(&session_.Model(), nullptr);
  list_->Refresh();
  UpdatePictures();
  UpdateHeading();
}

void CEditIndividualDialog::resizeEvent(QResizeEvent* event) {
  if (list_ != nullptr) list_->List().EndCurrentEdit(1, 1);
  fw::CResizableDialog::resizeEvent(event);
}

void CEditIndividualDialog::showEvent(QShowEvent* event) {
  fw::CResizableDialog::showEvent(event);
  editui::PlaceOnFirstShow(this, "Individual", placed_);
}

std::string CEditIndividualDialog::ShownName() {
  CIndividualEditModel& model = session_.Model();
  CIndividualNode name;
  name.SetSurname(model.GetSurname());
  name.SetGivenNames(model.GetGivenName());
  name.SetTitle(model.GetTitlePrefix());
  name.SetSuffix(model.GetTitleSuffix());
  return name.FormatName(0, CIndividualNode::kMaxNameChars, 0, nullptr);
}

void CEditIndividualDialog::UpdateHeading() {
  auto* heading = Control<QLabel>(kIdcHeading);
  const QString text =
      heading->fontMetrics().elidedText(Str(ShownName()), Qt::ElideRight, heading->width());
  if (heading->text() != text) heading->setText(text);
}

void CEditIndividualDialog::UpdatePictures() {
  CIndividualNode* node = session_.Node();
  Control<QPushButton>(kIdcAddress)
      ->setIcon(editui::ButtonPicture(0, node != nullptr && !node->IsContactEmpty()));
  const bool media = session_.IsNew() ? session_.PendingMedia() != nullptr
                                      : DbGetMultimediaHead(session_.GetRin(), db::kIndividual) > 0;
  Control<QPushButton>(kIdcMedia)->setIcon(editui::ButtonPicture(1, media));
  Control<QPushButton>(kIdcNotes)->setIcon(editui::ButtonPicture(2, node && node->HasNotes()));
  Control<QPushButton>(kIdcSources)
      ->setIcon(editui::ButtonPicture(3, session_.Model().HasCitations() != 0));
}

// The notes are written by their own dialog at once; the stored record keeps
// its note link whatever this screen saves, so only the picture follows.
void CEditIndividualDialog::OnNotes() {
  CIndividualNode* node = session_.Node();
  if (node == nullptr || node->GetRin() <= 0) return;
  CKorApp* app = CKorApp::Instance();
  // The name as typed so far: a new individual has none stored yet.
  notesui::RunNotesDialog(this, 'I', node->GetRin(), app && app->m_options.editNote != 0, 0, 0,
                          ShownName());
  CIndividualRecord stored;
  if (family::Read(stored, node->GetRin()) == 1)
    node->SetNoteLink(stored.numbers[CIndividualRecord::kFirstNote]);
  UpdatePictures();
}

// An individual not stored yet collects its items in the pending list, which
// Save writes with it.
void CEditIndividualDialog::OnMultimedia() {
  if (!AppScreens().multimediaCollection) return;
  const std::int32_t rin = session_.IsNew() ? 0 : session_.GetRin();
  if (!session_.IsNew() && rin <= 0) return;
  AppScreens().multimediaCollection(this, rin, session_.PendingMedia());
  UpdatePictures();
}

void CEditIndividualDialog::OnSources() {
  CIndividualNode* node = session_.Node();
  if (node == nullptr || node->GetRin() <= 0) return;
  notesui::RunViewSources(this, 'I', node->GetRin(), ShownName());
  UpdatePictures();
}

int CEditIndividualDialog::OnRowCitations(int line, int count) {
  RowCitationOwner target;
  if (!IndividualRowCitations(session_.Model(), session_.GetRin(), list_->List().GetRowObject(line),
                              target))
    return count;
  std::string name = session_.Model().GetGivenName();
  const std::string surname = session_.Model().GetSurname();
  if (!name.empty() && !surname.empty()) name += ' ';
  name += surname;
  editui::RunRowSourcesFor(this, target, name, "");
  const std::int32_t first = TakeRowCitations(target, &session_.Model());
  UpdatePictures();
  return first;
}

void CEditIndividualDialog::OnAddress() {
  CIndividualNode* node = session_.Node();
  if (node == nullptr) return;
  list_->List().EndCurrentEdit(1, 1);
  editui::CContactInfoDialog dialog(this, *node);
  dialog.captionInsert = session_.CaptionName(ShownName());
  if (dialog.exec() == fw::kIdOk) UpdatePictures();
}

void CEditIndividualDialog::OnNewEvent() {
  if (!hooks_.CheckPassword()) return;
  CSelectEventDialog select(session_.CaptionName(ShownName()), 'I', this, -1);
  if (select.exec() != fw::kIdOk) return;
  list_->List().EndCurrentEdit(1, 1);
  CFieldListRow* row = session_.AddUserEvent(select.chosen, hooks_);
  if (row == nullptr) return;
  list_->List().Reload(&session_.Model(), row);
  list_->Refresh();
}

void CEditIndividualDialog::OnRemoveEvent() {
  list_->List().EndCurrentEdit(1, 1);
  CUserEventRecord* event = editui::UserEventOfRow(session_.Model(), CurrentRow());
  if (event == nullptr) return;
  if (!hooks_.CheckPassword()) return;
  if (!ConfirmRemoveEvent(event->GetLabel())) return;
  session_.Model().RemoveUserEvent(event);
  list_->List().Reload(&session_.Model(), nullptr);
  list_->Refresh();
}

void CEditIndividualDialog::GoToSection(int labelId) { editui::GoToSection(list_, labelId); }

void CEditIndividualDialog::OnOK() {
  if (!list_->List().EndCurrentEdit(1, 1)) return;
  const int result = session_.Save(hooks_);
  if (result == editsession::kStayOpen) {
    if (session_.GetFocusRow() != 0) GoToSection(session_.GetFocusRow());
    return;
  }
  EndDialog(result);
}

void CEditIndividualDialog::OnCancel() {
  owner_.dropping = true;
  list_->List().EndCurrentEdit(0, 0);
  owner_.dropping = false;
  const int result = session_.Cancel(hooks_);
  if (result == editsession::kStayOpen) {
    if (session_.GetFocusRow() != 0) GoToSection(session_.GetFocusRow());
    return;
  }
  owner_.dropping = true;
  EndDialog(result);
}

void CEditIndividualDialog::done(int result) {
  SavePlacement("Individual", editui::RectOf(this), isMinimized() || isMaximized());
  CKorApp* app = CKorApp::Instance();
  if (app != nullptr && app->GetAcceleratorWindow() == this) app->SetAcceleratorWindow(nullptr);
  fw::CResizableDialog::done(result);
}
