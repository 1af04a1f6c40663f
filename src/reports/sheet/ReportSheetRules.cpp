#include "ReportSheetRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

// printf-style formatting of a table text.
template <class... Args>
std::string Format(unsigned id, Args... args) {
  const std::string pattern = res::LoadString(id);
  const int size = std::snprintf(nullptr, 0, pattern.c_str(), args...);
  if (size <= 0) return pattern;
  std::string out(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(out.data(), out.size(), pattern.c_str(), args...);
  out.resize(static_cast<std::size_t>(size));
  return out;
}

void SizeError(unsigned id, const std::string& text) {
  plat::MessageBox(Format(id, text.c_str()), res::LoadString(res::kIdsSizeError),
                   plat::kMbOk | plat::kMbIconExclamation);
}

bool IsChartPage(int pageKind) { return pageKind == kPageAncestry || pageKind == kPageDescendants; }

}  // namespace

int ReportKindOfPage(int pageKind, bool modifiedRegister, int listIndex) {
  switch (pageKind) {
    case kPageBooks:
      return modifiedRegister ? kModifiedRegister : kAhnentafel;
    case kPageLists:
      return 100 + listIndex;
    default:
      return pageKind;
  }
}

PrintableSize GetMinimumPrintableSize(int pageKind, bool wallChart) {
  switch (pageKind) {
    case kPagePedigree:
      return {6000, 6500};
    case kPageFamilyGroup:
      return {6000, 5000};
    case kPageAncestry:
    case kPageDescendants:
      return wallChart ? PrintableSize{2500, 3000} : PrintableSize{4000, 3000};
    case kPageBooks:
    case kPageScrapbook:
      return {3500, 3500};
    case kPageIndividualSummary:
      return {6500, 5000};
    // The columns follow the page's width: A4 with the default side margins
    // of 0.4" (7.47" wide) holds them.
    case kPageCustom:
    case kPageLists:
      return {7400, 3500};
    case kPageCalendar:
      return {6000, 6000};
    default:
      return {};
  }
}

PageSetupNames PageSetupNamesOf(int pageKind, bool wallChart) {
  auto withS = [](unsigned id) {
    const std::string name = res::LoadString(id);
    return PageSetupNames{name, name + "s"};
  };
  auto same = [](unsigned id) {
    const std::string name = res::LoadString(id);
    return PageSetupNames{name, name};
  };
  switch (pageKind) {
    case kPagePedigree:
      return withS(res::kIdsPedigreeChart);
    case kPageFamilyGroup:
      return withS(res::kIdsFamilyGroupRecord);
    case kPageAncestry:
    case kPageDescendants:
      return withS(wallChart ? res::kIdsWallChart : res::kIdsLineageChart);
    case kPageBooks:
      return {res::LoadString(res::kIdsBook), res::LoadString(res::kIdsBooks)};
    case kPageIndividualSummary:
      return {res::LoadString(res::kIdsIndividualSummary),
              res::LoadString(res::kIdsIndividualSummaries)};
    case kPageScrapbook:
      return same(res::kIdsScrapbook);
    case kPageCustom:
      return {res::LoadString(res::kIdsCustomReport), res::LoadString(res::kIdsCustomReports)};
    case kPageLists:
      return {res::LoadString(res::kIdsList), res::LoadString(res::kIdsLists)};
    case kPageCalendar:
      return same(res::kIdsEventCalendar);
    default:
      return {};
  }
}

std::string PageSetupCaption(int pageKind, bool wallChart) {
  return PageSetupNamesOf(pageKind, wallChart).singular + " " + res::LoadString(res::kIdsMargins);
}

std::string PageSetupRefusal(int pageKind, bool wallChart) {
  const PrintableSize least = GetMinimumPrintableSize(pageKind, wallChart);
  const std::string plural = PageSetupNamesOf(pageKind, wallChart).plural;
  return Format(res::kIdsMinimumArea, plural.c_str(), static_cast<long>(least.width / 1000),
                static_cast<long>(least.width % 1000 / 100), static_cast<long>(least.height / 1000),
                static_cast<long>(least.height % 1000 / 100));
}

bool PageSetupMarginsFit(int pageKind, bool wallChart, int paperWidth, int paperHeight,
                         const PageMargins& margins) {
  const PrintableSize least = GetMinimumPrintableSize(pageKind, wallChart);
  const int width = paperWidth - margins.left - margins.right;
  const int height = paperHeight - margins.top - margins.bottom;
  return width >= least.width && height >= least.height;
}

bool CheckPrintableArea(const ReportDevice* printer, int pageKind, bool wallChart,
                        const PageMargins& margins) {
  if (printer == nullptr) {
    plat::MessageBox(res::LoadString(res::kIdsUnableToConnect), "",
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  PrintableSize least = GetMinimumPrintableSize(pageKind, wallChart);
  PrintableArea area;
  const int large = GetPrintableMargins(*printer, margins.left, margins.top, margins.right,
                                        margins.bottom, area, IsChartPage(pageKind));
  if (large != 0) least = {least.width / 10, least.height / 10};
  if (area.width >= least.width && area.height >= least.height) return true;
  // What is missing, in thousandths of an inch as Page Setup shows them.
  const int scale = large != 0 ? 10 : 1;
  std::string text = res::LoadString(res::kIdsNeedMoreArea);
  if (area.width < least.width)
    text += "\n" + Format(res::kIdsWidthShort, FormatInches(area.width * scale).c_str(),
                          FormatInches((least.width - area.width) * scale).c_str(),
                          FormatInches(least.width * scale).c_str());
  if (area.height < least.height)
    text += "\n" + Format(res::kIdsHeightShort, FormatInches(area.height * scale).c_str(),
                          FormatInches((least.height - area.height) * scale).c_str(),
                          FormatInches(least.height * scale).c_str());
  text += "\n" + res::LoadString(res::kIdsWhereToChange);
  plat::MessageBox(text, "", plat::kMbOk | plat::kMbIconExclamation);
  return false;
}

int ParseInches(const std::string& text) {
  if (text.empty()) return -1;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '"') {
      SizeError(res::kIdsInvalidCharacter, text);
      return -1;
    }
  }
  const std::size_t mark = text.find('"');
  const std::size_t point = text.find('.');
  if ((mark != std::string::npos && mark + 1 != text.size()) ||
      (point != std::string::npos && text.find('.', point + 1) != std::string::npos)) {
    SizeError(res::kIdsInvalidFormatting, text);
    return -1;
  }
  const std::string digits = text.substr(0, mark);
  const std::size_t wholeDigits = point == std::string::npos ? digits.size() : point;
  if (wholeDigits > 1) {
    SizeError(res::kIdsLargerThan, text);
    return -1;
  }
  int value = wholeDigits == 1 ? (digits[0] - '0') * 1000 : 0;
  if (point != std::string::npos) {
    const std::string fraction = (digits.substr(point + 1) + "000").substr(0, 3);
    value += std::stoi(fraction);
  }
  return value;
}

std::string FormatInches(int thousandths) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%3.3d\"", thousandths / 1000, thousandths % 1000);
  return text;
}

std::string WallChartSampleNameLine(const WallChartSample& sample) {
  std::string line = sample.chart == 1 ? "  sp: " : "";
  line += "First Mid LastNm";
  if (sample.identifierDisplay != 0 && !sample.suppressRin)
    line += sample.identifierDisplay == 1 ? "-520" : "-AE512I";
  if (sample.birthYear || sample.marriageYear || sample.deathYear) {
    std::string years;
    auto add = [&years](bool on, const char* text) {
      if (!on) return;
      if (!years.empty()) years += ' ';
      years += text;
    };
    add(sample.birthYear, "b.1999");
    add(sample.marriageYear, "m.1999");
    add(sample.deathYear, "d.1999");
    line += "(" + years + ")";
  }
  return line;
}

std::string WallChartSampleEventLine(const WallChartSample& sample) {
  if (!sample.anyEvent || !(sample.placeLine || sample.dateAndPlace)) return "";
  return std::string(sample.dateAndPlace ? "B: 12 Dec 1999-" : "") + "Brenwick, Ardel, Olvan";
}

int MeasureWallChartSampleBox(const WallChartSample& sample, const SampleTextWidth& width) {
  const int nameWidth = width(WallChartSampleNameLine(sample), true);
  const std::string events = WallChartSampleEventLine(sample);
  const int eventWidth = events.empty() ? 0 : width(events, false);
  int extra = 0;
  int photoCandidate = 0;
  if (sample.photo) {
    if (sample.photoPlace <= 2)
      extra += sample.photoWidth + 50;
    else
      photoCandidate = sample.photoWidth;
  }
  if (sample.box) {
    if (sample.boxCorner == 0) extra += 100;
    if (sample.boxCorner == 1) extra += 40;
    if (sample.boxLine != 0) extra += 60;
  }
  int total = std::max({nameWidth, eventWidth, photoCandidate}) + extra;
  if (sample.box) {
    if (sample.boxCorner != 0) {
      const double r = 0.1 * std::pow(total / 1000.0, 0.33);
      const double add = sample.boxCorner == 1 ? 2 * (std::hypot(r, r) - r) * 1000 : 2 * r * 1000;
      total += static_cast<int>(add);
    }
    if (sample.boxShadow) total += 80;
  } else {
    total += 60;
  }
  return total + (sample.chart == 1 ? 250 : 200);
}

bool WallChartColumnFits(int printableWidth, int gensPerPage, int sampleWidth, bool over32) {
  const int column = printableWidth / std::max(gensPerPage, 1);
  return column >= (over32 ? sampleWidth / 10 : sampleWidth);
}

std::string WallChartWarningText() {
  std::string text =
      res::LoadString(res::kIdsWarningFirst) + "  " + res::LoadString(res::kIdsWarningFirst + 1);
  for (unsigned id = res::kIdsWarningFirst + 2; id <= res::kIdsWarningFirst + 4; ++id)
    text += "\n   " + res::LoadString(id);
  return text + "\n\n" + res::LoadString(res::kIdsWarningFirst + 5);
}

std::string WallChartWarningCaption() { return res::LoadString(res::kIdsWarningCaption); }

}  // namespace rpt
