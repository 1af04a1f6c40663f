// The database object's per-file settings and display name.
#include "FamilyDatabase.h"
#include "StringIds.h"

namespace {

// The engine of db when it holds an open current-format file; otherwise the
// unknown-type box with the call number (unless quiet) and null.
ORV3* EngineOf(CFamilyDatabase& db, long call, bool quietForOldFormat = false) {
  if (db.type == CFamilyDatabase::kCurrentFormat) return db.engine.get();
  if (!(quietForOldFormat && db.type == CFamilyDatabase::kOldFormat))
    ShowUnknownFileType(res::kIdsUnknownFileType, call);
  return nullptr;
}

}  // namespace

int CFamilyDatabase::GetFileSettings(FileOptions& settings) {
  ORV3* e = EngineOf(*this, 46, true);
  if (!e) return 0;
  settings = e->Settings().GetFileOptions();
  host.logChanges = settings.logChanges;
  return 1;
}

int CFamilyDatabase::SetFileSettings(const FileOptions& settings, const AppFileOptions& app) {
  ORV3* e = EngineOf(*this, 47);
  if (!e) return 0;
  host.logChanges = settings.logChanges;
  return e->Settings().SetFileOptions(settings, app) == 1 ? 1 : 0;
}

int CFamilyDatabase::GetFileOption(int option) {
  ORV3* e = EngineOf(*this, 48);
  return e ? e->Settings().GetFileOption(option) : 0;
}

int CFamilyDatabase::SetFileOption(int option, int value) {
  ORV3* e = EngineOf(*this, 49);
  return e ? e->Settings().SetFileOption(option, value) : 0;
}

std::string CFamilyDatabase::GetFamilyName() {
  if (type != kCurrentFormat) {
    ShowUnknownFileType(res::kIdsUnknownFileType, 55);
    return {};
  }
  displayName = path;
  return displayName;
}
