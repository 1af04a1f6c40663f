#pragma once
// The Preferences sheet: eight pages on tabs over shell::PreferencesSheetModel,
// which holds the values and decides what is written. Each page fills its
// controls from the model and reads them back on OK; the sheet writes once
// as it closes (only after OK) and always keeps the index of the page shown.

#include <QDialog>
#include <functional>
#include <vector>

#include "DialogBase.h"
#include "PreferencesPages.h"

class QTabWidget;

// A page: a dialog body inside the sheet's tabs, with its controls by id.
class CPrefsPage : public fw::CDialogBase {
  Q_OBJECT

 public:
  explicit CPrefsPage(QWidget* parent = nullptr);
  // The controls from the page's values.
  virtual void Fill() = 0;
  // The page's values from the controls; false keeps the sheet open.
  virtual bool Read() = 0;
};

class COptionsPropSheet : public QDialog {
  Q_OBJECT

 public:
  // Control ids of the pages.
  // General
  static constexpr int kIdcAppendNothing = 959;  // 959-962
  static constexpr int kIdcEditNote = 995;
  static constexpr int kIdcNoteTool = 996;
  static constexpr int kIdcDateUs = 1291;  // 1291-1292
  static constexpr int kIdcShowZel = 883;
  static constexpr int kIdcShowZelRpt = 1249;
  static constexpr int kIdcVerifyNew = 991;
  static constexpr int kIdcAutoNames = 1632;
  static constexpr int kIdcCapSurname = 965;
  static constexpr int kIdcEditMarr = 992;
  static constexpr int kIdcShading = 993;
  static constexpr int kIdcHideShade = 1311;
  static constexpr int kIdcUseDescList = 1279;
  static constexpr int kIdcReturnAsTab = 1280;
  static constexpr int kIdcAllowSbnEdit = 1568;
  static constexpr int kIdcLanguage = 1567;
  static constexpr int kIdcColors = 1086;
  static constexpr int kIdcPassword = 1118;
  // File
  static constexpr int kIdcLastUsed = 986;
  static constexpr int kIdcUseRin = 987;
  static constexpr int kIdcHomeRin = 1021;
  static constexpr int kIdcSearch = 988;
  static constexpr int kIdcRelationship = 942;
  static constexpr int kIdcRelationshipChange = 943;
  static constexpr int kIdcLogChanges = 1126;
  static constexpr int kIdcLogView = 1122;
  static constexpr int kIdcLogFlush = 1088;
  // InfoBox
  static constexpr int kIdcFloatNone = 885;  // 885-887
  static constexpr int kIdcWait = 888;
  static constexpr int kIdcLockNone = 889;  // 889-891
  // Prepared by: the nine edits in the order of PreparerPage::fields.
  static constexpr int kIdcPreparer[9] = {1000, 1006, 1001, 1002, 1003, 1439, 1004, 1440, 1438};
  // Fonts
  static constexpr int kIdcFontViews = 1053;
  static constexpr int kIdcFontViewsChange = 1054;
  static constexpr int kIdcFontNotesEdit = 1055;
  static constexpr int kIdcFontNotesEditChange = 1056;
  static constexpr int kIdcFontNotesReport = 1057;
  static constexpr int kIdcFontNotesReportChange = 1058;
  static constexpr int kIdcFontDefaults = 1059;
  // Multimedia
  static constexpr int kIdcSlideTime = 1146;
  static constexpr int kIdcSlideDefault = 1224;  // 1224-1225
  static constexpr int kIdcSlideRatioChoice = 1225;
  static constexpr int kIdcSlideRatio = 1121;
  static constexpr int kIdcColorTarget = 1238;
  static constexpr int kIdcMediaColor = 1086;
  static constexpr int kIdcPlaceholders = 1133;
  static constexpr int kIdcScaleFast = 1509;  // 1509-1510
  static constexpr int kIdcFamilyViewPhoto = 1375;
  // Formats
  static constexpr int kIdcTruncate = 1291;  // 1291-1292
  static constexpr int kIdcNameSample = 1280;
  static constexpr int kIdcPlaceLevels = 1289;
  static constexpr int kIdcPlaceSamples[3] = {1282, 1304, 1305};
  static constexpr int kIdcMdy = 1295;     // 1295-1296
  static constexpr int kIdcDayOne = 1293;  // 1293-1294
  static constexpr int kIdcMonth = 1286;
  static constexpr int kIdcSepSpace = 1297;  // 1297-1300
  static constexpr int kIdcDateSample = 1284;
  // Folders: edits 1620, 1622, ... 1628, each with its browse button + 1.
  static constexpr int kIdcFolder[5] = {1620, 1622, 1624, 1626, 1628};

  COptionsPropSheet(CAppOptions& options, CFamilyFileInfo* info, int startPage,
                    QWidget* parent = nullptr);
  ~COptionsPropSheet() override;

  shell::PreferencesSheetModel& Model() { return model_; }
  CPrefsPage* Page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
  QTabWidget* Tabs() const { return tabs_; }
  int ActivePage() const;
  void SetActivePage(int index);

  // The edit password gate the Password button asks first; unset grants.
  std::function<bool()> checkEditPassword;
  // Picks an individual starting at rin; false when cancelled. Unset: the
  // Find dialog for individuals.
  std::function<bool(std::int32_t& rin)> findIndividual;

  CAppOptions& Options() { return options_; }

  void accept() override;
  void reject() override;

 protected:
  // Opens with the keyboard in the first field of the page shown.
  void showEvent(QShowEvent* event) override;

 private:
  CAppOptions& options_;
  shell::PreferencesSheetModel model_;
  QTabWidget* tabs_ = nullptr;
  std::vector<CPrefsPage*> pages_;
  bool closed_ = false;
};
