#include "GlobalReplaceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "FileCopy.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

CGlobalReplaceDialog::CGlobalReplaceDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Global Search and Replace"));
  auto* target = AddControl(kIdcTarget, new QComboBox);
  for (const QString& entry :
       fw::ToQString(res::LoadString(res::kIdsTargets)).split(QLatin1Char('|')))
    target->addItem(entry);
  target->setCurrentIndex(0);
  auto* search = AddControl(kIdcSearch, new QLineEdit);
  auto* replace = AddControl(kIdcReplace, new QLineEdit);
  search->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
  auto* caseSensitive =
      AddControl(kIdcCaseSensitive, new QCheckBox(QStringLiteral("&Case sensitive search")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  help->setAutoDefault(false);

  auto* grid = new QGridLayout;
  const auto row = [&](int r, const char* text, QWidget* field) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(field);
    grid->addWidget(label, r, 0);
    grid->addWidget(field, r, 1);
  };
  row(0, "Search and replace text &in:", target);
  row(1, "&Search for:", search);
  row(2, "&Replace with:", replace);
  grid->addWidget(caseSensitive, 3, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(grid, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(search, &QLineEdit::textChanged, this, &CGlobalReplaceDialog::UpdateOk);
  connect(replace, &QLineEdit::textChanged, this, &CGlobalReplaceDialog::UpdateOk);
  connect(target, &QComboBox::currentIndexChanged, this, &CGlobalReplaceDialog::UpdateOk);
  connect(ok, &QPushButton::clicked, this, &CGlobalReplaceDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CGlobalReplaceDialog::reject);
  UpdateOk();
}

void CGlobalReplaceDialog::UpdateOk() {
  EnableControl(fw::kIdOk, CanReplace(GetControlText(kIdcSearch), GetControlText(kIdcReplace)));
}

void CGlobalReplaceDialog::OnOK() {
  if (!IsControlEnabled(fw::kIdOk)) return;
  const std::string search = GetControlText(kIdcSearch);
  const std::string replacement = GetControlText(kIdcReplace);
  if (replacement.empty() &&
      plat::MessageBox(
          FormatInsertsAndArgs(res::LoadString(res::kIdsDeleteAll), {search}, {search}),
          fw::FromQString(windowTitle()), plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
    return;
  job.target = Control<QComboBox>(kIdcTarget)->currentIndex();
  job.search = search;
  job.replacement = replacement;
  job.caseSensitive = GetCheck(kIdcCaseSensitive) == 1;
  fw::CDialogBase::OnOK();
}
