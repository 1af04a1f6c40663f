// The PAGINATOR dialog: batches run as queued calls on its own event loop,
// the number field follows the pass, Cancel only drops the running flag and
// ends the dialog, and a dialog without Cancel cannot be escaped.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "CodePage.h"
#include "PaginatorDialog.h"

namespace {

QString Shots() { return qEnvironmentVariable("KORVANE_SHOTS"); }

void Shoot(QWidget& widget, const char* name) {
  if (!Shots().isEmpty()) widget.grab().save(Shots() + QLatin1Char('/') + QLatin1String(name));
}

}  // namespace

class PaginatorDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void runsEveryBatchToTheEnd() {
    rptui::CPaginatorDialog dialog;
    rpt::PaginatorState state;
    state.running = 1;
    int batches = 0;
    const rpt::BatchResult result = dialog.RunPass(state, "Test List", "0", true, [&] {
      ++batches;
      dialog.SetNumber(QString::number(batches));
      return batches < 5 ? rpt::BatchResult::More : rpt::BatchResult::Done;
    });
    QCOMPARE(result, rpt::BatchResult::Done);
    QCOMPARE(batches, 5);
    QCOMPARE(dialog.Number(), QString("5"));
    QCOMPARE(dialog.windowTitle(), QString("Test List"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(state.running, 1);
  }

  void aFailingBatchEndsThePass() {
    rptui::CPaginatorDialog dialog;
    rpt::PaginatorState state;
    state.running = 1;
    int batches = 0;
    const rpt::BatchResult result = dialog.RunPass(state, "Test", "0", true, [&] {
      return ++batches < 3 ? rpt::BatchResult::More : rpt::BatchResult::DiskFull;
    });
    QCOMPARE(result, rpt::BatchResult::DiskFull);
    QCOMPARE(batches, 3);
  }

  void cancelStopsBeforeTheNextBatch() {
    for (int pressAt : {1, 3}) {
      rptui::CPaginatorDialog dialog;
      rpt::PaginatorState state;
      state.running = 1;
      int batches = 0;
      auto* cancel = dialog.findChild<QPushButton*>("2");
      QVERIFY(cancel != nullptr);
      const rpt::BatchResult result = dialog.RunPass(state, "Pedigree Chart", "1", true, [&] {
        ++batches;
        if (batches == 2) Shoot(dialog, "paginator-cancel.png");
        // The click waits in the queue until the pump between batches.
        if (batches == pressAt) QTimer::singleShot(0, cancel, &QPushButton::click);
        return batches < 100 ? rpt::BatchResult::More : rpt::BatchResult::Done;
      });
      QCOMPARE(result, rpt::BatchResult::Failed);
      QCOMPARE(batches, pressAt);
      QCOMPARE(state.running, 0);
      QCOMPARE(dialog.result(), 2);
    }
  }

  void withoutCancelEscapeDoesNotEndThePass() {
    rptui::CPaginatorDialog dialog;
    rpt::PaginatorState state;
    state.running = 1;
    int batches = 0;
    const rpt::BatchResult result = dialog.RunPass(state, "Individual Summary", "0", false, [&] {
      ++batches;
      if (batches == 2) {
        Shoot(dialog, "paginator-nocancel.png");
        QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
      }
      return batches < 6 ? rpt::BatchResult::More : rpt::BatchResult::Done;
    });
    QVERIFY(!dialog.CancelShown());
    QCOMPARE(result, rpt::BatchResult::Done);
    QCOMPARE(batches, 6);
  }

  void theModelessFormOnlyDropsTheFlagOnCancel() {
    rptui::CPaginatorDialog dialog;
    rpt::PaginatorState state;
    state.running = 1;
    dialog.OpenModeless(state, "Possible Problems", "0", true);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isModal());
    for (int n = 1; n <= 3; ++n) {
      dialog.SetNumber(QString::number(n));
      QApplication::processEvents();
    }
    QCOMPARE(dialog.Number(), QString("3"));
    QCOMPARE(state.running, 1);
    QTest::mouseClick(dialog.findChild<QPushButton*>("2"), Qt::LeftButton);
    QCOMPARE(state.running, 0);
    QVERIFY(!dialog.isVisible());
  }

  void theInstalledWindowRunsAWholePass() {
    rptui::RegisterPaginatorWindow();
    rpt::PaginatorWindow& window = rpt::CurrentPaginatorWindow();
    QVERIFY(dynamic_cast<rptui::CQtPaginatorWindow*>(&window) != nullptr);
    rpt::PaginatorState state;
    state.running = 1;
    std::vector<QString> shown;
    int batches = 0;
    const rpt::BatchResult result = window.Run(state, "Scrapbook", "0", true, [&] {
      window.SetNumber(++batches * 10);
      if (auto* dialog = qobject_cast<rptui::CPaginatorDialog*>(QApplication::activeModalWidget()))
        shown.push_back(dialog->Number());
      return batches < 3 ? rpt::BatchResult::More : rpt::BatchResult::Done;
    });
    rpt::SetPaginatorWindow(nullptr);
    QCOMPARE(result, rpt::BatchResult::Done);
    QCOMPARE(batches, 3);
    QCOMPARE(shown, (std::vector<QString>{"10", "20", "30"}));
  }

  // A pass's text (the sort's "Sorting...") shows in field 1089 and is
  // shown while the batch that set it still runs.
  void theInstalledWindowShowsThePassText() {
    rptui::RegisterPaginatorWindow();
    rpt::PaginatorWindow& window = rpt::CurrentPaginatorWindow();
    rpt::PaginatorState state;
    state.running = 1;
    std::vector<QString> shown;
    int batches = 0;
    window.Run(state, "Custom Report", "0", true, [&] {
      auto* dialog = qobject_cast<rptui::CPaginatorDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return rpt::BatchResult::Failed;
      auto* label = dialog->findChild<QLabel*>(QString::number(rptui::kIdcPaginatorText));
      if (label == nullptr) return rpt::BatchResult::Failed;
      shown.push_back(label->text());
      window.SetText(++batches == 1 ? "Sorting..." : rpt::PaginatorWindow::PreparingText());
      shown.push_back(label->text());
      if (batches == 1) Shoot(*dialog, "paginator_sorting.png");
      return batches < 2 ? rpt::BatchResult::More : rpt::BatchResult::Done;
    });
    rpt::SetPaginatorWindow(nullptr);
    const QString preparing = QString::fromStdString(rpt::PaginatorWindow::PreparingText());
    QVERIFY(!preparing.isEmpty());
    QCOMPARE(shown, (std::vector<QString>{preparing, "Sorting...", "Sorting...", preparing}));
  }

  // Caption and text are code-page text: a name with a letter beyond the
  // page (a private pair) or within it shows as typed.
  void theInstalledWindowShowsNamesWhole() {
    rptui::RegisterPaginatorWindow();
    rpt::PaginatorWindow& window = rpt::CurrentPaginatorWindow();
    for (const char* utf8 : {"Łukasiewicz", "Müller"}) {
      const std::string ansi = plat::Utf8ToAnsi(utf8);
      rpt::PaginatorState state;
      state.running = 1;
      QString title, text;
      window.Run(state, ansi, "0", true, [&] {
        auto* dialog = qobject_cast<rptui::CPaginatorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return rpt::BatchResult::Failed;
        window.SetText(ansi);
        title = dialog->windowTitle();
        text = dialog->Text();
        return rpt::BatchResult::Done;
      });
      QCOMPARE(title, QString::fromUtf8(utf8));
      QCOMPARE(text, QString::fromUtf8(utf8));
    }
    rpt::SetPaginatorWindow(nullptr);
  }

  // A pass's label of what the number counts shows before the number while
  // the batch runs; a window opens without one, and "" takes it away.
  void theInstalledWindowShowsTheLabelBeforeTheNumber() {
    rptui::RegisterPaginatorWindow();
    rpt::PaginatorWindow& window = rpt::CurrentPaginatorWindow();
    rpt::PaginatorState state;
    state.running = 1;
    std::vector<QString> shown;
    int batches = 0;
    const char* labels[] = {"ID #:", "# Pages:", ""};
    window.Run(state, "Modified Register", "0", true, [&] {
      auto* dialog = qobject_cast<rptui::CPaginatorDialog*>(QApplication::activeModalWidget());
      auto* label = dialog != nullptr ? dialog->findChild<QLabel*>("label") : nullptr;
      if (label == nullptr) return rpt::BatchResult::Failed;
      if (batches == 0) shown.push_back(label->isVisible() ? label->text() : "(none)");
      window.SetLabel(labels[batches]);
      window.SetNumber(batches + 1);
      shown.push_back(label->isVisible() ? label->text() + " " + dialog->Number() : "(none)");
      if (batches == 1) Shoot(*dialog, "paginator_label.png");
      return ++batches < 3 ? rpt::BatchResult::More : rpt::BatchResult::Done;
    });
    rpt::SetPaginatorWindow(nullptr);
    QCOMPARE(shown, (std::vector<QString>{"(none)", "ID #: 1", "# Pages: 2", "(none)"}));
  }
};

QTEST_MAIN(PaginatorDialogTest)
#include "paginator_qtest.moc"
