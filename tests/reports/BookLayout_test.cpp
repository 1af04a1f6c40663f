// The walk over a book's blocks: half-lines spent, page breaks, photo boxes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BookLayout.h"
#include "RecordingDevice.h"

using namespace rpt;

namespace {

struct Seen {
  std::size_t block;
  int x, used;
};

class Recorder : public BookLayoutSink {
 public:
  bool NewPage(const BookPosition& pos) override {
    pages.push_back(pos);
    return true;
  }
  void BlockStart(std::size_t b, const BookBlock&, int used) override {
    starts.push_back({b, 0, used});
  }
  void Line(std::size_t b, const BookBlock&, bool, int x, int used, std::string_view,
            std::uint8_t) override {
    lines.push_back({b, x, used});
  }
  std::vector<BookPosition> pages;
  std::vector<Seen> starts, lines;
};

// Ten words of five letters: with 50 units a character two words fit a line
// of 600, so the text makes five lines.
BookBlock Text(int person, int width = 600) {
  BookBlock b;
  b.person = person;
  b.text = "aaaaa bbbbb ccccc ddddd eeeee fffff ggggg hhhhh iiiii jjjjj";
  b.firstX = b.laterX = 400;
  b.firstWidth = b.laterWidth = width;
  return b;
}

}  // namespace

class BookLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dc.SetMapMode(MM_HIENGLISH);
    fonts = BookFonts::Make("Times New Roman;Normal;9pt");
  }
  Recorder Walk(const std::vector<BookBlock>& blocks, int page) {
    BookLayout layout(blocks, fonts, dc, page);
    Recorder r;
    layout.Walk({0, 0, page, 0}, r);
    return r;
  }
  RecordingDevice dc{1000};
  BookFonts fonts;
};

TEST_F(BookLayoutTest, LinesGapsAndBreaks) {
  std::vector<BookBlock> blocks{Text(0), Text(1)};
  blocks[0].gapAfter = 1;
  blocks[1].gapBefore = 3;
  const Recorder r = Walk(blocks, 100);
  ASSERT_EQ(r.lines.size(), 10u);
  EXPECT_EQ(r.lines[4].used, 8);
  // 10 half-lines of text, 1 after, 3 before the second block.
  EXPECT_EQ(r.starts[1].used, 14);
  EXPECT_TRUE(r.pages.empty());

  // A page of 7 half-lines holds three lines; the break records where the
  // fourth begins.
  const Recorder small = Walk({Text(0)}, 7);
  ASSERT_EQ(small.pages.size(), 1u);
  EXPECT_EQ(small.pages[0].block, 0u);
  EXPECT_EQ(small.pages[0].offset, 36u);  // "ggggg" begins the fourth line
  EXPECT_EQ(small.lines[3].used, 0);
}

TEST_F(BookLayoutTest, KeepRoomAndPageBreakBeforeMoveABlock) {
  std::vector<BookBlock> blocks{Text(0), Text(1)};
  blocks[1].keepRoom = 12;
  Recorder r = Walk(blocks, 20);  // 10 used, 10 left < 12
  ASSERT_EQ(r.pages.size(), 1u);
  EXPECT_EQ(r.pages[0].block, 1u);
  EXPECT_EQ(r.pages[0].offset, 0u);

  blocks[1].keepRoom = 0;
  blocks[1].pageBreakBefore = true;
  blocks[1].gapBefore = 5;  // not spent at the top of the new page
  r = Walk(blocks, 100);
  ASSERT_EQ(r.pages.size(), 1u);
  EXPECT_EQ(r.starts[1].used, 0);
}

TEST_F(BookLayoutTest, PhotosNarrowTheLinesBesideThemAndHoldTheBlockOpen) {
  struct Case {
    bool left;
    int photoLines;
    std::vector<int> xs;  // of the first block's lines
    int nextStart;        // where the next person's block begins
  } cases[] = {
      // Beside a box of 4 (+1) half-lines the first three lines move right
      // of it (two words a line) and the rest take five words a line.
      {true, 4, {1450, 1450, 1450, 400, 400, 400}, 12},
      // The photo stays beside the next block of the same person.
      {true, 12, {1450, 1450, 1450, 1450, 1450, 1450, 1450, 400, 400}, 18},
      // A taller photo: the next person starts below it.
      {true, 30, {1450, 1450, 1450, 1450, 1450, 1450, 1450, 1450, 1450, 1450}, 31},
      // On the right the lines keep their start but are as short.
      {false, 4, {400, 400, 400, 400, 400, 400}, 12},
  };
  for (const Case& c : cases) {
    BookBlock person = Text(0, 1650);
    person.photoLines = c.photoLines;
    person.photoAllowance = 1050;
    person.photoX = 400;
    person.photoLeft = c.left;
    // Both widths leave two words a line beside the photo, four past it.
    std::vector<BookBlock> blocks{person, Text(0, 1650), Text(1)};
    blocks[1].text = blocks[0].text;
    const Recorder r = Walk(blocks, 100);
    std::vector<int> xs;
    for (const Seen& s : r.lines)
      if (s.block <= 1) xs.push_back(s.x);
    xs.resize(std::min<std::size_t>(xs.size(), 10));
    EXPECT_EQ(xs, c.xs) << c.left << " " << c.photoLines;
    EXPECT_EQ(r.starts[2].used, c.nextStart) << c.left << " " << c.photoLines;
  }
}

TEST_F(BookLayoutTest, APhotoNeedsItsHeightOnThePage) {
  BookBlock person = Text(1);
  person.photoLines = 12;
  person.photoAllowance = 100;
  const Recorder r = Walk({Text(0), person}, 20);  // 10 left after the first block
  ASSERT_EQ(r.pages.size(), 1u);
  EXPECT_EQ(r.pages[0].block, 1u);
}
