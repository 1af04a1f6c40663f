#pragma once
// The splash window of start-up: the program's picture, shown for two
// seconds in the middle of the screen without taking the focus; a click
// closes it early. Start-up goes on while it shows. Also the program's
// emblem, which the splash window, the About box and the welcome dialog
// show.

#include <QImage>
#include <QWidget>

class QPainter;
class QRectF;

// Draws the emblem (a small pedigree tree on a round seal) into rect.
void DrawKorvaneEmblem(QPainter& painter, const QRectF& rect);

// The emblem as a control, sized from its font.
class CEmblemWidget : public QWidget {
  Q_OBJECT

 public:
  explicit CEmblemWidget(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class CSplashWnd : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 258;
  static constexpr int kShowMilliseconds = 2000;

  // Creates and shows the window; it deletes itself when it closes.
  explicit CSplashWnd(QWidget* parent);

  // The picture: name, emblem and the program's version.
  static QImage Picture();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};

// Shows the splash window over parent's screen (the primary screen without
// one).
void ShowSplashWindow(QWidget* parent);
