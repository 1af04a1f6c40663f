#include "PedigreeOptions.h"

#include <algorithm>

#include "Ports.h"

namespace rpt {
namespace {

int Get(const char* key, int def) {
  return plat::Profile().GetInt(CPedigreeOptions::kSection, key, def);
}
void Put(const char* key, int value) {
  plat::Profile().SetInt(CPedigreeOptions::kSection, key, value);
}

}  // namespace

FixedChartNumbers ComputeFixedChartNumbers(int gensPerPage, std::uint32_t firstChart) {
  if (firstChart == 1) return {1, 1, 2};
  const std::uint32_t b = 1u << (gensPerPage - 1);
  const std::uint32_t c = firstChart + b - 2;
  return {b + c % b, c / b, b * (firstChart - 1) + 2};
}

int FixedNumberingGenerationLimit(int gensPerPage) {
  if (gensPerPage == 6) return 36;
  if (gensPerPage == 4) return 34;
  return 37;
}

CPedigreeOptions::CPedigreeOptions(bool extended, int display)
    : extendedCharts(extended), identifierDisplay(display) {
  chartType = Get("ChartType", 0);
  if (chartType == kVip && !extendedCharts) chartType = kSinglePage;
  vip = Get("VIP", 0);
  indexType = Get("IndexType", 0);
  chartNumType = Get("ChartNumType", kSequential);
  gensPerPage = Get("GensPerPage", 5);
  totGens = Get("TotGens", 999);
  includeSubmit = Get("IncludeSubmit", 1);
  split = Get("Split", 0);
  relInd = Get("RelInd", 0);
  parInd = Get("ParInd", 0);
  suppressRin = identifierDisplay != 0 ? Get("SuppressRIN", 0) : 1;
  ReadMarginsAndPhotos(kSection, margins, photos);
  if (chartNumType == kFixed)
    totGens = std::min(totGens, FixedNumberingGenerationLimit(gensPerPage));
}

void CPedigreeOptions::TakeChoices(CReportChoiceState& choices) {
  firstChart = static_cast<std::uint32_t>(choices.pedigreeFirstChart);
  sameAs = static_cast<std::uint32_t>(choices.startSameAs);
  onChart = static_cast<std::uint32_t>(choices.onChart);
  continuation = static_cast<std::uint32_t>(choices.continuationStart);
  marriage = choices.pedigreeMrin;
  kept_ = &choices;
}

void CPedigreeOptions::KeepChoices(CReportChoiceState& choices) const {
  choices.pedigreeMrin = marriage;
  choices.pedigreeFirstChart = static_cast<int>(firstChart);
  choices.startSameAs = static_cast<int>(sameAs);
  choices.onChart = static_cast<int>(onChart);
  choices.continuationStart = static_cast<int>(continuation);
}

void CPedigreeOptions::SetChartType(int type) {
  chartType = type;
  vip = type == kVip ? 1 : 0;
  Put("VIP", vip);
}

void CPedigreeOptions::ApplyFixedNumbers() {
  const FixedChartNumbers numbers = ComputeFixedChartNumbers(gensPerPage, firstChart);
  sameAs = numbers.sameAs;
  onChart = numbers.onChart;
  continuation = numbers.continuation;
}

void CPedigreeOptions::SetNumbering(int numbering) {
  chartNumType = numbering;
  if (numbering != kFixed) return;
  totGens = std::min(totGens, FixedNumberingGenerationLimit(gensPerPage));
  ApplyFixedNumbers();
}

void CPedigreeOptions::SetGensPerPage(int gens) {
  gensPerPage = gens;
  if (chartNumType == kFixed && firstChart != 1) ApplyFixedNumbers();
}

void CPedigreeOptions::FirstChartChanged() {
  if (chartNumType == kFixed) ApplyFixedNumbers();
}

int CPedigreeOptions::GenerationsHigh() const {
  return chartNumType == kFixed ? FixedNumberingGenerationLimit(gensPerPage) : 999;
}

CPedigreeOptions::Enabled CPedigreeOptions::EnabledStates() const {
  Enabled on;
  on.vipShown = extendedCharts;
  switch (chartType) {
    case kBlankForm:
      return {false, false, false, false, false, false, on.vipShown};
    case kVip:
      return {true, false, false, false, false, false, on.vipShown};
    default:
      break;
  }
  const bool cascading = chartType == kCascading;
  on.suppressRin = identifierDisplay != 0;
  on.generations = cascading;
  if (chartNumType == kFixed) {
    on.startFields = false;
    on.continuation = false;
  } else {
    on.startFields = true;
    on.continuation = cascading;
  }
  return on;
}

void CPedigreeOptions::WriteSettings() {
  Put("ChartType", chartType);
  Put("IndexType", indexType);
  Put("ChartNumType", chartNumType);
  WriteMarginsAndPhotos(kSection, margins, photos);
  if (chartType == kCascading) Put("TotGens", totGens);
  Put("GensPerPage", gensPerPage);
  Put("IncludeSubmit", includeSubmit);
  Put("Split", split);
  Put("SuppressRIN", suppressRin);
  Put("RelInd", relInd);
  Put("ParInd", parInd);
  if (kept_ != nullptr) KeepChoices(*kept_);
}

bool CPedigreeOptions::FillRequest(ReportRequest& request) {
  const std::int32_t rin = startingRin ? startingRin() : 0;
  if (chartType == kBlankForm || chartType == kVip) {
    request.familyMrin = 0;
  } else if (marriageCount && marriageCount(rin) <= 0) {
    request.familyMrin = 0;
  } else {
    if (marriage == 0 && chooseMarriage) marriage = chooseMarriage(rin);
    request.familyMrin = marriage;
  }
  if (kept_ != nullptr) kept_->pedigreeMrin = marriage;
  if (chartType == kSinglePage) request.mode = 1;
  if (chartType == kCascading) request.mode = 2;
  if (chartType == kBlankForm) request.mode = 0;
  request.startRin = rin;
  request.count = chartType == kSinglePage ? gensPerPage : totGens;
  request.options[kPedigreeFirstChart] = static_cast<int>(firstChart);
  request.options[kPedigreeSameAsChart] = static_cast<int>(onChart);
  request.options[kPedigreeFirstContinuation] = static_cast<int>(continuation);
  request.options[kPedigreeSameAsPosition] = static_cast<int>(sameAs);
  request.options[kPedigreeIndex] = indexType != 0 ? 1 : 0;
  request.options[kPedigreeIndexOnly] = indexType == 2 ? 1 : 0;
  return true;
}

void CPedigreeOptions::BeforeRun(CReportChoiceState& choices, bool) { KeepChoices(choices); }

}  // namespace rpt
