#pragma once
// For the tests of the editing screens: typing into a field list the way
// the user does.

#include <QCoreApplication>
#include <QLineEdit>
#include <QtTest>

#include "CharacterMapPopup.h"
#include "FieldListWidget.h"

// Types text into the value cell of the line of labelId (plus offset) the
// way the user does: the editor opens, the keys go in, Tab closes it.
inline void TypeInto(CFieldListWidget* list, int labelId, const char* text, int offset = 0) {
  const int line = list->List().FindRowIndexById(labelId) + offset;
  QVERIFY(line >= offset);
  QVERIFY(list->List().BeginEdit(1, line, true) == 1);
  CFieldCell* cell = list->List().GetCurrentCell();
  QWidget* editor = cell != nullptr ? dynamic_cast<QWidget*>(cell->GetEditor()) : nullptr;
  QVERIFY(editor != nullptr);
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->selectAll();
  QTest::keyClicks(editor, QString::fromLatin1(text));
  QTest::keyClick(editor, Qt::Key_Tab);
  QCoreApplication::processEvents();
}
