#include "KeyEventDate.h"

#include "CodePage.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

bool HasYear(const CEventValue& event) { return event.date.year != 0; }

char Use(const CEventValue& event, unsigned labelString, char letter, std::string& text,
         std::string* place) {
  const std::string label = plat::AnsiLower(res::LoadString(labelString));
  if (event.date.year != 0)
    text = label + "." + std::to_string(event.date.year);
  else
    text = label + "." + event.date.Format();  // a death known only by its status word
  if (place != nullptr) *place = event.FormatPlace(", ");
  return letter;
}

}  // namespace

char GetKeyEventDateOf(const CIndividualRecord& individual,
                       std::span<const CMarriageRecord* const> marriages, std::string& text,
                       std::string* place, bool withMarriage) {
  if (HasYear(individual.birth))
    return Use(individual.birth, res::kIdsBirthLetter, 'b', text, place);
  if (HasYear(individual.christening))
    return Use(individual.christening, res::kIdsChristeningLetter, 'c', text, place);
  if (withMarriage) {
    for (const CMarriageRecord* marriage : marriages)
      if (marriage != nullptr && HasYear(marriage->marriage))
        return Use(marriage->marriage, res::kIdsMarriageLetter, 'm', text, place);
  }
  if (HasYear(individual.death) || individual.death.date.IsStatus())
    return Use(individual.death, res::kIdsDeathLetter, 'd', text, place);
  if (HasYear(individual.burial))
    return Use(individual.burial, res::kIdsBurialLetter, 'u', text, place);
  text.clear();
  if (place != nullptr) place->clear();
  return 0;
}
