#include "MultimediaItemDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "FamilyDatabase.h"
#include "FileDialogRun.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "PictureFileDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SaveName.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TemplateFileDialog.h"

namespace {

constexpr int kFileNameLimit = 260;
constexpr int kCaptionLimit = 160;
constexpr int kDescriptionLimit = 4096;
constexpr const char* kSection = "Multimedia";

bool FamilyFileReadOnly() {
  return CurrentDatabase && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
}

std::string FolderOf(const std::string& path) {
  return std::filesystem::path(path).parent_path().string();
}

std::string Replace(std::string text, const std::string& with) {
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, with);
  return text;
}

}  // namespace

bool StoreChosenFile(const std::string& path, std::string& stored, bool relative) {
  if (StoreMultimediaPath(path, relative ? GetOpenFamilyFileFolder() : std::string(), stored))
    return true;
  plat::MessageBox(res::FormatString(res::kIdsNameNotStored, {plat::PathText(path)}),
                   res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
  return false;
}

std::string MultimediaItemFolder() { return plat::Profile().GetPath(kSection, "MMItemPath", ""); }

std::string PhotoFileFilter() {
  return std::string("All Photo Files|*.bmp;*.cur;*.eps;") +
         "*.ico;*.jpg;*.mac;*.pcd;*.pcx;*.png;*.psd;*.tga;*.tif;*.wmf;*.wpg|BMP (*.bmp)|*.bmp|"
         "Compuserve PNG (*.png)|*.png|Encapsulated Postscript (*.eps)|*.eps|" +
         "JPEG (*.jpg)|*.jpg|Paintbrush (*.pcx)|*.pcx|Photo CD (*.pcd)|*.pcd|Photoshop "
         "(*.psd)|*.psd|Targa (*.tga)|*.tga|TIF (*.tif)|*.tif|Windows Metafile (*.wmf)|*.wmf|"
         "WordPerfect (*.wpg)|*.wpg|All Files (*.*)|*.*||";
}

std::string SoundFileFilter() {
  return "Sound Files (*.wav;*.mid;*.rmi)|*.wav;*.mid;*.rmi|All Files (*.*)|*.*||";
}

std::string VideoFileFilter() {
  return "Video Files (*.avi;*.mpg;*.mov)|*.avi;*.mpg;*.mov|All Files (*.*)|*.*||";
}

std::string ChoosePhotoFile(const std::string& title, QWidget* parent) {
  CPictureFileDialog dialog("", "", kOfnHideReadOnly | kOfnFileMustExist, PhotoFileFilter(),
                            parent);
  dialog.SetTitle(title);
  dialog.SetFolder(MultimediaItemFolder());
  const QStringList filters = dialog.nameFilters();
  const int index = plat::Profile().GetInt(kSection, "MMPhFileExt", 1);
  if (index >= 1 && index <= filters.size()) dialog.selectNameFilter(filters[index - 1]);
  if (dialog.DoModal() != fw::kIdOk) return std::string();
  const std::string chosen = dialog.GetPathName();
  if (chosen.empty()) return chosen;
  plat::Profile().SetInt(kSection, "MMPhFileExt", SelectedFilterEntry(dialog) + 1);
  plat::Profile().SetPath(kSection, "MMItemPath", FolderOf(chosen));
  return chosen;
}

int OpenPhotoFileDialog(const std::string& title, std::string& path, QWidget* parent) {
  const std::string chosen = ChoosePhotoFile(title, parent);
  return !chosen.empty() && StoreChosenFile(chosen, path) ? 1 : 0;
}

CMultimediaItemDialog::CMultimediaItemDialog(CMultimediaItem* item, QWidget* parent)
    : fw::CDialogBase(parent), modify_(item != nullptr), item_(item) {
  type_ = AddControl(kIdcType, new QComboBox);
  for (const char* word : {media::kKindPhoto, media::kKindSound, media::kKindVideo})
    type_->addItem(QString::fromLatin1(word));
  auto* edit = AddControl(kIdcEdit, new QPushButton(QStringLiteral("&Edit")));
  file_ = AddControl(kIdcFileName, new QLineEdit);
  file_->setMaxLength(kFileNameLimit);
  file_->setMinimumWidth(DialogUnitsToPixels(180, 0).width());
  file_->installEventFilter(this);
  auto* browse = AddControl(kIdcBrowse, new QPushButton(QStringLiteral("&Browse")));
  auto* captionEdit = AddControl(kIdcCaption, new QLineEdit);
  captionEdit->setMaxLength(kCaptionLimit);
  auto* descriptionEdit = AddControl(kIdcDescription, new QPlainTextEdit);
  descriptionEdit->setMinimumHeight(DialogUnitsToPixels(0, 48).height());
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  for (QPushButton* b : {edit, browse, cancel, help}) b->setAutoDefault(false);

  auto label = [](const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromLatin1(text));
    l->setBuddy(buddy);
    return l;
  };
  auto* grid = new QGridLayout;
  grid->addWidget(label("Item &type:", type_), 0, 0);
  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(type_);
  typeRow->addWidget(edit);
  typeRow->addStretch();
  grid->addLayout(typeRow, 0, 1);
  grid->addWidget(label("&File name:", file_), 1, 0);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);
  grid->addLayout(fileRow, 1, 1);
  grid->addWidget(label("&Caption:", captionEdit), 2, 0);
  grid->addWidget(captionEdit, 2, 1);
  grid->addWidget(label("&Description:", descriptionEdit), 3, 0, Qt::AlignTop);
  grid->addWidget(descriptionEdit, 3, 1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(grid, 1);
  top->addLayout(buttons);

  connect(type_, &QComboBox::currentIndexChanged, this, [this] { UpdateEditButton(); });
  connect(file_, &QLineEdit::textChanged, this, [this] { UpdateEditButton(); });
  connect(edit, &QPushButton::clicked, this, &CMultimediaItemDialog::OnEdit);
  connect(browse, &QPushButton::clicked, this, &CMultimediaItemDialog::OnBrowse);
  connect(ok, &QPushButton::clicked, this, &CMultimediaItemDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CMultimediaItemDialog::reject);
}

CMultimediaItemDialog::~CMultimediaItemDialog() = default;

void CMultimediaItemDialog::OnInitDialog() {
  std::string title = "Add Multimedia Object for";
  if (modify_) {
    title = "Modify Multimedia Item for";
    typeText = media::KindWord(item_->kind);
    fileName = item_->GetFileName(false);
    caption = item_->caption;
    description = item_->description;
    saved_ = media::ItemEditState::Of(*item_);
  }
  fw::CDialogBase::OnInitDialog();
  setWindowTitle(fw::ToQString(title + " " + ownerCaption));
  UpdateEditButton();
  if (FamilyFileReadOnly()) EnableControl(fw::kIdOk, false);
  CenterWindow();
}

bool CMultimediaItemDialog::DoDataExchange(bool save) {
  if (save) {
    typeText = fw::FromQString(type_->currentText());
  } else {
    const int index = type_->findText(fw::ToQString(typeText));
    type_->setCurrentIndex(index < 0 ? 0 : index);
  }
  ExchangeText(save, kIdcFileName, fileName);
  ExchangeText(save, kIdcCaption, caption);
  if (save) {
    description = fw::FromQString(Control<QPlainTextEdit>(kIdcDescription)->toPlainText())
                      .substr(0, kDescriptionLimit);
  } else {
    Control<QPlainTextEdit>(kIdcDescription)->setPlainText(fw::ToQString(description));
  }
  return true;
}

void CMultimediaItemDialog::UpdateEditButton() {
  // In add mode Edit makes the item, so a typed file name is enough.
  EnableControl(kIdcEdit, editPhoto && media::CanEditPhoto(fw::FromQString(type_->currentText()),
                                                           fw::FromQString(file_->text())));
}

bool CMultimediaItemDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == file_ && event->type() == QEvent::FocusOut) FileNameLeft();
  return fw::CDialogBase::eventFilter(watched, event);
}

void CMultimediaItemDialog::FileNameLeft() {
  CMultimediaItem* item = item_ ? item_ : built_.get();
  if (item) media::ForgetEditsOfOldFile(*item, fw::FromQString(file_->text()));
}

void CMultimediaItemDialog::UseChosenFile(const std::string& path) {
  plat::Profile().SetPath(kSection, "MMItemPath", FolderOf(path));
  std::string stored;
  if (!StoreChosenFile(path, stored)) return;
  file_->setText(fw::ToQString(stored));
  FileNameLeft();
}

void CMultimediaItemDialog::OnEdit() {
  if (!editPhoto) return;
  if (!item_) {
    if (!built_) {
      built_ = std::make_unique<CMultimediaItem>();
      built_->kind = CMultimediaItem::kPhoto;
    }
  }
  CMultimediaItem& item = item_ ? *item_ : *built_;
  FileNameLeft();
  item.fileName = fw::FromQString(file_->text());
  editPhoto(item);
}

void CMultimediaItemDialog::OnBrowse() {
  if (beforeFileDialog) beforeFileDialog();
  helpTopic_ = kHelpTopicFileDialog;
  const char kind = media::KindOfWord(fw::FromQString(type_->currentText()));
  if (kind == CMultimediaItem::kPhoto) {
    std::string path;
    if (OpenPhotoFileDialog(Replace("Open Photo File for %1", ownerCaption), path, this)) {
      file_->setText(fw::ToQString(path));
      FileNameLeft();
    }
  } else {
    const bool sound = kind == CMultimediaItem::kSound;
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    SetUpFileDialog(dialog, ParseFileFilter(sound ? SoundFileFilter() : VideoFileFilter()),
                    MultimediaItemFolder(), "");
    dialog.setWindowTitle(fw::ToQString(
        Replace(sound ? "Open Sound File for %1" : "Open Video File for %1", ownerCaption)));
    if (fw::RunFileDialog(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      UseChosenFile(fw::FromQString(dialog.selectedFiles().first()));
  }
  helpTopic_ = kHelpTopic;
  if (afterFileDialog) afterFileDialog();
}

void CMultimediaItemDialog::OnOK() {
  if (file_->text().isEmpty()) {
    plat::MessageBox(res::LoadString(res::kIdsNoFileName), res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconExclamation);
    file_->setFocus();
    return;
  }
  FileNameLeft();
  fw::CDialogBase::OnOK();
}

void CMultimediaItemDialog::OnCancel() {
  if (modify_ && item_) saved_.RestoreInto(*item_);
  fw::CDialogBase::OnCancel();
}
