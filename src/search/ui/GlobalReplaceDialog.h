#pragma once
// Global Search and Replace: what to replace where, and whether letter case
// counts. OK is enabled only for a search text that differs from the
// replacement; an empty replacement asks before deleting.

#include "DialogBase.h"
#include "GlobalReplace.h"

class CGlobalReplaceDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 445;
  static constexpr int kIdcTarget = 1001;
  static constexpr int kIdcSearch = 1002;
  static constexpr int kIdcReplace = 1003;
  static constexpr int kIdcCaseSensitive = 1004;

  explicit CGlobalReplaceDialog(QWidget* parent = nullptr);

  // The values of the run; filled on OK.
  CGlobalReplaceJob job;

 protected:
  void OnOK() override;

 private:
  void UpdateOk();
};
