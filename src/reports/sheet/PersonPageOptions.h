#pragma once
// The choices of the Individual Summary, Scrapbook and Calendar pages: each
// loads its profile section with the defaults, decides which controls are
// on, writes the section back in its own order and fills the run's request.
// The two pages that can print a chosen set of individuals share the texts
// of the starting-person group ("Use list").

#include <cstdint>
#include <string>

#include "ReportSheetModel.h"

namespace rpt {

// The document's filter set as the pages show it.
struct FilterSummary {
  bool present = false;
  std::string name;
  long count = 0;
};

// The starting-person group's title, field and button texts.
struct StartingGroupTexts {
  std::string group, field, button;
  bool operator==(const StartingGroupTexts&) const = default;
};
// With "Use list": "Filter - <name>" (the name only when there is a set),
// the set's count, "&Select"; without: "Starting Person", the starting
// person's name, "&Search".
StartingGroupTexts MakeStartingGroupTexts(bool useList, const FilterSummary& filter,
                                          const std::string& startingName);

// IndRpt.
class CIndividualSummaryOptions : public SheetPageLogic {
 public:
  static constexpr const char* kSection = "IndRpt";
  // identifierDisplay: the Preferences option AppendVal; 0 forces the RINs
  // off.
  explicit CIndividualSummaryOptions(int identifierDisplay);

  struct Enabled {
    bool markedOnly = false, titlesOnly = false, actualText = false, comments = false;
    bool suppressRin = true;
    bool operator==(const Enabled&) const = default;
  };
  Enabled EnabledStates() const;

  int PageKind() const override { return kPageIndividualSummary; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  PagePhotos* Photos() override { return &photos; }
  int PhotoReportIndex() const override { return 6; }
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;

  std::int32_t startingRin = 0;  // set by the page from the sheet
  int identifierDisplay = 0;
  int listOpt = 0;
  int notes = 1, markedOnly = 0, source = 1, titleOnly = 0, actText = 1, comments = 1;
  int suppressRin = 0, relInd = 0, parInd = 0, confident = 0, contact = 0;
  PagePhotos photos{0, 2000, 2000, 2, 1};
  PageMargins margins{600, 300, 300, 300};
};

// ScrapRpt.
class CScrapbookOptions : public SheetPageLogic {
 public:
  static constexpr const char* kSection = "ScrapRpt";
  static constexpr int kMinPerPage = 1;
  static constexpr int kMaxPerPage = 99;
  explicit CScrapbookOptions(int identifierDisplay);

  struct Enabled {
    bool boxStyles = false;
    bool captionPosition = false;
    bool suppressRin = true;
    bool operator==(const Enabled&) const = default;
  };
  Enabled EnabledStates() const;
  // The spin arrows: +1 or -1, kept within 1 to 99.
  static int Step(int value, int delta);
  // "Use Photo Size ( h.hhh" x w.www") As".
  std::string PhotoSizeLabel() const;
  // The caption position the save step writes: the shown one while
  // captions are on, else the one loaded.
  void SetShownCaptionPosition(int position);

  int PageKind() const override { return kPageScrapbook; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  PagePhotos* Photos() override { return &photos; }
  int PhotoReportIndex() const override { return 7; }
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;

  std::int32_t startingRin = 0;
  int identifierDisplay = 0;
  int listOpt = 0, caption = 1, capPos = 1, fileName = 0, descr = 1, box = 1;
  int across = 2, down = 3, photoUse = 1, suppressRin = 1;
  // Only the sizes of the photo keys belong to this section.
  PagePhotos photos{1, 1000, 1000, 0, 0};
  PageMargins margins{700, 300, 300, 300};
};

// BkRpt: the Ahnentafel (report kind 200) or the Modified Register (201).
class CBooksOptions : public SheetPageLogic {
 public:
  static constexpr const char* kSection = "BkRpt";
  enum Type : int { kAhnentafel = 0, kModifiedRegister = 1 };
  // showZel: the Preferences option ShowZEL; off hides the ZEL check and
  // saves it as 0.
  CBooksOptions(int identifierDisplay, bool showZel);

  struct Enabled {
    bool titlesOnly = false, endOfChapter = false, text = false, comments = false;
    bool markedOnly = false, embed = false;
    bool suppressRin = true, zelShown = true;
    bool operator==(const Enabled&) const = default;
  };
  Enabled EnabledStates() const;
  // The most generations the chosen book takes (the least is 1).
  int GenerationsHigh() const { return type == kModifiedRegister ? 999 : 32; }
  // The two couplings of the chapter notes and the new-page check.
  void SetEndOfChapter(bool on);
  void SetNewPage(bool on);

  int PageKind() const override { return kPageBooks; }
  int ReportKind() const override { return type == kModifiedRegister ? 201 : 200; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  PagePhotos* Photos() override { return &photos; }
  int PhotoReportIndex() const override { return 5; }
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;

  std::int32_t startingRin = 0;
  int identifierDisplay = 0;
  bool showZel = false;
  int type = kAhnentafel;
  int sourceNotes = 1, titleOnly = 0, actText = 1, comments = 1, endChap = 1;
  int otherNotes = 1, markedOnly = 0, embedNotes = 1, repeat = 0, gens = 32, index = 1;
  int suppressRin = 0, relInd = 0, newPg = 0, parInd = 0, otherEvents = 0, confident = 0;
  int zel = 0;
  PagePhotos photos{0, 750, 750, 2, 0};
  PageMargins margins{1000, 1000, 1000, 1000};
};

// CalendarRpt.
class CCalendarOptions : public SheetPageLogic {
 public:
  static constexpr const char* kSection = "CalendarRpt";
  static constexpr int kYearLow = 100, kYearHigh = 2100;
  static constexpr int kAgeLow = 0, kAgeHigh = 999;
  enum Colour : int { kBorderLines = 0, kLines = 1, kDateBackground = 2 };

  // A stored Year of 0 opens on the given year and month (0 = January).
  CCalendarOptions(int currentYear, int currentMonth);

  // The year spin's arrows: +1 or -1 within 100 to 2100.
  static int StepYear(int year, int delta);
  std::uint32_t ColourOf(int which) const;
  // A changed colour is written at once.
  void SetColour(int which, std::uint32_t colour);
  // The border style dialog's OK: corner, line, shade and shade colour.
  void SetBorderStyle(int corner, int line, int shade, std::uint32_t shadeColour);

  int PageKind() const override { return kPageCalendar; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;

  int year = 0, month = 0;
  int living = 1, birthday = 1, anniversary = 1, divorceStat = 0, age = 1, ageUnder = 999;
  int womenName = 1, startDayOfWeek = 0;
  std::uint32_t borderLineColour = 0x000000, lineColour = 0x000000, backColour = 0xFFFFFF;
  std::uint32_t shadeColour = 0xF0F0F0;
  int boxCorner = 0, boxLine = 0, boxShade = 0;
  PageMargins margins{300, 300, 300, 300};
};

}  // namespace rpt
