// The old-format reader through the database calls: every layout of an old
// family folder written by the test writer, the live counts and their
// recount schedule, and damaged files (loops, pointers and counts beyond
// the files) that must neither hang nor read outside the files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OldFamilyWriter.h"
#include "Orv2Reader.h"
#include "PreparerRecord.h"
#include "PrivateProfile.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using oldfamily::Date;

class Orv2ReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { DbCloseCurrent(); }

  int Open() { return DbOpen(dir.Path(), CFamilyDatabase::kOldFormat); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& c : boxes.Calls()) out.push_back(c.text);
    return out;
  }
  std::string Ini(const std::string& section, const std::string& name) {
    orv2::CPrivateProfile ini;
    ini.Load(dir.File("family.ini"));
    return ini.GetString(section, name, "?");
  }

  TempDir dir;
  oldfamily::Writer w;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
};

// A family of two generations with every field filled.
struct SmallFamily {
  std::uint16_t father, mother, son, daughter, wedding;
  explicit SmallFamily(oldfamily::Writer& w) {
    oldfamily::Individual f;
    f.surname = "Harlow";
    f.given[0] = "Edwin";
    f.given[1] = "James";
    f.given[2] = "Orrin";
    f.title = "Dr";
    f.sex = 'M';
    f.birth = {{1850, 3, 12, 2, 0}, {"Ashby", "Kent Co", "Delaware", "USA"}};
    f.christening = {{1850, 4, 1, 1, 0}, {"Ashby", "", "", ""}};
    f.death = {{1921, 11, 0, 0, 0}, {"Lowell", "", "Mass", ""}};
    f.burial = {{1921, 12, 2, 3, 0}, {"Lowell", "", "", ""}};
    f.baptism = {{1890, 5, 6, 2, 0}, "LOGAN"};
    f.endowment = {{0, 17, 0, 2, 0}, "SLAKE"};
    f.sealParents = {{0, 14, 0, 2, 0}, ""};
    f.id = "X-17";
    f.notes = {"First line of the notes.", "Second line.", "", "Next paragraph."};
    oldfamily::Media photo;
    photo.kind = 'P';
    photo.flags[0] = true;
    photo.crop[0] = 5;
    photo.crop[3] = 9;
    photo.rotation = 1;
    photo.flip = 2;
    photo.width = 640;
    photo.height = 480;
    photo.texts[0] = "photos\\edwin.jpg";
    photo.texts[1] = "Edwin at 40";
    photo.texts[2] = "Taken in Lowell";
    oldfamily::Media gone;
    gone.kind = 'D';
    gone.texts[0] = "old.jpg";
    oldfamily::Media voice;
    voice.kind = 'S';
    voice.flags[2] = true;
    voice.texts[0] = "c:\\voice.wav";
    f.media = {photo, gone, voice};
    father = w.Add(f);

    oldfamily::Individual m;
    m.surname = "Pell";
    m.given[0] = "Ada";
    m.sex = 'F';
    m.birth = {{1712, 1, 20, 2, 1}, {}};  // dual year 1712/13
    mother = w.Add(m);

    oldfamily::Marriage mar;
    mar.marriage = {{1875, 6, 14, 2, 0}, {"Dover", "", "Delaware", ""}};
    mar.sealing = {{1880, 2, 3, 2, 0}, "MANTI"};
    mar.status = 'Y';
    wedding = w.Marry(father, mother, mar);

    oldfamily::Individual s;
    s.surname = "Harlow";
    s.given[0] = "Tom";
    s.sex = 'M';
    s.death = {{1901, 13, 0, 2, 0}, {}};  // See Notes
    son = w.Add(s);
    oldfamily::Individual d;
    d.surname = "Harlow";
    d.given[0] = "Mae";
    d.sex = 'X';  // neither M nor F: unknown
    daughter = w.Add(d);
    w.AddChild(wedding, son);
    w.AddChild(wedding, daughter);
  }
};

TEST_F(Orv2ReaderTest, ReadsEveryFieldOfIndividualsAndMarriages) {
  SmallFamily fam(w);
  w.writePreparer = true;
  w.preparer[0] = "Mary Ann Quill";
  w.preparer[1] = "12 Elm St";
  w.preparer[2] = "Apt 4";
  w.preparer[3] = "Dover DE";
  w.preparer[4] = "555-0101";
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetFileType(), CFamilyDatabase::kOldFormat);
  EXPECT_EQ(CurrentDatabase->displayName, "Old Family");
  EXPECT_EQ(DbGetMaxRecordCount(db::kIndividual), 4);
  EXPECT_EQ(DbGetRecordCount(db::kMarriage), 1);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 4);

  CIndividualRecord p;
  ASSERT_EQ(DbGetRecord(fam.father, db::kIndividual, &p, 1), 1);
  EXPECT_EQ(p.surname, "Harlow");
  EXPECT_EQ(p.givenNames[0], "Edwin");
  EXPECT_EQ(p.givenNames[1], "James");
  EXPECT_EQ(p.givenNames[2], "Orrin");
  EXPECT_EQ(p.title, "Dr");
  EXPECT_EQ(p.sex, 'M');
  EXPECT_EQ(p.texts1[0], "X-17");
  EXPECT_EQ(p.marriageCount, 1);
  EXPECT_EQ(p.numbers[2], fam.wedding);
  EXPECT_EQ(p.birth.date.Format(), "12 Mar 1850");
  EXPECT_EQ(p.birth.place[0], "Ashby");
  EXPECT_EQ(p.birth.place[1], "Kent Co");
  EXPECT_EQ(p.birth.place[2], "Delaware");
  EXPECT_EQ(p.birth.place[3], "USA");
  EXPECT_EQ(p.christening.date.Format(), "Abt 1 Apr 1850");
  EXPECT_EQ(p.death.date.Format(), "Bef Nov 1921");
  EXPECT_EQ(p.death.place[2], "Mass");
  EXPECT_EQ(p.burial.date.Format(), "Aft 2 Dec 1921");
  EXPECT_EQ(p.baptism.date.Format(), "6 May 1890");
  EXPECT_EQ(p.baptism.templeCode, "LOGAN");
  EXPECT_EQ(p.baptism.kind, 'B');
  EXPECT_EQ(p.endowment.date.Format(), "Completed");
  EXPECT_EQ(p.endowment.templeCode, "SLAKE");
  EXPECT_EQ(p.sealingToParents.date.Format(), "Submitted");

  ASSERT_EQ(DbGetRecord(fam.mother, db::kIndividual, &p), 1);
  EXPECT_EQ(p.sex, 'F');
  EXPECT_EQ(p.birth.date.Format(), "20 Jan 1712/1713");
  EXPECT_EQ(p.marriageCount, -1);  // not asked for without detail
  ASSERT_EQ(DbGetRecord(fam.son, db::kIndividual, &p), 1);
  EXPECT_EQ(p.death.date.Format(), "See Notes");
  EXPECT_EQ(p.numbers[CIndividualRecord::kParentsMrin], fam.wedding);
  ASSERT_EQ(DbGetRecord(fam.daughter, db::kIndividual, &p), 1);
  EXPECT_EQ(p.sex, 'U');

  CMarriageRecord m;
  ASSERT_EQ(DbGetRecord(fam.wedding, db::kMarriage, &m), 1);
  EXPECT_EQ(m.husband, fam.father);
  EXPECT_EQ(m.wife, fam.mother);
  EXPECT_EQ(m.status, 'D');
  EXPECT_EQ(m.childCount, 2);
  EXPECT_EQ(m.marriage.date.Format(), "14 Jun 1875");
  EXPECT_EQ(m.marriage.place[0], "Dover");
  EXPECT_EQ(m.sealingToSpouse.date.Format(), "3 Feb 1880");
  EXPECT_EQ(m.sealingToSpouse.templeCode, "MANTI");
  EXPECT_EQ(m.sealingToSpouse.kind, 'S');

  CPreparerRecord prep;
  ASSERT_EQ(DbGetRecord(1, db::kPreparer, &prep), 1);
  EXPECT_EQ(prep.givenNames, "Mary Ann");
  EXPECT_EQ(prep.surname, "Quill");
  EXPECT_EQ(prep.address1, "12 Elm St");
  EXPECT_EQ(prep.address2, "Apt 4");
  EXPECT_EQ(prep.address3, "Dover DE");
  EXPECT_EQ(prep.phone, "555-0101");

  // The family link of a child is numbered as the child.
  CFamilyLinkRecord link;
  ASSERT_EQ(DbGetRecord(fam.son, db::kFamilyLink, &link), 1);
  EXPECT_EQ(link.mrin, fam.wedding);
  EXPECT_EQ(link.child, fam.son);
  EXPECT_EQ(link.nextInMarriage, fam.daughter);  // the last child wraps to the first
  ASSERT_EQ(DbGetRecord(fam.father, db::kFamilyLink, &link), 1);
  EXPECT_EQ(link.mrin, 0);
  ASSERT_NE(link.GetSealingEvent(), nullptr);
  EXPECT_EQ(link.GetSealingEvent()->GetDateString(), "Submitted");
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(Orv2ReaderTest, RelationsNotesAndMultimedia) {
  SmallFamily fam(w);
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  std::vector<std::int32_t> out;
  ASSERT_EQ(DbGetRelation(fam.wedding, db::kRelSpouses, 2, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{fam.father, fam.mother}));
  ASSERT_EQ(DbGetRelation(fam.wedding, db::kRelChildren, 10, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{fam.daughter, fam.son}));  // youngest first
  ASSERT_EQ(DbGetRelation(fam.wedding, db::kRelChildren, 1, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{fam.daughter}));
  ASSERT_EQ(DbGetRelation(fam.son, db::kRelParents, 3, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{fam.wedding, fam.father, fam.mother}));
  ASSERT_EQ(DbGetRelation(fam.father, db::kRelParents, 3, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{0, 0, 0}));
  ASSERT_EQ(DbGetRelation(fam.daughter, db::kRelPreviousSibling, 1, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{fam.son}));
  ASSERT_EQ(DbGetRelation(fam.mother, db::kRelMarriages, 5, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{fam.wedding}));
  // The whole relations: the parent family alone, without its husband and wife.
  EXPECT_EQ(DbGetRelationChain(fam.son, db::kRelParents), (std::vector<std::int32_t>{fam.wedding}));
  EXPECT_TRUE(DbGetRelationChain(fam.father, db::kRelParents).empty());
  EXPECT_EQ(DbGetRelationChain(fam.mother, db::kRelMarriages),
            (std::vector<std::int32_t>{fam.wedding}));
  EXPECT_EQ(DbGetRelationChain(fam.wedding, db::kRelChildren),
            (std::vector<std::int32_t>{fam.daughter, fam.son}));

  EXPECT_EQ(DbGetRelationCount(fam.father, db::kRelChildren, 0, 1), 2);
  EXPECT_EQ(DbGetRelationCount(fam.wedding, db::kRelChildren, 0, 0), 2);
  EXPECT_EQ(DbGetRelationCount(fam.son, db::kRelFather, 0, 1), 1);
  EXPECT_EQ(DbGetRelationCount(fam.father, db::kRelMother, 0, 1), 0);
  EXPECT_EQ(DbHasParents(fam.son), 1);
  EXPECT_EQ(DbHasParents(fam.father), 0);
  EXPECT_EQ(DbHasChildren(fam.mother, db::kIndividual), 1);
  EXPECT_EQ(DbHasChildren(fam.son, db::kIndividual), 0);
  EXPECT_EQ(DbGetSex(fam.mother), 'F');
  EXPECT_EQ(DbGetSealingStatus(fam.father, db::kIndividual), 1);

  EXPECT_EQ(DbGetNotes(fam.father, 0, db::kIndividual, 0, 1, 0),
            "First line of the notes.\r\nSecond line.\r\n\r\nNext paragraph.\r\n");
  EXPECT_EQ(DbGetNotes(fam.son, 0, db::kIndividual, 0, 1, 0), "");
  EXPECT_EQ(DbGetNoteBlock(fam.father, db::kIndividual), 1);

  // The deleted entry is skipped; the others keep their order and fields.
  const std::int32_t head = CurrentDatabase->GetMultimediaHead(fam.father, db::kIndividual);
  EXPECT_EQ(head, fam.father);
  EXPECT_EQ(CurrentDatabase->GetMultimediaHead(fam.son, db::kIndividual), 0);
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(head);
  ASSERT_NE(list, nullptr);
  const CMultimediaItem& photo = *list;
  EXPECT_EQ(photo.kind, 'P');
  EXPECT_EQ(photo.fileName, "photos\\edwin.jpg");
  EXPECT_EQ(photo.caption, "Edwin at 40");
  EXPECT_EQ(photo.description, "Taken in Lowell");
  EXPECT_TRUE(photo.IsDefault());
  EXPECT_EQ(photo.cropTop, 5);
  EXPECT_EQ(photo.cropRight, 9);
  EXPECT_EQ(photo.GetRotation(), 1);
  EXPECT_EQ(photo.GetFlip(), 2);
  EXPECT_EQ(photo.width, 640);
  EXPECT_EQ(photo.height, 480);
  ASSERT_NE(photo.next, nullptr);
  const CMultimediaItem& voice = *photo.next;
  EXPECT_EQ(voice.kind, 'S');
  EXPECT_EQ(voice.fileName, "c:\\voice.wav");
  EXPECT_EQ(voice.flags & 0x07, 0x04);
  EXPECT_EQ(voice.next, nullptr);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(Orv2ReaderTest, OldFamiliesRefuseEveryWrite) {
  SmallFamily fam(w);
  w.Write(dir.Path());
  const std::string before = ReadAll(dir.File("indiv2.dat"));
  ASSERT_EQ(Open(), 1);
  CIndividualRecord p;
  ASSERT_EQ(DbGetRecord(fam.son, db::kIndividual, &p), 1);
  p.surname = "Changed";
  EXPECT_EQ(DbUpdateRecord(fam.son, db::kIndividual, &p), 0);
  EXPECT_EQ(DbAddRecord(db::kIndividual, 0, &p), 0);
  EXPECT_EQ(DbDeleteRecord(fam.son, db::kIndividual), 0);
  EXPECT_EQ(DbSetNotes(fam.son, "new", 0, 0, db::kIndividual), 0);
  EXPECT_EQ(boxes.Calls().size(), 4u);
  DbCloseCurrent();
  EXPECT_EQ(ReadAll(dir.File("indiv2.dat")), before);
}

TEST_F(Orv2ReaderTest, DeletedRecordsAreSkippedByEveryWalk) {
  oldfamily::Individual p;
  p.surname = "Live";
  for (int i = 0; i < 6; ++i) w.Add(p);
  w.people[1].deleted = true;
  w.people[3].deleted = true;
  w.people[6].deleted = true;
  w.Marry(2, 0);
  w.Marry(4, 0);
  w.marriages[1].deleted = true;
  w.people[2].firstMarriage = 0;
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 3);
  EXPECT_EQ(DbGetActiveRecordCount(db::kMarriage), 1);

  struct Walk {
    std::int32_t from;
    int mode;
    std::int32_t expected;
  };
  const Walk walks[] = {
      {1, db::kWalkNextOrSame, 2},     {2, db::kWalkNextOrSame, 2},     {6, db::kWalkNextOrSame, 0},
      {3, db::kWalkPreviousOrSame, 2}, {9, db::kWalkPreviousOrSame, 5}, {3, db::kWalkExact, 0},
      {4, db::kWalkExact, 4},          {2, db::kWalkNext, 4},           {5, db::kWalkNext, 0},
      {4, db::kWalkPrevious, 2},       {2, db::kWalkPrevious, 0},
  };
  for (const Walk& walk : walks)
    EXPECT_EQ(DbGetRIN(walk.from, db::kQueryIndividuals, walk.mode), walk.expected)
        << walk.from << " mode " << walk.mode;
  // The delete chains: the head, then each member's link.
  EXPECT_EQ(DbGetRIN(0, db::kQueryDeletedIndividuals, 0), 1);
  EXPECT_EQ(DbGetRIN(1, db::kQueryDeletedIndividuals, 0), 3);
  EXPECT_EQ(DbGetRIN(3, db::kQueryDeletedIndividuals, 0), 6);
  EXPECT_EQ(DbGetRIN(6, db::kQueryDeletedIndividuals, 0), 0);
  EXPECT_EQ(DbGetRIN(0, db::kQueryDeletedMarriages, 0), 1);

  EXPECT_EQ(DbIsRecordDeleted(db::kIndividual, 3), 1);
  EXPECT_EQ(DbIsRecordDeleted(db::kIndividual, 4), 0);
  EXPECT_EQ(DbIsRecordDeleted(db::kMarriage, 1), 1);
  CIndividualRecord r;
  EXPECT_EQ(DbGetRecord(3, db::kIndividual, &r), 0);
  EXPECT_EQ(DbGetRecord(3, db::kIndividual, &r, 0, db::kWalkNextOrSame), 1);
  EXPECT_EQ(r.GetRecordNumber(), 4);
  EXPECT_TRUE(boxes.Calls().empty());

  EXPECT_EQ(DbGetRIN(1, 77, db::kWalkExact), 0);
  EXPECT_EQ(DbGetRIN(1, db::kQueryIndividuals, 5), 0);
  EXPECT_EQ(DbIsRecordDeleted(db::kSource, 1), 0);
  ASSERT_EQ(boxes.Calls().size(), 3u);
  EXPECT_EQ(boxes.Calls()[0].text, "Invalid Type");
  EXPECT_EQ(boxes.Calls()[1].text, "Invalid Option");
  EXPECT_EQ(boxes.Calls()[1].caption, "DllGetRIN");
  EXPECT_EQ(boxes.Calls()[2].text, "Bad type in O2_IsRecordDeleted");
}

TEST_F(Orv2ReaderTest, AMissingDataFileRefusesTheOpen) {
  for (const char* missing : {"indiv2.dat", "name2.dat", "marr2.dat", "notes2.dat"}) {
    SCOPED_TRACE(missing);
    TempDir d;
    oldfamily::Writer family;
    family.Add({});
    family.Write(d.Path());
    std::filesystem::remove(d.File(missing));
    EXPECT_EQ(DbOpen(d.Path(), CFamilyDatabase::kOldFormat), 0);
  }
  // The optional files may be missing.
  w.Add({});
  w.Write(dir.Path());
  std::filesystem::remove(dir.File("multim2.dat"));
  std::filesystem::remove(dir.File("indivex2.dat"));
  EXPECT_EQ(Open(), 1);
  EXPECT_EQ(CurrentDatabase->GetMultimediaHead(1, db::kIndividual), 0);
}

// ---- damaged files ----

TEST_F(Orv2ReaderTest, ASpouseChainThatPointsBackStopsWithTheLoopMessage) {
  const std::uint16_t h = w.Add({});
  oldfamily::Individual wife;
  wife.sex = 'F';
  const std::uint16_t wf = w.Add(wife);
  const std::uint16_t m = w.Marry(h, wf);
  w.marriages[m].husbandNext = m;  // points back to itself
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetRelationCount(h, db::kRelSpouses, 0, 1), -1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Endless loop error.\nRun Check/Repair."});
  std::vector<std::int32_t> out;
  EXPECT_EQ(DbGetRelation(h, db::kRelMarriages, 10, out), 0);
  EXPECT_EQ(boxes.Calls().size(), 1u);  // each damage is reported once
  // The wife's chain is sound.
  EXPECT_EQ(DbGetRelationCount(wf, db::kRelSpouses, 0, 1), 1);
}

TEST_F(Orv2ReaderTest, UnknownSexWalksTheWifeChain) {
  oldfamily::Individual p;
  p.sex = '?';
  const std::uint16_t who = w.Add(p);
  const std::uint16_t first = w.Marry(0, who);
  const std::uint16_t second = w.Marry(0, who);
  w.marriages[first].husbandNext = 0;
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  std::vector<std::int32_t> out;
  ASSERT_EQ(DbGetRelation(who, db::kRelMarriages, 5, out), 1);
  EXPECT_EQ(out, (std::vector<std::int32_t>{first, second}));
}

TEST_F(Orv2ReaderTest, LoopingChildNoteAndMultimediaChainsEnd) {
  const std::uint16_t h = w.Add({});
  const std::uint16_t a = w.Add({});
  const std::uint16_t b = w.Add({});
  const std::uint16_t m = w.Marry(h, 0);
  w.AddChild(m, a);
  w.AddChild(m, b);
  w.people[a].olderSibling = b;  // b -> a -> b
  w.people[h].notes = {"only block"};
  oldfamily::Media one;
  one.kind = 'S';
  one.texts[0] = "x.wav";
  w.people[h].media = {one};
  w.Write(dir.Path());
  // The note block and the multimedia entry point at themselves.
  oldfamily::PatchU16(dir.File("notes2.dat"), 256, 1);
  oldfamily::PatchU16(dir.File("multim2.dat"), 32 + 9, 32);
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetRelationCount(m, db::kRelChildren, 0, 0), -1);
  EXPECT_EQ(DbGetNotes(h, 0, db::kIndividual, 0, 1, 0), "only block\r\n");
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(h);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->next, nullptr);
  EXPECT_EQ(Texts(), std::vector<std::string>(3, "Endless loop error.\nRun Check/Repair."));
}

TEST_F(Orv2ReaderTest, ALoopingDeleteChainEndsTheOpen) {
  for (int i = 0; i < 3; ++i) w.Add({});
  w.people[2].deleted = true;
  w.Write(dir.Path());
  oldfamily::PatchU16(dir.File("indiv2.dat"), 2 * 92, 2);  // 2 -> 2
  EXPECT_EQ(Open(), -2);
  EXPECT_EQ(CurrentDatabase->files[CFamilyDatabase::kIndiv2File].IsOpen(), false);
}

TEST_F(Orv2ReaderTest, TheCountIsShownAndMayBeCancelled) {
  for (int i = 0; i < 30; ++i) w.Add({});
  for (int i = 1; i <= 25; ++i) w.people[i].deleted = true;
  w.Write(dir.Path());
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 5);
  EXPECT_EQ(progress.range, 30);
  EXPECT_EQ(progress.position, 20);  // moved every tenth record
  EXPECT_EQ(progress.ends, 1);
  DbCloseCurrent();
  std::filesystem::remove(dir.File("family.ini"));  // counts again
  progress.cancelAfter = 3;
  EXPECT_EQ(Open(), -2);
  EXPECT_EQ(progress.ends, 2);
}

TEST_F(Orv2ReaderTest, HeaderCountsAreLimitedToTheFileSize) {
  for (int i = 0; i < 3; ++i) w.Add({});
  w.Marry(1, 0);
  w.indivCount = 60000;  // far beyond the three records written
  w.marrCount = 999999999;
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetMaxRecordCount(db::kIndividual), 3);
  EXPECT_EQ(DbGetMaxRecordCount(db::kMarriage), 1);
  EXPECT_EQ(DbGetRIN(3, db::kQueryIndividuals, db::kWalkNext), 0);
  CIndividualRecord r;
  EXPECT_EQ(DbGetRecord(4, db::kIndividual, &r), 0);
}

TEST_F(Orv2ReaderTest, PointersBeyondTheirFilesAreClearedAndReported) {
  oldfamily::Individual p;
  p.surname = "Kept";
  const std::uint16_t rin = w.Add(p);
  w.Write(dir.Path());
  oldfamily::PatchU16(dir.File("indiv2.dat"), rin * 92 + 2, 4000);  // a given name
  oldfamily::PatchU16(dir.File("indiv2.dat"), rin * 92 + 76, 300);  // a marriage
  ASSERT_EQ(Open(), 1);
  CIndividualRecord r;
  ASSERT_EQ(DbGetRecord(rin, db::kIndividual, &r, 1), 1);
  EXPECT_EQ(r.surname, "Kept");
  EXPECT_EQ(r.givenNames[0], "");
  EXPECT_EQ(r.numbers[2], 0);
  EXPECT_EQ(r.marriageCount, 0);
  ASSERT_EQ(DbGetRecord(rin, db::kIndividual, &r, 1), 1);  // read again: no second box
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            "RIN: 1\nThis record contains invalid pointers.\nRun Check/Repair or restore a clean "
            "backup.");
}

// ---- family.ini and the recount schedule ----

TEST(Orv2RecountSchedule, OpensLeftAndInterval) {
  struct Case {
    int openCnt, openCntSet;
    int opensLeft, interval;
    bool firstSetting, recount;
  };
  const Case cases[] = {
      {1, 11, 5, 5, true, true},    // never set: recount now, then every fifth open
      {3, 5, 2, 5, false, false},   // counting down
      {1, 4, 4, 4, false, true},    // the last open before a recount
      {0, 0, 1, 1, false, true},    // out of range counts as 1
      {12, 12, 1, 1, false, true},  // likewise
  };
  for (const Case& c : cases) {
    const orv2::RecountSchedule s = orv2::PlanRecount(c.openCnt, c.openCntSet);
    EXPECT_EQ(s.opensLeft, c.opensLeft) << c.openCnt << "/" << c.openCntSet;
    EXPECT_EQ(s.interval, c.interval) << c.openCnt << "/" << c.openCntSet;
    EXPECT_EQ(s.firstSetting, c.firstSetting);
    EXPECT_EQ(s.recount, c.recount);
  }
  struct After {
    int interval;
    bool first, matched;
    int opensLeft;
    int expectedInterval, expectedLeft;
  };
  const After afters[] = {
      {5, false, true, 5, 10, 5},                              // doubled, at most 10
      {4, false, true, 4, 8, 4},  {8, false, false, 8, 4, 4},  // halved, opens left limited
      {1, false, false, 1, 1, 1},                              // at least 1
      {5, true, false, 5, 5, 5},                               // a first setting keeps its interval
  };
  for (const After& a : afters) {
    orv2::RecountSchedule s;
    s.interval = a.interval;
    s.firstSetting = a.first;
    s.opensLeft = a.opensLeft;
    orv2::AfterRecount(s, a.matched);
    EXPECT_EQ(s.interval, a.expectedInterval) << a.interval;
    EXPECT_EQ(s.opensLeft, a.expectedLeft) << a.interval;
  }
}

TEST_F(Orv2ReaderTest, AnIniWithoutStartUpRecountsOnTheFirstOpenAndThenEveryFifth) {
  for (int i = 0; i < 4; ++i) w.Add({});
  w.people[2].deleted = true;
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 3);
  EXPECT_EQ(Ini("StartUp", "OpenCnt"), "5");
  EXPECT_EQ(Ini("StartUp", "OpenCntSet"), "5");
  EXPECT_EQ(Ini("StartUp", "IndivCnt"), "3");
  EXPECT_EQ(Ini("Family", "FamilyName"), "Old Family");
  DbCloseCurrent();

  // The saved counts are trusted while the files keep their times: a saved
  // count that differs from the files shows that no recount happened.
  orv2::CPrivateProfile ini;
  ini.Load(dir.File("family.ini"));
  ini.SetInt("StartUp", "IndivCnt", 77);
  ASSERT_TRUE(ini.Save(dir.File("family.ini")));
  for (int open = 2; open <= 5; ++open) {
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 77) << "open " << open;
    DbCloseCurrent();
  }
  EXPECT_EQ(Ini("StartUp", "OpenCnt"), "1");
  ASSERT_EQ(Open(), 1);  // the sixth open recounts
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 3);
  // The counts differed from the saved ones: the interval is halved.
  EXPECT_EQ(Ini("StartUp", "OpenCntSet"), "2");
  EXPECT_EQ(Ini("StartUp", "OpenCnt"), "2");
  DbCloseCurrent();
  for (int open = 7; open <= 8; ++open) {
    ASSERT_EQ(Open(), 1);
    DbCloseCurrent();
  }
  // The eighth open recounted and matched the saved counts: doubled.
  EXPECT_EQ(Ini("StartUp", "OpenCntSet"), "4");

  // A changed data file makes the saved count stale at once.
  std::filesystem::last_write_time(
      dir.File("indiv2.dat"),
      std::filesystem::last_write_time(dir.File("indiv2.dat")) - std::chrono::hours(30));
  ini.Load(dir.File("family.ini"));
  ini.SetInt("StartUp", "IndivCnt", 77);
  ASSERT_TRUE(ini.Save(dir.File("family.ini")));
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 3);
}

TEST(Orv2PrivateProfile, ReadsAndChangesOnlyWhatItNames) {
  TempDir dir;
  const std::string path = dir.File("family.ini");
  WriteAll(path,
           "; kept comment\r\n[Family]\r\nFamilyName = The Pells \r\nalphamnt=0\r\n\r\n"
           "[Other]\r\nX=1\r\n");
  orv2::CPrivateProfile ini;
  ASSERT_TRUE(ini.Load(path));
  EXPECT_EQ(ini.GetString("family", "familyname", ""), "The Pells");
  EXPECT_EQ(ini.GetInt("Family", "AlphaMnt", 1), 0);
  EXPECT_EQ(ini.GetInt("Family", "Log", 1), 1);
  EXPECT_EQ(ini.GetInt("Other", "X", 0), 1);
  EXPECT_FALSE(ini.HasSection("StartUp"));
  ini.SetInt("Family", "Log", 0);
  ini.SetString("StartUp", "OpenCnt", "4");
  ini.SetInt("Other", "X", 2);
  ASSERT_TRUE(ini.Save(path));
  EXPECT_EQ(ReadAll(path),
            "; kept comment\r\n[Family]\r\nFamilyName = The Pells \r\nalphamnt=0\r\nLog=0\r\n\r\n"
            "[Other]\r\nX=2\r\n[StartUp]\r\nOpenCnt=4\r\n");
  orv2::CPrivateProfile missing;
  EXPECT_FALSE(missing.Load(dir.File("none.ini")));
  EXPECT_EQ(missing.GetInt("StartUp", "OpenCnt", 1), 1);
}

// ---- notes ----

TEST(Orv2Notes, WrapJoinsOnlyLinesTheEditorBroke) {
  const std::string longLine(60, 'a');  // longer than 49, no full stop
  const std::string line79 = std::string(78, 'b') + ".";
  struct Case {
    std::vector<std::string> lines;
    std::string wrapped;
  };
  const Case cases[] = {
      // Short lines are kept as they are.
      {{"Born in Ohio.", "Moved west."}, "Born in Ohio.\r\nMoved west.\r\n"},
      // A long line without a full stop runs on into the next.
      {{longLine, "continued"}, longLine + " continued\r\n"},
      // A next line that begins with a blank keeps its break.
      {{longLine, " indented"}, longLine + "\r\n indented\r\n"},
      // The next word would not have fitted: the break was the editor's.
      {{std::string(40, 'c') + ".", std::string(40, 'd')},
       std::string(40, 'c') + ". " + std::string(40, 'd') + "\r\n"},
      // A full line ending in a full stop.
      {{line79, "x"}, line79 + " x\r\n"},
      // A paragraph break is never joined.
      {{longLine, "", "next"}, longLine + "\r\n\r\nnext\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(orv2::JoinStoredLines(c.lines, true), c.wrapped) << c.lines[0];
    std::string kept;
    for (const std::string& l : c.lines) kept += l + "\r\n";
    EXPECT_EQ(orv2::JoinStoredLines(c.lines, false), kept) << c.lines[0];
  }
}

TEST_F(Orv2ReaderTest, NotesSpanBlocksAndLongLinesBreakAt84) {
  oldfamily::Individual p;
  const std::string line(100, 'z');  // stored without a break after 84
  for (int i = 0; i < 6; ++i) p.notes.push_back("Line number " + std::to_string(i) + " of many.");
  p.notes.push_back(line);
  const std::uint16_t rin = w.Add(p);
  w.Write(dir.Path());
  ASSERT_EQ(Open(), 1);
  std::string expected;
  for (int i = 0; i < 6; ++i) expected += "Line number " + std::to_string(i) + " of many.\r\n";
  expected += std::string(84, 'z') + "\r\n" + std::string(16, 'z') + "\r\n";
  EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0), expected);
  // A note pointer beyond the file reads as no notes.
  DbCloseCurrent();
  oldfamily::PatchU16(dir.File("indiv2.dat"), rin * 92 + 90, 500);
  ASSERT_EQ(Open(), 1);
  EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0), "");
}

}  // namespace
