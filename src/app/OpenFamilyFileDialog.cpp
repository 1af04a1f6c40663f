#include "OpenFamilyFileDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogBase.h"
#include "FamilyDatabase.h"
#include "FileDialogRun.h"
#include "FileSearchDialog.h"
#include "IdentifyFamilyFile.h"
#include "QtPorts.h"

COpenFamilyFileDialog::COpenFamilyFileDialog(const std::string& filter, const std::string& title,
                                             const std::string& folder, QWidget* parent)
    : CTemplateFileDialog(kPanelTemplate, "", "", kOfnFileMustExist | kOfnHideReadOnly, filter,
                          parent) {
  SetTitle(title);
  SetFolder(folder);

  auto* panel = new QGroupBox(QStringLiteral("File Information"));
  auto label = [](int id, const QString& text) {
    auto* l = new QLabel(text);
    SetControlId(l, id);
    l->setTextFormat(Qt::PlainText);
    return l;
  };
  auto* name = label(kIdcName, QString());
  name->setWordWrap(true);
  name->setMinimumWidth(QFontMetrics(name->font()).horizontalAdvance(QLatin1Char('x')) * 24);
  auto* grid = new QGridLayout;
  grid->addWidget(label(kIdcNameLabel, QStringLiteral("Name:")), 0, 0, Qt::AlignTop);
  grid->addWidget(name, 0, 1, Qt::AlignTop);
  grid->addWidget(label(kIdcIndividualsLabel, QStringLiteral("Individuals:")), 1, 0);
  grid->addWidget(label(kIdcIndividuals, QStringLiteral("0")), 1, 1);
  grid->addWidget(label(kIdcMarriagesLabel, QStringLiteral("Marriages:")), 2, 0);
  grid->addWidget(label(kIdcMarriages, QStringLiteral("0")), 2, 1);
  grid->setColumnStretch(1, 1);

  auto* search = new QPushButton(QStringLiteral("Search"));
  SetControlId(search, kIdcSearch);
  search->setAutoDefault(false);
  search->setToolTip(QStringLiteral("Search this computer for family files"));

  auto* box = new QVBoxLayout(panel);
  box->addLayout(grid);
  box->addWidget(label(kIdcUnavailable, QStringLiteral("Unavailable")));
  box->addWidget(label(kIdcAlreadyOpen, QStringLiteral("The file is already open.")));
  box->addStretch();
  box->addWidget(search, 0, Qt::AlignLeft);
  SetPanel(panel);

  connect(search, &QPushButton::clicked, this, &COpenFamilyFileDialog::OnSearch);
  ShowPanelState(kStateUnavailable);
}

int COpenFamilyFileDialog::DoModal() {
  const int result = fw::RunFileDialog(*this);
  return result == QDialog::Accepted || picked_ ? fw::kIdOk : fw::kIdCancel;
}

std::string COpenFamilyFileDialog::GetPathName() const {
  if (!pickedPath_.empty()) return pickedPath_;
  const QStringList files = selectedFiles();
  return files.isEmpty() ? std::string() : fw::FromQPath(files.first());
}

std::string COpenFamilyFileDialog::PanelText(int id) const {
  QLabel* l = Label(id);
  return l ? fw::FromQString(l->text()) : std::string();
}

QLabel* COpenFamilyFileDialog::Label(int id) const {
  return findChild<QLabel*>(QStringLiteral("ctl%1").arg(id));
}

int COpenFamilyFileDialog::DescribeFile(const std::string& path) {
  // The open database holds its file: that one counts as already open.
  std::vector<std::string> open;
  if (!DbGetFilePath().empty()) open.push_back(DbGetFilePath());
  const FamilyFilePanel panel = DescribeFamilyFilePanel(path, open);
  if (panel.state == kPanelFileInfo) {
    name_ = panel.familyName;
    individuals_ = panel.individuals;
    marriages_ = panel.marriages;
  }
  return panel.state;
}

void COpenFamilyFileDialog::ShowPanelState(int state) {
  if (state == kPanelFileInfo) {
    Label(kIdcName)->setText(fw::ToQString(name_));
    Label(kIdcIndividuals)->setText(fw::ToQString(individuals_));
    Label(kIdcMarriages)->setText(fw::ToQString(marriages_));
  }
  for (int id : {kIdcNameLabel, kIdcName, kIdcIndividualsLabel, kIdcIndividuals, kIdcMarriagesLabel,
                 kIdcMarriages})
    Label(id)->setVisible(state == kPanelFileInfo);
  Label(kIdcUnavailable)->setVisible(state == kPanelUnavailable);
  Label(kIdcAlreadyOpen)->setVisible(state == kPanelAlreadyOpen);
}

void COpenFamilyFileDialog::OnSearch() {
  std::string path;
  if (!SearchForFamilyFile(path, this, kSearchToOpen)) return;
  pickedPath_ = path;
  picked_ = true;
  reject();  // closes the file dialog; DoModal answers OK
}
