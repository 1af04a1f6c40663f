#include "PictureFileDialog.h"

#include <strings.h>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "DialogBase.h"
#include "FileDialogRun.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

std::string PictureColorText(int bitsPerPixel) {
  // 2 to the power of the bits in decimal, also beyond 64 bits (16 bits
  // each of red, green, blue and alpha): the digits are doubled in turn,
  // lowest first.
  std::string digits = "1";
  for (int i = 0; i < bitsPerPixel; ++i) {
    int carry = 0;
    for (char& d : digits) {
      const int twice = (d - '0') * 2 + carry;
      d = static_cast<char>('0' + twice % 10);
      carry = twice / 10;
    }
    if (carry != 0) digits += static_cast<char>('0' + carry);
  }
  const std::string colors = bitsPerPixel == 24 ? res::LoadString(res::kIdsSixteenMillion)
                                                : std::string(digits.rbegin(), digits.rend());
  return res::FormatString(res::kIdsColorLine, {std::to_string(bitsPerPixel), colors});
}

// --- CPicturePreview ---

CPicturePreview::CPicturePreview(QWidget* parent) : QFrame(parent) {
  SetControlId(this, kIdc);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const int line = fontMetrics().height();
  setMinimumSize(line * 10, line * 8);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void CPicturePreview::SetPath(const std::string& path) {
  if (!path_.empty() && strcasecmp(path.c_str(), path_.c_str()) == 0) return;
  path_ = path;
  if (enabled_) Load();
  update();
}

void CPicturePreview::Clear() {
  path_.clear();
  picture_.Free();
  update();
}

void CPicturePreview::SetEnabledPreview(bool enabled) {
  enabled_ = enabled;
  if (enabled_) Load();
  update();
}

void CPicturePreview::Load() {
  picture_.Free();
  if (path_.empty()) return;
  WaitCursor wait;
  ++loads_;
  std::string error;
  if (picture_.LoadFileQuiet(path_, &error)) {
    // Inside the frame: one pixel at the left, right and bottom, two at the top.
    pictureRect_ = QRect(1, 2, width() - 2, height() - 3);
    picture_.FitToRect(pictureRect_, 0);
    picture_.resample = 0;
    picture_.Resize(pictureRect_.width(), pictureRect_.height());
  } else {
    plat::MessageBox(error, res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconExclamation);
  }
}

void CPicturePreview::paintEvent(QPaintEvent* event) {
  {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    if (enabled_ && picture_.IsLoaded()) {
      WaitCursor wait;
      picture_.DrawAt(p, pictureRect_.left(), pictureRect_.top());
    }
  }
  QFrame::paintEvent(event);  // the sunken frame over the edge
}

// --- CPictureFileDialog ---

CPictureFileDialog::CPictureFileDialog(const std::string& defaultExt, const std::string& fileName,
                                       unsigned flags, const std::string& filter, QWidget* parent)
    : CTemplateFileDialog(kPanelTemplate, defaultExt, fileName, flags, filter, parent) {
  previewChecked_ = plat::Profile().GetInt("Multimedia", "MMPhOpenPrev", 0) != 0;

  auto* panel = new QGroupBox(fw::ToQString(res::LoadString(res::kIdsPhotoInformation)));
  auto label = [](int id, const std::string& text) {
    auto* l = new QLabel(fw::ToQString(text));
    SetControlId(l, id);
    l->setTextFormat(Qt::PlainText);
    return l;
  };
  auto* grid = new QGridLayout;
  grid->addWidget(label(kIdcWidthLabel, res::LoadString(res::kIdsWidth)), 0, 0);
  grid->addWidget(label(kIdcWidth, "0"), 0, 1);
  grid->addWidget(label(kIdcHeightLabel, res::LoadString(res::kIdsHeight)), 1, 0);
  grid->addWidget(label(kIdcHeight, "0"), 1, 1);
  auto* colors = label(kIdcColors, "");
  colors->setWordWrap(true);
  grid->addWidget(colors, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  preview_ = new CPicturePreview;
  check_ = new QCheckBox(fw::ToQString(res::LoadString(res::kIdsPreview)));
  SetControlId(check_, kIdcPreviewCheck);
  check_->setChecked(previewChecked_);

  auto* box = new QVBoxLayout(panel);
  box->addWidget(label(kIdcUnavailable, res::LoadString(res::kIdsUnavailable)));
  box->addLayout(grid);
  box->addWidget(preview_, 1);
  box->addWidget(check_);
  SetPanel(panel);

  preview_->SetEnabledPreview(previewChecked_);
  connect(check_, &QCheckBox::toggled, this, &CPictureFileDialog::OnPreviewToggled);
  ShowPanelState(kStateUnavailable);
}

CPictureFileDialog::~CPictureFileDialog() {
  plat::Profile().SetInt("Multimedia", "MMPhOpenPrev", previewChecked_ ? 1 : 0);
}

int CPictureFileDialog::DoModal() {
  return fw::RunFileDialog(*this) == QDialog::Accepted ? fw::kIdOk : fw::kIdCancel;
}

std::string CPictureFileDialog::GetPathName() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? std::string() : fw::FromQPath(files.first());
}

QLabel* CPictureFileDialog::Label(int id) const {
  return findChild<QLabel*>(QStringLiteral("ctl%1").arg(id));
}

std::string CPictureFileDialog::PanelText(int id) const {
  QLabel* l = Label(id);
  return l ? fw::FromQString(l->text()) : std::string();
}

bool CPictureFileDialog::PanelShows(int id) const {
  QLabel* l = Label(id);
  return l && !l->isHidden();
}

int CPictureFileDialog::DescribeFile(const std::string& path) {
  describedPath_.clear();
  fw::ImageFileInfo info;
  if (!fw::CImageObject::GetFileInfo(path, info)) return kStateUnavailable;
  describedPath_ = path;
  widthText_ = std::to_string(info.width);
  heightText_ = std::to_string(info.height);
  colorText_ = PictureColorText(info.bitsPerPixel);
  return kStateShown;
}

void CPictureFileDialog::ShowPanelState(int state) {
  const bool shown = state == kStateShown;
  if (shown) {
    Label(kIdcWidth)->setText(fw::ToQString(widthText_));
    Label(kIdcHeight)->setText(fw::ToQString(heightText_));
    Label(kIdcColors)->setText(fw::ToQString(colorText_));
  }
  for (int id : {kIdcWidthLabel, kIdcWidth, kIdcHeightLabel, kIdcHeight, kIdcColors})
    Label(id)->setVisible(shown);
  Label(kIdcUnavailable)->setVisible(!shown);
  if (!preview_) return;
  if (shown && !describedPath_.empty())
    preview_->SetPath(describedPath_);
  else
    preview_->Clear();
}

void CPictureFileDialog::OnPreviewToggled(bool checked) {
  previewChecked_ = checked;
  preview_->SetEnabledPreview(checked);
}

// --- CSelectFileDialog ---

CSelectFileDialog::CSelectFileDialog(unsigned okTextId, const std::string& fileName, unsigned flags,
                                     const std::string& filter, QWidget* parent)
    : QFileDialog(parent), okTextId_(okTextId) {
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode((flags & kOfnFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  SetUpFileDialog(*this, ParseFileFilter(filter), "", fileName);
  if (okTextId_ != 0) setLabelText(QFileDialog::Accept, fw::ToQString(res::LoadString(okTextId_)));
}

int CSelectFileDialog::DoModal() {
  return fw::RunFileDialog(*this) == QDialog::Accepted ? fw::kIdOk : fw::kIdCancel;
}

std::string CSelectFileDialog::GetPathName() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? std::string() : fw::FromQPath(files.first());
}
