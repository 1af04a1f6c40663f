// Merging a duplicate into a primary through the database calls, the
// safe-merge rule and the automatic merge on SBNs over a scripted question.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CitationRecord.h"
#include "EventTypeRecord.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "KinFixture.h"
#include "MarriageRecord.h"
#include "MergeIndividuals.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "OrdinanceObject.h"
#include "SourceRecord.h"
#include "UserEventRecord.h"
#include "WriteFaultRun.h"

namespace {

class MergeTest : public KinFamilyFixture {
 protected:
  // A merge tells the user nothing by itself.
  void TearDown() override {
    for (const auto& call : boxes.Calls()) ADD_FAILURE() << call.text << " | " << call.caption;
    KinFamilyFixture::TearDown();
  }
  static CIndividualRecord Get(std::int32_t rin) {
    CIndividualRecord r;
    EXPECT_EQ(DbGetIndividualRecord(rin, r, 9), 1);
    return r;
  }
  static void Change(std::int32_t rin, void (*edit)(CIndividualRecord&)) {
    CIndividualRecord r = Get(rin);
    edit(r);
    ASSERT_EQ(family::Update(r, 0), 1);
  }
  static bool Live(std::int32_t rin) {
    CIndividualRecord r;
    return DbGetIndividualRecord(rin, r, 1) == 1;
  }
  static std::vector<std::int32_t> List(int relation, std::int32_t rin) {
    std::vector<std::int32_t> list;
    DbGetRelationList(list, relation, relation == db::kRelParents ? 4 : 0, rin, 0);
    list.erase(std::remove(list.begin(), list.end(), 0), list.end());
    return list;
  }
  static CMarriageRecord Marriage(std::int32_t mrin) {
    CMarriageRecord m;
    EXPECT_EQ(family::Read(m, mrin), 1);
    return m;
  }
};

TEST_F(MergeTest, FieldsTakenAndFilled) {
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = Person("Ana", 'F', 1902, "Lynd");
  Change(primary, [](CIndividualRecord& r) {
    r.birth.place[0] = "Lyon";
    r.contact[CIndividualRecord::kContactCity] = "Bern";
  });
  Change(duplicate, [](CIndividualRecord& r) {
    r.birth.place[0] = "Paris";
    r.birth.place[3] = "France";
    r.death.date.Set(1970, 1, 2);
    r.texts1[1] = "SBN-9";
    r.contact[CIndividualRecord::kContactCity] = "Zug";
    r.contact[CIndividualRecord::kContactPhone] = "555";
  });
  ASSERT_EQ(DbSetNotes(primary, "Primary note.\r\n", 0, 0, db::kIndividual) != 0, true);
  ASSERT_EQ(DbSetNotes(duplicate, "Duplicate note.\r\n", 0, 0, db::kIndividual) != 0, true);

  MergeChoices choices;
  choices.birthPlace = true;
  ASSERT_EQ(MergeIndividuals(primary, duplicate, choices, MatchOptions{}), 1);
  EXPECT_FALSE(Live(duplicate));
  const CIndividualRecord after = Get(primary);
  struct Row {
    const char* what;
    std::string got, expected;
  } rows[] = {
      {"name kept", after.surname + " " + after.givenNames[0], "Lind Anna"},
      {"birth place taken", after.birth.FormatPlace(","), "Paris,,,France"},
      {"birth date kept", std::to_string(after.birth.date.year), "1900"},
      {"death not chosen", std::to_string(after.death.date.year), "0"},
      {"empty SBN filled", after.texts1[1], "SBN-9"},
      {"city kept", after.contact[CIndividualRecord::kContactCity], "Bern"},
      {"phone filled", after.contact[CIndividualRecord::kContactPhone], "555"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.got, row.expected) << row.what;
  const std::string notes = DbGetNotes(primary, 0, db::kIndividual, 0, 1, 0);
  EXPECT_NE(notes.find("Primary note."), std::string::npos);
  EXPECT_NE(notes.find("Duplicate note."), std::string::npos);
  EXPECT_LT(notes.find("Primary note."), notes.find("Duplicate note."));
}

TEST_F(MergeTest, UserEventsMoveToThePrimary) {
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = Person("Ana", 'F', 1900);
  CEventTypeRecord type;
  type.title = "Apprenticeship";
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  ASSERT_GT(typeNumber, 0);
  CUserEventRecord event(duplicate, db::kOwnerIndividual, typeNumber, 0);
  const std::int32_t e = DbAddRecord(db::kUserEvent, 0, &event);
  ASSERT_GT(e, 0);
  ASSERT_EQ(DbLinkRecord(e, db::kUserEvent, duplicate, db::kOwnerIndividual), 1);
  ASSERT_EQ(MergeIndividuals(primary, duplicate, MergeChoices{}, MatchOptions{}), 1);
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, primary, db::kOwnerIndividual);
  EXPECT_EQ(events, (std::vector<std::int32_t>{e}));
}

namespace {

// Stores a chain of (file, kind, default) items for an individual.
void GiveItems(std::int32_t owner, const std::vector<std::tuple<const char*, char, bool>>& items) {
  std::unique_ptr<CMultimediaItem> list;
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    auto item = std::make_unique<CMultimediaItem>();
    item->fileName = std::get<0>(*it);
    item->kind = std::get<1>(*it);
    if (std::get<2>(*it)) item->flags |= CMultimediaItem::kFlagDefault;
    item->next = std::move(list);
    list = std::move(item);
  }
  ASSERT_GE(DbSaveMultimediaChain(owner, list.get(), db::kIndividual), 0);
}

// The individual's items as "file" or "file*" for a default one.
std::vector<std::string> ItemsOf(std::int32_t owner) {
  std::vector<std::string> out;
  const std::int32_t head = DbGetMultimediaHead(owner, db::kIndividual);
  if (head <= 0) return out;
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(head);
  for (const CMultimediaItem* item = list.get(); item != nullptr; item = item->next.get())
    out.push_back(item->fileName + (item->IsDefault() ? "*" : ""));
  return out;
}

}  // namespace

TEST_F(MergeTest, MultimediaFollowsTheOptionAndKeepsOneDefault) {
  struct Case {
    bool primaryHasItems;
    int mrgMedia;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      // Appended after the primary's; its default photo stays the only one.
      {true, 1, {"a.jpg*", "b.wav*", "c.jpg", "d.jpg", "e.wav"}},
      // A primary without items takes the chain as it is.
      {false, 1, {"c.jpg*", "d.jpg", "e.wav*"}},
      // Without the option the duplicate's items go with it.
      {true, 0, {"a.jpg*", "b.wav*"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.primaryHasItems << "/" << c.mrgMedia);
    const std::int32_t primary = Person("Anna", 'F', 1900);
    const std::int32_t duplicate = Person("Ana", 'F', 1900);
    if (c.primaryHasItems)
      GiveItems(primary, {{"a.jpg", CMultimediaItem::kPhoto, true},
                          {"b.wav", CMultimediaItem::kSound, true}});
    GiveItems(duplicate, {{"c.jpg", CMultimediaItem::kPhoto, true},
                          {"d.jpg", CMultimediaItem::kPhoto, false},
                          {"e.wav", CMultimediaItem::kSound, true}});
    MatchOptions options;
    options.mrgMedia = c.mrgMedia;
    ASSERT_EQ(MergeIndividuals(primary, duplicate, MergeChoices{}, options), 1);
    EXPECT_EQ(ItemsOf(primary), c.expected);
  }
}

TEST_F(MergeTest, CitationsMoveToThePrimaryByKind) {
  CSourceRecord source;
  source.title = "Parish register";
  const std::int32_t register_ = DbAddRecord(db::kSource, 1, &source);
  ASSERT_GT(register_, 0);
  const auto cite = [&](std::int32_t owner, char letter, const char* page) {
    CCitationRecord c;
    c.sourceRin = register_;
    c.ownerLetter = letter;
    c.ownerNumber = owner;
    c.pageText = page;
    const std::int32_t n = DbAddRecord(db::kCitation, 1, &c);
    EXPECT_GT(n, 0);
    return n;
  };
  const auto chain = [](std::int32_t owner, char letter) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kCitation, owner, letter);
    return list;
  };
  for (const int mrgCitations : {1, 0}) {
    SCOPED_TRACE(mrgCitations);
    const std::int32_t primary = Person("Anna", 'F', 1900);
    const std::int32_t duplicate = Person("Ana", 'F', 1900);
    const std::int32_t ours = cite(primary, 'B', "p. 1");
    const std::int32_t birth1 = cite(duplicate, 'B', "p. 2");
    const std::int32_t birth2 = cite(duplicate, 'B', "p. 3");
    const std::int32_t own = cite(duplicate, 'I', "p. 4");
    MatchOptions options;
    options.mrgCitations = mrgCitations;
    ASSERT_EQ(MergeIndividuals(primary, duplicate, MergeChoices{}, options), 1);
    if (mrgCitations) {
      EXPECT_EQ(chain(primary, 'B'), (std::vector<std::int32_t>{ours, birth1, birth2}));
      EXPECT_EQ(chain(primary, 'I'), (std::vector<std::int32_t>{own}));
      // Each moved citation names its new owner and keeps its text.
      CCitationRecord moved;
      ASSERT_EQ(DbGetRecord(birth2, db::kCitation, &moved), 1);
      EXPECT_EQ(moved.ownerNumber, primary);
      EXPECT_EQ(moved.pageText, "p. 3");
    } else {
      EXPECT_EQ(chain(primary, 'B'), (std::vector<std::int32_t>{ours}));
      EXPECT_TRUE(chain(primary, 'I').empty());
    }
  }
}

TEST_F(MergeTest, NameAndSexTakenOnlyWhenChosen) {
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = Person("Annie", 'U', 1900, "Lindh");
  MergeChoices choices;
  choices.name = true;
  choices.sex = true;
  ASSERT_EQ(MergeIndividuals(primary, duplicate, choices, MatchOptions{}), 1);
  const CIndividualRecord after = Get(primary);
  EXPECT_EQ(after.surname, "Lindh");
  EXPECT_EQ(after.givenNames[0], "Annie");
  EXPECT_EQ(after.sex, 'U');
}

TEST_F(MergeTest, MarriagesMoveAndSameCoupleFolds) {
  const std::int32_t erik = Person("Erik", 'M', 1898);
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = Person("Ana", 'F', 1900);
  const std::int32_t olof = Person("Olof", 'M', 1890);
  const std::int32_t withPrimary = Marry(erik, primary);
  const std::int32_t withDuplicate = Marry(erik, duplicate);
  const std::int32_t second = Marry(olof, duplicate);
  const std::int32_t c1 = ChildOf(withPrimary, "Per", 'M');
  const std::int32_t c2 = ChildOf(withDuplicate, "Pal", 'M');
  const std::int32_t c3 = ChildOf(second, "Eva", 'F');

  ASSERT_EQ(MergeIndividuals(primary, duplicate, MergeChoices{}, MatchOptions{}), 1);
  EXPECT_FALSE(Live(duplicate));
  // Both of the duplicate's marriages moved; the one with Erik absorbed the
  // primary's own marriage to him with its child.
  const std::vector<std::int32_t> marriages = List(db::kRelSpouses, primary);
  ASSERT_EQ(marriages, (std::vector<std::int32_t>{withDuplicate, second}));
  EXPECT_EQ(Marriage(withDuplicate).wife, primary);
  EXPECT_EQ(Marriage(withDuplicate).husband, erik);
  EXPECT_EQ(Marriage(second).wife, primary);
  std::vector<std::int32_t> kids = List(db::kRelChildren, withDuplicate);
  std::sort(kids.begin(), kids.end());
  EXPECT_EQ(kids, (std::vector<std::int32_t>{c1, c2}));
  EXPECT_EQ(List(db::kRelChildren, second), (std::vector<std::int32_t>{c3}));
  CMarriageRecord gone;
  EXPECT_NE(family::Read(gone, withPrimary), 1);
  EXPECT_EQ(List(db::kRelSpouses, erik), (std::vector<std::int32_t>{withDuplicate}));
}

TEST_F(MergeTest, RoleComesFromThePlaceInTheMarriage) {
  const std::int32_t primary = Person("Kim", 'U', 1900);
  const std::int32_t duplicate = Person("Kim", 'U', 1900);
  const std::int32_t wife = Person("Eva", 'F', 1900);
  const std::int32_t mrin = Marry(duplicate, wife);  // the duplicate is the husband
  ASSERT_EQ(MergeIndividuals(primary, duplicate, MergeChoices{}, MatchOptions{}), 1);
  EXPECT_EQ(Marriage(mrin).husband, primary);
  EXPECT_EQ(Marriage(mrin).wife, wife);
}

TEST_F(MergeTest, UnselectedMarriagesAreReported) {
  const std::int32_t duplicate = Person("Ana", 'F', 1900);
  const std::int32_t a = Marry(Person("Erik", 'M'), duplicate);
  const std::int32_t b = Marry(Person("Olof", 'M'), duplicate);
  MergeChoices choices;
  EXPECT_TRUE(MarriagesLeftBehind(duplicate, choices).empty());
  choices.allMarriages = false;
  choices.marriages = {b};
  EXPECT_EQ(MarriagesLeftBehind(duplicate, choices), (std::vector<std::int32_t>{a}));
}

TEST_F(MergeTest, ParentFamilyHandedOver) {
  const std::int32_t mrin = Marry(Person("Erik", 'M', 1870), 0);
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = ChildOf(mrin, "Ana", 'F', 1900);
  MergeChoices choices;
  choices.parents = true;
  ASSERT_EQ(MergeIndividuals(primary, duplicate, choices, MatchOptions{}), 1);
  EXPECT_EQ(List(db::kRelParents, primary), (std::vector<std::int32_t>{mrin}));
  EXPECT_EQ(List(db::kRelChildren, mrin), (std::vector<std::int32_t>{primary}));
}

// The link without parents that holds the sealing of an individual without
// parent families (as Edit Individual makes it) is not carried beside a
// family: its sealing goes to the family when that has none.
TEST_F(MergeTest, ALinkWithoutParentsDoesNotStayBesideAFamily) {
  const auto lone = [](std::int32_t rin, int year) {
    const std::int32_t link = DbSetRelation(rin, 0, db::kRelParents, -1);
    EXPECT_GT(link, 0);
    CFamilyLinkRecord record;
    EXPECT_EQ(DbGetRecord(link, db::kFamilyLink, &record), 1);
    auto sealing = std::make_unique<COrdinanceObject>(nullptr, 'S');
    sealing->date.Set(year, 5, 1);
    record.SetSealingEvent(std::move(sealing));
    EXPECT_EQ(DbUpdateRecord(link, db::kFamilyLink, &record, 0), 1);
  };
  const auto linksOf = [](std::int32_t rin) {
    std::vector<std::int32_t> numbers;
    DbGetRelationList(numbers, db::kRelFamilyLinks, db::kRelParents, rin, 0);
    std::vector<CFamilyLinkRecord> links(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i)
      EXPECT_EQ(DbGetRecord(numbers[i], db::kFamilyLink, &links[i]), 1);
    return links;
  };
  for (const bool onPrimary : {false, true}) {
    SCOPED_TRACE(onPrimary ? "the primary's own" : "the duplicate's");
    const std::int32_t mrin = Marry(Person("Erik", 'M', 1870), 0);
    const std::int32_t primary =
        onPrimary ? Person("Anna", 'F', 1900) : ChildOf(mrin, "Anna", 'F', 1900);
    const std::int32_t duplicate =
        onPrimary ? ChildOf(mrin, "Ana", 'F', 1900) : Person("Ana", 'F', 1900);
    lone(onPrimary ? primary : duplicate, 1930);
    MergeChoices choices;
    choices.parents = true;
    ASSERT_EQ(MergeIndividuals(primary, duplicate, choices, MatchOptions{}), 1);
    const std::vector<CFamilyLinkRecord> links = linksOf(primary);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].mrin, mrin);
    ASSERT_NE(links[0].GetSealingEvent(), nullptr);
    EXPECT_EQ(links[0].GetSealingEvent()->date.year, 1930);
    EXPECT_EQ(Get(primary).numbers[CIndividualRecord::kParentsMrin], mrin);
  }
}

// A write that fails anywhere in a merge is told, and the merge stops
// before it deletes the duplicate and reports failure: opened again, the
// file holds the primary, the duplicate and the marriages taken over. Only
// a write cut short in the duplicate's own delete may leave the merge whole
// (the delete reached the file, or the open finishes it).
TEST_F(MergeTest, AFailedWriteStopsTheMergeBeforeTheDuplicateIsDeleted) {
  const std::int32_t erik = Person("Erik", 'M', 1898);
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = Person("Ana", 'F', 1900);
  const std::int32_t withPrimary = Marry(erik, primary);
  const std::int32_t withDuplicate = Marry(erik, duplicate);
  const std::int32_t second = Marry(Person("Olof", 'M', 1890), duplicate);
  Marry(Person("Sven", 'M', 1891), duplicate);
  ChildOf(withPrimary, "Per", 'M');
  ChildOf(withDuplicate, "Pal", 'M');
  ASSERT_NE(DbSetNotes(duplicate, "Duplicate note.\r\n", 0, 0, db::kIndividual), 0);
  ASSERT_NE(DbSetNotes(primary, "Primary note.\r\n", 0, 0, db::kIndividual), 0);
  // The marriage to Sven is left behind and goes with the duplicate.
  MergeChoices choices;
  choices.allMarriages = false;
  choices.marriages = {withDuplicate, second};
  choices.deleteLeftBehind = true;
  const auto merge = [&] { return MergeIndividuals(primary, duplicate, choices, MatchOptions{}); };
  const auto spousesAndNotes = [&] {
    std::string out;
    for (std::int32_t m : List(db::kRelSpouses, primary)) out += std::to_string(m) + " ";
    return out + DbGetNotes(primary, 0, db::kIndividual, 0, 1, 0);
  };

  WriteFaultRun run(family);
  ASSERT_EQ(run.Whole(merge), 1);
  ASSERT_FALSE(Live(duplicate));
  const std::string merged = spousesAndNotes();
  ASSERT_NE(merged.find("Duplicate note."), std::string::npos);
  run.EachFault(merge, [&](const std::string&, int answer) {
    EXPECT_TRUE(std::any_of(boxes.Calls().begin(), boxes.Calls().end(),
                            [](const auto& c) { return c.text.rfind("Write Error", 0) == 0; }));
    boxes.Clear();
    EXPECT_TRUE(Live(primary));
    if (Live(duplicate)) {
      EXPECT_EQ(answer, 0);
      EXPECT_EQ(Marriage(withDuplicate).husband, erik);
      EXPECT_GT(Marriage(second).husband, 0);
    } else {
      EXPECT_EQ(spousesAndNotes(), merged);
    }
  });
  run.Restore();
  boxes.Clear();
}

TEST_F(MergeTest, OrdinancesMoveOnlyToAPrimaryWithout) {
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = Person("Ana", 'F', 1900);
  Change(primary, [](CIndividualRecord& r) { r.endowment.templeCode = "SLAKE"; });
  Change(duplicate, [](CIndividualRecord& r) {
    r.baptism.templeCode = "LOGAN";
    r.endowment.templeCode = "MANTI";
  });
  ASSERT_EQ(MergeIndividuals(primary, duplicate, MergeChoices{}, MatchOptions{}), 1);
  EXPECT_EQ(Get(primary).baptism.templeCode, "LOGAN");
  EXPECT_EQ(Get(primary).endowment.templeCode, "SLAKE");
}

TEST_F(MergeTest, WithZelShownOnlyChosenOrdinancesAreTakenAndMayReplace) {
  const std::int32_t primary = Person("Anna", 'F', 1900);
  const std::int32_t duplicate = Person("Ana", 'F', 1900);
  Change(primary, [](CIndividualRecord& r) { r.endowment.templeCode = "SLAKE"; });
  Change(duplicate, [](CIndividualRecord& r) {
    r.baptism.templeCode = "LOGAN";
    r.endowment.templeCode = "MANTI";
  });
  const MergeChoices pre = PrecheckedChoices(Get(primary), Get(duplicate));
  // Prechecked where the primary lacks what the duplicate has.
  EXPECT_TRUE(pre.baptism);
  EXPECT_FALSE(pre.endowment);
  EXPECT_FALSE(pre.sealingToParents);
  MergeChoices choices;
  choices.zelShown = true;
  choices.endowment = true;  // the baptism is not chosen this time
  ASSERT_EQ(MergeIndividuals(primary, duplicate, choices, MatchOptions{}), 1);
  EXPECT_EQ(Get(primary).baptism.templeCode, "");
  EXPECT_EQ(Get(primary).endowment.templeCode, "MANTI");
}

// The baptism row: a baptism recorded with a place (the record's flag, the
// place in its fifth event) brings flag and place instead of the temple
// when chosen with ZEL data shown, and moves whole to a primary without a
// baptism otherwise. Primary: temple SLAKE, other place Bergen, unless
// bare.
TEST(TakeOrdinancesTest, BaptismPlaceFlag) {
  struct Side {
    bool flag;
    const char* place;
    const char* temple;
    int year;
  };
  struct Case {
    const char* what;
    bool zel, chosen;
    Side primary, duplicate;
    Side expected;
    bool prechecked;
  } cases[] = {
      {"chosen with a place: flag and place, no temple",
       true,
       true,
       {false, "Bergen", "SLAKE", 0},
       {true, "Oslo", "LOGAN", 1950},
       {true, "Oslo", "SLAKE", 1950},
       false},
      {"chosen without the flag: temple; the other place stays",
       true,
       true,
       {false, "Bergen", "SLAKE", 0},
       {false, "Oslo", "LOGAN", 1950},
       {false, "Bergen", "LOGAN", 1950},
       false},
      {"flag without a place: flag only",
       true,
       true,
       {false, "Bergen", "SLAKE", 0},
       {true, "", "LOGAN", 1950},
       {true, "Bergen", "SLAKE", 1950},
       false},
      {"not chosen",
       true,
       false,
       {false, "Bergen", "SLAKE", 0},
       {true, "Oslo", "LOGAN", 1950},
       {false, "Bergen", "SLAKE", 0},
       false},
      {"hidden: a baptism place moves to a bare primary",
       false,
       false,
       {false, "", "", 0},
       {true, "Oslo", "", 0},
       {true, "Oslo", "", 0},
       true},
      {"hidden: a primary's baptism place is a baptism",
       false,
       false,
       {true, "Bergen", "", 0},
       {false, "", "LOGAN", 1950},
       {true, "Bergen", "", 0},
       false},
      {"hidden: an unflagged place is not a baptism",
       false,
       false,
       {false, "", "", 0},
       {false, "Oslo", "", 0},
       {false, "", "", 0},
       false},
      {"hidden: a temple baptism moves, the other place stays",
       false,
       false,
       {false, "Bergen", "", 0},
       {false, "Oslo", "LOGAN", 1950},
       {false, "Bergen", "LOGAN", 1950},
       true},
  };
  const auto make = [](const Side& side) {
    CIndividualRecord r;
    r.flags = side.flag ? 1 : 0;
    r.fifthEvent.place[0] = side.place;
    r.baptism.templeCode = side.temple;
    if (side.year != 0) r.baptism.date.Set(side.year, 5, 1);
    return r;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CIndividualRecord primary = make(c.primary);
    const CIndividualRecord duplicate = make(c.duplicate);
    EXPECT_EQ(PrecheckedChoices(primary, duplicate).baptism, c.prechecked);
    MergeChoices choices;
    choices.zelShown = c.zel;
    choices.baptism = c.chosen;
    TakeOrdinances(primary, duplicate, choices);
    EXPECT_EQ(primary.flags != 0, c.expected.flag);
    EXPECT_EQ(primary.fifthEvent.FormatPlace(","), c.expected.place);
    EXPECT_EQ(primary.baptism.templeCode, c.expected.temple);
    EXPECT_EQ(primary.baptism.date.year, c.expected.year);
  }
}

TEST(IsSafeAutoMergeTest, Table) {
  const auto base = [] {
    CIndividualRecord r;
    r.surname = "Lind";
    r.givenNames[0] = "Anna";
    r.sex = 'F';
    r.texts1[1] = "S1";
    return r;
  };
  struct Case {
    const char* what;
    void (*primary)(CIndividualRecord&);
    void (*duplicate)(CIndividualRecord&);
    bool safe;
  } cases[] = {
      {"bare twins", [](CIndividualRecord&) {}, [](CIndividualRecord&) {}, true},
      {"no SBN", [](CIndividualRecord& r) { r.texts1[1].clear(); },
       [](CIndividualRecord& r) { r.texts1[1].clear(); }, false},
      {"other SBN", [](CIndividualRecord&) {}, [](CIndividualRecord& r) { r.texts1[1] = "S2"; },
       false},
      {"other name", [](CIndividualRecord&) {},
       [](CIndividualRecord& r) { r.givenNames[0] = "Ana"; }, false},
      {"other sex", [](CIndividualRecord&) {}, [](CIndividualRecord& r) { r.sex = 'U'; }, false},
      {"one side without data", [](CIndividualRecord& r) { r.birth.date.Set(1900, 3, 1); },
       [](CIndividualRecord&) {}, true},
      {"same birth", [](CIndividualRecord& r) { r.birth.date.Set(1900, 3, 1); },
       [](CIndividualRecord& r) { r.birth.date.Set(1900, 3, 1); }, true},
      {"other birth date", [](CIndividualRecord& r) { r.birth.date.Set(1900, 3, 1); },
       [](CIndividualRecord& r) { r.birth.date.Set(1901, 3, 1); }, false},
      {"birth against death", [](CIndividualRecord& r) { r.birth.date.Set(1900, 3, 1); },
       [](CIndividualRecord& r) { r.death.date.Set(1900, 3, 1); }, false},
      {"other birth place", [](CIndividualRecord& r) { r.birth.place[0] = "Ulm"; },
       [](CIndividualRecord& r) { r.birth.place[0] = "Bonn"; }, false},
      {"other temple", [](CIndividualRecord& r) { r.endowment.templeCode = "LOGAN"; },
       [](CIndividualRecord& r) { r.endowment.templeCode = "MANTI"; }, false},
      {"baptism places differ",
       [](CIndividualRecord& r) {
         r.birth.date.Set(1900, 3, 1);
         r.flags = 1;
         r.fifthEvent.place[0] = "Oslo";
       },
       [](CIndividualRecord& r) {
         r.birth.date.Set(1900, 3, 1);
         r.flags = 1;
         r.fifthEvent.place[0] = "Bergen";
       },
       false},
      {"a baptism place on one side only",
       [](CIndividualRecord& r) {
         r.birth.date.Set(1900, 3, 1);
         r.flags = 1;
         r.fifthEvent.place[0] = "Oslo";
       },
       [](CIndividualRecord& r) { r.birth.date.Set(1900, 3, 1); }, false},
      {"the other place of an unflagged record is no baptism",
       [](CIndividualRecord& r) {
         r.birth.date.Set(1900, 3, 1);
         r.fifthEvent.place[0] = "Oslo";
       },
       [](CIndividualRecord& r) { r.birth.date.Set(1900, 3, 1); }, true},
      {"text on one side only, events equal",
       [](CIndividualRecord& r) {
         r.texts2[1] = "Lindqvist";
         r.death.place[0] = "Ulm";
       },
       [](CIndividualRecord& r) { r.death.place[0] = "Ulm"; }, true},
  };
  for (const Case& c : cases) {
    CIndividualRecord p = base(), d = base();
    c.primary(p);
    c.duplicate(d);
    EXPECT_EQ(IsSafeAutoMerge(p, d), c.safe) << c.what;
  }
}

class ScriptedConfirm : public MergeConfirmPort {
 public:
  explicit ScriptedConfirm(std::deque<Answer> answers) : answers_(std::move(answers)) {}
  Answer Ask(std::int32_t primary, std::int32_t duplicate) override {
    asked.emplace_back(primary, duplicate);
    if (answers_.empty()) return kCancel;
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  std::vector<std::pair<std::int32_t, std::int32_t>> asked;

 private:
  std::deque<Answer> answers_;
};

class AutoMergeTest : public MergeTest {
 protected:
  static std::int32_t WithSbn(const char* given, char sex, const char* sbn, int born = 0) {
    const std::int32_t rin = Person(given, sex, born);
    CIndividualRecord r = Get(rin);
    r.texts1[1] = sbn;
    EXPECT_EQ(family::Update(r, 0), 1);
    return rin;
  }
};

TEST_F(AutoMergeTest, ScriptedAnswers) {
  const std::int32_t a1 = WithSbn("Anna", 'F', "A");
  const std::int32_t a2 = WithSbn("Anna", 'F', "A");
  const std::int32_t b1 = WithSbn("Bo", 'M', "B");
  const std::int32_t b2 = WithSbn("Bo", 'M', "B");
  const std::int32_t c1 = WithSbn("Cai", 'M', "C");
  const std::int32_t c2 = WithSbn("Cai", 'M', "C");        // safe: merged unasked
  const std::int32_t c3 = WithSbn("Cai", 'M', "C", 1901);  // has data the other lacks: safe too
  const std::int32_t d1 = WithSbn("Dag", 'M', "D", 1900);
  const std::int32_t d2 = WithSbn("Dagny", 'M', "D", 1900);  // other name: left
  const std::int32_t e1 = WithSbn("Eva", 'F', "E");
  const std::int32_t e2 = WithSbn("Eva", 'M', "E");  // other sex: never a pair
  CMergeWorkFile work;
  ScriptedConfirm confirm(
      {MergeConfirmPort::kYes, MergeConfirmPort::kNo, MergeConfirmPort::kYesToAll});
  EXPECT_EQ(AutoMergeOnSbn(work, confirm, MatchOptions{}), 3);
  const std::vector<std::pair<std::int32_t, std::int32_t>> asked{{a1, a2}, {b1, b2}, {c1, c2}};
  EXPECT_EQ(confirm.asked, asked);
  EXPECT_FALSE(Live(a2));
  EXPECT_TRUE(Live(b2));
  EXPECT_FALSE(Live(c2));
  EXPECT_FALSE(Live(c3));
  // The primary took the birth it lacked, as the pre-checked boxes say.
  EXPECT_EQ(Get(c1).birth.date.year, 1901);
  EXPECT_TRUE(Live(d1) && Live(d2) && Live(e1) && Live(e2));
}

TEST_F(AutoMergeTest, CancelStopsAndNoSbnsMergeNothing) {
  CMergeWorkFile work;
  ScriptedConfirm none({});
  Person("Anna", 'F');
  Person("Anna", 'F');
  EXPECT_EQ(AutoMergeOnSbn(work, none, MatchOptions{}), 0);
  EXPECT_TRUE(none.asked.empty());

  const std::int32_t a1 = WithSbn("Ida", 'F', "I");
  const std::int32_t a2 = WithSbn("Ida", 'F', "I");
  const std::int32_t a3 = WithSbn("Ida", 'F', "I");
  ScriptedConfirm cancel({MergeConfirmPort::kYes, MergeConfirmPort::kCancel});
  EXPECT_EQ(AutoMergeOnSbn(work, cancel, MatchOptions{}), 1);
  EXPECT_EQ(cancel.asked.size(), 2u);
  EXPECT_TRUE(Live(a1));
  EXPECT_FALSE(Live(a2));
  EXPECT_TRUE(Live(a3));
}

}  // namespace
