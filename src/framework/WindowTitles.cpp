#include "WindowTitles.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
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
    if (window->width() >= needed || window->maximumWidth() < needed) return false;
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
      // A message box sizes itself to its layout when it shows: a spacer
      // row asks the layout for the width.
      static const char* const kWidened = "korvaneTitleSpacer";
      auto* grid = qobject_cast<QGridLayout*>(box->layout());
      if (grid != nullptr && !box->property(kWidened).toBool()) {
        box->setProperty(kWidened, true);
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
      }
      return false;
    }
    window->resize(needed, window->height());
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
