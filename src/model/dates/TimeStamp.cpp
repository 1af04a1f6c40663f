#include "TimeStamp.h"

#include "DateValue.h"

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
