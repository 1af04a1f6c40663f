#pragma once
// Makes the Custom report (kind 8) available to the report job: the list
// page generator with the document's layout, and the pass over the filter
// set's individuals.

namespace rpt {
void RegisterCustomReport();
}
