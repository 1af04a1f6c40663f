#pragma once
// Small helpers shared by tests: a whole file as text, and a local time.
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The time_t of a local date and time (for fixing the clock in tests).
inline std::time_t LocalTimeOf(int year, int month, int day, int hour, int minute) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}
