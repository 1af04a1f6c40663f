#include "OrderDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "NotesDialogs.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TabbedListDelegate.h"

namespace editui {

namespace {

QListWidget* ListWithLabels(fw::CDialogBase& dialog, int listId, const QString& name,
                            const QString& date, QVBoxLayout* into) {
  auto* labels = new QHBoxLayout;
  auto* nameLabel = dialog.AddControl(1012, new QLabel(name));
  labels->addWidget(nameLabel, 1);
  labels->addWidget(dialog.AddControl(1013, new QLabel(date)));
  auto* list = dialog.AddControl(listId, new QListWidget);
  nameLabel->setBuddy(list);
  list->setMinimumSize(dialog.DialogUnitsToPixels(230, 80));
  into->addLayout(labels);
  into->addWidget(list, 1);
  return list;
}

}  // namespace

CSpouseChildOrderDialog::CSpouseChildOrderDialog(QWidget* parent, std::int32_t owner,
                                                 COrderList::Mode mode, int index)
    : fw::CDialogBase(parent), gate(notesui::AppGate()) {
  order_.Load(owner, mode, index);
  const bool children = mode == COrderList::kChildren;
  setWindowTitle(children ? QStringLiteral("Child Order") : QStringLiteral("Spouse Order"));
  auto* left = new QVBoxLayout;
  auto* orderRow = new QHBoxLayout;
  auto* orderLabel = new QLabel(QStringLiteral("&Order"));
  orderRow->addWidget(orderLabel);
  auto* position = AddControl(kIdcOrder, new QLineEdit);
  orderLabel->setBuddy(position);
  position->setReadOnly(true);
  position->setAlignment(Qt::AlignCenter);
  position->setMaximumWidth(DialogUnitsToPixels(24, 0).width());
  auto* up = AddControl(kIdcUp, new QToolButton);
  up->setArrowType(Qt::UpArrow);
  auto* down = AddControl(kIdcDown, new QToolButton);
  down->setArrowType(Qt::DownArrow);
  orderRow->addWidget(position);
  orderRow->addWidget(up);
  orderRow->addWidget(down);
  orderRow->addStretch();
  left->addLayout(orderRow);
  list_ = ListWithLabels(
      *this, kIdcList,
      children ? fw::ToQString(res::LoadString(res::kIdsChildLabel)) : QStringLiteral("&Spouse:"),
      children ? fw::ToQString(res::LoadString(res::kIdsChildDateLabel))
               : QStringLiteral("Marriage Date:"),
      left);
  if (children)
    ShowAtTabStops(list_, *this, {157, 161, 175, 186, 201});
  else
    ShowAtTabStops(list_, *this, {157, 171, 182, 197, 215});
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(OkCancelHelpColumn(*this, "OK"));
  Fill();
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    order_.SetCurrent(row);
    SetControlText(kIdcOrder, std::to_string(order_.Current() + 1));
  });
  connect(up, &QToolButton::clicked, this, [this] { Spin(-1); });
  connect(down, &QToolButton::clicked, this, [this] { Spin(+1); });
}

void CSpouseChildOrderDialog::Fill() {
  QSignalBlocker block(list_);
  list_->clear();
  const fw::QtTextMeasure measure(list_->font());
  for (int i = 0; i < static_cast<int>(order_.Numbers().size()); ++i)
    AddTabbedLine(list_, order_.LineText(i, &measure));
  list_->setCurrentRow(order_.Current());
  SetControlText(kIdcOrder, order_.Current() < 0 ? "" : std::to_string(order_.Current() + 1));
}

void CSpouseChildOrderDialog::Spin(int step) {
  if (order_.MoveCurrent(step)) Fill();
}

void CSpouseChildOrderDialog::OnOK() {
  if (gate.checkPassword && !gate.checkPassword()) return;
  const int result = order_.Store();
  if (result != 0) done(result);
}

COtherMarriagesDialog::COtherMarriagesDialog(QWidget* parent, std::int32_t rin, int index)
    : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Other Marriages"));
  auto* left = new QVBoxLayout;
  list_ = ListWithLabels(*this, kIdcList, QStringLiteral("&Spouse:"),
                         QStringLiteral("Marriage Date:"), left);
  ShowAtTabStops(list_, *this, {157, 171, 182, 197, 215});
  COrderList marriages;
  marriages.Load(rin, COrderList::kSpouses, index);
  const fw::QtTextMeasure measure(list_->font());
  for (int i = 0; i < static_cast<int>(marriages.Numbers().size()); ++i)
    AddTabbedLine(list_, marriages.LineText(i, &measure));
  list_->setCurrentRow(marriages.Current());
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(OkCancelHelpColumn(*this, "OK"));
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
}

void COtherMarriagesDialog::OnOK() {
  const int row = list_->currentRow();
  if (row >= 0) done(5 + row);
}

}  // namespace editui
