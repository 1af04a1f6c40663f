#pragma once
// The citation record (record type 132): one use of a source for an event,
// an ordinance or a record, with the page it was found on and the texts
// copied from it; and the footnote and export texts printed for it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DateValue.h"
#include "DbCodes.h"
#include "MultimediaItem.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"

class CCitationRecord {
 public:
  static constexpr int kRecordType = db::kCitation;
  static constexpr std::uint8_t kNewFormatCode = 2;
  static constexpr std::uint8_t kNoQuality = 4;

  CCitationRecord() = default;
  // Copies every field; the copy gets its own copy of the image.
  CCitationRecord(const CCitationRecord& other);
  CCitationRecord& operator=(const CCitationRecord& other);
  CCitationRecord(CCitationRecord&&) = default;
  CCitationRecord& operator=(CCitationRecord&&) = default;
  ~CCitationRecord() = default;

  // Texts, date, image and numbers emptied; the owner letter a blank; format
  // code 2 and quality 4 (none).
  void Clear();

  // A null text leaves none.
  void SetComments(const char* text) { comments = text ? text : ""; }
  void SetComments(std::string_view text) { comments = text; }
  void SetActualText(const char* text) { actualText = text ? text : ""; }
  void SetActualText(std::string_view text) { actualText = text; }

  // The same citation for the merging of duplicates: same source, owner
  // letter and owner number, equal page and detail texts, date of entry,
  // actual text and comments.
  bool IsSame(const CCitationRecord& other) const;

  // The footnote of the citation. source is the cited source (null when it
  // cannot be read: it then adds nothing) and repository the one the source
  // names (null when unreadable; not used when the source names none). shortForm prints the
  // abbreviated author and title and leaves out the rest of the source; noSourceText leaves out
  // every text but the title and the citation's page and date; withActualText and withComments add
  // those texts of the source (full form) and of the citation. Returns out.
  const std::string& FormatFootnote(std::string& out, bool italics, bool shortForm,
                                    bool noSourceText, bool withActualText, bool withComments,
                                    const CSourceRecord* source,
                                    const CRepositoryRecord* repository) const;

  // The citation as one line of "; "-separated fields for the export:
  // author and title; two empty fields; publication information; call
  // number, detail and page; repository; then title supplement, date of
  // entry and the four long texts. Trailing separators are cut. Returns out.
  const std::string& FormatExportText(std::string& out, const CSourceRecord* source,
                                      const CRepositoryRecord* repository) const;

  std::string pageText;    // film, volume or page
  std::string detailText;  // carried along by the citation screen
  CDateValue entryDate;
  std::string comments;    // "" = none
  std::string actualText;  // "" = none
  std::unique_ptr<CMultimediaItem> image;
  std::int32_t sourceRin = 0;         // 0 = none
  std::int32_t nextCitation = 0;      // of the same owner
  std::int32_t previousCitation = 0;  // of the same owner
  std::int32_t numbers[2] = {};
  char ownerLetter = ' ';
  std::int32_t ownerNumber = 0;  // for owner letter 'P' the family link's number
  std::int32_t secondOwnerNumber = 0;
  std::uint8_t formatCode = kNewFormatCode;
  std::uint8_t quality = kNoQuality;  // 0 to 3; 4 = none

 private:
  // ", " and the page, ", " and the date of entry, as far as they are set.
  void AddCitationPiece(std::string& out) const;
};
