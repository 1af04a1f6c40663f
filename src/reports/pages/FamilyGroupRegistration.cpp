#include "FamilyGroupRegistration.h"

#include "FamilyGroupHooks.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"

namespace rpt {

void RegisterFamilyGroupRecord() {
  RegisterReportGenerator(GeneratorClass::kFamilyGroup,
                          [](const GeneratorArgs&) { return MakeFamilyGroupGenerator(); });
  RegisterReportPaginator(
      kFamilyGroupRecord,
      [](const PaginateArgs& a) {
        const ReportRequest& request = a.request ? *a.request : CurrentReportRequest();
        return PaginateFamilyGroupRequest(request, a.dc, a.width, a.height);
      },
      [] { CleanupFamilyGroupPages(); });
}

}  // namespace rpt
