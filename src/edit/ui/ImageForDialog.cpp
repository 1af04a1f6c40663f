#include "ImageForDialog.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppScreens.h"
#include "NotesDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace notesui {

namespace {

QPushButton* Button(const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

std::string StoredMultimediaName(const std::string& path, const std::string& discId) {
  constexpr std::string_view kPcd = ".pcd";
  const bool pcd =
      path.size() >= kPcd.size() && path.compare(path.size() - kPcd.size(), kPcd.size(), kPcd) == 0;
  if (!pcd || discId.empty()) return path;
  return path + "\n" + (discId.size() > 12 ? discId.substr(discId.size() - 12) : discId);
}

CImageForDialog::CImageForDialog(const std::string& suffix, const CMultimediaItem* current,
                                 QWidget* parent)
    : fw::CDialogBase(parent), gate(AppGate()), suffix_(suffix) {
  if (current) item = std::make_unique<CMultimediaItem>(*current);
  setWindowTitle(QStringLiteral("Image for ") + fw::ToQString(suffix));
  frame_ = AddControl(kIdcFrame, new QLabel);
  frame_->setFrameShape(QFrame::Box);
  frame_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  frame_->setFixedSize(DialogUnitsToPixels(160, 120));
  auto* close = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&Close")));
  close->setDefault(true);
  auto* view = AddControl(kIdcView, Button("&View"));
  auto* attach = AddControl(kIdcAttach, Button("&Attach..."));
  auto* remove = AddControl(kIdcRemove, Button("&Remove"));
  auto* help = AddControl(fw::kIdHelp, Button("&Help"));
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {close, view, attach, remove, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addWidget(frame_);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(close, &QPushButton::clicked, this, &CImageForDialog::accept);
  connect(view, &QPushButton::clicked, this, &CImageForDialog::View);
  connect(attach, &QPushButton::clicked, this, &CImageForDialog::Attach);
  connect(remove, &QPushButton::clicked, this, &CImageForDialog::Remove);
  if (item) SetControlText(kIdcAttach, res::LoadString(res::kIdsEditCaption));
  LoadPreview();
  UpdateButtons();
}

// A photo window still shown goes with the dialog.
CImageForDialog::~CImageForDialog() {
  if (photoWindow_ && photoWindow_->isVisible()) delete photoWindow_.data();
}

void CImageForDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  UpdateButtons();
}

void CImageForDialog::UpdateButtons() {
  const bool has = item != nullptr && !gate.IsReadOnly();
  EnableControl(kIdcView, has);
  EnableControl(kIdcRemove, has);
  // Attaching asks through the Add Multimedia Object dialog the program
  // registers.
  EnableControl(kIdcAttach, chooseItem != nullptr || AppScreens().editMultimediaItem != nullptr);
}

void CImageForDialog::LoadPreview() {
  preview_.Free();
  frame_->clear();
  if (!item || item->kind != CMultimediaItem::kPhoto) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::string error;
  if (preview_.LoadFileQuiet(item->GetFullPath(), &error) == 1) {
    preview_.SetEdits(*item);
    preview_.ApplyEdits();
    QRect r = frame_->contentsRect().adjusted(2, 2, -2, -2);
    preview_.FitToRect(r, 0);
    preview_.Resize(r.width(), r.height());
    frame_->setPixmap(QPixmap::fromImage(preview_.Bitmap()));
  }
  QApplication::restoreOverrideCursor();
}

void CImageForDialog::View() {
  if (!item) return;
  if (item->kind != CMultimediaItem::kPhoto) {
    plat::Shell().Open(item->GetFullPath());
    return;
  }
  if (!AppScreens().showPhoto) return;
  const std::string title = item->caption.empty() ? res::LoadString(res::kIdsUntitled) + " " +
                                                        res::LoadString(res::kIdsPhoto)
                                                  : item->caption;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  photoWindow_ = AppScreens().showPhoto(this, photoWindow_, *item, title);
  QApplication::restoreOverrideCursor();
}

void CImageForDialog::Attach() {
  if (!gate.Allow()) return;
  // The dialog works on a copy, so that Cancel leaves the item as it was.
  CMultimediaItem chosen = item ? *item : CMultimediaItem{};
  if (chooseItem) {
    AttachChoice choice;
    if (item) {
      choice.path = item->GetFullPath();
      choice.caption = item->caption;
      choice.description = item->description;
      choice.kind = item->kind;
    }
    // The choice names the file by path; the item keeps family text.
    if (!chooseItem(choice) || !StoreMultimediaPath(choice.path, "", chosen.fileName)) return;
    chosen.caption = choice.caption;
    chosen.description = choice.description;
    chosen.kind = choice.kind;
  } else {
    if (!AppScreens().editMultimediaItem) return;
    if (item) chosen.fileName = item->GetFileName(false);  // without the disc label
    if (!AppScreens().editMultimediaItem(this, suffix_, chosen)) return;
  }
  if (chosen.fileName.empty()) return;
  const std::string path = chosen.GetFullPath();
  if (!item) item = std::make_unique<CMultimediaItem>();
  *item = chosen;
  item->fileName = StoredMultimediaName(chosen.fileName, fw::PictureHost().DiscIdentifier(path));
  item->width = item->height = 0;
  if (item->kind == CMultimediaItem::kPhoto) {
    fw::ImageFileInfo info;
    if (fw::CImageObject::GetFileInfo(path, info)) {
      item->width = static_cast<std::uint16_t>(info.width);
      item->height = static_cast<std::uint16_t>(info.height);
    }
  }
  SetControlText(kIdcAttach, res::LoadString(res::kIdsEditCaption));
  LoadPreview();
  UpdateButtons();
}

void CImageForDialog::Remove() {
  if (!item || !gate.Allow()) return;
  item.reset();
  preview_.Free();
  frame_->clear();
  SetControlText(kIdcAttach, res::LoadString(res::kIdsAttachCaption));
  UpdateButtons();
}

bool RunImageFor(QWidget* parent, const std::string& suffix,
                 std::unique_ptr<CMultimediaItem>& image) {
  CImageForDialog dialog(suffix, image.get(), parent);
  if (dialog.exec() != fw::kIdOk) return false;
  image = std::move(dialog.item);
  return true;
}

}  // namespace notesui
