// Opening and creating a family file through the engine's parts, and the
// probe that describes a family file without opening it.
#include "ORV3.h"

#include <algorithm>
#include <new>
#include <set>
#include <string>

#include "Ansel.h"
#include "CodePage.h"
#include "CustomEventTable.h"
#include "FileSystem.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace orv;

ORV3::ORV3(EngineHost* host)
    : blocks_(host),
      records_(host, blocks_),
      strings_(host, blocks_),
      notes_(blocks_, records_),
      trees_(host, blocks_, records_, strings_),
      families_(host, records_, owners_, deletes_),
      owners_(records_, families_, deletes_),
      deletes_(host, records_, trees_, notes_, families_, owners_),
      settings_(host, blocks_),
      fields_(*this, host, records_, strings_, families_),
      calls_(*this) {
  // Tree walks, string stores and rings read the same blocks again and
  // again; the engine is the file's only writer while it is open. Writes
  // are positioned writes, each in the file when it returns: a mapping of
  // the file costs more than the system calls it saves once the file is
  // larger than what may stay mapped (every write elsewhere maps again), and
  // its pages add to the memory in use.
  host->file.EnableCache(kBlockSize, kCachedBlocks);
  blocks_.SetOnEditDropped([this] {
    strings_.ForgetKept();
    trees_.ForgetKept();
    for (int i = 1; i <= 4; ++i) records_.RecountMaxVars(i);
  });
}

int ORV3::Create(const std::string& path, const NewFileOptions& options) {
  if (!blocks_.Create(path, options)) return 0;
  for (int i = 1; i <= 4; ++i) records_.RecountMaxVars(i);
  blocks_.Flush();
  return 1;
}

namespace {

// Opening sizes its tables by what the file holds; a file larger than
// memory is refused rather than left half open.
template <class Step>
int RefusingWithoutMemory(Step step) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    plat::MessageBox(res::LoadString(res::kIdsNoMemoryText),
                     res::LoadString(res::kIdsErrorOpeningDatabase),
                     plat::kMbOk | plat::kMbIconExclamation);
    return -1;
  }
}

}  // namespace

int ORV3::OpenStructures() {
  return RefusingWithoutMemory([this] {
    {
      // What opening mends in the header and DBMap waits for the first edit.
      BlockStore::MendHold hold(blocks_);
      if (blocks_.OpenStructures() < 0) return -1;
      const auto lastWritten = [this](RecordKind kind, std::int32_t below) {
        return records_.LastWritten(kind, below);
      };
      if (blocks_.ClampHeaderToCapacity(lastWritten) < 0) return -1;
    }
    trees_.RecoverTreeChange();
    for (int i = 1; i <= 4; ++i) records_.RecountMaxVars(i);
    return 1;
  });
}

int ORV3::Open(bool createDefaultEventTypes) {
  return RefusingWithoutMemory([&] { return OpenAndMend(createDefaultEventTypes); });
}

int ORV3::OpenAndMend(bool createDefaultEventTypes) {
  if (OpenStructures() < 0) return -1;
  RecoverInterruptedBatch();
  {
    BlockStore::MendHold hold(blocks_);
    const bool mended = strings_.RecoverStringStores() > 0;
    if (records_.RecoverHighestNumbers() > 0 || mended)
      for (int i = 1; i <= 4; ++i) records_.RecountMaxVars(i);
  }
  if (createDefaultEventTypes) AddMissingEventTypes();
  return 1;
}

int ORV3::AddMissingEventTypes() {
  if (CustomEventTable().GetSize() == 0) return 0;
  const std::int32_t highest = blocks_.Head().I32(kHeadHighestEventType);
  // A file with event-type blocks but no count is damaged, not new.
  if (highest <= 0 && blocks_.TypeMapBlocks(kBlockEventTypes) != 0) return 0;
  std::set<std::string> titles;
  for (std::int32_t t = 1; t <= highest; ++t) {
    EventTypeRec type;
    if (records_.IsLive(RecordKind::EventType, t) != 1 || !records_.Read(t, type)) continue;
    if (type.tag[0] != 0) return 0;
    titles.insert(plat::AnsiLower(strings_.GetText(type.title)));
  }
  blocks_.BeginBatch();
  const int added = calls_.AddDefaultEventTypes(titles);
  // Leaving the batch writes the header that the batch held back; without
  // it the types are not whole on the file.
  if (!blocks_.EndBatch()) return 0;
  return added;
}

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
    name = plat::PathText(name);
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
