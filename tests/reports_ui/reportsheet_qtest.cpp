// The Reports and Charts sheet offscreen: its pages in tab order, Print and
// Preview only for report kinds that can run, the road to the view's
// command, the Page Setup minimums, the two pages' controls, and the chart
// option dialogs. With KORVANE_SHOTS=<folder> pictures of the sheet (in
// English and with the wider Help of another language) and of the dialogs
// are kept there for looking at.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "AppOptions.h"
#include "ChartOptionDialogs.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportSheetPages.h"
#include "ReportSheetTestKit.h"
#include "ReportsPropSheet.h"

namespace {

std::int32_t AddPerson(const char* given, const char* surname, char sex) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

// Closes the modal window that opens next with Cancel.
void CancelNextModal() {
  QTimer::singleShot(0, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
}

}  // namespace

class ReportSheetTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CReportsPropSheet> MakeSheet(int openPage = 0,
                                               const std::string& language = "EN") {
    CReportsPropSheet::Environment env;
    env.options = &options_;
    env.printer = &printer_;
    env.languageUi = language;
    env.marriagesList = &list_;
    env.browseMarriage = [](std::int32_t low, std::int32_t) { return low; };
    env.findPerson = [this](std::int32_t, const std::string&) { return foundRin_; };
    env.findMarriage = [this](std::int32_t, const std::string&) { return foundMrin_; };
    auto sheet = std::make_unique<CReportsPropSheet>(view_, env, openPage);
    sheet->show();
    return sheet;
  }
  template <class W>
  static W* Ctl(fw::CDialogBase& dialog, int id) {
    W* widget = dialog.Control<W>(id);
    if (widget == nullptr) qFatal("control %d missing", id);
    return widget;
  }

  QTemporaryDir dir_;
  plat::FakeProfile profile_;
  plat::FakeMessageBox boxes_;
  std::unique_ptr<plat::ScopedProfile> profileScope_;
  std::unique_ptr<plat::ScopedMessageBox> boxScope_;
  CAppOptions options_;
  QPrinter printer_;
  std::string list_;
  FakeView view_;
  std::int32_t adam_ = 0, beth_ = 0, cole_ = 0, mrin_ = 0;
  std::int32_t foundRin_ = 0, foundMrin_ = 0;  // what the Find dialog answers

 private slots:
  void initTestCase() {
    const std::string path = dir_.filePath("sheet.orv").toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    adam_ = AddPerson("Adam", "Hart", 'M');
    beth_ = AddPerson("Beth", "Hart", 'F');
    cole_ = AddPerson("Cole", "Hart", 'M');
    mrin_ = DbSetRelation(adam_, beth_, db::kRelHusband, 0);
    QVERIFY(mrin_ > 0);
    QVERIFY(DbSetRelation(cole_, 0, db::kRelParents, mrin_) > 0);
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setPageSize(QPageSize(QPageSize::Letter));
    RegisterPedigreeAndFamilyGroupPages();
  }
  void cleanupTestCase() {
    DbCloseCurrent();
    RegisterReportSheetPage(rpt::kPagePedigree, nullptr);
    RegisterReportSheetPage(rpt::kPageFamilyGroup, nullptr);
  }
  void init() {
    profileScope_ = std::make_unique<plat::ScopedProfile>(&profile_);
    boxScope_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    profile_ = plat::FakeProfile();
    boxes_.Clear();
    options_ = CAppOptions();
    options_.appendVal = 1;
    view_ = FakeView();
    view_.recordRtf = true;  // these tests follow the RTF switch too
    view_.rin = adam_;
    view_.mrin = mrin_;
    rpt::CurrentReportRunState() = {};
    rpt::CurrentReportRequest() = {};
    rpt::ReportChoiceSlot().reset();
    RegisterGenerator(rpt::GeneratorClass::kPedigree, true);
    RegisterGenerator(rpt::GeneratorClass::kFamilyGroup, false);
  }
  void cleanup() {
    RegisterGenerator(rpt::GeneratorClass::kPedigree, false);
    RegisterGenerator(rpt::GeneratorClass::kFamilyGroup, false);
    boxScope_.reset();
    profileScope_.reset();
  }

  void pagesInTabOrderWithPrintOnlyForKindsThatRun() {
    // Registered in the other order, shown in tab order.
    RegisterReportSheetPage(rpt::kPagePedigree, nullptr);
    RegisterReportSheetPage(rpt::kPageFamilyGroup,
                            [](CReportsPropSheet& s) { return new CFamilyGroupPage(s); });
    RegisterReportSheetPage(rpt::kPagePedigree,
                            [](CReportsPropSheet& s) { return new CPedigreePage(s); });
    auto sheet = MakeSheet();
    auto* tabs = sheet->findChild<QTabWidget*>();
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QString("Pedigree"));
    QCOMPARE(tabs->tabText(1), QString("Family Group"));
    QCOMPARE(sheet->windowTitle(), QString("Reports and Charts"));
    auto* ok = Ctl<QPushButton>(*sheet, fw::kIdOk);
    QCOMPARE(ok->text(), QString("Pri&nt"));
    QVERIFY(ok->isEnabled());
    QVERIFY(sheet->IsControlEnabled(CReportsPropSheet::kIdcPreview));
    QVERIFY(!sheet->IsControlEnabled(CReportsPropSheet::kIdcTitles));
    QVERIFY(sheet->IsControlEnabled(CReportsPropSheet::kIdcFonts));
    // The Family Group kind has no generator here.
    tabs->setCurrentIndex(1);
    QVERIFY(!ok->isEnabled());
    QVERIFY(!sheet->IsControlEnabled(CReportsPropSheet::kIdcPreview));
    RegisterGenerator(rpt::GeneratorClass::kFamilyGroup, true);
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(1);
    QVERIFY(ok->isEnabled());
    QVERIFY(sheet->IsControlEnabled(CReportsPropSheet::kIdcPreview));
    RegisterGenerator(rpt::GeneratorClass::kPedigree, false);
    tabs->setCurrentIndex(0);
    QVERIFY(!ok->isEnabled());
    // The page left last is where the next sheet opens.
    sheet.reset();
    QCOMPARE(rpt::NextReportSheetPage(), 0);
  }

  void previewPostsAfterTheFileSwitchAndCloses() {
    auto sheet = MakeSheet();
    auto* page = qobject_cast<CPedigreePage*>(sheet->CurrentPage());
    QVERIFY(page);
    QCOMPARE(page->GetControlText(CPedigreePage::kIdcName),
             std::string("Adam Hart-") + std::to_string(adam_));
    Ctl<QCheckBox>(*sheet, CReportsPropSheet::kIdcPrintToFile)->click();
    QCOMPARE(profile_.GetInt("Reports", "PrintToFile", 0), 1);
    Ctl<QRadioButton>(*page, CPedigreePage::kIdcSinglePage + 1)->click();  // cascading
    Ctl<QLineEdit>(*page, CPedigreePage::kIdcGenerations)->setText("12");
    Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcPreview)->click();
    QCOMPARE(view_.calls, (std::vector<std::string>{"rtf on", "kind 1", "post 57609"}));
    QCOMPARE(sheet->result(), fw::kIdOk);
    QVERIFY(!sheet->Model().PrintOnOk());
    QCOMPARE(rpt::CurrentReportRunState().printState, 2);
    const rpt::ReportRequest& request = rpt::CurrentReportRequest();
    QCOMPARE(request.mode, 2);
    QCOMPARE(request.count, 12);
    QCOMPARE(request.startRin, adam_);
    QCOMPARE(request.familyMrin, mrin_);
    QCOMPARE(profile_.GetInt("PedRpt", "ChartType", -1), 1);
    QCOMPARE(profile_.GetInt("PedRpt", "TotGens", -1), 12);
  }

  void aStartingPersonsNameIsShownAsTyped() {
    const std::int32_t nan = AddPerson("Anna <b>\"Nan\"", "<Jones>", 'F');
    view_.rin = nan;
    auto sheet = MakeSheet();
    auto* page = qobject_cast<CPedigreePage*>(sheet->CurrentPage());
    QVERIFY(page);
    auto* name = Ctl<QLabel>(*page, CPedigreePage::kIdcName);
    QCOMPARE(name->textFormat(), Qt::PlainText);
    QVERIFY(name->text().contains(QStringLiteral("Anna <b>\"Nan\" <Jones>")));
    QVERIFY(DbDeleteRecord(nan, db::kIndividual) == 1);
  }

  void failedCheckStopsPreviewButClosesPrint() {
    profile_.SetInt("PedRpt", "PageLM", 2000);  // 8.5 - 2.0 - 0.3 < 6.5 ... width 6.2 passes
    profile_.SetInt("PedRpt", "PageTM", 3000);  // 11 - 3.0 - 0.3 = 7.7 passes
    profile_.SetInt("PedRpt", "PageRM", 2000);  // width 4.5 fails
    {
      auto sheet = MakeSheet();
      Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcPreview)->click();
      QVERIFY(sheet->isVisible());
      QCOMPARE(view_.calls, (std::vector<std::string>{"rtf off"}));
      QCOMPARE(boxes_.Calls().size(), size_t(1));
      // The refusal, what is missing and where to change it.
      const std::string& text = boxes_.Calls()[0].text;
      QVERIFY2(
          text.starts_with("This report requires more printable\narea than you have allowed.\n\n"
                           "Please make adjustments in Page Setup.\n\nThe printable width is "),
          text.c_str());
      QVERIFY2(text.find("less than the 6.000\" this report needs.\nPage Setup in the Reports and "
                         "Charts window sets the paper and the margins.") != std::string::npos,
               text.c_str());
      // The sheet stays open, so nothing is left to reopen it.
      QCOMPARE(rpt::CurrentReportRunState().printState, 0);
    }
    view_.calls.clear();
    auto sheet = MakeSheet();
    Ctl<QPushButton>(*sheet, fw::kIdOk)->click();
    QVERIFY(!sheet->isVisible());
    QCOMPARE(view_.calls, (std::vector<std::string>{"rtf off"}));
    QCOMPARE(rpt::CurrentReportRunState().printState, 6);
    // The reopened sheet keeps the choices and resets the state.
    sheet.reset();
    auto again = MakeSheet();
    QCOMPARE(rpt::CurrentReportRunState().printState, 0);
    QCOMPARE(again->Model().StartingRin(), adam_);
  }

  void closeWritesTheShownPagesAndDropsTheChoices() {
    auto sheet = MakeSheet();
    auto* page = qobject_cast<CPedigreePage*>(sheet->CurrentPage());
    Ctl<QRadioButton>(*page, CPedigreePage::kIdcNoIndex + 2)->click();  // index only
    Ctl<QPushButton>(*sheet, fw::kIdCancel)->click();
    QVERIFY(!sheet->isVisible());
    QCOMPARE(profile_.GetInt("PedRpt", "IndexType", -1), 2);
    // The Family Group page was never shown: nothing of it is read or written.
    QVERIFY(boxes_.Calls().empty());
    QCOMPARE(profile_.GetInt("FgrRpt", "Type", -1), -1);
    QVERIFY(!rpt::ReportChoiceSlot());
  }

  void pageSetupTakesExactlyTheMinimum() {
    auto sheet = MakeSheet();
    // Pedigree: 6.0 x 6.5 inches on letter paper.
    QVERIFY(sheet->TakePageSetup(8500, 11000, {1000, 2000, 1500, 2500}));
    QCOMPARE(sheet->CurrentPage()->Logic().Margins(), (rpt::PageMargins{1000, 2000, 1500, 2500}));
    QVERIFY(boxes_.Calls().empty());
    QVERIFY(!sheet->TakePageSetup(8500, 11000, {1001, 2000, 1500, 2500}));
    QVERIFY(!sheet->TakePageSetup(8500, 11000, {1000, 2000, 1500, 2501}));
    QCOMPARE(sheet->CurrentPage()->Logic().Margins(), (rpt::PageMargins{1000, 2000, 1500, 2500}));
    QCOMPARE(boxes_.Calls().size(), size_t(2));
    QCOMPARE(boxes_.Calls()[0].caption, std::string("Pedigree Chart Margins"));
    QCOMPARE(boxes_.Calls()[0].text,
             std::string("Pedigree Charts require a minimum of 6.0\"\nof printable width, and "
                         "6.5\" of\nprintable height.  Please readjust\nyour margin or paper "
                         "size selections."));
    QCOMPARE(boxes_.Calls()[0].flags & plat::kMbIconMask, unsigned(plat::kMbIconExclamation));
  }

  void pageSetupDialogKeepsTheMarginsInThousandths() {
    profile_.SetInt("FgrRpt", "PageLM", 750);
    auto sheet = MakeSheet(1);
    const QMarginsF own = printer_.pageLayout().margins(QPageLayout::Inch);
    QString caption;
    QTimer::singleShot(0, [&caption] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        caption = modal->windowTitle();
        QMetaObject::invokeMethod(modal, "accept");
      }
    });
    Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcPageSetup)->click();
    QCOMPARE(caption, QString("Family Group Record Margins"));
    QVERIFY(boxes_.Calls().empty());
    QCOMPARE(sheet->CurrentPage()->Logic().Margins(), (rpt::PageMargins{750, 300, 300, 300}));
    // The printer keeps its own margins: the devices take them as the offset
    // of what it can print, under the report's margins.
    const QMarginsF after = printer_.pageLayout().margins(QPageLayout::Inch);
    QCOMPARE(qRound(after.left() * 1000), qRound(own.left() * 1000));
    QCOMPARE(qRound(after.top() * 1000), qRound(own.top() * 1000));
    QVERIFY(qRound(after.left() * 1000) != 750);
  }

  void wallChartWarningOnThePrintersColumns() {
    auto sheet = MakeSheet();
    rpt::WallChartSample narrow;  // the name alone: well under two inches
    const std::string font = "Times New Roman;Bold;10pt";
    QVERIFY(sheet->CheckWallChartFit(narrow, 4, font, font));
    QVERIFY(boxes_.Calls().empty());
    rpt::WallChartSample wide = narrow;
    wide.photo = true;
    wide.photoWidth = 3000;  // beside the text: wider than 8 inches over 4 columns
    boxes_.QueueAnswer(plat::kIdCancel);
    QVERIFY(!sheet->CheckWallChartFit(wide, 4, font, font));
    QCOMPARE(boxes_.Calls().size(), size_t(1));
    QCOMPARE(boxes_.Calls()[0].caption, std::string("Wall Chart Warning"));
    QCOMPARE(boxes_.Calls()[0].flags, unsigned(plat::kMbOkCancel | plat::kMbIconInformation));
    boxes_.QueueAnswer(plat::kIdOk);
    QVERIFY(sheet->CheckWallChartFit(wide, 4, font, font));
    // One generation per page leaves the whole width to the box.
    boxes_.Clear();
    QVERIFY(sheet->CheckWallChartFit(wide, 1, font, font));
    QVERIFY(boxes_.Calls().empty());
  }

  void pedigreeControlsFollowChartTypeAndNumbering() {
    auto sheet = MakeSheet();
    auto* page = qobject_cast<CPedigreePage*>(sheet->CurrentPage());
    QVERIFY(page);
    QVERIFY(!page->GetControl(CPedigreePage::kIdcSinglePage + 3)->isVisibleTo(page));  // no VIP
    Ctl<QRadioButton>(*page, CPedigreePage::kIdcSinglePage + 2)->click();              // blank form
    QVERIFY(!page->IsControlEnabled(CPedigreePage::kIdcSearch));
    QVERIFY(!page->IsControlEnabled(CPedigreePage::kIdcFirstChart));
    Ctl<QRadioButton>(*page, CPedigreePage::kIdcSinglePage + 1)->click();  // cascading
    QVERIFY(page->IsControlEnabled(CPedigreePage::kIdcGenerations));
    QVERIFY(page->IsControlEnabled(CPedigreePage::kIdcContinuation));
    Ctl<QComboBox>(*page, CPedigreePage::kIdcGensPerPage)->setCurrentIndex(1);  // 5
    Ctl<QLineEdit>(*page, CPedigreePage::kIdcFirstChart)->setText("3");
    Ctl<QRadioButton>(*page, CPedigreePage::kIdcFixed)->click();
    QCOMPARE(page->GetControlText(CPedigreePage::kIdcSameAs), std::string("17"));
    QCOMPARE(page->GetControlText(CPedigreePage::kIdcOnChart), std::string("1"));
    QCOMPARE(page->GetControlText(CPedigreePage::kIdcContinuation), std::string("34"));
    QCOMPARE(page->GetControlText(CPedigreePage::kIdcGenerations), std::string("37"));
    QVERIFY(!page->IsControlEnabled(CPedigreePage::kIdcSameAs));
    QVERIFY(!page->IsControlEnabled(CPedigreePage::kIdcContinuation));
    // A chart number beyond 32 bits draws the range message and stays.
    Ctl<QLineEdit>(*page, CPedigreePage::kIdcFirstChart)->setText("4294967296");
    QVERIFY(!page->OnKillActive());
    QCOMPARE(boxes_.Calls().back().text,
             std::string("Please enter an integer between 0 and 4294967295."));
    Ctl<QLineEdit>(*page, CPedigreePage::kIdcFirstChart)->setText("4294967295");
    QVERIFY(page->OnKillActive());
    QCOMPARE(page->Options().firstChart, 4294967295u);
    // Photos on enables the sheet's Photos button.
    QVERIFY(!sheet->IsControlEnabled(CReportsPropSheet::kIdcPhotos));
    Ctl<QCheckBox>(*page, CPedigreePage::kIdcPhotos)->click();
    QVERIFY(sheet->IsControlEnabled(CReportsPropSheet::kIdcPhotos));
  }

  void familyGroupCoupleAndUseList() {
    auto sheet = MakeSheet(1);
    auto* page = qobject_cast<CFamilyGroupPage*>(sheet->CurrentPage());
    QVERIFY(page);
    QCOMPARE(page->GetControlText(CFamilyGroupPage::kIdcMrin), std::to_string(mrin_));
    QCOMPARE(page->GetControlText(CFamilyGroupPage::kIdcSpouse),
             std::string("Beth Hart-") + std::to_string(beth_));
    QVERIFY(Ctl<QRadioButton>(*page, CFamilyGroupPage::kIdcParent)->isChecked());
    Ctl<QRadioButton>(*page, CFamilyGroupPage::kIdcSingleFamily + 1)->click();
    QVERIFY(page->IsControlEnabled(CFamilyGroupPage::kIdcGenerations));
    CancelNextModal();  // the list editor opens at once
    Ctl<QCheckBox>(*page, CFamilyGroupPage::kIdcUseList)->click();
    QCOMPARE(page->GetControlText(CFamilyGroupPage::kIdcMrin), std::string("See List"));
    QCOMPARE(page->GetControlText(CFamilyGroupPage::kIdcSearch), std::string("Edit List"));
    QVERIFY(Ctl<QRadioButton>(*page, CFamilyGroupPage::kIdcSingleFamily)->isChecked());
    QVERIFY(!page->IsControlEnabled(CFamilyGroupPage::kIdcSingleFamily + 1));
    QVERIFY(!page->IsControlEnabled(CFamilyGroupPage::kIdcSingleFamily + 2));
    Ctl<QCheckBox>(*page, CFamilyGroupPage::kIdcUseList)->click();
    QCOMPARE(page->GetControlText(CFamilyGroupPage::kIdcMrin), std::to_string(mrin_));
    QCOMPARE(page->GetControlText(CFamilyGroupPage::kIdcSearch), std::string("&Search"));
    // Notes checks: source and general notes store 3.
    Ctl<QCheckBox>(*page, CFamilyGroupPage::kIdcSourceNotes)->click();
    QVERIFY(page->IsControlEnabled(CFamilyGroupPage::kIdcTitlesOnly));
    QVERIFY(!page->IsControlEnabled(CFamilyGroupPage::kIdcMarkedOnly));
    Ctl<QCheckBox>(*page, CFamilyGroupPage::kIdcGeneralNotes)->click();
    QVERIFY(page->IsControlEnabled(CFamilyGroupPage::kIdcMarkedOnly));
    QVERIFY(page->OnKillActive());
    QCOMPARE(profile_.GetInt("FgrRpt", "SourceNotes", -1), 3);
    // A child of the family: Child role, and the family is the parents'.
    view_.rin = cole_;
    view_.mrin = 0;
    rpt::ReportChoiceSlot().reset();
    auto child = MakeSheet(1);
    auto* childPage = qobject_cast<CFamilyGroupPage*>(child->CurrentPage());
    QVERIFY(Ctl<QRadioButton>(*childPage, CFamilyGroupPage::kIdcChild)->isChecked());
    QCOMPARE(childPage->GetControlText(CFamilyGroupPage::kIdcMrin), std::to_string(mrin_));
  }

  void rememberedPersonNoLongerReadableClosesTheSheet() {
    // Reopened after a stopped print: the kept couple names RIN 999.
    rpt::CurrentReportRunState().printState = 6;
    rpt::ReportChoiceSlot() = std::make_unique<CReportChoiceState>();
    rpt::ReportChoiceSlot()->coupleSet = 1;
    rpt::ReportChoiceSlot()->familyGroupRin = 999;
    auto sheet = MakeSheet(1);
    QTRY_VERIFY(!sheet->isVisible());
    QCOMPARE(sheet->result(), fw::kIdCancel);
    // Still readable: the sheet stays.
    rpt::CurrentReportRunState().printState = 6;
    rpt::ReportChoiceSlot()->familyGroupRin = cole_;
    auto kept = MakeSheet(1);
    QTest::qWait(20);
    QVERIFY(kept->isVisible());
  }

  void buttonsOpenTheirDialogsForTheCurrentPage() {
    auto sheet = MakeSheet();
    // Reads the next modal window's title and the text of one of its
    // controls, then closes it.
    auto peek = [](QString& title, int id, std::string& text) {
      QTimer::singleShot(0, [&title, id, &text] {
        if (auto* modal = qobject_cast<fw::CDialogBase*>(QApplication::activeModalWidget())) {
          title = modal->windowTitle();
          if (id != 0) text = modal->GetControlText(id);
          modal->close();
        }
      });
    };
    QString title;
    std::string text;
    peek(title, 0, text);
    Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcFonts)->click();
    QCOMPARE(title, QString("Fonts for Pedigree"));
    auto* page = qobject_cast<CPedigreePage*>(sheet->CurrentPage());
    Ctl<QCheckBox>(*page, CPedigreePage::kIdcPhotos)->click();
    peek(title, CPhotoOptionsDialog::kIdcWidth, text);
    Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcPhotos)->click();
    QCOMPARE(title, QString("Photo Options for Pedigree"));
    QCOMPARE(text, std::string("1.000\""));
    sheet->ShowPageOfKind(rpt::kPageFamilyGroup);
    peek(title, 0, text);
    Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcFonts)->click();
    QCOMPARE(title, QString("Fonts for Family Group Record"));
  }

  void searchChangesTheStartingPersonAndTheCouple() {
    auto sheet = MakeSheet();
    auto* page = qobject_cast<CPedigreePage*>(sheet->CurrentPage());
    foundRin_ = cole_;
    Ctl<QPushButton>(*page, CPedigreePage::kIdcSearch)->click();
    QCOMPARE(sheet->Model().StartingRin(), cole_);
    QCOMPARE(page->GetControlText(CPedigreePage::kIdcName),
             std::string("Cole Hart-") + std::to_string(cole_));
    QCOMPARE(page->Options().marriage, 0);
    // Nothing chosen: the person stays.
    foundRin_ = 0;
    Ctl<QPushButton>(*page, CPedigreePage::kIdcSearch)->click();
    QCOMPARE(sheet->Model().StartingRin(), cole_);

    // The Family Group page searches by MRIN; a new marriage shows its couple.
    const std::int32_t second = DbSetRelation(cole_, 0, db::kRelHusband, 0);
    QVERIFY(second > 0);
    sheet->ShowPageOfKind(rpt::kPageFamilyGroup);
    auto* family = qobject_cast<CFamilyGroupPage*>(sheet->CurrentPage());
    foundMrin_ = second;
    Ctl<QPushButton>(*family, CFamilyGroupPage::kIdcSearch)->click();
    QCOMPARE(family->GetControlText(CFamilyGroupPage::kIdcMrin), std::to_string(second));
    QCOMPARE(family->GetControlText(CFamilyGroupPage::kIdcPrimaryName),
             std::string("Cole Hart-") + std::to_string(cole_));
    QCOMPARE(family->GetControlText(CFamilyGroupPage::kIdcSpouse), std::string("UNKNOWN"));
    QVERIFY(DbUnlinkRIN(second, db::kMarriage) != 0);
    QCOMPARE(DbDeleteRecord(second, db::kMarriage), 1);
  }

  void sheetFitsTheScreenInBothLanguages() {
    for (const char* language : {"EN", "DE"}) {
      for (int page : {0, 1}) {
        auto sheet = MakeSheet(page, language);
        sheet->adjustSize();
        QVERIFY2(sheet->width() <= 1024 && sheet->height() <= 768,
                 qPrintable(QString("%1x%2").arg(sheet->width()).arg(sheet->height())));
        Shot(*sheet, (std::string("sheet-") + language + "-" + std::to_string(page)).c_str());
      }
    }
    auto en = MakeSheet(0, "EN");
    auto de = MakeSheet(0, "DE");
    QVERIFY(Ctl<QPushButton>(*de, fw::kIdHelp)->width() >
            Ctl<QPushButton>(*en, fw::kIdHelp)->width());
  }

  void titleDialogJoinsItsParts() {
    CReportTitleDialog dialog;
    dialog.reportName = "Ancestry Chart";
    dialog.personName = "Adam Hart";
    dialog.prefix = "Ancestors of";
    dialog.suffix = "(draft)";
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Ancestry Chart Title"));
    QCOMPARE(dialog.TitleText(), std::string("Ancestors of Adam Hart (draft)"));
    Ctl<QCheckBox>(dialog, CReportTitleDialog::kIdcUseName)->click();
    QCOMPARE(dialog.TitleText(), std::string("Ancestors of (draft)"));
    Shot(dialog, "title");
  }

  void photoDialogCaptionHintAndRefusals() {
    CPhotoOptionsDialog dialog;
    dialog.state.reportIndex = 2;
    dialog.state.hint = true;
    dialog.state.width = 1250;
    dialog.state.height = 750;
    dialog.state.placement = 3;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Photo Options for FGR"));
    QVERIFY(dialog.GetControlText(CPhotoOptionsDialog::kIdcExplanation)
                .find("Leave at 0 for defaults.") != std::string::npos);
    QCOMPARE(dialog.GetControlText(CPhotoOptionsDialog::kIdcWidth), std::string("1.250\""));
    QCOMPARE(dialog.GetControlText(CPhotoOptionsDialog::kIdcHeight), std::string("0.750\""));
    QVERIFY(!dialog.IsControlEnabled(CPhotoOptionsDialog::kIdcLeft + 1));  // Center
    Shot(dialog, "photos");
    Ctl<QLineEdit>(dialog, CPhotoOptionsDialog::kIdcHeight)->setText("10");
    Ctl<QPushButton>(dialog, fw::kIdOk)->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes_.Calls().back().text, std::string("10 is larger than 9.999\""));
    Ctl<QLineEdit>(dialog, CPhotoOptionsDialog::kIdcHeight)->setText("1.2345");
    Ctl<QPushButton>(dialog, fw::kIdOk)->click();
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(dialog.state.height, 1234);
    QCOMPARE(dialog.state.width, 1250);
    QCOMPARE(dialog.state.placement, 3);
  }

  void preferencesDisabledByPage() {
    options_.showZel = 1;
    options_.shading = 1;
    CReportPreferencesDialog dialog(options_);
    dialog.SetDisabled(rpt::ReportPreferencesDisabled(rpt::kPagePedigree));
    dialog.chooseColor = [](std::uint32_t) { return 0x123456u; };
    dialog.show();
    QVERIFY(dialog.IsControlEnabled(CReportPreferencesDialog::kIdcShowZel));
    QVERIFY(!dialog.IsControlEnabled(CReportPreferencesDialog::kIdcShade));
    QVERIFY(!dialog.IsControlEnabled(CReportPreferencesDialog::kIdcHideShade));
    QVERIFY(dialog.IsControlEnabled(CReportPreferencesDialog::kIdcPlaceholders));
    Shot(dialog, "preferences");
    Ctl<QCheckBox>(dialog, CReportPreferencesDialog::kIdcCapitalize)->click();
    Ctl<QCheckBox>(dialog, CReportPreferencesDialog::kIdcPlaceholders)->click();
    Ctl<QPushButton>(dialog, fw::kIdOk)->click();
    QCOMPARE(options_.capSurname, 1);
    QCOMPARE(profile_.GetInt("Multimedia", "MMPPrevPH", 0), 1);
    QCOMPARE(profile_.GetString("Reports", "ShadeClr", ""), std::string("0XF6F6F6"));
    options_.showZel = 0;
    CReportPreferencesDialog hidden(options_);
    hidden.show();
    QVERIFY(!hidden.GetControl(CReportPreferencesDialog::kIdcShowZel)->isVisible());
  }

  void boxStyleSampleAndCalendarWithoutShadow() {
    CWallChartBoxStyleDialog dialog;
    dialog.corner = 1;
    dialog.line = 2;
    dialog.shade = 1;
    dialog.shadow = 1;
    dialog.shadeColor = 0x0000FF;  // red
    dialog.show();
    const QImage sample = dialog.SampleImage(180, 90);
    QCOMPARE(sample.pixelColor(2, 2), QColor(Qt::white));
    QCOMPARE(sample.pixelColor(90, 45), QColor(255, 0, 0));
    Shot(dialog, "boxstyle");
    Ctl<QCheckBox>(dialog, CWallChartBoxStyleDialog::kIdcShade)->click();
    QCOMPARE(dialog.shade, 0);
    QCOMPARE(dialog.SampleImage(180, 90).pixelColor(90, 45), QColor(Qt::white));

    CWallChartBoxStyleDialog calendar;
    calendar.showShadow = 0;
    calendar.caption = "Event Calendar Border Style";
    calendar.show();
    QCOMPARE(calendar.windowTitle(), QString("Event Calendar Border Style"));
    QVERIFY(!calendar.GetControl(CWallChartBoxStyleDialog::kIdcShadow)->isVisible());
    QVERIFY(!calendar.GetControl(CWallChartBoxStyleDialog::kIdcShadowColor)->isVisible());
    Shot(calendar, "boxstyle-calendar");
  }

  void itemPreviewAndExclusivePairs() {
    CWallChartItemsDialog dialog;
    dialog.chart = 1;
    dialog.items.nameBirth = dialog.items.nameMarriage = dialog.items.nameDeath = 1;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Descendants Wall Chart Item Selection"));
    QCOMPARE(dialog.PreviewText(), std::string("Name (b.9999 m.9999 d.9999)"));
    for (int i = 0; i < 3; ++i)
      Ctl<QCheckBox>(dialog, CWallChartItemsDialog::kIdcBirthYear + i)->click();
    QCOMPARE(dialog.PreviewText(), std::string("Name"));
    Ctl<QCheckBox>(dialog, CWallChartItemsDialog::kIdcFirstItem + rpt::kItemBirth)->click();
    Ctl<QCheckBox>(dialog, CWallChartItemsDialog::kIdcFirstItem + rpt::kItemBirthOrChristening)
        ->click();
    QCOMPARE(dialog.GetCheck(CWallChartItemsDialog::kIdcFirstItem + rpt::kItemBirth), 0);
    QCOMPARE(dialog.GetCheck(CWallChartItemsDialog::kIdcFirstItem + rpt::kItemBirthOrChristening),
             1);
    Shot(dialog, "items");
  }

  void itemDialogExchangesEveryItem() {
    using D = CWallChartItemsDialog;
    CWallChartItemsDialog dialog;
    dialog.showZel = false;
    dialog.eventChoices = {"", "Graduation", "Military"};
    dialog.tagChoices = {"", "BIOGRAPHY:", "RESEARCH:"};
    dialog.items.event1 = "Military";
    dialog.items.event2 = "Gone";  // no longer in the file: shows as none
    dialog.items.note2 = "research:";
    dialog.items.linesPerNote = 2;
    dialog.items.zel = 1;
    dialog.show();
    QVERIFY(!dialog.GetControl(D::kIdcZel)->isVisible());
    QCOMPARE(Ctl<QComboBox>(dialog, D::kIdcEvent1)->currentText(), QString("Military"));
    QCOMPARE(Ctl<QComboBox>(dialog, D::kIdcEvent2)->currentIndex(), 0);
    QCOMPARE(Ctl<QComboBox>(dialog, D::kIdcNote2)->currentText(), QString("RESEARCH:"));
    QCOMPARE(Ctl<QComboBox>(dialog, D::kIdcLinesPerNote)->currentText(), QString("3"));
    QCOMPARE(dialog.GetCheck(D::kIdcTagName), 1);
    for (int id : {D::kIdcMarriage, D::kIdcDescription, D::kIdcCauseOfDeath, D::kIdcId, D::kIdcSbn,
                   D::kIdcTagName})
      Ctl<QCheckBox>(dialog, id)->click();
    Ctl<QComboBox>(dialog, D::kIdcNote1)->setCurrentIndex(1);
    Ctl<QComboBox>(dialog, D::kIdcLinesPerNote)->setCurrentIndex(0);
    Shot(dialog, "items-all");
    dialog.accept();
    rpt::WallBoxItems expected;
    expected.marriage = expected.descriptionLine = expected.causeOfDeath = 1;
    expected.id = expected.sbn = expected.zel = 1;
    expected.tagName = 0;
    expected.event1 = "Military";
    expected.note1 = "BIOGRAPHY:";
    expected.note2 = "RESEARCH:";
    QCOMPARE(dialog.items, expected);
  }

  void marriagesListRangeAndBrowse() {
    CFgrMarriagesListDialog dialog;
    dialog.low = 1;
    dialog.high = 250;
    dialog.listText = "3,";
    dialog.browse = [](std::int32_t low, std::int32_t high) {
      return low == 1 && high == 250 ? 42 : 0;
    };
    dialog.show();
    QCOMPARE(dialog.GetControlText(CFgrMarriagesListDialog::kIdcRange), std::string("1 to 250"));
    auto* edit = Ctl<QLineEdit>(dialog, CFgrMarriagesListDialog::kIdcList);
    QCOMPARE(edit->maxLength(), 258);
    edit->setCursorPosition(2);
    dialog.OnBrowse();
    QCOMPARE(edit->text(), QString("3,42"));
    Ctl<QPushButton>(dialog, fw::kIdOk)->click();
    QCOMPARE(dialog.listText, std::string("3,42"));
    Shot(dialog, "marriageslist");
    CFgrMarriagesListDialog rins;
    rins.rinMode = true;
    rins.show();
    QCOMPARE(rins.GetControlText(CFgrMarriagesListDialog::kIdcLabel), std::string("RIN List:"));
  }
};

QTEST_MAIN(ReportSheetTest)
#include "reportsheet_qtest.moc"
