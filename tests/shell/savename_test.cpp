// The Save As dialog's name rules: filter entries and their extensions, the
// name filters handed to the desktop's dialog, the extension appended to a
// typed name, the refusal of open files and the question before replacing.
#include <gtest/gtest.h>

#include "FakePorts.h"
#include "SaveName.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

const char kOpenFilter[] =
    "ORV Files (*.orv;indiv2.dat)|*.orv;indiv2.dat|GEDCOM (*.ged)|*.ged|ORV 3 or 4 "
    "(*.orv)|*.orv|ORV 2.x (indiv2.dat)|indiv2.dat|All Files (*.*)|*.*||";

TEST(SaveNameTest, FilterEntriesAndTheirExtensions) {
  const auto entries = ParseFileFilter(kOpenFilter);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].text, "ORV Files (*.orv;indiv2.dat)");
  EXPECT_EQ(entries[0].pattern, "*.orv;indiv2.dat");
  const char* extensions[] = {"", ".ged", ".orv", ".dat", ""};
  for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].extension, extensions[i]);
  // The empty entry ends the list even when more follows.
  EXPECT_EQ(ParseFileFilter("Text (*.txt)|*.txt||Other|*.x|").size(), 1u);
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_EQ(ParseFileFilter("Text|*.t?t||")[0].extension, "");
}

TEST(SaveNameTest, NameFiltersForTheDesktopDialog) {
  const std::vector<std::string> expected = {"ORV Files (*.orv indiv2.dat)", "GEDCOM (*.ged)",
                                             "ORV 3 or 4 (*.orv)", "ORV 2.x (indiv2.dat)",
                                             "All Files (*)"};
  EXPECT_EQ(ToNameFilters(ParseFileFilter(kOpenFilter)), expected);
  EXPECT_EQ(ToNameFilters(ParseFileFilter("Rich Text Files|*.rtf||")),
            std::vector<std::string>{"Rich Text Files (*.rtf)"});
}

TEST(SaveNameTest, ExtensionRules) {
  CSaveNameRules rules("orv", "Text Files (*.txt)|*.txt|ORV 3 or 4 (*.orv)|*.orv|All (*.*)|*.*||");
  EXPECT_EQ(rules.DefaultExtension(), ".orv");
  struct Case {
    const char* typed;
    int entry;
    const char* expected;
  };
  const Case cases[] = {
      {"smith", 1, "smith.orv"},            // no extension: the entry's
      {"smith", 0, "smith.txt"},            //
      {"smith", 2, "smith"},                // entry without extension
      {"smith", 9, "smith"},                // no such entry
      {"smith.ORV", 1, "smith.ORV"},        // the default, any case
      {"smith.txt", 1, "smith.txt"},        // one of the filter's
      {"smith.doc", 1, "smith.doc.orv"},    // forced
      {"smith.doc", 2, "smith.doc"},        // forced, but nothing to add
      {"/a.b/smith", 1, "/a.b/smith.orv"},  // a point in the folder only
  };
  for (const Case& c : cases)
    EXPECT_EQ(rules.WithExtension(c.typed, c.entry), c.expected) << c.typed;

  CSaveNameRules onlyOrv(".orv", "ORV 3 or 4 (*.orv)|*.orv||");
  EXPECT_EQ(onlyOrv.WithExtension("smith.txt", 0), "smith.txt.orv");
  onlyOrv.forceExtension = false;
  EXPECT_EQ(onlyOrv.WithExtension("smith.txt", 0), "smith.txt");
  CSaveNameRules noDefault("", "ORV 3 or 4 (*.orv)|*.orv||");
  EXPECT_EQ(noDefault.WithExtension("smith.txt", 0), "smith.txt");
}

class SaveAcceptTest : public ::testing::Test {
 protected:
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  CSaveNameRules rules{".orv", "ORV 3 or 4 (*.orv)|*.orv||"};
};

TEST_F(SaveAcceptTest, NewNameInTheFolderIsAccepted) {
  rules.folder = dir.Path();
  std::string chosen;
  EXPECT_TRUE(rules.Accept("smith", 0, true, chosen));
  EXPECT_EQ(chosen, dir.File("smith.orv"));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(SaveAcceptTest, OpenFileIsRefused) {
  WriteAll(dir.File("open.orv"), "x");
  rules.forbiddenPaths = {dir.File("open.orv")};
  std::string chosen;
  EXPECT_FALSE(rules.Accept(dir.File("open"), 0, true, chosen));
  EXPECT_EQ(chosen, dir.File("open.orv"));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, dir.File("open.orv") +
                                       "\nThis file is already open.\nSelect a new file name "
                                       "or close the file.");
  // Another name of the same file is refused too; another file is asked about.
  EXPECT_FALSE(rules.Accept(dir.Path() + "x/../open.orv", 0, false, chosen));
  EXPECT_EQ(boxes.Calls().size(), 2u);
  WriteAll(dir.File("other.orv"), "x");
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_TRUE(rules.Accept(dir.File("other.orv"), 0, true, chosen));
  EXPECT_EQ(boxes.Calls().back().caption, "Save As");
}

TEST_F(SaveAcceptTest, ExistingFileAsksBeforeReplacing) {
  WriteAll(dir.File("smith.orv"), "x");
  std::string chosen;
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_FALSE(rules.Accept(dir.File("smith"), 0, true, chosen));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            dir.File("smith.orv") + " already exists.\nDo you want to replace it?");
  EXPECT_EQ(boxes.Calls()[0].caption, "Save As");
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbButtonMask, plat::kMbYesNo);
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_TRUE(rules.Accept(dir.File("smith"), 0, true, chosen));
  EXPECT_EQ(chosen, dir.File("smith.orv"));
}

TEST_F(SaveAcceptTest, MissingFolderIsRefusedWhenThePathMustExist) {
  std::string chosen;
  EXPECT_FALSE(rules.Accept(dir.File("nowhere/smith"), 0, true, chosen));
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_TRUE(rules.Accept(dir.File("nowhere/smith"), 0, false, chosen));
}

}  // namespace
