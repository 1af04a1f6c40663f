// The GEDCOM import of sources, repositories and citations.

#include "GedcomImporter.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "GedcomImportSupport.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"

namespace gedcom {

using namespace importing;

void CGedcomImporter::ReadCitation(const CGedcomLine& line, char ownerKind,
                                   std::vector<PendingCitation>& out, Pending& pending) {
  PendingCitation c;
  c.position = line.position;
  c.record.ownerLetter = ownerKind;
  if (line.pointer) {
    const std::int32_t source = ResolveXref(db::kSource, line.value, line.position, false);
    if (source < 0) {
      SkipDeeper(line.level);
      return;
    }
    c.record.sourceRin = source;
  } else {
    c.sourceTitle = line.value;
  }
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagData:
        while (const CGedcomLine* d = reader_.NextAtLevel(level + 2, true)) {
          const CGedcomLine data = *d;
          if (data.tagCode == kTagDate) {
            ReadDate(data, c.record.entryDate, 0, pending);
          } else if (data.tagCode == kTagText) {
            AddParagraph(c.record.actualText, data.value);
            SkipDeeper(data.level);
          } else {
            ReportUnexpected(data, "Citation Data Structure", &pending);
          }
        }
        break;
      case kTagNote:
        if (!options_.importNotes) {
          ReadNoteStructure(sub, pending);
        } else if (sub.pointer) {
          c.notes.push_back(sub.value);
          SkipDeeper(sub.level);
        } else {
          AddParagraph(c.record.comments, sub.value);
          SkipDeeper(sub.level);
        }
        break;
      case kTagPage:
        c.record.pageText = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagRefn:
        c.record.detailText = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagQuay:
        // Stored when the family file keeps it (read back when the citation
        // is stored).
        if (sub.value.size() == 1 && sub.value[0] >= '0' && sub.value[0] <= '3')
          c.record.quality = static_cast<std::uint8_t>(sub.value[0] - '0');
        else
          Warning(sub.position, Format("Invalid QUAY '%s' of a citation; use 0, 1, 2 or 3. It is "
                                       "not kept.",
                                       {sub.value}));
        SkipDeeper(sub.level);
        break;
      case kTagXAppliesTo:
        // The family file keeps no applies-to mark on a citation; a value
        // outside the three words is still told to the user.
        if (sub.value != "DATE" && sub.value != "PLACE" && sub.value != "DATE_AND_PLACE") {
          Error(sub.position,
                Format("Invalid value '%s'.  Use DATE, PLACE, or DATE_AND_PLACE.", {sub.value}));
          SkipDeeper(sub.level);
        } else {
          NotKept("_APPLIES_TO of a citation", &sub, &pending);
        }
        break;
      case kTagXRin:
        // A citation identifier: a family file of the current format makes
        // a new citation for each structure, so it needs none.
        SkipDeeper(sub.level);
        break;
      default:
        ReportUnexpected(sub, "Citation Structure", &pending);
    }
  }
  out.push_back(std::move(c));
}

std::int32_t CGedcomImporter::StoreCitation(PendingCitation& c) {
  if (c.record.sourceRin == 0) {
    CSourceRecord source;
    source.title = source.abbreviatedTitle = c.sourceTitle;
    c.record.sourceRin = DbAddRecord(db::kSource, options_.reuseDeletedRecords, &source);
    if (c.record.sourceRin <= 0) {
      Error(c.position, "Can't add the source of a citation.");
      return 0;
    }
    ++made_[kSources];
  }
  const std::int32_t rin = DbAddRecord(db::kCitation, options_.reuseDeletedRecords, &c.record);
  if (rin <= 0) {
    Error(c.position, "Can't add a citation.");
    return 0;
  }
  for (const auto& note : c.notes) noteLinks_.push_back({'1', rin, "CIT", note, c.position});
  // A quality and a reference that the family file does not keep are counted.
  if (c.record.quality != CCitationRecord::kNoQuality || !c.record.detailText.empty()) {
    CCitationRecord kept;
    if (DbGetRecord(rin, db::kCitation, &kept) == 1) {
      if (kept.quality != c.record.quality) NotKept("QUAY of a citation");
      if (kept.detailText != c.record.detailText) NotKept("REFN of a citation");
    }
  }
  return rin;
}

void CGedcomImporter::ReadCallNumberMedia(int level, Pending& pending) {
  while (const CGedcomLine* l = reader_.NextAtLevel(level, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagMedi) {
      AddParagraph(pending.notes, "Source Media Type: " + sub.value);
      SkipDeeper(level);
    } else {
      ReportUnexpected(sub, "Source Call Number Structure", &pending);
    }
  }
}

void CGedcomImporter::ReadSource(const CGedcomLine& line) {
  const std::int32_t rin = DefineRecord(db::kSource, line);
  if (rin < 0) return;
  CSourceRecord record;
  DbGetRecord(rin, db::kSource, &record);
  Pending pending('3', rin, line.xref);
  bool abbreviated = false;
  bool repositoryTaken = false;
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagAbbr:
        record.abbreviatedTitle = sub.value;
        abbreviated = true;
        SkipDeeper(1);
        break;
      case kTagTitl:
        record.title = sub.value;
        if (!abbreviated) record.abbreviatedTitle = sub.value;
        SkipDeeper(1);
        break;
      case kTagAuth:
        record.author = sub.value;
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          if (al.tagCode == kTagAbbr) {
            record.abbreviatedAuthor = al.value;
            SkipDeeper(2);
          } else {
            ReportUnexpected(al, "Source Author Structure", &pending);
          }
        }
        break;
      case kTagCaln:
        record.callNumber = sub.value;
        ReadCallNumberMedia(2, pending);
        break;
      case kTagPubl:
        record.publication = sub.value;
        SkipDeeper(1);
        break;
      case kTagText:
        record.actualText = sub.value;
        SkipDeeper(1);
        break;
      case kTagRepo: {
        if (sub.pointer) {
          // A source keeps one repository with one call number: a further
          // repository, with its call number, is not kept.
          if (repositoryTaken) {
            NotKept("REPO of a source after its first", &sub, &pending);
            break;
          }
          const std::int32_t repo = ResolveXref(db::kRepository, sub.value, sub.position, false);
          if (repo > 0) record.repositoryRin = repo;
          repositoryTaken = true;
        } else if (!sub.value.empty()) {
          AddParagraph(pending.notes, "Repository: " + sub.value);
        }
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          if (al.tagCode == kTagCaln) {
            if (record.callNumber.empty())
              record.callNumber = al.value;
            else if (record.callNumber != al.value)
              NotKept("CALN of a source's repository beside the source's own");
            ReadCallNumberMedia(3, pending);
          } else if (al.tagCode == kTagNote) {
            if (options_.importNotes)
              AddParagraph(pending.notes, al.value);
            else
              ReadNoteStructure(al, pending);
            SkipDeeper(2);
          } else {
            ReportUnexpected(al, "Source Repository Citation", &pending);
          }
        }
        break;
      }
      case kTagXItalic:
        record.italicTitle = IsYes(sub.value);
        SkipDeeper(1);
        break;
      case kTagXParen:
        record.parenthesizeFacts = IsYes(sub.value);
        SkipDeeper(1);
        break;
      case kTagXOther:
        record.titleSupplement = sub.value;
        SkipDeeper(1);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagQuay:
        NotKept("QUAY of a source", &sub, &pending);
        break;
      default:
        ReportUnexpected(sub, "Source Record", &pending);
    }
  }
  if (!pending.notes.empty()) AddParagraph(record.comments, pending.notes);
  pending.notes.clear();
  if (record.title.empty()) record.title = record.abbreviatedTitle;
  UpdateRecord(rin, db::kSource, &record, line, "source");
  StorePending(pending);
}

void CGedcomImporter::ReadRepository(const CGedcomLine& line) {
  const std::int32_t rin = DefineRecord(db::kRepository, line);
  if (rin < 0) return;
  CRepositoryRecord record;
  DbGetRecord(rin, db::kRepository, &record);
  Pending pending('2', rin, line.xref);
  std::string lines, place, phones[3];
  int phoneCount = 0;
  bool haveAddress = false;
  auto addPhone = [&](const CGedcomLine& p) {
    if (p.value.empty() || p.pointer) return;
    if (phoneCount == 3) {
      Warning(p.position, "Too many phones defined.");
      return;
    }
    phones[phoneCount++] = p.value;
  };
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagName:
        record.name = sub.value;
        SkipDeeper(1);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagPhon:
        addPhone(sub);
        SkipDeeper(1);
        break;
      case kTagXEmail:
      case kTagXUrl:
        Warning(sub.position, Format("A repository has no field for '%s'; '%s' is not kept.",
                                     {sub.tag, sub.value}));
        SkipDeeper(1);
        break;
      case kTagAddr: {
        if (haveAddress) {
          Warning(sub.position, "A repository keeps one address; this further ADDR is not kept.");
          SkipDeeper(1);
          break;
        }
        haveAddress = true;
        std::string parts[8];  // ADDR, ADR1, ADR2, CITY, STAE, POST, CTRY
        bool seen[8] = {};
        if (!sub.pointer) parts[0] = sub.value;
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          int index = -1;
          switch (al.tagCode) {
            case kTagAdr1:
              index = 1;
              break;
            case kTagAdr2:
              index = 2;
              break;
            case kTagCity:
              index = 3;
              break;
            case kTagStae:
              index = 4;
              break;
            case kTagPost:
              index = 5;
              break;
            case kTagCtry:
              index = 6;
              break;
            default:
              break;
          }
          if (al.tagCode == kTagPhon) {
            addPhone(al);
          } else if (al.tagCode == kTagXEmail || al.tagCode == kTagXUrl) {
            Warning(al.position, Format("A repository has no field for '%s'; '%s' is not kept.",
                                        {al.tag, al.value}));
          } else if (index < 0) {
            Error(al.position, Format("Ignoring invalid tag '%s'.", {al.tag}));
          } else if (seen[index]) {
            Error(al.position, Format("'%s' is already defined.", {al.tag}));
          } else if (al.value.empty() || al.pointer) {
            Error(al.position, Format("'%s' line is missing its value.", {al.tag}));
          } else {
            seen[index] = true;
            parts[index] = al.value;
          }
          SkipDeeper(2);
        }
        for (int i = 0; i < 3; ++i)
          if (!parts[i].empty()) lines += (lines.empty() ? "" : "\r\n") + parts[i];
        for (int i = 3; i < 7; ++i)
          if (!parts[i].empty()) place += (place.empty() ? "" : ", ") + parts[i];
        break;
      }
      default:
        ReportUnexpected(sub, "Repository Record", &pending);
    }
  }
  std::string text = lines;
  if (!place.empty()) text += (text.empty() ? "" : "\r\n") + place;
  for (auto& a : record.address) a.clear();
  for (int i = 0; !text.empty(); ++i) {
    const std::size_t end = text.find("\r\n");
    if (i == 3 || end == std::string::npos) {
      record.address[i] = text;
      break;
    }
    record.address[i] = text.substr(0, end);
    text.erase(0, end + 2);
  }
  if (phoneCount > 0) record.phone = phones[0];
  if (!pending.notes.empty()) AddParagraph(record.note, pending.notes);
  pending.notes.clear();
  UpdateRecord(rin, db::kRepository, &record, line, "repository");
  StorePending(pending);
}

}  // namespace gedcom
