#include "FileProperties.h"

#include <ctime>

#include "CalendarMonth.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {
namespace {

std::string WithNumber(unsigned id, std::uint64_t n) {
  const std::string text = std::to_string(n);
  return FormatInsertsAndArgs(res::LoadString(id), {}, {text});
}

}  // namespace

std::string FreeSpaceText(std::uint64_t freeBytes) {
  std::uint64_t kb = freeBytes >> 10;
  unsigned id = res::kIdsKb;
  if (kb > 0xFFFFFFFFu || kb >= 10241) {
    kb >>= 10;
    id = res::kIdsMb;
  }
  if (kb == 0) kb = 1;
  return WithNumber(id, kb);
}

FileProperties ReadFileProperties(const std::string& path, std::uint64_t freeBytes) {
  FileProperties p;
  p.location = path;
  const long long size = plat::FileSize(path);
  const auto times = plat::GetFileTimes(path);
  if (size >= 0 && times) {
    p.size = static_cast<std::uint32_t>(size);
    std::tm local{};
    localtime_r(&times->modified, &local);
    char clock[32];
    std::strftime(clock, sizeof clock, " %H:%M:%S", &local);
    p.modified = FormatTimeAsDate(times->modified) + clock;
  }
  p.freeSpace = FreeSpaceText(freeBytes);
  p.individuals = DbGetRecordCount(db::kIndividual);
  p.marriages = DbGetRecordCount(db::kMarriage);
  p.sources = DbGetRecordCount(db::kSource);
  p.citations = DbGetRecordCount(db::kCitation);
  p.repositories = DbGetRecordCount(db::kRepository);
  p.notes = DbGetRecordCount(db::kNoteBlock);
  p.events = DbGetRecordCount(db::kUserEvent);
  p.multimedia = DbGetRecordCount(db::kMultimedia);
  p.deletedIndividuals = p.individuals - DbGetActiveRecordCount(db::kIndividual);
  p.deletedMarriages = p.marriages - DbGetActiveRecordCount(db::kMarriage);
  return p;
}

}  // namespace shell
