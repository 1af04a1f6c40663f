#include "ReportSheetPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "AppOptions.h"
#include "ChartOptionDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

const std::vector<int> kPedChartTypes{
    CPedigreePage::kIdcSinglePage, CPedigreePage::kIdcSinglePage + 1,
    CPedigreePage::kIdcSinglePage + 2, CPedigreePage::kIdcSinglePage + 3};
const std::vector<int> kPedNumbering{CPedigreePage::kIdcFixed, CPedigreePage::kIdcFixed + 1};
const std::vector<int> kPedIndex{CPedigreePage::kIdcNoIndex, CPedigreePage::kIdcNoIndex + 1,
                                 CPedigreePage::kIdcNoIndex + 2};
const std::vector<int> kFgrTypes{CFamilyGroupPage::kIdcSingleFamily,
                                 CFamilyGroupPage::kIdcSingleFamily + 1,
                                 CFamilyGroupPage::kIdcSingleFamily + 2};
const std::vector<int> kFgrLayouts{CFamilyGroupPage::kIdcExpanded,
                                   CFamilyGroupPage::kIdcExpanded + 1,
                                   CFamilyGroupPage::kIdcExpanded + 2};
const std::vector<int> kFgrCascade{CFamilyGroupPage::kIdcUp, CFamilyGroupPage::kIdcUp + 1};
const std::vector<int> kFgrRoles{CFamilyGroupPage::kIdcParent, CFamilyGroupPage::kIdcChild};

QRadioButton* Radio(const char* text) { return new QRadioButton(QString::fromLatin1(text)); }
QCheckBox* Check(const char* text) { return new QCheckBox(QString::fromLatin1(text)); }

// A labelled field on a grid row: label id = field id - 1.
template <class W>
W* Field(fw::CDialogBase& page, QGridLayout* grid, int row, int id, const char* label, W* field) {
  auto* text = page.AddControl(id - 1, new QLabel(QString::fromLatin1(label)));
  text->setBuddy(field);
  grid->addWidget(text, row, 0);
  grid->addWidget(page.AddControl(id, field), row, 1);
  return field;
}

}  // namespace

// ---- shared ----

bool CChartPageBase::ExchangeUInt32(bool save, int id, std::uint32_t& value) {
  if (!save) {
    SetControlText(id, std::to_string(value));
    return true;
  }
  std::int64_t v = 0;
  const fw::IntParse parse = fw::ParseIntInRange(GetControlText(id), 0, 4294967295LL, v);
  if (parse == fw::IntParse::kOk) {
    value = static_cast<std::uint32_t>(v);
    return true;
  }
  // Digits beyond 32 bits are a number out of range, not a wrong entry.
  const std::string text = GetControlText(id);
  const std::size_t first = text.find_first_not_of(" \t");
  const std::size_t last = text.find_last_not_of(" \t");
  const bool digits =
      first != std::string::npos && text.find_first_not_of("0123456789", first) > last;
  if (parse == fw::IntParse::kNotInteger && !digits)
    plat::MessageBox(res::LoadString(res::kIdsParseInt), "",
                     plat::kMbOk | plat::kMbIconExclamation);
  else
    plat::MessageBox(res::FormatString(res::kIdsParseIntRange, {"0", "4294967295"}), "",
                     plat::kMbOk | plat::kMbIconExclamation);
  if (auto* edit = Control<QLineEdit>(id)) {
    edit->setFocus();
    edit->selectAll();
  }
  return false;
}

// ---- Pedigree ----

CPedigreePage::CPedigreePage(CReportsPropSheet& sheet)
    : CChartPageBase(sheet), logic_(sheet.Env().extendedCharts, sheet.IdentifierDisplay()) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsPedigree)));
  logic_.startingRin = [this] { return sheet_.Model().StartingRin(); };
  logic_.marriageCount = [](std::int32_t rin) {
    return static_cast<int>(rpt::MarriagesOf(rin).size());
  };
  logic_.chooseMarriage = [this](std::int32_t rin) -> std::int32_t {
    const auto marriages = rpt::MarriagesOf(rin);
    if (marriages.size() == 1) return marriages.front();
    return sheet_.Env().chooseMarriage ? sheet_.Env().chooseMarriage(rin) : 0;
  };
  logic_.TakeChoices(sheet.Model().Choices());

  auto* person = BuildPersonGroup(kIdcPersonGroup, kIdcName, kIdcSearch);

  auto* type = AddControl(kIdcTypeGroup, new QGroupBox(QStringLiteral("Type of &Chart")));
  auto* typeLayout = new QVBoxLayout(type);
  const char* const types[] = {"Single page", "Cascading", "Blank form", "VIP"};
  for (int i = 0; i < 4; ++i)
    typeLayout->addWidget(AddControl(kIdcSinglePage + i, Radio(types[i])));

  auto* numbering =
      AddControl(kIdcNumberingGroup, new QGroupBox(QStringLiteral("Ch&art Numbering")));
  auto* numberingLayout = new QVBoxLayout(numbering);
  numberingLayout->addWidget(AddControl(kIdcFixed, Radio("Fixed")));
  numberingLayout->addWidget(AddControl(kIdcFixed + 1, Radio("Sequential")));

  auto* index = AddControl(kIdcIndexGroup, new QGroupBox(QStringLiteral("&Index Options")));
  auto* indexLayout = new QVBoxLayout(index);
  const char* const indexes[] = {"No index", "Include index", "Index only"};
  for (int i = 0; i < 3; ++i)
    indexLayout->addWidget(AddControl(kIdcNoIndex + i, Radio(indexes[i])));

  auto* grid = new QGridLayout;
  auto* gens = Field(*this, grid, 0, kIdcGensPerPage, "&Generations per page:", new QComboBox);
  gens->addItems({QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")});
  Field(*this, grid, 1, kIdcFirstChart, "Chart number of &1st chart:", new QLineEdit)
      ->setMaxLength(10);
  Field(*this, grid, 2, kIdcSameAs, "Star&t person is same as:", new QLineEdit)->setMaxLength(2);
  Field(*this, grid, 3, kIdcOnChart, "&on chart:", new QLineEdit)->setMaxLength(10);
  Field(*this, grid, 4, kIdcContinuation, "Starting number on continuation charts:", new QLineEdit)
      ->setMaxLength(10);
  Field(*this, grid, 5, kIdcGenerations, "N&umber of generations to print:", new QLineEdit)
      ->setMaxLength(3);
  for (int id : {kIdcFirstChart, kIdcSameAs, kIdcOnChart, kIdcContinuation, kIdcGenerations})
    Control<QLineEdit>(id)->setMaximumWidth(DialogUnitsToPixels(50, 0).width());

  auto* other = AddControl(kIdcOtherGroup, new QGroupBox(QStringLiteral("Other Options")));
  auto* otherLayout = new QGridLayout(other);
  const char* const others[] = {"Include \"Prepared &by\"",   "Include &photos",
                                "Suppress &RIN/MRINs",        "Parent links",
                                "Multiple parent indicators", "Allow &last generation to split"};
  for (int i = 0; i < 6; ++i)
    otherLayout->addWidget(AddControl(kIdcPreparedBy + i, Check(others[i])), i % 3, i / 3);

  auto* left = new QVBoxLayout;
  left->addWidget(type);
  left->addWidget(numbering);
  left->addWidget(index);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addLayout(grid);
  right->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addLayout(left);
  middle->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(person);
  layout->addLayout(middle);
  layout->addWidget(other);

  for (int id : kPedChartTypes)
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnChartType(); });
  for (int id : kPedNumbering)
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnNumbering(); });
  connect(gens, QOverload<int>::of(&QComboBox::activated), this, [this] { OnGensPerPage(); });
  connect(Control<QLineEdit>(kIdcFirstChart), &QLineEdit::editingFinished, this,
          [this] { OnFirstChartLeft(); });
  connect(Control<QCheckBox>(kIdcPhotos), &QCheckBox::clicked, this, [this](bool on) {
    logic_.photos.opt = on ? 1 : 0;
    sheet_.EnablePhotos(on);
  });
  connect(Control<QPushButton>(kIdcSearch), &QPushButton::clicked, this, [this] { OnSearch(); });
}

void CPedigreePage::OnInitDialog() {
  if (logic_.marriage == 0) logic_.marriage = sheet_.Model().Target().CurrentMrin();
  ShowControl(kIdcSinglePage + 3, logic_.extendedCharts);
  EnableControl(kIdcSinglePage + 3, logic_.extendedCharts);
  fw::CDialogBase::OnInitDialog();
  ShowEnabled();
  ShowStartingPerson();
}

bool CPedigreePage::DoDataExchange(bool save) {
  ExchangeRadio(save, kPedChartTypes, logic_.chartType);
  ExchangeRadio(save, kPedNumbering, logic_.chartNumType);
  ExchangeRadio(save, kPedIndex, logic_.indexType);
  auto* gens = Control<QComboBox>(kIdcGensPerPage);
  if (save)
    logic_.gensPerPage = gens->currentIndex() + 4;
  else
    gens->setCurrentIndex(std::clamp(logic_.gensPerPage, 4, 6) - 4);
  if (!ExchangeUInt32(save, kIdcFirstChart, logic_.firstChart)) return false;
  std::int32_t sameAs = static_cast<std::int32_t>(logic_.sameAs);
  if (!ExchangeInt(save, kIdcSameAs, sameAs, 1, 63)) return false;
  logic_.sameAs = static_cast<std::uint32_t>(sameAs);
  if (!ExchangeUInt32(save, kIdcOnChart, logic_.onChart)) return false;
  if (!ExchangeUInt32(save, kIdcContinuation, logic_.continuation)) return false;
  const int high = switching_ ? 999 : logic_.GenerationsHigh();
  if (!ExchangeInt(save, kIdcGenerations, logic_.totGens, 1, high)) return false;
  ExchangeCheck(save, kIdcPreparedBy, logic_.includeSubmit);
  ExchangeCheck(save, kIdcPhotos, logic_.photos.opt);
  ExchangeCheck(save, kIdcSuppressRin, logic_.suppressRin);
  ExchangeCheck(save, kIdcParentLinks, logic_.relInd);
  ExchangeCheck(save, kIdcParentIndicators, logic_.parInd);
  ExchangeCheck(save, kIdcSplit, logic_.split);
  return true;
}

void CPedigreePage::ShowEnabled() {
  const rpt::CPedigreeOptions::Enabled on = logic_.EnabledStates();
  for (int id : {kIdcPersonGroup, kIdcName, kIdcSearch}) EnableControl(id, on.startingPerson);
  for (int id = kIdcIndexGroup; id <= 635; ++id)
    if (GetControl(id) != nullptr) EnableControl(id, on.options);
  for (int id = kIdcOtherGroup; id <= kIdcSplit; ++id) EnableControl(id, on.options);
  EnableControl(kIdcSuppressRin, on.options && on.suppressRin);
  for (int id = 636; id <= 639; ++id) EnableControl(id, on.startFields);
  for (int id : {640, 641}) EnableControl(id, on.continuation);
  for (int id : {642, 643}) EnableControl(id, on.generations);
}

void CPedigreePage::OnChartType() {
  logic_.SetChartType(GetCheckedRadio(kPedChartTypes));
  ShowEnabled();
}

void CPedigreePage::OnNumbering() {
  switching_ = true;
  const bool ok = UpdateData(true);
  switching_ = false;
  if (!ok) return;
  logic_.SetNumbering(GetCheckedRadio(kPedNumbering));
  UpdateData(false);
  ShowEnabled();
}

void CPedigreePage::OnGensPerPage() {
  logic_.SetGensPerPage(Control<QComboBox>(kIdcGensPerPage)->currentIndex() + 4);
  if (logic_.chartNumType == rpt::CPedigreeOptions::kFixed) {
    ExchangeUInt32(false, kIdcSameAs, logic_.sameAs);
    ExchangeUInt32(false, kIdcOnChart, logic_.onChart);
    ExchangeUInt32(false, kIdcContinuation, logic_.continuation);
  }
}

void CPedigreePage::OnFirstChartLeft() {
  if (logic_.chartNumType != rpt::CPedigreeOptions::kFixed) return;
  if (!ExchangeUInt32(true, kIdcFirstChart, logic_.firstChart)) return;
  logic_.FirstChartChanged();
  ExchangeUInt32(false, kIdcSameAs, logic_.sameAs);
  ExchangeUInt32(false, kIdcOnChart, logic_.onChart);
  ExchangeUInt32(false, kIdcContinuation, logic_.continuation);
}

void CPedigreePage::OnSearch() {
  if (!UpdateData(true) || !sheet_.Env().findPerson) return;
  const std::int32_t rin =
      sheet_.Env().findPerson(sheet_.Model().StartingRin(), sheet_.Model().StartingName());
  if (rin <= 0 || !sheet_.Model().SetStartingPerson(rin)) return;
  logic_.marriage = 0;
  sheet_.StartingPersonChanged();
}

void CPedigreePage::ShowStartingPerson() {
  SetControlText(kIdcName, sheet_.Model().StartingName());
}

void CPedigreePage::OnSetActive() {
  ShowPrintButtons(true, false, true, logic_.photos.opt != 0, 208);
}

bool CPedigreePage::OnKillActive() { return TakeAndWriteSettings(logic_); }

// ---- Family Group ----

CFamilyGroupPage::CFamilyGroupPage(CReportsPropSheet& sheet)
    : CChartPageBase(sheet),
      source_(sheet.IdentifierDisplay()),
      logic_(source_, sheet.IdentifierDisplay()) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsFamilyGroup)));
  logic_.listText = sheet.Env().marriagesList;
  source_.pick = [this](std::int32_t rin, const std::vector<std::int32_t>&) -> std::int32_t {
    return sheet_.Env().chooseMarriage ? sheet_.Env().chooseMarriage(rin) : 0;
  };

  auto* person = AddControl(kIdcPersonGroup, new QGroupBox(QStringLiteral("Starting Person")));
  auto* personGrid = new QGridLayout(person);
  personGrid->addWidget(AddControl(kIdcParent, Radio("Parent")), 0, 0);
  personGrid->addWidget(AddControl(kIdcChild, Radio("Child")), 1, 0);
  personGrid->addWidget(AddControl(kIdcMrin - 1, new QLabel(QStringLiteral("MRIN:"))), 0, 1);
  personGrid->addWidget(AddControl(kIdcMrin, new QLabel), 0, 2);
  auto* primary = AddControl(kIdcPrimaryName, new QLabel);
  primary->setMinimumWidth(DialogUnitsToPixels(120, 0).width());
  personGrid->addWidget(primary, 0, 3);
  personGrid->addWidget(AddControl(kIdcSpouse - 1, new QLabel(QStringLiteral("Spouse:"))), 1, 1);
  personGrid->addWidget(AddControl(kIdcSpouse, new QLabel), 1, 2, 1, 2);
  personGrid->addWidget(AddControl(kIdcUseList, Check("Use &list")), 0, 4);
  personGrid->addWidget(AddControl(kIdcSearch, new QPushButton(QStringLiteral("&Search"))), 1, 4);
  personGrid->setColumnStretch(3, 1);

  auto* type = AddControl(kIdcTypeGroup, new QGroupBox(QStringLiteral("Type of Chart")));
  auto* typeGrid = new QGridLayout(type);
  const char* const types[] = {"Single &family", "&Cascading", "Blan&k form"};
  const char* const layouts[] = {"&Expanded", "Med&ium", "Condensed"};
  for (int i = 0; i < 3; ++i) {
    typeGrid->addWidget(AddControl(kIdcSingleFamily + i, Radio(types[i])), i, 0);
    typeGrid->addWidget(AddControl(kIdcExpanded + i, Radio(layouts[i])), i, 1);
  }
  // The two radio rows are separate groups.
  auto* layoutGroup = new QButtonGroup(this);
  for (int id : kFgrLayouts) layoutGroup->addButton(Control<QRadioButton>(id));
  auto* typeGroup = new QButtonGroup(this);
  for (int id : kFgrTypes) typeGroup->addButton(Control<QRadioButton>(id));
  auto* gens = new QHBoxLayout;
  auto* gensLabel =
      AddControl(kIdcGenerations - 1, new QLabel(QStringLiteral("Number of &Generations")));
  auto* gensEdit = AddControl(kIdcGenerations, new QLineEdit);
  gensLabel->setBuddy(gensEdit);
  gensEdit->setMaxLength(3);
  gensEdit->setMaximumWidth(DialogUnitsToPixels(30, 0).width());
  gens->addWidget(gensLabel);
  gens->addWidget(gensEdit);
  gens->addWidget(AddControl(kIdcUp, Radio("Up")));
  gens->addWidget(AddControl(kIdcUp + 1, Radio("Down")));
  gens->addStretch(1);
  typeGrid->addLayout(gens, 3, 0, 1, 2);

  auto* notes = AddControl(kIdcNotesGroup, new QGroupBox(QStringLiteral("Notes Options")));
  auto* notesLayout = new QVBoxLayout(notes);
  const std::pair<int, const char*> noteChecks[] = {
      {kIdcSourceNotes, "So&urce notes"},
      {kIdcTitlesOnly, "Titles only"},
      {kIdcActualText, "Actual text"},
      {kIdcComments, "Comments"},
      {kIdcGeneralNotes, "General no&tes"},
      {kIdcMarkedOnly, "Marked notes (!) only"},
      {kIdcConfidential, "Confidential notes (~) and events"},
      {kIdcParentsOnly, "P&arents only"},
      {kIdcNotesFirstPage, "Notes on &1st page"}};
  for (const auto& [id, text] : noteChecks) {
    auto* box = AddControl(id, Check(text));
    if (id == kIdcTitlesOnly || id == kIdcActualText || id == kIdcComments || id == kIdcMarkedOnly)
      box->setContentsMargins(DialogUnitsToPixels(10, 0).width(), 0, 0, 0);
    notesLayout->addWidget(box);
  }

  auto* other = AddControl(kIdcOtherGroup, new QGroupBox(QStringLiteral("Other Options")));
  auto* otherLayout = new QVBoxLayout(other);
  const char* const others[] = {"Include \"Prepared &by\"",
                                "Include &photos",
                                "Include \"other\" events",
                                "Parent links",
                                "Print event boxes when blank",
                                "&Other marriages",
                                "Suppress &RIN/MRINs",
                                "Multiple parent indicators",
                                "Mark &direct line"};
  for (int i = 0; i < 9; ++i)
    otherLayout->addWidget(AddControl(kIdcPreparedBy + i, Check(others[i])));

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(type);
  left->addWidget(notes);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(other);
  right->addStretch(1);
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(person);
  layout->addLayout(columns);

  for (int id : kFgrTypes)
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnChartType(); });
  connect(Control<QRadioButton>(kIdcParent), &QRadioButton::clicked, this,
          [this] { OnRole(rpt::StartingCouple::kParent); });
  connect(Control<QRadioButton>(kIdcChild), &QRadioButton::clicked, this,
          [this] { OnRole(rpt::StartingCouple::kChild); });
  connect(Control<QCheckBox>(kIdcUseList), &QCheckBox::clicked, this, [this] { OnUseList(); });
  connect(Control<QPushButton>(kIdcSearch), &QPushButton::clicked, this, [this] { OnSearch(); });
  for (int id : {kIdcSourceNotes, kIdcTitlesOnly, kIdcGeneralNotes})
    connect(Control<QCheckBox>(id), &QCheckBox::clicked, this, [this] { OnNotes(); });
  connect(Control<QCheckBox>(kIdcPhotos), &QCheckBox::clicked, this, [this](bool on) {
    logic_.photos.opt = on ? 1 : 0;
    sheet_.EnablePhotos(on);
  });
}

void CFamilyGroupPage::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  if (logic_.listOpt != 0) {
    SetControlText(kIdcSearch, "Edit List");
  } else if (!logic_.Couple().loaded) {
    rpt::ReportSheetTarget& view = sheet_.Model().Target();
    if (!logic_.LoadStartingCouple(sheet_.Model().Choices(), view.CurrentMrin(),
                                   view.CurrentRin())) {
      sheet_.CloseSoon();
      return;
    }
  }
  ShowCouple();
  ShowEnabled();
}

bool CFamilyGroupPage::DoDataExchange(bool save) {
  ExchangeRadio(save, kFgrTypes, logic_.type);
  ExchangeRadio(save, kFgrLayouts, logic_.layout);
  ExchangeRadio(save, kFgrCascade, logic_.cascType);
  if (!ExchangeInt(save, kIdcGenerations, logic_.totGens, 1, 999)) return false;
  int sourceNotes = logic_.sourceNotes ? 1 : 0, generalNotes = logic_.generalNotes ? 1 : 0;
  ExchangeCheck(save, kIdcSourceNotes, sourceNotes);
  ExchangeCheck(save, kIdcGeneralNotes, generalNotes);
  logic_.sourceNotes = sourceNotes != 0;
  logic_.generalNotes = generalNotes != 0;
  ExchangeCheck(save, kIdcTitlesOnly, logic_.titleOnly);
  ExchangeCheck(save, kIdcActualText, logic_.actText);
  ExchangeCheck(save, kIdcComments, logic_.comments);
  ExchangeCheck(save, kIdcMarkedOnly, logic_.markedOnly);
  ExchangeCheck(save, kIdcConfidential, logic_.confident);
  ExchangeCheck(save, kIdcParentsOnly, logic_.notePar);
  ExchangeCheck(save, kIdcNotesFirstPage, logic_.start1st);
  ExchangeCheck(save, kIdcPreparedBy, logic_.includeSubmit);
  ExchangeCheck(save, kIdcPhotos, logic_.photos.opt);
  ExchangeCheck(save, kIdcOtherEvents, logic_.otherEvents);
  ExchangeCheck(save, kIdcParentLinks, logic_.relInd);
  ExchangeCheck(save, kIdcBlankBoxes, logic_.reserveStd);
  ExchangeCheck(save, kIdcOtherMarriages, logic_.otherMarr);
  ExchangeCheck(save, kIdcSuppressRin, logic_.suppressRin);
  ExchangeCheck(save, kIdcParentIndicators, logic_.parInd);
  ExchangeCheck(save, kIdcMarkDirect, logic_.markDirect);
  int useList = logic_.listOpt;
  ExchangeCheck(save, kIdcUseList, useList);
  return true;
}

void CFamilyGroupPage::ShowCouple() {
  const rpt::StartingCouple& couple = logic_.Couple();
  SetControlText(kIdcMrin, logic_.MrinText());
  SetControlText(kIdcPrimaryName, couple.primaryName);
  SetControlText(kIdcSpouse, couple.spouseName);
  CheckRadio(kFgrRoles, couple.role);
}

void CFamilyGroupPage::ShowEnabled() {
  const rpt::CFamilyGroupOptions::Enabled on = logic_.EnabledStates();
  for (int id = 657; id <= 670; ++id)
    if (GetControl(id) != nullptr) EnableControl(id, on.couple);
  for (int id = kIdcPersonGroup; id <= kIdcMarkDirect; ++id)
    if (GetControl(id) != nullptr) EnableControl(id, on.couple);
  EnableControl(kIdcSuppressRin, on.couple && on.suppressRin);
  for (int id : {kIdcGenerations - 1, kIdcGenerations, kIdcUp, kIdcUp + 1, kIdcMarkDirect})
    EnableControl(id, on.cascadingOnly);
  EnableControl(kIdcSingleFamily + 1, on.cascadingRadio);
  EnableControl(kIdcSingleFamily + 2, on.blankRadio);
  if (on.couple) {
    EnableControl(kIdcMarkedOnly, on.markedOnly);
    EnableControl(kIdcTitlesOnly, on.titlesOnly);
    EnableControl(kIdcActualText, on.actualText);
    EnableControl(kIdcComments, on.comments);
  }
}

void CFamilyGroupPage::OnChartType() {
  logic_.SetChartType(GetCheckedRadio(kFgrTypes));
  CheckRadio(kFgrLayouts, logic_.layout);
  ShowEnabled();
}

void CFamilyGroupPage::OnNotes() {
  UpdateData(true);
  ShowEnabled();
}

void CFamilyGroupPage::OnRole(int role) {
  logic_.ClickRole(role);
  if (logic_.listOpt == 0) SetControlText(kIdcMrin, logic_.MrinText());
  ShowCouple();
}

void CFamilyGroupPage::OnUseList() {
  const bool on = GetCheck(kIdcUseList) == 1;
  logic_.SetUseList(on);
  if (on) {
    CheckRadio(kFgrTypes, logic_.type);
    SetControlText(kIdcSearch, "Edit List");
    ShowCouple();
    ShowEnabled();
    OnSearch();
    return;
  }
  SetControlText(kIdcSearch, "&Search");
  if (!logic_.Couple().loaded) {
    rpt::ReportSheetTarget& view = sheet_.Model().Target();
    if (!logic_.LoadStartingCouple(sheet_.Model().Choices(), view.CurrentMrin(), view.CurrentRin()))
      sheet_.CloseSoon();
  }
  ShowCouple();
  ShowEnabled();
}

void CFamilyGroupPage::OnSearch() {
  const CReportsPropSheet::Environment& env = sheet_.Env();
  if (logic_.listOpt != 0) {
    CFgrMarriagesListDialog dialog(this);
    rpt::LiveNumberRange(true, dialog.low, dialog.high);
    if (env.marriagesList != nullptr) dialog.listText = *env.marriagesList;
    dialog.browse = env.browseMarriage;
    if (dialog.exec() == fw::kIdOk && env.marriagesList != nullptr)
      *env.marriagesList = dialog.listText;
    return;
  }
  const rpt::StartingCouple& couple = logic_.Couple();
  if (couple.blankRole != rpt::StartingCouple::kNoBlank) {
    if (!env.findPerson) return;
    const std::int32_t rin = env.findPerson(couple.primaryRin, couple.primaryName);
    if (rin > 0 && rin != couple.primaryRin) logic_.SetCoupleFromPerson(rin);
  } else {
    if (!env.findMarriage) return;
    const std::int32_t mrin = env.findMarriage(couple.mrin, couple.primaryName);
    if (mrin > 0 && mrin != couple.mrin) logic_.SetCoupleFromMarriage(mrin);
  }
  ShowCouple();
}

void CFamilyGroupPage::OnSetActive() {
  ShowPrintButtons(true, false, true, logic_.photos.opt != 0, 209);
}

bool CFamilyGroupPage::OnKillActive() { return TakeAndWriteSettings(logic_); }

void RegisterPedigreeAndFamilyGroupPages() {
  RegisterReportSheetPage(rpt::kPagePedigree,
                          [](CReportsPropSheet& sheet) { return new CPedigreePage(sheet); });
  RegisterReportSheetPage(rpt::kPageFamilyGroup,
                          [](CReportsPropSheet& sheet) { return new CFamilyGroupPage(sheet); });
}
