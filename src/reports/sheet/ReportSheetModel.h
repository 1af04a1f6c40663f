#pragma once
// What the Reports and Charts sheet decides, without windows: the starting
// person, the choices kept from one opening to the next, the print-to-file
// switch, and the road from a page's Print or Preview to the command posted
// to the view that prints: the checks, the print state, the report kind and
// ReportRequest.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "CommandIds.h"
#include "ReportChoiceState.h"
#include "ReportKinds.h"
#include "ReportSheetRules.h"

namespace rpt {

// The main view that will print the report.
class ReportSheetTarget {
 public:
  virtual ~ReportSheetTarget() = default;
  // 1 pedigree view, 3 family view, 0 none.
  virtual int ViewKind() const = 0;
  virtual std::int32_t CurrentRin() = 0;
  virtual std::int32_t CurrentMrin() = 0;
  // The run goes to an RTF file (the "Print to file" check).
  virtual void SetRtfOutput(bool toFile) = 0;
  virtual void SetReportKind(int kind) = 0;
  // Runs the command once the sheet has closed.
  virtual void PostCommand(unsigned id) = 0;
};

// The photo choices of a page's section: PhotoOpt, PhotoX and PhotoY
// (thousandths of an inch), PhotoPlace, PhotoRsrv.
struct PagePhotos {
  int opt = 0;
  int width = 0, height = 0;
  int place = 0;
  int reserve = 1;
  bool operator==(const PagePhotos&) const = default;
};
// A page's margins (PageLM, PageTM, PageRM, PageBM) and photo keys; reading
// takes the values passed in as the defaults.
void ReadMarginsAndPhotos(const char* section, PageMargins& margins, PagePhotos& photos);
void WriteMarginsAndPhotos(const char* section, const PageMargins& margins,
                           const PagePhotos& photos);

// One page of the sheet as the sheet's road needs it.
class SheetPageLogic {
 public:
  virtual ~SheetPageLogic() = default;
  virtual int PageKind() const = 0;
  virtual int ReportKind() const { return PageKind(); }
  // The Ancestry and Descendants pages with the wall chart chosen.
  virtual bool WallChart() const { return false; }
  virtual PageMargins Margins() const = 0;
  virtual void SetMargins(const PageMargins& margins) = 0;
  // The page's photo choices for the Photos button (null: none), and the
  // report the photo dialog names (1 Pedigree ... 6 Individual, 7 Scrapbook).
  virtual PagePhotos* Photos() { return nullptr; }
  virtual int PhotoReportIndex() const { return 0; }
  // Writes the page's section of the profile.
  virtual void WriteSettings() = 0;
  // Puts the page's part into the request; false when no report starts.
  virtual bool FillRequest(ReportRequest& request) = 0;
  // Just before the command: what the page keeps for the next opening.
  virtual void BeforeRun(CReportChoiceState& /*choices*/, bool /*preview*/) {}
};

// The checks that need the printer; the defaults pass.
struct SheetChecks {
  std::function<bool(const SheetPageLogic& page)> printableArea;
  // The wall-chart warning: true to go on.
  std::function<bool(const SheetPageLogic& page)> wallChartFit;
  std::function<void()> saveOptions;
};

// The choices kept between openings of the sheet (null until the sheet
// first opens).
std::unique_ptr<CReportChoiceState>& ReportChoiceSlot();
// The page the sheet opens on next time (page kind - 1).
int& NextReportSheetPage();

class CReportSheetModel {
 public:
  static constexpr const char* kReportsSection = "Reports";
  static constexpr const char* kPrintToFileKey = "PrintToFile";

  // Sets up the choices and the starting person. readName answers the
  // display name of a live individual, or false when none can be read.
  CReportSheetModel(ReportSheetTarget& target,
                    std::function<bool(std::int32_t rin, std::string& name)> readName);

  ReportSheetTarget& Target() { return target_; }
  CReportChoiceState& Choices() { return *ReportChoiceSlot(); }

  std::int32_t StartingRin() const { return startingRin_; }
  const std::string& StartingName() const { return startingName_; }
  bool HasStartingPerson() const { return hasStartingPerson_; }
  // Makes rin the starting person; false (nothing changes) when it cannot
  // be read.
  bool SetStartingPerson(std::int32_t rin);

  bool PrintToFile() const { return printToFile_; }
  // Stores the check at once.
  void SetPrintToFile(bool on);
  bool PrintOnOk() const { return printOnOk_; }

  SheetChecks checks;

  // Print (the sheet has closed through OK) or Preview: true when the
  // command was posted. A check that stops a print leaves the print state
  // 6, so that the sheet opens again.
  bool RunReport(SheetPageLogic& page, bool preview);
  // Every page's Cancel: without a pending report the kept choices go.
  void DropReportChoiceState();

 private:
  bool StartReport(SheetPageLogic& page, unsigned command);

  ReportSheetTarget& target_;
  std::function<bool(std::int32_t, std::string&)> readName_;
  std::int32_t startingRin_ = 0;
  std::string startingName_;
  bool hasStartingPerson_ = false;
  bool printToFile_ = false;
  bool printOnOk_ = true;
};

}  // namespace rpt
