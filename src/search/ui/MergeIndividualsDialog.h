#pragma once
// Merge Individuals: the primary and the duplicate side by side, the
// duplicate's rows as boxes of what to take, and Next Match, Previous,
// Switch, Options and Merge over the match work file.

#include <functional>

#include "DialogBase.h"
#include "MergeSession.h"

class CAppOptions;
class QGridLayout;
class QHBoxLayout;

// The Confirm Merge question of the Merge button, with the box that keeps
// asking (MrgVerify). Yes and No both store the box.
class CConfirmMergeQuestionDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 442;
  static constexpr int kIdYes = 6;
  static constexpr int kIdNo = 2;
  static constexpr int kIdcAskEachTime = 1001;
  CConfirmMergeQuestionDialog(CAppOptions& options, QWidget* parent = nullptr);

 private:
  void Answer(int id);
  CAppOptions& options_;
};

// Confirm Merge with Yes to All: "Merge these individuals?".
class CConfirmMergeDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 331;
  static constexpr int kIdYes = 6;
  static constexpr int kIdNo = 7;
  static constexpr int kIdYesToAll = 1;
  explicit CConfirmMergeDialog(QWidget* parent = nullptr);
  // The dialog's result as the automatic merge's answer.
  static MergeConfirmPort::Answer AnswerOf(int result);
};
class CSortCountersWindow;
class QCheckBox;
class QLabel;
class QListWidget;
class QTabWidget;

class CMergeIndividualsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 306;
  // The duplicate's boxes.
  static constexpr int kIdcName = 572;
  static constexpr int kIdcBirthDate = 573;
  static constexpr int kIdcBirthPlace = 574;
  static constexpr int kIdcChristeningDate = 575;
  static constexpr int kIdcChristeningPlace = 576;
  static constexpr int kIdcDeathDate = 577;
  static constexpr int kIdcDeathPlace = 578;
  static constexpr int kIdcBurialDate = 579;
  static constexpr int kIdcBurialPlace = 580;
  static constexpr int kIdcSbn = 581;
  static constexpr int kIdcSex = 582;
  static constexpr int kIdcParents = 595;
  // The ordinance boxes (baptism, endowment, sealing to parents), shown with
  // ZEL data, and the primary's rows beside them.
  static constexpr int kIdcBaptism = 583;
  static constexpr int kIdcEndowment = 584;
  static constexpr int kIdcSealingToParents = 585;
  static constexpr int kIdcPrimaryZelRows = 1250;
  // Father, mother and up to three spouses of each side, for reading.
  static constexpr int kIdcPrimaryFamilyRows = 1260;
  static constexpr int kIdcDuplicateFamilyRows = 1270;
  static constexpr int kIdcMerge = fw::kIdOk;
  static constexpr int kIdcSwitch = 1201;
  static constexpr int kIdcNextMatch = 1202;
  static constexpr int kIdcPrevious = 1203;
  static constexpr int kIdcOptions = 1204;
  static constexpr int kIdcSelectAll = 1205;
  static constexpr int kIdcClearAll = 1206;
  static constexpr int kIdcPrimaryHeading = 1210;
  static constexpr int kIdcDuplicateHeading = 1211;
  static constexpr int kIdcBlock = 1212;
  // The primary's rows: name, the four events, SBN, sex.
  static constexpr int kIdcPrimaryRows = 1220;
  // The date of each side's last change.
  static constexpr int kIdcPrimaryLastChanged = 1228;
  static constexpr int kIdcDuplicateLastChanged = 1229;
  // The two pages and the marriage lists of the marriage page.
  static constexpr int kIdcPrimaryFind = 1240;
  static constexpr int kIdcPrimaryEdit = 1241;
  static constexpr int kIdcDuplicateFind = 1242;
  static constexpr int kIdcDuplicateEdit = 1243;
  static constexpr int kIdcPages = 1230;
  static constexpr int kIdcPrimaryMarriages = 1231;
  static constexpr int kIdcDuplicateMarriages = 1232;

  CMergeIndividualsDialog(CAppOptions& options, int mode, QWidget* parent = nullptr);

  CMergeSession session;
  // Set when a merge was made: the caller refreshes its views.
  bool merged = false;
  // Whether Shift is held at the Merge click; whether editing is allowed;
  // the Confirm Merge question (null: the dialog), true for Yes.
  std::function<bool()> shiftHeld;
  std::function<bool()> askMerge;
  std::function<bool()> editAllowed;
  // Whether the family file is read-only (null: the open file's state); a
  // merge on it is refused with a message.
  std::function<bool()> readOnly;
  // File Backup. Set, the dialog in name mode first asks whether a backup
  // is made (Yes runs it) once it is shown.
  std::function<void()> backup;
  // The individual Find starts on while the primary side is empty (0: none).
  std::int32_t suggestedPrimary = 0;

  void ShowPanels();
  void NextMatch(int direction);
  void SwitchSides();
  void MergePair();
  void SelectAll(bool on);
  // The marriage page shown (true) or the individual page: the lists are
  // filled there and the merge buttons wait for the individual page.
  void ShowMarriagePage(bool on);
  // Find: another individual for a side through the Find dialog; Edit: the
  // side's individual in Edit Individual, shown again after OK.
  void FindSide(bool primary);
  void EditSide(bool primary);
  MergeChoices Choices() const;
  // The automatic merge on SBNs: each pair is shown in the panels before
  // ask answers for it. Ends with the count in a message box; the number
  // merged.
  int AutoMerge(const std::function<MergeConfirmPort::Answer()>& ask);
  // The window the work file is built under.
  CSortCountersWindow* SortWindow() const { return sortWindow_; }

 protected:
  void OnOK() override { MergePair(); }
  void OnInitDialog() override;

 private:
  // Shows 3411 and answers true on a read-only file.
  bool RefuseReadOnly() const;
  void FillMarriageLists();
  // The constructor's steps. The individual page: the two panels with
  // their rows (the duplicate's as boxes), the last change, the find and
  // edit buttons, the family lines and the ZEL rows.
  QWidget* BuildIndividualPage();
  void BuildPanelRows(QGridLayout* primary, QGridLayout* duplicate);
  void BuildDuplicateBoxes(QGridLayout* duplicate);
  void BuildPanelButtons(QGridLayout* primary, QGridLayout* duplicate);
  void BuildFamilyRows(QGridLayout* primary, QGridLayout* duplicate);
  void BuildZelRows(QGridLayout* primary, QGridLayout* duplicate);
  // The marriage page: the primary's marriages, the duplicate's to choose.
  QWidget* BuildMarriagePage();
  QHBoxLayout* BuildButtonRow();
  void ConnectControls();
  CAppOptions& options_;
  // Whether the duplicate's marriage list was filled for the pair shown;
  // until then every marriage of the duplicate is taken.
  bool marriagesListed_ = false;
  CSortCountersWindow* sortWindow_ = nullptr;
};
