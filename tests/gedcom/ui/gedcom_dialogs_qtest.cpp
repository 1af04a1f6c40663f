// The GEDCOM Export and Import dialogs and their progress windows: what the
// user sees for each export type, the steps behind Export (preparer check,
// submission dialogs, file name, job), the Import dialog's texts, and both
// transfers run end to end on a family file.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "Clock.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FilterSet.h"
#include "GedcomCommands.h"
#include "GedcomDialogs.h"
#include "GedcomProgressWindows.h"
#include "IndividualRecord.h"
#include "PreparerRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using gedcom::ExportOptions;

QCheckBox* Box(CGedcomExportDialog& d, int box) {
  return d.Control<QCheckBox>(CGedcomExportDialog::kIdcNotes + box);
}
QRadioButton* TypeRadio(CGedcomExportDialog& d, int type) {
  return d.Control<QRadioButton>(CGedcomExportDialog::kIdcStandard55 + type);
}
void ClickExport(CGedcomExportDialog& d) {
  d.Control<QPushButton>(CGedcomExportDialog::kIdcExport)->click();
}

void AddPerson(const char* given, const char* surname, char sex) {
  CIndividualRecord p;
  p.givenNames[0] = given;
  p.surname = surname;
  p.sex = sex;
  QVERIFY(DbAddRecord(db::kIndividual, 0, &p) > 0);
}

void SetPreparer(const char* a1, const char* a2, const char* a3) {
  CPreparerRecord p;
  p.givenNames = "Siri";
  p.surname = "Moe";
  p.address1 = a1;
  p.address2 = a2;
  p.address3 = a3;
  QCOMPARE(DbUpdateRecord(CPreparerRecord::kRecordNumber, db::kPreparer, &p), 1);
}

void Shoot(QWidget* w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  w->show();
  QCoreApplication::processEvents();
  w->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                 QString::fromLatin1(name));
}

// Every live individual, as the Export dialog's All.
class All : public gedcom::ExportFilterSet {
 public:
  bool Contains(std::int32_t rin) const override {
    return DbGetRIN(rin, db::kQueryIndividuals, 'o') != 0;
  }
};

}  // namespace

class GedcomDialogsTest : public QObject {
  Q_OBJECT

  TempDir dir;
  std::string family;
  plat::FakeMessageBox boxes;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes;

 private slots:
  void init() {
    plat::SetFixedTime(LocalTimeOf(2001, 7, 3, 9, 5));
    scopedBoxes = std::make_unique<plat::ScopedMessageBox>(&boxes);
    boxes.Clear();
    family = dir.File("family.orv");
    std::remove(family.c_str());
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }
  void cleanup() {
    DbCloseCurrent();
    scopedBoxes.reset();
    plat::SetFixedTime(0);
  }

  void exportDialogShowsEachType() {
    CGedcomExportDialog d(true, nullptr);
    d.show();
    QVERIFY(TypeRadio(d, gedcom::kTypeStandard55)->isChecked());
    QCOMPARE(d.Control<QComboBox>(CGedcomExportDialog::kIdcCharset)->currentText(),
             QStringLiteral("ANSEL"));
    QCOMPARE(d.GetControlText(CGedcomExportDialog::kIdcCount), std::string("All"));
    // Full information on the living checks and locks Names on living.
    QVERIFY(Box(d, gedcom::kBoxNamesOnLiving)->isChecked());
    QVERIFY(!Box(d, gedcom::kBoxNamesOnLiving)->isEnabled());
    Box(d, gedcom::kBoxFullLiving)->click();
    QVERIFY(Box(d, gedcom::kBoxNamesOnLiving)->isEnabled());
    Shoot(&d, "gedcom-export-55.png");

    TypeRadio(d, gedcom::kTypeGedcom40)->click();
    QVERIFY(!Box(d, gedcom::kBoxMultimedia)->isChecked());
    QVERIFY(!Box(d, gedcom::kBoxMultimedia)->isEnabled());
    QVERIFY(!d.IsControlEnabled(CGedcomExportDialog::kIdcCharset));
    QVERIFY(Box(d, gedcom::kBoxFullLiving)->isChecked());
    Shoot(&d, "gedcom-export-40.png");

    TypeRadio(d, gedcom::kTypeStirpbank)->click();
    QVERIFY(Box(d, gedcom::kBoxSubmitter)->isChecked());
    QVERIFY(!Box(d, gedcom::kBoxSubmitter)->isEnabled());
    QVERIFY(!Box(d, gedcom::kBoxFullLiving)->isChecked());
    QVERIFY(!Box(d, gedcom::kBoxZel)->isEnabled());
    Shoot(&d, "gedcom-export-stirpbank.png");

    TypeRadio(d, gedcom::kTypeStandard55)->click();
    QVERIFY(Box(d, gedcom::kBoxMultimedia)->isChecked());
    QVERIFY(d.IsControlEnabled(CGedcomExportDialog::kIdcCharset));
    // A Rosterly submission is of a selection: without one and without
    // Select it is not offered.
    QVERIFY(!TypeRadio(d, gedcom::kTypeRosterly)->isEnabled());
    QVERIFY(!d.IsControlEnabled(CGedcomExportDialog::kIdcSelect));

    CGedcomExportDialog hidden(false, nullptr);
    hidden.show();
    QVERIFY(Box(hidden, gedcom::kBoxZel)->isHidden());
    QVERIFY(!Box(hidden, gedcom::kBoxZel)->isChecked());
  }

  void linerollShowsItsDialogsBeforeTheFile() {
    AddPerson("Ola", "Lund", 'M');
    SetPreparer("Kaien 2", "5003 Bergen", "");
    for (const int cancelAt : {0, 439, 441}) {
      boxes.Clear();
      std::vector<int> shown;
      int asked = 0;
      std::vector<ExportOptions> jobs;
      gedcomui::ExportHost host;
      host.familyPath = family;
      host.textDialog = [&](int id) {
        shown.push_back(id);
        return id != cancelAt;
      };
      host.askPath = [&](bool submission) {
        ++asked;
        return submission ? dir.File("lineroll.ged") : std::string();
      };
      host.runJob = [&](const ExportOptions& o, const std::string& path) {
        jobs.push_back(o);
        return path == dir.File("lineroll.ged");
      };
      host.driveDialog = [](CGedcomExportDialog& d) {
        d.show();
        TypeRadio(d, gedcom::kTypeLineroll)->click();
        ClickExport(d);
      };
      const bool written = gedcomui::RunExport(host);
      if (cancelAt == 0) {
        QVERIFY(written);
        QCOMPARE(shown, (std::vector<int>{439, 441}));
        QCOMPARE(boxes.Calls().size(), size_t(1));
        QCOMPARE(boxes.Calls()[0].text, res::LoadString(res::kIdsSubmissionNextWindow));
        QCOMPARE(asked, 1);
        QCOMPARE(jobs.size(), size_t(1));
        QCOMPARE(jobs[0].mode, int(gedcom::kExportLineroll));
        QVERIFY(jobs[0].form55 && jobs[0].ansel && jobs[0].submitter);
        QVERIFY(!jobs[0].multimedia);
      } else {
        // Cancel at any step writes nothing.
        QVERIFY(!written);
        QCOMPARE(shown.back(), cancelAt);
        QCOMPARE(asked, 0);
        QVERIFY(jobs.empty());
      }
    }
  }

  void anIncompletePreparerIsAskedFor() {
    AddPerson("Ola", "Lund", 'M');
    SetPreparer("Kaien 2", "NO", "");  // two characters and no third line
    // Cancel: nothing is written.
    boxes.QueueAnswer(plat::kIdCancel);
    int opened = 0, jobs = 0;
    gedcomui::ExportHost host;
    host.familyPath = family;
    host.openPreparedBy = [&] {
      ++opened;
      SetPreparer("Kaien 2", "5003 Bergen", "");
      return true;
    };
    host.askPath = [&](bool) { return dir.File("out.ged"); };
    host.runJob = [&](const ExportOptions&, const std::string&) { return ++jobs > 0; };
    host.driveDialog = [](CGedcomExportDialog& d) {
      d.show();
      ClickExport(d);
    };
    QVERIFY(!gedcomui::RunExport(host));
    QCOMPARE(boxes.Calls().size(), size_t(1));
    QCOMPARE(boxes.Calls()[0].text, std::string(gedcom::kSubmitterQuestion));
    QCOMPARE(opened, 0);
    QCOMPARE(jobs, 0);
    // OK opens "Prepared by"; once complete the export goes on.
    boxes.Clear();
    boxes.QueueAnswer(plat::kIdOk);
    QVERIFY(gedcomui::RunExport(host));
    QCOMPARE(opened, 1);
    QCOMPARE(jobs, 1);
    // Without Submitter no question is asked.
    SetPreparer("", "", "");
    boxes.Clear();
    host.driveDialog = [](CGedcomExportDialog& d) {
      d.show();
      Box(d, gedcom::kBoxSubmitter)->click();
      ClickExport(d);
    };
    QVERIFY(gedcomui::RunExport(host));
    QVERIFY(boxes.Calls().empty());
  }

  void exportWritesWhatTheExporterWrites() {
    AddPerson("Ola", "Lund", 'M');
    AddPerson("Kari", "Berg", 'F');
    AddPerson("Per", "Lund", 'M');
    const std::string path = dir.File("dialog.ged");
    gedcomui::ExportHost host;
    host.familyPath = family;
    host.askPath = [&](bool) { return path; };
    host.driveDialog = [](CGedcomExportDialog& d) {
      d.show();
      d.Control<QComboBox>(CGedcomExportDialog::kIdcCharset)->setCurrentIndex(0);  // ANSI
      Box(d, gedcom::kBoxSubmitter)->click();
      ClickExport(d);
    };
    QVERIFY(gedcomui::RunExport(host));
    // The summary closes the progress window.
    QVERIFY(!boxes.Calls().empty());
    QVERIFY(boxes.Calls().back().text.find("3 individuals exported") != std::string::npos);

    const std::string headless = dir.File("headless.ged");
    gedcom::SystemDrive drive;
    gedcom::CGedcomExporter exporter(drive);
    gedcom::CExportChoices choices(false);
    choices.SetAnsel(false);
    choices.SetChecked(gedcom::kBoxSubmitter, false);
    exporter.options = choices.Options();
    QVERIFY(exporter.Open(headless));
    exporter.SetFileName("dialog.ged");
    const All all;
    QVERIFY(exporter.Export(nullptr, &all));
    QVERIFY(exporter.Close());
    QCOMPARE(ReadAll(path), ReadAll(headless));
    QVERIFY(ReadAll(path).find("1 CHAR ANSI") != std::string::npos);
    // The header names the file alone, not the folder it was written in.
    QVERIFY(ReadAll(path).find("\r\n1 FILE dialog.ged\r\n") != std::string::npos);
  }

  void partialExportsTheChosenIndividuals() {
    AddPerson("Ola", "Lund", 'M');
    AddPerson("Kari", "Berg", 'F');
    // Without chosen individuals Partial and Rosterly stay off.
    {
      CGedcomExportDialog d(true, nullptr);
      d.show();
      QVERIFY(!d.IsControlEnabled(CGedcomExportDialog::kIdcPartial));
      QVERIFY(!TypeRadio(d, gedcom::kTypeRosterly)->isEnabled());
    }
    class OnlyKari : public gedcom::ExportFilterSet {
     public:
      bool Contains(std::int32_t rin) const override { return rin == 2; }
    } onlyKari;
    const std::string path = dir.File("partial.ged");
    gedcomui::ExportHost host;
    host.familyPath = family;
    host.selection = &onlyKari;
    host.selectionCount = 1;
    host.askPath = [&](bool) { return path; };
    host.driveDialog = [](CGedcomExportDialog& d) {
      d.show();
      QVERIFY(TypeRadio(d, gedcom::kTypeRosterly)->isEnabled());
      d.Control<QRadioButton>(CGedcomExportDialog::kIdcPartial)->click();
      QCOMPARE(d.GetControlText(CGedcomExportDialog::kIdcCount), std::string("1"));
      QVERIFY(d.IsControlEnabled(CGedcomExportDialog::kIdcExport));
      Box(d, gedcom::kBoxSubmitter)->click();
      ClickExport(d);
    };
    QVERIFY(gedcomui::RunExport(host));
    const std::string text = ReadAll(path);
    QVERIFY(text.find("Kari") != std::string::npos);
    QVERIFY(text.find("Ola") == std::string::npos);
  }

  void selectChoosesTheSetThenPartialExportsIt() {
    AddPerson("Ola", "Lund", 'M');
    AddPerson("Kari", "Berg", 'F');
    CFilterSet chosen;
    chosen.name = "Bergs";
    chosen.CreateSet(CFilterSet::kRelationSet, 2);
    chosen.relationFilterPresent = 1;
    chosen.SetInSet(CFilterSet::kRelationSet, 2, 1);
    const CFilterSet* documentSet = nullptr;
    std::vector<std::pair<std::int32_t, bool>> selectCalls;
    std::int32_t shown = 0;
    const std::string path = dir.File("selected.ged");
    gedcomui::ExportHost host;
    host.familyPath = family;
    host.startRin = 1;
    host.askPath = [&](bool) { return path; };
    // The selection answers Kari the first time, nobody the second.
    host.select = [&](std::int32_t start, bool templeNames) {
      selectCalls.emplace_back(start, templeNames);
      documentSet = &chosen;
      return selectCalls.size() == 1 ? std::int32_t{2} : std::int32_t{0};
    };
    host.documentFilter = [&] { return documentSet; };
    host.showStart = [&](std::int32_t rin) { shown = rin; };
    host.driveDialog = [](CGedcomExportDialog& d) {
      d.show();
      // With Select offered, Partial is there before any set exists.
      QVERIFY(!d.IsControlEnabled(CGedcomExportDialog::kIdcSelect));
      d.Control<QRadioButton>(CGedcomExportDialog::kIdcPartial)->click();
      QCOMPARE(d.GetControlText(CGedcomExportDialog::kIdcCount), std::string("0"));
      QVERIFY(!d.IsControlEnabled(CGedcomExportDialog::kIdcExport));
      QVERIFY(d.IsControlEnabled(CGedcomExportDialog::kIdcSelect));
      d.Control<QPushButton>(CGedcomExportDialog::kIdcSelect)->click();
      QCOMPARE(d.Control<QGroupBox>(CGedcomExportDialog::kIdcSelectedGroup)->title(),
               QStringLiteral("Filter - Bergs"));
      QCOMPARE(d.GetControlText(CGedcomExportDialog::kIdcCount), std::string("1"));
      QVERIFY(d.IsControlEnabled(CGedcomExportDialog::kIdcExport));
      Shoot(&d, "gedcom-export-selected.png");
      d.Control<QPushButton>(CGedcomExportDialog::kIdcSelect)->click();
      Box(d, gedcom::kBoxSubmitter)->click();
      ClickExport(d);
    };
    QVERIFY(gedcomui::RunExport(host));
    // The second Select starts on the person the first one chose.
    QCOMPARE(selectCalls.size(), std::size_t{2});
    QCOMPARE(selectCalls[0], std::make_pair(std::int32_t{1}, false));
    QCOMPARE(selectCalls[1], std::make_pair(std::int32_t{2}, false));
    QCOMPARE(shown, std::int32_t{2});
    const std::string text = ReadAll(path);
    QVERIFY(text.find("Kari") != std::string::npos);
    QVERIFY(text.find("Ola") == std::string::npos);
  }

  // A filter named with letters beyond the code page (a private pair) and
  // within it shows them as typed.
  void selectedGroupShowsTheFilterNameWhole() {
    for (const char* utf8 : {"Łukasiewicz", "Müller"}) {
      CGedcomExportDialog d(true, nullptr);
      d.show();
      d.SelectionChosen(3, plat::Utf8ToAnsi(utf8));
      QCOMPARE(d.Control<QGroupBox>(CGedcomExportDialog::kIdcSelectedGroup)->title(),
               QStringLiteral("Filter - ") + QString::fromUtf8(utf8));
    }
  }

  void importDialogTexts() {
    {
      CGedcomImportDialog d(nullptr);
      QCOMPARE(d.endingRin, std::string());
    }
    AddPerson("Ola", "Lund", 'M');
    AddPerson("Kari", "Berg", 'F');
    CGedcomImportDialog d(nullptr);
    d.sourcePath = "/home/anna/Genealogy/research/exports/a-very-long-folder-name/family.ged";
    d.destination = family;
    d.show();
    QCOMPARE(d.GetControlText(CGedcomImportDialog::kIdcEndingRin), std::string("(Ending RIN#: 2)"));
    QCOMPARE(d.GetCheck(CGedcomImportDialog::kIdcImportNotes), 1);
    QCOMPARE(d.GetCheck(CGedcomImportDialog::kIdcListing), 0);
    QCOMPARE(d.GetCheck(CGedcomImportDialog::kIdcReuse), 1);
    const std::string shown = d.GetControlText(CGedcomImportDialog::kIdcSource);
    QVERIFY(shown.size() < d.sourcePath.size());
    QVERIFY(shown.find("family.ged") != std::string::npos);
    Shoot(&d, "gedcom-import.png");
    d.SetCheck(CGedcomImportDialog::kIdcImportNotes, 0);
    d.Control<QPushButton>(fw::kIdCancel)->click();
    QCOMPARE(d.importNotes, 1);  // Cancel keeps the answers as they were
  }

  void importRunsWithItsProgressWindow() {
    const std::string sample = std::string(KORVANE_GEDCOM_SAMPLES) + "/gedcom555-555SAMPLE.GED";
    int shown = 0;
    gedcomui::ImportHost host;
    host.familyPath = family;
    host.showDialog = [&](CGedcomImportDialog& d) {
      ++shown;
      d.show();
      d.Control<QPushButton>(fw::kIdOk)->click();
      return d.result() == QDialog::Accepted;
    };
    QCOMPARE(gedcomui::RunImport(sample, host), 1);
    QCOMPARE(shown, 1);
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 3);
    // Cancel in the dialog imports nothing.
    host.showDialog = [](CGedcomImportDialog&) { return false; };
    QCOMPARE(gedcomui::RunImport(sample, host), 0);
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 3);
  }

  void progressWindowsCountAndAskBeforeStopping() {
    CGedcomImportProgress in(nullptr);
    in.SetFile("family.ged");
    const long defined[5] = {10, 4, 2, 1, 0};
    const long made[5] = {7, 3, 2, 1, 0};
    in.SetDefined(defined);
    in.SetCounts(made, 2);
    QCOMPARE(in.GetControlText(CGedcomImportProgress::kIdcIndividuals), std::string("10 / 7"));
    QCOMPARE(in.GetControlText(CGedcomImportProgress::kIdcErrors), std::string("2"));
    in.ShowFinal(defined);
    QCOMPARE(in.GetControlText(CGedcomImportProgress::kIdcMarriages), std::string("4"));
    in.SetListingPath("/home/anna/Genealogy/research/imports/a-very-long-folder/family.lst");
    Shoot(&in, "gedcom-import-progress.png");
    QVERIFY(!in.CancelRequested());
    // Cancel asks; No goes on, Yes stops.
    boxes.QueueAnswer(plat::kIdNo);
    in.Control<QPushButton>(fw::kIdCancel)->click();
    QVERIFY(!in.CancelRequested());
    QCOMPARE(boxes.Calls().back().caption, std::string("GEDCOM family.ged"));
    boxes.QueueAnswer(plat::kIdYes);
    in.Control<QPushButton>(fw::kIdCancel)->click();
    QVERIFY(in.CancelRequested());

    CGedcomExportProgress out(nullptr);
    out.Begin("Type: Standard GEDCOM 5.5");
    out.SetCounts(12, 5);
    QCOMPARE(out.GetControlText(CGedcomExportProgress::kIdcIndividuals), std::string("12"));
    QCOMPARE(out.GetControlText(CGedcomExportProgress::kIdcMarriages), std::string("5"));
    Shoot(&out, "gedcom-export-progress.png");
    QVERIFY(!out.CancelRequested());
    out.Control<QPushButton>(fw::kIdCancel)->click();
    QVERIFY(out.CancelRequested());
    out.End();
    QVERIFY(!out.isVisible());
  }

  void submissionDialogs() {
    for (int id : {329, 439, 441, 389, 440}) {
      std::unique_ptr<CSubmissionTextDialog> d(MakeSubmissionTextDialog(id, nullptr));
      QVERIFY(d);
      QVERIFY(!d->GetControlText(CSubmissionTextDialog::kIdcText).empty());
      QCOMPARE(d->GetControl(fw::kIdCancel) != nullptr, id != 389 && id != 440);
      Shoot(d.get(), ("gedcom-text-" + std::to_string(id) + ".png").c_str());
    }
    CTempleNamesOptionsDialog options(nullptr);
    options.show();
    QCOMPARE(options.GetCheckedRadio({CTempleNamesOptionsDialog::kIdcOnlyQualifying,
                                      CTempleNamesOptionsDialog::kIdcAllSelected}),
             0);
    QCOMPARE(options.GetCheck(CTempleNamesOptionsDialog::kIdcReport), 1);
    QCOMPARE(options.GetCheck(CTempleNamesOptionsDialog::kIdcMarkSubmitted), 0);
    Shoot(&options, "gedcom-363.png");
  }
};

QTEST_MAIN(GedcomDialogsTest)
#include "gedcom_dialogs_qtest.moc"
