#pragma once
// What the Custom page of the Reports sheet decides: the document's layout
// it edits, the layout file last opened or saved, whether the layout has
// changed since, the button states and the list-report margins it shares
// with the other lists.

#include <cstdint>
#include <functional>
#include <string>

#include "CustomReportLayout.h"
#include "ReportSheetModel.h"

namespace rpt {

// Before the comma-delimited export: for every "Relationship Indicator"
// column, while the family file does not show relationships, ask runs the
// Set Relationship Indicators screen (its OK turns them on and ends the
// asking; Cancel goes on to the next such column). The number of asks.
int AskRelationshipIndicators(const CCustomReportLayout& layout, const std::function<bool()>& shown,
                              const std::function<void()>& ask);

class CCustomPageLogic : public SheetPageLogic {
 public:
  static constexpr const char* kMarginSection = "LstRpt";
  static constexpr int kNewVersion = 30;

  // Reads the margins (LstRpt PageLM, PageRM, PageTM, PageBM).
  explicit CCustomPageLogic(CCustomReportLayout& layout);

  int PageKind() const override;
  PageMargins Margins() const override { return margins_; }
  void SetMargins(const PageMargins& margins) override { margins_ = margins; }
  void WriteSettings() override;
  // True when the layout has columns and the filter set holds individuals.
  bool FillRequest(ReportRequest& request) override;

  CCustomReportLayout& Layout() { return layout_; }
  const std::string& Path() const { return path_; }
  int Version() const { return version_; }
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  // The Title edit's text: typing marks the layout changed.
  void TitleTyped() { modified_ = true; }
  // Leaving the page, OK and Cancel: the edit's text becomes the title.
  void TakeTitle(const std::string& text) { layout_.title = text; }

  // "Ne&w": a new layout, no file, not modified.
  void New();
  // "&Open...": reads path into a fresh layout that replaces the document's
  // only when the whole file was read; a failure says so (and the page
  // forgets its file). The modified flag is cleared either way.
  bool Open(const std::string& path);
  // "Save &As..." with the name and file the Save dialog chose.
  bool SaveAs(const std::string& path, const std::string& name);
  // "&Save" with a remembered file (the caller runs the quick Save As
  // without one). A failure says so and leaves the old file as it was.
  bool Save();

  bool CanSave() const { return !layout_.columns.empty() && modified_; }
  bool CanSaveAs() const { return !layout_.columns.empty(); }
  bool CanExport(std::int64_t individuals) const {
    return !layout_.columns.empty() && individuals > 0;
  }

  // The group caption after Select: "Filter", " - " and the filter set's
  // name, or "Filter" alone.
  static std::string FilterCaption(const std::string& filterName);
  // "Select Filter/Focus" (or the group's caption), " - " and the name when
  // there is one.
  static std::string GroupCaption(const std::string& caption, const std::string& filterName);

 private:
  CCustomReportLayout& layout_;
  PageMargins margins_;
  std::string path_;
  int version_ = kNewVersion;
  bool modified_ = false;
};

}  // namespace rpt
