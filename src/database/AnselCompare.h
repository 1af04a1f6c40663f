#pragma once
// The alphabetic order of the family file: a three-level collation of ANSEL
// text (letters first, then accents with the last accent counting first, then
// case with lower case first), and the comparisons the string stores and the
// record trees order their entries by.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Results of AlphaCompareCommon, StoreCompare and KeyCompare.
inline constexpr int kAlphaEqual = 0;
inline constexpr int kAlphaAfter = 1;   // the first text sorts after the second
inline constexpr int kAlphaBefore = 2;  // the first text sorts before the second

// Only this many characters of a text take part in a comparison; the rest of
// a longer text is ignored.
inline constexpr std::size_t kAlphaCompareMaxChars = 1023;

// Collation of two ANSEL texts: below 0 when a sorts first, 0 when they
// collate equal, above 0 when b sorts first. Each text ends at its first zero
// byte.
int anselcmp(std::string_view a, std::string_view b);

// Compares a and b in the collation: kAlphaEqual, kAlphaAfter or kAlphaBefore.
// With convert both are texts of the active code page and are converted to
// ANSEL first, else both are ANSEL. Without caseSensitive both are lower-cased
// (in ANSEL) first, so texts that differ only in case are equal.
int AlphaCompareCommon(std::string_view a, std::string_view b, bool convert, bool caseSensitive);

// The string stores' order: code page texts, case-sensitive.
int StoreCompare(std::string_view a, std::string_view b);

// StoreCompare(a, AnselToAnsi(storedAnsel)) of one text a against many
// string-store entries as stored: the sort key of a is made once, and an
// entry is not converted on every comparison.
class StoreComparer {
 public:
  explicit StoreComparer(std::string_view a);
  int operator()(std::string_view storedAnsel) const;
  // The same against an entry's key kept from StoredSortKey.
  int ByKey(const std::string& storedKey) const;

 private:
  std::string key_;
};

// The record trees' order: letter case ignored.
int KeyCompare(std::string_view a, std::string_view b, bool convert);

// KeyCompare(a, b, convert) of one text a against many texts b: the sort key
// of a is made once rather than looked up on every comparison.
class KeyComparer {
 public:
  KeyComparer(std::string_view a, bool convert);
  int operator()(std::string_view b) const;
  // The same against a key kept from TreeSortKey(b) (convert only).
  int ByKey(const std::string& treeKey) const;

 private:
  std::string key_;
  bool convert_;
};

// Sort keys for owners that keep them while their text stays the same (an
// entry of a string store, a record of a tree): the key StoreComparer weighs a
// stored ANSEL entry by, and the key KeyComparer(..., true) weighs a code-page
// text by. Both depend on the active code page.
std::string StoredSortKey(std::string_view storedAnsel);
std::string TreeSortKey(std::string_view text);
// The order of two such keys: kAlphaEqual, kAlphaAfter or kAlphaBefore.
int CompareSortKeys(const std::string& a, const std::string& b);

// The head of a sort key: its first seven bytes (zero beyond its end) and
// its length, packed in eight bytes with the top bit of the length byte
// (kKeyHeadFlag) left to the owner. A tree can keep the heads of many keys
// in little room and order most pairs of keys by their heads alone.
inline constexpr std::uint64_t kKeyHeadFlag = 0x80;
std::uint64_t SortKeyHead(const std::string& key);
// CompareSortKeys's order of the keys two heads come from, or
// kHeadsUndecided when the heads alone cannot tell it.
inline constexpr int kHeadsUndecided = -1;
int CompareKeyHeads(std::uint64_t a, std::uint64_t b);
