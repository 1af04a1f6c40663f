#include "ScrapbookLayout.h"

#include <algorithm>

#include "AppOptions.h"
#include "FontDescription.h"
#include "LineFitter.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr const char* kSection = "ScrapRpt";

}  // namespace

ScrapbookOptions::ScrapbookOptions()
    : titlePrefix(res::LoadString(res::kIdsScrapbookPageFor) + " "),
      titleFont(CAppOptions::DefaultFont(kFontScrapTitle)),
      captionFont(CAppOptions::DefaultFont(kFontScrapCaption)),
      fileNameFont(CAppOptions::DefaultFont(kFontScrapFN)),
      descriptionFont(CAppOptions::DefaultFont(kFontScrapDesc)) {}

ScrapbookOptions ScrapbookOptions::Load() {
  ScrapbookOptions o;
  plat::ProfilePort& p = plat::Profile();
  auto flag = [&](const char* key, bool def) { return p.GetInt(kSection, key, def ? 1 : 0) != 0; };
  o.pageLM = CAppOptions::GetScrapRptPageLM();
  o.pageRM = CAppOptions::GetScrapRptPageRM();
  o.pageTM = CAppOptions::GetScrapRptPageTM();
  o.pageBM = CAppOptions::GetScrapRptPageBM();
  o.across = std::max(1, p.GetInt(kSection, "Across", 2));
  o.down = std::max(1, p.GetInt(kSection, "Down", 3));
  o.photoX = std::max(1, p.GetInt(kSection, "PhotoX", 1000));
  o.photoY = std::max(1, p.GetInt(kSection, "PhotoY", 1000));
  o.caption = flag("Caption", true);
  o.captionAbove = p.GetInt(kSection, "CapPos", 1) == 0;
  o.fileName = flag("FN", false);
  o.description = flag("Descr", true);
  o.photoUse = flag("PhotoUse", true);
  o.box = flag("Box", true);
  o.boxCorner = p.GetInt(kSection, "BoxCorner", 0);
  o.boxLine = p.GetInt(kSection, "BoxLine", 0);
  o.boxShade = flag("BoxShade", false);
  o.boxShadow = flag("BoxShadow", false);
  o.shadeColor = CAppOptions::GetReportsWallShadeClr();
  o.shadowColor = CAppOptions::GetReportsWallShadowClr();
  o.useName = flag("UseName", true);
  o.titlePrefix = p.GetString(kSection, "TitlePrefix", o.titlePrefix);
  o.titleSuffix = p.GetString(kSection, "TitleSuffix", "");
  o.suppressRin = flag("SuppressRIN", true);
  o.listOpt = flag("ListOpt", false);
  auto font = [&](AppFont f, std::string& out) {
    out = p.GetString(CAppOptions::kSection, CAppOptions::FontValueName(f), out);
  };
  font(kFontScrapTitle, o.titleFont);
  font(kFontScrapCaption, o.captionFont);
  font(kFontScrapFN, o.fileNameFont);
  font(kFontScrapDesc, o.descriptionFont);
  return o;
}

LogFont ScrapbookFont(const std::string& description) {
  std::string face;
  int points = 10, weight = 400, italic = 0;
  ParseFontDescription(description, face, points, weight, italic);
  LogFont font;
  font.face = face;
  font.height = -(points * 1000 / 72);
  font.weight = weight;
  font.italic = italic != 0;
  return font;
}

int ScrapbookLineHeight(const LogFont& font) { return -font.height * 4 / 3; }

std::vector<std::string> FitScrapbookLines(std::string_view text, ReportDevice& dc, int width,
                                           int maxLines) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size() && static_cast<int>(lines.size()) < maxLines) {
    const std::string_view rest = text.substr(pos);
    const std::size_t end = FitTextLine(rest, dc, width, width / 80, nullptr);
    const bool lineBreak = end < rest.size() && rest[end] == '\r';
    if (end == 0 && !lineBreak) break;  // no progress
    std::string line(rest.substr(0, end));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    lines.push_back(std::move(line));
    pos += end;
    if (lineBreak) {
      ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
    }
  }
  return lines;
}

void ComputeScrapbookLayout(CScrapbookEntry& entry, const ScrapbookOptions& options,
                            const ScrapbookCellMetrics& cell, const ScrapbookTextNeeds& needs) {
  entry.photoWidth = entry.photoHeight = 0;
  entry.fileName = entry.captionLines = entry.descriptionLines = 0;
  entry.computed = 1;
  const int ch = cell.captionLineHeight, fh = cell.fileNameLineHeight,
            dh = cell.descriptionLineHeight;
  const bool captions = options.caption && needs.anyCaption;
  const bool descriptions = options.description && needs.anyDescription;
  int a = cell.innerHeight;
  const int photoX = std::max(1, options.photoX), photoY = std::max(1, options.photoY);

  if (captions && a >= ch) {
    entry.captionLines = 1;
    a -= ch;
  }
  if (a <= 50) return;
  if (options.fileName && a >= fh + 50) {
    entry.fileName = 1;
    a -= 50 + fh;
  }
  if (a <= 50) return;
  if (descriptions && a >= dh + 50) {
    entry.descriptionLines = 1;
    a -= 50 + dh;
  }
  if (a <= 50) return;

  const int w = std::min(cell.innerWidth, photoX);
  const int h = std::min({cell.innerHeight, photoY, photoY * w / photoX});
  if (a - 50 < h) {
    if (a - 50 > 200) {
      entry.photoHeight = a - 50;
      entry.photoWidth = w;
      return;
    }
  } else if (h > 200) {
    entry.photoWidth = w;
    entry.photoHeight = h;
    a -= 50 + h;
  }

  if (captions && needs.captionLines > 1 && a >= ch) {
    ++entry.captionLines;
    a -= ch;
  }
  while (descriptions && entry.descriptionLines < needs.descriptionLines && a >= dh) {
    ++entry.descriptionLines;
    a -= dh;
  }
  while (captions && entry.captionLines < needs.captionLines && a >= ch) {
    ++entry.captionLines;
    a -= ch;
  }
  if (options.photoUse && entry.photoHeight != 0) {
    entry.photoHeight += a;
    entry.photoWidth = cell.innerWidth;
    entry.photoHeight = std::min(entry.photoHeight, cell.innerWidth * photoY / photoX);
  }
}

}  // namespace rpt
