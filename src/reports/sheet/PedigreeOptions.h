#pragma once
// The Pedigree page's choices: chart type, numbering and index, the chart
// numbers of fixed numbering, the generation limits, which controls are on,
// and what a pedigree run puts into ReportRequest. Kept in PedRpt.

#include <cstdint>
#include <functional>

#include "ReportSheetModel.h"

namespace rpt {

struct FixedChartNumbers {
  std::uint32_t sameAs = 1;
  std::uint32_t onChart = 1;
  std::uint32_t continuation = 2;
  bool operator==(const FixedChartNumbers&) const = default;
};
// The numbers fixed numbering gives a first chart with gensPerPage
// generations on each chart.
FixedChartNumbers ComputeFixedChartNumbers(int gensPerPage, std::uint32_t firstChart);
// The most generations fixed numbering can print: 34, 37 or 36 for 4, 5 or 6
// generations per page.
int FixedNumberingGenerationLimit(int gensPerPage);

class CPedigreeOptions : public SheetPageLogic {
 public:
  static constexpr const char* kSection = "PedRpt";
  enum ChartType : int { kSinglePage = 0, kCascading = 1, kBlankForm = 2, kVip = 3 };
  enum Numbering : int { kFixed = 0, kSequential = 1 };

  // Loads PedRpt. A stored VIP chart type opens as single page unless the
  // extended charts are on; with an identifier display of 0 the RINs are
  // always suppressed.
  CPedigreeOptions(bool extendedCharts, int identifierDisplay);

  // The kept chart numbers and marriage, and their return for next time.
  void TakeChoices(CReportChoiceState& choices);
  void KeepChoices(CReportChoiceState& choices) const;

  // The user's clicks. A chart-type click writes PedRpt/VIP at once.
  void SetChartType(int type);
  void SetNumbering(int numbering);
  void SetGensPerPage(int gens);
  // The first chart number field has lost the focus.
  void FirstChartChanged();
  // Range of the generations-to-print field.
  int GenerationsHigh() const;

  struct Enabled {
    bool startingPerson = true;  // the name and Search
    bool options = true;         // numbering, index, generations per page, first chart, others
    bool startFields = true;     // start person same as, on chart
    bool continuation = false;   // continuation start number
    bool generations = false;    // generations to print
    bool suppressRin = true;
    bool vipShown = false;
    bool operator==(const Enabled&) const = default;
  };
  Enabled EnabledStates() const;

  // SheetPageLogic
  int PageKind() const override { return kPagePedigree; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  PagePhotos* Photos() override { return &photos; }
  int PhotoReportIndex() const override { return 1; }
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;
  void BeforeRun(CReportChoiceState& choices, bool preview) override;

  // The starting person of the run and, when the page holds no marriage
  // yet, the marriage to chart: the only one, or the one the user picks
  // among several (0: none).
  std::function<std::int32_t()> startingRin;
  std::function<int(std::int32_t rin)> marriageCount;
  std::function<std::int32_t(std::int32_t rin)> chooseMarriage;

  bool extendedCharts = false;
  int identifierDisplay = 0;
  int chartType = kSinglePage;
  int vip = 0;
  int indexType = 0;
  int chartNumType = kSequential;
  int gensPerPage = 5;
  int totGens = 999;
  int includeSubmit = 1;
  int split = 0;
  int relInd = 0;
  int parInd = 0;
  int suppressRin = 0;
  PagePhotos photos{0, 1000, 1000, 3, 1};
  PageMargins margins{700, 300, 300, 300};
  std::uint32_t firstChart = 1, sameAs = 1, onChart = 1, continuation = 2;
  std::int32_t marriage = 0;

 private:
  void ApplyFixedNumbers();
  CReportChoiceState* kept_ = nullptr;
};

}  // namespace rpt
