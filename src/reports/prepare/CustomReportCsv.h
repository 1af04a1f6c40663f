#pragma once
// The custom report as comma-delimited text in UTF-8 after a byte-order
// mark (the desktop's spreadsheets read it so): a heading line of the column
// headings, then one line per report line, every field in double quotes
// (a quote inside a field doubled), fields joined by commas, lines ended by
// CR LF. The lines come from a source, so the writer runs over the custom
// report's work file in the program and over made-up lines in tests.

#include <cstdint>
#include <functional>
#include <memory>
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

class CIndividualRecord;
class CMarriageRecord;
struct CCustomReportLayout;

namespace rpt {

// The lines of the custom report's work file (after the pass) as field
// texts: the individual is read again when the RIN changes (a failed read
// fails the line), the marriage of the marriage fields when it changes
// (a failed read leaves those fields empty).
class CustomReportFileLines : public CustomCsvSource {
 public:
  explicit CustomReportFileLines(const CCustomReportLayout& layout);
  ~CustomReportFileLines() override;
  Result Next(std::vector<std::string>& fields) override;

 private:
  const CCustomReportLayout& layout_;
  std::int64_t next_ = 0;
  std::int32_t lastRin_ = 0;
  std::int32_t lastMrin_ = 0;
  bool marriageRead_ = false;
  std::unique_ptr<CIndividualRecord> person_;
  std::unique_ptr<CMarriageRecord> marriage_;
};

// The whole export: "Nothing to report!" without individuals, columns or
// lines; else the pass over rins, then the file (ExportCustomCsv).
CustomCsvOutcome ExportCustomReport(const std::string& path, const CCustomReportLayout& layout,
                                    const std::vector<std::int32_t>& rins,
                                    const CustomCsvProgress& progress = {});

}  // namespace rpt
