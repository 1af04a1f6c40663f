#include "PedigreeChartRules.h"

#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

// Replaces the first "%s" and then the first "%d" of format.
std::string FillCaption(const std::string& format, const std::string& text, int number) {
  std::string out = format;
  if (const auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, text);
  if (const auto at = out.find("%d"); at != std::string::npos)
    out.replace(at, 2, std::to_string(number));
  return out;
}

}  // namespace

int PedigreeLinesPerBox(int rows, int rowsBesidePhoto, bool photoBeside) {
  if (rows > 13) return 6;
  if (rows >= 12) return !photoBeside || rowsBesidePhoto > 5 ? 6 : 3;
  if (rows >= 8) return 3;
  if (rows == 7) return !photoBeside || rowsBesidePhoto > 2 ? 3 : 2;
  if (rows == 6) return 2;
  if (rows >= 4) return 1;
  return 0;
}

PedigreeFit PedigreeFitCase(int width, int height, int g, int sixLineBox, int threeLineBox,
                            int baseBox, int eventLine, int boxWidth, bool allowSplit) {
  const int lastBoxes = 1 << (g - 1);
  if (height / lastBoxes >= (sixLineBox + threeLineBox) / 2 && width / (g - 1) >= boxWidth)
    return {0, false};
  if (allowSplit) {
    // Split, the last generation has as many rows as the one before it.
    if ((eventLine + height - threeLineBox) / (lastBoxes / 2) >= sixLineBox &&
        width / g >= boxWidth)
      return {1, true};
    if (width / g >= boxWidth) return {2, true};
  }
  return {height / lastBoxes < baseBox + 2 * eventLine ? 4 : 3, false};
}

bool ShowsSameAsLine(const PedigreeChartRecord& chart) {
  return chart.chartNumber != chart.previousChart || chart.previousPosition != 1;
}

std::string SameAsLineText(const PedigreeChartRecord& chart) {
  return res::LoadString(res::kIdsSameAsNumber) + " " + std::to_string(chart.previousPosition) +
         " " + res::LoadString(res::kIdsOnChartNumber) + " " + std::to_string(chart.previousChart);
}

std::string SameAsBoxText(std::int32_t position, std::int64_t chart) {
  return res::LoadString(res::kIdsSameAsPerson) + " " + res::LoadString(res::kIdsNumber) + " " +
         std::to_string(position) + " " + res::LoadString(res::kIdsOnChartNumber) + " " +
         std::to_string(chart);
}

std::string PedigreeMarriageText(const std::string& date, char status, std::int32_t mrin,
                                 bool suppressNumbers, bool tight) {
  std::string suffix;
  if (status == 'D') suffix = res::LoadString(tight ? res::kIdsDivorcedShort : res::kIdsDivorced);
  if (status == 'N')
    suffix = res::LoadString(tight ? res::kIdsNotMarriedShort : res::kIdsNotMarried);
  std::string text = date;
  if (!suffix.empty()) text += (text.empty() ? "" : " ") + suffix;
  if (suppressNumbers) return text;
  const std::string number = std::to_string(mrin);
  if (text.empty()) return "-- " + number;
  if (suffix.empty()) return text + "  -- " + number;
  return text + (tight ? "--" : " -- ") + number;
}

char OrdinanceLetter(char letter, int state) {
  if (state == 2) return letter;
  if (state == 3) return static_cast<char>(letter - 'A' + 'a');
  return 0;
}

std::string RelationCaption(char relation, int position) {
  unsigned id = res::kIdsUnknown;
  if (relation == 'F') id = res::kIdsFather;
  if (relation == 'M') id = res::kIdsMother;
  if (relation == 'S') id = res::kIdsSpouse;
  return FillCaption(res::LoadString(res::kIdsRelationCaption), res::LoadString(id), position);
}

}  // namespace rpt
