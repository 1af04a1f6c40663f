#include "IndividualDelete.h"

#include <algorithm>

#include "DbCalls.h"
#include "DbCodes.h"
#include "StringTable.h"

namespace shell {
namespace {
constexpr unsigned kWillBeRemoved = 7049;
constexpr unsigned kLinkedAsChild = 7050;
constexpr unsigned kLinkedToMarriages = 7051;  // "%d"
}  // namespace

std::string DeleteIndividualQuestion(const std::string& name, bool isChild, int marriages) {
  std::string text = name + "\n\n" + res::LoadString(kWillBeRemoved);
  if (isChild) text += "\n" + res::LoadString(kLinkedAsChild);
  if (marriages > 0) {
    std::string line = res::LoadString(kLinkedToMarriages);
    const std::size_t at = line.find("%d");
    if (at != std::string::npos) line.replace(at, 2, std::to_string(marriages));
    text += "\n" + line;
  }
  return text;
}

std::vector<std::int32_t> DeleteIndividualRecord(std::int32_t rin) {
  std::vector<std::int32_t> marriages, list;
  if (rin <= 0) return marriages;
  // The relation lists come padded with zeros; only the marriages count.
  for (int relation : {db::kRelParents, db::kRelMarriages}) {
    list.clear();
    DbGetRelation(rin, relation, 0x7FFF, list);
    for (std::int32_t mrin : list)
      if (mrin > 0 && std::find(marriages.begin(), marriages.end(), mrin) == marriages.end())
        marriages.push_back(mrin);
  }
  // The record is deleted only once nothing links to it: after a failed
  // write (told by the engine) the individual stays, whole or unlinked.
  if (DbUnlinkRIN(rin, db::kIndividual) != 0) (void)DbDeleteRecord(rin, db::kIndividual);
  return marriages;
}

std::int32_t PedigreeRootAfterDelete(std::int32_t deleted, std::int32_t root) {
  if (root > 0 && root != deleted && DbIsRecordDeleted(db::kIndividual, root) != 1) return root;
  if (const std::int32_t next = DbGetRIN(deleted, db::kQueryIndividuals, db::kWalkNext); next > 0)
    return next;
  return DbGetRIN(deleted, db::kQueryIndividuals, db::kWalkPrevious);
}

}  // namespace shell
