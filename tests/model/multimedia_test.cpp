#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AlphaNameRecord.h"
#include "CodePage.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "MultimediaItem.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

TEST(MultimediaItem, ClearKeepsUpperFlagsOwnerTypeAndChain) {
  CMultimediaItem item;
  EXPECT_EQ(item.flags, 0);
  EXPECT_EQ(item.kind, 0);
  EXPECT_EQ(item.ownerType, 0);

  item.fileName = "a.jpg";
  item.caption = "c";
  item.description = "d";
  item.soundFile = "s.wav";
  item.cropTop = item.cropBottom = item.cropLeft = item.cropRight = 1;
  item.slideTime = item.width = item.height = 2;
  item.ownerNumber = item.recordNumber = item.nextRecordNumber = item.extraNumber = 3;
  item.flags = 0x1FF;
  item.kind = 'P';
  item.ownerType = CMultimediaItem::kOwnerSource;
  item.next = std::make_unique<CMultimediaItem>();
  item.Clear();

  for (const std::string* t : {&item.fileName, &item.caption, &item.description, &item.soundFile})
    EXPECT_TRUE(t->empty());
  for (int n : {int(item.cropTop), int(item.cropBottom), int(item.cropLeft), int(item.cropRight),
                int(item.slideTime), int(item.width), int(item.height), int(item.ownerNumber),
                int(item.recordNumber), int(item.nextRecordNumber), int(item.extraNumber)})
    EXPECT_EQ(n, 0);
  EXPECT_EQ(item.flags, 0x180);
  EXPECT_EQ(item.kind, 0);
  EXPECT_EQ(item.ownerType, CMultimediaItem::kOwnerSource);
  EXPECT_NE(item.next, nullptr);
}

TEST(MultimediaItem, FileNamePartsAroundLineBreaks) {
  struct Case {
    const char* text;
    const char* path;
    const char* subName;
  } cases[] = {
      {"photos/a.jpg", "photos/a.jpg", ""},
      {"/cd/img.pcd\nDISC0042", "/cd/img.pcd", "DISC0042"},
      {"p\nq\nr", "p", "r"},
      {"p\n", "p", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    CMultimediaItem item;
    item.fileName = c.text;
    EXPECT_EQ(item.GetFileName(), c.path) << c.text;
    EXPECT_EQ(item.GetFileName(true), c.text);
    EXPECT_EQ(item.GetSubName(), c.subName) << c.text;
  }
}

class FullPathTest : public ::testing::Test {
 protected:
  void TearDown() override { SetOpenFamilyFileFolder(""); }
};

TEST_F(FullPathTest, RelativePathsResolveAgainstTheFamilyFolder) {
  SetOpenFamilyFileFolder("/data/family/");
  struct Case {
    const char* text;
    const char* full;
  } cases[] = {
      {"pics/a.jpg", "/data/family/pics/a.jpg"},
      {"./pics/../b.jpg", "/data/family/b.jpg"},
      {"../c.jpg", "/data/c.jpg"},
      {"/abs/d.jpg", "/abs/d.jpg"},
      {"pics/img.pcd\nDISC1", "/data/family/pics/img.pcd"},
  };
  const std::string before = plat::CurrentDirectory();
  for (const Case& c : cases) {
    CMultimediaItem item;
    item.fileName = c.text;
    EXPECT_EQ(item.GetFullPath(), c.full) << c.text;
  }
  EXPECT_EQ(plat::CurrentDirectory(), before);
}

TEST_F(FullPathTest, EmptyPathAndNoFamilyFile) {
  CMultimediaItem item;
  const std::string before = plat::CurrentDirectory();
  SetOpenFamilyFileFolder("/data/family/");
  EXPECT_EQ(item.GetFullPath(), "");
  EXPECT_EQ(plat::CurrentDirectory(), before);

  // Without an open family file the current folder is the base.
  SetOpenFamilyFileFolder("");
  item.fileName = "x.jpg";
  std::string expected = before;
  if (!expected.ends_with('/')) expected += '/';
  EXPECT_EQ(item.GetFullPath(), expected + "x.jpg");
}

// A stored name is family text (code page); the file it leads to is named
// by the file system in UTF-8, in folders with national letters too. Every
// name reads back to the file it was stored from.
TEST_F(FullPathTest, StoredNamesAndTheFilesTheyLeadTo) {
  ScopedCodePage page(plat::kCodePageWestern);
  TempDir dir;
  for (const std::string name : {"Släkt Åsa", "Łódź", "Ærø"}) {
    SCOPED_TRACE(name);
    const std::string family = dir.File(name) + "/";
    const std::string file = family + "Bilder " + name + "/" + name + ".jpg";
    std::filesystem::create_directories(family + "Bilder " + name);
    WriteAll(file, "picture");
    SetOpenFamilyFileFolder(family);
    // Chosen inside the family's folder: stored relative, as family text.
    std::string stored;
    ASSERT_TRUE(StoreMultimediaPath(file, family, stored));
    EXPECT_EQ(stored, plat::Utf8ToAnsi("Bilder " + name + "/" + name + ".jpg"));
    CMultimediaItem item;
    item.fileName = stored;
    EXPECT_EQ(item.GetFullPath(), file);
    EXPECT_EQ(ReadAll(item.GetFullPath()), "picture");
    // Elsewhere: stored whole. An attached sound reads back the same way.
    ASSERT_TRUE(StoreMultimediaPath(file, "/elsewhere/", stored));
    EXPECT_EQ(stored, plat::Utf8ToAnsi(file));
    item.soundFile = stored;
    EXPECT_EQ(item.GetSoundPath(), file);
    // A name stored by an earlier version as the file system's bytes still
    // leads to its file.
    item.fileName = "Bilder " + name + "/" + name + ".jpg";
    EXPECT_EQ(item.GetFullPath(), file);
  }
}

// A name with a letter that neither the code page nor the family file can
// hold is refused rather than stored with a question mark.
TEST(MultimediaNames, LettersTheFamilyCannotHoldAreRefused) {
  ScopedCodePage page(plat::kCodePageWestern);
  std::string stored = "kept";
  EXPECT_FALSE(StoreMultimediaPath("/data/family/\u6C5F\u6238/a.jpg", "/data/family/", stored));
  EXPECT_EQ(stored, "kept");
  EXPECT_TRUE(StoreMultimediaPath("/data/family/O'Neil family/a b.jpg", "/data/family/", stored));
  EXPECT_EQ(stored, "O'Neil family/a b.jpg");
}

TEST(MultimediaItem, CroppedSizeAndEdits) {
  struct Case {
    int width, height, top, bottom, left, right, flags;
    bool known;
    int w, h;
    bool edited;
  } cases[] = {
      {0, 100, 0, 0, 0, 0, 0, false, 0, 0, false},          // size unknown
      {200, 100, 0, 0, 0, 0, 0, true, 200, 100, false},     // as it is
      {200, 100, 10, 5, 20, 30, 0, true, 150, 85, true},    // margins
      {200, 100, 0, 0, 0, 0, 0x20, true, 100, 200, true},   // quarter turn
      {200, 100, 0, 0, 0, 0, 0x40, true, 200, 100, true},   // half turn
      {200, 100, 10, 0, 0, 0, 0x60, true, 90, 200, true},   // three quarters
      {200, 100, 0, 0, 0, 0, 0x08, true, 200, 100, true},   // flipped
      {200, 100, 0, 0, 0, 0, 0x07, true, 200, 100, false},  // default, slides, scrapbook
      {20, 10, 8, 8, 15, 15, 0, true, 0, 0, true},          // margins beyond the picture
  };
  for (const Case& c : cases) {
    CMultimediaItem item;
    item.width = c.width;
    item.height = c.height;
    item.cropTop = c.top;
    item.cropBottom = c.bottom;
    item.cropLeft = c.left;
    item.cropRight = c.right;
    item.flags = c.flags;
    int w = -1, h = -1;
    EXPECT_EQ(item.GetCroppedSize(w, h), c.known);
    EXPECT_EQ(w, c.w) << c.width << "x" << c.height << " flags " << c.flags;
    EXPECT_EQ(h, c.h) << c.width << "x" << c.height << " flags " << c.flags;
    EXPECT_EQ(item.IsEdited(), c.edited);
  }
}

CMultimediaList MakeChain(const std::vector<std::pair<char, bool>>& items) {
  CMultimediaList head;
  CMultimediaItem* tail = nullptr;
  int number = 0;
  for (auto [kind, isDefault] : items) {
    auto item = std::make_unique<CMultimediaItem>();
    item->kind = kind;
    item->recordNumber = ++number;
    if (isDefault) item->flags |= CMultimediaItem::kFlagDefault;
    CMultimediaItem* raw = item.get();
    if (tail) {
      tail->next = std::move(item);
    } else {
      head = std::move(item);
    }
    tail = raw;
  }
  return head;
}

std::vector<int> Numbers(const CMultimediaItem* item) {
  std::vector<int> out;
  for (; item; item = item->next.get()) out.push_back(item->recordNumber);
  return out;
}

TEST(MultimediaItem, DefaultItemsArePhotoThenSound) {
  struct Case {
    const char* name;
    std::vector<std::pair<char, bool>> chain;
    std::vector<int> kept;
  };
  std::vector<Case> cases = {
      {"sound before photo", {{'S', true}, {'P', false}, {'P', true}, {'V', true}}, {3, 1}},
      {"two default photos", {{'P', true}, {'P', true}}, {1}},
      {"sound only", {{'P', false}, {'S', false}, {'S', true}, {'S', true}}, {3}},
      {"none", {{'P', false}, {'V', true}}, {}},
      {"empty", {}, {}},
  };
  for (Case& c : cases) {
    int count = -1;
    CMultimediaList kept = PickDefaultItems(MakeChain(c.chain), &count);
    EXPECT_EQ(Numbers(kept.get()), c.kept) << c.name;
    EXPECT_EQ(count, static_cast<int>(c.kept.size())) << c.name;
  }
}

TEST(MultimediaItem, LongChainsFreeWithoutRecursion) {
  std::vector<std::pair<char, bool>> many(200000, {'P', false});
  CMultimediaList chain = MakeChain(many);
  EXPECT_EQ(FreeNodeChain(chain), nullptr);
  EXPECT_EQ(chain, nullptr);
  // Destroying a head frees the whole chain as well.
  chain = MakeChain(many);
  chain.reset();
  EXPECT_EQ(chain, nullptr);
}

TEST(MultimediaItem, CopyLeavesTheChainBehind) {
  CMultimediaList chain = MakeChain({{'P', true}, {'S', true}});
  chain->caption = "Grandfather";
  chain->cropLeft = 4;
  CMultimediaItem copy(*chain);
  EXPECT_EQ(copy.caption, "Grandfather");
  EXPECT_EQ(copy.cropLeft, 4);
  EXPECT_EQ(copy.flags, CMultimediaItem::kFlagDefault);
  EXPECT_EQ(copy.next, nullptr);
  copy.next = std::make_unique<CMultimediaItem>();
  copy = *chain->next;
  EXPECT_EQ(copy.kind, 'S');
  EXPECT_NE(copy.next, nullptr);  // assignment keeps the target's own chain
}

TEST(MultimediaItem, ExportNames) {
  struct Case {
    long owner;
    int index;
    const char* source;
    const char* name;
  } cases[] = {
      {26, 3, "/pics/x.JPG", "1a03.JPG"},
      {26, 4, "sounds/song.wav", "1a04.wav"},
      {255, 0, "a.b/noext", "ff00"},
      {1, 100, "x.tif", "1100.tif"},
      {26, 3, "C:\\pics\\x.jpeg", "1a03.jpeg"},
  };
  for (const Case& c : cases) EXPECT_EQ(MultimediaExportName(c.owner, c.index, c.source), c.name);
}

TEST(AlphaNameRecord, NewEntryHasNoNumbers) {
  CAlphaNameRecord entry;
  EXPECT_EQ(entry.rin, -1);
  EXPECT_EQ(entry.secondNumber, -1);
  EXPECT_TRUE(entry.surname.empty());
  for (const std::string& g : entry.givenNames) EXPECT_TRUE(g.empty());
  EXPECT_TRUE(entry.suffix.empty());
  entry.rin = 5;
  entry.secondNumber = 6;
  entry.surname = "Smith";
  entry.Reset();
  EXPECT_EQ(entry.rin, -1);
  EXPECT_EQ(entry.secondNumber, -1);
  EXPECT_EQ(entry.surname, "Smith");
}

}  // namespace
