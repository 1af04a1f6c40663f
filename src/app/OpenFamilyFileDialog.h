#pragma once
// The Open Family File dialog: a file dialog with a "File Information" panel
// that shows the selected family file's name and its numbers of individuals
// and marriages, says when the selection is no readable family file or is
// already open, and offers a search of the computer for family files.

#include <string>

#include "TemplateFileDialog.h"

class QLabel;

class COpenFamilyFileDialog : public CTemplateFileDialog {
  Q_OBJECT

 public:
  static constexpr int kPanelTemplate = 386;
  // Panel control ids.
  static constexpr int kIdcNameLabel = 1369;
  static constexpr int kIdcName = 1371;
  static constexpr int kIdcIndividualsLabel = 1373;
  static constexpr int kIdcIndividuals = 1374;
  static constexpr int kIdcMarriagesLabel = 1376;
  static constexpr int kIdcMarriages = 1377;
  static constexpr int kIdcUnavailable = 1382;
  static constexpr int kIdcAlreadyOpen = 1384;
  static constexpr int kIdcSearch = 1318;

  // The file must exist; title and starting folder (empty: the dialog's
  // own) as given.
  COpenFamilyFileDialog(const std::string& filter, const std::string& title,
                        const std::string& folder, QWidget* parent);

  // fw::kIdOk when the dialog ended with OK or a file was chosen through
  // Search, else fw::kIdCancel.
  int DoModal();
  // The file chosen through Search when there is one, else the dialog's.
  std::string GetPathName() const;

  // The panel's texts as shown.
  std::string PanelText(int id) const;

 protected:
  int DescribeFile(const std::string& path) override;
  void ShowPanelState(int state) override;

 private:
  void OnSearch();
  QLabel* Label(int id) const;

  std::string name_, individuals_, marriages_;
  bool picked_ = false;
  std::string pickedPath_;
};
