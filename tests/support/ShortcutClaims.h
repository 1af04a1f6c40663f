#pragma once
// The keys a window claims at one moment: the shortcuts of its actions and
// QShortcut objects, and the '&' mnemonics of its shown buttons, labels with
// a buddy, group boxes, tab bars and menu bar. Two claims of one key in one
// window leave Qt with an ambiguous shortcut, and the key then does nothing.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <map>
#include <set>

class ShortcutClaims {
 public:
  // Collects what window claims as it is shown now.
  void Collect(QWidget* window) {
    window_ = window;
    AddWidget(window);
    for (QWidget* widget : window->findChildren<QWidget*>()) AddWidget(widget);
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
      auto* owner = qobject_cast<QWidget*>(shortcut->parent());
      if (shortcut->isEnabled() && !Scoped(shortcut->context()) && owner && Shown(owner))
        for (const QKeySequence& key : shortcut->keys())
          Add(key, QStringLiteral("shortcut of %1").arg(Named(owner)));
    }
  }

  // Collects every page of each tab widget of window in turn (the pages are
  // shown one at a time), then the window as it was left.
  void CollectPages(QWidget* window) {
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
      const int current = tabs->currentIndex();
      for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        ShortcutClaims page;
        page.Collect(window);
        for (const QString& clash : page.Clashes()) pageClashes_ << clash;
      }
      tabs->setCurrentIndex(current);
    }
    Collect(window);
  }

  // "key: owner, owner" for each key claimed more than once.
  QStringList Clashes() const {
    QStringList found = pageClashes_;
    for (const auto& [key, owners] : claims_)
      if (owners.size() > 1) {
        const QString text = key + QStringLiteral(": ") + owners.join(QStringLiteral(", "));
        if (!found.contains(text)) found << text;
      }
    return found;
  }

 private:
  static QString Named(const QObject* object) {
    return QString::fromLatin1(object->metaObject()->className());
  }

  // A shortcut of these contexts works only while its widget has the focus.
  static bool Scoped(Qt::ShortcutContext context) {
    return context == Qt::WidgetShortcut || context == Qt::WidgetWithChildrenShortcut;
  }

  // Whether widget belongs to the window and is shown in it.
  bool Shown(const QWidget* widget) const {
    return widget->window() == window_ && (widget == window_ || widget->isVisibleTo(window_));
  }

  void Add(const QKeySequence& key, const QString& owner) {
    if (key.isEmpty()) return;
    claims_[key.toString(QKeySequence::PortableText)] << owner;
  }

  void AddAction(QAction* action, const QString& where) {
    if (!action->isVisible() || !seen_.insert(action).second) return;
    if (Scoped(action->shortcutContext())) return;
    for (const QKeySequence& key : action->shortcuts())
      Add(key, QStringLiteral("action \"%1\" (%2)").arg(action->text(), where));
  }

  void AddMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
      AddAction(action, menu->title());
      if (action->menu() && action->menu() != menu) AddMenu(action->menu());
    }
  }

  void AddWidget(QWidget* widget) {
    if (!Shown(widget)) return;
    for (QAction* action : widget->actions()) AddAction(action, Named(widget));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      if (button->isEnabled())
        Add(button->shortcut(), QStringLiteral("button \"%1\"").arg(button->text()));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (label->buddy() != nullptr)
        Add(QKeySequence::mnemonic(label->text()),
            QStringLiteral("label \"%1\"").arg(label->text()));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      Add(QKeySequence::mnemonic(group->title()),
          QStringLiteral("group \"%1\"").arg(group->title()));
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
      for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i) && tabs->isTabEnabled(i))
          Add(QKeySequence::mnemonic(tabs->tabText(i)),
              QStringLiteral("tab \"%1\"").arg(tabs->tabText(i)));
    } else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
      for (QAction* action : bar->actions()) {
        if (!action->isVisible()) continue;
        Add(QKeySequence::mnemonic(action->text()),
            QStringLiteral("menu \"%1\"").arg(action->text()));
        if (action->menu()) AddMenu(action->menu());
      }
    }
  }

  QWidget* window_ = nullptr;
  std::map<QString, QStringList> claims_;
  std::set<const QAction*> seen_;
  QStringList pageClashes_;
};
