#pragma once
// The Books, Individual Summary, Scrapbook and Calendar pages of the Reports
// and Charts sheet. Their choices live in the option classes of
// PersonPageOptions.h; the pages show them and forward the clicks.

#include <cstdint>
#include <functional>
#include <vector>

#include "PersonPageOptions.h"
#include "ReportsPropSheet.h"

class QWidget;

// The shared part of the two pages that print one person or the filter
// set: the starting-person group with "Use list" and Search / Select.
class CPersonOrListPage : public CReportSheetPage {
  Q_OBJECT

 public:
  using CReportSheetPage::CReportSheetPage;
  void ShowStartingPerson() override;
  void OnUseList();
  void OnSearch();

 protected:
  // Builds the group; the ids are the page's own.
  QWidget* BuildStartingGroup(int groupId, int fieldId, int useListId, int searchId);
  virtual int& ListOpt() = 0;

 private:
  void ShowGroupTexts();
  int groupId_ = 0, fieldId_ = 0, useListId_ = 0, searchId_ = 0;
};

class CIndividualSummaryPage : public CPersonOrListPage {
  Q_OBJECT

 public:
  static constexpr int IDD = 405;
  static constexpr int kIdcPersonGroup = 4051;
  static constexpr int kIdcName = 4052;
  static constexpr int kIdcUseList = 4053;
  static constexpr int kIdcSearch = 4054;
  static constexpr int kIdcGeneralNotes = 4055;
  static constexpr int kIdcMarkedOnly = 4056;
  static constexpr int kIdcSourceNotes = 4057;
  static constexpr int kIdcTitlesOnly = 4058;
  static constexpr int kIdcActualText = 4059;
  static constexpr int kIdcComments = 4060;
  static constexpr int kIdcConfidential = 4061;
  static constexpr int kIdcPhoto = 4062;
  static constexpr int kIdcSuppressRin = 4063;
  static constexpr int kIdcParentLinks = 4064;
  static constexpr int kIdcMultipleParents = 4065;
  static constexpr int kIdcContact = 4066;

  explicit CIndividualSummaryPage(CReportsPropSheet& sheet);

  rpt::CIndividualSummaryOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  bool SuppressRinChecked() const override { return GetCheck(kIdcSuppressRin) == 1; }
  void OnNotes();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  int& ListOpt() override { return logic_.listOpt; }

 private:
  void ShowEnabled();
  rpt::CIndividualSummaryOptions logic_;
};

class CScrapbookPage : public CPersonOrListPage {
  Q_OBJECT

 public:
  static constexpr int IDD = 408;
  static constexpr int kIdcPersonGroup = 4081;
  static constexpr int kIdcName = 4082;
  static constexpr int kIdcUseList = 4083;
  static constexpr int kIdcSearch = 4084;
  static constexpr int kIdcCaption = 4085;
  static constexpr int kIdcAbove = 4086;  // Above, Below
  static constexpr int kIdcFileName = 4088;
  static constexpr int kIdcDescription = 4089;
  static constexpr int kIdcBoxes = 4090;
  static constexpr int kIdcBoxStyles = 4091;
  static constexpr int kIdcAcross = 4093;  // label 4092
  static constexpr int kIdcDown = 4095;    // label 4094
  static constexpr int kIdcPhotoSize = 4096;
  static constexpr int kIdcExactSize = 4097;  // Exact, Minimum
  static constexpr int kIdcSuppressRin = 4099;

  explicit CScrapbookPage(CReportsPropSheet& sheet);

  rpt::CScrapbookOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  bool SuppressRinChecked() const override { return GetCheck(kIdcSuppressRin) == 1; }
  void OnChecks();
  void OnBoxStyles();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  int& ListOpt() override { return logic_.listOpt; }

 private:
  void ShowEnabled();
  rpt::CScrapbookOptions logic_;
};

class CBooksPage : public CReportSheetPage {
  Q_OBJECT

 public:
  static constexpr int IDD = 407;
  static constexpr int kIdcPersonGroup = 4071;
  static constexpr int kIdcName = 4072;
  static constexpr int kIdcSearch = 4073;
  static constexpr int kIdcAhnentafel = 4074;  // Ahnentafel, Modified register
  static constexpr int kIdcSourceNotes = 4076;
  static constexpr int kIdcTitlesOnly = 4077;
  static constexpr int kIdcText = 4078;
  static constexpr int kIdcComments = 4079;
  static constexpr int kIdcEndOfChapter = 4080;
  static constexpr int kIdcGeneralNotes = 4081;
  static constexpr int kIdcMarkedOnly = 4082;
  static constexpr int kIdcEmbed = 4083;
  static constexpr int kIdcEliminate = 4084;    // Eliminate, Abbreviated, Full repeat
  static constexpr int kIdcGenerations = 4088;  // label 4087
  static constexpr int kIdcIndex = 4089;
  static constexpr int kIdcSuppressRin = 4090;
  static constexpr int kIdcParentLinks = 4091;
  static constexpr int kIdcNewPage = 4092;
  static constexpr int kIdcPhotos = 4093;
  static constexpr int kIdcParentIndicators = 4094;
  static constexpr int kIdcOtherEvents = 4095;
  static constexpr int kIdcConfidential = 4096;
  static constexpr int kIdcZel = 4097;

  explicit CBooksPage(CReportsPropSheet& sheet);

  rpt::CBooksOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  bool SuppressRinChecked() const override { return GetCheck(kIdcSuppressRin) == 1; }
  void ShowStartingPerson() override;
  void OnNotes();
  void OnType();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void ShowEnabled();
  rpt::CBooksOptions logic_;
};

class CCalendarPage : public CReportSheetPage {
  Q_OBJECT

 public:
  static constexpr int IDD = 359;
  static constexpr int kIdcYear = 3591;   // label 3590
  static constexpr int kIdcMonth = 3593;  // label 3592
  static constexpr int kIdcLiving = 3594;
  static constexpr int kIdcBirthdays = 3595;
  static constexpr int kIdcAnniversaries = 3596;
  static constexpr int kIdcDivorced = 3597;
  static constexpr int kIdcAge = 3598;
  static constexpr int kIdcAgeUnder = 3599;
  static constexpr int kIdcMarriedNames = 3600;
  static constexpr int kIdcWeekStart = 3602;  // label 3601
  static constexpr int kIdcBorderLines = 3603;
  static constexpr int kIdcLines = 3604;
  static constexpr int kIdcBackground = 3605;
  static constexpr int kIdcBorderLinesSwatch = 3606;
  static constexpr int kIdcLinesSwatch = 3607;
  static constexpr int kIdcBackgroundSwatch = 3608;
  static constexpr int kIdcBorderStyle = 3609;
  static constexpr int kIdcFilterGroup = 3610;
  static constexpr int kIdcCount = 3612;  // label 3611
  static constexpr int kIdcSelect = 3613;

  // currentYear and currentMonth (0 = January) stand for today when the
  // stored year is 0.
  CCalendarPage(CReportsPropSheet& sheet, int currentYear, int currentMonth);

  rpt::CCalendarOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  // The month name and the year chosen now.
  std::string TitleName() override;
  void OnColour(int which);
  void OnBorderStyle();
  void OnSelect();
  // The colour chooser (QColorDialog by default).
  std::function<std::uint32_t(std::uint32_t)> chooseColour;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void ShowFilter();
  void ShowSwatches();
  rpt::CCalendarOptions logic_;
};

// Adds the four pages to the sheets made from now on.
void RegisterPersonReportPages();
