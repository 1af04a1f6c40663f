#include "RelationshipFilter.h"

#include <algorithm>
#include <cstring>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FileUtil.h"
#include "FilterSet.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr int kNoLimit = 999;
constexpr std::size_t kFillBlock = 2048;

const char* const kSection = "Search";

std::vector<std::int32_t> Relations(std::int32_t rin, int relation, int subKind) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, relation, subKind, rin, 0);
  return list;
}

std::vector<std::int32_t> MarriagesOf(std::int32_t rin) {
  return Relations(rin, db::kRelSpouses, 0);
}
std::vector<std::int32_t> ChildrenOf(std::int32_t mrin) {
  return Relations(mrin, db::kRelChildren, 0);
}

bool Spouses(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) {
  CMarriageRecord m;
  if (DbGetRecord(mrin, db::kMarriage, &m) != 1) return false;
  husband = m.husband;
  wife = m.wife;
  return true;
}

// Replaces the first "%s" of text by arg.
std::string WithName(std::string text, const std::string& arg) {
  const std::size_t pos = text.find("%s");
  if (pos != std::string::npos) text.replace(pos, 2, arg);
  return text;
}

}  // namespace

// ---- generation stores ---------------------------------------------------------

CGenerationStore::~CGenerationStore() { Close(); }

void CGenerationStore::Close() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
    std::remove(path_.c_str());
  }
  memory_.clear();
}

int CGenerationStore::Create(std::int32_t highestRin, const std::string& fileName, bool forceFile,
                             const FolderChooser& chooser) {
  Close();
  highest_ = std::max<std::int32_t>(highestRin, 0);
  if (!forceFile && highest_ < kMemoryLimit) {
    memory_.assign(static_cast<std::size_t>(highest_) + 1, -1);
    return kCreated;
  }
  const std::uint64_t needed = static_cast<std::uint64_t>(highest_) * 2;
  std::string folder;
  const std::uint64_t free =
      chooser ? chooser(folder, needed) : GetTempPathWithSpace(folder, needed);
  if (free < needed) return kNoSpace;
  path_ = folder + fileName;
  file_ = std::fopen(path_.c_str(), "w+b");
  if (!file_) return kCannotCreate;
  const std::vector<unsigned char> block(kFillBlock, 0xFF);
  for (std::uint64_t written = 0; written < needed; written += kFillBlock) {
    if (std::fwrite(block.data(), 1, kFillBlock, file_) != kFillBlock) {
      Close();
      return kCannotCreate;
    }
  }
  if (std::fflush(file_) != 0) {
    Close();
    return kCannotCreate;
  }
  return kCreated;
}

std::int16_t CGenerationStore::Get(std::int32_t rin) {
  if (rin <= 0 || rin > highest_) return -1;
  if (!file_) return memory_[static_cast<std::size_t>(rin)];
  unsigned char b[2] = {0xFF, 0xFF};
  if (std::fseek(file_, static_cast<long>(rin - 1) * 2, SEEK_SET) != 0 ||
      std::fread(b, 1, 2, file_) != 2)
    return -1;
  return static_cast<std::int16_t>(b[0] | (b[1] << 8));
}

void CGenerationStore::Set(std::int32_t rin, std::int16_t count) {
  if (rin <= 0 || rin > highest_) return;
  if (!file_) {
    memory_[static_cast<std::size_t>(rin)] = count;
    return;
  }
  const auto u = static_cast<std::uint16_t>(count);
  const unsigned char b[2] = {static_cast<unsigned char>(u & 0xFF),
                              static_cast<unsigned char>(u >> 8)};
  if (std::fseek(file_, static_cast<long>(rin - 1) * 2, SEEK_SET) == 0) std::fwrite(b, 1, 2, file_);
}

// ---- the filter ---------------------------------------------------------------------

CRelationshipFilter::CRelationshipFilter(CFilterSet& set, RelationshipFilterHooks hooks)
    : set_(set), hooks_(std::move(hooks)) {
  highest_ = DbGetRIN(DbGetMaxRecordCount(db::kIndividual), db::kQueryIndividuals,
                      db::kWalkPreviousOrSame);
}

void CRelationshipFilter::Give(std::int32_t rin) {
  if (rin > 0) set_.SetInSet(CFilterSet::kRelationSet, rin, value_);
}

void CRelationshipFilter::Dispatch() {
  ++dispatches;
  if (hooks_.dispatch)
    hooks_.dispatch();
  else
    plat::PumpWaitingMessages();
}

std::string CRelationshipFilter::DisplayName(std::int32_t rin) const {
  CIndividualRecord record;
  if (DbGetIndividualRecord(rin, record, 3) != 1) return std::string();
  return record.GetName(0, false, 0, false);
}

std::vector<std::int32_t> CRelationshipFilter::ParentFamilies(std::int32_t rin, bool all) const {
  std::vector<std::int32_t> families = Relations(rin, db::kRelParents, 4);
  if (!all && families.size() > 1) families.resize(1);
  return families;
}

bool CRelationshipFilter::Run(int kind, std::int32_t rin, int value) {
  value_ = value != 0 ? 1 : 0;
  entriesWalked = 0;
  dispatches = 0;
  if (value_ == 1) {
    for (int s : {CFilterSet::kRelationSet, CFilterSet::kCombinedSet})
      if (!set_.HasSet(s)) set_.CreateSet(s, highest_);
  } else if (!set_.HasSet(CFilterSet::kRelationSet)) {
    return true;
  }
  set_.relationFilterPresent = 1;
  const bool related = kind == relkind::kAllRelated || kind == relkind::kAncestralRelated ||
                       kind == relkind::kDescendantRelated;
  const bool generations = kind == relkind::kAncestors || kind == relkind::kDescendants;
  if (related || generations) {
    upSeen_.Init(static_cast<std::uint32_t>(highest_) + 1);
    downSeen_.Init(static_cast<std::uint32_t>(highest_) + 1);
  }
  bool done = true;
  switch (kind) {
    case relkind::kIndividual:
      if (rin > 0 && rin <= set_.GetMaxIndex(CFilterSet::kRelationSet)) Give(rin);
      break;
    case relkind::kCouple:
      done = Couple(rin);
      break;
    case relkind::kFamily:
      done = Family(rin);
      break;
    case relkind::kAll:
      All();
      break;
    case relkind::kAncestors:
      done = Ancestors(rin);
      break;
    case relkind::kDescendants:
      done = Descendants(rin);
      break;
    default:
      if (related) {
        bool allParents = false;
        if (kind != relkind::kDescendantRelated) {
          const int stored = plat::Profile().GetInt(kSection, "FilterAncParents", 0);
          const int answer = plat::MessageBox(
              res::LoadString(res::kIdsAllParents),
              res::FormatString(res::kIdsRelativesOf, {DisplayName(rin)}),
              plat::kMbYesNo | plat::kMbIconQuestion | (stored ? 0u : plat::kMbDefButton2));
          allParents = answer == plat::kIdYes;
          if ((allParents ? 1 : 0) != stored)
            plat::Profile().SetInt(kSection, "FilterAncParents", allParents ? 1 : 0);
        }
        Related(kind, rin, allParents);
      }
      break;
  }
  upSeen_.Clear();
  downSeen_.Clear();
  return done;
}

bool CRelationshipFilter::Couple(std::int32_t rin) {
  Give(rin);
  std::vector<std::int32_t> marriages = MarriagesOf(rin);
  const std::string name = DisplayName(rin);
  if (marriages.empty()) {
    plat::MessageBox(WithName(res::LoadString(res::kIdsNoMarriages), name), "", plat::kMbOk);
    return true;
  }
  if (marriages.size() > 1 &&
      plat::MessageBox(WithName(res::LoadString(res::kIdsSeveralMarriages), name), "",
                       plat::kMbYesNo) == plat::kIdNo &&
      hooks_.chooseMarriage) {
    const std::int32_t chosen = hooks_.chooseMarriage(rin);
    if (chosen > 0) marriages.assign(1, chosen);
  }
  for (std::int32_t mrin : marriages) {
    std::int32_t husband = 0, wife = 0;
    if (!Spouses(mrin, husband, wife)) continue;
    Give(rin == husband ? wife : husband);
  }
  return true;
}

bool CRelationshipFilter::Family(std::int32_t rin) {
  Give(rin);
  const std::vector<std::int32_t> marriages = MarriagesOf(rin);
  const std::vector<std::int32_t> parents = ParentFamilies(rin, true);
  if (marriages.empty() && parents.empty()) {
    plat::MessageBox(WithName(res::LoadString(res::kIdsNoFamily), DisplayName(rin)), "",
                     plat::kMbOk);
    return true;
  }
  int choice = 0;
  std::int32_t single = 0;
  if (marriages.size() + parents.size() > 1 && hooks_.chooseFamily &&
      !hooks_.chooseFamily(rin, choice, single))
    return true;
  auto wanted = [&](std::int32_t mrin, bool asParent) {
    if (choice == 3) return mrin == single;
    return choice == 0 || (choice == 1 && asParent) || choice == 2;
  };
  // First pass: spouse and children of the marriages.
  if (choice != 2) {
    for (std::int32_t mrin : marriages) {
      if (!wanted(mrin, true)) continue;
      std::int32_t husband = 0, wife = 0;
      if (!Spouses(mrin, husband, wife)) continue;
      Give(rin == husband ? wife : husband);
      for (std::int32_t child : ChildrenOf(mrin)) Give(child);
    }
  }
  // Second pass: husband, wife and children of the marriages and the parent
  // families.
  if (choice != 1) {
    std::vector<std::int32_t> families = marriages;
    families.insert(families.end(), parents.begin(), parents.end());
    for (std::int32_t mrin : families) {
      if (!wanted(mrin, false)) continue;
      std::int32_t husband = 0, wife = 0;
      if (!Spouses(mrin, husband, wife)) continue;
      Give(husband);
      Give(wife);
      for (std::int32_t child : ChildrenOf(mrin)) Give(child);
    }
  }
  return true;
}

void CRelationshipFilter::All() {
  for (std::int32_t rin = 1; rin <= highest_; ++rin) Give(rin);
  if (value_ == 1) {
    // The delete chain, followed at most once round.
    std::int32_t steps = DbGetMaxRecordCount(db::kIndividual);
    for (std::int32_t gone = DbGetRIN(0, db::kQueryDeletedIndividuals, db::kWalkExact);
         gone > 0 && steps-- > 0;
         gone = DbGetRIN(gone, db::kQueryDeletedIndividuals, db::kWalkExact))
      set_.SetInSet(CFilterSet::kRelationSet, gone, 0);
  }
}

void CRelationshipFilter::Related(int kind, std::int32_t root, bool allParents) {
  std::deque<Entry> up, down;
  up.push_back({root, 0});
  upSeen_.SetBit(root, 1);
  Give(root);
  int upCount = 0, downCount = 0;
  while (!up.empty()) {
    const Entry s = up.front();
    ++entriesWalked;
    if (++upCount % kUpwardDispatch == 0) Dispatch();
    if (!(kind == relkind::kDescendantRelated && s.count == 0)) {
      for (std::int32_t mrin : ParentFamilies(s.rin, allParents)) {
        std::int32_t husband = 0, wife = 0;
        if (!Spouses(mrin, husband, wife)) continue;
        for (std::int32_t parent : {husband, wife}) {
          if (parent <= 0 || upSeen_.Test(parent)) continue;
          up.push_back({parent, static_cast<std::int16_t>(s.count + 1)});
          upSeen_.SetBit(parent, 1);
          Give(parent);
        }
      }
    }
    if (kind == relkind::kAncestralRelated && s.count == 0) downSeen_.SetBit(s.rin, 1);
    if (!downSeen_.Test(s.rin)) {
      down.push_back({s.rin, static_cast<std::int16_t>(s.rin == root ? 0 : 1)});
      downSeen_.SetBit(s.rin, 1);
    }
    while (!down.empty()) {
      const Entry p = down.front();
      ++entriesWalked;
      const std::vector<std::int32_t> marriages = MarriagesOf(p.rin);
      if (!marriages.empty() && ++downCount % kDownwardDispatch == 0) Dispatch();
      for (std::int32_t mrin : marriages) {
        std::int32_t husband = 0, wife = 0;
        if (!Spouses(mrin, husband, wife)) continue;
        const std::int32_t h = p.rin == husband ? wife : husband;
        // The entry pushed last on the downward queue; before each further
        // child it is kept from the upward walk, so that a child met again
        // as a spouse is not walked up from there (the last child is not).
        std::int32_t lastPushed = 0;
        if (h > 0) {
          if ((kind == relkind::kAncestralRelated || kind == relkind::kDescendantRelated) &&
              p.count == 0)
            upSeen_.SetBit(h, 1);
          if (!upSeen_.Test(h)) {
            up.push_back({h, p.count});
            upSeen_.SetBit(h, 1);
          }
          if (!downSeen_.Test(h)) {
            down.push_back({h, p.count});
            downSeen_.SetBit(h, 1);
            Give(h);
            lastPushed = h;
          }
        }
        for (std::int32_t child : ChildrenOf(mrin)) {
          if (lastPushed > 0) upSeen_.SetBit(lastPushed, 1);
          Give(child);
          if (!downSeen_.Test(child)) {
            down.push_back({child, static_cast<std::int16_t>(p.count + 1)});
            downSeen_.SetBit(child, 1);
            lastPushed = child;
          }
        }
      }
      down.pop_front();
    }
    up.pop_front();
  }
}

bool CRelationshipFilter::Ancestors(std::int32_t rin) {
  GenerationChoice choice;
  choice.generations = plat::Profile().GetInt(kSection, "FilterAncGens", kNoLimit);
  choice.descendantGenerations = plat::Profile().GetInt(kSection, "FilterAncDescGens", 2);
  choice.spouses = plat::Profile().GetInt(kSection, "FilterAncSpouse", 1) != 0;
  choice.allParents = plat::Profile().GetInt(kSection, "FilterAncParents", 0) != 0;
  if (hooks_.askGenerations && !hooks_.askGenerations(rin, true, choice)) return false;
  int n = choice.generations;
  const int d = choice.descendantGenerations;
  CGenerationStore upStore, downStore;
  int made = 0;
  auto make = [&](CGenerationStore& store) {
    const int result = store.Create(highest_, made == 0 ? "~KorRELSL.TMP" : "~KorRELS1.TMP",
                                    forceFileStores, hooks_.chooseFolder);
    ++made;
    if (result == CGenerationStore::kNoSpace)
      plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport),
                       res::LoadString(res::kIdsNoSpaceCaption),
                       plat::kMbOk | plat::kMbIconExclamation);
    return result == CGenerationStore::kCreated;
  };
  const bool limitUp = n > 0 && n < kNoLimit;
  const bool limitDown = d > 0 && d < kNoLimit;
  if (limitUp && !make(upStore)) return false;
  if (limitDown && !make(downStore)) return false;
  if (n < kNoLimit) n = std::max(0, n - 1);
  GenerationWalk(rin, n, d, choice.spouses, choice.allParents, limitUp ? &upStore : nullptr,
                 limitDown ? &downStore : nullptr);
  return true;
}

bool CRelationshipFilter::Descendants(std::int32_t rin) {
  GenerationChoice choice;
  choice.generations = plat::Profile().GetInt(kSection, "FilterDescGens", kNoLimit);
  choice.spouses = plat::Profile().GetInt(kSection, "FilterDescSpouse", 1) != 0;
  if (hooks_.askGenerations && !hooks_.askGenerations(rin, false, choice)) return false;
  int n = choice.generations;
  CGenerationStore downStore;
  const bool limit = n > 0 && n < kNoLimit;
  if (limit) {
    const int result =
        downStore.Create(highest_, "~KorRELSL.TMP", forceFileStores, hooks_.chooseFolder);
    if (result == CGenerationStore::kNoSpace)
      plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport),
                       res::LoadString(res::kIdsNoSpaceCaption),
                       plat::kMbOk | plat::kMbIconExclamation);
    if (result != CGenerationStore::kCreated) return false;
  }
  if (n >= 1 && n < kNoLimit) --n;
  GenerationWalk(rin, 0, n, choice.spouses, false, nullptr, limit ? &downStore : nullptr);
  return true;
}

void CRelationshipFilter::GenerationWalk(std::int32_t root, int up, int down, bool spouses,
                                         bool allParents, CGenerationStore* upStore,
                                         CGenerationStore* downStore) {
  std::deque<Entry> upQueue, downQueue;
  auto recordUp = [&](std::int32_t rin, int count) {
    if (upStore)
      upStore->Set(rin, static_cast<std::int16_t>(count));
    else
      upSeen_.SetBit(rin, 1);
  };
  auto seenUp = [&](std::int32_t rin, int count) {
    return upStore ? upStore->Get(rin) >= count : upSeen_.Test(rin) != 0;
  };
  auto recordDown = [&](std::int32_t rin, int count) {
    if (downStore)
      downStore->Set(rin, static_cast<std::int16_t>(count));
    else
      downSeen_.SetBit(rin, 1);
  };
  auto seenDown = [&](std::int32_t rin, int count) {
    return downStore ? downStore->Get(rin) >= count : downSeen_.Test(rin) != 0;
  };

  Give(root);
  recordUp(root, up);
  upQueue.push_back({root, static_cast<std::int16_t>(up)});
  int upCount = 0, downCount = 0;
  while (!upQueue.empty()) {
    const Entry s = upQueue.front();
    ++entriesWalked;
    if (++upCount % kUpwardDispatch == 0) Dispatch();
    if (s.count != 0) {
      const int c = s.count - 1;
      for (std::int32_t mrin : ParentFamilies(s.rin, allParents)) {
        std::int32_t husband = 0, wife = 0;
        if (!Spouses(mrin, husband, wife)) continue;
        for (std::int32_t parent : {husband, wife}) {
          if (parent <= 0 || seenUp(parent, c)) continue;
          upQueue.push_back({parent, static_cast<std::int16_t>(c)});
          Give(parent);
          recordUp(parent, c);
        }
      }
    }
    if (down != 0 || spouses) {
      if (!seenDown(s.rin, down)) {
        recordDown(s.rin, down);
        downQueue.push_back({s.rin, static_cast<std::int16_t>(down)});
      }
    }
    while (!downQueue.empty()) {
      const Entry p = downQueue.front();
      ++entriesWalked;
      if (p.count != 0 || spouses) {
        const std::vector<std::int32_t> marriages = MarriagesOf(p.rin);
        if (!marriages.empty() && ++downCount % kDownwardDispatch == 0) Dispatch();
        for (std::int32_t mrin : marriages) {
          std::int32_t husband = 0, wife = 0;
          if (!Spouses(mrin, husband, wife)) continue;
          if (spouses) Give(p.rin == husband ? wife : husband);
          if (p.count == 0) continue;
          const int c = p.count - 1;
          for (std::int32_t child : ChildrenOf(mrin)) {
            if (seenDown(child, c)) continue;
            recordDown(child, c);
            downQueue.push_back({child, static_cast<std::int16_t>(c)});
            Give(child);
          }
        }
      }
      downQueue.pop_front();
    }
    upQueue.pop_front();
  }
}
