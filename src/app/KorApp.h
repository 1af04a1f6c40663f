#pragma once
// The application object's state that the main frame reads and writes: the
// options, the open family file, the current view type, the current document
// and the window that gets the dialog accelerators.

#include <QPointer>
#include <QWidget>
#include <string>

#include "AppOptions.h"
#include "KorDoc.h"

class CKorApp {
 public:
  // View types.
  static constexpr int kViewNone = 0;
  static constexpr int kViewPedigree = 1;
  static constexpr int kViewFamily = 3;

  // The user's options for the whole run (defaults until Load).
  CAppOptions m_options;

  // Full path of the open family file; "" when none is open.
  std::string m_openFilePath;
  int m_currentViewType = kViewNone;

  // The document of the active view (nullptr when none, or once it is gone).
  CKorDoc* GetCurrentDocument() const { return currentDocument_; }
  void SetCurrentDocument(CKorDoc* document) { currentDocument_ = document; }

  // The window to which the dialog accelerator table goes; nullptr for none.
  QWidget* GetAcceleratorWindow() const { return acceleratorWindow_; }
  void SetAcceleratorWindow(QWidget* window) { acceleratorWindow_ = window; }

 private:
  QPointer<CKorDoc> currentDocument_;
  QPointer<QWidget> acceleratorWindow_;
};
