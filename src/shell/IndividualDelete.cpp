#include "IndividualDelete.h"

#include <algorithm>

#include "DbCalls.h"
#include "DbCodes.h"
#include "DbWholeChange.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {
std::string DeleteIndividualQuestion(const std::string& name, bool isChild, int marriages) {
  std::string text = name + "\n\n" + res::LoadString(res::kIdsWillBeRemoved);
  if (isChild) text += "\n" + res::LoadString(res::kIdsLinkedAsChild);
  if (marriages > 0) {
    std::string line = res::LoadString(res::kIdsLinkedToMarriages);
    const std::size_t at = line.find("%d");
    if (at != std::string::npos) line.replace(at, 2, std::to_string(marriages));
    text += "\n" + line;
  }
  return text;
}

std::vector<std::int32_t> DeleteIndividualRecord(std::int32_t rin) {
  std::vector<std::int32_t> marriages;
  if (rin <= 0) return marriages;
  for (int relation : {db::kRelParents, db::kRelMarriages}) {
    for (std::int32_t mrin : DbGetRelationChain(rin, relation))
      if (mrin > 0 && std::find(marriages.begin(), marriages.end(), mrin) == marriages.end())
        marriages.push_back(mrin);
  }
  // The record is deleted only once nothing links to it, and both reach the
  // file as one change: after a kill or a failed write (told by the engine)
  // the individual stays whole and linked, or is gone.
  DbWholeChange change;
  if (DbUnlinkRIN(rin, db::kIndividual) != 0) (void)DbDeleteRecord(rin, db::kIndividual);
  (void)change.End();  // a failure is told by the engine; the lists read the file again
  return marriages;
}

std::int32_t PedigreeRootAfterDelete(std::int32_t deleted, std::int32_t root) {
  if (root > 0 && root != deleted && DbIsRecordDeleted(db::kIndividual, root) != 1) return root;
  if (const std::int32_t next = DbGetRIN(deleted, db::kQueryIndividuals, db::kWalkNext); next > 0)
    return next;
  return DbGetRIN(deleted, db::kQueryIndividuals, db::kWalkPrevious);
}

}  // namespace shell
