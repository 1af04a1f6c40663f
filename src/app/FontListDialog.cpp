#include "FontListDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Ports.h"
#include "PreferencesPages.h"
#include "QtPorts.h"
#include "SettingsChoosers.h"
#include "StringTable.h"

CFontsDialog::CFontsDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Fonts"));
  auto* list = AddControl(kIdcList, new QComboBox);
  auto* description = AddControl(kIdcDescription, new QLabel);
  description->setFrameShape(QFrame::StyledPanel);
  description->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
  auto* change = AddControl(kIdcChange, new QPushButton(QStringLiteral("&Change...")));
  auto* defaults = AddControl(kIdcDefaults, new QPushButton(QStringLiteral("Set to &Defaults")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("Help")));
  ok->setDefault(true);
  for (QPushButton* b : {change, defaults, cancel, help}) b->setAutoDefault(false);

  auto* left = new QVBoxLayout;
  left->addWidget(list);
  auto* row = new QHBoxLayout;
  row->addWidget(description, 1);
  row->addWidget(change);
  left->addLayout(row);
  left->addWidget(defaults, 0, Qt::AlignLeft);
  left->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addSpacing(DialogUnitsToPixels(7, 0).width());
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(list, &QComboBox::currentIndexChanged, this, &CFontsDialog::OnSelect);
  connect(change, &QPushButton::clicked, this, &CFontsDialog::OnChange);
  connect(defaults, &QPushButton::clicked, this, &CFontsDialog::OnDefaults);
  connect(ok, &QPushButton::clicked, this, &CFontsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CFontsDialog::reject);
}

int CFontsDialog::exec() {
  if (fonts.Empty()) return fw::kIdCancel;
  return fw::CDialogBase::exec();
}

void CFontsDialog::open() {
  if (fonts.Empty()) {
    done(fw::kIdCancel);
    return;
  }
  fw::CDialogBase::open();
}

void CFontsDialog::OnInitDialog() {
  if (!fonts.caption.empty()) setWindowTitle(fw::ToQString(fonts.caption));
  if (auto* list = Control<QComboBox>(kIdcList)) {
    QSignalBlocker block(list);
    list->clear();
    for (const shell::FontEntry& e : fonts.entries) list->addItem(fw::ToQString(e.label));
    list->setCurrentIndex(0);
  }
  fonts.Select(0);
  ShowControl(kIdcDefaults, fonts.showDefaults != 0);
  ShowDescription();
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}

void CFontsDialog::OnSelect(int index) {
  fonts.Select(index);
  ShowDescription();
}

void CFontsDialog::OnChange() {
  if (fonts.Empty()) return;
  shell::FontEntry& e = fonts.entries[static_cast<std::size_t>(fonts.Current())];
  shell::FontChoiceLimits limits;
  limits.needsPrinter = fonts.NeedsPrinter();
  if (e.flags & shell::kFontLimitSize) {
    limits.minPoints = e.minSize;
    limits.maxPoints = e.maxSize;
  }
  limits.trueTypeOnly = (e.flags & shell::kFontTrueTypeOnly) != 0;
  if (prefs::ChooseFontDescription(this, e.description, limits)) ShowDescription();
}

void CFontsDialog::OnDefaults() {
  fonts.SetDefaults();
  ShowDescription();
}

void CFontsDialog::ShowDescription() { SetControlText(kIdcDescription, fonts.ShownDescription()); }
