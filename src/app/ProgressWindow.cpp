#include "ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "QtPorts.h"
#include "StringTable.h"

CProgressDialog::CProgressDialog() : fw::CDialogBase(nullptr) {
  auto* status = AddControl(kIdcStatus, new QLabel);
  auto* bar = AddControl(kIdcProgress, new QProgressBar);
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  status->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  status->setWordWrap(true);
  bar->setTextVisible(false);
  bar->setMinimumHeight(DialogUnitsToPixels(0, 10).height());
  cancel->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* top = new QVBoxLayout(this);
  top->addWidget(status);
  top->addWidget(bar);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetMinimumSize);

  connect(cancel, &QPushButton::clicked, this, &CProgressDialog::reject);
  SetRange(0, 100);
}

void CProgressDialog::OnCancel() {
  cancelled_ = true;
  EnableControl(fw::kIdCancel, false);
}

void CProgressDialog::SetRange(int low, int high) {
  low_ = low;
  high_ = std::max(low, high);
  if (auto* bar = Control<QProgressBar>(kIdcProgress)) bar->setRange(low_, high_);
  pos_ = low_;
  ShowPos();
}

void CProgressDialog::SetPos(int pos) {
  pos_ = std::min(high_, std::max(low_, pos));
  ShowPos();
}

void CProgressDialog::StepIt() {
  const long long next = static_cast<long long>(pos_) + step_;
  if (next > high_)
    pos_ = low_;
  else if (next < low_)
    pos_ = high_;
  else
    pos_ = static_cast<int>(next);
  ShowPos();
}

void CProgressDialog::ShowPos() {
  if (auto* bar = Control<QProgressBar>(kIdcProgress)) bar->setValue(pos_);
}

CProgressWindow::CProgressWindow(unsigned captionId, unsigned messageId, int low, int high)
    : dialog_(std::make_unique<CProgressDialog>()) {
  dialog_->setWindowTitle(fw::ToQString(res::LoadString(captionId)));
  SetStatusTextId(messageId);
  SetRange(low, high);
}

CProgressWindow::~CProgressWindow() = default;

int CProgressWindow::Show() {
  const bool wasVisible = dialog_->isVisible();
  dialog_->show();
  if (!wasVisible) dialog_->CenterWindow();
  return wasVisible ? 1 : 0;
}

void CProgressWindow::Hide() { dialog_->hide(); }

int CProgressWindow::IsCancelled() const { return dialog_->IsCancelled() ? 1 : 0; }

void CProgressWindow::DisableCancel() { dialog_->EnableControl(fw::kIdCancel, false); }

void CProgressWindow::Advance(int delta) { dialog_->Advance(delta); }

void CProgressWindow::SetRange(int low, int high) { dialog_->SetRange(low, high); }

void CProgressWindow::SetPos(int pos) { dialog_->SetPos(pos); }

void CProgressWindow::SetStep(int step) { dialog_->SetStep(step); }

void CProgressWindow::StepIt() { dialog_->StepIt(); }

void CProgressWindow::SetStatusText(const std::string& text) {
  dialog_->SetControlText(CProgressDialog::kIdcStatus, text);
}

void CProgressWindow::SetStatusTextId(unsigned id) { SetStatusText(res::LoadString(id)); }
