// The welcome dialog's choices and ZEL switch, the family-file search
// dialog over a folder tree with a link loop, its Cancel, and the list of
// files found with the texts of each purpose.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "AppOptions.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileListDialog.h"
#include "FileSearchDialog.h"
#include "QtPorts.h"
#include "WelcomeDialog.h"

namespace {

// Runs action on the next modal file list that opens. Other modal dialogs
// (the search's progress dialog, up for as long as the walk takes) are let
// be, not taken for it.
void OnNextFileList(std::function<void(CFamilyFileListDialog*)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    auto* list = qobject_cast<CFamilyFileListDialog*>(QApplication::activeModalWidget());
    if (!list || !list->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(list);
  });
  timer->start(10);
}

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void Shot(QWidget& w, const char* name) {
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') + QLatin1String(name));
}

}  // namespace

class WelcomeSearchTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // root/a.orv, root/sub/b.orv, root/sub/loop -> root, 40 text files.
    QDir root(tree.path());
    QVERIFY(root.mkpath(QStringLiteral("sub")));
    QCOMPARE(DbCreate(root.filePath(QStringLiteral("a.orv")).toStdString(),
                      CFamilyDatabase::kCurrentFormat),
             1);
    QCOMPARE(DbCreate(root.filePath(QStringLiteral("sub/b.orv")).toStdString(),
                      CFamilyDatabase::kCurrentFormat),
             1);
    QVERIFY(QFile::link(tree.path(), root.filePath(QStringLiteral("sub/loop"))));
    for (int i = 0; i < 40; ++i) {
      QFile f(root.filePath(QStringLiteral("t%1.txt").arg(i)));
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    roots = {tree.path().toStdString()};
  }
  void init() {
    boxes.Clear();
    plat::SetMessageBoxPort(&boxes);
    SetFamilyFileSearchRoots(&roots);
  }
  void cleanup() {
    SetFamilyFileSearchRoots(nullptr);
    plat::SetMessageBoxPort(nullptr);
  }

  void welcomeButtonsEndWithTheirIds() {
    struct Case {
      int button, result;
    };
    for (const Case c : {Case{CWelcomeDialog::kIdcOpen, CWelcomeDialog::kIdcOpen},
                         Case{CWelcomeDialog::kIdcNew, CWelcomeDialog::kIdcNew},
                         Case{fw::kIdCancel, fw::kIdCancel}}) {
      CAppOptions options;
      CWelcomeDialog dialog(options, nullptr);
      QTimer::singleShot(0, &dialog, [&] { Click(dialog.GetControl(c.button)); });
      QCOMPARE(dialog.DoModal(), c.result);
      QCOMPARE(dialog.GetChosenPath(), std::string());
    }
  }

  void welcomeTitleIsLargerAndBold() {
    CAppOptions options;
    CWelcomeDialog dialog(options, nullptr);
    dialog.show();
    auto* title = dialog.Control<QLabel>(CWelcomeDialog::kIdcTitle);
    QCOMPARE(title->text(), QStringLiteral("Welcome to\nKorvane"));
    QVERIFY(title->font().bold());
    QCOMPARE(QFontInfo(title->font()).pixelSize(), QFontInfo(dialog.font()).pixelSize() + 6);
    Shot(dialog, "welcome.png");
  }

  void zelCheckBoxSetsBothOptions() {
    CAppOptions options;
    options.showZel = 1;
    options.showZelRpt = 0;
    CWelcomeDialog dialog(options, nullptr);
    dialog.show();
    QCOMPARE(dialog.GetCheck(CWelcomeDialog::kIdcUseZel), 1);
    Click(dialog.GetControl(CWelcomeDialog::kIdcUseZel));
    QCOMPARE(options.showZel, 0);
    QCOMPARE(options.showZelRpt, 0);
    Click(dialog.GetControl(CWelcomeDialog::kIdcUseZel));
    QCOMPARE(options.showZel, 1);
    QCOMPARE(options.showZelRpt, 1);

    options.showZel = 0;
    CWelcomeDialog off(options, nullptr);
    off.show();
    QCOMPARE(off.GetCheck(CWelcomeDialog::kIdcUseZel), 0);
  }

  void welcomeSearchChoosesAFile() {
    CAppOptions options;
    CWelcomeDialog dialog(options, nullptr);
    std::string listed;
    QTimer::singleShot(0, &dialog, [&] {
      OnNextFileList([&](CFamilyFileListDialog* list) {
        auto* tree = list->Control<QTreeWidget>(CFamilyFileListDialog::kIdcList);
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        tree->setCurrentItem(tree->topLevelItem(1));
        QTextDocument tip;  // the tooltip shows the path as it is
        tip.setHtml(tree->topLevelItem(1)->toolTip(0));
        listed = tip.toPlainText().toStdString();
        Click(list->GetControl(fw::kIdOk));
      });
      Click(dialog.GetControl(CWelcomeDialog::kIdcSearch));
    });
    QCOMPARE(dialog.DoModal(), fw::kIdOk);
    QVERIFY(!listed.empty());
    QCOMPARE(dialog.GetChosenPath(), listed);
  }

  void welcomeSearchCancelledInTheListStaysOpen() {
    CAppOptions options;
    CWelcomeDialog dialog(options, nullptr);
    bool stayed = false;
    QTimer::singleShot(0, &dialog, [&] {
      OnNextFileList([](CFamilyFileListDialog* list) { Click(list->GetControl(fw::kIdCancel)); });
      Click(dialog.GetControl(CWelcomeDialog::kIdcSearch));
      stayed = dialog.isVisible();
      Click(dialog.GetControl(CWelcomeDialog::kIdcOpen));
    });
    QCOMPARE(dialog.DoModal(), CWelcomeDialog::kIdcOpen);
    QVERIFY(stayed);
    QCOMPARE(dialog.GetChosenPath(), std::string());
  }

  void searchDialogFindsThroughALinkLoopAndEnds() {
    CFileSearchDialog search(nullptr);
    QCOMPARE(search.DoModal(), fw::kIdOk);
    std::vector<std::string> paths;
    for (const FoundFamilyFile& f : search.Found()) paths.push_back(f.path);
    std::sort(paths.begin(), paths.end());
    const std::vector<std::string> expected = {
        tree.filePath(QStringLiteral("a.orv")).toStdString(),
        tree.filePath(QStringLiteral("sub/b.orv")).toStdString()};
    QCOMPARE(paths, expected);
    QCOMPARE(search.GetControlText(CFileSearchDialog::kIdcChecked), std::string("42"));
    QCOMPARE(search.GetControlText(CFileSearchDialog::kIdcFound), std::string("2"));
    Shot(search, "search.png");
  }

  void cancelStopsTheSearchWithoutAMessage() {
    CFileSearchDialog search(nullptr);
    // Cancel is pressed when the search first lets input through, after 25
    // entries; the walk stops before the next one.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (search.GetControlText(CFileSearchDialog::kIdcChecked) == "0") return;
      poll.stop();
      Click(search.GetControl(fw::kIdCancel));
    });
    poll.start(0);
    QCOMPARE(search.DoModal(), fw::kIdCancel);
    QVERIFY(search.Found().size() <= 2);
    QVERIFY(std::stoi(search.GetControlText(CFileSearchDialog::kIdcChecked)) <= 25);
    QVERIFY(boxes.Calls().empty());
  }

  void cancelledSearchEndsWithoutListOrMessage() {
    // Cancel as soon as the search dialog is up, before or during its walk.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (auto* s = qobject_cast<CFileSearchDialog*>(QApplication::activeModalWidget())) {
        poll.stop();
        Click(s->GetControl(fw::kIdCancel));
      }
    });
    poll.start(0);
    std::string path = "stale";
    QCOMPARE(SearchForFamilyFile(path, nullptr, kSearchToOpen), 0);
    QCOMPARE(path, std::string());
    QVERIFY(boxes.Calls().empty());
  }

  void purposeSetsTheListTexts() {
    struct Case {
      int purpose;
      QString caption, label, ok;
    };
    const Case cases[] = {
        {kSearchToOpen, "Open Family File", "&Files:", "&Open"},
        {kSearchToBackup, "Backup Family File", "Backup Files To:", "OK"},
        {kSearchToRestore, "Restore Family File", "Restore File From:", "OK"},
        {kSearchToDelete, "Delete ORV Files", "Delete File In Folder:", "OK"},
    };
    for (const Case& c : cases) {
      QString caption, label, ok;
      OnNextFileList([&](CFamilyFileListDialog* list) {
        caption = list->windowTitle();
        label = fw::ToQString(list->GetControlText(CFamilyFileListDialog::kIdcListLabel));
        ok = fw::ToQString(list->GetControlText(fw::kIdOk));
        if (c.purpose == kSearchToBackup) Shot(*list, "filelist.png");
        Click(list->GetControl(fw::kIdCancel));
      });
      std::string path;
      QCOMPARE(SearchForFamilyFile(path, nullptr, c.purpose), 0);
      QCOMPARE(caption, c.caption);
      QCOMPARE(label, c.label);
      QCOMPARE(ok, c.ok);
    }
  }

  void nothingFoundSaysSo() {
    QTemporaryDir empty;
    const std::vector<std::string> none = {empty.path().toStdString()};
    SetFamilyFileSearchRoots(&none);
    std::string path = "stale";
    QCOMPARE(SearchForFamilyFile(path, nullptr, kSearchToOpen), 0);
    QCOMPARE(path, std::string());
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, std::string("No ORV files found."));
  }

 private:
  QTemporaryDir tree;
  std::vector<std::string> roots;
  plat::FakeMessageBox boxes;
};

QTEST_MAIN(WelcomeSearchTest)
#include "welcomesearch_qtest.moc"
