#pragma once
// Owner-drawn list lines laid out at tab stops: the line (code-page text)
// is split at its tabs and each piece drawn at its stop, in the list colours
// of the options, the focused line in its own pair with a focus rectangle.

#include <QColor>
#include <QStyledItemDelegate>
#include <initializer_list>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace fw {
class CDialogBase;
}

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
  static Colours PaletteColours(const QPalette& palette);

  // Which line takes the second pair of colours: the one with the focus
  // (an owner-drawn list), or the selected one (an ordinary list box).
  enum class Highlight { kFocus, kSelection };

  CTabbedListDelegate(std::vector<int> stops, Colours colours, QObject* parent,
                      Highlight highlight = Highlight::kFocus);

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
  Highlight highlight_;
};

// An ordinary list box with tab stops: list shows its lines at stops given
// in dialog units of dialog, the selected line highlighted; it is made wide
// enough for the last stop and a column of lastColumn dialog units after it
// (0: a year).
void ShowAtTabStops(QListWidget* list, const fw::CDialogBase& dialog,
                    std::initializer_list<int> dialogUnits, int lastColumn = 0);
// Appends a line; the delegate reads it with its tabs, the item's text has
// them as gaps.
QListWidgetItem* AddTabbedLine(QListWidget* list, const std::string& line);

}  // namespace editui
