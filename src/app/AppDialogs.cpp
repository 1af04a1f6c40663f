// Every call from the application object to the shared dialogs goes through
// this file.
#include "AppDialogs.h"

#include "AboutDialog.h"
#include "CheckRepairCommand.h"
#include "ConversionDialogs.h"
#include "KorApp.h"
#include "OpenFamilyFileDialog.h"
#include "PreferencesPages.h"
#include "SaveDlg.h"
#include "SaveName.h"
#include "SplashWnd.h"
#include "WelcomeDialog.h"

std::string CAppDialogs::AskOpenPath(const std::string& filter, const std::string& title,
                                     const std::string& folder) {
  COpenFamilyFileDialog dialog(filter, title, folder, parent_);
  return dialog.DoModal() == 1 ? dialog.GetPathName() : std::string();
}

std::string CAppDialogs::AskSavePath(const std::string& title, const std::string& filter,
                                     const std::string& defaultExt, const std::string& folder,
                                     const std::vector<std::string>& forbidden) {
  // The dialog itself refuses the files that are open and asks before
  // replacing one.
  CSaveDlg dialog(defaultExt, "", kOfnPathMustExist | kOfnHideReadOnly, filter, parent_);
  dialog.SetTitle(title);
  dialog.SetFolder(folder);
  dialog.SetForbiddenPaths(forbidden);
  return dialog.DoModal() == 1 ? dialog.GetPathName() : std::string();
}

int CAppDialogs::AskWelcome(std::string& path) {
  CWelcomeDialog dialog(options_, parent_);
  const int result = dialog.DoModal();
  path = dialog.GetChosenPath();
  return result;
}

void CAppDialogs::ShowSplash() { ShowSplashWindow(parent_); }

void CAppDialogs::ShowAbout() { CAboutDialog(parent_).DoModal(); }

void CAppDialogs::RunBackup() {
  if (CKorApp* app = CKorApp::Instance()) app->BackupFamilyFile();
}
void CAppDialogs::RunCheckRepair(const std::string& path) {
  RunCheckRepairCommand(path, parent_, this);
}

// A GEDCOM file picked in File > Open is imported into a family file.
void CAppDialogs::ImportGedcom(const std::string& path) {
  if (CKorApp* app = CKorApp::Instance()) app->ImportGedcomFile(path);
}

// A new family file: the user enters its preparer.
void CAppDialogs::ShowPreparerPreferences() {
  if (CKorApp* app = CKorApp::Instance()) app->ShowPreferences(shell::kPagePreparer);
}

bool CAppDialogs::AskConversionOptions(const std::string& location, const std::string& title,
                                       long individuals, orv2::ConversionOptions& options) {
  shell::ConversionIntro intro = shell::MakeConversionIntro(location, title, individuals);
  CConversionOptionsDialog dialog(intro, parent_);
  if (dialog.DoModal() != fw::kIdOk) return false;
  options = intro.options;
  return true;
}

int CAppDialogs::RunConverter(CFamilyDatabase& source, const orv2::ConversionOptions& options,
                              const std::string& destination) {
  CFileConverterDialog dialog(source, options, destination, parent_);
  return dialog.DoModal();
}
