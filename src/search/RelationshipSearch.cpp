#include "RelationshipSearch.h"

#include <deque>
#include <list>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"

namespace kin {

std::int32_t PrimaryParentFamily(std::int32_t rin) {
  if (rin <= 0) return 0;
  CIndividualRecord record;
  if (DbGetIndividualRecord(rin, record, 2) != 1) return 0;
  return record.numbers[CIndividualRecord::kParentsMrin];
}

bool SpousesOf(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) {
  husband = wife = 0;
  std::vector<std::int32_t> spouses;
  if (mrin <= 0 || DbGetRelation(mrin, db::kRelSpouses, 2, spouses) <= 0) return false;
  if (!spouses.empty()) husband = spouses[0];
  if (spouses.size() > 1) wife = spouses[1];
  return true;
}

void CRelationshipSearch::Clear() {
  tree1_ = Tree();
  tree2_ = Tree();
  listed_.Clear();
  visit_.Clear();
  common_.clear();
  results_.clear();
}

void CRelationshipSearch::Run(std::int32_t rin1, std::int32_t rin2,
                              std::function<bool()> closeRequested) {
  Clear();
  closeRequested_ = std::move(closeRequested);
  rin1_ = rin1;
  rin2_ = rin2;
  if (rin1 <= 0 || rin2 <= 0) return;
  // Sets span the live individual numbers and grow when a number lies beyond.
  const std::int32_t first = DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame);
  const std::int32_t last = DbGetRIN(DbGetMaxRecordCount(db::kIndividual), db::kQueryIndividuals,
                                     db::kWalkPreviousOrSame);
  bits_ = static_cast<std::uint32_t>(last > first ? last - first + 2 : 2);
  for (CBitSet* set : {&tree1_.set, &tree2_.set, &listed_, &visit_}) set->Init(bits_);

  BuildTree(tree1_, rin1);
  BuildTree(tree2_, rin2);
  FindCommon(tree1_, tree2_.set);
  FindCommon(tree2_, tree1_.set);

  for (std::int32_t ancestor : common_) {
    if (static_cast<int>(results_.size()) >= kMaxResults || CloseRequested()) break;
    const std::vector<Line> side1 = WalkSide(tree1_, ancestor, rin1);
    if (side1.empty()) continue;
    const std::vector<Line> side2 = WalkSide(tree2_, ancestor, rin2);
    if (side2.empty()) continue;
    for (const Line& a : side1) {
      for (std::int32_t r : a) visit_.SetBit(r, 1);
      for (const Line& b : side2) {
        bool shared = false;
        for (std::int32_t r : b)
          if (r <= 0 || visit_.Test(r)) {
            shared = true;
            break;
          }
        if (!shared) Offer(ancestor, a, b);
      }
      for (std::int32_t r : a) visit_.SetBit(r, 0);
    }
  }
}

void CRelationshipSearch::BuildTree(Tree& tree, std::int32_t person) {
  tree.nodes.push_back(Node{person, {}, {}});
  tree.index[person] = 0;
  tree.set.SetBit(person, 1);
  std::vector<std::int32_t> families;
  for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
    const std::int32_t rin = tree.nodes[i].rin;
    families.clear();
    DbGetRelationList(families, db::kRelParents, 4, rin, 0);
    for (std::int32_t mrin : families) {
      std::int32_t husband = 0, wife = 0;
      if (!SpousesOf(mrin, husband, wife)) continue;
      for (std::int32_t parent : {husband, wife}) {
        if (parent <= 0) continue;
        tree.nodes[i].parents.push_back(parent);
        int at;
        if (!tree.set.Test(parent)) {
          tree.set.SetBit(parent, 1);
          at = static_cast<int>(tree.nodes.size());
          tree.nodes.push_back(Node{parent, {}, {}});
          tree.index[parent] = at;
        } else {
          at = tree.index.at(parent);
        }
        std::vector<int>& down = tree.nodes[at].down;
        if (down.empty() || down.front() != static_cast<int>(i))
          down.insert(down.begin(), static_cast<int>(i));
      }
    }
  }
}

void CRelationshipSearch::FindCommon(const Tree& from, const CBitSet& other) {
  CBitSet visited;
  visited.Init(bits_);
  std::deque<int> queue{0};
  visited.SetBit(from.nodes[0].rin, 1);
  while (!queue.empty()) {
    const Node& node = from.nodes[queue.front()];
    queue.pop_front();
    if (other.Test(node.rin)) {
      if (!listed_.Test(node.rin)) {
        listed_.SetBit(node.rin, 1);
        common_.push_back(node.rin);
      }
      continue;
    }
    for (std::int32_t parent : node.parents) {
      if (visited.Test(parent)) continue;
      visited.SetBit(parent, 1);
      queue.push_back(from.index.at(parent));
    }
  }
}

std::vector<CRelationshipSearch::Line> CRelationshipSearch::WalkSide(const Tree& tree,
                                                                     std::int32_t ancestor,
                                                                     std::int32_t person) {
  struct Walker {
    int node;
    std::deque<std::int32_t> line;
  };
  std::list<Walker> walkers;
  if (ancestor == person) {
    walkers.push_back(Walker{0, {}});
  } else {
    const auto found = tree.index.find(ancestor);
    if (found == tree.index.end()) return {};
    for (int child : tree.nodes[found->second].down) walkers.push_front(Walker{child, {}});
  }
  std::vector<Line> kept;
  int spawned = 0;
  CBitSet visit;
  visit.Init(bits_);
  for (auto it = walkers.begin(); it != walkers.end(); ++it) {
    if (CloseRequested()) break;
    for (std::int32_t r : it->line)
      if (r > 0) visit.SetBit(r, 1);
    bool isVoid = false;
    while (!tree.nodes[it->node].down.empty()) {
      const Node& node = tree.nodes[it->node];
      it->line.push_front(node.rin);
      for (std::size_t k = 1; k < node.down.size(); ++k) {
        if (spawned >= kMaxSpawn) break;
        ++spawned;
        walkers.insert(std::next(it), Walker{node.down[k], it->line});
      }
      if (node.rin <= 0 || visit.Test(node.rin)) isVoid = true;
      if (node.rin > 0) visit.SetBit(node.rin, 1);
      it->node = node.down.front();
      if (isVoid) break;
    }
    if (!isVoid && tree.nodes[it->node].rin == person && static_cast<int>(kept.size()) < kMaxLines)
      kept.emplace_back(it->line.begin(), it->line.end());
    for (std::int32_t r : it->line)
      if (r > 0) visit.SetBit(r, 0);
  }
  return kept;
}

void CRelationshipSearch::Offer(std::int32_t ancestor, const Line& line1, const Line& line2) {
  if (static_cast<int>(results_.size()) >= kMaxResults) return;
  if (rin1_ == rin2_ && ancestor != rin1_) return;
  const auto childOf = [ancestor](const Line& line, std::int32_t person) -> std::int32_t {
    if (!line.empty()) return line.back();
    return person != ancestor ? person : 0;
  };
  const std::int32_t family1 = PrimaryParentFamily(childOf(line1, rin1_));
  const std::int32_t family2 = PrimaryParentFamily(childOf(line2, rin2_));
  RelationshipResult result;
  result.ancestor = ancestor;
  result.id = ancestor;
  if (family1 > 0 && family1 == family2) {
    std::int32_t husband = 0, wife = 0;
    SpousesOf(family1, husband, wife);
    if (DbGetSex(ancestor) == 'F' && husband > 0) return;
    result.couple = true;
    result.id = family1;
  }
  result.line1 = line1;
  result.line2 = line2;
  const bool ancestorIsOne = !result.couple && ancestor == rin1_;
  const bool ancestorIsTwo = !result.couple && ancestor == rin2_;
  result.count1 = ancestorIsOne ? 0 : static_cast<int>(line1.size()) + 1;
  result.count2 = ancestorIsTwo ? 0 : static_cast<int>(line2.size()) + 1;
  results_.push_back(std::move(result));
}

}  // namespace kin
