#include "AddOnCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QLibrary>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

#include "AddOnCall.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "IndividualNode.h"
#include "KorApp.h"
#include "KorView.h"
#include "KorView2.h"
#include "Launcher.h"
#include "MainFrame.h"
#include "Ports.h"
#include "StartupLogic.h"
#include "StringIds.h"
#include "StringTable.h"
#include "WebLinks.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QList<QMenu*> MenusHolding(QAction* action) {
  QList<QMenu*> menus;
  if (!action) return menus;
  for (QObject* object : action->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(object)) menus.append(menu);
  return menus;
}

constexpr unsigned kSearchCommands[] = {shell::kIdSearchSeekwell, shell::kIdSearchOutside1,
                                        shell::kIdSearchOutside2, shell::kIdSearchOutside3,
                                        shell::kIdSearchKind4};

// The fixed pages of the Help and Tools menus and their string ids.
struct PageCommand {
  unsigned id;
  unsigned page;
};
constexpr PageCommand kPageCommands[] = {{shell::kIdHelpPublisherHome, res::kIdsPublisherHomePage},
                                         {shell::kIdToolsSeekwellService, res::kIdsSeekwellPage},
                                         {shell::kIdHelpFeedback, res::kIdsFeedbackPage}};

fw::CView* ActiveView(CKorApp& app) {
  CMainFrame* frame = app.GetMainFrame();
  fw::CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
  return child ? child->GetActiveView() : nullptr;
}

std::int32_t ActiveViewMrin(CKorApp& app) {
  fw::CView* view = ActiveView(app);
  if (auto* pedigree = qobject_cast<CKorView*>(view))
    return static_cast<std::int32_t>(pedigree->GetCurrentMarriage(0));
  if (auto* family = qobject_cast<CKorView2*>(view))
    return static_cast<std::int32_t>(family->OnGetFocusMarriage(0));
  return 0;
}

CIndividualNode* ActiveViewIndividual(CKorApp& app) {
  fw::CView* view = ActiveView(app);
  if (auto* pedigree = qobject_cast<CKorView*>(view))
    return reinterpret_cast<CIndividualNode*>(pedigree->GetCurrentIndividual(1));
  if (auto* family = qobject_cast<CKorView2*>(view))
    return reinterpret_cast<CIndividualNode*>(family->OnGetFocusIndividual(1));
  return nullptr;
}

}  // namespace

// ---- settings as keys ----

CSettingsKeyStore::CSettingsKeyStore(std::unique_ptr<QSettings> settings, const std::string& prefix)
    : settings_(std::move(settings)), prefix_(prefix) {}

CSettingsKeyStore::~CSettingsKeyStore() = default;

std::unique_ptr<CSettingsKeyStore> CSettingsKeyStore::User() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return std::make_unique<CSettingsKeyStore>(
      std::make_unique<QSettings>(base + QStringLiteral("/Quenmoor/Seekwell.conf"),
                                  QSettings::IniFormat),
      "Korvane/");
}

std::unique_ptr<CSettingsKeyStore> CSettingsKeyStore::System(const std::string& prefix) {
  return std::make_unique<CSettingsKeyStore>(
      std::make_unique<QSettings>(QSettings::IniFormat, QSettings::SystemScope,
                                  QStringLiteral("Quenmoor"), QStringLiteral("Seekwell")),
      prefix);
}

QString CSettingsKeyStore::Key(const std::string& path, const std::string& name) const {
  return Q(prefix_ + path + "/" + (name.empty() ? std::string("Default") : name));
}

std::vector<std::string> CSettingsKeyStore::SubKeys(const std::string& path) {
  settings_->beginGroup(Q(prefix_ + path));
  const QStringList groups = settings_->childGroups();
  settings_->endGroup();
  std::vector<std::string> names;
  for (const QString& group : groups) names.push_back(group.toStdString());
  return names;
}

std::optional<std::string> CSettingsKeyStore::ReadString(const std::string& path,
                                                         const std::string& name) {
  const QVariant value = settings_->value(Key(path, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

std::optional<int> CSettingsKeyStore::ReadInt(const std::string& path, const std::string& name) {
  bool ok = false;
  const int value = settings_->value(Key(path, name)).toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

bool CSettingsKeyStore::WriteString(const std::string& path, const std::string& name,
                                    const std::string& text) {
  settings_->setValue(Key(path, name), Q(text));
  settings_->sync();
  return settings_->status() == QSettings::NoError && settings_->isWritable();
}

bool CSettingsKeyStore::WriteInt(const std::string& path, const std::string& name, int value) {
  settings_->setValue(Key(path, name), value);
  settings_->sync();
  return settings_->status() == QSettings::NoError && settings_->isWritable();
}

// ---- running an add-on ----

void RunAddOn(const shell::CAddOnEntry& entry, const std::string& path, std::int32_t rin,
              std::int32_t mrin) {
  if (entry.target.empty()) return;
  if (!entry.IsLibrary()) {
    // A failing start is not reported.
    LaunchCommandLine(entry.CommandLine(path), entry.startFolder);
    return;
  }
  QLibrary library(Q(entry.target));
  if (!library.load()) return;
  if (auto call = reinterpret_cast<KorAddOnFunction>(library.resolve(KOR_ADDON_ENTRY_NAME))) {
    const std::string file = entry.FileText(path);
    const KorAddOnBlock block = shell::MakeAddOnBlock(file, rin, mrin);
    call(&block);
  }
  library.unload();
}

// ---- the commands ----

CAddOnCommands::CAddOnCommands(CKorApp& app, shell::KeyStore& user, shell::KeyStore* system)
    : QObject(&app), app_(app), list_(std::make_unique<shell::CAddOnList>(user, system)) {
  programFolder = QCoreApplication::applicationDirPath().toStdString() + "/";
  for (unsigned id = shell::kIdToolsAddOnFirst; id <= shell::kIdToolsAddOnLast; ++id)
    app.SetToolCommand(
        id, [this, id] { OnToolsAddOn(id); }, true);
  for (const PageCommand& command : kPageCommands) {
    const unsigned page = command.page;
    app.SetToolCommand(
        command.id, [page] { plat::Shell().Open(res::LoadString(page)); }, false);
  }
  app.SetToolCommand(
      shell::kIdHelpGettingStarted, [this] { OnGettingStarted(); }, false);
  for (unsigned id : kSearchCommands) {
    const int kind = shell::WebSearchKindOf(id);
    app.SetToolCommand(
        id, [this, kind] { OnWebSearch(kind); }, true);
  }
  if (CMainFrame* frame = app.GetMainFrame())
    for (QMenu* menu : MenusHolding(frame->CommandAction(shell::kIdSearchSeekwell)))
      connect(menu, &QMenu::aboutToShow, this, &CAddOnCommands::UpdateWebSearchItems);
  UpdateAddOnMenu();
  UpdateWebSearchItems();
}

void CAddOnCommands::UpdateAddOnMenu() {
  CMainFrame* frame = app_.GetMainFrame();
  if (!frame) return;
  for (unsigned id = shell::kIdToolsAddOnFirst; id <= shell::kIdToolsAddOnLast; ++id) {
    QAction* action = frame->CommandAction(id);
    if (!action) continue;
    const shell::CAddOnEntry* entry =
        list_->GetAt(static_cast<int>(id - shell::kIdToolsAddOnFirst));
    // An item beyond the count leaves the menu (hidden, so that a later
    // registration can bring it back).
    if (entry) action->setText(Q(entry->menuText));
    action->setVisible(entry != nullptr);
  }
}

void CAddOnCommands::OnToolsAddOn(unsigned id) {
  const shell::CAddOnEntry* entry =
      list_->GetAt(static_cast<int>(id) - static_cast<int>(shell::kIdToolsAddOnFirst));
  if (!entry) return;
  const std::int32_t rin = app_.ActiveViewRin();
  const std::int32_t mrin = ActiveViewMrin(app_);
  // The add-on may open the family file itself while it runs.
  const std::string path = app_.m_openFilePath;
  const bool wasOpen = app_.Files().fileOpen != 0;
  if (wasOpen) {
    DbCloseCurrent();
    app_.Files().fileOpen = 0;
  }
  RunAddOn(*entry, wasOpen ? path : std::string(), rin, mrin);
  if (!wasOpen) return;
  if (DbReopen(path) <= 0) {
    // Not open again (the add-on left it damaged and the user cancelled, or
    // it cannot be read): its windows close, so that none shows its family.
    app_.CloseWindowsOf(path);
    return;
  }
  app_.Files().fileOpen = 1;
  fw::CView* view = ActiveView(app_);
  if (auto* pedigree = qobject_cast<CKorView*>(view)) {
    pedigree->OnShowIndividual(pedigree->Tree().RinOf(0), 0);
    pedigree->update();
  } else if (auto* family = qobject_cast<CKorView2*>(view)) {
    family->OnShow(0);
    family->update();
  }
}

void CAddOnCommands::OnWebSearch(int kind) {
  CIndividualNode* individual = ActiveViewIndividual(app_);
  if (!individual) return;
  shell::SearchName name;
  for (int i = 0; i < 3; ++i) name.given[static_cast<std::size_t>(i)] = individual->GetGivenName(i);
  name.surname = individual->GetSurname();
  const std::string address = shell::WebSearchAddress(kind, name);
  // The kind without an address opens nothing.
  if (!address.empty()) plat::Shell().Open(address);
}

void CAddOnCommands::UpdateWebSearchItems() {
  CMainFrame* frame = app_.GetMainFrame();
  if (!frame) return;
  const bool current = app_.ActiveViewRin() != 0;
  for (unsigned id : kSearchCommands)
    if (QAction* action = frame->CommandAction(id)) action->setEnabled(current);
}

void CAddOnCommands::OnGettingStarted() {
  plat::Shell().Open(
      shell::GettingStartedPath(programFolder, shell::GetLanguageUI(plat::Profile())));
}

void RegisterAddOnCommands(CKorApp& app) {
  static std::unique_ptr<CSettingsKeyStore> user = CSettingsKeyStore::User();
  static std::unique_ptr<CSettingsKeyStore> system = CSettingsKeyStore::System("Korvane/");
  static std::unique_ptr<CSettingsKeyStore> machine = CSettingsKeyStore::System("");
  auto* commands = new CAddOnCommands(app, *user, system.get());
  commands->List().RegisterCompanions(*machine);
  commands->UpdateAddOnMenu();
}
