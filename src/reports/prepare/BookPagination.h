#pragma once
// What the Ahnentafel and the Modified Register books share: the options of a
// run, the persons of the book (the Ahnentafel's queue, the register's
// nodes), the blocks of its content, the page entries, the lookups the page
// generators and the web writer read, and the clean-up. One book run exists
// at a time; each run starts by cleaning up the previous one.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "BookContent.h"
#include "BookIndex.h"
#include "BookLayout.h"
#include "PaginatorState.h"
#include "ReportDevice.h"

namespace plat {
class ProfilePort;
}

namespace rpt {

constexpr int kBookHalfLine = 83;
// The most entries (persons and pages) a book may have.
constexpr std::uint64_t kBookEntryLimit = 1000000;
// Ahnentafel numbers are 32-bit: the 32nd generation reaches 2^32 - 1.
constexpr int kMaxAhnentafelGenerations = 32;

struct BookOptions {
  int mode = 0;  // 0 printed book, 2 web pages
  std::int32_t startRin = 0;
  bool sourceNotes = false;
  bool generalNotes = false;
  bool embedNotes = true;
  bool endChapter = false;  // sources after each chapter, else in an appendix
  bool index = true;
  bool newPagePerGeneration = false;
  int appendVal = 0;  // 0 when RINs are suppressed
  bool suppressRin = false;
  bool capitalSurnames = false;
  bool zel = false;
  int generations = 32;
  int repeat = 1;  // 0 eliminate, 1 abbreviated reference, 2 full repeat
  bool otherEvents = false;
  bool multipleParents = false;
  bool parentLinks = false;
  bool actualText = false;
  bool comments = false;
  bool titleOnly = false;
  bool confidential = false;
  bool markedOnly = false;
  bool photos = false;        // PhotoOpt
  bool photoLeft = true;      // PhotoPlace 0
  bool photoReserve = false;  // PhotoRsrv: a box also for a person without a photo
  int photoWidth = 1000;      // PhotoX
  int photoHeight = 1250;     // PhotoY
  int textWidth = 6500;       // thousandths of an inch
  int pageHalfLines = 0;      // (printable height - 180) / 83; web: persons per page
  int indexColumns = 1;
  std::string notesFont = "Times New Roman;Normal;9pt";
  std::string titlePrefix, titleSuffix;  // empty prefix: the book's default
  bool titleUseName = true;

  // Index columns for a text width: (W - 2900) / 3150 + 1, or with the notes
  // column (general notes in an appendix) (W - 3150) / 3400 + 1.
  static int IndexColumnsFor(int textWidth, bool notesColumn);
};

// The BkRpt settings (and AhnRpt or MRRpt titles) of a printed book for a
// page of width x height inside the margins. Generations are held to 1..32
// for the Ahnentafel whatever the profile says.
BookOptions ReadBookOptions(plat::ProfilePort& profile, bool modifiedRegister,
                            std::int32_t startRin, int width, int height);

// A person of the book: an Ahnentafel queue item or a register node.
struct BookPerson {
  std::uint32_t number = 0;
  std::int32_t slot = 0;  // Ahnentafel: the RIN, or an extra slot above the highest RIN
  std::int32_t rin = 0;
  std::int32_t marriage = 0;
  int generation = 1;
  int page = 0;       // where the person's text begins (web: the generation page)
  int notesPage = 0;  // notes appendix page, 0 when none
  int childItem = -1;
  int parentItem = -1;
  int firstOccurrence = -1;  // a repeated person: the item of the first listing
  bool reference = false;    // printed as an abbreviated reference
  int parentNode = -1;       // register: the node of the parent
  std::size_t block = 0;     // the person's own block
};

// A person listed in a register: the node's person, a spouse, a child or a
// child's spouse, by node and position code.
struct RegisterListing {
  std::uint32_t number = 0;  // the register number (a spouse: of the person married)
  std::int32_t rin = 0;
  int generation = 0;
  bool spouse = false;
  std::size_t block = 0;       // the block that shows the listing
  std::size_t notesBlock = 0;  // 0: none
};

struct BookPageEntry : PageEntry {
  static constexpr int kNarrative = 0, kNotes = 1, kIndex = 2, kSources = 3;
  int section = kNarrative;
  int part = 0;
  int startKind = 0;  // 0 the page opens a chapter or section, 1 it continues
  std::int32_t offset = 0;
  BookPosition position;         // where the drawing resumes
  std::uint32_t indexStart = 0;  // index pages: the first entry
  bool indexFirst = false;       // the first index page (heading)
};

struct BookRun {
  bool modifiedRegister = false;
  BookOptions options;
  BookFonts fonts;
  std::vector<BookPerson> persons;
  std::vector<BookBlock> blocks;
  std::vector<int> blockPage;  // the page on which each block begins
  std::vector<std::int32_t> citations;
  std::vector<std::uint8_t> seenFlags;
  std::vector<std::uint16_t> boundaries;  // the citation count at the end of each chapter
  std::map<std::pair<int, int>, RegisterListing> listings;  // (node, position code)
  std::string folder;
  int highestRin = 0;
};

BookRun& CurrentBook();

// The person n (queue item or node), null past the last.
const BookPerson* GetBookPerson(int n);
// The page entry of page (1 = first).
BookPageEntry* FindBookPage(int page);
// The chapter's citations [first, last) of generation g (1 = first chapter):
// from the previous boundary to this one; a chapter without its boundary
// ends at the citation count.
std::pair<std::size_t, std::size_t> ChapterCitations(const BookRun& run, int generation);

// Frees the page entries, persons, blocks and citation lists, closes and
// deletes the work files and ends the report picture mode.
void CleanupBookPages();

// Creates the run's work folder, the person-slot file slotFile (when named:
// 16 bytes a RIN, zero-filled in blocks of 50 slots, after a free-space
// check) and, with the index on, "~bkindex.tmp" (a failure tells the user
// and the book goes on without an index). False when the folder or the slot
// file could not be had (the user has been told).
bool OpenBookWorkFiles(BookRun& run, const std::string& title, const std::string& slotFile = {});

// Sets up the current book for a run with options and generations (already
// bounded) and opens its work files as above, then turns on the report
// picture mode with fresh citation lists. False, cleaned up, when the work
// files could not be had.
bool StartBookRun(const BookOptions& options, int generations, bool modifiedRegister,
                  const std::string& title, const std::string& slotFile = {});

// A person's slot in the slot file: Ahnentafel number (0: empty), generation,
// page of the paragraph, page of the appendix notes.
struct BookPersonSlot {
  std::uint32_t number = 0;
  std::int32_t generation = 0;
  std::int32_t page = 0;
  std::int32_t notesPage = 0;
};
constexpr std::size_t kBookSlotSize = 16;
constexpr const char* kAhnentafelSlotFileName = "~KorDUPAH.TMP";
// Slot s of the slot file (zeros outside what was written).
BookPersonSlot ReadBookPersonSlot(std::int32_t slot);
bool WriteBookPersonSlot(std::int32_t slot, const BookPersonSlot& value);
// Measures the blocks into page entries (index pages appended when the index
// is on); answers the page count. pageAdded, when given, hears the page count
// as each page is made.
int PaginateBookBlocks(BookRun& run, ReportDevice& dc,
                       const std::function<void(int)>& pageAdded = {});

// The name of individual rin as the book prints it ("" when unreadable).
std::string BookPersonName(std::int32_t rin, bool surnameFirst = false);

}  // namespace rpt
