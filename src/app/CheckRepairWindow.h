#pragma once
// The modeless "Check/Repair" window: the file being checked, the stage and
// its record count, a stage bar, a total bar, the number of reported errors
// and Cancel. Cancel only raises a flag; the run sees it when it next lets
// events through and then asks whether to quit.

#include <string>

#include "CheckRepairLog.h"
#include "DialogBase.h"

class CCheckRepairDialog : public fw::CDialogBase, public CheckRepairDisplay {
  Q_OBJECT

 public:
  static constexpr int kIdcFile = 1078;
  static constexpr int kIdcStage = 947;
  static constexpr int kIdcCount = 1082;
  static constexpr int kIdcStageBar = 1444;
  static constexpr int kIdcTotalLabel = 948;
  static constexpr int kIdcTotalBar = 1445;
  static constexpr int kIdcErrorsLabel = 949;
  static constexpr int kIdcErrors = 1093;

  explicit CCheckRepairDialog(QWidget* parent = nullptr);

  // CheckRepairDisplay
  bool Open(const std::string& filePath) override;
  void SetStage(const std::string& title) override;
  void SetCount(const std::string& count) override;
  void ResetStageBar() override;
  void StepStageBar() override;
  void SetTotalBar(int percent) override;
  void SetErrorCount(const std::string& count) override;
  bool TakeCancel() override;
  void Close() override;

 protected:
  void OnCancel() override { cancelPressed_ = true; }
  void OnOK() override {}

 private:
  bool cancelPressed_ = false;
};

// Checks (repair 0) or checks and repairs the open current-format family
// file at filePath under the window, writes the report to reportPath and
// opens it when problems were found. 1 when every stage completed.
int RunCheckRepair(const std::string& filePath, const std::string& reportPath, int repair,
                   QWidget* parent = nullptr);
