#pragma once
// A GEDCOM file imported into a new family file, and what the import made
// read back through the database calls.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CitationRecord.h"
#include "CustomEventTable.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyLinkRecord.h"
#include "GedcomImporter.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "UserEventRecord.h"

class ImportFixture : public OpenFamilyFixture {
 protected:
  // The new family file gets the default event types, as the program's do.
  void SetUp() override {
    LoadCustomEventTable();
    OpenFamilyFixture::SetUp();
  }
  void TearDown() override {
    OpenFamilyFixture::TearDown();
    FreeCustomEventTable();
  }

  // Imports path; the log is read into log_.
  int Import(const std::string& path, gedcom::ImportOptions options = {},
             gedcom::ImportProgress* progress = nullptr) {
    importer_ =
        std::make_unique<gedcom::CGedcomImporter>(path, dir.File("import.lst"), options, progress);
    const int result = importer_->Import();
    importLog_ = ReadAll(dir.File("import.lst"));
    return result;
  }
  // Writes text as a GEDCOM file and imports it.
  int ImportText(const std::string& text, gedcom::ImportOptions options = {},
                 gedcom::ImportProgress* progress = nullptr) {
    const std::string path = dir.File("test.ged");
    WriteAll(path, text);
    return Import(path, options, progress);
  }

  // Live records of a query kind (individuals, marriages, sources, repositories).
  static int CountLive(int queryKind) {
    int n = 0;
    for (std::int32_t r = DbGetRIN(0, queryKind, db::kWalkNext); r > 0;
         r = DbGetRIN(r, queryKind, db::kWalkNext))
      ++n;
    return n;
  }

  std::int32_t Rin(const std::string& xref) const { return importer_->RecordOf(xref); }
  CIndividualRecord Person(const std::string& xref) const {
    CIndividualRecord r;
    EXPECT_EQ(DbGetRecord(Rin(xref), db::kIndividual, &r), 1) << xref;
    return r;
  }
  CMarriageRecord Family(const std::string& xref) const {
    CMarriageRecord r;
    EXPECT_EQ(DbGetRecord(Rin(xref), db::kMarriage, &r), 1) << xref;
    return r;
  }
  static std::vector<std::int32_t> Relation(std::int32_t rin, int relation) {
    std::vector<std::int32_t> out;
    DbGetRelation(rin, relation, 100, out);
    std::erase(out, 0);
    return out;
  }
  // Children of a marriage in order.
  std::vector<std::int32_t> Children(const std::string& family) const {
    std::vector<std::int32_t> out;
    DbGetRelation(Rin(family), db::kRelChildren, 100, out);
    std::erase(out, 0);
    return out;
  }
  // Parent families of an individual.
  std::vector<std::int32_t> ParentFamilies(const std::string& person) const {
    std::vector<std::int32_t> out;
    DbGetRelationList(out, db::kRelParents, 4, Rin(person), 0);
    return out;
  }
  // The family link of a child in a marriage.
  CFamilyLinkRecord Link(const std::string& person, const std::string& family) const {
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, Rin(person), 0);
    CFamilyLinkRecord link;
    for (std::int32_t l : links)
      if (DbGetRecord(l, db::kFamilyLink, &link) == 1 && link.mrin == Rin(family)) return link;
    ADD_FAILURE() << person << " has no link to " << family;
    return link;
  }
  // Titles of an owner's user events.
  static std::vector<std::string> UserEvents(std::int32_t owner, char kind) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kUserEvent, owner, kind);
    std::vector<std::string> out;
    for (std::int32_t e : list) {
      std::string title;
      DbGetUserEventTitle(e, title);
      out.push_back(title);
    }
    return out;
  }
  static std::vector<CCitationRecord> Citations(std::int32_t owner, char kind) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kCitation, owner, kind);
    std::vector<CCitationRecord> out(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) DbGetRecord(list[i], db::kCitation, &out[i]);
    return out;
  }
  bool LogHas(const std::string& text) const { return importLog_.find(text) != std::string::npos; }
  // Check/Repair in report mode over the open file: the problems it found,
  // its report in report.
  unsigned long CheckProblems(std::string& report) {
    plat::FakeShell reportShell;
    plat::ScopedShell scopedShell{&reportShell};
    const std::string reportPath = dir.File("check.rpt");
    CDatabaseChecker checker(family, reportPath, *CurrentDatabase, 0);
    EXPECT_EQ(checker.Run(), 1);
    checker.Finish();
    report = ReadAll(reportPath);
    return checker.ProblemCount();
  }

  plat::FakeShell shell_;
  plat::ScopedShell scopedShell_{&shell_};
  std::unique_ptr<gedcom::CGedcomImporter> importer_;
  std::string importLog_;
};
