// The structures of the GEDCOM import that every record kind shares: dates,
// notes and NOTE records, temple codes, custom event types and their
// definitions, event details, ordinances, change dates and multimedia links.

#include "GedcomImporter.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "GedcomImportSupport.h"
#include "IndividualRecord.h"
#include "MediaPlayer.h"
#include "MultimediaChain.h"
#include "TempleTable.h"
#include "TimeStamp.h"

namespace gedcom {

using namespace importing;

namespace {

// The item kind of a linked file: a clip by the file name's extension, or by
// FORM when the name has no clip extension; anything else is a photo.
char KindOfMediaFile(const std::string& file, const std::string& form) {
  plat::MediaKind clip = plat::MediaKindOf(file);
  if (clip == plat::kMediaNone && !form.empty()) clip = plat::MediaKindOf("." + form);
  switch (clip) {
    case plat::kMediaWave:
    case plat::kMediaMidi:
      return CMultimediaItem::kSound;
    case plat::kMediaVideo:
    case plat::kMediaMpeg:
    case plat::kMediaMovie:
      return CMultimediaItem::kVideo;
    default:
      return CMultimediaItem::kPhoto;
  }
}

}  // namespace

void CGedcomImporter::ReadDate(const CGedcomLine& line, CDateValue& date, int dateKind,
                               Pending& pending, std::vector<PendingCitation>* citations) {
  if (!line.value.empty() && !line.pointer) {
    std::string text = line.value;
    // Counted as a person counts: an accented letter is one character.
    if (CharacterCount(text) >= kMaxDateLength) {
      text = FirstCharacters(text, kMaxDateLength);
      Warning(line.position, "Date too long: Truncating to 50 characters.\n\n\t" +
                                 std::to_string(line.level) + " " + line.tag + " " + text +
                                 "...");
    }
    if (dateKind > 0)
      date.ParseForCategory(text, dateKind, false, true);
    else
      date.Parse(text, false, true);
  }
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagTime)
      SkipDeeper(sub.level);
    else if (citations && sub.tagCode == kTagSour)
      ReadCitation(sub, 0, *citations, pending);
    else if (citations && sub.tagCode == kTagNote)
      ReadNoteStructure(sub, pending);
    else
      ReportUnexpected(sub, citations ? "Event Date Structure" : "Date Structure", &pending);
  }
}

void CGedcomImporter::ReadNoteStructure(const CGedcomLine& line, Pending& pending) {
  if (!options_.importNotes) {
    if (!notesSkippedSaid_)
      Warning({}, "Notes are not imported (\"Import notes\" is off); every note is skipped.");
    notesSkippedSaid_ = true;
    SkipDeeper(line.level);
    return;
  }
  if (line.pointer) {
    noteLinks_.push_back(
        {pending.ownerKind, pending.owner, pending.xref, line.value, line.position});
    SkipDeeper(line.level);
    return;
  }
  AddParagraph(pending.notes, line.value);
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    ReportUnexpected(sub, "Note Structure", &pending);
  }
}

void CGedcomImporter::ReadNoteRecord(const CGedcomLine& line) {
  if (!options_.importNotes) {
    Pending none;
    ReadNoteStructure(line, none);
    return;
  }
  std::string text;
  AddParagraph(text, line.value);
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    Pending none;
    ReportUnexpected(sub, "Note Structure", &none);
  }
  if (line.xref.empty()) {
    Error(line.position, "A NOTE record without an identifier cannot be referred to.");
    return;
  }
  if (Xref* e = Entry(line.xref)) {
    if (e->type != kNoteType) {
      Error(line.position,
            Format("The XrefId '@%s@' is already in use for something other than a note",
                   {line.xref}));
      return;
    }
  } else {
    Xref& n = xrefs_[line.xref];
    n.type = kNoteType;
    n.defined = true;
    n.position = line.position;
    xrefOrder_.push_back(line.xref);
    ++made_[kNotes];
  }
  AddParagraph(noteTexts_[line.xref], text.empty() ? std::string(" ") : text);
}

std::string CGedcomImporter::CheckTempleCode(const CGedcomLine& line, const char* context) {
  std::string code = Trim(line.value);
  const std::size_t cut = code.find_first_of(" \t-/");
  if (cut != std::string::npos) code.resize(cut);
  code = Upper(code);
  if (TempleTable().Lookup(code) || TempleTable().FindShortCode(code)) return code;
  Warning(line.position, Format("Unknown temple code '%s' used in %s.\n\n\t%s",
                                {line.value, context,
                                 std::to_string(line.level) + " " + line.tag + " " + line.value}));
  return line.value;
}

std::int32_t CGedcomImporter::FindOrAddEventType(char kind, const std::string& tag,
                                                 const LinePosition& pos, bool standardTag) {
  (void)pos;
  auto& map = eventTypes_[kind == db::kOwnerMarriage ? 1 : 0];
  const std::string key = Upper(tag);
  if (const auto it = map.find(key); it != map.end()) return it->second;
  CEventTypeRecord type;
  type.SetTitle(tag);
  type.ownerKind = kind;
  type.hasDescription = 1;
  if (standardTag) {
    type.SetTag(key);
    type.hasTag = 1;
  }
  const std::int32_t rin = DbAddRecord(db::kEventType, options_.reuseDeletedRecords, &type);
  if (rin <= 0) {
    Error(pos, Format("Can't add the event type '%s'.", {tag}));
    return 0;
  }
  map[key] = rin;
  addedEventTypes_.insert(rin);
  Warning({}, Format("Custom event '%s' added; edit this event to add missing fields.", {tag}));
  return rin;
}

void CGedcomImporter::ReadEventDefinition(const CGedcomLine& line) {
  CEventTypeRecord def;
  char kind = db::kOwnerIndividual;
  bool dateKind = false, desc = false;
  while (const CGedcomLine* l = reader_.NextAtLevel(1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagAbbr:
        def.abbreviation = sub.value;
        SkipDeeper(1);
        break;
      case kTagTitl:
        def.title = sub.value;
        while (const CGedcomLine* a = reader_.NextAtLevel(2, true)) {
          const CGedcomLine al = *a;
          Pending none;
          if (al.tagCode == kTagAbbr)
            def.shortTitle = al.value;
          else
            ReportUnexpected(al, "Event Type Record", &none);
        }
        break;
      case kTagType:
        if (!sub.value.empty()) kind = sub.value[0];
        SkipDeeper(1);
        break;
      case kTagXDateType:
        def.dateKind = static_cast<std::uint8_t>(std::atoi(sub.value.c_str()));
        dateKind = true;
        SkipDeeper(1);
        break;
      case kTagXDescFlag:
        def.hasDescription = static_cast<std::uint8_t>(std::atoi(sub.value.c_str()));
        desc = true;
        SkipDeeper(1);
        break;
      case kTagXPrep:
        def.placePreposition = sub.value;
        SkipDeeper(1);
        break;
      case kTagXShortTitle:
        def.shortTitle = sub.value;
        SkipDeeper(1);
        break;
      case kTagXVerb:
        def.verbPhrase = sub.value;
        SkipDeeper(1);
        break;
      default: {
        Pending none;
        ReportUnexpected(sub, "Event Type Record", &none);
      }
    }
  }
  if (line.value.empty()) return;
  // A type met in an event earlier in this file is new in this import too.
  const std::int32_t rin = FindOrAddEventType(kind, line.value, line.position);
  if (rin <= 0 || !addedEventTypes_.contains(rin)) return;
  CEventTypeRecord stored;
  if (DbGetRecord(rin, db::kEventType, &stored) != 1) return;
  if (!def.title.empty()) stored.title = def.title;
  stored.abbreviation = def.abbreviation;
  // The export writes the title as the short title of a type that has none.
  stored.shortTitle = def.shortTitle == stored.title ? std::string() : def.shortTitle;
  stored.placePreposition = def.placePreposition;
  stored.verbPhrase = def.verbPhrase;
  // The definition leaves out a number of 0.
  stored.dateKind = dateKind ? def.dateKind : 0;
  stored.hasDescription = desc ? def.hasDescription : 0;
  // A failed write makes the import incomplete (counted by the file).
  if (DbUpdateRecord(rin, db::kEventType, &stored) != 1) return;
  // The short fields hold a few characters: what they cut is told.
  CEventTypeRecord kept;
  if (DbGetRecord(rin, db::kEventType, &kept) != 1) return;
  const struct {
    const char* name;
    const std::string &wanted, &kept;
  } fields[] = {{"short title", stored.shortTitle, kept.shortTitle},
                {"abbreviation", stored.abbreviation, kept.abbreviation}};
  for (const auto& f : fields)
    if (f.kept != f.wanted)
      Warning(line.position, Format("The %s '%s' of the event type '%s' is cut to '%s'.",
                                    {f.name, f.wanted, stored.title, f.kept}));
}

void CGedcomImporter::ReadEventDetail(const CGedcomLine& line, char kind, int dateKind,
                                      EventRead& event, Pending& pending) {
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagDate:
        ReadDate(sub, event.value.date, dateKind, pending, &event.citations);
        break;
      case kTagPlac: {
        std::string place = sub.value;
        if (CharacterCount(place) > kMaxPlaceLength) {
          Warning(sub.position, Format("Place too long: '%s'.", {place}));
          place = FirstCharacters(place, kMaxPlaceLength);
        }
        SplitPlaceParts(place, event.value.place);
        while (const CGedcomLine* p = reader_.NextAtLevel(sub.level + 1, true)) {
          const CGedcomLine pl = *p;
          if (pl.tagCode == kTagNote)
            ReadNoteStructure(pl, pending);
          else if (pl.tagCode == kTagSour)
            ReadCitation(pl, 0, event.citations, pending);
          else
            ReportUnexpected(pl, "Event Place Structure", &pending);
        }
        break;
      }
      case kTagCaus:
        event.cause = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagType:
        // Under EVEN the type names the event; under a tag of its own it
        // describes it.
        if (!sub.value.empty()) {
          if (event.tag == "EVEN") {
            event.eventType = FindOrAddEventType(kind, sub.value, sub.position);
            event.typeGiven = true;
          } else {
            event.typeText = sub.value;
            if (event.description.empty()) event.description = sub.value;
          }
        }
        SkipDeeper(sub.level);
        break;
      case kTagXConfidential:
        if (IsYes(sub.value)) event.confidential = 'Y';
        SkipDeeper(sub.level);
        break;
      case kTagXAltBirth:
        event.alternateBirth = IsYes(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagXDate2:
        ReadDate(sub, event.secondDate, 0, pending);
        break;
      case kTagSour:
        ReadCitation(sub, 0, event.citations, pending);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagAddr:
        NotKept("ADDR of an event", &sub, &pending);
        break;
      case kTagPhon:
        NotKept("PHON of an event", &sub, &pending);
        break;
      case kTagObje:
        NotKept("OBJE of an event", &sub, &pending);
        break;
      case kTagAge:
      case kTagAgnc:
        // Kept in the notes of the owner: the family file has no field for them.
        AddParagraph(pending.notes, sub.tag + " " + sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagHusb:
      case kTagWife:
        if (kind != db::kOwnerMarriage) {
          ReportUnexpected(sub, "Event Detail Structure", &pending);
          break;
        }
        // A spouse's age at a family event, kept in the notes as the age of
        // an individual's event is.
        while (const CGedcomLine* a = reader_.NextAtLevel(sub.level + 1, true)) {
          const CGedcomLine age = *a;
          if (age.tagCode == kTagAge) {
            AddParagraph(pending.notes, sub.tag + " " + age.tag + " " + age.value);
            SkipDeeper(age.level);
          } else {
            ReportUnexpected(age, "Event Detail Structure", &pending);
          }
        }
        break;
      default:
        ReportUnexpected(sub, "Event Detail Structure", &pending);
    }
  }
  // The line states that the event happened, also when nothing under it
  // says when or where ("1 MARR Y", a bare "1 BURI"): the family file keeps
  // the mark with the event.
  if (!event.value.date.IsSet() && CEventValue::IsPlaceEmpty(&event.value))
    event.value.MarkHappened();
}

void CGedcomImporter::CountSlotTexts(const CGedcomLine& line, const EventRead& event) {
  const std::string value = Trim(line.pointer ? "@" + line.value + "@" : line.value);
  if (!value.empty() && !IsYes(value)) NotKept("text of a " + line.tag + " line");
  if (!event.typeText.empty()) NotKept("TYPE of a " + line.tag + " line");
}

void CGedcomImporter::ReadOrdinance(const CGedcomLine& line, COrdinanceValue& value,
                                    char citationKind, int dateKind, const char* context,
                                    Pending& pending, CIndividualRecord* baptized) {
  if ((header_.quirkFlags == 0x4) && !line.value.empty()) {
    value.date.ParseForCategory(CutAtCharacter(line.value, 40) + " ", dateKind, false, true);
    return;
  }
  std::vector<PendingCitation> citations;
  ordinanceFamily_ = 0;
  const int level = line.level;
  while (const CGedcomLine* l = reader_.NextAtLevel(level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagDate:
        ReadDate(sub, value.date, dateKind, pending);
        break;
      case kTagStat: {
        std::string text = sub.value;
        const bool live = EqualNoCase(Trim(text), "LIVE");
        while (const CGedcomLine* d = reader_.NextAtLevel(sub.level + 1, true)) {
          const CGedcomLine date = *d;
          if (date.tagCode == kTagDate) {
            text += " " + date.value;
            SkipDeeper(date.level);
          } else {
            ReportUnexpected(date, context, &pending);
          }
        }
        if (live) {
          if (baptized) baptized->flags |= 1;
        } else {
          text = CutAtCharacter(text, 40);
          value.date.ParseForCategory(text, dateKind, false, true);
        }
        break;
      }
      case kTagTemp:
      case kTagPlac: {
        // A source system with quirk 0x20 writes short temple codes as PLAC.
        const bool templePlace = header_.quirkFlags == 0x20 && sub.value.size() <= 5;
        if (EqualNoCase(Trim(sub.value), "LIVE")) {
          if (baptized) baptized->flags |= 1;
        } else if (sub.tagCode == kTagPlac && baptized && !templePlace) {
          baptized->flags |= 1;
          SplitPlaceParts(sub.value, baptized->fifthEvent.place);
        } else {
          value.templeCode = CheckTempleCode(sub, context);
        }
        SkipDeeper(sub.level);
        break;
      }
      case kTagFamc:
        if (sub.pointer)
          ordinanceFamily_ =
              std::max(0, ResolveXref(db::kMarriage, sub.value, sub.position, false));
        SkipDeeper(sub.level);
        break;
      case kTagNote:
        ReadNoteStructure(sub, pending);
        break;
      case kTagSour:
        ReadCitation(sub, citationKind, citations, pending);
        break;
      default:
        ReportUnexpected(sub, context, &pending);
    }
  }
  for (auto& c : citations) {
    if (citationKind == db::kOwnerSealingToParents) {
      // A sealing to parents is cited through its family link, which is made
      // only when the families are linked: the citation goes to the
      // individual itself, with a warning, rather than being lost.
      Warning(c.position,
              "A citation of a sealing to parents is kept as a citation of the individual.");
      c.record.ownerLetter = db::kOwnerIndividual;
    }
    pending.citations.push_back(std::move(c));
  }
}

std::int32_t CGedcomImporter::ReadChangeDate(const CGedcomLine& line, Pending& pending) {
  std::int32_t stamp = 0;
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    if (sub.tagCode == kTagDate) {
      CDateValue date;
      date.Parse(sub.value, false, true);
      int hours = 0, minutes = 0, seconds = 0;
      while (const CGedcomLine* t = reader_.NextAtLevel(sub.level + 1, true)) {
        const CGedcomLine time = *t;
        if (time.tagCode == kTagTime)
          std::sscanf(time.value.c_str(), "%d:%d:%d", &hours, &minutes, &seconds);
        else
          ReportUnexpected(time, "Date Structure", &pending);
        SkipDeeper(time.level);
      }
      if (date.year != 0 && date.month >= 1 && date.month <= 12 && date.day != 0 &&
          !date.textOnly && date.qualifier == 0) {
        const std::time_t midnight = date.ToTime();
        const bool timeOk = hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 &&
                            seconds >= 0 && seconds < 60;
        if (midnight > 0)
          stamp = TimeToStamp(midnight + (timeOk ? hours * 3600 + minutes * 60 + seconds : 0));
      }
    } else if (sub.tagCode == kTagNote) {
      ReadNoteStructure(sub, pending);
    } else {
      ReportUnexpected(sub, "Change Date Structure", &pending);
    }
  }
  return stamp;
}

void CGedcomImporter::ReadMultimedia(const CGedcomLine& line, PendingMedia& media,
                                     Pending& pending) {
  media.position = line.position;
  if (line.pointer) {
    media.object = line.value;
    SkipDeeper(line.level);
    return;
  }
  auto flag = [](const std::string& v) { return v.empty() || (v[0] != 'N' && v[0] != 'n'); };
  while (const CGedcomLine* l = reader_.NextAtLevel(line.level + 1, true)) {
    const CGedcomLine sub = *l;
    switch (sub.tagCode) {
      case kTagFile:
        media.file = sub.value;
        // The FORM and TITL that newer files put under FILE.
        while (const CGedcomLine* f = reader_.NextAtLevel(sub.level + 1, true)) {
          const CGedcomLine fl = *f;
          if (fl.tagCode == kTagTitl)
            media.title = fl.value;
          else if (fl.tagCode == kTagForm)
            media.form = fl.value;
          else
            ReportUnexpected(fl, "Multimedia Object", &pending);
          SkipDeeper(fl.level);
        }
        break;
      case kTagTitl:
        media.title = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagNote:
        AddParagraph(media.note, sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagForm:
        media.form = sub.value;
        SkipDeeper(sub.level);
        break;
      case kTagXPrim:
        media.primary = flag(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagXScbk:
        media.scrapbook = flag(sub.value);
        SkipDeeper(sub.level);
        break;
      case kTagXType:
        media.typed = true;
        if (EqualNoCase(sub.value, "PHOTO"))
          media.kind = 'P';
        else if (EqualNoCase(sub.value, "SOUND"))
          media.kind = 'S';
        else if (EqualNoCase(sub.value, "VIDEO"))
          media.kind = 'V';
        else {
          media.typed = false;
          ReportUnexpected(sub, "Multimedia Object Type", &pending);
        }
        SkipDeeper(sub.level);
        break;
      default:
        ReportUnexpected(sub, "Multimedia Object", &pending);
    }
  }
  // Without a stated type the file says what the item is, so that a sound or
  // video clip is played rather than shown as a picture.
  if (!media.typed) media.kind = KindOfMediaFile(media.file, media.form);
}

void CGedcomImporter::ReadMultimediaRecord(const CGedcomLine& line) {
  PendingMedia media;
  Pending none;
  ReadMultimedia(CGedcomLine{0, "", line.tag, line.tagCode, "", false, line.position}, media, none);
  if (line.xref.empty()) {
    Warning(line.position, "An OBJE record without an identifier cannot be referred to.");
    return;
  }
  if (mediaObjects_.count(line.xref))
    Error(line.position, Format("%s is multiply defined at %s and %s.",
                                {line.xref, Position(mediaObjects_[line.xref].position),
                                 Position(line.position)}));
  mediaObjects_[line.xref] = media;
}

void CGedcomImporter::LinkMultimedia() {
  for (MediaOwner& owner : mediaOwners_) {
    std::unique_ptr<CMultimediaItem> head;
    CMultimediaItem* tail = nullptr;
    for (PendingMedia& m : owner.media) {
      PendingMedia media = m;
      if (!m.object.empty()) {
        const auto it = mediaObjects_.find(m.object);
        if (it == mediaObjects_.end()) {
          Error(m.position, Format("The multimedia object '%s' was not defined.", {m.object}));
          continue;
        }
        media = it->second;
        media.position = m.position;
      }
      if (media.file.empty()) {
        Warning(media.position,
                Format("A multimedia link of '%s' has no FILE and is skipped.", {owner.xref}));
        continue;
      }
      auto item = std::make_unique<CMultimediaItem>();
      item->fileName = media.file;
      item->caption = media.title;
      item->description = media.note;
      item->kind = media.kind;
      if (media.scrapbook) item->flags |= CMultimediaItem::kFlagScrapbook;
      if (media.primary) item->flags |= CMultimediaItem::kFlagDefault;
      CMultimediaItem* raw = item.get();
      if (tail)
        tail->next = std::move(item);
      else
        head = std::move(item);
      tail = raw;
    }
    if (!head) continue;
    if (DbSaveMultimediaChain(owner.rin, head.get(), owner.type) != 1)
      Error({}, Format("Can't store the multimedia links of '%s'.", {owner.xref}));
  }
}

}  // namespace gedcom
