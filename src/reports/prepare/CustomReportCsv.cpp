#include "CustomReportCsv.h"

#include "FileCopy.h"
#include "FileHandle.h"
#include "Ports.h"
#include "StringTable.h"

namespace rpt {
namespace {

constexpr unsigned kIdsDiskFile = 3249;
constexpr unsigned kIdsInsufficientSpace = 3342;
constexpr unsigned kIdsCustomReport = 5011;
constexpr unsigned kIdsStoppedEarly = 5022;
constexpr std::int64_t kProgressEvery = 20;
constexpr std::size_t kFlushAt = 1 << 16;

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
  if (!out.Put(CsvLine(headings))) {
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
    if (!out.Put(CsvLine(fields))) {
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
  const std::string caption = res::LoadString(kIdsCustomReport);
  plat::FileHandle file;
  if (const int error = file.Create(path); error != 0) {
    ShowFileError(error, caption, res::LoadString(kIdsDiskFile));
    return {CustomCsvOutcome::kCreateFailed, 0};
  }
  CustomCsvOutcome outcome = WriteCustomCsv(file, headings, source, progress);
  if (outcome.status == CustomCsvOutcome::kWriteFailed)
    plat::MessageBox(res::LoadString(kIdsInsufficientSpace) + " " + caption, caption,
                     plat::kMbOk | plat::kMbIconExclamation);
  else if (outcome.status == CustomCsvOutcome::kReadFailed)
    plat::MessageBox(res::LoadString(kIdsStoppedEarly), caption,
                     plat::kMbOk | plat::kMbIconExclamation);
  return outcome;
}

}  // namespace rpt
