#include "CitationNumbers.h"

#include <algorithm>
#include <memory>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"

namespace {

// The source of every numbered citation, in numbering order, and the image
// references met so far; both live until they are discarded.
std::unique_ptr<std::vector<std::int32_t>> g_sources;
std::unique_ptr<std::vector<std::int32_t>> g_images;

// The reference by which repeated citations are told apart for the short
// footnote form. The family file keeps no separate image key on a citation,
// so its source stands for it: a source met in an earlier section is printed
// short.
std::int32_t ImageReference(const CCitationRecord& citation) { return citation.sourceRin; }

}  // namespace

int NumberCitation(std::int32_t citation, std::vector<std::int32_t>& numbered,
                   std::vector<std::uint8_t>& seenFlags,
                   const std::vector<std::uint16_t>* sectionStarts, int section) {
  if (!g_sources) g_sources = std::make_unique<std::vector<std::int32_t>>();
  if (!g_images) g_images = std::make_unique<std::vector<std::int32_t>>();

  std::size_t start = 0;
  if (section > 1 && sectionStarts && static_cast<std::size_t>(section - 2) < sectionStarts->size())
    start = (*sectionStarts)[section - 2];

  CCitationRecord record;
  if (!DbGetRecord(citation, db::kCitation, &record)) record.Clear();

  for (std::size_t i = start; i < g_sources->size(); ++i)
    if ((*g_sources)[i] == record.sourceRin) return static_cast<int>(i - start + 1);

  numbered.push_back(citation);
  g_sources->push_back(record.sourceRin);
  const std::int32_t image = ImageReference(record);
  std::uint8_t seen = 0;
  if (std::find(g_images->begin(), g_images->end(), image) != g_images->end())
    seen = 1;
  else
    g_images->push_back(image);
  seenFlags.push_back(seen);
  // Counted from the section's start, as a repeated source is above, so that
  // the numbers of a later section begin at 1 again.
  return static_cast<int>(g_sources->size() - start);
}

void DiscardCitationNumberLists() {
  g_sources.reset();
  g_images.reset();
}

void InsertSortedNumber(std::int32_t number, std::vector<std::int32_t>& list) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (*it == number) return;
    if (*it > number) {
      list.insert(it, number);
      return;
    }
  }
  list.push_back(number);
}
