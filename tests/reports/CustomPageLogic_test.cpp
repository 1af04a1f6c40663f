// The Custom page's decisions: opening a layout file replaces the layout
// only when the whole file reads, saving keeps the old file on failure, the
// buttons follow the layout, and the margins are the list reports'.

#include <gtest/gtest.h>

#include <string>

#include "CustomFieldCatalog.h"
#include "CustomLayoutFile.h"
#include "CustomPageLogic.h"
#include "CustomReportState.h"
#include "FakePorts.h"
#include "ReportKinds.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

void AddColumn(CCustomReportLayout& layout, int id) {
  auto column = std::make_unique<CCustomReportColumn>();
  column->fieldId = id;
  column->width = 20;
  column->heading = "h";
  layout.columns.push_back(std::move(column));
}

class CustomPageLogic : public ::testing::Test {
 protected:
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  TempDir dir;
};

TEST_F(CustomPageLogic, OpenReplacesTheLayoutOnlyWhenTheFileReads) {
  CCustomReportLayout stored;
  stored.title = "Stored";
  AddColumn(stored, rpt::kFieldBirthDate);
  const std::string good = dir.File("good.lyt");
  ASSERT_EQ(rpt::SaveCustomLayout(good, stored), 0);
  const std::string bytes = rpt::EncodeCustomLayoutFile(stored);
  const std::string cut = dir.File("cut.lyt");
  WriteAll(cut, bytes.substr(0, bytes.size() - 1));

  CCustomReportLayout layout;
  layout.title = "Mine";
  AddColumn(layout, rpt::kFieldSurnameGiven);
  AddColumn(layout, rpt::kFieldRin);
  rpt::CCustomPageLogic page(layout);
  page.TitleTyped();
  EXPECT_FALSE(page.Open(cut));
  EXPECT_EQ(layout.title, "Mine");
  EXPECT_EQ(layout.columns.size(), 2u);
  EXPECT_TRUE(page.Path().empty());
  EXPECT_FALSE(page.Modified());
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Could not open report layout.");

  EXPECT_TRUE(page.Open(good));
  EXPECT_EQ(layout.title, "Stored");
  ASSERT_EQ(layout.columns.size(), 1u);
  EXPECT_EQ(page.Path(), good);
  EXPECT_EQ(page.Version(), 30);
}

TEST_F(CustomPageLogic, SavingKeepsTheOldFileWhenItFails) {
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven);
  rpt::CCustomPageLogic page(layout);
  const std::string path = dir.File("a.lyt");
  ASSERT_TRUE(page.SaveAs(path, "Names"));
  EXPECT_EQ(layout.title, "Names");
  EXPECT_EQ(ReadAll(path), rpt::EncodeCustomLayoutFile(layout));

  AddColumn(layout, rpt::kFieldBirthDate);
  page.SetModified(true);
  ASSERT_TRUE(page.Save());
  EXPECT_FALSE(page.Modified());
  const std::string saved = ReadAll(path);
  EXPECT_EQ(saved, rpt::EncodeCustomLayoutFile(layout));

  // A file that cannot be replaced: the message, the old bytes stay.
  EXPECT_FALSE(page.SaveAs(dir.File("missing/b.lyt"), "Elsewhere"));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Could not save report layout.");
  EXPECT_EQ(page.Path(), path);
  EXPECT_EQ(ReadAll(path), saved);
}

TEST_F(CustomPageLogic, ButtonsFollowTheLayout) {
  CCustomReportLayout layout;
  rpt::CCustomPageLogic page(layout);
  struct Case {
    int columns;
    bool modified;
    int individuals;
    bool save, saveAs, exportFile;
  };
  const Case cases[] = {
      {0, false, 5, false, false, false}, {0, true, 5, false, false, false},
      {1, false, 5, false, true, true},   {1, true, 5, true, true, true},
      {2, true, 0, true, true, false},
  };
  for (const Case& c : cases) {
    layout.columns.clear();
    for (int i = 0; i < c.columns; ++i) AddColumn(layout, rpt::kCustomFieldFirst + i);
    page.SetModified(c.modified);
    EXPECT_EQ(page.CanSave(), c.save);
    EXPECT_EQ(page.CanSaveAs(), c.saveAs);
    EXPECT_EQ(page.CanExport(c.individuals), c.exportFile);
  }
  page.New();
  EXPECT_EQ(layout.title, "Custom Report");
  EXPECT_TRUE(layout.columns.empty());
  EXPECT_FALSE(page.Modified());
  EXPECT_EQ(page.Version(), 30);

  EXPECT_EQ(rpt::CCustomPageLogic::FilterCaption(""), "Filter");
  EXPECT_EQ(rpt::CCustomPageLogic::FilterCaption("Cousins"), "Filter - Cousins");
}

TEST_F(CustomPageLogic, MarginsAndTheRequest) {
  CCustomReportLayout layout;
  rpt::CCustomPageLogic page(layout);
  EXPECT_EQ(page.Margins(), (rpt::PageMargins{400, 500, 400, 500}));
  page.SetMargins({100, 200, 300, 400});
  page.WriteSettings();
  EXPECT_EQ(profile.GetInt("LstRpt", "PageLM", 0), 100);
  EXPECT_EQ(profile.GetInt("LstRpt", "PageTM", 0), 200);
  EXPECT_EQ(profile.GetInt("LstRpt", "PageRM", 0), 300);
  EXPECT_EQ(profile.GetInt("LstRpt", "PageBM", 0), 400);
  EXPECT_EQ(rpt::CCustomPageLogic(layout).Margins(), (rpt::PageMargins{100, 200, 300, 400}));

  rpt::SetCustomReportSelection(nullptr);
}

// A run without individuals or without fields stops, and says why.
TEST_F(CustomPageLogic, RequestNeedsIndividualsAndFields) {
  const struct {
    bool individuals, fields;
    const char* message;
  } cases[] = {
      {false, true, "You must select some individuals to report on."},
      {false, false, "You must select some individuals to report on."},
      {true, false, "You must select some fields to use in the report."},
      {true, true, nullptr},
  };
  for (const auto& c : cases) {
    CCustomReportLayout layout;
    rpt::CCustomPageLogic page(layout);
    if (c.fields) AddColumn(layout, rpt::kFieldSurnameGiven);
    rpt::SetCustomReportSelection([&] {
      return c.individuals ? std::vector<std::int32_t>{1, 2} : std::vector<std::int32_t>{};
    });
    boxes.Clear();
    rpt::ReportRequest request;
    EXPECT_EQ(page.FillRequest(request), c.message == nullptr);
    if (c.message) {
      ASSERT_EQ(boxes.Calls().size(), 1u);
      EXPECT_EQ(boxes.Calls()[0].text, c.message);
      EXPECT_EQ(boxes.Calls()[0].caption, "Custom Report");
    } else {
      EXPECT_TRUE(boxes.Calls().empty());
    }
  }
  rpt::SetCustomReportSelection(nullptr);
}

// Print and Preview of a layout without fields, or of no individuals, say
// so; a stopped print opens the sheet again, a stopped preview keeps it.
TEST_F(CustomPageLogic, NothingToPrintIsSaid) {
  CCustomReportLayout layout;
  rpt::CCustomPageLogic page(layout);
  rpt::ReportRequest request;
  const struct {
    bool column;
    std::vector<std::int32_t> selection;
    int stateBefore, stateAfter;
    const char* message;
  } cases[] = {
      // the default, empty layout: Print and Preview
      {false, {1, 2}, 1, 6, "You must select some fields to use in the report."},
      {false, {1, 2}, 2, 0, "You must select some fields to use in the report."},
      // no individuals selected
      {true, {}, 1, 6, "You must select some individuals to report on."},
      {true, {}, 2, 0, "You must select some individuals to report on."},
  };
  for (const auto& c : cases) {
    layout.columns.clear();
    if (c.column) AddColumn(layout, rpt::kFieldSurnameGiven);
    rpt::SetCustomReportSelection([&c] { return c.selection; });
    rpt::CurrentReportRunState().printState = c.stateBefore;
    boxes.Clear();
    EXPECT_FALSE(page.FillRequest(request));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, c.message);
    EXPECT_EQ(boxes.Calls()[0].caption, "Custom Report");
    EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, unsigned{plat::kMbIconExclamation});
    EXPECT_EQ(rpt::CurrentReportRunState().printState, c.stateAfter);
  }
  rpt::CurrentReportRunState().printState = 0;
  rpt::SetCustomReportSelection(nullptr);
}

}  // namespace

namespace {

TEST(CustomRelationshipQuestion, AsksPerIndicatorColumnUntilShown) {
  struct Case {
    std::vector<int> columns;
    int okOnAsk;  // the ask whose OK turns indicators on (0: all cancelled)
    bool shownBefore;
    int asks;
  };
  const Case cases[] = {
      {{rpt::kFieldSurnameGiven, rpt::kFieldBirthDate}, 0, false, 0},  // no indicator column
      {{rpt::kFieldRelationshipIndicator}, 1, false, 1},               // asked once, OK
      {{rpt::kFieldRelationshipIndicator, rpt::kFieldSurnameGiven,
        rpt::kFieldRelationshipIndicator},
       1,
       false,
       1},  // OK ends the asking
      {{rpt::kFieldRelationshipIndicator, rpt::kFieldRelationshipIndicator},
       0,
       false,
       2},  // Cancel goes on to the next
      {{rpt::kFieldRelationshipIndicator, rpt::kFieldRelationshipIndicator}, 2, false, 2},
      {{rpt::kFieldRelationshipIndicator}, 0, true, 0},  // already shown
  };
  for (const Case& c : cases) {
    CCustomReportLayout layout;
    for (int id : c.columns) AddColumn(layout, id);
    bool shown = c.shownBefore;
    int asked = 0;
    const int asks = rpt::AskRelationshipIndicators(
        layout, [&] { return shown; },
        [&] {
          if (++asked == c.okOnAsk) shown = true;
        });
    EXPECT_EQ(asks, c.asks) << ::testing::PrintToString(c.columns);
    EXPECT_EQ(asked, c.asks);
  }
}

}  // namespace
