#include "FamilyGroupPass.h"

#include <memory>

namespace rpt {

std::vector<FamilyGroupPageEntry> LayOutFamilyGroupRecord(FamilyGroupRecordContent content,
                                                          const FamilyGroupPassSetup& setup,
                                                          const FamilyGroupLineFit& fit,
                                                          std::int32_t firstPage) {
  FamilyGroupRecordPages pages = LayoutFamilyGroupRecord(content.shape, setup.pages, firstPage);
  PaginateFamilyGroupNotes(pages, content.notes, content.citationTexts, setup.notes, fit);
  const auto citations = std::make_shared<std::vector<std::int32_t>>(std::move(content.citations));
  const auto seen = std::make_shared<std::vector<std::uint8_t>>(std::move(content.citationSeen));
  const auto count = static_cast<std::int32_t>(pages.entries.size());
  for (FamilyGroupPageEntry& entry : pages.entries) {
    entry.recordPageCount = count;
    entry.citations = citations;
    entry.citationSeen = seen;
  }
  return std::move(pages.entries);
}

std::vector<FamilyGroupPageEntry> PaginateFamilyGroupRecords(
    const FamilyGroupSelection& selection, FamilyGroupTree& tree, CascadeMarks* marks,
    const FamilyGroupRecordReader& read, const FamilyGroupPassSetup& setup,
    const FamilyGroupLineFit& fit, const std::function<bool()>& running) {
  std::vector<FamilyGroupPageEntry> entries;
  const auto paginate = [&](const FamilyGroupRequest& request) {
    if (running && !running()) return false;
    std::optional<FamilyGroupRecordContent> content = read(request);
    if (!content) return false;
    const auto firstPage = static_cast<std::int32_t>(entries.size()) + 1;
    for (FamilyGroupPageEntry& entry :
         LayOutFamilyGroupRecord(std::move(*content), setup, fit, firstPage))
      entries.push_back(std::move(entry));
    return true;
  };
  SelectFamilyGroupRecords(selection, tree, marks, paginate, running);
  if (running && !running()) entries.clear();  // a cancelled pass keeps nothing
  return entries;
}

}  // namespace rpt
