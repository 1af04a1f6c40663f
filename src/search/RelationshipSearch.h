#pragma once
// The blood-relationship search between two individuals of the open family
// file: each person's ancestor tree, their nearest common ancestors, every
// line of descent from a common ancestor down to each person, and the pairs
// of lines that share nobody. At most 100 results, and per common ancestor
// at most 100 kept lines and 100 spawned walkers on each side. Reads only.

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "BitSet.h"

namespace kin {

struct RelationshipResult {
  std::int32_t id = 0;  // the common ancestor's RIN, or the couple's MRIN
  bool couple = false;
  std::int32_t ancestor = 0;  // the common ancestor the lines were walked from
  // The individuals strictly between a person and the common ancestor, from
  // the person's parent up to the common ancestor's child.
  std::vector<std::int32_t> line1, line2;
  int count1 = 0, count2 = 0;  // generation counts
};

class CRelationshipSearch {
 public:
  static constexpr int kMaxResults = 100;
  static constexpr int kMaxLines = 100;
  static constexpr int kMaxSpawn = 100;

  // Runs the search for rin1 and rin2 (both positive). closeRequested, when
  // given, is asked before each common ancestor and each walker.
  void Run(std::int32_t rin1, std::int32_t rin2, std::function<bool()> closeRequested = {});
  void Clear();

  const std::vector<RelationshipResult>& Results() const { return results_; }
  // The nearest common ancestors, those found from person 1's side first.
  const std::vector<std::int32_t>& CommonAncestors() const { return common_; }

 private:
  struct Node {
    std::int32_t rin = 0;
    std::vector<int> down;              // child nodes through which it was reached, newest first
    std::vector<std::int32_t> parents;  // husband, wife of each parent family (positive only)
  };
  struct Tree {
    std::vector<Node> nodes;  // the person first, then breadth first
    std::unordered_map<std::int32_t, int> index;
    CBitSet set;
  };
  using Line = std::vector<std::int32_t>;

  void BuildTree(Tree& tree, std::int32_t person);
  void FindCommon(const Tree& from, const CBitSet& other);
  std::vector<Line> WalkSide(const Tree& tree, std::int32_t ancestor, std::int32_t person);
  void Offer(std::int32_t ancestor, const Line& line1, const Line& line2);
  bool CloseRequested() const { return closeRequested_ && closeRequested_(); }

  std::int32_t rin1_ = 0, rin2_ = 0;
  std::uint32_t bits_ = 0;
  Tree tree1_, tree2_;
  CBitSet listed_, visit_;
  std::vector<std::int32_t> common_;
  std::vector<RelationshipResult> results_;
  std::function<bool()> closeRequested_;
};

// The primary parent family (MRIN) of an individual; 0 without one.
std::int32_t PrimaryParentFamily(std::int32_t rin);
// Husband and wife of a marriage (0 for a missing one); false when the
// marriage cannot be read.
bool SpousesOf(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife);

}  // namespace kin
