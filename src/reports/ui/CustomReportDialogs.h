#pragma once
// The custom report's layout screens: Report Fields, Column Options, Sort
// Order, and the two questions of the Notes and user-event fields. Their
// decisions live in rpt::CCustomFieldsModel and rpt::CCustomSortModel.

#include <memory>
#include <string>
#include <vector>

#include "CustomDialogModels.h"
#include "DialogBase.h"

class QComboBox;
class QListWidget;

namespace rptui {

// The questions answered by the two small screens below.
rpt::CustomFieldQuestions CustomFieldScreens(QWidget* parent);

// A choice of one text from a list ("Report Column: Notes" with its note
// tags, "Report Column: User Events" with the event types' titles).
class CCustomChoiceDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kIdcChoice = 933;
  static constexpr int kIddNotes = 360;
  static constexpr int kIddUserEvents = 421;

  CCustomChoiceDialog(const std::string& caption, const std::string& prompt,
                      const std::vector<std::string>& items, bool editable,
                      QWidget* parent = nullptr);
  std::string chosen;

 protected:
  void OnOK() override;

 private:
  QComboBox* combo_ = nullptr;
};

class CColumnOptionsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 351;
  static constexpr int kIdcHeading = 1358;
  static constexpr int kIdcWidth = 1366;

  CColumnOptionsDialog(CCustomReportColumn& column, QWidget* parent = nullptr);

 protected:
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  CCustomReportColumn& column_;
  std::string heading_;
  std::int32_t width_ = 0;
};

class CReportFieldsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 349;
  static constexpr int kIdcPossible = 1359;
  static constexpr int kIdcAdd = 1361;
  static constexpr int kIdcRemove = 1362;
  static constexpr int kIdcRemoveAll = 1335;
  static constexpr int kIdcSelected = 1360;
  static constexpr int kIdcOptions = 1363;
  static constexpr int kIdcUp = 1610;
  static constexpr int kIdcDown = 1611;  // the up-down control's lower half

  CReportFieldsDialog(CCustomReportLayout& layout, bool showZel, QWidget* parent = nullptr);
  rpt::CCustomFieldsModel& Model() { return model_; }

  void OnAdd();
  void OnRemove();
  void OnRemoveAll();
  void OnOptions();
  void OnMove(int delta);

 protected:
  void OnOK() override;

 private:
  void ShowList();
  void ShowButtons();
  CCustomReportLayout& layout_;
  rpt::CCustomFieldsModel model_;
  QListWidget* possible_ = nullptr;
  QListWidget* selected_ = nullptr;
  bool filling_ = false;
};

class CSortOrderDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 414;
  static constexpr int kIdcPossible = 1359;
  static constexpr int kIdcAdd = 1361;
  static constexpr int kIdcRemove = 1362;
  static constexpr int kIdcOrder = 1360;
  static constexpr int kIdcAscending = 1372;
  static constexpr int kIdcDescending = 1365;

  CSortOrderDialog(CCustomReportLayout& layout, bool showZel, QWidget* parent = nullptr);
  rpt::CCustomSortModel& Model() { return model_; }

  void OnAdd();
  void OnRemove();

 protected:
  void OnOK() override;

 private:
  void ShowList();
  void ShowButtons();
  CCustomReportLayout& layout_;
  rpt::CCustomSortModel model_;
  QListWidget* possible_ = nullptr;
  QListWidget* order_ = nullptr;
  bool filling_ = false;
};

}  // namespace rptui
