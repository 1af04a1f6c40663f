// The Pedigree page's choices: fixed chart numbers, generation limits, the
// stored VIP type, the enabled states and what a run puts into the request.

#include <gtest/gtest.h>

#include "FakePorts.h"
#include "PedigreeOptions.h"

namespace {

using namespace rpt;

TEST(ReportSheetPedigree, FixedChartNumbers) {
  struct Case {
    int gens;
    std::uint32_t first;
    FixedChartNumbers numbers;
  } cases[] = {
      {4, 1, {1, 1, 2}},
      {5, 1, {1, 1, 2}},
      {6, 1, {1, 1, 2}},
      {5, 3, {17, 1, 34}},
      {4, 2, {8, 1, 10}},
      {4, 9, {15, 1, 66}},
      {4, 10, {8, 2, 74}},
      {6, 40, {38, 2, 1250}},
      // Unsigned 32-bit arithmetic: the largest first chart does not go negative.
      {4, 4294967295u, {13, 0, 4294967282u}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComputeFixedChartNumbers(c.gens, c.first), c.numbers)
        << c.gens << " per page, first " << c.first;
}

class ReportSheetPedigreeTest : public ::testing::Test {
 protected:
  plat::FakeProfile profile;
  plat::ScopedProfile scope{&profile};
};

TEST_F(ReportSheetPedigreeTest, SwitchingToFixedNumberingCutsTheGenerations) {
  struct Case {
    int gens, limit;
  } cases[] = {{4, 34}, {5, 37}, {6, 36}};
  for (const Case& c : cases) {
    EXPECT_EQ(FixedNumberingGenerationLimit(c.gens), c.limit);
    CPedigreeOptions page(false, 1);
    page.SetChartType(CPedigreeOptions::kCascading);
    page.gensPerPage = c.gens;
    page.totGens = 999;
    EXPECT_EQ(page.GenerationsHigh(), 999);
    page.SetNumbering(CPedigreeOptions::kFixed);
    EXPECT_EQ(page.totGens, c.limit);
    EXPECT_EQ(page.GenerationsHigh(), c.limit);
    page.totGens = 20;
    page.SetNumbering(CPedigreeOptions::kSequential);
    page.SetNumbering(CPedigreeOptions::kFixed);
    EXPECT_EQ(page.totGens, 20) << "a smaller number stays";
  }
  // Stored fixed numbering cuts at loading too.
  profile.SetInt("PedRpt", "ChartNumType", 0);
  profile.SetInt("PedRpt", "GensPerPage", 4);
  profile.SetInt("PedRpt", "TotGens", 500);
  EXPECT_EQ(CPedigreeOptions(false, 1).totGens, 34);
}

TEST_F(ReportSheetPedigreeTest, FixedNumbersFollowTheFirstChartAndGenerationsPerPage) {
  CPedigreeOptions page(false, 1);
  page.firstChart = 3;
  page.gensPerPage = 5;
  page.SetNumbering(CPedigreeOptions::kFixed);
  EXPECT_EQ(page.sameAs, 17u);
  EXPECT_EQ(page.onChart, 1u);
  EXPECT_EQ(page.continuation, 34u);
  page.SetGensPerPage(4);
  EXPECT_EQ(page.sameAs, 9u);
  EXPECT_EQ(page.continuation, 18u);
  page.firstChart = 1;
  page.FirstChartChanged();
  EXPECT_EQ(page.sameAs, 1u);
  EXPECT_EQ(page.onChart, 1u);
  EXPECT_EQ(page.continuation, 2u);
  // Sequential numbering keeps what the user typed.
  page.SetNumbering(CPedigreeOptions::kSequential);
  page.firstChart = 7;
  page.sameAs = 5;
  page.FirstChartChanged();
  page.SetGensPerPage(6);
  EXPECT_EQ(page.sameAs, 5u);
}

TEST_F(ReportSheetPedigreeTest, StoredVipNeedsTheSwitch) {
  profile.SetInt("PedRpt", "ChartType", 3);
  EXPECT_EQ(CPedigreeOptions(false, 1).chartType, CPedigreeOptions::kSinglePage);
  EXPECT_FALSE(CPedigreeOptions(false, 1).EnabledStates().vipShown);
  EXPECT_EQ(CPedigreeOptions(true, 1).chartType, CPedigreeOptions::kVip);
  EXPECT_TRUE(CPedigreeOptions(true, 1).EnabledStates().vipShown);
  CPedigreeOptions page(true, 1);
  page.SetChartType(CPedigreeOptions::kVip);
  EXPECT_EQ(profile.GetInt("PedRpt", "VIP", -1), 1);
  page.SetChartType(CPedigreeOptions::kCascading);
  EXPECT_EQ(profile.GetInt("PedRpt", "VIP", -1), 0);
}

TEST_F(ReportSheetPedigreeTest, EnabledStatesByChartTypeAndNumbering) {
  using E = CPedigreeOptions::Enabled;
  struct Case {
    int chartType, numbering, display;
    E enabled;  // person, options, start fields, continuation, generations, suppress, vip
  } cases[] = {
      {CPedigreeOptions::kSinglePage, 1, 1, {true, true, true, false, false, true, false}},
      {CPedigreeOptions::kCascading, 1, 1, {true, true, true, true, true, true, false}},
      {CPedigreeOptions::kSinglePage, 0, 1, {true, true, false, false, false, true, false}},
      {CPedigreeOptions::kCascading, 0, 1, {true, true, false, false, true, true, false}},
      {CPedigreeOptions::kCascading, 1, 0, {true, true, true, true, true, false, false}},
      {CPedigreeOptions::kBlankForm, 1, 1, {false, false, false, false, false, false, false}},
      {CPedigreeOptions::kVip, 1, 1, {true, false, false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    CPedigreeOptions page(false, c.display);
    page.chartType = c.chartType;
    page.chartNumType = c.numbering;
    EXPECT_EQ(page.EnabledStates(), c.enabled) << c.chartType << "/" << c.numbering;
  }
  // Without identifier display the RINs are always suppressed.
  profile.SetInt("PedRpt", "SuppressRIN", 0);
  EXPECT_EQ(CPedigreeOptions(false, 0).suppressRin, 1);
  EXPECT_EQ(CPedigreeOptions(false, 1).suppressRin, 0);
}

TEST_F(ReportSheetPedigreeTest, RequestCarriesModeCountNumbersIndexAndMarriage) {
  struct Case {
    int chartType, indexType;
    int mode, count, index, indexOnly;
    std::int32_t mrin;
  } cases[] = {
      {CPedigreeOptions::kSinglePage, 0, 1, 5, 0, 0, 44},
      {CPedigreeOptions::kCascading, 1, 2, 12, 1, 0, 44},
      {CPedigreeOptions::kBlankForm, 2, 0, 12, 1, 1, 0},
  };
  for (const Case& c : cases) {
    CPedigreeOptions page(false, 1);
    CReportChoiceState kept;
    page.TakeChoices(kept);
    int asked = 0;
    page.startingRin = [] { return 7; };
    page.marriageCount = [](std::int32_t) { return 2; };
    page.chooseMarriage = [&asked](std::int32_t rin) {
      ++asked;
      return rin == 7 ? 44 : 0;
    };
    page.chartType = c.chartType;
    page.indexType = c.indexType;
    page.gensPerPage = 5;
    page.totGens = 12;
    page.firstChart = 3000000000u;
    page.onChart = 2;
    page.continuation = 9;
    page.sameAs = 4;
    ReportRequest request;
    ASSERT_TRUE(page.FillRequest(request));
    EXPECT_EQ(request.mode, c.mode);
    EXPECT_EQ(request.count, c.count);
    EXPECT_EQ(request.startRin, 7);
    EXPECT_EQ(request.familyMrin, c.mrin);
    EXPECT_EQ(static_cast<std::uint32_t>(request.options[kPedigreeFirstChart]), 3000000000u);
    EXPECT_EQ(request.options[kPedigreeSameAsChart], 2);
    EXPECT_EQ(request.options[kPedigreeFirstContinuation], 9);
    EXPECT_EQ(request.options[kPedigreeSameAsPosition], 4);
    EXPECT_EQ(request.options[kPedigreeIndex], c.index);
    EXPECT_EQ(request.options[kPedigreeIndexOnly], c.indexOnly);
    EXPECT_EQ(kept.pedigreeMrin, c.mrin);
    // The marriage is asked once and then kept.
    page.FillRequest(request);
    EXPECT_EQ(asked, c.mrin != 0 ? 1 : 0);
  }
  // A person without marriages charts none; VIP keeps the previous mode.
  CPedigreeOptions page(true, 1);
  page.startingRin = [] { return 3; };
  page.marriageCount = [](std::int32_t) { return 0; };
  page.chooseMarriage = [](std::int32_t) { return 99; };
  ReportRequest request;
  request.mode = 2;
  page.FillRequest(request);
  EXPECT_EQ(request.familyMrin, 0);
  page.chartType = CPedigreeOptions::kVip;
  request.mode = 2;
  page.FillRequest(request);
  EXPECT_EQ(request.mode, 2);
}

TEST_F(ReportSheetPedigreeTest, SettingsGoBackToTheSectionAndTotalOnlyWhenCascading) {
  CPedigreeOptions page(false, 1);
  page.totGens = 12;
  page.gensPerPage = 6;
  EXPECT_EQ(page.photos, (PagePhotos{0, 1000, 1000, 3, 1})) << "the section's defaults";
  page.margins = {500, 400, 300, 200};
  page.photos = {1, 1500, 2000, 4, 0};
  page.WriteSettings();
  EXPECT_EQ(profile.GetInt("PedRpt", "GensPerPage", 0), 6);
  EXPECT_EQ(profile.GetInt("PedRpt", "PageLM", 0), 500);
  EXPECT_EQ(profile.GetInt("PedRpt", "PageTM", 0), 400);
  EXPECT_EQ(profile.GetInt("PedRpt", "PageRM", 0), 300);
  EXPECT_EQ(profile.GetInt("PedRpt", "PageBM", 0), 200);
  EXPECT_EQ(profile.GetInt("PedRpt", "TotGens", -1), -1);
  page.SetChartType(CPedigreeOptions::kCascading);
  page.WriteSettings();
  EXPECT_EQ(profile.GetInt("PedRpt", "TotGens", -1), 12);
  const CPedigreeOptions again(false, 1);
  EXPECT_EQ(again.chartType, CPedigreeOptions::kCascading);
  EXPECT_EQ(again.margins, (PageMargins{500, 400, 300, 200}));
  EXPECT_EQ(again.photos, (PagePhotos{1, 1500, 2000, 4, 0}));
  EXPECT_EQ(profile.GetInt("PedRpt", "PhotoX", 0), 1500);
}

}  // namespace
