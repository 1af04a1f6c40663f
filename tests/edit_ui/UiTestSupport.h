#pragma once
// For the dialog tests: a screenshot when KORVANE_SHOTS names a folder, and
// a new family file opened as the current database for one test.

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <string>

#include "FamilyDatabase.h"

inline void Shot(QWidget& w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  w.show();
  QCoreApplication::processEvents();
  w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') + QString::fromUtf8(name) +
                QStringLiteral(".png"));
  w.hide();
}

// Opened on construction, closed and removed with the object.
class TempFamily {
 public:
  TempFamily() {
    const std::string path = dir_.filePath(QStringLiteral("family.orv")).toStdString();
    opened_ = DbCreate(path, CFamilyDatabase::kCurrentFormat) == 1 &&
              DbOpen(path, CFamilyDatabase::kCurrentFormat) == 1;
  }
  ~TempFamily() { DbCloseCurrent(); }
  TempFamily(const TempFamily&) = delete;
  TempFamily& operator=(const TempFamily&) = delete;
  bool Opened() const { return opened_; }

 private:
  QTemporaryDir dir_;
  bool opened_ = false;
};
