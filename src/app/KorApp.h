#pragma once
// The application object: the program-wide state for the whole run (options,
// the open family file, the current document and view type, the edit
// password state, the window that gets the dialog accelerators) and the
// start-up and shut-down sequences. The roads that open, create, switch and
// close family files are decided by shell::FamilyFileRoads; this object
// gives them windows and dialogs and wires them to the File menu.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AppOptions.h"
#include "CommandRules.h"
#include "EditPasswordGate.h"
#include "FamilyFileRoads.h"
#include "FamilyViewModel.h"
#include "KorDoc.h"
#include "MaintenanceCommands.h"
#include "StartupLogic.h"

class CAppMaintenanceScreens;
class CIndividualNode;
class CKorView;
class CKorView2;
class CMainFrame;
class QAction;
class QLocalServer;
class QMdiSubWindow;

namespace fw {
struct CRuntimeClass;
}

class CKorApp : public QObject, private shell::DocumentWindows {
  Q_OBJECT

  // First, so that the open-file state exists before the members that
  // refer to it.
  class DialogsRelay;
  std::unique_ptr<shell::FileDialogs> ownDialogs_;
  std::unique_ptr<DialogsRelay> dialogs_;
  std::unique_ptr<shell::FamilyFileRoads> files_;

 public:
  // View types.
  static constexpr int kViewNone = 0;
  static constexpr int kViewPedigree = 1;
  static constexpr int kViewFamily = 3;
  // Start-up's default view type.
  static constexpr int kDefaultViewType = kViewFamily;
  // Name of the local socket through which a second start hands over its
  // command line; the main window's class name.
  static constexpr const char* kInstanceName = "OrvMainWndXQW";

  CKorApp();
  ~CKorApp() override;

  // The one application object of the run, or nullptr.
  static CKorApp* Instance();

  // ---- start-up and shut-down ----
  // The start-up sequence for the command-line text; false ends the program
  // at once with ExitCode().
  bool InitInstance(const std::string& commandLine);
  // Saves and frees what start-up loaded; the exit code.
  int ExitInstance();
  int ExitCode() const { return exitCode_; }
  // True when another instance runs: it got the command line and comes to
  // the front, and this one must end. Else this one listens for later starts.
  bool IsSingleInstance(const std::string& commandLine);
  // Loads the interface-language catalog of code beside the program ("" or
  // "EN": the built-in texts). False when the catalog could not be loaded.
  bool SetInterfaceLanguage(const std::string& code);
  // A new document window on the open family file; view type 0 takes the
  // current one, else "Start Up"/"ViewType".
  void CreateDocumentWindow(int viewType);
  // The clock test; false when the program must end (exit code -1).
  bool CheckSystemClock();

  // ---- the open family file (see shell::FamilyFileRoads) ----
  shell::FamilyFileRoads& Files() { return *files_; }
  int OpenFamilyFile(const std::string& path, int type) {
    return files_->OpenFamilyFile(path, type);
  }
  void CloseFamilyFile(int remind) { files_->CloseFamilyFile(remind); }
  // Closes the document windows of a family file that is no longer open.
  void CloseWindowsOf(const std::string& path) { DestroyWindows(path); }
  int CreateFamilyFile(const std::string& path, int type, int open);
  // A document window was activated: a document without a file adopts the
  // open one; one of another file switches the open file to it.
  void ActivateFamilyWindow(QMdiSubWindow* window);
  void ShowWelcome();
  std::string GetStartupFamilyFile();
  void AddRecentFile(const std::string& path);
  void RemoveRecentFile(const std::string& path);
  std::string GetRecentFile(int index);
  void OpenRecentFile(int index);
  // The File menu's recent-file items: "&n path" for each entry up to the
  // first empty one; without entries one disabled item.
  void OnUpdateRecentFileMenu();

  void OnFileNew();
  void OnFileOpen();
  void OnFileClose();
  void OnFileSaveAs();
  void OnAppAbout();
  // Tools > Preferences: the sheet on page (-1 the page last used); the
  // views show the new display options afterwards. False when no family file
  // is open and nothing was shown.
  bool ShowPreferences(int page);
  // The edit password gate: 1 editing allowed, 0 refused (after asking
  // while undecided).
  int CheckEditPassword();
  // The File menu's maintenance commands and Tools > Change Names (see
  // shell::MaintenanceCommands); Check/Repair runs on the open file.
  void BackupFamilyFile();
  void OnFileRestore();
  void OnFileDelete();
  void OnFileProperties();
  void OnFileCheckRepair();
  void OnChangeNamesToMixedCase();
  // File > Import and the GEDCOM road of File > Open: the GEDCOM import
  // into the open family file (one is made first when none is open).
  void OnFileImport();
  void ImportGedcomFile(const std::string& path);
  // File > Export: the Export dialog and the export it runs.
  void OnFileExport();
  // View > Pedigree View, View > Family View and Ctrl+S (the other view):
  // the active document window changes its view.
  void ShowPedigreeView();
  void ShowFamilyView();
  void OnSwitchView();

  // The options the editing screens read, copied from m_options (at start-up,
  // whenever Preferences closes, and around a temporary switch of them).
  void ApplyEditOptions();

  // ---- small services ----
  // The texts of View > Pedigree and View > Family for the current view type.
  void UpdateViewMenuTexts();
  void MarkCurrentView();
  // Removes the outside web-search items when the options do not allow them.
  void UpdateSearchMenu();
  // 1 when the Enter key moves to the next field in editing screens; asks
  // while undecided.
  int IsReturnAsTab();
  // Fills the status panes for the individual under the cursor (null: none):
  // the relationship text or the help prompt, the RIN and the active view's
  // current marriage. A relationship flag below 0 takes the open file's.
  void ShowIndividualInStatusBar(CIndividualNode* individual, int relationship);

  // ---- views ----
  // The pedigree view's current box becomes the primary individual.
  void OnMoveToPrimary();
  // Edit > Delete Individual: behind the gate, refused on a read-only file;
  // after the user's OK the individual, its links and the families left
  // empty go, and the view moves on.
  void OnDeleteIndividual();
  // The active document window's pedigree view, or null.
  CKorView* ActivePedigreeView() const;
  // The active document window's family view, or null.
  CKorView2* ActiveFamilyView() const;
  // Whom the active family view's commands act on; false (focus empty)
  // when the active view is not the family view.
  bool ActiveFamilyFocus(shell::famview::CommandFocus& focus) const;
  // Search > Find by RIN/MRIN: the Find dialog; the found individual (or,
  // in the family view, the found marriage) is shown.
  void OnFindRecord();
  // Search > Home Person: the file's home person, else the person last
  // shown, or the nearest live individual.
  void OnHomePerson();
  // The person current in the active pedigree or family view; 0 without an
  // active view.
  std::int32_t ActiveViewRin() const;
  // The current marriage of the active pedigree or family view; 0 without.
  std::int32_t ActiveViewMrin() const;
  // The active view moves to individual rin.
  void ShowInActiveView(std::int32_t rin);
  // A menu command that a screen library above the shell carries out;
  // enabled always, or (needsFile) while a family file is open.
  void SetToolCommand(unsigned id, std::function<void()> handler, bool needsFile);
  // What the command table's enabling rules look at, from the open file and
  // the active view.
  shell::CommandContext CommandStateContext() const;
  // Enables and disables the menu commands for the open file and the active
  // view (the menus run it as they open).
  void UpdateCommandStates();

  // The user's options for the whole run (defaults until Load).
  CAppOptions m_options;
  // Full path of the open family file ("" before the first open; kept after
  // a close until the next open).
  std::string& m_openFilePath;
  int m_currentViewType = kViewNone;
  // Set once the run's first document window was maximized.
  bool documentWindowMaximized_ = false;
  // The edit password gate.
  shell::EditPasswordGate m_editGate;
  // "-v": the extended chart types of the reports.
  bool m_extendedCharts = false;
  std::string m_helpFilePath;

  // The document of the active view (nullptr when none, or once it is gone).
  CKorDoc* GetCurrentDocument() const { return currentDocument_; }
  void SetCurrentDocument(CKorDoc* document) { currentDocument_ = document; }

  // The window to which the dialog accelerator table goes; nullptr for none.
  QWidget* GetAcceleratorWindow() const { return acceleratorWindow_; }
  void SetAcceleratorWindow(QWidget* window) { acceleratorWindow_ = window; }

  CMainFrame* GetMainFrame() const { return frame_.get(); }
  // Replaces the dialogs (tests); nullptr returns to the program's own.
  void SetDialogs(shell::FileDialogs* dialogs);
  // Replaces the maintenance commands' file dialogs (tests); nullptr returns
  // to the program's own.
  void SetMaintenanceScreens(shell::MaintenanceScreens* screens);

  // Called by every document as it is made and as it goes.
  void OnDocumentCreated(CKorDoc* document);
  void OnDocumentClosing(CKorDoc* document);

  // The view classes of the two document templates.
  static const fw::CRuntimeClass* ViewClassOf(int viewType);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // shell::DocumentWindows
  bool HasWindow(const std::string& path, bool ignoreCase) override;
  std::vector<std::string> WindowPaths() override;
  void CreateWindow() override { CreateDocumentWindow(kViewNone); }
  void ActivateWindow(const std::string& path) override;
  void DestroyActiveWindow() override;
  void DestroyWindows(const std::string& path) override;
  void RepaintCurrentView() override;
  std::int32_t CurrentViewRin() override { return 0; }

  void WireCommands();
  // After work that may have changed names or records: the family view looks
  // its family up again, the pedigree view shows its root (or the nearest
  // live individual) again.
  void RefreshAfterMaintenance();
  void SwitchActiveView(int viewType);
  // After each road: the menu items that depend on the open file.
  void AfterRoad();
  void OnHandOver(const std::string& commandLine);
  void PlaceMainFrame();
  void LoadSharedTables();
  // The editing screens' options, Enter-as-Tab and the four recent-entry lists.
  void LoadEditEnvironment();
  std::string InstanceSocketName() const;

  shell::ReturnAsTab returnAsTab_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<QLocalServer> server_;
  std::vector<CKorDoc*> documents_;
  std::vector<QAction*> recentActions_;
  struct ToolCommand {
    std::function<void()> handler;
    bool needsFile = true;
  };
  std::map<unsigned, ToolCommand> toolCommands_;
  void WireToolCommand(unsigned id);
  QPointer<CKorDoc> currentDocument_;
  QPointer<QWidget> acceleratorWindow_;
  int exitCode_ = 0;
  bool tablesLoaded_ = false;
  bool dittoListsLoaded_ = false;
  std::unique_ptr<CAppMaintenanceScreens> maintenanceScreens_;
  void RunGedcomImport(std::string path, bool fromMenu);
  std::unique_ptr<shell::MaintenanceCommands> maintenance_;
};

// Shows "Critical Error\n\n", the routine's name, ": " and text with the stop
// icon and ends the process with exit code -1.
[[noreturn]] void FatalError(const std::string& routine, const std::string& text);
