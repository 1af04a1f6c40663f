// File > Export in the application: without preparer details OK on the
// question opens Preferences on "Prepared by", and the question is asked
// again when the details are still missing.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "AppCommandTest.h"
#include "AppScreens.h"
#include "CommandIds.h"
#include "ExportChoices.h"
#include "GedcomCommands.h"
#include "GedcomDialogs.h"
#include "MainFrame.h"
#include "PreferencesPages.h"
#include "PreferencesSheet.h"

class GedcomCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void missingPreparerOpensPreparedBy() {
    AppCommandHarness harness;
    QVERIFY(harness.Start([] { AddLind("Ola", 'M'); },
                          [](CKorApp&) { gedcomui::RegisterGedcomScreens(); }));
    // OK opens the sheet; once it is closed without the details the
    // question comes again, and Cancel ends the export.
    harness.boxes.QueueAnswer(plat::kIdOk);
    harness.boxes.QueueAnswer(plat::kIdCancel);
    std::vector<int> sheetPages;
    bool exportClicked = false;
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* sheet = qobject_cast<COptionsPropSheet*>(modal)) {
        sheetPages.push_back(sheet->ActivePage());
        sheet->reject();
      } else if (auto* dialog = qobject_cast<CGedcomExportDialog*>(modal);
                 dialog && !exportClicked) {
        exportClicked = true;
        // Clicked after this slot returns: the driver fires again inside
        // the windows the click opens.
        QTimer::singleShot(0, dialog->Control<QPushButton>(CGedcomExportDialog::kIdcExport),
                           &QPushButton::click);
      }
    });
    driver.start(20);
    QAction* action = harness.app->GetMainFrame()->CommandAction(shell::kIdFileExport);
    QVERIFY(action && action->isEnabled());
    action->trigger();
    driver.stop();

    QVERIFY(exportClicked);
    QCOMPARE(sheetPages, std::vector<int>{shell::kPagePreparer});
    QCOMPARE(harness.boxes.Calls().size(), std::size_t(2));
    for (const auto& call : harness.boxes.Calls())
      QCOMPARE(call.text, std::string(gedcom::kSubmitterQuestion));
    harness.Stop();
    AppScreens().exportGedcom = nullptr;
  }
};

QTEST_MAIN(GedcomCommandsTest)
#include "gedcom_commands_qtest.moc"
