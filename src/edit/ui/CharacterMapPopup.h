#pragma once
// The Character Map: a small frameless popup with the accented and special
// characters of the active code page. Enter, Space or a double-click types
// the selected character into the target editor at its caret (replacing a
// selection); the map stays open for more; Escape or F7 closes it.

#include <QWidget>
#include <functional>

#include "CharacterMap.h"

class CCharacterMapPopup : public QWidget {
  Q_OBJECT
 public:
  // send types one character (a byte of the active code page) into the target.
  CCharacterMapPopup(QWidget* parent, std::function<void(unsigned char)> send);

  static constexpr int kFrame = 2;
  QSize sizeHint() const override;
  const CCharacterMapModel& Model() const { return model_; }
  CCharacterMapModel& Model() { return model_; }
  // Opens at a point of the owner's client area.
  void OpenAt(QWidget* owner, QPoint point);
  void SendSelected();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int CellAt(QPoint point) const;

  CCharacterMapModel model_;
  std::function<void(unsigned char)> send_;
};
