#pragma once
// The current selection of individuals: the field filter's result (set 0),
// the relationship filter's result (set 1) and their combination (set 2),
// each a bit set indexed by RIN, with the field filter's criterion list that
// made set 0. Exports, reports and web pages read set 2 only.
//
// A filter set file is a named file (NamedFiles.h) followed by set 1, set 0
// (bit count, set count, bytes; a bit count of 0 alone for an absent set), a
// criteria byte (1 when a criterion list follows) and the list: each
// criterion followed by a continuation byte (1 another follows, 0 last).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BitSet.h"
#include "DateValue.h"

// One node of a field filter: a token (parenthesis, AND, OR) or a test of a
// field with its operator and values.
class CFilterCriterion {
 public:
  // Field ids of the tokens; field tests use 4800-4883.
  static constexpr std::uint16_t kOpenParen = 0;
  static constexpr std::uint16_t kCloseParen = 1;
  static constexpr std::uint16_t kOr = 4798;
  static constexpr std::uint16_t kAnd = 4799;
  // Presence bits of the current record layout.
  static constexpr std::uint8_t kHasDate1 = 1;
  static constexpr std::uint8_t kHasDate2 = 2;
  static constexpr std::uint8_t kHasText1 = 4;
  static constexpr std::uint8_t kHasText2 = 8;

  CFilterCriterion(std::uint16_t fieldId = 0, std::uint16_t kind = 0)
      : fieldId(fieldId), kind(kind) {}
  CFilterCriterion(const CFilterCriterion& other);
  CFilterCriterion& operator=(const CFilterCriterion&) = delete;

  // Same codes and values; each text equal or absent in both; dates compared
  // where both criteria have them.
  bool Equals(const CFilterCriterion& other) const;

  // The record in the current layout.
  void Write(std::string& out) const;
  // Reads one record of the given format version (29 the old layout, whose
  // field ids are mapped to the current ones) from data at pos, advancing
  // pos. False when the record runs past the data's end.
  bool Read(const std::string& data, std::size_t& pos, int version);

  // The node as the expression list shows it ("Birth Date Equals 1900").
  std::string GetDescription() const;

  // The current field id of a field id of the old layout.
  static std::uint16_t MapOldFieldId(std::uint16_t oldId);

  std::uint16_t fieldId = 0;
  std::uint16_t kind = 0;
  std::uint16_t subField = 0;
  std::uint16_t op = 0;
  std::int32_t value1 = 0;
  std::int32_t value2 = 0;
  std::unique_ptr<std::string> text1;
  std::unique_ptr<std::string> text2;
  std::unique_ptr<CDateValue> date1;
  std::unique_ptr<CDateValue> date2;
};

class CFilterSet {
 public:
  static constexpr int kFieldSet = 0;
  static constexpr int kRelationSet = 1;
  static constexpr int kCombinedSet = 2;
  // Combine operators.
  static constexpr int kAnd = 0;
  static constexpr int kOr = 1;
  static constexpr int kNot = 2;  // related, outside the field set
  // Format version of a set that was not loaded.
  static constexpr int kDefaultVersion = 29;

  CFilterSet() = default;
  // Copies name, path, operator, flags, every present set and the criterion
  // list. The format version is copied too, so that a copy reads criteria
  // the way its source would.
  CFilterSet(const CFilterSet& other);
  CFilterSet& operator=(const CFilterSet&) = delete;

  // The bit (1 or 0); -1 for a bad set number, an absent set or rin <= 0.
  int IsInSet(int set, std::int32_t rin) const;
  // Sets or clears bit rin; for sets 0 and 1 the combined bit follows. -1
  // for a bad set number, an absent set or rin <= 0, else the bit set's
  // result (0, or -1 when it could not grow).
  int SetInSet(int set, std::int32_t rin, int value);
  // A new empty set with room for RINs up to highestRin, replacing the set.
  // 1, or -1 for a bad set number.
  int CreateSet(int set, std::int32_t highestRin);
  int HasSet(int set) const;
  void DeleteSet(int set);
  // Marked records: 0 when absent, -1 for a bad set number.
  int GetCount(int set) const;
  // The highest RIN the set can hold: 0 when absent, -1 for a bad number.
  int GetMaxIndex(int set) const;
  int GetByteCount(int set) const;
  // A bad set number reads 255, an absent set 0.
  int GetSetByte(int set, int index) const;
  void SetSetByte(int set, int index, std::uint8_t value);
  CBitSet* GetBitSet(int set);
  const CBitSet* GetBitSet(int set) const;

  // Recomputes bit rin of set 2 from sets 0 and 1, the two presence flags
  // and the operator, creating set 2 when missing. The combined bit, or 0
  // without either source set. An absent source counts as -1 (not in it).
  int UpdateCombined(std::int32_t rin);
  // Recombines every RIN when set 2 and a source set exist.
  void RecomputeCombined();
  // Set 1 takes the bits of set 2 and set 0 goes; the relationship flag is
  // raised.
  void ReplaceWithCombined();

  // Appends set 1, set 0 and the criteria to the file at path, which already
  // holds its named-file header. 0, or -1 when it cannot be opened or written.
  int Save(const std::string& path) const;
  // Reads a filter set file into a fresh set and takes it over only when the
  // whole file reads: sets sized to the open family file's highest RIN + 1,
  // deleted individuals cleared, the combination rebuilt. The combine
  // operator is kept. 0, or -1 and the set unchanged.
  int Load(const std::string& path);
  // The criterion list alone (saved field filters): appended to a file that
  // holds its header; read with the header's name and version. 0 or -1.
  int SaveCriteria(const std::string& path) const;
  int LoadCriteria(const std::string& path);

  // The list form of the criteria: each record followed by its continuation.
  static void WriteCriteria(const std::vector<std::unique_ptr<CFilterCriterion>>& list,
                            std::string& out);
  // False when a record or continuation byte runs past the data's end.
  static bool ReadCriteria(const std::string& data, std::size_t& pos, int version,
                           std::vector<std::unique_ptr<CFilterCriterion>>& list);

  std::string name;
  std::string path;
  std::vector<std::unique_ptr<CFilterCriterion>> criteria;
  int combineOp = kAnd;
  int fieldFilterPresent = 0;
  int relationFilterPresent = 0;
  int formatVersion = kDefaultVersion;

 private:
  static bool BadSet(int set) { return set < 0 || set > 2; }
  std::unique_ptr<CBitSet> sets_[3];
};
