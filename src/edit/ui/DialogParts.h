#pragma once
// Small pieces the record dialogs share: a button that is not a default
// button, the OK / Cancel / Help column, and a list line whose tabs show as
// column gaps.

#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <string>

#include "DialogBase.h"
#include "QtPorts.h"

namespace editui {

inline QPushButton* PlainButton(const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text));
  b->setAutoDefault(false);
  return b;
}

// OK (the default, with okText), Cancel and a disabled Help in a column;
// OK and Cancel end the dialog through accept and reject.
inline QVBoxLayout* OkCancelHelpColumn(fw::CDialogBase& dialog, const char* okText) {
  auto* ok = dialog.AddControl(fw::kIdOk, PlainButton(okText));
  ok->setDefault(true);
  auto* cancel = dialog.AddControl(fw::kIdCancel, PlainButton("Cancel"));
  auto* help = dialog.AddControl(fw::kIdHelp, PlainButton("&Help"));
  help->setEnabled(false);
  auto* column = new QVBoxLayout;
  for (QPushButton* b : {ok, cancel, help}) column->addWidget(b);
  column->addStretch();
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return column;
}

inline QString ListLineText(const std::string& line) {
  QString text = fw::ToQString(line);
  text.replace(QLatin1Char('\t'), QStringLiteral("    "));
  return text;
}

}  // namespace editui
