#include "DatabaseChecker.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "AlphaIndexFile.h"
#include "Ansel.h"
#include "AnselCompare.h"
#include "DatabaseCheckerParts.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "MixedCase.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringTable.h"

using namespace orv;
using namespace checkrepair;

int CDatabaseChecker::IsValidPointer(std::int32_t value, int type, std::int32_t owner) {
  if (value <= 0) return 1;
  if (type == kBlockNames || type == kBlockOtherNames) {
    // An entry whose text was lost cannot be read back.
    if (textlessEntries_.count(value) != 0) return 0;
    for (const std::int64_t start : blocks_[type])
      if (start <= value && value < start + kBlockSize) return 1;
    return 0;
  }
  if (type == kBlockNotes) {
    if (value > Highest(RecordKind::NoteBlock)) return 0;
    return engine_.Records().LocateRecord(RecordKind::NoteBlock, value) >= 0 ? 1 : 0;
  }
  RecordKind kind;
  if (!KindOfBlockType(type, kind)) return 2;
  std::vector<std::uint8_t> buf(LayoutOf(kind).size);
  if (engine_.Records().IsLive(kind, value, buf.data()) != 1) return 0;
  if (type == kBlockContacts && owner > 0) {
    const std::int32_t contactOwner = GetI32(buf.data());
    if (contactOwner != owner) {
      bool fixed = false;
      if (repair_) {
        PutI32(buf.data(), owner);
        fixed = engine_.Records().WriteRaw(kind, value, buf.data()) != 0;
      }
      if (!LogProblem(Format("%s %lu %s pointer (%lu) is invalid. %s", "Contact", U(value),
                             "Individual", U(owner), repair_ ? kSetToZero : ""),
                      fixed))
        return 0;
    }
  }
  return 1;
}

// ---- shared pass machinery ----------------------------------------------------------

int CDatabaseChecker::CheckInPlace(Rec& rec, int fieldOffset, int targetType,
                                   const std::string& kindName, const std::string& pointerName,
                                   std::int32_t owner) {
  const std::int32_t value = GetI32(rec.bytes.data() + fieldOffset);
  if (IsValidPointer(value, targetType, owner) > 0) return stopped_ ? 0 : 1;
  if (stopped_) return 0;
  bool fixed = false;
  if (repair_) {
    PutI32(rec.bytes.data() + fieldOffset, 0);
    fixed = WriteRecord(rec);
    // A failed write leaves the field as the file holds it.
    if (!fixed) PutI32(rec.bytes.data() + fieldOffset, value);
  }
  return LogProblem(Format("%s %lu %s pointer (%lu) is invalid. %s", kindName.c_str(),
                           U(rec.number), pointerName.c_str(), U(value), repair_ ? kSetToZero : ""),
                    fixed);
}

int CDatabaseChecker::CheckEventFields(Rec& rec, int offset, bool ordinance,
                                       const std::string& kindName, const std::string& label) {
  struct Field {
    int at;
    int type;
    const char* name;
  };
  static const Field kPlaceEvent[] = {
      {6, kBlockNames, "place names"},  {10, kBlockNames, "place names"},
      {14, kBlockNames, "place names"}, {18, kBlockNames, "place names"},
      {22, kBlockNames, "Names"},       {26, kBlockCitations, "Citation"},
      {30, kBlockNotes, "Notes"},       {34, kBlockMultimedia, "Multimedia"}};
  static const Field kOrdinance[] = {{6, kBlockNames, "temple names"},
                                     {10, kBlockCitations, "Citation"},
                                     {14, kBlockNotes, "Notes"}};
  const Field* fields = ordinance ? kOrdinance : kPlaceEvent;
  const int count = ordinance ? 3 : 8;
  for (int i = 0; i < count; ++i) {
    const int at = offset + fields[i].at;
    const std::int32_t value = GetI32(rec.bytes.data() + at);
    if (IsValidPointer(value, fields[i].type) > 0) continue;
    if (stopped_) return 0;
    bool fixed = false;
    if (repair_) {
      PutI32(rec.bytes.data() + at, 0);
      fixed = WriteRecord(rec);
      if (!fixed) PutI32(rec.bytes.data() + at, value);
    }
    if (!LogProblem(
            Format("%s %lu %s %s pointer (%lu) is invalid. %s", kindName.c_str(), U(rec.number),
                   label.c_str(), fields[i].name, U(value), repair_ ? kSetToZero : ""),
            fixed))
      return 0;
  }
  return stopped_ ? 0 : 1;
}

template <class Fn>
int CDatabaseChecker::WalkRecords(RecordKind kind, const std::string& title,
                                  const std::string& kindName, bool resetWithLine,
                                  std::vector<std::int32_t>& deleted, Fn&& check,
                                  const char* chainLine) {
  const RecordLayout& layout = LayoutOf(kind);
  std::int32_t highest = Highest(kind);
  if (blocks_[layout.blockType].empty() && highest > 0) {
    if (resetWithLine &&
        !LogProblem(Format("Resetting %s count from %ld to 0 (block count was invalid)",
                           kindName.c_str(), static_cast<long>(highest)),
                    false))
      return 0;
    SetHighest(kind, 0);
    highest = 0;
  }
  if (!Stage(title, highest)) return 0;
  deleted.clear();
  Rec rec{kind, 0, std::vector<std::uint8_t>(layout.size)};
  for (std::int32_t n = 1; n <= highest; ++n) {
    if (!Step(n, highest)) return 0;
    if (engine_.Records().LocateRecord(kind, n) < 0) {
      if (!LogProblem(Format("The file header record count (%lu) does not match record count "
                             "(%lu).",
                             U(highest), U(n - 1)),
                      repair_ != 0))
        return 0;
      if (repair_) SetHighest(kind, n - 1);
      break;
    }
    rec.number = n;
    const int live = engine_.Records().IsLive(kind, n, rec.bytes.data());
    if (live == 1) {
      if (!check(rec)) return 0;
    } else if (live == -1) {
      deleted.push_back(n);
    }
  }
  return chainLine ? CheckDeleteChain(kind, deleted, chainLine) : 1;
}

int CDatabaseChecker::CheckNotes() {
  auto& records = engine_.Records();
  std::int32_t highest = Highest(RecordKind::NoteBlock);
  if (blocks_[kBlockNotes].empty() && highest > 0) {
    if (repair_) SetHighest(RecordKind::NoteBlock, 0);
    highest = 0;
  }
  if (!Stage("Checking Notes:", highest)) return 0;
  // The chains first, so that the links of every block are judged in the
  // one chain that keeps it.
  if (!CheckNoteOwners()) return 0;
  Rec rec{RecordKind::NoteBlock, 0, std::vector<std::uint8_t>(NoteBlockRec::kSize)};
  for (std::int32_t n = 1; n <= highest; ++n) {
    if (!Step(n, highest)) return 0;
    rec.number = n;
    if (records.LocateRecord(RecordKind::NoteBlock, n) < 0) {
      if (!LogProblem(Format("The file header record count (%lu) does not match record count "
                             "(%lu).",
                             U(highest), U(n - 1)),
                      repair_ != 0))
        return 0;
      if (repair_) SetHighest(RecordKind::NoteBlock, n - 1);
      break;
    }
    if (!records.ReadRaw(RecordKind::NoteBlock, n, rec.bytes.data())) continue;
    if (!CheckInPlace(rec, 0, kBlockNotes, "Notes", "next note block")) return 0;
    if (!CheckBackPointer(RecordKind::NoteBlock, n, GetI32(rec.bytes.data()), 4)) return 0;
    if (!CheckInPlace(rec, 4, kBlockNotes, "Notes", "previous note block")) return 0;
  }
  // The free list must hold every free block and nothing else: a stale head
  // (a process that died in batch mode) would hand out a block in use.
  if (engine_.Notes().FreeListIsSound()) return 1;
  const std::int32_t head = engine_.Blocks().Head().I32(kHeadNoteFreeHead);
  const bool fixed = repair_ && engine_.Notes().RebuildFreeList();
  return LogProblem(Format("%lu is not the location of the first free note.", U(head)), fixed);
}

// An invalid sex letter takes the role of the first marriage.
int CDatabaseChecker::CheckIndividualSex(Rec& rec, std::vector<std::uint8_t>& other) {
  std::uint8_t* b = rec.bytes.data();
  const std::int32_t n = rec.number;
  const std::uint8_t sex = b[0];
  if (std::string_view("FMUfmu").find(static_cast<char>(sex)) != std::string_view::npos) return 1;
  const char* letter = "U";
  const std::int32_t m = GetI32(b + 218);
  if (engine_.Records().IsLive(RecordKind::Marriage, m, other.data()) == 1) {
    if (GetI32(other.data() + 5) == n)
      letter = "M";
    else if (GetI32(other.data() + 9) == n)
      letter = "F";
  }
  bool fixed = false;
  if (repair_) {
    b[0] = static_cast<std::uint8_t>(letter[0]);
    fixed = WriteRecord(rec);
    if (!fixed) b[0] = sex;
  }
  const std::string fix = repair_ ? Format("Set the sex to %s.", letter) : "";
  return LogProblem(Format("RIN %lu has an invalid sex of %c.  %s", U(n), sex, fix.c_str()), fixed)
             ? 1
             : 0;
}

// The parent chain: the family links in which the individual is a child,
// closed at its first link where it runs back into itself.
int CDatabaseChecker::CheckParentChain(const Rec& rec, std::vector<std::uint8_t>& other) {
  auto& records = engine_.Records();
  const std::int32_t first = GetI32(rec.bytes.data() + 222);
  std::unordered_set<std::int32_t> visited{first};
  std::int32_t link = first;
  while (link > 0) {
    if (records.IsLive(RecordKind::FamilyLink, link, other.data()) != 1) break;
    const std::int32_t next = GetI32(other.data() + 9);
    if (next == first || next == 0) break;
    if (next < 0 || !visited.insert(next).second) {
      bool fixed = false;
      if (repair_) {
        PutI32(other.data() + 9, first);
        fixed = records.WriteRaw(RecordKind::FamilyLink, link, other.data()) != 0;
      }
      return LogProblem(
                 Format("Individual %lu has an infinite loop in the parent chain.", U(rec.number)),
                 fixed)
                 ? 1
                 : 0;
    }
    link = next;
  }
  return 1;
}

// The marriage chain: the individual's role in each marriage comes from the
// marriage's husband and wife numbers; the chain is cut before a marriage
// the individual is no partner in, or where it loops.
int CDatabaseChecker::CheckMarriageChain(Rec& rec, std::vector<std::uint8_t>& other) {
  auto& records = engine_.Records();
  std::uint8_t* b = rec.bytes.data();
  const std::int32_t n = rec.number;
  std::unordered_set<std::int32_t> visited;
  std::int32_t previous = 0;
  int previousField = 0;
  for (std::int32_t m = GetI32(b + 218); m != 0;) {
    const bool readable = m > 0 && records.IsLive(RecordKind::Marriage, m, other.data()) != 0;
    if (m > 0 && !readable) break;
    const bool husband = readable && GetI32(other.data() + 5) == n;
    const bool wife = readable && GetI32(other.data() + 9) == n;
    const bool loop = m < 1 || !visited.insert(m).second;
    // A live marriage the chain reaches with a side free takes the
    // individual there: the chain was written, the marriage not yet.
    const int side = !loop && !husband && !wife && records.IsLive(RecordKind::Marriage, m) == 1
                         ? FreeSpouseSide(b, other.data())
                         : 0;
    if (side != 0) {
      bool fixed = false;
      if (repair_) {
        PutI32(other.data() + side, n);
        fixed = records.WriteRaw(RecordKind::Marriage, m, other.data()) != 0;
      }
      if (!LogProblem(Format("Individual %lu marriage chain bad in MRIN %lu.%s", U(n), U(m),
                             repair_ ? " The marriage names the individual now." : ""),
                      fixed))
        return 0;
      if (!fixed) return 1;
      previous = m;
      previousField = side == 5 ? 77 : 81;
      m = GetI32(other.data() + previousField);
      continue;
    }
    if (loop || (!husband && !wife)) {
      bool fixed = false;
      if (repair_) {
        if (previous == 0) {
          PutI32(b + 218, 0);
          fixed = WriteRecord(rec);
        } else if (records.ReadRaw(RecordKind::Marriage, previous, other.data())) {
          PutI32(other.data() + previousField, 0);
          fixed = records.WriteRaw(RecordKind::Marriage, previous, other.data()) != 0;
        }
      }
      const std::string text =
          loop ? Format("Individual %lu has an infinite loop in the marriage chain.", U(n))
               : Format("Individual %lu marriage chain bad in MRIN %lu.", U(n), U(m));
      return LogProblem(text, fixed) ? 1 : 0;
    }
    previous = m;
    previousField = husband ? 77 : 81;
    m = GetI32(other.data() + previousField);
  }
  return 1;
}

// The extension record, when the file has one for the individual: its
// pointers and its user event chain.
int CDatabaseChecker::CheckIndividualExtension(std::int32_t n) {
  auto& records = engine_.Records();
  if (records.LocateRecord(RecordKind::IndividualExt, n) < 0) return 1;
  Rec ext{RecordKind::IndividualExt, n, std::vector<std::uint8_t>(IndividualExtRec::kSize)};
  if (!records.ReadRaw(RecordKind::IndividualExt, n, ext.bytes.data())) return 1;
  static const struct {
    int offset;
    int type;
    const char* name;
    const char* qualifier;
  } kExtension[] = {{4, kBlockUserEvents, "User event", "first"},
                    {12, kBlockMultimedia, "Multimedia", "first"},
                    {16, kBlockContacts, "Record", "Contact"},
                    {20, kBlockNames, "Names", "Nickname"},
                    {24, kBlockNames, "Names", "AKA"},
                    {28, kBlockNames, "Names", "Title (prefix)"},
                    {32, kBlockOtherNames, "Other name record", "Cause of Death"},
                    {36, kBlockNames, "Names", "Married Name"},
                    {40, kBlockOtherNames, "Other name record", "Physical Description"},
                    {44, kBlockMarriages, "Marriage", "first"},
                    {52, kBlockNames, "place names", "Baptism"},
                    {56, kBlockNames, "place names", "Baptism"},
                    {60, kBlockNames, "place names", "Baptism"},
                    {64, kBlockNames, "place names", "Baptism"},
                    {68, kBlockOtherNames, "Other name record", "Relationship"}};
  for (const auto& f : kExtension) {
    const std::int32_t value = GetI32(ext.bytes.data() + f.offset);
    if (IsValidPointer(value, f.type, n) > 0) continue;
    if (stopped_) return 0;
    bool fixed = false;
    if (repair_) {
      PutI32(ext.bytes.data() + f.offset, 0);
      fixed = WriteRecord(ext);
      if (!fixed) PutI32(ext.bytes.data() + f.offset, value);
    }
    if (!LogProblem(Format("%s %lu %s %s pointer (%lu) is invalid. %s", "Individual", U(n),
                           f.qualifier, f.name, U(value), repair_ ? kSetToZero : ""),
                    fixed))
      return 0;
  }
  return CheckUserEventChain(GetI32(ext.bytes.data() + 4), ext, 4, "individual");
}

// One live individual: its sex, events, text and block pointers, chains
// and extension record.
int CDatabaseChecker::CheckIndividual(Rec& rec, std::vector<std::uint8_t>& other) {
  const std::uint8_t* b = rec.bytes.data();
  const std::int32_t n = rec.number;
  if (!CheckIndividualSex(rec, other)) return 0;
  static const struct {
    int offset;
    bool ordinance;
    const char* label;
  } kEvents[] = {{22, false, "Birth"},   {60, false, "Christening"}, {98, false, "Death"},
                 {136, false, "Burial"}, {174, true, "ZEL Baptism"}, {196, true, "Endowment"}};
  for (const auto& e : kEvents)
    if (!CheckEventFields(rec, e.offset, e.ordinance, "Individual", e.label)) return 0;

  static const char* const kNameParts = "Names";
  for (int i = 0; i < 5; ++i)
    if (!CheckInPlace(rec, 1 + 4 * i, kBlockNames, "Individual", kNameParts)) return 0;
  if (!CheckInPlace(rec, 218, kBlockMarriages, "Individual", "Marriage") ||
      !CheckInPlace(rec, 222, kBlockFamilyLinks, "Individual", "Family link"))
    return 0;
  if (!CheckParentChain(rec, other) || !CheckMarriageChain(rec, other)) return 0;
  if (!CheckInPlace(rec, 226, kBlockNotes, "Individual", "Notes") ||
      !CheckInPlace(rec, 234, kBlockCitations, "Individual", "Citation") ||
      !CheckCitationChain(GetI32(b + 234), n, rec, 234, "Individual"))
    return 0;
  return CheckIndividualExtension(n);
}

// Puts every live individual out of the tree and back in, in RIN order;
// false when a record could not be read or written or put back.
bool CDatabaseChecker::RebuildIndividualTree(const std::vector<std::int32_t>& live) {
  auto& records = engine_.Records();
  bool rebuilt = true;
  std::vector<std::uint8_t> buf(IndividualRec::kSize);
  for (const std::int32_t n : live) {
    if (records.ReadRaw(RecordKind::Individual, n, buf.data()) == 0) {
      rebuilt = false;
      continue;
    }
    PutI32(buf.data() + 242, n);
    PutI32(buf.data() + 246, n);
    PutI32(buf.data() + 250, 0);
    if (!records.WriteRaw(RecordKind::Individual, n, buf.data())) rebuilt = false;
  }
  head_.SetI32(kHeadIndividualRoot, 0);
  MarkHeaderDirty(kHeadIndividualRoot);
  for (const std::int32_t n : live)
    if (engine_.Trees().InsertInTree(RecordKind::Individual, n) != 1) rebuilt = false;
  return rebuilt;
}

int CDatabaseChecker::CheckIndividuals() {
  auto& records = engine_.Records();
  std::vector<std::int32_t> deleted;
  std::vector<std::uint8_t> other(std::max(MarriageRec::kSize, FamilyLinkRec::kSize));
  // Tree links, checked with every live individual: self pointers, and
  // links to records that are not live individuals.
  std::vector<std::string> treeLines;
  std::vector<std::int32_t> live;
  const auto checkWithTree = [&](Rec& rec) -> int {
    const std::uint8_t* b = rec.bytes.data();
    const std::int32_t n = rec.number;
    live.push_back(n);
    static const struct {
      int offset;
      const char* text;
    } kLinks[] = {{242, "Individual %lu less pointer pointing to self."},
                  {246, "Individual %lu greater pointer pointing to self."},
                  {250, "Individual %lu parent pointer pointing to self."}};
    bool valid = true;
    for (const auto& link : kLinks) {
      const std::int32_t to = GetI32(b + link.offset);
      if (to == n)
        treeLines.push_back(Format(link.text, U(n)));
      else if (to != 0 && records.IsLive(RecordKind::Individual, to) != 1)
        valid = false;
    }
    if (!valid) treeLines.push_back(Format("Individual %lu is out of order.", U(n)));
    return CheckIndividual(rec, other);
  };
  if (!WalkRecords(RecordKind::Individual, "Checking Individuals:", "Individual", false, deleted,
                   checkWithTree))
    return 0;

  // Keys on the wrong side of their tree.
  if (!KeyOrderLines(RecordKind::Individual, "Individual", treeLines)) return 0;
  // Every live individual must be reached once from the root of the tree.
  if (!TreeReachLines(RecordKind::Individual, kHeadIndividualRoot, 242, "Individual", "individual",
                      treeLines))
    return 0;
  const bool rebuilt = !treeLines.empty() && repair_ && RebuildIndividualTree(live);
  for (const std::string& line : treeLines)
    if (!LogProblem(line, rebuilt)) return 0;
  return CheckDeleteChain(RecordKind::Individual, deleted, "RIN: %lu is not the first free RIN.");
}

int CDatabaseChecker::TreeReachLines(RecordKind kind, int rootField, int lesserOffset,
                                     const std::string& kindName, const std::string& treeName,
                                     std::vector<std::string>& lines) {
  auto& records = engine_.Records();
  std::vector<std::uint8_t> buf(LayoutOf(kind).size);
  std::unordered_set<std::int32_t> reached;
  std::vector<std::int32_t> todo;
  const std::int32_t root = head_.I32(rootField);
  if (root != 0) todo.push_back(root);
  long visits = 0;
  while (!todo.empty()) {
    const std::int32_t r = todo.back();
    todo.pop_back();
    // Met again: the tree (and every list walked from it) would show the
    // record twice.
    if (!reached.insert(r).second) {
      lines.push_back(Format("%s %lu is reached twice in the %s tree.", kindName.c_str(), U(r),
                             treeName.c_str()));
      continue;
    }
    if ((++visits & 63) == 0 && !Step(0, -1)) return 0;
    if (records.IsLive(kind, r, buf.data()) != 1) {
      lines.push_back(Format("%s %lu in the %s tree is not a live record.", kindName.c_str(), U(r),
                             treeName.c_str()));
      continue;
    }
    for (const int offset : {lesserOffset, lesserOffset + 4}) {
      const std::int32_t child = GetI32(buf.data() + offset);
      if (child > 0 && child != r) todo.push_back(child);
    }
  }
  const std::int32_t highest = Highest(kind);
  for (std::int32_t n = 1; n <= highest; ++n)
    if (!reached.count(n) && records.IsLive(kind, n) == 1)
      lines.push_back(Format("%s %lu is not connected to the %s tree.", kindName.c_str(), U(n),
                             treeName.c_str()));
  return stopped_ ? 0 : 1;
}

int CDatabaseChecker::CheckContacts() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) -> int {
    if (!CheckInPlace(rec, 0, kBlockIndividuals, "Contact", "Individual")) return 0;
    for (int i = 0; i < 10; ++i)
      if (!CheckInPlace(rec, 4 + 4 * i, kBlockOtherNames, "Contact", "Other name record")) return 0;
    return 1;
  };
  return WalkRecords(RecordKind::Contact, "Checking Contacts:", "Contact", true, deleted, check,
                     "Record pointer %lu is not the first free.");
}

int CDatabaseChecker::CheckMarriages() {
  auto& records = engine_.Records();
  std::vector<std::int32_t> deleted;
  std::vector<std::uint8_t> person(IndividualRec::kSize);
  std::vector<std::uint8_t> other(std::max(MarriageRec::kSize, FamilyLinkRec::kSize));

  // Whether individual p's marriage chain reaches marriage m (bounded by the
  // marriages met).
  const auto chainHolds = [&](std::int32_t p, std::int32_t m) {
    std::unordered_set<std::int32_t> visited;
    for (std::int32_t x = GetI32(person.data() + 218); x > 0 && visited.insert(x).second;) {
      if (x == m) return true;
      if (records.IsLive(RecordKind::Marriage, x, other.data()) == 0) return false;
      if (GetI32(other.data() + 5) == p)
        x = GetI32(other.data() + 77);
      else if (GetI32(other.data() + 9) == p)
        x = GetI32(other.data() + 81);
      else
        return false;
    }
    return false;
  };

  const auto spouse = [&](Rec& rec, int field, char letter, const char* role,
                          const char* roleName) -> int {
    if (!CheckInPlace(rec, field, kBlockIndividuals, "Marriage", role)) return 0;
    const std::int32_t m = rec.number;
    const std::int32_t p = GetI32(rec.bytes.data() + field);
    if (p > 0 && records.IsLive(RecordKind::Individual, p, person.data()) == 1) {
      // A valid sex other than the role's is what the user stated (a
      // same-sex couple, an unknown sex): a note, never damage, and never
      // changed. Only a byte that is no sex at all is damage.
      const int sex = std::toupper(person[0]);
      const bool stated = sex == 'M' || sex == 'F' || sex == 'U';
      if (stated && sex != letter) {
        if (!LogNote(Format("%s's record (RIN %lu) in marriage %lu is %s, as stated.", role, U(p),
                            U(m),
                            sex == 'M' ? "male" : (sex == 'F' ? "female" : "of unknown sex"))))
          return 0;
      } else if (!stated) {
        bool fixed = false;
        if (repair_) {
          person[0] = static_cast<std::uint8_t>(letter);
          fixed = records.WriteRaw(RecordKind::Individual, p, person.data()) != 0;
        }
        if (!LogProblem(
                Format("%s's record (RIN %lu) in marriage %lu has wrong sex", role, U(p), U(m)),
                fixed))
          return 0;
      }
      if (!chainHolds(p, m)) {
        // The spouse's chain takes the marriage at its end.
        const bool fixed = AppendToSpouseChain(p, person.data(), rec, field);
        if (!LogProblem(Format("Marriage %lu points to %s but %s doesn't point to marriage.", U(m),
                               roleName, roleName),
                        fixed))
          return 0;
      }
    }
    return 1;
  };

  const auto check = [&](Rec& rec) -> int {
    std::uint8_t* b = rec.bytes.data();
    const std::int32_t m = rec.number;
    if (!CheckEventFields(rec, 17, false, "Marriage", "Marriage") ||
        !CheckEventFields(rec, 55, true, "Marriage", "Sealing to Spouse"))
      return 0;
    if (!spouse(rec, 5, 'M', "Husband", "husband") || !spouse(rec, 9, 'F', "Wife", "wife"))
      return 0;

    // Child chain: the family links of the marriage's children.
    if (!CheckInPlace(rec, 13, kBlockFamilyLinks, "Marriage", "Family link")) return 0;
    {
      const std::int32_t first = GetI32(b + 13);
      std::unordered_set<std::int32_t> visited;
      std::int32_t link = first;
      while (link > 0) {
        visited.insert(link);
        if (records.IsLive(RecordKind::FamilyLink, link, other.data()) != 1) {
          if (!LogProblem(Format("Marriage %lu has a bad younger sibling chain.", U(m)), false))
            return 0;
          break;
        }
        if (GetI32(other.data() + 1) != m &&
            !LogProblem(Format("Marriage %lu points to family link for child %lu but the link "
                               "doesn't point to marriage.",
                               U(m), U(GetI32(other.data() + 13))),
                        GiveLinkItsMarriage(link, m, other.data())))
          return 0;
        const std::int32_t next = GetI32(other.data() + 5);
        if (next == first || next == 0) break;
        if (next < 0 || visited.count(next)) {
          bool fixed = false;
          if (repair_) {
            PutI32(other.data() + 5, first);
            fixed = records.WriteRaw(RecordKind::FamilyLink, link, other.data()) != 0;
          }
          if (!LogProblem(Format("Endless loop in child chain in family %lu.", U(m)), fixed))
            return 0;
          break;
        }
        link = next;
      }
    }

    if (!CheckInPlace(rec, 77, kBlockMarriages, "Marriage", "husband's next marriage") ||
        !CheckInPlace(rec, 81, kBlockMarriages, "Marriage", "wife's next marriage"))
      return 0;
    static const struct {
      int spouseField, nextField;
      const char* text;
    } kSides[] = {{5, 77, "Marriage %lu husband is 0 but husband's next marriage is %lu."},
                  {9, 81, "Marriage %lu wife is 0 but wife's next marriage is %lu."}};
    for (const auto& side : kSides) {
      const std::int32_t next = GetI32(b + side.nextField);
      if (GetI32(b + side.spouseField) != 0 || next == 0) continue;
      bool fixed = false;
      if (repair_) {
        PutI32(b + side.nextField, 0);
        fixed = WriteRecord(rec);
        if (!fixed) PutI32(b + side.nextField, next);
      }
      if (!LogProblem(Format(side.text, U(m), U(next)), fixed)) return 0;
    }
    if (!CheckInPlace(rec, 89, kBlockNotes, "Marriage", "Notes") ||
        !CheckInPlace(rec, 93, kBlockCitations, "Marriage", "Citation") ||
        !CheckCitationChain(GetI32(b + 93), m, rec, 93, "Marriage"))
      return 0;
    return CheckUserEventChain(GetI32(b + 85), rec, 85, "marriage");
  };
  return WalkRecords(RecordKind::Marriage, "Checking Marriages:", "Marriage", false, deleted,
                     check);
}

int CDatabaseChecker::CheckFamilyLinks() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) -> int {
    const std::uint8_t* b = rec.bytes.data();
    const std::int32_t n = rec.number;
    if (!IsLinkType(b[0])) {
      // The link's other fields cannot be trusted: name them and go on with
      // the next link.
      if (!LogProblem(Format("Family link %lu has an invalid link type", U(n)), false) ||
          !LogProblem(
              Format("Family link %lu invalid reference to MRIN %lu", U(n), U(GetI32(b + 1))),
              false) ||
          !LogProblem(
              Format("Family link %lu invalid reference to RIN %lu", U(n), U(GetI32(b + 13))),
              false))
        return 0;
      for (const int field : {5, 9}) {
        const std::int32_t to = GetI32(b + field);
        if (to != n &&
            !LogProblem(Format("Family link %lu invalid reference to Famlink %lu", U(n), U(to)),
                        false))
          return 0;
      }
      return 1;
    }
    return CheckEventFields(rec, 17, true, "Family link", "Sealing to Parent") &&
           CheckInPlace(rec, 1, kBlockMarriages, "Family link", "Marriage") &&
           CheckInPlace(rec, 5, kBlockFamilyLinks, "Family link",
                        "next younger sibling family link") &&
           CheckInPlace(rec, 9, kBlockFamilyLinks, "Family link", "next parents family link") &&
           CheckInPlace(rec, 13, kBlockIndividuals, "Family link", "Individual");
  };
  return WalkRecords(RecordKind::FamilyLink, "Checking Family Links:", "Family link", false,
                     deleted, check, "Record pointer %lu is not the first free.");
}

int CDatabaseChecker::CheckRepositories() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) {
    return CheckTreeOrder(rec, 287, "Repository %lu is out of order.");
  };
  return WalkRecords(RecordKind::Repository, "Checking Repositories:", "Repository", false, deleted,
                     check, "Record pointer %lu is not the first free.");
}

int CDatabaseChecker::CheckSources() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) -> int {
    std::uint8_t* b = rec.bytes.data();
    const std::int32_t n = rec.number;
    if (b[123] == 0) {
      bool fixed = false;
      if (repair_) {
        const std::string title = Format("#%ld", static_cast<long>(n));
        std::copy(title.begin(), title.end(), b + 123);
        fixed = WriteRecord(rec) && engine_.Trees().Resort(RecordKind::Source, n, b) != 0;
        fixed = fixed && WriteRecord(rec);
      }
      if (!LogProblem(Format("Source %lu is missing a title.", U(n)), fixed)) return 0;
    }
    if (!CheckInPlace(rec, 459, kBlockNotes, "Source", "comments") ||
        !CheckTreeOrder(rec, 463, "Source %lu is out of order."))
      return 0;
    static const struct {
      int offset;
      const char* text;
    } kSelf[] = {{463, "Source %lu less pointer loops back to itself."},
                 {467, "Source %lu greater pointer loops back to itself."}};
    for (const auto& link : kSelf) {
      if (GetI32(b + link.offset) != n) continue;
      bool fixed = false;
      if (repair_) {
        PutI32(b + link.offset, 0);
        fixed = WriteRecord(rec) && engine_.Trees().Resort(RecordKind::Source, n, b) == 1 &&
                WriteRecord(rec);
      }
      if (!LogProblem(Format(link.text, U(n)), fixed)) return 0;
    }
    return CheckInPlace(rec, 475, kBlockRepositories, "Source", "Repository");
  };
  if (!WalkRecords(RecordKind::Source, "Checking Sources:", "Source", false, deleted, check))
    return 0;
  std::vector<std::string> orderLines;
  if (!KeyOrderLines(RecordKind::Source, "Source", orderLines) ||
      !TreeReachLines(RecordKind::Source, kHeadSourceRoot, 463, "Source", "source", orderLines))
    return 0;
  const bool rebuilt =
      !orderLines.empty() && repair_ && engine_.Trees().RebuildTree(RecordKind::Source) == 1;
  for (const std::string& line : orderLines)
    if (!LogProblem(line, rebuilt)) return 0;
  return CheckDeleteChain(RecordKind::Source, deleted, "Record pointer %lu is not the first free.");
}

int CDatabaseChecker::CheckCitations() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) -> int {
    const std::int32_t n = rec.number;
    if (!CheckInPlace(rec, 1, kBlockNotes, "Citation", "actual text") ||
        !CheckInPlace(rec, 103, kBlockNotes, "Citation", "comments") ||
        !CheckInPlace(rec, 111, kBlockSources, "Citation", "Source") ||
        !CheckInPlace(rec, 115, kBlockCitations, "Citation", "next citation"))
      return 0;
    if (!CheckBackPointer(RecordKind::Citation, n, GetI32(rec.bytes.data() + 115), 119)) return 0;
    return CheckInPlace(rec, 119, kBlockCitations, "Citation", "previous citation");
  };
  return WalkRecords(RecordKind::Citation, "Checking Citations:", "Citation", false, deleted, check,
                     "Record pointer %lu is not the first free.");
}

int CDatabaseChecker::CheckUserEvents() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) -> int {
    const std::uint8_t* b = rec.bytes.data();
    const std::int32_t n = rec.number;
    if (!CheckEventFields(rec, 21, false, "User event", "User event") ||
        !CheckInPlace(rec, 0, kBlockUserEvents, "User event", "User event") ||
        !CheckBackPointer(RecordKind::UserEvent, n, GetI32(b), 4) ||
        !CheckInPlace(rec, 4, kBlockUserEvents, "User event", "User event"))
      return 0;
    // The owner is an individual or a marriage, as the owner letter says.
    const int ownerType = b[12] == db::kOwnerIndividual ? kBlockIndividuals
                          : b[12] == db::kOwnerMarriage ? kBlockMarriages
                                                        : 0;
    if (ownerType != 0 && !CheckInPlace(rec, 8, ownerType, "User event", "Record")) return 0;
    // An event whose owner was cleared reads as deleted from now on and
    // belongs in the delete chain.
    if (GetI32(b + 8) <= 0) deleted.push_back(n);
    return CheckInPlace(rec, 17, kBlockEventTypes, "User event", "Event type");
  };
  return WalkRecords(RecordKind::UserEvent, "Checking User Events:", "User event", true, deleted,
                     check, "Record pointer %lu is not the first free.");
}

int CDatabaseChecker::CheckEventTypes() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) -> int {
    if (!CheckInPlace(rec, 0, kBlockOtherNames, "Event type", "Other name record") ||
        !CheckInPlace(rec, 4, kBlockOtherNames, "Event type", "Other name record") ||
        !CheckInPlace(rec, 8, kBlockOtherNames, "Event type", "Other name record"))
      return 0;
    // Texts a narrative or a chart uses; only the user can supply them, and
    // an import makes types without them. They are told, not counted as
    // errors: the file is not damaged, and no repair could clear them.
    const std::uint8_t* b = rec.bytes.data();
    const std::string title = engine_.Strings().GetText(GetI32(b));
    const auto missing = [&](std::string line) {
      return Line(line.replace(line.find("%1"), 2, title));
    };
    if (GetI32(b + 4) == 0 && !missing("Event type '%1' is missing the verb construct")) return 0;
    if (GetI32(b + 8) == 0 && !missing("Event type '%1' is missing the place preposition"))
      return 0;
    if (!CheckTreeOrder(rec, 12, "Event type pointer %lu is out of order.")) return 0;
    if (b[24] == 0 && !missing("Event type '%1' is missing the short title")) return 0;
    return b[34] != 0 || missing("Event type '%1' is missing the abbreviation");
  };
  return WalkRecords(RecordKind::EventType, "Checking Event Types:", "Event type", true, deleted,
                     check, "Record pointer %lu is not the first free.");
}

int CDatabaseChecker::CheckMultimedia() {
  std::vector<std::int32_t> deleted;
  const auto check = [&](Rec& rec) -> int {
    if (!CheckInPlace(rec, 4, kBlockMultimedia, "Multimedia record", "Multimedia record") ||
        !CheckInPlace(rec, 8, kBlockMultimedia, "Multimedia record", "Multimedia record"))
      return 0;
    for (int i = 0; i < 4; ++i)
      if (!CheckInPlace(rec, 12 + 4 * i, kBlockOtherNames, "Multimedia record",
                        "Other name record"))
        return 0;
    return 1;
  };
  return WalkRecords(RecordKind::Multimedia, "Checking Multimedias:", "Multimedia record", true,
                     deleted, check, "Record pointer %lu is not the first free.");
}
