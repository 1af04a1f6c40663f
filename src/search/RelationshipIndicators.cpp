#include "RelationshipIndicators.h"

#include <deque>
#include <vector>

#include "BitSet.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "Ports.h"
#include "RelationshipCode.h"
#include "RelationshipSearch.h"
#include "StringIds.h"
#include "StringTable.h"

namespace kin {
namespace {

constexpr int kComputeStep = 16;
constexpr int kClearStep = 35;

struct Entry {
  std::int32_t rin;
  CRelationshipCode code;
};

class IndicatorWalk {
 public:
  explicit IndicatorWalk(std::int32_t count) {
    blood_.Init(static_cast<std::uint32_t>(count) + 1);
    inLaw_.Init(static_cast<std::uint32_t>(count) + 1);
  }

  void Compute(std::int32_t root) {
    std::vector<std::int32_t> marriages = MarriagesOf(root);
    char rootSex = 'U';
    std::vector<std::int32_t> spouses;
    for (std::int32_t mrin : marriages) {
      std::int32_t husband = 0, wife = 0;
      SpousesOf(mrin, husband, wife);
      if (husband == root) {
        spouses.push_back(wife);
        rootSex = 'M';
      } else {
        spouses.push_back(husband);
        rootSex = 'F';
      }
    }
    CRelationshipCode code("0UN0");
    code.sex = rootSex;
    Start(root, code);
    for (std::int32_t spouse : spouses) {
      CRelationshipCode spouseCode("0UN0");
      spouseCode.kind = 'L';
      spouseCode.sex = rootSex == 'F' ? 'M' : 'F';
      Start(spouse, spouseCode);
    }
  }

  bool Marked(std::int32_t rin) const { return blood_.Test(rin) || inLaw_.Test(rin); }

 private:
  static std::vector<std::int32_t> MarriagesOf(std::int32_t rin) {
    std::vector<std::int32_t> list;
    DbGetRelationList(list, db::kRelSpouses, 0, rin, 0);
    return list;
  }
  static std::vector<std::int32_t> ChildrenOf(std::int32_t mrin) {
    std::vector<std::int32_t> list;
    DbGetRelationList(list, db::kRelChildren, 0, mrin, 0);
    return list;
  }

  void Start(std::int32_t rin, const CRelationshipCode& code) {
    if (rin > 0) Add(ancestors_, rin, code);
    while (!ancestors_.empty() || !descendants_.empty() || !spouses_.empty()) {
      while (!ancestors_.empty()) {
        Entry e = ancestors_.front();
        ancestors_.pop_front();
        Ancestor(e);
        Tick();
      }
      while (!descendants_.empty()) {
        Entry e = descendants_.front();
        descendants_.pop_front();
        Descendant(e);
        Tick();
      }
      while (!spouses_.empty()) {
        Entry e = spouses_.front();
        spouses_.pop_front();
        // An indicator is a mark the next run sets again; one that cannot
        // be written was told by the engine and the walk goes on (it
        // reports no result).
        (void)DbSetRelationshipIndicator(e.rin, e.code.Format());
        Tick();
      }
    }
  }

  void Ancestor(const Entry& e) {
    CIndividualRecord record;
    if (DbGetIndividualRecord(e.rin, record, 2) != 1) return;
    (void)DbSetRelationshipIndicator(e.rin, e.code.Format());  // as for the spouses
    if (record.numbers[CIndividualRecord::kParentsMrin] > 0 &&
        (e.code.kind == 'N' || e.code.referenceCount < 1)) {
      std::vector<std::int32_t> families;
      DbGetRelationList(families, db::kRelParents, 4, e.rin, 0);
      for (std::int32_t mrin : families) {
        std::int32_t husband = 0, wife = 0;
        if (!SpousesOf(mrin, husband, wife)) continue;
        CRelationshipCode up = e.code;
        up.referenceCount = static_cast<std::int16_t>(up.referenceCount + 1);
        up.sex = 'M';
        Add(ancestors_, husband, up);
        up.sex = 'F';
        Add(ancestors_, wife, up);
      }
    }
    for (std::int32_t mrin : MarriagesOf(e.rin)) {
      for (std::int32_t child : ChildrenOf(mrin)) {
        CRelationshipCode down = e.code;
        down.personCount = static_cast<std::int16_t>(down.personCount + 1);
        Add(descendants_, child, down);
      }
    }
  }

  void Descendant(Entry e) {
    CIndividualRecord record;
    if (DbGetIndividualRecord(e.rin, record, 1) != 1) return;
    e.code.sex = record.sex == 'F' ? 'F' : 'M';
    (void)DbSetRelationshipIndicator(e.rin, e.code.Format());  // as for the spouses
    const std::vector<std::int32_t> marriages = MarriagesOf(e.rin);
    for (std::int32_t mrin : marriages) {
      std::int32_t husband = 0, wife = 0;
      if (!SpousesOf(mrin, husband, wife)) continue;
      CRelationshipCode spouse = e.code;
      spouse.kind = 'L';
      if (husband == e.rin) {
        spouse.sex = 'F';
        Add(spouses_, wife, spouse);
      } else {
        spouse.sex = 'M';
        Add(spouses_, husband, spouse);
      }
    }
    for (std::int32_t mrin : marriages) {
      for (std::int32_t child : ChildrenOf(mrin)) {
        CRelationshipCode down = e.code;
        down.personCount = static_cast<std::int16_t>(down.personCount + 1);
        if (down.personCount > down.referenceCount) down.kind = 'N';
        Add(descendants_, child, down);
      }
    }
  }

  void Add(std::deque<Entry>& queue, std::int32_t rin, const CRelationshipCode& code) {
    if (rin <= 0 || blood_.Test(rin)) return;
    if (code.kind == 'L') {
      if (inLaw_.Test(rin)) return;
      inLaw_.SetBit(rin, 1);
    } else {
      blood_.SetBit(rin, 1);
    }
    queue.push_back(Entry{rin, code});
  }

  void Tick() {
    if (++ticks_ % kComputeStep != 0) return;
    position_ += kComputeStep;
    plat::Progress().SetPosition(position_);
    DispatchWaitingMessages();
  }

  CBitSet blood_, inLaw_;
  std::deque<Entry> ancestors_, descendants_, spouses_;
  int ticks_ = 0;
  int position_ = 0;
};

}  // namespace

void SetRelationshipIndicators(const IndicatorRun& run) {
  const std::int32_t count = DbGetRecordCount(db::kIndividual);
  plat::ProgressPort& progress = plat::Progress();
  progress.Begin(res::LoadString(res::kIdsIndicatorsCaption), count > 0 ? count : 1);
  progress.SetText(res::LoadString(res::kIdsSettingRelationships));

  const bool stopLogging = run.changeLogOption && CurrentDatabase != nullptr;
  if (stopLogging) CurrentDatabase->host.logChanges = false;

  IndicatorWalk walk(count > 0 ? count : 0);
  if (run.compute && run.root > 0) walk.Compute(run.root);

  // Every number up to the highest individual is visited, so the last
  // individual loses a stale indicator too.
  progress.SetPosition(0);
  const std::int32_t highest = DbGetMaxRecordCount(db::kIndividual);
  CIndividualRecord record;
  for (std::int32_t rin = 1; rin <= highest; ++rin) {
    if (rin % kClearStep == 0) {
      progress.SetPosition(rin);
      plat::PumpWaitingMessages();
      progress.CancelRequested();
    }
    if (walk.Marked(rin)) continue;
    if (DbGetIndividualRecord(rin, record, 8) != 1 || record.linkText.empty()) continue;
    (void)DbSetRelationshipIndicator(rin, "");  // as for the spouses
  }

  if (stopLogging) CurrentDatabase->host.logChanges = true;
  progress.End();
}

}  // namespace kin
