#include "EventTypeDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "EditSessions.h"
#include "KorApp.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }

int CheckPassword() {
  CKorApp* app = CKorApp::Instance();
  return app != nullptr ? app->CheckEditPassword() : 1;
}

}  // namespace

// ---- Define Custom Event ----

CDefineCustomEventDialog::CDefineCustomEventDialog(char ownerKind, QWidget* parent)
    : fw::CDialogBase(parent), ownerKind_(ownerKind) {
  setWindowTitle(Text("Define Custom Event"));
  auto* top = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  const struct {
    int id;
    const char* label;
    int limit;
  } edits[] = {{kIdcTitle, "&Title:", eventtype::kTitleLimit},
               {kIdcShortTitle, "&Short title:", eventtype::kShortTitleLimit},
               {kIdcAbbreviation, "&Abbreviation:", eventtype::kAbbreviationLimit}};
  int row = 0;
  for (const auto& e : edits) {
    auto* label = new QLabel(Text(e.label));
    auto* edit = AddControl(e.id, new QLineEdit);
    edit->setMaxLength(e.limit);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    ++row;
  }
  top->addLayout(grid);

  auto* middle = new QHBoxLayout;
  auto* date = new QGroupBox(Text("Date"));
  auto* dateLayout = new QVBoxLayout(date);
  auto* group = new QButtonGroup(this);
  const struct {
    int id;
    const char* text;
  } radios[] = {{kIdcDateNone, "&None"}, {kIdcDateSingle, "S&ingle"}, {kIdcDateRange, "&Range"}};
  for (const auto& r : radios) {
    auto* radio = AddControl(r.id, new QRadioButton(Text(r.text)));
    group->addButton(radio);
    dateLayout->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, &CDefineCustomEventDialog::UpdateSample);
  }
  middle->addWidget(date);
  auto* description = AddControl(kIdcUseDescription, new QCheckBox(Text("Use &description")));
  connect(description, &QCheckBox::clicked, this, &CDefineCustomEventDialog::UpdateSample);
  middle->addWidget(description, 0, Qt::AlignTop);
  middle->addStretch();
  top->addLayout(middle);

  auto* sentence = new QGroupBox(Text("Sentence Usage"));
  auto* sGrid = new QGridLayout(sentence);
  auto* verbLabel = new QLabel(Text("&Verb construct:"));
  auto* verb = AddControl(kIdcVerb, new QLineEdit);
  verb->setMaxLength(eventtype::kVerbLimit);
  verbLabel->setBuddy(verb);
  auto* prepLabel = new QLabel(Text("Place &preposition:"));
  auto* prep = AddControl(kIdcPreposition, new QLineEdit);
  prep->setMaxLength(eventtype::kPrepositionLimit);
  prepLabel->setBuddy(prep);
  auto* sample = AddControl(kIdcSample, new QLabel);
  sample->setWordWrap(true);
  sample->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  // Room for a sentence of two lines, so that the fixed-size window never
  // clips a longer sample.
  sample->setMinimumHeight(sample->fontMetrics().lineSpacing() * 2 + 2);
  sample->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  sGrid->addWidget(verbLabel, 0, 0);
  sGrid->addWidget(verb, 0, 1);
  sGrid->addWidget(prepLabel, 1, 0);
  sGrid->addWidget(prep, 1, 1);
  sGrid->addWidget(new QLabel(Text("Sample:")), 2, 0, Qt::AlignTop);
  sGrid->addWidget(sample, 2, 1);
  top->addWidget(sentence);
  connect(verb, &QLineEdit::textChanged, this, &CDefineCustomEventDialog::UpdateSample);
  connect(prep, &QLineEdit::textChanged, this, &CDefineCustomEventDialog::UpdateSample);

  auto* buttons = new QHBoxLayout;
  auto* ok = AddControl(fw::kIdOk, new QPushButton(Text("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(Text("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(Text("&Help")));
  help->setEnabled(false);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &CDefineCustomEventDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CDefineCustomEventDialog::reject);
  for (int id : {kIdcTitle, kIdcShortTitle, kIdcAbbreviation})
    connect(Control<QLineEdit>(id), &QLineEdit::textChanged, this,
            &CDefineCustomEventDialog::UpdateOkOnReadOnly);
}

void CDefineCustomEventDialog::OnInitDialog() {
  oldTitleKey_ = fields.predefined ? std::string() : EventTypeNames::Key(fields.title);
  oldShortKey_ = EventTypeNames::Key(fields.shortTitle);
  readOnly_ = IsFamilyFileReadOnly();
  fw::CDialogBase::OnInitDialog();
  if (fields.predefined) {
    EnableControl(kIdcTitle, false);
    EnableControl(fw::kIdOk, false);
  }
  if (readOnly_) EnableControl(fw::kIdOk, false);
  UpdateSample();
}

bool CDefineCustomEventDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcTitle, fields.title);
  ExchangeText(save, kIdcShortTitle, fields.shortTitle);
  ExchangeText(save, kIdcAbbreviation, fields.abbreviation);
  ExchangeText(save, kIdcVerb, fields.verb);
  ExchangeText(save, kIdcPreposition, fields.preposition);
  ExchangeRadio(save, {kIdcDateNone, kIdcDateSingle, kIdcDateRange}, fields.dateKind);
  int description = fields.useDescription ? 1 : 0;
  ExchangeCheck(save, kIdcUseDescription, description);
  fields.useDescription = description != 0;
  return true;
}

void CDefineCustomEventDialog::UpdateSample() {
  const int dateKind = GetCheckedRadio({kIdcDateNone, kIdcDateSingle, kIdcDateRange});
  SetControlText(kIdcSample, BuildEventSample(ownerKind_, GetControlText(kIdcVerb),
                                              GetControlText(kIdcPreposition),
                                              GetCheck(kIdcUseDescription) == 1, dateKind));
}

// On a read-only file OK follows the three name fields.
void CDefineCustomEventDialog::UpdateOkOnReadOnly() {
  if (!readOnly_ || fields.predefined) return;
  EnableControl(fw::kIdOk, !GetControlText(kIdcTitle).empty() &&
                               !GetControlText(kIdcShortTitle).empty() &&
                               !GetControlText(kIdcAbbreviation).empty());
}

void CDefineCustomEventDialog::OnOK() {
  if (!CheckPassword()) return;
  UpdateData(true);
  static const EventTypeNames kNone;
  const EventTypeCheck check =
      CheckEventTypeFields(fields, oldTitleKey_, oldShortKey_, names ? *names : kNone);
  if (!check.Passed()) {
    plat::MessageBox(check.message, res::LoadString(res::kIdsAppName), check.flags);
    const int focus[] = {0, kIdcTitle, kIdcShortTitle, kIdcAbbreviation, kIdcVerb, kIdcPreposition};
    if (QWidget* control = GetControl(focus[static_cast<int>(check.field)])) control->setFocus();
    return;
  }
  EndDialog(fw::kIdOk);
}

// ---- Select Event ----

CSelectEventDialog::CSelectEventDialog(const std::string& insert, char ownerKind, QWidget* parent,
                                       std::int32_t preselect)
    : fw::CDialogBase(parent), ownerKind_(ownerKind), preselect_(preselect) {
  setWindowTitle(fw::ToQString(res::FormatInserts("Select Event for %1", {insert})));
  auto* top = new QHBoxLayout(this);
  list_ = AddControl(kIdcList, new QListWidget);
  list_->setMinimumSize(DialogUnitsToPixels(140, 120));
  top->addWidget(list_, 1);
  auto* buttons = new QVBoxLayout;
  const struct {
    int id;
    const char* text;
  } entries[] = {{fw::kIdOk, "Select"}, {fw::kIdCancel, "Close"}, {fw::kIdHelp, "&Help"},
                 {kIdcNew, "&New..."},  {kIdcEdit, "&Edit..."},   {kIdcDelete, "&Delete"}};
  for (const auto& s : entries) {
    auto* button = AddControl(s.id, new QPushButton(Text(s.text)));
    buttons->addWidget(button);
    if (s.id == fw::kIdHelp) {
      button->setEnabled(false);
      buttons->addSpacing(DialogUnitsToPixels(0, 10).height());
    }
  }
  buttons->addStretch();
  top->addLayout(buttons);
  Control<QPushButton>(fw::kIdOk)->setDefault(true);
  connect(Control<QPushButton>(fw::kIdOk), &QPushButton::clicked, this,
          &CSelectEventDialog::accept);
  connect(Control<QPushButton>(fw::kIdCancel), &QPushButton::clicked, this,
          &CSelectEventDialog::reject);
  connect(Control<QPushButton>(kIdcNew), &QPushButton::clicked, this, &CSelectEventDialog::OnNew);
  connect(Control<QPushButton>(kIdcEdit), &QPushButton::clicked, this, &CSelectEventDialog::OnEdit);
  connect(Control<QPushButton>(kIdcDelete), &QPushButton::clicked, this,
          &CSelectEventDialog::OnDelete);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    types_.SetSelection(row);
    UpdateDelete();
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
}

void CSelectEventDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  types_.Load(ownerKind_, preselect_);
  readOnly_ = IsFamilyFileReadOnly();
  Fill();
  if (readOnly_) {
    EnableControl(kIdcNew, false);
    EnableControl(kIdcDelete, false);
  }
}

void CSelectEventDialog::Fill() {
  const int selection = types_.GetSelection();
  const QSignalBlocker block(list_);
  list_->clear();
  for (const std::string& title : types_.Titles()) list_->addItem(fw::ToQString(title));
  list_->setCurrentRow(selection);
  UpdateDelete();
}

void CSelectEventDialog::UpdateDelete() {
  EnableControl(kIdcDelete, types_.CanDelete(types_.GetSelection(), readOnly_));
}

void CSelectEventDialog::OnOK() {
  chosen = types_.SelectedNumber();
  if (chosen <= 0) return;
  EndDialog(fw::kIdOk);
}

void CSelectEventDialog::OnNew() {
  CDefineCustomEventDialog define(ownerKind_, this);
  define.fields = EventTypeFields();
  define.names = &types_.Names();
  if (define.exec() != fw::kIdOk) return;
  types_.Add(define.fields);
  Fill();
}

void CSelectEventDialog::OnEdit() {
  const int index = types_.GetSelection();
  if (index < 0) return;
  CDefineCustomEventDialog define(ownerKind_, this);
  define.fields = types_.FieldsOf(index);
  define.names = &types_.Names();
  if (define.exec() != fw::kIdOk) return;
  types_.Update(index, define.fields);
  Fill();
}

void CSelectEventDialog::OnDelete() {
  const int index = types_.GetSelection();
  if (!types_.CanDelete(index, readOnly_)) return;
  if (plat::MessageBox(res::LoadString(res::kIdsAskDeleteEventType),
                       res::LoadString(res::kIdsAppName),
                       plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
    return;
  if (!CheckPassword()) return;
  if (types_.At(index).recordNumber == preselect_) preselect_ = -1;
  types_.Delete(index);
  Fill();
}
