#include "AboutDialog.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ProgramVersion.h"
#include "QtPorts.h"
#include "SplashWnd.h"
#include "StringIds.h"
#include "StringTable.h"

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
  connect(copyright, &QPushButton::clicked, this, &CAboutDialog::OnCopyright);
}

void CAboutDialog::OnCopyright() {
  CCopyrightLicenseDialog dialog(this);
  dialog.exec();
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

CCopyrightLicenseDialog::CCopyrightLicenseDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Copyright and License"));
  auto* text = AddControl(kIdcText, new QPlainTextEdit);
  text->setReadOnly(true);
  text->setMinimumSize(DialogUnitsToPixels(260, 150));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();
  auto* top = new QVBoxLayout(this);
  top->addWidget(text, 1);
  top->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CCopyrightLicenseDialog::accept);
}

void CCopyrightLicenseDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  QString text = fw::ToQString(res::LoadString(res::kIdsLicenseText));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Control<QPlainTextEdit>(kIdcText)->setPlainText(text);
  CenterWindow();
}
