// The converter from old-format families: a converted family compared with
// the old one through the database calls, Check/Repair on the result, the
// number tables and preserved numbers, the note tags and source notes, the
// step counter, and failures and cancels that must leave nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "FileCopy.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OldFamilyWriter.h"
#include "Orv2Converter.h"
#include "PreparerRecord.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace fs = std::filesystem;

namespace {

using R = CIndividualRecord;

class FakeView : public orv2::ConverterView {
 public:
  void ShowPass(const std::string& label) override { passes.push_back(label); }
  void ShowCounter(const std::string& text) override { counters.push_back(text); }
  bool Pump() override { return ++pumps != cancelAtPump; }
  orv2::SourceNoteAnswer AskSourceNote(const std::string& name,
                                       const orv2::SourceNote& note) override {
    asked.push_back(name);
    notes.push_back(note);
    orv2::SourceNoteAnswer a;
    a.note = note;
    if (!answers.empty()) {
      a.choice = answers.front();
      answers.erase(answers.begin());
    }
    a.retain = retain;
    return a;
  }
  std::vector<std::string> passes, counters, asked;
  std::vector<orv2::SourceNote> notes;
  std::vector<orv2::SourceNoteChoice> answers;
  bool retain = false;
  int pumps = 0, cancelAtPump = -1;
};

// Every file of a folder with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(folder))
    out[e.path().filename().string()] = ReadAll(e.path().string());
  return out;
}

class Orv2ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(oldDir);
    fs::create_directories(newDir);
  }
  void TearDown() override {
    DbCloseCurrent();
    source.Close();
  }
  // Writes the old family, opens it as the converter's source and converts.
  int Convert(const orv2::ConversionOptions& options = {}) {
    w.Write(oldDir);
    EXPECT_EQ(OpenSource(), 1);
    orv2::COrv2Converter converter(source, options, view);
    const int result = converter.Run(newFile);
    individuals = converter.Individuals();
    marriages = converter.Marriages();
    return result;
  }
  int OpenSource() {
    CFamilyDatabase* saved = CurrentDatabase;
    CurrentDatabase = &source;
    const int opened = DbOpen(oldDir, CFamilyDatabase::kOldFormat);
    CurrentDatabase = saved;
    return opened;
  }
  void OpenNew() { ASSERT_EQ(DbOpen(newFile, CFamilyDatabase::kCurrentFormat), 1); }
  // Runs a call on the old family.
  template <class F>
  auto OnOld(F f) {
    CFamilyDatabase* saved = CurrentDatabase;
    CurrentDatabase = &source;
    auto result = f();
    CurrentDatabase = saved;
    return result;
  }

  TempDir dir;
  std::string oldDir = dir.Path() + "old/";
  std::string newDir = dir.Path() + "new/";
  std::string newFile = newDir + "family.orv";
  oldfamily::Writer w;
  CFamilyDatabase source;
  FakeView view;
  orv2::CRecordNumberMap individuals, marriages;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
};

oldfamily::Individual Person(const std::string& surname, const std::string& given, char sex) {
  oldfamily::Individual p;
  p.surname = surname;
  p.given[0] = given;
  p.sex = sex;
  return p;
}

// Three generations: a man with two wives, children in both marriages, a
// grandchild, deleted records between them, every date form, notes and
// multimedia.
void WriteThreeGenerations(oldfamily::Writer& w) {
  auto man = Person("Brandt", "Otto", 'M');
  man.birth = {{1801, 2, 3, 2, 0}, {"Celle", "", "Hannover", "Germany"}};
  man.christening = {{1801, 2, 9, 1, 0}, {"Celle", "", "", ""}};
  man.death = {{1870, 0, 0, 0, 0}, {}};
  man.burial = {{1870, 5, 0, 3, 0}, {"Celle", "", "", ""}};
  man.baptism = {{0, 17, 0, 2, 0}, ""};
  man.endowment = {{1901, 4, 5, 2, 0}, "LOGAN"};
  man.sealParents = {{0, 23, 0, 2, 0}, ""};  // BIC, without parents in the file
  man.notes = {"Miller by trade.", "", "Left Celle in 1850."};
  oldfamily::Media photo;
  photo.texts[0] = "otto.jpg";
  photo.texts[1] = "Otto";
  man.media = {photo};
  const auto otto = w.Add(man);
  w.Add(Person("Gone", "", 'M'));  // 2, deleted
  w.people[2].deleted = true;
  auto first = Person("Sauer", "Anna", 'F');
  first.death = {{1830, 13, 0, 2, 0}, {}};  // See Notes
  const auto anna = w.Add(first);
  auto second = Person("Kolb", "Berta", 'F');
  second.birth = {{1710, 1, 2, 2, 1}, {}};  // dual year
  const auto berta = w.Add(second);
  oldfamily::Marriage m1;
  m1.marriage = {{1825, 6, 1, 2, 0}, {"Celle", "", "", ""}};
  m1.sealing = {{1950, 1, 1, 2, 0}, "SLAKE"};
  const auto mar1 = w.Marry(otto, anna, m1);
  oldfamily::Marriage gone;
  gone.deleted = true;
  w.AddMarriage(gone);  // 2, deleted
  oldfamily::Marriage m2;
  m2.marriage = {{1832, 0, 0, 1, 0}, {}};
  m2.status = 'Y';
  const auto mar2 = w.Marry(otto, berta, m2);
  auto kid1 = Person("Brandt", "Karl", 'M');
  kid1.sealParents = {{1960, 3, 4, 2, 0}, "MANTI"};
  kid1.birth = {{1826, 3, 1, 2, 0}, {}};
  const auto karl = w.Add(kid1);
  const auto lena = w.Add(Person("Brandt", "Lena", 'F'));
  const auto paul = w.Add(Person("Brandt", "Paul", 'M'));
  w.AddChild(mar1, karl);
  w.AddChild(mar1, lena);
  w.AddChild(mar2, paul);
  const auto wife = w.Add(Person("Vogt", "Ida", 'F'));
  const auto mar3 = w.Marry(karl, wife);
  const auto grand = w.Add(Person("Brandt", "Emil", 'M'));
  w.AddChild(mar3, grand);
  // A child that names its parents but is missing from their child chain.
  auto stray = Person("Brandt", "Olga", 'F');
  stray.parents = mar3;
  w.Add(stray);
  w.Add(Person("", "", 'M'));  // no names at all
}

// Every field the old family holds, compared between the two files.
void ExpectSameEvent(const CEventValue& a, const CEventValue& b, const std::string& what) {
  EXPECT_EQ(a.date.Format(), b.date.Format()) << what;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(a.place[i], b.place[i]) << what << " place " << i;
}
void ExpectSameOrdinance(const COrdinanceValue& a, const COrdinanceValue& b,
                         const std::string& what) {
  EXPECT_EQ(a.date.Format(), b.date.Format()) << what;
  EXPECT_EQ(a.templeCode, b.templeCode) << what;
}

TEST_F(Orv2ConverterTest, TheNewFileHoldsEveryRecordLinkNoteAndDateOfTheOldOne) {
  WriteThreeGenerations(w);
  orv2::ConversionOptions options;
  options.wrap = false;
  ASSERT_EQ(Convert(options), 1);
  EXPECT_TRUE(boxes.Calls().empty());
  OpenNew();

  const std::int32_t oldHighest = OnOld([] { return DbGetMaxRecordCount(db::kIndividual); });
  const std::int32_t oldMarriages = OnOld([] { return DbGetMaxRecordCount(db::kMarriage); });
  auto mapAll = [](const orv2::CRecordNumberMap& map, std::vector<std::int32_t> list) {
    for (auto& n : list) n = map.Lookup(n);
    return list;
  };
  int live = 0;
  for (std::int32_t o = 1; o <= oldHighest; ++o) {
    SCOPED_TRACE("old RIN " + std::to_string(o));
    CIndividualRecord a, b;
    const int read = OnOld([&] { return DbGetRecord(o, db::kIndividual, &a, 1); });
    const std::int32_t n = individuals.Lookup(o);
    if (!read) {
      EXPECT_EQ(n, 0);
      continue;
    }
    ++live;
    ASSERT_GT(n, 0);
    ASSERT_EQ(DbGetRecord(n, db::kIndividual, &b, 1), 1);
    EXPECT_EQ(a.surname, b.surname);
    if (a.surname.empty() && a.givenNames[0].empty())
      EXPECT_EQ(b.givenNames[0], "Unknown");
    else
      EXPECT_EQ(a.givenNames[0], b.givenNames[0]);
    EXPECT_EQ(a.sex, b.sex);
    ExpectSameEvent(a.birth, b.birth, "birth");
    ExpectSameEvent(a.christening, b.christening, "christening");
    ExpectSameEvent(a.death, b.death, "death");
    ExpectSameEvent(a.burial, b.burial, "burial");
    ExpectSameOrdinance(a.baptism, b.baptism, "baptism");
    ExpectSameOrdinance(a.endowment, b.endowment, "endowment");
    ExpectSameOrdinance(a.sealingToParents, b.sealingToParents, "sealing to parents");
    EXPECT_EQ(OnOld([&] { return DbGetNotes(o, 0, db::kIndividual, 0, 1, 0); }),
              DbGetNotes(n, 0, db::kIndividual, 0, 1, 0));

    std::vector<std::int32_t> oldList, newList;
    OnOld([&] { return DbGetRelation(o, db::kRelMarriages, 99, oldList); });
    DbGetRelation(n, db::kRelMarriages, 99, newList);
    newList.erase(std::remove(newList.begin(), newList.end(), 0), newList.end());
    EXPECT_EQ(mapAll(marriages, oldList), newList) << "marriages";
    OnOld([&] { return DbGetRelation(o, db::kRelParents, 3, oldList); });
    std::vector<std::int32_t> parents;
    DbGetRelationList(parents, db::kRelParents, 4, n, 0);
    EXPECT_EQ(oldList[0] ? std::vector<std::int32_t>{marriages.Lookup(oldList[0])}
                         : std::vector<std::int32_t>{},
              parents)
        << "parents";
  }
  EXPECT_EQ(live, 10);
  for (std::int32_t o = 1; o <= oldMarriages; ++o) {
    SCOPED_TRACE("old MRIN " + std::to_string(o));
    CMarriageRecord a, b;
    const int read = OnOld([&] { return DbGetRecord(o, db::kMarriage, &a); });
    const std::int32_t n = marriages.Lookup(o);
    if (!read) {
      EXPECT_EQ(n, 0);
      continue;
    }
    ASSERT_EQ(DbGetRecord(n, db::kMarriage, &b, 1), 1);
    EXPECT_EQ(individuals.Lookup(a.husband), b.husband);
    EXPECT_EQ(individuals.Lookup(a.wife), b.wife);
    EXPECT_EQ(a.status, b.status);
    ExpectSameEvent(a.marriage, b.marriage, "marriage");
    ExpectSameOrdinance(a.sealingToSpouse, b.sealingToSpouse, "sealing to spouse");
    std::vector<std::int32_t> oldKids, newKids;
    OnOld([&] { return DbGetRelation(o, db::kRelChildren, 99, oldKids); });
    DbGetRelation(n, db::kRelChildren, 99, newKids);
    newKids.erase(std::remove(newKids.begin(), newKids.end(), 0), newKids.end());
    std::reverse(oldKids.begin(), oldKids.end());  // the old chain runs youngest first
    // After them, children that name the marriage but are missing from its chain.
    for (std::int32_t child = 1; child <= oldHighest; ++child) {
      std::vector<std::int32_t> parents;
      if (OnOld([&] { return DbGetRelation(child, db::kRelParents, 3, parents); }) == 1 &&
          parents[0] == o && std::find(oldKids.begin(), oldKids.end(), child) == oldKids.end())
        oldKids.push_back(child);
    }
    EXPECT_EQ(mapAll(individuals, oldKids), newKids) << "children";
  }

  // Multimedia moved along; a relative name gets the old family's folder in
  // front, as the new file lies elsewhere.
  const std::int32_t otto = individuals.Lookup(1);
  const std::int32_t head = CurrentDatabase->GetMultimediaHead(otto, db::kIndividual);
  ASSERT_GT(head, 0);
  CMultimediaList items = CurrentDatabase->LoadMultimediaList(head);
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(items->GetFileName(), oldDir + "otto.jpg");
  EXPECT_EQ(items->caption, "Otto");

  // Check/Repair finds nothing to report in the new file.
  const std::string report = dir.File("report.txt");
  CDatabaseChecker checker(newFile, report, *CurrentDatabase, 0);
  EXPECT_EQ(checker.Run(), 1);
  EXPECT_EQ(checker.ProblemCount(), 0u) << ReadAll(report);
}

TEST_F(Orv2ConverterTest, PreserveNumbersKeepsTheGapsOfDeletedRecords) {
  for (int i = 0; i < 5; ++i) w.Add(Person("P", std::to_string(i + 1), 'M'));
  for (int i = 0; i < 3; ++i) w.people[i + 1].deleted = true;
  orv2::ConversionOptions options;
  options.preserveNumbers = true;
  ASSERT_EQ(Convert(options), 1);
  OpenNew();
  EXPECT_EQ(individuals.Lookup(4), 4);
  EXPECT_EQ(individuals.Lookup(5), 5);
  CIndividualRecord r;
  for (std::int32_t n = 1; n <= 3; ++n) EXPECT_EQ(DbGetRecord(n, db::kIndividual, &r), 0) << n;
  ASSERT_EQ(DbGetRecord(4, db::kIndividual, &r), 1);
  EXPECT_EQ(r.givenNames[0], "4");
}

TEST_F(Orv2ConverterTest, WithoutPreserveNumbersTheLiveRecordsCloseUp) {
  for (int i = 0; i < 5; ++i) w.Add(Person("P", std::to_string(i + 1), 'M'));
  for (int i = 0; i < 3; ++i) w.people[i + 1].deleted = true;
  ASSERT_EQ(Convert(), 1);
  OpenNew();
  EXPECT_EQ(individuals.Lookup(4), 1);
  EXPECT_EQ(individuals.Lookup(5), 2);
  EXPECT_EQ(DbGetMaxRecordCount(db::kIndividual), 2);
}

TEST(Orv2ConverterTexts, StirpbankNumbers) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"1B2C-3D", 1}, {"AB2C-3D", 0},  // a vowel first
      {"0B2C-3D", 0},                  // a zero first
      {"BCDF-GH", 1}, {"1B2C3D", 0},   // no dash
      {"1b2c-3d", 0},                  // lower case
      {"1B2Y-3D", 0},                  // Y counts as a vowel
      {"1B2C-3", 0},                   // too short
      {"9999-99", 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(orv2::LooksLikeStirpbankNumber(c.text), c.expected) << c.text;
}

TEST_F(Orv2ConverterTest, AStirpbankNumberMovesOutOfTheIdentifierField) {
  auto a = Person("A", "Sbn", 'M');
  a.id = "1B2C-3D";
  auto b = Person("B", "Id", 'F');
  b.id = "AB2C-3D";
  w.Add(a);
  w.Add(b);
  ASSERT_EQ(Convert(), 1);
  OpenNew();
  CIndividualRecord r;
  ASSERT_EQ(DbGetRecord(individuals.Lookup(1), db::kIndividual, &r), 1);
  EXPECT_EQ(r.texts1[1], "1B2C-3D");
  EXPECT_EQ(r.texts1[0], "");
  ASSERT_EQ(DbGetRecord(individuals.Lookup(2), db::kIndividual, &r), 1);
  EXPECT_EQ(r.texts1[0], "AB2C-3D");
  EXPECT_EQ(r.texts1[1], "");
}

TEST(Orv2ConverterTexts, NoteTagsFillTheirFields) {
  struct Case {
    std::string paragraph;
    bool taken;
    std::vector<std::pair<int, std::string>> contact;
    std::string cause;
  };
  const Case cases[] = {
      {"MAILADDRESS: 12 Elm Street\r\nApartment 4\r\nDover, DE 19901",
       true,
       {{R::kContactAddress1, "12 Elm Street"},
        {R::kContactAddress2, "Apartment 4"},
        {R::kContactCity, "Dover"},
        {R::kContactState, "DE"},
        {R::kContactPostalCode, "19901"}},
       ""},
      {"mailaddress:\r\nRural Route 2\r\nSpringfield, IL",
       true,
       {{R::kContactAddress1, "Rural Route 2"},
        {R::kContactAddress2, ""},
        {R::kContactCity, "Springfield"},
        {R::kContactState, "IL"}},
       ""},
      {"TELEPHONE: 555-0100", true, {{R::kContactPhone, "555-0100"}}, ""},
      {"EMAIL: ann@example.org", true, {{R::kContactEmail, "ann@example.org"}}, ""},
      {"Contact_Name: Ann Lee", true, {{R::kContactName, "Ann Lee"}}, ""},
      {"CAUSE_OF_DEATH: Typhoid fever\r\n", true, {}, "Typhoid fever"},
      {"PHONE: 555", false, {}, ""},
      {"He said: TELEPHONE: 1", false, {}, ""},
  };
  for (const Case& c : cases) {
    CIndividualRecord r;
    EXPECT_EQ(orv2::TakeNoteTag(c.paragraph, r), c.taken) << c.paragraph;
    for (const auto& [field, text] : c.contact) EXPECT_EQ(r.contact[field], text) << c.paragraph;
    EXPECT_EQ(r.texts2[0], c.cause) << c.paragraph;
  }
}

TEST_F(Orv2ConverterTest, TaggedParagraphsLeaveTheNotes) {
  auto p = Person("Lee", "Ann", 'F');
  p.notes = {"Kept first.",
             "",
             "MAILADDRESS: 12 Elm Street",
             "Apartment 4",
             "Dover, DE 19901",
             "",
             "TELEPHONE: 555-0100",
             "",
             "CAUSE_OF_DEATH: Old age",
             "",
             "Kept last."};
  w.Add(p);
  ASSERT_EQ(Convert(), 1);
  OpenNew();
  CIndividualRecord r;
  ASSERT_EQ(DbGetRecord(1, db::kIndividual, &r, 1), 1);
  EXPECT_EQ(r.contact[R::kContactAddress1], "12 Elm Street");
  EXPECT_EQ(r.contact[R::kContactAddress2], "Apartment 4");
  EXPECT_EQ(r.contact[R::kContactCity], "Dover");
  EXPECT_EQ(r.contact[R::kContactState], "DE");
  EXPECT_EQ(r.contact[R::kContactPostalCode], "19901");
  EXPECT_EQ(r.contact[R::kContactPhone], "555-0100");
  EXPECT_EQ(r.texts2[0], "Old age");
  EXPECT_EQ(DbGetNotes(1, 0, db::kIndividual, 0, 1, 0), "Kept first.\r\n\r\nKept last.\r\n");
}

TEST_F(Orv2ConverterTest, TheWrapOptionJoinsTheStoredLinesOfAParagraph) {
  auto p = Person("Lee", "Ann", 'F');
  const std::string first = "She kept the family records in a worn leather book and";
  p.notes = {first, "gave it to her daughter.", "", "Short line.", "Next line."};
  w.Add(p);
  ASSERT_EQ(Convert(), 1);  // wrap is on by default
  OpenNew();
  EXPECT_EQ(DbGetNotes(1, 0, db::kIndividual, 0, 1, 0),
            first + " gave it to her daughter.\r\n\r\nShort line.\r\nNext line.\r\n");
}

TEST(Orv2ConverterTexts, SourceNotesSplitIntoTheirFields) {
  orv2::SourceNote n;
  ASSERT_TRUE(orv2::ParseSourceNote(
      "!BIRTH-FOO-DEATH: Smith, Family\r\nBible; worn; Boston 1850; p. 4; County Library; ink", n));
  EXPECT_EQ(n.cited, (std::vector<std::string>{"BIRTH", "DEATH"}));
  EXPECT_EQ(n.notCited, std::vector<std::string>{"FOO"});
  EXPECT_EQ(n.author, "Smith");
  EXPECT_EQ(n.title, "Family Bible");
  EXPECT_EQ(n.comments, "worn; ink");
  EXPECT_EQ(n.publication, "Boston 1850");
  EXPECT_EQ(n.page, "p. 4");
  EXPECT_EQ(n.repository, "County Library");
  ASSERT_TRUE(orv2::ParseSourceNote("!MARRIAGE: Parish register", n));
  EXPECT_EQ(n.author, "");
  EXPECT_EQ(n.title, "Parish register");
  EXPECT_FALSE(orv2::ParseSourceNote("!no colon here", n));
}

TEST_F(Orv2ConverterTest, SourceNotesBecomeSourcesRepositoriesAndCitations) {
  auto p = Person("Lee", "Ann", 'F');
  p.notes = {"!BIRTH-MARRIAGE: Smith, Family Bible; worn; ; p. 4; County Library",
             "",
             "!FOO-BAR: Unknown tags stay",
             "",
             "!DEATH-XYZ: Death register; ; ; folio 9",
             "",
             "!SEALING_PARENTS: Temple record; ; ; sheet 2"};
  const auto ann = w.Add(p);
  const auto husband = w.Add(Person("Lee", "Bob", 'M'));
  w.Marry(husband, ann);
  view.answers = {orv2::SourceNoteChoice::kConvert, orv2::SourceNoteChoice::kConvert,
                  orv2::SourceNoteChoice::kConvert};
  view.retain = false;
  ASSERT_EQ(Convert(), 1);
  // Only paragraphs with a cited tag are asked about.
  EXPECT_EQ(view.asked.size(), 3u);
  EXPECT_EQ(view.asked[0], "Ann Lee");
  OpenNew();
  const std::int32_t n = individuals.Lookup(ann);
  EXPECT_EQ(DbGetNotes(n, 0, db::kIndividual, 0, 1, 0), "!FOO-BAR: Unknown tags stay\r\n");
  EXPECT_EQ(DbGetRecordCount(db::kSource), 3);
  EXPECT_EQ(DbGetRecordCount(db::kRepository), 1);
  CSourceRecord s;
  ASSERT_EQ(DbGetRecord(1, db::kSource, &s), 1);
  EXPECT_EQ(s.title, "Family Bible");
  EXPECT_EQ(s.author, "Smith");
  EXPECT_EQ(s.repositoryRin, 1);
  CRepositoryRecord repo;
  ASSERT_EQ(DbGetRecord(1, db::kRepository, &repo), 1);
  EXPECT_EQ(repo.name, "County Library");
  std::vector<std::int32_t> cits;
  DbGetRinList(cits, db::kCitation, n, db::kOwnerBirth);
  ASSERT_EQ(cits.size(), 1u);
  CCitationRecord c;
  ASSERT_EQ(DbGetRecord(cits[0], db::kCitation, &c), 1);
  EXPECT_EQ(c.pageText, "p. 4");
  EXPECT_EQ(c.comments, "worn");
  DbGetRinList(cits, db::kCitation, marriages.Lookup(1), db::kOwnerMarriage);
  EXPECT_EQ(cits.size(), 1u);
  DbGetRinList(cits, db::kCitation, n, db::kOwnerDeath);
  ASSERT_EQ(cits.size(), 1u);
  ASSERT_EQ(DbGetRecord(cits[0], db::kCitation, &c), 1);
  EXPECT_EQ(c.pageText, "folio 9");
  EXPECT_EQ(c.sourceRin, 2);
  // The sealing to parents is cited on the family link made for it (she
  // has no parents in the old family).
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, n, 0);
  ASSERT_EQ(links.size(), 1u);
  DbGetRinList(cits, db::kCitation, links[0], db::kOwnerFamilyLink);
  ASSERT_EQ(cits.size(), 1u);
  ASSERT_EQ(DbGetRecord(cits[0], db::kCitation, &c), 1);
  EXPECT_EQ(c.pageText, "sheet 2");

  const std::string report = dir.File("report.txt");
  CDatabaseChecker checker(newFile, report, *CurrentDatabase, 0);
  EXPECT_EQ(checker.Run(), 1);
  EXPECT_EQ(checker.ProblemCount(), 0u) << ReadAll(report);
}

TEST_F(Orv2ConverterTest, TheSourceNoteAnswersSteerTheRest) {
  auto p = Person("Lee", "Ann", 'F');
  p.notes = {"!BIRTH: First; ; ; p1", "", "!DEATH-OTHER: Second; ; ; p2", "",
             "!BURIAL: Third; ; ; p3"};
  w.Add(p);
  auto q = Person("Lee", "Cy", 'M');
  q.notes = {"!BIRTH: Fourth"};
  w.Add(q);
  // Don't convert the first; convert all from the second on, retaining it.
  view.answers = {orv2::SourceNoteChoice::kDontConvert, orv2::SourceNoteChoice::kConvertAll};
  view.retain = true;
  ASSERT_EQ(Convert(), 1);
  EXPECT_EQ(view.asked.size(), 2u);
  OpenNew();
  EXPECT_EQ(DbGetNotes(1, 0, db::kIndividual, 0, 1, 0),
            "!BIRTH: First; ; ; p1\r\n\r\n!OTHER: Second; ; ; p2\r\n");
  EXPECT_EQ(DbGetNotes(2, 0, db::kIndividual, 0, 1, 0), "");
  EXPECT_EQ(DbGetRecordCount(db::kSource), 3);
}

TEST_F(Orv2ConverterTest, DontConvertAnyAndTheOptionOffKeepEverySourceNote) {
  for (bool viaOption : {false, true}) {
    SCOPED_TRACE(viaOption);
    TempDir d;
    oldfamily::Writer family;
    auto p = Person("Lee", "Ann", 'F');
    p.notes = {"!BIRTH: First", "", "!DEATH: Second", "", "TELEPHONE: 1"};
    family.Add(p);
    family.Write(d.Path());
    CFamilyDatabase old;
    CFamilyDatabase* saved = CurrentDatabase;
    CurrentDatabase = &old;
    ASSERT_EQ(DbOpen(d.Path(), CFamilyDatabase::kOldFormat), 1);
    CurrentDatabase = saved;
    FakeView v;
    v.answers = {orv2::SourceNoteChoice::kDontConvertAny};
    orv2::ConversionOptions options;
    options.convertSourceNotes = !viaOption;
    orv2::COrv2Converter converter(old, options, v);
    ASSERT_EQ(converter.Run(d.File("new.orv")), 1);
    EXPECT_EQ(v.asked.size(), viaOption ? 0u : 1u);
    ASSERT_EQ(DbOpen(d.File("new.orv"), CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(DbGetNotes(1, 0, db::kIndividual, 0, 1, 0),
              "!BIRTH: First\r\n\r\n!DEATH: Second\r\n");
    CIndividualRecord r;
    ASSERT_EQ(DbGetRecord(1, db::kIndividual, &r, 1), 1);
    EXPECT_EQ(r.contact[R::kContactPhone], "1");  // the note tags still convert
    DbCloseCurrent();
    old.Close();
  }
}

TEST_F(Orv2ConverterTest, TheCounterShowsEvery31Steps) {
  for (int i = 0; i < 70; ++i) w.Add(Person("P", std::to_string(i), 'M'));
  ASSERT_EQ(Convert(), 1);
  // Individuals Pass 1 runs over 70 records: 31 / 70 and 62 / 70.
  const auto pass = std::find(view.passes.begin(), view.passes.end(), "Individuals Pass 1:");
  ASSERT_NE(pass, view.passes.end());
  EXPECT_NE(std::find(view.counters.begin(), view.counters.end(), "31 / 70"), view.counters.end());
  EXPECT_NE(std::find(view.counters.begin(), view.counters.end(), "62 / 70"), view.counters.end());
  EXPECT_EQ(std::count(view.counters.begin(), view.counters.end(), "93 / 70"), 0);
  EXPECT_EQ(view.passes, (std::vector<std::string>{
                             "Marriages Pass 1:", "Individuals Pass 1:", "Individuals Pass 2:",
                             "Marriages Pass 2:", "Family Links Pass 2:"}));
}

TEST_F(Orv2ConverterTest, ACancelLeavesNoFileAndTheOldFilesUntouched) {
  for (int i = 0; i < 100; ++i) w.Add(Person("P", std::to_string(i), 'M'));
  w.Write(oldDir);
  ASSERT_EQ(OpenSource(), 1);
  const auto before = Snapshot(oldDir);
  // A file already at the destination survives the cancel.
  WriteAll(newFile, "earlier file");
  view.cancelAtPump = 2;
  // The folder of the open family's temporary files stays as it was.
  SetOpenFamilyFileFolder(dir.Path());
  orv2::COrv2Converter converter(source, {}, view);
  EXPECT_EQ(converter.Run(newFile), 0);
  EXPECT_EQ(GetOpenFamilyFileFolder(), dir.Path());
  EXPECT_TRUE(converter.Cancelled());
  EXPECT_EQ(ReadAll(newFile), "earlier file");
  EXPECT_EQ(Snapshot(newDir).size(), 1u);
  EXPECT_EQ(Snapshot(oldDir), before);

  // A finished conversion replaces it, and still writes nothing old.
  view.cancelAtPump = -1;
  orv2::COrv2Converter again(source, {}, view);
  EXPECT_EQ(again.Run(newFile), 1);
  EXPECT_EQ(GetOpenFamilyFileFolder(), dir.Path());
  SetOpenFamilyFileFolder("");
  EXPECT_EQ(Snapshot(oldDir), before);
  EXPECT_TRUE(IsCurrentFormatFile(newFile));
  EXPECT_EQ(Snapshot(newDir).size(), 1u);
}

TEST_F(Orv2ConverterTest, ADestinationThatCannotBeCreatedLeavesNothing) {
  w.Add(Person("P", "Q", 'M'));
  w.Write(oldDir);
  ASSERT_EQ(OpenSource(), 1);
  orv2::COrv2Converter converter(source, {}, view);
  EXPECT_EQ(converter.Run(newDir + "missing/family.orv"), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Problem creating dest database");
  EXPECT_FALSE(fs::exists(newDir + "missing"));
  EXPECT_TRUE(fs::is_empty(newDir));
}

TEST_F(Orv2ConverterTest, APreparerAndTheConversionOfAnotherTypeIsRefused) {
  w.writePreparer = true;
  w.preparer[0] = "Ann Lee";
  w.preparer[4] = "555";
  w.Add(Person("P", "Q", 'M'));
  ASSERT_EQ(Convert(), 1);
  OpenNew();
  CPreparerRecord prep;
  ASSERT_EQ(DbGetRecord(1, db::kPreparer, &prep), 1);
  EXPECT_EQ(prep.givenNames, "Ann");
  EXPECT_EQ(prep.surname, "Lee");
  EXPECT_EQ(prep.phone, "555");
  // The current file itself is no source.
  orv2::COrv2Converter converter(*CurrentDatabase, {}, view);
  EXPECT_EQ(converter.Run(dir.File("x.orv")), 0);
  EXPECT_FALSE(fs::exists(dir.File("x.orv")));
}

TEST(Orv2ConverterTexts, RelativePaths) {
  struct Case {
    const char* folder;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"/home/ann/", "/home/ann/pics/a.jpg", "pics/a.jpg"},
      {"/HOME/Ann", "/home/ann//pics/a.jpg", "pics/a.jpg"},  // case and doubled separators
      {"/home/an", "/home/ann/a.jpg", "/home/ann/a.jpg"},    // whole components only
      {"/other/", "/home/ann/a.jpg", "/home/ann/a.jpg"},
      {"c:\\fam\\", "c:\\fam\\old\\", "old\\"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(orv2::MakeRelativePath(c.folder, c.path), c.expected) << c.folder << " " << c.path;
}

TEST(Orv2ConverterTexts, NumberTablesSpanChunks) {
  orv2::CRecordNumberMap map;
  EXPECT_EQ(map.Lookup(0), 0);
  for (std::int32_t i = 0; i < 20000; ++i) map.Append(i * 3);
  EXPECT_EQ(map.Count(), 20000u);
  EXPECT_EQ(map.Lookup(8191), 8191 * 3);
  EXPECT_EQ(map.Lookup(8192), 8192 * 3);
  EXPECT_EQ(map.Lookup(19999), 19999 * 3);
  EXPECT_EQ(map.Lookup(20000), 0);
  EXPECT_EQ(map.Lookup(-1), 0);
}

}  // namespace

namespace {

TEST_F(Orv2ConverterTest, MultimediaNamesWorkFromTheNewFilesFolder) {
  auto p = Person("P", "Q", 'M');
  oldfamily::Media relative, absolute, drive;
  relative.texts[0] = "pics/a.jpg";
  absolute.kind = 'S';
  absolute.texts[0] = "/srv/b.wav";
  drive.kind = 'S';
  drive.texts[0] = "c:\\c.wav";
  p.media = {relative, absolute, drive};
  w.Add(p);
  w.Write(oldDir);
  ASSERT_EQ(OpenSource(), 1);
  struct Case {
    std::string destination;
    std::string relativeName;
  };
  const Case cases[] = {
      {dir.Path() + "above.orv", "old/pics/a.jpg"},  // the old folder lies inside
      {oldDir + "same.orv", "pics/a.jpg"},           // the same folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.destination);
    orv2::COrv2Converter converter(source, {}, view);
    ASSERT_EQ(converter.Run(c.destination), 1);
    ASSERT_EQ(DbOpen(c.destination, CFamilyDatabase::kCurrentFormat), 1);
    CMultimediaList items =
        CurrentDatabase->LoadMultimediaList(CurrentDatabase->GetMultimediaHead(1, db::kIndividual));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->GetFileName(), c.relativeName);
    ASSERT_NE(items->next, nullptr);
    EXPECT_EQ(items->next->GetFileName(), "/srv/b.wav");
    ASSERT_NE(items->next->next, nullptr);
    EXPECT_EQ(items->next->next->GetFileName(), "c:\\c.wav");
    DbCloseCurrent();
  }
}

}  // namespace

// Damaged old families: whatever the reader meets is told once, in one
// summary at the end with the tally of what was read and what could not
// be; a family of which no individual can be read is not converted.
TEST_F(Orv2ConverterTest, DamageIsToldInOneSummaryAndAFamilyOfNobodyFails) {
  struct Case {
    const char* name;
    // Damages the written old family's files in folder.
    void (*damage)(const std::string& folder);
    int result;
    orv2::ConversionTally tally;
    unsigned text;  // the summary's string
  };
  const Case cases[] = {
      {"first individual record (the header) garbled",
       [](const std::string& folder) {
         std::string bytes = ReadAll(folder + "indiv2.dat");
         for (int i = 0; i < 21; ++i) bytes[static_cast<std::size_t>(i)] = '\xFF';
         WriteAll(folder + "indiv2.dat", bytes);
       },
       // The marriages' spouse links lead nowhere.
       0, {0, 0, 20, 0, 20}, res::kIdsConversionFailedNobody},
      {"marriage file cut after two marriages",
       [](const std::string& folder) {
         std::filesystem::resize_file(folder + "marr2.dat", 3 * 28);
       },
       // The 36 spouses of the 18 marriages cut off lose their links.
       1, {40, 0, 2, 18, 36}, res::kIdsConversionLosses},
      {"individuals file cut after thirty individuals",
       [](const std::string& folder) {
         std::filesystem::resize_file(folder + "indiv2.dat", 31 * 92);
       },
       // Marriages 16-20 name spouses the file lost.
       1, {30, 10, 20, 0, 5}, res::kIdsConversionLosses},
      {"three individuals naming texts and marriages that are not there",
       [](const std::string& folder) {
         for (const long long rin : {3, 7, 11})
           oldfamily::PatchU16(folder + "indiv2.dat", rin * 92 + 76, 0xFFF0);  // first marriage
       },
       1, {40, 0, 20, 0, 3}, res::kIdsConversionLosses},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(oldDir);
    std::filesystem::remove_all(newDir);
    std::filesystem::create_directories(oldDir);
    std::filesystem::create_directories(newDir);
    source.Close();
    boxes.Clear();
    w = oldfamily::Writer();
    for (int i = 0; i < 20; ++i) {
      const auto husband = w.Add(Person("Berg", "Man" + std::to_string(i), 'M'));
      const auto wife = w.Add(Person("Dal", "Woman" + std::to_string(i), 'F'));
      w.Marry(husband, wife);
    }
    w.Write(oldDir);
    c.damage(oldDir);
    ASSERT_EQ(OpenSource(), 1);
    orv2::COrv2Converter converter(source, {}, view);
    EXPECT_EQ(converter.Run(newFile), c.result);
    const orv2::ConversionTally& t = converter.Tally();
    EXPECT_EQ(t.individualsRead, c.tally.individualsRead);
    EXPECT_EQ(t.individualsLost, c.tally.individualsLost);
    EXPECT_EQ(t.marriagesRead, c.tally.marriagesRead);
    EXPECT_EQ(t.marriagesLost, c.tally.marriagesLost);
    EXPECT_EQ(t.damaged, c.tally.damaged);
    EXPECT_EQ(fs::exists(newFile), c.result == 1);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const auto n = [](long v) { return std::to_string(v); };
    EXPECT_EQ(boxes.Calls()[0].text,
              FormatInsertsAndArgs(res::LoadString(c.text),
                                   {n(c.tally.individualsRead), n(c.tally.individualsLost),
                                    n(c.tally.marriagesRead), n(c.tally.marriagesLost),
                                    n(c.tally.damaged)},
                                   {}));
    EXPECT_EQ(boxes.Calls()[0].text.find("Check/Repair"), std::string::npos);
  }
}

