// Chart boxes, printable margins and wall-chart measures on the recording
// device.

#include "ChartBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "RecordingDevice.h"
#include "ReportGenerator.h"

namespace {

using rpt::PrintableArea;
using rpt::Rect;

struct Paper {
  const char* name;
  int width, height;  // thousandths of an inch
  int dpi, offset;    // device units
};
constexpr Paper kLetter{"letter", 8500, 11000, 600, 100};
constexpr Paper kA4{"A4", 8268, 11693, 600, 100};
constexpr Paper kWall{"40 inches", 40000, 30000, 300, 0};

RecordingDevice On(const Paper& paper) {
  RecordingDevice dc(paper.dpi);
  dc.paperWidth = paper.width;
  dc.paperHeight = paper.height;
  dc.offsetX = dc.offsetY = paper.offset;
  return dc;
}

TEST(PrintableMargins, MarginsAreRaisedToThePrintersEdgeAndLargePagesGoToHundredths) {
  struct Case {
    Paper paper;
    int left, top, right, bottom;
    bool check;
    int result;
    PrintableArea area;
  } cases[] = {
      {kLetter, 700, 300, 300, 300, true, 0, {540, 140, 7500, 10400}},
      {kLetter, 50, 50, 50, 50, true, 0, {0, 0, 8150, 10630}},  // inside the edge
      {kA4, 400, 500, 400, 500, true, 0, {240, 340, 7460, 10690}},
      {kWall, 250, 250, 250, 250, true, 1, {25, 25, 3950, 2950}},
      {kWall, 250, 250, 250, 250, false, 0, {250, 250, 39500, 29500}},
  };
  for (const Case& c : cases) {
    RecordingDevice dc = On(c.paper);
    PrintableArea area;
    EXPECT_EQ(rpt::GetPrintableMargins(dc, c.left, c.top, c.right, c.bottom, area, c.check),
              c.result)
        << c.paper.name;
    EXPECT_EQ(area, c.area) << c.paper.name << " margins " << c.left;
  }
}

TEST(ChartBoxes, TextRectanglesAndFramesForEveryStyleAndUnit) {
  struct Case {
    int corners, lineStyle;
    bool hundredths;
    Rect text;
    int arcs, lines;
    const char* firstArc;  // "" none
  } cases[] = {
      {rpt::kSquareCorners, 1, false, {1050, -1050, 2950, -1950}, 0, 4, ""},
      {rpt::kSquareCorners, 2, false, {1070, -1070, 2930, -1930}, 0, 8, ""},
      {rpt::kSquareCorners, 3, false, {1050, -1050, 2950, -1950}, 0, 4, ""},
      {rpt::kRoundCorners,
       1,
       false,
       {1161, -1020, 2839, -1980},
       4,
       4,
       "Arc 1000 -1000 1282 -1282 1141 -1000 1000 -1141"},
      {rpt::kRoundCorners,
       2,
       false,
       {1181, -1040, 2819, -1960},
       8,
       8,
       "Arc 1000 -1000 1282 -1282 1141 -1000 1000 -1141"},
      {rpt::kNotchedCorners,
       1,
       false,
       {1141, -1000, 2859, -2000},
       4,
       4,
       "Arc 859 -859 1141 -1141 1000 -1141 1141 -1000"},
      {rpt::kNotchedCorners,
       2,
       false,
       {1161, -1020, 2839, -1980},
       8,
       8,
       "Arc 859 -859 1141 -1141 1000 -1141 1141 -1000"},
      {rpt::kSquareCorners, 1, true, {105, -105, 295, -195}, 0, 4, ""},
      {rpt::kSquareCorners, 2, true, {107, -107, 293, -193}, 0, 8, ""},
      {rpt::kRoundCorners,
       1,
       true,
       {116, -102, 284, -198},
       4,
       4,
       "Arc 100 -100 128 -128 114 -100 100 -114"},
      {rpt::kNotchedCorners,
       2,
       true,
       {116, -102, 284, -198},
       8,
       8,
       "Arc 86 -86 114 -114 100 -114 114 -100"},
  };
  for (const Case& c : cases) {
    RecordingDevice dc(1000);
    dc.SetMapMode(c.hundredths ? rpt::MM_LOENGLISH : rpt::MM_HIENGLISH);
    rpt::ChartBox box;
    box.rect = c.hundredths ? Rect{100, -100, 300, -200} : Rect{1000, -1000, 3000, -2000};
    box.corners = c.corners;
    box.lineStyle = c.lineStyle;
    box.hundredths = c.hundredths;
    box.pen = {rpt::PS_SOLID, 20, 0x00FF0000};
    const Rect text = rpt::DrawChartBox(dc, box);
    EXPECT_EQ(text, c.text) << c.corners << "/" << c.lineStyle << "/" << c.hundredths;
    const auto count = [&](const char* prefix) {
      return std::count_if(dc.calls.begin(), dc.calls.end(),
                           [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count("Arc "), c.arcs) << c.corners << "/" << c.lineStyle;
    EXPECT_EQ(count("LineTo "), c.lines) << c.corners << "/" << c.lineStyle;
    EXPECT_EQ(count("Fill"), 0) << "no shadow, no fill";
    if (*c.firstArc != 0) {
      auto arc = std::find_if(dc.calls.begin(), dc.calls.end(),
                              [](const std::string& s) { return s.rfind("Arc ", 0) == 0; });
      ASSERT_NE(arc, dc.calls.end());
      EXPECT_EQ(*arc, c.firstArc);
    }
    rpt::LogPen pen;
    dc.GetPen(pen);
    EXPECT_EQ(pen, rpt::LogPen{}) << "the caller's pen is selected back";
  }
}

TEST(ChartBoxes, ShadowAndFillPaintBeforeTheFrame) {
  RecordingDevice dc(1000);
  rpt::ChartBox box;
  box.rect = {1000, -1000, 3000, -2000};
  box.shadow = true;
  box.fill = true;
  box.brush = {0x00EEEEEE, false};
  box.shadowBrush = {0x00808080, false};
  rpt::DrawChartBox(dc, box);
  ASSERT_GE(dc.calls.size(), 3u);
  EXPECT_EQ(dc.calls[0], "FillRgn [3000 -1080 3080 -2080] [1080 -2000 3000 -2080] 8421504");
  EXPECT_EQ(dc.calls[1], "FillRgn [1000 -1000 3000 -2000] 15658734");
  EXPECT_EQ(dc.calls[2].rfind("MoveTo", 0), 0u);

  RecordingDevice round(1000);
  box.corners = rpt::kRoundCorners;
  rpt::DrawChartBox(round, box);
  const auto ellipses = std::count_if(round.calls.begin(), round.calls.end(),
                                      [](auto& s) { return s.rfind("FillEllipse", 0) == 0; });
  EXPECT_EQ(ellipses, 5) << "one shadow corner, four fill corners";
}

class WallChartTest : public ::testing::Test {
 protected:
  // One text line of 8 points: 1000 * 8 / 72 * 1.3; the name line of 10 points.
  static int Height(int lines, double unit = 1000) {
    return static_cast<int>(unit * 10 / 72 * 1.3 + lines * unit * 8 / 72 * 1.3);
  }
  rpt::WallChartOptions Base() {
    rpt::WallChartOptions o;
    o.birth = true;
    o.date = true;
    o.gensPerPage = 4;
    o.eventKindDigit = [](const std::string& title) {
      return title == "Graduation" ? 1 : title == "Census" ? 0 : -1;
    };
    return o;
  }
  RecordingDevice dc = On(kLetter);
  rpt::WallChartMeasure measure;
};

TEST_F(WallChartTest, NothingShownMeasuresOne) {
  rpt::WallChartOptions o;
  EXPECT_EQ(rpt::MeasureAncestryWallChartBox(dc, o, measure), 1);
  EXPECT_EQ(rpt::MeasureDescendantsWallChartBox(dc, o, measure), 1);
  o.box = true;
  EXPECT_GT(rpt::MeasureAncestryWallChartBox(dc, o, measure), 1);
}

TEST_F(WallChartTest, EachKindOfLineAddsItsLines) {
  struct Case {
    const char* name;
    void (*change)(rpt::WallChartOptions&);
    int ancestryLines, descendantsLines;
  } cases[] = {
      {"birth date", [](rpt::WallChartOptions&) {}, 1, 1},
      {"place", [](rpt::WallChartOptions& o) { o.place = true; }, 2, 2},
      {"date and place", [](rpt::WallChartOptions& o) { o.dateAndPlace = true; }, 2, 2},
      {"death", [](rpt::WallChartOptions& o) { o.death = true; }, 2, 2},
      {"two kinds, two lines",
       [](rpt::WallChartOptions& o) {
         o.marriage = true;
         o.place = true;
       },
       4, 4},
      {"id", [](rpt::WallChartOptions& o) { o.id = true; }, 2, 2},
      {"cause of death", [](rpt::WallChartOptions& o) { o.causeOfDeath = true; }, 2, 2},
      {"sbn", [](rpt::WallChartOptions& o) { o.sbn = true; }, 2, 1},
      {"zel beside dates",
       [](rpt::WallChartOptions& o) {
         o.zel = true;
         o.showZel = true;
       },
       1, 1},
      {"zel without dates",
       [](rpt::WallChartOptions& o) {
         o.zel = true;
         o.showZel = true;
         o.date = false;
         o.place = true;
       },
       2, 2},
      {"zel hidden by the option",
       [](rpt::WallChartOptions& o) {
         o.zel = true;
         o.date = false;
         o.place = true;
       },
       1, 1},
      {"note with two more lines",
       [](rpt::WallChartOptions& o) {
         o.noteTags[0] = "Occupation";
         o.noteLines = 2;
       },
       4, 4},
      {"event with a description line",
       [](rpt::WallChartOptions& o) {
         o.otherEvents[0] = "Graduation";
         o.descriptionLine = true;
       },
       3, 3},
      {"event without one",
       [](rpt::WallChartOptions& o) {
         o.otherEvents[1] = "Census";
         o.descriptionLine = true;
       },
       2, 2},
      {"unknown event", [](rpt::WallChartOptions& o) { o.otherEvents[0] = "Nothing"; }, 1, 1},
  };
  for (const Case& c : cases) {
    rpt::WallChartOptions o = Base();
    c.change(o);
    EXPECT_EQ(rpt::MeasureAncestryWallChartBox(dc, o, measure), Height(c.ancestryLines)) << c.name;
    EXPECT_FALSE(measure.hundredths);
    EXPECT_EQ(rpt::MeasureDescendantsWallChartBox(dc, o, measure), Height(c.descendantsLines))
        << c.name;
  }
}

TEST_F(WallChartTest, PhotosBesideOrAboveTheText) {
  // Letter with 0.25 inch margins: 8000 wide, four generations: 1800 of text.
  struct Case {
    int place, photoX, box;
  } cases[] = {
      {0, 1000, 2000},                   // beside: the photo's height
      {3, 1000, Height(1) + 2000 + 50},  // above: added with a gap
      {1, 3600, 1000},                   // wider than the text: scaled down
  };
  for (const Case& c : cases) {
    rpt::WallChartOptions o = Base();
    o.photoOpt = 1;
    o.photoX = c.photoX;
    o.photoY = 2000;
    o.photoPlace = c.place;
    EXPECT_EQ(rpt::MeasureAncestryWallChartBox(dc, o, measure), c.box) << c.place;
  }
}

TEST_F(WallChartTest, BoxesFillTwoColumnsForAncestorsAndOneForDescendants) {
  rpt::WallChartOptions o = Base();
  o.photoOpt = 1;
  o.photoX = 1000;
  o.photoY = 2000;  // a box of 2000, 2100 with its gap; 10500 printable high
  EXPECT_EQ(rpt::MeasureAncestryWallChartBox(dc, o, measure), 2000);
  EXPECT_EQ(measure.boxesPerColumn, 10);
  EXPECT_EQ(measure.slotHeight, 2100);
  EXPECT_EQ(measure.slotCount, 9);
  EXPECT_EQ(rpt::MeasureDescendantsWallChartBox(dc, o, measure), 2000);
  EXPECT_EQ(measure.boxesPerColumn, 5);
  EXPECT_EQ(measure.slotHeight, 2100);
  EXPECT_EQ(measure.slotCount, 4);
}

TEST_F(WallChartTest, AFortyInchChartMeasuresInHundredths) {
  RecordingDevice wall = On(kWall);
  rpt::WallChartOptions o = Base();
  EXPECT_EQ(rpt::MeasureAncestryWallChartBox(wall, o, measure), Height(1, 100));
  EXPECT_TRUE(measure.hundredths);
}

TEST_F(WallChartTest, CornersAddToTheBox) {
  rpt::WallChartOptions o = Base();
  o.box = true;
  o.boxCorner = rpt::kSquareCorners;
  const int square = rpt::MeasureAncestryWallChartBox(dc, o, measure);
  EXPECT_EQ(square, static_cast<int>(1000 * 10 / 72.0 * 1.3 + 100 + 1000 * 8 / 72.0 * 1.3));
  EXPECT_EQ(measure.cornerSize, 0);
  o.boxCorner = rpt::kNotchedCorners;
  const int notched = rpt::MeasureAncestryWallChartBox(dc, o, measure);
  EXPECT_GT(measure.cornerSize, 0);
  EXPECT_EQ(notched, Height(1) + 2 * rpt::ChartCornerLeg(measure.cornerSize));
}

}  // namespace

namespace {

TEST(ChartBoxes, ThroughAnRTFGeneratorTheBoxBecomesShapes) {
  RecordingDevice dc(1000);
  CReportGenerator generator;
  generator.SetRTFOutput(true);
  rpt::ChartBox box;
  box.rect = {1000, -1000, 3000, -2000};
  box.corners = rpt::kRoundCorners;
  box.lineStyle = 2;
  box.shadow = box.fill = true;
  const Rect text = rpt::DrawChartBox(dc, box, &generator);
  EXPECT_EQ(text, (Rect{1181, -1040, 2819, -1960}));
  EXPECT_TRUE(dc.calls.empty()) << dc.calls.front();
  std::map<std::string, int> kinds;
  CRTFDocument& shapes = generator.PageShapes();
  for (auto e = shapes.FirstElement(); e != nullptr; e = shapes.NextElement()) {
    ++kinds[e->GetRuntimeClass()->className];
  }
  // Eight sides, eight corners, two shadow strips and three fill bands.
  EXPECT_EQ(kinds,
            (std::map<std::string, int>{{"CRTFLine", 8}, {"CRTFArc", 8}, {"CRTFRectangle", 5}}));
}

}  // namespace
