#pragma once
// The list of family files a search found: path, family name and the
// numbers of individuals and marriages of each. OK copies the selected
// file's path to the caller.

#include <string>
#include <vector>

#include "DialogBase.h"
#include "FamilyFileSearch.h"

class QTreeWidget;

class CFamilyFileListDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 328;  // the dialog's template number
  static constexpr int kIdcList = 1045;
  static constexpr int kIdcListLabel = 1044;

  // files is not copied and must outlive the dialog; path receives the
  // chosen file's path on OK.
  CFamilyFileListDialog(const std::vector<FoundFamilyFile>& files, std::string& path,
                        QWidget* parent);

  // Replaces the template's caption, list label and OK text; an empty text
  // keeps the template's.
  void SetTexts(const std::string& caption, const std::string& label, const std::string& okText);
  int DoModal() { return exec(); }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  const std::vector<FoundFamilyFile>& files_;
  std::string& path_;
  QTreeWidget* list_ = nullptr;
};
