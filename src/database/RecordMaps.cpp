#include "RecordMaps.h"

#include <algorithm>

#include "Ansel.h"
#include "Clock.h"
#include "ContactRecord.h"
#include "CustomEventTable.h"
#include "DateValue.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "EventValue.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaItem.h"
#include "OrdinanceObject.h"
#include "PlaceEventObject.h"
#include "RepositoryRecord.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"

namespace orv::maps {

namespace {

// Points a reference at text unless it already names an equal text.
void PutRef(ORV3& e, const std::string& text, int kind, std::int32_t& ref) {
  e.Strings().SetTextReference(text, kind, ref);
}

}  // namespace

// ---- dates, events, ordinances ------------------------------------------

void LoadDate(ORV3& e, const PackedDate& in, CDateValue& out) {
  out = CDateValue();
  UnpackDate(in.bytes.data(), out, [&e](std::int32_t ref) { return e.Strings().GetText(ref); });
}

PackedDate StoreDate(ORV3& e, const CDateValue& in) {
  PackedDate out;
  std::int32_t ref = 0;
  if (in.textOnly) ref = e.Strings().FindOrAddString(in.text, kKindDateText);
  PackDate(in, ref, out.bytes.data());
  return out;
}

void LoadEvent(ORV3& e, const PackedEvent& in, CEventValue& out, bool places) {
  out.Clear();
  LoadDate(e, in.date, out.date);
  if (places)
    for (int i = 0; i < 4; ++i) out.place[i] = e.Strings().GetText(in.place[i]);
  out.firstCitation = in.firstCitation;
  out.secondNumber = in.secondValue;
}

void StoreEvent(ORV3& e, const CEventValue& in, PackedEvent& out) {
  out.date = StoreDate(e, in.date);
  for (int i = 0; i < 4; ++i) PutRef(e, in.place[i], kKindPlace, out.place[i]);
  out.firstCitation = in.firstCitation;
  out.secondValue = in.secondNumber;
}

void LoadOrdinance(ORV3& e, const PackedOrdinance& in, COrdinanceValue& out, char kind,
                   bool temple) {
  out.Clear();
  LoadDate(e, in.date, out.date);
  if (temple) out.templeCode = e.Strings().GetText(in.templeCode);
  out.kind = kind;
  out.firstCitation = in.firstCitation;
  out.secondNumber = in.secondValue;
}

void StoreOrdinance(ORV3& e, const COrdinanceValue& in, PackedOrdinance& out) {
  out.date = StoreDate(e, in.date);
  PutRef(e, in.templeCode, kKindTemple, out.templeCode);
  out.firstCitation = in.firstCitation;
  out.secondValue = in.secondNumber;
}

// ---- individual ---------------------------------------------------------
// numbers[]: 0 RIN, 1 parents' marriage, 2 first marriage, 3 first citation,
// 4 creation stamp, 5 first parent link, 6 first note block, 7 last update,
// 8 first user event, 9 christening label, 10 contact, 11 first multimedia.
// trailing[0], [1]: the values at 262 and 266. texts1: the 10- and
// 12-character texts (270, 281). Extension texts: name extensions 1 and 2
// and the title (kind 0), texts2 (kinds 7, 0, 7), the fifth event's place
// (kind 2, the four optional texts) and linkText (the relationship
// indicator, kind 4).

void LoadIndividual(ORV3& e, std::int32_t rin, const IndividualRec& in, const IndividualExtRec& ext,
                    CIndividualRecord& out, const IndividualReadPlan& plan) {
  out.Clear();
  out.numbers[CIndividualRecord::kRin] = rin;
  out.numbers[2] = in.firstMarriage;
  out.numbers[3] = in.firstCitation;
  out.numbers[CIndividualRecord::kCreatedStamp] = in.created;
  out.numbers[CIndividualRecord::kParentLink] = in.firstParentLink;
  out.numbers[CIndividualRecord::kFirstNote] = in.firstNote;
  out.numbers[CIndividualRecord::kUpdatedStamp] = in.updated;
  out.numbers[8] = ext.firstUserEvent;
  out.numbers[CIndividualRecord::kChristeningType] = ext.christeningLabel;
  out.numbers[10] = ext.contact;
  out.numbers[11] = ext.firstMultimediaLink;
  out.trailing[0] = in.value262;
  out.trailing[1] = in.value266;
  // Lower-case letters, which older files hold, count as their capitals.
  out.sex = SexLetterOf(in.sex);
  out.flags = ext.citedUserEvents != 0 || ext.citedParentLinks != 0 ? 1 : 0;
  out.texts1[0] = TextOf(in.text270);
  out.texts1[1] = TextOf(in.sbn);

  if (plan.names) {
    out.surname = e.Strings().GetText(in.names[0]);
    for (int i = 0; i < 3; ++i) out.givenNames[i] = e.Strings().GetText(in.names[1 + i]);
    out.suffix = e.Strings().GetText(in.names[4]);
    out.nameExtensions[0] = e.Strings().GetText(ext.textRefs[0]);
    out.nameExtensions[1] = e.Strings().GetText(ext.textRefs[1]);
    out.title = e.Strings().GetText(ext.textRefs[2]);
    for (int i = 0; i < 3; ++i) out.texts2[i] = e.Strings().GetText(ext.textRefs[3 + i]);
    out.linkText = e.Strings().GetText(ext.relationshipText);
    if (ext.hasFourTexts)
      for (int i = 0; i < 4; ++i) out.fifthEvent.place[i] = e.Strings().GetText(ext.fourTexts[i]);
    if (ext.contact > 0) {
      ContactRec contact;
      if (e.Records().IsLive(RecordKind::Contact, ext.contact) == 1 &&
          e.Records().Read(ext.contact, contact))
        for (int i = 0; i < CIndividualRecord::kContactFieldCount; ++i)
          out.contact[i] = e.Strings().GetText(contact.texts[i]);
    }
  }
  LoadEvent(e, in.birth, out.birth, plan.birthChristeningPlaces);
  LoadEvent(e, in.christening, out.christening, plan.birthChristeningPlaces);
  LoadEvent(e, in.death, out.death, plan.deathBurialPlaces);
  LoadEvent(e, in.burial, out.burial, plan.deathBurialPlaces);
  LoadOrdinance(e, in.baptism, out.baptism, 'B', plan.fullOrdinances);
  LoadOrdinance(e, in.endowment, out.endowment, 'E', plan.fullOrdinances);
  out.sealingToParents.kind = 'P';
  if (plan.parentsFromLink && in.firstParentLink > 0) {
    FamilyLinkRec link;
    if (e.Records().IsLive(RecordKind::FamilyLink, in.firstParentLink) == 1 &&
        e.Records().Read(in.firstParentLink, link)) {
      out.numbers[CIndividualRecord::kParentsMrin] = link.marriage;
      LoadOrdinance(e, link.sealing, out.sealingToParents, 'P', plan.fullOrdinances);
    }
  }
  if (plan.relationCounts) {
    out.marriageCount =
        static_cast<std::int16_t>(e.Families().GetRelationCount(rin, db::kRelSpouses, true));
    out.parentFamilyCount =
        static_cast<std::int16_t>(e.Families().GetRelationCount(rin, db::kRelFather, true));
  }
}

bool StoreIndividual(ORV3& e, const CIndividualRecord& in, IndividualRec& out) {
  bool keyChanged = false;
  keyChanged |= e.Strings().SetTextReference(in.surname, kKindName, out.names[0]) != 0;
  for (int i = 0; i < 3; ++i)
    keyChanged |= e.Strings().SetTextReference(in.givenNames[i], kKindName, out.names[1 + i]) != 0;
  PutRef(e, in.suffix, kKindName, out.names[4]);
  out.sex = static_cast<std::uint8_t>(SexLetterOf(static_cast<std::uint8_t>(in.sex)));
  StoreEvent(e, in.birth, out.birth);
  StoreEvent(e, in.christening, out.christening);
  StoreEvent(e, in.death, out.death);
  StoreEvent(e, in.burial, out.burial);
  StoreOrdinance(e, in.baptism, out.baptism);
  StoreOrdinance(e, in.endowment, out.endowment);
  // First marriage, parent link, notes, citations and tree links belong to
  // the relation, notes and tree calls: kept as stored.
  out.updated = TimeToStamp(plat::Now());
  if (in.numbers[CIndividualRecord::kCreatedStamp] != 0)
    out.created = in.numbers[CIndividualRecord::kCreatedStamp];
  if (out.created == 0) out.created = out.updated;
  out.value262 = in.trailing[0];
  out.value266 = in.trailing[1];
  PutText(out.text270, in.texts1[0]);
  PutText(out.sbn, in.texts1[1]);
  return keyChanged;
}

void StoreIndividualExt(ORV3& e, const CIndividualRecord& in, IndividualExtRec& out) {
  out.christeningLabel = in.numbers[CIndividualRecord::kChristeningType];
  PutRef(e, in.nameExtensions[0], kKindName, out.textRefs[0]);
  PutRef(e, in.nameExtensions[1], kKindName, out.textRefs[1]);
  PutRef(e, in.title, kKindName, out.textRefs[2]);
  PutRef(e, in.texts2[0], kKindOther7, out.textRefs[3]);
  PutRef(e, in.texts2[1], kKindName, out.textRefs[4]);
  PutRef(e, in.texts2[2], kKindOther7, out.textRefs[5]);
  const bool four = std::any_of(std::begin(in.fifthEvent.place), std::end(in.fifthEvent.place),
                                [](const std::string& s) { return !s.empty(); });
  for (int i = 0; i < 4; ++i) PutRef(e, in.fifthEvent.place[i], kKindPlace, out.fourTexts[i]);
  out.hasFourTexts = four ? 1 : 0;
  PutRef(e, in.linkText, kKindOther, out.relationshipText);
}

// ---- marriage -----------------------------------------------------------
// numbers[]: 0 MRIN, 1 first child link, 2 first user event, 3 first note
// block, 4 first citation. value1: the first multimedia link.

void LoadMarriage(ORV3& e, std::int32_t mrin, const MarriageRec& in, CMarriageRecord& out) {
  out.Clear();
  out.numbers[CMarriageRecord::kMrin] = mrin;
  out.numbers[1] = in.firstChildLink;
  out.numbers[2] = in.firstUserEvent;
  out.numbers[3] = in.firstNote;
  out.numbers[4] = in.firstCitation;
  out.value1 = in.firstMultimedia;
  out.status = in.status == 'Y' ? 'D' : in.status == 'N' ? 'M' : 0;
  out.husband = in.husband;
  out.wife = in.wife;
  LoadEvent(e, in.marriage, out.marriage, true);
  LoadOrdinance(e, in.sealing, out.sealingToSpouse, 'S', true);
}

void StoreMarriage(ORV3& e, const CMarriageRecord& in, MarriageRec& out) {
  out.status = in.status == 'D' ? 'Y' : in.status == 'M' ? 'N' : 0;
  StoreEvent(e, in.marriage, out.marriage);
  StoreOrdinance(e, in.sealingToSpouse, out.sealing);
}

// ---- family link --------------------------------------------------------

void LoadFamilyLink(ORV3& e, std::int32_t link, const FamilyLinkRec& in, CFamilyLinkRecord& out) {
  out.Reset();
  out.firstParentRelation = static_cast<char>(in.relation);
  out.secondParentRelation = static_cast<char>(in.relation);
  out.mrin = in.marriage;
  out.nextInMarriage = in.nextInMarriage;
  out.nextInParents = in.nextInChild;
  out.child = in.child;
  out.linkNumber = link;
  COrdinanceValue sealing;
  LoadOrdinance(e, in.sealing, sealing, 'P', true);
  out.SetSealingEvent(std::make_unique<COrdinanceObject>(&sealing, 'S'));
}

void StoreFamilyLink(ORV3& e, const CFamilyLinkRecord& in, FamilyLinkRec& out) {
  // 'D' would read as a deleted record.
  out.relation = in.firstParentRelation != 0 && in.firstParentRelation != 'D'
                     ? static_cast<std::uint8_t>(in.firstParentRelation)
                     : 'b';
  if (const COrdinanceObject* s = in.GetSealingEvent()) {
    COrdinanceValue v;
    v.SetFromObject(*s);
    StoreOrdinance(e, v, out.sealing);
  }
}

// ---- user event ---------------------------------------------------------
// The chain links (next, previous) belong to the owner chains and are left
// as stored; the kind byte holds the yes/no letter. The object's two further
// numbers have no place in the record.

void LoadUserEvent(ORV3& e, std::int32_t r, const UserEventRec& in, CUserEventRecord& out) {
  out.Clear();
  out.recordNumber = r;
  out.eventTypeNumber = in.eventType;
  out.ownerNumber = in.owner;
  out.ownerKind = in.ownerKind ? static_cast<char>(in.ownerKind) : ' ';
  out.yesNo = static_cast<char>(in.kind);
  out.description = e.Strings().GetText(in.description);
  CEventValue event;
  LoadEvent(e, in.event, event, true);
  out.SetEvent(std::make_unique<CPlaceEventObject>(&event));
  LoadDate(e, in.secondDate, out.secondDate);
}

void StoreUserEvent(ORV3& e, const CUserEventRecord& in, UserEventRec& out) {
  out.eventType = in.eventTypeNumber;
  out.owner = in.ownerNumber;
  out.ownerKind = static_cast<std::uint8_t>(in.ownerKind == ' ' ? 0 : in.ownerKind);
  out.kind = static_cast<std::uint8_t>(in.yesNo);
  PutRef(e, in.description, kKindOther5, out.description);
  if (const CPlaceEventObject* ev = in.GetEvent()) {
    CEventValue v;
    v.SetFromObject(*ev);
    StoreEvent(e, v, out.event);
  }
  out.secondDate = StoreDate(e, in.secondDate);
}

// ---- event type ---------------------------------------------------------

void LoadEventType(ORV3& e, std::int32_t r, const EventTypeRec& in, CEventTypeRecord& out,
                   bool translate) {
  out.Clear();
  out.recordNumber = r;
  out.title = e.Strings().GetText(in.title);
  out.verbPhrase = e.Strings().GetText(in.verbPhrase);
  out.placePreposition = e.Strings().GetText(in.placePreposition);
  out.shortTitle = TextOf(in.shortTitle);
  out.abbreviation = TextOf(in.abbreviation);
  out.tag = TextOf(in.tag);
  out.dateKind = in.number1;
  out.hasDescription = in.number2;
  out.ownerKind = static_cast<char>(in.ownerLetter);
  out.hasTag = in.flag;
  if (!translate || out.tag.empty()) return;
  const CCustomEventTable& table = CustomEventTable();
  for (int i = 0; i < table.GetSize(); ++i) {
    const CEventTypeRecord* row = table.GetAt(i);
    if (row && row->tag == out.tag && row->dateKind == in.number1 &&
        row->hasDescription == in.number2 && row->ownerKind == static_cast<char>(in.ownerLetter)) {
      out.title = row->title;
      out.shortTitle = row->shortTitle;
      out.abbreviation = row->abbreviation;
      out.verbPhrase = row->verbPhrase;
      out.placePreposition = row->placePreposition;
      return;
    }
  }
}

bool StoreEventType(ORV3& e, const CEventTypeRecord& in, EventTypeRec& out) {
  const bool changed = e.Strings().SetTextReference(in.title, kKindOther, out.title) != 0;
  PutRef(e, in.verbPhrase, kKindOther, out.verbPhrase);
  PutRef(e, in.placePreposition, kKindOther, out.placePreposition);
  PutText(out.shortTitle, in.shortTitle);
  PutText(out.abbreviation, in.abbreviation);
  PutText(out.tag, in.tag);
  out.number1 = in.dateKind;
  out.number2 = in.hasDescription;
  out.ownerLetter = static_cast<std::uint8_t>(in.ownerKind);
  out.flag = in.hasTag ? 1 : 0;
  return changed;
}

// ---- repository ---------------------------------------------------------

void LoadRepository(std::int32_t r, const RepositoryRec& in, CRepositoryRecord& out) {
  out.Clear();
  out.recordNumber = r;
  out.name = TextOf(in.name);
  for (int i = 0; i < 4; ++i) out.address[i] = TextOf(in.address[i]);
  out.phone = TextOf(in.phone);
}

bool StoreRepository(const CRepositoryRecord& in, RepositoryRec& out) {
  const std::string old = FieldText(out.name);
  PutText(out.name, in.name);
  for (int i = 0; i < 4; ++i) PutText(out.address[i], in.address[i]);
  PutText(out.phone, in.phone);
  return old != FieldText(out.name);
}

// ---- contact ------------------------------------------------------------

void LoadContact(ORV3& e, std::int32_t r, const ContactRec& in, CContactRecord& out) {
  out.Clear();
  out.recordNumber = r;
  out.owner = in.owner;
  for (int i = 0; i < CContactRecord::kFieldCount; ++i)
    out.texts[i] = e.Strings().GetText(in.texts[i]);
}

void StoreContact(ORV3& e, const CContactRecord& in, ContactRec& out) {
  out.owner = in.owner;
  for (int i = 0; i < CContactRecord::kFieldCount; ++i)
    PutRef(e, in.texts[i], kKindOther5, out.texts[i]);
}

// ---- multimedia ---------------------------------------------------------
// texts: caption, description, sound file; value28: the owner type;
// values32: width, height; values36: crop top, bottom, left, right and the
// slide time; next: nextRecordNumber; previous: extraNumber.

void LoadMultimedia(ORV3& e, std::int32_t r, const MultimediaRec& in, CMultimediaItem& out) {
  out.Clear();
  out.recordNumber = r;
  out.ownerNumber = in.owner;
  out.nextRecordNumber = in.next;
  out.extraNumber = in.previous;
  out.fileName = e.Strings().GetText(in.path);
  out.caption = e.Strings().GetText(in.texts[0]);
  out.description = e.Strings().GetText(in.texts[1]);
  out.soundFile = e.Strings().GetText(in.texts[2]);
  out.ownerType = in.value28;
  out.kind = static_cast<char>(in.kind);
  out.flags = static_cast<std::uint16_t>((out.flags & ~0xFF) | in.flags);
  out.width = static_cast<std::uint16_t>(in.values32[0]);
  out.height = static_cast<std::uint16_t>(in.values32[1]);
  out.cropTop = static_cast<std::uint16_t>(in.values36[0]);
  out.cropBottom = static_cast<std::uint16_t>(in.values36[1]);
  out.cropLeft = static_cast<std::uint16_t>(in.values36[2]);
  out.cropRight = static_cast<std::uint16_t>(in.values36[3]);
  out.slideTime = static_cast<std::uint16_t>(in.values36[4]);
}

void StoreMultimedia(ORV3& e, const CMultimediaItem& in, MultimediaRec& out) {
  out.owner = in.ownerNumber;
  out.next = in.nextRecordNumber;
  out.previous = in.extraNumber;
  PutRef(e, in.fileName, kKindOther5, out.path);
  PutRef(e, in.caption, kKindOther5, out.texts[0]);
  PutRef(e, in.description, kKindOther5, out.texts[1]);
  PutRef(e, in.soundFile, kKindOther5, out.texts[2]);
  out.value28 = in.ownerType;
  out.kind = static_cast<std::uint8_t>(in.kind);
  out.flags = static_cast<std::uint8_t>(in.flags & 0xFF);
  out.values32 = {static_cast<std::int16_t>(in.width), static_cast<std::int16_t>(in.height)};
  out.values36 = {static_cast<std::int16_t>(in.cropTop), static_cast<std::int16_t>(in.cropBottom),
                  static_cast<std::int16_t>(in.cropLeft), static_cast<std::int16_t>(in.cropRight),
                  static_cast<std::int16_t>(in.slideTime)};
}

}  // namespace orv::maps
