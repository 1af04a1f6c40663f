// The call-interface record types: per type its read, add, update and
// delete, and the table RecordCalls dispatches through. A type whose object
// maps field for field onto one stored record is a traits struct over the
// shared mapped calls; the others have calls of their own.
#include "RecordTypes.h"

#include <algorithm>
#include <variant>

#include "AlphaNameRecord.h"
#include "Ansel.h"
#include "CitationRecord.h"
#include "Clock.h"
#include "ContactRecord.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaItem.h"
#include "ORV3.h"
#include "Ports.h"
#include "PreparerRecord.h"
#include "RecordMaps.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"

using namespace orv;
namespace maps = orv::maps;

namespace {

// A failed record read or write is told the first time in an open file
// and counted after that: a damaged file or a full disk fails every call.
void Box(ORV3& e, const char* text, const char* caption, const char* kind = nullptr) {
  e.Blocks().TellOnce(kind ? kind : text, text, caption, plat::kMbOk);
}
void Yo(ORV3& e, const char* text) { Box(e, text, BlockStore::kFailureCaption); }
// A failed record write: after a failed write of the file, already told as
// "Write Error", it is counted with it rather than told again in the
// engine's own words.
void WriteFailed(ORV3& e, const char* text) {
  if (e.Blocks().TimesTold(BlockStore::kWriteErrorKind) > 0)
    Box(e, "Write Error", BlockStore::kFailureCaption, BlockStore::kWriteErrorKind);
  else
    Yo(e, text);
}

template <class T>
T* As(RecordRef& rec) {
  T** p = std::get_if<T*>(&rec);
  return p ? *p : nullptr;
}

// The object of an add: p is set when rec holds a T; false when rec holds
// an object of another class (an empty rec adds an empty record).
template <class T>
bool ObjectOf(RecordRef& rec, T*& p) {
  p = As<T>(rec);
  return p || std::holds_alternative<std::monostate>(rec);
}

using maps::PutText;
using maps::TextOf;

// Writes a record struct, keeping the buffer equal to what was written.
template <class Rec>
int WriteRec(RecordStore& records, std::int32_t r, Rec& rec, std::uint8_t* buf) {
  rec.Encode(buf);
  return records.WriteRaw(Rec::kKind, r, buf);
}

// ---- reads and stores shared by the calls ----------------------------------

int ReadAlphaName(ORV3& e, std::int32_t position, CAlphaNameRecord& rec) {
  const std::int32_t rin = e.Trees().NameIndexAt(position);
  IndividualRec person;
  if (rin <= 0 || e.Records().IsLive(RecordKind::Individual, rin) != 1 ||
      !e.Records().Read(rin, person))
    return 0;
  rec.rin = rin;
  rec.secondNumber = position;
  rec.surname = e.Strings().GetText(person.names[0]);
  for (int i = 0; i < 3; ++i) rec.givenNames[i] = e.Strings().GetText(person.names[1 + i]);
  rec.suffix = e.Strings().GetText(person.names[4]);
  return 1;
}

std::unique_ptr<CMultimediaItem> LoadOwnedItem(ORV3& e, std::int32_t item) {
  MultimediaRec stored;
  if (e.Records().IsLive(RecordKind::Multimedia, item) != 1 || !e.Records().Read(item, stored))
    return nullptr;
  auto image = std::make_unique<CMultimediaItem>();
  maps::LoadMultimedia(e, item, stored, *image);
  return image;
}

int ReadSourceRecord(ORV3& e, std::int32_t r, CSourceRecord& rec) {
  SourceRec src;
  if (e.Records().IsLive(RecordKind::Source, r) != 1 || !e.Records().Read(r, src)) return 0;
  SourceExtRec ext;
  e.Records().ReadSourceExt(r, ext);
  rec.Clear();
  rec.recordNumber = r;
  rec.author = TextOf(src.author);
  rec.title = TextOf(src.title);
  rec.publication = TextOf(src.publication);
  rec.callNumber = TextOf(src.callNumber);
  rec.repositoryRin = src.repository;
  std::string text;
  if (e.Notes().ReadNoteChain(src.firstNote, text)) rec.SetComments(text);
  if (e.Notes().ReadNoteChain(ext.firstNote, text)) rec.SetActualText(text);
  rec.abbreviatedTitle = e.Strings().GetText(ext.textRef1);
  rec.abbreviatedAuthor = e.Strings().GetText(ext.textRef2);
  rec.titleSupplement = e.Strings().GetText(GetI32(ext.raw.data() + maps::kSourceExtSupplement));
  rec.bytes[0] = ext.value20;
  rec.bytes[1] = ext.value21;
  rec.formatBytes[1] = ext.flagInverted22 ? 0 : 1;
  rec.formatBytes[0] = ext.kindPlusOne == 0 ? 4 : static_cast<std::uint8_t>(ext.kindPlusOne - 1);
  rec.italicTitle = ext.flagInverted24 ? 0 : 1;
  rec.parenthesizeFacts = ext.flagInverted25 ? 0 : 1;
  if (ext.multimedia > 0) rec.image = LoadOwnedItem(e, ext.multimedia);
  return 1;
}

int ReadCitationRecord(ORV3& e, std::int32_t r, CCitationRecord& rec) {
  CitationRec cit;
  const int live = e.Records().IsLive(RecordKind::Citation, r);
  rec.Clear();
  if (live == -1) {
    rec.pageText = "Invalid Citation\n\nDeleted";
    return 0;
  }
  if (live != 1 || !e.Records().Read(r, cit)) return 0;
  rec.pageText = TextOf(cit.detail);
  maps::LoadDate(e, cit.date, rec.entryDate);
  std::string text;
  if (e.Notes().ReadNoteChain(cit.firstNoteA, text)) rec.SetActualText(text);
  if (e.Notes().ReadNoteChain(cit.firstNoteB, text)) rec.SetComments(text);
  rec.sourceRin = cit.source;
  rec.nextCitation = cit.next;
  rec.previousCitation = cit.previous;
  rec.ownerNumber = cit.owner;
  rec.numbers[0] = r;
  if (cit.multimedia > 0) rec.image = LoadOwnedItem(e, cit.multimedia);
  return 1;
}

int StoreIndividualRecord(ORV3& e, std::int32_t rin, const CIndividualRecord& obj, bool isNew) {
  std::uint8_t buf[IndividualRec::kSize];
  IndividualRec person;
  if (!e.Records().ReadIndividual(rin, person)) return 0;
  const bool keyChanged = maps::StoreIndividual(e, obj, person);
  person.Encode(buf);
  if (isNew)
    e.Trees().InsertInTree(RecordKind::Individual, rin, buf);
  else if (keyChanged)
    e.Trees().Resort(RecordKind::Individual, rin, buf);
  person.Decode(buf);
  if (!WriteRec(e.Records(), rin, person, buf)) return 0;
  // In a batch the counters wait for its end; outside one a failure is
  // counted and told (PutNow) and the call fails by the count.
  (void)e.Blocks().WriteHeader(HeadPart::Counters);

  // The extension is written whole below.
  IndividualExtRec ext;
  e.Records().ReadIndividualExt(rin, ext, false);
  ext.stamp = person.created;
  maps::StoreIndividualExt(e, obj, ext);
  // The contact record lives while the individual has contact data.
  const bool wantContact = obj.HasContactInfo();
  if (wantContact) {
    if (ext.contact <= 0 || e.Records().IsLive(RecordKind::Contact, ext.contact) != 1)
      ext.contact = e.Records().NewRecord(
          RecordKind::Contact, true, [rin](std::int32_t, std::uint8_t* rec) { PutI32(rec, rin); });
    ContactRec contact;
    if (ext.contact <= 0 || !e.Records().Read(ext.contact, contact)) {
      WriteFailed(e, "Indiv Write Failed during update contact record");
      return 0;
    }
    CContactRecord fields;
    fields.owner = rin;
    for (int i = 0; i < CContactRecord::kFieldCount; ++i) fields.texts[i] = obj.contact[i];
    maps::StoreContact(e, fields, contact);
    if (!e.Records().Write(ext.contact, contact)) {
      WriteFailed(e, "Indiv Write Failed during update contact record");
      return 0;
    }
  } else if (ext.contact > 0) {
    e.Deletes().DeleteContact(ext.contact);
    ext.contact = 0;
  }
  return e.Records().Write(rin, ext);
}

int StoreOwnedItem(ORV3& e, std::int32_t& field, const CMultimediaItem* item, std::int32_t owner,
                   std::uint8_t ownerType) {
  // The field names a chain: replacing or dropping its item takes the whole
  // chain, which nothing could reach any more.
  if (!item) {
    if (field > 0) e.Owners().DeleteMultimediaChainOf(field, owner, ownerType);
    field = 0;
    return 1;
  }
  if (item->recordNumber <= 0 || item->recordNumber != field) {
    if (field > 0) e.Owners().DeleteMultimediaChainOf(field, owner, ownerType);
    field = 0;
    CMultimediaItem copy(*item);
    copy.ownerNumber = owner;
    copy.ownerType = ownerType;
    if (copy.kind == 0) copy.kind = CMultimediaItem::kPhoto;
    // The owner's one item: a chain of its own.
    copy.nextRecordNumber = 0;
    copy.extraNumber = 0;
    field = e.Calls().AddRecord(db::kMultimedia, true, &copy);
    return field > 0 ? 1 : 0;
  }
  MultimediaRec stored;
  if (!e.Records().Read(field, stored)) return 0;
  CMultimediaItem copy(*item);
  copy.ownerNumber = owner;
  copy.ownerType = ownerType;
  maps::StoreMultimedia(e, copy, stored);
  return e.Records().Write(field, stored);
}

int StoreSourceRecord(ORV3& e, std::int32_t r, const CSourceRecord& obj, bool isNew) {
  std::uint8_t buf[SourceRec::kSize];
  SourceRec src;
  if (!e.Records().Read(r, src)) return 0;
  const std::string oldTitle = FieldText(src.title);
  std::string title = !obj.title.empty()              ? obj.title
                      : !obj.abbreviatedTitle.empty() ? obj.abbreviatedTitle
                                                      : "#" + std::to_string(r);
  PutText(src.author, obj.author);
  PutText(src.title, title);
  PutText(src.publication, obj.publication);
  PutText(src.callNumber, obj.callNumber);
  if (!e.Notes().SetNoteText(src.firstNote, obj.comments, r)) return 0;
  src.repository =
      e.Records().IsLive(RecordKind::Repository, obj.repositoryRin) == 1 ? obj.repositoryRin : 0;
  src.Encode(buf);
  if (isNew)
    e.Trees().InsertInTree(RecordKind::Source, r, buf);
  else if (oldTitle != FieldText(src.title))
    e.Trees().Resort(RecordKind::Source, r, buf);
  src.Decode(buf);
  if (!WriteRec(e.Records(), r, src, buf)) return 0;

  SourceExtRec ext;
  e.Records().ReadSourceExt(r, ext);
  if (!StoreOwnedItem(e, ext.multimedia, obj.image.get(), r, CMultimediaItem::kOwnerSource))
    return 0;
  if (!e.Notes().SetNoteText(ext.firstNote, obj.actualText, r)) return 0;
  e.Strings().SetTextReference(obj.abbreviatedTitle, maps::kKindOther, ext.textRef1);
  e.Strings().SetTextReference(obj.abbreviatedAuthor, maps::kKindOther, ext.textRef2);
  std::int32_t supplement = GetI32(ext.raw.data() + maps::kSourceExtSupplement);
  e.Strings().SetTextReference(obj.titleSupplement, maps::kKindOther, supplement);
  PutI32(ext.raw.data() + maps::kSourceExtSupplement, supplement);
  ext.value20 = obj.bytes[0];
  ext.value21 = obj.bytes[1];
  ext.flagInverted22 = obj.formatBytes[1] ? 0 : 1;
  ext.kindPlusOne = obj.formatBytes[0] == 4 ? 0 : static_cast<std::uint8_t>(obj.formatBytes[0] + 1);
  ext.flagInverted24 = obj.italicTitle ? 0 : 1;
  ext.flagInverted25 = obj.parenthesizeFacts ? 0 : 1;
  return e.Records().Write(r, ext);
}

int StoreCitationRecord(ORV3& e, std::int32_t r, const CCitationRecord& obj) {
  CitationRec cit;
  if (!e.Records().Read(r, cit)) return 0;
  cit.source = obj.sourceRin;
  PutText(cit.detail, obj.pageText);
  cit.date = maps::StoreDate(e, obj.entryDate);
  if (obj.ownerLetter != ' ' && obj.ownerLetter != 0) cit.owner = obj.ownerNumber;
  if (!e.Notes().SetNoteText(cit.firstNoteA, obj.actualText, r) ||
      !e.Notes().SetNoteText(cit.firstNoteB, obj.comments, r))
    return 0;
  if (!StoreOwnedItem(e, cit.multimedia, obj.image.get(), r, CMultimediaItem::kOwnerCitation))
    return 0;
  return e.Records().Write(r, cit);
}

}  // namespace

int RecordTypes::StoreEventType(ORV3& e, std::int32_t t, const CEventTypeRecord& obj, bool isNew) {
  EventTypeRec stored;
  if (!e.Records().Read(t, stored)) return 0;
  const bool changed = maps::StoreEventType(e, obj, stored);
  std::uint8_t buf[EventTypeRec::kSize];
  stored.Encode(buf);
  if (isNew)
    e.Trees().InsertInTree(RecordKind::EventType, t, buf);
  else if (changed)
    e.Trees().Resort(RecordKind::EventType, t, buf);
  if (!e.Records().WriteRaw(RecordKind::EventType, t, buf)) {
    Yo(e, "Failed to update event type");
    return 0;
  }
  return 1;
}

namespace {

// ---- types that map onto one stored record ---------------------------------

// What a mapped type may leave out: no messages, updates of records that are
// not live, no extra steps around an add.
struct MappedDefaults {
  static constexpr const char* kReadFailure = nullptr;   // "Yo" on a failed read
  static constexpr const char* kWriteFailure = nullptr;  // "Yo" on a failed add or update
  static constexpr bool kUpdateNeedsLive = false;
  template <class Obj>
  static bool CanAdd(const Obj*) {
    return true;
  }
  template <class Obj>
  static RecordFiller Filler(const Obj*) {
    return {};
  }
  template <class Obj, class Rec>
  static void PrepareNew(const Obj&, Rec&) {}
  // What joins a new record to others once it is written; false when a
  // write failed.
  template <class Obj>
  static bool Added(ORV3&, std::int32_t, const Obj&) {
    return true;
  }
  template <class Obj>
  static bool CanUpdate(const Obj&) {
    return true;
  }
};

struct MarriageType : MappedDefaults {
  using Object = CMarriageRecord;
  using Stored = MarriageRec;
  static constexpr const char* kReadFailure = "Failed to load a marriage";
  static constexpr const char* kWriteFailure = "Marr Write Failed";
  static constexpr bool kUpdateNeedsLive = true;
  static void Load(ORV3& e, std::int32_t r, const Stored& in, Object& out, int detail) {
    maps::LoadMarriage(e, r, in, out);
    if (detail)
      out.childCount =
          static_cast<std::int16_t>(e.Families().GetRelationCount(r, db::kRelChildren, false));
  }
  static void Store(ORV3& e, const Object& in, Stored& out) { maps::StoreMarriage(e, in, out); }
  // Spouses named by the object join through their spouse chains.
  static bool Added(ORV3& e, std::int32_t mrin, const Object& in) {
    if (in.husband > 0 && e.Records().IsLive(RecordKind::Individual, in.husband) == 1 &&
        !e.Families().LinkMarr(in.husband, mrin, db::kOwnerIndividual, true))
      return false;
    return !(in.wife > 0 && e.Records().IsLive(RecordKind::Individual, in.wife) == 1 &&
             !e.Families().LinkMarr(in.wife, mrin, db::kOwnerIndividual, false));
  }
};

struct RepositoryType : MappedDefaults {
  using Object = CRepositoryRecord;
  using Stored = RepositoryRec;
  static void Load(ORV3&, std::int32_t r, const Stored& in, Object& out, int) {
    maps::LoadRepository(r, in, out);
  }
};

struct UserEventType : MappedDefaults {
  using Object = CUserEventRecord;
  using Stored = UserEventRec;
  static constexpr const char* kWriteFailure = "Failed to update user event";
  static void Load(ORV3& e, std::int32_t r, const Stored& in, Object& out, int) {
    maps::LoadUserEvent(e, r, in, out);
  }
  static void Store(ORV3& e, const Object& in, Stored& out) { maps::StoreUserEvent(e, in, out); }
};

struct EventTypeType : MappedDefaults {
  using Object = CEventTypeRecord;
  using Stored = EventTypeRec;
  static void Load(ORV3& e, std::int32_t r, const Stored& in, Object& out, int) {
    maps::LoadEventType(e, r, in, out, true);
  }
};

struct FamilyLinkType : MappedDefaults {
  using Object = CFamilyLinkRecord;
  using Stored = FamilyLinkRec;
  static constexpr const char* kReadFailure = "Failed to load a family link record";
  static constexpr const char* kWriteFailure = "Fam Link Write Failed";
  static void Load(ORV3& e, std::int32_t r, const Stored& in, Object& out, int) {
    maps::LoadFamilyLink(e, r, in, out);
  }
  static void Store(ORV3& e, const Object& in, Stored& out) { maps::StoreFamilyLink(e, in, out); }
  // A new link names its marriage and child from the start.
  static void PrepareNew(const Object& in, Stored& out) {
    out.marriage = in.mrin;
    out.child = in.child;
  }
};

struct ContactType : MappedDefaults {
  using Object = CContactRecord;
  using Stored = ContactRec;
  static constexpr bool kUpdateNeedsLive = true;
  static void Load(ORV3& e, std::int32_t r, const Stored& in, Object& out, int) {
    maps::LoadContact(e, r, in, out);
  }
  static void Store(ORV3& e, const Object& in, Stored& out) { maps::StoreContact(e, in, out); }
  // A contact without owner reads as deleted, so none is made or kept.
  static bool CanAdd(const Object* in) { return in && in->owner > 0; }
  static RecordFiller Filler(const Object* in) {
    const std::int32_t owner = in->owner;
    return [owner](std::int32_t, std::uint8_t* r) { PutI32(r, owner); };
  }
  static bool CanUpdate(const Object& in) { return in.owner > 0; }
};

struct MultimediaType : MappedDefaults {
  using Object = CMultimediaItem;
  using Stored = MultimediaRec;
  static void Load(ORV3& e, std::int32_t r, const Stored& in, Object& out, int) {
    maps::LoadMultimedia(e, r, in, out);
  }
  static void Store(ORV3& e, const Object& in, Stored& out) { maps::StoreMultimedia(e, in, out); }
};

template <class T>
int ReadMapped(ORV3& e, std::int32_t number, int, RecordRef rec, int detail, int) {
  auto* p = As<typename T::Object>(rec);
  typename T::Stored stored;
  if (!p || e.Records().IsLive(T::Stored::kKind, number) != 1 ||
      !e.Records().Read(number, stored)) {
    if constexpr (T::kReadFailure != nullptr)
      if (p) Yo(e, T::kReadFailure);
    return 0;
  }
  T::Load(e, number, stored, *p, detail);
  return 1;
}

template <class T>
std::int32_t AddMapped(ORV3& e, bool reuse, RecordRef rec) {
  typename T::Object* p;
  if (!ObjectOf(rec, p) || !T::CanAdd(static_cast<const typename T::Object*>(p))) return 0;
  // The new record's blank may wait for its whole write below.
  BlockStore::NewRecordWait wait(e.Blocks());
  const std::int32_t r = e.Records().NewRecord(T::Stored::kKind, reuse, T::Filler(p));
  if (r <= 0 || !p) return r;
  typename T::Stored stored;
  if (!e.Records().Read(r, stored)) return 0;
  T::Store(e, *p, stored);
  T::PrepareNew(*p, stored);
  if (!e.Records().Write(r, stored)) {
    if constexpr (T::kWriteFailure != nullptr) WriteFailed(e, T::kWriteFailure);
    return 0;
  }
  return T::Added(e, r, *p) && wait.End() ? r : 0;
}

template <class T>
int UpdateMapped(ORV3& e, std::int32_t number, int, RecordRef rec) {
  auto fail = [&] {
    if constexpr (T::kWriteFailure != nullptr) WriteFailed(e, T::kWriteFailure);
    return 0;
  };
  auto* p = As<typename T::Object>(rec);
  typename T::Stored stored;
  if (!p || !T::CanUpdate(*p) ||
      (T::kUpdateNeedsLive && e.Records().IsLive(T::Stored::kKind, number) != 1) ||
      !e.Records().Read(number, stored))
    return fail();
  T::Store(e, *p, stored);
  if (!e.Records().Write(number, stored)) return fail();
  return 1;
}

// kRepositoryList, kEventTypeList: every live record of a mapped type in its tree's key order.
template <class T>
int ReadMappedList(ORV3& e, std::int32_t, int, RecordRef rec, int, int) {
  auto* p = As<std::vector<typename T::Object>>(rec);
  if (!p) return 0;
  p->clear();
  for (std::int32_t r : e.Trees().TreeInOrder(T::Stored::kKind)) {
    typename T::Stored stored;
    if (e.Records().IsLive(T::Stored::kKind, r) != 1 || !e.Records().Read(r, stored)) continue;
    p->emplace_back();
    T::Load(e, r, stored, p->back(), 0);
  }
  return 1;
}

template <int (RecordDeletes::*Delete)(std::int32_t)>
int RemoveWith(ORV3& e, std::int32_t number) {
  return (e.Deletes().*Delete)(number);
}

// ---- individuals -----------------------------------------------------------

int ReadIndividual(ORV3& e, std::int32_t number, int, RecordRef rec, int detail, int flag) {
  auto* p = As<CIndividualRecord>(rec);
  return p ? e.Calls().ReadIndividualRecord(number, *p, detail ? 10 : flag ? 9 : 8) : 0;
}

std::int32_t AddIndividual(ORV3& e, bool reuse, RecordRef rec) {
  CIndividualRecord* p;
  if (!ObjectOf(rec, p)) return 0;
  // The new record's blank may wait for its whole write in the store.
  BlockStore::NewRecordWait wait(e.Blocks());
  // The new individual carries its creation stamp from its first write:
  // the read that stores its fields would otherwise write it again to
  // stamp it.
  const std::int32_t rin =
      e.Records().NewRecord(RecordKind::Individual, reuse, [](std::int32_t, std::uint8_t* rec) {
        PutI32(rec + IndividualRec::kCreatedOffset, TimeToStamp(plat::Now()));
      });
  if (rin <= 0) return 0;
  if (p && !StoreIndividualRecord(e, rin, *p, true)) {
    WriteFailed(e, "Indiv Write Failed");
    return 0;
  }
  if (!p) {
    // A new individual joins the name tree with its (empty) name.
    std::uint8_t buf[IndividualRec::kSize];
    if (e.Records().ReadRaw(RecordKind::Individual, rin, buf)) {
      e.Trees().InsertInTree(RecordKind::Individual, rin, buf);
      e.Records().WriteRaw(RecordKind::Individual, rin, buf);
    }
  }
  return wait.End() ? rin : 0;
}

int UpdateIndividual(ORV3& e, std::int32_t number, int, RecordRef rec) {
  auto* p = As<CIndividualRecord>(rec);
  if (!p || e.Records().IsLive(RecordKind::Individual, number) != 1 ||
      !StoreIndividualRecord(e, number, *p, false)) {
    WriteFailed(e, "Indiv Write Failed");
    return 0;
  }
  return 1;
}

// kAlphaNameFound, kAlphaName: by position in the alphabetic index;
// kAlphaNameOfRin: by RIN.
int ReadAlphaNameCall(ORV3& e, std::int32_t number, int type, RecordRef rec, int, int) {
  auto* p = As<CAlphaNameRecord>(rec);
  if (!p) return 0;
  if (type == db::kAlphaNameOfRin) number = e.Trees().NameIndexPositionOf(number);
  return ReadAlphaName(e, number, *p);
}

// kIndividualAtName: the names and first note of the individual at a position of the
// alphabetic index.
int ReadIndexedIndividual(ORV3& e, std::int32_t number, int, RecordRef rec, int, int) {
  auto* p = As<CIndividualRecord>(rec);
  const std::int32_t rin = e.Trees().NameIndexAt(number);
  IndividualRec person;
  if (!p || rin <= 0 || e.Records().IsLive(RecordKind::Individual, rin) != 1 ||
      !e.Records().Read(rin, person))
    return 0;
  p->Clear();
  p->numbers[CIndividualRecord::kRin] = rin;
  p->surname = e.Strings().GetText(person.names[0]);
  for (int i = 0; i < 3; ++i) p->givenNames[i] = e.Strings().GetText(person.names[1 + i]);
  p->suffix = e.Strings().GetText(person.names[4]);
  p->numbers[CIndividualRecord::kFirstNote] = person.firstNote;
  return 1;
}

// kMarriageNoteBlock and kIndividualNoteBlock: a new first note block.
int UpdateFirstNote(ORV3& e, std::int32_t number, int type, RecordRef rec) {
  const auto* block = std::get_if<std::int32_t>(&rec);
  if (!block) return 0;
  if (type == db::kMarriageNoteBlock) {
    MarriageRec m;
    if (e.Records().IsLive(RecordKind::Marriage, number) != 1 || !e.Records().Read(number, m))
      return 0;
    m.firstNote = *block;
    return e.Records().Write(number, m);
  }
  IndividualRec person;
  if (e.Records().IsLive(RecordKind::Individual, number) != 1 || !e.Records().Read(number, person))
    return 0;
  person.firstNote = *block;
  return e.Records().Write(number, person);
}

int FreeNotes(ORV3& e, std::int32_t number) {
  e.Notes().FreeNoteChain(number);
  return 1;
}

// ---- preparer --------------------------------------------------------------

int ReadPreparer(ORV3& e, std::int32_t, int, RecordRef rec, int, int) {
  auto* p = As<CPreparerRecord>(rec);
  return p ? e.Settings().ReadPreparer(*p) : 0;
}

int UpdatePreparer(ORV3& e, std::int32_t, int, RecordRef rec) {
  auto* p = As<CPreparerRecord>(rec);
  return p ? e.Settings().WritePreparer(*p) : 0;
}

// ---- sources and repositories ----------------------------------------------

int ReadSource(ORV3& e, std::int32_t number, int, RecordRef rec, int, int) {
  auto* p = As<CSourceRecord>(rec);
  return p ? ReadSourceRecord(e, number, *p) : 0;
}

std::int32_t AddSource(ORV3& e, bool reuse, RecordRef rec) {
  CSourceRecord* p;
  if (!ObjectOf(rec, p)) return 0;
  const std::int32_t s = e.Records().NewRecord(RecordKind::Source, reuse);
  if (s <= 0) return 0;
  CSourceRecord blank;
  if (!StoreSourceRecord(e, s, p ? *p : blank, true)) {
    Box(e, "Failed to update a source", BlockStore::kFailureCaption);
    return 0;
  }
  return s;
}

int UpdateSource(ORV3& e, std::int32_t number, int, RecordRef rec) {
  auto* p = As<CSourceRecord>(rec);
  if (!p || e.Records().IsLive(RecordKind::Source, number) != 1 ||
      !StoreSourceRecord(e, number, *p, false)) {
    Box(e, "Failed to update a source", BlockStore::kFailureCaption);
    return 0;
  }
  return 1;
}

// kSourceList: every source in title order.
int ReadSourceList(ORV3& e, std::int32_t, int, RecordRef rec, int, int) {
  auto* p = As<std::vector<CSourceRecord>>(rec);
  if (!p) return 0;
  p->clear();
  for (std::int32_t s : e.Trees().TreeInOrder(RecordKind::Source)) {
    CSourceRecord one;
    if (ReadSourceRecord(e, s, one)) p->push_back(std::move(one));
  }
  return 1;
}

std::int32_t AddRepository(ORV3& e, bool reuse, RecordRef rec) {
  CRepositoryRecord* p;
  if (!ObjectOf(rec, p)) return 0;
  const std::int32_t r = e.Records().NewRecord(RecordKind::Repository, reuse);
  if (r <= 0) return 0;
  RepositoryRec stored;
  if (!e.Records().Read(r, stored)) return 0;
  if (p) maps::StoreRepository(*p, stored);
  std::uint8_t buf[RepositoryRec::kSize];
  stored.Encode(buf);
  e.Trees().InsertInTree(RecordKind::Repository, r, buf);
  return e.Records().WriteRaw(RecordKind::Repository, r, buf) ? r : 0;
}

int UpdateRepository(ORV3& e, std::int32_t number, int, RecordRef rec) {
  auto* p = As<CRepositoryRecord>(rec);
  RepositoryRec stored;
  if (!p || e.Records().IsLive(RecordKind::Repository, number) != 1 ||
      !e.Records().Read(number, stored)) {
    Box(e, "Unable to update repository", BlockStore::kFailureCaption);
    return 0;
  }
  const bool changed = maps::StoreRepository(*p, stored);
  std::uint8_t buf[RepositoryRec::kSize];
  stored.Encode(buf);
  if (changed) e.Trees().Resort(RecordKind::Repository, number, buf);
  if (!e.Records().WriteRaw(RecordKind::Repository, number, buf)) {
    Box(e, "Unable to update repository", BlockStore::kFailureCaption);
    return 0;
  }
  return 1;
}

// ---- citations -------------------------------------------------------------

int ReadCitation(ORV3& e, std::int32_t number, int, RecordRef rec, int, int) {
  auto* p = As<CCitationRecord>(rec);
  return p ? ReadCitationRecord(e, number, *p) : 0;
}

// The owner letter of a citation object as the chains take it: a sealing to
// parents names its family link by number.
char ChainLetter(char ownerLetter) {
  return ownerLetter == db::kOwnerSealingToParents ? char{db::kOwnerFamilyLink} : ownerLetter;
}

std::int32_t AddCitation(ORV3& e, bool reuse, RecordRef rec) {
  auto* p = As<CCitationRecord>(rec);
  if (!p) return 0;  // a citation needs its source and owner
  const std::int32_t c =
      e.Owners().NewCitation(reuse, p->sourceRin, p->ownerNumber, ChainLetter(p->ownerLetter));
  if (c <= 0) return 0;
  CCitationRecord copy(*p);
  copy.ownerLetter = ' ';  // the chain set the owner field
  if (!StoreCitationRecord(e, c, copy)) {
    Box(e, "Unable to update citation", BlockStore::kFailureCaption);
    return 0;
  }
  return c;
}

int UpdateCitation(ORV3& e, std::int32_t number, int, RecordRef rec) {
  auto* p = As<CCitationRecord>(rec);
  const bool ownerOk =
      p && (p->ownerLetter == ' ' || p->ownerLetter == 0 ||
            e.Records().IsOwnerLive(p->ownerNumber, ChainLetter(p->ownerLetter)) == 1);
  if (!p || e.Records().IsLive(RecordKind::Citation, number) != 1 ||
      e.Records().IsLive(RecordKind::Source, p->sourceRin) != 1 || !ownerOk ||
      !StoreCitationRecord(e, number, *p)) {
    Box(e, "Unable to update citation", BlockStore::kFailureCaption);
    return 0;
  }
  return 1;
}

// ---- event types -----------------------------------------------------------

std::int32_t AddEventType(ORV3& e, bool reuse, RecordRef rec) {
  CEventTypeRecord* p;
  if (!ObjectOf(rec, p)) return 0;
  const std::int32_t t = e.Records().NewRecord(RecordKind::EventType, reuse);
  if (t <= 0 || !p) return t;
  return RecordTypes::StoreEventType(e, t, *p, true) ? t : 0;
}

int UpdateEventType(ORV3& e, std::int32_t number, int, RecordRef rec) {
  auto* p = As<CEventTypeRecord>(rec);
  if (!p || number < 1 || number > e.Records().Highest(RecordKind::EventType)) {
    Yo(e, "Failed to update event type");
    return 0;
  }
  // A record that was not live (a default type being filled) joins the tree.
  return RecordTypes::StoreEventType(e, number, *p,
                                     !e.Trees().InTree(RecordKind::EventType, number));
}

// ---- the table -------------------------------------------------------------

template <class T>
constexpr RecordTypes::Entry Mapped(int type, int walk, RecordTypes::Remove remove) {
  return {type, walk, true, &ReadMapped<T>, &AddMapped<T>, &UpdateMapped<T>, remove};
}

constexpr RecordTypes::Entry kTypes[] = {
    // type, walk, needs a number, read, add, update, delete
    {db::kIndividual, db::kQueryIndividuals, true, &ReadIndividual, &AddIndividual,
     &UpdateIndividual, &RemoveWith<&RecordDeletes::DeleteIndividual>},
    Mapped<MarriageType>(db::kMarriage, db::kQueryMarriages,
                         &RemoveWith<&RecordDeletes::DeleteMarriage>),
    {db::kAlphaNameFound, db::kQueryNamePositions, true, &ReadAlphaNameCall, nullptr, nullptr,
     nullptr},
    {db::kAlphaNameOfRin, 0, true, &ReadAlphaNameCall, nullptr, nullptr, nullptr},
    {db::kAlphaName, db::kQueryNamePositions, true, &ReadAlphaNameCall, nullptr, nullptr, nullptr},
    {db::kIndividualAtName, db::kQueryNamePositions, true, &ReadIndexedIndividual, nullptr, nullptr,
     nullptr},
    {db::kNoteBlock, 0, true, nullptr, nullptr, nullptr, &FreeNotes},
    {db::kPreparer, 0, false, &ReadPreparer, nullptr, &UpdatePreparer, nullptr},
    {db::kSource, db::kQuerySources, true, &ReadSource, &AddSource, &UpdateSource,
     &RemoveWith<&RecordDeletes::DeleteSource>},
    {db::kRepository, db::kQueryRepositories, true, &ReadMapped<RepositoryType>, &AddRepository,
     &UpdateRepository, &RemoveWith<&RecordDeletes::DeleteRepository>},
    {db::kCitation, 0, true, &ReadCitation, &AddCitation, &UpdateCitation,
     &RemoveWith<&RecordDeletes::DeleteCitation>},
    {db::kSourceList, 0, false, &ReadSourceList, nullptr, nullptr, nullptr},
    {db::kRepositoryList, 0, false, &ReadMappedList<RepositoryType>, nullptr, nullptr, nullptr},
    Mapped<UserEventType>(db::kUserEvent, 0, &RemoveWith<&RecordDeletes::DeleteUserEvent>),
    {db::kEventTypeList, 0, false, &ReadMappedList<EventTypeType>, nullptr, nullptr, nullptr},
    {db::kEventType, 0, true, &ReadMapped<EventTypeType>, &AddEventType, &UpdateEventType,
     &RemoveWith<&RecordDeletes::DeleteEventType>},
    Mapped<FamilyLinkType>(db::kFamilyLink, 0, &RemoveWith<&RecordDeletes::DeleteFamilyLink>),
    Mapped<ContactType>(db::kContact, 0, nullptr),
    Mapped<MultimediaType>(db::kMultimedia, 0, &RemoveWith<&RecordDeletes::DeleteMultimedia>),
    {db::kMarriageNoteBlock, 0, true, nullptr, nullptr, &UpdateFirstNote, nullptr},
    {db::kIndividualNoteBlock, 0, true, nullptr, nullptr, &UpdateFirstNote, nullptr},
};

}  // namespace

const RecordTypes::Entry* RecordTypes::Find(int type) {
  for (const Entry& entry : kTypes)
    if (entry.type == type) return &entry;
  return nullptr;
}
