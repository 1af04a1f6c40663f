#pragma once
// What the Edit Individual and Edit Marriage screens share: the owner side
// of their field list (a changed cell sets the screen's changed flag and is
// committed; a refusal keeps the editor open), the pictures of the record
// buttons, the edit password gate and the placement of the window.

#include <QIcon>
#include <functional>
#include <string>

#include "EditModel.h"
#include "EditSessions.h"
#include "FieldListCtrl.h"
#include "RowCitations.h"
#include "WindowPlacement.h"

class QWidget;
namespace fw {
class CResizableDialog;
}
class CFieldListWidget;
class CUserEventRecord;

namespace editui {

// Column widths of the field lists.
inline constexpr int kLabelWidth = 175;
inline constexpr int kValueWidth = 250;
inline constexpr int kMarkerWidth = 25;

class CScreenListOwner : public CFieldListOwner {
 public:
  CScreenListOwner(CEditModel* model, std::function<void()> onChanged)
      : model_(model), onChanged_(std::move(onChanged)) {}
  int OnCellDone(const FieldCellDone& done) override;
  int OnButton(int /*column*/, int row, int count) override {
    return onButton ? onButton(row, count) : count;
  }
  // While set, finished edits are dropped (Cancel, closing).
  bool dropping = false;
  // A row's citation button: the screen opens its citations and answers
  // the row's new count.
  std::function<int(int row, int count)> onButton;

 private:
  CEditModel* model_;
  std::function<void()> onChanged_;
};

// The picture of a record button: kind 0 address, 1 multimedia, 2 notes,
// 3 sources; filled when the record has data of that kind.
QIcon ButtonPicture(int kind, bool hasData);
// The hooks of the sequences with the application's password gate.
EditSessionHooks ApplicationHooks(QWidget* parent);
// The window's rectangle.
WindowRect RectOf(const QWidget* window);
// On a screen's first showing: its stored minimum size (also the least it
// can be resized to) and placement; placed records that it was done.
void PlaceOnFirstShow(fw::CResizableDialog* dialog, const std::string& name, bool& placed);
// The value column takes the list's width less the label and marker columns.
void FitValueColumn(CFieldListWidget* list);
// Moves the current cell to column 1 of a section heading; nothing when the
// section is not shown.
void GoToSection(CFieldListWidget* list, int labelId);
// The user event a row shows, or null for the built-in rows (only user
// events can be removed).
CUserEventRecord* UserEventOfRow(CEditModel& model, const CFieldListRow* row);
// Sources for on a row's citations from an editing screen, with the main
// frame's keys kept away from the screen while it runs.
void RunRowSourcesFor(QWidget* screen, const RowCitationOwner& target, const std::string& name1,
                      const std::string& name2);
// The Date Calculator, modal.
void RunDateCalculator(QWidget* parent);
// The keys both editing screens share: F7 the Character Map for the current
// cell, Shift+F7 the Date Calculator.
void AddEditingKeys(QWidget* screen, CFieldListWidget* list);
// keys ("Alt+N") run handler while screen is active.
void AddShortcut(QWidget* screen, const char* keys, std::function<void()> handler);
// A closing screen lets go of its list and of the main frame's key routing.
void ReleaseScreen(QWidget* screen, CFieldListWidget* list);

}  // namespace editui
