#include "WindowTitles.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWidget>

namespace fw {
namespace {

// The title bar's icon, its buttons and the frame, beside the caption.
constexpr int kTitleBarChrome = 150;

class WholeTitles : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (window == nullptr || !window->isWindow() || window->windowTitle().isEmpty()) return false;
    const Qt::WindowType type = window->windowType();
    if (type != Qt::Window && type != Qt::Dialog) return false;
    const int needed = TitleBarWidth(*window);
    if (window->width() >= needed) return false;
    // A message box sizes itself to its layout when it shows, and a layout
    // of fixed size holds its window to it: a spacer asks the layout for
    // the width.
    QLayout* layout = window->layout();
    if (layout != nullptr && (qobject_cast<QMessageBox*>(window) != nullptr ||
                              layout->sizeConstraint() == QLayout::SetFixedSize)) {
      static const char* const kWidened = "korvaneTitleSpacer";
      if (window->property(kWidened).toBool()) return false;
      auto* spacer = new QSpacerItem(needed - 2 * layout->contentsMargins().left(), 0,
                                     QSizePolicy::Minimum, QSizePolicy::Fixed);
      if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
      } else if (auto* box = qobject_cast<QVBoxLayout*>(layout)) {
        box->addSpacerItem(spacer);
      } else {
        delete spacer;
        return false;
      }
      window->setProperty(kWidened, true);
      layout->activate();
      return false;
    }
    if (window->maximumWidth() >= needed) window->resize(needed, window->height());
    return false;
  }
};

}  // namespace

int TitleBarWidth(const QWidget& window) {
  QFont font = window.font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kTitleBarChrome;
}

void KeepWindowTitlesWhole(QApplication& app) {
  static const char* const kInstalled = "korvaneWholeTitles";
  if (app.property(kInstalled).toBool()) return;
  app.setProperty(kInstalled, true);
  app.installEventFilter(new WholeTitles(&app));
}

}  // namespace fw
