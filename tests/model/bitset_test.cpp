#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "BitSet.h"

namespace {

std::string LittleEndian(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

}  // namespace

TEST(BitSet, SettingPastTheEndGrowsAndCountsOnlyRealChanges) {
  CBitSet set;
  ASSERT_EQ(set.Init(8), 1);
  EXPECT_EQ(set.BitCount(), 8u);
  EXPECT_EQ(set.SetBit(8, 1), 0);
  EXPECT_EQ(set.BitCount(), 16u);
  EXPECT_EQ(set.ByteCount(), 2u);
  EXPECT_EQ(set.SetCount(), 1u);
  EXPECT_EQ(set.Test(8), 1);
  EXPECT_EQ(set.GetByte(1), 0x01);

  EXPECT_EQ(set.SetBit(8, 1), 0);  // already set
  EXPECT_EQ(set.SetCount(), 1u);
  EXPECT_EQ(set.SetBit(3, 0), 0);  // already clear
  EXPECT_EQ(set.SetCount(), 1u);
  EXPECT_EQ(set.SetBit(8, 0), 0);
  EXPECT_EQ(set.SetCount(), 0u);
  EXPECT_EQ(set.Test(8), 0);
}

TEST(BitSet, OutOfRangePositionsAreHarmless) {
  CBitSet set;
  set.Init(10);
  EXPECT_EQ(set.BitCount(), 16u);  // rounded up to whole bytes
  EXPECT_EQ(set.Test(-1), 0);
  EXPECT_EQ(set.Test(16), 0);
  EXPECT_EQ(set.Test(1 << 30), 0);
  EXPECT_EQ(set.SetBit(-5, 1), -1);
  EXPECT_EQ(set.GetByte(-1), 0);
  EXPECT_EQ(set.GetByte(2), 0);
  set.SetByte(2, 0xFF);  // ignored
  EXPECT_EQ(set.ByteCount(), 2u);
  EXPECT_EQ(set.SetCount(), 0u);
}

TEST(BitSet, RequestsBeyondTheLimitAreRefusedWithoutHarm) {
  CBitSet set;
  set.SetBit(5, 1);
  EXPECT_EQ(set.SetBit(static_cast<std::int32_t>(CBitSet::kMaxBits), 1), -1);
  EXPECT_EQ(set.SetBit(0x7FFFFFFF, 1), -1);
  EXPECT_EQ(set.Resize(0xFFFFFFFFu), 0);
  EXPECT_EQ(set.BitCount(), 8u);
  EXPECT_EQ(set.Test(5), 1);
  EXPECT_EQ(set.Init(CBitSet::kMaxBits + 1), 0);
  EXPECT_EQ(set.BitCount(), 0u);
  EXPECT_EQ(set.SetBit(static_cast<std::int32_t>(CBitSet::kMaxBits) - 1, 1), 0);
  EXPECT_EQ(set.BitCount(), CBitSet::kMaxBits);
}

TEST(BitSet, CountsFollowBytesAndShrinking) {
  CBitSet set;
  set.Init(32);
  set.SetByte(0, 0xF0);
  set.SetByte(3, 0x03);
  EXPECT_EQ(set.SetCount(), 6u);
  EXPECT_EQ(set.Test(4), 1);
  EXPECT_EQ(set.Test(25), 1);
  set.SetByte(0, 0x01);
  EXPECT_EQ(set.SetCount(), 3u);
  ASSERT_EQ(set.Resize(9), 1);  // drops byte 3, keeps bytes 0-1
  EXPECT_EQ(set.BitCount(), 16u);
  EXPECT_EQ(set.SetCount(), 1u);
  ASSERT_EQ(set.Resize(40), 1);
  EXPECT_EQ(set.GetByte(3), 0);  // grown bytes are zero
  EXPECT_EQ(set.Test(0), 1);
  ASSERT_EQ(set.Resize(0), 1);
  EXPECT_EQ(set.BitCount(), 0u);
  EXPECT_EQ(set.SetCount(), 0u);
}

TEST(BitSet, CopyTakesSizesCountAndBits) {
  CBitSet a, b;
  a.SetBit(3, 1);
  a.SetBit(20, 1);
  b.SetBit(100, 1);
  ASSERT_EQ(b.Copy(a), 1);
  EXPECT_EQ(b.BitCount(), 24u);
  EXPECT_EQ(b.SetCount(), 2u);
  EXPECT_EQ(b.Test(20), 1);
  EXPECT_EQ(b.Test(100), 0);
}

TEST(BitSet, SavesAndLoadsTheLittleEndianStreamForm) {
  CBitSet set;
  set.SetBit(0, 1);
  set.SetBit(9, 1);
  set.SetBit(10, 1);
  std::ostringstream out;
  ASSERT_TRUE(set.Save(out));
  EXPECT_EQ(out.str(), LittleEndian(16) + LittleEndian(3) + std::string("\x01\x06", 2));

  CBitSet back;
  back.SetBit(40, 1);
  std::istringstream in(out.str());
  ASSERT_EQ(back.Load(in), 1);
  EXPECT_EQ(back.BitCount(), 16u);
  EXPECT_EQ(back.SetCount(), 3u);
  EXPECT_EQ(back.Test(9), 1);
  EXPECT_EQ(back.Test(40), 0);
}

TEST(BitSet, EmptyAndBadStreams) {
  CBitSet empty;
  std::ostringstream out;
  ASSERT_TRUE(empty.Save(out));
  EXPECT_EQ(out.str(), LittleEndian(0));
  CBitSet set;
  set.SetBit(3, 1);
  std::istringstream in(out.str());
  EXPECT_EQ(set.Load(in), 1);
  EXPECT_EQ(set.BitCount(), 0u);

  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"claims 20,000,000 bits", LittleEndian(20000000) + LittleEndian(0)},
      {"claims 4 billion bits", LittleEndian(0xFFFFFFF8u) + LittleEndian(0)},
      {"bytes cut short", LittleEndian(32) + LittleEndian(1) + std::string("\x01", 1)},
      {"no bit count", std::string("\x08\x00", 2)},
  };
  for (const auto& c : cases) {
    CBitSet s;
    s.SetBit(3, 1);
    std::istringstream bad(c.bytes);
    EXPECT_EQ(s.Load(bad), 0) << c.what;
    EXPECT_EQ(s.BitCount(), 0u) << c.what;
    EXPECT_EQ(s.SetCount(), 0u) << c.what;
  }

  // A stored set count that disagrees with the bits is not believed.
  CBitSet s;
  std::istringstream wrongCount(LittleEndian(8) + LittleEndian(7) + std::string("\x03", 1));
  ASSERT_EQ(s.Load(wrongCount), 1);
  EXPECT_EQ(s.SetCount(), 2u);
}
