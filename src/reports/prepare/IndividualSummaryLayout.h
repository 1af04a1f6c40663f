#pragma once
// The Individual Summary (report kind 6): everything known of one individual
// or of each individual of a chosen set, each starting on a new page.
//
// One walk lays an individual out: it places every row, block and text line
// at a height on its page and breaks pages where the room ends. The pass runs
// it to make one page entry per page (the individual, the page number and the
// part and position at which the page begins); the page generator runs the
// same walk again to learn what stands on one page and where, so the pass and
// the pages can never disagree about a break. Heights are in thousandths of
// an inch; a page's room is the height left above its bottom, and an item
// placed with room r stands at y = bottom + r.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BitSet.h"
#include "LineFitter.h"
#include "PaginationRun.h"
#include "PaginatorState.h"
#include "ReportDevice.h"

namespace rpt {

// The options of the report (profile section "IndRpt") and the application
// options it reads.
struct IndividualSummaryOptions {
  int pageLM = 600, pageRM = 300, pageTM = 300, pageBM = 300;
  bool photoOpt = false;
  int photoX = 2000, photoY = 2000;
  int photoPlace = 2;  // 1 centred below the title, 0 left, others right
  bool photoReserve = true;
  bool listOpt = false;
  bool suppressRin = false;
  bool notes = true;
  bool sources = true;
  bool markedOnly = false;
  bool titleOnly = false;
  bool actText = true;
  bool comments = true;
  bool parInd = false;
  bool relInd = false;
  bool confident = false;
  bool contact = false;
  bool useName = true;
  std::string titlePrefix;  // empty after Load only when stored so
  std::string titleSuffix;
  bool showZel = false;          // "Options" ShowZelRpt
  std::string bodyFont;          // "Options" FontNotesRpt
  bool familyGroupBand = false;  // "FgrRpt" RelInd or ParInd: a band kept free at the bottom

  // The defaults, with the default title prefix and body font.
  IndividualSummaryOptions();
  // Reads the profile.
  static IndividualSummaryOptions Load();
};

// The band kept free above the bottom margin when the Family Group Record's
// relationship options are on; the pass and the pages both take it off.
constexpr int kSummaryFamilyGroupBand = 166;
constexpr int kSummaryTopBand = 700;
constexpr int kSummaryRow = 170;

// The first page's top band (title, photo and header line) for the options.
int SummaryPhotoBand(const IndividualSummaryOptions& options);
// The body font at its size (height -(points * 1000 / 72)).
LogFont SummaryBodyFont(const IndividualSummaryOptions& options);
// The three style fonts of the notes and footnotes from the body font.
CStyleFontSet SummaryStyleFonts(const LogFont& body);
// The body line height: font height * 120 / 100.
int SummaryLineHeight(const LogFont& body);

// Where a page begins.
enum SummaryPart : int {
  kSummaryStart = 0,
  kSummaryDetails = 1,
  kSummaryParents = 2,
  kSummaryMarriages = 3,
  kSummaryNotes = 4,
  kSummarySources = 5,
};
// Blocks of the personal details (part 1).
enum SummaryBlock : int {
  kBlockEvents = 0,
  kBlockOrdinances = 1,
  kBlockNames = 2,
  kBlockDescription = 3,
  kBlockContact = 4,
};

// One page; key is the individual's RIN.
struct SummaryPageEntry : PageEntry {
  int part = 0;
  int position = 0;
  int subPosition = 0;
  // The individual's citations in footnote order and NumberCitation's
  // repeat flags, shared by all the individual's entries.
  std::shared_ptr<std::vector<std::int32_t>> citations;
  std::shared_ptr<std::vector<std::uint8_t>> repeatFlags;
};

// What stands on a page.
enum class SummaryItemKind {
  kEventHeadings,     // column headings and their rule
  kEventRow,          // row: 1 birth .. 8 sealing to parents; number: the user event
  kOrdinanceRule,     // the rule above the ordinance block
  kDoubleRule,        // a double rule across the page
  kNames,             // the names and identifiers block
  kDescriptionLine,   // text: one line of the description
  kContactHeading,    // "Contact Information:"
  kContactLine,       // text
  kParentsHeading,    // heading, rule, column headings
  kParentRow,         // number: the family link
  kMarriagesHeading,  // continued: after the first marriage
  kMarriageRow,       // number: the MRIN
  kNotesHeading,      // continued
  kNotesLine,         // text
  kSourcesHeading,    // continued
  kSourceLine,        // number: citation index; row 0 the first line of the footnote; text
};

struct SummaryItem {
  SummaryItemKind kind;
  int y = 0;
  int row = 0;
  std::int32_t number = 0;
  bool continued = false;
  std::string text;
  std::uint8_t style = kStyleNormal;  // the style a tagged line starts in
};

// What the walk is given.
struct SummaryWalkSetup {
  ReportDevice* dc = nullptr;  // measures the description, notes and footnotes
  int pageWidth = 0;
  int pageHeight = 0;  // already less the family-group band when it applies
  int lineHeight = 0;
  int photoBand = kSummaryTopBand;
  int topBand = kSummaryTopBand;
  bool reservePhoto = true;
  IndividualSummaryOptions options;
};

// The layout of one individual: its pages' starts and, for the page asked
// for (counted from 1 within the individual), its items.
struct SummaryLayout {
  bool exists = false;
  struct Start {
    int part = 0, position = 0, subPosition = 0;
    int firstPageRoom = 0;  // the room the page starts with
  };
  std::vector<Start> pages;
  std::vector<SummaryItem> items;  // of the page asked for
  std::vector<std::int32_t> citations;
  std::vector<std::uint8_t> repeatFlags;
};

// Lays out rin. wantPage 0 collects no items. Without citations the walk
// numbers the individual's citations (the pass); the pages hand in the
// lists of their entry instead.
SummaryLayout LayOutIndividualSummary(std::int32_t rin, const SummaryWalkSetup& setup, int wantPage,
                                      const std::vector<std::int32_t>* citations = nullptr,
                                      const std::vector<std::uint8_t>* repeatFlags = nullptr);

// The footnote number of a citation from an individual's citation list: one
// more than the index of the first entry citing the same source; 0 when none
// does.
int SummaryFootnoteNumber(std::int32_t citation, const std::vector<std::int32_t>& list);

// The individuals of a run: one, or every RIN whose bit is set in a set.
struct SummaryRunRequest {
  std::int32_t individual = 0;
  const CBitSet* set = nullptr;
};

// The pass: frees an earlier run's pages, turns the report image mode on,
// lays out each individual under the PAGINATOR window (no Cancel; the window
// is pumped between individuals) and answers the number of page entries.
int PaginateIndividualSummary(const SummaryRunRequest& request, const SummaryWalkSetup& setup,
                              PaginatorWindow& window);
// Frees the page entries and NumberCitation's lists and ends the report image
// mode.
void CleanupIndividualSummaryPages();

}  // namespace rpt
