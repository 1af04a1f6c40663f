#pragma once
// The document base: the data one or more views show. A document with the
// auto-delete flag set deletes itself when its last view goes away.

#include <QObject>
#include <QString>
#include <vector>

namespace fw {

class CView;

class CDocument : public QObject {
  Q_OBJECT

 public:
  CDocument();
  ~CDocument() override;

  const QString& GetTitle() const { return title_; }
  virtual void SetTitle(const QString& title);

  bool m_bAutoDelete = true;

  const std::vector<CView*>& Views() const { return views_; }
  // Called when the last view goes and m_bAutoDelete is set: deletes the
  // document.
  virtual void OnCloseDocument();

 signals:
  void titleChanged(const QString& title);

 private:
  friend class CView;
  void AddView(CView* view);
  void RemoveView(CView* view);

  QString title_;
  std::vector<CView*> views_;
};

}  // namespace fw
