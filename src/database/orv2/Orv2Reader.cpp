#include "Orv2Reader.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <new>
#include <unordered_set>

#include "DateValue.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "FileSystem.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Orv2Layout.h"
#include "Ports.h"
#include "PreparerRecord.h"
#include "PrivateProfile.h"
#include "StringIds.h"
#include "StringTable.h"

namespace orv2 {
namespace {

using Slot = CFamilyDatabase::FileSlot;
constexpr const char* kProgramCaption = "Korvane";
constexpr const char* kYo = "Yo";

void Box(const std::string& text, const std::string& caption) {
  plat::MessageBox(text, caption, plat::kMbOk);
}

// Exactly size bytes at pos of a data file; false on a short read.
bool ReadAt(CFamilyDatabase& db, Slot slot, std::uint64_t pos, void* out, std::size_t size) {
  plat::FileHandle& f = db.files[slot];
  if (!f.IsOpen()) return false;
  return f.ReadSomeAt(pos, out, size) == static_cast<long long>(size);
}

using IndivBytes = std::array<std::uint8_t, kIndivSize>;
using MarrBytes = std::array<std::uint8_t, kMarrSize>;

bool ReadIndivBytes(CFamilyDatabase& db, std::int32_t rin, IndivBytes& b) {
  if (rin < 1 || rin > db.host.highestIndividual) return false;
  return ReadAt(db, CFamilyDatabase::kIndiv2File, std::uint64_t(rin) * kIndivSize, b.data(),
                b.size());
}

bool ReadMarrBytes(CFamilyDatabase& db, std::int32_t mrin, MarrBytes& b) {
  if (mrin < 1 || mrin > db.host.highestMarriage) return false;
  return ReadAt(db, CFamilyDatabase::kMarr2File, std::uint64_t(mrin) * kMarrSize, b.data(),
                b.size());
}

// The status byte of an individual (sex) or marriage; 0 when unreadable.
std::uint8_t StatusByte(CFamilyDatabase& db, int type, std::int32_t n) {
  std::uint8_t c = 0;
  if (type == db::kMarriage) {
    if (n < 1 || n > db.host.highestMarriage) return 0;
    if (!ReadAt(db, CFamilyDatabase::kMarr2File, std::uint64_t(n) * kMarrSize + marr::kStatus, &c,
                1))
      return 0;
  } else {
    if (n < 1 || n > db.host.highestIndividual) return 0;
    if (!ReadAt(db, CFamilyDatabase::kIndiv2File, std::uint64_t(n) * kIndivSize + indiv::kSex, &c,
                1))
      return 0;
  }
  return c;
}

bool IsLive(CFamilyDatabase& db, int type, std::int32_t n) {
  const std::uint8_t c = StatusByte(db, type, n);
  return c != 0 && c != 'D';
}

// A set of visited numbers that tells when a walk meets one again.
class Visited {
 public:
  bool Enter(std::int64_t n) { return seen_.insert(n).second; }

 private:
  std::unordered_set<std::int64_t> seen_;
};

// True the first time a damage is met since the open: it is reported once.
bool FirstReport(CFamilyDatabase& db, const std::string& key) {
  return db.oldFormatReported.insert(key).second;
}

// A damage met for the first time: its box, unless the caller (the
// converter) gathers the damage into one summary of its own.
void DamageBox(CFamilyDatabase& db, const std::string& key, const std::string& text) {
  if (FirstReport(db, key) && !db.oldFormatQuiet) Box(text, kProgramCaption);
}

void LoopMessage(CFamilyDatabase& db, const char* chain, std::int64_t start) {
  DamageBox(db, std::string(chain) + std::to_string(start), res::LoadString(res::kIdsEndlessLoop));
}

// ---- pointer validation ----

struct PointerField {
  std::size_t at;
  char target;  // 'n' name2, 'm' marr2, 'i' indiv2, 'o' notes2
};

constexpr std::array<PointerField, 28> kIndivPointers{{
    {indiv::kSurname, 'n'},         {indiv::kGiven1, 'n'},
    {indiv::kGiven2, 'n'},          {indiv::kGiven3, 'n'},
    {indiv::kTitle, 'n'},           {indiv::kParents, 'm'},
    {indiv::kNotes, 'o'},           {indiv::kBirthPlace, 'n'},
    {indiv::kBirthPlace + 2, 'n'},  {indiv::kBirthPlace + 4, 'n'},
    {indiv::kBirthPlace + 6, 'n'},  {indiv::kChrPlace, 'n'},
    {indiv::kChrPlace + 2, 'n'},    {indiv::kChrPlace + 4, 'n'},
    {indiv::kChrPlace + 6, 'n'},    {indiv::kDeathPlace, 'n'},
    {indiv::kDeathPlace + 2, 'n'},  {indiv::kDeathPlace + 4, 'n'},
    {indiv::kDeathPlace + 6, 'n'},  {indiv::kBurialPlace, 'n'},
    {indiv::kBurialPlace + 2, 'n'}, {indiv::kBurialPlace + 4, 'n'},
    {indiv::kBurialPlace + 6, 'n'}, {indiv::kBaptismTemple, 'n'},
    {indiv::kEndowTemple, 'n'},     {indiv::kSealParentsTemple, 'n'},
    {indiv::kOlderSibling, 'i'},    {indiv::kFirstMarriage, 'm'},
}};

constexpr std::array<PointerField, 10> kMarrPointers{{
    {marr::kHusband, 'i'},
    {marr::kWife, 'i'},
    {marr::kYoungestChild, 'i'},
    {marr::kPlace, 'n'},
    {marr::kPlace + 2, 'n'},
    {marr::kPlace + 4, 'n'},
    {marr::kPlace + 6, 'n'},
    {marr::kSealTemple, 'n'},
    {marr::kHusbandNext, 'm'},
    {marr::kWifeNext, 'm'},
}};

std::int32_t HighestOf(const CFamilyDatabase& db, char target) {
  switch (target) {
    case 'n':
      return db.host.nameEntries;
    case 'm':
      return db.host.highestMarriage;
    case 'i':
      return db.host.highestIndividual;
    default:
      return db.host.noteBlocks;
  }
}

// Clears every pointer above its target's highest number. The first one
// found is reported once ("RIN:"/"MRIN:" and the advice to run Check/Repair).
template <std::size_t N, std::size_t M>
void Validate(CFamilyDatabase& db, std::array<std::uint8_t, N>& bytes,
              const std::array<PointerField, M>& fields, const char* label, std::int32_t number) {
  bool reported = false;
  for (const PointerField& f : fields) {
    if (U16(&bytes[f.at]) <= HighestOf(db, f.target)) continue;
    bytes[f.at] = 0;
    bytes[f.at + 1] = 0;
    if (!reported) {
      reported = true;
      const std::string text = std::string(label) + std::to_string(number);
      DamageBox(db, text, text + res::LoadString(res::kIdsInvalidPointers));
    }
  }
}

bool ReadValidIndividual(CFamilyDatabase& db, std::int32_t rin, IndivBytes& b) {
  if (!ReadIndivBytes(db, rin, b)) return false;
  Validate(db, b, kIndivPointers, "RIN: ", rin);
  return true;
}

bool ReadValidMarriage(CFamilyDatabase& db, std::int32_t mrin, MarrBytes& b) {
  if (!ReadMarrBytes(db, mrin, b)) return false;
  Validate(db, b, kMarrPointers, "MRIN: ", mrin);
  return true;
}

// ---- chains ----

// The marriages of a live individual, in chain order; false when the
// individual is not live or the chain leaves the file or loops (the loop
// shows its message).
bool MarriagesOf(CFamilyDatabase& db, std::int32_t rin, std::vector<std::int32_t>& out) {
  out.clear();
  IndivBytes b;
  if (!ReadValidIndividual(db, rin, b) || b[indiv::kSex] == 'D') return false;
  const bool husband = b[indiv::kSex] == 'M';
  Visited visited;
  std::int32_t m = U16(&b[indiv::kFirstMarriage]);
  while (m != 0) {
    if (m > db.host.highestMarriage) return false;
    if (!visited.Enter(m)) {
      LoopMessage(db, "spouses of ", rin);
      return false;
    }
    out.push_back(m);
    MarrBytes mb;
    if (!ReadValidMarriage(db, m, mb)) return false;
    m = U16(&mb[husband ? marr::kHusbandNext : marr::kWifeNext]);
  }
  return true;
}

// The children of a marriage, youngest first.
bool ChildrenOf(CFamilyDatabase& db, std::int32_t mrin, std::vector<std::int32_t>& out) {
  out.clear();
  MarrBytes mb;
  if (!ReadValidMarriage(db, mrin, mb) || mb[marr::kStatus] == 'D') return false;
  Visited visited;
  std::int32_t c = U16(&mb[marr::kYoungestChild]);
  while (c != 0) {
    if (c > db.host.highestIndividual) return false;
    if (!visited.Enter(c)) {
      LoopMessage(db, "children of ", mrin);
      return false;
    }
    out.push_back(c);
    IndivBytes b;
    if (!ReadValidIndividual(db, c, b)) return false;
    c = U16(&b[indiv::kOlderSibling]);
  }
  return true;
}

// ---- record fields ----

void ReadPlace(CFamilyDatabase& db, const std::uint8_t* p, std::string (&place)[4]) {
  for (int i = 0; i < 4; ++i) place[i] = NameEntry(db, U16(p + 2 * i));
}

void ReadEvent(CFamilyDatabase& db, const std::uint8_t* b, std::size_t dateAt, std::size_t placeAt,
               CEventValue& out) {
  DecodeDate(b + dateAt, false, out.date);
  ReadPlace(db, b + placeAt, out.place);
}

void ReadOrdinance(CFamilyDatabase& db, const std::uint8_t* b, std::size_t dateAt,
                   std::size_t templeAt, char kind, COrdinanceValue& out) {
  DecodeDate(b + dateAt, true, out.date);
  out.templeCode = NameEntry(db, U16(b + templeAt));
  out.kind = kind;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

// ---- dates of the ordinance states ----

// Old status codes (the month field above 12).
enum OldCode : int {
  kSeeNotes = 13,
  kSubmitted = 14,
  kCleared = 15,
  kUncleared = 16,
  kCompleted = 17,
  kCancelled = 18,
  kStillborn = 19,
  kInfant = 20,
  kDnsCan = 21,
  kDns = 22,
  kBic = 23,
  kChild = 24,
  kDone = 25,
  kPre1970 = 29,
};

bool ChildOrdinancePasses(const PackedDate& d, bool sealing) {
  switch (d.code) {
    case kSeeNotes:
    case kSubmitted:
    case kCleared:
    case kUncleared:
    case kCancelled:
      return false;
    case kDnsCan:
    case kDns:
      return !sealing;
    case kCompleted:
    case kStillborn:
    case kInfant:
    case kChild:
    case kDone:
    case kPre1970:
      return true;
    case kBic:
      return sealing;
    default:
      return d.year != 0;
  }
}

bool SpouseSealingPasses(const PackedDate& d) {
  return d.year != 0 || (d.code >= 1 && d.code < 13) || d.code == kCompleted || d.code == kDone ||
         d.code == kPre1970;
}

std::string FolderFile(const CFamilyDatabase& db, const char* name) { return db.folder + name; }

}  // namespace

// ---- open ----

RecountSchedule PlanRecount(int openCnt, int openCntSet) {
  RecountSchedule s;
  if (openCnt < 1 || openCnt > 10) openCnt = 1;
  if (openCntSet < 1 || openCntSet > 11) openCntSet = 1;
  s.opensLeft = openCnt - 1;
  s.interval = openCntSet;
  if (s.interval == 11) {
    s.firstSetting = true;
    s.interval = 5;
  }
  if (s.opensLeft == 0) {
    s.recount = true;
    s.opensLeft = s.interval;
  }
  return s;
}

void AfterRecount(RecountSchedule& s, bool countsMatched) {
  if (countsMatched) {
    s.interval *= 2;
    if (s.interval > 8) s.interval = 10;
  } else if (!s.firstSetting) {
    s.interval = std::max(1, s.interval / 2);
    s.opensLeft = std::min(s.opensLeft, s.interval);
  }
}

std::string FileTimeText(const std::string& path) {
  const auto times = plat::GetFileTimes(path);
  if (!times) return {};
  std::tm local{};
  const std::time_t t = times->modified;
  if (localtime_r(&t, &local) == nullptr) return {};
  char buf[32];
  if (std::strftime(buf, sizeof buf, "%a %b %d %H:%M:%S %Y", &local) == 0) return {};
  return buf;
}

namespace {

// The counting window of the open: shown from the first deleted record on,
// its counter moved every tenth step; its Cancel ends the count.
class CountWindow {
 public:
  ~CountWindow() {
    if (shown_) plat::Progress().End();
  }
  // False when the user cancelled.
  bool Step(std::int32_t done, std::int32_t range) {
    if (!shown_) {
      shown_ = true;
      plat::Progress().Begin(kProgramCaption, range);
    }
    if (done % 10 == 0) plat::Progress().SetPosition(done);
    return !plat::Progress().CancelRequested();
  }

 private:
  bool shown_ = false;
};

std::int32_t CountLiveShown(CFamilyDatabase& db, int type, CountWindow* window);

}  // namespace

std::int32_t CountLive(CFamilyDatabase& db, int type) { return CountLiveShown(db, type, nullptr); }

namespace {

std::int32_t CountLiveShown(CFamilyDatabase& db, int type, CountWindow* window) {
  const bool marriages = type == db::kMarriage;
  const std::int32_t highest = marriages ? db.host.highestMarriage : db.host.highestIndividual;
  const Slot slot = marriages ? CFamilyDatabase::kMarr2File : CFamilyDatabase::kIndiv2File;
  const std::size_t size = marriages ? kMarrSize : kIndivSize;
  std::uint8_t header[kHeaderDeletedAt + kHeaderFieldWidth] = {};
  if (!ReadAt(db, slot, 0, header, sizeof header)) return highest;
  std::int32_t deleted = 0;
  std::vector<bool> seen(static_cast<std::size_t>(highest) + 1);
  std::int32_t n = HeaderNumber(header, kHeaderDeletedAt);
  while (n != 0) {
    if (n < 0 || n > highest || seen[static_cast<std::size_t>(n)]) return -1;
    seen[static_cast<std::size_t>(n)] = true;
    ++deleted;
    if (window && !window->Step(deleted, highest)) return -1;
    std::uint8_t link[2];
    if (!ReadAt(db, slot, std::uint64_t(n) * size, link, 2)) return -1;
    n = U16(link);
  }
  return highest - deleted;
}

}  // namespace

int Open(CFamilyDatabase& db, const std::string& path) {
  using Access = plat::FileHandle::Access;
  db.type = CFamilyDatabase::kOldFormat;
  db.host.liveIndividuals = -1;
  db.host.liveMarriages = -1;
  db.indexStale = 1;
  db.mergeStale = 1;
  db.alphaMaintained = 1;
  db.oldFormatReported.clear();
  db.SplitPath(path, CFamilyDatabase::kOldFormat);
  const std::string indivPath = FolderFile(db, kIndivFile);
  db.host.readOnly = !plat::IsWritable(indivPath);

  const std::string iniPath = FolderFile(db, kIniFile);
  CPrivateProfile ini;
  ini.Load(iniPath);
  auto savedTimeValid = [&](const char* name, const char* file) {
    const std::string saved = ini.GetString("StartUp", name, "");
    return !saved.empty() && saved == FileTimeText(FolderFile(db, file));
  };
  const bool indivValid = savedTimeValid("IndivDate", kIndivFile);
  const bool marrValid = savedTimeValid("MarrDate", kMarrFile);
  db.alphaMaintained = ini.GetInt("Family", "AlphaMnt", 1);
  db.host.logChanges = ini.GetInt("Family", "Log", 1) != 0;
  db.displayName = ini.GetString("Family", "FamilyName", "");
  const int savedIndiv = ini.GetInt("StartUp", "IndivCnt", -1);
  const int savedMarr = ini.GetInt("StartUp", "MarrCnt", -1);
  if (indivValid) db.host.liveIndividuals = savedIndiv;
  if (marrValid) db.host.liveMarriages = savedMarr;

  RecountSchedule schedule =
      PlanRecount(ini.GetInt("StartUp", "OpenCnt", 1), ini.GetInt("StartUp", "OpenCntSet", 11));
  if (schedule.recount) {
    db.host.liveIndividuals = -1;
    db.host.liveMarriages = -1;
  }

  // The data files, read-only.
  db.CloseDataFiles();
  db.files[CFamilyDatabase::kMultim2File].Open(FolderFile(db, kMultimFile), Access::ReadOnly);
  const std::pair<Slot, const char*> required[] = {{CFamilyDatabase::kIndiv2File, kIndivFile},
                                                   {CFamilyDatabase::kName2File, kNameFile},
                                                   {CFamilyDatabase::kMarr2File, kMarrFile},
                                                   {CFamilyDatabase::kNotes2File, kNotesFile}};
  for (const auto& [slot, name] : required) {
    if (db.files[slot].Open(FolderFile(db, name), Access::ReadOnly) != plat::kFileOk) {
      db.CloseDataFiles();
      return 0;
    }
    db.files[slot].EnableCache(16384, 64);
  }
  db.files[CFamilyDatabase::kIndivex2File].Open(FolderFile(db, kIndivexFile), Access::ReadOnly);

  // The header counts, each limited to the records its file holds.
  auto headerCount = [&](Slot slot, std::size_t size) -> std::int32_t {
    std::uint8_t header[kHeaderThirdAt + kHeaderFieldWidth] = {};
    if (!ReadAt(db, slot, 0, header, std::min<std::size_t>(size, sizeof header))) return 0;
    const std::int32_t stated = HeaderNumber(header, kHeaderCountAt);
    const long long bytes = db.files[slot].Size();
    const long long held = bytes > 0 ? bytes / static_cast<long long>(size) - 1 : 0;
    return static_cast<std::int32_t>(std::clamp<long long>(stated, 0, std::max(0LL, held)));
  };
  db.host.highestIndividual = headerCount(CFamilyDatabase::kIndiv2File, kIndivSize);
  db.host.highestMarriage = headerCount(CFamilyDatabase::kMarr2File, kMarrSize);
  db.host.nameEntries = headerCount(CFamilyDatabase::kName2File, kNameSize);
  db.host.noteBlocks = headerCount(CFamilyDatabase::kNotes2File, kNoteBlockSize);

  // The name cache: the start of name2.dat, as much as can be had up to 63 KB.
  db.nameCache.clear();
  db.nameCacheEntries = 0;
  const std::size_t wanted =
      std::min<std::size_t>(std::size_t(db.host.nameEntries + 1) * kNameSize, 63 * 1024);
  for (std::size_t kb : {63, 48, 32, 24, 20, 16, 12, 10, 8, 6, 4, 2, 1}) {
    const std::size_t bytes = std::min(wanted, kb * 1024) / kNameSize * kNameSize;
    try {
      db.nameCache.resize(bytes);
    } catch (const std::bad_alloc&) {
      continue;
    }
    if (bytes == 0 || !ReadAt(db, CFamilyDatabase::kName2File, 0, db.nameCache.data(), bytes)) {
      db.nameCache.clear();
    }
    break;
  }
  db.nameCacheBytes = static_cast<std::int32_t>(db.nameCache.size());
  db.nameCacheEntries = static_cast<std::int32_t>(db.nameCache.size() / kNameSize);

  // Unknown live counts are counted along the delete chains.
  if (db.host.liveIndividuals < 0 || db.host.liveMarriages < 0) {
    std::int32_t individuals, marriages;
    {
      CountWindow window;
      individuals = CountLiveShown(db, db::kIndividual, &window);
      marriages = individuals < 0 ? -1 : CountLiveShown(db, db::kMarriage, &window);
    }
    if (individuals < 0 || marriages < 0) {
      db.CloseDataFiles();
      return -2;
    }
    db.host.liveIndividuals = individuals;
    db.host.liveMarriages = marriages;
    AfterRecount(schedule, individuals == savedIndiv && marriages == savedMarr);
    // The counts are saved with the files' times, so that the next opens
    // find them valid until the schedule asks for a recount.
    ini.SetString("StartUp", "IndivDate", FileTimeText(indivPath));
    ini.SetString("StartUp", "MarrDate", FileTimeText(FolderFile(db, kMarrFile)));
    ini.SetInt("StartUp", "IndivCnt", individuals);
    ini.SetInt("StartUp", "MarrCnt", marriages);
  }
  ini.SetInt("StartUp", "OpenCnt", schedule.opensLeft);
  ini.SetInt("StartUp", "OpenCntSet", schedule.interval);
  if (!db.host.readOnly) ini.Save(iniPath);
  return 1;
}

// ---- records ----

std::int32_t GetRIN(CFamilyDatabase& db, std::int32_t number, int kind, int mode) {
  int type = 0;
  switch (kind) {
    case db::kQueryIndividuals:
      type = db::kIndividual;
      break;
    case db::kQueryMarriages:
      type = db::kMarriage;
      break;
    case db::kQueryDeletedMarriages:
    case db::kQueryDeletedIndividuals: {
      const bool marriages = kind == db::kQueryDeletedMarriages;
      const Slot slot = marriages ? CFamilyDatabase::kMarr2File : CFamilyDatabase::kIndiv2File;
      const std::int32_t highest = marriages ? db.host.highestMarriage : db.host.highestIndividual;
      if (number == 0) {
        std::uint8_t header[kHeaderDeletedAt + kHeaderFieldWidth] = {};
        if (!ReadAt(db, slot, 0, header, sizeof header)) return 0;
        const std::int32_t head = HeaderNumber(header, kHeaderDeletedAt);
        return head <= highest ? head : 0;
      }
      if (number < 0 || number > highest) return 0;
      std::uint8_t link[2];
      if (!ReadAt(db, slot, std::uint64_t(number) * (marriages ? kMarrSize : kIndivSize), link, 2))
        return 0;
      const std::int32_t next = U16(link);
      return next <= highest ? next : 0;
    }
    default:
      Box("Invalid Type", "DllGetRIN");
      return 0;
  }
  const std::int32_t highest =
      type == db::kMarriage ? db.host.highestMarriage : db.host.highestIndividual;
  switch (mode) {
    case db::kWalkNextOrSame:
      for (std::int32_t n = std::max(number, 1); n <= highest; ++n)
        if (IsLive(db, type, n)) return n;
      return 0;
    case db::kWalkPreviousOrSame:
      for (std::int32_t n = std::min(number, highest); n >= 1; --n)
        if (IsLive(db, type, n)) return n;
      return 0;
    case db::kWalkExact:
      return IsLive(db, type, number) ? number : 0;
    case db::kWalkNext:
      for (std::int32_t n = std::max(number + 1, 1); n <= highest; ++n)
        if (IsLive(db, type, n)) return n;
      return 0;
    case db::kWalkPrevious:
      for (std::int32_t n = std::min(number - 1, highest); n >= 1; --n)
        if (IsLive(db, type, n)) return n;
      return 0;
    default:
      Box("Invalid Option", "DllGetRIN");
      return 0;
  }
}

std::string NameEntry(CFamilyDatabase& db, std::int32_t n) {
  if (n <= 0 || n > db.host.nameEntries) return {};
  if (n < db.nameCacheEntries)
    return FixedText(db.nameCache.data() + std::size_t(n) * kNameSize + kNameTextAt, kNameTextSize);
  std::uint8_t entry[kNameSize];
  if (!ReadAt(db, CFamilyDatabase::kName2File, std::uint64_t(n) * kNameSize, entry, kNameSize))
    return {};
  return FixedText(entry + kNameTextAt, kNameTextSize);
}

int ReadIndividual(CFamilyDatabase& db, std::int32_t rin, CIndividualRecord& out, int detail) {
  out.Clear();
  IndivBytes b;
  if (!ReadValidIndividual(db, rin, b)) return 0;
  const std::uint8_t* p = b.data();
  out.numbers[CIndividualRecord::kRin] = rin;
  out.numbers[CIndividualRecord::kParentsMrin] = U16(p + indiv::kParents);
  out.numbers[2] = U16(p + indiv::kFirstMarriage);
  out.numbers[CIndividualRecord::kFirstNote] = U16(p + indiv::kNotes);
  out.texts1[0] = TrimRight(FixedText(p + indiv::kIdentifier, indiv::kIdentifierSize));
  out.surname = NameEntry(db, U16(p + indiv::kSurname));
  out.givenNames[0] = NameEntry(db, U16(p + indiv::kGiven1));
  out.givenNames[1] = NameEntry(db, U16(p + indiv::kGiven2));
  out.givenNames[2] = NameEntry(db, U16(p + indiv::kGiven3));
  out.title = NameEntry(db, U16(p + indiv::kTitle));
  const char sex = static_cast<char>(p[indiv::kSex]);
  out.sex = sex == 'M' || sex == 'F' || sex == 'D' ? sex : 'U';
  if (detail) {
    std::vector<std::int32_t> marriages;
    out.marriageCount =
        static_cast<std::int16_t>(MarriagesOf(db, rin, marriages) ? marriages.size() : 0);
  } else {
    out.marriageCount = -1;
  }
  ReadEvent(db, p, indiv::kBirthDate, indiv::kBirthPlace, out.birth);
  ReadEvent(db, p, indiv::kChrDate, indiv::kChrPlace, out.christening);
  ReadEvent(db, p, indiv::kDeathDate, indiv::kDeathPlace, out.death);
  ReadEvent(db, p, indiv::kBurialDate, indiv::kBurialPlace, out.burial);
  ReadOrdinance(db, p, indiv::kBaptismDate, indiv::kBaptismTemple, 'B', out.baptism);
  ReadOrdinance(db, p, indiv::kEndowDate, indiv::kEndowTemple, 'E', out.endowment);
  ReadOrdinance(db, p, indiv::kSealParentsDate, indiv::kSealParentsTemple, 'P',
                out.sealingToParents);
  return 1;
}

int ReadMarriage(CFamilyDatabase& db, std::int32_t mrin, CMarriageRecord& out) {
  out.Clear();
  MarrBytes b;
  if (!ReadValidMarriage(db, mrin, b)) return 0;
  const std::uint8_t* p = b.data();
  out.numbers[CMarriageRecord::kMrin] = mrin;
  const char status = static_cast<char>(p[marr::kStatus]);
  out.status = status == 'N' ? 'M' : status == 'Y' ? 'D' : '0';
  out.husband = U16(p + marr::kHusband);
  out.wife = U16(p + marr::kWife);
  std::vector<std::int32_t> children;
  out.childCount = static_cast<std::int16_t>(ChildrenOf(db, mrin, children) ? children.size() : 0);
  out.numbers[1] = U16(p + marr::kYoungestChild);
  DecodeDate(p + marr::kDate, false, out.marriage.date);
  ReadPlace(db, p + marr::kPlace, out.marriage.place);
  ReadOrdinance(db, p, marr::kSealDate, marr::kSealTemple, 'S', out.sealingToSpouse);
  return 1;
}

int ReadPreparer(CFamilyDatabase& db, CPreparerRecord& out) {
  out = CPreparerRecord{};
  std::array<std::uint8_t, kPreparerSize + 1> block{};
  plat::FileHandle f;
  if (f.Open(FolderFile(db, kPreparerFile), plat::FileHandle::Access::ReadOnly) == plat::kFileOk &&
      f.ReadSomeAt(kPreparerAt, block.data(), kPreparerSize) !=
          static_cast<long long>(kPreparerSize))
    block.fill(0);
  auto text = [&](std::size_t at, std::size_t end) {
    return FixedText(block.data() + at, end - at);
  };
  const std::string name = text(kPreparerName, kPreparerAddress1);
  const std::size_t blank = name.rfind(' ');
  if (blank == std::string::npos) {
    out.surname = name;
  } else {
    out.givenNames = name.substr(0, blank);
    out.surname = name.substr(blank + 1);
  }
  out.address1 = text(kPreparerAddress1, kPreparerAddress2);
  out.address2 = text(kPreparerAddress2, kPreparerAddress3);
  out.address3 = text(kPreparerAddress3, kPreparerPhone);
  out.phone = text(kPreparerPhone, kPreparerSize);
  return 1;
}

int ReadFamilyLink(CFamilyDatabase& db, std::int32_t rin, CFamilyLinkRecord& out) {
  out.Reset();
  IndivBytes b;
  if (!ReadValidIndividual(db, rin, b)) return 0;
  const std::int32_t parents = U16(&b[indiv::kParents]);
  out.mrin = parents;
  out.nextInMarriage = rin;
  std::vector<std::int32_t> children;
  if (parents != 0 && ChildrenOf(db, parents, children)) {
    const auto at = std::find(children.begin(), children.end(), rin);
    if (at != children.end())
      out.nextInMarriage = std::next(at) == children.end() ? children[0] : *std::next(at);
  }
  out.nextInParents = rin;
  out.child = rin;
  out.linkNumber = rin;
  COrdinanceValue sealing;
  ReadOrdinance(db, b.data(), indiv::kSealParentsDate, indiv::kSealParentsTemple, 'P', sealing);
  out.SetSealingEvent(std::make_unique<COrdinanceObject>(&sealing, 'S'));
  return 1;
}

int GetRecord(CFamilyDatabase& db, std::int32_t number, int type, RecordRef record, int detail,
              int mode) {
  switch (type) {
    case db::kIndividual: {
      auto* r = std::get_if<CIndividualRecord*>(&record);
      if (!r || !*r) return 0;
      const std::int32_t rin = GetRIN(db, number, db::kQueryIndividuals, mode);
      return rin != 0 && ReadIndividual(db, rin, **r, detail) == 1 ? 1 : 0;
    }
    case db::kMarriage: {
      auto* r = std::get_if<CMarriageRecord*>(&record);
      if (!r || !*r) return 0;
      const std::int32_t mrin = GetRIN(db, number, db::kQueryMarriages, mode);
      return mrin != 0 && ReadMarriage(db, mrin, **r) == 1 ? 1 : 0;
    }
    case db::kPreparer: {
      auto* r = std::get_if<CPreparerRecord*>(&record);
      return r && *r ? ReadPreparer(db, **r) : 0;
    }
    case db::kFamilyLink: {
      auto* r = std::get_if<CFamilyLinkRecord*>(&record);
      if (!r || !*r || !IsLive(db, db::kIndividual, number)) return 0;
      return ReadFamilyLink(db, number, **r);
    }
    default:
      Box("Bad Type", "DllGetRecord");
      return 0;
  }
}

// ---- relations ----

int RelationCount(CFamilyDatabase& db, std::int32_t number, int relation, int isIndividual) {
  std::vector<std::int32_t> list;
  switch (relation) {
    case db::kRelSpouses:
    case db::kRelMarriages:
      return MarriagesOf(db, number, list) ? static_cast<int>(list.size()) : -1;
    case db::kRelFather:
    case db::kRelMother: {
      IndivBytes b;
      if (!ReadValidIndividual(db, number, b) || b[indiv::kSex] == 'D') return -1;
      const std::int32_t parents = U16(&b[indiv::kParents]);
      if (parents == 0) return 0;
      MarrBytes mb;
      if (!ReadValidMarriage(db, parents, mb)) return -1;
      return U16(&mb[relation == db::kRelFather ? marr::kHusband : marr::kWife]) != 0 ? 1 : 0;
    }
    case db::kRelChildren: {
      if (!isIndividual) return ChildrenOf(db, number, list) ? static_cast<int>(list.size()) : -1;
      std::vector<std::int32_t> marriages;
      if (!MarriagesOf(db, number, marriages)) return -1;
      int total = 0;
      for (std::int32_t m : marriages) {
        if (!ChildrenOf(db, m, list)) return -1;
        total += static_cast<int>(list.size());
      }
      return total;
    }
    default:
      Box("Bad Relation Type", "DllGetRelationCount");
      return -1;
  }
}

int Relation(CFamilyDatabase& db, std::int32_t number, int relation, int count,
             std::vector<std::int32_t>& out) {
  out.clear();
  switch (relation) {
    case db::kRelSpouses: {
      MarrBytes mb;
      if (!ReadValidMarriage(db, number, mb) || mb[marr::kStatus] == 'D') return 0;
      out = {U16(&mb[marr::kHusband]), U16(&mb[marr::kWife])};
      return 1;
    }
    case db::kRelMarriages:
    case db::kRelChildren: {
      std::vector<std::int32_t> list;
      const bool ok = relation == db::kRelMarriages ? MarriagesOf(db, number, list)
                                                    : ChildrenOf(db, number, list);
      if (!ok) return 0;
      if (count >= 0 && list.size() > static_cast<std::size_t>(count)) list.resize(count);
      out = std::move(list);
      return 1;
    }
    case db::kRelParents: {
      IndivBytes b;
      if (!ReadValidIndividual(db, number, b) || b[indiv::kSex] == 'D') return 0;
      const std::int32_t parents = U16(&b[indiv::kParents]);
      out = {0, 0, 0};
      if (parents == 0) return 1;
      MarrBytes mb;
      if (!ReadValidMarriage(db, parents, mb)) return 0;
      out = {parents, U16(&mb[marr::kHusband]), U16(&mb[marr::kWife])};
      return 1;
    }
    case db::kRelPreviousSibling: {
      IndivBytes b;
      if (!ReadValidIndividual(db, number, b) || b[indiv::kSex] == 'D') return 0;
      out = {U16(&b[indiv::kOlderSibling])};
      return 1;
    }
    default:
      Box("Bad Relation", "DllGetRelation");
      return 0;
  }
}

int HasParents(CFamilyDatabase& db, std::int32_t rin) {
  IndivBytes b;
  return ReadValidIndividual(db, rin, b) && U16(&b[indiv::kParents]) != 0 ? 1 : 0;
}

int HasChildren(CFamilyDatabase& db, std::int32_t number, int type) {
  if (type == db::kMarriage) {
    MarrBytes mb;
    return ReadValidMarriage(db, number, mb) && U16(&mb[marr::kYoungestChild]) != 0 ? 1 : 0;
  }
  std::vector<std::int32_t> marriages;
  if (!MarriagesOf(db, number, marriages)) return 0;
  for (std::int32_t m : marriages)
    if (HasChildren(db, m, db::kMarriage)) return 1;
  return 0;
}

std::int32_t FindChildWithChildren(CFamilyDatabase& db, std::int32_t rin, std::int32_t preferred) {
  std::vector<std::int32_t> marriages;
  if (!MarriagesOf(db, rin, marriages)) return 0;
  const auto at = std::find(marriages.begin(), marriages.end(), preferred);
  if (at != marriages.end()) std::rotate(marriages.begin(), at, std::next(at));
  std::vector<std::int32_t> children;
  std::int32_t last = 0;
  for (std::int32_t m : marriages) {
    if (!ChildrenOf(db, m, children)) continue;
    for (auto c = children.rbegin(); c != children.rend(); ++c) {
      last = *c;
      if (HasChildren(db, *c, db::kIndividual)) return *c;
    }
  }
  return last;
}

int Sex(CFamilyDatabase& db, std::int32_t rin) {
  const std::uint8_t c = StatusByte(db, db::kIndividual, rin);
  return c == 0 ? 'E' : c;
}

int SealingStatus(CFamilyDatabase& db, std::int32_t number, int type) {
  std::int32_t mrin = number;
  if (type == db::kIndividual) {
    IndivBytes b;
    if (!ReadValidIndividual(db, number, b) || b[indiv::kSex] == 'D') return 0;
    mrin = U16(&b[indiv::kFirstMarriage]);
  }
  MarrBytes mb;
  if (!ReadValidMarriage(db, mrin, mb) || mb[marr::kStatus] == 'D') return 0;
  const PackedDate d = UnpackDate(&mb[marr::kSealDate], true);
  if (d.year != 0 || d.code == kCompleted || d.code == kDone || d.code == kPre1970) return 1;
  if (d.code == kSubmitted || d.code == kCleared) return 2;
  return 0;
}

int ChildrenOrdinanceStatus(CFamilyDatabase& db, std::int32_t number, int type) {
  std::int32_t mrin = number;
  if (type == db::kIndividual) {
    IndivBytes b;
    if (!ReadValidIndividual(db, number, b) || b[indiv::kSex] == 'D') return 0;
    mrin = U16(&b[indiv::kFirstMarriage]);
  }
  std::vector<std::int32_t> children;
  if (!ChildrenOf(db, mrin, children) || children.empty()) return 0;
  for (std::int32_t c : children) {
    IndivBytes b;
    if (!ReadValidIndividual(db, c, b)) return 0;
    if (!ChildOrdinancePasses(UnpackDate(&b[indiv::kBaptismDate], true), false) ||
        !ChildOrdinancePasses(UnpackDate(&b[indiv::kEndowDate], true), false) ||
        !ChildOrdinancePasses(UnpackDate(&b[indiv::kSealParentsDate], true), true))
      return 0;
    std::vector<std::int32_t> marriages;
    if (!MarriagesOf(db, c, marriages)) return 0;
    for (std::int32_t m : marriages) {
      MarrBytes mb;
      if (!ReadValidMarriage(db, m, mb) ||
          !SpouseSealingPasses(UnpackDate(&mb[marr::kSealDate], true)))
        return 0;
    }
  }
  return 1;
}

std::int32_t RecordCount(CFamilyDatabase& db, int type) {
  switch (type) {
    case db::kIndividual:
    case db::kFamilyLink:
      return db.host.highestIndividual;
    case db::kMarriage:
      return db.host.highestMarriage;
    case db::kSource:
    case db::kRepository:
    case db::kCitation:
    case db::kUserEvent:
    case db::kEventType:
      return 0;
    default:
      Box("Bad type in K3_GetRecordCount", kYo);
      return 0;
  }
}

std::int32_t StatedCount(CFamilyDatabase& db, int type) {
  const bool marriages = type == db::kMarriage;
  std::uint8_t header[kHeaderCountAt + kHeaderFieldWidth] = {};
  if (!ReadAt(db, marriages ? CFamilyDatabase::kMarr2File : CFamilyDatabase::kIndiv2File, 0,
              header, sizeof header))
    return 0;
  return HeaderNumber(header, kHeaderCountAt);
}

int IsDeleted(CFamilyDatabase& db, int type, std::int32_t number) {
  switch (type) {
    case db::kIndividual:
    case db::kFamilyLink:
      return StatusByte(db, db::kIndividual, number) == 'D' ? 1 : 0;
    case db::kMarriage:
      return StatusByte(db, db::kMarriage, number) == 'D' ? 1 : 0;
    default:
      Box("Bad type in O2_IsRecordDeleted", kYo);
      return 0;
  }
}

// ---- notes ----

std::int32_t FirstNoteBlock(CFamilyDatabase& db, std::int32_t rin) {
  IndivBytes b;
  if (!ReadIndivBytes(db, rin, b)) return 0;
  const std::int32_t block = U16(&b[indiv::kNotes]);
  return block <= db.host.noteBlocks ? block : 0;
}

std::string JoinStoredLines(const std::vector<std::string>& lines, bool wrap) {
  constexpr std::size_t kWidth = 79;
  std::string out;
  out.reserve(4096);
  std::string current;
  bool pending = false;
  const std::string* previous = nullptr;  // the stored line before the break
  for (const std::string& line : lines) {
    if (line.empty()) {  // a paragraph break
      if (pending) out += current + "\r\n";
      out += "\r\n";
      pending = false;
      previous = nullptr;
      continue;
    }
    if (pending && wrap && previous && line.front() != ' ') {
      const std::size_t firstWord = std::min(line.find(' '), line.size());
      const std::string& p = *previous;
      const bool ends = !p.empty() && p.back() == '.';
      if (p.size() + 1 + firstWord > kWidth || (p.size() > 49 && !ends) ||
          (p.size() == kWidth && ends)) {
        current += ' ';
        current += line;
        previous = &line;
        continue;
      }
    }
    if (pending) out += current + "\r\n";
    current = line;
    pending = true;
    previous = &line;
  }
  if (pending) out += current + "\r\n";
  return out;
}

std::string NotesText(CFamilyDatabase& db, std::int32_t rinOrBlock, bool isBlock) {
  std::int32_t block = isBlock ? rinOrBlock : FirstNoteBlock(db, rinOrBlock);
  std::vector<std::string> lines;
  std::string line;
  Visited visited;
  while (block != 0) {
    if (block < 0 || block > db.host.noteBlocks) {
      DamageBox(db, "note block " + std::to_string(block),
                res::LoadString(res::kIdsInvalidPointer));
      break;
    }
    if (!visited.Enter(block)) {
      LoopMessage(db, "notes from ", rinOrBlock * 2 + (isBlock ? 1 : 0));
      break;
    }
    std::uint8_t b[kNoteBlockSize];
    if (!ReadAt(db, CFamilyDatabase::kNotes2File, std::uint64_t(block) * kNoteBlockSize, b,
                kNoteBlockSize))
      break;
    for (std::size_t i = kNoteTextAt; i < kNoteBlockSize; ++i) {
      const char c = static_cast<char>(b[i]);
      if (c == kNoteLineEnd) {
        // An empty line end is padding (or the end after a full line).
        if (!line.empty()) lines.push_back(std::move(line));
        line.clear();
      } else if (c == kNoteParagraphEnd) {
        if (!line.empty()) lines.push_back(std::move(line));
        line.clear();
        lines.emplace_back();
      } else {
        line += c;
        if (line.size() == kNoteLineMax) {
          lines.push_back(std::move(line));
          line.clear();
        }
      }
    }
    block = U16(b);
  }
  if (!line.empty()) lines.push_back(std::move(line));
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return JoinStoredLines(lines, db.oldNotesWrap);
}

// ---- multimedia ----

namespace {

bool MultimediaOffset(CFamilyDatabase& db, std::int32_t rin, std::uint32_t& offset) {
  offset = 0;
  if (rin < 1 || rin > db.host.highestIndividual) return false;
  std::uint8_t entry[4];
  if (!ReadAt(db, CFamilyDatabase::kIndivex2File, std::uint64_t(rin - 1) * kIndivexSize, entry, 4))
    return false;
  offset = U32(entry);
  return offset != 0;
}

}  // namespace

std::int32_t MultimediaHead(CFamilyDatabase& db, std::int32_t rin, int type) {
  if (type != db::kIndividual) {
    Box("Case Not implemented yet", kYo);
    return 0;
  }
  std::uint32_t offset;
  return MultimediaOffset(db, rin, offset) ? rin : 0;
}

CMultimediaList MultimediaList(CFamilyDatabase& db, std::int32_t rin) {
  CMultimediaList first;
  CMultimediaItem* last = nullptr;
  std::uint32_t offset;
  if (!MultimediaOffset(db, rin, offset)) return first;
  plat::FileHandle& f = db.files[CFamilyDatabase::kMultim2File];
  const long long size = f.IsOpen() ? f.Size() : 0;
  std::unordered_set<std::uint32_t> visited;
  auto problem = [&] {
    DamageBox(db, "multimedia of " + std::to_string(rin),
              res::LoadString(res::kIdsMultimediaProblem));
  };
  while (offset != 0) {
    if (!visited.insert(offset).second) {
      LoopMessage(db, "multimedia of ", rin);
      break;
    }
    std::uint8_t h[mm::kHeaderSize];
    if (offset + mm::kHeaderSize > static_cast<unsigned long long>(size) ||
        !ReadAt(db, CFamilyDatabase::kMultim2File, offset, h, sizeof h)) {
      problem();
      break;
    }
    std::uint64_t at = offset + mm::kHeaderSize;
    const std::uint32_t next = U32(h + mm::kNext);
    const char kind = static_cast<char>(h[mm::kKind]);
    if (U16(h + mm::kInUse) == 0 || kind == 'D') {
      offset = next;
      continue;
    }
    auto item = std::make_unique<CMultimediaItem>();
    item->kind = kind;
    item->ownerNumber = rin;
    if (h[mm::kFlags]) item->flags |= 0x01;
    if (h[mm::kFlags + 1]) item->flags |= 0x02;
    if (h[mm::kFlags + 2]) item->flags |= 0x04;
    bool ok = true;
    if (kind == CMultimediaItem::kPhoto) {
      std::uint8_t x[mm::kPhotoExtra];
      ok = ReadAt(db, CFamilyDatabase::kMultim2File, at, x, sizeof x);
      if (ok) {
        item->cropTop = U16(x);
        item->cropBottom = U16(x + 2);
        item->cropLeft = U16(x + 4);
        item->cropRight = U16(x + 6);
        item->flags |= static_cast<std::uint16_t>((x[8] & 3) << CMultimediaItem::kRotationShift);
        item->flags |= static_cast<std::uint16_t>((x[10] & 3) << CMultimediaItem::kFlipShift);
        item->width = U16(x + 14);
        item->height = U16(x + 16);
      }
      at += mm::kPhotoExtra;
    }
    std::string* texts[] = {&item->fileName, &item->caption, &item->description, &item->soundFile};
    for (std::string* t : texts) {
      if (!ok) break;
      std::uint8_t len[2];
      ok = ReadAt(db, CFamilyDatabase::kMultim2File, at, len, 2);
      if (!ok) break;
      at += 2;
      t->resize(U16(len));
      ok = t->empty() || ReadAt(db, CFamilyDatabase::kMultim2File, at, t->data(), t->size());
      at += t->size();
    }
    if (!ok) {
      problem();
      break;
    }
    CMultimediaItem* raw = item.get();
    if (last)
      last->next = std::move(item);
    else
      first = std::move(item);
    last = raw;
    offset = next;
  }
  return first;
}

}  // namespace orv2
