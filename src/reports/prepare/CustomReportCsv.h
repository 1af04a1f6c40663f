#pragma once
// The custom report as comma-delimited text: a heading line of the column
// headings, then one line per report line, every field in double quotes
// (a quote inside a field doubled), fields joined by commas, lines ended by
// CR LF. The lines come from a source, so the writer runs over the custom
// report's work file in the program and over made-up lines in tests.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "RandomAccessFile.h"

namespace rpt {

class CustomCsvSource {
 public:
  enum Result { kLine, kEnd, kFailed };
  virtual ~CustomCsvSource() = default;
  // Fills fields with the next line's texts, one per column.
  virtual Result Next(std::vector<std::string>& fields) = 0;
};

struct CustomCsvOutcome {
  enum Status { kDone, kCancelled, kReadFailed, kWriteFailed, kCreateFailed, kNothing };
  Status status = kDone;
  std::int64_t lines = 0;  // data lines written (the heading not counted)
};

// Called every 20 lines with the count written; false stops the export.
using CustomCsvProgress = std::function<bool(std::int64_t lines)>;

// One field in quotes, inner quotes doubled.
std::string QuoteCsvField(const std::string& text);
// One line: quoted fields joined by commas, then CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

// Writes the heading and every line of source into file from offset 0.
CustomCsvOutcome WriteCustomCsv(plat::RandomAccessFile& file,
                                const std::vector<std::string>& headings, CustomCsvSource& source,
                                const CustomCsvProgress& progress = {});

// Creates path and writes it, telling the user of a failure: a file that
// cannot be created (file error, "Disk File", caption "Custom Report"), a
// write error ("Insufficient disk space to complete the Custom Report"; the
// partial file stays) and a record that could not be read (the export
// stopped early).
CustomCsvOutcome ExportCustomCsv(const std::string& path, const std::vector<std::string>& headings,
                                 CustomCsvSource& source, const CustomCsvProgress& progress = {});

}  // namespace rpt
