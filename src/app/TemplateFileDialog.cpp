#include "TemplateFileDialog.h"

#include <QAbstractItemView>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QVariant>

#include "DialogBase.h"
#include "IdentifyFamilyFile.h"
#include "QtPorts.h"

void SetUpFileDialog(QFileDialog& dialog, const std::vector<FileFilterEntry>& filter,
                     const std::string& folder, const std::string& fileName) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  QStringList names;
  for (const std::string& name : ToNameFilters(filter)) names << fw::ToQString(name);
  if (!names.isEmpty()) dialog.setNameFilters(names);
  if (!folder.empty()) dialog.setDirectory(fw::ToQPath(folder));
  if (!fileName.empty() && fileName.find_first_of("*?") == std::string::npos)
    dialog.selectFile(fw::ToQPath(fileName));
}

int SelectedFilterEntry(const QFileDialog& dialog) {
  return static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
}

void SetControlId(QWidget* control, int id) {
  control->setObjectName(QStringLiteral("ctl%1").arg(id));
  control->setProperty(fw::kControlIdProperty, id);
}

CTemplateFileDialog::CTemplateFileDialog(int panelTemplateId, const std::string& defaultExt,
                                         const std::string& fileName, unsigned flags,
                                         const std::string& filter, QWidget* parent)
    : QFileDialog(parent), panelTemplateId_(panelTemplateId) {
  (void)defaultExt;  // an open dialog takes names as they are
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode((flags & kOfnFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  SetUpFileDialog(*this, ParseFileFilter(filter), "", fileName);
  setSizeGripEnabled(true);
  // Room for the file list's columns beside the panel.
  const QFontMetrics metrics(font());
  resize(metrics.height() * 64, metrics.height() * 28);
  connect(this, &QFileDialog::currentChanged, this, &CTemplateFileDialog::SelectionChanged);
  connect(this, &QFileDialog::directoryEntered, this, [this] { SetPanelState(kStateUnavailable); });
  // The selection of the file list (by mouse, keys or selectFile), and a
  // name typed into the name field.
  if (auto* list = findChild<QAbstractItemView*>(QStringLiteral("listView")))
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, list] {
      const QModelIndexList rows = list->selectionModel()->selectedRows();
      SelectionChanged(rows.isEmpty()
                           ? QString()
                           : rows.first().data(QFileSystemModel::FilePathRole).toString());
    });
  if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
    connect(name, &QLineEdit::textEdited, this, [this] {
      const QStringList files = selectedFiles();
      SelectionChanged(files.isEmpty() ? QString() : files.first());
    });
}

void CTemplateFileDialog::SetTitle(const std::string& title) {
  setWindowTitle(fw::ToQString(title));
}

void CTemplateFileDialog::SetFolder(const std::string& folder) {
  if (!folder.empty()) setDirectory(fw::ToQPath(folder));
}

void CTemplateFileDialog::SetOkButtonText(const std::string& text) {
  if (!text.empty()) setLabelText(QFileDialog::Accept, fw::ToQString(text));
}

void CTemplateFileDialog::SetPanel(QWidget* panel) {
  // Qt's own file dialog lays itself out on a grid: the panel takes a new
  // column beside it, over every row.
  panel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
  } else {
    panel->setParent(this);
  }
}

void CTemplateFileDialog::SelectionChanged(const QString& path) {
  const std::string file = fw::FromQPath(path);
  SetPanelState(IsDescribableFile(file) ? DescribeFile(file) : kStateUnavailable);
}

void CTemplateFileDialog::SetPanelState(int state) {
  panelState_ = state;
  ShowPanelState(state);
}

void CTemplateFileDialog::showEvent(QShowEvent* event) {
  if (!initialised_) {
    initialised_ = true;
    SetPanelState(kStateUnavailable);
  }
  QFileDialog::showEvent(event);
}
