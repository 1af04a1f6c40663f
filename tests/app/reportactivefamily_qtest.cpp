// A report printed to an RTF file from the Reports and Charts sheet with two
// family files open: the family whose window was active stays the active
// one, so the next report is of the same family.
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>
#include <deque>
#include <fstream>
#include <iterator>

#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DialogBase.h"
#include "KorDoc.h"
#include "MainFrame.h"
#include "ModalDriving.h"
#include "ProgramCommands.h"
#include "ReportsPropSheet.h"

namespace {

// The Open command's file dialog answers the paths queued.
class OpenDialogs : public NoFileDialogs {
 public:
  std::string AskOpenPath(const std::string&, const std::string&, const std::string&) override {
    if (paths.empty()) return {};
    std::string path = paths.front();
    paths.pop_front();
    return path;
  }
  std::deque<std::string> paths;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class ReportActiveFamilyTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  plat::FakeMessageBox boxes_;
  plat::FakeProfile profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  OpenDialogs dialogs_;
  std::unique_ptr<CKorApp> app_;

  QMdiSubWindow* WindowOf(const std::string& path) {
    for (QMdiSubWindow* w : app_->GetMainFrame()->MDIClient()->subWindowList())
      if (w->windowTitle() == QString::fromStdString(path)) return w;
    return nullptr;
  }

  // Opens the Reports and Charts sheet with Print to file on, prints its
  // current report and saves the RTF as path.
  void PrintToFile(const std::string& path) {
    bool sheetSeen = false, fileAsked = false;
    WhenModal<CReportsPropSheet>([&](CReportsPropSheet* sheet) {
      sheetSeen = true;
      auto* toFile = sheet->Control<QCheckBox>(CReportsPropSheet::kIdcPrintToFile);
      if (toFile && !toFile->isChecked()) toFile->click();
      WhenModal<QFileDialog>([&, path](QFileDialog* dialog) {
        fileAsked = true;
        // The name typed into the dialog's name box, again until the
        // dialog, which fills the box once it has read the folder, holds it.
        const QString file = QString::fromStdString(path);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        for (int tries = 0; name && tries < 250 && dialog->selectedFiles().value(0) != file;
             ++tries) {
          name->setText(QFileInfo(file).fileName());
          QTest::qWait(20);
        }
        static_cast<QDialog*>(dialog)->accept();  // Save, as the button does
      });
      if (auto* print = sheet->Control<QPushButton>(fw::kIdOk)) print->click();
    });
    app_->GetMainFrame()->CommandAction(shell::kIdFilePrintReports)->trigger();
    QVERIFY(sheetSeen);
    QTRY_VERIFY_WITH_TIMEOUT(fileAsked, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(ReadAll(path).find("\\rtf") != std::string::npos, 10000);
    // The print's windows are gone and the frame has its focus back.
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QTest::qWait(200);
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(&profile_);
  }
  void cleanup() {
    app_.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    scopedProfile_.reset();
    scopedBoxes_.reset();
  }

  void printToFileKeepsTheActiveFamily_data() {
    QTest::addColumn<bool>("firstOpened");
    QTest::newRow("the family opened first") << true;
    QTest::newRow("the family opened last") << false;
  }
  void printToFileKeepsTheActiveFamily() {
    QFETCH(bool, firstOpened);
    const std::string alpha = dir_->filePath("alpha.orv").toStdString();
    const std::string beta = dir_->filePath("beta.orv").toStdString();
    QVERIFY(MakeOneManFamily(alpha, "Alvar", "Ahlberg"));
    QVERIFY(MakeOneManFamily(beta, "Bertil", "Berglund"));
    profile_.SetPath("Folders", "Report", dir_->path().toStdString());
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(&dialogs_);
    RegisterProgramCommands(*app_);
    QVERIFY(app_->InitInstance("-s " + alpha));
    CMainFrame* frame = app_->GetMainFrame();
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    dialogs_.paths.push_back(beta);
    frame->CommandAction(shell::kIdFileOpen)->trigger();
    QCOMPARE(frame->MDIClient()->subWindowList().size(), 2);

    // The family's window made active, with the focus in it, as a click on
    // it does.
    const std::string& path = firstOpened ? alpha : beta;
    QMdiSubWindow* active = WindowOf(path);
    QVERIFY(active);
    frame->MDIClient()->setActiveSubWindow(active);
    QTRY_COMPARE(DbGetFilePath(), path);
    QWidget* view = active->widget();
    QVERIFY(view);
    view->setFocus();
    QTRY_VERIFY(QApplication::focusWidget() && active->isAncestorOf(QApplication::focusWidget()));

    const char* shown = firstOpened ? "Alvar" : "Bertil";
    const char* other = firstOpened ? "Bertil" : "Alvar";
    for (const char* name : {"first.rtf", "second.rtf"}) {
      const std::string rtf = dir_->filePath(name).toStdString();
      PrintToFile(rtf);
      if (QTest::currentTestFailed()) return;
      QCOMPARE(DbGetFilePath(), path);
      QCOMPARE(frame->MDIClient()->activeSubWindow(), active);
      QCOMPARE(app_->GetCurrentDocument()->m_familyFilePath, path);
      const std::string text = ReadAll(rtf);
      QVERIFY2(text.find(shown) != std::string::npos, name);
      QVERIFY2(text.find(other) == std::string::npos, name);
    }
  }
};

QTEST_MAIN(ReportActiveFamilyTest)
#include "reportactivefamily_qtest.moc"
