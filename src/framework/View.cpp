#include "View.h"

#include "Document.h"

namespace fw {

CView::CView() = default;

CView::~CView() {
  // May delete an auto-delete document whose last view this was.
  if (document_) document_->RemoveView(this);
}

void CView::SetDocument(CDocument* document) {
  if (document == document_) return;
  CDocument* old = document_;
  document_ = document;
  if (document_) document_->AddView(this);
  if (old) old->RemoveView(this);
}

void CView::OnInitialUpdate() { update(); }

}  // namespace fw
