#pragma once
// The Ahnentafel and Modified Register books as report kinds 200 and 201:
// their paginators (with the options of the report request and BkRpt) and
// their page generator.

namespace rpt {
void RegisterBookReports();
}
