// The Individual Summary, Scrapbook and Calendar pages offscreen: their
// tabs, "Use list" and Select against the filter set, the enabling of the
// dependent controls, what leaving a page stores and the calendar's colours.
// With KORVANE_SHOTS=<folder> pictures of the pages are kept there.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "AppOptions.h"
#include "ChartOptionDialogs.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "PersonReportPages.h"
#include "RecordAccess.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportSheetTestKit.h"
#include "ReportsPropSheet.h"
#include "TitlesDialogName.h"

namespace {

constexpr rpt::GeneratorClass kClasses[] = {
    rpt::GeneratorClass::kBook, rpt::GeneratorClass::kIndividualSummary,
    rpt::GeneratorClass::kScrapbook, rpt::GeneratorClass::kCalendar};

}  // namespace

class PersonPagesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CReportsPropSheet> MakeSheet(int openPage) {
    CReportsPropSheet::Environment env;
    env.options = &options_;
    env.printer = &printer_;
    env.filterSummary = [this] { return filter_; };
    env.selectIndividuals = [this](std::int32_t start) {
      selectedFrom_.push_back(start);
      return true;
    };
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
  static QTabWidget* Tabs(CReportsPropSheet& sheet) { return sheet.findChild<QTabWidget*>(); }

  QTemporaryDir dir_;
  plat::FakeProfile profile_;
  plat::FakeMessageBox boxes_;
  std::unique_ptr<plat::ScopedProfile> profileScope_;
  std::unique_ptr<plat::ScopedMessageBox> boxScope_;
  CAppOptions options_;
  QPrinter printer_;
  FakeView view_;
  rpt::FilterSummary filter_;
  std::vector<std::int32_t> selectedFrom_;
  std::int32_t adam_ = 0;

 private slots:
  void initTestCase() {
    const std::string path = dir_.filePath("pages.orv").toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    CIndividualRecord person;
    person.surname = "Hart";
    person.givenNames[0] = "Adam";
    person.sex = 'M';
    adam_ = static_cast<std::int32_t>(family::Add(person, 0));
    QVERIFY(adam_ > 0);
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setPageSize(QPageSize(QPageSize::Letter));
    RegisterPersonReportPages();
  }
  void cleanupTestCase() {
    DbCloseCurrent();
    for (int kind :
         {rpt::kPageBooks, rpt::kPageIndividualSummary, rpt::kPageScrapbook, rpt::kPageCalendar})
      RegisterReportSheetPage(kind, nullptr);
  }
  void init() {
    profileScope_ = std::make_unique<plat::ScopedProfile>(&profile_);
    boxScope_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    profile_ = plat::FakeProfile();
    boxes_.Clear();
    options_ = CAppOptions();
    options_.appendVal = 1;
    view_ = FakeView();
    view_.rin = adam_;
    filter_ = {};
    selectedFrom_.clear();
    rpt::CurrentReportRunState() = {};
    rpt::CurrentReportRequest() = {};
    rpt::ReportChoiceSlot().reset();
    for (auto cls : kClasses) RegisterGenerator(cls, true);
  }
  void cleanup() {
    for (auto cls : kClasses) RegisterGenerator(cls, false);
    boxScope_.reset();
    profileScope_.reset();
  }

  void tabsAndButtons() {
    auto sheet = MakeSheet(rpt::kPageIndividualSummary - 1);
    QTabWidget* tabs = Tabs(*sheet);
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), QString("Books"));
    QCOMPARE(tabs->tabText(1), QString("Individual Summary"));
    QCOMPARE(tabs->tabText(2), QString("Scrapbook"));
    QCOMPARE(tabs->tabText(3), QString("Calendar"));
    const struct {
      int tab;
      bool titles, photos;
    } cases[] = {{0, true, false}, {1, true, false}, {2, true, true}, {3, true, false}};
    for (const auto& c : cases) {
      tabs->setCurrentIndex(c.tab);
      QCOMPARE(Ctl<QPushButton>(*sheet, fw::kIdOk)->text(), QString("Pri&nt"));
      QVERIFY(sheet->IsControlEnabled(CReportsPropSheet::kIdcPreview));
      QCOMPARE(sheet->IsControlEnabled(CReportsPropSheet::kIdcTitles), c.titles);
      QCOMPARE(sheet->IsControlEnabled(CReportsPropSheet::kIdcPhotos), c.photos);
    }
  }

  void useListShowsTheFilterAndSelects() {
    filter_ = {true, "Hart line", 3};
    auto sheet = MakeSheet(rpt::kPageIndividualSummary - 1);
    auto* page = qobject_cast<CIndividualSummaryPage*>(sheet->CurrentPage());
    QVERIFY(page);
    using P = CIndividualSummaryPage;
    QCOMPARE(Ctl<QGroupBox>(*page, P::kIdcPersonGroup)->title(), QString("Starting Person"));
    QCOMPARE(Ctl<QLabel>(*page, P::kIdcName)->text(),
             QString::fromStdString(sheet->Model().StartingName()));
    Shot(*sheet, "summary_person");
    Ctl<QCheckBox>(*page, P::kIdcUseList)->click();
    QCOMPARE(selectedFrom_, std::vector<std::int32_t>{adam_});
    QCOMPARE(Ctl<QGroupBox>(*page, P::kIdcPersonGroup)->title(), QString("Filter - Hart line"));
    QCOMPARE(Ctl<QLabel>(*page, P::kIdcName)->text(), QString("Individuals: 3"));
    QCOMPARE(Ctl<QPushButton>(*page, P::kIdcSearch)->text(), QString("&Select"));
    Shot(*sheet, "summary_list");
    // Select runs the list again; the file still has individuals, so the
    // sheet stays.
    filter_.count = 5;
    Ctl<QPushButton>(*page, P::kIdcSearch)->click();
    QCOMPARE(selectedFrom_.size(), std::size_t{2});
    QCOMPARE(Ctl<QLabel>(*page, P::kIdcName)->text(), QString("Individuals: 5"));
    QVERIFY(sheet->isVisible());
    Ctl<QCheckBox>(*page, P::kIdcUseList)->click();
    QCOMPARE(Ctl<QPushButton>(*page, P::kIdcSearch)->text(), QString("&Search"));
    QCOMPARE(selectedFrom_.size(), std::size_t{2});
  }

  void summaryNotesAndRinsFollowTheChecks() {
    options_.appendVal = 0;
    auto sheet = MakeSheet(rpt::kPageIndividualSummary - 1);
    auto* page = qobject_cast<CIndividualSummaryPage*>(sheet->CurrentPage());
    QVERIFY(page);
    using P = CIndividualSummaryPage;
    QVERIFY(!page->IsControlEnabled(P::kIdcSuppressRin));
    QVERIFY(Ctl<QCheckBox>(*page, P::kIdcSuppressRin)->isChecked());
    QVERIFY(page->IsControlEnabled(P::kIdcActualText));
    Ctl<QCheckBox>(*page, P::kIdcSourceNotes)->click();
    QVERIFY(!page->IsControlEnabled(P::kIdcTitlesOnly));
    QVERIFY(!page->IsControlEnabled(P::kIdcActualText));
    QVERIFY(!page->IsControlEnabled(P::kIdcComments));
    Ctl<QCheckBox>(*page, P::kIdcGeneralNotes)->click();
    QVERIFY(!page->IsControlEnabled(P::kIdcMarkedOnly));
    Tabs(*sheet)->setCurrentIndex(2);  // leaving stores the section
    QCOMPARE(profile_.GetInt("IndRpt", "Source", -1), 0);
    QCOMPARE(profile_.GetInt("IndRpt", "Notes", -1), 0);
    QCOMPARE(profile_.GetInt("IndRpt", "SuppressRIN", -1), 1);
  }

  void scrapbookKeepsTheLoadedCaptionPosition() {
    profile_.SetInt("ScrapRpt", "Caption", 0);
    profile_.SetInt("ScrapRpt", "CapPos", 0);
    auto sheet = MakeSheet(rpt::kPageScrapbook - 1);
    auto* page = qobject_cast<CScrapbookPage*>(sheet->CurrentPage());
    QVERIFY(page);
    using P = CScrapbookPage;
    QVERIFY(!page->IsControlEnabled(P::kIdcAbove));
    Ctl<QRadioButton>(*page, P::kIdcAbove + 1)->setChecked(true);
    QCOMPARE(Ctl<QLabel>(*page, P::kIdcPhotoSize)->text(),
             QString("Use Photo Size ( 1.000\" x 1.000\") As"));
    Ctl<QSpinBox>(*page, P::kIdcAcross)->setValue(150);  // the spin stops at 99
    Ctl<QCheckBox>(*page, P::kIdcBoxes)->click();
    QVERIFY(!page->IsControlEnabled(P::kIdcBoxStyles));
    Shot(*sheet, "scrapbook");
    Tabs(*sheet)->setCurrentIndex(3);
    QCOMPARE(profile_.GetInt("ScrapRpt", "CapPos", -1), 0);
    QCOMPARE(profile_.GetInt("ScrapRpt", "Across", -1), 99);
    QCOMPARE(profile_.GetInt("ScrapRpt", "Box", -1), 0);
    // With captions on, the shown position is the one stored.
    Tabs(*sheet)->setCurrentIndex(2);
    Ctl<QCheckBox>(*page, P::kIdcCaption)->click();
    QVERIFY(page->IsControlEnabled(P::kIdcAbove));
    Ctl<QRadioButton>(*page, P::kIdcAbove + 1)->click();
    Tabs(*sheet)->setCurrentIndex(0);
    QCOMPARE(profile_.GetInt("ScrapRpt", "CapPos", -1), 1);
  }

  void calendarColoursStoredAtOnceAndAgeChecked() {
    profile_.SetInt("CalendarRpt", "Year", 1930);
    profile_.SetInt("CalendarRpt", "Month", 5);
    filter_ = {true, "Hart line", 4};
    auto sheet = MakeSheet(rpt::kPageCalendar - 1);
    auto* page = qobject_cast<CCalendarPage*>(sheet->CurrentPage());
    QVERIFY(page);
    using P = CCalendarPage;
    QCOMPARE(Ctl<QSpinBox>(*page, P::kIdcYear)->value(), 1930);
    QCOMPARE(Ctl<QComboBox>(*page, P::kIdcMonth)->currentText(), QString("June"));
    QCOMPARE(Ctl<QComboBox>(*page, P::kIdcWeekStart)->count(), 7);
    QCOMPARE(Ctl<QComboBox>(*page, P::kIdcWeekStart)->itemText(6), QString("Saturday"));
    QCOMPARE(Ctl<QGroupBox>(*page, P::kIdcFilterGroup)->title(), QString("Filter - Hart line"));
    QCOMPARE(Ctl<QLabel>(*page, P::kIdcCount)->text(), QString("4"));
    Shot(*sheet, "calendar");
    page->chooseColour = [](std::uint32_t) { return 0x0000FFu; };
    Ctl<QPushButton>(*page, P::kIdcLines)->click();
    QCOMPARE(profile_.GetString("CalendarRpt", "LineClr", ""), std::string("0XFF"));
    // An age limit below 0 keeps the page (the edit takes three characters,
    // so no more than 999 can be typed).
    Ctl<QLineEdit>(*page, P::kIdcAgeUnder)->setText("-1");
    Tabs(*sheet)->setCurrentIndex(0);
    QCOMPARE(Tabs(*sheet)->currentIndex(), 3);
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    QCOMPARE(profile_.GetInt("CalendarRpt", "AgeUnder", -1), -1);
    Ctl<QLineEdit>(*page, P::kIdcAgeUnder)->setText("18");
    Ctl<QComboBox>(*page, P::kIdcMonth)->setCurrentIndex(11);
    Tabs(*sheet)->setCurrentIndex(0);
    QCOMPARE(profile_.GetInt("CalendarRpt", "AgeUnder", -1), 18);
    QCOMPARE(profile_.GetInt("CalendarRpt", "Month", -1), 11);
    QCOMPARE(profile_.GetInt("CalendarRpt", "Year", -1), 1930);
  }

  void calendarYearHeldTo100Through2100() {
    using P = CCalendarPage;
    // The arrows stop at the limits.
    const struct {
      int stored, steps, shown;
    } arrows[] = {{2100, 1, 2100}, {2099, 3, 2100}, {100, -1, 100}, {1930, -2, 1928}};
    for (const auto& a : arrows) {
      profile_.SetInt("CalendarRpt", "Year", a.stored);
      auto sheet = MakeSheet(rpt::kPageCalendar - 1);
      auto* page = qobject_cast<CCalendarPage*>(sheet->CurrentPage());
      QVERIFY(page);
      auto* year = Ctl<QSpinBox>(*page, P::kIdcYear);
      year->stepBy(a.steps);
      QCOMPARE(year->value(), a.shown);
    }
    // A typed or stored year outside the range is refused on Close with the
    // range message and the sheet stays open; a good one closes it.
    const struct {
      int stored;
      const char* typed;  // null: as stored
      bool closes;
    } closes[] = {{1930, "99", false},
                  {3000, nullptr, false},
                  {1930, "2101", false},
                  {1930, "2100", true},
                  {1930, "100", true}};
    for (const auto& c : closes) {
      boxes_.Clear();
      profile_ = plat::FakeProfile();
      profile_.SetInt("CalendarRpt", "Year", c.stored);
      auto sheet = MakeSheet(rpt::kPageCalendar - 1);
      auto* page = qobject_cast<CCalendarPage*>(sheet->CurrentPage());
      QVERIFY(page);
      auto* year = Ctl<QSpinBox>(*page, P::kIdcYear);
      if (c.typed != nullptr) {
        year->clear();
        QTest::keyClicks(year, c.typed);
      }
      sheet->OnClose();
      QCOMPARE(sheet->isVisible(), !c.closes);
      if (c.closes) {
        QVERIFY(boxes_.Calls().empty());
        QCOMPARE(profile_.GetInt("CalendarRpt", "Year", -1), std::atoi(c.typed));
      } else {
        QCOMPARE(boxes_.Calls().size(), std::size_t{1});
        QCOMPARE(boxes_.Calls()[0].text,
                 std::string("Please enter an integer between 100 and 2100."));
        QCOMPARE(profile_.GetInt("CalendarRpt", "Living", -1), -1);
        Shot(*sheet, "calendar-year-refused");
      }
    }
  }

  // Leaving the Year field checks it: a year outside 100 to 2100 draws the
  // range message and the keyboard stays in the field; a good one is taken.
  void calendarYearCheckedOnLeavingTheField() {
    using P = CCalendarPage;
    const struct {
      const char* typed;
      bool refused;
    } cases[] = {{"99", true}, {"2101", true}, {"1850", false}};
    for (const auto& c : cases) {
      boxes_.Clear();
      profile_.SetInt("CalendarRpt", "Year", 1930);
      auto sheet = MakeSheet(rpt::kPageCalendar - 1);
      sheet->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(sheet.get()));
      auto* page = qobject_cast<CCalendarPage*>(sheet->CurrentPage());
      QVERIFY(page);
      auto* year = Ctl<QSpinBox>(*page, P::kIdcYear);
      auto* month = Ctl<QComboBox>(*page, P::kIdcMonth);
      year->setFocus(Qt::TabFocusReason);
      QTRY_VERIFY(year->hasFocus());
      year->clear();
      QTest::keyClicks(year, c.typed);
      month->setFocus(Qt::TabFocusReason);
      QTRY_VERIFY(year->hasFocus() || month->hasFocus());
      QTest::qWait(50);
      if (c.refused) {
        QCOMPARE(boxes_.Calls().size(), std::size_t{1});
        QCOMPARE(boxes_.Calls()[0].text,
                 std::string("Please enter an integer between 100 and 2100."));
        QVERIFY(year->hasFocus());
      } else {
        QVERIFY(boxes_.Calls().empty());
        QVERIFY(month->hasFocus());
        QCOMPARE(year->value(), std::atoi(c.typed));
      }
    }
  }

  void titlesNameTheMonthOrThePerson() {
    // The calendar's title names its month and year; the other pages the
    // starting person, with the RIN only while Suppress RINs is clear.
    profile_.SetInt("CalendarRpt", "Year", 2030);
    profile_.SetInt("CalendarRpt", "Month", 2);
    const std::string rin = "-" + std::to_string(adam_);
    const struct {
      int page;
      int suppressId;  // 0: none
      bool suppress;
      std::string name;
    } cases[] = {
        {rpt::kPageCalendar, 0, false, "March 2030"},
        {rpt::kPageIndividualSummary, CIndividualSummaryPage::kIdcSuppressRin, false,
         "Adam Hart" + rin},
        {rpt::kPageIndividualSummary, CIndividualSummaryPage::kIdcSuppressRin, true, "Adam Hart"},
        {rpt::kPageScrapbook, CScrapbookPage::kIdcSuppressRin, true, "Adam Hart"},
        {rpt::kPageBooks, CBooksPage::kIdcSuppressRin, false, "Adam Hart" + rin},
        {rpt::kPageBooks, CBooksPage::kIdcSuppressRin, true, "Adam Hart"},
    };
    for (const auto& c : cases) {
      profile_.SetInt("ScrapRpt", "SuppressRIN", 0);
      auto sheet = MakeSheet(c.page - 1);
      CReportSheetPage* page = sheet->CurrentPage();
      QVERIFY(page);
      if (c.suppressId != 0) Ctl<QCheckBox>(*page, c.suppressId)->setChecked(c.suppress);
      QCOMPARE(TitlesDialogName(*sheet), c.name);
    }
  }

  void scrapbookPhotosCaptionNamesTheScrapbook() {
    auto sheet = MakeSheet(rpt::kPageScrapbook - 1);
    QString caption;
    QTimer::singleShot(0, [&caption] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        caption = modal->windowTitle();
        Shot(*modal, "scrapbook-photos");
        QMetaObject::invokeMethod(modal, "reject");
      }
    });
    Ctl<QPushButton>(*sheet, CReportsPropSheet::kIdcPhotos)->click();
    QCOMPARE(caption, QString("Photo Options for Scrapbook"));
  }

  void calendarWithoutFilterKeepsTheTemplateTitle() {
    auto sheet = MakeSheet(rpt::kPageCalendar - 1);
    auto* page = qobject_cast<CCalendarPage*>(sheet->CurrentPage());
    QVERIFY(page);
    QCOMPARE(Ctl<QGroupBox>(*page, CCalendarPage::kIdcFilterGroup)->title(),
             QString("Select Filter/Focus"));
    QCOMPARE(Ctl<QLabel>(*page, CCalendarPage::kIdcCount)->text(), QString());
  }

  void booksGenerationsFollowTheBook() {
    options_.showZel = 0;
    auto sheet = MakeSheet(rpt::kPageBooks - 1);
    auto* page = qobject_cast<CBooksPage*>(sheet->CurrentPage());
    QVERIFY(page);
    using P = CBooksPage;
    QVERIFY(page->GetControl(P::kIdcZel)->isHidden());
    Shot(*sheet, "books");
    // 33 generations: refused for the Ahnentafel, taken for the register.
    Ctl<QLineEdit>(*page, P::kIdcGenerations)->setText("33");
    Tabs(*sheet)->setCurrentIndex(1);
    QCOMPARE(Tabs(*sheet)->currentIndex(), 0);
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    Ctl<QRadioButton>(*page, P::kIdcAhnentafel + 1)->click();
    Tabs(*sheet)->setCurrentIndex(1);
    QCOMPARE(Tabs(*sheet)->currentIndex(), 1);
    QCOMPARE(profile_.GetInt("BkRpt", "Gens", -1), 33);
    QCOMPARE(profile_.GetInt("BkRpt", "Type", -1), 1);
    // Clearing the new-page check clears the chapter notes.
    Tabs(*sheet)->setCurrentIndex(0);
    QVERIFY(Ctl<QCheckBox>(*page, P::kIdcEndOfChapter)->isChecked());
    Ctl<QCheckBox>(*page, P::kIdcNewPage)->click();
    QVERIFY(!Ctl<QCheckBox>(*page, P::kIdcEndOfChapter)->isChecked());
    Ctl<QCheckBox>(*page, P::kIdcSourceNotes)->click();
    QVERIFY(!page->IsControlEnabled(P::kIdcEndOfChapter));
    QVERIFY(!page->IsControlEnabled(P::kIdcText));
  }

  void booksShowZelWhenTheOptionIsOn() {
    options_.showZel = 1;
    profile_.SetInt("BkRpt", "ZEL", 1);
    auto sheet = MakeSheet(rpt::kPageBooks - 1);
    auto* page = qobject_cast<CBooksPage*>(sheet->CurrentPage());
    QVERIFY(page);
    QVERIFY(!page->GetControl(CBooksPage::kIdcZel)->isHidden());
    QVERIFY(Ctl<QCheckBox>(*page, CBooksPage::kIdcZel)->isChecked());
    Shot(*sheet, "books_zel");
  }

  void printPutsTheStartingPersonInTheRequest() {
    auto sheet = MakeSheet(rpt::kPageScrapbook - 1);
    sheet->OnPreview();
    QCOMPARE(rpt::CurrentReportRequest().startRin, adam_);
    QVERIFY(!view_.calls.empty());
    QCOMPARE(view_.calls.front(), std::string("kind 7"));
  }

  // Runs last: it leaves an empty family file open.
  void useListInAFileWithoutIndividualsClosesTheSheet() {
    const std::string path = dir_.filePath("empty.orv").toStdString();
    DbCloseCurrent();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    for (int kind : {rpt::kPageScrapbook, rpt::kPageIndividualSummary}) {
      auto sheet = MakeSheet(kind - 1);
      auto* page = qobject_cast<CPersonOrListPage*>(sheet->CurrentPage());
      QVERIFY(page);
      const int useList = kind == rpt::kPageScrapbook ? CScrapbookPage::kIdcUseList
                                                      : CIndividualSummaryPage::kIdcUseList;
      Ctl<QCheckBox>(*page, useList)->click();
      QTRY_VERIFY(!sheet->isVisible());
    }
    QCOMPARE(selectedFrom_.size(), std::size_t{2});
  }
};

QTEST_MAIN(PersonPagesTest)
#include "personpages_qtest.moc"
