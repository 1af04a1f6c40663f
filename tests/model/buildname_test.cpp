#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CodePage.h"
#include "IndividualRecord.h"

namespace {

struct Person {
  std::string title, given1, given2, given3, surname, suffix, customId, sbn;
  long rin;
};

struct NameCase {
  const char* what;
  Person person;
  int suffixKind;
  bool upperSurname;
  long number;
  bool surnameFirst;
  std::string expected;
};

CIndividualRecord MakeRecord(const Person& p) {
  CIndividualRecord r;
  r.title = p.title;
  r.givenNames[0] = p.given1;
  r.givenNames[1] = p.given2;
  r.givenNames[2] = p.given3;
  r.surname = p.surname;
  r.suffix = p.suffix;
  r.texts1[0] = p.customId;
  r.texts1[1] = p.sbn;
  // Never printed by BuildName.
  r.nameExtensions[0] = "Nick";
  r.nameExtensions[1] = "Aka";
  r.numbers[CIndividualRecord::kRin] = static_cast<std::int32_t>(p.rin);
  return r;
}

const Person kFull{"Dr.", "John", "Henry", "", "smith", "Jr.", "A", "S-1", 42};
const Person kThirdOnly{"", "", "", "Mary", "Smith", "", "", "", 7};
const Person kNoSurname{"Dr.", "John", "", "", "", "", "i", "x", 5};
const Person kSurnameOnly{"", "", "", "", "Jones", "", "", "", 9};
const Person kEmpty{"", "", "", "", "", "", "", "", 12};
const Person kUmlaut{"", "Anna", "", "", "m\xFCller", "", "", "", 3};  // code page 1252

const std::vector<NameCase> kCases = {
    {"given first, all parts", kFull, 0, false, 0, false, "Dr. John Henry smith Jr."},
    {"surname upper-cased", kFull, 0, true, 0, false, "Dr. John Henry SMITH Jr."},
    {"kind 1 number 1 appends the RIN", kFull, 1, false, 1, false, "Dr. John Henry smith Jr.-42"},
    {"kind 1 number 3 appends RIN + 2", kFull, 1, false, 3, false, "Dr. John Henry smith Jr.-44"},
    {"kind 1 number 0 appends RIN - 1", kFull, 1, false, 0, false, "Dr. John Henry smith Jr.-41"},
    {"kind 2 appends the custom ID", kFull, 2, false, 0, false, "Dr. John Henry smith Jr.-A"},
    {"kind 3 appends the SBN", kFull, 3, false, 0, false, "Dr. John Henry smith Jr.-S-1"},
    {"any other kind appends the custom ID", kFull, -4, false, 0, false,
     "Dr. John Henry smith Jr.-A"},
    {"kind 2 with an empty custom ID appends a dash", kThirdOnly, 2, false, 0, false,
     "Mary Smith-"},
    {"only a third given name", kThirdOnly, 0, false, 0, false, "Mary Smith"},
    {"no surname", kNoSurname, 0, false, 0, false, "Dr. John"},
    {"surname alone", kSurnameOnly, 0, true, 0, false, "JONES"},
    {"nothing but the number", kEmpty, 1, false, 1, false, "-12"},
    {"nothing at all", kEmpty, 0, true, 0, true, ""},
    {"accented surname upper-cased", kUmlaut, 0, true, 0, false, "Anna M\xDCLLER"},
    {"surname first, all parts", kFull, 0, false, 0, true, "smith Dr. John Henry Jr."},
    {"surname first, upper-cased", kFull, 0, true, 0, true, "SMITH Dr. John Henry Jr."},
    {"surname first, kind 1", kFull, 1, true, 2, true, "SMITH Dr. John Henry Jr.-43"},
    {"surname first, kind 2", kFull, 2, false, 0, true, "smith Dr. John Henry Jr.-A"},
    {"surname first, only a third given name", kThirdOnly, 0, false, 0, true, "Smith Mary"},
    {"surname first, no surname", kNoSurname, 3, false, 0, true, "Dr. John-x"},
    {"surname first, surname alone", kSurnameOnly, 1, false, 1, true, "Jones-9"},
};

class BuildNameTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::SetActiveCodePage(plat::kCodePageWestern); }
};

TEST_F(BuildNameTest, EverySuffixKindAndOrder) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    const CIndividualRecord r = MakeRecord(c.person);
    std::string out = "left over";
    const std::string& result =
        r.BuildName(out, c.suffixKind, c.upperSurname, c.number, c.surnameFirst);
    EXPECT_EQ(out, c.expected);
    EXPECT_EQ(&result, &out);
    EXPECT_EQ(r.GetName(c.suffixKind, c.upperSurname, c.number, c.surnameFirst), c.expected);
    // Upper-casing works on a copy.
    EXPECT_EQ(r.surname, c.person.surname);
  }
}

TEST_F(BuildNameTest, GivenNamesJoinTheNonEmptyOnes) {
  struct Case {
    std::string g1, g2, g3, expected;
  };
  const Case cases[] = {
      {"John", "Henry", "Paul", "John Henry Paul"},
      {"", "Henry", "", "Henry"},
      {"John", "", "Paul", "John Paul"},
      {"", "", "Paul", "Paul"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    CIndividualRecord r;
    r.givenNames[0] = c.g1;
    r.givenNames[1] = c.g2;
    r.givenNames[2] = c.g3;
    EXPECT_EQ(r.GetGivenNames(), c.expected) << c.g1 << "|" << c.g2 << "|" << c.g3;
  }
}

TEST_F(BuildNameTest, NameSurnameFirst) {
  struct Case {
    std::string surname, g1, g3, expected;
  };
  const Case cases[] = {
      {"Smith", "John", "Paul", "Smith, John Paul"},
      {"Smith", "", "", "Smith,"},
      {"", "John", "", ", John"},
      {"", "", "", ","},
  };
  for (const auto& c : cases) {
    CIndividualRecord r;
    r.surname = c.surname;
    r.givenNames[0] = c.g1;
    r.givenNames[2] = c.g3;
    r.title = "Dr.";  // not part of this form
    r.suffix = "Jr.";
    EXPECT_EQ(r.GetNameSurnameFirst(), c.expected);
  }
}

}  // namespace
