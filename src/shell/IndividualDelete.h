#pragma once
// Edit > Delete Individual without its screens: the question the user is
// asked, the removal of the record and its links, and the individual the
// pedigree view shows afterwards.

#include <cstdint>
#include <string>
#include <vector>

namespace shell {

// The name, a blank line and the removal warning, then a line for a child
// link and one with the count of marriages when there are any.
std::string DeleteIndividualQuestion(const std::string& name, bool isChild, int marriages);

// Takes the individual out of every family and deletes its record. The
// parents' marriages and its own marriages it was in are returned, for the
// caller to delete those left empty.
std::vector<std::int32_t> DeleteIndividualRecord(std::int32_t rin);

// The root the pedigree view shows after individual `deleted` went: the
// root itself when another individual was deleted; else the next live
// individual after it, else the one before it; 0 (the empty chart) when
// none is left.
std::int32_t PedigreeRootAfterDelete(std::int32_t deleted, std::int32_t root);

}  // namespace shell
