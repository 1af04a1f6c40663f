// The database calls of relations, links, owner chains and order.
#include <algorithm>
#include <limits>

#include "BlockStore.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DbDispatch.h"
#include "DbWholeChange.h"
#include "EditWhole.h"
#include "Orv2Reader.h"

using dbcall::Engine;
using dbcall::EngineQuiet;
using dbcall::OldFormat;

class DbWholeChange::Scope {
 public:
  explicit Scope(BlockStore& blocks) : edit(blocks) {}
  BlockStore::EditScope edit;
};

DbWholeChange::DbWholeChange() {
  if (ORV3* e = EngineQuiet()) scope_ = std::make_unique<Scope>(e->Blocks());
}

DbWholeChange::~DbWholeChange() = default;

bool DbWholeChange::End() { return !scope_ || scope_->edit.End(); }

int DbGetRelationList(std::vector<std::int32_t>& list, int relation, int subKind, std::int32_t rin,
                      int flag) {
  ORV3* e = Engine(8);
  if (!e) return 0;
  if (relation == db::kRelParents && subKind == 4) {
    // The marriages of the parents' families only: links without parents
    // give no entry.
    e->Families().GetRelationList(list, db::kRelParents, 0, rin, flag);
    list.erase(std::remove(list.begin(), list.end(), 0), list.end());
    return static_cast<int>(list.size());
  }
  return e->Families().GetRelationList(list, relation, subKind, rin, flag);
}

int DbGetRinList(std::vector<std::int32_t>& list, int type, std::int32_t ownerRin, char ownerKind) {
  list.clear();
  ORV3* e = Engine(9);
  return e ? e->Owners().GetRinList(list, type, ownerRin, ownerKind) : 0;
}

int DbSetRinList(const std::vector<std::int32_t>& list, int type, std::int32_t ownerRin,
                 char ownerKind) {
  if (CurrentDatabase->type == CFamilyDatabase::kOldFormat) return -1;
  ORV3* e = Engine(10);
  return e ? e->Families().SetRinList(list, type, ownerRin, ownerKind) : 0;
}

int DbLinkRecord(std::int32_t rin, int type, std::int32_t ownerRin, char ownerKind,
                 std::int32_t after, int flag) {
  ORV3* e = Engine(11);
  if (!e) return 0;
  const int result = WholeEdit(e->Blocks(), [&] {
    return e->Owners().LinkRecord(rin, type, ownerRin, ownerKind, after, flag);
  });
  if (result > 0) LogRecordChange(db::kLogLink, rin, type, ownerRin);
  return result;
}

int DbUnLinkRecord(std::int32_t rin, int type, std::int32_t ownerRin, char ownerKind) {
  ORV3* e = Engine(12);
  if (!e) return 0;
  const int result = WholeEdit(
      e->Blocks(), [&] { return e->Owners().UnLinkRecord(rin, type, ownerRin, ownerKind); });
  if (result > 0) LogRecordChange(db::kLogUnlink, rin, type, ownerRin);
  return result;
}

int DbMoveUserEvent(std::int32_t eventRin, int, std::int32_t newOwner, std::int32_t oldOwner,
                    char ownerKind) {
  ORV3* e = Engine(11);
  if (!e) return 0;
  return WholeEdit(e->Blocks(), [&] {
    return e->Owners().MoveUserEvent(eventRin, newOwner, oldOwner, ownerKind);
  });
}

int DbMergeFamilyLinks(std::int32_t rin1, std::int32_t rin2, int flag1, int flag2,
                       std::int32_t value, int flag3) {
  ORV3* e = Engine(11);
  if (!e) return 0;
  return e->Families().MergeFamilyLinks(rin1, rin2, flag1 != 0, flag2 != 0, value, flag3 != 0);
}

int DbGetRelation(std::int32_t rin, int relation, int count, std::vector<std::int32_t>& out) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::Relation(*old, rin, relation, count, out);
  ORV3* e = Engine(17);
  if (!e) return 0;
  return e->Families().GetRelation(rin, relation, count, out);
}

std::vector<std::int32_t> DbGetRelationChain(std::int32_t rin, int relation) {
  std::vector<std::int32_t> out;
  if (CFamilyDatabase* old = OldFormat()) {
    // The old format keeps one parent family, given with its husband and wife.
    if (orv2::Relation(*old, rin, relation, -1, out) != 1) return {};
    if (relation == db::kRelParents) out.resize(out.empty() || out[0] == 0 ? 0 : 1);
    return out;
  }
  ORV3* e = Engine(17);
  if (!e) return out;
  switch (relation) {
    case db::kRelMarriages:
      // The engine pads marriages to the count asked for: ask for just them.
      e->Families().GetRelation(rin, relation, e->Families().GetRelationCount(rin, relation, true),
                                out);
      break;
    case db::kRelParents:
      // A count below 0 gives every parent family.
      e->Families().GetRelation(rin, relation, -1, out);
      break;
    case db::kRelChildren:
      // Children are never padded: no limit.
      e->Families().GetRelation(rin, relation, std::numeric_limits<int>::max(), out);
      break;
    default:
      e->Families().GetRelation(rin, relation, 0, out);
      break;
  }
  return out;
}

std::int32_t DbFindChildWithChildren(std::int32_t rin, std::int32_t preferredMrin) {
  if (CFamilyDatabase* old = OldFormat())
    return orv2::FindChildWithChildren(*old, rin, preferredMrin);
  ORV3* e = Engine(18);
  return e ? e->Families().FindChildWithChildren(rin, preferredMrin) : 0;
}

int DbHasParents(std::int32_t rin) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::HasParents(*old, rin);
  ORV3* e = Engine(19);
  return e ? e->Fields().HasParents(rin) : 0;
}

int DbHasChildren(std::int32_t rin, int type) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::HasChildren(*old, rin, type);
  ORV3* e = Engine(20);
  return e ? e->Families().HasChildren(rin, type) : 0;
}

int DbGetSex(std::int32_t rin) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::Sex(*old, rin);
  ORV3* e = Engine(21);
  return e ? e->Fields().GetSex(rin) : 0;
}

std::int32_t DbSetRelation(std::int32_t rin, std::int32_t rin2, int relation, std::int32_t extra) {
  ORV3* e = Engine(26);
  return e ? e->Families().DLLSETORV3RELATION(rin, rin2, relation, extra) : 0;
}

int DbMoveChildLink(std::int32_t rin, std::int32_t mrin, std::int32_t newMrin) {
  ORV3* e = Engine(27);
  return e ? e->Families().MoveChildLink(rin, mrin, newMrin) : 0;
}

int DbUnSetRelation(std::int32_t mrin, std::int32_t rin, int relation) {
  ORV3* e = Engine(27);
  return e ? e->Families().O3_UnSetRelation(mrin, rin, relation) : 0;
}

int DbUnlinkRIN(std::int32_t rin, int type) {
  ORV3* e = Engine(29);
  return e ? e->Families().O3_UnlinkRIN(rin, type) : 0;
}

int DbSetOrder(std::int32_t rin, const std::vector<std::int32_t>& list, int relation, int count) {
  ORV3* e = Engine(36);
  if (!e) return 0;
  const std::size_t n = std::min(list.size(), static_cast<std::size_t>(std::max(count, 0)));
  return e->Families().O3_SetOrder(rin, std::span<const std::int32_t>(list.data(), n), relation);
}
