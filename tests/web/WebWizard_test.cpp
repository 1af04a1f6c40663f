#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "TestHelpers.h"
#include "WebWizard.h"

namespace {

TEST(SetupPageEnabling, BoxesFollowTheirControllingChoice) {
  struct Case {
    bool source, genrl;
    int type, photos;
    bool showZel;
    web::SetupEnabling want;
  } cases[] = {
      {true,
       true,
       web::kSiteAncestors,
       2,
       true,
       {true, true, true, true, true, true, true, true, true}},
      {false,
       true,
       web::kSiteDescendants,
       1,
       true,
       {false, false, true, true, true, false, false, false, true}},
      {true,
       false,
       web::kSiteSelected,
       0,
       false,
       {true, true, false, false, false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    web::WebSettings s;
    s.source = c.source;
    s.genrl = c.genrl;
    s.type = c.type;
    s.photos = c.photos;
    const web::SetupEnabling e = web::SetupPageEnabling(s, c.showZel);
    EXPECT_EQ(e.actualText, c.want.actualText);
    EXPECT_EQ(e.comments, c.want.comments);
    EXPECT_EQ(e.markedOnly, c.want.markedOnly);
    EXPECT_EQ(e.embed, c.want.embed);
    EXPECT_EQ(e.link, c.want.link);
    EXPECT_EQ(e.duplicates, c.want.duplicates);
    EXPECT_EQ(e.video, c.want.video);
    EXPECT_EQ(e.audio, c.want.audio);
    EXPECT_EQ(e.zelShown, c.want.zelShown);
  }
}

TEST(PreparerIncomplete, NeedsNameFirstLinePhoneAndAFurtherLine) {
  const web::SitePreparer full{"Ann Able", "1 Road", "Town", "", "555", "a@b"};
  EXPECT_FALSE(web::PreparerIncomplete(full));
  web::SitePreparer p = full;
  p.address2.clear();
  EXPECT_TRUE(web::PreparerIncomplete(p));
  p.address3 = "County";
  EXPECT_FALSE(web::PreparerIncomplete(p));
  for (std::string web::SitePreparer::*field :
       {&web::SitePreparer::name, &web::SitePreparer::address1, &web::SitePreparer::phone}) {
    web::SitePreparer q = full;
    q.*field = "";
    EXPECT_TRUE(web::PreparerIncomplete(q));
  }
}

TEST(BackLinkPair, BothOrNeither) {
  EXPECT_TRUE(web::BackLinkPairValid("", ""));
  EXPECT_TRUE(web::BackLinkPairValid("http://x", "Back"));
  EXPECT_FALSE(web::BackLinkPairValid("http://x", ""));
  EXPECT_FALSE(web::BackLinkPairValid("", "Back"));
}

TEST(SiteFolderName, FollowsTheDescriptionUntilTyped) {
  web::CSiteFolderName folder;
  folder.DescriptionChanged("My Family 1850.");
  EXPECT_EQ(folder.Folder(), "MyFamily1");
  folder.DescriptionChanged("");
  EXPECT_EQ(folder.Folder(), "");
  folder.FolderTyped("Mine");
  folder.DescriptionChanged("Other Words");
  EXPECT_EQ(folder.Folder(), "Mine");
  EXPECT_TRUE(folder.Typed());
}

TEST(SiteTitle, PrefixNameSuffixBySiteType) {
  web::WebSettings s;
  s.ancSuffix = "(1850)";
  EXPECT_EQ(web::SiteTitle(s, "John Doe"), "Ancestors of John Doe (1850)");
  s.useName = false;
  EXPECT_EQ(web::SiteTitle(s, "John Doe"), "Ancestors of (1850)");
  s.type = web::kSiteDescendants;
  s.useName = true;
  EXPECT_EQ(web::SiteTitle(s, "John Doe"), "Descendants of John Doe");
  s.type = web::kSiteSelected;
  EXPECT_EQ(web::SiteTitle(s, "John Doe"), "Selected Families and Individuals");
}

TEST(FindWebIcons, StopsAtTheFirstMissingPicture) {
  TempDir dir;
  const std::string folder = dir.Path() + "web";
  std::filesystem::create_directories(folder + "/icons");
  const std::string icons = std::string(KORVANE_WEB_ICONS);
  for (const char* name : {"home.jpg", "end.jpg", "start.jpg", "next.jpg", "email.jpg"})
    std::filesystem::copy_file(icons + "/" + name, folder + "/icons/" + name);
  web::WebIcons found;
  // prev.jpg is missing: the pictures before it stay, e-mail is not looked at.
  EXPECT_FALSE(web::FindWebIcons(folder, true, found));
  EXPECT_EQ(found.home, folder + "/icons/home.jpg");
  EXPECT_EQ(found.end, folder + "/icons/end.jpg");
  EXPECT_EQ(found.start, folder + "/icons/start.jpg");
  EXPECT_EQ(found.next, folder + "/icons/next.jpg");
  EXPECT_EQ(found.prev, "");
  EXPECT_EQ(found.email, "");
  // A file that is no picture counts as missing.
  WriteAll(folder + "/icons/prev.jpg", "not a picture");
  EXPECT_FALSE(web::FindWebIcons(folder, true, found));
  std::filesystem::copy_file(icons + "/prev.jpg", folder + "/icons/prev.jpg",
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_TRUE(web::FindWebIcons(folder, true, found));
  EXPECT_EQ(found.email, folder + "/icons/email.jpg");
  EXPECT_TRUE(web::FindWebIcons(folder, false, found));
  EXPECT_EQ(found.email, "");
}

TEST(CompletionMessage, FillsEachInsertOnce) {
  const std::string text = web::CompletionMessage("/home/a/web/x%2y", "index.htm");
  EXPECT_NE(text.find("located locally in /home/a/web/x%2y. It consists"), std::string::npos);
  EXPECT_NE(text.find("The start page is 'index.htm'."), std::string::npos);
  EXPECT_EQ(text.find("%1"), std::string::npos);
  web::WebSettings s;
  s.optIndex = false;
  s.filePrefix = "abc";
  EXPECT_EQ(web::StartPageName(s), "abcx.htm");
}

}  // namespace
