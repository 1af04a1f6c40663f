// The record walks of the list reports on small families built through the
// database calls: each list's rows, their texts and their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "ListRegistration.h"
#include "ListReports.h"
#include "MarriageRecord.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "RepositoryRecord.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

class ListWalks : public ReportFamiliesFixture {
 protected:
  // Every DrawText text of every page, page header lines left out.
  std::vector<std::string> PrintAll(CListReport& report, int* pages = nullptr) {
    RecordingDevice measure;
    CPrintInfo info;
    plat::FakeProgress progress;
    std::vector<std::string> out;
    const int ok = report.Paginate(&measure, &info, &progress);
    if (pages != nullptr) *pages = report.PageCount();
    if (ok == 0) return out;
    for (int page = 1; page <= report.PageCount(); ++page) {
      RecordingDevice dc;
      info.currentPage = page;
      report.PrintPageOn(&dc, &info);
      int headerLines = 4;  // title, blank, date, page text
      for (const std::string& call : dc.calls) {
        if (call.rfind("DrawText", 0) != 0) continue;
        if (headerLines-- > 0) continue;
        // "DrawText l t r b format text"
        std::size_t at = 0;
        for (int field = 0; field < 6; ++field) at = call.find(' ', at) + 1;
        out.push_back(call.substr(at));
      }
    }
    return out;
  }
  std::int32_t Source(const std::string& title, const std::string& author = {},
                      std::int32_t repository = 0, const std::string& callNumber = {}) {
    CSourceRecord source;
    source.title = title;
    source.author = author;
    source.repositoryRin = repository;
    source.callNumber = callNumber;
    const std::int32_t rin = DbAddRecord(db::kSource, 0, &source);
    EXPECT_GT(rin, 0);
    return rin;
  }

  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
};

TEST_F(ListWalks, IndividualsWithNotesInRecordOrder) {
  const auto zed = Person("Zed", "Young", 'M', 1900);
  Person("Nobody", "Plain", 'F', 1901);
  const auto amy = Person("Amy", "Abbot", 'F', 1902);
  AddNotes(amy);
  AddNotes(zed);
  CIndividualNotesListReport report;
  EXPECT_EQ(PrintAll(report), (std::vector<std::string>{"Zed Young", "Amy Abbot"}));

  profile.SetInt("Options", "AppendVal", 1);
  CIndividualNotesListReport withRin;
  EXPECT_EQ(PrintAll(withRin), (std::vector<std::string>{"Zed Young-" + std::to_string(zed),
                                                         "Amy Abbot-" + std::to_string(amy)}));
}

TEST_F(ListWalks, AnEmptyFamilyHasNoPages) {
  int pages = -1;
  CIndividualNotesListReport notes;
  EXPECT_TRUE(PrintAll(notes, &pages).empty());
  EXPECT_EQ(pages, 0);
  CSourceListReport sources;
  EXPECT_TRUE(PrintAll(sources, &pages).empty());
  EXPECT_EQ(pages, 0);
}

TEST_F(ListWalks, SourcesInTitleOrderWithTheirLabelledLines) {
  CRepositoryRecord repository;
  repository.name = "County Archive";
  const std::int32_t archive = DbAddRecord(db::kRepository, 0, &repository);
  ASSERT_GT(archive, 0);
  Source("zebra census", "Clerk", archive, "C-12");
  Source("Apple deeds");
  CSourceListReport report;
  EXPECT_EQ(PrintAll(report), (std::vector<std::string>{
                                  "Apple deeds",
                                  " ",
                                  "zebra census",
                                  "Author: Clerk",
                                  "Where to find source: County Archive",
                                  "Call Number: C-12",
                                  " ",
                              }));
}

TEST_F(ListWalks, ASourceDeletedBeforePrintingPrintsNothing) {
  Source("Alpha");
  const auto beta = Source("Beta", "Someone");
  CSourceListReport report;
  RecordingDevice measure;
  CPrintInfo info;
  plat::FakeProgress progress;
  ASSERT_EQ(report.Paginate(&measure, &info, &progress), 1);
  ASSERT_EQ(DbDeleteRecord(beta, db::kSource), 1);
  RecordingDevice dc;
  info.currentPage = 1;
  report.PrintPageOn(&dc, &info);
  bool alpha = false;
  for (const std::string& call : dc.calls) {
    EXPECT_EQ(call.find("Beta"), std::string::npos);
    EXPECT_EQ(call.find("Someone"), std::string::npos);
    alpha = alpha || call.find("Alpha") != std::string::npos;
  }
  EXPECT_TRUE(alpha);
}

}  // namespace

namespace {

// A view with a printer whose paper is letter, for the print set-up.
class ListHost : public PrintSetupHost {
 public:
  RecordingDevice dc;
  std::string rtfPath;
  bool PrintablePage(const rpt::Rect& m, int& w, int& h, rpt::ReportDevice*& d,
                     int& units) override {
    w = 8500 - m.left - m.right;
    h = 11000 - m.top - m.bottom;
    d = &dc;
    units = 0;
    return true;
  }
  bool RunPrintDialog(CPrintInfo&, bool, bool) override { return true; }
  void SetDocumentTitle(const std::string&) override {}
  void ResetDocumentTitle() override {}
  int CalendarSelectionCount() override { return 0; }
  void EndPrintingFromSetup() override {}
  bool AskRtfPath(std::string& path) override {
    path = rtfPath;
    return true;
  }
};

class ListKinds : public ListWalks {
 protected:
  void SetUp() override {
    ListWalks::SetUp();
    rpt::CurrentReportRequest() = {};
    rpt::CurrentReportRunState() = {};
    rpt::RegisterListReports();
    host.dc.SetMapMode(rpt::MM_HIENGLISH);
  }
  void TearDown() override {
    rpt::RegisterReportGenerator(rpt::GeneratorClass::kLists, nullptr);
    ListWalks::TearDown();
  }
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scopedBox{&box};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  ListHost host;
  CReportPrintSetup setup{host};
};

TEST_F(ListKinds, NotesAndSourceKindsPrintAndWriteRtfThroughTheSetUp) {
  AddNotes(Person("Ida", "Ives", 'F', 1900));
  Source("Land records");
  struct Case {
    int kind;
    std::string row;
  };
  for (const Case& c : {Case{109, "Ida Ives"}, Case{110, "Land records"}}) {
    SCOPED_TRACE(c.kind);
    EXPECT_TRUE(rpt::IsReportKindAvailable(c.kind));
    setup.SetReportKind(c.kind);
    setup.AttachRtfOutput(false);
    CPrintInfo info;
    ASSERT_EQ(setup.PreparePrinting(info, false), 1);
    EXPECT_EQ(info.maxPage, 1);
    RecordingDevice dc;
    setup.BeginPrinting(&dc, &info);
    info.currentPage = 1;
    setup.PrintPage(&dc, &info);
    setup.EndPrinting(&dc, &info);
    bool found = false;
    for (const std::string& call : dc.calls) found = found || call.find(c.row) != std::string::npos;
    EXPECT_TRUE(found);

    // The same list as an RTF file, opened with its program at the end.
    TempDir dir;
    host.rtfPath = dir.Path() + "list.rtf";
    setup.AttachRtfOutput(true);
    std::string path;
    ASSERT_EQ(setup.AskRtfFileName(path), 1);
    CPrintInfo rtfInfo;
    ASSERT_EQ(setup.PreparePrinting(rtfInfo, false), 1);
    setup.BeginPrinting(&dc, &rtfInfo);
    setup.PrintPage(&dc, &rtfInfo);
    setup.EndPrinting(&dc, &rtfInfo);
    const std::string rtf = ReadAll(host.rtfPath);
    EXPECT_NE(rtf.find(c.row), std::string::npos);
    EXPECT_NE(rtf.find("\\chpgn"), std::string::npos);
    ASSERT_FALSE(shell.opened.empty());
    EXPECT_EQ(shell.opened.back(), host.rtfPath);
  }
}

}  // namespace

namespace {

TEST(PlaceReversed, PartsFromLastToFirstEachPartsPiecesReversed) {
  struct Case {
    std::string parts[4];
    std::string text;
  };
  const Case cases[] = {
      {{"Springfield", "Clark", "Ohio", "USA"}, "USA, Ohio, Clark, Springfield"},
      {{"Clark, Ohio", "", "", ""}, "Ohio, Clark"},
      {{"", "", "Ohio", "USA"}, "USA, Ohio, , "},
      {{"", "", "", ""}, ""},
      {{" a ,b,,c", "", "", ""}, "b, a"},
      {{"Town", "", "", "Land"}, "Land, , , Town"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CPlaceListReport::FormatPlaceReversed(c.parts), c.text) << c.text;
}

TEST_F(ListWalks, PlacesSortedByPlaceThenNameWithHeadings) {
  CIndividualRecord a;
  a.surname = "Baker";
  a.givenNames[0] = "Ann";
  a.birth.date.Set(1900, 1, 2);
  a.birth.place[0] = "Springfield";
  a.birth.place[3] = "USA";
  a.death.date.Set(1970, 3, 4);
  a.death.place[0] = "Dayton";
  a.death.place[3] = "USA";
  const auto ann = static_cast<std::int32_t>(family::Add(a, 0));
  CIndividualRecord b;
  b.surname = "Adams";
  b.givenNames[0] = "Bob";
  b.burial.place[0] = "springfield";
  b.burial.place[3] = "USA";
  const auto bob = static_cast<std::int32_t>(family::Add(b, 0));
  ASSERT_GT(ann, 0);
  ASSERT_GT(bob, 0);
  // A marriage whose wife is missing adds no places.
  const auto mrin = DbSetRelation(bob, 0, db::kRelHusband, 0);
  if (mrin > 0) {
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    m.marriage.place[0] = "Nowhere";
    ASSERT_EQ(family::Update(m, 0), 1);
  }
  CPlaceListReport report;
  const auto rows = PrintAll(report);
  // A heading for each place text: places equal but for case sort together
  // and keep their own headings.
  const std::vector<std::string> expected = {
      "USA, , , Dayton",      "4 Mar 1970", "Death",      "Baker, Ann",
      "USA, , , springfield", "Burial",     "Adams, Bob", "USA, , , Springfield",
      "2 Jan 1900",           "Birth",      "Baker, Ann",
  };
  EXPECT_EQ(rows, expected);
}

}  // namespace

namespace {

TEST_F(ListWalks, CitationsOfOneSourceNumberedInVisitingOrder) {
  const Citations c = BuildCitations();
  CSourceRecord other;
  other.title = "Other source";
  const auto otherSource = DbAddRecord(db::kSource, 0, &other);
  Cite(otherSource, db::kOwnerIndividual, c.person, "not this one");
  CSourceCitationsListReport report(c.source);
  const auto rows = PrintAll(report);
  std::vector<std::string> citations, heading;
  for (const std::string& r : rows)
    (!r.empty() && r[0] >= '1' && r[0] <= '9' ? citations : heading).push_back(r);
  EXPECT_EQ(citations, (std::vector<std::string>{
                           "1. Nora North (Individual). folio 41",
                           "2. Nora North (Birth). folio 12",
                           "3. Nora North (Death). folio 77",
                           "4. Nora North (Burial). folio 78",
                           "5. Otto North/Nora North (Marriage). folio 40",
                       }));
  EXPECT_EQ(heading, (std::vector<std::string>{"Source", "Parish Register of Saint Mary ", " ",
                                               "Source Text", " ", "Source Comments", " ",
                                               "Repository", " ", "Citations"}));
}

TEST_F(ListWalks, CitationsOfAMissingSourceHaveNoPages) {
  int pages = -1;
  CSourceCitationsListReport report(77);
  EXPECT_TRUE(PrintAll(report, &pages).empty());
  EXPECT_EQ(pages, 0);
}

TEST_F(ListWalks, RepositoryPhoneFollowsTheLastAddressLine) {
  CRepositoryRecord repository;
  repository.name = "Archive";
  repository.address[0] = "1 High St";
  repository.address[2] = "Dover";
  repository.phone = "555-0100";
  const auto repo = DbAddRecord(db::kRepository, 0, &repository);
  const auto source = Source("Deeds", {}, repo);
  CSourceCitationsListReport report(source);
  const auto rows = PrintAll(report);
  const auto at = std::find(rows.begin(), rows.end(), "Archive");
  ASSERT_NE(at, rows.end());
  ASSERT_GE(rows.end() - at, 4);
  EXPECT_EQ(*(at + 1), "1 High St");
  EXPECT_EQ(*(at + 2), "Dover");
  EXPECT_EQ(*(at + 3), " 555-0100");
}

}  // namespace
