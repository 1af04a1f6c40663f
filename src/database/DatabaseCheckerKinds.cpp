#include <algorithm>
#include <vector>

#include "DatabaseChecker.h"
#include "DatabaseCheckerParts.h"
#include "ORV3.h"
#include "RecordMaps.h"
#include "Records.h"

using namespace orv;
using namespace checkrepair;

namespace {

// The kinds asked of the entries, one byte per byte of the stores' blocks;
// rows gives each block number its row (from 1), 0 for a block of no store.
struct AskedKinds {
  std::vector<std::int32_t>& rows;
  std::vector<std::uint8_t>& kinds;

  std::uint8_t* At(std::int32_t offset) {
    if (offset < kBlocksOffset) return nullptr;
    const std::size_t block = static_cast<std::size_t>((offset - kBlocksOffset) / kBlockSize);
    if (block >= rows.size() || rows[block] == 0) return nullptr;
    return &kinds[static_cast<std::size_t>(rows[block] - 1) * kBlockSize +
                  static_cast<std::size_t>((offset - kBlocksOffset) % kBlockSize)];
  }
  void Ask(std::int32_t reference, int kind) {
    if (std::uint8_t* at = At(reference)) *at |= static_cast<std::uint8_t>(1u << kind);
  }
  void AskDate(const PackedDate& date) {
    if (date.TextOnly()) Ask(date.TextRef(), maps::kKindDateText);
  }
  void AskEvent(const PackedEvent& event) {
    AskDate(event.date);
    for (const std::int32_t place : event.place) Ask(place, maps::kKindPlace);
  }
  void AskOrdinance(const PackedOrdinance& ordinance) {
    AskDate(ordinance.date);
    Ask(ordinance.templeCode, maps::kKindTemple);
  }
};

}  // namespace

void CDatabaseChecker::ReadKindsAsked() {
  // The kind of a text is fixed by the field that names it. Only read: an
  // extension not made yet is not made here.
  BlockStore::ReadScope reading(engine_.Blocks());
  kindsAskedRead_ = true;
  for (const int type : {kBlockNames, kBlockOtherNames})
    for (const std::int64_t block : blocks_[type]) {
      const std::size_t number = static_cast<std::size_t>((block - kBlocksOffset) / kBlockSize);
      if (number >= kindsAskedRow_.size()) kindsAskedRow_.resize(number + 1, 0);
      kindsAsked_.resize(kindsAsked_.size() + kBlockSize, 0);
      kindsAskedRow_[number] = static_cast<std::int32_t>(kindsAsked_.size() / kBlockSize);
    }
  AskedKinds asked{kindsAskedRow_, kindsAsked_};
  RecordStore& records = engine_.Records();
  std::uint8_t buf[IndividualRec::kSize];  // the largest of the records read here
  for (std::int32_t r = 1; r <= Highest(RecordKind::Individual); ++r) {
    IndividualRec person;
    if (records.IsLive(RecordKind::Individual, r, buf) != 1) continue;
    person.Decode(buf);
    for (const std::int32_t name : person.names) asked.Ask(name, maps::kKindName);
    for (const PackedEvent* event :
         {&person.birth, &person.christening, &person.death, &person.burial})
      asked.AskEvent(*event);
    asked.AskOrdinance(person.baptism);
    asked.AskOrdinance(person.endowment);
    IndividualExtRec ext;
    if (!records.ReadIndividualExt(r, ext, false)) continue;
    static constexpr int kExtKinds[] = {maps::kKindName,   maps::kKindName, maps::kKindName,
                                        maps::kKindOther7, maps::kKindName, maps::kKindOther7};
    for (std::size_t i = 0; i < ext.textRefs.size(); ++i) asked.Ask(ext.textRefs[i], kExtKinds[i]);
    if (ext.hasFourTexts)
      for (const std::int32_t text : ext.fourTexts) asked.Ask(text, maps::kKindPlace);
    asked.Ask(ext.relationshipText, maps::kKindOther);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Marriage); ++r) {
    MarriageRec marriage;
    if (records.IsLive(RecordKind::Marriage, r, buf) != 1) continue;
    marriage.Decode(buf);
    asked.AskEvent(marriage.marriage);
    asked.AskOrdinance(marriage.sealing);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::FamilyLink); ++r) {
    FamilyLinkRec link;
    if (records.IsLive(RecordKind::FamilyLink, r, buf) != 1) continue;
    link.Decode(buf);
    asked.AskOrdinance(link.sealing);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::UserEvent); ++r) {
    UserEventRec event;
    if (records.IsLive(RecordKind::UserEvent, r, buf) != 1) continue;
    event.Decode(buf);
    asked.AskEvent(event.event);
    asked.AskDate(event.secondDate);
    asked.Ask(event.description, maps::kKindOther5);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::EventType); ++r) {
    EventTypeRec eventType;
    if (records.IsLive(RecordKind::EventType, r, buf) != 1) continue;
    eventType.Decode(buf);
    for (const std::int32_t text :
         {eventType.title, eventType.verbPhrase, eventType.placePreposition})
      asked.Ask(text, maps::kKindOther);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Source); ++r) {
    SourceExtRec ext;
    if (records.IsLive(RecordKind::Source, r) != 1 || !records.ReadSourceExt(r, ext)) continue;
    asked.Ask(ext.textRef1, maps::kKindOther);
    asked.Ask(ext.textRef2, maps::kKindOther);
    asked.Ask(GetI32(ext.raw.data() + maps::kSourceExtSupplement), maps::kKindOther);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Contact); ++r) {
    ContactRec contact;
    if (records.IsLive(RecordKind::Contact, r, buf) != 1) continue;
    contact.Decode(buf);
    for (const std::int32_t text : contact.texts) asked.Ask(text, maps::kKindOther5);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Multimedia); ++r) {
    MultimediaRec item;
    if (records.IsLive(RecordKind::Multimedia, r, buf) != 1) continue;
    item.Decode(buf);
    asked.Ask(item.path, maps::kKindOther5);
    for (const std::int32_t text : item.texts) asked.Ask(text, maps::kKindOther5);
  }
}

bool CDatabaseChecker::NamedByField(std::int32_t offset, int type) {
  if (!kindsAskedRead_) ReadKindsAsked();
  AskedKinds asked{kindsAskedRow_, kindsAsked_};
  const std::uint8_t* found = asked.At(offset);
  return found && (*found & (type == kBlockNames ? 0x0Fu : 0xF0u)) != 0;
}

int CDatabaseChecker::CheckEntryKinds(int type, std::vector<NameEntry>& entries) {
  const bool names = type == kBlockNames;
  const int firstKind = names ? 0 : 4;
  const unsigned storeKinds = 0xFu << firstKind;

  if (!kindsAskedRead_) ReadKindsAsked();
  AskedKinds asked{kindsAskedRow_, kindsAsked_};

  // An entry must carry a kind its fields ask for, or, named by none of
  // them, a kind of its store. A wrong one gets the lowest kind asked (the
  // store's first when none is): the text stays, and the tree is put in
  // order again by the caller's check.
  for (NameEntry& e : entries) {
    const std::uint8_t* found = asked.At(e.offset);
    const unsigned want = (found ? *found : 0u) & storeKinds;
    const unsigned have = e.kind < 8 ? 1u << e.kind : 0u;
    if (want != 0 ? (want & have) != 0 : (storeKinds & have) != 0) continue;
    int kind = firstKind;
    while (want != 0 && (want & (1u << kind)) == 0) ++kind;
    bool fixed = false;
    // The byte is written only where an entry is proved to start.
    if (repair_ && (want != 0 || InStoreTree(e.offset, type))) {
      const std::uint8_t byte = static_cast<std::uint8_t>(kind);
      fixed = engine_.Blocks().Put(e.offset + kEntryKind, &byte, 1);
    }
    if (!LogProblem(Format("Name %lu kind (%d) should be %d.", U(e.offset), e.kind, kind), fixed))
      return 0;
    if (fixed) e.kind = kind;
  }
  return 1;
}
