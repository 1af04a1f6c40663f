#pragma once
// A family file created in a temporary folder and opened as the current
// database, with helpers that add individuals and marriages through the
// database calls, at a fixed today.

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"

class NodeFamilyFixture : public OpenFamilyFixture {
 protected:
  std::time_t Today() const override {
    std::tm tm{};
    tm.tm_year = 2020 - 1900;
    tm.tm_mon = 5;  // June
    tm.tm_mday = 15;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
  }

  static CDateValue Date(int year, int month = 0, int day = 0) {
    CDateValue d;
    d.Set(year, month, day);
    return d;
  }
  static CDateValue Status(int code) {
    CDateValue d;
    d.Set(0, code);
    return d;
  }

  // An individual; the record may be prepared further by the caller.
  static std::int32_t Add(CIndividualRecord& person, const char* surname, const char* given,
                          char sex) {
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  static std::int32_t Add(const char* surname, const char* given, char sex) {
    CIndividualRecord person;
    return Add(person, surname, given, sex);
  }
  static void SetBirth(CIndividualRecord& person, const CDateValue& date, const char* town) {
    person.birth.date = date;
    person.birth.place[0] = town;
  }
  // A marriage of husband and wife (either may be 0).
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    return husband != 0 ? DbSetRelation(husband, wife, db::kRelHusband, 0)
                        : DbSetRelation(wife, 0, db::kRelWife, 0);
  }
  static void SetMarriageEvent(std::int32_t mrin, const CDateValue& date, const char* town) {
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    m.marriage.date = date;
    m.marriage.place[0] = town;
    ASSERT_EQ(family::Update(m, 0), 1);
  }
  static void AddChild(std::int32_t mrin, std::int32_t child) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }
};
