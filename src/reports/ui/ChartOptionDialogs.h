#pragma once
// The small dialogs that the Reports and Charts sheet and its pages open:
// the report title, the photo options, the report preferences, the Family
// Group marriages list, the wall-chart box style with its drawn sample, and
// the wall-chart item choice. Their decisions live in SheetDialogRules.h and
// ReportSheetRules.h.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AncDescPageOptions.h"
#include "DialogBase.h"
#include "ReportDevice.h"
#include "SheetDialogRules.h"

class CAppOptions;
class QLabel;
class QLineEdit;

// "%s Title": prefix, the person's name (when included) and suffix.
class CReportTitleDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 342;
  static constexpr int kIdcPrefix = 1301;
  static constexpr int kIdcUseName = 1302;
  static constexpr int kIdcName = 1303;
  static constexpr int kIdcSuffix = 1304;
  static constexpr int kIdcTitle = 1305;

  explicit CReportTitleDialog(QWidget* parent = nullptr);

  std::string reportName, personName;
  std::string prefix, suffix;
  int useName = 1;

  // The title as the dialog shows it now.
  std::string TitleText() const;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void Refresh();
};

// "Photo Options for" a report: size in inches and placement.
class CPhotoOptionsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 339;
  static constexpr int kIdcExplanation = 1311;
  static constexpr int kIdcHeight = 1312;
  static constexpr int kIdcWidth = 1313;
  static constexpr int kIdcLeft = 1314;  // Left, Center, Right, Above, Below follow
  static constexpr int kIdcReserve = 1319;

  explicit CPhotoOptionsDialog(QWidget* parent = nullptr);

  rpt::PhotoDialogState state;

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  // Parses the edit and rewrites it in inches; -1 when refused.
  int ParseEdit(int id);
};

// "Report Preferences": shared report choices.
class CReportPreferencesDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 430;
  static constexpr int kIdcShowZel = 1321;
  static constexpr int kIdcCapitalize = 1322;
  static constexpr int kIdcShade = 1323;
  static constexpr int kIdcShadeColor = 1324;
  static constexpr int kIdcHideShade = 1325;
  static constexpr int kIdcPlaceholders = 1326;

  explicit CReportPreferencesDialog(CAppOptions& options, QWidget* parent = nullptr);

  void SetDisabled(const rpt::PreferencesDisabled& off) { disabled_ = off; }
  // The colour chooser (tests replace it): the new colour, or the old one.
  std::function<std::uint32_t(std::uint32_t)> chooseColor;
  std::uint32_t ShadeColor() const { return shadeColor_; }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  CAppOptions& options_;
  rpt::PreferencesDisabled disabled_;
  std::uint32_t shadeColor_ = 0xF6F6F6;
};

// "FGR Marriages List": a typed list of MRINs (or RINs) with Browse.
class CFgrMarriagesListDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 425;
  static constexpr int kIdcLabel = 1331;
  static constexpr int kIdcRange = 1332;
  static constexpr int kIdcList = 1333;
  static constexpr int kIdcBrowse = 1334;

  explicit CFgrMarriagesListDialog(QWidget* parent = nullptr);

  bool rinMode = false;
  std::int32_t low = 0, high = 0;  // the live range
  std::string listText;
  // Browse: the number chosen in the list dialog, or 0.
  std::function<std::int32_t(std::int32_t low, std::int32_t high)> browse;

  void OnBrowse();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
};

// "Wall Chart Box Style": corners, line, shade and shadow, and a sample.
class CWallChartBoxStyleDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 337;
  static constexpr int kIdcSquare = 1341;  // Square, Round, Inverted
  static constexpr int kIdcSingle = 1344;  // Single, Thick, Double
  static constexpr int kIdcShade = 1347;
  static constexpr int kIdcShadow = 1348;
  static constexpr int kIdcShadeColor = 1349;
  static constexpr int kIdcShadowColor = 1350;
  static constexpr int kIdcSample = 1351;

  explicit CWallChartBoxStyleDialog(QWidget* parent = nullptr);

  int corner = -1, line = -1;
  int shade = 0, shadow = 0;
  std::uint32_t shadeColor = 0xF0F0F0, shadowColor = 0xD8D8D8;
  int showShadow = 1;
  std::string caption;
  std::function<std::uint32_t(std::uint32_t)> chooseColor;

  // The sample as drawn now, w x h pixels.
  QImage SampleImage(int w, int h) const;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void Repaint();
  QLabel* sample_ = nullptr;
};

// "%s Wall Chart Item Selection": which items a box shows.
class CWallChartItemsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 338;
  static constexpr int kIdcBirthYear = 1361;  // birth, marriage, death years
  static constexpr int kIdcFirstItem = 1364;  // the nine items of rpt::WallItem
  static constexpr int kIdcPreview = 1373;
  static constexpr int kIdcMarriage = 1374;
  static constexpr int kIdcEvent1 = 1375;  // the two "Other events:" lists
  static constexpr int kIdcEvent2 = 1376;
  static constexpr int kIdcDescription = 1377;
  static constexpr int kIdcNote1 = 1378;  // "Tag1:" and "Tag2:"
  static constexpr int kIdcNote2 = 1379;
  static constexpr int kIdcTagName = 1380;
  static constexpr int kIdcLinesPerNote = 1381;
  static constexpr int kIdcCauseOfDeath = 1382;
  static constexpr int kIdcId = 1383;
  static constexpr int kIdcSbn = 1384;
  static constexpr int kIdcZel = 1385;

  explicit CWallChartItemsDialog(QWidget* parent = nullptr);

  int chart = 0;  // 0 Ancestry, 1 Descendants
  bool showZel = true;
  rpt::WallBoxItems items;
  // The lists' entries, each led by an empty one (rpt::WallItemEventChoices
  // and rpt::WallItemNoteTagChoices).
  std::vector<std::string> eventChoices{std::string()};
  std::vector<std::string> tagChoices{std::string()};

  std::string PreviewText() const;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void OnYears();
  void OnItem(int item);
  void ExchangeChoice(bool save, int id, std::string& value);
};
