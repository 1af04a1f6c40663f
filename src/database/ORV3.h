#pragma once
// The storage engine of one open family file of the current format: the
// owner of the engine's parts and the object the database calls hold. Each
// part is one concern with its own contract (see its header):
//   Blocks()    header, DBMap, group indexes, block allocation, batch mode
//               and the positioned reads and writes of the file;
//   Records()   fixed-size records: location, reads and writes, live tests,
//               record numbers and delete chains, counts;
//   Strings()   the two string stores;
//   Notes()     note blocks, note chains and the notes of a record;
//   Trees()     the record trees, their walks, the find by name and the
//               alphabetic indexes;
//   Families()  spouse chains, children and parents rings, relations, order
//               and the merge of parent links;
//   Owners()    citation, user-event and multimedia chains;
//   Deletes()   what each delete clears around its record;
//   Calls()     the record calls by record type and the record numbers by
//               kind and mode;
//   Fields()    single-field accessors;
//   Settings()  file options and the preparer in the header.
// The engine opens and creates a file; the parts do the rest.
//
// Every call returns plain integers (1 success, 0 failure, record numbers,
// 1/-1/0 for live tests) and shows its consistency messages through the
// message-box port; nothing throws.

#include <cstdint>
#include <string>

#include "AlphaIndexFile.h"
#include "BlockStore.h"
#include "FamilyLinks.h"
#include "FieldAccessors.h"
#include "FileHandle.h"
#include "FileLayout.h"
#include "FileSettings.h"
#include "NoteChains.h"
#include "OwnerChains.h"
#include "RandomAccessFile.h"
#include "RecordCalls.h"
#include "RecordDeletes.h"
#include "RecordRef.h"
#include "RecordStore.h"
#include "RecordTrees.h"
#include "Records.h"
#include "StringStore.h"
#include "StringStores.h"

// What the engine uses of the database object that owns it: the open family
// file, the read-only and change-log flags, and the record counts the engine
// keeps up to date.
struct EngineHost {
  plat::FileHandle file;
  // Where the engine reads and writes the family file: file itself unless
  // io points at another (a test's file in memory or one that fails).
  plat::RandomAccessFile* io = nullptr;
  plat::RandomAccessFile& Io() { return io ? *io : file; }
  bool readOnly = false;
  // While a file is opened for Check/Repair: its damage is told by the
  // check's report, not asked about at open.
  bool damageLeftToCheck = false;
  bool logChanges = false;
  std::int32_t highestIndividual = 0;
  std::int32_t highestMarriage = 0;
  std::int32_t nameEntries = 0;
  std::int32_t noteBlocks = 0;
  std::int32_t liveIndividuals = -1;  // -1 unknown
  std::int32_t liveMarriages = -1;

  // ---- record trees ----
  std::string path;  // the family file; names the index files beside it
  // The name-tree side file ".orx" (8 bytes per RIN: lesser and greater
  // child); while it is closed its writes are skipped.
  plat::FileHandle nameLinks;
  // The alphabetic index of individuals: 1 while ".ora" must be rebuilt; the
  // open ".ora" file and its entries when it is current.
  std::int32_t indexStale = 1;
  plat::FileHandle alphaFile;
  std::int32_t alphaEntries = 0;
  AlphaIndexFile sourceIndex;      // ".ors"
  AlphaIndexFile repositoryIndex;  // ".orr"
};

// The application options a new file records in its header.
struct NewFileOptions {
  bool verifyNew = true;
  bool showZel = false;
  bool capSurname = false;
  // The path whose file name gives the family's title, when the file is made
  // under another name (a temporary one); empty for the file's own.
  std::string titleFrom;
};

class ORV3 {
 public:
  // Blocks of the family file kept in memory (16 MB).
  static constexpr std::size_t kCachedBlocks = 2048;

  explicit ORV3(EngineHost* host);
  ORV3(const ORV3&) = delete;
  ORV3& operator=(const ORV3&) = delete;

  // Writes the structures of a new file into the opened, empty file and sets
  // up the engine's state for it. Returns 1, or 0 when a write failed.
  int Create(const std::string& path, const NewFileOptions& options = {});
  // Reads the header, mends stale allocation counters, builds the group
  // indexes, reads the DBMap (rebuilding it when needed) and merges the
  // mirror into it, then recounts. Returns 1, or -1 when the file cannot be
  // used. Default event types are not added here.
  int OpenStructures();
  // Opens the file (OpenStructures), raises stale highest record numbers
  // and string-store positions left by a crash in batch mode, and adds the
  // default event types to a file that has none when asked. 1, or -1 when
  // the file cannot be used.
  int Open(bool createDefaultEventTypes);
  // Adds, in a batch, the default event types that a file holding no
  // built-in kind lacks (one opened before the custom event table was
  // loaded, or given only types of the user's own since): a row whose title
  // a type of the file already has is left out. 1 when any was added.
  int AddMissingEventTypes();
  // Without an engine: 101 and the header's facts when path is a family
  // file of the current format, else 0 (cause: the file error, if any).
  static int ProbeFamilyFile(const std::string& path, std::int32_t& highestRin,
                             std::int32_t& highestMrin, std::string& title, std::uint64_t& length,
                             int* cause = nullptr);

  // After a process died in batch mode (the header's batch mark is set):
  // block counts from the type maps, the string stores recounted over all
  // their blocks, the record-tree roots found by climbing parent links, the
  // delete chains rebuilt from the deleted records; then the header is
  // written without the mark. 1 when it mended, 0 when there was no mark.
  int RecoverInterruptedBatch();

  BlockStore& Blocks() { return blocks_; }
  RecordStore& Records() { return records_; }
  StringStores& Strings() { return strings_; }
  NoteChains& Notes() { return notes_; }
  RecordTrees& Trees() { return trees_; }
  FamilyLinks& Families() { return families_; }
  OwnerChains& Owners() { return owners_; }
  RecordDeletes& Deletes() { return deletes_; }
  RecordCalls& Calls() { return calls_; }
  FieldAccessors& Fields() { return fields_; }
  FileSettings& Settings() { return settings_; }

 private:
  int OpenAndMend(bool createDefaultEventTypes);

  // Declared in the order they are built: each part is handed the parts it
  // uses (some not built yet, which it only keeps a reference to).
  BlockStore blocks_;
  RecordStore records_;
  StringStores strings_;
  NoteChains notes_;
  RecordTrees trees_;
  FamilyLinks families_;
  OwnerChains owners_;
  RecordDeletes deletes_;
  FileSettings settings_;
  FieldAccessors fields_;
  RecordCalls calls_;
};
