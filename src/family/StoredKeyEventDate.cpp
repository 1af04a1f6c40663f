#include "StoredKeyEventDate.h"

#include <memory>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "KeyEventDate.h"
#include "MarriageRecord.h"

namespace {

// The level that reads the events with their places and counts the
// individual's marriages.
constexpr int kKeyEventLevel = 10;

}  // namespace

char GetKeyEventDate(long rin, std::string& text, std::string* place, bool withMarriage) {
  CIndividualRecord& person = ScratchIndividualRecord;
  if (rin <= 0 || person.numbers[CIndividualRecord::kRin] != rin) {
    if (rin <= 0 ||
        DbGetIndividualRecord(static_cast<std::int32_t>(rin), person, kKeyEventLevel) != 1) {
      // Whatever the failed read left must not pass for this individual later.
      person.numbers[CIndividualRecord::kRin] = 0;
      text.clear();
      if (place) place->clear();
      return 0;
    }
  }

  // The marriages count only when neither birth nor christening gives a year.
  std::vector<std::unique_ptr<CMarriageRecord>> marriages;
  const bool marriageMayCount = withMarriage && person.marriageCount != 0 &&
                                person.birth.date.year == 0 && person.christening.date.year == 0;
  if (marriageMayCount) {
    std::vector<std::int32_t> list;
    DbGetRelationList(list, db::kRelSpouses, 0, static_cast<std::int32_t>(rin), 0);
    for (std::int32_t mrin : list) {
      auto marriage = std::make_unique<CMarriageRecord>();
      if (DbGetRecord(mrin, CMarriageRecord::kRecordType, marriage.get(), 0, db::kWalkExact) == 1)
        marriages.push_back(std::move(marriage));
    }
  }
  std::vector<const CMarriageRecord*> pointers;
  pointers.reserve(marriages.size());
  for (const auto& m : marriages) pointers.push_back(m.get());
  return GetKeyEventDateOf(person, pointers, text, place, withMarriage);
}
