// The sheet's road from Print or Preview to the command posted to the view:
// the print states, the kept choices, the print-to-file switch and the
// checks that stop a run.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "ReportSheetModel.h"

namespace {

using namespace rpt;

// The view: records every call in order.
class FakeSheetTarget : public ReportSheetTarget {
 public:
  int viewKind = 1;
  std::int32_t rin = 5, mrin = 9;
  std::vector<std::string> calls;
  int ViewKind() const override { return viewKind; }
  std::int32_t CurrentRin() override {
    calls.push_back("rin");
    return rin;
  }
  std::int32_t CurrentMrin() override { return mrin; }
  void SetRtfOutput(bool toFile) override { calls.push_back(toFile ? "rtf on" : "rtf off"); }
  void SetReportKind(int kind) override { calls.push_back("kind " + std::to_string(kind)); }
  void PostCommand(unsigned id) override { calls.push_back("post " + std::to_string(id)); }
};

class FakeSheetPage : public SheetPageLogic {
 public:
  int kind = kPageBooks;
  int reportKind = 201;
  bool wall = false;
  bool fills = true;
  int writes = 0, befores = 0;
  PageMargins margins{1, 2, 3, 4};
  int PageKind() const override { return kind; }
  int ReportKind() const override { return reportKind; }
  bool WallChart() const override { return wall; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  void WriteSettings() override { ++writes; }
  bool FillRequest(ReportRequest& request) override {
    request.startRin = 77;
    return fills;
  }
  void BeforeRun(CReportChoiceState&, bool) override { ++befores; }
};

class ReportSheetModelTest : public ::testing::Test {
 protected:
  ReportSheetModelTest() {
    CurrentReportRunState().printState = 0;
    ReportChoiceSlot().reset();
  }
  ~ReportSheetModelTest() override {
    CurrentReportRunState().printState = 0;
    ReportChoiceSlot().reset();
  }
  static bool Names(std::int32_t rin, std::string& name) {
    if (rin <= 0 || rin > 20) return false;
    name = "Person " + std::to_string(rin);
    return true;
  }
  plat::FakeProfile profile;
  plat::ScopedProfile scope{&profile};
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox boxScope{&boxes};
  FakeSheetTarget target;
};

TEST_F(ReportSheetModelTest, StartingPersonFromTheViewOrTheKeptChoices) {
  CReportSheetModel first(target, Names);
  EXPECT_EQ(first.StartingRin(), 5);
  EXPECT_EQ(first.StartingName(), "Person 5");
  ASSERT_TRUE(first.SetStartingPerson(12));
  EXPECT_FALSE(first.SetStartingPerson(40));
  EXPECT_EQ(first.StartingRin(), 12);

  // A run remembers the starting person; a fresh opening forgets it.
  FakeSheetPage page;
  ASSERT_TRUE(first.RunReport(page, true));
  CurrentReportRunState().printState = 6;
  CReportSheetModel reopened(target, Names);
  EXPECT_EQ(reopened.StartingRin(), 12);
  EXPECT_EQ(CurrentReportRunState().printState, 0);
  CReportSheetModel fresh(target, Names);
  EXPECT_EQ(fresh.StartingRin(), 5);

  // Nobody readable: the warning, and starting RIN 1 without a person.
  target.rin = 0;
  CReportSheetModel none(target, Names);
  EXPECT_EQ(none.StartingRin(), 1);
  EXPECT_FALSE(none.HasStartingPerson());
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unable to locate a Starting Person");
  EXPECT_EQ(boxes.Calls()[0].caption, "Please search for a valid RIN");
}

TEST_F(ReportSheetModelTest, PrintAndPreviewSetStatesAndPostAfterTheFileSwitch) {
  struct Case {
    bool preview, toFile;
    int state;
    const char* post;
    bool printOnOk;
    int writes;
  } cases[] = {
      {false, false, 1, "post 57607", true, 0},
      {false, true, 1, "post 57607", true, 0},
      {true, false, 2, "post 57609", false, 1},
      {true, true, 2, "post 57609", false, 1},
  };
  for (const Case& c : cases) {
    CReportSheetModel sheet(target, Names);
    sheet.SetPrintToFile(c.toFile);
    FakeSheetPage page;
    target.calls.clear();
    ASSERT_TRUE(sheet.RunReport(page, c.preview));
    EXPECT_EQ(CurrentReportRunState().printState, c.state);
    const std::vector<std::string> expected{c.toFile ? "rtf on" : "rtf off", "kind 201", c.post};
    EXPECT_EQ(target.calls, expected);
    EXPECT_EQ(sheet.PrintOnOk(), c.printOnOk);
    EXPECT_EQ(page.writes, c.writes);
    EXPECT_EQ(page.befores, 1);
    EXPECT_EQ(CurrentReportRequest().startRin, 77);
    EXPECT_EQ(profile.GetInt("Reports", "PrintToFile", -1), c.toFile ? 1 : 0);
    CurrentReportRunState().printState = 0;
  }
  // The stored switch is read back by the next sheet.
  profile.SetInt("Reports", "PrintToFile", 1);
  EXPECT_TRUE(CReportSheetModel(target, Names).PrintToFile());
}

TEST_F(ReportSheetModelTest, AFailedCheckStopsTheRunAndOnlyAStoppedPrintReopens) {
  struct Case {
    const char* name;
    bool areaOk, fitOk, wall, preview;
    int state;  // 6: the closed sheet opens again; 0: the sheet is still open
  } cases[] = {
      {"printable area, print", false, true, false, false, 6},
      {"wall chart declined, print", true, false, true, false, 6},
      {"printable area, preview", false, true, false, true, 0},
      {"wall chart declined, preview", true, false, true, true, 0},
  };
  for (const Case& c : cases) {
    CReportSheetModel sheet(target, Names);
    sheet.checks.printableArea = [&c](const SheetPageLogic&) { return c.areaOk; };
    sheet.checks.wallChartFit = [&c](const SheetPageLogic&) { return c.fitOk; };
    FakeSheetPage page;
    page.wall = c.wall;
    target.calls.clear();
    EXPECT_FALSE(sheet.RunReport(page, c.preview)) << c.name;
    EXPECT_EQ(CurrentReportRunState().printState, c.state) << c.name;
    EXPECT_EQ(target.calls, std::vector<std::string>{"rtf off"}) << c.name;
    EXPECT_EQ(page.befores, 0);
    EXPECT_TRUE(sheet.PrintOnOk());
    CurrentReportRunState().printState = 0;
  }
  // The wall-chart question is asked of wall charts only.
  CReportSheetModel sheet(target, Names);
  int asked = 0;
  sheet.checks.wallChartFit = [&asked](const SheetPageLogic&) {
    ++asked;
    return false;
  };
  FakeSheetPage standard;
  EXPECT_TRUE(sheet.RunReport(standard, true));
  EXPECT_EQ(asked, 0);
}

TEST_F(ReportSheetModelTest, ReportKindOnlyForTheTwoMainViewsAndNothingStartedWithoutARequest) {
  for (int view : {0, 1, 2, 3}) {
    CReportSheetModel sheet(target, Names);
    target.viewKind = view;
    target.calls.clear();
    FakeSheetPage page;
    sheet.RunReport(page, false);
    const bool kindSet =
        std::find(target.calls.begin(), target.calls.end(), "kind 201") != target.calls.end();
    EXPECT_EQ(kindSet, view == 1 || view == 3) << view;
  }
  CReportSheetModel sheet(target, Names);
  FakeSheetPage empty;
  empty.fills = false;
  target.calls.clear();
  EXPECT_FALSE(sheet.RunReport(empty, false));
  EXPECT_EQ(target.calls, std::vector<std::string>{"rtf off"});
}

TEST_F(ReportSheetModelTest, CancelDropsTheChoicesOnlyWithoutAPendingReport) {
  CReportSheetModel sheet(target, Names);
  ASSERT_TRUE(ReportChoiceSlot());
  CurrentReportRunState().printState = 2;
  sheet.DropReportChoiceState();
  EXPECT_TRUE(ReportChoiceSlot());
  CurrentReportRunState().printState = 0;
  sheet.DropReportChoiceState();
  EXPECT_FALSE(ReportChoiceSlot());
}

}  // namespace
