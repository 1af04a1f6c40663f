#pragma once
// The pedigree view: the primary individual and four generations of
// ancestors in 31 name boxes stretched over the document window, moved
// through by keyboard and mouse, with the InfoBox on hover or click. What
// goes where and which key moves where is decided by shell::pedigree and
// shell::PedigreeTree; this widget draws it and forwards input.

#include <QPointer>
#include <QTimer>
#include <array>
#include <cstdint>

#include "InfoBox.h"
#include "MainFrame.h"
#include "PedigreeBoxCommands.h"
#include "PedigreeLayout.h"
#include "PedigreeTree.h"
#include "View.h"

class CAppOptions;
class CKorDoc;
class QToolButton;

// Private messages of the pedigree view (WM_USER + n), delivered as the
// calls named after them.
inline constexpr unsigned kWmSetPendingRin = kWmUser + 254;      // OnSetPendingRin
inline constexpr unsigned kWmBeforeModal = kWmUser + 255;        // OnBeforeModal
inline constexpr unsigned kWmAfterModal = kWmUser + 256;         // OnAfterModal
inline constexpr unsigned kWmCurrentMarriage = kWmUser + 296;    // GetCurrentMarriage
inline constexpr unsigned kWmCurrentIndividual = kWmUser + 297;  // GetCurrentIndividual
inline constexpr unsigned kWmShowIndividual = kWmUser + 299;     // OnShowIndividual
inline constexpr unsigned kWmNoOp = kWmUser + 300;
inline constexpr unsigned kWmSetCurrentBox = kWmUser + 305;    // OnSetCurrentBox
inline constexpr unsigned kWmInfoBoxHide = kWmUser + 345;      // OnHideInfoBox
inline constexpr unsigned kWmInfoBoxLarge = kWmUser + 346;     // CInfoBox::OnShowLarge
inline constexpr unsigned kWmInfoBoxLoad = kWmUser + 347;      // CInfoBox::OnLoad
inline constexpr unsigned kWmInfoBoxSmall = kWmUser + 348;     // CInfoBox::OnShowSmall
inline constexpr unsigned kWmInfoBoxMove = kWmUser + 349;      // OnInfoBoxMove
inline constexpr unsigned kWmInfoBoxViewGone = kWmUser + 350;  // CInfoBox::OnViewDestroyed
inline constexpr unsigned kWmInfoBoxControl = kWmUser + 351;   // OnInfoBoxControl

class CKorView : public fw::CView {
  Q_OBJECT

 public:
  static constexpr const char* kClassName = "CKorView";
  static constexpr int kHoverTimerId = 301;
  static constexpr int kHelpContext = 101;
  // Context menus.
  static constexpr int kMenuIndividual = shell::pedigree::kMenuIndividual;
  static constexpr int kMenuAddFather = shell::pedigree::kMenuAddFather;
  static constexpr int kMenuAddMother = shell::pedigree::kMenuAddMother;
  static constexpr int kMenuAddIndividual = shell::pedigree::kMenuAddIndividual;

  CKorView();
  ~CKorView() override;
  // The options the view uses without an application object.
  static CAppOptions& DefaultOptions();
  const fw::CRuntimeClass* GetRuntimeClass() const override;
  CKorDoc* GetDocument() const;

  // Takes the start individual (the document's hand-over RIN, else the
  // file's home person or the person last shown) and shows it.
  void OnInitialUpdate() override;

  // ---- accessors ----
  // The current box's individual: its RIN (0) or node (1); 0 when empty.
  std::intptr_t GetCurrentIndividual(int asNode) const;
  // That individual's current marriage: its MRIN (0) or node (1); 0 when none.
  std::intptr_t GetCurrentMarriage(int asNode) const;
  const shell::PedigreeTree& Tree() const { return tree_; }
  int CurrentBox() const { return current_; }
  int SelectedBox() const { return selected_; }
  int InfoBoxBox() const { return infoBoxBox_; }
  CInfoBox* InfoBox() const { return infoBox_; }
  QToolButton* Button(int index) const { return buttons_[index]; }
  // The device rectangle of a box in the current client area.
  QRect BoxDeviceRect(int box) const;

  // ---- adding parents ----
  // The box whose individual Add Father and Add Mother add to: the child of
  // the empty parent box the user chose (the pending relative), else the
  // current box.
  int AddTargetBox() const;
  // The individual of that box (0 none) and the parents' marriage the view
  // shows for it (0 none).
  std::int32_t AddTargetRin() const;
  std::int32_t AddTargetParentsMrin() const;
  // Whether that individual may get a father (or a mother).
  bool CanAddParent(bool father) const;
  // The add flow of the pending relative ended (or the tree changed).
  void ClearPendingRelative() { pendingRelativeBox_ = shell::pedigree::kNoBox; }
  int PendingRelativeBox() const { return pendingRelativeBox_; }

  // ---- messages ----
  void OnSetPendingRin(std::int32_t rin) { pendingRin_ = rin; }
  // The show message: a and t as WM_USER+299 carries them (t above 1 is the
  // node to show).
  void OnShowIndividual(std::intptr_t a, std::intptr_t t);
  // Posts the show message (runs from the event loop).
  void PostShowIndividual(std::intptr_t a, std::intptr_t t);
  void PostShowNode(std::intptr_t a, CIndividualNode* node);
  void OnBeforeModal(int remember);
  void OnAfterModal();
  void OnSetCurrentBox(int box);
  void OnHideInfoBox();
  void OnInfoBoxMove(InfoBoxMove move);
  void OnInfoBoxControl(int control) { infoFocusControl_ = control; }

  // ---- commands ----
  void OnArrowButton(int button);  // 701-716 as 1-16
  void OnDescend();                // 700
  void OnMoveToPrimary();          // 32890
  // The path from the root to the current box joins the Back history (the
  // family view is shown next).
  void AppendPathToCurrentBox();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void LeftButtonDown(int box);
  void HoverOver(int box);
  void OnHoverTimer();
  void OpenHovered(int box);
  // Shows the InfoBox for a box in mode 1 (small) or 2 (large) and loads it.
  void ShowInfoBox(int box, int mode);
  void DropSelection();
  void MoveCursor(int box);
  void PressArrow(int button);
  void PostCommand(unsigned id);
  // Posts what a click on an empty box offers; the pending relative is kept
  // for the command when it is enabled.
  void PostBoxCommand(const shell::pedigree::BoxOffer& offer);
  void ShowContextMenu(int box, QPoint global);
  void RepaintBox(int box);
  void PlaceButtons();
  void UpdateButtons();
  void FollowRoot();
  void ReportStatus(int box);
  bool HoverAllowed() const;
  void AppendPath(int box);
  const CAppOptions* Options() const;

  shell::PedigreeTree tree_;
  std::int32_t pendingRin_ = 0;
  int selected_ = shell::pedigree::kNoBox;
  int infoBoxBox_ = shell::pedigree::kNoBox;
  int current_ = 0;
  int pendingRelativeBox_ = shell::pedigree::kNoBox;
  bool restore_ = false;
  bool syntheticHover_ = false;
  bool keyboardFlag_ = false;
  int infoFocusControl_ = 0;
  bool focusFlag_ = true;
  QPoint lastMouse_{-1, -1};
  InfoBoxMove moveRecord_;
  QTimer hoverTimer_;
  int timerBox_ = shell::pedigree::kNoBox;
  CInfoBox* infoBox_ = nullptr;
  std::array<QToolButton*, shell::pedigree::kButtonCount> buttons_{};
  bool listChoice_ = false;
  bool refit_ = true;
  bool statusPending_ = false;
};

class CKorApp;
