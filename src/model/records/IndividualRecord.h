#pragma once
// The individual record (record type 100): the buffer between the family
// file and the in-memory individual, with the name texts built from it.

#include <cstdint>
#include <memory>
#include <string>

#include "DbCodes.h"
#include "EventValue.h"
#include "RecordObject.h"

// One node of the extension chain that the storage engine hangs on an
// individual record; each node owns the next.
class CIndividualNode;

struct CIndividualExtensionNode {
  std::unique_ptr<CIndividualExtensionNode> next;
};

class CIndividualRecord : public CRecordObject {
 public:
  static constexpr int kRecordType = db::kIndividual;

  // Positions in numbers[] that other layers name; the rest are the engine's.
  static constexpr int kRin = 0;
  static constexpr int kParentsMrin = 1;   // the parents' marriage
  static constexpr int kCreatedStamp = 4;  // creation time stamp (TimeStamp.h)
  static constexpr int kParentLink = 5;    // the family link to the parents
  static constexpr int kFirstNote = 6;     // first note block, 0 = no notes
  static constexpr int kUpdatedStamp = 7;  // last-change time stamp
  // The event type whose title labels the christening slot (an alternate
  // birth such as a baptism kept there); 0 = a christening.
  static constexpr int kChristeningType = 9;
  static constexpr int kNumberCount = 12;
  static constexpr int kTrailingCount = 6;

  // The ten contact fields in their stored order.
  enum ContactField {
    kContactName,
    kContactAddress1,
    kContactAddress2,
    kContactCity,
    kContactState,
    kContactPostalCode,
    kContactCountry,
    kContactPhone,
    kContactEmail,
    kContactHomePage,
    kContactFieldCount
  };

  CIndividualRecord();
  // Copies every field; the copy gets no extension chain.
  CIndividualRecord(const CIndividualRecord& other);
  CIndividualRecord& operator=(const CIndividualRecord& other);
  ~CIndividualRecord();

  long GetRecordNumber() const override { return numbers[kRin]; }
  int GetRecordType() const override { return kRecordType; }

  // The twelve numbers 0, both caches -1, sex 'U', flag 0, the trailing
  // numbers 0, and the extension chain freed.
  void Reset();
  // Empties the texts, events and ordinances (ordinances keep their kind
  // letter), then Reset.
  void Clear();

  // The display name. Given names first: title, given names, surname (upper
  // case when upperSurname), suffix. Surname first: surname, title, given
  // names, suffix. The pieces are joined by one blank; an empty one adds nothing.
  // Then by suffixKind: 0 nothing, 1 "-" and (RIN + number - 1), 3 "-" and
  // the SBN, any other "-" and the custom ID.
  const std::string& BuildName(std::string& out, int suffixKind, bool upperSurname, long number,
                               bool surnameFirst) const;
  std::string GetName(int suffixKind, bool upperSurname, long number, bool surnameFirst) const;
  // The non-empty given names in order, joined by single blanks.
  std::string GetGivenNames() const;
  // "Surname, Given Names"; "Surname," without given names; ", Given" without
  // a surname.
  std::string GetNameSurnameFirst() const;
  bool HasContactInfo() const;
  const std::string& Nickname() const { return nameExtensions[0]; }
  const std::string& AlsoKnownAs() const { return nameExtensions[1]; }
  const std::string& CustomId() const { return texts1[0]; }
  const std::string& Sbn() const { return texts1[1]; }
  // Cleared and filled from an in-memory individual with details (defined
  // with CIndividualNode); nothing without a detail part.
  void SetFromIndividualNode(const CIndividualNode& node);

  std::int32_t numbers[kNumberCount] = {};  // numbers[kRin] is the RIN
  std::int16_t marriageCount = -1;          // -1 = unknown
  std::int16_t parentFamilyCount = -1;      // -1 = unknown

  std::string surname;
  std::string givenNames[3];
  std::string suffix;
  // The nickname and the also-known-as name.
  std::string nameExtensions[2];
  // The custom ID (up to 10 characters) and the SBN (up to 12).
  std::string texts1[2];
  std::string title;
  std::string texts2[3];
  std::string contact[kContactFieldCount];
  std::string linkText;  // the text kept by the in-memory individual's link part

  char sex = 'U';  // 'M', 'F'; 'U' unknown
  std::uint8_t flags = 0;

  CEventValue birth;
  CEventValue christening;
  CEventValue death;
  CEventValue burial;
  CEventValue fifthEvent;

  COrdinanceValue baptism;
  COrdinanceValue endowment;
  COrdinanceValue sealingToParents;

  std::unique_ptr<CIndividualExtensionNode> extension;

  std::int32_t trailing[kTrailingCount] = {};
};

// Shared read buffer for whoever reads one individual at a time.
extern CIndividualRecord ScratchIndividualRecord;
