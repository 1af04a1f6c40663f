#include "NamedItemDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "CodePage.h"
#include "FamilyDatabase.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// Collects the items an enumerator finds.
class CItemCollector : public CNamedFileEnumerator {
 public:
  using CNamedFileEnumerator::CNamedFileEnumerator;
  int OnNamedFile(const std::string& name, const std::string& path) override {
    items.emplace_back(name, path);
    return 1;
  }
  std::vector<std::pair<std::string, std::string>> items;
};

std::vector<std::pair<std::string, std::string>> Collect(const CNamedFileEnumerator& kind) {
  CItemCollector collector = kind.Shared() ? CItemCollector(kind.Pattern().substr(1))
                                           : CItemCollector(kind.Pattern().back());
  collector.SetFolder(kind.Folder());
  collector.SetOldFolder(kind.OldFolder());
  collector.Enumerate();
  return std::move(collector.items);
}

}  // namespace

// ---- Open ---------------------------------------------------------------------

COpenNamedFileDialog::COpenNamedFileDialog(const std::string& extension, QWidget* parent)
    : fw::CDialogBase(parent), enumerator_(std::make_unique<CNamedFileEnumerator>(extension)) {
  Build();
}

COpenNamedFileDialog::COpenNamedFileDialog(char kindLetter, QWidget* parent)
    : fw::CDialogBase(parent), enumerator_(std::make_unique<CNamedFileEnumerator>(kindLetter)) {
  Build();
}

COpenNamedFileDialog::~COpenNamedFileDialog() = default;

void COpenNamedFileDialog::Build() {
  setWindowTitle(QStringLiteral("Open"));
  auto* layout = new QVBoxLayout(this);
  auto* label = AddControl(kIdcPrompt, new QLabel(QStringLiteral("Long &Name:")));
  list_ = AddControl(kIdcList, new QListWidget);
  label->setBuddy(list_);
  list_->setMinimumSize(DialogUnitsToPixels(150, 80));
  layout->addWidget(label);
  auto* row = new QHBoxLayout;
  row->addWidget(list_, 1);
  auto* buttons = new QVBoxLayout;
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&Open")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* remove = AddControl(kIdcDelete, new QPushButton(QStringLiteral("&Delete")));
  ok->setDefault(true);
  for (QPushButton* b : {ok, cancel, remove}) buttons->addWidget(b);
  buttons->addStretch();
  row->addLayout(buttons);
  layout->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &COpenNamedFileDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &COpenNamedFileDialog::reject);
  connect(remove, &QPushButton::clicked, this, &COpenNamedFileDialog::OnDelete);
  connect(list_, &QListWidget::itemDoubleClicked, this, &COpenNamedFileDialog::accept);
}

void COpenNamedFileDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  if (!caption.empty()) setWindowTitle(fw::ToQString(caption));
  if (!prompt.empty()) SetControlText(kIdcPrompt, prompt);
  for (const auto& [name, path] : Collect(*enumerator_)) {
    auto* item = new QListWidgetItem(fw::ToQString(name), list_);
    // The path as the file system spells it: bytes, not code-page text.
    item->setData(Qt::UserRole, QByteArray::fromStdString(path));
  }
  const bool any = list_->count() > 0;
  EnableControl(fw::kIdOk, any);
  EnableControl(kIdcDelete, any);
  if (any) list_->setCurrentRow(0);
  if (protectReadOnly && CurrentDatabase &&
      CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly)
    EnableControl(kIdcDelete, false);
}

void COpenNamedFileDialog::OnDelete() {
  QListWidgetItem* item = list_->currentItem();
  if (!item) return;
  const std::string text =
      fw::FromQString(item->text()) + "\n\n" + res::LoadString(res::kIdsDeleteItem);
  if (plat::MessageBox(text, "", plat::kMbYesNo | plat::kMbIconExclamation) != plat::kIdYes) return;
  std::remove(item->data(Qt::UserRole).toByteArray().constData());
  const int row = list_->currentRow();
  delete list_->takeItem(row);
  if (list_->count() == 0) {
    EndDialog(fw::kIdCancel);
    return;
  }
  list_->setCurrentRow(std::min(row, list_->count() - 1));
}

void COpenNamedFileDialog::OnOK() {
  QListWidgetItem* item = list_->currentItem();
  if (!item) return;
  chosenPath = item->data(Qt::UserRole).toByteArray().toStdString();
  chosenName = fw::FromQString(item->text());
  chosenName = chosenName.substr(0, chosenName.find('\t'));
  EndDialog(fw::kIdOk);
}

// ---- Save ---------------------------------------------------------------------

CNamedItemSaveDialog::CNamedItemSaveDialog(const std::string& extension, QWidget* parent)
    : fw::CDialogBase(parent), enumerator_(std::make_unique<CNamedFileEnumerator>(extension)) {
  Build();
}

CNamedItemSaveDialog::CNamedItemSaveDialog(char kindLetter, QWidget* parent)
    : fw::CDialogBase(parent), enumerator_(std::make_unique<CNamedFileEnumerator>(kindLetter)) {
  Build();
}

CNamedItemSaveDialog::~CNamedItemSaveDialog() = default;

void CNamedItemSaveDialog::Build() {
  setWindowTitle(QStringLiteral("Save"));
  auto* layout = new QVBoxLayout(this);
  auto* label = AddControl(kIdcPrompt, new QLabel(QStringLiteral("Long &Name:")));
  auto* name = AddControl(kIdcName, new QLineEdit);
  name->setMaxLength(kMaxName);
  name->setMinimumWidth(DialogUnitsToPixels(180, 0).width());
  label->setBuddy(name);
  layout->addWidget(label);
  layout->addWidget(name);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&Save")));
  auto* overwrite = AddControl(kIdcOverwrite, new QPushButton(QStringLiteral("&Overwrite")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  ok->setDefault(true);
  overwrite->setAutoDefault(false);
  for (QPushButton* b : {ok, overwrite, cancel}) buttons->addWidget(b);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CNamedItemSaveDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CNamedItemSaveDialog::reject);
  connect(overwrite, &QPushButton::clicked, this, &CNamedItemSaveDialog::OnOverwrite);
  connect(name, &QLineEdit::textChanged, this, [this] { OnNameChanged(); });
}

void CNamedItemSaveDialog::List() { items_ = Collect(*enumerator_); }

const std::pair<std::string, std::string>* CNamedItemSaveDialog::Find(
    const std::string& name) const {
  for (const auto& item : items_)
    if (plat::CompareAnsi(item.first, name, true) == 0) return &item;
  return nullptr;
}

int CNamedItemSaveDialog::SaveOrPrompt(bool quick) {
  List();
  if (quick && !items_.empty() && !proposedName.empty() && !Find(proposedName)) {
    if (enumerator_->CreateNamedFile(proposedName) != 1) return fw::kIdCancel;
    chosenPath = enumerator_->CreatedPath();
    chosenName = proposedName;
    isNew = true;
    return fw::kIdOk;
  }
  return exec();
}

void CNamedItemSaveDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  if (!caption.empty()) setWindowTitle(fw::ToQString(caption));
  if (!prompt.empty()) SetControlText(kIdcPrompt, prompt);
  SetControlText(kIdcName, proposedName.substr(0, kMaxName));
  OnNameChanged();
}

void CNamedItemSaveDialog::OnNameChanged() {
  const std::string name = GetControlText(kIdcName);
  const bool fresh = !name.empty() && !Find(name);
  EnableControl(fw::kIdOk, fresh);
  EnableControl(kIdcOverwrite, !fresh && !name.empty());
}

void CNamedItemSaveDialog::OnOK() {
  const std::string name = GetControlText(kIdcName);
  if (name.empty() || Find(name)) return;
  if (enumerator_->CreateNamedFile(name) != 1) {
    plat::MessageBox(res::LoadString(res::kIdsCouldNotSaveLayout), "", plat::kMbOk);
    EndDialog(fw::kIdCancel);
    return;
  }
  chosenPath = enumerator_->CreatedPath();
  chosenName = name;
  isNew = true;
  EndDialog(fw::kIdOk);
}

void CNamedItemSaveDialog::OnOverwrite() {
  const std::string name = GetControlText(kIdcName);
  const auto* item = Find(name);
  if (!item) {
    plat::MessageBox(res::LoadString(res::kIdsCouldNotSaveLayout), "", plat::kMbOk);
    return;
  }
  chosenPath = item->second;
  chosenName = name;
  isNew = false;
  EndDialog(fw::kIdOk);
}
