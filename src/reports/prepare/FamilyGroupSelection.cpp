#include "FamilyGroupSelection.h"

#include <array>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "NumberListParser.h"

namespace rpt {

// ---- the database's tree -------------------------------------------------

namespace {

std::array<std::int32_t, 2> Spouses(std::int32_t mrin) {
  std::vector<std::int32_t> spouses;
  if (mrin <= 0 || DbGetRelation(mrin, db::kRelSpouses, 2, spouses) <= 0) return {0, 0};
  return {spouses.size() > 0 ? spouses[0] : 0, spouses.size() > 1 ? spouses[1] : 0};
}

std::vector<std::int32_t> WithoutZeros(std::vector<std::int32_t> list) {
  std::erase(list, 0);
  return list;
}

}  // namespace

std::int32_t DatabaseFamilyGroupTree::Husband(std::int32_t mrin) { return Spouses(mrin)[0]; }

std::int32_t DatabaseFamilyGroupTree::Wife(std::int32_t mrin) { return Spouses(mrin)[1]; }

std::vector<std::int32_t> DatabaseFamilyGroupTree::Children(std::int32_t mrin) {
  if (mrin <= 0) return {};
  return WithoutZeros(DbGetRelationChain(mrin, db::kRelChildren));
}

std::int32_t DatabaseFamilyGroupTree::FirstParentFamily(std::int32_t rin) {
  std::vector<std::int32_t> families;
  if (rin <= 0 || DbGetRelation(rin, db::kRelParents, 1, families) <= 0 || families.empty())
    return 0;
  return families.front();
}

std::vector<std::int32_t> DatabaseFamilyGroupTree::Marriages(std::int32_t rin) {
  if (rin <= 0) return {};
  return WithoutZeros(DbGetRelationChain(rin, db::kRelMarriages));
}

std::int32_t DatabaseFamilyGroupTree::HighestIndividual() {
  return DbGetMaxRecordCount(db::kIndividual);
}

std::int32_t DatabaseFamilyGroupTree::HighestFamily() { return DbGetMaxRecordCount(db::kMarriage); }

bool ReadFamilyGroupPeople(const FamilyGroupRequest& request, FamilyGroupPeople& people) {
  people = {};
  if (request.key <= 0) return false;
  switch (request.kind) {
    case FamilyRecordKind::Family: {
      // A family whose children cannot be counted, or that is not live, does
      // not exist (a count of 0 only asks whether the marriage is live).
      std::vector<std::int32_t> children;
      if (DbGetRelationCount(request.key, db::kRelChildren, 0, 0) < 0 ||
          DbGetRelation(request.key, db::kRelChildren, 0, children) <= 0)
        return false;
      children = DbGetRelationChain(request.key, db::kRelChildren);
      const auto spouses = Spouses(request.key);
      people.husband = spouses[0];
      people.wife = spouses[1];
      people.children = WithoutZeros(std::move(children));
      return true;
    }
    case FamilyRecordKind::LoneParent: {
      CIndividualRecord person;
      if (DbGetIndividualRecord(request.key, person, 2) != 1) return false;
      (person.sex == 'M' ? people.husband : people.wife) = request.key;
      return true;
    }
    case FamilyRecordKind::LoneChild: {
      CIndividualRecord person;
      if (DbGetIndividualRecord(request.key, person, 2) != 1) return false;
      people.children = {request.key};
      return true;
    }
  }
  return false;
}

// ---- the cascade's marks -------------------------------------------------

namespace {
constexpr std::uint64_t kMarkBlock = 200;  // bytes: 50 slots of 4
constexpr std::int32_t kSlotsPerBlock = 50;
}  // namespace

std::uint64_t CascadeMarks::FileLength(std::int32_t highestFamily) {
  const std::int32_t highest = highestFamily > 0 ? highestFamily : 0;
  return (static_cast<std::uint64_t>(highest / kSlotsPerBlock) + 1) * kMarkBlock;
}

bool CascadeMarks::Prepare(std::int32_t highestFamily) {
  const std::array<std::uint8_t, kMarkBlock> zeros{};
  const std::uint64_t length = FileLength(highestFamily);
  if (!file_.Truncate(0)) return false;
  for (std::uint64_t at = 0; at < length; at += kMarkBlock)
    if (!file_.WriteAt(at, zeros.data(), zeros.size())) return false;
  return true;
}

bool CascadeMarks::IsMarked(std::int32_t mrin) {
  if (mrin <= 0) return false;
  std::array<std::uint8_t, 4> slot{};
  if (!file_.ReadAt(static_cast<std::uint64_t>(mrin) * 4, slot.data(), slot.size())) return false;
  return (slot[0] | slot[1] | slot[2] | slot[3]) != 0;
}

bool CascadeMarks::Mark(std::int32_t mrin) {
  if (mrin <= 0) return false;
  const auto value = static_cast<std::uint32_t>(mrin);
  const std::array<std::uint8_t, 4> slot{
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return file_.WriteAt(static_cast<std::uint64_t>(mrin) * 4, slot.data(), slot.size());
}

// ---- the walk ------------------------------------------------------------

namespace {

class SelectionWalk {
 public:
  SelectionWalk(const FamilyGroupSelection& selection, FamilyGroupTree& tree, CascadeMarks* marks,
                const std::function<bool(const FamilyGroupRequest&)>& paginate,
                const std::function<bool()>& running)
      : s_(selection),
        tree_(tree),
        marks_(marks),
        paginate_(paginate),
        running_(running),
        generations_(selection.generations) {}

  int Run() {
    int mode = s_.mode;
    if (mode == kFamilyGroupCascadeUp && s_.chosenFamily == 0 && s_.startIsChild)
      mode = kFamilyGroupSingle;
    if (mode != kFamilyGroupSingle) {
      highestPerson_ = tree_.HighestIndividual();
      highestFamily_ = tree_.HighestFamily();
    }
    switch (mode) {
      case kFamilyGroupSingle:
        if (!s_.list.empty())
          RunList();
        else
          PaginateStart();
        break;
      case kFamilyGroupCascadeUp:
        RunUp();
        break;
      case kFamilyGroupCascadeDown:
        RunDown();
        break;
      default:
        break;
    }
    return mode;
  }

 private:
  bool Running() const { return !running_ || running_(); }

  bool Paginate(std::int32_t key, FamilyRecordKind kind, std::int32_t directChild = 0) {
    return paginate_(FamilyGroupRequest{key, kind, directChild});
  }

  // The chosen family, else the starting person alone.
  bool PaginateStart() {
    if (s_.chosenFamily > 0) return Paginate(s_.chosenFamily, FamilyRecordKind::Family);
    if (s_.startPerson <= 0) return false;
    return Paginate(s_.startPerson,
                    s_.startIsChild ? FamilyRecordKind::LoneChild : FamilyRecordKind::LoneParent);
  }

  void RunList() {
    int position = 0, kind = 0;
    std::int32_t first = 0, last = 0;
    while (Running() && ParseNumberListItem(position, kind, first, last, s_.list) == 0) {
      if (kind == kNumberItem) {
        Paginate(first, FamilyRecordKind::Family);
        continue;
      }
      // A range from high to low ("5-3") gives its first number.
      for (std::int32_t mrin = first;; ++mrin) {
        Paginate(mrin, FamilyRecordKind::Family);
        if (mrin >= last || !Running()) break;
      }
      if (kind == kRangeItemThenStop) break;
    }
  }

  // A family printed as the starting point is marked too, so a loop in the
  // data (a person recorded as his own ancestor) cannot bring it back.
  void MarkStart(std::int32_t mrin) {
    if (marks_ && mrin > 0) marks_->Mark(mrin);
  }

  bool Taken(std::int32_t mrin) { return !marks_ || marks_->IsMarked(mrin); }

  void RunUp() {
    std::int32_t startFamily = 0;
    if (!s_.startIsChild) {
      --generations_;
      MarkStart(s_.chosenFamily);
      PaginateStart();
      startFamily = tree_.FirstParentFamily(s_.startPerson);
    } else {
      startFamily = s_.chosenFamily;
    }
    if (generations_ > 0 && startFamily > 0 && Running() && !Taken(startFamily)) {
      MarkStart(startFamily);
      CascadeUp(startFamily, 1, s_.startPerson);
    }
  }

  void CascadeUp(std::int32_t mrin, int depth, std::int32_t child) {
    if (!Paginate(mrin, FamilyRecordKind::Family, child) || depth >= generations_) return;
    for (const std::int32_t spouse : {tree_.Husband(mrin), tree_.Wife(mrin)}) {
      if (!Running()) return;
      if (spouse <= 0) continue;
      const std::int32_t parents = tree_.FirstParentFamily(spouse);
      if (parents <= 0 || Taken(parents)) continue;
      marks_->Mark(parents);
      CascadeUp(parents, depth + 1, spouse);
    }
  }

  void RunDown() {
    MarkStart(s_.chosenFamily);
    PaginateStart();
    if (generations_ <= 1 || !Running()) return;
    if (s_.startIsChild) {
      CascadeDown(s_.startPerson, 2);
      return;
    }
    for (const std::int32_t child : tree_.Children(s_.chosenFamily)) {
      if (child > highestPerson_) continue;
      if (!CascadeDown(child, 2)) break;
    }
  }

  bool CascadeDown(std::int32_t person, int depth) {
    for (const std::int32_t mrin : tree_.Marriages(person)) {
      if (mrin > highestFamily_ || Taken(mrin)) continue;
      marks_->Mark(mrin);
      const bool made = Paginate(mrin, FamilyRecordKind::Family);
      if (depth < generations_) {
        if (!made || !Running()) return false;
        for (const std::int32_t child : tree_.Children(mrin)) {
          if (child > highestPerson_) continue;
          if (!CascadeDown(child, depth + 1)) return false;
        }
      }
      if (!Running()) return false;
    }
    return true;
  }

  const FamilyGroupSelection& s_;
  FamilyGroupTree& tree_;
  CascadeMarks* marks_;
  const std::function<bool(const FamilyGroupRequest&)>& paginate_;
  const std::function<bool()>& running_;
  int generations_;
  std::int32_t highestPerson_ = 0;
  std::int32_t highestFamily_ = 0;
};

}  // namespace

int SelectFamilyGroupRecords(const FamilyGroupSelection& selection, FamilyGroupTree& tree,
                             CascadeMarks* marks,
                             const std::function<bool(const FamilyGroupRequest&)>& paginate,
                             const std::function<bool()>& running) {
  const bool cascade =
      selection.mode == kFamilyGroupCascadeUp || selection.mode == kFamilyGroupCascadeDown;
  if (cascade && !marks) return kFamilyGroupSingle;
  return SelectionWalk(selection, tree, marks, paginate, running).Run();
}

}  // namespace rpt
