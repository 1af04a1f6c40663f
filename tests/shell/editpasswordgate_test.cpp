// The edit password gate: when it asks, what it answers, and when it locks.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "EditPasswordGate.h"
#include "FakePorts.h"

namespace {

using shell::EditPasswordGate;

class EditPasswordGateTest : public ::testing::Test {
 protected:
  // Answers the dialog with the queued texts (nullopt = Cancel) and counts.
  std::function<std::optional<std::string>()> Ask(std::vector<std::optional<std::string>> answers) {
    answers_ = std::move(answers);
    return [this]() -> std::optional<std::string> {
      ++asked;
      if (answers_.empty()) return std::nullopt;
      std::optional<std::string> a = answers_.front();
      answers_.erase(answers_.begin());
      return a;
    };
  }
  int Refusals() const { return static_cast<int>(boxes.Calls().size()); }

  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  int asked = 0;
  std::vector<std::optional<std::string>> answers_;
};

TEST_F(EditPasswordGateTest, EmptyPasswordNeverAsks) {
  EditPasswordGate gate;
  gate.Start("");
  auto ask = Ask({});
  for (int i = 0; i < 3; ++i) EXPECT_EQ(gate.Check("", ask), 1);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(Refusals(), 0);
}

TEST_F(EditPasswordGateTest, RightPasswordAtTheSecondTryHoldsForTheRun) {
  EditPasswordGate gate;
  gate.Start("Oak");
  auto ask = Ask({std::string("oak"), std::string("Oak")});
  EXPECT_EQ(gate.Check("Oak", ask), 0);  // letter case counts
  EXPECT_EQ(Refusals(), 1);
  EXPECT_EQ(boxes.Calls()[0].text, "You are not authorized to perform this function.");
  EXPECT_EQ(gate.Check("Oak", ask), 1);
  EXPECT_EQ(gate.Check("Oak", ask), 1);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Refusals(), 1);
}

TEST_F(EditPasswordGateTest, ThreeCancelsLockWithoutAskingAgain) {
  EditPasswordGate gate;
  gate.Start("Oak");
  auto ask = Ask({std::nullopt, std::nullopt, std::nullopt, std::string("Oak")});
  for (int i = 0; i < 3; ++i) EXPECT_EQ(gate.Check("Oak", ask), 0);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(gate.Check("Oak", ask), 0);
  EXPECT_EQ(asked, 3);  // locked: no dialog
  EXPECT_EQ(Refusals(), 4);
}

}  // namespace
