#pragma once
// The one walk over a book's blocks that both the paginator and the page
// generator make: it fits each block's lines with the line fitter and spends
// the page's half-lines. The paginator walks the whole book and records a
// position at every page break; the generator walks from a page's position
// and stops at the next break, so a page ends exactly where the next begins
// and nothing is drawn below the last line the paginator counted.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "BookContent.h"
#include "LineFitter.h"
#include "ReportDevice.h"

namespace rpt {

// The fonts of one book run.
struct BookFonts {
  CStyleFontSet narrative;  // body 150, underlined, heavy 800, small 100
  CStyleFontSet notes;      // the user's font, italic inverted, double weight; no small
  LogFont title;
  LogFont heading;
  LogFont footer;

  // The fonts of a book whose notes and sources are in the font described
  // by description ("Times New Roman;Normal;9pt").
  static BookFonts Make(const std::string& notesDescription);
  CStyleFontSet& SetFor(BookFontRole role);
};

// What the walk reports while it lays out; the paginator only counts pages,
// the generator draws.
class BookLayoutSink {
 public:
  virtual ~BookLayoutSink() = default;
  // A page break before pos; false ends the walk (the generator's page is done).
  virtual bool NewPage(const BookPosition& pos) = 0;
  // Block b begins at used half-lines from the top of the page.
  virtual void BlockStart(std::size_t, const BookBlock&, int /*used*/) {}
  // One fitted line of block b; first when it is the block's first line.
  virtual void Line(std::size_t, const BookBlock&, bool /*first*/, int /*x*/, int /*used*/,
                    std::string_view /*text*/, std::uint8_t /*style*/) {}
  // A paragraph break inside a block.
  virtual void ParagraphBreak(const BookBlock&) {}
  // Space between blocks (not at the top of a page).
  virtual void Gap(int /*halfLines*/) {}
};

class BookLayout {
 public:
  BookLayout(const std::vector<BookBlock>& blocks, BookFonts& fonts, ReportDevice& dc,
             int pageHalfLines)
      : blocks_(blocks), fonts_(fonts), dc_(dc), page_(pageHalfLines) {}

  // Walks from pos until the end of the blocks or until the sink refuses a
  // new page; answers the half-lines used on the last page.
  int Walk(const BookPosition& pos, BookLayoutSink& sink);

 private:
  bool Break(std::size_t block, std::size_t offset, BookLayoutSink& sink, std::uint8_t style);

  const std::vector<BookBlock>& blocks_;
  BookFonts& fonts_;
  ReportDevice& dc_;
  int page_;
  int budget_ = 0;
  int used_ = 0;
  bool atTop_ = true;
  // The photo box still beside the text: half-lines left and its block.
  int photoLeft_ = 0;
  const BookBlock* photo_ = nullptr;
};

// The first index record of each index page: the first page holds
// (L / 2 - 5) x C records, every further one ((L - 3) / 2) x C.
std::vector<std::uint32_t> BookIndexPageStarts(int pageHalfLines, int columns,
                                               std::uint32_t records);

}  // namespace rpt
