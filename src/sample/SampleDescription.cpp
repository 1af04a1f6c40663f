#include "SampleDescription.h"

#include <algorithm>
#include <array>
#include <set>

#include "DateValue.h"

namespace sample {

namespace {

constexpr std::array<std::string_view, 4> kPersonEvents = {"birth", "christening", "death",
                                                           "burial"};
constexpr std::array<std::string_view, 5> kPersonCitationOwners = {
    "individual", "birth", "christening", "death", "burial"};
constexpr std::array<std::string_view, 2> kFamilyCitationOwners = {"family", "marriage"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string> SplitFields(std::string_view value) {
  std::vector<std::string> fields;
  for (;;) {
    const std::size_t bar = value.find('|');
    fields.emplace_back(Trim(value.substr(0, bar)));
    if (bar == std::string_view::npos) return fields;
    value.remove_prefix(bar + 1);
  }
}

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& words, std::string_view word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// Reads a description line by line into the record it belongs to.
class Reader {
 public:
  explicit Reader(std::vector<std::string>& errors) : errors_(errors) {}

  void Read(std::string_view text) {
    int number = 0;
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      const std::string_view line = Trim(text.substr(0, end));
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      ++number;
      if (line.empty() || line.front() == '#') continue;
      std::size_t gap = 0;
      while (gap < line.size() && !IsBlank(line[gap])) ++gap;
      line_ = number;
      Statement(line.substr(0, gap), Trim(line.substr(gap)));
    }
    CheckReferences();
  }

  Description result;

 private:
  enum class Kind { kNone, kPerson, kFamily, kSource };

  void Error(int line, const std::string& what) {
    errors_.push_back("line " + std::to_string(line) + ": " + what);
  }
  void Error(const std::string& what) { Error(line_, what); }

  void Statement(std::string_view keyword, std::string_view value) {
    if (keyword == "person" || keyword == "family" || keyword == "source") {
      StartRecord(keyword, value);
      return;
    }
    switch (kind_) {
      case Kind::kPerson:
        PersonStatement(result.people.back(), keyword, value);
        break;
      case Kind::kFamily:
        FamilyStatement(result.families.back(), keyword, value);
        break;
      case Kind::kSource:
        SourceStatement(result.sources.back(), keyword, value);
        break;
      case Kind::kNone:
        Error("\"" + std::string(keyword) + "\" outside a person, family or source");
        break;
    }
  }

  void StartRecord(std::string_view keyword, std::string_view id) {
    if (id.empty() || id.find_first_of(" \t|") != std::string_view::npos) {
      Error(std::string(keyword) + " needs one word as its id");
      kind_ = Kind::kNone;
      return;
    }
    std::set<std::string>& ids = keyword == "person"   ? personIds_
                                 : keyword == "family" ? familyIds_
                                                       : sourceIds_;
    if (!ids.insert(std::string(id)).second)
      Error("a " + std::string(keyword) + " \"" + std::string(id) + "\" exists already");
    if (keyword == "person") {
      Begin(result.people, id);
      kind_ = Kind::kPerson;
    } else if (keyword == "family") {
      Begin(result.families, id);
      kind_ = Kind::kFamily;
    } else {
      Begin(result.sources, id);
      kind_ = Kind::kSource;
    }
  }

  template <class Entry>
  void Begin(std::vector<Entry>& records, std::string_view id) {
    Entry& entry = records.emplace_back();
    entry.id = id;
    entry.line = line_;
  }

  // Stores a text field that may be given once.
  void Once(std::string& field, std::string_view keyword, std::string_view value) {
    if (!field.empty()) Error(std::string(keyword) + " given twice");
    if (value.empty()) Error(std::string(keyword) + " needs a value");
    field = value;
  }

  bool ReadEvent(EventEntry& event, std::string_view keyword, std::string_view value) {
    const std::vector<std::string> fields = SplitFields(value);
    if (fields.size() > 2 || (fields[0].empty() && (fields.size() < 2 || fields[1].empty()))) {
      Error(std::string(keyword) + " takes a date, a place, or both: DATE | PLACE");
      return false;
    }
    event.keyword = keyword;
    event.date = fields[0];
    event.place = fields.size() > 1 ? fields[1] : "";
    event.line = line_;
    CDateValue date;
    if (!event.date.empty() &&
        date.ParseText(event.date, false, true) != CDateValue::kParseStandard)
      Error("\"" + event.date + "\" is not a standard date");
    return true;
  }

  void ReadCitation(std::vector<CitationEntry>& citations, std::string_view value,
                    bool ownerAllowed) {
    const std::vector<std::string> fields = SplitFields(value);
    if (fields.size() != 3 || fields[1].empty()) {
      Error("cite takes OWNER | SOURCE | PAGE");
      return;
    }
    if (!ownerAllowed) {
      Error("\"" + fields[0] + "\" cannot own a citation here");
      return;
    }
    citations.push_back({fields[0], fields[1], fields[2], line_});
  }

  void PersonStatement(PersonEntry& person, std::string_view keyword, std::string_view value) {
    if (keyword == "surname") {
      Once(person.surname, keyword, value);
    } else if (keyword == "given") {
      Once(person.given, keyword, value);
    } else if (keyword == "sex") {
      if (value != "M" && value != "F" && value != "U")
        Error("sex is M, F or U");
      else
        person.sex = value.front();
    } else if (OneOf(kPersonEvents, keyword)) {
      const bool twice = std::any_of(person.events.begin(), person.events.end(),
                                     [&](const EventEntry& e) { return e.keyword == keyword; });
      if (twice) Error(std::string(keyword) + " given twice");
      EventEntry event;
      if (ReadEvent(event, keyword, value) && !twice) person.events.push_back(std::move(event));
    } else if (keyword == "note") {
      AddNote(person.notes, value);
    } else if (keyword == "cite") {
      const std::string owner = SplitFields(value)[0];
      ReadCitation(person.citations, value, OneOf(kPersonCitationOwners, owner));
    } else if (keyword == "unknown-parents") {
      if (!value.empty()) Error("unknown-parents takes no value");
      person.unknownParents = true;
    } else {
      Error("a person has no \"" + std::string(keyword) + "\"");
    }
  }

  void FamilyStatement(FamilyEntry& family, std::string_view keyword, std::string_view value) {
    if (keyword == "husband") {
      Once(family.husband, keyword, value);
    } else if (keyword == "wife") {
      Once(family.wife, keyword, value);
    } else if (keyword == "marriage") {
      if (!family.marriage.keyword.empty()) Error("marriage given twice");
      ReadEvent(family.marriage, keyword, value);
    } else if (keyword == "status") {
      if (value != "D")
        Error("status is D (divorced)");
      else
        family.status = 'D';
    } else if (keyword == "child") {
      if (value.empty())
        Error("child needs a person");
      else if (std::find(family.children.begin(), family.children.end(), value) !=
               family.children.end())
        Error("\"" + std::string(value) + "\" is a child of this family already");
      else
        family.children.emplace_back(value);
    } else if (keyword == "note") {
      AddNote(family.notes, value);
    } else if (keyword == "cite") {
      const std::string owner = SplitFields(value)[0];
      ReadCitation(family.citations, value, OneOf(kFamilyCitationOwners, owner));
    } else {
      Error("a family has no \"" + std::string(keyword) + "\"");
    }
  }

  void SourceStatement(SourceEntry& source, std::string_view keyword, std::string_view value) {
    if (keyword == "title")
      Once(source.title, keyword, value);
    else if (keyword == "author")
      Once(source.author, keyword, value);
    else if (keyword == "publication")
      Once(source.publication, keyword, value);
    else
      Error("a source has no \"" + std::string(keyword) + "\"");
  }

  void AddNote(std::vector<std::string>& notes, std::string_view value) {
    if (value.empty())
      Error("note needs a text");
    else
      notes.emplace_back(value);
  }

  void CheckPerson(int line, const std::string& id, const char* role) {
    if (!id.empty() && personIds_.count(id) == 0)
      Error(line, std::string(role) + " \"" + id + "\" is not a person");
  }
  void CheckCitations(const std::vector<CitationEntry>& citations) {
    for (const CitationEntry& c : citations)
      if (sourceIds_.count(c.source) == 0)
        Error(c.line, "source \"" + c.source + "\" is not a source");
  }

  // References can point forward, so they are checked once everything is read.
  void CheckReferences() {
    std::set<std::string> children;
    for (const FamilyEntry& f : result.families) {
      CheckPerson(f.line, f.husband, "husband");
      CheckPerson(f.line, f.wife, "wife");
      if (!f.husband.empty() && f.husband == f.wife)
        Error(f.line, "\"" + f.husband + "\" is both husband and wife");
      if (f.husband.empty() && f.wife.empty() && f.children.empty())
        Error(f.line, "family \"" + f.id + "\" has nobody in it");
      for (const std::string& c : f.children) {
        CheckPerson(f.line, c, "child");
        children.insert(c);
      }
      CheckCitations(f.citations);
    }
    for (const PersonEntry& p : result.people) {
      CheckCitations(p.citations);
      if (p.unknownParents && children.count(p.id) != 0)
        Error(p.line, "\"" + p.id + "\" has unknown parents but is listed as a child");
    }
  }

  std::vector<std::string>& errors_;
  int line_ = 0;
  Kind kind_ = Kind::kNone;
  std::set<std::string> personIds_, familyIds_, sourceIds_;
};

}  // namespace

const PersonEntry* Description::FindPerson(std::string_view id) const {
  for (const PersonEntry& p : people)
    if (p.id == id) return &p;
  return nullptr;
}

const SourceEntry* Description::FindSource(std::string_view id) const {
  for (const SourceEntry& s : sources)
    if (s.id == id) return &s;
  return nullptr;
}

Description ParseDescription(std::string_view text, std::vector<std::string>& errors) {
  Reader reader(errors);
  reader.Read(text);
  return std::move(reader.result);
}

}  // namespace sample
