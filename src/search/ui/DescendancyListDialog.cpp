#include "DescendancyListDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "DateValue.h"
#include "IndividualNode.h"
#include "KinshipWidgets.h"
#include "QtPorts.h"

namespace {

// The column stops of the list, in dialog units; the numeric date columns
// take more.
std::vector<int> StopsDu() {
  const DateDisplayOptions& options = GetDateDisplayOptions();
  if (options.order == 1 && options.separator == 0 &&
      (options.monthStyle == 2 || options.monthStyle == 3))
    return {6, 164, 169, 184, 197, 214, 254, 259, 274, 287, 304};
  return {6, 164, 169, 184, 254, 259, 274};
}

}  // namespace

CDescendancyListDialog::CDescendancyListDialog(std::int32_t start, QWidget* parent)
    : fw::CDialogBase(parent), rin(start) {
  setWindowTitle(QStringLiteral("Descendancy List"));
  list_ = AddControl(kIdcList, new QListWidget);
  std::vector<int> stops;
  for (int du : StopsDu()) stops.push_back(DialogUnitsToPixels(du, 0).width());
  list_->setItemDelegate(new kinui::TabStopDelegate(stops, list_, true));
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setMinimumSize(DialogUnitsToPixels(330, 150));
  auto* previous = AddControl(kIdcPrevious, new QPushButton(QStringLiteral("&Previous")));
  auto* next = AddControl(kIdcNext, new QPushButton(QStringLiteral("&Next")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  for (QPushButton* b : {previous, next, cancel, help}) b->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(previous);
  buttons->addWidget(next);
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  auto* top = new QVBoxLayout(this);
  top->addWidget(list_, 1);
  top->addLayout(buttons);

  measure_ = std::make_unique<fw::QtTextMeasure>(list_->font());
  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OnClicked(list_->row(item)); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
  list_->installEventFilter(this);
  connect(previous, &QPushButton::clicked, this, [this] {
    model_->Previous(list_->currentRow());
    Refill();
  });
  connect(next, &QPushButton::clicked, this, [this] {
    model_->Next(list_->currentRow());
    Refill();
  });
  connect(ok, &QPushButton::clicked, this, &CDescendancyListDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CDescendancyListDialog::reject);
}

CDescendancyListDialog::~CDescendancyListDialog() = default;

void CDescendancyListDialog::OnInitDialog() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  model_ = std::make_unique<kin::CDescendancyList>(rin, measure_.get(), GetNodeOptions().appendVal);
  Refill();
  QApplication::restoreOverrideCursor();
}

void CDescendancyListDialog::Refill() {
  list_->setUpdatesEnabled(false);
  list_->clear();
  for (const kin::DescendancyLine& line : model_->Lines()) list_->addItem(fw::ToQString(line.text));
  if (model_->CurrentLine() >= 0) list_->setCurrentRow(model_->CurrentLine());
  list_->setUpdatesEnabled(true);
  EnableControl(kIdcPrevious, model_->History().CanGoBack());
  EnableControl(kIdcNext, model_->History().CanGoForward());
}

bool CDescendancyListDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_ || event->type() != QEvent::KeyPress || !model_)
    return fw::CDialogBase::eventFilter(watched, event);
  using Key = kin::CDescendancyList::ListKey;
  const int key = static_cast<QKeyEvent*>(event)->key();
  // The space bar goes to the selected person, as a click does; the list's
  // own handling of it (a search for a line starting with a blank) would
  // move the highlight off the person now in the centre.
  if (key == Qt::Key_Space) {
    OnClicked(list_->currentRow());
    return true;
  }
  // The keys that would reach the filler lines stop at the last real one.
  const std::pair<int, Key> moves[] = {{Qt::Key_PageDown, Key::kPageDown},
                                       {Qt::Key_End, Key::kEnd},
                                       {Qt::Key_Down, Key::kDown},
                                       {Qt::Key_Right, Key::kRight}};
  for (const auto& [qtKey, move] : moves) {
    if (key != qtKey) continue;
    const int page =
        std::max(1, list_->viewport()->height() / std::max(1, list_->sizeHintForRow(0)) - 1);
    const int target = model_->KeyTarget(move, list_->currentRow(), page);
    if (target < 0) break;
    list_->setCurrentRow(target);
    return true;
  }
  return fw::CDialogBase::eventFilter(watched, event);
}

void CDescendancyListDialog::OnClicked(int row) {
  // Presses below the last real line change nothing.
  if (row >= model_->RealLineCount()) {
    list_->setCurrentRow(model_->CurrentLine());
    return;
  }
  if (model_->GoToLine(row)) Refill();
}

void CDescendancyListDialog::OnOK() {
  if (!model_) return;
  const std::int32_t chosen = model_->Choose(list_->currentRow());
  if (chosen == 0) return;
  rin = chosen;
  EndDialog(fw::kIdOk);
}
