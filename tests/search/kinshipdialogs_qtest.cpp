// The relationship tools' dialogs on a real family file, driven through
// their controls: the Relationship Calculator, Set Relationship Indicators,
// the Soundex and Date Calculators and the Descendancy List. With
// KORVANE_SHOTS set, each saves its picture there.
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "CalculatorDialogs.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DescendancyListDialog.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "KinshipWidgets.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "RelationshipCalculatorDialog.h"
#include "RelationshipIndicatorsDialog.h"

namespace {

std::int32_t AddPerson(const char* given, char sex, int born) {
  CIndividualRecord person;
  person.surname = "Lind";
  person.givenNames[0] = given;
  person.sex = sex;
  if (born) person.birth.date.Set(born, 3, 12);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
  return DbSetRelation(husband, wife, db::kRelHusband, 0);
}

void AddChild(std::int32_t mrin, std::int32_t child) {
  QVERIFY(DbSetRelation(child, 0, db::kRelParents, mrin) > 0);
}

void Shot(QWidget& w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                QString::fromLatin1(name) + QStringLiteral(".png"));
}

QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

void Type(QLineEdit* edit, const char* text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromLatin1(text));
}

}  // namespace

class KinshipDialogsTest : public QObject {
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
    gf = AddPerson("Arne", 'M', 1900);
    gm = AddPerson("Berit", 'F', 1902);
    const std::int32_t grand = Marry(gf, gm);
    dad = AddPerson("Dag", 'M', 1925);
    AddChild(grand, dad);
    mom = AddPerson("Gun", 'F', 1926);
    const std::int32_t parents = Marry(dad, mom);
    me = AddPerson("Ivar", 'M', 1950);
    AddChild(parents, me);
    sis = AddPerson("Jana", 'F', 1952);
    AddChild(parents, sis);
  }
  void cleanup() {
    DbCloseCurrent();
    plat::SetMessageBoxPort(nullptr);
    plat::SetProfilePort(nullptr);
    plat::SetProgressPort(nullptr);
  }

  void relationshipCalculatorShowsLinesAndSentence() {
    using D = CRelationshipCalculatorDialog;
    D dialog(gf);
    dialog.resize(dialog.sizeHint());
    dialog.open();
    QCOMPARE(dialog.GetControlText(D::kIdcName1), std::string("Arne Lind"));
    QCOMPARE(dialog.GetControlText(D::kIdcRin1), std::to_string(gf));
    QCOMPARE(dialog.GetControlText(D::kIdcSpouse1a), std::string("Berit Lind"));
    QCOMPARE(dialog.GetControlText(D::kIdcKeyEvent1), std::string("b.1900"));
    dialog.SetPerson(2, me);
    QCOMPARE(dialog.GetControlText(D::kIdcFather2), std::string("Dag Lind"));
    QTest::mouseClick(dialog.GetControl(D::kIdcCalculate), Qt::LeftButton);
    QCOMPARE(Rows(dialog.Control<QListWidget>(D::kIdcResults)),
             QStringList{QStringLiteral("Arne Lind\tGDad")});
    QCOMPARE(Rows(dialog.Control<QListWidget>(D::kIdcLine1)),
             QStringList{QStringLiteral("Arne Lind\tb.1900")});
    QCOMPARE(Rows(dialog.Control<QListWidget>(D::kIdcLine2)).size(), 3);
    QCOMPARE(dialog.Control<QPlainTextEdit>(D::kIdcSentence)->toPlainText(),
             QStringLiteral("Arne Lind is the grandfather of Ivar Lind."));
    QVERIFY(boxes.Calls().empty());
    Shot(dialog, "relationship");
    QTest::mouseClick(dialog.GetControl(fw::kIdCancel), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
  }

  void relationshipCalculatorWithoutSecondPersonAsks() {
    using D = CRelationshipCalculatorDialog;
    D dialog(0);
    dialog.open();
    QCOMPARE(dialog.GetControlText(D::kIdcName1), std::string());
    QTest::mouseClick(dialog.GetControl(D::kIdcCalculate), Qt::LeftButton);
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, std::string("Please select two people first."));
  }

  void soundexCodesWhileTyping() {
    using D = CSoundexCalculatorDialog;
    D dialog;
    dialog.open();
    auto* name = dialog.Control<QLineEdit>(D::kIdcName);
    const struct {
      const char* name;
      const char* code;
    } cases[] = {{"Tymczak", "T522"}, {"Pfister", "P236"}, {"Van Dyke", "V532"},
                 {"O'Brien", "O165"}, {"A", "A000"},       {"", ""}};
    for (const auto& c : cases) {
      name->clear();
      QTest::keyClicks(name, QString::fromLatin1(c.name));
      QCOMPARE(dialog.GetControlText(D::kIdcCode), std::string(c.code));
    }
    QTest::keyClicks(name, QStringLiteral("Ashcraft"));
    Shot(dialog, "soundex");
  }

  void dateCalculatorComputesTheMissingPortion() {
    using D = CDateCalculatorDialog;
    D dialog;
    dialog.open();
    Type(dialog.Control<QLineEdit>(D::kIdcStart), "10 Jan 2000");
    Type(dialog.Control<QLineEdit>(D::kIdcEnd), "5 Mar 2001");
    QTest::mouseClick(dialog.GetControl(D::kIdcCalculate), Qt::LeftButton);
    QCOMPARE(dialog.GetControlText(D::kIdcYears), std::string("1"));
    QCOMPARE(dialog.GetControlText(D::kIdcMonths), std::string("1"));
    QCOMPARE(dialog.GetControlText(D::kIdcDays), std::string("23"));
    QCOMPARE(dialog.Control<QCalendarWidget>(D::kIdcEndCalendar)->selectedDate(),
             QDate(2001, 3, 5));
    Shot(dialog, "datecalc");

    // All three filled: the Solver decides; here the end is computed.
    dialog.solver = [] { return kin::CDateCalculatorLogic::kSolveEnd; };
    Type(dialog.Control<QLineEdit>(D::kIdcStart), "31 Jan 2000");
    Type(dialog.Control<QLineEdit>(D::kIdcYears), "0");
    Type(dialog.Control<QLineEdit>(D::kIdcMonths), "1");
    Type(dialog.Control<QLineEdit>(D::kIdcDays), "0");
    QTest::mouseClick(dialog.GetControl(D::kIdcCalculate), Qt::LeftButton);
    QCOMPARE(dialog.logic.endValue.day, 29);
    QCOMPARE(dialog.logic.endValue.month, 2);

    // A year before October 1752 replaces the calendar by the note.
    QTest::mouseClick(dialog.GetControl(D::kIdcClear), Qt::LeftButton);
    Type(dialog.Control<QLineEdit>(D::kIdcStart), "1700");
    Type(dialog.Control<QLineEdit>(D::kIdcDays), "1");
    QTest::mouseClick(dialog.GetControl(D::kIdcCalculate), Qt::LeftButton);
    QVERIFY(dialog.GetControl(D::kIdcStartNote)->isVisible());
    QVERIFY(!dialog.GetControl(D::kIdcStartCalendar)->isVisible());
    QCOMPARE(dialog.logic.endValue.day, 2);
    QCOMPARE(dialog.logic.endValue.year, 1700);
    Shot(dialog, "datecalc_note");

    // Fewer than two portions.
    QTest::mouseClick(dialog.GetControl(D::kIdcClear), Qt::LeftButton);
    QTest::mouseClick(dialog.GetControl(D::kIdcCalculate), Qt::LeftButton);
    QCOMPARE(boxes.Calls().back().text,
             std::string("You must fill in at least two of the three portions: Start, "
                         "Difference, End."));
  }

  void solverAnswersByButton() {
    using D = CDateCalculatorSolverDialog;
    const struct {
      int id;
      int result;
    } cases[] = {
        {D::kIdcStart, 1}, {D::kIdcDifference, 998}, {D::kIdcEnd, 999}, {fw::kIdCancel, 2}};
    for (const auto& c : cases) {
      D dialog;
      dialog.open();
      QTest::mouseClick(dialog.GetControl(c.id), Qt::LeftButton);
      QCOMPARE(dialog.result(), c.result);
    }
    D shown;
    shown.show();
    Shot(shown, "solver");
  }

  void setRelationshipIndicatorsStoresCodes() {
    using D = CSetRelationshipIndicatorsDialog;
    QCOMPARE(DbSetRelationshipIndicator(gm, "9MN9"), 1);
    D dialog(me);
    dialog.showRelationships = 1;
    dialog.open();
    QCOMPARE(dialog.GetControlText(D::kIdcRootName), std::string("Ivar Lind"));
    QCOMPARE(dialog.GetCheck(D::kIdcShow), 1);
    Shot(dialog, "indicators");
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), fw::kIdOk);
    CIndividualRecord record;
    QCOMPARE(DbGetIndividualRecord(sis, record, 10), 1);
    QCOMPARE(record.linkText, std::string("1FN1"));
    QCOMPARE(DbGetIndividualRecord(gm, record, 10), 1);
    QCOMPARE(record.linkText, std::string("0FN2"));

    // Check box off after it was on: everything is cleared.
    D off(me);
    off.showRelationships = 1;
    off.open();
    off.SetCheck(D::kIdcShow, 0);
    QTest::mouseClick(off.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(off.showRelationships, 0);
    QCOMPARE(DbGetIndividualRecord(sis, record, 10), 1);
    QCOMPARE(record.linkText, std::string());
  }

  void runSetRelationshipIndicatorsKeepsTheFileOption() {
    using D = CSetRelationshipIndicatorsDialog;
    CurrentDatabase->SetFileOption(1, 0);
    QCOMPARE(CurrentDatabase->GetFileOption(1), 0);
    bool checkedAtOpening = true;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      checkedAtOpening = dialog->GetCheck(D::kIdcShow) == 1;
      dialog->SetCheck(D::kIdcShow, 1);
      QTest::mouseClick(dialog->GetControl(fw::kIdOk), Qt::LeftButton);
    });
    QCOMPARE(RunSetRelationshipIndicators(nullptr, me), fw::kIdOk);
    QVERIFY(!checkedAtOpening);
    QCOMPARE(CurrentDatabase->GetFileOption(1), 1);
    CIndividualRecord record;
    QCOMPARE(DbGetIndividualRecord(me, record, 10), 1);
    QCOMPARE(record.linkText, std::string("0UN0"));
  }

  void descendancyListMovesAndChooses() {
    using D = CDescendancyListDialog;
    D dialog(me);
    dialog.open();
    auto* list = dialog.Control<QListWidget>(D::kIdcList);
    QCOMPARE(list->count(), 4);  // father, mother, me, sister
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(!dialog.IsControlEnabled(D::kIdcPrevious));
    Shot(dialog, "descendancy");
    // A click on the father makes him the centre: his parents, him among
    // his siblings, his wife and children.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(dialog.Model().Current(), dad);
    Shot(dialog, "descendancy_father");
    QVERIFY(dialog.IsControlEnabled(D::kIdcPrevious));
    QVERIFY(
        Rows(list).contains(QStringLiteral("      Gun Lind\t\t") +
                            fw::ToQString(record(mom).birth.date.FormatColumns(false, 0, false)) +
                            QStringLiteral("\t\t\t\t\t")));
    QTest::mouseClick(dialog.GetControl(D::kIdcPrevious), Qt::LeftButton);
    QCOMPARE(dialog.Model().Current(), me);
    QVERIFY(dialog.IsControlEnabled(D::kIdcNext));
    // The space bar on the sister makes her the centre; Previous goes back.
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(dialog.Model().Current(), sis);
    QTest::mouseClick(dialog.GetControl(D::kIdcPrevious), Qt::LeftButton);
    QCOMPARE(dialog.Model().Current(), me);
    list->setCurrentRow(3);
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(dialog.rin, sis);
  }

  // The space bar re-centres the list on the chosen person and leaves the
  // highlight on that person's line, so that OK returns that person.
  void descendancyListSpaceKeepsTheHighlight() {
    using D = CDescendancyListDialog;
    D dialog(me);
    dialog.open();
    auto* list = dialog.Control<QListWidget>(D::kIdcList);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(dialog.Model().Current(), dad);
    QCOMPARE(list->currentRow(), dialog.Model().CurrentLine());
    QVERIFY2(list->currentItem()->text().contains(QStringLiteral("Dag")),
             qPrintable(list->currentItem()->text()));
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(dialog.rin, dad);
  }

  void descendancyListKeysStayOnTheRealLines() {
    using D = CDescendancyListDialog;
    // Ivar's second wife stands far down his list; her own list is short, so
    // filler lines keep the selected line after the move to her.
    const std::int32_t first = DbSetRelation(me, 0, db::kRelHusband, 0);
    for (const char* given : {"Ola", "Per", "Rut", "Siv", "Tor"})
      AddChild(first, AddPerson(given, 'M', 1975));
    const std::int32_t second = AddPerson("Una", 'F', 1955);
    Marry(me, second);
    D dialog(me);
    dialog.open();
    auto* list = dialog.Control<QListWidget>(D::kIdcList);
    int far = -1;
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->text().contains(QStringLiteral("Una"))) far = i;
    QVERIFY(far > 5);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(far)).center());
    QCOMPARE(dialog.Model().Current(), second);
    const int last = dialog.Model().RealLineCount() - 1;
    QVERIFY(list->count() > last + 1);  // filler lines follow
    Shot(dialog, "descendancy_filler");
    list->setCurrentRow(0);
    for (int key : {Qt::Key_End, Qt::Key_Down, Qt::Key_Right}) {
      QTest::keyClick(list, Qt::Key(key));
      QCOMPARE(list->currentRow(), last);
    }
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_PageDown);
    QCOMPARE(list->currentRow(), last);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentRow(), last - 1);  // other keys as usual
  }

  void descendancyListRefusesAMissingParent() {
    using D = CDescendancyListDialog;
    const std::int32_t single = DbSetRelation(mom, 0, db::kRelWife, 0);
    const std::int32_t child = AddPerson("Lone", 'M', 1960);
    AddChild(single, child);
    D dialog(child);
    dialog.open();
    auto* list = dialog.Control<QListWidget>(D::kIdcList);
    QCOMPARE(list->item(0)->text(), QStringLiteral("UNKNOWN"));
    Shot(dialog, "descendancy_unknown");
    list->setCurrentRow(0);
    QTest::mouseClick(dialog.GetControl(fw::kIdOk), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.Calls().back().text, std::string("Invalid Selection"));
  }

  void placeAtParentBottom() {
    QWidget parent;
    parent.setGeometry(100, 200, 600, 500);
    parent.show();
    QDialog child(&parent);
    child.resize(200, 100);
    PlaceWindowAtParentBottom(&child);
    const QRect frame = child.frameGeometry();
    QCOMPARE(frame.bottom(), parent.frameGeometry().bottom());
    QCOMPARE(frame.center().x(), parent.frameGeometry().center().x());
    // Taller than the room above the parent's bottom: the top stays on screen.
    QDialog tall(&parent);
    tall.resize(200, 5000);
    PlaceWindowAtParentBottom(&tall);
    QVERIFY(tall.frameGeometry().top() >= parent.screen()->availableGeometry().top());
    QCOMPARE(tall.frameGeometry().top(), parent.screen()->availableGeometry().top());
  }

 private:
  static CIndividualRecord record(std::int32_t rin) {
    CIndividualRecord r;
    DbGetIndividualRecord(rin, r, 10);
    return r;
  }

  QTemporaryDir dir;
  int files = 0;
  plat::FakeMessageBox boxes;
  plat::FakeProfile profile;
  plat::FakeProgress progress;
  std::int32_t gf = 0, gm = 0, dad = 0, mom = 0, me = 0, sis = 0;
};

QTEST_MAIN(KinshipDialogsTest)
#include "kinshipdialogs_qtest.moc"
