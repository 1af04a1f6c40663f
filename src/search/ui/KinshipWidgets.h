#pragma once
// Small pieces the relationship and calculator dialogs share: placing a
// window at its parent's bottom edge, and list lines laid out at tab stops.

#include <QStyledItemDelegate>
#include <vector>

class QWidget;

// Centres window on its parent, then (with a parent) moves it so that its
// bottom edge lies on the parent's bottom edge, never with its top above the
// top of the screen's available area. Size stays.
void PlaceWindowAtParentBottom(QWidget* window);

namespace kinui {

// Draws an item's text with its tabs expanded at the given stops (pixels).
// With indentFirstStop, leading blanks indent the line and the first stop
// moves along with them, so an indented marker column keeps its place
// before the text.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  TabStopDelegate(std::vector<int> stops, QObject* parent, bool indentFirstStop = false);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // Each field ends a blank before the next stop (a longer one is shortened
  // with an ellipsis), so that the columns stay under their headings; the
  // last field ends at the item's right edge.
  void SetFieldsInColumns(bool on) { fieldsInColumns_ = on; }

 private:
  std::vector<int> stops_;
  bool indentFirstStop_;
  bool fieldsInColumns_ = false;
};

}  // namespace kinui
