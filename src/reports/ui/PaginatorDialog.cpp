#include "PaginatorDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtPorts.h"
#include "StringTable.h"

namespace rptui {

namespace {

QString Id(int id) { return QString::number(id); }

}  // namespace

CPaginatorDialog::CPaginatorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("PAGINATOR");
  setModal(true);
  text_ = new QLabel(fw::ToQString(rpt::PaginatorWindow::PreparingText()), this);
  text_->setObjectName(Id(kIdcPaginatorText));
  label_ = new QLabel(this);
  label_->setObjectName("label");
  label_->hide();
  number_ = new QLabel("0", this);
  number_->setObjectName(Id(kIdcPaginatorNumber));
  number_->setAlignment(Qt::AlignCenter);
  QFont big = number_->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  number_->setFont(big);
  number_->setMinimumWidth(number_->fontMetrics().horizontalAdvance("0000000"));
  cancel_ = new QPushButton(tr("Cancel"), this);
  cancel_->setObjectName(Id(2));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* count = new QHBoxLayout;
  count->addStretch();
  count->addWidget(label_);
  count->addWidget(number_);
  count->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(count);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(cancel_, &QPushButton::clicked, this, &CPaginatorDialog::Cancel);
}

rpt::BatchResult CPaginatorDialog::RunPass(rpt::PaginatorState& state, const QString& caption,
                                           const QString& number, bool cancelShown,
                                           const std::function<rpt::BatchResult()>& batch) {
  setWindowTitle(caption);
  SetNumber(number);
  cancel_->setVisible(cancelShown);
  state_ = &state;
  batch_ = batch;
  result_ = rpt::BatchResult::Failed;
  running_ = true;
  // The first batch starts once the window shows, as a queued call.
  Post(rpt::kPaginatorNextBatch);
  exec();
  running_ = false;
  batch_ = nullptr;
  state_ = nullptr;
  return result_;
}

void CPaginatorDialog::OpenModeless(rpt::PaginatorState& state, const QString& caption,
                                    const QString& number, bool cancelShown) {
  setWindowTitle(caption);
  SetNumber(number);
  cancel_->setVisible(cancelShown);
  state_ = &state;
  batch_ = nullptr;
  running_ = false;
  setModal(false);
  show();
}

void CPaginatorDialog::NextBatch() {
  if (!running_ || state_ == nullptr || state_->running == 0) return;
  result_ = batch_();
  if (result_ != rpt::BatchResult::More) {
    Post(rpt::kPaginatorPassDone);
    return;
  }
  // Input waiting for the window (a Cancel click) is handled between batches.
  QApplication::processEvents();
  if (running_ && state_ != nullptr && state_->running != 0) Post(rpt::kPaginatorNextBatch);
}

void CPaginatorDialog::Post(int message) {
  QMetaObject::invokeMethod(
      this,
      [this, message] {
        if (message == rpt::kPaginatorNextBatch)
          NextBatch();
        else if (message == rpt::kPaginatorPassDone)
          PassDone();
      },
      Qt::QueuedConnection);
}

void CPaginatorDialog::PassDone() {
  if (!running_) return;
  running_ = false;
  done(QDialog::Accepted);
}

void CPaginatorDialog::Cancel() {
  if (state_ != nullptr) state_->running = 0;
  result_ = rpt::BatchResult::Failed;
  running_ = false;
  done(2);
}

void CPaginatorDialog::reject() {
  if (cancel_->isVisible()) Cancel();
}

void CPaginatorDialog::SetNumber(const QString& number) { number_->setText(number); }

QString CPaginatorDialog::Number() const { return number_->text(); }

void CPaginatorDialog::SetText(const QString& text) {
  text_->setText(text);
  if (isVisible()) text_->repaint();
}

QString CPaginatorDialog::Text() const { return text_->text(); }

void CPaginatorDialog::SetLabel(const QString& label) {
  label_->setText(label);
  label_->setVisible(!label.isEmpty());
  // The window grows to the label at once, since a long step may follow.
  if (layout() != nullptr) layout()->activate();
  if (isVisible()) repaint();
}

QString CPaginatorDialog::Label() const { return label_->text(); }

bool CPaginatorDialog::CancelShown() const { return !cancel_->isHidden(); }

rpt::BatchResult CQtPaginatorWindow::Run(rpt::PaginatorState& state, const std::string& caption,
                                         const std::string& number, bool cancelShown,
                                         const std::function<rpt::BatchResult()>& batch) {
  CPaginatorDialog dialog(QApplication::activeWindow());
  dialog_ = &dialog;
  const rpt::BatchResult result =
      dialog.RunPass(state, fw::ToQString(caption), fw::ToQString(number), cancelShown, batch);
  dialog_ = nullptr;
  return result;
}

void CQtPaginatorWindow::SetNumber(int number) {
  if (dialog_ != nullptr) dialog_->SetNumber(QString::number(number));
}

void CQtPaginatorWindow::SetText(const std::string& text) {
  if (dialog_ != nullptr) dialog_->SetText(fw::ToQString(text));
}

void CQtPaginatorWindow::SetLabel(const std::string& label) {
  if (dialog_ != nullptr) dialog_->SetLabel(fw::ToQString(label));
}

void RegisterPaginatorWindow() {
  static CQtPaginatorWindow window;
  rpt::SetPaginatorWindow(&window);
}

}  // namespace rptui
