// The custom report layout belongs to the open family file: edits stay while
// it is open and another family file starts from a new layout.
#include <gtest/gtest.h>

#include <memory>

#include "CustomReportState.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "OpenFamilyFixture.h"

namespace {

class CustomReportStateTest : public OpenFamilyFixture {};

TEST_F(CustomReportStateTest, AnotherFamilyFileStartsAfresh) {
  CCustomReportLayout& layout = rpt::CurrentCustomLayout();
  const std::string fresh = layout.title;
  layout.title = "Cousins in Ohio";
  layout.columns.push_back(std::make_unique<CCustomReportColumn>());
  // The same file keeps the edits.
  EXPECT_EQ(rpt::CurrentCustomLayout().title, "Cousins in Ohio");
  EXPECT_EQ(rpt::CurrentCustomLayout().columns.size(), 1u);

  DbCloseCurrent();
  const std::string other = dir.File("other.orv");
  ASSERT_EQ(DbCreate(other, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(DbOpen(other, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(rpt::CurrentCustomLayout().title, fresh);
  EXPECT_TRUE(rpt::CurrentCustomLayout().columns.empty());
}

}  // namespace
