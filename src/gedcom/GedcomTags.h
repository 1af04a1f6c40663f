#pragma once
// The GEDCOM tag vocabulary of the import: every accepted tag name, short or
// long form, standard or extension, mapped to one tag code. The standard
// tags are numbered 1-129 (alphabetically by short form, but SBN at 6), the
// extension tags 130-160; 0 is an unknown tag. The codes are what the line
// reader and the record parsers switch on.

#include <cstddef>
#include <span>
#include <string_view>

namespace gedcom {

// The longest value of a tag-and-value line, read or written.
inline constexpr std::size_t kMaxValueLength = 255;

enum TagCode : int {
  kTagUnknown = 0,
  kTagAbbr = 1,             // ABBR, ABBREVIATION
  kTagAddr = 2,             // ADDR, ADDRESS
  kTagAdr1 = 3,             // ADR1, ADDRESS1
  kTagAdr2 = 4,             // ADR2, ADDRESS2
  kTagAdop = 5,             // ADOP, ADOPTION
  kTagSbn = 6,              // SBN
  kTagAge = 7,              // AGE
  kTagAgnc = 8,             // AGNC, AGENCY
  kTagAlia = 9,             // ALIA, ALIAS
  kTagAnce = 10,            // ANCE, ANCESTORS
  kTagAnci = 11,            // ANCI, ANCES_INTEREST
  kTagAnul = 12,            // ANUL, ANNULMENT
  kTagAsso = 13,            // ASSO, ASSOCIATES
  kTagAuth = 14,            // AUTH, AUTHOR
  kTagBapl = 15,            // BAPL, BAPTISM_ZEL
  kTagBapm = 16,            // BAPM, BAPTISM
  kTagBarm = 17,            // BARM, BAR_MITZVAH
  kTagBasm = 18,            // BASM, BAS_MITZVAH
  kTagBirt = 19,            // BIRT, BIRTH
  kTagBles = 20,            // BLES, BLESSING
  kTagBlob = 21,            // BLOB, BINARY_OBJECT
  kTagBuri = 22,            // BURI, BURIAL
  kTagCaln = 23,            // CALN, CALL_NUMBER
  kTagCast = 24,            // CAST, CASTE
  kTagCaus = 25,            // CAUS, CAUSE
  kTagCens = 26,            // CENS, CENSUS
  kTagChan = 27,            // CHAN, CHANGE
  kTagChar = 28,            // CHAR, CHARACTER
  kTagChil = 29,            // CHIL, CHILD
  kTagChr = 30,             // CHR, CHRISTENING
  kTagChra = 31,            // CHRA, ADULT_CHRISTENING
  kTagCity = 32,            // CITY
  kTagConc = 33,            // CONC, CONCATENATION
  kTagConf = 34,            // CONF, CONFIRMATION
  kTagConl = 35,            // CONL, CONFIRMATION_L
  kTagCont = 36,            // CONT, CONTINUED
  kTagCopr = 37,            // COPR, COPYRIGHT
  kTagCorp = 38,            // CORP, CORPORATE
  kTagCrem = 39,            // CREM, CREMATION
  kTagCtry = 40,            // CTRY, COUNTRY
  kTagData = 41,            // DATA
  kTagDate = 42,            // DATE
  kTagDeat = 43,            // DEAT, DEATH
  kTagDesc = 44,            // DESC, DESCENDANTS
  kTagDesi = 45,            // DESI, DESCENDANT_INT
  kTagDest = 46,            // DEST, DESTINATION
  kTagDiv = 47,             // DIV, DIVORCE
  kTagDivf = 48,            // DIVF, DIVORCE_FILED
  kTagDscr = 49,            // DSCR, PHY_DESCRIPTION
  kTagEduc = 50,            // EDUC, EDUCATION
  kTagEmig = 51,            // EMIG, EMIGRATION
  kTagEndl = 52,            // ENDL, ENDOWMENT
  kTagEnga = 53,            // ENGA, ENGAGEMENT
  kTagEven = 54,            // EVEN, EVENT
  kTagFam = 55,             // FAM, FAMILY
  kTagFamc = 56,            // FAMC, FAMILY_CHILD
  kTagFamf = 57,            // FAMF, FAMILY_FILE
  kTagFams = 58,            // FAMS, FAMILY_SPOUSE
  kTagFcom = 59,            // FCOM, FIRST_COMMUNION
  kTagFile = 60,            // FILE
  kTagForm = 61,            // FORM, FORMAT
  kTagGedc = 62,            // GEDC, GEDCOM
  kTagGivn = 63,            // GIVN, GIVEN_NAME
  kTagGrad = 64,            // GRAD, GRADUATION
  kTagHead = 65,            // HEAD, HEADER
  kTagHusb = 66,            // HUSB, HUSBAND
  kTagIdno = 67,            // IDNO, IDENT_NUMBER
  kTagImmi = 68,            // IMMI, IMMIGRATION
  kTagIndi = 69,            // INDI, INDIVIDUAL
  kTagLang = 70,            // LANG, LANGUAGE
  kTagLega = 71,            // LEGA, LEGATEE
  kTagMarb = 72,            // MARB, MARRIAGE_BANN
  kTagMarc = 73,            // MARC, MARR_CONTRACT
  kTagMarl = 74,            // MARL, MARR_LICENSE
  kTagMarr = 75,            // MARR, MARRIAGE
  kTagMars = 76,            // MARS, MARR_SETTLEMENT
  kTagMedi = 77,            // MEDI, MEDIA
  kTagName = 78,            // NAME
  kTagNati = 79,            // NATI, NATIONALITY
  kTagNatu = 80,            // NATU, NATURALIZATION
  kTagNchi = 81,            // NCHI, CHILDREN_COUNT
  kTagNick = 82,            // NICK, NICKNAME
  kTagNmr = 83,             // NMR, MARRIAGE_COUNT
  kTagNote = 84,            // NOTE
  kTagNpfx = 85,            // NPFX, NAME_PREFIX
  kTagNsfx = 86,            // NSFX, NAME_SUFFIX
  kTagObje = 87,            // OBJE, OBJECT
  kTagOccu = 88,            // OCCU, OCCUPATION
  kTagOrdi = 89,            // ORDI, ORDINANCE
  kTagOrdn = 90,            // ORDN, ORDINATION
  kTagPage = 91,            // PAGE
  kTagPedi = 92,            // PEDI, PEDIGREE
  kTagPhon = 93,            // PHON, PHONE
  kTagPlac = 94,            // PLAC, PLACE
  kTagPost = 95,            // POST, POSTAL_CODE
  kTagProb = 96,            // PROB, PROBATE
  kTagProp = 97,            // PROP, PROPERTY
  kTagPubl = 98,            // PUBL, PUBLICATION
  kTagQuay = 99,            // QUAY, QUALITY_OF_DATA
  kTagRefn = 100,           // REFN, REFERENCE
  kTagRela = 101,           // RELA, RELATIONSHIP
  kTagReli = 102,           // RELI, RELIGION
  kTagRepo = 103,           // REPO, REPOSITORY
  kTagResi = 104,           // RESI, RESIDENCE
  kTagResn = 105,           // RESN, RESTRICTION
  kTagReti = 106,           // RETI, RETIREMENT
  kTagRfn = 107,            // RFN, REC_FILE_NUMBER
  kTagRin = 108,            // RIN, REC_ID_NUMBER
  kTagRole = 109,           // ROLE
  kTagSex = 110,            // SEX
  kTagSlgc = 111,           // SLGC, SEALING_CHILD
  kTagSlgs = 112,           // SLGS, SEALING_SPOUSE
  kTagSour = 113,           // SOUR, SOURCE
  kTagSpfx = 114,           // SPFX, SURN_PREFIX
  kTagSsn = 115,            // SSN, SOC_SEC_NUMBER
  kTagStae = 116,           // STAE, STATE
  kTagStat = 117,           // STAT, STATUS
  kTagSubm = 118,           // SUBM, SUBMITTER
  kTagSubn = 119,           // SUBN, SUBMISSION
  kTagSurn = 120,           // SURN, SURNAME
  kTagTemp = 121,           // TEMP, TEMPLE
  kTagText = 122,           // TEXT
  kTagTime = 123,           // TIME
  kTagTitl = 124,           // TITL, TITLE
  kTagTrlr = 125,           // TRLR, TRAILER
  kTagType = 126,           // TYPE
  kTagVers = 127,           // VERS, VERSION
  kTagWife = 128,           // WIFE
  kTagWill = 129,           // WILL
  kTagXAka = 130,           // _AKA
  kTagXAltBirth = 131,      // _ALT_BIRTH, _BIRTHRITE
  kTagXAppliesTo = 132,     // _APPLIES_TO
  kTagXConfidential = 133,  // _CONFIDENTIAL
  kTagXDate2 = 134,         // _DATE2
  kTagXDateType = 135,      // _DATE_TYPE
  kTagXDescFlag = 136,      // _DESC_FLAG
  kTagXEmail = 137,         // _EMAIL, EMAIL
  kTagXEventDefn = 138,     // _EVENT_DEFN
  kTagXHusb = 139,          // _HUSB
  kTagXItalic = 140,        // _ITALIC
  kTagXMarnm = 141,         // _MARNM
  kTagXMaster = 142,        // _MASTER
  kTagXOther = 143,         // _OTHER
  kTagXParen = 144,         // _PAREN
  kTagXPedFather = 145,     // _PED_FATHER
  kTagXPedMother = 146,     // _PED_MOTHER
  kTagXPrep = 147,          // _PREP
  kTagXPrim = 148,          // _PRIM, _PRIMARY
  kTagXRin = 149,           // _RIN
  kTagXScbk = 150,          // _SCBK
  kTagXShortTitle = 151,    // _SHORT_TITLE
  kTagXStat = 152,          // _STAT
  kTagXSubtype = 153,       // _SUBTYPE
  kTagXType = 154,          // _TYPE
  kTagXUrl = 155,           // _URL, URL
  kTagXVerb = 156,          // _VERB
  kTagXWife = 157,          // _WIFE
  kTagXName = 158,          // _NAME
  kTagXFrel = 159,          // _FREL
  kTagXMrel = 160,          // _MREL
};

inline constexpr int kFirstExtensionTag = kTagXAka;
inline constexpr int kLastTag = kTagXMrel;

struct TagName {
  std::string_view name;
  TagCode code;
};

// The code of a tag name, compared ignoring case; kTagUnknown when absent.
TagCode LookupTag(std::string_view name);
// The whole table, sorted by name ignoring case.
std::span<const TagName> TagTable();

}  // namespace gedcom
