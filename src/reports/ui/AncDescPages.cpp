#include "AncDescPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "AppOptions.h"
#include "ChartOptionDialogs.h"
#include "ChartPageOptions.h"
#include "QtPorts.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr int kAncestryIcon = 201;
constexpr int kDescendantsIcon = 202;

const std::vector<int> kChartTypes{CAncDescPage::kIdcStandard, CAncDescPage::kIdcWall};
const std::vector<int> kDateTypes{CAncDescPage::kIdcNoDates, CAncDescPage::kIdcNoDates + 1,
                                  CAncDescPage::kIdcNoDates + 2};

QCheckBox* Check(const char* text) { return new QCheckBox(QString::fromLatin1(text)); }
QLabel* Label(const char* text) { return new QLabel(QString::fromLatin1(text)); }

}  // namespace

CAncDescPage::CAncDescPage(CReportsPropSheet& sheet, bool ancestry)
    : CReportSheetPage(sheet), logic_(ancestry, sheet.IdentifierDisplay()) {
  setWindowTitle(
      fw::ToQString(res::LoadString(ancestry ? res::kIdsAncestry : res::kIdsDescendants)));
  logic_.startingRin = [this] { return sheet_.Model().StartingRin(); };

  auto* person = BuildPersonGroup(kIdcPersonGroup, kIdcName, kIdcSearch);

  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(AddControl(kIdcStandard, new QRadioButton(QStringLiteral("Standard &chart"))));
  typeRow->addWidget(AddControl(kIdcWall, new QRadioButton(QStringLiteral("&Wall chart"))));
  typeRow->addStretch(1);
  // One chosen chart type at all times: a click on the chosen one keeps it.
  auto* typeGroup = new QButtonGroup(this);
  for (int id : kChartTypes) typeGroup->addButton(Control<QRadioButton>(id));

  // Both chart types.
  auto* common = new QGridLayout;
  auto* gensLabel = AddControl(kIdcGenerations - 1, Label("Ma&ximum generations to print:"));
  auto* gens = AddControl(kIdcGenerations, new QLineEdit);
  gens->setMaxLength(3);
  gens->setMaximumWidth(DialogUnitsToPixels(30, 0).width());
  gensLabel->setBuddy(gens);
  common->addWidget(gensLabel, 0, 0);
  common->addWidget(gens, 0, 1, Qt::AlignLeft);
  common->addWidget(AddControl(kIdcSuppressRin, Check("Suppress &RINs")), 1, 0, 1, 2);
  common->addWidget(AddControl(kIdcParentLinks, Check("Parent links")), 2, 0, 1, 2);
  common->addWidget(AddControl(kIdcParentIndicators, Check("Multiple parent indicators")), 3, 0, 1,
                    2);
  common->setColumnStretch(2, 1);

  // The standard chart.
  auto* standard = standardBox_ = new QWidget;
  auto* standardLayout = new QVBoxLayout(standard);
  standardLayout->setContentsMargins(0, 0, 0, 0);
  auto* indentRow = new QHBoxLayout;
  auto* indentLabel =
      AddControl(kIdcIndent - 1, Label("Maximum &indentation for each generation:"));
  auto* indent = AddControl(kIdcIndent, new QLineEdit);
  indent->setMaxLength(1);
  indent->setMaximumWidth(DialogUnitsToPixels(20, 0).width());
  indentLabel->setBuddy(indent);
  indentRow->addWidget(indentLabel);
  indentRow->addWidget(indent);
  indentRow->addWidget(AddControl(kIdcIndent + 1, Label("1/10 inch")));
  indentRow->addStretch(1);
  standardLayout->addLayout(indentRow);
  standardLayout->addWidget(AddControl(kIdcTitles, Check("&Titles printed on each page")));
  standardLayout->addWidget(AddControl(kIdcPrintGens, Check("Print generation n&umbers")));
  auto* groups = new QHBoxLayout;
  auto* dates = AddControl(kIdcDateGroup, new QGroupBox(QStringLiteral("&Date Format")));
  auto* datesLayout = new QVBoxLayout(dates);
  const char* const dateTexts[] = {"No dates", "Year only", "Full dates"};
  for (int i = 0; i < 3; ++i)
    datesLayout->addWidget(
        AddControl(kIdcNoDates + i, new QRadioButton(QString::fromLatin1(dateTexts[i]))));
  auto* include = AddControl(kIdcIncludeGroup, new QGroupBox(QStringLiteral("Includ&e:")));
  auto* includeLayout = new QVBoxLayout(include);
  includeLayout->addWidget(AddControl(kIdcBirthPlace, Check("Place of birth")));
  includeLayout->addWidget(AddControl(kIdcDeathPlace, Check("Place of death")));
  includeLayout->addStretch(1);
  groups->addWidget(dates);
  groups->addWidget(include);
  groups->addStretch(1);
  standardLayout->addLayout(groups);

  // The wall chart.
  auto* wall = wallBox_ = new QWidget;
  auto* wallLayout = new QGridLayout(wall);
  wallLayout->setContentsMargins(0, 0, 0, 0);
  auto* perPageLabel = AddControl(kIdcGensPerPage - 1, Label("&Generations per page:"));
  auto* perPage = AddControl(kIdcGensPerPage, new QSpinBox);
  perPage->setRange(rpt::CAncDescOptions::kGensPerPageLow, rpt::CAncDescOptions::kGensPerPageHigh);
  perPageLabel->setBuddy(perPage);
  wallLayout->addWidget(perPageLabel, 0, 0);
  wallLayout->addWidget(perPage, 0, 1, Qt::AlignLeft);
  wallLayout->addWidget(AddControl(kIdcPhotos, Check("Include &photos")), 1, 0, 1, 2);
  wallLayout->addWidget(AddControl(kIdcBox, Check("Print &box")), 2, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddControl(kIdcBoxStyles, new QPushButton(QStringLiteral("Box St&yles"))));
  buttons->addWidget(AddControl(kIdcSelectItems, new QPushButton(QStringLiteral("Select Ite&ms"))));
  buttons->addStretch(1);
  wallLayout->addLayout(buttons, 3, 0, 1, 3);
  wallLayout->setColumnStretch(2, 1);
  wallLayout->setRowStretch(4, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(person);
  layout->addLayout(typeRow);
  layout->addLayout(common);
  layout->addWidget(standard);
  layout->addWidget(wall);
  layout->addStretch(1);

  for (int id : kChartTypes)
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnChartType(); });
  connect(perPage, QOverload<int>::of(&QSpinBox::valueChanged), this,
          [this](int value) { logic_.gensPerPage = value; });
  connect(Control<QCheckBox>(kIdcPhotos), &QCheckBox::clicked, this, [this] { OnPhotos(); });
  connect(Control<QCheckBox>(kIdcBox), &QCheckBox::clicked, this, [this] { OnBox(); });
  connect(Control<QPushButton>(kIdcBoxStyles), &QPushButton::clicked, this,
          [this] { OnBoxStyles(); });
  connect(Control<QPushButton>(kIdcSelectItems), &QPushButton::clicked, this,
          [this] { OnSelectItems(); });
  connect(Control<QPushButton>(kIdcSearch), &QPushButton::clicked, this, [this] { OnSearch(); });
}

void CAncDescPage::OnInitDialog() {
  EnableControl(kIdcSuppressRin, logic_.SuppressRinEnabled());
  fw::CDialogBase::OnInitDialog();
  ShowChartType();
  ShowStartingPerson();
}

bool CAncDescPage::DoDataExchange(bool save) {
  if (!ExchangeInt(save, kIdcGenerations, logic_.gens, 1, 999)) return false;
  ExchangeCheck(save, kIdcSuppressRin, logic_.suppressRin);
  ExchangeCheck(save, kIdcParentIndicators, logic_.parInd);
  ExchangeCheck(save, kIdcParentLinks, logic_.relInd);
  ExchangeRadio(save, kChartTypes, logic_.type);
  if (logic_.WallChart()) {
    ExchangeCheck(save, kIdcPhotos, logic_.photos.opt);
    ExchangeCheck(save, kIdcBox, logic_.box);
    auto* perPage = Control<QSpinBox>(kIdcGensPerPage);
    if (save)
      logic_.gensPerPage = perPage->value();
    else
      perPage->setValue(logic_.gensPerPage);
  } else {
    if (!ExchangeInt(save, kIdcIndent, logic_.indent, 1, 9)) return false;
    ExchangeCheck(save, kIdcTitles, logic_.title);
    ExchangeCheck(save, kIdcPrintGens, logic_.printGens);
    ExchangeCheck(save, kIdcBirthPlace, logic_.stdBirthPl);
    ExchangeCheck(save, kIdcDeathPlace, logic_.stdDeathPl);
    ExchangeRadio(save, kDateTypes, logic_.dateType);
  }
  return true;
}

void CAncDescPage::ShowChartType() {
  const bool wall = logic_.WallChart();
  // The other type's controls give up their room as well.
  standardBox_->setVisible(!wall);
  wallBox_->setVisible(wall);
  for (int id = kIdcIndent - 1; id <= kIdcDeathPlace; ++id) {
    if (GetControl(id) == nullptr) continue;
    ShowControl(id, !wall);
    EnableControl(id, !wall);
  }
  for (int id = kIdcGensPerPage - 1; id <= kIdcSelectItems; ++id) {
    if (GetControl(id) == nullptr) continue;
    ShowControl(id, wall);
    EnableControl(id, wall);
  }
  if (wall) EnableControl(kIdcBoxStyles, logic_.box != 0);
  if (sheet_.CurrentPage() == this) sheet_.EnablePhotos(wall && logic_.photos.opt != 0);
  UpdateData(false);
}

void CAncDescPage::OnChartType() {
  const int chosen = GetCheckedRadio(kChartTypes);
  if (logic_.WallChart() && chosen == rpt::CAncDescOptions::kStandard) {
    // The wall chart's values are checked before its controls go away.
    SetCheck(kIdcWall, 1);
    SetCheck(kIdcStandard, 0);
    if (!UpdateData(true)) return;
    SetCheck(kIdcStandard, 1);
    SetCheck(kIdcWall, 0);
  }
  logic_.type = chosen;
  ShowChartType();
}

void CAncDescPage::OnPhotos() {
  logic_.photos.opt = GetCheck(kIdcPhotos) == 1 ? 1 : 0;
  sheet_.EnablePhotos(logic_.photos.opt != 0);
}

void CAncDescPage::OnBox() {
  logic_.box = GetCheck(kIdcBox) == 1 ? 1 : 0;
  EnableControl(kIdcBoxStyles, logic_.box != 0);
}

void CAncDescPage::OnBoxStyles() {
  rpt::WallBoxStyle style = rpt::ReadWallBoxStyle(logic_.Section());
  CWallChartBoxStyleDialog dialog(this);
  dialog.corner = style.corner;
  dialog.line = style.line;
  dialog.shade = style.shade;
  dialog.shadow = style.shadow;
  dialog.shadeColor = style.shadeColor;
  dialog.shadowColor = style.shadowColor;
  if (dialog.exec() != fw::kIdOk) return;
  style = {dialog.corner, dialog.line,       dialog.shade,
           dialog.shadow, dialog.shadeColor, dialog.shadowColor};
  rpt::WriteWallBoxStyle(logic_.Section(), style);
}

void CAncDescPage::OnSelectItems() {
  CWallChartItemsDialog dialog(this);
  dialog.chart = logic_.ancestry ? 0 : 1;
  dialog.showZel = sheet_.Env().options == nullptr || sheet_.Env().options->showZel != 0;
  dialog.items = rpt::ReadWallBoxItems(logic_.ancestry);
  dialog.eventChoices = rpt::WallItemEventChoices();
  dialog.tagChoices = rpt::WallItemNoteTagChoices();
  if (dialog.exec() != fw::kIdOk) return;
  rpt::WriteWallBoxItems(logic_.ancestry, dialog.items);
}

void CAncDescPage::OnSearch() {
  if (!UpdateData(true) || !sheet_.Env().findPerson) return;
  const std::int32_t rin =
      sheet_.Env().findPerson(sheet_.Model().StartingRin(), sheet_.Model().StartingName());
  if (rin <= 0 || !sheet_.Model().SetStartingPerson(rin)) return;
  sheet_.StartingPersonChanged();
}

void CAncDescPage::ShowStartingPerson() { SetControlText(kIdcName, sheet_.Model().StartingName()); }

void CAncDescPage::OnSetActive() {
  ShowPrintButtons(true, true, true, logic_.WallChart() && logic_.photos.opt != 0,
                   logic_.ancestry ? kAncestryIcon : kDescendantsIcon);
}

bool CAncDescPage::OnKillActive() { return TakeAndWriteSettings(logic_); }

bool CAncDescPage::WallChartFits() {
  const rpt::WallBoxStyle style = rpt::ReadWallBoxStyle(logic_.Section());
  const rpt::WallBoxItems items = rpt::ReadWallBoxItems(logic_.ancestry);
  const rpt::ChartPageOptions chart = rpt::ReadChartPageOptions(logic_.ancestry);
  rpt::WallChartSample sample;
  sample.chart = logic_.ancestry ? 0 : 1;
  sample.identifierDisplay = logic_.identifierDisplay;
  sample.suppressRin = logic_.suppressRin != 0;
  sample.anyEvent = items.birth || items.christening || items.birthOrChristening || items.death ||
                    items.burial || items.deathOrBurial || items.marriage;
  sample.placeLine = items.placeLine != 0;
  sample.dateAndPlace = items.dateAndPlace != 0;
  sample.birthYear = items.nameBirth != 0;
  sample.marriageYear = items.nameMarriage != 0;
  sample.deathYear = items.nameDeath != 0;
  sample.photo = logic_.photos.opt != 0;
  sample.photoWidth = logic_.photos.width;
  sample.photoPlace = logic_.photos.place;
  sample.box = logic_.box != 0;
  sample.boxCorner = style.corner;
  sample.boxLine = style.line;
  sample.boxShadow = style.shadow != 0;
  return sheet_.CheckWallChartFit(sample, logic_.gensPerPage, chart.wallPrim, chart.wallOther);
}

void RegisterAncestryAndDescendantsPages() {
  RegisterReportSheetPage(rpt::kPageAncestry,
                          [](CReportsPropSheet& sheet) { return new CAncDescPage(sheet, true); });
  RegisterReportSheetPage(rpt::kPageDescendants,
                          [](CReportsPropSheet& sheet) { return new CAncDescPage(sheet, false); });
}
