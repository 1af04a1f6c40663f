#pragma once
// The Ancestry and Descendants pages of the Reports and Charts sheet: one
// page class for both charts, standard or wall chart. The choices live in
// rpt::CAncDescOptions; the page shows them and forwards the clicks.

#include "AncDescPageOptions.h"
#include "ReportsPropSheet.h"

class CAncDescPage : public CReportSheetPage {
  Q_OBJECT

 public:
  static constexpr int kAncestryIdd = 403;
  static constexpr int kDescendantsIdd = 404;
  static constexpr int kIdcPersonGroup = 696;
  static constexpr int kIdcName = 697;
  static constexpr int kIdcSearch = 698;
  static constexpr int kIdcStandard = 706;  // Standard chart, Wall chart
  static constexpr int kIdcWall = 707;
  static constexpr int kIdcGenerations = 701;  // its label is 700
  static constexpr int kIdcSuppressRin = 702;
  static constexpr int kIdcParentLinks = 703;
  static constexpr int kIdcParentIndicators = 704;
  // The standard chart's controls: 708-719.
  static constexpr int kIdcIndent = 709;  // its label 708, "1/10 inch" 710
  static constexpr int kIdcTitles = 711;
  static constexpr int kIdcPrintGens = 712;
  static constexpr int kIdcDateGroup = 713;
  static constexpr int kIdcNoDates = 714;  // No dates, Year only, Full dates
  static constexpr int kIdcIncludeGroup = 717;
  static constexpr int kIdcBirthPlace = 718;
  static constexpr int kIdcDeathPlace = 719;
  // The wall chart's controls: 720-726.
  static constexpr int kIdcGensPerPage = 721;  // its label 720; a spin box
  static constexpr int kIdcPhotos = 723;
  static constexpr int kIdcBox = 724;
  static constexpr int kIdcBoxStyles = 725;
  static constexpr int kIdcSelectItems = 726;

  CAncDescPage(CReportsPropSheet& sheet, bool ancestry);

  rpt::CAncDescOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override { return logic_; }
  void OnSetActive() override;
  bool OnKillActive() override;
  void ShowStartingPerson() override;
  bool WallChartFits() override;
  bool SuppressRinChecked() const override { return GetCheck(kIdcSuppressRin) == 1; }

  // The clicks.
  void OnChartType();
  void OnPhotos();
  void OnBox();
  void OnBoxStyles();
  void OnSelectItems();
  void OnSearch();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void ShowChartType();
  rpt::CAncDescOptions logic_;
  QWidget* standardBox_ = nullptr;
  QWidget* wallBox_ = nullptr;
};

// Adds both pages to the sheets made from now on.
void RegisterAncestryAndDescendantsPages();
