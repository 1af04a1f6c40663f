#include "PasswordDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtPorts.h"
#include "SettingsDialogs.h"
#include "StringIds.h"
#include "StringTable.h"

CPasswordDialog::CPasswordDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Enter Password"));
  auto* label = new QLabel(QStringLiteral("&Password:"));
  auto* edit = AddControl(kIdcPassword, new QLineEdit);
  edit->setEchoMode(QLineEdit::Password);
  edit->setMinimumWidth(DialogUnitsToPixels(110, 0).width());
  label->setBuddy(edit);
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("Help")));
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  help->setAutoDefault(false);

  auto* entry = new QHBoxLayout;
  entry->addWidget(label);
  entry->addWidget(edit, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  auto* top = new QHBoxLayout(this);
  top->addLayout(entry, 1);
  top->setAlignment(entry, Qt::AlignTop);
  top->addSpacing(DialogUnitsToPixels(7, 0).width());
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok, &QPushButton::clicked, this, &CPasswordDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CPasswordDialog::reject);
}

void CPasswordDialog::OnInitDialog() {
  if (mode == kModeChange)
    setWindowTitle(fw::ToQString(res::LoadString(res::kIdsChangePassword)));
  else
    password.clear();
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  if (auto* edit = Control<QLineEdit>(kIdcPassword)) {
    edit->setFocus();
    edit->selectAll();
  }
}

bool CPasswordDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcPassword, password);
  return true;
}
