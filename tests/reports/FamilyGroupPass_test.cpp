// The Family Group Record pass: records of a list laid out one after
// another, numbered within the record and across the report.
#include "FamilyGroupPass.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class NoTree : public rpt::FamilyGroupTree {
 public:
  std::int32_t Husband(std::int32_t) override { return 0; }
  std::int32_t Wife(std::int32_t) override { return 0; }
  std::vector<std::int32_t> Children(std::int32_t) override { return {}; }
  std::int32_t FirstParentFamily(std::int32_t) override { return 0; }
  std::vector<std::int32_t> Marriages(std::int32_t) override { return {}; }
  std::int32_t HighestIndividual() override { return 0; }
  std::int32_t HighestFamily() override { return 0; }
};

constexpr int H = 240, R = 210;

// Family 1: a husband of 20 rows and a wife of 6 on a body of 3000 (three
// pages); family 3: a small couple with notes (a notes page follows);
// family 2 does not exist.
std::optional<rpt::FamilyGroupRecordContent> Read(const rpt::FamilyGroupRequest& request) {
  rpt::FamilyGroupRecordContent content;
  content.shape.key = request.key;
  switch (request.key) {
    case 1:
      content.shape.husbandHeight = H + 20 * R;
      content.shape.wifeHeight = H + 6 * R;
      content.citations = {41, 42};
      content.citationSeen = {0, 0};
      break;
    case 3:
      content.shape.husbandHeight = H + 3 * R;
      content.shape.wifeHeight = H + 3 * R;
      content.notes = {{rpt::kNotesOwnerHusband, "A short note."}};
      content.citations = {43};
      content.citationSeen = {0};
      break;
    default:
      return std::nullopt;
  }
  return content;
}

std::string Describe(const std::vector<rpt::FamilyGroupPageEntry>& entries) {
  std::string text;
  for (const auto& e : entries) {
    if (!text.empty()) text += ' ';
    text += std::to_string(e.key) + '#' + std::to_string(e.page) + ':' +
            std::to_string(e.pageInRecord) + '/' + std::to_string(e.recordPageCount);
  }
  return text;
}

rpt::FamilyGroupPassSetup PassSetup() {
  rpt::FamilyGroupPassSetup setup;
  setup.pages.bodyHeight = 3000;
  setup.pages.rows = rpt::FamilyGroupRowsOf(0);
  setup.notes = {3000, H, 125, false};
  return setup;
}

std::size_t WholeLine(std::string_view text) { return text.size(); }

TEST(PaginateFamilyGroupRecords, RecordsOfAListFollowOneAnother) {
  NoTree tree;
  rpt::FamilyGroupSelection selection;
  selection.list = "3 2 1";
  const auto entries =
      rpt::PaginateFamilyGroupRecords(selection, tree, nullptr, Read, PassSetup(), WholeLine, {});
  EXPECT_EQ(Describe(entries), "3#1:1/2 3#2:2/2 1#3:1/3 1#4:2/3 1#5:3/3");
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[1].kind, rpt::kNotesPage);
  // Entries of a record share its citation list; records have their own.
  EXPECT_EQ(entries[0].citations, entries[1].citations);
  EXPECT_EQ(*entries[0].citations, std::vector<std::int32_t>{43});
  EXPECT_EQ(entries[2].citations, entries[4].citations);
  EXPECT_NE(entries[1].citations, entries[2].citations);
  EXPECT_EQ(*entries[4].citations, (std::vector<std::int32_t>{41, 42}));
}

TEST(PaginateFamilyGroupRecords, CancelKeepsNothing) {
  NoTree tree;
  rpt::FamilyGroupSelection selection;
  selection.list = "3 1";
  int calls = 0;
  const auto entries = rpt::PaginateFamilyGroupRecords(selection, tree, nullptr, Read, PassSetup(),
                                                       WholeLine, [&] { return ++calls < 3; });
  EXPECT_TRUE(entries.empty());
}

}  // namespace
