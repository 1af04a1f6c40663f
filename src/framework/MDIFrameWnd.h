#pragma once
// The main frame base: a main window whose centre is the MDI client area
// holding the document windows. It shows one menu while no document window
// is open and another while there is one, and adds the active document's
// title to its own.

#include <QList>
#include <QMainWindow>
#include <QString>

class QMdiArea;
class QMenu;

namespace fw {

class CMDIChildWnd;

class CMDIFrameWnd : public QMainWindow {
  Q_OBJECT

 public:
  CMDIFrameWnd();
  ~CMDIFrameWnd() override;

  QMdiArea* MDIClient() const { return mdiClient_; }
  // The active document window, or nullptr.
  CMDIChildWnd* MDIGetActive() const;
  // The document windows from the top of the z-order down.
  QList<CMDIChildWnd*> MDIChildren() const;
  // Places a new document window in the client area and shows it.
  void AddMDIChild(CMDIChildWnd* child);

  // The menus shown without and with document windows.
  void SetFrameMenus(QList<QMenu*> noDocument, QList<QMenu*> document);
  // The title the frame shows; the active document's title is added to it.
  void SetFrameTitle(const QString& title);
  void OnUpdateFrameTitle();
  // Puts the menu of the current state (with or without document windows).
  void OnUpdateFrameMenu();

 private:
  void ShowMenus(const QList<QMenu*>& menus);

  QMdiArea* mdiClient_;
  QList<QMenu*> noDocumentMenus_, documentMenus_;
  const QList<QMenu*>* shownMenus_ = nullptr;
  QString frameTitle_;
};

}  // namespace fw
