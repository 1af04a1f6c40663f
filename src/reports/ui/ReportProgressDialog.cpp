#include "ReportProgressDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtPorts.h"
#include "StringTable.h"

CReportProgressDialog::CReportProgressDialog(std::string caption)
    : CDialogBase(nullptr), caption_(std::move(caption)) {}

CReportProgressDialog::~CReportProgressDialog() {
  if (ownerDisabled_ && owner_) owner_->setEnabled(true);
}

bool CReportProgressDialog::Create(QWidget* owner) {
  owner_ = owner ? owner : QApplication::activeWindow();
  if (owner_ && owner_->isEnabled()) {
    owner_->setEnabled(false);
    ownerDisabled_ = true;
  }
  if (!CreateWindow()) {
    if (ownerDisabled_ && owner_) owner_->setEnabled(true);
    ownerDisabled_ = false;
    return false;
  }
  return true;
}

bool CReportProgressDialog::CreateWindow() {
  setWindowTitle(fw::ToQString(caption_));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddControl(kIdPreparing, new QLabel(tr("Preparing pages.  Please wait..."))));
  status_ = AddControl(kIdStatus, new QLabel);
  layout->addWidget(status_);
  auto* row = new QHBoxLayout;
  bar_ = AddControl(kIdProgress, new QProgressBar);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(260);
  percent_ = AddControl(kIdPercent, new QLabel(fw::ToQString(model_.PercentText())));
  percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance("100%") + 8);
  row->addWidget(bar_, 1);
  row->addWidget(percent_);
  layout->addLayout(row);
  auto* cancel = AddControl(kIdCancel, new QPushButton(tr("Cancel")));
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  connect(cancel, &QPushButton::clicked, this, [this] { model_.Cancel(); });
  bar_->setRange(model_.Low(), model_.High());
  bar_->setValue(model_.Position());
  model_.onBarPosition = [this](int pos) { bar_->setValue(pos); };
  model_.onPercentText = [this](const std::string& text) {
    percent_->setText(fw::ToQString(text));
  };
  show();
  return true;
}

void CReportProgressDialog::SetRange(int low, int high) {
  model_.SetRange(low, high);
  if (bar_) bar_->setRange(low, high);
}

void CReportProgressDialog::SetStep(int step) { model_.SetStep(step); }

bool CReportProgressDialog::StepIt() { return model_.StepIt(); }

bool CReportProgressDialog::CheckCancel() { return model_.CheckCancel(); }

void CReportProgressDialog::SetStatusText(const QString& text) {
  if (!status_) return;
  status_->setText(text);
  status_->repaint();
}

CPreparingPagesDialog::CPreparingPagesDialog(QWidget* parent) : CDialogBase(parent) {
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddControl(kIdPreparing, new QLabel(tr("Preparing pages.  Please wait..."))));
  status_ = AddControl(kIdStatus, new QLabel);
  layout->addWidget(status_);
  bar_ = AddControl(kIdProgress, new QProgressBar);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(260);
  layout->addWidget(bar_);
  layout->addWidget(AddControl(kIdExtra, new QLabel));
  auto* cancel = AddControl(kIdCancel, new QPushButton(tr("Cancel")));
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  connect(cancel, &QPushButton::clicked, this, [this] { model_.Cancel(); });
  model_.onBarPosition = [this](int pos) { bar_->setValue(pos); };
  model_.onStatusText = [this](const std::string& text) {
    status_->setText(fw::ToQString(text));
    status_->repaint();
  };
}

void CPreparingPagesDialog::SetCaption(unsigned stringId) {
  setWindowTitle(fw::ToQString(res::LoadString(stringId)));
}

void CPreparingPagesDialog::SetRange(int low, int high) { bar_->setRange(low, high); }
