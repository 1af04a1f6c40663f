#pragma once
// The roads that open, create, switch and close the one open family file:
// the open core, File New, Open, Close and Save As, the recent files, the
// welcome choice, the switch when a window of another file is activated, and
// the start-up file. What needs windows goes through two small interfaces
// that the application implements with Qt and tests with fakes; messages go
// through the message-box port.

#include <cstdint>
#include <string>
#include <vector>

#include "AppOptions.h"
#include "FamilyFileInfo.h"
#include "Orv2Converter.h"
#include "Ports.h"
#include "RecentFileList.h"

namespace shell {

// Answers of the welcome dialog.
inline constexpr int kWelcomeSearched = 1;  // a file was found by the search
inline constexpr int kWelcomeOpen = 1475;
inline constexpr int kWelcomeNew = 1476;
inline constexpr int kWelcomeCancel = 2;

// The dialogs and screens the roads and start-up open.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The Open Family File dialog; "" on Cancel.
  virtual std::string AskOpenPath(const std::string& filter, const std::string& title,
                                  const std::string& folder) = 0;
  // The save-file dialog, which refuses the forbidden paths; "" on Cancel.
  virtual std::string AskSavePath(const std::string& title, const std::string& filter,
                                  const std::string& defaultExt, const std::string& folder,
                                  const std::vector<std::string>& forbidden) = 0;
  // The welcome dialog: one of the kWelcome answers; the searched path in path.
  virtual int AskWelcome(std::string& path) = 0;
  // The splash window of start-up, which closes itself.
  virtual void ShowSplash() = 0;
  virtual void ShowAbout() = 0;
  // Screens of other commands the roads lead to.
  virtual void RunBackup() = 0;
  virtual void RunCheckRepair(const std::string& path) = 0;
  virtual void ShowPreparerPreferences() = 0;
  virtual void ImportGedcom(const std::string& path) = 0;
  // The conversion of an old family: its introduction with the options
  // (location, title and live individuals of the old family); false on
  // Cancel. Then the File Converter from source into destination: 1 when
  // the new file was made.
  virtual bool AskConversionOptions(const std::string& location, const std::string& title,
                                    long individuals, orv2::ConversionOptions& options) = 0;
  virtual int RunConverter(CFamilyDatabase& source, const orv2::ConversionOptions& options,
                           const std::string& destination) = 0;
};

// The document windows, each bound to the path of a family file.
class DocumentWindows {
 public:
  virtual ~DocumentWindows() = default;
  // Whether a window shows path (exact or case-insensitive comparison).
  virtual bool HasWindow(const std::string& path, bool ignoreCase) = 0;
  // The paths of all document windows.
  virtual std::vector<std::string> WindowPaths() = 0;
  // A new window on the open file.
  virtual void CreateWindow() = 0;
  // Brings the window showing path (case ignored) to the top.
  virtual void ActivateWindow(const std::string& path) = 0;
  virtual void DestroyActiveWindow() = 0;
  // Destroys the windows showing path (case ignored).
  virtual void DestroyWindows(const std::string& path) = 0;
  virtual void RepaintCurrentView() = 0;
  // The individual the current view shows; 0 for none.
  virtual std::int32_t CurrentViewRin() = 0;
};

class FamilyFileRoads {
 public:
  // Settings go to the installed profile port.
  FamilyFileRoads(const CAppOptions& options, FileDialogs& dialogs, DocumentWindows& windows);

  // ---- the open-file state ----
  int fileOpen = 0;
  std::string openPath;    // kept after a close until the next open
  std::string openFolder;  // with the trailing separator
  int openType = 0;
  int guard = 1;  // 0 while a road is under way: activations do not switch
  std::int32_t startPersonOverride = 0;
  // The settings block of the open file's document; may be null.
  CFamilyFileInfo* fileInfo = nullptr;

  RecentFileList& Recent() { return recent_; }

  // The open core: 1 when the open was tried (fileOpen tells the outcome),
  // 0 when it was refused before the open file was closed.
  int OpenFamilyFile(const std::string& path, int type);
  // Closes the open file; with remind, the backup reminder may ask.
  void CloseFamilyFile(int remind);
  // 0 when the file could not be created, else 1; with open, it is opened
  // in a new window and made the newest recent file.
  int CreateFamilyFile(const std::string& path, int type, int open);
  // The conversion of an old-format family at path (its folder or its
  // indiv2.dat): the old family is opened on its own, the options and the
  // new file's name are asked, the converter runs and the new file is opened
  // (in a window with openWindow). 1 when the converter ran, else 0.
  int OpenOldFamily(const std::string& path, int openWindow);
  // A window of another file was activated: opens that file (reopening the
  // previous one when that fails). True when it is now the open file.
  bool SwitchToFile(const std::string& path, int type);

  void OnFileNew();
  void OnFileOpen();
  void OnFileClose();
  void OnFileSaveAs();
  void OpenRecentFile(int index);
  void ShowWelcome();
  // Opens a path as File > Open does once the dialog has chosen it (a path
  // already shown only activates its window).
  void OpenPath(const std::string& path);

  // Start-up: what became of the start-up file; named when the command line
  // gave it (a remembered file that is gone is forgotten without a word).
  enum class StartupResult { kNone, kOpened, kNotOpened, kForgotten, kGedcom, kOldFormat };
  StartupResult OpenStartupFile(const std::string& path, bool named = false);

 private:
  // Opens a path chosen in Open or found by the welcome search, by its type.
  void OpenChosenFile(const std::string& path, bool reopenPrevious);
  std::string DataFolder() const;

  const CAppOptions& options_;
  FileDialogs& dialogs_;
  DocumentWindows& windows_;
  RecentFileList recent_;
};

}  // namespace shell
