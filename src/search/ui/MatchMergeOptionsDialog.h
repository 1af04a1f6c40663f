#pragma once
// Match/Merge Options: which individuals count as duplicates and what a
// merge combines. In report mode (the duplicates list) the four merge
// choices are disabled. OK stores the values in the options and saves them.

#include "DialogBase.h"
#include "MergeWorkFile.h"

class CAppOptions;

class CMatchMergeOptionsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 317;
  static constexpr int kIdcSurname = 1001;
  static constexpr int kIdcDob = 1002;
  static constexpr int kIdcIds = 1003;
  static constexpr int kIdcMiddles = 1004;
  static constexpr int kIdcParents = 1005;
  static constexpr int kIdcNotes = 1006;
  static constexpr int kIdcCitations = 1007;
  static constexpr int kIdcMedia = 1008;
  static constexpr int kIdcVerify = 1009;
  static constexpr int kIdcYears = 1010;

  CMatchMergeOptionsDialog(CAppOptions& options, bool restricted, QWidget* parent = nullptr);

 protected:
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  CAppOptions& options_;
  MatchOptions values_;
};

// The match options held by the application's options.
MatchOptions MatchOptionsOf(const CAppOptions& options);
