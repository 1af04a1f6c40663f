#include "FamilyFileRoads.h"

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileLayout.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "FramePlacement.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {
namespace {

constexpr const char* kMinimumFormatVersion = "400";

int Ask(const std::string& text, unsigned flags) {
  return plat::MessageBox(text, res::LoadString(res::kIdsAppName), flags);
}

std::string WithPath(unsigned id, const std::string& path) {
  const std::string shown = plat::PathText(path);
  return FormatInsertsAndArgs(res::LoadString(id), {shown}, {shown});
}

// A message about one file: its path, a blank line and the text.
std::string AboutFile(const std::string& path, unsigned id) {
  return plat::PathText(path) + "\n\n" + res::LoadString(id);
}

constexpr unsigned kWarning = plat::kMbOk | plat::kMbIconExclamation;

// Whether the file begins with a whole family-file header. A file that does
// not is refused before the open file is closed, so that the open document
// keeps its state.
bool HasFamilyFileHeader(const std::string& path) {
  plat::FileHandle file;
  if (file.Open(path, plat::FileHandle::Access::ReadOnly) != plat::kFileOk) return true;
  char head[orv::kHeaderSize];
  if (file.ReadSomeAt(0, head, sizeof head) != static_cast<long long>(sizeof head)) return false;
  return head[orv::kHeadMagic] == 'O' && head[orv::kHeadMagic + 1] == 'R' &&
         head[orv::kHeadMagic + 2] == 'V';
}

}  // namespace

FamilyFileRoads::FamilyFileRoads(const CAppOptions& options, FileDialogs& dialogs,
                                 DocumentWindows& windows)
    : options_(options), dialogs_(dialogs), windows_(windows) {}

std::string FamilyFileRoads::DataFolder() const {
  return plat::Profile().GetPath("Folders", "Data", "");
}

int FamilyFileRoads::OpenFamilyFile(const std::string& path, int type) {
  if (path.empty()) return 0;
  if (type == CFamilyDatabase::kOldFormat) {
    Ask(res::LoadString(res::kIdsOldFormat), plat::kMbOk);
    return 0;
  }
  guard = 0;
  if (!plat::FileExists(path)) {
    Ask(WithPath(res::kIdsCouldNotOpenFile, path), kWarning);
    recent_.Remove(path);
    guard = 1;
    return 0;
  }
  // A file already shown in a window was opened before: no access questions.
  if (!windows_.HasWindow(path, false) && DbCheckWriteAccess(path) == 2) {
    if (!IsCurrentFormatFile(path)) {
      Ask(AboutFile(path, res::kIdsReadOnlyNeverOpened), kWarning);
      guard = 1;
      return 0;
    }
    if (Ask(plat::PathText(path) + res::LoadString(res::kIdsOfferReadOnly), plat::kMbYesNo) !=
        plat::kIdYes) {
      guard = 1;
      return 0;
    }
  }

  if (!HasFamilyFileHeader(path)) {
    Ask(AboutFile(path, res::kIdsDamaged), kWarning);
    guard = 1;
    return 0;
  }

  CloseFamilyFile(0);
  openPath.clear();
  openFolder.clear();
  openType = 0;
  fileOpen = 0;
  bool error = true;
  int result = 0;
  for (;;) {
    result = DbOpen(path, type);
    if (result > 0) {
      fileOpen = 1;
      break;
    }
    if (DbCheckWriteAccess(path) != 0) break;
    // The file went away meanwhile: offer to create it.
    error = false;
    if (Ask(plat::PathText(path) + "\n\n" + res::LoadString(res::kIdsCreateMissing),
            plat::kMbYesNo | plat::kMbDefButton2) != plat::kIdYes) {
      recent_.Remove(path);
      break;
    }
    if (!CreateFamilyFile(path, type, 0)) break;
  }

  if (fileOpen) {
    openPath = path;
    openFolder = CurrentDatabase->drive + CurrentDatabase->folder;
    openType = type;
    if (!openFolder.empty()) plat::SetCurrentDirectory(openFolder);
    if (DbGetFormatVersion() < kMinimumFormatVersion &&
        Ask(res::LoadString(res::kIdsCheckOldVersion), plat::kMbYesNo) == plat::kIdYes)
      dialogs_.RunCheckRepair(path);
  } else if (error) {
    Ask(AboutFile(path, result < 0 ? res::kIdsDamaged : res::kIdsFileInUse), kWarning);
  }
  guard = 1;
  return 1;
}

void FamilyFileRoads::CloseFamilyFile(int remind) {
  if (!fileOpen) return;
  if (fileInfo) {
    CFamilyFileInfo::SettingsBlock& block = fileInfo->settings;
    std::int32_t rin = startPersonOverride ? startPersonOverride : windows_.CurrentViewRin();
    if (rin) block.lastRin = rin;
    if (remind && block.backupInterval != 0) {
      // The count holds the closes before this one: this close is the
      // interval's first beyond it.
      if (block.closeCount >= block.backupInterval) {
        block.closeCount = 0;
        if (Ask(WithPath(res::kIdsBackupReminder, CurrentDatabase->path),
                plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdYes)
          dialogs_.RunBackup();
      } else {
        ++block.closeCount;
      }
    }
    fileInfo->WriteFileOptions(options_);
  }
  DbClose();
  fileOpen = 0;
}

int FamilyFileRoads::CreateFamilyFile(const std::string& path, int type, int open) {
  if (path.empty()) return 1;
  const bool wasOpen = fileOpen != 0;
  const std::string previous = openPath;
  const int previousType = openType;
  CloseFamilyFile(0);
  NewFileOptions created;
  created.verifyNew = options_.verifyNew != 0;
  created.showZel = options_.showZel != 0;
  created.capSurname = options_.capSurname != 0;
  if (DbCreate(path, type, created) != 1) {
    Ask(res::LoadString(res::kIdsCannotCreate), plat::kMbOk);
    if (wasOpen && !previous.empty() && DbOpen(previous, previousType) > 0) fileOpen = 1;
    return 0;
  }
  if (!open) return 1;
  OpenFamilyFile(path, type);
  if (fileOpen) {
    windows_.CreateWindow();
    recent_.Add(openPath);
  }
  return 1;
}

int FamilyFileRoads::OpenOldFamily(const std::string& path, int openWindow) {
  // The old family is opened into its own object, current only for the open.
  CFamilyDatabase source;
  int opened;
  {
    CFamilyDatabase* saved = CurrentDatabase;
    CurrentDatabase = &source;
    opened = DbOpen(path, CFamilyDatabase::kOldFormat);
    CurrentDatabase = saved;
  }
  if (opened != 1) {
    if (opened == 0) Ask(WithPath(res::kIdsCouldNotOpenFile, path), kWarning);
    return 0;
  }
  orv2::ConversionOptions options;
  std::string folder = source.folder;
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (!dialogs_.AskConversionOptions(folder, source.displayName, source.host.liveIndividuals,
                                     options)) {
    source.Close();
    return 0;
  }
  const std::string target =
      dialogs_.AskSavePath(res::LoadString(res::kIdsNewTitle),
                           res::LoadString(res::kIdsConvertFilter), ".orv", DataFolder(), {});
  if (target.empty()) {
    source.Close();
    return 0;
  }
  guard = 0;
  if (windows_.HasWindow(target, true)) {
    windows_.ActivateWindow(target);
    if (fileOpen && RecentFileList::SamePath(target, openPath)) CloseFamilyFile(0);
    windows_.DestroyWindows(target);
  }
  const int converted = dialogs_.RunConverter(source, options, target);
  source.Close();
  if (converted == 1) {
    OpenFamilyFile(target, CFamilyDatabase::kCurrentFormat);
    if (fileOpen) {
      recent_.Add(openPath);
      if (openWindow) windows_.CreateWindow();
    }
  }
  guard = 1;
  return 1;
}

bool FamilyFileRoads::SwitchToFile(const std::string& path, int type) {
  if (path == openPath || guard != 1) return false;
  guard = 0;
  const bool wasOpen = fileOpen != 0;
  const std::string previous = openPath;
  const int previousType = openType;
  // A refusal leaves the previous file open; a failure after its close
  // brings it back.
  const bool tried = OpenFamilyFile(path, type) != 0;
  const bool switched = tried && fileOpen;
  if (tried && !fileOpen && wasOpen) OpenFamilyFile(previous, previousType);
  guard = 1;
  return switched;
}

void FamilyFileRoads::OpenChosenFile(const std::string& path, bool reopenPrevious) {
  const bool wasOpen = fileOpen != 0;
  const std::string previous = openPath;
  const int previousType = openType;
  windows_.RepaintCurrentView();
  switch (DbGetFileType(path)) {
    case CFamilyDatabase::kOldFormat:
      OpenOldFamily(path, 1);
      break;
    case CFamilyDatabase::kCurrentFormat:
      if (!OpenFamilyFile(path, CFamilyDatabase::kCurrentFormat)) break;
      if (fileOpen && !openPath.empty()) {
        windows_.CreateWindow();
        recent_.Add(openPath);
      } else if (!fileOpen && reopenPrevious && wasOpen) {
        OpenFamilyFile(previous, previousType);
      }
      break;
    case CFamilyDatabase::kGedcom:
      dialogs_.ImportGedcom(path);
      break;
    default:
      Ask(FormatInsertsAndArgs(res::LoadString(res::kIdsNotOrvFile), {plat::PathText(path)}, {}),
          kWarning);
      break;
  }
}

void FamilyFileRoads::OnFileNew() {
  guard = 0;
  std::string path =
      dialogs_.AskSavePath(res::LoadString(res::kIdsNewTitle), res::LoadString(res::kIdsNewFilter),
                           ".orv", DataFolder(), windows_.WindowPaths());
  if (path.empty()) {
    guard = 1;
    return;
  }
  if (windows_.HasWindow(path, true)) {
    if (fileOpen && RecentFileList::SamePath(path, openPath)) CloseFamilyFile(0);
    windows_.DestroyWindows(path);
  }
  if (CreateFamilyFile(path, DbGetFileType(path), 1) && fileOpen)
    dialogs_.ShowPreparerPreferences();
  guard = 1;
}

void FamilyFileRoads::OnFileOpen() {
  const std::string saved = plat::CurrentDirectory();
  std::string folder = DataFolder();
  if (folder.empty()) folder = openFolder;
  if (folder.empty()) folder = GetSpecialFolderPath(kCsidlPersonal);
  if (!folder.empty()) plat::SetCurrentDirectory(folder);

  const int oldGuard = guard;
  guard = 0;
  std::string path = dialogs_.AskOpenPath(res::LoadString(res::kIdsOrvFilesFilter),
                                          res::LoadString(res::kIdsOpenTitle), folder);
  if (path.empty()) {
    guard = oldGuard;
  } else if (windows_.HasWindow(path, true)) {
    guard = oldGuard;
    windows_.ActivateWindow(path);
  } else {
    OpenChosenFile(path, true);
    guard = 1;
  }
  if (!saved.empty()) plat::SetCurrentDirectory(saved);
}

void FamilyFileRoads::OpenPath(const std::string& path) {
  if (path.empty()) return;
  if (windows_.HasWindow(path, true)) {
    windows_.ActivateWindow(path);
    return;
  }
  guard = 0;
  OpenChosenFile(path, true);
  guard = 1;
}

void FamilyFileRoads::OnFileClose() {
  CloseFamilyFile(1);
  windows_.DestroyActiveWindow();
}

void FamilyFileRoads::OnFileSaveAs() {
  for (;;) {
    guard = 0;
    std::string path = dialogs_.AskSavePath(res::LoadString(res::kIdsSaveAsTitle),
                                            res::LoadString(res::kIdsNewFilter), ".orv",
                                            DataFolder(), windows_.WindowPaths());
    if (path.empty()) {
      guard = 1;
      return;
    }
    if (windows_.HasWindow(path, true)) {
      if (fileOpen && RecentFileList::SamePath(path, openPath)) CloseFamilyFile(0);
      windows_.DestroyWindows(path);
    }
    const std::string old = openPath;
    CloseFamilyFile(0);
    windows_.DestroyActiveWindow();
    // The copy replaces an existing target only once it is whole.
    int error = CopyFileRaw(old, path, false);
    if (error == 0) {
      OpenFamilyFile(path, CFamilyDatabase::kCurrentFormat);
      if (fileOpen) {
        windows_.CreateWindow();
        recent_.Add(openPath);
      }
      guard = 1;
      return;
    }
    // A target another program holds is not replaced under it: say so, and
    // that another name will do.
    Ask(plat::HoldOf(path) != plat::FileHold::None ? WithPath(res::kIdsSaveAsHeld, path)
                                                  : GetFileErrorText(error),
        plat::kMbOk | plat::kMbIconInformation);
    OpenFamilyFile(old, CFamilyDatabase::kCurrentFormat);
    if (fileOpen) windows_.CreateWindow();
  }
}

void FamilyFileRoads::OpenRecentFile(int index) {
  const std::string path = recent_.Get(index);
  if (path.empty()) return;
  if (windows_.HasWindow(path, true)) {
    guard = 1;
    windows_.ActivateWindow(path);
    return;
  }
  guard = 0;
  const bool wasOpen = fileOpen != 0;
  const std::string previous = openPath;
  const int previousType = openType;
  windows_.RepaintCurrentView();
  const int type = DbGetFileType(path);
  if (type == CFamilyDatabase::kOldFormat) {
    OpenOldFamily(path, 1);
  } else if (OpenFamilyFile(path, type)) {
    if (fileOpen) {
      windows_.CreateWindow();
      recent_.Add(openPath);
    } else if (wasOpen && !previous.empty()) {
      // An entry that fails while the previous file cannot come back either
      // is dropped; one that fails beside a working file stays.
      OpenFamilyFile(previous, previousType);
      if (!fileOpen) recent_.Remove(path);
    }
  }
  guard = 1;
}

void FamilyFileRoads::ShowWelcome() {
  std::string path;
  switch (dialogs_.AskWelcome(path)) {
    case kWelcomeSearched:
      if (DbGetFileType(path) == CFamilyDatabase::kOldFormat) {
        OpenOldFamily(path, 1);
      } else if (OpenFamilyFile(path, DbGetFileType(path)) && fileOpen) {
        recent_.Add(openPath);
        windows_.CreateWindow();
      }
      break;
    case kWelcomeOpen:
      OnFileOpen();
      break;
    case kWelcomeNew:
      OnFileNew();
      break;
    default:
      break;
  }
}

FamilyFileRoads::StartupResult FamilyFileRoads::OpenStartupFile(const std::string& path,
                                                                bool named) {
  if (path.empty()) return StartupResult::kNone;
  if (named && !plat::FileExists(path)) {
    // A file named on the command line is looked for: its absence is said.
    Ask(WithPath(res::kIdsCouldNotOpenFile, path) + "\n\n" + res::LoadString(res::kIdsFileNotFound),
        kWarning);
    return StartupResult::kNotOpened;
  }
  const int type = DbGetFileType(path);
  if (type == CFamilyDatabase::kOldFormat) {
    OpenOldFamily(path, 1);
    return StartupResult::kOldFormat;
  }
  if (type == CFamilyDatabase::kGedcom) return StartupResult::kGedcom;
  if (!plat::FileExists(path)) {
    // A remembered file that has gone is forgotten without a word.
    plat::Profile().Remove(kStartUpSection, "FamilyFile");
    return StartupResult::kForgotten;
  }
  OpenFamilyFile(path, type);
  if (!fileOpen) return StartupResult::kNotOpened;
  recent_.Add(path);
  return StartupResult::kOpened;
}

}  // namespace shell
