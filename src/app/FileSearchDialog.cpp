#include "FileSearchDialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CompactPath.h"
#include "FamilyFileListDialog.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "Ports.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

const std::vector<std::string>* g_rootsOverride = nullptr;

// Caption, list label and OK text of the list for each purpose (0: the
// template's own).
struct PurposeTexts {
  unsigned caption, label, ok;
};
constexpr PurposeTexts kPurposeTexts[] = {
    {0, 0, 0},
    {res::kIdsBackupFamilyFile, res::kIdsBackupFilesTo, res::kIdsOk},
    {res::kIdsRestoreFamilyFile, res::kIdsRestoreFileFrom, res::kIdsOk},
    {res::kIdsDeleteOrvFiles, res::kIdsDeleteFileInFolder, res::kIdsOk},
};

std::string Text(unsigned id) { return id ? res::LoadString(id) : std::string(); }

}  // namespace

void SetFamilyFileSearchRoots(const std::vector<std::string>* roots) { g_rootsOverride = roots; }

CFileSearchDialog::CFileSearchDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Korvane"));
  roots_ = g_rootsOverride ? *g_rootsOverride : GetDriveRoots(false, false);

  auto* heading = new QLabel(QStringLiteral("Searching for ORV files..."));
  auto* folder = AddControl(kIdcFolder, new QLabel);
  folder->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  folder->setTextFormat(Qt::PlainText);
  auto* checked = AddControl(kIdcChecked, new QLabel(QStringLiteral("0")));
  auto* found = AddControl(kIdcFound, new QLabel(QStringLiteral("0")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));

  auto* counts = new QGridLayout;
  counts->addWidget(new QLabel(QStringLiteral("Files checked:")), 0, 0);
  counts->addWidget(checked, 0, 1);
  counts->addWidget(new QLabel(QStringLiteral("Files found:")), 1, 0);
  counts->addWidget(found, 1, 1);
  counts->setColumnStretch(2, 1);
  counts->setColumnMinimumWidth(1, DialogUnitsToPixels(40, 0).width());

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* top = new QVBoxLayout(this);
  top->addWidget(heading);
  top->addWidget(folder);
  top->addLayout(counts);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(cancel, &QPushButton::clicked, this, &CFileSearchDialog::reject);
  search_.onFolder = [this](const std::string& f) { ShowFolder(f); };
  search_.onFound = [this](const FoundFamilyFile&) {
    SetControlText(kIdcFound, std::to_string(search_.FilesFound()));
  };
  search_.onScreenUpdate = [this] {
    ShowCounts();
    QCoreApplication::processEvents();
  };
}

void CFileSearchDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  // The search starts once the dialog is on the screen.
  if (!started_) {
    started_ = true;
    QMetaObject::invokeMethod(this, &CFileSearchDialog::RunSearch, Qt::QueuedConnection);
  }
}

void CFileSearchDialog::OnCancel() {
  search_.Cancel();
  if (!running_) EndDialog(fw::kIdCancel);
}

void CFileSearchDialog::RunSearch() {
  if (search_.Cancelled()) return;  // cancelled before it began
  running_ = true;
  search_.Run(roots_);
  running_ = false;
  ShowCounts();
  EndDialog(search_.Cancelled() ? fw::kIdCancel : fw::kIdOk);
}

void CFileSearchDialog::ShowFolder(const std::string& folder) {
  auto* label = Control<QLabel>(kIdcFolder);
  const fw::QtTextMeasure measure(label->font(), label);
  SetControlText(kIdcFolder, CompactPathToWidth(plat::PathText(folder), measure, label->width()));
}

void CFileSearchDialog::ShowCounts() {
  SetControlText(kIdcChecked, std::to_string(search_.FilesChecked()));
  SetControlText(kIdcFound, std::to_string(search_.FilesFound()));
}

int SearchForFamilyFile(std::string& path, QWidget* parent, int purpose) {
  path.clear();
  CFileSearchDialog search(parent);
  const int result = search.DoModal();
  if (result == fw::kIdOk && !search.Found().empty()) {
    CFamilyFileListDialog list(search.Found(), path, parent);
    if (purpose > 0 && purpose < static_cast<int>(std::size(kPurposeTexts))) {
      const PurposeTexts& t = kPurposeTexts[purpose];
      list.SetTexts(Text(t.caption), Text(t.label), Text(t.ok));
    }
    return list.DoModal() == fw::kIdOk ? 1 : 0;
  }
  if (result == fw::kIdOk)
    plat::MessageBox(res::LoadString(res::kIdsNoFamilyFilesFound),
                     res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconInformation);
  return 0;
}
