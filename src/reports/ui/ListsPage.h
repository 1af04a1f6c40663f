#pragma once
// The Lists page of the Reports and Charts sheet: one of fifteen list
// reports, its options dialog and, for three lists, the starting person.
// The choices live in rpt::CListsPageOptions.

#include <cstdint>
#include <functional>
#include <string>

#include "ListsPageOptions.h"
#include "ReportsPropSheet.h"

class CListsPage : public CReportSheetPage {
  Q_OBJECT

 public:
  static constexpr int IDD = 406;
  static constexpr int kIdcFirstList = 4601;  // the fifteen radios, in index order
  static constexpr int kIdcOptions = 4620;
  static constexpr int kIdcPersonGroup = 4621;
  static constexpr int kIdcName = 4622;
  static constexpr int kIdcSearch = 4623;

  explicit CListsPage(CReportsPropSheet& sheet);

  rpt::CListsPageOptions& Options() { return logic_; }
  rpt::SheetPageLogic& Logic() override { return logic_; }
  void OnSetActive() override;
  bool OnKillActive() override;
  void ShowStartingPerson() override;

  void OnList(int index);
  void OnOptions();
  void OnSearch();
  // The save-file dialog of the family reunion list: a path, or "" when
  // cancelled (a QFileDialog by default).
  std::function<std::string()> chooseReunionFile;
  // The source of the citations list: its number, or 0 when the user closed
  // the choice (the Select Source dialog by default).
  std::function<std::int32_t()> chooseSource;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void ShowEnabled();
  void WriteReunionList();
  rpt::CListsPageOptions logic_;
};

// Adds the page to the sheets made from now on.
void RegisterListsPage();
