// Spools text runs and shapes into an RTF document and writes the file, at
// two sizes: 20,000 text runs with 5,000 shapes, and 200,000 text runs with
// 50,000 shapes; prints the times, the file size and the peak memory, which
// must not grow with the report.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "RTFDocument.h"
#include "RTFElements.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Run(int texts, int shapes) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("korvane-rtf-bench-" + std::to_string(getpid()) + ".rtf"))
                               .string();
  CRTFDocument document;
  document.AddFont("Arial");
  document.AddFont("Times New Roman");
  auto start = std::chrono::steady_clock::now();
  const int perShape = shapes > 0 ? texts / shapes : texts + 1;
  int shape = 0;
  for (int i = 0; i < texts; ++i) {
    auto text = std::make_unique<CRTFText>(
        std::to_string(i) + "\tSmith, Person " + std::to_string(i) + "\t12 May 1850\tSpringfield\r",
        i % 2, 20, i % 7 == 0, false, false, 0, false);
    if (i % 2 == 1) text->SetPosition(720 + i % 5000, 720 + i % 14000);
    document.AddElement(std::move(text));
    if (i % perShape == perShape - 1 && shape < shapes) {
      const int x = 720 + shape % 9000, y = 720 + shape % 13000;
      switch (shape++ % 3) {
        case 0:
          document.AddElement(std::make_unique<CRTFLine>(x, y, x + 1440, y, 15, 0));
          break;
        case 1:
          document.AddElement(std::make_unique<CRTFRectangle>(x, y, x + 2880, y + 720, 15, true, 0,
                                                              true, 0xE0E0E0));
          break;
        default:
          document.AddElement(
              std::make_unique<CRTFArc>(x, y, x + 720, y + 720, false, true, 15, 0));
      }
    }
  }
  const double spool = Seconds(start);
  start = std::chrono::steady_clock::now();
  const int result = document.WriteToFile(path);
  const double write = Seconds(start);
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  std::printf("%d text runs, %d shapes: spooled in %.2f s, written in %.2f s, %.1f MB%s\n", texts,
              shape, spool, write, error ? 0.0 : size / 1048576.0, result == 1 ? "" : " (FAILED)");
  std::filesystem::remove(path, error);
  return result == 1 ? 0 : 1;
}

}  // namespace

int main() {
  // The smaller report runs first: the process's peak after the larger one
  // shows whether memory grew with the report.
  const int sizes[][2] = {{20000, 5000}, {200000, 50000}};
  int failures = 0;
  for (const auto& size : sizes) {
    failures += Run(size[0], size[1]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  peak memory of the process so far %.1f MB\n", usage.ru_maxrss / 1024.0);
  }
  return failures == 0 ? 0 : 1;
}
