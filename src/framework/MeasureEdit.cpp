#include "MeasureEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "QtPorts.h"

namespace fw {

// ---- the rules ----

float MeasureValue::Scale() const {
  switch (decimals) {
    case 1:
      return 10.0f;
    case 2:
      return 100.0f;
    case 3:
      return 1000.0f;
    default:
      return 1.0f;
  }
}

void MeasureValue::SetDecimals(int n) {
  decimals = n > 3 ? 3 : n;
  step = 1.0f / Scale();
}

void MeasureValue::SetUnit(int kind) {
  unit = kind;
  if (kind == kUnitNone)
    unitChar = 0;
  else if (kind == kUnitInches)
    unitChar = '"';
  else if (kind == kUnitPercent)
    unitChar = '%';
}

void MeasureValue::SetScaledValue(int n) { value = static_cast<float>(n) / Scale(); }

int MeasureValue::GetScaledValue() const { return static_cast<int>(value * Scale() + 0.5f); }

void MeasureValue::SetScaledRange(int low, int high) {
  minimum = static_cast<float>(low) / Scale();
  maximum = static_cast<float>(high) / Scale();
}

// Repeated float steps leave crumbs (58.9 + 0.1 = 59.0000038): a result
// within a crumb of the decimals' grid is put on it, and the range test
// forgives a crumb, so that 58.9 steps up to a maximum of 59.0.
float MeasureValue::Snap(float v) const {
  const float scaled = v * Scale();
  const float grid = std::round(scaled);
  return std::fabs(scaled - grid) < 0.01f ? grid / Scale() : v;
}

bool MeasureValue::StepUp() {
  const float next = Snap(value + step);
  if (next > maximum + step / 1000.0f) return false;
  value = next;
  return true;
}

bool MeasureValue::StepDown() {
  const float next = value - step;
  if (next < minimum - step / 1000.0f) return false;
  value = next < step ? 0.0f : Snap(next);
  return true;
}

std::string MeasureValue::Text() const {
  char buffer[64];
  if (decimals <= 0)
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value + 0.5f));
  else
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
  std::string text = buffer;
  if (unitChar) text += unitChar;
  return text;
}

void MeasureValue::TakeText(const std::string& text) {
  if (decimals > 0)
    value = static_cast<float>(std::strtod(text.c_str(), nullptr));
  else
    value = static_cast<float>(std::strtol(text.c_str(), nullptr, 10));
  if (value > maximum) value = maximum;
  if (value < minimum) value = minimum;
}

// ---- the box ----

CMeasureEdit::CMeasureEdit(QWidget* parent) : QLineEdit(parent) {
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setCursor(Qt::ArrowCursor);
  }
  // As wide as its number, not as its row.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(up_, &QToolButton::clicked, this, &CMeasureEdit::StepUp);
  connect(down_, &QToolButton::clicked, this, &CMeasureEdit::StepDown);
  Redisplay();
}

CMeasureEdit::~CMeasureEdit() = default;

void CMeasureEdit::SetDecimals(int n) {
  value_.SetDecimals(n);
  Redisplay();
}

void CMeasureEdit::SetUnit(int kind) {
  value_.SetUnit(kind);
  Redisplay();
}

void CMeasureEdit::SetScaledValue(int n) {
  value_.SetScaledValue(n);
  Redisplay();
}

int CMeasureEdit::GetScaledValue() {
  if (isModified()) TakeTyped();
  return value_.GetScaledValue();
}

void CMeasureEdit::SetScaledRange(int low, int high) { value_.SetScaledRange(low, high); }

void CMeasureEdit::StepUp() {
  if (isModified()) TakeTyped();
  if (value_.StepUp()) Redisplay();
}

void CMeasureEdit::StepDown() {
  if (isModified()) TakeTyped();
  if (value_.StepDown()) Redisplay();
}

void CMeasureEdit::Redisplay() {
  setText(ToQString(value_.Text()));
  setModified(false);
}

void CMeasureEdit::TakeTyped() {
  value_.TakeText(FromQString(text()));
  Redisplay();
}

void CMeasureEdit::focusOutEvent(QFocusEvent* event) {
  TakeTyped();
  QLineEdit::focusOutEvent(event);
}

void CMeasureEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) {
    StepUp();
    return;
  }
  if (event->key() == Qt::Key_Down) {
    StepDown();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CMeasureEdit::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    up_->setEnabled(isEnabled());
    down_->setEnabled(isEnabled());
  }
  QLineEdit::changeEvent(event);
}

void CMeasureEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceButtons();
}

QSize CMeasureEdit::sizeHint() const {
  // Room for "000.0%" and the buttons.
  QSize hint = QLineEdit::sizeHint();
  const int text = fontMetrics().horizontalAdvance(QStringLiteral("0000.00%")) + 12;
  hint.setWidth(text + hint.height() * 3 / 4);
  return hint;
}

void CMeasureEdit::PlaceButtons() {
  // The two buttons stack at the right end, inside the frame.
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  const int inner = height() - 2 * frame;
  const int w = std::max(10, height() * 3 / 4);
  const int x = width() - frame - w;
  up_->setGeometry(x, frame, w, inner / 2);
  down_->setGeometry(x, frame + inner / 2, w, inner - inner / 2);
  setTextMargins(0, 0, w, 0);
}

}  // namespace fw
