#include "Orv2Converter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "Orv2Reader.h"
#include "Ports.h"
#include "PreparerRecord.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace orv2 {

// ---- number tables ----

void CRecordNumberMap::Append(std::int32_t value) {
  if (chunks_.empty() || chunks_.back().size() == kChunk) {
    chunks_.emplace_back();
    chunks_.back().reserve(kChunk);
  }
  chunks_.back().push_back(value);
  ++count_;
}

std::int32_t CRecordNumberMap::Lookup(std::int64_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= count_) return 0;
  const auto i = static_cast<std::size_t>(index);
  return chunks_[i / kChunk][i % kChunk];
}

// ---- texts ----

namespace {

bool IsConsonant(char c) {
  return c >= 'A' && c <= 'Z' && c != 'A' && c != 'E' && c != 'I' && c != 'O' && c != 'U' &&
         c != 'Y';
}
bool DigitOrConsonant(char c) { return (c >= '0' && c <= '9') || IsConsonant(c); }

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      if (pos < text.size()) lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// Line ends become blanks, outer blanks go.
std::string OneLine(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  return Trim(out);
}

bool IsEventTag(const std::string& tag) {
  return std::any_of(std::begin(kEventTags), std::end(kEventTags),
                     [&](const char* t) { return tag == t; });
}

}  // namespace

int LooksLikeStirpbankNumber(const std::string& text) {
  if (text.size() < 7) return 0;
  if (!((text[0] >= '1' && text[0] <= '9') || IsConsonant(text[0]))) return 0;
  for (int i = 1; i <= 3; ++i)
    if (!DigitOrConsonant(text[i])) return 0;
  if (text[4] != '-') return 0;
  return DigitOrConsonant(text[5]) && DigitOrConsonant(text[6]) ? 1 : 0;
}

std::string MakeRelativePath(const std::string& folder, const std::string& path) {
  auto isSep = [](char c) { return c == '/' || c == '\\'; };
  std::size_t f = 0, p = 0;
  while (f < folder.size()) {
    if (isSep(folder[f])) {
      if (p >= path.size() || !isSep(path[p])) return path;
      while (f < folder.size() && isSep(folder[f])) ++f;
      while (p < path.size() && isSep(path[p])) ++p;
      continue;
    }
    if (p >= path.size() || std::tolower(static_cast<unsigned char>(folder[f])) !=
                                std::tolower(static_cast<unsigned char>(path[p])))
      return path;
    ++f;
    ++p;
  }
  // The folder must end at a component boundary of path.
  if (!folder.empty() && !isSep(folder.back())) {
    if (p < path.size() && !isSep(path[p])) return path;
  }
  while (p < path.size() && isSep(path[p])) ++p;
  return path.substr(p);
}

std::vector<std::string> NoteParagraphs(const std::string& notes) {
  std::vector<std::string> out;
  std::string current;
  for (const std::string& line : SplitLines(notes)) {
    if (line.empty()) {
      if (!current.empty()) out.push_back(current);
      current.clear();
      continue;
    }
    if (!current.empty()) current += "\r\n";
    current += line;
  }
  if (!current.empty()) out.push_back(current);
  return out;
}

std::string JoinParagraphs(const std::vector<std::string>& paragraphs) {
  std::string out;
  for (const std::string& p : paragraphs) {
    if (!out.empty()) out += "\r\n";
    out += p + "\r\n";
  }
  return out;
}

bool TakeNoteTag(const std::string& paragraph, CIndividualRecord& record) {
  const std::size_t colon = paragraph.find(':');
  if (colon == std::string::npos) return false;
  const std::string tag = Upper(paragraph.substr(0, colon));
  const auto known = std::find_if(std::begin(kNoteTags), std::end(kNoteTags),
                                  [&](const char* t) { return tag == t; });
  if (known == std::end(kNoteTags)) return false;
  std::string text = paragraph.substr(colon + 1);
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  using R = CIndividualRecord;
  if (tag == "MAILADDRESS") {
    std::vector<std::string> lines = SplitLines(text);
    while (!lines.empty() && Trim(lines.front()).empty()) lines.erase(lines.begin());
    if (lines.empty()) return true;
    record.contact[R::kContactAddress1] = Trim(lines[0]);
    std::size_t commaLine = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
      if (lines[i].find(',') != std::string::npos) commaLine = i;
    const std::size_t address2End = commaLine ? commaLine : lines.size();
    std::string address2;
    for (std::size_t i = 1; i < address2End; ++i) {
      if (!address2.empty()) address2 += ' ';
      address2 += Trim(lines[i]);
    }
    record.contact[R::kContactAddress2] = address2;
    if (commaLine) {
      const std::string& line = lines[commaLine];
      const std::size_t comma = line.find(',');
      record.contact[R::kContactCity] = Trim(line.substr(0, comma));
      const std::string rest = Trim(line.substr(comma + 1));
      const std::size_t blank = rest.find(' ');
      record.contact[R::kContactState] = rest.substr(0, blank);
      record.contact[R::kContactPostalCode] =
          blank == std::string::npos ? std::string() : Trim(rest.substr(blank + 1));
    }
  } else if (tag == "TELEPHONE") {
    record.contact[R::kContactPhone] = text;
  } else if (tag == "EMAIL") {
    record.contact[R::kContactEmail] = text;
  } else if (tag == "CONTACT_NAME") {
    record.contact[R::kContactName] = text;
  } else {
    record.texts2[0] = text;  // the cause of death
  }
  return true;
}

bool ParseSourceNote(const std::string& paragraph, SourceNote& out) {
  out = SourceNote{};
  out.original = paragraph;
  if (paragraph.empty() || paragraph[0] != '!') return false;
  const std::size_t colon = paragraph.find(':');
  if (colon == std::string::npos) return false;
  const std::string tags = paragraph.substr(1, colon - 1);
  std::size_t pos = 0;
  while (pos <= tags.size()) {
    const std::size_t dash = std::min(tags.find('-', pos), tags.size());
    const std::string tag = Trim(tags.substr(pos, dash - pos));
    if (!tag.empty()) (IsEventTag(tag) ? out.cited : out.notCited).push_back(tag);
    pos = dash + 1;
  }
  out.rest = paragraph.substr(colon + 1);
  std::vector<std::string> parts;
  pos = 0;
  while (true) {
    const std::size_t semi = out.rest.find(';', pos);
    parts.push_back(OneLine(out.rest.substr(pos, semi == std::string::npos ? semi : semi - pos)));
    if (semi == std::string::npos) break;
    pos = semi + 1;
  }
  parts.resize(std::max<std::size_t>(parts.size(), 6));
  const std::size_t comma = parts[0].find(',');
  if (comma == std::string::npos) {
    out.title = parts[0];
  } else {
    out.author = Trim(parts[0].substr(0, comma));
    out.title = Trim(parts[0].substr(comma + 1));
  }
  out.comments = parts[1];
  if (!parts[5].empty()) out.comments += (out.comments.empty() ? "" : "; ") + parts[5];
  out.publication = parts[2];
  out.page = parts[3];
  out.repository = parts[4];
  return true;
}

// ---- the run ----

namespace {

// Makes a database object the current one for a scope.
class UseDatabase {
 public:
  explicit UseDatabase(CFamilyDatabase& db) : saved_(CurrentDatabase) { CurrentDatabase = &db; }
  ~UseDatabase() { CurrentDatabase = saved_; }
  UseDatabase(const UseDatabase&) = delete;
  UseDatabase& operator=(const UseDatabase&) = delete;

 private:
  CFamilyDatabase* saved_;
};

std::string Cut(const std::string& s, std::size_t n) { return s.size() > n ? s.substr(0, n) : s; }

}  // namespace

struct COrv2Converter::Impl {
  COrv2Converter& c;
  CFamilyDatabase& src;
  CFamilyDatabase dest;
  std::string newPath;
  // Sealing-to-parents citations waiting for the child's family link:
  // (new individual, citation) pairs made while the links did not exist.
  struct PendingCitation {
    std::int32_t individual;
    CCitationRecord citation;
  };
  std::vector<PendingCitation> pending;

  explicit Impl(COrv2Converter& owner) : c(owner), src(owner.source_) {}

  // One step of a pass: the counter every 31 steps; false when cancelled.
  bool Step() {
    ++c.step_;
    if (c.step_ % kCounterStep != 0) return true;
    c.view_.ShowCounter(std::to_string(c.step_) + " / " + std::to_string(c.total_));
    if (!c.view_.Pump()) c.cancelled_ = true;
    return !c.cancelled_;
  }
  void BeginPass(unsigned label, long total) {
    c.view_.ShowPass(res::LoadString(label));
    c.step_ = 0;
    c.total_ = total;
  }

  // A new record of type, numbered as old when asked; 0 on a failure.
  std::int32_t AddNumbered(int type, std::int32_t old, RecordRef record) {
    if (!c.options_.preserveNumbers) return DbAddRecord(type, 1, record);
    std::int32_t n = DbAddRecord(type, 0, record);
    while (n > 0 && n < old) {
      if (DbDeleteRecord(n, type) != 1) return 0;
      const std::int32_t next = DbAddRecord(type, 0, record);
      if (next <= n) {
        plat::MessageBox("Can't add new record", "Yo", plat::kMbOk);
        return 0;
      }
      n = next;
    }
    return n;
  }

  bool PreparedBy() {
    CPreparerRecord prep;
    {
      UseDatabase use(src);
      if (DbGetRecord(1, db::kPreparer, &prep) != 1) return true;
    }
    // The preparer lives in the header, which the batch writes at its end
    // (whose answer counts); until then the update answers 0.
    (void)DbUpdateRecord(1, db::kPreparer, &prep);
    return true;
  }

  bool MarriagesPass1() {
    std::int32_t total;
    {
      UseDatabase use(src);
      total = DbGetRecordCount(db::kMarriage);
    }
    BeginPass(res::kIdsMarriagesPass1, total);
    c.marriages_.Append(0);
    for (std::int32_t old = 1; old <= total; ++old) {
      if (!Step()) return false;
      CMarriageRecord in;
      bool deleted, live;
      {
        UseDatabase use(src);
        deleted = DbIsRecordDeleted(db::kMarriage, old) != 0;
        live = !deleted && DbGetRecord(old, db::kMarriage, &in, 0, db::kWalkExact) == 1;
      }
      if (!live) {
        if (!deleted) ++c.tally_.marriagesLost;
        c.marriages_.Append(0);
        continue;
      }
      CMarriageRecord out;
      out.marriage = in.marriage;
      out.sealingToSpouse = in.sealingToSpouse;
      out.status = in.status == 'D' || in.status == 'M' ? in.status : 0;
      const std::int32_t n = AddNumbered(db::kMarriage, old, &out);
      if (n <= 0 || DbUpdateRecord(n, db::kMarriage, &out) != 1) return false;
      c.marriages_.Append(n);
      ++c.tally_.marriagesRead;
    }
    return true;
  }

  // A citation of a new source for one tag of a source note.
  bool Cite(std::int32_t individual, std::int32_t marriage, std::int32_t source,
            const SourceNote& note, const std::string& tag) {
    CCitationRecord cit;
    cit.sourceRin = source;
    cit.pageText = note.page;
    cit.comments = note.comments;
    struct Owner {
      const char* tag;
      char letter;
    };
    static constexpr Owner kOwners[] = {
        {"BIRTH", db::kOwnerBirth},
        {"CHRISTENING", db::kOwnerChristening},
        {"DEATH", db::kOwnerDeath},
        {"BURIAL", db::kOwnerBurial},
        {"BAPTISM", db::kOwnerBaptism},
        {"ENDOWMENT", db::kOwnerEndowment},
        {"MARRIAGE", db::kOwnerMarriage},
        {"SEALING_SPOUSE", db::kOwnerSealingToSpouse},
        {"SEALING_PARENTS", db::kOwnerSealingToParents},
    };
    const auto owner = std::find_if(std::begin(kOwners), std::end(kOwners),
                                    [&](const Owner& o) { return tag == o.tag; });
    if (owner == std::end(kOwners)) {
      plat::MessageBox("Failed to recognize a previously recognizeable tag", "Yo", plat::kMbOk);
      return true;
    }
    cit.ownerLetter = owner->letter;
    cit.ownerNumber = individual;
    if (owner->letter == db::kOwnerMarriage || owner->letter == db::kOwnerSealingToSpouse) {
      if (marriage > 0) {
        cit.ownerNumber = marriage;
      } else {
        cit.ownerLetter = db::kOwnerIndividual;
      }
    } else if (owner->letter == db::kOwnerSealingToParents) {
      // The family link is made in the second passes.
      pending.push_back({individual, cit});
      return true;
    }
    return DbAddRecord(db::kCitation, 1, &cit) > 0;
  }

  // Converts one source note; the text that stays in the notes ("" none).
  bool SourceNoteParagraph(const std::string& paragraph, const std::string& name,
                           std::int32_t individual, std::int32_t marriage, std::string& kept) {
    kept = paragraph;
    if (c.convertNone_) return true;
    SourceNote note;
    if (!ParseSourceNote(paragraph, note) || note.cited.empty()) return true;
    bool retain = false;
    if (!c.convertAll_) {
      const SourceNoteAnswer answer = c.view_.AskSourceNote(name, note);
      switch (answer.choice) {
        case SourceNoteChoice::kDontConvertAny:
          c.convertNone_ = true;
          return true;
        case SourceNoteChoice::kDontConvert:
          return true;
        case SourceNoteChoice::kConvertAll:
          c.convertAll_ = true;
          break;
        case SourceNoteChoice::kConvert:
          break;
      }
      retain = answer.retain;
      const auto tags = note.cited;
      note = answer.note;
      note.cited = tags;
    }
    std::int32_t repository = 0;
    if (!note.repository.empty()) {
      CRepositoryRecord repo;
      repo.name = note.repository;
      repository = DbAddRecord(db::kRepository, 1, &repo);
      if (repository <= 0) return false;
    }
    if (!note.title.empty()) {
      CSourceRecord source;
      source.title = Cut(note.title, 121);
      source.author = Cut(note.author, 121);
      source.publication = Cut(note.publication, 121);
      source.callNumber = Cut(note.callNumber, 91);
      source.repositoryRin = repository;
      const std::int32_t s = DbAddRecord(db::kSource, 1, &source);
      if (s <= 0) return false;
      for (const std::string& tag : note.cited)
        if (!Cite(individual, marriage, s, note, tag)) return false;
    }
    if (!retain) {
      kept.clear();
    } else {
      std::string tags;
      for (const std::string& t : note.notCited) tags += (tags.empty() ? "" : "-") + t;
      kept = "!" + tags + ":" + note.rest;
    }
    return true;
  }

  bool IndividualsPass1() {
    std::int32_t total;
    {
      UseDatabase use(src);
      total = DbGetRecordCount(db::kIndividual);
    }
    BeginPass(res::kIdsIndividualsPass1, total);
    c.individuals_.Append(0);
    for (std::int32_t old = 1; old <= total; ++old) {
      if (!Step()) return false;
      CIndividualRecord in;
      std::string notes;
      std::vector<std::int32_t> marriages;
      CMultimediaList media;
      bool deleted, live;
      {
        UseDatabase use(src);
        deleted = DbIsRecordDeleted(db::kIndividual, old) != 0;
        live = !deleted && DbGetRecord(old, db::kIndividual, &in, 9, db::kWalkExact) == 1;
        if (live) {
          notes = DbGetNotes(old, 0, db::kIndividual, 0, 1, 0);
          marriages = DbGetRelationChain(old, db::kRelMarriages);
          if (const std::int32_t head = src.GetMultimediaHead(old, db::kIndividual); head > 0)
            media = src.LoadMultimediaList(head);
        }
      }
      if (!live) {
        if (!deleted) ++c.tally_.individualsLost;
        c.individuals_.Append(0);
        continue;
      }
      CIndividualRecord out;
      out.surname = in.surname;
      for (int i = 0; i < 3; ++i) out.givenNames[i] = in.givenNames[i];
      out.title = in.title;
      out.sex = in.sex == 'M' || in.sex == 'F' ? in.sex : 'U';
      out.birth = in.birth;
      out.christening = in.christening;
      out.death = in.death;
      out.burial = in.burial;
      out.baptism = in.baptism;
      out.endowment = in.endowment;
      out.texts1[0] = in.texts1[0];
      if (out.surname.empty() && out.givenNames[0].empty() && out.givenNames[1].empty() &&
          out.givenNames[2].empty())
        out.givenNames[0] = res::LoadString(res::kIdsUnknown);
      // A Stirpbank number kept in the identifier field moves to its own.
      if (LooksLikeStirpbankNumber(out.texts1[0])) std::swap(out.texts1[0], out.texts1[1]);
      std::vector<std::string> paragraphs;
      std::vector<std::string> sourceNotes;
      for (const std::string& p : NoteParagraphs(notes)) {
        if (TakeNoteTag(p, out)) continue;
        paragraphs.push_back(p);
      }

      const std::int32_t n = AddNumbered(db::kIndividual, old, &out);
      if (n <= 0 || DbUpdateRecord(n, db::kIndividual, &out) != 1) return false;
      c.individuals_.Append(n);
      ++c.tally_.individualsRead;

      // Source notes, now that the individual has its number.
      const std::int32_t firstMarriage =
          marriages.empty() ? 0 : c.marriages_.Lookup(marriages.front());
      std::vector<std::string> kept;
      const std::string name = out.GetName(0, false, 0, false);
      for (const std::string& p : paragraphs) {
        if (p[0] != '!') {
          kept.push_back(p);
          continue;
        }
        std::string stays;
        if (!SourceNoteParagraph(p, name, n, firstMarriage, stays)) return false;
        if (!stays.empty()) kept.push_back(stays);
      }
      const std::string remaining = JoinParagraphs(kept);
      if (!remaining.empty() && DbSetNotes(n, remaining, 0, 0, db::kIndividual) == 0) return false;

      // Multimedia, its file names made to work from the new file's folder.
      if (media) {
        for (CMultimediaItem* item = media.get(); item; item = item->next.get()) {
          item->ownerNumber = n;
          const std::string& f = item->fileName;
          if (!c.sameFolder_ && !f.empty() && f.find(':') == std::string::npos && f[0] != '\\' &&
              f[0] != '/')
            item->fileName = c.relativeSourceFolder_ + f;
        }
        if (DbSaveMultimediaChain(n, media.get(), db::kIndividual) != 1) return false;
      }
    }
    return true;
  }

  // Spouses: each individual joins its marriages in its old chain's order.
  bool IndividualsPass2() {
    const std::int32_t total = static_cast<std::int32_t>(c.individuals_.Count()) - 1;
    BeginPass(res::kIdsIndividualsPass2, total);
    std::vector<bool> husbandSet(c.marriages_.Count()), wifeSet(c.marriages_.Count());
    auto join = [&](std::int32_t oldRin, std::int32_t oldMrin, bool husband) {
      const std::int32_t n = c.individuals_.Lookup(oldRin);
      const std::int32_t m = c.marriages_.Lookup(oldMrin);
      if (n <= 0 || m <= 0) return true;
      auto& set = husband ? husbandSet : wifeSet;
      if (set[static_cast<std::size_t>(oldMrin)]) return true;
      set[static_cast<std::size_t>(oldMrin)] = true;
      return DbSetRelation(n, 0, husband ? db::kRelHusband : db::kRelWife, m) > 0;
    };
    for (std::int32_t old = 1; old <= total; ++old) {
      if (!Step()) return false;
      if (c.individuals_.Lookup(old) <= 0) continue;
      std::vector<std::int32_t> marriages;
      std::vector<std::pair<std::int32_t, bool>> roles;
      {
        UseDatabase use(src);
        marriages = DbGetRelationChain(old, db::kRelMarriages);
        for (std::int32_t m : marriages) {
          std::vector<std::int32_t> spouses;
          if (DbGetRelation(m, db::kRelSpouses, 2, spouses) != 1) continue;
          if (spouses[0] == old)
            roles.emplace_back(m, true);
          else if (spouses[1] == old)
            roles.emplace_back(m, false);
        }
      }
      for (const auto& [m, husband] : roles)
        if (!join(old, m, husband)) return false;
    }
    // Spouses named by a marriage whose own chain misses it.
    for (std::size_t old = 1; old < c.marriages_.Count(); ++old) {
      if (c.marriages_.Lookup(static_cast<std::int64_t>(old)) <= 0) continue;
      std::vector<std::int32_t> spouses;
      {
        UseDatabase use(src);
        if (DbGetRelation(static_cast<std::int32_t>(old), db::kRelSpouses, 2, spouses) != 1)
          continue;
      }
      if (spouses[0] && !join(spouses[0], static_cast<std::int32_t>(old), true)) return false;
      if (spouses[1] && !join(spouses[1], static_cast<std::int32_t>(old), false)) return false;
    }
    return true;
  }

  // Children: each marriage gets its old children, oldest first; each link
  // keeps the child's sealing to these parents.
  bool MarriagesPass2() {
    const std::int32_t total = static_cast<std::int32_t>(c.marriages_.Count()) - 1;
    BeginPass(res::kIdsMarriagesPass2, total);
    std::vector<bool> linked(c.individuals_.Count());
    for (std::int32_t old = 1; old <= total; ++old) {
      if (!Step()) return false;
      const std::int32_t m = c.marriages_.Lookup(old);
      if (m <= 0) continue;
      std::vector<std::int32_t> children;
      {
        UseDatabase use(src);
        children = DbGetRelationChain(old, db::kRelChildren);
      }
      for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const std::int32_t n = c.individuals_.Lookup(*child);
        if (n <= 0 || linked[static_cast<std::size_t>(*child)]) continue;
        if (DbSetRelation(n, 0, db::kRelParents, m) <= 0) return false;
        linked[static_cast<std::size_t>(*child)] = true;
      }
    }
    // A child whose parents field names a marriage whose child chain misses it.
    for (std::size_t old = 1; old < linked.size(); ++old) {
      const std::int32_t n = c.individuals_.Lookup(static_cast<std::int64_t>(old));
      if (n <= 0 || linked[old]) continue;
      std::vector<std::int32_t> parents;
      {
        UseDatabase use(src);
        if (DbGetRelation(static_cast<std::int32_t>(old), db::kRelParents, 3, parents) != 1)
          continue;
      }
      const std::int32_t m = c.marriages_.Lookup(parents[0]);
      if (m > 0 && DbSetRelation(n, 0, db::kRelParents, m) <= 0) return false;
    }
    return true;
  }

  // The sealing to parents of every individual goes to its family link (a
  // link without parents holds the sealing of one who has none), then the
  // sealing citations that waited for the links.
  bool FamilyLinksPass2() {
    const std::int32_t total = static_cast<std::int32_t>(c.individuals_.Count()) - 1;
    BeginPass(res::kIdsFamilyLinksPass2, total);
    for (std::int32_t old = 1; old <= total; ++old) {
      if (!Step()) return false;
      const std::int32_t n = c.individuals_.Lookup(old);
      if (n <= 0) continue;
      CFamilyLinkRecord oldLink;
      {
        UseDatabase use(src);
        if (DbGetRecord(old, db::kFamilyLink, &oldLink) != 1) continue;
      }
      const COrdinanceObject* sealing = oldLink.GetSealingEvent();
      if (!sealing || (!sealing->date.IsSet() && sealing->templeCode.empty())) continue;
      std::int32_t link = FirstParentLink(n);
      if (link <= 0) link = DbSetRelation(n, 0, db::kRelParents, -1);
      if (link <= 0) return false;
      CFamilyLinkRecord newLink;
      if (DbGetRecord(link, db::kFamilyLink, &newLink) != 1) return false;
      newLink.SetSealingEvent(std::make_unique<COrdinanceObject>(*sealing));
      if (DbUpdateRecord(link, db::kFamilyLink, &newLink) != 1) return false;
    }
    for (PendingCitation& p : pending) {
      std::int32_t link = FirstParentLink(p.individual);
      if (link <= 0) link = DbSetRelation(p.individual, 0, db::kRelParents, -1);
      if (link <= 0) return false;
      p.citation.ownerNumber = link;
      if (DbAddRecord(db::kCitation, 1, &p.citation) <= 0) return false;
    }
    return true;
  }

  static std::int32_t FirstParentLink(std::int32_t individual) {
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, individual, 0);
    return links.empty() ? 0 : links.front();
  }

  bool Passes() {
    return PreparedBy() && MarriagesPass1() && IndividualsPass1() && IndividualsPass2() &&
           MarriagesPass2() && FamilyLinksPass2();
  }
};

COrv2Converter::COrv2Converter(CFamilyDatabase& source, const ConversionOptions& options,
                               ConverterView& view)
    : source_(source), options_(options), view_(view) {}

int COrv2Converter::Run(const std::string& destination) {
  cancelled_ = false;
  step_ = 0;
  individuals_.Clear();
  marriages_.Clear();
  tally_ = {};
  if (source_.type != CFamilyDatabase::kOldFormat) return 0;
  convertAll_ = false;
  convertNone_ = !options_.convertSourceNotes;
  source_.oldNotesWrap = options_.wrap;

  std::string destFolder, destName;
  SplitPathDirFile(destination, &destFolder, &destName);
  auto lower = [](std::string t) {
    for (char& ch : t) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return t;
  };
  sameFolder_ = lower(destFolder) == lower(source_.folder);
  relativeSourceFolder_ =
      sameFolder_ ? std::string() : MakeRelativePath(destFolder, source_.folder);
  if (!relativeSourceFolder_.empty() && relativeSourceFolder_.back() != '/' &&
      relativeSourceFolder_.back() != '\\')
    relativeSourceFolder_ += '/';

  // The new file is made under a temporary name in the destination's folder.
  const std::string temp = destFolder + "~conv-" + destName;
  auto impl = std::make_unique<Impl>(*this);
  bool ok = false, passesDone = false;
  // The new file's object is current while it is built; the folder of the
  // temporary files stays the open family's.
  const std::string sharedFolder = GetOpenFamilyFileFolder();
  {
    UseDatabase use(impl->dest);
    NewFileOptions created;
    created.titleFrom = destination;  // not the temporary name
    if (DbCreate(temp, CFamilyDatabase::kCurrentFormat, created) != 1) {
      plat::MessageBox("Problem creating dest database", "",
                       plat::kMbOk | plat::kMbIconExclamation);
      plat::DeleteFile(temp);
      SetOpenFamilyFileFolder(sharedFolder);
      return 0;
    }
    if (DbOpen(temp, CFamilyDatabase::kCurrentFormat) != 1) {
      plat::MessageBox("Problem opening dest database", "", plat::kMbOk | plat::kMbIconExclamation);
      DeleteCompanionFiles(temp, CFamilyDatabase::kCurrentFormat);
      plat::DeleteFile(temp);
      SetOpenFamilyFileFolder(sharedFolder);
      return 0;
    }
    impl->dest.host.logChanges = false;
    DbBeginBatch();
    // The damage the reader meets is told once, in the summary at the end.
    const bool wasQuiet = source_.oldFormatQuiet;
    const std::size_t reportedBefore = source_.oldFormatReported.size();
    source_.oldFormatQuiet = true;
    ok = impl->Passes();
    source_.oldFormatQuiet = wasQuiet;
    tally_.damaged = static_cast<long>(source_.oldFormatReported.size() - reportedBefore);
    // Records the headers count that the files end before.
    tally_.individualsLost += std::max<long>(
        0, StatedCount(source_, db::kIndividual) - source_.host.highestIndividual);
    tally_.marriagesLost +=
        std::max<long>(0, StatedCount(source_, db::kMarriage) - source_.host.highestMarriage);
    // A family of which no individual could be read is not converted.
    passesDone = ok;
    ok = ok && tally_.individualsRead > 0;
    // A file whose header did not reach the disk at the batch's end is not
    // put in the destination's place.
    ok = DbEndBatch() == 1 && ok;
    DbClose();
  }
  SetOpenFamilyFileFolder(sharedFolder);
  DeleteCompanionFiles(temp, CFamilyDatabase::kCurrentFormat);
  if (ok) {
    DeleteCompanionFiles(destination, CFamilyDatabase::kCurrentFormat);
    ok = std::rename(temp.c_str(), destination.c_str()) == 0;
  }
  if (!ok) plat::DeleteFile(temp);
  if (passesDone) ShowSummary();
  return ok ? 1 : 0;
}

void COrv2Converter::ShowSummary() const {
  const ConversionTally& t = tally_;
  const bool nobody = t.individualsRead == 0;
  if (!nobody && t.individualsLost == 0 && t.marriagesLost == 0 && t.damaged == 0) return;
  const std::string a = std::to_string(t.individualsRead), b = std::to_string(t.individualsLost),
                    c = std::to_string(t.marriagesRead), d = std::to_string(t.marriagesLost),
                    e = std::to_string(t.damaged);
  plat::MessageBox(FormatInsertsAndArgs(res::LoadString(nobody ? res::kIdsConversionFailedNobody
                                                               : res::kIdsConversionLosses),
                                        {a, b, c, d, e}, {}),
                   res::LoadString(res::kIdsAppName),
                   plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace orv2
