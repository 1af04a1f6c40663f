#include "SourceEditing.h"

#include <algorithm>
#include <optional>

#include "CitationOwnerLabel.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "Footnotes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"

namespace sources {

namespace {

constexpr int kStep = 30;

const char kCrLf[] = "\r\n";

void AppendOwner(std::vector<CitedItem>& out, std::int32_t owner, char letter) {
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kCitation, owner, letter);
  for (std::int32_t c : list) out.push_back({c, letter, owner});
}

void AppendUserEvents(std::vector<CitedItem>& out, std::int32_t rin, char ownerKind, char letter) {
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, rin, ownerKind);
  for (std::int32_t e : events) AppendOwner(out, e, letter);
}

void Exclaim(unsigned id) {
  plat::MessageBox(res::LoadString(id), "", plat::kMbOk | plat::kMbIconExclamation);
}

// Moves the progress bar, lets messages through and asks for Cancel.
bool StepCancelled(int position) {
  plat::Progress().SetPosition(position);
  plat::PumpWaitingMessages();
  return plat::Progress().CancelRequested();
}

std::optional<CSourceRecord> ReadSource(std::int32_t rin) {
  CSourceRecord s;
  if (DbGetRecord(rin, db::kSource, &s) != 1) return std::nullopt;
  return s;
}

// Deletes the later duplicates among the citations of one owner letter.
unsigned long MergeOwnerCitations(std::int32_t owner, char letter) {
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kCitation, owner, letter);
  if (list.size() < 2) return 0;
  std::vector<CCitationRecord> read(list.size());
  std::vector<bool> ok(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    ok[i] = DbGetRecord(list[i], db::kCitation, &read[i]) == 1;
  unsigned long merged = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!ok[i]) continue;
    for (std::size_t j = i + 1; j < list.size();) {
      if (ok[j] && read[i].IsSame(read[j]) && DbDeleteRecord(list[j], db::kCitation) == 1) {
        ++merged;
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(j));
        read.erase(read.begin() + static_cast<std::ptrdiff_t>(j));
        ok.erase(ok.begin() + static_cast<std::ptrdiff_t>(j));
      } else {
        ++j;
      }
    }
  }
  return merged;
}

// The citation pass over every record of type; false when cancelled.
template <class Record>
bool MergeCitationPass(int type, unsigned statusId, const char* letters, unsigned long& counter) {
  const std::int32_t count = DbGetMaxRecordCount(type);
  plat::Progress().Begin("Korvane", count > 0 ? count : 1);
  plat::Progress().SetText(res::LoadString(statusId));
  Record record;
  for (std::int32_t rin = 1; rin <= count; ++rin) {
    if (DbGetRecord(rin, type, &record) == 1)
      for (const char* l = letters; *l; ++l) counter += MergeOwnerCitations(rin, *l);
    if (rin % kStep == 0 && StepCancelled(rin)) return false;
  }
  return true;
}

}  // namespace

// ---- View Sources ----

std::vector<CitedItem> CollectCitations(std::int32_t rin, char kind, bool showZel) {
  std::vector<CitedItem> out;
  if (kind == 'M') {
    CMarriageRecord marriage;
    if (DbGetRecord(rin, db::kMarriage, &marriage) != 1) return out;
    AppendOwner(out, rin, db::kOwnerMarriage);
    AppendOwner(out, rin, db::kOwnerMarriageEvent);
    if (showZel) AppendOwner(out, rin, db::kOwnerSealingToSpouse);
    AppendUserEvents(out, rin, db::kOwnerMarriage, db::kOwnerMarriageUserEvent);
    return out;
  }
  CIndividualRecord person;
  if (DbGetRecord(rin, db::kIndividual, &person) != 1) return out;
  AppendOwner(out, rin, db::kOwnerIndividual);
  AppendOwner(out, rin, db::kOwnerBirth);
  AppendOwner(out, rin, db::kOwnerChristening);
  AppendUserEvents(out, rin, db::kOwnerIndividual, db::kOwnerIndividualUserEvent);
  AppendOwner(out, rin, db::kOwnerDeath);
  AppendOwner(out, rin, db::kOwnerBurial);
  if (showZel) {
    AppendOwner(out, rin, db::kOwnerBaptism);
    AppendOwner(out, rin, db::kOwnerEndowment);
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rin, 0);
    for (std::int32_t link : links) AppendOwner(out, link, db::kOwnerFamilyLink);
  }
  return out;
}

std::string ViewSourcesText(const std::vector<CitedItem>& items) {
  std::string text;
  char lastLetter = 0;
  std::int32_t lastOwner = -1;
  int number = 0;
  for (const CitedItem& item : items) {
    if (item.ownerLetter != lastLetter || item.owner != lastOwner) {
      std::string label;
      GetCitationOwnerLabel(item.ownerLetter, label, item.owner);
      std::transform(label.begin(), label.end(), label.begin(),
                     [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
      text += label + ":" + kCrLf + kCrLf;
      lastLetter = item.ownerLetter;
      lastOwner = item.owner;
    }
    CCitationRecord citation;
    std::string footnote;
    if (DbGetRecord(item.citation, db::kCitation, &citation) == 1)
      family::FormatFootnote(citation, footnote, false, false, false, true, true);
    text += std::to_string(++number) + ". " + footnote + kCrLf + kCrLf;
  }
  return text;
}

// ---- the source list cache ----

CSourceListCache& CSourceListCache::Instance() {
  static CSourceListCache cache;
  return cache;
}

std::array<std::uint8_t, 3> CacheFlags(const CSourceRecord& source) {
  return {source.bytes[0], source.bytes[1], source.bytes[2]};
}

bool CSourceListCache::Fill(bool report) {
  if (!entries_.empty()) return true;
  std::vector<CSourceRecord> list;
  if (DbGetRecord(1, db::kSourceList, &list) != 1) {
    if (report) Exclaim(res::kIdsNoSourceList);
    return false;
  }
  entries_.reserve(list.size());
  for (const CSourceRecord& s : list) entries_.push_back({s.recordNumber, CacheFlags(s)});
  return true;
}

void CSourceListCache::Append(std::int32_t rin, std::array<std::uint8_t, 3> flags) {
  entries_.push_back({rin, flags});
}

void CSourceListCache::Erase(std::size_t index) {
  if (index < entries_.size())
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

void CSourceListCache::Retire(std::size_t index) {
  if (index + 1 == entries_.size())
    entries_.pop_back();
  else if (index < entries_.size())
    entries_[index] = {};
}

// ---- Edit Source ----

SourceFields FieldsOf(const CSourceRecord& s) {
  return {s.title,         s.author,           s.publication,
          s.callNumber,    s.actualText,       s.comments,
          s.repositoryRin, s.italicTitle != 0, s.parenthesizeFacts != 0};
}

void ApplyFields(const SourceFields& f, CSourceRecord& r) {
  r.title = f.title;
  r.author = f.author;
  r.publication = f.publication;
  r.callNumber = f.callNumber;
  r.actualText = f.actualText;
  r.comments = f.comments;
  r.repositoryRin = f.repositoryRin;
  r.italicTitle = f.italics ? 1 : 0;
  r.parenthesizeFacts = f.parentheses ? 1 : 0;
}

std::string SampleFootnote(const CSourceRecord& record) {
  std::string out;
  family::FormatFootnote(record, out, true, true);
  return out;
}

bool DropLostRepository(CSourceRecord& record) {
  if (record.repositoryRin == 0) return false;
  CRepositoryRecord repository;
  if (DbGetRecord(record.repositoryRin, db::kRepository, &repository) == 1) return false;
  record.repositoryRin = 0;
  return true;
}

std::int32_t StoreSource(CSourceRecord& record) {
  if (record.recordNumber == 0) {
    const std::int32_t rin = DbAddRecord(db::kSource, 1, std::monostate{});
    if (rin <= 0) {
      plat::MessageBox(res::LoadString(res::kIdsCannotCreateSource), "",
                       plat::kMbOk | plat::kMbIconExclamation);
      return 0;
    }
    record.recordNumber = rin;
  }
  if (DbUpdateRecord(record.recordNumber, db::kSource, &record) != 1) return 0;
  return record.recordNumber;
}

std::int32_t CopySource(std::int32_t rin) {
  CSourceRecord source;
  std::int32_t copy = 0;
  if (DbGetRecord(rin, db::kSource, &source) == 1) copy = DbAddRecord(db::kSource, 1, &source);
  if (copy <= 0) {
    Exclaim(res::kIdsCannotCopy);
    return 0;
  }
  return copy;
}

// ---- Repository ----

std::string JoinAddress(const std::string (&lines)[4]) {
  std::string text = lines[0];
  int pending = 0;
  for (int i = 1; i < 4; ++i) {
    ++pending;
    if (lines[i].empty()) continue;
    for (; pending > 0; --pending) text += kCrLf;
    text += lines[i];
  }
  return text;
}

std::array<std::string, 4> SplitAddress(const std::string& text) {
  std::array<std::string, 4> lines;
  std::size_t from = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t lf = text.find('\n', from);
    if (lf == std::string::npos) {
      lines[i] = text.substr(from);
      return lines;
    }
    std::size_t end = lf;
    if (end > from && text[end - 1] == '\r') --end;
    lines[i] = text.substr(from, end - from);
    from = lf + 1;
  }
  lines[3] = text.substr(from);
  return lines;
}

std::int32_t StoreRepository(CRepositoryRecord& record, const std::string& name,
                             const std::string& address, const std::string& phone) {
  if (record.recordNumber == 0) {
    const std::int32_t rin = DbAddRecord(db::kRepository, 1, std::monostate{});
    if (rin <= 0) {
      Exclaim(res::kIdsCannotCreateRepository);
      return 0;
    }
    record.recordNumber = rin;
  }
  record.name = name;
  const std::array<std::string, 4> lines = SplitAddress(address);
  for (int i = 0; i < 4; ++i) record.address[i] = lines[i];
  record.phone = phone;
  if (DbUpdateRecord(record.recordNumber, db::kRepository, &record) != 1) return 0;
  return record.recordNumber;
}

// ---- merge ----

std::string MergeSummary(const MergeCounts& c) {
  return res::FormatString(
      res::kIdsMergeSummary,
      {std::to_string(c.repositories), std::to_string(c.sources), std::to_string(c.citations)});
}

MergeCounts MergeDuplicateSources(bool showSummary) {
  MergeCounts counts;
  plat::ProgressPort& progress = plat::Progress();

  // Repositories: each with its neighbour in name order.
  std::vector<CRepositoryRecord> repositories;
  if (DbGetRecord(1, db::kRepositoryList, &repositories) != 1) {
    Exclaim(res::kIdsNoRepositoryList);
  } else {
    const int n = static_cast<int>(repositories.size());
    progress.Begin("Korvane", n > 0 ? n : 1);
    progress.SetText(res::LoadString(res::kIdsMergingRepositories));
    for (int i = 0; i + 1 < n; ++i) {
      const CRepositoryRecord& first = repositories[i];
      const CRepositoryRecord& second = repositories[i + 1];
      // A repository (or source) is deleted only once nothing names it.
      if (first.IsSame(second) &&
          DbReplaceSourceRepository(first.recordNumber, second.recordNumber) == 1 &&
          DbDeleteRecord(first.recordNumber, db::kRepository) == 1)
        ++counts.repositories;
      if ((i + 1) % kStep == 0 && StepCancelled(i + 1)) counts.cancelled = true;
    }
  }

  CSourceListCache& cache = CSourceListCache::Instance();
  cache.Clear();

  // Sources: each with the following ones of the same title.
  if (!counts.cancelled && cache.Fill()) {
    const std::vector<SourceCacheEntry> entries = cache.Entries();
    const int n = static_cast<int>(entries.size());
    progress.Begin("Korvane", n > 0 ? n : 1);
    progress.SetText(res::LoadString(res::kIdsMergingSources));
    std::optional<CSourceRecord> next = n > 0 ? ReadSource(entries[0].rin) : std::nullopt;
    for (int p = 1; p < n && !counts.cancelled; ++p) {
      const std::optional<CSourceRecord> earlier = std::move(next);
      next = ReadSource(entries[p].rin);
      if (earlier) {
        std::int32_t survivor = 0;
        if (next && family::IsSameSource(*earlier, *next)) {
          survivor = next->recordNumber;
        } else {
          for (int q = p + 1; q < n; ++q) {
            const std::optional<CSourceRecord> later = ReadSource(entries[q].rin);
            if (!later) continue;
            if (later->title != earlier->title) break;
            if (family::IsSameSource(*earlier, *later)) {
              survivor = later->recordNumber;
              break;
            }
          }
        }
        if (survivor != 0 && DbReplaceCitationSource(earlier->recordNumber, survivor) == 1 &&
            DbDeleteRecord(earlier->recordNumber, db::kSource) == 1)
          ++counts.sources;
      }
      if ((p + 1) % kStep == 0 && StepCancelled(p + 1)) counts.cancelled = true;
    }
    if (counts.sources > 0) cache.Clear();
  }

  if (!counts.cancelled)
    counts.cancelled = !MergeCitationPass<CIndividualRecord>(
        db::kIndividual, res::kIdsMergingIndividualCitations, "IBCDRAEP", counts.citations);
  if (!counts.cancelled)
    counts.cancelled = !MergeCitationPass<CMarriageRecord>(
        db::kMarriage, res::kIdsMergingMarriageCitations, "MGS", counts.citations);
  progress.End();
  if (showSummary)
    plat::MessageBox(MergeSummary(counts), "Korvane", plat::kMbOk | plat::kMbIconInformation);
  return counts;
}

}  // namespace sources
