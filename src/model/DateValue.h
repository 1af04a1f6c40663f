#pragma once
// A genealogical date as the user typed it: year, dual-year part, qualifier,
// days, month or ordinance status, BC, and the typed text of a date kept as
// text only.

#include <cstdint>
#include <string>

class CDateValue {
 public:
  std::uint16_t year = 0;      // 0 = no year
  std::uint8_t dualYear = 0;   // second year minus the first on the low bytes; 0 = not dual
  std::uint8_t qualifier = 0;  // 0 none, 1 Aft, 2 Bef, 3 Abt, 4 Cal, 5 Sub, 6 Est
  std::uint8_t day = 0;        // 1-31, 0 = none
  std::uint8_t secondDay = 0;  // second day of a double day (5/6 Jan), 0 = none
  std::uint8_t month = 0;      // 0 none, 1-12, 13-29 an ordinance status code
  std::uint8_t bc = 0;         // 1 = before Christ
  std::uint8_t flagA = 0;      // kept for other users; the date module neither sets nor reads it
  std::uint8_t flagB = 0;
  std::uint8_t textOnly = 0;  // 1 = kept as text; then only text, year and BC count
  std::string text;           // the typed text of a text-only date
};
