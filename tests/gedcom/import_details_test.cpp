// Smaller things an import keeps or says: the lines under a FAMC line, the
// romanized ayn and alif, a long date of accented letters, a suffix given by
// both NSFX and TITL, and a path that is no GEDCOM file at all.

#include <sys/stat.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "Ansel.h"
#include "CodePage.h"
#include "ImportFixture.h"
#include "TestHelpers.h"

namespace {

TEST_F(ImportFixture, LinesUnderFamcAreCountedAsNotKept) {
  ASSERT_EQ(ImportText("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ola /Lund/\n1 FAMC @F1@\n"
                       "2 PEDI birth\n3 _CUSTOM x\n2 SOUR @S1@\n3 PAGE p. 4\n2 STAT proven\n"
                       "2 _FOO bar\n3 _BAR baz\n0 @F1@ FAM\n1 CHIL @I1@\n0 @S1@ SOUR\n"
                       "1 TITL Book\n0 TRLR\n"),
            1)
      << importLog_;
  EXPECT_EQ(Children("F1"), std::vector<std::int32_t>{Rin("I1")});
  EXPECT_TRUE(LogHas("read but are not kept")) << importLog_;
  for (const char* line : {"    SOUR of a FAMC line: 1\n", "    STAT of a FAMC line: 1\n",
                           "    _FOO of a FAMC line: 1\n", "    _CUSTOM of a PEDI line: 1\n"})
    EXPECT_TRUE(LogHas(line)) << line << importLog_;
}

TEST_F(ImportFixture, RomanizedAynAndAlifAreAnselsAynAndAlif) {
  // U+02BF and U+02BE, the half rings of romanized Arabic and Hebrew.
  ASSERT_EQ(ImportText("\xEF\xBB\xBF"
                       "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Ra\u02BEuf /\u02BFAli/\n"
                       "0 TRLR\n"),
            1)
      << importLog_;
  const CIndividualRecord p = Person("I1");
  EXPECT_EQ(AnsiToAnsel(p.surname), "\xB0"
                                    "Ali");
  EXPECT_EQ(AnsiToAnsel(p.givenNames[0]), "Ra\xAE"
                                          "uf");
  EXPECT_FALSE(LogHas("replaced by '?'")) << importLog_;
}

TEST_F(ImportFixture, LongDateOfAccentedLettersKeepsFiftyLetters) {
  std::string date;
  for (int i = 0; i < 60; ++i) date += "\u0151";  // o with double acute
  ASSERT_EQ(ImportText("\xEF\xBB\xBF"
                       "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME A /B/\n1 BIRT\n2 DATE " +
                       date + "\n0 TRLR\n"),
            1)
      << importLog_;
  const std::string fifty = date.substr(0, 50 * std::string("\u0151").size());
  // As the program's own conversion gives the letters back.
  const std::string kept = plat::AnsiToUtf8(plat::Utf8ToAnsi(fifty));
  EXPECT_EQ(plat::AnsiToUtf8(Person("I1").birth.date.text), kept);
  EXPECT_TRUE(LogHas("Date too long: Truncating to 50 characters.\n\n\t2 DATE " + kept + "..."))
      << importLog_;
}

struct SuffixCase {
  const char* name;
  const char* lines;  // of the individual
  const char* suffix;
};

const SuffixCase kSuffixes[] = {
    {"NsfxThenTitl", "1 NAME John /Smith/\n2 NSFX Jr.\n1 TITL Duke of York\n",
     "Jr., Duke of York"},
    {"TitlThenNsfx", "1 TITL Sir\n1 NAME John /Smith/\n2 NSFX III\n", "Sir, III"},
    {"SameInBoth", "1 NAME John /Smith/\n2 NSFX Jr.\n1 TITL Jr.\n", "Jr."},
    {"NsfxAlone", "1 NAME John /Smith/\n2 NSFX Jr.\n", "Jr."},
};

class SuffixImport : public ImportFixture, public ::testing::WithParamInterface<SuffixCase> {};

TEST_P(SuffixImport, NsfxAndTitlAreBothKept) {
  ASSERT_EQ(ImportText(std::string("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n") + GetParam().lines +
                       "0 TRLR\n"),
            1)
      << importLog_;
  EXPECT_EQ(Person("I1").suffix, GetParam().suffix);
}

INSTANTIATE_TEST_SUITE_P(Suffixes, SuffixImport, ::testing::ValuesIn(kSuffixes),
                         [](const ::testing::TestParamInfo<SuffixCase>& info) {
                           return std::string(info.param.name);
                         });

struct RefusedCase {
  const char* name;
  std::function<void(const std::string& path)> make;
  const char* said;
};

const RefusedCase kRefused[] = {
    {"Folder", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0755), 0); },
     " is a folder, not a GEDCOM file."},
    {"EmptyFile", [](const std::string& p) { WriteAll(p, ""); },
     " is empty: it holds nothing to import."},
    {"NamedPipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
     " is not a file but a device, a named pipe or a socket"},
    {"Missing", [](const std::string&) {}, "Can't open "},
};

class RefusedPath : public ImportFixture, public ::testing::WithParamInterface<RefusedCase> {};

// Refused with a plain message before anything is opened, so a named pipe
// never holds the import up.
TEST_P(RefusedPath, IsRefusedWithAPlainMessage) {
  const std::string path = dir.File("family.ged");
  GetParam().make(path);
  EXPECT_EQ(Import(path), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_NE(boxes.Calls()[0].text.find(GetParam().said), std::string::npos)
      << boxes.Calls()[0].text;
  EXPECT_EQ(boxes.Calls()[0].text.find("no further part"), std::string::npos);
  EXPECT_TRUE(shell_.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, RefusedPath, ::testing::ValuesIn(kRefused),
                         [](const ::testing::TestParamInfo<RefusedCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
