#pragma once
// CPreviewViewKor: the print preview window of the report views: the pages
// of the report with Print, Next Page, Prev Page, Two Page, Zoom In, Zoom Out
// and Close.

#include <QDialog>
#include <functional>

class QAction;
class QPrinter;
class QPrintPreviewWidget;

class CPreviewViewKor : public QDialog {
  Q_OBJECT

 public:
  // paint draws every page on the preview's printer; print runs when the
  // user presses Print (the preview then closes).
  CPreviewViewKor(QPrinter* printer, std::function<void(QPrinter*)> paint,
                  std::function<void()> print, QWidget* parent = nullptr);

  QPrintPreviewWidget* Preview() const { return preview_; }
  QAction* Action(const QString& name) const;
  void SetTwoPages(bool two);

 private:
  void UpdateActions();

  QPrintPreviewWidget* preview_ = nullptr;
  std::function<void()> print_;
  QAction* next_ = nullptr;
  QAction* previous_ = nullptr;
  QAction* twoPage_ = nullptr;
  QAction* zoomIn_ = nullptr;
  QAction* zoomOut_ = nullptr;
};
