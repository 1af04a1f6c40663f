#include "WelcomeDialog.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppOptions.h"
#include "FileSearchDialog.h"
#include "SplashWnd.h"

namespace {

QPushButton* ChoiceButton(const QString& text) {
  auto* button = new QPushButton(text);
  button->setAutoDefault(false);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return button;
}

}  // namespace

CWelcomeDialog::CWelcomeDialog(CAppOptions& options, QWidget* parent)
    : fw::CDialogBase(parent), options_(options) {
  setWindowTitle(QStringLiteral("Korvane"));
  auto* emblem = new CEmblemWidget;
  auto* title = AddControl(kIdcTitle, new QLabel(QStringLiteral("Welcome to\nKorvane")));
  title->setAlignment(Qt::AlignCenter);
  // The dialog's font, 6 pixels taller and bold.
  QFont big = font();
  big.setPixelSize(QFontInfo(font()).pixelSize() + 6);
  big.setBold(true);
  title->setFont(big);

  auto* intro = new QLabel(QStringLiteral("No family file is open. What would you like to do?"));
  intro->setWordWrap(true);
  intro->setMinimumWidth(DialogUnitsToPixels(190, 0).width());
  auto* search = AddControl(kIdcSearch,
                            ChoiceButton(QStringLiteral("&Search this computer for family files")));
  auto* open = AddControl(kIdcOpen, ChoiceButton(QStringLiteral("&Open an existing family file")));
  auto* create = AddControl(kIdcNew, ChoiceButton(QStringLiteral("Create a &new family file")));
  auto* zel = AddControl(
      kIdcUseZel, new QCheckBox(QStringLiteral("Use ZEL information on screens and reports")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  cancel->setAutoDefault(false);
  open->setDefault(true);

  auto* header = new QHBoxLayout;
  header->addWidget(emblem);
  header->addWidget(title, 1);

  auto* choices = new QVBoxLayout;
  choices->addWidget(intro);
  choices->addSpacing(DialogUnitsToPixels(0, 4).height());
  choices->addWidget(search);
  choices->addWidget(open);
  choices->addWidget(create);
  choices->addSpacing(DialogUnitsToPixels(0, 6).height());
  choices->addWidget(zel);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel);

  auto* top = new QVBoxLayout(this);
  top->addLayout(header);
  top->addSpacing(DialogUnitsToPixels(0, 6).height());
  top->addLayout(choices);
  top->addSpacing(DialogUnitsToPixels(0, 4).height());
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(search, &QPushButton::clicked, this, &CWelcomeDialog::OnSearch);
  connect(open, &QPushButton::clicked, this, [this] { EndDialog(kIdcOpen); });
  connect(create, &QPushButton::clicked, this, [this] { EndDialog(kIdcNew); });
  connect(zel, &QCheckBox::clicked, this, &CWelcomeDialog::OnUseZel);
  connect(cancel, &QPushButton::clicked, this, &CWelcomeDialog::reject);
}

void CWelcomeDialog::OnInitDialog() {
  SetCheck(kIdcUseZel, options_.showZel ? 1 : 0);
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}

void CWelcomeDialog::OnSearch() {
  std::string path;
  if (SearchForFamilyFile(path, this, kSearchToOpen)) {
    chosenPath_ = path;
    EndDialog(fw::kIdOk);
  }
}

void CWelcomeDialog::OnUseZel(bool checked) {
  options_.showZel = checked ? 1 : 0;
  options_.showZelRpt = options_.showZel;
}
