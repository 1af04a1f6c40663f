// The main frame and its document windows: status panes, ditto numbers, the
// placement written on close, the walk over document windows, view
// switching, the two menus and the toolbar.
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "CommandIds.h"
#include "FakePorts.h"
#include "FrameTables.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "KorMDIChildWnd.h"
#include "MainFrame.h"
#include "View.h"

namespace {

class PedigreeTestView : public fw::CView {
 public:
  static constexpr const char* kClassName = "PedigreeTestView";
  const fw::CRuntimeClass* GetRuntimeClass() const override {
    return fw::RuntimeClassOf<PedigreeTestView>();
  }
  void OnInitialUpdate() override { ++initialUpdates; }
  int initialUpdates = 0;
};

class FamilyTestView : public fw::CView {
 public:
  static constexpr const char* kClassName = "FamilyTestView";
  const fw::CRuntimeClass* GetRuntimeClass() const override {
    return fw::RuntimeClassOf<FamilyTestView>();
  }
  void OnInitialUpdate() override { ++initialUpdates; }
  int initialUpdates = 0;
};

// A view class that cannot be made.
const fw::CRuntimeClass kBrokenViewClass{"BrokenView", nullptr};

LPARAM TextParam(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<plat::FakeMessageBox> boxes_;
  std::unique_ptr<plat::FakeProfile> profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  std::unique_ptr<CKorApp> app_;
  std::unique_ptr<CMainFrame> frame_;

  // A document window with a view of the class over a new document.
  CKorMDIChildWnd* OpenWindow(const fw::CRuntimeClass* viewClass, const QString& title,
                              CKorDoc** documentOut = nullptr) {
    auto* document = new CKorDoc;
    document->SetTitle(title);
    auto* child = new CKorMDIChildWnd;
    fw::CView* view = child->CreateView(viewClass, document);
    child->SetActiveView(view);
    frame_->AddMDIChild(child);
    view->OnInitialUpdate();
    if (documentOut) *documentOut = document;
    return child;
  }

  QString PaneText(int pane) { return frame_->StatusPane(pane)->text(); }

  QStringList MenuTitles() {
    QStringList titles;
    for (QAction* a : frame_->menuBar()->actions()) titles << a->text();
    return titles;
  }

 private slots:
  void init() {
    boxes_ = std::make_unique<plat::FakeMessageBox>();
    profile_ = std::make_unique<plat::FakeProfile>();
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(boxes_.get());
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(profile_.get());
    app_ = std::make_unique<CKorApp>();
    frame_ = std::make_unique<CMainFrame>(app_.get());
    frame_->resize(900, 600);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
  }

  void cleanup() {
    frame_.reset();
    app_.reset();
    scopedProfile_.reset();
    scopedBoxes_.reset();
    profile_.reset();
    boxes_.reset();
  }

  void statusPaneKinds() {
    QCOMPARE(frame_->OnSetStatusPane(1, 12), LRESULT(1));
    QCOMPARE(PaneText(1), QStringLiteral("RIN: 12"));
    QCOMPARE(frame_->OnSetStatusPane(2, 345), LRESULT(1));
    QCOMPARE(PaneText(2), QStringLiteral("MRIN: 345"));
    QCOMPARE(frame_->OnSetStatusPane(3, 2), LRESULT(1));
    QCOMPARE(PaneText(3), QStringLiteral("M: 2"));
    QCOMPARE(frame_->OnSetStatusPane(4, 7), LRESULT(1));
    QCOMPARE(PaneText(4), QStringLiteral("C: 7"));
    QCOMPARE(frame_->OnSetStatusPane(1, -1), LRESULT(1));
    QCOMPARE(PaneText(1), QString());
    QCOMPARE(PaneText(2), QStringLiteral("MRIN: 345"));
    QVERIFY(boxes_->Calls().empty());

    std::string text(300, 'a');
    text[258] = 'b';
    QCOMPARE(frame_->OnSetStatusPane(100, TextParam(text)), LRESULT(1));
    QCOMPARE(PaneText(0).size(), 259);
    QVERIFY(PaneText(0).endsWith(QLatin1Char('b')));
  }

  void invalidStatusPaneKindChangesNothing() {
    frame_->OnSetStatusPane(1, 12);
    QString idle = PaneText(0);
    QVERIFY(!idle.isEmpty());
    QCOMPARE(frame_->OnSetStatusPane(5, 1), LRESULT(0));
    QCOMPARE(boxes_->Calls().size(), std::size_t(1));
    QCOMPARE(boxes_->Calls()[0].text, std::string("Programmer: Invalid status bar index"));
    QCOMPARE(boxes_->Calls()[0].flags & plat::kMbButtonMask, unsigned(plat::kMbOk));
    for (int pane = 0; pane < 7; ++pane)
      QCOMPARE(PaneText(pane), pane == 0   ? idle
                               : pane == 1 ? QStringLiteral("RIN: 12")
                                           : QString());
  }

  void withoutStatusBarEverythingSucceedsSilently() {
    delete frame_->FindStatusBar();
    QVERIFY(!frame_->FindStatusBar());
    QCOMPARE(frame_->OnSetStatusPane(1, 12), LRESULT(1));
    QCOMPARE(frame_->OnSetStatusPane(5, 1), LRESULT(1));
    QVERIFY(boxes_->Calls().empty());
  }

  void statusPanesFitTheirContent() {
    const int least[] = {0, 90, 90, 31, 31};
    for (int pane = 1; pane <= 4; ++pane) {
      QLabel* label = frame_->StatusPane(pane);
      QVERIFY(label->width() >= least[pane]);
      frame_->OnSetStatusPane(WPARAM(pane), pane <= 2 ? 1234567 : 88);
      int needed = label->fontMetrics().horizontalAdvance(label->text());
      QVERIFY2(label->contentsRect().width() >= needed, qPrintable(label->text()));
    }
  }

  void dittoNumbersLiveInTheCurrentDocument() {
    CKorDoc* first = nullptr;
    CKorDoc* second = nullptr;
    OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), QStringLiteral("A"), &first);
    OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), QStringLiteral("B"), &second);
    app_->SetCurrentDocument(first);

    QCOMPARE(frame_->OnSetDittoRin(1, 77), LRESULT(0));
    QCOMPARE(frame_->OnGetDittoRin(1), LRESULT(77));
    QCOMPARE(frame_->OnGetDittoRin(0), LRESULT(0));
    QVERIFY(boxes_->Calls().empty());

    app_->SetCurrentDocument(second);
    QCOMPARE(frame_->OnGetDittoRin(1), LRESULT(0));
    app_->SetCurrentDocument(first);
    QCOMPARE(frame_->OnGetDittoRin(1), LRESULT(77));

    QCOMPARE(frame_->OnGetDittoRin(3), LRESULT(0));
    QCOMPARE(frame_->OnSetDittoRin(3, 5), LRESULT(0));
    QCOMPARE(boxes_->Calls().size(), std::size_t(2));
    for (const auto& call : boxes_->Calls())
      QCOMPARE(call.text, std::string("Programmer: Invalid ditto rin type"));
    for (WPARAM kind = 0; kind < 3; ++kind) QVERIFY(first->m_dittoRins.Get(kind) != 5);
  }

  void closingWritesStartUp_data() {
    QTest::addColumn<int>("show");  // 0 normal, 1 minimised, 2 maximised
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("viewType");
    QTest::newRow("normal") << 0 << QStringLiteral("/data/smith.orv") << 3;
    QTest::newRow("minimised") << 1 << QStringLiteral("/data/jones.orv") << 1;
    QTest::newRow("maximised, no file") << 2 << QString() << 0;
  }

  void closingWritesStartUp() {
    QFETCH(int, show);
    QFETCH(QString, file);
    QFETCH(int, viewType);
    app_->m_openFilePath = file.toStdString();
    app_->m_currentViewType = viewType;
    if (show == 1) frame_->showMinimized();
    if (show == 2) frame_->showMaximized();
    QPoint pos = frame_->pos();
    QSize size = frame_->size();
    QVERIFY(frame_->close());

    auto has = [this](const char* value) { return profile_->Has("Start Up", value); };
    QCOMPARE(profile_->GetString("Start Up", "FamilyFile", "?"), file.toStdString());
    QCOMPARE(has("ViewType"), viewType != 0);
    if (viewType) QCOMPARE(profile_->GetInt("Start Up", "ViewType", 0), viewType);
    QCOMPARE(has("Maximized"), show != 1);
    QCOMPARE(has("Window x"), show == 0);
    QCOMPARE(has("Window cy"), show == 0);
    if (show == 2) QCOMPARE(profile_->GetInt("Start Up", "Maximized", 0), 1);
    if (show == 0) {
      QCOMPARE(profile_->GetInt("Start Up", "Maximized", -1), 0);
      QCOMPARE(profile_->GetInt("Start Up", "Window x", -1), pos.x());
      QCOMPARE(profile_->GetInt("Start Up", "Window y", -1), pos.y());
      QCOMPARE(profile_->GetInt("Start Up", "Window cx", -1), size.width());
      QCOMPARE(profile_->GetInt("Start Up", "Window cy", -1), size.height());
    }
  }

  void walkVisitsEachDocumentWindowOnce() {
    QCOMPARE(frame_->GetNextMDIChild(), static_cast<fw::CMDIChildWnd*>(nullptr));
    QSet<fw::CMDIChildWnd*> opened;
    for (const char* title : {"A", "B", "C"})
      opened << OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), QString::fromLatin1(title));

    for (int round = 0; round < 2; ++round) {
      // The second round starts without resetting the cursor: a finished
      // walk starts again from the first window.
      if (round == 0) frame_->SetChildCursor(nullptr);
      QList<fw::CMDIChildWnd*> seen;
      while (fw::CMDIChildWnd* child = frame_->GetNextMDIChild()) {
        seen << child;
        QVERIFY(seen.size() <= 3);
      }
      QCOMPARE(seen.size(), 3);
      QCOMPARE(QSet<fw::CMDIChildWnd*>(seen.begin(), seen.end()), opened);
      QCOMPARE(seen.first(), frame_->MDIGetActive());
    }
  }

  void walkAfterTheCursorWindowClosedStartsAgain() {
    auto* a = OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), QStringLiteral("A"));
    auto* b = OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), QStringLiteral("B"));
    frame_->SetChildCursor(nullptr);
    fw::CMDIChildWnd* first = frame_->GetNextMDIChild();
    fw::CMDIChildWnd* remaining = first == a ? b : a;
    delete first;
    QCOMPARE(frame_->GetNextMDIChild(), remaining);
    QCOMPARE(frame_->GetNextMDIChild(), static_cast<fw::CMDIChildWnd*>(nullptr));
  }

  void switchViewKeepsTheDocument() {
    CKorDoc* doc = nullptr;
    CKorMDIChildWnd* child =
        OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), QStringLiteral("Smith"), &doc);
    QPointer<CKorDoc> document = doc;
    QPointer<fw::CView> pedigree = child->GetActiveView();
    document->m_dittoRins.Set(0, 42);

    // Already of that class: nothing made.
    QCOMPARE(child->SwitchView(fw::RuntimeClassOf<PedigreeTestView>()), 1);
    QCOMPARE(child->GetActiveView(), pedigree.data());

    QCOMPARE(child->SwitchView(fw::RuntimeClassOf<FamilyTestView>()), 1);
    QVERIFY(pedigree.isNull());
    QVERIFY(!document.isNull());
    QVERIFY(document->m_bAutoDelete);
    QCOMPARE(document->m_dittoRins.Get(0), 42u);
    auto* family = dynamic_cast<FamilyTestView*>(child->GetActiveView());
    QVERIFY(family);
    QCOMPARE(family->GetDocument(), document.data());
    QCOMPARE(family->initialUpdates, 1);
    QCOMPARE(child->widget(), family);
    QCOMPARE(document->Views().size(), std::size_t(1));
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Korvane - Smith"));

    // A class that cannot be made fails; the view stays with its document,
    // which goes with the window.
    QCOMPARE(child->SwitchView(&kBrokenViewClass), 0);
    QVERIFY(!document.isNull());
    QCOMPARE(child->GetActiveView(), family);
    QCOMPARE(child->widget(), family);
    QCOMPARE(document->Views().size(), std::size_t(1));
    QVERIFY(child->close());
    QTRY_VERIFY(document.isNull());

    // The document goes with its last view when its window closes.
    CKorMDIChildWnd* other =
        OpenWindow(fw::RuntimeClassOf<FamilyTestView>(), QStringLiteral("Jones"), &doc);
    QPointer<CKorDoc> otherDocument = doc;
    QVERIFY(other->close());
    QTRY_VERIFY(otherDocument.isNull());
  }

  // Maximized, the document's title is added once whatever happens to the
  // window or its document; restored, the frame's own form comes back.
  void maximizedWindowNamesItsDocumentOnceInTheFrameTitle() {
    CKorDoc* doc = nullptr;
    CKorMDIChildWnd* child =
        OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), QStringLiteral("Smith"), &doc);
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Korvane - Smith"));
    auto once = [this](const QString& title) {
      const QString shown = frame_->windowTitle();
      return shown.startsWith(QStringLiteral("Korvane - ")) && shown.count(title) == 1;
    };
    child->showMaximized();
    QVERIFY2(once(QStringLiteral("Smith")), qPrintable(frame_->windowTitle()));
    doc->SetTitle(QStringLiteral("Jones"));
    QVERIFY2(once(QStringLiteral("Jones")), qPrintable(frame_->windowTitle()));
    QVERIFY(!frame_->windowTitle().contains(QStringLiteral("Smith")));
    frame_->SetFrameTitle(QStringLiteral("Korvane"));
    QVERIFY2(once(QStringLiteral("Jones")), qPrintable(frame_->windowTitle()));
    child->showNormal();
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Korvane - Jones"));
  }

  void switchViewWithoutViewFails() {
    CKorMDIChildWnd child;
    QCOMPARE(child.SwitchView(fw::RuntimeClassOf<FamilyTestView>()), 0);
  }

  void menuFollowsTheDocumentWindows() {
    QCOMPARE(MenuTitles(), (QStringList{"&File", "&View", "&Tools", "&Help"}));
    CKorMDIChildWnd* child = OpenWindow(fw::RuntimeClassOf<PedigreeTestView>(), "A");
    QCOMPARE(MenuTitles(), (QStringList{"&File", "&Edit", "&Add", "&View", "&Search", "&Tools",
                                        "&Window", "&Help"}));
    QVERIFY(child->close());
    QTRY_COMPARE(MenuTitles(), (QStringList{"&File", "&View", "&Tools", "&Help"}));
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Korvane"));
  }

  void commandsCarryTheirTextsAndOnlyTheFramesOwnWork() {
    QAction* open = frame_->CommandAction(shell::kIdFileOpen);
    QVERIFY(open);
    QCOMPARE(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(open->statusTip(), QStringLiteral("Open an existing family file (Ctrl+O)"));
    QCOMPARE(open->toolTip(), QStringLiteral("Open File (Ctrl+O)"));
    QVERIFY(!open->isEnabled());
    QAction* preferences = frame_->CommandAction(shell::kIdToolsPreferences);
    QCOMPARE(preferences->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    QVERIFY(frame_->CommandAction(shell::kIdViewSwitch));
    // Print and Print Preview have no menu item; the Reports sheet posts them.
    QVERIFY(frame_->CommandAction(shell::kIdFilePrint));
    QVERIFY(frame_->CommandAction(shell::kIdFilePrintPreview));
    QVERIFY(frame_->actions().contains(frame_->CommandAction(shell::kIdViewSwitch)));

    // Hovering a menu item puts its prompt in the status bar.
    QStatusTipEvent tip(open->statusTip());
    QCoreApplication::sendEvent(frame_.get(), &tip);
    QCOMPARE(frame_->FindStatusBar()->currentMessage(), open->statusTip());

    QAction* toolbar = frame_->CommandAction(shell::kIdViewToolbar);
    QAction* status = frame_->CommandAction(shell::kIdViewStatusBar);
    QVERIFY(toolbar->isEnabled() && toolbar->isChecked());
    toolbar->trigger();
    QVERIFY(frame_->ToolBar()->isHidden());
    status->trigger();
    QVERIFY(frame_->FindStatusBar()->isHidden());
    status->trigger();
    QVERIFY(!frame_->FindStatusBar()->isHidden());

    QAction* exit = frame_->CommandAction(shell::kIdAppExit);
    QVERIFY(exit->isEnabled());
    exit->trigger();
    QVERIFY(!frame_->isVisible());
    QVERIFY(profile_->Has("Start Up", "FamilyFile"));
  }

  void toolbarButtonsInOrderWithGaps() {
    QList<QAction*> actions = frame_->ToolBar()->actions();
    const std::vector<unsigned>& buttons = shell::ToolbarButtons();
    QCOMPARE(actions.size(), qsizetype(buttons.size()));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i] == 0) {
        QVERIFY(actions[i]->isSeparator());
        continue;
      }
      QCOMPARE(actions[i], frame_->CommandAction(buttons[i]));
      QVERIFY2(!actions[i]->icon().isNull(), qPrintable(actions[i]->toolTip()));
    }
    // Each button has a picture of its own.
    QSet<QByteArray> distinct;
    for (unsigned id : buttons) {
      if (!id) continue;
      QImage image = frame_->CommandAction(id)->icon().pixmap(24).toImage();
      distinct << QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    }
    QCOMPARE(distinct.size(), qsizetype(std::count_if(buttons.begin(), buttons.end(),
                                                      [](unsigned id) { return id != 0; })));
  }

  void frameMessagesReachTheApplication() {
    QWidget dialog;
    QCOMPARE(frame_->OnSetAcceleratorWindow(&dialog), LRESULT(0));
    QCOMPARE(app_->GetAcceleratorWindow(), &dialog);
    frame_->OnSetAcceleratorWindow(nullptr);
    QCOMPARE(app_->GetAcceleratorWindow(), static_cast<QWidget*>(nullptr));

    int stops = 0;
    frame_->SetMediaStopHandler([&stops] { ++stops; });
    QCOMPARE(frame_->OnMciNotify(), LRESULT(0));
    QCOMPARE(stops, 1);
  }
};

QTEST_MAIN(MainFrameTest)
#include "mainframe_qtest.moc"
