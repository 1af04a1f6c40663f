#include "FamilyDatabase.h"

#include <cstdint>
#include <cstring>

#include "ChangeLog.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "Orv2Reader.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"
#include "Win32File.h"

namespace {

// Call numbers of the unknown-type message.
constexpr long kCallCreate = 1;
constexpr long kCallOpen = 3;

// The companions of a family file, by the last letter of their extension:
// alphabetic index, source and repository indexes, name-tree links, merge
// candidates, change log.
constexpr char kCompanionLetters[] = {'a', 'r', 's', 'x', 'm', 'l'};

CFamilyDatabase theDatabase;

bool EqualNoCase(const std::string& a, const std::string& b) {
  return plat::CompareAnsi(a, b, true) == 0;
}

// File name of a path (after its last separator) and that name's extension
// (from its last '.', with the dot; "" without one).
std::string FileNameOf(const std::string& p) {
  std::string name;
  SplitPathDirFile(p, nullptr, &name);
  return name;
}

std::string ExtensionOf(const std::string& name) {
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// The folder of a path, for files made beside it; "./" for a bare name.
std::string FolderOf(const std::string& p) {
  std::string dir = GetPathDirectory(p);
  return dir.empty() ? std::string("./") : dir;
}

bool IsCdRom(const std::string& p) { return GetPathDriveType(p) == kDriveCdRom; }

// True when the folder takes a new file: a delete-on-close temporary file
// can be made there.
bool FolderTakesNewFile(const std::string& p) {
  CWin32File probe;
  return probe.CreateTempFile("", 0, nullptr, FolderOf(p)) == 1;
}

// User events find their types' titles in the open family file.
std::unique_ptr<CEventTypeRecord> ReadEventTypeFromFile(std::int32_t number) {
  auto record = std::make_unique<CEventTypeRecord>();
  if (DbGetRecord(number, CEventTypeRecord::kRecordType, record.get(), 0, db::kWalkExact, 1, 1) !=
      1)
    return nullptr;
  return record;
}
[[maybe_unused]] const bool eventTypeReaderInstalled =
    (SetEventTypeReader(&ReadEventTypeFromFile), true);

}  // namespace

CFamilyDatabase* CurrentDatabase = &theDatabase;

// ---- the object ----

CFamilyDatabase::CFamilyDatabase() = default;

CFamilyDatabase::~CFamilyDatabase() {
  // At program exit the shared folder setting may be gone already: leave it.
  if (engine) FullClose();
}

void CFamilyDatabase::SplitPath(const std::string& p, int t) {
  path = p;
  drive.clear();
  std::string name;
  SplitPathDirFile(p, &folder, &name);
  extension = ExtensionOf(name);
  baseName = name.substr(0, name.size() - extension.size());
  if (t == kOldFormat) {
    // The old format takes the path of indiv2.dat or of the family's folder.
    if (!EqualNoCase(baseName, "indiv2") && !EqualNoCase(extension, ".dat")) {
      folder = p;
      AddTrailingBackslash(folder);
    }
    baseName = "indiv2";
    extension = ".dat";
  }
}

void CFamilyDatabase::Reset() {
  nameCacheEntries = kNameCacheResetEntries;
  flagA = 1;
  flagB = 1;
  for (auto& f : files) f.Close();
  host.alphaFile.Close();
  mergeStale = 0;
  nameCacheBytes = 0;
  secondCacheBytes = 0;
  nameCache.clear();
  secondCache.clear();
}

std::string CompanionFilePath(const std::string& path, int type, char letter) {
  if (type == CFamilyDatabase::kCurrentFormat) return SetExtensionLastCharStr(path, letter);
  return path + letter;
}

std::string CFamilyDatabase::CompanionPath(char letter) const {
  if (type == kCurrentFormat) return CompanionFilePath(path, type, letter);
  return drive + folder + baseName + extension + letter;
}

bool CFamilyDatabase::IsFamilyFile(const std::string& candidate) const {
  if (candidate == path) return true;
  return plat::IsSameFile(candidate, path);
}

void CFamilyDatabase::DeleteCompanion(char letter) const {
  const std::string companion = CompanionPath(letter);
  if (companion.empty() || IsFamilyFile(companion)) return;
  plat::DeleteFile(companion);
}

void CFamilyDatabase::SetSharedFolder(bool open) const {
  // Only the database the program works on steers the temporary-file folder;
  // the converter's own object does not.
  if (this != CurrentDatabase) return;
  SetOpenFamilyFileFolder(open ? drive + FolderOf(path) : std::string());
}

bool CFamilyDatabase::OpenFamilyFile(const std::string& p, bool mayWrite) {
  using Access = plat::FileHandle::Access;
  mayWrite = mayWrite && plat::IsWritable(p) && !plat::IsOnReadOnlyMedium(p) && !IsCdRom(p);
  // One program writes a family file at a time: a writer holds it against
  // every other open, a reader against writers.
  if (mayWrite && host.file.Open(p, Access::ReadWrite, true) == plat::kFileOk &&
      !host.file.IsReadOnly() && host.file.Lock(true) && FolderTakesNewFile(p)) {
    host.readOnly = false;
    return true;
  }
  host.file.Close();
  host.readOnly = true;
  if (host.file.Open(p, Access::ReadOnly) == plat::kFileOk && host.file.Lock(false)) return true;
  host.file.Close();
  return false;
}

void CFamilyDatabase::Abandon() {
  engine.reset();
  host.file.Close();
  indexFile.Close();
  host.alphaFile.Close();
  for (auto& f : files) f.Close();
  host.readOnly = false;
}

int CFamilyDatabase::Open(const std::string& p, int t) {
  if (t == kOldFormat) {
    if (engine || host.file.IsOpen() || type == kOldFormat) Close();
    Reset();
    return orv2::Open(*this, p);
  }
  if (t != kCurrentFormat) {
    ShowUnknownFileType(res::kIdsUnknownFileType, kCallOpen);
    return 0;
  }
  return OpenCurrentFormat(p, true, false);
}

int CFamilyDatabase::OpenForCheck(const std::string& p, bool repair) {
  return OpenCurrentFormat(p, repair, true);
}

int CFamilyDatabase::OpenCurrentFormat(const std::string& p, bool mayWrite, bool forCheck) {
  // The handle and engine of a file still open would be dropped below;
  // close that file properly first.
  if (engine || host.file.IsOpen()) Close();
  type = kCurrentFormat;
  if (!OpenFamilyFile(p, mayWrite)) {
    host.readOnly = false;
    return 0;
  }
  engine = std::make_unique<ORV3>(&host);
  // Spouse and child links the engine makes or removes go to this file's log.
  engine->Families().SetLinkLogHook(
      [this](char kind, char action, std::int32_t n, std::int32_t second) {
        LogChange(*this, kind, action, n, second, nullptr);
      });
  SplitPath(p, kCurrentFormat);
  Reset();
  host.path = p;  // names the index files beside the family file
  host.damageLeftToCheck = forCheck;
  const int opened = engine->Open(!host.readOnly && !forCheck);
  host.damageLeftToCheck = false;
  if (opened < 0) {
    // Closing normally would write the header back over a file the engine
    // could not read.
    Abandon();
    return -1;
  }
  // Changes are logged as this file's own setting says, whatever file was
  // open before.
  host.logChanges = engine->Settings().GetFileOptions().logChanges;
  CheckAlphaIndex();
  SetSharedFolder(true);
  return 1;
}

std::uint32_t AlphaIndexStamp(plat::RandomAccessFile& family) {
  std::uint8_t head[orv::kHeaderSize];
  if (!family.ReadAt(0, head, sizeof head)) return 0;
  std::uint32_t h = 2166136261u;
  for (const std::uint8_t b : head) h = (h ^ b) * 16777619u;
  return h == 0 ? 1 : h;
}

int CFamilyDatabase::Reopen(const std::string& p) {
  if (type != kCurrentFormat) {
    ShowUnknownFileType(res::kIdsUnknownFileType, kCallOpen);
    return 0;
  }
  return Open(p, kCurrentFormat);
}

void CFamilyDatabase::CheckAlphaIndex() {
  using Access = plat::FileHandle::Access;
  indexStale = 1;
  alphaEntries = 0;
  if (type != kCurrentFormat) return;
  const auto familyTimes = plat::GetFileTimes(path);
  if (!familyTimes) return;
  const std::time_t familyTime = familyTimes->modified;

  // Opens the index file and keeps it open for the index builder. It is
  // current when trusted (see below) or not older than the family file, and
  // when it holds at least its closing slot.
  auto openIndex = [&](bool trusted) {
    const std::string ora = CompanionPath('a');
    auto& alpha = host.alphaFile;
    if (IsFamilyFile(ora) || alpha.Open(ora, Access::ReadWrite) != plat::kFileOk) return;
    const auto times = plat::GetFileTimes(ora);
    const long long size = alpha.Size();
    std::uint8_t slot[4] = {};
    const bool stamped = size >= 4 && alpha.ReadAt(static_cast<std::uint64_t>(size - 4), slot, 4) &&
                         orv::GetI32(slot) == static_cast<std::int32_t>(AlphaIndexStamp(host.Io()));
    if ((trusted || (times && times->modified >= familyTime)) && stamped) {
      indexStale = 0;
      alphaEntries = static_cast<std::int32_t>(size / 4 - 1);
    }
  };

  // A name-tree link file left from a build that matches the individuals and
  // is newer than the family file vouches for the index, which must still be
  // there to be read. The link file is closed in every case, so that a build
  // never walks links older than the family file.
  const std::string orx = CompanionPath('x');
  bool linksCurrent = false;
  if (!IsFamilyFile(orx) && indexFile.Open(orx, Access::ReadWrite) == plat::kFileOk) {
    const long long size = indexFile.Size();
    const auto times = plat::GetFileTimes(orx);
    linksCurrent = size >= 0 && size / 8 == std::int64_t{host.highestIndividual} + 1 && times &&
                   times->modified > familyTime;
    indexFile.Close();
  }
  openIndex(linksCurrent);
}

int CFamilyDatabase::Close() {
  FullClose();
  SetSharedFolder(false);
  return 1;
}

void CFamilyDatabase::FullClose() {
  const bool wasOpen = host.file.IsOpen();
  // A batch left open writes its header now; otherwise an unedited file is
  // closed unwritten.
  // A header that cannot be written is told; the batch mark left on the file
  // has the next open recover it.
  if (type == kCurrentFormat && engine && engine->Blocks().InBatch())
    (void)engine->Blocks().EndBatch();
  // Failures told once while the file was open are counted up now.
  if (type == kCurrentFormat && engine) {
    const std::string repeated = engine->Blocks().RepeatedFailures();
    if (!repeated.empty())
      plat::MessageBox(res::FormatString(res::kIdsRepeatedFailures, {repeated}), "Korvane",
                       plat::kMbOk | plat::kMbIconExclamation);
  }
  nameCache.clear();
  secondCache.clear();
  nameCacheBytes = 0;
  secondCacheBytes = 0;
  pictureCache.reset();
  // The shared read buffer must not pass for an individual of the next file.
  ScratchIndividualRecord.numbers[CIndividualRecord::kRin] = 0;
  if (type == kOldFormat) CloseDataFiles();
  if (type == kCurrentFormat && wasOpen) {
    if (engine) engine->Blocks().Flush();
    indexFile.Close();
    DeleteCompanion('x');
    const std::string ora = CompanionPath('a');
    if (indexStale == 0 && !IsFamilyFile(ora)) {
      // The next open finds the index current by its stamp and its time.
      std::uint8_t slot[4];
      orv::PutI32(slot, static_cast<std::int32_t>(AlphaIndexStamp(host.Io())));
      plat::FileHandle& alpha = host.alphaFile;
      if (alpha.IsOpen() || alpha.Open(ora, plat::FileHandle::Access::ReadWrite) == plat::kFileOk)
        // A stamp not written leaves the index stale to the next open, which builds it again.
        (void)alpha.WriteAt(std::uint64_t{4} * static_cast<std::uint32_t>(alphaEntries), slot, 4);
      alpha.Close();
      if (const auto times = plat::GetFileTimes(path)) plat::SetFileModified(ora, times->modified);
    }
    host.file.Close();
  }
  indexFile.Close();
  host.alphaFile.Close();
  for (auto& f : files) f.Close();
  if (indexStale == 1 && wasOpen) DeleteCompanion('a');
  engine.reset();
  // A file standing in for the handle belongs to the file just closed.
  host.io = nullptr;
  host.readOnly = false;
  host.logChanges = false;
}

void CFamilyDatabase::CloseDataFiles() {
  for (int slot : {kIndiv2File, kName2File, kMarr2File, kNotes2File, kOldFormatFileA,
                   kOldFormatFileB, kIndivex2File, kMultim2File})
    files[slot].Close();
}

int CFamilyDatabase::Create(const std::string& p, int t, const NewFileOptions& options) {
  if (t != kCurrentFormat) {
    ShowUnknownFileType(res::kIdsUnknownFileType, kCallCreate);
    return 0;
  }
  Close();
  engine = std::make_unique<ORV3>(&host);
  type = kCurrentFormat;
  SplitPath(p, kCurrentFormat);
  Reset();
  indexStale = 1;
  host.readOnly = false;
  // A file another program has open is not emptied under it.
  if (plat::HoldOf(p) != plat::FileHold::None || host.file.Create(p) != plat::kFileOk ||
      !host.file.Lock(true)) {
    host.file.Close();
    engine.reset();
    return 0;
  }
  const int made = engine->Create(p, options);
  Close();
  DeleteCompanionFiles(p, kCurrentFormat);
  return made == 1 ? 1 : 0;
}

// ---- file types and access ----

int DbGetFileType() { return CurrentDatabase->type; }

int DbGetFileType(const std::string& name) {
  if (name.empty()) return CFamilyDatabase::kNoDatabase;
  const std::string file = FileNameOf(name);
  const std::string ext = ExtensionOf(file);
  if (EqualNoCase(ext, ".orv")) return CFamilyDatabase::kCurrentFormat;
  if (EqualNoCase(ext, ".dat") && EqualNoCase(file.substr(0, file.size() - ext.size()), "indiv2"))
    return CFamilyDatabase::kOldFormat;
  if (EqualNoCase(ext, ".ged")) return CFamilyDatabase::kGedcom;
  return CFamilyDatabase::kNoDatabase;
}

int DbDetectFileType(const std::string& path) {
  if (path.empty()) return -1;
  plat::FileHandle file;
  if (file.Open(path, plat::FileHandle::Access::ReadOnly) != plat::kFileOk) return -1;
  char head[12] = {};
  const long long got = file.ReadSomeAt(0, head, sizeof head);
  if (got < 9) return -1;
  if (head[0] != 'O' || head[1] != 'R' || head[2] != 'V')
    return EqualNoCase(ExtensionOf(FileNameOf(path)), ".dat") ? CFamilyDatabase::kOldFormat : -1;
  if (head[4] == '3' && head[5] == '0' && head[6] == '0' && head[8] >= '3' && head[8] <= '9')
    return CFamilyDatabase::kCurrentFormat;
  plat::MessageBox(res::LoadString(res::kIdsNotValidFile), "", plat::kMbOk);
  return -1;
}

int IsCurrentFormatFile(const std::string& path) {
  plat::FileHandle file;
  if (file.Open(path, plat::FileHandle::Access::ReadOnly) != plat::kFileOk) return 0;
  std::vector<char> head(orv::kHeaderSize);
  if (!file.ReadAt(0, head.data(), head.size())) return 0;
  const char* version = head.data() + orv::kHeadFormatVersion;
  const std::size_t room = head.size() - orv::kHeadFormatVersion;
  const std::string text(version, strnlen(version, room));
  return text.compare("400") >= 0 ? 1 : 0;
}

int DbProbeFamilyFile(const std::string& path, std::int32_t& highestRin, std::int32_t& highestMrin,
                      std::string& title, std::uint64_t& length, int* cause) {
  return ORV3::ProbeFamilyFile(path, highestRin, highestMrin, title, length, cause);
}

int DbCheckWriteAccess(const std::string& path) {
  if (!plat::FileExists(path)) return 0;
  // A file that other programs hold for reading may be read beside them.
  if (!plat::IsWritable(path) || plat::IsOnReadOnlyMedium(path) || IsCdRom(path) ||
      !FolderTakesNewFile(path) || plat::HoldOf(path) == plat::FileHold::Reading)
    return 2;
  return 1;
}

// ---- the calls on CurrentDatabase ----

int DbOpen(const std::string& path, int type) { return CurrentDatabase->Open(path, type); }

int DbReopen(const std::string& path) { return CurrentDatabase->Reopen(path); }

int DbCreate(const std::string& path, int type, const NewFileOptions& options) {
  return CurrentDatabase->Create(path, type, options);
}

int DbClose() { return CurrentDatabase->Close(); }

int DbClose(const std::string& path) {
  if (!path.empty() && CurrentDatabase->type == CFamilyDatabase::kOldFormat) {
    CurrentDatabase->CloseDataFiles();
    return 1;
  }
  return CurrentDatabase->Close();
}

int DbCloseCurrent() { return CurrentDatabase->Close(); }

std::string DbGetFilePath() { return CurrentDatabase->GetFilePath(); }

// ---- deleting ----

void DeleteCompanionFiles(const std::string& path, int type) {
  if (path.empty()) return;
  for (char letter : kCompanionLetters) {
    const std::string companion = CompanionFilePath(path, type, letter);
    if (companion == path || plat::IsSameFile(companion, path)) continue;
    plat::DeleteFile(companion);
  }
}

int DbDeleteFamilyFile(const std::string& path) {
  if (path.empty() || !plat::FileExists(path)) return 0;
  // A file another program has open stays where it is.
  if (plat::HoldOf(path) != plat::FileHold::None) return 0;
  const int type = DbGetFileType(path) == CFamilyDatabase::kOldFormat
                       ? CFamilyDatabase::kOldFormat
                       : CFamilyDatabase::kCurrentFormat;
  // The companions go to the trash with the file; one the trash refuses is
  // deleted, as DeleteCompanionFiles does.
  for (char letter : kCompanionLetters) {
    const std::string companion = CompanionFilePath(path, type, letter);
    if (companion == path || plat::IsSameFile(companion, path) || !plat::FileExists(companion))
      continue;
    if (!plat::Shell().MoveToTrash(companion)) plat::DeleteFile(companion);
  }
  if (plat::Shell().MoveToTrash(path)) return 1;
  const std::string question = "The family file\n" + path +
                               "\ncould not be moved to the trash.\n\n"
                               "Do you want to delete it permanently?";
  if (plat::MessageBox(question, "",
                       plat::kMbYesNo | plat::kMbIconQuestion | plat::kMbDefButton2) !=
      plat::kIdYes)
    return 0;
  return plat::DeleteFile(path) && !plat::FileExists(path) ? 1 : 0;
}

// ---- shell and settings ----

void DispatchWaitingMessages() { plat::PumpWaitingMessages(); }

int RegisterFileTypes() {
  const std::string program = plat::ProgramPath();
  if (!plat::Shell().RegisterFileTypes(program)) return 0;
  return WriteProgramRegValue(1, "Installed Location", "", program);
}

int WriteProgramRegValue(int /*machine*/, const std::string& subKey, const std::string& valueName,
                         const std::string& text) {
  return plat::Profile().SetString(subKey, valueName, text) ? 1 : 0;
}

// ---- messages ----

void ShowDatabaseFileError(unsigned id, const std::string* text) {
  std::string message = res::LoadString(res::kIdsFileError) + "\n";
  message += text ? res::FormatString(id, {*text}) : res::LoadString(id);
  plat::MessageBox(message, "", plat::kMbOk);
}

void ShowUnknownFileType(unsigned id, long number) {
  const std::string text = std::to_string(number);
  ShowDatabaseFileError(id, &text);
}
