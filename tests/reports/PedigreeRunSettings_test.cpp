// The Pedigree Chart's run read from the report request and the PedRpt
// settings, and its drawing options.

#include <gtest/gtest.h>

#include "FakePorts.h"
#include "PedigreeChartGenerator.h"
#include "PedigreeRegistration.h"

namespace {

using rpt::PedigreeRunParameters;

class PedigreeRunSettings : public testing::Test {
 protected:
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
};

TEST_F(PedigreeRunSettings, RunIsReadFromTheRequestAndTheSettings) {
  struct Case {
    const char* name;
    int gensPerPage, numberType;  // PedRpt settings
    int mode, count, first, onChart, continuation, sameAs, index, indexOnly;
    PedigreeRunParameters run;  // the fields checked below
  };
  auto run = [](int type, int perChart, int total, std::int64_t first, std::int64_t onChart,
                std::int64_t continuation, int sameAs, bool index, bool only, int numbering) {
    PedigreeRunParameters r;
    r.runType = type;
    r.generationsPerChart = perChart;
    r.totalGenerations = total;
    r.firstChart = first;
    r.sameAsChart = onChart;
    r.firstContinuation = continuation;
    r.sameAsPosition = sameAs;
    r.indexWanted = index;
    r.indexOnly = only;
    r.numbering = numbering;
    return r;
  };
  const Case cases[] = {
      {"cascading, sequential, index", 4, 1, 2, 12, 100, 7, 100, 5, 1, 0,
       run(2, 4, 12, 100, 7, 100, 5, true, false, PedigreeRunParameters::kSequential)},
      {"single, fixed numbering from chart 3", 5, 0, 1, 5, 3, 1, 34, 17, 0, 0,
       run(1, 5, 5, 3, 1, 34, 17, false, false, PedigreeRunParameters::kFixed)},
      {"index only", 6, 1, 2, 999, 1, 1, 2, 1, 1, 1,
       run(2, 6, 999, 1, 1, 2, 1, true, true, PedigreeRunParameters::kSequential)},
      {"nothing given: chart 1, continuing on 2", 9, 1, 2, 0, 0, 0, 0, 64, 0, 0,
       run(2, 6, 6, 1, 1, 2, 1, false, false, PedigreeRunParameters::kSequential)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    profile.SetInt("PedRpt", "GensPerPage", c.gensPerPage);
    profile.SetInt("PedRpt", "ChartNumType", c.numberType);
    rpt::ReportRequest request;
    request.mode = c.mode;
    request.count = c.count;
    request.startRin = 42;
    request.familyMrin = 7;
    request.options = {c.first, c.onChart, c.continuation, c.sameAs, c.index, c.indexOnly, 0, 0};
    const PedigreeRunParameters got = rpt::PedigreeRunFromRequest(request);
    EXPECT_EQ(got.runType, c.run.runType);
    EXPECT_EQ(got.generationsPerChart, c.run.generationsPerChart);
    EXPECT_EQ(got.totalGenerations, c.run.totalGenerations);
    EXPECT_EQ(got.firstChart, c.run.firstChart);
    EXPECT_EQ(got.sameAsChart, c.run.sameAsChart);
    EXPECT_EQ(got.firstContinuation, c.run.firstContinuation);
    EXPECT_EQ(got.sameAsPosition, c.run.sameAsPosition);
    EXPECT_EQ(got.indexWanted, c.run.indexWanted);
    EXPECT_EQ(got.indexOnly, c.run.indexOnly);
    EXPECT_EQ(got.numbering, c.run.numbering);
    EXPECT_EQ(got.startPerson, 42);
    EXPECT_EQ(got.marriage, 7);
  }
}

TEST_F(PedigreeRunSettings, SettingsGiveTheDrawingOptions) {
  // The number beside names follows what the options show after names,
  // unless the chart suppresses it.
  using Options = rpt::PedigreeChartOptions;
  struct NumberCase {
    int appendVal, suppressRin;
    bool suppressed;
    int kind;
  } numberCases[] = {
      {0, 0, true, Options::kRin},  // no number shown at all
      {1, 0, false, Options::kRin}, {2, 0, false, Options::kId}, {3, 0, false, Options::kSbn},
      {4, 0, true, Options::kRin},  {3, 1, true, Options::kRin}, {1, 1, true, Options::kRin},
  };
  for (const NumberCase& c : numberCases) {
    profile.SetInt("Options", "AppendVal", c.appendVal);
    profile.SetInt("PedRpt", "SuppressRIN", c.suppressRin);
    const Options o = rpt::PedigreeOptionsFromProfile();
    EXPECT_EQ(o.suppressNumbers, c.suppressed) << c.appendVal << " " << c.suppressRin;
    if (!c.suppressed) {
      EXPECT_EQ(o.numberKind, c.kind) << c.appendVal;
    }
  }
  // ZEL data on reports follows the screens' setting unless set itself.
  profile.SetInt("Options", "ShowZEL", 1);
  EXPECT_TRUE(rpt::PedigreeOptionsFromProfile().showOrdinances);
  profile.SetInt("Options", "ShowZelRpt", 0);
  EXPECT_FALSE(rpt::PedigreeOptionsFromProfile().showOrdinances);
  profile.SetInt("PedRpt", "PhotoOpt", 1);
  profile.SetInt("PedRpt", "PhotoPlace", 0);
  profile.SetInt("PedRpt", "PhotoX", 600);
  profile.SetInt("PedRpt", "PhotoRsrv", 0);
  profile.SetInt("PedRpt", "RelInd", 1);
  const rpt::PedigreeChartOptions options = rpt::PedigreeOptionsFromProfile();
  EXPECT_TRUE(options.photos);
  EXPECT_EQ(options.photoPlace, 0);
  EXPECT_EQ(options.photoWidth, 600);
  EXPECT_EQ(options.photoHeight, 1000);
  EXPECT_FALSE(options.reservePhotoSpace);
  EXPECT_TRUE(options.relationshipCodes);
  EXPECT_FALSE(options.multipleParents);
}

TEST_F(PedigreeRunSettings, IndexRowsPerPageFollowThePageHeightAndTheNamesFont) {
  struct Case {
    int height, points, rows;
  } cases[] = {
      {10400, 9, (10400 - 1208) / (9 * 1000 / 72 * 10 / 9)},
      {10400, 12, (10400 - 1208) / (12 * 1000 / 72 * 10 / 9)},
      {1208 + 3 * 138 + 1, 9, 3},
      {500, 9, 1},  // a page too low for any row still gets one
  };
  for (const Case& c : cases)
    EXPECT_EQ(rpt::PedigreeIndexLinesPerPage(c.height, c.points), c.rows)
        << c.height << " " << c.points;
}

TEST_F(PedigreeRunSettings, FontsAndMarginsComeFromTheOptions) {
  // The defaults of the Pedigree fonts.
  rpt::PedigreeChartOptions options = rpt::PedigreeOptionsFromProfile();
  EXPECT_EQ(options.titleFont.face, "Arial");
  EXPECT_EQ(options.titleFont.points, 16);
  EXPECT_EQ(options.titleFont.weight, 700);
  EXPECT_EQ(options.nameFont.face, "Times New Roman");
  EXPECT_EQ(options.nameFont.points, 9);
  EXPECT_EQ(options.eventFont.weight, 400);
  EXPECT_EQ(options.marginLeft, 700);
  EXPECT_EQ(options.marginBottom, 300);
  profile.SetString("Options", "FontPedName", "Verdana;Normal Italic;12pt");
  profile.SetInt("PedRpt", "PageLM", 500);
  profile.SetInt("PedRpt", "PageBM", 450);
  options = rpt::PedigreeOptionsFromProfile();
  EXPECT_EQ(options.nameFont.face, "Verdana");
  EXPECT_EQ(options.nameFont.points, 12);
  EXPECT_EQ(options.nameFont.weight, 400);
  EXPECT_TRUE(options.nameFont.italic);
  EXPECT_EQ(options.marginLeft, 500);
  EXPECT_EQ(options.marginBottom, 450);
}

}  // namespace
