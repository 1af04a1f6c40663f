#include <gtest/gtest.h>

#include <string>

#include "EventKinds.h"
#include "FitUnit.h"
#include "TextMeasure.h"

namespace {

CPlaceEventObject MakePlace(const char* p1, const char* p2, const char* p3, const char* p4) {
  CEventValue value = CEventValue::EventValueFrom(CDateValue(), p1, p2, p3, p4);
  return CPlaceEventObject(&value);
}

class FitPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDateDisplayOptions(DateDisplayOptions{});
    Use(0, 0);  // smallest toward largest, cut: the plainest fitting
  }
  void TearDown() override { SetPlaceFitOptions(PlaceFitOptions{}); }
  void Use(int levelImportance, int clipping) {
    SetPlaceFitOptions(PlaceFitOptions{levelImportance, clipping});
  }
  plat::FixedWidthTextMeasure dc_{8};  // ", " is 16 pixels, 17 with the separator's extra pixel
};

TEST(MakeInitialsTest, FirstLetterOfEachWord) {
  EXPECT_EQ(MakeInitials("Sangamon County"), "SC");
  EXPECT_EQ(MakeInitials("St. Louis (City)"), "SLC");
  EXPECT_EQ(MakeInitials("o'Brien/Kerry<x>[y]{z}\"q\""), "oBKxyzq");
  EXPECT_EQ(MakeInitials("  "), "");
}

TEST(FitUnitTest, TruncateCutsToCharactersThenWidth) {
  plat::FixedWidthTextMeasure dc(8);
  CFitUnit unit(1, "Springfield", &dc);
  EXPECT_EQ(unit.width, 88);
  EXPECT_EQ(unit.initials, "S");
  unit.Truncate(8, &dc, 40);
  EXPECT_EQ(unit.text, "Sprin");
  EXPECT_EQ(unit.width, 40);
  unit.Truncate(3, nullptr, 0);  // no measure: characters only
  EXPECT_EQ(unit.text, "Spr");
  unit.Truncate(-2, &dc, 100);
  EXPECT_EQ(unit.text, "");

  CFitUnit negative(2, "Abc", &dc);
  negative.Truncate(10, &dc, -5);
  EXPECT_EQ(negative.text, "");

  // Name parts of levels 101-199 keep their trailing blank.
  CFitUnit given(150, "Margaret ", &dc);
  given.Truncate(5, &dc, 1000);
  EXPECT_EQ(given.text, "Marga ");
  given.Truncate(99, &dc, 24);
  EXPECT_EQ(given.text, "Ma ");
}

TEST_F(FitPlaceTest, EverythingFitsJoinedInPlace) {
  EXPECT_EQ(MakePlace("Leeds", "Yorkshire", "", "England").FitPlace(81, ", ", &dc_, 2000),
            "Leeds, Yorkshire, , England");
  // Parts 1 and 4 alone keep two empty slots between them.
  EXPECT_EQ(MakePlace("Leeds", "", "", "England").FitPlace(81, ", ", &dc_, 2000),
            "Leeds, , , England");
  EXPECT_EQ(MakePlace("", "", "", "").FitPlace(81, ", ", &dc_, 2000), "");
  // The character limit is capped at 81: the text stays below 81 characters.
  const std::string long40(40, 'a');
  const std::string fitted =
      MakePlace(long40.c_str(), long40.c_str(), "", "").FitPlace(500, ", ", nullptr, 3);
  EXPECT_EQ(fitted.size(), 80u);
}

TEST_F(FitPlaceTest, LevelImportanceDecidesWhatIsCut) {
  // Four parts of four characters; 20 characters leave the key part whole,
  // two more whole and the last cut to two characters.
  const CPlaceEventObject place = MakePlace("Aaaa", "Bbbb", "Cccc", "Dddd");
  const char* expected[6] = {
      "Aaaa, Bbbb, Cccc, Dd",  // 0 smallest toward largest
      "Aaaa, Bbbb, Cc, Dddd",  // 1 smallest, largest, next smallest
      "Aaaa, Bb, Cccc, Dddd",  // 2 smallest, largest, next largest
      "Aa, Bbbb, Cccc, Dddd",  // 3 largest toward smallest
      "Aaaa, Bb, Cccc, Dddd",  // 4 largest, smallest, next largest
      "Aaaa, Bbbb, Cc, Dddd",  // 5 largest, smallest, next smallest
  };
  for (int option = 0; option < 6; ++option) {
    Use(option, 0);
    EXPECT_EQ(place.FitPlace(21, ", ", nullptr, 2000), expected[option]) << "FPos " << option;
  }
}

TEST_F(FitPlaceTest, LargestFirstKeepsTheCountryWhole) {
  Use(3, 0);
  const CPlaceEventObject place = MakePlace("Springfield", "Sangamon", "Illinois", "USA");
  // By characters: the town goes, the county is cut.
  EXPECT_EQ(place.FitPlace(20, ", ", nullptr, 2000), ", Sa, Illinois, USA");
  // By pixels: USA (24) and three separators (51) leave 22 of 97 pixels for
  // the rest: Illinois does not fit and is cut to two letters.
  EXPECT_EQ(place.FitPlace(81, ", ", &dc_, 99), ", , Il, USA");
  // A key part that does not fit alone is cut.
  EXPECT_EQ(MakePlace("Springfield", "", "", "").FitPlace(6, ", ", nullptr, 2000), "Sprin");
}

TEST_F(FitPlaceTest, PixelWidthLosesTwoPixelsAndCountsSeparators) {
  const CPlaceEventObject place = MakePlace("Aaaa", "Bbbb", "", "");
  // 32 + 17 + 32 = 81 pixels.
  EXPECT_EQ(place.FitPlace(81, ", ", &dc_, 83), "Aaaa, Bbbb");
  EXPECT_EQ(place.FitPlace(81, ", ", &dc_, 82), "Aaaa, Bbb");
}

TEST_F(FitPlaceTest, InitialsModeWidensPartsInTurn) {
  Use(0, 1);
  const CPlaceEventObject place =
      MakePlace("Springfield", "Sangamon County", "Illinois", "United States");
  // Springfield whole (11), one initial each (3 x 3), then Sangamon County
  // grows to "SC" and whole; Illinois cannot grow; United States to "US".
  EXPECT_EQ(place.FitPlace(41, ", ", nullptr, 2000), "Springfield, Sangamon County, I, US");
  // Room for the key part and single initials only.
  EXPECT_EQ(place.FitPlace(21, ", ", nullptr, 2000), "Springfield, S, I, U");
  // Room for one initial: the rest is left out.
  EXPECT_EQ(place.FitPlace(15, ", ", nullptr, 2000), "Springfield, S");
}

TEST_F(FitPlaceTest, DatePlaceWithNumber) {
  CEventValue value = CEventValue::EventValueFrom(CDateValue(), "Leeds", "Yorkshire");
  value.date.Set(1900, 1, 5);
  const CBirthEvent birth(&value);
  EXPECT_EQ(birth.FormatDatePlace(81, nullptr, 0, 42), "5 Jan 1900 - Leeds, Yorkshire -- 42");
  EXPECT_EQ(birth.FormatDatePlace(81, nullptr, 0, 0), "5 Jan 1900 - Leeds, Yorkshire");
  // Head (13) and tail (6) leave no room below 19: the head and the number.
  EXPECT_EQ(birth.FormatDatePlace(19, nullptr, 0, 42), "5 Jan 1900 - 42");
  EXPECT_EQ(birth.FormatDatePlace(13, nullptr, 0, 0), "5 Jan 1900 - ");
  // With a measure the place gets the pixels the head and tail leave:
  // 202 - 104 - 48 = 50, less 2: Leeds (40) and no room for more.
  EXPECT_EQ(birth.FormatDatePlace(81, &dc_, 202, 42), "5 Jan 1900 - Leeds -- 42");
  EXPECT_EQ(birth.FormatDatePlace(81, &dc_, 150, 42), "5 Jan 1900 - 42");

  // Without a date the head is "- "; without a measure all four parts fit.
  const CDeathEvent death(&value);
  CDeathEvent undated(death);
  undated.date.Reset();
  undated.place[2] = "England";
  undated.place[3] = "UK";
  EXPECT_EQ(undated.FormatDatePlace(81, nullptr, 0, 0), "- Leeds, Yorkshire, England, UK");

  EXPECT_EQ(birth.FormatDateFitted(1000, &dc_), "5 Jan 1900");
  EXPECT_EQ(birth.FormatDateFitted(70, &dc_), "Jan 1900");
  EXPECT_EQ(undated.FormatDateFitted(1000, &dc_), "");
}

}  // namespace
