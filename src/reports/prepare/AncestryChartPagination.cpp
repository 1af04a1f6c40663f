#include "AncestryChartPagination.h"

#include <algorithm>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

std::int32_t ParentFamilyOf(std::int32_t rin) {
  std::vector<std::int32_t> family;
  if (rin > 0) DbGetRelation(rin, db::kRelParents, 0, family);
  return family.empty() ? 0 : family[0];
}

bool ReadCouple(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) {
  husband = wife = 0;
  CMarriageRecord marriage;
  if (mrin <= 0 || DbGetRecord(mrin, db::kMarriage, &marriage) != 1) return false;
  husband = marriage.husband;
  wife = marriage.wife;
  return true;
}

bool IsLiveIndividual(std::int32_t rin) {
  return rin > 0 && DbGetRIN(rin, db::kQueryIndividuals, db::kWalkExact) == rin;
}

}  // namespace

char ChartSexLetter(std::int32_t rin) {
  const int sex = DbGetSex(rin);
  return sex == 'M' || sex == 'F' ? static_cast<char>(sex) : ' ';
}

bool AncestryChartWalk::StartAt(std::int32_t root) {
  stack.clear();
  if (!IsLiveIndividual(root)) return false;
  AncestryChartNode node;
  node.rin = root;
  node.child = root;
  node.parentFamily = ParentFamilyOf(root);
  node.generation = 1;
  node.state = AncestryChartNode::kNew;
  node.sex = ChartSexLetter(root);
  stack.push_back(node);
  if (recording) WriteChartSlot(root, {0, root});
  return true;
}

void AncestryChartWalk::ReadParentFamily(AncestryChartNode& node) {
  const ChartRun& run = CurrentChartRun();
  node.secondParent = 0;
  node.parentsDrawn = 0;
  std::int32_t husband = 0, wife = 0;
  if (node.parentFamily <= 0 || node.parentFamily > run.highestMrin ||
      !ReadCouple(node.parentFamily, husband, wife))
    return;
  if (husband > 0 && husband <= run.highestRin) node.parentsDrawn |= 1;
  if (wife > 0 && wife <= run.highestRin) {
    node.secondParent = wife;
    node.parentsDrawn |= 2;
  }
}

void AncestryChartWalk::Rebuild(const CChartPageEntry& entry) {
  const ChartRun& run = CurrentChartRun();
  stack.clear();
  for (std::size_t i = 0; i < entry.records.size(); ++i) {
    AncestryChartNode node;
    node.rin = static_cast<std::int32_t>(entry.records[i]);
    node.child = i == 0 ? node.rin : stack.back().rin;
    node.generation = static_cast<std::uint8_t>(i + 1);
    node.state = i < entry.codes.size() ? static_cast<std::uint8_t>(entry.codes[i])
                                        : std::uint8_t{AncestryChartNode::kNew};
    node.sex = ChartSexLetter(node.rin);
    node.familyOfOrigin = i == 0 ? 0 : stack.back().parentFamily;
    const bool first = ReadChartSlot(node.rin).second == node.child;
    if (first && node.generation < run.generationLimit) {
      node.parentFamily = ParentFamilyOf(node.rin);
      ReadParentFamily(node);
    }
    stack.push_back(node);
  }
}

void AncestryChartWalk::PushParent(const AncestryChartNode& child, std::int32_t rin, bool father) {
  (void)father;
  AncestryChartNode node;
  node.rin = rin;
  node.child = child.rin;
  node.parentFamily = ParentFamilyOf(rin);
  node.familyOfOrigin = child.parentFamily;
  node.generation = static_cast<std::uint8_t>(child.generation + 1);
  node.state = AncestryChartNode::kNew;
  node.sex = ChartSexLetter(rin);
  stack.push_back(node);
}

AncestryChartWalk::Step AncestryChartWalk::RunStep() {
  if (stack.empty()) return Step::kFinished;
  ChartRun& run = CurrentChartRun();
  const std::size_t top = stack.size() - 1;
  AncestryChartNode& node = stack[top];
  run.deepest = std::max<int>(run.deepest, node.generation);
  if (node.generation >= run.generationLimit) node.parentFamily = 0;
  Step result = Step::kMoved;

  if (node.state == AncestryChartNode::kNew) {
    if (node.parentFamily > 0 && node.parentFamily <= run.highestMrin) {
      const ChartSlot slot = ReadChartSlot(node.rin);
      const bool rootItself = node.generation == 1 && slot.second == run.root;
      if (slot.second != 0 && slot.second != node.child && !rootItself) {
        // Reached before by another way (or a loop back to the root).
        node.parentFamily = 0;
        run.repeatDepth = std::max<int>(run.repeatDepth, node.generation);
      }
    } else {
      node.parentFamily = 0;
    }
    if (node.parentFamily != 0) {
      ReadParentFamily(node);
      std::int32_t husband = 0, wife = 0;
      ReadCouple(node.parentFamily, husband, wife);
      if (recording && node.secondParent != 0 && ReadChartSlot(node.secondParent).second == 0)
        WriteChartSlot(node.secondParent, {0, node.rin});
      if (husband > 0 && husband <= run.highestRin) {
        if (recording && ReadChartSlot(husband).second == 0) WriteChartSlot(husband, {0, node.rin});
        CIndividualRecord father;
        if (DbGetIndividualRecord(husband, father, 0) == 1) {
          node.state = AncestryChartNode::kBoxDue;
          const AncestryChartNode copy = node;
          PushParent(copy, husband, true);
          return Step::kMoved;
        }
      }
    }
    node.state = AncestryChartNode::kBoxDue;
  }

  if (stack[top].state == AncestryChartNode::kBoxDue) {
    if (placeBox && !placeBox(stack[top])) return Step::kStopped;
    AncestryChartNode& placed = stack[top];
    if (recording) {
      ChartSlot slot = ReadChartSlot(placed.rin);
      if (slot.second == placed.child) {
        slot.first = static_cast<std::int32_t>(Paginator().pageEntries.size());
        WriteChartSlot(placed.rin, slot);
      }
      // Every person placed, mothers too, so that no code lacks its legend line.
      AddChartLegendFlags(placed.rin);
    }
    placed.state = AncestryChartNode::kBoxPlaced;
    result = Step::kPlaced;
  }

  if (stack[top].state == AncestryChartNode::kBoxPlaced) {
    AncestryChartNode& placed = stack[top];
    const std::int32_t mother = placed.secondParent;
    CIndividualRecord record;
    if (mother > 0 && mother <= run.highestRin && DbGetIndividualRecord(mother, record, 0) == 1) {
      placed.state = AncestryChartNode::kFinished;
      const AncestryChartNode copy = placed;
      PushParent(copy, mother, false);
      return result;
    }
    placed.secondParent = 0;
    placed.state = AncestryChartNode::kFinished;
  }

  while (!stack.empty() && stack.back().state == AncestryChartNode::kFinished) stack.pop_back();
  return result;
}

int PaginateAncestryChart(int* generations, int* repeatDepth, std::int32_t rootRin,
                          int firstPageRows, int otherPageRows) {
  CleanupChartPages();
  ChartRun& run = CurrentChartRun();
  run.ancestry = true;
  run.wallChart = false;
  run.root = rootRin;
  // A figure of 0 or less would open a page per row.
  run.firstPageRows = std::max(1, firstPageRows);
  run.otherPageRows = std::max(1, otherPageRows);
  run.generationLimit = std::max(1, generations != nullptr ? *generations : 1);

  AncestryChartWalk walk;
  walk.recording = true;
  walk.placeBox = [&walk](const AncestryChartNode&) {
    OpenChartRow([&walk] {
      auto entry = std::make_unique<CChartPageEntry>();
      for (const AncestryChartNode& n : walk.stack) {
        entry->records.push_back(static_cast<std::uint32_t>(n.rin));
        entry->codes.push_back(n.state);
      }
      entry->key = walk.stack.back().rin;
      return entry;
    });
    return true;
  };
  const std::string title = res::LoadString(res::kIdsAncestryChart);
  const int pages = RunChartPagination(
      title.c_str(), "Ancestry Chart", [&] { return walk.StartAt(rootRin); },
      [&] { return walk.RunStep() != AncestryChartWalk::Step::kFinished; });
  if (generations != nullptr) *generations = pages > 0 ? run.deepest : 0;
  if (repeatDepth != nullptr) *repeatDepth = pages > 0 ? run.repeatDepth : 0;
  return pages;
}

}  // namespace rpt
