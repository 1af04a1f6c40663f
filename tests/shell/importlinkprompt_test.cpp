// The offer of the linking instructions after a GEDCOM import: when the
// dialog or the question comes, what the dialog's check box stores, and
// that nothing claims to open instructions when there is no help file.
#include <gtest/gtest.h>

#include <string>

#include "FakePorts.h"
#include "ImportLinkPrompt.h"

using shell::ImportLinkPrompt;
using Ask = ImportLinkPrompt::Ask;

namespace {

int Stored(plat::FakeProfile& profile) {
  return profile.GetInt(shell::kLinkPromptSection, shell::kLinkPromptValue, -1);
}

}  // namespace

TEST(ImportLinkPrompt, WhatFollowsAnImport) {
  struct Case {
    const char* what;
    bool fromMenu, hadIndividuals, imported;
    int stored;  // -1: never stored
    bool help;
    Ask ask;
  } cases[] = {
      {"menu, file held people", true, true, true, -1, false, Ask::kDialog},
      {"menu, stored 0", true, true, true, 0, true, Ask::kDialog},
      {"menu, stopped by the check box", true, true, true, 1, true, Ask::kNothing},
      {"menu, empty file before", true, false, true, -1, true, Ask::kNothing},
      {"menu, nothing imported", true, true, false, -1, true, Ask::kNothing},
      {"opened file, help", false, true, true, -1, true, Ask::kQuestion},
      {"opened file, check box ignored", false, true, true, 1, true, Ask::kQuestion},
      {"opened file, no help", false, true, true, -1, false, Ask::kNothing},
      {"opened file, empty before", false, false, true, -1, true, Ask::kNothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::FakeProfile profile;
    if (c.stored >= 0) profile.SetInt(shell::kLinkPromptSection, shell::kLinkPromptValue, c.stored);
    const ImportLinkPrompt prompt(profile, c.help);
    EXPECT_EQ(prompt.After(c.fromMenu, c.hadIndividuals, c.imported), c.ask);
    EXPECT_EQ(prompt.YesEnabled(), c.help);
  }
}

// Either button takes the check box; only Yes with a help file opens the
// instructions.
TEST(ImportLinkPrompt, DialogEndStoresTheCheckBox) {
  struct Case {
    int result;
    bool dontShowAgain, help, opens;
    int stored;
  } cases[] = {
      {plat::kIdOk, false, true, true, -1},     {plat::kIdOk, true, true, true, 1},
      {plat::kIdCancel, true, true, false, 1},  {plat::kIdCancel, false, true, false, -1},
      {plat::kIdCancel, true, false, false, 1}, {plat::kIdOk, false, false, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.result) + (c.dontShowAgain ? " checked" : " unchecked") +
                 (c.help ? " help" : " no help"));
    plat::FakeProfile profile;
    ImportLinkPrompt prompt(profile, c.help);
    EXPECT_EQ(prompt.DialogEnded(c.result, c.dontShowAgain), c.opens);
    EXPECT_EQ(Stored(profile), c.stored);
    // A checked box stops the next dialog.
    EXPECT_EQ(prompt.After(true, true, true), c.dontShowAgain ? Ask::kNothing : Ask::kDialog);
  }
}

TEST(ImportLinkPrompt, QuestionOpensOnYesWithHelp) {
  plat::FakeProfile profile;
  EXPECT_TRUE(ImportLinkPrompt(profile, true).QuestionAnswered(plat::kIdYes));
  EXPECT_FALSE(ImportLinkPrompt(profile, true).QuestionAnswered(plat::kIdNo));
  EXPECT_FALSE(ImportLinkPrompt(profile, false).QuestionAnswered(plat::kIdYes));
  EXPECT_EQ(Stored(profile), -1);
}
