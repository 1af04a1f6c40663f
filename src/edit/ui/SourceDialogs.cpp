#include "SourceDialogs.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "DbCalls.h"
#include "DbCodes.h"
#include "ImageForDialog.h"
#include "NotesDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SmallRecordDialogs.h"
#include "StringIds.h"
#include "StringTable.h"

namespace notesui {

namespace {

QPushButton* Button(const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text));
  b->setAutoDefault(false);
  return b;
}

void Message(unsigned id, unsigned icon) {
  plat::MessageBox(res::LoadString(id), "Korvane", plat::kMbOk | icon);
}

bool AskYesNo(const std::string& text) {
  return plat::MessageBox(text, "Korvane", plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdYes;
}

QListWidgetItem* NewItem(const std::string& text, int data) {
  auto* item = new QListWidgetItem(fw::ToQString(text));
  item->setData(Qt::UserRole, data);
  return item;
}

// Index in a list sorted case-insensitively where text belongs.
int SortedPlace(QListWidget* list, const QString& text, int firstSorted) {
  int row = firstSorted;
  while (row < list->count() &&
         QString::compare(list->item(row)->text(), text, Qt::CaseInsensitive) <= 0)
    ++row;
  return row;
}

}  // namespace

// ---- Repository ----

CRepositoryDialog::CRepositoryDialog(std::int32_t number, QWidget* parent)
    : fw::CDialogBase(parent), rin(number), gate(AppGate()) {
  setWindowTitle(QStringLiteral("Repository"));
  auto* name = AddControl(kIdcName, new QLineEdit);
  auto* address = AddControl(kIdcAddress, new QPlainTextEdit);
  auto* phone = AddControl(kIdcPhone, new QLineEdit);
  name->setMinimumWidth(DialogUnitsToPixels(180, 0).width());
  address->setFixedHeight(DialogUnitsToPixels(0, 50).height());
  auto* grid = new QGridLayout;
  int row = 0;
  for (auto [text, w] : {std::pair<const char*, QWidget*>{"&Name:", name},
                         std::pair<const char*, QWidget*>{"&Address:", address},
                         std::pair<const char*, QWidget*>{"&Telephone:", phone}}) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setBuddy(w);
    grid->addWidget(label, row, 0, Qt::AlignTop);
    grid->addWidget(w, row++, 1);
  }
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  ok->setDefault(true);
  auto* cancel = AddControl(fw::kIdCancel, Button("Cancel"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(grid, 1);
  top->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CRepositoryDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CRepositoryDialog::reject);

  if (rin != 0 && DbGetRecord(rin, db::kRepository, &record) == 1) {
    SetControlText(kIdcName, record.name);
    address->setPlainText(ToEditText(sources::JoinAddress(record.address)));
    SetControlText(kIdcPhone, record.phone);
  }
  record.recordNumber = rin;
  if (gate.IsReadOnly()) EnableControl(fw::kIdOk, false);
}

void CRepositoryDialog::OnOK() {
  if (!gate.Allow()) return;
  const std::string name = GetControlText(kIdcName);
  if (name.empty()) {
    Message(res::kIdsNameRequired, plat::kMbIconExclamation);
    GetControl(kIdcName)->setFocus();
    return;
  }
  const std::string address = FromEditText(Control<QPlainTextEdit>(kIdcAddress)->toPlainText());
  const std::int32_t stored =
      sources::StoreRepository(record, name, address, GetControlText(kIdcPhone));
  if (stored == 0) {
    done(fw::kIdCancel);
    return;
  }
  rin = stored;
  done(fw::kIdOk);
}

// ---- Select Repository ----

CSelectRepositoryDialog::CSelectRepositoryDialog(std::int32_t current, bool listMode,
                                                 QWidget* parent)
    : fw::CDialogBase(parent), chosen(current), gate(AppGate()), listMode_(listMode) {
  setWindowTitle(listMode ? fw::ToQString(res::LoadString(res::kIdsEditRepositoryList))
                          : QStringLiteral("Select Repository"));
  list_ = AddControl(kIdcList, new QListWidget);
  list_->setMinimumSize(DialogUnitsToPixels(160, 90));
  auto* address = AddControl(kIdcAddress, new QLabel);
  auto* phone = AddControl(kIdcPhone, new QLabel);
  address->setMinimumHeight(DialogUnitsToPixels(0, 36).height());
  address->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  auto* select = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("Select")));
  select->setDefault(true);
  auto* close = AddControl(fw::kIdCancel, Button("Close"));
  auto* add = AddControl(kIdcAdd, Button("Add..."));
  auto* edit = AddControl(kIdcEdit, Button("Edit"));
  auto* del = AddControl(kIdcDelete, Button("Delete"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));

  auto* left = new QVBoxLayout;
  auto* listLabel = new QLabel(QStringLiteral("&Repositories:"));
  listLabel->setBuddy(list_);
  left->addWidget(listLabel);
  left->addWidget(list_, 1);
  left->addWidget(new QLabel(QStringLiteral("Address:")));
  left->addWidget(address);
  auto* phoneRow = new QHBoxLayout;
  phoneRow->addWidget(new QLabel(QStringLiteral("Telephone:")));
  phoneRow->addWidget(phone, 1);
  left->addLayout(phoneRow);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {select, close, add, edit, del, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);

  if (gate.IsReadOnly()) {
    EnableControl(kIdcAdd, false);
    EnableControl(kIdcDelete, false);
  }
  if (listMode) EnableControl(fw::kIdOk, false);
  connect(select, &QPushButton::clicked, this, &CSelectRepositoryDialog::Select);
  connect(close, &QPushButton::clicked, this, &CSelectRepositoryDialog::reject);
  connect(add, &QPushButton::clicked, this, &CSelectRepositoryDialog::AddRepository);
  connect(edit, &QPushButton::clicked, this, &CSelectRepositoryDialog::EditRepository);
  connect(del, &QPushButton::clicked, this, &CSelectRepositoryDialog::DeleteRepository);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowSelection(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Select(); });
  Fill();
}

void CSelectRepositoryDialog::Fill() {
  list_->clear();
  if (!listMode_) list_->addItem(NewItem(res::LoadString(res::kIdsNoRepository), 0));
  std::vector<CRepositoryRecord> all;
  if (DbGetRecord(1, db::kRepositoryList, &all) != 1)
    Message(res::kIdsNoRepositoryList, plat::kMbIconExclamation);
  for (const CRepositoryRecord& r : all) InsertSorted(r.name, r.recordNumber);
  int row = 0;
  for (int i = 0; i < list_->count(); ++i)
    if (list_->item(i)->data(Qt::UserRole).toInt() == chosen) row = i;
  list_->setCurrentRow(list_->count() > 0 ? row : -1);
  ShowSelection();
}

int CSelectRepositoryDialog::InsertSorted(const std::string& name, std::int32_t rin) {
  const int row = SortedPlace(list_, fw::ToQString(name), listMode_ ? 0 : 1);
  list_->insertItem(row, NewItem(name, rin));
  return row;
}

std::int32_t CSelectRepositoryDialog::SelectedNumber() const {
  QListWidgetItem* item = list_->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : -1;
}

void CSelectRepositoryDialog::ShowSelection() {
  const std::int32_t rin = SelectedNumber();
  const bool real = rin > 0;
  EnableControl(kIdcEdit, rin >= 0 && (real || listMode_));
  EnableControl(kIdcDelete, !gate.IsReadOnly() && rin >= 0 && (real || listMode_));
  CRepositoryRecord r;
  if (real && DbGetRecord(rin, db::kRepository, &r) == 1) {
    std::string address;
    for (const std::string& line : r.address) address += (address.empty() ? "" : "\n") + line;
    SetControlText(kIdcAddress, address);
    SetControlText(kIdcPhone, r.phone);
  } else {
    SetControlText(kIdcAddress, "");
    SetControlText(kIdcPhone, "");
  }
}

void CSelectRepositoryDialog::Select() {
  if (listMode_) {
    EditRepository();
    return;
  }
  const std::int32_t rin = SelectedNumber();
  if (rin < 0) {
    Message(res::kIdsSelectRepository, plat::kMbIconExclamation);
    return;
  }
  chosen = rin;
  done(fw::kIdOk);
}

void CSelectRepositoryDialog::AddRepository() {
  if (!gate.Allow()) return;
  CRepositoryDialog dialog(0, this);
  if (runNested(dialog) != fw::kIdOk || dialog.rin == 0) return;
  list_->setCurrentRow(InsertSorted(dialog.record.name, dialog.rin));
}

void CSelectRepositoryDialog::EditRepository() {
  const std::int32_t rin = SelectedNumber();
  if (rin <= 0) {
    Message(res::kIdsSelectRepositoryToEdit, plat::kMbIconExclamation);
    return;
  }
  const std::string before = fw::FromQString(list_->currentItem()->text());
  CRepositoryDialog dialog(rin, this);
  if (runNested(dialog) != fw::kIdOk) return;
  if (dialog.record.name != before) {
    delete list_->takeItem(list_->currentRow());
    list_->setCurrentRow(InsertSorted(dialog.record.name, rin));
  }
  ShowSelection();
}

void CSelectRepositoryDialog::DeleteRepository() {
  const std::int32_t rin = SelectedNumber();
  if (rin <= 0) {
    Message(res::kIdsSelectRepositoryToDelete, plat::kMbIconExclamation);
    return;
  }
  if (!gate.Allow()) return;
  const std::string name = fw::FromQString(list_->currentItem()->text());
  if (!AskYesNo(res::FormatString(res::kIdsAskRemoveRepository, {name}))) return;
  if (DbDeleteRecord(rin, db::kRepository) != 1) return;  // told by the engine; stays listed
  const int row = list_->currentRow();
  delete list_->takeItem(row);
  list_->setCurrentRow(std::min(row, list_->count() - 1));
  ShowSelection();
}

// ---- Edit Source ----

CEditSourceDialog::CEditSourceDialog(std::int32_t number, QWidget* parent)
    : fw::CDialogBase(parent), rin(number), gate(AppGate()) {
  setWindowTitle(QStringLiteral("Edit Source"));
  auto line = [this](int id, int limit) {
    auto* e = AddControl(id, new QLineEdit);
    e->setMaxLength(limit);
    return e;
  };
  auto* title = line(kIdcTitle, 121);
  auto* author = line(kIdcAuthor, 121);
  auto* publication = line(kIdcPublication, 121);
  auto* call = line(kIdcCallNumber, 91);
  auto* actual = AddControl(kIdcActualText, new QPlainTextEdit);
  auto* comments = AddControl(kIdcComments, new QPlainTextEdit);
  for (QPlainTextEdit* e : {actual, comments})
    e->setFixedHeight(DialogUnitsToPixels(0, 34).height());
  auto* repository = AddControl(kIdcRepository, Button("&Repository..."));
  auto* repositoryName = AddControl(kIdcRepositoryName, new QLabel);
  auto* sample = AddControl(kIdcSample, new QPlainTextEdit);
  sample->setReadOnly(true);
  sample->setFixedHeight(DialogUnitsToPixels(0, 34).height());
  auto* italics = AddControl(kIdcItalics, new QCheckBox(QStringLiteral("Print title in &italics")));
  auto* parens =
      AddControl(kIdcParentheses, new QCheckBox(QStringLiteral("Print in (&parentheses)")));
  auto* image = AddControl(kIdcImage, Button("I&mage..."));
  title->setMinimumWidth(DialogUnitsToPixels(220, 0).width());

  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const char* label, QWidget* w) {
    auto* l = new QLabel(QString::fromUtf8(label));
    l->setBuddy(w);
    grid->addWidget(l, row, 0, Qt::AlignTop);
    grid->addWidget(w, row++, 1);
  };
  add("Source &Title:", title);
  add("&Author:", author);
  add("Pu&blication Information:", publication);
  add("Ca&ll Number:", call);
  add("Actual Te&xt:", actual);
  add("&Comments:", comments);
  grid->addWidget(repository, row, 0);
  grid->addWidget(repositoryName, row++, 1);
  add("Sample &Footnote:", sample);
  auto* checks = new QHBoxLayout;
  checks->addWidget(italics);
  checks->addWidget(parens);
  checks->addStretch();
  grid->addLayout(checks, row++, 1);

  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  ok->setDefault(true);
  auto* cancel = AddControl(fw::kIdCancel, Button("Cancel"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ok, cancel, help, image}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(grid, 1);
  top->addLayout(buttons);

  bool lost = false;
  if (rin != 0 && DbGetRecord(rin, db::kSource, &record) == 1)
    lost = sources::DropLostRepository(record);
  record.recordNumber = rin;
  const sources::SourceFields f = sources::FieldsOf(record);
  SetControlText(kIdcTitle, f.title);
  SetControlText(kIdcAuthor, f.author);
  SetControlText(kIdcPublication, f.publication);
  SetControlText(kIdcCallNumber, f.callNumber);
  actual->setPlainText(ToEditText(f.actualText));
  comments->setPlainText(ToEditText(f.comments));
  italics->setChecked(f.italics);
  parens->setChecked(f.parentheses);
  if (record.image) image->setText(image->text() + QStringLiteral("*"));
  ShowRepository();
  UpdateSample();
  if (lost) Message(res::kIdsRepositoryNotFound, plat::kMbIconExclamation);
  if (gate.IsReadOnly()) EnableControl(fw::kIdOk, false);

  for (QLineEdit* e : {title, author, publication, call})
    connect(e, &QLineEdit::textChanged, this, &CEditSourceDialog::UpdateSample);
  for (QPlainTextEdit* e : {actual, comments})
    connect(e, &QPlainTextEdit::textChanged, this, &CEditSourceDialog::UpdateSample);
  for (QCheckBox* c : {italics, parens})
    connect(c, &QCheckBox::toggled, this, &CEditSourceDialog::UpdateSample);
  connect(repository, &QPushButton::clicked, this, &CEditSourceDialog::ChooseRepository);
  connect(image, &QPushButton::clicked, this, [this, image] {
    if (!RunImageFor(this, GetControlText(kIdcTitle), record.image)) return;
    image->setText(record.image ? QStringLiteral("I&mage...*") : QStringLiteral("I&mage..."));
  });
  connect(ok, &QPushButton::clicked, this, &CEditSourceDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CEditSourceDialog::reject);
}

sources::SourceFields CEditSourceDialog::ReadFields() const {
  sources::SourceFields f;
  f.title = GetControlText(kIdcTitle);
  f.author = GetControlText(kIdcAuthor);
  f.publication = GetControlText(kIdcPublication);
  f.callNumber = GetControlText(kIdcCallNumber);
  f.actualText = FromEditText(Control<QPlainTextEdit>(kIdcActualText)->toPlainText());
  f.comments = FromEditText(Control<QPlainTextEdit>(kIdcComments)->toPlainText());
  f.repositoryRin = record.repositoryRin;
  f.italics = GetCheck(kIdcItalics) == 1;
  f.parentheses = GetCheck(kIdcParentheses) == 1;
  return f;
}

void CEditSourceDialog::UpdateSample() {
  CSourceRecord shown(record);
  sources::ApplyFields(ReadFields(), shown);
  Control<QPlainTextEdit>(kIdcSample)->setPlainText(ToEditText(sources::SampleFootnote(shown)));
}

void CEditSourceDialog::ShowRepository() {
  CRepositoryRecord r;
  const bool named =
      record.repositoryRin != 0 && DbGetRecord(record.repositoryRin, db::kRepository, &r) == 1;
  SetControlText(kIdcRepositoryName, named ? r.name : "");
}

void CEditSourceDialog::ChooseRepository() {
  CSelectRepositoryDialog dialog(record.repositoryRin, false, this);
  if (runNested(dialog) != fw::kIdOk) return;
  record.repositoryRin = dialog.chosen;
  ShowRepository();
  UpdateSample();
}

void CEditSourceDialog::OnOK() {
  const sources::SourceFields f = ReadFields();
  if (f.title.empty()) {
    Message(res::kIdsSourceNeedsTitle, plat::kMbIconInformation);
    GetControl(kIdcTitle)->setFocus();
    return;
  }
  if (!gate.Allow()) return;
  sources::ApplyFields(f, record);
  const std::int32_t stored = sources::StoreSource(record);
  if (stored == 0) return;
  rin = stored;
  done(fw::kIdOk);
}

// ---- Select Source ----

CSelectSourceDialog::CSelectSourceDialog(bool listMode, const std::string& hint,
                                         const std::string& captionSuffix, QWidget* parent)
    : fw::CDialogBase(parent), gate(AppGate()), listMode_(listMode) {
  setWindowTitle(listMode ? fw::ToQString(res::LoadString(res::kIdsEditSourceList))
                          : QStringLiteral("Select Source") + fw::ToQString(captionSuffix));
  auto* label = AddControl(kIdcLabel, new QLabel(QStringLiteral("&Title")));
  label->setWordWrap(true);
  list_ = AddControl(kIdcList, new QListWidget);
  list_->setMinimumSize(DialogUnitsToPixels(170, 110));
  label->setBuddy(list_);
  if (!hint.empty()) SetControlText(kIdcLabel, hint);
  auto* fields = new QVBoxLayout;
  for (auto [id, caption] : {std::pair{kIdcTitle, "Title"}, std::pair{kIdcAuthor, "Author"},
                             std::pair{kIdcPublication, "Publication Information"},
                             std::pair{kIdcComments, "Comments"}}) {
    auto* box = new QGroupBox(QString::fromUtf8(caption));
    auto* text = AddControl(id, new QLabel);
    text->setWordWrap(true);
    text->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
    (new QVBoxLayout(box))->addWidget(text);
    fields->addWidget(box);
  }
  fields->addStretch();
  auto* select = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&Select")));
  select->setDefault(true);
  auto* memorized = AddControl(kIdcUseMemorized, Button("&Use Memorized Citation"));
  auto* close = AddControl(fw::kIdCancel, Button("Close"));
  auto* neu = AddControl(kIdcNew, Button("&New..."));
  auto* copy = AddControl(kIdcCopy, Button("C&opy"));
  auto* edit = AddControl(kIdcEdit, Button("&Edit..."));
  auto* del = AddControl(kIdcDelete, Button("&Delete"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {select, memorized, neu, copy, edit, del, close, help})
    buttons->addWidget(b);
  auto* left = new QVBoxLayout;
  left->addWidget(label);
  left->addWidget(list_, 1);
  auto* body = new QHBoxLayout;
  body->addLayout(left, 1);
  body->addLayout(fields, 1);
  auto* top = new QVBoxLayout(this);
  top->addLayout(body, 1);
  top->addLayout(buttons);

  if (listMode || !sources::HasMemorizedCitation()) {
    memorized->setEnabled(false);
    memorized->hide();
  }
  if (listMode) {
    select->setEnabled(false);
    select->hide();
  }
  if (gate.IsReadOnly())
    for (int id : {kIdcNew, kIdcCopy, kIdcDelete}) EnableControl(id, false);
  connect(select, &QPushButton::clicked, this, &CSelectSourceDialog::Select);
  connect(memorized, &QPushButton::clicked, this, [this] {
    useMemorized = true;
    Select();
  });
  connect(close, &QPushButton::clicked, this, &CSelectSourceDialog::reject);
  connect(neu, &QPushButton::clicked, this, &CSelectSourceDialog::NewSource);
  connect(copy, &QPushButton::clicked, this, &CSelectSourceDialog::CopySource);
  connect(edit, &QPushButton::clicked, this, &CSelectSourceDialog::EditSource);
  connect(del, &QPushButton::clicked, this, &CSelectSourceDialog::DeleteSource);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowSelection(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Select(); });
  Fill();
}

void CSelectSourceDialog::AddRow(const std::string& title, int index, bool select) {
  const int row = SortedPlace(list_, fw::ToQString(title), 0);
  list_->insertItem(row, NewItem(title, index));
  if (select) list_->setCurrentRow(row);
}

void CSelectSourceDialog::Fill() {
  list_->clear();
  auto& cache = sources::CSourceListCache::Instance();
  cache.Fill();
  for (std::size_t i = 0; i < cache.Entries().size(); ++i) {
    CSourceRecord s;
    if (cache.Entries()[i].rin != 0 && DbGetRecord(cache.Entries()[i].rin, db::kSource, &s) == 1)
      AddRow(s.title, static_cast<int>(i), false);
  }
  list_->setCurrentRow(list_->count() > 0 ? 0 : -1);
  ShowSelection();
}

int CSelectSourceDialog::SelectedIndex() const {
  QListWidgetItem* item = list_->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : -1;
}

void CSelectSourceDialog::ShowSelection() {
  CSourceRecord s;
  const int index = SelectedIndex();
  auto& entries = sources::CSourceListCache::Instance().Entries();
  const bool shown = index >= 0 && index < static_cast<int>(entries.size()) &&
                     DbGetRecord(entries[index].rin, db::kSource, &s) == 1;
  SetControlText(kIdcTitle, shown ? s.title : "");
  SetControlText(kIdcAuthor, shown ? s.author : "");
  SetControlText(kIdcPublication, shown ? s.publication : "");
  SetControlText(kIdcComments, shown ? s.comments : "");
}

void CSelectSourceDialog::Select() {
  if (listMode_) {
    EditSource();
    return;
  }
  const int index = SelectedIndex();
  if (index < 0) {
    Message(res::kIdsSelectSource, plat::kMbIconExclamation);
    return;
  }
  chosen = sources::CSourceListCache::Instance().Entries()[index].rin;
  done(fw::kIdOk);
}

void CSelectSourceDialog::NewSource() {
  if (!gate.Allow()) return;
  CEditSourceDialog dialog(0, this);
  if (runNested(dialog) != fw::kIdOk || dialog.rin == 0) return;
  auto& cache = sources::CSourceListCache::Instance();
  cache.Append(dialog.rin);
  AddRow(dialog.record.title, static_cast<int>(cache.Entries().size()) - 1, true);
}

void CSelectSourceDialog::CopySource() {
  const int index = SelectedIndex();
  if (index < 0) {
    Message(res::kIdsSelectSourceToDuplicate, plat::kMbIconInformation);
    return;
  }
  if (!gate.Allow()) return;
  auto& cache = sources::CSourceListCache::Instance();
  const std::int32_t copy = sources::CopySource(cache.Entries()[index].rin);
  if (copy == 0) return;
  CSourceRecord s;
  DbGetRecord(copy, db::kSource, &s);
  cache.Append(copy, sources::CacheFlags(s));
  AddRow(s.title, static_cast<int>(cache.Entries().size()) - 1, true);
  EditSource();
}

void CSelectSourceDialog::EditSource() {
  const int index = SelectedIndex();
  if (index < 0) {
    Message(res::kIdsSelectSourceToEdit, plat::kMbIconInformation);
    return;
  }
  auto& cache = sources::CSourceListCache::Instance();
  const std::int32_t rin = cache.Entries()[index].rin;
  const std::string before = fw::FromQString(list_->currentItem()->text());
  CEditSourceDialog dialog(rin, this);
  if (runNested(dialog) != fw::kIdOk) return;
  cache.Entries()[index].flags = {1, 0, 0};
  if (dialog.record.title != before) {
    const int row = list_->currentRow();
    delete list_->takeItem(row);
    const bool wasLast = index + 1 == static_cast<int>(cache.Entries().size());
    cache.Retire(static_cast<std::size_t>(index));
    cache.Append(rin);
    (void)wasLast;
    AddRow(dialog.record.title, static_cast<int>(cache.Entries().size()) - 1, true);
  }
  ShowSelection();
}

void CSelectSourceDialog::DeleteSource() {
  const int index = SelectedIndex();
  if (index < 0) {
    Message(res::kIdsSelectSourceToRemove, plat::kMbIconInformation);
    return;
  }
  if (!gate.Allow()) return;
  const std::string title = fw::FromQString(list_->currentItem()->text());
  if (plat::MessageBox(res::FormatString(res::kIdsAskRemoveSource, {title}), "Korvane",
                       plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdNo)
    return;
  auto& cache = sources::CSourceListCache::Instance();
  if (DbDeleteRecord(cache.Entries()[index].rin, db::kSource) != 1) return;  // as for a repository
  const int row = list_->currentRow();
  delete list_->takeItem(row);
  cache.Erase(static_cast<std::size_t>(index));
  for (int i = 0; i < list_->count(); ++i) {
    QListWidgetItem* item = list_->item(i);
    const int data = item->data(Qt::UserRole).toInt();
    if (data > index) item->setData(Qt::UserRole, data - 1);
  }
  list_->setCurrentRow(std::min(row, list_->count() - 1));
  ShowSelection();
}

// ---- Sources for ----

CSourcesForDialog::CSourcesForDialog(std::int32_t citation, std::int32_t owner, char letter,
                                     std::int32_t secondOwner, const std::string& suffix,
                                     QWidget* parent)
    : fw::CDialogBase(parent),
      model(citation, owner, letter, secondOwner),
      gate(AppGate()),
      suffix_(suffix) {
  setWindowTitle(QStringLiteral("Sources for ") + fw::ToQString(suffix));
  tabs_ = AddControl(kIdcTabs, new QTabBar);
  tabs_->setExpanding(false);
  auto* position = AddControl(kIdcPosition, new QLabel);
  auto* previous = AddControl(kIdcPrevious, Button("&<"));
  auto* next = AddControl(kIdcNext, Button("&>"));
  previous->setMaximumWidth(DialogUnitsToPixels(16, 0).width());
  next->setMaximumWidth(DialogUnitsToPixels(16, 0).width());

  QFont bold = font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  auto* detailHeading = new QLabel(QStringLiteral("Citation Detail"));
  auto* sourceHeading = new QLabel(QStringLiteral("Source"));
  detailHeading->setFont(bold);
  sourceHeading->setFont(bold);

  auto* page = AddControl(kIdcPage, new QLineEdit);
  auto* date = AddControl(kIdcDate, new QLineEdit);
  auto* comments = AddControl(kIdcComments, new QPlainTextEdit);
  comments->setFixedHeight(DialogUnitsToPixels(0, 34).height());
  auto* actual = AddControl(kIdcActualText, Button("Actual &Text..."));
  auto* image = AddControl(kIdcImage, Button("I&mage..."));
  auto* memorize = AddControl(kIdcMemorize, new QToolButton);
  auto* paste = AddControl(kIdcPaste, new QToolButton);
  memorize->setText(QStringLiteral("M"));
  paste->setText(QStringLiteral("P"));
  memorize->setToolTip(fw::ToQString(res::LoadString(res::kIdsMemorizeCitation)));
  paste->setToolTip(fw::ToQString(res::LoadString(res::kIdsPasteMemorizedCitation)));

  auto buddy = [](const char* text, QWidget* w) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setBuddy(w);
    return l;
  };
  auto* detail = new QGridLayout;
  detail->addWidget(buddy("&Film/Volume/Page:", page), 0, 0);
  detail->addWidget(page, 0, 1, 1, 3);
  detail->addWidget(buddy("&Date of Entry:", date), 1, 0);
  detail->addWidget(date, 1, 1);
  detail->addWidget(actual, 1, 2);
  detail->addWidget(image, 1, 3);
  detail->addWidget(buddy("C&omments:", comments), 2, 0, Qt::AlignTop);
  detail->addWidget(comments, 2, 1, 1, 3);

  auto* sourceGrid = new QGridLayout;
  int row = 0;
  for (auto [id, caption] :
       {std::pair{kIdcTitle, "Title:"}, std::pair{kIdcAuthor, "Author:"},
        std::pair{kIdcPublication, "Publication:"}, std::pair{kIdcRepositoryName, "Repository:"},
        std::pair{kIdcCallNumber, "Call Number:"}}) {
    auto* value = AddControl(id, new QLabel);
    value->setWordWrap(true);
    value->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
    sourceGrid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0, Qt::AlignTop);
    sourceGrid->addWidget(value, row++, 1);
  }
  auto* select = AddControl(kIdcSelect, Button("&Select..."));
  auto* editSource = AddControl(kIdcEditSource, Button("&Create..."));
  auto* sourceButtons = new QHBoxLayout;
  sourceButtons->addWidget(select);
  sourceButtons->addWidget(editSource);
  sourceButtons->addStretch();

  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  ok->setDefault(true);
  auto* cancel = AddControl(fw::kIdCancel, Button("Cancel"));
  auto* neu = AddControl(kIdcNew, Button("&New"));
  auto* del = AddControl(kIdcDelete, Button("De&lete"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  auto* buttons = new QHBoxLayout;
  for (QWidget* b : std::initializer_list<QWidget*>{ok, cancel, neu, del, memorize, paste, help})
    buttons->addWidget(b);
  buttons->addStretch();

  auto* nav = new QHBoxLayout;
  nav->addWidget(tabs_, 1);
  nav->addWidget(previous);
  nav->addWidget(position);
  nav->addWidget(next);
  auto* top = new QVBoxLayout(this);
  top->addLayout(nav);
  top->addWidget(detailHeading);
  top->addLayout(detail);
  top->addWidget(sourceHeading);
  top->addLayout(sourceGrid);
  top->addLayout(sourceButtons);
  top->addLayout(buttons);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (index >= 0 && index + 1 != model.Position()) MoveTo(index + 1);
  });
  connect(previous, &QPushButton::clicked, this, [this] { MoveTo(model.Position() - 1); });
  connect(next, &QPushButton::clicked, this, [this] { MoveTo(model.Position() + 1); });
  connect(neu, &QPushButton::clicked, this, &CSourcesForDialog::NewCitation);
  connect(image, &QPushButton::clicked, this, [this] {
    ReadFields();
    std::unique_ptr<CMultimediaItem> item;
    if (model.Shown().image) item = std::make_unique<CMultimediaItem>(*model.Shown().image);
    if (RunImageFor(this, suffix_, item)) model.SetImage(std::move(item));
    UpdateButtons();
  });
  connect(actual, &QPushButton::clicked, this, [this] {
    ReadFields();
    editui::CCitationTextDialog dialog(this);
    dialog.text = model.Shown().actualText;
    dialog.captionInsert = suffix_;
    if (dialog.exec() == fw::kIdOk) model.Shown().actualText = dialog.text;
    UpdateButtons();
  });
  connect(del, &QPushButton::clicked, this, &CSourcesForDialog::DeleteCitation);
  connect(memorize, &QToolButton::clicked, this, &CSourcesForDialog::Memorize);
  connect(paste, &QToolButton::clicked, this, &CSourcesForDialog::Paste);
  connect(select, &QPushButton::clicked, this, [this] {
    ReadFields();
    if (model.HasSource() && !AskYesNo(res::LoadString(res::kIdsReplaceCitationSource))) return;
    RunSourceChoice();
    ShowCitation();
  });
  connect(editSource, &QPushButton::clicked, this, [this] {
    ReadFields();
    if (model.HasSource()) {
      CEditSourceDialog dialog(model.Shown().sourceRin, this);
      if (dialog.exec() == fw::kIdOk) model.ChooseSource(dialog.rin, false);
    } else {
      if (!gate.Allow()) return;
      CEditSourceDialog dialog(0, this);
      if (dialog.exec() != fw::kIdOk || dialog.rin == 0) return;
      model.TakeNewSource(dialog.rin);
      auto& cache = sources::CSourceListCache::Instance();
      if (!cache.Empty()) cache.Append(dialog.rin);
    }
    ShowCitation();
  });
  connect(ok, &QPushButton::clicked, this, &CSourcesForDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CSourcesForDialog::reject);
}

bool CSourcesForDialog::RunSourceChoice() {
  std::int32_t source = 0;
  bool memorized = false;
  bool chosen = false;
  if (chooseSource) {
    chosen = chooseSource(source, memorized);
  } else {
    std::string suffix;
    if (!suffix_.empty()) suffix = " " + res::LoadString(res::kIdsFor) + " " + suffix_;
    CSelectSourceDialog dialog(false, res::LoadString(res::kIdsSelectSourcePrompt), suffix,
                               isVisible() ? this : parentWidget());
    chosen = dialog.exec() == fw::kIdOk;
    source = dialog.chosen;
    memorized = dialog.useMemorized;
  }
  if (chosen) model.ChooseSource(source, memorized);
  return chosen;
}

bool CSourcesForDialog::Start() {
  if (!model.Open() && !RunSourceChoice()) return false;
  ShowCitation();
  return true;
}

void CSourcesForDialog::ReadFields() {
  CCitationRecord& c = model.Shown();
  c.pageText = GetControlText(kIdcPage);
  const std::string date = GetControlText(kIdcDate);
  if (date != c.entryDate.ToString()) {
    c.entryDate.Reset();
    if (!date.empty()) c.entryDate.Parse(date);
  }
  c.comments = FromEditText(Control<QPlainTextEdit>(kIdcComments)->toPlainText());
}

void CSourcesForDialog::SyncTabs() {
  tabs_->blockSignals(true);
  while (tabs_->count() > model.TabCount()) tabs_->removeTab(tabs_->count() - 1);
  while (tabs_->count() < model.TabCount()) {
    std::string text = res::LoadString(res::kIdsCitationNumber);
    const std::size_t at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(tabs_->count() + 1));
    tabs_->addTab(fw::ToQString(text));
  }
  tabs_->setCurrentIndex(model.Position() - 1);
  tabs_->blockSignals(false);
}

void CSourcesForDialog::ShowCitation() {
  const CCitationRecord& c = model.Shown();
  SetControlText(kIdcPage, c.pageText);
  SetControlText(kIdcDate, c.entryDate.IsSet() ? c.entryDate.ToString() : "");
  Control<QPlainTextEdit>(kIdcComments)->setPlainText(ToEditText(c.comments));
  const CSourceRecord* s = model.Source();
  SetControlText(kIdcTitle, s ? s->title : "");
  SetControlText(kIdcAuthor, s ? s->author : "");
  SetControlText(kIdcPublication, s ? s->publication : "");
  SetControlText(kIdcCallNumber, s ? s->callNumber : "");
  SetControlText(kIdcRepositoryName, model.RepositoryName());
  SetControlText(kIdcPosition, model.PositionText());
  SyncTabs();
  UpdateButtons();
  GetControl(kIdcPage)->setFocus();
}

void CSourcesForDialog::UpdateButtons() {
  const bool readOnly = gate.IsReadOnly();
  const bool hasSource = model.HasSource();
  EnableControl(kIdcPaste, sources::HasMemorizedCitation());
  SetControlText(kIdcSelect, res::LoadString(hasSource ? 3490 : 3492));
  SetControlText(kIdcEditSource, res::LoadString(hasSource ? 3491 : 3493));
  EnableControl(kIdcSelect, hasSource || !readOnly);
  EnableControl(kIdcEditSource, hasSource || !readOnly);
  for (int id : {kIdcPage, kIdcDate, kIdcComments}) EnableControl(id, hasSource);
  for (int id : {fw::kIdOk, kIdcNew, kIdcDelete}) EnableControl(id, hasSource && !readOnly);
  EnableControl(kIdcPrevious, model.HasPrevious());
  EnableControl(kIdcNext, model.HasNext() && !model.IsNew());
  SetControlText(kIdcActualText,
                 std::string("Actual &Text...") + (model.Shown().actualText.empty() ? "" : "*"));
  SetControlText(kIdcImage, std::string("I&mage...") + (model.Shown().image ? "*" : ""));
}

void CSourcesForDialog::MoveTo(int position) {
  ReadFields();
  model.MoveTo(position, gate);
  ShowCitation();
}

void CSourcesForDialog::NewCitation() {
  ReadFields();
  if (!model.BeginNew(gate)) return;
  SetControlText(kIdcPosition, model.PositionText());
  if (!RunSourceChoice()) model.CancelNew();
  ShowCitation();
}

void CSourcesForDialog::DeleteCitation() {
  if (model.Delete(gate, [](unsigned id) { return AskYesNo(res::LoadString(id)); })) {
    done(fw::kIdCancel);
    return;
  }
  ShowCitation();
}

void CSourcesForDialog::Memorize() {
  ReadFields();
  model.Memorize();
  UpdateButtons();
}

void CSourcesForDialog::Paste() {
  ReadFields();
  if (model.PasteMemorized(gate)) ShowCitation();
  GetControl(kIdcSelect)->setFocus();
}

void CSourcesForDialog::OnOK() {
  ReadFields();
  if (model.Ok(gate)) done(fw::kIdOk);
}

// ---- entry points ----

int RunSourcesFor(QWidget* parent, std::int32_t owner, char letter, std::int32_t secondOwner,
                  const std::string& label, const std::string& name1, const std::string& name2,
                  std::int32_t citation) {
  CSourcesForDialog dialog(citation, owner, letter, secondOwner,
                           sources::SourcesForSuffix(label, name1, name2), parent);
  if (!dialog.Start()) return fw::kIdCancel;
  return dialog.exec();
}

void RunSourceList(QWidget* parent) {
  CSelectSourceDialog dialog(true, "", "", parent);
  dialog.exec();
}

void RunRepositoryList(QWidget* parent) {
  CSelectRepositoryDialog dialog(0, true, parent);
  dialog.exec();
}

void RunMergeDuplicateSources() { sources::MergeDuplicateSources(); }

}  // namespace notesui
