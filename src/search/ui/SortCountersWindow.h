#pragma once
// The sort window of a Match/Merge work-file build: "Records:",
// "Processed:" and "Sorted:" with Cancel, shown without a modal loop while
// the build runs.

#include <QDialog>
#include <string>

#include "MergeWorkFile.h"

class QLabel;

class CSortCountersWindow : public QDialog, public SortCounterPort {
  Q_OBJECT

 public:
  explicit CSortCountersWindow(QWidget* parent);

  void Begin(const std::string& caption, std::int32_t records) override;
  void SetProcessed(std::int32_t count) override;
  void SetSorted(std::int32_t count) override;
  bool CancelRequested() override;
  void End() override;

  QString RecordsText() const;
  QString ProcessedText() const;
  QString SortedText() const;

 private:
  void Show(QLabel* label, std::int32_t count);

  QLabel* records_;
  QLabel* processed_;
  QLabel* sorted_;
  bool cancelled_ = false;
};
