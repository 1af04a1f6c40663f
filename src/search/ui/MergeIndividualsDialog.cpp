#include "MergeIndividualsDialog.h"

#include "SortCountersWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "AppOptions.h"
#include "AppScreens.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FindRecordDialog.h"
#include "FitUnit.h"
#include "IndividualRecord.h"
#include "KinshipWidgets.h"
#include "MarriageRecord.h"
#include "MatchMergeOptionsDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TimeStamp.h"

namespace {

constexpr int kBoxIds[] = {CMergeIndividualsDialog::kIdcName,
                           CMergeIndividualsDialog::kIdcBirthDate,
                           CMergeIndividualsDialog::kIdcBirthPlace,
                           CMergeIndividualsDialog::kIdcChristeningDate,
                           CMergeIndividualsDialog::kIdcChristeningPlace,
                           CMergeIndividualsDialog::kIdcDeathDate,
                           CMergeIndividualsDialog::kIdcDeathPlace,
                           CMergeIndividualsDialog::kIdcBurialDate,
                           CMergeIndividualsDialog::kIdcBurialPlace,
                           CMergeIndividualsDialog::kIdcSbn,
                           CMergeIndividualsDialog::kIdcSex,
                           CMergeIndividualsDialog::kIdcParents};

// A person's name, given names first; "" when it cannot be read.
std::string NameOf(std::int32_t rin) {
  CIndividualRecord person;
  return rin > 0 && family::Read(person, rin) == 1 ? person.GetName(0, false, 0, false)
                                                   : std::string();
}

// The place column of a panel, in dialog units: a place is fitted to it, so
// that a long place does not widen the dialog.
constexpr int kPanelPlaceUnits = 90;

std::string PlaceText(const CEventValue& e, const plat::TextMeasure& measure, int pixels) {
  return FitPlaceParts(e.place, 81, ", ", &measure, pixels);
}

// The date of the last change; "" when the record has never been stamped.
std::string LastChanged(const CIndividualRecord& r) {
  const std::int32_t stamp = r.numbers[CIndividualRecord::kUpdatedStamp];
  if (stamp == 0) return {};
  CTimeStamp time;
  time.SetStamp(stamp);
  return time.FormatDate();
}

// The marriage lists' columns: MRIN, spouse, marriage date and place, at
// these stops (dialog units); the place is fitted to kPlacePixels.
constexpr int kMarriageStops[] = {32, 160, 220};
constexpr int kPlacePixels = 200;

const CEventValue& EventOf(const CIndividualRecord& r, int i) {
  const CEventValue* events[] = {&r.birth, &r.christening, &r.death, &r.burial};
  return *events[i];
}

// Shows each pair in the dialog, then asks.
class PanelConfirm : public MergeConfirmPort {
 public:
  PanelConfirm(CMergeIndividualsDialog& dialog,
               const std::function<MergeConfirmPort::Answer()>& ask)
      : dialog_(dialog), ask_(ask) {}
  Answer Ask(std::int32_t primary, std::int32_t duplicate) override {
    dialog_.session.ChooseDuplicate(0);
    dialog_.session.ChoosePrimary(primary);
    dialog_.session.ChooseDuplicate(duplicate);
    dialog_.ShowPanels();
    return ask_();
  }

 private:
  CMergeIndividualsDialog& dialog_;
  const std::function<MergeConfirmPort::Answer()>& ask_;
};

}  // namespace

CConfirmMergeQuestionDialog::CConfirmMergeQuestionDialog(CAppOptions& options, QWidget* parent)
    : fw::CDialogBase(parent), options_(options) {
  setWindowTitle(QStringLiteral("Confirm Merge"));
  auto* question =
      new QLabel(QStringLiteral("\nAre you sure you want to merge these individuals?"));
  auto* hint = new QLabel(QStringLiteral(
      "To avoid this question in the future, hold down the Shift key when you press the Merge "
      "button, or unmark the checkbox below."));
  hint->setWordWrap(true);
  hint->setMinimumWidth(DialogUnitsToPixels(200, 0).width());
  auto* ask =
      AddControl(kIdcAskEachTime,
                 new QCheckBox(QStringLiteral("&Ask this question each time Merge is pressed")));
  ask->setChecked(options_.mrgVerify != 0);
  auto* yes = AddControl(kIdYes, new QPushButton(QStringLiteral("&Yes")));
  auto* no = AddControl(kIdNo, new QPushButton(QStringLiteral("&No")));
  yes->setDefault(true);
  no->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(yes);
  buttons->addWidget(no);
  auto* top = new QVBoxLayout(this);
  top->addWidget(question);
  top->addWidget(hint);
  top->addWidget(ask);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(yes, &QPushButton::clicked, this, [this] { Answer(kIdYes); });
  connect(no, &QPushButton::clicked, this, [this] { Answer(kIdNo); });
}

void CConfirmMergeQuestionDialog::Answer(int id) {
  options_.mrgVerify = GetCheck(kIdcAskEachTime) == 1 ? 1 : 0;
  done(id);
}

CConfirmMergeDialog::CConfirmMergeDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Confirm Merge"));
  auto* text = new QLabel(QStringLiteral("Merge these individuals?"));
  auto* buttons = new QHBoxLayout;
  const auto button = [&](int id, const char* label) {
    auto* b = AddControl(id, new QPushButton(QString::fromLatin1(label)));
    b->setAutoDefault(false);
    buttons->addWidget(b);
    if (id != fw::kIdHelp) connect(b, &QPushButton::clicked, this, [this, id] { done(id); });
    return b;
  };
  button(kIdYes, "&Yes")->setDefault(true);
  button(kIdNo, "&No");
  button(kIdYesToAll, "Yes to &All");
  button(fw::kIdCancel, "Cancel");
  button(fw::kIdHelp, "&Help");
  auto* top = new QVBoxLayout(this);
  top->addWidget(text);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
}

MergeConfirmPort::Answer CConfirmMergeDialog::AnswerOf(int result) {
  switch (result) {
    case kIdYes:
      return MergeConfirmPort::kYes;
    case kIdNo:
      return MergeConfirmPort::kNo;
    case kIdYesToAll:
      return MergeConfirmPort::kYesToAll;
    default:
      return MergeConfirmPort::kCancel;
  }
}

CMergeIndividualsDialog::CMergeIndividualsDialog(CAppOptions& options, int mode, QWidget* parent)
    : fw::CDialogBase(parent), session(mode), options_(options) {
  // The work file is built under the sort window.
  sortWindow_ = new CSortCountersWindow(this);
  session.Work().progress = sortWindow_;
  setWindowTitle(QString::fromLatin1(session.Title()));
  QWidget* individualPage = BuildIndividualPage();
  QWidget* marriagePage = BuildMarriagePage();
  auto* pages = AddControl(kIdcPages, new QTabWidget);
  pages->addTab(individualPage, QStringLiteral("&Individual Information"));
  pages->addTab(marriagePage, QStringLiteral("&Marriage Information"));
  auto* block = AddControl(kIdcBlock, new QLabel);
  block->setWordWrap(true);
  QHBoxLayout* buttons = BuildButtonRow();
  auto* top = new QVBoxLayout(this);
  top->addWidget(pages);
  top->addWidget(block);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  ConnectControls();
  ShowPanels();
}

QWidget* CMergeIndividualsDialog::BuildIndividualPage() {
  auto* primaryBox = new QGroupBox;
  auto* duplicateBox = new QGroupBox;
  auto* primaryGrid = new QGridLayout(primaryBox);
  auto* duplicateGrid = new QGridLayout(duplicateBox);
  primaryGrid->addWidget(AddControl(kIdcPrimaryHeading, new QLabel), 0, 0, 1, 3);
  duplicateGrid->addWidget(AddControl(kIdcDuplicateHeading, new QLabel), 0, 0, 1, 3);
  BuildPanelRows(primaryGrid, duplicateGrid);
  BuildDuplicateBoxes(duplicateGrid);
  BuildPanelButtons(primaryGrid, duplicateGrid);
  BuildFamilyRows(primaryGrid, duplicateGrid);
  BuildZelRows(primaryGrid, duplicateGrid);
  auto* individualPage = new QWidget;
  auto* panels = new QHBoxLayout(individualPage);
  panels->addWidget(primaryBox);
  panels->addWidget(duplicateBox);
  return individualPage;
}

void CMergeIndividualsDialog::BuildPanelRows(QGridLayout* primaryGrid, QGridLayout* duplicateGrid) {
  // Row r of the primary shows what box kBoxIds[...] of the duplicate takes;
  // the date of the last change (grid row 8) stands between sex and parents.
  const char* titles[] = {"", "B:", "C:", "D:", "B:", "SBN:", "Sex:", "Parents:"};
  for (int row = 0; row < 8; ++row) {
    auto* label = AddControl(kIdcPrimaryRows + row, new QLabel);
    label->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
    const int gridRow = row < 7 ? row + 1 : row + 2;
    primaryGrid->addWidget(new QLabel(QString::fromLatin1(titles[row])), gridRow, 0);
    primaryGrid->addWidget(label, gridRow, 1);
    duplicateGrid->addWidget(new QLabel(QString::fromLatin1(titles[row])), gridRow, 0);
  }
  primaryGrid->addWidget(new QLabel(QStringLiteral("LMD:")), 8, 0);
  primaryGrid->addWidget(AddControl(kIdcPrimaryLastChanged, new QLabel), 8, 1);
  duplicateGrid->addWidget(new QLabel(QStringLiteral("LMD:")), 8, 0);
  duplicateGrid->addWidget(AddControl(kIdcDuplicateLastChanged, new QLabel), 8, 1, 1, 2);
}

void CMergeIndividualsDialog::BuildDuplicateBoxes(QGridLayout* duplicateGrid) {
  const auto box = [&](int id, int row, int column) {
    auto* check = AddControl(id, new QCheckBox);
    check->setMinimumWidth(DialogUnitsToPixels(column == 1 ? 60 : kPanelPlaceUnits, 0).width());
    duplicateGrid->addWidget(check, row, column, 1, row == 1 || row >= 6 ? 2 : 1);
  };
  box(kIdcName, 1, 1);
  for (int i = 0; i < 4; ++i) {
    box(kIdcBirthDate + 2 * i, i + 2, 1);
    box(kIdcBirthPlace + 2 * i, i + 2, 2);
  }
  box(kIdcSbn, 6, 1);
  box(kIdcSex, 7, 1);
  box(kIdcParents, 9, 1);
}

void CMergeIndividualsDialog::BuildPanelButtons(QGridLayout* primaryGrid,
                                                QGridLayout* duplicateGrid) {
  const auto sideButtons = [&](QGridLayout* grid, int findId, const char* findText, int editId,
                               const char* editText) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(AddControl(findId, new QPushButton(QString::fromLatin1(findText))));
    row->addWidget(AddControl(editId, new QPushButton(QString::fromLatin1(editText))));
    grid->addLayout(row, 19, 0, 1, 3);
  };
  sideButtons(primaryGrid, kIdcPrimaryFind, "&Find", kIdcPrimaryEdit, "&Edit");
  sideButtons(duplicateGrid, kIdcDuplicateFind, "Fin&d", kIdcDuplicateEdit, "Edi&t");
  auto* selectAll = AddControl(kIdcSelectAll, new QPushButton(QStringLiteral("Se&lect All")));
  auto* clearAll = AddControl(kIdcClearAll, new QPushButton(QStringLiteral("&Clear All")));
  auto* selectRow = new QHBoxLayout;
  selectRow->addStretch();
  selectRow->addWidget(selectAll);
  selectRow->addWidget(clearAll);
  duplicateGrid->addLayout(selectRow, 18, 0, 1, 3);
}

void CMergeIndividualsDialog::BuildFamilyRows(QGridLayout* primaryGrid,
                                              QGridLayout* duplicateGrid) {
  const char* familyTitles[] = {"Father:", "Mother:", "Spouse:", "Spouse:", "Spouse:"};
  for (int i = 0; i < 5; ++i) {
    primaryGrid->addWidget(new QLabel(QString::fromLatin1(familyTitles[i])), 13 + i, 0);
    primaryGrid->addWidget(AddControl(kIdcPrimaryFamilyRows + i, new QLabel), 13 + i, 1);
    duplicateGrid->addWidget(new QLabel(QString::fromLatin1(familyTitles[i])), 13 + i, 0);
    duplicateGrid->addWidget(AddControl(kIdcDuplicateFamilyRows + i, new QLabel), 13 + i, 1, 1, 2);
  }
}

void CMergeIndividualsDialog::BuildZelRows(QGridLayout* primaryGrid, QGridLayout* duplicateGrid) {
  // The ordinances, with ZEL data only.
  const char* zelTitles[] = {"Baptism:", "Endowed:", "SealPar:"};
  const bool zel = options_.showZel != 0;
  for (int i = 0; i < 3; ++i) {
    auto* ours = AddControl(kIdcPrimaryZelRows + i, new QLabel);
    auto* title = new QLabel(QString::fromLatin1(zelTitles[i]));
    auto* theirTitle = new QLabel(QString::fromLatin1(zelTitles[i]));
    primaryGrid->addWidget(title, 10 + i, 0);
    primaryGrid->addWidget(ours, 10 + i, 1);
    duplicateGrid->addWidget(theirTitle, 10 + i, 0);
    auto* check = AddControl(kIdcBaptism + i, new QCheckBox);
    duplicateGrid->addWidget(check, 10 + i, 1, 1, 2);
    for (QWidget* w : {static_cast<QWidget*>(title), static_cast<QWidget*>(ours),
                       static_cast<QWidget*>(theirTitle), static_cast<QWidget*>(check)})
      w->setVisible(zel);
  }
}

QWidget* CMergeIndividualsDialog::BuildMarriagePage() {
  // The primary's marriages above, the duplicate's to choose from (several
  // may be chosen) below, each line in columns.
  auto* marriagePage = new QWidget;
  auto* marriageColumn = new QVBoxLayout(marriagePage);
  std::vector<int> stops;
  for (int du : kMarriageStops) stops.push_back(DialogUnitsToPixels(du, 0).width());
  const auto marriageList = [&](int id, const char* title, bool choose) {
    marriageColumn->addWidget(new QLabel(QString::fromLatin1(title)));
    auto* list = AddControl(id, new QListWidget);
    list->setItemDelegate(new kinui::TabStopDelegate(stops, list));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumWidth(stops.back() + kPlacePixels + 24);
    list->setSelectionMode(choose ? QAbstractItemView::MultiSelection
                                  : QAbstractItemView::NoSelection);
    marriageColumn->addWidget(list);
  };
  marriageList(kIdcPrimaryMarriages, "Primary Marriages", false);
  marriageList(kIdcDuplicateMarriages, "Duplicate Marriages", true);
  return marriagePage;
}

QHBoxLayout* CMergeIndividualsDialog::BuildButtonRow() {
  auto* merge = AddControl(kIdcMerge, new QPushButton(QStringLiteral("Mer&ge")));
  auto* swap = AddControl(kIdcSwitch, new QPushButton(QStringLiteral("« &Switch »")));
  auto* next = AddControl(kIdcNextMatch, new QPushButton(QStringLiteral("&Next Match")));
  auto* previous = AddControl(kIdcPrevious, new QPushButton(QStringLiteral("&Previous")));
  auto* optionsButton = AddControl(kIdcOptions, new QPushButton(QStringLiteral("&Options")));
  auto* close = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Close")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {merge, swap, next, previous, optionsButton, close, help}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  next->setDefault(true);
  return buttons;
}

void CMergeIndividualsDialog::ConnectControls() {
  const auto clicked = [this](int id, auto&& handler) {
    connect(Control<QPushButton>(id), &QPushButton::clicked, this, handler);
  };
  clicked(kIdcMerge, [this] { MergePair(); });
  clicked(kIdcSwitch, [this] { SwitchSides(); });
  clicked(kIdcNextMatch, [this] { NextMatch(1); });
  clicked(kIdcPrevious, [this] { NextMatch(-1); });
  clicked(kIdcSelectAll, [this] { SelectAll(true); });
  clicked(kIdcClearAll, [this] { SelectAll(false); });
  clicked(fw::kIdCancel, [this] { reject(); });
  clicked(kIdcPrimaryFind, [this] { FindSide(true); });
  clicked(kIdcDuplicateFind, [this] { FindSide(false); });
  clicked(kIdcPrimaryEdit, [this] { EditSide(true); });
  clicked(kIdcDuplicateEdit, [this] { EditSide(false); });
  clicked(kIdcOptions, [this] {
    CMatchMergeOptionsDialog dialog(options_, false, this);
    dialog.exec();
  });
  connect(Control<QTabWidget>(kIdcPages), &QTabWidget::currentChanged, this,
          [this](int index) { ShowMarriagePage(index == 1); });
}

void CMergeIndividualsDialog::ShowPanels() {
  CIndividualRecord primary, duplicate;
  const bool havePrimary =
      session.Primary() > 0 && DbGetIndividualRecord(session.Primary(), primary, 9) == 1;
  const bool haveDuplicate =
      session.Duplicate() > 0 && DbGetIndividualRecord(session.Duplicate(), duplicate, 9) == 1;
  const auto heading = [](const char* title, bool have, const CIndividualRecord& r) {
    return have ? std::string(title) + " - " + std::to_string(r.numbers[CIndividualRecord::kRin])
                : std::string(title);
  };
  SetControlText(kIdcPrimaryHeading, heading("Primary Individual", havePrimary, primary));
  SetControlText(kIdcDuplicateHeading, heading("Duplicate Individual", haveDuplicate, duplicate));
  const fw::QtTextMeasure measure(font());
  const int placePixels = DialogUnitsToPixels(kPanelPlaceUnits, 0).width();
  const auto rows = [&measure, placePixels](bool have, const CIndividualRecord& r) {
    std::vector<std::string> out(8);
    if (!have) return out;
    out[0] = r.GetName(0, false, 0, false);
    for (int i = 0; i < 4; ++i) {
      const CEventValue& e = EventOf(r, i);
      out[1 + i] = e.date.IsSet() ? e.date.Format() : std::string();
      out[1 + i] += "\t" + PlaceText(e, measure, placePixels);
    }
    out[5] = r.texts1[1];
    out[6] = r.sex == 'M' || r.sex == 'F' ? std::string(1, r.sex) : std::string();
    out[7] = r.numbers[CIndividualRecord::kParentsMrin] > 0
                 ? std::to_string(r.numbers[CIndividualRecord::kParentsMrin])
                 : std::string();
    return out;
  };
  const std::vector<std::string> ours = rows(havePrimary, primary);
  const std::vector<std::string> theirs = rows(haveDuplicate, duplicate);
  for (int row = 0; row < 8; ++row) {
    std::string text = ours[row];
    const std::size_t tab = text.find('\t');
    if (tab != std::string::npos) {
      const std::string date = text.substr(0, tab), place = text.substr(tab + 1);
      text = date + (date.empty() || place.empty() ? "" : "  ") + place;
    }
    SetControlText(kIdcPrimaryRows + row, text);
  }
  const auto split = [](const std::string& t, bool place) {
    const std::size_t tab = t.find('\t');
    if (tab == std::string::npos) return place ? std::string() : t;
    return place ? t.substr(tab + 1) : t.substr(0, tab);
  };
  SetControlText(kIdcName, theirs[0]);
  for (int i = 0; i < 4; ++i) {
    SetControlText(kIdcBirthDate + 2 * i, split(theirs[1 + i], false));
    SetControlText(kIdcBirthPlace + 2 * i, split(theirs[1 + i], true));
  }
  SetControlText(kIdcPrimaryLastChanged, havePrimary ? LastChanged(primary) : std::string());
  SetControlText(kIdcDuplicateLastChanged, haveDuplicate ? LastChanged(duplicate) : std::string());
  SetControlText(kIdcSbn, theirs[5]);
  SetControlText(kIdcSex, theirs[6]);
  SetControlText(kIdcParents, theirs[7]);
  // Father, mother and the first three spouses.
  const auto family = [](bool have, const CIndividualRecord& r) {
    std::vector<std::string> out(5);
    if (!have) return out;
    CMarriageRecord parents;
    const std::int32_t parentsMrin = r.numbers[CIndividualRecord::kParentsMrin];
    if (parentsMrin > 0 && family::Read(parents, parentsMrin) == 1) {
      out[0] = NameOf(parents.husband);
      out[1] = NameOf(parents.wife);
    }
    std::vector<std::int32_t> marriages;
    const std::int32_t rin = r.numbers[CIndividualRecord::kRin];
    DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
    int line = 2;
    for (std::int32_t mrin : marriages) {
      CMarriageRecord m;
      if (line >= 5 || mrin <= 0 || family::Read(m, mrin) != 1) continue;
      out[line++] = NameOf(m.husband == rin ? m.wife : m.husband);
    }
    return out;
  };
  const std::vector<std::string> ourFamily = family(havePrimary, primary);
  const std::vector<std::string> theirFamily = family(haveDuplicate, duplicate);
  for (int i = 0; i < 5; ++i) {
    SetControlText(kIdcPrimaryFamilyRows + i, ourFamily[i]);
    SetControlText(kIdcDuplicateFamilyRows + i, theirFamily[i]);
  }
  const auto ordinance = [](bool have, const COrdinanceValue& o) {
    if (!have) return std::string();
    std::string text = o.date.IsSet() ? o.date.Format() : std::string();
    if (!o.templeCode.empty()) text += (text.empty() ? "" : "  ") + o.templeCode;
    return text;
  };
  const COrdinanceValue* ourOrdinances[] = {&primary.baptism, &primary.endowment,
                                            &primary.sealingToParents};
  const COrdinanceValue* theirOrdinances[] = {&duplicate.baptism, &duplicate.endowment,
                                              &duplicate.sealingToParents};
  for (int i = 0; i < 3; ++i) {
    SetControlText(kIdcPrimaryZelRows + i, ordinance(havePrimary, *ourOrdinances[i]));
    SetControlText(kIdcBaptism + i, ordinance(haveDuplicate, *theirOrdinances[i]));
    SetCheck(kIdcBaptism + i, 0);
  }

  // Boxes start checked where the primary lacks what the duplicate has.
  for (int id : kBoxIds) SetCheck(id, 0);
  if (havePrimary && haveDuplicate) {
    const MergeChoices pre = PrecheckedChoices(primary, duplicate);
    SetCheck(kIdcBaptism, pre.baptism ? 1 : 0);
    SetCheck(kIdcEndowment, pre.endowment ? 1 : 0);
    SetCheck(kIdcSealingToParents, pre.sealingToParents ? 1 : 0);
    const bool flags[] = {pre.birthDate, pre.birthPlace, pre.christeningDate, pre.christeningPlace,
                          pre.deathDate, pre.deathPlace, pre.burialDate,      pre.burialPlace};
    for (int i = 0; i < 8; ++i) SetCheck(kIdcBirthDate + i, flags[i] ? 1 : 0);
    const bool noName = primary.surname.empty() && primary.givenNames[0].empty() &&
                        primary.givenNames[1].empty() && primary.givenNames[2].empty();
    SetCheck(kIdcName, noName ? 1 : 0);
    const bool knownSex = primary.sex == 'M' || primary.sex == 'F';
    SetCheck(kIdcSex, !knownSex && (duplicate.sex == 'M' || duplicate.sex == 'F') ? 1 : 0);
    SetCheck(kIdcSbn, primary.texts1[1].empty() && !duplicate.texts1[1].empty() ? 1 : 0);
    SetCheck(kIdcParents, primary.numbers[CIndividualRecord::kParentsMrin] <= 0 &&
                                  duplicate.numbers[CIndividualRecord::kParentsMrin] > 0
                              ? 1
                              : 0);
  }
  const int blockReason = session.MergeBlock();
  SetControlText(kIdcBlock, blockReason > 0 ? res::LoadString(static_cast<unsigned>(blockReason))
                                            : std::string());
  // A new pair: its marriages are listed again when the marriage page shows.
  marriagesListed_ = false;
  Control<QListWidget>(kIdcPrimaryMarriages)->clear();
  Control<QListWidget>(kIdcDuplicateMarriages)->clear();
  const bool onMarriages = Control<QTabWidget>(kIdcPages)->currentIndex() == 1;
  if (onMarriages) FillMarriageLists();
  EnableControl(kIdcMerge, blockReason == 0 && !onMarriages);
  EnableControl(kIdcSwitch, havePrimary && haveDuplicate && !onMarriages);
  const bool editing = static_cast<bool>(AppScreens().editIndividual);
  EnableControl(kIdcPrimaryEdit, editing && havePrimary);
  EnableControl(kIdcDuplicateEdit, editing && haveDuplicate);
}

void CMergeIndividualsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  if (session.Mode() == CMergeWorkFile::kSbnMode || !backup) return;
  // Asked once the dialog is on the screen, before anything is merged.
  QTimer::singleShot(0, this, [this] {
    if (plat::MessageBox(res::LoadString(res::kIdsBackupFirst), res::LoadString(res::kIdsWarning),
                         plat::kMbYesNo) == plat::kIdYes)
      backup();
  });
}

void CMergeIndividualsDialog::FindSide(bool primary) {
  std::int32_t rin = primary ? session.Primary() : session.Duplicate();
  if (primary && rin <= 0) rin = suggestedPrimary;
  CFindRecordDialog find(this);
  find.find.marriageAllowed = false;
  find.find.marriageMode = false;
  find.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
  if (rin > 0) {
    find.find.number = rin;
    CIndividualRecord person;
    if (family::Read(person, rin) == 1)
      find.find.searchText = person.surname + ", " + person.GetGivenNames();
  }
  if (find.exec() != fw::kIdOk || find.find.number <= 0) return;
  if (primary ? session.ChoosePrimary(find.find.number) : session.ChooseDuplicate(find.find.number))
    ShowPanels();
}

void CMergeIndividualsDialog::EditSide(bool primary) {
  const std::int32_t rin = primary ? session.Primary() : session.Duplicate();
  if (rin <= 0 || !AppScreens().editIndividual) return;
  if (AppScreens().editIndividual(this, rin)) ShowPanels();
}

void CMergeIndividualsDialog::FillMarriageLists() {
  const auto fill = [](QListWidget* list, std::int32_t rin, bool selectAll) {
    list->clear();
    if (rin <= 0) return;
    const fw::QtTextMeasure measure(list->font());
    std::vector<std::int32_t> marriages;
    DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
    for (std::int32_t mrin : marriages) {
      CMarriageRecord m;
      if (mrin <= 0 || family::Read(m, mrin) != 1) continue;
      const std::int32_t other = m.husband == rin ? m.wife : m.husband;
      const std::string name = NameOf(other);
      const std::string date = m.marriage.date.IsSet() ? m.marriage.date.Format() : "";
      const std::string place = FitPlaceParts(m.marriage.place, 81, ", ", &measure, kPlacePixels);
      auto* item = new QListWidgetItem(
          fw::ToQString(std::to_string(mrin) + "\t" + name + "\t" + date + "\t" + place), list);
      item->setData(Qt::UserRole, mrin);
      item->setSelected(selectAll);
    }
  };
  fill(Control<QListWidget>(kIdcPrimaryMarriages), session.Primary(), false);
  // Every marriage of the duplicate starts chosen.
  fill(Control<QListWidget>(kIdcDuplicateMarriages), session.Duplicate(), true);
  marriagesListed_ = true;
}

void CMergeIndividualsDialog::ShowMarriagePage(bool on) {
  if (on && !marriagesListed_) FillMarriageLists();
  const bool block = session.MergeBlock() != 0;
  EnableControl(kIdcMerge, !on && !block);
  EnableControl(fw::kIdCancel, !on);
  EnableControl(kIdcNextMatch, !on);
  EnableControl(kIdcPrevious, !on);
  EnableControl(kIdcSwitch, !on && session.Primary() > 0 && session.Duplicate() > 0);
  if (QWidget* focus = GetControl(on ? kIdcOptions : kIdcNextMatch)) focus->setFocus();
}

MergeChoices CMergeIndividualsDialog::Choices() const {
  MergeChoices c;
  c.name = GetCheck(kIdcName) == 1;
  c.birthDate = GetCheck(kIdcBirthDate) == 1;
  c.birthPlace = GetCheck(kIdcBirthPlace) == 1;
  c.christeningDate = GetCheck(kIdcChristeningDate) == 1;
  c.christeningPlace = GetCheck(kIdcChristeningPlace) == 1;
  c.deathDate = GetCheck(kIdcDeathDate) == 1;
  c.deathPlace = GetCheck(kIdcDeathPlace) == 1;
  c.burialDate = GetCheck(kIdcBurialDate) == 1;
  c.burialPlace = GetCheck(kIdcBurialPlace) == 1;
  c.sbn = GetCheck(kIdcSbn) == 1;
  c.sex = GetCheck(kIdcSex) == 1;
  c.parents = GetCheck(kIdcParents) == 1;
  c.zelShown = options_.showZel != 0;
  c.baptism = GetCheck(kIdcBaptism) == 1;
  c.endowment = GetCheck(kIdcEndowment) == 1;
  c.sealingToParents = GetCheck(kIdcSealingToParents) == 1;
  if (marriagesListed_) {
    c.allMarriages = false;
    const QListWidget* list = Control<QListWidget>(kIdcDuplicateMarriages);
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->isSelected())
        c.marriages.push_back(list->item(i)->data(Qt::UserRole).toInt());
  }
  return c;
}

void CMergeIndividualsDialog::SelectAll(bool on) {
  for (int id : kBoxIds) SetCheck(id, on ? 1 : 0);
  if (options_.showZel != 0)
    for (int id : {kIdcBaptism, kIdcEndowment, kIdcSealingToParents}) SetCheck(id, on ? 1 : 0);
  QListWidget* list = Control<QListWidget>(kIdcDuplicateMarriages);
  for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(on);
}

void CMergeIndividualsDialog::NextMatch(int direction) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  session.Step(direction, MatchOptionsOf(options_));
  QApplication::restoreOverrideCursor();
  ShowPanels();
}

void CMergeIndividualsDialog::SwitchSides() {
  session.Switch();
  ShowPanels();
}

bool CMergeIndividualsDialog::RefuseReadOnly() const {
  const bool refused = readOnly ? readOnly()
                                : CurrentDatabase != nullptr &&
                                      CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
  if (refused)
    plat::MessageBox(res::LoadString(res::kIdsReadOnlyDevice), res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconExclamation);
  return refused;
}

void CMergeIndividualsDialog::MergePair() {
  if (session.MergeBlock() != 0) return;
  if (editAllowed && !editAllowed()) return;
  if (RefuseReadOnly()) return;
  const bool shift =
      shiftHeld ? shiftHeld() : (QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0;
  if (AskBeforeMerge(shift, options_.mrgVerify)) {
    bool yes = false;
    if (askMerge) {
      yes = askMerge();
    } else {
      QApplication::beep();
      CConfirmMergeQuestionDialog question(options_, this);
      yes = question.exec() == CConfirmMergeQuestionDialog::kIdYes;
    }
    if (!yes) return;
  }
  if (session.Merge(Choices(), MatchOptionsOf(options_)) == 1) merged = true;
  ShowPanels();
  if (QWidget* next = GetControl(kIdcNextMatch)) next->setFocus();
}

int CMergeIndividualsDialog::AutoMerge(const std::function<MergeConfirmPort::Answer()>& ask) {
  if (editAllowed && !editAllowed()) return 0;
  if (RefuseReadOnly()) return 0;
  PanelConfirm confirm(*this, ask);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int count = AutoMergeOnSbn(session.Work(), confirm, MatchOptionsOf(options_));
  QApplication::restoreOverrideCursor();
  if (count > 0) merged = true;
  session.SetRebuild();
  session.ChooseDuplicate(0);
  session.ChoosePrimary(0);
  ShowPanels();
  char text[128];
  std::snprintf(text, sizeof text, res::LoadString(res::kIdsMergedCount).c_str(), count);
  plat::MessageBox(text, res::LoadString(res::kIdsAutoMergeComplete),
                   plat::kMbOk | plat::kMbIconInformation);
  return count;
}
