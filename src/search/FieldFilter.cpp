#include "FieldFilter.h"

#include <algorithm>
#include <set>

#include "CitationRecord.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventValue.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OrdinanceNeeds.h"
#include "Ports.h"
#include "Soundex.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMatch.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"
#include "ZelQualification.h"

namespace {

constexpr int kPassStep = 100;

bool IsToken(const CFilterCriterion& c) { return c.kind == fkind::kToken; }
bool IsOpen(const CFilterCriterion& c) {
  return IsToken(c) && c.fieldId == CFilterCriterion::kOpenParen;
}
bool IsClose(const CFilterCriterion& c) {
  return IsToken(c) && c.fieldId == CFilterCriterion::kCloseParen;
}
bool IsAndOr(const CFilterCriterion& c) {
  return IsToken(c) && (c.fieldId == CFilterCriterion::kAnd || c.fieldId == CFilterCriterion::kOr);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int Cmp(const std::string& a, const std::string& b) { return plat::CompareAnsi(a, b, false); }

bool NegativeTextOp(int op) { return op == 1 || op == 3 || op == 5; }

// The text family's tests on an upper-cased record text; text1 and text2
// are the criterion's texts upper-cased.
int TextTest(int op, const std::string& record, const std::string& text1,
             const std::string& text2) {
  switch (op) {
    case 0:
    case 1: {
      bool match;
      if (text1.find('*') == std::string::npos) {
        match = Cmp(record, text1) == 0;
      } else if (text1[0] == '*') {
        const std::string tail = text1.substr(1);
        match = record.size() >= tail.size() &&
                record.compare(record.size() - tail.size(), tail.size(), tail) == 0;
      } else {
        const std::string head = text1.substr(0, text1.size() - 1);
        match = record.size() >= head.size() && record.compare(0, head.size(), head) == 0;
      }
      return (op == 0) == match ? 1 : 0;
    }
    case 2:
      return Contains(record, text1) ? 1 : 0;
    case 3:
      return Contains(record, text1) ? 0 : 1;
    case 4:
      return 1;
    case 5:
      return 0;
    case 6:
      return Cmp(record, text1) < 0 ? 1 : 0;
    case 7:
      return Cmp(record, text1) > 0 ? 1 : 0;
    case 8:
      return Cmp(record, text1) >= 0 && Cmp(record, text2) <= 0 ? 1 : 0;
    default:
      return 0;
  }
}

int TextTestOf(int op, const std::string* text, const CriterionWork& w) {
  if (text == nullptr || text->empty()) return NegativeTextOp(op) ? 1 : 0;
  return TextTest(op, plat::AnsiUpper(*text), plat::AnsiUpper(w.text1), plat::AnsiUpper(w.text2));
}

// The "Matches" of names and places: equal under the string sort, or the
// criterion text as a wildcard pattern matches.
bool MatchesPattern(const std::string& lower, const std::string& pattern) {
  return Cmp(lower, pattern) == 0 || WildcardCompare(pattern, lower, false) == 0;
}

// Names and places share "Matches" to "Range" on lower-cased texts.
int OrderedTest(int op, const std::string& lower, const CriterionWork& w, bool place) {
  switch (op) {
    case 0:
      return MatchesPattern(lower, w.text1) ? 1 : 0;
    case 1:
      return MatchesPattern(lower, w.text1) ? 0 : 1;
    case 2:
      return Contains(lower, w.text1) ? 1 : 0;
    case 3:
      return Contains(lower, w.text1) ? 0 : 1;
    default:
      break;
  }
  const int less = place ? 6 : 8;
  if (op == less) return Cmp(lower, w.text1) < 0 ? 1 : 0;
  if (op == less + 1) return Cmp(lower, w.text1) > 0 ? 1 : 0;
  if (op == less + 2) {
    if (Cmp(lower, w.text1) == 0) return 1;
    if (place && w.text2.empty()) return 0;
    return Cmp(lower, w.text1) > 0 && Cmp(lower, w.text2) <= 0 ? 1 : 0;
  }
  return 0;
}

std::vector<std::int32_t> RelationList(std::int32_t rin, int relation, int subKind) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, relation, subKind, rin, 0);
  return list;
}

std::vector<std::int32_t> Chain(std::int32_t owner, char ownerKind) {
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kCitation, owner, ownerKind);
  return list;
}

bool IsCurrentFormat() {
  return CurrentDatabase == nullptr || CurrentDatabase->type == CFamilyDatabase::kCurrentFormat;
}

CDateValue StampDate(std::int32_t stamp) {
  CDateValue date;
  if (stamp != 0) date.SetFromTime(StampToTime(stamp));
  return date;
}

}  // namespace

// ---- rules of the expression ----------------------------------------------

bool CFieldFilter::CheckSyntax(const Expression& list, FilterSyntaxFault* fault) {
  auto fail = [&](int text, int caption, std::size_t line) {
    if (fault) *fault = {text, caption, static_cast<int>(line)};
    return false;
  };
  bool operand = false;
  int depth = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const CFilterCriterion& c = *list[i];
    if (!IsToken(c)) {
      if (operand) return fail(res::kIdsNotSeparated, res::kIdsTwoFields, i);
      operand = true;
    } else if (IsOpen(c)) {
      if (operand) return fail(res::kIdsNotSeparated, res::kIdsIllegalParen, i);
      ++depth;
    } else if (IsAndOr(c)) {
      if (!operand) return fail(res::kIdsAndOrPlace, res::kIdsAndOrCaption, i);
      operand = false;
    } else {
      if (!operand) return fail(res::kIdsCannotClose, res::kIdsIllegalParen, i);
      if (depth == 0) return fail(res::kIdsTooManyClosing, res::kIdsIllegalParen, i);
      --depth;
    }
  }
  if (depth > 0) return fail(res::kIdsTooManyOpening, res::kIdsIllegalParen, list.size());
  if (!list.empty() && IsAndOr(*list.back()))
    return fail(res::kIdsAndOrPlace, res::kIdsAndOrCaption, list.size() - 1);
  return true;
}

int CFieldFilter::EvaluateExpression(const Expression& list,
                                     const std::function<int(const CFilterCriterion&)>& test) {
  int result = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const CFilterCriterion& c = *list[i];
    if (IsOpen(c) || IsClose(c)) continue;
    if (!IsAndOr(c)) {
      result = test(c) != 0 ? 1 : 0;
      continue;
    }
    const bool decides = c.fieldId == CFilterCriterion::kOr ? result == 1 : result == 0;
    if (!decides) continue;
    // Skip to the parenthesis that closes the enclosing group; at the top
    // level there is none and the result is final.
    int nested = 0;
    for (++i; i < list.size(); ++i) {
      if (IsOpen(*list[i])) {
        ++nested;
      } else if (IsClose(*list[i])) {
        if (nested == 0) break;
        --nested;
      }
    }
  }
  return result;
}

bool CFieldFilter::IsDecisive(int op, int result) {
  return (op == 1 || op == 3) ? result == 0 : result != 0;
}

int CFieldFilter::NoValueResult(int op) { return (op == 0 || op == 2 || op >= 4) ? 0 : 1; }

// ---- preparation ----------------------------------------------------------

bool CFieldFilter::SplitNameSoundex(const std::string& text, std::vector<std::string>& first,
                                    std::vector<std::string>& second) {
  first.clear();
  second.clear();
  bool comma = false;
  std::string word;
  auto flush = [&] {
    if (word.empty()) return;
    Soundex(word);
    (comma ? second : first).push_back(word);
    word.clear();
  };
  for (char ch : text) {
    if (ch == ' ' || ch == ',') {
      flush();
      if (ch == ',') comma = true;
    } else {
      word += ch;
    }
  }
  flush();
  return comma;
}

bool CFieldFilter::CompareSoundexLists(const std::vector<std::string>& wanted,
                                       const std::vector<std::string>& name) {
  if (name.size() < wanted.size()) return false;
  std::size_t pos = 0;
  for (const std::string& code : wanted) {
    while (pos < name.size() && plat::CompareAnsi(name[pos], code, true) != 0) ++pos;
    if (pos == name.size()) return false;
  }
  return true;
}

CriterionWork CFieldFilter::PrepareWorkData(const CFilterCriterion& c) {
  CriterionWork w;
  if (c.kind == fkind::kName && (c.op == 4 || c.op == 5)) {
    w.comma = SplitNameSoundex(c.text1 ? *c.text1 : std::string(), w.soundex1, w.soundex2);
    return w;
  }
  if (c.kind == fkind::kTemple) {
    if (c.op <= 3 && c.text1) {
      std::string code = c.text1->substr(0, c.text1->find(' '));
      w.text1 = plat::AnsiUpper(code.substr(0, 5));
    }
    return w;
  }
  if (c.text1) w.text1 = plat::AnsiLower(*c.text1);
  if (c.text2) w.text2 = plat::AnsiLower(*c.text2);
  return w;
}

// ---- value tests ------------------------------------------------------------

int CFieldFilter::MatchName(const CFilterCriterion& c, const CriterionWork& w,
                            const std::string& name, const std::string& surname,
                            const std::string& given) {
  if (c.op == 6) return name.empty() ? 0 : 1;
  if (c.op == 7) return name.empty() ? 1 : 0;
  const bool negative = c.op == 1 || c.op == 3 || c.op == 5;
  if (name.empty() || !c.text1 || c.text1->empty()) return negative ? 1 : 0;
  if (c.op == 4 || c.op == 5) {
    std::vector<std::string> sur, none, giv;
    SplitNameSoundex(surname, sur, none);
    SplitNameSoundex(given, giv, none);
    bool match = false;
    switch (c.subField) {
      case 0:
        match = w.comma
                    ? CompareSoundexLists(w.soundex1, sur) && CompareSoundexLists(w.soundex2, giv)
                    : CompareSoundexLists(w.soundex1, sur) || CompareSoundexLists(w.soundex1, giv);
        break;
      case 1:
        match = (!w.comma || w.soundex2.empty()) && CompareSoundexLists(w.soundex1, sur);
        break;
      default:
        match = w.comma ? w.soundex1.empty() && CompareSoundexLists(w.soundex2, giv)
                        : CompareSoundexLists(w.soundex1, giv);
        break;
    }
    return (c.op == 4) == match ? 1 : 0;
  }
  return OrderedTest(c.op, plat::AnsiLower(name), w, false);
}

int CFieldFilter::MatchText(const CFilterCriterion& c, const std::string* text) {
  CriterionWork w;
  if (c.text1) w.text1 = *c.text1;
  if (c.text2) w.text2 = *c.text2;
  return TextTestOf(c.op, text, w);
}

int CFieldFilter::MatchPlace(const CFilterCriterion& c, const CriterionWork& w,
                             const std::string (&parts)[4]) {
  std::string place;
  if (c.subField == 0) {
    place = JoinPlaceParts(parts[0], parts[1], parts[2], parts[3], ",");
    if (place.find_first_not_of(',') == std::string::npos) place.clear();
  } else if (c.subField <= 4) {
    place = parts[c.subField - 1];
  } else {
    return 0;
  }
  if (c.op == 4) return place.empty() ? 0 : 1;
  if (c.op == 5) return place.empty() ? 1 : 0;
  if (place.empty() || !c.text1 || c.text1->empty()) return c.op == 1 || c.op == 3 ? 1 : 0;
  return OrderedTest(c.op, plat::AnsiLower(place), w, true);
}

int CFieldFilter::MatchDate(const CFilterCriterion& c, const CDateValue* date) {
  const int op = c.op;
  if (!CDateValue::IsSet(date)) return NegativeTextOp(op) ? 1 : 0;
  if (op == 4) return date->Format().empty() ? 0 : 1;
  if (op == 5) return date->Format().empty() ? 1 : 0;
  const CDateValue none;
  const CDateValue& d1 = c.date1 ? *c.date1 : none;
  const bool positive = op == 0 || op == 2;
  if (d1.qualifier == CDateValue::kQualSub) {
    if (date->month == CDateValue::kStatusSubmitted || date->qualifier != CDateValue::kQualSub)
      return positive ? 0 : 1;
  } else if (d1.month == CDateValue::kStatusSubmitted) {
    const bool submitted =
        date->month == CDateValue::kStatusSubmitted || date->qualifier == CDateValue::kQualSub;
    return (positive || op == 8) == submitted ? 1 : 0;
  }
  switch (op) {
    case 0:
      return d1.Equals(*date) ? 1 : 0;
    case 1:
      return d1.Equals(*date) ? 0 : 1;
    case 2:
      return d1.Matches(*date) ? 1 : 0;
    case 3:
      return d1.Matches(*date) ? 0 : 1;
    case 6:
      return d1.CompareOrder(*date) > 0 ? 1 : 0;
    case 7:
      return d1.CompareOrder(*date) < 0 ? 1 : 0;
    case 8: {
      if (date->CompareCore(d1, nullptr) == 0) return 1;
      if (date->CompareCore(d1, nullptr) != 1 || !c.date2) return 0;
      const int upper = date->CompareCore(*c.date2, nullptr);
      return upper == 0 || upper == -1 ? 1 : 0;
    }
    default:
      return 0;
  }
}

int CFieldFilter::MatchNumber(const CFilterCriterion& c, std::int32_t value) {
  switch (c.op) {
    case 0:
      return value < c.value1 ? 1 : 0;
    case 1:
      return value > c.value1 ? 1 : 0;
    case 2:
      return value >= c.value1 && value <= c.value2 ? 1 : 0;
    default:
      return 0;
  }
}

int CFieldFilter::MatchCount(const CFilterCriterion& c, int count) {
  switch (c.op) {
    case 0:
      return count == c.value1 ? 1 : 0;
    case 1:
      return count < c.value1 ? 1 : 0;
    case 2:
      return count > c.value1 ? 1 : 0;
    default:
      return 0;
  }
}

int CFieldFilter::MatchCode(const CFilterCriterion& c, char letter) {
  const bool equal = static_cast<unsigned char>(letter) == (c.value1 & 0xFF);
  return (c.op == 0) == equal ? 1 : 0;
}

int CFieldFilter::MatchTempleCode(const CFilterCriterion& c, const CriterionWork& w,
                                  const std::string& code) {
  if (code.empty()) return c.op == 0 || c.op == 2 || c.op == 4 ? 0 : 1;
  switch (c.op) {
    case 0:
      return code == w.text1 ? 1 : 0;
    case 1:
      return code == w.text1 ? 0 : 1;
    case 2:
      return Contains(code, w.text1) ? 1 : 0;
    case 3:
      return Contains(code, w.text1) ? 0 : 1;
    case 4:
      return 1;
    default:
      return 0;
  }
}

int CFieldFilter::MatchYesNo(const CFilterCriterion& c, bool fact) {
  return (c.op == 0) == fact ? 1 : 0;
}

int CFieldFilter::MatchNotes(const CFilterCriterion& c, bool hasNotes, const std::string& notes,
                             const std::string& tagged) {
  const int op = c.op;
  if (!hasNotes) return op == 1 || op == 3 || op == 5 || op == 7 ? 1 : 0;
  const std::string wanted = c.text2 ? plat::AnsiUpper(*c.text2) : std::string();
  switch (op) {
    case 0:
    case 1:
      return Contains(plat::AnsiUpper(notes), wanted) == (op == 0) ? 1 : 0;
    case 2:
      return 1;
    case 3:
      return 0;
    case 4:
    case 5:
      return Contains(plat::AnsiUpper(tagged), wanted) == (op == 4) ? 1 : 0;
    case 6:
      return tagged.empty() ? 0 : 1;
    case 7:
      return tagged.empty() ? 1 : 0;
    default:
      return 0;
  }
}

// ---- reading the open family file -------------------------------------------

CFieldFilter::CFieldFilter(const Expression& list) : list_(list) {
  work_.reserve(list.size());
  for (const CFilterCriterion* c : list) {
    work_.push_back(PrepareWorkData(*c));
    if (c->fieldId >= ffield::kAnyOrdinanceDate) needsOrdinances_ = true;
    switch (c->fieldId) {
      case ffield::kAnyDate:
      case ffield::kAnyPlace:
      case ffield::kUserEvents:
      case ffield::kTitlePrefix:
      case ffield::kMultimedia:
      case ffield::kLiveBaptism:
        needsDetails_ = true;
        break;
      default:
        if ((c->fieldId >= ffield::kAlsoKnownAs && c->fieldId <= ffield::kPhysicalDescription) ||
            (c->fieldId >= ffield::kContactName && c->fieldId <= ffield::kContactEmail))
          needsDetails_ = true;
        break;
    }
  }
}

const std::vector<std::int32_t>& CFieldFilter::Marriages(std::int32_t rin) {
  if (marriagesOf_ != rin) {
    marriages_ = RelationList(rin, db::kRelSpouses, 0);
    marriagesOf_ = rin;
  }
  return marriages_;
}

int CFieldFilter::Evaluate(const CIndividualRecord& record) {
  marriagesOf_ = 0;
  return EvaluateExpression(list_, [&](const CFilterCriterion& c) {
    // The node's place in the list names its working data.
    std::size_t i = 0;
    while (i < list_.size() && list_[i] != &c) ++i;
    ++testsRun;
    return TestCriterion(c, i, record);
  });
}

void CFieldFilter::PassRange(std::int32_t highest, std::int32_t& first, std::int32_t& last) const {
  first = 1;
  last = highest;
  const CFilterCriterion* rinCriterion = nullptr;
  const std::size_t n = list_.size();
  auto isRin = [&](std::size_t i) {
    return list_[i]->fieldId == ffield::kRin && !IsToken(*list_[i]);
  };
  auto isAnd = [&](std::size_t i) {
    return IsToken(*list_[i]) && list_[i]->fieldId == CFilterCriterion::kAnd;
  };
  if (n == 1 && isRin(0)) {
    rinCriterion = list_[0];
  } else if (n >= 2 && isRin(0) && isAnd(1)) {
    rinCriterion = list_[0];
  } else if (n >= 2 && isRin(n - 1) && isAnd(n - 2)) {
    rinCriterion = list_[n - 1];
  }
  if (!rinCriterion) return;
  switch (rinCriterion->op) {
    case 0:
      first = 0;
      last = rinCriterion->value1;
      break;
    case 1:
      first = rinCriterion->value1;
      break;
    case 2:
      first = rinCriterion->value1;
      last = rinCriterion->value2;
      break;
    default:
      break;
  }
}

// ---- the tests of the fields ------------------------------------------------

namespace {

using Record = CIndividualRecord;
using Filter = CFieldFilter;

// A field that tests a value of the individual's own record.
struct RecordFieldTest {
  using Fn = int (*)(const CFilterCriterion& c, const CriterionWork& w, const Record& p);
  int fieldId;
  Fn test;
};

template <auto kEvent>
int DateOf(const CFilterCriterion& c, const CriterionWork&, const Record& p) {
  return Filter::MatchDate(c, &(p.*kEvent).date);
}
template <auto kEvent>
int PlaceOf(const CFilterCriterion& c, const CriterionWork& w, const Record& p) {
  return Filter::MatchPlace(c, w, (p.*kEvent).place);
}
template <auto kOrdinance>
int TempleOf(const CFilterCriterion& c, const CriterionWork& w, const Record& p) {
  return Filter::MatchTempleCode(c, w, (p.*kOrdinance).templeCode);
}
template <auto kText>
int TextOf(const CFilterCriterion& c, const CriterionWork& w, const Record& p) {
  return TextTestOf(c.op, &(p.*kText), w);
}
template <auto kTexts, int kIndex>
int TextAt(const CFilterCriterion& c, const CriterionWork& w, const Record& p) {
  return TextTestOf(c.op, &(p.*kTexts)[kIndex], w);
}
template <int kStamp>
int StampOf(const CFilterCriterion& c, const CriterionWork&, const Record& p) {
  const CDateValue date = StampDate(p.numbers[kStamp]);
  return Filter::MatchDate(c, &date);
}

int NameOf(const CFilterCriterion& c, const CriterionWork& w, const Record& p) {
  const std::string given = p.GetGivenNames();
  const std::string& name =
      c.subField == 1 ? p.surname : (c.subField == 2 ? given : p.GetNameSurnameFirst());
  const std::string full = c.subField == 0 ? p.GetNameSurnameFirst() : name;
  const bool emptyFull = p.surname.empty() && given.empty();
  return Filter::MatchName(c, w, emptyFull && c.subField == 0 ? std::string() : full, p.surname,
                           given);
}

int RinOf(const CFilterCriterion& c, const CriterionWork&, const Record& p) {
  return Filter::MatchNumber(c, p.numbers[Record::kRin]);
}

int SexOf(const CFilterCriterion& c, const CriterionWork&, const Record& p) {
  return Filter::MatchCode(c, p.sex == 'M' || p.sex == 'F' ? p.sex : ' ');
}

int DeceasedOf(const CFilterCriterion& c, const CriterionWork&, const Record& p) {
  return Filter::MatchYesNo(c, IsPresumedDeceased(p));
}

int EndOfLineOf(const CFilterCriterion& c, const CriterionWork&, const Record& p) {
  return Filter::MatchYesNo(c, IsEndOfLine(p) != 0);
}

int LiveBaptismOf(const CFilterCriterion& c, const CriterionWork&, const Record& p) {
  return Filter::MatchYesNo(c, !CEventValue::IsPlaceEmpty(&p.fifthEvent));
}

constexpr RecordFieldTest kRecordFields[] = {
    {ffield::kName, NameOf},
    {ffield::kRin, RinOf},
    {ffield::kSex, SexOf},
    {ffield::kBirthDate, DateOf<&Record::birth>},
    {ffield::kChristeningDate, DateOf<&Record::christening>},
    {ffield::kDeathDate, DateOf<&Record::death>},
    {ffield::kBurialDate, DateOf<&Record::burial>},
    {ffield::kBirthPlace, PlaceOf<&Record::birth>},
    {ffield::kChristeningPlace, PlaceOf<&Record::christening>},
    {ffield::kDeathPlace, PlaceOf<&Record::death>},
    {ffield::kBurialPlace, PlaceOf<&Record::burial>},
    {ffield::kDeceased, DeceasedOf},
    {ffield::kTitlePrefix, TextOf<&Record::title>},
    {ffield::kTitleSuffix, TextOf<&Record::suffix>},
    {ffield::kAlsoKnownAs, TextAt<&Record::nameExtensions, 1>},
    {ffield::kNickname, TextAt<&Record::nameExtensions, 0>},
    {ffield::kMarriedName, TextAt<&Record::texts2, 1>},
    {ffield::kCauseOfDeath, TextAt<&Record::texts2, 0>},
    {ffield::kPhysicalDescription, TextAt<&Record::texts2, 2>},
    {ffield::kCustomId, TextAt<&Record::texts1, 0>},
    {ffield::kSbn, TextAt<&Record::texts1, 1>},
    {ffield::kCreatedDate, StampOf<Record::kCreatedStamp>},
    {ffield::kChangedDate, StampOf<Record::kUpdatedStamp>},
    {ffield::kEndOfLine, EndOfLineOf},
    {ffield::kLiveBaptism, LiveBaptismOf},
    {ffield::kBaptismDate, DateOf<&Record::baptism>},
    {ffield::kEndowmentDate, DateOf<&Record::endowment>},
    {ffield::kSealParentsDate, DateOf<&Record::sealingToParents>},
    {ffield::kBaptismTemple, TempleOf<&Record::baptism>},
    {ffield::kEndowmentTemple, TempleOf<&Record::endowment>},
    {ffield::kSealParentsTemple, TempleOf<&Record::sealingToParents>},
};

// The contact fields, kContactName to kContactEmail, in the order of the
// record's contact slots.
int ContactOf(const CFilterCriterion& c, const CriterionWork& w, const Record& p) {
  static constexpr int kSlots[] = {Record::kContactName,       Record::kContactAddress1,
                                   Record::kContactCity,       Record::kContactState,
                                   Record::kContactPostalCode, Record::kContactCountry,
                                   Record::kContactPhone,      Record::kContactEmail};
  return TextTestOf(c.op, &p.contact[kSlots[c.fieldId - ffield::kContactName]], w);
}

// The test of a field of the individual's own record; null for a field
// that reads more of the family file.
RecordFieldTest::Fn FindRecordFieldTest(int fieldId) {
  for (const RecordFieldTest& field : kRecordFields)
    if (field.fieldId == fieldId) return field.test;
  if (fieldId >= ffield::kContactName && fieldId <= ffield::kContactEmail) return ContactOf;
  return nullptr;
}

// A multi-valued field: the first decisive value decides.
int FirstDecisive(int op, const std::vector<int>& results) {
  for (int r : results)
    if (Filter::IsDecisive(op, r)) return r;
  return Filter::NoValueResult(op);
}

bool ReadMarriage(std::int32_t mrin, CMarriageRecord& m) {
  return DbGetRecord(mrin, db::kMarriage, &m) == 1;
}

std::vector<std::int32_t> UserEventsOf(std::int32_t owner, char kind) {
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kUserEvent, owner, kind);
  return list;
}

int MatchOwnerNotes(const CFilterCriterion& c, std::int32_t owner, int kind) {
  const std::string notes = DbGetNotes(owner, 0, kind, 0, 1, 0);
  const std::string tagged =
      c.op >= 4 && c.text1 ? DbGetTaggedNote(owner, *c.text1, 0, 0, kind) : "";
  return Filter::MatchNotes(c, !notes.empty(), notes, tagged);
}

}  // namespace

int CFieldFilter::TestAnyDate(const CFilterCriterion& c, const CIndividualRecord& p) {
  const std::int32_t rin = p.numbers[CIndividualRecord::kRin];
  std::vector<int> r;
  for (const CEventValue* e : {&p.birth, &p.christening, &p.death, &p.burial})
    r.push_back(MatchDate(c, &e->date));
  for (std::int32_t ue : UserEventsOf(rin, db::kOwnerIndividual)) {
    CUserEventRecord event;
    if (DbGetRecord(ue, db::kUserEvent, &event) == 1) r.push_back(MatchDate(c, event.GetDate()));
  }
  for (std::int32_t mrin : Marriages(rin)) {
    CMarriageRecord m;
    if (ReadMarriage(mrin, m)) r.push_back(MatchDate(c, &m.marriage.date));
  }
  return FirstDecisive(c.op, r);
}

int CFieldFilter::TestAnyPlace(const CFilterCriterion& c, const CriterionWork& w,
                               const CIndividualRecord& p) {
  const std::int32_t rin = p.numbers[CIndividualRecord::kRin];
  std::vector<int> r;
  for (const CEventValue* e : {&p.birth, &p.christening, &p.death, &p.burial})
    r.push_back(MatchPlace(c, w, e->place));
  for (std::int32_t ue : UserEventsOf(rin, db::kOwnerIndividual)) {
    CUserEventRecord event;
    if (DbGetRecord(ue, db::kUserEvent, &event) != 1) continue;
    std::string parts[4];
    SplitPlaceParts(event.GetPlace(), parts);
    r.push_back(MatchPlace(c, w, parts));
  }
  for (std::int32_t mrin : Marriages(rin)) {
    CMarriageRecord m;
    if (ReadMarriage(mrin, m)) r.push_back(MatchPlace(c, w, m.marriage.place));
  }
  return FirstDecisive(c.op, r);
}

int CFieldFilter::TestParentRelationship(const CFilterCriterion& c, std::int32_t rin) {
  const auto links = RelationList(rin, db::kRelFamilyLinks, db::kRelParents);
  bool any = false;
  for (std::int32_t l : links) {
    CFamilyLinkRecord link;
    if (DbGetRecord(l, db::kFamilyLink, &link) != 1 || link.mrin == 0) continue;
    any = true;
    if (MatchCode(c, link.firstParentRelation)) return 1;
    if (!IsCurrentFormat() &&
        (MatchCode(c, link.secondParentRelation) || MatchCode(c, link.thirdLetter)))
      return 1;
  }
  return !any && c.op == 1 ? 1 : 0;
}

int CFieldFilter::TestMrin(const CFilterCriterion& c, std::int32_t rin) {
  for (std::int32_t mrin : Marriages(rin))
    if (MatchNumber(c, mrin)) return 1;
  for (std::int32_t mrin : RelationList(rin, db::kRelParents, 4))
    if (MatchNumber(c, mrin)) return 1;
  return 0;
}

// The marriage date and place, and the sealing to spouse's date and temple,
// of each marriage.
int CFieldFilter::TestMarriageValues(const CFilterCriterion& c, const CriterionWork& w,
                                     std::int32_t rin) {
  const int id = c.fieldId;
  std::vector<int> r;
  for (std::int32_t mrin : Marriages(rin)) {
    CMarriageRecord m;
    if (!ReadMarriage(mrin, m)) continue;
    if (id == ffield::kMarriageDate) r.push_back(MatchDate(c, &m.marriage.date));
    if (id == ffield::kMarriagePlace) r.push_back(MatchPlace(c, w, m.marriage.place));
    if (id == ffield::kSealSpouseDate) r.push_back(MatchDate(c, &m.sealingToSpouse.date));
    if (id == ffield::kSealSpouseTemple)
      r.push_back(MatchTempleCode(c, w, m.sealingToSpouse.templeCode));
  }
  return FirstDecisive(c.op, r);
}

int CFieldFilter::TestMarriageStatus(const CFilterCriterion& c, std::int32_t rin) {
  const auto& marriages = Marriages(rin);
  if (marriages.empty()) return c.op != 0 ? 1 : 0;
  for (std::int32_t mrin : marriages) {
    CMarriageRecord m;
    if (ReadMarriage(mrin, m) && MatchCode(c, m.status == 0 ? '0' : m.status)) return 1;
  }
  return 0;
}

int CFieldFilter::TestChildCount(const CFilterCriterion& c, std::int32_t rin) {
  int children = 0;
  for (std::int32_t mrin : Marriages(rin))
    children += static_cast<int>(RelationList(mrin, db::kRelChildren, 0).size());
  return MatchCount(c, children);
}

int CFieldFilter::TestAnyOrdinanceDate(const CFilterCriterion& c, const CIndividualRecord& p) {
  std::vector<int> r;
  for (const COrdinanceValue* o : {&p.baptism, &p.endowment, &p.sealingToParents})
    r.push_back(MatchDate(c, &o->date));
  for (std::int32_t mrin : Marriages(p.numbers[CIndividualRecord::kRin])) {
    CMarriageRecord m;
    if (ReadMarriage(mrin, m)) r.push_back(MatchDate(c, &m.sealingToSpouse.date));
  }
  return FirstDecisive(c.op, r);
}

int CFieldFilter::TestAnyTemple(const CFilterCriterion& c, const CriterionWork& w,
                                const CIndividualRecord& p) {
  std::vector<int> r{MatchTempleCode(c, w, p.baptism.templeCode),
                     MatchTempleCode(c, w, p.endowment.templeCode)};
  for (std::int32_t mrin : Marriages(p.numbers[CIndividualRecord::kRin])) {
    CMarriageRecord m;
    if (ReadMarriage(mrin, m)) r.push_back(MatchTempleCode(c, w, m.sealingToSpouse.templeCode));
  }
  r.push_back(MatchTempleCode(c, w, p.sealingToParents.templeCode));
  return FirstDecisive(c.op, r);
}

// Qualified for baptism and endowment, or for the sealing to parents.
int CFieldFilter::TestQualified(const CFilterCriterion& c, const CIndividualRecord& p) {
  const bool baptism = c.fieldId == ffield::kQualifiedBaptism;
  const bool needed = baptism ? NeedsOrdinance(&p.baptism) || NeedsOrdinance(&p.endowment)
                              : NeedsOrdinance(&p.sealingToParents) != 0;
  if (!needed) return 0;
  int reason = 0;
  const std::int16_t status =
      baptism ? GetZelStatusForRecord(p, 0, kZelEndowment, reason)
              : GetZelStatusForRecord(p, p.numbers[CIndividualRecord::kParentsMrin],
                                      kZelSealingToParents, reason);
  return status == kZelNotNeeded ? 0 : MatchYesNo(c, status == kZelQualified);
}

int CFieldFilter::TestQualifiedSealSpouse(const CFilterCriterion& c, const CIndividualRecord& p) {
  const auto& marriages = Marriages(p.numbers[CIndividualRecord::kRin]);
  if (marriages.empty()) return 0;
  for (std::int32_t mrin : marriages) {
    CMarriageRecord m;
    int v = 0;
    if (ReadMarriage(mrin, m) && CDateValue::GetOrdinanceState(&m.sealingToSpouse.date, 'S') ==
                                     CDateValue::kOrdinanceNothing) {
      int reason = 0;
      const std::int16_t status = GetZelStatusForRecord(p, mrin, kZelSealingToSpouse, reason);
      if (status != kZelNotNeeded) v = MatchYesNo(c, status == kZelQualified);
    }
    if (c.op == 0 && v == 1) return 1;
    if (c.op == 1 && v == 0) return 0;
  }
  return c.op == 1 ? 1 : 0;
}

int CFieldFilter::TestCriterion(const CFilterCriterion& c, std::size_t index,
                                const CIndividualRecord& p) {
  const CriterionWork& w = work_[index];
  if (const RecordFieldTest::Fn test = FindRecordFieldTest(c.fieldId)) return test(c, w, p);
  const std::int32_t rin = p.numbers[CIndividualRecord::kRin];
  switch (c.fieldId) {
    case ffield::kAnyDate:
      return TestAnyDate(c, p);
    case ffield::kAnyPlace:
      return TestAnyPlace(c, w, p);
    case ffield::kUserEvents:
      return MatchUserEvent(c, w, rin, db::kOwnerIndividual);
    case ffield::kNotes:
      return MatchOwnerNotes(c, rin, db::kIndividual);
    case ffield::kSources:
      return MatchIndividualSources(c, p);
    case ffield::kMultimedia:
      return MatchYesNo(c, DbGetMultimediaHead(rin, db::kIndividual) > 0);
    case ffield::kParentRelationship:
      return TestParentRelationship(c, rin);
    case ffield::kMrin:
      return TestMrin(c, rin);
    case ffield::kMarriageDate:
    case ffield::kMarriagePlace:
    case ffield::kSealSpouseDate:
    case ffield::kSealSpouseTemple:
      return TestMarriageValues(c, w, rin);
    case ffield::kMarriageStatus:
      return TestMarriageStatus(c, rin);
    case ffield::kMarriageNotes:
      for (std::int32_t mrin : Marriages(rin))
        if (MatchOwnerNotes(c, mrin, db::kMarriage)) return 1;
      return 0;
    case ffield::kMarriageSources:
      return MatchMarriageSources(c, rin);
    case ffield::kMarriageUserEvents:
      for (std::int32_t mrin : Marriages(rin))
        if (MatchUserEvent(c, w, mrin, db::kOwnerMarriage)) return 1;
      return 0;
    case ffield::kMarriageCount:
      return MatchCount(c, static_cast<int>(Marriages(rin).size()));
    case ffield::kChildCount:
      return TestChildCount(c, rin);
    case ffield::kParentCount:
      return MatchCount(c, static_cast<int>(RelationList(rin, db::kRelParents, 4).size()));
    case ffield::kAnyOrdinanceDate:
      return TestAnyOrdinanceDate(c, p);
    case ffield::kAnyTemple:
      return TestAnyTemple(c, w, p);
    case ffield::kQualifiedBaptism:
    case ffield::kQualifiedSealParents:
      return TestQualified(c, p);
    case ffield::kQualifiedSealSpouse:
      return TestQualifiedSealSpouse(c, p);
    default:
      return 0;
  }
}

// ---- sources and user events --------------------------------------------------

int CFieldFilter::MatchCitationField(const CFilterCriterion& c, int subField,
                                     std::int32_t citationRin) {
  CCitationRecord citation;
  if (DbGetRecord(citationRin, db::kCitation, &citation) != 1) return 0;
  CriterionWork w;
  if (c.text1) w.text1 = *c.text1;
  if (c.text2) w.text2 = *c.text2;
  auto text = [&](const std::string& t) { return TextTestOf(c.op, &t, w); };
  if (subField == ffield::kSrcAll) {
    for (int s = ffield::kSrcTitle; s <= 4769; ++s)
      if (s != ffield::kSrcRepository && s != ffield::kCitEntryDate &&
          MatchCitationField(c, s, citationRin))
        return 1;
    return 0;
  }
  switch (subField) {
    case ffield::kCitPage:
      return IsCurrentFormat() ? 0 : text(citation.pageText);
    case ffield::kCitEntryDate:
      return MatchDate(c, &citation.entryDate);
    case ffield::kCitQuality:
      return citation.quality == c.value1 ? 1 : text(citation.actualText);
    case ffield::kCitSecondText:
      return text(citation.detailText);
    case ffield::kCitText:
      return text(citation.actualText);
    case ffield::kCitComments:
      return text(citation.comments);
    default:
      break;
  }
  if (subField > ffield::kCitComments) return 0;
  CSourceRecord source;
  if (citation.sourceRin <= 0 || DbGetRecord(citation.sourceRin, db::kSource, &source) != 1)
    return c.op == 1 || c.op == 3 ? 1 : 0;
  switch (subField) {
    case ffield::kSrcTitle:
      return text(source.title);
    case ffield::kSrcName:
      return text(source.abbreviatedTitle);
    case ffield::kSrcAuthor:
      return text(source.author);
    case ffield::kSrcPublisher:
      return text(source.publication);
    case ffield::kSrcRepository:
      return source.repositoryRin == c.value1 ? 1 : 0;
    case ffield::kSrcCallNumber:
      return text(source.callNumber);
    case ffield::kSrcText:
      return text(source.actualText);
    case ffield::kSrcComments:
      return text(source.comments);
    case ffield::kSrcAdditional:
      return text(source.titleSupplement);
    default:
      return 0;
  }
}

// The negative operators ("Does not match", "Does not contain", "Does not
// exist") hold when no citation of any chain passes the positive test.
int CFieldFilter::MatchChains(const CFilterCriterion& c,
                              const std::vector<std::vector<std::int32_t>>& chains) {
  const int op = c.op;
  if (op == 4 || op == 5) {
    bool exists = false;
    for (const auto& chain : chains) exists = exists || !chain.empty();
    return exists == (op == 4) ? 1 : 0;
  }
  CFilterCriterion positive(c);
  if (op == 1 || op == 3) positive.op = static_cast<std::uint16_t>(op - 1);
  bool passed = false;
  for (const auto& chain : chains) {
    for (std::int32_t citation : chain) {
      if (MatchCitationField(positive, c.subField, citation)) {
        passed = true;
        break;
      }
    }
    if (passed) break;
  }
  return (op == 1 || op == 3) ? (passed ? 0 : 1) : (passed ? 1 : 0);
}

int CFieldFilter::MatchIndividualSources(const CFilterCriterion& c, const CIndividualRecord& p) {
  const std::int32_t rin = p.numbers[CIndividualRecord::kRin];
  std::vector<std::vector<std::int32_t>> chains;
  for (char owner :
       {db::kOwnerIndividual, db::kOwnerBirth, db::kOwnerChristening, db::kOwnerDeath,
        db::kOwnerBurial, db::kOwnerBaptism, db::kOwnerEndowment, db::kOwnerSealingToParents})
    chains.push_back(Chain(rin, owner));
  return MatchChains(c, chains);
}

int CFieldFilter::MatchMarriageSources(const CFilterCriterion& c, std::int32_t rin) {
  // "any": a marriage whose chains pass gives 1.
  for (std::int32_t mrin : Marriages(rin)) {
    std::vector<std::vector<std::int32_t>> chains;
    for (char owner : {db::kOwnerMarriage, db::kOwnerMarriageEvent, db::kOwnerSealingToSpouse})
      chains.push_back(Chain(mrin, owner));
    if (MatchChains(c, chains)) return 1;
  }
  return 0;
}

int CFieldFilter::MatchUserEvent(const CFilterCriterion& c, const CriterionWork& w,
                                 std::int32_t owner, char ownerKind) {
  const int subField = c.kind == fkind::kPlace ? c.value1 : c.subField;
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, owner, ownerKind);
  for (std::int32_t n : events) {
    CUserEventRecord event;
    if (DbGetRecord(n, db::kUserEvent, &event) != 1) continue;
    int r = 0;
    switch (subField) {
      case ffield::kUeDate:
        r = MatchDate(c, event.GetDate());
        break;
      case ffield::kUePlace: {
        std::string parts[4];
        SplitPlaceParts(event.GetPlace(), parts);
        r = MatchPlace(c, w, parts);
        break;
      }
      case ffield::kUeDescription:
        r = TextTestOf(c.op, &event.description, w);
        break;
      case ffield::kUeConfidential:
        r = MatchYesNo(c, event.yesNo == 'Y');
        break;
      case ffield::kUeSource:
        r = MatchYesNo(c, event.GetFirstCitation() != 0);
        break;
      case ffield::kUeType:
        r = (event.eventTypeNumber == c.value1) == (c.op == 0) ? 1 : 0;
        break;
      default:
        break;
    }
    if (r) return 1;
  }
  return c.op == 5 ? 1 : 0;
}

// ---- the pass -------------------------------------------------------------------

int CFieldFilter::RunPass(CFilterSet& set, int* individualsRead) {
  const std::int32_t highest = DbGetRIN(DbGetMaxRecordCount(db::kIndividual), db::kQueryIndividuals,
                                        db::kWalkPreviousOrSame);
  set.fieldFilterPresent = 1;
  for (int s : {CFilterSet::kFieldSet, CFilterSet::kCombinedSet}) {
    const int capacity = set.HasSet(s) ? set.GetMaxIndex(s) : highest;
    set.DeleteSet(s);
    set.CreateSet(s, std::max<std::int32_t>(capacity, highest));
  }
  CFieldFilter::Expression list;
  for (const auto& c : set.criteria) list.push_back(c.get());
  CFieldFilter filter(list);
  std::int32_t first = 1, last = highest;
  filter.PassRange(highest, first, last);

  plat::ProgressPort& progress = plat::Progress();
  progress.Begin(res::LoadString(res::kIdsAppName), std::max(1, last - first + 1));
  progress.SetText(res::LoadString(res::kIdsFiltering));
  if (individualsRead) *individualsRead = 0;
  const int level = filter.NeedsDetails() || filter.needsOrdinances_ ? 7 : 6;
  int count = 0;
  bool cancelled = false;
  CIndividualRecord record;
  for (std::int32_t rin = DbGetRIN(first > 0 ? first - 1 : 0, db::kQueryIndividuals, db::kWalkNext);
       rin > 0; rin = DbGetRIN(rin, db::kQueryIndividuals, db::kWalkNext)) {
    if (DbGetIndividualRecord(rin, record, level) != 1) continue;
    if (individualsRead) ++*individualsRead;
    if (rin > last) break;
    set.SetInSet(CFilterSet::kFieldSet, rin, filter.Evaluate(record));
    if (++count % kPassStep == 0) {
      progress.SetPosition(rin - first);
      if (!plat::PumpWaitingMessages() || progress.CancelRequested()) {
        cancelled = true;
        break;
      }
    }
  }
  progress.End();
  // Individuals outside a narrowed range keep their relationship mark in
  // the combination (with OR or NOT they belong to it).
  if (set.HasSet(CFilterSet::kRelationSet)) set.RecomputeCombined();
  return cancelled ? kPassCancelled : kPassDone;
}
