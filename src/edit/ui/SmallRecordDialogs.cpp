#include "SmallRecordDialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "DbCalls.h"
#include "DbCodes.h"
#include "DialogParts.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "NotesDialogs.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TabbedListDelegate.h"

namespace editui {

CContactInfoDialog::CContactInfoDialog(QWidget* parent, CIndividualNode& person)
    : fw::CDialogBase(parent), gate(notesui::AppGate()), person_(person), fields_(person) {
  static const char* const kLabels[CContactFields::kFieldCount] = {
      "Contact &name:", "Street &address:", "&City:",   "&State:",    "&Zip/Postal code:",
      "C&ountry:",      "&Phone:",          "&E-mail:", "Ho&me page:"};
  auto* form = new QFormLayout;
  for (int i = 0; i < CContactFields::kFieldCount; ++i) {
    QWidget* edit;
    if (i == CContactFields::kStreet) {
      auto* street = new QPlainTextEdit;
      street->setTabChangesFocus(true);
      street->setFixedHeight(street->fontMetrics().lineSpacing() * 3 + 12);
      edit = street;
    } else {
      auto* line = new QLineEdit;
      line->setMaxLength(CContactFields::kMaxChars);
      edit = line;
    }
    edit->setMinimumWidth(DialogUnitsToPixels(170, 0).width());
    form->addRow(QString::fromUtf8(kLabels[i]), AddControl(kIdcFields[i], edit));
  }
  QVBoxLayout* buttons = OkCancelHelpColumn(*this, "OK");
  auto* top = new QHBoxLayout(this);
  top->addLayout(form, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
}

void CContactInfoDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  setWindowTitle(QStringLiteral("Contact Information for ") + fw::ToQString(captionInsert));
  for (int i = 0; i < CContactFields::kFieldCount; ++i) {
    if (i == CContactFields::kStreet)
      Control<QPlainTextEdit>(kIdcFields[i])->setPlainText(notesui::ToEditText(fields_.values[i]));
    else
      SetControlText(kIdcFields[i], fields_.values[i]);
  }
  EnableControl(fw::kIdOk, !gate.IsReadOnly());
}

void CContactInfoDialog::OnOK() {
  if (gate.IsReadOnly() || (gate.checkPassword && !gate.checkPassword())) return;
  for (int i = 0; i < CContactFields::kFieldCount; ++i) {
    if (i == CContactFields::kStreet) {
      std::string street =
          notesui::FromEditText(Control<QPlainTextEdit>(kIdcFields[i])->toPlainText());
      if (street.size() > CContactFields::kMaxChars) street.resize(CContactFields::kMaxChars);
      fields_.values[i] = street;
    } else {
      fields_.values[i] = GetControlText(kIdcFields[i]);
    }
  }
  fields_.ApplyTo(person_);
  done(fw::kIdOk);
}

CCitationTextDialog::CCitationTextDialog(QWidget* parent) : fw::CDialogBase(parent) {
  auto* edit = AddControl(kIdcText, new QPlainTextEdit);
  edit->setTabChangesFocus(true);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setMinimumSize(DialogUnitsToPixels(220, 110));
  QVBoxLayout* buttons = OkCancelHelpColumn(*this, "&Save");
  auto* top = new QHBoxLayout(this);
  top->addWidget(edit, 1);
  top->addLayout(buttons);
}

void CCitationTextDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  setWindowTitle(QStringLiteral("Citation Actual Text for ") + fw::ToQString(captionInsert));
  Control<QPlainTextEdit>(kIdcText)->setPlainText(notesui::ToEditText(text));
}

void CCitationTextDialog::OnOK() {
  text = notesui::FromEditText(Control<QPlainTextEdit>(kIdcText)->toPlainText());
  done(fw::kIdOk);
}

CFamiliesForDialog::CFamiliesForDialog(QWidget* parent, std::int32_t rin)
    : fw::CDialogBase(parent), rin_(rin) {
  CIndividualRecord person;
  std::string name;
  if (DbGetRecord(rin, db::kIndividual, &person) == 1) name = person.GetName(0, false, 0, false);
  setWindowTitle(QStringLiteral("Families for ") + fw::ToQString(name));
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("Select from the following:")));
  auto* labels = new QHBoxLayout;
  labels->addWidget(new QLabel(QStringLiteral("MRIN")));
  labels->addWidget(new QLabel(QStringLiteral("Family")), 1);
  labels->addWidget(new QLabel(QStringLiteral("Marriage Date")));
  left->addLayout(labels);
  list_ = AddControl(kIdcList, new QListWidget);
  list_->setMinimumSize(DialogUnitsToPixels(280, 80));
  ShowAtTabStops(list_, *this, {25, 242, 259, 272, 289});
  const fw::QtTextMeasure measure(list_->font());
  lines_ = FamiliesForLines(rin, &measure);
  for (const FamiliesForLine& line : lines_) AddTabbedLine(list_, line.text);
  if (!lines_.empty()) list_->setCurrentRow(0);
  left->addWidget(list_, 1);
  QVBoxLayout* buttons = OkCancelHelpColumn(*this, "OK");
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
}

int CFamiliesForDialog::exec() {
  if (lines_.empty()) {
    value = 0;
    return 0;
  }
  return fw::CDialogBase::exec();
}

void CFamiliesForDialog::OnOK() {
  const int row = list_->currentRow();
  value = row >= 0 && row < static_cast<int>(lines_.size()) ? lines_[row].value : 0;
  done(fw::kIdOk);
}

CMarriagesForDialog::CMarriagesForDialog(QWidget* parent, std::int32_t rin, std::int32_t second)
    : fw::CDialogBase(parent), rin_(rin), second_(second) {
  auto* left = new QVBoxLayout;
  left->addWidget(
      AddControl(kIdcPrompt, new QLabel(QStringLiteral("Select an existing marriage:"))));
  list_ = AddControl(kIdcList, new QListWidget);
  const std::vector<int> stops(std::begin(kMarriagesForTabStops), std::end(kMarriagesForTabStops));
  auto* lines =
      new CTabbedListDelegate(stops, CTabbedListDelegate::ListColours(list_->palette()), list_);
  list_->setItemDelegate(lines);
  list_->setUniformItemSizes(true);
  const int frame = list_->frameWidth();
  const int scroll = list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  list_->setMinimumSize(
      lines->sizeHint(QStyleOptionViewItem(), QModelIndex()).width() + 2 * frame + scroll,
      DialogUnitsToPixels(0, 70).height());
  // The column labels stand over the list's first stops.
  auto* labels = new QHBoxLayout;
  labels->setSpacing(0);
  labels->setContentsMargins(frame + CTabbedListDelegate::kTextLeft, 0, 0, 0);
  auto* mrin = new QLabel(QStringLiteral("MRIN"));
  mrin->setFixedWidth(stops[0]);
  auto* spouse = new QLabel(QStringLiteral("Spouse"));
  spouse->setFixedWidth(stops[1] - stops[0]);
  labels->addWidget(mrin);
  labels->addWidget(spouse);
  labels->addWidget(new QLabel(QStringLiteral("Marriage Date")), 1);
  left->addLayout(labels);
  left->addWidget(list_, 1);
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  ok->setDefault(true);
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  help->setEnabled(false);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(help);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CMarriagesForDialog::accept);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
}

int CMarriagesForDialog::Fill() {
  const fw::QtTextMeasure measure(list_->font());
  choices_ = MarriageChoices(rin_, onlyWithoutSpouse, &measure, onlyWith);
  list_->clear();
  for (const MarriageChoice& choice : choices_) AddTabbedLine(list_, choice.text);
  if (!selectionOnly) {
    // The line that makes a new marriage: the dialog's font in italics.
    QListWidgetItem* add = AddTabbedLine(list_, AddMarriageLine());
    add->setData(kAddMarriageRole, 1);
    QFont italic = font();
    italic.setItalic(true);
    add->setFont(italic);
  }
  return static_cast<int>(choices_.size());
}

int CMarriagesForDialog::exec() {
  result = 0;
  if (Fill() == 0) return 0;
  list_->setCurrentRow(0);
  list_->setFocus();
  auto nameOf = [](std::int32_t rin) {
    CIndividualRecord person;
    return DbGetRecord(rin, db::kIndividual, &person) == 1 ? person.GetName(0, false, 0, false)
                                                           : std::string();
  };
  if (selectionOnly || second_ == 0) {
    setWindowTitle(QStringLiteral("Marriages for ") + fw::ToQString(nameOf(rin_)));
  } else {
    auto fill = [](unsigned id, const std::string& name) {
      std::string text = res::LoadString(id);
      const std::size_t at = text.find("%s");
      if (at != std::string::npos) text.replace(at, 2, name);
      return text;
    };
    SetControlText(kIdcPrompt, fill(res::kIdsSelectMarriageOf, nameOf(rin_)));
    setWindowTitle(fw::ToQString(
        fill(DbGetSex(rin_) == 'F' ? res::kIdsAddMotherForName : res::kIdsAddFatherForName,
             nameOf(second_))));
  }
  return fw::CDialogBase::exec();
}

void CMarriagesForDialog::OnOK() {
  const int row = list_->currentRow();
  if (row >= 0 && row < static_cast<int>(choices_.size()))
    result = choices_[row].mrin;
  else if (row == static_cast<int>(choices_.size()) && !selectionOnly)
    result = AddMarriageFor(rin_);
  else
    result = 0;
  done(fw::kIdOk);
}

}  // namespace editui
