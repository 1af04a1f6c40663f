#pragma once
// The Descendancy List: one individual among the immediate family, with a
// back-and-forward history; OK returns the chosen individual. What it
// decides lives in kin::CDescendancyList.

#include <cstdint>
#include <memory>

#include "DescendancyList.h"
#include "DialogBase.h"
#include "QtTextMeasure.h"

class QListWidget;

class CDescendancyListDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 434;
  static constexpr int kIdcList = 1000;
  static constexpr int kIdcNext = 1001;
  static constexpr int kIdcPrevious = 1002;

  // The individual shown first; after OK, rin holds the chosen one.
  explicit CDescendancyListDialog(std::int32_t rin, QWidget* parent = nullptr);
  ~CDescendancyListDialog() override;

  std::int32_t rin;
  const kin::CDescendancyList& Model() const { return *model_; }
  void Refill();

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnClicked(int row);

  std::unique_ptr<fw::QtTextMeasure> measure_;
  std::unique_ptr<kin::CDescendancyList> model_;
  QListWidget* list_ = nullptr;
};
