// Names and places in Polish, Czech, Nordic, German, French and Turkish
// letters, in UTF-8, UTF-16 and ANSEL files of the same content: each
// imports to the same family file whatever the code page, and the ANSEL
// export writes them letter for letter as the ANSEL file has them.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CodePage.h"
#include "ExportFamily.h"
#include "ParamNames.h"
#include "ScopedCodePage.h"

namespace {

std::string Sample(const char* name) {
  return ReadAll(std::string(KORVANE_GEDCOM_SAMPLES) + "/" + name);
}

class LettersTest : public ExportFamilyFixture, public ::testing::WithParamInterface<int> {
 protected:
  // Imports a sample into a new family file, which becomes the open one, and
  // answers its ANSEL export.
  std::string ImportAndExport(const char* sample) {
    DbCloseCurrent();
    family = dir.File(std::string(sample) + ".orv");
    EXPECT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(Import(std::string(KORVANE_GEDCOM_SAMPLES) + "/" + sample), 1) << importLog_;
    gedcom::ExportOptions options;
    options.mode = gedcom::kExportStandard;
    options.form55 = true;
    options.ansel = true;
    options.fullLiving = true;
    return Export(options);
  }

  // The names of the imported people as Unicode.
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const char* xref : {"I1", "I2", "I3", "I4", "I5", "I6"}) {
      const CIndividualRecord p = ImportFixture::Person(xref);
      out.push_back(plat::AnsiToUtf8(p.givenNames[0] + "|" + p.givenNames[1] + "|" + p.surname));
    }
    return out;
  }
};

TEST_P(LettersTest, EveryFormImportsTheSameLettersAndExportsThemAsAnsel) {
  ScopedCodePage page(GetParam());
  const std::vector<std::string> ansel = NameAndPlaceLines(Sample("letters-ansel.ged"));
  ASSERT_EQ(ansel.size(), 12u);
  const std::vector<std::string> names = {"W\u0142adys\u0142aw||\u0141ukasiewicz",
                                          "Ji\u0159\u00ED||Dvo\u0159\u00E1k",
                                          "\u00DE\u00F3r\u00F0ur|\u00C5se|Bj\u00F8rnstj\u00E6rne",
                                          "J\u00FCrgen||M\u00FC\u00DFig",
                                          "Fran\u00E7ois|\u00C9lo\u00EFse|Lef\u00E8vre-C\u0153ur",
                                          "A\u011Fa|\u0130smail|Y\u0131ld\u0131z"};
  for (const char* sample : {"letters-ansel.ged", "letters-utf8.ged", "letters-utf16.ged"}) {
    SCOPED_TRACE(sample);
    const std::string exported = ImportAndExport(sample);
    EXPECT_EQ(Names(), names);
    EXPECT_EQ(NameAndPlaceLines(exported), ansel);
    EXPECT_FALSE(LogHas("replaced by '?'")) << importLog_;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCodePages, LettersTest, ::testing::Values(1252, 1250),
                         ParamNameOfCodePage());

}  // namespace

namespace {

class LongNameTest : public ImportFixture {};

// A given name too long for the file is cut at its first 255 characters; the
// surname after it stays the surname.
TEST_F(LongNameTest, ACutGivenNameKeepsItsSurname) {
  const std::string given(5000, 'V');
  ASSERT_EQ(ImportText("0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME " + given +
                       " /Vogt/\r\n0 @I2@ INDI\r\n1 NAME Ann /" + given + "/\r\n0 TRLR\r\n"),
            1);
  EXPECT_TRUE(LogHas("Value too long, value truncated.")) << importLog_;
  const CIndividualRecord cut = Person("I1");
  EXPECT_EQ(cut.surname, "Vogt");
  EXPECT_EQ(cut.givenNames[0], std::string(255, 'V'));
  // A long surname is cut as before.
  const CIndividualRecord ann = Person("I2");
  EXPECT_EQ(ann.givenNames[0], "Ann");
  EXPECT_EQ(ann.surname.substr(0, 100), std::string(100, 'V'));
}

}  // namespace
