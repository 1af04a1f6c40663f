#pragma once
// The InfoBox: a small borderless window beside a pedigree box with the
// person's vital dates (the small form) and, in the large form, the
// spouses and the children of one marriage, from which the user jumps to a
// spouse or a child. The pedigree view drives it; it answers the view
// through signals and keeps the status panes in step.

#include <QPointer>
#include <QTimer>
#include <cstdint>

#include "DialogBase.h"

class CIndividualNode;
class CMarriageNode;
class QComboBox;
class QLabel;
class QListWidget;

// What the InfoBox hands the view when the user moves to a relative. Each
// node carries one reference for the view to release.
struct InfoBoxMove {
  CIndividualNode* shown = nullptr;
  CIndividualNode* target = nullptr;
  CMarriageNode* marriage = nullptr;
  int kind = 0;  // 0 spouse, 1 child
  // Gives up the three references.
  void Release();
};

// Where to put the window: kind 0 top-left, 1 bottom-left, 2 top-right,
// 3 bottom-right corner at (x, y) in screen coordinates; other kinds keep
// the position.
struct InfoBoxPlacement {
  int kind = 0;
  int x = 0;
  int y = 0;
};

class CInfoBox : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 312;
  // Controls.
  static constexpr int kIdBirthLabel = 1023;
  static constexpr int kIdBirthText = 861;
  static constexpr int kIdMarriageText = 863;
  static constexpr int kIdDeathLabel = 1024;
  static constexpr int kIdDeathText = 865;
  static constexpr int kIdOrdinanceText = 941;
  static constexpr int kIdSpouseField = 866;
  static constexpr int kIdChildrenList = 867;
  // Forms.
  static constexpr int kSmallShown = 1;
  static constexpr int kLargeShown = 2;
  static constexpr int kSmallHidden = 3;
  static constexpr int kLargeHidden = 4;
  static constexpr int kClickTimerId = 152;
  // Widths the lines are fitted to, in pixels, and their character limit.
  static constexpr int kLineChars = 81;
  static constexpr int kBirthWidth = 298;
  static constexpr int kMarriageWidth = 292;
  static constexpr int kSpouseChars = 120;
  static constexpr int kSpouseWidth = 274;

  explicit CInfoBox(QWidget* view);
  ~CInfoBox() override;

  // ---- messages from the view ----
  // WM_USER+345: hide, clear, give the focus back to the view.
  void OnHide();
  // WM_USER+346 / +348: the large or small form at the placement.
  void OnShowLarge(int key, const InfoBoxPlacement& placement);
  void OnShowSmall(int key, const InfoBoxPlacement& placement);
  // WM_USER+347: load the person; 1 when the marriage line was filled for
  // the small form, else 0.
  int OnLoad(CIndividualNode* individual);
  // WM_USER+350: the view goes.
  void OnViewDestroyed() { Clear(); }

  int FormState() const { return state_; }
  bool IsShown() const { return state_ == kSmallShown || state_ == kLargeShown; }
  int ShownKey() const { return shownKey_; }
  CIndividualNode* Individual() const { return individual_; }
  CMarriageNode* Marriage() const { return marriage_; }
  // The window's sizes of the two forms, in pixels.
  QSize LargeSize() const { return large_; }
  QSize SmallSize() const { return small_; }
  // Set when the user left the fields with Tab towards the view; the view
  // clears it.
  bool m_leftByTab = false;

  QComboBox* SpouseField() const { return spouses_; }
  QListWidget* ChildrenList() const { return children_; }

  // Moves to the held marriage's other partner, or to the selected child.
  void MoveToSpouse();
  void MoveToChild();
  // Escape and Cancel ask the view to hide the InfoBox.
  void reject() override;

 signals:
  // WM_USER+345 to the view (posted): Escape or Cancel.
  void hideRequested();
  // WM_USER+349 to the view (posted): move to a relative.
  void moveRequested(InfoBoxMove move);
  // WM_USER+351 to the view (sent): 1 the spouse field, 2 the children list
  // lost the focus.
  void controlLeft(int control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Place(const InfoBoxPlacement& placement, QSize size, bool resize);
  void FillFamily();
  void FillMarriage();
  void Clear();
  void OnSpouseChosen(int index);
  void SendPane(int pane, std::intptr_t value);
  void Post(const InfoBoxMove& move);

  QSize large_, small_;
  int state_ = kLargeHidden;
  int shownKey_ = -1;
  bool filled_ = false;
  bool clickPending_ = false;
  QTimer clickTimer_;
  QWidget* content_ = nullptr;
  QLabel* deathText_ = nullptr;
  QLabel* marriageText_ = nullptr;
  QLabel* ordinance_ = nullptr;
  QComboBox* spouses_ = nullptr;
  QListWidget* children_ = nullptr;
  QPointer<QWidget> view_;
  CIndividualNode* individual_ = nullptr;
  CMarriageNode* marriage_ = nullptr;
};

Q_DECLARE_METATYPE(InfoBoxMove)
