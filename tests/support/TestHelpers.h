#pragma once
// Small helpers shared by tests: a whole file read or written, a local
// time, and a write of a test family that must not fail.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Replaces the file's contents by bytes.
inline void WriteAll(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
inline void WriteAll(const std::string& path, const std::vector<unsigned char>& bytes) {
  WriteAll(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
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

// The result of a write that builds a test's family (a record number, a note
// block, 1): a failure (not above 0) leaves the family short of what the test
// relies on, so the program stops there, naming what failed. For builders
// shared by GoogleTest and Qt Test programs, and for Qt tests.
template <class T>
T Stored(T result, const char* what) {
  if (result <= 0) {
    std::fprintf(stderr, "the test family could not be written: %s\n", what);
    std::abort();
  }
  return result;
}
