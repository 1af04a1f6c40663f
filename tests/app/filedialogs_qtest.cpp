// The Open Family File dialog's information panel and Search, and the Save
// As dialog's accept step, on Qt's own file dialog.
#include <QAbstractItemView>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "ChosenFile.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileListDialog.h"
#include "FileSearchDialog.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ModalDriving.h"
#include "OpenFamilyFileDialog.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "SaveDlg.h"

namespace {

const char kOpenFilter[] =
    "ORV Files (*.orv;indiv2.dat)|*.orv;indiv2.dat|GEDCOM (*.ged)|*.ged|ORV 3 or 4 "
    "(*.orv)|*.orv|ORV 2.x (indiv2.dat)|indiv2.dat|All Files (*.*)|*.*||";

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

// A family file with individuals and marriages, closed again.
void MakeFamily(const QString& path, int individuals, int marriages) {
  const std::string p = path.toStdString();
  QCOMPARE(DbCreate(p, CFamilyDatabase::kCurrentFormat), 1);
  QCOMPARE(DbOpen(p, CFamilyDatabase::kCurrentFormat), 1);
  for (int i = 0; i < individuals; ++i) {
    CIndividualRecord person;
    person.surname = "Lind";
    person.sex = 'F';
    QVERIFY(family::Add(person, 0) > 0);
  }
  for (int i = 0; i < marriages; ++i) {
    CMarriageRecord marriage;
    QVERIFY(family::Add(marriage, 0) > 0);
  }
  DbCloseCurrent();
}

bool Visible(const COpenFamilyFileDialog& d, int id) {
  auto* w = d.findChild<QWidget*>(QStringLiteral("ctl%1").arg(id));
  return w && w->isVisible();
}

// Runs action on the next modal dialog that opens over current.
void OnNextModal(QWidget* current, std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, current, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == current || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start(10);
}

}  // namespace

class FileDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes.Clear();
    plat::SetMessageBoxPort(&boxes);
  }
  void cleanup() {
    DbCloseCurrent();
    SetFamilyFileSearchRoots(nullptr);
    plat::SetMessageBoxPort(nullptr);
  }

  void openDialogPanelFollowsTheSelection() {
    const QString family = dir.filePath(QStringLiteral("lind.orv"));
    MakeFamily(family, 7, 3);
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    WriteFile(text, "not a family");
    const QString held = dir.filePath(QStringLiteral("held.orv"));
    MakeFamily(held, 1, 0);
    QCOMPARE(DbOpen(held.toStdString(), CFamilyDatabase::kCurrentFormat), 1);

    COpenFamilyFileDialog dialog(kOpenFilter, "Open Family File", dir.path().toStdString(),
                                 nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Open Family File"));
    QCOMPARE(dialog.nameFilters().first(), QStringLiteral("ORV Files (*.orv indiv2.dat)"));
    QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Opening shows "Unavailable".
    QCOMPARE(dialog.PanelState(), 1);
    QVERIFY(Visible(dialog, COpenFamilyFileDialog::kIdcUnavailable));
    QVERIFY(!Visible(dialog, COpenFamilyFileDialog::kIdcName));

    // Selecting in the file list describes the file.
    ClickFile(dialog, family);
    QCOMPARE(dialog.PanelState(), 0);
    QCOMPARE(dialog.PanelText(COpenFamilyFileDialog::kIdcName), std::string("Lind"));
    QCOMPARE(dialog.PanelText(COpenFamilyFileDialog::kIdcIndividuals), std::string("7"));
    QCOMPARE(dialog.PanelText(COpenFamilyFileDialog::kIdcMarriages), std::string("3"));
    for (int id :
         {COpenFamilyFileDialog::kIdcNameLabel, COpenFamilyFileDialog::kIdcName,
          COpenFamilyFileDialog::kIdcIndividualsLabel, COpenFamilyFileDialog::kIdcIndividuals,
          COpenFamilyFileDialog::kIdcMarriagesLabel, COpenFamilyFileDialog::kIdcMarriages})
      QVERIFY(Visible(dialog, id));
    QVERIFY(!Visible(dialog, COpenFamilyFileDialog::kIdcUnavailable));
    QVERIFY(!Visible(dialog, COpenFamilyFileDialog::kIdcAlreadyOpen));
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      dialog.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/open.png"));

    dialog.selectNameFilter(dialog.nameFilters().last());  // All Files
    ClickFile(dialog, text);
    QCOMPARE(dialog.PanelState(), 1);
    QVERIFY(Visible(dialog, COpenFamilyFileDialog::kIdcUnavailable));
    QVERIFY(!Visible(dialog, COpenFamilyFileDialog::kIdcName));

    // The family file the program has open.
    ClickFile(dialog, held);
    QCOMPARE(dialog.PanelState(), 2);
    QVERIFY(Visible(dialog, COpenFamilyFileDialog::kIdcAlreadyOpen));
    QVERIFY(!Visible(dialog, COpenFamilyFileDialog::kIdcUnavailable));
    QVERIFY(!Visible(dialog, COpenFamilyFileDialog::kIdcIndividuals));

    // A folder or a pattern is no file to describe.
    dialog.SelectionChanged(dir.path());
    QCOMPARE(dialog.PanelState(), 1);
    dialog.SelectionChanged(dir.filePath(QStringLiteral("*.orv")));
    QCOMPARE(dialog.PanelState(), 1);
    dialog.reject();
  }

  void openDialogOkGivesTheSelectedFile() {
    const QString family = dir.filePath(QStringLiteral("ok.orv"));
    MakeFamily(family, 1, 0);
    COpenFamilyFileDialog dialog(kOpenFilter, "Open Family File", dir.path().toStdString(),
                                 nullptr);
    {
      ChosenFile picked(family);
      QCOMPARE(dialog.DoModal(), fw::kIdOk);
      QCOMPARE(picked.asked, 1);
    }
    QCOMPARE(dialog.GetPathName(), family.toStdString());

    COpenFamilyFileDialog cancelled(kOpenFilter, "Open Family File", dir.path().toStdString(),
                                    nullptr);
    QTimer::singleShot(0, &cancelled, [&] { cancelled.reject(); });
    QCOMPARE(cancelled.DoModal(), fw::kIdCancel);
  }

  void searchFromTheOpenDialogPicksAFile() {
    QTemporaryDir tree;
    const QString found = tree.filePath(QStringLiteral("deep/found.orv"));
    QVERIFY(QDir(tree.path()).mkpath(QStringLiteral("deep")));
    MakeFamily(found, 2, 1);
    const std::vector<std::string> roots = {tree.path().toStdString()};
    SetFamilyFileSearchRoots(&roots);

    COpenFamilyFileDialog dialog(kOpenFilter, "Open Family File", dir.path().toStdString(),
                                 nullptr);
    QTimer::singleShot(0, &dialog, [&] {
      // The list of files found: choose the one file.
      OnNextModal(&dialog, [](QWidget* modal) {
        auto* list = qobject_cast<CFamilyFileListDialog*>(modal);
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), QStringLiteral("Open Family File"));
        QTest::mouseClick(list->GetControl(fw::kIdOk), Qt::LeftButton);
      });
      QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ctl1318")), Qt::LeftButton);
    });
    QCOMPARE(dialog.DoModal(), fw::kIdOk);
    QCOMPARE(dialog.GetPathName(), found.toStdString());
    QVERIFY(boxes.Calls().empty());
  }

  void searchThatFindsNothingKeepsTheOpenDialog() {
    QTemporaryDir empty;
    const std::vector<std::string> roots = {empty.path().toStdString()};
    SetFamilyFileSearchRoots(&roots);
    COpenFamilyFileDialog dialog(kOpenFilter, "Open Family File", dir.path().toStdString(),
                                 nullptr);
    bool stillOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
      QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ctl1318")), Qt::LeftButton);
      stillOpen = dialog.isVisible();
      dialog.reject();
    });
    QCOMPARE(dialog.DoModal(), fw::kIdCancel);
    QVERIFY(stillOpen);
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, std::string("No ORV files found."));
    QCOMPARE(boxes.Calls()[0].flags & plat::kMbIconMask, unsigned{plat::kMbIconInformation});
  }

  void saveDialogAppendsTheExtension() {
    CSaveDlg dialog(".orv", "", kOfnPathMustExist | kOfnHideReadOnly, "ORV 3 or 4 (*.orv)|*.orv||",
                    nullptr);
    dialog.SetFolder(dir.path().toStdString());
    dialog.SetTitle("Create New Family File");
    dialog.SetOkButtonText("&Create");
    QCOMPARE(dialog.labelText(QFileDialog::Accept), QStringLiteral("&Create"));
    QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    QTimer::singleShot(0, &dialog, [&] {
      dialog.selectFile(QStringLiteral("smith"));
      dialog.accept();
    });
    QCOMPARE(dialog.DoModal(), fw::kIdOk);
    QCOMPARE(dialog.GetPathName(), dir.filePath(QStringLiteral("smith.orv")).toStdString());

    // A typed foreign extension gets the filter's appended; the default stays.
    CSaveDlg forced(".orv", "", 0, "ORV 3 or 4 (*.orv)|*.orv||", nullptr);
    forced.SetFolder(dir.path().toStdString());
    forced.selectFile(QStringLiteral("smith.txt"));
    forced.accept();
    QCOMPARE(forced.GetPathName(), dir.filePath(QStringLiteral("smith.txt.orv")).toStdString());
    CSaveDlg kept(".orv", "", 0, "ORV 3 or 4 (*.orv)|*.orv||", nullptr);
    kept.SetFolder(dir.path().toStdString());
    kept.selectFile(QStringLiteral("smith.ORV"));
    kept.accept();
    QCOMPARE(kept.GetPathName(), dir.filePath(QStringLiteral("smith.ORV")).toStdString());
    QVERIFY(boxes.Calls().empty());
  }

  void saveDialogRefusesAnOpenFileAndAsksBeforeReplacing() {
    const QString open = dir.filePath(QStringLiteral("open.orv"));
    MakeFamily(open, 1, 0);
    CSaveDlg dialog(".orv", "", kOfnPathMustExist, "ORV 3 or 4 (*.orv)|*.orv||", nullptr);
    dialog.SetFolder(dir.path().toStdString());
    dialog.SetForbiddenPaths({open.toStdString()});
    dialog.open();
    dialog.selectFile(QStringLiteral("open"));
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.GetPathName(), std::string());
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text,
             open.toStdString() +
                 "\nThis file is already open.\nSelect a new file name or close the file.");

    // Another existing file: No keeps the dialog, Yes takes the name.
    const QString other = dir.filePath(QStringLiteral("other.orv"));
    WriteFile(other, "x");
    dialog.selectFile(QStringLiteral("other.orv"));
    boxes.QueueAnswer(plat::kIdNo);
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.Calls().back().caption, std::string("Save As"));
    boxes.QueueAnswer(plat::kIdYes);
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.GetPathName(), other.toStdString());
    QCOMPARE(boxes.Calls().size(), std::size_t{3});
  }

 private:
  QTemporaryDir dir;
  plat::FakeMessageBox boxes;
};

QTEST_MAIN(FileDialogsTest)
#include "filedialogs_qtest.moc"
