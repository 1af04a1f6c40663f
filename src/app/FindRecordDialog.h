#pragma once
// The modal "Find" dialog: asks for an individual's RIN or a marriage's MRIN
// within the range of live records. What it decides lives in
// shell::FindRecordLogic; the dialog shows that state and forwards the
// user's choices. The caller sets the members of find before running it and
// reads find.number and find.marriageMode after OK.

#include "DialogBase.h"
#include "FindRecordLogic.h"

class CFindRecordDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 315;  // the dialog's template number
  // Control ids of the dialog.
  static constexpr int kIdcNumber = 892;
  static constexpr int kIdcLabel = 893;
  static constexpr int kIdcRange = 894;
  static constexpr int kIdcIndividualRadio = 898;
  static constexpr int kIdcMarriageRadio = 899;
  static constexpr int kIdcIndividualList = 882;
  static constexpr int kIdcDescendancyList = 1264;

  explicit CFindRecordDialog(QWidget* parent = nullptr);

  shell::FindRecordLogic find;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  void OnIndividualRadio();
  void OnMarriageRadio();
  // The list buttons: the Individual List (the Marriages Search List in
  // marriage mode) and the Descendancy List, through the application's hooks.
  void OnIndividualList();
  void OnDescendancyList();
  void Follow(shell::FindOutcome outcome);
  // Radio buttons, label, range text, title and buttons from the logic.
  void ShowState();
};
