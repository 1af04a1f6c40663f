// Helpers of the Qt tests that drive modal dialogs and popup menus: act on a
// window once it shows, and screenshots with an open menu drawn in.
#pragma once

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <memory>

// Runs act once on the first window pick finds within five seconds; the
// timer that looks is returned (it deletes itself when done).
inline QTimer* WhenShown(std::function<QWidget*()> pick, std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, pick, act] {
    QWidget* window = pick();
    if (!window && ++*tries < 250) return;
    timer->stop();
    timer->deleteLater();
    if (window) act(window);
  });
  timer->start(20);
  return timer;
}

template <class D>
void WhenModal(std::function<void(D*)> act) {
  WhenShown([] { return qobject_cast<D*>(QApplication::activeModalWidget()); },
            [act](QWidget* w) { act(static_cast<D*>(w)); });
}

// The window with an open popup menu drawn where it stands, saved when
// KORVANE_SHOTS names a folder.
inline void ShootWithMenu(QWidget* window, QWidget* menu, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  QPixmap shot = window->grab();
  QPainter painter(&shot);
  painter.drawPixmap(window->mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), menu->grab());
  painter.end();
  shot.save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') + QLatin1String(name) +
            QStringLiteral(".png"));
}
