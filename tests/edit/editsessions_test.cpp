// The Save, Cancel, Delete and New Event sequences of the individual and
// marriage editing screens, over family files made through the database
// calls, with the message boxes answered by the fake port.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "CodePage.h"
#include "DetailPane.h"
#include "EditFixture.h"
#include "EditSessions.h"
#include "EditorKeys.h"
#include "FakeFieldList.h"
#include "FamilyDatabase.h"
#include "FieldListRow.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "ScopedCodePage.h"
#include "StringIds.h"
#include "StringTable.h"
#include "WindowPlacement.h"
#include "WriteFaultRun.h"

namespace {

class EditSessionTest : public EditFamilyFixture {
 protected:
  void TearDown() override {
    CurrentDatabase->host.readOnly = false;
    for (CIndividualNode* node : nodes) node->Release();
    EditFamilyFixture::TearDown();
  }
  // Commits typed text into the value cell of line (the first line of
  // labelId plus offset).
  static int Type(CEditModel& model, CFieldListCtrl& list, int labelId, const std::string& text,
                  int offset = 0) {
    const int line = list.FindRowIndexById(labelId) + offset;
    EXPECT_GE(line, offset) << labelId;
    CFieldCell* cell = list.GetCell(1, line);
    cell->SetText(text);
    return list.GetRowObject(line)->Commit(&model, &list, cell);
  }
  CIndividualNode* Keep(CIndividualNode* node) {
    nodes.push_back(node);
    return node;
  }
  static bool IsLive(int type, std::int32_t number) {
    return DbIsRecordDeleted(type, number) == 0 && number > 0;
  }
  static std::vector<std::int32_t> UserEventsOf(std::int32_t owner, char kind) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kUserEvent, owner, kind);
    return list;
  }

  EditSessionHooks granted;
  std::vector<CIndividualNode*> nodes;
};

TEST_F(EditSessionTest, NewIndividualTypedValuesReachTheFile) {
  CIndividualEditSession session(nullptr, nullptr, 1);
  const std::int32_t rin = session.GetReservedRin();
  ASSERT_GT(rin, 0);
  EXPECT_TRUE(session.IsNew());
  FakeList f;
  session.Model().FillList(f.list);
  CEditModel& m = session.Model();
  EXPECT_EQ(Type(m, f.list, res::kIdsGivenName, "Clara Jane"), 1);
  EXPECT_EQ(Type(m, f.list, res::kIdsSurname, "Whitfield"), 1);
  EXPECT_EQ(Type(m, f.list, res::kIdsSex, "Female"), 1);
  EXPECT_EQ(Type(m, f.list, 3710, "12 Mar 1901"), 1);
  EXPECT_EQ(Type(m, f.list, 3710, "Dover, Kent", 1), 1);
  EXPECT_EQ(Type(m, f.list, 3712, "4 Jan 1970"), 1);
  EXPECT_EQ(Type(m, f.list, 7207, "SALTB", 1), 1);
  std::int32_t ditto = 0;
  granted.setDittoIndividual = [&ditto](std::int32_t r) { ditto = r; };
  EXPECT_EQ(session.Save(granted), editsession::kIdOk);

  CIndividualRecord back;
  ASSERT_EQ(family::Read(back, rin), 1);
  EXPECT_EQ(back.surname, "Whitfield");
  EXPECT_EQ(back.givenNames[0], "Clara");
  EXPECT_EQ(back.givenNames[1], "Jane");
  EXPECT_EQ(back.sex, 'F');
  EXPECT_TRUE(back.birth.date.Equals(Date(1901, 3, 12)));
  EXPECT_EQ(back.birth.place[0], "Dover");
  EXPECT_TRUE(back.death.date.Equals(Date(1970, 1, 4)));
  EXPECT_EQ(back.endowment.templeCode, "SALTB");
  EXPECT_EQ(ditto, rin);
  EXPECT_TRUE(boxes.Calls().empty()) << LastMessage();
}

// A place whose letter case alone was changed is stored as shown, in the
// event's row and in "Place if living", as the screen commits a changed row.
TEST_F(EditSessionTest, APlaceChangedInCaseAloneIsSaved) {
  ScopedCodePage page(plat::kCodePageWestern);
  EditEnvironment().options.showZel = true;
  struct Case {
    const char* what;
    int labelId;
    int offset;
    std::string before, typed;
  } cases[] = {
      {"birth place, national letters", 3710, 1,
       "\xE6r\xF8sk\xF8"
       "bing",
       "\xC6R\xD8SK\xD8"
       "BING"},
      {"birth place, plain letters", 3710, 1, "KrakOW test", "KRAKOW TEST"},
      {"death place", 3712, 1, "uppsala", "Uppsala"},
      {"place if living", res::kIdsPlaceIfLiving, 0, "", "Kalmar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CIndividualRecord person;
    person.birth.place[0] = c.labelId == 3710 ? c.before : "Lund";
    person.death.place[0] = c.labelId == 3712 ? c.before : "";
    const std::int32_t rin = Add(person, "Holm", "Eva", 'F');
    CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
    FakeList f;
    CEditModel& m = session.Model();
    m.FillList(f.list);
    const auto typeAsScreen = [&](int labelId, int offset, const std::string& text) {
      const int line = f.list.FindRowIndexById(labelId) + offset;
      EXPECT_GE(line, offset) << labelId;
      CFieldCell* cell = f.list.GetCell(1, line);
      cell->SetText(text);
      CFieldListRow* row = f.list.GetRowObject(line);
      if (row->IsChanged(&m, &f.list, cell)) {
        EXPECT_EQ(row->Commit(&m, &f.list, cell), 1);
      }
    };
    if (c.labelId == res::kIdsPlaceIfLiving) {
      typeAsScreen(c.labelId, 0, "kalmar");
      ASSERT_EQ(session.Save(granted), editsession::kIdOk);
      CIndividualEditSession again(Keep(Node(rin)), nullptr, 0);
      FakeList g;
      again.Model().FillList(g.list);
      const int line = g.list.FindRowIndexById(c.labelId);
      ASSERT_GE(line, 0);
      CFieldCell* cell = g.list.GetCell(1, line);
      cell->SetText(c.typed);
      CFieldListRow* row = g.list.GetRowObject(line);
      EXPECT_EQ(again.Model().PlaceDiffers(row->GetLinked(), c.typed), 1);
      ASSERT_EQ(row->IsChanged(&again.Model(), &g.list, cell), 1);
      EXPECT_EQ(row->Commit(&again.Model(), &g.list, cell), 1);
      ASSERT_EQ(again.Save(granted), editsession::kIdOk);
      CIndividualRecord back;
      ASSERT_EQ(family::Read(back, rin), 1);
      EXPECT_EQ(back.fifthEvent.place[0], c.typed);
      continue;
    }
    typeAsScreen(c.labelId, c.offset, c.typed);
    ASSERT_EQ(session.Save(granted), editsession::kIdOk);
    CIndividualRecord back;
    ASSERT_EQ(family::Read(back, rin), 1);
    const CEventValue& event = c.labelId == 3710 ? back.birth : back.death;
    EXPECT_EQ(event.FormatPlace(", "), c.typed);
  }
}

// A baptism's "Place if living" is shown by the Individual List's detail
// pane beside the baptism, where a temple code stands otherwise; a temple
// entered later takes its place again.
TEST_F(EditSessionTest, PlaceIfLivingIsShownWithTheBaptism) {
  EditEnvironment().options.showZel = true;
  CIndividualRecord person;
  person.baptism.date.Set(1950, 5, 2);
  const std::int32_t rin = Add(person, "Holm", "Eva", 'F');
  const auto edit = [&](int labelId, const std::string& text) {
    CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
    FakeList f;
    session.Model().FillList(f.list);
    EXPECT_EQ(Type(session.Model(), f.list, labelId, text), 1);
    EXPECT_EQ(session.Save(granted), editsession::kIdOk);
  };

  edit(res::kIdsPlaceIfLiving, "Kalmar, Sweden");
  CIndividualRecord back;
  ASSERT_EQ(family::Read(back, rin), 1);
  EXPECT_EQ(back.fifthEvent.place[0], "Kalmar");
  CDetailPaneTexts pane = ReadDetailPane(rin, nullptr);
  EXPECT_EQ(pane.ordinanceDate[0], "2 May 1950");
  EXPECT_EQ(pane.ordinanceTemple[0], "Kalmar,Sweden");

  edit(res::kIdsTemple, "SALTB");
  ASSERT_EQ(family::Read(back, rin), 1);
  EXPECT_TRUE(CEventValue::IsPlaceEmpty(&back.fifthEvent));
  pane = ReadDetailPane(rin, nullptr);
  EXPECT_EQ(pane.ordinanceTemple[0], "SALTB");
}

// Completion in a place offers the rest of a recent entry but keeps the
// letters typed as typed; names complete to the entry as it is.
TEST_F(EditSessionTest, PlaceCompletionKeepsTheTypedLetters) {
  EditEnvironment().options.autoNames = true;
  CIndividualRecord person;
  const std::int32_t rin = Add(person, "Holm", "Eva", 'F');
  CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
  FakeList f;
  session.Model().FillList(f.list);
  const std::vector<std::string> recent = {"Krakow Test"};
  const auto complete = [&](int labelId, int offset, const std::string& typed) {
    const int line = f.list.FindRowIndexById(labelId) + offset;
    auto* cell = dynamic_cast<CComboFieldCell*>(f.list.GetCell(1, line));
    EXPECT_NE(cell, nullptr) << labelId;
    if (cell == nullptr) return std::string();
    const ComboTyping typing{typed, static_cast<int>(typed.size()), false, 0, ""};
    return CompleteComboText(typing, cell->GetOptions(), recent).text;
  };
  EXPECT_EQ(complete(3710, 1, "KRAKOW T"), "KRAKOW Test");
  EXPECT_EQ(complete(3712, 1, "krakow"), "krakow Test");
  EXPECT_EQ(complete(res::kIdsSurname, 0, "krakow"), "Krakow Test");
}

TEST_F(EditSessionTest, CancelOnANewIndividualFreesTheReservedRecord) {
  std::int32_t rin = 0;
  {
    CIndividualEditSession session(nullptr, nullptr, 1);
    rin = session.GetReservedRin();
    ASSERT_TRUE(IsLive(db::kIndividual, rin));
    EXPECT_EQ(session.Cancel(granted), editsession::kIdCancel);
    EXPECT_TRUE(session.IsClosing());
  }
  EXPECT_FALSE(IsLive(db::kIndividual, rin));
  EXPECT_TRUE(boxes.Calls().empty());
}

// Refused editing and a read-only file close the screen as cancelled and
// give up the reservation, writing nothing.
TEST_F(EditSessionTest, RefusedSaveEndsCancelledAndFreesTheReservation) {
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only file" : "password refused");
    boxes.Clear();
    EditSessionHooks hooks;
    if (!readOnly) hooks.checkEditPassword = [] { return 0; };
    CIndividualEditSession session(nullptr, nullptr, 1);
    const std::int32_t rin = session.GetReservedRin();
    ASSERT_GT(rin, 0);
    FakeList f;
    session.Model().FillList(f.list);
    Type(session.Model(), f.list, res::kIdsSurname, "Ash");
    CurrentDatabase->host.readOnly = readOnly;
    EXPECT_EQ(session.Save(hooks), editsession::kIdCancel);
    CurrentDatabase->host.readOnly = false;
    EXPECT_EQ(LastMessage(), readOnly ? res::LoadString(res::kIdsReadOnlyDevice) : "");
    if (readOnly) {  // the file took no write, the reservation's removal either
      CIndividualRecord back;
      ASSERT_EQ(family::Read(back, rin), 1);
      EXPECT_EQ(back.surname, "");
      EXPECT_EQ(DbDeleteRecord(rin, db::kIndividual), 1);
    } else {
      EXPECT_FALSE(IsLive(db::kIndividual, rin));
    }
  }
}

// A new individual's pending pictures are stored with it: a Save reported
// done finds them on the file whatever write fails, and a Save whose items
// did not reach the file keeps the screen open with them still pending.
TEST_F(EditSessionTest, ANewIndividualSavedDoneHasItsPendingMediaOnTheFile) {
  std::int32_t rin = 0;
  bool pendingKept = true;
  const auto op = [&] {
    CIndividualEditSession session(nullptr, nullptr, 1);
    rin = session.GetReservedRin();
    FakeList f;
    session.Model().FillList(f.list);
    Type(session.Model(), f.list, res::kIdsSurname, "Ash");
    auto item = std::make_unique<CMultimediaItem>();
    item->fileName = "ash.jpg";
    item->kind = CMultimediaItem::kPhoto;
    session.PendingMedia() = std::move(item);
    const int answer = session.Save(granted);
    if (answer == editsession::kStayOpen && !session.PendingMedia()) pendingKept = false;
    return answer == editsession::kIdOk ? 1 : 0;
  };
  ExpectDoneIsOnTheFile(family, op, 1, [&] {
    CIndividualRecord back;
    std::string stored = family::Read(back, rin) == 1 ? back.surname : "no record";
    CMultimediaItem item;
    const std::int32_t head = DbGetMultimediaHead(rin, db::kIndividual);
    stored += head > 0 && DbGetRecord(head, db::kMultimedia, &item) == 1 ? ", " + item.fileName
                                                                         : ", no items";
    return stored;
  });
  EXPECT_TRUE(pendingKept);
}

TEST_F(EditSessionTest, ExistingIndividualRefusedSaveLeavesTheRecord) {
  const std::int32_t rin = Add("Hale", "Anna", 'F', 1900);
  CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
  FakeList f;
  session.Model().FillList(f.list);
  Type(session.Model(), f.list, res::kIdsSurname, "Changed");
  EditSessionHooks refused;
  refused.checkEditPassword = [] { return 0; };
  EXPECT_EQ(session.Save(refused), editsession::kIdCancel);
  CIndividualRecord back;
  ASSERT_EQ(family::Read(back, rin), 1);
  EXPECT_EQ(back.surname, "Hale");
}

// A record holding letters the code page lacks keeps them letter for letter
// when the screen saves a change of another field, in either code page.
TEST_F(EditSessionTest, LettersTheCodePageLacksSurviveAnEditOfAnotherField) {
  for (int cp : {plat::kCodePageWestern, plat::kCodePageCentralEuropean}) {
    SCOPED_TRACE(cp);
    ScopedCodePage page(cp);
    CIndividualRecord person;
    person.birth.date = Year(1900);
    person.birth.place[0] = plat::Utf8ToAnsi("\u0141\u00F3d\u017A");
    person.birth.place[1] = plat::Utf8ToAnsi("\u015Ei\u015Fli");
    const std::string surname = plat::Utf8ToAnsi("\u0141ukasiewicz-Y\u0131ld\u0131z");
    const std::string given = plat::Utf8ToAnsi("W\u0142adys\u0142aw A\u011Fa \u00C6r\u00F8");
    const std::int32_t rin = Add(person, surname.c_str(), given.c_str(), 'M');
    CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
    FakeList f;
    session.Model().FillList(f.list);
    EXPECT_EQ(Type(session.Model(), f.list, res::kIdsSex, "Female"), 1);
    EXPECT_EQ(session.Save(granted), editsession::kIdOk);
    CIndividualRecord back;
    ASSERT_EQ(family::Read(back, rin), 1);
    EXPECT_EQ(back.sex, 'F');
    EXPECT_EQ(plat::AnsiToUtf8(back.surname), "\u0141ukasiewicz-Y\u0131ld\u0131z");
    EXPECT_EQ(
        plat::AnsiToUtf8(back.givenNames[0] + " " + back.givenNames[1] + " " + back.givenNames[2]),
        "W\u0142adys\u0142aw A\u011Fa \u00C6r\u00F8");
    EXPECT_EQ(plat::AnsiToUtf8(back.birth.place[0]), "\u0141\u00F3d\u017A");
    EXPECT_EQ(plat::AnsiToUtf8(back.birth.place[1]), "\u015Ei\u015Fli");
  }
}

// At least one of surname, given name and title prefix is needed.
TEST_F(EditSessionTest, NameCheck) {
  struct Case {
    int label;
    const char* text;
    int result;
  } cases[] = {{0, "", editsession::kStayOpen},
               {res::kIdsTitlePrefix, "Dr.", editsession::kIdOk},
               {res::kIdsTitleSuffix, "Jr.", editsession::kStayOpen},
               {res::kIdsGivenName, "Ann", editsession::kIdOk},
               {res::kIdsSurname, "Ash", editsession::kIdOk}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    boxes.Clear();
    boxes.QueueAnswer(plat::kIdOk);  // the Sex question is not asked through boxes
    CIndividualEditSession session(nullptr, nullptr, 1);
    FakeList f;
    session.Model().FillList(f.list);
    if (c.label != 0) Type(session.Model(), f.list, c.label, c.text);
    EXPECT_EQ(session.Save(granted), c.result);
    if (c.result == editsession::kStayOpen) {
      EXPECT_EQ(LastMessage(), "You must enter at least one name");
      EXPECT_EQ(session.GetFocusRow(), res::kIdsGivenName);
      EXPECT_TRUE(IsLive(db::kIndividual, session.GetReservedRin()));
      EXPECT_EQ(session.Cancel(granted), editsession::kIdCancel);
    }
  }
}

// A new individual of unknown sex is asked once; the answer is stored.
TEST_F(EditSessionTest, UnknownSexOfANewIndividualIsAskedOnce) {
  struct Case {
    int choice;
    char stored;
  } cases[] = {{0, 'M'}, {1, 'F'}, {2, 'U'}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    int asked = 0;
    EditSessionHooks hooks;
    hooks.askSex = [&asked, &c] {
      ++asked;
      return c.choice;
    };
    CIndividualEditSession session(nullptr, nullptr, 1);
    const std::int32_t rin = session.GetReservedRin();
    FakeList f;
    session.Model().FillList(f.list);
    Type(session.Model(), f.list, res::kIdsSurname, "Ash");
    EXPECT_EQ(session.Save(hooks), editsession::kIdOk);
    EXPECT_EQ(asked, 1);
    CIndividualRecord back;
    ASSERT_EQ(family::Read(back, rin), 1);
    EXPECT_EQ(back.sex, c.stored);
  }
  // A known sex and an existing individual are not asked.
  int asked = 0;
  EditSessionHooks hooks;
  hooks.askSex = [&asked] { return ++asked, 0; };
  const std::int32_t rin = Add("Hale", "Anna", ' ', 1900);
  CIndividualEditSession existing(Keep(Node(rin)), nullptr, 0);
  EXPECT_EQ(existing.Save(hooks), editsession::kIdOk);
  EXPECT_EQ(asked, 0);
}

TEST_F(EditSessionTest, CancelAsksOnlyAfterAChange) {
  const std::int32_t rin = Add("Hale", "Anna", 'F', 1900);
  {
    CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
    EXPECT_EQ(session.Cancel(granted), editsession::kIdCancel);
    EXPECT_TRUE(boxes.Calls().empty());
  }
  struct Case {
    int answer;
    int result;
    const char* surname;
  } cases[] = {{plat::kIdCancel, editsession::kStayOpen, "Hale"},
               {plat::kIdNo, editsession::kIdCancel, "Hale"},
               {plat::kIdYes, editsession::kIdOk, "Hill"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    boxes.Clear();
    boxes.QueueAnswer(c.answer);
    CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
    FakeList f;
    session.Model().FillList(f.list);
    Type(session.Model(), f.list, res::kIdsSurname, "Hill");
    session.SetChanged();
    EXPECT_EQ(session.Cancel(granted), c.result);
    EXPECT_EQ(LastMessage(), "Do you want to save your changes?");
    CIndividualRecord back;
    ASSERT_EQ(family::Read(back, rin), 1);
    EXPECT_EQ(back.surname, c.surname);
    if (c.result == editsession::kIdOk) {  // put it back for the next case
      back.surname = "Hale";
      ASSERT_EQ(family::Update(back, 0), 1);
    }
  }
}

TEST_F(EditSessionTest, NewEventCreatesAndLinksAUserEvent) {
  const std::int32_t rin = Add("Hale", "Anna", 'F', 1900);
  CEventTypeRecord type;
  type.title = "Immigration";
  type.ownerKind = 'I';
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
  EditSessionHooks refused;
  refused.checkEditPassword = [] { return 0; };
  EXPECT_EQ(session.AddUserEvent(typeNumber, refused), nullptr);
  EXPECT_TRUE(UserEventsOf(rin, 'I').empty());

  CFieldListRow* row = session.AddUserEvent(typeNumber, granted);
  ASSERT_NE(row, nullptr);
  const std::vector<std::int32_t> linked = UserEventsOf(rin, 'I');
  ASSERT_EQ(linked.size(), 1u);
  CUserEventRecord event;
  ASSERT_EQ(family::Read(event, linked[0]), 1);
  EXPECT_EQ(event.eventTypeNumber, typeNumber);
  // Removing it and cancelling still deletes it from the file.
  session.Model().RemoveUserEvent(session.Model().UserEvents().front().get());
  EXPECT_EQ(session.Cancel(granted), editsession::kIdCancel);
  EXPECT_TRUE(UserEventsOf(rin, 'I').empty());
  EXPECT_NE(family::Read(event, linked[0]), 1);
}

// ---- marriage ----

class MarriageSessionTest : public EditSessionTest {
 protected:
  void SetUp() override {
    EditSessionTest::SetUp();
    husband = Add("Hale", "Tom", 'M', 1890);
    wife = Add("Ross", "Ann", 'F', 1892);
    mrin = Marry(husband, wife);
    ASSERT_GT(mrin, 0);
  }
  void TearDown() override {
    for (CMarriageNode*& node : marriages) ReleaseMarriageRef(node);
    EditSessionTest::TearDown();
  }
  CMarriageNode* Load() {
    CMarriageRecord record;
    EXPECT_EQ(family::Read(record, mrin), 1);
    marriages.push_back(nullptr);
    SetMarriageRef(marriages.back(), CMarriageNode::New(record));
    return marriages.back();
  }
  CMarriageRecord Stored() const {
    CMarriageRecord record;
    EXPECT_EQ(family::Read(record, mrin), 1);
    return record;
  }

  std::int32_t husband = 0, wife = 0, mrin = 0;
  std::deque<CMarriageNode*> marriages;
};

TEST_F(MarriageSessionTest, SaveWritesEventAndDivorced) {
  CMarriageEditSession session(Load());
  FakeList f;
  session.Model().FillList(f.list);
  EXPECT_EQ(Type(session.Model(), f.list, 7159, "5 May 1915"), 1);
  EXPECT_EQ(Type(session.Model(), f.list, 7159, "Leeds", 1), 1);
  EXPECT_EQ(session.Save(true, granted), editsession::kIdOk);
  const CMarriageRecord back = Stored();
  EXPECT_TRUE(back.marriage.date.Equals(Date(1915, 5, 5)));
  EXPECT_EQ(back.marriage.place[0], "Leeds");
  EXPECT_EQ(back.status, 'D');
  EXPECT_EQ(back.husband, husband);
  EXPECT_EQ(back.wife, wife);
}

TEST_F(MarriageSessionTest, SaveRefusedByPasswordOrReadOnlyStaysOpen) {
  CMarriageEditSession session(Load());
  EditSessionHooks refused;
  refused.checkEditPassword = [] { return 0; };
  EXPECT_EQ(session.Save(true, refused), editsession::kStayOpen);
  EXPECT_TRUE(boxes.Calls().empty());
  CurrentDatabase->host.readOnly = true;
  EXPECT_EQ(session.Save(true, granted), editsession::kStayOpen);
  CurrentDatabase->host.readOnly = false;
  EXPECT_EQ(LastMessage(), res::LoadString(res::kIdsReadOnlyDevice));
  EXPECT_NE(Stored().status, 'D');
}

// Divorced alone is no change: Cancel neither asks nor stores it.
TEST_F(MarriageSessionTest, CancelAsksOnlyAfterACellChange) {
  {
    CMarriageEditSession session(Load());
    EXPECT_EQ(session.Cancel(true, granted), editsession::kIdCancel);
    EXPECT_TRUE(session.IsCancelled());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_NE(Stored().status, 'D');
  }
  struct Case {
    int answer;
    int result;
    bool cancelled;
  } cases[] = {{plat::kIdCancel, editsession::kStayOpen, false},
               {plat::kIdNo, editsession::kIdCancel, true},
               {plat::kIdYes, editsession::kIdOk, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    boxes.Clear();
    boxes.QueueAnswer(c.answer);
    CMarriageEditSession session(Load());
    FakeList f;
    session.Model().FillList(f.list);
    Type(session.Model(), f.list, 7159, "Leeds", 1);
    session.SetChanged();
    EXPECT_EQ(session.Cancel(false, granted), c.result);
    EXPECT_EQ(session.IsCancelled(), c.cancelled);
    EXPECT_EQ(LastMessage(), "Do you want to save your changes?");
    EXPECT_EQ(Stored().marriage.place[0], c.result == editsession::kIdOk ? "Leeds" : "");
  }
}

TEST_F(MarriageSessionTest, DeleteUnlinksAndDeletes) {
  const std::int32_t child = Add("Hale", "Bob", 'M', 1920);
  AddChild(mrin, child);
  {
    boxes.QueueAnswer(plat::kIdCancel);
    CMarriageEditSession session(Load());
    EXPECT_EQ(session.Delete(granted), editsession::kStayOpen);
    EXPECT_FALSE(session.IsDeleted());
    EXPECT_TRUE(IsLive(db::kMarriage, mrin));
  }
  boxes.QueueAnswer(plat::kIdOk);
  CMarriageEditSession session(Load());
  EXPECT_EQ(session.Delete(granted), editsession::kIdCancel);
  EXPECT_EQ(LastMessage(), res::LoadString(res::kIdsAskDeleteMarriage));
  EXPECT_TRUE(session.IsDeleted());
  EXPECT_EQ(session.Node(), nullptr);
  EXPECT_FALSE(IsLive(db::kMarriage, mrin));
  std::vector<std::int32_t> list;
  DbGetRelationList(list, db::kRelSpouses, 0, husband, 0);
  EXPECT_TRUE(list.empty());
  DbGetRelationList(list, db::kRelParents, 4, child, 0);
  EXPECT_TRUE(list.empty());
}

// On a read-only file Delete shows why and deletes nothing.
// A marriage saved or deleted is reported so only when it is on the file:
// whatever write fails, an answer of done finds the file, opened again, as
// the call left it without a fault.
TEST_F(MarriageSessionTest, ASaveOrDeleteReportedDoneIsOnTheFile) {
  struct Case {
    const char* what;
    std::function<bool()> run;
    std::function<std::string()> stored;
  } const cases[] = {
      {"saved",
       [&] {
         CMarriageEditSession session(Load());
         FakeList f;
         session.Model().FillList(f.list);
         Type(session.Model(), f.list, 7159, "Leeds", 1);
         return session.Save(false, granted) == editsession::kIdOk;
       },
       [&] { return Stored().marriage.place[0]; }},
      {"deleted",
       [&] {
         boxes.QueueAnswer(plat::kIdOk);
         CMarriageEditSession session(Load());
         return session.Delete(granted) == editsession::kIdCancel && session.IsDeleted();
       },
       [&] { return std::string(IsLive(db::kMarriage, mrin) ? "live" : "gone"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto op = [&] { return c.run() ? 1 : 0; };
    ExpectDoneIsOnTheFile(family, op, 1, c.stored);
  }
}

TEST_F(MarriageSessionTest, DeleteOnAReadOnlyFileStops) {
  CMarriageEditSession session(Load());
  CurrentDatabase->host.readOnly = true;
  EXPECT_EQ(session.Delete(granted), editsession::kStayOpen);
  CurrentDatabase->host.readOnly = false;
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(LastMessage(), res::LoadString(res::kIdsReadOnlyDevice));
  EXPECT_FALSE(session.IsDeleted());
  EXPECT_TRUE(IsLive(db::kMarriage, mrin));
}

TEST_F(MarriageSessionTest, NewEventIsListedWhenTheUserEventsAreStored) {
  CEventTypeRecord type;
  type.title = "Banns";
  type.ownerKind = 'M';
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  CMarriageEditSession session(Load());
  ASSERT_NE(session.AddUserEvent(typeNumber, granted), nullptr);
  EXPECT_TRUE(UserEventsOf(mrin, 'M').empty());
  EXPECT_EQ(session.Save(false, granted), editsession::kIdOk);
  EXPECT_EQ(UserEventsOf(mrin, 'M').size(), 1u);
}

// ---- window placement ----

TEST(WindowPlacement, MinimumSizeIsWrittenOnTheFirstOpeningOnly) {
  plat::FakeProfile profile;
  plat::ScopedProfile scoped{&profile};
  int w = 0, h = 0;
  LoadMinimumSize("Individual", 500, 400, w, h);
  EXPECT_EQ(w, 500);
  EXPECT_EQ(h, 400);
  LoadMinimumSize("Individual", 800, 700, w, h);
  EXPECT_EQ(w, 500);
  EXPECT_EQ(h, 400);
  EXPECT_EQ(profile.GetInt("Windows", "Individual MinWidth", 0), 500);
  EXPECT_EQ(profile.GetInt("Windows", "Individual MinHeight", 0), 400);
}

TEST(WindowPlacement, MinimisedWindowIsNotWrittenAndZeroWidthIsIgnored) {
  plat::FakeProfile profile;
  plat::ScopedProfile scoped{&profile};
  const WindowRect current{10, 10, 510, 410};
  WindowRect stored;
  EXPECT_FALSE(LoadPlacement("Marriage", current, stored));
  SavePlacement("Marriage", WindowRect{1, 2, 301, 202}, true);
  EXPECT_FALSE(LoadPlacement("Marriage", current, stored));
  SavePlacement("Marriage", WindowRect{1, 2, 301, 202}, false);
  EXPECT_TRUE(LoadPlacement("Marriage", current, stored));
  EXPECT_EQ(stored, (WindowRect{1, 2, 301, 202}));
  EXPECT_FALSE(LoadPlacement("Marriage", stored, stored));
}

}  // namespace
