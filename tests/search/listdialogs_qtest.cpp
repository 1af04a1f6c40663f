// The Individual List and the Marriages Search List on a real family file,
// driven through their controls: opening on a start individual, switching
// order, paging by keys, searching, OK, deleting with the marriage
// questions and the set delete, select-set mode, the detail pane. With
// KORVANE_SHOTS set, each saves its picture there.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

#include "AppOptions.h"
#include "AppScreens.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FilterSet.h"
#include "IndividualListDialog.h"
#include "IndividualRecord.h"
#include "KorDoc.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "ZelQualification.h"

namespace {

using D = CIndividualListDialog;

std::int32_t AddPerson(const char* given, const char* surname, char sex, int born) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  if (born) person.birth.date.Set(born, 3, 12);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

void Shot(QWidget& w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                QString::fromLatin1(name) + QStringLiteral(".png"));
}

QString Row(const QListWidget* list, int row) { return list->item(row)->text(); }

const char* const kSurnames[] = {"Holm", "Berg", "Dahl", "Aune", "Lund", "Moe", "Eng", "Vik"};

// 60 individuals with surnames cycling through kSurnames.
void Populate(int count = 60) {
  for (int i = 0; i < count; ++i) {
    char given[16];
    std::snprintf(given, sizeof given, "Per%02d", i + 1);
    AddPerson(given, kSurnames[i % 8], i % 2 ? 'F' : 'M', 1800 + i);
  }
}

}  // namespace

class ListDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes.Clear();
    plat::SetMessageBoxPort(&boxes);
    plat::SetProfilePort(&profile);
    plat::SetProgressPort(&progress);
    profile.SetString("Options", "LanguageUI", "EN");
    const std::string path =
        dir.filePath(QStringLiteral("family%1.orv").arg(++files)).toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
  }
  void cleanup() {
    DbCloseCurrent();
    plat::SetMessageBoxPort(nullptr);
    plat::SetProfilePort(nullptr);
    plat::SetProgressPort(nullptr);
  }

  void opensOnTheStartRinAndPagesByKeys() {
    Populate();
    CAppOptions options;
    D dialog(nullptr);
    dialog.options = &options;
    dialog.startRin = 30;
    dialog.open();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Individual"));
    auto* list = dialog.Control<QListWidget>(D::kIdcList);
    QCOMPARE(list->count(), 16);
    QVERIFY(Row(list, 0).contains(QStringLiteral("    22\t")));
    QCOMPARE(list->currentRow(), 8);
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("30"));
    QCOMPARE(dialog.GetControlText(D::kIdcName), std::string("Per30 Moe"));
    QCOMPARE(dialog.GetControlText(D::kIdcBirthDate), std::string("12 Mar 1829"));
    Shot(dialog, "indlist_rin");

    list->setFocus();
    QTest::keyClick(list, Qt::Key_PageDown);
    QVERIFY(Row(list, 0).contains(QStringLiteral("    38\t")));
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("46"));
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->currentRow(), 15);
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("60"));
    auto* bar = dialog.Control<QScrollBar>(D::kIdcScroll);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("1"));
    QCOMPARE(bar->value(), bar->minimum());
    // The search field hands Down to the list.
    auto* search = dialog.Control<QLineEdit>(D::kIdcSearch);
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Down);
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("2"));
    // Typing a RIN above the highest selects the highest.
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("999"));
    QCOMPARE(dialog.Model().SelectedRin(), 60);
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QCOMPARE(dialog.chosenRin, 60);
  }

  // In RIN order the search field takes a RIN: a name typed there is not
  // taken, and the field says so; digits still search.
  void rinOrderSearchTakesANumberAndSaysSo() {
    Populate();
    CAppOptions options;
    D dialog(nullptr);
    dialog.options = &options;
    dialog.startRin = 5;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* search = dialog.Control<QLineEdit>(D::kIdcSearch);
    search->setFocus();
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("Dahl"));
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("5"));
    QCOMPARE(dialog.Model().SelectedRin(), 5);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString::fromLatin1(CIndividualListModel::kRinSearchHint));
    Shot(dialog, "indlist_rin_hint");
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("12"));
    QCOMPARE(dialog.Model().SelectedRin(), 12);
    // In alphabetical order the same field takes the name.
    QTest::mouseClick(dialog.GetControl(D::kIdcSortName), Qt::LeftButton);
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("Dahl, Per11"));
    QCOMPARE(dialog.Model().SelectedRin(), 11);
  }

  // The list is as high as its page, however large the dialog, and the
  // mouse wheel pages it.
  void theWholePageShowsAndTheWheelScrolls() {
    Populate();
    D dialog(nullptr);
    dialog.startRin = 1;
    dialog.open();
    dialog.resize(dialog.width(), dialog.height() + 400);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    auto* list = dialog.Control<QListWidget>(D::kIdcList);
    QCOMPARE(list->count(), 16);
    const int row = list->sizeHintForRow(0);
    QVERIFY(row > 0);
    QVERIFY(list->visualItemRect(list->item(15)).bottom() < list->viewport()->height());
    QVERIFY(list->viewport()->height() < row * 17);
    Shot(dialog, "indlist_tall");

    const auto wheel = [list](int delta) {
      const QPointF at(10, 10);
      QWheelEvent event(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(list->viewport(), &event);
    };
    const int lines = QApplication::wheelScrollLines();
    const auto top = [&dialog] { return dialog.Model().Pager().Keys().front(); };
    wheel(-120);
    QCOMPARE(top(), 1 + lines);
    QVERIFY(Row(list, 0).contains(QString::number(1 + lines) + QStringLiteral("\t")));
    wheel(-60);  // half a notch waits for the other half
    QCOMPARE(top(), 1 + lines);
    wheel(-60);
    QCOMPARE(top(), 1 + 2 * lines);
    wheel(240);
    QCOMPARE(top(), 1);
    dialog.reject();
  }

  // Opened low on the screen, the dialog grown by the filter side is moved
  // back so that its bottom stays on the screen (its top when it is the
  // taller of the two).
  void expandingKeepsTheDialogOnTheScreen() {
    Populate();
    D dialog(nullptr);
    dialog.startRin = 1;
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect area = dialog.screen()->availableGeometry();
    dialog.move(dialog.x(), area.bottom() + 1 - dialog.frameGeometry().height());
    QTRY_COMPARE(dialog.frameGeometry().bottom(), area.bottom());
    const int collapsed = dialog.frameGeometry().height();
    QTest::mouseClick(dialog.GetControl(D::kIdcAdvanced), Qt::LeftButton);
    QVERIFY(dialog.GetControl(D::kIdcSelect)->isVisible());
    const QRect expanded = dialog.frameGeometry();
    QVERIFY(expanded.height() > collapsed);
    QCOMPARE(expanded.top(), std::max(area.top(), area.bottom() + 1 - expanded.height()));
    Shot(dialog, "indlist_expanded_low");
  }

  void switchingOrderWritesSortDefAndSearchesByName() {
    Populate();
    CAppOptions options;
    D dialog(nullptr);
    dialog.options = &options;
    dialog.startRin = 5;
    dialog.open();
    QTest::mouseClick(dialog.GetControl(D::kIdcSortName), Qt::LeftButton);
    QCOMPARE(options.sortDef, 1);
    QCOMPARE(profile.GetInt("Options", "SortDef", -1), 1);
    QCOMPARE(dialog.Model().SelectedRin(), 5);
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("Lund, Per05"));
    auto* search = dialog.Control<QLineEdit>(D::kIdcSearch);
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("Dahl | Per11"));
    QCOMPARE(dialog.Model().SelectedRin(), 11);
    Shot(dialog, "indlist_name");
    QTest::mouseClick(dialog.GetControl(D::kIdcSortRin), Qt::LeftButton);
    QCOMPARE(options.sortDef, 0);
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("11"));

    // A new list opens in the order saved.
    D again(nullptr);
    options.sortDef = 1;
    again.options = &options;
    again.startRin = 9;
    again.open();
    QVERIFY(again.Control<QRadioButton>(D::kIdcSortName)->isChecked());
    QCOMPARE(again.Model().SelectedRin(), 9);

    // Without a start RIN the name positions the list and gives the RIN.
    D byName(nullptr);
    byName.options = &options;
    byName.startName = "Dahl, Per19";
    byName.open();
    QCOMPARE(byName.Model().SelectedRin(), 19);
    QCOMPARE(byName.startRin, 19);
  }

  void scrollBarThumbMovesThePage() {
    Populate(200);
    D dialog(nullptr);
    dialog.open();
    auto* bar = dialog.Control<QScrollBar>(D::kIdcScroll);
    QVERIFY(bar->isEnabled());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(dialog.Model().Pager().Keys().front(), 2);
    QCOMPARE(bar->value(), 2);
    bar->setSliderPosition(100);
    bar->triggerAction(QAbstractSlider::SliderMove);
    QCOMPARE(dialog.Model().Pager().Keys().front(), 100);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(dialog.Model().Pager().Keys().back(), 200);
    QCOMPARE(bar->value(), bar->maximum());
  }

  void smallFileHasTheBarOff() {
    Populate(10);
    D dialog(nullptr);
    dialog.open();
    QCOMPARE(dialog.Control<QListWidget>(D::kIdcList)->count(), 10);
    QVERIFY(!dialog.Control<QScrollBar>(D::kIdcScroll)->isEnabled());
  }

  void deletingOneAsksAboutItsEmptyMarriage() {
    const std::int32_t dad = AddPerson("Odd", "Berg", 'M', 1900);
    const std::int32_t child = AddPerson("Siv", "Berg", 'F', 1930);
    AddPerson("Tor", "Aune", 'M', 1931);
    const std::int32_t mrin = DbSetRelation(dad, 0, db::kRelHusband, 0);
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, mrin) > 0);
    // The father goes, so the family holds the child alone.
    QVERIFY(DbUnlinkRIN(dad, db::kIndividual) != 0);
    QCOMPARE(DbDeleteRecord(dad, db::kIndividual), 1);
    CKorDoc document;
    document.m_visitedRins = {static_cast<std::uint32_t>(child), 3};
    D dialog(&document);
    dialog.startRin = child;
    dialog.open();
    boxes.QueueAnswer(plat::kIdOk);
    boxes.QueueAnswer(plat::kIdYes);
    QTest::mouseClick(dialog.GetControl(D::kIdcDelete), Qt::LeftButton);
    QCOMPARE(boxes.Calls().size(), std::size_t{2});
    QVERIFY(boxes.Calls()[0].text.find("Siv Berg\n\nThis individual will be removed") == 0);
    QVERIFY(boxes.Calls()[0].text.find("The individual is linked as a child.") !=
            std::string::npos);
    QVERIFY(boxes.Calls()[1].text.find("This marriage is not linked") != std::string::npos);
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, child), 1);
    QCOMPARE(DbIsRecordDeleted(db::kMarriage, mrin), 1);
    QVERIFY(dialog.recordsChanged);
    QCOMPARE(document.m_visitedRins, std::vector<std::uint32_t>{3});
    QCOMPARE(dialog.Model().SelectedRin(), 3);
    QVERIFY(dialog.isVisible());
  }

  void deletingOneAsksTheQuestionOfEditDelete() {
    // Siv is the only one left in her parents' family and is married.
    const std::int32_t dad = AddPerson("Odd", "Berg", 'M', 1900);
    const std::int32_t child = AddPerson("Siv", "Berg", 'F', 1930);
    const std::int32_t husband = AddPerson("Tor", "Aune", 'M', 1931);
    const std::int32_t parents = DbSetRelation(dad, 0, db::kRelHusband, 0);
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, parents) > 0);
    const std::int32_t own = DbSetRelation(husband, 0, db::kRelHusband, 0);
    QCOMPARE(DbSetRelation(child, 0, db::kRelWife, own), own);
    QVERIFY(DbUnlinkRIN(dad, db::kIndividual) != 0);
    QCOMPARE(DbDeleteRecord(dad, db::kIndividual), 1);
    CKorDoc document;
    D dialog(&document);
    dialog.startRin = child;
    dialog.open();
    boxes.QueueAnswer(plat::kIdOk);
    boxes.QueueAnswer(plat::kIdNo);  // keep the empty family
    QTest::mouseClick(dialog.GetControl(D::kIdcDelete), Qt::LeftButton);
    QCOMPARE(boxes.Calls().size(), std::size_t{2});
    QCOMPARE(boxes.Calls()[0].text,
             std::string("Siv Berg\n\nThis individual will be removed from the disk and unlinked "
                         "from all families where he or she appears.\nThe individual is linked "
                         "as a child.\nThe individual is linked to 1 marriage(s)."));
    QVERIFY(boxes.Calls()[1].text.find("This marriage is not linked") != std::string::npos);
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, child), 1);
    QCOMPARE(DbIsRecordDeleted(db::kMarriage, parents), 0);
    QCOMPARE(DbIsRecordDeleted(db::kMarriage, own), 0);
  }

  void deletingTheLastNameSelectsTheOneBefore() {
    Populate(12);
    CAppOptions options;
    options.sortDef = 1;
    D dialog(nullptr);
    dialog.options = &options;
    dialog.startRin = 8;  // "Vik, Per08": the last name
    dialog.open();
    QVERIFY(dialog.Control<QRadioButton>(D::kIdcSortName)->isChecked());
    QCOMPARE(dialog.Model().Pager().Selected(), 11);
    boxes.QueueAnswer(plat::kIdOk);
    QTest::mouseClick(dialog.GetControl(D::kIdcDelete), Qt::LeftButton);
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, 8), 1);
    QCOMPARE(dialog.Control<QListWidget>(D::kIdcList)->count(), 11);
    QCOMPARE(dialog.GetControlText(D::kIdcSearch), std::string("Moe, Per06"));
  }

  void editOpensEditIndividualOnTheSelectedLine() {
    AddPerson("Una", "Vik", 'F', 1900);
    const std::int32_t second = AddPerson("Ola", "Vik", 'M', 1902);
    {
      // Without the editing screen Edit stays off.
      D dialog(nullptr);
      dialog.startRin = second;
      dialog.open();
      QVERIFY(!dialog.IsControlEnabled(D::kIdcEdit));
    }
    std::vector<std::int32_t> edited;
    AppScreens().editIndividual = [&](QWidget*, std::int32_t rin) {
      edited.push_back(rin);
      CIndividualRecord person;
      if (family::Read(person, rin) != 1) return false;
      person.givenNames[0] = "Olaf";  // what the user saved
      return family::Update(person, 0) == 1;
    };
    D dialog(nullptr);
    dialog.startRin = second;
    dialog.open();
    QVERIFY(dialog.IsControlEnabled(D::kIdcEdit));
    QTest::mouseClick(dialog.GetControl(D::kIdcEdit), Qt::LeftButton);
    AppScreens().editIndividual = nullptr;
    QCOMPARE(edited, std::vector<std::int32_t>{second});
    QVERIFY(dialog.recordsChanged);
    QVERIFY(dialog.GetControlText(D::kIdcName).find("Olaf") != std::string::npos);
    QVERIFY(dialog.isVisible());
  }

  void deletingTheOnlyIndividualEndsWithOkAndRinZero() {
    AddPerson("Una", "Vik", 'F', 1900);
    D dialog(nullptr);
    dialog.open();
    boxes.QueueAnswer(plat::kIdOk);
    QTest::mouseClick(dialog.GetControl(D::kIdcDelete), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QCOMPARE(dialog.chosenRin, 0);
    QVERIFY(!dialog.isVisible());
  }

  void cancellingTheDeleteChangesNothing() {
    Populate(3);
    D dialog(nullptr);
    dialog.startRin = 2;
    dialog.checkEditPassword = [] { return false; };
    dialog.open();
    QTest::mouseClick(dialog.GetControl(D::kIdcDelete), Qt::LeftButton);
    QVERIFY(boxes.Calls().empty());  // refused by the password
    dialog.checkEditPassword = nullptr;
    boxes.QueueAnswer(plat::kIdCancel);
    QTest::mouseClick(dialog.GetControl(D::kIdcDelete), Qt::LeftButton);
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, 2), 0);
    QVERIFY(!dialog.recordsChanged);
  }

  void setDeleteRemovesTheSelection() {
    Populate(20);
    CKorDoc document;
    document.m_filterSet = std::make_unique<CFilterSet>();
    CFilterSet& set = *document.m_filterSet;
    set.relationFilterPresent = 1;
    set.CreateSet(CFilterSet::kRelationSet, 20);
    for (int rin : {4, 5, 17}) set.SetInSet(CFilterSet::kRelationSet, rin, 1);
    D dialog(&document);
    dialog.startRin = 10;
    dialog.open();
    QVERIFY(Row(dialog.Control<QListWidget>(D::kIdcList), 3).startsWith(QChar(0xBB)));
    boxes.QueueAnswer(plat::kIdYes);
    boxes.QueueAnswer(plat::kIdYes);
    QTest::mouseClick(dialog.GetControl(D::kIdcDelete), Qt::LeftButton);
    QCOMPARE(boxes.Calls().size(), std::size_t{2});
    QCOMPARE(boxes.Calls()[0].text,
             std::string("Delete all individuals in the current filter set?"));
    QVERIFY(boxes.Calls()[1].text.find("remove 3 individuals") != std::string::npos);
    for (int rin : {4, 5, 17}) QCOMPARE(DbIsRecordDeleted(db::kIndividual, rin), 1);
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, 6), 0);
    QCOMPARE(dialog.Filter()->HasSet(CFilterSet::kRelationSet), 0);
    QCOMPARE(dialog.Model().SelectedRin(), 10);
    // The document's own set is untouched until OK.
    QCOMPARE(document.m_filterSet->GetCount(CFilterSet::kRelationSet), 3);
  }

  void selectSetModeTogglesAndHandsTheSetOver() {
    Populate(20);
    CKorDoc document;
    D dialog(&document);
    dialog.selectSetMode = true;
    dialog.startRin = 7;
    dialog.open();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Set of Individuals"));
    QVERIFY(!dialog.GetControl(D::kIdcAdvanced)->isVisible());
    auto* list = dialog.Control<QListWidget>(D::kIdcList);
    const QRect rect = list->visualItemRect(list->item(list->currentRow()));
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(Row(list, list->currentRow()).startsWith(QChar(0xBB)));
    QCOMPARE(dialog.Filter()->IsInSet(CFilterSet::kCombinedSet, 7), 1);
    Shot(dialog, "indlist_selectset");
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QVERIFY(boxes.Calls().empty());
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QVERIFY(document.m_filterSet);
    QCOMPARE(document.m_filterSet->GetCount(CFilterSet::kCombinedSet), 1);
  }

  void selectSetOkWithNothingAsks() {
    Populate(5);
    CKorDoc document;
    document.m_filterSet = std::make_unique<CFilterSet>();
    document.m_filterSet->name = "old";
    const CFilterSet* before = document.m_filterSet.get();
    {
      D dialog(&document);
      dialog.selectSetMode = true;
      dialog.open();
      boxes.QueueAnswer(plat::kIdNo);
      QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
      QVERIFY(dialog.isVisible());
      QCOMPARE(boxes.Calls()[0].text,
               std::string("You have not selected any records. Do you really want to exit?"));
      // Yes with no line selected: the set is handed over, the end is Cancel.
      dialog.Model().Pager().Select(-1);
      boxes.QueueAnswer(plat::kIdYes);
      QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
      QCOMPARE(dialog.result(), int(fw::kIdCancel));
    }
    // The dialog's copy took the place of the document's set.
    QVERIFY(document.m_filterSet);
    QVERIFY(document.m_filterSet.get() != before);
    QCOMPARE(document.m_filterSet->name, std::string("old"));
  }

  void detailPaneShowsParentsAndTwoSpouses() {
    const std::int32_t dad = AddPerson("Odd", "Berg", 'M', 0);
    const std::int32_t mom = AddPerson("Kari", "Dahl", 'F', 1902);
    CIndividualRecord record;
    QCOMPARE(DbGetIndividualRecord(dad, record, 7), 1);
    record.christening.date.Set(1899, 4, 2);
    QCOMPARE(DbUpdateRecord(dad, db::kIndividual, &record), 1);
    const std::int32_t mrin = DbSetRelation(dad, mom, db::kRelHusband, 0);
    const std::int32_t son = AddPerson("Siv", "Berg", 'M', 1930);
    QVERIFY(DbSetRelation(son, 0, db::kRelParents, mrin) > 0);
    for (const char* wife : {"Ada", "Bea", "Cia"})
      QVERIFY(DbSetRelation(son, AddPerson(wife, "Moe", 'F', 1932), db::kRelHusband, 0) > 0);
    D dialog(nullptr);
    dialog.startRin = son;
    dialog.open();
    QCOMPARE(dialog.GetControlText(D::kIdcFather), std::string("Odd Berg"));
    QCOMPARE(dialog.GetControlText(D::kIdcFatherLabel), std::string("C:"));
    QCOMPARE(dialog.GetControlText(D::kIdcFatherDate), std::string("2 Apr 1899"));
    QCOMPARE(dialog.GetControlText(D::kIdcMotherLabel), std::string("B:"));
    QCOMPARE(dialog.GetControlText(D::kIdcSpouse1), std::string("Ada Moe"));
    QCOMPARE(dialog.GetControlText(D::kIdcSpouse2), std::string("Bea Moe"));
    QCOMPARE(dialog.GetControlText(D::kIdcSex), std::string("M"));
    Shot(dialog, "indlist_detail");
  }

  void templeNamesModeJudgesAndOpensSealToSpouseStatus() {
    const std::int32_t man = AddPerson("Odd", "Berg", 'M', 1800);
    const std::int32_t wife = AddPerson("Kari", "Dahl", 'F', 1802);
    QVERIFY(DbSetRelation(man, wife, db::kRelHusband, 0) > 0);
    const std::int32_t single = AddPerson("Una", "Vik", 'F', 1990);
    CAppOptions options;
    options.showZel = 1;
    D dialog(nullptr);
    dialog.options = &options;
    dialog.templeNamesMode = true;
    dialog.startRin = man;
    dialog.open();
    QCOMPARE(dialog.windowTitle(),
             QStringLiteral("Select Set of Individuals - Temple Names Preparation"));
    auto* marriages = dialog.Control<QPushButton>(D::kIdcAdvanced);
    QCOMPARE(marriages->text(), QStringLiteral("&Marriages"));
    QVERIFY(marriages->isEnabled());
    QVERIFY(dialog.GetControl(D::kIdcZelFirst)->isVisible());
    int reason = 0;
    const int state = GetZelStatus(man, 0, kZelBaptism, reason);
    QCOMPARE(dialog.GetControlText(D::kIdcZelFirst), GetZelHeadline(state));
    Shot(dialog, "indlist_temple");
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* seal = qobject_cast<CSealToSpouseStatusDialog*>(QApplication::activeModalWidget());
      if (!seal) return;
      seen = true;
      QCOMPARE(seal->Mrins().size(), std::size_t{1});
      QCOMPARE(seal->GetControlText(CSealToSpouseStatusDialog::kIdcName), std::string("Odd Berg"));
      // "Marriages of Odd Berg": the name one blank after the words.
      QLabel* words = nullptr;
      for (QLabel* label : seal->findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Marriages of")) words = label;
      QVERIFY(words);
      auto* name = seal->Control<QLabel>(CSealToSpouseStatusDialog::kIdcName);
      QCOMPARE(name->x() - (words->x() + words->width()),
               name->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
      QVERIFY(!seal->GetControl(CSealToSpouseStatusDialog::kIdcEdit)->isEnabled());
      Shot(*seal, "sealtospouse");
      seal->accept();
    });
    QTest::mouseClick(marriages, Qt::LeftButton);
    QVERIFY(seen);
    // Without marriages the button is off; the dialog itself says so and closes.
    auto* search = dialog.Control<QLineEdit>(D::kIdcSearch);
    search->selectAll();
    QTest::keyClicks(search, QString::number(single));
    QCOMPARE(dialog.Model().SelectedRin(), single);
    QVERIFY(!marriages->isEnabled());
    CSealToSpouseStatusDialog none(single, nullptr, false);
    none.open();
    QTRY_VERIFY(!none.isVisible());
    QCOMPARE(boxes.Calls().back().text, std::string("No Spouses in Filtered Set"));
  }

  void marriageListPagesAndReturnsTheMrin() {
    for (int i = 0; i < 30; ++i)
      QVERIFY(DbSetRelation(AddPerson("Al", kSurnames[i % 8], 'M', 0),
                            AddPerson("Bea", "Vik", 'F', 0), db::kRelHusband, 0) > 0);
    CMarriageSearchListDialog dialog;
    dialog.startMrin = 15;
    dialog.open();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Marriage"));
    auto* list = dialog.Control<QListWidget>(CMarriageSearchListDialog::kIdcList);
    QCOMPARE(list->count(), 21);
    QVERIFY(Row(list, 0).startsWith(QStringLiteral("     5\tAl ")));
    QVERIFY(Row(list, list->currentRow()).startsWith(QStringLiteral("    15\t")));
    Shot(dialog, "marriagelist");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QVERIFY(Row(list, list->currentRow()).startsWith(QStringLiteral("    30\t")));
    auto* search = dialog.Control<QLineEdit>(CMarriageSearchListDialog::kIdcSearch);
    QCOMPARE(search->text(), QStringLiteral("30"));
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("3"));
    QVERIFY(Row(list, list->currentRow()).startsWith(QStringLiteral("     3\t")));
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(dialog.chosenMrin, 3);
  }

 private:
  QTemporaryDir dir;
  int files = 0;
  plat::FakeMessageBox boxes;
  plat::FakeProfile profile;
  plat::FakeProgress progress;
};

QTEST_MAIN(ListDialogsTest)
#include "listdialogs_qtest.moc"
