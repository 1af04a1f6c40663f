#include "AboutDialog.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ProgramVersion.h"
#include "QtPorts.h"
#include "SplashWnd.h"

CAboutDialog::CAboutDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("About Korvane"));
  auto* emblem = new CEmblemWidget;
  auto* name = AddControl(kIdcProductName, new QLabel(QStringLiteral("Korvane")));
  auto* version = AddControl(kIdcVersion, new QLabel(QStringLiteral("Version")));
  auto* purpose = new QLabel(QStringLiteral("A genealogy database for the desktop"));
  auto* holder = new QLabel(QStringLiteral("Copyright \u00A9 Quenmoor Seekwell"));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* copyright = AddControl(kIdcCopyright, new QPushButton(QStringLiteral("&Copyright...")));
  ok->setDefault(true);
  copyright->setAutoDefault(false);
  // The Copyright and License dialog is not part of the program yet.
  copyright->setEnabled(false);

  auto* texts = new QVBoxLayout;
  texts->addWidget(name);
  texts->addWidget(version);
  texts->addSpacing(DialogUnitsToPixels(0, 4).height());
  texts->addWidget(purpose);
  texts->addWidget(holder);
  texts->addStretch();

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(copyright);
  buttons->addStretch();

  auto* top = new QHBoxLayout(this);
  top->addWidget(emblem, 0, Qt::AlignTop);
  top->addSpacing(DialogUnitsToPixels(6, 0).width());
  top->addLayout(texts, 1);
  top->addSpacing(DialogUnitsToPixels(6, 0).width());
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok, &QPushButton::clicked, this, &CAboutDialog::accept);
}

void CAboutDialog::OnInitDialog() {
  // The product name 3 pixels taller than the dialog's font, bold.
  auto* name = Control<QLabel>(kIdcProductName);
  QFont bold = name->font();
  bold.setPixelSize(QFontInfo(name->font()).pixelSize() + 3);
  bold.setWeight(QFont::Bold);
  name->setFont(bold);
  char number[31] = {};
  plat::GetProgramVersion(number, sizeof number);
  SetControlText(kIdcVersion, GetControlText(kIdcVersion) + " " + number);
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}
