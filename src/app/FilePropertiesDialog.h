#pragma once
// File > Properties: where the open family file is, its size and time, the
// free space of the data folder and the record counts, with the deleted
// individuals and marriages in a column of their own. Read-only, OK only.

#include <string>

#include "DialogBase.h"
#include "FileProperties.h"

class CFilePropertiesDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 424;
  static constexpr int kIdcLocation = 1107;
  static constexpr int kIdcSize = 1109;
  static constexpr int kIdcModified = 1112;
  static constexpr int kIdcFreeSpace = 1142;
  static constexpr int kIdcIndividuals = 1123;
  static constexpr int kIdcMarriages = 1130;
  static constexpr int kIdcSources = 1135;
  static constexpr int kIdcCitations = 1138;
  static constexpr int kIdcRepositories = 1147;
  static constexpr int kIdcNotes = 1148;
  static constexpr int kIdcEvents = 1149;
  static constexpr int kIdcMultimedia = 1150;
  static constexpr int kIdcDeletedIndividuals = 1160;
  static constexpr int kIdcDeletedMarriages = 1161;

  CFilePropertiesDialog(const shell::FileProperties& properties, QWidget* parent);

  int DoModal() { return exec(); }

 protected:
  void OnInitDialog() override;

 private:
  shell::FileProperties properties_;
};

// Shows the dialog for path (the open family file), with the free space of
// the data folder ("Folders"/"Data", else the file's own folder).
void ShowFileProperties(const std::string& path, QWidget* parent);
