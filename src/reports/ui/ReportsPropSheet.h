#pragma once
// CReportsPropSheet: the "Reports and Charts" sheet. One tab per report
// page (each page registers itself with the page kind that gives its tab
// position), and its own column of buttons: Print, Close, Preview, Page
// Setup, Titles, Fonts, Photos, Preferences, Help and "Print to file". What
// the sheet decides lives in rpt::CReportSheetModel; the pages' choices in
// their logic classes of src/reports/sheet.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "PersonPageOptions.h"
#include "ReportSheetModel.h"

class CAppOptions;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QTabWidget;
class CReportsPropSheet;

// A page of the sheet: a widget with its logic.
class CReportSheetPage : public fw::CDialogBase {
  Q_OBJECT

 public:
  explicit CReportSheetPage(CReportsPropSheet& sheet);

  virtual rpt::SheetPageLogic& Logic() = 0;
  // Button states, OK text and icon of the page (sheet's SetButtons...).
  virtual void OnSetActive() = 0;
  // Validates and writes the page's settings; false keeps the page.
  virtual bool OnKillActive() = 0;
  // Close: validates the page's controls; a refusal (its message shown)
  // answers false and keeps the sheet open, else OnCancel runs.
  bool CloseChecked();
  // Close after the check: writes the settings and drops the kept choices.
  void OnCancel() override;
  // The starting person changed (Search on a page, or the sheet).
  virtual void ShowStartingPerson() {}
  // The Titles dialog's person: the starting person's name, with the
  // record identifier unless the page's suppress-RIN check is on.
  virtual std::string TitleName();
  // Whether the page's "Suppress RINs" check is on now (pages without one:
  // false).
  virtual bool SuppressRinChecked() const { return false; }
  // A page that draws wall charts: whether its sample box fits a column,
  // asking the user when it does not (true: go on).
  virtual bool WallChartFits() { return true; }

 protected:
  // The activation most pages share: the sheet's buttons, "Print" on OK
  // and the page's icon.
  void ShowPrintButtons(bool preview, bool titles, bool fonts, bool photos, int icon);
  // The leaving most pages share: takes the controls (false keeps the
  // page) and writes the page's settings.
  bool TakeAndWriteSettings(rpt::SheetPageLogic& logic);
  // The "Starting Person" group: the name and the Search button.
  QGroupBox* BuildPersonGroup(int groupId, int nameId, int searchId);

  CReportsPropSheet& sheet_;
};

using ReportSheetPageFactory = std::function<CReportSheetPage*(CReportsPropSheet&)>;
// Adds a page to every sheet made from now on, at the tab of its kind.
void RegisterReportSheetPage(int pageKind, ReportSheetPageFactory factory);
// The page kinds registered, in tab order.
std::vector<int> RegisteredReportSheetPages();

class CReportsPropSheet : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kIdcIcon = 1248;
  static constexpr int kIdcPreview = 940;
  static constexpr int kIdcPageSetup = 1115;
  static constexpr int kIdcTitles = 1051;
  static constexpr int kIdcFonts = 1052;
  static constexpr int kIdcPhotos = 1124;
  static constexpr int kIdcPreferences = 1139;
  static constexpr int kIdcPrintToFile = 1631;

  // What the sheet needs of the application.
  struct Environment {
    CAppOptions* options = nullptr;
    bool extendedCharts = false;
    std::string languageUi = "EN";
    // The printer of Page Setup and the printable-area check (null: none).
    QPrinter* printer = nullptr;
    std::function<void()> saveOptions;
    // The Find dialog for a person: the chosen RIN, or 0.
    std::function<std::int32_t(std::int32_t current, const std::string& hint)> findPerson;
    // The Find dialog for a marriage (MRIN mode): the chosen MRIN, or 0.
    std::function<std::int32_t(std::int32_t current, const std::string& hint)> findMarriage;
    // The "Marriages for" choice: the chosen MRIN, or 0.
    std::function<std::int32_t(std::int32_t rin)> chooseMarriage;
    // The Family Group marriages list text kept by the application.
    std::string* marriagesList = nullptr;
    // Browse of the marriages list: an MRIN, or 0.
    std::function<std::int32_t(std::int32_t low, std::int32_t high)> browseMarriage;
    // The document's filter set: its name and count of individuals.
    std::function<rpt::FilterSummary()> filterSummary;
    // The Individual List choosing the document's filter set, opened on
    // startRin; false when it cannot open.
    std::function<bool(std::int32_t startRin)> selectIndividuals;
  };

  CReportsPropSheet(rpt::ReportSheetTarget& target, Environment environment, int openPage,
                    QWidget* parent = nullptr);
  ~CReportsPropSheet() override;

  rpt::CReportSheetModel& Model() { return model_; }
  const Environment& Env() const { return env_; }
  int IdentifierDisplay() const;

  CReportSheetPage* CurrentPage() const;
  CReportSheetPage* PageOfKind(int pageKind) const;
  int PageCount() const;
  void ShowPageOfKind(int pageKind);

  // Called by the pages as they become active.
  void SetButtons(bool preview, bool titles, bool fonts, bool photos);
  void EnablePhotos(bool on);
  void SetOkText(const std::string& text);
  void SetPageIcon(int resource);
  // The starting person changed: every page shows it.
  void StartingPersonChanged();
  // A page cannot go on (its remembered person is gone): the sheet closes.
  void CloseSoon();

  // The buttons.
  void OnPrint();
  void OnPreview();
  // Close: the current page's check first (a refusal keeps the sheet open),
  // then every page shown writes its settings.
  void OnClose();
  void OnPageSetup();
  void OnTitles();
  void OnFonts();
  void OnPhotos();
  void OnReportPreferences();
  void OnPrintToFile();

  // The wall-chart warning of the Ancestry (chart 0) and Descendants (1)
  // pages: measures the sample box in the chart's name and event fonts
  // (font descriptions) against a column of the wall chart's printable width
  // and, when it is wider, asks whether to go on.
  bool CheckWallChartFit(const rpt::WallChartSample& sample, int gensPerPage,
                         const std::string& nameFont, const std::string& eventFont);

  // Page Setup on given paper and margins (the dialog's answer): true when
  // taken; a refusal shows the message (and Page Setup opens again).
  bool TakePageSetup(int paperWidth, int paperHeight, const rpt::PageMargins& margins);

 protected:
  void OnInitDialog() override;
  void OnOK() override { OnPrint(); }
  void OnCancel() override { OnClose(); }

 private:
  void OnTabChanged(int index);
  bool CheckPrintableAreaOnPrinter(const rpt::SheetPageLogic& page);
  bool CheckWallChartFitOnPrinter(const rpt::SheetPageLogic& page);

  rpt::ReportSheetTarget& target_;
  Environment env_;
  rpt::CReportSheetModel model_;
  QTabWidget* tabs_ = nullptr;
  std::vector<CReportSheetPage*> pages_;
  std::vector<bool> visited_;  // pages shown at least once (their controls filled)
  int openPage_ = 0;
  int activeIndex_ = -1;
  bool previewEnabled_ = true;
  QPushButton* ok_ = nullptr;
  QPushButton* preview_ = nullptr;
  QLabel* icon_ = nullptr;
  QCheckBox* printToFile_ = nullptr;
};
