// The books' settings, chapter citations, entry limit and registration.

#include <gtest/gtest.h>

#include "BookBlocks.h"
#include "BookKinds.h"
#include "BookPagination.h"
#include "BookRegistration.h"
#include "FakePorts.h"
#include "ReportJob.h"
#include "ReportKinds.h"

using namespace rpt;

TEST(BookSettings, ProfileValuesAreHeldToWhatTheBooksCanPrint) {
  plat::FakeProfile profile;
  profile.SetInt("BkRpt", "Gens", 40);  // edited by hand
  profile.SetInt("BkRpt", "Repeat", 7);
  profile.SetInt("BkRpt", "SuppressRIN", 0);
  profile.SetInt("Options", "AppendVal", 1);
  const BookOptions ahnentafel = ReadBookOptions(profile, false, 5, 6500, 9000);
  EXPECT_EQ(ahnentafel.generations, 32) << "32-bit numbers end at 32 generations";
  EXPECT_EQ(ahnentafel.repeat, 2);
  EXPECT_EQ(ahnentafel.appendVal, 1);
  EXPECT_EQ(ahnentafel.pageHalfLines, (9000 - 180) / 83);
  EXPECT_EQ(ahnentafel.indexColumns, (6500 - 2900) / 3150 + 1);
  EXPECT_EQ(ReadBookOptions(profile, true, 5, 6500, 9000).generations, 40);

  profile.SetInt("BkRpt", "Gens", 0);
  profile.SetInt("BkRpt", "SuppressRIN", 1);
  profile.SetInt("BkRpt", "OtherNotes", 1);
  profile.SetInt("BkRpt", "EmbedNotes", 0);
  const BookOptions appendix = ReadBookOptions(profile, false, 5, 10000, 9000);
  EXPECT_EQ(appendix.generations, 1);
  EXPECT_EQ(appendix.appendVal, 0) << "no RIN after names when RINs are suppressed";
  EXPECT_EQ(appendix.indexColumns, (10000 - 3150) / 3400 + 1) << "with the notes column";
}

TEST(BookSettings, ChapterCitationsEndAtTheBoundaryOrTheCount) {
  BookRun run;
  run.citations.assign(10, 1);
  run.boundaries = {3, 7};
  run.options.endChapter = true;
  using Range = std::pair<std::size_t, std::size_t>;
  EXPECT_EQ(ChapterCitations(run, 1), (Range{0, 3}));
  EXPECT_EQ(ChapterCitations(run, 2), (Range{3, 7}));
  // No boundary recorded for the third chapter yet: it ends at the count.
  EXPECT_EQ(ChapterCitations(run, 3), (Range{7, 10}));
  // Nor for the fourth, whose start is not recorded: nothing twice.
  EXPECT_EQ(ChapterCitations(run, 4), (Range{10, 10}));
  run.options.endChapter = false;
  EXPECT_EQ(ChapterCitations(run, 2), (Range{0, 10})) << "the appendix holds them all";
}

TEST(BookSettings, TheEntryLimitIsAMillion) {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  EXPECT_FALSE(BookOverLimit(kBookEntryLimit - 1, 4626));
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_TRUE(BookOverLimit(kBookEntryLimit, 4626));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, "Ahnentafel Report");
  EXPECT_EQ(boxes.Calls()[0].text.rfind("Insufficient memory to do full report", 0), 0u);
}

TEST(BookSettings, BothKindsAreRegistered) {
  RegisterBookReports();
  EXPECT_TRUE(IsReportKindAvailable(kAhnentafel));
  EXPECT_TRUE(IsReportKindAvailable(kModifiedRegister));
  EXPECT_NE(CreateReportGenerator(kModifiedRegister, 1), nullptr);
  RegisterReportGenerator(GeneratorClass::kBook, {});
  EXPECT_FALSE(IsReportKindAvailable(kAhnentafel));
}
