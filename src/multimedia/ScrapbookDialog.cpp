#include "ScrapbookDialog.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

#include "FileSystem.h"
#include "MediaPlayer.h"
#include "MultimediaItem.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SlideShowWindow.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QRect ToRect(const media::Box& b) { return QRect(b.left, b.top, b.Width(), b.Height()); }

}  // namespace

CScrapbookFrame::CScrapbookFrame(const fw::CImageObject& picture, QColor background,
                                 QWidget* parent)
    : QWidget(parent), picture_(picture), background_(background) {}

void CScrapbookFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  if (hasPicture && picture_.IsLoaded())
    picture_.Draw(painter, pictureRect.left(), pictureRect.top());
}

CScrapbookDialog::CScrapbookDialog(const std::vector<const CMultimediaItem*>& items,
                                   QWidget* parent)
    : fw::CDialogBase(parent), photos_(media::ScrapbookPhotos(items)) {
  const QColor background =
      fw::ToQColor(ReadProfileColor("Multimedia", "MMScrapClr", fw::Rgb(255, 255, 255)));
  for (int k = 0; k < media::kScrapbookSlots; ++k) {
    auto* caption = AddControl(kIdcFirstCaption + k, new QLabel(this));
    caption->setTextFormat(Qt::PlainText);
    caption->setAlignment(Qt::AlignCenter);
    frames_[k] =
        AddControl(kIdcFirstFrame + k, new CScrapbookFrame(pictures_[k], background, this));
    auto* description = AddControl(kIdcFirstDescription + k, new QPlainTextEdit(this));
    description->setReadOnly(true);
    auto* sound = AddControl(kIdcFirstSound + k, new QToolButton(this));
    sound->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    sound->setToolTip(QStringLiteral("Play the attached sound"));
    sound->raise();
    sound->hide();
    connect(sound, &QToolButton::clicked, this, [this, k] { OnSound(k); });
  }
  auto* previous = AddControl(kIdcPrevious, new QToolButton(this));
  previous->setArrowType(Qt::LeftArrow);
  auto* next = AddControl(kIdcNext, new QToolButton(this));
  next->setArrowType(Qt::RightArrow);
  auto* close = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("Close"), this));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help"), this));
  close->setDefault(true);
  help->setAutoDefault(false);
  connect(previous, &QToolButton::clicked, this, &CScrapbookDialog::OnPrevious);
  connect(next, &QToolButton::clicked, this, &CScrapbookDialog::OnNext);
  connect(close, &QPushButton::clicked, this, &CScrapbookDialog::accept);

  const QSize button = close->sizeHint().expandedTo(DialogUnitsToPixels(50, 14));
  sizes_.buttonWidth = button.width();
  sizes_.buttonHeight = button.height();
  sizes_.captionHeight = DialogUnitsToPixels(0, 10).height();
  sizes_.descriptionHeight = DialogUnitsToPixels(0, 40).height();
  sizes_.soundWidth = sizes_.soundHeight = DialogUnitsToPixels(0, 16).height();
}

CScrapbookDialog::~CScrapbookDialog() { plat::StopMediaPlayback(); }

void CScrapbookDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  setWindowTitle(QStringLiteral("Scrapbook for ") + fw::ToQString(ownerCaption));
  EnableControl(kIdcNext, media::HasNextPage(0, PhotoCount()));
  EnableControl(kIdcPrevious, false);
  PlaceOnScreen();
  LayOut(width(), height());
  FillPage();
}

QMargins CScrapbookDialog::FrameMargins() const {
  const QWindow* window = windowHandle();
  return window ? window->frameMargins() : QMargins();
}

void CScrapbookDialog::PlaceOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  placed_ = true;
  placedMargins_ = FrameMargins();
  setGeometry(screen->availableGeometry().marginsRemoved(placedMargins_));
}

void CScrapbookDialog::resizeEvent(QResizeEvent* event) {
  fw::CDialogBase::resizeEvent(event);
  LayOut(width(), height());
  FillPage();
}

void CScrapbookDialog::moveEvent(QMoveEvent* event) {
  fw::CDialogBase::moveEvent(event);
  // Framed by the window manager after it was placed: placed again inside.
  if (placed_ && isVisible() && FrameMargins() != placedMargins_) PlaceOnScreen();
}

void CScrapbookDialog::LayOut(int width, int height) {
  const media::ScrapbookLayout l = media::LayOutScrapbook(width, height, sizes_);
  GetControl(kIdcPrevious)->setGeometry(ToRect(l.previous));
  GetControl(kIdcNext)->setGeometry(ToRect(l.next));
  GetControl(fw::kIdOk)->setGeometry(ToRect(l.close));
  GetControl(fw::kIdHelp)->setGeometry(ToRect(l.help));
  for (int k = 0; k < media::kScrapbookSlots; ++k) {
    const media::ScrapbookSlot& s = l.cells[k];
    GetControl(kIdcFirstCaption + k)->setGeometry(ToRect(s.caption));
    frames_[k]->setGeometry(ToRect(s.frame));
    GetControl(kIdcFirstDescription + k)->setGeometry(ToRect(s.description));
    GetControl(kIdcFirstSound + k)->setGeometry(ToRect(s.sound));
  }
}

void CScrapbookDialog::FillPage() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (int k = 0; k < media::kScrapbookSlots; ++k) {
    ShowControl(kIdcFirstSound + k, false);
    pictures_[k].Free();
    sounds_[k].clear();
    frames_[k]->hasPicture = false;
    SetControlText(kIdcFirstCaption + k, "");
    Control<QPlainTextEdit>(kIdcFirstDescription + k)->clear();
    const int index = first_ + k;
    if (index >= PhotoCount()) {
      frames_[k]->update();
      continue;
    }
    const CMultimediaItem& item = *photos_[index];
    SetControlText(kIdcFirstCaption + k, item.caption);
    Control<QPlainTextEdit>(kIdcFirstDescription + k)
        ->setPlainText(fw::ToQString(item.description));
    if (pictures_[k].LoadFile(item.GetFullPath(), item.GetSubName(), item.recordNumber, nullptr,
                              true) == fw::kImageOk) {
      pictures_[k].SetEdits(item);
      pictures_[k].ApplyEdits();
      QRect r = frames_[k]->rect();
      pictures_[k].FitToRect(r, 0);
      pictures_[k].Resize(r.width(), r.height());
      frames_[k]->pictureRect = r;
      frames_[k]->hasPicture = true;
    }
    if (!item.soundFile.empty()) {
      sounds_[k] = item.GetSoundPath();
      ShowControl(kIdcFirstSound + k, true);
    }
    frames_[k]->update();
  }
  QApplication::restoreOverrideCursor();
}

void CScrapbookDialog::OnNext() {
  plat::StopMediaPlayback();
  first_ += media::kScrapbookSlots;
  FillPage();
  EnableControl(kIdcNext, media::HasNextPage(first_, PhotoCount()));
  EnableControl(kIdcPrevious, true);
}

void CScrapbookDialog::OnPrevious() {
  plat::StopMediaPlayback();
  first_ = std::max(0, first_ - media::kScrapbookSlots);
  FillPage();
  EnableControl(kIdcPrevious, media::HasPreviousPage(first_));
  EnableControl(kIdcNext, true);
}

void CScrapbookDialog::OnSound(int slot) {
  const std::string& path = sounds_[slot];
  if (path.empty()) return;
  if (plat::PlayMediaFile(path, false) == 0)
    plat::MessageBox(res::LoadString(res::kIdsCannotPlay) + plat::PathText(path),
                     res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
}
