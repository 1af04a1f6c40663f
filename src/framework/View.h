#pragma once
// The view base: a widget that shows a document. A view class is made by
// its run-time class, so that a frame can replace its view by one of another
// class over the same document.

#include <QWidget>

namespace fw {

class CDocument;
class CView;

// How to make a view of one class; one static record per class.
struct CRuntimeClass {
  const char* m_lpszClassName;
  CView* (*m_pfnCreateObject)();  // nullptr when the class cannot be made

  CView* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

// The run-time class record of a view class T with a default constructor;
// T names itself with a static `kClassName`.
template <class T>
const CRuntimeClass* RuntimeClassOf() {
  static const CRuntimeClass record{T::kClassName, []() -> CView* { return new T(); }};
  return &record;
}

class CView : public QWidget {
  Q_OBJECT

 public:
  CView();
  ~CView() override;

  virtual const CRuntimeClass* GetRuntimeClass() const = 0;
  bool IsKindOf(const CRuntimeClass* rc) const { return GetRuntimeClass() == rc; }

  CDocument* GetDocument() const { return document_; }
  // Binds the view to a document (before its first update).
  void SetDocument(CDocument* document);

  // Called once the view is placed in its frame, before it is first shown
  // with content; the default repaints.
  virtual void OnInitialUpdate();

 private:
  friend class CDocument;
  CDocument* document_ = nullptr;
};

}  // namespace fw
