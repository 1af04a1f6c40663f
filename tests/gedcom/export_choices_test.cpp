// The Export dialog's decisions: what each export type checks and enables,
// the selection, the options the job receives, and the submitter check.

#include <gtest/gtest.h>

#include "ExportChoices.h"
#include "PreparerRecord.h"

namespace {

using namespace gedcom;

// A box's state as one letter: C checked and enabled, c checked and
// disabled, U unchecked and enabled, u unchecked and disabled.
std::string States(const CExportChoices& c) {
  std::string out;
  for (int box = 0; box < kBoxCount; ++box) {
    const bool on = c.Checked(box), enabled = c.Enabled(box);
    out += on ? (enabled ? 'C' : 'c') : (enabled ? 'U' : 'u');
  }
  return out;
}

TEST(ExportChoices, EachTypeSetsItsBoxes) {
  struct Case {
    int type;
    bool zelShown;
    //           notes src mm contact conf full names subm zel
    const char* states;
    bool charset;
  };
  const Case cases[] = {
      {kTypeStandard55, true, "CCCCCCcCC", true},
      {kTypeGedcom40, true, "CCuCCCcCC", false},
      {kTypeStirpbank, true, "CCuCCUCcc", false},
      {kTypeLineroll, true, "CCuCCUCcc", false},
      {kTypeRosterly, true, "UUuUUCcCc", false},
      // ZEL data hidden: off for the general types, still set for submissions.
      {kTypeStandard55, false, "CCCCCCcCu", true},
      {kTypeGedcom40, false, "CCuCCCcCu", false},
      {kTypeStirpbank, false, "CCuCCUCcc", false},
      {kTypeRosterly, false, "UUuUUCcCc", false},
  };
  for (const Case& c : cases) {
    CExportChoices choices(c.zelShown);
    choices.SetType(c.type);
    EXPECT_EQ(States(choices), c.states) << "type " << c.type << " zel " << c.zelShown;
    EXPECT_EQ(choices.CharsetEnabled(), c.charset) << "type " << c.type;
  }
}

TEST(ExportChoices, FourPointOhAndBackRestoresTheBoxes) {
  CExportChoices c(true);
  c.SetChecked(kBoxNotes, false);
  c.SetChecked(kBoxSubmitter, false);
  c.SetType(kTypeGedcom40);
  EXPECT_FALSE(c.Checked(kBoxMultimedia));
  EXPECT_FALSE(c.CharsetEnabled());
  c.SetType(kTypeStandard55);
  EXPECT_TRUE(c.Checked(kBoxNotes));
  EXPECT_TRUE(c.Checked(kBoxMultimedia));
  EXPECT_TRUE(c.CharsetEnabled());
  // The submitter box is the user's: no general type changes it.
  EXPECT_FALSE(c.Checked(kBoxSubmitter));
}

TEST(ExportChoices, FullInformationOnLivingIncludesTheirNames) {
  CExportChoices c(true);
  c.SetChecked(kBoxFullLiving, false);
  EXPECT_TRUE(c.Enabled(kBoxNamesOnLiving));
  c.SetChecked(kBoxNamesOnLiving, false);
  c.SetChecked(kBoxFullLiving, true);
  EXPECT_TRUE(c.Checked(kBoxNamesOnLiving));
  EXPECT_FALSE(c.Enabled(kBoxNamesOnLiving));
}

TEST(ExportChoices, SelectionCountsAndEnablesExport) {
  CExportChoices c(true);
  EXPECT_EQ(c.CountText(), "All");
  EXPECT_TRUE(c.ExportEnabled());
  EXPECT_FALSE(c.SelectEnabled());
  // Rosterly forces Partial; without a filter set nothing can be exported.
  c.SetType(kTypeRosterly, 0);
  EXPECT_TRUE(c.Partial());
  EXPECT_EQ(c.CountText(), "0");
  EXPECT_FALSE(c.ExportEnabled());
  EXPECT_TRUE(c.SelectEnabled());
  c.ChoosePartial(12);
  EXPECT_EQ(c.CountText(), "12");
  EXPECT_TRUE(c.ExportEnabled());
  c.ChooseAll();
  EXPECT_EQ(c.CountText(), "All");
}

TEST(ExportChoices, OptionsForEachType) {
  struct Case {
    int type;
    bool ansel;  // the user's choice
    int mode;
    bool form55, writesAnsel;
  };
  const Case cases[] = {
      {kTypeStandard55, false, kExportStandard, true, false},
      {kTypeStandard55, true, kExportStandard, true, true},
      {kTypeGedcom40, false, kExportGedcom40, false, true},
      {kTypeStirpbank, false, kExportStirpbank, true, true},
      {kTypeLineroll, false, kExportLineroll, true, true},
      {kTypeRosterly, false, kExportRosterly, true, true},
  };
  for (const Case& c : cases) {
    CExportChoices choices(true);
    choices.SetType(c.type);
    choices.SetAnsel(c.ansel);
    const ExportOptions o = choices.Options(true, false, true);
    EXPECT_EQ(o.mode, c.mode);
    EXPECT_EQ(o.form55, c.form55) << c.type;
    EXPECT_EQ(o.ansel, c.writesAnsel) << c.type;
    // Only a Rosterly submission takes the submission dialog's answers.
    EXPECT_EQ(o.submitAllSelected, c.type == kTypeRosterly) << c.type;
    EXPECT_EQ(o.markSubmitted, c.type == kTypeRosterly) << c.type;
  }
  CExportChoices c(true);
  c.SetChecked(kBoxNotes, false);
  c.SetChecked(kBoxContact, false);
  ExportOptions o = c.Options();
  EXPECT_EQ(o.notesAndSources, 2);
  EXPECT_FALSE(o.contact);
  EXPECT_TRUE(o.multimedia && o.confidential && o.fullLiving && o.namesOnLiving && o.zel &&
              o.submitter);
}

TEST(ExportChoices, PreparerCanSubmit) {
  struct Case {
    const char *given, *surname, *a1, *a2, *a3;
    bool ok;
  };
  const Case cases[] = {
      {"Siri", "Moe", "Storgata 1", "0150 Oslo", "", true},
      {"", "Moe", "Storgata 1", "", "Oslo", true},
      {"Siri", "Moe", "Storgata 1", "Oslo,N", "", true},
      {"Siri", "Moe", "Storgata 1", "Oslo", "", false},   // no blank or comma
      {"Siri", "Moe", "Storgata 1", "N ", "", false},     // two characters
      {"Siri", "Moe", "", "0150 Oslo", "Norway", false},  // no first line
      {"", "", "Storgata 1", "0150 Oslo", "", false},     // no name
  };
  for (const Case& c : cases) {
    CPreparerRecord p;
    p.givenNames = c.given;
    p.surname = c.surname;
    p.address1 = c.a1;
    p.address2 = c.a2;
    p.address3 = c.a3;
    EXPECT_EQ(PreparerCanSubmit(p), c.ok) << c.a1 << "|" << c.a2 << "|" << c.a3;
  }
}

TEST(ExportChoices, EndingRinText) {
  EXPECT_EQ(EndingRinText(0), "");
  EXPECT_EQ(EndingRinText(42), "(Ending RIN#: 42)");
}

}  // namespace
