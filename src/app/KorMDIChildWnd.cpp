#include "KorMDIChildWnd.h"

#include "Document.h"
#include "View.h"

int CKorMDIChildWnd::SwitchView(const fw::CRuntimeClass* viewClass) {
  fw::CView* old = GetActiveView();
  if (!old) return 0;
  if (old->IsKindOf(viewClass)) return 1;

  // Made before the old view goes: a class that cannot be made leaves the
  // window and its document as they were.
  fw::CView* view = viewClass ? viewClass->CreateObject() : nullptr;
  if (!view) return 0;

  // The document must outlive the loss of its only view.
  fw::CDocument* document = old->GetDocument();
  bool autoDelete = document ? document->m_bAutoDelete : false;
  if (document) document->m_bAutoDelete = false;
  SetActiveView(nullptr);
  setWidget(nullptr);
  delete old;
  if (document) document->m_bAutoDelete = autoDelete;

  PlaceView(view, document);
  view->OnInitialUpdate();
  view->update();
  SetActiveView(view);
  return 1;
}
