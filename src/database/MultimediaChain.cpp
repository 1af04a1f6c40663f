// Multimedia chains of owners: the database object's chain operations, the
// chain calls, the default items, the export of an individual's item and the
// picture cache of report pagination.
#include "MultimediaChain.h"

#include <cstdlib>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileUtil.h"
#include "Orv2Reader.h"
#include "Ports.h"
#include "RecordMaps.h"

namespace {

using orv::RecordKind;

void UnknownDatabaseType() { plat::MessageBox("Unknown Database Type 31", "Yo", plat::kMbOk); }

bool IsOwnerType(int ownerType) {
  return ownerType == CMultimediaItem::kOwnerIndividual ||
         ownerType == CMultimediaItem::kOwnerMarriage ||
         ownerType == CMultimediaItem::kOwnerSource || ownerType == CMultimediaItem::kOwnerCitation;
}

RecordKind OwnerKind(int ownerType) {
  switch (ownerType) {
    case CMultimediaItem::kOwnerIndividual:
      return RecordKind::Individual;
    case CMultimediaItem::kOwnerMarriage:
      return RecordKind::Marriage;
    case CMultimediaItem::kOwnerSource:
      return RecordKind::Source;
    default:
      return RecordKind::Citation;
  }
}

// The engine of an open current-format file; null otherwise, after the
// unknown-type box for a database of another type.
ORV3* ChainEngine(CFamilyDatabase& db) {
  if (db.type == CFamilyDatabase::kCurrentFormat) return db.engine.get();
  UnknownDatabaseType();
  return nullptr;
}

// The owner's engine when it is live and of an owner type; else null.
ORV3* LiveOwnerEngine(CFamilyDatabase& db, std::int32_t owner, int ownerType) {
  ORV3* e = db.engine.get();
  if (!e || !IsOwnerType(ownerType)) return nullptr;
  return e->Records().IsLive(OwnerKind(ownerType), owner) == 1 ? e : nullptr;
}

// ---- picture file headers ----

std::uint32_t BigEndian(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
  return v;
}

std::uint32_t LittleEndian(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// The frame size of a JPEG file: the first start-of-frame segment.
bool JpegSize(plat::FileHandle& file, int& width, int& height) {
  std::uint64_t pos = 2;
  const std::uint64_t size = static_cast<std::uint64_t>(file.Size());
  unsigned char seg[9];
  while (pos + 4 <= size) {
    if (!file.ReadAt(pos, seg, 4) || seg[0] != 0xFF) return false;
    const unsigned marker = seg[1];
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length
      pos += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return false;  // end of image, scan data
    const std::uint32_t length = BigEndian(seg + 2, 2);
    if (length < 2) return false;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (!file.ReadAt(pos, seg, 9)) return false;
      height = static_cast<int>(BigEndian(seg + 5, 2));
      width = static_cast<int>(BigEndian(seg + 7, 2));
      return true;
    }
    pos += 2 + length;
  }
  return false;
}

}  // namespace

bool ReadPictureFileSize(const std::string& path, int& width, int& height) {
  width = 0;
  height = 0;
  plat::FileHandle file;
  if (file.Open(path, plat::FileHandle::Access::ReadOnly) != 0) return false;
  unsigned char h[26] = {};
  const long long got = file.ReadSomeAt(0, h, sizeof h);
  if (got < 4) return false;
  int w = 0, ht = 0;
  if (got >= 24 && BigEndian(h, 4) == 0x89504E47 && BigEndian(h + 12, 4) == 0x49484452) {
    w = static_cast<int>(BigEndian(h + 16, 4));  // PNG: IHDR
    ht = static_cast<int>(BigEndian(h + 20, 4));
  } else if (got >= 10 && h[0] == 'G' && h[1] == 'I' && h[2] == 'F' && h[3] == '8') {
    w = static_cast<int>(LittleEndian(h + 6, 2));
    ht = static_cast<int>(LittleEndian(h + 8, 2));
  } else if (got >= 26 && h[0] == 'B' && h[1] == 'M') {
    if (LittleEndian(h + 14, 4) == 12) {  // the old core header: 16-bit sizes
      w = static_cast<int>(LittleEndian(h + 18, 2));
      ht = static_cast<int>(LittleEndian(h + 20, 2));
    } else {
      w = static_cast<std::int32_t>(LittleEndian(h + 18, 4));
      ht = std::abs(static_cast<std::int32_t>(LittleEndian(h + 22, 4)));  // top-down below 0
    }
  } else if (h[0] == 0xFF && h[1] == 0xD8) {
    if (!JpegSize(file, w, ht)) return false;
  } else {
    return false;
  }
  if (w <= 0 || ht <= 0) return false;
  width = w;
  height = ht;
  return true;
}

// ---- the database object's chain operations ----

std::int32_t CFamilyDatabase::GetMultimediaHead(std::int32_t owner, int ownerType) {
  if (type == kCurrentFormat) {
    ORV3* e = LiveOwnerEngine(*this, owner, ownerType);
    return e ? e->Owners().GetMultimediaHead(owner, ownerType) : -1;
  }
  if (type == kOldFormat) return orv2::MultimediaHead(*this, owner, ownerType);
  UnknownDatabaseType();
  return -1;
}

std::int32_t CFamilyDatabase::SetMultimediaHead(std::int32_t owner, std::int32_t head,
                                                int ownerType) {
  if (!ChainEngine(*this)) return -1;
  ORV3* e = LiveOwnerEngine(*this, owner, ownerType);
  if (!e) return 0;
  const std::int32_t old = e->Owners().SetMultimediaHead(owner, ownerType, head);
  return old < 0 ? 0 : old;
}

int CFamilyDatabase::DeleteMultimediaChain(std::int32_t owner, int ownerType) {
  if (!ChainEngine(*this)) return -1;
  ORV3* e = LiveOwnerEngine(*this, owner, ownerType);
  if (!e) return 0;
  const std::int32_t head = e->Owners().GetMultimediaHead(owner, ownerType);
  if (head < 0) return 0;
  if (head == 0) return 1;
  // The chain is found from its head before the field lets go of it.
  const std::int32_t first = e->Owners().FirstMultimediaItem(head);
  if (e->Owners().SetMultimediaHead(owner, ownerType, 0) < 0) return 0;
  if (first == 0) return 0;
  return e->Owners().DeleteMultimediaChainOf(first, owner, ownerType);
}

CMultimediaList CFamilyDatabase::LoadMultimediaList(std::int32_t first, int maxCount) {
  // The old format's chains are named by their owner, an individual.
  if (type == kOldFormat) return orv2::MultimediaList(*this, first);
  if (!ChainEngine(*this) || !engine) return nullptr;
  CMultimediaList list;
  CMultimediaItem* tail = nullptr;
  // More items than the file holds would mean a loop of next numbers.
  const std::int32_t highest = engine->Records().Highest(RecordKind::Multimedia);
  std::int32_t number = first;
  for (int count = 0; number > 0 && count <= highest && (maxCount < 0 || count < maxCount);
       ++count) {
    auto item = std::make_unique<CMultimediaItem>();
    if (DbGetRecord(number, CMultimediaItem::kRecordType, item.get(), 0, db::kWalkExact) != 1)
      break;
    number = item->nextRecordNumber;
    CMultimediaItem* added = item.get();
    if (tail)
      tail->next = std::move(item);
    else
      list = std::move(item);
    tail = added;
  }
  return list;
}

int CFamilyDatabase::SetMultimediaFileName(std::int32_t item, const std::string& name) {
  ORV3* e = ChainEngine(*this);
  if (!e) return -1;
  if (host.readOnly) return 1;
  orv::MultimediaRec rec;
  if (e->Records().IsLive(RecordKind::Multimedia, item) != 1 || !e->Records().Read(item, rec))
    return 0;
  if (rec.owner == 0) return 0;
  if (e->Strings().SetTextReference(name, orv::maps::kKindOther5, rec.path) == 0) return 1;
  return e->Records().Write(item, rec) ? 1 : 0;
}

int CFamilyDatabase::GetMultimediaFileName(std::int32_t item, std::string& out) {
  out.clear();
  ORV3* e = ChainEngine(*this);
  if (!e) return -1;
  orv::MultimediaRec rec;
  if (e->Records().IsLive(RecordKind::Multimedia, item) != 1 || !e->Records().Read(item, rec))
    return 0;
  out = e->Strings().GetText(rec.path);
  return 1;
}

int CFamilyDatabase::ReplaceMultimediaFolder(const std::string& oldFolder,
                                             const std::string& newFolder) {
  ORV3* e = ChainEngine(*this);
  if (!e) return -1;
  if (host.readOnly) return 1;
  e->Fields().ChangeMultimediaFolder(oldFolder, newFolder);
  return 1;
}

// ---- the chain calls ----

std::int32_t DbGetMultimediaHead(std::int32_t owner, int ownerType) {
  return CurrentDatabase->GetMultimediaHead(owner, ownerType);
}

std::int32_t DbGetFirstMultimediaItem(std::int32_t item) {
  ORV3* e = ChainEngine(*CurrentDatabase);
  if (!e) return -1;
  return e->Owners().FirstMultimediaItem(item);
}

CMultimediaList DbGetDefaultMultimedia(std::int32_t owner, int ownerType, int* count) {
  if (count) *count = 0;
  CFamilyDatabase& db = *CurrentDatabase;
  if (!ChainEngine(db)) return nullptr;
  const std::int32_t head = db.GetMultimediaHead(owner, ownerType);
  if (head <= 0) return nullptr;
  const std::int32_t first = DbGetFirstMultimediaItem(head);
  if (first <= 0) return nullptr;
  return PickDefaultItems(db.LoadMultimediaList(first, -1), count);
}

int DbSaveMultimediaChain(std::int32_t owner, CMultimediaItem* list, int ownerType) {
  if (owner <= 0 || !IsOwnerType(ownerType)) return 0;
  if (list && list->keepStoredChain != 0) return 1;
  CFamilyDatabase& db = *CurrentDatabase;
  ORV3* e = ChainEngine(db);
  if (!e) return -1;
  // Items are only made for an owner that can take them.
  if (db.GetMultimediaHead(owner, ownerType) < 0) return 0;
  const int deleted = db.DeleteMultimediaChain(owner, ownerType);
  if (deleted != 1 || !list) return deleted;

  CMultimediaItem* previous = nullptr;
  int added = 0;
  bool failed = false;
  for (CMultimediaItem* item = list; item; item = item->next.get()) {
    item->ownerNumber = owner;
    item->ownerType = static_cast<std::uint8_t>(ownerType);
    // A stored item without a kind letter would read as deleted.
    if (item->kind == 0) item->kind = CMultimediaItem::kPhoto;
    item->nextRecordNumber = 0;
    item->extraNumber = previous ? previous->recordNumber : 0;
    const std::int32_t number = DbAddRecord(CMultimediaItem::kRecordType, 1, item);
    if (number <= 0) {
      failed = true;
      break;
    }
    item->recordNumber = number;
    if (previous) previous->nextRecordNumber = number;
    previous = item;
    ++added;
  }
  if (added == 0) return 0;

  CMultimediaItem* item = list;
  for (int i = 0; i < added; ++i, item = item->next.get())
    if (DbUpdateRecord(item->recordNumber, CMultimediaItem::kRecordType, item) != 1) failed = true;
  // The database object's setter answers the old head, 0 also for a failure:
  // the engine's answer tells them apart.
  if (e->Owners().SetMultimediaHead(owner, ownerType, list->recordNumber) < 0) failed = true;
  return failed ? 0 : 1;
}

void DbFreeMultimediaList(CMultimediaList& list) { FreeNodeChain(list); }

int DbHasDefaultPhoto(std::int32_t owner, int ownerType, std::pair<int, int>* size) {
  if (size) *size = {0, 0};
  if (!ChainEngine(*CurrentDatabase)) return -1;
  CMultimediaList defaults = DbGetDefaultMultimedia(owner, ownerType);
  if (!defaults || defaults->kind != CMultimediaItem::kPhoto) return 0;
  if (size) defaults->GetCroppedSize(size->first, size->second);
  return 1;
}

int ExportMultimediaFile(std::int32_t owner, int /*unused*/, const std::string& folder,
                         std::string& name, const CMultimediaItem* item, int index, int& width,
                         int& height, ReplaceSync sync) {
  width = 0;
  height = 0;
  if (!ChainEngine(*CurrentDatabase)) return -1;
  CMultimediaItem read;
  if (!item) {
    const std::int32_t head = DbGetMultimediaHead(owner, CMultimediaItem::kOwnerIndividual);
    if (head <= 0 || DbGetRecord(head, CMultimediaItem::kRecordType, &read) != 1) return 0;
    item = &read;
  }
  const std::string source = item->GetFullPath();
  if (source.empty()) return 0;

  std::string target = folder;
  AddTrailingBackslash(target);
  name = MultimediaExportName(owner, index, source);
  if (CopyFileWithMessage(source, target + name, false, sync) != 0) return 0;
  if (item->kind == CMultimediaItem::kPhoto) ReadPictureFileSize(source, width, height);

  if (!item->soundFile.empty()) {
    const std::string soundSource = item->GetSoundPath();
    const std::string soundName = MultimediaExportName(owner, index + 1, soundSource);
    if (CopyFileWithMessage(soundSource, target + soundName, false, sync) != 0) return 0;
  }
  return 1;
}

void SetReportImageMode(int flag) {
  CFamilyDatabase& db = *CurrentDatabase;
  db.pictureCache.reset();
  if (flag == 0) return;
  auto cache = std::make_unique<CBitSet>();
  const std::int32_t highest = db.host.highestIndividual > 0 ? db.host.highestIndividual : 0;
  if (cache->Init(static_cast<std::uint32_t>(highest) + 1) == 1) db.pictureCache = std::move(cache);
}
