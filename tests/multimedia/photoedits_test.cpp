// The arithmetic behind Edit Photo, Find Multimedia Object and the
// scrapbook: turns and flips, crop conditions, drags mapped back onto the
// file, inch texts, entries resolved to files, button layouts, and the
// scrapbook's layout and pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "FindMultimediaDialog.h"
#include "MultimediaItem.h"
#include "PhotoEdits.h"
#include "ScrapbookLayout.h"
#include "TempDir.h"

namespace {

using media::Box;
using media::Margins;

TEST(PhotoEdits, RotateFlipAndReverseCycle) {
  std::vector<int> rotations;
  int r = 0;
  for (int i = 0; i < 5; ++i) rotations.push_back(r = media::NextRotation(r));
  EXPECT_EQ(rotations, (std::vector<int>{1, 2, 3, 0, 1}));
  // Flip swaps 0/1 and 2/3; reverse swaps 0/2 and 1/3.
  const int flips[] = {1, 0, 3, 2};
  const int reverses[] = {2, 3, 0, 1};
  for (int f = 0; f < 4; ++f) {
    EXPECT_EQ(media::FlipAfterFlip(f), flips[f]) << f;
    EXPECT_EQ(media::FlipAfterReverse(f), reverses[f]) << f;
    EXPECT_EQ(media::FlipAfterFlip(media::FlipAfterFlip(f)), f);
  }
}

TEST(PhotoEdits, CropConditions) {
  // A stored crop fits when the opposite margins leave a pixel.
  EXPECT_TRUE(media::CropFits({10, 10, 89, 0}, 100, 50));
  EXPECT_FALSE(media::CropFits({10, 0, 90, 0}, 100, 50));
  EXPECT_FALSE(media::CropFits({0, 25, 0, 25}, 100, 50));
  EXPECT_TRUE(media::CropFits({0, 24, 0, 25}, 100, 50));
  // Typed margins: their sum below the uncropped size - 1.
  EXPECT_TRUE(media::CropAxisAllowed(100, 98, 200));
  EXPECT_FALSE(media::CropAxisAllowed(100, 99, 200));
}

TEST(PhotoEdits, SmallDragsChangeNothing) {
  const Box displayed{10, 10, 110, 60};
  Margins added{1, 1, 1, 1};
  EXPECT_FALSE(media::DragToFileMargins(displayed, {20, 20, 25, 50}, 200, 100, {}, 0, 0, added));
  EXPECT_EQ(added, Margins{});
  EXPECT_FALSE(media::DragToFileMargins(displayed, {20, 20, 80, 25}, 200, 100, {}, 0, 0, added));
  EXPECT_TRUE(media::DragToFileMargins(displayed, {20, 20, 26, 26}, 200, 100, {}, 0, 0, added));
}

// A 200 x 100 file shown at half size; the drag keeps the displayed
// margins left 10, top 5, right 20, bottom 15 (in display pixels).
TEST(PhotoEdits, DragMarginsOfTheUnturnedFile) {
  struct Case {
    int rotation, flip;
    Margins expected;
  } cases[] = {
      {0, 0, {20, 10, 40, 30}},
      {0, 1, {20, 30, 40, 10}},
      {0, 2, {40, 10, 20, 30}},
      {0, 3, {40, 30, 20, 10}},
      {2, 0, {40, 30, 20, 10}},
      // Sideways the display is 50 x 100: horizontal factor 100/50 from
      // the file's height, vertical 200/100 from its width.
      {1, 0, {10, 40, 30, 20}},
      {3, 0, {30, 20, 10, 40}},
      {1, 1, {10, 20, 30, 40}},
  };
  for (const Case& c : cases) {
    const bool sideways = c.rotation & 1;
    const Box displayed = sideways ? Box{0, 0, 50, 100} : Box{0, 0, 100, 50};
    const Box drag{10, 5, displayed.right - 20, displayed.bottom - 15};
    Margins added;
    ASSERT_TRUE(media::DragToFileMargins(displayed, drag, 200, 100, {}, c.rotation, c.flip, added));
    EXPECT_EQ(added, c.expected) << "rotation " << c.rotation << " flip " << c.flip;
  }
}

TEST(PhotoEdits, DragOnACroppedPictureScalesByTheCroppedSize) {
  // 200 x 100 already cropped 50 left and right: 100 x 100 shown at 50 x 50.
  Margins added;
  ASSERT_TRUE(media::DragToFileMargins({0, 0, 50, 50}, {5, 0, 50, 40}, 200, 100, {50, 0, 50, 0}, 0,
                                       0, added));
  EXPECT_EQ(added, (Margins{10, 0, 0, 20}));
  // A drag past the displayed picture is cut at its edges.
  ASSERT_TRUE(media::DragToFileMargins({10, 10, 60, 60}, {0, 0, 100, 40}, 200, 100, {50, 0, 50, 0},
                                       0, 0, added));
  EXPECT_EQ(added, (Margins{0, 0, 0, 40}));
}

TEST(PhotoEdits, InchesAndTheirTexts) {
  EXPECT_EQ(media::PixelsToHundredths(96, 96.0), 100);
  EXPECT_EQ(media::PixelsToHundredths(37, 96.0), 39);
  EXPECT_EQ(media::HundredthsToPixels(39, 96.0), 37);
  for (int px = 0; px < 300; ++px)
    ASSERT_EQ(media::HundredthsToPixels(media::PixelsToHundredths(px, 96.0), 96.0), px) << px;
  EXPECT_EQ(media::InchesText(300), "3\"");
  EXPECT_EQ(media::InchesText(250), "2.5\"");
  EXPECT_EQ(media::InchesText(208), "2.08\"");
  EXPECT_EQ(media::InchesText(0), "0\"");
}

TEST(FindMultimedia, ButtonLayouts) {
  using media::FindButton;
  using B = std::vector<FindButton>;
  struct Case {
    bool retry, help, entry;
    B buttons;
  } cases[] = {
      {false, false, false, B{media::kFindOk}},
      {false, true, false, B{media::kFindOk, media::kFindHelp}},
      {true, false, false, B{media::kFindCancel, media::kFindRetry}},
      {false, true, true, B{media::kFindOk, media::kFindCancel, media::kFindHelp}},
      {true, true, false,
       B{media::kFindOk, media::kFindCancel, media::kFindRetry, media::kFindHelp}},
      {true, true, true,
       B{media::kFindOk, media::kFindCancel, media::kFindRetry, media::kFindHelp}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(media::FindButtonLayout(c.retry, c.help, c.entry), c.buttons)
        << c.retry << c.help << c.entry;
}

TEST(FindMultimedia, EntriesResolveToFiles) {
  TempDir dir;
  const std::string family = dir.File("");
  std::filesystem::create_directories(dir.File("moved"));
  EXPECT_EQ(media::ResolveEntry("moved", family, "/old/place/ann.jpg"),
            dir.File("moved") + "/ann.jpg");
  EXPECT_EQ(media::ResolveEntry(dir.File("moved") + "/", "", "old/ann.jpg\nDISC1"),
            dir.File("moved") + "/ann.jpg");
  EXPECT_EQ(media::ResolveEntry("moved/bo.jpg", family, "/old/ann.jpg"),
            dir.File("moved") + "/bo.jpg");
  EXPECT_EQ(media::ResolveEntry("/abs/bo.jpg", family, "/old/ann.jpg"), "/abs/bo.jpg");
  EXPECT_EQ(media::StripFamilyFolder(dir.File("moved/ann.jpg"), family), "moved/ann.jpg");
  EXPECT_EQ(media::StripFamilyFolder("/elsewhere/ann.jpg", family), "/elsewhere/ann.jpg");
}

TEST(Scrapbook, LayoutFormulasAtTwoScreenSizes) {
  media::ScrapbookSizes sizes;
  sizes.buttonWidth = 75;
  sizes.buttonHeight = 23;
  sizes.captionHeight = 16;
  sizes.descriptionHeight = 60;
  sizes.soundWidth = sizes.soundHeight = 24;
  struct Case {
    int w, h;
    int u, v;
  } cases[] = {{1280, 800, 26, 7}, {1920, 1080, 40, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.w);
    const media::ScrapbookLayout l = media::LayOutScrapbook(c.w, c.h, sizes);
    const int rowTop = c.h - 2 * c.v - 23;
    EXPECT_EQ(l.previous.left, c.u);
    EXPECT_EQ(l.previous.top, rowTop);
    EXPECT_EQ(l.next.right, c.w - c.u);
    EXPECT_EQ(l.close.right, c.w / 2 - c.u / 3);
    EXPECT_EQ(l.help.left, c.w / 2 + c.u / 3);
    EXPECT_EQ(l.help.bottom, c.h - 2 * c.v);
    const int d = (c.w - 6 * c.u) / 3;
    const int pitch = (rowTop - c.v) / 2;
    for (int k = 0; k < 6; ++k) {
      const media::ScrapbookSlot& s = l.cells[k];
      EXPECT_EQ(s.caption.left, c.u + (k % 3) * (d + 2 * c.u)) << k;
      EXPECT_EQ(s.caption.top, c.v + (k / 3) * pitch) << k;
      EXPECT_EQ(s.caption.Width(), d);
      EXPECT_EQ(s.frame.top, s.caption.bottom);
      EXPECT_EQ(s.frame.Height(), pitch - 5 * c.v - 60 - 16);
      EXPECT_EQ(s.description.top, s.frame.bottom + c.v);
      EXPECT_EQ(s.sound.right, s.frame.right - c.u / 3);
      EXPECT_EQ(s.sound.top, s.frame.top + c.v);
    }
    // The second row ends above the buttons.
    EXPECT_LT(l.cells[5].description.bottom, rowTop);
  }
}

TEST(Scrapbook, PagesOfPhotosMarkedForIt) {
  std::vector<CMultimediaItem> items(9);
  std::vector<const CMultimediaItem*> pointers;
  for (int i = 0; i < 9; ++i) {
    items[i].kind = CMultimediaItem::kPhoto;
    items[i].flags = CMultimediaItem::kFlagScrapbook;
    items[i].fileName = std::to_string(i);
    pointers.push_back(&items[i]);
  }
  items[2].flags = 0;                       // not in the scrapbook
  items[4].kind = CMultimediaItem::kSound;  // not a photo
  const auto photos = media::ScrapbookPhotos(pointers);
  ASSERT_EQ(photos.size(), 7u);
  EXPECT_EQ(photos[2]->fileName, "3");
  EXPECT_FALSE(media::HasPreviousPage(0));
  EXPECT_TRUE(media::HasNextPage(0, 7));
  EXPECT_FALSE(media::HasNextPage(6, 7));
  EXPECT_TRUE(media::HasPreviousPage(6));
  EXPECT_FALSE(media::HasNextPage(0, 6));
}

}  // namespace
