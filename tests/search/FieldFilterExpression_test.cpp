// Field filter expressions without a family file: the syntax rules, the
// order and short-circuits of the evaluation, and the value tests of each
// operator family on plain values.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DateValue.h"
#include "FieldFilter.h"
#include "FilterSet.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// Builds an expression from words: "(" ")" "&" (AND) "|" (OR); any other
// word is a field criterion whose text1 is the word.
class Expr {
 public:
  explicit Expr(const std::string& words) {
    std::istringstream in(words);
    std::string w;
    while (in >> w) {
      std::unique_ptr<CFilterCriterion> c;
      if (w == "(") {
        c = std::make_unique<CFilterCriterion>(CFilterCriterion::kOpenParen, 0);
      } else if (w == ")") {
        c = std::make_unique<CFilterCriterion>(CFilterCriterion::kCloseParen, 0);
      } else if (w == "&") {
        c = std::make_unique<CFilterCriterion>(CFilterCriterion::kAnd, 0);
      } else if (w == "|") {
        c = std::make_unique<CFilterCriterion>(CFilterCriterion::kOr, 0);
      } else {
        c = std::make_unique<CFilterCriterion>(ffield::kSbn, fkind::kText);
        c->text1 = std::make_unique<std::string>(w);
      }
      list.push_back(c.get());
      owned.push_back(std::move(c));
    }
  }
  std::vector<std::unique_ptr<CFilterCriterion>> owned;
  CFieldFilter::Expression list;
};

TEST(FieldFilterSyntax, EachFaultHasItsMessageCaptionAndLine) {
  struct Case {
    const char* words;
    int text, caption, line;
  };
  const Case cases[] = {
      {"", 0, 0, -1},
      {"A", 0, 0, -1},
      {"( A ) & B", 0, 0, -1},
      {"( A & ( B | C ) ) | D", 0, 0, -1},
      {"A B", 3556, 3557, 1},
      {"A ( B )", 3556, 3558, 1},
      {"& A", 3561, 3562, 0},
      {"A | | B", 3561, 3562, 2},
      {"A &", 3561, 3562, 1},
      {"( )", 3559, 3558, 1},
      {"A & ( )", 3559, 3558, 3},
      {"A )", 3560, 3558, 1},
      {"( A", 3563, 3558, 2},
      {"( ( A ) & B", 3563, 3558, 6},
  };
  for (const Case& c : cases) {
    Expr e(c.words);
    FilterSyntaxFault fault;
    const bool ok = CFieldFilter::CheckSyntax(e.list, &fault);
    EXPECT_EQ(ok, c.text == 0) << c.words;
    if (c.text == 0) continue;
    EXPECT_EQ(fault.textId, c.text) << c.words;
    EXPECT_EQ(fault.captionId, c.caption) << c.words;
    EXPECT_EQ(fault.line, c.line) << c.words;
  }
  EXPECT_EQ(res::LoadString(res::kIdsAndOrPlace),
            "'AND' and 'OR' can only be used BETWEEN two fields or a field and a group.");
  EXPECT_EQ(res::LoadString(res::kIdsCannotClose), "You can't close a group here");
  EXPECT_EQ(res::LoadString(res::kIdsAndOrCaption), "AND or OR out of place");
}

TEST(FieldFilterEvaluation, ShortCircuitsSkipTheRestOfTheGroup) {
  struct Case {
    const char* words;
    const char* trueFields;  // letters whose test is true
    int result;
    const char* tested;  // letters tested, in order
  };
  const Case cases[] = {
      {"( A | B ) & C", "A", 0, "AC"},
      {"( A | B ) & C", "AC", 1, "AC"},
      {"A | ( B & C )", "A", 1, "A"},
      {"A | B & C", "A", 1, "A"},
      {"A | B & C", "BC", 1, "ABC"},
      {"A | B & C", "B", 0, "ABC"},
      {"A & B | C", "C", 0, "A"},
      {"( A & B ) | C", "C", 1, "AC"},
      {"( A & ( B | C ) ) | D", "D", 1, "AD"},
      {"( A & ( B | C ) ) | D", "AB", 1, "AB"},
      {"A & ( B | C ) & D", "ABD", 1, "ABD"},
      {"", "", 0, ""},
  };
  for (const Case& c : cases) {
    Expr e(c.words);
    std::string tested;
    const std::string truths = c.trueFields;
    const int result = CFieldFilter::EvaluateExpression(e.list, [&](const CFilterCriterion& node) {
      tested += *node.text1;
      return truths.find(*node.text1) != std::string::npos ? 1 : 0;
    });
    EXPECT_EQ(result, c.result) << c.words << " true: " << c.trueFields;
    EXPECT_EQ(tested, c.tested) << c.words << " true: " << c.trueFields;
  }
}

TEST(FieldFilterEvaluation, MultiValuedDecisionsFollowTheOperator) {
  // Operators 1 and 3 are decided by a false value, the others by a true one.
  for (int op = 0; op <= 8; ++op) {
    const bool negative = op == 1 || op == 3;
    EXPECT_EQ(CFieldFilter::IsDecisive(op, 0), negative) << op;
    EXPECT_EQ(CFieldFilter::IsDecisive(op, 1), !negative) << op;
    EXPECT_EQ(CFieldFilter::NoValueResult(op), negative ? 1 : 0) << op;
  }
}

CFilterCriterion Criterion(int field, int kind, int op, const char* t1 = nullptr,
                           const char* t2 = nullptr) {
  CFilterCriterion c(static_cast<std::uint16_t>(field), static_cast<std::uint16_t>(kind));
  c.op = static_cast<std::uint16_t>(op);
  if (t1) c.text1 = std::make_unique<std::string>(t1);
  if (t2) c.text2 = std::make_unique<std::string>(t2);
  return c;
}

TEST(FieldFilterValues, TextFamily) {
  struct Case {
    int op;
    const char* t1;
    const char* t2;
    const char* record;  // nullptr: no text
    int expected;
  };
  const Case cases[] = {
      {0, "smi*", nullptr, "Smithson", 1},  // a word and a star: begins with it, any case
      {0, "smi*", nullptr, "Blacksmith", 0},
      {0, "*son", nullptr, "SMITHSON", 1},  // a star and a word: ends with it
      {0, "*son", nullptr, "Sonja", 0},
      {0, "*son", nullptr, "on", 0},  // shorter than the word
      {0, "smith", nullptr, "SMITH", 1},
      {0, "smith", nullptr, "Smithson", 0},
      {1, "smi*", nullptr, "Smithson", 0},  // the exact negation
      {1, "smith", nullptr, "Smithson", 1},
      {2, "ths", nullptr, "Smithson", 1},
      {3, "ths", nullptr, "Smithson", 0},
      {4, nullptr, nullptr, "x", 1},
      {4, nullptr, nullptr, "", 0},
      {5, nullptr, nullptr, "", 1},
      {5, nullptr, nullptr, "x", 0},
      {1, "a", nullptr, nullptr, 1},  // a missing text passes 1, 3, 5 only
      {3, "a", nullptr, nullptr, 1},
      {0, "a", nullptr, nullptr, 0},
      {2, "a", nullptr, nullptr, 0},
      {6, "m", nullptr, "Adams", 1},
      {6, "m", nullptr, "Nash", 0},
      {7, "m", nullptr, "Nash", 1},
      {8, "b", "d", "Carter", 1},
      {8, "b", "d", "b", 1},
      {8, "b", "d", "Evans", 0},
  };
  for (const Case& c : cases) {
    const CFilterCriterion crit = Criterion(ffield::kSbn, fkind::kText, c.op, c.t1, c.t2);
    const std::string text = c.record ? c.record : "";
    EXPECT_EQ(CFieldFilter::MatchText(crit, c.record ? &text : nullptr), c.expected)
        << "op " << c.op << " " << (c.t1 ? c.t1 : "") << " on " << text;
  }
}

TEST(FieldFilterValues, NameFamilyWithSoundex) {
  struct Case {
    int sub;
    int op;
    const char* t1;
    const char* t2;
    const char* surname;
    const char* given;
    int expected;
  };
  const Case cases[] = {
      {0, 0, "lind, anna", nullptr, "Lind", "Anna", 1},
      {0, 0, "LIND, A*", nullptr, "Lind", "Anna Maria", 1},  // wildcard, any case
      {0, 1, "lind, a*", nullptr, "Lind", "Anna", 0},
      {0, 2, "anna", nullptr, "Lind", "Anna", 1},
      {1, 3, "lin", nullptr, "Lind", "Anna", 0},
      {1, 6, nullptr, nullptr, "Lind", "Anna", 1},
      {1, 7, nullptr, nullptr, "", "Anna", 1},
      {1, 1, "x", nullptr, "", "Anna", 1},  // an empty name passes the negatives
      {1, 0, "x", nullptr, "", "Anna", 0},
      {1, 8, "m", nullptr, "Lind", "", 1},
      {1, 9, "m", nullptr, "Lind", "", 0},
      {1, 10, "k", "m", "Lind", "", 1},
      {1, 10, "lind", "m", "Lind", "", 1},
      {1, 10, "m", "p", "Lind", "", 0},
      // Sounds like: surname codes, else given-name codes without a comma.
      {0, 4, "Lynd", nullptr, "Lind", "Anna", 1},
      {0, 4, "Ana", nullptr, "Lind", "Anna", 1},
      {0, 4, "Berg", nullptr, "Lind", "Anna", 0},
      {0, 5, "Berg", nullptr, "Lind", "Anna", 1},
      // With a comma both lists must match, in order.
      {0, 4, "Lynd, Mary", nullptr, "Lind", "Anna Maria", 1},
      {0, 4, "Lynd, Maria Anna", nullptr, "Lind", "Anna Maria", 0},
      {0, 4, "Berg, Anna", nullptr, "Lind", "Anna", 0},
      {1, 4, "Lynd", nullptr, "Lind", "Anna", 1},
      {1, 4, "Lynd, Anna", nullptr, "Lind", "Anna", 0},  // a second list rules surname out
      {2, 4, ", Ana", nullptr, "Lind", "Anna", 1},
      {2, 4, "Ana", nullptr, "Lind", "Anna", 1},
      {2, 4, "Lynd, Ana", nullptr, "Lind", "Anna", 0},
  };
  for (const Case& c : cases) {
    CFilterCriterion crit = Criterion(ffield::kName, fkind::kName, c.op, c.t1, c.t2);
    crit.subField = static_cast<std::uint16_t>(c.sub);
    const CriterionWork work = CFieldFilter::PrepareWorkData(crit);
    const std::string surname = c.surname, given = c.given;
    const std::string name = c.sub == 1 ? surname : c.sub == 2 ? given : surname + ", " + given;
    EXPECT_EQ(CFieldFilter::MatchName(crit, work, name, surname, given), c.expected)
        << "sub " << c.sub << " op " << c.op << " " << (c.t1 ? c.t1 : "") << " on " << name;
  }
}

TEST(FieldFilterValues, PlaceLevels) {
  const std::string place[4] = {"Oslo", "Akershus", "", "Norway"};
  const std::string none[4];
  struct Case {
    int level, op;
    const char* t1;
    const char* t2;
    const std::string (*parts)[4];
    int expected;
  };
  const Case cases[] = {
      {0, 0, "oslo,akershus,,norway", nullptr, &place, 1},
      {0, 0, "oslo*", nullptr, &place, 1},
      {0, 2, "Akershus", nullptr, &place, 1},
      {1, 0, "OSLO", nullptr, &place, 1},
      {2, 0, "oslo", nullptr, &place, 0},
      {4, 0, "norway", nullptr, &place, 1},
      {3, 4, nullptr, nullptr, &place, 0},
      {3, 5, nullptr, nullptr, &place, 1},
      {0, 1, "x", nullptr, &none, 1},  // an empty place passes the negatives
      {0, 3, "x", nullptr, &none, 1},
      {0, 0, "x", nullptr, &none, 0},
      {1, 8, "oslo", nullptr, &place, 1},  // a range without its end: equality only
      {1, 8, "a", nullptr, &place, 0},
      {1, 8, "a", "p", &place, 1},
      {5, 0, "oslo", nullptr, &place, 0},
  };
  for (const Case& c : cases) {
    CFilterCriterion crit = Criterion(ffield::kBirthPlace, fkind::kPlace, c.op, c.t1, c.t2);
    crit.subField = static_cast<std::uint16_t>(c.level);
    EXPECT_EQ(CFieldFilter::MatchPlace(crit, CFieldFilter::PrepareWorkData(crit), *c.parts),
              c.expected)
        << "level " << c.level << " op " << c.op << " " << (c.t1 ? c.t1 : "");
  }
}

CDateValue Date(int year, int month = 0, int day = 0, int qualifier = 0) {
  CDateValue d;
  d.Set(year, month, day, qualifier);
  return d;
}

TEST(FieldFilterValues, DatesWithSubmittedStatusAndQualifier) {
  const CDateValue plain = Date(1900, 3, 12);
  const CDateValue submitted = Date(0, CDateValue::kStatusSubmitted);
  const CDateValue subQualified = Date(1900, 3, 12, CDateValue::kQualSub);
  const CDateValue early = Date(1850, 1, 1);
  struct Case {
    int op;
    CDateValue d1;
    CDateValue d2;
    const CDateValue* record;
    int expected;
  };
  const Case cases[] = {
      {0, plain, {}, &plain, 1},
      {1, plain, {}, &plain, 0},
      {0, Date(1900), {}, &plain, 0},
      {2, Date(1900), {}, &plain, 1},  // every part date 1 gives agrees
      {3, Date(1900), {}, &plain, 0},
      {2, Date(1901), {}, &plain, 0},
      {6, Date(1900), {}, &early, 1},  // record before date 1
      {6, Date(1800), {}, &early, 0},
      {7, Date(1800), {}, &early, 1},
      {8, Date(1800), Date(1860), &early, 1},
      {8, Date(1860), Date(1900), &early, 0},
      {8, Date(1850, 1, 1), Date(1840), &early, 1},  // equal to date 1
      {4, {}, {}, &plain, 1},
      {5, {}, {}, &plain, 0},
      {0, plain, {}, nullptr, 0},  // no date: only 1, 3, 5 pass
      {1, plain, {}, nullptr, 1},
      {5, {}, {}, nullptr, 1},
      // Criterion qualified Sub: only records qualified Sub go on to the test.
      {0, Date(1900, 0, 0, CDateValue::kQualSub), {}, &plain, 0},
      {1, Date(1900, 0, 0, CDateValue::kQualSub), {}, &plain, 1},
      {0, Date(1900, 0, 0, CDateValue::kQualSub), {}, &submitted, 0},
      {2, Date(1900, 0, 0, CDateValue::kQualSub), {}, &subQualified, 1},
      // Criterion status 29: records with status 29 or qualified Sub.
      {0, submitted, {}, &submitted, 1},
      {0, submitted, {}, &subQualified, 1},
      {8, submitted, {}, &submitted, 1},
      {0, submitted, {}, &plain, 0},
      {1, submitted, {}, &plain, 1},
      {1, submitted, {}, &submitted, 0},
  };
  int row = 0;
  for (const Case& c : cases) {
    CFilterCriterion crit(ffield::kBirthDate, fkind::kDate);
    crit.op = static_cast<std::uint16_t>(c.op);
    crit.date1 = std::make_unique<CDateValue>(c.d1);
    crit.date2 = std::make_unique<CDateValue>(c.d2);
    EXPECT_EQ(CFieldFilter::MatchDate(crit, c.record), c.expected) << "row " << row;
    ++row;
  }
}

TEST(FieldFilterValues, NumbersCountsCodesTemplesAndYesNo) {
  CFilterCriterion n = Criterion(ffield::kRin, fkind::kNumber, 2);
  n.value1 = 5;
  n.value2 = 9;
  EXPECT_EQ(CFieldFilter::MatchNumber(n, 5), 1);
  EXPECT_EQ(CFieldFilter::MatchNumber(n, 10), 0);
  n.op = 0;
  EXPECT_EQ(CFieldFilter::MatchNumber(n, 4), 1);
  EXPECT_EQ(CFieldFilter::MatchNumber(n, 5), 0);
  n.op = 1;
  EXPECT_EQ(CFieldFilter::MatchNumber(n, 6), 1);

  CFilterCriterion count = Criterion(ffield::kChildCount, fkind::kNumber, 0);
  count.value1 = 2;
  const int counts[][4] = {{0, 2, 1, 0}, {1, 1, 1, 0}, {2, 3, 1, 0}, {2, 2, 0, 0}};
  for (const auto& row : counts) {
    count.op = static_cast<std::uint16_t>(row[0]);
    EXPECT_EQ(CFieldFilter::MatchCount(count, row[1]), row[2]) << row[0] << " " << row[1];
  }

  CFilterCriterion code = Criterion(ffield::kSex, fkind::kCode, 0);
  code.value1 = 'F';
  EXPECT_EQ(CFieldFilter::MatchCode(code, 'F'), 1);
  EXPECT_EQ(CFieldFilter::MatchCode(code, ' '), 0);
  code.op = 1;
  EXPECT_EQ(CFieldFilter::MatchCode(code, ' '), 1);

  struct TempleCase {
    int op;
    const char* t1;
    const char* code;
    int expected;
  };
  const TempleCase temples[] = {
      {0, "slake - Salt Lake", "SLAKE", 1},
      {1, "slake - Salt Lake", "SLAKE", 0},
      {2, "lak", "SLAKE", 1},
      {3, "lak", "SLAKE", 0},
      {4, nullptr, "SLAKE", 1},
      {5, nullptr, "SLAKE", 0},
      {0, "slake", "", 0},
      {1, "slake", "", 1},
      {4, nullptr, "", 0},
      {5, nullptr, "", 1},
      {0, "abcdefg", "ABCDE", 1},  // at most five characters of the text
  };
  for (const TempleCase& t : temples) {
    const CFilterCriterion crit = Criterion(ffield::kBaptismTemple, fkind::kTemple, t.op, t.t1);
    EXPECT_EQ(CFieldFilter::MatchTempleCode(crit, CFieldFilter::PrepareWorkData(crit), t.code),
              t.expected)
        << t.op << " " << (t.t1 ? t.t1 : "") << " on " << t.code;
  }

  const CFilterCriterion is = Criterion(ffield::kDeceased, fkind::kYesNo, 0);
  const CFilterCriterion isNot = Criterion(ffield::kDeceased, fkind::kYesNo, 1);
  EXPECT_EQ(CFieldFilter::MatchYesNo(is, true), 1);
  EXPECT_EQ(CFieldFilter::MatchYesNo(is, false), 0);
  EXPECT_EQ(CFieldFilter::MatchYesNo(isNot, false), 1);
}

TEST(FieldFilterValues, NotesAndTags) {
  const std::string notes = "RESEARCH: checked the mill records\r\n\r\nBorn at home.";
  const std::string tagged = "checked the mill records";
  struct Case {
    int op;
    const char* tag;
    const char* text;
    bool hasNotes;
    const char* tagText;
    int expected;
  };
  const Case cases[] = {
      {0, nullptr, "HOME", true, "", 1},
      {1, nullptr, "home", true, "", 0},
      {0, nullptr, "barn", true, "", 0},
      {2, nullptr, nullptr, true, "", 1},
      {3, nullptr, nullptr, true, "", 0},
      {3, nullptr, nullptr, false, "", 1},
      {0, nullptr, "home", false, "", 0},
      {7, "X:", nullptr, false, "", 1},
      {4, "RESEARCH:", "MILL", true, tagged.c_str(), 1},
      {4, "RESEARCH:", "home", true, tagged.c_str(), 0},
      {5, "RESEARCH:", "home", true, tagged.c_str(), 1},
      {6, "RESEARCH:", nullptr, true, tagged.c_str(), 1},
      {6, "OTHER:", nullptr, true, "", 0},
      {7, "OTHER:", nullptr, true, "", 1},
  };
  for (const Case& c : cases) {
    const CFilterCriterion crit = Criterion(ffield::kNotes, fkind::kNotes, c.op, c.tag, c.text);
    EXPECT_EQ(CFieldFilter::MatchNotes(crit, c.hasNotes, c.hasNotes ? notes : "", c.tagText),
              c.expected)
        << c.op << " " << (c.text ? c.text : "");
  }
}

}  // namespace
