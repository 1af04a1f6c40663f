#pragma once
// Which family records a Family Group Record report holds, and in which
// order: the chosen family (or a lone parent or lone child), a typed list of
// family numbers, or a cascade over the ancestors or descendants of the
// starting family. Each record found is handed to a callback that paginates
// it; the cascade keeps the families it has taken in a work file with one
// slot per family number, so a family reached twice prints once.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "RandomAccessFile.h"

namespace rpt {

// What a family record shows.
enum class FamilyRecordKind : int {
  Family = 0,      // a family by MRIN
  LoneParent = 1,  // an individual without a chosen family, no children
  LoneChild = 2,   // an individual shown as the only child, no parents
};

// One family record to paginate.
struct FamilyGroupRequest {
  std::int32_t key = 0;  // the MRIN, or the RIN of a lone parent or child
  FamilyRecordKind kind = FamilyRecordKind::Family;
  std::int32_t directChild = 0;  // RIN of the direct-line child, 0 for none

  bool operator==(const FamilyGroupRequest&) const = default;
};

// The family links a selection follows.
class FamilyGroupTree {
 public:
  virtual ~FamilyGroupTree() = default;
  virtual std::int32_t Husband(std::int32_t mrin) = 0;
  virtual std::int32_t Wife(std::int32_t mrin) = 0;
  // The children of a family in its order.
  virtual std::vector<std::int32_t> Children(std::int32_t mrin) = 0;
  // The first parent family of an individual, 0 for none.
  virtual std::int32_t FirstParentFamily(std::int32_t rin) = 0;
  // The marriages of an individual in the individual's order.
  virtual std::vector<std::int32_t> Marriages(std::int32_t rin) = 0;
  virtual std::int32_t HighestIndividual() = 0;
  virtual std::int32_t HighestFamily() = 0;
};

// The tree of the current database.
class DatabaseFamilyGroupTree : public FamilyGroupTree {
 public:
  std::int32_t Husband(std::int32_t mrin) override;
  std::int32_t Wife(std::int32_t mrin) override;
  std::vector<std::int32_t> Children(std::int32_t mrin) override;
  std::int32_t FirstParentFamily(std::int32_t rin) override;
  std::vector<std::int32_t> Marriages(std::int32_t rin) override;
  std::int32_t HighestIndividual() override;
  std::int32_t HighestFamily() override;
};

// The cascade's taken families: one 4-byte little-endian slot per family
// number at byte offset MRIN x 4, holding the MRIN once that family is taken
// and 0 before.
class CascadeMarks {
 public:
  explicit CascadeMarks(plat::RandomAccessFile& file) : file_(file) {}
  // The work file's length for families up to highestFamily: whole blocks
  // of 200 bytes (50 slots).
  static std::uint64_t FileLength(std::int32_t highestFamily);
  // Writes the zero-filled blocks; false when a write came short.
  bool Prepare(std::int32_t highestFamily);
  bool IsMarked(std::int32_t mrin);
  bool Mark(std::int32_t mrin);

 private:
  plat::RandomAccessFile& file_;
};

// The people of one record: a family's couple and children in its order; a
// lone parent as husband when the sex letter is "M", else as wife, without
// children; a lone child as the only child, without parents.
struct FamilyGroupPeople {
  std::int32_t husband = 0;
  std::int32_t wife = 0;
  std::vector<std::int32_t> children;
};

// The people of a request from the current database; false for a family or
// individual that does not exist.
bool ReadFamilyGroupPeople(const FamilyGroupRequest& request, FamilyGroupPeople& people);

// Cascade modes of a selection.
constexpr int kFamilyGroupSingle = 0;
constexpr int kFamilyGroupCascadeUp = 1;
constexpr int kFamilyGroupCascadeDown = 2;

struct FamilyGroupSelection {
  int mode = kFamilyGroupSingle;
  bool startIsChild = false;  // the starting person is a child of the chosen family
  int generations = 999;      // generations of a cascade, the starting one included
  std::int32_t startPerson = 0;
  std::int32_t chosenFamily = 0;  // the family of the starting person's parents when a child
  std::string list;               // typed family numbers (single mode only)
};

// Walks the selection. paginate answers false when the record could not be
// made (a family that does not exist: the walk goes on past it in a list);
// running answers false once the run was cancelled. marks is needed for a
// cascade. Answers the mode that actually ran (a cascade up from a child
// without a chosen family prints the child alone).
int SelectFamilyGroupRecords(const FamilyGroupSelection& selection, FamilyGroupTree& tree,
                             CascadeMarks* marks,
                             const std::function<bool(const FamilyGroupRequest&)>& paginate,
                             const std::function<bool()>& running);

}  // namespace rpt
