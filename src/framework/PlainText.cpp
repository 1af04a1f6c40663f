#include "PlainText.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace fw {
namespace {

// Sets the format of a label when it is first polished, before it shows.
class PlainLabels : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Polish) {
      auto* label = qobject_cast<QLabel*>(watched);
      // A tooltip's label is set up for each tip; PlainToolTip escapes those.
      if (label != nullptr && label->textFormat() == Qt::AutoText &&
          label->windowType() != Qt::ToolTip)
        label->setTextFormat(Qt::PlainText);
    }
    return false;
  }
};

}  // namespace

void ShowLabelsAsPlainText(QApplication& app) {
  static const char* const kInstalled = "korvanePlainLabels";
  if (app.property(kInstalled).toBool()) return;
  app.setProperty(kInstalled, true);
  app.installEventFilter(new PlainLabels(&app));
}

QString PlainToolTip(const QString& text) {
  return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

}  // namespace fw
