#pragma once
// The database object: the family file that is open, its companion files and
// the file-level operations around it (type detection, open with read-only
// detection, create, close, reopen, delete, write-access test, freshness of
// the alphabetic index, shell registration).
//
// Every database call works on the global CurrentDatabase, which names one
// static instance; the file converter makes a second object of its own and
// uses the same member operations on it.

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "BitSet.h"
#include "FileHandle.h"
#include "MultimediaItem.h"
#include "ORV3.h"

class CFamilyDatabase {
 public:
  // Database types. kGedcom is only ever an answer of DbGetFileType.
  static constexpr int kNoDatabase = 0;
  static constexpr int kOldFormat = 100;
  static constexpr int kCurrentFormat = 101;
  static constexpr int kGedcom = 103;
  // readOnly as the callers test it.
  static constexpr int kWritable = 0;
  static constexpr int kReadOnly = 3;
  // Entries the old format's name cache holds after a reset.
  static constexpr int kNameCacheResetEntries = 30;

  // The handles besides the family file itself (which lives in host.file so
  // that the engine reaches it). All are closed by the full close.
  enum FileSlot : int {
    kIndiv2File,      // old format: indiv2.dat
    kAlphaIndexFile,  // old format's alphabetic index; the current format's is host.alphaFile
    kName2File,       // old format: name2.dat
    kMarr2File,       // old format: marr2.dat
    kNotes2File,      // old format: notes2.dat
    kOldFormatFileA,  // two further old-format handles
    kOldFormatFileB,
    kSharedFileA,  // two handles both formats close
    kSharedFileB,
    kMergeFile,     // merge candidates (".orm", or merge.dat)
    kIndivex2File,  // old format: indivex2.dat
    kMultim2File,   // old format: multim2.dat
    kFileSlots
  };

  CFamilyDatabase();
  // Runs the full close when an engine exists.
  ~CFamilyDatabase();
  CFamilyDatabase(const CFamilyDatabase&) = delete;
  CFamilyDatabase& operator=(const CFamilyDatabase&) = delete;

  // ---- operations (the Db... functions call these on CurrentDatabase) ----
  // 1 opened, 0 cannot open, -1 the engine refused the file (nothing was
  // written to it), -2 the old-format record count was cancelled. A file
  // that may not be written opens read-only (ReadOnly() == kReadOnly)
  // without a message.
  int Open(const std::string& path, int type);
  // Opens a current-format family file for Check/Repair. A check that only
  // reports opens it read-only, so that nothing reaches the file (not even
  // what the open of a damaged file mends); the damage the open meets is
  // left to the check's report, without a box or question. Results as Open.
  int OpenForCheck(const std::string& path, bool repair);
  // Opens path again as the current format (after a full close).
  int Reopen(const std::string& path);
  // Creates a new current-format family file, closes it again and removes
  // stale companion files of an earlier file of the same name. 1 or 0.
  int Create(const std::string& path, int type, const NewFileOptions& options = {});
  // Flushes and closes everything: header written once, ".orx" removed, the
  // alphabetic index kept current (it gets the family file's time) or
  // deleted when stale. Always 1.
  int Close();
  // Closes only the old format's data files.
  void CloseDataFiles();

  // Stores path and its parts. The old format (t 100) takes the path of
  // indiv2.dat or of the family's folder; its base name and extension are
  // always "indiv2" and ".dat".
  void SplitPath(const std::string& p, int t);

  // Sets indexStale and, when the index is current, opens it and counts its
  // entries; run after every open.
  void CheckAlphaIndex();

  // The companion file of the open family file whose extension ends in
  // letter ('a', 'x', 'm', 'l', 's', 'r').
  std::string CompanionPath(char letter) const;
  // True when candidate names the family file itself (same file on disk),
  // so that it must not be deleted, truncated, overwritten or appended to.
  bool IsFamilyFile(const std::string& candidate) const;

  const std::string& GetFilePath() const { return path; }
  int ReadOnly() const { return host.readOnly ? kReadOnly : kWritable; }
  bool IsOpen() const { return host.file.IsOpen(); }

  // ---- state, in the order callers know it ----
  std::string displayName;
  int type = kNoDatabase;
  std::string path;  // as opened
  // The parts of path: drive is always empty here; folder ends in '/'.
  std::string drive, folder, baseName, extension;
  // The family file handle, the read-only and change-log flags and the record
  // counts (highestIndividual, highestMarriage, nameEntries, noteBlocks,
  // liveIndividuals, liveMarriages) live in host, which the engine updates.
  // Declared before engine, which points at it.
  EngineHost host;
  std::unique_ptr<ORV3> engine;  // only for the current format
  std::array<plat::FileHandle, kFileSlots> files;
  // Old format: a copy of the start of name2.dat and a second buffer.
  std::vector<std::uint8_t> nameCache, secondCache;
  std::int32_t nameCacheBytes = 0, secondCacheBytes = 0;
  std::int32_t nameCacheEntries = 0, secondCacheEntries = 0;
  // 1 while the alphabetic index must be rebuilt (kept in host, where the
  // engine marks it and the index builder clears it).
  std::int32_t& indexStale = host.indexStale;
  std::int32_t flagA = 0, flagB = 0;
  std::int32_t alphaMaintained = 0;  // old format: [Family] AlphaMnt
  std::int32_t mergeStale = 0;       // 1 while the merge candidates must be rebuilt
  std::array<std::int32_t, 4> oldFormatFlags{};
  std::int32_t indivexExtended = 0;  // old format: the open appended indivex2 entries
  // Old format: the notes reader joins the stored lines of a paragraph.
  bool oldNotesWrap = false;
  // Old format: the damaged records and chains already reported since the
  // open, so that each is reported once however often it is read.
  std::set<std::string> oldFormatReported;
  // Old format: the damage is only gathered in oldFormatReported, without a
  // box for each (the converter tells it in one summary).
  bool oldFormatQuiet = false;
  // Entries of the alphabetic index when current, and the ".orx" link file
  // (open while the freshness test runs and while the engine keeps it up to
  // date for the next index build); both kept in host.
  std::int32_t& alphaEntries = host.alphaEntries;
  plat::FileHandle& indexFile = host.nameLinks;
  std::unique_ptr<CBitSet> pictureCache;

  // ---- call interface: per-file settings ----
  // The per-file settings block (header 1661, 268, 1138, 1662, 1728, 1732:
  // log changes, home person, person last shown, three further values).
  // Reading it also switches the object's change logging to the stored flag.
  // 1, or 0 (no current-format file open).
  int GetFileSettings(FileOptions& settings);
  // Stores the block, refreshes the application options kept in the header
  // and rewrites it; the object's change logging follows. 1 or 0.
  int SetFileSettings(const FileOptions& settings, const AppFileOptions& app = {});
  // The per-file option flag (only option 1, relationship indicators).
  int GetFileOption(int option);
  // Sets it; the header is rewritten only when it changed. 1 or 0.
  int SetFileOption(int option, int value);
  // The display name: the family file's path (displayName).
  std::string GetFamilyName();

  // ---- multimedia chains ----
  // Owners are individuals (100), marriages (102), sources (130) and
  // citations (132); each names one item of its chain of multimedia items.
  // The owner's multimedia field; -1 when the owner is not live or of another
  // type. Old format: 0 (its multimedia file is not read; other owner types
  // get the "Case Not implemented yet" box). Other types: the "Unknown
  // Database Type 31" box and -1.
  std::int32_t GetMultimediaHead(std::int32_t owner, int ownerType);
  // Stores head in the owner's field, writing the owner only when it
  // changed. The previous value; 0 when the owner cannot be read or written.
  std::int32_t SetMultimediaHead(std::int32_t owner, std::int32_t head, int ownerType);
  // Sets the owner's field to 0 and deletes every item of its former chain,
  // first to last. 1 when the walk reached the end (also without a chain).
  int DeleteMultimediaChain(std::int32_t owner, int ownerType);
  // The items from first on, following next numbers, at most maxCount (-1
  // all); the list ends at 0 or at an item that cannot be read. Null for an
  // empty chain and on the old format.
  CMultimediaList LoadMultimediaList(std::int32_t first, int maxCount = -1);
  // Stores name as the item's file name (string store kind 5), writing the
  // item only when the text changed. 1 (also on a read-only file, which is
  // left alone); 0 when the item cannot be read or has no owner.
  int SetMultimediaFileName(std::int32_t item, const std::string& name);
  // The item's whole file-name text; 1, or 0 with an empty text.
  int GetMultimediaFileName(std::int32_t item, std::string& out);
  // Every item whose file lies in oldFolder (case ignored) gets newFolder in
  // its place. 1 (a read-only file is left alone).
  int ReplaceMultimediaFolder(const std::string& oldFolder, const std::string& newFolder);

 private:
  void FullClose();
  void Reset();
  // Opens the family file into host.file, read-write when it may be written,
  // else read-only (always with mayWrite false). False when it cannot be
  // opened at all.
  bool OpenFamilyFile(const std::string& p, bool mayWrite = true);
  int OpenCurrentFormat(const std::string& p, bool mayWrite, bool forCheck);
  // Drops the engine and every handle without writing (a refused open).
  void Abandon();
  // Deletes a companion file unless it is the family file itself.
  void DeleteCompanion(char letter) const;
  void SetSharedFolder(bool open) const;
};

// The one database object every call works on.
extern CFamilyDatabase* CurrentDatabase;

// Companion file of a family file: the extension's last letter replaced
// (current format) or the letter appended (any other type).
std::string CompanionFilePath(const std::string& path, int type, char letter);

// What ties an alphabetic index to the family file it lists: a hash of the
// family file's header, kept in the index's closing slot when the file is
// closed. A copy of the family file from another time (its file time kept)
// has another header and finds its index stale. 0 when it cannot be read.
std::uint32_t AlphaIndexStamp(plat::RandomAccessFile& family);

// The type of the open database.
int DbGetFileType();
// The type a file name stands for, by its extension (case ignored): ".orv"
// 101, "indiv2.dat" 100, ".ged" 103, else (and for "") 0.
int DbGetFileType(const std::string& name);
// The type a file's first bytes show: 101, 100 (no magic, ".dat"), or -1
// (unreadable, too short, or not a valid file, which is reported).
int DbDetectFileType(const std::string& path);
// 1 when the file carries a whole header whose format version is "400" or
// later.
int IsCurrentFormatFile(const std::string& path);
// Without opening it as the current database: 101 and the header's facts
// (highest RIN and MRIN, the title or the file's name, the file's length)
// when path is a family file of the current format, else 0. cause, when
// given, receives the file error of a file that could not be read.
int DbProbeFamilyFile(const std::string& path, std::int32_t& highestRin, std::int32_t& highestMrin,
                      std::string& title, std::uint64_t& length, int* cause = nullptr);
// 0 missing, 2 read-only (permission, read-only medium, or its folder takes
// no new file), 1 writable.
int DbCheckWriteAccess(const std::string& path);

int DbOpen(const std::string& path, int type);
int DbReopen(const std::string& path);
int DbCreate(const std::string& path, int type, const NewFileOptions& options = {});
// Without a path: the full close. With a path and an old-format database:
// only its data files are closed.
int DbClose();
int DbClose(const std::string& path);
int DbCloseCurrent();
std::string DbGetFilePath();

// Deletes the six companion files of a family file (missing ones are no
// error); a companion that is the family file itself is left alone.
void DeleteCompanionFiles(const std::string& path, int type);
// Moves the companion files that exist to the trash (deleting one the trash
// refuses), then the family file; when the trash refuses the family file,
// asks before deleting it for good. 1 or 0.
int DbDeleteFamilyFile(const std::string& path);

// Dispatches the waiting window messages, then returns.
void DispatchWaitingMessages();
// Registers ".orv" and ".ged" with the desktop and records the program's
// location. 1, or 0 when a registration failed.
int RegisterFileTypes();
// Stores a text value of the program's settings under subKey. The machine
// flag is accepted for the callers' sake: there is one per-user store.
int WriteProgramRegValue(int machine, const std::string& subKey, const std::string& valueName,
                         const std::string& text);

// The "File Error" box: string 5700, a line break and the string of id with
// %1 replaced by text (or the plain string without a text).
void ShowDatabaseFileError(unsigned id, const std::string* text = nullptr);
// The box for a call on a database of a type it does not serve: id (5701
// "Unknown File Type (%1)") with the call number.
void ShowUnknownFileType(unsigned id, long number);
