#pragma once
// The scrapbook: an individual's photos marked for it, full screen, six to
// a page in two rows of three, each with its caption above, its
// description below and a sound button when a sound is attached. The arrow
// buttons turn the pages.

#include <QMargins>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "ImageObject.h"
#include "ScrapbookLayout.h"

class CMultimediaItem;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// One slot's picture frame.
class CScrapbookFrame : public QWidget {
  Q_OBJECT

 public:
  CScrapbookFrame(const fw::CImageObject& picture, QColor background, QWidget* parent = nullptr);
  QRect pictureRect;
  bool hasPicture = false;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const fw::CImageObject& picture_;
  QColor background_;
};

class CScrapbookDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kTemplate = 308;
  static constexpr int kIdcPrevious = 1084;
  static constexpr int kIdcNext = 1091;
  static constexpr int kIdcFirstCaption = 1204;
  static constexpr int kIdcFirstFrame = 1198;
  static constexpr int kIdcFirstDescription = 1192;
  static constexpr int kIdcFirstSound = 1215;

  // items: the collection in order (not owned; they outlive the dialog).
  CScrapbookDialog(const std::vector<const CMultimediaItem*>& items, QWidget* parent = nullptr);
  ~CScrapbookDialog() override;

  std::string ownerCaption;

  int First() const { return first_; }
  int PhotoCount() const { return static_cast<int>(photos_.size()); }
  const fw::CImageObject& SlotPicture(int slot) const { return pictures_[slot]; }
  const std::string& SlotSound(int slot) const { return sounds_[slot]; }
  // Lays the dialog out on a client area of that size.
  void LayOut(int width, int height);

  void OnNext();
  void OnPrevious();
  void OnSound(int slot);

 protected:
  void OnInitDialog() override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // Fills the screen's work area with the window, its title bar and frame
  // included, so that the bottom row stays on the screen.
  void PlaceOnScreen();
  QMargins FrameMargins() const;
  void FillPage();

  std::vector<const CMultimediaItem*> photos_;
  int first_ = 0;
  std::array<fw::CImageObject, media::kScrapbookSlots> pictures_;
  std::array<std::string, media::kScrapbookSlots> sounds_;
  std::array<CScrapbookFrame*, media::kScrapbookSlots> frames_{};
  media::ScrapbookSizes sizes_;
  // The frame the window was placed for; the window manager may frame it
  // only once it is shown.
  QMargins placedMargins_;
  bool placed_ = false;
};
