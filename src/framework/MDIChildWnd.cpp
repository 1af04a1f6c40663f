#include "MDIChildWnd.h"

#include <QAction>
#include <QMenu>

#include "Document.h"
#include "View.h"

namespace fw {

CMDIChildWnd::CMDIChildWnd() {
  setAttribute(Qt::WA_DeleteOnClose);
  // The frame's accelerators own the keys (Ctrl+F4 is the frame's Close):
  // the commands of the window's system menu take none.
  if (QMenu* menu = systemMenu())
    for (QAction* action : menu->actions()) action->setShortcuts({});
}

CMDIChildWnd::~CMDIChildWnd() = default;

CDocument* CMDIChildWnd::GetActiveDocument() const {
  return activeView_ ? activeView_->GetDocument() : nullptr;
}

CView* CMDIChildWnd::CreateView(const CRuntimeClass* viewClass, CDocument* document) {
  CView* view = viewClass ? viewClass->CreateObject() : nullptr;
  return view ? PlaceView(view, document) : nullptr;
}

CView* CMDIChildWnd::PlaceView(CView* view, CDocument* document) {
  view->SetDocument(document);
  setWidget(view);
  view->show();
  FollowDocumentTitle(document);
  return view;
}

void CMDIChildWnd::FollowDocumentTitle(CDocument* document) {
  if (!document) return;
  setWindowTitle(document->GetTitle());
  connect(document, &CDocument::titleChanged, this, &QWidget::setWindowTitle, Qt::UniqueConnection);
}

}  // namespace fw
