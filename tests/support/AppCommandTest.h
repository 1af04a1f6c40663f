#pragma once
// For Qt tests of application commands: a command run that inspects the
// modal dialog it opens, and the application started on a family file of
// its own.

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "NoFileDialogs.h"
#include "RecordAccess.h"

// Runs check on the modal dialog the command opens, then closes it.
template <class Dialog>
bool TriggerAndInspect(QAction* action, const std::function<void(Dialog&)>& check) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = true;
    check(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  action->trigger();
  return seen;
}

// A new family file holding one man, born 4 March 1900, closed again.
inline bool MakeOneManFamily(const std::string& path, const char* given, const char* surname) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = 'M';
  person.birth.date.Set(1900, 3, 4);
  const bool added = family::Add(person, 0) > 0;
  DbCloseCurrent();
  return added;
}

// An individual of the surname Lind.
inline std::int32_t AddLind(const char* given, char sex) {
  CIndividualRecord person;
  person.surname = "Lind";
  person.givenNames[0] = given;
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

// Dag Lind (husband) married to Gun Lind; the marriage's number.
inline std::int32_t AddLindCouple(std::int32_t& husband) {
  husband = AddLind("Dag", 'M');
  return DbSetRelation(husband, AddLind("Gun", 'F'), db::kRelHusband, 0);
}

// The application on a new family file, with message boxes and profile
// faked.
class AppCommandHarness {
 public:
  // Creates the family file, lets build add records through the database
  // calls, and starts the application on it once registerCommands has
  // handed it the commands under test. False when start-up failed.
  bool Start(const std::function<void()>& build,
             const std::function<void(CKorApp&)>& registerCommands) {
    scopedBoxes = std::make_unique<plat::ScopedMessageBox>(&boxes);
    scopedProfile = std::make_unique<plat::ScopedProfile>(&profile);
    path = dir.filePath(QStringLiteral("family.orv")).toStdString();
    if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
    if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
    build();
    DbCloseCurrent();
    app = std::make_unique<CKorApp>();
    app->SetDialogs(&dialogs);
    registerCommands(*app);
    return app->InitInstance("-s " + path);
  }
  void Stop() {
    app.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    scopedProfile.reset();
    scopedBoxes.reset();
  }

  QTemporaryDir dir;
  std::string path;
  plat::FakeMessageBox boxes;
  plat::FakeProfile profile;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes;
  std::unique_ptr<plat::ScopedProfile> scopedProfile;
  NoDialogs dialogs;
  std::unique_ptr<CKorApp> app;
};
