#pragma once
// Mapping between the stored records and the record objects of the model:
// each Load fills an object from a stored record (texts from the string
// stores, notes from their chains, dates unpacked); each Store puts an
// object's values into a stored record, adding texts and note chains as it
// goes (the caller writes the record). Link fields that the relation calls
// own (rings, chains, tree links) are never taken from an object.

#include <array>
#include <cstdint>
#include <string>

#include "Ansel.h"
#include "ORV3.h"
#include "Records.h"

class CCitationRecord;
class CContactRecord;
class CDateValue;
class CEventTypeRecord;
class CEventValue;
class CFamilyLinkRecord;
class CIndividualRecord;
class CMarriageRecord;
class CMultimediaItem;
class COrdinanceValue;
class CRepositoryRecord;
class CSourceRecord;
class CUserEventRecord;

namespace orv::maps {

// A fixed-width ANSEL field from a code-page text, cut to the field.
template <std::size_t N>
void PutText(std::array<std::uint8_t, N>& field, const std::string& text) {
  SetFieldText(field, AnsiToAnsel(text, static_cast<int>(N) - 1));
}

// The code-page text of a fixed-width ANSEL field.
template <std::size_t N>
std::string TextOf(const std::array<std::uint8_t, N>& field) {
  return AnselToAnsi(FieldText(field));
}

// Text kinds of the string stores.
inline constexpr int kKindName = 0;
inline constexpr int kKindTemple = 1;
inline constexpr int kKindPlace = 2;
inline constexpr int kKindDateText = 3;
inline constexpr int kKindOther = 4;
inline constexpr int kKindOther5 = 5;
inline constexpr int kKindOther7 = 7;

// Offset in the source extension of the title supplement's text reference
// (kind 4); the bytes are otherwise unused, so older files read it as empty.
inline constexpr int kSourceExtSupplement = 26;

void LoadDate(ORV3& e, const PackedDate& in, CDateValue& out);
PackedDate StoreDate(ORV3& e, const CDateValue& in);
void LoadEvent(ORV3& e, const PackedEvent& in, CEventValue& out, bool places);
void StoreEvent(ORV3& e, const CEventValue& in, PackedEvent& out);
void LoadOrdinance(ORV3& e, const PackedOrdinance& in, COrdinanceValue& out, char kind,
                   bool temple);
void StoreOrdinance(ORV3& e, const COrdinanceValue& in, PackedOrdinance& out);

// Individual at a read plan; the extension (and contact) when ext is given.
void LoadIndividual(ORV3& e, std::int32_t rin, const IndividualRec& in, const IndividualExtRec& ext,
                    CIndividualRecord& out, const IndividualReadPlan& plan);
// Returns true when the name key (surname, given names 1 to 3) changed.
bool StoreIndividual(ORV3& e, const CIndividualRecord& in, IndividualRec& out);
void StoreIndividualExt(ORV3& e, const CIndividualRecord& in, IndividualExtRec& out);

void LoadMarriage(ORV3& e, std::int32_t mrin, const MarriageRec& in, CMarriageRecord& out);
void StoreMarriage(ORV3& e, const CMarriageRecord& in, MarriageRec& out);

void LoadFamilyLink(ORV3& e, std::int32_t link, const FamilyLinkRec& in, CFamilyLinkRecord& out);
void StoreFamilyLink(ORV3& e, const CFamilyLinkRecord& in, FamilyLinkRec& out);

void LoadUserEvent(ORV3& e, std::int32_t r, const UserEventRec& in, CUserEventRecord& out);
void StoreUserEvent(ORV3& e, const CUserEventRecord& in, UserEventRec& out);

// With translate, a built-in kind (tag set) takes its texts from the custom
// event table when a row with the same tag, numbers and owner letter exists.
void LoadEventType(ORV3& e, std::int32_t r, const EventTypeRec& in, CEventTypeRecord& out,
                   bool translate);
// Returns true when the title changed.
bool StoreEventType(ORV3& e, const CEventTypeRecord& in, EventTypeRec& out);

void LoadRepository(std::int32_t r, const RepositoryRec& in, CRepositoryRecord& out);
// Returns true when the name changed.
bool StoreRepository(const CRepositoryRecord& in, RepositoryRec& out);

void LoadContact(ORV3& e, std::int32_t r, const ContactRec& in, CContactRecord& out);
void StoreContact(ORV3& e, const CContactRecord& in, ContactRec& out);

void LoadMultimedia(ORV3& e, std::int32_t r, const MultimediaRec& in, CMultimediaItem& out);
void StoreMultimedia(ORV3& e, const CMultimediaItem& in, MultimediaRec& out);

}  // namespace orv::maps
