// The Create Web Page wizard: the boxes that follow their controlling
// choice, the generation ranges, the folder that follows the description,
// the back-link pair, the prefix that OK needs, and a whole run that writes
// a site.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "WebWizardDialogs.h"

class WebWizardTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    family = dir->filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    CIndividualRecord person;
    person.surname = "Ames";
    person.givenNames[0] = "Adam";
    person.sex = 'M';
    person.birth.date.Set(1800, 5, 1);
    person.death.date.Set(1870, 5, 1);
    rin = static_cast<std::int32_t>(family::Add(person, 0));
    QVERIFY(rin > 0);
    context = WebWizardContext{};
    context.startRin = rin;
    context.showZel = true;
    context.documentsFolder = dir->filePath(QStringLiteral("docs")).toStdString();
    context.programWebFolder = KORVANE_WEB_PICTURES;
    context.preparer = {"Ann Able", "1 Road", "Town", "", "555", "ann@example.org"};
    context.today = "3 Jul 2001";
    context.familyPath = family;
  }
  void cleanup() {
    DbCloseCurrent();
    dir.reset();
  }

  void enableRulesFollowTheirBoxes() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    CWebPageSetupPage page(context);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto enabled = [&](int id) { return page.IsControlEnabled(id); };
    QVERIFY(enabled(CWebPageSetupPage::kIdcActText) && enabled(CWebPageSetupPage::kIdcDups));
    QVERIFY(!enabled(CWebPageSetupPage::kIdcVideo));  // Photos is 1 by default
    page.Control<QCheckBox>(CWebPageSetupPage::kIdcSource)->click();
    QVERIFY(!enabled(CWebPageSetupPage::kIdcActText) && !enabled(CWebPageSetupPage::kIdcComments));
    page.Control<QCheckBox>(CWebPageSetupPage::kIdcGenrl)->click();
    for (int id :
         {CWebPageSetupPage::kIdcMarked, CWebPageSetupPage::kIdcEmbed, CWebPageSetupPage::kIdcLink})
      QVERIFY(!enabled(id));
    page.Control<QRadioButton>(CWebPageSetupPage::kIdcDescendants)->click();
    QVERIFY(!enabled(CWebPageSetupPage::kIdcDups));
    page.Control<QRadioButton>(CWebPageSetupPage::kIdcPhotosFull)->click();
    QVERIFY(enabled(CWebPageSetupPage::kIdcVideo) && enabled(CWebPageSetupPage::kIdcAudio));
    page.Control<QRadioButton>(CWebPageSetupPage::kIdcSelected)->click();
    QCOMPARE(page.GetControlText(CWebPageSetupPage::kIdcPerson), std::string("Individuals: 0"));
    QCOMPARE(page.GetControlText(CWebPageSetupPage::kIdcSearch), std::string("&Select"));
    page.Control<QRadioButton>(CWebPageSetupPage::kIdcAncestors)->click();
    QCOMPARE(page.GetControlText(CWebPageSetupPage::kIdcPerson), std::string("Adam Ames"));
    Shot(page, "web-setup.png");
  }

  void zelHiddenStoresZero() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    context.showZel = false;
    CWebPageSetupPage page(context);
    page.runFinishPage = [](CWebPageFinishPage&) { return fw::kIdCancel; };
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(page.GetControl(CWebPageSetupPage::kIdcZel)->isHidden());
    page.Control<QPushButton>(CWebPageSetupPage::kIdcNext)->click();
    QCOMPARE(profile.GetInt("Web", "Zel", 1), 0);
  }

  void generationRangesBySiteType() {
    struct Case {
      int typeButton;
      const char* gens;
      bool accepted;
    } cases[] = {{CWebPageSetupPage::kIdcAncestors, "33", false},
                 {CWebPageSetupPage::kIdcAncestors, "32", true},
                 {CWebPageSetupPage::kIdcDescendants, "33", true},
                 {CWebPageSetupPage::kIdcDescendants, "0", false}};
    for (const Case& c : cases) {
      plat::FakeProfile profile;
      plat::ScopedProfile scopedProfile{&profile};
      plat::FakeMessageBox boxes;
      plat::ScopedMessageBox scopedBoxes{&boxes};
      CWebPageSetupPage page(context);
      bool finishRan = false;
      page.runFinishPage = [&](CWebPageFinishPage&) {
        finishRan = true;
        return int(fw::kIdCancel);
      };
      page.show();
      QVERIFY(QTest::qWaitForWindowExposed(&page));
      page.Control<QRadioButton>(c.typeButton)->click();
      page.Control<QLineEdit>(CWebPageSetupPage::kIdcMaxGens)->setText(c.gens);
      page.Control<QPushButton>(CWebPageSetupPage::kIdcNext)->click();
      QCOMPARE(finishRan, c.accepted);
      QCOMPARE(page.isVisible(), !c.accepted);
      if (c.accepted) QCOMPARE(profile.GetInt("Web", "MaxGens", 0), std::atoi(c.gens));
    }
  }

  void selectedSiteNeedsASelection() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    CWebPageSetupPage page(context);
    page.runFinishPage = [](CWebPageFinishPage&) { return int(fw::kIdCancel); };
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.Control<QRadioButton>(CWebPageSetupPage::kIdcSelected)->click();
    page.Control<QPushButton>(CWebPageSetupPage::kIdcNext)->click();
    QVERIFY(page.isVisible());
    QCOMPARE(boxes.Calls().back().caption, std::string("No selected individuals"));
  }

  void folderFollowsTheDescriptionUntilTyped() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    CWebPageFinishPage page(context);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(!page.IsControlEnabled(CWebPageFinishPage::kIdcFinish));
    auto* description = page.Control<QLineEdit>(CWebPageFinishPage::kIdcDescription);
    QTest::keyClicks(description, "My Family 1850.");
    QCOMPARE(page.GetControlText(CWebPageFinishPage::kIdcFolder), std::string("MyFamily1"));
    QVERIFY(page.IsControlEnabled(CWebPageFinishPage::kIdcFinish));
    QVERIFY(page.SitePathText().ends_with("/web/MyFamily1"));
    description->clear();
    QTest::keyClicks(description, ".");
    QCOMPARE(page.GetControlText(CWebPageFinishPage::kIdcFolder), std::string(""));
    QVERIFY(!page.IsControlEnabled(CWebPageFinishPage::kIdcFinish));
    QTest::keyClicks(page.Control<QLineEdit>(CWebPageFinishPage::kIdcFolder), "Mine");
    QTest::keyClicks(description, "Other");
    QCOMPARE(page.GetControlText(CWebPageFinishPage::kIdcFolder), std::string("Mine"));
    QCOMPARE(page.GetControlText(CWebPageFinishPage::kIdcTitle),
             std::string("Ancestors of Adam Ames"));
    Shot(page, "web-finish.png");
  }

  void backLinkNeedsBothOrNeither() {
    struct Case {
      const char *address, *text;
      bool closes;
    } cases[] = {{"", "", true},
                 {"http://x.example/", "Back", true},
                 {"http://x.example/", "", false},
                 {"", "Back", false}};
    for (const Case& c : cases) {
      plat::FakeProfile profile;
      plat::ScopedProfile scopedProfile{&profile};
      plat::FakeMessageBox boxes;
      plat::ScopedMessageBox scopedBoxes{&boxes};
      CWebAdvancedHtmlDialog dialog;
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      dialog.SetControlText(CWebAdvancedHtmlDialog::kIdcBackLink, c.address);
      dialog.SetControlText(CWebAdvancedHtmlDialog::kIdcBackLinkText, c.text);
      dialog.accept();
      QCOMPARE(dialog.isVisible(), !c.closes);
      QCOMPARE(boxes.Calls().size(), std::size_t(c.closes ? 0 : 1));
      QCOMPARE(profile.GetString("Web", "BackLink", "unset"),
               std::string(c.closes ? c.address : "unset"));
    }
  }

  void advancedOptionsOkNeedsAPrefix() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    CWebAdvancedOptionsDialog dialog;
    dialog.prefix = "abc";
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.IsControlEnabled(fw::kIdOk));
    dialog.Control<QLineEdit>(CWebAdvancedOptionsDialog::kIdcPrefix)->clear();
    QVERIFY(!dialog.IsControlEnabled(fw::kIdOk));
    QTest::keyClicks(dialog.Control<QLineEdit>(CWebAdvancedOptionsDialog::kIdcPrefix), "xyz1");
    QCOMPARE(dialog.GetControlText(CWebAdvancedOptionsDialog::kIdcPrefix), std::string("xyz"));
    QVERIFY(dialog.IsControlEnabled(fw::kIdOk));
    Shot(dialog, "web-options.png");
  }

  void finishWritesTheSiteAndOffersTheBrowser() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeProgress progress;
    plat::ScopedProgress scopedProgress{&progress};
    std::string opened;
    context.openInBrowser = [&](const std::string& page) { opened = page; };
    boxes.QueueAnswer(plat::kIdOk);   // the completion message
    boxes.QueueAnswer(plat::kIdYes);  // view in the browser
    CWebPageSetupPage page(context);
    page.runFinishPage = [&](CWebPageFinishPage& finish) {
      finish.show();
      QTest::keyClicks(finish.Control<QLineEdit>(CWebPageFinishPage::kIdcDescription), "Ames");
      finish.Control<QPushButton>(CWebPageFinishPage::kIdcFinish)->click();
      return finish.result();
    };
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.Control<QPushButton>(CWebPageSetupPage::kIdcNext)->click();
    const std::string site = context.documentsFolder + "/web/Ames";
    QVERIFY(std::filesystem::exists(site + "/index.htm"));
    QVERIFY(std::filesystem::exists(site + "/images/home.jpg"));
    QCOMPARE(opened, std::filesystem::weakly_canonical(site).string() + "/index.htm");
    bool completed = false;
    for (const auto& call : boxes.Calls())
      completed = completed || call.text.starts_with("Web page creation complete!");
    QVERIFY(completed);
  }

 private:
  static void Shot(QWidget& widget, const char* name) {
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      widget.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + "/" + name);
  }

  std::unique_ptr<QTemporaryDir> dir;
  std::string family;
  std::int32_t rin = 0;
  WebWizardContext context;
};

QTEST_MAIN(WebWizardTest)
#include "webwizard_qtest.moc"
