// An event stated without date or place ("1 DEAT Y", a bare "1 MARR") is
// kept with its record: a death as the status Deceased, any other event by
// the mark that it happened. The living rules read such a death or burial
// as a death, and the export writes the event back as it was stated.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ExportFamily.h"
#include "ZelQualification.h"

namespace {

enum class Slot { kChristening, kDeath, kBurial, kMarriage };

struct StatedCase {
  const char* name;
  const char* personLines;  // under "0 @I1@ INDI" after his name, birth and sex
  const char* familyLines;  // under "0 @F1@ FAM" after its husband
  Slot slot;
  const char* exported;  // the event's lines in the export
  const char* notKept;   // the log's footer line for what the record cannot hold
};

const StatedCase kStated[] = {
    {"DeathY", "1 DEAT Y\n", "", Slot::kDeath, "1 DEAT Y\r\n1 FAMS", nullptr},
    {"BareDeath", "1 DEAT\n", "", Slot::kDeath, "1 DEAT Y\r\n1 FAMS", nullptr},
    {"DeathWithPlaceOnly", "1 DEAT\n2 PLAC Oslo\n", "", Slot::kDeath,
     "1 DEAT\r\n2 PLAC Oslo\r\n1 FAMS", nullptr},
    {"DeathWithCauseOnly", "1 DEAT\n2 CAUS Fever\n", "", Slot::kDeath,
     "1 DEAT Y\r\n2 CAUS Fever\r\n", nullptr},
    {"BurialY", "1 BURI Y\n", "", Slot::kBurial, "1 BURI Y\r\n1 FAMS", nullptr},
    {"BareBurial", "1 BURI\n", "", Slot::kBurial, "1 BURI Y\r\n1 FAMS", nullptr},
    {"ChristeningY", "1 CHR Y\n", "", Slot::kChristening, "1 CHR Y\r\n", nullptr},
    {"MarriageY", "", "1 MARR Y\n", Slot::kMarriage, "1 MARR Y\r\n", nullptr},
    {"BareMarriage", "", "1 MARR\n", Slot::kMarriage, "1 MARR Y\r\n", nullptr},
    {"MarriageWithTypeOnly", "", "1 MARR\n2 TYPE Religious\n", Slot::kMarriage, "1 MARR Y\r\n",
     "    TYPE of a MARR line: 1\n"},
    {"MarriageWithText", "", "1 MARR in church\n", Slot::kMarriage, "1 MARR Y\r\n",
     "    text of a MARR line: 1\n"},
};

gedcom::ExportOptions Full() {
  gedcom::ExportOptions o;
  o.mode = gedcom::kExportStandard;
  o.fullLiving = true;
  return o;
}

class StatedEvent : public ExportFamilyFixture, public ::testing::WithParamInterface<StatedCase> {
 protected:
  static std::string File(const StatedCase& c) {
    return std::string("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Per /Lund/\n1 SEX M\n1 BIRT\n") +
           "2 DATE 1950\n" + c.personLines + "1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I1@\n" +
           c.familyLines + "0 TRLR\n";
  }
  // The slot is kept: a death as Deceased, else with the happened mark.
  void ExpectKept(const StatedCase& c) {
    const CIndividualRecord p = ImportFixture::Person("I1");
    switch (c.slot) {
      case Slot::kDeath:
        EXPECT_EQ(p.death.date.month, CDateValue::kStatusDeceased);
        EXPECT_EQ(p.death.date.year, 0);
        break;
      case Slot::kBurial:
        EXPECT_TRUE(p.burial.HappenedWithoutDetails());
        break;
      case Slot::kChristening:
        EXPECT_TRUE(p.christening.HappenedWithoutDetails());
        break;
      case Slot::kMarriage:
        EXPECT_TRUE(Family("F1").marriage.HappenedWithoutDetails());
        break;
    }
  }
};

TEST_P(StatedEvent, IsKeptAndWrittenBackAsStated) {
  const StatedCase& c = GetParam();
  ASSERT_EQ(ImportText(File(c)), 1) << importLog_;
  ExpectKept(c);
  std::string report;
  EXPECT_EQ(CheckProblems(report), 0u) << report;
  if (c.notKept) {
    EXPECT_TRUE(LogHas("read but are not kept")) << importLog_;
    EXPECT_TRUE(LogHas(c.notKept)) << importLog_;
  }
  const std::string first = Export(Full());
  EXPECT_NE(first.find(c.exported), std::string::npos) << first;
  // Read back, the same is kept and written again.
  ImportIntoNewFile(first, "again");
  ExpectKept(c);
  const std::string second = Export(Full());
  EXPECT_NE(second.find(c.exported), std::string::npos) << second;
}

INSTANTIATE_TEST_SUITE_P(Lines, StatedEvent, ::testing::ValuesIn(kStated),
                         [](const ::testing::TestParamInfo<StatedCase>& info) {
                           return std::string(info.param.name);
                         });

// A man born 1950 stated dead or buried is no longer living: an export that
// hides the living writes him whole.
class StatedDeath : public ExportFamilyFixture,
                    public ::testing::WithParamInterface<const char*> {};

TEST_P(StatedDeath, EndsLifeForTheLivingRules) {
  ASSERT_EQ(ImportText(std::string("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Per /Lund/\n") +
                       "1 SEX M\n1 BIRT\n2 DATE 1950\n" + GetParam() + "0 TRLR\n"),
            1)
      << importLog_;
  EXPECT_TRUE(IsPresumedDeceased(ImportFixture::Person("I1")));
  gedcom::ExportOptions hidden;
  hidden.mode = gedcom::kExportStandard;
  const std::string text = Export(hidden);
  EXPECT_EQ(text.find("LIVING"), std::string::npos) << text;
  EXPECT_NE(text.find("1 NAME Per /Lund/"), std::string::npos) << text;
  EXPECT_NE(text.find("1 BIRT\r\n2 DATE 1950"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Lines, StatedDeath,
                         ::testing::Values("1 DEAT Y\n", "1 DEAT\n", "1 BURI Y\n", "1 BURI\n"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           const std::string line = info.param;
                           return std::string(line.find("DEAT") != std::string::npos ? "Death"
                                                                                     : "Burial") +
                                  (line.find(" Y") != std::string::npos ? "Y" : "Bare");
                         });

// A later line of the same event with its details takes the slot that held
// only the statement, rather than becoming an event of its own.
struct LaterCase {
  const char* name;
  const char* personLines;
  const char* familyLines;
  // What the slot holds then.
  std::function<void(const CIndividualRecord&, const CMarriageRecord&)> check;
};

const LaterCase kLater[] = {
    {"DeathDated", "1 DEAT Y\n1 DEAT\n2 DATE 1960\n", "",
     [](const CIndividualRecord& p, const CMarriageRecord&) {
       EXPECT_EQ(p.death.date.year, 1960);
     }},
    {"BurialPlaced", "1 BURI\n1 BURI\n2 PLAC Voss\n", "",
     [](const CIndividualRecord& p, const CMarriageRecord&) {
       EXPECT_EQ(p.burial.place[0], "Voss");
     }},
    {"MarriageDated", "", "1 MARR\n1 MARR\n2 DATE 1975\n",
     [](const CIndividualRecord&, const CMarriageRecord& m) {
       EXPECT_EQ(m.marriage.date.year, 1975);
     }},
};

class LaterDetails : public ImportFixture, public ::testing::WithParamInterface<LaterCase> {};

TEST_P(LaterDetails, TakeTheSlotOfTheStatement) {
  const LaterCase& c = GetParam();
  ASSERT_EQ(ImportText(std::string("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Per /Lund/\n") +
                       c.personLines + "1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I1@\n" + c.familyLines +
                       "0 TRLR\n"),
            1)
      << importLog_;
  const CIndividualRecord p = Person("I1");
  const CMarriageRecord m = Family("F1");
  EXPECT_TRUE(UserEvents(Rin("I1"), db::kOwnerIndividual).empty());
  EXPECT_TRUE(UserEvents(Rin("F1"), db::kOwnerMarriage).empty());
  c.check(p, m);
}

INSTANTIATE_TEST_SUITE_P(Lines, LaterDetails, ::testing::ValuesIn(kLater),
                         [](const ::testing::TestParamInfo<LaterCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
