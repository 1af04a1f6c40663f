#pragma once
// The Pedigree and Family Group pages of the Reports and Charts sheet. Their
// choices live in rpt::CPedigreeOptions and rpt::CFamilyGroupOptions; the
// pages show them and forward the clicks.

#include <memory>

#include "FamilyGroupPageOptions.h"
#include "PedigreeOptions.h"
#include "ReportsPropSheet.h"
#include "SheetFamilyReads.h"

// Both pages: an unsigned 32-bit number field with the framework's range
// message.
class CChartPageBase : public CReportSheetPage {
  Q_OBJECT

 public:
  using CReportSheetPage::CReportSheetPage;

 protected:
  bool ExchangeUInt32(bool save, int id, std::uint32_t& value);
};

class CPedigreePage : public CChartPageBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 401;
  static constexpr int kIdcPersonGroup = 629;
  static constexpr int kIdcName = 630;
  static constexpr int kIdcSearch = 631;
  static constexpr int kIdcTypeGroup = 617;
  static constexpr int kIdcSinglePage = 618;  // Single page, Cascading, Blank form, VIP
  static constexpr int kIdcGensPerPage = 633;
  static constexpr int kIdcFirstChart = 635;
  static constexpr int kIdcSameAs = 637;
  static constexpr int kIdcOnChart = 639;
  static constexpr int kIdcContinuation = 641;
  static constexpr int kIdcGenerations = 643;
  static constexpr int kIdcNumberingGroup = 626;
  static constexpr int kIdcFixed = 627;  // Fixed, Sequential
  static constexpr int kIdcIndexGroup = 622;
  static constexpr int kIdcNoIndex = 623;  // No index, Include index, Index only
  static constexpr int kIdcOtherGroup = 644;
  static constexpr int kIdcPreparedBy = 645;
  static constexpr int kIdcPhotos = 646;
  static constexpr int kIdcSuppressRin = 647;
  static constexpr int kIdcParentLinks = 648;
  static constexpr int kIdcParentIndicators = 649;
  static constexpr int kIdcSplit = 650;

  explicit CPedigreePage(CReportsPropSheet& sheet);

  rpt::CPedigreeOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override { return logic_; }
  void OnSetActive() override;
  bool OnKillActive() override;
  void ShowStartingPerson() override;

  // The clicks.
  void OnChartType();
  void OnNumbering();
  void OnGensPerPage();
  void OnFirstChartLeft();
  void OnSearch();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void ShowEnabled();
  rpt::CPedigreeOptions logic_;
  bool switching_ = false;
};

class CFamilyGroupPage : public CChartPageBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 402;
  static constexpr int kIdcPersonGroup = 675;
  static constexpr int kIdcParent = 676;
  static constexpr int kIdcChild = 677;
  static constexpr int kIdcMrin = 679;
  static constexpr int kIdcPrimaryName = 680;
  static constexpr int kIdcSpouse = 682;
  static constexpr int kIdcUseList = 683;
  static constexpr int kIdcSearch = 684;
  static constexpr int kIdcTypeGroup = 652;
  static constexpr int kIdcSingleFamily = 653;  // Single family, Cascading, Blank form
  static constexpr int kIdcExpanded = 656;      // Expanded, Medium, Condensed
  static constexpr int kIdcGenerations = 672;
  static constexpr int kIdcUp = 673;  // Up, Down
  static constexpr int kIdcNotesGroup = 660;
  static constexpr int kIdcSourceNotes = 661;
  static constexpr int kIdcTitlesOnly = 662;
  static constexpr int kIdcActualText = 663;
  static constexpr int kIdcComments = 664;
  static constexpr int kIdcGeneralNotes = 665;
  static constexpr int kIdcMarkedOnly = 666;
  static constexpr int kIdcConfidential = 667;
  static constexpr int kIdcParentsOnly = 669;
  static constexpr int kIdcNotesFirstPage = 670;
  static constexpr int kIdcOtherGroup = 685;
  static constexpr int kIdcPreparedBy = 686;
  static constexpr int kIdcPhotos = 687;
  static constexpr int kIdcOtherEvents = 688;
  static constexpr int kIdcParentLinks = 689;
  static constexpr int kIdcBlankBoxes = 690;
  static constexpr int kIdcOtherMarriages = 691;
  static constexpr int kIdcSuppressRin = 692;
  static constexpr int kIdcParentIndicators = 693;
  static constexpr int kIdcMarkDirect = 694;

  explicit CFamilyGroupPage(CReportsPropSheet& sheet);

  rpt::CFamilyGroupOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override { return logic_; }
  void OnSetActive() override;
  bool OnKillActive() override;

  void OnChartType();
  void OnRole(int role);
  void OnUseList();
  void OnSearch();
  void OnNotes();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void ShowCouple();
  void ShowEnabled();
  rpt::DbCoupleSource source_;
  rpt::CFamilyGroupOptions logic_;
};

// Adds the two pages to the sheets made from now on.
void RegisterPedigreeAndFamilyGroupPages();
