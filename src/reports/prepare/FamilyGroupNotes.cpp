#include "FamilyGroupNotes.h"

#include <algorithm>

namespace rpt {

namespace {

class NotesPager {
 public:
  NotesPager(FamilyGroupRecordPages& pages, const FamilyGroupNotesSetup& setup,
             const FamilyGroupLineFit& fit)
      : pages_(pages), s_(setup), fit_(fit), lineHeight_(std::max(1, setup.lineHeight)) {}

  int FreshPageLines() const { return (s_.bodyHeight - 2 * s_.heading) / lineHeight_; }
  int LinesBelowUsed() const {
    return std::max(0, (s_.bodyHeight - pages_.usedHeight) / lineHeight_);
  }

  // A section begins on a new page with too few lines left, or on the
  // record's first page unless notes may start there.
  bool NeedsNewPage(int linesLeft) const {
    return linesLeft < 4 || (!s_.firstPage && pages_.entries.size() <= 1);
  }

  void Add(int kind, int start, int directChild, int lineOffset) {
    FamilyGroupPageEntry entry;
    const FamilyGroupPageEntry& last = pages_.entries.back();
    entry.key = last.key;
    entry.page = last.page + 1;
    entry.pageInRecord = last.pageInRecord + 1;
    entry.kind = kind;
    entry.start = start;
    entry.directChild = directChild;
    entry.lineOffset = lineOffset;
    pages_.entries.push_back(entry);
  }

  static std::size_t SkipLineBreak(std::string_view text, std::size_t pos) {
    return FamilyGroupSkipLineBreak(text, pos);
  }
  std::size_t NextLine(std::string_view text, std::size_t pos) const {
    return FamilyGroupNextLine(text, pos, fit_);
  }

  int Owner(const FamilyGroupNotesOwner& owner, int linesLeft) {
    const std::string_view text = owner.text;
    if (text.empty()) return linesLeft;
    const int capacity = FreshPageLines();
    linesLeft -= 2;  // heading and gap
    std::size_t pos = 0;
    while (pos < text.size()) {
      if (linesLeft <= 0) {
        std::size_t at = pos;
        while (SkipLineBreak(text, at) != at) at = SkipLineBreak(text, at);
        pos = at;
        if (pos >= text.size()) break;
        Add(kNotesPage, owner.owner, 1, static_cast<int>(pos));
        linesLeft = capacity - 2;
      }
      pos = NextLine(text, pos);
      --linesLeft;
      pos = SkipLineBreak(text, pos);
    }
    return linesLeft;
  }

  void Run(const std::vector<FamilyGroupNotesOwner>& owners,
           const std::vector<std::string>& citations) {
    int linesLeft = LinesBelowUsed();
    for (const FamilyGroupNotesOwner& owner : owners) {
      if (owner.text.empty()) continue;
      if (NeedsNewPage(linesLeft)) {
        Add(kNotesPage, owner.owner, 1, 0);
        linesLeft = FreshPageLines();
      }
      linesLeft = Owner(owner, linesLeft);
    }
    if (citations.empty()) return;
    if (owners.empty()) linesLeft = LinesBelowUsed();
    if (NeedsNewPage(linesLeft)) {
      Add(kSourcesPage, 0, 0, 0);
      linesLeft = FreshPageLines();
    }
    --linesLeft;  // the heading
    for (std::size_t index = 0; index < citations.size(); ++index) {
      const std::string_view text = citations[index];
      int placed = 0;
      std::size_t pos = 0;
      while (pos < text.size()) {
        if (linesLeft < 1) {
          Add(kSourcesPage, static_cast<int>(index), 0, placed);
          linesLeft = FreshPageLines() - 1;
        }
        pos = SkipLineBreak(text, NextLine(text, pos));
        --linesLeft;
        ++placed;
      }
    }
  }

 private:
  FamilyGroupRecordPages& pages_;
  const FamilyGroupNotesSetup& s_;
  const FamilyGroupLineFit& fit_;
  const int lineHeight_;
};

}  // namespace

std::size_t FamilyGroupNextLine(std::string_view text, std::size_t pos,
                                const FamilyGroupLineFit& fit) {
  const std::size_t length = fit(text.substr(pos));
  // An empty line (a paragraph break) ends at its CR LF, which the caller
  // steps over; any other line takes at least one character.
  if (length == 0 && FamilyGroupSkipLineBreak(text, pos) != pos) return pos;
  return pos + std::max<std::size_t>(length, 1);
}

std::size_t FamilyGroupSkipLineBreak(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n') return pos + 2;
  return pos;
}

void PaginateFamilyGroupNotes(FamilyGroupRecordPages& pages,
                              const std::vector<FamilyGroupNotesOwner>& owners,
                              const std::vector<std::string>& citations,
                              const FamilyGroupNotesSetup& setup, const FamilyGroupLineFit& fit) {
  if (pages.entries.empty()) return;
  NotesPager(pages, setup, fit).Run(owners, citations);
}

int RecordCitationNumber(const std::vector<std::int32_t>& recordCitations, std::int32_t citation,
                         const std::function<std::int32_t(std::int32_t)>& sourceOf) {
  const std::int32_t source = sourceOf(citation);
  for (std::size_t i = 0; i < recordCitations.size(); ++i)
    if (sourceOf(recordCitations[i]) == source) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace rpt
