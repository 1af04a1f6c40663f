#include "MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "CommandIds.h"
#include "DbCalls.h"
#include "FramePlacement.h"
#include "FrameTables.h"
#include "KorApp.h"
#include "MDIChildWnd.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StatusPanes.h"
#include "StringIds.h"
#include "StringTable.h"
#include "ToolbarIcons.h"

namespace {

constexpr const char* kControlId = "controlId";
constexpr const char* kCommandId = "commandId";
constexpr const char* kWindowListItem = "windowListItem";

// Least widths of panes 1 to 4; a pane is wider when its usual content needs it.
constexpr int kPaneMinWidth[] = {0, 90, 90, 31, 31};

// A command's string "prompt\ntooltip" split in its two parts.
struct CommandTexts {
  QString prompt, tooltip;
};

CommandTexts TextsOf(unsigned id) {
  QString all = fw::ToQString(res::LoadString(id));
  int newline = all.indexOf(QLatin1Char('\n'));
  if (newline < 0) return {all, QString()};
  return {all.left(newline), all.mid(newline + 1)};
}

// A menu text without its mnemonic marks, for a command that has no menu item.
QString PlainText(QString text) { return text.remove(QLatin1Char('&')); }

// Finds the menu item text of a command in either menu.
const shell::MenuItem* FindMenuItem(const std::vector<shell::MenuItem>& items, unsigned id) {
  for (const shell::MenuItem& item : items) {
    if (item.IsPopup()) {
      if (const shell::MenuItem* found = FindMenuItem(item.items, id)) return found;
    } else if (item.id == id && id != 0) {
      return &item;
    }
  }
  return nullptr;
}

}  // namespace

CMainFrame::CMainFrame(CKorApp* app) : app_(app) {
  setObjectName(QString::fromLatin1(kWindowClassName));
  MDIClient()->setObjectName(QStringLiteral("MDIClient"));
  CreateActions();
  CreateToolBar();
  CreateStatusBar();

  QList<QMenu*> noDocument, document;
  for (const shell::MenuItem& popup : shell::FrameMenu(shell::kMenuNoDocument))
    noDocument.append(BuildMenu(popup));
  for (const shell::MenuItem& popup : shell::FrameMenu(shell::kMenuDocument))
    document.append(BuildMenu(popup));
  SetFrameMenus(noDocument, document);
  SetFrameTitle(fw::ToQString(res::LoadString(res::kIdsAppName)));
  // The program's icon: a family, as on the Family View button.
  setWindowIcon(ToolbarIcon(shell::kIdViewFamily));
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeAction(unsigned id, const QString& text) {
  auto* action = new QAction(text, this);
  CommandTexts texts = TextsOf(id);
  action->setStatusTip(texts.prompt);
  action->setToolTip(texts.tooltip.isEmpty() ? PlainText(text) : texts.tooltip);
  action->setProperty(kCommandId, id);
  std::string keys = shell::AcceleratorKeys(id);
  if (!keys.empty()) action->setShortcut(QKeySequence(QString::fromLatin1(keys.c_str())));
  action->setEnabled(shell::IsCommandAvailable(id));
  // Accelerators work whichever menu is shown.
  addAction(action);
  actions_.insert(id, action);
  return action;
}

void CMainFrame::CreateActions() {
  std::vector<unsigned> ids = shell::MenuCommandIds(shell::FrameMenu(shell::kMenuDocument));
  for (unsigned id : shell::MenuCommandIds(shell::FrameMenu(shell::kMenuNoDocument)))
    ids.push_back(id);
  for (unsigned id : shell::ToolbarButtons())
    if (id != 0) ids.push_back(id);
  for (const shell::Accelerator& a : shell::FrameAccelerators()) ids.push_back(a.id);
  // Commands without a menu item: the Reports sheet posts them to the views,
  // the pedigree view's empty boxes and context menus to the frame.
  ids.push_back(shell::kIdFilePrint);
  ids.push_back(shell::kIdFilePrintPreview);
  const std::pair<unsigned, const char*> boxItems[] = {
      {shell::kIdAddUnlinkedIndividual, "Add Individual..."},
      {shell::kIdAddFatherBox, "Add Father..."},
      {shell::kIdAddMotherBox, "Add Mother..."}};
  for (const auto& [id, text] : boxItems) MakeAction(id, QString::fromLatin1(text));

  for (unsigned id : ids) {
    if (actions_.contains(id)) continue;
    const shell::MenuItem* item = FindMenuItem(shell::FrameMenu(shell::kMenuDocument), id);
    if (!item) item = FindMenuItem(shell::FrameMenu(shell::kMenuNoDocument), id);
    QString text = item ? fw::ToQString(item->text) : TextsOf(id).tooltip;
    MakeAction(id, text);
  }

  connect(actions_.value(shell::kIdAppExit), &QAction::triggered, this, &QWidget::close);
  QAction* toolbar = actions_.value(shell::kIdViewToolbar);
  toolbar->setCheckable(true);
  toolbar->setChecked(true);
  connect(toolbar, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
  QAction* status = actions_.value(shell::kIdViewStatusBar);
  status->setCheckable(true);
  status->setChecked(true);
  connect(status, &QAction::toggled, this, [this](bool on) {
    if (QStatusBar* bar = FindStatusBar()) bar->setVisible(on);
  });
  connect(actions_.value(shell::kIdWindowCascade), &QAction::triggered, MDIClient(),
          &QMdiArea::cascadeSubWindows);
  connect(actions_.value(shell::kIdWindowTile), &QAction::triggered, MDIClient(),
          &QMdiArea::tileSubWindows);
}

QMenu* CMainFrame::BuildMenu(const shell::MenuItem& popup) {
  auto* menu = new QMenu(fw::ToQString(popup.text), this);
  for (const shell::MenuItem& item : popup.items) {
    if (item.IsSeparator())
      menu->addSeparator();
    else if (item.IsPopup())
      menu->addMenu(BuildMenu(item));
    else
      menu->addAction(actions_.value(item.id));
  }
  if (popup.text == "&View") {
    // The bars can also be hidden from their context menu.
    connect(menu, &QMenu::aboutToShow, this, [this] {
      actions_.value(shell::kIdViewToolbar)->setChecked(!toolBar_->isHidden());
      QStatusBar* bar = FindStatusBar();
      actions_.value(shell::kIdViewStatusBar)->setChecked(bar && !bar->isHidden());
    });
  } else if (popup.text == "&Window") {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillWindowMenu(menu); });
  }
  menus_.append(menu);
  return menu;
}

// The Window menu ends with the list of document windows, the active one
// checked.
void CMainFrame::FillWindowMenu(QMenu* menu) {
  for (QAction* action : menu->actions())
    if (action->property(kWindowListItem).toBool()) {
      menu->removeAction(action);
      action->deleteLater();
    }
  QList<QMdiSubWindow*> windows = MDIClient()->subWindowList(QMdiArea::CreationOrder);
  if (windows.isEmpty()) return;
  QAction* separator = menu->addSeparator();
  separator->setProperty(kWindowListItem, true);
  int n = 0;
  for (QMdiSubWindow* window : windows) {
    ++n;
    QString text = n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(window->windowTitle())
                          : QStringLiteral("%1 %2").arg(n).arg(window->windowTitle());
    QAction* action = menu->addAction(text);
    action->setProperty(kWindowListItem, true);
    action->setCheckable(true);
    action->setChecked(window == MDIClient()->activeSubWindow());
    QPointer<QMdiSubWindow> target = window;
    connect(action, &QAction::triggered, this, [this, target] {
      if (target) MDIClient()->setActiveSubWindow(target);
    });
  }
}

void CMainFrame::CreateToolBar() {
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("ToolBar"));
  toolBar_->setProperty(kControlId, kToolBarId);
  toolBar_->setWindowTitle(TextsOf(shell::kIdViewToolbar).tooltip);
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->setAllowedAreas(Qt::TopToolBarArea);
  for (unsigned id : shell::ToolbarButtons()) {
    if (id == 0) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* action = actions_.value(id);
    action->setIcon(ToolbarIcon(id));
    toolBar_->addAction(action);
  }
  addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::CreateStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setProperty(kControlId, kStatusBarId);
  setStatusBar(bar);

  auto* text = new QLabel(fw::ToQString(res::LoadString(res::kIdsIdlePrompt)), bar);
  text->setMinimumWidth(1);
  bar->addWidget(text, 1);
  panes_.append(text);

  // Widths fit the usual content in the user's font: a seven-digit record
  // number, a two-digit count, the lock indicators' words.
  QFontMetrics metrics(bar->font());
  const std::string samples[] = {
      "",
      shell::FormatStatusPane(shell::kPaneRin, 8888888).text,
      shell::FormatStatusPane(shell::kPaneMrin, 8888888).text,
      shell::FormatStatusPane(shell::kPaneMarriages, 88).text,
      shell::FormatStatusPane(shell::kPaneChildren, 88).text,
      "CAP",
      "NUM",
  };
  for (int i = 1; i < shell::kStatusPaneCount; ++i) {
    auto* pane = new QLabel(bar);
    pane->setObjectName(QStringLiteral("pane%1").arg(i));
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setContentsMargins(3, 0, 3, 0);
    int least = i < 5 ? kPaneMinWidth[i] : 0;
    int content =
        metrics.horizontalAdvance(fw::ToQString(samples[i])) + 2 * pane->frameWidth() + 6 + 2;
    pane->setMinimumWidth(std::max(least, content));
    bar->addPermanentWidget(pane);
    panes_.append(pane);
  }
}

QStatusBar* CMainFrame::FindStatusBar() const {
  // The bar is the frame's own child; a deep search would also walk the
  // document windows, and one of them may be half destroyed when its view
  // clears the panes as it goes.
  for (QStatusBar* bar : findChildren<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly))
    if (bar->property(kControlId).toInt() == kStatusBarId) return bar;
  return nullptr;
}

QLabel* CMainFrame::StatusPane(int index) const {
  if (!FindStatusBar() || index < 0 || index >= panes_.size()) return nullptr;
  return panes_[index];
}

LRESULT CMainFrame::OnSetStatusPane(WPARAM kind, LPARAM value) {
  if (!FindStatusBar()) return 1;
  shell::StatusPaneText pane = shell::FormatStatusPane(kind, value);
  if (!pane.validKind) {
    plat::MessageBox("Programmer: Invalid status bar index", res::LoadString(res::kIdsAppName),
                     plat::kMbOk);
    return 0;
  }
  QLabel* label = StatusPane(pane.pane);
  if (!label) return 0;
  label->setText(fw::ToQString(pane.text));
  label->repaint();
  return 1;
}

LRESULT CMainFrame::OnSetAcceleratorWindow(QWidget* window) {
  app_->SetAcceleratorWindow(window);
  return 0;
}

LRESULT CMainFrame::OnGetDittoRin(WPARAM kind) {
  if (!shell::DittoRins::IsValidKind(kind)) {
    plat::MessageBox("Programmer: Invalid ditto rin type", res::LoadString(res::kIdsAppName),
                     plat::kMbOk);
    return 0;
  }
  CKorDoc* document = app_->GetCurrentDocument();
  return document ? document->m_dittoRins.Get(kind) : 0;
}

LRESULT CMainFrame::OnSetDittoRin(WPARAM kind, LPARAM rin) {
  if (!shell::DittoRins::IsValidKind(kind)) {
    plat::MessageBox("Programmer: Invalid ditto rin type", res::LoadString(res::kIdsAppName),
                     plat::kMbOk);
    return 0;
  }
  if (CKorDoc* document = app_->GetCurrentDocument())
    document->m_dittoRins.Set(kind, static_cast<std::uint32_t>(rin));
  return 0;
}

LRESULT CMainFrame::OnFlushFamilyFile() {
  DbFlush();
  return 0;
}

LRESULT CMainFrame::OnMciNotify() {
  if (mediaStop_) mediaStop_();
  return 0;
}

fw::CMDIChildWnd* CMainFrame::GetNextMDIChild() {
  QList<fw::CMDIChildWnd*> children = MDIChildren();
  qsizetype next = 0;
  if (childCursor_) {
    next = children.indexOf(childCursor_.data());
    next = next < 0 ? children.size() : next + 1;
  }
  childCursor_ = next < children.size() ? children[next] : nullptr;
  return childCursor_;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  shell::FrameCloseState state;
  if (isMinimized())
    state.show = shell::WindowShow::kMinimized;
  else if (isMaximized())
    state.show = shell::WindowShow::kMaximized;
  // The rectangle is kept as the window is placed again at start-up: the
  // frame's position and the window's size.
  state.rect = {pos().x(), pos().y(), width(), height()};
  state.familyFile = app_->m_openFilePath;
  state.viewType = app_->m_currentViewType;
  shell::SaveFrameCloseState(plat::Profile(), state);
  fw::CMDIFrameWnd::closeEvent(event);
}

void CMainFrame::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) active_ = isActiveWindow();
  // The desktop's colours changed: name colours that follow them follow.
  if (event->type() == QEvent::PaletteChange) app_->m_options.LoadColors();
  fw::CMDIFrameWnd::changeEvent(event);
}
