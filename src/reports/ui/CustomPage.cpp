#include "CustomPage.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppScreens.h"
#include "CustomRegistration.h"
#include "CustomReportCsv.h"
#include "CustomReportDialogs.h"
#include "CustomReportState.h"
#include "FamilyDatabase.h"
#include "FilterSet.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "NamedItemDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "ReportSheetRules.h"
#include "SaveDlg.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rptui {
namespace {

constexpr const char* kLayoutExtension = ".lyt";
constexpr const char* kSelectCaption = "Select Filter/Focus";
constexpr int kIcon = 204;

// The wait cursor for a scope.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CustomPageEnvironment& CustomPageEnv() {
  static CustomPageEnvironment env;
  return env;
}

CCustomPage::CCustomPage(CReportsPropSheet& sheet)
    : CReportSheetPage(sheet), logic_(rpt::CurrentCustomLayout()) {
  setWindowTitle(QStringLiteral("Custom"));
  auto* page = new QVBoxLayout(this);

  auto* titleRow = new QHBoxLayout;
  auto* title = AddControl(kIdcTitle, new QLineEdit);
  auto* titleLabel = new QLabel(QStringLiteral("&Title:"));
  titleLabel->setBuddy(title);
  titleRow->addWidget(titleLabel);
  titleRow->addWidget(title, 1);
  page->addLayout(titleRow);

  auto* filter = AddControl(kIdcFilterGroup, new QGroupBox(QString::fromLatin1(kSelectCaption)));
  auto* filterRow = new QHBoxLayout(filter);
  filterRow->addWidget(new QLabel(QStringLiteral("Individuals:")));
  auto* count = AddControl(kIdcCount, new QLabel(QStringLiteral("0")));
  count->setMinimumWidth(DialogUnitsToPixels(40, 0).width());
  filterRow->addWidget(count);
  filterRow->addStretch();
  filterRow->addWidget(AddControl(kIdcSelect, new QPushButton(QStringLiteral("Se&lect"))));
  page->addWidget(filter);

  auto* layoutGroup = new QGroupBox(QStringLiteral("Report Layout"));
  auto* grid = new QGridLayout(layoutGroup);
  grid->addWidget(AddControl(kIdcFields, new QPushButton(QStringLiteral("&Fields..."))), 0, 0);
  grid->addWidget(AddControl(kIdcSortOrder, new QPushButton(QStringLiteral("So&rt Order..."))), 0,
                  1);
  grid->addWidget(AddControl(kIdcNew, new QPushButton(QStringLiteral("Ne&w"))), 1, 0);
  grid->addWidget(AddControl(kIdcOpen, new QPushButton(QStringLiteral("&Open..."))), 1, 1);
  grid->addWidget(AddControl(kIdcSave, new QPushButton(QStringLiteral("&Save"))), 2, 0);
  grid->addWidget(AddControl(kIdcSaveAs, new QPushButton(QStringLiteral("Save &As..."))), 2, 1);
  page->addWidget(layoutGroup);

  auto* exportRow = new QHBoxLayout;
  exportRow->addWidget(
      AddControl(kIdcExport, new QPushButton(QStringLiteral("Print to &Comma Delimited File"))));
  exportRow->addStretch();
  page->addLayout(exportRow);
  page->addStretch();

  connect(title, &QLineEdit::textEdited, this, [this] {
    logic_.TitleTyped();
    ShowButtons();
  });
  const std::pair<int, void (CCustomPage::*)()> clicks[] = {
      {kIdcSelect, &CCustomPage::OnSelect},       {kIdcFields, &CCustomPage::OnFields},
      {kIdcSortOrder, &CCustomPage::OnSortOrder}, {kIdcNew, &CCustomPage::OnNew},
      {kIdcOpen, &CCustomPage::OnOpen},           {kIdcSave, &CCustomPage::OnSave},
      {kIdcSaveAs, &CCustomPage::OnSaveAs},       {kIdcExport, &CCustomPage::OnExport}};
  for (const auto& [id, handler] : clicks)
    connect(Control<QPushButton>(id), &QPushButton::clicked, this, handler);
}

void CCustomPage::OnInitDialog() {
  CReportSheetPage::OnInitDialog();
  ShowTitle();
  ShowButtons();
  logic_.SetModified(false);
  ShowButtons();
}

void CCustomPage::ShowTitle() {
  if (!logic_.Layout().title.empty()) SetControlText(kIdcTitle, logic_.Layout().title);
}

void CCustomPage::ShowFilter(const std::string& caption) {
  const std::string name = CustomPageEnv().filterName ? CustomPageEnv().filterName() : "";
  SetControlText(kIdcFilterGroup, rpt::CCustomPageLogic::GroupCaption(caption, name));
  SetControlText(kIdcCount, std::to_string(rpt::CustomReportSelection().size()));
}

void CCustomPage::ShowButtons() {
  const bool columns = !logic_.Layout().columns.empty();
  EnableControl(kIdcSave, logic_.CanSave());
  EnableControl(kIdcSaveAs, logic_.CanSaveAs());
  EnableControl(
      kIdcExport,
      columns && logic_.CanExport(static_cast<std::int64_t>(rpt::CustomReportSelection().size())));
}

void CCustomPage::OnSetActive() {
  ShowPrintButtons(true, false, true, false, kIcon);
  ShowFilter(groupCaption_.empty() ? kSelectCaption : groupCaption_);
  ShowTitle();
  ShowButtons();
}

bool CCustomPage::OnKillActive() {
  logic_.TakeTitle(GetControlText(kIdcTitle));
  logic_.WriteSettings();
  return true;
}

void CCustomPage::OnCancel() {
  logic_.TakeTitle(GetControlText(kIdcTitle));
  logic_.WriteSettings();
  CReportSheetPage::OnCancel();
}

void CCustomPage::OnSelect() {
  if (!CustomPageEnv().select) return;
  if (focusRin_ == 0) focusRin_ = sheet_.Model().Target().CurrentRin();
  const std::int32_t chosen = CustomPageEnv().select(this, focusRin_);
  if (chosen == 0) return;
  focusRin_ = chosen;
  groupCaption_ = res::LoadString(res::kIdsFilter);
  ShowFilter(groupCaption_);
  ShowButtons();
}

void CCustomPage::OnFields() {
  CReportFieldsDialog dialog(logic_.Layout(), CustomPageEnv().showZel && CustomPageEnv().showZel(),
                             this);
  if (dialog.exec() == fw::kIdOk) logic_.SetModified(true);
  ShowButtons();
}

void CCustomPage::OnSortOrder() {
  CSortOrderDialog dialog(logic_.Layout(), CustomPageEnv().showZel && CustomPageEnv().showZel(),
                          this);
  if (dialog.exec() == fw::kIdOk) logic_.SetModified(true);
  ShowButtons();
}

void CCustomPage::OnNew() {
  logic_.New();
  SetControlText(kIdcTitle, logic_.Layout().title);
  ShowButtons();
}

void CCustomPage::OnOpen() {
  COpenNamedFileDialog dialog(kLayoutExtension, this);
  dialog.caption = res::LoadString(res::kIdsOpenLayout);
  dialog.prompt = res::LoadString(res::kIdsLayoutPrompt);
  if (dialog.exec() != fw::kIdOk) return;
  {
    WaitCursor wait;
    if (logic_.Open(dialog.chosenPath)) ShowTitle();
  }
  ShowButtons();
}

void CCustomPage::OnSaveAs() {
  logic_.TakeTitle(GetControlText(kIdcTitle));
  CNamedItemSaveDialog dialog(kLayoutExtension, this);
  dialog.caption = res::LoadString(res::kIdsSaveLayout);
  dialog.prompt = res::LoadString(res::kIdsLayoutPrompt);
  dialog.proposedName = logic_.Layout().title;
  if (dialog.SaveOrPrompt(false) != fw::kIdOk) return;
  if (logic_.SaveAs(dialog.chosenPath, dialog.chosenName))
    SetControlText(kIdcTitle, logic_.Layout().title);
  ShowButtons();
}

void CCustomPage::OnSave() {
  logic_.TakeTitle(GetControlText(kIdcTitle));
  if (logic_.Path().empty()) {
    // The quick form: a new name is saved at once when layouts exist.
    CNamedItemSaveDialog dialog(kLayoutExtension, this);
    dialog.caption = res::LoadString(res::kIdsSaveLayout);
    dialog.prompt = res::LoadString(res::kIdsLayoutPrompt);
    dialog.proposedName = logic_.Layout().title;
    if (dialog.SaveOrPrompt(true) == fw::kIdOk) logic_.SaveAs(dialog.chosenPath, dialog.chosenName);
  } else {
    logic_.Save();
  }
  ShowButtons();
}

void CCustomPage::OnExport() {
  logic_.TakeTitle(GetControlText(kIdcTitle));
  CSaveDlg dialog(".txt", "*.txt", kOfnPathMustExist | kOfnHideReadOnly,
                  res::LoadString(res::kIdsTextFilter), this);
  std::string folder = plat::Profile().GetPath("Folders", "Report", "");
  if (!folder.empty()) {
    if (folder.back() != '/') folder += '/';
    dialog.SetFolder(folder);
  }
  if (dialog.DoModal() != fw::kIdOk) return;
  const std::string path = dialog.GetPathName();

  const CCustomReportLayout& layout = logic_.Layout();
  CustomPageEnvironment& env = CustomPageEnv();
  rpt::AskRelationshipIndicators(layout, env.relationshipsShown, [this, &env] {
    if (env.setRelationshipIndicators) env.setRelationshipIndicators(this);
  });

  WaitCursor wait;
  plat::ProgressPort& progress = plat::Progress();
  progress.Begin(res::LoadString(res::kIdsSaving), 0);
  progress.SetText(res::LoadString(res::kIdsLines) + " 0");
  rpt::ExportCustomReport(
      path, layout, rpt::CustomReportSelection(), [&progress](std::int64_t lines) {
        progress.SetText(res::LoadString(res::kIdsLines) + " " + std::to_string(lines));
        plat::PumpWaitingMessages();
        return !progress.CancelRequested();
      });
  progress.End();
}

void RegisterCustomPage() {
  rpt::RegisterCustomReport();
  RegisterReportSheetPage(rpt::kPageCustom,
                          [](CReportsPropSheet& sheet) { return new CCustomPage(sheet); });
}

void RegisterCustomReportScreens(CKorApp& app) {
  RegisterCustomPage();
  CKorApp* owner = &app;
  rpt::SetCustomReportSelection([owner]() {
    std::vector<std::int32_t> rins;
    CKorDoc* doc = owner->GetCurrentDocument();
    if (doc == nullptr || !doc->m_filterSet) return rins;
    const CFilterSet& set = *doc->m_filterSet;
    if (!set.HasSet(2)) return rins;
    const int highest = set.GetMaxIndex(2);
    for (std::int32_t rin = 1; rin <= highest; ++rin)
      if (set.IsInSet(2, rin) == 1) rins.push_back(rin);
    return rins;
  });
  CustomPageEnvironment& env = CustomPageEnv();
  env.filterName = [owner]() -> std::string {
    CKorDoc* doc = owner->GetCurrentDocument();
    return doc != nullptr && doc->m_filterSet ? doc->m_filterSet->name : std::string();
  };
  env.select = [](QWidget* parent, std::int32_t focus) -> std::int32_t {
    if (!AppScreens().selectIndividuals) return 0;
    return AppScreens().selectIndividuals(parent, focus, false);
  };
  env.showZel = [owner] { return owner->m_options.showZel != 0; };
  env.setRelationshipIndicators = [](QWidget* parent) {
    if (AppScreens().setRelationshipIndicators) AppScreens().setRelationshipIndicators(parent, 0);
  };
  env.relationshipsShown = [] { return CurrentDatabase && CurrentDatabase->GetFileOption(1) != 0; };
}

}  // namespace rptui
