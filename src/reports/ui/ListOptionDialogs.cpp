#include "ListOptionDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "AppOptions.h"
#include "Ports.h"
#include "QtPorts.h"

namespace {

QRadioButton* Radio(const char* text) { return new QRadioButton(QString::fromLatin1(text)); }
QCheckBox* Check(const char* text) { return new QCheckBox(QString::fromLatin1(text)); }

std::vector<int> Ids(int first, int count) {
  std::vector<int> ids;
  for (int i = 0; i < count; ++i) ids.push_back(first + i);
  return ids;
}

// OK and Cancel under the dialog's content.
void AddButtons(fw::CDialogBase& dialog, QVBoxLayout& layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &fw::CDialogBase::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &fw::CDialogBase::reject);
  layout.addWidget(buttons);
}

QGroupBox* RadioGroup(fw::CDialogBase& dialog, const char* title, int firstId,
                      std::initializer_list<const char*> texts) {
  auto* box = new QGroupBox(QString::fromLatin1(title));
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  int id = firstId;
  for (const char* text : texts) {
    auto* radio = dialog.AddControl(id++, Radio(text));
    group->addButton(radio);
    layout->addWidget(radio);
  }
  return box;
}

}  // namespace

CListOptionDialog::CListOptionDialog(const char* caption, QWidget* parent)
    : fw::CDialogBase(parent) {
  setWindowTitle(QString::fromLatin1(caption));
}

bool CListOptionDialog::Passes(unsigned check, std::int32_t low, std::int32_t high) {
  if (check == 0) return true;
  plat::MessageBox(rpt::CheckMessage(check, low, high), fw::FromQString(windowTitle()),
                   plat::kMbOk | plat::kMbIconExclamation);
  return false;
}

QWidget* CListOptionDialog::Edit(int id, const char* label, int maxChars) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* edit = AddControl(id, new QLineEdit);
  edit->setMaxLength(maxChars);
  edit->setMinimumWidth(DialogUnitsToPixels(maxChars * 6 + 8, 0).width());
  auto* text = AddControl(id + 1000, new QLabel(QString::fromLatin1(label)));
  text->setBuddy(edit);
  layout->addWidget(text, 1);
  layout->addWidget(edit);
  return row;
}

// ---- Family reunion ----

CFamilyReunionOptionsDialog::CFamilyReunionOptionsDialog(CAppOptions& options, QWidget* parent)
    : CListOptionDialog("Family Reunion List Options", parent), options_(options) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      RadioGroup(*this, "List Type", kIdcPhone, {"&Phone list", "&Address list", "&E-mail list"}));
  layout->addWidget(
      AddControl(kIdcIncludeAll, Check("&Include descendants with no contact information")));
  layout->addWidget(Edit(kIdcYear, "&Born before:", 4));
  AddButtons(*this, *layout);
  connect(Control<QCheckBox>(kIdcIncludeAll), &QCheckBox::clicked, this,
          [this](bool on) { EnableControl(kIdcYear, on); });
  type_ = options_.famReunType;
  all_ = options_.famReunAll;
  year_ = options_.famReunYr;
}

void CFamilyReunionOptionsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  EnableControl(kIdcYear, all_ != 0);
}

bool CFamilyReunionOptionsDialog::DoDataExchange(bool save) {
  ExchangeRadio(save, Ids(kIdcPhone, 3), type_);
  ExchangeCheck(save, kIdcIncludeAll, all_);
  return ExchangeInt(save, kIdcYear, year_, 100, 2047);
}

void CFamilyReunionOptionsDialog::OnOK() {
  if (!UpdateData(true)) return;
  options_.famReunType = type_;
  options_.famReunAll = all_;
  options_.famReunYr = year_;
  EndDialog(fw::kIdOk);
}

// ---- RIN range ----

CRinRangeDialog::CRinRangeDialog(QWidget* parent)
    : CListOptionDialog("Individuals by RIN", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Edit(kIdcStart, "&Starting RIN:", 6));
  layout->addWidget(Edit(kIdcEnd, "&Ending RIN:", 6));
  AddButtons(*this, *layout);
}

bool CRinRangeDialog::DoDataExchange(bool save) {
  if (!save) {
    ExchangeInt(save, kIdcStart, startRin, startRin, startRin);
    return ExchangeInt(save, kIdcEnd, endRin, endRin, endRin);
  }
  // The typed start is held between itself and the end the dialog held
  // before; then the typed end between the new start and itself. A range
  // the wrong way round is not put as "between 20 and 5": OK says the end
  // must be larger.
  auto typed = [this](int id) {
    std::int64_t value = 0;
    return fw::ParseIntInRange(GetControlText(id), INT32_MIN, INT32_MAX, value) == fw::IntParse::kOk
               ? static_cast<std::int32_t>(value)
               : INT32_MIN;
  };
  const std::int32_t heldEnd = endRin;
  const std::int32_t start = typed(kIdcStart);
  if (!ExchangeInt(save, kIdcStart, startRin, std::min(start, heldEnd), std::max(start, heldEnd)))
    return false;
  const std::int32_t end = typed(kIdcEnd);
  return ExchangeInt(save, kIdcEnd, endRin, std::min(startRin, end), std::max(startRin, end));
}

void CRinRangeDialog::OnOK() {
  if (!UpdateData(true) || !Passes(rpt::CheckRinOrder(startRin, endRin))) return;
  EndDialog(fw::kIdOk);
}

// ---- Name range ----

CNameRangeDialog::CNameRangeDialog(QWidget* parent)
    : CListOptionDialog("Individuals Sorted Alphabetically", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Edit(kIdcStart, "&Starting name:", 8));
  layout->addWidget(Edit(kIdcEnd, "&Ending name:", 8));
  AddButtons(*this, *layout);
}

bool CNameRangeDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcStart, startName);
  ExchangeText(save, kIdcEnd, endName);
  return true;
}

void CNameRangeDialog::OnOK() {
  if (!UpdateData(true) || !Passes(rpt::CheckNameOrder(startName, endName))) return;
  EndDialog(fw::kIdOk);
}

// ---- Marriage list ----

CMarriageListOptionsDialog::CMarriageListOptionsDialog(QWidget* parent)
    : CListOptionDialog("Marriage List Options", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup(*this, "Sort by", kIdcMrin, {"&MRIN", "H&usband", "&Wife"}));
  auto* grid = new QGridLayout;
  auto* startLabel = AddControl(kIdcStartLabel, new QLabel);
  auto* endLabel = AddControl(kIdcEndLabel, new QLabel);
  auto* start = AddControl(kIdcStart, new QLineEdit);
  auto* end = AddControl(kIdcEnd, new QLineEdit);
  for (QLineEdit* edit : {start, end}) {
    edit->setMaxLength(8);
    edit->setMinimumWidth(DialogUnitsToPixels(56, 0).width());
  }
  startLabel->setBuddy(start);
  endLabel->setBuddy(end);
  grid->addWidget(startLabel, 0, 0);
  grid->addWidget(start, 0, 1);
  grid->addWidget(endLabel, 1, 0);
  grid->addWidget(end, 1, 1);
  layout->addLayout(grid);
  AddButtons(*this, *layout);
  for (int id : Ids(kIdcMrin, 3))
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnSort(); });
  sort = rpt::ReadMarriageSort();
}

void CMarriageListOptionsDialog::ShowLabels() {
  SetControlText(kIdcStartLabel, sort == 0 ? "&Start MRIN:" : "&Start name:");
  SetControlText(kIdcEndLabel, sort == 0 ? "&End MRIN:" : "&End name:");
}

void CMarriageListOptionsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  ShowLabels();
}

bool CMarriageListOptionsDialog::DoDataExchange(bool save) {
  if (!save) CheckRadio(Ids(kIdcMrin, 3), sort);
  if (sort == 0) {
    if (!ExchangeInt(save, kIdcStart, startMrin, firstMrin, lastMrin)) return false;
    return ExchangeInt(save, kIdcEnd, endMrin, firstMrin, lastMrin);
  }
  ExchangeText(save, kIdcStart, startName);
  ExchangeText(save, kIdcEnd, endName);
  return true;
}

void CMarriageListOptionsDialog::OnSort() {
  const int chosen = GetCheckedRadio(Ids(kIdcMrin, 3));
  // The edits are taken under the old sort; a bad value keeps it.
  if (!UpdateData(true)) {
    CheckRadio(Ids(kIdcMrin, 3), sort);
    return;
  }
  const bool byName = sort != 0;
  sort = chosen;
  if (byName != (sort != 0)) {
    ShowLabels();
    UpdateData(false);
  }
}

void CMarriageListOptionsDialog::OnOK() {
  if (!UpdateData(true)) return;
  rpt::WriteMarriageSort(sort);
  const unsigned check = sort == 0 ? rpt::CheckRinOrder(startMrin, endMrin)
                                   : rpt::CheckMarriageNameOrder(startName, endName);
  if (!Passes(check)) return;
  EndDialog(fw::kIdOk);
}

// ---- End of line ----

CEndOfLineOptionsDialog::CEndOfLineOptionsDialog(const std::string& person, QWidget* parent)
    : CListOptionDialog("End-of-Line Individuals Options", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup(*this, "Individuals", kIdcAll,
                               {"&All individuals without recorded parents",
                                "Individuals without recorded parents on a &single line"}));
  auto* row = new QHBoxLayout;
  row->addWidget(AddControl(kIdcSelectionLabel, new QLabel(QStringLiteral("Current selection:"))));
  row->addWidget(AddControl(kIdcSelection, new QLabel(fw::ToQString(person))), 1);
  layout->addLayout(row);
  AddButtons(*this, *layout);
  for (int id : Ids(kIdcAll, 2))
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnType(); });
  type = rpt::ReadEndOfLineType();
}

void CEndOfLineOptionsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  EnableControl(kIdcSelectionLabel, type == 1);
  EnableControl(kIdcSelection, type == 1);
}

bool CEndOfLineOptionsDialog::DoDataExchange(bool save) {
  ExchangeRadio(save, Ids(kIdcAll, 2), type);
  return true;
}

void CEndOfLineOptionsDialog::OnType() {
  type = GetCheckedRadio(Ids(kIdcAll, 2));
  EnableControl(kIdcSelectionLabel, type == 1);
  EnableControl(kIdcSelection, type == 1);
  rpt::WriteEndOfLineType(type);
}

// ---- Possible problems ----

CPossibleProblemsDialog::CPossibleProblemsDialog(rpt::CListsPageOptions& page, QWidget* parent)
    : CListOptionDialog("Possible Problems List", parent),
      settings(page.problems),
      firstRin_(page.live.firstRin),
      lastRin_(page.live.lastRin) {
  const std::string rinStart = std::to_string(page.RinStart());
  const std::string rinEnd = std::to_string(page.RinEnd());
  if (settings.sort != 0) {
    startText = page.NameStart();
    endText = page.NameEnd();
    asideStart_ = rinStart;
    asideEnd_ = rinEnd;
  } else {
    startText = rinStart;
    endText = rinEnd;
    asideStart_ = page.NameStart();
    asideEnd_ = page.NameEnd();
  }
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(RadioGroup(*this, "Sort", kIdcRin, {"&RIN", "&Alphabetic"}));
  auto* range = new QGroupBox(QStringLiteral("Range"));
  auto* rangeLayout = new QVBoxLayout(range);
  rangeLayout->addWidget(Edit(kIdcStart, "&Start:", 8));
  rangeLayout->addWidget(Edit(kIdcEnd, "&End:", 8));
  top->addWidget(range, 1);
  layout->addLayout(top);
  auto* ages = new QGroupBox(QStringLiteral("Ages"));
  auto* agesLayout = new QVBoxLayout(ages);
  const char* const ageTexts[] = {
      "Mother's lowest age:", "Mother's highest age:", "Father's lowest age:",
      "Father's highest age:", "Husband-wife age difference:"};
  for (int i = 0; i < 5; ++i) agesLayout->addWidget(Edit(kIdcMoLowest + i, ageTexts[i], 3));
  layout->addWidget(ages);
  layout->addWidget(AddControl(kIdcCheckZel, Check("Check &ZEL data")));
  layout->addWidget(AddControl(kIdcCheckOrder, Check("Check marriage and children &order")));
  AddButtons(*this, *layout);
  for (int id : Ids(kIdcRin, 2))
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnSort(); });
}

void CPossibleProblemsDialog::OnInitDialog() { fw::CDialogBase::OnInitDialog(); }

bool CPossibleProblemsDialog::DoDataExchange(bool save) {
  ExchangeRadio(save, Ids(kIdcRin, 2), settings.sort);
  ExchangeText(save, kIdcStart, startText);
  ExchangeText(save, kIdcEnd, endText);
  int* ages[] = {&settings.moLowest, &settings.moHighest, &settings.faLowest, &settings.faHighest,
                 &settings.hwSpan};
  for (int i = 0; i < 5; ++i) {
    std::int32_t value = *ages[i];
    if (!ExchangeInt(save, kIdcMoLowest + i, value, 0, 999)) return false;
    *ages[i] = value;
  }
  ExchangeCheck(save, kIdcCheckZel, settings.checkZel);
  ExchangeCheck(save, kIdcCheckOrder, settings.checkMcOrder);
  return true;
}

void CPossibleProblemsDialog::OnSort() {
  const int chosen = GetCheckedRadio(Ids(kIdcRin, 2));
  if (chosen == settings.sort) return;
  settings.sort = chosen;
  const std::string start = GetControlText(kIdcStart), end = GetControlText(kIdcEnd);
  SetControlText(kIdcStart, asideStart_);
  SetControlText(kIdcEnd, asideEnd_);
  asideStart_ = start;
  asideEnd_ = end;
}

void CPossibleProblemsDialog::OnOK() {
  if (!UpdateData(true)) return;
  if (settings.sort != 0) {
    if (!Passes(rpt::CheckNameOrder(startText, endText))) return;
  } else {
    const auto start = static_cast<std::int32_t>(std::atol(startText.c_str()));
    const auto end = static_cast<std::int32_t>(std::atol(endText.c_str()));
    if (!Passes(rpt::CheckProblemsRins(start, end, firstRin_, lastRin_), firstRin_, lastRin_))
      return;
  }
  EndDialog(fw::kIdOk);
}

void CPossibleProblemsDialog::GiveBack(rpt::CListsPageOptions& page) const {
  page.problems = settings;
  if (settings.sort != 0) {
    page.NameStart() = startText;
    page.NameEnd() = endText;
  } else {
    page.RinStart() = static_cast<int>(std::atol(startText.c_str()));
    page.RinEnd() = static_cast<int>(std::atol(endText.c_str()));
  }
}

// ---- ZEL lists ----

CZelListDialog::CZelListDialog(bool sealings, QWidget* parent)
    : CListOptionDialog(sealings ? "ZEL Incomplete Marriage Sealings Options"
                                 : "ZEL Incomplete Individual Ordinances Options",
                        parent),
      sealings_(sealings) {
  values = rpt::ReadZelListOptions();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      AddControl(kIdcDeceased, Check(sealings ? "&Deceased Only" : "&Deceased only")));
  if (!sealings)
    layout->addWidget(AddControl(kIdcEndOfLine, Check("Include &end-of-line individuals")));
  layout->addWidget(
      AddControl(kIdcSubmitted, Check("Include records marked \"Submitted\" or \"Cleared\"")));
  layout->addWidget(
      AddControl(kIdcCompleted, Check("Include records marked \"Completed\" or \"Done\"")));
  auto* years = new QHBoxLayout;
  years->addWidget(Edit(
      kIdcStartYear, sealings ? "&Married between the years of" : "&Born between the years of", 4));
  years->addWidget(Edit(kIdcEndYear, "and", 4));
  layout->addLayout(years);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(RadioGroup(*this, "Temple Submission Status", kIdcQualified,
                               {"Qualified", "Not qualified", "Both"}));
  auto* range = new QGroupBox(QString::fromLatin1(sealings ? "MRIN Range" : "Name Range"));
  auto* rangeLayout = new QVBoxLayout(range);
  rangeLayout->addWidget(Edit(kIdcStart, "Start:", sealings ? 6 : 8));
  rangeLayout->addWidget(Edit(kIdcEnd, "End:", sealings ? 6 : 8));
  bottom->addWidget(range, 1);
  layout->addLayout(bottom);
  AddButtons(*this, *layout);
}

bool CZelListDialog::DoDataExchange(bool save) {
  rpt::ZelListOptions& v = values;
  ExchangeCheck(save, kIdcDeceased, v.deceased);
  if (!sealings_) ExchangeCheck(save, kIdcEndOfLine, v.endOfLine);
  ExchangeCheck(save, kIdcSubmitted, v.submitted);
  ExchangeCheck(save, kIdcCompleted, v.completed);
  std::int32_t start = v.startYear, end = v.endYear;
  if (!ExchangeInt(save, kIdcStartYear, start, 0, 2047) ||
      !ExchangeInt(save, kIdcEndYear, end, 0, 2047))
    return false;
  v.startYear = start;
  v.endYear = end;
  ExchangeRadio(save, Ids(kIdcQualified, 3), v.temple);
  if (!sealings_) {
    ExchangeText(save, kIdcStart, v.startName);
    ExchangeText(save, kIdcEnd, v.endName);
    return true;
  }
  return ExchangeInt(save, kIdcStart, v.startMrin, firstMrin, lastMrin) &&
         ExchangeInt(save, kIdcEnd, v.endMrin, firstMrin, lastMrin);
}

void CZelListDialog::OnOK() {
  if (!UpdateData(true)) return;
  if (sealings_)
    rpt::WriteZelSealings(values);
  else
    rpt::WriteZelOrdinances(values);
  EndDialog(fw::kIdOk);
}
