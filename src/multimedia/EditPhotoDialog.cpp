#include "EditPhotoDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "FamilyDatabase.h"
#include "FileUtil.h"
#include "MeasureEdit.h"
#include "MultimediaItem.h"
#include "MultimediaItemDialog.h"
#include "PictureFileDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SaveName.h"

namespace {

constexpr int kSoundLimit = 260;

QString Q(const char* s) { return QString::fromLatin1(s); }

// The rectangle a drag from a to b spans, b's pixel not included.
QRect DragRect(QPoint a, QPoint b) {
  return QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(a.x() - b.x()),
               std::abs(a.y() - b.y()));
}

}  // namespace

// --- CEditPhotoPreview ---

CEditPhotoPreview::CEditPhotoPreview(const fw::CImageObject& picture, QWidget* parent)
    : QFrame(parent), picture_(picture) {
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Sunken);
  band_ = new QRubberBand(QRubberBand::Rectangle, this);
}

void CEditPhotoPreview::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!picture_.IsLoaded()) return;
  QPainter painter(this);
  picture_.Draw(painter, pictureRect.left(), pictureRect.top());
}

void CEditPhotoPreview::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() != Qt::LeftButton || !picture_.IsLoaded() || !pictureRect.contains(at))
    return;
  dragging_ = true;
  origin_ = at;
  band_->setGeometry(QRect(origin_, QSize()));
  band_->show();
}

void CEditPhotoPreview::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  // Confined to the displayed picture; dragging up or left is allowed.
  band_->setGeometry(DragRect(origin_, event->position().toPoint()) & pictureRect);
}

void CEditPhotoPreview::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  band_->hide();
  const QRect drag = DragRect(origin_, event->position().toPoint()) & pictureRect;
  if (onDrag) onDrag(drag);
}

// --- CEditPhotoDialog ---

CEditPhotoDialog::CEditPhotoDialog(CMultimediaItem& item, QWidget* parent)
    : fw::CDialogBase(parent), item_(item) {
  auto measure = [this](int id) {
    auto* e = AddControl(id, new fw::CMeasureEdit);
    e->installEventFilter(this);
    return e;
  };
  auto label = [](const char* text, QWidget* buddy) {
    auto* l = new QLabel(Q(text));
    if (buddy) l->setBuddy(buddy);
    return l;
  };
  auto* top = measure(kIdcTop);
  auto* bottom = measure(kIdcBottom);
  auto* left = measure(kIdcLeft);
  auto* right = measure(kIdcRight);
  auto* reset = AddControl(kIdcReset, new QPushButton(QStringLiteral("R&eset")));
  auto* slideShow =
      AddControl(kIdcSlideShow, new QCheckBox(QStringLiteral("&Include in slide show")));
  auto* slideTime = AddControl(kIdcSlideTime, new fw::CMeasureEdit);
  auto* scrapbook =
      AddControl(kIdcScrapbook, new QCheckBox(QStringLiteral("Include photo in s&crapbook")));
  auto* sound = AddControl(kIdcSound, new QLineEdit);
  sound->setMaxLength(kSoundLimit);
  auto* browse = AddControl(kIdcSoundBrowse, new QPushButton(QStringLiteral("&Browse...")));
  preview_ = AddControl(kIdcPreviewFrame, new CEditPhotoPreview(picture_));
  preview_->setMinimumSize(DialogUnitsToPixels(150, 120));
  preview_->onDrag = [this](const QRect& drag) { CropByDrag(drag); };
  auto picButton = [this](int id, const char* tip, QStyle::StandardPixmap icon) {
    auto* b = AddControl(id, new QToolButton);
    b->setToolTip(Q(tip));
    b->setIcon(style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    return b;
  };
  auto* rotate = picButton(kIdcRotate, "Rotate", QStyle::SP_BrowserReload);
  auto* flip = picButton(kIdcFlip, "Flip", QStyle::SP_ArrowDown);
  auto* reverse = picButton(kIdcReverse, "Reverse", QStyle::SP_ArrowForward);
  auto* widthText = AddControl(kIdcWidthText, new QLabel(QStringLiteral("0.00\"")));
  auto* heightText = AddControl(kIdcHeightText, new QLabel(QStringLiteral("0.00\"")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  for (QPushButton* b : {reset, browse, cancel, help}) b->setAutoDefault(false);

  auto* cropGroup = new QGroupBox(QStringLiteral("Crop From"));
  auto* cropGrid = new QGridLayout(cropGroup);
  cropGrid->addWidget(label("&Top:", top), 0, 0);
  cropGrid->addWidget(top, 0, 1);
  cropGrid->addWidget(label("B&ottom:", bottom), 1, 0);
  cropGrid->addWidget(bottom, 1, 1);
  cropGrid->addWidget(label("&Left:", left), 2, 0);
  cropGrid->addWidget(left, 2, 1);
  cropGrid->addWidget(label("&Right:", right), 3, 0);
  cropGrid->addWidget(right, 3, 1);
  cropGrid->addWidget(reset, 4, 1);
  auto* slideGroup = new QGroupBox(QStringLiteral("Slide Show"));
  auto* slideGrid = new QGridLayout(slideGroup);
  slideGrid->addWidget(slideShow, 0, 0, 1, 3);
  slideGrid->addWidget(label("&Show slide for", slideTime), 1, 0);
  slideGrid->addWidget(slideTime, 1, 1);
  slideGrid->addWidget(new QLabel(QStringLiteral("seconds")), 1, 2);
  auto* note = new QLabel(QStringLiteral("Set to 0 to use the default time from Preferences."));
  note->setWordWrap(true);
  slideGrid->addWidget(note, 2, 0, 1, 3);
  auto* scrapGroup = new QGroupBox(QStringLiteral("Scrapbook"));
  auto* scrapGrid = new QGridLayout(scrapGroup);
  scrapGrid->addWidget(scrapbook, 0, 0, 1, 2);
  scrapGrid->addWidget(label("Attac&hed sound:", sound), 1, 0, 1, 2);
  scrapGrid->addWidget(sound, 2, 0);
  scrapGrid->addWidget(browse, 2, 1);
  auto* sizeGroup = new QGroupBox(QStringLiteral("Original Size"));
  auto* sizeGrid = new QGridLayout(sizeGroup);
  sizeGrid->addWidget(new QLabel(QStringLiteral("Width:")), 0, 0);
  sizeGrid->addWidget(widthText, 0, 1);
  sizeGrid->addWidget(new QLabel(QStringLiteral("Height:")), 1, 0);
  sizeGrid->addWidget(heightText, 1, 1);

  auto* leftColumn = new QVBoxLayout;
  leftColumn->addWidget(cropGroup);
  leftColumn->addWidget(slideGroup);
  leftColumn->addWidget(scrapGroup);
  leftColumn->addStretch();
  auto* pictureButtons = new QHBoxLayout;
  for (QToolButton* b : {rotate, flip, reverse}) pictureButtons->addWidget(b);
  pictureButtons->addStretch();
  auto* middle = new QVBoxLayout;
  middle->addWidget(preview_, 1);
  middle->addLayout(pictureButtons);
  middle->addWidget(sizeGroup);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(leftColumn);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);

  // The crop arrows only act while the margins leave room.
  for (int id : {kIdcTop, kIdcBottom, kIdcLeft, kIdcRight}) {
    fw::CMeasureEdit* e = Edit(id);
    e->UpButton()->disconnect();
    e->DownButton()->disconnect();
    connect(e->UpButton(), &QToolButton::clicked, this, [this, id] { StepCrop(id, -1); });
    connect(e->DownButton(), &QToolButton::clicked, this, [this, id] { StepCrop(id, 1); });
  }
  connect(rotate, &QToolButton::clicked, this, &CEditPhotoDialog::OnRotate);
  connect(flip, &QToolButton::clicked, this, &CEditPhotoDialog::OnFlip);
  connect(reverse, &QToolButton::clicked, this, &CEditPhotoDialog::OnReverse);
  connect(reset, &QPushButton::clicked, this, &CEditPhotoDialog::OnReset);
  connect(browse, &QPushButton::clicked, this, &CEditPhotoDialog::OnBrowseSound);
  connect(ok, &QPushButton::clicked, this, &CEditPhotoDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CEditPhotoDialog::reject);
}

CEditPhotoDialog::~CEditPhotoDialog() = default;

fw::CMeasureEdit* CEditPhotoDialog::Edit(int id) const { return Control<fw::CMeasureEdit>(id); }

double CEditPhotoDialog::DpiX() const { return logicalDpiX() > 0 ? logicalDpiX() : 96; }
double CEditPhotoDialog::DpiY() const { return logicalDpiY() > 0 ? logicalDpiY() : 96; }

void CEditPhotoDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  for (int id : {kIdcTop, kIdcBottom, kIdcLeft, kIdcRight}) {
    Edit(id)->SetDecimals(2);
    Edit(id)->SetUnit(fw::MeasureValue::kUnitInches);
  }
  Edit(kIdcSlideTime)->SetDecimals(1);
  Edit(kIdcSlideTime)->SetScaledRange(0, kMaxSlideTime);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string path = item_.GetFullPath();
  if (!path.empty() && picture_.LoadFile(path, item_.GetSubName(), item_.recordNumber, nullptr,
                                         true) == fw::kImageOk) {
    fileWidth_ = picture_.Width();
    fileHeight_ = picture_.Height();
    crop_ = {item_.cropLeft, item_.cropTop, item_.cropRight, item_.cropBottom};
    rotation_ = item_.GetRotation();
    flip_ = item_.GetFlip();
    // A crop made for a larger picture than the file now holds is dropped.
    if (!media::CropFits(crop_, fileWidth_, fileHeight_)) crop_ = {};
    uncroppedWidth_ = media::PixelsToHundredths(fileWidth_, DpiX());
    uncroppedHeight_ = media::PixelsToHundredths(fileHeight_, DpiY());
    Edit(kIdcLeft)->SetScaledRange(0, uncroppedWidth_);
    Edit(kIdcRight)->SetScaledRange(0, uncroppedWidth_);
    Edit(kIdcTop)->SetScaledRange(0, uncroppedHeight_);
    Edit(kIdcBottom)->SetScaledRange(0, uncroppedHeight_);
    ShowCropInInches();
    SetControlText(kIdcWidthText, media::InchesText(uncroppedWidth_));
    SetControlText(kIdcHeightText, media::InchesText(uncroppedHeight_));
    Reload();
  } else {
    for (int id : {kIdcRotate, kIdcFlip, kIdcReverse}) EnableControl(id, false);
  }
  QApplication::restoreOverrideCursor();
  Edit(kIdcSlideTime)->SetScaledValue(item_.slideTime);
  SetCheck(kIdcSlideShow, (item_.flags & CMultimediaItem::kFlagSlideShow) ? 1 : 0);
  SetCheck(kIdcScrapbook, (item_.flags & CMultimediaItem::kFlagScrapbook) ? 1 : 0);
  SetControlText(kIdcSound, item_.soundFile);
  if (CurrentDatabase && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly)
    EnableControl(fw::kIdOk, false);
  setWindowTitle(QStringLiteral("Edit Photo for ") + fw::ToQString(ownerCaption));
  CenterWindow();
}

void CEditPhotoDialog::ShowCropInInches() {
  Edit(kIdcLeft)->SetScaledValue(media::PixelsToHundredths(crop_.left, DpiX()));
  Edit(kIdcRight)->SetScaledValue(media::PixelsToHundredths(crop_.right, DpiX()));
  Edit(kIdcTop)->SetScaledValue(media::PixelsToHundredths(crop_.top, DpiY()));
  Edit(kIdcBottom)->SetScaledValue(media::PixelsToHundredths(crop_.bottom, DpiY()));
}

QRect CEditPhotoDialog::DisplayedRect() const { return preview_->pictureRect; }

void CEditPhotoDialog::Reload() {
  if (!Loaded()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (picture_.LoadFile(item_.GetFullPath(), item_.GetSubName(), item_.recordNumber, nullptr,
                        true) == fw::kImageOk) {
    picture_.cropLeft = crop_.left;
    picture_.cropTop = crop_.top;
    picture_.cropRight = crop_.right;
    picture_.cropBottom = crop_.bottom;
    picture_.rotation = rotation_;
    picture_.flip = flip_;
    picture_.ApplyEdits();
    QRect r = preview_->rect().adjusted(2, 2, -2, -2);
    picture_.FitToRect(r, 0);
    picture_.Resize(r.width(), r.height());
    preview_->pictureRect = r;
  }
  preview_->update();
  QApplication::restoreOverrideCursor();
}

void CEditPhotoDialog::resizeEvent(QResizeEvent* event) {
  fw::CDialogBase::resizeEvent(event);
  if (Loaded()) Reload();
}

void CEditPhotoDialog::StoreCrop(const media::Margins& crop) {
  if (crop == crop_) return;
  crop_ = crop;
  Reload();
}

void CEditPhotoDialog::ApplyTypedCrop(bool vertical) {
  if (!Loaded()) return;
  const int top = Edit(kIdcTop)->GetScaledValue();
  const int bottom = Edit(kIdcBottom)->GetScaledValue();
  const int left = Edit(kIdcLeft)->GetScaledValue();
  const int right = Edit(kIdcRight)->GetScaledValue();
  const bool fits = vertical ? media::CropAxisAllowed(top, bottom, uncroppedHeight_)
                             : media::CropAxisAllowed(left, right, uncroppedWidth_);
  if (!fits) return;
  StoreCrop({media::HundredthsToPixels(left, DpiX()), media::HundredthsToPixels(top, DpiY()),
             media::HundredthsToPixels(right, DpiX()), media::HundredthsToPixels(bottom, DpiY())});
}

void CEditPhotoDialog::StepCrop(int id, int delta) {
  const bool vertical = id == kIdcTop || id == kIdcBottom;
  const int first = Edit(vertical ? kIdcTop : kIdcLeft)->GetScaledValue();
  const int second = Edit(vertical ? kIdcBottom : kIdcRight)->GetScaledValue();
  if (!media::CropAxisAllowed(first, second, vertical ? uncroppedHeight_ : uncroppedWidth_)) return;
  if (delta > 0)
    Edit(id)->StepDown();
  else
    Edit(id)->StepUp();
  ApplyTypedCrop(vertical);
}

bool CEditPhotoDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (watched == Edit(kIdcTop) || watched == Edit(kIdcBottom)) ApplyTypedCrop(true);
    if (watched == Edit(kIdcLeft) || watched == Edit(kIdcRight)) ApplyTypedCrop(false);
  }
  return fw::CDialogBase::eventFilter(watched, event);
}

void CEditPhotoDialog::CropByDrag(const QRect& drag) {
  if (!Loaded()) return;
  const QRect d = DisplayedRect();
  const media::Box displayed{d.left(), d.top(), d.left() + d.width(), d.top() + d.height()};
  const media::Box dragged{drag.left(), drag.top(), drag.left() + drag.width(),
                           drag.top() + drag.height()};
  media::Margins added;
  if (!media::DragToFileMargins(displayed, dragged, fileWidth_, fileHeight_, crop_, rotation_,
                                flip_, added))
    return;
  const media::Margins crop{crop_.left + added.left, crop_.top + added.top,
                            crop_.right + added.right, crop_.bottom + added.bottom};
  crop_ = crop;
  ShowCropInInches();
  Reload();
}

void CEditPhotoDialog::OnRotate() {
  rotation_ = media::NextRotation(rotation_);
  Reload();
}

void CEditPhotoDialog::OnFlip() {
  flip_ = media::FlipAfterFlip(flip_);
  Reload();
}

void CEditPhotoDialog::OnReverse() {
  flip_ = media::FlipAfterReverse(flip_);
  Reload();
}

void CEditPhotoDialog::OnReset() {
  for (int id : {kIdcTop, kIdcBottom, kIdcLeft, kIdcRight}) Edit(id)->SetScaledValue(0);
  StoreCrop({});
}

void CEditPhotoDialog::OnBrowseSound() {
  // The entry is family text; the chooser speaks the file system's names.
  const std::string entry = GetControlText(kIdcSound);
  const std::string folder =
      entry.empty() ? MultimediaItemFolder()
                    : std::filesystem::path(MultimediaPath(entry, GetOpenFamilyFileFolder()))
                          .parent_path()
                          .string();
  CSelectFileDialog dialog(0, "", kOfnHideReadOnly | kOfnFileMustExist, SoundFileFilter(), this);
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Select"));
  dialog.setWindowTitle(QStringLiteral("Open Sound File for ") + fw::ToQString(ownerCaption));
  if (!folder.empty()) dialog.setDirectory(fw::ToQPath(folder));
  std::string stored;
  if (dialog.DoModal() == fw::kIdOk && StoreChosenFile(dialog.GetPathName(), stored, false))
    SetControlText(kIdcSound, stored);
}

void CEditPhotoDialog::OnOK() {
  item_.cropLeft = static_cast<std::uint16_t>(crop_.left);
  item_.cropTop = static_cast<std::uint16_t>(crop_.top);
  item_.cropRight = static_cast<std::uint16_t>(crop_.right);
  item_.cropBottom = static_cast<std::uint16_t>(crop_.bottom);
  std::uint16_t flags = item_.flags;
  flags &=
      static_cast<std::uint16_t>(~(CMultimediaItem::kEditedMask | CMultimediaItem::kFlagSlideShow |
                                   CMultimediaItem::kFlagScrapbook));
  flags |= static_cast<std::uint16_t>((rotation_ & 3) << CMultimediaItem::kRotationShift);
  flags |= static_cast<std::uint16_t>((flip_ & 3) << CMultimediaItem::kFlipShift);
  if (GetCheck(kIdcSlideShow)) flags |= CMultimediaItem::kFlagSlideShow;
  if (GetCheck(kIdcScrapbook)) flags |= CMultimediaItem::kFlagScrapbook;
  item_.flags = flags;
  item_.slideTime = static_cast<std::uint16_t>(Edit(kIdcSlideTime)->GetScaledValue());
  item_.soundFile = GetControlText(kIdcSound);
  EndDialog(fw::kIdOk);
}
