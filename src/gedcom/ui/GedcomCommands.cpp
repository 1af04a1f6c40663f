#include "GedcomCommands.h"

#include <QStorageInfo>
#include <memory>

#include "AppScreens.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "ExportChoices.h"
#include "FamilyDatabase.h"
#include "FileUtil.h"
#include "FilterSet.h"
#include "GedcomDialogs.h"
#include "GedcomOutput.h"
#include "GedcomProgressWindows.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "Ports.h"
#include "PreferencesPages.h"
#include "PreparerRecord.h"
#include "SaveDlg.h"
#include "SaveName.h"
#include "StringIds.h"
#include "StringTable.h"

namespace gedcomui {

namespace {

// Every live individual, for an export of All. A set of its own, so the
// document's filter set is never touched.
class AllIndividuals : public gedcom::ExportFilterSet {
 public:
  bool Contains(std::int32_t rin) const override {
    return DbGetRIN(rin, db::kQueryIndividuals, 'o') != 0;
  }
};

// The document's filter set as the export sees it: its result set.
class FilterSelection : public gedcom::ExportFilterSet {
 public:
  explicit FilterSelection(const CFilterSet* filter) : filter_(filter) {}
  bool Contains(std::int32_t rin) const override {
    return filter_ && filter_->IsInSet(CFilterSet::kCombinedSet, rin) == 1;
  }

 private:
  const CFilterSet* filter_;
};

bool ShowTextDialog(int templateId, QWidget* parent) {
  std::unique_ptr<CSubmissionTextDialog> dialog(MakeSubmissionTextDialog(templateId, parent));
  return dialog && dialog->exec() == QDialog::Accepted;
}

bool AskTempleOptions(gedcom::ExportOptions& options, QWidget* parent) {
  CTempleNamesOptionsDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  options.submitAllSelected = dialog.submitAllSelected == 1;
  options.submissionReport = dialog.submissionReport != 0;
  options.markSubmitted = dialog.markSubmitted != 0;
  return true;
}

// A submission starts on the first mounted removable medium.
std::string FirstRemovableFolder() {
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const std::string root = volume.rootPath().toStdString();
    if (volume.isReady() && GetPathDriveType(root) == kDriveRemovable) return root;
  }
  return {};
}

std::string AskExportPath(bool submission, QWidget* parent) {
  CSaveDlg dialog("ged", "*.ged", kOfnPathMustExist | kOfnHideReadOnly | kOfnShowHelp,
                  "GEDCOM Files (*.ged)|*.ged|All Files (*.*)|*.*||", parent);
  dialog.SetTitle("Export GEDCOM File As");
  dialog.SetOkButtonText("&Export");
  std::string folder = submission ? FirstRemovableFolder() : std::string();
  if (folder.empty()) folder = plat::Profile().GetPath("Folders", "Export", "");
  if (!folder.empty()) dialog.SetFolder(folder);
  return dialog.DoModal() == 1 ? dialog.GetPathName() : std::string();
}

// The export steps behind the Export button; false keeps the dialog open.
bool ExportSteps(CGedcomExportDialog& dialog, ExportHost& host, std::string& path) {
  gedcom::ExportOptions options = dialog.Options();
  if (options.submitter) {
    for (;;) {
      CPreparerRecord preparer;
      DbGetRecord(CPreparerRecord::kRecordNumber, db::kPreparer, &preparer);
      if (gedcom::PreparerCanSubmit(preparer)) break;
      if (plat::MessageBox(gedcom::kSubmitterQuestion, gedcom::kExportCaption,
                           plat::kMbOkCancel | plat::kMbIconExclamation) != plat::kIdOk)
        return true;  // the export ends; nothing is written
      if (!host.openPreparedBy || !host.openPreparedBy()) return true;
    }
  }
  const int type = dialog.Choices().Type();
  if (type == gedcom::kTypeLineroll) {
    if (!host.textDialog(439) || !host.textDialog(441)) return true;
    plat::MessageBox(res::LoadString(res::kIdsSubmissionNextWindow), gedcom::kExportCaption,
                     plat::kMbOk | plat::kMbIconInformation);
  } else if (type == gedcom::kTypeRosterly) {
    if (!host.textDialog(329) || !host.templeOptions(options)) return true;
  }
  const bool submission = type >= gedcom::kTypeStirpbank;
  const std::string chosen = host.askPath(submission);
  if (chosen.empty()) return true;
  if (gedcom::SameRemovableDevice(host.familyPath, chosen)) {
    plat::MessageBox(gedcom::kSameRemovableDevice, gedcom::kExportCaption,
                     plat::kMbOk | plat::kMbIconExclamation);
    return true;
  }
  dialog.SetOptions(options);
  path = chosen;
  return true;
}

}  // namespace

bool RunExportJob(const gedcom::ExportOptions& options, const std::string& path,
                  const std::string& familyPath, QWidget* parent,
                  const gedcom::ExportFilterSet* selection) {
  gedcom::SystemDrive drive;
  gedcom::CGedcomExporter exporter(drive);
  exporter.options = options;
  CGedcomExportProgress window(parent);
  window.setWindowModality(Qt::WindowModal);
  exporter.SetProgress(&window);
  exporter.SetFamilyPath(familyPath);
  if (!exporter.Open(path)) return false;
  const AllIndividuals all;
  exporter.Export(nullptr, selection ? selection : &all);
  exporter.Close();
  exporter.ShowSummary();
  const bool complete = exporter.Complete();
  // The instructions follow a whole submission only.
  if (complete && options.mode == gedcom::kExportLineroll) ShowTextDialog(440, parent);
  if (complete && options.mode == gedcom::kExportRosterly) ShowTextDialog(389, parent);
  return complete;
}

bool RunExport(ExportHost host) {
  QWidget* parent = host.parent;
  if (!host.textDialog) host.textDialog = [parent](int id) { return ShowTextDialog(id, parent); };
  if (!host.templeOptions)
    host.templeOptions = [parent](gedcom::ExportOptions& o) { return AskTempleOptions(o, parent); };
  if (!host.askPath) host.askPath = [parent](bool s) { return AskExportPath(s, parent); };
  const std::string familyPath = host.familyPath;
  // Partial exports the document's chosen individuals; All everyone.
  const gedcom::ExportFilterSet* chosen = nullptr;
  if (!host.runJob)
    host.runJob = [familyPath, parent, &chosen](const gedcom::ExportOptions& o,
                                                const std::string& p) {
      return RunExportJob(o, p, familyPath, parent, chosen);
    };

  CGedcomExportDialog dialog(host.zelShown, parent);
  dialog.SetSelection(host.selection != nullptr, host.selection ? host.selectionCount : 0,
                      host.selectionName);
  // Select replaces the document's filter set; the export then reads the new one.
  std::unique_ptr<FilterSelection> reselected;
  std::int32_t start = host.startRin;
  bool startChosen = false;
  if (host.select)
    dialog.onSelect = [&](CGedcomExportDialog& d) {
      const bool templeNames = d.Choices().Type() == gedcom::kTypeRosterly;
      const std::int32_t rin = host.select(start, templeNames);
      if (rin > 0) {
        start = rin;
        startChosen = true;
      }
      const CFilterSet* filter = host.documentFilter ? host.documentFilter() : nullptr;
      reselected = std::make_unique<FilterSelection>(filter);
      host.selection = reselected.get();
      host.selectionCount = filter ? filter->GetCount(CFilterSet::kCombinedSet) : 0;
      d.SelectionChosen(host.selectionCount, filter ? filter->name : std::string());
    };
  std::string path;
  dialog.onExport = [&](CGedcomExportDialog& d) {
    ExportSteps(d, host, path);
    return true;
  };
  if (host.driveDialog)
    host.driveDialog(dialog);
  else
    dialog.exec();
  if (startChosen && host.showStart) host.showStart(start);
  if (path.empty()) return false;
  if (dialog.Choices().Partial()) chosen = host.selection;
  return host.runJob(dialog.Options(), path);
}

int RunImport(const std::string& gedcomPath, ImportHost host) {
  // A folder, an empty file or a named pipe is refused before any question.
  if (const std::string refusal = gedcom::CGedcomImporter::RefusalOf(gedcomPath);
      !refusal.empty()) {
    plat::MessageBox(refusal, "GEDCOM Import", plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
  CGedcomImportDialog dialog(host.parent);
  dialog.sourcePath = gedcomPath;
  dialog.destination = host.familyPath;
  if (gedcom::SameRemovableDevice(host.familyPath, gedcomPath)) {
    plat::MessageBox(res::LoadString(res::kIdsRemovableDiskImport), "GEDCOM Import",
                     plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
  const bool ok = host.showDialog ? host.showDialog(dialog) : dialog.exec() == QDialog::Accepted;
  if (!ok) return 0;

  gedcom::ImportOptions options;
  options.reuseDeletedRecords = dialog.reuseDeletedRecords != 0;
  options.listingInNotes = dialog.listingInNotes != 0;
  options.importNotes = dialog.importNotes != 0;

  CGedcomImportProgress window(host.parent);
  // The main window takes no input while the import runs.
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  window.CenterWindow();

  DbBeginBatch();
  // An import would fill the change log with a line per record.
  const bool logging = CurrentDatabase && CurrentDatabase->host.logChanges;
  if (CurrentDatabase) CurrentDatabase->host.logChanges = false;
  gedcom::CGedcomImporter importer(gedcomPath,
                                   gedcom::CGedcomImporter::LogPathFor(host.familyPath, gedcomPath),
                                   options, &window);
  const int result = importer.Import();
  if (CurrentDatabase) CurrentDatabase->host.logChanges = logging;
  long defined[5];
  for (int k = 0; k < 5; ++k)
    defined[k] = importer.Defined(static_cast<gedcom::CGedcomImporter::Kind>(k));
  window.ShowFinal(defined);
  // The batch's end writes what the import held back; when it fails (told
  // by the engine) the import has not reached the file whole.
  const bool ended = DbEndBatch() == 1;
  DbFlush();
  window.hide();
  long made = 0;
  for (int k = 0; k < 5; ++k) made += importer.Made(static_cast<gedcom::CGedcomImporter::Kind>(k));
  return ended && (result == 1 || made > 0) ? 1 : 0;
}

void RegisterGedcomScreens() {
  AppScreens().exportGedcom = [](QWidget* parent) {
    CKorApp* app = CKorApp::Instance();
    ExportHost host;
    host.parent = parent;
    host.familyPath = app ? app->m_openFilePath : std::string();
    host.zelShown = app && app->m_options.showZel != 0;
    host.openPreparedBy = [app] { return app && app->ShowPreferences(shell::kPagePreparer); };
    const CKorDoc* document = app ? app->GetCurrentDocument() : nullptr;
    const CFilterSet* filter = document ? document->m_filterSet.get() : nullptr;
    const FilterSelection selection(filter);
    if (filter) {
      host.selection = &selection;
      host.selectionCount = filter->GetCount(CFilterSet::kCombinedSet);
      host.selectionName = filter->name;
    }
    if (app && AppScreens().selectIndividuals) {
      host.startRin = app->ActiveViewRin();
      host.select = [parent](std::int32_t startRin, bool templeNames) {
        return AppScreens().selectIndividuals(parent, startRin, templeNames);
      };
      host.documentFilter = [app]() -> const CFilterSet* {
        const CKorDoc* doc = app->GetCurrentDocument();
        return doc ? doc->m_filterSet.get() : nullptr;
      };
      host.showStart = [app](std::int32_t rin) { app->ShowInActiveView(rin); };
    }
    return RunExport(host);
  };
  AppScreens().importGedcom = [](QWidget* parent, const std::string& gedcomPath) {
    CKorApp* app = CKorApp::Instance();
    ImportHost host;
    host.parent = parent;
    host.familyPath = app ? app->m_openFilePath : std::string();
    return RunImport(gedcomPath, host) == 1;
  };
}

}  // namespace gedcomui
