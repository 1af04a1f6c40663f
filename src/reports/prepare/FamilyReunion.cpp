#include "FamilyReunion.h"

#include <array>
#include <cctype>
#include <cstring>
#include <deque>
#include <memory>

#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "PaginationRun.h"
#include "PaginatorState.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "ZelQualification.h"

namespace rpt {

namespace {

constexpr const char* kFileErrorName = "Family Contact List";
constexpr std::size_t kKeySize = 32;
// The person marks: listed, and visited (taken from the queue).
constexpr std::uint8_t kListed = 1;
constexpr std::uint8_t kVisited = 2;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A file of one byte per record number, zero-filled.
class MarkFile {
 public:
  bool Create(const std::string& path, std::int32_t highest, const char* label) {
    auto file = std::make_unique<plat::FileHandle>();
    const int error = file->Create(path);
    if (error != plat::kFileOk) {
      ShowFileError(error, kFileErrorName, label);
      return false;
    }
    file_.Adopt(std::move(file), path);
    return file_.ZeroFill(static_cast<std::uint64_t>(highest / 50 + 1), 50);
  }
  bool IsSet(std::int32_t n, std::uint8_t bits = 0xFF) { return (Get(n) & bits) != 0; }
  bool Set(std::int32_t n, std::uint8_t bits = 1) {
    const std::array<std::uint8_t, 1> b{static_cast<std::uint8_t>(Get(n) | bits)};
    return file_.WriteRecord(static_cast<std::uint64_t>(n), b);
  }
  void Remove() { file_.CloseAndDelete(); }

 private:
  std::uint8_t Get(std::int32_t n) {
    std::array<std::uint8_t, 1> b{};
    file_.ReadRecord(static_cast<std::uint64_t>(n), b);
    return b[0];
  }

  PaginatorWorkFile file_;
};

bool EnoughSpace(std::uint64_t bytes, std::string& folder) {
  std::string base;
  if (GetTempPathWithSpace(base, bytes) < bytes) {
    plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport),
                     res::LoadString(res::kIdsReunionContactListTitle),
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  folder = PaginationWorkFolder(base);
  return true;
}

}  // namespace

bool ReunionSource::ReadIndividual(std::int32_t rin, CIndividualRecord& out) {
  return rin > 0 && family::Read(out, rin) == 1;
}
bool ReunionSource::ReadMarriage(std::int32_t mrin, CMarriageRecord& out) {
  return mrin > 0 && family::Read(out, mrin) == 1;
}
std::vector<std::int32_t> ReunionSource::Marriages(std::int32_t rin) {
  std::vector<std::int32_t> list;
  if (DbGetRelationCount(rin, db::kRelSpouses, 0, 1) > 0)
    DbGetRelationList(list, db::kRelSpouses, 0, rin, 0);
  return list;
}
std::vector<std::int32_t> ReunionSource::Children(std::int32_t mrin) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, db::kRelChildren, 0, mrin, 0);
  return list;
}

void BuildContactKey(const std::string& surname, const std::string& given, std::int32_t rin,
                     std::uint8_t* out) {
  char key[kKeySize];
  std::memset(key, ' ', kKeySize);
  const std::string s = Upper(surname).substr(0, 16);
  const std::string g = Upper(given).substr(0, 16);
  std::memcpy(key, s.data(), s.size());
  std::memcpy(key + 16, g.data(), g.size());
  std::size_t n = 0;
  for (std::size_t i = 0; i < kKeySize - 1; ++i) {
    if (key[i] == ' ' && key[i + 1] == ' ') continue;
    out[n++] = static_cast<std::uint8_t>(key[i]);
  }
  if (key[kKeySize - 1] != ' ') out[n++] = static_cast<std::uint8_t>(key[kKeySize - 1]);
  while (n < kKeySize) out[n++] = ' ';
  PutInt32LE(std::span<std::uint8_t>(out, kContactSortRecordSize), kKeySize, rin);
}

int CompareContactKeys(const void* a, const void* b) { return std::memcmp(a, b, kKeySize); }

void CloseFamilyReunionWorkFile() {
  PaginatorState& state = Paginator();
  state.indexFile.CloseAndDelete();
}

std::int64_t FamilyReunionCount() {
  return Paginator().indexFile.IsOpen() ? Paginator().recordCounter : 0;
}

std::int32_t GetFamilyReunionEntry(std::int64_t n) {
  PaginatorState& state = Paginator();
  if (n < 0 || n >= FamilyReunionCount()) return 0;
  std::array<std::uint8_t, 4> bytes{};
  if (!state.indexFile.ReadRecord(static_cast<std::uint64_t>(n), bytes)) return 0;
  return GetInt32LE(bytes, 0);
}

int PrepareFamilyReunionList(std::int32_t startRin, ReunionSource* given) {
  ReunionSource own;
  ReunionSource& source = given != nullptr ? *given : own;
  PaginatorState& state = Paginator();
  CloseFamilyReunionWorkFile();
  if (startRin <= 0 || DbGetRIN(startRin, db::kQueryIndividuals, db::kWalkExact) != startRin)
    return 0;
  state.recordCounter = 0;
  const std::int32_t highestRin = DbGetMaxRecordCount(db::kIndividual);
  const std::int32_t highestMrin = std::max(DbGetMaxRecordCount(db::kMarriage), 0);

  std::string folder;
  MarkFile people, marriages;
  auto fail = [&] {
    people.Remove();
    marriages.Remove();
    state.indexFile.CloseAndDelete();
    return 0;
  };
  if (!EnoughSpace(static_cast<std::uint64_t>(highestRin / 50) * 50 + 50, folder) ||
      !people.Create(folder + "~KorDUPPD.TMP", highestRin, "Temp File 1"))
    return fail();
  if (!EnoughSpace(static_cast<std::uint64_t>(highestMrin / 50) * 50 + 50, folder) ||
      !marriages.Create(folder + "~KorDUP2.TMP", highestMrin, "Temp File 2"))
    return fail();
  if (!EnoughSpace(static_cast<std::uint64_t>(highestRin / 50) * 200 + 200, folder)) return fail();
  {
    auto file = std::make_unique<plat::FileHandle>();
    const std::string path = folder + "~FAMINDX.TMP";
    const int error = file->Create(path);
    if (error != plat::kFileOk) {
      ShowFileError(error, kFileErrorName, "Index File");
      return fail();
    }
    state.indexFile.Adopt(std::move(file), path);
  }
  CDiskSort sort;
  if (sort.Open(kContactSortRecordSize, false, CompareContactKeys) < 0) {
    plat::MessageBox(res::LoadString(res::kIdsUnableToSortIndex),
                     res::LoadString(res::kIdsContactListSortCaption),
                     plat::kMbOk | plat::kMbIconExclamation);
    return fail();
  }
  std::uint32_t listed = 0;
  auto add = [&](const std::string& surname, const std::string& givenName, std::int32_t rin) {
    std::uint8_t record[kContactSortRecordSize];
    BuildContactKey(surname, givenName, rin, record);
    if (sort.Add(record) != 1) return false;
    ++listed;
    return true;
  };
  auto sortFull = [&] {
    plat::MessageBox(res::LoadString(res::kIdsSortDiskFull),
                     res::LoadString(res::kIdsContactListSortCaption),
                     plat::kMbOk | plat::kMbIconExclamation);
    sort.Close();
    return fail();
  };

  std::deque<std::int32_t> queue{startRin};
  while (!queue.empty()) {
    const std::int32_t p = queue.front();
    queue.pop_front();
    // Someone reached along two lines of descent is visited once.
    if (p <= 0 || p > highestRin || people.IsSet(p, kVisited)) continue;
    people.Set(p, kVisited);
    CIndividualRecord person;
    if (!source.ReadIndividual(p, person)) continue;
    const bool deceased = IsPresumedDeceased(person);
    std::vector<std::int32_t> own = source.Marriages(p);
    for (const std::int32_t mrin : own) {
      if (mrin <= 0 || mrin > highestMrin || marriages.IsSet(mrin)) continue;
      CMarriageRecord marriage;
      if (!source.ReadMarriage(mrin, marriage)) continue;
      marriages.Set(mrin);
      const std::int32_t s = marriage.husband == p ? marriage.wife : marriage.husband;
      CIndividualRecord spouse;
      if (deceased && s > 0 && s <= highestRin && !people.IsSet(s, kListed) &&
          source.ReadIndividual(s, spouse) && !IsPresumedDeceased(spouse)) {
        people.Set(s, kListed);
        const std::string& surname = marriage.husband == p ? person.surname : spouse.surname;
        if (!add(surname, spouse.givenNames[0], s)) return sortFull();
      }
      for (const std::int32_t child : source.Children(mrin))
        if (child > 0 && child <= highestRin && !people.IsSet(child, kVisited))
          queue.push_back(child);
    }
    if (!deceased && !people.IsSet(p, kListed)) {
      people.Set(p, kListed);
      std::string surname = person.surname;
      if (person.sex == 'F') {
        for (const std::int32_t mrin : own) {
          CMarriageRecord marriage;
          if (!source.ReadMarriage(mrin, marriage) || marriage.husband == 0 ||
              marriage.status == 'D')
            continue;
          CIndividualRecord husband;
          if (source.ReadIndividual(marriage.husband, husband) && !husband.surname.empty())
            surname = husband.surname;
          break;
        }
      }
      if (!add(surname, person.givenNames[0], p)) return sortFull();
    }
  }

  sort.End();
  std::uint32_t written = 0;
  while (const auto* record = static_cast<const std::uint8_t*>(sort.Next())) {
    std::array<std::uint8_t, 4> bytes{};
    std::memcpy(bytes.data(), record + kKeySize, 4);
    if (!state.indexFile.WriteRecord(written, bytes)) {
      sort.Close();
      return fail();
    }
    ++written;
  }
  sort.Close();
  people.Remove();
  marriages.Remove();
  state.recordCounter = written;
  return written == listed ? 1 : fail();
}

}  // namespace rpt
