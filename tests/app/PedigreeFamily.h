#pragma once
// A family file for the pedigree view and InfoBox tests, made with the
// database calls in a temporary folder and opened as the current database:
// Kid with father Dad and mother Mom (a wife whose sex is 'U'), Dad's
// parents, Mom's father, Dad's second marriage with two children, and a
// line of fathers above Dad's father that runs past the fifth generation.

#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"

struct PedigreeFamily {
  std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};

  std::int32_t kid = 0, dad = 0, mom = 0, grandpa = 0, grandma = 0, momsDad = 0;
  std::int32_t parents = 0, secondMarriage = 0, stepWife = 0, halfSister = 0, halfBrother = 0;
  std::int32_t nephew = 0;
  std::int32_t line[4] = {};  // Grandpa's father, his father, ...

  static CDateValue Date(int year, int month = 0, int day = 0) {
    CDateValue d;
    d.Set(year, month, day);
    return d;
  }
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
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    return husband != 0 ? DbSetRelation(husband, wife, db::kRelHusband, 0)
                        : DbSetRelation(wife, 0, db::kRelWife, 0);
  }
  static void AddChild(std::int32_t mrin, std::int32_t child) {
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, mrin) > 0);
  }

  PedigreeFamily() {
    const std::string path = dir->filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);

    CIndividualRecord k;
    k.birth.date = Date(1950, 3, 14);
    k.birth.place[0] = "Millbrook";
    kid = Add(k, "Lee", "Kid", 'M');
    CIndividualRecord d;
    d.birth.date = Date(1921, 6, 2);
    d.birth.place[0] = "Ashford";
    d.death.date = Date(1990, 1, 9);
    dad = Add(d, "Lee", "Dad", 'M');
    CIndividualRecord m;
    m.christening.date = Date(1925, 8, 30);
    m.christening.place[0] = "Eastwick";
    m.burial.date = Date(1999, 12, 1);
    mom = Add(m, "Ray", "Mom", 'U');
    grandpa = Add("Lee", "Grandpa", 'M');
    grandma = Add("Holt", "Grandma", 'F');
    momsDad = Add("Ray", "Elias", 'M');
    stepWife = Add("Stone", "Vera", 'F');
    halfSister = Add("Lee", "Ann", 'F');
    halfBrother = Add("Lee", "Tom", 'M');
    nephew = Add("Lee", "Sam", 'M');

    parents = Marry(dad, mom);
    AddChild(parents, kid);
    AddChild(Marry(grandpa, grandma), dad);
    AddChild(Marry(momsDad, 0), mom);
    secondMarriage = Marry(dad, stepWife);
    CMarriageRecord second;
    QCOMPARE(family::Read(second, secondMarriage), 1);
    second.marriage.date = Date(1960, 5, 7);
    second.marriage.place[0] = "Ashford";
    QCOMPARE(family::Update(second, 0), 1);
    AddChild(secondMarriage, halfSister);
    AddChild(secondMarriage, halfBrother);
    AddChild(Marry(0, halfSister), nephew);

    std::int32_t below = grandpa;
    for (int i = 0; i < 4; ++i) {
      line[i] = Add("Lee", ("Elder" + std::to_string(i + 1)).c_str(), 'M');
      AddChild(Marry(line[i], 0), below);
      below = line[i];
    }
  }
  ~PedigreeFamily() { DbCloseCurrent(); }
};
