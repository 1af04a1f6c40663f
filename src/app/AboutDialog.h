#pragma once
// The About box of the Help menu: the program's name in a larger bold font,
// its version, the emblem and the copyright holder; its Copyright button
// opens the licence text.

#include "DialogBase.h"

class CAboutDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 300;  // the dialog's template number
  static constexpr int kIdcProductName = 1460;
  static constexpr int kIdcVersion = 1461;
  static constexpr int kIdcCopyright = 1468;

  explicit CAboutDialog(QWidget* parent);

  int DoModal() { return exec(); }
  // Copyright...: the Copyright and License dialog.
  void OnCopyright();

 protected:
  void OnInitDialog() override;
};

// The program's licence text, read-only, with OK.
class CCopyrightLicenseDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 423;
  static constexpr int kIdcText = 1469;

  explicit CCopyrightLicenseDialog(QWidget* parent);

 protected:
  void OnInitDialog() override;
};
