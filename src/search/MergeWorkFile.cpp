#include "MergeWorkFile.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "Ports.h"
#include "RelationshipSearch.h"
#include "Soundex.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr int kKeyAt = 8;

void PutSoundex(std::uint8_t* at, const std::string& name) {
  std::string code = name.empty() ? std::string("    ") : name;
  Soundex(code);
  // An empty code stays a NUL followed by the record's blank fill.
  const std::size_t n = code.size() < 4 ? code.size() : 4;
  std::memcpy(at, code.data(), n);
  at[n] = 0;
}

char SexLetterKey(std::uint8_t letter) { return letter == 'M' || letter == 'F' ? letter : ' '; }

std::string SbnText(const MergeWorkRecord& r) {
  const char* p = reinterpret_cast<const char*>(r.bytes + kKeyAt);
  std::size_t n = 0;
  while (n < 10 && p[n] != 0) ++n;
  return std::string(p, n);
}

int CompareNameKey(const MergeWorkRecord& a, const MergeWorkRecord& b) {
  int c = std::memcmp(a.bytes + 8, b.bytes + 8, 4);
  if (c == 0) c = std::memcmp(a.bytes + 13, b.bytes + 13, 4);
  return c;
}

int CompareSbnKey(const MergeWorkRecord& a, const MergeWorkRecord& b) {
  const int c = SbnText(a).compare(SbnText(b));
  if (c != 0) return c;
  return static_cast<int>(static_cast<unsigned char>(a.SexKey())) -
         static_cast<int>(static_cast<unsigned char>(b.SexKey()));
}

int CompareRins(const MergeWorkRecord& a, const MergeWorkRecord& b) {
  return a.Rin() < b.Rin() ? -1 : (a.Rin() > b.Rin() ? 1 : 0);
}

std::string CodeOf(const std::string& name) {
  std::string code = name.empty() ? std::string("    ") : name;
  Soundex(code);
  return code;
}

bool HasBirthDate(const CIndividualRecord& r) { return r.birth.date.IsSet(); }

// Every parent family of a against every one of b: known fathers (and known
// mothers) must have equal Soundex codes of surname and first given name.
bool ParentsAgree(std::int32_t a, std::int32_t b) {
  std::vector<std::int32_t> familiesA, familiesB;
  DbGetRelationList(familiesA, db::kRelParents, 4, a, 0);
  DbGetRelationList(familiesB, db::kRelParents, 4, b, 0);
  const auto sameName = [](std::int32_t x, std::int32_t y) {
    if (x <= 0 || y <= 0) return true;
    CIndividualRecord rx, ry;
    if (DbGetIndividualRecord(x, rx, 3) != 1 || DbGetIndividualRecord(y, ry, 3) != 1) return true;
    return CodeOf(rx.surname) == CodeOf(ry.surname) &&
           CodeOf(rx.givenNames[0]) == CodeOf(ry.givenNames[0]);
  };
  for (std::int32_t fa : familiesA) {
    std::int32_t fatherA = 0, motherA = 0;
    if (fa <= 0 || !kin::SpousesOf(fa, fatherA, motherA)) continue;
    for (std::int32_t fb : familiesB) {
      std::int32_t fatherB = 0, motherB = 0;
      if (fb <= 0 || !kin::SpousesOf(fb, fatherB, motherB)) continue;
      if (fatherB == a) return false;
      if (!sameName(fatherA, fatherB) || !sameName(motherA, motherB)) return false;
    }
  }
  return true;
}

}  // namespace

std::int32_t MergeWorkRecord::Get(int at) const {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[at]) |
                                   static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
                                   static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                                   static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

void MergeWorkRecord::Put(int at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

char MergeWorkRecord::SexKey() const { return SexLetterKey(bytes[19]); }

MergeWorkRecord MergeWorkRecord::MakeName(std::int32_t rin, std::int32_t position,
                                          const std::string& surname, const std::string& given) {
  MergeWorkRecord r;
  std::memset(r.bytes, ' ', kSize);
  r.SetRin(rin);
  r.SetPosition(position);
  PutSoundex(r.bytes + 8, surname);
  PutSoundex(r.bytes + 13, given);
  return r;
}

MergeWorkRecord MergeWorkRecord::MakeSbn(std::int32_t rin, const std::string& sbn, char sex) {
  MergeWorkRecord r;
  std::memset(r.bytes, ' ', kSize);
  r.SetRin(rin);
  r.SetPosition(0);
  const std::size_t n = sbn.size() < 10 ? sbn.size() : 10;
  std::memcpy(r.bytes + 8, sbn.data(), n);
  if (n < 10) r.bytes[8 + n] = 0;
  r.bytes[18] = 0;
  r.bytes[19] = static_cast<std::uint8_t>(sex);
  return r;
}

int CompareNameKeyRIN(const void* a, const void* b) {
  const auto& x = *static_cast<const MergeWorkRecord*>(a);
  const auto& y = *static_cast<const MergeWorkRecord*>(b);
  const int c = CompareNameKey(x, y);
  return c != 0 ? c : CompareRins(x, y);
}

int CompareSBNKeyRIN(const void* a, const void* b) {
  const auto& x = *static_cast<const MergeWorkRecord*>(a);
  const auto& y = *static_cast<const MergeWorkRecord*>(b);
  const int c = CompareSbnKey(x, y);
  return c != 0 ? c : CompareRins(x, y);
}

bool SameMergeKey(const MergeWorkRecord& a, const MergeWorkRecord& b, int mode) {
  return (mode == CMergeWorkFile::kSbnMode ? CompareSbnKey(a, b) : CompareNameKey(a, b)) == 0;
}

std::string MergeWorkFilePath(const std::string& familyPath) {
  if (familyPath.empty()) return "merge.dat";
  std::string path = familyPath;
  path.back() = 'm';
  return path;
}

int IsParentOrChildByRIN(std::int32_t a, std::int32_t b) {
  const auto parentOf = [](std::int32_t parent, std::int32_t child) {
    std::vector<std::int32_t> families;
    DbGetRelationList(families, db::kRelParents, 4, child, 0);
    for (std::int32_t mrin : families) {
      std::int32_t husband = 0, wife = 0;
      if (mrin > 0 && kin::SpousesOf(mrin, husband, wife) && (husband == parent || wife == parent))
        return true;
    }
    return false;
  };
  return parentOf(a, b) || parentOf(b, a) ? 1 : 0;
}

void CMergeWorkFile::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
    std::remove(path_.c_str());
  }
  count_ = 0;
  builtMode_ = -1;
}

namespace {

void TellSortFailure(unsigned id) {
  plat::MessageBox(res::LoadString(id), res::LoadString(res::kIdsMergeFileSort),
                   plat::kMbOk | plat::kMbIconExclamation);
}

// Ends the sort window whichever way the build ends.
struct ProgressScope {
  SortCounterPort* port;
  ~ProgressScope() {
    if (port != nullptr) port->End();
  }
  // Shows count in "Processed:" (or "Sorted:") every 50; true when Cancel
  // was pressed.
  bool Step(std::int32_t count, bool sorted = false) {
    if (port == nullptr || count % 50 != 0) return false;
    Show(count, sorted);
    return port->CancelRequested();
  }
  void Show(std::int32_t count, bool sorted) {
    if (port == nullptr) return;
    if (sorted)
      port->SetSorted(count);
    else
      port->SetProcessed(count);
  }
};

}  // namespace

int CMergeWorkFile::Build(int mode, const std::string& path) {
  CDiskSort sort;
  if (sort.Open(MergeWorkRecord::kSize, false,
                mode == kSbnMode ? CompareSBNKeyRIN : CompareNameKeyRIN) < 0) {
    TellSortFailure(res::kIdsNoDiskSpace);
    return 2;
  }
  const std::int32_t maxRin = DbGetMaxRecordCount(db::kIndividual);
  if (progress != nullptr)
    progress->Begin(res::LoadString(res::kIdsMergeSortCaption),
                    DbGetActiveRecordCount(db::kIndividual));
  ProgressScope scope{progress};
  std::int32_t added = 0, read = 0;
  for (std::int32_t rin = 1; rin <= maxRin; ++rin) {
    CIndividualRecord person;
    if (DbGetIndividualRecord(rin, person, mode == kSbnMode ? 1 : 3) != 1) continue;
    if (scope.Step(++read)) return 2;
    MergeWorkRecord record;
    if (mode == kSbnMode) {
      if (person.texts1[1].empty()) continue;
      record = MergeWorkRecord::MakeSbn(rin, person.texts1[1], person.sex);
    } else {
      record = MergeWorkRecord::MakeName(rin, added, person.surname, person.givenNames[0]);
    }
    if (sort.Add(record.bytes) != 1) {
      TellSortFailure(res::kIdsNoDiskSpace);
      return 2;
    }
    ++added;
  }
  if (added == 0) return 2;
  sort.End();
  scope.Show(read, false);
  Close();
  path_ = path.empty() ? MergeWorkFilePath(DbGetFilePath()) : path;
  file_ = std::fopen(path_.c_str(), "w+b");
  if (file_ == nullptr && path.empty() && CurrentDatabase != nullptr &&
      CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly) {
    // A family file on a read-only device keeps its work file elsewhere.
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (!error) {
      path_ = (temp / "merge.dat").string();
      file_ = std::fopen(path_.c_str(), "w+b");
    }
  }
  if (file_ == nullptr) {
    TellSortFailure(res::kIdsCannotOpen);
    return 2;
  }
  std::int32_t position = 0;
  while (const void* next = sort.Next()) {
    MergeWorkRecord record;
    std::memcpy(record.bytes, next, MergeWorkRecord::kSize);
    record.SetPosition(position);
    if (std::fwrite(record.bytes, MergeWorkRecord::kSize, 1, file_) != 1) {
      Close();
      TellSortFailure(res::kIdsNoDiskSpace);
      return 2;
    }
    ++position;
    if (scope.Step(position, true)) {
      Close();
      return 2;
    }
  }
  if (sort.Failed()) {
    Close();
    TellSortFailure(res::kIdsNoDiskSpace);
    return 2;
  }
  scope.Show(position, true);
  std::fflush(file_);
  count_ = position;
  builtMode_ = mode;
  return 1;
}

bool CMergeWorkFile::ReadAt(std::int32_t position, MergeWorkRecord& out) const {
  if (file_ == nullptr || position < 0 || position >= count_) return false;
  if (std::fseek(file_, static_cast<long>(position) * MergeWorkRecord::kSize, SEEK_SET) != 0)
    return false;
  return std::fread(out.bytes, MergeWorkRecord::kSize, 1, file_) == 1;
}

bool CMergeWorkFile::WriteAt(std::int32_t position, const MergeWorkRecord& record) {
  if (file_ == nullptr || position < 0 || position >= count_) return false;
  if (std::fseek(file_, static_cast<long>(position) * MergeWorkRecord::kSize, SEEK_SET) != 0)
    return false;
  const bool ok = std::fwrite(record.bytes, MergeWorkRecord::kSize, 1, file_) == 1;
  std::fflush(file_);
  return ok;
}

int CMergeWorkFile::FindNextPair(std::int32_t position, int direction, int mode, bool rebuild,
                                 MergeWorkRecord& out, std::int32_t maxRin) {
  if (rebuild && Build(mode) != 1) return -1;
  const auto usable = [&](const MergeWorkRecord& r) {
    return r.Rin() != 0 && (maxRin <= 0 || r.Rin() <= maxRin);
  };
  // The next record with a non-zero RIN from p (inclusive) in the direction.
  const auto nextLive = [&](std::int32_t p, MergeWorkRecord& r) -> std::int32_t {
    for (; p >= 0 && p < count_; p += direction) {
      if (!ReadAt(p, r)) return -1;
      if (maxRin > 0 && r.Rin() > maxRin) return -1;
      if (usable(r)) return p;
    }
    return -1;
  };
  MergeWorkRecord first;
  std::int32_t at = position < 0 ? (direction < 0 ? 0 : nextLive(0, first))
                                 : nextLive(position + direction, first);
  if (position < 0 && direction < 0 && !(ReadAt(0, first) && usable(first))) return 0;
  while (at >= 0) {
    MergeWorkRecord second;
    const std::int32_t next = nextLive(at + direction, second);
    if (next < 0) return 0;
    if (SameMergeKey(first, second, mode)) {
      out = first;
      return 1;
    }
    first = second;
    at = next;
  }
  return 0;
}

std::int32_t CMergeWorkFile::GetGroupMember(int direction, MergeWorkRecord& record, int mode, int n,
                                            std::int32_t start) const {
  const MergeWorkRecord key = record;
  std::int32_t p = start < 0 ? key.Position() : start;
  for (int i = 0; i <= n; ++i) {
    p += direction;
    MergeWorkRecord member;
    if (!ReadAt(p, member) || !SameMergeKey(key, member, mode)) return -1;
    if (i == n) {
      record = member;
      return member.Rin();
    }
  }
  return -1;
}

std::int32_t CMergeWorkFile::FindDuplicate(const MergeWorkRecord& primaryRecord, int direction,
                                           int mode, std::int32_t start, bool rebuild,
                                           const MatchOptions& options, MergeWorkRecord& out) {
  if (rebuild && Build(mode) != 1) return 0;
  const std::int32_t primaryRin = primaryRecord.Rin();
  CIndividualRecord primary;
  if (primaryRin <= 0 || DbGetIndividualRecord(primaryRin, primary, 3) != 1) return 0;
  const std::int32_t from = start >= 0 ? start : primaryRecord.Position();
  if (!options.mrgSurname && primary.surname.empty()) return 0;
  for (int n = 0;; ++n) {
    MergeWorkRecord member = primaryRecord;
    member.SetPosition(from);
    const std::int32_t rin = GetGroupMember(direction, member, mode, n, from);
    if (rin <= 0) return 0;  // end of group or file, or a merged entry
    if (rin == primaryRin) continue;
    const std::int32_t pos = member.Position();
    if (direction < 0 ? pos >= from : pos <= from) continue;
    CIndividualRecord candidate;
    if (DbGetIndividualRecord(rin, candidate, 3) != 1) continue;
    if (SexLetterKey(static_cast<std::uint8_t>(candidate.sex)) !=
        SexLetterKey(static_cast<std::uint8_t>(primary.sex)))
      continue;
    if (IsParentOrChildByRIN(primaryRin, rin)) continue;
    if (!options.mrgSurname && candidate.surname.empty()) continue;
    const bool bothDated = HasBirthDate(primary) && HasBirthDate(candidate);
    if (!options.mrgDOB && !bothDated) continue;
    if (bothDated && std::abs(static_cast<int>(primary.birth.date.year) -
                              static_cast<int>(candidate.birth.date.year)) > options.mrgYears)
      continue;
    if (options.mrgIds && !primary.texts1[1].empty() && !candidate.texts1[1].empty() &&
        primary.texts1[1] != candidate.texts1[1])
      continue;
    if (options.mrgMiddles) {
      bool differ = false;
      for (int g = 1; g <= 2; ++g)
        if (!primary.givenNames[g].empty() && !candidate.givenNames[g].empty() &&
            CodeOf(primary.givenNames[g]) != CodeOf(candidate.givenNames[g]))
          differ = true;
      if (differ) continue;
    }
    if (options.mrgParents && !ParentsAgree(primaryRin, rin)) continue;
    out = member;
    return rin;
  }
}

std::int32_t CMergeWorkFile::FindEntry(std::int32_t rin, int mode, bool rebuild) {
  if (rebuild && Build(mode) != 1) return -1;
  MergeWorkRecord r;
  for (std::int32_t p = 0; p < count_; ++p)
    if (ReadAt(p, r) && r.Rin() == rin) return p;
  return -1;
}

int CMergeWorkFile::MarkMerged(std::int32_t position) {
  MergeWorkRecord r;
  if (!ReadAt(position, r)) return 0;
  r.SetRin(0);
  return WriteAt(position, r) ? 1 : 0;
}

bool CMatchCursor::Start() {
  havePrimary_ = false;
  pairPosition_ = -1;
  return work_.Build(mode_) == 1;
}

bool CMatchCursor::Next(std::int32_t& primary, std::int32_t& duplicate) {
  if (!work_.IsOpen()) return false;
  MergeWorkRecord found;
  // A further duplicate of the same primary, beyond the last one.
  if (havePrimary_ &&
      work_.FindDuplicate(primary_, 1, mode_, duplicate_.Position(), false, options_, found) > 0) {
    duplicate_ = found;
    primary = primary_.Rin();
    duplicate = found.Rin();
    return true;
  }
  // The next primary that has a duplicate.
  MergeWorkRecord candidate;
  std::int32_t from = havePrimary_ ? primary_.Position() : pairPosition_;
  while (work_.FindNextPair(from, 1, mode_, false, candidate) == 1) {
    from = candidate.Position();
    if (work_.FindDuplicate(candidate, 1, mode_, -1, false, options_, found) > 0) {
      primary_ = candidate;
      duplicate_ = found;
      havePrimary_ = true;
      primary = candidate.Rin();
      duplicate = found.Rin();
      return true;
    }
  }
  return false;
}
