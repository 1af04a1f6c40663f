#pragma once
// What the open document knows of its family file besides the records: the
// preparer's address (the "Prepared by" record) and the per-file settings
// block kept in the file's header.

#include <array>
#include <cstdint>
#include <string>

class CAppOptions;

class CFamilyFileInfo {
 public:
  // The per-file settings block, 20 bytes in the file's header.
  struct SettingsBlock {
    std::int32_t logChanges = 0;       // 1 = write this file's change log
    std::int32_t homeRin = 0;          // RIN shown when the file opens; 0 = last shown
    std::int32_t lastRin = 0;          // the person last shown
    std::int16_t closeCount = 0;       // closes since the last backup
    std::int16_t backupInterval = 10;  // closes between backup reminders; 0 = never
    std::int32_t reserved = 0;         // kept and written back unchanged
  };

  CFamilyFileInfo() = default;

  // Empties the strings and resets the settings block.
  void Clear();
  // When opened is nonzero, reads the settings block from the open family
  // file. 1 read; 0 not opened or the database refused (block unchanged).
  int ReadFileOptions(int opened);
  // Writes the settings block to the open family file; the options the
  // header mirrors (ZEL data, what follows names, capitalised surnames) are
  // refreshed from options. 1, or 0 when the database refused.
  int WriteFileOptions(const CAppOptions& options);
  // Reads the "Prepared by" record into the nine preparer strings; the
  // call's result (1 read).
  int ReadPreparer();
  // Stores the nine preparer strings as the "Prepared by" record; the call's
  // result (1 written).
  int WritePreparer();
  // Given name, a blank when both are present, surname.
  std::string GetPreparerName() const;

  // The preparer.
  std::string givenName;
  std::string surname;
  std::string address1;
  std::string address2;
  std::string address3;
  std::string country;
  std::string phone;
  std::string sbn;  // the preparer's Stirpbank number
  std::string email;
  std::array<std::string, 3> spare;  // carried, not used

  SettingsBlock settings;
};
