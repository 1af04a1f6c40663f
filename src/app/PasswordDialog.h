#pragma once
// The "Enter Password" dialog: asks for the edit password, or, in change
// mode, shows the stored one for editing. The caller compares or stores the
// text read from password after OK.

#include <string>

#include "DialogBase.h"

class CPasswordDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 426;
  static constexpr int kIdcPassword = 1118;
  static constexpr int kModeEnter = 1;
  static constexpr int kModeChange = 0;

  explicit CPasswordDialog(QWidget* parent = nullptr);

  std::string password;  // in: the current password (change mode); out: the text typed
  int mode = kModeEnter;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
};
