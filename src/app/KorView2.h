#pragma once
// The family view: one family of the open family file (the primary
// individual with parents, current marriage, spouse and children) in six
// panes stretched over the window. What it shows and how keys and clicks
// move through the family is decided by shell::famview::FamilyViewModel;
// this widget paints that, places its buttons and scroll bar, forwards
// input and reports to the main frame's status bar.

#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "FamilyViewModel.h"
#include "ImageObject.h"
#include "View.h"

class CAppOptions;
class CKorDoc;
class CIndividualNode;
class CMarriageNode;
class QAbstractButton;
class QPainter;
class QPushButton;
class QScrollBar;
class QToolButton;

class CKorView2 : public fw::CView {
  Q_OBJECT

 public:
  static constexpr const char* kClassName = "CKorView2";
  // Private messages (WM_USER + n) other parts send the view.
  static constexpr unsigned kWmGetFocusMarriage = 1024 + 296;
  static constexpr unsigned kWmGetFocusIndividual = 1024 + 297;
  static constexpr unsigned kWmShow = 1024 + 302;
  // The help context of F1.
  static constexpr int kHelpContext = 100;

  CKorView2();
  ~CKorView2() override;
  const fw::CRuntimeClass* GetRuntimeClass() const override;

  // Takes the start individual (the document's hand-over RIN, else the
  // file's home person or the person last shown) and shows it.
  void OnInitialUpdate() override;

  // ---- what the view shows ----
  CIndividualNode* GetPaneContent(int pane, int childIndex = -1) const;
  CIndividualNode* GetSelectedContent() const;
  CMarriageNode* GetCurrentMarriage() const;
  // marriage index 0 is the current one.
  CIndividualNode* GetSpouseOfMarriage(int index = 0) const;
  CIndividualNode* GetLastChild() const;
  shell::famview::FamilyViewModel* Model() const { return model_.get(); }

  // WM_USER+297: the focus individual's RIN (wParam 0) or node (1); 0 none.
  std::intptr_t OnGetFocusIndividual(std::uintptr_t wParam) const;
  // WM_USER+296: a marriage's MRIN (wParam 0 and 2) or node (1); 0 none.
  std::intptr_t OnGetFocusMarriage(std::uintptr_t wParam) const;
  // WM_USER+302: shows individual a, or looks the family up again (0), or
  // replaces a deleted individual -a.
  void OnShow(std::intptr_t a);
  // Takes the display options (ZEL data, name suffix, spouse bullet, photo)
  // from the application's options again.
  void ApplyOptions();
  // Shows marriage mrin: its husband, else its wife, with that marriage
  // current; a marriage without partners alone.
  void ShowMarriage(std::int32_t mrin);
  // Alt+M: the chosen marriage of the primary individual becomes the one
  // shown.
  void OnOtherMarriages();
  // The Other Marriages button: the primary individual's marriages put in
  // order; the one current at OK is shown.
  void OnSpouseOrder();
  // Alt+P and the Other Parents button: the primary individual's parent
  // families (as Add > Parents).
  void OnOtherParents();
  // Edit > Unlink Individual: behind the edit password and refused on a
  // read-only file; after the user's OK the selected relative leaves the
  // family shown, and a marriage left empty may go.
  void OnUnlink();
  // The view's own commands; false for a command it does not handle now.
  bool OnCommand(unsigned id);
  // True when switching to the pedigree view keeps the Back history: the
  // selection is a parent or a child that holds an individual.
  bool KeepsHistoryOnSwitch() const;

  // Paints the view's panes (without its child controls) onto painter for
  // a client area of size.
  void Render(QPainter& painter, QSize size);
  // Where the status panes go (kind, value); by default the main frame.
  void SetStatusSink(std::function<void(std::uintptr_t, std::intptr_t)> sink) {
    statusSink_ = std::move(sink);
  }
  // Sends the four status panes.
  void SendStatus();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // The right button's release on a pane opens the selected pane's menu.
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  CKorDoc* Document() const;
  const CAppOptions& Options() const;
  void CreateControls();
  void PlaceControls();
  void UpdateControls();
  // After input: repaint, controls and status for what changed.
  void Apply(const shell::famview::Outcome& outcome);
  void RunFrameCommand(unsigned id);
  // The selected pane's context menu at global; nothing on a read-only file.
  void ShowContextMenu(QPoint global);
  void PaintIndividualPane(QPainter& p, const shell::famview::Mapping& map, int pane);
  void PaintMarriagePane(QPainter& p, const shell::famview::Mapping& map);
  void PaintChildrenPane(QPainter& p, const shell::famview::Mapping& map);
  void PaintMarks(QPainter& p, const shell::famview::Mapping& map, int right, int top, bool notes,
                  bool multimedia, const QColor& color);
  QFont PaneFont(const shell::famview::Mapping& map) const;
  // The primary individual's default photo fitted into area (device pixels)
  // against its right edge; the area's frame when there is none.
  void PaintPhoto(QPainter& p, const QRect& area, const QColor& ink);

  std::unique_ptr<shell::famview::FamilyViewModel> model_;
  std::function<void(std::uintptr_t, std::intptr_t)> statusSink_;
  std::array<QToolButton*, 2> parentButtons_{};
  QToolButton* spouseButton_ = nullptr;
  QPushButton* otherParents_ = nullptr;
  QPushButton* otherMarriages_ = nullptr;
  std::array<QToolButton*, shell::famview::kChildRows> childButtons_{};
  QScrollBar* scrollBar_ = nullptr;
  bool updatingScrollBar_ = false;
  // The Back history's length when the view started.
  std::size_t historyAtStart_ = 0;
  // The photo as last loaded, and what it was loaded for (path, edits and
  // area size): it is loaded again only when that changes.
  fw::CImageObject photo_;
  std::string photoKey_;
};
