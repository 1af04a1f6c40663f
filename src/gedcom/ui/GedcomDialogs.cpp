#include "GedcomDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CompactPath.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FileSystem.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StringTable.h"

namespace {

QPushButton* Button(fw::CDialogBase* d, int id, const char* text) {
  auto* b = d->AddControl(id, new QPushButton(QString::fromLatin1(text)));
  b->setAutoDefault(false);
  return b;
}

// Help has no help file behind it here: the button is shown, greyed.
QPushButton* HelpButton(fw::CDialogBase* d) {
  auto* help = Button(d, fw::kIdHelp, "&Help");
  help->setEnabled(false);
  return help;
}

}  // namespace

// ---- text dialogs ------------------------------------------------------------

CSubmissionTextDialog::CSubmissionTextDialog(int templateId, const std::string& caption,
                                             unsigned textId, const std::string& okText,
                                             bool withCancel, QWidget* parent)
    : fw::CDialogBase(parent), templateId_(templateId) {
  setWindowTitle(fw::ToQString(caption));
  auto* text = AddControl(kIdcText, new QPlainTextEdit);
  text->setReadOnly(true);
  text->setPlainText(fw::ToQString(res::LoadString(textId)));
  text->setMinimumSize(DialogUnitsToPixels(240, 110));
  auto* ok = Button(this, fw::kIdOk, okText.c_str());
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  if (withCancel) {
    auto* cancel = Button(this, fw::kIdCancel, "Cancel");
    buttons->addWidget(cancel);
    buttons->addWidget(HelpButton(this));
    connect(cancel, &QPushButton::clicked, this, &CSubmissionTextDialog::reject);
  }
  auto* top = new QVBoxLayout(this);
  top->addWidget(text, 1);
  top->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CSubmissionTextDialog::accept);
}

CSubmissionTextDialog* MakeSubmissionTextDialog(int templateId, QWidget* parent) {
  switch (templateId) {
    case 329:
      return new CSubmissionTextDialog(329, "Temple Names Submission", 232, "&Continue", true,
                                       parent);
    case 439:
      return new CSubmissionTextDialog(439, "Lineroll Submission", 231, "&Continue", true, parent);
    case 441:
      return new CSubmissionTextDialog(441, "Conditions for Submitting Your Genealogy", 235,
                                       "&Agree", true, parent);
    case 389:
      return new CSubmissionTextDialog(389, "Rosterly Instructions", 233, "OK", false, parent);
    case 440:
      return new CSubmissionTextDialog(440, "Lineroll Submission Instructions", 234, "OK", false,
                                       parent);
    default:
      return nullptr;
  }
}

// ---- temple names submission options ----------------------------------------

CTempleNamesOptionsDialog::CTempleNamesOptionsDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Temple Names Submission Options"));
  auto* only =
      AddControl(kIdcOnlyQualifying,
                 new QRadioButton(QStringLiteral("Submit &only selected individuals who qualify")));
  auto* all = AddControl(kIdcAllSelected,
                         new QRadioButton(QStringLiteral("Submit &all selected individuals")));
  auto* onlyNote =
      new QLabel(QStringLiteral("(Includes parents and spouses when needed for sealings)"));
  auto* allNote = new QLabel(
      QStringLiteral("(Does not include parents or spouses unless they are also selected)"));
  const int indent = DialogUnitsToPixels(12, 0).width();
  onlyNote->setContentsMargins(indent, 0, 0, 0);
  allNote->setContentsMargins(indent, 0, 0, 0);
  auto* report =
      AddControl(kIdcReport, new QCheckBox(QStringLiteral("Produce a submission &report")));
  auto* mark = AddControl(
      kIdcMarkSubmitted,
      new QCheckBox(QStringLiteral("Put the word \"&Submitted\" in the ordinance fields to show "
                                   "that these names have been sent to the temple")));
  auto* ok = Button(this, fw::kIdOk, "OK");
  ok->setDefault(true);
  auto* cancel = Button(this, fw::kIdCancel, "Cancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(HelpButton(this));
  auto* top = new QVBoxLayout(this);
  top->addWidget(only);
  top->addWidget(onlyNote);
  top->addWidget(all);
  top->addWidget(allNote);
  top->addSpacing(DialogUnitsToPixels(0, 6).height());
  top->addWidget(report);
  top->addWidget(mark);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &CTempleNamesOptionsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CTempleNamesOptionsDialog::reject);
}

void CTempleNamesOptionsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  // Centred, its bottom edge on the parent's bottom edge.
  CenterWindow();
  if (QWidget* p = parentWidget()) {
    const QRect frame = p->window()->frameGeometry();
    move(x(), frame.bottom() - frameGeometry().height());
  }
}

bool CTempleNamesOptionsDialog::DoDataExchange(bool save) {
  ExchangeRadio(save, {kIdcOnlyQualifying, kIdcAllSelected}, submitAllSelected);
  ExchangeCheck(save, kIdcReport, submissionReport);
  ExchangeCheck(save, kIdcMarkSubmitted, markSubmitted);
  return true;
}

// ---- export --------------------------------------------------------------------

CGedcomExportDialog::CGedcomExportDialog(bool zelShown, QWidget* parent)
    : fw::CDialogBase(parent), choices_(zelShown) {
  setWindowTitle(QStringLiteral("GEDCOM Export"));
  // Alt+S is the Select button's; Stirpbank takes Alt+T and the selection's
  // group Alt+E.
  static const char* kTypes[] = {"Standard GEDCOM &5.5", "GEDCOM &4.0", "S&tirpbank", "&Lineroll",
                                 "&Rosterly"};
  static const char* kBoxes[] = {"&Notes",
                                 "So&urces",
                                 "Multimedia",
                                 "Contact &information",
                                 "Confidential &data",
                                 "Full Information on li&ving",
                                 "Na&mes on living",
                                 "Su&bmitter",
                                 "&ZEL data"};
  auto* types = new QGroupBox(QStringLiteral("Export type"));
  auto* typeGrid = new QGridLayout(types);
  for (int t = 0; t < 5; ++t) {
    auto* radio = AddControl(kIdcStandard55 + t, new QRadioButton(QString::fromLatin1(kTypes[t])));
    typeGrid->addWidget(radio, t, 0);
    connect(radio, &QRadioButton::clicked, this, [this, t] { OnType(t); });
  }
  typeGrid->addWidget(new QLabel(QStringLiteral("(ORV 3 - 4, others)")), 0, 1);
  typeGrid->addWidget(new QLabel(QStringLiteral("(ORV 2.1 - 2.31)")), 1, 1);
  auto* charsetLabel = new QLabel(QStringLiteral("&Char Set:"));
  auto* charset = AddControl(kIdcCharset, new QComboBox);
  for (const char* item : {"ANSI", "ANSEL"}) charset->addItem(QString::fromLatin1(item));
  charsetLabel->setBuddy(charset);
  auto* charsetRow = new QHBoxLayout;
  charsetRow->addWidget(charsetLabel);
  charsetRow->addWidget(charset);
  charsetRow->addStretch();
  typeGrid->addLayout(charsetRow, 5, 0, 1, 2);
  connect(charset, &QComboBox::currentIndexChanged, this,
          [this](int index) { choices_.SetAnsel(index == 1); });

  auto* include = new QGroupBox(QStringLiteral("Include"));
  auto* includeGrid = new QGridLayout(include);
  for (int box = 0; box < gedcom::kBoxCount; ++box) {
    auto* check = AddControl(kIdcNotes + box, new QCheckBox(QString::fromLatin1(kBoxes[box])));
    includeGrid->addWidget(check, box % 5, box / 5);
    connect(check, &QCheckBox::clicked, this, [this, box](bool on) { OnBox(box, on); });
  }

  auto* selected =
      AddControl(kIdcSelectedGroup, new QGroupBox(QStringLiteral("Sel&ected Individuals")));
  auto* selectedRow = new QHBoxLayout(selected);
  auto* all = AddControl(kIdcAll, new QRadioButton(QStringLiteral("All")));
  auto* partial = AddControl(kIdcPartial, new QRadioButton(QStringLiteral("Partial")));
  auto* select = Button(this, kIdcSelect, "&Select");
  selectedRow->addWidget(all);
  selectedRow->addWidget(partial);
  selectedRow->addSpacing(DialogUnitsToPixels(8, 0).width());
  selectedRow->addWidget(new QLabel(QStringLiteral("Individuals:")));
  selectedRow->addWidget(AddControl(kIdcCount, new QLabel(QStringLiteral("All"))));
  selectedRow->addStretch();
  selectedRow->addWidget(select);
  connect(all, &QRadioButton::clicked, this, [this] {
    choices_.ChooseAll();
    ShowChoices();
  });
  connect(partial, &QRadioButton::clicked, this, [this] {
    choices_.ChoosePartial(selectionCount_);
    ShowChoices();
  });
  connect(select, &QPushButton::clicked, this, [this] {
    if (onSelect) onSelect(*this);
  });

  auto* exportButton = Button(this, kIdcExport, "E&xport...");
  exportButton->setDefault(true);
  auto* cancel = Button(this, fw::kIdCancel, "Cancel");
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(exportButton);
  buttons->addWidget(cancel);
  buttons->addWidget(HelpButton(this));
  buttons->addStretch();

  auto* left = new QVBoxLayout;
  auto* upper = new QHBoxLayout;
  upper->addWidget(types);
  upper->addWidget(include);
  left->addLayout(upper);
  left->addWidget(selected);
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(exportButton, &QPushButton::clicked, this, &CGedcomExportDialog::OnExportButton);
  connect(cancel, &QPushButton::clicked, this, &CGedcomExportDialog::reject);
}

void CGedcomExportDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  ShowChoices();
}

void CGedcomExportDialog::ShowChoices() {
  CheckRadio({kIdcStandard55, kIdcStandard55 + 1, kIdcStandard55 + 2, kIdcStandard55 + 3,
              kIdcStandard55 + 4},
             choices_.Type());
  auto* charset = Control<QComboBox>(kIdcCharset);
  charset->setCurrentIndex(choices_.Ansel() ? 1 : 0);
  EnableControl(kIdcCharset, choices_.CharsetEnabled());
  for (int box = 0; box < gedcom::kBoxCount; ++box) {
    SetCheck(kIdcNotes + box, choices_.Checked(box) ? 1 : 0);
    EnableControl(kIdcNotes + box, choices_.Enabled(box));
  }
  ShowControl(kIdcNotes + gedcom::kBoxZel, choices_.ZelShown());
  CheckRadio({kIdcAll, kIdcPartial}, choices_.Partial() ? 1 : 0);
  SetControlText(kIdcCount, choices_.CountText());
  EnableControl(kIdcExport, choices_.ExportEnabled());
  // Without Select the individuals can only come from the Individual List
  // (Search menu) before the export. A Rosterly submission is always of a
  // selection.
  const bool canChoose = selectionAvailable_ || onSelect;
  EnableControl(kIdcSelect, onSelect && choices_.Partial());
  EnableControl(kIdcPartial, canChoose);
  EnableControl(kIdcStandard55 + gedcom::kTypeRosterly, canChoose);
  QString caption =
      selectedByFilter_ ? QStringLiteral("Filter") : QStringLiteral("Sel&ected Individuals");
  if ((selectedByFilter_ || choices_.Partial()) && !selectionName_.empty())
    caption += QStringLiteral(" - ") + fw::ToQString(selectionName_);
  Control<QGroupBox>(kIdcSelectedGroup)->setTitle(caption);
}

void CGedcomExportDialog::SetSelection(bool available, long count, const std::string& name) {
  selectionAvailable_ = available;
  selectionCount_ = count;
  selectionName_ = name;
}

void CGedcomExportDialog::SelectionChosen(long count, const std::string& name) {
  SetSelection(true, count, name);
  selectedByFilter_ = true;
  choices_.ChoosePartial(count);
  ShowChoices();
}

void CGedcomExportDialog::OnType(int type) {
  choices_.SetType(type, selectionCount_);
  ShowChoices();
}

void CGedcomExportDialog::OnBox(int box, bool on) {
  choices_.SetChecked(box, on);
  ShowChoices();
}

void CGedcomExportDialog::OnExportButton() {
  options_ = choices_.Options();
  if (!onExport || onExport(*this)) accept();
}

// ---- import --------------------------------------------------------------------

CGedcomImportDialog::CGedcomImportDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("GEDCOM Import"));
  endingRin = gedcom::EndingRinText(DbGetRIN(0x7FFFFFFF, db::kQueryIndividuals, 'n'));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Import source file:")), 0, 0);
  auto* source = AddControl(kIdcSource, new QLabel);
  source->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  grid->addWidget(source, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Destination:")), 1, 0);
  grid->addWidget(AddControl(kIdcDestination, new QLabel), 1, 1);
  grid->addWidget(AddControl(kIdcEndingRin, new QLabel), 2, 1);
  auto* notes = AddControl(kIdcImportNotes, new QCheckBox(QStringLiteral("Import &notes")));
  auto* listing =
      AddControl(kIdcListing, new QCheckBox(QStringLiteral("&Include listing file data in notes")));
  auto* reuse = AddControl(kIdcReuse, new QCheckBox(QStringLiteral("&Reuse deleted records")));
  auto* ok = Button(this, fw::kIdOk, "OK");
  ok->setDefault(true);
  auto* cancel = Button(this, fw::kIdCancel, "Cancel");
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(HelpButton(this));
  buttons->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(grid);
  left->addSpacing(DialogUnitsToPixels(0, 4).height());
  left->addWidget(notes);
  left->addWidget(listing);
  left->addWidget(reuse);
  left->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &CGedcomImportDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CGedcomImportDialog::reject);
}

void CGedcomImportDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}

bool CGedcomImportDialog::DoDataExchange(bool save) {
  ExchangeCheck(save, kIdcListing, listingInNotes);
  ExchangeCheck(save, kIdcImportNotes, importNotes);
  ExchangeCheck(save, kIdcReuse, reuseDeletedRecords);
  if (!save) {
    auto* source = Control<QLabel>(kIdcSource);
    const fw::QtTextMeasure measure(source->font(), source);
    SetControlText(kIdcSource,
                   CompactPathToWidth(plat::PathText(sourcePath), measure, source->minimumWidth()));
    SetControlPath(kIdcDestination, destination);
    SetControlText(kIdcEndingRin, endingRin);
  }
  return true;
}
