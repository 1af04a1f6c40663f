#include "TabbedListDelegate.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "DC.h"
#include "DialogBase.h"
#include "DialogParts.h"
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
  return PaletteColours(palette);
}

CTabbedListDelegate::Colours CTabbedListDelegate::PaletteColours(const QPalette& palette) {
  return {palette.color(QPalette::Text), palette.color(QPalette::Base),
          palette.color(QPalette::HighlightedText), palette.color(QPalette::Highlight)};
}

CTabbedListDelegate::CTabbedListDelegate(std::vector<int> stops, Colours colours, QObject* parent,
                                         Highlight highlight)
    : QStyledItemDelegate(parent),
      stops_(std::move(stops)),
      colours_(colours),
      highlight_(highlight) {}

void CTabbedListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool focused = (option.state & QStyle::State_HasFocus) != 0;
  const bool highlighted =
      highlight_ == Highlight::kFocus ? focused : (option.state & QStyle::State_Selected) != 0;
  const QVariant ownFont = index.data(Qt::FontRole);
  const QFont font = ownFont.isValid() ? ownFont.value<QFont>() : option.font;
  const QFontMetrics metrics(font, painter->device());
  const fw::QtTextMeasure measure(font, painter->device());
  const std::string line = index.data(kLineRole).toByteArray().toStdString();

  painter->save();
  painter->setClipRect(option.rect);
  painter->fillRect(option.rect, highlighted ? colours_.focusBackground : colours_.background);
  painter->setFont(font);
  painter->setPen(highlighted ? colours_.focusText : colours_.text);
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
    frame.backgroundColor = highlighted ? colours_.focusBackground : colours_.background;
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

void ShowAtTabStops(QListWidget* list, const fw::CDialogBase& dialog,
                    std::initializer_list<int> dialogUnits, int lastColumn) {
  std::vector<int> stops;
  for (int units : dialogUnits) stops.push_back(dialog.DialogUnitsToPixels(units, 0).width());
  auto* delegate =
      new CTabbedListDelegate(stops, CTabbedListDelegate::PaletteColours(list->palette()), list,
                              CTabbedListDelegate::Highlight::kSelection);
  list->setItemDelegate(delegate);
  list->setUniformItemSizes(true);
  const int column = lastColumn > 0 ? dialog.DialogUnitsToPixels(lastColumn, 0).width()
                                    : list->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
  const int wide = CTabbedListDelegate::kTextLeft + stops.back() + column + 2 * list->frameWidth() +
                   list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  list->setMinimumWidth(std::max(list->minimumWidth(), wide));
}

QListWidgetItem* AddTabbedLine(QListWidget* list, const std::string& line) {
  auto* item = new QListWidgetItem(ListLineText(line));
  item->setData(CTabbedListDelegate::kLineRole, QByteArray::fromStdString(line));
  list->addItem(item);
  return item;
}

}  // namespace editui
