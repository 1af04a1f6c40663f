#include "MultimediaCollectionDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "CompactPath.h"
#include "EditPhotoDialog.h"
#include "FamilyDatabase.h"
#include "KorApp.h"
#include "MediaPlayer.h"
#include "MultimediaItemDialog.h"
#include "PhotoWindow.h"
#include "Ports.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "ScrapbookDialog.h"
#include "SlideShowWindow.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr const char* kSection = "Multimedia";
// The list's tab stops in dialog units.
constexpr int kTabStop1 = 6;
constexpr int kTabStop2 = 50;

bool FamilyFileReadOnly() {
  return CurrentDatabase && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
}

// Draws an entry's tab-separated pieces at the list's tab stops.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  TabStopDelegate(int stop1, int stop2, QObject* parent)
      : QStyledItemDelegate(parent), stops_{0, stop1, stop2} {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStringList pieces = opt.text.split(QLatin1Char('\t'));
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    painter->save();
    painter->setPen(opt.palette.color(
        (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    const int margin = 2;
    for (int i = 0; i < pieces.size(); ++i) {
      const int x = i < 3 ? stops_[i] : stops_[2];
      const int right = i + 1 < 3 && i + 1 < pieces.size() ? stops_[i + 1] : opt.rect.width();
      QRect r(opt.rect.left() + margin + x, opt.rect.top(), right - x, opt.rect.height());
      painter->drawText(r, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, pieces[i]);
    }
    painter->restore();
  }

 private:
  int stops_[3];
};

}  // namespace

// --- CMediaPreviewFrame ---

CMediaPreviewFrame::CMediaPreviewFrame(const fw::CImageObject& picture, QWidget* parent)
    : QFrame(parent), picture_(picture) {
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Sunken);
}

void CMediaPreviewFrame::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!paintAllowed || !picture_.IsLoaded()) return;
  QPainter painter(this);
  picture_.Draw(painter, pictureRect.left(), pictureRect.top());
}

// --- CMultimediaCollectionDialog ---

CMultimediaCollectionDialog::CMultimediaCollectionDialog(std::int32_t owner,
                                                         const std::string& caption,
                                                         QWidget* parent)
    : fw::CDialogBase(parent),
      collection_(owner, FamilyFileReadOnly()),
      caption_(caption.empty() && owner <= 0 ? res::LoadString(res::kIdsNewIndividual) : caption) {
  auto button = [this](int id, const char* text) {
    auto* b = AddControl(id, new QPushButton(QString::fromLatin1(text)));
    b->setAutoDefault(false);
    return b;
  };
  auto* add = button(kIdcAdd, "&Add...");
  auto* modify = button(kIdcModify, "&Modify");
  auto* remove = button(kIdcRemove, "&Remove...");
  auto* editPhoto = button(kIdcEditPhoto, "&Edit Photo");
  auto* show = button(kIdcShow, "S&how");
  auto* makeDefault = button(kIdcDefault, "Make &Default");
  auto* save = button(fw::kIdOk, "&Save");
  auto* close = button(fw::kIdCancel, "&Close");
  auto* slideShow = button(kIdcSlideShow, "Slide Sho&w");
  auto* scrapbook = button(kIdcScrapbook, "Scrap&book");
  auto* help = button(fw::kIdHelp, "Help");

  list_ = AddControl(kIdcList, new QListWidget);
  list_->setItemDelegate(new TabStopDelegate(DialogUnitsToPixels(kTabStop1, 0).width(),
                                             DialogUnitsToPixels(kTabStop2, 0).width(), list_));
  list_->setMinimumSize(DialogUnitsToPixels(150, 70));
  auto* order = AddControl(kIdcOrder, new QWidget);
  auto* up = new QToolButton(order);
  up->setObjectName(QStringLiteral("up"));
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton(order);
  down->setObjectName(QStringLiteral("down"));
  down->setArrowType(Qt::DownArrow);
  auto* orderLayout = new QVBoxLayout(order);
  orderLayout->setContentsMargins(0, 0, 0, 0);
  orderLayout->addWidget(up);
  orderLayout->addWidget(down);
  orderLayout->addStretch();
  auto* fileName = AddControl(kIdcFileName, new QLabel);
  fileName->setTextFormat(Qt::PlainText);
  fileName->setFrameShape(QFrame::StyledPanel);
  fileName->setFrameShadow(QFrame::Sunken);
  fileName->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
  auto* description = AddControl(kIdcDescription, new QPlainTextEdit);
  description->setReadOnly(true);
  description->setMinimumHeight(DialogUnitsToPixels(0, 40).height());
  preview_ = AddControl(kIdcPreview, new QCheckBox(QStringLiteral("Pre&view")));
  frame_ = AddControl(kIdcPreviewFrame, new CMediaPreviewFrame(picture_));
  frame_->setMinimumSize(DialogUnitsToPixels(120, 110));

  auto* listLabel = new QLabel(QStringLiteral("Media &Item:"));
  listLabel->setBuddy(list_);
  auto* left = new QGridLayout;
  left->addWidget(listLabel, 0, 0);
  left->addWidget(new QLabel(QStringLiteral("Order")), 0, 1);
  left->addWidget(list_, 1, 0);
  left->addWidget(order, 1, 1);
  left->addWidget(new QLabel(QStringLiteral("Location")), 2, 0, 1, 2);
  left->addWidget(fileName, 3, 0, 1, 2);
  left->addWidget(new QLabel(QStringLiteral("Description")), 4, 0, 1, 2);
  left->addWidget(description, 5, 0, 1, 2);
  auto* middle = new QVBoxLayout;
  middle->addWidget(preview_);
  middle->addWidget(frame_, 1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {add, modify, remove, editPhoto, show, makeDefault}) buttons->addWidget(b);
  buttons->addSpacing(8);
  for (QPushButton* b : {save, close, slideShow, scrapbook, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addLayout(middle, 2);
  columns->addLayout(buttons);
  auto* note = new QLabel(
      QStringLiteral("* Default photo used with reports or default sound used in slide show."));
  auto* top = new QVBoxLayout(this);
  top->addLayout(columns, 1);
  top->addWidget(note);

  connect(add, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnAdd);
  connect(modify, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnModify);
  connect(remove, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnRemove);
  connect(editPhoto, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnEditPhoto);
  connect(show, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnShow);
  connect(makeDefault, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnDefault);
  connect(save, &QPushButton::clicked, this, &CMultimediaCollectionDialog::accept);
  connect(close, &QPushButton::clicked, this, &CMultimediaCollectionDialog::reject);
  connect(slideShow, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnSlideShow);
  connect(scrapbook, &QPushButton::clicked, this, &CMultimediaCollectionDialog::OnScrapbook);
  connect(up, &QToolButton::clicked, this, [this] { OnOrder(-1); });
  connect(down, &QToolButton::clicked, this, [this] { OnOrder(1); });
  connect(preview_, &QCheckBox::toggled, this, &CMultimediaCollectionDialog::OnPreviewToggled);
  connect(list_, &QListWidget::currentRowChanged, this,
          &CMultimediaCollectionDialog::OnSelectionChanged);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnShow(); });

  runItemDialog = [](CMultimediaItemDialog& dialog) { return dialog.exec(); };
  runEditPhoto = [this](CMultimediaItem& item) {
    CEditPhotoDialog dialog(item, this);
    dialog.ownerCaption = caption_;
    dialog.ownerRin = collection_.Owner();
    return dialog.exec();
  };
  runScrapbook = [this](const std::vector<const CMultimediaItem*>& items) {
    CScrapbookDialog dialog(items, this);
    dialog.ownerCaption = caption_;
    dialog.exec();
  };
}

CMultimediaCollectionDialog::~CMultimediaCollectionDialog() {
  plat::StopMediaPlayback();
  if (photoWindow_ && photoWindow_->isVisible()) delete photoWindow_.data();
  if (previewState_ >= 0) plat::Profile().SetInt(kSection, "MMPrevState1", previewState_);
}

void CMultimediaCollectionDialog::SetPendingItems(CMultimediaList items) {
  collection_.Adopt(std::move(items));
}

CMultimediaList CMultimediaCollectionDialog::TakePendingItems(CMultimediaItem** defaultItem) {
  return collection_.TakeItems(defaultItem);
}

int CMultimediaCollectionDialog::Selection() const { return list_->currentRow(); }

void CMultimediaCollectionDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  setWindowTitle(QStringLiteral("Multimedia Collection") +
                 (caption_.empty() ? QString() : QStringLiteral(" - ") + fw::ToQString(caption_)));
  {
    const QSignalBlocker block(preview_);
    preview_->setChecked(plat::Profile().GetInt(kSection, "MMPrevState1", 1) != 0);
  }
  collection_.Load();
  SetEntries();
  if (collection_.Count() > 0) {
    list_->setCurrentRow(0);
    LoadPreview();
  } else {
    ShowSelectionTexts();
    UpdateButtons();
  }
  CenterWindow();
}

void CMultimediaCollectionDialog::SetEntries() {
  const QSignalBlocker block(list_);
  list_->clear();
  for (int i = 0; i < collection_.Count(); ++i)
    list_->addItem(fw::ToQString(collection_.EntryText(i)));
}

void CMultimediaCollectionDialog::RefreshEntry(int index) {
  if (QListWidgetItem* entry = list_->item(index))
    entry->setText(fw::ToQString(collection_.EntryText(index)));
}

void CMultimediaCollectionDialog::UpdateButtons() {
  const media::CollectionButtons b = collection_.Buttons(Selection());
  EnableControl(kIdcAdd, b.add);
  EnableControl(kIdcModify, b.modify);
  EnableControl(kIdcRemove, b.remove);
  EnableControl(kIdcEditPhoto, b.editPhoto && runEditPhoto != nullptr);
  EnableControl(kIdcShow, b.show);
  SetControlText(kIdcShow, b.showText);
  EnableControl(kIdcDefault, b.makeDefault);
  SetControlText(kIdcDefault, b.defaultText);
  EnableControl(fw::kIdOk, b.save);
  SetControlText(fw::kIdCancel, b.closeText);
  EnableControl(kIdcSlideShow, b.slideShow);
  EnableControl(kIdcScrapbook, b.scrapbook && runScrapbook != nullptr);
  EnableControl(kIdcPreview, b.preview);
  EnableControl(kIdcPreviewFrame, b.preview);
}

void CMultimediaCollectionDialog::ShowSelectionTexts() {
  const CMultimediaItem* item = collection_.Item(Selection());
  QLabel* label = Control<QLabel>(kIdcFileName);
  const fw::QtTextMeasure measure(label->font());
  const int width = std::max(label->contentsRect().width(), label->minimumWidth()) - 4;
  SetControlText(kIdcFileName,
                 item ? CompactPathToWidth(item->GetFileName(false), measure, width) : "");
  Control<QPlainTextEdit>(kIdcDescription)
      ->setPlainText(item ? fw::ToQString(item->description) : QString());
}

void CMultimediaCollectionDialog::LoadPreview() {
  picture_.Free();
  previewIndex_ = -1;
  const int selection = Selection();
  CMultimediaItem* item = collection_.Item(selection);
  if (preview_->isChecked() && item && item->kind == CMultimediaItem::kPhoto) {
    if (picture_.LoadFile(item->GetFullPath(), item->GetSubName(), item->recordNumber, nullptr,
                          true) == fw::kImageOk) {
      picture_.SetEdits(*item);
      picture_.ApplyEdits();
      QRect r = frame_->rect().adjusted(2, 2, -2, -2);
      picture_.FitToRect(r, 0);
      picture_.Resize(r.width(), r.height());
      frame_->pictureRect = r;
      previewIndex_ = selection;
    }
  }
  frame_->update();
}

void CMultimediaCollectionDialog::resizeEvent(QResizeEvent* event) {
  fw::CDialogBase::resizeEvent(event);
  // The preview is fitted to its frame: a new frame size needs a new fit.
  if (previewIndex_ >= 0) LoadPreview();
}

void CMultimediaCollectionDialog::StopPreview() {
  frame_->paintAllowed = false;
  frame_->update();
}

void CMultimediaCollectionDialog::ResumePreview() {
  frame_->paintAllowed = true;
  frame_->update();
}

void CMultimediaCollectionDialog::OnSelectionChanged() {
  ShowSelectionTexts();
  UpdateButtons();
  if (Selection() != previewIndex_) LoadPreview();
}

void CMultimediaCollectionDialog::OnPreviewToggled(bool checked) {
  previewState_ = checked ? 1 : 0;
  if (checked) {
    LoadPreview();
  } else {
    picture_.Free();
    previewIndex_ = -1;
    frame_->update();
  }
}

void CMultimediaCollectionDialog::OnFileNameFound(int reloadAll, const std::string& name) {
  if (reloadAll) {
    for (int i = 0; i < collection_.Count(); ++i) {
      CMultimediaItem* item = collection_.Item(i);
      std::string stored;
      if (CurrentDatabase && item->recordNumber > 0 &&
          CurrentDatabase->GetMultimediaFileName(item->recordNumber, stored) == 1)
        item->fileName = stored;
    }
  } else if (CMultimediaItem* item = collection_.Item(Selection())) {
    item->fileName = name;
  }
  previewIndex_ = -1;
  OnSelectionChanged();
}

void CMultimediaCollectionDialog::OnOrder(int delta) {
  const int selection = Selection();
  const int moved = collection_.Move(selection, delta);
  if (moved == selection) return;
  RefreshEntry(selection);
  RefreshEntry(moved);
  previewIndex_ = -1;
  list_->setCurrentRow(moved);
}

void CMultimediaCollectionDialog::OnDefault() {
  const int selection = Selection();
  if (selection < 0) return;
  collection_.ToggleDefault(selection);
  for (int i = 0; i < collection_.Count(); ++i) RefreshEntry(i);
  UpdateButtons();
}

void CMultimediaCollectionDialog::TakeSizeFromFile(CMultimediaItem& item) {
  item.width = item.height = 0;
  if (item.kind != CMultimediaItem::kPhoto) return;
  fw::ImageFileInfo info;
  if (fw::CImageObject::GetFileInfo(item.GetFullPath(), info)) {
    item.width = static_cast<std::uint16_t>(info.width);
    item.height = static_cast<std::uint16_t>(info.height);
  }
}

void CMultimediaCollectionDialog::AddPhotoCdLabel(CMultimediaItem& item) {
  const std::string& name = item.fileName;
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".pcd") != 0) return;
  const std::string disc = fw::PictureHost().DiscIdentifier(item.GetFullPath());
  if (!disc.empty()) item.fileName = name + "\n" + disc.substr(0, 12);
}

void CMultimediaCollectionDialog::OnAdd() {
  CMultimediaItemDialog dialog(nullptr, this);
  dialog.ownerCaption = caption_;
  dialog.ownerRin = collection_.Owner();
  dialog.beforeFileDialog = [this] { StopPreview(); };
  dialog.afterFileDialog = [this] { ResumePreview(); };
  if (runEditPhoto) dialog.editPhoto = [this](CMultimediaItem& item) { runEditPhoto(item); };
  if (runItemDialog(dialog) != fw::kIdOk) return;  // an item Edit made dies with the dialog
  std::unique_ptr<CMultimediaItem> item = dialog.TakeBuiltItem();
  if (!item) item = std::make_unique<CMultimediaItem>();
  item->caption = dialog.caption;
  item->description = dialog.description;
  item->kind = media::KindOfWord(dialog.typeText);
  if (item->kind == 0) item->kind = CMultimediaItem::kPhoto;
  item->fileName = dialog.fileName;
  AddPhotoCdLabel(*item);
  TakeSizeFromFile(*item);
  const int index = collection_.Add(std::move(item));
  {
    const QSignalBlocker block(list_);
    list_->addItem(QString());
    for (int i = 0; i < collection_.Count(); ++i) RefreshEntry(i);
  }
  previewIndex_ = -1;
  list_->setCurrentRow(index);
  OnSelectionChanged();
}

void CMultimediaCollectionDialog::OnModify() {
  const int selection = Selection();
  CMultimediaItem* item = collection_.Item(selection);
  if (!item) return;
  CMultimediaItemDialog dialog(item, this);
  dialog.ownerCaption = caption_;
  dialog.ownerRin = collection_.Owner();
  dialog.beforeFileDialog = [this] { StopPreview(); };
  dialog.afterFileDialog = [this] { ResumePreview(); };
  if (runEditPhoto) dialog.editPhoto = [this](CMultimediaItem& i) { runEditPhoto(i); };
  if (runItemDialog(dialog) != fw::kIdOk) return;
  item->caption = dialog.caption;
  item->description = dialog.description;
  const char kind = media::KindOfWord(dialog.typeText);
  if (kind) item->kind = kind;
  item->fileName = dialog.fileName;
  AddPhotoCdLabel(*item);
  TakeSizeFromFile(*item);
  collection_.Modified(selection);
  for (int i = 0; i < collection_.Count(); ++i) RefreshEntry(i);
  previewIndex_ = -1;
  OnSelectionChanged();
}

void CMultimediaCollectionDialog::OnEditPhoto() {
  CMultimediaItem* item = collection_.Item(Selection());
  if (!item || !runEditPhoto) return;
  if (runEditPhoto(*item) != fw::kIdOk) return;
  collection_.Touch();
  LoadPreview();
  UpdateButtons();
}

void CMultimediaCollectionDialog::OnRemove() {
  const int selection = Selection();
  if (selection < 0) return;
  if (plat::MessageBox(res::LoadString(res::kIdsRemoveLink), res::LoadString(res::kIdsAppName),
                       plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
    return;
  const int next = collection_.Remove(selection);
  SetEntries();
  previewIndex_ = -1;
  {
    const QSignalBlocker block(list_);
    list_->setCurrentRow(next);
  }
  ShowSelectionTexts();
  LoadPreview();
  UpdateButtons();
}

void CMultimediaCollectionDialog::OnShow() {
  CMultimediaItem* item = collection_.Item(Selection());
  if (!item) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string path = item->GetFullPath();
  if (item->kind == CMultimediaItem::kPhoto) {
    const std::string title =
        item->caption.empty() ? std::filesystem::path(item->GetFileName(false)).filename().string()
                              : item->caption;
    // A new window takes the caption (Create names an untitled one after
    // its file); one shown already is retitled.
    const bool reuse = photoWindow_ && photoWindow_->isVisible();
    if (CPhotoWindow* shown =
            ShowItemPhoto(photoWindow_, *item, reuse ? title : item->caption, this))
      photoWindow_ = shown;
  } else {
    // Our own playback ends the clip before; the desktop's programs run on.
    plat::PlayMediaFile(path, false);
  }
  QApplication::restoreOverrideCursor();
}

void CMultimediaCollectionDialog::OnSlideShow() {
  std::vector<CMultimediaItem> items;
  for (int i = 0; i < collection_.Count(); ++i) items.push_back(*collection_.Item(i));
  new CSlideShowWindow(items, collection_.DefaultSound(), this);
}

void CMultimediaCollectionDialog::OnScrapbook() {
  if (!runScrapbook) return;
  std::vector<const CMultimediaItem*> items;
  for (int i = 0; i < collection_.Count(); ++i) items.push_back(collection_.Item(i));
  runScrapbook(items);
}

void CMultimediaCollectionDialog::OnOK() {
  if (CKorApp* app = CKorApp::Instance(); app && !app->CheckEditPassword()) return;
  if (collection_.ReadOnly()) {
    plat::MessageBox(res::LoadString(res::kIdsReadOnlyDeviceMedia),
                     res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  const bool changed = collection_.Changed();
  const media::CMultimediaCollection::SaveResult result = collection_.Save();
  if (result == media::CMultimediaCollection::kFailed) return;
  if (changed && result == media::CMultimediaCollection::kSaved && onSaved)
    onSaved(collection_.Owner(), collection_.Count() > 0);
  EndDialog(fw::kIdOk);
}

void CMultimediaCollectionDialog::OnCancel() {
  if (collection_.Changed()) {
    const int answer =
        plat::MessageBox(res::LoadString(res::kIdsSaveChanges), res::LoadString(res::kIdsAppName),
                         plat::kMbYesNoCancel | plat::kMbIconQuestion);
    if (answer == plat::kIdCancel) return;
    if (answer == plat::kIdYes) {
      OnOK();
      return;
    }
  }
  EndDialog(fw::kIdCancel);
}
