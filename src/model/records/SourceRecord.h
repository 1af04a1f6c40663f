#pragma once
// The source record (record type 130): a document, book or register that
// citations point to, with the footnote text that reports, the Source
// screens and the export print for it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DbCodes.h"
#include "MultimediaItem.h"
#include "RepositoryRecord.h"

// 0 when a and b are the same pointer, -1 when a is null, 1 when only b is
// null, else the byte comparison of the two texts (<0, 0, >0).
int CompareNullableStrings(const char* a, const char* b);

class CSourceRecord {
 public:
  static constexpr int kRecordType = db::kSource;

  CSourceRecord() = default;
  // Copies every field; the copy gets its own copy of the image.
  CSourceRecord(const CSourceRecord& other);
  CSourceRecord& operator=(const CSourceRecord& other);
  CSourceRecord(CSourceRecord&&) = default;
  CSourceRecord& operator=(CSourceRecord&&) = default;
  ~CSourceRecord() = default;

  // Numbers, flags and format bytes back to a new record's values, the texts
  // emptied, the image freed, no repository.
  void Clear();

  // A null text leaves none.
  void SetComments(const char* text) { comments = text ? text : ""; }
  void SetComments(std::string_view text) { comments = text; }
  void SetActualText(const char* text) { actualText = text ? text : ""; }
  void SetActualText(std::string_view text) { actualText = text; }
  // Puts item in place of the image and hands the old one back (null when
  // there was none); the caller drops it to delete it.
  std::unique_ptr<CMultimediaItem> SetImage(std::unique_ptr<CMultimediaItem> item);

  // The same source for the merging of duplicates: title, author, publication
  // information, title supplement and call number equal, and equal footnotes
  // (full title, italics on). repository and otherRepository are the
  // repositories that this source and other name, null when none can be read.
  bool IsSame(const CSourceRecord& other, const CRepositoryRecord* repository,
              const CRepositoryRecord* otherRepository) const;

  // The footnote: author, title (the abbreviated one first when abbreviated
  // is set, in <I></I> when italics is set and the source asks for it), title
  // supplement, publication information, repository and call number, ended by
  // "."; then the actual text in quotes and the comments. repository is the
  // record that repositoryRin names, null when it cannot be read; it is not
  // used when repositoryRin is 0. Returns out.
  const std::string& FormatFootnote(std::string& out, bool abbreviated, bool italics,
                                    const CRepositoryRecord* repository) const;

  // The title to print: the abbreviated or the full one as asked, the other
  // one when that is empty.
  const std::string& PreferredTitle(bool abbreviated) const;
  // repository when this source names one (repositoryRin not 0), else null.
  const CRepositoryRecord* NamedRepository(const CRepositoryRecord* repository) const;
  // The author to print in short footnotes: the abbreviated one, else the author.
  const std::string& ShortAuthor() const;

  std::int32_t recordNumber = 0;
  std::uint8_t bytes[4] = {};
  // Kept for the storage engine and the Source screens; 4 and 1 when new.
  std::uint8_t formatBytes[2] = {4, 1};
  std::uint8_t italicTitle = 0;        // print the title in italics
  std::uint8_t parenthesizeFacts = 0;  // publication information in round brackets

  std::string abbreviatedTitle;
  std::string title;
  std::string callNumber;
  std::string author;
  std::string abbreviatedAuthor;
  std::string publication;      // publication information
  std::string titleSupplement;  // printed after the title

  std::string comments;    // "" = none
  std::string actualText;  // "" = none

  std::unique_ptr<CMultimediaItem> image;

  std::int32_t repositoryRin = 0;  // 0 = none
  std::int32_t numbers[2] = {};
};

// Pieces shared by the footnote texts of sources and citations.
namespace footnote {

// Appends ", " when out is not empty, then piece.
void Add(std::string& out, std::string_view piece);
// The text without its trailing characters of codes 1 to 32.
std::string TrimTrailingBlanks(std::string_view text);
// True when out ends a sentence: in "." or in "." and a closing quote.
bool EndsWithPeriod(std::string_view out);
// Appends "." when out is not empty and does not end a sentence yet.
void EndSentence(std::string& out);
// title, in "<I>" "</I>" when italic is set and it is not empty.
std::string Italic(const std::string& title, bool italic);
// The publication information of source: after a non-empty out a blank, led
// by "," without the brackets flag; in round brackets with it. Nothing when
// the source has none.
void AddPublication(std::string& out, const CSourceRecord& source);
// The repository's name, then each non-empty address line, each after ", "
// when out is not empty. Nothing for a null repository.
void AddRepository(std::string& out, const CRepositoryRecord* repository);
// A film/volume/page text as printed: one made of digits, blanks, ',' and
// '-' only gets "pp. " before it when it holds a '-' or a ',', else "p. ";
// any other text stays as it is.
std::string PagePiece(std::string_view page);

}  // namespace footnote
