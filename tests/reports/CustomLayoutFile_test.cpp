// The custom report layout file: exact bytes, the older version, a round
// trip of every field, and the checks that keep a damaged file from
// reaching the report.

#include <gtest/gtest.h>

#include <string>

#include "CustomFieldCatalog.h"
#include "CustomLayoutFile.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using namespace std::string_literals;

void AddColumn(CCustomReportLayout& layout, int id, int width, const std::string& heading,
               const std::string& option = {}) {
  auto column = std::make_unique<CCustomReportColumn>();
  column->fieldId = id;
  column->width = width;
  column->heading = heading;
  column->option = option;
  layout.columns.push_back(std::move(column));
}

void AddKey(CCustomReportLayout& layout, int id, int ascending, std::uint8_t kind,
            const std::string& option = {}) {
  auto key = std::make_unique<CCustomReportSortKey>();
  key->fieldId = id;
  key->ascending = ascending;
  key->kind = kind;
  key->option = option;
  layout.sortKeys.push_back(std::move(key));
}

// Two columns, no keys: the header, the empty second text, the count 2,
// the columns, the count 0.
const std::string kTwoColumnFile =
    "\x1E\xFF"
    "\x0E\x00"
    "Custom Report\0"
    "\x00\x00"                          // no owner
    "\x00\x00"                          // second text
    "\x02\x00"                          // two columns
    "\x70\x17\x19\x00"                  // 6000, width 25
    "\x0F\x00Surname, Given\0\x00\x00"  // heading, no option
    "\x79\x17\x0F\x00"                  // 6009, width 15
    "\x0B\x00"
    "Birth Date\0\x00\x00"
    "\x00\x00"s;  // no sort keys

CCustomReportLayout TwoColumns() {
  CCustomReportLayout layout;
  layout.title = "Custom Report";
  AddColumn(layout, rpt::kFieldSurnameGiven, 25, "Surname, Given");
  AddColumn(layout, rpt::kFieldBirthDate, 15, "Birth Date");
  return layout;
}

TEST(CustomLayoutFile, SavesTheExactBytes) {
  TempDir dir;
  const std::string path = dir.File("a.lyt");
  EXPECT_EQ(rpt::EncodeCustomLayoutFile(TwoColumns()), kTwoColumnFile);
  ASSERT_EQ(rpt::SaveCustomLayout(path, TwoColumns()), 0);
  EXPECT_EQ(ReadAll(path), kTwoColumnFile);

  // Saving another layout over it replaces it whole.
  CCustomReportLayout other = TwoColumns();
  other.columns.pop_back();
  ASSERT_EQ(rpt::SaveCustomLayout(path, other), 0);
  EXPECT_EQ(ReadAll(path), rpt::EncodeCustomLayoutFile(other));
}

TEST(CustomLayoutFile, ReadsTheOlderVersionWithItsExtraTextAndLowIds) {
  const std::string old =
      "\x07\x00Oldies\0"  // title, no marker
      "\x04\x00xyz\0"     // the extra text, skipped
      "\x05\x00note\0"    // second text
      "\x01\x00"          // one column: stored id 9, width 15
      "\x09\x00\x0F\x00"
      "\x06\x00"
      "Born!\0\x00\x00"
      "\x01\x00"  // one key: stored id 4, descending, kind 2
      "\x04\x00\x00\x00\x02\x00\x00"s;
  CCustomReportLayout layout;
  int version = 0;
  ASSERT_TRUE(rpt::DecodeCustomLayoutFile(old, layout, &version));
  EXPECT_EQ(version, 29);
  EXPECT_EQ(layout.title, "Oldies");
  EXPECT_EQ(layout.secondText, "note");
  ASSERT_EQ(layout.columns.size(), 1u);
  EXPECT_EQ(layout.columns[0]->fieldId, rpt::kFieldBirthDate);
  EXPECT_EQ(layout.columns[0]->width, 15);
  EXPECT_EQ(layout.columns[0]->heading, "Born!");
  ASSERT_EQ(layout.sortKeys.size(), 1u);
  EXPECT_EQ(layout.sortKeys[0]->fieldId, rpt::kFieldRin);
  EXPECT_EQ(layout.sortKeys[0]->ascending, 0);
  EXPECT_EQ(layout.sortKeys[0]->kind, 2);
}

TEST(CustomLayoutFile, RoundTripsEveryField) {
  CCustomReportLayout layout;
  layout.title = "Contacts by state";
  layout.secondText = "kept as it is";
  AddColumn(layout, rpt::kFieldNotes, 50, "Notes", "!");
  AddColumn(layout, rpt::kFieldUserEventDate, 15, "Event Date", "Graduation");
  AddColumn(layout, rpt::kFieldRelationshipIndicator, 25, "");
  AddKey(layout, rpt::kFieldContactState, 1, 3);
  AddKey(layout, rpt::kFieldBirthDate, 0, 1);
  AddKey(layout, rpt::kFieldNotes, 1, 4, "!");

  TempDir dir;
  const std::string path = dir.File("b.lyt");
  ASSERT_EQ(rpt::SaveCustomLayout(path, layout), 0);
  CCustomReportLayout back;
  int version = 0;
  ASSERT_TRUE(rpt::LoadCustomLayout(path, back, &version));
  EXPECT_EQ(version, 30);
  EXPECT_EQ(back.title, layout.title);
  EXPECT_EQ(back.secondText, layout.secondText);
  ASSERT_EQ(back.columns.size(), layout.columns.size());
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(back.columns[i]->fieldId, layout.columns[i]->fieldId);
    EXPECT_EQ(back.columns[i]->width, layout.columns[i]->width);
    EXPECT_EQ(back.columns[i]->heading, layout.columns[i]->heading);
    EXPECT_EQ(back.columns[i]->option, layout.columns[i]->option);
  }
  ASSERT_EQ(back.sortKeys.size(), layout.sortKeys.size());
  for (std::size_t i = 0; i < layout.sortKeys.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(back.sortKeys[i]->fieldId, layout.sortKeys[i]->fieldId);
    EXPECT_EQ(back.sortKeys[i]->ascending, layout.sortKeys[i]->ascending);
    EXPECT_EQ(back.sortKeys[i]->kind, layout.sortKeys[i]->kind);
    EXPECT_EQ(back.sortKeys[i]->option, layout.sortKeys[i]->option);
  }
  EXPECT_EQ(rpt::EncodeCustomLayoutFile(back), ReadAll(path));
}

TEST(CustomLayoutFile, EveryCutShortFileFailsAndLeavesTheLayout) {
  CCustomReportLayout full = TwoColumns();
  AddKey(full, rpt::kFieldBirthDate, 1, 1, "x");
  const std::string bytes = rpt::EncodeCustomLayoutFile(full);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    SCOPED_TRACE(n);
    CCustomReportLayout layout = TwoColumns();
    layout.title = "Mine";
    EXPECT_FALSE(rpt::DecodeCustomLayoutFile(std::string_view(bytes).substr(0, n), layout));
    EXPECT_EQ(layout.title, "Mine");
    EXPECT_EQ(layout.columns.size(), 2u);
  }
  // A column count far past the end (the header and second text take 22 bytes).
  CCustomReportLayout layout;
  EXPECT_FALSE(rpt::DecodeCustomLayoutFile(bytes.substr(0, 22) + "\xFF\xFF", layout));

  TempDir dir;
  CCustomReportLayout kept = TwoColumns();
  EXPECT_FALSE(rpt::LoadCustomLayout(dir.File("missing.lyt"), kept));
  EXPECT_EQ(kept.columns.size(), 2u);
}

TEST(CustomLayoutFile, HoldsKeysAndWidthsToWhatTheReportTakes) {
  CCustomReportLayout layout = TwoColumns();
  layout.columns[0]->width = 0;
  layout.columns[1]->width = 500;
  for (int id : {rpt::kFieldSurnameGiven, rpt::kFieldBirthDate, rpt::kFieldRin,
                 rpt::kFieldDeathDate, rpt::kFieldNotes})
    AddKey(layout, id, 1, 0);
  const std::string bytes = rpt::EncodeCustomLayoutFile(layout);

  CCustomReportLayout back;
  ASSERT_TRUE(rpt::DecodeCustomLayoutFile(bytes, back));
  EXPECT_EQ(back.columns[0]->width, 1);
  EXPECT_EQ(back.columns[1]->width, 200);
  ASSERT_EQ(back.sortKeys.size(), 3u);
  EXPECT_EQ(back.sortKeys[2]->fieldId, rpt::kFieldRin);
}

TEST(CustomLayoutFile, ANewLayoutIsTheDefaultCustomReport) {
  CCustomReportLayout layout = TwoColumns();
  layout.secondText = "x";
  AddKey(layout, rpt::kFieldSurnameGiven, 1, 3);
  rpt::ResetCustomLayout(layout);
  EXPECT_EQ(layout.title, "Custom Report");
  EXPECT_TRUE(layout.secondText.empty());
  EXPECT_TRUE(layout.columns.empty());
  EXPECT_TRUE(layout.sortKeys.empty());
}

}  // namespace
