#include "KinshipWidgets.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextOption>
#include <QWidget>

void PlaceWindowAtParentBottom(QWidget* window) {
  if (!window) return;
  QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  const QSize size = window->frameGeometry().size();
  QScreen* screen = parent ? parent->screen() : window->screen();
  const QRect available = screen ? screen->availableGeometry() : QRect();
  const QRect around = parent ? parent->frameGeometry() : available;
  QPoint topLeft(around.center().x() - size.width() / 2, around.center().y() - size.height() / 2);
  if (parent) {
    topLeft.setY(around.bottom() + 1 - size.height());
    if (topLeft.y() < available.top()) topLeft.setY(available.top());
  }
  window->move(topLeft);
}

namespace kinui {

TabStopDelegate::TabStopDelegate(std::vector<int> stops, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(stops)) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
  QTextOption layout;
  QList<QTextOption::Tab> tabs;
  for (int stop : stops_) tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
  layout.setTabs(tabs);
  layout.setWrapMode(QTextOption::NoWrap);
  layout.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  painter->save();
  painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                       : QPalette::Text));
  painter->drawText(QRectF(opt.rect.adjusted(3, 0, -3, 0)), text, QTextOption(layout));
  painter->restore();
}

}  // namespace kinui
