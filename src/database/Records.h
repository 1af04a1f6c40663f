#pragma once
// The fixed-size records of a family file, one struct per record type, and
// the packed date, event and ordinance forms they share. Each struct reads
// and writes its fields one by one at their stored offsets (little-endian).
// `raw` keeps the record as it was read, so that bytes no field names come
// back unchanged when the record is rewritten, and are zero in a new record.
//
// Text reference fields hold string-store offsets (0 = empty); the fixed-width
// text fields hold ANSEL bytes, zero-terminated and cut to their width.

#include <array>
#include <cstdint>
#include <cstring>

#include "FileLayout.h"

namespace orv {

// The 6-byte stored form of a date value.
struct PackedDate {
  std::array<std::uint8_t, 6> bytes{};

  bool TextOnly() const { return bytes[0] & 1; }
  bool FlagA() const { return bytes[0] & 2; }
  bool Bc() const { return bytes[0] & 4; }
  int Year() const { return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)) >> 3; }
  // Only for a text-only date: the name-store offset of its text.
  std::int32_t TextRef() const { return GetI32(bytes.data() + 2); }
  bool FlagB() const { return bytes[2] & 4; }
  int Month() const { return bytes[2] >> 3; }
  int Day() const { return bytes[3] >> 3; }
  int Qualifier() const { return bytes[4] & 7; }
  int SecondDay() const { return bytes[4] >> 3; }
  int DualYear() const { return bytes[5]; }
  bool operator==(const PackedDate&) const = default;
};

// The 38-byte stored form of an event.
struct PackedEvent {
  static constexpr int kSize = 38;
  PackedDate date;
  std::array<std::int32_t, 4> place{};     // text references of the four place parts
  std::array<std::uint8_t, 4> unused22{};  // kept as stored
  std::int32_t firstCitation = 0;
  std::int32_t secondValue = 0;
  std::array<std::uint8_t, 4> unused34{};  // kept as stored
  bool operator==(const PackedEvent&) const = default;
};

// The 18-byte stored form of an ordinance. Its kind letter is not stored.
struct PackedOrdinance {
  static constexpr int kSize = 18;
  PackedDate date;
  std::int32_t templeCode = 0;  // text reference
  std::int32_t firstCitation = 0;
  std::int32_t secondValue = 0;
  bool operator==(const PackedOrdinance&) const = default;
};

namespace detail {

struct FieldReader {
  const std::uint8_t* p;
  void operator()(int off, std::int32_t& v) const { v = GetI32(p + off); }
  void operator()(int off, std::int16_t& v) const { v = GetI16(p + off); }
  void operator()(int off, std::uint8_t& v) const { v = p[off]; }
  template <std::size_t N>
  void operator()(int off, std::array<std::uint8_t, N>& v) const {
    std::memcpy(v.data(), p + off, N);
  }
  void operator()(int off, PackedDate& d) const { (*this)(off, d.bytes); }
  void operator()(int off, PackedEvent& e) const {
    (*this)(off, e.date);
    for (int i = 0; i < 4; ++i) (*this)(off + 6 + 4 * i, e.place[i]);
    (*this)(off + 22, e.unused22);
    (*this)(off + 26, e.firstCitation);
    (*this)(off + 30, e.secondValue);
    (*this)(off + 34, e.unused34);
  }
  void operator()(int off, PackedOrdinance& o) const {
    (*this)(off, o.date);
    (*this)(off + 6, o.templeCode);
    (*this)(off + 10, o.firstCitation);
    (*this)(off + 14, o.secondValue);
  }
};

struct FieldWriter {
  std::uint8_t* p;
  void operator()(int off, const std::int32_t& v) const { PutI32(p + off, v); }
  void operator()(int off, const std::int16_t& v) const { PutI16(p + off, v); }
  void operator()(int off, const std::uint8_t& v) const { p[off] = v; }
  template <std::size_t N>
  void operator()(int off, const std::array<std::uint8_t, N>& v) const {
    std::memcpy(p + off, v.data(), N);
  }
  void operator()(int off, const PackedDate& d) const { (*this)(off, d.bytes); }
  void operator()(int off, const PackedEvent& e) const {
    (*this)(off, e.date);
    for (int i = 0; i < 4; ++i) (*this)(off + 6 + 4 * i, e.place[i]);
    (*this)(off + 22, e.unused22);
    (*this)(off + 26, e.firstCitation);
    (*this)(off + 30, e.secondValue);
    (*this)(off + 34, e.unused34);
  }
  void operator()(int off, const PackedOrdinance& o) const {
    (*this)(off, o.date);
    (*this)(off + 6, o.templeCode);
    (*this)(off + 10, o.firstCitation);
    (*this)(off + 14, o.secondValue);
  }
};

}  // namespace detail

// Decode/Encode for every record struct; Derived::Map lists the fields.
template <class Derived, RecordKind K, int N>
struct RecordBase {
  static constexpr RecordKind kKind = K;
  static constexpr int kSize = N;
  std::array<std::uint8_t, N> raw{};

  void Decode(const std::uint8_t* p) {
    std::memcpy(raw.data(), p, N);
    Derived::Map(static_cast<Derived&>(*this), detail::FieldReader{p});
  }
  void Encode(std::uint8_t* p) const {
    std::memcpy(p, raw.data(), N);
    Derived::Map(static_cast<const Derived&>(*this), detail::FieldWriter{p});
  }
};

// Individual (record type 100). Deleted: sex 'D', link in names[0].
struct IndividualRec : RecordBase<IndividualRec, RecordKind::Individual, 298> {
  static constexpr int kCreatedOffset = 254;
  std::uint8_t sex = 0;                 // 'M', 'F', 'U'; 'D' deleted
  std::array<std::int32_t, 5> names{};  // surname, given names 1-3, suffix
  PackedEvent birth, christening, death, burial;
  PackedOrdinance baptism, endowment;
  std::int32_t firstMarriage = 0;    // spouse chain
  std::int32_t firstParentLink = 0;  // family link in which the individual is the child
  std::int32_t firstNote = 0;
  std::int32_t firstCitation = 0;
  std::int32_t treeLesser = 0, treeGreater = 0, treeParent = 0;  // name tree
  std::int32_t created = 0;  // stamps: seconds since 1970, unsigned (see TimeStamp.h)
  std::int32_t updated = 0;
  std::int32_t value262 = 0, value266 = 0;
  std::array<std::uint8_t, 11> text270{};  // up to 10 characters
  std::array<std::uint8_t, 13> sbn{};      // up to 12 characters

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.sex);
    for (int i = 0; i < 5; ++i) f(1 + 4 * i, s.names[i]);
    f(22, s.birth);
    f(60, s.christening);
    f(98, s.death);
    f(136, s.burial);
    f(174, s.baptism);
    f(196, s.endowment);
    f(218, s.firstMarriage);
    f(222, s.firstParentLink);
    f(226, s.firstNote);
    f(234, s.firstCitation);
    f(242, s.treeLesser);
    f(246, s.treeGreater);
    f(250, s.treeParent);
    f(kCreatedOffset, s.created);
    f(258, s.updated);
    f(262, s.value262);
    f(266, s.value266);
    f(270, s.text270);
    f(281, s.sbn);
  }
};

// Individual extension, numbered like its individual.
struct IndividualExtRec : RecordBase<IndividualExtRec, RecordKind::IndividualExt, 96> {
  std::int32_t stamp = 0;  // copy of the individual's creation stamp
  std::int32_t firstUserEvent = 0;
  std::int32_t christeningLabel = 0;  // event type titling the christening; 0 = "Christening"
  std::int32_t firstMultimediaLink = 0;
  std::int32_t contact = 0;
  std::array<std::int32_t, 6> textRefs{};   // offsets 20 to 40 (kinds 0, 0, 0, 7, 0, 7)
  std::array<std::int32_t, 4> fourTexts{};  // kind 2, present when hasFourTexts
  std::int32_t relationshipText = 0;        // kind 4
  std::uint8_t hasFourTexts = 0;
  std::uint8_t citedUserEvents = 0;   // user events with citations
  std::uint8_t citedParentLinks = 0;  // parent family links with citations

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.stamp);
    f(4, s.firstUserEvent);
    f(8, s.christeningLabel);
    f(12, s.firstMultimediaLink);
    f(16, s.contact);
    for (int i = 0; i < 6; ++i) f(20 + 4 * i, s.textRefs[i]);
    for (int i = 0; i < 4; ++i) f(52 + 4 * i, s.fourTexts[i]);
    f(68, s.relationshipText);
    f(72, s.hasFourTexts);
    f(73, s.citedUserEvents);
    f(74, s.citedParentLinks);
  }
};

// Marriage (record type 102). Status 'N' for the object's 'M', 'Y' for 'D'.
struct MarriageRec : RecordBase<MarriageRec, RecordKind::Marriage, 110> {
  std::uint8_t status = 0;     // 'D' deleted
  std::int32_t chainLink = 0;  // next in the delete chain (deleted records only)
  std::int32_t husband = 0, wife = 0;
  std::int32_t firstChildLink = 0;  // children ring
  PackedEvent marriage;
  PackedOrdinance sealing;                     // sealing to spouse
  std::int32_t husbandNext = 0, wifeNext = 0;  // spouse chains
  std::int32_t firstUserEvent = 0;
  std::int32_t firstNote = 0;
  std::int32_t firstCitation = 0;
  std::int32_t firstMultimedia = 0;

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.status);
    f(1, s.chainLink);
    f(5, s.husband);
    f(9, s.wife);
    f(13, s.firstChildLink);
    f(17, s.marriage);
    f(55, s.sealing);
    f(77, s.husbandNext);
    f(81, s.wifeNext);
    f(85, s.firstUserEvent);
    f(89, s.firstNote);
    f(93, s.firstCitation);
    f(106, s.firstMultimedia);
  }
};

// Family link (record type 142): a child in a marriage.
struct FamilyLinkRec : RecordBase<FamilyLinkRec, RecordKind::FamilyLink, 39> {
  std::uint8_t relation = 0;        // relationship code; 'D' deleted
  std::int32_t marriage = 0;        // delete-chain link in a deleted record
  std::int32_t nextInMarriage = 0;  // children ring
  std::int32_t nextInChild = 0;     // parents ring
  std::int32_t child = 0;
  PackedOrdinance sealing;  // sealing to parents
  std::array<std::uint8_t, 4> unused35{};

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.relation);
    f(1, s.marriage);
    f(5, s.nextInMarriage);
    f(9, s.nextInChild);
    f(13, s.child);
    f(17, s.sealing);
    f(35, s.unused35);
  }
};

// Note block (record type 122).
struct NoteBlockRec : RecordBase<NoteBlockRec, RecordKind::NoteBlock, 256> {
  static constexpr int kTextSize = 244;
  std::int32_t next = 0, previous = 0;
  std::int32_t owner = 0;
  std::array<std::uint8_t, kTextSize> text{};  // zero-terminated when shorter

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.next);
    f(4, s.previous);
    f(8, s.owner);
    f(12, s.text);
  }
};

// Citation (record type 132).
struct CitationRec : RecordBase<CitationRec, RecordKind::Citation, 127> {
  std::uint8_t mark = 0;                  // 'N' live, 'Y' deleted
  std::int32_t firstNoteA = 0;            // one long text; delete-chain link in a deleted record
  std::array<std::uint8_t, 92> detail{};  // up to 91 characters
  PackedDate date;
  std::int32_t firstNoteB = 0;  // the other long text
  std::int32_t multimedia = 0;
  std::int32_t source = 0;
  std::int32_t next = 0, previous = 0;  // citations of the same owner
  std::int32_t owner = 0;

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.mark);
    f(1, s.firstNoteA);
    f(5, s.detail);
    f(97, s.date);
    f(103, s.firstNoteB);
    f(107, s.multimedia);
    f(111, s.source);
    f(115, s.next);
    f(119, s.previous);
    f(123, s.owner);
  }
};

// Source (record type 130).
struct SourceRec : RecordBase<SourceRec, RecordKind::Source, 479> {
  std::uint8_t mark = 0;  // 'N' live, 'Y' deleted
  std::array<std::uint8_t, 122> author{};
  std::array<std::uint8_t, 122> title{};  // key of the source tree
  std::array<std::uint8_t, 122> publication{};
  std::array<std::uint8_t, 92> callNumber{};
  std::int32_t firstNote = 0;  // delete-chain link in a deleted record
  std::int32_t treeA = 0, treeB = 0, treeParent = 0;
  std::int32_t repository = 0;

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.mark);
    f(1, s.author);
    f(123, s.title);
    f(245, s.publication);
    f(367, s.callNumber);
    f(459, s.firstNote);
    f(463, s.treeA);
    f(467, s.treeB);
    f(471, s.treeParent);
    f(475, s.repository);
  }
};

// Source extension, numbered like its source.
struct SourceExtRec : RecordBase<SourceExtRec, RecordKind::SourceExt, 40> {
  std::int32_t multimedia = 0;
  std::array<std::uint8_t, 4> unused4{};
  std::int32_t firstNote = 0;
  std::int32_t textRef1 = 0, textRef2 = 0;  // other-name store, kind 4
  std::uint8_t value20 = 0, value21 = 0;
  std::uint8_t flagInverted22 = 0;
  std::uint8_t kindPlusOne = 0;  // 0 for the object's kind 4
  std::uint8_t flagInverted24 = 0, flagInverted25 = 0;

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.multimedia);
    f(4, s.unused4);
    f(8, s.firstNote);
    f(12, s.textRef1);
    f(16, s.textRef2);
    f(20, s.value20);
    f(21, s.value21);
    f(22, s.flagInverted22);
    f(23, s.kindPlusOne);
    f(24, s.flagInverted24);
    f(25, s.flagInverted25);
  }
};

// Repository (record type 131).
struct RepositoryRec : RecordBase<RepositoryRec, RecordKind::Repository, 299> {
  std::uint8_t mark = 0;                // 'N' live, 'Y' deleted
  std::array<std::uint8_t, 91> name{};  // key of the repository tree
  std::array<std::array<std::uint8_t, 42>, 4> address{};
  std::array<std::uint8_t, 27> phone{};  // up to 25 characters
  std::int32_t treeA = 0;                // delete-chain link in a deleted record
  std::int32_t treeB = 0, treeParent = 0;

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.mark);
    f(1, s.name);
    for (int i = 0; i < 4; ++i) f(92 + 42 * i, s.address[i]);
    f(260, s.phone);
    f(287, s.treeA);
    f(291, s.treeB);
    f(295, s.treeParent);
  }
};

// User event (record type 139). Deleted when owner is 0 or less.
struct UserEventRec : RecordBase<UserEventRec, RecordKind::UserEvent, 84> {
  std::int32_t next = 0;      // same owner; delete-chain link in a deleted record
  std::int32_t previous = 0;  // same owner; 0 for the head of the chain
  std::int32_t owner = 0;
  std::uint8_t ownerKind = 0;  // 'I' or 'M'
  std::int32_t description = 0;
  std::int32_t eventType = 0;  // the event type record
  PackedEvent event;
  PackedDate secondDate;
  std::uint8_t kind = 0;
  std::array<std::uint8_t, 18> unused66{};

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.next);
    f(4, s.previous);
    f(8, s.owner);
    f(12, s.ownerKind);
    f(13, s.description);
    f(17, s.eventType);
    f(21, s.event);
    f(59, s.secondDate);
    f(65, s.kind);
    f(66, s.unused66);
  }
};

// Event type (record type 141). Deleted when the title reference is 0.
struct EventTypeRec : RecordBase<EventTypeRec, RecordKind::EventType, 60> {
  std::int32_t title = 0;  // other-name store, kind 4
  std::int32_t verbPhrase = 0;
  std::int32_t placePreposition = 0;
  std::int32_t treeA = 0;  // delete-chain link in a deleted record
  std::int32_t treeB = 0, treeParent = 0;
  std::array<std::uint8_t, 10> shortTitle{};
  std::array<std::uint8_t, 3> abbreviation{};
  std::array<std::uint8_t, 7> tag{};  // non-empty for built-in kinds
  std::uint8_t number1 = 0, number2 = 0;
  std::uint8_t ownerLetter = 0;  // 'I' or 'M'
  std::uint8_t flag = 0;

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.title);
    f(4, s.verbPhrase);
    f(8, s.placePreposition);
    f(12, s.treeA);
    f(16, s.treeB);
    f(20, s.treeParent);
    f(24, s.shortTitle);
    f(34, s.abbreviation);
    f(37, s.tag);
    f(44, s.number1);
    f(45, s.number2);
    f(46, s.ownerLetter);
    f(47, s.flag);
  }
};

// Contact (record type 145). Deleted: owner 0, link in texts[0], mark 'D'.
struct ContactRec : RecordBase<ContactRec, RecordKind::Contact, 52> {
  std::int32_t owner = 0;  // RIN
  // name, two address lines, city, state, postal code, country, phone,
  // e-mail, home page (other-name store, kind 5)
  std::array<std::int32_t, 10> texts{};
  std::uint8_t mark = 0;

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.owner);
    for (int i = 0; i < 10; ++i) f(4 + 4 * i, s.texts[i]);
    f(44, s.mark);
  }
};

// Multimedia (record type 148). Deleted when kind is 0.
struct MultimediaRec : RecordBase<MultimediaRec, RecordKind::Multimedia, 64> {
  std::int32_t owner = 0;               // delete-chain link in a deleted record
  std::int32_t next = 0, previous = 0;  // same owner
  std::int32_t path = 0;                // other-name store, kind 5
  std::array<std::int32_t, 3> texts{};
  std::uint8_t value28 = 0;
  std::uint8_t kind = 0;
  std::uint8_t flags = 0;
  std::array<std::int16_t, 2> values32{};
  std::array<std::int16_t, 5> values36{};

  template <class S, class F>
  static void Map(S& s, F&& f) {
    f(0, s.owner);
    f(4, s.next);
    f(8, s.previous);
    f(12, s.path);
    for (int i = 0; i < 3; ++i) f(16 + 4 * i, s.texts[i]);
    f(28, s.value28);
    f(29, s.kind);
    f(30, s.flags);
    for (int i = 0; i < 2; ++i) f(32 + 2 * i, s.values32[i]);
    for (int i = 0; i < 5; ++i) f(36 + 2 * i, s.values36[i]);
  }
};

// True when a record of the kind, as stored, carries its deleted mark.
// Reads at most the first kDeletedMarkBytes bytes of the record.
bool IsDeletedRecord(RecordKind kind, const std::uint8_t* rec);
inline constexpr std::size_t kDeletedMarkBytes = 32;
// Turns the buffer into a deleted record: all zero but the chain link and mark.
void MakeDeletedRecord(RecordKind kind, std::uint8_t* rec, std::int32_t link);

// Which parts of an individual a read at a detail level fills in.
struct IndividualReadPlan {
  bool names = false;                   // five name texts and the extension texts
  bool birthChristeningPlaces = false;  // else only their dates and first citations
  bool deathBurialPlaces = false;
  bool fullOrdinances = false;
  bool relationCounts = false;   // numbers of marriages and parent families; else -1
  bool parentsFromLink = false;  // parents' marriage and sealing from the family link
};
IndividualReadPlan PlanForLevel(int level);

// The sex letter of a stored sex byte: 'M' or 'F' (lower-case letters, which
// some files hold, count as their capitals), else 'U'.
inline char SexLetterOf(int stored) {
  if (stored == 'M' || stored == 'm') return 'M';
  if (stored == 'F' || stored == 'f') return 'F';
  return 'U';
}

}  // namespace orv
