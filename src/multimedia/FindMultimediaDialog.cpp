#include "FindMultimediaDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "FamilyDatabase.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "MultimediaCollectionDialog.h"
#include "MultimediaItemDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace fs = std::filesystem;

namespace {

std::string Fill(std::string text, const std::string& one, const std::string& two) {
  for (auto [mark, with] : {std::pair<const char*, const std::string*>{"%1", &one}, {"%2", &two}}) {
    const std::size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, 2, *with);
  }
  return text;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

namespace media {

std::vector<FindButton> FindButtonLayout(bool retry, bool help, bool entry) {
  if (retry && (help || entry)) return {kFindOk, kFindCancel, kFindRetry, kFindHelp};
  if (retry) return {kFindCancel, kFindRetry};
  if (help && entry) return {kFindOk, kFindCancel, kFindHelp};
  if (help) return {kFindOk, kFindHelp};
  if (entry) return {kFindOk, kFindCancel};
  return {kFindOk};
}

std::string ResolveEntry(const std::string& entry, const std::string& familyFolder,
                         const std::string& oldPath) {
  std::string full = entry;
  if (!fs::path(full).is_absolute()) full = WithSlash(familyFolder) + full;
  std::error_code error;
  if (!full.empty() && (full.back() == '/' || fs::is_directory(full, error)))
    full = WithSlash(full) + fs::path(oldPath.substr(0, oldPath.find('\n'))).filename().string();
  return full;
}

std::string StripFamilyFolder(const std::string& path, const std::string& familyFolder) {
  const std::string folder = WithSlash(familyFolder);
  if (!folder.empty() && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0)
    return path.substr(folder.size());
  return path;
}

}  // namespace media

CFindMultimediaDialog::CFindMultimediaDialog(std::int32_t itemNumber, QWidget* parent)
    : fw::CDialogBase(parent), ownerWindow(QApplication::activeWindow()), item_(itemNumber) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsFindMultimediaCaption)));
  auto* icon = new QLabel;
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  auto* text = AddControl(kIdcMessage, new QLabel);
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  text->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  auto* edit = AddControl(kIdcEntry, new QLineEdit);
  auto* browse = AddControl(kIdcBrowse, new QPushButton(QStringLiteral("&Browse...")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* retry = AddControl(kIdcRetry, new QPushButton(QStringLiteral("&Retry")));
  auto* help = AddControl(kIdcHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  for (QPushButton* b : {browse, cancel, retry, help}) b->setAutoDefault(false);

  auto* messageRow = new QHBoxLayout;
  messageRow->addWidget(icon, 0, Qt::AlignTop);
  messageRow->addWidget(text, 1);
  auto* entryRow = new QHBoxLayout;
  entryRow->addWidget(edit, 1);
  entryRow->addWidget(browse);
  buttonRow_ = new QWidget;
  auto* buttons = new QHBoxLayout(buttonRow_);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel, retry, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QVBoxLayout(this);
  top->addLayout(messageRow);
  top->addLayout(entryRow);
  top->addWidget(buttonRow_);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(browse, &QPushButton::clicked, this, &CFindMultimediaDialog::OnBrowse);
  connect(ok, &QPushButton::clicked, this, &CFindMultimediaDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CFindMultimediaDialog::reject);
  connect(retry, &QPushButton::clicked, this, [this] { EndDialog(kIdRetry); });
}

void CFindMultimediaDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  ShowControl(kIdcEntry, offerEntry);
  ShowControl(kIdcBrowse, offerEntry);
  const int ids[] = {fw::kIdOk, fw::kIdCancel, kIdcRetry, kIdcHelp};
  for (int id : ids) ShowControl(id, false);
  for (media::FindButton b : media::FindButtonLayout(offerRetry, helpTopic != 0, offerEntry))
    ShowControl(ids[b], true);
  CenterWindow();
}

std::vector<int> CFindMultimediaDialog::VisibleButtons() const {
  std::vector<std::pair<int, int>> shown;
  for (int id : {fw::kIdOk, fw::kIdCancel, kIdcRetry, kIdcHelp}) {
    QWidget* b = GetControl(id);
    if (!b->isHidden()) shown.emplace_back(b->x(), id);
  }
  std::sort(shown.begin(), shown.end());
  std::vector<int> out;
  for (const auto& s : shown) out.push_back(s.second);
  return out;
}

bool CFindMultimediaDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcMessage, message);
  // The entry names a file: the file system's bytes.
  if (save)
    entry = GetControlPath(kIdcEntry);
  else
    SetControlPath(kIdcEntry, entry);
  return true;
}

void CFindMultimediaDialog::OnBrowse() {
  const int savedTopic = helpTopic;
  helpTopic = CMultimediaItemDialog::kHelpTopicFileDialog;
  const std::string path = ChoosePhotoFile(fw::FromQString(windowTitle()), this);
  if (!path.empty())
    SetControlPath(kIdcEntry, media::RelativeToFolder(path, GetOpenFamilyFileFolder()));
  helpTopic = savedTopic;
}

void CFindMultimediaDialog::Tell(int reloadAll, const std::string& name) {
  if (auto* collection = qobject_cast<CMultimediaCollectionDialog*>(ownerWindow))
    collection->OnFileNameFound(reloadAll, name);
}

void CFindMultimediaDialog::OnOK() {
  if (!offerEntry) {
    EndDialog(fw::kIdOk);
    return;
  }
  UpdateData(true);
  if (entry.empty()) return;
  const std::string folder = GetOpenFamilyFileFolder();
  const std::string full = media::ResolveEntry(entry, folder, oldPath);
  std::error_code error;
  if (!fs::exists(full, error)) {
    plat::MessageBox(res::LoadString(res::kIdsCannotFind) + "\n\n" + plat::PathText(full),
                     res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  if (item_ == 0) return;
  std::string old = oldPath.substr(0, oldPath.find('\n'));
  if (!fs::path(old).is_absolute()) old = WithSlash(folder) + old;
  // The item stores its file's name as family text.
  std::string stored;
  if (!StoreChosenFile(full, stored)) return;
  if (!CurrentDatabase || CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly) {
    Tell(0, stored);
    EndDialog(fw::kIdOk);
    return;
  }
  if (plat::MessageBox(
          Fill(res::LoadString(res::kIdsReplaceLink), plat::PathText(old), plat::PathText(full)),
          res::LoadString(res::kIdsAppName),
          plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdYes) {
    if (CurrentDatabase->SetMultimediaFileName(item_, stored) != 1) {
      plat::MessageBox(res::LoadString(res::kIdsCannotUpdate), res::LoadString(res::kIdsAppName),
                       plat::kMbOk | plat::kMbIconExclamation);
    } else {
      Tell(0, stored);
      // Folders are compared as the file system names them: on Linux a
      // folder that differs only in case is another folder.
      const std::string oldFolder = fs::path(old).parent_path().string();
      const std::string newFolder = fs::path(full).parent_path().string();
      if (oldFolder != newFolder &&
          plat::MessageBox(Fill(res::LoadString(res::kIdsReplaceAll), plat::PathText(oldFolder),
                                plat::PathText(newFolder)),
                           res::LoadString(res::kIdsAppName),
                           plat::kMbYesNo | plat::kMbIconQuestion | plat::kMbDefButton2) ==
              plat::kIdYes) {
        CurrentDatabase->ReplaceMultimediaFolder(
            plat::PathText(media::StripFamilyFolder(oldFolder, folder)),
            plat::PathText(media::StripFamilyFolder(newFolder, folder)));
        Tell(1, std::string());
      }
    }
  }
  EndDialog(fw::kIdOk);
}

int CFindMultimediaHost::FindMultimedia(const fw::FindMultimediaRequest& request) {
  CFindMultimediaDialog dialog(request.itemNumber, QApplication::activeWindow());
  dialog.offerRetry = request.offerRetry;
  dialog.offerEntry = request.offerEntry;
  dialog.helpTopic = request.helpTopic;
  dialog.message = request.message;
  dialog.oldPath = request.path;
  const int result = dialog.exec();
  if (result == CFindMultimediaDialog::kIdRetry) return plat::kIdRetry;
  return result == fw::kIdOk ? plat::kIdOk : plat::kIdCancel;
}
