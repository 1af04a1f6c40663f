#include "Document.h"

#include <algorithm>

#include "View.h"

namespace fw {

CDocument::CDocument() = default;

CDocument::~CDocument() {
  // Views that outlive the document lose it rather than point at it.
  for (CView* view : views_) view->document_ = nullptr;
}

void CDocument::SetTitle(const QString& title) {
  if (title == title_) return;
  title_ = title;
  emit titleChanged(title_);
}

void CDocument::OnCloseDocument() { delete this; }

void CDocument::AddView(CView* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CDocument::RemoveView(CView* view) {
  auto it = std::find(views_.begin(), views_.end(), view);
  if (it == views_.end()) return;
  views_.erase(it);
  if (views_.empty() && m_bAutoDelete) OnCloseDocument();
}

}  // namespace fw
