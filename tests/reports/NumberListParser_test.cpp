// Reading typed lists of family numbers item by item.
#include "NumberListParser.h"

#include <gtest/gtest.h>

#include <string>

#include "FakePorts.h"

namespace {

// Reads the whole list: the items as "n", "a-b" (the list goes on) or
// "a-b!" (abandoned after it), and the messages shown.
struct ListRead {
  std::string items;
  std::vector<std::string> messages;
};

ListRead ReadList(const std::string& text) {
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  ListRead read;
  int position = 0;
  for (int guard = 0; guard < 100; ++guard) {
    int kind = -1;
    std::int32_t first = -1, last = -1;
    if (rpt::ParseNumberListItem(position, kind, first, last, text) != 0) break;
    if (!read.items.empty()) read.items += ' ';
    read.items += std::to_string(first);
    if (kind != rpt::kNumberItem) read.items += '-' + std::to_string(last);
    if (kind == rpt::kRangeItemThenStop) {
      read.items += '!';
      break;
    }
  }
  for (const auto& call : box.Calls()) read.messages.push_back(call.text);
  return read;
}

TEST(ParseNumberListItem, ReadsItemsAndRejectsMalformedLists) {
  const struct {
    const char* text;
    const char* items;
    bool invalid;
  } cases[] = {
      {"12, 15-17 20", "12 15-17 20", false},
      {"5-3", "5-3", false},
      {"7-9x", "7-9!", true},
      {"7-9, 11", "7-9 11", false},
      {"12-", "", true},
      {"12 - ", "", true},
      {"12,-5", "", true},
      {"12-,5", "", true},
      {"123456", "", true},
      {"1, 123456", "1", true},
      {"1-123456", "", true},
      {"99999", "99999", false},
      {"00042", "42", false},
      {"ab 12", "12", false},
      {"12,,13", "12 13", false},
      {"1--3", "1-3", false},
      {"12 x", "", true},
      {"12;13", "", true},
      {"", "", false},
      {"  ", "", false},
  };
  for (const auto& c : cases) {
    const ListRead read = ReadList(c.text);
    EXPECT_EQ(read.items, c.items) << '"' << c.text << '"';
    if (c.invalid) {
      ASSERT_EQ(read.messages.size(), 1u) << '"' << c.text << '"';
      EXPECT_EQ(read.messages[0], "Invalid List");
    } else {
      EXPECT_TRUE(read.messages.empty()) << '"' << c.text << '"';
    }
  }
}

TEST(ParseNumberListItem, PositionAndKindOfEachItem) {
  const std::string text = "12, 15-17 20";
  int position = 0, kind = -1;
  std::int32_t first = 0, last = 0;
  ASSERT_EQ(rpt::ParseNumberListItem(position, kind, first, last, text), 0);
  EXPECT_EQ(kind, rpt::kNumberItem);
  EXPECT_EQ(first, 12);
  EXPECT_EQ(position, 4);  // the next digit
  ASSERT_EQ(rpt::ParseNumberListItem(position, kind, first, last, text), 0);
  EXPECT_EQ(kind, rpt::kRangeItem);
  EXPECT_EQ(first, 15);
  EXPECT_EQ(last, 17);
  EXPECT_EQ(position, 10);
  ASSERT_EQ(rpt::ParseNumberListItem(position, kind, first, last, text), 0);
  EXPECT_EQ(first, 20);
  EXPECT_EQ(position, 12);
  EXPECT_EQ(rpt::ParseNumberListItem(position, kind, first, last, text), 1);

  // After a range followed by a stray character the position stays behind
  // the second number.
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  position = 0;
  ASSERT_EQ(rpt::ParseNumberListItem(position, kind, first, last, "7-9x"), 0);
  EXPECT_EQ(kind, rpt::kRangeItemThenStop);
  EXPECT_EQ(position, 3);
}

}  // namespace
