#include "PedigreeTree.h"

#include <algorithm>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "MultimediaChain.h"

namespace shell {

namespace {

using pedigree::kBoxCount;

// Boxes whose parents are loaded: all but the last generation.
constexpr int kParentBoxes = pedigree::kFirstLastGeneration;

CIndividualNode* MakeNode(const CIndividualRecord& record, int suffixKind,
                          const plat::TextMeasure* measure) {
  return CIndividualNode::New(record, 2, suffixKind, pedigree::kNameWidth, measure);
}

// True when marriage mrin names a husband or a wife.
bool NamesASpouse(std::int32_t mrin) {
  std::vector<std::int32_t> spouses;
  if (mrin == 0 || DbGetRelation(mrin, db::kRelSpouses, 2, spouses) <= 0) return false;
  return std::any_of(spouses.begin(), spouses.end(), [](std::int32_t rin) { return rin != 0; });
}

}  // namespace

pedigree::Occupancy PedigreeTree::Occupied() const {
  pedigree::Occupancy occupied;
  for (int box = 0; box < kBoxCount; ++box)
    if (boxes_[box]) occupied.set(box);
  return occupied;
}

void PedigreeTree::Clear() {
  for (int box = 0; box < kParentBoxes; ++box)
    if (boxes_[box]) boxes_[box]->ReleaseParents();
  for (CIndividualNode* node : boxes_)
    if (node) node->ReleaseMarriages();
  for (CIndividualNode*& slot : boxes_) ReleaseIndividualRef(slot);
  descendVisible_ = false;
  arrowVisible_.fill(false);
}

CIndividualNode* PedigreeTree::ReadRoot(std::int32_t rin, int suffixKind,
                                        const plat::TextMeasure* measure) {
  CIndividualRecord record;
  if (DbGetRecord(rin, db::kIndividual, &record, 1, db::kWalkNextOrSame) != 1 &&
      DbGetRecord(rin, db::kIndividual, &record, 1, db::kWalkPrevious) != 1)
    return nullptr;
  return MakeNode(record, suffixKind, measure);
}

CIndividualNode* PedigreeTree::ReadExact(std::int32_t rin, int suffixKind,
                                         const plat::TextMeasure* measure) {
  CIndividualRecord record;
  if (rin <= 0 || DbGetRecord(rin, db::kIndividual, &record, 1, db::kWalkExact) != 1)
    return nullptr;
  return MakeNode(record, suffixKind, measure);
}

void PedigreeTree::Load(CIndividualNode* root, int suffixKind, const plat::TextMeasure* measure) {
  // Held across the release of the old tree, which may contain it.
  CIndividualNode* keep = nullptr;
  SetIndividualRef(keep, root);
  Clear();
  SetIndividualRef(boxes_[0], root);
  ReleaseIndividualRef(keep);
  if (!root) return;
  if (!root->GetLinks()) {
    CIndividualRecord record;
    if (DbGetRecord(root->GetRin(), db::kIndividual, &record, 1, db::kWalkExact) == 1)
      root->LoadLinks(record, 2);
  }
  for (int box = 0; box < kParentBoxes; ++box) {
    CIndividualNode* node = boxes_[box];
    if (!node) continue;
    node->LoadParents(2, suffixKind, true, false, pedigree::kNameWidth, measure);
    CMarriageNode* parents = node->GetParents();
    if (!parents) continue;
    SetIndividualRef(boxes_[pedigree::FatherOf(box)], parents->HusbandNode());
    SetIndividualRef(boxes_[pedigree::MotherOf(box)], parents->WifeNode());
  }
  UpdateButtonsAndMarks();
}

bool PedigreeTree::LoadAsChild(std::int32_t rin, int suffixKind, const plat::TextMeasure* measure) {
  CIndividualNode* child = ReadExact(rin, suffixKind, measure);
  if (!child) return false;
  CIndividualNode* primary = boxes_[0];
  CIndividualLinks* links = child->GetLinks();
  if (primary && links) {
    // The marriages of the individual's parent families.
    std::vector<std::int32_t> families;
    DbGetRelationList(families, db::kRelParents, 4, rin, 0);
    const CIndividualLinks* primaryLinks = primary->GetLinks();
    const CMarriageNode* current = primaryLinks ? primaryLinks->currentMarriage : nullptr;
    std::int32_t chosen = 0;
    if (current &&
        std::find(families.begin(), families.end(), current->GetMrin()) != families.end())
      chosen = current->GetMrin();
    for (std::size_t i = 0; chosen == 0 && i < families.size(); ++i) {
      std::vector<std::int32_t> spouses;
      if (families[i] != 0 && DbGetRelation(families[i], db::kRelSpouses, 2, spouses) > 0 &&
          std::find(spouses.begin(), spouses.end(), primary->GetRin()) != spouses.end())
        chosen = families[i];
    }
    if (chosen != 0 && chosen != links->parentsMrin) links->chosenParentsMrin = chosen;
  }
  Load(child, suffixKind, measure);
  return true;
}

void PedigreeTree::RefitNames(int suffixKind, const plat::TextMeasure* measure) {
  for (CIndividualNode* node : boxes_)
    if (node) node->UpdateDisplayName(suffixKind, pedigree::kNameWidth, measure);
}

void PedigreeTree::UpdateButtonsAndMarks() {
  descendVisible_ = boxes_[0] && DbHasChildren(boxes_[0]->GetRin(), db::kIndividual);
  for (int button = 1; button <= pedigree::kArrowButtonCount; ++button) {
    const CIndividualNode* node = boxes_[pedigree::BoxOfArrowButton(button)];
    const CIndividualLinks* links = node ? node->GetLinks() : nullptr;
    arrowVisible_[button - 1] = links && NamesASpouse(links->ParentsMrin());
  }
  for (CIndividualNode* node : boxes_) {
    CIndividualLinks* links = node ? node->GetLinks() : nullptr;
    if (!links) continue;
    if (DbGetMultimediaHead(node->GetRin(), db::kIndividual) > 0)
      links->flags |= kHasMultimediaBit;
    else
      links->flags &= static_cast<std::uint16_t>(~kHasMultimediaBit);
  }
}

bool PedigreeTree::HasNotesMark(int box) const {
  const CIndividualNode* node = Box(box);
  const CIndividualLinks* links = node ? node->GetLinks() : nullptr;
  return links &&
         (links->flags & (CIndividualLinks::kHasNotesBit | CIndividualLinks::kTrailingBit)) != 0;
}

bool PedigreeTree::HasMultimediaMark(int box) const {
  const CIndividualNode* node = Box(box);
  const CIndividualLinks* links = node ? node->GetLinks() : nullptr;
  return links && (links->flags & kHasMultimediaBit) != 0;
}

}  // namespace shell
