// ReplaceText and the places pass of Global Search and Replace.

#include <gtest/gtest.h>

#include <memory>

#include <string>

#include "EventTypeRecord.h"
#include "GlobalReplace.h"
#include "KinFixture.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "PlaceEventObject.h"
#include "UserEventRecord.h"
#include "WriteFaultRun.h"

namespace {

TEST(ReplaceTextTest, Table) {
  struct Case {
    const char* text;
    const char* search;
    const char* replacement;
    bool caseSensitive;
    int changed;
    const char* out;
  } cases[] = {
      {"Boston, Suffolk", "Suffolk", "Middlesex", false, 1, "Boston, Middlesex"},
      {"Boston, Suffolk", "suffolk", "Essex", false, 1, "Boston, Essex"},
      {"Boston, Suffolk", "suffolk", "Essex", true, 0, "Boston, Suffolk"},
      {"Paris", "PARIS", "Paris, France", false, 1, "Paris, France"},
      // A replacement that begins with the search text is not applied twice.
      {"Paris, France", "Paris", "Paris, France", false, 0, "Paris, France"},
      {"Paris, FRANCE", "Paris", "Paris, France", false, 0, "Paris, FRANCE"},
      {"Paris, FRANCE", "Paris", "Paris, France", true, 1, "Paris, France, FRANCE"},
      // Only the first occurrence changes.
      {"York, New York", "York", "Yorck", false, 1, "Yorck, New York"},
      {"Old Town, Bern", "Old ", "", false, 1, "Town, Bern"},
      {"Bern", "Zug", "Basel", false, 0, "Bern"},
      {"", "Zug", "Basel", false, 0, ""},
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement, c.caseSensitive, out), c.changed)
        << c.text << " / " << c.search;
    EXPECT_EQ(out, c.out) << c.text << " / " << c.search;
  }
}

class PlacesPassTest : public KinFamilyFixture {
 protected:
  static std::int32_t BornIn(const char* given, const char* town, const char* county,
                             const char* death = "") {
    CIndividualRecord r;
    r.surname = "Lind";
    r.givenNames[0] = given;
    r.sex = 'F';
    r.birth.place[0] = town;
    r.birth.place[1] = county;
    r.death.place[0] = death;
    return static_cast<std::int32_t>(family::Add(r, 0));
  }
  static CIndividualRecord Get(std::int32_t rin) {
    CIndividualRecord r;
    EXPECT_EQ(DbGetIndividualRecord(rin, r, 9), 1);
    return r;
  }
};

TEST_F(PlacesPassTest, ReplacesEveryPlaceOnceAndSplitsBack) {
  const std::int32_t a = BornIn("Anna", "Lyon", "Rhone", "Lyon");
  const std::int32_t b = BornIn("Berta", "Nice", "");
  const std::int32_t mrin = Marry(a, 0);
  {
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    m.marriage.place[0] = "Lyon";
    ASSERT_EQ(family::Update(m, 0), 1);
  }
  CGlobalReplaceJob job;
  job.target = CGlobalReplaceJob::kPlacesTarget;
  job.search = "lyon";
  job.replacement = "Lyon, Metropole";
  EXPECT_EQ(job.ReplacePlaces(nullptr), 3u);
  const CIndividualRecord anna = Get(a);
  // The comma of the replacement moves the rest into the next parts.
  EXPECT_EQ(anna.birth.place[0], "Lyon");
  EXPECT_EQ(anna.birth.place[1], "Metropole");
  EXPECT_EQ(anna.birth.place[2], "Rhone");
  EXPECT_EQ(anna.death.place[1], "Metropole");
  EXPECT_EQ(anna.givenNames[0], "Anna");
  EXPECT_EQ(Get(b).birth.place[0], "Nice");
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  EXPECT_EQ(m.marriage.FormatPlace(", "), "Lyon, Metropole");
  // The second run finds the replacement already there.
  EXPECT_EQ(job.ReplacePlaces(nullptr), 0u);
  EXPECT_EQ(Get(a).birth.FormatPlace(", "), "Lyon, Metropole, Rhone");
}

// The count the user is shown is of places on the file: whatever write
// fails, the file opened again holds at least as many replaced places.
TEST_F(PlacesPassTest, ACountedPlaceIsOnTheFile) {
  const std::int32_t a = BornIn("Anna", "Lyon", "Rhone", "Lyon");
  const std::int32_t b = BornIn("Berta", "Lyon", "");
  const std::int32_t c = BornIn("Cora", "Lyon", "");
  const auto replace = [] {
    CGlobalReplaceJob job;
    job.target = CGlobalReplaceJob::kPlacesTarget;
    job.search = "Lyon";
    job.replacement = "Lione";
    return static_cast<int>(job.ReplacePlaces(nullptr));
  };
  const auto onFile = [&] {
    int replaced = 0;
    for (std::int32_t rin : {a, b, c}) {
      const CIndividualRecord r = Get(rin);
      replaced += (r.birth.place[0] == "Lione") + (r.death.place[0] == "Lione");
    }
    return replaced;
  };
  WriteFaultRun run(family);
  ASSERT_EQ(run.Whole(replace), 4);
  ASSERT_EQ(onFile(), 4);
  run.EachFault(replace, [&](const std::string&, int counted) { EXPECT_GE(onFile(), counted); });
  run.Restore();
  boxes.Clear();
}

TEST_F(PlacesPassTest, UserEventPlaces) {
  const std::int32_t owner = BornIn("Anna", "", "");
  CEventTypeRecord type;
  type.title = "Apprenticeship";
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  ASSERT_GT(typeNumber, 0);
  CUserEventRecord event(owner, db::kOwnerIndividual, typeNumber, 0);
  ASSERT_NE(event.GetEvent(), nullptr);
  std::string error;
  event.GetEvent()->SetPlaceText("Old Ulm, Swabia", nullptr, error);
  const std::int32_t e = DbAddRecord(db::kUserEvent, 0, &event);
  ASSERT_GT(e, 0);
  CGlobalReplaceJob job;
  job.search = "old ";
  EXPECT_EQ(job.ReplacePlaces(nullptr), 1u);
  CUserEventRecord after;
  ASSERT_EQ(family::Read(after, e), 1);
  ASSERT_NE(after.GetEvent(), nullptr);
  EXPECT_EQ(after.GetEvent()->GetPlace(), "Ulm, Swabia");
  EXPECT_EQ(job.ReplacePlaces(nullptr), 0u);
}

TEST_F(PlacesPassTest, CancelKeepsWhatChanged) {
  std::vector<std::int32_t> rins;
  for (int i = 0; i < 250; ++i) rins.push_back(BornIn("Anna", "Ulm", ""));
  plat::FakeProgress progress;
  progress.cancelAfter = 0;
  CGlobalReplaceJob job;
  job.search = "Ulm";
  job.replacement = "Neu-Ulm";
  EXPECT_EQ(job.ReplacePlaces(&progress), 100u);
  EXPECT_EQ(Get(rins[99]).birth.place[0], "Neu-Ulm");
  EXPECT_EQ(Get(rins[100]).birth.place[0], "Ulm");
}

TEST_F(PlacesPassTest, RunShowsTheCountAndOtherTargetsDoNothing) {
  BornIn("Anna", "Ulm", "", "Ulm");
  BornIn("Berta", "Bonn", "");
  plat::FakeProgress progress;
  CGlobalReplaceJob job;
  job.search = "ulm";
  job.replacement = "Ulm an der Donau";
  job.target = 7;  // no such target
  EXPECT_EQ(job.Run(progress, "Korvane"), -1);
  EXPECT_TRUE(boxes.Calls().empty());
  job.target = CGlobalReplaceJob::kPlacesTarget;
  EXPECT_EQ(job.Run(progress, "Korvane"), 2);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Changed 2 places.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Korvane");
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"Changing places..."}));
  EXPECT_EQ(progress.ends, 1);
}

TEST_F(PlacesPassTest, MultimediaFileNamesChangeOncePerItem) {
  const std::int32_t owner = BornIn("Anna", "", "");
  // A chain of three items, each owning the next.
  std::unique_ptr<CMultimediaItem> list;
  for (const char* name : {"D:/scan.png", "C:/photos/old/C:/Photos/x.jpg", "C:/Photos/anna.jpg"}) {
    auto item = std::make_unique<CMultimediaItem>();
    item->kind = CMultimediaItem::kPhoto;
    item->fileName = name;
    item->caption = "Anna";
    item->next = std::move(list);
    list = std::move(item);
  }
  ASSERT_GE(DbSaveMultimediaChain(owner, list.get(), db::kIndividual), 0);
  const auto names = [&] {
    std::vector<std::string> out;
    for (std::int32_t n = 1; n <= DbGetMaxRecordCount(db::kMultimedia); ++n) {
      CMultimediaItem item;
      if (DbGetRecord(n, db::kMultimedia, &item) == 1) out.push_back(item.fileName);
    }
    return out;
  };
  CGlobalReplaceJob job;
  job.target = CGlobalReplaceJob::kMultimediaTarget;
  job.search = "c:/photos/";
  job.replacement = "/home/anna/Pictures/";
  plat::FakeProgress progress;
  EXPECT_EQ(job.Run(progress, "Korvane"), 2);
  // Without case sensitivity both spellings match, the first occurrence only.
  EXPECT_EQ(names(),
            (std::vector<std::string>{"/home/anna/Pictures/anna.jpg",
                                      "/home/anna/Pictures/old/C:/Photos/x.jpg", "D:/scan.png"}));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Changed 2 multimedia items.");
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"Changing multimedia items..."}));
  // The chain and the other fields are kept.
  CMultimediaItem first;
  ASSERT_EQ(DbGetRecord(DbGetMultimediaHead(owner, db::kIndividual), db::kMultimedia, &first), 1);
  EXPECT_EQ(first.caption, "Anna");
  EXPECT_NE(first.nextRecordNumber, 0);
  // Case sensitive, "c:/photos/" no longer matches the remaining "C:/Photos/".
  job.caseSensitive = true;
  EXPECT_EQ(job.ReplaceMultimediaNames(nullptr), 0u);
}

TEST(CanReplaceTest, Table) {
  EXPECT_TRUE(CanReplace("Ulm", "Bonn"));
  EXPECT_TRUE(CanReplace("Ulm", ""));
  EXPECT_TRUE(CanReplace("ulm", "Ulm"));
  EXPECT_FALSE(CanReplace("Ulm", "Ulm"));
  EXPECT_FALSE(CanReplace("", "Ulm"));
}

}  // namespace
