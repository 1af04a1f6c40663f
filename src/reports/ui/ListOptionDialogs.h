#pragma once
// The option dialogs of the Lists page, one per list with options. The page
// puts its ranges into the members before exec() and takes them back after
// OK; the order checks live in ListsPageOptions.h.

#include <cstdint>
#include <string>

#include "DialogBase.h"
#include "ListsPageOptions.h"

class CAppOptions;

// A list dialog: a caption and the warning box of the order checks.
class CListOptionDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  explicit CListOptionDialog(const char* caption, QWidget* parent);

 protected:
  // Shows the warning of a failed check; true when check passed.
  bool Passes(unsigned check, std::int32_t low = 0, std::int32_t high = 0);
  // A labelled edit of maxChars characters in a new row of grid.
  QWidget* Edit(int id, const char* label, int maxChars);
};

class CFamilyReunionOptionsDialog : public CListOptionDialog {
  Q_OBJECT

 public:
  static constexpr int IDD = 321;
  static constexpr int kIdcPhone = 3211;  // Phone, Address, E-mail
  static constexpr int kIdcIncludeAll = 3214;
  static constexpr int kIdcYear = 3215;
  CFamilyReunionOptionsDialog(CAppOptions& options, QWidget* parent = nullptr);

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  CAppOptions& options_;
  int type_ = 1, all_ = 0;
  std::int32_t year_ = 0;
};

class CRinRangeDialog : public CListOptionDialog {
  Q_OBJECT

 public:
  static constexpr int IDD = 323;
  static constexpr int kIdcStart = 3231;
  static constexpr int kIdcEnd = 3232;
  explicit CRinRangeDialog(QWidget* parent = nullptr);
  std::int32_t startRin = 1, endRin = 1;

 protected:
  bool DoDataExchange(bool save) override;
  void OnOK() override;
};

class CNameRangeDialog : public CListOptionDialog {
  Q_OBJECT

 public:
  static constexpr int IDD = 391;
  static constexpr int kIdcStart = 3911;
  static constexpr int kIdcEnd = 3912;
  explicit CNameRangeDialog(QWidget* parent = nullptr);
  std::string startName, endName = "Z";

 protected:
  bool DoDataExchange(bool save) override;
  void OnOK() override;
};

class CMarriageListOptionsDialog : public CListOptionDialog {
  Q_OBJECT

 public:
  static constexpr int IDD = 431;
  static constexpr int kIdcMrin = 4311;  // MRIN, Husband, Wife
  static constexpr int kIdcStartLabel = 4314;
  static constexpr int kIdcStart = 4315;
  static constexpr int kIdcEndLabel = 4316;
  static constexpr int kIdcEnd = 4317;
  explicit CMarriageListOptionsDialog(QWidget* parent = nullptr);
  std::string startName, endName = "Z";
  std::int32_t startMrin = 0, endMrin = 0, firstMrin = 0, lastMrin = 0;
  int sort = 1;
  void OnSort();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  void ShowLabels();
};

class CEndOfLineOptionsDialog : public CListOptionDialog {
  Q_OBJECT

 public:
  static constexpr int IDD = 432;
  static constexpr int kIdcAll = 4321;  // All, Single line
  static constexpr int kIdcSelectionLabel = 4323;
  static constexpr int kIdcSelection = 4324;
  CEndOfLineOptionsDialog(const std::string& person, QWidget* parent = nullptr);
  int type = 1;
  void OnType();

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
};

class CPossibleProblemsDialog : public CListOptionDialog {
  Q_OBJECT

 public:
  static constexpr int IDD = 325;
  static constexpr int kIdcRin = 3251;  // RIN, Alphabetic
  static constexpr int kIdcStart = 3253;
  static constexpr int kIdcEnd = 3254;
  static constexpr int kIdcMoLowest = 3255;  // MoHighest, FaLowest, FaHighest, HWSpan
  static constexpr int kIdcCheckZel = 3260;
  static constexpr int kIdcCheckOrder = 3261;
  // From the page: its settings, both ranges and the live RINs.
  explicit CPossibleProblemsDialog(rpt::CListsPageOptions& page, QWidget* parent = nullptr);
  // After OK: back into the page.
  void GiveBack(rpt::CListsPageOptions& page) const;
  void OnSort();

  rpt::ProblemSettings settings;
  std::string startText, endText;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  std::string asideStart_, asideEnd_;
  std::int32_t firstRin_ = 0, lastRin_ = 0;
};

// The two ZEL lists' dialogs (sealings: the marriage years and MRINs).
class CZelListDialog : public CListOptionDialog {
  Q_OBJECT

 public:
  static constexpr int kIdcDeceased = 4331;
  static constexpr int kIdcEndOfLine = 4332;
  static constexpr int kIdcSubmitted = 4333;
  static constexpr int kIdcCompleted = 4334;
  static constexpr int kIdcStartYear = 4335;
  static constexpr int kIdcEndYear = 4336;
  static constexpr int kIdcQualified = 4337;  // Qualified, Not qualified, Both
  static constexpr int kIdcStart = 4340;
  static constexpr int kIdcEnd = 4341;
  // sealings: the marriage sealings dialog (410), else the ordinances (433).
  CZelListDialog(bool sealings, QWidget* parent = nullptr);
  rpt::ZelListOptions values;
  std::int32_t firstMrin = 0, lastMrin = 0;

 protected:
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  bool sealings_;
};
