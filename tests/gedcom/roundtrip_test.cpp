// The export read back by the import: what a second export loses against
// the first is only what GEDCOM cannot carry back, and a third export equals
// the second. Golden files hold the whole export of each mode and character
// set.

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ExportFamily.h"
#include "PreparerRecord.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    out.push_back(text.substr(at, end - at));
  if (at < text.size()) out.push_back(text.substr(at));
  return out;
}

// The lines of a that b lacks and those b adds, by a longest common
// subsequence, each prefixed "-" or "+".
std::vector<std::string> Differences(const std::string& a, const std::string& b) {
  const std::vector<std::string> x = Lines(a), y = Lines(b);
  std::vector<std::vector<int>> lcs(x.size() + 1, std::vector<int>(y.size() + 1, 0));
  for (std::size_t i = x.size(); i-- > 0;)
    for (std::size_t j = y.size(); j-- > 0;)
      lcs[i][j] = x[i] == y[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
  std::vector<std::string> out;
  std::size_t i = 0, j = 0;
  while (i < x.size() || j < y.size()) {
    if (i < x.size() && j < y.size() && x[i] == y[j]) {
      ++i, ++j;
    } else if (j < y.size() && (i == x.size() || lcs[i][j + 1] >= lcs[i + 1][j])) {
      out.push_back("+" + y[j++]);
    } else {
      out.push_back("-" + x[i++]);
    }
  }
  return out;
}

class RoundTripTest : public ExportFamilyFixture {
 protected:
  // Imports text into a new family file, which becomes the open one.
  void ImportIntoNewFile(const std::string& text, const std::string& name) {
    DbCloseCurrent();
    family = dir.File(name + ".orv");
    ASSERT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(ImportText(text), 1) << importLog_;
  }
};

// Standard 5.5 in ANSEL with every option but the submitter.
gedcom::ExportOptions AllButSubmitter() {
  gedcom::ExportOptions o;
  o.mode = gedcom::kExportStandard;
  o.zel = true;
  o.fullLiving = true;
  o.notesAndSources = 3;
  o.confidential = true;
  o.namesOnLiving = true;
  o.contact = true;
  o.multimedia = true;
  return o;
}

TEST_F(RoundTripTest, ExportImportExportLosesOnlyDialectDifferences) {
  BuildFamily();
  const std::string first = Export(AllButSubmitter());
  ImportIntoNewFile(first, "second");
  const std::string second = Export(AllButSubmitter());
  ImportIntoNewFile(second, "third");
  const std::string third = Export(AllButSubmitter());

  EXPECT_EQ(third, second);
  // What the first export has that cannot come back the same, and why, in
  // the file's order.
  const std::vector<std::string> losses = {
      // A step link, which a family link cannot hold, comes back foster.
      "-3 TYPE step",
      // A reference number shaped like an SBN is read as the SBN.
      "+1 SBN A123",
      "-1 REFN A123",
      // A source without a short title takes its title as the short title.
      "+1 ABBR Parish book of Voss",
  };
  EXPECT_EQ(Differences(first, second), losses);
}

// Golden files: the fixture family exported in each mode and character set,
// byte for byte. KORVANE_UPDATE_GOLDEN=1 writes them anew; a new file is read
// line by line before it is kept.
class GoldenTest : public ExportFamilyFixture {};

TEST_F(GoldenTest, EachModeAndCharacterSet) {
  BuildFamily();
  CPreparerRecord prep;
  prep.givenNames = "Siri";
  prep.surname = "Moe";
  prep.address2 = "Storgata 1";
  prep.address3 = "Oslo";
  prep.sbn = "SB-1";
  prep.email = "siri@moe.no";
  ASSERT_EQ(DbUpdateRecord(CPreparerRecord::kRecordNumber, db::kPreparer, &prep), 1);
  struct Case {
    const char* file;
    int mode;
    bool form55, ansel;
  };
  const Case cases[] = {
      {"gedcom40-ansi.ged", gedcom::kExportGedcom40, false, false},
      {"stirpbank-ansel.ged", gedcom::kExportStirpbank, true, true},
      {"stirpbank-ansi.ged", gedcom::kExportStirpbank, true, false},
      {"rosterly-ansel.ged", gedcom::kExportRosterly, true, true},
      {"rosterly-ansi.ged", gedcom::kExportRosterly, true, false},
      {"standard-ansel.ged", gedcom::kExportStandard, true, true},
      {"standard-ansi.ged", gedcom::kExportStandard, true, false},
      {"lineroll-ansel.ged", gedcom::kExportLineroll, true, true},
      {"lineroll-ansi.ged", gedcom::kExportLineroll, true, false},
  };
  const bool update = std::getenv("KORVANE_UPDATE_GOLDEN") != nullptr;
  for (const Case& c : cases) {
    gedcom::ExportOptions options = AllButSubmitter();
    options.submitter = true;
    options.mode = c.mode;
    options.form55 = c.form55;
    options.ansel = c.ansel;
    const std::string text = Export(options);
    const std::string golden = std::string(KORVANE_GEDCOM_GOLDEN) + "/" + c.file;
    if (update) WriteAll(golden, text);
    EXPECT_EQ(text, ReadAll(golden)) << c.file;
  }
}

}  // namespace
