#include "DialogBase.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QTextEdit>
#include <algorithm>

#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace fw {
namespace {

// The top left that keeps a window of size within area: its right and
// bottom edges first, then its left and top ones.
QPoint InsideArea(QPoint topLeft, QSize size, const QRect& area) {
  if (!area.isValid()) return topLeft;
  topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width())));
  topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height())));
  return topLeft;
}

int MulDivRound(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

}  // namespace

DialogBaseUnits BaseUnitsFromMetrics(int widthOf52Letters, int fontHeight) {
  return {(widthOf52Letters + 26) / 52, fontHeight};
}

int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base) {
  return MulDivRound(units, base.x, 4);
}

int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base) {
  return MulDivRound(units, base.y, 8);
}

IntParse ParseIntInRange(const std::string& text, std::int64_t low, std::int64_t high,
                         std::int64_t& value) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return IntParse::kNotInteger;
  std::size_t end = text.find_last_not_of(" \t") + 1;
  std::size_t i = begin;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  if (i == end) return IntParse::kNotInteger;
  std::int64_t v = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return IntParse::kNotInteger;
    v = v * 10 + (text[i] - '0');
    if (v > 0xFFFFFFFFll) return IntParse::kNotInteger;  // beyond any 32-bit value
  }
  value = negative ? -v : v;
  return value < low || value > high ? IntParse::kOutOfRange : IntParse::kOk;
}

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent) {}

CDialogBase::~CDialogBase() = default;

void CDialogBase::RegisterControl(int id, QWidget* control) {
  if (!control) return;
  control->setObjectName(QStringLiteral("ctl%1").arg(id));
  control->setProperty(kControlIdProperty, id);
  controls_[id] = control;
}

QWidget* CDialogBase::GetControl(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void CDialogBase::EnableControl(int id, bool enable) {
  if (QWidget* w = GetControl(id)) w->setEnabled(enable);
}

void CDialogBase::ShowControl(int id, bool show) {
  if (QWidget* w = GetControl(id)) w->setVisible(show);
}

bool CDialogBase::IsControlEnabled(int id) const {
  QWidget* w = GetControl(id);
  return w && w->isEnabled();
}

void CDialogBase::SetControlText(int id, const std::string& text) {
  SetControlQText(id, ToQString(text));
}

void CDialogBase::SetControlPath(int id, const std::string& path) {
  SetControlQText(id, ToQPath(path));
}

std::string CDialogBase::GetControlText(int id) const { return FromQString(ControlQText(id)); }

std::string CDialogBase::GetControlPath(int id) const { return FromQPath(ControlQText(id)); }

void CDialogBase::SetControlQText(int id, const QString& t) {
  QWidget* w = GetControl(id);
  // Values set here may come from the family file: never markup.
  auto* shown = qobject_cast<QLabel*>(w);
  if (shown && shown->textFormat() == Qt::AutoText) shown->setTextFormat(Qt::PlainText);
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(t);
  else if (auto* edit = qobject_cast<QLineEdit*>(w))
    edit->setText(t);
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    button->setText(t);
  else if (auto* group = qobject_cast<QGroupBox*>(w))
    group->setTitle(t);
  else if (auto* combo = qobject_cast<QComboBox*>(w))
    combo->setCurrentText(t);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
    plain->setPlainText(t);
  else if (auto* rich = qobject_cast<QTextEdit*>(w))
    rich->setPlainText(t);
}

QString CDialogBase::ControlQText(int id) const {
  QWidget* w = GetControl(id);
  QString t;
  if (auto* label = qobject_cast<QLabel*>(w))
    t = label->text();
  else if (auto* edit = qobject_cast<QLineEdit*>(w))
    t = edit->text();
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    t = button->text();
  else if (auto* group = qobject_cast<QGroupBox*>(w))
    t = group->title();
  else if (auto* combo = qobject_cast<QComboBox*>(w))
    t = combo->currentText();
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
    t = plain->toPlainText();
  else if (auto* rich = qobject_cast<QTextEdit*>(w))
    t = rich->toPlainText();
  return t;
}

void CDialogBase::SetCheck(int id, int state) {
  QWidget* w = GetControl(id);
  if (auto* box = qobject_cast<QCheckBox*>(w)) {
    if (state == 2) box->setTristate(true);
    box->setCheckState(state == 2 ? Qt::PartiallyChecked : state ? Qt::Checked : Qt::Unchecked);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setChecked(state != 0);
  }
}

int CDialogBase::GetCheck(int id) const {
  QWidget* w = GetControl(id);
  if (auto* box = qobject_cast<QCheckBox*>(w)) {
    switch (box->checkState()) {
      case Qt::Checked:
        return 1;
      case Qt::PartiallyChecked:
        return 2;
      default:
        return 0;
    }
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->isChecked() ? 1 : 0;
  return 0;
}

void CDialogBase::CheckRadio(const std::vector<int>& ids, int index) {
  for (std::size_t i = 0; i < ids.size(); ++i) {
    auto* button = Control<QAbstractButton>(ids[i]);
    if (!button) continue;
    // An exclusive group would refuse to clear its last checked button.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(static_cast<int>(i) == index);
    button->setAutoExclusive(exclusive);
  }
}

int CDialogBase::GetCheckedRadio(const std::vector<int>& ids) const {
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (GetCheck(ids[i]) == 1) return static_cast<int>(i);
  return -1;
}

DialogBaseUnits CDialogBase::BaseUnits() const {
  const QFontMetrics metrics(font());
  const int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return BaseUnitsFromMetrics(width, metrics.height());
}

QSize CDialogBase::DialogUnitsToPixels(int x, int y) const {
  const DialogBaseUnits base = BaseUnits();
  return {DialogUnitsToPixelsX(x, base), DialogUnitsToPixelsY(y, base)};
}

bool CDialogBase::ExchangeInt(bool save, int id, std::int32_t& value, std::int32_t low,
                              std::int32_t high) {
  if (!save) {
    SetControlText(id, std::to_string(value));
    return true;
  }
  std::int64_t v = 0;
  const IntParse parse = ParseIntInRange(GetControlText(id), low, high, v);
  if (parse == IntParse::kOk) {
    value = static_cast<std::int32_t>(v);
    return true;
  }
  if (parse == IntParse::kNotInteger)
    plat::MessageBox(res::LoadString(res::kIdsParseInt), "",
                     plat::kMbOk | plat::kMbIconExclamation);
  else
    plat::MessageBox(
        res::FormatString(res::kIdsParseIntRange, {std::to_string(low), std::to_string(high)}), "",
        plat::kMbOk | plat::kMbIconExclamation);
  if (QWidget* w = GetControl(id)) {
    w->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
  }
  return false;
}

void CDialogBase::ExchangeText(bool save, int id, std::string& value) {
  if (save)
    value = GetControlText(id);
  else
    SetControlText(id, value);
}

void CDialogBase::ExchangeCheck(bool save, int id, int& value) {
  if (save)
    value = GetCheck(id);
  else
    SetCheck(id, value);
}

void CDialogBase::ExchangeRadio(bool save, const std::vector<int>& ids, int& index) {
  if (save)
    index = GetCheckedRadio(ids);
  else
    CheckRadio(ids, index);
}

bool CDialogBase::UpdateData(bool save) { return DoDataExchange(save); }

bool CDialogBase::DoDataExchange(bool) { return true; }

void CDialogBase::CenterWindow() {
  adjustSize();
  const QSize size = frameGeometry().size();
  QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  QScreen* screen = owner ? owner->screen() : this->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect();
  const QRect around = owner && owner->isVisible() ? owner->frameGeometry() : area;
  move(InsideArea(around.center() - QPoint(size.width() / 2, size.height() / 2), size, area));
}

void CDialogBase::KeepOnScreen() {
  QScreen* screen = this->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect frame = frameGeometry();
  const QPoint topLeft = InsideArea(frame.topLeft(), frame.size(), screen->availableGeometry());
  if (topLeft != frame.topLeft()) move(topLeft);
}

void CDialogBase::accept() { OnOK(); }

void CDialogBase::reject() { OnCancel(); }

void CDialogBase::done(int result) {
  const QPointer<QWidget> under =
      isModal() && isVisible() && parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  QDialog::done(result);
  if (under && under->isVisible()) under->activateWindow();
}

void CDialogBase::OnInitDialog() { UpdateData(false); }

void CDialogBase::OnOK() {
  if (UpdateData(true)) EndDialog(kIdOk);
}

void CDialogBase::OnCancel() { EndDialog(kIdCancel); }

void CDialogBase::showEvent(QShowEvent* event) {
  if (!initialised_ && !event->spontaneous()) {
    initialised_ = true;
    OnInitDialog();
  }
  QDialog::showEvent(event);
}

}  // namespace fw
