#pragma once
// The description of a sample family: people, families and sources in a
// small line-based text (resources/sample/sample-family.txt explains the
// format), read into plain values that SampleBuilder turns into a family file.
// Texts stay UTF-8 here; the builder converts them to the code page.

#include <string>
#include <string_view>
#include <vector>

namespace sample {

// A date as typed and a place as one comma-separated text.
struct EventEntry {
  std::string keyword;  // birth, christening, death, burial or marriage
  std::string date;
  std::string place;
  int line = 0;
};

// A citation of a source for a record or one of its events.
struct CitationEntry {
  std::string owner;  // individual, birth, christening, death, burial; family, marriage
  std::string source;
  std::string page;
  int line = 0;
};

struct PersonEntry {
  std::string id;
  int line = 0;
  std::string surname;
  std::string given;
  char sex = 'U';
  std::vector<EventEntry> events;  // at most one of each keyword
  std::vector<std::string> notes;  // one paragraph each
  std::vector<CitationEntry> citations;
  bool unknownParents = false;  // a family link that names no marriage
};

struct FamilyEntry {
  std::string id;
  int line = 0;
  std::string husband;  // person id, "" = none
  std::string wife;
  EventEntry marriage;  // keyword empty when none
  char status = 0;      // 0, or 'D' divorced
  std::vector<std::string> children;
  std::vector<std::string> notes;
  std::vector<CitationEntry> citations;
};

struct SourceEntry {
  std::string id;
  int line = 0;
  std::string title;
  std::string author;
  std::string publication;
};

struct Description {
  std::vector<PersonEntry> people;  // in record-number order
  std::vector<FamilyEntry> families;
  std::vector<SourceEntry> sources;

  const PersonEntry* FindPerson(std::string_view id) const;
  const SourceEntry* FindSource(std::string_view id) const;
};

// Reads a description. Every mistake found (unknown keyword, a statement
// outside a record, a duplicate or unknown id, a bad sex or status letter, a
// date that is not a standard date, a family without anyone in it, a person
// with unknown parents who is also someone's child) adds "line N: what" to
// errors; the description is usable when errors stays empty.
Description ParseDescription(std::string_view text, std::vector<std::string>& errors);

}  // namespace sample
