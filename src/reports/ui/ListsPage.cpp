#include "ListsPage.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "AppOptions.h"
#include "FamilyReunionFile.h"
#include "ListOptionDialogs.h"
#include "MatchMergeOptionsDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SheetFamilyReads.h"
#include "SourceDialogs.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr const char* kListTexts[15] = {"&Unlinked individuals",
                                        "&Duplicate individuals",
                                        "Individuals sorted by &RIN",
                                        "Individuals sorted &alphabetically",
                                        "&Marriages",
                                        "Possible &problems",
                                        "&End-of-line individuals",
                                        "Family reunion &contacts",
                                        "Places sorted alphabetically",
                                        "Individuals with no&tes",
                                        "Sources",
                                        "Citations referencing a source",
                                        "ZEL incomplete &individual ordinances",
                                        "&ZEL incomplete marriage sealings",
                                        "ZEL &family ordinance summary"};

rpt::LiveNumbers ReadLiveNumbers() {
  rpt::LiveNumbers live;
  rpt::LiveNumberRange(false, live.firstRin, live.lastRin);
  rpt::LiveNumberRange(true, live.firstMrin, live.lastMrin);
  return live;
}

std::vector<int> ListIds(int count) {
  std::vector<int> ids;
  for (int i = 0; i < count; ++i) ids.push_back(CListsPage::kIdcFirstList + i);
  return ids;
}

std::string ChooseReunionFileDefault(QWidget* parent) {
  std::string folder = plat::Profile().GetPath("Folders", "Report", "");
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const QString path = QFileDialog::getSaveFileName(
      parent, QStringLiteral("Save Family Reunion List File As"), fw::ToQPath(folder),
      QStringLiteral("Text Files (*.txt);;Listing Files (*.lst);;All Files(*.*)"));
  if (path.isEmpty()) return {};
  std::string chosen = fw::FromQPath(path);
  if (chosen.find('.', chosen.rfind('/') + 1) == std::string::npos) chosen += ".txt";
  return chosen;
}

// The Select Source dialog picking the source whose citations are listed; the
// memorized citation has no meaning here.
std::int32_t ChooseSourceDefault(QWidget* parent) {
  notesui::CSelectSourceDialog dialog(false, "", "", parent);
  dialog.ShowControl(notesui::CSelectSourceDialog::kIdcUseMemorized, false);
  if (dialog.exec() != fw::kIdOk) return 0;
  return dialog.chosen;
}

}  // namespace

CListsPage::CListsPage(CReportsPropSheet& sheet)
    : CReportSheetPage(sheet),
      logic_(sheet.Env().options != nullptr && sheet.Env().options->showZel != 0,
             rpt::ReportChoiceSlot().get(), ReadLiveNumbers(),
             rpt::CurrentReportRunState().printState != 0) {
  setWindowTitle(QStringLiteral("Lists"));
  chooseReunionFile = [this] { return ChooseReunionFileDefault(this); };
  logic_.writeReunionList = [this] { WriteReunionList(); };
  chooseSource = [this] { return ChooseSourceDefault(this); };
  logic_.chooseSource = [this] { return chooseSource ? chooseSource() : 0; };
  logic_.startingRin = sheet.Model().StartingRin();

  auto* lists = new QGroupBox(QStringLiteral("Lists"));
  auto* listLayout = new QVBoxLayout(lists);
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 15; ++i) {
    auto* radio =
        AddControl(kIdcFirstList + i, new QRadioButton(QString::fromLatin1(kListTexts[i])));
    group->addButton(radio);
    listLayout->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, i] { OnList(i); });
  }
  auto* optionsRow = new QHBoxLayout;
  optionsRow->addStretch(1);
  optionsRow->addWidget(AddControl(kIdcOptions, new QPushButton(QStringLiteral("&Options..."))));
  listLayout->addLayout(optionsRow);

  auto* person = BuildPersonGroup(kIdcPersonGroup, kIdcName, kIdcSearch);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lists);
  layout->addWidget(person);
  layout->addStretch(1);

  if (!logic_.showZel)
    for (int i = 12; i < 15; ++i) Control<QRadioButton>(kIdcFirstList + i)->hide();
  connect(Control<QPushButton>(kIdcOptions), &QPushButton::clicked, this, [this] { OnOptions(); });
  connect(Control<QPushButton>(kIdcSearch), &QPushButton::clicked, this, [this] { OnSearch(); });
  ShowStartingPerson();
}

void CListsPage::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  ShowEnabled();
}

bool CListsPage::DoDataExchange(bool save) {
  const std::vector<int> ids = ListIds(logic_.ListCount());
  if (save) {
    const int checked = GetCheckedRadio(ids);
    logic_.SelectList(checked < 0 ? 0 : checked);
  } else {
    CheckRadio(ids, logic_.listIndex);
  }
  return true;
}

void CListsPage::ShowStartingPerson() {
  logic_.startingRin = sheet_.Model().StartingRin();
  SetControlText(kIdcName, sheet_.Model().StartingName());
}

void CListsPage::ShowEnabled() {
  const rpt::CListsPageOptions::Enabled e = logic_.EnabledStates();
  EnableControl(kIdcOptions, e.options);
  for (int id : {kIdcPersonGroup, kIdcName, kIdcSearch}) EnableControl(id, e.startingPerson);
}

void CListsPage::OnSetActive() {
  const rpt::CListsPageOptions::Enabled e = logic_.EnabledStates();
  sheet_.SetButtons(e.preview, false, false, false);
  // The reunion list writes a file instead of running a report kind.
  if (e.okReadsOk) sheet_.EnableControl(fw::kIdOk, true);
  sheet_.SetOkText(res::LoadString(e.okReadsOk ? res::kIdsOk : res::kIdsPrint));
  sheet_.SetPageIcon(204);
}

bool CListsPage::OnKillActive() { return TakeAndWriteSettings(logic_); }

void CListsPage::OnList(int index) {
  logic_.SelectList(index);
  ShowEnabled();
  OnSetActive();
}

void CListsPage::OnOptions() {
  switch (logic_.listIndex) {
    case 1: {
      if (sheet_.Env().options == nullptr) return;
      CMatchMergeOptionsDialog dialog(*sheet_.Env().options, true, this);
      dialog.exec();
      break;
    }
    case 2: {
      CRinRangeDialog dialog(this);
      dialog.startRin = logic_.RinStart();
      dialog.endRin = logic_.RinEnd();
      if (dialog.exec() != fw::kIdOk) return;
      logic_.RinStart() = dialog.startRin;
      logic_.RinEnd() = dialog.endRin;
      break;
    }
    case 3: {
      CNameRangeDialog dialog(this);
      dialog.startName = logic_.NameStart();
      dialog.endName = logic_.NameEnd();
      if (dialog.exec() != fw::kIdOk) return;
      logic_.NameStart() = dialog.startName;
      logic_.NameEnd() = dialog.endName;
      break;
    }
    case 4: {
      CMarriageListOptionsDialog dialog(this);
      dialog.startName = logic_.MarriageNameStart();
      dialog.endName = logic_.MarriageNameEnd();
      dialog.startMrin = logic_.MrinStart();
      dialog.endMrin = logic_.MrinEnd();
      dialog.firstMrin = logic_.live.firstMrin;
      dialog.lastMrin = logic_.live.lastMrin;
      if (dialog.exec() != fw::kIdOk) return;
      logic_.MarriageNameStart() = dialog.startName;
      logic_.MarriageNameEnd() = dialog.endName;
      logic_.MrinStart() = dialog.startMrin;
      logic_.MrinEnd() = dialog.endMrin;
      logic_.marriageSort = dialog.sort;
      break;
    }
    case 5: {
      CPossibleProblemsDialog dialog(logic_, this);
      if (dialog.exec() != fw::kIdOk) return;
      dialog.GiveBack(logic_);
      break;
    }
    case 6: {
      CEndOfLineOptionsDialog dialog(sheet_.Model().StartingName(), this);
      if (dialog.exec() != fw::kIdOk) return;
      logic_.endOfLineType = dialog.type;
      break;
    }
    case 7: {
      if (sheet_.Env().options == nullptr) return;
      CFamilyReunionOptionsDialog dialog(*sheet_.Env().options, this);
      dialog.exec();
      break;
    }
    case 12:
    case 13: {
      const bool sealings = logic_.listIndex == 13;
      CZelListDialog dialog(sealings, this);
      dialog.firstMrin = logic_.live.firstMrin;
      dialog.lastMrin = logic_.live.lastMrin;
      if (sealings) {
        dialog.values.startYear = logic_.sealStartYear;
        dialog.values.endYear = logic_.sealEndYear;
        dialog.values.startMrin = logic_.sealMrinStart;
        dialog.values.endMrin = logic_.sealMrinEnd;
      } else {
        dialog.values.startYear = logic_.zelStartYear;
        dialog.values.endYear = logic_.zelEndYear;
        dialog.values.startName = logic_.zelNameStart;
        dialog.values.endName = logic_.zelNameEnd;
      }
      if (dialog.exec() != fw::kIdOk) return;
      if (sealings) {
        logic_.sealStartYear = dialog.values.startYear;
        logic_.sealEndYear = dialog.values.endYear;
        logic_.sealMrinStart = dialog.values.startMrin;
        logic_.sealMrinEnd = dialog.values.endMrin;
      } else {
        logic_.zelStartYear = dialog.values.startYear;
        logic_.zelEndYear = dialog.values.endYear;
        logic_.zelNameStart = dialog.values.startName;
        logic_.zelNameEnd = dialog.values.endName;
      }
      break;
    }
    default:
      break;
  }
}

void CListsPage::OnSearch() {
  const CReportsPropSheet::Environment& env = sheet_.Env();
  if (!env.findPerson) return;
  const std::int32_t rin =
      env.findPerson(sheet_.Model().StartingRin(), sheet_.Model().StartingName());
  if (rin > 0 && sheet_.Model().SetStartingPerson(rin)) sheet_.StartingPersonChanged();
}

void CListsPage::WriteReunionList() {
  const std::string path = chooseReunionFile ? chooseReunionFile() : std::string();
  if (path.empty()) return;
  rpt::FamilyReunionFileOptions options;
  if (const CAppOptions* app = sheet_.Env().options) {
    options.listType = app->famReunType;
    options.includeNoContact = app->famReunAll != 0;
    options.bornBefore = app->famReunYr;
  }
  rpt::WriteFamilyReunionFile(path, sheet_.Model().StartingRin(), options);
}

void RegisterListsPage() {
  RegisterReportSheetPage(rpt::kPageLists,
                          [](CReportsPropSheet& sheet) { return new CListsPage(sheet); });
}
