// Record calls through the record objects: round trips of every record
// type, the walks of GetRIN on a file with deleted records, and the
// recovery of highest record numbers after a batch cut short.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "AlphaNameRecord.h"
#include "CitationRecord.h"
#include "ContactRecord.h"
#include "CustomEventTable.h"
#include "DbCodes.h"
#include "EngineFixture.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MemoryFile.h"
#include "MultimediaItem.h"
#include "PlaceEventObject.h"
#include "PreparerRecord.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "UserEventRecord.h"

namespace {

class RecordCallsTest : public EngineTest {
 protected:
  std::int32_t AddPerson(const std::string& surname, const std::string& given, char sex = 'M') {
    CIndividualRecord p;
    p.surname = surname;
    p.givenNames[0] = given;
    p.sex = sex;
    return engine->Calls().AddRecord(db::kIndividual, false, &p);
  }
};

TEST_F(RecordCallsTest, IndividualRoundTripKeepsEveryStoredField) {
  CIndividualRecord in;
  in.surname = "M\xFCller";  // code-page text through ANSEL and back
  in.givenNames[0] = "Anna";
  in.givenNames[1] = "Maria";
  in.suffix = "Jr.";
  in.title = "Dr.";
  in.nameExtensions[0] = "the elder";
  in.texts2[0] = "seven";
  in.linkText = "cousin";
  in.texts1[0] = "0123456789ABC";  // cut to 10 characters
  in.texts1[1] = "SBN-1";
  in.sex = 'F';
  in.birth.date.Parse("12 Mar 1850");
  in.birth.place[0] = "Bern";
  in.birth.place[3] = "Switzerland";
  in.death.date.SetText("after the war");
  in.baptism.date.Parse("1 Jan 1900");
  in.baptism.templeCode = "SLAKE";
  in.fifthEvent.place[1] = "optional";
  in.contact[CIndividualRecord::kContactCity] = "Basel";
  in.trailing[0] = 77;
  in.trailing[1] = -5;
  const std::int32_t rin = engine->Calls().AddRecord(db::kIndividual, false, &in);
  ASSERT_EQ(rin, 1);

  CIndividualRecord out;
  ASSERT_EQ(engine->Calls().O3_GetRecord(rin, db::kIndividual, &out, 1), 1);
  EXPECT_EQ(out.surname, "M\xFCller");
  EXPECT_EQ(out.givenNames[1], "Maria");
  EXPECT_EQ(out.suffix, "Jr.");
  EXPECT_EQ(out.title, "Dr.");
  EXPECT_EQ(out.nameExtensions[0], "the elder");
  EXPECT_EQ(out.texts2[0], "seven");
  EXPECT_EQ(out.linkText, "cousin");
  EXPECT_EQ(out.texts1[0], "0123456789");
  EXPECT_EQ(out.texts1[1], "SBN-1");
  EXPECT_EQ(out.sex, 'F');
  EXPECT_TRUE(out.birth.date.Equals(in.birth.date));
  EXPECT_EQ(out.birth.place[0], "Bern");
  EXPECT_EQ(out.birth.place[3], "Switzerland");
  EXPECT_EQ(out.death.date.textOnly, 1);
  EXPECT_EQ(out.death.date.text, "after the war");
  EXPECT_EQ(out.baptism.templeCode, "SLAKE");
  EXPECT_EQ(out.baptism.kind, 'B');
  EXPECT_EQ(out.fifthEvent.place[1], "optional");
  EXPECT_EQ(out.contact[CIndividualRecord::kContactCity], "Basel");
  EXPECT_EQ(out.trailing[0], 77);
  EXPECT_EQ(out.trailing[1], -5);
  EXPECT_NE(out.numbers[4], 0);  // creation stamp
  EXPECT_EQ(out.marriageCount, 0);

  // A lower level leaves the places out.
  CIndividualRecord low;
  ASSERT_EQ(engine->Calls().ReadIndividualRecord(rin, low, 4), 1);
  EXPECT_EQ(low.birth.place[0], "");
  EXPECT_TRUE(low.birth.date.Equals(in.birth.date));

  // Removing the contact data deletes the contact record.
  out.contact[CIndividualRecord::kContactCity].clear();
  const std::int32_t contact = out.numbers[10];
  ASSERT_GT(contact, 0);
  ASSERT_EQ(engine->Calls().UpdateRecord(rin, db::kIndividual, &out), 1);
  EXPECT_EQ(engine->Records().IsLive(orv::RecordKind::Contact, contact), -1);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(RecordCallsTest, UpdateOfANameResortsTheNameTree) {
  const std::int32_t a = AddPerson("Baker", "Al");
  const std::int32_t b = AddPerson("Carter", "Bo");
  const std::int32_t c = AddPerson("Dawson", "Cy");
  EXPECT_EQ(engine->Trees().TreeInOrder(orv::RecordKind::Individual),
            (std::vector<std::int32_t>{a, b, c}));
  CIndividualRecord p;
  ASSERT_EQ(engine->Calls().O3_GetRecord(c, db::kIndividual, &p), 1);
  p.surname = "Adams";
  ASSERT_EQ(engine->Calls().UpdateRecord(c, db::kIndividual, &p), 1);
  EXPECT_EQ(engine->Trees().TreeInOrder(orv::RecordKind::Individual),
            (std::vector<std::int32_t>{c, a, b}));
  // The name index follows: its positions and entries.
  EXPECT_EQ(engine->Trees().NameIndexEntries(), 3);
  CAlphaNameRecord entry;
  ASSERT_EQ(engine->Calls().O3_GetRecord(1, db::kAlphaName, &entry), 1);
  EXPECT_EQ(entry.rin, c);
  EXPECT_EQ(entry.surname, "Adams");
  ASSERT_EQ(engine->Calls().O3_GetRecord(b, db::kAlphaNameOfRin, &entry), 1);
  EXPECT_EQ(entry.secondNumber, 3);
  EXPECT_EQ(engine->Calls().GetRIN(std::string("Carter, Bo"), db::kQueryNameText, db::kWalkExact),
            3);
  CIndividualRecord named;
  ASSERT_EQ(engine->Calls().O3_GetRecord(2, db::kIndividualAtName, &named), 1);
  EXPECT_EQ(named.numbers[0], a);
  EXPECT_EQ(named.givenNames[0], "Al");
}

TEST_F(RecordCallsTest, MarriageFamilyLinkAndUserEventRoundTrips) {
  const std::int32_t h = AddPerson("Hale", "Hugh");
  const std::int32_t w = AddPerson("Wood", "Wendy", 'F');
  CMarriageRecord m;
  m.husband = h;
  m.wife = w;
  m.status = 'D';
  m.marriage.date.Parse("3 Jun 1875");
  m.marriage.place[0] = "Leeds";
  m.sealingToSpouse.date.Parse("4 Jun 1875");
  const std::int32_t mrin = engine->Calls().AddRecord(db::kMarriage, false, &m);
  ASSERT_GT(mrin, 0);
  const std::int32_t child = AddPerson("Hale", "Kid");
  const std::int32_t link = engine->Families().DLLSETORV3RELATION(child, 0, db::kRelParents, mrin);
  ASSERT_GT(link, 0);

  CMarriageRecord mo;
  ASSERT_EQ(engine->Calls().O3_GetRecord(mrin, db::kMarriage, &mo, 1), 1);
  EXPECT_EQ(mo.husband, h);
  EXPECT_EQ(mo.wife, w);
  EXPECT_EQ(mo.status, 'D');
  EXPECT_EQ(mo.childCount, 1);
  EXPECT_EQ(mo.marriage.place[0], "Leeds");
  EXPECT_EQ(mo.sealingToSpouse.kind, 'S');
  EXPECT_TRUE(mo.sealingToSpouse.date.Equals(m.sealingToSpouse.date));
  std::vector<std::int32_t> spouses;
  ASSERT_EQ(engine->Families().GetRelation(mrin, db::kRelSpouses, 0, spouses), 1);
  EXPECT_EQ(spouses, (std::vector<std::int32_t>{h, w}));

  CFamilyLinkRecord fl;
  ASSERT_EQ(engine->Calls().O3_GetRecord(link, db::kFamilyLink, &fl), 1);
  EXPECT_EQ(fl.mrin, mrin);
  EXPECT_EQ(fl.child, child);
  fl.GetSealingEvent()->date.Parse("5 May 1900");
  fl.GetSealingEvent()->templeCode = "LOGAN";
  ASSERT_EQ(engine->Calls().UpdateRecord(link, db::kFamilyLink, &fl), 1);
  CFamilyLinkRecord fl2;
  ASSERT_EQ(engine->Calls().O3_GetRecord(link, db::kFamilyLink, &fl2), 1);
  EXPECT_EQ(fl2.GetSealingEvent()->templeCode, "LOGAN");
  EXPECT_EQ(fl2.mrin, mrin);
  EXPECT_EQ(engine->Fields().HasParents(child), 1);
  EXPECT_EQ(engine->Fields().HasParents(h), 0);

  CUserEventRecord ue(h, db::kOwnerIndividual, 7, 0);
  ue.GetEvent()->date.Parse("1890");
  ue.GetEvent()->place[0] = "Hull";
  ue.description = "moved";
  ue.secondDate.Parse("1891");
  ue.yesNo = 'Y';
  const std::int32_t u = engine->Calls().AddRecord(db::kUserEvent, false, &ue);
  ASSERT_GT(u, 0);
  CUserEventRecord uo;
  ASSERT_EQ(engine->Calls().O3_GetRecord(u, db::kUserEvent, &uo), 1);
  EXPECT_EQ(uo.ownerNumber, h);
  EXPECT_EQ(uo.ownerKind, db::kOwnerIndividual);
  EXPECT_EQ(uo.eventTypeNumber, 7);
  EXPECT_EQ(uo.GetEvent()->place[0], "Hull");
  EXPECT_EQ(uo.description, "moved");
  EXPECT_EQ(uo.yesNo, 'Y');
  EXPECT_TRUE(uo.secondDate.Equals(ue.secondDate));

  // The event type is stored at 17; 4 is the owner chain's previous pointer,
  // which an update of the record leaves alone.
  CUserEventRecord later(h, db::kOwnerIndividual, 9, 0);
  const std::int32_t u2 = engine->Calls().AddRecord(db::kUserEvent, false, &later);
  ASSERT_GT(u2, 0);
  for (std::int32_t e : {u, u2})
    ASSERT_EQ(engine->Owners().LinkRecord(e, db::kUserEvent, h, db::kOwnerIndividual), 1);
  later.eventTypeNumber = 11;
  ASSERT_EQ(engine->Calls().UpdateRecord(u2, db::kUserEvent, &later), 1);
  std::uint8_t raw[orv::UserEventRec::kSize];
  ASSERT_TRUE(engine->Records().ReadRaw(orv::RecordKind::UserEvent, u, raw));
  EXPECT_EQ(orv::GetI32(raw + 17), 7);
  EXPECT_EQ(orv::GetI32(raw + 4), 0);
  EXPECT_EQ(orv::GetI32(raw), u2);
  ASSERT_TRUE(engine->Records().ReadRaw(orv::RecordKind::UserEvent, u2, raw));
  EXPECT_EQ(orv::GetI32(raw + 17), 11);
  EXPECT_EQ(orv::GetI32(raw + 4), u);
  ASSERT_EQ(engine->Calls().O3_GetRecord(u2, db::kUserEvent, &uo), 1);
  EXPECT_EQ(uo.eventTypeNumber, 11);
}

TEST_F(RecordCallsTest, SourceRepositoryCitationAndMultimediaRoundTrips) {
  CRepositoryRecord repo;
  repo.name = "County Archive";
  repo.address[0] = "1 High St";
  repo.phone = "555";
  const std::int32_t r = engine->Calls().AddRecord(db::kRepository, false, &repo);
  ASSERT_GT(r, 0);

  CSourceRecord src;
  src.author = "Smith";
  src.abbreviatedTitle = "Parish Reg.";
  src.abbreviatedAuthor = "Sm.";
  src.titleSupplement = "vol. 2";
  src.publication = "1901";
  src.callNumber = "A-17";
  src.comments = "notes\r\nline";
  src.actualText = "quoted";
  src.italicTitle = 1;
  src.formatBytes[0] = 2;
  src.repositoryRin = r;
  auto image = std::make_unique<CMultimediaItem>();
  image->fileName = "pics/page.jpg";
  image->kind = CMultimediaItem::kPhoto;
  image->width = 640;
  image->cropLeft = 3;
  src.image = std::move(image);
  const std::int32_t s = engine->Calls().AddRecord(db::kSource, false, &src);
  ASSERT_GT(s, 0);

  CSourceRecord so;
  ASSERT_EQ(engine->Calls().O3_GetRecord(s, db::kSource, &so), 1);
  EXPECT_EQ(so.title, "Parish Reg.");  // no title: the short title is the key
  EXPECT_EQ(so.author, "Smith");
  EXPECT_EQ(so.abbreviatedAuthor, "Sm.");
  EXPECT_EQ(so.titleSupplement, "vol. 2");
  EXPECT_EQ(so.comments, "notes\r\nline");
  EXPECT_EQ(so.actualText, "quoted");
  EXPECT_EQ(so.italicTitle, 1);
  EXPECT_EQ(so.parenthesizeFacts, 0);
  EXPECT_EQ(so.formatBytes[0], 2);
  EXPECT_EQ(so.formatBytes[1], 1);
  EXPECT_EQ(so.repositoryRin, r);
  ASSERT_TRUE(so.image);
  EXPECT_EQ(so.image->fileName, "pics/page.jpg");
  EXPECT_EQ(so.image->width, 640);
  EXPECT_EQ(so.image->cropLeft, 3);
  EXPECT_EQ(so.image->ownerType, CMultimediaItem::kOwnerSource);

  // Neither title nor short title: "#<number>".
  CSourceRecord bare;
  const std::int32_t s2 = engine->Calls().AddRecord(db::kSource, false, &bare);
  CSourceRecord bo;
  ASSERT_EQ(engine->Calls().O3_GetRecord(s2, db::kSource, &bo), 1);
  EXPECT_EQ(bo.title, "#" + std::to_string(s2));

  std::vector<CSourceRecord> sources;
  ASSERT_EQ(engine->Calls().O3_GetRecord(0, db::kSourceList, &sources), 1);
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(sources[0].recordNumber, s2);  // "#" collates before letters

  CRepositoryRecord ro;
  ASSERT_EQ(engine->Calls().O3_GetRecord(r, db::kRepository, &ro), 1);
  EXPECT_EQ(ro.name, "County Archive");
  EXPECT_EQ(ro.address[0], "1 High St");
  EXPECT_EQ(ro.phone, "555");

  const std::int32_t owner = AddPerson("Owner", "O");
  CCitationRecord cit;
  cit.sourceRin = s;
  cit.ownerLetter = db::kOwnerIndividual;
  cit.ownerNumber = owner;
  cit.pageText = "p. 12";
  cit.entryDate.Parse("2 Feb 2001");
  cit.actualText = "text";
  cit.comments = "remark";
  const std::int32_t c = engine->Calls().AddRecord(db::kCitation, false, &cit);
  ASSERT_GT(c, 0);
  CCitationRecord co;
  ASSERT_EQ(engine->Calls().O3_GetRecord(c, db::kCitation, &co), 1);
  EXPECT_EQ(co.pageText, "p. 12");
  EXPECT_EQ(co.sourceRin, s);
  EXPECT_EQ(co.ownerNumber, owner);
  EXPECT_EQ(co.actualText, "text");
  EXPECT_EQ(co.comments, "remark");
  EXPECT_TRUE(co.entryDate.Equals(cit.entryDate));
  std::vector<std::int32_t> list;
  EXPECT_EQ(engine->Owners().GetRinList(list, db::kCitation, owner, db::kOwnerIndividual), 1);
  EXPECT_EQ(list, (std::vector<std::int32_t>{c}));

  ASSERT_EQ(engine->Calls().DllDeleteRecord(c, db::kCitation), 1);
  CCitationRecord gone;
  EXPECT_EQ(engine->Calls().O3_GetRecord(c, db::kCitation, &gone), 0);
  EXPECT_EQ(gone.pageText, "Invalid Citation\n\nDeleted");
  EXPECT_EQ(engine->Fields().IsRecordDeleted(db::kCitation, c), 1);
}

TEST_F(RecordCallsTest, EventTypeContactPreparerAndWrongObjects) {
  CEventTypeRecord t;
  t.title = "Emigration";
  t.shortTitle = "Emigrated-long";  // cut to 9
  t.abbreviation = "EM";
  t.verbPhrase = "emigrated";
  t.placePreposition = "from";
  t.ownerKind = db::kOwnerIndividual;
  const std::int32_t n = engine->Calls().AddRecord(db::kEventType, false, &t);
  ASSERT_GT(n, 0);
  CEventTypeRecord to;
  ASSERT_EQ(engine->Calls().O3_GetRecord(n, db::kEventType, &to), 1);
  EXPECT_EQ(to.title, "Emigration");
  EXPECT_EQ(to.shortTitle, "Emigrated");
  EXPECT_EQ(to.verbPhrase, "emigrated");
  CEventTypeRecord found;
  EXPECT_EQ(engine->Fields().FindEventType("Emigration", found), n);
  EXPECT_EQ(engine->Fields().FindEventType("emigration", found), 0);

  const std::int32_t rin = AddPerson("Cole", "Cat");
  CContactRecord contact;
  contact.owner = rin;
  contact.texts[8] = "cat@example.org";
  const std::int32_t k = engine->Calls().AddRecord(db::kContact, false, &contact);
  ASSERT_GT(k, 0);
  CContactRecord ko;
  ASSERT_EQ(engine->Calls().O3_GetRecord(k, db::kContact, &ko), 1);
  EXPECT_EQ(ko.owner, rin);
  EXPECT_EQ(ko.texts[8], "cat@example.org");

  CPreparerRecord prep;
  prep.surname = "Prepper";
  prep.phone = "12345678901234567890123456789";  // cut to 25
  ASSERT_EQ(engine->Calls().UpdateRecord(1, db::kPreparer, &prep), 1);
  ASSERT_EQ(Reopen(), 1);
  CPreparerRecord po;
  ASSERT_EQ(engine->Calls().O3_GetRecord(1, db::kPreparer, &po), 1);
  EXPECT_EQ(po.surname, "Prepper");
  EXPECT_EQ(po.phone, prep.phone.substr(0, 25));

  // A record object of another class is refused, not misread.
  CMarriageRecord wrong;
  EXPECT_EQ(engine->Calls().O3_GetRecord(rin, db::kIndividual, &wrong), 0);
  EXPECT_EQ(engine->Calls().UpdateRecord(rin, db::kIndividual, &wrong), 0);
  EXPECT_EQ(engine->Calls().AddRecord(db::kIndividual, false, &wrong), 0);
  boxes.Clear();
  EXPECT_EQ(engine->Calls().O3_GetRecord(1, 99, &wrong), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Bad type in O3_GetRecord");
}

// What each record type answers in each of the four calls: a type without
// the call gets the call's message once, and an object of another class is
// refused with the type's own failure message (or none) before anything is
// read or written.
TEST_F(RecordCallsTest, EachTypeAnswersEachCallByItsOwnRules) {
  const std::int32_t rin = AddPerson("Present", "P");
  CIndividualRecord person;
  struct Case {
    const char* call;
    int type;
    std::function<int()> run;
    const char* box;  // "" for none
  } cases[] = {
      {"get", db::kNoteBlock,
       [&] { return engine->Calls().O3_GetRecord(1, db::kNoteBlock, &person); },
       "Bad type in O3_GetRecord"},
      {"get", db::kMarriageNoteBlock,
       [&] { return engine->Calls().O3_GetRecord(1, db::kMarriageNoteBlock, &person); },
       "Bad type in O3_GetRecord"},
      // An unknown type with no number is not even looked at.
      {"get", 99, [&] { return engine->Calls().O3_GetRecord(0, 99, &person); }, ""},
      {"get", db::kMarriage,
       [&] { return engine->Calls().O3_GetRecord(1, db::kMarriage, &person); }, ""},
      {"get", db::kRepositoryList,
       [&] { return engine->Calls().O3_GetRecord(0, db::kRepositoryList, &person); }, ""},
      {"add", db::kAlphaNameFound,
       [&] { return engine->Calls().AddRecord(db::kAlphaNameFound, false, &person); },
       "Unknown Record Type"},
      {"add", db::kPreparer,
       [&] { return engine->Calls().AddRecord(db::kPreparer, false, &person); },
       "Unknown Record Type"},
      {"add", db::kMarriageNoteBlock,
       [&] { return engine->Calls().AddRecord(db::kMarriageNoteBlock, false, std::int32_t{1}); },
       "Unknown Record Type"},
      {"add", db::kMarriage,
       [&] { return engine->Calls().AddRecord(db::kMarriage, false, &person); }, ""},
      {"add", db::kContact, [&] { return engine->Calls().AddRecord(db::kContact, false); }, ""},
      {"update", db::kAlphaNameFound,
       [&] { return engine->Calls().UpdateRecord(rin, db::kAlphaNameFound, &person); }, "Bad Type"},
      {"update", db::kNoteBlock,
       [&] { return engine->Calls().UpdateRecord(1, db::kNoteBlock, &person); }, "Bad Type"},
      {"update", db::kMarriage,
       [&] { return engine->Calls().UpdateRecord(1, db::kMarriage, &person); },
       "Marr Write Failed"},
      {"update", db::kRepository,
       [&] { return engine->Calls().UpdateRecord(1, db::kRepository, &person); },
       "Unable to update repository"},
      {"update", db::kUserEvent,
       [&] { return engine->Calls().UpdateRecord(1, db::kUserEvent, &person); },
       "Failed to update user event"},
      {"update", db::kEventType,
       [&] { return engine->Calls().UpdateRecord(1, db::kEventType, &person); },
       "Failed to update event type"},
      {"update", db::kFamilyLink,
       [&] { return engine->Calls().UpdateRecord(1, db::kFamilyLink, &person); },
       "Fam Link Write Failed"},
      {"update", db::kContact,
       [&] { return engine->Calls().UpdateRecord(1, db::kContact, &person); }, ""},
      {"update", db::kMultimedia,
       [&] { return engine->Calls().UpdateRecord(1, db::kMultimedia, &person); }, ""},
      {"update", db::kIndividualNoteBlock,
       [&] { return engine->Calls().UpdateRecord(rin, db::kIndividualNoteBlock, &person); }, ""},
      {"delete", db::kAlphaNameFound,
       [&] { return engine->Calls().DllDeleteRecord(1, db::kAlphaNameFound); },
       "Bad Relation Type in DllDeleteRecord"},
      {"delete", db::kContact, [&] { return engine->Calls().DllDeleteRecord(1, db::kContact); },
       "Bad Relation Type in DllDeleteRecord"},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    EXPECT_EQ(c.run(), 0) << c.call << " " << c.type;
    if (*c.box) {
      ASSERT_EQ(boxes.Calls().size(), 1u) << c.call << " " << c.type;
      const std::string& text = boxes.Calls()[0].text;
      EXPECT_EQ(text.substr(0, text.find("\n\n")), c.box) << c.call << " " << c.type;
    } else {
      EXPECT_TRUE(boxes.Calls().empty()) << c.call << " " << c.type;
    }
  }
  // Nothing was added, and the individual kept his record and notes field.
  EXPECT_EQ(engine->Records().GetRecordCount(db::kIndividual), 1);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kMarriage), 0);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kContact), 0);
  EXPECT_EQ(engine->Calls().O3_GetRecord(rin, db::kIndividual, &person), 1);
  EXPECT_EQ(person.surname, "Present");
}

TEST_F(RecordCallsTest, RepositoryListIsInNameOrderWithoutDeletedOnes) {
  std::vector<std::int32_t> numbers;
  for (const char* name : {"Zeta Library", "Alpha Archive", "Mid Office"}) {
    CRepositoryRecord r;
    r.name = name;
    numbers.push_back(engine->Calls().AddRecord(db::kRepository, false, &r));
    ASSERT_GT(numbers.back(), 0);
  }
  ASSERT_EQ(engine->Calls().DllDeleteRecord(numbers[2], db::kRepository), 1);
  std::vector<CRepositoryRecord> list;
  ASSERT_EQ(engine->Calls().O3_GetRecord(0, db::kRepositoryList, &list), 1);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].name, "Alpha Archive");
  EXPECT_EQ(list[0].recordNumber, numbers[1]);
  EXPECT_EQ(list[1].name, "Zeta Library");
  EXPECT_EQ(list[1].recordNumber, numbers[0]);
}

TEST_F(RecordCallsTest, ReplacementsRepointOnlyTheLiveRecordsThatNamedTheOldOne) {
  CRepositoryRecord repo;
  repo.name = "Old";
  const std::int32_t oldRepo = engine->Calls().AddRecord(db::kRepository, false, &repo);
  repo.name = "New";
  const std::int32_t newRepo = engine->Calls().AddRecord(db::kRepository, false, &repo);
  CSourceRecord src;
  src.title = "Named";
  src.repositoryRin = oldRepo;
  const std::int32_t named = engine->Calls().AddRecord(db::kSource, false, &src);
  src.title = "Other";
  src.repositoryRin = newRepo;
  const std::int32_t other = engine->Calls().AddRecord(db::kSource, false, &src);
  src.title = "Deleted";
  src.repositoryRin = oldRepo;
  const std::int32_t deleted = engine->Calls().AddRecord(db::kSource, false, &src);
  const std::int32_t owner = AddPerson("Cited", "C");
  std::vector<std::int32_t> citations;
  for (std::int32_t source : {named, other, named}) {
    CCitationRecord cit;
    cit.sourceRin = source;
    cit.ownerLetter = db::kOwnerIndividual;
    cit.ownerNumber = owner;
    citations.push_back(engine->Calls().AddRecord(db::kCitation, false, &cit));
    ASSERT_GT(citations.back(), 0);
  }
  ASSERT_EQ(engine->Calls().DllDeleteRecord(deleted, db::kSource), 1);

  ASSERT_EQ(engine->Fields().ReplaceSourceRepository(oldRepo, newRepo), 1);
  orv::SourceRec stored;
  for (std::int32_t s : {named, other}) {
    ASSERT_EQ(engine->Records().Read(s, stored), 1);
    EXPECT_EQ(stored.repository, newRepo) << s;
  }
  ASSERT_EQ(engine->Fields().ReplaceCitationSource(named, other), 1);
  orv::CitationRec cit;
  for (std::int32_t c : citations) {
    ASSERT_EQ(engine->Records().Read(c, cit), 1);
    EXPECT_EQ(cit.source, other) << c;
  }
  // A record that cannot be read stops the walk with a failure.
  host->file.Close();
  EXPECT_EQ(engine->Fields().ReplaceCitationSource(other, named), 0);
}

TEST_F(RecordCallsTest, MultimediaHeadsOfEveryOwnerType) {
  const std::int32_t rin = AddPerson("Pictured", "P");
  const std::int32_t mrin = engine->Calls().AddRecord(db::kMarriage, false);
  CSourceRecord src;
  src.title = "Album";
  const std::int32_t source = engine->Calls().AddRecord(db::kSource, false, &src);
  CCitationRecord cit;
  cit.sourceRin = source;
  cit.ownerLetter = db::kOwnerIndividual;
  cit.ownerNumber = rin;
  const std::int32_t citation = engine->Calls().AddRecord(db::kCitation, false, &cit);
  ASSERT_GT(citation, 0);
  const std::pair<int, std::int32_t> owners[] = {{db::kIndividual, rin},
                                                 {db::kMarriage, mrin},
                                                 {db::kSource, source},
                                                 {db::kCitation, citation}};
  std::int32_t head = 40;
  for (const auto& [type, owner] : owners) {
    EXPECT_EQ(engine->Owners().GetMultimediaHead(owner, type), 0) << type;
    EXPECT_EQ(engine->Owners().SetMultimediaHead(owner, type, head), 0) << type;
    EXPECT_EQ(engine->Owners().SetMultimediaHead(owner, type, head), head) << type;
    EXPECT_EQ(engine->Owners().GetMultimediaHead(owner, type), head) << type;
    ++head;
  }
  EXPECT_EQ(engine->Owners().GetMultimediaHead(rin, db::kRepository), -1);
  EXPECT_EQ(engine->Owners().SetMultimediaHead(rin, db::kRepository, 5), -1);
  // The heads are stored where each owner type keeps them.
  orv::IndividualExtRec ext;
  ASSERT_EQ(engine->Records().Read(rin, ext), 1);
  EXPECT_EQ(ext.firstMultimediaLink, 40);
  orv::MarriageRec m;
  ASSERT_EQ(engine->Records().Read(mrin, m), 1);
  EXPECT_EQ(m.firstMultimedia, 41);
  orv::SourceExtRec sext;
  ASSERT_EQ(engine->Records().Read(source, sext), 1);
  EXPECT_EQ(sext.multimedia, 42);
  orv::CitationRec c;
  ASSERT_EQ(engine->Records().Read(citation, c), 1);
  EXPECT_EQ(c.multimedia, 43);
}

// Individuals 1 to 6 with 2 and 5 deleted; marriages likewise.
class GetRinTest : public RecordCallsTest {
 protected:
  void SetUp() override {
    RecordCallsTest::SetUp();
    for (int i = 1; i <= 6; ++i) {
      ASSERT_EQ(AddPerson("P" + std::to_string(i), "X"), i);
      ASSERT_EQ(engine->Calls().AddRecord(db::kMarriage, false), i);
    }
    for (int i : {2, 5}) {
      ASSERT_EQ(engine->Calls().DllDeleteRecord(i, db::kIndividual), 1);
      ASSERT_EQ(engine->Calls().DllDeleteRecord(i, db::kMarriage), 1);
    }
  }
};

TEST_F(GetRinTest, ModesWalkLiveRecords) {
  struct Case {
    std::int32_t n;
    int kind, mode;
    std::int32_t want;
  } cases[] = {
      {2, db::kQueryIndividuals, db::kWalkNextOrSame, 3},
      {2, db::kQueryIndividuals, db::kWalkPreviousOrSame, 1},
      {2, db::kQueryIndividuals, db::kWalkExact, 0},
      {3, db::kQueryIndividuals, db::kWalkExact, 3},
      {4, db::kQueryIndividuals, db::kWalkNext, 6},
      {4, db::kQueryIndividuals, db::kWalkPrevious, 3},
      {6, db::kQueryIndividuals, db::kWalkNext, 0},
      {1, db::kQueryIndividuals, db::kWalkPrevious, 0},
      {5, db::kQueryMarriages, db::kWalkNextOrSame, 6},
      {5, db::kQueryMarriages, db::kWalkPreviousOrSame, 4},
      {0, db::kQueryDeletedIndividuals, db::kWalkExact, 5},
      {5, db::kQueryDeletedIndividuals, db::kWalkExact, 2},
      {2, db::kQueryDeletedIndividuals, db::kWalkExact, 0},
      {3, db::kQueryDeletedIndividuals, db::kWalkExact, 0},
      {0, db::kQueryDeletedMarriages, db::kWalkExact, 5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(engine->Calls().GetRIN(c.n, c.kind, c.mode), c.want)
        << c.n << " kind " << c.kind << " mode " << c.mode;
  // O3_GetRecord resolves with the mode: the next live one after 3 is 4.
  CIndividualRecord p;
  ASSERT_EQ(engine->Calls().O3_GetRecord(3, db::kIndividual, &p, 0, db::kWalkNext), 1);
  EXPECT_EQ(p.numbers[0], 4);
  EXPECT_EQ(engine->Calls().O3_GetRecord(2, db::kIndividual, &p), 0);
  EXPECT_EQ(engine->Fields().IsRecordDeleted(db::kIndividual, 2), 1);
  EXPECT_EQ(engine->Fields().IsRecordDeleted(db::kIndividual, 3), 0);
  // The name index lists only the live ones.
  EXPECT_EQ(engine->Trees().NameIndexEntries(), 4);
  EXPECT_EQ(engine->Calls().GetRIN(4, db::kQueryNamePositions, db::kWalkNext), 0);
  EXPECT_EQ(engine->Calls().GetRIN(3, db::kQueryNamePositions, db::kWalkNext), 4);
  boxes.Clear();
  EXPECT_EQ(engine->Calls().GetRIN(1, 99, db::kWalkExact), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unknown Type in GetRIN");
}

TEST_F(RecordCallsTest, NotesCalls) {
  const std::int32_t rin = AddPerson("Noted", "N");
  std::string text;
  EXPECT_EQ(engine->Notes().GetNotesText(rin, false, db::kIndividual, text), 0);
  ASSERT_EQ(engine->Notes().SetNotes(rin, "first", 2, false, db::kIndividual),
            1);  // acts as 1 on a new chain
  ASSERT_EQ(engine->Notes().SetNotes(rin, "second", 2, false, db::kIndividual), 1);
  ASSERT_EQ(engine->Notes().GetNotesText(rin, false, db::kIndividual, text), 1);
  EXPECT_EQ(text, "first\r\n\r\nsecond");
  ASSERT_EQ(engine->Notes().SetNotes(rin, "whole", 0, false, db::kIndividual), 1);
  ASSERT_EQ(engine->Notes().GetNotesText(rin, false, db::kIndividual, text), 1);
  EXPECT_EQ(text, "whole");
  ASSERT_EQ(engine->Notes().DeleteNotes(rin, db::kIndividual), 1);
  EXPECT_EQ(engine->Notes().GetFirstNoteBlock(rin, db::kIndividual), 0);
}

// In a batch a record numbered and written whole by one call reaches the
// file once, whole, before the call returns; a record added without data is
// on the file when its call returns too.
TEST_F(RecordCallsTest, ARecordAddedInABatchReachesTheFileOnceWhole) {
  ASSERT_EQ(AddPerson("Able", "Ann"), 1);  // the name strings exist
  struct RecordWrites : PassThroughFile {
    using PassThroughFile::PassThroughFile;
    std::vector<std::pair<std::uint64_t, std::size_t>> writes;
    bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
      writes.emplace_back(pos, len);
      return inner_.WriteAt(pos, data, len);
    }
  } file(host->file);
  host->io = &file;
  engine->Blocks().BeginBatch();
  ASSERT_EQ(AddPerson("Able", "Ann"), 2);
  const auto at =
      static_cast<std::uint64_t>(engine->Records().LocateRecord(orv::RecordKind::Individual, 2));
  EXPECT_EQ(std::count(file.writes.begin(), file.writes.end(),
                       std::make_pair(at, std::size_t{orv::IndividualRec::kSize})),
            1);
  EXPECT_EQ(FileBytes(static_cast<std::int64_t>(at), 1)[0], 'M');
  const std::int32_t m = engine->Calls().AddRecord(db::kMarriage, false);
  ASSERT_GT(m, 0);
  EXPECT_EQ(FileBytes(engine->Records().LocateRecord(orv::RecordKind::Marriage, m), 1)[0], 'N');
  EXPECT_TRUE(engine->Blocks().EndBatch());
  host->io = nullptr;
}

TEST_F(RecordCallsTest, ABatchCutShortDoesNotLeadToOverwrittenRecords) {
  ASSERT_EQ(AddPerson("Kept", "Before"), 1);
  engine->Blocks().BeginBatch();
  for (int i = 0; i < 30; ++i) ASSERT_GT(AddPerson("Batch", std::to_string(i)), 0);
  ASSERT_GT(engine->Calls().AddRecord(db::kMarriage, false), 0);
  // The crash: the engine goes without EndBatch; the header on disk still
  // says one individual and no marriage.
  EXPECT_EQ(FileI32(orv::kHeadHighestIndividual), 1);
  engine.reset();
  host = std::make_unique<EngineHost>();
  ASSERT_EQ(host->file.Open(path, plat::FileHandle::Access::ReadWrite), 0);
  engine = std::make_unique<ORV3>(host.get());
  ASSERT_EQ(engine->Open(false), 1);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kIndividual), 31);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kMarriage), 1);
  EXPECT_EQ(host->highestIndividual, 31);
  EXPECT_EQ(FileI32(orv::kHeadHighestIndividual), 31);
  const std::int32_t next = AddPerson("After", "Crash");
  EXPECT_EQ(next, 32);
  CIndividualRecord last;
  ASSERT_EQ(engine->Calls().O3_GetRecord(31, db::kIndividual, &last), 1);
  EXPECT_EQ(last.givenNames[0], "29");
}

TEST_F(RecordCallsTest, ABatchCutShortDoesNotLeadToOverwrittenTexts) {
  ASSERT_EQ(AddPerson("Kept", "Before"), 1);
  engine->Blocks().BeginBatch();
  // Enough distinct texts to fill more than one block of the name store.
  for (int i = 0; i < 400; ++i)
    ASSERT_GT(AddPerson("Surname" + std::to_string(i), "Given" + std::to_string(i)), 0);
  engine.reset();  // the crash: no EndBatch
  host = std::make_unique<EngineHost>();
  ASSERT_EQ(host->file.Open(path, plat::FileHandle::Access::ReadWrite), 0);
  engine = std::make_unique<ORV3>(host.get());
  ASSERT_EQ(engine->Open(false), 1);
  for (int i = 0; i < 50; ++i)
    ASSERT_GT(AddPerson("After" + std::to_string(i), "Crash" + std::to_string(i)), 0);
  for (int i = 0; i < 400; ++i) {
    CIndividualRecord p;
    ASSERT_EQ(engine->Calls().O3_GetRecord(i + 2, db::kIndividual, &p), 1);
    ASSERT_EQ(p.surname, "Surname" + std::to_string(i));
    ASSERT_EQ(p.givenNames[0], "Given" + std::to_string(i));
  }
  CIndividualRecord first;
  ASSERT_EQ(engine->Calls().O3_GetRecord(1, db::kIndividual, &first), 1);
  EXPECT_EQ(first.surname, "Kept");
}

}  // namespace
