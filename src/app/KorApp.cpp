#include "KorApp.h"

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "AddRelatives.h"
#include "AppDialogs.h"
#include "AppMaintenanceScreens.h"
#include "AppScreens.h"
#include "CheckRepairCommand.h"
#include "Clock.h"
#include "CodePage.h"
#include "CommandIds.h"
#include "CommandRules.h"
#include "CustomEventTable.h"
#include "DateKeywords.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditEnvironment.h"
#include "FamilyDatabase.h"
#include "FilePropertiesDialog.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "FilterSet.h"
#include "FindRecordDialog.h"
#include "FramePlacement.h"
#include "ImportLinkPromptDialog.h"
#include "IndividualDelete.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorMDIChildWnd.h"
#include "KorView.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "MarriageNode.h"
#include "PasswordDialog.h"
#include "Ports.h"
#include "PreferencesPages.h"
#include "PreferencesSheet.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "RelationshipCode.h"
#include "StartupTables.h"
#include "StatusPanes.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempleTable.h"

namespace {

CKorApp* g_app = nullptr;

// The separator after the command line a second start sends.
constexpr char kHandOverEnd = '\n';

int Message(const std::string& text, unsigned flags) {
  return plat::MessageBox(text, res::LoadString(res::kIdsAppName), flags);
}

CKorDoc* DocumentOf(QMdiSubWindow* window) {
  auto* child = qobject_cast<CKorMDIChildWnd*>(window);
  return child ? qobject_cast<CKorDoc*>(child->GetActiveDocument()) : nullptr;
}

// The menus an action sits in.
QList<QMenu*> MenusOf(QAction* action) {
  QList<QMenu*> menus;
  if (!action) return menus;
  for (QObject* object : action->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(object)) menus.append(menu);
  return menus;
}

}  // namespace

// Hands the roads' dialog requests to the program's dialogs or a test's.
class CKorApp::DialogsRelay : public shell::FileDialogs {
 public:
  shell::FileDialogs* target = nullptr;

  std::string AskOpenPath(const std::string& filter, const std::string& title,
                          const std::string& folder) override {
    return target->AskOpenPath(filter, title, folder);
  }
  std::string AskSavePath(const std::string& title, const std::string& filter,
                          const std::string& defaultExt, const std::string& folder,
                          const std::vector<std::string>& forbidden) override {
    return target->AskSavePath(title, filter, defaultExt, folder, forbidden);
  }
  int AskWelcome(std::string& path) override { return target->AskWelcome(path); }
  void ShowSplash() override { target->ShowSplash(); }
  void ShowAbout() override { target->ShowAbout(); }
  void RunBackup() override { target->RunBackup(); }
  void RunCheckRepair(const std::string& path) override { target->RunCheckRepair(path); }
  void ShowPreparerPreferences() override { target->ShowPreparerPreferences(); }
  void ImportGedcom(const std::string& path) override { target->ImportGedcom(path); }
  bool AskConversionOptions(const std::string& location, const std::string& title, long individuals,
                            orv2::ConversionOptions& options) override {
    return target->AskConversionOptions(location, title, individuals, options);
  }
  int RunConverter(CFamilyDatabase& source, const orv2::ConversionOptions& options,
                   const std::string& destination) override {
    return target->RunConverter(source, options, destination);
  }
};

CKorApp::CKorApp()
    : ownDialogs_(std::make_unique<CAppDialogs>(m_options)),
      dialogs_(std::make_unique<DialogsRelay>()),
      files_(std::make_unique<shell::FamilyFileRoads>(m_options, *dialogs_,
                                                      static_cast<shell::DocumentWindows&>(*this))),
      m_openFilePath(files_->openPath) {
  dialogs_->target = ownDialogs_.get();
  maintenanceScreens_ = std::make_unique<CAppMaintenanceScreens>();
  // A backup run by the reminder while the last window goes repaints nothing.
  maintenanceScreens_->closedWork = [this](bool) {
    CKorDoc* document = GetCurrentDocument();
    if (document && std::find(documents_.begin(), documents_.end(), document) != documents_.end())
      RepaintCurrentView();
  };
  maintenance_ = std::make_unique<shell::MaintenanceCommands>(
      *files_, static_cast<shell::DocumentWindows&>(*this), *maintenanceScreens_);
  g_app = this;
}

CKorApp::~CKorApp() {
  // The windows and their documents go while the application still answers,
  // without switching files on the way.
  if (frame_) {
    frame_->removeEventFilter(this);
    frame_->MDIClient()->disconnect(this);
  }
  frame_.reset();
  if (g_app == this) g_app = nullptr;
}

CKorApp* CKorApp::Instance() { return g_app; }

void CKorApp::SetMaintenanceScreens(shell::MaintenanceScreens* screens) {
  maintenance_->SetScreens(screens ? *screens : *maintenanceScreens_);
}

void CKorApp::SetDialogs(shell::FileDialogs* dialogs) {
  dialogs_->target = dialogs ? dialogs : ownDialogs_.get();
}

// ---- start-up ----

std::string CKorApp::InstanceSocketName() const {
  // One per user and session: the runtime folder is the user's own.
  QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(QString::fromLocal8Bit(runtime)).isDir())
    return QFile::encodeName(QString::fromLocal8Bit(runtime) + QLatin1Char('/') +
                             QLatin1String(kInstanceName))
        .toStdString();
  return std::string(kInstanceName) + "-" + std::to_string(::getuid());
}

bool CKorApp::IsSingleInstance(const std::string& commandLine) {
  const QString name = QFile::decodeName(InstanceSocketName().c_str());
  {
    QLocalSocket other;
    other.connectToServer(name);
    if (other.waitForConnected(1000)) {
      other.write(QByteArray::fromStdString(commandLine) + kHandOverEnd);
      other.waitForBytesWritten(1000);
      other.disconnectFromServer();
      return true;
    }
  }
  // Nobody answers: a socket left by a process that died is removed.
  QLocalServer::removeServer(name);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name)) {
    server_.reset();
    return false;
  }
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        while (socket->canReadLine()) {
          QByteArray line = socket->readLine();
          line.chop(1);
          // Opening a file may show message boxes, whose event loop would
          // run inside this handler and could delete the socket under it:
          // the hand-over runs after the handler has returned.
          QMetaObject::invokeMethod(
              this, [this, commandLine = line.toStdString()] { OnHandOver(commandLine); },
              Qt::QueuedConnection);
        }
      });
    }
  });
  return false;
}

void CKorApp::OnHandOver(const std::string& commandLine) {
  if (frame_) {
    if (frame_->isMinimized()) frame_->showNormal();
    frame_->raise();
    frame_->activateWindow();
    if (QWidget* popup = QApplication::activeModalWidget()) popup->raise();
  }
  shell::CommandLine parsed = shell::ParseCommandLine(commandLine);
  // A second start names the file it was asked to open: it opens here.
  if (parsed.fileGiven && !parsed.fileName.empty() && !QApplication::activeModalWidget()) {
    files_->OpenPath(parsed.fileName);
    AfterRoad();
  }
}

bool CKorApp::SetInterfaceLanguage(const std::string& code) {
  res::UnloadCatalog();
  const std::string upper = plat::AnsiUpper(code);
  bool loaded = true;
  if (!upper.empty() && upper != "EN")
    loaded = res::LoadCatalogFile(res::CatalogPath(plat::ProgramPath(), code));
  m_helpFilePath = GetHelpFilePath(loaded ? code : std::string());
  return loaded;
}

bool CKorApp::InitInstance(const std::string& commandLine) {
  // A file named on the command line is relative to the folder the program
  // was started in: it is made absolute before start-up moves to the data
  // folder, and before it is handed to a running program in another folder.
  shell::CommandLine parsed = shell::ParseCommandLine(commandLine);
  shell::ResolveCommandLineFile(parsed, plat::CurrentDirectory());
  if (IsSingleInstance(shell::HandOverLine(parsed))) return false;

  plat::ProfilePort& profile = plat::Profile();
  SetInterfaceLanguage(shell::GetLanguageUI(profile));
  m_options.Load();
  shell::ApplyDisplayOptions(m_options);
  m_editGate.Start(m_options.password);

  if (parsed.languageGiven) {
    if (SetInterfaceLanguage(parsed.language))
      shell::SetLanguageUI(profile, parsed.language);
    else
      SetInterfaceLanguage(shell::GetLanguageUI(profile));
  }
  m_extendedCharts = parsed.extendedCharts;

  std::string folder = profile.GetPath("Folders", "Data", "");
  if (folder.empty()) folder = GetSpecialFolderPath(kCsidlPersonal);
  if (!folder.empty()) plat::SetCurrentDirectory(folder);

  const int codePage = plat::ActiveCodePage();
  if (codePage != plat::kCodePageWestern && codePage != plat::kCodePageCentralEuropean)
    Message(res::LoadString(res::kIdsCodePageWarning), plat::kMbOk);

  const std::string startupFile = shell::ChooseStartupFile(parsed, profile);
  const auto startup = files_->OpenStartupFile(startupFile, parsed.fileGiven);

  if (parsed.splash) dialogs_->ShowSplash();
  RegisterFileTypes();
  returnAsTab_.Load(profile);
  LoadEditEnvironment();

  frame_ = std::make_unique<CMainFrame>(this);
  frame_->installEventFilter(this);
  if (auto* own = dynamic_cast<CAppDialogs*>(ownDialogs_.get())) own->SetParent(frame_.get());
  maintenanceScreens_->SetParent(frame_.get());
  connect(frame_->MDIClient(), &QMdiArea::subWindowActivated, this, &CKorApp::ActivateFamilyWindow);
  WireCommands();
  PlaceMainFrame();

  LoadSharedTables();
  // A file opened above came before the custom event table. A file that
  // cannot take them (told by the engine) is used without them.
  if (files_->fileOpen) (void)DbAddMissingEventTypes();

  if (files_->fileOpen)
    CreateDocumentWindow(kViewNone);
  else if (startup == shell::FamilyFileRoads::StartupResult::kGedcom)
    dialogs_->ImportGedcom(startupFile);
  else
    ShowWelcome();

  AfterRoad();
  if (!CheckSystemClock()) {
    exitCode_ = -1;
    return false;
  }
  return true;
}

void CKorApp::PlaceMainFrame() {
  QSize screen = QApplication::primaryScreen()->size();
  shell::StartPlacement place =
      shell::ReadStartPlacement(plat::Profile(), screen.width(), screen.height());
  if (place.maximized) {
    frame_->showMaximized();
  } else {
    frame_->move(place.rect.x, place.rect.y);
    frame_->resize(place.rect.cx, place.rect.cy);
    frame_->show();
  }
}

void CKorApp::LoadSharedTables() {
  LoadDateKeywords();
  LoadStandardNoteTags();
  LoadTempleTable();
  LoadCustomEventTable();
  LoadNavigationKeys();
  tablesLoaded_ = true;
}

bool CKorApp::CheckSystemClock() {
  const std::string program = plat::ProgramPath();
  std::optional<std::time_t> built;
  if (auto times = plat::GetFileTimes(program)) built = times->modified;
  shell::ClockCheck check = shell::CheckClock(plat::Now(), built);
  if (check.warnEarly) Message(res::LoadString(res::kIdsClockEarly), plat::kMbOk);
  if (check.expired) {
    Message(res::LoadString(res::kIdsClockExpired), plat::kMbOk | plat::kMbIconStop);
    return false;
  }
  return true;
}

void CKorApp::ApplyEditOptions() {
  EditOptions& edit = EditEnvironment().options;
  edit.verifyNew = m_options.verifyNew != 0;
  edit.autoNames = m_options.autoNames != 0;
  edit.showZel = m_options.showZel != 0;
  edit.allowSbnEdit = m_options.allowSbnEdit != 0;
}

void CKorApp::LoadEditEnvironment() {
  CEditEnvironment& edit = EditEnvironment();
  ApplyEditOptions();
  edit.returnAsTab = [this] { return IsReturnAsTab() != 0; };
  edit.LoadDittoLists();
  dittoListsLoaded_ = true;
}

int CKorApp::ExitInstance() {
  if (dittoListsLoaded_) {
    EditEnvironment().SaveDittoLists();
    EditEnvironment().returnAsTab = nullptr;
    dittoListsLoaded_ = false;
  }
  if (tablesLoaded_) {
    FreeTempleTable();
    FreeStandardNoteTags();
    FreeCustomEventTable();
    tablesLoaded_ = false;
  }
  server_.reset();
  return exitCode_;
}

bool CKorApp::eventFilter(QObject* watched, QEvent* event) {
  // The document windows close before the main window: the last one closes
  // the family file, with the backup reminder.
  // The other files' windows go first, without switching to their files.
  if (frame_ && watched == frame_.get() && event->type() == QEvent::Close) {
    files_->guard = 0;
    std::vector<QMdiSubWindow*> last;
    for (QMdiSubWindow* window : frame_->MDIClient()->subWindowList()) {
      CKorDoc* document = DocumentOf(window);
      if (document && document->m_familyFilePath == files_->openPath)
        last.push_back(window);
      else
        delete window;
    }
    for (QMdiSubWindow* window : last) delete window;
    files_->guard = 1;
  }
  return QObject::eventFilter(watched, event);
}

// ---- document windows ----

const fw::CRuntimeClass* CKorApp::ViewClassOf(int viewType) {
  if (viewType == kViewFamily) return fw::RuntimeClassOf<CKorView2>();
  return fw::RuntimeClassOf<CKorView>();
}

void CKorApp::CreateDocumentWindow(int viewType) {
  if (!frame_) return;
  if (viewType == kViewNone) viewType = m_currentViewType;
  if (viewType == kViewNone)
    viewType = plat::Profile().GetInt(shell::kStartUpSection, "ViewType", kDefaultViewType);
  if (viewType != kViewPedigree && viewType != kViewFamily) {
    plat::MessageBox("Unknown View Type", "Yo", plat::kMbOk);
    viewType = kViewPedigree;
  }
  m_currentViewType = viewType;

  auto* document = new CKorDoc;
  document->BindFamilyFile(files_->openPath, files_->openType);
  document->OnNewDocument();
  SetCurrentDocument(document);
  files_->fileInfo = &document->m_fileInfo;

  auto* child = new CKorMDIChildWnd;
  fw::CView* view = child->CreateView(ViewClassOf(viewType), document);
  child->SetActiveView(view);
  frame_->AddMDIChild(child);
  // The run's first document window opens maximized; a later one fills the
  // client area.
  child->setGeometry(QRect(QPoint(0, 0), frame_->MDIClient()->viewport()->size()));
  if (!documentWindowMaximized_) {
    documentWindowMaximized_ = true;
    child->showMaximized();
  }
  view->OnInitialUpdate();
  UpdateSearchMenu();
  UpdateViewMenuTexts();
}

void CKorApp::OnDocumentCreated(CKorDoc* document) {
  documents_.push_back(document);
  files_->fileInfo = &document->m_fileInfo;
}

void CKorApp::OnDocumentClosing(CKorDoc* document) {
  std::erase(documents_, document);
  // The last document window closes the open file.
  if (documents_.empty() && files_->fileOpen) {
    if (document->m_familyFilePath == files_->openPath) files_->fileInfo = &document->m_fileInfo;
    files_->CloseFamilyFile(1);
  }
  if (files_->fileInfo == &document->m_fileInfo) files_->fileInfo = nullptr;
}

void CKorApp::ActivateFamilyWindow(QMdiSubWindow* window) {
  CKorDoc* document = DocumentOf(window);
  if (!document) return;
  if (document->m_familyFilePath.empty()) {
    if (!files_->fileOpen) return;
    document->BindFamilyFile(files_->openPath, files_->openType);
    SetCurrentDocument(document);
    files_->fileInfo = &document->m_fileInfo;
    RepaintCurrentView();
  } else if (document->m_familyFilePath != files_->openPath && files_->guard == 1) {
    if (files_->SwitchToFile(document->m_familyFilePath, document->m_familyFileType)) {
      SetCurrentDocument(document);
      files_->fileInfo = &document->m_fileInfo;
      RepaintCurrentView();
    }
    AfterRoad();
  }
}

bool CKorApp::HasWindow(const std::string& path, bool ignoreCase) {
  for (const std::string& shown : WindowPaths())
    if (ignoreCase ? shell::RecentFileList::SamePath(shown, path) : shown == path) return true;
  return false;
}

std::vector<std::string> CKorApp::WindowPaths() {
  std::vector<std::string> paths;
  if (!frame_) return paths;
  for (QMdiSubWindow* window : frame_->MDIClient()->subWindowList())
    if (CKorDoc* document = DocumentOf(window)) paths.push_back(document->m_familyFilePath);
  return paths;
}

void CKorApp::ActivateWindow(const std::string& path) {
  if (!frame_) return;
  for (QMdiSubWindow* window : frame_->MDIClient()->subWindowList())
    if (CKorDoc* document = DocumentOf(window))
      if (shell::RecentFileList::SamePath(document->m_familyFilePath, path)) {
        frame_->MDIClient()->setActiveSubWindow(window);
        return;
      }
}

void CKorApp::DestroyActiveWindow() {
  if (!frame_) return;
  delete frame_->MDIGetActive();
}

void CKorApp::DestroyWindows(const std::string& path) {
  if (!frame_) return;
  for (QMdiSubWindow* window : frame_->MDIClient()->subWindowList())
    if (CKorDoc* document = DocumentOf(window))
      if (shell::RecentFileList::SamePath(document->m_familyFilePath, path)) delete window;
}

void CKorApp::RepaintCurrentView() {
  if (CKorDoc* document = GetCurrentDocument())
    for (fw::CView* view : document->Views()) view->repaint();
}

// ---- commands ----

void CKorApp::WireCommands() {
  auto wire = [this](unsigned id, void (CKorApp::*handler)()) {
    if (QAction* action = frame_->CommandAction(id))
      connect(action, &QAction::triggered, this, [this, handler] {
        (this->*handler)();
        AfterRoad();
      });
  };
  wire(shell::kIdFileNew, &CKorApp::OnFileNew);
  wire(shell::kIdFileOpen, &CKorApp::OnFileOpen);
  wire(shell::kIdFileClose, &CKorApp::OnFileClose);
  wire(shell::kIdFileSaveAs, &CKorApp::OnFileSaveAs);
  wire(shell::kIdAppAbout, &CKorApp::OnAppAbout);
  if (QAction* action = frame_->CommandAction(shell::kIdToolsPreferences))
    connect(action, &QAction::triggered, this, [this] {
      ShowPreferences(-1);
      AfterRoad();
    });
  wire(shell::kIdFileBackup, &CKorApp::BackupFamilyFile);
  wire(shell::kIdFileRestore, &CKorApp::OnFileRestore);
  wire(shell::kIdFileDelete, &CKorApp::OnFileDelete);
  wire(shell::kIdFileProperties, &CKorApp::OnFileProperties);
  wire(shell::kIdFileCheckRepair, &CKorApp::OnFileCheckRepair);
  wire(shell::kIdToolsMixedCase, &CKorApp::OnChangeNamesToMixedCase);
  wire(shell::kIdFileImport, &CKorApp::OnFileImport);
  wire(shell::kIdFileExport, &CKorApp::OnFileExport);
  wire(shell::kIdViewPedigree, &CKorApp::ShowPedigreeView);
  wire(shell::kIdViewFamily, &CKorApp::ShowFamilyView);
  wire(shell::kIdViewSwitch, &CKorApp::OnSwitchView);
  wire(shell::kIdViewMoveToPrimary, &CKorApp::OnMoveToPrimary);
  wire(shell::kIdEditDeleteIndividual, &CKorApp::OnDeleteIndividual);
  wire(shell::kIdSearchFindRecord, &CKorApp::OnFindRecord);
  wire(shell::kIdSearchHomePerson, &CKorApp::OnHomePerson);
  if (QAction* action = frame_->CommandAction(shell::kIdEditUnlinkIndividual))
    connect(action, &QAction::triggered, this, [this] {
      if (CKorView2* view = ActiveFamilyView()) view->OnUnlink();
      AfterRoad();
    });
  // Alt+M and Alt+P belong to the family view.
  if (QAction* action = frame_->CommandAction(shell::kIdViewOtherMarriages))
    connect(action, &QAction::triggered, this, [this] {
      if (CKorView2* view = ActiveFamilyView()) view->OnOtherMarriages();
    });
  if (QAction* action = frame_->CommandAction(shell::kIdViewParents))
    connect(action, &QAction::triggered, this, [this] {
      if (CKorView2* view = ActiveFamilyView()) view->OnOtherParents();
    });
  for (const auto& entry : toolCommands_) WireToolCommand(entry.first);

  QAction* first = frame_->CommandAction(shell::kIdFileRecent1);
  if (!first) return;
  recentActions_.push_back(first);
  connect(first, &QAction::triggered, this, [this] {
    OpenRecentFile(0);
    AfterRoad();
  });
  for (int index = 1; index < shell::RecentFileList::kSize; ++index) {
    auto* action = new QAction(frame_.get());
    action->setProperty("commandId", shell::kIdFileRecent1 + index);
    action->setStatusTip(first->statusTip());
    connect(action, &QAction::triggered, this, [this, index] {
      OpenRecentFile(index);
      AfterRoad();
    });
    recentActions_.push_back(action);
  }
  // The File menus bring their items up to date as they open.
  for (QMenu* menu : MenusOf(frame_->CommandAction(shell::kIdFileOpen)))
    connect(menu, &QMenu::aboutToShow, this, &CKorApp::AfterRoad);
  // The Edit, Add and Search menus follow the active view's individual.
  for (unsigned id : {shell::kIdEditIndividual, shell::kIdAddFather, shell::kIdSearchDescendancy})
    for (QMenu* menu : MenusOf(frame_->CommandAction(id)))
      connect(menu, &QMenu::aboutToShow, this, &CKorApp::UpdateCommandStates);
}

void CKorApp::UpdateCommandStates() {
  if (!frame_) return;
  for (unsigned id : {shell::kIdFileNew, shell::kIdFileOpen, shell::kIdAppAbout})
    if (QAction* action = frame_->CommandAction(id)) action->setEnabled(true);
  for (unsigned id : {shell::kIdFileClose, shell::kIdFileSaveAs, shell::kIdToolsPreferences})
    if (QAction* action = frame_->CommandAction(id)) action->setEnabled(files_->fileOpen != 0);
  for (unsigned id : {shell::kIdViewPedigree, shell::kIdViewFamily, shell::kIdViewMoveToPrimary})
    if (QAction* action = frame_->CommandAction(id)) action->setEnabled(files_->fileOpen != 0);
  MarkCurrentView();
  // A command a screen library handed over follows its rule in the command
  // table; one the table does not name needs (or not) an open file. The
  // application's own commands below follow the table too.
  const shell::CommandContext context = CommandStateContext();
  for (unsigned id : {shell::kIdEditDeleteIndividual, shell::kIdEditUnlinkIndividual,
                      shell::kIdSearchFindRecord, shell::kIdSearchHomePerson, shell::kIdViewSwitch,
                      shell::kIdViewOtherMarriages, shell::kIdViewParents})
    if (QAction* action = frame_->CommandAction(id)) {
      shell::CommandRule rule;
      action->setEnabled(shell::FindCommandRule(id, rule) && shell::IsRuleMet(rule, context));
    }
  for (const auto& [id, command] : toolCommands_)
    if (QAction* action = frame_->CommandAction(id)) {
      shell::CommandRule rule;
      action->setEnabled(shell::FindCommandRule(id, rule)
                             ? shell::IsRuleMet(rule, context)
                             : !command.needsFile || files_->fileOpen != 0);
    }
  for (unsigned id : {shell::kIdFileRestore, shell::kIdFileDelete, shell::kIdFileCheckRepair})
    if (QAction* action = frame_->CommandAction(id)) action->setEnabled(true);
  for (unsigned id : {shell::kIdFileProperties, shell::kIdToolsMixedCase})
    if (QAction* action = frame_->CommandAction(id)) action->setEnabled(files_->fileOpen != 0);
  if (QAction* action = frame_->CommandAction(shell::kIdFileBackup))
    action->setEnabled(maintenance_->CanBackup());
  // Import needs a file it may write to, or none (one is made first);
  // export a file that holds individuals.
  if (QAction* action = frame_->CommandAction(shell::kIdFileImport))
    action->setEnabled(
        AppScreens().importGedcom &&
        (!files_->fileOpen || CurrentDatabase->ReadOnly() != CFamilyDatabase::kReadOnly));
  if (QAction* action = frame_->CommandAction(shell::kIdFileExport))
    action->setEnabled(AppScreens().exportGedcom && files_->fileOpen &&
                       DbGetActiveRecordCount(db::kIndividual) > 0);
}

shell::CommandContext CKorApp::CommandStateContext() const {
  shell::CommandContext c;
  c.fileOpen = files_->fileOpen != 0 && CurrentDatabase != nullptr && CurrentDatabase->IsOpen();
  if (!c.fileOpen) return c;
  c.readOnly = CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
  c.individuals = DbGetActiveRecordCount(db::kIndividual);
  c.marriages = DbGetActiveRecordCount(db::kMarriage);
  if (const std::int32_t first = DbGetRIN(1, db::kQuerySources, db::kWalkNextOrSame); first > 0)
    c.sources = DbGetRIN(first, db::kQuerySources, db::kWalkNext) > 0 ? 2 : 1;
  shell::famview::CommandFocus family;
  c.familyView = ActiveFamilyFocus(family);
  c.focusIndividual = ActiveViewRin();
  if (c.focusIndividual > 0) {
    std::vector<std::int32_t> parents;
    DbGetRelationList(parents, db::kRelParents, 4, c.focusIndividual, 0);
    c.focusParentFamilies = static_cast<int>(parents.size());
  }
  if (c.familyView) {
    // The family view adds parents to its primary individual, whichever
    // pane is selected.
    c.canAddFather = addrelative::CanAddParent(family.primary, family.parents, true);
    c.canAddMother = addrelative::CanAddParent(family.primary, family.parents, false);
    c.focusInMarriagePane = family.marriagePane;
    c.selectionOutsidePrimary = family.relativeSelected;
    if (family.primary > 0)
      c.primaryMarriages = DbGetRelationCount(family.primary, db::kRelMarriages, 0, 1);
    c.spouseTarget = family.spouseFor;
    c.childTarget = family.individual > 0 || family.marriage > 0 || family.primary > 0;
  } else if (c.focusIndividual > 0) {
    c.canAddFather = addrelative::CanAddParent(c.focusIndividual, 0, true);
    c.canAddMother = addrelative::CanAddParent(c.focusIndividual, 0, false);
    c.spouseTarget = c.focusIndividual;
    c.childTarget = true;
    // The pedigree view decides by its boxes, for the relative an empty
    // parent box chose or the current box.
    if (const CKorView* pedigree = ActivePedigreeView()) {
      c.canAddFather = pedigree->CanAddParent(true);
      c.canAddMother = pedigree->CanAddParent(false);
    }
  }
  c.currentMarriage = ActiveViewMrin();
  if (c.currentMarriage > 0)
    c.currentMarriageChildren = DbGetRelationCount(c.currentMarriage, db::kRelChildren, 0, 0);
  return c;
}

void CKorApp::SetToolCommand(unsigned id, std::function<void()> handler, bool needsFile) {
  toolCommands_[id] = ToolCommand{std::move(handler), needsFile};
  if (frame_) {
    WireToolCommand(id);
    UpdateCommandStates();
  }
}

void CKorApp::WireToolCommand(unsigned id) {
  if (QAction* action = frame_->CommandAction(id))
    connect(action, &QAction::triggered, this, [this, id] {
      const auto found = toolCommands_.find(id);
      if (found != toolCommands_.end() && found->second.handler) found->second.handler();
      AfterRoad();
    });
}

void CKorApp::AfterRoad() {
  UpdateCommandStates();
  OnUpdateRecentFileMenu();
}

void CKorApp::OnUpdateRecentFileMenu() {
  if (!frame_ || recentActions_.empty()) return;
  QAction* first = recentActions_.front();
  const QList<QMenu*> menus = MenusOf(first);
  for (std::size_t i = 1; i < recentActions_.size(); ++i)
    for (QMenu* menu : menus) menu->removeAction(recentActions_[i]);

  std::vector<std::string> entries = files_->Recent().Entries();
  if (entries.empty()) {
    first->setText(QStringLiteral("Recent File"));
    first->setEnabled(false);
    return;
  }
  QAction* previous = nullptr;
  for (std::size_t i = 0; i < entries.size() && i < recentActions_.size(); ++i) {
    QAction* action = recentActions_[i];
    // The number is the item's mnemonic; an "&" of the path is shown as it is.
    QString path = fw::ToQPath(entries[i]);
    path.replace(QLatin1Char('&'), QLatin1String("&&"));
    action->setText(QStringLiteral("&%1 %2").arg(QString::number(i + 1), path));
    action->setEnabled(true);
    if (previous) {
      for (QMenu* menu : menus) {
        // Inserted right after the item before it.
        QList<QAction*> items = menu->actions();
        qsizetype at = items.indexOf(previous);
        QAction* before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
        menu->insertAction(before, action);
      }
    }
    previous = action;
  }
}

int CKorApp::CreateFamilyFile(const std::string& path, int type, int open) {
  int result = files_->CreateFamilyFile(path, type, open);
  AfterRoad();
  return result;
}

void CKorApp::ShowWelcome() { files_->ShowWelcome(); }

std::string CKorApp::GetStartupFamilyFile() { return shell::GetStartupFamilyFile(plat::Profile()); }
void CKorApp::AddRecentFile(const std::string& path) {
  files_->Recent().Add(path);
  OnUpdateRecentFileMenu();
}
void CKorApp::RemoveRecentFile(const std::string& path) {
  files_->Recent().Remove(path);
  OnUpdateRecentFileMenu();
}
std::string CKorApp::GetRecentFile(int index) { return files_->Recent().Get(index); }
void CKorApp::OpenRecentFile(int index) { files_->OpenRecentFile(index); }

void CKorApp::OnFileNew() { files_->OnFileNew(); }
void CKorApp::OnFileOpen() { files_->OnFileOpen(); }
void CKorApp::OnFileClose() { files_->OnFileClose(); }
void CKorApp::OnFileSaveAs() { files_->OnFileSaveAs(); }
void CKorApp::OnAppAbout() { dialogs_->ShowAbout(); }

namespace {

// What the views draw from the options: when any of it changed they show
// their individuals again.
auto DisplayState(const CAppOptions& o) {
  return std::make_tuple(o.appendVal, o.trim, o.placeLevels, o.dateOrder, o.dayStyle, o.monthStyle,
                         o.dateSeparator, o.showZel, o.capSurname, o.fonts[kFontPedSized]);
}

}  // namespace

bool CKorApp::ShowPreferences(int page) {
  if (!files_->fileOpen || !frame_) return false;
  const auto before = DisplayState(m_options);
  const int relationshipBefore = CurrentDatabase->GetFileOption(1);
  CKorView* pedigree = ActivePedigreeView();
  if (pedigree) pedigree->OnBeforeModal(0);
  {
    COptionsPropSheet sheet(m_options, files_->fileInfo, page, frame_.get());
    sheet.checkEditPassword = [this] { return CheckEditPassword() != 0; };
    sheet.exec();
  }
  shell::ApplyDisplayOptions(m_options);
  ApplyEditOptions();
  returnAsTab_.Load(plat::Profile());
  if (pedigree) pedigree->OnAfterModal();

  const bool changed =
      DisplayState(m_options) != before || CurrentDatabase->GetFileOption(1) != relationshipBefore;
  if (changed)
    if (CKorDoc* document = GetCurrentDocument())
      for (fw::CView* view : document->Views()) {
        if (auto* tree = qobject_cast<CKorView*>(view))
          tree->OnShowIndividual(tree->Tree().RinOf(0), 0);
        else if (auto* family = qobject_cast<CKorView2*>(view)) {
          family->ApplyOptions();
          family->OnShow(0);
        }
      }
  // Colours and fonts are read as the views paint.
  RepaintCurrentView();
  return true;
}

int CKorApp::CheckEditPassword() {
  return m_editGate.Check(m_options.password, [this]() -> std::optional<std::string> {
    CPasswordDialog dialog(frame_.get());
    if (dialog.exec() != fw::kIdOk) return std::nullopt;
    return dialog.password;
  });
}

void CKorApp::BackupFamilyFile() {
  if (!CheckEditPassword()) return;
  maintenance_->BackupFamilyFile();
}
void CKorApp::OnFileRestore() { maintenance_->OnFileRestore(); }
void CKorApp::OnFileDelete() { maintenance_->OnFileDelete(); }
void CKorApp::OnChangeNamesToMixedCase() {
  if (!CheckEditPassword()) return;
  // Names on a read-only device cannot be changed, so none is counted.
  if (CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly) {
    plat::MessageBox(res::LoadString(res::kIdsReadOnlyDevice), "",
                     plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  if (maintenance_->ChangeNamesToMixedCase() > 0) RefreshAfterMaintenance();
}

void CKorApp::OnFileImport() { RunGedcomImport("", true); }
void CKorApp::ImportGedcomFile(const std::string& path) { RunGedcomImport(path, false); }

void CKorApp::RunGedcomImport(std::string path, bool fromMenu) {
  if (!AppScreens().importGedcom || !frame_) return;
  if (fromMenu && !CheckEditPassword()) return;
  if (!files_->fileOpen) {
    // Records are imported into a family file: the user makes one first.
    const std::string text =
        fromMenu ? res::LoadString(res::kIdsImportNeedsFile)
                 : res::FormatString(res::kIdsGedcomNeedsFile, {plat::PathText(path)});
    plat::MessageBox(text, "", plat::kMbOk | plat::kMbIconInformation);
    files_->OnFileNew();
    AfterRoad();
    if (!files_->fileOpen) return;
  }
  if (fromMenu) {
    path = AskImportPath(frame_.get(), plat::Profile().GetPath("Folders", "Export", ""));
    if (path.empty()) return;
  }
  if (CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly) {
    plat::MessageBox(res::LoadString(res::kIdsReadOnlyDevice), "",
                     plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  const bool hadIndividuals = DbGetActiveRecordCount(db::kIndividual) > 0;
  const bool imported = AppScreens().importGedcom(frame_.get(), path);
  // An empty file shows its first individual once it has one.
  if (imported && !hadIndividuals) {
    const std::int32_t first = DbGetRIN(1, db::kQueryIndividuals, 'm');
    if (first > 0) ShowInActiveView(first);
  }
  OfferLinkInstructions(frame_.get(), fromMenu, hadIndividuals, imported, m_helpFilePath);
  RefreshAfterMaintenance();
  AfterRoad();
}

void CKorApp::OnFileExport() {
  if (!AppScreens().exportGedcom || !frame_ || !files_->fileOpen) return;
  AppScreens().exportGedcom(frame_.get());
  RefreshAfterMaintenance();
}

void CKorApp::RefreshAfterMaintenance() {
  fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
  if (!child || !files_->fileOpen) return;
  if (auto* family = qobject_cast<CKorView2*>(child->GetActiveView())) {
    family->OnShow(0);
    return;
  }
  auto* pedigree = qobject_cast<CKorView*>(child->GetActiveView());
  if (!pedigree) return;
  CKorDoc* document = GetCurrentDocument();
  const std::int32_t root = document ? document->m_fileInfo.settings.lastRin : 0;
  std::int32_t live = DbGetRIN(std::max(root, 1), db::kQueryIndividuals, db::kWalkNextOrSame);
  if (live == 0) live = DbGetRIN(root, db::kQueryIndividuals, db::kWalkPrevious);
  pedigree->OnSetPendingRin(live);
  pedigree->OnShowIndividual(4, 2);
}

void CKorApp::OnFileProperties() {
  if (files_->fileOpen) ShowFileProperties(files_->openPath, frame_.get());
}

void CKorApp::OnFileCheckRepair() {
  if (!CheckEditPassword()) return;
  if (files_->fileOpen) {
    dialogs_->RunCheckRepair(files_->openPath);
    RefreshAfterMaintenance();
    return;
  }
  std::string folder = plat::Profile().GetPath("Folders", "Data", "");
  if (folder.empty()) folder = GetSpecialFolderPath(kCsidlPersonal);
  const int guard = files_->guard;
  files_->guard = 0;
  CheckUnopenedFamilyFile(folder, frame_.get());
  files_->guard = guard;
}

// ---- small services ----

void CKorApp::UpdateViewMenuTexts() {
  if (!frame_) return;
  QAction* pedigree = frame_->CommandAction(shell::kIdViewPedigree);
  QAction* family = frame_->CommandAction(shell::kIdViewFamily);
  if (!pedigree || !family) return;
  QString pedigreeText, familyText;
  if (m_currentViewType == kViewPedigree) {
    pedigreeText = fw::ToQString(res::LoadString(res::kIdsPedigreeItem));
    familyText = fw::ToQString(res::LoadString(res::kIdsFamilyItemShortcut));
  } else if (m_currentViewType == kViewFamily) {
    pedigreeText = fw::ToQString(res::LoadString(res::kIdsPedigreeItemShortcut));
    familyText = fw::ToQString(res::LoadString(res::kIdsFamilyItem));
  }
  pedigree->setText(pedigreeText);
  family->setText(familyText);
  MarkCurrentView();
}

void CKorApp::MarkCurrentView() {
  // The item of the view shown carries the check mark; choosing the view
  // already shown must not take it away.
  for (auto [id, type] : {std::pair{shell::kIdViewPedigree, kViewPedigree},
                          std::pair{shell::kIdViewFamily, kViewFamily}})
    if (QAction* action = frame_ ? frame_->CommandAction(id) : nullptr) {
      action->setCheckable(true);
      action->setChecked(m_currentViewType == type);
      // A menu draws the mark in place of the icon only without one.
      action->setIconVisibleInMenu(false);
    }
}

void CKorApp::UpdateSearchMenu() {
  if (!frame_ || m_options.allow3PSearch != 0) return;
  for (unsigned id : {shell::kIdSearchOutside1, shell::kIdSearchOutside3, shell::kIdSearchOutside2})
    if (QAction* action = frame_->CommandAction(id))
      for (QMenu* menu : MenusOf(action)) menu->removeAction(action);
}

void CKorApp::ShowIndividualInStatusBar(CIndividualNode* individual, int relationship) {
  if (!frame_) return;
  if (relationship < 0)
    relationship = CurrentDatabase->IsOpen() ? CurrentDatabase->GetFileOption(1) : 0;
  std::string text;
  if (!individual || relationship == 0) {
    text = res::LoadString(res::kIdsIdlePrompt);
  } else {
    // The kinship term of the relationship indicator stored with the
    // individual; an indicator that is not set shows nothing.
    if (!individual->GetLinks()) {
      CIndividualRecord record;
      if (DbGetIndividualRecord(individual->GetRin(), record, 9) == 1)
        individual->LoadLinks(record, 2);
    }
    if (const CIndividualLinks* links = individual->GetLinks()) {
      const CRelationshipCode code(links->linkText.c_str());
      if (code.IsSet()) text = code.GetName(true, false);
    }
  }
  frame_->OnSetStatusPane(shell::kPaneText, reinterpret_cast<LPARAM>(text.c_str()));
  frame_->OnSetStatusPane(shell::kPaneRin, individual ? individual->GetRin() : shell::kClearPane);
  std::intptr_t mrin = 0;
  if (CKorView* pedigree = ActivePedigreeView())
    mrin = pedigree->GetCurrentMarriage(0);
  else if (CKorView2* family = ActiveFamilyView())
    mrin = family->OnGetFocusMarriage(2);
  frame_->OnSetStatusPane(shell::kPaneMrin, mrin != 0 ? mrin : shell::kClearPane);
}

CKorView* CKorApp::ActivePedigreeView() const {
  fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
  return child ? qobject_cast<CKorView*>(child->GetActiveView()) : nullptr;
}

CKorView2* CKorApp::ActiveFamilyView() const {
  fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
  return child ? qobject_cast<CKorView2*>(child->GetActiveView()) : nullptr;
}

bool CKorApp::ActiveFamilyFocus(shell::famview::CommandFocus& focus) const {
  focus = {};
  const CKorView2* view = ActiveFamilyView();
  if (!view || !view->Model()) return false;
  focus = view->Model()->Focus();
  return true;
}

void CKorApp::OnFindRecord() {
  if (!files_->fileOpen || DbGetActiveRecordCount(db::kIndividual) <= 0) return;
  CKorView2* family = ActiveFamilyView();
  shell::famview::CommandFocus focus;
  ActiveFamilyFocus(focus);
  CFindRecordDialog find(frame_.get());
  if (family && focus.marriagePane) {
    // On the marriage pane the dialog looks for a marriage.
    find.find.marriageMode = true;
    find.find.number = focus.lone > 0 ? focus.lone : 1;
  } else {
    find.find.marriageAllowed = family != nullptr;
    const std::int32_t rin = ActiveViewRin();
    find.find.number = rin > 0 ? rin : 1;
  }
  if (find.exec() != fw::kIdOk) return;
  if (find.find.marriageMode) {
    if (family) family->ShowMarriage(find.find.number);
    return;
  }
  ShowInActiveView(find.find.number);
}

void CKorApp::OnHomePerson() {
  if (!files_->fileOpen || !files_->fileInfo) return;
  const auto& settings = files_->fileInfo->settings;
  const std::int32_t from = settings.homeRin != 0 ? settings.homeRin : settings.lastRin;
  std::int32_t rin = DbGetRIN(std::max(from, 1), db::kQueryIndividuals, db::kWalkNextOrSame);
  if (rin <= 0) rin = DbGetRIN(from, db::kQueryIndividuals, db::kWalkPrevious);
  ShowInActiveView(rin);
}

std::int32_t CKorApp::ActiveViewRin() const {
  fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
  fw::CView* view = child ? child->GetActiveView() : nullptr;
  if (auto* pedigree = qobject_cast<CKorView*>(view))
    return static_cast<std::int32_t>(pedigree->GetCurrentIndividual(0));
  if (auto* family = qobject_cast<CKorView2*>(view))
    return static_cast<std::int32_t>(family->OnGetFocusIndividual(0));
  return 0;
}

std::int32_t CKorApp::ActiveViewMrin() const {
  fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
  fw::CView* view = child ? child->GetActiveView() : nullptr;
  if (auto* pedigree = qobject_cast<CKorView*>(view))
    return static_cast<std::int32_t>(pedigree->GetCurrentMarriage(0));
  if (auto* family = qobject_cast<CKorView2*>(view))
    if (CMarriageNode* marriage = family->GetCurrentMarriage()) return marriage->GetMrin();
  return 0;
}

void CKorApp::ShowInActiveView(std::int32_t rin) {
  if (rin <= 0) return;
  fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
  fw::CView* view = child ? child->GetActiveView() : nullptr;
  if (auto* pedigree = qobject_cast<CKorView*>(view)) {
    pedigree->OnSetPendingRin(rin);
    pedigree->PostShowIndividual(4, 3);
  } else if (auto* family = qobject_cast<CKorView2*>(view)) {
    family->OnShow(rin);
  }
}

void CKorApp::SwitchActiveView(int viewType) {
  auto* child = frame_ ? qobject_cast<CKorMDIChildWnd*>(frame_->MDIGetActive()) : nullptr;
  m_currentViewType = viewType;
  if (child) {
    const int guard = files_->guard;
    files_->guard = 0;
    child->SwitchView(ViewClassOf(viewType));
    files_->guard = guard;
  }
  UpdateViewMenuTexts();
}

void CKorApp::ShowPedigreeView() {
  if (m_currentViewType == kViewPedigree) return;
  // From the family view the Back history goes unless its focus is on a
  // parent or child.
  fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
  if (child) {
    auto* family = qobject_cast<CKorView2*>(child->GetActiveView());
    if (CKorDoc* document = qobject_cast<CKorDoc*>(child->GetActiveDocument()))
      if (!family || !family->KeepsHistoryOnSwitch()) document->m_visitedRins.clear();
  }
  SwitchActiveView(kViewPedigree);
}

void CKorApp::ShowFamilyView() {
  if (m_currentViewType == kViewFamily) return;
  // The path from the root to the current box joins the Back history.
  if (CKorView* pedigree = ActivePedigreeView()) pedigree->AppendPathToCurrentBox();
  SwitchActiveView(kViewFamily);
}

void CKorApp::OnSwitchView() {
  if (m_currentViewType == kViewPedigree)
    ShowFamilyView();
  else
    ShowPedigreeView();
}

void CKorApp::OnDeleteIndividual() {
  if (!files_->fileOpen || !CheckEditPassword()) return;
  if (CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly) {
    plat::MessageBox(res::LoadString(res::kIdsReadOnlyDevice), res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconInformation);
    return;
  }
  const std::int32_t rin = ActiveViewRin();
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return;
  std::string name;
  {
    CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
    node->AddRef();
    name = node->FormatName(0, 60, 480, nullptr);
    node->Release();
  }
  const bool isChild = DbHasParents(rin) > 0;
  const int marriages = std::max(0, DbGetRelationCount(rin, db::kRelMarriages, 0, 1));
  if (plat::MessageBox(shell::DeleteIndividualQuestion(name, isChild, marriages),
                       res::LoadString(res::kIdsAppName),
                       plat::kMbOkCancel | plat::kMbIconExclamation | plat::kMbDefButton2) !=
      plat::kIdOk)
    return;
  CKorView* pedigree = ActivePedigreeView();
  const std::int32_t root = pedigree ? pedigree->Tree().RinOf(0) : 0;
  const std::vector<std::int32_t> families = shell::DeleteIndividualRecord(rin);
  CKorDoc* document = GetCurrentDocument();
  if (document) {
    if (document->m_filterSet)
      for (int set : {CFilterSet::kRelationSet, CFilterSet::kFieldSet})
        if (document->m_filterSet->IsInSet(set, rin) == 1)
          document->m_filterSet->SetInSet(set, rin, 0);
    for (std::int32_t mrin : families) document->DeleteMarriageIfEmpty(mrin, false);
    document->RemoveFromHistory(static_cast<std::uint32_t>(rin));
  }
  DbFlush();
  if (pedigree) {
    // Deleting the root moves the chart on to a live individual, or to the
    // empty chart when none is left.
    pedigree->OnShowIndividual(shell::PedigreeRootAfterDelete(rin, root), 0);
  } else {
    fw::CMDIChildWnd* child = frame_ ? frame_->MDIGetActive() : nullptr;
    if (auto* family = qobject_cast<CKorView2*>(child ? child->GetActiveView() : nullptr))
      family->OnShow(-rin);
  }
  AfterRoad();
}

void CKorApp::OnMoveToPrimary() {
  if (CKorView* pedigree = ActivePedigreeView()) pedigree->OnMoveToPrimary();
}

int CKorApp::IsReturnAsTab() { return returnAsTab_.IsReturnAsTab(plat::Profile()) ? 1 : 0; }

void FatalError(const std::string& routine, const std::string& text) {
  plat::MessageBox("Critical Error\n\n" + routine + ": " + text, res::LoadString(res::kIdsAppName),
                   plat::kMbOk | plat::kMbIconStop);
  std::exit(-1);
}
