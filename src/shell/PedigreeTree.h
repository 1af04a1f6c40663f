#pragma once
// The individuals of the pedigree view's 31 boxes: the primary individual
// in box 0 and four generations of ancestors, loaded through the database
// calls as counted in-memory nodes, with what the boxes show beside the
// name (the marks and the buttons that lead on along the tree).

#include <array>
#include <cstdint>

#include "IndividualNode.h"
#include "PedigreeLayout.h"
#include "TextMeasure.h"

namespace shell {

class PedigreeTree {
 public:
  // The link flag the view sets for an individual with multimedia items.
  static constexpr std::uint16_t kHasMultimediaBit = 0x01;

  PedigreeTree() = default;
  ~PedigreeTree() { Clear(); }
  PedigreeTree(const PedigreeTree&) = delete;
  PedigreeTree& operator=(const PedigreeTree&) = delete;

  CIndividualNode* Box(int box) const {
    return box >= 0 && box < pedigree::kBoxCount ? boxes_[box] : nullptr;
  }
  std::int32_t RinOf(int box) const { return Box(box) ? Box(box)->GetRin() : 0; }
  pedigree::Occupancy Occupied() const;
  bool IsEmpty() const { return boxes_[0] == nullptr; }

  // Releases every box, breaking the parent links that keep nodes alive.
  void Clear();

  // A node of the individual for box 0: rin itself or the next live one
  // (mode 'm'), else the previous live one ('q'); null when the file has
  // none. Link level 2, names fitted to the box.
  static CIndividualNode* ReadRoot(std::int32_t rin, int suffixKind,
                                   const plat::TextMeasure* measure);
  // A node of exactly rin, or null.
  static CIndividualNode* ReadExact(std::int32_t rin, int suffixKind,
                                    const plat::TextMeasure* measure);

  // Shows root in box 0 and its ancestors in the others; the previous tree
  // is released first (root may come from it).
  void Load(CIndividualNode* root, int suffixKind, const plat::TextMeasure* measure);

  // Shows the individual rin as the child of the present primary individual:
  // of the individual's parent families the one that names the primary is
  // shown (the primary's current marriage when it is one of them). False
  // when the individual cannot be read.
  bool LoadAsChild(std::int32_t rin, int suffixKind, const plat::TextMeasure* measure);

  // Fits every name to the box width again (after a size or font change).
  void RefitNames(int suffixKind, const plat::TextMeasure* measure);

  // Whether the descend button and arrow button k (1-16) are shown.
  bool DescendVisible() const { return descendVisible_; }
  bool ArrowVisible(int button) const {
    return button >= 1 && button <= pedigree::kArrowButtonCount && arrowVisible_[button - 1];
  }

  // The marks of a box: notes (or the trailing flag) and multimedia.
  bool HasNotesMark(int box) const;
  bool HasMultimediaMark(int box) const;

 private:
  void UpdateButtonsAndMarks();

  std::array<CIndividualNode*, pedigree::kBoxCount> boxes_{};
  std::array<bool, pedigree::kArrowButtonCount> arrowVisible_{};
  bool descendVisible_ = false;
};

}  // namespace shell
