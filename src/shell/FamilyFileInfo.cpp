#include "FamilyFileInfo.h"

#include "AppOptions.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "PreparerRecord.h"

void CFamilyFileInfo::Clear() { *this = CFamilyFileInfo(); }

int CFamilyFileInfo::ReadFileOptions(int opened) {
  if (!opened) return 0;
  FileOptions stored;
  if (!CurrentDatabase->GetFileSettings(stored)) return 0;
  settings.logChanges = stored.logChanges ? 1 : 0;
  settings.homeRin = stored.optionA;
  settings.lastRin = stored.optionB;
  settings.closeCount = stored.optionC;
  settings.backupInterval = stored.optionD;
  settings.reserved = stored.optionE;
  return 1;
}

int CFamilyFileInfo::WriteFileOptions(const CAppOptions& options) {
  FileOptions stored;
  stored.logChanges = settings.logChanges != 0;
  stored.optionA = settings.homeRin;
  stored.optionB = settings.lastRin;
  stored.optionC = settings.closeCount;
  stored.optionD = settings.backupInterval;
  stored.optionE = settings.reserved;
  AppFileOptions mirrored;
  mirrored.showZel = options.showZel != 0;
  mirrored.appendValue = options.appendVal;
  mirrored.capSurname = options.capSurname != 0;
  return CurrentDatabase->SetFileSettings(stored, mirrored);
}

int CFamilyFileInfo::ReadPreparer() {
  CPreparerRecord rec;
  int result = DbGetRecord(CPreparerRecord::kRecordNumber, CPreparerRecord::kRecordType, &rec);
  givenName = rec.givenNames;
  surname = rec.surname;
  address1 = rec.address1;
  address2 = rec.address2;
  address3 = rec.address3;
  country = rec.country;
  phone = rec.phone;
  sbn = rec.sbn;
  email = rec.email;
  return result;
}

int CFamilyFileInfo::WritePreparer() {
  CPreparerRecord rec;
  rec.givenNames = givenName;
  rec.surname = surname;
  rec.address1 = address1;
  rec.address2 = address2;
  rec.address3 = address3;
  rec.country = country;
  rec.phone = phone;
  rec.sbn = sbn;
  rec.email = email;
  return DbUpdateRecord(CPreparerRecord::kRecordNumber, CPreparerRecord::kRecordType, &rec);
}

std::string CFamilyFileInfo::GetPreparerName() const {
  if (givenName.empty() || surname.empty()) return givenName + surname;
  return givenName + ' ' + surname;
}
