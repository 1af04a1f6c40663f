#include "TabbedListDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "DC.h"
#include "FamilyLines.h"
#include "KorApp.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"

namespace editui {

CTabbedListDelegate::Colours CTabbedListDelegate::ListColours(const QPalette& palette) {
  if (CKorApp* app = CKorApp::Instance()) {
    const CAppOptions& o = app->m_options;
    auto colour = [](int value) { return fw::ToQColor(static_cast<fw::ColorRef>(value)); };
    return {colour(o.colorNameText), colour(o.colorNameBackground), colour(o.colorSelectedNameText),
            colour(o.colorSelectedNameBackground)};
  }
  return {palette.color(QPalette::Text), palette.color(QPalette::Base),
          palette.color(QPalette::HighlightedText), palette.color(QPalette::Highlight)};
}

CTabbedListDelegate::CTabbedListDelegate(std::vector<int> stops, Colours colours, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(stops)), colours_(colours) {}

void CTabbedListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool focused = (option.state & QStyle::State_HasFocus) != 0;
  const QVariant ownFont = index.data(Qt::FontRole);
  const QFont font = ownFont.isValid() ? ownFont.value<QFont>() : option.font;
  const QFontMetrics metrics(font, painter->device());
  const fw::QtTextMeasure measure(font, painter->device());
  const std::string line = index.data(kLineRole).toByteArray().toStdString();

  painter->save();
  painter->setClipRect(option.rect);
  painter->fillRect(option.rect, focused ? colours_.focusBackground : colours_.background);
  painter->setFont(font);
  painter->setPen(focused ? colours_.focusText : colours_.text);
  const int baseline =
      option.rect.top() + (option.rect.height() - metrics.height()) / 2 + metrics.ascent();
  for (const TabbedPiece& piece : LayOutTabbedLine(line, stops_, measure))
    painter->drawText(QPoint(option.rect.left() + kTextLeft + piece.x, baseline),
                      fw::ToQString(piece.text));
  painter->restore();
  if (focused) {
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(option);
    frame.rect = option.rect;
    frame.backgroundColor = colours_.focusBackground;
    QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, option.widget);
  }
}

QSize CTabbedListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const QVariant ownFont = index.data(Qt::FontRole);
  const QFontMetrics metrics(ownFont.isValid() ? ownFont.value<QFont>() : option.font);
  const int last = stops_.empty() ? 0 : stops_.back();
  return {kTextLeft + last + metrics.horizontalAdvance(QStringLiteral("0000")),
          metrics.height() + 2};
}

}  // namespace editui
