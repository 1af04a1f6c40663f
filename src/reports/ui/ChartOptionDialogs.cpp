#include "ChartOptionDialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "AppOptions.h"
#include "ChartBox.h"
#include "Ports.h"
#include "QtPorts.h"
#include "QtReportDevice.h"
#include "ReportSheetRules.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QString Q(const std::string& text) { return fw::ToQString(text); }

// OK and Cancel at the bottom right.
QHBoxLayout* OkCancel(fw::CDialogBase& dialog) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  auto* ok = dialog.AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = dialog.AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

// A label that names (and gives its mnemonic to) the control beside it.
QLabel* Buddy(const char* text, QWidget* control) {
  auto* label = new QLabel(QString::fromLatin1(text));
  label->setBuddy(control);
  return label;
}

QColor ToColor(std::uint32_t ref) {
  return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}
std::uint32_t FromColor(const QColor& c) {
  return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
         static_cast<std::uint32_t>(c.blue()) << 16;
}

std::uint32_t ChooseColorDefault(QWidget* parent, std::uint32_t current) {
  const QColor chosen = QColorDialog::getColor(ToColor(current), parent);
  return chosen.isValid() ? FromColor(chosen) : current;
}

}  // namespace

// ---- Title ----

CReportTitleDialog::CReportTitleDialog(QWidget* parent) : fw::CDialogBase(parent) {
  auto* grid = new QGridLayout;
  auto* prefixEdit = AddControl(kIdcPrefix, new QLineEdit);
  grid->addWidget(Buddy("&Prefix:", prefixEdit), 0, 0);
  grid->addWidget(prefixEdit, 0, 1);
  grid->addWidget(AddControl(kIdcUseName, new QCheckBox(QStringLiteral("Include &Name:"))), 1, 0);
  grid->addWidget(AddControl(kIdcName, new QLabel), 1, 1);
  auto* suffixEdit = AddControl(kIdcSuffix, new QLineEdit);
  grid->addWidget(Buddy("&Suffix:", suffixEdit), 2, 0);
  grid->addWidget(suffixEdit, 2, 1);
  auto* result = new QGroupBox(QStringLiteral("Resulting Title"));
  auto* resultLayout = new QVBoxLayout(result);
  auto* title = AddControl(kIdcTitle, new QLabel);
  title->setWordWrap(true);
  resultLayout->addWidget(title);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(result);
  layout->addLayout(OkCancel(*this));
  setMinimumWidth(DialogUnitsToPixels(260, 0).width());
  connect(Control<QCheckBox>(kIdcUseName), &QCheckBox::clicked, this, [this] { Refresh(); });
  connect(Control<QLineEdit>(kIdcPrefix), &QLineEdit::editingFinished, this, [this] { Refresh(); });
  connect(Control<QLineEdit>(kIdcSuffix), &QLineEdit::editingFinished, this, [this] { Refresh(); });
}

void CReportTitleDialog::OnInitDialog() {
  char caption[160];
  std::snprintf(caption, sizeof caption, "%s Title", reportName.c_str());
  setWindowTitle(Q(caption));
  SetControlText(kIdcName, personName);
  fw::CDialogBase::OnInitDialog();
  Refresh();
}

bool CReportTitleDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcPrefix, prefix);
  ExchangeText(save, kIdcSuffix, suffix);
  ExchangeCheck(save, kIdcUseName, useName);
  return true;
}

std::string CReportTitleDialog::TitleText() const { return GetControlText(kIdcTitle); }

void CReportTitleDialog::Refresh() {
  SetControlText(kIdcTitle,
                 rpt::JoinReportTitle(GetControlText(kIdcPrefix), GetControlText(kIdcName),
                                      GetControlText(kIdcSuffix), GetCheck(kIdcUseName) == 1));
}

// ---- Photo options ----

CPhotoOptionsDialog::CPhotoOptionsDialog(QWidget* parent) : fw::CDialogBase(parent) {
  auto* explanation =
      AddControl(kIdcExplanation, new QLabel(QStringLiteral("Give the photo size in inches.")));
  explanation->setWordWrap(true);
  auto* size = new QGroupBox(QStringLiteral("Photo Size"));
  auto* sizeGrid = new QGridLayout(size);
  auto* heightEdit = AddControl(kIdcHeight, new QLineEdit);
  auto* widthEdit = AddControl(kIdcWidth, new QLineEdit);
  sizeGrid->addWidget(Buddy("&Height:", heightEdit), 0, 0);
  sizeGrid->addWidget(heightEdit, 0, 1);
  sizeGrid->addWidget(Buddy("&Width:", widthEdit), 1, 0);
  sizeGrid->addWidget(widthEdit, 1, 1);
  auto* place = new QGroupBox(QStringLiteral("Placement"));
  auto* placeLayout = new QVBoxLayout(place);
  const char* const names[] = {"&Left", "&Center", "&Right", "&Above", "&Below"};
  for (int i = 0; i < 5; ++i)
    placeLayout->addWidget(
        AddControl(kIdcLeft + i, new QRadioButton(QString::fromLatin1(names[i]))));
  auto* row = new QHBoxLayout;
  row->addWidget(size);
  row->addWidget(place);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addLayout(row);
  layout->addWidget(
      AddControl(kIdcReserve, new QCheckBox(QStringLiteral("Re&serve space for missing photos"))));
  layout->addLayout(OkCancel(*this));
  setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  for (int id : {kIdcHeight, kIdcWidth}) {
    Control<QLineEdit>(id)->setMaxLength(6);
    connect(Control<QLineEdit>(id), &QLineEdit::editingFinished, this, [this, id] {
      if (!GetControlText(id).empty()) ParseEdit(id);
    });
  }
}

void CPhotoOptionsDialog::OnInitDialog() {
  setWindowTitle(Q(rpt::PhotoDialogCaption(state.reportIndex)));
  SetControlText(kIdcExplanation,
                 rpt::PhotoDialogExplanation(GetControlText(kIdcExplanation), state.hint));
  if (!state.sizeEnabled) state.width = state.height = 0;
  EnableControl(kIdcHeight, state.sizeEnabled);
  EnableControl(kIdcWidth, state.sizeEnabled);
  EnableControl(kIdcReserve, state.reserveEnabled);
  for (int i = 0; i < 5; ++i)
    EnableControl(kIdcLeft + i, state.placeEnabled[static_cast<std::size_t>(i)]);
  CheckRadio({kIdcLeft, kIdcLeft + 1, kIdcLeft + 2, kIdcLeft + 3, kIdcLeft + 4}, state.placement);
  SetControlText(kIdcHeight, rpt::FormatInches(state.height));
  SetControlText(kIdcWidth, rpt::FormatInches(state.width));
  SetCheck(kIdcReserve, state.reserve);
  adjustSize();
}

int CPhotoOptionsDialog::ParseEdit(int id) {
  const int value = rpt::ParseInches(GetControlText(id));
  if (value >= 0) SetControlText(id, rpt::FormatInches(value));
  return value;
}

void CPhotoOptionsDialog::OnOK() {
  state.placement =
      GetCheckedRadio({kIdcLeft, kIdcLeft + 1, kIdcLeft + 2, kIdcLeft + 3, kIdcLeft + 4});
  state.reserve = GetCheck(kIdcReserve);
  for (int id : {kIdcHeight, kIdcWidth}) {
    if (!IsControlEnabled(id)) continue;
    const int value = ParseEdit(id);
    if (value < 0) {
      GetControl(id)->setFocus();
      return;
    }
    (id == kIdcHeight ? state.height : state.width) = value;
  }
  EndDialog(fw::kIdOk);
}

// ---- Report preferences ----

CReportPreferencesDialog::CReportPreferencesDialog(CAppOptions& options, QWidget* parent)
    : fw::CDialogBase(parent), options_(options) {
  setWindowTitle(QStringLiteral("Report Preferences"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      AddControl(kIdcShowZel, new QCheckBox(QStringLiteral("Show &ZEL data on reports"))));
  layout->addWidget(
      AddControl(kIdcCapitalize, new QCheckBox(QStringLiteral("&Capitalize surnames"))));
  auto* shadeRow = new QHBoxLayout;
  shadeRow->addWidget(AddControl(kIdcShade, new QCheckBox(QStringLiteral("&Shade reports"))));
  shadeRow->addWidget(AddControl(kIdcShadeColor, new QPushButton(QStringLiteral("Sha&de Color"))));
  layout->addLayout(shadeRow);
  layout->addWidget(AddControl(kIdcHideShade, new QCheckBox(QStringLiteral("H&ide shading"))));
  layout->addWidget(
      AddControl(kIdcPlaceholders, new QCheckBox(QStringLiteral("&Use photo placeholders"))));
  layout->addLayout(OkCancel(*this));
  connect(Control<QPushButton>(kIdcShadeColor), &QPushButton::clicked, this, [this] {
    shadeColor_ = chooseColor ? chooseColor(shadeColor_) : ChooseColorDefault(this, shadeColor_);
  });
}

void CReportPreferencesDialog::OnInitDialog() {
  shadeColor_ = CAppOptions::GetReportsShadeClr();
  ShowControl(kIdcShowZel, options_.showZel != 0);
  SetCheck(kIdcShowZel, options_.showZelRpt);
  SetCheck(kIdcCapitalize, options_.capSurname);
  SetCheck(kIdcShade, options_.shading);
  SetCheck(kIdcHideShade, plat::Profile().GetInt("Reports", "Hide Shade", 0));
  SetCheck(kIdcPlaceholders, plat::Profile().GetInt("Multimedia", "MMPPrevPH", 0));
  EnableControl(kIdcShowZel, !disabled_.zel);
  EnableControl(kIdcShade, !disabled_.shading);
  EnableControl(kIdcShadeColor, !disabled_.shading);
  EnableControl(kIdcHideShade, !disabled_.shading);
  EnableControl(kIdcPlaceholders, !disabled_.placeholders);
}

void CReportPreferencesDialog::OnOK() {
  EndDialog(fw::kIdOk);
  options_.showZelRpt = GetCheck(kIdcShowZel);
  options_.capSurname = GetCheck(kIdcCapitalize);
  options_.shading = GetCheck(kIdcShade);
  plat::Profile().SetInt("Reports", "Hide Shade", GetCheck(kIdcHideShade));
  plat::Profile().SetInt("Multimedia", "MMPPrevPH", GetCheck(kIdcPlaceholders));
  plat::Profile().SetColor("Reports", "ShadeClr", shadeColor_);
}

// ---- FGR marriages list ----

CFgrMarriagesListDialog::CFgrMarriagesListDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("FGR Marriages List"));
  auto* explanation = new QLabel(QStringLiteral(
      "Type the numbers of the families to report on: single numbers separated by commas, "
      "ranges with a hyphen (for example 1,5,12-20)."));
  explanation->setWordWrap(true);
  auto* grid = new QGridLayout;
  grid->addWidget(AddControl(kIdcLabel, new QLabel(QStringLiteral("MRIN List:"))), 0, 0);
  grid->addWidget(AddControl(kIdcList, new QLineEdit), 0, 1);
  grid->addWidget(AddControl(kIdcBrowse, new QPushButton(QStringLiteral("&Browse"))), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Valid range:")), 1, 0);
  grid->addWidget(AddControl(kIdcRange, new QLabel), 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addLayout(grid);
  layout->addLayout(OkCancel(*this));
  setMinimumWidth(DialogUnitsToPixels(280, 0).width());
  Control<QLineEdit>(kIdcList)->setMaxLength(258);
  connect(Control<QPushButton>(kIdcBrowse), &QPushButton::clicked, this, [this] { OnBrowse(); });
}

void CFgrMarriagesListDialog::OnInitDialog() {
  if (rinMode) SetControlText(kIdcLabel, res::LoadString(res::kIdsRinList));
  SetControlText(kIdcRange, rpt::NumberRangeText(low, high));
  fw::CDialogBase::OnInitDialog();
  GetControl(kIdcList)->setFocus();
}

bool CFgrMarriagesListDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcList, listText);
  return true;
}

void CFgrMarriagesListDialog::OnBrowse() {
  if (!browse) return;
  const std::int32_t chosen = browse(low, high);
  if (chosen <= 0) return;
  Control<QLineEdit>(kIdcList)->insert(QString::number(chosen));
}

// ---- Wall chart box style ----

CWallChartBoxStyleDialog::CWallChartBoxStyleDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Wall Chart Box Style"));
  shadeColor = CAppOptions::GetReportsWallShadeClr();
  shadowColor = CAppOptions::GetReportsWallShadowClr();
  auto* corners = new QGroupBox(QStringLiteral("Corners"));
  auto* cornerLayout = new QVBoxLayout(corners);
  const char* const cornerNames[] = {"S&quare", "&Round", "&Inverted"};
  for (int i = 0; i < 3; ++i)
    cornerLayout->addWidget(
        AddControl(kIdcSquare + i, new QRadioButton(QString::fromLatin1(cornerNames[i]))));
  auto* lines = new QGroupBox(QStringLiteral("Line"));
  auto* lineLayout = new QVBoxLayout(lines);
  const char* const lineNames[] = {"Si&ngle", "&Thick", "D&ouble"};
  for (int i = 0; i < 3; ++i)
    lineLayout->addWidget(
        AddControl(kIdcSingle + i, new QRadioButton(QString::fromLatin1(lineNames[i]))));
  auto* fill = new QGridLayout;
  fill->addWidget(AddControl(kIdcShade, new QCheckBox(QStringLiteral("&Shade box"))), 0, 0);
  fill->addWidget(AddControl(kIdcShadeColor, new QPushButton(QStringLiteral("Sha&de Color"))), 0,
                  1);
  fill->addWidget(AddControl(kIdcShadow, new QCheckBox(QStringLiteral("Shado&w"))), 1, 0);
  fill->addWidget(AddControl(kIdcShadowColor, new QPushButton(QStringLiteral("Sh&adow Color"))), 1,
                  1);
  sample_ = AddControl(kIdcSample, new QLabel);
  sample_->setFixedSize(DialogUnitsToPixels(100, 50));
  sample_->setFrameShape(QFrame::Box);
  auto* left = new QVBoxLayout;
  auto* groups = new QHBoxLayout;
  groups->addWidget(corners);
  groups->addWidget(lines);
  left->addLayout(groups);
  left->addLayout(fill);
  auto* row = new QHBoxLayout;
  row->addLayout(left);
  row->addWidget(sample_, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(OkCancel(*this));
  for (int id = kIdcSquare; id <= kIdcShadow; ++id)
    connect(qobject_cast<QAbstractButton*>(GetControl(id)), &QAbstractButton::clicked, this,
            [this] {
              UpdateData(true);
              Repaint();
            });
  auto choose = [this](std::uint32_t& color) {
    const std::uint32_t chosen = chooseColor ? chooseColor(color) : ChooseColorDefault(this, color);
    if (chosen == color) return;
    color = chosen;
    Repaint();
  };
  connect(Control<QPushButton>(kIdcShadeColor), &QPushButton::clicked, this,
          [this, choose] { choose(shadeColor); });
  connect(Control<QPushButton>(kIdcShadowColor), &QPushButton::clicked, this,
          [this, choose] { choose(shadowColor); });
}

void CWallChartBoxStyleDialog::OnInitDialog() {
  if (!caption.empty()) setWindowTitle(Q(caption));
  ShowControl(kIdcShadow, showShadow != 0);
  ShowControl(kIdcShadowColor, showShadow != 0);
  fw::CDialogBase::OnInitDialog();
  Repaint();
}

bool CWallChartBoxStyleDialog::DoDataExchange(bool save) {
  ExchangeRadio(save, {kIdcSquare, kIdcSquare + 1, kIdcSquare + 2}, corner);
  ExchangeRadio(save, {kIdcSingle, kIdcSingle + 1, kIdcSingle + 2}, line);
  ExchangeCheck(save, kIdcShade, shade);
  ExchangeCheck(save, kIdcShadow, shadow);
  return true;
}

QImage CWallChartBoxStyleDialog::SampleImage(int w, int h) const {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  fw::CQtReportDevice device(&image);
  device.SetMapMode(rpt::MM_HIENGLISH);
  const rpt::Point size = device.DPtoLP({w, h});
  const int width = size.x, height = -size.y;
  rpt::ChartBox box;
  box.rect = {width / 9, -(height / 9), width - width / 9, -(height - height / 9)};
  box.corners = corner < 0 ? 0 : corner;
  box.lineStyle = line < 0 ? 0 : line;
  box.cornerSize = (height - 2 * (height / 9)) / 10;
  box.shadow = shadow != 0 && showShadow != 0;
  box.fill = shade != 0;
  box.pen = {rpt::PS_SOLID, 2, 0};
  box.brush = {shadeColor, false};
  box.shadowBrush = {shadowColor, false};
  rpt::DrawChartBox(device, box);
  return image;
}

void CWallChartBoxStyleDialog::Repaint() {
  sample_->setPixmap(QPixmap::fromImage(SampleImage(sample_->width(), sample_->height())));
}

// ---- Wall chart items ----

CWallChartItemsDialog::CWallChartItemsDialog(QWidget* parent) : fw::CDialogBase(parent) {
  auto check = [this](int id, const char* text) {
    return AddControl(id, new QCheckBox(QString::fromLatin1(text)));
  };
  auto list = [this](int id) {
    auto* combo = AddControl(id, new QComboBox);
    combo->setMinimumWidth(DialogUnitsToPixels(90, 0).width());
    return combo;
  };

  auto* nameLine = new QGroupBox(QStringLiteral("Name Line"));
  auto* nameLayout = new QVBoxLayout(nameLine);
  const char* const yearNames[] = {"Bi&rth (or christening)", "Marria&ge", "Dea&th (or burial)"};
  for (int i = 0; i < 3; ++i) nameLayout->addWidget(check(kIdcBirthYear + i, yearNames[i]));
  nameLayout->addWidget(AddControl(kIdcPreview, new QLabel));
  nameLayout->addStretch(1);

  const char* const itemNames[] = {"&Birth",
                                   "&Christening",
                                   "Birth or christening",
                                   "&Death",
                                   "B&urial",
                                   "Death or burial",
                                   "Dat&e on own line",
                                   "&Place on own line",
                                   "Date and p&lace together"};
  auto* events = new QGroupBox(QStringLiteral("Events"));
  auto* eventGrid = new QGridLayout(events);
  for (int i = rpt::kItemBirth; i <= rpt::kItemDeathOrBurial; ++i)
    eventGrid->addWidget(check(kIdcFirstItem + i, itemNames[i]), i % 3, i / 3);
  eventGrid->addWidget(check(kIdcMarriage, "&Marriage"), 3, 0);
  auto* others = Buddy("Other events:", nullptr);
  eventGrid->addWidget(others, 4, 0);
  eventGrid->addWidget(list(kIdcEvent1), 4, 1);
  eventGrid->addWidget(list(kIdcEvent2), 5, 1);
  others->setBuddy(Control<QComboBox>(kIdcEvent1));

  auto* layoutGroup = new QGroupBox(QStringLiteral("Layout"));
  auto* layoutBox = new QVBoxLayout(layoutGroup);
  for (int i = rpt::kItemDateLine; i <= rpt::kItemDateAndPlace; ++i)
    layoutBox->addWidget(check(kIdcFirstItem + i, itemNames[i]));
  layoutBox->addWidget(check(kIdcDescription, "Description on own line"));
  layoutBox->addStretch(1);

  auto* notes = new QGroupBox(QStringLiteral("Notes"));
  auto* notesGrid = new QGridLayout(notes);
  notesGrid->addWidget(Buddy("Tag&1:", list(kIdcNote1)), 0, 0);
  notesGrid->addWidget(Control<QComboBox>(kIdcNote1), 0, 1);
  notesGrid->addWidget(Buddy("Tag&2:", list(kIdcNote2)), 1, 0);
  notesGrid->addWidget(Control<QComboBox>(kIdcNote2), 1, 1);
  notesGrid->addWidget(check(kIdcTagName, "Tag &name"), 2, 0, 1, 2);
  auto* lines = AddControl(kIdcLinesPerNote, new QComboBox);
  for (const char* n : {"1", "2", "3"}) lines->addItem(QString::fromLatin1(n));
  notesGrid->addWidget(Buddy("Line&s/Note:", lines), 3, 0);
  notesGrid->addWidget(lines, 3, 1, Qt::AlignLeft);
  notesGrid->setRowStretch(4, 1);

  auto* other = new QGroupBox(QStringLiteral("Other"));
  auto* otherLayout = new QVBoxLayout(other);
  otherLayout->addWidget(check(kIdcCauseOfDeath, "Cause of death"));
  otherLayout->addWidget(check(kIdcId, "&ID"));
  otherLayout->addWidget(check(kIdcSbn, "SBN"));
  otherLayout->addWidget(check(kIdcZel, "ZEL &ordinance codes"));
  otherLayout->addStretch(1);

  auto* grid = new QGridLayout;
  grid->addWidget(nameLine, 0, 0);
  grid->addWidget(events, 0, 1);
  grid->addWidget(layoutGroup, 1, 0);
  grid->addWidget(notes, 1, 1);
  grid->addWidget(other, 2, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(OkCancel(*this));
  for (int i = 0; i < 3; ++i)
    connect(Control<QCheckBox>(kIdcBirthYear + i), &QCheckBox::clicked, this,
            [this] { OnYears(); });
  for (int i = 0; i < rpt::kWallItemCount; ++i)
    connect(Control<QCheckBox>(kIdcFirstItem + i), &QCheckBox::clicked, this,
            [this, i] { OnItem(i); });
}

void CWallChartItemsDialog::OnInitDialog() {
  char caption[160];
  std::snprintf(caption, sizeof caption, res::LoadString(res::kIdsItemCaption).c_str(),
                res::LoadString(chart == 1 ? res::kIdsDescendants : res::kIdsAncestry).c_str());
  setWindowTitle(Q(caption));
  for (int id : {kIdcEvent1, kIdcEvent2})
    for (const std::string& entry : eventChoices) Control<QComboBox>(id)->addItem(Q(entry));
  for (int id : {kIdcNote1, kIdcNote2})
    for (const std::string& entry : tagChoices) Control<QComboBox>(id)->addItem(Q(entry));
  ShowControl(kIdcZel, showZel);
  fw::CDialogBase::OnInitDialog();
  OnYears();
}

void CWallChartItemsDialog::ExchangeChoice(bool save, int id, std::string& value) {
  auto* combo = Control<QComboBox>(id);
  if (save) {
    value = fw::FromQString(combo->currentText());
    return;
  }
  // A stored entry the list no longer holds shows as none.
  const int at = value.empty() ? 0 : combo->findText(Q(value), Qt::MatchFixedString);
  combo->setCurrentIndex(at < 0 ? 0 : at);
}

bool CWallChartItemsDialog::DoDataExchange(bool save) {
  int* const years[] = {&items.nameBirth, &items.nameMarriage, &items.nameDeath};
  for (int i = 0; i < 3; ++i) ExchangeCheck(save, kIdcBirthYear + i, *years[i]);
  int* const lines[rpt::kWallItemCount] = {
      &items.birth,    &items.christening, &items.birthOrChristening,
      &items.death,    &items.burial,      &items.deathOrBurial,
      &items.dateLine, &items.placeLine,   &items.dateAndPlace};
  for (int i = 0; i < rpt::kWallItemCount; ++i) ExchangeCheck(save, kIdcFirstItem + i, *lines[i]);
  ExchangeCheck(save, kIdcMarriage, items.marriage);
  ExchangeChoice(save, kIdcEvent1, items.event1);
  ExchangeChoice(save, kIdcEvent2, items.event2);
  ExchangeCheck(save, kIdcDescription, items.descriptionLine);
  ExchangeChoice(save, kIdcNote1, items.note1);
  ExchangeChoice(save, kIdcNote2, items.note2);
  ExchangeCheck(save, kIdcTagName, items.tagName);
  auto* perNote = Control<QComboBox>(kIdcLinesPerNote);
  if (save)
    items.linesPerNote = std::max(0, perNote->currentIndex());
  else
    perNote->setCurrentIndex(std::clamp(items.linesPerNote, 0, perNote->count() - 1));
  ExchangeCheck(save, kIdcCauseOfDeath, items.causeOfDeath);
  ExchangeCheck(save, kIdcId, items.id);
  ExchangeCheck(save, kIdcSbn, items.sbn);
  ExchangeCheck(save, kIdcZel, items.zel);
  return true;
}

std::string CWallChartItemsDialog::PreviewText() const { return GetControlText(kIdcPreview); }

void CWallChartItemsDialog::OnYears() {
  SetControlText(kIdcPreview, rpt::NameLinePreview(GetCheck(kIdcBirthYear) == 1,
                                                   GetCheck(kIdcBirthYear + 1) == 1,
                                                   GetCheck(kIdcBirthYear + 2) == 1));
}

void CWallChartItemsDialog::OnItem(int item) {
  std::array<bool, rpt::kWallItemCount> state{};
  for (int i = 0; i < rpt::kWallItemCount; ++i)
    state[static_cast<std::size_t>(i)] = GetCheck(kIdcFirstItem + i) == 1;
  rpt::CheckWallItem(state, item, state[static_cast<std::size_t>(item)]);
  for (int i = 0; i < rpt::kWallItemCount; ++i)
    SetCheck(kIdcFirstItem + i, state[static_cast<std::size_t>(i)] ? 1 : 0);
}
