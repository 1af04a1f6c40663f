#pragma once
// A test generator's sample page: fonts, texts at each alignment, lines in
// every direction, every chart-box style with shadow and shade, and a photo,
// drawn through the generator base in thousandths of an inch from the
// printable corner (y negative downward). The same calls make the printed,
// pictured and RTF forms of the page.

#include <cmath>
#include <string>

#include "ChartBox.h"
#include "MultimediaItem.h"
#include "ReportGenerator.h"

// The words the page shows, in no order.
inline const char* const kSamplePageWords[] = {
    "Korvane", "sample",  "page",  "Baseline", "text",   "Top",    "Left",
    "aligned", "Centred", "Right", "Square",   "single", "double", "Rounded",
    "Notched", "Photo",   "Lines", "every",    "way",
};

inline void DrawSamplePage(CReportGenerator& g, rpt::ReportDevice& dc,
                           const std::string& photoPath) {
  dc.SetMapMode(rpt::MM_HIENGLISH);
  g.SetPageMargins(&dc, {250, -250, 250, -250});
  const rpt::LogFont oldFont = dc.SelectFont({-280, 700, false, false, "Times New Roman"});
  dc.SetTextAlign(rpt::TA_LEFT | rpt::TA_TOP);
  g.TextOutString(&dc, 500, -300, "Korvane sample page");

  dc.SelectFont({-167, 400, false, false, "Arial"});
  dc.SetTextAlign(rpt::TA_BASELINE);
  g.TextOutString(&dc, 500, -1000, "Baseline text");
  dc.SetTextAlign(rpt::TA_TOP);
  g.TextOutString(&dc, 3000, -850, "Top text");
  dc.SelectFont({-167, 400, true, false, "Times New Roman"});
  const rpt::Rect band{500, -1300, 7500, -1550};
  g.DrawTextAligned(&dc, "Left aligned", band, rpt::DT_LEFT | rpt::DT_SINGLELINE);
  g.DrawTextAligned(&dc, "Centred", band, rpt::DT_CENTER | rpt::DT_SINGLELINE);
  g.DrawTextAligned(&dc, "Right", band, rpt::DT_RIGHT | rpt::DT_SINGLELINE);

  // A star of eight lines.
  dc.SelectPen({rpt::PS_SOLID, 10, 0x00800000});
  dc.SelectFont({-167, 700, false, false, "Arial"});
  g.TextOutString(&dc, 500, -1800, "Lines every way");
  const int cx = 1500, cy = -3000, r = 800;
  for (int i = 0; i < 8; ++i) {
    const double a = i * 3.14159265358979 / 4;
    g.MoveTo(&dc, cx, cy);
    g.LineTo(&dc, cx + static_cast<int>(std::lround(r * std::cos(a))),
             cy + static_cast<int>(std::lround(r * std::sin(a))));
  }

  // Every box style, single and double, with shadow and shade.
  dc.SelectFont({-140, 400, false, false, "Arial"});
  const char* const names[] = {"Square", "Rounded", "Notched"};
  for (int corners = 0; corners < 3; ++corners) {
    for (int line = 1; line <= 2; ++line) {
      rpt::ChartBox box;
      const int left = 3000 + (line - 1) * 2300;
      const int top = -2000 - corners * 1300;
      box.rect = {left, top, left + 2000, top - 900};
      box.corners = corners;
      box.lineStyle = line;
      box.shadow = true;
      box.fill = true;
      box.pen = {rpt::PS_SOLID, 15, 0};
      box.brush = {0x00F0E0D0, false};
      box.shadowBrush = {0x00A0A0A0, false};
      const rpt::Rect text = rpt::DrawChartBox(dc, box, &g);
      const std::string label = std::string(names[corners]) + (line == 1 ? " single" : " double");
      g.DrawTextAligned(&dc, label, {text.left, text.top - 100, text.right, text.bottom},
                        rpt::DT_CENTER | rpt::DT_SINGLELINE);
    }
  }

  // A photo under its caption.
  g.TextOutString(&dc, 500, -4300, "Photo");
  CMultimediaItem photo;
  photo.kind = CMultimediaItem::kPhoto;
  photo.fileName = photoPath;
  rpt::Rect frame{500, -4600, 2500, -6600};
  g.DrawPicture(0, 100, &dc, &frame, 0, 0, &photo);
  dc.SelectFont(oldFont);
}
