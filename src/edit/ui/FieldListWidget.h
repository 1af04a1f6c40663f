#pragma once
// The field list on screen: a scroll area that paints three fixed columns
// of cells under a header of its own (the columns cannot be dragged), and
// the in-place editors over the current cell: a line edit, an editable
// combo box that completes from its choices, or a push button. The grid's
// decisions are CFieldListCtrl's; this widget draws, makes the editors and
// forwards keys, clicks and scrolling.

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "FieldListCtrl.h"

class CCharacterMapPopup;
class CFieldListWidget;

// What the three editors share: their cell's place and the Character Map.
class CCellEditorBase : public CFieldEditor {
 public:
  CCellEditorBase(CFieldListWidget* list, QWidget* widget, int column, int row);
  ~CCellEditorBase() override;
  void Place(const FieldRect& rect, bool visible) override;
  void Focus() override;
  bool IsShown() const override;
  int ShowCharacterMap(int x, int y) override;
  CCharacterMapPopup* Map() const { return map_; }

 protected:
  // The line edit a map character goes into; null for a button.
  virtual QLineEdit* TextTarget() const { return nullptr; }
  // Handles a key of the editor's own widget; true when it took the key.
  bool HandleKey(QKeyEvent* event, CellKind kind, bool dropDownOpen);
  void SaveSelection();
  void InsertCharacter(unsigned char ch);

  CFieldListWidget* list_;
  QWidget* widget_;
  int column_;
  int row_;
  QPointer<CCharacterMapPopup> map_;
  int selectionStart_ = 0;
  int selectionLength_ = 0;
};

class CCellEdit : public QLineEdit, public CCellEditorBase {
  Q_OBJECT
 public:
  CCellEdit(CFieldListWidget* list, const FieldEditorSetup& setup, QWidget* parent);
  std::string GetText() const override;
  void SetText(const std::string& text) override;
  int LostCharacters() const override;

 protected:
  bool event(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  QLineEdit* TextTarget() const override { return const_cast<CCellEdit*>(this); }
};

class CCellComboBox : public QComboBox, public CCellEditorBase {
  Q_OBJECT
 public:
  CCellComboBox(CFieldListWidget* list, const FieldEditorSetup& setup, QWidget* parent);
  std::string GetText() const override;
  void SetText(const std::string& text) override;
  int LostCharacters() const override;
  void SelectChoice(const std::string& text) override;
  void showPopup() override;
  void hidePopup() override;
  bool IsDropDownOpen() const { return dropDownOpen_; }
  // Removes the choice selected in the open drop-down from the shared list.
  bool DeleteSelectedChoice();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  QLineEdit* TextTarget() const override { return lineEdit(); }

 private:
  void OnTextEdited(const QString& text);
  std::vector<std::string> Choices() const;

  CStringListEx* choices_;
  ComboOptions options_;
  std::string lastAccepted_;
  bool lastDeleted_ = false;
  char lastChar_ = 0;
  bool dropDownOpen_ = false;
};

class CCellButton : public QPushButton, public CCellEditorBase {
  Q_OBJECT
 public:
  CCellButton(CFieldListWidget* list, const FieldEditorSetup& setup, QWidget* parent);
  std::string GetText() const override;
  void SetText(const std::string& text) override;

 protected:
  bool event(QEvent* event) override;
};

class CFieldListWidget : public QAbstractScrollArea, public CFieldListPlatform {
  Q_OBJECT
 public:
  explicit CFieldListWidget(QWidget* parent = nullptr);
  ~CFieldListWidget() override;

  CFieldListCtrl& List() { return list_; }
  // The three columns: label, value and citation button widths.
  void SetupColumns(const QString& label, int labelWidth, const QString& value, int valueWidth,
                    int buttonWidth);
  // Lines and editors changed: the scroll range follows.
  void Refresh();
  int GetHeaderHeight() const { return GetLineHeight(); }
  // The line under a point of the viewport, or -1; column likewise.
  int LineAt(QPoint point) const;
  int ColumnAt(QPoint point) const;
  int FirstVisibleLine() const;

  // Called by the editors: the list acts after the editor's event is over.
  void PostNavigate(int code);
  void PostButton(int column, int row);
  void PostCharacterMap();
  // A character typed on a sources button: the value of its line opens and
  // gets the key.
  void PostTypeInValue(const QKeyEvent* event);
  // Keys typed while a posted move is still to come wait for the editor it
  // opens, in the order typed; true when the key was held.
  bool HoldKey(const QKeyEvent* event);

  // CFieldListPlatform
  std::unique_ptr<CFieldEditor> CreateEditor(const FieldEditorSetup& setup) override;
  FieldRect GetLineRect(int line, bool ensureVisible) override;
  int GetLineHeight() const override;
  int GetItemsPerPage() const override;
  void LeaveForward() override;
  void LeaveBackward() override;
  void InvalidateLine(int line) override;
  void InvalidateRect(const FieldRect& rect) override;
  int GetWindowHeight() const override { return viewport()->height(); }

 signals:
  void resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void Leave(bool forward);
  void RunPosted(std::function<void()> work);
  void ReplayHeldKeys();

  struct HeldKey {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
  };

  CFieldListCtrl list_;
  bool inEditorChange_ = false;
  int pendingMoves_ = 0;
  std::deque<HeldKey> held_;
};
