#pragma once
// The GEDCOM transfer commands as the user meets them: File > Export (the
// Export dialog, the preparer check, the submission dialogs, the file name,
// the job with its progress window and the instructions afterwards) and the
// import of a chosen GEDCOM file (the Import dialog, the job with its
// progress window, the main window disabled meanwhile).

#include <cstdint>
#include <functional>
#include <string>

#include "GedcomExporter.h"
#include "GedcomImporter.h"

class QWidget;
class CFilterSet;
class CGedcomExportDialog;
class CGedcomImportDialog;

namespace gedcomui {

// What a command needs of the program, with the real screens by default;
// tests replace them.
struct ExportHost {
  QWidget* parent = nullptr;
  std::string familyPath;
  bool zelShown = false;
  // Opens Preferences on "Prepared by"; false when it cannot be shown.
  std::function<bool()> openPreparedBy;
  // Shows a text dialog or the temple names options; true for its OK.
  std::function<bool(int templateId)> textDialog;
  std::function<bool(gedcom::ExportOptions& options)> templeOptions;
  // The output file (empty: cancelled); submission says which folder starts.
  std::function<std::string(bool submission)> askPath;
  // Runs the job; true when the file was written whole.
  std::function<bool(const gedcom::ExportOptions& options, const std::string& path)> runJob;
  // Called with the Export dialog before it runs, so tests can drive it.
  std::function<void(CGedcomExportDialog&)> driveDialog;
  // The document's chosen individuals for Partial (null: none chosen) and
  // how many they are.
  const gedcom::ExportFilterSet* selection = nullptr;
  long selectionCount = 0;
  std::string selectionName;
  // Select: opens the selection of individuals on startRin (templeNames for
  // a Rosterly submission) and answers the person it closed on (0: none).
  // Unset, Select is not offered.
  std::function<std::int32_t(std::int32_t startRin, bool templeNames)> select;
  // The document's filter set after Select changed it.
  std::function<const CFilterSet*()> documentFilter;
  // The person the view shows; Select starts there until one is chosen.
  std::int32_t startRin = 0;
  // Told the starting person chosen in Select, after the Export dialog closed.
  std::function<void(std::int32_t rin)> showStart;
};

// The Export command; true when a file was written whole.
bool RunExport(ExportHost host);
// The real export job: exporter, progress window, summary.
// selection: the individuals of a Partial export; null exports everyone.
bool RunExportJob(const gedcom::ExportOptions& options, const std::string& path,
                  const std::string& familyPath, QWidget* parent,
                  const gedcom::ExportFilterSet* selection = nullptr);

struct ImportHost {
  QWidget* parent = nullptr;
  std::string familyPath;
  // Shows the Import dialog; false for Cancel. The default is the real one.
  std::function<bool(CGedcomImportDialog&)> showDialog;
};

// The import of gedcomPath into the open family file, from the Import
// dialog on: 1 when records were imported, 0 when cancelled or refused.
int RunImport(const std::string& gedcomPath, ImportHost host);

// Sets the application's hooks to these commands.
void RegisterGedcomScreens();

}  // namespace gedcomui
