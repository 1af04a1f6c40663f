#pragma once
// The content of a book (an Ahnentafel or a Modified Register) as a list of
// blocks: titles, chapter headings, person and spouse paragraphs, children
// lists, notes, source citations. The paginator measures the blocks into
// pages and the page generator draws them again from where a page begins;
// the web writer walks the same blocks without a device. A block knows
// where its lines go on a page (offsets from the printable left edge, in
// thousandths of an inch) and how much vertical room it takes, in half-lines
// of 83 thousandths.

#include <cstdint>
#include <string>
#include <vector>

#include "ReportDevice.h"

namespace rpt {

enum class BookBlockKind : int {
  kTitle,                   // the book title on page 1
  kChapterHeading,          // "First Generation"
  kPerson,                  // a numbered person's paragraph
  kSpouse,                  // a spouse's paragraph
  kReference,               // a repeated person: "X is printed as #n on page p."
  kNotes,                   // general notes (embedded or in the appendix)
  kNotesAppendixHeading,    // "Appendix A  -  Notes"
  kNotesHeading,            // the person's number and name above appendix notes
  kSourcesHeading,          // "Sources" after a chapter
  kSourcesAppendixHeading,  // "Appendix A  -  Sources"
  kCitation,                // one numbered source citation
  kChildrenHeading,         // "X and Y had the following children:"
  kChild,                   // one entry of a children list
};

// Fonts a block's lines are fitted and drawn in.
enum class BookFontRole : int {
  kNarrative,   // the narrative style fonts (body, underlined, heavy, small)
  kNotes,       // the user's notes font and its italic and heavy forms
  kTitle,       // titles, centred
  kHeading,     // chapter headings, centred
  kSubHeading,  // "Sources" after a chapter, centred in the heavy notes font
};

// Text placed left of a block's first line (a number, a label, a child's
// numeral): right-aligned ends at x, left-aligned starts at x.
struct BookPrefix {
  int x = 0;
  char align = 'r';
  std::string text;
};

struct BookBlock {
  BookBlockKind kind = BookBlockKind::kPerson;
  BookFontRole font = BookFontRole::kNarrative;
  int person = -1;           // the person (queue item or register node) it belongs to
  std::int32_t rin = 0;      // the individual of the block (index mark, photo)
  std::int32_t mrin = 0;     // a spouse's marriage (spouse index mark)
  std::uint32_t number = 0;  // the person's number in the book
  int generation = 0;        // chapter of the block
  int section = 0;           // 0 narrative, 1 notes appendix, 3 sources
  int part = 0;              // where in the person's block: 0 person, 1 notes, 2 spouse, 3+ child
  std::vector<BookPrefix> prefixes;
  std::string text;                  // with style tags; CR LF line breaks, CR LF CR LF paragraphs
  int firstX = 400, firstWidth = 0;  // the first line
  int laterX = 400, laterWidth = 0;  // the lines after it
  int gapBefore = 0;                 // half-lines before the block, not at the top of a page
  int gapAfter = 0;                  // half-lines after it
  int keepRoom = 0;                  // half-lines needed for its start, else a new page
  bool pageBreakBefore = false;      // starts a new page unless at the top of one
  bool centred = false;              // one centred line (titles and headings)
  // A photo box beside the block's first lines (photoLines 0: none): the
  // lines beside it give up photoAllowance, on the left from photoX.
  int photoLines = 0;
  int photoAllowance = 0;
  int photoX = 0;
  bool photoLeft = true;
  // A cross reference: the listing it points to. Ahnentafel: the queue item
  // of the first occurrence (refCode -1); register: node and position code.
  int refNode = -1;
  int refCode = -1;
};

// Where a page begins: the block, the byte offset in its text, the half-lines
// the page offers and the style the text continues in.
struct BookPosition {
  std::size_t block = 0;
  std::size_t offset = 0;
  int budget = 0;
  std::uint8_t style = 0;
};

}  // namespace rpt
