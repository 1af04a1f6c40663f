#include "FamilyFileListDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "FileSystem.h"
#include "PlainText.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"

namespace {

// The list's tab stops in dialog units: name, individuals, marriages.
constexpr int kNameStop = 152;
constexpr int kIndividualsStop = 237;
constexpr int kMarriagesStop = 280;

}  // namespace

CFamilyFileListDialog::CFamilyFileListDialog(const std::vector<FoundFamilyFile>& files,
                                             std::string& path, QWidget* parent)
    : fw::CDialogBase(parent), files_(files), path_(path) {
  setWindowTitle(QStringLiteral("Open Family File"));
  auto* label = AddControl(kIdcListLabel, new QLabel(QStringLiteral("&Files:")));
  list_ = AddControl(kIdcList, new QTreeWidget);
  label->setBuddy(list_);
  list_->setColumnCount(4);
  list_->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Name"),
                          QStringLiteral("Individuals"), QStringLiteral("Marriages")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  // The columns stand at the tab stops; the path's column takes what the
  // list gains when the dialog grows.
  QHeaderView* header = list_->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  list_->setColumnWidth(1, DialogUnitsToPixels(kIndividualsStop - kNameStop, 0).width());
  for (int column : {2, 3}) {
    header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    list_->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  }
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setMinimumSize(DialogUnitsToPixels(kMarriagesStop + 60, 110));

  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&Open")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  ok->setDefault(true);
  cancel->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* top = new QVBoxLayout(this);
  top->addWidget(label);
  top->addWidget(list_, 1);
  top->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &CFamilyFileListDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CFamilyFileListDialog::reject);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &CFamilyFileListDialog::accept);
}

void CFamilyFileListDialog::SetTexts(const std::string& caption, const std::string& label,
                                     const std::string& okText) {
  if (!caption.empty()) setWindowTitle(fw::ToQString(caption));
  if (!label.empty()) SetControlText(kIdcListLabel, label);
  if (!okText.empty()) SetControlText(fw::kIdOk, okText);
}

void CFamilyFileListDialog::OnInitDialog() {
  list_->clear();
  // The path is shortened to its column, less a margin.
  const fw::QtTextMeasure measure(list_->font(), list_);
  const int pathWidth = BaseUnits().x * (kNameStop - 12) / 4;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    const QStringList fields =
        fw::ToQString(FoundFileListLine(files_[i], measure, pathWidth)).split(QLatin1Char('\t'));
    auto* item = new QTreeWidgetItem(list_, fields);
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    item->setToolTip(0, fw::PlainToolTip(fw::ToQPath(files_[i].path)));
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
  }
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}

void CFamilyFileListDialog::OnOK() {
  QTreeWidgetItem* item = list_->currentItem();
  if (item) path_ = files_[static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt())].path;
  EndDialog(fw::kIdOk);
}
