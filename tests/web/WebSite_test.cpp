#include "WebSiteFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "CodePage.h"
#include "FakePorts.h"
#include "MultimediaChain.h"
#include "ReportFamilies.h"
#include "ScopedCodePage.h"
#include "WebSiteWriter.h"

namespace {
namespace fs = std::filesystem;
using namespace webtest;

TEST_F(WebSiteTest, AncestorsSiteFilesFrameAndNavigation) {
  const Collapse c = BuildPedigreeCollapse();
  AddNotes(c.arthur);
  request.startRin = c.kevin;
  settings.notePresent = 1;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const auto files = SiteFiles(Site());
  for (const char* name : {"abcx.htm", "abcx2.htm", "abcx3.htm", "abcg01.htm", "MyFamily1.ged"})
    EXPECT_TRUE(files.count(name)) << name;
  EXPECT_FALSE(files.count("index.htm"));
  const std::string& start = files.at("abcx.htm");
  EXPECT_NE(start.find("<title>My Family</title>"), std::string::npos);
  EXPECT_NE(start.find("<h1 align=center>Ancestors of the family</h1>\r\n"), std::string::npos);
  EXPECT_NE(start.find("<li><a href=\"abcg01.htm\">Ancestors</a>\r\n</li>\r\n"), std::string::npos);
  EXPECT_NE(start.find("<li><a href=\"MyFamily1.ged\">Download GEDCOM file</a> (" +
                       std::to_string(files.at("MyFamily1.ged").size()) + " bytes)</li>\r\n"),
            std::string::npos);
  EXPECT_NE(start.find("'Ahnentafel' numbering"), std::string::npos);
  const std::string& page2 = files.at("abcg02.htm");
  EXPECT_NE(page2.find("<h2 align=center>Second Generation</h2>\r\n<hr>\r\n"), std::string::npos);
  // Text links: a blank after each link and one before the next.
  EXPECT_NE(page2.find("<p align=center>\r\n<a href=\"abcx.htm#TOC\">Home</a>\r\n  <a "
                       "href=\"abcg01.htm\">First</a>\r\n  <a href=\"abcg01.htm\">Previous</a>\r\n"
                       "  <a href=\"abcg03.htm\">Next</a>\r\n  <a href=\"abcg04.htm\">Last</a>"
                       "\r\n</p>\r\n"),
            std::string::npos);
  // Arthur is reached twice: the second listing refers to the first, and the
  // name index lists him twice, the second time marked.
  EXPECT_NE(AllText().find("</b> is printed as <a href=\"abcg04.htm#" + std::to_string(c.arthur) +
                           "\">#"),
            std::string::npos);
  EXPECT_NE(files.at("abcx3.htm").find(" (R)"), std::string::npos);
  // Linked notes: plain and marked paragraphs without the mark, never the
  // confidential one.
  const std::string all = AllText();
  EXPECT_NE(all.find("<p>Marked paragraph for the reports.</p>"), std::string::npos);
  EXPECT_EQ(all.find("Confidential paragraph"), std::string::npos);
  for (const auto& [path, text] : files)
    if (fs::path(path).extension() == ".htm") {
      EXPECT_EQ(text.find("!Marked"), std::string::npos);
    }
  ExpectCleanSite();
}

TEST_F(WebSiteTest, StartPersonWithoutAncestorsGetsOnePageWithAHomeLinkOnly) {
  request.startRin = Person("Solo", "Single", 'M', 1800, 1870);
  settings.gedcom = false;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const auto files = SiteFiles(Site());
  EXPECT_FALSE(files.count("abcg02.htm"));
  const std::string& page = files.at("abcg01.htm");
  EXPECT_NE(page.find("<p align=center>\r\n<a href=\"abcx.htm#TOC\">Home</a>\r\n </p>\r\n"),
            std::string::npos);
  for (const char* word : {">First<", ">Previous<", ">Next<", ">Last<"})
    EXPECT_EQ(page.find(word), std::string::npos) << word;
  EXPECT_EQ(files.at("abcx.htm").find("Download GEDCOM"), std::string::npos);
  ExpectCleanSite();
}

TEST_F(WebSiteTest, GenerationSpillingOverAPageRepeatsItsHeading) {
  request.startRin = Ancestors(Person("Root", "Line", 'M', 1900, 1970), 6, 1870);
  settings.maxGens = 7;
  settings.gedcom = false;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const auto files = SiteFiles(Site());
  // Generation 7 has 64 persons: two pages of 32.
  EXPECT_EQ(files.at("abcg07.htm").find("(Continued)"), std::string::npos);
  EXPECT_NE(files.at("abcg08.htm")
                .find("<h2 align=center>Seventh Generation</h2>\r\n"
                      "<h4 align=center>(Continued)</h4>\r\n<hr>"),
            std::string::npos);
  EXPECT_FALSE(files.count("abcg09.htm"));
  EXPECT_NE(files.at("abcg01.htm").find("<a href=\"abcg08.htm\">Last</a>"), std::string::npos);
  ExpectCleanSite();
}

TEST_F(WebSiteTest, HostileValuesAreEscapedAndLinksStillWork) {
  const std::string surname = "O\"Br & <script>alert('x')</script> %1 #2 Caf\xe9";
  const std::int32_t kid = Person("Kim %2", surname, 'M', 1900, 1970);
  const std::int32_t father = Person("Jos\xe9 <b>", surname, 'M', 1870, 1940);
  const std::int32_t mother = Person("Ann", "", 'F', 1872, 1950);
  Child(Marry(father, mother), kid);
  ASSERT_GT(
      DbSetNotes(father, "Note with <script>bad()</script> & %1 inside.", 0, 0, db::kIndividual),
      0);
  // A grandchild makes the kid a carried child on the descendants site.
  Child(Marry(kid, Person("Una", surname, 'F', 1901, 1971)), Person("Gil", surname, 'M', 1930));
  request.description = "Caf\xe9 <i>&";
  request.folderName = "a#b&c'%";
  request.selection.assign(static_cast<std::size_t>(std::max({kid, father, mother})) + 1, false);
  for (std::int32_t rin : {kid, father, mother}) request.selection[rin] = true;
  settings.notePresent = 0;
  struct Case {
    int type;
    std::int32_t start;
  } cases[] = {
      {web::kSiteAncestors, kid}, {web::kSiteSelected, 0}, {web::kSiteDescendants, father}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    settings.type = c.type;
    request.startRin = c.start;
    ASSERT_EQ(Write(), web::WebRunResult::kComplete);
    const std::string site = request.webBase + "/web/a#b&c'%";
    const auto files = SiteFiles(site);
    ASSERT_TRUE(files.count("a#b&c'%.ged"));
    std::string all;
    for (const auto& [path, text] : files)
      if (fs::path(path).extension() == ".htm") all += text;
    EXPECT_EQ(all.find("<script"), std::string::npos);
    EXPECT_EQ(all.find("<SCRIPT"), std::string::npos);
    // The values come back whole (the pages are UTF-8).
    const std::string decoded = HtmlDecode(all);
    EXPECT_NE(decoded.find(plat::AnsiToUtf8(surname)), std::string::npos);
    EXPECT_NE(decoded.find("Note with <script>bad()</script> & %1 inside."), std::string::npos);
    EXPECT_NE(decoded.find(plat::AnsiToUtf8("Jos\xe9 <b>")), std::string::npos);
    // The empty surname groups under NO_SURNAME.
    EXPECT_NE(files.at("abcx3.htm").find("<a name=\"NO_SURNAME\"></a>\r\n<h3>&lt;----&gt;</h3>"),
              std::string::npos);
    EXPECT_EQ(BrokenLinks(site), std::vector<std::string>{});
    for (const auto& [path, text] : files)
      if (fs::path(path).extension() == ".htm") {
        EXPECT_EQ(TidyFindings(site + "/" + path), std::vector<std::string>{}) << path;
      }
  }
}

TEST_F(WebSiteTest, LivingPeopleShowNoFactsAnywhere) {
  const std::int32_t kid = Person("Liam", "Lively", 'M', 1980);
  const std::int32_t father = Person("Walter", "Lively", 'M', 1900, 1960);
  CIndividualRecord mother;
  mother.surname = "Secretsurname";
  mother.givenNames[0] = "Lena";
  mother.sex = 'F';
  mother.birth.date.Set(1950, 3, 3);
  mother.birth.place[0] = "Secretville";
  const auto mrin = static_cast<std::int32_t>(family::Add(mother, 0));
  Child(Marry(father, mrin), kid);
  ASSERT_GT(DbSetNotes(mrin, "Private note text.", 0, 0, db::kIndividual), 0);
  request.startRin = kid;
  settings.live = true;
  settings.gedcom = true;
  struct Case {
    bool doName;
    std::vector<const char*> hidden, shown;
  } cases[] = {
      {false, {"Secretville", "Private note text", "Secretsurname", "Lena"}, {"Walter"}},
      {true, {"Secretville", "Private note text"}, {"Walter", "Lena Secretsurname"}},
  };
  for (const Case& c : cases) {
    settings.doName = c.doName;
    ASSERT_EQ(Write(), web::WebRunResult::kComplete);
    for (const auto& [path, text] : SiteFiles(Site()))
      for (const char* secret : c.hidden)
        EXPECT_EQ(text.find(secret), std::string::npos) << secret << " in " << path;
    for (const char* name : c.shown) EXPECT_NE(AllText().find(name), std::string::npos) << name;
    ExpectCleanSite();
  }
}

TEST_F(WebSiteTest, FailedRunLeavesTheOldSiteAlone) {
  request.startRin = Ancestors(Person("Root", "Line", 'M', 1900, 1970), 2, 1870);
  fs::create_directories(Site() + "/images");
  WriteAll(Site() + "/old.htm", "old site");
  progress.cancelAfter = 0;
  EXPECT_EQ(Write(), web::WebRunResult::kFailed);
  EXPECT_EQ(ReadAll(Site() + "/old.htm"), "old site");
  // Nothing but the old site is left in the web folder.
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(request.webBase + "/web"))
    left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"MyFamily1"});
}

// A site is on the disk before it is reported written: the staging folder
// is synced before it replaces the old site, and the rename after that.
// When either sync fails, the old site stays and the user is told.
TEST_F(WebSiteTest, SiteIsOnTheDiskBeforeItIsReportedWritten) {
  request.startRin = Ancestors(Person("Root", "Line", 'M', 1900, 1970), 1, 1870);
  const std::string web = request.webBase + "/web";
  const std::string staging = web + "/.MyFamily1.new";
  struct Case {
    int fileSystemError, folderError;
    web::WebRunResult result;
    std::vector<std::string> syncs;
  } cases[] = {
      {0, 0, web::WebRunResult::kComplete, {"file system " + staging, "folder " + web}},
      {EIO, 0, web::WebRunResult::kFailed, {"file system " + staging}},
      {0, ENOSPC, web::WebRunResult::kFailed, {"file system " + staging, "folder " + web}},
  };
  for (const Case& c : cases) {
    fs::remove_all(Site());
    fs::create_directories(Site());
    WriteAll(Site() + "/old.htm", "old site");
    plat::FakeDiskSync sync;
    sync.fileSystemError = c.fileSystemError;
    sync.folderError = c.folderError;
    plat::ScopedDiskSync scopedSync{&sync};
    boxes.Clear();
    EXPECT_EQ(Write(), c.result);
    EXPECT_EQ(sync.calls, c.syncs);
    const bool written = c.result == web::WebRunResult::kComplete;
    EXPECT_EQ(fs::exists(Site() + "/old.htm"), !written);
    EXPECT_EQ(fs::exists(Site() + "/abcg01.htm"), written);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(web))
      left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"MyFamily1"});
    std::vector<std::string> told;
    for (const auto& call : boxes.Calls()) told.push_back(call.text);
    const std::vector<std::string> failed{
        "Insufficient disk space to complete the Ahnentafel Report",
        "The web site could not be written completely; the previous site, if any, is unchanged."};
    EXPECT_EQ(told, written ? std::vector<std::string>{} : failed);
  }
}

TEST_F(WebSiteTest, ReplacingASiteKeepsABackgroundThatLivedInIt) {
  request.startRin = Person("Solo", "Single", 'M', 1800, 1870);
  fs::create_directories(Site() + "/images");
  WriteAll(Site() + "/images/paper.png", "picture bytes");
  WriteAll(Site() + "/old.htm", "old site");
  request.background = Site() + "/images/paper.png";
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  EXPECT_FALSE(fs::exists(Site() + "/old.htm"));
  EXPECT_EQ(ReadAll(Site() + "/images/paper.png"), "picture bytes");
  EXPECT_NE(ReadAll(Site() + "/abcg01.htm").find("<body background=\"images/paper.png\">"),
            std::string::npos);
}

TEST_F(WebSiteTest, FolderOutsideTheWebFolderIsRefusedBeforeAnythingIsTouched) {
  request.startRin = Person("Solo", "Single", 'M', 1800, 1870);
  fs::create_directories(request.webBase + "/web");
  WriteAll(request.webBase + "/keep.txt", "keep");
  for (const char* name : {"..", ".", "../docs", "a/b"}) {
    request.folderName = name;
    EXPECT_EQ(Write(), web::WebRunResult::kFolderUnusable) << name;
  }
  EXPECT_EQ(ReadAll(request.webBase + "/keep.txt"), "keep");
}

TEST_F(WebSiteTest, SelectedSiteLinksTheLonerToTheIndividualsPage) {
  const std::int32_t husband = Person("Adam", "Ames", 'M', 1800, 1870);
  const std::int32_t wife = Person("Beth", "Ames", 'F', 1802, 1880);
  const std::int32_t mrin = Marry(husband, wife);
  const std::int32_t child = Person("Cid", "Ames", 'M', 1830, 1890);
  Child(mrin, child);
  const std::int32_t loner = Person("Carl", "Cole", 'M', 1810, 1890);
  const std::int32_t daughterInLaw = Person("Dee", "Dunn", 'F', 1832, 1895);
  const std::int32_t own = Marry(child, daughterInLaw);
  // Adam's second marriage, to Eve, is a placed family of its own.
  const std::int32_t eve = Person("Eve", "Ames", 'F', 1810, 1890);
  const std::int32_t secondFamily = Marry(husband, eve);
  settings.type = web::kSiteSelected;
  request.selection.assign(static_cast<std::size_t>(eve) + 1, false);
  for (std::int32_t rin : {husband, wife, child, loner, daughterInLaw, eve})
    request.selection[rin] = true;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const auto files = SiteFiles(Site());
  EXPECT_TRUE(files.count("abcg02.htm"));
  EXPECT_FALSE(files.count("abcg03.htm"));
  const std::string& index = files.at("abcx3.htm");
  EXPECT_NE(index.find("<a href=\"abcg02.htm#" + std::to_string(loner) + "\">"), std::string::npos);
  // Both partners link to their family; the child who heads a family of his
  // own is carried to it from his parents' table.
  for (std::int32_t rin : {husband, wife, child, daughterInLaw})
    EXPECT_NE(index.find("<a href=\"abcg01.htm#" + std::to_string(rin) + "\">"), std::string::npos)
        << rin;
  const std::string& page1 = files.at("abcg01.htm");
  EXPECT_NE(page1.find("<td valign=top>+</td>"), std::string::npos);
  EXPECT_NE(page1.find("<a name=\"" + std::to_string(child) + "C\"></a><a href=\"abcg01.htm#" +
                       std::to_string(child) + "\"><b>"),
            std::string::npos);
  EXPECT_GT(own, 0);
  EXPECT_NE(page1.find("<p><blockquote>Other marriages:\r\n<br><blockquote><a href=\"abcg01.htm#" +
                       std::to_string(eve) + "\">Ames, Eve</a>\r\n<br></blockquote>"),
            std::string::npos);
  EXPECT_GT(secondFamily, 0);
  // A selected child without a family of its own has its paragraph in the
  // table; an unselected one only its line.
  const std::int32_t second = Person("Ida", "Ames", 'F', 1833, 1899);
  const std::int32_t third = Person("Jon", "Ames", 'M', 1835, 1898);
  Child(mrin, second);
  Child(mrin, third);
  request.selection.resize(static_cast<std::size_t>(third) + 1, false);
  request.selection[second] = true;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const std::string table = ReadAll(Site() + "/abcg01.htm");
  EXPECT_NE(table.find("<a name=\"" + std::to_string(second) + "C\"></a><b><a name=\"" +
                       std::to_string(second) + "\"></a>Ida Ames</b> was born"),
            std::string::npos);
  EXPECT_EQ(table.find("<a name=\"" + std::to_string(third) + "C\">"), std::string::npos);
  EXPECT_NE(table.find("<td><b>Jon Ames</b> was born on 14 May 1835"), std::string::npos);
  ExpectCleanSite();
  EXPECT_NE(files.at("abcg02.htm").find("<title>My Family - 02 - Generated by Korvane</title>"),
            std::string::npos);
  ExpectCleanSite();
}

}  // namespace

namespace {

TEST_F(WebSiteTest, DescendantsSiteCarriesChildrenForwardAndLinksBack) {
  const std::int32_t root = Person("Rolf", "Root", 'M', 1800, 1870);
  const std::int32_t wife = Person("Wanda", "Wise", 'F', 1802, 1880);
  const std::int32_t family = Marry(root, wife);
  const std::int32_t heir = Person("Hugo", "Root", 'M', 1830, 1900);
  const std::int32_t leaf = Person("Lisa", "Root", 'F', 1832, 1901);
  Child(family, heir);
  Child(family, leaf);
  const std::int32_t grandchild = Person("Gert", "Root", 'M', 1860, 1930);
  Child(Marry(heir, Person("Hilda", "Hart", 'F', 1835, 1905)), grandchild);
  Marry(Person("Lars", "Lund", 'M', 1830, 1890), leaf);
  AddNotes(leaf);
  request.startRin = root;
  settings.type = web::kSiteDescendants;
  settings.notePresent = 0;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const auto files = SiteFiles(Site());
  const std::string& first = files.at("abcg01.htm");
  EXPECT_NE(first.find("<h2 align=center>First Generation</h2>"), std::string::npos);
  // Hugo is carried forward (+, his number, his sex, the numeral) and linked
  // to his own entry; Lisa's paragraph, her notes and her husband stay in the table.
  EXPECT_NE(first.find("<tr><td valign=top>+</td>\r\n<td valign=top>2</td>\r\n<td valign=top>M"
                       "</td>\r\n<td valign=top align=right>i</td>\r\n<td><a name=\"" +
                       std::to_string(heir) + "C\"></a><a href=\"abcg02.htm#" +
                       std::to_string(heir) + "\"><b>"),
            std::string::npos);
  EXPECT_NE(first.find("<td valign=top align=right>ii</td>"), std::string::npos);
  EXPECT_NE(first.find("<br>\r\n<br>Plain paragraph of notes."), std::string::npos);
  EXPECT_NE(first.find("Lars"), std::string::npos);
  EXPECT_NE(files.at("abcg02.htm").find("<h2 align=center>Second Generation</h2>"),
            std::string::npos);
  for (std::int32_t rin : {root, wife, heir, leaf, grandchild})
    EXPECT_NE(files.at("abcx3.htm").find("#" + std::to_string(rin) + "\""), std::string::npos)
        << rin;
  ExpectCleanSite();
}

}  // namespace

namespace {

// A small ancestors site written out whole: the page frame, a generation
// page with its couple, the child link and the navigation, and both index
// files, line by line; surnames that differ only in case form two groups.
// A descendant listed twice (his parents are cousins) whose namesake is
// numbered between his two listings: the name index links each listing of
// him where his anchor is.
TEST_F(WebSiteTest, DescendantsIndexLinksEachListingBesideANamesake) {
  const std::int32_t root = Person("Rolf", "Lund", 'M', 1800, 1870);
  const std::int32_t rootFamily = Marry(root, Person("Rut", "Berg", 'F', 1802, 1871));
  const std::int32_t s1 = Person("Sven", "Lund", 'M', 1825, 1890);
  const std::int32_t s2 = Person("Per", "Lund", 'M', 1827, 1891);
  Child(rootFamily, s1);
  Child(rootFamily, s2);
  const std::int32_t s1Family = Marry(s1, Person("Asa", "Holm", 'F', 1826, 1892));
  const std::int32_t s2Family = Marry(s2, Person("Eva", "Ek", 'F', 1828, 1893));
  const std::int32_t g1 = Person("Gus", "Lund", 'M', 1850, 1910);
  const std::int32_t g3 = Person("Ole", "Lund", 'M', 1852, 1911);
  const std::int32_t g2 = Person("Gun", "Lund", 'F', 1853, 1912);
  Child(s1Family, g1);
  Child(s1Family, g3);
  Child(s2Family, g2);
  const std::int32_t cousins = Marry(g1, g2);
  const std::int32_t dan = Person("Dan", "Lund", 'M', 1875, 1940);
  Child(cousins, dan);
  const std::int32_t namesake = Person("Dan", "Lund", 'M', 1876, 1941);
  Child(Marry(g3, Person("Ida", "Sand", 'F', 1854, 1913)), namesake);
  Child(Marry(dan, Person("Kim", "Vik", 'F', 1877, 1942)), Person("Kai", "Lund", 'M', 1900, 1960));
  request.startRin = root;
  settings.type = web::kSiteDescendants;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const std::string index = SiteFiles(Site()).at("abcx3.htm");
  for (std::int32_t rin : {dan, namesake})
    EXPECT_NE(index.find("#" + std::to_string(rin) + "\""), std::string::npos) << rin;
  ExpectCleanSite();
}

TEST_F(WebSiteTest, GoldenAncestorsPages) {
  const std::int32_t kid = Person("Kid", "Smith", 'M', 1900, 1970);
  const std::int32_t father = Person("Dad", "SMITH", 'M', 1870, 1940);
  Child(Marry(father, Person("Mum", "Smith", 'F', 1870, 1940)), kid);
  request.startRin = kid;
  settings.gedcom = false;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const auto files = SiteFiles(Site());
  EXPECT_EQ(files.at("abcg02.htm"),
            "<html>\r\n"
            "<head>\r\n"
            "<meta charset=\"utf-8\">\r\n"
            "<title>My Family - abcg02 - Generated by Korvane</title>\r\n"
            "</head>\r\n"
            "<body>\r\n"
            "<h3 align=center>Ancestors of the family</h3>\r\n"
            "<h2 align=center>Second Generation</h2>\r\n"
            "<hr>\r\n"
            "<p>2.\t<b><a name=\"2\"></a>Dad SMITH</b> was born on 14 May 1870. He died on 2 Nov "
            "1940. Dad married Mum Smith.</p>\r\n"
            "<p>3.\t<b><a name=\"3\"></a>Mum Smith</b> was born on 14 May 1870. She died on 2 Nov "
            "1940.</p>\r\n"
            "<blockquote><p><a href=\"abcg01.htm#1\">[Child]</a></p>\r\n"
            "</blockquote>\r\n"
            "<hr><p align=center>\r\n"
            "<a href=\"abcx.htm#TOC\">Home</a>\r\n"
            "  <a href=\"abcg01.htm\">First</a>\r\n"
            "  <a href=\"abcg01.htm\">Previous</a>\r\n"
            " </p>\r\n"
            "<p align=center><a href=\"abcx2.htm\">Surname List</a> | <a href=\"abcx3.htm\">Name "
            "Index</a>\r\n"
            "</p>\r\n"
            "</body>\r\n"
            "</html>\r\n");
  EXPECT_EQ(files.at("abcx2.htm"),
            "<html>\r\n"
            "<head>\r\n"
            "<meta charset=\"utf-8\">\r\n"
            "<title>My Family - Surname List - Generated by Korvane</title>\r\n"
            "</head>\r\n"
            "<body>\r\n"
            "<h3 align=center>Ancestors of the family</h3>\r\n"
            "<h2 align=center>Surname List</h2>\r\n"
            "<hr><p><a href=\"abcx3.htm#SMITH\">SMITH</a>\r\n"
            ",\r<a href=\"abcx3.htm#Smith\">Smith</a>\r\n"
            "</p>\r\n"
            "<hr><p align=center><a href=\"abcx.htm#TOC\">Home</a>\r\n"
            "</p>\r\n"
            "<p align=center><a href=\"abcx3.htm\">Name Index</a>\r\n"
            "</p>\r\n"
            "</body>\r\n"
            "</html>\r\n");
  EXPECT_EQ(files.at("abcx3.htm"),
            "<html>\r\n"
            "<head>\r\n"
            "<meta charset=\"utf-8\">\r\n"
            "<title>My Family - Name Index - Generated by Korvane</title>\r\n"
            "</head>\r\n"
            "<body>\r\n"
            "<h3 align=center>Ancestors of the family</h3>\r\n"
            "<h2 align=center>Name Index</h2>\r\n"
            "<hr><a name=\"SMITH\"></a>\r\n"
            "<h3>SMITH</h3>\r\n"
            "<blockquote><p><a href=\"abcg02.htm#2\"> Dad</a>\r\n"
            " b.1870</p>\r\n"
            "</blockquote>\r\n"
            "<a name=\"Smith\"></a>\r\n"
            "<h3>Smith</h3>\r\n"
            "<blockquote><p><a href=\"abcg01.htm#1\"> Kid</a>\r\n"
            " b.1900<br><a href=\"abcg02.htm#3\"> Mum</a>\r\n"
            " b.1870</p>\r\n"
            "</blockquote>\r\n"
            "<hr><p align=center><a href=\"abcx.htm#TOC\">Home</a>\r\n"
            "</p>\r\n"
            "<p align=center><a href=\"abcx2.htm\">Surname List</a>\r\n"
            "</p>\r\n"
            "</body>\r\n"
            "</html>\r\n");
}

}  // namespace

namespace {

TEST_F(WebSiteTest, CitationsScrapbookAndPicturePagesLinkUp) {
  const Citations c = BuildCitations();
  const std::string picture = base.Path() + "portrait.jpg";
  fs::copy_file(std::string(KORVANE_WEB_ICONS) + "/home.jpg", picture);
  CMultimediaItem item;
  item.kind = CMultimediaItem::kPhoto;
  item.fileName = picture;
  item.caption = "Portrait <1850>";
  item.flags = CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagScrapbook;
  ASSERT_GE(DbSaveMultimediaChain(c.person, &item, db::kIndividual), 0);
  const std::int32_t child = Person("Cora", "North", 'F', 1830, 1900);
  Child(c.marriage, child);
  request.startRin = child;
  settings.gedcom = false;
  struct Case {
    int photos;
    std::string link;
  } cases[] = {{1, "[image]</a>"}, {2, "[scrapbook]</a>"}};
  for (const Case& k : cases) {
    settings.photos = k.photos;
    ASSERT_EQ(Write(), web::WebRunResult::kComplete);
    const auto files = SiteFiles(Site());
    const std::string& parents = files.at("abcg02.htm");
    EXPECT_NE(parents.find(k.link), std::string::npos) << k.photos;
    // Nora's citations: numbered marks that lead into the citations page.
    ASSERT_TRUE(files.count("abcc02.htm"));
    EXPECT_NE(files.at("abcc02.htm").find("<a name=\"" + std::to_string(c.person) + "C1\">"),
              std::string::npos);
    EXPECT_NE(files.at("abcc02.htm").find("folio 41"), std::string::npos);
    char scrapbook[32];
    std::snprintf(scrapbook, sizeof scrapbook, "images/sb%lx.htm",
                  static_cast<unsigned long>(c.person));
    EXPECT_EQ(files.count(scrapbook), k.photos == 2 ? 1u : 0u);
    if (k.photos == 2) {
      EXPECT_NE(files.at(scrapbook).find("<b>Portrait &lt;1850&gt;</b>"), std::string::npos);
    }
    ExpectCleanSite();
  }
}

TEST_F(WebSiteTest, IconThatCannotBeCopiedBecomesATextLink) {
  request.startRin = Ancestors(Person("Root", "Line", 'M', 1900, 1970), 1, 1870);
  settings.gedcom = false;
  request.icons.home = std::string(KORVANE_WEB_ICONS) + "/home.jpg";
  request.icons.next = base.Path() + "missing/next.jpg";
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const std::string page = ReadAll(Site() + "/abcg01.htm");
  EXPECT_NE(page.find("<a href=\"abcx.htm#TOC\"><img src=\"images/home.jpg\" border=0 ALT=\"Home\">"
                      "</a>\r\n <a href=\"abcg02.htm\">Next</a>"),
            std::string::npos)
      << page;
  EXPECT_TRUE(fs::exists(Site() + "/images/home.jpg"));
  ExpectCleanSite();
}

// Letters the code page lacks reach the pages as themselves (from the
// stored names and from the user's introduction), the name index follows the
// family file's collation (A ring with A, L with stroke with L), and a name
// cut to 255 characters at import still heads its surname's group.
TEST_F(WebSiteTest, NameIndexKeepsEveryLetterInTheFileOrder) {
  ScopedCodePage page(plat::kCodePageWestern);
  const std::string longGiven(255, 'V');
  std::vector<std::int32_t> people = {
      Person(plat::Utf8ToAnsi("W\u0142adys\u0142aw"), plat::Utf8ToAnsi("\u0141ukasiewicz"), 'M',
             1850, 1910),
      Person("Ann", "Zander", 'F', 1851, 1911),
      Person("Bo", plat::Utf8ToAnsi("\u00C5berg"), 'M', 1852, 1912),
      Person("Cy", "Adams", 'M', 1853, 1913),
      Person(longGiven, "Vogt", 'M', 1854, 1914),
  };
  settings.type = web::kSiteSelected;
  request.introduction = plat::Utf8ToAnsi("Rodzina \u0141ukasiewicz\u00F3w z \u0141odzi");
  request.selection.assign(static_cast<std::size_t>(people.back()) + 1, false);
  for (std::int32_t rin : people) request.selection[rin] = true;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const auto files = SiteFiles(Site());
  const std::string& index = files.at("abcx3.htm");
  std::vector<std::size_t> at;
  for (const char* surname : {"<h3>\u00C5berg</h3>", "<h3>Adams</h3>", "<h3>\u0141ukasiewicz</h3>",
                              "<h3>Vogt</h3>", "<h3>Zander</h3>"}) {
    at.push_back(index.find(surname));
    EXPECT_NE(at.back(), std::string::npos) << surname;
  }
  EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
  EXPECT_NE(index.find("W\u0142adys\u0142aw"), std::string::npos);
  EXPECT_EQ(index.find("&lt;----&gt;"), std::string::npos);
  EXPECT_EQ(index.find('?'), std::string::npos);
  bool introFound = false;
  for (const auto& [name, text] : files)
    introFound |= text.find("Rodzina \u0141ukasiewicz\u00F3w z \u0141odzi") != std::string::npos;
  EXPECT_TRUE(introFound);
}

TEST(NameAfterSurname, CutHeldToTheName) {
  EXPECT_EQ(web::NameAfterSurname("SMITH, John Henry", "Smith"), " John Henry");
  EXPECT_EQ(web::NameAfterSurname(", Ann", ""), " Ann");
  EXPECT_EQ(web::NameAfterSurname("Lo", "Longer surname"), "");
}

}  // namespace

namespace {

TEST_F(WebSiteTest, RepeatsInFullKeepOneAnchorPerPage) {
  const Collapse c = BuildPedigreeCollapse();
  request.startRin = c.kevin;
  settings.dups = true;
  settings.gedcom = false;
  ASSERT_EQ(Write(), web::WebRunResult::kComplete);
  const std::string page = ReadAll(Site() + "/abcg04.htm");
  const std::string anchor = "<a name=\"" + std::to_string(c.arthur) + "\"></a>";
  // Arthur's paragraph twice on the page, his anchor once.
  EXPECT_EQ(page.find("is printed as"), std::string::npos);
  const std::size_t at = page.find(anchor);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(page.find(anchor, at + 1), std::string::npos);
  EXPECT_NE(page.find("Arthur Ashdown</b>", page.find("Arthur Ashdown</b>") + 1),
            std::string::npos);
  ExpectCleanSite();
}

}  // namespace

namespace {

// The download is ANSEL whichever GEDCOM kind the site offers.
TEST_F(WebSiteTest, GedcomDownloadOfEitherKindIsAnsel) {
  request.startRin = Person("\xC5sa", "Lind", 'F', 1900, 1970);
  settings.gedcom = true;
  for (const int gedType : {0, 1}) {
    SCOPED_TRACE(gedType);
    settings.gedType = gedType;
    ASSERT_EQ(Write(), web::WebRunResult::kComplete);
    const auto files = SiteFiles(Site());
    const auto ged = std::find_if(files.begin(), files.end(), [](const auto& f) {
      return fs::path(f.first).extension() == ".ged";
    });
    ASSERT_NE(ged, files.end());
    EXPECT_NE(ged->second.find("\r\n1 CHAR ANSEL\r\n"), std::string::npos) << ged->second;
    EXPECT_NE(ged->second.find("1 NAME \xEA"
                               "Asa /Lind/\r\n"),
              std::string::npos)
        << ged->second;
  }
}

}  // namespace

// A site written into a folder with national letters, from pictures and
// sounds kept in such folders beside the family file: the items' names are
// family text, the folders the file system's own names.
TEST_F(WebSiteTest, SiteInANationalFolderCopiesPicturesFromNationalFolders) {
  ScopedCodePage page(plat::kCodePageWestern);
  const std::string picture = std::string(KORVANE_WEB_ICONS) + "/home.jpg";
  for (const std::string name : {"Släkt Åsa", "Łódź", "Ærø"}) {
    SCOPED_TRACE(name);
    const std::string folder = dir.File(name + "/Bilder " + name);
    fs::create_directories(folder);
    fs::copy_file(picture, folder + "/foto " + name + ".jpg", fs::copy_options::overwrite_existing);
    WriteAll(folder + "/röst.wav", "RIFF sound " + name);
    const std::int32_t person = Person("Ann", "Lind", 'F', 1900, 1970);
    CMultimediaItem item;
    item.kind = CMultimediaItem::kPhoto;
    item.fileName = plat::Utf8ToAnsi(name + "/Bilder " + name + "/foto " + name + ".jpg");
    item.soundFile = plat::Utf8ToAnsi(folder + "/röst.wav");
    item.flags = CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagScrapbook;
    ASSERT_GE(DbSaveMultimediaChain(person, &item, db::kIndividual), 0);
    request.startRin = person;
    request.folderName = plat::Utf8ToAnsi("Webb " + name);
    request.background = folder + "/foto " + name + ".jpg";
    settings.gedcom = true;  // the download is named after the site's folder
    settings.photos = 2;
    ASSERT_EQ(Write(name), web::WebRunResult::kComplete);
    const std::string site = request.webBase + "/web/Webb " + name;
    ASSERT_TRUE(fs::is_directory(site));
    char scrapbook[32];
    std::snprintf(scrapbook, sizeof scrapbook, "images/sb%lx.htm",
                  static_cast<unsigned long>(person));
    const auto files = SiteFiles(site);
    ASSERT_EQ(files.count(scrapbook), 1u);
    EXPECT_NE(files.at(scrapbook).find("[audio]</a>"), std::string::npos);
    // The copies hold the files' bytes.
    char copy[32];
    std::snprintf(copy, sizeof copy, "images/%lx00.jpg", static_cast<unsigned long>(person));
    EXPECT_EQ(files.at(copy), ReadAll(picture));
    std::snprintf(copy, sizeof copy, "images/%lx01.wav", static_cast<unsigned long>(person));
    EXPECT_EQ(files.at(copy), "RIFF sound " + name);
    EXPECT_EQ(files.at("images/foto " + name + ".jpg"), ReadAll(picture));
    EXPECT_EQ(files.count("Webb " + name + ".ged"), 1u);
    EXPECT_EQ(BrokenLinks(site), std::vector<std::string>{});
  }
}
