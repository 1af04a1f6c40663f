#include "TimeStamp.h"

#include <limits>

#include "DateValue.h"

std::int32_t TimeToStamp(std::time_t t) {
  if (t < 0 || static_cast<std::uint64_t>(t) > std::numeric_limits<std::uint32_t>::max()) return 0;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(t));
}

std::time_t StampToTime(std::int32_t stored) {
  return static_cast<std::time_t>(static_cast<std::uint32_t>(stored));
}

int CompareStamps(std::int32_t a, std::int32_t b) {
  const auto ua = static_cast<std::uint32_t>(a), ub = static_cast<std::uint32_t>(b);
  return ua < ub ? -1 : ua > ub ? 1 : 0;
}

std::time_t CTimeStamp::Set(std::time_t t) {
  std::tm broken{};
  if (localtime_r(&t, &broken) == nullptr) {
    local = std::tm{};
    value = 0;
    return value;
  }
  local = broken;
  value = t;
  return value;
}

std::string CTimeStamp::FormatDate() const {
  if (value == 0 && local.tm_mday == 0) return {};
  CDateValue date;
  date.Set(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return date.Format();
}
