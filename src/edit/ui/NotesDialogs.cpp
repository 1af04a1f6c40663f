#include "NotesDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "CharacterMapPopup.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SettingsChoosers.h"
#include "StringIds.h"
#include "StringTable.h"

namespace notesui {

namespace {

QPushButton* Button(const char* text) { return new QPushButton(QString::fromUtf8(text)); }

std::string FormatS(std::string text, const std::string& arg) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, arg);
  return text;
}

bool ShowZel() {
  CKorApp* app = CKorApp::Instance();
  return app != nullptr && app->m_options.showZel != 0;
}

// The remembered note block of Ditto Last Record, kept by the current document.
constexpr int kDittoNotesBlock = 2;

CMainFrame* Frame() {
  CKorApp* app = CKorApp::Instance();
  return app != nullptr ? app->GetMainFrame() : nullptr;
}

}  // namespace

notes::EditGate AppGate() {
  return {nullptr, [] {
            CKorApp* app = CKorApp::Instance();
            return app == nullptr || app->CheckEditPassword() != 0;
          }};
}

QString ToEditText(const std::string& crlf) {
  QString text = fw::ToQString(crlf);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string FromEditText(const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return fw::FromQString(crlf);
}

std::string RecordName(char kind, std::int32_t rin) {
  std::string name;
  if (kind == notes::kMarriage) {
    CMarriageRecord marriage;
    if (DbGetRecord(rin, db::kMarriage, &marriage) != 1) return name;
    for (std::int32_t spouse : {marriage.husband, marriage.wife}) {
      CIndividualRecord person;
      if (spouse == 0 || DbGetRecord(spouse, db::kIndividual, &person) != 1) continue;
      if (!name.empty()) name += " / ";
      name += person.GetName(0, false, 0, false);
    }
  } else {
    CIndividualRecord person;
    if (DbGetRecord(rin, db::kIndividual, &person) == 1) name = person.GetName(0, false, 0, false);
  }
  if (name.size() > 60) name.resize(60);
  return name;
}

// ---- Notes ----

CNotesDialog::CNotesDialog(char kind, std::int32_t rin, const std::string& tag,
                           const std::string& shownName, QWidget* parent)
    : fw::CDialogBase(parent), session(kind, rin, tag), name(shownName) {
  if (name.empty()) name = RecordName(kind, rin);
  setWindowTitle(fw::ToQString(session.Caption(name)));
  edit_ = AddControl(kIdcText, new QPlainTextEdit);
  if (CKorApp* app = CKorApp::Instance())
    edit_->setFont(prefs::FontFromDescription(app->m_options.fonts[kFontNotesEdit]));
  lastNotesBlock = [] {
    CMainFrame* frame = Frame();
    return frame != nullptr ? static_cast<std::int32_t>(frame->OnGetDittoRin(kDittoNotesBlock)) : 0;
  };
  rememberNotesBlock = [](std::int32_t block) {
    if (CMainFrame* frame = Frame()) frame->OnSetDittoRin(kDittoNotesBlock, block);
  };
  auto* save = AddControl(fw::kIdOk, Button("&Save"));
  auto* del = AddControl(kIdcDelete, Button("&Delete"));
  auto* cancel = AddControl(fw::kIdCancel, Button("Cancel"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  auto* sources = AddControl(kIdcSources, Button("Sou&rces"));
  for (QPushButton* b : {del, cancel, help, sources}) b->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  // Left-aligned, so the Help button's right edge bounds the least width.
  for (QPushButton* b : {save, del, cancel, sources, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QVBoxLayout(this);
  auto* bar = new QMenuBar;
  editMenu_ = bar->addMenu(QStringLiteral("&Edit"));
  top->setMenuBar(bar);
  top->addWidget(edit_, 1);
  top->addLayout(buttons);
  resize(DialogUnitsToPixels(276, 170));
  connect(editMenu_, &QMenu::aboutToShow, this, &CNotesDialog::UpdateEditMenu);

  edit_->setPlainText(ToEditText(session.Load()));
  const bool hasCitations = !sources::CollectCitations(rin, kind, ShowZel()).empty();
  EnableControl(kIdcSources, hasCitations);
  if (hasCitations) sources->setText(sources->text() + QStringLiteral("*"));
  if (gate.IsReadOnly()) {
    EnableControl(fw::kIdOk, false);
    EnableControl(kIdcDelete, false);
  }
  auto* f7 = new QShortcut(QKeySequence(Qt::Key_F7), this);
  connect(f7, &QShortcut::activated, this, &CNotesDialog::ShowCharacterMap);
  connect(save, &QPushButton::clicked, this, &CNotesDialog::Save);
  connect(del, &QPushButton::clicked, this, &CNotesDialog::Delete);
  connect(cancel, &QPushButton::clicked, this, &CNotesDialog::reject);
  connect(sources, &QPushButton::clicked, this,
          [this] { RunViewSources(this, session.Kind(), session.Rin()); });
}

namespace {

// The bottom of the caret's line one line lower, in the dialog's client area.
int CaretLineBottom(QPlainTextEdit* edit, QWidget* dialog) {
  const QRect caret = edit->cursorRect();
  return edit->viewport()->mapTo(dialog, caret.bottomLeft()).y() + edit->fontMetrics().height();
}

}  // namespace

void CNotesDialog::ShowCharacterMap() {
  if (!map_)
    map_ = new CCharacterMapPopup(this, [this](unsigned char c) {
      edit_->insertPlainText(fw::ToQString(std::string(1, static_cast<char>(c))));
      edit_->ensureCursorVisible();
      KeepCaretClearOfMap();
    });
  const int y =
      notes::CharacterMapTop(height(), map_->sizeHint().height(), CaretLineBottom(edit_, this));
  map_->OpenAt(this, QPoint(0, y));
}

void CNotesDialog::KeepCaretClearOfMap() {
  if (map_ == nullptr || !map_->isVisible()) return;
  const QRect caret = edit_->cursorRect();
  const QPoint below = edit_->viewport()->mapToGlobal(
      QPoint(caret.left(), caret.bottom() + edit_->fontMetrics().height()));
  if (map_->frameGeometry().contains(below)) map_->move(mapToGlobal(QPoint(0, 1)));
}

void CNotesDialog::showEvent(QShowEvent* event) {
  fw::CDialogBase::showEvent(event);
  if (minimumSet_) return;
  minimumSet_ = true;
  if (QLayout* top = layout()) top->activate();
  const QRect text = edit_->geometry();
  const QWidget* help = GetControl(fw::kIdHelp);
  const notes::ClientSize least = notes::NotesMinimumSize(text.top(), height() - text.bottom() - 1,
                                                          help->geometry().right() + 1);
  edit_->setMinimumSize(0, 0);
  setMinimumSize(least.width, least.height);
}

notes::CNotesDitto CNotesDialog::MakeDitto() const {
  notes::CNotesDitto ditto(session.Kind(), session.Rin(), lastNotesBlock ? lastNotesBlock() : 0,
                           primary);
  if (shownParents > 0) ditto.UseParents(session.Rin(), shownParents);
  return ditto;
}

void CNotesDialog::UpdateEditMenu() {
  editMenu_->clear();
  const bool selection = edit_->textCursor().hasSelection();
  auto add = [this](const char* text, auto slot, bool enabled) {
    QAction* action = editMenu_->addAction(QString::fromUtf8(text), this, slot);
    action->setEnabled(enabled);
    return action;
  };
  add(
      "&Undo\tCtrl+Z", [this] { edit_->undo(); }, edit_->document()->isUndoAvailable());
  editMenu_->addSeparator();
  add(
      "Cu&t\tCtrl+X", [this] { edit_->cut(); }, selection && !edit_->isReadOnly());
  add(
      "&Copy\tCtrl+C", [this] { edit_->copy(); }, selection);
  add(
      "&Paste\tCtrl+V", [this] { edit_->paste(); }, !QApplication::clipboard()->text().isEmpty());
  add(
      "&Delete\tDel", [this] { edit_->textCursor().removeSelectedText(); }, selection);
  editMenu_->addSeparator();
  add(
      "C&haracter Map\tF7", [this] { ShowCharacterMap(); }, true);
  editMenu_->addSeparator();
  const notes::CNotesDitto ditto = MakeDitto();
  struct Entry {
    const char* text;
    notes::DittoSource source;
  };
  for (const Entry& e : {Entry{"Ditto &Last Record", notes::DittoSource::kLastRecord},
                         Entry{"Ditto &Father", notes::DittoSource::kFather},
                         Entry{"Ditto &Mother", notes::DittoSource::kMother},
                         Entry{"Ditto &Older Sibling", notes::DittoSource::kOlderSibling},
                         Entry{"Ditto P&rimary", notes::DittoSource::kPrimary}}) {
    if (!ditto.Listed(e.source)) continue;
    add(
        e.text, [this, source = e.source] { Ditto(source); }, ditto.Enabled(e.source));
  }
}

void CNotesDialog::Ditto(notes::DittoSource source) {
  const std::string text = MakeDitto().Text(source, session.Tag());
  if (text.empty()) return;
  edit_->insertPlainText(ToEditText(text));
  edit_->setFocus();
}

void CNotesDialog::done(int result) {
  if (result != 0 && rememberNotesBlock)
    if (const std::int32_t block = session.FirstNoteBlock(); block != 0) rememberNotesBlock(block);
  fw::CDialogBase::done(result);
}

void CNotesDialog::Save() {
  const QString text = edit_->toPlainText();
  const int result = session.Save(FromEditText(text), gate,
                                  plat::Utf8LossCount(text.toStdString(), plat::ActiveCodePage()));
  if (result != 0) done(result);
}

void CNotesDialog::Delete() {
  if (edit_->toPlainText().isEmpty()) return;
  auto ask = confirm ? confirm : [](unsigned id) {
    return plat::MessageBox(res::LoadString(id), "Korvane",
                            plat::kMbOkCancel | plat::kMbIconQuestion) == plat::kIdOk;
  };
  const int result = session.Delete(gate, ask);
  if (result != 0) {
    edit_->clear();
    done(result);
  }
}

void CNotesDialog::OnCancel() { done(session.CancelResult()); }

// ---- tag entry ----

CNoteTagDialog::CNoteTagDialog(const std::string& initial, bool modify, QWidget* parent)
    : fw::CDialogBase(parent), tag(initial) {
  setWindowTitle(modify ? fw::ToQString(res::LoadString(res::kIdsModifyCaption))
                        : QStringLiteral("Add Note Tag"));
  auto* label = new QLabel(modify ? fw::ToQString(res::LoadString(res::kIdsModifyLabel))
                                  : QStringLiteral("New &Tag:"));
  auto* edit = AddControl(kIdcTag, new QLineEdit(fw::ToQString(initial)));
  edit->setMaxLength(78);
  edit->setMinimumWidth(DialogUnitsToPixels(140, 0).width());
  label->setBuddy(edit);
  auto* ok = AddControl(fw::kIdOk, Button("OK"));
  auto* cancel = AddControl(fw::kIdCancel, Button("Cancel"));
  ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(edit, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* top = new QVBoxLayout(this);
  top->addLayout(row);
  top->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CNoteTagDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CNoteTagDialog::reject);
}

void CNoteTagDialog::OnOK() {
  const std::string typed = GetControlText(kIdcTag);
  const notes::TagEntry entry = notes::NormalizeTag(typed);
  if (entry.warn) {
    const bool goOn =
        warn ? warn(typed)
             : plat::MessageBox(notes::TagWarningText(typed),
                                res::LoadString(res::kIdsInvalidTagCaption),
                                plat::kMbOkCancel | plat::kMbIconExclamation) == plat::kIdOk;
    if (!goOn) return;
  }
  tag = entry.tag;
  done(fw::kIdOk);
}

// ---- Notes Selector ----

CNotesSelectorDialog::CNotesSelectorDialog(std::int32_t rin, QWidget* parent,
                                           const std::string& name)
    : fw::CDialogBase(parent), rin_(rin), name_(name) {
  if (name_.empty()) name_ = RecordName(notes::kIndividual, rin);
  setWindowTitle(fw::ToQString(FormatS(res::LoadString(res::kIdsSelectorCaption), name_)));
  list_ = AddControl(kIdcList, new QListWidget);
  list_->setMinimumSize(DialogUnitsToPixels(150, 110));
  auto* open = AddControl(fw::kIdOk, Button("&Open"));
  auto* close = AddControl(fw::kIdCancel, Button("&Close"));
  auto* add = AddControl(kIdcAdd, Button("&Add..."));
  auto* modify = AddControl(kIdcModify, Button("&Modify..."));
  auto* remove = AddControl(kIdcRemove, Button("&Remove"));
  auto* defaults = AddControl(kIdcDefaults, Button("De&faults"));
  auto* expand = AddControl(kIdcExpand, Button("&Expand List"));
  auto* up = new QToolButton;
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton;
  down->setArrowType(Qt::DownArrow);
  auto* order = new QWidget;
  auto* orderLayout = new QHBoxLayout(order);
  orderLayout->setContentsMargins(0, 0, 0, 0);
  orderLayout->addWidget(new QLabel(QStringLiteral("Order:")));
  orderLayout->addWidget(up);
  orderLayout->addWidget(down);
  AddControl(kIdcUpDown, order);
  open->setDefault(true);
  // Never laid out: the dialog owns it, so it goes with the dialog.
  expand->setParent(this);
  expand->hide();
  expand->setEnabled(false);

  auto* buttons = new QVBoxLayout;
  for (QWidget* b :
       std::initializer_list<QWidget*>{open, close, add, modify, remove, order, defaults})
    buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addWidget(list_, 1);
  top->addLayout(buttons);

  connect(open, &QPushButton::clicked, this, &CNotesSelectorDialog::Open);
  connect(close, &QPushButton::clicked, this, &CNotesSelectorDialog::reject);
  connect(add, &QPushButton::clicked, this, &CNotesSelectorDialog::AddTag);
  connect(modify, &QPushButton::clicked, this, &CNotesSelectorDialog::ModifyTag);
  connect(remove, &QPushButton::clicked, this, &CNotesSelectorDialog::RemoveTag);
  connect(defaults, &QPushButton::clicked, this, &CNotesSelectorDialog::RestoreDefaults);
  connect(up, &QToolButton::clicked, this, [this] { MoveTag(-1); });
  connect(down, &QToolButton::clicked, this, [this] { MoveTag(1); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    tags.Select(row);
    UpdateButtons();
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Open(); });
  Refill();
}

void CNotesSelectorDialog::Refill() {
  const bool hasNotes = DbGetNoteBlock(rin_, db::kIndividual) != 0;
  tags.Fill(hasNotes, DbGetNoteTagList(rin_, 0, db::kIndividual));
  ShowList();
}

void CNotesSelectorDialog::ShowList() {
  const int selected = tags.Selected();
  list_->blockSignals(true);
  list_->clear();
  for (const notes::NoteTagEntry& e : tags.Entries()) {
    QString text = fw::ToQString(e.Text());
    text.replace(QLatin1Char('\t'), QStringLiteral("   "));
    auto* item = new QListWidgetItem(text, list_);
    if (!e.permanent) item->setForeground(QColor(128, 128, 128));
  }
  list_->setCurrentRow(selected);
  list_->blockSignals(false);
  UpdateButtons();
}

void CNotesSelectorDialog::UpdateButtons() {
  const bool changeable = tags.CanChangeSelected();
  for (int id : {kIdcRemove, kIdcModify, kIdcUpDown}) EnableControl(id, changeable);
}

void CNotesSelectorDialog::Open() {
  const int row = tags.Selected();
  if (row < 0) {
    plat::MessageBox(res::LoadString(res::kIdsSelectItem), res::LoadString(res::kIdsErrorCaption),
                     plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  const std::string tag = row == 0 ? "" : tags.Entries()[row].tag;
  CNotesDialog dialog(notes::kIndividual, rin_, tag, name_, this);
  dialog.primary = primary;
  dialog.shownParents = shownParents;
  const int result = runNested(dialog);
  if (result == notes::kSaved || result == notes::kDeleted) {
    notesChanged = true;
    Refill();
    tags.Select(row);
    ShowList();
  }
}

void CNotesSelectorDialog::AddTag() {
  if (!gate.Allow()) return;
  CNoteTagDialog dialog("", false, this);
  if (runNested(dialog) != fw::kIdOk || dialog.tag.empty()) return;
  if (tags.Add(dialog.tag)) ShowList();
}

void CNotesSelectorDialog::ModifyTag() {
  if (!tags.CanChangeSelected() || !gate.Allow()) return;
  CNoteTagDialog dialog(tags.Entries()[tags.Selected()].tag, true, this);
  if (runNested(dialog) != fw::kIdOk) return;
  if (tags.Modify(dialog.tag)) ShowList();
}

void CNotesSelectorDialog::RemoveTag() {
  if (!tags.CanChangeSelected()) return;
  const std::string text =
      tags.Entries()[tags.Selected()].tag + "\r\n\r\n" + res::LoadString(res::kIdsRemoveTag);
  if (plat::MessageBox(text, "Korvane", plat::kMbOkCancel | plat::kMbIconQuestion) != plat::kIdOk)
    return;
  if (tags.Remove()) ShowList();
}

void CNotesSelectorDialog::MoveTag(int delta) {
  if (!tags.CanChangeSelected() || !gate.Allow()) return;
  if (tags.Move(delta)) ShowList();
}

void CNotesSelectorDialog::RestoreDefaults() {
  if (!gate.Allow()) return;
  if (plat::MessageBox(res::LoadString(res::kIdsRevertTags), "Korvane",
                       plat::kMbOkCancel | plat::kMbIconQuestion) != plat::kIdOk)
    return;
  const bool hasNotes = DbGetNoteBlock(rin_, db::kIndividual) != 0;
  tags.Defaults(hasNotes, DbGetNoteTagList(rin_, 0, db::kIndividual));
  ShowList();
}

// ---- View Sources ----

CViewSourcesDialog::CViewSourcesDialog(std::int32_t rin, char kind, const std::string& name,
                                       bool showZel, QWidget* parent)
    : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("View Sources for ") + fw::ToQString(name));
  auto* text = AddControl(kIdcText, new QPlainTextEdit);
  text->setReadOnly(true);
  text->setMinimumSize(DialogUnitsToPixels(280, 160));
  auto* previous = AddControl(kIdcPrevious, Button("<< &Previous"));
  auto* next = AddControl(kIdcNext, Button("&Next >>"));
  auto* close = AddControl(fw::kIdOk, Button("&Close"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  for (QPushButton* b : {previous, next}) {
    b->setEnabled(false);
    b->hide();
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {previous, next, close, help}) buttons->addWidget(b);
  auto* top = new QVBoxLayout(this);
  top->addWidget(text, 1);
  top->addLayout(buttons);
  text->setPlainText(
      ToEditText(sources::ViewSourcesText(sources::CollectCitations(rin, kind, showZel))));
  connect(close, &QPushButton::clicked, this, &CViewSourcesDialog::accept);
}

// ---- entry points ----

int RunNotesDialog(QWidget* parent, char kind, std::int32_t rin, bool selectorFirst,
                   std::int32_t primary, std::int32_t shownParents, const std::string& name) {
  if (rin <= 0) return 0;
  if (selectorFirst && kind == notes::kIndividual) {
    CNotesSelectorDialog selector(rin, parent, name);
    selector.primary = primary;
    selector.shownParents = shownParents;
    selector.exec();
    return 0;
  }
  CNotesDialog dialog(kind, rin, "", name, parent);
  dialog.primary = primary;
  dialog.shownParents = shownParents;
  return dialog.exec();
}

void RunViewSources(QWidget* parent, char kind, std::int32_t rin, const std::string& name) {
  CViewSourcesDialog dialog(rin, kind, name.empty() ? RecordName(kind, rin) : name, ShowZel(),
                            parent);
  dialog.exec();
}

}  // namespace notesui
