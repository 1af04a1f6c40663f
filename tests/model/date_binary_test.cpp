#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "DateValue.h"

namespace {

std::array<std::uint8_t, kPackedDateSize> Pack(const CDateValue& d, std::int32_t ref = 0) {
  std::array<std::uint8_t, kPackedDateSize> bytes{};
  EXPECT_TRUE(PackDate(d, ref, bytes.data()));
  return bytes;
}

bool SameFields(const CDateValue& a, const CDateValue& b) {
  return a.year == b.year && a.dualYear == b.dualYear && a.qualifier == b.qualifier &&
         a.day == b.day && a.secondDay == b.secondDay && a.month == b.month && a.bc == b.bc &&
         a.flagA == b.flagA && a.flagB == b.flagB && a.textOnly == b.textOnly && a.text == b.text;
}

TEST(PackedDate, LayoutOfAStandardDate) {
  CDateValue d;
  d.Set(1900, 3, 5, CDateValue::kQualAbt, 0, 6, true);
  d.flagA = 1;
  d.flagB = 1;
  d.dualYear = 46;
  const auto bytes = Pack(d);
  const unsigned first = (1900u << 3) | 2 | 4;
  EXPECT_EQ(bytes[0], first & 0xFF);
  EXPECT_EQ(bytes[1], first >> 8);
  EXPECT_EQ(bytes[2], (3 << 3) | 4);
  EXPECT_EQ(bytes[3], 5 << 3);
  EXPECT_EQ(bytes[4], (6 << 3) | 3);
  EXPECT_EQ(bytes[5], 46);
  CDateValue back;
  EXPECT_EQ(UnpackDate(bytes.data(), back), 0);
  d.flagA = 0;  // flag A is not read back
  EXPECT_TRUE(SameFields(back, d));
}

TEST(PackedDate, TextOnlyDateCarriesItsTextReference) {
  CDateValue d;
  d.SetText("see the register of 1850");
  d.bc = 1;
  const std::int32_t ref = static_cast<std::int32_t>(0x89ABCDEF);
  const auto bytes = Pack(d, ref);
  EXPECT_EQ(bytes[0] & 1, 1);
  EXPECT_EQ(bytes[2], 0xEF);
  EXPECT_EQ(bytes[5], 0x89);
  CDateValue back;
  EXPECT_EQ(UnpackDate(bytes.data(), back), ref);
  EXPECT_EQ(back.textOnly, 1);
  EXPECT_EQ(back.year, 1850);
  EXPECT_EQ(back.bc, 1);
  EXPECT_TRUE(back.text.empty());

  std::map<std::int32_t, std::string> store{{ref, d.text}};
  CDateValue resolved;
  UnpackDate(bytes.data(), resolved, [&](std::int32_t r) { return store.at(r); });
  EXPECT_TRUE(SameFields(resolved, d));
}

TEST(PackedDate, EveryValidValueRoundTripsBitForBit) {
  // Each field through its whole range, the others at varying values.
  int checked = 0;
  for (int year : {0, 1, 5, 1745, 3000, 8191})
    for (int month = 0; month <= 31; ++month)
      for (int day = 0; day <= 31; day += 3)
        for (int second = 0; second <= 31; second += 7)
          for (int qualifier = 0; qualifier <= 7; ++qualifier)
            for (int dual : {0, 1, 128, 255})
              for (int flags = 0; flags < 4; ++flags) {
                CDateValue d;
                d.Set(year, month, day, qualifier, dual, second, flags & 1);
                d.flagB = (flags >> 1) & 1;
                std::array<std::uint8_t, kPackedDateSize> bytes{};
                ASSERT_TRUE(PackDate(d, 0, bytes.data()));
                CDateValue back;
                ASSERT_EQ(UnpackDate(bytes.data(), back), 0);
                ASSERT_TRUE(SameFields(back, d)) << year << " " << month << " " << day;
                std::array<std::uint8_t, kPackedDateSize> again{};
                ASSERT_TRUE(PackDate(back, 0, again.data()));
                ASSERT_EQ(again, bytes);
                ++checked;
              }
  EXPECT_GT(checked, 0);
}

TEST(PackedDate, PartsTooWideAreReported) {
  CDateValue d;
  d.Set(8192, 1);
  std::array<std::uint8_t, kPackedDateSize> bytes{};
  EXPECT_FALSE(PackDate(d, 0, bytes.data()));
  d.Set(1900, 32);
  EXPECT_FALSE(PackDate(d, 0, bytes.data()));
  d.Set(1900, 1, 1, 8);
  EXPECT_FALSE(PackDate(d, 0, bytes.data()));
}

TEST(BinaryDate, StandardAndTextFormsRoundTrip) {
  CDateValue d;
  d.Set(1745, 2, 5, CDateValue::kQualCal, 1, 6, true);
  const std::vector<std::uint8_t> bytes = d.Write(true);
  ASSERT_EQ(bytes.size(), 8u);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xD1, 0x06, 1, 1, 2, 5, 6, 4}));
  CDateValue back;
  std::size_t used = 0;
  ASSERT_TRUE(back.Read(bytes, &used));
  EXPECT_EQ(used, 8u);
  EXPECT_TRUE(SameFields(back, d));

  CDateValue text;
  text.SetText("Michaelmas 1701");
  const std::vector<std::uint8_t> withText = text.Write(true);
  ASSERT_EQ(withText.size(), 8u + text.text.size());
  EXPECT_EQ(withText[0], 0xFF);
  EXPECT_EQ(withText[1], 0xFF);
  ASSERT_TRUE(back.Read(withText, &used));
  EXPECT_EQ(used, withText.size());
  EXPECT_TRUE(SameFields(back, text));

  // Without text the year survives as a standard date.
  ASSERT_TRUE(back.Read(text.Write(false)));
  EXPECT_EQ(back.textOnly, 0);
  EXPECT_EQ(back.year, 1701);
}

TEST(BinaryDate, ShortDataLeavesTheDateReset) {
  CDateValue d;
  d.Set(1900, 1, 1);
  const std::vector<std::uint8_t> seven(7, 1);
  EXPECT_FALSE(d.Read(seven));
  EXPECT_FALSE(d.IsSet());
  CDateValue text;
  text.SetText("long text");
  std::vector<std::uint8_t> cut = text.Write(true);
  cut.pop_back();
  d.Set(1900, 1, 1);
  EXPECT_FALSE(d.Read(cut));
  EXPECT_FALSE(d.IsSet());
}

TEST(BinaryDate, OldTenByteForm) {
  const std::vector<std::uint8_t> old{3, 0, 5, 0, 0x6D, 0x06, 1, 0, 2, 0};
  CDateValue d;
  ASSERT_TRUE(d.ReadOld(old));
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.day, 5);
  EXPECT_EQ(d.year, 1645);
  EXPECT_EQ(d.dualYear, 1);
  EXPECT_EQ(d.qualifier, 2);
  EXPECT_FALSE(d.ReadOld(std::vector<std::uint8_t>(9, 0)));
}

TEST(DateValue, SetFromTimeAndBack) {
  std::tm local{};
  local.tm_year = 2001 - 1900;
  local.tm_mon = 6;
  local.tm_mday = 14;
  local.tm_hour = 15;
  local.tm_isdst = -1;
  const std::time_t t = std::mktime(&local);
  CDateValue d;
  d.qualifier = CDateValue::kQualAbt;
  ASSERT_TRUE(d.SetFromTime(t));
  EXPECT_EQ(d.year, 2001);
  EXPECT_EQ(d.month, 7);
  EXPECT_EQ(d.day, 14);
  EXPECT_EQ(d.qualifier, 0);
  const std::time_t midnight = d.ToTime();
  EXPECT_EQ(t - midnight, 15 * 3600);
}

}  // namespace
