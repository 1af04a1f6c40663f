// The Individual Summary: the pass's page entries and the pages drawn from
// them on the recording device.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "BitSet.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "IndividualSummaryGenerator.h"
#include "IndividualSummaryLayout.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportKinds.h"
#include "StringTable.h"
#include "TempDir.h"

namespace {

using rpt::SummaryItemKind;

class IndividualSummaryTest : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CleanupIndividualSummaryPages();
    ReportFamiliesFixture::TearDown();
  }

  // A device whose printable page is height thousandths high inside the
  // report's margins.
  static RecordingDevice Device(const rpt::IndividualSummaryOptions& o, int height,
                                int width = 7600) {
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    dc.paperHeight = height + o.pageTM + o.pageBM;
    dc.paperWidth = width + o.pageLM + o.pageRM;
    return dc;
  }

  static rpt::IndividualSummaryOptions Options() {
    rpt::IndividualSummaryOptions o;
    o.bodyFont = "Times New Roman;Normal;10pt";
    return o;
  }

  int Paginate(std::int32_t rin, const rpt::SummaryWalkSetup& setup, const CBitSet* set = nullptr) {
    rpt::SummaryRunRequest request;
    request.individual = set ? 0 : rin;
    request.set = set;
    return rpt::PaginateIndividualSummary(request, setup, window);
  }

  static const rpt::SummaryPageEntry& Entry(int page) {
    const auto* e = dynamic_cast<const rpt::SummaryPageEntry*>(
        rpt::FindPageEntryByPage(rpt::Paginator(), page));
    EXPECT_NE(e, nullptr) << page;
    return *e;
  }

  // The items the walk places on the person's page (from 1).
  static std::vector<rpt::SummaryItem> ItemsOn(std::int32_t rin, const rpt::SummaryWalkSetup& setup,
                                               int page) {
    return rpt::LayOutIndividualSummary(rin, setup, page).items;
  }
  static int Count(const std::vector<rpt::SummaryItem>& items, SummaryItemKind kind) {
    return static_cast<int>(
        std::count_if(items.begin(), items.end(), [&](const auto& i) { return i.kind == kind; }));
  }

  // A person with everything the summary prints, enough to fill pages.
  struct Rich {
    std::int32_t rin = 0;
    int citations = 0;
    std::string description;
  };
  static Rich BuildRich(int events, int marriages, int sources) {
    Rich r;
    CIndividualRecord person;
    person.surname = "Rowe";
    person.givenNames[0] = "Rhoda";
    person.sex = 'F';
    person.birth.date.Set(1850, 3, 2);
    person.birth.place[0] = "Leeds";
    person.death.date.Set(1920, 8, 9);
    person.texts2[0] = "Influenza";
    for (int i = 0; i < 60; ++i) r.description += "tall with grey eyes and a scar, ";
    person.texts2[2] = r.description;
    person.contact[CIndividualRecord::kContactName] = "Rhoda Rowe";
    person.contact[CIndividualRecord::kContactAddress1] = "1 Mill Lane";
    person.contact[CIndividualRecord::kContactAddress2] = "Upper Floor\nBack Door";
    person.contact[CIndividualRecord::kContactCity] = "Leeds";
    person.contact[CIndividualRecord::kContactPhone] = "555 0101";
    r.rin = static_cast<std::int32_t>(family::Add(person, 0));
    EXPECT_GT(r.rin, 0);
    for (int i = 0; i < events; ++i)
      AddIndividualUserEvent(r.rin, "Residence " + std::to_string(i), 1, true,
                             [&](CUserEventRecord& e) {
                               e.GetEvent()->date.Set(1860 + i, 1, 1);
                               e.GetEvent()->place[0] = "Town " + std::to_string(i);
                               e.description = "Lodger";
                             });
    // Two parent sets.
    const std::int32_t first =
        Marry(Person("Abel", "Rowe", 'M', 1820), Person("Ada", "Rowe", 'F', 1822));
    const std::int32_t second =
        Marry(Person("Basil", "Hart", 'M', 1818), Person("Bess", "Hart", 'F', 1821));
    Child(first, r.rin);
    Child(second, r.rin);
    for (int i = 0; i < marriages; ++i)
      Marry(Person("Husband" + std::to_string(i), "Kay", 'M', 1845 + i), r.rin);
    std::string notes;
    for (int p = 0; p < 8; ++p) {
      for (int i = 0; i < 30; ++i) notes += "She kept the <I>mill</I> accounts for the family. ";
      notes += "\r\n\r\n";
    }
    EXPECT_GT(DbSetNotes(r.rin, notes, 0, 0, db::kIndividual), 0);
    for (int s = 0; s < sources; ++s) {
      CSourceRecord source;
      source.title = "Register " + std::to_string(s) + std::string(200, 'x');
      const std::int32_t number = DbAddRecord(db::kSource, 0, &source);
      Cite(number, s % 2 ? db::kOwnerBirth : db::kOwnerDeath, r.rin, "folio " + std::to_string(s));
    }
    r.citations = sources;
    return r;
  }

  rpt::HeadlessPaginatorWindow window;
};

// Draws every page of the run and checks each against its entry: the walk
// reaches the page at the entry's part and position, nothing is drawn below
// the bottom, and the footnote numbers lie within the person's list; the
// sources pages number 1, 2, ... in order.
TEST_F(IndividualSummaryTest, PassAndPagesAgreeOnEveryPage) {
  const Rich rich = BuildRich(25, 6, 14);
  struct Case {
    int height;
    bool parInd, relInd, zel, contact;
  };
  for (const Case c : {Case{10400, true, true, true, true}, Case{4000, true, false, false, true},
                       Case{2600, false, true, true, false}}) {
    SCOPED_TRACE(c.height);
    rpt::IndividualSummaryOptions o = Options();
    o.parInd = c.parInd;
    o.relInd = c.relInd;
    o.showZel = c.zel;
    o.contact = c.contact;
    RecordingDevice dc = Device(o, c.height);
    const rpt::SummaryWalkSetup setup = rpt::MakeSummaryWalkSetup(&dc, o);
    ASSERT_EQ(setup.pageHeight, c.height);
    const int pages = Paginate(rich.rin, setup);
    ASSERT_GT(pages, 1);
    rpt::CIndividualSummaryGenerator g(o);
    g.CreateSummaryFonts(&dc);
    std::set<int> parts;
    std::vector<int> sourceNumbers;
    for (int page = 1; page <= pages; ++page) {
      SCOPED_TRACE(page);
      const rpt::SummaryPageEntry& e = Entry(page);
      parts.insert(e.part);
      ASSERT_EQ(g.PrintSummaryPage(&dc, page, page == pages), 1);
      EXPECT_EQ(g.LastPageStart().part, e.part);
      EXPECT_EQ(g.LastPageStart().position, e.position);
      EXPECT_EQ(g.LastPageStart().subPosition, e.subPosition);
      const int top = -o.pageTM;
      EXPECT_GE(g.LowestY(), top - c.height);
      for (int n : g.LastPageNumbers()) {
        EXPECT_GE(n, 1);
        EXPECT_LE(n, static_cast<int>(e.citations->size()));
      }
      const auto items = rpt::LayOutIndividualSummary(rich.rin, setup, page, e.citations.get(),
                                                      e.repeatFlags.get())
                             .items;
      for (const auto& item : items)
        if (item.kind == SummaryItemKind::kSourceLine && item.row == 0)
          sourceNumbers.push_back(item.number + 1);
    }
    // One footnote per source, numbered in print order across the pages.
    ASSERT_EQ(static_cast<int>(sourceNumbers.size()), rich.citations);
    for (int i = 0; i < rich.citations; ++i) EXPECT_EQ(sourceNumbers[i], i + 1);
    if (c.height < 5000) {  // pages begin in several parts
      EXPECT_GE(parts.size(), 4u);
    }
    rpt::CleanupIndividualSummaryPages();
  }
}

TEST_F(IndividualSummaryTest, PersonWithNothingMakesOnePage) {
  const std::int32_t rin = Person("Nell", "Nobody", 'F');
  const rpt::IndividualSummaryOptions o = Options();
  RecordingDevice dc = Device(o, 10400);
  ASSERT_EQ(Paginate(rin, rpt::MakeSummaryWalkSetup(&dc, o)), 1);
  EXPECT_EQ(Entry(1).key, rin);
  EXPECT_EQ(Entry(1).part, rpt::kSummaryStart);
  EXPECT_TRUE(Entry(1).citations->empty());
}

TEST_F(IndividualSummaryTest, FirstPageBandFollowsThePhotoOptions) {
  const std::int32_t rin = Person("Pia", "Photo", 'F');
  struct Case {
    bool photoOpt, reserve;
    int place;
    int band;
  };
  for (const Case c :
       {Case{false, true, 2, 700}, Case{true, false, 2, 700}, Case{true, true, 2, 2000 + 150 + 220},
        Case{true, true, 1, 2000 + 450 + 220}}) {
    rpt::IndividualSummaryOptions o = Options();
    o.photoOpt = c.photoOpt;
    o.photoReserve = c.reserve;
    o.photoPlace = c.place;
    RecordingDevice dc = Device(o, 10400);
    const auto layout = rpt::LayOutIndividualSummary(rin, rpt::MakeSummaryWalkSetup(&dc, o), 0);
    ASSERT_EQ(layout.pages.size(), 1u);
    EXPECT_EQ(layout.pages[0].firstPageRoom, 10400 - c.band) << c.photoOpt << c.reserve << c.place;
  }
}

// With the Family Group Record's relationship options on, a band of 166 is
// kept free at the bottom by the pass and the pages alike.
TEST_F(IndividualSummaryTest, FamilyGroupBandShortensThePage) {
  for (bool band : {false, true}) {
    rpt::IndividualSummaryOptions o = Options();
    o.familyGroupBand = band;
    RecordingDevice dc = Device(o, 10400);
    EXPECT_EQ(rpt::MakeSummaryWalkSetup(&dc, o).pageHeight, band ? 10400 - 166 : 10400);
  }
}

// A confidential event is not shown and does not advance the event counter,
// so the page after a break records the same counter either way.
TEST_F(IndividualSummaryTest, ConfidentialEventIsSkippedWithoutAdvancingTheCounter) {
  const std::int32_t rin = Person("Cora", "Secret", 'F', 1900);
  for (int i = 0; i < 12; ++i) {
    const bool secret = i == 1;
    AddIndividualUserEvent(rin, "Event " + std::to_string(i), 1, false, [&](CUserEventRecord& e) {
      e.GetEvent()->date.Set(1920 + i, 1, 1);
      if (secret) e.yesNo = 'Y';
    });
  }
  // Room for the heading band, birth, christening and three more rows.
  const int height = 700 + 595 + 3 * 170 + 10;
  for (bool confident : {false, true}) {
    rpt::IndividualSummaryOptions o = Options();
    o.confident = confident;
    RecordingDevice dc = Device(o, height);
    const rpt::SummaryWalkSetup setup = rpt::MakeSummaryWalkSetup(&dc, o);
    const auto layout = rpt::LayOutIndividualSummary(rin, setup, 0);
    ASSERT_GE(layout.pages.size(), 2u);
    // Three user events fit on page 1; the next page resumes at counter 5.
    EXPECT_EQ(layout.pages[1].part, rpt::kSummaryDetails);
    EXPECT_EQ(layout.pages[1].position, rpt::kBlockEvents);
    EXPECT_EQ(layout.pages[1].subPosition, 5);
    int shown = 0;
    for (int page = 1; page <= static_cast<int>(layout.pages.size()); ++page)
      for (const auto& item : ItemsOn(rin, setup, page))
        if (item.kind == SummaryItemKind::kEventRow && item.row == 5) ++shown;
    EXPECT_EQ(shown, confident ? 12 : 11);
  }
}

TEST_F(IndividualSummaryTest, SecondParentSetOnlyWithParInd) {
  const std::int32_t rin = Person("Tess", "Twofold", 'F', 1900);
  Child(Marry(Person("Al", "One", 'M'), Person("Bea", "One", 'F')), rin);
  Child(Marry(Person("Cy", "Two", 'M'), Person("Di", "Two", 'F')), rin);
  for (bool parInd : {false, true}) {
    rpt::IndividualSummaryOptions o = Options();
    o.parInd = parInd;
    RecordingDevice dc = Device(o, 10400);
    const auto items = ItemsOn(rin, rpt::MakeSummaryWalkSetup(&dc, o), 1);
    EXPECT_EQ(Count(items, SummaryItemKind::kParentRow), parInd ? 2 : 1);
  }
}

// Parent rows stop at the room check and the next page resumes at the set
// that did not fit, under its own heading.
TEST_F(IndividualSummaryTest, ParentRowsResumeOnTheNextPage) {
  const std::int32_t rin = Person("Una", "Many", 'F', 1900);
  for (int i = 0; i < 4; ++i)
    Child(Marry(Person("F" + std::to_string(i), "Many", 'M'), Person("M", "Many", 'F')), rin);
  rpt::IndividualSummaryOptions o = Options();
  o.parInd = true;
  // Page 1: band, events, names, gap; then the heading and two rows.
  const int height = 700 + 595 + 340 + 765 + 340 + 510 + 2 * 170 + 20;
  RecordingDevice dc = Device(o, height);
  const rpt::SummaryWalkSetup setup = rpt::MakeSummaryWalkSetup(&dc, o);
  const auto layout = rpt::LayOutIndividualSummary(rin, setup, 0);
  ASSERT_GE(layout.pages.size(), 2u);
  EXPECT_EQ(layout.pages[1].part, rpt::kSummaryParents);
  EXPECT_EQ(layout.pages[1].position, 2);
  const auto first = ItemsOn(rin, setup, 1);
  const auto second = ItemsOn(rin, setup, 2);
  EXPECT_EQ(Count(first, SummaryItemKind::kParentRow), 2);
  EXPECT_EQ(Count(second, SummaryItemKind::kParentsHeading), 1);
  EXPECT_EQ(Count(second, SummaryItemKind::kParentRow), 2);
  for (const auto& item : first) EXPECT_GE(item.y, -height) << static_cast<int>(item.kind);
}

// A description longer than the page goes on: its entry carries the byte at
// which the next page resumes, and the lines of all pages give the whole text.
TEST_F(IndividualSummaryTest, LongDescriptionIsCarriedToTheNextPage) {
  const Rich rich = BuildRich(0, 0, 0);
  rpt::IndividualSummaryOptions o = Options();
  o.notes = false;
  const int height = 700 + 595 + 340 + 765 + 6 * 170 + 20;
  RecordingDevice dc = Device(o, height, 2000);  // 40 characters a line
  const rpt::SummaryWalkSetup setup = rpt::MakeSummaryWalkSetup(&dc, o);
  const auto layout = rpt::LayOutIndividualSummary(rich.rin, setup, 0);
  std::string drawn;
  bool carried = false;
  for (int page = 1; page <= static_cast<int>(layout.pages.size()); ++page) {
    const auto& start = layout.pages[page - 1];
    if (start.part == rpt::kSummaryDetails && start.position == rpt::kBlockDescription &&
        start.subPosition > 0) {
      carried = true;
      EXPECT_EQ(static_cast<int>(drawn.size()), start.subPosition);
    }
    for (const auto& item : ItemsOn(rich.rin, setup, page))
      if (item.kind == SummaryItemKind::kDescriptionLine) drawn += item.text;
  }
  EXPECT_TRUE(carried);
  CIndividualRecord stored;
  ASSERT_EQ(family::Read(stored, rich.rin), 1);
  ASSERT_GT(stored.texts2[2].size(), 200u);
  EXPECT_EQ(drawn, "Description: " + stored.texts2[2]);
}

// In set mode every live chosen individual starts a page, page numbers run
// on, a deleted RIN makes no page, footnotes restart at 1 for each person,
// and the report's current individual stays where it was.
TEST_F(IndividualSummaryTest, SetRunsOnAcrossIndividualsAndRestartsFootnotes) {
  Citations c = BuildCitations();
  const std::int32_t second = Person("Sam", "Second", 'M', 1900);
  const std::int32_t gone = Person("Gil", "Gone", 'M', 1900);
  const std::int32_t third = Person("Tia", "Third", 'F', 1900);
  CSourceRecord source;
  source.title = "Other Register";
  const std::int32_t other = DbAddRecord(db::kSource, 0, &source);
  Cite(other, db::kOwnerBirth, second, "p 1");
  Cite(c.source, db::kOwnerBirth, third, "p 2");
  ASSERT_EQ(DbDeleteRecord(gone, db::kIndividual), 1);
  CBitSet set;
  for (std::int32_t rin : {c.person, second, gone, third}) set.SetBit(rin, 1);
  rpt::CurrentReportRequest().startRin = second;

  rpt::IndividualSummaryOptions o = Options();
  RecordingDevice dc = Device(o, 10400);
  const rpt::SummaryWalkSetup setup = rpt::MakeSummaryWalkSetup(&dc, o);
  const int pages = Paginate(0, setup, &set);
  ASSERT_EQ(pages, 3);
  std::vector<std::int32_t> rins;
  for (int page = 1; page <= pages; ++page) {
    EXPECT_EQ(Entry(page).page, page);
    EXPECT_EQ(Entry(page).part, rpt::kSummaryStart);
    rins.push_back(Entry(page).key);
  }
  EXPECT_EQ(rins, (std::vector<std::int32_t>{c.person, second, third}));
  // No Cancel; the window is pumped between individuals and shows the count.
  EXPECT_FALSE(window.cancelShown);
  EXPECT_GE(window.pumps, 3);
  EXPECT_EQ(window.caption, "Individual Summary");
  EXPECT_EQ(window.numbers, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_NE(Entry(1).citations, Entry(2).citations);
  rpt::CIndividualSummaryGenerator g(o);
  g.CreateSummaryFonts(&dc);
  for (int page = 2; page <= 3; ++page) {
    ASSERT_EQ(g.PrintSummaryPage(&dc, page, page == 3), 1);
    ASSERT_FALSE(g.LastPageNumbers().empty());
    EXPECT_EQ(g.LastPageNumbers().front(), 1) << page;
  }
  EXPECT_EQ(rpt::CurrentReportRequest().startRin, second);
}

TEST_F(IndividualSummaryTest, PageWithoutEntryShowsTheSystemError) {
  const rpt::IndividualSummaryOptions o = Options();
  RecordingDevice dc = Device(o, 10400);
  rpt::CIndividualSummaryGenerator g(o);
  g.CreateSummaryFonts(&dc);
  g.PrintSummaryPage(&dc, 7, true);
  ASSERT_FALSE(dc.calls.empty());
  const bool shown = std::any_of(dc.calls.begin(), dc.calls.end(), [](const std::string& call) {
    return call.find("System Error:  Unable to print this page") != std::string::npos;
  });
  EXPECT_TRUE(shown);
}

// A woman's burial and baptism rows take the female string entries; a man's
// the others (a catalog tells the two apart, since both read alike).
TEST_F(IndividualSummaryTest, BurialAndBaptismLabelsFollowTheSex) {
  TempDir dir;
  const std::string catalog = dir.File("korvaneXX.res");
  {
    std::ofstream out(catalog, std::ios::binary);
    out << "9602\tBuriedF\n9603\tBuriedM\n9604\tBaptizedF\n4089\tBaptizedM\n";
  }
  ASSERT_TRUE(res::LoadCatalogFile(catalog));
  for (const char sex : {'F', 'M'}) {
    const std::int32_t rin = Person("Lee", "Label", sex, 1900, 1970);
    rpt::IndividualSummaryOptions o = Options();
    o.showZel = true;
    RecordingDevice dc = Device(o, 10400);
    ASSERT_EQ(Paginate(rin, rpt::MakeSummaryWalkSetup(&dc, o)), 1);
    rpt::CIndividualSummaryGenerator g(o);
    g.CreateSummaryFonts(&dc);
    dc.calls.clear();
    g.PrintSummaryPage(&dc, 1, true);
    const std::string own = sex == 'F' ? "F" : "M", other = sex == 'F' ? "M" : "F";
    auto drawn = [&](const std::string& label) {
      return std::any_of(dc.calls.begin(), dc.calls.end(), [&](const std::string& call) {
        return call.size() >= label.size() &&
               call.compare(call.size() - label.size(), label.size(), label) == 0;
      });
    };
    EXPECT_TRUE(drawn(" Buried" + own)) << sex;
    EXPECT_TRUE(drawn(" Baptized" + own)) << sex;
    EXPECT_FALSE(drawn(" Buried" + other)) << sex;
    EXPECT_FALSE(drawn(" Baptized" + other)) << sex;
    rpt::CleanupIndividualSummaryPages();
  }
  res::UnloadCatalog();
}

TEST(SummaryTitle, JoinsPrefixNameAndSuffixWithSingleBlanks) {
  struct Case {
    const char *prefix, *name;
    bool useName;
    const char *suffix, *title;
  };
  for (const Case c : {
           Case{"Individual Summary for", "Ann Lee", true, "", "Individual Summary for Ann Lee"},
           Case{"Summary for ", "Ann Lee", true, "", "Summary for Ann Lee"},
           Case{"Summary of", "Ann Lee", true, "(draft)", "Summary of Ann Lee (draft)"},
           Case{"Summary of", "Ann Lee", true, " (draft)", "Summary of Ann Lee (draft)"},
           Case{"Summary", "Ann Lee", false, "", "Summary"},
           Case{"Summary", "Ann Lee", false, "draft", "Summary draft"},
           Case{"", "Ann Lee", true, "", "Ann Lee"},
       })
    EXPECT_EQ(rpt::JoinSummaryTitle(c.prefix, c.name, c.useName, c.suffix), c.title);
}

}  // namespace
