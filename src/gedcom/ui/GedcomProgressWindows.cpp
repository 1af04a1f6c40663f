#include "GedcomProgressWindows.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CompactPath.h"
#include "FileSystem.h"
#include "Ports.h"
#include "QtTextMeasure.h"

namespace {

// A label whose width keeps counters like "123456 / 123456" from jumping.
QLabel* CounterLabel() {
  auto* label = new QLabel(QStringLiteral("0"));
  label->setMinimumWidth(
      label->fontMetrics().horizontalAdvance(QStringLiteral("0000000 / 0000000")));
  return label;
}

QPushButton* CancelButton(fw::CDialogBase* dialog) {
  auto* cancel = dialog->AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  cancel->setAutoDefault(false);
  return cancel;
}

std::string Quit(const std::string& operation) {
  std::string question = gedcom::kQuitQuestion;
  question.replace(question.find("%s"), 2, operation);
  return question;
}

}  // namespace

// ---- export ----------------------------------------------------------------

CGedcomExportProgress::CGedcomExportProgress(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("GEDCOM Export"));
  setModal(false);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Individuals:")), 0, 0);
  grid->addWidget(AddControl(kIdcIndividuals, CounterLabel()), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Marriages:")), 1, 0);
  grid->addWidget(AddControl(kIdcMarriages, CounterLabel()), 1, 1);
  auto* source = AddControl(kIdcSource, new QLabel);
  auto* cancel = CancelButton(this);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addWidget(source);
  top->addWidget(cancel, 0, Qt::AlignHCenter);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(cancel, &QPushButton::clicked, this, [this] { OnCancelButton(); });
}

void CGedcomExportProgress::Begin(const std::string& source) {
  cancelPressed_ = false;
  SetSource(source);
  SetCounts(0, 0);
  show();
  CenterWindow();
  QApplication::processEvents();
}

void CGedcomExportProgress::SetSource(const std::string& text) { SetControlText(kIdcSource, text); }

void CGedcomExportProgress::SetCounts(long individuals, long marriages) {
  SetControlText(kIdcIndividuals, std::to_string(individuals));
  SetControlText(kIdcMarriages, std::to_string(marriages));
}

bool CGedcomExportProgress::CancelRequested() {
  const bool pressed = cancelPressed_;
  cancelPressed_ = false;  // a No lets the export go on and ask again later
  return pressed;
}

void CGedcomExportProgress::End() { hide(); }

// ---- import ----------------------------------------------------------------

CGedcomImportProgress::CGedcomImportProgress(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("GEDCOM Import"));
  setModal(false);
  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const char* label, int id, QLabel* value) {
    grid->addWidget(new QLabel(QString::fromLatin1(label)), row, 0);
    grid->addWidget(AddControl(id, value), row, 1);
    ++row;
  };
  add("File:", kIdcFile, new QLabel);
  add("Individuals:", kIdcIndividuals, CounterLabel());
  add("Marriages:", kIdcMarriages, CounterLabel());
  add("Sources:", kIdcSources, CounterLabel());
  add("Repositories:", kIdcRepositories, CounterLabel());
  add("Errors:", kIdcErrors, CounterLabel());
  auto* listing = new QLabel;
  listing->setMinimumWidth(DialogUnitsToPixels(180, 0).width());
  add("Listing file:", kIdcListing, listing);
  auto* status = AddControl(kIdcStatus, new QLabel);
  auto* cancel = CancelButton(this);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addWidget(status);
  top->addWidget(cancel, 0, Qt::AlignHCenter);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(cancel, &QPushButton::clicked, this, [this] { OnCancelButton(); });
}

void CGedcomImportProgress::SetStatus(const std::string& text) {
  SetControlText(kIdcStatus, text);
  QApplication::processEvents();
}

void CGedcomImportProgress::SetFile(const std::string& name) {
  file_ = name;
  SetControlText(kIdcFile, name);
}

void CGedcomImportProgress::SetListingPath(const std::string& path) {
  auto* label = Control<QLabel>(kIdcListing);
  const fw::QtTextMeasure measure(label->font(), label);
  SetControlText(kIdcListing,
                 CompactPathToWidth(plat::PathText(path), measure, label->minimumWidth()));
}

void CGedcomImportProgress::SetDefined(const long (&defined)[5]) {
  for (int i = 0; i < 5; ++i) defined_[i] = defined[i];
}

void CGedcomImportProgress::SetCounts(const long (&made)[5], int errors) {
  for (int i = 0; i < 5; ++i) made_[i] = made[i];
  SetControlText(kIdcErrors, std::to_string(errors));
  Refresh();
}

void CGedcomImportProgress::Refresh() {
  static constexpr int kIds[] = {kIdcIndividuals, kIdcMarriages, kIdcSources, kIdcRepositories};
  for (int i = 0; i < 4; ++i)
    SetControlText(kIds[i], std::to_string(defined_[i]) + " / " + std::to_string(made_[i]));
}

void CGedcomImportProgress::ShowFinal(const long (&defined)[5]) {
  static constexpr int kIds[] = {kIdcIndividuals, kIdcMarriages, kIdcSources, kIdcRepositories};
  for (int i = 0; i < 4; ++i) SetControlText(kIds[i], std::to_string(defined[i]));
}

bool CGedcomImportProgress::CancelRequested() {
  QApplication::processEvents();
  if (stopped_) return true;
  if (!cancelPressed_) return false;
  cancelPressed_ = false;
  const int answer =
      plat::MessageBox(Quit(file_), "GEDCOM " + file_, plat::kMbYesNo | plat::kMbIconExclamation);
  stopped_ = answer == plat::kIdYes;
  return stopped_;
}
