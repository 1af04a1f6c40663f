#include <algorithm>
#include <unordered_map>

#include "DatabaseChecker.h"
#include "DatabaseCheckerParts.h"
#include "ORV3.h"
#include "RecordMaps.h"
#include "Records.h"

using namespace orv;
using namespace checkrepair;

namespace {

using AskedKinds = std::unordered_map<std::int32_t, unsigned>;

void Ask(AskedKinds& asked, std::int32_t reference, int kind) {
  if (reference > 0) asked[reference] |= 1u << kind;
}

void AskDate(AskedKinds& asked, const PackedDate& date) {
  if (date.TextOnly()) Ask(asked, date.TextRef(), maps::kKindDateText);
}

void AskEvent(AskedKinds& asked, const PackedEvent& event) {
  AskDate(asked, event.date);
  for (const std::int32_t place : event.place) Ask(asked, place, maps::kKindPlace);
}

void AskOrdinance(AskedKinds& asked, const PackedOrdinance& ordinance) {
  AskDate(asked, ordinance.date);
  Ask(asked, ordinance.templeCode, maps::kKindTemple);
}

}  // namespace

void CDatabaseChecker::ReadKindsAsked() {
  // The kind of a text is fixed by the field that names it. Only read: an
  // extension not made yet is not made here.
  BlockStore::ReadScope reading(engine_.Blocks());
  kindsAskedRead_ = true;
  AskedKinds& asked = kindsAsked_;
  RecordStore& records = engine_.Records();
  for (std::int32_t r = 1; r <= Highest(RecordKind::Individual); ++r) {
    IndividualRec person;
    if (records.IsLive(RecordKind::Individual, r) != 1 || !records.Read(r, person)) continue;
    for (const std::int32_t name : person.names) Ask(asked, name, maps::kKindName);
    for (const PackedEvent* event :
         {&person.birth, &person.christening, &person.death, &person.burial})
      AskEvent(asked, *event);
    AskOrdinance(asked, person.baptism);
    AskOrdinance(asked, person.endowment);
    IndividualExtRec ext;
    if (!records.ReadIndividualExt(r, ext, false)) continue;
    static constexpr int kExtKinds[] = {maps::kKindName,   maps::kKindName, maps::kKindName,
                                        maps::kKindOther7, maps::kKindName, maps::kKindOther7};
    for (std::size_t i = 0; i < ext.textRefs.size(); ++i) Ask(asked, ext.textRefs[i], kExtKinds[i]);
    if (ext.hasFourTexts)
      for (const std::int32_t text : ext.fourTexts) Ask(asked, text, maps::kKindPlace);
    Ask(asked, ext.relationshipText, maps::kKindOther);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Marriage); ++r) {
    MarriageRec marriage;
    if (records.IsLive(RecordKind::Marriage, r) != 1 || !records.Read(r, marriage)) continue;
    AskEvent(asked, marriage.marriage);
    AskOrdinance(asked, marriage.sealing);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::FamilyLink); ++r) {
    FamilyLinkRec link;
    if (records.IsLive(RecordKind::FamilyLink, r) != 1 || !records.Read(r, link)) continue;
    AskOrdinance(asked, link.sealing);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::UserEvent); ++r) {
    UserEventRec event;
    if (records.IsLive(RecordKind::UserEvent, r) != 1 || !records.Read(r, event)) continue;
    AskEvent(asked, event.event);
    AskDate(asked, event.secondDate);
    Ask(asked, event.description, maps::kKindOther5);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::EventType); ++r) {
    EventTypeRec eventType;
    if (records.IsLive(RecordKind::EventType, r) != 1 || !records.Read(r, eventType)) continue;
    for (const std::int32_t text :
         {eventType.title, eventType.verbPhrase, eventType.placePreposition})
      Ask(asked, text, maps::kKindOther);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Source); ++r) {
    SourceExtRec ext;
    if (records.IsLive(RecordKind::Source, r) != 1 || !records.ReadSourceExt(r, ext)) continue;
    Ask(asked, ext.textRef1, maps::kKindOther);
    Ask(asked, ext.textRef2, maps::kKindOther);
    Ask(asked, GetI32(ext.raw.data() + maps::kSourceExtSupplement), maps::kKindOther);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Contact); ++r) {
    ContactRec contact;
    if (records.IsLive(RecordKind::Contact, r) != 1 || !records.Read(r, contact)) continue;
    for (const std::int32_t text : contact.texts) Ask(asked, text, maps::kKindOther5);
  }
  for (std::int32_t r = 1; r <= Highest(RecordKind::Multimedia); ++r) {
    MultimediaRec item;
    if (records.IsLive(RecordKind::Multimedia, r) != 1 || !records.Read(r, item)) continue;
    Ask(asked, item.path, maps::kKindOther5);
    for (const std::int32_t text : item.texts) Ask(asked, text, maps::kKindOther5);
  }
}

int CDatabaseChecker::CheckEntryKinds(int type, std::vector<NameEntry>& entries) {
  const bool names = type == kBlockNames;
  const int firstKind = names ? 0 : 4;
  const unsigned storeKinds = 0xFu << firstKind;

  if (!kindsAskedRead_) ReadKindsAsked();
  const AskedKinds& asked = kindsAsked_;

  // An entry must carry a kind its fields ask for, or, named by none of
  // them, a kind of its store. A wrong one gets the lowest kind asked (the
  // store's first when none is): the text stays, and the tree is put in
  // order again by the caller's check.
  for (NameEntry& e : entries) {
    const auto found = asked.find(e.offset);
    const unsigned want = (found == asked.end() ? 0u : found->second) & storeKinds;
    const unsigned have = e.kind < 8 ? 1u << e.kind : 0u;
    if (want != 0 ? (want & have) != 0 : (storeKinds & have) != 0) continue;
    int kind = firstKind;
    while (want != 0 && (want & (1u << kind)) == 0) ++kind;
    bool fixed = false;
    if (repair_) {
      const std::uint8_t byte = static_cast<std::uint8_t>(kind);
      fixed = engine_.Blocks().Put(e.offset + kEntryKind, &byte, 1);
    }
    if (!LogProblem(Format("Name %lu kind (%d) should be %d.", U(e.offset), e.kind, kind), fixed))
      return 0;
    if (fixed) e.kind = kind;
  }
  return 1;
}
