#pragma once
// Texts from the family file (names, places, notes, paths) are never
// markup: a name typed as Anna <b>"Nan"</b> or <Jones> is shown as typed.
// Qt labels, message boxes and tooltips guess rich text from a text's
// first tag; these helpers stop the guess.

#include <QString>

class QApplication;

namespace fw {

// From now on every label of the program that does not ask for a format of
// its own shows its text as plain text (tooltips excepted, which
// PlainToolTip serves).
void ShowLabelsAsPlainText(QApplication& app);

// A tooltip that shows text as it is.
QString PlainToolTip(const QString& text);

}  // namespace fw
