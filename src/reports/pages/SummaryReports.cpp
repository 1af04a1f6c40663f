#include "SummaryReports.h"

#include "FamilyOrdinanceSummary.h"
#include "IndividualSummaryRun.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"

namespace rpt {

namespace {

std::function<const CBitSet*()>& ListSetSource() {
  static std::function<const CBitSet*()> source;
  return source;
}

int PaginateSummary(const PaginateArgs& args) {
  const CBitSet* set = ListSetSource() ? ListSetSource()() : nullptr;
  return PaginateIndividualSummaryRun(args.dc, args.request != nullptr ? args.request->startRin : 0,
                                      set);
}

int PaginateOrdinanceSummary(const PaginateArgs& args) {
  if (args.job == nullptr) return 0;
  auto* generator = dynamic_cast<CFamilyOrdinanceSummaryGenerator*>(args.job->Generator());
  if (generator == nullptr) return 0;
  return generator->PaginateFamilyOrdinanceSummary(args.dc);
}

}  // namespace

void SetSummaryListSetSource(std::function<const CBitSet*()> source) {
  ListSetSource() = std::move(source);
}

void RegisterSummaryReports() {
  RegisterReportGenerator(GeneratorClass::kIndividualSummary,
                          [](const GeneratorArgs&) -> std::unique_ptr<CReportPageGenerator> {
                            return MakeIndividualSummaryGenerator();
                          });
  RegisterReportGenerator(GeneratorClass::kFamilyOrdinanceSummary,
                          [](const GeneratorArgs&) -> std::unique_ptr<CReportPageGenerator> {
                            return std::make_unique<CFamilyOrdinanceSummaryGenerator>(
                                CurrentReportRequest().startRin, FamilyOrdinanceOptions::Load());
                          });
  RegisterReportPaginator(kIndividualSummary, PaginateSummary, CleanupIndividualSummaryRun);
  RegisterReportPaginator(kFamilyOrdinanceSummary, PaginateOrdinanceSummary, nullptr);
}

}  // namespace rpt
