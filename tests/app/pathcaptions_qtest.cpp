// The family file's path where the program shows it as a caption, for a
// family in a folder named with national letters: the window titles after a
// print preview and the GEDCOM Import dialog's destination show the path as
// the file system names it.
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DialogBase.h"
#include "GedcomDialogs.h"
#include "MainFrame.h"
#include "ModalDriving.h"
#include "PreviewViewKor.h"
#include "ProgramCommands.h"
#include "ReportsPropSheet.h"

class PathCaptionsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  plat::FakeMessageBox boxes_;
  plat::FakeProfile profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  NoDialogs dialogs_;
  std::unique_ptr<CKorApp> app_;
  QString path_;  // the family file, as the file system names it

  // The application started on "Familjen Berg.orv" in the folder named.
  void Start(const QString& folder) {
    QVERIFY(QDir(dir_->path()).mkpath(folder));
    path_ = dir_->filePath(folder + QStringLiteral("/Familjen Berg.orv"));
    const std::string path = path_.toUtf8().toStdString();
    QVERIFY(MakeOneManFamily(path, "Johan", "Berg"));
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(&dialogs_);
    RegisterProgramCommands(*app_);
    QVERIFY(app_->InitInstance("-s \"" + path + "\""));
    CMainFrame* frame = app_->GetMainFrame();
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
  }

  // The main frame's and the document window's titles both name the file.
  void CheckTitles(const char* when) {
    CMainFrame* frame = app_->GetMainFrame();
    QVERIFY2(frame->windowTitle().contains(path_),
             qPrintable(QString::fromLatin1(when) + QStringLiteral(": ") + frame->windowTitle()));
    QMdiSubWindow* child = frame->MDIClient()->activeSubWindow();
    QVERIFY(child);
    QVERIFY2(child->windowTitle() == path_,
             qPrintable(QString::fromLatin1(when) + QStringLiteral(": ") + child->windowTitle()));
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

  void titlesAfterAPreview_data() {
    QTest::addColumn<QString>("folder");
    for (const char* name : {"Släkt Åsa", "Łódź", "Ærø"})
      QTest::newRow(name) << QString::fromUtf8(name);
  }
  void titlesAfterAPreview() {
    QFETCH(QString, folder);
    Start(folder);
    if (QTest::currentTestFailed()) return;
    CheckTitles("opened");

    // Reports and Charts, Preview; the preview closed; the sheet it opens
    // again closed.
    bool previewed = false, reopened = false;
    WhenModal<CReportsPropSheet>([&](CReportsPropSheet* sheet) {
      WhenModal<CPreviewViewKor>([&](CPreviewViewKor* preview) {
        previewed = true;
        WhenModal<CReportsPropSheet>([&](CReportsPropSheet* again) {
          reopened = true;
          again->reject();
        });
        preview->close();
      });
      if (auto* button = sheet->Control<QPushButton>(CReportsPropSheet::kIdcPreview))
        button->click();
    });
    app_->GetMainFrame()->CommandAction(shell::kIdFilePrintReports)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(previewed, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(reopened, 10000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    CheckTitles("after the preview");
  }

  void importDialogShowsTheDestination_data() { titlesAfterAPreview_data(); }
  void importDialogShowsTheDestination() {
    QFETCH(QString, folder);
    Start(folder);
    if (QTest::currentTestFailed()) return;
    const std::string gedcom = dir_->filePath(QStringLiteral("one.ged")).toStdString();
    std::ofstream(gedcom) << "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Anna /Ek/\n0 TRLR\n";

    QString destination;
    bool shown = false;
    WhenModal<CGedcomImportDialog>([&](CGedcomImportDialog* dialog) {
      shown = true;
      destination = dialog->Control<QLabel>(CGedcomImportDialog::kIdcDestination)->text();
      dialog->reject();
    });
    app_->ImportGedcomFile(gedcom);
    QVERIFY(shown);
    QCOMPARE(destination, path_);
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 1);  // cancelled: nothing imported
  }
};

QTEST_MAIN(PathCaptionsTest)
#include "pathcaptions_qtest.moc"
