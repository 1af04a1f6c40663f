#pragma once
// Edit Photo: the display edits of one photo item without touching its
// file: crop margins typed in inches or drawn with the mouse on the preview,
// flip, reverse and quarter turns, the slide show time, the scrapbook flag
// and an attached sound. OK writes them into the item.

#include <QFrame>
#include <QRubberBand>
#include <cstdint>
#include <functional>
#include <string>

#include "DialogBase.h"
#include "ImageObject.h"
#include "PhotoEdits.h"

class CMultimediaItem;
namespace fw {
class CMeasureEdit;
}

// The preview: the photo with every edit, and the rubber band of a crop drag.
class CEditPhotoPreview : public QFrame {
  Q_OBJECT

 public:
  CEditPhotoPreview(const fw::CImageObject& picture, QWidget* parent = nullptr);
  QRect pictureRect;  // the displayed picture inside the frame
  std::function<void(const QRect&)> onDrag;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const fw::CImageObject& picture_;
  QRubberBand* band_ = nullptr;
  QPoint origin_;
  bool dragging_ = false;
};

class CEditPhotoDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kTemplate = 336;
  static constexpr int kIdcTop = 1212;
  static constexpr int kIdcBottom = 1213;
  static constexpr int kIdcLeft = 1143;
  static constexpr int kIdcRight = 1144;
  static constexpr int kIdcReset = 1116;
  static constexpr int kIdcSlideShow = 1079;
  static constexpr int kIdcSlideTime = 1146;
  static constexpr int kIdcScrapbook = 1131;
  static constexpr int kIdcSound = 1100;
  static constexpr int kIdcSoundBrowse = 1095;
  static constexpr int kIdcPreviewFrame = 1210;
  static constexpr int kIdcRotate = 1085;
  static constexpr int kIdcFlip = 1092;
  static constexpr int kIdcReverse = 1214;
  // The "Original Size" statics.
  static constexpr int kIdcWidthText = 1300;
  static constexpr int kIdcHeightText = 1301;
  // Slide time range in tenths of a second.
  static constexpr int kMaxSlideTime = 590;

  CEditPhotoDialog(CMultimediaItem& item, QWidget* parent = nullptr);
  ~CEditPhotoDialog() override;

  std::string ownerCaption;
  std::int32_t ownerRin = 0;

  // The working values.
  const fw::CImageObject& Picture() const { return picture_; }
  media::Margins Crop() const { return crop_; }
  int Rotation() const { return rotation_; }
  int Flip() const { return flip_; }
  bool Loaded() const { return fileWidth_ > 0; }
  // The displayed picture's rectangle in the preview frame's coordinates.
  QRect DisplayedRect() const;
  CEditPhotoPreview* Preview() const { return preview_; }
  // A crop drawn on the preview (frame coordinates).
  void CropByDrag(const QRect& drag);
  // The four crop edits were left: applies them when they fit.
  void ApplyTypedCrop(bool vertical);
  // An arrow on a crop edit: positive steps down, negative up, only while
  // the axis's margins leave room.
  void StepCrop(int id, int delta);

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Reload();
  void ShowCropInInches();
  void StoreCrop(const media::Margins& crop);
  void OnRotate();
  void OnFlip();
  void OnReverse();
  void OnReset();
  void OnBrowseSound();
  fw::CMeasureEdit* Edit(int id) const;
  double DpiX() const;
  double DpiY() const;

  CMultimediaItem& item_;
  fw::CImageObject picture_;
  media::Margins crop_;
  int rotation_ = 0;
  int flip_ = 0;
  int fileWidth_ = 0, fileHeight_ = 0;
  int uncroppedWidth_ = 0, uncroppedHeight_ = 0;  // hundredths of an inch
  CEditPhotoPreview* preview_ = nullptr;
};
