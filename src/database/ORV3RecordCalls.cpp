// Record calls of the engine: reads, adds, updates and deletes by API
// record type, and record numbers by kind and mode.

#include <algorithm>

#include "AlphaNameRecord.h"
#include "Ansel.h"
#include "CitationRecord.h"
#include "ContactRecord.h"
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
#include "UserEventRecord.h"

using namespace orv;
namespace maps = orv::maps;

namespace {

void Yo(const char* text) { plat::MessageBox(text, "Yo", plat::kMbOk); }
void Box(const char* text, const char* caption) { plat::MessageBox(text, caption, plat::kMbOk); }

template <class T>
T* As(RecordRef& rec) {
  T** p = std::get_if<T*>(&rec);
  return p ? *p : nullptr;
}

using maps::PutText;
using maps::TextOf;

// Writes a record struct, keeping the buffer equal to what was written.
template <class Rec>
int WriteRec(ORV3& e, std::int32_t r, Rec& rec, std::uint8_t* buf) {
  rec.Encode(buf);
  return e.WriteRaw(Rec::kKind, r, buf);
}

}  // namespace

// ---- name index -----------------------------------------------------------

bool ORV3::EnsureNameIndex() {
  if (nameIndexBuilt_ && !host_->indexStale) return true;
  nameIndex_ = TreeInOrder(RecordKind::Individual);
  namePosition_.assign(static_cast<std::size_t>(std::max(Highest(RecordKind::Individual), 0)) + 1,
                       0);
  for (std::size_t i = 0; i < nameIndex_.size(); ++i) {
    const std::int32_t rin = nameIndex_[i];
    if (rin > 0 && static_cast<std::size_t>(rin) < namePosition_.size())
      namePosition_[rin] = static_cast<std::int32_t>(i + 1);
  }
  nameIndexBuilt_ = true;
  if (host_->indexStale) {
    // The index file beside the family file is written from the same walk;
    // only a written file counts as current.
    if (host_->path.empty()) {
      host_->indexStale = false;
    } else {
      AlphaIndexFile ora;
      if (ora.Build(AlphaIndexFile::PathFor(host_->path, 'a'), nameIndex_)) {
        host_->indexStale = false;
        ora.Close();
      }
    }
  }
  return true;
}

std::int32_t ORV3::NameIndexEntries() {
  EnsureNameIndex();
  return static_cast<std::int32_t>(nameIndex_.size());
}

std::int32_t ORV3::NameIndexAt(std::int32_t position) {
  EnsureNameIndex();
  if (position < 1 || position > static_cast<std::int32_t>(nameIndex_.size())) return 0;
  return nameIndex_[position - 1];
}

std::int32_t ORV3::NameIndexPositionOf(std::int32_t rin) {
  EnsureNameIndex();
  if (rin < 1 || static_cast<std::size_t>(rin) >= namePosition_.size()) return 0;
  return namePosition_[rin];
}

// ---- GetRIN ---------------------------------------------------------------

std::int32_t ORV3::GetRIN(std::int32_t number, int kind, int mode) {
  const auto all = [](std::int32_t) { return true; };
  switch (kind) {
    case 114:
      return WalkByNumber(RecordKind::Individual, number, mode);
    case 115:
      return WalkByNumber(RecordKind::Marriage, number, mode);
    case 130:
      return WalkByNumber(RecordKind::Source, number, mode);
    case 131:
      return WalkByNumber(RecordKind::Repository, number, mode);
    case 120:
    case 121:
      return NumberWalk(number, mode, NameIndexEntries(), all);
    case 128:
    case 129: {
      const RecordKind k = kind == 128 ? RecordKind::Marriage : RecordKind::Individual;
      const RecordLayout& l = LayoutOf(k);
      if (number == 0) return head_.I32(l.chainHeadField);
      std::vector<std::uint8_t> buf(l.size);
      if (IsLive(k, number, buf.data()) != -1) return 0;
      return GetI32(buf.data() + l.linkOffset);
    }
    case 134:
    case 136: {
      AlphaIndexFile* index = AlphaIndex(kind == 134 ? RecordKind::Source : RecordKind::Repository);
      if (!index) return 0;
      return NumberWalk(number, mode, index->Entries(), all);
    }
    default:
      Yo("Unknown Type in GetRIN");
      return 0;
  }
}

std::int32_t ORV3::GetRIN(const std::string& text, int kind, int mode) {
  switch (kind) {
    case 118: {
      const std::int32_t rin = FindByName(RecordKind::Individual, text, mode);
      return rin > 0 ? NameIndexPositionOf(rin) : 0;
    }
    case 133:
    case 135: {
      const RecordKind k = kind == 133 ? RecordKind::Source : RecordKind::Repository;
      const std::int32_t r = FindByName(k, text, mode);
      if (r <= 0) return 0;
      AlphaIndexFile* index = AlphaIndex(k);
      return index ? index->PositionOf(r) : 0;
    }
    default:
      Yo("Unknown Type in GetRIN");
      return 0;
  }
}

// ---- reads ----------------------------------------------------------------

int ORV3::ReadIndividualRecord(std::int32_t rin, CIndividualRecord& rec, int level) {
  std::uint8_t buf[IndividualRec::kSize];
  if (IsLive(RecordKind::Individual, rin, buf) != 1) return 0;
  IndividualRec person;
  if (!ReadIndividual(rin, person)) return 0;
  IndividualExtRec ext;
  ReadIndividualExt(rin, ext);
  maps::LoadIndividual(*this, rin, person, ext, rec, PlanForLevel(level));
  return 1;
}

int ORV3::ReadAlphaName(std::int32_t position, CAlphaNameRecord& rec) {
  const std::int32_t rin = NameIndexAt(position);
  IndividualRec person;
  if (rin <= 0 || IsLive(RecordKind::Individual, rin) != 1 || !Read(rin, person)) return 0;
  rec.rin = rin;
  rec.secondNumber = position;
  rec.surname = GetText(person.names[0]);
  for (int i = 0; i < 3; ++i) rec.givenNames[i] = GetText(person.names[1 + i]);
  rec.suffix = GetText(person.names[4]);
  return 1;
}

int ORV3::ReadSourceRecord(std::int32_t r, CSourceRecord& rec) {
  SourceRec src;
  if (IsLive(RecordKind::Source, r) != 1 || !Read(r, src)) return 0;
  SourceExtRec ext;
  ReadSourceExt(r, ext);
  rec.Clear();
  rec.recordNumber = r;
  rec.author = TextOf(src.author);
  rec.title = TextOf(src.title);
  rec.publication = TextOf(src.publication);
  rec.callNumber = TextOf(src.callNumber);
  rec.repositoryRin = src.repository;
  std::string text;
  if (ReadNoteChain(src.firstNote, text)) rec.SetComments(text);
  if (ReadNoteChain(ext.firstNote, text)) rec.SetActualText(text);
  rec.abbreviatedTitle = GetText(ext.textRef1);
  rec.abbreviatedAuthor = GetText(ext.textRef2);
  rec.titleSupplement = GetText(GetI32(ext.raw.data() + maps::kSourceExtSupplement));
  rec.bytes[0] = ext.value20;
  rec.bytes[1] = ext.value21;
  rec.formatBytes[1] = ext.flagInverted22 ? 0 : 1;
  rec.formatBytes[0] = ext.kindPlusOne == 0 ? 4 : static_cast<std::uint8_t>(ext.kindPlusOne - 1);
  rec.italicTitle = ext.flagInverted24 ? 0 : 1;
  rec.parenthesizeFacts = ext.flagInverted25 ? 0 : 1;
  if (ext.multimedia > 0) {
    MultimediaRec item;
    if (IsLive(RecordKind::Multimedia, ext.multimedia) == 1 && Read(ext.multimedia, item)) {
      auto image = std::make_unique<CMultimediaItem>();
      maps::LoadMultimedia(*this, ext.multimedia, item, *image);
      rec.image = std::move(image);
    }
  }
  return 1;
}

int ORV3::ReadCitationRecord(std::int32_t r, CCitationRecord& rec) {
  CitationRec cit;
  const int live = IsLive(RecordKind::Citation, r);
  rec.Clear();
  if (live == -1) {
    rec.pageText = "Invalid Citation\n\nDeleted";
    return 0;
  }
  if (live != 1 || !Read(r, cit)) return 0;
  rec.pageText = TextOf(cit.detail);
  maps::LoadDate(*this, cit.date, rec.entryDate);
  std::string text;
  if (ReadNoteChain(cit.firstNoteA, text)) rec.SetActualText(text);
  if (ReadNoteChain(cit.firstNoteB, text)) rec.SetComments(text);
  rec.sourceRin = cit.source;
  rec.nextCitation = cit.next;
  rec.previousCitation = cit.previous;
  rec.ownerNumber = cit.owner;
  rec.numbers[0] = r;
  if (cit.multimedia > 0) {
    MultimediaRec item;
    if (IsLive(RecordKind::Multimedia, cit.multimedia) == 1 && Read(cit.multimedia, item)) {
      auto image = std::make_unique<CMultimediaItem>();
      maps::LoadMultimedia(*this, cit.multimedia, item, *image);
      rec.image = std::move(image);
    }
  }
  return 1;
}

int ORV3::O3_GetRecord(std::int32_t number, int type, RecordRef rec, int detail, int mode,
                       int flag) {
  // Resolve the number in the mode's walk.
  switch (type) {
    case 100:
      number = GetRIN(number, 114, mode);
      break;
    case 102:
      number = GetRIN(number, 115, mode);
      break;
    case 118:
    case 120:
    case 121:
      number = GetRIN(number, 120, mode);
      break;
    case 130:
    case 131:
      number = GetRIN(number, type, mode);
      break;
    default:
      break;
  }
  if (number <= 0 && type != 125 && type != 137 && type != 138 && type != 140) return 0;

  switch (type) {
    case 100: {
      auto* p = As<CIndividualRecord>(rec);
      return p ? ReadIndividualRecord(number, *p, detail ? 10 : flag ? 9 : 8) : 0;
    }
    case 102: {
      auto* p = As<CMarriageRecord>(rec);
      MarriageRec m;
      if (!p || IsLive(RecordKind::Marriage, number) != 1 || !Read(number, m)) {
        if (p) Yo("Failed to load a marriage");
        return 0;
      }
      maps::LoadMarriage(*this, number, m, *p);
      if (detail) p->childCount = static_cast<std::int16_t>(GetRelationCount(number, 108, false));
      return 1;
    }
    case 118:
    case 119:
    case 120: {
      auto* p = As<CAlphaNameRecord>(rec);
      if (!p) return 0;
      if (type == 119) number = NameIndexPositionOf(number);
      return ReadAlphaName(number, *p);
    }
    case 121: {
      auto* p = As<CIndividualRecord>(rec);
      const std::int32_t rin = NameIndexAt(number);
      IndividualRec person;
      if (!p || rin <= 0 || IsLive(RecordKind::Individual, rin) != 1 || !Read(rin, person))
        return 0;
      p->Clear();
      p->numbers[CIndividualRecord::kRin] = rin;
      p->surname = GetText(person.names[0]);
      for (int i = 0; i < 3; ++i) p->givenNames[i] = GetText(person.names[1 + i]);
      p->suffix = GetText(person.names[4]);
      p->numbers[CIndividualRecord::kFirstNote] = person.firstNote;
      return 1;
    }
    case 125: {
      auto* p = As<CPreparerRecord>(rec);
      return p ? ReadPreparer(*p) : 0;
    }
    case 130: {
      auto* p = As<CSourceRecord>(rec);
      return p ? ReadSourceRecord(number, *p) : 0;
    }
    case 131: {
      auto* p = As<CRepositoryRecord>(rec);
      RepositoryRec r;
      if (!p || IsLive(RecordKind::Repository, number) != 1 || !Read(number, r)) return 0;
      maps::LoadRepository(number, r, *p);
      return 1;
    }
    case 132: {
      auto* p = As<CCitationRecord>(rec);
      return p ? ReadCitationRecord(number, *p) : 0;
    }
    case 137: {
      auto* p = As<std::vector<CSourceRecord>>(rec);
      if (!p) return 0;
      p->clear();
      for (std::int32_t s : TreeInOrder(RecordKind::Source)) {
        CSourceRecord one;
        if (ReadSourceRecord(s, one)) p->push_back(std::move(one));
      }
      return 1;
    }
    case 138: {
      auto* p = As<std::vector<CRepositoryRecord>>(rec);
      if (!p) return 0;
      p->clear();
      for (std::int32_t r : TreeInOrder(RecordKind::Repository)) {
        RepositoryRec stored;
        if (IsLive(RecordKind::Repository, r) != 1 || !Read(r, stored)) continue;
        p->emplace_back();
        maps::LoadRepository(r, stored, p->back());
      }
      return 1;
    }
    case 139: {
      auto* p = As<CUserEventRecord>(rec);
      UserEventRec u;
      if (!p || IsLive(RecordKind::UserEvent, number) != 1 || !Read(number, u)) return 0;
      maps::LoadUserEvent(*this, number, u, *p);
      return 1;
    }
    case 140: {
      auto* p = As<std::vector<CEventTypeRecord>>(rec);
      if (!p) return 0;
      p->clear();
      for (std::int32_t t : TreeInOrder(RecordKind::EventType)) {
        EventTypeRec stored;
        if (IsLive(RecordKind::EventType, t) != 1 || !Read(t, stored)) continue;
        p->emplace_back();
        maps::LoadEventType(*this, t, stored, p->back(), true);
      }
      return 1;
    }
    case 141: {
      auto* p = As<CEventTypeRecord>(rec);
      EventTypeRec t;
      if (!p || IsLive(RecordKind::EventType, number) != 1 || !Read(number, t)) return 0;
      maps::LoadEventType(*this, number, t, *p, true);
      return 1;
    }
    case 142: {
      auto* p = As<CFamilyLinkRecord>(rec);
      FamilyLinkRec l;
      if (!p || IsLive(RecordKind::FamilyLink, number) != 1 || !Read(number, l)) {
        if (p) Yo("Failed to load a family link record");
        return 0;
      }
      maps::LoadFamilyLink(*this, number, l, *p);
      return 1;
    }
    case 145: {
      auto* p = As<CContactRecord>(rec);
      ContactRec c;
      if (!p || IsLive(RecordKind::Contact, number) != 1 || !Read(number, c)) return 0;
      maps::LoadContact(*this, number, c, *p);
      return 1;
    }
    case 148: {
      auto* p = As<CMultimediaItem>(rec);
      MultimediaRec m;
      if (!p || IsLive(RecordKind::Multimedia, number) != 1 || !Read(number, m)) return 0;
      maps::LoadMultimedia(*this, number, m, *p);
      return 1;
    }
    default:
      Yo("Bad type in O3_GetRecord");
      return 0;
  }
}

// ---- writers shared by add and update -----------------------------------

int ORV3::StoreIndividualRecord(std::int32_t rin, const CIndividualRecord& obj, bool isNew) {
  std::uint8_t buf[IndividualRec::kSize];
  IndividualRec person;
  if (!ReadIndividual(rin, person)) return 0;
  const bool keyChanged = maps::StoreIndividual(*this, obj, person);
  person.Encode(buf);
  if (isNew)
    InsertInTree(RecordKind::Individual, rin, buf);
  else if (keyChanged)
    Resort(RecordKind::Individual, rin, buf);
  person.Decode(buf);
  if (!WriteRec(*this, rin, person, buf)) return 0;
  WriteHeader(HeadPart::Counters);

  IndividualExtRec ext;
  ReadIndividualExt(rin, ext);
  ext.stamp = person.created;
  maps::StoreIndividualExt(*this, obj, ext);
  // The contact record lives while the individual has contact data.
  const bool wantContact = obj.HasContactInfo();
  if (wantContact) {
    if (ext.contact <= 0 || IsLive(RecordKind::Contact, ext.contact) != 1)
      ext.contact = NewRecord(RecordKind::Contact, true,
                              [rin](std::int32_t, std::uint8_t* rec) { PutI32(rec, rin); });
    ContactRec contact;
    if (ext.contact <= 0 || !Read(ext.contact, contact)) {
      Yo("Indiv Write Failed during update contact record");
      return 0;
    }
    CContactRecord fields;
    fields.owner = rin;
    for (int i = 0; i < CContactRecord::kFieldCount; ++i) fields.texts[i] = obj.contact[i];
    maps::StoreContact(*this, fields, contact);
    if (!Write(ext.contact, contact)) {
      Yo("Indiv Write Failed during update contact record");
      return 0;
    }
  } else if (ext.contact > 0) {
    DeleteContact(ext.contact);
    ext.contact = 0;
  }
  return Write(rin, ext);
}

int ORV3::StoreSourceRecord(std::int32_t r, const CSourceRecord& obj, bool isNew) {
  std::uint8_t buf[SourceRec::kSize];
  SourceRec src;
  if (!Read(r, src)) return 0;
  const std::string oldTitle = FieldText(src.title);
  std::string title = !obj.title.empty()              ? obj.title
                      : !obj.abbreviatedTitle.empty() ? obj.abbreviatedTitle
                                                      : "#" + std::to_string(r);
  PutText(src.author, obj.author);
  PutText(src.title, title);
  PutText(src.publication, obj.publication);
  PutText(src.callNumber, obj.callNumber);
  if (!SetNoteText(src.firstNote, obj.comments, r)) return 0;
  src.repository = IsLive(RecordKind::Repository, obj.repositoryRin) == 1 ? obj.repositoryRin : 0;
  src.Encode(buf);
  if (isNew)
    InsertInTree(RecordKind::Source, r, buf);
  else if (oldTitle != FieldText(src.title))
    Resort(RecordKind::Source, r, buf);
  src.Decode(buf);
  if (!WriteRec(*this, r, src, buf)) return 0;

  SourceExtRec ext;
  ReadSourceExt(r, ext);
  if (!StoreOwnedItem(ext.multimedia, obj.image.get(), r, CMultimediaItem::kOwnerSource)) return 0;
  if (!SetNoteText(ext.firstNote, obj.actualText, r)) return 0;
  SetTextReference(obj.abbreviatedTitle, maps::kKindOther, ext.textRef1);
  SetTextReference(obj.abbreviatedAuthor, maps::kKindOther, ext.textRef2);
  std::int32_t supplement = GetI32(ext.raw.data() + maps::kSourceExtSupplement);
  SetTextReference(obj.titleSupplement, maps::kKindOther, supplement);
  PutI32(ext.raw.data() + maps::kSourceExtSupplement, supplement);
  ext.value20 = obj.bytes[0];
  ext.value21 = obj.bytes[1];
  ext.flagInverted22 = obj.formatBytes[1] ? 0 : 1;
  ext.kindPlusOne = obj.formatBytes[0] == 4 ? 0 : static_cast<std::uint8_t>(obj.formatBytes[0] + 1);
  ext.flagInverted24 = obj.italicTitle ? 0 : 1;
  ext.flagInverted25 = obj.parenthesizeFacts ? 0 : 1;
  return Write(r, ext);
}

int ORV3::StoreOwnedItem(std::int32_t& field, const CMultimediaItem* item, std::int32_t owner,
                         std::uint8_t ownerType) {
  // The field names a chain: replacing or dropping its item takes the whole
  // chain, which nothing could reach any more.
  if (!item) {
    if (field > 0) DeleteMultimediaChainOf(field, owner, ownerType);
    field = 0;
    return 1;
  }
  if (item->recordNumber <= 0 || item->recordNumber != field) {
    if (field > 0) DeleteMultimediaChainOf(field, owner, ownerType);
    field = 0;
    CMultimediaItem copy(*item);
    copy.ownerNumber = owner;
    copy.ownerType = ownerType;
    if (copy.kind == 0) copy.kind = CMultimediaItem::kPhoto;
    // The owner's one item: a chain of its own.
    copy.nextRecordNumber = 0;
    copy.extraNumber = 0;
    field = AddRecord(148, true, &copy);
    return field > 0 ? 1 : 0;
  }
  MultimediaRec stored;
  if (!Read(field, stored)) return 0;
  CMultimediaItem copy(*item);
  copy.ownerNumber = owner;
  copy.ownerType = ownerType;
  maps::StoreMultimedia(*this, copy, stored);
  return Write(field, stored);
}

int ORV3::StoreCitationRecord(std::int32_t r, const CCitationRecord& obj) {
  CitationRec cit;
  if (!Read(r, cit)) return 0;
  cit.source = obj.sourceRin;
  PutText(cit.detail, obj.pageText);
  cit.date = maps::StoreDate(*this, obj.entryDate);
  if (obj.ownerLetter != ' ' && obj.ownerLetter != 0) cit.owner = obj.ownerNumber;
  if (!SetNoteText(cit.firstNoteA, obj.actualText, r) ||
      !SetNoteText(cit.firstNoteB, obj.comments, r))
    return 0;
  if (!StoreOwnedItem(cit.multimedia, obj.image.get(), r, CMultimediaItem::kOwnerCitation))
    return 0;
  return Write(r, cit);
}

// ---- add ------------------------------------------------------------------

std::int32_t ORV3::AddRecord(int type, bool reuse, RecordRef rec) {
  const bool empty = std::holds_alternative<std::monostate>(rec);
  switch (type) {
    case 100: {
      auto* p = As<CIndividualRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t rin = NewRecord(RecordKind::Individual, reuse);
      if (rin <= 0) return 0;
      if (p && !StoreIndividualRecord(rin, *p, true)) {
        Yo("Indiv Write Failed");
        return 0;
      }
      if (!p) {
        // A new individual joins the name tree with its (empty) name.
        std::uint8_t buf[IndividualRec::kSize];
        if (ReadRaw(RecordKind::Individual, rin, buf)) {
          InsertInTree(RecordKind::Individual, rin, buf);
          WriteRaw(RecordKind::Individual, rin, buf);
        }
      }
      return rin;
    }
    case 102: {
      auto* p = As<CMarriageRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t mrin = NewRecord(RecordKind::Marriage, reuse);
      if (mrin <= 0) return 0;
      if (p) {
        MarriageRec m;
        if (!Read(mrin, m)) return 0;
        maps::StoreMarriage(*this, *p, m);
        if (!Write(mrin, m)) {
          Yo("Marr Write Failed");
          return 0;
        }
        // Spouses named by the object join through their spouse chains.
        if (p->husband > 0 && IsLive(RecordKind::Individual, p->husband) == 1 &&
            !LinkMarr(p->husband, mrin, 'I', true))
          return 0;
        if (p->wife > 0 && IsLive(RecordKind::Individual, p->wife) == 1 &&
            !LinkMarr(p->wife, mrin, 'I', false))
          return 0;
      }
      return mrin;
    }
    case 130: {
      auto* p = As<CSourceRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t s = NewRecord(RecordKind::Source, reuse);
      if (s <= 0) return 0;
      CSourceRecord blank;
      if (!StoreSourceRecord(s, p ? *p : blank, true)) {
        Box("Failed", "UpdateSource");
        return 0;
      }
      return s;
    }
    case 131: {
      auto* p = As<CRepositoryRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t r = NewRecord(RecordKind::Repository, reuse);
      if (r <= 0) return 0;
      RepositoryRec stored;
      if (!Read(r, stored)) return 0;
      if (p) maps::StoreRepository(*p, stored);
      std::uint8_t buf[RepositoryRec::kSize];
      stored.Encode(buf);
      InsertInTree(RecordKind::Repository, r, buf);
      return WriteRaw(RecordKind::Repository, r, buf) ? r : 0;
    }
    case 132: {
      auto* p = As<CCitationRecord>(rec);
      if (!p) return 0;  // a citation needs its source and owner
      const char letter = p->ownerLetter == 'P' ? 'p' : p->ownerLetter;
      const std::int32_t c = NewCitation(reuse, p->sourceRin, p->ownerNumber, letter);
      if (c <= 0) return 0;
      CCitationRecord copy(*p);
      copy.ownerLetter = ' ';  // the chain set the owner field
      if (!StoreCitationRecord(c, copy)) {
        Box("Unable to update citation", "Korvane");
        return 0;
      }
      return c;
    }
    case 139: {
      auto* p = As<CUserEventRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t u = NewRecord(RecordKind::UserEvent, reuse);
      if (u <= 0 || !p) return u;
      UserEventRec stored;
      if (!Read(u, stored)) return 0;
      maps::StoreUserEvent(*this, *p, stored);
      if (!Write(u, stored)) {
        Yo("Failed to update user event");
        return 0;
      }
      return u;
    }
    case 141: {
      auto* p = As<CEventTypeRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t t = NewRecord(RecordKind::EventType, reuse);
      if (t <= 0 || !p) return t;
      return StoreEventTypeRecord(t, *p, true) ? t : 0;
    }
    case 142: {
      auto* p = As<CFamilyLinkRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t l = NewRecord(RecordKind::FamilyLink, reuse);
      if (l <= 0 || !p) return l;
      FamilyLinkRec stored;
      if (!Read(l, stored)) return 0;
      maps::StoreFamilyLink(*this, *p, stored);
      stored.marriage = p->mrin;
      stored.child = p->child;
      if (!Write(l, stored)) {
        Yo("Fam Link Write Failed");
        return 0;
      }
      return l;
    }
    case 145: {
      auto* p = As<CContactRecord>(rec);
      if (!p && !empty) return 0;
      const std::int32_t owner = p ? p->owner : 0;
      if (owner <= 0) return 0;  // a contact without owner reads as deleted
      const std::int32_t c = NewRecord(
          RecordKind::Contact, reuse, [owner](std::int32_t, std::uint8_t* r) { PutI32(r, owner); });
      if (c <= 0) return 0;
      ContactRec stored;
      if (!Read(c, stored)) return 0;
      maps::StoreContact(*this, *p, stored);
      return Write(c, stored) ? c : 0;
    }
    case 148: {
      auto* p = As<CMultimediaItem>(rec);
      if (!p && !empty) return 0;
      const std::int32_t m = NewRecord(RecordKind::Multimedia, reuse);
      if (m <= 0 || !p) return m;
      MultimediaRec stored;
      if (!Read(m, stored)) return 0;
      maps::StoreMultimedia(*this, *p, stored);
      return Write(m, stored) ? m : 0;
    }
    default:
      Box("Unknown Record Type", "AddRecord");
      return 0;
  }
}

int ORV3::StoreEventTypeRecord(std::int32_t t, const CEventTypeRecord& obj, bool isNew) {
  EventTypeRec stored;
  if (!Read(t, stored)) return 0;
  const bool changed = maps::StoreEventType(*this, obj, stored);
  std::uint8_t buf[EventTypeRec::kSize];
  stored.Encode(buf);
  if (isNew)
    InsertInTree(RecordKind::EventType, t, buf);
  else if (changed)
    Resort(RecordKind::EventType, t, buf);
  if (!WriteRaw(RecordKind::EventType, t, buf)) {
    Yo("Failed to update event type");
    return 0;
  }
  return 1;
}

// ---- update ---------------------------------------------------------------

int ORV3::UpdateRecord(std::int32_t number, int type, RecordRef rec, int) {
  switch (type) {
    case 100: {
      auto* p = As<CIndividualRecord>(rec);
      if (!p || IsLive(RecordKind::Individual, number) != 1 ||
          !StoreIndividualRecord(number, *p, false)) {
        Yo("Indiv Write Failed");
        return 0;
      }
      return 1;
    }
    case 102: {
      auto* p = As<CMarriageRecord>(rec);
      MarriageRec m;
      if (!p || IsLive(RecordKind::Marriage, number) != 1 || !Read(number, m)) {
        Yo("Marr Write Failed");
        return 0;
      }
      maps::StoreMarriage(*this, *p, m);
      if (!Write(number, m)) {
        Yo("Marr Write Failed");
        return 0;
      }
      return 1;
    }
    case 125: {
      auto* p = As<CPreparerRecord>(rec);
      return p ? WritePreparer(*p) : 0;
    }
    case 130: {
      auto* p = As<CSourceRecord>(rec);
      if (!p || IsLive(RecordKind::Source, number) != 1 || !StoreSourceRecord(number, *p, false)) {
        Box("Failed", "UpdateSource");
        return 0;
      }
      return 1;
    }
    case 131: {
      auto* p = As<CRepositoryRecord>(rec);
      RepositoryRec stored;
      if (!p || IsLive(RecordKind::Repository, number) != 1 || !Read(number, stored)) {
        Box("Unable to update repository", "Korvane");
        return 0;
      }
      const bool changed = maps::StoreRepository(*p, stored);
      std::uint8_t buf[RepositoryRec::kSize];
      stored.Encode(buf);
      if (changed) Resort(RecordKind::Repository, number, buf);
      if (!WriteRaw(RecordKind::Repository, number, buf)) {
        Box("Unable to update repository", "Korvane");
        return 0;
      }
      return 1;
    }
    case 132: {
      auto* p = As<CCitationRecord>(rec);
      CitationRec stored;
      const bool ownerOk =
          p && (p->ownerLetter == ' ' || p->ownerLetter == 0 ||
                IsOwnerLive(p->ownerNumber, p->ownerLetter == 'P' ? 'p' : p->ownerLetter) == 1);
      if (!p || IsLive(RecordKind::Citation, number) != 1 ||
          IsLive(RecordKind::Source, p->sourceRin) != 1 || !ownerOk ||
          !StoreCitationRecord(number, *p)) {
        Box("Unable to update citation", "Korvane");
        return 0;
      }
      return 1;
    }
    case 139: {
      auto* p = As<CUserEventRecord>(rec);
      UserEventRec stored;
      if (!p || !Read(number, stored)) {
        Yo("Failed to update user event");
        return 0;
      }
      maps::StoreUserEvent(*this, *p, stored);
      if (!Write(number, stored)) {
        Yo("Failed to update user event");
        return 0;
      }
      return 1;
    }
    case 141: {
      auto* p = As<CEventTypeRecord>(rec);
      if (!p || number < 1 || number > Highest(RecordKind::EventType)) {
        Yo("Failed to update event type");
        return 0;
      }
      // A record that was not live (a default type being filled) joins the tree.
      return StoreEventTypeRecord(number, *p, !InTree(RecordKind::EventType, number));
    }
    case 142: {
      auto* p = As<CFamilyLinkRecord>(rec);
      FamilyLinkRec stored;
      if (!p || !Read(number, stored)) {
        Yo("Fam Link Write Failed");
        return 0;
      }
      maps::StoreFamilyLink(*this, *p, stored);
      if (!Write(number, stored)) {
        Yo("Fam Link Write Failed");
        return 0;
      }
      return 1;
    }
    case 145: {
      auto* p = As<CContactRecord>(rec);
      ContactRec stored;
      if (!p || p->owner <= 0 || IsLive(RecordKind::Contact, number) != 1 || !Read(number, stored))
        return 0;
      maps::StoreContact(*this, *p, stored);
      return Write(number, stored);
    }
    case 148: {
      auto* p = As<CMultimediaItem>(rec);
      MultimediaRec stored;
      if (!p || !Read(number, stored)) return 0;
      maps::StoreMultimedia(*this, *p, stored);
      return Write(number, stored);
    }
    case 149:
    case 150: {
      const auto* block = std::get_if<std::int32_t>(&rec);
      if (!block) return 0;
      if (type == 149) {
        MarriageRec m;
        if (IsLive(RecordKind::Marriage, number) != 1 || !Read(number, m)) return 0;
        m.firstNote = *block;
        return Write(number, m);
      }
      IndividualRec person;
      if (IsLive(RecordKind::Individual, number) != 1 || !Read(number, person)) return 0;
      person.firstNote = *block;
      return Write(number, person);
    }
    default:
      Box("Bad Type", "UpdateRecord");
      return 0;
  }
}

// ---- delete ---------------------------------------------------------------

int ORV3::DllDeleteRecord(std::int32_t number, int type) {
  switch (type) {
    case 100:
      return DeleteIndividual(number);
    case 102:
      return DeleteMarriage(number);
    case 130:
      return DeleteSource(number);
    case 131:
      return DeleteRepository(number);
    case 132:
      return DeleteCitation(number);
    case 139:
      return DeleteUserEvent(number);
    case 141:
      return DeleteEventType(number);
    case 142:
      return DeleteFamilyLink(number);
    case 148:
      return DeleteMultimedia(number);
    case 122:
      FreeNoteChain(number);
      return 1;
    default:
      Yo("Bad Relation Type in DllDeleteRecord");
      return 0;
  }
}
