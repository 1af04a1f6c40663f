#pragma once
// The Ahnentafel book: the ancestors of one person, numbered 1 for the
// person, 2n for the father and 2n + 1 for the mother of n, one chapter per
// generation, each ancestor's narrative paragraph, then the notes appendix,
// the sources and the name index. The pass walks the ancestors breadth
// first in the PAGINATOR window, builds the book's blocks and measures them
// into page entries (print mode), or plans the web site's generation pages
// (web mode).

#include <cstdint>
#include <vector>

#include "BookPagination.h"
#include "ReportDevice.h"

namespace rpt {

// Print mode (options.mode 0, dc required): the page count, index pages
// included. Web mode (2): the last page number. 0 on failure or Cancel (the
// book is then cleaned up).
int PaginateAhnentafel(const BookOptions& options, ReportDevice* dc);

// The web site's pages of the queue: a new page with each generation, and
// before an even number (a father) once a page holds perPage persons, so a
// couple never splits. Sets each person's page; answers the last page.
int PlanAhnentafelWebPages(std::vector<BookPerson>& persons, int perPage);

}  // namespace rpt
