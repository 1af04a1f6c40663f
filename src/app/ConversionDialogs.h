#pragma once
// The dialogs of the conversion of an old-format family: the introduction
// with its options, the File Converter that runs the conversion and shows
// its progress, and the Convert Source Notes dialog it opens for each
// source-note paragraph. What they decide lives in shell/ConversionForms.h.

#include <string>

#include "ConversionForms.h"
#include "DialogBase.h"

class CFamilyDatabase;
class QLabel;

class CConversionOptionsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 419;
  CConversionOptionsDialog(shell::ConversionIntro& intro, QWidget* parent);
  // fw::kIdOk with the options stored in the intro, or fw::kIdCancel.
  int DoModal() { return exec(); }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  shell::ConversionIntro& intro_;
};

class CFileConverterDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 376;
  CFileConverterDialog(CFamilyDatabase& source, const orv2::ConversionOptions& options,
                       std::string destination, QWidget* parent);
  // Converts as soon as it is shown; the converter's result (1 made).
  int DoModal();
  const shell::ConverterState& State() const { return state_; }
  // Escape, the window's close box and Close: while converting they ask the
  // run to stop at its next step, which then ends the dialog.
  void reject() override;

 protected:
  void OnInitDialog() override;

 private:
  void OnConvert();
  void Refresh();

  CFamilyDatabase& source_;
  orv2::ConversionOptions options_;
  std::string destination_;
  shell::ConverterState state_;
  bool running_ = false;
  int result_ = 0;
};

class CConvertSourceNotesDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 383;
  CConvertSourceNotesDialog(shell::SourceNoteForm& form, QWidget* parent);
  // The answer of the button that closed it.
  orv2::SourceNoteAnswer DoModal();
  // Escape and the close box answer as Don't Convert Any, the Cancel button.
  void reject() override;

 protected:
  void OnInitDialog() override;

 private:
  void Finish(orv2::SourceNoteChoice choice);

  shell::SourceNoteForm& form_;
  orv2::SourceNoteAnswer answer_;
};
