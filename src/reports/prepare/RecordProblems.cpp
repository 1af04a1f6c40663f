#include "RecordProblems.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>

#include "AlphaNameRecord.h"
#include "Clock.h"
#include "DateValue.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "ListPagination.h"
#include "MarriageRecord.h"
#include "PaginationRun.h"
#include "PaginatorState.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempleTable.h"
#include "UserEventRecord.h"

namespace rpt {

namespace {

// Messages of the rules, in table order (rule n at index n - 1).
constexpr unsigned kRuleText[42] = {
    res::kIdsBirthAfterChristening,
    res::kIdsBirthAfterDeath,
    res::kIdsBirthAfterBurial,
    res::kIdsBirthAfterBaptism,
    res::kIdsBirthAfterEndowment,
    res::kIdsBirthAfterSealingToParents,
    res::kIdsChristeningAfterDeath,
    res::kIdsChristeningAfterBurial,
    res::kIdsChristeningAfterBaptism,
    res::kIdsChristeningAfterEndowment,
    res::kIdsChristeningAfterSealingToParents,
    res::kIdsDeathAfterBurial,
    res::kIdsBaptismAfterEndowment,
    res::kIdsBaptismBefore1830,
    res::kIdsEndowmentBefore1842,
    res::kIdsSealingToParentsBefore1842,
    res::kIdsBaptismAfterToday,
    res::kIdsEndowmentAfterToday,
    res::kIdsSealingToParentsAfterToday,
    res::kIdsBirthAfterMarriageIn,
    res::kIdsMarriageAfterSealingToSpouseIn,
    res::kIdsSealingToSpouseBefore1842In,
    res::kIdsSealingToSpouseAfterTodayIn,
    res::kIdsMarriagesOutOfOrder,
    res::kIdsChildrenOutOfOrderIn,
    res::kIdsParentAgeOutsideRangeIn,
    res::kIdsSpouseAgeGapOverIn,
    res::kIdsTempleClosedOnEndowment,
    res::kIdsTempleClosedOnSealingToParents,
    res::kIdsTempleClosedOnSealingToSpouse,
    res::kIdsEventOverYearBeforeBirth,
    res::kIdsEventOverTenYearsAfterDeath,
    res::kIdsToDateBeforeFromDate,
    res::kIdsEventOverTenYearsBeforeMarriage,
    res::kIdsMarriageEventOverTenYearsAfterDeath,
    res::kIdsBaptismBeforeAgeEight,
    res::kIdsEndowmentBeforeAgeEight,
    res::kIdsSurnameSameAsSpouse,
    res::kIdsBirthBeforeParentsMarriage,
    res::kIdsMarriedUnderTwelve,
    res::kIdsChristeningOverTenYearsAfterBirth,
    res::kIdsChildrenBornAfterDeathIn,
};

bool HasMrinList(int rule) {
  return (rule >= 20 && rule <= 23) || (rule >= 25 && rule <= 27) || rule == 30 || rule == 42;
}

// A set date; with dateOnly also not a status code.
bool Counts(const CDateValue& date, bool dateOnly) {
  return date.IsSet() && (!dateOnly || date.month < CDateValue::kFirstStatus);
}

CDateValue PlusYears(const CDateValue& date, int years) {
  CDateValue out = date;
  out.year = static_cast<std::uint16_t>(date.year + years);
  return out;
}

bool Later(const CDateValue& a, const CDateValue& b) { return CompareProblemDates(a, b) == 1; }
bool Earlier(const CDateValue& a, const CDateValue& b) { return CompareProblemDates(a, b) == -1; }
bool NotLater(const CDateValue& a, const CDateValue& b) {
  const int c = CompareProblemDates(a, b);
  return c == 0 || c == -1;
}
bool Full(const CDateValue& d) {
  return d.year != 0 && d.month != 0 && d.day != 0 && !d.IsStatus();
}

class Rules {
 public:
  void Raise(int rule) { raised_[static_cast<std::size_t>(rule - 1)] = true; }
  void Raise(int rule, std::int32_t mrin) {
    Raise(rule);
    CRecordProblemChecker::AddMrin(mrins_[static_cast<std::size_t>(rule - 1)], mrin);
  }
  bool IsRaised(int rule) const { return raised_[static_cast<std::size_t>(rule - 1)]; }
  const std::string& Mrins(int rule) const { return mrins_[static_cast<std::size_t>(rule - 1)]; }

 private:
  std::array<bool, 42> raised_{};
  std::array<std::string, 42> mrins_;
};

struct EventDates {
  CDateValue first, second;
};

std::vector<EventDates> UserEvents(std::int32_t owner, char ownerKind) {
  std::vector<std::int32_t> numbers;
  DbGetRinList(numbers, db::kUserEvent, owner, ownerKind);
  std::vector<EventDates> out;
  for (const std::int32_t n : numbers) {
    CUserEventRecord event;
    if (n <= 0 || family::Read(event, n) != 1) {
      plat::MessageBox(res::LoadString(res::kIdsEventUnreadable), "Error",
                       plat::kMbOk | plat::kMbIconExclamation);
      continue;
    }
    EventDates dates;
    if (event.GetDate() != nullptr) dates.first = *event.GetDate();
    dates.second = *event.GetSecondDate();
    out.push_back(dates);
  }
  return out;
}

// Rule 33 and the two "either date" rules of an event.
bool EitherDate(const EventDates& e, const std::function<bool(const CDateValue&)>& test) {
  return (Counts(e.first, true) && test(e.first)) || (Counts(e.second, true) && test(e.second));
}

// Rules 1-19, 28, 29, 36, 37 and 41: the individual's own dates in order.
void CheckOwnDates(const CIndividualRecord& person, bool zel, const CDateValue& today, Rules& r) {
  const CDateValue& birth = person.birth.date;
  const CDateValue& chr = person.christening.date;
  const CDateValue& death = person.death.date;
  const CDateValue& burial = person.burial.date;
  const CDateValue& baptism = person.baptism.date;
  const CDateValue& endowment = person.endowment.date;
  const CDateValue& sealing = person.sealingToParents.date;
  const bool hasBirth = Counts(birth, false), hasChr = Counts(chr, false);
  const bool hasDeath = Counts(death, true), hasBurial = Counts(burial, false);
  const bool hasBaptism = Counts(baptism, true), hasEndowment = Counts(endowment, true);
  const bool hasSealing = Counts(sealing, true);
  if (hasBirth) {
    if (hasChr && Later(birth, chr)) r.Raise(1);
    if (hasDeath && Later(birth, death)) r.Raise(2);
    if (hasBurial && Later(birth, burial)) r.Raise(3);
    if (zel) {
      if (hasBaptism && Later(birth, baptism)) r.Raise(4);
      if (hasEndowment && Later(birth, endowment)) r.Raise(5);
      if (hasSealing && Later(birth, sealing)) r.Raise(6);
      if (hasBaptism && Later(PlusYears(birth, 8), baptism)) r.Raise(36);
      if (hasEndowment && Later(PlusYears(birth, 8), endowment)) r.Raise(37);
    }
    if (hasChr && NotLater(PlusYears(birth, 10), chr)) r.Raise(41);
  }
  if (hasChr) {
    if (hasDeath && Later(chr, death)) r.Raise(7);
    if (hasBurial && Later(chr, burial)) r.Raise(8);
    if (zel) {
      if (hasBaptism && Later(chr, baptism)) r.Raise(9);
      if (hasEndowment && Later(chr, endowment)) r.Raise(10);
      if (hasSealing && Later(chr, sealing)) r.Raise(11);
    }
  }
  if (hasDeath && hasBurial && Later(death, burial)) r.Raise(12);
  if (!zel) return;
  if (hasBaptism && hasEndowment && Later(baptism, endowment)) r.Raise(13);
  if (hasBaptism) {
    CDateValue first;
    first.year = 1830;
    first.month = 4;
    first.day = 6;
    if (Earlier(baptism, first)) r.Raise(14);
    if (Later(baptism, today)) r.Raise(17);
  }
  if (hasEndowment) {
    if (endowment.year < 1842) r.Raise(15);
    if (Later(endowment, today)) r.Raise(18);
    if (WasTempleOpen(endowment, person.endowment.templeCode) == 0) r.Raise(28);
  }
  if (hasSealing) {
    if (sealing.year < 1842) r.Raise(16);
    if (Later(sealing, today)) r.Raise(19);
    if (WasTempleOpen(sealing, person.sealingToParents.templeCode) == 0) r.Raise(29);
  }
}

// Rules 31-33: the individual's own events against birth and death and
// against their own second dates.
void CheckOwnEvents(std::int32_t rin, const CIndividualRecord& person, Rules& r) {
  const CDateValue& birth = person.birth.date;
  const CDateValue& death = person.death.date;
  const bool hasBirth = Counts(birth, false), hasDeath = Counts(death, true);
  for (const EventDates& e : UserEvents(rin, db::kOwnerIndividual)) {
    if (hasBirth &&
        EitherDate(e, [&](const CDateValue& d) { return NotLater(d, PlusYears(birth, -1)); }))
      r.Raise(31);
    if (hasDeath &&
        EitherDate(e, [&](const CDateValue& d) { return Later(d, PlusYears(death, 10)); }))
      r.Raise(32);
    if (Counts(e.first, true) && Counts(e.second, true) && Later(e.first, e.second)) r.Raise(33);
  }
}

// Rule 39: born before a parents' marriage.
void CheckParentFamilies(std::int32_t rin, const CDateValue& birth, Rules& r) {
  std::vector<std::int32_t> parents;
  DbGetRelationList(parents, db::kRelParents, 4, rin, 0);
  for (const std::int32_t mrin : parents) {
    CMarriageRecord family;
    if (mrin <= 0 || family::Read(family, mrin) != 1) continue;
    if (Counts(family.marriage.date, true) && birth.IsSet() && Earlier(birth, family.marriage.date))
      r.Raise(39);
  }
}

// What the rules of one marriage read beside the individual.
struct MarriageCheck {
  const CIndividualRecord& person;
  const RecordProblemOptions& options;
  const CDateValue& today;
  std::int32_t mrin;
  const CMarriageRecord& marriage;
};

// Rules 20-24, 30 and 40: the marriage's date and its sealing to spouse.
// previousMarriage is the last full marriage date before this one.
void CheckMarriageDates(const MarriageCheck& m, CDateValue& previousMarriage, Rules& r) {
  const CDateValue& birth = m.person.birth.date;
  const CDateValue& married = m.marriage.marriage.date;
  const CDateValue& sealed = m.marriage.sealingToSpouse.date;
  const bool zel = m.options.checkZel != 0;
  const bool sealedCounts = Counts(sealed, true);
  if (Counts(married, true)) {
    if (birth.IsSet()) {
      if (Later(birth, married))
        r.Raise(20, m.mrin);
      else if (Earlier(married, PlusYears(birth, 12)))
        r.Raise(40);
    }
    if (zel && sealedCounts && Later(married, sealed)) r.Raise(21, m.mrin);
    if (m.options.checkOrder != 0 && !r.IsRaised(24) && previousMarriage.IsSet() &&
        Later(previousMarriage, married))
      r.Raise(24);
    if (Full(married)) previousMarriage = married;
  }
  if (zel && sealedCounts) {
    if (sealed.year < 1842) r.Raise(22, m.mrin);
    if (Later(sealed, m.today)) r.Raise(23, m.mrin);
    if (WasTempleOpen(sealed, m.marriage.sealingToSpouse.templeCode) == 0) r.Raise(30, m.mrin);
  }
}

// Rules 27, 38 and the marriage's events (33-35), with the spouse when the
// spouse can be read.
void CheckSpouseAndEvents(const MarriageCheck& m, Rules& r) {
  const CIndividualRecord& person = m.person;
  const CDateValue& birth = person.birth.date;
  const CDateValue& death = person.death.date;
  const std::int32_t spouseRin = person.sex == 'M' ? m.marriage.wife : m.marriage.husband;
  CIndividualRecord spouse;
  const bool haveSpouse = spouseRin > 0 && family::Read(spouse, spouseRin) == 1;
  if (haveSpouse) {
    if (!person.surname.empty() && person.surname == spouse.surname) r.Raise(38);
    if (birth.IsSet() && spouse.birth.date.IsSet() &&
        CompareProblemDates(birth, spouse.birth.date) != -2) {
      // Raised when the later birth is after the earlier one plus the span.
      const bool spouseLater = CompareProblemDates(spouse.birth.date, birth) == 1;
      const CDateValue& early = spouseLater ? birth : spouse.birth.date;
      const CDateValue& late = spouseLater ? spouse.birth.date : birth;
      if (Later(late, PlusYears(early, m.options.span))) r.Raise(27, m.mrin);
    }
  }
  const auto marriageEvents = UserEvents(m.mrin, db::kOwnerMarriage);
  if (!haveSpouse && marriageEvents.empty()) return;
  const CDateValue& married = m.marriage.marriage.date;
  const CDateValue& referenceDeath =
      death.IsSet() ? death : (haveSpouse ? spouse.death.date : death);
  for (const EventDates& e : marriageEvents) {
    if (married.IsSet() &&
        EitherDate(e, [&](const CDateValue& d) { return NotLater(d, PlusYears(married, -10)); }))
      r.Raise(34);
    if (referenceDeath.IsSet() &&
        EitherDate(e, [&](const CDateValue& d) { return Later(d, PlusYears(referenceDeath, 10)); }))
      r.Raise(35);
    if (Counts(e.first, true) && Counts(e.second, true) && Later(e.first, e.second)) r.Raise(33);
  }
}

// Rules 25, 26 and 42: the children of the marriage in the order the family
// file keeps them; lowest and highest are the parent's ages at a birth.
void CheckChildren(const MarriageCheck& m, int lowest, int highest, Rules& r) {
  const CDateValue& birth = m.person.birth.date;
  const CDateValue& death = m.person.death.date;
  const bool hasDeath = Counts(death, true);
  std::vector<std::int32_t> children;
  DbGetRelationList(children, db::kRelChildren, 0, m.mrin, 0);
  CDateValue previousChild;
  for (const std::int32_t childRin : children) {
    CIndividualRecord child;
    if (childRin <= 0 || family::Read(child, childRin) != 1) continue;
    const CDateValue& born = child.birth.date;
    if (!born.IsSet()) continue;
    if (m.options.checkOrder != 0 && !r.IsRaised(25) && previousChild.IsSet() &&
        Later(previousChild, born))
      r.Raise(25, m.mrin);
    if (Full(born)) previousChild = born;
    if (!r.IsRaised(26) && birth.IsSet() && CompareProblemDates(born, birth) != -2 &&
        (Earlier(born, PlusYears(birth, lowest)) || Later(born, PlusYears(birth, highest + 1))))
      r.Raise(26, m.mrin);
    if (!r.IsRaised(42) && hasDeath && Later(born, death)) r.Raise(42, m.mrin);
  }
}

}  // namespace

RecordProblemOptions StoredRecordProblemOptions() {
  RecordProblemOptions o;
  auto get = [](const char* key, int def) { return plat::Profile().GetInt("PrRpt", key, def); };
  o.motherLowest = get("MoLowest", o.motherLowest);
  o.motherHighest = get("MoHighest", o.motherHighest);
  o.fatherLowest = get("FaLowest", o.fatherLowest);
  o.fatherHighest = get("FaHighest", o.fatherHighest);
  o.span = get("HWSpan", o.span);
  o.sortByName = get("Sort", o.sortByName);
  o.checkZel = get("CheckZEL", o.checkZel);
  o.checkOrder = get("CheckMCOrder", o.checkOrder);
  return o;
}

int CompareProblemDates(const CDateValue& a, const CDateValue& b) {
  if (a.year == 0 || b.year == 0) return -2;
  if ((a.month != 0) != (b.month != 0) && a.year == b.year) return -2;
  if ((a.day != 0) != (b.day != 0) && a.month == b.month) return -2;
  if (a.year != b.year) return a.year > b.year ? 1 : -1;
  if (a.month != b.month) return a.month > b.month ? 1 : -1;
  if (a.day != b.day) return a.day > b.day ? 1 : -1;
  return 0;
}

int WasTempleOpen(const CDateValue& date, const std::string& templeCode) {
  const CTempleEntry* temple = TempleTable().Lookup(templeCode);
  if (temple == nullptr) return 1;
  return temple->WasOpenOn(date) ? 1 : 0;
}

void CRecordProblemChecker::AddMrin(std::string& list, std::int32_t mrin) {
  if (list.find('.') != std::string::npos) return;
  char item[24];
  std::snprintf(item, sizeof item, list.empty() ? "%ld" : ", %ld", static_cast<long>(mrin));
  if (list.size() + std::string(item).size() + 3 >= kMrinListSize)
    list += "...";
  else
    list += item;
}

int CRecordProblemChecker::Check(std::int32_t rin, const RecordProblemOptions& options,
                                 std::vector<std::string>* lines, const CIndividualRecord* given,
                                 int firstLine) {
  CIndividualRecord own;
  if (given == nullptr) {
    if (family::Read(own, rin) != 1) return 0;
    given = &own;
  }
  const CIndividualRecord& person = *given;
  CDateValue today;
  today.SetFromTime(plat::Now());
  Rules r;
  CheckOwnDates(person, options.checkZel != 0, today, r);
  CheckOwnEvents(rin, person, r);
  CheckParentFamilies(rin, person.birth.date, r);

  std::vector<std::int32_t> marriages;
  DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
  CDateValue previousMarriage;
  const bool male = person.sex == 'M';
  const int lowest = male ? options.fatherLowest : options.motherLowest;
  const int highest = male ? options.fatherHighest : options.motherHighest;
  for (const std::int32_t mrin : marriages) {
    CMarriageRecord marriage;
    if (mrin <= 0 || family::Read(marriage, mrin) != 1) continue;
    const MarriageCheck check{person, options, today, mrin, marriage};
    CheckMarriageDates(check, previousMarriage, r);
    CheckSpouseAndEvents(check, r);
    CheckChildren(check, lowest, highest, r);
  }

  // The raised rules in rule order, each with its list of marriages.
  int count = 0;
  auto emit = [&](const std::string& text) {
    ++count;
    if (lines != nullptr && (firstLine <= 0 || count >= firstLine))
      lines->push_back(text.substr(0, kMaxLineChars));
  };
  for (int rule = 1; rule <= 42; ++rule) {
    if (!r.IsRaised(rule)) continue;
    std::string text = res::LoadString(kRuleText[rule - 1]);
    char buffer[200];
    if (rule == 26) {
      std::snprintf(buffer, sizeof buffer, text.c_str(), lowest, highest);
      text = buffer;
    } else if (rule == 27) {
      std::snprintf(buffer, sizeof buffer, text.c_str(), options.span);
      text = buffer;
    }
    emit(text);
    if (HasMrinList(rule)) emit(res::LoadString(res::kIdsMrin) + ": " + r.Mrins(rule));
  }
  return count;
}

// ---------------------------------------------------------------- the pass

namespace {

struct ProblemPageEntry : PageEntry {
  std::int32_t entry = 0;
  std::int32_t line = 1;
};

}  // namespace

int PaginateRecordProblems(std::int32_t first, std::int32_t last,
                           const RecordProblemOptions& options, int lines) {
  PaginatorState& state = Paginator();
  state.linesPerPage = lines;
  if (lines <= 0) return 0;
  const std::string caption = res::LoadString(res::kIdsRecordProblemsTitle).substr(0, 30);
  const std::int32_t highest = DbGetMaxRecordCount(db::kIndividual);
  struct Walk {
    std::int32_t position = 0;
    std::int64_t linesSoFar = 0;
    std::uint32_t written = 0;
  };
  auto walk = std::make_shared<Walk>();
  walk->position = first;
  if (options.sortByName == 0 && first > 0 &&
      DbGetRIN(first, db::kQueryIndividuals, db::kWalkExact) == 0)
    walk->position = DbGetRIN(first, db::kQueryIndividuals, db::kWalkNext);
  PaginationPass pass;
  pass.title = caption;
  pass.fileErrorName = caption;
  const std::int64_t span = std::int64_t{last} - first + 1;
  pass.neededBytes =
      static_cast<std::uint64_t>(std::max<std::int64_t>(0, std::min<std::int64_t>(highest, span))) *
      4;
  pass.files = {{&state.workFile, "~KorDUPLS.TMP"}};
  pass.cleanup = [] { CleanupListPages(); };
  pass.batch = [=, &state]() -> BatchResult {
    if (walk->position <= 0 || walk->position > last) {
      state.recordCounter = walk->written;
      return BatchResult::Done;
    }
    std::int32_t rin = walk->position;
    if (options.sortByName != 0) {
      CAlphaNameRecord entry;
      rin = DbGetRecord(walk->position, db::kAlphaName, &entry) == 1 ? entry.rin : 0;
      if (rin == 0) {
        state.recordCounter = walk->written;
        return BatchResult::Done;
      }
    }
    const int n = CRecordProblemChecker::Check(rin, options, nullptr, nullptr, 0);
    if (n > 0) {
      std::array<std::uint8_t, 8> bytes{};
      PutInt32LE(bytes, 0, rin);
      PutInt32LE(bytes, 4, n);
      if (!state.workFile.WriteRecord(walk->written, bytes)) return BatchResult::DiskFull;
      // A page entry at every page boundary within the individual's lines.
      for (int i = 0; i < n; ++i) {
        if ((walk->linesSoFar + i) % lines != 0) continue;
        auto entry = std::make_unique<ProblemPageEntry>();
        entry->page = static_cast<std::int32_t>(state.pageEntries.size()) + 1;
        entry->key = entry->page;
        entry->entry = static_cast<std::int32_t>(walk->written);
        entry->line = i + 1;
        state.pageEntries.push_back(std::move(entry));
        CurrentPaginatorWindow().SetNumber(static_cast<int>(state.pageEntries.size()));
      }
      walk->linesSoFar += n;
      ++walk->written;
      state.recordCounter = walk->written;
    }
    walk->position = options.sortByName != 0
                         ? walk->position + 1
                         : DbGetRIN(walk->position, db::kQueryIndividuals, db::kWalkNext);
    return BatchResult::More;
  };
  pass.pageCount = [&state] { return static_cast<int>(state.pageEntries.size()); };
  return RunPagination(state, CurrentPaginatorWindow(), pass);
}

bool GetProblemPage(int page, ProblemPageStart& out) {
  if (page < 1) return false;
  const auto* entry = dynamic_cast<const ProblemPageEntry*>(
      GetPageEntry(Paginator(), static_cast<std::size_t>(page - 1)));
  if (entry == nullptr) return false;
  out.entry = entry->entry;
  out.line = entry->line;
  return true;
}

bool ReadProblemEntry(std::int64_t n, std::int32_t& rin, std::int32_t& lineCount) {
  PaginatorState& state = Paginator();
  if (n < 0 || n >= static_cast<std::int64_t>(state.recordCounter) || !state.workFile.IsOpen())
    return false;
  std::array<std::uint8_t, 8> bytes{};
  if (!state.workFile.ReadRecord(static_cast<std::uint64_t>(n), bytes)) return false;
  rin = GetInt32LE(bytes, 0);
  lineCount = GetInt32LE(bytes, 4);
  return true;
}

}  // namespace rpt
