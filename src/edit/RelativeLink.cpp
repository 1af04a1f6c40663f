#include "RelativeLink.h"

#include <algorithm>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

std::string NameOf(std::int32_t rin) {
  CIndividualRecord record;
  if (DbGetRecord(rin, db::kIndividual, &record) != 1) return std::string();
  CIndividualNode node(record, 0, 0, 0, nullptr);
  return node.FormatName(0, CIndividualNode::kMaxNameChars, 0, nullptr);
}

bool Contains(const std::vector<std::int32_t>& list, std::int32_t rin) {
  return std::find(list.begin(), list.end(), rin) != list.end();
}

// Husband and wife of a marriage (0 for a missing one).
void Spouses(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) {
  husband = wife = 0;
  std::vector<std::int32_t> spouses;
  if (mrin <= 0 || DbGetRelation(mrin, db::kRelSpouses, 2, spouses) <= 0) return;
  if (!spouses.empty()) husband = spouses[0];
  if (spouses.size() > 1) wife = spouses[1];
}

}  // namespace

int CheckRelativeLink(std::int32_t rin, std::int32_t chosen, char requiredSex, bool& answered) {
  if (requiredSex != 0) {
    if (requiredSex != 'M' && requiredSex != 'F') return res::kIdsMustBeMaleOrFemale;
    if (DbGetSex(chosen) != requiredSex)
      return requiredSex == 'M' ? res::kIdsMustBeMale : res::kIdsMustBeFemale;
  }
  if (rin == 0) return 0;
  if (chosen == rin) return res::kIdsLinkedToItself;

  std::vector<std::int32_t> marriages;
  DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
  for (const std::int32_t mrin : marriages) {
    std::int32_t husband = 0, wife = 0;
    Spouses(mrin, husband, wife);
    if (chosen == husband || chosen == wife) {
      const std::string question =
          res::FormatString(res::kIdsAskAnotherMarriage, {NameOf(rin), NameOf(chosen)});
      const int answer = plat::MessageBox(question, res::LoadString(res::kIdsAppName),
                                          plat::kMbYesNo | plat::kMbIconQuestion);
      if (answer != plat::kIdYes) {
        answered = true;
        return res::kIdsAlreadySpouse;
      }
    }
    std::vector<std::int32_t> children;
    DbGetRelationList(children, db::kRelChildren, 0, mrin, 0);
    if (Contains(children, chosen)) return res::kIdsAlreadyChild;
  }

  std::vector<std::int32_t> families;
  DbGetRelationList(families, db::kRelParents, 4, rin, 0);
  for (const std::int32_t mrin : families) {
    if (mrin <= 0) continue;
    std::int32_t father = 0, mother = 0;
    Spouses(mrin, father, mother);
    if (chosen == father) return res::kIdsAlreadyFather;
    if (chosen == mother) return res::kIdsAlreadyMother;
  }
  return 0;
}
