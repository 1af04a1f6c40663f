#pragma once
// A recent-entry list: the last places, dates, given names or surnames
// entered, most recent first, kept in the profile section "Ditto\<name>" as
// values <name>0, <name>1, ... with the bound "MaxEntries".

#include <string>

#include "StringListEx.h"

class CDittoList : public CStringListEx {
 public:
  static constexpr int kDefaultMaxEntries = 25;
  // A stored bound above this is taken as this.
  static constexpr int kMaxMaxEntries = 1000;

  // Puts text at the head: an existing equal entry (case-sensitive) moves
  // there; a new one is inserted and the oldest dropped past the bound. An
  // empty text, or a bound of 0 or less, changes nothing.
  void Add(const std::string& text);
  // The index of the entry equal to text, or -1.
  int Find(const std::string& text) const { return CStringListEx::Find(text); }
  // Reads the bound and the entries of section "Ditto\<name>"; the number of
  // entries read.
  int Load(const std::string& name);
  // Writes the entries from index 0 and removes values of higher indices
  // left by a longer list; the number written.
  int Save(const std::string& name) const;

  int GetMaxEntries() const { return maxEntries_; }
  void SetMaxEntries(int maxEntries) { maxEntries_ = maxEntries; }

 private:
  int maxEntries_ = kDefaultMaxEntries;
};
