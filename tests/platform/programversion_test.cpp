// The version text of the program's file and of other files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "ProgramVersion.h"
#include "TempDir.h"

namespace {

// The text GetFileVersion leaves in a buffer of `size` that held an older text.
std::string Version(const char* path, int size) {
  std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
  std::snprintf(buffer.data(), buffer.size(), "stale");
  int length = plat::GetFileVersion(path, buffer.data(), size);
  std::string text(buffer.data());
  EXPECT_EQ(length, static_cast<int>(text.size())) << path << " size " << size;
  return text;
}

TEST(ProgramVersion, FourPartsOfTheBuildsVersion) {
  char buffer[32] = "stale";
  int length = plat::GetProgramVersion(buffer, sizeof buffer);
  std::string text(buffer);
  EXPECT_EQ(length, static_cast<int>(text.size()));
  EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d+\.\d+\.\d+\.0)"))) << text;
}

TEST(ProgramVersion, TheProgramFileUnderAnyNameCarriesIt) {
  char buffer[32];
  plat::GetProgramVersion(buffer, sizeof buffer);
  TempDir dir;
  std::string link = dir.File("alias");
  std::filesystem::create_symlink(std::filesystem::read_symlink("/proc/self/exe"), link);
  EXPECT_EQ(Version(link.c_str(), 32), buffer);
  // Another file, even a program, carries none: the buffer is emptied.
  std::ofstream(dir.File("other.exe")) << "MZ";
  EXPECT_EQ(Version(dir.File("other.exe").c_str(), 32), "");
  EXPECT_EQ(Version(dir.File("missing").c_str(), 32), "");
}

TEST(ProgramVersion, ABufferUnderSixteenStaysEmpty) {
  struct Case {
    int size;
    bool filled;
  };
  const Case cases[] = {{10, false}, {15, false}, {16, true}, {64, true}};
  for (const auto& c : cases)
    EXPECT_EQ(Version("/proc/self/exe", c.size).empty(), !c.filled) << c.size;
  // Without a size the buffer is not touched at all.
  char kept[32] = "kept";
  EXPECT_EQ(plat::GetFileVersion("/proc/self/exe", kept, 0), 0);
  EXPECT_STREQ(kept, "kept");
}

}  // namespace
