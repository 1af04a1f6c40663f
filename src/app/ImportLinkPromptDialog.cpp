#include "ImportLinkPromptDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "ImportLinkPrompt.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

CImportLinkPromptDialog::CImportLinkPromptDialog(bool yesEnabled, QWidget* parent)
    : fw::CDialogBase(parent) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsAppName)));
  auto* text =
      AddControl(kIdcText, new QLabel(fw::ToQString(res::LoadString(res::kIdsLinkInstructions))));
  text->setWordWrap(true);
  text->setMinimumWidth(DialogUnitsToPixels(180, 0).width());
  auto* yes = AddControl(kIdcYes, new QPushButton(QStringLiteral("&Yes")));
  auto* no = AddControl(kIdcNo, new QPushButton(QStringLiteral("&No")));
  auto* check = AddControl(kIdcDontShowAgain,
                           new QCheckBox(QStringLiteral("Don't show this dialog box again!")));
  // Without instructions to show, No is the only answer.
  yes->setEnabled(yesEnabled);
  (yesEnabled ? yes : no)->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(yes);
  buttons->addWidget(no);
  buttons->addStretch(1);
  auto* top = new QVBoxLayout(this);
  top->addWidget(text);
  top->addSpacing(DialogUnitsToPixels(0, 4).height());
  top->addLayout(buttons);
  top->addWidget(check);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(yes, &QPushButton::clicked, this, [this] { Finish(fw::kIdOk); });
  connect(no, &QPushButton::clicked, this, [this] { Finish(fw::kIdCancel); });
}

// Both buttons take the check box first.
void CImportLinkPromptDialog::Finish(int result) {
  dontShowAgain = GetCheck(kIdcDontShowAgain) == 1;
  done(result);
}

void OfferLinkInstructions(QWidget* parent, bool fromMenu, bool hadIndividuals, bool imported,
                           const std::string& helpPath) {
  std::error_code error;
  const bool help = !helpPath.empty() && std::filesystem::is_regular_file(helpPath, error);
  shell::ImportLinkPrompt prompt(plat::Profile(), help);
  bool open = false;
  switch (prompt.After(fromMenu, hadIndividuals, imported)) {
    case shell::ImportLinkPrompt::Ask::kNothing:
      return;
    case shell::ImportLinkPrompt::Ask::kDialog: {
      CImportLinkPromptDialog dialog(prompt.YesEnabled(), parent);
      const int result = dialog.exec();
      open = prompt.DialogEnded(result, dialog.dontShowAgain);
      break;
    }
    case shell::ImportLinkPrompt::Ask::kQuestion:
      open = prompt.QuestionAnswered(plat::MessageBox(res::LoadString(res::kIdsLinkInstructions),
                                                      res::LoadString(res::kIdsAppName),
                                                      plat::kMbYesNo | plat::kMbIconQuestion));
      break;
  }
  if (open) plat::Shell().Open(helpPath);
}
