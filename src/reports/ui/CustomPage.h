#pragma once
// The Custom page of the Reports and Charts sheet: the title, the filter set
// the report runs over, the layout's fields and sort order, its files, and
// the comma-delimited export. Its decisions live in rpt::CCustomPageLogic.

#include <cstdint>
#include <functional>
#include <string>

#include "CustomPageLogic.h"
#include "ReportsPropSheet.h"

class CKorApp;

namespace rptui {

// What the page needs of the open document.
struct CustomPageEnvironment {
  std::function<std::string()> filterName;  // "" without a named filter set
  // The Individual List in selection mode on a focus person: the person it
  // closed on with OK, or 0 for Cancel.
  std::function<std::int32_t(QWidget* parent, std::int32_t focus)> select;
  std::function<bool()> showZel;
  // Set Relationship Indicators (file option 1 shows the answer).
  std::function<void(QWidget* parent)> setRelationshipIndicators;
  std::function<bool()> relationshipsShown;
};
CustomPageEnvironment& CustomPageEnv();

class CCustomPage : public CReportSheetPage {
  Q_OBJECT

 public:
  static constexpr int IDD = 413;
  static constexpr int kIdcTitle = 827;
  static constexpr int kIdcFilterGroup = 1356;
  static constexpr int kIdcCount = 1069;
  static constexpr int kIdcSelect = 1367;
  static constexpr int kIdcFields = 1357;
  static constexpr int kIdcSortOrder = 1364;
  static constexpr int kIdcNew = 1048;
  static constexpr int kIdcOpen = 1368;
  static constexpr int kIdcSave = 1370;
  static constexpr int kIdcSaveAs = 1447;
  static constexpr int kIdcExport = 1619;

  explicit CCustomPage(CReportsPropSheet& sheet);

  rpt::CCustomPageLogic& Page() { return logic_; }
  rpt::SheetPageLogic& Logic() override { return logic_; }
  void OnSetActive() override;
  bool OnKillActive() override;
  void OnCancel() override;

  void OnSelect();
  void OnFields();
  void OnSortOrder();
  void OnNew();
  void OnOpen();
  void OnSave();
  void OnSaveAs();
  void OnExport();

 protected:
  void OnInitDialog() override;

 private:
  void ShowFilter(const std::string& caption);
  void ShowButtons();
  void ShowTitle();
  rpt::CCustomPageLogic logic_;
  std::int32_t focusRin_ = 0;
  std::string groupCaption_;
};

// The Custom report's kind and its page of the sheet.
void RegisterCustomPage();
// Those, with the open document's filter set as the report's selection.
void RegisterCustomReportScreens(CKorApp& app);

}  // namespace rptui
