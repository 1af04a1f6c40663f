#include "KinshipWidgets.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextOption>
#include <QWidget>
#include <algorithm>

void PlaceWindowAtParentBottom(QWidget* window) {
  if (!window) return;
  QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  // A window not yet shown has no frame: its own size stands for it.
  const QSize size = window->isVisible() ? window->frameGeometry().size() : window->size();
  QScreen* screen = parent ? parent->screen() : window->screen();
  const QRect available = screen ? screen->availableGeometry() : QRect();
  const QRect around = parent ? parent->frameGeometry() : available;
  QPoint topLeft(around.left() + (around.width() - size.width()) / 2,
                 around.top() + (around.height() - size.height()) / 2);
  if (parent) {
    topLeft.setY(around.bottom() + 1 - size.height());
    if (topLeft.y() < available.top()) topLeft.setY(available.top());
  }
  window->move(topLeft);
  // The platform may place the frame a little off the asked position:
  // correct by what it did.
  const QPoint placed = window->frameGeometry().topLeft();
  if (placed != topLeft) window->move(window->pos() + (topLeft - placed));
}

namespace kinui {

TabStopDelegate::TabStopDelegate(std::vector<int> stops, QObject* parent, bool indentFirstStop)
    : QStyledItemDelegate(parent), stops_(std::move(stops)), indentFirstStop_(indentFirstStop) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  QString text = opt.text;
  opt.text.clear();
  std::vector<int> stops = stops_;
  int indent = 0;
  if (indentFirstStop_) {
    int blanks = 0;
    while (blanks < text.size() && text[blanks] == QLatin1Char(' ')) ++blanks;
    indent = opt.fontMetrics.horizontalAdvance(QString(blanks, QLatin1Char(' ')));
    text.remove(0, blanks);
    if (!stops.empty()) stops.front() += indent;
  }
  QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
  QTextOption layout;
  QList<QTextOption::Tab> tabs;
  for (int stop : stops) tabs.append(QTextOption::Tab(stop - indent, QTextOption::LeftTab));
  layout.setTabs(tabs);
  layout.setWrapMode(QTextOption::NoWrap);
  layout.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  painter->save();
  painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                       : QPalette::Text));
  const QRect area = opt.rect.adjusted(3 + indent, 0, -3, 0);
  if (fieldsInColumns_) {
    QStringList fields = text.split(QLatin1Char('\t'));
    // Fields beyond the last stop stay together in the last column.
    while (fields.size() > static_cast<qsizetype>(stops.size()) + 1)
      fields[fields.size() - 2] += QStringLiteral("  ") + fields.takeLast();
    const int gap = opt.fontMetrics.horizontalAdvance(QLatin1Char(' '));
    for (qsizetype i = 0; i < fields.size(); ++i) {
      const int left = i == 0 ? 0 : stops[static_cast<std::size_t>(i - 1)] - indent;
      const int right =
          i + 1 < fields.size() ? stops[static_cast<std::size_t>(i)] - indent - gap : area.width();
      const int width = std::max(0, right - left);
      painter->drawText(QRect(area.left() + left, area.top(), width, area.height()),
                        Qt::AlignLeft | Qt::AlignVCenter,
                        opt.fontMetrics.elidedText(fields[i], Qt::ElideRight, width));
    }
  } else {
    painter->drawText(QRectF(area), text, QTextOption(layout));
  }
  painter->restore();
}

}  // namespace kinui
