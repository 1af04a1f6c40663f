#include "PersonReportPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <ctime>
#include <functional>

#include "AppOptions.h"
#include "ChartOptionDialogs.h"
#include "DateKeywords.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SheetFamilyReads.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QCheckBox* Check(const char* text) { return new QCheckBox(QString::fromLatin1(text)); }
QRadioButton* Radio(const char* text) { return new QRadioButton(QString::fromLatin1(text)); }

// A check indented under the one it depends on.
QCheckBox* Indented(fw::CDialogBase& page, QCheckBox* box) {
  box->setContentsMargins(page.DialogUnitsToPixels(10, 0).width(), 0, 0, 0);
  return box;
}

// The calendar year: any four digits may be typed (the page refuses a
// year outside 100 to 2100 with the range message), while the arrows step
// within 100 to 2100.
class CYearSpin : public QSpinBox {
 public:
  CYearSpin() { setRange(0, 9999); }
  void stepBy(int steps) override {
    setValue(rpt::CCalendarOptions::StepYear(value(), steps));
    selectAll();
  }
  // Called when the keyboard moves from the field to another of the window.
  std::function<void()> onLeave;

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    QSpinBox::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (onLeave && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
      onLeave();
  }
  StepEnabled stepEnabled() const override {
    StepEnabled on = StepNone;
    if (value() < rpt::CCalendarOptions::kYearHigh) on |= StepUpEnabled;
    if (value() > rpt::CCalendarOptions::kYearLow) on |= StepDownEnabled;
    return on;
  }
};

// A sample of a colour.
class CColourSwatch : public QWidget {
 public:
  explicit CColourSwatch(QWidget* parent = nullptr) : QWidget(parent) {
    setMinimumSize(24, 16);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  }
  void SetColour(std::uint32_t colour) {
    colour_ = QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                     static_cast<int>(colour >> 16 & 0xFF));
    update();
  }
  QSize sizeHint() const override { return {32, 18}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }

 private:
  QColor colour_;
};

std::uint32_t ChooseColourDefault(QWidget* parent, std::uint32_t current) {
  const QColor now(static_cast<int>(current & 0xFF), static_cast<int>(current >> 8 & 0xFF),
                   static_cast<int>(current >> 16 & 0xFF));
  const QColor chosen = QColorDialog::getColor(now, parent);
  if (!chosen.isValid()) return current;
  return static_cast<std::uint32_t>(chosen.red()) |
         static_cast<std::uint32_t>(chosen.green()) << 8 |
         static_cast<std::uint32_t>(chosen.blue()) << 16;
}

rpt::FilterSummary FilterOf(const CReportsPropSheet& sheet) {
  return sheet.Env().filterSummary ? sheet.Env().filterSummary() : rpt::FilterSummary{};
}

// After the Individual List: whether the file still has live individuals.
bool HasLiveIndividuals() {
  std::int32_t low = 0, high = 0;
  rpt::LiveNumberRange(false, low, high);
  return high > 0;
}

}  // namespace

// ---- shared ----

QWidget* CPersonOrListPage::BuildStartingGroup(int groupId, int fieldId, int useListId,
                                               int searchId) {
  groupId_ = groupId;
  fieldId_ = fieldId;
  useListId_ = useListId;
  searchId_ = searchId;
  auto* group = AddControl(groupId, new QGroupBox);
  auto* row = new QHBoxLayout(group);
  auto* name = AddControl(fieldId, new QLabel);
  name->setMinimumWidth(DialogUnitsToPixels(120, 0).width());
  row->addWidget(name, 1);
  row->addWidget(AddControl(useListId, Check("Use &list")));
  row->addWidget(AddControl(searchId, new QPushButton));
  connect(Control<QCheckBox>(useListId), &QCheckBox::clicked, this, [this] { OnUseList(); });
  connect(Control<QPushButton>(searchId), &QPushButton::clicked, this, [this] { OnSearch(); });
  return group;
}

void CPersonOrListPage::ShowGroupTexts() {
  const rpt::StartingGroupTexts texts =
      rpt::MakeStartingGroupTexts(ListOpt() != 0, FilterOf(sheet_), sheet_.Model().StartingName());
  SetControlText(groupId_, texts.group);
  SetControlText(fieldId_, texts.field);
  SetControlText(searchId_, texts.button);
}

void CPersonOrListPage::ShowStartingPerson() { ShowGroupTexts(); }

void CPersonOrListPage::OnUseList() {
  ListOpt() = GetCheck(useListId_) == 1 ? 1 : 0;
  ShowGroupTexts();
  if (ListOpt() != 0) OnSearch();
}

void CPersonOrListPage::OnSearch() {
  const CReportsPropSheet::Environment& env = sheet_.Env();
  if (ListOpt() != 0) {
    if (!env.selectIndividuals || !env.selectIndividuals(sheet_.Model().StartingRin())) return;
    if (!HasLiveIndividuals()) {
      sheet_.CloseSoon();
      return;
    }
    ShowGroupTexts();
    return;
  }
  if (!UpdateData(true) || !env.findPerson) return;
  const std::int32_t rin =
      env.findPerson(sheet_.Model().StartingRin(), sheet_.Model().StartingName());
  if (rin <= 0 || !sheet_.Model().SetStartingPerson(rin)) return;
  sheet_.StartingPersonChanged();
}

// ---- Individual Summary ----

CIndividualSummaryPage::CIndividualSummaryPage(CReportsPropSheet& sheet)
    : CPersonOrListPage(sheet), logic_(sheet.IdentifierDisplay()) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsIndividualSummary)));
  QWidget* person = BuildStartingGroup(kIdcPersonGroup, kIdcName, kIdcUseList, kIdcSearch);

  auto* notes = new QGroupBox(QStringLiteral("Notes Options"));
  auto* notesLayout = new QVBoxLayout(notes);
  notesLayout->addWidget(AddControl(kIdcGeneralNotes, Check("&General notes")));
  notesLayout->addWidget(
      AddControl(kIdcMarkedOnly, Indented(*this, Check("Marked notes (!) only"))));
  notesLayout->addWidget(AddControl(kIdcSourceNotes, Check("Source notes")));
  notesLayout->addWidget(AddControl(kIdcTitlesOnly, Indented(*this, Check("Titles only"))));
  notesLayout->addWidget(AddControl(kIdcActualText, Indented(*this, Check("Actual text"))));
  notesLayout->addWidget(AddControl(kIdcComments, Indented(*this, Check("Comments"))));
  notesLayout->addWidget(AddControl(kIdcConfidential, Check("Confidential notes (~) and events")));
  notesLayout->addStretch(1);

  auto* other = new QGroupBox(QStringLiteral("Other Options"));
  auto* otherLayout = new QVBoxLayout(other);
  const std::pair<int, const char*> others[] = {{kIdcPhoto, "Include &photo"},
                                                {kIdcSuppressRin, "Suppress &RIN/MRINs"},
                                                {kIdcParentLinks, "Parent links"},
                                                {kIdcMultipleParents, "Multiple parents"},
                                                {kIdcContact, "Contact information"}};
  for (const auto& [id, text] : others) otherLayout->addWidget(AddControl(id, Check(text)));
  otherLayout->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->addWidget(notes, 1);
  columns->addWidget(other, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(person);
  layout->addLayout(columns);
  layout->addStretch(1);

  ShowStartingPerson();
  for (int id : {kIdcGeneralNotes, kIdcSourceNotes, kIdcTitlesOnly})
    connect(Control<QCheckBox>(id), &QCheckBox::clicked, this, [this] { OnNotes(); });
  connect(Control<QCheckBox>(kIdcPhoto), &QCheckBox::clicked, this, [this](bool on) {
    logic_.photos.opt = on ? 1 : 0;
    sheet_.EnablePhotos(on);
  });
}

rpt::SheetPageLogic& CIndividualSummaryPage::Logic() {
  logic_.startingRin = sheet_.Model().StartingRin();
  return logic_;
}

void CIndividualSummaryPage::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  ShowEnabled();
  ShowStartingPerson();
}

bool CIndividualSummaryPage::DoDataExchange(bool save) {
  ExchangeCheck(save, kIdcUseList, logic_.listOpt);
  ExchangeCheck(save, kIdcGeneralNotes, logic_.notes);
  ExchangeCheck(save, kIdcMarkedOnly, logic_.markedOnly);
  ExchangeCheck(save, kIdcSourceNotes, logic_.source);
  ExchangeCheck(save, kIdcTitlesOnly, logic_.titleOnly);
  ExchangeCheck(save, kIdcActualText, logic_.actText);
  ExchangeCheck(save, kIdcComments, logic_.comments);
  ExchangeCheck(save, kIdcConfidential, logic_.confident);
  ExchangeCheck(save, kIdcPhoto, logic_.photos.opt);
  ExchangeCheck(save, kIdcSuppressRin, logic_.suppressRin);
  ExchangeCheck(save, kIdcParentLinks, logic_.relInd);
  ExchangeCheck(save, kIdcMultipleParents, logic_.parInd);
  ExchangeCheck(save, kIdcContact, logic_.contact);
  return true;
}

void CIndividualSummaryPage::ShowEnabled() {
  const rpt::CIndividualSummaryOptions::Enabled on = logic_.EnabledStates();
  EnableControl(kIdcMarkedOnly, on.markedOnly);
  EnableControl(kIdcTitlesOnly, on.titlesOnly);
  EnableControl(kIdcActualText, on.actualText);
  EnableControl(kIdcComments, on.comments);
  EnableControl(kIdcSuppressRin, on.suppressRin);
}

void CIndividualSummaryPage::OnNotes() {
  UpdateData(true);
  ShowEnabled();
}

void CIndividualSummaryPage::OnSetActive() {
  ShowPrintButtons(true, true, true, logic_.photos.opt != 0, 203);
}

bool CIndividualSummaryPage::OnKillActive() { return TakeAndWriteSettings(logic_); }

// ---- Scrapbook ----

CScrapbookPage::CScrapbookPage(CReportsPropSheet& sheet)
    : CPersonOrListPage(sheet), logic_(sheet.IdentifierDisplay()) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsScrapbook)));
  QWidget* person = BuildStartingGroup(kIdcPersonGroup, kIdcName, kIdcUseList, kIdcSearch);

  auto* items = new QGroupBox(QStringLiteral("Item Options"));
  auto* itemsLayout = new QGridLayout(items);
  itemsLayout->addWidget(AddControl(kIdcCaption, Check("Include &caption")), 0, 0);
  auto* positions = new QHBoxLayout;
  positions->addWidget(AddControl(kIdcAbove, Radio("&Above photo")));
  positions->addWidget(AddControl(kIdcAbove + 1, Radio("&Below photo")));
  positions->addStretch(1);
  itemsLayout->addLayout(positions, 0, 1);
  itemsLayout->addWidget(AddControl(kIdcFileName, Check("Include &file name")), 1, 0);
  itemsLayout->addWidget(AddControl(kIdcDescription, Check("Include &description")), 2, 0);
  itemsLayout->addWidget(AddControl(kIdcBoxes, Check("&Print boxes")), 3, 0);
  auto* styles = AddControl(kIdcBoxStyles, new QPushButton(QStringLiteral("Bo&x Styles")));
  itemsLayout->addWidget(styles, 3, 1, Qt::AlignLeft);
  itemsLayout->addWidget(AddControl(kIdcSuppressRin, Check("Suppress &RINs")), 1, 1);

  auto* perPage = new QGroupBox(QStringLiteral("&Items per Page"));
  auto* perPageLayout = new QHBoxLayout(perPage);
  for (const auto& [id, text] : {std::pair{kIdcAcross, "Across"}, std::pair{kIdcDown, "Down"}}) {
    auto* spin = AddControl(id, new QSpinBox);
    spin->setRange(rpt::CScrapbookOptions::kMinPerPage, rpt::CScrapbookOptions::kMaxPerPage);
    auto* label = AddControl(id - 1, new QLabel(QString::fromLatin1(text)));
    label->setBuddy(spin);
    perPageLayout->addWidget(spin);
    perPageLayout->addWidget(label);
  }
  perPageLayout->addStretch(1);

  auto* size = new QGroupBox;
  auto* sizeLayout = new QVBoxLayout(size);
  sizeLayout->addWidget(AddControl(kIdcPhotoSize, new QLabel));
  auto* uses = new QHBoxLayout;
  uses->addWidget(AddControl(kIdcExactSize, Radio("Exact size")));
  uses->addWidget(AddControl(kIdcExactSize + 1, Radio("Minimum size")));
  uses->addStretch(1);
  sizeLayout->addLayout(uses);
  // The two radio pairs are groups of their own.
  auto* positionGroup = new QButtonGroup(this);
  positionGroup->addButton(Control<QRadioButton>(kIdcAbove));
  positionGroup->addButton(Control<QRadioButton>(kIdcAbove + 1));
  auto* useGroup = new QButtonGroup(this);
  useGroup->addButton(Control<QRadioButton>(kIdcExactSize));
  useGroup->addButton(Control<QRadioButton>(kIdcExactSize + 1));

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(perPage);
  bottom->addWidget(size, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(person);
  layout->addWidget(items);
  layout->addLayout(bottom);
  layout->addStretch(1);

  // The texts now, so that the sheet is sized for them.
  SetControlText(kIdcPhotoSize, logic_.PhotoSizeLabel());
  ShowStartingPerson();
  for (int id : {kIdcCaption, kIdcBoxes})
    connect(Control<QCheckBox>(id), &QCheckBox::clicked, this, [this] { OnChecks(); });
  connect(styles, &QPushButton::clicked, this, [this] { OnBoxStyles(); });
}

rpt::SheetPageLogic& CScrapbookPage::Logic() {
  logic_.startingRin = sheet_.Model().StartingRin();
  return logic_;
}

void CScrapbookPage::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  SetControlText(kIdcPhotoSize, logic_.PhotoSizeLabel());
  ShowEnabled();
  ShowStartingPerson();
}

bool CScrapbookPage::DoDataExchange(bool save) {
  const std::vector<int> positions{kIdcAbove, kIdcAbove + 1};
  ExchangeCheck(save, kIdcUseList, logic_.listOpt);
  ExchangeCheck(save, kIdcCaption, logic_.caption);
  if (!save)
    CheckRadio(positions, logic_.capPos);
  else if (IsControlEnabled(kIdcAbove))
    logic_.SetShownCaptionPosition(GetCheckedRadio(positions));
  ExchangeCheck(save, kIdcFileName, logic_.fileName);
  ExchangeCheck(save, kIdcDescription, logic_.descr);
  ExchangeCheck(save, kIdcBoxes, logic_.box);
  ExchangeCheck(save, kIdcSuppressRin, logic_.suppressRin);
  ExchangeRadio(save, {kIdcExactSize, kIdcExactSize + 1}, logic_.photoUse);
  auto* across = Control<QSpinBox>(kIdcAcross);
  auto* down = Control<QSpinBox>(kIdcDown);
  if (save) {
    logic_.across = across->value();
    logic_.down = down->value();
  } else {
    across->setValue(logic_.across);
    down->setValue(logic_.down);
  }
  return true;
}

void CScrapbookPage::ShowEnabled() {
  const rpt::CScrapbookOptions::Enabled on = logic_.EnabledStates();
  EnableControl(kIdcBoxStyles, on.boxStyles);
  EnableControl(kIdcAbove, on.captionPosition);
  EnableControl(kIdcAbove + 1, on.captionPosition);
  EnableControl(kIdcSuppressRin, on.suppressRin);
}

void CScrapbookPage::OnChecks() {
  // The position shown while captions were on is the one kept.
  if (logic_.caption != 0)
    logic_.SetShownCaptionPosition(GetCheckedRadio({kIdcAbove, kIdcAbove + 1}));
  logic_.caption = GetCheck(kIdcCaption) == 1 ? 1 : 0;
  logic_.box = GetCheck(kIdcBoxes) == 1 ? 1 : 0;
  ShowEnabled();
}

void CScrapbookPage::OnBoxStyles() {
  plat::ProfilePort& profile = plat::Profile();
  const char* section = rpt::CScrapbookOptions::kSection;
  CWallChartBoxStyleDialog dialog(this);
  dialog.corner = profile.GetInt(section, "BoxCorner", 0);
  dialog.line = profile.GetInt(section, "BoxLine", 0);
  dialog.shade = profile.GetInt(section, "BoxShade", 0);
  dialog.shadow = profile.GetInt(section, "BoxShadow", 0);
  if (dialog.exec() != fw::kIdOk) return;
  profile.SetInt(section, "BoxCorner", dialog.corner);
  profile.SetInt(section, "BoxLine", dialog.line);
  profile.SetInt(section, "BoxShade", dialog.shade);
  profile.SetInt(section, "BoxShadow", dialog.shadow);
  profile.SetColor("Reports", "WallShadeClr", dialog.shadeColor);
  profile.SetColor("Reports", "WallShadowClr", dialog.shadowColor);
}

void CScrapbookPage::OnSetActive() {
  ShowPrintButtons(true, true, true, true, 206);
  // The Photos dialog may have changed the sizes.
  SetControlText(kIdcPhotoSize, logic_.PhotoSizeLabel());
}

bool CScrapbookPage::OnKillActive() { return TakeAndWriteSettings(logic_); }

// ---- Books ----

namespace {
const std::vector<int> kBookTypes{CBooksPage::kIdcAhnentafel, CBooksPage::kIdcAhnentafel + 1};
const std::vector<int> kBookRepeats{CBooksPage::kIdcEliminate, CBooksPage::kIdcEliminate + 1,
                                    CBooksPage::kIdcEliminate + 2};
}  // namespace

CBooksPage::CBooksPage(CReportsPropSheet& sheet)
    : CReportSheetPage(sheet),
      logic_(sheet.IdentifierDisplay(),
             sheet.Env().options != nullptr && sheet.Env().options->showZel != 0) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsBooks)));
  auto* person = BuildPersonGroup(kIdcPersonGroup, kIdcName, kIdcSearch);

  auto* type = new QGroupBox(QStringLiteral("Type of Book"));
  auto* typeLayout = new QVBoxLayout(type);
  typeLayout->addWidget(AddControl(kIdcAhnentafel, Radio("&Ahnentafel (Ancestry)")));
  typeLayout->addWidget(AddControl(kIdcAhnentafel + 1, Radio("&Modified register (Descendancy)")));

  auto* notes = new QGroupBox(QStringLiteral("Notes Options"));
  auto* notesLayout = new QVBoxLayout(notes);
  notesLayout->addWidget(AddControl(kIdcSourceNotes, Check("Sour&ce notes")));
  for (const auto& [id, text] :
       {std::pair{kIdcTitlesOnly, "Titles only"}, std::pair{kIdcText, "Text"},
        std::pair{kIdcComments, "Comments"}, std::pair{kIdcEndOfChapter, "End of chapter"}})
    notesLayout->addWidget(AddControl(id, Indented(*this, Check(text))));
  notesLayout->addWidget(AddControl(kIdcGeneralNotes, Check("General no&tes")));
  notesLayout->addWidget(
      AddControl(kIdcMarkedOnly, Indented(*this, Check("Marked notes (!) only"))));
  notesLayout->addWidget(AddControl(kIdcEmbed, Indented(*this, Check("Em&bed"))));

  auto* repeat = new QGroupBox(QStringLiteral("Repeated Individuals"));
  auto* repeatLayout = new QVBoxLayout(repeat);
  const char* const repeats[] = {"&Eliminate", "Abbreviated reference", "Full repeat"};
  for (int i = 0; i < 3; ++i)
    repeatLayout->addWidget(AddControl(kIdcEliminate + i, Radio(repeats[i])));
  auto* typeGroup = new QButtonGroup(this);
  for (int id : kBookTypes) typeGroup->addButton(Control<QRadioButton>(id));
  auto* repeatGroup = new QButtonGroup(this);
  for (int id : kBookRepeats) repeatGroup->addButton(Control<QRadioButton>(id));

  auto* other = new QGroupBox(QStringLiteral("Other Options"));
  auto* otherLayout = new QVBoxLayout(other);
  auto* gensRow = new QHBoxLayout;
  auto* gensEdit = AddControl(kIdcGenerations, new QLineEdit);
  gensEdit->setMaxLength(3);
  gensEdit->setMaximumWidth(DialogUnitsToPixels(30, 0).width());
  auto* gensLabel =
      AddControl(kIdcGenerations - 1, new QLabel(QStringLiteral("Ma&ximum generations to print:")));
  gensLabel->setBuddy(gensEdit);
  gensRow->addWidget(gensLabel);
  gensRow->addWidget(gensEdit);
  gensRow->addStretch(1);
  otherLayout->addLayout(gensRow);
  const std::pair<int, const char*> others[] = {
      {kIdcIndex, "Include &index"},
      {kIdcSuppressRin, "Suppress &RIN/MRINs"},
      {kIdcParentLinks, "Parent links"},
      {kIdcNewPage, "Each &generation on a new page"},
      {kIdcPhotos, "Include &photos"},
      {kIdcParentIndicators, "Multiple parents indicators"},
      {kIdcOtherEvents, "Include \"other\" events"},
      {kIdcConfidential, "Confidential notes (~) && events"},
      {kIdcZel, "Include &ZEL data"}};
  for (const auto& [id, text] : others) otherLayout->addWidget(AddControl(id, Check(text)));
  otherLayout->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addWidget(type);
  left->addWidget(notes);
  left->addWidget(repeat);
  left->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addWidget(other, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(person);
  layout->addLayout(columns);
  ShowStartingPerson();
  if (!logic_.showZel) Control<QCheckBox>(kIdcZel)->hide();

  for (int id : {kIdcSourceNotes, kIdcTitlesOnly, kIdcGeneralNotes})
    connect(Control<QCheckBox>(id), &QCheckBox::clicked, this, [this] { OnNotes(); });
  for (int id : kBookTypes)
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] { OnType(); });
  connect(Control<QCheckBox>(kIdcEndOfChapter), &QCheckBox::clicked, this, [this](bool on) {
    logic_.SetEndOfChapter(on);
    SetCheck(kIdcNewPage, logic_.newPg);
  });
  connect(Control<QCheckBox>(kIdcNewPage), &QCheckBox::clicked, this, [this](bool on) {
    logic_.SetNewPage(on);
    SetCheck(kIdcEndOfChapter, logic_.endChap);
  });
  connect(Control<QCheckBox>(kIdcPhotos), &QCheckBox::clicked, this, [this](bool on) {
    logic_.photos.opt = on ? 1 : 0;
    sheet_.EnablePhotos(on);
  });
  connect(Control<QPushButton>(kIdcSearch), &QPushButton::clicked, this, [this] {
    const CReportsPropSheet::Environment& env = sheet_.Env();
    if (!UpdateData(true) || !env.findPerson) return;
    const std::int32_t rin =
        env.findPerson(sheet_.Model().StartingRin(), sheet_.Model().StartingName());
    if (rin > 0 && sheet_.Model().SetStartingPerson(rin)) sheet_.StartingPersonChanged();
  });
}

rpt::SheetPageLogic& CBooksPage::Logic() {
  logic_.startingRin = sheet_.Model().StartingRin();
  return logic_;
}

void CBooksPage::ShowStartingPerson() { SetControlText(kIdcName, sheet_.Model().StartingName()); }

void CBooksPage::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  ShowEnabled();
}

bool CBooksPage::DoDataExchange(bool save) {
  ExchangeRadio(save, kBookTypes, logic_.type);
  ExchangeRadio(save, kBookRepeats, logic_.repeat);
  if (!ExchangeInt(save, kIdcGenerations, logic_.gens, 1, logic_.GenerationsHigh())) return false;
  const std::pair<int, int*> checks[] = {{kIdcSourceNotes, &logic_.sourceNotes},
                                         {kIdcTitlesOnly, &logic_.titleOnly},
                                         {kIdcText, &logic_.actText},
                                         {kIdcComments, &logic_.comments},
                                         {kIdcEndOfChapter, &logic_.endChap},
                                         {kIdcGeneralNotes, &logic_.otherNotes},
                                         {kIdcMarkedOnly, &logic_.markedOnly},
                                         {kIdcEmbed, &logic_.embedNotes},
                                         {kIdcIndex, &logic_.index},
                                         {kIdcSuppressRin, &logic_.suppressRin},
                                         {kIdcParentLinks, &logic_.relInd},
                                         {kIdcNewPage, &logic_.newPg},
                                         {kIdcPhotos, &logic_.photos.opt},
                                         {kIdcParentIndicators, &logic_.parInd},
                                         {kIdcOtherEvents, &logic_.otherEvents},
                                         {kIdcConfidential, &logic_.confident},
                                         {kIdcZel, &logic_.zel}};
  for (const auto& [id, value] : checks) ExchangeCheck(save, id, *value);
  return true;
}

void CBooksPage::ShowEnabled() {
  const rpt::CBooksOptions::Enabled on = logic_.EnabledStates();
  EnableControl(kIdcTitlesOnly, on.titlesOnly);
  EnableControl(kIdcEndOfChapter, on.endOfChapter);
  EnableControl(kIdcText, on.text);
  EnableControl(kIdcComments, on.comments);
  EnableControl(kIdcMarkedOnly, on.markedOnly);
  EnableControl(kIdcEmbed, on.embed);
  EnableControl(kIdcSuppressRin, on.suppressRin);
}

void CBooksPage::OnNotes() {
  logic_.sourceNotes = GetCheck(kIdcSourceNotes) == 1 ? 1 : 0;
  logic_.titleOnly = GetCheck(kIdcTitlesOnly) == 1 ? 1 : 0;
  logic_.otherNotes = GetCheck(kIdcGeneralNotes) == 1 ? 1 : 0;
  ShowEnabled();
}

void CBooksPage::OnType() {
  logic_.type = GetCheckedRadio(kBookTypes);
  // The print buttons follow the book's report kind.
  OnSetActive();
}

void CBooksPage::OnSetActive() { ShowPrintButtons(true, true, true, logic_.photos.opt != 0, 205); }

bool CBooksPage::OnKillActive() { return TakeAndWriteSettings(logic_); }

// ---- Calendar ----

CCalendarPage::CCalendarPage(CReportsPropSheet& sheet, int currentYear, int currentMonth)
    : CReportSheetPage(sheet), logic_(currentYear, currentMonth) {
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsCalendar)));
  chooseColour = [this](std::uint32_t current) { return ChooseColourDefault(this, current); };

  auto* when = new QGridLayout;
  auto* year = AddControl(kIdcYear, new CYearSpin);
  // Leaving the year checks the page, so that a year out of range is said
  // at once.
  year->onLeave = [this] { UpdateData(true); };
  auto* yearLabel = AddControl(kIdcYear - 1, new QLabel(QStringLiteral("&Year:")));
  yearLabel->setBuddy(year);
  when->addWidget(yearLabel, 0, 0);
  when->addWidget(year, 0, 1);
  auto* month = AddControl(kIdcMonth, new QComboBox);
  auto* monthLabel = AddControl(kIdcMonth - 1, new QLabel(QStringLiteral("&Month:")));
  monthLabel->setBuddy(month);
  when->addWidget(monthLabel, 1, 0);
  when->addWidget(month, 1, 1);
  auto* week = AddControl(kIdcWeekStart, new QComboBox);
  auto* weekLabel =
      AddControl(kIdcWeekStart - 1, new QLabel(QStringLiteral("Starting Day of Week")));
  weekLabel->setBuddy(week);
  when->addWidget(weekLabel, 2, 0);
  when->addWidget(week, 2, 1);
  when->setColumnStretch(2, 1);

  auto* include = new QGroupBox(QStringLiteral("Options"));
  auto* includeLayout = new QGridLayout(include);
  includeLayout->addWidget(AddControl(kIdcLiving, Check("Living &only")), 0, 0);
  includeLayout->addWidget(AddControl(kIdcBirthdays, Check("Include &birthdays")), 1, 0);
  includeLayout->addWidget(AddControl(kIdcAnniversaries, Check("Include &anniversaries")), 2, 0);
  includeLayout->addWidget(AddControl(kIdcDivorced, Check("Include divorced ma&rriages")), 3, 0);
  includeLayout->addWidget(AddControl(kIdcMarriedNames, Check("Use married names")), 4, 0);
  auto* ageRow = new QHBoxLayout;
  ageRow->addWidget(AddControl(kIdcAge, Check("Print age on birth years &under:")));
  auto* ageEdit = AddControl(kIdcAgeUnder, new QLineEdit);
  ageEdit->setMaxLength(3);
  ageEdit->setMaximumWidth(DialogUnitsToPixels(30, 0).width());
  ageRow->addWidget(ageEdit);
  ageRow->addStretch(1);
  includeLayout->addLayout(ageRow, 5, 0);

  auto* colours = new QGroupBox(QStringLiteral("Colors"));
  auto* coloursLayout = new QGridLayout(colours);
  const std::pair<int, const char*> buttons[] = {{kIdcBorderLines, "Border Lin&es"},
                                                 {kIdcLines, "&Lines"},
                                                 {kIdcBackground, "&Date Background"}};
  for (int i = 0; i < 3; ++i) {
    const int id = buttons[i].first;
    auto* button = AddControl(id, new QPushButton(QString::fromLatin1(buttons[i].second)));
    coloursLayout->addWidget(button, i, 0);
    coloursLayout->addWidget(AddControl(kIdcBorderLinesSwatch + i, new CColourSwatch), i, 1);
    connect(button, &QPushButton::clicked, this, [this, i] { OnColour(i); });
  }
  auto* style = AddControl(kIdcBorderStyle, new QPushButton(QStringLiteral("Border S&tyle")));
  coloursLayout->addWidget(style, 3, 0);
  connect(style, &QPushButton::clicked, this, [this] { OnBorderStyle(); });

  auto* filter = AddControl(kIdcFilterGroup, new QGroupBox(QStringLiteral("Select Filter/Focus")));
  auto* filterLayout = new QHBoxLayout(filter);
  filterLayout->addWidget(AddControl(kIdcCount - 1, new QLabel(QStringLiteral("Individuals:"))));
  auto* count = AddControl(kIdcCount, new QLabel);
  count->setMinimumWidth(DialogUnitsToPixels(40, 0).width());
  filterLayout->addWidget(count, 1);
  auto* select = AddControl(kIdcSelect, new QPushButton(QStringLiteral("&Select")));
  filterLayout->addWidget(select);
  connect(select, &QPushButton::clicked, this, [this] { OnSelect(); });

  auto* columns = new QHBoxLayout;
  columns->addWidget(include, 1);
  columns->addWidget(colours);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(when);
  layout->addLayout(columns);
  layout->addWidget(filter);
  layout->addStretch(1);
}

rpt::SheetPageLogic& CCalendarPage::Logic() { return logic_; }

void CCalendarPage::OnInitDialog() {
  auto* week = Control<QComboBox>(kIdcWeekStart);
  for (const std::string& day : SplitKeywordList(res::LoadString(res::kIdsWeekdays)).written)
    week->addItem(fw::ToQString(day));
  auto* month = Control<QComboBox>(kIdcMonth);
  const DateKeywordSet& words = InterfaceDateKeywords();
  for (std::size_t i = 12; i < 24 && i < words.months.written.size(); ++i)
    month->addItem(fw::ToQString(words.months.written[i]));
  fw::CDialogBase::OnInitDialog();
  ShowFilter();
  ShowSwatches();
}

bool CCalendarPage::DoDataExchange(bool save) {
  auto* year = Control<QSpinBox>(kIdcYear);
  if (!save) {
    year->setValue(logic_.year);
  } else if (year->value() < rpt::CCalendarOptions::kYearLow ||
             year->value() > rpt::CCalendarOptions::kYearHigh) {
    plat::MessageBox(res::FormatString(res::kIdsParseIntRange,
                                       {std::to_string(rpt::CCalendarOptions::kYearLow),
                                        std::to_string(rpt::CCalendarOptions::kYearHigh)}),
                     "", plat::kMbOk | plat::kMbIconExclamation);
    year->setFocus();
    year->selectAll();
    return false;
  } else {
    logic_.year = year->value();
  }
  ExchangeCheck(save, kIdcLiving, logic_.living);
  ExchangeCheck(save, kIdcBirthdays, logic_.birthday);
  ExchangeCheck(save, kIdcAnniversaries, logic_.anniversary);
  ExchangeCheck(save, kIdcDivorced, logic_.divorceStat);
  ExchangeCheck(save, kIdcAge, logic_.age);
  if (!ExchangeInt(save, kIdcAgeUnder, logic_.ageUnder, rpt::CCalendarOptions::kAgeLow,
                   rpt::CCalendarOptions::kAgeHigh))
    return false;
  ExchangeCheck(save, kIdcMarriedNames, logic_.womenName);
  auto* week = Control<QComboBox>(kIdcWeekStart);
  auto* month = Control<QComboBox>(kIdcMonth);
  if (save) {
    logic_.startDayOfWeek = std::max(0, week->currentIndex());
    logic_.month = std::max(0, month->currentIndex());
  } else {
    week->setCurrentIndex(logic_.startDayOfWeek);
    month->setCurrentIndex(logic_.month);
  }
  return true;
}

void CCalendarPage::ShowFilter() {
  const rpt::FilterSummary filter = FilterOf(sheet_);
  if (!filter.present) return;
  SetControlText(kIdcFilterGroup, rpt::MakeStartingGroupTexts(true, filter, "").group);
  SetControlText(kIdcCount, std::to_string(filter.count));
}

void CCalendarPage::ShowSwatches() {
  for (int i = 0; i < 3; ++i)
    if (auto* swatch = dynamic_cast<CColourSwatch*>(GetControl(kIdcBorderLinesSwatch + i)))
      swatch->SetColour(logic_.ColourOf(i));
}

void CCalendarPage::OnColour(int which) {
  const std::uint32_t now = logic_.ColourOf(which);
  const std::uint32_t chosen = chooseColour ? chooseColour(now) : now;
  if (chosen == now) return;
  logic_.SetColour(which, chosen);
  ShowSwatches();
}

void CCalendarPage::OnBorderStyle() {
  CWallChartBoxStyleDialog dialog(this);
  dialog.corner = logic_.boxCorner;
  dialog.line = logic_.boxLine;
  dialog.shade = logic_.boxShade;
  dialog.shadeColor = logic_.shadeColour;
  dialog.showShadow = 0;
  dialog.caption = res::LoadString(res::kIdsBorderStyleCaption);
  if (dialog.exec() != fw::kIdOk) return;
  logic_.SetBorderStyle(dialog.corner, dialog.line, dialog.shade, dialog.shadeColor);
}

void CCalendarPage::OnSelect() {
  const CReportsPropSheet::Environment& env = sheet_.Env();
  if (!env.selectIndividuals || !env.selectIndividuals(sheet_.Model().StartingRin())) return;
  if (!HasLiveIndividuals()) {
    sheet_.CloseSoon();
    return;
  }
  ShowFilter();
}

void CCalendarPage::OnSetActive() { ShowPrintButtons(true, true, true, false, 210); }

std::string CCalendarPage::TitleName() {
  const std::string month = fw::FromQString(Control<QComboBox>(kIdcMonth)->currentText());
  return month + " " + std::to_string(Control<QSpinBox>(kIdcYear)->value());
}

bool CCalendarPage::OnKillActive() { return TakeAndWriteSettings(logic_); }

void RegisterPersonReportPages() {
  RegisterReportSheetPage(rpt::kPageBooks,
                          [](CReportsPropSheet& sheet) { return new CBooksPage(sheet); });
  RegisterReportSheetPage(rpt::kPageIndividualSummary, [](CReportsPropSheet& sheet) {
    return new CIndividualSummaryPage(sheet);
  });
  RegisterReportSheetPage(rpt::kPageScrapbook,
                          [](CReportsPropSheet& sheet) { return new CScrapbookPage(sheet); });
  RegisterReportSheetPage(rpt::kPageCalendar, [](CReportsPropSheet& sheet) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return new CCalendarPage(sheet, local.tm_year + 1900, local.tm_mon);
  });
}
