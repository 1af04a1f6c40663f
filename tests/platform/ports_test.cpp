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
  p.SetString("Options", "Color", "0X1F");
  EXPECT_EQ(p.GetInt("Options", "Color", 0), 0x1F);
  EXPECT_TRUE(p.Remove("Options", "NoteTool"));
  EXPECT_FALSE(profile.Has("Options", "NoteTool"));
}

}  // namespace
