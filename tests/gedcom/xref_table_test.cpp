// The import's table of identifiers: every identifier added is found again
// with its own entry through the table's growth, entries stay where they
// are, others are not found, and a walk meets the entries in the order added.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XrefTable.h"

namespace {

TEST(XrefTable, FindsEachIdentifierThroughGrowthAndKeepsEntriesInPlace) {
  gedcom::XrefTable<int> table;
  EXPECT_EQ(table.find("I1"), nullptr);  // an empty table
  // Identifiers as files write them, one without an identifier's key of its
  // own, and some that differ only in their last letter or length.
  std::vector<std::string> keys = {"I1",
                                   "I10",
                                   "I1 ",
                                   "\x01"
                                   "0",
                                   "F1",
                                   "S1",
                                   "N1",
                                   "@"};
  for (int i = 0; i < 5000; ++i) keys.push_back("P" + std::to_string(i));
  std::vector<int*> places;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto [entry, added] = table.try_emplace(keys[i]);
    ASSERT_TRUE(added) << keys[i];
    EXPECT_EQ(entry->first, keys[i]);
    EXPECT_EQ(entry->second, 0);
    entry->second = static_cast<int>(i) + 1;
    places.push_back(&entry->second);
  }
  ASSERT_EQ(table.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto* entry = table.find(keys[i]);
    ASSERT_NE(entry, nullptr) << keys[i];
    EXPECT_EQ(entry->second, static_cast<int>(i) + 1) << keys[i];
    EXPECT_EQ(&entry->second, places[i]) << keys[i];  // not moved by the growth
    const auto [again, added] = table.try_emplace(keys[i]);
    EXPECT_FALSE(added) << keys[i];
    EXPECT_EQ(&again->second, places[i]) << keys[i];
    EXPECT_EQ(&table[keys[i]], places[i]) << keys[i];
  }
  EXPECT_EQ(table.size(), keys.size());
  for (const char* missing : {"", "I", "I100", "P5000", "p1", "I1  ",
                              "\x01"
                              "1"})
    EXPECT_EQ(table.find(missing), nullptr) << missing;
  std::size_t at = 0;
  for (const auto& [key, value] : table) {
    ASSERT_LT(at, keys.size());
    EXPECT_EQ(key, keys[at]);
    EXPECT_EQ(value, static_cast<int>(at) + 1);
    ++at;
  }
  EXPECT_EQ(at, keys.size());
}

TEST(XrefTable, ReservedRoomHoldsEntriesAddedAfterwards) {
  gedcom::XrefTable<std::string> table;
  table["A"] = "first";
  table.reserve(3000);  // the entries held are hashed into the new slots
  for (int i = 0; i < 3000; ++i) table["K" + std::to_string(i)] = std::to_string(i);
  ASSERT_NE(table.find("A"), nullptr);
  EXPECT_EQ(table.find("A")->second, "first");
  for (int i = 0; i < 3000; i += 7) {
    const auto* entry = table.find("K" + std::to_string(i));
    ASSERT_NE(entry, nullptr) << i;
    EXPECT_EQ(entry->second, std::to_string(i));
  }
}

}  // namespace
