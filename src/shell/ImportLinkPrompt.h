#pragma once
// After a GEDCOM import into a family file that already held individuals,
// the user is offered the instructions for linking the imported people to
// the others: File > Import asks with the link prompt dialog, whose check
// box stops it for good ("Options"/"ViewLinkHelpDlg" becomes 1); a GEDCOM
// file opened from the command line or File > Open asks a plain question.
// The instructions are the help file; without one there is nothing to open,
// so the dialog's Yes is disabled and the plain question is not asked.

#include "Ports.h"

namespace shell {

inline constexpr char kLinkPromptSection[] = "Options";
inline constexpr char kLinkPromptValue[] = "ViewLinkHelpDlg";

class ImportLinkPrompt {
 public:
  enum class Ask { kNothing, kDialog, kQuestion };

  // helpAvailable: the help file exists, so the instructions can be shown.
  ImportLinkPrompt(plat::ProfilePort& profile, bool helpAvailable)
      : profile_(profile), help_(helpAvailable) {}

  // What follows an import (fromMenu: File > Import) into a file that held
  // individuals before it (hadIndividuals) when it imported anything.
  Ask After(bool fromMenu, bool hadIndividuals, bool imported) const;
  // The dialog's Yes opens the instructions, so it needs them.
  bool YesEnabled() const { return help_; }
  // The dialog ended (result kIdOk for Yes, kIdCancel for No) with its check
  // box: a checked box stops the dialog for later imports. True when the
  // instructions are to be opened.
  bool DialogEnded(int result, bool dontShowAgain);
  // The plain question's answer (kIdYes or kIdNo): true when the
  // instructions are to be opened.
  bool QuestionAnswered(int answer) const;

 private:
  plat::ProfilePort& profile_;
  bool help_;
};

}  // namespace shell
