#pragma once
// The document window base: an MDI child frame that holds one view of a
// document.

#include <QMdiSubWindow>
#include <QPointer>

#include "View.h"

namespace fw {

class CDocument;

class CMDIChildWnd : public QMdiSubWindow {
  Q_OBJECT

 public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;

  CView* GetActiveView() const { return activeView_; }
  void SetActiveView(CView* view) { activeView_ = view; }
  CDocument* GetActiveDocument() const;

  // Makes a view of the class over the document and places it in this
  // window; nullptr when the class cannot be made. The caller sends it its
  // initial update.
  CView* CreateView(const CRuntimeClass* viewClass, CDocument* document);
  // Places a made view over the document in this window, as CreateView does.
  CView* PlaceView(CView* view, CDocument* document);

 private:
  void FollowDocumentTitle(CDocument* document);

  QPointer<CView> activeView_;
};

}  // namespace fw
