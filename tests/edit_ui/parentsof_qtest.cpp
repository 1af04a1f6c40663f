// Parents of on small family files: make primary, spin, unlink, the
// relationship and its warning, a single family and a read-only file;
// screenshots when KORVANE_SHOTS names a folder.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "AddParentsDialog.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "NotesDialogs.h"
#include "ParentsOfDialog.h"
#include "RecordAccess.h"
#include "SourceDialogs.h"
#include "SourceRecord.h"
#include "TestHelpers.h"
#include "UiTestSupport.h"

using namespace editui;
using List = std::vector<std::int32_t>;

namespace {

std::int32_t AddPerson(const char* surname, const std::string& given, char sex) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

// The parents' MRINs in the child's stored chain order.
List StoredParents(std::int32_t child) {
  List links, out;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, child, 0);
  for (std::int32_t n : links) {
    CFamilyLinkRecord link;
    if (DbGetRecord(n, db::kFamilyLink, &link) == 1) out.push_back(link.mrin);
  }
  return out;
}

// Shown on a writable or a read-only file, the password granted.
void Show(CParentsOfDialog& dialog, bool readOnly) {
  dialog.gate = {[readOnly] { return readOnly; }, [] { return true; }};
  dialog.show();
  QCoreApplication::processEvents();
}

// The parents' MRINs walked from the child's first link along the next
// numbers; empty when the walk does not come back to the first link.
List WalkedChain(std::int32_t child) {
  CIndividualRecord person;
  DbGetRecord(child, db::kIndividual, &person);
  const std::int32_t head = person.numbers[CIndividualRecord::kParentLink];
  List out;
  for (std::int32_t n = head; n != 0 && out.size() < 10;) {
    CFamilyLinkRecord link;
    if (DbGetRecord(n, db::kFamilyLink, &link) != 1) return {};
    out.push_back(link.mrin);
    n = link.nextInParents;
    if (n == head) return out;
  }
  return head == 0 ? out : List{};
}

std::int32_t PrimaryParents(std::int32_t child) {
  CIndividualRecord person;
  DbGetRecord(child, db::kIndividual, &person);
  return person.numbers[CIndividualRecord::kParentsMrin];
}

}  // namespace

class ParentsOfTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    file = std::make_unique<TempFamily>();
    QVERIFY(file->Opened());
  }
  void cleanup() {
    file.reset();
    mrins.clear();
  }

  void relationshipItemsKeepTheirLetters() {
    const std::vector<RelationshipItem> withSealing = RelationshipItems(true);
    QCOMPARE(withSealing.size(), std::size_t(6));
    QCOMPARE(withSealing[0].text, std::string("Biological"));
    QCOMPARE(withSealing[3].letter, 's');
    QCOMPARE(withSealing[5].text, std::string("Disproved"));
    QCOMPARE(withSealing[5].letter, 'd');
    const std::vector<RelationshipItem> without = RelationshipItems(false);
    QCOMPARE(without.size(), std::size_t(5));
    QCOMPARE(without[3].letter, 'c');
    QCOMPARE(without[3].text, std::string("Challenged"));
  }

  void reorderAndOkStoreTheChain() {
    const std::int32_t child = MakeChild(3);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    CParentsOfDialog dialog(child, false);
    Show(dialog, false);
    auto* list = dialog.Control<QListWidget>(CParentsOfDialog::kIdcList);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Parents of Ann Child"));
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(0)->text().startsWith(QLatin1Char('*')));
    QVERIFY(!dialog.IsControlEnabled(CParentsOfDialog::kIdcMakePrimary));
    Shot(dialog, "parents_of");
    list->setCurrentRow(2);
    QVERIFY(dialog.IsControlEnabled(CParentsOfDialog::kIdcMakePrimary));
    dialog.MakePrimary();
    QVERIFY(list->item(0)->text().startsWith(QLatin1Char('*')));
    QVERIFY(list->item(1)->text().startsWith(QLatin1Char(' ')));
    QCOMPARE(list->currentRow(), 0);
    dialog.Spin(+1);
    QCOMPARE(list->currentRow(), 1);
    // Nothing is stored before OK.
    QCOMPARE(StoredParents(child), mrins);
    dialog.accept();
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QCOMPARE(StoredParents(child), (List{mrins[0], mrins[2], mrins[1]}));
    QCOMPARE(PrimaryParents(child), mrins[0]);
    QVERIFY(boxes.Calls().empty());
  }

  void notesOpenForTheIndividualAndMarkTheCaption() {
    const std::int32_t child = MakeChild(1);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    CParentsOfDialog dialog(child, false);
    Show(dialog, false);
    QVERIFY(dialog.IsControlEnabled(CParentsOfDialog::kIdcNotes));
    QCOMPARE(dialog.GetControlText(CParentsOfDialog::kIdcNotes), std::string("N&otes"));
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* notes = qobject_cast<notesui::CNotesDialog*>(QApplication::activeModalWidget());
      if (notes == nullptr) return;
      seen = notes->session.Rin() == child && notes->session.Kind() == 'I';
      notes->SetControlText(notesui::CNotesDialog::kIdcText, "Raised by an aunt.");
      notes->Control<QPushButton>(fw::kIdOk)->click();
    });
    dialog.Control<QPushButton>(CParentsOfDialog::kIdcNotes)->click();
    QVERIFY(seen);
    QCOMPARE(dialog.GetControlText(CParentsOfDialog::kIdcNotes), std::string("*N&otes"));
  }

  void sealingRowStoresOnOkAndItsSourcesButtonCitesTheLink() {
    const std::int32_t child = MakeChild(1);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    CSourceRecord register_;
    register_.title = "Temple records";
    QVERIFY(DbAddRecord(db::kSource, 1, &register_) > 0);
    {
      CParentsOfDialog dialog(child, false);
      Show(dialog, false);
      QVERIFY(dialog.GetControl(CParentsOfDialog::kIdcSealingDate)->isVisible());
      QCOMPARE(dialog.GetControlText(CParentsOfDialog::kIdcSealingSources), std::string("S"));
      dialog.Control<QLineEdit>(CParentsOfDialog::kIdcSealingDate)
          ->setText(QStringLiteral("4 Jun 1925"));
      dialog.Control<QComboBox>(CParentsOfDialog::kIdcSealingTemple)
          ->setEditText(QStringLiteral("LOGAN"));
      // "S": a citation made in Sources for (its source picked first, as
      // the link has none) hangs on the family link.
      std::int32_t owner = 0;
      char letter = 0;
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* pick = qobject_cast<notesui::CSelectSourceDialog*>(modal)) {
          pick->Control<QListWidget>(notesui::CSelectSourceDialog::kIdcList)->setCurrentRow(0);
          pick->Control<QPushButton>(fw::kIdOk)->click();
        } else if (auto* sources = qobject_cast<notesui::CSourcesForDialog*>(modal)) {
          poll.stop();
          owner = sources->model.Shown().ownerNumber;
          letter = sources->model.Shown().ownerLetter;
          sources->SetControlText(notesui::CSourcesForDialog::kIdcPage, "book 4");
          sources->Control<QPushButton>(fw::kIdOk)->click();
        }
      });
      poll.start(10);
      dialog.Control<QPushButton>(CParentsOfDialog::kIdcSealingSources)->click();
      QCOMPARE(letter, 'p');
      QCOMPARE(owner, dialog.Links().Link(0).linkNumber);
      QCOMPARE(dialog.GetControlText(CParentsOfDialog::kIdcSealingSources), std::string("*S"));
      Shot(dialog, "parents_of_sealing");
      dialog.accept();
    }
    CParentsOfDialog again(child, false);
    Show(again, false);
    QCOMPARE(again.Control<QComboBox>(CParentsOfDialog::kIdcSealingTemple)->currentText(),
             QStringLiteral("LOGAN"));
    QVERIFY(!again.Control<QLineEdit>(CParentsOfDialog::kIdcSealingDate)->text().isEmpty());
    QCOMPARE(again.GetControlText(CParentsOfDialog::kIdcSealingSources), std::string("*S"));
    QVERIFY(boxes.Calls().empty());
  }

  // One, two and three parent families, with ZEL data shown and hidden:
  // the steps on screen, then OK; the stored chain is in the new order and
  // closes on its first link, which gives the primary parents, and the
  // in-memory individual follows.
  void everyFamilyCountWithAndWithoutZel() {
    struct Step {
      char what;  // 'c' select row, 'p' make primary, 's' spin by arg, 'u' unlink
      int arg;
    };
    struct Case {
      int families;
      std::vector<Step> steps;
      std::vector<int> order;  // indexes into the families made
    };
    const Case cases[] = {
        {1, {{'c', 0}, {'u', 0}}, {}},
        {2, {{'c', 1}, {'p', 0}, {'c', 1}, {'u', 0}}, {1}},
        {3, {{'c', 2}, {'p', 0}, {'s', +1}, {'c', 2}, {'u', 0}}, {0, 2}},
        {3, {{'c', 1}, {'s', +1}, {'c', 0}, {'s', -1}}, {0, 2, 1}},
    };
    const NodeOptions saved = GetNodeOptions();
    for (const bool zel : {true, false}) {
      NodeOptions options = saved;
      options.showZel = zel;
      SetNodeOptions(options);
      for (const Case& c : cases) {
        const QString what = QStringLiteral("%1 families, ZEL %2").arg(c.families).arg(zel);
        mrins.clear();
        const std::int32_t child = MakeChild(c.families);
        CIndividualRecord record;
        QCOMPARE(DbGetRecord(child, db::kIndividual, &record), 1);
        CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
        node->AddRef();
        plat::FakeMessageBox boxes;
        plat::ScopedMessageBox scoped{&boxes};
        {
          CParentsOfDialog dialog(child, false, nullptr, node);
          Show(dialog, false);
          auto* list = dialog.Control<QListWidget>(CParentsOfDialog::kIdcList);
          auto* relation = dialog.Control<QComboBox>(CParentsOfDialog::kIdcRelation);
          QVERIFY2(dialog.GetControl(CParentsOfDialog::kIdcSealingDate)->isVisible() == zel,
                   qPrintable(what));
          QVERIFY2((relation->findData(int('s')) >= 0) == zel, qPrintable(what));
          for (const Step& step : c.steps) {
            switch (step.what) {
              case 'c':
                list->setCurrentRow(step.arg);
                QVERIFY2(
                    dialog.IsControlEnabled(CParentsOfDialog::kIdcMakePrimary) == (step.arg > 0),
                    qPrintable(what));
                break;
              case 'p':
                dialog.MakePrimary();
                break;
              case 's':
                dialog.Spin(step.arg);
                break;
              case 'u':
                boxes.QueueAnswer(plat::kIdYes);
                dialog.Unlink();
                break;
            }
          }
          dialog.accept();
          QCOMPARE(dialog.result(), int(fw::kIdOk));
        }
        List expected;
        for (int i : c.order) expected.push_back(mrins[i]);
        QCOMPARE(StoredParents(child), expected);
        QCOMPARE(WalkedChain(child), expected);
        const std::int32_t primary = expected.empty() ? 0 : expected.front();
        QCOMPARE(PrimaryParents(child), primary);
        CIndividualRecord stored;
        QCOMPARE(DbGetRecord(child, db::kIndividual, &stored), 1);
        QCOMPARE(node->GetLinks()->parentsMrin, primary);
        QCOMPARE(node->GetLinks()->parentLink, stored.numbers[CIndividualRecord::kParentLink]);
        QCOMPARE(int(node->GetLinks()->parentFamilyCount), int(expected.size()));
        node->Release();
      }
    }
    SetNodeOptions(saved);
  }

  // The parents the views show for the individual are the current line.
  void theShownParentsAreCurrent() {
    const std::int32_t child = MakeChild(3);
    CIndividualRecord record;
    QCOMPARE(DbGetRecord(child, db::kIndividual, &record), 1);
    CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
    node->AddRef();
    const int expected[] = {0, 2};
    for (int row : expected) {
      node->GetLinks()->chosenParentsMrin = row == 0 ? 0 : mrins[row];
      CParentsOfDialog dialog(child, false, nullptr, node);
      Show(dialog, false);
      QCOMPARE(dialog.Links().Current(), row);
      QCOMPARE(dialog.Control<QListWidget>(CParentsOfDialog::kIdcList)->currentRow(), row);
      dialog.reject();
    }
    node->Release();
  }

  void unlinkAsksAndTheLastClearsThePrimaryParents() {
    const std::int32_t child = MakeChild(2);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    CParentsOfDialog dialog(child, false);
    Show(dialog, false);
    boxes.QueueAnswer(plat::kIdNo);
    dialog.Unlink();
    QCOMPARE(StoredParents(child), mrins);
    boxes.QueueAnswer(plat::kIdYes);
    dialog.Unlink();
    QCOMPARE(StoredParents(child), (List{mrins[1]}));
    QCOMPARE(PrimaryParents(child), mrins[1]);
    QVERIFY(!dialog.IsControlEnabled(CParentsOfDialog::kIdcMakePrimary));
    boxes.QueueAnswer(plat::kIdYes);
    dialog.Unlink();
    QVERIFY(StoredParents(child).empty());
    QCOMPARE(PrimaryParents(child), 0);
    QVERIFY(!dialog.IsControlEnabled(fw::kIdCancel));
    QVERIFY(!dialog.IsControlEnabled(CParentsOfDialog::kIdcUnlink));
    QCOMPARE(boxes.Calls().size(), std::size_t(3));
    QCOMPARE(boxes.Calls()[0].text,
             std::string("This will unlink this child from the family.\nDo you want to continue?"));
  }

  void aSecondBiologicalFamilyWarnsAndAChangeIsAskedOnLeaving() {
    const std::int32_t child = MakeChild(2);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    CParentsOfDialog dialog(child, false);
    Show(dialog, false);
    auto* list = dialog.Control<QListWidget>(CParentsOfDialog::kIdcList);
    auto* combo = dialog.Control<QComboBox>(CParentsOfDialog::kIdcRelation);
    list->setCurrentRow(1);
    QVERIFY(dialog.Links().Link(1).firstParentRelation != 'b');
    combo->setCurrentIndex(combo->findData(int('b')));
    dialog.ChooseRelationship('b');
    QCOMPARE(boxes.Calls().size(), std::size_t(1));
    QCOMPARE(boxes.Calls()[0].text, std::string("Warning: You have given this individual more "
                                                "than one biological father and/or mother."));
    // The choice stays; leaving the line asks to save it.
    boxes.QueueAnswer(plat::kIdYes);
    list->setCurrentRow(0);
    QCOMPARE(boxes.Calls().size(), std::size_t(2));
    CFamilyLinkRecord stored;
    QCOMPARE(DbGetRecord(dialog.Links().Link(1).linkNumber, db::kFamilyLink, &stored), 1);
    QCOMPARE(stored.firstParentRelation, 'b');
    dialog.reject();
  }

  // The warning comes with a change of the choice: picking the entry the
  // combo already shows, also after the line moved with what was typed for
  // it, warns no more.
  void theSecondBiologicalWarningComesOncePerChange() {
    const std::int32_t child = MakeChild(2);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    CParentsOfDialog dialog(child, false);
    Show(dialog, false);
    auto* list = dialog.Control<QListWidget>(CParentsOfDialog::kIdcList);
    auto* combo = dialog.Control<QComboBox>(CParentsOfDialog::kIdcRelation);
    list->setCurrentRow(1);
    QVERIFY(dialog.Links().Link(1).firstParentRelation != 'b');
    struct Step {
      char letter;   // chosen in the combo; 'p' makes the current line primary
      int warnings;  // shown so far
    };
    const Step steps[] = {{'b', 1}, {'b', 1}, {'p', 1}, {'b', 1}, {'a', 1}, {'b', 2}, {'b', 2}};
    for (const Step& step : steps) {
      if (step.letter == 'p') {
        dialog.MakePrimary();
      } else {
        // As the user's pick in the drop-down list.
        const int index = combo->findData(int(step.letter));
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
      }
      QCOMPARE(int(boxes.Calls().size()), step.warnings);
    }
    QCOMPARE(combo->currentData().toInt(), int('b'));
    dialog.reject();
  }

  void addParentsFindsAMarriageAndLinksTheChild() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    const std::int32_t child = AddPerson("Child", "Ann", 'F');
    const std::int32_t parents = DbSetRelation(AddPerson("Dad", "Olle", 'M'),
                                               AddPerson("Mum", "Siv", 'F'), db::kRelHusband, 0);
    CAddParentsDialog dialog(child, 0);
    dialog.gate = {[] { return false; }, [] { return true; }};
    dialog.hooks.editMarriageOption = false;
    dialog.show();
    QCoreApplication::processEvents();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Parents for Ann Child"));
    QVERIFY(!dialog.IsControlEnabled(fw::kIdOk));
    QVERIFY(!dialog.IsControlEnabled(CAddParentsDialog::kIdcEditMarriage));
    QVERIFY(dialog.GetControl(CAddParentsDialog::kIdcAddFather)->isVisible());
    QVERIFY(!dialog.GetControl(CAddParentsDialog::kIdcFatherName)->isVisible());
    Shot(dialog, "add_parents_empty");
    // Search: the Find dialog in its MRIN mode names the parents' marriage.
    bool marriageMode = false;
    QTimer::singleShot(0, [&] {
      auto* find = qobject_cast<CFindRecordDialog*>(QApplication::activeModalWidget());
      if (find == nullptr) return;
      marriageMode = find->find.marriageMode;
      find->SetControlText(CFindRecordDialog::kIdcNumber, std::to_string(parents));
      find->Control<QPushButton>(fw::kIdOk)->click();
    });
    dialog.Control<QPushButton>(CAddParentsDialog::kIdcSearch)->click();
    QVERIFY(marriageMode);
    QCOMPARE(dialog.Model().ChosenMrin(), parents);
    QVERIFY(!dialog.GetControl(CAddParentsDialog::kIdcAddFather)->isVisible());
    QCOMPARE(dialog.GetControlText(CAddParentsDialog::kIdcFatherName), std::string("Olle Dad"));
    QCOMPARE(dialog.GetControlText(CAddParentsDialog::kIdcMotherName), std::string("Siv Mum"));
    QCOMPARE(dialog.GetControlText(CAddParentsDialog::kIdcEditMarriage),
             "&Edit Marriage - " + std::to_string(parents));
    QVERIFY(dialog.IsControlEnabled(fw::kIdOk));
    Shot(dialog, "add_parents_chosen");
    dialog.Control<QPushButton>(fw::kIdOk)->click();
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QVERIFY(dialog.resultLink > 0);
    QCOMPARE(StoredParents(child), (List{parents}));
    QVERIFY(boxes.Calls().empty());
  }

  void parentsOfAddAppendsTheNewFamily() {
    const std::int32_t child = MakeChild(1);
    const std::int32_t second = DbSetRelation(AddPerson("Dad", "Nils", 'M'), 0, db::kRelHusband, 0);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    CParentsOfDialog dialog(child, false);
    dialog.runAddParents = [second](CAddParentsDialog& add) {
      add.Model().TakeFound(second, true, add.hooks);
      add.accept();
      return add.result();
    };
    Show(dialog, false);
    QVERIFY(dialog.IsControlEnabled(CParentsOfDialog::kIdcAdd));
    dialog.Add();
    auto* list = dialog.Control<QListWidget>(CParentsOfDialog::kIdcList);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 1);
    dialog.accept();
    QCOMPARE(StoredParents(child), (List{mrins[0], second}));
  }

  void aReadOnlyFileIsViewOnly() {
    const std::int32_t child = MakeChild(2);
    int editableHeight = 0;
    {
      CParentsOfDialog editable(child, false);
      Show(editable, false);
      editableHeight = editable.height();
    }
    CParentsOfDialog dialog(child, false);
    Show(dialog, true);
    for (int id : {CParentsOfDialog::kIdcUnlink, CParentsOfDialog::kIdcMakePrimary,
                   CParentsOfDialog::kIdcUp, CParentsOfDialog::kIdcAdd})
      QVERIFY(!dialog.GetControl(id)->isVisible());
    // The window closes in around what remains.
    QVERIFY2(dialog.height() < editableHeight,
             qPrintable(QStringLiteral("%1 / %2").arg(dialog.height()).arg(editableHeight)));
    dialog.Control<QListWidget>(CParentsOfDialog::kIdcList)->setCurrentRow(1);
    dialog.MakePrimary();
    dialog.Spin(-1);
    dialog.accept();
    QCOMPARE(StoredParents(child), mrins);
  }

 private:
  std::int32_t MakeChild(int families) {
    const std::int32_t child = AddPerson("Child", "Ann", 'F');
    for (int i = 0; i < families; ++i) {
      const std::string given = "F" + std::to_string(i);
      const std::int32_t m = DbSetRelation(AddPerson("Dad", given, 'M'),
                                           AddPerson("Mum", given, 'F'), db::kRelHusband, 0);
      Stored(DbSetRelation(child, 0, db::kRelParents, m), "child link");
      mrins.push_back(m);
    }
    return child;
  }

  std::unique_ptr<TempFamily> file;
  List mrins;
};

QTEST_MAIN(ParentsOfTest)
#include "parentsof_qtest.moc"
