#pragma once
// The link prompt after File > Import: asks whether to show the
// instructions for linking the imported people to the others, with a check
// box that stops the question for good. Yes ends with kIdOk, No with
// kIdCancel; the check box is read from dontShowAgain after it closes.

#include <string>

#include "DialogBase.h"

class CImportLinkPromptDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 450;
  static constexpr int kIdcText = 1000;
  static constexpr int kIdcYes = 6;
  static constexpr int kIdcNo = 7;
  static constexpr int kIdcDontShowAgain = 1630;

  // yesEnabled: the instructions can be shown (a help file exists).
  explicit CImportLinkPromptDialog(bool yesEnabled, QWidget* parent = nullptr);

  bool dontShowAgain = false;

 private:
  void Finish(int result);
};

// After a GEDCOM import (fromMenu: File > Import, else a GEDCOM file
// opened) into a file that held individuals before: the link prompt or the
// plain question, as the user's choices so far and the help file allow; the
// instructions open with the desktop's program.
void OfferLinkInstructions(QWidget* parent, bool fromMenu, bool hadIndividuals, bool imported,
                           const std::string& helpPath);
