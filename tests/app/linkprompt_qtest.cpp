// The link prompt after a GEDCOM import: its controls, the check box read
// by either button, Yes only with a help file to open, and the offer after
// File > Import and after a GEDCOM file was opened.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <functional>
#include <string>

#include "AppCommandTest.h"
#include "AppScreens.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "ImportLinkPrompt.h"
#include "ImportLinkPromptDialog.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

void Shoot(QWidget* window, const char* name) {
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    window->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                        QLatin1String(name) + QStringLiteral(".png"));
}

// Runs act on the link prompt once it shows and counts the prompts seen;
// a look that finds none goes with the test's scope.
void OnPrompt(QObject& scope, int& seen, std::function<void(CImportLinkPromptDialog&)> act) {
  QTimer::singleShot(0, &scope, [&seen, act] {
    auto* dialog = qobject_cast<CImportLinkPromptDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    ++seen;
    act(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

}  // namespace

class LinkPromptTest : public QObject {
  Q_OBJECT

  plat::FakeProfile profile_;
  plat::FakeMessageBox boxes_;
  plat::FakeShell shell_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedShell> scopedShell_;
  QTemporaryDir dir_;
  std::string help_;

 private slots:
  void init() {
    profile_ = plat::FakeProfile{};
    boxes_.Clear();
    shell_.opened.clear();
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(&profile_);
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    scopedShell_ = std::make_unique<plat::ScopedShell>(&shell_);
    help_ = dir_.filePath(QStringLiteral("korvane.hlp")).toStdString();
    std::ofstream(help_) << "help";
  }
  void cleanup() {
    scopedShell_.reset();
    scopedBoxes_.reset();
    scopedProfile_.reset();
  }

  void dialogControlsAndCheckBox() {
    struct Case {
      bool yesEnabled;
      int button;
      bool check;
      int result;
    } cases[] = {{false, CImportLinkPromptDialog::kIdcNo, true, fw::kIdCancel},
                 {true, CImportLinkPromptDialog::kIdcYes, true, fw::kIdOk},
                 {true, CImportLinkPromptDialog::kIdcNo, false, fw::kIdCancel}};
    for (const Case& c : cases) {
      CImportLinkPromptDialog dialog(c.yesEnabled);
      dialog.show();
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Korvane"));
      QCOMPARE(dialog.Control<QLabel>(CImportLinkPromptDialog::kIdcText)->text(),
               QStringLiteral(
                   "Would you like to view instructions on how to link the data you imported?"));
      QCOMPARE(dialog.Control<QCheckBox>(CImportLinkPromptDialog::kIdcDontShowAgain)->text(),
               QStringLiteral("Don't show this dialog box again!"));
      auto* yes = dialog.Control<QPushButton>(CImportLinkPromptDialog::kIdcYes);
      auto* no = dialog.Control<QPushButton>(CImportLinkPromptDialog::kIdcNo);
      QCOMPARE(yes->isEnabled(), c.yesEnabled);
      QCOMPARE(no->isDefault(), !c.yesEnabled);
      if (!c.yesEnabled) Shoot(&dialog, "link_prompt");
      if (c.check) dialog.Control<QCheckBox>(CImportLinkPromptDialog::kIdcDontShowAgain)->click();
      dialog.Control<QPushButton>(c.button)->click();
      QCOMPARE(dialog.result(), c.result);
      QCOMPARE(dialog.dontShowAgain, c.check);
    }
  }

  // File > Import without a help file: the prompt comes, Yes is off; No
  // with the box checked stops it, and nothing was opened.
  void importWithoutHelpStopsByTheCheckBox() {
    QObject scope;
    int seen = 0;
    OnPrompt(scope, seen, [](CImportLinkPromptDialog& d) {
      QVERIFY(!d.IsControlEnabled(CImportLinkPromptDialog::kIdcYes));
      d.Control<QCheckBox>(CImportLinkPromptDialog::kIdcDontShowAgain)->click();
      d.Control<QPushButton>(CImportLinkPromptDialog::kIdcNo)->click();
    });
    OfferLinkInstructions(nullptr, true, true, true, std::string());
    QCOMPARE(seen, 1);
    QCOMPARE(profile_.GetInt(shell::kLinkPromptSection, shell::kLinkPromptValue, 0), 1);
    OnPrompt(scope, seen, [](CImportLinkPromptDialog&) {});
    OfferLinkInstructions(nullptr, true, true, true, help_);
    QCOMPARE(seen, 1);
    QVERIFY(shell_.opened.empty());
  }

  // With the help file, Yes opens it; the prompt stays for the next import.
  void importYesOpensTheHelpFile() {
    QObject scope;
    int seen = 0;
    OnPrompt(scope, seen, [](CImportLinkPromptDialog& d) {
      d.Control<QPushButton>(CImportLinkPromptDialog::kIdcYes)->click();
    });
    OfferLinkInstructions(nullptr, true, true, true, help_);
    QCOMPARE(seen, 1);
    QCOMPARE(shell_.opened, std::vector<std::string>{help_});
    QCOMPARE(profile_.GetInt(shell::kLinkPromptSection, shell::kLinkPromptValue, 0), 0);
    // Into an empty file nothing is asked.
    OnPrompt(scope, seen, [](CImportLinkPromptDialog&) {});
    OfferLinkInstructions(nullptr, true, false, true, help_);
    QCOMPARE(seen, 1);
  }

  // A GEDCOM file opened: the plain question, only with a help file.
  void openedGedcomAsksThePlainQuestion() {
    boxes_.QueueAnswer(plat::kIdYes);
    OfferLinkInstructions(nullptr, false, true, true, help_);
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    QCOMPARE(boxes_.Calls().front().text,
             std::string("Would you like to view instructions on how to link the data you "
                         "imported?"));
    QVERIFY(boxes_.Calls().front().flags & plat::kMbYesNo);
    QCOMPARE(shell_.opened, std::vector<std::string>{help_});
    OfferLinkInstructions(nullptr, false, true, true, dir_.filePath("none.hlp").toStdString());
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
  }

  // The application's GEDCOM road: the question follows an import into a
  // file that held individuals before it, not one into an empty file.
  void importRoadOfTheApplication() {
    AppCommandHarness h;
    QVERIFY(h.Start([] { AddLind("Ola", 'M'); }, [](CKorApp&) {}));
    plat::ScopedShell scopedShell(&shell_);
    h.app->m_helpFilePath = help_;
    const auto saved = AppScreens().importGedcom;
    int imports = 0;
    AppScreens().importGedcom = [&imports](QWidget*, const std::string&) {
      ++imports;
      return AddLind("Per", 'M') > 0;
    };
    h.boxes.QueueAnswer(plat::kIdYes);
    h.app->ImportGedcomFile(dir_.filePath(QStringLiteral("more.ged")).toStdString());
    QCOMPARE(imports, 1);
    QCOMPARE(h.boxes.Calls().size(), std::size_t{1});
    QCOMPARE(h.boxes.Calls().front().text, res::LoadString(res::kIdsLinkInstructions));
    QCOMPARE(shell_.opened, std::vector<std::string>{help_});
    // Into a file without individuals: nothing is asked.
    for (std::int32_t rin; (rin = DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame)) > 0;)
      QVERIFY(DbDeleteRecord(rin, db::kIndividual) > 0);
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 0);
    h.boxes.Clear();
    h.app->ImportGedcomFile(dir_.filePath(QStringLiteral("first.ged")).toStdString());
    QCOMPARE(imports, 2);
    QVERIFY(h.boxes.Calls().empty());
    AppScreens().importGedcom = saved;
    h.Stop();
  }
};

QTEST_MAIN(LinkPromptTest)
#include "linkprompt_qtest.moc"
