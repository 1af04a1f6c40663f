#include "FileLayout.h"

#include <algorithm>

#include "DbCodes.h"

namespace orv {

std::string FileHead::Text(int off, int width) const {
  int n = 0;
  while (n < width && bytes_[off + n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(bytes_.data() + off), n);
}

void FileHead::SetText(int off, int width, const std::string& text) {
  std::fill(bytes_.begin() + off, bytes_.begin() + off + width, 0);
  const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(width - 1));
  std::memcpy(bytes_.data() + off, text.data(), n);
}

int DBMap::UsedPositions(int g) const {
  int used = 1;
  for (int t = 1; t <= kMapTypes; ++t) used += Count(g, t);
  return used;
}

void GroupIndex::Build(const std::uint8_t* firstBlock) {
  std::copy(firstBlock, firstBlock + kBlockSize, types_.begin());
  counts_.fill(0);
  for (int k = 1; k < kGroupPositions; ++k) {
    const int t = firstBlock[k];
    if (t >= 1 && t <= kMapTypes) ++counts_[t];
  }
  std::fill(index_.begin(), index_.end(), 0);
  int start = kMapTypes;
  std::array<int, kMapTypes + 1> next{};
  for (int t = 1; t <= kMapTypes; ++t) {
    index_[t - 1] = static_cast<std::int16_t>(start);
    next[t] = start;
    start += counts_[t];
  }
  for (int k = 1; k < kGroupPositions; ++k) {
    const int t = firstBlock[k];
    if (t >= 1 && t <= kMapTypes) index_[next[t]++] = static_cast<std::int16_t>(k);
  }
}

int GroupIndex::Position(int t, int j) const {
  if (t < 1 || t > kMapTypes || j < 0 || j >= counts_[t]) return -1;
  return index_[index_[t - 1] + j];
}

void GroupIndex::Add(int k, int t) {
  if (k < 1 || k >= kGroupPositions || t < 1 || t > kMapTypes || types_[k] != 0 ||
      k < UsedPositions()) {
    // Not a new last position: index the whole map again.
    std::vector<std::uint8_t> first(types_);
    first[k] = static_cast<std::uint8_t>(t);
    Build(first.data());
    return;
  }
  // The highest position so far ends its type's run: the runs after it move
  // up by one.
  const int at = index_[t - 1] + counts_[t];
  int used = kMapTypes;
  for (int u = 1; u <= kMapTypes; ++u) used += counts_[u];
  std::copy_backward(index_.begin() + at, index_.begin() + used, index_.begin() + used + 1);
  index_[at] = static_cast<std::int16_t>(k);
  for (int u = t + 1; u <= kMapTypes; ++u) ++index_[u - 1];
  ++counts_[t];
  types_[k] = static_cast<std::uint8_t>(t);
}

int GroupIndex::UsedPositions() const {
  for (int k = kGroupPositions - 1; k > 0; --k)
    if (types_[k] != 0) return k + 1;
  return 1;
}

namespace {

const RecordLayout kLayouts[] = {
    {RecordKind::Individual, kBlockIndividuals, 298, 27, kHeadHighestIndividual,
     kHeadIndividualBlocks, kHeadIndividualChain, 1, HeadPart::Counters, db::kIndividual,
     "individual"},
    {RecordKind::IndividualExt, kBlockIndividualExt, 96, 85, kHeadHighestIndividual, -1, -1, -1,
     HeadPart::Counters, 0, "individual extension"},
    {RecordKind::Marriage, kBlockMarriages, 110, 74, kHeadHighestMarriage, kHeadMarriageBlocks,
     kHeadMarriageChain, 1, HeadPart::Counters, db::kMarriage, "marriage"},
    {RecordKind::NoteBlock, kBlockNotes, 256, 32, kHeadHighestNote, kHeadNoteBlocks,
     kHeadNoteFreeHead, 0, HeadPart::Counters, db::kNoteBlock, "note block"},
    {RecordKind::FamilyLink, kBlockFamilyLinks, 39, 210, kHeadHighestFamilyLink,
     kHeadFamilyLinkBlocks, kHeadFamilyLinkChain, 1, HeadPart::Counters, db::kFamilyLink,
     "family link"},
    {RecordKind::Citation, kBlockCitations, 127, 64, kHeadHighestCitation, kHeadCitationBlocks,
     kHeadCitationChain, 1, HeadPart::Counters, db::kCitation, "citation"},
    {RecordKind::Source, kBlockSources, 479, 17, kHeadHighestSource, kHeadSourceBlocks,
     kHeadSourceChain, 459, HeadPart::Counters, db::kSource, "source"},
    {RecordKind::SourceExt, kBlockSourceExt, 40, 204, kHeadHighestSource, -1, -1, -1,
     HeadPart::Counters, 0, "source extension"},
    {RecordKind::Repository, kBlockRepositories, 299, 27, kHeadHighestRepository,
     kHeadRepositoryBlocks, kHeadRepositoryChain, 287, HeadPart::Counters, db::kRepository,
     "repository"},
    {RecordKind::UserEvent, kBlockUserEvents, 84, 97, kHeadHighestUserEvent, kHeadUserEventBlocks,
     kHeadUserEventChain, 0, HeadPart::Tail, db::kUserEvent, "user event"},
    {RecordKind::EventType, kBlockEventTypes, 60, 136, kHeadHighestEventType, kHeadEventTypeBlocks,
     kHeadEventTypeChain, 12, HeadPart::Tail, db::kEventType, "event type"},
    {RecordKind::Contact, kBlockContacts, 52, 157, kHeadHighestContact, kHeadContactBlocks,
     kHeadContactChain, 4, HeadPart::Tail, db::kContact, "contact"},
    {RecordKind::Multimedia, kBlockMultimedia, 64, 128, kHeadHighestMultimedia,
     kHeadMultimediaBlocks, kHeadMultimediaChain, 0, HeadPart::Tail, db::kMultimedia, "multimedia"},
};

}  // namespace

const RecordLayout& LayoutOf(RecordKind kind) {
  for (const auto& l : kLayouts)
    if (l.kind == kind) return l;
  return kLayouts[0];
}

const RecordLayout* LayoutOfBlockType(int blockType) {
  for (const auto& l : kLayouts)
    if (l.blockType == blockType) return &l;
  return nullptr;
}

int BlockCountField(int blockType) {
  switch (blockType) {
    case kBlockNames:
      return kHeadNameBlocks;
    case kBlockIndividuals:
      return kHeadIndividualBlocks;
    case kBlockMarriages:
      return kHeadMarriageBlocks;
    case kBlockNotes:
      return kHeadNoteBlocks;
    case kBlockFamilyLinks:
      return kHeadFamilyLinkBlocks;
    case kBlockCitations:
      return kHeadCitationBlocks;
    case kBlockSources:
      return kHeadSourceBlocks;
    case kBlockRepositories:
      return kHeadRepositoryBlocks;
    case kBlockDescriptors:
      return kHeadDescriptorBlocks;
    case kBlockFirst:
      return kHeadGroups;
    case kBlockUserEvents:
      return kHeadUserEventBlocks;
    case kBlockEventTypes:
      return kHeadEventTypeBlocks;
    case kBlockContacts:
      return kHeadContactBlocks;
    case kBlockOtherNames:
      return kHeadOtherNameBlocks;
    case kBlockMultimedia:
      return kHeadMultimediaBlocks;
    default:
      return -1;
  }
}

}  // namespace orv
