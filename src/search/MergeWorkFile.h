#pragma once
// The match work file of Match/Merge: one 20-byte record per individual,
// sorted so that possible duplicates lie next to each other. The name mode
// groups by the Soundex codes of surname and first given name, the SBN mode
// by SBN and sex. FindDuplicate then tests the members of a group against a
// primary under the match options.

#include <cstdint>
#include <cstdio>
#include <string>

namespace plat {
class ProgressPort;
}

// One record of the work file, little-endian:
//   0-3 RIN (0 = merged away), 4-7 position, 8-19 key (see Make*).
struct MergeWorkRecord {
  static constexpr int kSize = 20;
  std::uint8_t bytes[kSize] = {};

  std::int32_t Rin() const { return Get(0); }
  std::int32_t Position() const { return Get(4); }
  void SetRin(std::int32_t rin) { Put(0, rin); }
  void SetPosition(std::int32_t position) { Put(4, position); }
  // 'M', 'F' or ' ' in the SBN mode.
  char SexKey() const;

  // Name mode: the Soundex codes of surname and first given name (4
  // characters and a NUL each; an empty name codes as four blanks), then two
  // blanks. Position is left 0.
  static MergeWorkRecord MakeName(std::int32_t rin, std::int32_t position,
                                  const std::string& surname, const std::string& given);
  // SBN mode: the first 10 characters of the SBN, a NUL and the sex letter.
  static MergeWorkRecord MakeSbn(std::int32_t rin, const std::string& sbn, char sex);

 private:
  std::int32_t Get(int at) const;
  void Put(int at, std::int32_t value);
};

// Orders of the two modes: key, then RIN. Key equality decides a group.
int CompareNameKeyRIN(const void* a, const void* b);
int CompareSBNKeyRIN(const void* a, const void* b);
bool SameMergeKey(const MergeWorkRecord& a, const MergeWorkRecord& b, int mode);

// The match options of the Match/Merge Options dialog (CAppOptions names).
struct MatchOptions {
  int mrgSurname = 0;  // include individuals with no surname
  int mrgDOB = 0;      // include individuals with no birth date
  int mrgYears = 10;   // years allowed between birth dates
  int mrgIds = 0;      // consider SBNs
  int mrgMiddles = 0;  // consider middle names
  int mrgParents = 1;  // consider parents
  int mrgNotes = 1;
  int mrgCitations = 1;
  int mrgMedia = 1;
  int mrgVerify = 1;
};

// The work file path of a family file: its last character becomes 'm'
// (family.orv gives family.orm). The path is otherwise kept as it is.
std::string MergeWorkFilePath(const std::string& familyPath);

// The sort window of a work-file build: three counters, "Records:" (the
// individuals of the file), "Processed:" (read so far) and "Sorted:" (written
// so far), and a Cancel that only sets a flag the build tests.
class SortCounterPort {
 public:
  virtual ~SortCounterPort() = default;
  virtual void Begin(const std::string& caption, std::int32_t records) = 0;
  virtual void SetProcessed(std::int32_t count) = 0;
  virtual void SetSorted(std::int32_t count) = 0;
  virtual bool CancelRequested() = 0;
  virtual void End() = 0;
};

class CMergeWorkFile {
 public:
  static constexpr int kNameMode = 0;
  static constexpr int kSbnMode = 1;

  CMergeWorkFile() = default;
  ~CMergeWorkFile() { Close(); }
  CMergeWorkFile(const CMergeWorkFile&) = delete;
  CMergeWorkFile& operator=(const CMergeWorkFile&) = delete;

  // Builds the work file of the current database at path (empty: beside
  // the family file; in the temporary folder when that cannot be made for a
  // read-only family file). 1 built; 2 failed: nothing to add, Cancel, or a
  // sort or file error (the last two told to the user).
  int Build(int mode, const std::string& path = {});
  // The sort window of a build (null: none): the records read and written
  // every 50 and at the end, and its Cancel.
  SortCounterPort* progress = nullptr;
  // Closes the work file and removes it from disk.
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  std::int32_t Count() const { return count_; }
  const std::string& Path() const { return path_; }

  // The record at position; false outside the file.
  bool ReadAt(std::int32_t position, MergeWorkRecord& out) const;
  // The first record of the next pair of equal keys after position (-1:
  // from the start) in direction (+1 or -1): 1 and out, or 0. rebuild builds
  // first (-1 when that fails). maxRin bounds the RINs considered (0: none).
  int FindNextPair(std::int32_t position, int direction, int mode, bool rebuild,
                   MergeWorkRecord& out, std::int32_t maxRin = 0);
  // The (n+1)-th record beyond start (-1: record's own position) in
  // direction with record's key: its RIN (0 merged) and the record copied
  // into record, or -1 when the group or the file ends first.
  std::int32_t GetGroupMember(int direction, MergeWorkRecord& record, int mode, int n,
                              std::int32_t start = -1) const;
  // The first acceptable duplicate of primary in direction from start (-1:
  // the primary's position): its RIN and record, or 0.
  std::int32_t FindDuplicate(const MergeWorkRecord& primary, int direction, int mode,
                             std::int32_t start, bool rebuild, const MatchOptions& options,
                             MergeWorkRecord& out);
  // Position of rin by a linear scan; -1 when absent.
  std::int32_t FindEntry(std::int32_t rin, int mode, bool rebuild);
  // Writes RIN 0 at position (0 to Count() - 1): 1, else 0.
  int MarkMerged(std::int32_t position);

 private:
  bool WriteAt(std::int32_t position, const MergeWorkRecord& record);

  std::FILE* file_ = nullptr;
  std::string path_;
  std::int32_t count_ = 0;
  int builtMode_ = -1;
};

// 1 when a is the father or mother in one of b's parent families, or b in one of a's.
int IsParentOrChildByRIN(std::int32_t a, std::int32_t b);

// Walks every primary-duplicate pair of the work file forward, in the order
// Next Match offers them: each further duplicate of a primary before the
// next primary. For lists of possible duplicates.
class CMatchCursor {
 public:
  CMatchCursor(int mode, const MatchOptions& options) : mode_(mode), options_(options) {}
  // Builds the work file; false when there is nothing to match.
  bool Start();
  // The next pair: true with their RINs, false at the end.
  bool Next(std::int32_t& primary, std::int32_t& duplicate);

 private:
  CMergeWorkFile work_;
  int mode_;
  MatchOptions options_;
  MergeWorkRecord primary_{}, duplicate_{};
  bool havePrimary_ = false;
  std::int32_t pairPosition_ = -1;
};
