#pragma once
// The Ancestry and Descendants pages' choices: one class for both charts,
// kept in AncRpt or DescRpt. The standard chart's margins live in AncRpt
// and the wall chart's in DescRpt, each set shared by the two charts.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ReportSheetModel.h"

namespace rpt {

class CAncDescOptions : public SheetPageLogic {
 public:
  static constexpr const char* kAncestrySection = "AncRpt";
  static constexpr const char* kDescendantsSection = "DescRpt";
  enum ChartType : int { kStandard = 0, kWall = 1 };
  static constexpr int kGensPerPageLow = 1;
  static constexpr int kGensPerPageHigh = 99;
  // The Title flag's place in ReportRequest::options.
  static constexpr int kRequestTitleSlot = 0;

  // Loads the chart's section. With an identifier display of 0 the RINs are
  // always suppressed.
  CAncDescOptions(bool ancestry, int identifierDisplay);

  const char* Section() const { return ancestry ? kAncestrySection : kDescendantsSection; }
  bool SuppressRinEnabled() const { return identifierDisplay != 0; }

  // One step of the generations-per-page spin (+1 or -1), held to 1..99.
  void StepGensPerPage(int delta);

  // SheetPageLogic
  int PageKind() const override { return ancestry ? kPageAncestry : kPageDescendants; }
  bool WallChart() const override { return type == kWall; }
  // The margins of the chart type chosen now.
  PageMargins Margins() const override { return WallChart() ? wallMargins : standardMargins; }
  void SetMargins(const PageMargins& m) override;
  PagePhotos* Photos() override { return &photos; }
  int PhotoReportIndex() const override { return PageKind(); }
  // Writes the page's keys, then the margins of the current chart type
  // only, then the photo sizes.
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;

  std::function<std::int32_t()> startingRin;

  bool ancestry = true;
  int identifierDisplay = 0;
  int type = kStandard;
  int gens = 999;
  int indent = 3;
  int title = 1;
  int printGens = 0;
  int dateType = 1;
  int stdBirthPl = 0;
  int stdDeathPl = 0;
  int gensPerPage = 3;
  int box = 0;
  int suppressRin = 0;
  int relInd = 0;
  int parInd = 0;
  PagePhotos photos{0, 1000, 1000, 3, 1};  // opt is PhotoOpt
  PageMargins standardMargins{500, 300, 300, 300};
  PageMargins wallMargins{250, 250, 250, 250};
};

// The box style keys of a chart's section and the shared wall-chart
// colours of Reports.
struct WallBoxStyle {
  int corner = 0, line = 0, shade = 0, shadow = 0;
  std::uint32_t shadeColor = 0xF0F0F0, shadowColor = 0xD8D8D8;
  bool operator==(const WallBoxStyle&) const = default;
};
WallBoxStyle ReadWallBoxStyle(const char* section);
// Writes the four section keys and the colours as "0X%lX".
void WriteWallBoxStyle(const char* section, const WallBoxStyle& style);

// What a wall-chart box shows (the keys the item dialog sets): the
// name-line years, the event lines and their layout, two further event
// types, two note tags with their tag name and lines per note, and the
// record texts.
struct WallBoxItems {
  int nameBirth = 1, nameMarriage = 0, nameDeath = 1;
  int birth = 0, christening = 0, birthOrChristening = 0;
  int death = 0, burial = 0, deathOrBurial = 0;
  int marriage = 0;
  std::string event1, event2;  // event type titles; empty: none
  int dateLine = 0, placeLine = 0, dateAndPlace = 0, descriptionLine = 0;
  std::string note1, note2;  // note tags; empty: none
  int tagName = 1;
  int linesPerNote = 0;  // index of "1", "2", "3"
  int causeOfDeath = 0, id = 0, sbn = 0, zel = 0;
  bool operator==(const WallBoxItems&) const = default;
};
// The Descendants chart shows the marriage year and two lines per note
// unless told otherwise.
WallBoxItems ReadWallBoxItems(bool ancestry);
// Writes every item key of the chart's section.
void WriteWallBoxItems(bool ancestry, const WallBoxItems& items);

// The entries of the item dialog's lists, each led by an empty entry (none):
// the user's note tags when the first is set, else the standard ones, without
// "All"; the titles of the file's individual event types.
std::vector<std::string> WallItemNoteTagChoices();
std::vector<std::string> WallItemEventChoices();

}  // namespace rpt
