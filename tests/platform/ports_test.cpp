#include <gtest/gtest.h>

#include "FakePorts.h"

namespace {

TEST(Ports, DefaultAnswerIsTheDefaultButton) {
  EXPECT_EQ(plat::DefaultAnswer(plat::kMbOk), plat::kIdOk);
  EXPECT_EQ(plat::DefaultAnswer(plat::kMbYesNo), plat::kIdYes);
  EXPECT_EQ(plat::DefaultAnswer(plat::kMbYesNo | plat::kMbDefButton2), plat::kIdNo);
  EXPECT_EQ(plat::DefaultAnswer(plat::kMbYesNoCancel | plat::kMbDefButton3), plat::kIdCancel);
  EXPECT_EQ(plat::DefaultAnswer(plat::kMbAbortRetryIgnore | plat::kMbDefButton2), plat::kIdRetry);
}

TEST(Ports, FakeMessageBoxRecordsAndAnswersInTurn) {
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scope(&box);
  box.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(plat::MessageBox("Delete?", "Yo", plat::kMbYesNo), plat::kIdNo);
  EXPECT_EQ(plat::MessageBox("Again?", "Yo", plat::kMbYesNo), plat::kIdYes);
  ASSERT_EQ(box.Calls().size(), 2u);
  EXPECT_EQ(box.Calls()[0].text, "Delete?");
  EXPECT_EQ(box.Calls()[1].caption, "Yo");
}

TEST(Ports, ScopedPortRestoresThePrevious) {
  plat::FakeMessagePump outer, inner;
  plat::ScopedMessagePump a(&outer);
  {
    plat::ScopedMessagePump b(&inner);
    plat::PumpWaitingMessages();
  }
  plat::PumpWaitingMessages();
  EXPECT_EQ(inner.pumps, 1);
  EXPECT_EQ(outer.pumps, 1);
}

TEST(Ports, PumpAndProgressReportQuitAndCancel) {
  plat::FakeMessagePump pump;
  pump.quitAfter = 3;
  plat::ScopedMessagePump scope(&pump);
  int steps = 0;
  while (plat::PumpWaitingMessages()) ++steps;
  EXPECT_EQ(steps, 2);

  plat::FakeProgress progress;
  progress.cancelAfter = 2;
  plat::ScopedProgress ps(&progress);
  plat::Progress().Begin("Sorting", 10);
  EXPECT_FALSE(plat::Progress().CancelRequested());
  EXPECT_TRUE(plat::Progress().CancelRequested());
  EXPECT_EQ(progress.range, 10);
}

TEST(Ports, ProfileStoresIntsAndStrings) {
  plat::FakeProfile profile;
  plat::ScopedProfile scope(&profile);
  auto& p = plat::Profile();
  EXPECT_EQ(p.GetInt("Options", "NoteTool", 7), 7);
  p.SetInt("Options", "NoteTool", 1);
  p.SetString("Start Up", "FamilyFile", "/home/a/fam.orv");
  EXPECT_EQ(p.GetInt("Options", "NoteTool", 7), 1);
  EXPECT_EQ(p.GetString("Start Up", "FamilyFile", ""), "/home/a/fam.orv");
  EXPECT_TRUE(p.Remove("Options", "NoteTool"));
  EXPECT_FALSE(profile.Has("Options", "NoteTool"));
}

// Like the desktop store, the memory store reads an integer only from a
// decimal number: a colour text is no integer.
TEST(Ports, ProfileIntsAreDecimalOnly) {
  plat::FakeProfile p;
  const struct {
    const char* text;
    int value;
  } cases[] = {{"12", 12},  {"-3", -3},  {" 40 ", 40}, {"0X1F", 7},
               {"0x1f", 7}, {"12ab", 7}, {"", 7}};
  for (const auto& c : cases) {
    p.SetString("Options", "Value", c.text);
    EXPECT_EQ(p.GetInt("Options", "Value", 7), c.value) << c.text;
  }
}

TEST(Ports, ColoursAreKeptAsHexText) {
  plat::FakeProfile p;
  EXPECT_TRUE(p.SetColor("Reports", "ShadeClr", 0x123456));
  EXPECT_EQ(p.GetString("Reports", "ShadeClr", ""), "0X123456");
  EXPECT_EQ(p.GetColor("Reports", "ShadeClr", 7), 0x123456u);
  EXPECT_EQ(p.GetColor("Reports", "Missing", 7), 7u);
  EXPECT_EQ(plat::ColorText(0), "0X0");
  const struct {
    const char* text;
    std::uint32_t colour;
  } cases[] = {{"0XF6F6F6", 0xF6F6F6},
               {"0xff00", 0xFF00},
               {"16119285", 16119285},
               {"", 7},
               {"junk", 7},
               {"0X", 7},
               {"0XZZ", 7},
               {"0X12 ", 0x12},
               {"F6F6F6", 7},
               {"010", 8},
               {"-1", 7}};
  for (const auto& c : cases) EXPECT_EQ(plat::ColorFromText(c.text, 7), c.colour) << c.text;
}

}  // namespace
