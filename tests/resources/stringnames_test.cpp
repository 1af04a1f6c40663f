#include <gtest/gtest.h>

#include <sstream>

#include "StringIds.h"
#include "StringNames.h"
#include "StringTable.h"

namespace {

const std::set<unsigned> kTableIds = {101, 3494, 7080};

TEST(StringIdsHeader, NamesEveryListedIdInIdOrder) {
  std::istringstream names(
      "# comment\n"
      "\n"
      "7080\tkIdsUnknownUpper\r\n"
      "101\tkIdsAppName\n");
  std::string header, error;
  ASSERT_TRUE(res::BuildStringIdsHeader(names, kTableIds, header, error)) << error;
  const std::size_t app = header.find("inline constexpr unsigned kIdsAppName = 101;\n");
  const std::size_t unknown = header.find("inline constexpr unsigned kIdsUnknownUpper = 7080;\n");
  ASSERT_NE(app, std::string::npos) << header;
  ASSERT_NE(unknown, std::string::npos) << header;
  EXPECT_LT(app, unknown);
  EXPECT_EQ(header.find("3494"), std::string::npos) << "an id the list does not name gets no name";
  EXPECT_EQ(header.rfind("#pragma once\n", 0), 0u);
}

TEST(StringIdsHeader, RefusesAListThatBreaksARule) {
  struct Case {
    const char* list;
    const char* error;
  } cases[] = {
      {"101 kIdsAppName\n", "line 1: expected id<TAB>name"},
      {"x101\tkIdsAppName\n", "line 1: expected id<TAB>name"},
      {"\tkIdsAppName\n", "line 1: expected id<TAB>name"},
      {"101\tAppName\n", "line 1: \"AppName\" is not a name starting with kIds"},
      {"101\tkIds\n", "line 1: \"kIds\" is not a name starting with kIds"},
      {"101\tkIdsApp Name\n", "line 1: \"kIdsApp Name\" is not a name starting with kIds"},
      {"# first\n102\tkIdsAppName\n", "line 2: the string table has no id 102"},
      {"101\tkIdsAppName\n101\tkIdsTitle\n", "line 2: id 101 already named kIdsAppName"},
      {"101\tkIdsAppName\n3494\tkIdsAppName\n", "line 2: kIdsAppName already names id 101"},
  };
  for (const auto& c : cases) {
    std::istringstream names(c.list);
    std::string header, error;
    EXPECT_FALSE(res::BuildStringIdsHeader(names, kTableIds, header, error)) << c.list;
    EXPECT_EQ(error, c.error) << c.list;
  }
}

// The names the code reads texts by say what the texts are.
TEST(StringIds, NamedIdsGiveTheirTexts) {
  struct Case {
    unsigned id;
    const char* text;
  } cases[] = {
      {res::kIdsAppName, "Korvane"},
      {res::kIdsUnknown, "Unknown"},
      {res::kIdsUnknownUpper, "UNKNOWN"},
      {res::kIdsDivorced, "(Div)"},
      {res::kIdsDivorcedShort, "(D)"},
      {res::kIdsNotMarried, "(nm)"},
      {res::kIdsMrin, "MRIN"},
      {res::kIdsRin, "RIN"},
  };
  for (const auto& c : cases) EXPECT_EQ(res::LoadString(c.id), c.text) << c.id;
}

}  // namespace
