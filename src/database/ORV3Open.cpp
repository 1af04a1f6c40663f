// Opening a family file for use (structures, crash recovery of record
// numbers, default event types), the file options, the preparer record and
// the probe that describes a family file without opening it.

#include <algorithm>

#include "Ansel.h"
#include "CodePage.h"
#include "CustomEventTable.h"
#include "EventTypeRecord.h"
#include "FileHandle.h"
#include "ORV3.h"
#include "Ports.h"
#include "PreparerRecord.h"
#include "RecordMaps.h"
#include "StringStore.h"

using namespace orv;

namespace {

void Yo(const char* text) { plat::MessageBox(text, "Yo", plat::kMbOk); }

// Record kinds that keep their own highest number in the header.
constexpr RecordKind kNumberedKinds[] = {
    RecordKind::Individual, RecordKind::Marriage, RecordKind::NoteBlock,  RecordKind::FamilyLink,
    RecordKind::Citation,   RecordKind::Source,   RecordKind::Repository, RecordKind::UserEvent,
    RecordKind::EventType,  RecordKind::Contact,  RecordKind::Multimedia,
};

}  // namespace

int ORV3::Open(bool createDefaultEventTypes) {
  if (OpenStructures() < 0) return -1;
  const bool mended = RecoverStringStores() > 0;
  if (RecoverHighestNumbers() > 0 || mended)
    for (int i = 1; i <= 4; ++i) RecountMaxVars(i);
  if (createDefaultEventTypes && head_.I32(kHeadHighestEventType) <= 0 &&
      CustomEventTable().GetSize() > 0) {
    BeginBatch();
    AddDefaultEventTypes();
    // Leaving the batch writes the header that the batch held back.
    EndBatch();
  }
  return 1;
}

int ORV3::RecoverHighestNumbers() {
  // New records are written before the header's highest number in batch
  // mode reaches the disk; after a crash the next new record would reuse
  // (and overwrite) a record that exists. A slot inside the allocated blocks
  // that holds any non-zero byte was written (live or deleted).
  int raised = 0;
  for (RecordKind kind : kNumberedKinds) {
    const RecordLayout& l = LayoutOf(kind);
    const std::int32_t stored = Highest(kind);
    std::vector<std::uint8_t> buf(l.size);
    std::int32_t r = std::max(stored, 0);
    while (LocateRecord(kind, r + 1) >= 0) {
      if (!ReadRaw(kind, r + 1, buf.data())) break;
      if (std::all_of(buf.begin(), buf.end(), [](std::uint8_t b) { return b == 0; })) break;
      ++r;
    }
    if (r > stored) {
      head_.SetI32(l.highestField, r);
      ++raised;
    }
  }
  if (raised) WriteHeader(HeadPart::Whole);
  return raised;
}

int ORV3::RecoverStringStores() {
  int mended = 0;
  for (int kind : {0, 4}) {
    const StoreFields& store = StoreOfKind(kind);
    // Blocks are allocated in ascending positions of the last group, so the
    // store's last block in group and position order is its newest.
    std::int64_t firstBlock = -1, lastBlock = -1;
    for (int g = 0; g < GroupCount(); ++g) {
      const GroupIndex* group = Group(g);
      const int n = group ? group->TypeCount(store.blockType) : 0;
      if (n <= 0) continue;
      if (firstBlock < 0) firstBlock = BlockOffset(g, group->Position(store.blockType, 0));
      lastBlock = BlockOffset(g, group->Position(store.blockType, n - 1));
    }
    if (lastBlock < 0) continue;
    auto written = [this](std::int64_t offset) {
      std::uint8_t head[kEntryText + 1] = {};
      if (host_->Io().ReadSomeAt(static_cast<std::uint64_t>(offset), head, sizeof head) <
          static_cast<long long>(sizeof head))
        return false;
      return std::any_of(std::begin(head), std::end(head), [](std::uint8_t b) { return b != 0; });
    };
    bool changed = false;
    if (head_.I32(store.rootField) == 0 && written(firstBlock)) {
      head_.SetI32(store.rootField, static_cast<std::int32_t>(firstBlock));
      changed = true;
    }
    std::int64_t next = head_.I32(store.nextField);
    std::int64_t end = head_.I32(store.endField);
    if (end != lastBlock + kBlockSize || next < lastBlock || next > end) {
      // The stored position lies in an older block: the newest block holds
      // entries from its start on (or none, and then it is used from there).
      next = lastBlock;
      end = lastBlock + kBlockSize;
      changed = true;
    }
    std::int32_t count = head_.I32(store.countField);
    StringEntry entry;
    while (end - next > kEntryText && written(next)) {
      const int size = ReadEntry(static_cast<std::int32_t>(next), entry, false);
      if (size <= 0 || next + size > end) break;
      next += size;
      ++count;
      changed = true;
    }
    if (!changed) continue;
    head_.SetI32(store.nextField, static_cast<std::int32_t>(next));
    head_.SetI32(store.endField, static_cast<std::int32_t>(end));
    head_.SetI32(store.countField, count);
    ++mended;
  }
  if (mended) WriteHeader(HeadPart::Whole);
  return mended;
}

int ORV3::AddDefaultEventTypes() {
  const CCustomEventTable& table = CustomEventTable();
  for (int i = 0; i < table.GetSize(); ++i) {
    const CEventTypeRecord* row = table.GetAt(i);
    if (!row) continue;
    const std::int32_t t = NewRecord(RecordKind::EventType, true);
    if (t <= 0) {
      Yo("Problem adding event type");
      return 0;
    }
    if (!StoreEventTypeRecord(t, *row, true)) {
      Yo("Problem updating event type");
      return 0;
    }
  }
  return 1;
}

// ---- file options -----------------------------------------------------------

FileOptions ORV3::GetFileOptions() {
  FileOptions o;
  o.logChanges = head_.Byte(kHeadLogChanges) != 0;
  o.optionA = head_.I32(kHeadOptionA);
  o.optionB = head_.I32(kHeadOptionB);
  o.optionC = head_.I16(kHeadOptionC);
  o.optionD = head_.I16(kHeadOptionD);
  o.optionE = head_.I32(kHeadOptionE);
  host_->logChanges = o.logChanges;
  return o;
}

int ORV3::SetFileOptions(const FileOptions& o, const AppFileOptions& app) {
  head_.SetByte(kHeadLogChanges, o.logChanges ? 1 : 0);
  head_.SetI32(kHeadOptionA, o.optionA);
  head_.SetI32(kHeadOptionB, o.optionB);
  head_.SetI16(kHeadOptionC, o.optionC);
  head_.SetI16(kHeadOptionD, o.optionD);
  head_.SetI32(kHeadOptionE, o.optionE);
  head_.SetByte(kHeadShowZel, app.showZel ? 1 : 0);
  static constexpr char kAppend[] = {'N', 'R', 'I', 'A'};
  head_.SetByte(kHeadAppendLetter,
                static_cast<std::uint8_t>(kAppend[std::clamp(app.appendValue, 0, 3)]));
  head_.SetByte(kHeadCapSurname, app.capSurname ? 1 : 0);
  host_->logChanges = o.logChanges;
  return WriteHeader(HeadPart::Whole) ? 1 : 0;
}

int ORV3::GetFileOption(int flag) const { return flag == 1 ? head_.Byte(kHeadFlag1) : 0; }

int ORV3::SetFileOption(int flag, int value) {
  if (flag != 1) return 0;
  const std::uint8_t v = static_cast<std::uint8_t>(value);
  if (head_.Byte(kHeadFlag1) == v) return 1;
  head_.SetByte(kHeadFlag1, v);
  return WriteHeader(HeadPart::Whole) ? 1 : 0;
}

// ---- preparer ---------------------------------------------------------------

namespace {

struct PreparerField {
  int offset;
  int width;  // characters
  std::string CPreparerRecord::*member;
};

constexpr PreparerField kPreparerFields[] = {
    {kHeadPreparer + 0 * 61, 60, &CPreparerRecord::givenNames},
    {kHeadPreparer + 1 * 61, 60, &CPreparerRecord::surname},
    {kHeadPreparer + 2 * 61, 60, &CPreparerRecord::address1},
    {kHeadPreparer + 3 * 61, 60, &CPreparerRecord::address2},
    {kHeadPreparer + 4 * 61, 60, &CPreparerRecord::address3},
    {kHeadPreparer + 5 * 61, 60, &CPreparerRecord::unused},
    {kHeadPreparer + 6 * 61, 60, &CPreparerRecord::country},
    {kHeadPreparerPhone, 25, &CPreparerRecord::phone},
    {kHeadPreparerSbn, 12, &CPreparerRecord::sbn},
    {kHeadPreparerEmail, 60, &CPreparerRecord::email},
};

}  // namespace

int ORV3::ReadPreparer(CPreparerRecord& rec) {
  for (const PreparerField& f : kPreparerFields)
    rec.*f.member = AnselToAnsi(head_.Text(f.offset, f.width + 1));
  return 1;
}

int ORV3::WritePreparer(const CPreparerRecord& rec) {
  for (int off = kHeadPreparer; off < 882; ++off) head_.SetByte(off, 0);
  for (const PreparerField& f : kPreparerFields)
    head_.SetText(f.offset, f.width + 1, AnsiToAnsel(rec.*f.member, f.width));
  return WriteHeader(HeadPart::Whole) ? 1 : 0;
}

// ---- probe ------------------------------------------------------------------

int ORV3::ProbeFamilyFile(const std::string& path, std::int32_t& highestRin,
                          std::int32_t& highestMrin, std::string& title, std::uint64_t& length,
                          int* cause) {
  highestRin = highestMrin = 0;
  title.clear();
  length = 0;
  plat::FileHandle file;
  const int opened = file.Open(path, plat::FileHandle::Access::ReadOnly);
  if (opened != plat::kFileOk) {
    if (cause) *cause = opened;
    return 0;
  }
  FileHead head;
  if (!file.ReadAt(0, head.Data(), kHeaderSize)) return 0;
  if (head.Text(kHeadMagic, 4) != "ORV") return 0;
  highestRin = head.I32(kHeadHighestIndividual);
  highestMrin = head.I32(kHeadHighestMarriage);
  title = AnselToAnsi(head.Text(kHeadTitle, 64));
  if (title.empty()) {
    std::string name = path;
    const auto slash = name.find_last_of("/\\:");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) name = name.substr(0, dot);
    const bool hasUpper = std::any_of(name.begin(), name.end(), [](char c) {
      return plat::IsAnsiUpper(static_cast<unsigned char>(c));
    });
    if (!hasUpper && !name.empty())
      name[0] = static_cast<char>(plat::AnsiToUpper(static_cast<unsigned char>(name[0])));
    title = name;
  }
  length = static_cast<std::uint64_t>(std::max(file.Size(), 0LL));
  return 101;
}
