// The record walks of the list reports on small families built through the
// database calls: each list's rows, their texts and their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "LibreOffice.h"
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
#include "UserEventRecord.h"

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

  // A user event of owner ('I' or 'M') of a new event type whose kind
  // letter is typeKind, at town (none: no place); year 0 leaves it undated.
  static std::int32_t UserEvent(std::int32_t owner, char ownerKind, const std::string& title,
                                char typeKind, const std::string& description, int year,
                                const std::string& town) {
    CEventTypeRecord type;
    type.title = title;
    type.shortTitle = title;
    type.ownerKind = typeKind;
    const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
    EXPECT_GT(typeNumber, 0) << title;
    CUserEventRecord event(owner, ownerKind, typeNumber, 0);
    event.description = description;
    if (year != 0) event.GetEvent()->date.Set(year, 7, 8);
    if (!town.empty()) {
      event.GetEvent()->place[0] = town;
      event.GetEvent()->place[3] = "USA";
    }
    const auto number = static_cast<std::int32_t>(family::Add(event, 0));
    EXPECT_GT(number, 0) << title;
    EXPECT_GT(DbLinkRecord(number, db::kUserEvent, owner, ownerKind), 0) << title;
    return number;
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

int Shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str());
}

// The lines of a text file, without line ends, byte order mark or leading
// blanks.
std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    line.erase(0, std::min(line.size(), line.find_first_not_of(' ')));
    lines.push_back(line);
  }
  return lines;
}

TEST_F(ListKinds, FourListsReadBackInLibreOffice) {
  if (!LibreOfficeInstalled()) GTEST_SKIP() << "LibreOffice or pdftotext is not installed";
  // Seventy people born in ten towns, each with notes: the place and the
  // notes lists run over more than one page.
  for (int i = 0; i < 70; ++i) {
    CIndividualRecord p;
    p.surname = "Reed" + std::to_string(10 + i);
    p.givenNames[0] = "Rose";
    p.birth.date.Set(1850 + i, 3, 9);
    p.birth.place[0] = "Town" + std::to_string(i % 10);
    p.birth.place[3] = "USA";
    const auto rin = static_cast<std::int32_t>(family::Add(p, 0));
    ASSERT_GT(rin, 0);
    AddNotes(rin);
  }
  const Citations c = BuildCitations();
  Source("Land records", "Clerk");
  rpt::CurrentReportRequest().sourceRin = c.source;

  TempDir dir;
  const char* keep = std::getenv("KORVANE_RTF_KEEP");
  const std::string out = keep != nullptr ? std::string(keep) + "/" : dir.Path();
  std::filesystem::create_directories(out);
  struct Case {
    int kind;
    std::string name, title;
    std::vector<std::string> lines;  // in this order, each a whole line of the text
  };
  // A place row's date is right-aligned at a tab stop, so the row begins
  // with a tab; a source's labelled lines are indented by one.
  const Case cases[] = {
      {rpt::kPlacesList,
       "places",
       "Place List",
       {"USA, , , Town0", "\t9 Mar 1850\tBirth\tReed10, Rose", "\t9 Mar 1860\tBirth\tReed20, Rose",
        "USA, , , Town9", "\t9 Mar 1919\tBirth\tReed79, Rose"}},
      {rpt::kNotesList,
       "notes",
       "Individuals with Notes",
       {"Rose Reed10", "Rose Reed11", "Rose Reed79"}},
      {rpt::kSourcesList,
       "sources",
       "Source List",
       {"Land records", "\tAuthor: Clerk", "Parish Register of Saint Mary",
        "\tAuthor: Vicar of Saint Mary"}},
      {rpt::kCitationsList,
       "citations",
       "Citations Referencing a Source",
       {"Source", "Parish Register of Saint Mary ", "Citations",
        "1. Nora North (Individual). folio 41", "5. Otto North/Nora North (Marriage). folio 40"}},
  };
  std::vector<std::string> files;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    host.rtfPath = out + k.name + ".rtf";
    setup.SetReportKind(k.kind);
    setup.AttachRtfOutput(true);
    std::string path;
    ASSERT_EQ(setup.AskRtfFileName(path), 1);
    CPrintInfo info;
    ASSERT_EQ(setup.PreparePrinting(info, false), 1);
    RecordingDevice dc;
    setup.BeginPrinting(&dc, &info);
    for (int page = 1; page <= info.maxPage; ++page) {
      info.currentPage = page;
      setup.PrintPage(&dc, &info);
    }
    setup.EndPrinting(&dc, &info);
    files.push_back(host.rtfPath);
  }
  ASSERT_EQ(ConvertWithLibreOffice(files, "pdf", out), 0);
  ASSERT_EQ(ConvertWithLibreOffice(files, "txt:Text (encoded):UTF8", out + "text"), 0);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    // The lines in order in LibreOffice's text.
    const std::vector<std::string> lines = Lines(ReadAll(out + "text/" + k.name + ".txt"));
    auto at = lines.begin();
    for (const std::string& expected : k.lines) {
      at = std::find(at, lines.end(), expected);
      ASSERT_NE(at, lines.end()) << expected;
    }
    // The header on every page of its PDF: the title and the page's number.
    ASSERT_EQ(Shell("pdftotext -layout '" + out + k.name + ".pdf'"), 0);
    const std::string text = ReadAll(out + k.name + ".txt");
    std::vector<std::string> pages;
    for (std::size_t from = 0, next; (next = text.find('\f', from)) != std::string::npos;
         from = next + 1)
      pages.push_back(text.substr(from, next - from));
    ASSERT_FALSE(pages.empty());
    if (k.kind == rpt::kPlacesList || k.kind == rpt::kNotesList) {
      EXPECT_GE(pages.size(), 2u);
    }
    for (std::size_t n = 0; n < pages.size(); ++n) {
      EXPECT_NE(pages[n].find(k.title), std::string::npos) << "page " << n + 1;
      EXPECT_NE(pages[n].find("Page " + std::to_string(n + 1)), std::string::npos)
          << "page " << n + 1;
    }
  }
}

TEST_F(ListKinds, CitationsKindListsTheRequestedSourceNotTheStartingPerson) {
  const Citations c = BuildCitations();
  CSourceRecord other;
  other.title = "Other source";
  const auto otherSource = DbAddRecord(db::kSource, 0, &other);
  Cite(otherSource, db::kOwnerIndividual, c.person, "other folio");
  // The starting person's number is a source's number too.
  ASSERT_EQ(c.source, 1);
  rpt::CurrentReportRequest().startRin = c.source;
  struct Case {
    std::int32_t source;
    const char* row;
    const char* absent;
  };
  for (const Case& k :
       {Case{otherSource, "other folio", "folio 41"}, Case{c.source, "folio 41", "other folio"}}) {
    SCOPED_TRACE(k.row);
    rpt::CurrentReportRequest().sourceRin = k.source;
    setup.SetReportKind(rpt::kCitationsList);
    setup.AttachRtfOutput(false);
    CPrintInfo info;
    ASSERT_EQ(setup.PreparePrinting(info, false), 1);
    RecordingDevice dc;
    setup.BeginPrinting(&dc, &info);
    info.currentPage = 1;
    setup.PrintPage(&dc, &info);
    setup.EndPrinting(&dc, &info);
    std::string all;
    for (const std::string& call : dc.calls) all += call + "\n";
    EXPECT_NE(all.find(k.row), std::string::npos);
    EXPECT_EQ(all.find(k.absent), std::string::npos);
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

TEST_F(ListWalks, PlacesOfBaptismsAndUserEventsOfPeopleAndMarriages) {
  CIndividualRecord c;
  c.surname = "Cole";
  c.givenNames[0] = "Carl";
  c.sex = 'M';
  c.birth.date.Set(1900, 1, 2);
  c.birth.place[0] = "Akron";
  c.birth.place[3] = "USA";
  // A baptism kept with a place: its date goes with the kept place.
  c.baptism.date.Set(1908, 5, 6);
  c.fifthEvent.place[0] = "Kent";
  c.fifthEvent.place[3] = "USA";
  const auto carl = static_cast<std::int32_t>(family::Add(c, 0));
  ASSERT_GT(carl, 0);
  // A dated baptism in a temple has no place of its own: no row.
  CIndividualRecord e;
  e.surname = "Eddy";
  e.givenNames[0] = "Eve";
  e.baptism.date.Set(1950, 1, 1);
  e.baptism.templeCode = "SLAKE";
  ASSERT_GT(family::Add(e, 0), 0);
  const auto dora = Person("Dora", "Dean", 'F');
  const auto mrin = Marry(carl, dora);
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  m.marriage.date.Set(1925, 6, 7);
  m.marriage.place[0] = "Akron";
  m.marriage.place[3] = "USA";
  ASSERT_EQ(family::Update(m, 0), 1);

  // The date column by the event type's kind letter: an owner letter shows
  // nothing, '1' the description, '2' (or the value 2) the description and
  // the date.
  UserEvent(carl, db::kOwnerIndividual, "Immigration", 'I', "By ship", 1920, "Boston");
  UserEvent(carl, db::kOwnerIndividual, "Census", '1', "Head of house", 1930, "Canton");
  UserEvent(carl, db::kOwnerIndividual, "Residence", '2', "Farm", 1935, "Dover");
  UserEvent(carl, db::kOwnerIndividual, "Occupation", 2, "Smith", 0, "Erie");
  UserEvent(carl, db::kOwnerIndividual, "Graduation", 'I', "", 1918, "");  // no place: no row
  UserEvent(mrin, db::kOwnerMarriage, "Reunion", 'M', "", 1950, "Fargo");

  CPlaceListReport report;
  const std::vector<std::string> expected = {
      "USA, , , Akron",
      "2 Jan 1900",
      "Birth",
      "Cole, Carl",
      "7 Jun 1925",
      "Marriage",
      "Cole, Carl/Dean, Dora",
      "USA, , , Boston",
      "Immigration",
      "Cole, Carl",
      "USA, , , Canton",
      "Head of house",
      "Census",
      "Cole, Carl",
      "USA, , , Dover",
      "Farm-8 Jul 1935",
      "Residence",
      "Cole, Carl",
      "USA, , , Erie",
      "Smith",
      "Occupation",
      "Cole, Carl",
      "USA, , , Fargo",
      "Reunion",
      "Cole, Carl/Dean, Dora",
      "USA, , , Kent",
      "6 May 1908",
      "Baptism",
      "Cole, Carl",
  };
  EXPECT_EQ(PrintAll(report), expected);
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

// The citation rows of a report: those that begin with their number.
std::vector<std::string> NumberedRows(const std::vector<std::string>& rows) {
  std::vector<std::string> out;
  for (const std::string& r : rows)
    if (!r.empty() && r[0] >= '1' && r[0] <= '9') out.push_back(r);
  return out;
}

TEST_F(ListWalks, CitationsOfUserEventsAndOfZelOrdinancesOnlyWithShowZel) {
  CSourceRecord register_;
  register_.title = "Ward Register";
  const auto source = DbAddRecord(db::kSource, 0, &register_);
  ASSERT_GT(source, 0);
  const auto parents = Marry(Person("Paul", "Penn", 'M', 1770), Person("Pia", "Penn", 'F', 1772));
  CIndividualRecord n;
  n.surname = "Penn";
  n.givenNames[0] = "Nell";
  n.sex = 'F';
  n.birth.date.Set(1801, 2, 3);
  for (COrdinanceValue* o : {&n.baptism, &n.endowment}) {
    o->date.Set(1840, 1, 2);
    o->templeCode = "SLAKE";
  }
  const auto nell = static_cast<std::int32_t>(family::Add(n, 0));
  ASSERT_GT(nell, 0);
  Child(parents, nell);
  const std::int32_t link = SealToParents(nell, 1841);
  ASSERT_GT(link, 0);
  const auto mrin = Marry(Person("Owen", "Oak", 'M', 1799), nell);
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  m.marriage.date.Set(1820, 4, 5);
  m.sealingToSpouse.date.Set(1842, 1, 2);
  m.sealingToSpouse.templeCode = "SLAKE";
  ASSERT_EQ(family::Update(m, 0), 1);
  const auto immigration =
      UserEvent(nell, db::kOwnerIndividual, "Immigration", 'I', "", 1819, "Boston");
  const auto reunion = UserEvent(mrin, db::kOwnerMarriage, "Reunion", 'M', "", 1850, "Fargo");

  // Cited in an order unlike the walk's, to show the rows follow the walk.
  Cite(source, db::kOwnerMarriageUserEvent, reunion, "p. 9");
  Cite(source, db::kOwnerSealingToSpouse, mrin, "p. 8");
  Cite(source, db::kOwnerMarriageEvent, mrin, "p. 7");
  Cite(source, db::kOwnerIndividualUserEvent, immigration, "p. 6");
  // A sealing to parents is cited on the sealing of the parents' family link.
  Cite(source, db::kOwnerSealingToParents, link, "p. 5");
  Cite(source, db::kOwnerEndowment, nell, "p. 4");
  Cite(source, db::kOwnerBaptism, nell, "p. 3");
  Cite(source, db::kOwnerBirth, nell, "p. 2");
  Cite(source, db::kOwnerIndividual, nell, "p. 1");

  struct Case {
    int showZel;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {0,
       {"1. Nell Penn (Individual). p. 1", "2. Nell Penn (Birth). p. 2",
        "3. Nell Penn (Immigration). p. 6", "4. Owen Oak/Nell Penn (Marriage). p. 7",
        "5. Owen Oak/Nell Penn (Reunion). p. 9"}},
      {1,
       {"1. Nell Penn (Individual). p. 1", "2. Nell Penn (Birth). p. 2",
        "3. Nell Penn (Baptism). p. 3", "4. Nell Penn (Endowment). p. 4",
        "5. Nell Penn (Sealing to Parents). p. 5", "6. Nell Penn (Immigration). p. 6",
        "7. Owen Oak/Nell Penn (Marriage). p. 7", "8. Owen Oak/Nell Penn (Sealing to Spouse). p. 8",
        "9. Owen Oak/Nell Penn (Reunion). p. 9"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.showZel);
    profile.SetInt("Options", "ShowZEL", c.showZel);
    CSourceCitationsListReport report(source);
    const auto rows = NumberedRows(PrintAll(report));
    EXPECT_EQ(rows, c.rows);
  }
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
