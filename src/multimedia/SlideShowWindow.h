#pragma once
// The slide show: an owner's photos marked for the show, full screen one
// after another, each for its own time or the default one, against the
// background colour, with the default sound playing from the start and the
// other clips played in collection order. A click or any key ends it. The
// window shows itself when built and deletes itself when it ends.

#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "DC.h"
#include "ImageObject.h"
#include "MultimediaItem.h"

// "Multimedia"/"MMSlideClr" and the other colour settings: "0X%lX" texts,
// read with base detection (a "0X" prefix is hexadecimal, a leading 0
// octal); a text that is no number reads as def.
fw::ColorRef ReadProfileColor(const std::string& section, const std::string& value,
                              fw::ColorRef def);

class CSlideShowWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultSlideTime = 20;  // tenths of a second
  static constexpr int kDefaultSlideRatio = 50;

  // items: the collection in order (copied); defaultSound: index of the
  // default sound clip, -1 none; owner: the window the show starts from,
  // whose modality would otherwise keep clicks and keys from the show.
  CSlideShowWindow(const std::vector<CMultimediaItem>& items, int defaultSound,
                   QWidget* owner = nullptr);
  ~CSlideShowWindow() override;

  // Tenths of a second the current slide stays; -1 once the show has ended.
  int CurrentSlideTime() const { return time_; }
  // The timer's period in milliseconds (0 while it is stopped).
  int TimerInterval() const { return timer_.isActive() ? timer_.interval() : 0; }
  const QRect& SlideRect() const { return slideRect_; }
  const fw::CImageObject& Picture() const { return picture_; }
  QColor Background() const;
  // Where the current picture is drawn.
  QPoint PictureOrigin() const;

  // What the timer does: the next slide, or the end of the show.
  void TimerStep();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int NextSlide();
  void End();

  std::size_t index_ = 0;
  bool slideSize_ = false;
  int time_ = 0;
  fw::CImageObject picture_;
  QRect slideRect_;
  fw::ColorRef background_ = 0;
  std::vector<CMultimediaItem> items_;
  int defaultSound_ = -1;
  QSize screen_;
  QTimer timer_;
};
