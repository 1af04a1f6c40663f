// The Ancestry and Descendants pages offscreen: their tabs and buttons, the
// chart-type switch showing one set of controls and refusing to leave a
// wall chart with a bad value, what leaving a page stores (the margins of
// the current chart type only), the spin's limits, the identifier rule and
// Preview reaching the chart's request. With KORVANE_SHOTS=<folder>
// pictures of the pages are kept there.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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

#include "AncDescPages.h"
#include "AppOptions.h"
#include "ChartOptionDialogs.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportSheetTestKit.h"
#include "ReportsPropSheet.h"
#include "TitlesDialogName.h"

namespace {

constexpr rpt::GeneratorClass kClasses[] = {rpt::GeneratorClass::kAncestry,
                                            rpt::GeneratorClass::kDescendants};

using P = CAncDescPage;

}  // namespace

class AncDescPagesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CReportsPropSheet> MakeSheet(int pageKind) {
    CReportsPropSheet::Environment env;
    env.options = &options_;
    env.printer = &printer_;
    auto sheet = std::make_unique<CReportsPropSheet>(view_, env, pageKind - 1);
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
  static CAncDescPage* Page(CReportsPropSheet& sheet) {
    return qobject_cast<CAncDescPage*>(sheet.CurrentPage());
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
    const std::string path = dir_.filePath("charts.orv").toStdString();
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
    RegisterAncestryAndDescendantsPages();
  }
  void cleanupTestCase() {
    DbCloseCurrent();
    for (int kind : {rpt::kPageAncestry, rpt::kPageDescendants})
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

  void tabsButtonsAndChartTypes() {
    profile_.SetInt("DescRpt", "PhotoOpt", 1);
    auto sheet = MakeSheet(rpt::kPageAncestry);
    QTabWidget* tabs = Tabs(*sheet);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QString("Ancestry"));
    QCOMPARE(tabs->tabText(1), QString("Descendants"));
    for (int tab : {0, 1}) {
      tabs->setCurrentIndex(tab);
      CAncDescPage* page = Page(*sheet);
      QVERIFY(page);
      QCOMPARE(page->Options().ancestry, tab == 0);
      QCOMPARE(Ctl<QPushButton>(*sheet, fw::kIdOk)->text(), QString("Pri&nt"));
      QVERIFY(sheet->IsControlEnabled(CReportsPropSheet::kIdcPreview));
      QVERIFY(sheet->IsControlEnabled(CReportsPropSheet::kIdcTitles));
      QCOMPARE(Ctl<QLabel>(*page, P::kIdcName)->text(),
               QString::fromStdString(sheet->Model().StartingName()));
      QVERIFY(Ctl<QRadioButton>(*page, P::kIdcStandard)->isChecked());
      QVERIFY(!Ctl<QSpinBox>(*page, P::kIdcGensPerPage)->isVisible());
      QVERIFY(Ctl<QLineEdit>(*page, P::kIdcIndent)->isVisible());
      QVERIFY(!sheet->IsControlEnabled(CReportsPropSheet::kIdcPhotos));
      Shot(*sheet, tab == 0 ? "ancestry_standard" : "descendants_standard");

      Ctl<QRadioButton>(*page, P::kIdcWall)->click();
      QVERIFY(page->Options().WallChart());
      QVERIFY(Ctl<QSpinBox>(*page, P::kIdcGensPerPage)->isVisible());
      QVERIFY(!Ctl<QLineEdit>(*page, P::kIdcIndent)->isVisible());
      QVERIFY(!Ctl<QCheckBox>(*page, P::kIdcTitles)->isVisible());
      // Photos follow the photo check; Box Styles follows Print box.
      QCOMPARE(sheet->IsControlEnabled(CReportsPropSheet::kIdcPhotos), tab == 1);
      QVERIFY(!page->IsControlEnabled(P::kIdcBoxStyles));
      Ctl<QCheckBox>(*page, P::kIdcBox)->click();
      QVERIFY(page->IsControlEnabled(P::kIdcBoxStyles));
      Ctl<QCheckBox>(*page, P::kIdcPhotos)->click();
      QCOMPARE(sheet->IsControlEnabled(CReportsPropSheet::kIdcPhotos), tab == 0);
      Shot(*sheet, tab == 0 ? "ancestry_wall" : "descendants_wall");
    }
  }

  // A click on the chart type already chosen leaves it chosen, and Preview
  // makes that chart.
  void clickingTheChosenChartTypeKeepsIt() {
    for (const int pageKind : {rpt::kPageAncestry, rpt::kPageDescendants}) {
      for (const int type : {rpt::CAncDescOptions::kStandard, rpt::CAncDescOptions::kWall}) {
        profile_ = plat::FakeProfile();
        rpt::CurrentReportRequest() = {};
        const char* section = pageKind == rpt::kPageAncestry ? "AncRpt" : "DescRpt";
        profile_.SetInt(section, "Type", type);
        auto sheet = MakeSheet(pageKind);
        CAncDescPage* page = Page(*sheet);
        QVERIFY(page);
        const int id = type == rpt::CAncDescOptions::kWall ? P::kIdcWall : P::kIdcStandard;
        auto* button = Ctl<QRadioButton>(*page, id);
        QVERIFY(button->isChecked());
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        QVERIFY2(button->isChecked(), section);
        QCOMPARE(page->Options().type, type);
        sheet->OnPreview();
        QCOMPARE(profile_.GetInt(section, "Type", -1), type);
      }
    }
  }

  void badValueKeepsTheWallChart() {
    profile_.SetInt("AncRpt", "Type", 1);
    auto sheet = MakeSheet(rpt::kPageAncestry);
    CAncDescPage* page = Page(*sheet);
    QVERIFY(page);
    Ctl<QLineEdit>(*page, P::kIdcGenerations)->setText("0");
    Ctl<QRadioButton>(*page, P::kIdcStandard)->click();
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    QVERIFY(Ctl<QRadioButton>(*page, P::kIdcWall)->isChecked());
    QVERIFY(page->Options().WallChart());
    QVERIFY(Ctl<QSpinBox>(*page, P::kIdcGensPerPage)->isVisible());
    // A good value lets it go.
    Ctl<QLineEdit>(*page, P::kIdcGenerations)->setText("25");
    Ctl<QRadioButton>(*page, P::kIdcStandard)->click();
    QVERIFY(!page->Options().WallChart());
    QVERIFY(Ctl<QLineEdit>(*page, P::kIdcIndent)->isVisible());
    QCOMPARE(page->Options().gens, 25);
  }

  void leavingStoresTheCurrentChartsMargins() {
    profile_.SetInt("DescRpt", "WCPageLM", 333);
    auto sheet = MakeSheet(rpt::kPageAncestry);
    CAncDescPage* page = Page(*sheet);
    QVERIFY(page);
    Ctl<QLineEdit>(*page, P::kIdcIndent)->setText("7");
    Ctl<QRadioButton>(*page, P::kIdcNoDates + 2)->click();
    page->Options().SetMargins({600, 310, 320, 330});
    Tabs(*sheet)->setCurrentIndex(1);
    QCOMPARE(profile_.GetInt("AncRpt", "Indent", -1), 7);
    QCOMPARE(profile_.GetInt("AncRpt", "DateType", -1), 2);
    QCOMPARE(profile_.GetInt("AncRpt", "StdPageLM", -1), 600);
    QVERIFY(!profile_.Has("DescRpt", "WCPageLM") ||
            profile_.GetInt("DescRpt", "WCPageLM", -1) == 333);
    QVERIFY(!profile_.Has("DescRpt", "WCPageRM"));

    // A wall chart on the Descendants page: its spin stops at 99 and the
    // wall-chart margins go to DescRpt.
    CAncDescPage* desc = Page(*sheet);
    Ctl<QRadioButton>(*desc, P::kIdcWall)->click();
    auto* spin = Ctl<QSpinBox>(*desc, P::kIdcGensPerPage);
    spin->setValue(99);
    spin->stepUp();
    QCOMPARE(spin->value(), 99);
    spin->setValue(1);
    spin->stepDown();
    QCOMPARE(spin->value(), 1);
    spin->stepUp();
    QCOMPARE(desc->Options().Margins().left, 333);
    desc->Options().SetMargins({444, 250, 250, 250});
    Tabs(*sheet)->setCurrentIndex(0);
    QCOMPARE(profile_.GetInt("DescRpt", "GensPg", -1), 2);
    QCOMPARE(profile_.GetInt("DescRpt", "Type", -1), 1);
    QCOMPARE(profile_.GetInt("DescRpt", "WCPageLM", -1), 444);
    QCOMPARE(profile_.GetInt("AncRpt", "StdPageLM", -1), 600);
  }

  void closeRunsThePageCheckFirst() {
    auto sheet = MakeSheet(rpt::kPageDescendants);
    CAncDescPage* page = Page(*sheet);
    QVERIFY(page);
    Ctl<QLineEdit>(*page, P::kIdcGenerations)->setText("0");
    sheet->OnClose();
    QVERIFY(sheet->isVisible());
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    QCOMPARE(boxes_.Calls()[0].text, std::string("Please enter an integer between 1 and 999."));
    QCOMPARE(profile_.GetInt("DescRpt", "Gens", -1), -1);
    Ctl<QLineEdit>(*page, P::kIdcGenerations)->setText("7");
    sheet->OnClose();
    QVERIFY(!sheet->isVisible());
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    QCOMPARE(profile_.GetInt("DescRpt", "Gens", -1), 7);
  }

  void titlesNameFollowsTheSuppressCheck() {
    const std::string rin = "-" + std::to_string(adam_);
    const struct {
      int page, appendVal;
      bool suppress;
      std::string name;
    } cases[] = {{rpt::kPageAncestry, 1, false, "Adam Hart" + rin},
                 {rpt::kPageAncestry, 1, true, "Adam Hart"},
                 {rpt::kPageDescendants, 1, true, "Adam Hart"},
                 {rpt::kPageDescendants, 0, false, "Adam Hart"}};
    for (const auto& c : cases) {
      options_.appendVal = c.appendVal;
      auto sheet = MakeSheet(c.page);
      CAncDescPage* page = Page(*sheet);
      QVERIFY(page);
      Ctl<QCheckBox>(*page, P::kIdcSuppressRin)->setChecked(c.suppress);
      QCOMPARE(TitlesDialogName(*sheet), c.name);
    }
  }

  void selectItemsWritesEveryItemKey() {
    // The Descendants defaults go out with the one change made; the ZEL
    // check is hidden while ZEL data is off, and keeps its stored value.
    const struct {
      int page;
      const char* section;
      int showZel;
    } cases[] = {{rpt::kPageDescendants, "DescRpt", 0}, {rpt::kPageAncestry, "AncRpt", 1}};
    for (const auto& c : cases) {
      profile_ = plat::FakeProfile();
      profile_.SetInt(c.section, "Type", 1);
      profile_.SetInt(c.section, "WCZEL", 1);
      profile_.SetString("Note Tags", "Tag1", "WAR:");
      options_.showZel = c.showZel;
      auto sheet = MakeSheet(c.page);
      CAncDescPage* page = Page(*sheet);
      QVERIFY(page);
      bool zelShown = true;
      QStringList tags;
      QTimer::singleShot(0, [&] {
        auto* items = qobject_cast<CWallChartItemsDialog*>(QApplication::activeModalWidget());
        if (items == nullptr) return;
        zelShown = items->GetControl(CWallChartItemsDialog::kIdcZel)->isVisible();
        auto* note = items->Control<QComboBox>(CWallChartItemsDialog::kIdcNote1);
        for (int i = 0; i < note->count(); ++i) tags << note->itemText(i);
        note->setCurrentIndex(1);
        items->Control<QCheckBox>(CWallChartItemsDialog::kIdcMarriage)->click();
        Shot(*items, c.showZel ? "items-ancestry" : "items-descendants-nozel");
        QMetaObject::invokeMethod(items, "accept");
      });
      Ctl<QPushButton>(*page, P::kIdcSelectItems)->click();
      QCOMPARE(zelShown, c.showZel != 0);
      QCOMPARE(tags, (QStringList{"", "WAR:"}));
      QCOMPARE(profile_.GetInt(c.section, "WCMar", -1), 1);
      QCOMPARE(profile_.GetString(c.section, "WCNote1", "?"), std::string("WAR:"));
      QCOMPARE(profile_.GetString(c.section, "WCEvent1", "?"), std::string());
      QCOMPARE(profile_.GetInt(c.section, "WCTagNm", -1), 1);
      QCOMPARE(profile_.GetInt(c.section, "WCLpt", -1), c.showZel ? 0 : 1);
      QCOMPARE(profile_.GetInt(c.section, "WCZEL", -1), 1);
    }
  }

  void identifierDisplayOffSuppressesRins() {
    options_.appendVal = 0;
    profile_.SetInt("DescRpt", "SuppressRIN", 0);
    auto sheet = MakeSheet(rpt::kPageDescendants);
    CAncDescPage* page = Page(*sheet);
    QVERIFY(page);
    QVERIFY(!page->IsControlEnabled(P::kIdcSuppressRin));
    QVERIFY(Ctl<QCheckBox>(*page, P::kIdcSuppressRin)->isChecked());
    sheet->OnClose();
    QCOMPARE(profile_.GetInt("DescRpt", "SuppressRIN", -1), 1);
  }

  void previewRequestsTheChart() {
    const struct {
      int pageKind;
      const char* section;
    } cases[] = {{rpt::kPageAncestry, "AncRpt"}, {rpt::kPageDescendants, "DescRpt"}};
    for (const auto& c : cases) {
      view_.calls.clear();
      rpt::CurrentReportRequest() = {};
      rpt::ReportChoiceSlot().reset();
      auto sheet = MakeSheet(c.pageKind);
      CAncDescPage* page = Page(*sheet);
      QVERIFY(page);
      Ctl<QLineEdit>(*page, P::kIdcGenerations)->setText("6");
      Ctl<QCheckBox>(*page, P::kIdcTitles)->click();
      sheet->OnPreview();
      QCOMPARE(profile_.GetInt(c.section, "Gens", -1), 6);
      QCOMPARE(rpt::CurrentReportRequest().startRin, adam_);
      QCOMPARE(rpt::CurrentReportRequest().count, 6);
      QCOMPARE(rpt::CurrentReportRequest().options[rpt::CAncDescOptions::kRequestTitleSlot], 0);
      QCOMPARE(view_.calls,
               (std::vector<std::string>{"kind " + std::to_string(c.pageKind),
                                         "post " + std::to_string(shell::kIdFilePrintPreview)}));
    }
  }
};

QTEST_MAIN(AncDescPagesTest)
#include "ancdescpages_qtest.moc"
