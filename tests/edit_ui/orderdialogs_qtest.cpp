// Spouse Order, Child Order and Other Marriages on a small family file:
// the lines, the moves, the stored order and the results; screenshots when
// KORVANE_SHOTS names a folder.
#include <QListWidget>
#include <QtTest>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OrderDialogs.h"
#include "RecordAccess.h"
#include "UiTestSupport.h"

using namespace editui;
using List = std::vector<std::int32_t>;

namespace {

std::int32_t AddPerson(const char* surname, const char* given, char sex) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  person.birth.date.Set(1900, 1, 2);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

QStringList Rows(QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

}  // namespace

class OrderDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    file = std::make_unique<TempFamily>();
    QVERIFY(file->Opened());
    // A wife of unknown sex must not be listed as her own spouse.
    me = AddPerson("Berg", "Una", 'U');
    for (const char* given : {"Arne", "Bjorn", "Carl"}) {
      const std::int32_t h = AddPerson("Dahl", given, 'M');
      marriages.push_back(DbSetRelation(h, me, db::kRelHusband, 0));
    }
    for (const char* given : {"Eva", "Finn", "Gro"}) {
      kids.push_back(AddPerson("Dahl", given, 'U'));
      QVERIFY(DbSetRelation(kids.back(), 0, db::kRelParents, marriages[0]) > 0);
    }
  }
  void cleanup() {
    file.reset();
    marriages.clear();
    kids.clear();
  }

  void spouseOrderMovesAndStores() {
    CSpouseChildOrderDialog dialog(nullptr, me, COrderList::kSpouses, 0);
    dialog.gate.checkPassword = [] { return true; };
    auto* list = dialog.Control<QListWidget>(CSpouseChildOrderDialog::kIdcList);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Spouse Order"));
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("Arne Dahl")));
    QCOMPARE(dialog.GetControlText(CSpouseChildOrderDialog::kIdcOrder), std::string("1"));
    Shot(dialog, "spouse_order");
    dialog.Spin(-1);  // already first
    QCOMPARE(dialog.Order().Numbers(), marriages);
    dialog.Spin(+1);
    QCOMPARE(dialog.GetControlText(CSpouseChildOrderDialog::kIdcOrder), std::string("2"));
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("Bjorn Dahl")));
    dialog.accept();
    QCOMPARE(dialog.result(), 5 + 1);
    List stored;
    DbGetRelation(me, db::kRelMarriages, 3, stored);
    QCOMPARE(stored, (List{marriages[1], marriages[0], marriages[2]}));
  }

  void childOrderRefusedPasswordStoresNothing() {
    CSpouseChildOrderDialog dialog(nullptr, marriages[0], COrderList::kChildren, 2);
    bool allow = false;
    dialog.gate.checkPassword = [&] { return allow; };
    auto* list = dialog.Control<QListWidget>(CSpouseChildOrderDialog::kIdcList);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Child Order"));
    QCOMPARE(dialog.GetControlText(CSpouseChildOrderDialog::kIdcNameLabel), std::string("&Child:"));
    QCOMPARE(list->currentRow(), 2);
    Shot(dialog, "child_order");
    dialog.Spin(-1);
    dialog.show();
    dialog.accept();
    QVERIFY(dialog.isVisible());
    List stored;
    DbGetRelation(marriages[0], db::kRelChildren, 3, stored);
    QCOMPARE(stored, kids);
    allow = true;
    dialog.accept();
    QCOMPARE(dialog.result(), 5 + 1);
    DbGetRelation(marriages[0], db::kRelChildren, 3, stored);
    QCOMPARE(stored, (List{kids[0], kids[2], kids[1]}));
  }

  void otherMarriagesAnswersFivePlusTheLine() {
    CMarriageRecord m;
    QCOMPARE(family::Read(m, marriages[2]), 1);
    m.status = 'D';
    QCOMPARE(family::Update(m, 0), 1);
    COtherMarriagesDialog dialog(nullptr, me, 1);
    auto* list = dialog.Control<QListWidget>(COtherMarriagesDialog::kIdcList);
    QCOMPARE(Rows(list).size(), 3);
    QVERIFY(Rows(list)[2].startsWith(QStringLiteral("Carl Dahl")));
    QVERIFY(Rows(list)[2].endsWith(QStringLiteral("(D)")));
    QCOMPARE(list->currentRow(), 1);
    Shot(dialog, "other_marriages");
    list->setCurrentRow(2);
    dialog.accept();
    QCOMPARE(dialog.result(), 5 + 2);
  }

 private:
  std::unique_ptr<TempFamily> file;
  std::int32_t me = 0;
  List marriages, kids;
};

QTEST_MAIN(OrderDialogsTest)
#include "orderdialogs_qtest.moc"
