#pragma once
// The search of the computer for family files: a progress dialog that walks
// the mounted file systems the user can read, showing the folder being
// scanned and the numbers of files checked and found, with Cancel; and
// SearchForFamilyFile, which runs it and then lets the user choose one of the
// files found, for opening, backup, restore or delete.

#include <string>
#include <vector>

#include "DialogBase.h"
#include "FamilyFileSearch.h"

// What the chosen file is for: it sets the list's caption, label and OK text.
enum FamilyFileSearchPurpose : int {
  kSearchToOpen = 0,
  kSearchToBackup = 1,
  kSearchToRestore = 2,
  kSearchToDelete = 3,
};

class CFileSearchDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 327;  // the dialog's template number
  static constexpr int kIdcFolder = 1369;
  static constexpr int kIdcChecked = 1371;
  static constexpr int kIdcFound = 1373;
  // The message the dialog posts itself to start the search once it shows
  // (WM_USER+502).
  static constexpr int kWmStartSearch = 0x0400 + 502;

  explicit CFileSearchDialog(QWidget* parent);

  // The roots to walk; by default the mounted file systems of fixed media.
  void SetRoots(std::vector<std::string> roots) { roots_ = std::move(roots); }
  // fw::kIdOk when the walk ended, fw::kIdCancel when the user cancelled.
  int DoModal() { return exec(); }
  const std::vector<FoundFamilyFile>& Found() const { return search_.Found(); }

 protected:
  void OnInitDialog() override;
  // Cancel and Escape stop the walk at its next entry; the walk then ends
  // the dialog.
  void OnCancel() override;
  void OnOK() override {}

 private:
  void RunSearch();
  void ShowFolder(const std::string& folder);
  void ShowCounts();

  CFamilyFileSearch search_;
  std::vector<std::string> roots_;
  bool running_ = false;
  bool started_ = false;
};

// The roots every later search walks instead of the mounted file systems
// (tests; nullptr returns to the default).
void SetFamilyFileSearchRoots(const std::vector<std::string>* roots);

// Empties path, runs the search and, when it found files, the list of them
// with the purpose's texts. 1 with the chosen file's path when the user chose
// one, else 0. A search that finds nothing says so; a cancelled one says
// nothing.
int SearchForFamilyFile(std::string& path, QWidget* parent, int purpose);
