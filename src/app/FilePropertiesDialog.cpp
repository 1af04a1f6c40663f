#include "FilePropertiesDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CompactPath.h"
#include "FileSystem.h"
#include "PlainText.h"
#include "Ports.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StorageMedium.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QLabel* Text(unsigned id) { return new QLabel(fw::ToQString(res::LoadString(id))); }

QLabel* Value() {
  auto* label = new QLabel;
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

CFilePropertiesDialog::CFilePropertiesDialog(const shell::FileProperties& properties,
                                             QWidget* parent)
    : fw::CDialogBase(parent), properties_(properties) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsFilePropertiesCaption)));

  auto* facts = new QGridLayout;
  const std::pair<unsigned, int> factRows[] = {{res::kIdsLocation, kIdcLocation},
                                               {res::kIdsSize, kIdcSize},
                                               {res::kIdsModified, kIdcModified},
                                               {res::kIdsFreeSpace, kIdcFreeSpace}};
  int row = 0;
  for (const auto& [text, id] : factRows) {
    facts->addWidget(Text(text), row, 0);
    facts->addWidget(AddControl(id, Value()), row, 1);
    ++row;
  }
  auto* location = Control<QLabel>(kIdcLocation);
  location->setMinimumWidth(DialogUnitsToPixels(170, 0).width());
  facts->setColumnStretch(1, 1);

  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  // The counts, with the deleted records beside individuals and marriages.
  auto* counts = new QGridLayout;
  auto* deleted = Text(res::kIdsDeletedColumn);
  counts->addWidget(deleted, 0, 2, Qt::AlignRight);
  const int countIds[] = {kIdcIndividuals,  kIdcMarriages, kIdcSources, kIdcCitations,
                          kIdcRepositories, kIdcNotes,     kIdcEvents,  kIdcMultimedia};
  row = 1;
  for (int i = 0; i < 8; ++i) {
    counts->addWidget(Text(res::kIdsIndividuals + static_cast<unsigned>(i)), row, 0);
    auto* value = AddControl(countIds[i], Value());
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counts->addWidget(value, row, 1);
    if (i < 2) {
      auto* gone = AddControl(i == 0 ? kIdcDeletedIndividuals : kIdcDeletedMarriages, Value());
      gone->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      counts->addWidget(gone, row, 2);
    }
    ++row;
  }
  counts->setColumnMinimumWidth(1, DialogUnitsToPixels(40, 0).width());
  counts->setHorizontalSpacing(DialogUnitsToPixels(12, 0).width());
  counts->setColumnStretch(3, 1);

  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &CFilePropertiesDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);

  auto* top = new QVBoxLayout(this);
  top->addLayout(facts);
  top->addWidget(line);
  top->addLayout(counts);
  top->addSpacing(DialogUnitsToPixels(0, 4).height());
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
}

void CFilePropertiesDialog::OnInitDialog() {
  const shell::FileProperties& p = properties_;
  SetControlText(kIdcSize, std::to_string(p.size));
  SetControlText(kIdcModified, p.modified);
  SetControlText(kIdcFreeSpace, p.freeSpace);
  const std::pair<int, std::int32_t> values[] = {
      {kIdcIndividuals, p.individuals},
      {kIdcMarriages, p.marriages},
      {kIdcSources, p.sources},
      {kIdcCitations, p.citations},
      {kIdcRepositories, p.repositories},
      {kIdcNotes, p.notes},
      {kIdcEvents, p.events},
      {kIdcMultimedia, p.multimedia},
      {kIdcDeletedIndividuals, p.deletedIndividuals},
      {kIdcDeletedMarriages, p.deletedMarriages},
  };
  for (const auto& [id, n] : values) SetControlText(id, std::to_string(n));
  fw::CDialogBase::OnInitDialog();
  auto* location = Control<QLabel>(kIdcLocation);
  const fw::QtTextMeasure measure(location->font(), location);
  SetControlText(kIdcLocation,
                 CompactPathToWidth(plat::PathText(p.location), measure, location->minimumWidth()));
  location->setToolTip(fw::PlainToolTip(fw::ToQPath(p.location)));
  CenterWindow();
}

void ShowFileProperties(const std::string& path, QWidget* parent) {
  std::string folder = plat::Profile().GetPath("Folders", "Data", "");
  if (folder.empty()) {
    const std::size_t slash = path.find_last_of('/');
    folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  }
  const shell::FileProperties properties =
      shell::ReadFileProperties(path, plat::StorageMedium().FreeBytes(folder));
  CFilePropertiesDialog(properties, parent).DoModal();
}
