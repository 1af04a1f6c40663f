#pragma once
// The modeless progress windows of a GEDCOM transfer: "GEDCOM Export" with
// its two counters and type line, and "GEDCOM Import" with the file, the
// four record counters, the errors and the listing file. Cancel asks whether
// to quit the unfinished transfer; only Yes stops it.

#include <string>

#include "DialogBase.h"
#include "GedcomExporter.h"
#include "GedcomImporter.h"

class QLabel;
class QPushButton;

// Cancel's private message, kept as the number the windows answer to.
inline constexpr int kWmTransferCancel = 1225;

class CGedcomExportProgress : public fw::CDialogBase, public gedcom::ExportProgress {
  Q_OBJECT

 public:
  static constexpr int kIdcIndividuals = 1451;
  static constexpr int kIdcMarriages = 1452;
  static constexpr int kIdcSource = 1455;

  explicit CGedcomExportProgress(QWidget* parent);

  void Begin(const std::string& source) override;
  void SetSource(const std::string& text) override;
  void SetCounts(long individuals, long marriages) override;
  // The exporter asks its own question after a Cancel.
  bool CancelRequested() override;
  void End() override;

  // What Cancel does: the flag the exporter reads.
  void OnCancelButton() { cancelPressed_ = true; }

 private:
  bool cancelPressed_ = false;
};

class CGedcomImportProgress : public fw::CDialogBase, public gedcom::ImportProgress {
  Q_OBJECT

 public:
  static constexpr int kIdcListing = 1448;
  static constexpr int kIdcFile = 1449;
  static constexpr int kIdcErrors = 1450;
  static constexpr int kIdcIndividuals = 1451;
  static constexpr int kIdcMarriages = 1452;
  static constexpr int kIdcSources = 1453;
  static constexpr int kIdcRepositories = 1454;
  static constexpr int kIdcStatus = 1455;

  explicit CGedcomImportProgress(QWidget* parent);

  void SetStatus(const std::string& text) override;
  void SetFile(const std::string& name) override;
  void SetCounts(const long (&made)[5], int errors) override;
  void SetDefined(const long (&defined)[5]) override;
  void SetListingPath(const std::string& path) override;
  // Cancel pressed: asks the quit question with the file's name; Yes stops.
  bool CancelRequested() override;

  void OnCancelButton() { cancelPressed_ = true; }
  // The counters after the import: the defined counts alone.
  void ShowFinal(const long (&defined)[5]);

 private:
  void Refresh();
  bool cancelPressed_ = false;
  bool stopped_ = false;
  std::string file_;
  long made_[5] = {};
  long defined_[5] = {};
};
