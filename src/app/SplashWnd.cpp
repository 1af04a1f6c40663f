#include "SplashWnd.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "ProgramVersion.h"

namespace {

const QColor kInk(0x1f, 0x3a, 0x2e);
const QColor kSeal(0xf3, 0xec, 0xd8);
const QColor kGold(0xc8, 0x9b, 0x3c);

QString VersionText() {
  char version[31] = {};
  plat::GetProgramVersion(version, sizeof version);
  return QStringLiteral("Version ") + QString::fromLatin1(version);
}

}  // namespace

void DrawKorvaneEmblem(QPainter& painter, const QRectF& rect) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal side = std::min(rect.width(), rect.height());
  const QRectF r(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
  // The seal.
  painter.setPen(QPen(kGold, side * 0.04));
  painter.setBrush(kSeal);
  painter.drawEllipse(r.adjusted(side * 0.03, side * 0.03, -side * 0.03, -side * 0.03));
  // Three generations: one, two and four boxes, joined to their children.
  const qreal box = side * 0.11;
  auto centre = [&](int generation, int index) {
    const int count = 1 << generation;
    const qreal y = r.top() + side * (0.72 - 0.21 * generation);
    const qreal span = side * (generation == 2 ? 0.6 : 0.36);
    const qreal x =
        count == 1 ? r.center().x() : r.center().x() - span / 2 + span * index / (count - 1);
    return QPointF(x, y);
  };
  painter.setPen(QPen(kInk, side * 0.025, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (int g = 1; g <= 2; ++g)
    for (int i = 0; i < (1 << g); ++i) {
      const QPointF parent = centre(g, i);
      const QPointF child = centre(g - 1, i / 2);
      const qreal midY = (parent.y() + child.y()) / 2;
      QPainterPath path(child);
      path.lineTo(child.x(), midY);
      path.lineTo(parent.x(), midY);
      path.lineTo(parent);
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(path);
    }
  painter.setBrush(kInk);
  for (int g = 0; g <= 2; ++g)
    for (int i = 0; i < (1 << g); ++i) {
      const QPointF c = centre(g, i);
      const qreal s = g == 0 ? box * 1.3 : box;
      painter.drawRoundedRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s), s * 0.25, s * 0.25);
    }
  painter.restore();
}

CEmblemWidget::CEmblemWidget(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CEmblemWidget::sizeHint() const {
  const int side = QFontMetrics(font()).height() * 4;
  return {side, side};
}

void CEmblemWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawKorvaneEmblem(painter, rect());
}

QImage CSplashWnd::Picture() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor(0x17, 0x34, 0x4f));
  sky.setColorAt(1, QColor(0x2c, 0x66, 0x66));
  p.fillRect(image.rect(), sky);
  // A parchment band along the foot with the version.
  const int band = 44;
  p.fillRect(QRect(0, kHeight - band, kWidth, band), kSeal);
  p.fillRect(QRect(0, kHeight - band, kWidth, 3), kGold);

  DrawKorvaneEmblem(p, QRectF(30, 24, 150, 150));

  QFont name(QStringLiteral("DejaVu Serif"));
  name.setPixelSize(54);
  name.setBold(true);
  p.setFont(name);
  p.setPen(Qt::white);
  p.drawText(QRect(200, 40, kWidth - 210, 70), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Korvane"));
  QFont line(QStringLiteral("DejaVu Sans"));
  line.setPixelSize(17);
  p.setFont(line);
  p.setPen(QColor(0xdd, 0xe8, 0xe4));
  p.drawText(QRect(204, 112, kWidth - 214, 50), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("Family history for the desktop"));

  line.setPixelSize(14);
  p.setFont(line);
  p.setPen(kInk);
  const QRect foot(20, kHeight - band + 3, kWidth - 40, band - 3);
  p.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quenmoor Seekwell"));
  p.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, VersionText());
  return image;
}

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      picture_(Picture()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kWidth, kHeight);
  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->geometry();
    // Left edge on a multiple of 8, as the picture was drawn for.
    const int x = area.left() + ((area.width() - kWidth) / 2) / 8 * 8;
    const int y = area.top() + (area.height() - kHeight) / 2;
    move(x, y);
  }
  show();
  repaint();
  QTimer::singleShot(kShowMilliseconds, this, &QWidget::close);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void CSplashWnd::mousePressEvent(QMouseEvent*) { close(); }

void ShowSplashWindow(QWidget* parent) { new CSplashWnd(parent); }
