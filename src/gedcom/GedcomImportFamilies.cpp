// The GEDCOM import of FAM records: spouses, children with their
// relationships and sealings, family events and the spouse sealing.

#include "GedcomImporter.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "GedcomImportSupport.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"

namespace gedcom {

using namespace importing;

namespace {

bool IsFamilyEvent(TagCode tag) {
  switch (tag) {
    case kTagAnul:
    case kTagCens:
    case kTagDiv:
    case kTagDivf:
    case kTagEnga:
    case kTagEven:
    case kTagMarb:
    case kTagMarc:
    case kTagMarl:
    case kTagMars:
    case kTagMarr:
      return true;
    default:
      return false;
  }
}

}  // namespace

// The lines under a CHIL line: adoption, the relationships to father and
// mother, and the child's sealing to the family; true when any was given.
bool CGedcomImporter::ReadChildLinkDetails(FamcLink& link, Pending& pending) {
  bool relation = false;
  while (const CGedcomLine* c = reader_.NextAtLevel(2, true)) {
    const CGedcomLine cl = *c;
    if (cl.tagCode == kTagAdop) {
      link.father = link.mother = 'a';
      relation = true;
      SkipDeeper(cl.level);
    } else if (cl.tagCode == kTagXFrel || cl.tagCode == kTagXMrel) {
      const char letter = PedigreeLetter(cl.value);
      if (!letter)
        Error(cl.position,
              Format(cl.tagCode == kTagXFrel ? "Unknown child-to-father relationship '%s'."
                                             : "Unknown child-to-mother relationship '%s'.",
                     {cl.value}));
      else
        (cl.tagCode == kTagXFrel ? link.father : link.mother) = letter;
      relation = true;
      SkipDeeper(cl.level);
    } else if (cl.tagCode == kTagSlgc) {
      link.sealed = relation = true;
      (void)SealingOf(link);
      if (!cl.value.empty()) ParseSealingDate(cl, SealingOf(link));
      while (const CGedcomLine* d = reader_.NextAtLevel(3, true)) {
        const CGedcomLine dl = *d;
        if (dl.tagCode == kTagDate || dl.tagCode == kTagStat) {
          ParseSealingDate(dl, SealingOf(link));
          SkipDeeper(dl.level);
        } else if (dl.tagCode == kTagTemp) {
          SealingOf(link).templeCode = dl.value;
          SkipDeeper(dl.level);
        } else {
          ReportUnexpected(dl, "Child-to-Family sealing with Family Record", &pending);
        }
      }
    } else {
      ReportUnexpected(cl, "Family Child Record", &pending);
    }
  }
  return relation;
}

// A CHIL line: the child joins the family, and what its lines say of the
// relationship and the sealing goes to the child's link to the family.
void CGedcomImporter::ReadFamilyChild(const CGedcomLine& sub, std::int32_t mrin, Xref& family,
                                      Pending& pending) {
  std::int32_t child = -1;
  if (sub.pointer) child = ResolveXref(db::kIndividual, sub.value, sub.position, false);
  if (child <= 0) {
    if (!sub.pointer) Error(sub.position, "'CHIL' line is missing its pointer.");
    SkipDeeper(1);
    return;
  }
  family.children.push_back(child);
  FamcLink link;
  link.family = mrin;
  if (!ReadChildLinkDetails(link, pending)) return;
  Xref& person = *Entry(sub.value);
  bool found = false;
  for (auto& p : person.parentFamilies)
    if (p.family == mrin) {
      if (link.father != 'b' || link.mother != 'b') {
        p.father = link.father;
        p.mother = link.mother;
      }
      if (link.sealed) {
        p.sealed = true;
        p.sealing = link.sealing;
      }
      found = true;
    }
  if (!found) person.parentFamilies.push_back(link);
}

// A family event other than the first marriage; a DIV line with lines
// under it is one too, and marks the marriage divorced.
void CGedcomImporter::ReadFamilyEvent(const CGedcomLine& sub, CMarriageRecord& record,
                                      Pending& pending) {
  const TagCode tag = sub.tagCode;
  if (tag == kTagDiv) {
    reader_.PushBack();  // the level-2 line the caller's test read
    record.status = 'D';
  }
  EventRead event;
  event.tag = tag == kTagEven ? "EVEN" : sub.tag;
  event.description = sub.value;
  event.position = sub.position;
  ReadEventDetail(sub, db::kOwnerMarriage, tag == kTagMarr ? 4 : 0, event, pending);
  SetEventType(sub, db::kOwnerMarriage, event);
  pending.userEvents.push_back(std::move(event));
}

void CGedcomImporter::ReadFamily(const CGedcomLine& line) {
  const std::int32_t mrin = DefineRecord(db::kMarriage, line);
  if (mrin < 0) return;
  const std::string key = line.xref.empty() ? xrefOrder_.back() : line.xref;
  Xref& family = xrefs_[key];  // entries stay where they are while others are added
  CMarriageRecord record;
  if (!ReadBack(mrin, db::kMarriage, &record, line, "family")) return;
  Pending pending(db::kOwnerMarriage, mrin, line.xref);
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    const TagCode tag = sub.tagCode;
    if (tag == kTagHusb || tag == kTagWife) {
      const bool husband = tag == kTagHusb;
      std::int32_t rin = -1;
      if (sub.pointer)
        rin = ResolveXref(db::kIndividual, sub.value, sub.position, false);
      else
        Error(sub.position, Format("'%s' line is missing its pointer.", {sub.tag}));
      // One person cannot be both spouses of a marriage, and a marriage has
      // one husband and one wife: the first line of a role is kept, a later
      // one is refused before it sets a sex or a spouse link.
      const std::int32_t kept = husband ? family.husband : family.wife;
      if (rin > 0 && rin == (husband ? family.wife : family.husband)) {
        Error(sub.position,
              Format("'%s' is already the %s in this family; the %s line is not kept.",
                     {sub.value, husband ? "wife" : "husband", sub.tag}));
      } else if (rin > 0 && kept > 0 && rin != kept) {
        Error(sub.position,
              Format("This family already has a %s; the %s line for '%s' is not kept.",
                     {husband ? "husband" : "wife", sub.tag, sub.value}));
      } else if (rin > 0) {
        Xref& person = *Entry(sub.value);
        const char role = husband ? 'M' : 'F';
        if (person.sex == 0) {
          person.sex = role;
          person.sexFromRole = true;
          CIndividualRecord ind;
          if (DbGetRecord(rin, db::kIndividual, &ind) == 1 && ind.sex != role) {
            ind.sex = role;
            // A failed write makes the import incomplete (counted by the file).
            (void)DbUpdateRecord(rin, db::kIndividual, &ind);
          }
        } else if (person.sex != role) {
          RoleSexError(sub.position, person.sex, sub.value, husband);
        }
        Xref& fam = family;
        (husband ? fam.husband : fam.wife) = rin;
      }
      SkipDeeper(1);
    } else if (tag == kTagChil) {
      ReadFamilyChild(sub, mrin, family, pending);
    } else if (tag == kTagMarr && IsOpenSlot(record.marriage)) {
      EventRead event;
      event.tag = sub.tag;
      ReadEventDetail(sub, db::kOwnerMarriage, 4, event, pending);
      CountSlotTexts(sub, event);
      record.marriage = event.value;
      for (auto& c : event.citations) {
        c.record.ownerLetter = db::kOwnerMarriageEvent;
        pending.citations.push_back(std::move(c));
      }
    } else if (tag == kTagDiv && !reader_.NextAtLevel(2, false)) {
      record.status = EqualNoCase(Trim(sub.value), "N") ? 'M' : 'D';
    } else if (IsFamilyEvent(tag)) {
      ReadFamilyEvent(sub, record, pending);
    } else if (tag == kTagSlgs) {
      ReadOrdinance(sub, record.sealingToSpouse, db::kOwnerSealingToSpouse, 3, "ZEL Spouse Sealing",
                    pending, nullptr);
    } else if (tag == kTagNchi) {
      record.childCount = static_cast<std::int16_t>(std::atoi(sub.value.c_str()));
      SkipDeeper(1);
    } else if (tag == kTagXStat) {
      if (EqualNoCase(sub.value, "Married"))
        record.status = 'M';
      else if (EqualNoCase(sub.value, "Not_Married"))
        record.status = 'N';
      else
        Error(sub.position, Format("Unknown Marriage Status '%s'", {sub.value}));
      SkipDeeper(1);
    } else if (tag == kTagSour) {
      ReadCitation(sub, db::kOwnerMarriage, pending.citations, pending);
    } else if (tag == kTagNote) {
      ReadNoteStructure(sub, pending);
    } else if (tag == kTagObje) {
      pending.media.emplace_back();
      ReadMultimedia(sub, pending.media.back(), pending);
    } else if (tag == kTagResn) {
      SkipDeeper(1);
    } else {
      ReportUnexpected(sub, "Family Record", &pending);
    }
  }
  UpdateRecord(mrin, db::kMarriage, &record, line, "family");
  StorePending(pending);
}

void CGedcomImporter::ParseSealingDate(const CGedcomLine& line, COrdinanceValue& sealing) {
  CDateValue date;
  if (date.ParseText(line.value, false, true) != CDateValue::kParseStandard) {
    Warning(line.position, Format("Invalid SLGC date '%s'", {line.value}));
    return;
  }
  sealing.date = date;
}

void CGedcomImporter::RoleSexError(const LinePosition& pos, char sex, const std::string& xref,
                                   bool husband) {
  const char* role = husband ? "husband" : "wife";
  if (sex == 'U')
    Error(pos, Format("An individual of unknown sex (%s) has been defined as the %s in a family.",
                      {xref, role}));
  else
    Error(pos, Format("A %s individual (%s) has been defined as the %s in a family.",
                      {sex == 'M' ? "male" : "female", xref, role}));
}

}  // namespace gedcom
