#include <algorithm>

#include "AppOptions.h"
#include "FamilyFileInfo.h"
#include "FontDescription.h"
#include "PedigreeChartGenerator.h"
#include "PedigreeRegistration.h"
#include "Ports.h"

namespace rpt {

namespace {

int PedRpt(const char* key, int def) { return plat::Profile().GetInt("PedRpt", key, def); }

// A font of the options ("Arial;Bold;9pt"), or its default.
PedigreeFont FontOf(AppFont which) {
  const std::string text = plat::Profile().GetString(
      CAppOptions::kSection, CAppOptions::FontValueName(which), CAppOptions::DefaultFont(which));
  PedigreeFont font;
  int italic = 0;
  ParseFontDescription(text, font.face, font.points, font.weight, italic);
  font.italic = italic != 0;
  if (font.points <= 0) font.points = 8;
  return font;
}

}  // namespace

PedigreeRunParameters PedigreeRunFromRequest(const ReportRequest& request) {
  PedigreeRunParameters run;
  run.runType = std::clamp(request.mode, 0, 2);
  run.startPerson = request.startRin;
  run.marriage = request.familyMrin;
  run.generationsPerChart = std::clamp(PedRpt("GensPerPage", 5), 4, 6);
  run.totalGenerations = request.count > 0 ? request.count : run.generationsPerChart;
  run.numbering = PedRpt("ChartNumType", PedigreeRunParameters::kSequential) == 0
                      ? PedigreeRunParameters::kFixed
                      : PedigreeRunParameters::kSequential;
  const auto& o = request.options;
  run.firstChart = o[kPedigreeFirstChart] > 0 ? o[kPedigreeFirstChart] : 1;
  run.sameAsChart = o[kPedigreeSameAsChart] > 0 ? o[kPedigreeSameAsChart] : run.firstChart;
  const int sameAs = o[kPedigreeSameAsPosition];
  run.sameAsPosition = sameAs >= 1 && sameAs <= 63 ? sameAs : 1;
  run.firstContinuation =
      o[kPedigreeFirstContinuation] > 0 ? o[kPedigreeFirstContinuation] : run.firstChart + 1;
  run.indexWanted = o[kPedigreeIndex] != 0 || o[kPedigreeIndexOnly] != 0;
  run.indexOnly = o[kPedigreeIndexOnly] != 0;
  return run;
}

PedigreeChartOptions PedigreeOptionsFromProfile() {
  PedigreeChartOptions options;
  plat::ProfilePort& profile = plat::Profile();
  // The number the options show beside names (1 RIN, 2 ID, 3 SBN); without
  // one there is nothing to suppress.
  const int shown = profile.GetInt("Options", "AppendVal", 0);
  options.suppressNumbers = shown < 1 || shown > 3 || PedRpt("SuppressRIN", 0) != 0;
  if (!options.suppressNumbers) options.numberKind = shown;
  const int zel = profile.GetInt("Options", "ShowZEL", 0);
  options.showOrdinances = profile.GetInt("Options", "ShowZelRpt", zel) != 0;
  options.fixedPositions = PedRpt("VIP", 0) != 0;
  options.split = PedRpt("Split", 0) != 0;
  options.relationshipCodes = PedRpt("RelInd", 0) != 0;
  options.multipleParents = PedRpt("ParInd", 0) != 0;
  options.photos = PedRpt("PhotoOpt", 0) != 0;
  options.photoPlace = PedRpt("PhotoPlace", 3);
  options.photoWidth = PedRpt("PhotoX", 1000);
  options.photoHeight = PedRpt("PhotoY", 1000);
  options.reservePhotoSpace = PedRpt("PhotoRsrv", 1) != 0;
  options.marginLeft = PedRpt("PageLM", 700);
  options.marginRight = PedRpt("PageRM", 300);
  options.marginTop = PedRpt("PageTM", 300);
  options.marginBottom = PedRpt("PageBM", 300);
  options.titleFont = FontOf(kFontPedTitle);
  options.startNameFont = FontOf(kFontPedPrim);
  options.nameFont = FontOf(kFontPedName);
  options.eventFont = FontOf(kFontPedData);
  options.headingFont = FontOf(kFontPedHdrs);
  return options;
}

bool PedigreeIncludesPreparer() { return PedRpt("IncludeSubmit", 1) != 0; }

int PedigreeIndexLinesPerPage(int pageHeight, int namePoints) {
  const int rowHeight = std::max(1, namePoints * 1000 / 72 * 10 / 9);
  return std::max(1, (pageHeight - 1208) / rowHeight);
}

std::unique_ptr<CReportPageGenerator> MakePedigreeChartGenerator() {
  auto generator = std::make_unique<CPedigreeChartGenerator>(
      PedigreeRunFromRequest(CurrentReportRequest()), PedigreeOptionsFromProfile());
  if (PedigreeIncludesPreparer()) {
    CFamilyFileInfo preparer;
    preparer.ReadPreparer();
    generator->SetPreparer(preparer);
  }
  return generator;
}

int PaginatePedigreeRequest(const ReportRequest& request, int pageHeight) {
  return PaginatePedigreeChart(PedigreeRunFromRequest(request),
                               PedigreeIndexLinesPerPage(pageHeight, FontOf(kFontPedName).points));
}

void CleanupPedigreeRequest() { CleanupPedigreePages(); }

}  // namespace rpt
