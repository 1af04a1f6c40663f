#include "KorMDIChildWnd.h"

#include "Document.h"
#include "View.h"

int CKorMDIChildWnd::SwitchView(const fw::CRuntimeClass* viewClass) {
  fw::CView* old = GetActiveView();
  if (!old) return 0;
  if (old->IsKindOf(viewClass)) return 1;

  // The document must outlive the loss of its only view.
  fw::CDocument* document = old->GetDocument();
  bool autoDelete = document ? document->m_bAutoDelete : false;
  if (document) document->m_bAutoDelete = false;
  SetActiveView(nullptr);
  setWidget(nullptr);
  delete old;
  if (document) document->m_bAutoDelete = autoDelete;

  fw::CView* view = CreateView(viewClass, document);
  if (!view) return 0;
  view->OnInitialUpdate();
  view->update();
  SetActiveView(view);
  return 1;
}
