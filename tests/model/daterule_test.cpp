#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DateRule.h"
#include "EventKinds.h"
#include "FakePorts.h"
#include "TempleTable.h"

namespace {

CDateValue Year(int year, int qualifier = 0) {
  CDateValue d;
  d.Set(year, 0, 0, qualifier);
  return d;
}

CDateValue Day(int year, int month, int day) {
  CDateValue d;
  d.Set(year, month, day);
  return d;
}

CDateValue Status(int code) {
  CDateValue d;
  d.Set(0, code);
  return d;
}

CDateValue TextDate(const char* text) {
  CDateValue d;
  d.SetText(text);
  return d;
}

// The event objects of one individual as an editing screen holds them.
struct Family {
  CBirthEvent birth;
  CChristeningEvent christening;
  CDeathEvent death;
  CBurialEvent burial;
  CBaptismOrdinance baptism;
  CEndowmentOrdinance endowment;

  std::vector<CEventObject*> All() {
    return {&birth, &christening, &death, &burial, &baptism, &endowment};
  }
};

// Runs rule against changed and makes sure no date of the family moved.
int CheckUnchanged(const CDateRule& rule, Family& family, const CEventObject* changed,
                   std::string& message) {
  std::vector<CDateValue> before;
  for (CEventObject* event : family.All()) before.push_back(event->date);
  const int result = rule.Check(changed, message);
  const std::vector<CEventObject*> events = family.All();
  for (std::size_t i = 0; i < events.size(); ++i) {
    EXPECT_TRUE(events[i]->date.Equals(before[i])) << "date " << i << " changed";
    EXPECT_EQ(events[i]->date.textOnly, before[i].textOnly);
    EXPECT_EQ(events[i]->date.text, before[i].text);
  }
  return result;
}

class DateRuleTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDateDisplayOptions(DateDisplayOptions{}); }
  void TearDown() override { FreeTempleTable(); }

  Family family_;
  plat::FakeMessageBox boxes_;
  plat::ScopedMessageBox scopedBoxes_{&boxes_};
  plat::FakeProfile profile_;
  plat::ScopedProfile scopedProfile_{&profile_};
};

TEST_F(DateRuleTest, BaseRuleAlwaysHolds) {
  struct PlainRule : CDateRule {};
  PlainRule rule;
  std::string message = "kept";
  EXPECT_EQ(rule.Check(&family_.birth, message), 1);
  EXPECT_EQ(message, "kept");
}

TEST_F(DateRuleTest, OrderRuleReportsTheChangedSide) {
  enum Changed { kFirst, kSecond, kOther, kNone };
  struct Case {
    const char* name;
    CDateValue birth;
    CDateValue death;
    Changed changed;
    int firstId;
    int secondId;
    int result;
    std::string message;
  };
  const std::string after = "The birth date is after the death date.";
  const std::string before = "The death date is before the birth date.";
  const Case cases[] = {
      {"birth after death, birth changed", Year(1900), Year(1850), kFirst, 0, 0, 0, after},
      {"birth after death, death changed", Year(1900), Year(1850), kSecond, 0, 0, 0, before},
      {"by month", Day(1850, 5, 1), Day(1850, 4, 30), kFirst, 0, 0, 0, after},
      {"in order", Year(1850), Year(1900), kFirst, 0, 0, 1, ""},
      {"in order, death changed", Year(1850), Year(1900), kSecond, 0, 0, 1, ""},
      {"equal", Day(1850, 5, 1), Day(1850, 5, 1), kFirst, 0, 0, 1, ""},
      // Bef 1850 against 1850: CompareOrder gives 2, which counts as after.
      {"Bef against the plain year", Year(1850, CDateValue::kQualBef), Year(1850), kFirst, 0, 0, 0,
       after},
      // Aft 1850 death against an 1850 birth: -2, before.
      {"Aft death against the plain year", Year(1850), Year(1850, CDateValue::kQualAft), kSecond, 0,
       0, 0, before},
      {"empty birth", CDateValue(), Year(1850), kFirst, 0, 0, 1, ""},
      {"empty death", Year(1900), CDateValue(), kSecond, 0, 0, 1, ""},
      {"text without a year is not comparable", Year(1900), TextDate("unknown"), kFirst, 0, 0, 1,
       ""},
      {"another event changed", Year(1900), Year(1850), kOther, 0, 0, 1, ""},
      {"nothing changed", Year(1900), Year(1850), kNone, 0, 0, 1, ""},
      {"own first message", Year(1900), Year(1850), kFirst, 7285, 3709, 0,
       "Dual dates exceed 10 years."},
      {"own second message", Year(1900), Year(1850), kSecond, 7285, 3709, 0,
       "The date you entered is not standard."},
      {"second side falls back to the first message", Year(1900), Year(1850), kSecond, 7285, 0, 0,
       "Dual dates exceed 10 years."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    family_.birth.date = c.birth;
    family_.death.date = c.death;
    CDateOrderRule rule(&family_.birth, &family_.death, c.firstId, c.secondId);
    const CEventObject* const changedByCase[] = {&family_.birth, &family_.death, &family_.burial,
                                                 nullptr};
    const CEventObject* changed = changedByCase[c.changed];
    std::string message;
    EXPECT_EQ(CheckUnchanged(rule, family_, changed, message), c.result);
    EXPECT_EQ(message, c.message);
  }
}

TEST_F(DateRuleTest, OrderRuleWithAMissingEventHolds) {
  family_.birth.date = Year(1900);
  CDateOrderRule rule(&family_.birth, nullptr);
  std::string message;
  EXPECT_EQ(rule.Check(&family_.birth, message), 1);
  EXPECT_TRUE(message.empty());
}

TEST_F(DateRuleTest, SpanRuleAddsItsSpanToACopy) {
  struct Case {
    const char* name;
    bool reverse;
    CDateValue first;
    CDateValue second;
    CDateValue span;
    bool changeFirst;
    int result;
  };
  const Case cases[] = {
      // A parent's birth plus 12 years must not be after the child's birth.
      {"span on first, second too early, second changed", false, Year(1850), Year(1860), Year(12),
       false, 0},
      {"span on first, second too early, first changed", false, Year(1850), Year(1860), Year(12),
       true, 0},
      {"span on first, in order", false, Year(1850), Year(1870), Year(12), false, 1},
      {"span on first, exactly the span", false, Year(1850), Year(1862), Year(12), true, 1},
      // Reverse: the first must not be after the second plus the span
      // (a birth at most nine months after the father's death).
      {"reverse, months carry into the next year", true, Day(1901, 4, 1), Day(1900, 6, 10),
       Day(0, 9, 0), true, 0},
      {"reverse, within the span", true, Day(1901, 3, 9), Day(1900, 6, 10), Day(0, 9, 0), true, 1},
      {"reverse, second changed", true, Day(1901, 4, 1), Day(1900, 6, 10), Day(0, 9, 0), false, 0},
      {"status word on the second", false, Year(1850), Status(CDateValue::kStatusDeceased),
       Year(12), true, 1},
      {"status word on the first", true, Status(CDateValue::kStatusDeceased), Year(1850), Year(1),
       false, 1},
      {"empty first", false, CDateValue(), Year(1850), Year(12), false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    family_.birth.date = c.first;
    family_.death.date = c.second;
    std::unique_ptr<CDateSpanRule> rule =
        c.reverse ? CDateSpanRule::DateSpanRuleReverse(&family_.birth, &family_.death, c.span, 7285)
                  : std::make_unique<CDateSpanRule>(&family_.birth, c.span, &family_.death, 7285);
    std::string message;
    EXPECT_EQ(CheckUnchanged(
                  *rule, family_,
                  c.changeFirst ? static_cast<const CEventObject*>(&family_.birth) : &family_.death,
                  message),
              c.result);
    EXPECT_EQ(message, c.result == 0 ? "Dual dates exceed 10 years." : "");
  }
}

TEST_F(DateRuleTest, SpanRuleIgnoresOtherEvents) {
  family_.birth.date = Year(1850);
  family_.death.date = Year(1855);
  CDateSpanRule rule(&family_.birth, Year(12), &family_.death, 7285);
  std::string message;
  EXPECT_EQ(rule.Check(&family_.burial, message), 1);
  EXPECT_EQ(rule.Check(nullptr, message), 1);
  EXPECT_TRUE(message.empty());
}

TEST_F(DateRuleTest, FixedDateRuleAsLowerAndUpperBound) {
  struct Case {
    const char* name;
    bool upper;
    CDateValue date;
    CDateValue fixed;
    std::string overrideText;
    int overrideId;
    int result;
    std::string message;
  };
  const Case cases[] = {
      {"before the lower bound", false, Year(1820), Year(1829), "", 0, 0,
       "The baptism date is before 1829."},
      {"on the lower bound", false, Year(1829), Year(1829), "", 0, 1, ""},
      {"lower bound decided by qualifier", false, Year(1829, CDateValue::kQualAft), Year(1829), "",
       0, 0, "The baptism date is before 1829."},
      {"own text for the lower bound", false, Year(1820), Year(1829), "Too early.", 0, 0,
       "Too early."},
      {"after the upper bound", true, Day(2031, 1, 2), Day(2031, 1, 1), "", 0, 0,
       "The baptism date is after 2031."},
      {"on the upper bound", true, Day(2031, 1, 1), Day(2031, 1, 1), "", 0, 1, ""},
      {"own id for the upper bound", true, Year(2040), Day(2031, 1, 1), "", 7285, 0,
       "Dual dates exceed 10 years."},
      {"status word is not compared", true, Status(CDateValue::kStatusChild), Year(1829), "", 0, 1,
       ""},
      {"no fixed date", false, Year(1820), CDateValue(), "", 0, 1, ""},
      {"no event date", false, CDateValue(), Year(1829), "", 0, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    family_.baptism.date = c.date;
    std::unique_ptr<CFixedDateRule> rule =
        c.upper ? CFixedDateRule::FixedDateRuleFromId(&family_.baptism, c.fixed, c.overrideId)
                : std::make_unique<CFixedDateRule>(c.fixed, &family_.baptism, c.overrideText);
    std::string message;
    EXPECT_EQ(CheckUnchanged(*rule, family_, &family_.baptism, message), c.result);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(rule->Check(&family_.endowment, message), 1) << "other events are not checked";
  }
}

class FakeGate : public CPlaceIfLivingGate {
 public:
  explicit FakeGate(int empty) : empty_(empty) {}
  int IsPlaceIfLivingEmpty() const override { return empty_; }

 private:
  int empty_;
};

TEST_F(DateRuleTest, TempleRuleChecksTheTemplesOpenTime) {
  LoadTempleTable();  // FENNK: Old Fennick, 10 Jun 1877 to 30 Nov 1954; HARRO from 17 May 1884
  ASSERT_NE(TempleTable().Lookup("FENNK"), nullptr);
  const std::string closed =
      "The baptism date is not during the time the Old Fennick temple was open.";
  struct Case {
    const char* name;
    const char* code;
    CDateValue date;
    int result;
    std::string message;
  };
  const Case cases[] = {
      {"while open", "FENNK", Day(1900, 1, 1), 1, ""},
      {"on the opening day", "FENNK", Day(1877, 6, 10), 1, ""},
      {"before the opening", "FENNK", Day(1877, 6, 9), 0, closed},
      {"on the closing day", "FENNK", Day(1954, 11, 30), 1, ""},
      {"after the closing", "FENNK", Day(1954, 12, 1), 0, closed},
      {"year only after the closing", "FENNK", Year(1960), 0, closed},
      {"open temple, late date", "HARRO", Year(2020), 1, ""},
      {"open temple, early date", "HARRO", Year(1700), 0,
       "The baptism date is not during the time the Harrowmere temple was open."},
      {"unknown temple", "ZZZZZ", Year(1700), 1, ""},
      {"no temple", "", Year(1700), 1, ""},
      {"status word", "FENNK", Status(CDateValue::kStatusCompleted), 1, ""},
      {"no date", "FENNK", CDateValue(), 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    family_.baptism.templeCode = c.code;
    family_.baptism.date = c.date;
    CTempleOpenRule rule(&family_.baptism, nullptr);
    std::string message;
    EXPECT_EQ(CheckUnchanged(rule, family_, &family_.baptism, message), c.result);
    EXPECT_EQ(message, c.message);
  }
}

TEST_F(DateRuleTest, TempleRuleIsGatedByThePlaceIfLivingRow) {
  LoadTempleTable();
  family_.baptism.templeCode = "FENNK";
  family_.baptism.date = Year(1960);
  const FakeGate empty(1);
  const FakeGate filled(0);
  std::string message;
  EXPECT_EQ(CTempleOpenRule(&family_.baptism, &filled).Check(&family_.baptism, message), 1);
  EXPECT_TRUE(message.empty());
  EXPECT_EQ(CTempleOpenRule(&family_.baptism, &empty).Check(&family_.baptism, message), 0);
  EXPECT_FALSE(message.empty());
  message.clear();
  EXPECT_EQ(CTempleOpenRule(&family_.baptism, nullptr).Check(&family_.endowment, message), 1);
  EXPECT_EQ(CTempleOpenRule(&family_.baptism, nullptr).Check(nullptr, message), 1);
  EXPECT_TRUE(message.empty());
}

TEST_F(DateRuleTest, DualDateRuleAllowsTenYears) {
  struct Case {
    const char* typed;
    int result;
  };
  const Case cases[] = {{"1745/55", 1}, {"1745/56", 0}, {"1745/6", 1}, {"1745", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_EQ(family_.christening.date.Parse(c.typed), CDateValue::kParseStandard);
    CDualDateRule rule;
    std::string message;
    EXPECT_EQ(CheckUnchanged(rule, family_, &family_.christening, message), c.result);
    EXPECT_EQ(message, c.result == 0 ? "Dual dates exceed 10 years." : "");
  }
  std::string message;
  EXPECT_EQ(CDualDateRule().Check(nullptr, message), 1);
}

// Records how often it was checked and when it went away.
class ProbeRule : public CDateRule {
 public:
  ProbeRule(int result, std::string text, std::vector<std::string>* log)
      : result_(result), text_(std::move(text)), log_(log) {}
  ~ProbeRule() override { log_->push_back("deleted " + text_); }
  int Check(const CEventObject*, std::string& message) const override {
    log_->push_back("checked " + text_);
    if (result_ == 0) message = text_;
    return result_;
  }

 private:
  int result_;
  std::string text_;
  std::vector<std::string>* log_;
};

TEST_F(DateRuleTest, ListStopsAtTheFirstBrokenRule) {
  std::vector<std::string> log;
  CDateRuleList list;
  list.Add(std::make_unique<ProbeRule>(1, "a", &log));
  list.Add(std::make_unique<ProbeRule>(0, "b", &log));
  list.Add(std::make_unique<ProbeRule>(0, "c", &log));
  std::string message;
  EXPECT_EQ(list.CheckAll(&family_.birth, message), 0);
  EXPECT_EQ(message, "b");
  EXPECT_EQ(log, (std::vector<std::string>{"checked a", "checked b"}));

  log.clear();
  list.DeleteAll();
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_EQ(log, (std::vector<std::string>{"deleted a", "deleted b", "deleted c"}));
  message.clear();
  EXPECT_EQ(list.CheckAll(&family_.birth, message), 1);
  EXPECT_TRUE(message.empty());
}

TEST_F(DateRuleTest, ListOfRealRulesOverOneFamily) {
  family_.birth.date = Year(1850);
  family_.christening.date = Year(1849);
  family_.death.date = Year(1920);
  CDateRuleList list;
  list.Add(std::make_unique<CDualDateRule>());
  list.Add(std::make_unique<CDateOrderRule>(&family_.birth, &family_.christening));
  list.Add(std::make_unique<CDateOrderRule>(&family_.birth, &family_.death));
  std::string message;
  EXPECT_EQ(list.CheckAll(&family_.death, message), 1);
  EXPECT_EQ(list.CheckAll(&family_.christening, message), 0);
  EXPECT_EQ(message, "The christening date is before the birth date.");
  family_.christening.date = Year(1850);
  EXPECT_EQ(list.CheckAll(&family_.christening, message), 1);
}

TEST_F(DateRuleTest, ListDeletesItsRulesWhenDestroyed) {
  std::vector<std::string> log;
  {
    CDateRuleList list;
    list.Add(std::make_unique<ProbeRule>(1, "a", &log));
  }
  EXPECT_EQ(log, (std::vector<std::string>{"deleted a"}));
}

}  // namespace
