// The generator base on the recording device: each operation in both
// modes, the RTF it leaves in the page, and the page cycle with saving.

#include "ReportGenerator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "FakePorts.h"
#include "RTFTestSupport.h"
#include "RecordingDevice.h"
#include "ReportKinds.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using rpt::Rect;

std::vector<std::unique_ptr<CRTFObject>> Elements(CRTFDocument& document) {
  std::vector<std::unique_ptr<CRTFObject>> out;
  for (auto e = document.FirstElement(); e != nullptr; e = document.NextElement()) {
    out.push_back(std::move(e));
  }
  return out;
}

// The integer after a control word in an element's RTF, -1 when absent.
int Value(const std::string& rtf, const std::string& word) {
  const std::size_t at = rtf.find(word);
  if (at == std::string::npos) return -1;
  return std::atoi(rtf.c_str() + at + word.size());
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++n;
  }
  return n;
}

struct Box {
  int left, top, right, bottom;
  bool operator==(const Box&) const = default;
};
Box ShapeBox(const std::string& rtf) {
  return {Value(rtf, "\\shpleft"), Value(rtf, "\\shptop"), Value(rtf, "\\shpright"),
          Value(rtf, "\\shpbottom")};
}
int Flag(const std::string& rtf, const std::string& name) {
  return Value(rtf, "{\\sn " + name + "}{\\sv ");
}

class GeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override { generator.SetRTFOutput(true); }
  std::vector<std::string> Shapes() {
    std::vector<std::string> out;
    CRTFDocument scratch;
    for (auto& e : Elements(generator.PageShapes())) out.push_back(RtfOf(*e, scratch));
    return out;
  }
  std::vector<std::unique_ptr<CRTFText>> Texts() {
    std::vector<std::unique_ptr<CRTFText>> out;
    for (auto& e : Elements(generator.PageTexts())) {
      out.emplace_back(dynamic_cast<CRTFText*>(e.release()));
    }
    return out;
  }

  RecordingDevice dc;
  CReportGenerator generator;
};

TEST(ReportUnits, FontHeightsGiveHalfPointsRoundingAboveTheHalf) {
  struct Case {
    int height, halfPoints;
  } cases[] = {{100, 14}, {108, 16}, {-167, 24}, {50, 7}, {125, 18}, {-139, 20}, {0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(CReportGenerator::HalfPointsOfHeight(c.height), c.halfPoints) << c.height;
  }
}

TEST(ReportUnits, PointsBecomeTwipsWithThePrinterOffsetInAnyMode) {
  RecordingDevice dc(600);
  dc.offsetX = 100;  // 1/6 inch
  dc.offsetY = 150;
  struct Case {
    int mode;
    rpt::Point in;
    bool offset;
    rpt::Point twips;
  } cases[] = {
      {rpt::MM_HIENGLISH, {1000, -2000}, false, {1440, 2880}},
      {rpt::MM_HIENGLISH, {1000, -2000}, true, {1680, 3240}},
      {rpt::MM_LOENGLISH, {100, -200}, false, {1440, 2880}},
      {rpt::MM_LOENGLISH, {100, -200}, true, {1680, 3240}},
      {rpt::MM_TEXT, {600, 1200}, false, {1440, 2880}},
  };
  for (const Case& c : cases) {
    dc.SetMapMode(c.mode);
    EXPECT_EQ(CReportGenerator::PointToTwips(&dc, c.in, c.offset), c.twips) << c.mode;
    EXPECT_EQ(dc.GetMapMode(), c.mode);
  }
}

TEST_F(GeneratorTest, TextOutPlacesByBaselineOrTwentyTwipsAbove) {
  // Font -100: height 100, extent 120 high: the baseline lies 110 below the
  // top, 158 twips.
  struct Case {
    unsigned align;
    bool fontReadable;
    int y, halfPoints;
  } cases[] = {
      {rpt::TA_BASELINE, true, 2880 - 158, 14}, {rpt::TA_TOP, true, 2860, 14},
      {rpt::TA_BOTTOM, true, 2860, 14},         {rpt::TA_BASELINE | rpt::TA_CENTER, true, 2860, 14},
      {rpt::TA_BASELINE, false, 2880, 20},
  };
  for (const Case& c : cases) {
    dc.SetTextAlign(c.align);
    dc.fontReadable = c.fontReadable;
    EXPECT_EQ(generator.TextOutString(&dc, 1000, -2000, "Smith"), 0);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->X(), 1440) << c.align;
    EXPECT_EQ(texts[0]->Y(), c.y) << c.align;
    EXPECT_EQ(texts[0]->HalfPoints(), c.halfPoints);
    EXPECT_EQ(texts[0]->GetText(), "Smith");
    generator.PageTexts().Clear();
  }
  EXPECT_TRUE(dc.calls.empty());
  generator.TextOutString(&dc, 0, 0, "");
  generator.TextOutString(nullptr, 0, 0, "x");
  EXPECT_TRUE(Texts().empty());
}

TEST_F(GeneratorTest, FontAttributesAndTheFontTable) {
  dc.SelectFont({-167, 700, true, false, "Times New Roman"});
  generator.TextOutString(&dc, 0, 0, "a");
  dc.SelectFont({-100, 400, false, false, "Arial"});
  generator.TextOutString(&dc, 0, 0, "b");
  dc.SelectFont({-167, 700, true, false, "Times New Roman"});
  generator.TextOutString(&dc, 0, 0, "c");
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0]->Font(), texts[2]->Font());
  EXPECT_NE(texts[0]->Font(), texts[1]->Font());
  EXPECT_TRUE(texts[0]->IsBold());
  EXPECT_FALSE(texts[1]->IsBold());
  EXPECT_EQ(texts[0]->HalfPoints(), 24);
  EXPECT_EQ(generator.GetDocument().FontCount(), 2);
}

// A positive height is the cell (ascent and descent) the device fits the
// font into: the RTF size is that of its characters, as on paper. The
// recording device's cell is the character height and 20 more.
TEST_F(GeneratorTest, ACellHeightIsWrittenAsTheCharacterSize) {
  const struct { int height, halfPoints; } cases[] = {{-130, 19}, {130, 16}, {-167, 24}, {187, 24}};
  for (const auto& c : cases) {
    dc.SelectFont({c.height, 400, false, false, "Arial"});
    generator.TextOutString(&dc, 0, 0, "x");
    auto texts = Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back()->HalfPoints(), c.halfPoints) << c.height;
    rpt::LogFont selected;
    ASSERT_TRUE(dc.GetFont(selected));
    EXPECT_EQ(selected.height, c.height) << "the device keeps its font";
  }
}

TEST_F(GeneratorTest, DrawTextAlignedTestsTheAlignmentBits) {
  const Rect rect{1000, -1000, 3000, -1200};  // "abcd" is 200 wide
  struct Case {
    unsigned format;
    int x;
  } cases[] = {
      {rpt::DT_LEFT, 1440},
      {rpt::DT_CENTER, 1900 * 1440 / 1000},
      {rpt::DT_RIGHT, 2800 * 1440 / 1000},
      {rpt::DT_CENTER | rpt::DT_SINGLELINE, 1900 * 1440 / 1000},
      {rpt::DT_RIGHT | rpt::DT_SINGLELINE | rpt::DT_NOPREFIX, 2800 * 1440 / 1000},
      {rpt::DT_SINGLELINE | rpt::DT_VCENTER, 1440},
  };
  for (const Case& c : cases) {
    generator.DrawTextAligned(&dc, "abcd", rect, c.format);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->X(), c.x) << c.format;
    EXPECT_EQ(texts[0]->Y(), 1440) << "no baseline correction";
    generator.PageTexts().Clear();
  }
  generator.DrawTextAligned(&dc, "abcd", {1000, 0, 1000, -100}, rpt::DT_LEFT);
  EXPECT_TRUE(Texts().empty());

  generator.SetRTFOutput(false);
  generator.DrawTextAligned(&dc, "abcd", rect, rpt::DT_CENTER | rpt::DT_SINGLELINE);
  EXPECT_EQ(dc.calls, (std::vector<std::string>{"DrawText 1000 -1000 3000 -1200 33 abcd"}));
}

TEST_F(GeneratorTest, ExtTextOutKeepsWhatFitsTheClip) {
  struct Case {
    int clipWidth;
    const char* kept;  // nullptr: no element
  } cases[] = {{1000, "abcdef"}, {175, "abc"}, {150, "ab"}, {51, "a"}, {40, nullptr}};
  for (const Case& c : cases) {
    const Rect clip{500, 0, 500 + c.clipWidth, -200};
    generator.ExtTextOutString(&dc, 500, -100, rpt::ETO_CLIPPED, &clip, "abcdef", nullptr);
    auto texts = Texts();
    if (c.kept == nullptr) {
      EXPECT_TRUE(texts.empty()) << c.clipWidth;
    } else {
      ASSERT_EQ(texts.size(), 1u) << c.clipWidth;
      EXPECT_EQ(texts[0]->GetText(), c.kept);
    }
    generator.PageTexts().Clear();
  }
  const Rect narrow{500, 0, 675, -200};
  generator.AddColumnTextExtChars(0, &dc, 500, -100, rpt::ETO_CLIPPED, &narrow, "abcdef", 5,
                                  nullptr);
  generator.AddColumnHeadingExtChars(0, 'l', 500, 675, &dc, 500, -100, rpt::ETO_CLIPPED, &narrow,
                                     "ghijkl", 6, nullptr);
  generator.EndHeadingLine(0, true);
  CPrintInfo info;
  generator.WriteRTFListHeader(&dc, &info, true);
  generator.WriteListRow(&dc, 0);
  CRTFDocument scratch;
  std::string written;
  for (auto& e : Elements(generator.GetDocument())) written += RtfOf(*e, scratch);
  EXPECT_NE(written.find("ghi\\par"), std::string::npos) << written;
  EXPECT_NE(written.find("abc\\par"), std::string::npos) << written;

  const Rect clip{0, 0, 100, -100};
  generator.SetRTFOutput(false);
  generator.ExtTextOutString(&dc, 5, -6, rpt::ETO_CLIPPED, &clip, "abcdef", nullptr);
  EXPECT_EQ(dc.calls, (std::vector<std::string>{"ExtTextOut 5 -6 4 0 0 100 -100 abcdef"}));
}

TEST_F(GeneratorTest, LinesInEveryDirectionKeepTheirDirection) {
  // From (1000,-1000), 1440 twips both ways; the page's y grows downward.
  struct Case {
    const char* name;
    int x, y;
    Box box;
    int flipV;
  } cases[] = {
      {"east", 2000, -1000, {1440, 1440, 2880, 1440}, 0},
      {"south-east", 2000, -2000, {1440, 1440, 2880, 2880}, 0},
      {"south", 1000, -2000, {1440, 1440, 1440, 2880}, 0},
      {"south-west", 0, -2000, {0, 1440, 1440, 2880}, 1},
      {"west", 0, -1000, {0, 1440, 1440, 1440}, 0},
      {"north-west", 0, 0, {0, 0, 1440, 1440}, 0},
      {"north", 1000, 0, {1440, 0, 1440, 1440}, 0},
      {"north-east", 2000, 0, {1440, 0, 2880, 1440}, 1},
  };
  dc.SelectPen({rpt::PS_SOLID, 10, 0x0000FF});
  for (const Case& c : cases) {
    generator.MoveTo(&dc, 1000, -1000);
    generator.LineTo(&dc, c.x, c.y);
    auto shapes = Shapes();
    ASSERT_EQ(shapes.size(), 1u) << c.name;
    EXPECT_EQ(ShapeBox(shapes[0]), c.box) << c.name;
    EXPECT_EQ(Flag(shapes[0], "fFlipV"), c.flipV) << c.name;
    EXPECT_EQ(Flag(shapes[0], "lineWidth"), 14 * 635) << c.name;
    EXPECT_EQ(Flag(shapes[0], "lineColor"), 0xFF);
    // The fallback drawing starts at the bottom-left for a flipped line.
    const int dy = c.box.bottom - c.box.top;
    const std::string points =
        c.flipV ? "\\dpptx0\\dppty" + std::to_string(dy) + "\\dpptx" : "\\dpptx0\\dppty0\\dpptx";
    EXPECT_NE(shapes[0].find(points), std::string::npos) << c.name;
    generator.PageShapes().Clear();
  }
  EXPECT_TRUE(dc.calls.empty());
}

TEST_F(GeneratorTest, FillRgnFillsEachRectangleOfAList) {
  rpt::Region list{true, {{0, 0, 1000, -1000}, {1000, -1000, 2000, -2000}}};
  generator.FillRgn(&dc, list, {0x00C0C0C0, false});
  auto shapes = Shapes();
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(ShapeBox(shapes[0]), (Box{0, 0, 1440, 1440}));
  EXPECT_EQ(ShapeBox(shapes[1]), (Box{1440, 1440, 2880, 2880}));
  for (const std::string& s : shapes) {
    EXPECT_EQ(Flag(s, "fLine"), 0);
    EXPECT_EQ(Flag(s, "fFilled"), 1);
    EXPECT_EQ(Flag(s, "fillColor"), 0x00C0C0C0);
  }
  generator.PageShapes().Clear();
  generator.FillRgn(&dc, {false, {{0, 0, 10, -10}}}, {0, false});
  EXPECT_TRUE(Shapes().empty());

  generator.SetRTFOutput(false);
  generator.FillRgn(&dc, list, {7, false});
  EXPECT_EQ(dc.calls,
            (std::vector<std::string>{"FillRgn [0 0 1000 -1000] [1000 -1000 2000 -2000] 7"}));
}

TEST_F(GeneratorTest, RectanglesTakeThePenAndBrush) {
  dc.SelectPen({rpt::PS_SOLID, 20, 0x000080});
  dc.SelectBrush({0x00E0E0E0, false});
  generator.Rectangle(&dc, {100, -100, 600, -400});
  rpt::LogBrush brush{0x0000FF00, false};
  generator.FillRect(&dc, {0, 0, 100, -100}, &brush);
  generator.FillRect(&dc, {0, 0, 100, -100}, nullptr);
  auto shapes = Shapes();
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(ShapeBox(shapes[0]), (Box{144, 144, 864, 576}));
  EXPECT_EQ(Flag(shapes[0], "fLine"), 1);
  EXPECT_EQ(Flag(shapes[0], "lineWidth"), 28 * 635);
  EXPECT_EQ(Flag(shapes[0], "fillColor"), 0x00E0E0E0);
  EXPECT_EQ(Flag(shapes[1], "fLine"), 0);
  EXPECT_EQ(Flag(shapes[1], "fillColor"), 0x0000FF00);
}

TEST_F(GeneratorTest, ArcsCoverTheQuarterBetweenTheirEnds) {
  const Rect bounds{0, 0, 2000, -2000};
  struct Case {
    rpt::Point start, end;
    int flipH, flipV;
    Box box;
  } cases[] = {
      {{1000, 0}, {0, -1000}, 1, 0, {0, 0, 1440, 1440}},               // upper left
      {{0, -1000}, {1000, -2000}, 1, 1, {0, 1440, 1440, 2880}},        // lower left
      {{1000, -2000}, {2000, -1000}, 0, 1, {1440, 1440, 2880, 2880}},  // lower right
      {{2000, -1000}, {1000, 0}, 0, 0, {1440, 0, 2880, 1440}},         // upper right
  };
  for (const auto& c : cases) {
    generator.Arc(&dc, bounds, c.start.x, c.start.y, c.end.x, c.end.y);
    auto shapes = Shapes();
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(Flag(shapes[0], "fFlipH"), c.flipH) << c.start.x << "," << c.start.y;
    EXPECT_EQ(Flag(shapes[0], "fFlipV"), c.flipV) << c.start.x << "," << c.start.y;
    EXPECT_EQ(ShapeBox(shapes[0]), c.box) << c.start.x << "," << c.start.y;
    generator.PageShapes().Clear();
  }
  generator.SetRTFOutput(false);
  generator.ArcXY(&dc, 0, 0, 2000, -2000, 1000, 0, 0, -1000);
  EXPECT_EQ(dc.calls, (std::vector<std::string>{"Arc 0 0 2000 -2000 1000 0 0 -1000"}));
}

TEST_F(GeneratorTest, PrintOnlyCallsDrawOnlyOnTheDevice) {
  auto drawAll = [&] {
    const Rect r{0, 0, 100, -100};
    rpt::LogBrush brush{1, false};
    generator.TextOutPrintOnly(&dc, 1, -1, "rule");
    generator.TextOutPrintOnlyChars(&dc, 1, -1, "rules", 4);
    generator.MoveToPrintOnly(&dc, 0, 0);
    generator.LineToPrintOnly(&dc, 100, 0);
    generator.FillRectPrintOnly(&dc, &r, &brush);
    generator.RectanglePrintOnly(&dc, &r);
  };
  drawAll();
  EXPECT_TRUE(dc.calls.empty());
  EXPECT_EQ(generator.PageTexts().ElementCount() + generator.PageShapes().ElementCount() +
                generator.PagePictures().ElementCount(),
            0);
  generator.SetRTFOutput(false);
  drawAll();
  EXPECT_EQ(dc.calls, (std::vector<std::string>{
                          "TextOut 1 -1 rule", "TextOut 1 -1 rule", "MoveTo 0 0", "LineTo 100 0",
                          "FillRect 0 0 100 -100 1", "Rectangle 0 0 100 -100"}));
}

TEST_F(GeneratorTest, WithoutADeviceNothingIsMade) {
  rpt::LogBrush brush{1, false};
  const Rect r{0, 0, 100, -100};
  EXPECT_EQ(generator.MoveTo(nullptr, 10, -10), (rpt::Point{}));
  EXPECT_EQ(generator.LineTo(nullptr, 100, -100), 0);
  EXPECT_EQ(generator.Rectangle(nullptr, r), 0);
  EXPECT_EQ(generator.FillRect(nullptr, r, &brush), 0);
  EXPECT_EQ(generator.FillRgn(nullptr, {true, {r}}, brush), 0);
  EXPECT_EQ(generator.Arc(nullptr, r, 50, 0, 0, -50), 0);
  EXPECT_EQ(generator.DrawTextAligned(nullptr, "a", r, rpt::DT_LEFT), 0);
  EXPECT_EQ(generator.ExtTextOutString(nullptr, 0, 0, 0, &r, "a", nullptr), 0);
  EXPECT_EQ(generator.FitTextToWidth(nullptr, r, "abc"), "");
  EXPECT_EQ(generator.PageTexts().ElementCount() + generator.PageShapes().ElementCount(), 0);
}

TEST_F(GeneratorTest, PicturesLinkLoadedPhotosAndReportAFailureOncePerOwner) {
  CMultimediaItem sound;
  sound.kind = CMultimediaItem::kSound;
  sound.fileName = "/pictures/voice.wav";
  CMultimediaItem photo;
  photo.kind = CMultimediaItem::kPhoto;
  photo.fileName = std::string(KORVANE_RTF_PICTURES) + "/red.jpg";

  Rect rect{1000, -1000, 2000, -3000};
  EXPECT_EQ(generator.DrawPicture(7, 100, &dc, &rect, 0, 0, &sound), 1);
  EXPECT_EQ(generator.DrawPicture(7, 100, &dc, nullptr, 0, 0, &photo), 0);
  EXPECT_TRUE(dc.photosLoaded.empty());

  // Fitted to half the width high: the rectangle comes back fitted.
  EXPECT_EQ(generator.DrawPicture(7, 100, &dc, &rect, 0, 0, &photo), 0);
  EXPECT_EQ(rect, (Rect{1000, -1000, 2000, -1500}));
  auto pictures = Elements(generator.PagePictures());
  ASSERT_EQ(pictures.size(), 1u);
  const std::string rtf = RtfOf(*pictures[0]);
  EXPECT_NE(rtf.find("red.jpg"), std::string::npos) << "[" << rtf << "]";

  dc.photoLoads = false;
  Rect failing{0, 0, 100, -100};
  EXPECT_EQ(generator.DrawPictureEx(9, &dc, &failing, 0, 0, &photo, 100), 2);
  EXPECT_EQ(failing, (Rect{0, 0, 100, -100}));
  EXPECT_EQ(generator.DrawPicture(9, 100, &dc, &failing, 0, 0, &photo), 2);
  EXPECT_EQ(generator.DrawPicture(0, 100, &dc, &failing, 0, 0, &photo), 2);
  generator.SetRTFOutput(false);
  EXPECT_EQ(generator.DrawPicture(9, 100, &dc, &failing, 0, 0, &photo), 2);
  EXPECT_EQ(dc.photosLoaded,
            (std::vector<std::string>{photo.fileName + " report", photo.fileName + " report",
                                      photo.fileName + " quiet", photo.fileName + " quiet",
                                      photo.fileName + " quiet"}));
  EXPECT_EQ(Elements(generator.PagePictures()).size(), 1u);
}

// A photo that does not load leaves a grey box that says so; in a preview
// with "Use photo placeholders" on, a grey box of the photo's shape stands
// in for it without loading it.
TEST_F(GeneratorTest, PhotoPlaceholdersAndPhotosThatFailToLoad) {
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  generator.SetRTFOutput(false);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CMultimediaItem photo;
  photo.kind = CMultimediaItem::kPhoto;
  photo.fileName = "/pictures/missing.jpg";
  photo.width = 200;
  photo.height = 100;
  struct Case {
    int printState;
    int placeholders;
    bool loads;
    int result;
    const char* text;  // the words in the grey box, or none
  } cases[] = {
      {2, 1, true, 0, "Photo"},
      {2, 0, true, 0, nullptr},
      {1, 1, true, 0, nullptr},
      {1, 1, false, 2, "Unable to print photo"},
      {2, 0, false, 2, "Unable to print photo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.printState) + " " + std::to_string(c.placeholders) +
                 (c.loads ? " loads" : " fails"));
    rpt::CurrentReportRunState().printState = c.printState;
    profile.SetInt("Multimedia", "MMPPrevPH", c.placeholders);
    dc.calls.clear();
    dc.photosLoaded.clear();
    dc.photoLoads = c.loads;
    Rect rect{1000, -1000, 2000, -3000};
    EXPECT_EQ(generator.DrawPicture(7, 100, &dc, &rect, 0, 0, &photo), c.result);
    rpt::CurrentReportRunState() = {};
    std::string fill, text;
    for (const std::string& call : dc.calls) {
      if (call.rfind("FillRect ", 0) == 0) fill = call;
      if (call.rfind("DrawText ", 0) == 0) text = call;
    }
    if (c.text == nullptr) {
      EXPECT_EQ(fill, "");
      EXPECT_EQ(dc.photosLoaded.size(), 1u);
      continue;
    }
    EXPECT_EQ(fill.substr(fill.rfind(' ') + 1), std::to_string(0xC0C0C0));
    EXPECT_NE(text.find(c.text), std::string::npos) << text;
    if (c.result == 0) {
      // Two to one, centred in the rectangle; the photo is never loaded.
      EXPECT_EQ(rect, (Rect{1000, -1750, 2000, -2250}));
      EXPECT_TRUE(dc.photosLoaded.empty());
    } else {
      EXPECT_EQ(rect, (Rect{1000, -1000, 2000, -3000}));
    }
  }
}

// ---- page cycle and saving ----

class PageCycleTest : public GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    generator.SetOutputFileName(path);
  }
  void ChartPages(int pages) {
    CPrintInfo info;
    info.maxPage = pages;
    for (info.currentPage = 1; info.currentPage <= pages; ++info.currentPage) {
      generator.SetPageMargins(&dc, {500, -300, 300, -300});
      generator.TextOutString(&dc, 1000, -1000, "Page text " + std::to_string(info.currentPage));
      generator.MoveTo(&dc, 0, -500);
      generator.LineTo(&dc, 5000, -500);
      if (info.currentPage < info.maxPage) generator.EndRTFPage();
    }
    info.currentPage = pages;
    generator.FinishRTFDocument(&dc, &info);
  }
  TempDir dir;
  std::string path = dir.File("report.rtf");
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
};

TEST_F(PageCycleTest, PagesBreakBetweenNotAfterAndTheFileOpensOnce) {
  struct Case {
    int pages, breaks;
  } cases[] = {{1, 0}, {3, 2}};
  for (const Case& c : cases) {
    shell.opened.clear();
    CReportGenerator one;
    one.SetRTFOutput(true);
    one.SetOutputFileName(path);
    CPrintInfo info;
    info.maxPage = c.pages;
    for (info.currentPage = 1; info.currentPage <= c.pages; ++info.currentPage) {
      one.SetPageMargins(&dc, {500, -300, 300, -300});
      one.TextOutString(&dc, 1000, -1000, "Page text");
      if (info.currentPage < info.maxPage) one.EndRTFPage();
    }
    one.FinishRTFDocument(&dc, &info);
    const std::string rtf = ReadAll(path);
    EXPECT_EQ(Count(rtf, "\\page "), c.breaks) << c.pages;
    EXPECT_EQ(Count(rtf, "Page text"), c.pages);
    EXPECT_NE(rtf.find("\\margl720\\margr432\\margt432\\margb432"), std::string::npos);
    EXPECT_EQ(shell.opened, std::vector<std::string>{path});
  }
}

TEST_F(PageCycleTest, ShapesOfAPageComeBeforeItsTexts) {
  ChartPages(1);
  const std::string rtf = ReadAll(path);
  ASSERT_NE(rtf.find("Page text 1"), std::string::npos);
  EXPECT_LT(rtf.find("\\shp"), rtf.find("Page text 1"));
}

TEST_F(PageCycleTest, ACancelledRunSavesNothing) {
  CPrintInfo info;
  info.continuePrinting = false;
  generator.TextOutString(&dc, 0, 0, "x");
  generator.FinishRTFDocument(&dc, &info);
  generator.SaveAndOpenRTF(&dc, &info);
  generator.SaveAndOpenRTF(&dc, nullptr);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(shell.opened.empty());
}

TEST_F(PageCycleTest, AnUnwritablePathShowsTheFileErrorAndLeavesNoFile) {
  const std::string bad = dir.File("missing/report.rtf");
  generator.SetOutputFileName(bad);
  ChartPages(1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_FALSE(boxes.Calls()[0].text.empty());
  EXPECT_FALSE(std::filesystem::exists(bad));
  EXPECT_TRUE(shell.opened.empty());
}

TEST_F(PageCycleTest, ACancelledWriteDeletesTheFile) {
  progress.cancelAfter = 0;
  ChartPages(2);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(shell.opened.empty());
}

// The RTF carries the paper the pages were laid out on: the device's, unless
// the owner names one; a word processor's own default would cut the pages.
TEST_F(PageCycleTest, PaperComesFromThePrinter) {
  struct Case {
    const char* name;
    int deviceWidth, deviceHeight;  // thousandths of an inch
    int told;                       // 0: none; else width (height the other letter side)
    const char* paper;
  } cases[] = {
      {"letter device", 8500, 11000, 0, "\\paperw12240\\paperh15840\\margl"},
      {"A4 device", 8268, 11693, 0, "\\paperw11905\\paperh16837\\margl"},
      {"landscape device", 11000, 8500, 0, "\\paperw15840\\paperh12240\\landscape\\margl"},
      {"told letter landscape", 8268, 11693, 15840, "\\paperw15840\\paperh12240\\landscape\\margl"},
      {"told letter", 8268, 11693, 12240, "\\paperw12240\\paperh15840\\margl"},
  };
  for (const Case& c : cases) {
    RecordingDevice device;
    device.paperWidth = c.deviceWidth;
    device.paperHeight = c.deviceHeight;
    CReportGenerator one;
    one.SetRTFOutput(true);
    one.SetOutputFileName(path);
    if (c.told != 0) one.SetPaperSize(c.told, c.told == 12240 ? 15840 : 12240);
    one.SetPageMargins(&device, {1000, -1000, 1000, -1000});
    one.SetPageMargins(&device, {0, 0, 0, 0});  // only the first call counts
    EXPECT_EQ(one.Margins(), (Rect{1440, 1440, 1440, 1440})) << c.name;
    CPrintInfo info;
    one.FinishRTFDocument(&device, &info);
    const std::string rtf = ReadAll(path);
    EXPECT_NE(rtf.find(c.paper), std::string::npos) << c.name << "\n" << rtf.substr(0, 600);
    EXPECT_EQ(Count(rtf, "\\paperw"), 1) << c.name;
  }
}

TEST_F(PageCycleTest, AListHasOneHeaderAndOneFooterFromPageOne) {
  CPrintInfo info;
  for (info.currentPage = 1; info.currentPage <= 3; ++info.currentPage) {
    generator.SetPageMargins(&dc, {400, -500, 400, -500});
    generator.SetHeaderTitle(&dc, 0, 0, "Individuals " + std::to_string(info.currentPage));
    generator.AddColumnHeading(0, 'l', 400, 2000, &dc, 400, -800, "Name");
    generator.AddColumnHeading(1, 'r', 2000, 3000, &dc, 2000, -800, "Born");
    generator.EndHeadingLine(0, true);
    generator.WriteRTFListHeader(&dc, &info, true);
    for (int row = 0; row < 2; ++row) {
      generator.AddColumnText(1, &dc, 2000, -1000, "1900");
      generator.AddColumnText(0, &dc, 400, -1000, "Row " + std::to_string(row));
      generator.WriteListRow(&dc, 0);
    }
    generator.SetFooterText(&dc, 0, 0, "Printed " + std::to_string(info.currentPage));
    generator.SetFooterPageNumber(&dc, 0, 0, "ignored");
    generator.WriteRTFFooter(&info);
  }
  info.currentPage = 3;
  generator.SaveAndOpenRTF(&dc, &info);
  const std::string rtf = ReadAll(path);
  EXPECT_EQ(Count(rtf, "{\\header"), 1);
  EXPECT_EQ(Count(rtf, "{\\footer"), 1);
  EXPECT_EQ(Count(rtf, "Individuals 1"), 1);
  EXPECT_EQ(Count(rtf, "Individuals 2"), 0);
  EXPECT_EQ(Count(rtf, "Printed 1"), 1);
  EXPECT_EQ(Count(rtf, "Printed 2"), 0);
  EXPECT_EQ(Count(rtf, "\\page "), 0);
  EXPECT_EQ(Count(rtf, "Row 0\\tab 1900"), 3) << rtf;
  EXPECT_EQ(Count(rtf, "Name\\tab Born"), 1);
  EXPECT_EQ(Count(rtf, "Page \\chpgn"), 1);
  EXPECT_EQ(Count(rtf, "\\brdrb\\brdrs\\brdrw15\\brsp50"), 1);
  EXPECT_EQ(Count(rtf, "\\brdrt\\brdrs\\brdrw15\\brsp150"), 1);
  EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(GeneratorTest, AHeadingLineBeyondTheLastLayoutUsesThePreviousOne) {
  generator.SetPageMargins(&dc, {400, -500, 400, -500});
  // Column ids are the columns' places, from 0.
  generator.AddColumnHeading(0, 'l', 400, 2000, &dc, 0, 0, "Name");
  generator.AddColumnHeading(1, 'l', 2000, 3000, &dc, 0, 0, "Born");
  generator.EndHeadingLine(0, true);
  generator.AddColumnHeading(0, 'l', 400, 2000, &dc, 0, 0, "Given");
  generator.AddColumnHeading(1, 'l', 2000, 3000, &dc, 0, 0, "Place");
  generator.EndHeadingLine(0, false);
  CPrintInfo info;
  generator.WriteRTFListHeader(&dc, &info, true);
  generator.FlushPage(false);
  auto elements = Elements(generator.GetDocument());
  ASSERT_EQ(elements.size(), 1u);
  const std::string rtf = RtfOf(*elements[0]);
  EXPECT_NE(rtf.find("Name\\tab Born"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("Given\\tab Place"), std::string::npos) << rtf;
  EXPECT_EQ(Count(rtf, "\\brdrb"), 1);

  // In device mode the same calls draw at once.
  CReportGenerator printer;
  printer.AddColumnHeading(1, 'l', 400, 2000, &dc, 400, -800, "Name");
  printer.AddColumnText(1, &dc, 400, -1000, "Anna");
  EXPECT_EQ(dc.calls,
            (std::vector<std::string>{"TextOut 400 -800 Name", "TextOut 400 -1000 Anna"}));
}

}  // namespace
