#pragma once
// The codes the database calls and the engine take: record types, relations,
// record-number walk modes, DbGetRIN query kinds, the owner letters of
// citation and user-event chains and the letters of change-log lines. They
// are stored in family files and log files or passed through the calls as
// plain int and char, so every value is fixed. Unscoped enumerations, so
// that a name passes wherever the calls take an int or a char.

namespace db {

// Record types of the record calls (DbGetRecord, DbAddRecord,
// DbUpdateRecord, DbDeleteRecord, counts); RecordRef.h gives the object
// each one takes. Multimedia items store their owner's type (individual,
// marriage, source or citation) as a byte. The counts of an old-format
// database take kIndividual, kMarriage, kNoteBlock and kNameEntry, also
// written as the letters of the same value ('d', 'f', 'z', '|').
enum RecordType : int {
  kIndividual = 100,
  kMarriage = 102,
  kAlphaNameFound = 118,    // name-index entry at a position, read like 120
  kAlphaNameOfRin = 119,    // name-index entry of an individual's RIN
  kAlphaName = 120,         // name-index entry at a position
  kIndividualAtName = 121,  // an individual's names, by name-index position
  kNoteBlock = 122,         // counts; delete frees the chain from the block
  kNameEntry = 124,         // counts of an old-format database only
  kPreparer = 125,          // the file's preparer (kept in the header)
  kSource = 130,
  kRepository = 131,
  kCitation = 132,
  kSourceList = 137,      // every source, in title order
  kRepositoryList = 138,  // every repository, in name order
  kUserEvent = 139,
  kEventTypeList = 140,  // every event type, in title order
  kEventType = 141,
  kFamilyLink = 142,
  kContact = 145,
  kMultimedia = 148,
  kMarriageNoteBlock = 149,   // update only: a marriage's first note block
  kIndividualNoteBlock = 150  // update only: an individual's first note block
};

// Relation codes of the relation calls. A code may also be written as the
// letter of the same value ('e' == 101 to 'l' == 108, '~' == 126).
enum Relation : int {
  kRelSpouses = 101,          // 'e' a marriage's husband and wife; an individual's marriages
  kRelMarriages = 102,        // 'f' an individual's marriages (spouse chain)
  kRelParents = 103,          // 'g' parent families; set: child of a marriage
  kRelFather = 104,           // 'h' set: child of the other's marriage; unset: as husband
  kRelMother = 105,           // 'i' set: child of the other's marriage; unset: as wife
  kRelHusband = 106,          // 'j' spouse as husband
  kRelWife = 107,             // 'k' spouse as wife
  kRelChildren = 108,         // 'l' a marriage's children; set: the other is the child
  kRelPreviousSibling = 126,  // '~' the previous sibling (and the parents)
  kRelFamilyLinks = 142       // the family links of an individual or a marriage
};

// Record-number walk modes of DbGetRIN, DbGetRecord and the engine's walks.
// A mode may also be written as the letter of the same value ('m' to 'q').
enum WalkMode : int {
  kWalkNextOrSame = 109,      // 'm' the number, or the next live one
  kWalkPreviousOrSame = 110,  // 'n' the number, or the previous live one
  kWalkExact = 111,           // 'o' exactly the number
  kWalkNext = 112,            // 'p' the next live one after it
  kWalkPrevious = 113         // 'q' the previous live one before it
};

// Query kinds of DbGetRIN: which numbers a walk steps over, or (the text
// kinds) which index a search by key text answers a position of.
enum QueryKind : int {
  kQueryIndividuals = 114,          // individual RINs
  kQueryMarriages = 115,            // marriage MRINs
  kQueryNameText = 118,             // text: name-index position of the name found
  kQueryNamePositions = 120,        // name-index positions
  kQueryIndividualPositions = 121,  // the same walk, for record type 121
  kQueryDeletedMarriages = 128,     // delete chain: 0 gives its head, a member the next
  kQueryDeletedIndividuals = 129,   // the same for individuals
  kQuerySources = 130,              // source numbers
  kQueryRepositories = 131,         // repository numbers
  kQuerySourceTitle = 133,          // text: source-index position of the title found
  kQuerySourcePositions = 134,      // source-index positions
  kQueryRepositoryName = 135,       // text: repository-index position of the name found
  kQueryRepositoryPositions = 136   // repository-index positions
};

// Owner letters of citation chains (a citation's owner is a record number
// and one of these) and of user-event chains ('I' or 'M'). Event types name
// what they apply to with 'I' or 'M' as well.
enum OwnerKind : char {
  kOwnerIndividual = 'I',  // the individual itself
  kOwnerBirth = 'B',
  kOwnerChristening = 'C',
  kOwnerDeath = 'D',
  kOwnerBurial = 'R',
  kOwnerBaptism = 'A',
  kOwnerEndowment = 'E',
  kOwnerSealingToParents = 'P',  // of the individual's first parent family link
  kOwnerFamilyLink = 'p',        // the sealing of a family link, by its number
  kOwnerMarriage = 'M',          // the marriage itself
  kOwnerMarriageEvent = 'G',
  kOwnerSealingToSpouse = 'S',
  kOwnerIndividualUserEvent = 'U',  // a user event of an individual
  kOwnerMarriageUserEvent = 'V'     // a user event of a marriage
};

// What a change-log line is about.
enum LogKind : char {
  kLogIndividual = 'I',
  kLogMarriage = 'M',
  kLogSource = 'O',      // named by title, no number
  kLogRepository = 'R',  // named by name, no number
  kLogBackup = 'B',      // no action word
  kLogSpouseLink = 'S',  // individual and marriage
  kLogChildLink = 'C',   // individual and marriage
  kLogNotes = 'N',
  kLogRestore = 'X'  // no action word
};

// What happened, on a change-log line.
enum LogAction : char {
  kLogAdd = 'A',
  kLogDelete = 'D',
  kLogModify = 'M',
  kLogLink = 'L',
  kLogUnlink = 'U'
};

}  // namespace db
