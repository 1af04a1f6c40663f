#include "CustomReportDialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CustomFieldCatalog.h"
#include "QtPorts.h"

namespace rptui {
namespace {

QString Q(const std::string& text) { return fw::ToQString(text); }

QPushButton* Button(const char* text) { return new QPushButton(QString::fromLatin1(text)); }

// OK, Cancel and Help in a column.
QVBoxLayout* DialogButtons(fw::CDialogBase& dialog) {
  auto* column = new QVBoxLayout;
  auto* ok = dialog.AddControl(fw::kIdOk, Button("OK"));
  auto* cancel = dialog.AddControl(fw::kIdCancel, Button("Cancel"));
  auto* help = dialog.AddControl(fw::kIdHelp, Button("&Help"));
  help->setEnabled(false);
  ok->setDefault(true);
  for (QPushButton* b : {ok, cancel, help}) column->addWidget(b);
  column->addStretch();
  QObject::connect(ok, &QPushButton::clicked, &dialog, &fw::CDialogBase::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &fw::CDialogBase::reject);
  return column;
}

// The labelled list of the fields that may be chosen, as the left column of
// row.
template <class Fields>
QListWidget* AddPossibleFields(fw::CDialogBase& dialog, int id, const Fields& fields,
                               QHBoxLayout& row) {
  auto* left = new QVBoxLayout;
  auto* label = new QLabel(QStringLiteral("Possible &Fields:"));
  auto* list = dialog.AddControl(id, new QListWidget);
  list->setMinimumSize(dialog.DialogUnitsToPixels(110, 120));
  label->setBuddy(list);
  for (const auto& field : fields) list->addItem(Q(field.text));
  left->addWidget(label);
  left->addWidget(list, 1);
  row.addLayout(left, 1);
  return list;
}

}  // namespace

rpt::CustomFieldQuestions CustomFieldScreens(QWidget* parent) {
  rpt::CustomFieldQuestions questions;
  questions.noteTag = [parent](std::string& tag) {
    CCustomChoiceDialog dialog("Report Column: Notes", "&Tag:", rpt::CustomNoteTags(), true,
                               parent);
    if (dialog.exec() != fw::kIdOk) return false;
    tag = dialog.chosen;
    return true;
  };
  questions.eventType = [parent](std::string& title) {
    CCustomChoiceDialog dialog("Report Column: User Events",
                               "&Event:", rpt::CustomEventTypeTitles(), false, parent);
    if (dialog.exec() != fw::kIdOk) return false;
    title = dialog.chosen;
    return !title.empty();
  };
  return questions;
}

// ---- the two questions --------------------------------------------------------

CCustomChoiceDialog::CCustomChoiceDialog(const std::string& caption, const std::string& prompt,
                                         const std::vector<std::string>& items, bool editable,
                                         QWidget* parent)
    : fw::CDialogBase(parent) {
  setWindowTitle(Q(caption));
  auto* row = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* label = new QLabel(Q(prompt));
  combo_ = AddControl(kIdcChoice, new QComboBox);
  combo_->setEditable(editable);
  combo_->setMinimumWidth(DialogUnitsToPixels(120, 0).width());
  for (const std::string& item : items) combo_->addItem(Q(item));
  if (combo_->count() > 0) combo_->setCurrentIndex(0);
  label->setBuddy(combo_);
  left->addWidget(label);
  left->addWidget(combo_);
  left->addStretch();
  row->addLayout(left, 1);
  row->addLayout(DialogButtons(*this));
}

void CCustomChoiceDialog::OnOK() {
  chosen = fw::FromQString(combo_->currentText());
  fw::CDialogBase::OnOK();
}

// ---- Column Options ---------------------------------------------------------------

CColumnOptionsDialog::CColumnOptionsDialog(CCustomReportColumn& column, QWidget* parent)
    : fw::CDialogBase(parent), column_(column), heading_(column.heading), width_(column.width) {
  setWindowTitle(Q(rpt::ColumnOptionsCaption("Column Options", column.fieldId)));
  auto* row = new QHBoxLayout(this);
  auto* grid = new QGridLayout;
  auto* heading = AddControl(kIdcHeading, new QLineEdit);
  heading->setMinimumWidth(DialogUnitsToPixels(120, 0).width());
  auto* width = AddControl(kIdcWidth, new QLineEdit);
  width->setMaximumWidth(DialogUnitsToPixels(30, 0).width());
  auto* headingLabel = new QLabel(QStringLiteral("&Header:"));
  headingLabel->setBuddy(heading);
  auto* widthLabel = new QLabel(QStringLiteral("&Width:"));
  widthLabel->setBuddy(width);
  grid->addWidget(headingLabel, 0, 0);
  grid->addWidget(heading, 0, 1, 1, 2);
  grid->addWidget(widthLabel, 1, 0);
  grid->addWidget(width, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Characters")), 1, 2);
  grid->setRowStretch(2, 1);
  row->addLayout(grid, 1);
  row->addLayout(DialogButtons(*this));
}

bool CColumnOptionsDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcHeading, heading_);
  return ExchangeInt(save, kIdcWidth, width_, 1, 200);
}

void CColumnOptionsDialog::OnOK() {
  if (!UpdateData(true)) return;
  rpt::ApplyColumnOptions(column_, heading_, width_);
  EndDialog(fw::kIdOk);
}

// ---- Report Fields ------------------------------------------------------------------

CReportFieldsDialog::CReportFieldsDialog(CCustomReportLayout& layout, bool showZel, QWidget* parent)
    : fw::CDialogBase(parent), layout_(layout), model_(layout, showZel, CustomFieldScreens(this)) {
  setWindowTitle(QStringLiteral("Report Fields"));
  auto* row = new QHBoxLayout(this);

  possible_ = AddPossibleFields(*this, kIdcPossible, model_.Possible(), *row);
  possible_->setSelectionMode(QAbstractItemView::ExtendedSelection);

  auto* middle = new QVBoxLayout;
  middle->addStretch();
  auto* add = AddControl(kIdcAdd, Button(">"));
  auto* remove = AddControl(kIdcRemove, Button("<"));
  auto* removeAll = AddControl(kIdcRemoveAll, Button("<<"));
  for (QPushButton* b : {add, remove, removeAll}) middle->addWidget(b);
  middle->addStretch();
  row->addLayout(middle);

  auto* right = new QVBoxLayout;
  auto* selectedLabel = new QLabel(QStringLiteral("Selected &Columns:"));
  selected_ = AddControl(kIdcSelected, new QListWidget);
  selected_->setMinimumSize(DialogUnitsToPixels(110, 120));
  selectedLabel->setBuddy(selected_);
  right->addWidget(selectedLabel);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(selected_, 1);
  auto* updown = new QVBoxLayout;
  auto* up = AddControl(kIdcUp, new QPushButton(QString(QChar(0x25B2))));
  auto* down = AddControl(kIdcDown, new QPushButton(QString(QChar(0x25BC))));
  up->setMaximumWidth(DialogUnitsToPixels(14, 0).width() + 8);
  down->setMaximumWidth(up->maximumWidth());
  updown->addStretch();
  updown->addWidget(up);
  updown->addWidget(down);
  updown->addStretch();
  listRow->addLayout(updown);
  right->addLayout(listRow, 1);
  auto* options = AddControl(kIdcOptions, Button("Column &Options"));
  right->addWidget(options);
  row->addLayout(right, 1);
  row->addLayout(DialogButtons(*this));

  connect(add, &QPushButton::clicked, this, &CReportFieldsDialog::OnAdd);
  connect(remove, &QPushButton::clicked, this, &CReportFieldsDialog::OnRemove);
  connect(removeAll, &QPushButton::clicked, this, &CReportFieldsDialog::OnRemoveAll);
  connect(options, &QPushButton::clicked, this, &CReportFieldsDialog::OnOptions);
  connect(up, &QPushButton::clicked, this, [this] { OnMove(-1); });
  connect(down, &QPushButton::clicked, this, [this] { OnMove(1); });
  connect(possible_, &QListWidget::itemSelectionChanged, this, [this] {
    if (filling_) return;
    std::vector<int> rows;
    for (const QModelIndex& index : possible_->selectionModel()->selectedRows())
      rows.push_back(index.row());
    model_.SetPossibleSelection(rows);
    ShowButtons();
  });
  connect(possible_, &QListWidget::itemDoubleClicked, this, [this] {
    if (model_.CanAdd()) OnAdd();
  });
  connect(selected_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    model_.Select(row);
    ShowButtons();
  });
  connect(selected_, &QListWidget::itemDoubleClicked, this, &CReportFieldsDialog::OnOptions);
  ShowList();
}

void CReportFieldsDialog::ShowList() {
  filling_ = true;
  selected_->clear();
  for (int i = 0; i < model_.EntryCount(); ++i) selected_->addItem(Q(model_.EntryText(i)));
  selected_->setCurrentRow(model_.Selected());
  possible_->clearSelection();
  for (int index : model_.PossibleSelection()) {
    possible_->item(index)->setSelected(true);
    possible_->scrollToItem(possible_->item(index));
  }
  filling_ = false;
  ShowButtons();
}

void CReportFieldsDialog::ShowButtons() {
  EnableControl(kIdcAdd, model_.CanAdd());
  EnableControl(kIdcRemove, model_.CanRemove());
  EnableControl(kIdcRemoveAll, model_.CanRemoveAll());
  EnableControl(kIdcOptions, model_.CanOptions());
  EnableControl(fw::kIdOk, model_.CanOk());
}

void CReportFieldsDialog::OnAdd() {
  model_.Add();
  ShowList();
}

void CReportFieldsDialog::OnRemove() {
  model_.Remove();
  ShowList();
}

void CReportFieldsDialog::OnRemoveAll() {
  model_.RemoveAll();
  ShowList();
}

void CReportFieldsDialog::OnOptions() {
  CCustomReportColumn* column = model_.SelectedColumn();
  if (column == nullptr) return;
  CColumnOptionsDialog dialog(*column, this);
  dialog.exec();
}

void CReportFieldsDialog::OnMove(int delta) {
  model_.Move(delta);
  ShowList();
}

void CReportFieldsDialog::OnOK() {
  model_.Apply(layout_);
  EndDialog(fw::kIdOk);
}

// ---- Sort Order ------------------------------------------------------------------------

CSortOrderDialog::CSortOrderDialog(CCustomReportLayout& layout, bool showZel, QWidget* parent)
    : fw::CDialogBase(parent), layout_(layout), model_(layout, showZel, CustomFieldScreens(this)) {
  setWindowTitle(QStringLiteral("Sort Order"));
  auto* row = new QHBoxLayout(this);

  possible_ = AddPossibleFields(*this, kIdcPossible, model_.Possible(), *row);

  auto* middle = new QVBoxLayout;
  middle->addStretch();
  auto* add = AddControl(kIdcAdd, Button(">"));
  auto* remove = AddControl(kIdcRemove, Button("<"));
  middle->addWidget(add);
  middle->addWidget(remove);
  middle->addStretch();
  row->addLayout(middle);

  auto* right = new QVBoxLayout;
  auto* orderLabel = new QLabel(QStringLiteral("&Order List:"));
  order_ = AddControl(kIdcOrder, new QListWidget);
  order_->setMinimumSize(DialogUnitsToPixels(110, 80));
  orderLabel->setBuddy(order_);
  right->addWidget(orderLabel);
  right->addWidget(order_, 1);
  auto* group = new QGroupBox(QStringLiteral("Sort Order"));
  auto* radios = new QHBoxLayout(group);
  auto* ascending = AddControl(kIdcAscending, new QRadioButton(QStringLiteral("&Ascending")));
  auto* descending = AddControl(kIdcDescending, new QRadioButton(QStringLiteral("&Descending")));
  radios->addWidget(ascending);
  radios->addWidget(descending);
  right->addWidget(group);
  row->addLayout(right, 1);
  row->addLayout(DialogButtons(*this));

  connect(add, &QPushButton::clicked, this, &CSortOrderDialog::OnAdd);
  connect(remove, &QPushButton::clicked, this, &CSortOrderDialog::OnRemove);
  connect(ascending, &QRadioButton::clicked, this, [this] {
    model_.SetAscending(true);
    ShowList();
  });
  connect(descending, &QRadioButton::clicked, this, [this] {
    model_.SetAscending(false);
    ShowList();
  });
  connect(possible_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    model_.SelectPossible(row);
    ShowButtons();
  });
  connect(possible_, &QListWidget::itemDoubleClicked, this, [this] {
    if (model_.CanAdd()) OnAdd();
  });
  connect(order_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    model_.SelectEntry(row);
    ShowButtons();
  });
  connect(order_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    model_.Toggle(order_->row(item));
    ShowList();
  });
  ShowList();
}

void CSortOrderDialog::ShowList() {
  filling_ = true;
  order_->clear();
  for (int i = 0; i < model_.EntryCount(); ++i) {
    // The tab after the direction letter shows as a gap.
    QString text = Q(model_.EntryText(i));
    text.replace(QLatin1Char('\t'), QStringLiteral("    "));
    order_->addItem(text);
  }
  order_->setCurrentRow(model_.Selected());
  possible_->setCurrentRow(model_.PossibleSelected());
  filling_ = false;
  ShowButtons();
}

void CSortOrderDialog::ShowButtons() {
  EnableControl(kIdcAdd, model_.CanAdd());
  EnableControl(kIdcRemove, model_.CanRemove());
  EnableControl(kIdcAscending, model_.RadiosEnabled());
  EnableControl(kIdcDescending, model_.RadiosEnabled());
  SetCheck(kIdcAscending, model_.Ascending() ? 1 : 0);
  SetCheck(kIdcDescending, model_.Ascending() ? 0 : 1);
}

void CSortOrderDialog::OnAdd() {
  model_.Add();
  ShowList();
}

void CSortOrderDialog::OnRemove() {
  model_.Remove();
  ShowList();
}

void CSortOrderDialog::OnOK() {
  model_.Apply(layout_);
  EndDialog(fw::kIdOk);
}

}  // namespace rptui
