#pragma once
// The "Fonts" dialog: a list of named font descriptions edited one at a
// time with the desktop's font chooser, with "Set to Defaults". The caller
// fills fonts.entries (and optionally the caption and showDefaults) before
// running it and reads the descriptions back after OK. With no entries it
// ends at once with Cancel.

#include "DialogBase.h"
#include "SettingsDialogs.h"

class CFontsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 332;
  static constexpr int kIdcList = 1061;
  static constexpr int kIdcDescription = 1062;
  static constexpr int kIdcChange = 1063;
  static constexpr int kIdcDefaults = 1064;

  explicit CFontsDialog(QWidget* parent = nullptr);

  int exec() override;
  void open() override;

  shell::FontListModel fonts;

 protected:
  void OnInitDialog() override;

 private:
  void OnSelect(int index);
  void OnChange();
  void OnDefaults();
  void ShowDescription();
};
