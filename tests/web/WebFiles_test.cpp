#include <gtest/gtest.h>

#include <filesystem>

#include "FakePorts.h"
#include "TempDir.h"
#include "WebFiles.h"
#include "WebSettings.h"

namespace {

TEST(SiteFileNames, PrefixAndStartPageName) {
  struct Case {
    bool optIndex;
    const char *start, *list, *index;
  } cases[] = {{false, "abcx.htm", "abcx2.htm", "abcx3.htm"},
               {true, "index.htm", "index2.htm", "index3.htm"}};
  for (const Case& c : cases) {
    web::SiteFileNames names{"abc", c.optIndex};
    EXPECT_EQ(names.Start(), c.start);
    EXPECT_EQ(names.List(), c.list);
    EXPECT_EQ(names.Index(), c.index);
    // Generation, notes and citations pages carry the prefix either way.
    EXPECT_EQ(names.Generation(1), "abcg01.htm");
    EXPECT_EQ(names.Generation(123), "abcg123.htm");
    EXPECT_EQ(names.Notes(7), "abcn07.htm");
    EXPECT_EQ(names.Citations(12), "abcc12.htm");
  }
  EXPECT_EQ(web::SiteFileNames::Scrapbook(0x2a), "sb2a.htm");
}

TEST(FolderNameFromDescription, KeepsNineNameCharacters) {
  struct Case {
    const char *description, *folder;
  } cases[] = {
      {"My Family 1850.", "MyFamily1"}, {"", ""},
      {" . . / \\ : * ?", ""},          {"a$b%c'd-e_f@g~h`i!", "a$b%c'd-e"},
      {"{x}(y)#&+,;=[z]", "{x}(y)#&+"}, {"Caf\xe9 Ren\xe9", "Caf\xe9Ren\xe9"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(web::FolderNameFromDescription(c.description), c.folder) << c.description;
}

TEST(WebText, EscapesValuesAndEncodesLinks) {
  EXPECT_EQ(web::HtmlText("<script>&\"'"), "&lt;script&gt;&amp;&quot;&#39;");
  EXPECT_EQ(web::UrlPart("a b#c%d\"e/f.htm"), "a%20b%23c%25d%22e/f.htm");
  EXPECT_EQ(web::UrlPart("\xc3\xa9"), "%C3%A9");
  EXPECT_EQ(web::Href("x y.htm", "a#1"), "href=\"x%20y.htm#a%231\"");
}

TEST(MakeSitePath, RefusesAnythingButAFolderBelowTheWebFolder) {
  TempDir dir;
  const std::string base = dir.Path() + "docs";
  std::filesystem::create_directories(base + "/web");
  std::filesystem::create_directories(dir.Path() + "elsewhere");
  std::filesystem::create_directory_symlink(dir.Path() + "elsewhere", base + "/web/link");
  struct Case {
    const char* name;
    web::SitePathCheck want;
  } cases[] = {
      {"", web::SitePathCheck::kEmpty},      {".", web::SitePathCheck::kBadName},
      {"..", web::SitePathCheck::kBadName},  {"../up", web::SitePathCheck::kBadName},
      {"a/b", web::SitePathCheck::kBadName}, {"a\\b", web::SitePathCheck::kBadName},
      {"c:", web::SitePathCheck::kBadName},  {"link", web::SitePathCheck::kOutside},
      {"Family", web::SitePathCheck::kOk},
  };
  for (const Case& c : cases) {
    std::string path = "unchanged";
    EXPECT_EQ(web::MakeSitePath(base, c.name, path), c.want) << c.name;
    if (c.want == web::SitePathCheck::kOk)
      EXPECT_EQ(path, std::filesystem::weakly_canonical(base + "/web/Family").string());
    else
      EXPECT_EQ(path, "") << c.name;
  }
  std::string path;
  EXPECT_EQ(web::MakeSitePath("", "Family", path), web::SitePathCheck::kNoBase);
}

TEST(ChooseWebBase, FirstFolderThatIsSet) {
  EXPECT_EQ(web::ChooseWebBase("/w", "/d", "/data", "/f"), "/w");
  EXPECT_EQ(web::ChooseWebBase("", "/d", "/data", "/f"), "/d");
  EXPECT_EQ(web::ChooseWebBase("", "", "/data", "/f"), "/data");
  EXPECT_EQ(web::ChooseWebBase("", "", "", "/f"), "/f");
}

TEST(WebSettings, WritesWhatEachPageOwnsAndReadsItBack) {
  plat::FakeProfile profile;
  web::WebSettings s = web::WebSettings::Read(profile);
  EXPECT_EQ(s.filePrefix, "orv");
  EXPECT_EQ(s.maxGens, 32);
  EXPECT_EQ(s.ancPrefix, "Ancestors of ");
  s.type = web::kSiteDescendants;
  s.photos = 1;
  s.video = true;  // not stored without the full scrapbook
  s.dups = true;   // not stored for a descendants site
  s.maxGens = 40;
  s.live = true;
  s.WriteSetupPage(profile);
  const web::WebSettings back = web::WebSettings::Read(profile);
  EXPECT_EQ(back.type, web::kSiteDescendants);
  EXPECT_EQ(back.maxGens, 40);
  EXPECT_TRUE(back.live);
  EXPECT_FALSE(back.video);
  EXPECT_FALSE(back.dups);
  EXPECT_EQ(web::MaxGenerationsFor(web::kSiteAncestors), 32);
  EXPECT_EQ(web::MaxGenerationsFor(web::kSiteSelected), 999);
}

}  // namespace
