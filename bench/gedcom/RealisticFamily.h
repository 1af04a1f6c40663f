#pragma once
// A GEDCOM file shaped like a family researched over years, for timing the
// import on something nearer to what people keep than a regular tree.

#include <cstdint>
#include <string>

// Writes a GEDCOM file of `people` individuals, the same bytes for the same
// seed: founding couples and their descendants over generations, spouses
// married in from outside, some second marriages and divorces; births,
// christenings, deaths, burials, residences and occupations with dates of
// every precision and places drawn from a large list with a home place per
// family; repositories, sources with citations on events, people and
// marriages, notes of their own and shared ones. False when the file could
// not be written.
bool WriteRealisticFamily(const std::string& path, int people, std::uint32_t seed);
