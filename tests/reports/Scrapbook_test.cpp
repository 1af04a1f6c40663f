// The Scrapbook: the pass's entries, the caption layout of a person and the
// pages drawn from them on the recording device.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BitSet.h"
#include "DbCalls.h"
#include "FakePaginatorWindow.h"
#include "MultimediaChain.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ScrapbookGenerator.h"
#include "ScrapbookLayout.h"
#include "ScrapbookPagination.h"

namespace {

using rpt::CScrapbookEntry;

struct Item {
  char kind = 'P';
  bool marked = true;
  std::string caption, description, file = "pictures/photo.jpg";
};

class ScrapbookTest : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CleanupScrapbookPages();
    ReportFamiliesFixture::TearDown();
  }

  // Stores the items as rin's multimedia chain, in order.
  static void GivePictures(std::int32_t rin, const std::vector<Item>& items) {
    CMultimediaList head;
    CMultimediaItem* last = nullptr;
    for (const Item& i : items) {
      auto item = std::make_unique<CMultimediaItem>();
      item->kind = i.kind;
      item->flags = i.marked ? CMultimediaItem::kFlagScrapbook : 0;
      item->caption = i.caption;
      item->description = i.description;
      item->fileName = i.file;
      CMultimediaItem* raw = item.get();
      if (last == nullptr)
        head = std::move(item);
      else
        last->next = std::move(item);
      last = raw;
    }
    ASSERT_GE(DbSaveMultimediaChain(rin, head.get(), db::kIndividual), 0);
  }

  static std::vector<Item> Numbered(int count) {
    std::vector<Item> items;
    for (int i = 1; i <= count; ++i)
      items.push_back({'P', true, "Caption " + std::to_string(i), "", "pic" + std::to_string(i)});
    return items;
  }

  static std::vector<CScrapbookEntry> Entries() {
    std::vector<CScrapbookEntry> out;
    CScrapbookEntry e;
    for (int n = 0; rpt::ReadScrapbookEntry(n, e) != 0; ++n) out.push_back(e);
    return out;
  }

  // A letter page with the default margins.
  static RecordingDevice Device() {
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    return dc;
  }

  static std::vector<std::string> Calls(const std::vector<std::string>& calls,
                                        const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& c : calls)
      if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
  }

  rpt::HeadlessPaginatorWindow window;
};

TEST_F(ScrapbookTest, PagesFollowTheMarkedPicturesOnly) {
  // Pictures of kind 'S' or 'V' and unmarked ones are added as noise: they
  // would make a second page if they counted.
  std::vector<Item> noise;
  for (const char kind : {'S', 'V', 'P', 'P', 'P', 'S', 'V'}) {
    Item item;
    item.kind = kind;
    item.marked = kind != 'P';
    noise.push_back(item);
  }
  struct Case {
    int marked;
    bool withNoise;
    std::vector<int> pages;
  };
  const Case cases[] = {{0, false, {1}}, {1, false, {1}}, {6, false, {1}},       {7, false, {1, 2}},
                        {0, true, {1}},  {6, true, {1}},  {13, false, {1, 2, 3}}};
  for (const Case& c : cases) {
    const std::int32_t rin = Person("Ann", "Case" + std::to_string(c.marked), 'F', 1950);
    std::vector<Item> items = Numbered(c.marked);
    if (c.withNoise) items.insert(items.begin() + items.size() / 2, noise.begin(), noise.end());
    GivePictures(rin, items);
    const int pages = rpt::PaginateScrapbook(rin, 6, nullptr, window);
    std::vector<int> numbers;
    for (const CScrapbookEntry& e : Entries()) {
      EXPECT_EQ(e.rin, rin);
      EXPECT_EQ(e.computed, 0);
      numbers.push_back(e.page);
    }
    EXPECT_EQ(pages, static_cast<int>(c.pages.size())) << c.marked << " noise " << c.withNoise;
    EXPECT_EQ(numbers, c.pages) << c.marked << " noise " << c.withNoise;
  }
}

TEST_F(ScrapbookTest, AChosenSetGivesEachLiveMemberHisPages) {
  const std::int32_t seven = Person("Seven", "Pictures", 'M', 1940);
  const std::int32_t none = Person("No", "Pictures", 'F', 1942);
  const std::int32_t gone = Person("Gone", "Person", 'M', 1944);
  GivePictures(seven, Numbered(7));
  ASSERT_EQ(DbDeleteRecord(gone, db::kIndividual), 1);

  CBitSet set;
  set.SetBit(seven, 1);
  set.SetBit(none, 1);
  set.SetBit(gone, 1);
  EXPECT_EQ(rpt::PaginateScrapbook(0, 6, &set, window), 3);
  const std::vector<CScrapbookEntry> entries = Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].rin, seven);
  EXPECT_EQ(entries[1].rin, seven);
  EXPECT_EQ(entries[1].page, 2);
  EXPECT_EQ(entries[2].rin, none);
  EXPECT_EQ(entries[2].page, 1);

  CBitSet deletedOnly;
  deletedOnly.SetBit(gone, 1);
  EXPECT_EQ(rpt::PaginateScrapbook(0, 6, &deletedOnly, window), 0);
  EXPECT_EQ(rpt::ScrapbookEntryCount(), 0);
}

TEST_F(ScrapbookTest, EntriesOutsideThePassAreRefused) {
  const std::int32_t rin = Person("Ann", "Edge", 'F', 1950);
  GivePictures(rin, Numbered(7));
  ASSERT_EQ(rpt::PaginateScrapbook(rin, 6, nullptr, window), 2);
  CScrapbookEntry e;
  e.rin = 99;
  EXPECT_EQ(rpt::ReadScrapbookEntry(-1, e), 0);
  EXPECT_EQ(rpt::ReadScrapbookEntry(2, e), 0);
  EXPECT_EQ(e.rin, 99) << "a refused read leaves the buffer";

  CScrapbookEntry written;
  written.rin = 12345;
  rpt::WriteScrapbookEntry(2, written);
  rpt::WriteScrapbookEntry(-1, written);
  EXPECT_EQ(rpt::ReadScrapbookEntry(2, e), 0);
  ASSERT_EQ(rpt::ReadScrapbookEntry(1, e), 1);
  EXPECT_EQ(e.rin, rin);
}

TEST_F(ScrapbookTest, ZeroPicturesPerPageCountsAsOne) {
  const std::int32_t rin = Person("Ann", "Zero", 'F', 1950);
  GivePictures(rin, Numbered(3));
  EXPECT_EQ(rpt::PaginateScrapbook(rin, 0, nullptr, window), 3);
  EXPECT_EQ(rpt::PaginateScrapbook(rin, -4, nullptr, window), 3);

  // The options hold Across, Down, PhotoX and PhotoY to at least 1.
  plat::FakeProfile profile;
  plat::ScopedProfile scoped{&profile};
  for (const char* key : {"Across", "Down", "PhotoX", "PhotoY"}) profile.SetInt("ScrapRpt", key, 0);
  const rpt::ScrapbookOptions o = rpt::ScrapbookOptions::Load();
  EXPECT_EQ(o.across, 1);
  EXPECT_EQ(o.down, 1);
  EXPECT_EQ(o.photoX, 1);
  EXPECT_EQ(o.photoY, 1);
  // A page of such a grid draws (no division by zero, no endless loop).
  GivePictures(rin, Numbered(2));
  ASSERT_EQ(rpt::PaginateScrapbook(rin, o.PicturesPerPage(), nullptr, window), 2);
  RecordingDevice dc = Device();
  rpt::CScrapbookGenerator g(o);
  g.BeginScrapbook(&dc);
  g.PrintScrapbookPage(&dc, 2);
  // A largest picture of 1 x 1 leaves no picture, only the texts.
  EXPECT_TRUE(Calls(dc.calls, "DrawPhoto").empty());
  const auto texts = Calls(dc.calls, "TextOut");
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
    return t.find(" Caption 2") != std::string::npos;
  }));
}

TEST(ScrapbookLayout, StepsOverCellSizesTextsAndOptions) {
  struct Case {
    const char* name;
    int width, height;
    rpt::ScrapbookTextNeeds needs;
    bool fileName, photoUse;
    CScrapbookEntry expected;  // photo width, height, file name, caption, description lines
  };
  auto layout = [](int w, int h, int fn, int cap, int desc) {
    CScrapbookEntry e;
    e.photoWidth = w;
    e.photoHeight = h;
    e.fileName = static_cast<std::uint8_t>(fn);
    e.captionLines = static_cast<std::uint8_t>(cap);
    e.descriptionLines = static_cast<std::uint8_t>(desc);
    e.computed = 1;
    return e;
  };
  const Case cases[] = {
      {"room for all", 2000, 2000, {2, 3, true, true}, false, false, layout(1000, 1000, 0, 2, 3)},
      {"PhotoUse takes the rest",
       2000,
       2000,
       {2, 3, true, true},
       false,
       true,
       layout(2000, 1520, 0, 2, 3)},
      {"too low for a picture", 2000, 300, {2, 3, true, true}, false, true, layout(0, 0, 0, 1, 2)},
      {"picture cut to the room",
       2000,
       600,
       {1, 0, true, false},
       false,
       true,
       layout(1000, 450, 0, 1, 0)},
      {"file name and a narrow cell",
       800,
       2000,
       {0, 0, false, false},
       true,
       true,
       layout(800, 800, 1, 0, 0)},
      {"nothing after the first caption",
       2000,
       120,
       {3, 3, true, true},
       false,
       true,
       layout(0, 0, 0, 1, 0)},
  };
  for (const Case& c : cases) {
    rpt::ScrapbookOptions o;
    o.fileName = c.fileName;
    o.photoUse = c.photoUse;
    rpt::ScrapbookCellMetrics cell{c.width, c.height, 100, 80, 60};
    CScrapbookEntry e;
    e.rin = 7;
    e.page = 1;
    rpt::ComputeScrapbookLayout(e, o, cell, c.needs);
    CScrapbookEntry expected = c.expected;
    expected.rin = 7;
    expected.page = 1;
    EXPECT_EQ(e, expected) << c.name << ": " << e.photoWidth << "x" << e.photoHeight << " fn "
                           << int(e.fileName) << " cap " << int(e.captionLines) << " desc "
                           << int(e.descriptionLines);
  }
}

TEST_F(ScrapbookTest, EveryPageOfAPersonSharesThePageOneLayout) {
  const std::int32_t rin = Person("Ann", "Album", 'F', 1950);
  std::vector<Item> items = Numbered(7);
  items[6].caption = "A rather long caption for the last picture that needs several lines";
  GivePictures(rin, items);
  const rpt::ScrapbookOptions o;
  for (const bool jump : {false, true}) {
    ASSERT_EQ(rpt::PaginateScrapbook(rin, o.PicturesPerPage(), nullptr, window), 2);
    rpt::CScrapbookGenerator g(o);
    RecordingDevice dc = Device();
    g.BeginScrapbook(&dc);
    std::vector<std::vector<std::string>> pages(3);
    for (const int page : jump ? std::vector<int>{2, 1} : std::vector<int>{1, 2}) {
      dc.calls.clear();
      g.PrintScrapbookPage(&dc, page);
      pages[page] = dc.calls;
    }
    CScrapbookEntry first, second;
    ASSERT_EQ(rpt::ReadScrapbookEntry(0, first), 1);
    ASSERT_EQ(rpt::ReadScrapbookEntry(1, second), 1);
    EXPECT_EQ(first.computed, 1) << "the layout is stored in the person's first entry";
    EXPECT_EQ(second.computed, 0);
    EXPECT_GT(first.photoHeight, 200);
    EXPECT_GE(first.captionLines, 1);

    const auto photos1 = Calls(pages[1], "DrawPhoto");
    const auto photos2 = Calls(pages[2], "DrawPhoto");
    ASSERT_EQ(photos1.size(), 6u) << "jump " << jump;
    ASSERT_EQ(photos2.size(), 1u) << "jump " << jump;
    // Picture 7 sits in the first cell, where page 1 has picture 1.
    EXPECT_EQ(photos2[0].substr(photos2[0].find(' ', 10)),
              photos1[0].substr(photos1[0].find(' ', 10)));
    EXPECT_EQ(photos2[0].rfind("DrawPhoto pic7 ", 0), 0u);
    // Both pages are titled, numbered within the person.
    const std::string title = "Scrapbook Page for Ann Album";
    for (int page : {1, 2}) {
      const auto texts = Calls(pages[page], "TextOut");
      EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
        return t.size() >= title.size() &&
               t.compare(t.size() - title.size(), title.size(), title) == 0;
      })) << page;
      const std::string number = "Page " + std::to_string(page);
      EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
        return t.size() >= number.size() &&
               t.compare(t.size() - number.size(), number.size(), number) == 0;
      })) << page;
    }
    rpt::CleanupScrapbookPages();
  }
}

// The RTF's section carries the ScrapRpt margins whatever mode the device is
// in when printing begins (a printer starts in its own pixels).
TEST_F(ScrapbookTest, TheRTFCarriesThePageMargins) {
  const std::int32_t rin = Person("Rita", "Margin", 'F', 1950);
  GivePictures(rin, Numbered(1));
  const rpt::ScrapbookOptions o;
  ASSERT_EQ(rpt::PaginateScrapbook(rin, o.PicturesPerPage(), nullptr, window), 1);
  for (const int dpi : {600, 1200}) {
    rpt::CScrapbookGenerator g(o);
    g.SetRTFOutput(true);
    RecordingDevice dc(dpi);
    dc.SetMapMode(rpt::MM_TEXT);
    g.BeginScrapbook(&dc);
    const auto twips = [](int thousandths) { return thousandths * 1440 / 1000; };
    EXPECT_EQ(g.Margins(),
              (rpt::Rect{twips(o.pageLM), twips(o.pageTM), twips(o.pageRM), twips(o.pageBM)}))
        << dpi;
  }
}

TEST_F(ScrapbookTest, APersonWithoutPicturesGetsTitleAnEmptyGridAndAWord) {
  const std::int32_t none = Person("Bare", "Walls", 'M', 1950);
  const std::int32_t some = Person("Full", "Walls", 'M', 1951);
  GivePictures(some, Numbered(1));
  CBitSet set;
  set.SetBit(none, 1);
  set.SetBit(some, 1);
  const rpt::ScrapbookOptions o;
  ASSERT_EQ(rpt::PaginateScrapbook(0, o.PicturesPerPage(), &set, window), 2);
  rpt::CScrapbookGenerator g(o);
  RecordingDevice dc = Device();
  g.BeginScrapbook(&dc);
  dc.calls.clear();
  g.PrintScrapbookPage(&dc, 1);
  const auto texts = Calls(dc.calls, "TextOut");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts[0].find("Scrapbook Page for Bare Walls"), std::string::npos);
  EXPECT_NE(texts[1].find("Page 1"), std::string::npos);
  EXPECT_NE(texts[2].find("No pictures are marked for this person's scrapbook."),
            std::string::npos);
  EXPECT_TRUE(Calls(dc.calls, "DrawPhoto").empty());
  EXPECT_TRUE(Calls(dc.calls, "MoveTo").empty()) << "no cell is framed";
  // The person with a picture gets no such line.
  dc.calls.clear();
  g.PrintScrapbookPage(&dc, 2);
  for (const std::string& text : Calls(dc.calls, "TextOut"))
    EXPECT_EQ(text.find("No pictures"), std::string::npos) << text;
}

TEST_F(ScrapbookTest, CaptionsAboveMoveThePictureDown) {
  const std::int32_t rin = Person("Ann", "Above", 'F', 1950);
  GivePictures(rin, {{'P', true, "Caption", "", "one"}});
  for (const bool above : {false, true}) {
    rpt::ScrapbookOptions o;
    o.captionAbove = above;
    o.photoUse = false;
    ASSERT_EQ(rpt::PaginateScrapbook(rin, o.PicturesPerPage(), nullptr, window), 1);
    rpt::CScrapbookGenerator g(o);
    RecordingDevice dc = Device();
    g.BeginScrapbook(&dc);
    dc.calls.clear();
    g.PrintScrapbookPage(&dc, 1);
    const rpt::Rect inner = g.CellInner(0, 0);
    const auto photos = Calls(dc.calls, "DrawPhoto");
    ASSERT_EQ(photos.size(), 1u);
    int l = 0, t = 0, r = 0, b = 0;
    ASSERT_EQ(std::sscanf(photos[0].c_str(), "DrawPhoto one %d %d %d %d", &l, &t, &r, &b), 4);
    std::string caption;
    for (const std::string& c : Calls(dc.calls, "TextOut"))
      if (c.find(" Caption") != std::string::npos) caption = c;
    int cx = 0, cy = 0;
    ASSERT_EQ(std::sscanf(caption.c_str(), "TextOut %d %d", &cx, &cy), 2) << caption;
    const int captionLine = rpt::ScrapbookLineHeight(rpt::ScrapbookFont(o.captionFont));
    if (above) {
      EXPECT_EQ(cy, inner.top);
      EXPECT_EQ(t, inner.top - captionLine - 50);
    } else {
      EXPECT_EQ(t, inner.top);
      EXPECT_EQ(cy, inner.top - o.photoY - 50);
    }
    rpt::CleanupScrapbookPages();
  }
}

TEST_F(ScrapbookTest, ALongFilePathIsShortenedToTheCell) {
  const std::string path =
      "/home/someone/genealogy/pictures/scanned/albums/grandmother/1923/wedding/"
      "church-steps-with-the-whole-family.jpg";
  const std::int32_t rin = Person("Ann", "Path", 'F', 1950);
  GivePictures(rin, {{'P', true, "", "", path}});
  rpt::ScrapbookOptions o;
  o.fileName = true;
  ASSERT_EQ(rpt::PaginateScrapbook(rin, o.PicturesPerPage(), nullptr, window), 1);
  rpt::CScrapbookGenerator g(o);
  RecordingDevice dc = Device();
  g.BeginScrapbook(&dc);
  dc.calls.clear();
  g.PrintScrapbookPage(&dc, 1);
  const rpt::Rect inner = g.CellInner(0, 0);
  std::string shown;
  for (const std::string& c : Calls(dc.calls, "TextOut"))
    if (c.find("...") != std::string::npos) shown = c.substr(c.find(' ', c.find(' ', 8) + 1) + 1);
  ASSERT_FALSE(shown.empty());
  EXPECT_LE(static_cast<int>(shown.size()) * dc.charWidth, inner.right - inner.left);
  EXPECT_NE(shown.find("church-steps"), std::string::npos) << shown;
}

}  // namespace
