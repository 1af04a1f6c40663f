// Writes 100,000 custom report lines of 10 columns (some with quotes and
// commas) to a temporary file and prints the lines per second.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CustomReportCsv.h"

namespace {

constexpr int kLines = 100000;
constexpr int kColumns = 10;

class MadeUpLines : public rpt::CustomCsvSource {
 public:
  Result Next(std::vector<std::string>& fields) override {
    if (n_ == kLines) return kEnd;
    const std::string number = std::to_string(n_++);
    fields.assign({"SMITH, John " + number, "12 Mar 1850", "Salt Lake City, Utah, USA", number,
                   "Mary \"Polly\" Jones", "M", "3", "1 Main St", "84601", "none, really"});
    fields.resize(kColumns);
    return kLine;
  }

 private:
  int n_ = 0;
};

}  // namespace

int main() {
  const auto path = std::filesystem::temp_directory_path() /
                    ("customcsv_bench_" + std::to_string(::getpid()) + ".txt");
  std::vector<std::string> headings;
  for (int i = 0; i < kColumns; ++i) headings.push_back("Column " + std::to_string(i + 1));
  MadeUpLines source;
  const auto start = std::chrono::steady_clock::now();
  const rpt::CustomCsvOutcome outcome = rpt::ExportCustomCsv(path.string(), headings, source);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto bytes = std::filesystem::file_size(path);
  std::filesystem::remove(path);
  if (outcome.status != rpt::CustomCsvOutcome::kDone || outcome.lines != kLines) {
    std::printf("export failed (status %d, %lld lines)\n", static_cast<int>(outcome.status),
                static_cast<long long>(outcome.lines));
    return 1;
  }
  std::printf("custom csv: %d lines x %d columns, %llu bytes in %.3f s: %.0f lines/s\n", kLines,
              kColumns, static_cast<unsigned long long>(bytes), seconds, kLines / seconds);
  return 0;
}
