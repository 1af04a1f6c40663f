#include "SampleBuilder.h"

#include <filesystem>
#include <map>

#include "CitationRecord.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"
#include "SourceRecord.h"

namespace sample {

namespace {

std::string Ansi(const std::string& utf8) { return plat::Utf8ToAnsi(utf8); }

// Notes are CR LF text; a paragraph ends at an empty line.
std::string NotesText(const std::vector<std::string>& paragraphs) {
  std::string text;
  for (const std::string& p : paragraphs) {
    if (!text.empty()) text += "\r\n\r\n";
    text += Ansi(p);
  }
  return text;
}

CEventValue EventValue(const EventEntry& entry) {
  CEventValue value;
  if (!entry.date.empty()) value.date.Parse(entry.date, false, true);
  SplitPlaceParts(Ansi(entry.place), value.place);
  return value;
}

// The three given-name fields, split as the Edit Individual screen splits them.
void SetGivenNames(CIndividualRecord& record, const std::string& given) {
  CIndividualNode* node = CIndividualNode::New();
  node->AddRef();
  node->SetGivenNames(given);
  for (int i = 0; i < 3; ++i) record.givenNames[i] = node->GetGivenName(i);
  node->Release();
}

struct OwnerSlot {
  const char* word;
  char letter;
  CEventValue CIndividualRecord::*event;  // null for the record itself
};
constexpr OwnerSlot kPersonSlots[] = {
    {"individual", db::kOwnerIndividual, nullptr},
    {"birth", db::kOwnerBirth, &CIndividualRecord::birth},
    {"christening", db::kOwnerChristening, &CIndividualRecord::christening},
    {"death", db::kOwnerDeath, &CIndividualRecord::death},
    {"burial", db::kOwnerBurial, &CIndividualRecord::burial},
};

const OwnerSlot* PersonSlot(const std::string& word) {
  for (const OwnerSlot& slot : kPersonSlots)
    if (word == slot.word) return &slot;
  return nullptr;
}

class Builder {
 public:
  Builder(const Description& description, BuildCounts& counts, std::string& error)
      : d_(description), counts_(counts), error_(error) {}

  bool Run() {
    for (const SourceEntry& s : d_.sources)
      if (!AddSource(s)) return false;
    for (const PersonEntry& p : d_.people)
      if (!AddPerson(p)) return false;
    for (const FamilyEntry& f : d_.families)
      if (!AddFamily(f)) return false;
    for (const PersonEntry& p : d_.people)
      if (!AddNotesAndCitations(p)) return false;
    return true;
  }

 private:
  bool Fail(int line, const std::string& what) {
    error_ = "line " + std::to_string(line) + ": " + what;
    return false;
  }

  bool AddSource(const SourceEntry& entry) {
    CSourceRecord source;
    source.title = Ansi(entry.title);
    source.author = Ansi(entry.author);
    source.publication = Ansi(entry.publication);
    const std::int32_t number = DbAddRecord(db::kSource, 0, &source);
    if (number <= 0) return Fail(entry.line, "cannot add source " + entry.id);
    sources_[entry.id] = number;
    ++counts_.sources;
    return true;
  }

  bool AddPerson(const PersonEntry& entry) {
    CIndividualRecord record;
    record.surname = Ansi(entry.surname);
    SetGivenNames(record, Ansi(entry.given));
    record.sex = entry.sex;
    for (const EventEntry& e : entry.events) record.*(PersonSlot(e.keyword)->event) = EventValue(e);
    const auto rin = static_cast<std::int32_t>(family::Add(record, 0));
    if (rin <= 0) return Fail(entry.line, "cannot add person " + entry.id);
    people_[entry.id] = rin;
    ++counts_.individuals;
    if (entry.unknownParents && DbSetRelation(rin, 0, db::kRelParents, -1) <= 0)
      return Fail(entry.line, "cannot link " + entry.id + " to unknown parents");
    return true;
  }

  std::int32_t Rin(const std::string& id) const { return id.empty() ? 0 : people_.at(id); }

  // The marriage of the family's spouses; without spouses, the one the first
  // child's new family link names (a marriage of neither husband nor wife).
  std::int32_t NewMarriage(const FamilyEntry& entry) {
    const std::int32_t husband = Rin(entry.husband), wife = Rin(entry.wife);
    if (husband != 0) return DbSetRelation(husband, wife, db::kRelHusband, 0);
    if (wife != 0) return DbSetRelation(wife, 0, db::kRelWife, 0);
    const std::int32_t child = Rin(entry.children.front());
    if (DbSetRelation(child, 0, db::kRelParents, 0) <= 0) return 0;
    std::vector<std::int32_t> parents;
    DbGetRelationList(parents, db::kRelParents, 0, child, 0);
    return parents.empty() ? 0 : parents.back();
  }

  bool AddFamily(const FamilyEntry& entry) {
    const std::int32_t mrin = NewMarriage(entry);
    if (mrin <= 0) return Fail(entry.line, "cannot add family " + entry.id);
    ++counts_.marriages;
    if (!entry.marriage.keyword.empty() || entry.status != 0) {
      CMarriageRecord record;
      if (family::Read(record, mrin) != 1) return Fail(entry.line, "cannot read " + entry.id);
      if (!entry.marriage.keyword.empty()) record.marriage = EventValue(entry.marriage);
      if (entry.status != 0) record.status = entry.status;
      if (family::Update(record, 0) != 1) return Fail(entry.line, "cannot store " + entry.id);
    }
    for (const std::string& child : entry.children)
      if (DbSetRelation(Rin(child), 0, db::kRelParents, mrin) <= 0)
        return Fail(entry.line, "cannot make " + child + " a child of " + entry.id);
    if (!entry.notes.empty() && DbSetNotes(mrin, NotesText(entry.notes), 0, 0, db::kMarriage) <= 0)
      return Fail(entry.line, "cannot store the notes of " + entry.id);
    for (const CitationEntry& c : entry.citations) {
      const char letter = c.owner == "marriage" ? db::kOwnerMarriageEvent : db::kOwnerMarriage;
      if (!AddCitation(c, letter, mrin)) return false;
    }
    return true;
  }

  bool AddNotesAndCitations(const PersonEntry& entry) {
    const std::int32_t rin = people_.at(entry.id);
    if (!entry.notes.empty() && DbSetNotes(rin, NotesText(entry.notes), 0, 0, db::kIndividual) <= 0)
      return Fail(entry.line, "cannot store the notes of " + entry.id);
    for (const CitationEntry& c : entry.citations)
      if (!AddCitation(c, PersonSlot(c.owner)->letter, rin)) return false;
    return true;
  }

  bool AddCitation(const CitationEntry& entry, char ownerLetter, std::int32_t owner) {
    CCitationRecord citation;
    citation.sourceRin = sources_.at(entry.source);
    citation.ownerLetter = ownerLetter;
    citation.ownerNumber = owner;
    citation.pageText = Ansi(entry.page);
    if (DbAddRecord(db::kCitation, 0, &citation) <= 0)
      return Fail(entry.line, "cannot add the citation of " + entry.source);
    ++counts_.citations;
    return true;
  }

  const Description& d_;
  BuildCounts& counts_;
  std::string& error_;
  std::map<std::string, std::int32_t> people_;
  std::map<std::string, std::int32_t> sources_;
};

}  // namespace

bool BuildFamilyFile(const Description& description, const std::string& path, BuildCounts& counts,
                     std::string& error) {
  counts = {};
  if (std::filesystem::exists(path)) {
    error = path + " exists already";
    return false;
  }
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1 ||
      DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) {
    error = "cannot create " + path;
    return false;
  }
  const bool built = Builder(description, counts, error).Run();
  DbCloseCurrent();
  return built;
}

}  // namespace sample
