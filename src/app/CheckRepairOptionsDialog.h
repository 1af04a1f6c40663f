#pragma once
// The Check/Repair options: the file to check, check only or check with
// repair, and a Backup first.

#include <functional>
#include <string>

#include "DialogBase.h"

namespace shell {
class FileDialogs;
}

class CCheckRepairOptionsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 322;
  static constexpr int kIdcCheck = 1;
  static constexpr int kIdcCheckRepair = 1480;
  static constexpr int kIdcBackup = 1479;
  static constexpr int kIdcPath = 1019;
  static constexpr int kIdcBrowse = 1017;

  explicit CCheckRepairOptionsDialog(QWidget* parent = nullptr);

  // The file to check; set before the run, changed by Browse.
  std::string path;
  // Browse asks through these dialogs; null opens the Open Family File
  // dialog itself.
  shell::FileDialogs* files = nullptr;
  // Backup's action; null runs the application's backup of the open file.
  std::function<void()> backup;
  // Set once Backup has run.
  bool madeBackup = false;

  // Ends with kIdcCheckRepair.
  void CheckAndRepair() { done(kIdcCheckRepair); }
  void Backup();
  // Another family file to check, chosen in the Open Family File dialog.
  void Browse();

 protected:
  void OnInitDialog() override;
};
