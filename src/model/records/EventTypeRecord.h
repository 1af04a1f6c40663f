#pragma once
// The event type record (record type 141): a custom event kind with the
// words that lists, reports and narrative sentences name it by.

#include <cstdint>
#include <string>
#include <string_view>

#include "DbCodes.h"
#include "RecordObject.h"

class CEventTypeRecord : public CRecordObject {
 public:
  static constexpr int kRecordType = db::kEventType;

  CEventTypeRecord() { Clear(); }

  long GetRecordNumber() const override { return recordNumber; }
  int GetRecordType() const override { return kRecordType; }

  // Number 0, texts empty, date kind 1, no description, owner kind 'I'.
  // The has-tag flag is left as it is.
  void Clear();

  void SetTitle(std::string_view text) { title = text; }
  void SetShortTitle(std::string_view text) { shortTitle = text; }
  void SetAbbreviation(std::string_view text) { abbreviation = text; }
  void SetTag(std::string_view text) { tag = text; }
  void SetVerbPhrase(std::string_view text) { verbPhrase = text; }
  void SetPlacePreposition(std::string_view text) { placePreposition = text; }

  std::int32_t recordNumber = 0;
  std::string title;
  std::string shortTitle;
  std::string abbreviation;
  std::string tag;                        // GEDCOM tag; non-empty for the built-in kinds
  std::string verbPhrase;                 // "immigrated"
  std::string placePreposition;           // "to"
  std::uint8_t dateKind = 1;              // 0 none, 1 single date, 2 range
  std::uint8_t hasDescription = 0;        // 1 when the kind carries a description
  char ownerKind = db::kOwnerIndividual;  // kOwnerIndividual or kOwnerMarriage event
  std::uint8_t hasTag = 0;                // 1 when the tag is not empty (built-in kind)
};
