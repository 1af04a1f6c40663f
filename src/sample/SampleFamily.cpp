// korvane-sample DESCRIPTION FILE: writes a new family file of invented
// people from a sample description (resources/sample/sample-family.txt), for
// trying the program and looking at its windows. Refuses to overwrite an
// existing file. The build runs it into build/sample/sample.orv.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "SampleBuilder.h"
#include "SampleDescription.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvane-sample DESCRIPTION.txt FILE.orv\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<std::string> errors;
  const sample::Description description = sample::ParseDescription(text.str(), errors);
  for (const std::string& e : errors) std::fprintf(stderr, "%s: %s\n", argv[1], e.c_str());
  if (!errors.empty()) return 1;

  // The description's names are Western; the file stores them code-page free,
  // so the build does not depend on the locale it runs in.
  plat::SetActiveCodePage(plat::kCodePageWestern);
  sample::BuildCounts counts;
  std::string error;
  const bool existed = std::filesystem::exists(argv[2]);
  if (!sample::BuildFamilyFile(description, argv[2], counts, error)) {
    std::fprintf(stderr, "korvane-sample: %s\n", error.c_str());
    // A half-made file would pass for the sample at the next build.
    if (!existed) std::filesystem::remove(argv[2]);
    return 1;
  }
  std::printf("%s: %d individuals, %d marriages, %d sources, %d citations\n", argv[2],
              counts.individuals, counts.marriages, counts.sources, counts.citations);
  return 0;
}
