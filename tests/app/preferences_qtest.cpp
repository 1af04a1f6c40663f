// The Preferences sheet and the Fonts, Password and Colors dialogs driven
// through their controls on a real family file: what OK and Cancel write,
// the controls that follow one another, and the pictures of every page.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <set>

#include "AppScreens.h"
#include "ColorsDialog.h"
#include "CommandIds.h"
#include "DateValue.h"
#include "DbCalls.h"
#include "EditEnvironment.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileInfo.h"
#include "FileSystem.h"
#include "FontListDialog.h"
#include "IndividualNode.h"
#include "KorApp.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "MeasureEdit.h"
#include "PasswordDialog.h"
#include "PreferencesSheet.h"
#include "QtPorts.h"
#include "SettingsChoosers.h"
#include "StringIds.h"
#include "StringTable.h"
#include "SystemColors.h"

using Sheet = COptionsPropSheet;

namespace {

// A profile that remembers which values were written or removed.
class RecordingProfile : public plat::MemoryProfile {
 public:
  bool SetInt(const std::string& s, const std::string& v, int x) override {
    writes.insert(s + "/" + v);
    return MemoryProfile::SetInt(s, v, x);
  }
  bool SetString(const std::string& s, const std::string& v, const std::string& x) override {
    writes.insert(s + "/" + v);
    return MemoryProfile::SetString(s, v, x);
  }
  bool Remove(const std::string& s, const std::string& v) override {
    writes.insert("-" + s + "/" + v);
    return MemoryProfile::Remove(s, v);
  }
  std::set<std::string> writes;
};

// Near the left end: check boxes and radio buttons take clicks only on their
// mark and text.
void Click(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2));
}

void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

// Every visible label and button of w is at least as wide as its text needs.
void CheckNothingCut(QWidget* w) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(c) && !qobject_cast<QAbstractButton*>(c)) continue;
    if (!c->isVisible()) continue;
    if (qobject_cast<fw::CMeasureEdit*>(c->parentWidget())) continue;  // its spin buttons
    if (auto* label = qobject_cast<QLabel*>(c); label && label->frameShape() != QFrame::NoFrame)
      continue;  // samples fitted to their width
    QVERIFY2(c->width() >= c->sizeHint().width(),
             qPrintable(c->objectName() + QStringLiteral(" ") + c->metaObject()->className()));
  }
}

void Shot(QWidget* w, const QString& name) {
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    w->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/") + name);
}

// Runs action on the modal dialog that opens next, from the event loop.
template <class D>
void OnNextModal(std::function<void(D*)> action) {
  QTimer::singleShot(0, [action] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    action(dialog);
  });
}

}  // namespace

class PreferencesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    family = dir->filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    info = CFamilyFileInfo();
    info.ReadFileOptions(1);
    info.ReadPreparer();
    profile = std::make_unique<RecordingProfile>();
    plat::SetProfilePort(profile.get());
    plat::SetMessageBoxPort(&boxes);
    boxes.Clear();
    options = CAppOptions();
    prefs::ResetDesktopChoosers();
    prefs::DesktopChoosers().hasPrinter = [] { return false; };
  }
  void cleanup() {
    plat::SetProfilePort(nullptr);
    plat::SetMessageBoxPort(nullptr);
    DbCloseCurrent();
    dir.reset();
  }

  void cancelWritesNothingButTheLastPageIndex() {
    Sheet sheet(options, &info, shell::kPageGeneral);
    sheet.show();
    sheet.SetActivePage(shell::kPageFormats);
    auto* formats = sheet.Page(shell::kPageFormats);
    formats->Control<QComboBox>(Sheet::kIdcMonth)->setCurrentIndex(3);
    sheet.SetActivePage(shell::kPageInfoBox);
    Type(sheet.Page(shell::kPageInfoBox)->Control<QLineEdit>(Sheet::kIdcWait),
         QStringLiteral("650"));
    Click(sheet.findChild<QPushButton*>(QStringLiteral("ctl%1").arg(fw::kIdCancel)));
    QCOMPARE(sheet.result(), int(QDialog::Rejected));
    QVERIFY(!sheet.isVisible());
    QVERIFY(profile->writes.empty());
    QCOMPARE(options.lastPrefsPage, int(shell::kPageInfoBox));
    QCOMPARE(options.monthStyle, 2);
    QCOMPARE(options.infoTimeOut, 1000);
  }

  void okStoresTheConvertedValues() {
    Sheet sheet(options, &info, -1);
    sheet.show();
    auto* infoBox = sheet.Page(shell::kPageInfoBox);
    Type(infoBox->Control<QLineEdit>(Sheet::kIdcWait), QStringLiteral("650"));
    auto* formats = sheet.Page(shell::kPageFormats);
    formats->SetCheck(Sheet::kIdcSepSpace + 2, 1);
    formats->Control<QComboBox>(Sheet::kIdcMonth)->setCurrentIndex(3);  // "AUG"
    QVERIFY(!formats->IsControlEnabled(Sheet::kIdcSepSpace + 1));
    QVERIFY(!formats->IsControlEnabled(Sheet::kIdcSepSpace + 3));
    QCOMPARE(formats->GetCheck(Sheet::kIdcSepSpace), 1);
    QCOMPARE(formats->GetControlText(Sheet::kIdcDateSample), std::string("Bef 3 AUG 1886"));
    auto* folders = sheet.Page(shell::kPageFolders);
    const QString data = dir->path() + QStringLiteral("/data");
    QVERIFY(QDir().mkpath(data));
    folders->SetControlText(Sheet::kIdcFolder[0], fw::FromQString(data));
    auto* preparer = sheet.Page(shell::kPagePreparer);
    preparer->SetControlText(Sheet::kIdcPreparer[1], "Lovell");
    auto* multimedia = sheet.Page(shell::kPageMultimedia);
    auto* time = multimedia->Control<fw::CMeasureEdit>(Sheet::kIdcSlideTime);
    QCOMPARE(time->text(), QStringLiteral("2.0"));
    Click(time->UpButton());
    Click(time->UpButton());

    Click(sheet.findChild<QPushButton*>(QStringLiteral("ctl%1").arg(fw::kIdOk)));
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    QCOMPARE(profile->GetInt("Options", "InfoTimeOut", -1), 60000);
    QCOMPARE(profile->GetInt("Options", "DMM", -1), 3);
    QCOMPARE(profile->GetInt("Options", "DSep", -1), 0);
    QCOMPARE(profile->GetString("Folders", "Data", ""), fw::FromQString(data) + "/");
    QCOMPARE(profile->GetInt("Multimedia", "MMSlideTime", -1), 22);
    CFamilyFileInfo stored;
    QCOMPARE(stored.ReadPreparer(), 1);
    QCOMPARE(stored.surname, std::string("Lovell"));
  }

  void fiveTenthsAreStoredAs500AndOutOfRangeKeepsTheSheetOpen() {
    Sheet sheet(options, &info, shell::kPageGeneral);
    sheet.show();
    auto* infoBox = sheet.Page(shell::kPageInfoBox);
    Type(infoBox->Control<QLineEdit>(Sheet::kIdcWait), QStringLiteral("700"));
    sheet.accept();
    QCOMPARE(sheet.result(), int(QDialog::Rejected));  // still open
    QCOMPARE(sheet.ActivePage(), int(shell::kPageInfoBox));
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, std::string("Please enter an integer between 0 and 655."));
    Type(infoBox->Control<QLineEdit>(Sheet::kIdcWait), QStringLiteral("5"));
    sheet.accept();
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    QCOMPARE(profile->GetInt("Options", "InfoTimeOut", -1), 500);
    QCOMPARE(options.lastPrefsPage, int(shell::kPageInfoBox));
  }

  void controlsFollowOneAnother() {
    options.showZel = 1;
    options.showZelRpt = 0;
    options.floaterOpt = 1;
    Sheet sheet(options, &info, shell::kPageGeneral);
    sheet.show();
    auto* general = sheet.Page(shell::kPageGeneral);
    QVERIFY(general->IsControlEnabled(Sheet::kIdcShowZelRpt));
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    Click(general->GetControl(Sheet::kIdcShowZel));
    QCOMPARE(general->GetCheck(Sheet::kIdcShowZel), 0);
    QVERIFY(!general->IsControlEnabled(Sheet::kIdcShowZelRpt));
    QCOMPARE(general->GetCheck(Sheet::kIdcShowZelRpt), 0);
    Click(general->GetControl(Sheet::kIdcShowZel));
    QVERIFY(general->IsControlEnabled(Sheet::kIdcShowZelRpt));
    QCOMPARE(general->GetCheck(Sheet::kIdcShowZelRpt), 1);

    // The language in force: no message, nothing stored.
    auto* language = general->Control<QComboBox>(Sheet::kIdcLanguage);
    QCOMPARE(language->itemData(language->currentIndex()).toString(), QStringLiteral("EN"));
    emit language->activated(language->currentIndex());
    QVERIFY(boxes.Calls().empty());
    QCOMPARE(profile->writes.count("Options/LanguageUI"), std::size_t{0});

    sheet.SetActivePage(shell::kPageInfoBox);
    auto* infoBox = sheet.Page(shell::kPageInfoBox);
    QVERIFY(infoBox->IsControlEnabled(Sheet::kIdcWait));
    Click(infoBox->GetControl(Sheet::kIdcFloatNone));
    QVERIFY(!infoBox->IsControlEnabled(Sheet::kIdcWait));
    Click(infoBox->GetControl(Sheet::kIdcFloatNone + 2));
    QVERIFY(infoBox->IsControlEnabled(Sheet::kIdcWait));

    sheet.SetActivePage(shell::kPageMultimedia);
    auto* multimedia = sheet.Page(shell::kPageMultimedia);
    QVERIFY(!multimedia->IsControlEnabled(Sheet::kIdcSlideRatio));
    Click(multimedia->GetControl(Sheet::kIdcSlideRatioChoice));
    QVERIFY(multimedia->IsControlEnabled(Sheet::kIdcSlideRatio));
    QCOMPARE(multimedia->GetControlText(Sheet::kIdcSlideRatio), std::string("50%"));

    sheet.SetActivePage(shell::kPageFormats);
    auto* formats = sheet.Page(shell::kPageFormats);
    Click(formats->GetControl(Sheet::kIdcTruncate));
    QCOMPARE(formats->GetControlText(Sheet::kIdcNameSample), std::string("Martin Evan Crane"));
    Click(formats->GetControl(Sheet::kIdcTruncate + 1));
    QCOMPARE(formats->GetControlText(Sheet::kIdcNameSample), std::string("Martin E D Crane"));
    // The narrowest place sample keeps less than the widest.
    QVERIFY(formats->GetControlText(Sheet::kIdcPlaceSamples[0]).size() <
            formats->GetControlText(Sheet::kIdcPlaceSamples[2]).size());
    sheet.reject();
  }

  void passwordInChangeModeShowsTheStoredOneAndClearingItUnlocks() {
    options.SetPassword("Oak");
    int gateAsked = 0;
    Sheet sheet(options, &info, shell::kPageGeneral);
    sheet.checkEditPassword = [&gateAsked] {
      ++gateAsked;
      return true;
    };
    sheet.show();
    QString shown, title;
    OnNextModal<CPasswordDialog>([&](CPasswordDialog* d) {
      shown = d->Control<QLineEdit>(CPasswordDialog::kIdcPassword)->text();
      title = d->windowTitle();
      Shot(d, QStringLiteral("password.png"));
      d->Control<QLineEdit>(CPasswordDialog::kIdcPassword)->clear();
      Click(d->GetControl(fw::kIdOk));
    });
    Click(sheet.Page(shell::kPageGeneral)->GetControl(Sheet::kIdcPassword));
    QCOMPARE(gateAsked, 1);
    QCOMPARE(shown, QStringLiteral("Oak"));
    QCOMPARE(title, QStringLiteral("Change Password"));
    QCOMPARE(options.password, std::string());
    QCOMPARE(profile->GetString("Options", "Pwd", "x"), std::string());
    sheet.reject();

    // A refused gate opens no dialog.
    options.SetPassword("Oak");
    Sheet refused(options, &info, shell::kPageGeneral);
    refused.checkEditPassword = [] { return false; };
    refused.show();
    Click(refused.Page(shell::kPageGeneral)->GetControl(Sheet::kIdcPassword));
    QVERIFY(!QApplication::activeModalWidget() ||
            !qobject_cast<CPasswordDialog*>(QApplication::activeModalWidget()));
    QCOMPARE(options.password, std::string("Oak"));
    refused.reject();
  }

  void colorsDialogPicksByTheSpotClickedAndWindowsColorsStoreNothing() {
    CColorsDialog dialog(options);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* combo = dialog.Control<QComboBox>(CColorsDialog::kIdcWhich);
    QCOMPARE(combo->count(), 5);
    const shell::ColorsSample s = dialog.Sample()->Layout();
    const int y = (s.nameBox.top + s.nameBox.bottom) / 2;
    QTest::mouseClick(dialog.Sample(), Qt::LeftButton, {}, QPoint(s.nameBox.right - 2, y));
    QCOMPARE(combo->currentText(), QStringLiteral("Name Background"));
    QTest::mouseClick(dialog.Sample(), Qt::LeftButton, {}, QPoint(s.nameBox.left + 2, y));
    QCOMPARE(combo->currentText(), QStringLiteral("Name Text"));
    QTest::mouseClick(dialog.Sample(), Qt::LeftButton, {},
                      QPoint(s.selectedBox.right - 2, s.selectedBox.top + 2));
    QCOMPARE(combo->currentText(), QStringLiteral("Selected Name Background"));
    QTest::mouseClick(dialog.Sample(), Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(combo->currentText(), QStringLiteral("Window Background"));

    // Change Color edits the colour chosen in the list.
    prefs::DesktopChoosers().color = [](QWidget*, QColor& c) {
      c = QColor(0x12, 0x34, 0x56);
      return true;
    };
    combo->setCurrentIndex(shell::ColorsModel::kNameBackground);
    Click(dialog.GetControl(CColorsDialog::kIdcChange));
    QCOMPARE(dialog.Model().colors[shell::ColorsModel::kNameBackground], 0x563412u);
    CheckNothingCut(&dialog);
    Shot(&dialog, QStringLiteral("colors.png"));

    Click(dialog.GetControl(CColorsDialog::kIdcWindowsColors));
    Click(dialog.GetControl(fw::kIdOk));
    for (const char* name : {"ColorNameText", "ColorNameBackground", "ColorSelectedNameText",
                             "ColorSelectedNameBackground", "ColorBackground"})
      QVERIFY2(!profile->Has("Options", name), name);
    QCOMPARE(static_cast<unsigned>(options.colorNameBackground),
             plat::GetSystemColor(plat::SystemColor::kWindow));
  }

  void fontsPageChangesWithinLimitsAndNeedsAPrinterForReportNotes() {
    Sheet sheet(options, &info, shell::kPageFonts);
    sheet.show();
    auto* fonts = sheet.Page(shell::kPageFonts);
    QCOMPARE(fonts->GetControlText(Sheet::kIdcFontViews), std::string("Arial Normal"));
    std::vector<shell::FontChoiceLimits> offered;
    prefs::DesktopChoosers().font = [&offered](QWidget*, QFont& f,
                                               const shell::FontChoiceLimits& limits) {
      offered.push_back(limits);
      f = QFont(QStringLiteral("Courier"));
      f.setPointSize(40);
      return true;
    };
    Click(fonts->GetControl(Sheet::kIdcFontNotesEditChange));
    QCOMPARE(fonts->GetControlText(Sheet::kIdcFontNotesEdit), std::string("Courier Normal 32pt"));
    Click(fonts->GetControl(Sheet::kIdcFontViewsChange));
    QCOMPARE(fonts->GetControlText(Sheet::kIdcFontViews), std::string("Courier Normal"));
    QCOMPARE(offered.size(), std::size_t{2});
    QCOMPARE(offered[0].maxPoints, 32);
    QVERIFY(!offered[0].trueTypeOnly);
    QVERIFY(offered[1].trueTypeOnly);
    QCOMPARE(offered[1].maxPoints, 0);
    Click(fonts->GetControl(Sheet::kIdcFontNotesReportChange));
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, std::string("Unable to connect to printer"));
    QCOMPARE(fonts->GetControlText(Sheet::kIdcFontNotesReport),
             std::string("Times New Roman Normal 9pt"));
    Click(fonts->GetControl(Sheet::kIdcFontDefaults));
    QCOMPARE(fonts->GetControlText(Sheet::kIdcFontNotesEdit),
             std::string("Times New Roman Normal 9pt"));
    sheet.reject();
  }

  void filePageChangesTheRelationshipIndicatorsThroughTheirDialog() {
    int runs = 0;
    AppScreens().setRelationshipIndicators = [&](QWidget*, std::int32_t) {
      ++runs;
      CurrentDatabase->SetFileOption(1, 1);  // the user turned the indicators on
    };
    CurrentDatabase->SetFileOption(1, 0);
    {
      Sheet sheet(options, &info, shell::kPageFile);
      sheet.show();
      auto* file = sheet.Page(shell::kPageFile);
      QCOMPARE(file->GetControlText(Sheet::kIdcRelationship), res::LoadString(res::kIdsNotShowing));
      QVERIFY(file->IsControlEnabled(Sheet::kIdcRelationshipChange));
      Click(file->GetControl(Sheet::kIdcRelationshipChange));
      QCOMPARE(runs, 1);
      QCOMPARE(file->GetControlText(Sheet::kIdcRelationship), res::LoadString(res::kIdsShowing));
      sheet.reject();
    }
    AppScreens().setRelationshipIndicators = nullptr;
  }

  void filePageFlushesTheLogAndPicksTheHomePerson() {
    const std::string log = dir->filePath(QStringLiteral("family.orl")).toStdString();
    {
      QFile f(QString::fromStdString(log));
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    Sheet sheet(options, &info, shell::kPageFile);
    sheet.findIndividual = [](std::int32_t& rin) {
      rin = 17;
      return true;
    };
    sheet.show();
    auto* file = sheet.Page(shell::kPageFile);
    QCOMPARE(file->GetControlText(Sheet::kIdcLogChanges), std::string("Lo&g to 'family.orl'"));
    QVERIFY(file->IsControlEnabled(Sheet::kIdcLogFlush));
    QVERIFY(!file->IsControlEnabled(Sheet::kIdcRelationshipChange));
    Click(file->GetControl(Sheet::kIdcLogFlush));
    QVERIFY(!plat::FileExists(log));
    QVERIFY(!file->IsControlEnabled(Sheet::kIdcLogView));
    Click(file->GetControl(Sheet::kIdcSearch));
    QCOMPARE(file->GetCheck(Sheet::kIdcUseRin), 1);
    QCOMPARE(file->GetControlText(Sheet::kIdcHomeRin), std::string("17"));
    sheet.accept();
    CFamilyFileInfo stored;
    QCOMPARE(stored.ReadFileOptions(1), 1);
    QCOMPARE(stored.settings.homeRin, 17);
  }

  void fontsDialogListsEntriesAndEndsAtOnceWithoutAny() {
    CFontsDialog empty;
    QCOMPARE(empty.exec(), fw::kIdCancel);

    CFontsDialog dialog;
    dialog.fonts.caption = "Report Fonts";
    dialog.fonts.entries = {
        {"Title", "Arial;Bold;16pt", "Arial;Bold;14pt", 0, 0, 0},
        {"Names", "Times New Roman;Normal;9pt", "Courier;Normal;10pt", 0, 0, 0}};
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Report Fonts"));
    QCOMPARE(dialog.GetControlText(CFontsDialog::kIdcDescription), std::string("Arial Bold 16pt"));
    dialog.Control<QComboBox>(CFontsDialog::kIdcList)->setCurrentIndex(1);
    QCOMPARE(dialog.GetControlText(CFontsDialog::kIdcDescription),
             std::string("Times New Roman Normal 9pt"));
    CheckNothingCut(&dialog);
    Shot(&dialog, QStringLiteral("fonts.png"));
    Click(dialog.GetControl(CFontsDialog::kIdcDefaults));
    QCOMPARE(dialog.GetControlText(CFontsDialog::kIdcDescription),
             std::string("Courier Normal 10pt"));
    QCOMPARE(dialog.fonts.entries[0].description, std::string("Arial;Bold;14pt"));

    CFontsDialog hidden;
    hidden.fonts.showDefaults = 0;
    hidden.fonts.entries = dialog.fonts.entries;
    hidden.show();
    QVERIFY(!hidden.GetControl(CFontsDialog::kIdcDefaults)->isVisible());
  }

  // The sheet opens with the keyboard in the first field of its page, so
  // that on a new family file's "Prepared by" page the first word typed is
  // the preparer's given name.
  void sheetOpensWithTheKeyboardInTheFirstField_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("field");
    QTest::newRow("Prepared by") << int(shell::kPagePreparer) << Sheet::kIdcPreparer[0];
    QTest::newRow("Folders") << int(shell::kPageFolders) << Sheet::kIdcFolder[0];
  }
  void sheetOpensWithTheKeyboardInTheFirstField() {
    QFETCH(int, page);
    QFETCH(int, field);
    DbCloseCurrent();
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    {
      CKorApp app;
      QVERIFY(app.InitInstance("-s \"" + family + "\""));
      QString typed;
      bool seen = false;
      OnNextModal<COptionsPropSheet>([&](COptionsPropSheet* sheet) {
        seen = true;
        auto* edit = sheet->Page(page)->Control<QLineEdit>(field);
        QVERIFY(edit);
        edit->clear();
        QTRY_VERIFY(QApplication::focusWidget() != nullptr);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Anna"));
        typed = edit->text();
        sheet->reject();
      });
      app.ShowPreferences(page);
      QVERIFY(seen);
      QCOMPARE(typed, QStringLiteral("Anna"));
      app.GetMainFrame()->close();
      app.ExitInstance();
    }
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }

  void toolsPreferencesOpensTheSheetOnTheLastPageAndAppliesDisplayOptions() {
    DbCloseCurrent();
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    {
      CKorApp app;
      QVERIFY(app.InitInstance("-s \"" + family + "\""));
      QAction* command = app.GetMainFrame()->CommandAction(shell::kIdToolsPreferences);
      QVERIFY(command);
      QVERIFY(command->isEnabled());
      app.m_options.lastPrefsPage = shell::kPageFormats;
      int opened = -1;
      OnNextModal<COptionsPropSheet>([&](COptionsPropSheet* sheet) {
        opened = sheet->ActivePage();
        sheet->Page(shell::kPageFormats)->Control<QComboBox>(Sheet::kIdcMonth)->setCurrentIndex(1);
        sheet->accept();
      });
      command->trigger();
      QCOMPARE(opened, int(shell::kPageFormats));
      QCOMPARE(app.m_options.monthStyle, 1);
      QCOMPARE(GetDateDisplayOptions().monthStyle, 1);  // what the views format with
      app.GetMainFrame()->close();
      app.ExitInstance();
    }
    SetDateDisplayOptions(DateDisplayOptions());
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }

  void closingPreferencesAppliesTheEditAndRecordOptionsAtOnce() {
    DbCloseCurrent();
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    const NodeOptions nodesBefore = GetNodeOptions();
    {
      CKorApp app;
      QVERIFY(app.InitInstance("-s \"" + family + "\""));
      app.m_options.lastPrefsPage = shell::kPageGeneral;
      const bool zel = app.m_options.showZel != 0;
      const bool verify = app.m_options.verifyNew != 0;
      const bool sbn = app.m_options.allowSbnEdit != 0;
      QCOMPARE(EditEnvironment().options.showZel, zel);
      OnNextModal<COptionsPropSheet>([&](COptionsPropSheet* sheet) {
        auto* page = sheet->Page(shell::kPageGeneral);
        Click(page->Control<QWidget>(Sheet::kIdcAppendNothing + 1));
        for (int id : {Sheet::kIdcShowZel, Sheet::kIdcVerifyNew, Sheet::kIdcAllowSbnEdit})
          Click(page->Control<QWidget>(id));
        sheet->accept();
      });
      app.GetMainFrame()->CommandAction(shell::kIdToolsPreferences)->trigger();
      QCOMPARE(app.m_options.appendVal, 1);
      QCOMPARE(GetNodeOptions().appendVal, 1);  // the names the lists build
      QVERIFY(app.ActiveFamilyView());
      QCOMPARE(app.ActiveFamilyView()->Model()->Options().appendVal, 1);  // the family view
      QCOMPARE(app.ActiveFamilyView()->Model()->Options().showZel, !zel);
      QCOMPARE(GetNodeOptions().showZel, !zel);
      QCOMPARE(EditEnvironment().options.showZel, !zel);
      QCOMPARE(EditEnvironment().options.verifyNew, !verify);
      QCOMPARE(EditEnvironment().options.allowSbnEdit, !sbn);
      app.GetMainFrame()->close();
      app.ExitInstance();
    }
    SetNodeOptions(nodesBefore);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }

  void everyPageFitsAndNothingIsCut() {
    info.givenName = "Ada";
    Sheet sheet(options, &info, shell::kPageGeneral);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    const QStringList names = {"general", "file",       "infobox", "preparer",
                               "fonts",   "multimedia", "formats", "folders"};
    for (int i = 0; i < shell::kPrefsPageCount; ++i) {
      sheet.SetActivePage(i);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      QVERIFY2(sheet.width() <= 1024 && sheet.height() <= 768,
               qPrintable(QStringLiteral("%1x%2").arg(sheet.width()).arg(sheet.height())));
      CheckNothingCut(sheet.Page(i));
      Shot(&sheet, QStringLiteral("prefs-%1.png").arg(names[i]));
    }
    sheet.reject();
  }

 private:
  std::unique_ptr<QTemporaryDir> dir;
  std::string family;
  std::unique_ptr<RecordingProfile> profile;
  plat::FakeMessageBox boxes;
  CAppOptions options;
  CFamilyFileInfo info;
};

QTEST_MAIN(PreferencesTest)
#include "preferences_qtest.moc"
