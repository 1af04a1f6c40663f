#pragma once
// The program's main window: menu, toolbar and status bar around the
// document windows, and the post office through which views and dialogs
// report status texts, remembered ditto numbers, the accelerator window, a
// flush request and the end of media playback.

#include <QList>
#include <QMap>
#include <QPointer>
#include <cstdint>
#include <functional>

#include "MDIChildWnd.h"
#include "MDIFrameWnd.h"

class CKorApp;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

namespace shell {
struct MenuItem;
}

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr unsigned kWmUser = 1024;
// Private messages of the main frame (WM_USER + n), delivered as the calls
// named after them.
inline constexpr unsigned kWmSetStatusPane = kWmUser + 200;         // OnSetStatusPane
inline constexpr unsigned kWmSetAcceleratorWindow = kWmUser + 201;  // OnSetAcceleratorWindow
inline constexpr unsigned kWmGetDittoRin = kWmUser + 202;           // OnGetDittoRin
inline constexpr unsigned kWmSetDittoRin = kWmUser + 203;           // OnSetDittoRin
inline constexpr unsigned kWmFlushFamilyFile = kWmUser + 301;       // OnFlushFamilyFile
inline constexpr unsigned kMmMciNotify = 0x3B9;                     // OnMciNotify

class CMainFrame : public fw::CMDIFrameWnd {
  Q_OBJECT

 public:
  // Ids of the frame's bars, kept in their "controlId" property.
  static constexpr int kToolBarId = 59392;
  static constexpr int kStatusBarId = 59393;
  static constexpr int kReBarId = 59396;
  // Window class of the main window; the single-instance test looks for it.
  static constexpr const char* kWindowClassName = "OrvMainWndXQW";

  explicit CMainFrame(CKorApp* app);
  ~CMainFrame() override;

  // Sets a status pane: kind 1 RIN, 2 MRIN, 3 marriages, 4 children (value a
  // number, -1 empties the pane) or 100 free text (value a NUL-ended text
  // pointer). 1 when set or when there is no status bar, else 0.
  LRESULT OnSetStatusPane(WPARAM kind, LPARAM value);
  // Stores the window that gets the dialog accelerators (nullptr: none).
  LRESULT OnSetAcceleratorWindow(QWidget* window);
  // The current document's ditto number of kind 0, 1 or 2.
  LRESULT OnGetDittoRin(WPARAM kind);
  LRESULT OnSetDittoRin(WPARAM kind, LPARAM rin);
  // Writes the open family file through to the disk.
  LRESULT OnFlushFamilyFile();
  // A media clip ended: stops the playback that the multimedia code started.
  LRESULT OnMciNotify();
  // What stops media playback; OnMciNotify calls it.
  void SetMediaStopHandler(std::function<void()> stop) { mediaStop_ = std::move(stop); }

  // The next document window after the child cursor (from the top when the
  // cursor is none), or nullptr after the last; the cursor follows.
  fw::CMDIChildWnd* GetNextMDIChild();
  void SetChildCursor(fw::CMDIChildWnd* child) { childCursor_ = child; }

  // 1 while the frame is the active window.
  bool IsFrameActive() const { return active_; }

  // The action of a command id (menu item, toolbar button or accelerator).
  QAction* CommandAction(unsigned id) const { return actions_.value(id); }
  QToolBar* ToolBar() const { return toolBar_; }
  // The status bar found by its id, nullptr when there is none.
  QStatusBar* FindStatusBar() const;
  QLabel* StatusPane(int index) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateActions();
  QAction* MakeAction(unsigned id, const QString& text);
  QMenu* BuildMenu(const shell::MenuItem& popup);
  void CreateToolBar();
  void CreateStatusBar();
  void FillWindowMenu(QMenu* menu);

  CKorApp* app_;
  QMap<unsigned, QAction*> actions_;
  QList<QMenu*> menus_;
  QToolBar* toolBar_ = nullptr;
  QList<QLabel*> panes_;
  QPointer<fw::CMDIChildWnd> childCursor_;
  bool active_ = true;
  std::function<void()> mediaStop_;
};
