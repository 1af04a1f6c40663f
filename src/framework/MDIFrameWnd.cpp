#include "MDIFrameWnd.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "Document.h"
#include "MDIChildWnd.h"

namespace fw {

CMDIFrameWnd::CMDIFrameWnd() : mdiClient_(new QMdiArea(this)) {
  setCentralWidget(mdiClient_);
  connect(mdiClient_, &QMdiArea::subWindowActivated, this, [this] {
    OnUpdateFrameMenu();
    OnUpdateFrameTitle();
  });
}

CMDIFrameWnd::~CMDIFrameWnd() {
  // The document windows go first, without calling back into the half
  // destroyed frame.
  mdiClient_->disconnect(this);
  for (QMdiSubWindow* child : mdiClient_->subWindowList()) child->disconnect(this);
  delete mdiClient_;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const {
  QMdiSubWindow* sub = mdiClient_->activeSubWindow();
  if (!sub) sub = mdiClient_->currentSubWindow();
  return qobject_cast<CMDIChildWnd*>(sub);
}

QList<CMDIChildWnd*> CMDIFrameWnd::MDIChildren() const {
  QList<CMDIChildWnd*> children;
  const QList<QMdiSubWindow*> stack = mdiClient_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stack.rbegin(); it != stack.rend(); ++it)
    if (auto* child = qobject_cast<CMDIChildWnd*>(*it)) children.append(child);
  return children;
}

void CMDIFrameWnd::AddMDIChild(CMDIChildWnd* child) {
  mdiClient_->addSubWindow(child);
  // The menu and title change back once the last document window has gone.
  connect(
      child, &QObject::destroyed, this,
      [this] {
        OnUpdateFrameMenu();
        OnUpdateFrameTitle();
      },
      Qt::QueuedConnection);
  if (CDocument* document = child->GetActiveDocument())
    connect(document, &CDocument::titleChanged, this, &CMDIFrameWnd::OnUpdateFrameTitle);
  // Maximizing adds the window's title to the frame's, restoring takes it away.
  connect(child, &QMdiSubWindow::windowStateChanged, this, &CMDIFrameWnd::OnUpdateFrameTitle);
  child->show();
  OnUpdateFrameMenu();
  OnUpdateFrameTitle();
}

void CMDIFrameWnd::SetFrameMenus(QList<QMenu*> noDocument, QList<QMenu*> document) {
  noDocumentMenus_ = std::move(noDocument);
  documentMenus_ = std::move(document);
  shownMenus_ = nullptr;
  OnUpdateFrameMenu();
}

void CMDIFrameWnd::SetFrameTitle(const QString& title) {
  frameTitle_ = title;
  OnUpdateFrameTitle();
}

void CMDIFrameWnd::OnUpdateFrameTitle() {
  CMDIChildWnd* child = MDIGetActive();
  CDocument* document = child ? child->GetActiveDocument() : nullptr;
  if (!document || document->GetTitle().isEmpty()) {
    setWindowTitle(frameTitle_);
    return;
  }
  // A maximized document window that puts its buttons into the menu bar
  // appends " - [title]" to whatever the frame is given; the frame then gives
  // only its own title, so that the document's is there once.
  if (child->isMaximized()) {
    setWindowTitle(frameTitle_);
    if (windowTitle().contains(document->GetTitle())) return;
  }
  setWindowTitle(frameTitle_ + QStringLiteral(" - ") + document->GetTitle());
}

void CMDIFrameWnd::OnUpdateFrameMenu() {
  const QList<QMenu*>& wanted = MDIChildren().isEmpty() ? noDocumentMenus_ : documentMenus_;
  if (shownMenus_ == &wanted) return;
  ShowMenus(wanted);
  shownMenus_ = &wanted;
}

void CMDIFrameWnd::ShowMenus(const QList<QMenu*>& menus) {
  QMenuBar* bar = menuBar();
  bar->clear();
  for (QMenu* menu : menus) bar->addMenu(menu);
}

}  // namespace fw
