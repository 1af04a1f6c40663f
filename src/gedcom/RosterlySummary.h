#pragma once
// The temple names submission summary of a Rosterly export: one walk over the
// exported individuals and marriages that lists which ordinances qualify and
// why the others do not, counts the qualified ones, and, when asked, stores
// "submitted" dates for them. Without the report only the marking runs and
// no file is created.

#include <cstdint>
#include <functional>
#include <string>

namespace gedcom {

class ExportFilterSet;

struct RosterlySummaryInput {
  std::string productName = "Korvane";
  std::string gedcomPath;  // the exported file
  std::string familyPath;  // the open family file
  std::string reportPath;  // where the report goes
  bool writeReport = true;
  bool markSubmitted = false;
  bool submitAllSelected = false;
  std::string preparerName;  // written when not empty (the submitter option)
  std::int32_t maxRin = 0, maxMrin = 0;
  std::function<bool(std::int32_t)> individualExported, marriageExported;
  const ExportFilterSet* selected = nullptr;  // the filter set's result set
};

inline constexpr const char* kCannotCreateReport = "Could not create file for submission report.";
inline constexpr const char* kCannotWriteReport =
    "Could not write to submission report file. Check free disk space.";

// The report path of a family file: its extension's last character becomes 'r'.
std::string RosterlyReportPath(const std::string& familyPath);

// Runs the summary; false when the report could not be created or written.
bool RunRosterlySummary(const RosterlySummaryInput& input);

}  // namespace gedcom
