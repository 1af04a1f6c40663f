// The Fonts dialog's list and the Colors dialog's colours and sample: where
// a click lands, what Windows Colors and OK leave in the profile.
#include <gtest/gtest.h>

#include "AppOptions.h"
#include "FakePorts.h"
#include "SettingsDialogs.h"
#include "SystemColors.h"

namespace {

using namespace shell;

TEST(ColorsSampleTest, ClicksPickTheColourOfTheSpotClicked) {
  // 160 x 140: columns of 20, rows of 20. Name box x 20-99, y 80-119, split
  // right of 46; selected box x 60-139, y 20-59, split right of 113.
  const ColorsSample s = ColorsSample::Layout({0, 0, 160, 140});
  struct Case {
    int x, y, which;
  };
  const Case cases[] = {
      {21, 90, ColorsModel::kNameText},
      {46, 90, ColorsModel::kNameText},
      {47, 90, ColorsModel::kNameBackground},
      {99, 119, ColorsModel::kNameBackground},
      {100, 90, ColorsModel::kWindowBackground},
      {61, 30, ColorsModel::kSelectedNameText},
      {113, 30, ColorsModel::kSelectedNameText},
      {114, 30, ColorsModel::kSelectedNameBackground},
      {5, 5, ColorsModel::kWindowBackground},
      {159, 139, ColorsModel::kWindowBackground},
      {160, 10, -1},
      {10, -1, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(s.Hit(c.x, c.y), c.which) << c.x << "," << c.y;

  // An offset sample keeps its proportions.
  const ColorsSample moved = ColorsSample::Layout({100, 50, 260, 190});
  EXPECT_EQ(moved.Hit(121, 140), ColorsModel::kNameText);
  EXPECT_EQ(moved.Hit(147, 140), ColorsModel::kNameBackground);
  EXPECT_EQ(moved.Hit(50, 140), -1);
  EXPECT_EQ(moved.nameTextX, 130);
  EXPECT_EQ(moved.nameTextY, 133);
  EXPECT_EQ(moved.selectedTextX, 170);
  EXPECT_EQ(moved.selectedTextY, 73);
}

class ColorsModelTest : public ::testing::Test {
 protected:
  plat::FakeProfile profile;
  plat::ScopedProfile scoped{&profile};
  CAppOptions options;
};

TEST_F(ColorsModelTest, WindowsColorsAndOkLeaveNoColourInTheProfile) {
  // Colours stored earlier are removed too.
  for (const char* name : {"ColorNameText", "ColorNameBackground", "ColorSelectedNameText",
                           "ColorSelectedNameBackground", "ColorBackground"})
    profile.SetInt("Options", name, 0x123456);
  options.Load();
  ColorsModel model;
  model.Load(options);
  EXPECT_EQ(model.colors[ColorsModel::kNameText], 0x123456u);
  model.UseSystemColors();
  model.Store(options);
  for (const char* name : {"ColorNameText", "ColorNameBackground", "ColorSelectedNameText",
                           "ColorSelectedNameBackground", "ColorBackground"})
    EXPECT_FALSE(profile.Has("Options", name)) << name;
  EXPECT_EQ(static_cast<unsigned>(options.colorNameText),
            plat::GetSystemColor(plat::SystemColor::kWindowText));
  EXPECT_EQ(static_cast<unsigned>(options.colorBackground),
            plat::GetSystemColor(plat::SystemColor::kButtonFace));
}

TEST_F(ColorsModelTest, ChangingOneColourWritesAllFive) {
  ColorsModel model;
  model.Load(options);
  model.colors[ColorsModel::kNameBackground] = 0x00FFFF;
  model.Store(options);
  EXPECT_EQ(options.colorNameBackground, 0x00FFFF);
  EXPECT_EQ(profile.GetInt("Options", "ColorNameBackground", -1), 0x00FFFF);
  EXPECT_EQ(static_cast<unsigned>(profile.GetInt("Options", "ColorSelectedNameText", -1)),
            plat::GetSystemColor(plat::SystemColor::kHighlightText));
  EXPECT_TRUE(profile.Has("Options", "ColorBackground"));
}

TEST(FontListModelTest, SelectDefaultsAndChosenFonts) {
  FontListModel list;
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.ShownDescription(), "");
  list.entries = {
      {"Title", "Arial;Bold;16pt", "Arial;Bold;14pt", 0, 0, 0},
      {"Notes", "Times New Roman;Normal;9pt", "Courier;Normal;10pt", kFontScreen | kFontLimitSize,
       6, 12},
  };
  EXPECT_EQ(list.ShownDescription(), "Arial Bold 16pt");
  EXPECT_FALSE(list.NeedsPrinter());
  list.Select(5);  // out of range: stays
  EXPECT_EQ(list.Current(), 0);
  list.SetChosen("Verdana", 40, 400, true);  // no limit asked
  EXPECT_EQ(list.entries[0].description, "Verdana;Normal Italic;40pt");

  list.Select(1);
  EXPECT_TRUE(list.NeedsPrinter());
  list.SetChosen("Verdana", 40, 700, false);
  EXPECT_EQ(list.entries[1].description, "Verdana;Bold;12pt");
  list.SetChosen("Verdana", 2, 700, false);
  EXPECT_EQ(list.entries[1].description, "Verdana;Bold;6pt");
  EXPECT_EQ(list.ShownDescription(), "Verdana Bold 6pt");

  list.SetDefaults();
  EXPECT_EQ(list.entries[0].description, "Arial;Bold;14pt");
  EXPECT_EQ(list.entries[1].description, "Courier;Normal;10pt");
}

}  // namespace
