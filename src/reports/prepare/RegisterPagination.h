#pragma once
// The Modified Register book: the descendants of one person in register
// order. Every person listed gets a register number (the starting person 1,
// then children in the order they are listed, breadth first); a child with
// children of their own (within the generation limit) is carried forward to
// a paragraph of their own under their number. Each family of a carried
// person is followed by its numbered children list. Listings are known by
// their node and position code: within a node's block the code counts each
// family (its spouse) and each child; a spouse of a child who is not
// carried forward is the child's code + 256 x k for the k-th family.

#include <cstdint>
#include <vector>

#include "BookPagination.h"
#include "ReportDevice.h"

namespace rpt {

// Print mode: the page count (index pages included); web mode: the last
// page number; 0 on failure or Cancel.
int PaginateModifiedRegister(const BookOptions& options, ReportDevice* dc);

// The web site's pages of the nodes: a new page with each generation and
// after perPage persons. Sets each node's page; answers the last page.
int PlanRegisterWebPages(std::vector<BookPerson>& nodes, int perPage);

// The register number under which rin was first listed (0 when never) and
// the page of that listing.
std::uint32_t FindRegisterEntryPage(std::int32_t rin, int& page);

}  // namespace rpt
