#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "DbCodes.h"
#include "EventKinds.h"
#include "FakePorts.h"
#include "PersistentObject.h"
#include "TempleTable.h"
#include "UserEventRecord.h"

namespace {

CDateValue MakeDate(int year, int month, int day) {
  CDateValue d;
  d.Set(year, month, day);
  return d;
}

class EventObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDateDisplayOptions(DateDisplayOptions{}); }
  plat::FakeProfile profile_;
  plat::ScopedProfile scopedProfile_{&profile_};
};

TEST_F(EventObjectTest, EachKindAnswersItsLetterCategoryStoredKindAndLabel) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<CEventObject>()> make;
    char letter;
    int category;
    char stored;
    const char* label;
  };
  const Case cases[] = {
      {"birth", [] { return std::make_unique<CBirthEvent>(); }, 'B', 0, 'B', "Birth"},
      {"christening", [] { return std::make_unique<CChristeningEvent>(); }, 'C', 0, 'C',
       "Christening"},
      {"death", [] { return std::make_unique<CDeathEvent>(); }, 'D', 5, 'D', "Death"},
      {"burial", [] { return std::make_unique<CBurialEvent>(); }, 'R', 0, 'U', "Burial"},
      {"marriage", [] { return std::make_unique<CMarriageEvent>(); }, 'G', 4, 'M', "Marriage"},
      {"baptism", [] { return std::make_unique<CBaptismOrdinance>(); }, 'A', 1, 'B', "Baptism"},
      {"endowment", [] { return std::make_unique<CEndowmentOrdinance>(); }, 'E', 1, 'E',
       "Endowment"},
      {"sealing to spouse", [] { return std::make_unique<CSealingToSpouseOrdinance>(); }, 'S', 3,
       'S', "Sealing to Spouse"},
      {"sealing to parents", [] { return std::make_unique<CSealingToParentsOrdinance>(); }, 'P', 2,
       'P', "Sealing to Parents"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<CEventObject> object = c.make();
    EXPECT_EQ(object->GetKindLetter(), c.letter);
    EXPECT_EQ(object->GetCategory(), c.category);
    EXPECT_EQ(object->GetKind(), c.stored);
    EXPECT_EQ(object->GetLabel(), c.label);
    // The record side answers as a non-record.
    EXPECT_EQ(object->GetRecordNumber(), 0);
    EXPECT_EQ(object->SetRecordNumber(9), 9);
    EXPECT_EQ(object->GetRecordNumber(), 0);
    EXPECT_EQ(object->GetRecordType(), 0);
  }
  // The plain families have no letter and no category.
  EXPECT_EQ(CPlaceEventObject().GetKindLetter(), 0);
  EXPECT_EQ(COrdinanceObject(nullptr, 'S').GetCategory(), 0);
  EXPECT_EQ(CPlaceEventObject().GetLabel(), "");
}

TEST_F(EventObjectTest, PlaceEventRoundTripsThroughTheValue) {
  CEventValue value = CEventValue::EventValueFrom(MakeDate(1900, 1, 5), "Town", "", "State", "");
  value.firstCitation = 7;
  value.secondNumber = 8;

  CBurialEvent burial(&value);
  EXPECT_EQ(burial.GetPlace(), "Town, , State");
  EXPECT_EQ(burial.GetPlaceText(), "Town, , State");
  EXPECT_EQ(burial.GetFirstCitation(), 7);
  EXPECT_EQ(burial.GetDateText(), "5 Jan 1900");
  EXPECT_EQ(burial.GetDateString(), "5 Jan 1900");
  EXPECT_EQ(burial.GetKind(), 'U');

  CEventValue back;
  back.SetFromObject(burial);
  EXPECT_TRUE(back.date.Equals(value.date));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back.place[i], value.place[i]);
  EXPECT_EQ(back.firstCitation, 7);
  EXPECT_EQ(back.secondNumber, 8);

  // A copy without numbers leaves the citation and the second number out;
  // the base numbers travel in both copies.
  burial.value2 = 33;
  CBurialEvent without(burial, false);
  EXPECT_EQ(without.GetFirstCitation(), 0);
  EXPECT_EQ(without.secondNumber, 0);
  EXPECT_EQ(without.GetPlace(), "Town, , State");
  EXPECT_EQ(without.value2, 33);
  EXPECT_EQ(without.GetKindLetter(), 'R');
  CBurialEvent with(burial);
  EXPECT_EQ(with.GetFirstCitation(), 7);
  EXPECT_EQ(with.secondNumber, 8);

  const CDeathEvent empty(nullptr);
  EXPECT_EQ(empty.GetDateText(), "");
  EXPECT_EQ(empty.GetPlace(), "");
  EXPECT_TRUE(empty.IsPlaceEmpty());

  std::string error;
  CBirthEvent birth;
  EXPECT_EQ(birth.SetPlaceText("  Leeds , Yorkshire,England  ", nullptr, error), 1);
  EXPECT_EQ(birth.place[0], "Leeds");
  EXPECT_EQ(birth.place[1], "Yorkshire");
  EXPECT_EQ(birth.place[2], "England");
  EXPECT_EQ(birth.PlaceEquals("Leeds, Yorkshire, England"), 1);
  EXPECT_EQ(birth.PlaceEquals("Leeds,Yorkshire,England"), 0);
}

TEST_F(EventObjectTest, OrdinanceRoundTripsWithItsStoredKind) {
  COrdinanceValue value;
  value.date = MakeDate(1950, 3, 2);
  value.templeCode = "harro";
  value.firstCitation = 4;
  value.secondNumber = 5;

  static const char kText[] = "kind text";
  CBaptismOrdinance baptism(&value, kText);
  EXPECT_EQ(baptism.GetPlace(), "HARRO");  // upper-cased on the way in
  EXPECT_EQ(baptism.kindText, kText);

  COrdinanceValue back;
  back.SetFromObject(baptism);
  EXPECT_EQ(back.templeCode, "HARRO");
  EXPECT_EQ(back.kind, 'B');  // the stored kind, not the letter 'A'
  EXPECT_EQ(back.firstCitation, 4);
  EXPECT_EQ(back.secondNumber, 5);
  EXPECT_TRUE(back.date.Equals(value.date));

  static const char kOther[] = "other";
  CBaptismOrdinance copy(baptism, false, kOther);
  EXPECT_EQ(copy.kindText, kOther);
  EXPECT_EQ(copy.GetFirstCitation(), 0);
  EXPECT_EQ(copy.GetPlace(), "HARRO");
  EXPECT_EQ(CBaptismOrdinance(baptism).kindText, kText);

  copy.Clear('P');
  EXPECT_EQ(copy.GetKind(), 'P');
  EXPECT_EQ(copy.GetPlace(), "");
  EXPECT_FALSE(copy.date.IsSet());
}

TEST(TempleCodeTest, NormalizeCutsOnlyARunOfFourOrFive) {
  struct Case {
    const char* text;
    const char* code;
  };
  const Case cases[] = {
      {"harro", "HARRO"},
      {"mirr", "MIRR"},
      {"Harro temple", "HARRO"},
      {"MIRR-2", "MIRR"},
      {"harrow", "HARROW"},
      {"harrowmere", "HARROWMERE"},
      {"abc", "ABC"},
      {"", ""},
      {" harro", " HARRO"},
      {"ab12c", "AB12C"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeTempleCode(c.text), c.code) << c.text;
}

class OrdinanceTempleTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadTempleTable(); }
  void TearDown() override { FreeTempleTable(); }
  plat::FakeMessageBox boxes_;
  plat::ScopedMessageBox scoped_{&boxes_};
};

TEST_F(OrdinanceTempleTest, CodesAreCheckedAgainstTheTableAndKeptWhenInvalid) {
  struct Case {
    const char* text;
    int result;
    const char* stored;
  };
  const Case cases[] = {
      {"harro", 1, "HARRO"},   {"mirr", 1, "MIRR"},
      {"HarroW", 1, "HARROW"},  // the first five characters match; six letters stay uncut
      {"mir", 0, "MIR"},        // three letters are not a code
      {"mirrx", 0, "MIRRX"},   {"zzzzz", 0, "ZZZZZ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CEndowmentOrdinance endowment;
    std::string error;
    EXPECT_EQ(endowment.SetPlaceText(c.text, &TempleTable(), error), c.result);
    EXPECT_EQ(endowment.GetPlace(), c.stored);
    if (c.result == 0)
      EXPECT_EQ(error, std::string(c.text) + " is not a valid temple code");
    else
      EXPECT_EQ(error, "");
    // Without a table every code is taken.
    CEndowmentOrdinance unchecked;
    EXPECT_EQ(unchecked.SetTempleCode(c.text, nullptr, error), 1);
    EXPECT_EQ(unchecked.GetPlace(), c.stored);
  }
  EXPECT_TRUE(boxes_.Calls().empty());
}

TEST_F(OrdinanceTempleTest, PlaceTextIsTheTempleName) {
  CSealingToSpouseOrdinance sealing;
  std::string error;
  EXPECT_EQ(sealing.GetPlaceText(), "");
  sealing.SetTempleCode("harro", nullptr, error);
  EXPECT_EQ(sealing.GetPlaceText(), "Harrowmere temple");
  EXPECT_EQ(sealing.PlaceEquals("Harro temple"), 1);
  EXPECT_EQ(sealing.PlaceEquals("SALTB"), 0);
  sealing.SetTempleCode("QQQQ", nullptr, error);
  EXPECT_EQ(sealing.GetPlaceText(), "QQQQ temple");
}

TEST_F(EventObjectTest, PlaceEventDatesAreTakenForTheirCategory) {
  CBirthEvent birth;
  // A standard date is rewritten in the user's style.
  EXPECT_EQ(birth.SetDateText("5 january 1900", true, birth.GetCategory(), false), "5 Jan 1900");
  EXPECT_EQ(birth.date.year, 1900);
  EXPECT_EQ(birth.date.month, 1);
  EXPECT_EQ(birth.date.day, 5);
  EXPECT_FALSE(birth.date.textOnly);

  // A status word not valid for the category stays as typed, as text.
  EXPECT_EQ(birth.SetDateText("Stillborn", true, 0, false), "Stillborn");
  EXPECT_TRUE(birth.date.textOnly);
  EXPECT_EQ(birth.date.text, "Stillborn");

  CDeathEvent death;
  EXPECT_EQ(death.SetDateText("stillborn", true, death.GetCategory(), false), "Stillborn");
  EXPECT_EQ(death.date.month, CDateValue::kStatusStillborn);

  // Typed numbers follow the profile's entry order.
  profile_.SetInt("Date", "Entry", 1);
  EXPECT_EQ(birth.SetDateText("3/4/1901", true, 0, false), "3 Apr 1901");
  profile_.SetInt("Date", "Entry", 0);
  EXPECT_EQ(birth.SetDateText("3/4/1901", true, 0, false), "4 Mar 1901");

  std::string error;
  EXPECT_EQ(death.ValidateDate("Stillborn", error), 1);
  EXPECT_EQ(birth.ValidateDate("Stillborn", error), 0);
  EXPECT_EQ(error, "The date you entered is not standard.");
}

TEST_F(EventObjectTest, OrdinanceDatesTakeTheirStatusWords) {
  CEndowmentOrdinance endowment;
  EXPECT_EQ(endowment.SetDateText("submitted", true, endowment.GetCategory(), false), "Submitted");
  EXPECT_EQ(endowment.date.month, CDateValue::kStatusSubmitted);
  EXPECT_EQ(endowment.GetDateString(), "Submitted");
  EXPECT_EQ(CDateValue::GetOrdinanceState(endowment.GetDate(), endowment.GetKind()),
            CDateValue::kOrdinanceClearedOrSubmitted);

  // Not-married is a sealing-to-spouse status only.
  CSealingToSpouseOrdinance spouse;
  std::string error;
  EXPECT_EQ(spouse.ValidateDate("Not Married", error), 1);
  EXPECT_EQ(endowment.ValidateDate("Not Married", error), 0);

  // The date string is cut to 50 characters.
  const std::string longText(70, 'x');
  endowment.date.SetText(longText);
  EXPECT_EQ(endowment.GetDateText(), longText);
  EXPECT_EQ(endowment.GetDateString(), std::string(50, 'x'));
}

TEST_F(EventObjectTest, UserEventRecordWorksOnItsOwnEvent) {
  CUserEventRecord record(3);
  CEventObject& asEvent = record;
  EXPECT_EQ(record.value, 3);
  EXPECT_EQ(asEvent.GetKindLetter(), 'U');
  EXPECT_EQ(asEvent.GetRecordType(), db::kUserEvent);

  std::string error;
  EXPECT_EQ(asEvent.SetPlaceText("Oslo, Norway", &TempleTable(), error), 1);
  EXPECT_EQ(record.GetEvent()->place[1], "Norway");
  EXPECT_EQ(asEvent.GetPlace(), "Oslo, Norway");
  EXPECT_EQ(asEvent.GetPlaceText(), "Oslo, Norway");

  record.GetEvent()->date = MakeDate(1880, 6, 1);
  EXPECT_EQ(asEvent.GetDateString(), "1 Jun 1880");
  EXPECT_EQ(asEvent.GetSecondDateString(), "");
  record.secondDate = MakeDate(1885, 7, 2);
  EXPECT_EQ(asEvent.GetSecondDateString(), "2 Jul 1885");
  EXPECT_EQ(asEvent.GetSecondDate(), &record.secondDate);
  EXPECT_EQ(asEvent.GetDate(), &record.GetEvent()->date);

  asEvent.SetDescription("Farmer");
  EXPECT_EQ(asEvent.GetDescription(), "Farmer");
  asEvent.SetYesNo(1);
  EXPECT_EQ(asEvent.GetYesNo(), 1);

  EXPECT_EQ(asEvent.ValidateDate("1 Jan 1900", error), 1);
  EXPECT_EQ(asEvent.ValidateDate("sometime", error), 0);
  EXPECT_EQ(asEvent.ValidateSecondDate("sometime", error), 0);
  EXPECT_EQ(asEvent.ValidateSecondDate("Abt 1900", error), 1);

  // Without an event object the event operations answer empty or 0.
  record.SetEvent(nullptr);
  EXPECT_EQ(asEvent.GetDateString(), "");
  EXPECT_EQ(asEvent.GetPlace(), "");
  EXPECT_EQ(asEvent.ValidateDate("1 Jan 1900", error), 0);
  EXPECT_EQ(asEvent.SetPlaceText("Oslo", nullptr, error), 0);
  EXPECT_EQ(asEvent.GetDate(), nullptr);
}

TEST_F(EventObjectTest, UserEventRecordsSortByTheirEventDates) {
  auto make = [](int year, int month) {
    auto record = std::make_unique<CUserEventRecord>();
    if (year != 0) record->GetEvent()->date = MakeDate(year, month, 0);
    return record;
  };
  const auto early = make(1850, 3);
  const auto late = make(1850, 9);
  const auto undated = make(0, 0);
  EXPECT_LT(early->Compare(late.get()), 0);
  EXPECT_GT(late->Compare(early.get()), 0);
  EXPECT_EQ(early->Compare(undated.get()), 0);
  EXPECT_EQ(early->Compare(nullptr), -1);

  CPersistentArray array;
  array.InsertSorted(make(1900, 1));
  array.InsertSorted(make(1800, 1));
  array.InsertSorted(make(1850, 1));
  ASSERT_EQ(array.GetSize(), 3);
  int previous = 0;
  for (int i = 0; i < 3; ++i) {
    const auto* record = dynamic_cast<const CUserEventRecord*>(array.GetAt(i));
    ASSERT_NE(record, nullptr);
    EXPECT_GT(record->GetDate()->year, previous);
    previous = record->GetDate()->year;
  }
}

}  // namespace
