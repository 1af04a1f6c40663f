#include "SlideShowWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <cstdlib>

#include "MediaPlayer.h"
#include "Ports.h"

fw::ColorRef ReadProfileColor(const std::string& section, const std::string& value,
                              fw::ColorRef def) {
  return static_cast<fw::ColorRef>(plat::Profile().GetColor(section, value, def));
}

CSlideShowWindow::CSlideShowWindow(const std::vector<CMultimediaItem>& items, int defaultSound,
                                   QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      items_(items),
      defaultSound_(defaultSound) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("SlideShowWindow"));
  plat::ProfilePort& profile = plat::Profile();
  slideSize_ = profile.GetInt("Multimedia", "MMSlideSize", 0) != 0;
  background_ = ReadProfileColor("Multimedia", "MMSlideClr", 0);
  const QScreen* screen = QApplication::primaryScreen();
  screen_ = screen ? screen->geometry().size() : QSize(800, 600);
  if (slideSize_) {
    const int ratio = profile.GetInt("Multimedia", "MMSlideRatio", kDefaultSlideRatio);
    slideRect_ = QRect(0, 0, static_cast<int>(ratio * 0.01 * screen_.width()),
                       static_cast<int>(ratio * 0.01 * screen_.height()));
  }
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &CSlideShowWindow::TimerStep);
  setGeometry(0, 0, screen_.width(), screen_.height());
  setFocusPolicy(Qt::StrongFocus);
  show();
  // Over the owner and every other window, with the keyboard.
  raise();
  activateWindow();
  setFocus();
  if (defaultSound_ >= 0 && static_cast<std::size_t>(defaultSound_) < items_.size())
    plat::PlayMediaFile(items_[static_cast<std::size_t>(defaultSound_)].GetFullPath(), false);
  TimerStep();
}

CSlideShowWindow::~CSlideShowWindow() {
  timer_.stop();
  plat::StopMediaPlayback();
  picture_.Free();
}

QColor CSlideShowWindow::Background() const { return fw::ToQColor(background_); }

QPoint CSlideShowWindow::PictureOrigin() const {
  return {(screen_.width() - picture_.Width()) / 2, (screen_.height() - picture_.Height()) / 2};
}

void CSlideShowWindow::TimerStep() {
  timer_.stop();
  // A slide of no time is passed over at once.
  while (time_ >= 0) {
    time_ = NextSlide();
    if (time_ != 0) break;
  }
  if (time_ < 0) {
    End();
    return;
  }
  repaint();
  timer_.start(time_ * 100);
}

int CSlideShowWindow::NextSlide() {
  while (index_ < items_.size()) {
    const CMultimediaItem& item = items_[index_++];
    if (item.kind == CMultimediaItem::kPhoto && (item.flags & CMultimediaItem::kFlagSlideShow)) {
      const QSize requested = slideRect_.size();
      picture_.LoadFile(item.GetFullPath(), "", 0, slideRect_.isEmpty() ? nullptr : &requested,
                        true);
      picture_.SetEdits(item);
      picture_.ApplyEdits();
      const bool tooLarge =
          picture_.Width() > screen_.width() || picture_.Height() > screen_.height();
      if (picture_.IsLoaded() && (slideSize_ || tooLarge)) {
        QRect target = tooLarge ? QRect(QPoint(0, 0), screen_) : slideRect_;
        picture_.FitToRect(target, 5);
        picture_.Resize(target.width(), target.height());
      }
      if (item.slideTime != 0) return item.slideTime;
      return plat::Profile().GetInt("Multimedia", "MMSlideTime", kDefaultSlideTime);
    }
    // A clip: a video first clears the screen; starting it stops the sound.
    const bool video = item.kind == CMultimediaItem::kVideo;
    if (video) {
      picture_.Free();
      repaint();
    }
    plat::PlayMediaFile(item.GetFullPath(), video);
  }
  return -1;
}

void CSlideShowWindow::End() {
  time_ = -1;
  timer_.stop();
  close();
}

void CSlideShowWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Background());
  if (picture_.IsLoaded()) {
    const QPoint at = PictureOrigin();
    picture_.DrawAt(p, at.x(), at.y());
  }
}

void CSlideShowWindow::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) End();
}

void CSlideShowWindow::keyPressEvent(QKeyEvent* event) {
  QWidget::keyPressEvent(event);
  End();
}
