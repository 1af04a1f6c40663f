// Every call from the application object to the shared dialogs goes through
// this file.
#include "AppDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ProgramVersion.h"
#include "QtPorts.h"
#include "RecentFileList.h"
#include "StringTable.h"

namespace {

QString PathToQ(const std::string& path) { return QFile::decodeName(path.c_str()); }
std::string PathFromQ(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

QStringList CAppDialogs::NameFilters(const std::string& filter) {
  QStringList parts = fw::ToQString(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QString label = parts[i];
    // The label carries its patterns already; Qt reads them from it.
    qsizetype open = label.indexOf(QLatin1Char('('));
    if (open >= 0) label = label.left(open).trimmed();
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    out << QStringLiteral("%1 (%2)").arg(label, patterns);
  }
  return out;
}

std::string CAppDialogs::AskOpenPath(const std::string& filter, const std::string& title,
                                     const std::string& folder) {
  QFileDialog dialog(parent_, fw::ToQString(title), PathToQ(folder));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters(NameFilters(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return PathFromQ(dialog.selectedFiles().front());
}

std::string CAppDialogs::AskSavePath(const std::string& title, const std::string& filter,
                                     const std::string& defaultExt, const std::string& folder,
                                     const std::vector<std::string>& forbidden) {
  for (;;) {
    QFileDialog dialog(parent_, fw::ToQString(title), PathToQ(folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(NameFilters(filter));
    dialog.setDefaultSuffix(QString::fromStdString(defaultExt).remove(0, 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    std::string path = PathFromQ(dialog.selectedFiles().front());
    bool refused = false;
    for (const std::string& open : forbidden)
      if (shell::RecentFileList::SamePath(open, path)) refused = true;
    if (!refused) return path;
    // A file that is open in a window cannot be the target.
    QMessageBox::information(&dialog, fw::ToQString(res::LoadString(101)),
                             PathToQ(path) + QStringLiteral("\n\n") +
                                 QStringLiteral("This file is open. Choose another name."));
  }
}

int CAppDialogs::AskWelcome(std::string&) {
  QMessageBox box(parent_);
  box.setWindowTitle(fw::ToQString(res::LoadString(101)));
  box.setText(QStringLiteral("No family file is open."));
  QPushButton* open =
      box.addButton(QStringLiteral("&Open Family File..."), QMessageBox::AcceptRole);
  QPushButton* create =
      box.addButton(QStringLiteral("&New Family File..."), QMessageBox::AcceptRole);
  box.addButton(QMessageBox::Cancel);
  box.exec();
  if (box.clickedButton() == open) return shell::kWelcomeOpen;
  if (box.clickedButton() == create) return shell::kWelcomeNew;
  return shell::kWelcomeCancel;
}

void CAppDialogs::ShowSplash() {}

void CAppDialogs::ShowAbout() {
  char version[32] = {};
  plat::GetProgramVersion(version, sizeof version);
  QMessageBox::about(parent_, fw::ToQString(res::LoadString(101)),
                     QStringLiteral("Korvane\nVersion %1").arg(QString::fromLatin1(version)));
}

// Backup, Check/Repair, the Preferences sheet and GEDCOM import are screens
// of their own commands; until they exist these roads end here.
void CAppDialogs::RunBackup() {}
void CAppDialogs::RunCheckRepair(const std::string&) {}
void CAppDialogs::ShowPreparerPreferences() {}
void CAppDialogs::ImportGedcom(const std::string&) {}
