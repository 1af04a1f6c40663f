#include "SmallRecordDialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "IndividualNode.h"
#include "NotesDialogs.h"
#include "QtPorts.h"

namespace editui {

namespace {

QPushButton* Button(const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text));
  b->setAutoDefault(false);
  return b;
}

// OK, Cancel and Help in a column at the right.
QVBoxLayout* ButtonColumn(fw::CDialogBase& dialog, const char* okText, QPushButton*& ok,
                          QPushButton*& cancel) {
  ok = dialog.AddControl(fw::kIdOk, Button(okText));
  ok->setDefault(true);
  cancel = dialog.AddControl(fw::kIdCancel, Button("Cancel"));
  auto* help = dialog.AddControl(fw::kIdHelp, Button("&Help"));
  help->setEnabled(false);
  auto* column = new QVBoxLayout;
  for (QPushButton* b : {ok, cancel, help}) column->addWidget(b);
  column->addStretch();
  return column;
}

}  // namespace

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
  QPushButton *ok, *cancel;
  QVBoxLayout* buttons = ButtonColumn(*this, "OK", ok, cancel);
  auto* top = new QHBoxLayout(this);
  top->addLayout(form, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &CContactInfoDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CContactInfoDialog::reject);
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
  QPushButton *save, *cancel;
  QVBoxLayout* buttons = ButtonColumn(*this, "&Save", save, cancel);
  auto* top = new QHBoxLayout(this);
  top->addWidget(edit, 1);
  top->addLayout(buttons);
  connect(save, &QPushButton::clicked, this, &CCitationTextDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CCitationTextDialog::reject);
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

}  // namespace editui
