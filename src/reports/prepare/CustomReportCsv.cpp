#include "CustomReportCsv.h"

#include "CodePage.h"
#include "CustomReport.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

constexpr std::int64_t kProgressEvery = 20;
constexpr std::size_t kFlushAt = 1 << 16;
constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Collects lines and writes them in large pieces.
class BufferedOut {
 public:
  explicit BufferedOut(plat::RandomAccessFile& file) : file_(file) {}
  bool Put(const std::string& bytes) {
    buffer_ += bytes;
    return buffer_.size() < kFlushAt || Flush();
  }
  bool Flush() {
    if (buffer_.empty()) return true;
    if (!file_.WriteAt(pos_, buffer_.data(), buffer_.size())) return false;
    pos_ += buffer_.size();
    buffer_.clear();
    return true;
  }

 private:
  plat::RandomAccessFile& file_;
  std::uint64_t pos_ = 0;
  std::string buffer_;
};

}  // namespace

std::string QuoteCsvField(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line.push_back(',');
    line += QuoteCsvField(fields[i]);
  }
  line += "\r\n";
  return line;
}

CustomCsvOutcome WriteCustomCsv(plat::RandomAccessFile& file,
                                const std::vector<std::string>& headings, CustomCsvSource& source,
                                const CustomCsvProgress& progress) {
  CustomCsvOutcome outcome;
  BufferedOut out(file);
  // UTF-8 with its byte-order mark, by which spreadsheets know it.
  if (!out.Put(std::string(kUtf8ByteOrderMark) + plat::AnsiToUtf8(CsvLine(headings)))) {
    outcome.status = CustomCsvOutcome::kWriteFailed;
    return outcome;
  }
  std::vector<std::string> fields;
  for (;;) {
    fields.clear();
    const CustomCsvSource::Result read = source.Next(fields);
    if (read == CustomCsvSource::kEnd) break;
    if (read == CustomCsvSource::kFailed) {
      outcome.status = CustomCsvOutcome::kReadFailed;
      break;
    }
    if (!out.Put(plat::AnsiToUtf8(CsvLine(fields)))) {
      outcome.status = CustomCsvOutcome::kWriteFailed;
      return outcome;
    }
    ++outcome.lines;
    if (outcome.lines % kProgressEvery == 0 && progress && !progress(outcome.lines)) {
      outcome.status = CustomCsvOutcome::kCancelled;
      break;
    }
  }
  if (!out.Flush()) outcome.status = CustomCsvOutcome::kWriteFailed;
  return outcome;
}

CustomCsvOutcome ExportCustomCsv(const std::string& path, const std::vector<std::string>& headings,
                                 CustomCsvSource& source, const CustomCsvProgress& progress) {
  const std::string caption = res::LoadString(res::kIdsCustomReport);
  plat::FileHandle file;
  if (const int error = file.Create(path); error != 0) {
    ShowFileError(error, caption, res::LoadString(res::kIdsDiskFile));
    return {CustomCsvOutcome::kCreateFailed, 0};
  }
  CustomCsvOutcome outcome = WriteCustomCsv(file, headings, source, progress);
  if (outcome.status == CustomCsvOutcome::kWriteFailed)
    plat::MessageBox(res::LoadString(res::kIdsInsufficientSpace) + " " + caption, caption,
                     plat::kMbOk | plat::kMbIconExclamation);
  else if (outcome.status == CustomCsvOutcome::kReadFailed)
    plat::MessageBox(res::LoadString(res::kIdsStoppedEarly), caption,
                     plat::kMbOk | plat::kMbIconExclamation);
  return outcome;
}

CustomReportFileLines::CustomReportFileLines(const CCustomReportLayout& layout)
    : layout_(layout),
      person_(std::make_unique<CIndividualRecord>()),
      marriage_(std::make_unique<CMarriageRecord>()) {}

CustomReportFileLines::~CustomReportFileLines() = default;

CustomCsvSource::Result CustomReportFileLines::Next(std::vector<std::string>& fields) {
  CustomReportLine line;
  if (!ReadCustomReportLine(next_, line)) return kEnd;
  ++next_;
  if (line.rin != lastRin_) {
    lastRin_ = 0;
    if (family::Read(*person_, line.rin) != 1) return kFailed;
    lastRin_ = line.rin;
  }
  const std::int32_t mrin = line.marriageRef / 100;
  if (mrin > 0 && mrin != lastMrin_) {
    marriageRead_ = family::Read(*marriage_, mrin) == 1;
    lastMrin_ = mrin;
  }
  fields.clear();
  for (const auto& column : layout_.columns) {
    const bool marriageField = IsCustomMarriageField(column->fieldId);
    if (marriageField && (mrin <= 0 || !marriageRead_)) {
      fields.emplace_back();
      continue;
    }
    CustomReportFieldRequest request;
    request.fieldId = column->fieldId;
    request.option = column->option;
    request.widthChars = column->width;
    request.currentRin = marriageField ? line.rin : 0;
    fields.push_back(
        FormatCustomReportField(request, *person_, marriageField ? marriage_.get() : nullptr));
  }
  return kLine;
}

CustomCsvOutcome ExportCustomReport(const std::string& path, const CCustomReportLayout& layout,
                                    const std::vector<std::int32_t>& rins,
                                    const CustomCsvProgress& progress) {
  const bool ready =
      !rins.empty() && !layout.columns.empty() && PaginateCustomReport(rins, layout, 0) > 0;
  if (!ready || CustomReportLineCount() == 0) {
    CleanupCustomReportPages();
    plat::MessageBox(res::LoadString(res::kIdsNothingToReport),
                     res::LoadString(res::kIdsCustomReport),
                     plat::kMbOk | plat::kMbIconExclamation);
    return {CustomCsvOutcome::kNothing, 0};
  }
  std::vector<std::string> headings;
  for (const auto& column : layout.columns) headings.push_back(column->heading);
  CustomReportFileLines lines(layout);
  CustomCsvOutcome outcome = ExportCustomCsv(path, headings, lines, progress);
  CleanupCustomReportPages();
  return outcome;
}

}  // namespace rpt
