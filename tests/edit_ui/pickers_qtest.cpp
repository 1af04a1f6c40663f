// The picker dialogs and the event type dialogs: what each button answers,
// what the radio buttons enable, the shorter Add or Select without Unknown,
// the live sample sentence, a predefined type's locks, and New, Edit and
// Delete in Select Event over a family file.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeDialogs.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "PickerDialogs.h"
#include "RecordAccess.h"
#include "TempDir.h"

namespace {

void Shoot(QWidget* window, const char* name) {
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    window->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                        QLatin1String(name) + QStringLiteral(".png"));
}

template <class D>
void WhenModal(std::function<void(D*)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (dialog != nullptr) act(dialog);
  });
}

void Fill(CDefineCustomEventDialog* d, const char* title, const char* shortTitle) {
  d->Control<QLineEdit>(CDefineCustomEventDialog::kIdcTitle)->setText(QString::fromLatin1(title));
  d->Control<QLineEdit>(CDefineCustomEventDialog::kIdcShortTitle)
      ->setText(QString::fromLatin1(shortTitle));
  d->Control<QLineEdit>(CDefineCustomEventDialog::kIdcAbbreviation)->setText(QStringLiteral("Xx"));
  d->Control<QLineEdit>(CDefineCustomEventDialog::kIdcVerb)->setText(QStringLiteral("moved"));
  d->Control<QLineEdit>(CDefineCustomEventDialog::kIdcPreposition)->setText(QStringLiteral("to"));
}

}  // namespace

class PickersTest : public QObject {
  Q_OBJECT

 private slots:
  void sexDialogWithoutAClickAnswersUnknown() {
    const struct {
      int radio;
      int choice;
    } cases[] = {{0, 2},
                 {CSexDialog::kIdcMale, 0},
                 {CSexDialog::kIdcFemale, 1},
                 {CSexDialog::kIdcUnknown, 2}};
    for (const auto& c : cases) {
      CSexDialog dialog;
      WhenModal<CSexDialog>([&c](CSexDialog* d) {
        if (c.radio != 0) d->Control<QRadioButton>(c.radio)->click();
        QTest::keyClick(d, Qt::Key_Escape);  // no Cancel: Esc does nothing
        d->Control<QPushButton>(fw::kIdOk)->click();
      });
      QCOMPARE(dialog.exec(), int(fw::kIdOk));
      QCOMPARE(dialog.choice, c.choice);
    }
  }

  // Add New answers the selection 0-4, Find Existing the selection plus 5.
  void addOrFindAnswersZeroToNine() {
    const int radios[] = {
        CAddOrFindIndividualDialog::kIdcFather, CAddOrFindIndividualDialog::kIdcMother,
        CAddOrFindIndividualDialog::kIdcSpouse, CAddOrFindIndividualDialog::kIdcChild,
        CAddOrFindIndividualDialog::kIdcUnlinked};
    for (int find = 0; find < 2; ++find) {
      for (int index = 0; index < 5; ++index) {
        if (find && index == 4) continue;
        CAddOrFindIndividualDialog dialog(true, true);
        dialog.caption = "Add to Tom Hale";
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add to Tom Hale"));
        QVERIFY(!dialog.IsControlEnabled(CAddOrFindIndividualDialog::kIdcFindExisting));
        dialog.Control<QRadioButton>(radios[index])->click();
        QCOMPARE(dialog.IsControlEnabled(CAddOrFindIndividualDialog::kIdcFindExisting), index != 4);
        dialog
            .Control<QPushButton>(find ? CAddOrFindIndividualDialog::kIdcFindExisting : fw::kIdOk)
            ->click();
        QCOMPARE(dialog.result(), int(fw::kIdOk));
        QCOMPARE(dialog.selection, index + 5 * find);
      }
    }
    CAddOrFindIndividualDialog dialog(false, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.IsControlEnabled(CAddOrFindIndividualDialog::kIdcFather));
    QVERIFY(dialog.IsControlEnabled(CAddOrFindIndividualDialog::kIdcMother));
    Shoot(&dialog, "addorfind");
  }

  void addOrSelectAnswersAndShrinksWithoutUnknown() {
    const struct {
      int button;
      int result;
    } cases[] = {{CAddOrSelectIndividualDialog::kIdcAddNew, 0},
                 {CAddOrSelectIndividualDialog::kIdcSelectExisting, 1},
                 {CAddOrSelectIndividualDialog::kIdcUnknown, 2},
                 {fw::kIdCancel, -1}};
    for (const auto& c : cases) {
      CAddOrSelectIndividualDialog dialog("Tom Hale", 3202, true);
      WhenModal<CAddOrSelectIndividualDialog>(
          [&c](CAddOrSelectIndividualDialog* d) { d->Control<QPushButton>(c.button)->click(); });
      QCOMPARE(dialog.exec(), c.result);
    }
    CAddOrSelectIndividualDialog with("Tom Hale", 3202, true);
    CAddOrSelectIndividualDialog without("Tom Hale", 3202, false);
    with.show();
    without.show();
    QVERIFY(QTest::qWaitForWindowExposed(&without));
    QVERIFY(!without.Control<QPushButton>(CAddOrSelectIndividualDialog::kIdcUnknown)->isVisible());
    QVERIFY(without.height() < with.height());
    QCOMPARE(with.Prompt(), std::string("Individual already exists as a father in this family."));
    CAddOrSelectIndividualDialog empty("", 3202, true);
    QCOMPARE(empty.Prompt(), std::string());
    Shoot(&with, "addorselect");
    Shoot(&without, "addorselect_nounknown");
  }

  void defineCustomEventSampleFollowsTheFields() {
    CDefineCustomEventDialog dialog('I');
    dialog.fields.dateKind = 0;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto sample = [&dialog] { return dialog.GetControlText(CDefineCustomEventDialog::kIdcSample); };
    QCOMPARE(sample(), std::string("He   Yuma, Arizona."));
    QTest::keyClicks(dialog.Control<QLineEdit>(CDefineCustomEventDialog::kIdcVerb), "immigrated");
    QTest::keyClicks(dialog.Control<QLineEdit>(CDefineCustomEventDialog::kIdcPreposition), "to");
    dialog.Control<QRadioButton>(CDefineCustomEventDialog::kIdcDateSingle)->click();
    QCOMPARE(sample(), std::string("He immigrated 29 Feb 1980 to Yuma, Arizona."));
    dialog.Control<QCheckBox>(CDefineCustomEventDialog::kIdcUseDescription)->click();
    dialog.Control<QRadioButton>(CDefineCustomEventDialog::kIdcDateRange)->click();
    QCOMPARE(
        sample(),
        std::string("He immigrated [DESCRIPTION] 15 Mar 1980 - 14 Apr 1982 to Yuma, Arizona."));
    Shoot(&dialog, "definecustomevent");

    CDefineCustomEventDialog predefined('M');
    predefined.fields.title = "Census";
    predefined.fields.predefined = true;
    predefined.show();
    QVERIFY(QTest::qWaitForWindowExposed(&predefined));
    QVERIFY(!predefined.IsControlEnabled(CDefineCustomEventDialog::kIdcTitle));
    QVERIFY(!predefined.IsControlEnabled(fw::kIdOk));
    QCOMPARE(predefined.GetControlText(CDefineCustomEventDialog::kIdcSample).substr(0, 5),
             std::string("They "));
  }

  void selectEventNewEditDelete() {
    TempDir dir;
    QCOMPARE(DbCreate(dir.File("f.orv"), CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(dir.File("f.orv"), CFamilyDatabase::kCurrentFormat), 1);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    CEventTypeRecord census;
    census.title = "Census";
    census.shortTitle = "Cens";
    census.tag = "CENS";
    census.hasTag = 1;
    census.ownerKind = 'I';
    const std::int32_t censusNumber = DbAddRecord(db::kEventType, 0, &census);
    QVERIFY(censusNumber > 0);
    {
      CSelectEventDialog dialog("Anna Hale", 'I');
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Event for Anna Hale"));
      auto* list = dialog.Control<QListWidget>(CSelectEventDialog::kIdcList);
      QCOMPARE(list->count(), 1);
      QVERIFY(!dialog.IsControlEnabled(CSelectEventDialog::kIdcDelete));  // predefined

      // A title equal but for letter case is refused; the dialog stays open.
      WhenModal<CDefineCustomEventDialog>([&boxes](CDefineCustomEventDialog* d) {
        Fill(d, "CENSUS", "Cn");
        d->Control<QPushButton>(fw::kIdOk)->click();
        QVERIFY(d->isVisible());
        QCOMPARE(boxes.Calls().back().text,
                 std::string("The title \"CENSUS\" has already been used. Enter another title."));
        Fill(d, "Adoption", "Adopt");
        d->Control<QPushButton>(fw::kIdOk)->click();
      });
      dialog.Control<QPushButton>(CSelectEventDialog::kIdcNew)->click();
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->currentItem()->text(), QStringLiteral("Adoption"));
      QVERIFY(dialog.IsControlEnabled(CSelectEventDialog::kIdcDelete));
      Shoot(&dialog, "selectevent_types");

      WhenModal<CDefineCustomEventDialog>([](CDefineCustomEventDialog* d) {
        QCOMPARE(d->GetControlText(CDefineCustomEventDialog::kIdcShortTitle), std::string("Adopt"));
        d->Control<QLineEdit>(CDefineCustomEventDialog::kIdcTitle)->setText(QStringLiteral("Walk"));
        d->Control<QPushButton>(fw::kIdOk)->click();
      });
      dialog.Control<QPushButton>(CSelectEventDialog::kIdcEdit)->click();
      QCOMPARE(list->item(1)->text(), QStringLiteral("Walk"));
      QCOMPARE(list->currentRow(), 1);

      boxes.QueueAnswer(plat::kIdYes);
      dialog.Control<QPushButton>(CSelectEventDialog::kIdcDelete)->click();
      QCOMPARE(list->count(), 1);
      // The deleted title stays in use while the dialog is open.
      WhenModal<CDefineCustomEventDialog>([&boxes](CDefineCustomEventDialog* d) {
        Fill(d, "walk", "Wk");
        d->Control<QPushButton>(fw::kIdOk)->click();
        QCOMPARE(boxes.Calls().back().text,
                 std::string("The title \"walk\" has already been used. Enter another title."));
        d->Control<QPushButton>(fw::kIdCancel)->click();
      });
      dialog.Control<QPushButton>(CSelectEventDialog::kIdcNew)->click();
      QCOMPARE(list->count(), 1);
      dialog.Control<QPushButton>(fw::kIdOk)->click();
      QCOMPARE(dialog.result(), int(fw::kIdOk));
      QCOMPARE(dialog.chosen, censusNumber);
    }
    DbCloseCurrent();
  }

  // The picker runs Find, checks the chosen individual and shows a refusal
  // unless the user already answered inside the check.
  void pickRelativeByFindChecksTheChoice() {
    TempDir dir;
    QCOMPARE(DbCreate(dir.File("f.orv"), CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(dir.File("f.orv"), CFamilyDatabase::kCurrentFormat), 1);
    auto add = [](const char* given, char sex) {
      CIndividualRecord person;
      person.surname = "Hale";
      person.givenNames[0] = given;
      person.sex = sex;
      return static_cast<std::int32_t>(family::Add(person, 0));
    };
    const std::int32_t tom = add("Tom", 'M');
    const std::int32_t ann = add("Ann", 'F');
    const std::int32_t eve = add("Eve", 'F');
    QVERIFY(DbSetRelation(tom, ann, db::kRelHusband, 0) > 0);
    const struct {
      const char* what;
      std::int32_t chosen;  // 0: Find is cancelled
      char sex;
      bool show;
      int answer;  // to a question inside the check
      int message;
      std::vector<std::string> boxes;
    } cases[] = {
        {"free to link", eve, 'F', true, 0, 0, {}},
        {"wrong sex shown", eve, 'M', true, 0, 3755, {"The individual must be male."}},
        {"wrong sex kept quiet", eve, 'M', false, 0, 3755, {}},
        {"itself", tom, 0, true, 0, 7054, {"An individual cannot be linked to itself."}},
        {"spouse again, No: no second box",
         ann,
         0,
         true,
         plat::kIdNo,
         3200,
         {"Tom Hale is already in a marriage with Ann Hale.\nDo you want to create another "
          "marriage for them anyway?"}},
        {"cancelled", 0, 0, true, 0, 0, {}},
    };
    for (const auto& c : cases) {
      plat::FakeMessageBox boxes;
      plat::ScopedMessageBox scopedBoxes{&boxes};
      if (c.answer != 0) boxes.QueueAnswer(c.answer);
      const std::int32_t chosen = c.chosen;
      WhenModal<CFindRecordDialog>([chosen](CFindRecordDialog* find) {
        if (chosen == 0) {
          find->reject();
          return;
        }
        find->SetControlText(CFindRecordDialog::kIdcNumber, std::to_string(chosen));
        find->accept();
      });
      int message = -1;
      const std::int32_t result =
          PickRelativeByFind(tom, "Hale, Tom", "Father", c.sex, message, c.show, 0);
      QCOMPARE(result, c.chosen);
      if (c.chosen != 0) QCOMPARE(message, c.message);
      std::vector<std::string> shown;
      for (const auto& call : boxes.Calls()) shown.push_back(call.text);
      QVERIFY2(shown == c.boxes, c.what);
    }
    int message = -1;
    QCOMPARE(SelectExistingRelative(nullptr, "Father", 'M', message, true, 0), 0);
    DbCloseCurrent();
  }
};

QTEST_MAIN(PickersTest)
#include "pickers_qtest.moc"
