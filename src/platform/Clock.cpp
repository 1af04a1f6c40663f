#include "Clock.h"

#include <atomic>

namespace plat {
namespace {
std::atomic<std::time_t> g_fixed{0};
}

std::time_t Now() {
  std::time_t fixed = g_fixed.load();
  return fixed != 0 ? fixed : std::time(nullptr);
}

LocalTime ToLocalTime(std::time_t t) {
  std::tm tm{};
  ::localtime_r(&t, &tm);
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday,
                   tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

LocalTime LocalNow() { return ToLocalTime(Now()); }

void SetFixedTime(std::time_t t) { g_fixed.store(t); }

}  // namespace plat
