#pragma once
// A number box for measurements: a value with 0 to 3 decimals, an optional
// unit sign, a range and a step. The rules (stepping, clamping, display,
// scaling to an integer of tenths, hundredths or thousandths) live in
// fw::MeasureValue so that they are tested without a window; CMeasureEdit
// is the line edit with spin buttons that shows one.

#include <QLineEdit>
#include <string>

class QToolButton;

namespace fw {

struct MeasureValue {
  // Unit kinds.
  static constexpr int kUnitNone = 0;
  static constexpr int kUnitInches = 1;
  static constexpr int kUnitPercent = 2;

  int unit = kUnitNone;
  int decimals = 0;
  float value = 0.0f;
  float step = 1.0f;
  float minimum = 0.0f;
  float maximum = 100.0f;
  char unitChar = 0;  // 0 none, '"' inches, '%' percent

  // n above 3 counts as 3; the step follows (1, 0.1, 0.01, 0.001).
  void SetDecimals(int n);
  // 0 none, 1 '"', 2 '%'; another kind is kept and the sign left alone.
  void SetUnit(int kind);
  // value = n scaled down by the decimals.
  void SetScaledValue(int n);
  // value scaled up by the decimals, half units rounded up.
  int GetScaledValue() const;
  void SetScaledRange(int low, int high);
  // One step up unless that passes the maximum; true when the value changed.
  bool StepUp();
  // One step down unless that falls below the minimum; a result smaller than
  // one step becomes 0. True when the value changed.
  bool StepDown();
  // What the box shows for the value: the number in the decimals' format,
  // then the unit sign.
  std::string Text() const;
  // Takes a typed text (a leading number is read, anything else is 0) and
  // clamps it into the range.
  void TakeText(const std::string& text);

 private:
  float Scale() const;
  float Snap(float v) const;
};

class CMeasureEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CMeasureEdit(QWidget* parent = nullptr);
  ~CMeasureEdit() override;

  void SetDecimals(int n);
  void SetUnit(int kind);
  void SetScaledValue(int n);
  // Reads what was typed first, as leaving the box would.
  int GetScaledValue();
  void SetScaledRange(int low, int high);
  void StepUp();
  void StepDown();

  const MeasureValue& Value() const { return value_; }
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  QSize sizeHint() const override;

 private:
  void Redisplay();
  void TakeTyped();
  void PlaceButtons();

  MeasureValue value_;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

}  // namespace fw
