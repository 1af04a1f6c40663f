#include "CharacterMapPopup.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "CodePage.h"

CCharacterMapPopup::CCharacterMapPopup(QWidget* parent, std::function<void(unsigned char)> send)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint),
      model_(plat::ActiveCodePage()),
      send_(std::move(send)) {
  setObjectName("CharacterMap");
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(sizeHint());
  if (parent != nullptr) setFont(parent->font());
}

QSize CCharacterMapPopup::sizeHint() const {
  const int cell = CCharacterMapModel::kCellSize;
  return {cell * model_.GetColumns() + 2 * kFrame,
          cell * CCharacterMapModel::kVisibleRows + 2 * kFrame};
}

void CCharacterMapPopup::OpenAt(QWidget* owner, QPoint point) {
  model_.Select(0);
  move(owner != nullptr ? owner->mapToGlobal(point) : point);
  show();
  raise();
  activateWindow();
  setFocus(Qt::PopupFocusReason);
}

void CCharacterMapPopup::SendSelected() {
  if (send_) send_(model_.GetCharacter(model_.GetSelected()));
}

int CCharacterMapPopup::CellAt(QPoint point) const {
  return model_.HitTest(point.x() - kFrame, point.y() - kFrame);
}

void CCharacterMapPopup::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.translate(kFrame, kFrame);
  for (int i = 0; i < model_.GetCount(); ++i) {
    int l, t, r, b;
    model_.GetCellRect(i, l, t, r, b);
    const QRect cell(QPoint(l, t), QPoint(r - 1, b - 1));
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(cell.adjusted(0, 0, 1, 1));
    p.setPen(Qt::black);
    const std::string ch(1, static_cast<char>(model_.GetCharacter(i)));
    p.drawText(cell.translated(0, 1), Qt::AlignCenter,
               QString::fromUtf8(plat::AnsiToUtf8(ch).c_str()));
  }
  int l, t, r, b;
  model_.GetCellRect(model_.GetSelected(), l, t, r, b);
  p.setPen(Qt::black);
  p.drawRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
}

void CCharacterMapPopup::mousePressEvent(QMouseEvent* event) {
  if (!rect().contains(event->position().toPoint())) {
    close();
    return;
  }
  const int cell = CellAt(event->position().toPoint());
  if (cell >= 0) {
    model_.Select(cell);
    update();
  }
}

void CCharacterMapPopup::mouseDoubleClickEvent(QMouseEvent* event) {
  const int cell = CellAt(event->position().toPoint());
  if (cell < 0) return;
  model_.Select(cell);
  update();
  SendSelected();
}

void CCharacterMapPopup::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      SendSelected();
      break;
    case Qt::Key_Escape:
    case Qt::Key_F7:
      close();
      break;
    case Qt::Key_Left:
      model_.MoveSelection(CCharacterMapModel::kLeft);
      break;
    case Qt::Key_Right:
      model_.MoveSelection(CCharacterMapModel::kRight);
      break;
    case Qt::Key_Up:
      model_.MoveSelection(CCharacterMapModel::kUp);
      break;
    case Qt::Key_Down:
      model_.MoveSelection(CCharacterMapModel::kDown);
      break;
    default:
      break;
  }
  update();
  event->accept();
}
