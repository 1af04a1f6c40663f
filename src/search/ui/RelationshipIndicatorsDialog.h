#pragma once
// Set Relationship Indicators: choose a root person and whether the
// indicators are shown; OK stores a relationship code in every related
// individual's record and clears the others. The caller puts the file's
// show-relationships option into showRelationships before and stores it
// back after OK.

#include <cstdint>

#include "DialogBase.h"

class CSetRelationshipIndicatorsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 384;
  static constexpr int kIdcRootName = 1369;
  static constexpr int kIdcSearch = 1339;
  static constexpr int kIdcShow = 1309;

  // root: the person current in the active view (0: none).
  explicit CSetRelationshipIndicatorsDialog(std::int32_t root, QWidget* parent = nullptr);

  int showRelationships = 0;  // the check box
  std::int32_t Root() const { return root_; }
  void SetRoot(std::int32_t rin);

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  void OnSearch();

  std::int32_t root_;
  int showAtOpening_ = 0;
  bool running_ = false;
};

// What the Preferences sheet and the report pages run: the dialog on the
// open family file, with its show-relationships option (option 1) in the
// check box before and stored back after OK. root: the person current in the
// active view (0: none). The dialog's result.
int RunSetRelationshipIndicators(QWidget* parent, std::int32_t root);
