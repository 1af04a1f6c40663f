#include "PhotoWindow.h"

#include <QApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>

#include "FileSystem.h"
#include "QtPorts.h"

namespace {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CPhotoWindow::CPhotoWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("PhotoWindow"));
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  const QScreen* screen =
      owner && owner->screen() ? owner->screen() : QApplication::primaryScreen();
  const QSize work = screen ? screen->availableGeometry().size() : QSize(800, 600);
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight);
  largest_ = QSize(std::max(1, work.width() - 2 * frame),
                   std::max(1, work.height() - 2 * frame - caption));
}

bool CPhotoWindow::Create() {
  if (title_.empty()) title_ = plat::PathText(FileNameOf(path_));
  setWindowTitle(fw::ToQString(title_));
  if (parentWidget()) setWindowIcon(parentWidget()->windowIcon());
  FitToImage();
  // Centred on the screen's work area.
  if (const QScreen* s = screen()) {
    const QRect work = s->availableGeometry();
    move(work.left() + std::max(0, (work.width() - width()) / 2),
         work.top() + std::max(0, (work.height() - height()) / 2));
  }
  show();
  return true;
}

void CPhotoWindow::FitToImage() {
  fitted_ = false;
  if (picture_.Width() > largest_.width() || picture_.Height() > largest_.height()) {
    QRect fit(0, 0, largest_.width(), largest_.height());
    picture_.FitToRect(fit, 0);
    picture_.Resize(fit.width(), fit.height());
  }
  int w = std::max(1, picture_.Width());
  int h = std::max(1, picture_.Height());
  QPoint at = pos();
  if (w >= largest_.width()) {
    w = largest_.width();
    at.setX(0);
  }
  if (h >= largest_.height()) {
    h = largest_.height();
    at.setY(0);
  }
  resize(w, h);
  if (at != pos()) move(at);
  update();
  fitted_ = true;
}

void CPhotoWindow::paintEvent(QPaintEvent*) {
  if (!picture_.IsLoaded()) return;
  WaitCursor wait;
  QPainter p(this);
  picture_.Draw(p, 0, 0);
}

void CPhotoWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!fitted_) return;
  const QSize size = event->size();
  const bool first = firstSize_;
  firstSize_ = false;
  if (first || size.width() <= 0 || size.height() <= 0) return;
  // The window already shows the picture at its size (our own fitting).
  if (size == QSize(picture_.Width(), picture_.Height())) return;
  Reload(size.width(), size.height());
}

void CPhotoWindow::Reload(int width, int height) {
  WaitCursor wait;
  if (picture_.IsLoaded()) {
    // Dragging one side: the other grows as much, so the photo grows.
    const int pw = picture_.Width(), ph = picture_.Height();
    if (width == pw && height > ph) {
      width += height - ph;
    } else if (height == ph && width > pw) {
      height += width - pw;
    }
  }
  ++reloads_;
  const QSize requested(width, height);
  if (picture_.LoadFile(path_, "", 0, &requested, true)) {
    picture_.ApplyEdits();
    QRect fit(0, 0, width, height);
    picture_.FitToRect(fit, 0);
    picture_.Resize(fit.width(), fit.height());
  }
  update();
  FitToImage();
}

CPhotoWindow* ShowItemPhoto(CPhotoWindow* window, const CMultimediaItem& item,
                            const std::string& title, QWidget* owner) {
  const std::string path = item.GetFullPath();
  if (window && window->isVisible()) {
    if (window->Picture().LoadFile(path, item.GetSubName(), item.recordNumber, nullptr, true) ==
        fw::kImageOk) {
      window->Picture().SetEdits(item);
      window->Picture().ApplyEdits();
      window->SetFilePath(path);
      window->FitToImage();
      window->showNormal();
      window->setWindowTitle(fw::ToQString(title));
      window->activateWindow();
    }
    return window;
  }
  auto* shown = new CPhotoWindow(owner);
  shown->SetTitle(title);
  if (shown->Picture().LoadFile(path, item.GetSubName(), item.recordNumber, nullptr, true) !=
      fw::kImageOk) {
    delete shown;
    return nullptr;
  }
  shown->SetFilePath(path);
  shown->Picture().SetEdits(item);
  shown->Picture().ApplyEdits();
  shown->Create();
  return shown;
}
