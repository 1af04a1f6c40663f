#pragma once
// The relationship filter of the Individual List: selects (or deselects) an
// individual with relatives into set 1 of a filter set, by one of nine
// kinds: the individual, a couple, a family, everybody, everybody related,
// ancestors, the ancestors' relatives, descendants and the descendants'
// relatives. The walks are breadth first over two queues (upward and
// downward) and visit each individual a bounded number of times through two
// visited sets or two generation stores.

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BitSet.h"

class CFilterSet;

// Kinds of the relationship combo (strings 4900-4908).
namespace relkind {
inline constexpr int kIndividual = 0;
inline constexpr int kCouple = 1;
inline constexpr int kFamily = 2;
inline constexpr int kAll = 3;
inline constexpr int kAllRelated = 4;
inline constexpr int kAncestors = 5;
inline constexpr int kAncestralRelated = 6;
inline constexpr int kDescendants = 7;
inline constexpr int kDescendantRelated = 8;
inline constexpr int kCount = 9;
}  // namespace relkind

// A 16-bit signed count per RIN, all -1 at first: in memory below 30000
// RINs, else a work file of 2 bytes per RIN (little-endian, RIN n at offset
// (n - 1) x 2) in a temporary folder with room for it, deleted with the
// store.
class CGenerationStore {
 public:
  static constexpr std::int32_t kMemoryLimit = 30000;
  // Results of Create.
  static constexpr int kCreated = 1;
  static constexpr int kNoSpace = 0;
  static constexpr int kCannotCreate = -1;
  // Picks the folder for neededBytes into out; returns its free bytes.
  using FolderChooser = std::function<std::uint64_t(std::string&, std::uint64_t)>;

  CGenerationStore() = default;
  ~CGenerationStore();
  CGenerationStore(const CGenerationStore&) = delete;
  CGenerationStore& operator=(const CGenerationStore&) = delete;

  // fileName names the work file when one is needed; forceFile keeps the
  // counts on disk whatever the size.
  int Create(std::int32_t highestRin, const std::string& fileName, bool forceFile,
             const FolderChooser& chooser);
  std::int16_t Get(std::int32_t rin);
  void Set(std::int32_t rin, std::int16_t count);
  bool InFile() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  void Close();

 private:
  std::vector<std::int16_t> memory_;
  std::FILE* file_ = nullptr;
  std::string path_;
  std::int32_t highest_ = 0;
};

// What the Ancestors of / Descendants of dialog answered.
struct GenerationChoice {
  int generations = 999;
  int descendantGenerations = 2;  // ancestors only
  bool spouses = true;
  bool allParents = false;  // ancestors only
};

// The questions and dialogs a walk needs; unset ones take their defaults.
struct RelationshipFilterHooks {
  // Couple with several marriages after "No" to "Select for all?": the MRIN
  // chosen in the Marriages for dialog, 0 for all.
  std::function<std::int32_t(std::int32_t rin)> chooseMarriage;
  // Family with several families: the Families for dialog's choice; false
  // for Cancel. choice: 0 everything, 1 all as a parent, 2 all as a child,
  // 3 the single family mrin.
  std::function<bool(std::int32_t rin, int& choice, std::int32_t& mrin)> chooseFamily;
  // The Ancestors of (ancestors true) or Descendants of dialog; false for
  // Cancel.
  std::function<bool(std::int32_t rin, bool ancestors, GenerationChoice& choice)> askGenerations;
  // Dispatches waiting messages, user input held back; by default the pump.
  std::function<void()> dispatch;
  // Chooses the work files' folder; by default GetTempPathWithSpace.
  CGenerationStore::FolderChooser chooseFolder;
};

class CRelationshipFilter {
 public:
  // Dispatching intervals of the two queues.
  static constexpr int kUpwardDispatch = 22;
  static constexpr int kDownwardDispatch = 12;

  CRelationshipFilter(CFilterSet& set, RelationshipFilterHooks hooks = {});

  // Runs the walk of kind for rin with value 1 (select) or 0 (deselect):
  // sets 1 and 2 are made when selecting, the relationship flag raised and
  // every RIN reached set to value in set 1. False when the walk was
  // abandoned (a dialog cancelled, no room for a store).
  bool Run(int kind, std::int32_t rin, int value);

  // Keeps the generation stores on disk (the forced file stores of tests).
  bool forceFileStores = false;
  // Entries taken from the queues in the last walk, and the dispatches.
  int entriesWalked = 0;
  int dispatches = 0;

 private:
  struct Entry {
    std::int32_t rin;
    std::int16_t count;
  };

  void Give(std::int32_t rin);
  bool Couple(std::int32_t rin);
  bool Family(std::int32_t rin);
  void All();
  void Related(int kind, std::int32_t rin, bool allParents);
  bool Ancestors(std::int32_t rin);
  bool Descendants(std::int32_t rin);
  void GenerationWalk(std::int32_t rin, int up, int down, bool spouses, bool allParents,
                      CGenerationStore* upStore, CGenerationStore* downStore);
  std::vector<std::int32_t> ParentFamilies(std::int32_t rin, bool all) const;
  std::string DisplayName(std::int32_t rin) const;
  void Dispatch();

  CFilterSet& set_;
  RelationshipFilterHooks hooks_;
  std::int32_t highest_ = 0;
  int value_ = 1;
  CBitSet upSeen_;    // A: reached on the upward side
  CBitSet downSeen_;  // B: reached on the downward side
};
