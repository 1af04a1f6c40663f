#include <gtest/gtest.h>

#include <fstream>

#include "CodePage.h"
#include "StringTable.h"
#include "TempDir.h"

namespace {

TEST(FormatInserts, NumberedInsertsWithAndWithoutTypes) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"%1!lu! records", "12 records"}, {"%2 before %1", "b before 12"},
      {"100%% of %1", "100% of 12"},    {"%s and %d stay for printf", "%s and %d stay for printf"},
      {"missing %3.", "missing ."},     {"trailing %", "trailing %"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(res::FormatInserts(c.text, {"12", "b"}), c.expected) << c.text;
}

class CatalogTest : public ::testing::Test {
 protected:
  void TearDown() override { res::UnloadCatalog(); }
  TempDir dir_;
};

TEST_F(CatalogTest, CatalogReplacesTheWholeTable) {
  std::string path = dir_.File("korvaneDE.res");
  {
    std::ofstream f(path);
    f << "# German\n6000\tZ\\u00fcrich\n";  // \u is not an escape of the format
  }
  EXPECT_FALSE(res::LoadCatalogFile(path)) << "a malformed catalog must be refused";
  {
    std::ofstream f(path);
    f << "# German\n6000\tGr\xC3\xBC\xC3\x9F"
         "e\\n%1\n6002\tzwei\n";
  }
  ASSERT_TRUE(res::LoadCatalogFile(path));
  plat::SetActiveCodePage(1252);
  EXPECT_EQ(res::LoadString(6000),
            "Gr\xFC\xDF"
            "e\n%1");
  EXPECT_TRUE(res::HasString(6002));
  EXPECT_FALSE(res::HasString(6001));
  EXPECT_EQ(res::LoadString(6001), "");
  EXPECT_EQ(res::FormatString(6000, {"x"}),
            "Gr\xFC\xDF"
            "e\nx");
}

TEST_F(CatalogTest, EnglishAndMissingCatalogKeepTheBuiltInTable) {
  EXPECT_TRUE(res::LoadLanguageCatalog("en"));
  EXPECT_FALSE(res::LoadLanguageCatalog("XX"));
  EXPECT_EQ(res::CatalogPath("/opt/korvane", "DE"), "/opt/korvaneDE.res");
}

}  // namespace
