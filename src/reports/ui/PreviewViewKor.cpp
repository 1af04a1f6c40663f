#include "PreviewViewKor.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

CPreviewViewKor::CPreviewViewKor(QPrinter* printer, std::function<void(QPrinter*)> paint,
                                 std::function<void()> print, QWidget* parent)
    : QDialog(parent), print_(std::move(print)) {
  setWindowTitle(tr("Print Preview"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  preview_ = new QPrintPreviewWidget(printer, this);
  preview_->setObjectName("preview");
  connect(preview_, &QPrintPreviewWidget::paintRequested, this,
          [paint = std::move(paint)](QPrinter* p) { paint(p); });

  auto add = [&](const QString& name, const QString& text) {
    QAction* a = bar->addAction(text);
    a->setObjectName(name);
    return a;
  };
  QAction* printAction = add("print", tr("&Print..."));
  next_ = add("next", tr("&Next Page"));
  previous_ = add("previous", tr("Pre&v Page"));
  twoPage_ = add("twoPage", tr("&Two Page"));
  zoomIn_ = add("zoomIn", tr("Zoom &In"));
  zoomOut_ = add("zoomOut", tr("Zoom &Out"));
  QAction* close = add("close", tr("&Close"));
  layout->addWidget(bar);
  layout->addWidget(preview_, 1);

  connect(printAction, &QAction::triggered, this, [this] {
    if (print_) print_();
    accept();
  });
  connect(next_, &QAction::triggered, this, [this] {
    preview_->setCurrentPage(preview_->currentPage() + 1);
    UpdateActions();
  });
  connect(previous_, &QAction::triggered, this, [this] {
    preview_->setCurrentPage(preview_->currentPage() - 1);
    UpdateActions();
  });
  connect(twoPage_, &QAction::triggered, this,
          [this] { SetTwoPages(preview_->viewMode() == QPrintPreviewWidget::SinglePageView); });
  connect(zoomIn_, &QAction::triggered, this, [this] {
    preview_->zoomIn();
    UpdateActions();
  });
  connect(zoomOut_, &QAction::triggered, this, [this] {
    preview_->zoomOut();
    UpdateActions();
  });
  connect(close, &QAction::triggered, this, &QDialog::reject);
  connect(preview_, &QPrintPreviewWidget::previewChanged, this, [this] { UpdateActions(); });
  SetTwoPages(false);
}

QAction* CPreviewViewKor::Action(const QString& name) const { return findChild<QAction*>(name); }

void CPreviewViewKor::SetTwoPages(bool two) {
  if (two)
    preview_->setViewMode(QPrintPreviewWidget::FacingPagesView);
  else
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
  preview_->fitInView();
  twoPage_->setText(two ? tr("&One Page") : tr("&Two Page"));
  UpdateActions();
}

void CPreviewViewKor::UpdateActions() {
  const int page = preview_->currentPage();
  const int pages = preview_->pageCount();
  next_->setEnabled(page < pages);
  previous_->setEnabled(page > 1);
  twoPage_->setEnabled(pages > 1 || preview_->viewMode() != QPrintPreviewWidget::SinglePageView);
}
