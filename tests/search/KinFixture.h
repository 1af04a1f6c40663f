#pragma once
// A family file opened as the current database with helpers that add
// individuals, marriages and children through the database calls, a fake
// profile for the interface language and a fixed-width text measure.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "TextMeasure.h"

class KinFamilyFixture : public OpenFamilyFixture {
 protected:
  // An individual named "Given Surname" of sex, born in year when not 0.
  static std::int32_t Person(const char* given, char sex, int born = 0,
                             const char* surname = "Lind") {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    if (born) person.birth.date.Set(born, 3, 12);
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  // A marriage of husband and wife (either may be 0).
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    return husband != 0 ? DbSetRelation(husband, wife, db::kRelHusband, 0)
                        : DbSetRelation(wife, 0, db::kRelWife, 0);
  }
  static void Child(std::int32_t mrin, std::int32_t child) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }
  // A child of mrin, named and sexed.
  static std::int32_t ChildOf(std::int32_t mrin, const char* given, char sex, int born = 0) {
    const std::int32_t rin = Person(given, sex, born);
    Child(mrin, rin);
    return rin;
  }
  static std::string Indicator(std::int32_t rin) {
    CIndividualRecord record;
    if (DbGetIndividualRecord(rin, record, 10) != 1) return "<unreadable>";
    return record.linkText;
  }

  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  plat::FixedWidthTextMeasure measure{8};
};
