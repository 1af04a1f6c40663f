#pragma once
// The Family Group Record as a report kind: the run arguments made from the
// report request the Family Group page fills and from the "FgrRpt"
// settings, the role of a lone starting person, and the generator of a run.

#include "FamilyGroupHooks.h"
#include "FamilyGroupRun.h"
#include "ReportKinds.h"

namespace rpt {

// Fields of ReportRequest for kind 2: mode is "Type" (0 single, 1
// cascading, 2 blank form), count the generations, startRin the primary
// person, familyMrin the family, options[kFgrSlotRole] the role
// (0 parent, 1 child) and nameStart the typed family numbers of "Use list".

// The run arguments of a request on a printable page of width by height
// (inside the margins), measured on dc.
FamilyGroupRunArgs FamilyGroupRunArgsFrom(const ReportRequest& request,
                                          const FamilyGroupOptions& options, ReportDevice& dc,
                                          int width, int height);
// The role a lone starting person takes on a page without a family: 1
// husband, 2 wife, 3 only child.
int FamilyGroupLoneRole(const ReportRequest& request);

}  // namespace rpt
