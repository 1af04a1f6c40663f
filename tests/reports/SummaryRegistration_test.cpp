// The summaries' registration: both kinds get a generator and a paginator,
// and removing them makes the kinds unavailable again.
#include <gtest/gtest.h>

#include "FamilyOrdinanceSummary.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "SummaryReports.h"

TEST(SummaryRegistration, MakesBothKindsAvailable) {
  EXPECT_FALSE(rpt::IsReportKindAvailable(rpt::kIndividualSummary));
  rpt::RegisterSummaryReports();
  EXPECT_TRUE(rpt::IsReportKindAvailable(rpt::kIndividualSummary));
  EXPECT_TRUE(rpt::IsReportKindAvailable(rpt::kFamilyOrdinanceSummary));
  CReportJob summary(rpt::kIndividualSummary);
  EXPECT_NE(summary.Generator(), nullptr);
  CReportJob ordinances(rpt::kFamilyOrdinanceSummary);
  EXPECT_NE(dynamic_cast<rpt::CFamilyOrdinanceSummaryGenerator*>(ordinances.Generator()), nullptr);
  for (const auto cls :
       {rpt::GeneratorClass::kIndividualSummary, rpt::GeneratorClass::kFamilyOrdinanceSummary})
    rpt::RegisterReportGenerator(cls, nullptr);
  for (const int kind : {rpt::kIndividualSummary, rpt::kFamilyOrdinanceSummary})
    rpt::RegisterReportPaginator(kind, nullptr, nullptr);
  EXPECT_FALSE(rpt::IsReportKindAvailable(rpt::kIndividualSummary));
  EXPECT_FALSE(rpt::IsReportKindAvailable(rpt::kFamilyOrdinanceSummary));
}
