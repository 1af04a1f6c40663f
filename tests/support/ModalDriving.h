// Helpers of the Qt tests that drive modal dialogs and popup menus: act on a
// window once it shows, and screenshots with an open menu drawn in.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QtTest>
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

// Clicks the file's row in a file dialog's list, as a user does, once the
// list shows it.
inline void ClickFile(QFileDialog& dialog, const QString& path) {
  auto* list = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
  QVERIFY(list);
  QModelIndex index;
  QTRY_VERIFY((index =
                   [&] {
                     for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
                       const QModelIndex i = list->model()->index(row, 0, list->rootIndex());
                       if (i.data(QFileSystemModel::FilePathRole).toString() == path) return i;
                     }
                     return QModelIndex();
                   }())
                  .isValid());
  list->scrollTo(index);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}
