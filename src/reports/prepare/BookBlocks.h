#pragma once
// The blocks both books make alike: the title, chapter headings, notes,
// the notes appendix heading, and the numbered source citations after a
// chapter or in the sources appendix.

#include <cstdint>
#include <string>

#include "BookPagination.h"
#include "ReportDevice.h"

namespace rpt {

class BookBlockMaker {
 public:
  // dc measures the number labels (null in web mode: labels do not indent).
  BookBlockMaker(BookRun& run, ReportDevice* dc) : run_(run), dc_(dc) {}

  // "%lu.  "
  static std::string NumberLabel(std::uint32_t number);
  // How far a number label pushes the first line right: its width less 400.
  int LabelIndent(const std::string& label);

  // The book title: prefix (defaultPrefixId when the profile has none), the
  // starting person's name when wanted, suffix.
  void Title(unsigned defaultPrefixId);
  void ChapterHeading(int generation, int person);
  // The person's numbered paragraph (label hanging left of the text).
  BookBlock& Paragraph(BookBlockKind kind, int person, std::int32_t rin, std::uint32_t number,
                       int generation, std::string text, bool numbered, int x = 400);
  // Gives the block of rin a photo box when photos are on and rin has a
  // photo, or space is reserved for missing ones.
  void Photo(BookBlock& block);
  // The general notes of rin (marked only and confidential as the options
  // say, marks removed): embedded below a paragraph or in the appendix.
  // False when the filtered notes are empty.
  bool Notes(int person, std::int32_t rin, bool appendix, int part);
  // "Appendix A  -  Notes" on a new page.
  void NotesAppendixHeading();
  // The person's number and name above appendix notes.
  void NotesHeading(int person, std::uint32_t number, std::int32_t rin, const std::string& suffix);
  // The citations of a chapter ("Sources" heading) or all of them in the
  // sources appendix.
  void ChapterSources(int generation);
  void SourcesAppendix();
  // The boundary of a chapter: the citation count now.
  void EndChapter();

 private:
  void Citations(std::size_t first, std::size_t last, int generation);

  BookRun& run_;
  ReportDevice* dc_;
};

// The filtered general notes of individual rin as both books measure and
// draw them.
std::string BookNotes(const BookOptions& options, std::int32_t rin);

// True (after the message under caption and the clean-up) when the book
// would pass the entry limit.
bool BookOverLimit(std::uint64_t entries, unsigned captionId);

}  // namespace rpt
