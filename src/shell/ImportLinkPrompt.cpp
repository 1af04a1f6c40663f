#include "ImportLinkPrompt.h"

namespace shell {

ImportLinkPrompt::Ask ImportLinkPrompt::After(bool fromMenu, bool hadIndividuals,
                                              bool imported) const {
  if (!hadIndividuals || !imported) return Ask::kNothing;
  if (!fromMenu) return help_ ? Ask::kQuestion : Ask::kNothing;
  return profile_.GetInt(kLinkPromptSection, kLinkPromptValue, 0) == 0 ? Ask::kDialog
                                                                       : Ask::kNothing;
}

bool ImportLinkPrompt::DialogEnded(int result, bool dontShowAgain) {
  if (dontShowAgain) profile_.SetInt(kLinkPromptSection, kLinkPromptValue, 1);
  return result == plat::kIdOk && help_;
}

bool ImportLinkPrompt::QuestionAnswered(int answer) const {
  return answer == plat::kIdYes && help_;
}

}  // namespace shell
