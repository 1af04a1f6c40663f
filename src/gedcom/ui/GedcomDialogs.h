#pragma once
// The GEDCOM transfer dialogs: Export (type, character set, contents and
// people), the submission text dialogs, the temple names submission options,
// and the Import options. They decide nothing about the file format: the
// export's choices are CExportChoices, the transfer is the jobs'.

#include <functional>
#include <string>

#include "DialogBase.h"
#include "ExportChoices.h"

class QComboBox;
class QPlainTextEdit;

// A read-only text with its buttons (templates 329, 439, 441, 389, 440).
class CSubmissionTextDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kIdcText = 1000;
  // okText: "&Continue", "&Agree" or "OK"; withCancel adds Cancel and Help.
  CSubmissionTextDialog(int templateId, const std::string& caption, unsigned textId,
                        const std::string& okText, bool withCancel, QWidget* parent);
  int TemplateId() const { return templateId_; }

 private:
  int templateId_;
};

// The five text dialogs by template.
CSubmissionTextDialog* MakeSubmissionTextDialog(int templateId, QWidget* parent);

// "Temple Names Submission Options" (template 363).
class CTempleNamesOptionsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 363;
  static constexpr int kIdcOnlyQualifying = 1000;
  static constexpr int kIdcAllSelected = 1001;
  static constexpr int kIdcReport = 1002;
  static constexpr int kIdcMarkSubmitted = 1003;

  explicit CTempleNamesOptionsDialog(QWidget* parent);

  int submitAllSelected = 0;
  int submissionReport = 1;
  int markSubmitted = 0;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
};

// "GEDCOM Export" (template 311).
class CGedcomExportDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 311;
  static constexpr int kIdcStandard55 = 1100;  // the five type radios follow
  static constexpr int kIdcCharset = 1110;
  static constexpr int kIdcNotes = 1120;  // the include boxes in IncludeBox order
  static constexpr int kIdcSelectedGroup = 1140;
  static constexpr int kIdcAll = 1141;
  static constexpr int kIdcPartial = 1142;
  static constexpr int kIdcCount = 1143;
  static constexpr int kIdcSelect = 1144;
  static constexpr int kIdcExport = 1;

  // zelShown: the program's option to show ZEL data.
  CGedcomExportDialog(bool zelShown, QWidget* parent);

  gedcom::CExportChoices& Choices() { return choices_; }
  // What the user chose, read after Export was pressed.
  gedcom::ExportOptions Options() const { return options_; }
  // The Export button: when set, runs the export steps (submitter check,
  // submission dialogs, file choice, the job) and answers whether the
  // dialog may close.
  std::function<bool(CGedcomExportDialog&)> onExport;

  void ShowChoices();
  // Whether the document has chosen individuals, and how many: Partial and
  // the Rosterly submission (always of a selection) use them.
  // name: the filter set's name, shown after the group's caption.
  void SetSelection(bool available, long count, const std::string& name = {});
  // The Select button: when set, opens the selection of individuals and
  // hands the dialog its new set through SetSelection and SelectionChosen.
  std::function<void(CGedcomExportDialog&)> onSelect;
  // After Select: the caption becomes "Filter" with the set's name, and
  // Partial is chosen with the set's count.
  void SelectionChosen(long count, const std::string& name);
  void SetOptions(const gedcom::ExportOptions& options) { options_ = options; }

 protected:
  void OnInitDialog() override;

 private:
  void OnType(int type);
  void OnBox(int box, bool on);
  void OnExportButton();

  gedcom::CExportChoices choices_;
  gedcom::ExportOptions options_;
  bool selectionAvailable_ = false;
  long selectionCount_ = 0;
  std::string selectionName_;
  bool selectedByFilter_ = false;
};

// "GEDCOM Import" (template 324).
class CGedcomImportDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 324;
  static constexpr int kIdcImportNotes = 1000;
  static constexpr int kIdcListing = 1001;
  static constexpr int kIdcReuse = 1002;
  static constexpr int kIdcSource = 1003;
  static constexpr int kIdcDestination = 1004;
  static constexpr int kIdcEndingRin = 1005;

  // Reads the highest RIN of the open family file for the ending-RIN text.
  explicit CGedcomImportDialog(QWidget* parent);

  int listingInNotes = 0;
  int importNotes = 1;
  std::string sourcePath;
  std::string destination;  // the family file's path
  int reuseDeletedRecords = 1;
  std::string endingRin;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
};
