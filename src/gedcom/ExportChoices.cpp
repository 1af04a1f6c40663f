#include "ExportChoices.h"

#include <sys/stat.h>

#include <filesystem>

#include "FileUtil.h"
#include "PreparerRecord.h"

namespace gedcom {

namespace {

// One row of the type table: which boxes the type checks (1), unchecks (0)
// or leaves (-1), and which it enables.
struct TypeRow {
  signed char check[kBoxCount];
  bool enable[kBoxCount];
  bool charset;
};

//                 notes src mm contact conf full names subm zel
constexpr TypeRow kRows[] = {
    // Standard GEDCOM 5.5
    {{1, 1, 1, 1, 1, 1, -1, -1, 1}, {true, true, true, true, true, true, true, true, true}, true},
    // GEDCOM 4.0
    {{1, 1, 0, 1, 1, 1, -1, -1, 1}, {true, true, false, true, true, true, true, true, true}, false},
    // Stirpbank
    {{1, 1, 0, 1, 1, 0, -1, 1, 1},
     {true, true, false, true, true, true, true, false, false},
     false},
    // Lineroll
    {{1, 1, 0, 1, 1, 0, -1, 1, 1},
     {true, true, false, true, true, true, true, false, false},
     false},
    // Rosterly
    {{0, 0, 0, 0, 0, 1, -1, -1, 1},
     {true, true, false, true, true, true, true, true, false},
     false},
};

}  // namespace

CExportChoices::CExportChoices(bool zelShown) : zelShown_(zelShown) {
  for (bool& on : checked_) on = true;
  if (!zelShown_) checked_[kBoxZel] = false;
  SetType(kTypeStandard55);
}

void CExportChoices::SetType(int type, long partialCount) {
  if (type < kTypeStandard55 || type > kTypeRosterly) return;
  type_ = type;
  const TypeRow& row = kRows[type];
  const bool general = type == kTypeStandard55 || type == kTypeGedcom40;
  for (int box = 0; box < kBoxCount; ++box) {
    if (row.check[box] >= 0) checked_[box] = row.check[box] == 1;
    enabled_[box] = row.enable[box];
  }
  // Hidden ZEL data stays off for the general types; a submission still
  // carries it.
  if (!zelShown_ && general) {
    checked_[kBoxZel] = false;
    enabled_[kBoxZel] = false;
  }
  charsetEnabled_ = row.charset;
  SetChecked(kBoxFullLiving, checked_[kBoxFullLiving]);
  if (type == kTypeRosterly) ChoosePartial(partialCount);
}

void CExportChoices::SetChecked(int box, bool on) {
  if (box < 0 || box >= kBoxCount) return;
  checked_[box] = on;
  // Full information on the living includes their names.
  if (box == kBoxFullLiving) {
    if (on) checked_[kBoxNamesOnLiving] = true;
    enabled_[kBoxNamesOnLiving] = !on;
  }
}

void CExportChoices::ChooseAll() {
  partial_ = false;
  count_ = 0;
}

void CExportChoices::ChoosePartial(long count) {
  partial_ = true;
  count_ = count < 0 ? 0 : count;
}

std::string CExportChoices::CountText() const {
  return partial_ ? std::to_string(count_) : std::string("All");
}

ExportOptions CExportChoices::Options(bool submitAllSelected, bool submissionReport,
                                      bool markSubmitted) const {
  static constexpr int kModes[] = {kExportStandard, kExportGedcom40, kExportStirpbank,
                                   kExportLineroll, kExportRosterly};
  ExportOptions o;
  o.mode = kModes[type_];
  o.form55 = type_ != kTypeGedcom40;
  // Only standard 5.5 lets the user choose; every other type writes ANSEL.
  o.ansel = type_ == kTypeStandard55 ? ansel_ : true;
  if (type_ == kTypeRosterly) {
    o.submitAllSelected = submitAllSelected;
    o.submissionReport = submissionReport;
    o.markSubmitted = markSubmitted;
  }
  o.zel = checked_[kBoxZel];
  o.fullLiving = checked_[kBoxFullLiving];
  o.namesOnLiving = checked_[kBoxNamesOnLiving];
  o.notesAndSources = (checked_[kBoxNotes] ? 1 : 0) | (checked_[kBoxSources] ? 2 : 0);
  o.confidential = checked_[kBoxConfidential];
  o.contact = checked_[kBoxContact];
  o.multimedia = checked_[kBoxMultimedia];
  o.submitter = checked_[kBoxSubmitter];
  return o;
}

bool PreparerCanSubmit(const CPreparerRecord& p) {
  if (p.givenNames.empty() && p.surname.empty()) return false;
  if (p.address1.empty()) return false;
  if (!p.address3.empty()) return true;
  return p.address2.size() > 2 && p.address2.find_first_of(" ,") != std::string::npos;
}

namespace {

// The device of the path, or of its folder when it does not exist yet.
bool DeviceOf(const std::string& path, dev_t& device) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    device = st.st_dev;
    return true;
  }
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty() || ::stat(folder.c_str(), &st) != 0) return false;
  device = st.st_dev;
  return true;
}

}  // namespace

bool SameRemovableDevice(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  dev_t da{}, db{};
  if (!DeviceOf(a, da) || !DeviceOf(b, db) || da != db) return false;
  return GetPathDriveType(a) == kDriveRemovable;
}

std::string EndingRinText(std::int32_t highestRin) {
  if (highestRin <= 0) return {};
  return "(Ending RIN#: " + std::to_string(highestRin) + ")";
}

}  // namespace gedcom
