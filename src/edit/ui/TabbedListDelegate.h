#pragma once
// Owner-drawn list lines laid out at tab stops: the line (code-page text)
// is split at its tabs and each piece drawn at its stop, in the list colours
// of the options, the focused line in its own pair with a focus rectangle.

#include <QColor>
#include <QStyledItemDelegate>
#include <vector>

namespace editui {

class CTabbedListDelegate : public QStyledItemDelegate {
 public:
  // The item's line as code-page bytes (a QByteArray).
  static constexpr int kLineRole = Qt::UserRole + 1;
  // Where the text starts, in pixels from the item's left edge.
  static constexpr int kTextLeft = 2;

  struct Colours {
    QColor text, background;            // the other lines
    QColor focusText, focusBackground;  // the line with the focus
  };
  // The application's list colours; without an application, the palette's.
  static Colours ListColours(const QPalette& palette);

  CTabbedListDelegate(std::vector<int> stops, Colours colours, QObject* parent);

  const Colours& GetColours() const { return colours_; }

  // Fills the item with its background, draws the pieces of its line in the
  // item's font (its own when it has one) and, with the focus, the focus
  // rectangle.
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  std::vector<int> stops_;
  Colours colours_;
};

}  // namespace editui
