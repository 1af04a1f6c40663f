// The Lists page and its option dialogs offscreen: the lists shown with and
// without ZEL data, the sheet's OK text and Preview per list, Preview of a
// list reaching the view, the citations list's source picked in the Select
// Source dialog, and the dialogs' OK checks and stored keys.
// With KORVANE_SHOTS=<folder> pictures of the page and dialogs are kept.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "AppOptions.h"
#include "CitationEditing.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "ListOptionDialogs.h"
#include "ListPages.h"
#include "ListRegistration.h"
#include "ListsPage.h"
#include "RecordAccess.h"
#include "ReportKinds.h"
#include "ReportSheetTestKit.h"
#include "ReportsPropSheet.h"
#include "SourceDialogs.h"
#include "SourceRecord.h"
#include "SummaryReports.h"

namespace {

template <class W>
W* Ctl(fw::CDialogBase& dialog, int id) {
  W* widget = dialog.Control<W>(id);
  if (widget == nullptr) qFatal("control %d missing", id);
  return widget;
}

void Type(fw::CDialogBase& dialog, int id, const char* text) {
  Ctl<QLineEdit>(dialog, id)->setText(QString::fromLatin1(text));
}

}  // namespace

class ListsPageTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CReportsPropSheet> MakeSheet() {
    CReportsPropSheet::Environment env;
    env.options = &options_;
    env.printer = &printer_;
    auto sheet = std::make_unique<CReportsPropSheet>(view_, env, rpt::kPageLists - 1);
    sheet->show();
    return sheet;
  }
  CListsPage* PageOf(CReportsPropSheet& sheet) {
    return qobject_cast<CListsPage*>(sheet.PageOfKind(rpt::kPageLists));
  }

  QTemporaryDir dir_;
  plat::FakeProfile profile_;
  plat::FakeMessageBox boxes_;
  std::unique_ptr<plat::ScopedProfile> profileScope_;
  std::unique_ptr<plat::ScopedMessageBox> boxScope_;
  CAppOptions options_;
  QPrinter printer_;
  FakeView view_;
  std::int32_t adam_ = 0;

 private slots:
  void initTestCase() {
    const std::string path = dir_.filePath("lists.orv").toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    for (const char* given : {"Adam", "Beth", "Carl"}) {
      CIndividualRecord person;
      person.surname = "Hart";
      person.givenNames[0] = given;
      person.sex = 'M';
      const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
      QVERIFY(rin > 0);
      if (adam_ == 0) adam_ = rin;
    }
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setPageSize(QPageSize(QPageSize::Letter));
    RegisterListsPage();
    rpt::RegisterListReports();
    rpt::RegisterMoreListReports();
    rpt::RegisterSummaryReports();
  }
  void cleanupTestCase() {
    DbCloseCurrent();
    RegisterReportSheetPage(rpt::kPageLists, nullptr);
  }
  void init() {
    profileScope_ = std::make_unique<plat::ScopedProfile>(&profile_);
    boxScope_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    profile_ = plat::FakeProfile();
    boxes_.Clear();
    options_ = CAppOptions();
    options_.showZel = 1;
    view_ = FakeView();
    view_.rin = adam_;
    rpt::CurrentReportRunState() = {};
    rpt::CurrentReportRequest() = {};
    rpt::ReportChoiceSlot().reset();
    rpt::ChosenListIndex() = 0;
  }
  void cleanup() {
    boxScope_.reset();
    profileScope_.reset();
  }

  void zelListsHiddenAndStoredIndexFallsBack() {
    options_.showZel = 0;
    rpt::ChosenListIndex() = 13;
    auto sheet = MakeSheet();
    CListsPage* page = PageOf(*sheet);
    QVERIFY(page);
    QVERIFY(Ctl<QRadioButton>(*page, CListsPage::kIdcFirstList)->isChecked());
    for (int i = 12; i < 15; ++i)
      QVERIFY(!Ctl<QRadioButton>(*page, CListsPage::kIdcFirstList + i)->isVisible());
    QVERIFY(Ctl<QRadioButton>(*page, CListsPage::kIdcFirstList + 11)->isVisible());
    Shot(*sheet, "lists_nozel");
  }

  void okTextPreviewAndEnablingFollowTheList() {
    auto sheet = MakeSheet();
    CListsPage* page = PageOf(*sheet);
    QVERIFY(page);
    Shot(*sheet, "lists_page");
    auto* ok = Ctl<QPushButton>(*sheet, fw::kIdOk);
    const struct {
      int list;
      const char* okText;
      bool preview, options, search;
    } cases[] = {{7, "OK", false, true, true},      {2, "Pri&nt", true, true, false},
                 {0, "Pri&nt", true, false, false}, {6, "Pri&nt", true, true, true},
                 {14, "Pri&nt", true, false, true}, {9, "Pri&nt", true, false, false}};
    for (const auto& c : cases) {
      Ctl<QRadioButton>(*page, CListsPage::kIdcFirstList + c.list)->click();
      QCOMPARE(ok->text(), QString(c.okText));
      QVERIFY2(ok->isEnabled(), std::to_string(c.list).c_str());
      QCOMPARE(sheet->IsControlEnabled(CReportsPropSheet::kIdcPreview), c.preview);
      QCOMPARE(page->IsControlEnabled(CListsPage::kIdcOptions), c.options);
      QCOMPARE(page->IsControlEnabled(CListsPage::kIdcSearch), c.search);
      QCOMPARE(rpt::ChosenListIndex(), c.list);
    }
    QVERIFY(!sheet->IsControlEnabled(CReportsPropSheet::kIdcTitles));
    QVERIFY(!sheet->IsControlEnabled(CReportsPropSheet::kIdcFonts));
  }

  void previewOfAListReachesTheView() {
    auto sheet = MakeSheet();
    CListsPage* page = PageOf(*sheet);
    QVERIFY(page);
    Ctl<QRadioButton>(*page, CListsPage::kIdcFirstList + 2)->click();
    page->Options().RinEnd() = 2;
    Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcPreview)->click();
    QCOMPARE(view_.calls, (std::vector<std::string>{
                              "kind 102", "post " + std::to_string(shell::kIdFilePrintPreview)}));
    QCOMPARE(rpt::CurrentReportRequest().startRin, adam_);
    QCOMPARE(rpt::CurrentReportRequest().endRin, 2);
    QCOMPARE(profile_.GetInt("LstRpt", "PageLM", 0), 400);
  }

  void citationsListRunsForTheSourcePickedInSelectSource() {
    CSourceRecord ledger;
    ledger.title = "Town Ledger";
    const std::int32_t ledgerRin = DbAddRecord(db::kSource, 0, &ledger);
    CSourceRecord bible;
    bible.title = "Family Bible";
    QVERIFY(DbAddRecord(db::kSource, 0, &bible) > 0);
    QVERIFY(ledgerRin > 0);
    // With a memorized citation the dialog would offer it; here it has no use.
    sources::MemorizedCitation().sourceRin = ledgerRin;
    for (bool pick : {false, true}) {
      view_ = FakeView();
      view_.rin = adam_;
      rpt::CurrentReportRequest() = {};
      auto sheet = MakeSheet();
      CListsPage* page = PageOf(*sheet);
      QVERIFY(page);
      Ctl<QRadioButton>(*page, CListsPage::kIdcFirstList + 11)->click();
      bool asked = false, memorizedShown = true;
      QTimer::singleShot(0, [&] {
        auto* dialog =
            qobject_cast<notesui::CSelectSourceDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        asked = true;
        memorizedShown =
            dialog->GetControl(notesui::CSelectSourceDialog::kIdcUseMemorized)->isVisible();
        Shot(*dialog, "lists_select_source");
        if (!pick) {
          dialog->reject();
          return;
        }
        auto* list = dialog->Control<QListWidget>(notesui::CSelectSourceDialog::kIdcList);
        const auto found = list->findItems(QStringLiteral("Town Ledger"), Qt::MatchExactly);
        if (found.size() == 1) list->setCurrentItem(found.front());
        dialog->Control<QPushButton>(fw::kIdOk)->click();
      });
      Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcPreview)->click();
      QVERIFY(asked);
      QVERIFY(!memorizedShown);
      if (pick) {
        QCOMPARE(view_.calls,
                 (std::vector<std::string>{"kind 111",
                                           "post " + std::to_string(shell::kIdFilePrintPreview)}));
        QCOMPARE(rpt::CurrentReportRequest().sourceRin, ledgerRin);
        // The starting person is not taken for the source.
        QVERIFY(rpt::CurrentReportRequest().startRin != ledgerRin);
      } else {
        // Closing the choice starts nothing.
        QVERIFY(view_.calls.empty());
        QCOMPARE(rpt::CurrentReportRequest().sourceRin, 0);
      }
    }
    sources::MemorizedCitation().sourceRin = 0;
  }

  void rinRangeChecks() {
    // The dialog holds 1 to 10; a start beyond the end held before is
    // taken with a larger end, and a range the wrong way round is refused
    // by the order check, never as "between 9 and 3".
    const struct {
      const char *start, *end;
      bool accepted;
      const char* message;  // empty: none
    } cases[] = {
        {"5", "5", true, ""},
        {"2", "9", true, ""},
        {"0", "4", true, ""},
        {"10", "30", true, ""},
        {"12", "20", true, ""},
        {"9", "3", false, "The ending RIN must be larger than starting RIN."},
        {"12", "11", false, "The ending RIN must be larger than starting RIN."},
        {"x", "3", false, "Please enter an integer."},
        {"4", "", false, "Please enter an integer."},
    };
    for (const auto& c : cases) {
      boxes_.Clear();
      CRinRangeDialog dialog;
      dialog.startRin = 1;
      dialog.endRin = 10;
      dialog.show();
      Type(dialog, CRinRangeDialog::kIdcStart, c.start);
      Type(dialog, CRinRangeDialog::kIdcEnd, c.end);
      dialog.accept();
      QCOMPARE(dialog.result() == fw::kIdOk, c.accepted);
      if (c.accepted) {
        QVERIFY(boxes_.Calls().empty());
        QCOMPARE(dialog.startRin, std::atoi(c.start));
        QCOMPARE(dialog.endRin, std::atoi(c.end));
      } else {
        QCOMPARE(boxes_.Calls().size(), std::size_t{1});
        QCOMPARE(boxes_.Calls()[0].text, std::string(c.message));
      }
      Shot(dialog, "lists_rin");
    }
  }

  void nameRangeIgnoresCase() {
    const struct {
      const char *start, *end;
      bool accepted;
    } cases[] = {{"hart", "HART", true}, {"Smith", "Hart", false}, {"", "Z", true}};
    for (const auto& c : cases) {
      boxes_.Clear();
      CNameRangeDialog dialog;
      dialog.show();
      Type(dialog, CNameRangeDialog::kIdcStart, c.start);
      Type(dialog, CNameRangeDialog::kIdcEnd, c.end);
      dialog.accept();
      QCOMPARE(dialog.result() == fw::kIdOk, c.accepted);
      if (!c.accepted) {
        QCOMPARE(boxes_.Calls().size(), std::size_t{1});
        QCOMPARE(boxes_.Calls()[0].text,
                 std::string("The ending name must be larger than the starting name."));
      }
      Shot(dialog, "lists_names");
    }
  }

  void marriageSortKeepsMrinWhenOutOfRange() {
    profile_.SetInt("MarLst", "Sort", 0);
    CMarriageListOptionsDialog dialog;
    dialog.firstMrin = 1;
    dialog.lastMrin = 4;
    dialog.startMrin = 1;
    dialog.endMrin = 4;
    dialog.show();
    QCOMPARE(Ctl<QLabel>(dialog, CMarriageListOptionsDialog::kIdcStartLabel)->text(),
             QString("&Start MRIN:"));
    Shot(dialog, "lists_marriages");
    Type(dialog, CMarriageListOptionsDialog::kIdcEnd, "9");
    Ctl<QRadioButton>(dialog, CMarriageListOptionsDialog::kIdcMrin + 1)->click();
    QVERIFY(Ctl<QRadioButton>(dialog, CMarriageListOptionsDialog::kIdcMrin)->isChecked());
    QCOMPARE(dialog.sort, 0);
    // A good MRIN lets the sort change; the edits show the names.
    dialog.startName = "Adams";
    Type(dialog, CMarriageListOptionsDialog::kIdcEnd, "3");
    Ctl<QRadioButton>(dialog, CMarriageListOptionsDialog::kIdcMrin + 2)->click();
    QCOMPARE(dialog.sort, 2);
    QCOMPARE(dialog.endMrin, 3);
    QCOMPARE(Ctl<QLineEdit>(dialog, CMarriageListOptionsDialog::kIdcStart)->text(),
             QString("Adams"));
    QCOMPARE(Ctl<QLabel>(dialog, CMarriageListOptionsDialog::kIdcEndLabel)->text(),
             QString("&End name:"));
    dialog.accept();
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(profile_.GetInt("MarLst", "Sort", -1), 2);
  }

  void endOfLineTypeStoredEvenOnCancel() {
    CEndOfLineOptionsDialog dialog("Adam Hart");
    dialog.show();
    QVERIFY(dialog.IsControlEnabled(CEndOfLineOptionsDialog::kIdcSelection));
    Shot(dialog, "lists_eol");
    Ctl<QRadioButton>(dialog, CEndOfLineOptionsDialog::kIdcAll)->click();
    QVERIFY(!dialog.IsControlEnabled(CEndOfLineOptionsDialog::kIdcSelection));
    dialog.reject();
    QCOMPARE(profile_.GetInt("EOLRpt", "Type", -1), 0);
  }

  void reunionYearFollowsInclude() {
    options_.famReunAll = 0;
    options_.famReunYr = 2000;
    CFamilyReunionOptionsDialog dialog(options_);
    dialog.show();
    QVERIFY(!dialog.IsControlEnabled(CFamilyReunionOptionsDialog::kIdcYear));
    Ctl<QCheckBox>(dialog, CFamilyReunionOptionsDialog::kIdcIncludeAll)->click();
    QVERIFY(dialog.IsControlEnabled(CFamilyReunionOptionsDialog::kIdcYear));
    Shot(dialog, "lists_reunion");
    Ctl<QRadioButton>(dialog, CFamilyReunionOptionsDialog::kIdcPhone + 2)->click();
    Type(dialog, CFamilyReunionOptionsDialog::kIdcYear, "1990");
    dialog.accept();
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(options_.famReunType, 2);
    QCOMPARE(options_.famReunAll, 1);
    QCOMPARE(options_.famReunYr, 1990);
  }

  void possibleProblemsRangesSwapAndCheck() {
    rpt::CListsPageOptions page(true, nullptr, {1, 3, 0, 0}, false);
    page.NameStart() = "hart";
    page.NameEnd() = "HART";
    CPossibleProblemsDialog dialog(page);
    dialog.show();
    QCOMPARE(Ctl<QLineEdit>(dialog, CPossibleProblemsDialog::kIdcStart)->text(), QString("1"));
    Ctl<QRadioButton>(dialog, CPossibleProblemsDialog::kIdcRin + 1)->click();
    QCOMPARE(Ctl<QLineEdit>(dialog, CPossibleProblemsDialog::kIdcStart)->text(), QString("hart"));
    Shot(dialog, "lists_problems");
    Ctl<QRadioButton>(dialog, CPossibleProblemsDialog::kIdcRin)->click();
    Type(dialog, CPossibleProblemsDialog::kIdcEnd, "7");
    dialog.accept();
    QVERIFY(dialog.result() != fw::kIdOk);
    QCOMPARE(boxes_.Calls().back().text, std::string("Please type a number between 1 and 3."));
    Ctl<QRadioButton>(dialog, CPossibleProblemsDialog::kIdcRin + 1)->click();
    dialog.accept();
    QCOMPARE(dialog.result(), fw::kIdOk);
    dialog.GiveBack(page);
    QCOMPARE(page.problems.sort, 1);
    QCOMPARE(page.NameEnd(), std::string("HART"));
  }

  void zelDialogsWriteTheirKeys() {
    for (bool sealings : {false, true}) {
      CZelListDialog dialog(sealings);
      dialog.firstMrin = 1;
      dialog.lastMrin = 5;
      dialog.values.startMrin = 1;
      dialog.values.endMrin = 5;
      dialog.show();
      Shot(dialog, sealings ? "lists_zel_sealings" : "lists_zel_ordinances");
      Type(dialog, CZelListDialog::kIdcStartYear, "1850");
      dialog.accept();
      QCOMPARE(dialog.result(), fw::kIdOk);
      QCOMPARE(profile_.GetInt("ZELRpt", "StartYr", 0), 1850);
      QCOMPARE(profile_.GetInt("ZELRpt", "EndId", -1), sealings ? 5 : -1);
    }
  }
};

QTEST_MAIN(ListsPageTest)
#include "listspage_qtest.moc"
