// The Find dialog on a real family file: what it shows when it opens, the
// mode buttons, the range check, the live-record check on OK and the
// marriage follow-up, driven through its controls.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FindRecordDialog.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "QtPorts.h"
#include "RecordAccess.h"

namespace {

using Dialog = CFindRecordDialog;

std::int32_t AddPerson(char sex) {
  CIndividualRecord person;
  person.surname = "Lind";
  person.givenNames[0] = "Per";
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

QString Title(const Dialog& d) { return d.windowTitle(); }
QString Text(const Dialog& d, int id) { return fw::ToQString(d.GetControlText(id)); }

void Type(Dialog& d, const char* text) {
  auto* edit = d.Control<QLineEdit>(Dialog::kIdcNumber);
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromLatin1(text));
}

void Click(Dialog& d, int id) { QTest::mouseClick(d.GetControl(id), Qt::LeftButton); }

// Every label and button is at least as wide as its text needs.
void CheckNothingCut(const Dialog& d) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  for (QWidget* w : d.findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w)) continue;
    if (!w->isVisible()) continue;
    QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
  }
}

}  // namespace

class FindDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes.Clear();
    plat::SetMessageBoxPort(&boxes);
    const std::string path =
        dir.filePath(QStringLiteral("family%1.orv").arg(++files)).toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
  }
  void cleanup() {
    DbCloseCurrent();
    plat::SetMessageBoxPort(nullptr);
  }

  void opensOnTheLiveRange() {
    for (int i = 1; i <= 40; ++i) QCOMPARE(AddPerson('M'), i);
    QCOMPARE(DbDeleteRecord(1, db::kIndividual), 1);
    QCOMPARE(DbDeleteRecord(2, db::kIndividual), 1);

    Dialog dialog;
    dialog.find.number = 1;
    dialog.find.marriageMode = true;  // no live marriages: refused
    dialog.open();
    QCOMPARE(Text(dialog, Dialog::kIdcNumber), QStringLiteral("3"));
    QCOMPARE(Text(dialog, Dialog::kIdcRange), QStringLiteral("Valid Range: 3 to 40"));
    QCOMPARE(Text(dialog, Dialog::kIdcLabel), QStringLiteral("RIN:"));
    QCOMPARE(Title(dialog), QStringLiteral("Find Individual"));
    QCOMPARE(dialog.GetCheck(Dialog::kIdcIndividualRadio), 1);
    QVERIFY(!dialog.IsControlEnabled(Dialog::kIdcMarriageRadio));
    QVERIFY(dialog.IsControlEnabled(Dialog::kIdcIndividualRadio));
    CheckNothingCut(dialog);

    // Outside the range: the framework's message, the dialog stays.
    Type(dialog, "41");
    Click(dialog, fw::kIdOk);
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, std::string("Please enter an integer between 3 and 40."));
    // A deleted individual inside the range: string 7160 with "RIN" twice.
    QCOMPARE(DbDeleteRecord(17, db::kIndividual), 1);
    Type(dialog, "17");
    Click(dialog, fw::kIdOk);
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.Calls().back().text,
             std::string("This RIN has been deleted ...\nplease select another RIN"));
    Type(dialog, "18");
    Click(dialog, fw::kIdOk);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(dialog.find.number, 18);
    QVERIFY(!dialog.find.marriageMode);
    QCOMPARE(boxes.Calls().size(), std::size_t{2});

    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      dialog.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/find.png"));
  }

  void modeButtonsSwitchRangeLabelAndTitle() {
    for (int i = 1; i <= 6; ++i) AddPerson(i % 2 ? 'M' : 'F');
    QCOMPARE(DbSetRelation(1, 2, db::kRelHusband, 0), 1);
    QCOMPARE(DbSetRelation(3, 4, db::kRelHusband, 0), 2);

    Dialog dialog;
    dialog.find.number = 5;
    dialog.open();
    QVERIFY(dialog.IsControlEnabled(Dialog::kIdcMarriageRadio));
    Click(dialog, Dialog::kIdcMarriageRadio);
    QCOMPARE(dialog.GetCheck(Dialog::kIdcMarriageRadio), 1);
    QCOMPARE(Text(dialog, Dialog::kIdcLabel), QStringLiteral("MRIN:"));
    QCOMPARE(Text(dialog, Dialog::kIdcRange), QStringLiteral("Valid Range: 1 to 2"));
    QCOMPARE(Text(dialog, Dialog::kIdcNumber), QStringLiteral("2"));  // 5 clamped
    QCOMPARE(Title(dialog), QStringLiteral("Find Marriage"));
    CheckNothingCut(dialog);
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      dialog.grab().save(qEnvironmentVariable("KORVANE_SHOTS") +
                         QStringLiteral("/find-marriage.png"));

    Type(dialog, "1");
    Click(dialog, Dialog::kIdcIndividualRadio);
    QCOMPARE(Text(dialog, Dialog::kIdcLabel), QStringLiteral("RIN:"));
    QCOMPARE(Text(dialog, Dialog::kIdcRange), QStringLiteral("Valid Range: 1 to 6"));
    QCOMPARE(Title(dialog), QStringLiteral("Find Individual"));
    // Back to MRIN: the typed number is taken along.
    Type(dialog, "1");
    Click(dialog, Dialog::kIdcMarriageRadio);
    QCOMPARE(Text(dialog, Dialog::kIdcNumber), QStringLiteral("1"));
    Click(dialog, fw::kIdOk);
    QCOMPARE(dialog.result(), fw::kIdOk);
    QVERIFY(dialog.find.marriageMode);
    QCOMPARE(dialog.find.number, 1);
  }

  void marriageFollowUpOnOk() {
    const std::int32_t husband = AddPerson('M'), wife = AddPerson('F'), child = AddPerson('F');
    const std::int32_t family = DbSetRelation(husband, wife, db::kRelHusband, 0);
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, family) > 0);
    CMarriageRecord empty;
    const std::int32_t nobody = DbAddRecord(db::kMarriage, 0, &empty);

    Dialog dialog;
    dialog.find.individualAllowed = false;  // forces marriage mode
    dialog.find.followUp = shell::FindRecordLogic::kFollowUpChildFirst;
    dialog.find.number = nobody;
    dialog.open();
    QCOMPARE(Title(dialog), QStringLiteral("Find Marriage"));
    QVERIFY(!dialog.IsControlEnabled(Dialog::kIdcIndividualRadio));
    Click(dialog, fw::kIdOk);
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.Calls().back().text, "MRIN " + std::to_string(nobody) + " has no spouses");
    Type(dialog, std::to_string(family).c_str());
    Click(dialog, fw::kIdOk);
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(dialog.find.number, child);
    QVERIFY(!dialog.find.marriageMode);
  }

  void cancelEndsWithoutChecks() {
    AddPerson('M');
    Dialog dialog;
    dialog.open();
    Type(dialog, "abc");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), fw::kIdCancel);
    QVERIFY(boxes.Calls().empty());
  }

 private:
  QTemporaryDir dir;
  int files = 0;
  plat::FakeMessageBox boxes;
};

QTEST_MAIN(FindDialogTest)
#include "finddialog_qtest.moc"
