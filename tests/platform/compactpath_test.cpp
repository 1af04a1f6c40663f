#include <gtest/gtest.h>

#include <string>

#include "CompactPath.h"
#include "TextMeasure.h"

// Every character is 1 pixel wide, so widths are character counts.
class CompactPathTest : public ::testing::Test {
 protected:
  std::string Compact(const std::string& path, int width) {
    std::string out = CompactPathToWidth(path, measure_, width);
    return out;
  }
  plat::FixedWidthTextMeasure measure_{1};
};

TEST_F(CompactPathTest, ShortensByTheRules) {
  const std::string path = "/home/anna/Genealogy/smith.orv";  // 30 characters
  struct Case {
    int width;
    const char* result;
  } cases[] = {
      {30, "/home/anna/Genealogy/smith.orv"},  // fits whole
      {29, "/home/anna/Geneal...smith.orv"},   // folder cut from its end
      {16, "/hom...smith.orv"},
      {14, "/h...smith.orv"},
      {13, "...smith.orv"},  // root, one folder letter, "..." and the name are too wide
      {12, "...smith.orv"},
      {11, "smith.orv"},  // no room for "..."
      {9, "smith.orv"},
      {8, "smith"},  // name with extension too wide
      {5, "smith"},
      {4, "smit"},  // even the name is too wide
      {1, "s"},
      {0, "s"},
  };
  for (const auto& c : cases) {
    std::string out = Compact(path, c.width);
    EXPECT_EQ(out, c.result) << c.width;
    if (c.width >= 5) {
      EXPECT_LE(static_cast<int>(out.size()), c.width) << c.width;
    }
  }
}

TEST_F(CompactPathTest, RelativePathAndWiderCharacters) {
  EXPECT_EQ(Compact("data/family/kor.orv", 15), "data/...kor.orv");
  plat::FixedWidthTextMeasure wide(10);
  EXPECT_EQ(CompactPathToWidth("/var/lib/x.orv", wide, 100), "/v...x.orv");
  EXPECT_EQ(CompactPathToWidth("/var/lib/x.orv", wide, 140), "/var/lib/x.orv");
}
