#pragma once
// What the GEDCOM Export dialog decides, without its widgets: which include
// boxes each export type checks and enables, the selection count, the export
// options the job receives, and whether the "Prepared by" record can name a
// submitter. The import dialog's ending-RIN text is here too.

#include <cstdint>
#include <string>

#include "GedcomExporter.h"

class CPreparerRecord;

namespace gedcom {

// The export types in the order of the dialog's radio buttons.
enum ExportType : int {
  kTypeStandard55 = 0,
  kTypeGedcom40 = 1,
  kTypeStirpbank = 2,
  kTypeLineroll = 3,
  kTypeRosterly = 4,
};

// The include check boxes.
enum IncludeBox : int {
  kBoxNotes,
  kBoxSources,
  kBoxMultimedia,
  kBoxContact,
  kBoxConfidential,
  kBoxFullLiving,
  kBoxNamesOnLiving,
  kBoxSubmitter,
  kBoxZel,
  kBoxCount,
};

inline constexpr const char* kSubmitterQuestion =
    "To create a GEDCOM file, you must provide at least the following information:\n\n- Your "
    "name.\n- At least two lines of a complete postal address.\n\nPress OK to add this "
    "information now, or Cancel to quit.";
inline constexpr const char* kSameRemovableDevice =
    "Your file is currently stored on a removable disk.\n\nYou cannot export to another "
    "removable disk in the same drive. Please ensure that the disk containing your file is "
    "inserted, then export to your hard disk or to a different removable drive.";

class CExportChoices {
 public:
  // The dialog's opening state; zelShown is the program's option to show
  // ZEL data (off: the ZEL box is hidden and starts unchecked).
  explicit CExportChoices(bool zelShown);

  int Type() const { return type_; }
  // Sets the boxes and enabled states of a type; Rosterly also chooses
  // Partial with the given count.
  void SetType(int type, long partialCount = 0);
  // A box the user clicked; a disabled one does not change.
  void SetChecked(int box, bool on);
  bool Checked(int box) const { return checked_[box]; }
  bool Enabled(int box) const { return enabled_[box]; }
  bool ZelShown() const { return zelShown_; }
  bool CharsetEnabled() const { return charsetEnabled_; }
  bool Ansel() const { return ansel_; }
  void SetAnsel(bool ansel) { ansel_ = ansel; }

  // Selection: All, or Partial with the size of the filter set's result.
  bool Partial() const { return partial_; }
  void ChooseAll();
  void ChoosePartial(long count);
  // "All" or the count of a partial selection.
  std::string CountText() const;
  bool ExportEnabled() const { return !partial_ || count_ > 0; }
  bool SelectEnabled() const { return partial_; }

  // The job's options for the chosen type and boxes; the three Rosterly
  // answers come from the submission options dialog.
  ExportOptions Options(bool submitAllSelected = false, bool submissionReport = true,
                        bool markSubmitted = false) const;

 private:
  bool zelShown_;
  int type_ = kTypeStandard55;
  bool checked_[kBoxCount] = {};
  bool enabled_[kBoxCount] = {};
  bool charsetEnabled_ = true;
  bool ansel_ = true;
  bool partial_ = false;
  long count_ = 0;
};

// Whether the "Prepared by" record names a submitter: a name, a first
// address line, and a third line or a second one of more than two
// characters holding a blank or a comma.
bool PreparerCanSubmit(const CPreparerRecord& preparer);

// Whether both paths lie on one removable device (a file that does not exist
// yet counts by its folder): a transfer between them would need two disks in
// one drive.
bool SameRemovableDevice(const std::string& a, const std::string& b);

// The import dialog's "(Ending RIN#: n)", empty for a file without
// individuals.
std::string EndingRinText(std::int32_t highestRin);

}  // namespace gedcom
