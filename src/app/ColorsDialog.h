#pragma once
// The "Choose Colors" dialog: the five name-display colours with a live
// sample of a name box and a selected name box. A click in the sample picks
// the colour of the spot clicked. OK stores the colours in the options.

#include <QWidget>

#include "AppOptions.h"
#include "DialogBase.h"
#include "SettingsDialogs.h"

// The sample: paints the colours of a model and reports clicks.
class CColorsSample : public QWidget {
  Q_OBJECT

 public:
  explicit CColorsSample(const shell::ColorsModel& model, QWidget* parent = nullptr);
  shell::ColorsSample Layout() const;

 signals:
  void Picked(int which);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  QSize sizeHint() const override;

 private:
  const shell::ColorsModel& model_;
};

class CColorsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 427;
  static constexpr int kIdcWhich = 1228;
  static constexpr int kIdcChange = 1087;
  static constexpr int kIdcWindowsColors = 1120;
  static constexpr int kIdcSample = 1230;

  explicit CColorsDialog(CAppOptions& options, QWidget* parent = nullptr);

  const shell::ColorsModel& Model() const { return model_; }
  CColorsSample* Sample() const { return sample_; }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void OnChangeColor();
  void OnWindowsColors();
  void OnPicked(int which);

  CAppOptions& options_;
  shell::ColorsModel model_;
  CColorsSample* sample_ = nullptr;
};
