#pragma once
// Makes the place, notes, source and citation lists (kinds 108 to 111)
// available to the report job and its print set-up.

namespace rpt {
void RegisterListReports();
}
